#pragma once
// The colour chooser's eyedropper.  CZUDPScreenWnd is the invisible
// window laid over the whole desktop while the user picks a colour off the
// screen: it never paints, so the screen stays visible, and hands the
// pointer's moves and the click to the window it serves (the colour
// dialog), in that window's client coordinates.  CZUDPEyedropperLoop is the
// message loop that runs while picking, and SampleScreenColor reads the
// screen under a point of the served window.
#include "framework/win/Wnd.h"

class CZUDPScreenWnd : public CWnd {
    DECLARE_DYNAMIC(CZUDPScreenWnd)
public:
    explicit CZUDPScreenWnd(CWnd* pDialog) : m_pDialog(pDialog) {}

    // A popup tool window over the desktop window's rectangle, shown, with
    // the cursor as its class cursor; FALSE when it cannot be created.
    BOOL CreateOverDesktop(HCURSOR hCursor);
    CWnd* GetDialog() const { return m_pDialog; }

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    void Forward(UINT message, UINT nFlags, CPoint point);

    CWnd* m_pDialog;
};

// The loop of a pick: the owner holds the capture and keeps *pbPicking
// TRUE while the pick goes on (a click in it clears the flag).  Enter keeps
// the colour sampled last, Esc asks for the colour from before the pick,
// the right or middle button ends it; other keys are dropped and every
// other message is dispatched as usual, followed by idle processing.  The
// loop also ends when the application is told to quit (the quit message
// is posted again for the outer loop), when the owner window is destroyed
// and when the owner loses the capture.
class CZUDPEyedropperLoop {
public:
    enum EndReason {
        PICK_ENDED = 0,       // the owner cleared the flag (a click)
        PICK_KEPT = 1,        // Enter
        PICK_RESTORE = 2,     // Esc: the caller puts the old colour back
        PICK_CANCELLED = 3,   // right or middle button
        PICK_QUIT = 4,        // WM_QUIT (posted again)
        PICK_DESTROYED = 5,   // the owner window is gone
        PICK_CAPTURE_LOST = 6 // another window took the capture
    };

    static EndReason Run(HWND hOwner, const BOOL* pbPicking);
};

// The screen's colour under a point of the window's client area
// (CLR_INVALID where it cannot be read).
COLORREF SampleScreenColor(HWND hWnd, CPoint clientPoint);
