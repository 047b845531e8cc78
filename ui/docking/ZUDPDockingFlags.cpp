#include "ui/docking/ZUDPDockingFlags.h"

BOOL g_rebuildSmartDocking = FALSE;
