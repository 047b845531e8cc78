#include "ui/planner/ZUDPPlannerPrintDay.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/win/DC.h"
#include "framework/win/PrintInfo.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPAppointmentDrawStruct.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerView.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerPrintDay, CZUDPPlannerPrint)

namespace {

const double kPrintOneSecond = 1.0 / 86400.0;

COleDateTime DayOf(const COleDateTime& date)
{
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), 0, 0, 0);
}

int MinutesOf(const COleDateTime& date)
{
    return 60 * date.GetHour() + date.GetMinute();
}

BOOL IsLongAppointment(const CZUDPAppointment* pApp)
{
    return pApp->IsAllDay() || pApp->IsLong();
}

// The rectangle of an appointment's first printed part (or its one piece).
CRect FirstPrintRect(CZUDPAppointment* pApp)
{
    CZUDPAppointmentDSMap& parts = pApp->GetPrintParts();
    if (parts.GetCount() > 0)
        return parts.GetDrawStruct(0)->GetRect();
    return pApp->GetPrintRect(COleDateTime(0.0));
}

void SetFirstPrintRect(CZUDPAppointment* pApp, const CRect& rect)
{
    CZUDPAppointmentDSMap& parts = pApp->GetPrintParts();
    if (parts.GetCount() > 0)
        parts.GetDrawStruct(0)->SetRect(rect);
    else
        pApp->SetPrintRect(rect, COleDateTime(0.0));
}

void Line(HDC hDC, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(hDC, x1, y1, nullptr);
    ::LineTo(hDC, x2, y2);
}

} // namespace

// ---- layout --------------------------------------------------------------------------------

void CZUDPPlannerPrintDay::AdjustDateRange(const COleDateTime& date)
{
    m_DateStart = date.IsValid() ? DayOf(date) : date;
    if (!m_DateStart.IsValid()) {
        m_DateEnd = m_DateStart;
        return;
    }
    m_DateEnd = COleDateTime(m_DateStart.m_dt + 0.999988425925926);
}

void CZUDPPlannerPrintDay::GetCaptionFormatStrings(CStringArray& formats)
{
    if ((m_dwDrawFlags & 0x0800) != 0) {
        formats.Add("d\ndddd");
        formats.Add("d\nddd");
        formats.Add("d");
    } else if (CZUDPPlannerView::IsDayBeforeMonth()) {
        formats.Add("dddd d MMMM");
        formats.Add("dddd d MMM");
        formats.Add("ddd d MMM");
        formats.Add("d" + CZUDPPlannerView::GetDateSeparator() + "M");
    } else {
        formats.Add("dddd MMMM d");
        formats.Add("dddd MMM d");
        formats.Add("ddd MMM d");
        formats.Add("M" + CZUDPPlannerView::GetDateSeparator() + "d");
    }
}

void CZUDPPlannerPrintDay::AdjustPageAreas(CDC* pDC, RECT& page)
{
    (void)pDC;
    const int days = GetDayCount();
    int allDayRows = 1;
    const int captionRows = days > 1 ? 1 : 0;
    m_rectTimeScale = page;
    m_rectTimeScale.right = page.left + 5 * m_OnePoint.cx + 3 * m_nRowHeight;
    page.left = m_rectTimeScale.right;

    if (days > 0) {
        std::vector<int> counters(size_t(days), 0);
        for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i) {
            const CZUDPAppointment* pApp = m_Apps[i];
            if (!IsLongAppointment(pApp))
                continue;
            if (days == 1) {
                ++counters[0];
                continue;
            }
            COleDateTime s = DayOf(pApp->GetStart());
            if (s < m_DateStart)
                s = m_DateStart;
            COleDateTime e;
            if (pApp->IsAllDay())
                e = COleDateTime(pApp->GetFinish().m_dt + 1.0);
            else if (pApp->GetFinish() == DayOf(pApp->GetFinish()))
                e = pApp->GetFinish();
            else
                e = COleDateTime(DayOf(pApp->GetFinish()).m_dt + 1.0);
            const int first = WholeDays(s.m_dt - m_DateStart.m_dt);
            const int length = WholeDays(e.m_dt - s.m_dt);
            for (int k = first; k < first + length; ++k) {
                if (k >= 0 && k < days)
                    ++counters[size_t(k)];
            }
        }
        const int most = *std::max_element(counters.begin(), counters.end());
        if (most != 0)
            allDayRows = most;
    }

    const int rowHeightBefore = m_nRowHeight;
    const int height = page.bottom - page.top;
    const int h = height / (captionRows + allDayRows + kRowsPerDay);
    if (h > m_nRowHeight)
        m_nRowHeight = h;
    m_nCaptionHeight = captionRows * m_nRowHeight;
    page.top += m_nCaptionHeight;
    m_nAllDayHeight = allDayRows * (m_nRowHeight + 2 * m_OnePoint.cy);
    const int t = (page.bottom - page.top - m_nAllDayHeight) / kRowsPerDay;
    if (t > rowHeightBefore)
        m_nRowHeight = t;
    if (m_nRowHeight < 1)
        m_nRowHeight = 1;
    const int avail = page.bottom - page.top;
    const int rest = avail - m_nAllDayHeight;
    if (rest < 0)
        m_nAllDayHeight = avail;
    else if (rest / m_nRowHeight < kRowsPerDay)
        m_nAllDayHeight += rest % m_nRowHeight;
    else
        m_nAllDayHeight = avail - m_nRowHeight * kRowsPerDay;
    page.top += m_nAllDayHeight;
}

void CZUDPPlannerPrintDay::AdjustRects()
{
    const int days = GetDayCount();
    if (days <= 0)
        return;
    const int w = RoundToInt(double(m_rectPage.Width()) / days);
    CRect r(m_rectPage.left, m_rectPage.top, m_rectPage.left + w, m_rectPage.bottom);
    for (int i = 0; i < days; ++i) {
        if (i == days - 1)
            r.right = m_rectPage.right;
        m_arDayRects.Add(r);
        r.OffsetRect(w, 0);
    }
}

void CZUDPPlannerPrintDay::AdjustAppointments()
{
    const int days = GetDayCount();
    if (m_Apps.GetSize() == 0 || m_arDayRects.GetSize() != days)
        return;
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i)
        m_Apps[i]->ResetPrint();

    const int step = CZUDPPlannerView::GetTimeScaleMinutes(0);
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    std::vector<CZUDPAppointment*> longApps;
    for (int i = 0; i < days; ++i) {
        const COleDateTime date(m_DateStart.m_dt + i);
        const CRect column = m_arDayRects[i];
        std::vector<CZUDPAppointment*> day;
        for (INT_PTR a = 0; a < m_Apps.GetSize(); ++a) {
            CZUDPAppointment* pApp = m_Apps[a];
            if (!CZUDPPlannerView::IsAppointmentOnDate(pApp, date))
                continue;
            if (IsLongAppointment(pApp)) {
                if (std::find(longApps.begin(), longApps.end(), pApp) == longApps.end())
                    longApps.push_back(pApp);
                continue;
            }
            CRect r = column;
            r.right = column.right - 6 * ux;
            r.top = MinutesOf(pApp->GetStart()) / step * m_nRowHeight - uy + column.top;
            if (pApp->GetStart() == pApp->GetFinish()) {
                r.bottom = r.top + m_nRowHeight;
            } else {
                int endMinutes = MinutesOf(pApp->GetFinish());
                if (!CZUDPPlannerView::IsSameDay(pApp->GetStart(), pApp->GetFinish())) {
                    if (CZUDPPlannerView::IsSameDay(pApp->GetStart(), date))
                        endMinutes = 1440;
                    else
                        r.top = column.top - uy;
                }
                r.bottom = (endMinutes + step - 1) / step * m_nRowHeight - uy + column.top;
                // Less than a minute on the hour (10:00:00-10:00:40) comes to
                // no rows by the minutes: it covers one row, as a point in
                // time does, instead of vanishing from the page.
                if (r.bottom <= r.top)
                    r.bottom = r.top + m_nRowHeight;
            }
            pApp->SetPrintRect(r, date);
            day.push_back(pApp);
        }
        if (day.size() < 2)
            continue;
        // Lanes: each lane keeps the appointments that do not meet its
        // reference; those that do go one lane further.
        std::vector<std::vector<CZUDPAppointment*>> lanes;
        lanes.push_back(day);
        for (size_t k = 0; k < lanes.size(); ++k) {
            std::vector<CZUDPAppointment*> stay, next;
            CZUDPAppointment* reference = lanes[k].front();
            stay.push_back(reference);
            for (size_t j = 1; j < lanes[k].size(); ++j) {
                CZUDPAppointment* pApp = lanes[k][j];
                CRect meet;
                const CRect a = reference->GetPrintRect(date);
                const CRect b = pApp->GetPrintRect(date);
                if (meet.IntersectRect(&a, &b)) {
                    next.push_back(pApp);
                } else {
                    reference = pApp;
                    stay.push_back(pApp);
                }
            }
            lanes[k] = stay;
            if (!next.empty())
                lanes.push_back(next);
        }
        const int n = int(lanes.size());
        if (n < 2)
            continue;
        const int laneWidth = column.Width() / n;
        for (int k = 0; k < n; ++k) {
            for (CZUDPAppointment* pApp : lanes[size_t(k)]) {
                CRect r = pApp->GetPrintRect(date);
                r.left = column.left + k * laneWidth;
                pApp->SetPrintRect(r, date);
            }
        }
        for (int k = 0; k < n; ++k) {
            for (CZUDPAppointment* pApp : lanes[size_t(k)]) {
                CRect r = pApp->GetPrintRect(date);
                for (int m = k + 1; m < n; ++m) {
                    BOOL meets = FALSE;
                    for (CZUDPAppointment* other : lanes[size_t(m)]) {
                        CRect meet;
                        const CRect o = other->GetPrintRect(date);
                        meets = meets || meet.IntersectRect(&r, &o);
                    }
                    if (meets)
                        r.right = column.left + m * laneWidth - 3 * ux;
                }
                pApp->SetPrintRect(r, date);
            }
        }
    }

    if (!longApps.empty()) {
        CRect r(m_arDayRects[0].left, m_rectPage.top - m_nAllDayHeight + uy, m_arDayRects[0].right,
                m_rectPage.top - m_nAllDayHeight + uy + m_nRowHeight);
        for (CZUDPAppointment* pApp : longApps) {
            for (int i = 0; i < days; ++i) {
                const COleDateTime date(m_DateStart.m_dt + i);
                if (!CZUDPPlannerView::IsAppointmentOnDate(pApp, date))
                    continue;
                r.left = m_arDayRects[i].left;
                r.right = m_arDayRects[i].right;
                pApp->SetPrintRect(r, date);
            }
        }
        // Each long appointment takes the first all-day row where it meets
        // no earlier one.
        for (size_t b = 1; b < longApps.size(); ++b) {
            CRect rb = FirstPrintRect(longApps[b]);
            for (size_t a = 0; a < b; ++a) {
                const CRect ra = FirstPrintRect(longApps[a]);
                CRect meet;
                if (meet.IntersectRect(&ra, &rb)) {
                    rb.top = ra.top;
                    rb.bottom = ra.bottom;
                    rb.OffsetRect(0, m_nRowHeight + 2 * uy);
                    SetFirstPrintRect(longApps[b], rb);
                    a = size_t(-1);   // compare with the earlier ones again
                }
            }
        }
    }

    for (int i = 0; i < days; ++i)
        CheckVisibleAppointments(COleDateTime(m_DateStart.m_dt + i), m_rectPage, FALSE);
}

void CZUDPPlannerPrintDay::CheckVisibleAppointments(const COleDateTime& date, const RECT& rect, BOOL bFull)
{
    CRect allDay(rect);
    allDay.bottom = allDay.top;
    allDay.top -= m_nAllDayHeight;
    const BOOL anyDate = date == COleDateTime(0.0);
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = m_Apps[i];
        if (!anyDate && !CZUDPPlannerView::IsAppointmentOnDate(pApp, date))
            continue;
        const CRect area = IsLongAppointment(pApp) ? allDay : CRect(rect);
        const CRect r = pApp->GetPrintRect(date);
        CRect inside;
        inside.IntersectRect(&r, &area);
        const BOOL visible =
            bFull ? (inside.Height() == r.Height() && inside.bottom < area.bottom) : inside.Height() > 1;
        pApp->SetVisiblePrint(visible, date);
    }
}

// ---- drawing -------------------------------------------------------------------------------

void CZUDPPlannerPrintDay::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CZUDPPlannerPrint::OnPrint(pDC, pInfo);
    if (pDC == nullptr || pDC->m_hDC == nullptr || pInfo == nullptr)
        return;
    const HDC hDC = pDC->m_hDC;
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    const HGDIOBJ oldFont = ::SelectObject(hDC, m_Font.GetSafeHandle());
    CRect frame = m_rectPage;
    OnDrawClient(pDC);
    DrawDurationBars(pDC);
    if (m_nAllDayHeight != 0) {
        const CRect r(m_rectPage.left, m_rectPage.top - m_nAllDayHeight, m_rectPage.right, m_rectPage.top);
        DrawAllDayArea(pDC, r);
        frame.top = r.top;
    }
    DrawAppointments(pDC, m_rectPage, COleDateTime(0.0));
    if (!m_rectTimeScale.IsRectEmpty()) {
        DrawTimeScale(pDC, m_rectTimeScale);
        frame.left = m_rectTimeScale.left;
    }
    if (m_nCaptionHeight != 0) {
        const int bottom = m_rectPage.top - m_nAllDayHeight;
        const CRect r(m_rectPage.left, bottom - m_nCaptionHeight, m_rectPage.right, bottom);
        DrawDayCaptions(pDC, r);
        frame.top = r.top;
    }
    ::SelectObject(hDC, oldFont);
    ::SetBkMode(hDC, oldMode);
    frame.InflateRect(m_OnePoint.cx, m_OnePoint.cy);
    const HGDIOBJ oldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    ::Rectangle(hDC, frame.left, frame.top, frame.right, frame.bottom);
    ::SelectObject(hDC, oldPen);
    ::SelectObject(hDC, oldBrush);
}

void CZUDPPlannerPrintDay::DrawPageHeader(CDC* pDC)
{
    if (m_rectPageHeader.IsRectEmpty())
        return;
    const HDC hDC = pDC->m_hDC;
    const HGDIOBJ oldBrush = ::SelectObject(hDC, m_brushCaption.GetSafeHandle());
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    ::Rectangle(hDC, m_rectPageHeader.left, m_rectPageHeader.top, m_rectPageHeader.right, m_rectPageHeader.bottom);
    ::SelectObject(hDC, oldPen);
    ::SelectObject(hDC, oldBrush);
    const CString text1 = FormatDate(m_Date, CZUDPPlannerView::IsDayBeforeMonth() ? "d MMMM yyyy" : "MMMM d yyyy");
    const CString text2 = FormatDate(m_Date, "dddd");
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    const HGDIOBJ oldFont = ::SelectObject(hDC, m_FontPageHeader.GetSafeHandle());
    CRect r = m_rectPageHeader;
    r.DeflateRect(4 * m_OnePoint.cx, m_OnePoint.cy);
    ::DrawTextA(hDC, text1, text1.GetLength(), &r, 0);
    r.top += TextHeight(hDC);
    LOGFONTA lf = {};
    ::GetObjectA(m_FontPageHeader.GetSafeHandle(), sizeof(lf), &lf);
    lf.lfWeight = FW_NORMAL;
    lf.lfHeight = lf.lfHeight * 2 / 3;
    CFont small;
    small.CreateFontIndirect(&lf);
    ::SelectObject(hDC, small.GetSafeHandle());
    ::DrawTextA(hDC, text2, text2.GetLength(), &r, 0);
    ::SelectObject(hDC, oldFont);
    ::SetBkMode(hDC, oldMode);
}

void CZUDPPlannerPrintDay::OnDrawClient(CDC* pDC)
{
    const HDC hDC = pDC->m_hDC;
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    const int ux = m_OnePoint.cx;
    const int lines = m_nRowHeight > 0 ? std::min(kRowsPerDay, m_rectPage.Height() / m_nRowHeight) : 0;
    for (INT_PTR i = 0; i < m_arDayRects.GetSize(); ++i) {
        const CRect& d = m_arDayRects[i];
        CRect r = d;
        r.left = d.left + 7 * ux;
        r.bottom = d.top + m_nRowHeight - m_OnePoint.cy;
        for (int k = 0; k < lines; ++k) {
            Line(hDC, r.left, r.bottom, d.right, r.bottom);
            r.OffsetRect(0, m_nRowHeight);
        }
    }
    HBRUSH window = static_cast<HBRUSH>(g_uiEnvironment.m_brushWindow.GetSafeHandle());
    if (window == nullptr)
        window = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    for (INT_PTR i = 0; i < m_arDayRects.GetSize(); ++i) {
        const CRect& d = m_arDayRects[i];
        const RECT strip = { d.left, d.top, d.left + 6 * ux, d.bottom };
        ::FillRect(hDC, &strip, window);
        if (i > 0)
            Line(hDC, d.left, d.top, d.left, d.bottom);
        Line(hDC, d.left + 6 * ux, d.top, d.left + 6 * ux, d.bottom);
    }
    ::SelectObject(hDC, oldPen);
}

void CZUDPPlannerPrintDay::DrawDurationBars(CDC* pDC)
{
    const HDC hDC = pDC->m_hDC;
    const int days = GetDayCount();
    if (m_arDayRects.GetSize() != days)
        return;
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    for (INT_PTR a = 0; a < m_Apps.GetSize(); ++a) {
        const CZUDPAppointment* pApp = m_Apps[a];
        if (!pApp->IsLong() || pApp->IsAllDay())
            continue;
        COleDateTime s = DayOf(pApp->GetStart());
        BOOL startCut = FALSE;
        if (s < m_DateStart) {
            s = m_DateStart;
            startCut = TRUE;
        }
        COleDateTime e = DayOf(pApp->GetFinish());
        BOOL finishCut = FALSE;
        if (m_DateEnd < e) {
            e = m_DateEnd;
            finishCut = TRUE;
        }
        const int first = WholeDays(s.m_dt - m_DateStart.m_dt);
        const int span = first + 1 + WholeDays(e.m_dt - s.m_dt);
        const int last = span < days ? span : days;
        const COLORREF colour = pApp->GetDurationColor() != 0xFF000000 ? pApp->GetDurationColor() : m_clrLine;
        CBrush brush(colour);
        for (int i = std::max(first, 0); i < last; ++i) {
            const CRect& d = m_arDayRects[i];
            CRect r(d.left - (i == 0 ? ux : 0), d.top - uy, d.left + 7 * ux, d.top - uy + kRowsPerDay * m_nRowHeight);
            r.DeflateRect(ux, 0);
            if (i == last - 1 && !finishCut)
                r.bottom = r.top + RoundToInt(m_nRowHeight * MinutesOf(pApp->GetFinish()) / 60.0);
            if (i == first && !startCut)
                r.top = r.top + RoundToInt(m_nRowHeight * MinutesOf(pApp->GetStart()) / 60.0);
            CRect clipped;
            if (clipped.IntersectRect(&r, &d))
                ::FillRect(hDC, &clipped, static_cast<HBRUSH>(brush.GetSafeHandle()));
        }
    }
}

void CZUDPPlannerPrintDay::DrawAllDayArea(CDC* pDC, const RECT& rect)
{
    const HDC hDC = pDC->m_hDC;
    ::FillRect(hDC, &rect, static_cast<HBRUSH>(m_brushCaption.GetSafeHandle()));
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    for (INT_PTR i = 1; i < m_arDayRects.GetSize() && i < GetDayCount(); ++i)
        Line(hDC, m_arDayRects[i].left, rect.top, m_arDayRects[i].left, rect.bottom - m_OnePoint.cy);
    Line(hDC, rect.left, rect.bottom - m_OnePoint.cy, rect.right, rect.bottom - m_OnePoint.cy);
    ::SelectObject(hDC, oldPen);
}

void CZUDPPlannerPrintDay::DrawTimeScale(CDC* pDC, const RECT& rect)
{
    const HDC hDC = pDC->m_hDC;
    const BOOL clock24 = CZUDPPlannerView::Is24HourClock();
    CString am, pm;
    if (!clock24) {
        am = CZUDPPlannerView::GetAmPmDesignator(TRUE);
        pm = CZUDPPlannerView::GetAmPmDesignator(FALSE);
    }
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    ::FillRect(hDC, &rect, static_cast<HBRUSH>(m_brushCaption.GetSafeHandle()));
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    int y = rect.top + m_nCaptionHeight + m_nAllDayHeight - uy;
    // Every hour is labelled, also those below the last row that fits.
    for (int j = 0; j < kRowsPerDay; ++j) {
        RECT block = { rect.left + 5 * ux, y, rect.right - 5 * ux, y + m_nRowHeight };
        y += m_nRowHeight;
        Line(hDC, block.left, y, block.right, y);
        int h = j;
        if (!clock24)
            h = (j == 0 || j == 12) ? 12 : (j > 12 ? j - 12 : j);
        CString text;
        if (!clock24 && h == 12)
            text.Format("12 %s", static_cast<LPCSTR>(j < 12 ? am : pm));
        else
            text.Format("%2d:00", h);
        ::DrawTextA(hDC, text, text.GetLength(), &block, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    const RECT top = { rect.left, rect.top, rect.right, rect.top + m_nCaptionHeight + m_nAllDayHeight };
    ::FillRect(hDC, &top, static_cast<HBRUSH>(m_brushCaption.GetSafeHandle()));
    Line(hDC, rect.left, top.bottom - uy, rect.right - 5 * ux, top.bottom - uy);
    Line(hDC, rect.right - ux, rect.top, rect.right - ux, rect.bottom);
    ::SelectObject(hDC, oldPen);
}

void CZUDPPlannerPrintDay::DrawDayCaptions(CDC* pDC, const RECT& rect)
{
    if (m_arDayRects.GetSize() == 0)
        return;
    DrawHeaderArea(pDC, rect, m_arDayRects[0].Width());
    CRect r(rect);
    const int days = GetDayCount();
    for (int i = 0; i < days && i < m_arDayRects.GetSize(); ++i) {
        r.left = m_arDayRects[i].left;
        r.right = m_arDayRects[i].right;
        DrawCaptionDate(pDC, r, COleDateTime(m_DateStart.m_dt + i), TRUE, TRUE, &m_brushCaption);
    }
}

void CZUDPPlannerPrintDay::DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr || pApp == nullptr || pDS == nullptr)
        return;
    const HDC hDC = pDC->m_hDC;
    const int ux = m_OnePoint.cx;
    const int uy = m_OnePoint.cy;
    const CRect record = pDS->GetRect();
    const DWORD edges = pDS->GetBorder();
    CRect r = record;
    const BOOL isLong = IsLongAppointment(pApp);
    const BOOL noFinish = pApp->GetStart() == pApp->GetFinish() && !isLong;
    const CString& startText = pApp->GetStartTimeText();
    const CString& finishText = pApp->GetFinishTimeText();
    BOOL showTimes = FALSE;

    if (isLong) {
        r.DeflateRect(4 * ux, 0);
    } else {
        CRect strip = r;
        strip.right = r.left + 6 * ux;
        ::FillRect(hDC, &strip, static_cast<HBRUSH>(m_brushWhite.GetSafeHandle()));
        COleDateTime start = pApp->GetStart();
        COleDateTime finish = pApp->GetFinish();
        const BOOL sameDay = CZUDPPlannerView::IsSameDay(start, finish);
        if (!sameDay) {
            if (edges == CZUDPAppointmentDrawStruct::kStartEdge)
                finish = DayOf(finish);
            else if (edges == CZUDPAppointmentDrawStruct::kFinishEdge)
                start = DayOf(finish);
        }
        double p0 = MinutesOf(start) / 60.0;
        double p1 = CZUDPPlannerView::IsSameDay(start, finish) ? MinutesOf(finish) / 60.0 : 24.0;
        double c1 = std::ceil(p1);
        const COLORREF colour = pApp->GetDurationColor() != 0xFF000000 ? pApp->GetDurationColor() : m_clrLine;
        CBrush brush(colour);
        if (!noFinish) {
            // An appointment shorter than a minute on the hour covers one
            // row: its rows never count as none.
            const double rows = std::max(1.0, c1 - std::trunc(p0));
            const double unit = strip.Height() / rows;
            const RECT part = { strip.left, strip.top + int(std::trunc((p0 - std::trunc(p0)) * unit)), strip.right,
                                strip.bottom - int(std::trunc(std::max(0.0, c1 - p1) * unit)) };
            ::FillRect(hDC, &part, static_cast<HBRUSH>(brush.GetSafeHandle()));
        } else {
            const POINT corners[3] = { { strip.left, strip.top },
                                       { strip.right, strip.top },
                                       { strip.right, strip.top + strip.Width() } };
            HRGN triangle = ::CreatePolygonRgn(corners, 3, WINDING);
            ::FillRgn(hDC, triangle, static_cast<HBRUSH>(brush.GetSafeHandle()));
            ::DeleteObject(triangle);
        }
        if (!sameDay) {
            p0 = MinutesOf(pApp->GetStart()) / 60.0;
            p1 = 24.0;
            c1 = 24.0;
        }
        showTimes = p0 != std::trunc(p0) || p1 != c1;
        CPen pen(PS_SOLID, 0, m_clrLine);
        const HGDIOBJ oldPen = ::SelectObject(hDC, pen.GetSafeHandle());
        Line(hDC, strip.right, strip.top, strip.right, strip.bottom);
        ::SelectObject(hDC, oldPen);
        r.left = strip.right + ux;
    }

    const COLORREF back = pApp->GetBackgroundColor() != 0xFF000000 ? pApp->GetBackgroundColor() : RGB(255, 255, 255);
    ::SetBkColor(hDC, back);
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    const COLORREF fore = pApp->GetForegroundColor() != 0xFF000000 ? pApp->GetForegroundColor() : m_clrText;
    const COLORREF oldColor = ::SetTextColor(hDC, fore);
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);

    if (showTimes && !startText.IsEmpty()) {
        SIZE space = {};
        ::GetTextExtentPoint32A(hDC, " ", 1, &space);
        CString text = startText;
        if (!finishText.IsEmpty() && !noFinish)
            text += "-" + finishText;
        CRect t(r.left + 4 * ux, r.top + uy, r.right - ux, r.bottom);
        ::DrawTextA(hDC, text, text.GetLength(), &t, DT_NOPREFIX);
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
        r.left += size.cx + space.cx;
    }
    const CString& description = pApp->GetDescription();
    if (!description.IsEmpty()) {
        SIZE size = {};
        ::GetTextExtentPoint32A(hDC, description, description.GetLength(), &size);
        CRect t = r;
        if (isLong && size.cx < r.Width()) {
            t.left = r.left + (r.Width() - size.cx) / 2;
        } else if (showTimes && size.cx + 4 * ux > r.Width() && r.Height() > 2 * size.cy) {
            t.left = record.left + 7 * ux;
            t.OffsetRect(0, size.cy);
        }
        const int left = t.left;
        t.top += uy;
        t.right -= ux;
        t.left = left + 4 * ux;
        ::DrawTextA(hDC, description, description.GetLength(), &t, DT_NOPREFIX);
    }
    ::SetBkMode(hDC, oldMode);

    if (!isLong)
        r.left = record.left;
    CPen pen(PS_SOLID, 0, m_clrLine);
    const HGDIOBJ oldPen = ::SelectObject(hDC, pen.GetSafeHandle());
    const DWORD both = CZUDPAppointmentDrawStruct::kStartEdge | CZUDPAppointmentDrawStruct::kFinishEdge;
    if (isLong && edges != both) {
        Line(hDC, r.left, r.top, r.right, r.top);
        Line(hDC, r.left, r.bottom - uy, r.right, r.bottom - uy);
        if ((edges & CZUDPAppointmentDrawStruct::kStartEdge) != 0)
            Line(hDC, r.left, r.top, r.left, r.bottom);
        if ((edges & CZUDPAppointmentDrawStruct::kFinishEdge) != 0)
            Line(hDC, r.right - ux, r.top, r.right - ux, r.bottom);
    } else {
        const HGDIOBJ oldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(hDC, r.left, r.top, r.right, r.bottom);
        ::SelectObject(hDC, oldBrush);
    }
    ::SelectObject(hDC, oldPen);
    ::SetTextColor(hDC, oldColor);
}
