#include "ui/docking/ZUDPMainClientAreaWnd.h"

IMPLEMENT_DYNCREATE(CZUDPMainClientAreaWnd, CWnd)
