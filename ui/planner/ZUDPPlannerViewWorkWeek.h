#pragma once
// CZUDPPlannerViewWorkWeek: the day view showing the five working days of
// one week, Monday to Friday, whatever the first day of the week.  This
// version holds its range: the Monday at or before a date and the
// following Friday; the day view's keys move it by whole weeks.
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
    // The Monday-to-Friday week of the current date with the Monday's first
    // working slot selected.
    void OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView) override;
    COleDateTime GetNextDate() const override;
    COleDateTime GetPrevDate() const override;
};
