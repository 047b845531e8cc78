#include "ui/controls/ZUDPPropertyPage.h"

#include "ui/controls/ZUDPPropertySheet.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPPropertyPage, CPropertyPage)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

CZUDPPropertyPage::CZUDPPropertyPage() = default;

CZUDPPropertyPage::CZUDPPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption) {}

CZUDPPropertyPage::~CZUDPPropertyPage() = default;

void CZUDPPropertyPage::SetVisualManagerLook(BOOL bEnable, const CList<UINT, UINT>* pExcluded)
{
    m_Impl.SetVisualManagerLook(bEnable, FALSE, pExcluded);
}

BOOL CZUDPPropertyPage::OnInitDialog()
{
    BOOL bResult = CPropertyPage::OnInitDialog();
    // The sheet switched the look on before the page had a window: the
    // controls exist now (the excluded ids given then still hold).
    m_Impl.ReapplyLook();
    CZUDPPropertySheet* pSheet = DYNAMIC_DOWNCAST(CZUDPPropertySheet, GetParent());
    if (pSheet != nullptr && pSheet->GetHeaderHeight() > 0) {
        for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild != nullptr;
             hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
            CRect rect;
            ::GetWindowRect(hWndChild, &rect);
            ScreenToClient(&rect);
            ::SetWindowPos(hWndChild, nullptr, rect.left, rect.top + pSheet->GetHeaderHeight(), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return bResult;
}

BOOL CZUDPPropertyPage::OnSetActive()
{
    if (CZUDPPropertySheet* pSheet = DYNAMIC_DOWNCAST(CZUDPPropertySheet, GetParent()))
        pSheet->OnActivatePage(this);
    return CPropertyPage::OnSetActive();
}

BOOL CZUDPPropertyPage::OnApply()
{
    BOOL bResult = CPropertyPage::OnApply();
    if (CZUDPPropertySheet* pSheet = DYNAMIC_DOWNCAST(CZUDPPropertySheet, GetParent()))
        pSheet->RefreshButtonsLater();
    return bResult;
}

BOOL CZUDPPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnCommand(wParam, lParam))
        return TRUE;
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CZUDPPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_Impl.PreTranslateMessage(pMsg))
        return TRUE;
    return CPropertyPage::PreTranslateMessage(pMsg);
}

void CZUDPPropertyPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL)
{
    m_Impl.OnActivate(nState, pWndOther);
    Default();
}

BOOL CZUDPPropertyPage::OnNcActivate(BOOL bActive)
{
    m_Impl.OnNcActivate(bActive);
    const MSG* pMsg = GetCurrentMessage();
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, pMsg != nullptr ? pMsg->lParam : 0);
}

HBRUSH CZUDPPropertyPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_Impl.IsVisualManagerStyle()) {
        if (HBRUSH hBrush = m_Impl.OnCtlColor(pDC, pWnd, nCtlColor))
            return hBrush;
    }
    return CPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CZUDPPropertyPage::OnDestroy()
{
    m_Impl.OnDestroy();
    Default();
}

BOOL CZUDPPropertyPage::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    BOOL bResult;
    if (m_Impl.IsVisualManagerStyle() && CZUDPVisualManager::GetActiveManager()->FillDialogBackground(pDC, this, rectClient))
        bResult = TRUE;
    else
        bResult = (BOOL)Default();

    CZUDPPropertySheet* pSheet = DYNAMIC_DOWNCAST(CZUDPPropertySheet, GetParent());
    if (pSheet != nullptr && pSheet->GetHeaderHeight() > 0) {
        CRect rectHeader = rectClient;
        rectHeader.bottom = rectHeader.top + pSheet->GetHeaderHeight();
        const int nLook = pSheet->GetLook();
        if (nLook == CZUDPPropertySheet::PropSheetLook_OutlookBar || nLook == CZUDPPropertySheet::PropSheetLook_Tree
            || nLook == CZUDPPropertySheet::PropSheetLook_List) {
            CRect rectSheet;
            pSheet->GetWindowRect(&rectSheet);
            ScreenToClient(&rectSheet);
            rectHeader.right = rectSheet.right - ::GetSystemMetrics(SM_CXFIXEDFRAME);
        }
        pSheet->OnDrawPageHeader(pDC, pSheet->GetPageIndex(this), rectHeader);
    }
    return bResult;
}

void CZUDPPropertyPage::OnNcPaint()
{
    // In the look the page paints no non-client area.
    if (!m_Impl.IsVisualManagerStyle())
        Default();
}
