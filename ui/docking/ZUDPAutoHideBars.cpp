#include "ui/docking/ZUDPAutoHideBars.h"

IMPLEMENT_DYNCREATE(CZUDPAutoHideDockBar, CZUDPDockBar)
IMPLEMENT_DYNCREATE(CZUDPAutoHideToolBar, CZUDPControlBar)
