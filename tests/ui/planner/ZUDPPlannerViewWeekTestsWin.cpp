// The week view in a planner control: its range and day cells for each
// first day of the week, lines and icons, captions, week steps, keys and
// resize edges.
#include <gtest/gtest.h>

#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

// The class-wide first day of the week, set for a test's scope.
class CWeekStartSetter : public CZUDPPlannerManagerCtrl {
public:
    static void Set(int day) { s_nFirstDayOfWeek = day; }
};

class WeekViewTest : public PlannerViewTest {
protected:
    WeekViewTest() : m_keys(g_frameworkSeams.keyState, [this](int key) -> SHORT {
                         return key == VK_SHIFT && m_shift ? SHORT(0x8000) : SHORT(0);
                     })
    {
        m_firstDay = CZUDPPlannerManagerCtrl::GetFirstDayOfWeek();
        CWeekStartSetter::Set(1);
    }
    ~WeekViewTest() override
    {
        if (m_week.IsActive())
            m_week.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = nullptr;
        CWeekStartSetter::Set(m_firstDay);
    }
    // A 600 x 451 control showing the week of the date (the day view hands
    // over its date).
    void ShowWeek(const COleDateTime& date, int firstDay = 1)
    {
        CWeekStartSetter::Set(firstDay);
        if (m_planner.GetSafeHwnd() == nullptr)
            Create(600, 451, date);
        else
            Show(date, 1);
        if (m_week.IsActive())
            m_week.OnDeactivate(&m_planner);
        m_day.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = &m_week;
        m_week.OnActivate(&m_planner, &m_day);
    }
    CZUDPAppointment* AddToWeek(const COleDateTime& start, const COleDateTime& finish, const char* text = "")
    {
        CZUDPAppointment* pApp = Add(start, finish, text, FALSE, FALSE);
        m_week.QueryAppointments();
        m_week.AdjustLayout(FALSE);
        return pApp;
    }
    void Key(UINT key, bool shift = false)
    {
        m_shift = shift;
        EXPECT_TRUE(m_week.OnKeyDown(key, 1, 0));
        m_shift = false;
    }

    CZUDPPlannerViewWeek m_week;
    bool m_shift = false;

private:
    int m_firstDay = 0;
    ScopedSeam<SHORT(int)> m_keys;
};

} // namespace

TEST_F(WeekViewTest, DayCellsFollowTheFirstDayOfTheWeekWithTheWeekendSharingOneCell)
{
    // 600 x 451: half 300, third 150; cells 0-149, 151-300, 302-451 high.
    struct Case {
        const char* name;
        int firstDay;                // the control's (0 Sunday)
        COleDateTime start;          // of the week holding Wednesday 8 May 2024
        int saturday;                // index of Saturday among the days
        CRect saturdayRect, sundayRect;
    } cases[] = {
        {"Monday first", 1, Date(2024, 5, 6), 5, CRect(301, 302, 600, 376), CRect(301, 377, 600, 451)},
        {"Sunday first starts on Monday", 0, Date(2024, 5, 6), 5, CRect(301, 302, 600, 376),
         CRect(301, 377, 600, 451)},
        {"Wednesday first", 3, Date(2024, 5, 8), 3, CRect(301, 0, 600, 75), CRect(301, 76, 600, 150)},
        {"Saturday first", 6, Date(2024, 5, 4), 0, CRect(0, 0, 300, 75), CRect(0, 76, 300, 150)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowWeek(kWednesday, c.firstDay);
        EXPECT_EQ(c.start, m_week.GetDateStart());
        EXPECT_EQ(c.start + COleDateTimeSpan(6, 23, 59, 59), m_week.GetDateEnd());
        EXPECT_EQ(kWednesday, m_week.GetDate());
        const CZUDPPlannerView::CRectArray& rects = m_week.GetDayRects();
        ASSERT_EQ(7, rects.GetSize());
        EXPECT_EQ(c.saturdayRect, rects[c.saturday]);
        EXPECT_EQ(c.sundayRect, rects[c.saturday + 1]);
        EXPECT_EQ(7, (m_week.GetDateStart() + COleDateTimeSpan(double(c.saturday))).GetDayOfWeek());
        // The first day is always the left column's top cell.
        EXPECT_EQ(0, rects[0].left);
        EXPECT_EQ(0, rects[0].top);
    }
    // Monday first, all seven: left column Mon-Wed, right column Thu, Fri.
    ShowWeek(kWednesday, 1);
    const CZUDPPlannerView::CRectArray& rects = m_week.GetDayRects();
    EXPECT_EQ(CRect(0, 0, 300, 150), rects[0]);
    EXPECT_EQ(CRect(0, 151, 300, 301), rects[1]);
    EXPECT_EQ(CRect(0, 302, 300, 451), rects[2]);
    EXPECT_EQ(CRect(301, 0, 600, 150), rects[3]);
    EXPECT_EQ(CRect(301, 151, 600, 301), rects[4]);
}

TEST_F(WeekViewTest, AppointmentsTakeOneLineEachBelowTheCaptionAndHiddenOnesGiveADownIcon)
{
    ShowWeek(kWednesday);
    const int row = m_week.GetRowHeight();
    ASSERT_GT(row, 0);
    std::vector<CZUDPAppointment*> apps;
    for (int i = 0; i < 12; ++i)
        apps.push_back(AddToWeek(Date(2024, 5, 6, 8 + i, 0), Date(2024, 5, 6, 8 + i, 30)));
    const CRect monday = m_week.GetDayRects()[0];
    const int top = monday.top + row + 1;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(CRect(monday.left + 1, top + i * (row + 2), monday.right - 1, top + i * (row + 2) + row),
                  apps[size_t(i)]->GetDrawRect(kMonday));
    }
    // The lines past the cell are hidden; the cell gets one down icon in
    // its bottom right corner, and no day has an up icon.
    const int fitting = (monday.bottom - top) / (row + 2);
    EXPECT_TRUE(apps[size_t(fitting - 1)]->IsVisibleDraw(kMonday) || fitting * (row + 2) >= monday.Height());
    EXPECT_FALSE(apps[11]->IsVisibleDraw(kMonday));
    ASSERT_EQ(1, m_week.GetDownIconRects().GetSize());
    const CSize icon = m_planner.GetUpDownIconSize();
    EXPECT_EQ(CRect(monday.right - icon.cx, monday.bottom - icon.cy, monday.right, monday.bottom),
              m_week.GetDownIconRects()[0]);
    EXPECT_EQ(0, m_week.GetUpIconRects().GetSize());
    // A point in the caption band is the day caption; below it the day.
    EXPECT_EQ(ZUDP_PLANNER_HIT_DAY_CAPTION, m_week.HitTestArea(CPoint(100, monday.top + row - 1)));
    EXPECT_EQ(ZUDP_PLANNER_HIT_CLIENT, m_week.HitTestArea(CPoint(100, monday.top + row)));
}

TEST_F(WeekViewTest, CaptionFormatsAreTwoPartOrInTheLocalesOrderWidestFirst)
{
    struct Case {
        const char* name;
        DWORD flags;
        const char* dayFirst;
        std::vector<const char*> formats;
    } cases[] = {
        {"two-part", ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT, "1", {"d\ndddd", "d\nddd", "d"}},
        {"day before month", 0, "1", {"dddd d MMMM", "dddd d MMM", "ddd d MMM", "ddd d"}},
        {"month before day", 0, "0", {"dddd MMMM d", "dddd MMM d", "ddd MMM d", "ddd d"}},
    };
    ShowWeek(kWednesday);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::map<DWORD, std::string> locale = TestLocale();
        locale[LOCALE_IDATE] = c.dayFirst;
        plannertest::ScopedPlannerLocale scope(locale);
        m_planner.m_bDrawFlagsFromManager = FALSE;
        m_planner.m_dwDrawFlags = c.flags;
        CStringArray formats;
        m_week.GetCaptionFormatStrings(formats);
        ASSERT_EQ(INT_PTR(c.formats.size()), formats.GetSize());
        for (size_t i = 0; i < c.formats.size(); ++i)
            EXPECT_EQ(CString(c.formats[i]), formats[INT_PTR(i)]);
    }
}

TEST_F(WeekViewTest, ScrollingStepsWholeWeeksAndTheVirtualRangeIsSetOnlyOnce)
{
    ShowWeek(kWednesday);
    EXPECT_EQ(1, m_week.GetScrollPage());
    EXPECT_EQ(50, m_week.GetScrollMaximum());
    EXPECT_EQ(25, m_week.GetScrollPosition());
    EXPECT_TRUE(m_week.OnVScroll(SB_LINEDOWN, 0, nullptr));
    EXPECT_EQ(26, m_week.GetScrollPosition());
    EXPECT_EQ(Date(2024, 5, 13), m_week.GetDateStart());
    EXPECT_EQ(Date(2024, 5, 15), m_week.GetDate());
    EXPECT_EQ(Date(2024, 5, 15), m_week.GetSelectionStart());
    // A later layout keeps the position.
    m_week.AdjustLayout(FALSE);
    EXPECT_EQ(26, m_week.GetScrollPosition());
    // Page steps are one week; the thumb goes to a position; codes above
    // SB_BOTTOM and an unchanged position do nothing.
    EXPECT_TRUE(m_week.OnVScroll(SB_PAGEUP, 0, nullptr));
    EXPECT_EQ(Date(2024, 5, 6), m_week.GetDateStart());
    EXPECT_TRUE(m_week.OnVScroll(SB_THUMBPOSITION, 23, nullptr));
    EXPECT_EQ(Date(2024, 4, 22), m_week.GetDateStart());
    EXPECT_FALSE(m_week.OnVScroll(SB_THUMBTRACK, 23, nullptr));
    EXPECT_FALSE(m_week.OnVScroll(SB_ENDSCROLL, 0, nullptr));
    EXPECT_EQ(Date(2024, 4, 22), m_week.GetDateStart());
    // The control's own scroll requests never move weeks.
    EXPECT_FALSE(m_week.OnScroll(MAKEWORD(0xFF, SB_LINEDOWN), 0, TRUE));
    EXPECT_FALSE(m_week.OnScroll(0, 0, FALSE));
    // Another activation keeps the position the view had, and so does
    // the control's scroll bar.
    m_week.OnDeactivate(&m_planner);
    m_week.OnActivate(&m_planner, nullptr);
    EXPECT_EQ(1, m_week.GetScrollPage());
    EXPECT_EQ(50, m_week.GetScrollMaximum());
    EXPECT_EQ(23, m_week.GetScrollPosition());
    ASSERT_NE(nullptr, m_planner.GetScrollBarCtrl(SB_VERT));
    EXPECT_EQ(23, m_planner.GetScrollBarCtrl(SB_VERT)->GetScrollPos());
}

TEST_F(WeekViewTest, SelectionsCoverWholeDaysAndABackwardOneKeepsItsAnchorOnTheLaterDay)
{
    ShowWeek(kWednesday);
    m_week.SetSelection(Date(2024, 5, 7, 10, 0), Date(2024, 5, 9, 8, 0), FALSE);
    EXPECT_EQ(Date(2024, 5, 7), m_week.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 9, 23, 59, 59), m_week.GetSelectionEnd());
    m_week.SetSelection(Date(2024, 5, 9, 8, 0), Date(2024, 5, 7, 10, 0), FALSE);
    EXPECT_EQ(Date(2024, 5, 9, 23, 59, 59), m_week.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 7), m_week.GetSelectionEnd());
}

TEST_F(WeekViewTest, ArrowKeysMoveAcrossTheColumnsAndIntoTheNeighbouringWeeks)
{
    struct Case {
        const char* name;
        COleDateTime from;
        UINT key;
        COleDateTime to;
        int weeks;   // scroll steps taken (the position survives re-activation)
    } cases[] = {
        {"Monday right to Thursday", Date(2024, 5, 6), VK_RIGHT, Date(2024, 5, 9), 0},
        {"Friday right to next Tuesday", Date(2024, 5, 10), VK_RIGHT, Date(2024, 5, 14), 1},
        {"Thursday right to Sunday", Date(2024, 5, 9), VK_RIGHT, Date(2024, 5, 12), 0},
        {"Monday left to the Thursday before", Date(2024, 5, 6), VK_LEFT, Date(2024, 5, 2), -1},
        {"Sunday left to Wednesday", Date(2024, 5, 12), VK_LEFT, Date(2024, 5, 8), 0},
        {"Sunday down to next Monday", Date(2024, 5, 12), VK_DOWN, Date(2024, 5, 13), 1},
        {"Tuesday up to Monday", Date(2024, 5, 7), VK_UP, Date(2024, 5, 6), 0},
        {"Page Down a week later", Date(2024, 5, 7), VK_NEXT, Date(2024, 5, 14), 1},
        {"Page Up a week earlier", Date(2024, 5, 7), VK_PRIOR, Date(2024, 4, 30), -1},
        {"End to Sunday", Date(2024, 5, 7), VK_END, Date(2024, 5, 12), 0},
        {"Home to Monday", Date(2024, 5, 9), VK_HOME, Date(2024, 5, 6), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowWeek(c.from);
        m_week.SetSelection(c.from, c.from, FALSE);
        const int before = m_week.GetScrollPosition();
        Key(c.key);
        EXPECT_EQ(c.to, m_week.GetDate());
        EXPECT_EQ(c.to, m_week.GetSelectionStart());
        EXPECT_EQ(c.to + COleDateTimeSpan(0, 23, 59, 59), m_week.GetSelectionEnd());
        EXPECT_EQ(before + c.weeks, m_week.GetScrollPosition());
        EXPECT_TRUE(m_week.GetDateStart() <= c.to && c.to <= m_week.GetDateEnd());
    }
}

TEST_F(WeekViewTest, ShiftExtendsFromTheAnchorAndHomeMovesTheCurrentDate)
{
    ShowWeek(kMonday);
    m_week.SetSelection(kMonday, kMonday, FALSE);
    Key(VK_RIGHT, true);
    EXPECT_EQ(kMonday, m_week.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 9, 23, 59, 59), m_week.GetSelectionEnd());
    EXPECT_EQ(kMonday, m_week.GetDate());

    ShowWeek(Date(2024, 5, 9));
    m_week.SetSelection(Date(2024, 5, 9), Date(2024, 5, 9), FALSE);
    Key(VK_HOME, true);
    EXPECT_EQ(kMonday, m_week.GetDate());
    EXPECT_EQ(kMonday, m_week.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 9, 23, 59, 59), m_week.GetSelectionEnd());
}

TEST_F(WeekViewTest, OnlyLeftAndRightEdgesResizeAndAKeyDuringAResizeCancelsIt)
{
    ShowWeek(kWednesday);
    struct Case {
        int code;
        BOOL resizes;
    } cases[] = {{ZUDP_PLANNER_HIT_APPOINTMENT_TOP, FALSE},
                 {ZUDP_PLANNER_HIT_APPOINTMENT_BOTTOM, FALSE},
                 {ZUDP_PLANNER_HIT_APPOINTMENT_LEFT, TRUE},
                 {ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT, TRUE},
                 {ZUDP_PLANNER_HIT_APPOINTMENT_MOVE, FALSE}};
    for (const Case& c : cases)
        EXPECT_EQ(c.resizes, m_week.CanResizeAt(c.code)) << c.code;
    m_planner.m_bReadOnly = TRUE;
    EXPECT_FALSE(m_week.CanResizeAt(ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT));
    m_planner.m_bReadOnly = FALSE;

    CZUDPAppointment* pApp = AddToWeek(Date(2024, 5, 8, 9, 0), Date(2024, 5, 8, 10, 0));
    m_week.SetSelection(kWednesday, kWednesday, FALSE);
    m_week.m_pCapturedAppointment = pApp;
    m_week.m_nCapturedHitCode = ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT;
    Key(VK_RIGHT);
    EXPECT_EQ(kWednesday, m_week.GetDate()) << "the key only ended the resize";
    EXPECT_EQ(kWednesday, m_week.GetSelectionStart());
    m_week.m_pCapturedAppointment = nullptr;
    m_week.m_nCapturedHitCode = 0;
}
