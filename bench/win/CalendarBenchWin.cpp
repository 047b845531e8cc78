// trov_calendar_bench: the calendar control against the system's month
// calendar, in one run.  Run under Wine (headless):
//
//   trov_calendar_bench [ROUNDS]      (default 7 rounds)
//
// Paint: a calendar of three by two months (week numbers, a selected range
// of ten days, six marked days, today shown) painted through WM_PRINTCLIENT
// into a 32-bit DIB memory DC, against the system month calendar
// (SysMonthCal32) showing the same six months (three by two of its own
// smallest month, which is larger than ours), with week numbers and the
// same range selected, painted the same way.  Goal: 2 or less.
// Both sides are warmed up first and run in alternating rounds; the line
// gives the median of the rounds.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPCalendar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace benchrounds;

SYSTEMTIME Day(int year, int month, int day)
{
    SYSTEMTIME st = {};
    st.wYear = WORD(year);
    st.wMonth = WORD(month);
    st.wDay = WORD(day);
    return st;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 1200, 900), nullptr, 0);

    // The calendar: three by two months from May 2024.
    CZUDPCalendar calendar;
    calendar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host, 1);
    const int width = 3 * calendar.m_nMonthWidth;
    const int height = 2 * calendar.m_nMonthHeight;
    calendar.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    calendar.SetFirstMonth(2024, 5, FALSE);
    calendar.EnableWeekNumbers(TRUE);
    calendar.EnableMultipleSelection(TRUE, FALSE);
    CList<DATE, DATE> range;
    for (int d = 10; d < 20; ++d)
        range.AddTail(double(COleDateTime(2024, 6, d, 0, 0, 0)));
    calendar.SetSelectedDates(range, FALSE, FALSE);
    CArray<DATE, DATE> marks;
    for (int d = 3; d <= 28; d += 5)
        marks.Add(double(COleDateTime(2024, 6, d, 9, 0, 0)));
    calendar.SetMarkedDates(marks, FALSE);

    // The system's month calendar showing the same six months: three by two
    // of its own smallest month (its months are larger than ours, so it
    // gets the larger area).
    HWND system = ::CreateWindowExA(0, MONTHCAL_CLASSA, "",
                                    WS_CHILD | WS_VISIBLE | MCS_MULTISELECT | MCS_WEEKNUMBERS, 0, 0, width, height,
                                    host.GetSafeHwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (system == nullptr) {
        std::printf("the system month calendar could not be made\n");
        return 1;
    }
    RECT one = {};
    ::SendMessageA(system, MCM_GETMINREQRECT, 0, LPARAM(&one));
    const int systemWidth = std::max(width, int(3 * (one.right - one.left)));
    const int systemHeight = std::max(height, int(2 * (one.bottom - one.top)));
    ::SetWindowPos(system, nullptr, 0, 0, systemWidth, systemHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageA(system, MCM_SETMAXSELCOUNT, 31, 0);
    SYSTEMTIME selected[2] = {Day(2024, 6, 10), Day(2024, 6, 19)};
    ::SendMessageA(system, MCM_SETSELRANGE, 0, LPARAM(selected));
    SYSTEMTIME first = Day(2024, 5, 1);
    ::SendMessageA(system, MCM_SETCURSEL, 0, LPARAM(&first));
    ::SendMessageA(system, MCM_SETSELRANGE, 0, LPARAM(selected));
    SYSTEMTIME visible[2] = {};
    const int systemMonths = int(::SendMessageA(system, MCM_GETMONTHRANGE, GMR_VISIBLE, LPARAM(visible)));

    Surface surface(systemWidth, systemHeight);
    const int repetitions = 20;
    std::printf("calendar of three by two months (%d x %d, %d months) against SysMonthCal32 (%d x %d, %d months), "
                "median of %d rounds\n",
                width, height, calendar.m_nMonthCount, systemWidth, systemHeight, systemMonths, rounds);
    const Result paint = Compare(
        [&] { calendar.SendMessage(WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT); },
        [&] { ::SendMessageA(system, WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT); },
        repetitions, rounds);
    std::printf("paint: calendar %.3f ms, SysMonthCal32 %.3f ms, ratio %.2f (goal 2 or less)\n",
                paint.candidate * 1000.0, paint.baseline * 1000.0, paint.ratio);

    ::DestroyWindow(system);
    calendar.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
