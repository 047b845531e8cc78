// The day view's painting, read off the pixels of the control painted into
// a DIB: working hours, selections, duration strips and bars, the boxes
// under the drawing flags, grips, the time scale, captions and the clock.
// Colours come from the global UI data and the visual manager's answers.
#include <algorithm>

#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerSeams.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

// The control's own working colour: working cells are filled with it,
// off-hours cells with the button face (the base manager's plain look).
const COLORREF kWorking = RGB(200, 220, 255);
const COLORREF kDuration = RGB(200, 40, 40);

COleDateTime At(const COleDateTime& day, int hour, int minute, int second = 0)
{
    return Date(day.GetYear(), day.GetMonth(), day.GetDay(), hour, minute, second);
}

class DayPaintTest : public PlannerViewTest {
protected:
    // A tall control (every hour row seen) in the plain look.
    void CreatePlain(const COleDateTime& start, int days, int unit = 1)
    {
        m_planner.m_clrBackground = kWorking;
        m_planner.m_nBackgroundStyle = 2;
        m_planner.m_TimeScale = unit;
        Create(200 + 150 * days, 1400, start, days);
        SetDrawFlags(0);
    }
    // The centre of a slot's cell of a day (the cells start 7 pixels in).
    CPoint Cell(int day, const COleDateTime& time)
    {
        const CRect rect = m_day.GetDayRects()[day];
        const int row = (time.GetHour() * 60 + time.GetMinute()) / m_day.GetSlotMinutes() - m_day.GetScrollPosition();
        return CPoint((rect.left + 7 + rect.right) / 2, rect.top + row * m_day.GetRowHeight() + m_day.GetRowHeight() / 2);
    }
    CZUDPAppointment* AddBox(const COleDateTime& start, const COleDateTime& finish, COLORREF duration = kDuration)
    {
        CZUDPAppointment* app = Add(start, finish, "", FALSE, FALSE);
        app->SetBackgroundColor(kBox);
        app->SetDurationColor(duration);
        Relayout();
        return app;
    }
    COLORREF PixelAfterPaint(const CPoint& point)
    {
        trovtest::DibCanvas canvas(m_day.GetRect().right + 20, 1400);
        Render(canvas);
        return canvas.Pixel(point.x, point.y);
    }
};

} // namespace

TEST_F(DayPaintTest, GridThenBandThenAppointmentsWithTheSelectedLastThenScaleAndCaptions)
{
    uitest::RecordingManagerScope manager;
    CreatePlain(kWednesday, 2);
    // Each appointment's own background names it in the record.
    const COLORREF kFirst = RGB(200, 0, 1), kSecond = RGB(200, 0, 2), kThird = RGB(200, 0, 3), kBand = RGB(200, 0, 4);
    CZUDPAppointment* first = AddBox(At(kWednesday, 9, 0), At(kWednesday, 10, 0));
    CZUDPAppointment* second = AddBox(At(kWednesday, 11, 0), At(kWednesday, 12, 0));
    CZUDPAppointment* third = AddBox(At(kWednesday, 13, 0), At(kWednesday, 14, 0));
    CZUDPAppointment* band = Add(kWednesday, Date(2024, 5, 9), "", TRUE, FALSE);
    first->SetBackgroundColor(kFirst);
    second->SetBackgroundColor(kSecond);
    third->SetBackgroundColor(kThird);
    band->SetBackgroundColor(kBand);
    Relayout();
    m_planner.SelectAppointment(first, TRUE, FALSE);
    m_planner.SelectAppointment(second, TRUE, FALSE);
    manager->Clear();
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);

    // The stages in the order their operations came: each stage's name
    // once, where it first appears.
    std::vector<std::string> stages;
    std::vector<COLORREF> boxes;
    std::vector<int> selected;
    for (const uitest::ManagerCall& call : manager->calls) {
        std::string stage;
        if (call.name == "FillPlannerBackground")
            stage = "grid";
        else if (call.name == "FillPlannerHeaderGap" || call.name == "FillPlannerSelection")
            stage = "band";
        else if (call.name == "GetPlannerDayColors") {
            stage = "appointments";
            boxes.push_back(COLORREF(call.flags.at(3)));
            selected.push_back(call.flags.at(0));
        } else if (call.name == "FillPlannerTimeScale")
            stage = "time scale";
        else if (call.name == "DrawPlannerCaption")
            stage = "captions";
        if (!stage.empty() && (stages.empty() || stages.back() != stage))
            stages.push_back(stage);
    }
    EXPECT_EQ((std::vector<std::string>{"grid", "band", "appointments", "time scale", "captions"}), stages);
    // The band's appointment, then the grid's unselected one, then the
    // selected ones in reverse order.
    EXPECT_EQ((std::vector<COLORREF>{kBand, kThird, kSecond, kFirst}), boxes);
    EXPECT_EQ((std::vector<int>{FALSE, FALSE, TRUE, TRUE}), selected);
    // The grid's background first, whole, then the working cells.
    const auto grid = manager->Of("FillPlannerBackground");
    ASSERT_FALSE(grid.empty());
    EXPECT_EQ(m_day.m_rectView, grid[0].rect);
    EXPECT_EQ(FALSE, grid[0].flags.at(0));
    EXPECT_EQ(2, manager->Count("DrawPlannerCaption"));
}

TEST_F(DayPaintTest, WorkingHoursSkipTheWeekendButTheSelectionShowsThere)
{
    CreatePlain(kFriday, 2);   // Friday and Saturday
    m_day.SetSelection(At(Date(2024, 5, 11), 10, 0), At(Date(2024, 5, 11), 10, 29, 59), FALSE);
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);
    const COLORREF face = g_uiEnvironment.m_colorButtonFace;
    const COLORREF selection = CZUDPVisualManager::GetActiveManager()->GetPlannerSelectionColor(&m_day);
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(0, At(kFriday, 8, 30)).x, Cell(0, At(kFriday, 8, 30)).y, face));
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(0, At(kFriday, 9, 0)).x, Cell(0, At(kFriday, 9, 0)).y, kWorking));
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(0, At(kFriday, 17, 30)).x, Cell(0, At(kFriday, 17, 30)).y, kWorking));
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(0, At(kFriday, 18, 0)).x, Cell(0, At(kFriday, 18, 0)).y, face));
    // Saturday: no working hours; the selected slot is painted all the same.
    const COleDateTime saturday = Date(2024, 5, 11);
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(1, At(saturday, 9, 0)).x, Cell(1, At(saturday, 9, 0)).y, face));
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(1, At(saturday, 10, 0)).x, Cell(1, At(saturday, 10, 0)).y, selection));
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(1, At(saturday, 10, 30)).x, Cell(1, At(saturday, 10, 30)).y, face));
}

TEST_F(DayPaintTest, AWholeDaySelectionShowsInTheAllDayBandNotTheGrid)
{
    CreatePlain(kWednesday, 2);
    const COLORREF selection = CZUDPVisualManager::GetActiveManager()->GetPlannerSelectionColor(&m_day);
    m_day.SetSelection(kWednesday, At(kWednesday, 23, 59, 59), FALSE);
    m_day.m_arDayFullySelected[0] = 1;   // as the view's selection marks it
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(0, At(kWednesday, 10, 0)).x, Cell(0, At(kWednesday, 10, 0)).y, kWorking));
    EXPECT_FALSE(trovtest::ColorAt(canvas, Cell(0, At(kWednesday, 3, 0)).x, Cell(0, At(kWednesday, 3, 0)).y, selection));
    const int bandY = m_day.m_rectView.top - m_day.GetAllDayBandHeight() / 2;
    const CRect first = m_day.GetDayRects()[0];
    const CRect second = m_day.GetDayRects()[1];
    EXPECT_TRUE(trovtest::ColorAt(canvas, first.CenterPoint().x, bandY, g_uiEnvironment.m_colorWindow));
    EXPECT_TRUE(trovtest::ColorAt(canvas, second.CenterPoint().x, bandY, g_uiEnvironment.m_colorButtonShadow));
    // A selection of a part of the day shows in the grid.
    m_day.SetSelection(At(kWednesday, 3, 0), At(kWednesday, 3, 29, 59), FALSE);
    Render(canvas);
    EXPECT_TRUE(trovtest::ColorAt(canvas, Cell(0, At(kWednesday, 3, 0)).x, Cell(0, At(kWednesday, 3, 0)).y, selection));
}

TEST_F(DayPaintTest, NoDurationStripsPutTheCellsAtTheDaysLeftEdge)
{
    CreatePlain(kWednesday, 2);
    CZUDPAppointment* fair = Add(At(kWednesday, 10, 30), At(Date(2024, 5, 9), 15, 0), "fair", FALSE, FALSE);
    fair->SetDurationColor(kDuration);
    Relayout();
    const CRect second = m_day.GetDayRects()[1];
    const int y = Cell(1, At(Date(2024, 5, 9), 11, 0)).y;
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);
    // The strip column of the second day carries the long appointment's
    // duration colour; a line closes it at left + 6.
    EXPECT_TRUE(trovtest::ColorAt(canvas, second.left + 3, y, kDuration));
    const COLORREF frame = CZUDPVisualManager::GetActiveManager()->GetPlannerFrameColor(&m_day);
    EXPECT_TRUE(trovtest::ColorAt(canvas, second.left + 6, y, frame));
    // Below its finish the strip is the window colour.
    EXPECT_TRUE(trovtest::ColorAt(canvas, second.left + 3, Cell(1, At(Date(2024, 5, 9), 16, 0)).y,
                                  g_uiEnvironment.m_colorWindow));

    SetDrawFlags(ZUDP_PLANNER_DRAW_VIEW_NO_DURATION);
    Render(canvas);
    EXPECT_TRUE(trovtest::ColorAt(canvas, second.left + 3, y, kWorking));
    EXPECT_TRUE(trovtest::ColorAt(canvas, second.left, y, frame));   // the day separator
}

TEST_F(DayPaintTest, TheDurationBarShowsTheExactTimesInsideTheRoundedBox)
{
    CreatePlain(kWednesday, 1);
    CZUDPAppointment* app = AddBox(At(kWednesday, 9, 10), At(kWednesday, 9, 50));
    const CRect box = app->GetDrawRect(kWednesday);
    // The box takes the 09:00 and 09:30 rows.
    EXPECT_EQ(2 * m_day.GetRowHeight(), box.Height());
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);
    // 09:10 and 09:50 are a sixth of the hour's box from its ends.
    const int top = box.top + box.Height() / 6;
    const int bottom = box.bottom - box.Height() / 6;
    const int x = box.left + 3;
    EXPECT_TRUE(trovtest::ColorAt(canvas, x, top + 2, kDuration));
    EXPECT_TRUE(trovtest::ColorAt(canvas, x, bottom - 3, kDuration));
    EXPECT_TRUE(trovtest::ColorAt(canvas, x, top - 3, g_uiEnvironment.m_colorWindow));
    EXPECT_TRUE(trovtest::ColorAt(canvas, x, bottom + 2, g_uiEnvironment.m_colorWindow));
}

TEST_F(DayPaintTest, TimesAreWrittenOnlyOffTheSlotBoundaries)
{
    CreatePlain(kWednesday, 1);
    CZUDPAppointment* onSlots = AddBox(At(kWednesday, 9, 0), At(kWednesday, 10, 0));
    CZUDPAppointment* offSlots = AddBox(At(kWednesday, 12, 10), At(kWednesday, 12, 50));
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);
    auto inked = [&](CZUDPAppointment* app) {
        CRect inside = app->GetDrawRect(kWednesday);
        inside.DeflateRect(9, 2);   // past the bar and the frame
        return canvas.CountOther(inside, kBox);
    };
    EXPECT_EQ(0, inked(onSlots));
    EXPECT_GT(inked(offSlots), 0);
    // And a half-minute appointment has a box to write in: one row.
    CZUDPAppointment* brief = AddBox(At(kWednesday, 15, 0, 0), At(kWednesday, 15, 0, 30));
    EXPECT_EQ(m_day.GetRowHeight(), brief->GetDrawRect(kWednesday).Height());
    Render(canvas);
    const CRect box = brief->GetDrawRect(kWednesday);
    EXPECT_TRUE(trovtest::ColorAt(canvas, box.left + 3, box.CenterPoint().y, kDuration));   // a full bar
}

TEST_F(DayPaintTest, AZeroLengthAppointmentShowsATriangle)
{
    CreatePlain(kWednesday, 1);
    CZUDPAppointment* app = AddBox(At(kWednesday, 10, 0), At(kWednesday, 10, 0));
    const CRect box = app->GetDrawRect(kWednesday);
    EXPECT_EQ(m_day.GetRowHeight(), box.Height());
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);
    EXPECT_TRUE(trovtest::ColorAt(canvas, box.left + 1, box.top + 2, kDuration));
    EXPECT_FALSE(trovtest::ColorAt(canvas, box.left + 4, box.top + 5, kDuration));   // beyond the diagonal
}

struct FlagCase {
    const char* name;
    DWORD flags;
    bool selected;
    // The box's top-left corner, the bar column above the bar, the bar's
    // middle and the grip above: which colour each shows (0xFF000000: any
    // other than the ones named by the other columns).
    enum Show { Fill, Border, Window, Duration, Grid, NotFill };
    Show corner, barAbove, barMiddle, gripAbove;
};

TEST_F(DayPaintTest, DrawingFlagsOnATimedBox)
{
    CreatePlain(kWednesday, 1);
    CZUDPAppointment* app = AddBox(At(kWednesday, 12, 10), At(kWednesday, 12, 50));
    COLORREF back = kBox, gradient = kBox, border = g_uiEnvironment.m_colorWindowFrame, selectionBorder = border,
             text = 0xFF000000;
    CZUDPVisualManager::GetActiveManager()->GetPlannerDayColors(&m_day, FALSE, TRUE, 0, back, gradient, border,
                                                               selectionBorder, text);
    const FlagCase cases[] = {
        { "plain", 0, false, FlagCase::Border, FlagCase::Window, FlagCase::Duration, FlagCase::Grid },
        // The box's corner lies over the day's duration-strip column (window
        // colour): cut by the rounded shape, it shows that column.
        { "rounded: the corner is cut", 0x2, false, FlagCase::Window, FlagCase::Window, FlagCase::Duration,
          FlagCase::Grid },
        { "bar inside the box: it stands out of the box's shape", 0x10, false, FlagCase::Window, FlagCase::Window,
          FlagCase::Duration, FlagCase::Grid },
        { "no bar: the box fills the column", 0x20, false, FlagCase::Border, FlagCase::Fill, FlagCase::Fill,
          FlagCase::Grid },
        { "selected: grips", 0, true, FlagCase::Border, FlagCase::Window, FlagCase::Duration, FlagCase::Duration },
        { "selected by colour only: no grips", 0x4, true, FlagCase::NotFill, FlagCase::Window, FlagCase::Duration,
          FlagCase::Grid },
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetDrawFlags(c.flags);
        m_planner.ClearAppointmentSelection(FALSE);
        if (c.selected)
            m_planner.SelectAppointment(app, TRUE, FALSE);
        trovtest::DibCanvas canvas(600, 1400);
        Render(canvas);
        const CRect box = app->GetDrawRect(kWednesday);
        const int barTop = box.top + box.Height() / 6;
        const COLORREF grid = canvas.Pixel(box.right + 2, box.top - 3);   // the cell beside the box
        auto expect = [&](FlagCase::Show show, int x, int y, const char* where) {
            SCOPED_TRACE(where);
            switch (show) {
            case FlagCase::Fill: EXPECT_TRUE(trovtest::ColorAt(canvas, x, y, kBox)); break;
            case FlagCase::Border: EXPECT_TRUE(trovtest::ColorAt(canvas, x, y, border)); break;
            case FlagCase::Window: EXPECT_TRUE(trovtest::ColorAt(canvas, x, y, g_uiEnvironment.m_colorWindow)); break;
            case FlagCase::Duration: EXPECT_TRUE(trovtest::ColorAt(canvas, x, y, kDuration)); break;
            case FlagCase::Grid: EXPECT_TRUE(trovtest::ColorAt(canvas, x, y, grid)); break;
            case FlagCase::NotFill: EXPECT_FALSE(trovtest::ColorAt(canvas, x, y, kBox)); break;
            }
        };
        expect(c.corner, box.left, box.top, "corner");
        expect(c.barAbove, box.left + 3, barTop - 3, "bar column above the bar");
        expect(c.barMiddle, box.left + 3, box.CenterPoint().y, "bar middle");
        expect(c.gripAbove, box.CenterPoint().x, box.top - 3, "grip above");
    }
    // Gradient: the top is lighter than the bottom.
    SetDrawFlags(0x1);
    m_planner.ClearAppointmentSelection(FALSE);
    trovtest::DibCanvas canvas(600, 1400);
    Render(canvas);
    const CRect box = app->GetDrawRect(kWednesday);
    const COLORREF top = canvas.Pixel(box.CenterPoint().x, box.top + 2);
    const COLORREF bottom = canvas.Pixel(box.CenterPoint().x, box.bottom - 3);
    EXPECT_GT(GetRValue(top) + GetGValue(top) + GetBValue(top), GetRValue(bottom) + GetGValue(bottom) + GetBValue(bottom));
}

// ---- time scale, captions and the clock ----------------------------------------------------------

TEST_F(PlannerViewTest, TimeScaleLabelsIn24HourAnd12HourLocales)
{
    struct LabelCase {
        const char* clock;
        int hour, slotsPerHour;
        bool first;
        const char* hourText;
        const char* minutes;
    } cases[] = {
        { "1", 0, 1, false, " 0:00", "" },
        { "1", 9, 1, false, " 9:00", "" },
        { "1", 23, 1, false, "23:00", "" },
        { "0", 0, 1, false, "12 am", "" },
        { "0", 1, 1, false, " 1:00", "" },
        { "0", 11, 1, false, "11:00", "" },
        { "0", 12, 1, false, "12 pm", "" },
        { "0", 13, 1, false, " 1:00", "" },
        { "1", 9, 2, true, "9", "00" },
        { "1", 14, 4, false, "14", "00" },
        { "0", 0, 2, false, "12", "am" },
        { "0", 9, 2, true, "9", "am" },    // the first hour shown
        { "0", 10, 2, false, "10", "00" },
        { "0", 12, 2, false, "12", "pm" },
        { "0", 15, 2, true, "3", "pm" },
    };
    for (const LabelCase& c : cases) {
        std::map<DWORD, std::string> locale = TestLocale();
        locale[LOCALE_ITIME] = c.clock;
        plannertest::ScopedPlannerLocale scope(locale);
        const CZUDPPlannerViewDay::TimeScaleLabel label =
            CZUDPPlannerViewDay::GetTimeScaleLabel(c.hour, c.slotsPerHour, c.first);
        EXPECT_STREQ(c.hourText, label.hour) << c.clock << " " << c.hour << " " << c.slotsPerHour;
        EXPECT_STREQ(c.minutes, label.minutes) << c.clock << " " << c.hour << " " << c.slotsPerHour;
    }
}

// A right-aligned label wider than its cell loses its left end: "12 am"
// drawn into a narrow scale read "2 am". The label takes the scale's left
// margin first, then sheds its space and designator, never its digits.
TEST_F(PlannerViewTest, WholeHourLabelsTooWideForTheScaleKeepTheirHour)
{
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ hOld = dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
    const int full = dc.GetTextExtent(CString("12 am")).cx;
    const int joined = dc.GetTextExtent(CString("12am")).cx;
    const int digits = dc.GetTextExtent(CString("12")).cx;
    ASSERT_LT(digits, joined);
    ASSERT_LT(joined, full);
    struct FitCase {
        int cellWidth, margin;  // the cell, and how far left of it the scale starts
        const char* text;
        int leftShift;          // how far the cell moved left
    } cases[] = {
        { full, 4, "12 am", 0 },            // fits as it is
        { full - 2, 4, "12 am", 4 },        // fits with the margin
        { joined - 4, 4, "12am", 4 },       // the space goes
        { digits - 6, 4, "12", 4 },         // the designator goes; the digits stay even when cut
        { joined, 0, "12am", 0 },
    };
    for (const FitCase& c : cases) {
        CRect cell(100, 0, 100 + c.cellWidth, 20);
        const CString fitted = CZUDPPlannerViewDay::FitHourLabel(&dc, "12 am", cell, 100 - c.margin);
        EXPECT_STREQ(c.text, fitted) << c.cellWidth;
        EXPECT_EQ(100 - c.leftShift, cell.left) << c.cellWidth;
        EXPECT_EQ(100 + c.cellWidth, cell.right) << c.cellWidth;
    }
    // A 24-hour label that fits is left alone.
    CRect wide(0, 0, 200, 20);
    EXPECT_STREQ(" 1:00", CZUDPPlannerViewDay::FitHourLabel(&dc, " 1:00", wide, 0));
    dc.SelectObject(hOld);
    ::DeleteDC(dc.Detach());
}

TEST_F(PlannerViewTest, TheCurrentTimeMarkAndTheMinuteTicks)
{
    const int r0 = MeasuredRowHeight();
    if (r0 > 20)
        GTEST_SKIP() << "the font's rows are taller than 20 pixels";
    // Half-hour rows of exactly 20 pixels: the whole day fits in 1010.
    m_planner.m_TimeScale = 1;
    Create(400, 1010, kWednesday);
    ASSERT_EQ(20, m_day.GetRowHeight());
    ASSERT_EQ(0, m_day.GetScrollPosition());
    trovtest::DibCanvas canvas(400, 1010);
    Render(canvas);
    // 14:30 is 29 rows of 20 below the line above 00:00; the mark is half a
    // row high and ends with a line.
    const CRect scale = m_day.GetTimeScaleRect();
    const int zeroLine = m_day.m_rectView.top - 1;
    const int bottom = zeroLine + 580;
    const int x = scale.right - 3;   // right of the minute column: no label there
    const COLORREF caption = g_uiEnvironment.m_colorActiveCaption;
    EXPECT_TRUE(trovtest::ColorAt(canvas, x, bottom - 10, caption));
    EXPECT_TRUE(trovtest::ColorAt(canvas, x, bottom - 2, caption));
    EXPECT_TRUE(trovtest::ColorAt(canvas, x, bottom - 1, g_uiEnvironment.m_colorBarShadow));
    EXPECT_FALSE(trovtest::ColorAt(canvas, x, bottom - 11, caption));
    EXPECT_FALSE(trovtest::ColorAt(canvas, x, bottom, caption));
    // Without today in the range there is no mark.
    Show(Date(2024, 5, 9), 1);
    Render(canvas);
    EXPECT_EQ(0, canvas.CountColor(scale, caption));

    // Quarter hours: three ticks in the minute column, at least 18 pixels
    // wide even for a font whose "000" is narrower.
    LOGFONTA lf = {};
    lf.lfHeight = -6;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    m_day.SetFont(::CreateFontIndirectA(&lf));
    Show(kWednesday, 1);
    SetTimeScale(3);
    Render(canvas);
    const CRect scale15 = m_day.GetTimeScaleRect();
    const COLORREF line = g_uiEnvironment.m_colorButtonShadow;
    const int row = m_day.GetRowHeight();
    const int hourTop = m_day.m_rectView.top - m_day.GetScrollPosition() * row - 1 + 12 * 4 * row;   // 12:00
    int ticks = 0;
    for (int y = hourTop + 1; y < hourTop + 4 * row; ++y)
        ticks += canvas.Pixel(scale15.right - 6, y) == line;
    EXPECT_EQ(3, ticks);
    // The ticks start 18 pixels before the column's inner edge.
    const int tickY = hourTop + row;
    EXPECT_EQ(line, canvas.Pixel(scale15.right - 5 - 18, tickY));
    EXPECT_NE(line, canvas.Pixel(scale15.right - 5 - 19, tickY));
}

TEST_F(PlannerViewTest, TheClockTicksEveryMinuteAndStopsAfterMidnight)
{
    m_now = Date(2024, 5, 8, 23, 59, 0);
    Create(400, 600, kWednesday);
    ASSERT_TRUE(m_day.IsClockRunning());
    ASSERT_FALSE(m_timers.empty());
    EXPECT_EQ(ZUDP_PLANNER_TIMER_CLOCK, m_timers.front().id);
    EXPECT_EQ(ZUDP_PLANNER_CLOCK_PERIOD, m_timers.front().elapse);
    // A tick in the day keeps it running and reads the time.
    m_planner.SendMessage(WM_TIMER, ZUDP_PLANNER_TIMER_CLOCK, 0);
    EXPECT_TRUE(m_day.IsClockRunning());
    EXPECT_TRUE(m_day.m_dtNow == m_now);
    // The first tick after midnight, the next day not shown: it stops.
    m_now = Date(2024, 5, 9, 0, 0, 30);
    m_planner.SendMessage(WM_TIMER, ZUDP_PLANNER_TIMER_CLOCK, 0);
    EXPECT_FALSE(m_day.IsClockRunning());
    EXPECT_TRUE(m_timers.back().kill);
    EXPECT_EQ(ZUDP_PLANNER_TIMER_CLOCK, m_timers.back().id);
    // A range without today does not start it; one with today does.
    m_timers.clear();
    Show(Date(2024, 5, 10), 1);
    EXPECT_FALSE(m_day.IsClockRunning());
    Show(Date(2024, 5, 8), 2);
    EXPECT_TRUE(m_day.IsClockRunning());
    m_day.OnDeactivate(&m_planner);
    EXPECT_FALSE(m_day.IsClockRunning());
    m_day.OnActivate(&m_planner, nullptr);
}

TEST_F(PlannerViewTest, CaptionFormatsWidestFirstAndTheFirstThatFits)
{
    Create(400, 400, kWednesday);
    struct FormatCase {
        const char* name;
        const char* dayFirst;
        const char* separator;
        DWORD flags;
        std::vector<std::string> formats;
    } cases[] = {
        { "month first", "0", "/", 0, { "dddd MMMM d", "dddd MMM d", "ddd MMM d", "M/d" } },
        { "day first", "1", ".", 0, { "dddd d MMMM", "dddd d MMM", "ddd d MMM", "d.M" } },
        { "two-part", "1", ".", ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT, { "d\ndddd", "d\nddd", "d" } },
    };
    for (const FormatCase& c : cases) {
        std::map<DWORD, std::string> locale = TestLocale();
        locale[LOCALE_IDATE] = c.dayFirst;
        locale[LOCALE_SDATE] = c.separator;
        plannertest::ScopedPlannerLocale scope(locale);
        m_planner.m_bDrawFlagsFromManager = FALSE;
        m_planner.m_dwDrawFlags = c.flags;
        CStringArray formats;
        m_day.GetCaptionFormatStrings(formats);
        ASSERT_EQ(INT_PTR(c.formats.size()), formats.GetSize()) << c.name;
        for (size_t i = 0; i < c.formats.size(); ++i)
            EXPECT_STREQ(c.formats[i].c_str(), formats[INT_PTR(i)]) << c.name;
    }
}

TEST_F(PlannerViewTest, TheCaptionFormatIsTheFirstWithWhichEveryDayFits)
{
    // A month with a long name: the full and the short name differ.
    const COleDateTime september = Date(2024, 9, 11);
    Create(400, 400, september);
    SetDrawFlags(0);
    CStringArray formats;
    m_day.GetCaptionFormatStrings(formats);
    ASSERT_EQ(4, formats.GetSize());
    // The texts as the view measures them, in its caption font.
    HFONT font = HFONT(m_day.GetFont(TRUE)->GetSafeHandle());
    auto width = [&](const char* format) {
        CString text;
        CZUDPPlannerView::FormatDate(september, text, format);
        return int(trovtest::MeasureText(font, text).cx);
    };
    auto chosenFor = [&](int dayWidth) {
        Resize(m_day.GetTimeScaleRect().Width() + dayWidth, 400);
        return CString(m_day.GetCaptionFormat());
    };
    const int widest = width(formats[0]);
    const int second = width(formats[1]);
    ASSERT_GT(widest, second);
    EXPECT_STREQ(formats[0], chosenFor(widest + 6));
    EXPECT_STREQ(formats[1], chosenFor(widest + 5));
    EXPECT_STREQ(formats[1], chosenFor(second + 6));
    // The last one is taken without measuring.
    EXPECT_STREQ(formats[3], chosenFor(8));

    // Two-part captions need a day 10/6 of the text wide, and 6 more.
    SetDrawFlags(ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT);
    m_day.GetCaptionFormatStrings(formats);
    const int twoPart = width(formats[0]) * 10 / 6;
    EXPECT_STREQ(formats[0], chosenFor(twoPart + 6));
    EXPECT_STREQ(formats[1], chosenFor(twoPart + 5));
}

TEST(PlannerViewLocale, DesignatorsOfFifteenCharactersAndFailedReadsAreWhole)
{
    plannertest::ScopedPlannerLocale scope({ { LOCALE_S1159, "before midday.." }, { LOCALE_S2359, "" } });
    EXPECT_STREQ("before midday..", CZUDPPlannerView::GetAmPmDesignator(TRUE));
    EXPECT_STREQ("", CZUDPPlannerView::GetAmPmDesignator(FALSE));
    // The system's reader: a value it cannot read is empty, not garbage.
    EXPECT_STREQ("", PlannerSystemLocaleInfo(0x7FFF));
    EXPECT_FALSE(PlannerSystemLocaleInfo(LOCALE_STIME).IsEmpty());
}

TEST(PlannerViewCursors, TheSharedResizeCursorsOutliveTheViews)
{
    HCURSOR sizeWE = ::LoadCursor(nullptr, IDC_SIZEWE);
    {
        CZUDPPlannerViewDay first;
        CZUDPPlannerViewDay second;
    }
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(::LoadCursor(nullptr, IDC_SIZEWE), &info));
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    EXPECT_EQ(sizeWE, ::LoadCursor(nullptr, IDC_SIZEWE));
}

TEST_F(PlannerViewTest, LayoutAndPaintingSurviveNoRowsAndNoDays)
{
    Create(400, 400, kWednesday);
    Add(Date(2024, 5, 8, 10, 0, 0), Date(2024, 5, 8, 11, 0, 0), "ten");
    trovtest::DibCanvas canvas(400, 400);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    // A row height of 0 (before any layout, or a font without metrics).
    m_day.m_nRowHeight = 0;
    m_day.UpdateScrollBar();
    m_day.OnDrawClient(pDC, m_day.m_rectView);
    m_day.EnsureAppointmentVisible(m_planner.GetQueriedAppointments()[0]);
    // An end before the start: one day is laid out.
    m_day.m_dtDateEnd = m_day.m_dtDateStart - COleDateTimeSpan(3.0);
    m_day.AdjustLayout(FALSE);
    EXPECT_EQ(1, m_day.GetDayRects().GetSize());
    Render(canvas);
}
