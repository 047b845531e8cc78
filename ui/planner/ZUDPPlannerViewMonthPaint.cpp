// The month view's painting: week bar, grid, day cells with their
// captions, the weekday header; and the caption texts with their fit test.
#include "ui/planner/ZUDPPlannerViewMonth.h"

#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"

namespace {

// Caption text alignment (DrawCaptionText).
const int kMonthAlignLeft = 0;
const int kMonthAlignCentre = 1;
const int kMonthAlignRight = 2;

int MonthTextWidth(CDC* pDC, const CString& text) { return pDC != nullptr ? pDC->GetTextExtent(text).cx : 0; }

} // namespace

// ---- caption texts ----------------------------------------------------------------------------

CString CZUDPPlannerViewMonth::GetDayCaptionText(CDC* pDC, const COleDateTime& date, BOOL bMonthName,
                                                 const CRect& rectCaption) const
{
    CString text;
    if (!bMonthName) {
        FormatDate(date, text, "d");
        return text;
    }
    const int room = rectCaption.Width() - 4;
    const BOOL dayFirst = IsDayBeforeMonth();
    const BOOL newYear = date.GetStatus() == COleDateTime::valid && date.GetMonth() == 1 && date.GetDay() == 1;
    const CString shortFormat = dayFirst ? "d MMM" : "MMM d";
    if ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT) == 0) {
        CString format = dayFirst ? "d MMMM" : "MMMM d";
        if (newYear)
            format += " yyyy";
        FormatDate(date, text, format);
        if (MonthTextWidth(pDC, text) <= room)
            return text;
        format = shortFormat;
        if (newYear)
            format += " yy";
        FormatDate(date, text, format);
        return text;
    }
    CString format = shortFormat;
    if (newYear)
        format += " yy";
    FormatDate(date, text, format);
    if (MonthTextWidth(pDC, text) <= room)
        return text;
    if (newYear) {
        FormatDate(date, text, shortFormat);
        if (MonthTextWidth(pDC, text) <= room)
            return text;
    }
    FormatDate(date, text, "d");
    return text;
}

// ---- painting ---------------------------------------------------------------------------------

void CZUDPPlannerViewMonth::OnPaint(CDC* pDC, const CRect& rectClient)
{
    if (m_nWeekBarWidth > 0) {
        CRect bar = rectClient;
        bar.right = bar.left + m_nWeekBarWidth;
        OnDrawWeekBar(pDC, bar);
    }
    OnDrawClient(pDC, m_rectView);
    if (m_nHeaderHeight > 0) {
        CRect header = rectClient;
        header.left = m_rectView.left;
        header.bottom = header.top + m_nHeaderHeight;
        OnDrawHeader(pDC, header);
    }
    // Every part of every appointment.
    DrawAppointments(pDC, CRect(0, 0, 0, 0), COleDateTime(0.0));
    DrawUpDownIcons(pDC);
    UpdateToolTipsIfNeeded();
}

void CZUDPPlannerViewMonth::OnDrawClient(CDC* pDC, const CRect& rect)
{
    const int days = GetLaidOutDayCount();
    if (days < 7 || pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const COleDateTime today = PlannerDates::TruncateToDay(g_plannerSeams.now());
    const int weeks = days / 7;

    CPen pen(PS_SOLID, 0, pManager->GetPlannerFrameColor(this));
    CPen* pOldPen = pDC->SelectObject(&pen);
    // The weekend column: the upper cell of the two that share one.
    int weekend = 0;
    for (int k = 1; k < 7; ++k) {
        if (m_ViewRects[k - 1].right == m_ViewRects[k].right) {
            weekend = k - 1;
            break;
        }
    }
    for (int j = m_nWeekBarWidth > 0 ? 0 : 1; j < 7; ++j) {
        const int x = m_ViewRects[j].left - 1;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    }
    for (int r = 0; r < weeks; ++r) {
        const int y = m_ViewRects[7 * r + 6].bottom;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right, y);
        if (m_bCompressWeekend) {
            const CRect& upper = m_ViewRects[7 * r + weekend];
            pDC->MoveTo(upper.left, upper.bottom);
            pDC->LineTo(upper.right, upper.bottom);
        }
    }

    CFont* pOldFont = nullptr;
    if ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD) != 0)
        pOldFont = SelectFont(pDC, TRUE);
    const int align = (GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT) != 0 ? kMonthAlignLeft
                                                                                          : kMonthAlignRight;
    for (int i = 0; i < weeks * 7; ++i) {
        const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(i));
        const CRect& cell = m_ViewRects[i];
        const BOOL valid = date.GetStatus() == COleDateTime::valid;
        const BOOL isToday = valid && IsSameDay(date, today);
        const BOOL selected = IsDateInSelection(date);
        const int parity = valid ? (date.GetMonth() & 1) : -1;
        pManager->ResetPlannerDrawState(this, pDC);
        DrawBackground(pDC, cell, parity);
        CRect caption = cell;
        caption.bottom = caption.top + m_nRowHeight + 1;
        const BOOL monthName = i == 0 || (valid && date.GetDay() == 1);
        const CString text = GetDayCaptionText(pDC, date, monthName, caption);
        if (isToday)
            caption.bottom -= 1;
        pManager->SetPlannerDrawMode(0);
        const COLORREF colour = DrawCaption(pDC, caption, isToday, selected, FALSE);
        DrawCaptionText(pDC, caption, text, colour, align, isToday && selected);
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
}

int CZUDPPlannerViewMonth::DrawHeaderArea(CDC* pDC, const CRect& rect, int nStep)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    pManager->DrawPlannerExpandButton(pDC, this, rect);
    CRect r = rect;
    r.right = r.left + nStep;
    r.DeflateRect(1, 0);
    // A step below 1 would never leave the strip.
    if (nStep >= 0) {
        while (r.right < rect.right - 4) {
            pManager->DrawPlannerExpandButtonBorder(pDC, this, CRect(r.right, rect.top + 2, r.right + 2, rect.bottom - 2));
            r.OffsetRect(nStep + 1, 0);
        }
    }
    return rect.right - 4;
}

void CZUDPPlannerViewMonth::OnDrawHeader(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr || GetLaidOutDayCount() < 7)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const int step = m_ViewRects[0].right - m_ViewRects[0].left;
    DrawHeaderArea(pDC, rect, step);
    CRect caption = rect;
    caption.right = caption.left + step;

    const int count = m_bCompressWeekend ? 6 : 7;
    COleDateTime day = GetEffectiveWeekStart(PlannerDates::TruncateToDay(m_dtDate));
    for (int n = 0; n < count; ++n) {
        CString name;
        if (m_bCompressWeekend && day.GetStatus() == COleDateTime::valid && day.GetDayOfWeek() == 7) {
            CString sunday;
            FormatDate(day, name, "ddd");
            FormatDate(day + COleDateTimeSpan(1.0), sunday, "ddd");
            name += "/" + sunday;
            day += COleDateTimeSpan(2.0);
        } else {
            FormatDate(day, name, m_strCaptionFormat);
            day += COleDateTimeSpan(1.0);
        }
        pManager->SetPlannerDrawMode(1);
        const COLORREF colour = DrawCaption(pDC, caption, FALSE, FALSE, FALSE);
        DrawCaptionText(pDC, caption, name, colour, kMonthAlignCentre, FALSE);
        caption.OffsetRect(step + 1, 0);
    }
}

void CZUDPPlannerViewMonth::OnDrawWeekBar(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr || rect.IsRectEmpty())
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    pManager->SetPlannerDrawMode(0);
    pManager->FillPlannerWeekBar(pDC, this, rect);
    const COLORREF frame = pManager->GetPlannerFrameColor(this);
    // The cells of the last layout: a range changed since then draws no
    // more weeks than there are cells.
    int weeks = GetViewDuration() / 7;
    if (weeks > m_WeekBarRects.GetSize())
        weeks = int(m_WeekBarRects.GetSize());
    if (weeks < 1)
        return;

    CString monthPart = "MMM";
    CString separator = " ";
    CFont* pOldFont = pDC->SelectObject(GetFont(FALSE));
    const CSize sample = pDC->GetTextExtent(CString("AAA 00 - AAA 00"));
    if (1.5 * sample.cx > m_WeekBarRects[0].Height()) {
        monthPart = "M";
        separator = GetDateSeparator();
    }
    CString f0;
    CString f1;
    CString f2;
    if (IsDayBeforeMonth()) {
        f0 = "d";
        f1 = "d" + separator + monthPart;
        f2 = f1;
    } else {
        f0 = monthPart + separator + "d";
        f1 = "d";
        f2 = f0;
    }

    const COLORREF oldText = pDC->GetTextColor();
    pDC->SelectObject(GetVerticalFont());
    for (int r = 0; r < weeks; ++r) {
        const COleDateTime s = m_dtDateStart + COleDateTimeSpan(7.0 * r);
        const COleDateTime e = s + COleDateTimeSpan(6.0);
        CRect cell = m_WeekBarRects[r];
        if (cell.top >= cell.bottom)
            continue;
        const COLORREF colour = pManager->DrawPlannerCaption(pDC, this, cell, FALSE, FALSE, TRUE);
        pDC->SetTextColor(colour);
        pDC->Draw3dRect(cell, frame, frame);
        cell.DeflateRect(1, 1);
        CString first;
        CString last;
        const BOOL sameMonth = s.GetStatus() == COleDateTime::valid && e.GetStatus() == COleDateTime::valid &&
                               s.GetYear() == e.GetYear() && s.GetMonth() == e.GetMonth();
        FormatDate(s, first, sameMonth ? f0 : f2);
        FormatDate(e, last, sameMonth ? f1 : f2);
        const CString text = first + " - " + last;
        const CSize size = pDC->GetTextExtent(text);
        CRect textRect;
        textRect.left = cell.left + (cell.right - size.cy - cell.left + 1) / 2;
        textRect.top = size.cx < cell.Height() ? cell.bottom - (cell.bottom - size.cx - cell.top + 1) / 2
                                               : cell.bottom;
        textRect.right = cell.right;
        textRect.bottom = cell.top;
        pDC->DrawText(text, textRect, DT_SINGLELINE | DT_NOCLIP);
    }
    pDC->SetTextColor(oldText);
    pDC->SelectObject(pOldFont);
}
