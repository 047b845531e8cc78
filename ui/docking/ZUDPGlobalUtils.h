#pragma once
// CZUDPGlobalUtils: helpers of the docking subsystem shared by the library
// (one object, g_globalUtils).
#include "framework/Rect.h"
#include "framework/win/WinSdk.h"

class CWnd;
class CZUDPDockManager;

class CZUDPGlobalUtils {
public:
    // The window's small icon: the small icon it answers (WM_GETICON),
    // else its big icon scaled to 16 x 16 (a new icon: bNewIcon TRUE, the
    // caller destroys it), else its class icon; null when it has none.
    HICON GetSmallWindowIcon(CWnd* pWnd, BOOL& bNewIcon);
    // The dock manager that serves a window: the library frame's own when
    // the window is one, a floating frame's (or its owner frame's), else
    // the one of the frame that encloses the window; null when none.
    CZUDPDockManager* DockManagerOfWindow(CWnd* pWnd);
    // Moves a screen rectangle so that at least the margin of it lies in
    // the work area of the monitor at its top-left corner.
    void FitRectToWorkArea(CRect& rect, CSize sizeMargin);
};

extern CZUDPGlobalUtils g_globalUtils;
