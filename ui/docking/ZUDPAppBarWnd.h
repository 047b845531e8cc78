#pragma once
// CZUDPAppBarWnd: a window docked to an edge of the desktop (a desktop
// application bar) that hosts panes.  This version is its class, which
// panes look for among their parents; the docking subsystem completes it.
#include "framework/win/Wnd.h"

class CZUDPAppBarWnd : public CWnd {
    DECLARE_SERIAL(CZUDPAppBarWnd)
public:
    CZUDPAppBarWnd() = default;
};
