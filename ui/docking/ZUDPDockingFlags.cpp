#include "ui/docking/ZUDPDockingFlags.h"

BOOL g_rebuildSmartDocking = FALSE;
BOOL g_paneCaptionMenuButton = FALSE;
BOOL g_autoHideActiveTextOnly = FALSE;
BOOL g_suspendDockLayout = FALSE;
BOOL g_restoringDockLayout = FALSE;
CFrameWnd* g_activeInPlaceFrame = nullptr;
