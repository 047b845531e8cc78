#include "ui/planner/ZUDPPlannerPrintMonth.h"

#include <set>

#include "framework/win/DC.h"
#include "framework/win/PrintInfo.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerView.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerPrintMonth, CZUDPPlannerPrint)

namespace {

void MonthLine(HDC hDC, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(hDC, x1, y1, nullptr);
    ::LineTo(hDC, x2, y2);
}

// 0 Sunday .. 6 Saturday.
int WeekdayOf(const COleDateTime& date)
{
    return date.GetDayOfWeek() - 1;
}

} // namespace

COleDateTime CZUDPPlannerPrintMonth::GetWeekStart(const COleDateTime& date, int nFirstDay) const
{
    return CZUDPPlannerView::GetWeekStartDate(date, m_bCompressWeekend && nFirstDay == 1 ? 2 : nFirstDay);
}

int CZUDPPlannerPrintMonth::FirstColumnDay() const
{
    const int f = CZUDPPlannerManagerCtrl::GetFirstDayOfWeek();
    return f == 0 && m_bCompressWeekend ? 1 : f;
}

void CZUDPPlannerPrintMonth::AdjustDateRange(const COleDateTime& date)
{
    const COleDateTime zero(0.0);
    if (m_DateStart != zero && m_DateEnd != zero && m_DateStart.IsValid() && m_DateEnd.IsValid() &&
        WholeDays(m_DateEnd.m_dt - m_DateStart.m_dt) + 1 >= 14)
        return;
    const COleDateTime first =
        date.IsValid() ? COleDateTime(date.GetYear(), date.GetMonth(), 1, 0, 0, 0) : date;
    if (!first.IsValid()) {
        // No month can be formed: nothing is laid out.
        m_DateStart = m_DateEnd = first;
        return;
    }
    m_DateStart = GetWeekStart(first, CZUDPPlannerManagerCtrl::GetFirstDayOfWeek() + 1);
    m_DateEnd = COleDateTime(m_DateStart.m_dt + 34.99998842592593);
}

void CZUDPPlannerPrintMonth::GetCaptionFormatStrings(CStringArray& formats)
{
    formats.Add("dddd");
    formats.Add("ddd");
}

CString CZUDPPlannerPrintMonth::GetPageHeaderText()
{
    if (!m_DateStart.IsValid() || !m_DateEnd.IsValid())
        return CString();
    COleDateTime s = m_DateStart;
    const COleDateTime sNext(s.m_dt + 7);
    if (sNext.GetMonth() != s.GetMonth())
        s = sNext;
    COleDateTime e = m_DateEnd;
    const COleDateTime eBefore(e.m_dt - 7);
    if (eBefore.GetMonth() != e.GetMonth())
        e = eBefore;
    CString text = FormatDate(s, "MMMM yyyy");
    if (s.GetMonth() != e.GetMonth())
        text += " -\r" + FormatDate(e, "MMMM yyyy");
    return text;
}

void CZUDPPlannerPrintMonth::AdjustPageAreas(CDC* pDC, RECT& page)
{
    (void)pDC;
    m_nWeekdayCaptionHeight = m_nRowHeight;
    page.top += m_nWeekdayCaptionHeight;
    m_nWeekBarWidth = (m_dwDrawFlags & 0x0200) != 0 ? m_nRowHeight : 0;
    page.left += m_nWeekBarWidth;
}

void CZUDPPlannerPrintMonth::AdjustRects()
{
    const int weeks = GetWeeks();
    // A range without a whole week has no grid.
    if (weeks <= 0)
        return;
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    const int columns = m_bCompressWeekend ? 6 : 7;
    const int w = RoundToInt(double(m_rectPage.Width()) / columns) - ux;
    const int h = RoundToInt(double(m_rectPage.Height()) / weeks) - uy;
    const int first = FirstColumnDay();
    for (int k = 0; k < weeks; ++k) {
        const int top = m_rectPage.top + k * (h + uy);
        const int bottom = k == weeks - 1 ? int(m_rectPage.bottom) : top + h;
        CRect r(m_rectPage.left, top, m_rectPage.left + w, bottom);
        int saturdayBottom = top + h / 2;
        for (int j = 0; j < 7; ++j) {
            const int weekday = (first + j) % 7;
            BOOL stayInColumn = FALSE;
            if (m_bCompressWeekend) {
                if (weekday == 6) {
                    if (j == 5)
                        r.right = m_rectPage.right;
                    r.top = top;
                    r.bottom = top + h / 2;
                    saturdayBottom = r.bottom;
                    stayInColumn = TRUE;
                } else if (weekday == 0) {
                    r.top = saturdayBottom + uy;
                    r.bottom = bottom;
                } else {
                    r.top = top;
                    r.bottom = bottom;
                }
            } else if (j == 6) {
                r.right = m_rectPage.right;
            }
            m_arDayRects.Add(r);
            if (!stayInColumn)
                r.OffsetRect(w + ux, 0);
        }
    }
}

void CZUDPPlannerPrintMonth::AdjustAppointments()
{
    const int days = GetDayCount();
    if (m_Apps.GetSize() == 0 || m_arDayRects.GetSize() != days)
        return;
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i)
        m_Apps[i]->ResetPrint();
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    const int pitch = m_nRowHeight + 2 * uy;
    for (int i = 0; i < days; ++i) {
        const COleDateTime d(m_DateStart.m_dt + i);
        const CRect c = m_arDayRects[i];
        CRect area = c;
        area.top = c.top + m_nRowHeight + 2 * uy;
        area.DeflateRect(ux, 0);
        const BOOL sameRow = i == 0 || c.top == m_arDayRects[i - 1].top;
        const BOOL sameBottom = i == 0 || c.bottom == m_arDayRects[i - 1].bottom;
        std::set<int> used;
        for (INT_PTR a = 0; a < m_Apps.GetSize(); ++a) {
            CZUDPAppointment* pApp = m_Apps[a];
            if (!CZUDPPlannerView::IsAppointmentOnDate(pApp, d))
                continue;
            int row = 0;
            while (used.count(row) != 0)
                ++row;
            CRect r = area;
            r.top = area.top + row * pitch;
            r.bottom = r.top + m_nRowHeight;
            const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
            const BOOL hasParts = pApp->GetPrintParts().GetCount() > 0;
            // A bar keeps its row along the week.
            if (i > 0 && sameRow && isLong && hasParts) {
                const CRect before = pApp->GetPrintRect(COleDateTime(d.m_dt - 1));
                if (!before.IsRectEmpty() && before.top != r.top) {
                    r.top = before.top;
                    r.bottom = before.bottom;
                }
            }
            const BOOL breakPart = (i > 0 && sameRow && !sameBottom) ||
                                   (!isLong && !CZUDPPlannerView::IsSameDay(pApp->GetStart(), pApp->GetFinish()));
            if (breakPart && hasParts) {
                CRect inside;
                inside.IntersectRect(&r, &c);
                if (inside.Height() < r.Height() || r.bottom >= c.bottom || !isLong) {
                    // The date opens a part of its own.
                    CRect moved = r;
                    moved.OffsetRect(0, uy);
                    pApp->SetPrintRect(moved, d);
                }
            }
            pApp->SetPrintRect(r, d);
            used.insert(pitch > 0 ? (r.top - area.top) / pitch : 0);
        }
        CheckVisibleAppointments(d, area, TRUE);
    }
}

void CZUDPPlannerPrintMonth::OnDrawClient(CDC* pDC)
{
    const int days = GetDayCount();
    const int weeks = GetWeeks();
    if (weeks <= 0 || m_arDayRects.GetSize() != days)
        return;
    const HDC hDC = pDC->m_hDC;
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    for (int j = 1; j < 7; ++j) {
        const int x = m_arDayRects[j].left - ux;
        if (j > 0 && m_arDayRects[j].left == m_arDayRects[j - 1].left)
            continue;   // Sunday below Saturday: no line of its own
        MonthLine(hDC, x, m_rectPage.top, x, m_rectPage.bottom);
    }
    for (int k = 0; k < weeks; ++k) {
        const int y = m_arDayRects[7 * k + 6].bottom;
        MonthLine(hDC, m_rectPage.left, y, m_rectPage.right, y);
    }
    if (m_bCompressWeekend) {
        int saturday = -1;
        for (int j = 0; j < 6 && saturday < 0; ++j) {
            if (m_arDayRects[j].right == m_arDayRects[j + 1].right)
                saturday = j;
        }
        for (int k = 0; k < weeks && saturday >= 0; ++k) {
            const CRect& s = m_arDayRects[7 * k + saturday];
            MonthLine(hDC, s.left, s.bottom, s.right, s.bottom);
        }
    }
    ::SelectObject(hDC, oldPen);

    HGDIOBJ oldFont = nullptr;
    if ((m_dwDrawFlags & 0x0400) != 0)
        oldFont = ::SelectObject(hDC, m_FontBold.GetSafeHandle());
    const BOOL dayFirst = CZUDPPlannerView::IsDayBeforeMonth();
    const HDC hAttrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : hDC;
    for (int i = 0; i < days; ++i) {
        const COleDateTime t(m_DateStart.m_dt + i);
        const CRect& c = m_arDayRects[i];
        if (c.Height() < m_nRowHeight - 2 * uy)
            continue;
        CRect caption = c;
        caption.bottom = c.top + uy + m_nRowHeight;
        auto fits = [&](const CString& text) {
            SIZE size = {};
            ::GetTextExtentPoint32A(hAttrib, text, text.GetLength(), &size);
            return size.cx <= c.Width() - 4;
        };
        CString text;
        const BOOL newYear = t.GetMonth() == 1 && t.GetDay() == 1;
        if (i == 0 || t.GetDay() == 1) {
            LPCSTR shortPicture = dayFirst ? "d MMM" : "MMM d";
            if ((m_dwDrawFlags & 0x0800) == 0) {
                text = FormatDate(t, dayFirst ? "d MMMM" : "MMMM d");
                if (newYear)
                    text += FormatDate(t, " yyyy");
                if (!fits(text)) {
                    text = FormatDate(t, shortPicture);
                    if (newYear)
                        text += FormatDate(t, " yy");
                }
            } else {
                text = FormatDate(t, shortPicture);
                if (newYear)
                    text += FormatDate(t, " yy");
                if (!fits(text)) {
                    text = newYear ? FormatDate(t, shortPicture) : CString();
                    if (text.IsEmpty() || !fits(text))
                        text = FormatDate(t, "d");
                }
            }
        } else {
            text = FormatDate(t, "d");
        }
        const BOOL sameMonth = t.GetMonth() == m_Date.GetMonth() && t.GetYear() == m_Date.GetYear();
        DrawCaptionText(pDC, caption, text, FALSE, TRUE, sameMonth ? &m_brushCaption : &m_brushOtherMonth);
    }
    if (oldFont != nullptr)
        ::SelectObject(hDC, oldFont);
}

void CZUDPPlannerPrintMonth::DrawWeekdayCaptions(CDC* pDC, const RECT& rect)
{
    if (m_arDayRects.GetSize() == 0)
        return;
    const int w = m_arDayRects[0].Width();
    DrawHeaderArea(pDC, rect, w);
    CRect r(rect);
    r.right = r.left + w;
    COleDateTime d = GetWeekStart(m_Date, CZUDPPlannerManagerCtrl::GetFirstDayOfWeek() + 1);
    const int n = m_bCompressWeekend ? 6 : 7;
    for (int i = 0; i < n; ++i) {
        CString name;
        if (m_bCompressWeekend && WeekdayOf(d) == 6) {
            name = FormatDate(d, "ddd") + "/" + FormatDate(COleDateTime(d.m_dt + 1), "ddd");
            d = COleDateTime(d.m_dt + 2);
        } else {
            name = FormatDate(d, m_strCaptionFormat);
            d = COleDateTime(d.m_dt + 1);
        }
        DrawCaptionText(pDC, r, name, TRUE, TRUE, &m_brushCaption);
        r.OffsetRect(w + m_OnePoint.cx, 0);
    }
}

void CZUDPPlannerPrintMonth::DrawWeekBar(CDC* pDC, const RECT& rect)
{
    const CRect bar(rect);
    const int weeks = GetWeeks();
    if (bar.IsRectEmpty() || weeks <= 0 || m_arDayRects.GetSize() < 7 * weeks)
        return;
    const HDC hDC = pDC->m_hDC;
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    HGDIOBJ oldFont = ::SelectObject(hDC, m_Font.GetSafeHandle());
    SIZE sample = {};
    ::GetTextExtentPoint32A(hDC, "AAA 00 - AAA 00", 15, &sample);
    ::SelectObject(hDC, oldFont);
    const CRect& first = m_arDayRects[0];
    CString monthPart = "MMM";
    CString separator = " ";
    if (1.5 * sample.cx > first.bottom - m_nRowHeight - uy - first.top) {
        monthPart = "M";
        separator = CZUDPPlannerView::GetDateSeparator();
    }
    CString f0, f1, f2;
    if (CZUDPPlannerView::IsDayBeforeMonth()) {
        f0 = "d";
        f1 = "d" + separator + monthPart;
        f2 = f1;
    } else {
        f0 = monthPart + separator + "d";
        f1 = "d";
        f2 = f0;
    }
    const COLORREF oldColor = ::SetTextColor(hDC, m_clrText);
    oldFont = ::SelectObject(hDC, m_FontVert.GetSafeHandle());
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    COleDateTime s = m_DateStart;
    COleDateTime e(s.m_dt + 6);
    const BOOL saturdayFirst = m_bCompressWeekend && m_arDayRects[0].top != m_arDayRects[1].top;
    for (int k = 0; k < weeks; ++k) {
        const CRect& cell = m_arDayRects[7 * k + (saturdayFirst ? 2 : 0)];
        CRect box(bar.left - ux, cell.top + m_nRowHeight + uy, bar.right, cell.bottom);
        if (box.top < box.bottom) {
            ::FillRect(hDC, &box, static_cast<HBRUSH>(m_brushCaption.GetSafeHandle()));
            ::MoveToEx(hDC, box.right, box.top, nullptr);
            ::LineTo(hDC, box.left, box.top);
            ::LineTo(hDC, box.left, box.bottom);
            ::LineTo(hDC, box.right, box.bottom);
            box.DeflateRect(ux, uy);
            const CString text = s.GetMonth() == e.GetMonth() ? FormatDate(s, f0) + " - " + FormatDate(e, f1)
                                                               : FormatDate(s, f2) + " - " + FormatDate(e, f2);
            SIZE size = {};
            ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
            const int x = box.left + (ux + box.Width() - size.cy) / 2;
            const int y = size.cx < box.Height() ? box.bottom - (uy + box.Height() - size.cx) / 2 : int(box.bottom);
            ::ExtTextOutA(hDC, x, y, 0, nullptr, text, UINT(text.GetLength()), nullptr);
        }
        s = COleDateTime(s.m_dt + 7);
        e = COleDateTime(e.m_dt + 7);
    }
    ::SelectObject(hDC, oldPen);
    ::SelectObject(hDC, oldFont);
    ::SetTextColor(hDC, oldColor);
}

void CZUDPPlannerPrintMonth::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CZUDPPlannerPrint::OnPrint(pDC, pInfo);
    if (pDC == nullptr || pDC->m_hDC == nullptr || pInfo == nullptr)
        return;
    const HDC hDC = pDC->m_hDC;
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    if (m_nWeekBarWidth != 0) {
        const CRect r(m_rectPage.left - m_nWeekBarWidth, m_rectPage.top, m_rectPage.left, m_rectPage.bottom);
        DrawWeekBar(pDC, r);
    }
    const HGDIOBJ oldFont = ::SelectObject(hDC, m_Font.GetSafeHandle());
    OnDrawClient(pDC);
    CRect frame = m_rectPage;
    if (m_nWeekdayCaptionHeight != 0) {
        const CRect r(m_rectPage.left, m_rectPage.top - m_nWeekdayCaptionHeight, m_rectPage.right, m_rectPage.top);
        DrawWeekdayCaptions(pDC, r);
        frame.top = r.top;
    }
    DrawAppointments(pDC, CRect(), COleDateTime(0.0));
    ::SelectObject(hDC, oldFont);
    ::SetBkMode(hDC, oldMode);
    frame.InflateRect(m_OnePoint.cx, m_OnePoint.cy);
    const HGDIOBJ oldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    ::Rectangle(hDC, frame.left, frame.top, frame.right, frame.bottom);
    ::SelectObject(hDC, oldPen);
    ::SelectObject(hDC, oldBrush);
}
