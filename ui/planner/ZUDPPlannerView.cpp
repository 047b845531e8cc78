#include "ui/planner/ZUDPPlannerView.h"

IMPLEMENT_DYNAMIC(CZUDPPlannerView, CObject)
IMPLEMENT_DYNCREATE(CZUDPPlannerViewDay, CZUDPPlannerView)
IMPLEMENT_DYNCREATE(CZUDPPlannerViewMonth, CZUDPPlannerView)
IMPLEMENT_DYNCREATE(CZUDPPlannerManagerCtrl, CZUDPWnd)
