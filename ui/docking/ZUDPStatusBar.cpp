#include "ui/docking/ZUDPStatusBar.h"

IMPLEMENT_DYNAMIC(CZUDPStatusBar, CZUDPControlBar)
