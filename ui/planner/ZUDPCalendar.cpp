// The calendar control: model, creation, layout, geometry and hit tests,
// scrolling, the selection operations and the notification.  Painting is
// in ZUDPCalendarPaint.cpp, mouse, keys, focus and drops in
// ZUDPCalendarInput.cpp.
#include "ui/planner/ZUDPCalendar.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "res/ui/planner.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPCalendarBar.h"
#include "ui/planner/ZUDPDateTimeCtrl.h"
#include "ui/planner/ZUDPMonthPickerWnd.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"

IMPLEMENT_DYNCREATE(CZUDPCalendar, CZUDPWnd)

BEGIN_MESSAGE_MAP(CZUDPCalendar, CZUDPWnd)
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_KILLFOCUS()
    ON_WM_SETCURSOR()
    ON_COMMAND(CZUDPCalendar::nTodayButtonID, &CZUDPCalendar::OnToday)
    ON_WM_PRINTCLIENT()
END_MESSAGE_MAP()

// ---- helpers -----------------------------------------------------------------------------------

namespace {

// The time-ordered key of a date value: dates before 30 December 1899
// count their time of day forward, as the date type orders them.
double CalendarKey(DATE date)
{
    if (date >= 0.0)
        return date;
    const double day = std::trunc(date);
    return day - (date - day);
}

int WeekdayOf(const COleDateTime& date) { return date.GetDayOfWeek() - 1; }

COleDateTime NoDate() { return COleDateTime(0.0); }

COleDateTime DayOf(int year, int month, int day) { return COleDateTime(year, month, day, 0, 0, 0); }

// The later of the days of two dates, and the span between two dates in
// days (0 for one that cannot be formed).
double DaysBetween(const COleDateTime& from, const COleDateTime& to)
{
    const COleDateTimeSpan span = to - from;
    return span.GetStatus() == COleDateTimeSpan::valid ? span.GetTotalDays() : 0.0;
}

} // namespace

BOOL IsCalendarDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid && !(date == COleDateTime(0.0));
}

BOOL AddCalendarMonths(int& nYear, int& nMonth, int nMonths)
{
    const long long index = (long long)nYear * 12 + (nMonth - 1) + nMonths;
    const long long year = index >= 0 ? index / 12 : (index - 11) / 12;
    if (year < 100 || year > 9999)
        return FALSE;
    nYear = int(year);
    nMonth = int(index - year * 12) + 1;
    return TRUE;
}

CString CalendarMonthName(int nMonth)
{
    if (nMonth < 1 || nMonth > 12)
        return CString();
    // Any year names the month; one the system formats in every locale.
    return g_plannerSeams.formatDate(DayOf(2024, nMonth, 1), "MMMM");
}

CString CalendarMonthCaption(const COleDateTime& firstDay)
{
    if (firstDay.GetStatus() != COleDateTime::valid)
        return CString();
    // The month's name with the four-digit year, as "MMMM yyyy" writes it;
    // built here because the system formats no year before 1601.
    CString year;
    year.Format("%04d", firstDay.GetYear());
    return CalendarMonthName(firstDay.GetMonth()) + " " + year;
}

CString CalendarDayName(int nDayOfWeek)
{
    if (nDayOfWeek < 0 || nDayOfWeek > 6)
        return CString();
    // 7 January 2024 was a Sunday.
    return g_plannerSeams.formatDate(DayOf(2024, 1, 7 + nDayOfWeek), "ddd");
}

// ---- the date set ------------------------------------------------------------------------------

size_t CZUDPCalendarDateSet::LowerBound(double key) const
{
    auto it = std::lower_bound(m_dates.begin(), m_dates.end(), key,
                               [](DATE d, double k) { return CalendarKey(d) < k; });
    return size_t(it - m_dates.begin());
}

BOOL CZUDPCalendarDateSet::Contains(DATE date) const
{
    const double key = CalendarKey(date);
    for (size_t i = LowerBound(key - COleDateTime::kHalfSecond); i < m_dates.size(); ++i) {
        const double other = CalendarKey(m_dates[i]);
        if (other >= key + COleDateTime::kHalfSecond)
            break;
        if (std::fabs(m_dates[i] - date) < COleDateTime::kHalfSecond)
            return TRUE;
    }
    return FALSE;
}

BOOL CZUDPCalendarDateSet::Add(DATE date)
{
    if (Contains(date))
        return FALSE;
    m_dates.insert(m_dates.begin() + std::ptrdiff_t(LowerBound(CalendarKey(date))), date);
    return TRUE;
}

BOOL CZUDPCalendarDateSet::Remove(DATE date)
{
    const double key = CalendarKey(date);
    for (size_t i = LowerBound(key - COleDateTime::kHalfSecond); i < m_dates.size(); ++i) {
        if (CalendarKey(m_dates[i]) >= key + COleDateTime::kHalfSecond)
            break;
        if (std::fabs(m_dates[i] - date) < COleDateTime::kHalfSecond) {
            m_dates.erase(m_dates.begin() + std::ptrdiff_t(i));
            return TRUE;
        }
    }
    return FALSE;
}

// ---- construction and creation -----------------------------------------------------------------

CZUDPCalendar::CZUDPCalendar()
{
    const COleDateTime now = g_plannerSeams.now();
    if (now.GetStatus() == COleDateTime::valid) {
        m_nFirstMonth = now.GetMonth();
        m_nFirstYear = now.GetYear();
    }
    m_DayNames.SetSize(7);
    // Today is selected; there is no window to tell yet.
    SetDate(now);
}

CZUDPCalendar::~CZUDPCalendar()
{
    if (m_pMonthPicker != nullptr)
        m_pMonthPicker->DestroyWindow();
    // The link goes with either side.
    if (m_pPlanner != nullptr)
        m_pPlanner->SetCalendar(nullptr);
}

BOOL CZUDPCalendar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    const CString className = g_uiEnvironment.RegisterWindowClass("ZUDPCalendar");
    if ((dwStyle & WS_POPUP) != 0) {
        m_bPopupMode = TRUE;
        m_pOwnerDateCtrl = DYNAMIC_DOWNCAST(CZUDPDateTimeCtrl, pParentWnd);
        m_hOwnerDateCtrl = m_pOwnerDateCtrl != nullptr ? m_pOwnerDateCtrl->GetSafeHwnd() : nullptr;
        return CWnd::CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, className, "",
                              dwStyle | WS_BORDER, rect, nullptr, 0);
    }
    return CWnd::Create(className, "", dwStyle, rect, pParentWnd, nID);
}

int CZUDPCalendar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CString today = "Today";
    {
        CZUDPLocalResource resources;
        CString text;
        if (text.LoadString(IDS_ZUDP_CALENDAR_TODAY) && !text.IsEmpty())
            today = text;
    }
    m_wndToday.Create(today, WS_CHILD, CRect(0, 0, 0, 0), this, nTodayButtonID);
    if (AfxOleIsInitialized())
        m_DropTarget.RegisterOwner(this);

    if ((GetStyle() & WS_POPUP) != 0) {
        if (m_nMonthWidth == 0 && m_nMonthHeight == 0)
            RecalcLayout(FALSE);
        int band = 0;
        if (m_bShowTodayButton && m_wndToday.GetSafeHwnd() != nullptr) {
            CRect button;
            m_wndToday.GetClientRect(button);
            band = button.Height() + 10;
        }
        const int width = m_nMonthWidth + 2 * m_nHorzMargin;
        const int height = m_nMonthHeight + band + 2 * m_nVertMargin;
        CRect rect;
        GetWindowRect(rect);
        CZUDPDateTimeCtrl* pOwner = GetOwnerDateCtrl();
        if (pOwner != nullptr) {
            CRect owner;
            pOwner->GetWindowRect(owner);
            rect = CRect(owner.right - width, owner.bottom, owner.right, owner.bottom + height);
        } else {
            rect = CRect(rect.left, rect.top, rect.left + width, rect.top + height);
        }
        CRect work;
        if (!g_foundationSeams.monitorWorkArea(rect.TopLeft(), &work) && !g_foundationSeams.primaryWorkArea(&work))
            work = rect;
        if (rect.left < work.left)
            rect.OffsetRect(work.left - rect.left, 0);
        else if (rect.right > work.right)
            rect.OffsetRect(work.right - rect.right, 0);
        if (rect.top < work.top)
            rect.OffsetRect(0, work.top - rect.top);
        else if (rect.bottom > work.bottom)
            rect.OffsetRect(0, work.bottom - rect.bottom);
        SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW);
        SetFocus();
    }
    return 0;
}

void CZUDPCalendar::OnDestroy()
{
    // An open month list goes first: it reads this calendar until it ends.
    if (m_pMonthPicker != nullptr)
        m_pMonthPicker->DestroyWindow();
    KillTimer(1);
    m_DropTarget.Revoke();
    CZUDPWnd::OnDestroy();
}

void CZUDPCalendar::PostNcDestroy()
{
    // A popup calendar belongs to nobody once its window is gone.
    if (m_bPopupMode)
        delete this;
}

CZUDPDateTimeCtrl* CZUDPCalendar::GetOwnerDateCtrl() const
{
    if (m_pOwnerDateCtrl == nullptr || m_hOwnerDateCtrl == nullptr || !::IsWindow(m_hOwnerDateCtrl) ||
        CWnd::FromHandlePermanent(m_hOwnerDateCtrl) != m_pOwnerDateCtrl)
        return nullptr;
    return m_pOwnerDateCtrl;
}

void CZUDPCalendar::CloseOwnerPopup(const COleDateTime& date)
{
    CZUDPDateTimeCtrl* pOwner = GetOwnerDateCtrl();
    if (pOwner != nullptr)
        pOwner->ClosePopupCalendar(date);
}

// ---- settings ----------------------------------------------------------------------------------

BOOL CZUDPCalendar::SetFirstDayOfWeek(int nDay)
{
    if (nDay < 0 || nDay > 6)
        return FALSE;
    m_nFirstDayOfWeek = nDay;
    RecalcLayout(TRUE);
    return TRUE;
}

void CZUDPCalendar::ShowTodayButton(BOOL bShow)
{
    m_bShowTodayButton = bShow;
    RecalcLayout(TRUE);
}

void CZUDPCalendar::EnableMultipleSelection(BOOL bEnable, BOOL bWholeWeeks)
{
    m_bMultipleSelection = bEnable;
    m_bWholeWeeks = bWholeWeeks;
    if (!bEnable && m_Selection.GetCount() >= 2) {
        m_Selection.RemoveAll();
        if (GetSafeHwnd() != nullptr) {
            InvalidateRect(nullptr);
            UpdateWindow();
        }
    }
}

void CZUDPCalendar::EnableWeekNumbers(BOOL bShow)
{
    m_bWeekNumbers = bShow;
    RecalcLayout(TRUE);
}

void CZUDPCalendar::SetDateColor(const COleDateTime& date, COLORREF color)
{
    const COleDateTime day = PlannerDates::TruncateToDay(date);
    if (day.GetStatus() != COleDateTime::valid)
        return;
    if (color == (COLORREF)-1)
        m_DayColors.erase(double(day));
    else
        m_DayColors[double(day)] = color;
}

COLORREF CZUDPCalendar::GetDateColor(const COleDateTime& date) const
{
    auto it = m_DayColors.find(double(date));
    return it != m_DayColors.end() ? it->second : (COLORREF)-1;
}

// ---- layout ------------------------------------------------------------------------------------

void CZUDPCalendar::UpdateDayNames()
{
    m_DayNames.SetSize(7);
    for (int i = 0; i < 7; ++i) {
        CString name = CalendarDayName((i + m_nFirstDayOfWeek) % 7);
        if (!name.IsEmpty())
            name = name.Left(1);
        m_DayNames[i] = name;
    }
}

void CZUDPCalendar::RecalcLayout(BOOL bRedraw)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&g_uiEnvironment.m_fontRegular);
    CRect client;
    GetClientRect(client);

    if (m_bShowTodayButton && m_wndToday.GetSafeHwnd() != nullptr) {
        m_wndToday.SendMessage(WM_SETFONT, WPARAM(HFONT(g_uiEnvironment.m_fontRegular)), TRUE);
        CString text;
        m_wndToday.GetWindowText(text);
        const CSize extent = dc.GetTextExtent(text);
        const int bh = extent.cy + 8;
        m_wndToday.SetWindowPos(nullptr, (client.left + client.right) / 2 - (extent.cx + 10) / 2,
                                client.bottom - bh - 4, extent.cx + 10, bh, SWP_NOZORDER | SWP_NOACTIVATE);
        m_wndToday.EnableWindow(TRUE);
        client.bottom -= bh + 8;
    } else if (m_wndToday.GetSafeHwnd() != nullptr) {
        m_wndToday.ShowWindow(SW_HIDE);
        m_wndToday.EnableWindow(FALSE);
    }
    m_rectCalendar = client;

    int dw = 0, dh = 0;
    for (int i = 0; i <= 9; ++i) {
        CString digit;
        digit.Format("%d", i);
        const CSize size = dc.GetTextExtent(digit);
        dw = std::max(dw, int(size.cx));
        dh = std::max(dh, int(size.cy));
    }
    dc.SelectObject(&g_uiEnvironment.m_fontSmall);
    const int w99 = dc.GetTextExtent(CString("99")).cx;
    dc.SelectObject(pOldFont);

    m_nWeekColumnWidth = dw + w99;
    m_nRightMargin = 2 * dw + 2;
    m_nCellWidth = 2 * dw + 5;
    m_nCellHeight = dh + 2;
    if (m_bFitMode) {
        m_nCellWidth = std::min(3 * m_nCellWidth / 2,
                                (client.Width() - 2 * m_nHorzMargin - m_nRightMargin - m_nWeekColumnWidth) / 7);
        m_nCellHeight = std::min(3 * m_nCellHeight / 2, (client.Height() - 2 * m_nVertMargin) / 8);
        // A host too small for any cell still gets cells of one pixel.
        m_nCellWidth = std::max(1, m_nCellWidth);
        m_nCellHeight = std::max(1, m_nCellHeight);
    }
    m_nMonthHeight = 8 * m_nCellHeight + 5;
    m_nMonthWidth = m_nRightMargin + 7 * m_nCellWidth + m_nWeekColumnWidth;
    m_nColumns = m_bFitMode ? 1 : std::max(1, client.Width() / m_nMonthWidth);
    const int rows = m_bFitMode ? 1 : std::max(1, client.Height() / m_nMonthHeight);
    m_nMonthCount = m_nColumns * rows;

    if (m_bShowTodayButton && m_wndToday.GetSafeHwnd() != nullptr) {
        if (client.Height() < m_nMonthHeight) {
            m_wndToday.ShowWindow(SW_HIDE);
            m_wndToday.EnableWindow(FALSE);
        } else {
            m_wndToday.ShowWindow(SW_SHOWNOACTIVATE);
        }
    }

    UpdateDayNames();

    CRect first, last;
    GetMonthRect(0, first);
    GetMonthRect(m_nColumns - 1, last);
    m_rectPrev = CRect(first.left, first.top, first.left + m_nCellWidth, first.top + m_nCellHeight + 2);
    m_rectNext = CRect(last.right - m_nCellWidth, last.top, last.right, last.top + m_nCellHeight + 2);

    m_dtFirstShown = DayOf(m_nFirstYear, m_nFirstMonth, 1);
    const COleDateTime lastMonth = GetMonthFirstDay(m_nMonthCount - 1);
    if (lastMonth.GetStatus() == COleDateTime::valid)
        m_dtLastShown = COleDateTime(lastMonth.GetYear(), lastMonth.GetMonth(),
                                     PlannerDates::DaysInMonth(lastMonth.GetMonth(), lastMonth.GetYear()), 23, 59,
                                     59);
    else
        m_dtLastShown = lastMonth;

    if (!m_Selection.IsEmpty() && m_bScrolling)
        FollowSelection();

    m_WeekNumbers.RemoveAll();
    if (m_bWeekNumbers) {
        for (int i = 0; i < m_nMonthCount; ++i) {
            const COleDateTime f = GetMonthFirstDay(i);
            if (f.GetStatus() != COleDateTime::valid) {
                m_WeekNumbers.Add(0);
                continue;
            }
            const COleDateTime january = DayOf(f.GetYear(), 1, 1);
            const int j = (WeekdayOf(january) - m_nFirstDayOfWeek + 7) % 7;
            const int p = (WeekdayOf(f) - m_nFirstDayOfWeek + 7) % 7 + 1;
            const int y = f.GetDayOfYear();
            m_WeekNumbers.Add((y + j - p + 1) / 7 + 1);
        }
    }

    if (bRedraw)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CZUDPCalendar::OnSize(UINT nType, int cx, int cy)
{
    CZUDPWnd::OnSize(nType, cx, cy);
    RecalcLayout(TRUE);
}

void CZUDPCalendar::FollowSelection()
{
    COleDateTime r = GetDate();
    BOOL week = FALSE, exact = FALSE, outside = FALSE;
    if (m_bMultipleSelection && m_bWholeWeeks) {
        const COleDateTime lo(m_Selection.GetAt(0));
        const COleDateTime hi(m_Selection.GetAt(m_Selection.GetCount() - 1));
        const COleDateTimeSpan span = hi - lo;
        if (lo.GetStatus() == COleDateTime::valid && hi.GetStatus() == COleDateTime::valid &&
            span.GetStatus() == COleDateTimeSpan::valid && std::fabs(span.GetTotalDays()) <= COleDateTimeSpan::kMaxDays &&
            lo == GetWeekStart(lo)) {
            const LONG days = PlannerDates::WholeDays(span);
            if (days >= 6 || days == 4) {
                week = TRUE;
                exact = days == 6 || days == 4;
                r = lo;
                outside = lo < m_dtFirstShown || hi > m_dtLastShown;
            }
        }
    }
    if (!IsCalendarDate(r))
        return;
    COleDateTime from = r, to = r;
    if (r < m_dtFirstShown) {
        if (week) {
            to = GetWeekStart(m_dtFirstShown);
            if (exact)
                from = GetWeekStart(DayOf(r.GetYear(), r.GetMonth(), 1));
        } else {
            // The first shown month is the first month on from r's that
            // reaches the shown range; the day is clamped to its length.
            const int days = PlannerDates::DaysInMonth(m_nFirstMonth, m_nFirstYear);
            to = COleDateTime(m_nFirstYear, m_nFirstMonth, std::min(r.GetDay(), days), r.GetHour(), r.GetMinute(),
                              r.GetSecond());
        }
    } else if (r > m_dtLastShown || (week && outside)) {
        if (week) {
            to = GetWeekStart(DayOf(m_dtLastShown.GetYear(), m_dtLastShown.GetMonth(), 1));
            if (exact)
                from = GetWeekStart(DayOf(r.GetYear(), r.GetMonth(), 1));
        } else {
            const int year = m_dtLastShown.GetYear();
            const int month = m_dtLastShown.GetMonth();
            const int days = PlannerDates::DaysInMonth(month, year);
            to = COleDateTime(year, month, std::min(r.GetDay(), days), r.GetHour(), r.GetMinute(), r.GetSecond());
        }
    } else {
        return;
    }
    // Nothing moves when a bound cannot be formed.
    if (from.GetStatus() != COleDateTime::valid || to.GetStatus() != COleDateTime::valid)
        return;
    ShiftSelection(DaysBetween(from, to));
}

// ---- geometry ----------------------------------------------------------------------------------

BOOL CZUDPCalendar::GetMonthRect(int nIndex, LPRECT pRect) const
{
    if (pRect == nullptr)
        return FALSE;
    ::SetRectEmpty(pRect);
    if (nIndex < 0 || nIndex >= m_nMonthCount || m_nColumns <= 0 || GetSafeHwnd() == nullptr)
        return FALSE;
    CRect client;
    GetClientRect(client);
    const int offset = std::max(0, (client.Width() - m_nMonthWidth * m_nColumns) / 2);
    const int left = client.left + (nIndex % m_nColumns) * m_nMonthWidth + offset;
    const int top = client.top + (nIndex / m_nColumns) * m_nMonthHeight;
    ::SetRect(pRect, left, top, left + m_nMonthWidth, top + m_nMonthHeight);
    return TRUE;
}

COleDateTime CZUDPCalendar::GetMonthFirstDay(int nIndex) const
{
    int year = m_nFirstYear, month = m_nFirstMonth;
    if (!AddCalendarMonths(year, month, nIndex)) {
        COleDateTime invalid;
        invalid.SetStatus(COleDateTime::invalid);
        return invalid;
    }
    return DayOf(year, month, 1);
}

BOOL CZUDPCalendar::IsMonthFormed(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_nMonthCount && GetMonthFirstDay(nIndex).GetStatus() == COleDateTime::valid;
}

int CZUDPCalendar::FindMonthIndex(int nYear, int nMonth) const
{
    const long long index = ((long long)nYear * 12 + nMonth) - ((long long)m_nFirstYear * 12 + m_nFirstMonth);
    return index >= 0 && index < m_nMonthCount && nMonth >= 1 && nMonth <= 12 ? int(index) : -1;
}

int CZUDPCalendar::GetMonthRectByDate(int nYear, int nMonth, LPRECT pRect) const
{
    const int index = FindMonthIndex(nYear, nMonth);
    if (index < 0) {
        if (pRect != nullptr)
            ::SetRectEmpty(pRect);
        return -1;
    }
    GetMonthRect(index, pRect);
    return index;
}

void CZUDPCalendar::GetDayRects(int nIndex, RECT* pRects, int* pFirstOffset, int* pPrevLength) const
{
    int offset = 0, prevLength = 0;
    for (int i = 0; i < 42; ++i)
        ::SetRectEmpty(&pRects[i]);
    CRect area;
    const COleDateTime f = GetMonthFirstDay(nIndex);
    if (GetMonthRect(nIndex, area) && f.GetStatus() == COleDateTime::valid) {
        area.top += 2 * m_nCellHeight + 4;
        area.left += m_nWeekColumnWidth;
        area.right -= m_nRightMargin;
        const int n = PlannerDates::DaysInMonth(f.GetMonth(), f.GetYear());
        offset = (WeekdayOf(f) - m_nFirstDayOfWeek + 7) % 7;
        if (nIndex == 0) {
            const int prevMonth = f.GetMonth() == 1 ? 12 : f.GetMonth() - 1;
            prevLength = PlannerDates::DaysInMonth(prevMonth, f.GetMonth() == 1 ? f.GetYear() - 1 : f.GetYear());
        }
        const int last = m_nMonthCount - 1;
        for (int i = 0; i < 42; ++i) {
            if (i >= offset && i - offset + 1 > n && nIndex != last)
                continue;
            if (i < offset && nIndex != 0)
                continue;
            const int x = area.left + (i % 7) * m_nCellWidth;
            const int y = area.top + (i / 7) * m_nCellHeight;
            ::SetRect(&pRects[i], x, y, x + m_nCellWidth, y + m_nCellHeight);
        }
    }
    if (pFirstOffset != nullptr)
        *pFirstOffset = offset;
    if (pPrevLength != nullptr)
        *pPrevLength = prevLength;
}

BOOL CZUDPCalendar::GetDayRect(int nYear, int nMonth, int nDay, LPRECT pRect) const
{
    if (pRect == nullptr)
        return FALSE;
    ::SetRectEmpty(pRect);
    const int index = FindMonthIndex(nYear, nMonth);
    if (index < 0)
        return FALSE;
    RECT cells[42];
    int offset = 0;
    GetDayRects(index, cells, &offset, nullptr);
    const int cell = offset + nDay - 1;
    if (cell < 0 || cell >= 42 || ::IsRectEmpty(&cells[cell]))
        return FALSE;
    *pRect = cells[cell];
    return TRUE;
}

BOOL CZUDPCalendar::GetDateRect(const COleDateTime& date, LPRECT pRect) const
{
    if (date.GetStatus() != COleDateTime::valid) {
        if (pRect != nullptr)
            ::SetRectEmpty(pRect);
        return FALSE;
    }
    return GetDayRect(date.GetYear(), date.GetMonth(), date.GetDay(), pRect);
}

void CZUDPCalendar::RedrawDate(const COleDateTime& date)
{
    CRect cell;
    if (GetSafeHwnd() == nullptr || !GetDateRect(date, cell))
        return;
    cell.InflateRect(3, 3);
    RedrawWindow(cell, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

COleDateTime CZUDPCalendar::HitTestDay(CPoint point, int* pRelation, LPRECT pCell) const
{
    if (pRelation != nullptr)
        *pRelation = 0;
    if (pCell != nullptr)
        ::SetRectEmpty(pCell);
    for (int index = 0; index < m_nMonthCount; ++index) {
        CRect month;
        if (!GetMonthRect(index, month) || !month.PtInRect(point))
            continue;
        if (!IsMonthFormed(index))
            break;
        RECT cells[42];
        int offset = 0, prevLength = 0;
        GetDayRects(index, cells, &offset, &prevLength);
        const COleDateTime f = GetMonthFirstDay(index);
        const int n = PlannerDates::DaysInMonth(f.GetMonth(), f.GetYear());
        for (int i = 0; i < 42; ++i) {
            if (::IsRectEmpty(&cells[i]) || !::PtInRect(&cells[i], point))
                continue;
            int d = i - offset + 1;
            int year = f.GetYear(), month = f.GetMonth(), relation = 0;
            if (d > n) {
                relation = 1;
                d -= n;
            } else if (d <= 0) {
                relation = -1;
                d += prevLength;
            }
            if (relation != 0 && !AddCalendarMonths(year, month, relation))
                return NoDate();
            const COleDateTime day = DayOf(year, month, d);
            if (day.GetStatus() != COleDateTime::valid)
                return NoDate();
            if (pRelation != nullptr)
                *pRelation = relation;
            if (pCell != nullptr)
                *pCell = cells[i];
            return day;
        }
        break;
    }
    return NoDate();
}

COleDateTime CZUDPCalendar::HitTestDayOfMonth(CPoint point) const
{
    int relation = 0;
    const COleDateTime day = HitTestDay(point, &relation);
    return relation == 0 ? day : NoDate();
}

int CZUDPCalendar::HitTestMonthCaption(CPoint point, LPRECT pCaption) const
{
    for (int index = 0; index < m_nMonthCount; ++index) {
        CRect month;
        if (!GetMonthRect(index, month) || !month.PtInRect(point))
            continue;
        if (!IsMonthFormed(index))
            return -1;
        const CRect caption(month.left + m_nCellWidth + 2, month.top, month.right - m_nCellWidth - 2,
                            month.top + m_nCellHeight + 2);
        if (!caption.PtInRect(point))
            return -1;
        if (pCaption != nullptr)
            *pCaption = caption;
        return index;
    }
    return -1;
}

COleDateTime CZUDPCalendar::HitTestWeek(CPoint point, BOOL bWeekColumnOnly) const
{
    for (int index = 0; index < m_nMonthCount; ++index) {
        CRect month;
        if (!GetMonthRect(index, month) || !month.PtInRect(point))
            continue;
        if (!IsMonthFormed(index))
            return NoDate();
        const COleDateTime f = GetMonthFirstDay(index);
        CRect row(month.left, month.top + 2 * m_nCellHeight + 4,
                  bWeekColumnOnly ? month.left + m_nWeekColumnWidth : month.right,
                  month.top + 3 * m_nCellHeight + 4);
        for (int r = 0; r < 6; ++r, row.OffsetRect(0, m_nCellHeight)) {
            if (!row.PtInRect(point))
                continue;
            const COleDateTime d = GetWeekStart(f + COleDateTimeSpan(double(7 * r)));
            if (d.GetStatus() != COleDateTime::valid)
                return NoDate();
            if (r == 5 && d.GetMonth() != f.GetMonth())
                return NoDate();
            return d;
        }
        return NoDate();
    }
    return NoDate();
}

COleDateTime CZUDPCalendar::GetWeekStart(const COleDateTime& date) const
{
    if (date.GetStatus() != COleDateTime::valid)
        return date;
    const int back = (WeekdayOf(date) + 7 - m_nFirstDayOfWeek) % 7;
    return date - COleDateTimeSpan(double(back));
}

BOOL CZUDPCalendar::IsInShownMonths(const COleDateTime& date) const
{
    return date.GetStatus() == COleDateTime::valid && m_dtFirstShown <= date && date <= m_dtLastShown;
}

// ---- scrolling ---------------------------------------------------------------------------------

void CZUDPCalendar::NextMonth()
{
    if (m_nFirstMonth >= 12) {
        if (m_nFirstYear < 9999) {
            ++m_nFirstYear;
            m_nFirstMonth = 1;
        } else {
            m_nFirstYear = 9999;
            m_nFirstMonth = 12;
        }
    } else {
        ++m_nFirstMonth;
    }
    m_bScrolling = TRUE;
    RecalcLayout(TRUE);
    m_bScrolling = FALSE;
}

void CZUDPCalendar::PrevMonth()
{
    if (m_nFirstMonth <= 1) {
        if (m_nFirstYear > 100) {
            --m_nFirstYear;
            m_nFirstMonth = 12;
        } else {
            m_nFirstYear = 100;
            m_nFirstMonth = 1;
        }
    } else {
        --m_nFirstMonth;
    }
    m_bScrolling = TRUE;
    RecalcLayout(TRUE);
    m_bScrolling = FALSE;
}

void CZUDPCalendar::SetFirstMonth(int nYear, int nMonth, BOOL bFollow)
{
    // Only months the calendar can show: January 100 .. December 9999.
    if (nMonth < 1 || nMonth > 12)
        return;
    if (nYear < 100) {
        nYear = 100;
        nMonth = 1;
    } else if (nYear > 9999) {
        nYear = 9999;
        nMonth = 12;
    }
    m_nFirstYear = nYear;
    m_nFirstMonth = nMonth;
    m_bScrolling = bFollow;
    RecalcLayout(TRUE);
    m_bScrolling = FALSE;
}

// ---- selection ---------------------------------------------------------------------------------

void CZUDPCalendar::SetDate(const COleDateTime& date) { SelectDate(date, FALSE, TRUE, TRUE); }

COleDateTime CZUDPCalendar::GetDate() const
{
    return m_Selection.IsEmpty() ? NoDate() : COleDateTime(m_Selection.GetAt(0));
}

BOOL CZUDPCalendar::IsDateSelected(const COleDateTime& date) const
{
    return date.GetStatus() != COleDateTime::invalid && m_Selection.Contains(double(date));
}

void CZUDPCalendar::GetSelectedDates(CList<DATE, DATE>& dates) const
{
    for (DATE d : m_Selection.Dates())
        dates.AddTail(d);
}

void CZUDPCalendar::SelectDate(const COleDateTime& date, BOOL bAdd, BOOL bNotify, BOOL bRedraw)
{
    const COleDateTime day = PlannerDates::TruncateToDay(date);
    if (day.GetStatus() != COleDateTime::valid)
        return;
    const COleDateTime first = GetDate();
    const BOOL add = bAdd && m_bMultipleSelection;
    if (m_Selection.GetCount() == 1 && m_Selection.Contains(double(date)))
        return;
    if (add && m_Selection.Contains(double(date)))
        return;
    BOOL many = FALSE;
    if (!add) {
        many = m_Selection.GetCount() > 1;
        m_Selection.RemoveAll();
    }
    m_Selection.Add(double(day));
    if (date < m_dtFirstShown || date > m_dtLastShown) {
        m_nFirstMonth = date.GetMonth();
        m_nFirstYear = date.GetYear();
        RecalcLayout(TRUE);
    } else if (bRedraw && GetSafeHwnd() != nullptr) {
        if (many) {
            RedrawWindow(m_rectCalendar, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        } else {
            if (!add && IsCalendarDate(first))
                RedrawDate(first);
            RedrawDate(day);
        }
    }
    if (bNotify)
        NotifySelectionChanged();
    m_bSelectionChanged = TRUE;
}

void CZUDPCalendar::UnselectDate(const COleDateTime& date, BOOL bNotify, BOOL bRedraw)
{
    if (!m_Selection.Remove(double(date)))
        return;
    m_bSelectionChanged = TRUE;
    if (bRedraw && GetSafeHwnd() != nullptr)
        RedrawDate(date);
    if (bNotify)
        NotifySelectionChanged();
}

void CZUDPCalendar::ClearSelection(BOOL bNotify, BOOL bRedraw)
{
    if (m_Selection.IsEmpty())
        return;
    m_Selection.RemoveAll();
    m_bSelectionChanged = TRUE;
    if (bRedraw && GetSafeHwnd() != nullptr)
        RedrawWindow(m_rectCalendar, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (bNotify)
        NotifySelectionChanged();
}

void CZUDPCalendar::SetSelectedDates(const CList<DATE, DATE>& dates, BOOL bNotify, BOOL bRedraw)
{
    if (!m_bMultipleSelection)
        return;
    std::set<int> months;
    for (DATE d : m_Selection.Dates()) {
        const COleDateTime date(d);
        if (date.GetStatus() == COleDateTime::valid) {
            const int index = FindMonthIndex(date.GetYear(), date.GetMonth());
            if (index >= 0)
                months.insert(index);
        }
    }
    m_Selection.RemoveAll();
    BOOL relayout = FALSE;
    if (!dates.IsEmpty()) {
        // Only the first date decides which months are shown.
        const COleDateTime first(dates.GetHead());
        if (first.GetStatus() == COleDateTime::valid && (first < m_dtFirstShown || first > m_dtLastShown)) {
            m_nFirstMonth = first.GetMonth();
            m_nFirstYear = first.GetYear();
            relayout = TRUE;
        }
    }
    for (POSITION pos = dates.GetHeadPosition(); pos != nullptr;) {
        const DATE d = dates.GetNext(pos);
        m_Selection.Add(d);
        const COleDateTime date(d);
        if (date.GetStatus() == COleDateTime::valid) {
            const int index = FindMonthIndex(date.GetYear(), date.GetMonth());
            if (index >= 0)
                months.insert(index);
        }
    }
    m_bSelectionChanged = TRUE;
    if (relayout) {
        RecalcLayout(bRedraw);
    } else if (bRedraw && GetSafeHwnd() != nullptr) {
        if (int(months.size()) > m_nMonthCount / 2) {
            RedrawWindow(m_rectCalendar, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        } else {
            for (int index : months) {
                CRect month;
                if (GetMonthRect(index, month))
                    InvalidateRect(month, TRUE);
            }
            UpdateWindow();
        }
    }
    if (bNotify)
        NotifySelectionChanged();
}

void CZUDPCalendar::ShiftSelection(double dDays)
{
    if (m_Selection.IsEmpty())
        return;
    const std::vector<DATE> old = m_Selection.Dates();
    m_Selection.RemoveAll();
    for (DATE d : old) {
        const COleDateTime moved = COleDateTime(d) + COleDateTimeSpan(dDays);
        m_Selection.Add(moved.GetStatus() == COleDateTime::valid ? double(moved) : d);
    }
    m_bSelectionChanged = TRUE;
    NotifySelectionChanged();
}

void CZUDPCalendar::SetMarkedDates(const CArray<DATE, DATE>& dates, BOOL bRedraw)
{
    m_Marked.RemoveAll();
    for (INT_PTR i = 0; i < dates.GetSize(); ++i) {
        const COleDateTime date(dates[i]);
        if (!IsInShownMonths(date))
            continue;
        const COleDateTime day = PlannerDates::TruncateToDay(date);
        if (day.GetStatus() == COleDateTime::valid)
            m_Marked.Add(double(day));
    }
    if (bRedraw && GetSafeHwnd() != nullptr)
        RedrawWindow(m_rectCalendar, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

BOOL CZUDPCalendar::IsDateMarked(int nYear, int nMonth, int nDay) const
{
    const COleDateTime day = DayOf(nYear, nMonth, nDay);
    return day.GetStatus() == COleDateTime::valid && m_Marked.Contains(double(day));
}

// ---- notification and the non-client area -----------------------------------------------------

void CZUDPCalendar::NotifySelectionChanged()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (auto* pBar = DYNAMIC_DOWNCAST(CZUDPCalendarBar, GetParent())) {
        pBar->NotifySelectionChanged();
        return;
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(ZUDM_CALENDAR_ON_SELCHANGED, 0, LPARAM(GetSafeHwnd()));
}

void CZUDPCalendar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();
    (void)bCalcValidRects;
    if ((GetStyle() & WS_BORDER) != 0 && lpncsp != nullptr)
        ::InflateRect(&lpncsp->rgrc[0], -1, -1);
}

void CZUDPCalendar::OnNcPaint()
{
    if ((GetStyle() & WS_BORDER) != 0)
        CZUDPVisualManager::GetActiveManager()->DrawWindowBorder(this);
}
