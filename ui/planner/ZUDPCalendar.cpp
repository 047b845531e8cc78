#include "ui/planner/ZUDPCalendar.h"

IMPLEMENT_DYNCREATE(CZUDPCalendar, CZUDPWnd)
