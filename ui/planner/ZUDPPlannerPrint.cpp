#include "ui/planner/ZUDPPlannerPrint.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerPrint, CObject)
