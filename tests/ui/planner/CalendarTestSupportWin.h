#pragma once
// Helpers of the calendar tests: a hidden host that counts the calendar's
// notifications and commands, a fixed clock (Wednesday 8 May 2024,
// 14:30), timers recorded instead of started, the cursor and the Control
// key under the test's hand, and the calendar's cell metrics measured in
// the library's fonts.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPPlannerSeams.h"

namespace calendartest {

using plannertest::Date;

inline const COleDateTime kNow = Date(2024, 5, 8, 14, 30, 0);

// A window that counts what the calendar tells its owner.
class CNotifyHost : public CWnd {
public:
    int selectionChanges = 0;
    std::vector<UINT> commands;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDM_CALENDAR_ON_SELCHANGED && message != 0) {
            ++selectionChanges;
            return 0;
        }
        if (message == WM_COMMAND) {
            commands.push_back(LOWORD(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct TimerCall {
    UINT_PTR id;
    UINT elapse;   // 0: killed
};

// The sizes the calendar's layout derives from the fonts.
struct CalendarMetrics {
    int dw = 0, dh = 0, w99 = 0;
    int cellWidth() const { return 2 * dw + 5; }
    int cellHeight() const { return dh + 2; }
    int weekColumn() const { return dw + w99; }
    int rightMargin() const { return 2 * dw + 2; }
    int monthWidth() const { return rightMargin() + 7 * cellWidth() + weekColumn(); }
    int monthHeight() const { return 8 * cellHeight() + 5; }
};
CalendarMetrics MeasureCalendar();

class CalendarTest : public ::testing::Test {
protected:
    CalendarTest();
    ~CalendarTest() override;

    // A child calendar of the client size in the host, showing the month
    // first (May 2024 unless told), laid out.
    CZUDPCalendar& Make(int width, int height, int year = 2024, int month = 5, BOOL bFit = FALSE);
    // Mouse messages at client points of the calendar.
    void Press(CPoint point, UINT flags = 0);
    void Move(CPoint point, UINT flags = MK_LBUTTON);
    void Release(CPoint point, UINT flags = 0);
    void Click(CPoint point, UINT flags = 0)
    {
        Press(point, flags);
        Release(point, flags);
    }
    // The cursor at a client point of a window.
    void CursorAt(CWnd& wnd, CPoint point);
    // The centre of a day's cell; fails the test when the day is not shown.
    CPoint DayPoint(const COleDateTime& day) const;
    std::vector<COleDateTime> Selected() const;
    // Timers asked for since the last call.
    std::vector<TimerCall> TakeTimers();

    ScopedSeams m_seams;
    COleDateTime m_now = kNow;
    POINT m_cursor = {0, 0};
    bool m_controlDown = false;
    std::vector<TimerCall> m_timers;
    CNotifyHost m_host;
    std::unique_ptr<CZUDPCalendar> m_calendar;
    CalendarMetrics m_metrics;
};

} // namespace calendartest
