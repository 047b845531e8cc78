#include "ui/planner/ZUDPPlannerManagerView.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerManagerView, CView)
