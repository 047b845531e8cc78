// The calendar control: layout and fitting, geometry and hit tests, week
// numbers, scrolling, the selection operations and their notification.
#include "tests/ui/planner/CalendarTestSupportWin.h"

#include <algorithm>
#include <string>

#include "tests/common/DrawingTest.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

using namespace calendartest;
using plannertest::Text;

namespace {

int Rows(const CZUDPCalendar& c) { return c.m_nColumns > 0 ? c.m_nMonthCount / c.m_nColumns : 0; }

} // namespace

// ---- layout --------------------------------------------------------------------------------------

TEST_F(CalendarTest, LayoutFitsWholeMonthsAndAtLeastOne)
{
    const CalendarMetrics& m = m_metrics;
    const int mw = m.monthWidth(), mh = m.monthHeight();
    struct Case {
        const char* name;
        int width, height;
        BOOL fit;
        int columns, rows;
        int cellWidth, cellHeight;   // 0: the unfitted cell
    };
    const int fitLargeCell = 3 * m.cellWidth() / 2, fitLargeHeight = 3 * m.cellHeight() / 2;
    const int smallW = 120, smallH = 90;
    const int fitSmallCell = std::min(fitLargeCell, (smallW - 4 - m.rightMargin() - m.weekColumn()) / 7);
    const int fitSmallHeight = std::min(fitLargeHeight, (smallH - 4) / 8);
    const Case cases[] = {
        {"empty client", 0, 0, FALSE, 1, 1, 0, 0},
        {"smaller than one month", mw - 1, mh - 1, FALSE, 1, 1, 0, 0},
        {"one month", mw, mh, FALSE, 1, 1, 0, 0},
        {"two by one", 2 * mw + 7, mh + 3, FALSE, 2, 1, 0, 0},
        {"three by two", 3 * mw, 2 * mh, FALSE, 3, 2, 0, 0},
        {"fit mode, large host", 600, 500, TRUE, 1, 1, fitLargeCell, fitLargeHeight},
        {"fit mode, small host", smallW, smallH, TRUE, 1, 1, std::max(1, fitSmallCell), std::max(1, fitSmallHeight)},
    };
    for (const Case& c : cases) {
        CZUDPCalendar& cal = Make(c.width, c.height, 2024, 5, c.fit);
        EXPECT_EQ(c.columns, cal.m_nColumns) << c.name;
        EXPECT_EQ(c.rows, Rows(cal)) << c.name;
        EXPECT_EQ(c.columns * c.rows, cal.m_nMonthCount) << c.name;
        const int cw = c.cellWidth != 0 ? c.cellWidth : m.cellWidth();
        const int ch = c.cellHeight != 0 ? c.cellHeight : m.cellHeight();
        EXPECT_EQ(cw, cal.m_nCellWidth) << c.name;
        EXPECT_EQ(ch, cal.m_nCellHeight) << c.name;
        EXPECT_EQ(8 * ch + 5, cal.m_nMonthHeight) << c.name;
        EXPECT_EQ(m.rightMargin() + 7 * cw + m.weekColumn(), cal.m_nMonthWidth) << c.name;
        EXPECT_EQ(7, cal.m_DayNames.GetSize());
        // The shown range runs from the first shown day to the end of the
        // last shown month.
        EXPECT_EQ("2024-05-01 00:00", Text(cal.GetFirstShownDay())) << c.name;
    }
    CZUDPCalendar& grid = Make(3 * mw, 2 * mh);
    EXPECT_EQ("2024-10-31 23:59", Text(grid.GetLastShownDay()));
}

TEST_F(CalendarTest, TodayButtonShowsOnlyWhenAWholeMonthFitsAboveIt)
{
    const int mh = m_metrics.monthHeight(), mw = m_metrics.monthWidth();
    const int band = m_metrics.dh + 8 + 8;   // the button's height and the gaps around it
    struct Case {
        int height;
        bool shown;
    } cases[] = {{mh + band, true}, {mh + band - 1, false}, {20, false}};
    for (const Case& c : cases) {
        CZUDPCalendar& cal = Make(mw, c.height);
        cal.ShowTodayButton(TRUE);
        EXPECT_EQ(c.shown, (cal.m_wndToday.GetStyle() & WS_VISIBLE) != 0) << c.height;
        EXPECT_EQ(c.shown, cal.m_wndToday.IsWindowEnabled() != FALSE) << c.height;
        EXPECT_EQ(c.height - band, cal.m_rectCalendar.Height()) << c.height;
        CString text;
        cal.m_wndToday.GetWindowText(text);
        EXPECT_STREQ("Today", text);
    }
    CZUDPCalendar& off = Make(mw, mh + band);
    EXPECT_EQ(0u, off.m_wndToday.GetStyle() & WS_VISIBLE);
}

TEST_F(CalendarTest, MonthRectsAreCentredAndOnlyShownIndexesHaveOne)
{
    const int mw = m_metrics.monthWidth(), mh = m_metrics.monthHeight();
    CZUDPCalendar& cal = Make(2 * mw + 41, mh);
    CRect r;
    ASSERT_TRUE(cal.GetMonthRect(0, r));
    EXPECT_EQ(CRect(20, 0, 20 + mw, mh), r);
    ASSERT_TRUE(cal.GetMonthRect(1, r));
    EXPECT_EQ(CRect(20 + mw, 0, 20 + 2 * mw, mh), r);
    for (int index : {-1, 2}) {
        r = CRect(1, 2, 3, 4);
        EXPECT_FALSE(cal.GetMonthRect(index, r)) << index;
        EXPECT_TRUE(r.IsRectEmpty()) << index;
    }
    EXPECT_EQ(1, cal.FindMonthIndex(2024, 6));
    EXPECT_EQ(-1, cal.FindMonthIndex(2024, 7));
    EXPECT_EQ(-1, cal.GetMonthRectByDate(2024, 4, r));
    EXPECT_TRUE(r.IsRectEmpty());
    // The arrows sit in the caption row of the first and the last block.
    EXPECT_EQ(CRect(20, 0, 20 + m_metrics.cellWidth(), m_metrics.cellHeight() + 2), cal.m_rectPrev);
    EXPECT_EQ(20 + 2 * mw, cal.m_rectNext.right);
}

TEST_F(CalendarTest, NeighbourDaysOnlyInTheFirstAndLastBlockAndOnlyThoseHit)
{
    // May and June 2024, Sunday first: May starts on a Wednesday (three
    // April days before it), June ends on a Sunday (six July days after).
    CZUDPCalendar& cal = Make(2 * m_metrics.monthWidth(), m_metrics.monthHeight());
    RECT cells[42];
    int offset = -1, prev = -1;
    cal.GetDayRects(0, cells, &offset, &prev);
    EXPECT_EQ(3, offset);
    EXPECT_EQ(30, prev);
    EXPECT_FALSE(::IsRectEmpty(&cells[0]));
    EXPECT_TRUE(::IsRectEmpty(&cells[3 + 31])) << "no June days after the first block's May";
    cal.GetDayRects(1, cells, &offset, &prev);
    EXPECT_EQ(6, offset);
    EXPECT_EQ(0, prev);
    EXPECT_TRUE(::IsRectEmpty(&cells[0])) << "no May days before the last block's June";
    EXPECT_FALSE(::IsRectEmpty(&cells[41]));

    struct Hit {
        CPoint point;
        const char* day;
        int relation;
    };
    cal.GetDayRects(0, cells, &offset, &prev);
    const CPoint april30 = CRect(cells[2]).CenterPoint();
    cal.GetDayRects(1, cells, &offset, &prev);
    const CPoint july1 = CRect(cells[6 + 30]).CenterPoint();
    const Hit hits[] = {{april30, "2024-04-30 00:00", -1},
                        {DayPoint(Date(2024, 5, 31)), "2024-05-31 00:00", 0},
                        {july1, "2024-07-01 00:00", 1}};
    for (const Hit& h : hits) {
        int relation = 99;
        CRect cell;
        EXPECT_EQ(h.day, Text(cal.HitTestDay(h.point, &relation, cell)));
        EXPECT_EQ(h.relation, relation) << h.day;
        EXPECT_TRUE(cell.PtInRect(h.point)) << h.day;
        EXPECT_EQ(h.relation == 0 ? h.day : "1899-12-30 00:00", Text(cal.HitTestDayOfMonth(h.point))) << h.day;
    }
    // Over the block's empty cells and the caption: no day.
    CRect block;
    cal.GetMonthRect(0, block);
    EXPECT_EQ("1899-12-30 00:00", Text(cal.HitTestDay(CPoint(block.left + 1, block.top + 1))));
}

TEST_F(CalendarTest, HitTestsOfCaptionsAndWeekRows)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight(), 2024, 8);
    CRect block;
    cal.GetMonthRect(0, block);
    CRect caption;
    EXPECT_EQ(0, cal.HitTestMonthCaption(CPoint(block.CenterPoint().x, block.top + 3), caption));
    EXPECT_EQ(block.left + m_metrics.cellWidth() + 2, caption.left);
    EXPECT_EQ(-1, cal.HitTestMonthCaption(cal.m_rectPrev.CenterPoint()));
    // August 2024, Sunday first: the rows start 28 July, 4, 11, 18 and 25
    // August; the sixth row would start on 1 September: no date.
    const int top = block.top + 2 * m_metrics.cellHeight() + 4;
    const char* expected[] = {"2024-07-28 00:00", "2024-08-04 00:00", "2024-08-11 00:00",
                              "2024-08-18 00:00", "2024-08-25 00:00", "1899-12-30 00:00"};
    for (int r = 0; r < 6; ++r) {
        const CPoint inColumn(block.left + 2, top + r * m_metrics.cellHeight() + 2);
        EXPECT_EQ(expected[r], Text(cal.HitTestWeek(inColumn, TRUE))) << r;
        const CPoint inDays(block.CenterPoint().x, inColumn.y);
        EXPECT_EQ("1899-12-30 00:00", Text(cal.HitTestWeek(inDays, TRUE))) << r;
        EXPECT_EQ(expected[r], Text(cal.HitTestWeek(inDays, FALSE))) << r;
    }
}

// ---- week numbers -------------------------------------------------------------------------------

TEST_F(CalendarTest, WeekNumbersStartAtOneAndTheRowOfNewYearIsWeekOne)
{
    struct Case {
        const char* name;
        int year, month, firstDay;
        std::vector<int> rows;   // the numbers of rows 0.. of the month
    };
    const Case cases[] = {
        {"January 2024, Sunday first", 2024, 1, 0, {1, 2, 3, 4, 5}},
        {"January 2024, Monday first", 2024, 1, 1, {1, 2, 3, 4, 5}},
        {"February 2024, Sunday first", 2024, 2, 0, {5, 6, 7, 8, 9}},
        // December 2022, Sunday first: 1 January 2023 is a Sunday in the
        // sixth row, which would be week 54.
        {"December 2022, Sunday first", 2022, 12, 0, {49, 50, 51, 52, 53, 1}},
        // December 2023: the row of 31 December - 6 January would be 53.
        {"December 2023, Sunday first", 2023, 12, 0, {48, 49, 50, 51, 52, 1}},
        {"December 2024, Monday first", 2024, 12, 1, {48, 49, 50, 51, 52, 1}},
    };
    for (const Case& c : cases) {
        CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight(), c.year, c.month);
        ASSERT_TRUE(cal.SetFirstDayOfWeek(c.firstDay));
        cal.EnableWeekNumbers(TRUE);
        for (size_t r = 0; r < c.rows.size(); ++r)
            EXPECT_EQ(c.rows[r], cal.GetRowWeekNumber(0, int(r))) << c.name << " row " << r;
    }
}

TEST_F(CalendarTest, FirstDayOfWeekOutsideTheWeekChangesNothing)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    const CString sunday = cal.m_DayNames[0];
    EXPECT_FALSE(cal.SetFirstDayOfWeek(7));
    EXPECT_FALSE(cal.SetFirstDayOfWeek(-1));
    EXPECT_EQ(0, cal.GetFirstDayOfWeek());
    ASSERT_TRUE(cal.SetFirstDayOfWeek(1));
    EXPECT_EQ(sunday, cal.m_DayNames[6]);
    EXPECT_EQ("M", std::string(static_cast<LPCSTR>(cal.m_DayNames[0])));
}

// ---- scrolling ----------------------------------------------------------------------------------

TEST_F(CalendarTest, ArrowsStopAtTheFirstAndLastMonthsShown)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight(), 9999, 11);
    cal.NextMonth();
    EXPECT_EQ(12, cal.GetFirstMonth());
    cal.NextMonth();
    EXPECT_EQ(9999, cal.GetFirstYear());
    EXPECT_EQ(12, cal.GetFirstMonth());
    CZUDPCalendar& low = Make(m_metrics.monthWidth(), m_metrics.monthHeight(), 100, 2);
    low.PrevMonth();
    low.PrevMonth();
    EXPECT_EQ(100, low.GetFirstYear());
    EXPECT_EQ(1, low.GetFirstMonth());
}

TEST_F(CalendarTest, MonthsPastTheLastYearDrawEmptyAndHitNothing)
{
    // Six blocks from December 9999: five of them cannot be formed.
    const int mw = m_metrics.monthWidth(), mh = m_metrics.monthHeight();
    CZUDPCalendar& cal = Make(3 * mw, 2 * mh, 9999, 12);
    ASSERT_EQ(6, cal.m_nMonthCount);
    EXPECT_EQ(COleDateTime::invalid, cal.GetLastShownDay().GetStatus());
    cal.EnableWeekNumbers(TRUE);
    cal.EnableMultipleSelection(TRUE, TRUE);
    CRect block;
    cal.GetMonthRect(4, block);
    const CPoint inside = block.CenterPoint();
    EXPECT_EQ("1899-12-30 00:00", Text(cal.HitTestDay(inside)));
    EXPECT_EQ("1899-12-30 00:00", Text(cal.HitTestWeek(CPoint(block.left + 2, inside.y), TRUE)));
    EXPECT_EQ(-1, cal.HitTestMonthCaption(CPoint(inside.x, block.top + 3)));
    RECT cells[42];
    cal.GetDayRects(4, cells, nullptr, nullptr);
    for (const RECT& cell : cells)
        EXPECT_TRUE(::IsRectEmpty(&cell));
    // Painting and pressing there finish.
    trovtest::DibCanvas canvas(3 * mw, 2 * mh);
    cal.SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ(0, canvas.CountOther(block, g_uiEnvironment.m_colorWindow));
    Click(inside);
    Click(CPoint(block.left + 2, inside.y));
    Click(CPoint(inside.x, block.top + 3));
    EXPECT_EQ(nullptr, cal.GetMonthList());
}

TEST_F(CalendarTest, ScrollingMovesAClampedSingleSelectionAlongAndNotifies)
{
    struct Case {
        const char* name;
        COleDateTime selected;
        bool forward;
        const char* expected;
    };
    const Case cases[] = {
        {"31 January into February of a leap year", Date(2024, 1, 31), true, "2024-02-29 00:00"},
        {"31 January into February", Date(2023, 1, 31), true, "2023-02-28 00:00"},
        {"31 March back into February", Date(2023, 3, 31), false, "2023-02-28 00:00"},
    };
    for (const Case& c : cases) {
        CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight(), c.selected.GetYear(),
                                  c.selected.GetMonth());
        cal.SelectDate(c.selected, FALSE, FALSE, TRUE);
        m_host.selectionChanges = 0;
        if (c.forward)
            cal.NextMonth();
        else
            cal.PrevMonth();
        ASSERT_EQ(1u, Selected().size()) << c.name;
        EXPECT_EQ(c.expected, Text(Selected()[0])) << c.name;
        EXPECT_EQ(1, m_host.selectionChanges) << c.name;
    }
}

TEST_F(CalendarTest, AOneWeekSelectionKeepsItsRowWhenScrolledAway)
{
    // Week rows of May 2024 (Sunday first): the third row is 12-18 May.
    // Scrolled to June, the selection becomes June's third row, 9-15 June.
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.EnableMultipleSelection(TRUE, TRUE);
    CList<DATE, DATE> week;
    for (int d = 12; d <= 18; ++d)
        week.AddTail(double(Date(2024, 5, d)));
    cal.SetSelectedDates(week, FALSE, TRUE);
    cal.NextMonth();
    const auto selected = Selected();
    ASSERT_EQ(7u, selected.size());
    EXPECT_EQ("2024-06-09 00:00", Text(selected.front()));
    EXPECT_EQ("2024-06-15 00:00", Text(selected.back()));
}

TEST_F(CalendarTest, ADateBeyondTheLastYearDoesNotHangTheFollowUp)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.EnableMultipleSelection(TRUE, FALSE);
    CList<DATE, DATE> dates;
    dates.AddTail(double(Date(2024, 5, 3)));
    dates.AddTail(3000000.0);   // past 31 December 9999
    cal.SetSelectedDates(dates, FALSE, FALSE);
    cal.NextMonth();
    cal.PrevMonth();
    EXPECT_EQ(2u, Selected().size());
    // Alone, it is the selection's first date: nothing moves.
    CList<DATE, DATE> alone;
    alone.AddTail(3000000.0);
    cal.SetSelectedDates(alone, FALSE, FALSE);
    cal.NextMonth();
    CList<DATE, DATE> kept;
    cal.GetSelectedDates(kept);
    ASSERT_EQ(1, kept.GetCount());
    EXPECT_EQ(3000000.0, kept.GetHead());
}

// ---- selection ----------------------------------------------------------------------------------

TEST_F(CalendarTest, SelectingTheOnlySelectedDayDoesNothing)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.SelectDate(Date(2024, 5, 20));
    EXPECT_EQ(1, m_host.selectionChanges);
    cal.SelectDate(Date(2024, 5, 20));
    EXPECT_EQ(1, m_host.selectionChanges);
    // A day outside the shown months becomes the first shown month.
    cal.SelectDate(Date(2025, 2, 10, 9, 30, 0));
    EXPECT_EQ(2, m_host.selectionChanges);
    EXPECT_EQ(2025, cal.GetFirstYear());
    EXPECT_EQ(2, cal.GetFirstMonth());
    ASSERT_EQ(1u, Selected().size());
    EXPECT_EQ("2025-02-10 00:00", Text(Selected()[0]));
    EXPECT_EQ("2025-02-10 00:00", Text(cal.GetDate()));
}

TEST_F(CalendarTest, SetSelectedDatesChecksOnlyTheFirstDateAndNeedsMultipleSelection)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    CList<DATE, DATE> dates;
    dates.AddTail(double(Date(2024, 5, 30)));
    dates.AddTail(double(Date(2024, 9, 2)));
    cal.SetSelectedDates(dates, TRUE, TRUE);
    EXPECT_EQ("2024-05-08 00:00", Text(cal.GetDate())) << "single selection keeps its day";
    cal.EnableMultipleSelection(TRUE, FALSE);
    cal.SetSelectedDates(dates, TRUE, TRUE);
    EXPECT_EQ(5, cal.GetFirstMonth()) << "the second date, outside, moves nothing";
    EXPECT_EQ(2u, Selected().size());
    EXPECT_EQ(1, m_host.selectionChanges);
    // A first date outside shows its month.
    dates.RemoveAll();
    dates.AddTail(double(Date(2024, 8, 2, 10, 0, 0)));
    cal.SetSelectedDates(dates, FALSE, TRUE);
    EXPECT_EQ(8, cal.GetFirstMonth());
    EXPECT_EQ("2024-08-02 10:00", Text(Selected()[0])) << "added as given";
}

TEST_F(CalendarTest, MultipleSelectionOffEmptiesTwoDaysSilentlyAndKeepsOne)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.EnableMultipleSelection(TRUE, FALSE);
    cal.SelectDate(Date(2024, 5, 9), TRUE, FALSE, FALSE);
    ASSERT_EQ(2u, Selected().size());
    cal.EnableMultipleSelection(FALSE, FALSE);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(0, m_host.selectionChanges);
    cal.SelectDate(Date(2024, 5, 9), FALSE, FALSE, FALSE);
    cal.EnableMultipleSelection(TRUE, FALSE);
    cal.EnableMultipleSelection(FALSE, FALSE);
    EXPECT_EQ(1u, Selected().size());
}

TEST_F(CalendarTest, MarksAreKeptOnlyInsideTheShownRange)
{
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    CArray<DATE, DATE> dates;
    dates.Add(double(Date(2024, 5, 1, 8, 0, 0)));
    dates.Add(double(Date(2024, 5, 31, 23, 0, 0)));
    dates.Add(double(Date(2024, 4, 30, 12, 0, 0)));
    dates.Add(double(Date(2024, 6, 1)));
    cal.SetMarkedDates(dates, TRUE);
    EXPECT_TRUE(cal.IsDateMarked(2024, 5, 1));
    EXPECT_TRUE(cal.IsDateMarked(2024, 5, 31));
    EXPECT_FALSE(cal.IsDateMarked(2024, 4, 30));
    EXPECT_FALSE(cal.IsDateMarked(2024, 6, 1));
    EXPECT_FALSE(cal.IsDateMarked(2024, 2, 30));
}

TEST_F(CalendarTest, NotificationsGoToTheOwnerOnlyWithAWindow)
{
    CZUDPCalendar unmade;
    unmade.SelectDate(Date(2024, 5, 1));
    unmade.NotifySelectionChanged();
    CZUDPCalendar& cal = Make(m_metrics.monthWidth(), m_metrics.monthHeight());
    cal.ClearSelection(TRUE, TRUE);
    EXPECT_EQ(1, m_host.selectionChanges);
    cal.ClearSelection(TRUE, TRUE);
    EXPECT_EQ(1, m_host.selectionChanges) << "an empty selection is not cleared again";
    cal.SelectDate(Date(2024, 5, 2), FALSE, FALSE, FALSE);
    cal.UnselectDate(Date(2024, 5, 2), TRUE, TRUE);
    EXPECT_EQ(2, m_host.selectionChanges);
    cal.ShiftSelection(3.0);
    EXPECT_EQ(2, m_host.selectionChanges) << "nothing to shift";
}
