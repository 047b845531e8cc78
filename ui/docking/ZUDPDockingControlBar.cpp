#include "ui/docking/ZUDPDockingControlBar.h"

IMPLEMENT_DYNCREATE(CZUDPDockingControlBar, CZUDPControlBar)
