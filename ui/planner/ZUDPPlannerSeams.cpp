#include "ui/planner/ZUDPPlannerSeams.h"

#include <ctime>

PlannerSeams::PlannerSeams()
    : localeInfo(PlannerSystemLocaleInfo), formatTime(PlannerSystemFormatTime), formatDate(PlannerSystemFormatDate),
      now(PlannerSystemNow), doubleClickTime(PlannerSystemDoubleClickTime)
{
}

PlannerSeams g_plannerSeams;

COleDateTime PlannerSystemNow()
{
    std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    bool converted = localtime_s(&local, &seconds) == 0;
#else
    bool converted = localtime_r(&seconds, &local) != nullptr;
#endif
    COleDateTime result;
    if (!converted) {
        result.SetStatus(COleDateTime::invalid);
        return result;
    }
    result.SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                       local.tm_sec);
    return result;
}
