// The planner control as a window of its own: the views it makes, showing
// dates and intervals, switching views, its lifecycle, the calendar marks,
// and input by messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/Seam.h"
#include "framework/win/Controls.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewDay.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"
#include "ui/planner/ZUDPPlannerViewMulti.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"
#include "ui/planner/ZUDPPlannerViewWorkWeek.h"

using plannertest::Date;
using plannertest::Text;

namespace {

// Wednesday 15 May 2024, 10:00.
const COleDateTime kCtrlNow = Date(2024, 5, 15, 10, 0, 0);

struct CtrlMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A parent that records the planner's messages and answers from a table.
class CPlannerCtrlParent : public CWnd {
public:
    std::vector<CtrlMessage> m_received;
    std::map<UINT, LRESULT> m_replies;
    std::function<void(UINT)> m_onMessage;

    int Count(UINT message) const
    {
        int n = 0;
        for (const CtrlMessage& m : m_received)
            n += m.message == message ? 1 : 0;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= 0xC000 && message <= 0xFFFF) {
            m_received.push_back({ message, wParam, lParam });
            if (m_onMessage)
                m_onMessage(message);
            auto reply = m_replies.find(message);
            return reply != m_replies.end() ? reply->second : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Views that count their deletions.
int g_ctrlViewsDeleted = 0;

class CCountedDayView : public CZUDPPlannerViewDay {
public:
    ~CCountedDayView() override { ++g_ctrlViewsDeleted; }
    // Takes F2 (as a view takes its navigation keys) and, when told to, a
    // press anywhere.
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override
    {
        return nChar == VK_F2 ? TRUE : CZUDPPlannerViewDay::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    BOOL OnLButtonDown(UINT nFlags, CPoint point) override
    {
        ++m_presses;
        return m_bTakePress ? TRUE : FALSE;
    }
    int HitTest(const CPoint& point) const override
    {
        return m_nHitCode >= 0 ? m_nHitCode : CZUDPPlannerViewDay::HitTest(point);
    }
    void RestoreCapturedAppointment() override { ++m_restored; }
    BOOL IsCaptureMove() const override { return TRUE; }

    BOOL m_bTakePress = TRUE;
    int m_nHitCode = -1;
    int m_presses = 0;
    int m_restored = 0;
};

class CCountedWorkWeekView : public CZUDPPlannerViewWorkWeek {
public:
    ~CCountedWorkWeekView() override { ++g_ctrlViewsDeleted; }
};

// A control whose views count their deletions and whose view of one type
// can be made to fail.
class CTestPlannerCtrl : public CZUDPPlannerManagerCtrl {
public:
    using CZUDPPlannerManagerCtrl::CZUDPPlannerManagerCtrl;
    int m_nFailType = -1;
    BOOL m_bWrongClass = FALSE;
    CZUDPPlannerView* CreateView(int nType) override
    {
        if (nType == m_nFailType)
            return m_bWrongClass ? new CZUDPPlannerViewWeek : nullptr;
        if (nType == TypeDay)
            return new CCountedDayView;
        if (nType == TypeWorkWeek)
            return new CCountedWorkWeekView;
        return CZUDPPlannerManagerCtrl::CreateView(nType);
    }
    CCountedDayView* Day() const { return static_cast<CCountedDayView*>(GetView(TypeDay)); }
};

std::map<DWORD, std::string> CtrlLocale(const char* clock)
{
    std::map<DWORD, std::string> locale = plannertest::Locale24();
    locale[LOCALE_ITIME] = clock;
    locale[LOCALE_SDATE] = "/";
    locale[LOCALE_IDATE] = "0";
    return locale;
}

class PlannerCtrlTest : public ::testing::Test {
protected:
    PlannerCtrlTest()
        : m_clock(g_plannerSeams.now, [] { return kCtrlNow; }),
          m_setTimer(g_frameworkSeams.setTimer, [](HWND, UINT_PTR id, UINT, TIMERPROC) { return id; }),
          m_killTimer(g_frameworkSeams.killTimer, [](HWND, UINT_PTR) { return TRUE; }),
          m_cursor(g_frameworkSeams.cursorPos, [this](POINT* p) {
              *p = m_cursorScreen;
              return TRUE;
          })
    {
        g_ctrlViewsDeleted = 0;
    }
    ~PlannerCtrlTest() override
    {
        if (m_ctrl && m_ctrl->GetSafeHwnd() != nullptr)
            m_ctrl->DestroyWindow();
        m_ctrl.reset();
        if (m_parent.GetSafeHwnd() != nullptr)
            m_parent.DestroyWindow();
    }

    // A control made under the locale's clock setting ("1" Monday first,
    // "0" Sunday first), not yet created.
    CTestPlannerCtrl& Make(const char* clock = "1", CRuntimeClass* pStorage = nullptr)
    {
        if (m_ctrl && m_ctrl->GetSafeHwnd() != nullptr)
            m_ctrl->DestroyWindow();
        m_ctrl.reset();
        // The old locale scope goes first: it restores what it replaced.
        m_locale.reset();
        m_locale.reset(new plannertest::ScopedPlannerLocale(CtrlLocale(clock)));
        m_ctrl.reset(new CTestPlannerCtrl(pStorage));
        return *m_ctrl;
    }
    // Its window in a parent of 700 x 500.
    bool CreateWindowFor(CTestPlannerCtrl& ctrl)
    {
        if (m_parent.GetSafeHwnd() == nullptr &&
            !m_parent.CreateEx(0, AfxRegisterWndClass(0), "planner parent", WS_POPUP, 0, 0, 700, 500, nullptr,
                               nullptr))
            return false;
        return ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &m_parent, 100) != FALSE;
    }
    CTestPlannerCtrl& MakeWindow(const char* clock = "1", CRuntimeClass* pStorage = nullptr)
    {
        CTestPlannerCtrl& ctrl = Make(clock, pStorage);
        EXPECT_TRUE(CreateWindowFor(ctrl));
        m_parent.m_received.clear();
        return ctrl;
    }
    CZUDPAppointment* Add(const COleDateTime& start, const COleDateTime& finish, const char* text = "",
                          BOOL bAllDay = FALSE)
    {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetDescription(text);
        app->SetAllDay(bAllDay);
        EXPECT_TRUE(m_ctrl->AddAppointment(app, TRUE, FALSE));
        return app;
    }
    void SetCursor(CPoint client)
    {
        POINT p = client;
        ::ClientToScreen(m_ctrl->GetSafeHwnd(), &p);
        m_cursorScreen = p;
    }

    CPlannerCtrlParent m_parent;
    std::unique_ptr<plannertest::ScopedPlannerLocale> m_locale;
    std::unique_ptr<CTestPlannerCtrl> m_ctrl;
    POINT m_cursorScreen = {};
    ScopedSeam<COleDateTime()> m_clock;
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_setTimer;
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_killTimer;
    ScopedSeam<BOOL(POINT*)> m_cursor;
};

} // namespace

// ---- creation -------------------------------------------------------------------------------

TEST_F(PlannerCtrlTest, CreationMakesTheFiveViewsAndShowsTodayWithTheWorkingDaySelection)
{
    struct Case {
        double start;
        int unit;
        COleDateTime expected;
    };
    const Case cases[] = {
        { 9.0, 0, Date(2024, 5, 15, 9, 0, 0) },
        { 9.30, 3, Date(2024, 5, 15, 9, 30, 0) },    // 15-minute rows
        { 9.30, 0, Date(2024, 5, 15, 9, 0, 0) },     // 60-minute rows cut the minutes
        { 8.45, 1, Date(2024, 5, 15, 8, 30, 0) },    // 30-minute rows
    };
    for (const Case& c : cases) {
        CTestPlannerCtrl& ctrl = Make();
        ctrl.m_dblWorkingStart = c.start;
        ctrl.m_TimeScale = c.unit;
        ASSERT_TRUE(CreateWindowFor(ctrl));
        EXPECT_EQ(0, ctrl.GetType());
        EXPECT_EQ(ctrl.GetView(0), ctrl.GetCurrentView());
        EXPECT_TRUE(ctrl.GetDate() == Date(2024, 5, 15)) << Text(ctrl.GetDate());
        EXPECT_EQ(1, ctrl.GetViewDuration());
        EXPECT_TRUE(ctrl.GetSelectionStart() == c.expected)
            << c.start << " unit " << c.unit << ": " << Text(ctrl.GetSelectionStart());
        // The day view selects whole rows: the end is the row's last second.
        const int minutes = CZUDPPlannerView::GetTimeScaleMinutes(c.unit);
        EXPECT_TRUE(ctrl.GetSelectionEnd() == c.expected + COleDateTimeSpan(0, 0, minutes - 1, 59))
            << Text(ctrl.GetSelectionEnd());
        ctrl.DestroyWindow();
    }
    CTestPlannerCtrl& ctrl = MakeWindow();
    EXPECT_TRUE(ctrl.GetView(1)->IsKindOf(RUNTIME_CLASS(CZUDPPlannerViewWorkWeek)));
    EXPECT_TRUE(ctrl.GetView(2)->IsKindOf(RUNTIME_CLASS(CZUDPPlannerViewWeek)));
    EXPECT_TRUE(ctrl.GetView(3)->IsKindOf(RUNTIME_CLASS(CZUDPPlannerViewMonth)));
    EXPECT_TRUE(ctrl.GetView(4)->IsKindOf(RUNTIME_CLASS(CZUDPPlannerViewMulti)));
    EXPECT_EQ(nullptr, ctrl.GetView(5));
    EXPECT_EQ(nullptr, ctrl.GetView(-1));
}

TEST_F(PlannerCtrlTest, AViewThatCannotBeMadeFailsTheCreationAndTheViewsMadeBeforeAreDeleted)
{
    for (BOOL wrongClass : { FALSE, TRUE }) {
        g_ctrlViewsDeleted = 0;
        CTestPlannerCtrl& ctrl = Make();
        ctrl.m_nFailType = 3;
        ctrl.m_bWrongClass = wrongClass;
        EXPECT_FALSE(CreateWindowFor(ctrl));
        EXPECT_EQ(nullptr, ctrl.GetSafeHwnd());
        // The day and work-week views made before the month view went.
        EXPECT_EQ(2, g_ctrlViewsDeleted) << "wrong class " << wrongClass;
        EXPECT_EQ(nullptr, ctrl.GetView(0));
        EXPECT_EQ(nullptr, ctrl.GetCurrentView());
        // A second creation that succeeds makes its own views.
        ctrl.m_nFailType = -1;
        EXPECT_TRUE(CreateWindowFor(ctrl));
        EXPECT_NE(nullptr, ctrl.GetView(0));
        ctrl.DestroyWindow();
    }
}

TEST_F(PlannerCtrlTest, FirstDayOfWeekFollowsTheLocaleClockAndIsSundayWithoutOne)
{
    const std::pair<const char*, int> cases[] = { { "1", 1 }, { "0", 0 }, { "", 0 }, { "2", 0 } };
    for (const auto& c : cases) {
        plannertest::ScopedPlannerLocale locale({ { LOCALE_ITIME, c.first } });
        CZUDPPlannerManagerCtrl ctrl;
        EXPECT_EQ(c.second, CZUDPPlannerManagerCtrl::GetFirstDayOfWeek()) << "\"" << c.first << "\"";
    }
}

// ---- views and dates ------------------------------------------------------------------------

TEST_F(PlannerCtrlTest, DateIntervalsChooseTheViewByTheirDays)
{
    struct Case {
        const char* name;
        const char* clock;
        COleDateTime start;
        COleDateTime end;
        int type;
        COleDateTime shownStart;
        int days;
    };
    const Case cases[] = {
        { "Monday to Sunday", "1", Date(2024, 5, 13), Date(2024, 5, 19), 2, Date(2024, 5, 13), 7 },
        { "Sunday to Saturday, Sunday first", "0", Date(2024, 5, 12), Date(2024, 5, 18), 2, Date(2024, 5, 13), 7 },
        { "a week less 0.4 s", "1", Date(2024, 5, 13), plannertest::Seconds(Date(2024, 5, 19), -0.4), 2,
          Date(2024, 5, 13), 7 },
        { "Tuesday to Monday", "1", Date(2024, 5, 14), Date(2024, 5, 20), 0, Date(2024, 5, 14), 7 },
        { "three days", "1", Date(2024, 5, 14), Date(2024, 5, 16), 0, Date(2024, 5, 14), 3 },
        { "eight days", "1", Date(2024, 5, 13), Date(2024, 5, 20), 3, COleDateTime(), 0 },
    };
    for (const Case& c : cases) {
        CTestPlannerCtrl& ctrl = MakeWindow(c.clock);
        ctrl.SetDateInterval(c.start, c.end, FALSE);
        EXPECT_EQ(c.type, ctrl.GetType()) << c.name;
        if (c.days > 0) {
            EXPECT_TRUE(ctrl.GetDateStart() == c.shownStart) << c.name << ": " << Text(ctrl.GetDateStart());
            EXPECT_EQ(c.days, ctrl.GetViewDuration()) << c.name;
        }
        EXPECT_EQ(1, m_parent.Count(ZUDP_PLANNER_DATE_CHANGED)) << c.name;
        ctrl.DestroyWindow();
        m_parent.m_received.clear();
    }
}

TEST_F(PlannerCtrlTest, SevenDaysAsDaysKeepsACalendarWeekInTheDayView)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    ctrl.SetSevenDaysAsDays(TRUE);
    ctrl.SetDateInterval(Date(2024, 5, 13), Date(2024, 5, 19), FALSE);
    EXPECT_EQ(0, ctrl.GetType());
    EXPECT_EQ(7, ctrl.GetViewDuration());
}

TEST_F(PlannerCtrlTest, SetDateInTheDayViewCarriesTheTimeOfTheSelection)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    ctrl.GetCurrentView()->SetSelection(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 30, 0), FALSE);
    const COleDateTime end = ctrl.GetSelectionEnd();
    ctrl.SetDate(Date(2024, 5, 20, 16, 0, 0), FALSE);
    EXPECT_TRUE(ctrl.GetDate() == Date(2024, 5, 20));
    EXPECT_TRUE(ctrl.GetDateStart() == Date(2024, 5, 20));
    EXPECT_TRUE(ctrl.GetSelectionStart() == Date(2024, 5, 20, 11, 0, 0)) << Text(ctrl.GetSelectionStart());
    EXPECT_TRUE(ctrl.GetSelectionEnd() == end + COleDateTimeSpan(5.0)) << Text(ctrl.GetSelectionEnd());
    EXPECT_EQ(1, m_parent.Count(ZUDP_PLANNER_DATE_CHANGED));

    // The same day again reports nothing.
    m_parent.m_received.clear();
    ctrl.SetDate(Date(2024, 5, 20, 8, 0, 0), FALSE);
    EXPECT_TRUE(m_parent.m_received.empty());

    // Inside a range of several days only the current date moves.
    ctrl.SetDateInterval(Date(2024, 5, 20), Date(2024, 5, 22), FALSE);
    ctrl.SetDate(Date(2024, 5, 21), FALSE);
    EXPECT_TRUE(ctrl.GetDateStart() == Date(2024, 5, 20));
    EXPECT_TRUE(ctrl.GetDate() == Date(2024, 5, 21));
    EXPECT_EQ(3, ctrl.GetViewDuration());
}

TEST_F(PlannerCtrlTest, SetDateOnTheShownMonthPageMovesOnlyTheCurrentDate)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    CZUDPPlannerView* month = ctrl.GetView(3);
    month->m_dtDateStart = Date(2024, 4, 29);
    month->m_dtDateEnd = Date(2024, 6, 2, 23, 59, 59);
    ctrl.SetType(3, FALSE);
    ASSERT_EQ(3, ctrl.GetType());
    m_parent.m_received.clear();
    ctrl.SetDate(Date(2024, 5, 22), FALSE);
    EXPECT_TRUE(ctrl.GetDateStart() == Date(2024, 4, 29));
    EXPECT_TRUE(ctrl.GetDate() == Date(2024, 5, 22));
    // The month view selects whole days.
    EXPECT_TRUE(ctrl.GetSelectionStart() == Date(2024, 5, 22));
    EXPECT_TRUE(ctrl.GetSelectionEnd() == Date(2024, 5, 22, 23, 59, 59));
    EXPECT_EQ(1, m_parent.Count(ZUDP_PLANNER_DATE_CHANGED));
}

TEST_F(PlannerCtrlTest, SetDateToAHiddenDayOfTheWorkWeekOnlyReportsTheDateChange)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    // The work week keeps its own dates while it is not shown.
    ctrl.GetView(1)->SetDate(Date(2024, 5, 15));
    ctrl.SetType(1, FALSE);
    ASSERT_EQ(1, ctrl.GetType());
    EXPECT_TRUE(ctrl.GetDateStart() == Date(2024, 5, 13)) << Text(ctrl.GetDateStart());
    const COleDateTime date = ctrl.GetDate();
    const COleDateTime selection = ctrl.GetSelectionStart();
    m_parent.m_received.clear();
    ctrl.SetDate(Date(2024, 5, 18), FALSE);   // the Saturday
    EXPECT_TRUE(ctrl.GetDate() == date);
    EXPECT_TRUE(ctrl.GetDateStart() == Date(2024, 5, 13));
    EXPECT_TRUE(ctrl.GetSelectionStart() == selection);
    ASSERT_EQ(1u, m_parent.m_received.size());
    EXPECT_EQ(ZUDP_PLANNER_DATE_CHANGED, m_parent.m_received[0].message);
}

TEST_F(PlannerCtrlTest, SwitchingViewsReportsTheTypesAndTheWeekToDayPutsTheSelectionAtTheWorkingDayStart)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    ctrl.SetDateInterval(Date(2024, 5, 13), Date(2024, 5, 19), FALSE);
    ASSERT_EQ(2, ctrl.GetType());
    m_parent.m_received.clear();
    ctrl.SetType(0, FALSE);
    EXPECT_EQ(0, ctrl.GetType());
    ASSERT_EQ(1, m_parent.Count(ZUDP_PLANNER_TYPE_CHANGED));
    EXPECT_EQ(2u, m_parent.m_received[0].wParam);
    EXPECT_EQ(0, m_parent.m_received[0].lParam);
    const COleDateTime start = ctrl.GetDateStart();
    EXPECT_TRUE(ctrl.GetSelectionStart() == start + COleDateTimeSpan(0, 9, 0, 0)) << Text(ctrl.GetSelectionStart());
    EXPECT_TRUE(ctrl.GetSelectionEnd() == start + COleDateTimeSpan(0, 9, 59, 59)) << Text(ctrl.GetSelectionEnd());
}

TEST_F(PlannerCtrlTest, TypesOutsideTheFiveAndTheMultiResourceViewWithoutItsStorageChangeNothing)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    for (int type : { 4, 5, -1, 1000, 0 }) {
        ctrl.SetType(type, TRUE);
        EXPECT_EQ(0, ctrl.GetType()) << type;
        EXPECT_EQ(ctrl.GetView(0), ctrl.GetCurrentView()) << type;
    }
    EXPECT_EQ(0, m_parent.Count(ZUDP_PLANNER_TYPE_CHANGED));

    CTestPlannerCtrl& multi = MakeWindow("1", RUNTIME_CLASS(CZUDPAppointmentMultiStorage));
    multi.SetType(4, FALSE);
    EXPECT_EQ(4, multi.GetType());
}

TEST_F(PlannerCtrlTest, SwitchingViewsKeepsTheSelectedAppointmentsThatAreStillShown)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    CZUDPAppointment* a = Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
    ctrl.SelectAppointment(a, TRUE, FALSE);
    ctrl.GetView(1)->SetDate(Date(2024, 5, 15));
    ctrl.SetType(1, FALSE);
    ASSERT_EQ(1, ctrl.GetSelectedAppointmentsCount());
    EXPECT_EQ(a, ctrl.GetSelectedAppointments().GetHead());
}

// ---- lifecycle ------------------------------------------------------------------------------

TEST_F(PlannerCtrlTest, DestroyingTheWindowEmptiesTheStorageOnceAndLeavesQuietGetters)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    CZUDPAppointment* a = Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
    ctrl.SelectAppointment(a, TRUE, FALSE);
    m_parent.m_received.clear();
    ctrl.DestroyWindow();
    EXPECT_EQ(1, m_parent.Count(ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS));
    EXPECT_TRUE(ctrl.GetStorage()->IsEmpty());
    EXPECT_EQ(nullptr, ctrl.GetCurrentView());
    EXPECT_EQ(nullptr, ctrl.GetView(0));
    EXPECT_EQ(0, ctrl.GetSelectedAppointmentsCount());
    EXPECT_EQ(0, ctrl.GetQueriedAppointments().GetSize());
    // Nothing reads a deleted view.
    EXPECT_TRUE(ctrl.GetDate() == COleDateTime(0.0));
    EXPECT_TRUE(ctrl.GetSelectionStart() == COleDateTime(0.0));
    EXPECT_EQ(0, ctrl.GetViewDuration());
    EXPECT_EQ(0, ctrl.HitTest(CPoint(10, 10)));
    EXPECT_TRUE(ctrl.GetViewRect().IsRectEmpty());
    ctrl.SetType(1, TRUE);
    ctrl.SetDate(Date(2024, 6, 1), TRUE);
    ctrl.SetDateInterval(Date(2024, 6, 1), Date(2024, 6, 3), TRUE);
    ctrl.RequeryAppointments();
    ctrl.AdjustLayout(TRUE);
    EXPECT_EQ(0, ctrl.GetType());
    EXPECT_EQ(2, g_ctrlViewsDeleted);   // the counted day and work-week views went with the others
}

TEST_F(PlannerCtrlTest, ANewStorageForgetsTheSelectionAndTheQueryOfTheOldOne)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    CZUDPAppointment* a = Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
    ctrl.SelectAppointment(a, TRUE, FALSE);
    ASSERT_EQ(1, ctrl.GetQueriedAppointments().GetSize());

    ctrl.SetStorageRTC(RUNTIME_CLASS(CZUDPAppointmentStorage), TRUE);
    EXPECT_EQ(0, ctrl.GetSelectedAppointmentsCount());
    EXPECT_EQ(0, ctrl.GetQueriedAppointments().GetSize());
    // Nothing of the old storage is reached any more: editing, painting
    // and Tab work on the new one.
    ctrl.SendMessage(WM_KEYDOWN, VK_TAB, 0);
    CZUDPAppointment* b = Add(Date(2024, 5, 15, 14, 0, 0), Date(2024, 5, 15, 15, 0, 0), "B");
    ASSERT_EQ(1, ctrl.GetQueriedAppointments().GetSize());
    EXPECT_EQ(b, ctrl.GetQueriedAppointments()[0]);

    // Back to a single storage from the multi-resource view: the day view.
    ctrl.SetStorageRTC(RUNTIME_CLASS(CZUDPAppointmentMultiStorage), TRUE);
    EXPECT_TRUE(ctrl.IsMultiResourceStorage());
    ctrl.SetType(4, FALSE);
    ASSERT_EQ(4, ctrl.GetType());
    ctrl.SetStorageRTC(nullptr, TRUE);
    EXPECT_FALSE(ctrl.IsMultiResourceStorage());
    EXPECT_EQ(0, ctrl.GetType());
}

TEST_F(PlannerCtrlTest, ImagesOfNoWidthAreRefused)
{
    for (int width : { 0, -16 }) {
        EXPECT_FALSE(CZUDPPlannerManagerCtrl::SetImages(17062, width, RGB(255, 0, 255))) << width;
        EXPECT_EQ(0, CZUDPPlannerManagerCtrl::GetImageCount());
        EXPECT_EQ(CSize(0, 0), CZUDPPlannerManagerCtrl::GetImageSize());
    }
    CZUDPPlannerManagerCtrl::InitImages();
    EXPECT_EQ(6, CZUDPPlannerManagerCtrl::GetImageCount());
}

// ---- calendar link --------------------------------------------------------------------------

TEST_F(PlannerCtrlTest, MarkedDaysStayInsideTheShownRange)
{
    struct Case {
        const char* name;
        COleDateTime start;
        COleDateTime finish;
        BOOL allDay;
        std::vector<COleDateTime> days;
    };
    const COleDateTime from = Date(2024, 5, 1);
    const COleDateTime to = Date(2024, 6, 30, 23, 59, 59);
    const Case cases[] = {
        { "22:00 to midnight", Date(2024, 5, 15, 22, 0, 0), Date(2024, 5, 16), FALSE,
          { Date(2024, 5, 15, 22, 0, 0) } },
        { "all day", Date(2024, 5, 15), Date(2024, 5, 16), TRUE, {} },
        { "three days", Date(2024, 5, 15, 10, 0, 0), Date(2024, 5, 17, 9, 0, 0), FALSE,
          { Date(2024, 5, 15, 10, 0, 0), Date(2024, 5, 16), Date(2024, 5, 17) } },
        { "from before the range", Date(2024, 4, 29, 10, 0, 0), Date(2024, 5, 2, 9, 0, 0), FALSE,
          { Date(2024, 5, 1), Date(2024, 5, 2) } },
        // Running into year 9999 adds the shown days only.
        { "until 9999", Date(2024, 6, 29, 10, 0, 0), Date(9999, 12, 30, 9, 0, 0), FALSE,
          { Date(2024, 6, 29, 10, 0, 0), Date(2024, 6, 30) } },
    };
    for (const Case& c : cases) {
        auto app = plannertest::Appointment(c.start, c.finish, c.name);
        app->SetAllDay(c.allDay);
        CZUDPAppointmentArray apps;
        apps.Add(app.get());
        CArray<DATE, DATE> days;
        CZUDPPlannerManagerCtrl::CollectMarkedDays(apps, from, to, days);
        ASSERT_EQ(INT_PTR(c.days.size()), days.GetSize()) << c.name;
        for (size_t i = 0; i < c.days.size(); ++i)
            EXPECT_TRUE(COleDateTime(days[INT_PTR(i)]) == c.days[i]) << c.name << " " << i;
    }
}

TEST_F(PlannerCtrlTest, ALinkedCalendarSelectsTheShownDaysAndMarksTheDaysWithAppointments)
{
    struct Case {
        const char* clock;
        COleDateTime weekStart;   // a calendar week of the locale
        COleDateTime first;
    };
    // Week view (always from a Monday): the Monday-first locale selects
    // Monday to Sunday, the Sunday-first one the seven days from the
    // Sunday before.
    const Case cases[] = { { "1", Date(2024, 5, 13), Date(2024, 5, 13) },
                           { "0", Date(2024, 5, 12), Date(2024, 5, 12) } };
    for (const Case& c : cases) {
        CTestPlannerCtrl& ctrl = MakeWindow(c.clock);
        CZUDPCalendar calendar;
        ASSERT_TRUE(calendar.Create(WS_CHILD, CRect(0, 0, 10, 10), &m_parent, 7));
        // One month shown, May 2024; the planner's days are a range.
        calendar.EnableMultipleSelection(TRUE, FALSE);
        calendar.SetFirstMonth(2024, 5, FALSE);
        Add(Date(2024, 5, 14, 10, 0, 0), Date(2024, 5, 14, 11, 0, 0), "A");
        ctrl.SetCalendar(&calendar);
        ctrl.SetDateInterval(c.weekStart, c.weekStart + COleDateTimeSpan(6.0), FALSE);
        ASSERT_EQ(2, ctrl.GetType());
        EXPECT_TRUE(ctrl.GetDateStart() == Date(2024, 5, 13));
        CList<DATE, DATE> selected;
        calendar.GetSelectedDates(selected);
        ASSERT_EQ(7, selected.GetCount()) << c.clock;
        EXPECT_TRUE(COleDateTime(selected.GetHead()) == c.first) << c.clock;
        EXPECT_TRUE(COleDateTime(selected.GetTail()) == c.first + COleDateTimeSpan(6.0));
        EXPECT_TRUE(calendar.IsDateMarked(2024, 5, 14));
        EXPECT_FALSE(calendar.IsDateMarked(2024, 5, 15));
        ctrl.SetCalendar(nullptr);
        calendar.DestroyWindow();
        ctrl.DestroyWindow();
    }
    // Without a calendar window nothing is marked.
    CZUDPCalendar none;
    EXPECT_FALSE(m_ctrl->UpdateCalendarMarks(&none));
    EXPECT_FALSE(m_ctrl->UpdateCalendarMarks(nullptr));
}

// ---- input ----------------------------------------------------------------------------------

TEST_F(PlannerCtrlTest, TabMovesTheSelectionThroughTheShownAppointments)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    ctrl.SetDateInterval(Date(2024, 5, 13), Date(2024, 5, 15), FALSE);
    CZUDPAppointment* a = Add(Date(2024, 5, 13, 9, 0, 0), Date(2024, 5, 13, 10, 0, 0), "A");
    CZUDPAppointment* b = Add(Date(2024, 5, 14, 9, 0, 0), Date(2024, 5, 14, 10, 0, 0), "B");
    CZUDPAppointment* c = Add(Date(2024, 5, 15, 9, 0, 0), Date(2024, 5, 15, 10, 0, 0), "C");
    auto selected = [&] {
        std::vector<CZUDPAppointment*> list;
        auto& sel = ctrl.GetSelectedAppointments();
        for (POSITION pos = sel.GetHeadPosition(); pos != nullptr;)
            list.push_back(sel.GetNext(pos));
        return list;
    };
    using List = std::vector<CZUDPAppointment*>;
    ctrl.SendMessage(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(List{ a }, selected());
    ctrl.SendMessage(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(List{ b }, selected());
    ctrl.SendMessage(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(List{ c }, selected());
    ctrl.SendMessage(WM_KEYDOWN, VK_TAB, 0);   // past the last: cleared
    EXPECT_EQ(List{}, selected());
    ctrl.SelectAppointment(a, TRUE, FALSE);
    ctrl.SelectAppointment(c, TRUE, FALSE);
    ctrl.SendMessage(WM_KEYDOWN, VK_TAB, 0);   // two selected: the last one stays
    EXPECT_EQ(List{ c }, selected());
}

TEST_F(PlannerCtrlTest, EveryKeyIsReportedWhetherTheViewTookItOrNot)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    for (UINT key : { UINT(VK_F2), UINT('Q') }) {
        m_parent.m_received.clear();
        ctrl.SendMessage(WM_KEYDOWN, key, MAKELPARAM(1, 0x1E));
        ASSERT_EQ(1, m_parent.Count(ZUDP_PLANNER_KEYDOWN)) << key;
        EXPECT_EQ(key, m_parent.m_received.back().wParam);
        EXPECT_EQ(MAKELPARAM(1, 0x1E), m_parent.m_received.back().lParam);
    }
}

TEST_F(PlannerCtrlTest, AHandledPressCapturesTheMouseAndOtherButtonsOrEscapeCancelIt)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    m_parent.ShowWindow(SW_SHOWNOACTIVATE);
    CCountedDayView* day = ctrl.Day();
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        int restored;
    };
    const Case cases[] = {
        { "right button", WM_RBUTTONDOWN, MK_RBUTTON, 0 },
        { "double click", WM_LBUTTONDBLCLK, MK_LBUTTON, 0 },
        { "wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0 },
        { "escape", WM_KEYDOWN, VK_ESCAPE, 1 },
        { "cancel mode", WM_CANCELMODE, 0, 0 },
    };
    for (const Case& c : cases) {
        day->m_restored = 0;
        SetCursor(CPoint(300, 200));
        ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
        ASSERT_TRUE(ctrl.IsCapturing()) << c.name;
        EXPECT_EQ(ctrl.GetSafeHwnd(), ::GetCapture()) << c.name;
        EXPECT_EQ(ctrl.GetSafeHwnd(), ::GetFocus()) << c.name;
        ctrl.SendMessage(c.message, c.wParam, 0);
        EXPECT_FALSE(ctrl.IsCapturing()) << c.name;
        EXPECT_NE(ctrl.GetSafeHwnd(), ::GetCapture()) << c.name;
        EXPECT_EQ(c.restored, day->m_restored) << c.name;
    }
    // A press the view does not handle captures nothing.
    day->m_bTakePress = FALSE;
    ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    EXPECT_FALSE(ctrl.IsCapturing());
}

TEST_F(PlannerCtrlTest, MovingPastTheDragRectangleWithASelectionStartsTheDrag)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    CZUDPAppointment* a = Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
    SetCursor(CPoint(300, 200));
    ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    ASSERT_TRUE(ctrl.IsCapturing());
    // Nothing selected: no drag however far the mouse goes.
    ctrl.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(350, 260));
    EXPECT_FALSE(ctrl.CanStartDragDrop());
    ctrl.SelectAppointment(a, TRUE, FALSE);
    const int cx = ::GetSystemMetrics(SM_CXDRAG);
    const int cy = ::GetSystemMetrics(SM_CYDRAG);
    ctrl.m_ptCaptureCurrent = CPoint(300 + (cx - 1) / 2, 200);   // still inside
    EXPECT_FALSE(ctrl.CanStartDragDrop());
    ctrl.m_ptCaptureCurrent = CPoint(300, 200 - cy / 2 - 1);     // just above it
    EXPECT_TRUE(ctrl.CanStartDragDrop());
    ctrl.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    EXPECT_FALSE(ctrl.IsCapturing());
}

TEST_F(PlannerCtrlTest, CaptionAndIconClicksAreOfferedToTheParentFirst)
{
    struct Case {
        const char* name;
        int code;
        UINT message;
        LRESULT reply;
        int presses;   // the press reached the view
    };
    const Case cases[] = {
        { "caption, parent takes it", 7, ZUDP_PLANNER_DAYCAPTION_CLICK, 1, 0 },
        { "caption, parent leaves it", 7, ZUDP_PLANNER_DAYCAPTION_CLICK, 0, 1 },
        { "up icon, parent takes it", 9, ZUDP_PLANNER_ICONUPDOWN_CLICK, 1, 0 },
        { "down icon, parent leaves it", 10, ZUDP_PLANNER_ICONUPDOWN_CLICK, 0, 1 },
    };
    for (const Case& c : cases) {
        CTestPlannerCtrl& ctrl = MakeWindow();
        CCountedDayView* day = ctrl.Day();
        day->m_nHitCode = c.code;
        day->m_bTakePress = FALSE;
        m_parent.m_replies[c.message] = c.reply;
        ctrl.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
        ASSERT_EQ(1, m_parent.Count(c.message)) << c.name;
        if (c.code >= 9) {
            EXPECT_EQ(WPARAM(c.code), m_parent.m_received.back().wParam) << c.name;
        }
        EXPECT_EQ(c.presses, day->m_presses) << c.name;
        m_parent.m_replies.clear();
        ctrl.DestroyWindow();
    }
}

TEST_F(PlannerCtrlTest, ToolTipTextIsGivenOnlyToTheControlsOwnToolTip)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    ASSERT_NE(nullptr, ctrl.GetToolTipCtrl());
    ctrl.AddToolTip(CRect(10, 10, 50, 30));
    ASSERT_EQ(1, ctrl.GetToolCount());
    CWnd foreign;
    ASSERT_TRUE(foreign.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = foreign.GetSafeHwnd();
    info.hdr.idFrom = 1;
    info.hdr.code = TTN_NEEDTEXTA;
    EXPECT_EQ(0, ctrl.SendMessage(WM_NOTIFY, 1, LPARAM(&info)));
    EXPECT_EQ(nullptr, info.lpszText);
    foreign.DestroyWindow();
}

TEST_F(PlannerCtrlTest, UpdatingToolTipsOfThePlannerKindRecreatesTheToolTipAndItsTools)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    ctrl.SetFullToolTips(TRUE);
    Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
    // The text rectangles are those of the last paint.
    trovtest::DibCanvas canvas(700, 500);
    ctrl.AdjustLayout(FALSE);
    ctrl.SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
    ctrl.UpdateToolTips();
    const int tools = ctrl.GetToolCount();
    EXPECT_GE(tools, 1);
    HWND before = ctrl.GetToolTipCtrl()->GetSafeHwnd();

    ctrl.SendMessage(ZUDM_UPDATETOOLTIPS, TIPKIND_TOOLBAR, 0);
    EXPECT_EQ(before, ctrl.GetToolTipCtrl()->GetSafeHwnd());
    EXPECT_EQ(tools, ctrl.GetToolCount());

    ctrl.SendMessage(ZUDM_UPDATETOOLTIPS, TIPKIND_PLANNER | TIPKIND_TOOLBAR, 0);
    ASSERT_NE(nullptr, ctrl.GetToolTipCtrl());
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_TRUE(::IsWindow(ctrl.GetToolTipCtrl()->GetSafeHwnd()));
    EXPECT_EQ(tools, ctrl.GetToolCount());
    EXPECT_EQ(tools, int(ctrl.GetToolTipCtrl()->SendMessage(TTM_GETTOOLCOUNT)));

    // Without tooltips shown no tools are made.
    ctrl.SetShowToolTips(FALSE);
    EXPECT_EQ(0, ctrl.GetToolCount());
}

namespace {

// The tools the control's tooltip holds, by id.
std::vector<std::pair<UINT_PTR, CRect>> ToolsOf(CZUDPPlannerManagerCtrl& ctrl)
{
    std::vector<std::pair<UINT_PTR, CRect>> tools;
    HWND tip = ctrl.GetToolTipCtrl()->GetSafeHwnd();
    const int count = int(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TOOLINFOA info = {};
        info.cbSize = sizeof(info);
        if (::SendMessageA(tip, TTM_ENUMTOOLSA, WPARAM(i), LPARAM(&info)) != 0)
            tools.emplace_back(info.uId, CRect(info.rect));
    }
    std::sort(tools.begin(), tools.end(),
              [](const std::pair<UINT_PTR, CRect>& a, const std::pair<UINT_PTR, CRect>& b) { return a.first < b.first; });
    return tools;
}

} // namespace

TEST_F(PlannerCtrlTest, ToolsFollowEachLayoutAsAFreshSetWouldWhateverMovesComesOrGoes)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    ctrl.SetFullToolTips(TRUE);
    ASSERT_NE(nullptr, ctrl.GetToolTipCtrl());
    CZUDPAppointment* a = Add(Date(2024, 5, 15, 9, 0, 0), Date(2024, 5, 15, 10, 0, 0), "A");
    CZUDPAppointment* b = Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "B");
    trovtest::DibCanvas canvas(700, 500);
    auto paint = [&] {
        ctrl.AdjustLayout(FALSE);
        ctrl.SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
    };
    // What the tooltip holds after each step must be what a tooltip built
    // from nothing holds for the same layout: ids 1..n with the same
    // rectangles and no leftovers.
    auto expectAsFresh = [&](const char* step) {
        const auto kept = ToolsOf(ctrl);
        EXPECT_EQ(int(kept.size()), ctrl.GetToolCount()) << step;
        ctrl.ClearToolTips();
        EXPECT_TRUE(ToolsOf(ctrl).empty()) << step;
        ctrl.UpdateToolTips();
        const auto fresh = ToolsOf(ctrl);
        ASSERT_EQ(fresh.size(), kept.size()) << step;
        for (size_t i = 0; i < fresh.size(); ++i) {
            EXPECT_EQ(fresh[i].first, kept[i].first) << step;
            EXPECT_EQ(fresh[i].second, kept[i].second) << step;
        }
    };
    paint();
    ASSERT_EQ(2, ctrl.GetToolCount());
    expectAsFresh("first paint");

    // The same layout again changes nothing.
    const auto before = ToolsOf(ctrl);
    paint();
    EXPECT_EQ(before, ToolsOf(ctrl));

    const COleDateTime oldStart = a->GetStart();
    a->SetInterval(Date(2024, 5, 15, 14, 0, 0), Date(2024, 5, 15, 16, 0, 0));
    ASSERT_TRUE(ctrl.UpdateAppointment(a, oldStart, TRUE, FALSE));
    paint();
    EXPECT_NE(before, ToolsOf(ctrl));
    expectAsFresh("moved");

    Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 30, 0), "C");
    paint();
    EXPECT_EQ(3, ctrl.GetToolCount());
    expectAsFresh("added");

    ctrl.SelectAppointment(b, TRUE, FALSE);
    ctrl.RemoveSelectedAppointments(TRUE, FALSE);
    paint();
    EXPECT_EQ(2, ctrl.GetToolCount());
    expectAsFresh("removed");
}

TEST_F(PlannerCtrlTest, EachPaintShowsExactlyWhatTheViewDrawsWhateverThePaintBeforeLeft)
{
    // The control draws on a surface it keeps between paints: nothing of
    // an earlier picture may show through the next one.
    CTestPlannerCtrl& ctrl = MakeWindow();
    CZUDPAppointment* a = Add(Date(2024, 5, 15, 9, 0, 0), Date(2024, 5, 15, 10, 0, 0), "Early");
    Add(Date(2024, 5, 15, 13, 0, 0), Date(2024, 5, 15, 15, 0, 0), "Afternoon");
    trovtest::DibCanvas viaControl(700, 500), direct(700, 500);
    ctrl.AdjustLayout(FALSE);
    ctrl.SendMessage(WM_PRINTCLIENT, WPARAM(viaControl.Dc()), PRF_CLIENT);

    const COleDateTime oldStart = a->GetStart();
    a->SetInterval(Date(2024, 5, 15, 16, 0, 0), Date(2024, 5, 15, 17, 30, 0));
    ASSERT_TRUE(ctrl.UpdateAppointment(a, oldStart, TRUE, FALSE));
    ctrl.AdjustLayout(FALSE);
    viaControl.Fill(RGB(1, 2, 3));
    ctrl.SendMessage(WM_PRINTCLIENT, WPARAM(viaControl.Dc()), PRF_CLIENT);

    CZUDPPlannerView* view = ctrl.GetCurrentView();
    ASSERT_NE(nullptr, view);
    CDC* dc = CDC::FromHandle(direct.Dc());
    dc->SetBkMode(TRANSPARENT);
    CFont* old = view->SelectFont(dc, FALSE);
    CRect client;
    ctrl.GetClientRect(client);
    CRect paint = client;
    if (!view->GetRect().IsRectEmpty())
        paint.right = view->GetRect().right;
    view->OnPaint(dc, paint);
    dc->SelectObject(old);

    ::GdiFlush();
    const uint32_t* got = viaControl.Bits();
    const uint32_t* want = direct.Bits();
    int different = 0;
    for (int y = paint.top; y < paint.bottom; ++y)
        for (int x = paint.left; x < paint.right; ++x)
            different += ((got[y * 700 + x] ^ want[y * 700 + x]) & 0xFFFFFF) != 0 ? 1 : 0;
    EXPECT_EQ(0, different);
    // The scroll bar's strip is left to the scroll bar.
    if (paint.right < client.right) {
        EXPECT_EQ(RGB(1, 2, 3), viaControl.Pixel(client.right - 1, client.bottom / 2));
    }
}

// ---- drops ----------------------------------------------------------------------------------

namespace {

// Dragged planner data as another planner offers it: a stream of the
// appointments in a global block under the planner format.
void OfferAppointments(COleDataSource& source, const std::vector<std::pair<COleDateTime, COleDateTime>>& times)
{
    CZUDPAppointmentArray apps;
    std::vector<std::unique_ptr<CZUDPAppointment>> owned;
    for (const auto& t : times) {
        owned.push_back(plannertest::Appointment(t.first, t.second, "dropped"));
        apps.Add(owned.back().get());
    }
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(CZUDPPlannerManagerCtrl::SaveAppointmentsToArchive(ar, apps));
        ar.Close();
    }
    const UINT size = UINT(file.GetLength());
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* data = ::GlobalLock(block);
    file.SeekToBegin();
    file.Read(data, size);
    ::GlobalUnlock(block);
    source.CacheGlobalData(CLIPFORMAT(CZUDPPlannerManagerCtrl::GetClipboardFormat()), block);
}

int StoredCount(CZUDPPlannerManagerCtrl& ctrl)
{
    CZUDPAppointmentArray all;
    ctrl.GetStorage()->QueryAll(all);
    return int(all.GetSize());
}

} // namespace

TEST_F(PlannerCtrlTest, ADropAddsWhatTheParentTakesAndAPartlyRefusedMoveAnswersCopy)
{
    struct Case {
        const char* name;
        int refuseFirst;    // the parent refuses the first n additions
        DROPEFFECT effect;
        BOOL readOnly;
        BOOL result;
        DROPEFFECT answered;
        int added;
    };
    const Case cases[] = {
        { "all taken", 0, DROPEFFECT_MOVE, FALSE, TRUE, DROPEFFECT_MOVE, 2 },
        { "one refused", 1, DROPEFFECT_MOVE, FALSE, TRUE, DROPEFFECT_COPY, 1 },
        { "all refused", 2, DROPEFFECT_MOVE, FALSE, FALSE, DROPEFFECT_NONE, 0 },
        { "copy", 0, DROPEFFECT_COPY, FALSE, TRUE, DROPEFFECT_COPY, 2 },
        { "link", 0, DROPEFFECT_LINK, FALSE, FALSE, DROPEFFECT_NONE, 0 },
        { "read-only", 0, DROPEFFECT_MOVE, TRUE, FALSE, DROPEFFECT_NONE, 0 },
    };
    for (const Case& c : cases) {
        CTestPlannerCtrl& ctrl = MakeWindow();
        ctrl.SetReadOnly(c.readOnly);
        int additions = 0;
        m_parent.m_onMessage = [&](UINT message) {
            if (message == ZUDP_PLANNER_ADD_APPOINTMENT)
                m_parent.m_replies[message] = ++additions <= c.refuseFirst ? -1 : 0;
        };
        COleDataSource source;
        OfferAppointments(source, { { Date(2024, 5, 10, 9, 30, 0), Date(2024, 5, 10, 10, 0, 0) },
                                    { Date(2024, 5, 10, 11, 0, 0), Date(2024, 5, 10, 12, 0, 0) } });
        COleDataObject data;
        data.Attach(source.GetDataObject(), TRUE);
        const CPoint point = ctrl.GetViewRect().CenterPoint();
        // As the drag loop does: over the control, then the drop.
        ctrl.OnDragEnter(&data, 0, point);
        EXPECT_EQ(c.result, ctrl.OnDrop(&data, c.effect, point)) << c.name;
        EXPECT_EQ(c.answered, ctrl.GetLastDropEffect()) << c.name;
        EXPECT_EQ(c.added, StoredCount(ctrl)) << c.name;
        EXPECT_EQ(0, ctrl.GetChangeOperation()) << c.name;
        EXPECT_TRUE(ctrl.m_dtDrop == COleDateTime(0.0)) << c.name;
        m_parent.m_onMessage = nullptr;
        m_parent.m_replies.clear();
        m_parent.m_received.clear();
        ctrl.DestroyWindow();
    }
}

TEST_F(PlannerCtrlTest, ADropOnACalendarDayMovesTheEarliestDayThereAndShowsIt)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    COleDataSource source;
    OfferAppointments(source, { { Date(2024, 5, 10, 9, 30, 0), Date(2024, 5, 10, 10, 0, 0) },
                                { Date(2024, 5, 11, 11, 0, 0), Date(2024, 5, 11, 12, 0, 0) } });
    COleDataObject data;
    data.Attach(source.GetDataObject(), TRUE);
    ASSERT_TRUE(ctrl.OnDropToCalendar(&data, DROPEFFECT_COPY, Date(2024, 5, 20)));
    EXPECT_TRUE(ctrl.GetDate() == Date(2024, 5, 20));
    CZUDPAppointmentArray all;
    ctrl.GetStorage()->QueryAll(all);
    ASSERT_EQ(2, all.GetSize());
    EXPECT_TRUE(all[0]->GetStart() == Date(2024, 5, 20, 9, 30, 0)) << Text(all[0]->GetStart());
    EXPECT_TRUE(all[1]->GetStart() == Date(2024, 5, 21, 11, 0, 0)) << Text(all[1]->GetStart());
    EXPECT_EQ(1, m_parent.Count(ZUDP_PLANNER_DROP_APPOINTMENTS));
}

TEST_F(PlannerCtrlTest, DragScrollStepsAfterTheDelayAndThenEveryIntervalInTheEdgeBands)
{
    CTestPlannerCtrl& ctrl = MakeWindow();
    CZUDPPlannerDropTarget& target = ctrl.m_DropTarget;
    if (target.GetOwnerCtrl() == nullptr)
        target.RegisterOwner(&ctrl);
    ASSERT_EQ(&ctrl, target.GetOwnerCtrl());
    const CRect view = ctrl.GetViewRect();
    const int inset = CZUDPPlannerDropTarget::nScrollInset;
    DWORD now = 1000;
    ScopedSeam<DWORD()> tick(g_frameworkSeams.tickCount, [&now] { return now; });
    struct Case {
        const char* name;
        CPoint point;
        BOOL scrolls;
    };
    const Case cases[] = {
        { "inside", view.CenterPoint(), FALSE },
        { "top band", CPoint(view.CenterPoint().x, view.top + inset / 2), TRUE },
        { "bottom band", CPoint(view.CenterPoint().x, view.bottom - inset / 2), TRUE },
        { "top-left corner", CPoint(view.left + 1, view.top + 1), TRUE },
        { "outside", CPoint(view.right + 5, view.CenterPoint().y), FALSE },
    };
    for (const Case& c : cases) {
        const DROPEFFECT effect = target.OnDragScroll(&ctrl, 0, c.point);
        EXPECT_EQ(c.scrolls ? DROPEFFECT(DROPEFFECT_SCROLL | DROPEFFECT_MOVE) : DROPEFFECT_NONE, effect) << c.name;
        if (c.scrolls) {
            EXPECT_EQ(DROPEFFECT(DROPEFFECT_SCROLL | DROPEFFECT_COPY),
                      target.OnDragScroll(&ctrl, MK_CONTROL, c.point)) << c.name;
        }
        target.OnDragScroll(&ctrl, 0, view.CenterPoint());   // leaves the band
    }

    // Timing at the bottom band: nothing before the delay, then a step,
    // then one per interval (quarter-hour rows: the day does not fit).
    ctrl.SetTimeScale(3, FALSE);
    ctrl.GetCurrentView()->OnScroll(MAKEWORD(0xFF, SB_TOP), 0, TRUE);
    const CPoint bottom(view.CenterPoint().x, view.bottom - 2);
    const int start = ctrl.GetCurrentView()->GetScrollPosition();
    target.OnDragScroll(&ctrl, 0, bottom);
    EXPECT_EQ(start, ctrl.GetCurrentView()->GetScrollPosition());
    now += CZUDPPlannerDropTarget::nScrollDelay;   // not past the delay yet
    target.OnDragScroll(&ctrl, 0, bottom);
    EXPECT_EQ(start, ctrl.GetCurrentView()->GetScrollPosition());
    now += 1;
    target.OnDragScroll(&ctrl, 0, bottom);
    const int first = ctrl.GetCurrentView()->GetScrollPosition();
    EXPECT_GT(first, start);
    now += CZUDPPlannerDropTarget::nScrollInterval + 1;
    target.OnDragScroll(&ctrl, 0, bottom);
    EXPECT_GT(ctrl.GetCurrentView()->GetScrollPosition(), first);
}
