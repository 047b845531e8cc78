// Property sheets and their pages.
#include "framework/win/PropertySheet.h"

#include "framework/win/WinApp.h"

#include <vector>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// ---------------------------------------------------------------------------
// CPropertyPage

CPropertyPage::CPropertyPage() { InitRecord(nullptr, 0); }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) { Construct(nIDTemplate, nIDCaption); }

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) { Construct(lpszTemplateName, nIDCaption); }

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) { Construct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption); }

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    InitRecord(lpszTemplateName, nIDCaption);
}

void CPropertyPage::InitRecord(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_psp = {};
    // The record's size is the platform's: 96 bytes on x64, where a short
    // record is refused or misread.
    m_psp.dwSize = sizeof(PROPSHEETPAGEA);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &CPropertyPage::PageDlgProc;
    m_psp.pfnCallback = &CPropertyPage::PageCallback;
    m_psp.lParam = (LPARAM)this;
    m_strCaption.Empty();
    if (nIDCaption != 0) {
        char text[256] = {};
        if (::LoadStringA(AfxGetResourceHandle(), nIDCaption, text, int(sizeof(text))) > 0)
            m_strCaption = text;
    }
}

HPROPSHEETPAGE CPropertyPage::CreatePageHandle()
{
    m_psp.dwSize = sizeof(PROPSHEETPAGEA);
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.lParam = (LPARAM)this;
    if (!m_strCaption.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    m_bFirstSetActive = TRUE;
    return ::CreatePropertySheetPageA(&m_psp);
}

// Called by the sheet just before it creates the page's window: the page
// object is attached to the next window this thread creates.
UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGEA ppsp)
{
    if (message == PSPCB_CREATE && ppsp != nullptr && ppsp->lParam != 0)
        HookWindowCreate(reinterpret_cast<CPropertyPage*>(ppsp->lParam));
    return 1;
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    UnhookWindowCreate();
    CPropertyPage* pPage = DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hWnd));
    if (pPage == nullptr) {
        // Created without the creation callback: attach the object now.
        const PROPSHEETPAGEA* ppsp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        if (ppsp == nullptr || ppsp->lParam == 0)
            return TRUE;
        pPage = reinterpret_cast<CPropertyPage*>(ppsp->lParam);
        if (!pPage->SubclassWindow(hWnd))
            return TRUE;
        AfxCallbackGuard(0, [&] {
            pPage->PreInitDialog();
            return 0;
        });
    }
    return AfxCallbackGuard<INT_PTR>(TRUE, [&]() -> INT_PTR { return pPage->OnInitDialog(); });
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (m_hWnd == nullptr)
        return;
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet != nullptr)
        ::SendMessageA(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which loaded the controls.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

LRESULT CPropertyPage::OnWizardBack() { return 0; }

LRESULT CPropertyPage::OnWizardNext() { return 0; }

BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    // Keyboard navigation is the sheet's: it walks every page and its own
    // buttons (the sheet's PreTranslateMessage comes next).
    return FALSE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        result = !OnKillActive();
        break;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        result = !OnQueryCancel();
        break;
    case PSN_WIZBACK:
        result = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        result = !OnWizardFinish();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The sheet reads the answer as the message's result; a page whose
    // dialog procedure answers it reads DWLP_MSGRESULT.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    *pResult = result;
    return TRUE;
}

// ---------------------------------------------------------------------------
// CPropertySheet

namespace {
// The sheet being created on this thread (the creation callback has no
// argument of its own to find it by).
thread_local CPropertySheet* t_sheetBeingCreated = nullptr;
thread_local DWORD t_createStyle = (DWORD)-1;
thread_local DWORD t_createExStyle = 0;

// The dialog style bits a sheet keeps from its own template when it is
// given another style: its font.
constexpr DWORD kTemplateFontBits = DS_SETFONT | DS_FIXEDSYS | DS_3DLOOK;

} // namespace

// Rewrites the style of the sheet's template, in the extended form (a
// signature of 0xFFFF after the version) or the plain one.
void AfxSetSheetTemplateStyle(void* pTemplate, DWORD dwStyle, DWORD dwExStyle)
{
    if (pTemplate == nullptr || dwStyle == (DWORD)-1)
        return;
    DWORD newStyle = dwStyle;
    DWORD addExStyle = dwExStyle;
    if (dwStyle & WS_CHILD) {
        // A sheet inside a dialog: a control of it that takes part in its
        // parent's keyboard navigation.
        newStyle |= DS_CONTROL;
        addExStyle |= WS_EX_CONTROLPARENT;
    }
    WORD* words = static_cast<WORD*>(pTemplate);
    DWORD* pStyle;
    DWORD* pExStyle;
    if (words[1] == 0xFFFF) {
        BYTE* bytes = static_cast<BYTE*>(pTemplate);
        pExStyle = reinterpret_cast<DWORD*>(bytes + 8);
        pStyle = reinterpret_cast<DWORD*>(bytes + 12);
    } else {
        pStyle = static_cast<DWORD*>(pTemplate);
        pExStyle = pStyle + 1;
    }
    DWORD style = 0;
    DWORD exStyle = 0;
    memcpy(&style, pStyle, sizeof(style));
    memcpy(&exStyle, pExStyle, sizeof(exStyle));
    style = (style & kTemplateFontBits) | newStyle;
    exStyle |= addExStyle;
    if (dwStyle & WS_CHILD)
        exStyle &= ~(DWORD)(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTEXTHELP);
    memcpy(pStyle, &style, sizeof(style));
    memcpy(pExStyle, &exStyle, sizeof(exStyle));
}
BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { Construct(nullptr); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nullptr, pParentWnd, iSelectPage);
    char text[256] = {};
    if (nIDCaption != 0 && ::LoadStringA(AfxGetResourceHandle(), nIDCaption, text, int(sizeof(text))) > 0)
        m_strCaption = text;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = {};
    m_psh.dwSize = sizeof(PROPSHEETHEADERA);
    m_psh.dwFlags = PSH_USECALLBACK;
    m_psh.nStartPage = iSelectPage;
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
    m_strCaption = pszCaption != nullptr ? pszCaption : "";
    m_pParentWnd = pParentWnd;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    m_pages.Add(pPage);
    if (m_hWnd == nullptr)
        return;
    HPROPSHEETPAGE hPage = pPage->CreatePageHandle();
    if (hPage == nullptr || !::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage)) {
        if (hPage != nullptr)
            ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetSize() - 1);
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.RemoveAt(nPage);
}

int CPropertySheet::GetPageCount() const { return int(m_pages.GetSize()); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return nullptr;
    return static_cast<CPropertyPage*>(m_pages.GetAt(nPage));
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages.GetAt(i) == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return (int)m_psh.nStartPage;
    HWND hWndPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (hWndPage == nullptr)
        return -1;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (GetPage(i)->m_hWnd == hWndPage)
            return i;
    }
    return (int)::SendMessageA(m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hWndPage, 0);
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWndTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    if (hWndTab == nullptr)
        return nullptr;
    // The tab control is the sheet's own window; it is wrapped as a
    // temporary object that only sends it messages.
    return static_cast<CTabCtrl*>(CWnd::FromHandle(hWndTab));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText != nullptr ? lpszText : "";
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, (LPARAM)(LPCSTR)m_strCaption);
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, PSM_SETFINISHTEXTA, 0, (LPARAM)lpszText);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd == nullptr)
        return FALSE;
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
    return TRUE;
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);
    else if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_COMMAND, (WPARAM)(nEndID == IDOK ? IDOK : IDCANCEL), 0);
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    if (message == PSCB_PRECREATE && t_sheetBeingCreated != nullptr)
        AfxSetSheetTemplateStyle(reinterpret_cast<void*>(lParam), t_createStyle, t_createExStyle);
    return 0;
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd != nullptr)
        return FALSE;
    std::vector<HPROPSHEETPAGE> handles;
    for (int i = 0; i < GetPageCount(); ++i) {
        HPROPSHEETPAGE hPage = GetPage(i)->CreatePageHandle();
        if (hPage == nullptr) {
            for (HPROPSHEETPAGE h : handles)
                ::DestroyPropertySheetPage(h);
            return FALSE;
        }
        handles.push_back(hPage);
    }
    m_psh.dwSize = sizeof(PROPSHEETHEADERA);
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.dwFlags &= ~PSH_PROPSHEETPAGE;
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)handles.size();
    m_psh.phpage = handles.empty() ? nullptr : handles.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;

    CPropertySheet* pOuter = t_sheetBeingCreated;
    DWORD outerStyle = t_createStyle;
    DWORD outerExStyle = t_createExStyle;
    t_sheetBeingCreated = this;
    t_createStyle = dwStyle;
    t_createExStyle = dwExStyle;
    m_nModalResult = -1;
    HookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheetA(&m_psh);
    UnhookWindowCreate();
    t_sheetBeingCreated = pOuter;
    t_createStyle = outerStyle;
    t_createExStyle = outerExStyle;
    m_psh.phpage = nullptr;

    if (hWnd == nullptr || hWnd == (HWND)(INT_PTR)-1) {
        // The sheet destroyed the pages it was given.
        if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
            Detach();
        return FALSE;
    }
    if (m_hWnd != hWnd)
        SubclassWindow(hWnd);
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd == nullptr)
        pParentWnd = m_pParentWnd;
    m_bModeless = TRUE;
    return CreateSheet(AfxSafeHwnd(pParentWnd), dwStyle, dwExStyle);
}

INT_PTR CPropertySheet::DoModal()
{
    HWND hWndTop = nullptr;
    HWND hWndParent = AfxSafeHwnd(CWnd::GetSafeOwner(m_pParentWnd, &hWndTop));
    BOOL bEnableParent = FALSE;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    m_bModeless = FALSE;
    INT_PTR nResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    try {
        if (CreateSheet(hWndParent, (DWORD)-1, 0)) {
            if (ContinueModal())
                RunModalLoop(MLF_SHOWONIDLE);
            nResult = m_nModalResult;
            // Buttons pressed by code (PSM_PRESSBUTTON) send no command: the
            // sheet's own result says how it ended (positive: accepted).
            if (nResult == -1 && m_hWnd != nullptr) {
                const LRESULT sheetResult = ::SendMessageA(m_hWnd, PSM_GETRESULT, 0, 0);
                nResult = sheetResult > 0 ? (IsWizard() ? ID_WIZFINISH : IDOK) : IDCANCEL;
            }
        }
    } catch (CException* e) {
        e->Delete();
        nResult = -1;
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndTop != nullptr)
        ::EnableWindow(hWndTop, TRUE);
    if (hWndParent != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    m_bModeless = TRUE;
    return nResult;
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // A modeless sheet is done when it has no current page any more (OK,
    // Cancel or Finish went through).
    return m_hWnd != nullptr && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    return AfxCallbackGuard<LRESULT>(FALSE, [&]() -> LRESULT { return OnInitDialog(); });
}

BOOL CPropertySheet::OnInitDialog()
{
    // The sheet makes its tab control, buttons and first page here.
    BOOL bResult = (BOOL)Default();
    if (!m_bStacked) {
        HWND hWndTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
        if (hWndTab != nullptr)
            CWnd::ModifyStyle(hWndTab, TCS_MULTILINE, TCS_SINGLELINE, 0);
    }
    return bResult;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Remember which button ends the sheet; a page that refuses keeps the
    // sheet open and the next button decides.
    switch (LOWORD(wParam)) {
    case IDOK:
    case ID_WIZFINISH:
        m_nModalResult = LOWORD(wParam);
        break;
    case IDCANCEL:
        m_nModalResult = IDCANCEL;
        break;
    default:
        break;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        && (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return (BOOL)::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}
