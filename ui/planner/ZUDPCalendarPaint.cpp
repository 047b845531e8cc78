// The calendar's painting: the whole client area off-screen, each shown
// month with its caption, day names, day cells, selection, dragged range,
// marked days, day colours, today frame and week numbers, then the arrows.
#include "ui/planner/ZUDPCalendar.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerSeams.h"

void CZUDPCalendar::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL CZUDPCalendar::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CZUDPCalendar::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if (pDC != nullptr && (nFlags & PRF_CLIENT) != 0)
        OnDraw(pDC);
}

void CZUDPCalendar::OnDraw(CDC* pDC)
{
    CZUDPVisualManager::GetActiveManager()->GetCalendarColors(this, m_colors);
    CZUDPMemDC memDC(*pDC, this);
    CDC& dc = memDC.GetDC();
    CRect clip;
    dc.GetClipBox(clip);
    CRect client;
    GetClientRect(client);
    dc.FillRect(client, &g_uiEnvironment.m_brushWindow);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
    CFont* pOldFont = dc.SelectObject(&g_uiEnvironment.m_fontRegular);

    for (int i = 0; i < m_nMonthCount; ++i) {
        CRect month;
        CRect common;
        if (GetMonthRect(i, month) && common.IntersectRect(month, clip))
            DrawMonth(&dc, month, i);
    }

    const COLORREF text = m_colors.clrCaptionText;
    const int variant = GetRValue(text) >= 193 && GetGValue(text) >= 193 && GetBValue(text) >= 193
                            ? MenuGlyphColorWhite
                            : MenuGlyphColorBlack;
    DrawMenuGlyphCentered(&dc, MenuGlyphLargeArrowLeft, m_rectPrev, variant);
    DrawMenuGlyphCentered(&dc, MenuGlyphLargeArrowRight, m_rectNext, variant);
    dc.SelectObject(pOldFont);
}

int CZUDPCalendar::GetRowWeekNumber(int nIndex, int nRow) const
{
    if (nIndex < 0 || nIndex >= m_WeekNumbers.GetSize() || nRow < 0 || nRow > 5 || !IsMonthFormed(nIndex))
        return 0;
    const COleDateTime f = GetMonthFirstDay(nIndex);
    // The row that holds 1 January of the next year is week 1 (whatever
    // the count of the year's rows says).
    const COleDateTime newYear(f.GetYear() + 1, 1, 1, 0, 0, 0);
    const int offset = (f.GetDayOfWeek() - 1 - m_nFirstDayOfWeek + 7) % 7;
    const COleDateTime rowStart = f + COleDateTimeSpan(double(7 * nRow - offset));
    if (f.GetMonth() == 12 && newYear.GetStatus() == COleDateTime::valid && rowStart <= newYear &&
        newYear <= rowStart + COleDateTimeSpan(6.0))
        return 1;
    const int number = m_WeekNumbers[nIndex] + nRow;
    return number == 54 ? 1 : number;
}

void CZUDPCalendar::DrawMonth(CDC* pDC, CRect rectMonth, int nIndex)
{
    // A month the calendar cannot form (past December 9999) stays empty.
    if (pDC == nullptr || !IsMonthFormed(nIndex))
        return;
    CDC& dc = *pDC;
    const BOOL ctrl = (g_frameworkSeams.asyncKeyState(VK_CONTROL) & 0x8000) != 0;
    CBrush selectionBrush(m_colors.clrSelected);
    CRect clip;
    dc.GetClipBox(clip);
    const COleDateTime f = GetMonthFirstDay(nIndex);
    const int n = PlannerDates::DaysInMonth(f.GetMonth(), f.GetYear());
    const COleDateTime today = g_plannerSeams.now();
    const UINT dayFormat = (m_bFitMode ? DT_CENTER : DT_RIGHT) | DT_VCENTER | DT_SINGLELINE;

    // Caption.
    CRect caption(rectMonth.left, rectMonth.top, rectMonth.right, rectMonth.top + m_nCellHeight + 2);
    if (m_bFitMode) {
        CRect client;
        GetClientRect(client);
        caption.left = client.left + m_nHorzMargin;
        caption.right = client.right - m_nHorzMargin;
        caption.top += m_nVertMargin;
    } else {
        caption.InflateRect(-1, 0);
        caption.top += 1;
    }
    const COLORREF face = m_colors.clrCaption;
    if (m_bGradientCaption) {
        COLORREF start, end;
        if (GetRValue(face) <= 192 || GetGValue(face) <= 192 || GetBValue(face) <= 192) {
            start = face;
            end = CZUDPColorArithmetic::ScaleColorPercent(face, 120);
        } else {
            start = CZUDPColorArithmetic::ScaleColorPercent(face, 80);
            end = face;
        }
        CZUDPDrawManager drawManager(dc);
        drawManager.FillLinearGradient(caption, start, end, TRUE, 0, 0);
    } else {
        dc.FillSolidRect(caption, face);
    }
    caption.right -= 2;
    dc.SetTextColor(m_colors.clrCaptionText);
    dc.DrawText(CalendarMonthCaption(f), caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    // Day names.
    const int x0 = rectMonth.left + m_nWeekColumnWidth;
    const int cb = rectMonth.top + m_nCellHeight + 2;
    for (int j = 0; j < 7 && j < m_DayNames.GetSize(); ++j) {
        CRect name(x0 - 1 + j * m_nCellWidth, cb, x0 - 1 + (j + 1) * m_nCellWidth, cb + m_nCellHeight + 1);
        dc.DrawText(m_DayNames[j], name, dayFormat);
    }
    CPen shadowPen(PS_SOLID, 1, g_uiEnvironment.m_colorButtonShadow);
    CPen* pOldPen = dc.SelectObject(&shadowPen);
    const int hb = cb + m_nCellHeight + 1;
    dc.MoveTo(x0, hb - 1);
    dc.LineTo(rectMonth.right - m_nRightMargin + 2, hb - 1);
    const CRect weekColumn(x0 - m_nCellWidth, hb + 2, x0, rectMonth.bottom);

    // Days.
    RECT cells[42];
    int offset = 0, prevLength = 0;
    GetDayRects(nIndex, cells, &offset, &prevLength);
    BOOL dragged = FALSE;
    COleDateTime lo, hi;
    if (IsCalendarDate(m_dtDragAnchor) && IsCalendarDate(m_dtDragEnd)) {
        dragged = TRUE;
        lo = m_dtDragEnd < m_dtDragAnchor ? m_dtDragEnd : m_dtDragAnchor;
        hi = m_dtDragEnd < m_dtDragAnchor ? m_dtDragAnchor : m_dtDragEnd;
        if (m_bWeekRowDrag || (m_bWholeWeeks && (hi - lo).GetTotalDays() > 6.0)) {
            lo = GetWeekStart(lo);
            hi = GetWeekStart(hi) + COleDateTimeSpan(6.0);
        }
    }
    CFont* pBoldOld = nullptr;
    BOOL bold = FALSE;
    int rows = 0;
    int lastBottom = -1;
    BOOL lastFound = FALSE;
    for (int k = 0; k < 42; ++k) {
        const CRect cell(cells[k]);
        CRect common;
        if (cell.IsRectEmpty() || !common.IntersectRect(cell, clip))
            continue;
        COLORREF textColor = g_uiEnvironment.m_colorWindowText;
        int d = k + 1 - offset;
        BOOL inMonth = FALSE, selected = FALSE, marked = FALSE, isToday = FALSE;
        if (d > n) {
            d -= n;
        } else if (d <= 0) {
            d += prevLength;
        } else {
            inMonth = TRUE;
            const COleDateTime day(f.GetYear(), f.GetMonth(), d, 0, 0, 0);
            selected = IsDateSelected(day);
            if (dragged && lo <= day && day <= hi)
                selected = ctrl ? !selected : TRUE;
            const COLORREF own = GetDateColor(day);
            if (own != (COLORREF)-1)
                textColor = own;
            marked = IsDateMarked(f.GetYear(), f.GetMonth(), d);
            isToday = today.GetStatus() == COleDateTime::valid && today.GetYear() == f.GetYear() &&
                      today.GetMonth() == f.GetMonth() && today.GetDay() == d;
        }
        if (!inMonth)
            textColor = g_uiEnvironment.m_colorGrayText;
        CRect textRect = cell;
        if (!m_bFitMode)
            textRect.OffsetRect(-1, 0);
        if (selected) {
            dc.FillRect(cell, &selectionBrush);
            if (m_colors.clrSelectedText != g_uiEnvironment.m_colorWindowText)
                textColor = m_colors.clrSelectedText;
        }
        if (marked && !bold) {
            pBoldOld = dc.SelectObject(&g_uiEnvironment.m_fontBold);
            bold = TRUE;
        } else if (!marked && bold) {
            dc.SelectObject(pBoldOld);
            bold = FALSE;
        }
        dc.SetTextColor(textColor);
        CString number;
        number.Format("%d", d);
        dc.DrawText(number, textRect, dayFormat);
        if (isToday)
            dc.Draw3dRect(cell, m_colors.clrTodayBorder, m_colors.clrTodayBorder);
        if (!lastFound || cell.bottom > lastBottom) {
            ++rows;
            lastBottom = cell.bottom;
            lastFound = TRUE;
        }
    }
    if (bold)
        dc.SelectObject(pBoldOld);

    // Week numbers.
    if (m_bWeekNumbers && nIndex < m_WeekNumbers.GetSize()) {
        CFont* pOldFont = dc.SelectObject(&g_uiEnvironment.m_fontSmall);
        dc.MoveTo(x0 - 1, hb - 1);
        dc.SetTextColor(g_uiEnvironment.m_colorGrayText);
        for (int m = 0; m < rows; ++m) {
            CRect row(weekColumn.left, weekColumn.top + m * m_nCellHeight, weekColumn.right,
                      weekColumn.top + (m + 1) * m_nCellHeight);
            const int number = GetRowWeekNumber(nIndex, m);
            if (!m_bFitMode)
                row.right -= 4;
            CString text;
            text.Format("%d", number);
            dc.DrawText(text, row, dayFormat);
            if (!m_bFitMode)
                dc.LineTo(x0 - 1, row.bottom);
        }
        dc.SelectObject(pOldFont);
    }

    // The line that closes the grid above the Today button.
    if (m_bShowTodayButton && lastFound && (m_bFitMode || (GetStyle() & WS_POPUP) != 0)) {
        dc.MoveTo(x0, lastBottom);
        dc.LineTo(rectMonth.right - m_nRightMargin + 2, lastBottom);
    }
    dc.SelectObject(pOldPen);
}
