#pragma once
// Helpers of the planner view tests: a planner control in a hidden host
// window with a day view attached, a fixed clock (Wednesday 8 May 2024,
// 14:30), timers recorded instead of started, a 24-hour locale, and the
// control painted into a 32-bit DIB through its one paint routine.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "tests/common/DrawingTest.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewDay.h"

namespace plannerviewtest {

using plannertest::Date;

// Days of the fixture's week (the clock stands on the Wednesday).
inline const COleDateTime kMonday = Date(2024, 5, 6);
inline const COleDateTime kWednesday = Date(2024, 5, 8);
inline const COleDateTime kFriday = Date(2024, 5, 10);

// The background the tests give their appointments.
inline constexpr COLORREF kBox = RGB(168, 200, 240);

// The day view with its protected layout helpers in reach.
class CTestDayView : public CZUDPPlannerViewDay {
public:
    using CZUDPPlannerViewDay::CountAllDayRows;
};

// A 24-hour locale with ":" between hours and minutes and "/" between
// month and day (month first).
inline std::map<DWORD, std::string> TestLocale()
{
    std::map<DWORD, std::string> locale = plannertest::Locale24();
    locale[LOCALE_SDATE] = "/";
    locale[LOCALE_IDATE] = "0";
    return locale;
}

// A timer the planner asked for.
struct TimerCall {
    UINT_PTR id;
    UINT elapse;
    bool kill;
};

class PlannerViewTest : public ::testing::Test {
protected:
    PlannerViewTest();
    ~PlannerViewTest() override;

    // The host and the control of the size given (the scroll bar hidden
    // unless asked for), the day view attached and showing `days` days from
    // the start date.
    void Create(int width, int height, const COleDateTime& start, int days = 1, BOOL bScrollBar = FALSE);
    // The range of the day view (set directly: the view's own date rules
    // come with its input), then the view's SetDate on its first day.
    void Show(const COleDateTime& start, int days);
    // Files an appointment in the control's storage (which owns it); the
    // range is queried and laid out again unless bLayout is FALSE.
    CZUDPAppointment* Add(const COleDateTime& start, const COleDateTime& finish, const char* description = "",
                          BOOL bAllDay = FALSE, BOOL bLayout = TRUE);
    // Empties the storage (the control forgets its query first).
    void RemoveAll();
    // Queries the range again and lays the view out.
    void Relayout();
    // The control's own drawing flags from now on, laid out again.
    void SetDrawFlags(DWORD flags);
    void SetTimeScale(int unit);
    void Resize(int width, int height);
    // The control painted through WM_PRINTCLIENT.
    void Render(trovtest::DibCanvas& canvas);

    // The row height the font, the clock icons and the appointment images
    // ask for, measured.
    int MeasuredRowHeight();
    // The time-scale width for the unit: 5 + 2 rows for hour slots, 3 rows
    // otherwise (rows of the measured height).
    int MeasuredTimeScaleWidth(int unit);

    COleDateTime m_now = Date(2024, 5, 8, 14, 30, 0);
    std::vector<TimerCall> m_timers;
    CWnd m_host;
    CZUDPPlannerManagerCtrl m_planner;
    CTestDayView m_day;

private:
    plannertest::ScopedPlannerLocale m_locale{ TestLocale() };
    ScopedSeam<COleDateTime()> m_clock;
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_setTimer;
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_killTimer;
};

} // namespace plannerviewtest
