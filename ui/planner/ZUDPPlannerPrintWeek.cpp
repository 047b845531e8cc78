#include "ui/planner/ZUDPPlannerPrintWeek.h"

#include "framework/win/DC.h"
#include "framework/win/PrintInfo.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerView.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerPrintWeek, CZUDPPlannerPrint)

int CZUDPPlannerPrintWeek::GetFirstDay()
{
    const int first = CZUDPPlannerManagerCtrl::GetFirstDayOfWeek();
    return first == 0 ? 1 : first;
}

COleDateTime CZUDPPlannerPrintWeek::GetWeekStart(const COleDateTime& date, int nFirstDay)
{
    return CZUDPPlannerView::GetWeekStartDate(date, nFirstDay == 1 ? 2 : nFirstDay);
}

void CZUDPPlannerPrintWeek::AdjustDateRange(const COleDateTime& date)
{
    if (!date.IsValid()) {
        m_DateStart = m_DateEnd = date;
        return;
    }
    m_DateStart = GetWeekStart(date, CZUDPPlannerManagerCtrl::GetFirstDayOfWeek() + 1);
    m_DateEnd = COleDateTime(m_DateStart.m_dt + 6.999988425925926);
}

void CZUDPPlannerPrintWeek::GetCaptionFormatStrings(CStringArray& formats)
{
    if ((m_dwDrawFlags & 0x0800) != 0) {
        formats.Add("d\ndddd");
        formats.Add("d\nddd");
        formats.Add("d");
    } else if (CZUDPPlannerView::IsDayBeforeMonth()) {
        formats.Add("dddd d MMMM");
        formats.Add("dddd d MMM");
        formats.Add("ddd d MMM");
        formats.Add("ddd d");
    } else {
        formats.Add("dddd MMMM d");
        formats.Add("dddd MMM d");
        formats.Add("ddd MMM d");
        formats.Add("ddd d");
    }
}

CString CZUDPPlannerPrintWeek::GetPageHeaderText()
{
    const BOOL dayFirst = CZUDPPlannerView::IsDayBeforeMonth();
    LPCSTR picture = m_DateStart.GetYear() == m_DateEnd.GetYear() ? (dayFirst ? "d MMMM" : "MMMM d")
                                                                    : (dayFirst ? "d MMMM yyyy" : "MMMM d yyyy");
    return FormatDate(m_DateStart, picture) + " -\r" + FormatDate(m_DateEnd, picture);
}

void CZUDPPlannerPrintWeek::AdjustRects()
{
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    const int half = m_rectPage.Width() / 2;
    const int cell = m_rectPage.Height() / 3;
    const int f = GetFirstDay();
    CRect r(m_rectPage.left, m_rectPage.top, m_rectPage.left + half, m_rectPage.top + cell);
    for (int i = 0; i < 6; ++i) {
        if (i == 2)
            r.bottom = m_rectPage.bottom;
        if (i == 3)
            r = CRect(m_rectPage.left + half + ux, m_rectPage.top, m_rectPage.right, m_rectPage.top + cell);
        if (f + i == 6) {
            CRect saturday = r;
            saturday.bottom = r.top + r.Height() / 2;
            m_arDayRects.Add(saturday);
            CRect sunday = r;
            sunday.top = saturday.bottom + uy;
            m_arDayRects.Add(sunday);
        } else {
            m_arDayRects.Add(r);
        }
        r.OffsetRect(0, cell + uy);
    }
}

void CZUDPPlannerPrintWeek::AdjustAppointments()
{
    const int days = GetDayCount();
    if (m_Apps.GetSize() == 0 || m_arDayRects.GetSize() != days)
        return;
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i)
        m_Apps[i]->ResetPrint();
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    for (int i = 0; i < days; ++i) {
        const COleDateTime d(m_DateStart.m_dt + i);
        CRect area = m_arDayRects[i];
        area.top += m_nRowHeight + 2 * uy;
        area.DeflateRect(ux, 0);
        int n = 0;
        for (INT_PTR a = 0; a < m_Apps.GetSize(); ++a) {
            CZUDPAppointment* pApp = m_Apps[a];
            if (!CZUDPPlannerView::IsAppointmentOnDate(pApp, d))
                continue;
            CRect r = area;
            r.top = area.top + n * (m_nRowHeight + 2 * uy);
            r.bottom = r.top + m_nRowHeight;
            pApp->SetPrintRect(r, d);
            ++n;
        }
        CheckVisibleAppointments(d, area, TRUE);
    }
}

void CZUDPPlannerPrintWeek::OnDrawClient(CDC* pDC)
{
    const int days = GetDayCount();
    if (m_arDayRects.GetSize() != days || days == 0)
        return;
    const HDC hDC = pDC->m_hDC;
    HGDIOBJ oldFont = nullptr;
    if ((m_dwDrawFlags & 0x0400) != 0)
        oldFont = ::SelectObject(hDC, m_FontBold.GetSafeHandle());
    for (int i = 0; i < days; ++i) {
        CRect caption = m_arDayRects[i];
        caption.bottom = caption.top + m_nRowHeight;
        DrawCaptionDate(pDC, caption, COleDateTime(m_DateStart.m_dt + i), FALSE, TRUE, &m_brushCaption);
    }
    if (oldFont != nullptr)
        ::SelectObject(hDC, oldFont);
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    const int x = m_arDayRects[0].right;
    ::MoveToEx(hDC, x, m_rectPage.top, nullptr);
    ::LineTo(hDC, x, m_rectPage.bottom);
    for (int i = 1; i < days; ++i) {
        const CRect& c = m_arDayRects[i];
        if (c.top == m_rectPage.top)
            continue;
        ::MoveToEx(hDC, c.left, c.top - m_OnePoint.cy, nullptr);
        ::LineTo(hDC, c.right, c.top - m_OnePoint.cy);
    }
    ::SelectObject(hDC, oldPen);
}

void CZUDPPlannerPrintWeek::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CZUDPPlannerPrint::OnPrint(pDC, pInfo);
    if (pDC == nullptr || pDC->m_hDC == nullptr || pInfo == nullptr)
        return;
    const HDC hDC = pDC->m_hDC;
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    const HGDIOBJ oldFont = ::SelectObject(hDC, m_Font.GetSafeHandle());
    OnDrawClient(pDC);
    DrawAppointments(pDC, CRect(), COleDateTime(0.0));
    ::SelectObject(hDC, oldFont);
    ::SetBkMode(hDC, oldMode);
    CRect frame = m_rectPage;
    frame.InflateRect(m_OnePoint.cx, m_OnePoint.cy);
    const HGDIOBJ oldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    ::Rectangle(hDC, frame.left, frame.top, frame.right, frame.bottom);
    ::SelectObject(hDC, oldPen);
    ::SelectObject(hDC, oldBrush);
}
