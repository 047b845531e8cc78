#include "ui/docking/ZUDPReBar.h"

IMPLEMENT_DYNAMIC(CZUDPReBar, CReBar)
