#pragma once
// CZUDPControlBar: the dockable pane, base of the library's toolbars,
// docking panes, caption bar and dialog bar.  This version is the class and
// what it inherits; the docking subsystem gives it its behaviour.
#include "ui/commandbars/ZUDPBaseControlBar.h"

class CZUDPControlBar : public CZUDPBaseControlBar {
    DECLARE_DYNAMIC(CZUDPControlBar)
public:
    CZUDPControlBar() = default;
};
