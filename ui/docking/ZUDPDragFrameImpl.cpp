#include "ui/docking/ZUDPDragFrameImpl.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <cstdlib>

// The outline is as wide as the global UI data says: wider for a floating
// rectangle than for a docking one.
CZUDPDragFrameImpl::CZUDPDragFrameImpl() : m_nLastWidth(g_uiEnvironment.m_dragFrameWidth) {}

CZUDPDragFrameImpl::~CZUDPDragFrameImpl()
{
    // A drag that never ended must not leave the frame's drawing held back.
    ReleaseUpdateLock();
    if (m_hWndLeftBehindFrame != nullptr && ::IsWindow(m_hWndLeftBehindFrame))
        ::DestroyWindow(m_hWndLeftBehindFrame);
}

void CZUDPDragFrameImpl::AttachToWindow(CWnd* pDraggedWnd)
{
    m_pDraggedWnd = pDraggedWnd;
    m_pDockManager = nullptr;
    CWnd* pSite = nullptr;
    if (CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pDraggedWnd)) {
        pSite = CWnd::FromHandlePermanent(pFrame->GetRecordedOwner());
    } else if (CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pDraggedWnd)) {
        CZUDPMiniFrameWnd* pParentFrame = pBar->GetParentMiniFrame();
        pSite = pParentFrame != nullptr ? CWnd::FromHandlePermanent(pParentFrame->GetRecordedOwner())
                                        : pBar->GetDockSiteFrame();
    }
    m_pDockManager = g_globalUtils.DockManagerOfWindow(pSite);
}

void CZUDPDragFrameImpl::DrawFrameRect(const CRect& rectOld, const CRect& rectNew, BOOL bFirst, int nWidth,
                                       int nOldWidth)
{
    const RECT* pOld = bFirst || rectOld.IsRectEmpty() ? nullptr : &rectOld;
    const RECT* pNew = rectNew.IsRectEmpty() ? nullptr : &rectNew;
    if (pOld == nullptr && pNew == nullptr)
        return;
    g_commandBarsSeams.drawDragOutline(pNew, nWidth, pOld, nOldWidth);
}

void CZUDPDragFrameImpl::TrackDragFrame(BOOL bForce)
{
    m_pFinalTarget = nullptr;
    if (m_pDraggedWnd == nullptr || m_pDraggedWnd->GetSafeHwnd() == nullptr || m_pDockManager == nullptr)
        return;
    CPoint ptCursor;
    g_frameworkSeams.cursorPos(&ptCursor);
    const int dx = ptCursor.x - m_ptLast.x;
    const int dy = ptCursor.y - m_ptLast.y;
    // A click does not flash an outline.
    if (std::abs(dx) < g_dragThreshold.cx && std::abs(dy) < g_dragThreshold.cy && m_rectFrame.IsRectEmpty() && !bForce)
        return;
    m_bFrameActive = TRUE;
    m_pDockManager->LockLayoutUpdates(TRUE);
    m_bHoldsUpdateLock = TRUE;

    const CRect rectOld = !m_rectDock.IsRectEmpty() ? m_rectDock : m_rectFrame;
    BOOL bFirst = FALSE;
    if (m_rectFrame.IsRectEmpty()) {
        // The first visible move: the outline takes the window's place, at
        // the size the bar has when it floats.
        m_pDraggedWnd->GetWindowRect(&m_rectFrame);
        CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pDraggedWnd);
        if (pBar != nullptr && pBar->GetParentMiniFrame() == nullptr) {
            const CRect& rectFloat = pBar->GetRecentDockInfo().m_rectRecentFloatingRect;
            m_rectFrame.right = m_rectFrame.left + rectFloat.Width();
            m_rectFrame.bottom = m_rectFrame.top + rectFloat.Height();
            if (!m_rectFrame.PtInRect(m_ptLast))
                m_rectFrame.OffsetRect(m_ptLast.x - 5 - m_rectFrame.left, 0);
        }
        bFirst = TRUE;
    }
    // Where the window would dock (empty: it would float).  Tab previews
    // and the docking panes' targets come with the docking panes.
    CRect rectDock;
    m_pDockManager->CalcDockPreviewRect(m_pDraggedWnd, ptCursor, rectDock);

    m_rectFrame.OffsetRect(dx, dy);
    m_ptLast = ptCursor;
    m_rectDock = rectDock;
    const int nWidth = m_rectDock.IsRectEmpty() ? g_uiEnvironment.m_dragFrameWidth : g_uiEnvironment.m_narrowDragFrameWidth;
    if (m_rectDock.IsRectEmpty() && !m_rectFrame.PtInRect(ptCursor)) {
        // The outline stays under the cursor: centred on it, its top just
        // above it.
        m_rectFrame.OffsetRect(ptCursor.x - (m_rectFrame.left + m_rectFrame.Width() / 2),
                               ptCursor.y - 5 - m_rectFrame.top);
    }
    const CRect rectNew = !m_rectDock.IsRectEmpty() ? m_rectDock : m_rectFrame;
    DrawFrameRect(rectOld, rectNew, bFirst, nWidth, m_nLastWidth);
    m_nLastWidth = nWidth;
}

void CZUDPDragFrameImpl::EndDragFrame(BOOL bClearAll)
{
    if (m_pDockManager == nullptr)
        return;
    const CRect rectShown = !m_rectDock.IsRectEmpty() ? m_rectDock : m_rectFrame;
    if (m_bFrameActive && m_nTabPreviewIndex == -1)
        DrawFrameRect(rectShown, CRect(), FALSE, m_nLastWidth, m_nLastWidth);
    if (m_nTabPreviewIndex != -1)
        m_bEndedOnTabPreview = TRUE;
    if (bClearAll) {
        m_nTabPreviewIndex = -1;
        m_rectFrame.SetRectEmpty();
        m_rectDock.SetRectEmpty();
        m_pFinalTarget = m_pCurrentTarget;
        m_pCurrentTarget = nullptr;
    }
    m_bFrameActive = FALSE;
    ReleaseUpdateLock();
}

void CZUDPDragFrameImpl::ResetDragState()
{
    m_ptLast = CPoint(-1, -1);
    m_rectFrame.SetRectEmpty();
    m_rectDock.SetRectEmpty();
    m_pFinalTarget = nullptr;
    m_bEndedOnTabPreview = FALSE;
    m_bFrameActive = FALSE;
    m_nTabPreviewIndex = -1;
}

void CZUDPDragFrameImpl::ReleaseUpdateLock()
{
    if (!m_bHoldsUpdateLock)
        return;
    m_bHoldsUpdateLock = FALSE;
    if (m_pDockManager != nullptr)
        m_pDockManager->LockLayoutUpdates(FALSE);
}
