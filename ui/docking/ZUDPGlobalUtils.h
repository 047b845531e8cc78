#pragma once
// CZUDPGlobalUtils: helpers of the docking subsystem shared by panes,
// floating frames, sliders, the dock manager and the frames (one object,
// g_globalUtils; the helpers that keep no state work on any instance).
#include "framework/List.h"
#include "framework/Rect.h"
#include "framework/win/WinSdk.h"

class CWnd;
class CZUDPBaseControlBar;
class CZUDPDockManager;

class CZUDPGlobalUtils {
public:
    CZUDPGlobalUtils() = default;
    virtual ~CZUDPGlobalUtils() = default;

    // The window's small icon: the small icon it answers (WM_GETICON),
    // else its big icon scaled to 16 x 16 (a new icon: bNewIcon TRUE, the
    // caller destroys it), else its class icon; null when it has none.
    HICON GetSmallWindowIcon(CWnd* pWnd, BOOL& bNewIcon);
    // The dock manager that serves a window: the library frame's own when
    // the window is one, a floating frame's (or its owner frame's), else
    // the one of the frame that encloses the window; null when none.  A
    // dialog has none and marks the dialog dock site.
    CZUDPDockManager* DockManagerOfWindow(CWnd* pWnd);
    // Moves a screen rectangle (never resizing it) so that at least the
    // margins of it (left, top, right, bottom) lie in the work area of
    // the monitor at its top-left corner (under the cursor while a
    // floating frame moves).
    void FitRectToWorkArea(CRect& rect, const CRect* pMargins);
    void FitRectToWorkArea(CRect& rect, CSize sizeMargin)
    {
        const CRect margins(sizeMargin.cx, sizeMargin.cy, sizeMargin.cx, sizeMargin.cy);
        FitRectToWorkArea(rect, &margins);
    }
    // Whether the screen point lies near an edge of a bar's window (or of
    // the rectangle): outside it (bOuter) or inside it, within the
    // sensitivity, tested top, left, bottom, right, only at allowed sides.
    // While the smart-docking guides are shown the highlighted marker
    // decides instead.  The side goes to dwAlignment.
    BOOL HitTestDockEdges(int x, int y, CWnd* pBar, int nSensitivity, CZUDPDockManager* pDockManager, BOOL bOuter,
                          DWORD& dwAlignment, DWORD dwAllowedSides, LPCRECT lpRect = nullptr);
    // Turns four margins (left, top, right, bottom) by 90, 180 or -90
    // degrees.
    static void RotateMargins(CRect& rectMargins, int nAngle);
    // Makes a frame lay itself out (and repaint) by growing it by a pixel
    // and back; only when forced (or panes keep their minimum size), and
    // for a hidden frame only when asked.
    void ForceFrameRelayout(CZUDPDockManager* pDockManager, BOOL bForce, BOOL bEvenIfHidden = FALSE);
    // Whether a bar (a floating frame: its bar) may share a floating frame
    // with other panes.
    BOOL CanShareFloatingFrame(CWnd* pBarOrFrame);
    // Gives the windows of a list another parent, placing them just
    // outside its visible area until the next layout (sliders are only
    // re-parented).
    void ReparentBars(const CObList& lstBars, CWnd* pNewParent, BOOL bVisibleOnly = FALSE);

    BOOL m_bDialogDockSite = FALSE;       // a dialog was asked for its dock manager
    BOOL m_bMovingFloatingFrame = FALSE;  // a floating frame moves: the monitor is the cursor's
};

extern CZUDPGlobalUtils g_globalUtils;
// Panes keep their minimum size (frames then re-lay out when forced too).
extern BOOL g_keepPaneMinSize;
