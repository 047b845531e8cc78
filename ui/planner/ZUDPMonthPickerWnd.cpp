#include "ui/planner/ZUDPMonthPickerWnd.h"

#include <algorithm>

#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPCalendar.h"

IMPLEMENT_DYNAMIC(CZUDPMonthPickerWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CZUDPMonthPickerWnd, CMiniFrameWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CREATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

// Months counted from January of the year 0.
long long MonthNumber(int year, int month) { return (long long)year * 12 + (month - 1); }

const long long kFirstMonthShown = MonthNumber(100, 1);
const long long kLastMonthShown = MonthNumber(9999, 12);

} // namespace

CZUDPMonthPickerWnd::CZUDPMonthPickerWnd(CZUDPCalendar* pCalendar, int nMonthIndex)
    : m_pCalendar(pCalendar), m_nMonthIndex(nMonthIndex)
{
    if (m_pCalendar != nullptr) {
        m_nFirstMonth = m_pCalendar->m_nFirstMonth;
        m_nFirstYear = m_pCalendar->m_nFirstYear;
        m_pCalendar->m_bMonthListOpen = TRUE;
        m_pCalendar->m_pMonthPicker = this;
    }
    // The clicked block's month in the middle row.  The rows may reach past
    // the calendar's years; those rows stay empty and cannot be chosen.
    const long long first = MonthNumber(m_nFirstYear, m_nFirstMonth) + nMonthIndex - 3;
    m_nFirstYear = int(first >= 0 ? first / 12 : (first - 11) / 12);
    m_nFirstMonth = int(first - (long long)m_nFirstYear * 12) + 1;
}

CZUDPMonthPickerWnd::~CZUDPMonthPickerWnd()
{
    if (m_pCalendar != nullptr && m_pCalendar->m_pMonthPicker == this) {
        m_pCalendar->m_pMonthPicker = nullptr;
        m_pCalendar->m_bMonthListOpen = FALSE;
    }
}

BOOL CZUDPMonthPickerWnd::GetRowMonth(int nRow, int& nYear, int& nMonth) const
{
    const long long number = MonthNumber(m_nFirstYear, m_nFirstMonth) + nRow;
    if (number < kFirstMonthShown || number > kLastMonthShown)
        return FALSE;
    nYear = int(number / 12);
    nMonth = int(number % 12) + 1;
    return TRUE;
}

BOOL CZUDPMonthPickerWnd::Create(int x, int y)
{
    static const CString className = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CMiniFrameWnd::CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_WINDOWEDGE, className, "",
                                 WS_POPUP | MFS_SYNCACTIVE, CRect(x, y, x, y), nullptr, 0))
        return FALSE;
    m_bDeleteOnDestroy = TRUE;
    return TRUE;
}

void CZUDPMonthPickerWnd::PostNcDestroy()
{
    if (m_bDeleteOnDestroy)
        delete this;
}

int CZUDPMonthPickerWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetCapture();
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&g_uiEnvironment.m_fontRegular);
    int mw = 0, mh = 0;
    for (int m = 1; m <= 12; ++m) {
        m_MonthNames[m - 1] = CalendarMonthName(m);
        const CSize size = dc.GetTextExtent(m_MonthNames[m - 1]);
        mw = std::max(mw, int(size.cx));
        mh = std::max(mh, int(size.cy));
    }
    const CSize nines = dc.GetTextExtent(CString(" 9999"));
    mh = std::max(mh, int(nines.cy));
    dc.SelectObject(pOldFont);
    m_nRowHeight = mh + 4;
    const int width = mw + int(nines.cx) + 20;
    const int height = nRows * m_nRowHeight + 2;
    SetWindowPos(nullptr, lpCreateStruct->x - width / 2, lpCreateStruct->y - height / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    SetTimer(m_nTimerID, UINT(m_nScrollInterval));
    return 0;
}

BOOL CZUDPMonthPickerWnd::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

int CZUDPMonthPickerWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    return MA_NOACTIVATE;
}

void CZUDPMonthPickerWnd::OnPaint()
{
    CPaintDC paintDC(this);
    CZUDPMemDC memDC(paintDC, this);
    CDC& dc = memDC.GetDC();
    CRect client;
    GetClientRect(client);
    CFont* pOldFont = dc.SelectObject(&g_uiEnvironment.m_fontRegular);
    dc.SetBkMode(TRANSPARENT);
    dc.FillRect(client, &g_uiEnvironment.m_brushWindow);
    dc.Draw3dRect(client, g_uiEnvironment.m_colorWindowText, g_uiEnvironment.m_colorWindowText);
    CRect row = client;
    row.DeflateRect(1, 1);
    row.bottom = row.top + m_nRowHeight;
    for (int i = 0; i < nRows; ++i, row.OffsetRect(0, m_nRowHeight)) {
        int year = 0, month = 0;
        if (!GetRowMonth(i, year, month))
            continue;
        if (i == m_nHighlightedRow) {
            dc.FillSolidRect(row, g_uiEnvironment.m_colorWindowText);
            dc.SetTextColor(g_uiEnvironment.m_colorWindow);
        } else {
            dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
        }
        CString text;
        text.Format("%s %04d", static_cast<LPCSTR>(m_MonthNames[month - 1]), year);
        dc.DrawText(text, row, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectObject(pOldFont);
}

void CZUDPMonthPickerWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CRect client;
    GetClientRect(client);
    if (client.PtInRect(point)) {
        KillTimer(m_nTimerID);
        // The last pixel row belongs to the last month row.
        const int row = m_nRowHeight > 0 ? std::min(nRows - 1, std::max(0, int((point.y - 1) / m_nRowHeight))) : 0;
        if (row != m_nHighlightedRow) {
            m_nHighlightedRow = row;
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    } else if (m_nHighlightedRow != -1) {
        m_nHighlightedRow = -1;
        SetTimer(m_nTimerID, UINT(m_nScrollInterval));
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

BOOL CZUDPMonthPickerWnd::ScrollBy(int nMonths)
{
    // The list stops where the calendar does: the month of a row is
    // always one the calendar can show.
    const long long first = MonthNumber(m_nFirstYear, m_nFirstMonth) + nMonths;
    if (first + 3 < kFirstMonthShown || first + 3 > kLastMonthShown)
        return FALSE;
    m_nFirstYear = int(first / 12);
    m_nFirstMonth = int(first % 12) + 1;
    return TRUE;
}

void CZUDPMonthPickerWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nTimerID) {
        CMiniFrameWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(m_nTimerID);
    CPoint cursor;
    g_frameworkSeams.cursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(client);
    int next = m_nScrollInterval;
    if (cursor.y < client.top) {
        if (ScrollBy(-1))
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        next = std::max(50, int(m_nScrollInterval * m_nRowHeight / std::max(1, int(client.top - cursor.y))));
    } else if (cursor.y >= client.bottom) {
        if (ScrollBy(1))
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        // The row just below the list is 0 pixels from its edge.
        next = std::max(50, int(m_nScrollInterval * m_nRowHeight / std::max(1, int(cursor.y - client.bottom))));
    }
    SetTimer(m_nTimerID, UINT(next));
}

void CZUDPMonthPickerWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    KillTimer(m_nTimerID);
    if (GetCapture() == this)
        ReleaseCapture();
    int year = 0, month = 0;
    if (m_pCalendar != nullptr && m_nHighlightedRow >= 0 && GetRowMonth(m_nHighlightedRow, year, month)) {
        // The clicked block shows the chosen month; the first block never
        // leaves the calendar's years.
        const long long first =
            std::min(kLastMonthShown, std::max(kFirstMonthShown, MonthNumber(year, month) - m_nMonthIndex));
        year = int(first / 12);
        month = int(first % 12) + 1;
        if (year != m_pCalendar->m_nFirstYear || month != m_pCalendar->m_nFirstMonth)
            m_pCalendar->SetFirstMonth(year, month, TRUE);
    }
    SendMessage(WM_CLOSE);
}

void CZUDPMonthPickerWnd::CloseList()
{
    KillTimer(m_nTimerID);
    if (GetCapture() == this)
        ReleaseCapture();
    SendMessage(WM_CLOSE);
}

void CZUDPMonthPickerWnd::OnCancelMode()
{
    Default();
    CloseList();
}

BOOL CZUDPMonthPickerWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        CloseList();
        return TRUE;
    }
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}
