#pragma once
// CZUDPPlannerViewMulti: the view that shows the days of several resources
// side by side.  This version is a day view under its own runtime class,
// so that the planner control can show all five view types; the resource
// columns complete it.
#include "ui/planner/ZUDPPlannerViewDay.h"

class CZUDPPlannerViewMulti : public CZUDPPlannerViewDay {
    DECLARE_DYNCREATE(CZUDPPlannerViewMulti)
public:
    CZUDPPlannerViewMulti() = default;
};
