// The week view: range, whole-day selection, two-column layout, one line
// per appointment, captions, keys and week steps.
#include "ui/planner/ZUDPPlannerViewWeek.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewWeek, CZUDPPlannerView)

namespace {

const COleDateTimeSpan kWeekOneDay(1.0);
// Seven days less the last second.
const COleDateTimeSpan kWeekLessOneSecond(6.999988425925926);
// The virtual scroll range: positions are week steps.
const int kWeekScrollMaximum = 50;
const int kWeekScrollStart = 25;

// Caption text alignment (DrawCaptionText).
const int kWeekAlignLeft = 0;
const int kWeekAlignCentre = 1;
const int kWeekAlignRight = 2;

BOOL WeekShiftDown() { return (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000) != 0; }

} // namespace

CZUDPPlannerViewWeek::CZUDPPlannerViewWeek()
{
    m_dtDateEnd = m_dtDateStart + kWeekLessOneSecond;
}

COleDateTime CZUDPPlannerViewWeek::CalculateDateStart(const COleDateTime& date) const
{
    int first = CZUDPPlannerManagerCtrl::GetFirstDayOfWeek() + 1;
    if (first == 1)
        first = 2;
    return GetWeekStartDate(date, first);
}

void CZUDPPlannerViewWeek::SetDate(const COleDateTime& date)
{
    const COleDateTime day = PlannerDates::TruncateToDay(date);
    m_dtDateStart = CalculateDateStart(day);
    m_dtDateEnd = m_dtDateStart + kWeekLessOneSecond;
    CZUDPPlannerView::SetDate(day);
}

void CZUDPPlannerViewWeek::OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView)
{
    if (pOldView != nullptr)
        m_dtDate = pOldView->GetDate();
    const COleDateTime day = PlannerDates::TruncateToDay(m_dtDate);
    m_dtDateStart = CalculateDateStart(day);
    m_dtDateEnd = m_dtDateStart + kWeekLessOneSecond;
    if (pOldView != nullptr)
        SetSelection(pOldView->GetSelectionStart(), pOldView->GetSelectionEnd(), FALSE);
    else
        SetSelection(m_dtDate, m_dtDate, FALSE);
    CZUDPPlannerView::OnActivate(pPlanner, nullptr);
}

void CZUDPPlannerViewWeek::SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw)
{
    SetWholeDaySelection(sel1, sel2, bRedraw);
}

void CZUDPPlannerViewWeek::SetDrawTimeFinish(BOOL bDraw)
{
    if (m_bDrawTimeFinish == bDraw)
        return;
    m_bDrawTimeFinish = bDraw;
    AdjustLayout(TRUE);
}

void CZUDPPlannerViewWeek::SetDrawTimeAsIcons(BOOL bDraw)
{
    if (m_bDrawTimeAsIcons == bDraw)
        return;
    m_bDrawTimeAsIcons = bDraw;
    AdjustLayout(TRUE);
}

void CZUDPPlannerViewWeek::GetCaptionFormatStrings(CStringArray& sa)
{
    sa.RemoveAll();
    if ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT) != 0) {
        sa.Add("d\ndddd");
        sa.Add("d\nddd");
        sa.Add("d");
    } else if (IsDayBeforeMonth()) {
        sa.Add("dddd d MMMM");
        sa.Add("dddd d MMM");
        sa.Add("ddd d MMM");
        sa.Add("ddd d");
    } else {
        sa.Add("dddd MMMM d");
        sa.Add("dddd MMM d");
        sa.Add("ddd MMM d");
        sa.Add("ddd d");
    }
}

void CZUDPPlannerViewWeek::AdjustScrollSizes(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    (void)rectClient;
    UpdateScrollBar();
}

void CZUDPPlannerViewWeek::UpdateScrollBar()
{
    if (m_nScrollPage != 1 && m_nScrollTotal != kWeekScrollMaximum) {
        m_nScrollPage = 1;
        m_nScrollTotal = kWeekScrollMaximum;
        m_nScrollOffset = kWeekScrollStart;
    }
    CZUDPPlannerView::UpdateScrollBar();
}

void CZUDPPlannerViewWeek::AdjustRects()
{
    const CRect& view = m_rectView;
    const int half = (view.right - view.left) / 2;
    const int third = (view.bottom - view.top) / 3;
    int first = CZUDPPlannerManagerCtrl::GetFirstDayOfWeek();
    if (first == 0)
        first = 1;
    CRect cell(view.left, view.top, view.left + half, view.top + third);
    for (int i = 0; i < 6; ++i) {
        if (i == 3)
            cell = CRect(view.left + half + 1, view.top, view.right, view.top + third);
        if (i == 2 || i == 5)
            cell.bottom = view.bottom;   // the bottom cells take the rounding rest
        if (first + i == 6) {
            // Saturday and Sunday share the cell.
            const int middle = cell.top + (cell.bottom - cell.top) / 2;
            m_ViewRects.Add(CRect(cell.left, cell.top, cell.right, middle));
            m_ViewRects.Add(CRect(cell.left, middle + 1, cell.right, cell.bottom));
        } else {
            m_ViewRects.Add(cell);
        }
        cell.OffsetRect(0, third + 1);
    }
}

void CZUDPPlannerViewWeek::AdjustAppointments()
{
    const int days = GetViewDuration();
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if ((queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0) || m_ViewRects.GetSize() != days) {
        ClearUpDownIcons();
        return;
    }
    const BOOL dragShown = IsDragAppointmentsShown();
    CZUDPAppointmentArray* lists[2] = {dragShown ? &m_DragAppointments : nullptr, &queried};
    for (CZUDPAppointmentArray* list : lists) {
        if (list == nullptr)
            continue;
        for (INT_PTR i = 0; i < list->GetSize(); ++i)
            if (list->GetAt(i) != nullptr)
                list->GetAt(i)->ResetDraw();
    }
    // Each day looks only at its own appointments.
    CPlannerDayIndexScope indexScope(m_dayIndex);
    IndexAppointmentsByDay(days);
    const int row = m_nRowHeight;
    for (int d = 0; d < days; ++d) {
        const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(d));
        CRect area = m_ViewRects[d];
        area.top += row + 1;   // below the caption band
        area.DeflateRect(1, 0);
        int line = 0;
        auto place = [&](CZUDPAppointment* pApp) {
            const int top = area.top + line * (row + 2);
            pApp->SetDrawRect(CRect(area.left, top, area.right, top + row), date);
            ++line;
        };
        const int indexed = m_dayIndex.DayOf(date);
        // Dragged copies first (list 1 of the index), then the queried ones.
        for (int l = 0; l < 2; ++l) {
            CZUDPAppointmentArray* list = lists[l];
            if (list == nullptr)
                continue;
            if (indexed >= 0) {
                const int listInIndex = l == 0 ? 1 : 0;
                for (const CPlannerDayIndex::Entry& entry : m_dayIndex.On(indexed))
                    if (entry.list == listInIndex)
                        place(entry.pApp);
                continue;
            }
            for (INT_PTR i = 0; i < list->GetSize(); ++i) {
                CZUDPAppointment* pApp = list->GetAt(i);
                if (pApp != nullptr && IsAppointmentOnDate(pApp, date))
                    place(pApp);
            }
        }
        CheckVisibleAppointments(date, area, TRUE);
    }
    AdjustUpDownIcons(TRUE);
    m_bUpdateToolTipInfo = TRUE;
}

void CZUDPPlannerViewWeek::AddUpDownIcons(BYTE nFlags, const CRect& rectDay)
{
    AddCornerDownIcon(nFlags, rectDay);
}

int CZUDPPlannerViewWeek::HitTestArea(const CPoint& point) const
{
    const int code = CZUDPPlannerView::HitTestArea(point);
    if (code != ZUDP_PLANNER_HIT_CLIENT)
        return code;
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

BOOL CZUDPPlannerViewWeek::CanResizeAt(int nHitCode) const { return CanResizeAtSideEdges(nHitCode); }

// ---- painting ----------------------------------------------------------------------------------

void CZUDPPlannerViewWeek::OnPaint(CDC* pDC, const CRect& rectClient)
{
    OnDrawClient(pDC, rectClient);
    // Every part of every appointment.
    DrawAppointments(pDC, CRect(0, 0, 0, 0), COleDateTime(0.0));
    DrawUpDownIcons(pDC);
    UpdateToolTipsIfNeeded();
}

void CZUDPPlannerViewWeek::OnDrawClient(CDC* pDC, const CRect& rect)
{
    const int days = GetViewDuration();
    if (m_ViewRects.GetSize() != days || days < 1)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const COleDateTime today = PlannerDates::TruncateToDay(g_plannerSeams.now());

    CPen pen(PS_SOLID, 1, pManager->GetPlannerFrameColor(this));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(m_ViewRects[0].right, rect.top);
    pDC->LineTo(m_ViewRects[0].right, rect.bottom);
    for (int d = 1; d < days; ++d) {
        const CRect& day = m_ViewRects[d];
        if (day.top == m_rectView.top)
            continue;
        pDC->MoveTo(day.left, day.top - 1);
        pDC->LineTo(day.right, day.top - 1);
    }

    CFont* pOldFont = nullptr;
    if ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD) != 0)
        pOldFont = SelectFont(pDC, TRUE);
    const BOOL twoPart = (GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT) != 0;
    for (int d = 0; d < days; ++d) {
        const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(d));
        const CRect& day = m_ViewRects[d];
        const BOOL isToday = IsSameDay(date, today);
        const BOOL isSelected = IsDateInSelection(date);
        pManager->ResetPlannerDrawState(this, pDC);
        DrawBackground(pDC, day, TRUE);
        CRect caption = day;
        caption.bottom = caption.top + m_nRowHeight;
        pManager->SetPlannerDrawMode(0);
        const COLORREF colour = DrawCaption(pDC, caption, isToday, isSelected, FALSE);
        const BOOL highlight = isToday && isSelected;
        if (twoPart) {
            CString text;
            FormatDate(date, text, m_strCaptionFormat);
            const int feed = text.Find('\n');
            if (feed >= 0) {
                DrawCaptionText(pDC, caption, text.Left(feed), colour, kWeekAlignLeft, highlight);
                DrawCaptionText(pDC, caption, text.Mid(feed + 1), colour, kWeekAlignCentre, highlight);
            } else {
                DrawCaptionText(pDC, caption, text, colour, kWeekAlignLeft, highlight);
            }
        } else {
            DrawCaptionDate(pDC, caption, date, colour, kWeekAlignRight, highlight);
        }
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
}

// ---- scrolling and keys ---------------------------------------------------------------------

BOOL CZUDPPlannerViewWeek::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    (void)nScrollCode;
    (void)nPos;
    (void)bDoScroll;
    return FALSE;
}

BOOL CZUDPPlannerViewWeek::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    return ScrollByWeeks(nSBCode, nPos, pScrollBar);
}

BOOL CZUDPPlannerViewWeek::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (m_pCapturedAppointment != nullptr) {
        // A key ends a resize in progress.
        if (HasPlannerWindow())
            m_pPlanner->SendMessage(WM_CANCELMODE);
        return TRUE;
    }
    const BOOL shift = WeekShiftDown();
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
        OnVScroll(nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0, nullptr);
        SetSelection(m_dtDate, m_dtDate, TRUE);
        return TRUE;
    case VK_HOME:
    case VK_END: {
        COleDateTime d = CalculateDateStart(PlannerDates::TruncateToDay(m_dtDate));
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
            m_dtDate = PlannerDates::TruncateToDay(m_dtSelectionEnd);
            SetSelection(m_dtSelectionEnd, d, TRUE);
        }
        return TRUE;
    }
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: {
        COleDateTime c = PlannerDates::TruncateToDay(m_dtSelectionEnd);
        const COleDateTime start = PlannerDates::TruncateToDay(m_dtDateStart);
        const COleDateTime lastDay = start + COleDateTimeSpan(6.0);
        if (nChar == VK_UP) {
            c -= kWeekOneDay;
        } else if (nChar == VK_DOWN) {
            c += kWeekOneDay;
        } else {
            // Moves between the columns skip the weekend cell's second day.
            if (c == lastDay)
                c -= kWeekOneDay;
            c += COleDateTimeSpan(nChar == VK_LEFT ? -3.0 : 3.0);
            if (c < start)
                c -= kWeekOneDay;
            else if (c > lastDay)
                c += kWeekOneDay;
        }
        BOOL scrolled = FALSE;
        if (c < start) {
            OnVScroll(SB_LINEUP, 0, nullptr);
            scrolled = TRUE;
        } else if (c >= start + COleDateTimeSpan(double(GetViewDuration()))) {
            OnVScroll(SB_LINEDOWN, 0, nullptr);
            scrolled = TRUE;
        }
        if (shift && !scrolled) {
            SetSelection(m_dtSelectionStart, c, TRUE);
            if (c <= m_dtDate)
                m_dtDate = c;
        } else {
            m_dtDate = c;
            SetSelection(c, c, TRUE);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}
