#include "ui/ribbon/ZUDPRibbonBar.h"

IMPLEMENT_DYNCREATE(CZUDPRibbonPanel, CObject)
IMPLEMENT_DYNCREATE(CZUDPRibbonCategory, CObject)
IMPLEMENT_DYNCREATE(CZUDPRibbonBar, CZUDPControlBar)
