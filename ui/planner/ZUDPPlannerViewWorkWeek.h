#pragma once
// CZUDPPlannerViewWorkWeek: the day view showing the five working days of
// one week, Monday to Friday, whatever the first day of the week.  This
// version holds its range: the Monday at or before a date and the
// following Friday; its activation and keyboard navigation come with the
// views' input.
#include "ui/planner/ZUDPPlannerViewDay.h"

class CZUDPPlannerViewWorkWeek : public CZUDPPlannerViewDay {
    DECLARE_DYNCREATE(CZUDPPlannerViewWorkWeek)
public:
    CZUDPPlannerViewWorkWeek();

    // The Monday at or before the date (a Saturday or Sunday maps to the
    // Monday before it).
    COleDateTime CalculateDateStart(const COleDateTime& date) const override;
    // Shows the Monday-to-Friday week of the date; the date itself becomes
    // the current date.
    void SetDate(const COleDateTime& date) override;
    COleDateTime GetNextDate() const override;
    COleDateTime GetPrevDate() const override;
};
