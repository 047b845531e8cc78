// The library's OLE frames: the in-place frames of a server item and of a
// document server, and the library's object for the container's frame.
#include "ui/docking/ZUDPFrameWnd.h"

#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

IMPLEMENT_DYNCREATE(CZUDPOleIPFrameWnd, COleIPFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPOleDocIPFrameWnd, CZUDPOleIPFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPOleCntrFrameWnd, COleCntrFrameWnd)

namespace {

void CloseOpenPopup()
{
    if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd()))
        g_activePopupMenu->SendMessage(WM_CLOSE);
}

// Destroys the frame's direct children by handle: a child may take others
// with it, so each is checked before it goes.
void DestroyChildWindows(HWND hFrame)
{
    CArray<HWND, HWND> windows;
    for (HWND hChild = ::GetWindow(hFrame, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        windows.Add(hChild);
    for (int i = 0; i < windows.GetSize(); ++i) {
        if (::IsWindow(windows[i]) && ::GetParent(windows[i]) == hFrame)
            ::DestroyWindow(windows[i]);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// In-place frames

BEGIN_MESSAGE_MAP(CZUDPOleIPFrameWnd, COleIPFrameWnd)
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR_CREATE, &CZUDPOleIPFrameWnd::OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR_DELETE, &CZUDPOleIPFrameWnd::OnToolbarDelete)
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR_POPUPMENU, &CZUDPOleIPFrameWnd::OnToolbarContextMenu)
END_MESSAGE_MAP()

CZUDPOleIPFrameWnd::CZUDPOleIPFrameWnd() : CZUDPFrameDockSite(this) { m_Impl.m_pDockManager = GetDockManager(); }

CZUDPOleIPFrameWnd::~CZUDPOleIPFrameWnd()
{
    if (g_activeInPlaceFrame == this)
        g_activeInPlaceFrame = nullptr;
}

BOOL CZUDPOleIPFrameWnd::OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc)
{
    (void)pWndDoc;
    if (pWndFrame == nullptr)
        return FALSE;
    if (pWndFrame->IsKindOf(RUNTIME_CLASS(CZUDPOleCntrFrameWnd)))
        return TRUE;
    // The container's frame window changes objects: the framework's one
    // lets go of the handle and the library's takes it.
    auto* pContainer = new CZUDPOleCntrFrameWnd(this);
    const HWND hWnd = pWndFrame->Detach();
    if (m_pMainFrame == pWndFrame)
        m_pMainFrame = nullptr;
    delete pWndFrame;
    if (hWnd != nullptr)
        pContainer->Attach(hWnd);
    m_pMainFrame = pContainer;
    return TRUE;
}

void CZUDPOleIPFrameWnd::RecalcLayout(BOOL bNotify)
{
    COleIPFrameWnd::RecalcLayout(bNotify);
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    if (LaysOutDockedBars())
        m_dockManager.LayoutDockedBars(nullptr);
    m_dockManager.RecalcAllBarLayouts(nullptr);
    m_bInRecalcLayout = FALSE;
}

BOOL CZUDPOleIPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    if (HIWORD(wParam) == 1) {
        CZUDPToolBar::CountCommandUse(nID);
        if (m_Impl.ProcessKeyboard(VK_ESCAPE))
            return TRUE;
        if (g_userToolsManager != nullptr && g_userToolsManager->RunTool(nID))
            return TRUE;
    }
    if (g_customizeMode)
        return FALSE;
    return COleIPFrameWnd::OnCommand(wParam, lParam);
}

BOOL CZUDPOleIPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (m_Impl.ProcessMouseClick(pMsg->message, CPoint(short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam))),
                                     pMsg->hwnd))
            return TRUE;
        break;
    case WM_KEYDOWN:
        if (!CZUDPFrameImpl::IsPlainF1(pMsg) && m_Impl.ProcessKeyboard(int(pMsg->wParam)))
            return TRUE;
        break;
    case WM_MOUSEMOVE: {
        CPoint pt(short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam)));
        if (::IsWindow(pMsg->hwnd))
            ::ClientToScreen(pMsg->hwnd, &pt);
        if (m_Impl.ProcessMouseMove(pt))
            return TRUE;
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
        CPoint pt(short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam)));
        const BOOL bWindow = ::IsWindow(pMsg->hwnd);
        if (bWindow)
            ::ClientToScreen(pMsg->hwnd, &pt);
        if (m_Impl.ProcessMouseClick(pMsg->message, pt, pMsg->hwnd) || (bWindow && !::IsWindow(pMsg->hwnd)))
            return TRUE;
        break;
    }
    default:
        break;
    }
    return COleIPFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CZUDPOleIPFrameWnd::PreparePopupMenu(CZUDPPopupMenu* pMenu) { return m_Impl.PreparePopupMenu(pMenu); }

void CZUDPOleIPFrameWnd::OnClosePopupMenu(CZUDPPopupMenu* pMenu)
{
    if (g_activePopupMenu == pMenu)
        g_activePopupMenu = nullptr;
    m_dockManager.OnBarsMenuClosed();
}

void CZUDPOleIPFrameWnd::HandBackActiveInPlaceFrame()
{
    m_bInPlaceActive = FALSE;
    if (g_activeInPlaceFrame != this)
        return;
    // A frame deactivated while another was active is passed over, so
    // that frames deactivated in the order they were activated leave none.
    HWND hPrev = m_hwndPrevInPlaceFrame;
    CFrameWnd* pNext = nullptr;
    for (int nGuard = 0; hPrev != nullptr && nGuard < 64; ++nGuard) {
        CWnd* pWnd = ::IsWindow(hPrev) ? CWnd::FromHandlePermanent(hPrev) : nullptr;
        CZUDPOleIPFrameWnd* pInPlace = DYNAMIC_DOWNCAST(CZUDPOleIPFrameWnd, pWnd);
        if (pInPlace != nullptr && !pInPlace->m_bInPlaceActive) {
            hPrev = pInPlace->m_hwndPrevInPlaceFrame;
            continue;
        }
        pNext = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
        break;
    }
    g_activeInPlaceFrame = pNext;
}

void CZUDPOleIPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    (void)pWndOther;
    (void)bMinimized;
    Default();
    if (nState == WA_INACTIVE) {
        if (DeactivatesAlways() || !g_customizeMode)
            m_Impl.OnDeactivateFrame();
        CloseOpenPopup();
        HandBackActiveInPlaceFrame();
        return;
    }
    if (nState == WA_CLICKACTIVE)
        UpdateWindow();
    if (g_activeInPlaceFrame != this) {
        m_hwndPrevInPlaceFrame = g_activeInPlaceFrame != nullptr ? g_activeInPlaceFrame->GetSafeHwnd() : nullptr;
        g_activeInPlaceFrame = this;
    }
    m_bInPlaceActive = TRUE;
}

void CZUDPOleIPFrameWnd::OnDestroy()
{
    CloseOpenPopup();
    HandBackActiveInPlaceFrame();
    m_Impl.OnDeactivateFrame();
    if (m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = nullptr;
    }
    m_dockManager.EnableLayout(FALSE);
    DestroyChildWindows(m_hWnd);
    Default();
}

void CZUDPOleIPFrameWnd::OnClose()
{
    m_Impl.OnCloseFrame();
    Default();
}

LRESULT CZUDPOleIPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CZUDPOleIPFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteUserToolbar(reinterpret_cast<CZUDPToolBar*>(lParam));
}

LRESULT CZUDPOleIPFrameWnd::OnToolbarContextMenu(WPARAM, LPARAM) { return TRUE; }

// ---------------------------------------------------------------------------
// Container frame

BEGIN_MESSAGE_MAP(CZUDPOleCntrFrameWnd, COleCntrFrameWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZUDPOleCntrFrameWnd::~CZUDPOleCntrFrameWnd() = default;

void CZUDPOleCntrFrameWnd::RecalcDockLayout(HDWP hdwp)
{
    (void)hdwp;
    ++m_nRenegotiations;
    if (m_pInPlaceFrame != nullptr)
        m_pInPlaceFrame->RenegotiateBorderSpace(this, nullptr, TRUE);
}

void CZUDPOleCntrFrameWnd::RecalcLayout(BOOL bNotify)
{
    RecalcDockLayout();
    m_dockManager.LayoutDockedBars(nullptr);
    m_dockManager.RecalcAllBarLayouts(nullptr);
    if (m_pInPlaceFrame != nullptr && ::IsWindow(m_pInPlaceFrame->GetSafeHwnd()))
        m_pInPlaceFrame->RecalcLayout(bNotify);
}

void CZUDPOleCntrFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    (void)cx;
    (void)cy;
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcDockLayout();
}

void CZUDPOleCntrFrameWnd::OnDestroy()
{
    // The floating frames of the dock manager go (walked as handles: each
    // leaves the list as it goes), then the frame's own children.
    CArray<HWND, HWND> floating;
    for (POSITION pos = m_dockManager.GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        CWnd* pMiniFrame = static_cast<CWnd*>(m_dockManager.GetMiniFrames().GetNext(pos));
        if (pMiniFrame->GetSafeHwnd() != nullptr)
            floating.Add(pMiniFrame->m_hWnd);
    }
    for (int i = 0; i < floating.GetSize(); ++i) {
        if (::IsWindow(floating[i]))
            ::DestroyWindow(floating[i]);
    }
    DestroyChildWindows(m_hWnd);
    // Toolbars whose windows went leave the library-wide list.
    CObList& toolbars = CZUDPToolBar::GetToolbarList();
    for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr;) {
        POSITION posCur = pos;
        CWnd* pBar = static_cast<CWnd*>(toolbars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) != pBar)
            toolbars.RemoveAt(posCur);
    }
    Default();
}
