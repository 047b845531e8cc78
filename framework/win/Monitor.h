#pragma once
// Which monitor a point or window lies on, and its screen and work-area
// rectangles (the work area leaves out the taskbar and docked application
// bars).
#include "framework/win/WinSdk.h"

// The monitor nearest to the point; FALSE (and the rectangles untouched)
// when the system cannot say.  Either rectangle may be null.
BOOL AfxGetMonitorRects(POINT pt, RECT* pMonitor, RECT* pWorkArea);
// The same for the monitor that holds most of the window.
BOOL AfxGetWindowMonitorRects(HWND hWnd, RECT* pMonitor, RECT* pWorkArea);
// The primary monitor's work area (SPI_GETWORKAREA).
BOOL AfxGetPrimaryWorkArea(RECT* pWorkArea);
