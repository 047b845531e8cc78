// The appointment box of the week and month views (the base view's
// drawing of one part): times as clock icons or text, what it reports as
// left out, all-day boxes, and the corners of a part that continues.
#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerClockIcons.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

const COLORREF kCanvas = RGB(250, 250, 250);

// A week view whose time options the test chooses, drawing for the
// control of the fixture.
class CBoxView : public CZUDPPlannerViewWeek {
public:
    BOOL timeAsIcons = FALSE;
    BOOL timeFinish = TRUE;
    BOOL IsDrawTimeAsIcons() const override { return timeAsIcons; }
    BOOL IsDrawTimeFinish() const override { return timeFinish; }
};

class BoxTest : public PlannerViewTest {
protected:
    BoxTest() : m_canvas(400, 60) {}
    void SetUp() override
    {
        Create(400, 300, Date(2024, 5, 8));
        m_view.m_pPlanner = &m_planner;
        m_dc.Attach(m_canvas.Dc());
        m_dc.SelectObject(&g_uiEnvironment.m_fontRegular);
        m_dc.SetBkMode(TRANSPARENT);
    }
    void TearDown() override
    {
        m_dc.Detach();
        m_view.m_pPlanner = nullptr;
    }
    // Draws one part of an appointment into a cleared canvas; answers
    // whether the box reported something left out.
    BOOL Draw(CZUDPAppointment& app, DWORD edges, DWORD flags = 0)
    {
        m_planner.m_bDrawFlagsFromManager = FALSE;
        m_planner.m_dwDrawFlags = flags;
        m_canvas.Fill(kCanvas);
        CZUDPAppointmentDrawStructEx record;
        record.SetRect(kRect);
        record.SetBorder(edges);
        m_view.DrawAppointment(&m_dc, &app, &record);
        ::GdiFlush();
        m_edit = record.GetEditRect();
        return record.IsTextTruncated();
    }
    // The width the box gives one time text.
    int TimeWidth() { return m_dc.GetTextExtent(COleDateTime(2005, 1, 1, 23, 59, 0).Format("%H:%M")).cx; }
    int SpaceWidth() { return m_dc.GetTextExtent(" ", 1).cx; }
    COLORREF Frame(const CZUDPAppointment& app)
    {
        COLORREF back = app.GetBackgroundColor(), gradient = back, frame = g_uiEnvironment.m_colorWindowFrame,
                 second = frame, text = app.GetForegroundColor();
        CZUDPVisualManager::GetActiveManager()->GetPlannerDayColors(&m_view, app.IsSelected(),
                                                                   !(app.IsAllDay() || app.IsLong()),
                                                                   m_planner.GetDrawFlags(), back, gradient, frame,
                                                                   second, text);
        return second;
    }

    static const CRect kRect;
    trovtest::DibCanvas m_canvas;
    CDC m_dc;
    CBoxView m_view;
    CRect m_edit;
};

const CRect BoxTest::kRect(20, 20, 380, 40);

std::unique_ptr<CZUDPAppointment> Box(const COleDateTime& start, const COleDateTime& finish, BOOL allDay = FALSE)
{
    auto app = plannertest::Appointment(start, finish);
    app->SetAllDay(allDay);
    app->SetBackgroundColor(kBox);
    return app;
}

const DWORD kBoth = CZUDPAppointmentDrawStruct::kStartEdge | CZUDPAppointmentDrawStruct::kFinishEdge;

} // namespace

TEST_F(BoxTest, ClockIconsAlwaysReportTheTimesLeftOut)
{
    auto app = Box(Date(2024, 5, 8, 9, 0, 0), Date(2024, 5, 8, 10, 0, 0));
    m_view.timeAsIcons = TRUE;
    // Room for both icons, and still the tooltip is wanted for the times.
    EXPECT_TRUE(Draw(*app, kBoth));
    CRect icons = kRect;
    icons.DeflateRect(5, 0);
    icons.right = icons.left + 2 * (m_planner.GetClockIcons()->GetIconSize().cx + 3);
    EXPECT_GT(m_canvas.CountOther(icons, kBox), 0);
    // As text, both times fit: nothing is left out.
    m_view.timeAsIcons = FALSE;
    EXPECT_FALSE(Draw(*app, kBoth));
    // Without the finish time the box reports it left out.
    m_view.timeFinish = FALSE;
    EXPECT_TRUE(Draw(*app, kBoth));
}

TEST_F(BoxTest, AZeroLengthAppointmentLeavesTheFinishSlotEmpty)
{
    // The two time cells of a short box: the start's, then after a space
    // the finish's.
    const int time = TimeWidth();
    CRect finishCell(kRect.left + 5 + time + SpaceWidth(), kRect.top + 1, kRect.left + 5 + 2 * time + SpaceWidth(),
                     kRect.bottom - 1);
    CRect startCell(kRect.left + 5, kRect.top + 1, kRect.left + 5 + time, kRect.bottom - 1);
    auto hour = Box(Date(2024, 5, 8, 10, 0, 0), Date(2024, 5, 8, 11, 0, 0));
    auto zero = Box(Date(2024, 5, 8, 10, 0, 0), Date(2024, 5, 8, 10, 0, 0));
    Draw(*hour, kBoth);
    EXPECT_GT(m_canvas.CountOther(startCell, kBox), 0);
    EXPECT_GT(m_canvas.CountOther(finishCell, kBox), 0);
    Draw(*zero, kBoth);
    EXPECT_GT(m_canvas.CountOther(startCell, kBox), 0);
    EXPECT_EQ(0, m_canvas.CountOther(finishCell, kBox));
}

TEST_F(BoxTest, AnAllDayBoxShowsNoTimes)
{
    CRect inside = kRect;
    inside.DeflateRect(5, 2);
    auto allDay = Box(Date(2024, 5, 8), Date(2024, 5, 9), TRUE);
    Draw(*allDay, kBoth, ZUDP_PLANNER_DRAW_APP_NO_TIME_ICONS);
    EXPECT_EQ(0, m_canvas.CountOther(inside, kBox));
    // A long timed one shows its times (as text with the flag, as icons
    // without).
    auto timed = Box(Date(2024, 5, 8, 10, 30, 0), Date(2024, 5, 10, 15, 0, 0));
    Draw(*timed, kBoth, ZUDP_PLANNER_DRAW_APP_NO_TIME_ICONS);
    EXPECT_GT(m_canvas.CountOther(inside, kBox), 0);
    Draw(*timed, kBoth);
    EXPECT_GT(m_canvas.CountOther(inside, kBox), 0);
}

TEST_F(BoxTest, APartContinuingOnBothSidesHasSquareCornersAndNoEdges)
{
    auto app = Box(Date(2024, 5, 6), Date(2024, 5, 12), TRUE);
    const COLORREF frame = Frame(*app);
    // Rounded: the whole part's corners are cut, a middle part's square.
    Draw(*app, kBoth, ZUDP_PLANNER_DRAW_APP_ROUNDED_CORNERS);
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.left + 3, kRect.top, kCanvas));
    Draw(*app, 0, ZUDP_PLANNER_DRAW_APP_ROUNDED_CORNERS);
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.left, kRect.top, frame));
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.right - 1, kRect.bottom - 1, frame));
    // Plain: a middle part has lines along the top and bottom only.
    const int middle = kRect.CenterPoint().y;
    Draw(*app, kBoth);
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.left + 3, middle, frame));
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.right - 4, middle, frame));
    Draw(*app, 0);
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.left + 3, middle, kBox));
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.right - 4, middle, kBox));
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.CenterPoint().x, kRect.top, frame));
    EXPECT_TRUE(trovtest::ColorAt(m_canvas, kRect.CenterPoint().x, kRect.bottom - 1, frame));
    // The edit rectangle reaches a pixel further out on a side without its
    // edge.
    EXPECT_EQ(kRect.left + 3, m_edit.left);
    Draw(*app, kBoth);
    EXPECT_EQ(kRect.left + 4, m_edit.left);
}
