// The calendar's painting into a DIB, its input by messages, the month
// list, the popup protocol with a date control and the planner link.
#include "tests/ui/planner/CalendarTestSupportWin.h"

#include <algorithm>
#include <string>

#include "framework/win/Ole.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPDateTimeCtrl.h"
#include "ui/planner/ZUDPMonthPickerWnd.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

using namespace calendartest;
using plannertest::Text;

namespace {

const COLORREF kCaption = RGB(150, 20, 30);
const COLORREF kCaptionText = RGB(255, 255, 255);
const COLORREF kSelection = RGB(30, 140, 50);
const COLORREF kSelectionText = RGB(250, 230, 10);
const COLORREF kTodayFrame = RGB(20, 40, 230);

} // namespace

// ---- painting -----------------------------------------------------------------------------------

class CalendarPaintTest : public CalendarTest {
protected:
    // The calendar painted through WM_PRINTCLIENT into a canvas of its
    // client size.
    std::unique_ptr<trovtest::DibCanvas> Paint(UINT flags = PRF_CLIENT)
    {
        CRect client;
        m_calendar->GetClientRect(client);
        auto canvas = std::make_unique<trovtest::DibCanvas>(client.Width(), client.Height());
        canvas->Fill(trovtest::kMagenta);
        m_calendar->SendMessage(WM_PRINTCLIENT, WPARAM(canvas->Dc()), flags);
        return canvas;
    }
    CRect Cell(const COleDateTime& day)
    {
        CRect cell;
        EXPECT_TRUE(m_calendar->GetDateRect(day, cell));
        return cell;
    }
    uitest::DistinctColours m_colours;
    uitest::RecordingManagerScope m_manager;
};

TEST_F(CalendarPaintTest, SelectionTodayNeighboursAndMarksInTheirColours)
{
    m_manager->calendarColors = {kCaption, kCaptionText, kSelection, kSelectionText, kTodayFrame};
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.SelectDate(Date(2024, 5, 20), FALSE, FALSE, FALSE);
    auto canvas = Paint();
    EXPECT_EQ(1, m_manager->Count("GetCalendarColors"));

    // The selected day: filled, its number in the selection text colour.
    const CRect selected = Cell(Date(2024, 5, 20));
    EXPECT_TRUE(trovtest::ColorAt(*canvas, selected.left + 1, selected.top + 1, kSelection));
    EXPECT_GT(canvas->CountColor(selected, kSelectionText), 0);
    // Today (not selected): framed in the today colour, background inside.
    const CRect today = Cell(Date(2024, 5, 8));
    EXPECT_TRUE(trovtest::ColorAt(*canvas, today.left, today.CenterPoint().y, kTodayFrame));
    EXPECT_TRUE(trovtest::ColorAt(*canvas, today.right - 1, today.CenterPoint().y, kTodayFrame));
    EXPECT_TRUE(trovtest::ColorAt(*canvas, today.left + 1, today.top + 1, g_uiEnvironment.m_colorWindow));
    // April's days before May: grey numbers, never selected.
    RECT cells[42];
    int offset = 0;
    cal.GetDayRects(0, cells, &offset, nullptr);
    ASSERT_EQ(3, offset);
    EXPECT_GT(canvas->CountColor(cells[1], g_uiEnvironment.m_colorGrayText), 0);
    EXPECT_EQ(0, canvas->CountColor(cells[1], g_uiEnvironment.m_colorWindowText));
    // The caption: filled with its face.
    CRect block;
    cal.GetMonthRect(0, block);
    EXPECT_TRUE(trovtest::ColorAt(*canvas, block.left + m_metrics.cellWidth() + 3, block.top + 2, kCaption));
    // White caption text: white arrows.
    EXPECT_GT(canvas->CountColor(cal.m_rectPrev, RGB(255, 255, 255)), 0);
    EXPECT_EQ(0, canvas->CountColor(cal.m_rectNext, RGB(0, 0, 0)));

    // Selected today: both the fill and the frame.
    cal.SelectDate(Date(2024, 5, 8), FALSE, FALSE, FALSE);
    canvas = Paint();
    EXPECT_TRUE(trovtest::ColorAt(*canvas, today.left, today.CenterPoint().y, kTodayFrame));
    EXPECT_TRUE(trovtest::ColorAt(*canvas, today.left + 1, today.top + 1, kSelection));
}

TEST_F(CalendarPaintTest, MarkedDaysAreBoldAndBlackCaptionTextGivesBlackArrows)
{
    m_manager->calendarColors = {RGB(200, 200, 200), RGB(0, 0, 0), kSelection, kSelectionText, kTodayFrame};
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.ClearSelection(FALSE, FALSE);
    const CRect cell = Cell(Date(2024, 5, 28));
    auto plain = Paint();
    const CRect plainInk = plain->BoundsOfOther(cell, g_uiEnvironment.m_colorWindow);
    const int plainPixels = plain->CountColor(cell, g_uiEnvironment.m_colorWindowText);
    CArray<DATE, DATE> marks;
    marks.Add(double(Date(2024, 5, 28, 10, 0, 0)));
    cal.SetMarkedDates(marks, FALSE);
    auto bold = Paint();
    const CRect boldInk = bold->BoundsOfOther(cell, g_uiEnvironment.m_colorWindow);
    EXPECT_GT(bold->CountColor(cell, g_uiEnvironment.m_colorWindowText), plainPixels);
    EXPECT_GE(boldInk.Width(), plainInk.Width());
    // The next day is drawn in the regular font again.
    const CRect next = Cell(Date(2024, 5, 29));
    EXPECT_EQ(plain->CountColor(next, g_uiEnvironment.m_colorWindowText),
              bold->CountColor(next, g_uiEnvironment.m_colorWindowText));
    EXPECT_GT(bold->CountColor(cal.m_rectNext, RGB(0, 0, 0)), 0);
    EXPECT_EQ(0, bold->CountColor(cal.m_rectNext, RGB(255, 255, 255)));
}

TEST_F(CalendarPaintTest, ADraggedRangeShowsSelectedAndControlInvertsIt)
{
    m_manager->calendarColors = {kCaption, kCaptionText, kSelection, kSelectionText, kTodayFrame};
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.EnableMultipleSelection(TRUE, FALSE);
    cal.SelectDate(Date(2024, 5, 14), FALSE, FALSE, FALSE);
    cal.m_dtDragAnchor = Date(2024, 5, 13);
    cal.m_dtDragEnd = Date(2024, 5, 15);
    auto canvas = Paint();
    for (int d : {13, 14, 15}) {
        const CRect c = Cell(Date(2024, 5, d));
        EXPECT_TRUE(trovtest::ColorAt(*canvas, c.left + 1, c.top + 1, kSelection)) << d;
    }
    m_controlDown = true;
    canvas = Paint();
    const CRect c14 = Cell(Date(2024, 5, 14)), c13 = Cell(Date(2024, 5, 13));
    EXPECT_TRUE(trovtest::ColorAt(*canvas, c14.left + 1, c14.top + 1, g_uiEnvironment.m_colorWindow));
    EXPECT_TRUE(trovtest::ColorAt(*canvas, c13.left + 1, c13.top + 1, kSelection));
    cal.m_dtDragAnchor = COleDateTime(0.0);
    cal.m_dtDragEnd = COleDateTime(0.0);
}

TEST_F(CalendarPaintTest, PrintingWithoutTheClientFlagPaintsNothing)
{
    Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    auto canvas = Paint(PRF_NONCLIENT);
    EXPECT_EQ(0, canvas->CountOther(canvas->Rect(), trovtest::kMagenta));
    EXPECT_EQ(0, m_manager->Count("GetCalendarColors"));
}

// ---- input --------------------------------------------------------------------------------------

TEST_F(CalendarTest, ArrowsScrollAtOnceThenEvery300AndFromTheEleventhTickEvery100)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    const CPoint next = cal.m_rectNext.CenterPoint();
    Press(next);
    EXPECT_EQ(6, cal.GetFirstMonth());
    auto timers = TakeTimers();
    ASSERT_FALSE(timers.empty());
    EXPECT_EQ(1u, timers.back().id);
    EXPECT_EQ(300u, timers.back().elapse);
    CursorAt(cal, next);
    for (int tick = 1; tick <= 10; ++tick) {
        cal.SendMessage(WM_TIMER, 1);
        EXPECT_TRUE(TakeTimers().empty()) << tick;
    }
    EXPECT_EQ(2025, cal.GetFirstYear());
    EXPECT_EQ(4, cal.GetFirstMonth());
    cal.SendMessage(WM_TIMER, 1);
    timers = TakeTimers();
    ASSERT_FALSE(timers.empty());
    EXPECT_EQ(100u, timers.back().elapse);
    EXPECT_EQ(5, cal.GetFirstMonth());
    // Off the arrow the repeat pauses; the timer goes on.
    CursorAt(cal, cal.m_rectPrev.CenterPoint());
    cal.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(5, cal.GetFirstMonth());
    EXPECT_TRUE(TakeTimers().empty());
    Release(next);
    timers = TakeTimers();
    ASSERT_FALSE(timers.empty());
    EXPECT_EQ(0u, timers.back().elapse) << "released: the timer is killed";
    // The previous arrow.
    Click(cal.m_rectPrev.CenterPoint());
    EXPECT_EQ(4, cal.GetFirstMonth());
}

TEST_F(CalendarTest, ACaptionPressOpensTheMonthListCentredOnTheCaption)
{
    const int mw = m_metrics.monthWidth();
    CZUDPCalendar& cal = Make(3 * mw, m_metrics.monthHeight());
    CRect block;
    cal.GetMonthRect(2, block);
    CRect caption;
    ASSERT_EQ(2, cal.HitTestMonthCaption(CPoint(block.CenterPoint().x, block.top + 3), caption));
    Press(CPoint(block.CenterPoint().x, block.top + 3));
    CZUDPMonthPickerWnd* list = cal.GetMonthList();
    ASSERT_NE(nullptr, list);
    EXPECT_TRUE(cal.IsMonthListOpen());
    CRect window;
    list->GetWindowRect(window);
    CPoint centre = caption.CenterPoint();
    cal.ClientToScreen(&centre);
    EXPECT_LE(std::abs(window.CenterPoint().x - centre.x), 1);
    EXPECT_LE(std::abs(window.CenterPoint().y - centre.y), 1);
    // The clicked block's month, July, in the middle row.
    int year = 0, month = 0;
    ASSERT_TRUE(list->GetRowMonth(3, year, month));
    EXPECT_EQ(2024, year);
    EXPECT_EQ(7, month);
    EXPECT_EQ(3, list->m_nHighlightedRow);
    list->SendMessage(WM_CANCELMODE);
    EXPECT_EQ(nullptr, cal.GetMonthList());
    EXPECT_FALSE(cal.IsMonthListOpen());
}

TEST_F(CalendarTest, DraggingSelectsDaysOrWholeWeeksAndNotifiesOnRelease)
{
    struct Case {
        const char* name;
        BOOL wholeWeeks;
        COleDateTime from, to;
        const char* first;
        const char* last;
        size_t count;
    };
    // Sunday first.  A drag of up to seven days selects exactly its days;
    // a longer one with whole weeks grows to the weeks it touches: from
    // Wednesday 1 May to Monday 13 May, 28 April to 18 May.
    const Case cases[] = {
        {"three days", FALSE, Date(2024, 5, 15), Date(2024, 5, 13), "2024-05-13 00:00", "2024-05-15 00:00", 3},
        {"seven days, whole weeks", TRUE, Date(2024, 5, 1), Date(2024, 5, 7), "2024-05-01 00:00",
         "2024-05-07 00:00", 7},
        {"Wednesday to the Monday twelve days later", TRUE, Date(2024, 5, 1), Date(2024, 5, 13),
         "2024-04-28 00:00", "2024-05-18 00:00", 21},
    };
    for (const Case& c : cases) {
        CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
        cal.EnableMultipleSelection(TRUE, c.wholeWeeks);
        Press(DayPoint(c.from));
        EXPECT_TRUE(Selected().empty()) << c.name;
        EXPECT_EQ(0, m_host.selectionChanges) << c.name;
        Move(DayPoint(c.to));
        Release(DayPoint(c.to));
        const auto selected = Selected();
        ASSERT_EQ(c.count, selected.size()) << c.name;
        EXPECT_EQ(c.first, Text(selected.front())) << c.name;
        EXPECT_EQ(c.last, Text(selected.back())) << c.name;
        EXPECT_EQ(1, m_host.selectionChanges) << c.name;
    }
}

TEST_F(CalendarTest, ControlDragTogglesAndWeekNumberPressesSelectRows)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.EnableMultipleSelection(TRUE, FALSE);
    Press(DayPoint(Date(2024, 5, 1)));
    Move(DayPoint(Date(2024, 5, 3)));
    Release(DayPoint(Date(2024, 5, 3)));
    Press(DayPoint(Date(2024, 5, 2)), MK_CONTROL);
    Move(DayPoint(Date(2024, 5, 5)), MK_LBUTTON | MK_CONTROL);
    Release(DayPoint(Date(2024, 5, 5)), MK_CONTROL);
    std::vector<std::string> days;
    for (const COleDateTime& d : Selected())
        days.push_back(Text(d));
    EXPECT_EQ((std::vector<std::string>{"2024-05-01 00:00", "2024-05-04 00:00", "2024-05-05 00:00"}), days);

    // Week numbers: a press on the second row's number selects 5-11 May,
    // dragging down a row adds 12-18 May.
    cal.EnableWeekNumbers(TRUE);
    CRect block;
    cal.GetMonthRect(0, block);
    const int rowTop = block.top + 2 * m_metrics.cellHeight() + 4;
    const CPoint row1(block.left + 2, rowTop + m_metrics.cellHeight() + 2);
    const CPoint row2(block.left + 2, rowTop + 2 * m_metrics.cellHeight() + 2);
    Click(row1);
    auto selected = Selected();
    ASSERT_EQ(7u, selected.size());
    EXPECT_EQ("2024-05-05 00:00", Text(selected.front()));
    Press(row1);
    Move(row2);
    Release(row2);
    selected = Selected();
    ASSERT_EQ(14u, selected.size());
    EXPECT_EQ("2024-05-18 00:00", Text(selected.back()));
    // The week column shows the week cursor.
    CursorAt(cal, row1);
    EXPECT_TRUE(cal.SendMessage(WM_SETCURSOR, WPARAM(cal.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(CZUDPCalendar::GetWeekCursor(), ::GetCursor());
}

TEST_F(CalendarTest, ACancelledDragLeavesNothingForTheNextRelease)
{
    struct Case {
        const char* name;
        std::function<void(CZUDPCalendar&)> cancel;
    };
    const Case cases[] = {
        {"cancel mode", [](CZUDPCalendar& cal) { cal.SendMessage(WM_CANCELMODE); }},
        {"capture lost", [](CZUDPCalendar&) { ::ReleaseCapture(); }},
    };
    for (const Case& c : cases) {
        CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
        cal.EnableMultipleSelection(TRUE, FALSE);
        Press(DayPoint(Date(2024, 5, 6)));
        Move(DayPoint(Date(2024, 5, 9)));
        c.cancel(cal);
        m_host.commands.clear();
        // A press and release where there is no day.
        CRect block;
        cal.GetMonthRect(0, block);
        const CPoint empty(block.left + 1, block.bottom - 2);
        Press(empty);
        Release(empty);
        EXPECT_TRUE(Selected().empty()) << c.name;
        EXPECT_TRUE(m_host.commands.empty()) << c.name;
        // Nor does a plain release apply the old range.
        Press(DayPoint(Date(2024, 5, 6)));
        Move(DayPoint(Date(2024, 5, 9)));
        c.cancel(cal);
        Release(DayPoint(Date(2024, 5, 9)));
        EXPECT_TRUE(Selected().empty()) << c.name;
    }
}

TEST_F(CalendarTest, ANeighbourDayScrollsSelectsAndNotifies)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    RECT cells[42];
    cal.GetDayRects(0, cells, nullptr, nullptr);
    Click(CRect(cells[41]).CenterPoint());   // 8 June
    EXPECT_EQ(6, cal.GetFirstMonth());
    ASSERT_EQ(1u, Selected().size());
    EXPECT_EQ("2024-06-08 00:00", Text(Selected()[0]));
    EXPECT_GE(m_host.selectionChanges, 1);
}

TEST_F(CalendarTest, KeysReachALinkedPlannerUnlessAPopupMenuIsOpen)
{
    class CKeyPlanner : public CZUDPPlannerManagerCtrl {
    public:
        int keys = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_KEYDOWN) {
                ++keys;
                return 0;
            }
            return CZUDPPlannerManagerCtrl::WindowProc(message, wParam, lParam);
        }
    } planner;
    ASSERT_TRUE(planner.Create(WS_CHILD, CRect(0, 0, 300, 300), &m_host, 9));
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    planner.SetCalendar(&cal);
    EXPECT_EQ(&planner, cal.GetPlanner());
    MSG msg = {cal.GetSafeHwnd(), WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
    EXPECT_TRUE(cal.PreTranslateMessage(&msg));
    EXPECT_EQ(1, planner.keys);
    CZUDPPopupMenu* open = g_activePopupMenu;
    g_activePopupMenu = reinterpret_cast<CZUDPPopupMenu*>(&m_host);   // only compared with null
    EXPECT_FALSE(cal.PreTranslateMessage(&msg));
    g_activePopupMenu = open;
    EXPECT_EQ(1, planner.keys);
    // Destroying the calendar unlinks it from the planner.
    m_calendar.reset();
    EXPECT_EQ(nullptr, planner.GetCalendar());
    planner.DestroyWindow();
}

TEST_F(CalendarTest, DestroyingThePlannerUnlinksTheCalendar)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    {
        CZUDPPlannerManagerCtrl planner;
        ASSERT_TRUE(planner.Create(WS_CHILD, CRect(0, 0, 300, 300), &m_host, 9));
        planner.SetCalendar(&cal);
        ASSERT_EQ(&planner, cal.GetPlanner());
        // Linking another calendar lets this one go.
        CZUDPCalendar other;
        planner.SetCalendar(&other);
        EXPECT_EQ(nullptr, cal.GetPlanner());
        EXPECT_EQ(&planner, other.GetPlanner());
        planner.SetCalendar(&cal);
        EXPECT_EQ(nullptr, other.GetPlanner());
    }
    EXPECT_EQ(nullptr, cal.GetPlanner());
    MSG msg = {cal.GetSafeHwnd(), WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
    EXPECT_FALSE(cal.PreTranslateMessage(&msg));
}

// ---- the month list -----------------------------------------------------------------------------

class MonthListTest : public CalendarTest {
protected:
    // Three months from May 2024; the list of the third block (July).
    CZUDPMonthPickerWnd* Open()
    {
        if (!m_calendar)
            Make(3 * m_metrics.monthWidth(), m_metrics.monthHeight());
        CRect block;
        m_calendar->GetMonthRect(2, block);
        Press(CPoint(block.CenterPoint().x, block.top + 3));
        m_timers.clear();
        return m_calendar->GetMonthList();
    }
    void MoveList(CZUDPMonthPickerWnd* list, CPoint point)
    {
        list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
    void ReleaseList(CZUDPMonthPickerWnd* list, CPoint point)
    {
        list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    CPoint RowPoint(CZUDPMonthPickerWnd* list, int row)
    {
        return CPoint(10, 1 + row * list->m_nRowHeight + list->m_nRowHeight / 2);
    }
};

TEST_F(MonthListTest, ReleasingOnARowShowsThatMonthInTheClickedBlock)
{
    CZUDPMonthPickerWnd* list = Open();
    ASSERT_NE(nullptr, list);
    HWND window = list->GetSafeHwnd();
    MoveList(list, RowPoint(list, 3));
    ReleaseList(list, RowPoint(list, 3));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(5, m_calendar->GetFirstMonth()) << "the middle row changes nothing";

    list = Open();
    MoveList(list, RowPoint(list, 4));
    EXPECT_EQ(4, list->m_nHighlightedRow);
    ReleaseList(list, RowPoint(list, 4));
    EXPECT_EQ(6, m_calendar->GetFirstMonth()) << "August in the third block";
    EXPECT_FALSE(m_calendar->IsMonthListOpen());

    // Released outside: closed, nothing chosen.
    list = Open();
    MoveList(list, CPoint(10, -20));
    EXPECT_EQ(-1, list->m_nHighlightedRow);
    window = list->GetSafeHwnd();
    ReleaseList(list, CPoint(10, -20));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(6, m_calendar->GetFirstMonth());
}

TEST_F(MonthListTest, TheLastPixelRowIsTheLastMonthRow)
{
    CZUDPMonthPickerWnd* list = Open();
    ASSERT_NE(nullptr, list);
    CRect client;
    list->GetClientRect(client);
    MoveList(list, CPoint(10, client.bottom - 1));
    EXPECT_EQ(6, list->m_nHighlightedRow);
    ReleaseList(list, CPoint(10, client.bottom - 1));
    EXPECT_EQ(8, m_calendar->GetFirstMonth()) << "October in the third block";
}

TEST_F(MonthListTest, HeldBelowItScrollsFasterTheFartherAway)
{
    CZUDPMonthPickerWnd* list = Open();
    ASSERT_NE(nullptr, list);
    CRect client;
    list->GetClientRect(client);
    MoveList(list, CPoint(10, client.bottom + 30));
    auto timers = TakeTimers();
    ASSERT_FALSE(timers.empty());
    EXPECT_EQ(200u, timers.back().elapse);
    struct Case {
        const char* name;
        int below;     // pixels below the list's client area
        UINT interval;
    };
    const int rh = list->m_nRowHeight;
    const Case cases[] = {
        {"one row below", rh, 200},
        {"ten rows below", 10 * rh, 50},
        {"just below", 0, UINT(std::max(50, 200 * rh))},
    };
    int first = 0, year = 0;
    ASSERT_TRUE(list->GetRowMonth(0, year, first));
    for (const Case& c : cases) {
        CursorAt(*list, CPoint(10, client.bottom + c.below));
        list->SendMessage(WM_TIMER, list->m_nTimerID);
        timers = TakeTimers();
        ASSERT_FALSE(timers.empty()) << c.name;
        EXPECT_EQ(c.interval, timers.back().elapse) << c.name;
    }
    int month = 0;
    ASSERT_TRUE(list->GetRowMonth(0, year, month));
    EXPECT_EQ(first + 3, month);
    // Above: one month back.
    CursorAt(*list, CPoint(10, -rh));
    list->SendMessage(WM_TIMER, list->m_nTimerID);
    ASSERT_TRUE(list->GetRowMonth(0, year, month));
    EXPECT_EQ(first + 2, month);
    list->SendMessage(WM_CANCELMODE);
}

TEST_F(MonthListTest, StopsAtTheCalendarsFirstAndLastMonths)
{
    Make(3 * m_metrics.monthWidth(), m_metrics.monthHeight(), 9999, 8);
    CZUDPMonthPickerWnd* list = Open();   // October 9999 in the middle
    ASSERT_NE(nullptr, list);
    CRect client;
    list->GetClientRect(client);
    CursorAt(*list, CPoint(10, client.bottom + 200));
    for (int i = 0; i < 5; ++i)
        list->SendMessage(WM_TIMER, list->m_nTimerID);
    int year = 0, month = 0;
    ASSERT_TRUE(list->GetRowMonth(3, year, month));
    EXPECT_EQ(9999, year);
    EXPECT_EQ(12, month);
    EXPECT_FALSE(list->GetRowMonth(4, year, month)) << "no month after December 9999";
    MoveList(list, RowPoint(list, 6));
    ReleaseList(list, RowPoint(list, 6));
    // The blocks never start past December 9999.
    EXPECT_EQ(9999, m_calendar->GetFirstYear());
    EXPECT_LE(m_calendar->GetFirstMonth(), 12);
}

TEST_F(MonthListTest, TheCalendarClosesItsListWhenItGoes)
{
    CZUDPMonthPickerWnd* list = Open();
    ASSERT_NE(nullptr, list);
    const HWND window = list->GetSafeHwnd();
    m_calendar->DestroyWindow();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(m_calendar->IsMonthListOpen());
    // A list whose window could not be made leaves the calendar closed
    // once its object goes.
    class CFailingList : public CZUDPMonthPickerWnd {
    public:
        using CZUDPMonthPickerWnd::CZUDPMonthPickerWnd;
        BOOL PreCreateWindow(CREATESTRUCT&) override { return FALSE; }
    };
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    auto* failing = new CFailingList(&cal, 0);
    EXPECT_TRUE(cal.IsMonthListOpen());
    EXPECT_FALSE(failing->Create(100, 100));
    delete failing;
    EXPECT_FALSE(cal.IsMonthListOpen());
    EXPECT_EQ(nullptr, cal.GetMonthList());
}

// ---- popup calendars ----------------------------------------------------------------------------

class PopupCalendarTest : public CalendarTest {
public:
    PopupCalendarTest()
    {
        m_control.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(300, 200, 420, 222), &m_host, 33);
        m_control.SetDate(double(Date(2024, 5, 3, 9, 15, 0)));
    }
    ~PopupCalendarTest() override
    {
        if (m_control.GetSafeHwnd() != nullptr)
            m_control.DestroyWindow();
    }
    CZUDPCalendar* Open()
    {
        auto* popup = new CZUDPCalendar;
        popup->SetFirstMonth(2024, 5, FALSE);
        EXPECT_TRUE(popup->Create(WS_POPUP, CRect(0, 0, 0, 0), &m_control, 0));
        m_control.m_pPopup = popup;
        m_popup = popup->GetSafeHwnd();
        return popup;
    }
    void ClickPopup(CZUDPCalendar* popup, CPoint point)
    {
        popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        if (::IsWindow(m_popup))
            popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
    CZUDPDateTimeCtrl m_control;
    HWND m_popup = nullptr;
};

TEST_F(PopupCalendarTest, OpensRightAlignedUnderItsOwnerInTheWorkArea)
{
    CZUDPCalendar* popup = Open();
    ASSERT_TRUE(popup->m_bPopupMode);
    EXPECT_EQ(&m_control, popup->GetOwnerDateCtrl());
    CRect owner, window;
    m_control.GetWindowRect(owner);
    popup->GetWindowRect(window);
    EXPECT_EQ(owner.right, window.right);
    EXPECT_EQ(owner.bottom, window.top);
    EXPECT_NE(0u, popup->GetExStyle() & WS_EX_TOPMOST);
    EXPECT_NE(0u, popup->GetStyle() & WS_BORDER);
    m_control.ClosePopupCalendar(COleDateTime(0.0));
    // A work area that ends left of the owner's right edge moves it in.
    ScopedSeam narrow(g_foundationSeams.monitorWorkArea, [&](POINT, RECT* work) {
        ::SetRect(work, 0, 0, owner.right - 50, 2000);
        return TRUE;
    });
    popup = Open();
    popup->GetWindowRect(window);
    EXPECT_EQ(owner.right - 50, window.right);
    m_control.ClosePopupCalendar(COleDateTime(0.0));
}

TEST_F(PopupCalendarTest, EscapeDayClickAndTodayCloseThroughTheOwner)
{
    struct Case {
        const char* name;
        std::function<void(PopupCalendarTest&, CZUDPCalendar*)> act;
        const char* date;
    };
    const Case cases[] = {
        {"Escape", [](PopupCalendarTest&, CZUDPCalendar* popup) {
             MSG msg = {popup->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
             EXPECT_TRUE(popup->PreTranslateMessage(&msg));
         }, "2024-05-03 09:15"},
        {"a day", [](PopupCalendarTest& t, CZUDPCalendar* popup) {
             CRect cell;
             ASSERT_TRUE(popup->GetDateRect(Date(2024, 5, 22), cell));
             t.ClickPopup(popup, cell.CenterPoint());
         }, "2024-05-22 00:00"},
        {"Today", [](PopupCalendarTest&, CZUDPCalendar* popup) {
             popup->SendMessage(WM_COMMAND, CZUDPCalendar::nTodayButtonID);
         }, "2024-05-08 14:30"},
    };
    for (const Case& c : cases) {
        m_control.SetDate(double(Date(2024, 5, 3, 9, 15, 0)));
        m_host.commands.clear();
        CZUDPCalendar* popup = Open();
        c.act(*this, popup);
        EXPECT_FALSE(::IsWindow(m_popup)) << c.name;
        EXPECT_EQ(nullptr, m_control.m_pPopup) << c.name;
        EXPECT_EQ(c.date, Text(COleDateTime(m_control.GetDate()))) << c.name;
        // A changed date is announced to the control's parent.
        EXPECT_EQ(std::string(c.name) == "Escape" ? 0u : 1u, m_host.commands.size()) << c.name;
    }
}

TEST_F(PopupCalendarTest, FocusLossClosesItUnlessToTodayOrWithTheMonthListOpen)
{
    CZUDPCalendar* popup = Open();
    popup->SendMessage(WM_KILLFOCUS, WPARAM(popup->m_wndToday.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(m_popup));
    popup->m_bMonthListOpen = TRUE;
    popup->SendMessage(WM_KILLFOCUS, WPARAM(m_host.GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(m_popup));
    popup->m_bMonthListOpen = FALSE;
    popup->SendMessage(WM_KILLFOCUS, WPARAM(m_host.GetSafeHwnd()));
    EXPECT_FALSE(::IsWindow(m_popup));
    EXPECT_EQ("2024-05-03 09:15", Text(COleDateTime(m_control.GetDate())));
}

TEST_F(PopupCalendarTest, AnOwnerDestroyedWhileItsPopupIsOpenClosesIt)
{
    Open();
    m_control.DestroyWindow();
    EXPECT_FALSE(::IsWindow(m_popup));
    EXPECT_EQ(nullptr, m_control.m_pPopup);
}

TEST_F(PopupCalendarTest, APopupWhoseOwnerWindowIsGoneCallsNobody)
{
    CZUDPCalendar* popup = Open();
    // The owner's window goes without closing the popup first (a control
    // that forgot it): the popup no longer calls it.
    m_control.m_pPopup = nullptr;
    m_control.DestroyWindow();
    ASSERT_TRUE(::IsWindow(m_popup));
    EXPECT_EQ(nullptr, popup->GetOwnerDateCtrl());
    CRect cell;
    ASSERT_TRUE(popup->GetDateRect(Date(2024, 5, 22), cell));
    ClickPopup(popup, cell.CenterPoint());
    EXPECT_TRUE(::IsWindow(m_popup));
    popup->DestroyWindow();
}

TEST_F(PopupCalendarTest, ACheckBoxControlHoldsNoValueForDateZero)
{
    m_control.m_bCheckBox = TRUE;
    m_control.SetDate(0.0);
    EXPECT_EQ(0.0, m_control.GetDate());
    m_control.SetDate(double(Date(2024, 5, 3, 9, 15, 40)));
    EXPECT_EQ("2024-05-03 09:15", Text(COleDateTime(m_control.GetDate())));
    EXPECT_EQ(0, COleDateTime(m_control.GetDate()).GetSecond());
}

// ---- planner drops --------------------------------------------------------------------------------

TEST_F(CalendarTest, APlannerDropOnADayShowsThatDayInThePlanner)
{
    CZUDPPlannerManagerCtrl planner;
    ASSERT_TRUE(planner.Create(WS_CHILD, CRect(0, 0, 400, 400), &m_host, 9));
    planner.SetDate(Date(2024, 5, 6), FALSE);
    // Planner data of one appointment, as a drag offers it.
    CZUDPAppointmentArray apps;
    auto app = plannertest::Appointment(Date(2024, 5, 6, 10, 0, 0), Date(2024, 5, 6, 11, 0, 0), "moved");
    apps.Add(app.get());
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(CZUDPPlannerManagerCtrl::SaveAppointmentsToArchive(ar, apps));
        ar.Close();
    }
    const UINT size = UINT(file.GetLength());
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    file.SeekToBegin();
    file.Read(::GlobalLock(block), size);
    ::GlobalUnlock(block);
    COleDataSource source;
    source.CacheGlobalData(CLIPFORMAT(CZUDPPlannerManagerCtrl::GetClipboardFormat()), block);

    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    planner.SetCalendar(&cal);
    COleDataObject data;
    data.Attach(source.GetDataObject(), TRUE);
    const CPoint day = DayPoint(Date(2024, 5, 23));
    EXPECT_EQ(DROPEFFECT_COPY, cal.OnDragEnter(&data, MK_CONTROL, day));
    EXPECT_FALSE(cal.m_rectDropFrame.IsRectEmpty());
    EXPECT_EQ(DROPEFFECT_NONE, cal.OnDragOver(&data, 0, cal.m_rectPrev.CenterPoint()));
    EXPECT_TRUE(cal.m_rectDropFrame.IsRectEmpty());
    EXPECT_FALSE(cal.OnDrop(&data, DROPEFFECT_LINK, day));
    EXPECT_TRUE(cal.OnDrop(&data, DROPEFFECT_COPY, day));
    EXPECT_EQ("2024-05-23 00:00", Text(planner.GetDateStart()));
    // Without a planner nothing is accepted.
    planner.SetCalendar(nullptr);
    EXPECT_EQ(DROPEFFECT_NONE, cal.OnDragOver(&data, 0, day));
    EXPECT_FALSE(cal.OnDrop(&data, DROPEFFECT_COPY, day));
    planner.DestroyWindow();
}
