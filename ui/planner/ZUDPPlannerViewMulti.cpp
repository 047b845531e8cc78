#include "ui/planner/ZUDPPlannerViewMulti.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewMulti, CZUDPPlannerViewDay)
