#include "tests/ui/planner/CalendarTestSupportWin.h"

#include <algorithm>

#include "framework/win/DC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace calendartest {

CalendarMetrics MeasureCalendar()
{
    CalendarMetrics m;
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, HFONT(g_uiEnvironment.m_fontRegular));
    for (char c = '0'; c <= '9'; ++c) {
        SIZE size = {};
        ::GetTextExtentPoint32A(screen, &c, 1, &size);
        m.dw = std::max(m.dw, int(size.cx));
        m.dh = std::max(m.dh, int(size.cy));
    }
    ::SelectObject(screen, HFONT(g_uiEnvironment.m_fontSmall));
    SIZE nines = {};
    ::GetTextExtentPoint32A(screen, "99", 2, &nines);
    m.w99 = nines.cx;
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return m;
}

CalendarTest::CalendarTest()
{
    m_seams.Replace(g_plannerSeams.now, [this] { return m_now; });
    m_seams.Replace(g_frameworkSeams.setTimer, [this](HWND, UINT_PTR id, UINT elapse, TIMERPROC) {
        m_timers.push_back(TimerCall{id, elapse});
        return id;
    });
    m_seams.Replace(g_frameworkSeams.killTimer, [this](HWND, UINT_PTR id) {
        m_timers.push_back(TimerCall{id, 0});
        return TRUE;
    });
    m_seams.Replace(g_frameworkSeams.cursorPos, [this](POINT* point) {
        *point = m_cursor;
        return TRUE;
    });
    m_seams.Replace(g_frameworkSeams.asyncKeyState,
                    [this](int key) { return SHORT(key == VK_CONTROL && m_controlDown ? 0x8000 : 0); });
    m_seams.Replace(g_frameworkSeams.keyState,
                    [this](int key) { return SHORT(key == VK_CONTROL && m_controlDown ? 0x8000 : 0); });
    // A large work area: popups stay where their owner puts them.
    m_seams.Replace(g_foundationSeams.monitorWorkArea, [](POINT, RECT* work) {
        ::SetRect(work, -2000, -2000, 4000, 4000);
        return TRUE;
    });
    m_metrics = MeasureCalendar();
    m_host.CreateEx(0, AfxRegisterWndClass(0), "calendar host", WS_POPUP, 100, 100, 900, 700, nullptr, nullptr);
}

CalendarTest::~CalendarTest()
{
    if (m_calendar && m_calendar->GetSafeHwnd() != nullptr)
        m_calendar->DestroyWindow();
    m_calendar.reset();
    if (m_host.GetSafeHwnd() != nullptr)
        m_host.DestroyWindow();
}

CZUDPCalendar& CalendarTest::Make(int width, int height, int year, int month, BOOL bFit)
{
    m_calendar = std::make_unique<CZUDPCalendar>();
    m_calendar->SetFitMode(bFit);
    EXPECT_TRUE(m_calendar->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &m_host, 5));
    m_calendar->SetFirstMonth(year, month, FALSE);
    m_host.selectionChanges = 0;
    m_host.commands.clear();
    m_timers.clear();
    return *m_calendar;
}

void CalendarTest::Press(CPoint point, UINT flags)
{
    m_calendar->SendMessage(WM_LBUTTONDOWN, flags | MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void CalendarTest::Move(CPoint point, UINT flags)
{
    m_calendar->SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

void CalendarTest::Release(CPoint point, UINT flags)
{
    m_calendar->SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
}

void CalendarTest::CursorAt(CWnd& wnd, CPoint point)
{
    wnd.ClientToScreen(&point);
    m_cursor = point;
}

CPoint CalendarTest::DayPoint(const COleDateTime& day) const
{
    CRect cell;
    EXPECT_TRUE(m_calendar->GetDateRect(day, cell)) << plannertest::Text(day);
    return cell.CenterPoint();
}

std::vector<COleDateTime> CalendarTest::Selected() const
{
    CList<DATE, DATE> dates;
    m_calendar->GetSelectedDates(dates);
    std::vector<COleDateTime> out;
    for (POSITION pos = dates.GetHeadPosition(); pos != nullptr;)
        out.push_back(COleDateTime(dates.GetNext(pos)));
    return out;
}

std::vector<TimerCall> CalendarTest::TakeTimers()
{
    std::vector<TimerCall> out;
    out.swap(m_timers);
    return out;
}

} // namespace calendartest
