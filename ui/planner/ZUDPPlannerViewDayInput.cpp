// The day view's dates and input: the range rules, the snapping of the
// time selection to slots and the fully selected days, the date under a
// point, the keyboard, whole-day selection in the bands, activation and
// the day view's part of dragging appointments over it.
#include "ui/planner/ZUDPPlannerViewDay.h"

#include <cmath>

#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

namespace {

const COleDateTimeSpan kDayInputLastSecond(0.999988425925926);
// The scroll effect of a drag over the grid.
const DROPEFFECT kDropEffectScroll = DROPEFFECT(0x80000000);

BOOL IsZeroDay(const COleDateTime& date) { return date.GetStatus() == COleDateTime::valid && date.m_dt == 0.0; }

COleDateTime AtTime(const COleDateTime& date, int hour, int minute, int second)
{
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), hour, minute, second);
}

// An end moved to its slot: a slot end (second 59) stays one, anything
// else becomes its slot's start.
COleDateTime ToSlot(const COleDateTime& date, int u)
{
    if (date.GetStatus() != COleDateTime::valid)
        return date;
    const int slot = date.GetMinute() / u;
    return date.GetSecond() == 59 ? AtTime(date, date.GetHour(), (slot + 1) * u - 1, 59)
                                  : AtTime(date, date.GetHour(), slot * u, 0);
}

// A slot end made the start of its slot.
COleDateTime SlotEndToStart(const COleDateTime& date, int u)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetSecond() != 59)
        return date;
    return AtTime(date, date.GetHour(), date.GetMinute() - u + 1, 0);
}

// A slot start made the end of the slot of the minute given.
COleDateTime SlotStartToEnd(const COleDateTime& date, int minute, int u)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetSecond() != 0)
        return date;
    return AtTime(date, date.GetHour(), minute + u - 1, 59);
}

// Seconds since midnight.
int SecondOfDay(const COleDateTime& date) { return (date.GetHour() * 60 + date.GetMinute()) * 60 + date.GetSecond(); }

// Hours.minutes (9.30 is 09:30) as hour and minute.
void SplitHoursMinutes(double value, int& hour, int& minute)
{
    hour = int(std::floor(value));
    minute = int(std::lround((value - hour) * 100.0));
    if (minute > 59)
        minute = 59;
}

BOOL DayShiftDown() { return (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000) != 0; }

} // namespace

// ---- range --------------------------------------------------------------------------------

COleDateTime CZUDPPlannerViewDay::CalculateDateStart(const COleDateTime& date) const
{
    (void)date;
    if (m_dtDateStart <= m_dtDate && m_dtDate <= m_dtDateEnd)
        return m_dtDateStart;
    // One day toward the current date.
    const COleDateTime start = PlannerDates::TruncateToDay(m_dtDateStart);
    return m_dtDate < start ? start - COleDateTimeSpan(1.0) : start + COleDateTimeSpan(1.0);
}

// ---- selection ------------------------------------------------------------------------------

BOOL CZUDPPlannerViewDay::IsDateInSelection(const COleDateTime& date) const
{
    if (IsSameDay(date, m_dtSelectionStart) && IsSameDay(date, m_dtSelectionEnd)) {
        const COleDateTime& earlier = m_dtSelectionStart < m_dtSelectionEnd ? m_dtSelectionStart : m_dtSelectionEnd;
        if (SecondOfDay(date) == SecondOfDay(earlier))
            return TRUE;
    }
    return CZUDPPlannerView::IsDateInSelection(date);
}

void CZUDPPlannerViewDay::SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw)
{
    if (m_pPlanner == nullptr)
        return;
    const int u = GetSlotMinutes();
    const BOOL equalOnEntry = sel1 == sel2;
    // Each end to its slot; equal ends too, so that an end off a slot
    // boundary cannot become a minute past 59 below.
    COleDateTime start = ToSlot(sel1, u);
    COleDateTime end = ToSlot(sel2, u);
    if (start < end || equalOnEntry) {
        start = SlotEndToStart(start, u);
        end = SlotStartToEnd(end, equalOnEntry ? start.GetMinute() : end.GetMinute(), u);
    } else {
        end = SlotEndToStart(end, u);
        start = SlotStartToEnd(start, start.GetMinute(), u);
    }

    const int days = GetViewDuration();
    if (days == m_arDayFullySelected.GetSize()) {
        const COleDateTime& lo = start < end ? start : end;
        const COleDateTime& hi = start < end ? end : start;
        const double half = 0.5 / 86400.0;
        for (int d = 0; d < days; ++d) {
            const COleDateTime day = PlannerDates::TruncateToDay(m_dtDateStart) + COleDateTimeSpan(double(d));
            const COleDateTime last = day + kDayInputLastSecond;
            m_arDayFullySelected[d] = lo.m_dt <= day.m_dt + half && last.m_dt <= hi.m_dt + half ? 1 : 0;
        }
    }
    CZUDPPlannerView::SetSelection(start, end, bRedraw);
}

// ---- date under a point -----------------------------------------------------------------------

COleDateTime CZUDPPlannerViewDay::GetDateFromPoint(const CPoint& point) const
{
    const int gridLeft = m_rectTimeScale.IsRectEmpty() ? m_rectView.left : m_rectTimeScale.right;
    const int days = GetViewDuration();
    COleDateTime date = PlannerDates::TruncateToDay(m_dtDateStart);
    if (days > 1) {
        // A narrow control with many days still has columns a pixel wide.
        int width = RoundToInt(double(m_rectView.right - gridLeft) / days);
        if (width < 1)
            width = 1;
        const int index = (point.x - gridLeft) / width;
        date += COleDateTimeSpan(double(index));
        const COleDateTime lastDay = PlannerDates::TruncateToDay(m_dtDateEnd);
        if (date > lastDay)
            date = lastDay;
    }
    if (m_rectTimeScale.PtInRect(point))
        date = PlannerDates::TruncateToDay(m_dtDate);
    if (point.y <= m_rectView.top && m_nScrollOffset == 0)
        return date;
    const int row = GetRowStep();
    const int minutes = GetSlotMinutes() * ((m_nScrollOffset * row + point.y - m_rectView.top) / row);
    return date + COleDateTimeSpan(0, 0, minutes, 0);
}

// ---- keyboard --------------------------------------------------------------------------------

BOOL CZUDPPlannerViewDay::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    // An open in-place edit, or a resize in progress, ends first: moving
    // the range would query again and delete the appointment being resized.
    if ((HasPlannerWindow() && ::GetDlgItem(m_pPlanner->GetSafeHwnd(), 2) != nullptr) ||
        m_pCapturedAppointment != nullptr) {
        if (HasPlannerWindow())
            m_pPlanner->SendMessage(WM_CANCELMODE);
        return TRUE;
    }
    if (nChar != VK_PRIOR && nChar != VK_NEXT && nChar != VK_HOME && nChar != VK_END && nChar != VK_LEFT &&
        nChar != VK_RIGHT && nChar != VK_UP && nChar != VK_DOWN)
        return FALSE;

    const BOOL shift = DayShiftDown();
    const int u = GetSlotMinutes();
    const COleDateTimeSpan slot(0, 0, u, 0);
    COleDateTime K = SlotEndToStart(m_dtSelectionStart, u);
    COleDateTime N = SlotEndToStart(m_dtSelectionEnd, u);
    const COleDateTime day = PlannerDates::TruncateToDay(m_dtDate);
    const COleDateTime lastSlot = day + COleDateTimeSpan(0, 23, 60 - u, 0);
    const int days = GetViewDuration();
    const COleDateTime rangeStart = PlannerDates::TruncateToDay(m_dtDateStart);

    if (nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_HOME || nChar == VK_END) {
        int scrollTo = -1;
        if (nChar == VK_PRIOR || nChar == VK_NEXT) {
            const int old = m_nScrollOffset;
            OnVScroll(nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0, nullptr);
            if (m_nScrollOffset == old)
                N = nChar == VK_PRIOR ? day : lastSlot;
            else
                N += COleDateTimeSpan(0, 0, (nChar == VK_PRIOR ? -1 : 1) * m_nScrollPage * u, 0);
        } else {
            int hour = 0, minute = 0;
            if (nChar == VK_HOME) {
                SplitHoursMinutes(m_pPlanner != nullptr ? m_pPlanner->GetWorkingHourStart() : 9.0, hour, minute);
                minute = minute / u * u;
            } else {
                SplitHoursMinutes(m_pPlanner != nullptr ? m_pPlanner->GetWorkingHourEnd() : 18.0, hour, minute);
                minute = minute / u * u;
                if (minute < u) {
                    if (hour > 0)
                        hour -= 1;
                    minute = 60;
                }
                minute -= u;
            }
            N = day + COleDateTimeSpan(0, hour, minute, 0);
            const int row = (hour * 60 + minute) / u;
            if (row < m_nScrollOffset || row >= m_nScrollOffset + m_nScrollPage)
                scrollTo = nChar == VK_HOME ? row : row + 1 - m_nScrollPage;
        }
        if (!shift)
            K = N;
        if (scrollTo >= 0)
            OnVScroll(SB_THUMBPOSITION, UINT(scrollTo), nullptr);
        SetSelection(K, N, TRUE);
        return TRUE;
    }

    BOOL anchorAlong = FALSE;
    if (nChar == VK_LEFT || nChar == VK_RIGHT) {
        const COleDateTime& earlier = K < N ? K : N;
        const COleDateTime& later = K < N ? N : K;
        COleDateTimeSpan step(1.0);
        if (nChar == VK_LEFT && IsSameDay(shift ? N : earlier, rangeStart)) {
            step = rangeStart - PlannerDates::TruncateToDay(GetPrevDate());
            anchorAlong = TRUE;
        } else if (nChar == VK_RIGHT &&
                   IsSameDay(shift ? N : later, rangeStart + COleDateTimeSpan(double(days - 1)))) {
            step = PlannerDates::TruncateToDay(GetNextDate()) - rangeStart;
            anchorAlong = TRUE;
        }
        if (nChar == VK_LEFT) {
            N -= step;
            if (anchorAlong)
                K -= step;
        } else {
            N += step;
            if (anchorAlong)
                K += step;
        }
    } else {
        const COleDateTime before = N;
        N += nChar == VK_UP ? -slot : slot;
        if (N < rangeStart && days > 1) {
            const COleDateTimeSpan back = rangeStart - PlannerDates::TruncateToDay(GetPrevDate());
            N = before - back;
            K -= back;
            anchorAlong = TRUE;
        } else if (N < day) {
            N = day;
        }
        if (N > m_dtDateEnd && days > 1) {
            const COleDateTimeSpan forward = PlannerDates::TruncateToDay(GetNextDate()) - rangeStart;
            N = before + forward;
            K += forward;
            anchorAlong = TRUE;
        } else if (N > lastSlot) {
            N = lastSlot;
        }
    }
    if (!shift || anchorAlong)
        K = N;

    if (!IsSameDay(N, m_dtDate)) {
        m_dtDate = PlannerDates::TruncateToDay(N);
        BOOL moved = FALSE;
        if (m_dtDate < m_dtDateStart || m_dtDate > m_dtDateEnd) {
            m_dtDateStart = CalculateDateStart(m_dtDate);
            m_dtDateEnd = m_dtDateStart + COleDateTimeSpan(double(days - 1)) + kDayInputLastSecond;
            moved = TRUE;
        }
        SetSelection(K, N, !moved);
        if (moved) {
            QueryAppointments();
            AdjustLayout(TRUE);
        }
        return TRUE;
    }
    SetSelection(K, N, TRUE);
    if (m_nScrollTotal > 0 && m_nScrollPage > 0) {
        const COleDateTime top = GetDateFromPoint(CPoint(m_rectView.left, m_rectView.top));
        const COleDateTime bottom = GetDateFromPoint(CPoint(m_rectView.right - 1, m_rectView.bottom));
        if (nChar == VK_UP) {
            if (SecondOfDay(K) < SecondOfDay(top))
                OnVScroll(SB_LINEUP, 0, nullptr);
        } else if (SecondOfDay(N) >= SecondOfDay(bottom)) {
            OnVScroll(SB_LINEDOWN, 0, nullptr);
        }
    }
    return TRUE;
}

// ---- mouse in the bands -------------------------------------------------------------------------

void CZUDPPlannerViewDay::SelectWholeDays(const COleDateTime& clicked, BOOL bFromAnchor, COleDateTime& start,
                                          COleDateTime& end) const
{
    const COleDateTime day = PlannerDates::TruncateToDay(clicked);
    start = day;
    end = day + kDayInputLastSecond;
    if (!bFromAnchor)
        return;
    const COleDateTime anchor = PlannerDates::TruncateToDay(m_dtSelectionStart);
    if (anchor < day) {
        start = anchor;
    } else {
        // Written backwards: the anchor day's last second to the clicked day.
        start = anchor + kDayInputLastSecond;
        end = day;
    }
}

BOOL CZUDPPlannerViewDay::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int area = HitTestArea(point);
    if (area < ZUDP_PLANNER_HIT_HEADER || area > ZUDP_PLANNER_HIT_HEADER_RESOURCE)
        return CZUDPPlannerView::OnLButtonDown(nFlags, point);
    const BOOL redraw = GetSelectedAppointments().GetCount() > 0;
    ClearAppointmentSelection(FALSE);
    const UINT resource = GetResourceFromPoint(point);
    const COleDateTime date = GetDateFromPoint(point);
    const COleDateTime day = PlannerDates::TruncateToDay(date);
    if (IsZeroDay(day) || (day == m_dtDate && day == m_dtSelectionStart && day == m_dtSelectionEnd &&
                           resource == GetCurrentResourceID())) {
        if (redraw)
            RedrawPlanner();
        return TRUE;
    }
    m_dtDate = day;
    COleDateTime start, end;
    SelectWholeDays(day, (nFlags & MK_SHIFT) != 0 && HitTest(point) < ZUDP_PLANNER_HIT_APPOINTMENT, start, end);
    SetCurrentResourceID(resource, FALSE, TRUE);
    SetSelection(start, end, TRUE);
    return TRUE;
}

BOOL CZUDPPlannerViewDay::OnMouseMove(UINT nFlags, CPoint point)
{
    const int area = HitTestArea(point);
    const BOOL editOpen = HasPlannerWindow() && ::GetDlgItem(m_pPlanner->GetSafeHwnd(), 2) != nullptr;
    if (!IsCaptured() || IsDragging() || editOpen || area < ZUDP_PLANNER_HIT_HEADER ||
        area > ZUDP_PLANNER_HIT_HEADER_RESOURCE)
        return CZUDPPlannerView::OnMouseMove(nFlags, point);
    const COleDateTime date = GetDateFromPoint(point);
    if (IsZeroDay(date))
        return TRUE;
    if (date != m_dtCaptureCursor || area != m_nCursorArea) {
        m_dtCaptureCursor = date;
        m_nCursorArea = area;
        COleDateTime start, end;
        SelectWholeDays(date, TRUE, start, end);
        SetSelection(start, end, TRUE);
    }
    return TRUE;
}

// ---- activation and editing -----------------------------------------------------------------------

COleDateTime CZUDPPlannerViewDay::GetFirstWorkingSlot(const COleDateTime& day) const
{
    int hour = 0, minute = 0;
    SplitHoursMinutes(m_pPlanner != nullptr ? m_pPlanner->GetWorkingHourStart() : 9.0, hour, minute);
    const int u = GetSlotMinutes();
    return PlannerDates::TruncateToDay(day) + COleDateTimeSpan(0, hour, minute / u * u, 0);
}

void CZUDPPlannerViewDay::OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView)
{
    if (pOldView != nullptr)
        m_dtDate = pOldView->GetDate();
    m_dtDateStart = PlannerDates::TruncateToDay(m_dtDate);
    m_dtDateEnd = m_dtDateStart + kDayInputLastSecond;
    CZUDPPlannerView::OnActivate(pPlanner, nullptr);
    const COleDateTime first = GetFirstWorkingSlot(m_dtDateStart);
    SetSelection(first, first + COleDateTimeSpan(0, 0, GetSlotMinutes() - 1, 59), TRUE);
}

void CZUDPPlannerViewDay::EditAppointment(CZUDPAppointment* pApp)
{
    if (pApp == nullptr || !HasPlannerWindow())
        return;
    if (pApp->IsAllDay() || pApp->IsLong() || pApp->GetEditRect(COleDateTime(0.0)).top >= m_rectView.top)
        pApp->BeginEditing(m_pPlanner);
}

// ---- dragging over the day view ---------------------------------------------------------------------

DROPEFFECT CZUDPPlannerViewDay::OnDragScroll(DWORD dwKeyState, CPoint point)
{
    (void)dwKeyState;
    (void)point;
    return kDropEffectScroll;
}

DROPEFFECT CZUDPPlannerViewDay::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    const DROPEFFECT effect = GetDropEffect(dwKeyState, point);
    const DROPEFFECT previous = GetDragEffect();
    const BOOL wasUnchanged = IsCaptureUnchanged();
    m_bDragChanged = 0;

    if (effect == DROPEFFECT_NONE) {
        if (effect == previous)
            return DROPEFFECT_NONE;
        if (m_pDragStorage == nullptr)
            m_pDragStorage = new CZUDPAppointmentStorage;
        EmptyDragAppointments();
        m_bDragChanged = previous != DROPEFFECT_NONE && m_nCursorArea == ZUDP_PLANNER_HIT_HEADER_ALLDAY ? 2 : 1;
        return DROPEFFECT_NONE;
    }

    BOOL dateChanged = FALSE, areaChanged = FALSE, resourceChanged = FALSE;
    const int oldArea = m_nCursorArea;
    const COleDateTime date = GetDateFromPoint(point);
    if (!IsZeroDay(date) && date != m_dtCaptureCursor) {
        m_dtCaptureCursor = date;
        dateChanged = TRUE;
    }
    int area = HitTestArea(point);
    // Leaving the all-day band up into the captions keeps it.
    if (m_nCursorArea == ZUDP_PLANNER_HIT_HEADER_ALLDAY &&
        (area == ZUDP_PLANNER_HIT_HEADER || area == ZUDP_PLANNER_HIT_HEADER_RESOURCE))
        area = ZUDP_PLANNER_HIT_HEADER_ALLDAY;
    if (area != m_nCursorArea) {
        m_nCursorArea = area;
        areaChanged = TRUE;
    }
    const UINT resource = GetResourceFromPoint(point);
    if (resource != m_nCursorResource) {
        m_nCursorResource = resource;
        resourceChanged = TRUE;
    }
    if (effect == previous && !dateChanged && !areaChanged && !resourceChanged) {
        m_bDragChanged = IsCaptureUnchanged() != wasUnchanged ? 1 : 0;
        return effect;
    }

    if (m_pDragStorage == nullptr)
        m_pDragStorage = new CZUDPAppointmentStorage;
    EmptyDragAppointments();
    const BOOL inside = IsDragging();
    CZUDPAppointmentArray apps;
    if (LoadDragAppointments(pDataObject, inside ? COleDateTime(0.0) : m_dtCaptureCursor, apps) > 0 &&
        apps.GetSize() > 0) {
        if (inside) {
            const BOOL forward = m_dtCaptureCursor > m_dtCaptureCurrent;
            const COleDateTimeSpan span =
                forward ? m_dtCaptureCursor - m_dtCaptureCurrent : m_dtCaptureCurrent - m_dtCaptureCursor;
            CZUDPPlannerManagerCtrl::ShiftAppointments(apps, span, forward);
        }
        const BOOL overBand = m_nCursorArea == ZUDP_PLANNER_HIT_HEADER_ALLDAY;
        for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
            CZUDPAppointment* pApp = apps[i];
            BOOL converted = FALSE;
            if (overBand && !pApp->IsAllDay()) {
                pApp->SetAllDay(TRUE);
                converted = TRUE;
            } else if (!overBand && (pApp->IsAllDay() || pApp->IsLong())) {
                pApp->SetAllDay(FALSE);
                converted = TRUE;
            }
            if (converted)
                pApp->SetInterval(m_dtCaptureCursor, m_dtCaptureCursor);
            pApp->SetResourceID(m_nCursorResource);
        }
        StoreDragAppointments(apps);
    }
    const BOOL intoOrOutOfBand = areaChanged && (oldArea == ZUDP_PLANNER_HIT_HEADER_ALLDAY ||
                                                 m_nCursorArea == ZUDP_PLANNER_HIT_HEADER_ALLDAY);
    const BOOL bandMoved =
        m_nCursorArea == ZUDP_PLANNER_HIT_HEADER_ALLDAY && (dateChanged || resourceChanged);
    const BOOL effectChanged = effect != previous && (m_nCaptureArea == ZUDP_PLANNER_HIT_HEADER_ALLDAY ||
                                                      previous == DROPEFFECT_NONE);
    // 2: the all-day band may change height, so the whole view is laid out.
    m_bDragChanged = intoOrOutOfBand || bandMoved || effectChanged ? 2 : 1;
    return effect;
}
