#include "ui/planner/ZUDPCalendar.h"

#include "ui/planner/ZUDPPlannerDates.h"

IMPLEMENT_DYNCREATE(CZUDPCalendar, CZUDPWnd)

void CZUDPCalendar::GetSelectedDates(CList<DATE, DATE>& dates) const
{
    dates.RemoveAll();
    for (POSITION pos = m_SelectedDates.GetHeadPosition(); pos != nullptr;)
        dates.AddTail(m_SelectedDates.GetNext(pos));
}

void CZUDPCalendar::SetSelectedDates(const CList<DATE, DATE>& dates, BOOL bNotify, BOOL bRedraw)
{
    (void)bNotify;
    m_SelectedDates.RemoveAll();
    for (POSITION pos = dates.GetHeadPosition(); pos != nullptr;)
        m_SelectedDates.AddTail(dates.GetNext(pos));
    if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
}

void CZUDPCalendar::SetMarkedDates(const CArray<DATE, DATE>& dates, BOOL bRedraw)
{
    m_MarkedDates.RemoveAll();
    for (INT_PTR i = 0; i < dates.GetSize(); ++i) {
        const COleDateTime date(dates[i]);
        if (!(m_dtFirstShown <= date && date <= m_dtLastShown))
            continue;
        const DATE day = double(PlannerDates::TruncateToDay(date));
        BOOL known = FALSE;
        for (INT_PTR j = 0; j < m_MarkedDates.GetSize() && !known; ++j)
            known = m_MarkedDates[j] == day;
        if (!known)
            m_MarkedDates.Add(day);
    }
    if (bRedraw && GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CZUDPCalendar::IsDateMarked(int nYear, int nMonth, int nDay) const
{
    const COleDateTime day(nYear, nMonth, nDay, 0, 0, 0);
    for (INT_PTR i = 0; i < m_MarkedDates.GetSize(); ++i) {
        if (COleDateTime(m_MarkedDates[i]) == day)
            return TRUE;
    }
    return FALSE;
}
