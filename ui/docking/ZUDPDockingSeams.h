#pragma once
// The docking subsystem's seams: drawing drag rectangles on the desktop
// and locking a window's updates, which tests cannot see headless.  Tests
// replace an entry for a scope with ScopedSeam (framework/Seam.h) and
// record the calls.  Cursor, keys, clock and timers are the framework's
// seams, monitors and work areas the foundation's.
#include "framework/Seam.h"
#include "framework/win/WinSdk.h"

struct DockingSeams {
    // Draws (XOR) a drag rectangle with the given border thickness on the
    // desktop DC, erasing the last one drawn; null rectangles draw or
    // erase nothing.
    Seam<void(const RECT*, SIZE, const RECT*, SIZE)> drawDragRect;
    // LockWindowUpdate: a window's drawing is held back (null: released).
    Seam<BOOL(HWND)> lockWindowUpdate;

    DockingSeams();
};

extern DockingSeams g_dockingSeams;
