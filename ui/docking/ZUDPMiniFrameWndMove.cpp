// The floating frame's own moves: the frame follows the cursor
// (immediate mode) and the dock manager docks its bar after a pause over a
// dock bar, or an outline follows the cursor and the frame moves there on
// release (outline mode); Escape, a double click and a cancelled move send
// the bar back to its recent dock place; and the drag of a menu just torn
// off into a floating toolbar.
#include "ui/docking/ZUDPMiniFrameWnd.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"

namespace {

BOOL DocksOnAnySide(const CZUDPBaseControlBar* pBar)
{
    return pBar != nullptr && (pBar->GetDockableSides() & CBRS_ALIGN_ANY) != 0;
}

} // namespace

void CZUDPMiniFrameWnd::BeginMove(CWnd* pWnd)
{
    if (m_hWnd == nullptr || m_bMovingWithMouse)
        return;
    SetCapture();
    if (m_hWndMoveCompanion == nullptr)
        m_hWndMoveCompanion = AfxSafeHwnd(pWnd);
    m_bMovingWithMouse = TRUE;
    SetHostedBarMoving(TRUE);
    g_frameworkSeams.cursorPos(&m_dragFrameImpl.m_ptLast);
    if (GetDockingMode() & ZUDP_DOCK_IMMEDIATE)
        ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
    g_frameworkSeams.cursorPos(&m_ptMoveStart);
}

void CZUDPMiniFrameWnd::EndMove()
{
    if (!m_bMovingWithMouse)
        return;
    m_bMovingWithMouse = FALSE;
    m_bMoveStarted = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    SetHostedBarMoving(FALSE);
}

void CZUDPMiniFrameWnd::SetHostedBarMoving(BOOL bMoving)
{
    if (bMoving)
        return;
    if (m_hWndMoveCompanion != nullptr) {
        HWND hWnd = m_hWndMoveCompanion;
        m_hWndMoveCompanion = nullptr;
        if (::IsWindow(hWnd) && hWnd != m_hWnd)
            ::DestroyWindow(hWnd);
    }
}

BOOL CZUDPMiniFrameWnd::NotifyOwnerOfMove()
{
    CWnd* pOwner = CWnd::FromHandlePermanent(m_recordedOwner);
    if (pOwner == nullptr || !pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return FALSE;
    CZUDPDockManager* pManager = GetDockManager();
    return pManager != nullptr ? pManager->TrackMiniFrameMove(this) : FALSE;
}

void CZUDPMiniFrameWnd::StartMoveTimer(UINT nDelay)
{
    if (m_hWnd == nullptr)
        return;
    m_nMoveTimer = g_frameworkSeams.setTimer(m_hWnd, ZUDP_MINIFRAME_MOVE_TIMER, nDelay, nullptr);
}

void CZUDPMiniFrameWnd::KillMoveTimer()
{
    if (m_hWnd != nullptr)
        g_frameworkSeams.killTimer(m_hWnd, ZUDP_MINIFRAME_MOVE_TIMER);
    m_nMoveTimer = 0;
}

void CZUDPMiniFrameWnd::RefreshDragFrame() { m_dragFrameImpl.TrackDragFrame(TRUE); }

void CZUDPMiniFrameWnd::SaveRecentFloatRect()
{
    if (m_hWnd == nullptr)
        return;
    GetWindowRect(&m_rectRecentFloatingRect);
    if (CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pHostedBar))
        pBar->GetRecentDockInfo().m_rectRecentFloatingRect = m_rectRecentFloatingRect;
}

// ---------------------------------------------------------------------------
// Mouse

void CZUDPMiniFrameWnd::OnLButtonDown(UINT, CPoint)
{
    if (m_nHotHit != 0) {
        if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd()))
            g_activePopupMenu->SendMessage(WM_CLOSE);
        if (CZUDPCaptionButton* pButton = FindCaptionButton((UINT)m_nHotHit)) {
            m_nPressedHit = m_nHotHit;
            pButton->m_bPushed = TRUE;
            RedrawCaptionButton(pButton);
        }
        return;
    }
    if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd()))
        g_activePopupMenu->SendMessage(WM_CLOSE);
    m_bMoveStarted = FALSE;
    BeginMove(nullptr);
    SaveRecentFloatRect();
    if (m_pHostedBar == nullptr || !m_pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)))
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    Default();
}

void CZUDPMiniFrameWnd::OnMouseMove(UINT, CPoint point)
{
    if (m_bSkipNextMouseMove) {
        m_bSkipNextMouseMove = FALSE;
        return;
    }
    if (!m_bMovingWithMouse) {
        ClientToScreen(&point);
        TrackCaptionButtonHover(point);
        Default();
        return;
    }
    CPoint ptCursor;
    g_frameworkSeams.cursorPos(&ptCursor);
    if (!m_bMoveStarted) {
        if (ptCursor == m_ptMoveStart)
            return;
        m_bMoveStarted = TRUE;
    }
    const DWORD dwMode = GetDockingMode();
    g_globalUtils.m_bMovingFloatingFrame = TRUE;
    if (!(dwMode & ZUDP_DOCK_IMMEDIATE)) {
        if (dwMode & ZUDP_DOCK_OUTLINE)
            m_dragFrameImpl.TrackDragFrame(FALSE);
        g_globalUtils.m_bMovingFloatingFrame = FALSE;
        return;
    }
    const HWND hWnd = m_hWnd;
    // The dock manager may dock the bar here instead (the frame then stays
    // where it is until the drag that goes on in the dock bar ends).
    if (NotifyOwnerOfMove() && ::IsWindow(hWnd) && m_bMovingWithMouse) {
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        rectWindow.OffsetRect(ptCursor - m_dragFrameImpl.m_ptLast);
        SetWindowPos(nullptr, rectWindow.left, rectWindow.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        m_dragFrameImpl.m_ptLast = ptCursor;
        GetWindowRect(&m_dragFrameImpl.m_rectFrame);
    }
    if (::IsWindow(hWnd))
        ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
    g_globalUtils.m_bMovingFloatingFrame = FALSE;
}

void CZUDPMiniFrameWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_bMovingWithMouse) {
        EndMove();
        BOOL bDocked = FALSE;
        CZUDPBaseControlBar* pResult = DockOnMoveEnd(bDocked);
        if (pResult != nullptr && !bDocked)
            return;
        if (pResult == nullptr && !bDocked) {
            m_dragFrameImpl.m_rectFrame.SetRectEmpty();
            m_dragFrameImpl.m_rectDock.SetRectEmpty();
            Default();
            return;
        }
        g_globalUtils.ForceFrameRelayout(GetDockManager(), FALSE);
        return;
    }
    if (m_nPressedHit != 0) {
        const int nPressed = m_nPressedHit;
        const BOOL bOverItself = m_nPressedHit == m_nHotHit;
        ResetCaptionButtonStates();
        if (bOverItself) {
            if (nPressed == ZUDP_HIT_PIN) {
                m_nPinState = m_nPinState != 0 ? 0 : 1;
                SendMessage(WM_NCPAINT);
            } else if (nPressed == ZUDP_HIT_CLOSE) {
                if (AskOwnerFrame())
                    HideWithBar();
            } else if (!g_customizeMode) {
                ShowCustomizeMenu(nPressed);
            }
        }
    }
    if (m_hWnd != nullptr)
        Default();
}

void CZUDPMiniFrameWnd::OnLButtonDblClk(UINT, CPoint point)
{
    ClientToScreen(&point);
    if (CaptionButtonFromPoint(point) == nullptr)
        DockToRecentPlace();
    if (m_hWnd != nullptr)
        Default();
}

CZUDPBaseControlBar* CZUDPMiniFrameWnd::DockOnMoveEnd(BOOL& bDocked)
{
    bDocked = FALSE;
    CZUDPDockManager* pManager = GetDockManager();
    if (pManager == nullptr)
        return nullptr;
    const DWORD dwMode = GetDockingMode();
    if (dwMode & ZUDP_DOCK_IMMEDIATE)
        return nullptr;  // the dock manager docked during the move, if at all
    if (!(dwMode & ZUDP_DOCK_OUTLINE))
        return nullptr;
    const CRect rect = m_dragFrameImpl.m_rectFrame;
    const BOOL bShown = m_dragFrameImpl.IsShowingFeedback();
    m_dragFrameImpl.EndDragFrame(TRUE);
    CZUDPBaseControlBar* pResult = DockPaneByDrag(bDocked);
    if (!bShown || rect.IsRectEmpty() || bDocked)
        return pResult;
    if (pResult != nullptr && pResult->GetParentMiniFrame(TRUE) != this)
        return pResult;
    // Nothing docked: the frame goes where the outline was.
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOCOPYBITS);
    if (!IsWindowVisible() && GetVisibleBarCount() > 0)
        ShowWindow(SW_SHOWNA);
    return pResult;
}

void CZUDPMiniFrameWnd::OnCancelMode()
{
    ResetCaptionButtonStates();
    if (m_bMovingWithMouse) {
        if (!(GetDockingMode() & ZUDP_DOCK_IMMEDIATE))
            m_dragFrameImpl.EndDragFrame(TRUE);
        CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pHostedBar);
        if (!IsWindowVisible() && pBar != nullptr && HasHostedBar() != 0) {
            // A hidden frame's bar goes back where it came from.  Whether
            // or not that works, the move ends here: the frame never keeps
            // the mouse after a cancel.
            if (pBar->HandleMouseDrag(nullptr, nullptr, ZUDP_DM_DBLCLICK))
                pBar->ShowBar(TRUE, FALSE, TRUE);
        }
    }
    EndMove();
    if (m_hWnd != nullptr)
        Default();
}

void CZUDPMiniFrameWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (AfxSafeHwnd(pWnd) != m_hWnd && m_bMovingWithMouse) {
        // Another window took the mouse: the move ends, and with it the
        // outline and the frame's update lock.
        if (m_dragFrameImpl.IsShowingFeedback())
            m_dragFrameImpl.EndDragFrame(TRUE);
        m_bMovingWithMouse = FALSE;
        m_bMoveStarted = FALSE;
        SetHostedBarMoving(FALSE);
    }
    Default();
}

void CZUDPMiniFrameWnd::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar != VK_ESCAPE || !m_bMovingWithMouse) {
        Default();
        return;
    }
    if (!(GetDockingMode() & ZUDP_DOCK_IMMEDIATE)) {
        OnCancelMode();
        return;
    }
    EndMove();
    CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pHostedBar);
    if (pBar != nullptr && DocksOnAnySide(pBar)) {
        pBar->GetRecentDockInfo().m_rectRecentFloatingRect = m_rectRecentFloatingRect;
        if (!pBar->HandleMouseDrag(nullptr, nullptr, ZUDP_DM_DBLCLICK))
            return;
    }
    if (m_hWnd != nullptr)
        Default();
}

void CZUDPMiniFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == ZUDP_MINIFRAME_MOVE_TIMER) {
        if (CZUDPDockManager* pManager = GetDockManager())
            pManager->TrackMiniFrameMove(this);
        return;
    }
    if (nIDEvent == ZUDP_MINIFRAME_ROLLUP_TIMER) {
        UpdateRollUp();
        return;
    }
    Default();
}

void CZUDPMiniFrameWnd::OnMoving(UINT, LPRECT)
{
    Default();
    NotifyOwnerOfMove();
}

void CZUDPMiniFrameWnd::OnClose()
{
    if (AskOwnerFrame())
        HideWithBar();
}

void CZUDPMiniFrameWnd::HideWithBar()
{
    if (m_pHostedBar != nullptr && m_pHostedBar->GetSafeHwnd() != nullptr)
        m_pHostedBar->ShowWindow(SW_HIDE);
    if (m_hWnd != nullptr)
        ShowWindow(SW_HIDE);
}

void CZUDPMiniFrameWnd::DockToRecentPlace()
{
    CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pHostedBar);
    if (pBar == nullptr || !DocksOnAnySide(pBar))
        return;
    SaveRecentFloatRect();
    CZUDPDockManager* pManager = GetDockManager();
    if (pBar->HandleMouseDrag(nullptr, nullptr, ZUDP_DM_DBLCLICK))
        g_globalUtils.ForceFrameRelayout(pManager, FALSE);
}

// ---------------------------------------------------------------------------
// A bar torn off a popup menu

BOOL CZUDPMiniFrameWnd::RunTearOffDragLoop(CZUDPPopupMenu* pPopup)
{
    const HWND hWndPopup = pPopup != nullptr ? pPopup->GetSafeHwnd() : nullptr;
    if (hWndPopup != nullptr && ::IsWindow(hWndPopup)) {
        pPopup->ShowWindow(SW_HIDE);
        // The parent button no longer stands under an open menu.
        if (CZUDPToolbarMenuButton* pButton = pPopup->m_pParentBtn) {
            CWnd* pButtonWnd = pButton->GetParentWnd();
            if (pButtonWnd != nullptr && ::IsWindow(pButtonWnd->GetSafeHwnd())) {
                CRect rect = pButton->Rect();
                rect.InflateRect(4, 4);
                pButtonWnd->RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            }
        }
    }
    auto popupAlive = [&] {
        return hWndPopup != nullptr && ::IsWindow(hWndPopup) && CWnd::FromHandlePermanent(hWndPopup) == pPopup;
    };

    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) {
        if (popupAlive())
            pPopup->ShowWindow(SW_SHOWNOACTIVATE);
        return FALSE;
    }
    const HWND hWndBar = pBar->m_hWnd;

    BOOL bAccepted = FALSE;
    BOOL bStarted = TRUE;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageA(&msg);
    if (::GetCapture() != nullptr) {
        // Another window holds the mouse: the tear-off ends as cancelled,
        // so that neither a hidden menu nor a stray bar is left behind.
        bStarted = FALSE;
    }
    if (bStarted) {
        pBar->SetCapture();
        CRect rectFrame;
        GetWindowRect(&rectFrame);
        const CPoint ptGrip(rectFrame.CenterPoint().x, rectFrame.top + 5);
        g_frameworkSeams.setCursorPos(ptGrip.x, ptGrip.y);
        const CSize sizeOffset = ptGrip - rectFrame.TopLeft();
        while (::GetCapture() == hWndBar) {
            if (!::GetMessageA(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
                continue;
            if (msg.message == WM_MOUSEMOVE) {
                POINT pt = {0, 0};
                g_frameworkSeams.cursorPos(&pt);
                SetWindowPos(nullptr, pt.x - sizeOffset.cx, pt.y - sizeOffset.cy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                continue;
            }
            if (msg.message == WM_LBUTTONUP) {
                bAccepted = TRUE;
                break;
            }
            if (msg.message == WM_RBUTTONDOWN)
                break;
            ::DispatchMessageA(&msg);
        }
        if (::GetCapture() == hWndBar)
            ::ReleaseCapture();
    }

    CFrameWnd* pFrame = g_activeInPlaceFrame;
    if (pFrame == nullptr)
        pFrame = GetTopLevelFrameOrInPlace(static_cast<CWnd*>(this));
    if (popupAlive()) {
        if (bAccepted) {
            // Closing the popup deletes it.
            ::SendMessageA(hWndPopup, WM_CLOSE, 0, 0);
            if (pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd()))
                pFrame->SetFocus();
        } else {
            pPopup->ShowWindow(SW_SHOWNOACTIVATE);
        }
    }
    if (bAccepted)
        return TRUE;
    // Cancelled: the bar goes, and this frame, emptied, with it.
    if (CZUDPFrameImpl* pImpl = FrameImplOf(pFrame))
        pImpl->RemoveTearOffBar(DYNAMIC_DOWNCAST(CZUDPToolBar, pBar));
    if (::IsWindow(hWndBar))
        pBar->DestroyWindow();
    delete pBar;
    return FALSE;
}
