#include "ui/planner/PlannerDayIndex.h"

#include "ui/planner/ZUDPPlannerDates.h"

#include <algorithm>
#include <cmath>

namespace {

// Whole days from the first day to the day of the date (both at 00:00).
bool DayOffset(const COleDateTime& firstDay, const COleDateTime& date, long& offset)
{
    const COleDateTime day = PlannerDates::TruncateToDay(date);
    if (!day.IsValid())
        return false;
    const double days = (day - firstDay).GetTotalDays();
    if (!std::isfinite(days) || days < -1e7 || days > 1e7)
        return false;
    offset = std::lround(days);
    return true;
}

} // namespace

void CPlannerDayIndex::Build(const COleDateTime& firstDay, int days, CZUDPAppointmentArray* const* lists, int count)
{
    Clear();
    m_firstDay = PlannerDates::TruncateToDay(firstDay);
    if (!m_firstDay.IsValid() || days <= 0)
        return;
    m_days.resize(size_t(days));
    for (int l = 0; l < count; ++l) {
        if (lists[l] == nullptr)
            continue;
        const CZUDPAppointmentArray& list = *lists[l];
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            CZUDPAppointment* pApp = list[i];
            if (pApp == nullptr)
                continue;
            long first = 0, last = 0;
            if (!DayOffset(m_firstDay, pApp->GetStart(), first) || !DayOffset(m_firstDay, pApp->GetFinish(), last))
                continue;
            // One day of slack on each side: the day rule decides.
            first = std::max(first - 1, 0L);
            last = std::min(last + 1, long(days) - 1);
            for (long d = first; d <= last; ++d) {
                const COleDateTime date = m_firstDay + COleDateTimeSpan(double(d));
                if (PlannerDates::IsOnDate(pApp->GetStart(), pApp->GetFinish(), pApp->IsAllDay(), date))
                    m_days[size_t(d)].push_back(Entry{pApp, l});
            }
        }
    }
    m_built = TRUE;
}

void CPlannerDayIndex::Clear()
{
    m_days.clear();
    m_built = FALSE;
}

int CPlannerDayIndex::DayOf(const COleDateTime& date) const
{
    if (!m_built)
        return -1;
    long offset = 0;
    if (!DayOffset(m_firstDay, date, offset) || offset < 0 || offset >= long(m_days.size()))
        return -1;
    // The day the views would name for that offset must be the date's.
    if (PlannerDates::TruncateToDay(m_firstDay + COleDateTimeSpan(double(offset))) !=
        PlannerDates::TruncateToDay(date))
        return -1;
    return int(offset);
}
