#include "ui/controls/PropertySheetCtrl.h"

#include "framework/win/FrameworkSeams.h"

IMPLEMENT_DYNAMIC(CPropertySheetCtrl, CZUDPPropertySheet)

BEGIN_MESSAGE_MAP(CPropertySheetCtrl, CZUDPPropertySheet)
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
// The sheet's own buttons, which a sheet inside a dialog does not show.
const UINT kOwnButtons[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
} // namespace

CPropertySheetCtrl::CPropertySheetCtrl() { m_psh.dwFlags |= PSH_NOAPPLYNOW; }

CPropertySheetCtrl::CPropertySheetCtrl(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CZUDPPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

CPropertySheetCtrl::~CPropertySheetCtrl() = default;

BOOL CPropertySheetCtrl::OnInitDialog()
{
    BOOL bResult = CZUDPPropertySheet::OnInitDialog();
    m_bDeleteWithWindow = (GetStyle() & WS_CHILD) != 0;
    // Tab moves from the dialog's controls into the pages and back.
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    if (IsVisualManagerStyle())
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    for (UINT nID : kOwnButtons) {
        HWND hButton = ::GetDlgItem(m_hWnd, (int)nID);
        if (hButton != nullptr) {
            ::ShowWindow(hButton, SW_HIDE);
            ::EnableWindow(hButton, FALSE);
        }
    }
    LayoutPages();
    return bResult;
}

void CPropertySheetCtrl::LayoutPages()
{
    // The library's tab window, in the looks that have it (without its
    // scroll and close buttons), else the standard tab control.
    CWnd* pTabs = GetTabControl();
    if (m_wndTab.GetSafeHwnd() != nullptr) {
        m_wndTab.SetButtonsVisible(FALSE);
        pTabs = &m_wndTab;
    }
    if (m_hWnd == nullptr || pTabs == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    pTabs->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    const int edgeX = ::GetSystemMetrics(SM_CXEDGE);
    const int edgeY = ::GetSystemMetrics(SM_CYEDGE);
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* pPage = GetPage(i);
        if (pPage == nullptr || pPage->m_hWnd == nullptr)
            continue;
        // The page keeps its place below the tabs and takes the rest of the
        // tab control's area.
        CRect rectPage;
        pPage->GetWindowRect(rectPage);
        pTabs->ScreenToClient(rectPage);
        pPage->SetWindowPos(nullptr, rectPage.left, rectPage.top, client.Width() - 3 * edgeX,
                            client.Height() - rectPage.top - edgeY, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CPropertySheetCtrl::OnSize(UINT nType, int cx, int cy)
{
    CZUDPPropertySheet::OnSize(nType, cx, cy);
    LayoutPages();
}

BOOL CPropertySheetCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    CTabCtrl* pTab = GetTabControl();
    if (pNMHDR->code == TCN_SELCHANGE && pTab != nullptr && pNMHDR->hwndFrom == pTab->m_hWnd) {
        // The sheet makes a page the first time it is shown, in its own
        // handling of the change: the layout follows it, so that a page
        // made now fills the area too.
        if (!CZUDPPropertySheet::OnNotify(wParam, lParam, pResult))
            *pResult = Default();
        LayoutPages();
        return TRUE;
    }
    return CZUDPPropertySheet::OnNotify(wParam, lParam, pResult);
}

void CPropertySheetCtrl::OnActivatePage(CPropertyPage* pPage)
{
    CZUDPPropertySheet::OnActivatePage(pPage);
    // A page chosen by code (SetActivePage) gets no tab notification.
    LayoutPages();
}

int CPropertySheetCtrl::PageSwitchStep(const MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) == 0)
        return 0;
    switch (pMsg->wParam) {
    case VK_TAB:
        return (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000) != 0 ? -1 : 1;
    case VK_NEXT:
        return 1;
    case VK_PRIOR:
        return -1;
    default:
        return 0;
    }
}

BOOL CPropertySheetCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccel != nullptr && m_hWnd != nullptr && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    if ((GetStyle() & WS_CHILD) && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        // Inside a dialog the keys belong to the dialog's navigation, which
        // reaches into the pages; the sheet's own would keep Tab and Enter
        // inside the sheet.  Only the page-switching keys are the sheet's,
        // for a key in the sheet or one of its pages.
        const int step = PageSwitchStep(pMsg);
        if (step == 0 || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
            return FALSE;
        const int count = GetPageCount();
        if (count > 1)
            SetActivePage((GetActiveIndex() + step + count) % count);
        return TRUE;
    }
    return CZUDPPropertySheet::PreTranslateMessage(pMsg);
}

void CPropertySheetCtrl::PostNcDestroy()
{
    CZUDPPropertySheet::PostNcDestroy();
    if (m_bDeleteWithWindow)
        delete this;
}
