// The month view: range, layout, placement, hit tests, keys and week
// steps.
#include "ui/planner/ZUDPPlannerViewMonth.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewMonth, CZUDPPlannerView)

namespace {

const COleDateTimeSpan kMonthOneDay(1.0);
// The last second of a day: 23:59:59.
const COleDateTimeSpan kMonthDayLessOneSecond(0.999988425925926);
const int kMonthMinimumDays = 14;
const int kMonthMaximumDays = 42;
const int kMonthDefaultDays = 35;
// The virtual scroll range: positions are week steps, pages five weeks.
const int kMonthScrollPage = 5;
const int kMonthScrollMaximum = 250;
const int kMonthScrollStart = 125;

BOOL MonthShiftDown() { return (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000) != 0; }

BOOL MonthOutside(const COleDateTime& date, const COleDateTime& start, const COleDateTime& end)
{
    return date > end || date < start;
}

} // namespace

CZUDPPlannerViewMonth::CZUDPPlannerViewMonth()
{
    RecomputeDateEnd();
}

CZUDPPlannerViewMonth::~CZUDPPlannerViewMonth()
{
    m_WeekBarRects.RemoveAll();
}

void CZUDPPlannerViewMonth::RecomputeDateEnd()
{
    m_dtDateEnd = m_dtDateStart + COleDateTimeSpan(double(m_nDayCount - 1)) + kMonthDayLessOneSecond;
    m_dtDateEnd.SetStatus(COleDateTime::valid);
}

// ---- range ----------------------------------------------------------------------------------

int CZUDPPlannerViewMonth::GetEffectiveFirstDay() const
{
    const int first = CZUDPPlannerManagerCtrl::GetFirstDayOfWeek();
    return (first == 0 && m_bCompressWeekend) ? 1 : first;
}

COleDateTime CZUDPPlannerViewMonth::CalculateWeekStart(const COleDateTime& date, int nWeekday) const
{
    if (nWeekday == 1 && m_bCompressWeekend)
        nWeekday = 2;
    return GetWeekStartDate(date, nWeekday);
}

COleDateTime CZUDPPlannerViewMonth::GetEffectiveWeekStart(const COleDateTime& date) const
{
    return CalculateWeekStart(date, CZUDPPlannerManagerCtrl::GetFirstDayOfWeek() + 1);
}

COleDateTime CZUDPPlannerViewMonth::CalculateDateStart(const COleDateTime& date) const
{
    COleDateTime first;
    if (date.GetStatus() == COleDateTime::valid)
        first.SetDate(date.GetYear(), date.GetMonth(), 1);
    else
        first.SetStatus(COleDateTime::invalid);
    return GetEffectiveWeekStart(first);
}

void CZUDPPlannerViewMonth::OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView)
{
    if (pOldView != nullptr)
        m_dtDate = pOldView->GetDate();
    m_nDayCount = kMonthDefaultDays;
    m_dtDateStart = CalculateDateStart(PlannerDates::TruncateToDay(m_dtDate));
    RecomputeDateEnd();
    if (MonthOutside(m_dtDate, m_dtDateStart, m_dtDateEnd))
        m_dtDate = m_dtDateStart;
    if (pOldView != nullptr)
        SetSelection(pOldView->GetSelectionStart(), pOldView->GetSelectionEnd(), FALSE);
    else
        SetSelection(m_dtDate, m_dtDate, FALSE);
    CZUDPPlannerView::OnActivate(pPlanner, nullptr);
}

void CZUDPPlannerViewMonth::SetDate(const COleDateTime& date)
{
    COleDateTime day = PlannerDates::TruncateToDay(date);
    if (MonthOutside(day, m_dtDateStart, m_dtDateEnd)) {
        // The week of the date becomes the first row.
        m_dtDateStart = GetEffectiveWeekStart(day);
        RecomputeDateEnd();
    }
    if (MonthOutside(day, m_dtDateStart, m_dtDateEnd))
        day = m_dtDateStart;
    CZUDPPlannerView::SetDate(day);
}

void CZUDPPlannerViewMonth::SetDateInterval(const COleDateTime& date1, const COleDateTime& date2)
{
    const LONG days = PlannerDates::WholeDays(date2 - date1);
    LONG count = (days / 7) * 7;
    if (days > count)
        count += 7;
    if (count < kMonthMinimumDays)
        count = kMonthMinimumDays;
    if (count > kMonthMaximumDays)
        count = kMonthMaximumDays;
    m_nDayCount = int(count);
    COleDateTime anchor = date1;
    // A Sunday start opens on the following week when weeks start on Monday
    // for the compressed weekend.
    if (m_bCompressWeekend && CZUDPPlannerManagerCtrl::GetFirstDayOfWeek() == 0)
        anchor += kMonthOneDay;
    m_dtDateStart = GetEffectiveWeekStart(anchor);
    RecomputeDateEnd();
    if (MonthOutside(m_dtDate, m_dtDateStart, m_dtDateEnd))
        m_dtDate = m_dtDateStart;
    SetDate(m_dtDate);
}

void CZUDPPlannerViewMonth::SetCompressWeekend(BOOL bCompress)
{
    if (m_bCompressWeekend == bCompress)
        return;
    m_bCompressWeekend = bCompress;
    if (CZUDPPlannerManagerCtrl::GetFirstDayOfWeek() == 1) {
        // Weeks start on Monday either way.
        AdjustLayout(TRUE);
        return;
    }
    m_dtDateStart = GetEffectiveWeekStart(m_dtDateStart);
    RecomputeDateEnd();
    SetDate(m_dtDate);
}

void CZUDPPlannerViewMonth::SetDrawTimeFinish(BOOL bDraw)
{
    if (m_bDrawTimeFinish == bDraw)
        return;
    m_bDrawTimeFinish = bDraw;
    AdjustLayout(TRUE);
}

void CZUDPPlannerViewMonth::SetDrawTimeAsIcons(BOOL bDraw)
{
    if (m_bDrawTimeAsIcons == bDraw)
        return;
    m_bDrawTimeAsIcons = bDraw;
    AdjustLayout(TRUE);
}

void CZUDPPlannerViewMonth::SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw)
{
    SetWholeDaySelection(sel1, sel2, bRedraw);
}

void CZUDPPlannerViewMonth::GetCaptionFormatStrings(CStringArray& sa)
{
    sa.RemoveAll();
    sa.Add("dddd");
    sa.Add("ddd");
}

// ---- layout ---------------------------------------------------------------------------------

void CZUDPPlannerViewMonth::AdjustScrollSizes(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    (void)rectClient;
    m_nHeaderHeight = m_nRowHeight;
    m_nWeekBarWidth = (GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR) != 0 ? m_nRowHeight + 3 : 0;
    m_rectView.left += m_nWeekBarWidth;
    UpdateScrollBar();
    m_rectView.top += m_nHeaderHeight;
}

void CZUDPPlannerViewMonth::UpdateScrollBar()
{
    if (m_nScrollPage != kMonthScrollPage && m_nScrollTotal != kMonthScrollMaximum) {
        m_nScrollPage = kMonthScrollPage;
        m_nScrollTotal = kMonthScrollMaximum;
        m_nScrollOffset = kMonthScrollStart;
    }
    CZUDPPlannerView::UpdateScrollBar();
}

void CZUDPPlannerViewMonth::AdjustRects()
{
    m_WeekBarRects.RemoveAll();
    // A range without a whole week (invalid ends) has no cells: the rows
    // would divide the height by zero.
    if (m_dtDateStart.GetStatus() != COleDateTime::valid || m_dtDateEnd.GetStatus() != COleDateTime::valid)
        return;
    const int days = GetViewDuration();
    const int weeks = days / 7;
    if (weeks < 1)
        return;
    const CRect& view = m_rectView;
    const int columns = m_bCompressWeekend ? 6 : 7;
    const int w = RoundToInt(double(view.right - view.left) / columns);
    const int h = RoundToInt(double(view.bottom - view.top) / weeks);
    const int first = GetEffectiveFirstDay();
    const int lastColumn = m_bCompressWeekend ? 5 : 6;

    m_ViewRects.SetSize(days);
    for (int r = 0; r < weeks; ++r) {
        const int rowTop = view.top + r * h;
        const int rowBottom = r == weeks - 1 ? view.bottom : rowTop + h - 1;
        CRect cell(view.left, rowTop, view.left + w - 1, rowBottom);
        int column = 0;
        for (int k = 0; k < 7; ++k) {
            const int s = first - 7 + k;
            const BOOL saturday = m_bCompressWeekend && s == -1;
            if (saturday) {
                cell.top = rowTop;
                cell.bottom = rowTop + (h - 1) / 2;
            } else if (m_bCompressWeekend && s == 0) {
                cell.top = cell.bottom + 1;
                cell.bottom = rowBottom;
            } else {
                cell.top = rowTop;
                cell.bottom = rowBottom;
            }
            m_ViewRects[7 * r + k] = cell;
            if (saturday)
                continue;
            cell.OffsetRect(w, 0);
            if (++column == lastColumn)
                cell.right = view.right;
        }
    }
    // Days past the last whole week keep empty cells.
    for (int i = weeks * 7; i < days; ++i)
        m_ViewRects[i] = CRect(0, 0, 0, 0);

    if (m_nWeekBarWidth <= 0)
        return;
    m_WeekBarRects.SetSize(weeks);
    for (int r = 0; r < weeks; ++r) {
        const CRect& day0 = m_ViewRects[7 * r];
        const CRect& day1 = m_ViewRects[7 * r + 1];
        const CRect& reference = (m_bCompressWeekend && day0.top != day1.top) ? m_ViewRects[7 * r + 2] : day0;
        CRect bar(view.left - m_nRowHeight, reference.top + m_nRowHeight, view.left, reference.bottom);
        bar.InflateRect(0, 1);
        m_WeekBarRects[r] = bar;
    }
}

void CZUDPPlannerViewMonth::AdjustAppointments()
{
    const int days = GetViewDuration();
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if ((queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0) || m_ViewRects.GetSize() != days) {
        ClearUpDownIcons();
        return;
    }
    const BOOL dragShown = IsDragAppointmentsShown();
    CZUDPAppointmentArray* lists[2] = {&queried, dragShown ? &m_DragAppointments : nullptr};
    CZUDPAppointmentArray longApps;
    for (CZUDPAppointmentArray* list : lists) {
        if (list == nullptr)
            continue;
        for (INT_PTR i = 0; i < list->GetSize(); ++i) {
            CZUDPAppointment* pApp = list->GetAt(i);
            if (pApp == nullptr)
                continue;
            pApp->ResetDraw();
            if (pApp->IsAllDay() || pApp->IsLong())
                longApps.Add(pApp);
        }
    }
    if (longApps.GetSize() > 0)
        SortAppointments(longApps.GetData(), longApps.GetSize());
    // Each day looks only at its own appointments.
    CPlannerDayIndexScope indexScope(m_dayIndex);
    IndexAppointmentsByDay(days);
    CPlannerDayIndex longByDay;
    CZUDPAppointmentArray* longList = &longApps;
    longByDay.Build(m_dtDateStart, days, &longList, 1);

    const int lineHeight = m_nRowHeight;
    const int pitch = m_nRowHeight + 2;
    // The lines taken on the day being laid out; an appointment takes the
    // first free one.
    CArray<BYTE, BYTE> used;
    for (int i = 0; i < days; ++i) {
        const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(i));
        const CRect& dayRect = m_ViewRects[i];
        CRect cell = dayRect;
        cell.top += m_nRowHeight + 1;
        cell.DeflateRect(1, 0);
        const BOOL sameRow = i == 0 || dayRect.top == m_ViewRects[i - 1].top;
        const BOOL sameBottom = i == 0 || dayRect.bottom == m_ViewRects[i - 1].bottom;
        const BOOL halfCellBreak = i > 0 && sameRow && !sameBottom;
        used.RemoveAll();

        auto place = [&](CZUDPAppointment* pApp, BOOL isLong) {
            int line = 0;
            while (line < used.GetSize() && used[line] != 0)
                ++line;
            const int top = cell.top + line * pitch;
            CRect rect(cell.left, top, cell.right, top + lineHeight);
            const BOOL hasParts = pApp->GetDrawParts().GetCount() > 0;
            if (i > 0 && sameRow && isLong && hasParts) {
                // A bar running on along a week row keeps its line.
                const CRect before = pApp->GetDrawRect(date - kMonthOneDay);
                if (!before.IsRectEmpty() && before.top != rect.top) {
                    rect.top = before.top;
                    rect.bottom = before.bottom;
                }
            }
            const BOOL crossesMidnight = !isLong && !IsSameDay(pApp->GetStart(), pApp->GetFinish());
            if ((halfCellBreak || crossesMidnight) && hasParts) {
                CRect clipped;
                clipped.IntersectRect(rect, dayRect);
                if (clipped.Height() < rect.Height() || rect.bottom >= dayRect.bottom || !isLong) {
                    // The date opens a part of its own instead of joining
                    // the part of the day before.
                    CRect moved = rect;
                    moved.OffsetRect(0, 1);
                    pApp->SetDrawRect(moved, date);
                }
            }
            pApp->SetDrawRect(rect, date);
            const int taken = (rect.top - cell.top) / pitch;
            if (taken >= 0) {
                if (taken >= used.GetSize())
                    used.SetSize(taken + 1);
                used[taken] = 1;
            }
        };

        const int indexed = longByDay.DayOf(date);
        const int shortIndexed = m_dayIndex.DayOf(date);
        if (indexed >= 0) {
            for (const CPlannerDayIndex::Entry& entry : longByDay.On(indexed))
                place(entry.pApp, TRUE);
        } else {
            for (INT_PTR a = 0; a < longApps.GetSize(); ++a)
                if (IsAppointmentOnDate(longApps[a], date))
                    place(longApps[a], TRUE);
        }
        // Dragged copies first, then the queried appointments.
        CZUDPAppointmentArray* shortLists[2] = {dragShown ? &m_DragAppointments : nullptr, &queried};
        for (int l = 0; l < 2; ++l) {
            CZUDPAppointmentArray* list = shortLists[l];
            if (list == nullptr)
                continue;
            const int listInIndex = l == 0 ? 1 : 0;
            auto placeShort = [&](CZUDPAppointment* pApp) {
                if (pApp != nullptr && !pApp->IsAllDay() && !pApp->IsLong())
                    place(pApp, FALSE);
            };
            if (shortIndexed >= 0) {
                for (const CPlannerDayIndex::Entry& entry : m_dayIndex.On(shortIndexed))
                    if (entry.list == listInIndex)
                        placeShort(entry.pApp);
            } else {
                for (INT_PTR a = 0; a < list->GetSize(); ++a)
                    if (list->GetAt(a) != nullptr && IsAppointmentOnDate(list->GetAt(a), date))
                        placeShort(list->GetAt(a));
            }
        }
        CheckVisibleAppointments(date, cell, TRUE);
    }
    AdjustUpDownIcons(TRUE);
    m_bUpdateToolTipInfo = TRUE;
}

void CZUDPPlannerViewMonth::AddUpDownIcons(BYTE nFlags, const CRect& rectDay)
{
    AddCornerDownIcon(nFlags, rectDay);
}

// ---- hit testing ------------------------------------------------------------------------------

int CZUDPPlannerViewMonth::GetWeekFromPoint(const CPoint& point) const
{
    if (point.x < 0 || point.x >= m_nWeekBarWidth)
        return -1;
    for (INT_PTR r = 0; r < m_WeekBarRects.GetSize(); ++r)
        if (m_WeekBarRects[r].PtInRect(point))
            return int(r);
    return -1;
}

int CZUDPPlannerViewMonth::HitTestArea(const CPoint& point) const
{
    const int code = CZUDPPlannerView::HitTestArea(point);
    if (code == ZUDP_PLANNER_HIT_CLIENT) {
        const int days = GetLaidOutDayCount();
        for (int d = 0; d < days; ++d) {
            CRect rect = m_ViewRects[d];
            rect.right += 1;
            rect.bottom += 1;
            if (!rect.PtInRect(point))
                continue;
            const int band = rect.Height() < m_nRowHeight ? rect.Height() : m_nRowHeight;
            return point.y < rect.top + band ? ZUDP_PLANNER_HIT_DAY_CAPTION : ZUDP_PLANNER_HIT_CLIENT;
        }
        return code;
    }
    if (code != ZUDP_PLANNER_HIT_NOWHERE)
        return code;
    if (m_rectView.left <= point.x && point.x <= m_rectView.right)
        return (point.y >= 0 && point.y < m_nHeaderHeight) ? ZUDP_PLANNER_HIT_HEADER : ZUDP_PLANNER_HIT_NOWHERE;
    if (point.x >= 0 && point.x < m_nWeekBarWidth)
        return GetWeekFromPoint(point) >= 0 ? ZUDP_PLANNER_HIT_WEEK_CAPTION : ZUDP_PLANNER_HIT_WEEKBAR;
    return ZUDP_PLANNER_HIT_NOWHERE;
}

DROPEFFECT CZUDPPlannerViewMonth::GetDropEffect(DWORD dwKeyState, const CPoint& point) const
{
    const int code = HitTestArea(point);
    if (code == ZUDP_PLANNER_HIT_NOWHERE || code == ZUDP_PLANNER_HIT_HEADER)
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

BOOL CZUDPPlannerViewMonth::CanResizeAt(int nHitCode) const { return CanResizeAtSideEdges(nHitCode); }

// ---- scrolling and keys ---------------------------------------------------------------------

BOOL CZUDPPlannerViewMonth::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    return ScrollByWeeks(nSBCode, nPos, pScrollBar);
}

BOOL CZUDPPlannerViewMonth::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    (void)nScrollCode;
    (void)nPos;
    (void)bDoScroll;
    return FALSE;
}

DROPEFFECT CZUDPPlannerViewMonth::OnDragScroll(DWORD dwKeyState, CPoint point)
{
    (void)dwKeyState;
    (void)point;
    return DROPEFFECT_NONE;
}

BOOL CZUDPPlannerViewMonth::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (m_pCapturedAppointment != nullptr) {
        // A key ends a resize in progress.
        if (HasPlannerWindow())
            m_pPlanner->SendMessage(WM_CANCELMODE);
        return TRUE;
    }
    const BOOL shift = MonthShiftDown();
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
        OnVScroll(nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0, nullptr);
        SetSelection(m_dtDate, m_dtDate, TRUE);
        return TRUE;
    case VK_HOME:
    case VK_END: {
        COleDateTime d = GetEffectiveWeekStart(PlannerDates::TruncateToDay(m_dtDate));
        if (nChar == VK_END)
            d += COleDateTimeSpan(6.0);
        if (!shift) {
            m_dtDate = d;
            SetSelection(d, d, TRUE);
        } else if (nChar == VK_HOME) {
            const COleDateTime old = m_dtDate;
            m_dtDate = d;
            SetSelection(d, old, TRUE);
        } else {
            const COleDateTime end = m_dtSelectionEnd;
            m_dtDate = PlannerDates::TruncateToDay(end);
            SetSelection(end, d, TRUE);
        }
        return TRUE;
    }
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        double step = 0.0;
        switch (nChar) {
        case VK_LEFT: step = -1.0; break;
        case VK_RIGHT: step = 1.0; break;
        case VK_UP: step = -7.0; break;
        default: step = 7.0; break;
        }
        const COleDateTime d = PlannerDates::TruncateToDay(m_dtSelectionEnd) + COleDateTimeSpan(step);
        BOOL scrolled = FALSE;
        if (d < m_dtDateStart) {
            OnVScroll(SB_LINEUP, 0, nullptr);
            scrolled = TRUE;
        } else if (d >= m_dtDateStart + COleDateTimeSpan(double(GetViewDuration()))) {
            OnVScroll(SB_LINEDOWN, 0, nullptr);
            scrolled = TRUE;
        }
        if (shift && !scrolled) {
            SetSelection(m_dtSelectionStart, d, TRUE);
            if (d <= m_dtDate)
                m_dtDate = d;
        } else {
            m_dtDate = d;
            SetSelection(d, d, TRUE);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}
