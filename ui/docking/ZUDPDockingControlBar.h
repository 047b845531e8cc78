#pragma once
// CZUDPDockingControlBar: the docking pane, the kind of pane that may sit
// in a tab window as one of its tabs and float out of it again.  This
// version is the class the tab windows test for; the docking subsystem
// gives it its caption, docking, floating and tabbing.
#include "ui/commandbars/ZUDPControlBar.h"

class CZUDPDockingControlBar : public CZUDPControlBar {
    DECLARE_SERIAL(CZUDPDockingControlBar)
public:
    CZUDPDockingControlBar() = default;
};
