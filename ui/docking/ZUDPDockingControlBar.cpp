#include "ui/docking/ZUDPDockingControlBar.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPDockingControlBar, CZUDPControlBar, VERSIONABLE_SCHEMA | 2)
