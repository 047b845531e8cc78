// The visual manager's planner, calendar, grid and Gantt drawing: caption
// cells, the hatched working area, appointment colours by colour depth,
// and the base answers of the colour queries that the planner and later
// grids and charts ask.
#include "tests/common/ui/DistinctColours.h"
#include "tests/ui/foundation/VisualManagerFamilyTest.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPGanttColors.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewDay.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"

#include "framework/win/FrameworkSeams.h"

#include <gtest/gtest.h>

#include <set>

using familytest::ClassicManager;
using uitest::DistinctColours;
using familytest::kCanvas;
using foundationtest::Canvas;

namespace {

const COLORREF kNone = CZUDPVisualManager::kPlannerNoColor;

// The screen's colour depth for a scope, with the global UI data refreshed.
class ColorDepth {
public:
    explicit ColorDepth(int bits) : m_seam(new ScopedSeam<int()>(g_frameworkSeams.colorDepth, [bits] { return bits; }))
    {
        g_uiEnvironment.UpdateSysColors();
    }
    ~ColorDepth()
    {
        m_seam.reset();
        g_uiEnvironment.UpdateSysColors();
    }

private:
    std::unique_ptr<ScopedSeam<int()>> m_seam;
};

class PlannerDrawingTest : public ::testing::Test {
protected:
    PlannerDrawingTest()
    {
        m_day.m_pPlanner = &m_planner;
        m_month.m_pPlanner = &m_planner;
    }
    DistinctColours m_colors;
    ClassicManager m_manager;
    CZUDPPlannerManagerCtrl m_planner;
    CZUDPPlannerViewDay m_day;
    CZUDPPlannerViewMonth m_month;
    const CZUDPUIEnvironment& env = g_uiEnvironment;
};

TEST_F(PlannerDrawingTest, CaptionCellsByTodayAndSelection)
{
    struct Case {
        const char* what;
        bool month;
        BOOL today, selected, noLine;
        COLORREF answer;
        COLORREF inside;      // (20, 8); kCanvas: nothing drawn
        COLORREF bottomLine;  // (20, 18), the last row inside the inset cell
    } cases[] = {
        {"month, plain day: nothing", true, FALSE, FALSE, FALSE, env.m_colorButtonText, kCanvas, kCanvas},
        {"day view, plain day", false, FALSE, FALSE, FALSE, env.m_colorButtonText, env.m_colorButtonFace,
         env.m_colorButtonShadow},
        {"plain day without separator", false, FALSE, FALSE, TRUE, env.m_colorButtonText, env.m_colorButtonFace,
         env.m_colorButtonFace},
        {"selected", true, FALSE, TRUE, FALSE, env.m_colorHighlightText, env.m_colorHighlight,
         env.m_colorButtonShadow},
        {"selected without separator", false, FALSE, TRUE, TRUE, env.m_colorHighlightText, env.m_colorHighlight,
         env.m_colorHighlight},
    };
    for (const Case& c : cases) {
        Canvas canvas(60, 20, kCanvas);
        CZUDPPlannerView* view = c.month ? static_cast<CZUDPPlannerView*>(&m_month) : &m_day;
        const COLORREF answer =
            m_manager->DrawPlannerCaption(&canvas.Dc(), view, CRect(0, 0, 60, 20), c.today, c.selected, c.noLine);
        EXPECT_EQ(c.answer, answer) << c.what;
        EXPECT_EQ(c.inside, canvas.Pixel(20, 8)) << c.what;
        EXPECT_EQ(c.bottomLine, canvas.Pixel(20, 18)) << c.what;
        EXPECT_EQ(kCanvas, canvas.Pixel(0, 0)) << c.what << ": the cell is inset by 1";
    }

    // Today: the light brush over the face, and a separator in bar shadow
    // even when asked for none.
    Canvas canvas(60, 20, kCanvas);
    EXPECT_EQ(env.m_colorButtonText,
              m_manager->DrawPlannerCaption(&canvas.Dc(), &m_month, CRect(0, 0, 60, 20), TRUE, FALSE, TRUE));
    EXPECT_TRUE(familytest::LooksLight(canvas, 20, 8));
    EXPECT_EQ(env.m_colorBarShadow, canvas.Pixel(20, 18));
}

TEST_F(PlannerDrawingTest, SelectedCaptionTextBoxIsAtMostTheInsetCell)
{
    const CString longText("A caption far wider than its narrow cell");
    const CString shortText("Mo");
    struct Case {
        const CString* text;
        int align;
    } cases[] = {{&longText, 0}, {&longText, 2}, {&shortText, 0}, {&shortText, 1}, {&shortText, 2}};
    for (const Case& c : cases) {
        Canvas canvas(60, 20, kCanvas);
        const int textWidth = canvas.Dc().GetTextExtent(*c.text).cx;
        m_manager->DrawPlannerCaptionText(&canvas.Dc(), &m_day, CRect(0, 0, 60, 20), *c.text, RGB(0, 0, 0),
                                          c.align, TRUE);
        const int width = std::min(textWidth + 4, 58);
        const int left = c.align == 0 ? 1 : c.align == 1 ? 1 + (58 - width) / 2 : 59 - width;
        // The box's first and last columns, on its top row (no text there).
        EXPECT_EQ(env.m_colorHighlight, canvas.Pixel(left, 1)) << c.align << " " << (const char*)*c.text;
        EXPECT_EQ(env.m_colorHighlight, canvas.Pixel(left + width - 1, 1)) << c.align;
        EXPECT_EQ(kCanvas, canvas.Pixel(left - 1, 1)) << c.align;
        EXPECT_EQ(kCanvas, canvas.Pixel(left + width, 1)) << c.align;
        EXPECT_EQ(kCanvas, canvas.Pixel(left, 0)) << c.align;
    }
}

TEST_F(PlannerDrawingTest, WorkingAreaHatchDithersThePlannerColour)
{
    const COLORREF yellow = m_manager->GetPlannerDefaultBackColor();
    ASSERT_EQ(COLORREF(0x0000FFFF), yellow);
    struct Case {
        const char* what;
        COLORREF own;
        int style;
        BOOL working;
        COLORREF a, b;  // two neighbouring pixels; equal for a solid fill
    } cases[] = {
        {"style 0, working: planner colour with white", kNone, 0, TRUE, yellow, RGB(255, 255, 255)},
        {"style 0, free: planner colour with grey", kNone, 0, FALSE, yellow, RGB(128, 128, 128)},
        {"style 1, own colour, working", RGB(200, 0, 0), 1, TRUE, RGB(200, 0, 0), RGB(255, 255, 255)},
        {"style 2, own colour, working: solid", RGB(200, 0, 0), 2, TRUE, RGB(200, 0, 0), RGB(200, 0, 0)},
        {"style 2, own colour, free: face", RGB(200, 0, 0), 2, FALSE, env.m_colorButtonFace, env.m_colorButtonFace},
        {"style 2, no colour, working: window", kNone, 2, TRUE, env.m_colorWindow, env.m_colorWindow},
    };
    for (const Case& c : cases) {
        m_planner.m_clrBackground = c.own;
        m_planner.m_nBackgroundStyle = c.style;
        Canvas canvas(16, 16, kCanvas);
        m_manager->FillPlannerBackground(&canvas.Dc(), &m_day, CRect(0, 0, 16, 16), c.working);
        const std::set<COLORREF> seen = {canvas.Pixel(4, 4), canvas.Pixel(5, 4)};
        EXPECT_EQ((std::set<COLORREF>{c.a, c.b}), seen) << c.what;
        // A dither alternates along rows and columns alike.
        EXPECT_EQ(canvas.Pixel(4, 4), canvas.Pixel(5, 5)) << c.what;
    }
}

TEST_F(PlannerDrawingTest, AppointmentColoursByDepthAndSelection)
{
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF yellow = 0x0000FFFF;
    const COLORREF own = RGB(0, 100, 200);
    const COLORREF ownFrame = CZUDPColorArithmetic::MixColorsPercent(own, 0, 75);
    struct Case {
        const char* what;
        int bits;
        bool day;
        BOOL selected, second;
        DWORD options;
        COLORREF planner;      // the planner's own colour
        COLORREF back, text;   // in
        COLORREF outBack, gradient, frame, secondFrame, outText;
    } cases[] = {
        {"colour mode, default back", 32, true, FALSE, FALSE, 1, kNone, kNone, kNone, yellow, white,
         CZUDPColorArithmetic::MixColorsPercent(yellow, 0, 75), CZUDPColorArithmetic::MixColorsPercent(yellow, 0, 75),
         env.m_colorWindowText},
        {"colour mode, planner colour", 32, true, FALSE, FALSE, 1, own, kNone, kNone, own,
         CZUDPColorArithmetic::MixColorsPercent(own, white, 25), ownFrame, ownFrame, env.m_colorWindowText},
        {"colour mode, selected keeps its second frame", 32, true, TRUE, TRUE, 1, own, kNone, kNone, own, own,
         ownFrame, env.m_colorButtonShadow, env.m_colorWindowText},
        {"8 bits: no mixing", 8, true, FALSE, FALSE, 1, own, kNone, kNone, env.m_colorWindow, env.m_colorWindow,
         env.m_colorButtonShadow, env.m_colorButtonShadow, env.m_colorWindowText},
        {"no colour option", 32, false, FALSE, TRUE, 0, own, kNone, kNone, kNone, kNone, env.m_colorButtonShadow,
         env.m_colorButtonShadow, env.m_colorWindowText},
        {"selected outside a day view", 32, false, TRUE, FALSE, 0, kNone, kNone, kNone, env.m_colorHighlight,
         env.m_colorHighlight, env.m_colorButtonShadow, env.m_colorButtonShadow, env.m_colorHighlightText},
        {"selected in a day view", 32, true, TRUE, FALSE, 0, kNone, kNone, kNone, env.m_colorButtonFace,
         env.m_colorButtonFace, env.m_colorButtonShadow, env.m_colorButtonShadow, env.m_colorButtonText},
        {"selected with option 4: own colours", 32, true, TRUE, FALSE, 4, kNone, RGB(1, 1, 1), RGB(2, 2, 2),
         RGB(1, 1, 1), RGB(1, 1, 1), env.m_colorButtonShadow, env.m_colorButtonShadow, RGB(2, 2, 2)},
    };
    for (const Case& c : cases) {
        ColorDepth depth(c.bits);
        m_planner.m_clrBackground = c.planner;
        COLORREF back = c.back, text = c.text, gradient = 0, frame = 0, secondFrame = 0;
        CZUDPPlannerView* view = c.day ? static_cast<CZUDPPlannerView*>(&m_day) : &m_month;
        m_manager->GetPlannerDayColors(view, c.selected, c.second, c.options, back, gradient, frame, secondFrame,
                                       text);
        EXPECT_EQ(trovtest::ColorText(c.outBack), trovtest::ColorText(back)) << c.what;
        EXPECT_EQ(trovtest::ColorText(c.gradient), trovtest::ColorText(gradient)) << c.what;
        EXPECT_EQ(trovtest::ColorText(c.frame), trovtest::ColorText(frame)) << c.what;
        EXPECT_EQ(trovtest::ColorText(c.secondFrame), trovtest::ColorText(secondFrame)) << c.what;
        EXPECT_EQ(trovtest::ColorText(c.outText), trovtest::ColorText(text)) << c.what;
    }
}

TEST_F(PlannerDrawingTest, FillsOfTheSmallerParts)
{
    enum Part { TimeScaleLine, WeekBar, ExpandButton, ExpandBorder, HeaderGap, Selection, NoSelection };
    struct Case {
        const char* what;
        Part part;
        COLORREF inside, edgeTopLeft, edgeBottom;
    } cases[] = {
        {"time-scale line", TimeScaleLine, env.m_colorActiveCaption, env.m_colorActiveCaption, env.m_colorBarShadow},
        {"week bar", WeekBar, env.m_colorButtonFace, env.m_colorButtonFace, env.m_colorButtonFace},
        {"expand button: raised", ExpandButton, env.m_colorButtonFace, env.m_colorButtonHighlight,
         env.m_colorButtonShadow},
        {"expand button border: sunken only", ExpandBorder, kCanvas, env.m_colorButtonShadow,
         env.m_colorButtonHighlight},
        {"header gap", HeaderGap, env.m_colorButtonShadow, env.m_colorButtonShadow, env.m_colorButtonShadow},
        {"selection", Selection, env.m_colorWindow, env.m_colorWindow, env.m_colorWindow},
        {"no selection: nothing", NoSelection, kCanvas, kCanvas, kCanvas},
    };
    for (const Case& c : cases) {
        Canvas canvas(20, 20, kCanvas);
        const CRect rect(0, 0, 20, 20);
        CDC* dc = &canvas.Dc();
        switch (c.part) {
        case TimeScaleLine: m_manager->DrawPlannerTimeScaleLine(dc, &m_day, rect); break;
        case WeekBar: m_manager->FillPlannerWeekBar(dc, &m_month, rect); break;
        case ExpandButton: m_manager->DrawPlannerExpandButton(dc, &m_month, rect); break;
        case ExpandBorder: m_manager->DrawPlannerExpandButtonBorder(dc, &m_month, rect); break;
        case HeaderGap: m_manager->FillPlannerHeaderGap(dc, &m_day, rect); break;
        case Selection: m_manager->FillPlannerSelection(dc, &m_day, rect, FALSE, TRUE); break;
        case NoSelection: m_manager->FillPlannerSelection(dc, &m_day, rect, FALSE, FALSE); break;
        }
        EXPECT_EQ(c.inside, canvas.Pixel(10, 10)) << c.what;
        EXPECT_EQ(c.edgeTopLeft, canvas.Pixel(0, 10)) << c.what;
        EXPECT_EQ(c.edgeBottom, canvas.Pixel(10, 19)) << c.what;
    }
}

TEST_F(PlannerDrawingTest, BaseAnswersOfTheColourQueries)
{
    CZUDPVisualManager& vm = *m_manager;
    CDC* none = nullptr;
    COLORREF line = 0;
    struct Case {
        const char* what;
        COLORREF expected, actual;
    } cases[] = {
        {"cell colour: none", kNone, vm.GetPlannerCellColor(&m_day, TRUE, TRUE, 0xFF)},
        {"grid line", RGB(128, 128, 128), vm.GetPlannerGridLineColor(&m_day, TRUE, FALSE)},
        {"default back", 0x0000FFFF, vm.GetPlannerDefaultBackColor()},
        {"selection", env.m_colorHighlight, vm.GetPlannerSelectionColor(&m_day)},
        {"frame", env.m_colorWindowFrame, vm.GetPlannerFrameColor(&m_day)},
        {"style option", FALSE, COLORREF(vm.GetPlannerStyleOption())},
        {"planner option", FALSE, COLORREF(vm.QueryPlannerOption())},
        {"time-scale text", env.m_colorButtonText, vm.FillPlannerTimeScale(none, &m_day, CRect(), line)},
        {"time-scale line", env.m_colorButtonShadow, line},
        {"grid option", TRUE, COLORREF(vm.QueryGridOption())},
        {"grid line", env.m_colorLight, vm.GetGridLineColor()},
        {"grid group line", env.m_colorBarText, vm.GetGridGroupLineColor()},
        {"grid group area text", env.m_colorBarText, vm.FillGridGroupArea(none, CRect())},
        {"grid group title text", env.m_colorButtonShadow, vm.FillGridGroupTitle(none, CRect())},
        {"grid left offset, 32 bits", CZUDPColorArithmetic::ScaleColorPercent(env.m_colorButtonFace, 94),
         vm.GetGridLeftOffsetColor(FALSE)},
        {"grid sorted column, own colour", CZUDPColorArithmetic::MultiplyColorChannels(RGB(100, 200, 50), 0.97, 0.97, 0.97),
         vm.GetGridSortedColumnColor(RGB(100, 200, 50))},
        {"grid sorted column, window", CZUDPColorArithmetic::MultiplyColorChannels(env.m_colorWindow, 0.97, 0.97, 0.97),
         vm.GetGridSortedColumnColor((COLORREF)-1)},
        {"grid row selection, unselected", (COLORREF)-1, vm.FillGridRowSelection(none, CRect(), TRUE, FALSE, FALSE, FALSE)},
        {"grid row selection, unselected with flag", env.m_colorHighlight,
         vm.FillGridRowSelection(none, CRect(), TRUE, FALSE, TRUE, FALSE)},
        {"Gantt header text", env.m_colorWindowText, vm.GetGanttHeaderTextColor(FALSE)},
        {"Gantt header link", env.m_colorHotLink, vm.GetGanttHeaderTextColor(TRUE)},
        {"Gantt item area text", env.m_colorWindowText, vm.FillGanttItemArea(none, CRect())},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trovtest::ColorText(c.expected), trovtest::ColorText(c.actual)) << c.what;

    {
        ColorDepth depth(8);
        EXPECT_EQ(env.m_colorButtonShadow, vm.GetGridLeftOffsetColor(FALSE));
        EXPECT_EQ(env.m_colorBarShadow, vm.GetGridLeftOffsetColor(TRUE));
        EXPECT_EQ(RGB(100, 200, 50), vm.GetGridSortedColumnColor(RGB(100, 200, 50)));
    }

    CZUDPCalendar calendar;
    vm.GetCalendarColors(&calendar, calendar.m_colors);
    EXPECT_EQ(env.m_colorButtonFace, calendar.m_colors.clrCaption);
    EXPECT_EQ(env.m_colorButtonText, calendar.m_colors.clrCaptionText);
    EXPECT_EQ(env.m_colorButtonFace, calendar.m_colors.clrSelected);
    EXPECT_EQ(env.m_colorButtonText, calendar.m_colors.clrSelectedText);
    EXPECT_EQ(COLORREF(0x000355BB), calendar.m_colors.clrTodayBorder);
}

TEST_F(PlannerDrawingTest, GanttSchemeOverridesTheBuiltEntries)
{
    GanttColorSet built, colours;
    BuildGanttColorScheme(RGB(40, 80, 160), built);
    EXPECT_EQ(env.m_colorHighlight, m_manager->GetGanttColors(colours, RGB(40, 80, 160)));
    const COLORREF expected[12] = {env.m_colorWindow, env.m_colorWindow, built[2], 0xFF0000,
                                   colours[4],        0x00FF00,          env.m_colorBarShadow, env.m_colorBarLight,
                                   built[8],          (COLORREF)-1,      env.m_colorHighlight, env.m_colorHighlight};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(trovtest::ColorText(expected[i]), trovtest::ColorText(colours[i])) << "entry " << i;

    // The no-colour base builds from the window colour.
    GanttColorSet fromWindow, windowBuilt;
    BuildGanttColorScheme(env.m_colorWindow, windowBuilt);
    m_manager->GetGanttColors(fromWindow, kNone);
    EXPECT_EQ(windowBuilt[2], fromWindow[2]);
    EXPECT_EQ(windowBuilt[8], fromWindow[8]);
}

TEST_F(PlannerDrawingTest, GanttArrowsPointDownOrRight)
{
    const COLORREF red = RGB(220, 0, 0);
    Canvas down(20, 20, kCanvas), right(20, 20, kCanvas);
    m_manager->DrawGanttArrow(&down.Dc(), CRect(0, 0, 20, 20), 1, red);
    m_manager->DrawGanttArrow(&right.Dc(), CRect(0, 0, 20, 20), 0, red);
    // Centre (10, 10): down (8,10) (14,10) (11,13); right (9,7) (9,13) (12,10).
    EXPECT_EQ(red, down.Pixel(11, 11));
    EXPECT_EQ(kCanvas, down.Pixel(11, 9));
    EXPECT_EQ(red, right.Pixel(10, 10));
    EXPECT_EQ(kCanvas, right.Pixel(8, 10));
    EXPECT_EQ(kCanvas, right.Pixel(13, 10));
}

} // namespace
