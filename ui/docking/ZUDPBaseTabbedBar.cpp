#include "ui/docking/ZUDPBaseTabbedBar.h"

IMPLEMENT_DYNAMIC(CZUDPBaseTabbedBar, CZUDPDockingControlBar)
