// The day view's layout: bands and row height from measured metrics, day
// columns, the placement of appointments, all-day rows, hit testing and
// scrolling by rows.
#include <algorithm>
#include <functional>
#include <vector>

#include "tests/ui/planner/PlannerViewTestSupportWin.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {


} // namespace

struct BandCase {
    const char* name;
    int unit;
    // The control's height from the measured row height r.
    std::function<int(int r)> height;
    int allDay;   // all-day appointments on the day
    // Expected row, header band and all-day band heights and the rows of
    // the grid that are seen (the page).
    std::function<int(int r)> row;
    std::function<int(int r)> header;
    std::function<int(int r)> band;
    std::function<int(int r)> page;
};

TEST_F(PlannerViewTest, BandsAndRowsFromTheMeasuredRowHeight)
{
    const BandCase cases[] = {
        // Short: the font's rows, the band takes what no whole row can use.
        { "hours, short control", 0, [](int r) { return 26 * r; }, 0, [](int r) { return r; }, [](int r) { return r; },
          [](int r) { return 2 * r; }, [](int) { return 23; } },
        // Tall: the rows grow until the day fills the grid; the leftover
        // pixels go to the band.
        { "hours, tall control", 0, [](int r) { return 26 * (r + 5) + 3; }, 0, [](int r) { return r + 5; },
          [](int r) { return r + 5; }, [](int r) { return r + 8; }, [](int) { return 24; } },
        // Three all-day rows: the header takes the first pass's rows (r + 4),
        // the grid the second pass's (r + 3); the band what is left above
        // 24 of those.
        { "hours, three all-day rows", 0, [](int r) { return 28 * (r + 4); }, 3, [](int r) { return r + 3; },
          [](int r) { return r + 4; }, [](int r) { return 3 * r + 36; }, [](int) { return 24; } },
        // Half-hour slots: 48 rows; a short control scrolls.
        { "half hours, short control", 1, [](int r) { return 20 * r; }, 0, [](int r) { return r; },
          [](int r) { return r; }, [](int r) { return 2 * r; }, [](int) { return 17; } },
    };
    const int r = MeasuredRowHeight();
    Create(600, 26 * r, kWednesday);
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveAll();
        m_planner.m_TimeScale = c.unit;
        Resize(600, c.height(r));
        for (int i = 0; i < c.allDay; ++i)
            Add(kWednesday, kWednesday, "all day", TRUE, FALSE);
        Relayout();
        EXPECT_EQ(c.row(r), m_day.GetRowHeight());
        EXPECT_EQ(c.header(r), m_day.GetHeaderBandHeight());
        EXPECT_EQ(c.band(r), m_day.GetAllDayBandHeight());
        EXPECT_EQ(c.page(r), m_day.GetScrollPage());
        EXPECT_EQ(c.header(r) + c.band(r), m_day.m_rectView.top);
        EXPECT_EQ(c.height(r), m_day.m_rectView.bottom);
        // The grid holds whole rows.
        EXPECT_EQ(0, m_day.m_rectView.Height() % m_day.GetRowHeight());
        // The time scale is measured on the font's rows, before they grow.
        EXPECT_EQ(MeasuredTimeScaleWidth(c.unit), m_day.GetTimeScaleRect().Width());
        EXPECT_EQ(m_day.GetTimeScaleRect().right, m_day.m_rectView.left);
        // Nothing to scroll once the day fits.
        if (c.page(r) >= m_day.GetSlotsPerDay()) {
            EXPECT_EQ(0, m_day.GetScrollPosition());
            EXPECT_FALSE(m_day.OnVScroll(SB_PAGEDOWN, 0, nullptr));
        }
    }
}

TEST_F(PlannerViewTest, SevenColumnsOf703PixelsAreHundredWideAndTheLastTakesTheRest)
{
    Create(MeasuredTimeScaleWidth(0) + 703, 400, kMonday, 7);
    ASSERT_EQ(7, m_day.GetDayRects().GetSize());
    const CRect view = m_day.m_rectView;
    for (int d = 0; d < 6; ++d) {
        EXPECT_EQ(view.left + 100 * d, m_day.GetDayRects()[d].left) << d;
        EXPECT_EQ(100, m_day.GetDayRects()[d].Width()) << d;
        EXPECT_EQ(view.top, m_day.GetDayRects()[d].top);
        EXPECT_EQ(view.bottom, m_day.GetDayRects()[d].bottom);
    }
    EXPECT_EQ(103, m_day.GetDayRects()[6].Width());
    EXPECT_EQ(view.right, m_day.GetDayRects()[6].right);
    EXPECT_EQ(7, m_day.m_arDayFullySelected.GetSize());
}

TEST_F(PlannerViewTest, AllDayRowsCountTheBusiestDay)
{
    // One day, three all-day appointments: three rows.
    Create(600, 900, kWednesday);
    for (int i = 0; i < 3; ++i)
        Add(kWednesday, kWednesday, "all day", TRUE);
    EXPECT_EQ(3, m_day.CountAllDayRows());

    // Five days, one all-day appointment on each: one row.
    RemoveAll();
    Show(kMonday, 5);
    for (int d = 0; d < 5; ++d)
        Add(kMonday + COleDateTimeSpan(double(d)), kMonday + COleDateTimeSpan(double(d)), "day", TRUE);
    EXPECT_EQ(1, m_day.CountAllDayRows());

    // A long timed appointment ending exactly at midnight does not reach
    // the day that midnight begins; one ending later does.
    Add(kMonday + COleDateTimeSpan(0, 10, 0, 0), kMonday + COleDateTimeSpan(2.0), "to midnight");
    EXPECT_EQ(2, m_day.CountAllDayRows());
    Add(kMonday + COleDateTimeSpan(1, 0, 30, 0), kMonday + COleDateTimeSpan(2, 1, 0, 0), "past midnight");
    EXPECT_EQ(3, m_day.CountAllDayRows());   // the Tuesday holds all three
}

// ---- placement ----------------------------------------------------------------------------------

struct Span {
    COleDateTime start;
    COleDateTime finish;
};

// Where the grid's geometry puts things: the day's left and right, the top
// of row 0 and the row height.
struct Grid {
    int left, right, top, row;
    int Line(int rows) const { return top + rows * row - 1; }
    int Half() const { return (right - left) / 2; }
};

struct PlacementCase {
    const char* name;
    std::vector<Span> apps;
    std::vector<std::function<CRect(const Grid&)>> expected;
};

COleDateTime At(int hour, int minute, int second = 0) { return Date(2024, 5, 8, hour, minute, second); }

TEST_F(PlannerViewTest, TimedAppointmentsShareTheDayWhereTheirRowsOverlap)
{
    const auto full = [](int top, int bottom) {
        return [=](const Grid& g) { return CRect(g.left, g.Line(top), g.right - 6, g.Line(bottom)); };
    };
    const auto firstOfTwo = [](int top, int bottom) {
        return [=](const Grid& g) { return CRect(g.left, g.Line(top), g.left + g.Half() - 3, g.Line(bottom)); };
    };
    const auto secondOfTwo = [](int top, int bottom) {
        return [=](const Grid& g) { return CRect(g.left + g.Half(), g.Line(top), g.right - 6, g.Line(bottom)); };
    };
    // Rows of 30 minutes: 09:00 is row 18.
    const PlacementCase cases[] = {
        { "touching boxes do not overlap", { { At(9, 0), At(10, 0) }, { At(10, 0), At(11, 0) } },
          { full(18, 20), full(20, 22) } },
        { "10:05 rounds up to 10:30 and overlaps", { { At(9, 0), At(10, 5) }, { At(10, 0), At(11, 0) } },
          { firstOfTwo(18, 21), secondOfTwo(20, 22) } },
        { "B and C move to column 1, A stops short of it",
          { { At(9, 0), At(12, 0) }, { At(10, 0), At(11, 0) }, { At(11, 30), At(12, 30) } },
          { firstOfTwo(18, 24), secondOfTwo(20, 22), secondOfTwo(23, 25) } },
        { "C overlaps nothing later and spans the day",
          { { At(9, 0), At(10, 0) }, { At(9, 30), At(10, 30) }, { At(11, 0), At(12, 0) } },
          { firstOfTwo(18, 20), secondOfTwo(19, 21), full(22, 24) } },
        { "zero length is one row", { { At(10, 0), At(10, 0) } }, { full(20, 21) } },
        { "half a minute is one row, not none", { { At(10, 0, 0), At(10, 0, 30) } }, { full(20, 21) } },
    };
    Create(600, 1400, kWednesday);
    SetTimeScale(1);
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveAll();
        std::vector<CZUDPAppointment*> apps;
        for (const Span& span : c.apps)
            apps.push_back(Add(span.start, span.finish, "", FALSE, FALSE));
        Relayout();
        ASSERT_EQ(1, m_day.GetDayRects().GetSize());
        const CRect day = m_day.GetDayRects()[0];
        const Grid grid{ day.left, day.right, day.top - m_day.GetScrollPosition() * m_day.GetRowHeight(),
                         m_day.GetRowHeight() };
        for (size_t i = 0; i < apps.size(); ++i) {
            const CRect expected = c.expected[i](grid);
            const CRect actual = apps[i]->GetDrawRect(kWednesday);
            EXPECT_EQ(expected, actual) << "appointment " << i << ": expected (" << expected.left << ", "
                                        << expected.top << ", " << expected.right << ", " << expected.bottom
                                        << "), got (" << actual.left << ", " << actual.top << ", " << actual.right
                                        << ", " << actual.bottom << ")";
        }
    }
}

TEST_F(PlannerViewTest, AppointmentsCrossingMidnightAndLongOnesFindTheirPlaces)
{
    Create(800, 1400, Date(2024, 5, 7), 2);
    SetTimeScale(1);
    CZUDPAppointment* night = Add(Date(2024, 5, 7, 22, 0, 0), Date(2024, 5, 8, 2, 0, 0), "night");
    CZUDPAppointment* dayLong = Add(Date(2024, 5, 7, 10, 0, 0), Date(2024, 5, 8, 10, 0, 0), "a day");
    const int r = m_day.GetRowHeight();
    const CRect first = m_day.GetDayRects()[0];
    const CRect second = m_day.GetDayRects()[1];
    const int top = first.top - m_day.GetScrollPosition() * r;

    // Four hours across midnight: in both days' grids, to the bottom of the
    // first and from the top of the second.
    EXPECT_FALSE(night->IsLong());
    EXPECT_EQ(CRect(first.left, top + 44 * r - 1, first.right - 6, top + 48 * r - 1),
              night->GetDrawRect(Date(2024, 5, 7)));
    EXPECT_EQ(CRect(second.left, top - 1, second.right - 6, top + 4 * r - 1), night->GetDrawRect(Date(2024, 5, 8)));

    // A whole day is long: a bar in the all-day band across both days.
    EXPECT_TRUE(dayLong->IsLong());
    const int bandTop = m_day.m_rectView.top - m_day.GetAllDayBandHeight();
    EXPECT_EQ(CRect(first.left, bandTop + 1, second.right, bandTop + 1 + r), dayLong->GetDrawRect(Date(2024, 5, 7)));
    EXPECT_TRUE(dayLong->IsVisibleDraw(Date(2024, 5, 8)));
}

TEST_F(PlannerViewTest, LongAppointmentsTakeTheFirstFreeBandRow)
{
    Create(MeasuredTimeScaleWidth(0) + 700, 900, kMonday, 7);
    const COleDateTimeSpan day(1.0);
    auto days = [](int n) { return COleDateTimeSpan(double(n)); };
    // In display order (the longest first at equal starts): D Mon-Sun in
    // row 0; A Mon-Wed under it; B Tue-Thu under both; C Thu-Fri beside A,
    // whose bar ends where Thursday begins.
    CZUDPAppointment* a = Add(kMonday, kMonday + days(2), "A", TRUE);
    CZUDPAppointment* b = Add(kMonday + day, kMonday + days(3), "B", TRUE);
    CZUDPAppointment* c = Add(kMonday + days(3), kMonday + days(4), "C", TRUE);
    CZUDPAppointment* d = Add(kMonday, kMonday + days(6), "D", TRUE);
    const int r = m_day.GetRowHeight();
    const int row0 = m_day.m_rectView.top - m_day.GetAllDayBandHeight() + 1;
    auto firstRowOf = [&](CZUDPAppointment* app) {
        return (app->GetDrawParts().GetDrawStruct(0)->GetRect().top - row0) / (r + 2);
    };
    EXPECT_EQ(0, firstRowOf(d));
    EXPECT_EQ(1, firstRowOf(a));
    EXPECT_EQ(2, firstRowOf(b));
    EXPECT_EQ(1, firstRowOf(c));
    EXPECT_EQ(3, m_day.CountAllDayRows());
}

TEST_F(PlannerViewTest, FiveHundredLongAppointmentsAreRowedAndEveryRowIsFree)
{
    Create(MeasuredTimeScaleWidth(0) + 700, 600, kMonday, 7);
    for (int i = 0; i < 500; ++i) {
        const COleDateTime start = kMonday + COleDateTimeSpan(double(i % 5));
        Add(start, start + COleDateTimeSpan(double(1 + i % 3)), "long", TRUE, FALSE);
    }
    Relayout();
    // No two bars of one row overlap.
    std::vector<CRect> bars;
    for (INT_PTR i = 0; i < m_planner.GetQueriedAppointments().GetSize(); ++i)
        bars.push_back(m_planner.GetQueriedAppointments()[i]->GetDrawParts().GetDrawStruct(0)->GetRect());
    ASSERT_EQ(500u, bars.size());
    for (size_t i = 0; i < bars.size(); ++i)
        for (size_t j = i + 1; j < bars.size(); ++j) {
            CRect common;
            ASSERT_FALSE(common.IntersectRect(bars[i], bars[j])) << i << " and " << j;
        }
}

// ---- hit testing and scrolling ----------------------------------------------------------------------

TEST_F(PlannerViewTest, HitCodesOfTheDayViewsAreas)
{
    Create(600, 300, kWednesday, 1, TRUE);
    m_day.m_nScrollOffset = 5;   // hidden appointments above and below
    CZUDPAppointment* early = Add(At(1, 0), At(2, 0), "early");
    CZUDPAppointment* late = Add(At(22, 0), At(23, 0), "late");
    CZUDPAppointment* seen = Add(At(12, 0), At(14, 0), "seen");
    CZUDPAppointment* allDay = Add(kWednesday, kWednesday, "all day", TRUE);
    (void)early;
    (void)late;
    ASSERT_EQ(1, m_day.GetUpIconRects().GetSize());
    ASSERT_EQ(1, m_day.GetDownIconRects().GetSize());

    const CRect scale = m_day.GetTimeScaleRect();
    const CRect view = m_day.m_rectView;
    const int header = m_day.GetHeaderBandHeight();
    const CRect box = seen->GetDrawRect(kWednesday);
    const CRect bar = allDay->GetDrawRect(kWednesday);
    struct HitCase {
        const char* name;
        CPoint point;
        int code;
    } cases[] = {
        { "time scale beside the captions", CPoint(scale.left + 2, 2), 0 },
        { "time scale at the band's bottom", CPoint(scale.left + 2, header + m_day.GetAllDayBandHeight()), 0 },
        { "time scale beside the grid", CPoint(scale.left + 2, view.top + 5), 1 },
        { "up icon", m_day.GetUpIconRects()[0].CenterPoint(), 9 },
        { "down icon", m_day.GetDownIconRects()[0].CenterPoint(), 10 },
        { "day caption", CPoint(view.left + 20, header / 2), 3 },
        { "all-day band below the bar", CPoint(view.right - 3, header + m_day.GetAllDayBandHeight() - 1), 4 },
        { "all-day appointment", CPoint(bar.CenterPoint().x, bar.CenterPoint().y), 11 },
        { "grid", CPoint(view.left + 20, view.bottom - 3), 6 },
        { "appointment body", CPoint(box.CenterPoint().x, box.CenterPoint().y), 11 },
        { "appointment top edge", CPoint(box.CenterPoint().x, box.top + 1), 13 },
        { "appointment bottom edge", CPoint(box.CenterPoint().x, box.bottom - 1), 14 },
        { "right of the view (scroll bar)", CPoint(view.right + 2, view.top + 5), 0 },
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(c.code, m_day.HitTest(c.point)) << c.name;
}

TEST_F(PlannerViewTest, RowsScrollWithinTheDayAndTheIconsFollow)
{
    Create(600, 400, kWednesday, 1, TRUE);
    const int page = m_day.GetScrollPage();
    ASSERT_GT(page, 0);
    ASSERT_LT(page, 24);
    EXPECT_EQ(23, m_day.GetScrollMaximum());

    EXPECT_TRUE(m_day.OnVScroll(SB_LINEDOWN, 0, nullptr));
    EXPECT_EQ(1, m_day.GetScrollPosition());
    EXPECT_TRUE(m_day.OnVScroll(SB_BOTTOM, 0, nullptr));
    EXPECT_EQ(24 - page, m_day.GetScrollPosition());
    // Page down on the last page changes nothing.
    EXPECT_FALSE(m_day.OnVScroll(SB_PAGEDOWN, 0, nullptr));
    EXPECT_EQ(24 - page, m_day.GetScrollPosition());
    EXPECT_TRUE(m_day.OnVScroll(SB_THUMBTRACK, 0, nullptr));
    EXPECT_EQ(0, m_day.GetScrollPosition());
    EXPECT_FALSE(m_day.OnVScroll(SB_ENDSCROLL, 0, nullptr));   // above 7: ignored
    EXPECT_TRUE(m_day.OnVScroll(SB_PAGEDOWN, 0, nullptr));
    EXPECT_TRUE(m_day.OnVScroll(SB_TOP, 0, nullptr));
    EXPECT_EQ(0, m_day.GetScrollPosition());

    // The scroll bar shows the rows.
    SCROLLINFO info = { sizeof info, SIF_ALL };
    m_planner.GetScrollBarCtrl(SB_VERT)->GetScrollInfo(&info);
    EXPECT_EQ(23, info.nMax);
    EXPECT_EQ(UINT(page), info.nPage);

    // An appointment below the page brings a down icon; scrolled to, it is
    // seen and the icon goes.
    CZUDPAppointment* late = Add(At(22, 0), At(23, 0), "late");
    EXPECT_EQ(1, m_day.GetDownIconRects().GetSize());
    EXPECT_FALSE(late->IsVisibleDraw(kWednesday));
    EXPECT_TRUE(m_day.EnsureAppointmentVisible(late));
    EXPECT_TRUE(late->IsVisibleDraw(kWednesday));
    EXPECT_EQ(0, m_day.GetDownIconRects().GetSize());
    // Already seen: nothing scrolls.
    const int position = m_day.GetScrollPosition();
    EXPECT_TRUE(m_day.EnsureAppointmentVisible(late));
    EXPECT_EQ(position, m_day.GetScrollPosition());
    EXPECT_FALSE(m_day.EnsureAppointmentVisible(nullptr));
}

TEST_F(PlannerViewTest, ARangeChangedWithoutItsLayoutReadsOnlyTheDaysLaidOut)
{
    Create(600, 400, kWednesday);
    Add(At(10, 0), At(11, 0), "ten");
    // Seven days shown, one day laid out (as while an edit closes inside a
    // change of range): painting, hit testing and placing stay in bounds.
    m_day.m_dtDateEnd = kWednesday + COleDateTimeSpan(6.999988425925926);
    ASSERT_EQ(7, m_day.GetViewDuration());
    ASSERT_EQ(1, m_day.GetDayRects().GetSize());
    trovtest::DibCanvas canvas(600, 400);
    Render(canvas);
    EXPECT_TRUE(m_day.CZUDPPlannerView::GetDateFromPoint(m_day.GetDayRects()[0].CenterPoint()) == kWednesday);
    m_day.AdjustAppointments();
    m_day.AdjustUpDownIcons(FALSE);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    m_day.AdjustCaptionFormat(pDC);
    EXPECT_EQ(0, m_day.GetUpIconRects().GetSize());
}
