// The day view's layout: the time scale and the bands, the row height, the
// day columns, scrolling by rows, the placement of appointments, their
// visibility, the icons of hidden ones and hit testing.
#include "ui/planner/ZUDPPlannerViewDay.h"

#include <algorithm>
#include <vector>

#include "framework/win/Wnd.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewDay, CZUDPPlannerView)

namespace {

const COleDateTimeSpan kOneDay(1.0);
// The last second of a day.
const COleDateTimeSpan kDayLessOneSecond(0.999988425925926);

// Minutes since midnight of a date (-61 for an invalid one, whose hour and
// minute read -1).
int MinuteOfDay(const COleDateTime& date) { return date.GetHour() * 60 + date.GetMinute(); }

BOOL RectsOverlap(const CRect& a, const CRect& b)
{
    CRect common;
    return common.IntersectRect(a, b);
}

// The rectangle of an appointment's first drawing record, or of its single
// rectangle when it has none.
CRect FirstDrawRect(const CZUDPAppointment* pApp)
{
    const CZUDPAppointmentDSExMap& parts = pApp->GetDrawParts();
    return parts.GetCount() > 0 ? parts.GetDrawStruct(0)->GetRect() : pApp->GetDrawRect(COleDateTime(0.0));
}

void SetFirstDrawRect(CZUDPAppointment* pApp, const CRect& rect)
{
    CZUDPAppointmentDSExMap& parts = pApp->GetDrawParts();
    if (parts.GetCount() > 0)
        parts.GetDrawStruct(0)->SetRect(rect);
    else
        pApp->SetDrawRect(rect, COleDateTime(0.0));
}

} // namespace

CZUDPPlannerViewDay::CZUDPPlannerViewDay()
{
    m_rectTimeScale.SetRectEmpty();
    // One day: the base's start and, as end, its last second.
    m_dtDateEnd = PlannerDates::TruncateToDay(m_dtDateStart) + kDayLessOneSecond;
}

CZUDPPlannerViewDay::~CZUDPPlannerViewDay()
{
    StopClock(FALSE);
}

void CZUDPPlannerViewDay::SetDate(const COleDateTime& date)
{
    // An interval whose end lies before its start shows its start day: a
    // day count below 1 would leave no column (and divide by it).
    int days = GetViewDuration();
    if (days < 1)
        days = 1;
    m_dtDateStart = PlannerDates::TruncateToDay(date);
    m_dtDateEnd = m_dtDateStart + COleDateTimeSpan(double(days - 1)) + kDayLessOneSecond;
    CZUDPPlannerView::SetDate(date);
}

void CZUDPPlannerViewDay::SetDateInterval(const COleDateTime& date1, const COleDateTime& date2)
{
    m_dtDateStart = date1;
    m_dtDateEnd = date2;
    SetDate(date1);
}

int CZUDPPlannerViewDay::GetSlotMinutes() const
{
    return GetTimeScaleMinutes(m_pPlanner != nullptr ? m_pPlanner->GetTimeScaleUnit() : 0);
}

COleDateTimeSpan CZUDPPlannerViewDay::GetMinimumSpan() const
{
    return COleDateTimeSpan(0, 0, GetSlotMinutes(), 0);
}

COleDateTime CZUDPPlannerViewDay::GetNextDate() const { return m_dtDateStart + kOneDay; }
COleDateTime CZUDPPlannerViewDay::GetPrevDate() const { return m_dtDateStart - kOneDay; }

void CZUDPPlannerViewDay::OnDeactivate(CZUDPPlannerManagerCtrl* pPlanner)
{
    StopClock(FALSE);
    CZUDPPlannerView::OnDeactivate(pPlanner);
}

CRect CZUDPPlannerViewDay::GetRect() const
{
    CRect rect = m_rectView;
    if (!m_rectTimeScale.IsRectEmpty())
        rect.left = m_rectTimeScale.left;
    return rect;
}

// ---- bands and row height ------------------------------------------------------------------

int CZUDPPlannerViewDay::CountAllDayRows(const UINT* pResource) const
{
    const int days = std::max(GetViewDuration(), 1);
    std::vector<int> perDay(size_t(days), 0);
    const CZUDPAppointmentArray* lists[2] = {IsDragAppointmentsShown() ? &m_DragAppointments : nullptr,
                                             &GetQueriedAppointments()};
    for (const CZUDPAppointmentArray* list : lists) {
        if (list == nullptr)
            continue;
        for (INT_PTR i = 0; i < list->GetSize(); ++i) {
            const CZUDPAppointment* pApp = list->GetAt(i);
            if (pApp == nullptr || !(pApp->IsAllDay() || pApp->IsLong()))
                continue;
            if (pResource != nullptr && pApp->GetResourceID() != *pResource)
                continue;
            if (days == 1) {
                ++perDay[0];
                continue;
            }
            COleDateTime first = PlannerDates::TruncateToDay(pApp->GetStart());
            if (first < m_dtDateStart)
                first = m_dtDateStart;
            const COleDateTime& finish = pApp->GetFinish();
            // An all-day appointment covers its finish day; a long timed one
            // ending exactly at midnight does not reach the day it begins.
            COleDateTime end = pApp->IsAllDay() || finish.GetHour() != 0 || finish.GetMinute() != 0
                                   ? PlannerDates::TruncateToDay(finish) + kOneDay
                                   : finish;
            const LONG firstIndex = PlannerDates::WholeDays(first - m_dtDateStart);
            const LONG count = PlannerDates::WholeDays(end - first);
            for (LONG d = std::max<LONG>(firstIndex, 0); d < firstIndex + count && d < days; ++d)
                ++perDay[size_t(d)];
        }
    }
    const int most = *std::max_element(perDay.begin(), perDay.end());
    return most > 0 ? most : 1;
}

void CZUDPPlannerViewDay::AdjustScrollSizes(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    AdjustBands(rectClient, 1, CountAllDayRows());
}

void CZUDPPlannerViewDay::AdjustBands(const CRect& rectClient, int nCaptionRows, int nAllDayRows)
{
    if (IsTodayInRange())
        StartClock(FALSE);
    else
        StopClock(FALSE);

    const int captionRows = nCaptionRows;
    const int rowsPerDay = GetSlotsPerDay();

    m_rectTimeScale = rectClient;
    m_rectTimeScale.right = rectClient.left + 5 + (rowsPerDay == 24 ? 2 : 3) * m_nRowHeight;
    m_rectView.left = m_rectTimeScale.right;

    const int allDayRows = nAllDayRows;

    // The rows grow until the day fills a tall control.
    const int fontRowHeight = m_nRowHeight;
    const int firstPass = rectClient.Height() / (captionRows + allDayRows + rowsPerDay);
    if (firstPass > m_nRowHeight)
        m_nRowHeight = firstPass;
    m_nHeaderBandHeight = captionRows * m_nRowHeight;
    m_rectView.top += m_nHeaderBandHeight;
    // An all-day row is two pixels taller than a grid row.
    m_nAllDayBandHeight = allDayRows * (m_nRowHeight + 2);
    const int secondPass = (m_rectView.Height() - m_nAllDayBandHeight) / rowsPerDay;
    if (secondPass > fontRowHeight)
        m_nRowHeight = secondPass;

    // The grid holds whole rows; the band takes the pixels left over.
    const int viewHeight = m_rectView.Height();
    const int rest = viewHeight - m_nAllDayBandHeight;
    if (rest < 0) {
        m_nAllDayBandHeight = viewHeight;
    } else {
        const int rows = rest / GetRowStep();
        m_nAllDayBandHeight = rows >= rowsPerDay ? viewHeight - rowsPerDay * m_nRowHeight : viewHeight - rows * m_nRowHeight;
    }
    m_rectView.top += m_nAllDayBandHeight;

    UpdateScrollBar();
    SetSelection(m_dtSelectionStart, m_dtSelectionEnd, FALSE);
}

void CZUDPPlannerViewDay::AdjustRects()
{
    const int days = std::max(GetViewDuration(), 1);
    const int width = RoundToInt(double(m_rectView.Width()) / days);
    m_arDayFullySelected.RemoveAll();
    m_arDayFullySelected.SetSize(days);
    for (int d = 0; d < days; ++d) {
        m_arDayFullySelected[d] = 0;
        CRect rect(m_rectView.left + d * width, m_rectView.top, m_rectView.left + (d + 1) * width, m_rectView.bottom);
        // The last column takes the rounding error.
        if (d == days - 1)
            rect.right = m_rectView.right;
        m_ViewRects.Add(rect);
    }
}

// ---- scrolling ----------------------------------------------------------------------------------

int CZUDPPlannerViewDay::ClampScrollPosition(int nPosition) const
{
    const int highest = GetSlotsPerDay() - m_nScrollPage;
    if (nPosition > highest)
        nPosition = highest;
    return nPosition < 0 ? 0 : nPosition;
}

void CZUDPPlannerViewDay::UpdateScrollBar()
{
    m_nScrollPage = m_rectView.Height() / GetRowStep();
    m_nScrollTotal = GetSlotsPerDay() - 1;
    m_nScrollOffset = ClampScrollPosition(m_nScrollOffset);
    CZUDPPlannerView::UpdateScrollBar();
}

BOOL CZUDPPlannerViewDay::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    int position = m_nScrollOffset;
    switch (nSBCode) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= m_nScrollPage; break;
    case SB_PAGEDOWN: position += m_nScrollPage; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = m_nScrollTotal; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = int(nPos); break;
    default: return FALSE;
    }
    position = ClampScrollPosition(position);
    if (position == m_nScrollOffset)
        return FALSE;
    m_nScrollOffset = position;
    return CZUDPPlannerView::OnVScroll(nSBCode, nPos, pScrollBar);
}

// ---- placement ------------------------------------------------------------------------------------

void CZUDPPlannerViewDay::PlaceTimedAppointments(const CZUDPAppointmentArray& list, int nDay,
                                                 const COleDateTime& date, CZUDPAppointmentArray& longApps)
{
    PlaceTimedAppointmentsIn(list, m_ViewRects[nDay], nDay, date, longApps, nullptr);
}

void CZUDPPlannerViewDay::PlaceTimedAppointmentsIn(const CZUDPAppointmentArray& list, const CRect& rectDay, int nDay,
                                                   const COleDateTime& date, CZUDPAppointmentArray& longApps,
                                                   const UINT* pResource)
{
    const int row = m_nRowHeight;
    const int slot = GetSlotMinutes();
    const int dayTop = rectDay.top - m_nScrollOffset * row;
    const int dayLeft = rectDay.left + ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_NO_DURATION) != 0 && nDay > 0 ? 1 : 0);
    const int dayRight = rectDay.right;

    std::vector<CZUDPAppointment*> dayApps;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        CZUDPAppointment* pApp = list[i];
        if (pApp == nullptr || !IsAppointmentOnDate(pApp, date))
            continue;
        if (pResource != nullptr && pApp->GetResourceID() != *pResource)
            continue;
        if (pApp->IsAllDay() || pApp->IsLong()) {
            BOOL known = FALSE;
            for (INT_PTR k = 0; k < longApps.GetSize() && !known; ++k)
                known = longApps[k] == pApp;
            if (!known)
                longApps.Add(pApp);
            continue;
        }
        const COleDateTime& start = pApp->GetStart();
        const COleDateTime& finish = pApp->GetFinish();
        const BOOL onStartDay = IsSameDay(start, date);
        CRect rect(dayLeft, 0, dayRight - 6, 0);
        rect.top = onStartDay ? MinuteOfDay(start) / slot * row + dayTop - 1 : dayTop - 1;
        if (start == finish) {
            rect.bottom = rect.top + row;
        } else {
            // A finish on another day (a short appointment crossing midnight)
            // ends the start's day at its bottom.
            const int finishMinutes = IsSameDay(start, finish) || !onStartDay ? MinuteOfDay(finish) : 1440;
            rect.bottom = (finishMinutes + slot - 1) / slot * row + dayTop - 1;
            // An appointment whose slot-rounded ends meet (shorter than a
            // minute) is one row high, like a zero-length one, so it is
            // seen and hit.
            if (rect.bottom <= rect.top && (onStartDay || MinuteOfDay(finish) != 0))
                rect.bottom = rect.top + row;
        }
        pApp->SetDrawRect(rect, date);
        dayApps.push_back(pApp);
    }
    if (dayApps.size() < 2)
        return;

    // Columns: an appointment that overlaps the last one kept in a column
    // moves on to the next column.
    std::vector<std::vector<CZUDPAppointment*>> columns;
    columns.push_back(dayApps);
    for (size_t c = 0; c < columns.size(); ++c) {
        std::vector<CZUDPAppointment*> kept;
        std::vector<CZUDPAppointment*> next;
        kept.push_back(columns[c][0]);
        for (size_t i = 1; i < columns[c].size(); ++i) {
            CZUDPAppointment* pApp = columns[c][i];
            if (RectsOverlap(pApp->GetDrawRect(date), kept.back()->GetDrawRect(date)))
                next.push_back(pApp);
            else
                kept.push_back(pApp);
        }
        columns[c] = kept;
        if (!next.empty())
            columns.push_back(next);
    }
    if (columns.size() < 2)
        return;

    const int count = int(columns.size());
    const int width = (dayRight - dayLeft) / count;
    for (int c = 0; c < count; ++c) {
        for (CZUDPAppointment* pApp : columns[size_t(c)]) {
            CRect rect = pApp->GetDrawRect(date);
            rect.left = dayLeft + c * width;
            pApp->SetDrawRect(rect, date);
        }
    }
    // An appointment reaches the first later column that holds one it
    // overlaps, less the shadow's gap; with none it spans them all.
    const int gap = CanDrawShadow() ? 3 : 0;
    for (int c = 0; c < count; ++c) {
        for (CZUDPAppointment* pApp : columns[size_t(c)]) {
            CRect rect = pApp->GetDrawRect(date);
            BOOL found = FALSE;
            for (int j = c + 1; j < count && !found; ++j) {
                for (CZUDPAppointment* pOther : columns[size_t(j)]) {
                    if (RectsOverlap(rect, pOther->GetDrawRect(date))) {
                        rect.right = dayLeft + j * width - gap;
                        pApp->SetDrawRect(rect, date);
                        found = TRUE;
                        break;
                    }
                }
            }
        }
    }
}

void CZUDPPlannerViewDay::PlaceLongAppointments(const CZUDPAppointmentArray& longApps)
{
    const int days = GetLaidOutDayCount();
    const int bandTop = m_rectView.top - m_nAllDayBandHeight;
    for (INT_PTR i = 0; i < longApps.GetSize(); ++i) {
        CZUDPAppointment* pApp = longApps[i];
        for (int d = 0; d < days; ++d) {
            const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(d));
            if (!IsAppointmentOnDate(pApp, date))
                continue;
            const CRect& rectDay = m_ViewRects[d];
            pApp->SetDrawRect(CRect(rectDay.left, bandTop + 1, rectDay.right, bandTop + 1 + m_nRowHeight), date);
        }
    }

    // Rows: each appointment goes down, row by row, while an earlier one in
    // its row overlaps it; so it lands in the first row free for it.  (The
    // rows are kept per row, so the search is quadratic at worst.)
    const int rowStep = m_nRowHeight + 2;
    std::vector<std::vector<CRect>> rows;
    for (INT_PTR i = 0; i < longApps.GetSize(); ++i) {
        CZUDPAppointment* pApp = longApps[i];
        CRect rect = FirstDrawRect(pApp);
        size_t row = 0;
        for (;; ++row) {
            if (row == rows.size())
                rows.emplace_back();
            BOOL overlaps = FALSE;
            for (const CRect& other : rows[row]) {
                if (RectsOverlap(rect, other)) {
                    overlaps = TRUE;
                    break;
                }
            }
            if (!overlaps)
                break;
            rect.OffsetRect(0, rowStep);
        }
        rows[row].push_back(rect);
        if (row > 0)
            SetFirstDrawRect(pApp, rect);
    }
}

void CZUDPPlannerViewDay::AdjustAppointments()
{
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if ((queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0) || m_ViewRects.GetSize() != GetViewDuration()) {
        ClearUpDownIcons();
        return;
    }
    const BOOL dragShown = IsDragAppointmentsShown();
    CZUDPAppointmentArray* lists[2] = {&queried, dragShown ? &m_DragAppointments : nullptr};
    for (CZUDPAppointmentArray* list : lists) {
        if (list == nullptr)
            continue;
        for (INT_PTR i = 0; i < list->GetSize(); ++i)
            if (list->GetAt(i) != nullptr)
                list->GetAt(i)->ResetDraw();
    }

    CZUDPAppointmentArray longApps;
    const int days = int(m_ViewRects.GetSize());
    for (int d = 0; d < days; ++d) {
        const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(d));
        for (CZUDPAppointmentArray* list : lists)
            if (list != nullptr)
                PlaceTimedAppointments(*list, d, date, longApps);
    }
    PlaceLongAppointments(longApps);

    for (int d = 0; d < days; ++d)
        CheckVisibleAppointments(m_dtDateStart + COleDateTimeSpan(double(d)), m_rectView, FALSE);
    AdjustUpDownIcons(FALSE);
    m_bUpdateToolTipInfo = TRUE;
}

void CZUDPPlannerViewDay::CheckVisibleAppointments(const COleDateTime& date, const CRect& rect, BOOL bFullVisible)
{
    const BOOL zeroDate = date == COleDateTime(0.0);
    const CRect band(rect.left, rect.top - m_nAllDayBandHeight, rect.right, rect.top);
    CZUDPAppointmentArray* lists[2] = {&GetQueriedAppointments(),
                                       IsDragAppointmentsShown() ? &m_DragAppointments : nullptr};
    for (CZUDPAppointmentArray* list : lists) {
        if (list == nullptr)
            continue;
        for (INT_PTR i = 0; i < list->GetSize(); ++i) {
            CZUDPAppointment* pApp = list->GetAt(i);
            if (pApp == nullptr || (!zeroDate && !IsAppointmentOnDate(pApp, date)))
                continue;
            const CRect& test = pApp->IsAllDay() || pApp->IsLong() ? band : rect;
            const CRect rectApp = pApp->GetDrawRect(date);
            CRect inside;
            inside.IntersectRect(rectApp, test);
            const BOOL visible = bFullVisible
                                     ? inside.Height() == rectApp.Height() && rectApp.bottom < test.bottom
                                     : inside.Height() > 1;
            pApp->SetVisibleDraw(visible, date);
        }
    }
}

void CZUDPPlannerViewDay::AddUpDownIcons(BYTE nFlags, const CRect& rectDay)
{
    (void)rectDay;
    if (m_pPlanner == nullptr)
        return;
    const CSize size = m_pPlanner->GetUpDownIconSize();
    if ((nFlags & 1) != 0 && m_UpRects.GetSize() == 0) {
        const CPoint corner(m_rectTimeScale.right - size.cx,
                            m_rectTimeScale.top + m_nHeaderBandHeight + m_nAllDayBandHeight + 1);
        m_UpRects.Add(CRect(corner, size));
    }
    if ((nFlags & 2) != 0 && m_DownRects.GetSize() == 0)
        m_DownRects.Add(CRect(m_rectTimeScale.right - size.cx, m_rectTimeScale.bottom - size.cy - 1,
                              m_rectTimeScale.right, m_rectTimeScale.bottom - 1));
}

BOOL CZUDPPlannerViewDay::EnsureAppointmentVisible(CZUDPAppointment* pApp, BOOL bAnyPart)
{
    if (pApp == nullptr)
        return FALSE;
    if (pApp->IsAllDay() || pApp->IsLong())
        return TRUE;
    const CZUDPAppointmentDSExMap& parts = pApp->GetDrawParts();
    CRect rect;
    BOOL visible;
    if (parts.GetCount() > 0) {
        rect = parts.GetDrawStruct(0)->GetRect();
        visible = parts.GetDrawStruct(0)->IsVisible();
        if (bAnyPart && !visible)
            for (INT_PTR i = 1; i < parts.GetCount(); ++i)
                if (parts.GetDrawStruct(i)->IsVisible())
                    return TRUE;
    } else {
        rect = pApp->GetDrawRect(COleDateTime(0.0));
        visible = pApp->IsVisibleDraw(COleDateTime(0.0));
    }
    if (rect.IsRectEmpty() || m_ViewRects.GetSize() == 0)
        return FALSE;
    rect.OffsetRect(0, 1);
    const CRect& firstDay = m_ViewRects[0];
    if (visible && (bAnyPart || (rect.top >= firstDay.top && rect.bottom <= firstDay.bottom)))
        return TRUE;
    const int row = GetRowStep();
    const int rows = rect.top < firstDay.top || rect.Height() > firstDay.Height()
                         ? (rect.top - firstDay.top) / row
                         : (rect.bottom - firstDay.top) / row - m_nScrollPage;
    const int position = ClampScrollPosition(m_nScrollOffset + rows);
    if (position == m_nScrollOffset)
        return FALSE;
    m_nScrollOffset = position;
    return CZUDPPlannerView::OnVScroll(SB_THUMBPOSITION, UINT(position), nullptr);
}

// ---- hit testing -----------------------------------------------------------------------------------

int CZUDPPlannerViewDay::HitTestArea(const CPoint& point) const
{
    if (m_rectTimeScale.PtInRect(point)) {
        if (point.y <= m_rectTimeScale.top + m_nHeaderBandHeight + m_nAllDayBandHeight)
            return ZUDP_PLANNER_HIT_NOWHERE;
        if (m_UpRects.GetSize() > 0 && m_UpRects[0].PtInRect(point))
            return ZUDP_PLANNER_HIT_ICON_UP;
        if (m_DownRects.GetSize() > 0 && m_DownRects[0].PtInRect(point))
            return ZUDP_PLANNER_HIT_ICON_DOWN;
        return ZUDP_PLANNER_HIT_TIMEBAR;
    }
    if (point.x < m_rectView.left || point.x >= m_rectView.right)
        return ZUDP_PLANNER_HIT_NOWHERE;
    const int top = m_rectTimeScale.IsRectEmpty() ? m_rectView.top - m_nAllDayBandHeight - m_nHeaderBandHeight
                                                  : m_rectTimeScale.top;
    const int y = point.y - top;
    if (y >= 0 && y < m_nHeaderBandHeight)
        return ZUDP_PLANNER_HIT_HEADER;
    if (y >= m_nHeaderBandHeight && y < m_nHeaderBandHeight + m_nAllDayBandHeight)
        return ZUDP_PLANNER_HIT_HEADER_ALLDAY;
    if (m_rectView.PtInRect(point))
        return ZUDP_PLANNER_HIT_CLIENT;
    return ZUDP_PLANNER_HIT_NOWHERE;
}

int CZUDPPlannerViewDay::HitTest(const CPoint& point) const
{
    const int area = HitTestArea(point);
    if (area == ZUDP_PLANNER_HIT_CLIENT || area == ZUDP_PLANNER_HIT_HEADER_ALLDAY) {
        const int app = HitTestAppointment(point);
        if (app != ZUDP_PLANNER_HIT_NOWHERE)
            return app;
    }
    return area;
}
