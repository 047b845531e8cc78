#include "ui/commandbars/ZUDPControlBar.h"

IMPLEMENT_DYNAMIC(CZUDPControlBar, CZUDPBaseControlBar)
