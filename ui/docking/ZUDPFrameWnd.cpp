#include "ui/docking/ZUDPFrameWnd.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/PreviewView.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

IMPLEMENT_DYNCREATE(CZUDPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPMDIFrameWnd, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPMDIChildWnd, CFrameWnd)

namespace {

void RemoveFrame(CObject* pFrame)
{
    POSITION pos = g_frameList.Find(pFrame);
    if (pos != nullptr)
        g_frameList.RemoveAt(pos);
}

} // namespace

BOOL CZUDPFrameDockSite::PreparePopupMenu(CZUDPPopupMenu* pMenu)
{
    g_activePopupMenu = pMenu;
    return TRUE;
}

BOOL CZUDPFrameDockSite::OnFillCustomizeMenu(CZUDPPopupMenu* pMenu, UINT uiToolbarResId)
{
    CZUDPFrameImpl::AddResourceButtons(pMenu, uiToolbarResId);
    return TRUE;
}

void CZUDPFrameDockSite::OnClosePopupMenu(CZUDPPopupMenu* pMenu)
{
    if (g_activePopupMenu == pMenu)
        g_activePopupMenu = nullptr;
}

CZUDPDockManager* DockManagerOfFrame(CWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    if (CZUDPFrameWnd* pSdi = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pFrame))
        return pSdi->GetDockManager();
    if (CZUDPMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pFrame))
        return pMdi->GetDockManager();
    if (CZUDPOleIPFrameWnd* pInPlace = DYNAMIC_DOWNCAST(CZUDPOleIPFrameWnd, pFrame))
        return pInPlace->GetDockManager();   // the document in-place frame among them
    if (CZUDPMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CZUDPMDIChildWnd, pFrame))
        return pChild->GetDockManager();
    if (CZUDPOleCntrFrameWnd* pContainer = DYNAMIC_DOWNCAST(CZUDPOleCntrFrameWnd, pFrame))
        return pContainer->GetDockManager();
    return nullptr;
}

CZUDPFrameDockSite* ButtonTooltipSiteOf(CWnd* pFrame, BOOL bMDIChild)
{
    if (pFrame == nullptr)
        return nullptr;
    if (CZUDPMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pFrame))
        return pMdi;
    if (CZUDPFrameWnd* pSdi = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pFrame))
        return pSdi;
    if (bMDIChild) {
        if (CZUDPMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CZUDPMDIChildWnd, pFrame))
            return pChild;
    }
    if (CZUDPOleIPFrameWnd* pInPlace = DYNAMIC_DOWNCAST(CZUDPOleIPFrameWnd, pFrame))
        return pInPlace;
    return nullptr;
}

CZUDPFrameImpl* FrameImplOf(CWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    if (CZUDPMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pFrame))
        return &pMdi->GetFrameImpl();
    if (CZUDPFrameWnd* pSdi = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pFrame))
        return &pSdi->GetFrameImpl();
    return nullptr;
}

void CZUDPFrameDockSite::LayoutFrame(CFrameWnd* pFrame, const CRect& rectBorder)
{
    m_dockManager.LayoutDockedBars(nullptr);
    CRect rectClient = m_dockManager.GetClientAreaRect();
    CRect rectBorders = rectBorder;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &rectBorders, &rectClient);
}

// ---------------------------------------------------------------------------
// The single-document frame

namespace {

// The ids of the bar-visibility commands: toolbar, status bar, rebar.
constexpr UINT kFrameBarToolbarId = 0xE800;
constexpr UINT kFrameBarStatusId = 0xE801;
constexpr UINT kFrameBarRebarId = 0xE804;
// The print preview's close command.
constexpr UINT kFramePreviewClose = 0xE300;

BOOL IsBarCommand(UINT nID)
{
    return nID == kFrameBarToolbarId || nID == kFrameBarStatusId || nID == kFrameBarRebarId;
}

} // namespace

BEGIN_MESSAGE_MAP(CZUDPFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_REGISTERED_MESSAGE(ZUDM_CHANGEVISUALMANAGER, &CZUDPFrameWnd::OnChangeVisualManager)
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR_CREATE, &CZUDPFrameWnd::OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR_DELETE, &CZUDPFrameWnd::OnToolbarDelete)
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR_POPUPMENU, &CZUDPFrameWnd::OnToolbarContextMenu)
END_MESSAGE_MAP()

CZUDPFrameWnd::CZUDPFrameWnd() : CZUDPFrameDockSite(this) { m_Impl.m_pDockManager = GetDockManager(); }

CZUDPFrameWnd::~CZUDPFrameWnd() { RemoveFrame(this); }

BOOL CZUDPFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // The bar-visibility commands act on a bar the frame has; without one
    // they stay unhandled, so that other targets may take them.
    if (IsBarCommand(nID) && pHandlerInfo == nullptr) {
        if (nCode == int(CN_COMMAND)) {
            if (OnBarCheck(nID))
                return TRUE;
        } else if (nCode == int(CN_UPDATE_COMMAND_UI) && pExtra != nullptr) {
            CZUDPBaseControlBar* pBar = m_dockManager.LocateBarById(nID, TRUE);
            if (pBar != nullptr) {
                static_cast<CCmdUI*>(pExtra)->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
                return TRUE;
            }
        }
    }
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_dockManager.OnBarsMenuCommand(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CZUDPFrameWnd::OnBarCheck(UINT nID)
{
    CZUDPBaseControlBar* pBar = m_dockManager.LocateBarById(nID, TRUE);
    if (pBar == nullptr)
        return FALSE;
    pBar->ShowBar((pBar->GetStyle() & WS_VISIBLE) == 0, FALSE, FALSE);
    return TRUE;
}

BOOL CZUDPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnAfterLoadFrame();
    return TRUE;
}

BOOL CZUDPFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.m_pDockManager = GetDockManager();
    m_Impl.RestoreWindowPlacement(cs);
    return CFrameWnd::PreCreateWindow(cs);
}

int CZUDPFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (Default() == -1)
        return -1;
    m_Impl.m_bHadBorder = (lpCreateStruct->style & WS_BORDER) != 0;
    CZUDPFrameImpl::AddFrameToList(this);
    OnChangeVisualManager(0, 0);
    return 0;
}

void CZUDPFrameWnd::OnDestroy()
{
    if (m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = nullptr;
    }
    m_dockManager.EnableLayout(FALSE);
    // Handles, not objects: destroying one bar may destroy or delete others
    // (panes of a tabbed bar, floating frames), and sliders delete
    // themselves.  Every child but the sliders goes first, then the
    // sliders; each only while it is still a window of this frame.
    CArray<HWND, HWND> windows;
    for (int nPass = 0; nPass < 2; ++nPass) {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            CWnd* pChild = CWnd::FromHandlePermanent(hChild);
            const BOOL bSlider = pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CZUDPSlider));
            if (bSlider == (nPass == 1))
                windows.Add(hChild);
        }
    }
    for (int i = 0; i < windows.GetSize(); ++i) {
        const HWND hChild = windows[i];
        if (::IsWindow(hChild) && ::GetParent(hChild) == m_hWnd)
            ::DestroyWindow(hChild);
    }
    CZUDPFrameImpl::RemoveFrameFromList(this);
    Default();
}

void CZUDPFrameWnd::OnClose()
{
    if (m_pPrintPreviewFrame != nullptr) {
        // The preview ends; the frame stays open.
        CZUDPFrameWnd* pPreview = m_pPrintPreviewFrame;
        m_pPrintPreviewFrame = nullptr;
        if (::IsWindow(pPreview->GetSafeHwnd()))
            pPreview->SendMessage(WM_COMMAND, kFramePreviewClose);
        return;
    }
    if (!m_Impl.AreBarsHiddenForPreview())
        m_Impl.OnCloseFrame();
    Default();
}

void CZUDPFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    m_bIsMinimized = nType == SIZE_MINIMIZED;
    if (m_Impl.IsCustomCaptionActive()) {
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        m_Impl.UpdateWindowRegion(SWP_FRAMECHANGED, rectWindow.Width(), rectWindow.Height());
    }
    m_Impl.LayoutCaptionButtons();
    m_dockManager.ToggleMiniFrames(!m_bIsMinimized);
    if (nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED || m_bWasMaximized) {
        CFrameWnd::OnSize(nType, cx, cy);
        if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized))
            RecalcLayout(TRUE);
        m_bWasMaximized = nType == SIZE_MAXIMIZED;
        return;
    }
    // A plain resize only lays the docked bars out again.
    Default();
    RecalcDockLayout();
}

void CZUDPFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_Impl.m_FullScreen.IsActive()) {
        m_Impl.m_FullScreen.FillMinMaxInfo(lpMMI);
        return;
    }
    m_Impl.OnGetMinMaxInfo(lpMMI);
    Default();
}

void CZUDPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    (void)pWndOther;
    (void)bMinimized;
    Default();
    if (nState == WA_CLICKACTIVE)
        UpdateWindow();
    else if (nState == WA_INACTIVE && !g_customizeMode)
        m_Impl.OnDeactivateFrame();
}

void CZUDPFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    if (lpwndpos != nullptr && (lpwndpos->flags & SWP_FRAMECHANGED) != 0)
        m_Impl.UpdateWindowRegion(lpwndpos->flags, lpwndpos->cx, lpwndpos->cy);
    Default();
}

void CZUDPFrameWnd::OnNcPaint()
{
    if (!m_Impl.OnNcPaint())
        Default();
}

BOOL CZUDPFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_Impl.OnNcActivate(bActive))
        return TRUE;
    return BOOL(Default());
}

void CZUDPFrameWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    // The frame's own answer replaces Windows' only for a maximized frame;
    // otherwise Windows completes the calculation from the moved rectangle.
    const BOOL bCustom = m_Impl.IsCustomCaptionActive();
    if (!bCustom) {
        Default();
        return;
    }
    // Windows computes the standard frame first (the caption it would draw
    // is gone with WS_BORDER), then the custom caption's room is kept.
    Default();
    m_Impl.OnNcCalcSize(bCalcValidRects, lpncsp);
}

LRESULT CZUDPFrameWnd::OnNcHitTest(CPoint point)
{
    const UINT nHit = m_Impl.OnNcHitTest(point);
    return nHit != 0 ? LRESULT(nHit) : Default();
}

void CZUDPFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_Impl.IsCustomCaptionActive())
        m_Impl.TrackCaptionButtonHover(point);
    if (nHitTest == HTCAPTION && IsZoomed() && m_Impl.IsCustomCaptionActive())
        return;
    Default();
}

void CZUDPFrameWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    m_Impl.OnCaptionLButtonDown();
    Default();
}

void CZUDPFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    m_Impl.OnCaptionLButtonUp();
    Default();
}

void CZUDPFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    m_Impl.OnCaptionMouseMove(point);
    Default();
}

LRESULT CZUDPFrameWnd::OnChangeVisualManager(WPARAM, LPARAM)
{
    m_Impl.OnVisualManagerChanged();
    return 0;
}

LRESULT CZUDPFrameWnd::OnToolbarCreateNew(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CZUDPFrameWnd::OnToolbarDelete(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    return m_Impl.DeleteUserToolbar(reinterpret_cast<CZUDPToolBar*>(lParam));
}

LRESULT CZUDPFrameWnd::OnToolbarContextMenu(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    return TRUE;
}

void CZUDPFrameWnd::RecalcDockLayout(HDWP hdwp)
{
    m_dockManager.LayoutDockedBars(hdwp);
    FitClientToDockArea();
    if (m_pNotifyHook != nullptr)
        RecalcLayout(TRUE);
}

void CZUDPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    // The top-level frame (or the active in-place frame) knows which frame
    // shows the preview, so that closing it ends the preview.
    CWnd* pRecorder = g_activeInPlaceFrame != nullptr ? static_cast<CWnd*>(g_activeInPlaceFrame) : GetTopLevelParent();
    if (CZUDPFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pRecorder))
        pFrame->m_pPrintPreviewFrame = bPreview ? this : nullptr;
    m_dockManager.SetPrintPreviewMode(bPreview, pState);
    // The docked bars are the dock manager's to hide and show: the base
    // keeps no note of them.
    const DWORD dwStates = pState != nullptr ? pState->dwStates : 0;
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (pState != nullptr)
        pState->dwStates = dwStates;
    RecalcDockLayout(nullptr);
    RecalcLayout(TRUE);
    // A ribbon that draws the caption switches its category.
    if (m_pRibbonBar != nullptr)
        PostMessage(ZUDM_POSTSETPREVIEWFRAME, bPreview, 0);
}

void CZUDPFrameWnd::FitClientToDockArea()
{
    CWnd* pView = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pView == nullptr || pView->GetSafeHwnd() == nullptr)
        return;
    CRect rect = m_dockManager.GetClientAreaRect();
    rect.left += m_rectBorder.left;
    rect.top += m_rectBorder.top;
    rect.right -= m_rectBorder.right;
    rect.bottom -= m_rectBorder.bottom;
    pView->CalcWindowRect(&rect, adjustBorder);
    pView->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    pView->SetWindowPos(&CWnd::wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

BOOL CZUDPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    if (HIWORD(wParam) == 1) {
        // From an accelerator: it counts as a use, an open popup closes,
        // and a user tool's command runs the tool.
        CZUDPToolBar::CountCommandUse(nID);
        if (m_Impl.ProcessKeyboard(VK_ESCAPE))
            return TRUE;
        if (g_userToolsManager != nullptr && g_userToolsManager->RunTool(nID))
            return TRUE;
    }
    if (g_customizeMode)
        return FALSE;   // commands do not run while the bars are customized
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CZUDPFrameWnd::PreparePopupMenu(CZUDPPopupMenu* pMenu)
{
    if (!m_Impl.PreparePopupMenu(pMenu))
        return FALSE;
    if (pMenu == nullptr)
        return TRUE;
    return OnPopupMenuShowing(pMenu);
}

void CZUDPFrameWnd::OnClosePopupMenu(CZUDPPopupMenu* pMenu)
{
    if (g_activePopupMenu == pMenu)
        g_activePopupMenu = nullptr;
    m_dockManager.OnBarsMenuClosed();
}

BOOL CZUDPFrameWnd::PreTranslateMessage(MSG* pMsg)
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
    case WM_KEYDOWN: {
        BOOL bProcessAccel = TRUE;
        if (!CZUDPFrameImpl::IsPlainF1(pMsg) && m_Impl.ProcessKeyboard(int(pMsg->wParam), &bProcessAccel))
            return TRUE;
        if (pMsg->wParam == VK_ESCAPE) {
            if (m_Impl.m_FullScreen.IsActive()) {
                m_Impl.m_FullScreen.LeaveFullScreen(this);
                return TRUE;
            }
            CWnd* pCapture = CWnd::FromHandlePermanent(::GetCapture());
            if (pCapture != nullptr && pCapture->IsKindOf(RUNTIME_CLASS(CZUDPSlider))) {
                pCapture->SendMessage(WM_CANCELMODE);
                return TRUE;
            }
        }
        if (!bProcessAccel)
            return FALSE;   // no accelerator for a key typed into a toolbar control
        break;
    }
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
        if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd()) &&
            pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU) {
            g_activePopupMenu->SendMessage(WM_CLOSE);
            return TRUE;
        }
        if (pMsg->message == WM_SYSKEYDOWN && m_Impl.ProcessKeyboard(int(pMsg->wParam)))
            return TRUE;
        break;
    case WM_SYSKEYUP:
        if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd()))
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
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        CPoint pt(short(LOWORD(pMsg->lParam)), short(HIWORD(pMsg->lParam)));
        const BOOL bWindow = ::IsWindow(pMsg->hwnd);
        if (bWindow)
            ::ClientToScreen(pMsg->hwnd, &pt);
        if (m_Impl.ProcessMouseClick(pMsg->message, pt, pMsg->hwnd) || (bWindow && !::IsWindow(pMsg->hwnd)))
            return TRUE;
        break;
    }
    case WM_MOUSEWHEEL:
        if (m_Impl.ProcessMouseWheel(pMsg->wParam, pMsg->lParam))
            return TRUE;
        break;
    default:
        break;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

CZUDPMDIFrameWnd::CZUDPMDIFrameWnd() : CZUDPFrameDockSite(this)
{
    m_Impl.m_pDockManager = GetDockManager();
    g_frameList.AddTail(this);
}

CZUDPMDIFrameWnd::~CZUDPMDIFrameWnd() { RemoveFrame(this); }

BOOL CZUDPMDIFrameWnd::ReleaseTabbedDocument(CWnd* pMDIChild)
{
    // No child hosts a pane yet: panes become documents with the docking
    // subsystem's MDI tabs.
    (void)pMDIChild;
    return FALSE;
}
