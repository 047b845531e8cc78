#include "ui/docking/ZUDPMiniFrameWnd.h"

#include "framework/Archive.h"
#include "framework/win/Controls.h"
#include "framework/win/FrameworkSeams.h"
#include "res/ui/commandbars.h"
#include "res/ui/docking.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPTabbedToolbar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPMiniFrameWnd, CMiniFrameWnd, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CZUDPMultiMiniFrameWnd, CZUDPMiniFrameWnd, VERSIONABLE_SCHEMA | 2)

CMap<UINT, UINT, HWND, HWND> g_floatingBarMap;
CWnd* g_miniFrameLoadParent = nullptr;
UINT g_rollUpDelay = 250;
int g_captionButtonSpacing = 4;

namespace {

// The style bits a frame re-created from an archive may keep: a popup
// with at most the frame's own sizing and clipping bits; anything else in a
// damaged value (a child style, disabled, maximized) is dropped.
const DWORD kLoadableFrameStyle = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_THICKFRAME | WS_SYSMENU;

BOOL IsLiveLibraryWindow(HWND hWnd)
{
    return hWnd != nullptr && ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) != nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CZUDPMiniFrameWnd, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_CHAR()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_MOVING()
    ON_WM_TIMER()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SETTINGCHANGE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_EXITSIZEMOVE, &CZUDPMiniFrameWnd::OnExitSizeMove)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CZUDPMiniFrameWnd::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_FLOATSTATUS, &CZUDPMiniFrameWnd::OnFloatStatus)
    ON_REGISTERED_MESSAGE(ZUDPMSG_CHECKEMPTYMINIFRAME, &CZUDPMiniFrameWnd::OnCheckEmptyState)
    ON_REGISTERED_MESSAGE(ZUDM_UPDATETOOLTIPS, &CZUDPMiniFrameWnd::OnUpdateToolTips)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CZUDPMiniFrameWnd::OnNeedTipText)
END_MESSAGE_MAP()

CZUDPMiniFrameWnd::CZUDPMiniFrameWnd() { RecalcCaptionMetrics(); }

CZUDPMiniFrameWnd::~CZUDPMiniFrameWnd() { RemoveAllCaptionButtons(); }

void CZUDPMiniFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

// ---------------------------------------------------------------------------
// Creation and destruction

BOOL CZUDPMiniFrameWnd::CreateFrame(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                                    CCreateContext* pContext)
{
    return CreateFrameEx(0, lpszWindowName, dwStyle, rect, pParentWnd, pContext);
}

BOOL CZUDPMiniFrameWnd::CreateFrameEx(DWORD dwStyleEx, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                      CWnd* pParentWnd, CCreateContext* pContext)
{
    (void)pContext;
    dwStyle |= WS_POPUP;
    HWND hWndParent = AfxSafeHwnd(pParentWnd);
    if (hWndParent != nullptr) {
        dwStyleEx |= ::GetWindowLongA(hWndParent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL;
        RecordOwner(hWndParent);
    }
    CString strClass;
    try {
        strClass = g_uiEnvironment.RegisterWindowClass("ZUDPMiniFrame");
    } catch (...) {
        return FALSE;
    }
    if (!CMiniFrameWnd::CreateEx(dwStyleEx, strClass, lpszWindowName != nullptr ? lpszWindowName : "", dwStyle, rect,
                                 pParentWnd, 0))
        return FALSE;
    if (hWndParent != nullptr) {
        CZUDPDockManager* pManager = m_pDockManager;
        if (pManager == nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            pManager = g_globalUtils.DockManagerOfWindow(pParentWnd);
        if (pManager == nullptr || !pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
            // No dock manager would ever know this frame: the window made
            // goes again rather than float around as an orphan.
            const BOOL bAutoDelete = m_bAutoDelete;
            m_bAutoDelete = FALSE;
            DestroyWindow();
            m_bAutoDelete = bAutoDelete;
            return FALSE;
        }
        pManager->RegisterMiniFrame(this);
    }
    m_dragFrameImpl.AttachToWindow(this);
    return TRUE;
}

int CZUDPMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if ((int)Default() == -1)
        return -1;
    g_miniFrameList.AddTail(m_hWnd);
    CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_MINIFRAME);
    return 0;
}

void CZUDPMiniFrameWnd::OnDestroy()
{
    EndMove();
    KillMoveTimer();
    if (m_nRollUpTimer != 0) {
        g_frameworkSeams.killTimer(m_hWnd, ZUDP_MINIFRAME_ROLLUP_TIMER);
        m_nRollUpTimer = 0;
    }
    // A drag outline or update lock of a move that never ended goes now.
    if (m_dragFrameImpl.IsShowingFeedback())
        m_dragFrameImpl.EndDragFrame(TRUE);
    if (CZUDPDockManager* pManager = GetDockManager())
        pManager->UnregisterMiniFrame(this);
    if (POSITION pos = g_miniFrameList.Find(m_hWnd))
        g_miniFrameList.RemoveAt(pos);
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    Default();
}

CZUDPDockManager* CZUDPMiniFrameWnd::GetDockManager() const
{
    if (m_pDockManager != nullptr)
        return m_pDockManager;
    CWnd* pOwner = CWnd::FromHandlePermanent(m_recordedOwner);
    return pOwner != nullptr ? g_globalUtils.DockManagerOfWindow(pOwner) : nullptr;
}

// ---------------------------------------------------------------------------
// The hosted bar

int CZUDPMiniFrameWnd::HasHostedBar() const
{
    if (m_pHostedBar == nullptr || !::IsWindow(m_pHostedBar->GetSafeHwnd()))
        return 0;
    return ::GetParent(m_pHostedBar->GetSafeHwnd()) == m_hWnd ? 1 : 0;
}

int CZUDPMiniFrameWnd::GetVisibleBarCount() const
{
    if (HasHostedBar() == 0)
        return 0;
    return (m_pHostedBar->GetStyle() & WS_VISIBLE) ? 1 : 0;
}

void CZUDPMiniFrameWnd::AddHostedBar(CWnd* pBar)
{
    if (pBar == nullptr)
        return;
    m_bHostsToolbar = pBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar));
    m_bKeptForDrag = FALSE;
    if (pBar == m_pHostedBar && HasHostedBar() != 0)
        return;
    m_pHostedBar = pBar;
    UpdateFloatingBarMap(pBar, TRUE);
    if (m_hWnd == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    // The borders depend on the kind of bar.
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CString strTitle;
    pBar->GetWindowText(strTitle);
    SetWindowText(strTitle);
    for (WPARAM nKind = 0; nKind <= 1; ++nKind) {
        const LRESULT hIcon = pBar->SendMessage(WM_GETICON, nKind, 0);
        SendMessage(WM_SETICON, nKind, hIcon);
    }
    CZUDPBaseControlBar* pControlBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pBar);
    if (pControlBar != nullptr && pControlBar->CanClose()) {
        CZUDPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pBar);
        const BOOL bOptions = pToolBar != nullptr && pToolBar->GetOverflowButton() != nullptr &&
                              !pBar->IsKindOf(RUNTIME_CLASS(CZUDPMenuBar));
        SetCaptionButtons(bOptions ? ZUDP_CAPTION_BTN_CLOSE | ZUDP_CAPTION_BTN_OPTIONS : ZUDP_CAPTION_BTN_CLOSE);
    }
    CZUDPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPMenuBar, pBar);
    if (pMenuBar != nullptr && pMenuBar->GetOverflowButton() != nullptr)
        SetCaptionButtons(ZUDP_CAPTION_BTN_OPTIONS);
    StartRollUpIfWanted();
}

void CZUDPMiniFrameWnd::RemoveHostedBar(CWnd* pBar, BOOL bDestroyIfEmpty, BOOL bKeepFrame)
{
    if (pBar == nullptr || pBar != m_pHostedBar)
        return;
    m_bHideWhenEmpty = bKeepFrame;
    UpdateFloatingBarMap(pBar, FALSE);
    m_pHostedBar = nullptr;
    StopRollUpIfUnwanted();
    if (!bDestroyIfEmpty || m_hWnd == nullptr)
        return;
    if (bKeepFrame) {
        // A drag that left the frame goes on: the frame stays until the
        // drag ends.
        m_bKeptForDrag = TRUE;
        return;
    }
    // The bar is still a child here: the frame closes itself once the bar
    // has left it.
    PostMessage(ZUDPMSG_CHECKEMPTYMINIFRAME);
}

void CZUDPMiniFrameWnd::ReplaceHostedBar(CWnd* pOldBar, CWnd* pNewBar)
{
    UpdateFloatingBarMap(pOldBar, FALSE);
    if (pOldBar == m_pHostedBar)
        m_pHostedBar = pNewBar;
    UpdateFloatingBarMap(pNewBar, TRUE);
    StartRollUpIfWanted();
}

void CZUDPMiniFrameWnd::OnBarSetChanged()
{
    if (m_hWnd == nullptr || m_pHostedBar == nullptr || m_pHostedBar->GetSafeHwnd() == nullptr)
        return;
    CString strTitle;
    m_pHostedBar->GetWindowText(strTitle);
    SetWindowText(strTitle);
    SendMessage(WM_NCPAINT);
}

void CZUDPMiniFrameWnd::SizeToHostedBar()
{
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    if (m_hWnd == nullptr || pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    const CSize size = pBar->CalcStretchSize(FALSE, TRUE);
    if (size.cx > 0 && size.cy > 0 && size.cx < 0x7FFF && size.cy < 0x7FFF) {
        CRect rectWindow, rectClient;
        GetWindowRect(&rectWindow);
        GetClientRect(&rectClient);
        const int cx = size.cx + rectWindow.Width() - rectClient.Width();
        const int cy = size.cy + rectWindow.Height() - rectClient.Height();
        SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RepositionHostedBar();
}

void CZUDPMiniFrameWnd::RepositionHostedBar()
{
    if (m_hWnd == nullptr || HasHostedBar() == 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pHostedBar);
    if (pBar != nullptr && g_keepPaneMinSize) {
        CSize sizeMin;
        pBar->GetMinSize(sizeMin);
        if (rectClient.Width() < sizeMin.cx || rectClient.Height() < sizeMin.cy) {
            rectClient.right = std::max(rectClient.right, rectClient.left + sizeMin.cx);
            rectClient.bottom = std::max(rectClient.bottom, rectClient.top + sizeMin.cy);
        }
    }
    m_pHostedBar->SetWindowPos(nullptr, 0, 0, rectClient.Width(), rectClient.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pHostedBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPMiniFrameWnd::OnHostedBarLayoutChanged()
{
    if (CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar))
        pBar->RefreshPlacement();
    SizeToHostedBar();
}

void CZUDPMiniFrameWnd::UpdateFloatingBarMap(CWnd* pBar, BOOL bAdd)
{
    HWND hWndBar = AfxSafeHwnd(pBar);
    if (hWndBar == nullptr)
        return;
    const UINT nID = (UINT)::GetDlgCtrlID(hWndBar);
    if (bAdd) {
        g_floatingBarMap.SetAt(nID, hWndBar);
        return;
    }
    HWND hWndListed = nullptr;
    if (g_floatingBarMap.Lookup(nID, hWndListed) && hWndListed == hWndBar)
        g_floatingBarMap.RemoveKey(nID);
}

CZUDPBaseControlBar* CZUDPMiniFrameWnd::FindFloatingBar(UINT nID)
{
    HWND hWnd = nullptr;
    if (!g_floatingBarMap.Lookup(nID, hWnd) || !::IsWindow(hWnd))
        return nullptr;
    return DYNAMIC_DOWNCAST(CZUDPBaseControlBar, CWnd::FromHandlePermanent(hWnd));
}

DWORD CZUDPMiniFrameWnd::GetDockingMode() const
{
    if (CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar))
        return pBar->GetDockingMode();
    return g_globalDockMode;
}

BOOL CZUDPMiniFrameWnd::SaveHostedBarState(LPCTSTR lpszProfileName, int nIndex)
{
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    return pBar != nullptr ? pBar->SaveBarState(lpszProfileName, nIndex, (UINT)-1) : TRUE;
}

BOOL CZUDPMiniFrameWnd::LoadHostedBarState(LPCTSTR lpszProfileName, int nIndex)
{
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    return pBar != nullptr ? pBar->LoadBarState(lpszProfileName, nIndex, (UINT)-1) : TRUE;
}

LRESULT CZUDPMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    if (m_bKeptForDrag)
        return 0;
    if (HasHostedBar() == 0) {
        if (m_bHideWhenEmpty)
            ShowWindow(SW_HIDE);
        else
            DestroyWindow();
        return 0;
    }
    // A frame whose bar is hidden shows nothing.
    if (!(m_pHostedBar->GetStyle() & WS_VISIBLE))
        ShowWindow(SW_HIDE);
    return 0;
}

void CZUDPMiniFrameWnd::RedrawAllMiniFrames()
{
    // A copy: a redraw may destroy a frame, which takes itself off the list.
    CList<HWND, HWND> frames;
    frames.AddTail(&g_miniFrameList);
    for (POSITION pos = frames.GetHeadPosition(); pos != nullptr;) {
        HWND hWnd = frames.GetNext(pos);
        if (IsLiveLibraryWindow(hWnd))
            ::RedrawWindow(hWnd, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_UPDATENOW);
    }
}

// ---------------------------------------------------------------------------
// Saved state

void CZUDPMiniFrameWnd::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        CRect rect;
        GetWindowRect(&rect);
        if (m_bRolledUp)
            rect.bottom = rect.top + m_nHeightBeforeRollUp;
        ar << (int32_t)GetStyle();
        ar << (int32_t)rect.left << (int32_t)rect.top << (int32_t)rect.right << (int32_t)rect.bottom;
        ar << (int32_t)(IsWindowVisible() ? 1 : 0);
        ar << (int32_t)(m_pHostedBar != nullptr && m_pHostedBar->GetSafeHwnd() != nullptr
                            ? ::GetDlgCtrlID(m_pHostedBar->GetSafeHwnd())
                            : 0);
        ar << (int32_t)m_dwCaptionButtons << (int32_t)m_nPinState;
        return;
    }
    int32_t nStyle = 0, left = 0, top = 0, right = 0, bottom = 0, nVisible = 0, nBarID = 0, nButtons = 0, nPinned = 0;
    ar >> nStyle >> left >> top >> right >> bottom >> nVisible >> nBarID >> nButtons >> nPinned;
    (void)nVisible;
    // A stored value is outside input: the window stays a popup with only
    // its own bits, of a sane size, on a work area.
    const DWORD dwStyle = ((DWORD)nStyle & kLoadableFrameStyle) | WS_POPUP;
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    const int nMinSide = m_nCaptionHeight + 15;
    rect.right = rect.left + std::clamp<int>(rect.Width(), nMinSide, 0x4000);
    rect.bottom = rect.top + std::clamp<int>(rect.Height(), nMinSide, 0x4000);
    const CRect margins(m_nCaptionHeight, m_nCaptionHeight, m_nCaptionHeight, m_nCaptionHeight);
    g_globalUtils.FitRectToWorkArea(rect, &margins);
    m_nSavedBarID = nBarID;
    m_nPinState = nPinned != 0 ? 1 : 0;
    if (!CreateFrame("", dwStyle, rect, g_miniFrameLoadParent))
        AfxThrowArchiveException(0);
    RecordOwner(AfxSafeHwnd(g_miniFrameLoadParent));
    m_dwCaptionButtons = (DWORD)nButtons & (ZUDP_CAPTION_BTN_PIN | ZUDP_CAPTION_BTN_CLOSE | ZUDP_CAPTION_BTN_MENU |
                                            ZUDP_CAPTION_BTN_OPTIONS);
}

void CZUDPMiniFrameWnd::ReattachSavedBar(CZUDPDockManager* pDockManager)
{
    CZUDPBaseControlBar* pBar =
        m_nSavedBarID != 0 && pDockManager != nullptr ? pDockManager->LocateBarById((UINT)m_nSavedBarID, TRUE) : nullptr;
    if (pBar == nullptr || !pBar->CanFloat() || pBar->GetSafeHwnd() == nullptr) {
        DestroyWindow();
        return;
    }
    CZUDPControlBar* pControlBar = DYNAMIC_DOWNCAST(CZUDPControlBar, pBar);
    if (pBar->GetParentMiniFrame(TRUE) == nullptr && pControlBar != nullptr) {
        CRect rect;
        pBar->GetWindowRect(&rect);
        pControlBar->FloatBar(rect, ZUDP_DM_RESTORE, FALSE);
    }
    CZUDPMiniFrameWnd* pOldFrame = pBar->GetParentMiniFrame(TRUE);
    if (pOldFrame == nullptr) {
        DestroyWindow();
        return;
    }
    const DWORD dwButtons = m_dwCaptionButtons;
    if (pOldFrame != this) {
        pOldFrame->RemoveHostedBar(pBar, FALSE, FALSE);
        pBar->SetParent(this);
        pOldFrame->DestroyWindow();
    }
    pBar->RecalcParentLayout(FALSE);
    AddHostedBar(pBar);
    pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    CRect rectClient;
    GetClientRect(&rectClient);
    pBar->CalcFixedSize(rectClient.Height(), TRUE);
    pBar->RefreshPlacement();
    SizeToHostedBar();
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetCaptionButtons(dwButtons);
}

BOOL CZUDPMultiMiniFrameWnd::InsertBarBeside(CWnd* pBar, CWnd* pTarget, BOOL bAfter)
{
    (void)pBar;
    (void)pTarget;
    (void)bAfter;
    return FALSE;
}
