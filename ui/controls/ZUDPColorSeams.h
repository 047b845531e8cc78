#pragma once
// The colour chooser's seams: what the eyedropper and the hand-over to the
// system's colour dialog ask of the system that tests cannot produce
// headless.  Reading screen pixels is not reliable without a display, the
// system's colour dialog is modal, and the eyedropper's own message loop
// would wait for real input once the queue is empty; tests replace these
// entries for a scope (framework/Seam.h) and drive the loop by posting
// messages.  The screen's colour depth is the framework's seam
// (g_frameworkSeams.colorDepth), read into g_uiEnvironment.m_bitsPerPixel.
#include "framework/Seam.h"
#include "framework/win/WinSdk.h"

struct ColorChooserSeams {
    // The colour of the screen pixel at a point in screen coordinates
    // (CLR_INVALID where it cannot be read).
    Seam<COLORREF(POINT)> screenPixel;
    // The system's colour dialog over the owner, started on the colour
    // (full open, the colour preset); answers IDOK with the chosen colour
    // in *chosen, or IDCANCEL.
    Seam<INT_PTR(HWND, COLORREF, COLORREF*)> systemColorDialog;
    // Waits until a message arrives (WaitMessage) when the eyedropper's
    // loop finds the queue empty.  A test that expects the loop to end on
    // what it posted makes this fail the test or post the end itself.
    Seam<BOOL()> waitMessage;

    ColorChooserSeams();
};

extern ColorChooserSeams g_colorChooserSeams;
