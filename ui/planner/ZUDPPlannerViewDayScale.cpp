// The day view's time scale (hour labels, minute ticks, the current-time
// mark, the icons of hidden appointments) and its day captions.
#include "ui/planner/ZUDPPlannerViewDay.h"

#include <algorithm>
#include <cstring>

#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerSeams.h"

void CZUDPPlannerViewDay::GetCaptionFormatStrings(CStringArray& sa)
{
    sa.RemoveAll();
    if ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT) != 0) {
        // The day number on the first line, the day name on the second.
        sa.Add("d\ndddd");
        sa.Add("d\nddd");
        sa.Add("d");
        return;
    }
    const CString separator = GetDateSeparator();
    if (IsDayBeforeMonth()) {
        sa.Add("dddd d MMMM");
        sa.Add("dddd d MMM");
        sa.Add("ddd d MMM");
        sa.Add("d" + separator + "M");
    } else {
        sa.Add("dddd MMMM d");
        sa.Add("dddd MMM d");
        sa.Add("ddd MMM d");
        sa.Add("M" + separator + "d");
    }
}

CZUDPPlannerViewDay::TimeScaleLabel CZUDPPlannerViewDay::GetTimeScaleLabel(int nHour, int nSlotsPerHour,
                                                                           BOOL bFirstShown)
{
    const BOOL twentyFourHours = Is24HourClock();
    CString designator;
    if (!twentyFourHours) {
        designator = GetAmPmDesignator(nHour < 12);
        designator.MakeLower();
    }
    const int shown = twentyFourHours ? nHour : (nHour % 12 == 0 ? 12 : nHour % 12);
    const BOOL twelve = !twentyFourHours && nHour % 12 == 0;
    TimeScaleLabel label;
    if (nSlotsPerHour == 1) {
        if (twelve)
            label.hour.Format("12 %s", static_cast<LPCSTR>(designator));
        else
            label.hour.Format("%2d%s00", shown, static_cast<LPCSTR>(GetTimeSeparator()));
        return label;
    }
    label.hour.Format("%d", shown);
    label.minutes = !twentyFourHours && (twelve || bFirstShown) ? designator : CString("00");
    return label;
}

CFont* CZUDPPlannerViewDay::GetTimeScaleHourFont(CFont* pRegular)
{
    LOGFONTA lf = {};
    if (pRegular == nullptr || pRegular->GetSafeHandle() == nullptr ||
        ::GetObjectA(pRegular->GetSafeHandle(), sizeof lf, &lf) == 0)
        return nullptr;
    if (m_fontTimeScaleHour.GetSafeHandle() == nullptr || std::memcmp(&lf, &m_fontTimeScaleHourSource, sizeof lf) != 0) {
        m_fontTimeScaleHour.DeleteObject();
        m_fontTimeScaleHourSource = lf;
        lf.lfHeight *= 2;
        if (!m_fontTimeScaleHour.CreateFontIndirect(&lf))
            return nullptr;
    }
    return &m_fontTimeScaleHour;
}

void CZUDPPlannerViewDay::DrawCurrentTimeMark(CDC* pDC, const CRect& rect)
{
    CZUDPVisualManager::GetActiveManager()->DrawPlannerTimeScaleLine(pDC, this, rect);
}

// A whole-hour label wider than its cell ("12 am" in a narrow scale) would be
// cut on the left by the right-aligned drawing and read as "2 am": the label
// may use the scale's left margin, and sheds the space and then the
// designator before it is cut.
CString CZUDPPlannerViewDay::FitHourLabel(CDC* pDC, const CString& label, CRect& cell, int nLeftmost)
{
    if (pDC->GetTextExtent(label).cx <= cell.Width())
        return label;
    cell.left = std::min<int>(cell.left, nLeftmost);
    CString text = label;
    for (;;) {
        if (pDC->GetTextExtent(text).cx <= cell.Width())
            return text;
        const int space = text.Find(' ');
        if (space >= 0) {
            text.Delete(space);
            continue;
        }
        // Leave the hour's digits only.
        int digits = 0;
        while (digits < text.GetLength() && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        return digits > 0 && digits < text.GetLength() ? text.Left(digits) : text;
    }
}

void CZUDPPlannerViewDay::DrawTimeScale(CDC* pDC, const CRect& rect, BOOL bShowNow)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    COLORREF lineColour = 0;
    const COLORREF textColour = pManager->FillPlannerTimeScale(pDC, this, rect, lineColour);
    const COLORREF oldText = pDC->SetTextColor(textColour);
    CPen pen(PS_SOLID, 0, lineColour);
    CPen* pOldPen = pDC->SelectObject(&pen);

    const int slotsPerHour = 60 / GetSlotMinutes();
    const UINT alignment = slotsPerHour == 1 ? DT_SINGLELINE | DT_RIGHT | DT_VCENTER : DT_SINGLELINE | DT_RIGHT | DT_TOP;
    CFont* pRegular = GetFont(FALSE);
    CFont* pOldFont = pDC->SelectObject(pRegular);
    // Hour numbers of slots shorter than an hour: twice as tall.
    CFont* pHourFont = slotsPerHour > 1 ? GetTimeScaleHourFont(pRegular) : nullptr;

    const int row = m_nRowHeight;
    const int gridTop = rect.top + m_nHeaderBandHeight + m_nAllDayBandHeight;
    const int dayTop = gridTop - m_nScrollOffset * row - 1;   // the line above 00:00

    if (bShowNow) {
        const double hours = m_dtNow.GetHour() + m_dtNow.GetMinute() / 60.0;
        const int bottom = dayTop + RoundToInt(hours * slotsPerHour * row);
        const int height = slotsPerHour == 1 ? row / 4 : row / 2;
        DrawCurrentTimeMark(pDC, CRect(rect.left + 5, bottom - height, rect.right, bottom));
    }

    const int minuteWidth = std::max<int>(pDC->GetTextExtent("000", 3).cx, 18);
    const int minuteLeft = rect.right - 5 - minuteWidth;
    BOOL firstLabel = TRUE;
    int top = dayTop;
    for (int hour = 0; hour < 24; ++hour, top += slotsPerHour * row) {
        const int bottom = top + slotsPerHour * row;
        if (bottom < gridTop)
            continue;
        if (slotsPerHour > 2) {
            for (int k = 1; k < slotsPerHour; ++k) {
                const int y = top + k * row;
                if (y > gridTop) {
                    pDC->MoveTo(minuteLeft, y);
                    pDC->LineTo(rect.right - 5, y);
                }
            }
        }
        pDC->MoveTo(rect.left + 5, bottom);
        pDC->LineTo(rect.right - 5, bottom);
        if (bottom == gridTop)
            continue;

        const TimeScaleLabel label = GetTimeScaleLabel(hour, slotsPerHour, firstLabel && top >= gridTop - 1);
        if (slotsPerHour == 1) {
            CRect cell(rect.left + 5, top, rect.right - 5, bottom);
            pDC->DrawText(FitHourLabel(pDC, label.hour, cell, rect.left + 1), cell, alignment);
        } else {
            CRect minuteCell(minuteLeft, top, rect.right - 5, top + row);
            pDC->DrawText(label.minutes, minuteCell, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            if (pHourFont != nullptr)
                pDC->SelectObject(pHourFont);
            CRect hourCell(rect.left + 5, top, minuteLeft, bottom);
            pDC->DrawText(label.hour, hourCell, alignment);
            pDC->SelectObject(pRegular);
        }
        if (top >= gridTop - 1)
            firstLabel = FALSE;
    }

    // Labels and marks scrolled above the grid are covered again.
    COLORREF coverLine = 0;
    pManager->FillPlannerTimeScale(pDC, this, CRect(rect.left, rect.top, rect.right, gridTop), coverLine);
    pDC->MoveTo(rect.left, gridTop - 1);
    pDC->LineTo(rect.right - 5, gridTop - 1);
    pDC->MoveTo(rect.right - 1, rect.top);
    pDC->LineTo(rect.right - 1, rect.bottom);

    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
    DrawUpDownIcons(pDC);
    pDC->SetTextColor(oldText);
}

void CZUDPPlannerViewDay::DrawDayCaptions(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const DWORD flags = GetDrawFlags();
    DrawHeaderArea(pDC, rect, m_ViewRects.GetSize() > 0 ? m_ViewRects[0].Width() : 0);
    CFont* pOldFont = nullptr;
    if ((flags & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD) != 0)
        pOldFont = SelectFont(pDC, TRUE);

    const COleDateTime now = g_plannerSeams.now();
    const int days = GetLaidOutDayCount();
    for (int d = 0; d < days; ++d) {
        const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(d));
        const CRect cell(m_ViewRects[d].left, rect.top, m_ViewRects[d].right, rect.bottom);
        pManager->SetPlannerDrawMode(1);
        const COLORREF textColour = DrawCaption(pDC, cell, IsSameDay(date, now), FALSE, FALSE);
        if ((flags & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT) != 0) {
            CString text;
            FormatDate(date, text, m_strCaptionFormat);
            const int lineBreak = text.Find('\n');
            if (lineBreak >= 0) {
                DrawCaptionText(pDC, cell, text.Left(lineBreak), textColour, 0, FALSE);
                DrawCaptionText(pDC, cell, text.Mid(lineBreak + 1), textColour, 1, FALSE);
            } else {
                DrawCaptionText(pDC, cell, text, textColour, 0, FALSE);
            }
        } else {
            DrawCaptionDate(pDC, cell, date, textColour, 1, FALSE);
        }
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}
