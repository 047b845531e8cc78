#include "ui/foundation/ZUDPShowAllButton.h"

IMPLEMENT_DYNCREATE(CZUDPShowAllButton, CZUDPToolbarMenuButton)
