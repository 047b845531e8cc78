#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "framework/win/DocTemplate.h"

#include "framework/win/Menu.h"
#include "framework/win/PreviewView.h"

IMPLEMENT_DYNAMIC(CDockState, CObject)

void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    m_nBars = 0;
    m_sizeScreen = CSize(0, 0);
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return;
    const CString section = CString(lpszProfileName) + "-Summary";
    // Bars beyond what a frame can hold are no layout of ours.
    const int nBars = int(pApp->GetProfileInt(section, "Bars", 0));
    m_nBars = nBars >= 0 && nBars <= 1024 ? nBars : 0;
    m_sizeScreen = CSize(int(pApp->GetProfileInt(section, "ScreenCX", 0)), int(pApp->GetProfileInt(section, "ScreenCY", 0)));
}

void CDockState::SaveState(LPCTSTR lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return;
    const CString section = CString(lpszProfileName) + "-Summary";
    pApp->WriteProfileInt(section, "Bars", m_nBars);
    pApp->WriteProfileInt(section, "ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
    pApp->WriteProfileInt(section, "ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
}
IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    // The bits stay in the style: the window system ignores the low word
    // of a frame's style, and frames derived from this one read them back.
    m_bSyncActive = (dwStyle & MFS_SYNCACTIVE) != 0;
    return CFrameWnd::CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, lpParam);
}

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle)
{
    if (lpszClassName == nullptr)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                            (HBRUSH)(COLOR_WINDOW + 1));
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr)
            return FALSE;
    }
    // A default placement is the system's choice of position and size.
    int x = rect.left, y = rect.top, cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) {
        x = y = cx = cy = CW_USEDEFAULT;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, AfxSafeHwnd(pParentWnd), hMenu)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext)
{
    (void)pContext;
    m_nIDResource = nIDResource;
    HINSTANCE hInstance = AfxGetResourceHandle();
    CString strTitle, strFull;
    if (strFull.LoadString(nIDResource))
        AfxExtractSubString(strTitle, strFull, 0, '\n');
    HICON hIcon = ::LoadIconA(hInstance, MAKEINTRESOURCEA(nIDResource));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW),
                                            (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    HMENU hMenu = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(4)) != nullptr
                      ? ::LoadMenuA(hInstance, MAKEINTRESOURCEA(nIDResource))
                      : nullptr;
    if (!CreateEx(0, lpszClass, strTitle, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  AfxSafeHwnd(pParentWnd), hMenu)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(9)) != nullptr)
        m_hAccelTable = ::LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(nIDResource));
    return TRUE;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
END_MESSAGE_MAP()

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd) {
    case 0:  // the space available
        if (lpRectBorder != nullptr && m_hWnd != nullptr)
            GetClientRect(lpRectBorder);
        return TRUE;
    case 1:  // a request: granted when it fits
        return TRUE;
    case 2:  // the new borders
        if (lpRectBorder != nullptr)
            m_rectBorder = *lpRectBorder;
        else
            m_rectBorder.SetRectEmpty();
        return TRUE;
    default:
        return FALSE;
    }
}

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    RepositionChildren();
    m_bInRecalcLayout = FALSE;
    if (bNotify)
        OnRecalcLayoutNotify();
}

void CFrameWnd::RepositionChildren() { RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder); }

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString text;
    if (nID == 0 || !text.LoadString(nID))
        return;
    const int nEnd = text.Find('\n');
    rMessage = nEnd >= 0 ? text.Left(nEnd) : text;
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr) {
        CString strMessage;
        LPCTSTR lpsz = "";
        if (lParam != 0) {
            lpsz = reinterpret_cast<LPCTSTR>(lParam);
        } else if (wParam != 0) {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz);
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return (LRESULT)nIDLast;
}

CFrameWnd* CFrameWnd::GetParentFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    m_hWndActiveView = AfxSafeHwnd(pViewNew);
    if (bNotify && m_hWndActiveView != nullptr && ::IsWindow(m_hWndActiveView))
        ::SetFocus(m_hWndActiveView);
}

CView* CFrameWnd::GetActiveView() const
{
    if (m_hWndActiveView == nullptr || !::IsWindow(m_hWndActiveView))
        return nullptr;
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hWndActiveView);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pWnd) : nullptr;
}

// ---------------------------------------------------------------------------
// MDI frame

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (Default() == -1)
        return -1;
    return CreateClient(lpCreateStruct, nullptr) ? 0 : -1;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    (void)lpCreateStruct;
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu != nullptr ? pWindowMenu->m_hMenu : nullptr;
    ccs.idFirstChild = 0xFF00;
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL |
                                            MDIS_ALLCHILDSTYLES,
                                        0, 0, rc.Width(), rc.Height(), m_hWnd, (HMENU)(UINT_PTR)0xE900,
                                        AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

HWND CMDIFrameWnd::MDIGetActiveHwnd(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != nullptr
                    ? (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : nullptr;
    if (pbMaximized != nullptr)
        *pbMaximized = hWnd != nullptr && bMaximized;
    return hWnd;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CWnd* pWnd = CWnd::FromHandlePermanent(MDIGetActiveHwnd());
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return static_cast<CFrameWnd*>(pWnd);
    return this;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The MDI frame's default processing sizes the client window and
    // routes the window menu's child commands.
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(MDIGetActiveHwnd(pbMaximized)));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != nullptr && pWndActivate != nullptr)
        ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (m_hWndMDIClient != nullptr && pWnd != nullptr)
        ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (m_hWndMDIClient != nullptr && pWnd != nullptr)
        ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0);
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr || !::IsMenu(hMenuBar))
        return nullptr;
    const int nCount = ::GetMenuItemCount(hMenuBar);
    for (int i = nCount - 1; i >= 0; --i) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, i);
        if (hPopup == nullptr)
            continue;
        const int nItems = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < nItems; ++j) {
            const UINT uiCmd = ::GetMenuItemID(hPopup, j);
            if (uiCmd >= 0xE130 && uiCmd <= 0xE13F)
                return hPopup;
        }
    }
    return nullptr;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr) {
        CMDIChildWnd* pActive = MDIGetActive();
        hMenuAlt = pActive != nullptr && pActive->m_hMenuShared != nullptr ? pActive->m_hMenuShared : m_hMenuDefault;
    }
    if (hMenuAlt != nullptr && m_hWndMDIClient != nullptr) {
        ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, (LPARAM)GetWindowMenuPopup(hMenuAlt));
        ::DrawMenuBar(m_hWnd);
    }
}

// ---------------------------------------------------------------------------
// MDI child

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CDockBar, CWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_MESSAGE(WM_MDIACTIVATE, &CMDIChildWnd::OnMDIActivate)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd)
{
    if (m_hWnd != nullptr)
        return FALSE;
    if (pParentWnd == nullptr) {
        CWinApp* pApp = AfxGetApp();
        pParentWnd = pApp != nullptr ? DYNAMIC_DOWNCAST(CMDIFrameWnd, pApp->m_pMainWnd) : nullptr;
    }
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr)
        return FALSE;
    if (lpszClassName == nullptr)
        lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = lpszClassName;
    mcs.szTitle = lpszWindowName;
    mcs.hOwner = AfxGetInstanceHandle();
    mcs.style = dwStyle & ~(WS_MAXIMIZE | WS_VISIBLE);
    if (rect.left == CW_USEDEFAULT) {
        mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    } else {
        mcs.x = rect.left;
        mcs.y = rect.top;
        mcs.cx = rect.right - rect.left;
        mcs.cy = rect.bottom - rect.top;
    }
    // The child window is created by the MDI client; the creation hook
    // attaches this object to it at its first message.
    HookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    const BOOL bHooked = UnhookWindowCreate();
    if (hWnd == nullptr) {
        if (!bHooked)
            PostNcDestroy();
        return FALSE;
    }
    if (m_hWnd != hWnd)
        SubclassWindow(hWnd);
    if (dwStyle & WS_MAXIMIZE)
        pParentWnd->MDIMaximize(this);
    if (dwStyle & WS_VISIBLE) {
        ::ShowWindow(hWnd, SW_SHOW);
        pParentWnd->MDIActivate(this);
    }
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    HWND hWndFrame = hWndClient != nullptr ? ::GetParent(hWndClient) : nullptr;
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hWndFrame));
}

void CMDIChildWnd::MDIDestroy()
{
    if (m_hWnd != nullptr)
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    if (m_hWnd != nullptr)
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    if (m_hWnd != nullptr)
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    if (m_hWnd != nullptr)
        ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    m_hAccelTable = hAccel;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    if (hMenuAlt == nullptr && bActivate)
        hMenuAlt = m_hMenuShared;
    if (bActivate) {
        pFrame->OnUpdateFrameMenu(hMenuAlt);
    } else if (pActivateWnd == nullptr) {
        // The last child goes: the frame's own menu again.
        pFrame->OnUpdateFrameMenu(pFrame->m_hMenuDefault);
    }
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const HWND hWndActivate = (HWND)lParam;
    (void)wParam;
    const BOOL bActivate = hWndActivate == m_hWnd;
    OnUpdateFrameMenu(bActivate, hWndActivate != nullptr ? CWnd::FromHandle(hWndActivate) : nullptr, nullptr);
    if (bActivate) {
        if (CMDIFrameWnd* pFrame = GetMDIFrame())
            pFrame->OnMDIChildChanged(this, FALSE);
    }
    return lResult;
}

void CMDIChildWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    (void)lpwndpos;
    Default();
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnMDIChildChanged(this, FALSE);
}

void CMDIChildWnd::OnDestroy()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    Default();
    if (pFrame == nullptr)
        return;
    // A child destroyed directly (not through the client's WM_MDIDESTROY)
    // is not always deactivated first: the last one gives the frame its
    // own menu back here.
    const HWND hWndActive = pFrame->MDIGetActiveHwnd();
    if (hWndActive == nullptr || hWndActive == m_hWnd)
        OnUpdateFrameMenu(FALSE, nullptr, nullptr);
    pFrame->OnMDIChildChanged(this, TRUE);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (pState == nullptr || m_hWnd == nullptr || bPreview == pState->bPutAside)
        return;
    pState->bPutAside = bPreview;
    if (bPreview) {
        pState->hWndFocus = ::GetFocus();
        pState->hMenu = ::GetMenu(m_hWnd);
        if (pState->hMenu != nullptr)
            ::SetMenu(m_hWnd, nullptr);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
        pState->dwStates = 0;
        for (HWND hWnd = ::GetTopWindow(m_hWnd); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
            const UINT nID = (UINT)::GetDlgCtrlID(hWnd);
            if (nID >= AFX_IDW_CONTROLBAR_FIRST && nID < AFX_IDW_CONTROLBAR_FIRST + 32 && ::IsWindowVisible(hWnd)) {
                pState->dwStates |= 1UL << (nID - AFX_IDW_CONTROLBAR_FIRST);
                ::ShowWindow(hWnd, SW_HIDE);
            }
        }
        if (HWND hPane = ::GetDlgItem(m_hWnd, (int)pState->nIDMainPane)) {
            ::ShowWindow(hPane, SW_HIDE);
            ::SetWindowLongPtrA(hPane, GWLP_ID, AFX_IDW_PANE_SAVE);
        }
        return;
    }
    if (HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE)) {
        ::SetWindowLongPtrA(hPane, GWLP_ID, (LONG_PTR)pState->nIDMainPane);
        ::ShowWindow(hPane, SW_SHOWNA);
    }
    for (UINT bit = 0; bit < 32; ++bit) {
        if (pState->dwStates & (1UL << bit)) {
            if (HWND hBar = ::GetDlgItem(m_hWnd, (int)(AFX_IDW_CONTROLBAR_FIRST + bit)))
                ::ShowWindow(hBar, SW_SHOWNA);
        }
    }
    pState->dwStates = 0;
    // A menu given to the frame meanwhile stays; the one put aside goes
    // back otherwise.
    if (pState->hMenu != nullptr && ::GetMenu(m_hWnd) == nullptr)
        ::SetMenu(m_hWnd, pState->hMenu);
    pState->hMenu = nullptr;
    if (m_hAccelTable == nullptr)
        m_hAccelTable = pState->hAccelTable;
    pState->hAccelTable = nullptr;
    RecalcLayout();
    if (pState->hWndFocus != nullptr && ::IsWindow(pState->hWndFocus) && ::IsChild(m_hWnd, pState->hWndFocus))
        ::SetFocus(pState->hWndFocus);
    pState->hWndFocus = nullptr;
}
