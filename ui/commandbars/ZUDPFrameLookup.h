#pragma once
// Which frame a command-bar window answers to: the active in-place frame
// when one is registered, else the window's outermost frame window.
class CFrameWnd;
class CWnd;

// Null when neither exists (a window in a dialog-based program).
CFrameWnd* GetTopLevelFrameOrInPlace(CWnd* pWnd);
