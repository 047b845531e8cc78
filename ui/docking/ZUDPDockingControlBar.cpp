#include "ui/docking/ZUDPDockingControlBar.h"

IMPLEMENT_SERIAL(CZUDPDockingControlBar, CZUDPControlBar, VERSIONABLE_SCHEMA | 2)
