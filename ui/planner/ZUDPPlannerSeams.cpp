#include "ui/planner/ZUDPPlannerSeams.h"

PlannerSeams::PlannerSeams() : localeInfo(PlannerSystemLocaleInfo), formatTime(PlannerSystemFormatTime) {}

PlannerSeams g_plannerSeams;
