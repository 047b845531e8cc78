#include "ui/planner/ZUDPPlannerViewWorkWeek.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewWorkWeek, CZUDPPlannerViewDay)

namespace {

// Monday to Friday: four days and the last second of the fifth.
const COleDateTimeSpan kWorkWeekLessOneSecond(4.999988425925926);
// Monday in the numbering of GetWeekStartDate (1 Sunday .. 7 Saturday).
const int kMonday = 2;

} // namespace

CZUDPPlannerViewWorkWeek::CZUDPPlannerViewWorkWeek()
{
    m_dtDateEnd = PlannerDates::TruncateToDay(m_dtDateStart) + kWorkWeekLessOneSecond;
}

COleDateTime CZUDPPlannerViewWorkWeek::CalculateDateStart(const COleDateTime& date) const
{
    return GetWeekStartDate(PlannerDates::TruncateToDay(date), kMonday);
}

void CZUDPPlannerViewWorkWeek::SetDate(const COleDateTime& date)
{
    const COleDateTime day = PlannerDates::TruncateToDay(date);
    m_dtDateStart = CalculateDateStart(day);
    m_dtDateEnd = m_dtDateStart + kWorkWeekLessOneSecond;
    // The range is the week's, not the day view's days from the date.
    CZUDPPlannerView::SetDate(day);
}

COleDateTime CZUDPPlannerViewWorkWeek::GetNextDate() const
{
    return PlannerDates::TruncateToDay(m_dtDateStart) + COleDateTimeSpan(7.0);
}

COleDateTime CZUDPPlannerViewWorkWeek::GetPrevDate() const
{
    return PlannerDates::TruncateToDay(m_dtDateStart) - COleDateTimeSpan(7.0);
}

void CZUDPPlannerViewWorkWeek::OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView)
{
    if (pOldView != nullptr)
        m_dtDate = pOldView->GetDate();
    m_dtDateStart = CalculateDateStart(m_dtDate);
    m_dtDateEnd = m_dtDateStart + kWorkWeekLessOneSecond;
    CZUDPPlannerView::OnActivate(pPlanner, nullptr);
    const COleDateTime first = GetFirstWorkingSlot(m_dtDateStart);
    SetSelection(first, first + COleDateTimeSpan(0, 0, GetSlotMinutes() - 1, 59), TRUE);
}
