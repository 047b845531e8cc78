#pragma once
// CZUDPDragFrameImpl: the feedback of an outline drag.  Every control bar
// (and every floating frame) embeds one.  While the user drags its owner
// with the outline docking mode, the owner asks it on every mouse move to
// follow the cursor: an inverted rectangle outline on the desktop shows
// where the window would float.  When the drag ends the owner reads the
// frame rectangle and the target the drag ended over.
//
// While the drag shows feedback it holds the dock manager's update lock,
// and lets it go however the drag ends.  A 4-pixel outline shows where the
// window would float, a 3-pixel one where it would dock.  The tab previews
// and the smart-docking preview come with the docking panes.
#include "framework/Rect.h"
#include "framework/win/WinSdk.h"

class CWnd;
class CZUDPBaseControlBar;
class CZUDPDockManager;

class CZUDPDragFrameImpl {
public:
    CZUDPDragFrameImpl();
    virtual ~CZUDPDragFrameImpl();
    CZUDPDragFrameImpl(const CZUDPDragFrameImpl&) = delete;
    CZUDPDragFrameImpl& operator=(const CZUDPDragFrameImpl&) = delete;

    // The window the feedback is for (a control bar or a floating frame),
    // and the dock manager that serves it.
    void AttachToWindow(CWnd* pDraggedWnd);
    // Follows the cursor (the seam's cursor position): once the cursor has
    // moved past the drag threshold (or with bForce), the outline shows at
    // the window's floating size and moves with the cursor.
    void TrackDragFrame(BOOL bForce = FALSE);
    // Removes the outline; with bClearAll the rectangles are emptied too
    // and the target of the drag becomes its final target.
    void EndDragFrame(BOOL bClearAll = TRUE);
    // Back to idle: no rectangles, no target, no preview.
    void ResetDragState();
    // Lets go of the dock manager's update lock the drag took (also when
    // the drag ends abnormally: cancel, lost capture, destruction).
    void ReleaseUpdateLock();
    // The outline shows, or a tab preview does.
    BOOL IsShowingFeedback() const { return m_bFrameActive || m_nTabPreviewIndex != -1; }

    CPoint m_ptLast;                          // the cursor at the last move (screen)
    CRect m_rectFrame;                        // where the window would float (screen)
    CRect m_rectDock;                         // where it would dock (empty: it would float)
    CZUDPBaseControlBar* m_pFinalTarget = nullptr;
    CZUDPBaseControlBar* m_pCurrentTarget = nullptr;
    BOOL m_bFrameActive = FALSE;              // the outline is on the screen
    int m_nTabPreviewIndex = -1;              // -1: no tab preview
    int m_nLastWidth;                         // width of the outline drawn last
    CZUDPDockManager* m_pDockManager = nullptr;
    CWnd* m_pDraggedWnd = nullptr;
    // A floating frame emptied by a drag that goes on: destroyed when the
    // drag ends (null when none).
    HWND m_hWndLeftBehindFrame = nullptr;
    BOOL m_bEndedOnTabPreview = FALSE;        // the drag ended while a tab preview showed
    BOOL m_bHoldsUpdateLock = FALSE;          // this drag locked the dock manager's updates

private:
    // Draws the new rectangle and removes the previous one (first: there
    // is no previous one on the screen).
    void DrawFrameRect(const CRect& rectOld, const CRect& rectNew, BOOL bFirst, int nWidth, int nOldWidth);
};
