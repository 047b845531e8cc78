// The planner view base: the range and selection rules, hit-test
// precedence, the shown days, activation, fonts and the first versions of
// the views the control creates by class.
#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"
#include "ui/planner/ZUDPPlannerViewWorkWeek.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {


// A day view that counts its paints.
class CCountingDayView : public CZUDPPlannerViewDay {
public:
    int paints = 0;
    void OnPaint(CDC* pDC, const CRect& rect) override
    {
        ++paints;
        CZUDPPlannerViewDay::OnPaint(pDC, rect);
    }
};

} // namespace

TEST_F(PlannerViewTest, SelectionIsClampedIntoTheRangeAndKeepsItsAnchor)
{
    // The base rule (the day view snaps to slots on top of it).
    Create(600, 400, kWednesday);
    // Both ends outside: exactly the range.
    m_day.CZUDPPlannerView::SetSelection(Date(2024, 5, 1), Date(2024, 5, 20), FALSE);
    EXPECT_TRUE(m_day.GetSelectionStart() == m_day.GetDateStart());
    EXPECT_TRUE(m_day.GetSelectionEnd() == m_day.GetDateEnd());
    // Reversed: the later end stays the anchor.
    m_day.CZUDPPlannerView::SetSelection(Date(2024, 5, 8, 11, 0, 0), Date(2024, 5, 8, 9, 0, 0), FALSE);
    EXPECT_TRUE(m_day.GetSelectionStart() == Date(2024, 5, 8, 11, 0, 0));
    EXPECT_TRUE(m_day.GetSelectionEnd() == Date(2024, 5, 8, 9, 0, 0));

    struct InCase {
        COleDateTime date;
        bool in;
    } cases[] = {
        { Date(2024, 5, 8, 9, 0, 0), true },     // the lower end
        { Date(2024, 5, 8, 11, 0, 0), true },    // the upper end
        { Date(2024, 5, 8, 10, 0, 0), true },
        { Date(2024, 5, 8, 8, 59, 59), false },
        { Date(2024, 5, 8, 11, 0, 1), false },
        { plannertest::Invalid(), false },
    };
    for (const InCase& c : cases)
        EXPECT_EQ(c.in, m_day.CZUDPPlannerView::IsDateInSelection(c.date) != FALSE) << plannertest::Text(c.date);
    // Forward the same.
    m_day.CZUDPPlannerView::SetSelection(Date(2024, 5, 8, 9, 0, 0), Date(2024, 5, 8, 11, 0, 0), FALSE);
    EXPECT_TRUE(m_day.CZUDPPlannerView::IsDateInSelection(Date(2024, 5, 8, 9, 0, 0)));
    EXPECT_TRUE(m_day.CZUDPPlannerView::IsDateInSelection(Date(2024, 5, 8, 11, 0, 0)));
}

TEST_F(PlannerViewTest, TheSameSelectionStillRedrawsAVisibleControl)
{
    // A control of its own, with a view that counts its paints.
    CCountingDayView view;
    Create(600, 400, kWednesday);
    m_day.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = &view;
    view.OnActivate(&m_planner, nullptr);
    view.m_dtDateStart = kWednesday;
    view.m_dtDateEnd = kWednesday + COleDateTimeSpan(0.999988425925926);
    view.SetDate(kWednesday);
    m_host.ShowWindow(SW_SHOWNA);
    m_host.UpdateWindow();
    const COleDateTime nine = Date(2024, 5, 8, 9, 0, 0);
    view.SetSelection(nine, nine, FALSE);
    const int before = view.paints;
    view.SetSelection(nine, nine, TRUE);
    EXPECT_GT(view.paints, before);
    // Without redraw nothing paints.
    const int after = view.paints;
    view.SetSelection(nine, nine, FALSE);
    EXPECT_EQ(after, view.paints);
    view.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = &m_day;
    m_day.OnActivate(&m_planner, nullptr);
    m_host.ShowWindow(SW_HIDE);
}

TEST_F(PlannerViewTest, ShownDaysCountWholeDaysWithHalfASecondToSpare)
{
    CZUDPPlannerViewWeek week;
    struct DurationCase {
        COleDateTime start, end;
        int days;
    } cases[] = {
        { kWednesday, kWednesday + COleDateTimeSpan(0.999988425925926), 1 },
        { kWednesday, kWednesday + COleDateTimeSpan(6.999988425925926), 7 },
        { kWednesday, kWednesday + COleDateTimeSpan(7.0 - 0.4 / 86400.0), 8 },   // within half a second of a day
        { kWednesday, kWednesday, 1 },
        { kWednesday, kWednesday - COleDateTimeSpan(2.0), -1 },
    };
    for (const DurationCase& c : cases) {
        week.m_dtDateStart = c.start;
        week.m_dtDateEnd = c.end;
        EXPECT_EQ(c.days, week.GetViewDuration()) << plannertest::Text(c.end);
    }
}

TEST_F(PlannerViewTest, AnIconOverAnAppointmentWinsTheHitTest)
{
    Create(600, 400, kWednesday);
    // A view of the base's hit testing, its rectangle and an up icon set by
    // hand over an appointment.
    CZUDPPlannerViewWeek week;
    week.m_pPlanner = &m_planner;
    week.m_rectView = CRect(0, 0, 300, 300);
    CZUDPAppointment* app = Add(Date(2024, 5, 8, 10, 0, 0), Date(2024, 5, 8, 11, 0, 0), "under the icon");
    app->ResetDraw();
    app->SetDrawRect(CRect(10, 10, 200, 100), COleDateTime(0.0));
    app->SetVisibleDraw(TRUE, COleDateTime(0.0));
    week.m_UpRects.Add(CRect(20, 20, 40, 28));
    week.m_DownRects.Add(CRect(20, 60, 40, 68));
    EXPECT_EQ(9, week.HitTest(CPoint(25, 24)));
    EXPECT_EQ(10, week.HitTest(CPoint(25, 64)));
    EXPECT_EQ(11, week.HitTest(CPoint(100, 50)));   // the body
    EXPECT_EQ(13, week.HitTest(CPoint(100, 11)));   // the top edge
    EXPECT_EQ(6, week.HitTest(CPoint(250, 250)));   // nothing there
    EXPECT_EQ(0, week.HitTest(CPoint(350, 50)));    // outside the view
    EXPECT_EQ(app, week.GetAppointmentFromPoint(CPoint(100, 50)));
    EXPECT_EQ(nullptr, week.GetAppointmentFromPoint(CPoint(250, 250)));
    EXPECT_FALSE(week.GetToolTipText(CPoint(100, 50)).IsEmpty());
    week.m_pPlanner = nullptr;
}

TEST_F(PlannerViewTest, DatesUnderPointsAreTheDaysLaidOut)
{
    // The base rule (the day view adds the slot under the point).
    Create(700, 400, Date(2024, 5, 6), 5);
    const auto& days = m_day.GetDayRects();
    ASSERT_EQ(5, days.GetSize());
    EXPECT_TRUE(m_day.CZUDPPlannerView::GetDateFromPoint(days[0].TopLeft()) == Date(2024, 5, 6));
    // The right and bottom edges belong to the day too.
    EXPECT_TRUE(m_day.CZUDPPlannerView::GetDateFromPoint(CPoint(days[4].right, days[4].bottom)) == Date(2024, 5, 10));
    EXPECT_TRUE(m_day.CZUDPPlannerView::GetDateFromPoint(CPoint(days[0].left - 5, days[0].top)) == COleDateTime(0.0));
}

TEST_F(PlannerViewTest, ActivationAttachesQueriesAndLaysOutOnce)
{
    Create(600, 400, kWednesday);
    EXPECT_TRUE(m_day.IsActive());
    EXPECT_EQ(&m_planner, m_day.GetPlanner());
    // A second activation changes nothing.
    m_day.m_nScrollOffset = 3;
    m_day.OnActivate(&m_planner, nullptr);
    EXPECT_EQ(3, m_day.GetScrollPosition());
    m_day.OnDeactivate(&m_planner);
    EXPECT_FALSE(m_day.IsActive());
    EXPECT_EQ(nullptr, m_day.GetPlanner());
    // Detached, the layout does nothing.
    m_day.m_nRowHeight = 0;
    m_day.AdjustLayout(TRUE);
    EXPECT_EQ(0, m_day.GetRowHeight());
    m_day.OnActivate(&m_planner, nullptr);
    EXPECT_GT(m_day.GetRowHeight(), 0);
}

TEST_F(PlannerViewTest, FontsOfTheViewAndTheCaptionFont)
{
    Create(600, 400, kWednesday);
    // Without a font of its own the library's fonts apply.
    EXPECT_EQ(&g_uiEnvironment.m_fontRegular, m_day.GetFont(FALSE));
    EXPECT_EQ(&g_uiEnvironment.m_fontVerticalUp, m_day.GetVerticalFont());
    SetDrawFlags(ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD);
    EXPECT_EQ(&g_uiEnvironment.m_fontBold, m_day.GetFont(TRUE));
    EXPECT_EQ(&g_uiEnvironment.m_fontRegular, m_day.GetFont(FALSE));

    // A font of its own: bold and vertical ones are derived from it.
    LOGFONTA lf = {};
    lf.lfHeight = -24;
    lf.lfWeight = FW_NORMAL;
    lstrcpyA(lf.lfFaceName, "Arial");
    HFONT font = ::CreateFontIndirectA(&lf);
    EXPECT_EQ(nullptr, m_day.SetFont(font));
    LOGFONTA bold = {}, vertical = {};
    ::GetObjectA(m_day.GetFont(TRUE)->GetSafeHandle(), sizeof bold, &bold);
    ::GetObjectA(m_day.GetVerticalFont()->GetSafeHandle(), sizeof vertical, &vertical);
    EXPECT_EQ(FW_BOLD, bold.lfWeight);
    EXPECT_EQ(-24, bold.lfHeight);
    EXPECT_EQ(900, vertical.lfEscapement);
    EXPECT_EQ(900, vertical.lfOrientation);
    EXPECT_EQ(FW_NORMAL, vertical.lfWeight);
    // The layout followed the larger font.
    EXPECT_GE(m_day.GetRowHeight(), trovtest::MeasureFont(font).tmHeight + 4);
    // Handing it back returns the font to the caller.
    HFONT previous = m_day.SetFont(nullptr);
    EXPECT_EQ(font, previous);
    ::DeleteObject(previous);
}

TEST_F(PlannerViewTest, ViewsTheControlCreatesByClass)
{
    struct ClassCase {
        CRuntimeClass* cls;
        CRuntimeClass* base;
    } cases[] = {
        { RUNTIME_CLASS(CZUDPPlannerViewDay), RUNTIME_CLASS(CZUDPPlannerView) },
        { RUNTIME_CLASS(CZUDPPlannerViewWorkWeek), RUNTIME_CLASS(CZUDPPlannerViewDay) },
        { RUNTIME_CLASS(CZUDPPlannerViewWeek), RUNTIME_CLASS(CZUDPPlannerView) },
        { RUNTIME_CLASS(CZUDPPlannerViewMonth), RUNTIME_CLASS(CZUDPPlannerView) },
    };
    for (const ClassCase& c : cases) {
        std::unique_ptr<CObject> object(c.cls->CreateObject());
        ASSERT_NE(nullptr, object) << c.cls->m_lpszClassName;
        EXPECT_TRUE(object->IsKindOf(c.base)) << c.cls->m_lpszClassName;
    }
    // The work week runs Monday to Friday around the date; the date itself
    // stays the current date.
    Create(700, 400, kWednesday);
    CZUDPPlannerViewWorkWeek workWeek;
    m_day.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = &workWeek;
    workWeek.OnActivate(&m_planner, nullptr);
    workWeek.SetDate(Date(2024, 5, 12, 10, 0, 0));   // a Sunday
    EXPECT_TRUE(workWeek.GetDateStart() == Date(2024, 5, 6));
    EXPECT_TRUE(workWeek.GetDateEnd() == Date(2024, 5, 10, 23, 59, 59));
    EXPECT_TRUE(workWeek.GetDate() == Date(2024, 5, 12));
    EXPECT_EQ(5, workWeek.GetViewDuration());
    EXPECT_EQ(5, workWeek.GetDayRects().GetSize());
    EXPECT_TRUE(workWeek.GetNextDate() == Date(2024, 5, 13));
    EXPECT_TRUE(workWeek.GetPrevDate() == Date(2024, 4, 29));
    workWeek.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = &m_day;
    m_day.OnActivate(&m_planner, nullptr);
}
