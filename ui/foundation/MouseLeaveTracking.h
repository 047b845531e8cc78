#pragma once
// WM_MOUSELEAVE for hot-tracked windows (toolbars, buttons, headers, tabs
// ...): a 100 ms timer on the window polls the cursor and posts
// WM_MOUSELEAVE once the cursor is outside the client area or over
// another window (a child or a window lying over it counts as leaving).
#include "framework/win/WinSdk.h"

// FALSE when the request is too small to hold its window or the window
// does not exist; with TME_LEAVE starts the window's tracking timer and
// answers its result; without it starts nothing and answers 0.
BOOL TrackMouseLeave(LPTRACKMOUSEEVENT lpEventTrack);

// The tracking timer's id: an address of the library's, so it cannot be
// one of the small ids a window gives its own timers.
UINT_PTR GetMouseLeaveTimerId();

// One tick of the tracking timer (the timer procedure; tests call it to
// tick without waiting).
void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
