// The day view's painting: the order of the parts, the time grid with its
// working hours and selection, the duration strips of long appointments,
// the all-day band, which appointments are painted where, the appointment
// box, and the one-minute clock that moves the current-time mark.
#include "ui/planner/ZUDPPlannerViewDay.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/PlannerShadow.h"
#include "ui/planner/ZUDPPlannerClip.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"

namespace {

const COLORREF kNoColourOfItsOwn = CZUDPVisualManager::kPlannerNoColor;
const COleDateTimeSpan kDay(1.0);

void DayLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

BOOL IsWeekend(const COleDateTime& date)
{
    const int weekday = date.GetDayOfWeek();
    return weekday == 1 || weekday == 7;
}

// h.mm as minutes of the day: 9.30 is 09:30.
int HoursMinutesToMinutes(double value)
{
    const int hour = int(value);
    const int minute = int((value - hour) * 100.0 + 0.05);
    return hour * 60 + minute;
}

// The box's duration bar: where the exact start and finish lie inside the
// slot-rounded box.
struct DurationBar {
    int top = 0;
    int bottom = 0;
    BOOL full = TRUE;          // empty, or as tall as the box
    BOOL exactTime = FALSE;    // the appointment does not begin or end on a slot boundary
};

DurationBar MeasureDurationBar(const CZUDPAppointment* pApp, DWORD edges, const CRect& box, int slotMinutes,
                               BOOL zeroLength)
{
    DurationBar bar;
    bar.top = box.top;
    bar.bottom = box.bottom;
    const COleDateTime& start = pApp->GetStart();
    const COleDateTime& finish = pApp->GetFinish();
    const double startMinutes = start.GetHour() * 60.0 + start.GetMinute();
    const double finishMinutes = finish.GetHour() * 60.0 + finish.GetMinute();
    const double slot = double(slotMinutes);
    bar.exactTime = std::floor(startMinutes / slot) != startMinutes / slot ||
                    std::floor(finishMinutes / slot) != finishMinutes / slot;
    if (zeroLength) {
        bar.full = FALSE;
        return bar;
    }
    // A part of an appointment crossing midnight runs to or from midnight.
    double s = startMinutes / slot;
    double f = finishMinutes / slot;
    if (!CZUDPPlannerView::IsSameDay(start, finish)) {
        if ((edges & CZUDPAppointmentDrawStruct::kFinishEdge) == 0)
            f = 1440.0 / slot;
        if ((edges & CZUDPAppointmentDrawStruct::kStartEdge) == 0)
            s = 0.0;
    }
    const double span = std::ceil(f) - std::floor(s);
    if (span > 0.0) {
        const double k = box.Height() / span;
        bar.top = box.top + int((s - std::floor(s)) * k);
        bar.bottom = box.bottom - int((std::ceil(f) - f) * k);
    }
    bar.full = bar.bottom <= bar.top || (bar.top <= box.top && bar.bottom >= box.bottom);
    return bar;
}

// The bar's own shape beside the box: a triangle for a zero-length
// appointment, else a strip at least 3 pixels high inside the box.
void MakeBarRegion(CRgn& region, const CRect& box, const DurationBar& bar, int width, BOOL zeroLength)
{
    if (zeroLength) {
        POINT corners[3] = {{box.left, bar.top}, {box.left + 9, bar.top}, {box.left + 9, bar.top + 9}};
        region.CreatePolygonRgn(corners, 3, WINDING);
        return;
    }
    int top = bar.top;
    int bottom = std::max(bar.bottom, top + 3);
    if (bottom > box.bottom) {
        bottom = box.bottom;
        top = std::max<int>(box.top, bottom - 3);
    }
    region.CreateRectRgn(box.left, top, box.left + width, bottom);
}

} // namespace

// ---- painting order ------------------------------------------------------------------------------

void CZUDPPlannerViewDay::OnPaint(CDC* pDC, const CRect& rectClient)
{
    if (pDC == nullptr)
        return;
    OnDrawClient(pDC, m_rectView);
    DrawLongAppointmentStrips(pDC);
    if (m_nAllDayBandHeight > 0) {
        const CRect band(m_rectView.left, m_rectView.top - m_nAllDayBandHeight, m_rectView.right, m_rectView.top);
        DrawAllDayBand(pDC, band);
        CPlannerClip clip(pDC);
        clip.Intersect(band);
        DrawAppointments(pDC, band, COleDateTime(0.0));
    }
    {
        CPlannerClip clip(pDC);
        clip.Intersect(m_rectView);
        DrawAppointments(pDC, m_rectView, COleDateTime(0.0));
    }
    if (!m_rectTimeScale.IsRectEmpty())
        DrawTimeScale(pDC, m_rectTimeScale, IsTodayInRange());
    if (m_nHeaderBandHeight > 0)
        DrawDayCaptions(pDC, CRect(m_rectView.left, rectClient.top, rectClient.right,
                                   rectClient.top + m_nHeaderBandHeight));
    UpdateToolTipsIfNeeded();
}

// ---- time grid ----------------------------------------------------------------------------------------

void CZUDPPlannerViewDay::GetWorkingMinutes(int& nStart, int& nEnd) const
{
    nStart = HoursMinutesToMinutes(m_pPlanner != nullptr ? m_pPlanner->GetWorkingHourStart() : 9.0);
    nEnd = HoursMinutesToMinutes(m_pPlanner != nullptr ? m_pPlanner->GetWorkingHourEnd() : 18.0);
}

void CZUDPPlannerViewDay::OnDrawClient(CDC* pDC, const CRect& rect)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const DWORD flags = GetDrawFlags();
    const int slot = GetSlotMinutes();
    const int slotsPerHour = 60 / slot;
    const int rowStep = GetRowStep();

    int workStart = 0, workEnd = 0;
    GetWorkingMinutes(workStart, workEnd);
    const int workFirstRow = workStart % 60 / slot + slotsPerHour * (workStart / 60);
    const int workEndRow = workEnd % 60 / slot + slotsPerHour * (workEnd / 60);

    // Pens by (working, hour line).
    CPen pens[2][2];
    for (int working = 0; working < 2; ++working)
        for (int hour = 0; hour < 2; ++hour)
            pens[working][hour].CreatePen(PS_SOLID, 0, GetGridLineColor(working, hour));
    CPen framePen(PS_SOLID, 0, pManager->GetPlannerFrameColor(this));
    const COLORREF selectionColour = pManager->GetPlannerSelectionColor(this);

    DrawBackground(pDC, rect, FALSE);
    pManager->ResetPlannerDrawState(this, pDC);

    // A selection of whole days shows in the all-day band instead.
    const BOOL forward = m_dtSelectionStart <= m_dtSelectionEnd;
    const COleDateTime& low = forward ? m_dtSelectionStart : m_dtSelectionEnd;
    const COleDateTime& high = forward ? m_dtSelectionEnd : m_dtSelectionStart;
    const BOOL wholeDays = low.GetHour() == 0 && low.GetMinute() == 0 && low.GetSecond() == 0 &&
                           high.GetHour() == 23 && high.GetMinute() == 59 && high.GetSecond() == 59;

    const int firstRow = m_nScrollOffset;
    const int lastRow = std::min(firstRow + rect.Height() / rowStep, GetSlotsPerDay());
    const int days = GetLaidOutDayCount();
    const int cellInset = (flags & ZUDP_PLANNER_DRAW_VIEW_NO_DURATION) != 0 ? 0 : 7;
    CPen* pOldPen = pDC->SelectObject(&pens[0][0]);
    for (int d = 0; d < days; ++d) {
        const COleDateTime day = m_dtDateStart + COleDateTimeSpan(double(d));
        const BOOL weekend = IsWeekend(day);
        const CRect& rectDay = m_ViewRects[d];
        CRect cell(rectDay.left + cellInset, rectDay.top, rectDay.right, rectDay.top + m_nRowHeight - 1);
        for (int row = firstRow; row < lastRow; ++row) {
            const BOOL working = !weekend && row >= workFirstRow && row < workEndRow;
            const COleDateTime time = day + COleDateTimeSpan(0, 0, row * slot, 0);
            if (!wholeDays && IsDateInSelection(time))
                pDC->FillSolidRect(cell, selectionColour);
            else if (working)
                DrawBackground(pDC, cell, TRUE);
            const BOOL hourLine = (row + 1) % slotsPerHour == 0;
            pDC->SelectObject(&pens[working ? 1 : 0][hourLine ? 1 : 0]);
            DayLine(pDC, cell.left, cell.bottom, cell.right, cell.bottom);
            cell.OffsetRect(0, m_nRowHeight);
        }
    }

    // Day separators and the duration-strip column of each day.
    pDC->SelectObject(&framePen);
    for (int d = 0; d < days; ++d) {
        const CRect& rectDay = m_ViewRects[d];
        if ((flags & ZUDP_PLANNER_DRAW_VIEW_NO_DURATION) != 0) {
            if (d > 0)
                DayLine(pDC, rectDay.left, rectDay.top, rectDay.left, rectDay.bottom);
            continue;
        }
        pDC->FillRect(CRect(rectDay.left, rectDay.top, rectDay.left + 6, rectDay.bottom), &g_uiEnvironment.m_brushWindow);
        if (d > 0)
            DayLine(pDC, rectDay.left, rectDay.top, rectDay.left, rectDay.bottom);
        DayLine(pDC, rectDay.left + 6, rectDay.top, rectDay.left + 6, rectDay.bottom);
    }
    pDC->SelectObject(pOldPen);
}

void CZUDPPlannerViewDay::DrawLongAppointmentStrips(CDC* pDC)
{
    DrawLongAppointmentStripsIn(pDC, [this](const CZUDPAppointment*, int d, CRect& column) {
        column = m_ViewRects[d];
        return TRUE;
    });
}

void CZUDPPlannerViewDay::DrawLongAppointmentStripsIn(
    CDC* pDC, const std::function<BOOL(const CZUDPAppointment*, int, CRect&)>& column)
{
    if ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_NO_DURATION) != 0)
        return;
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if (queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0)
        return;
    const int days = GetLaidOutDayCount();
    if (days == 0)
        return;
    const int slot = GetSlotMinutes();
    const int slotsPerDay = GetSlotsPerDay();
    const DROPEFFECT effect = GetDragEffect();
    const BOOL movedAway = IsDragging() && (effect & DROPEFFECT_COPY) == 0 && !IsCaptureUnchanged();
    const COleDateTime lastShown = m_dtDateStart + COleDateTimeSpan(double(days - 1));

    CZUDPAppointmentArray* lists[2] = {&queried, &m_DragAppointments};
    for (int l = 0; l < 2; ++l) {
        CZUDPAppointmentArray& list = *lists[l];
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            CZUDPAppointment* pApp = list[i];
            if (pApp == nullptr || !(pApp->IsAllDay() || pApp->IsLong()) ||
                pApp->GetDurationColor() == kNoColourOfItsOwn)
                continue;
            if (l == 0 && movedAway && pApp->IsSelected())
                continue;
            COleDateTime first = PlannerDates::TruncateToDay(pApp->GetStart());
            COleDateTime last = PlannerDates::TruncateToDay(pApp->GetFinish());
            if (!first.IsValid() || !last.IsValid())
                continue;
            const BOOL startCut = first < m_dtDateStart;
            const BOOL finishCut = last > lastShown;
            if (startCut)
                first = m_dtDateStart;
            if (finishCut)
                last = lastShown;
            for (COleDateTime day = first; day <= last; day += kDay) {
                const LONG d = PlannerDates::WholeDays(day - m_dtDateStart);
                if (d < 0 || d >= days)
                    continue;
                CRect rectDay;
                if (!column(pApp, int(d), rectDay))
                    continue;
                CRect strip(d == 0 ? rectDay.left : rectDay.left + 1, rectDay.top - 1, rectDay.left + 6,
                            rectDay.top - 1 + slotsPerDay * m_nRowHeight);
                if (!pApp->IsAllDay()) {
                    strip.OffsetRect(0, -m_nScrollOffset * m_nRowHeight);
                    const int dayTop = strip.top;
                    if (day == last && !finishCut) {
                        const COleDateTime& finish = pApp->GetFinish();
                        strip.bottom = dayTop + RoundToInt(double(m_nRowHeight) *
                                                           (finish.GetHour() * 60 + finish.GetMinute()) / slot);
                    }
                    if (day == first && !startCut) {
                        const COleDateTime& start = pApp->GetStart();
                        strip.top += RoundToInt(double(m_nRowHeight) * (start.GetHour() * 60 + start.GetMinute()) / slot);
                    }
                    strip.IntersectRect(strip, rectDay);
                }
                if (!strip.IsRectEmpty())
                    pDC->FillSolidRect(strip, pApp->GetDurationColor());
            }
        }
    }
}

void CZUDPPlannerViewDay::DrawAllDayBand(CDC* pDC, const CRect& rect)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    pManager->FillPlannerHeaderGap(pDC, this, rect);
    const int days = GetLaidOutDayCount();
    if (days > 1) {
        CPen pen(PS_SOLID, 0, pManager->GetPlannerFrameColor(this));
        CPen* pOldPen = pDC->SelectObject(&pen);
        for (int d = 1; d < days; ++d)
            DayLine(pDC, m_ViewRects[d].left, rect.top, m_ViewRects[d].left, rect.bottom - 1);
        pDC->SelectObject(pOldPen);
    }
    const COleDateTime now = g_plannerSeams.now();
    for (int d = 0; d < days; ++d) {
        const COleDateTime day = m_dtDateStart + COleDateTimeSpan(double(d));
        const CRect cell(m_ViewRects[d].left + (d > 0 ? 1 : 0), rect.top, m_ViewRects[d].right, rect.bottom);
        const BOOL fullySelected = d < m_arDayFullySelected.GetSize() && m_arDayFullySelected[d] != 0;
        pManager->FillPlannerSelection(pDC, this, cell, IsSameDay(day, now), fullySelected);
    }
}

// ---- appointments -----------------------------------------------------------------------------------

BYTE CZUDPPlannerViewDay::DrawAppointments(CDC* pDC, const CRect& rect, const COleDateTime& date)
{
    m_boxText.Forget();
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if (queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0)
        return 0;
    CRect common;
    const BOOL inGrid = common.IntersectRect(rect, m_rectView);
    const BOOL zeroDate = date == COleDateTime(0.0);
    const DROPEFFECT effect = GetDragEffect();
    const BOOL dragging = IsDragging() && effect != DROPEFFECT_NONE;
    // While copies are dragged only theirs are painted as selected.
    const BOOL onlyCopiesSelected = dragging && m_DragAppointments.GetSize() > 0;

    BYTE flags = 0;
    std::vector<CZUDPAppointment*> selected;
    CZUDPAppointmentArray* lists[2] = {&queried, &m_DragAppointments};
    for (int l = 0; l < 2; ++l) {
        CZUDPAppointmentArray& list = *lists[l];
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            CZUDPAppointment* pApp = list[i];
            if (pApp == nullptr)
                continue;
            const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
            if (isLong == inGrid)
                continue;
            if (!zeroDate) {
                if (!IsAppointmentOnDate(pApp, date))
                    continue;
                if (!pApp->IsVisibleDraw(date)) {
                    if (!isLong)
                        flags |= HiddenFlags(rect, pApp->GetDrawRect(date));
                    continue;
                }
            }
            if (pApp->IsSelected()) {
                if (l == 0 && dragging) {
                    // The original of the copies: unselected while copying or
                    // still on its spot, not at all once moved away.
                    if ((effect & DROPEFFECT_COPY) != 0 || IsCaptureUnchanged()) {
                        pApp->SetSelected(FALSE);
                        pApp->DrawOnDate(pDC, this, date);
                        pApp->SetSelected(TRUE);
                    }
                    continue;
                }
                if (!onlyCopiesSelected || l == 1) {
                    selected.push_back(pApp);
                    continue;
                }
            }
            pApp->DrawOnDate(pDC, this, date);
        }
    }
    // The selected ones on top, in reverse order of collection.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        CZUDPAppointment* pApp = *it;
        if (!zeroDate) {
            const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
            if (isLong && !pApp->IsVisibleDraw(date))
                continue;
            CRect grown = pApp->GetDrawRect(date);
            grown.InflateRect(0, 5);
            if (!isLong && !common.IntersectRect(grown, rect))
                continue;
        }
        pApp->DrawOnDate(pDC, this, date);
    }
    return flags;
}

void CZUDPPlannerViewDay::DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || pApp == nullptr || pDS == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const DWORD flags = GetDrawFlags();
    const DWORD edges = pDS->GetBorder();
    const BOOL hasStart = (edges & CZUDPAppointmentDrawStruct::kStartEdge) != 0;
    const BOOL hasFinish = (edges & CZUDPAppointmentDrawStruct::kFinishEdge) != 0;
    const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
    const BOOL selected = pApp->IsSelected();
    const BOOL rounded = (flags & ZUDP_PLANNER_DRAW_APP_ROUNDED_CORNERS) != 0;
    const BOOL noBar = (flags & ZUDP_PLANNER_DRAW_APP_NO_DURATION) != 0;
    const BOOL withBar = (flags & ZUDP_PLANNER_DRAW_APP_DURATION_IN_BOX) != 0 && !noBar;
    const BOOL noGrips = (flags & ZUDP_PLANNER_DRAW_APP_OVERRIDE_SELECTION) != 0 || withBar;
    const BOOL zeroLength = !isLong && pApp->GetStart() == pApp->GetFinish();
    const CRect rectRecord = pDS->GetRect();
    CRect box = rectRecord;

    // 1. The duration bar of a timed box.
    const BOOL showsBar = !isLong && !noBar;
    const DurationBar bar = showsBar ? MeasureDurationBar(pApp, edges, box, GetSlotMinutes(), zeroLength)
                                     : DurationBar();
    const BOOL barApart = withBar && !bar.full;   // drawn beside the box's shape

    // 2. The clip region, kept for the outline.
    CPlannerClip clip(pDC);
    CRgn region;
    if (rounded && isLong) {
        CRect shape = box;
        if (hasStart)
            shape.left += 4;
        if (hasFinish)
            shape.right -= 4;
        if (selected)
            shape.InflateRect(0, 1);
        region.CreateRoundRectRgn(shape.left, shape.top, shape.right + 1, shape.bottom + 1, 5, 5);
        if (!hasStart) {
            CRgn side;
            side.CreateRectRgn(shape.left, shape.top, shape.left + 3, shape.bottom + 1);
            region.CombineRgn(&region, &side, RGN_OR);
        }
        if (!hasFinish) {
            CRgn side;
            side.CreateRectRgn(shape.right - 2, shape.top, shape.right + 1, shape.bottom + 1);
            region.CombineRgn(&region, &side, RGN_OR);
        }
        box = shape;
        if (selected)
            box.DeflateRect(0, 1);
    } else if (rounded) {
        CRect shape = box;
        if (selected && !noGrips)
            shape.InflateRect(0, 5);
        const int left = barApart ? shape.left + 6 : shape.left;
        region.CreateRoundRectRgn(left, shape.top, shape.right + 1, shape.bottom + 1, 5, 5);
        if (!hasStart) {
            CRgn strip;
            strip.CreateRectRgn(left, shape.top, shape.right + 1, shape.top + 3);
            region.CombineRgn(&region, &strip, RGN_OR);
        }
        if (!hasFinish) {
            CRgn strip;
            strip.CreateRectRgn(left, shape.bottom - 4, shape.right + 1, shape.bottom + 1);
            region.CombineRgn(&region, &strip, RGN_OR);
        }
        if (barApart) {
            CRgn barShape;
            MakeBarRegion(barShape, box, bar, 10, zeroLength);
            region.CombineRgn(&region, &barShape, RGN_OR);
        }
    } else if (isLong) {
        box.DeflateRect(4, 0);
    } else if (withBar) {
        region.CreateRectRgn(bar.full ? box.left : box.left + 6, box.top, box.right, box.bottom);
        if (!bar.full) {
            CRgn barShape;
            MakeBarRegion(barShape, box, bar, 7, zeroLength);
            region.CombineRgn(&region, &barShape, RGN_OR);
        }
    }
    if (region.GetSafeHandle() != nullptr)
        clip.Intersect(region);

    // 3. Colours.
    COLORREF background = pApp->GetBackgroundColor();
    COLORREF gradient = background;
    COLORREF border = g_uiEnvironment.m_colorWindowFrame;
    COLORREF selectionBorder = border;
    COLORREF text = pApp->GetForegroundColor();
    pManager->GetPlannerDayColors(this, selected, !isLong, flags, background, gradient, border, selectionBorder, text);

    // 4. Shadow of a timed box.
    CZUDPDrawManager drawing(*pDC);
    if (CanDrawShadow() && !isLong && (!selected || noGrips)) {
        CRect rectShadow = box;
        if (!CZUDPToolBarImages::OSSupportsAlpha())
            rectShadow.bottom += 1;
        if (rounded || withBar) {
            ::OffsetClipRgn(pDC->GetSafeHdc(), 5, 5);
            rectShadow.OffsetRect(-3, -3);
            if (!PlannerShadow::DrawInPixels(pDC, rectShadow, 8, 50))
                drawing.DrawDropShadow(rectShadow, 8, 100, 50, nullptr, nullptr, (COLORREF)-1, TRUE);
            ::OffsetClipRgn(pDC->GetSafeHdc(), -5, -5);
        } else {
            if (!PlannerShadow::DrawInPixels(pDC, rectShadow, 5, 70))
                drawing.DrawDropShadow(rectShadow, 5, 100, 70, nullptr, nullptr, (COLORREF)-1, TRUE);
        }
    }

    // 5. Fill.
    if ((flags & ZUDP_PLANNER_DRAW_APP_GRADIENT_FILL) == 0 || (selected && isLong && !noGrips)) {
        if (background != kNoColourOfItsOwn)
            pDC->FillSolidRect(box, background);
    } else {
        CRect inner = box;
        inner.DeflateRect(1, 1);
        drawing.FillLinearGradient(inner, background, gradient, TRUE);
    }
    if (rounded && isLong)
        box.DeflateRect(1, 0);

    // 6. The duration bar.
    const COLORREF duration = pApp->GetDurationColor();
    if (showsBar) {
        if (withBar) {
            if (duration != kNoColourOfItsOwn) {
                if (zeroLength) {
                    CRgn triangle;
                    MakeBarRegion(triangle, box, bar, 7, TRUE);
                    CBrush brush(duration);
                    pDC->FillRgn(&triangle, &brush);
                } else {
                    pDC->FillSolidRect(CRect(box.left, bar.top, box.left + 7, bar.bottom), duration);
                }
            }
        } else {
            pDC->FillRect(CRect(box.left, box.top, box.left + 6, box.bottom), &g_uiEnvironment.m_brushWindow);
            const COLORREF barColour = duration != kNoColourOfItsOwn ? duration : g_uiEnvironment.m_colorWindow;
            CPen borderPen(PS_SOLID, 0, border);
            CPen* pOldPen = pDC->SelectObject(&borderPen);
            if (zeroLength) {
                POINT corners[3] = {{box.left, bar.top}, {box.left + 6, bar.top}, {box.left, bar.top + 6}};
                CBrush brush(barColour);
                CBrush* pOldBrush = pDC->SelectObject(&brush);
                pDC->Polygon(corners, 3);
                pDC->SelectObject(pOldBrush);
            } else {
                CRect rectBar(box.left, bar.top, box.left + 6, std::max(bar.bottom, bar.top + 1));
                pDC->FillSolidRect(rectBar, barColour);
                CBrush frame(border);
                pDC->FrameRect(rectBar, &frame);
            }
            DayLine(pDC, box.left + 6, box.top, box.left + 6, box.bottom);
            pDC->SelectObject(pOldPen);
        }
        box.left += 7;
    }

    const COLORREF oldText = pDC->SetTextColor(text);
    const COLORREF timeColour = pManager->GetPlannerCellColor(this, selected, !isLong, flags);
    BOOL truncated = FALSE;

    // 7. Start and finish of a long timed appointment.
    if (isLong && !pApp->IsAllDay()) {
        const COLORREF previous = timeColour != kNoColourOfItsOwn ? pDC->SetTextColor(timeColour) : kNoColourOfItsOwn;
        const CSize icon = GetClockIconSize();
        const BOOL asText = (!IsDrawTimeAsIcons() && (flags & ZUDP_PLANNER_DRAW_APP_NO_TIME_ICONS) != 0) ||
                            (icon.cx == 0 && icon.cy == 0);
        if (asText) {
            m_boxText.Measure(pDC, GetTimeSample());
            const int timeWidth = m_boxText.TimeWidth();
            const int spaceWidth = m_boxText.SpaceWidth();
            const UINT format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
            if (box.Width() < 3 * (timeWidth + spaceWidth)) {
                truncated = TRUE;
            } else {
                if (hasStart && PlannerDates::HasTimeOfDay(pApp->GetStart())) {
                    CRect cell(box.left + 2, box.top, box.left + 2 + timeWidth, box.bottom);
                    pDC->DrawText(pApp->GetStartTimeText(), cell, format);
                    box.left = cell.right + spaceWidth;
                }
                if (hasFinish && PlannerDates::HasTimeOfDay(pApp->GetFinish())) {
                    CRect cell(box.right - 3 - timeWidth, box.top, box.right - 3, box.bottom);
                    pDC->DrawText(pApp->GetFinishTimeText(), cell, format);
                    box.right = cell.left - spaceWidth;
                }
            }
        } else {
            const int y = box.top + (box.Height() - icon.cy) / 2;
            if (hasStart && PlannerDates::HasTimeOfDay(pApp->GetStart())) {
                DrawClockIcon(pDC, CPoint(box.left + 1, y), pApp->GetStart());
                box.left += icon.cx + 3;
            }
            if (hasFinish && PlannerDates::HasTimeOfDay(pApp->GetFinish())) {
                DrawClockIcon(pDC, CPoint(box.right - 1 - icon.cx, y), pApp->GetFinish());
                box.right -= icon.cx + 3;
            }
        }
        if (timeColour != kNoColourOfItsOwn)
            pDC->SetTextColor(previous);
    }

    // 8. Images: the recurrence mark, then the appointment's own.
    CZUDPPlannerManagerCtrl::InitImages();
    const CSize imageSize = CZUDPPlannerManagerCtrl::GetImageSize();
    std::vector<int> images;
    int x = box.left + (isLong ? 1 : 4);
    if (imageSize.cx > 0 && imageSize.cy > 0) {
        if (pApp->IsRecurrenceClone() && (flags & ZUDP_PLANNER_DRAW_APP_NO_RECURRENCE_IMAGE) == 0 &&
            box.right - x > 1.5 * imageSize.cx) {
            images.push_back(pApp->IsRecurrenceException() ? 1 : 0);
            x += imageSize.cx;
        }
        if ((flags & ZUDP_PLANNER_DRAW_APP_NO_IMAGES) == 0) {
            const CList<int, int>& own = pApp->GetImages();
            for (POSITION pos = own.GetHeadPosition(); pos != nullptr;) {
                const int image = own.GetNext(pos);
                if (x + imageSize.cx > box.right) {
                    truncated = TRUE;
                    break;
                }
                images.push_back(image);
                x += imageSize.cx;
            }
        }
    }
    const CString& description = pApp->GetDescription();
    const int descriptionWidth = pDC->GetTextExtent(description).cx;
    if (!images.empty()) {
        int imageX = box.left + (isLong ? 1 : 4);
        const int y = isLong ? box.top + (box.Height() - imageSize.cy) / 2 : box.top + 1;
        const int groupWidth = int(images.size()) * imageSize.cx;
        if (isLong && (description.IsEmpty() || truncated) && groupWidth < box.Width())
            imageX = box.left + (box.Width() - groupWidth) / 2;
        for (int image : images) {
            CZUDPPlannerManagerCtrl::DrawImageIcon(pDC, CPoint(imageX, y), image);
            imageX += imageSize.cx;
        }
        box.left = imageX;
    }

    // 9. Times of a timed appointment, when they are not on slot
    // boundaries.
    BOOL timesWritten = FALSE;
    m_boxText.Measure(pDC, GetTimeSample());
    const int lineHeight = m_boxText.LineHeight();
    if (!isLong && !truncated) {
        const CSize icon = GetClockIconSize();
        if (!IsDrawTimeAsIcons() || (icon.cx == 0 && icon.cy == 0)) {
            if (bar.exactTime) {
                CString times = pApp->GetStartTimeText();
                if (!pApp->GetFinishTimeText().IsEmpty() && !zeroLength)
                    times += "-" + pApp->GetFinishTimeText();
                const COLORREF previous =
                    timeColour != kNoColourOfItsOwn ? pDC->SetTextColor(timeColour) : kNoColourOfItsOwn;
                CRect cell(box.left + 4, box.top + 1, box.right, box.bottom);
                pDC->DrawText(times, cell, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
                if (timeColour != kNoColourOfItsOwn)
                    pDC->SetTextColor(previous);
                const int timesWidth = pDC->GetTextExtent(times).cx;
                if (cell.Width() < timesWidth)
                    truncated = TRUE;
                box.left = cell.left + timesWidth + m_boxText.SpaceWidth();
                timesWritten = TRUE;
            }
        } else {
            if (box.Width() >= 3 * icon.cx) {
                DrawClockIcon(pDC, CPoint(box.left + 1, box.top + 1), pApp->GetStart());
                box.left += icon.cx + 3;
                if (box.Width() >= 4 * icon.cx && IsDrawTimeFinish()) {
                    DrawClockIcon(pDC, CPoint(box.left + 1, box.top + 1), pApp->GetFinish());
                    box.left += icon.cx + 3;
                }
            }
        }
    }

    // 10. Description.
    if (!description.IsEmpty() && !truncated) {
        if (isLong) {
            CRect cell(box.left + 4, box.top, box.right, box.bottom - 1);
            if (images.empty() && descriptionWidth < cell.Width())
                cell.left = box.left + (box.Width() - descriptionWidth) / 2;
            pDC->DrawText(description, cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            if (cell.Width() < descriptionWidth)
                truncated = TRUE;
        } else {
            CRect cell(box.left + 4, box.top + 1, box.right, box.bottom);
            if (timesWritten && cell.Width() < descriptionWidth && rectRecord.Height() >= 2 * lineHeight + 2) {
                // Below the times, from the box's left.
                cell.left = rectRecord.left + (showsBar ? 7 : 0) + 4;
                cell.top += lineHeight;
            }
            pDC->DrawText(description, cell, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
            if (cell.Width() < descriptionWidth)
                truncated = TRUE;
        }
    }
    pDC->SetTextColor(oldText);

    // 11. Where an editor opens and where the tooltip's text lies.
    CRect rectEdit = rectRecord;
    if (isLong) {
        rectEdit.left += hasStart ? 4 : (rounded ? 1 : -1);
        rectEdit.right -= hasFinish ? 4 : (rounded ? 1 : -1);
    } else {
        const BOOL barInside = withBar && bar.full;
        rectEdit.left += showsBar && !barInside ? (noGrips ? 7 : 8) : 1;
        if (rounded || noGrips) {
            rectEdit.top += 1;
            rectEdit.right -= 1;
            rectEdit.bottom -= 1;
        }
    }
    rectEdit.IntersectRect(rectEdit, m_rectView.IsRectEmpty() ? rectEdit : m_rectView);
    if (!isLong && rectEdit.top <= m_rectView.top) {
        rectEdit.left += 1;
        rectEdit.right -= 1;
        rectEdit.bottom -= 1;
    } else {
        rectEdit.DeflateRect(1, 1);
    }
    CRect rectText = rectEdit;
    if (isLong)
        rectText.DeflateRect(0, 1);
    if (auto* pRecord = dynamic_cast<CZUDPAppointmentDrawStructEx*>(pDS)) {
        pRecord->SetEditRect(rectEdit);
        pRecord->SetTextRect(rectText);
    }

    // 12. Outline.
    if (rounded || (withBar && !isLong)) {
        clip.Restore();
        if (!isLong && selected && !noGrips)
            DrawGrips(pDC, rectRecord, hasStart, hasFinish, duration, selectionBorder);
        CBrush brush(selectionBorder);
        const int width = selected && (noGrips || isLong) ? 2 : 1;
        pDC->FrameRgn(&region, &brush, width, width);
    } else if (isLong) {
        CRect r = rectRecord;
        r.DeflateRect(4, 0);
        const BOOL both = hasStart && hasFinish;
        if (both)
            PlannerFrameRect(pDC, r, selectionBorder, selectionBorder);
        if (!both || selected) {
            CPen pen(PS_SOLID, 0, selectionBorder);
            CPen* pOldPen = pDC->SelectObject(&pen);
            if (!both) {
                DayLine(pDC, r.left, r.top, r.right, r.top);
                DayLine(pDC, r.left, r.bottom - 1, r.right, r.bottom - 1);
                if (hasStart)
                    DayLine(pDC, r.left, r.top, r.left, r.bottom);
                if (hasFinish)
                    DayLine(pDC, r.right - 1, r.top, r.right - 1, r.bottom);
            }
            if (selected) {
                const int left = hasStart ? r.left : r.left - 1;
                const int right = hasFinish ? r.right : r.right + 1;
                DayLine(pDC, left, r.top - 1, right, r.top - 1);
                DayLine(pDC, left, r.bottom, right, r.bottom);
            }
            pDC->SelectObject(pOldPen);
        }
    } else {
        clip.Restore();
        PlannerFrameRect(pDC, rectRecord, selected && noGrips ? selectionBorder : border,
                         selected && noGrips ? selectionBorder : border);
        if (selected) {
            if (!noGrips)
                DrawGrips(pDC, rectRecord, hasStart, hasFinish, duration, selectionBorder);
            CRect second = rectRecord;
            if (noGrips)
                second.DeflateRect(1, 1);
            PlannerFrameRect(pDC, second, selectionBorder, selectionBorder);
        }
    }

    // 13.
    if (auto* pRecord = dynamic_cast<CZUDPAppointmentDrawStructEx*>(pDS))
        pRecord->SetTextTruncated(truncated);
}

void CZUDPPlannerViewDay::DrawGrips(CDC* pDC, const CRect& box, BOOL bAbove, BOOL bBelow, COLORREF clrDuration,
                                    COLORREF clrFrame)
{
    const COLORREF fill = clrDuration != kNoColourOfItsOwn ? clrDuration : g_uiEnvironment.m_colorWindow;
    CBrush frame(clrFrame);
    if (bAbove) {
        const CRect grip(box.left, box.top - 5, box.right, box.top);
        pDC->FillSolidRect(grip, fill);
        pDC->FrameRect(grip, &frame);
    }
    if (bBelow) {
        const CRect grip(box.left, box.bottom, box.right, box.bottom + 5);
        pDC->FillSolidRect(grip, fill);
        pDC->FrameRect(grip, &frame);
    }
}

// ---- the one-minute clock ----------------------------------------------------------------------------

BOOL CZUDPPlannerViewDay::IsTodayInRange() const
{
    const COleDateTime now = g_plannerSeams.now();
    return now.IsValid() && m_dtDateStart <= now && now <= m_dtDateEnd;
}

void CZUDPPlannerViewDay::StartClock(BOOL bRedraw)
{
    if (!HasPlannerWindow() || m_nClockTimer != 0)
        return;
    m_dtNow = g_plannerSeams.now();
    m_nClockTimer = m_pPlanner->SetTimer(ZUDP_PLANNER_TIMER_CLOCK, ZUDP_PLANNER_CLOCK_PERIOD, nullptr);
    if (bRedraw)
        OnTimer(ZUDP_PLANNER_TIMER_CLOCK);
}

void CZUDPPlannerViewDay::StopClock(BOOL bRedraw)
{
    if (m_nClockTimer == 0)
        return;
    if (HasPlannerWindow())
        m_pPlanner->KillTimer(ZUDP_PLANNER_TIMER_CLOCK);
    m_nClockTimer = 0;
    if (bRedraw)
        OnTimer(ZUDP_PLANNER_TIMER_CLOCK);
}

BOOL CZUDPPlannerViewDay::OnTimer(UINT_PTR nIDEvent)
{
    if (!HasPlannerWindow())
        return FALSE;
    if (nIDEvent != ZUDP_PLANNER_TIMER_CLOCK)
        return CZUDPPlannerView::OnTimer(nIDEvent);
    if (!IsTodayInRange())
        StopClock(FALSE);
    m_dtNow = g_plannerSeams.now();
    // Only the time scale is painted again, straight on the window.
    CClientDC dc(m_pPlanner);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = SelectFont(&dc, FALSE);
    DrawTimeScale(&dc, m_rectTimeScale, IsTodayInRange());
    dc.SelectObject(pOldFont);
    dc.SetBkMode(oldMode);
    return TRUE;
}
