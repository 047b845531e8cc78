// The visual manager's drawing of status-bar panes, the caption bar, the
// outlook-style bar, the task pane, panel windows and the tooltip
// background: which colour lands where, for each element and state.
#include "ui/foundation/ZUDPVisualManager.h"

#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPStatusBar.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/ribbon/ZUDPTasksPane.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

using foundationtest::Canvas;

namespace {

using trovtest::kWhite;

// The element is drawn into (10, 10) - (50, 30) of a white 60 x 40 canvas.
const CRect kRect(10, 10, 50, 30);

struct PixelCase {
    const char* name;
    std::function<void(CZUDPVisualManager*, CDC*)> draw;
    CPoint point;
    std::function<COLORREF()> expected;  // read when the case runs: colours follow the system's
};

class VisualManagerPanesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_manager = CZUDPVisualManager::GetActiveManager();
        ASSERT_NE(nullptr, m_manager);
    }
    void RunTable(const std::vector<PixelCase>& cases)
    {
        for (const PixelCase& c : cases) {
            SCOPED_TRACE(c.name);
            Canvas canvas(60, 40, kWhite);
            c.draw(m_manager, &canvas.Dc());
            EXPECT_EQ(trovtest::ColorText(c.expected()), trovtest::ColorText(canvas.Pixel(c.point.x, c.point.y)))
                << "at " << c.point.x << "," << c.point.y;
        }
    }

    CZUDPVisualManager* m_manager = nullptr;
};

const CZUDPUIEnvironment& Env() { return g_uiEnvironment; }

TEST_F(VisualManagerPanesTest, StatusBarPanesAndProgress)
{
    auto border = [](UINT style) {
        return [style](CZUDPVisualManager* vm, CDC* dc) { vm->DrawStatusBarPaneBorder(dc, nullptr, kRect, 0, style); };
    };
    auto progress = [](int total, int current, COLORREF end = (COLORREF)-1) {
        return [=](CZUDPVisualManager* vm, CDC* dc) {
            vm->DrawStatusBarProgress(dc, nullptr, kRect, total, current, RGB(255, 0, 0), end, (COLORREF)-1, FALSE);
        };
    };
    const COLORREF red = RGB(255, 0, 0);
    RunTable({
        {"sunken pane: top-left", border(0), CPoint(10, 10), [] { return Env().m_colorBarShadow; }},
        {"sunken pane: bottom-right", border(0), CPoint(49, 29), [] { return Env().m_colorBarHighlight; }},
        {"raised pane: top-left", border(0x200), CPoint(10, 10), [] { return Env().m_colorBarHighlight; }},
        {"raised pane: bottom-right", border(0x200), CPoint(49, 29), [] { return Env().m_colorBarShadow; }},
        {"pane without border", border(0x100 | 0x200), CPoint(10, 10), [] { return kWhite; }},
        {"half done: left part", progress(100, 50), CPoint(29, 20), [=] { return red; }},
        {"half done: right part", progress(100, 50), CPoint(30, 20), [] { return kWhite; }},
        {"beyond the total: the pane only", progress(100, 150), CPoint(49, 20), [=] { return red; }},
        {"beyond the total: nothing outside", progress(100, 150), CPoint(50, 20), [] { return kWhite; }},
        {"below zero: nothing", progress(100, -20), CPoint(10, 20), [] { return kWhite; }},
        // 40 x (INT_MAX / 2) / INT_MAX: 19 pixels (no overflow of the product)
        {"large values: no overflow", progress(INT_MAX, INT_MAX / 2), CPoint(28, 20), [=] { return red; }},
        {"large values: half", progress(INT_MAX, INT_MAX / 2), CPoint(29, 20), [] { return kWhite; }},
    });
}

TEST_F(VisualManagerPanesTest, StatusBarProgressGradientRunsLeftToRight)
{
    Canvas canvas(60, 40, kWhite);
    m_manager->DrawStatusBarProgress(&canvas.Dc(), nullptr, kRect, 100, 100, RGB(255, 0, 0), RGB(0, 0, 255),
                                     (COLORREF)-1, FALSE);
    EXPECT_TRUE(trovtest::ColorNear(RGB(255, 0, 0), canvas.Pixel(10, 20), 12)) << trovtest::ColorText(canvas.Pixel(10, 20));
    EXPECT_TRUE(trovtest::ColorNear(RGB(0, 0, 255), canvas.Pixel(49, 20), 12)) << trovtest::ColorText(canvas.Pixel(49, 20));
    EXPECT_EQ(canvas.Pixel(30, 11), canvas.Pixel(30, 28)) << "the colour changes across, not down";
}

TEST_F(VisualManagerPanesTest, StatusBarProgressWithoutTotalDrawsNothingNotEvenText)
{
    for (int total : {0, -5}) {
        Canvas canvas(60, 40, kWhite);
        m_manager->DrawStatusBarProgress(&canvas.Dc(), nullptr, kRect, total, 3, RGB(255, 0, 0), (COLORREF)-1,
                                         (COLORREF)-1, TRUE);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                ASSERT_EQ(kWhite, canvas.Pixel(x, y)) << total << " at " << x << "," << y;
    }
}

TEST_F(VisualManagerPanesTest, StatusBarPaneTextColourAndSizeGrip)
{
    ZUDP_STATUSBAR_PANE pane;
    pane.nStyle = 0;
    pane.clrText = (COLORREF)-1;
    EXPECT_EQ(Env().m_colorButtonText, m_manager->GetStatusBarPaneTextColor(nullptr, &pane));
    pane.clrText = RGB(1, 2, 3);
    EXPECT_EQ(RGB(1, 2, 3), m_manager->GetStatusBarPaneTextColor(nullptr, &pane));
    pane.nStyle = 0x04000000;
    EXPECT_EQ(Env().m_colorGrayText, m_manager->GetStatusBarPaneTextColor(nullptr, &pane));

    Canvas canvas(60, 40, kWhite);
    canvas.Dc().SetTextColor(RGB(9, 9, 9));
    m_manager->DrawStatusBarSizeGrip(&canvas.Dc(), nullptr, kRect);
    int inside = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            (kRect.PtInRect(CPoint(x, y)) ? inside : outside) += canvas.Pixel(x, y) != kWhite ? 1 : 0;
    EXPECT_GT(inside, 0);
    EXPECT_EQ(0, outside);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Dc().GetTextColor());
}

TEST_F(VisualManagerPanesTest, CaptionBar)
{
    static CZUDPCaptionBar plain, coloured, message;
    coloured.m_clrBarBackground = RGB(100, 200, 50);
    message.m_bMessageBarMode = TRUE;
    auto info = [](CZUDPCaptionBar* bar) {
        return [bar](CZUDPVisualManager* vm, CDC* dc) { vm->FillCaptionBarInfoArea(dc, bar, kRect); };
    };
    auto button = [](COLORREF face, BOOL flat) {
        return [=](CZUDPVisualManager* vm, CDC* dc) { vm->FillCaptionBarButton(dc, &plain, kRect, face, flat); };
    };
    auto frame = [](CZUDPCaptionBar* bar, BOOL pushed, BOOL hot) {
        return [=](CZUDPVisualManager* vm, CDC* dc) { vm->DrawCaptionBarButtonBorder(dc, bar, kRect, pushed, hot); };
    };
    RunTable({
        {"info area: outer sunken", info(&plain), CPoint(10, 10), [] { return Env().m_colorBarShadow; }},
        {"info area: inner raised", info(&plain), CPoint(11, 11), [] { return Env().m_colorBarHighlight; }},
        {"info area: inner raised bottom", info(&plain), CPoint(48, 28), [] { return Env().m_colorBarShadow; }},
        {"info area: info background", info(&plain), CPoint(30, 20), [] { return ::GetSysColor(COLOR_INFOBK); }},
        {"own colour: fill", info(&coloured), CPoint(30, 20), [] { return RGB(100, 200, 50); }},
        {"own colour: frame at 80 %", info(&coloured), CPoint(10, 10),
         [] { return CZUDPColorArithmetic::ScaleColorPercent(RGB(100, 200, 50), 80); }},
        {"button: bar face", button((COLORREF)-1, TRUE), CPoint(10, 10), [] { return Env().m_colorBarFace; }},
        {"button: own face", button(RGB(5, 6, 7), TRUE), CPoint(30, 20), [] { return RGB(5, 6, 7); }},
        {"button: raised unless flat", button((COLORREF)-1, FALSE), CPoint(10, 10),
         [] { return Env().m_colorBarHighlight; }},
        {"button frame: pushed", frame(&plain, TRUE, FALSE), CPoint(10, 10),
         [] { return Env().m_colorBarDarkShadow; }},
        {"button frame: highlighted", frame(&plain, FALSE, TRUE), CPoint(49, 29),
         [] { return Env().m_colorBarDarkShadow; }},
        {"button frame: message mode", frame(&message, FALSE, FALSE), CPoint(10, 10),
         [] { return Env().m_colorBarHighlight; }},
        {"button frame: idle", frame(&plain, FALSE, FALSE), CPoint(10, 10), [] { return kWhite; }},
    });

    Canvas canvas(60, 40, kWhite);
    EXPECT_EQ((COLORREF)-1,
              m_manager->FillCaptionBarMessageButton(&canvas.Dc(), &plain, kRect, FALSE, FALSE, FALSE, FALSE, FALSE));
    EXPECT_EQ(kWhite, canvas.Pixel(30, 20));
    EXPECT_EQ(Env().m_colorGrayText,
              m_manager->FillCaptionBarMessageButton(&canvas.Dc(), &message, kRect, FALSE, FALSE, TRUE, FALSE, FALSE));
    EXPECT_EQ(Env().m_colorBarFace, canvas.Pixel(30, 20));
    EXPECT_EQ(Env().m_colorBarText,
              m_manager->FillCaptionBarMessageButton(&canvas.Dc(), &message, kRect, FALSE, FALSE, FALSE, FALSE, FALSE));
    EXPECT_EQ(::GetSysColor(COLOR_INFOTEXT), m_manager->GetCaptionBarTextColor(&message));
    EXPECT_EQ(Env().m_colorWindow, m_manager->GetCaptionBarTextColor(&plain));
    EXPECT_EQ(4, m_manager->GetCaptionBarMessageMargin());
}

TEST_F(VisualManagerPanesTest, OutlookBar)
{
    auto border = [](BOOL pushed, BOOL hot) {
        return [=](CZUDPVisualManager* vm, CDC* dc) {
            CRect rect = kRect;
            vm->DrawOutlookButtonBorder(dc, rect, pushed, hot);
        };
    };
    RunTable({
        {"pushed and hot: outer", border(TRUE, TRUE), CPoint(10, 10), [] { return Env().m_colorBarDarkShadow; }},
        {"pushed and hot: outer bottom", border(TRUE, TRUE), CPoint(49, 29), [] { return Env().m_colorBarFace; }},
        {"pushed and hot: inner sunken", border(TRUE, TRUE), CPoint(11, 11), [] { return Env().m_colorBarShadow; }},
        {"hot: outer", border(FALSE, TRUE), CPoint(49, 29), [] { return Env().m_colorBarDarkShadow; }},
        {"pushed: inner raised", border(TRUE, FALSE), CPoint(11, 11), [] { return Env().m_colorBarHighlight; }},
        {"idle: raised", border(FALSE, FALSE), CPoint(10, 10), [] { return Env().m_colorBarHighlight; }},
        {"idle: raised bottom", border(FALSE, FALSE), CPoint(49, 29), [] { return Env().m_colorBarShadow; }},
        {"window area: raised", [](CZUDPVisualManager* vm, CDC* dc) { vm->FillOutlookWndArea(dc, kRect); },
         CPoint(10, 10), [] { return Env().m_colorBarHighlight; }},
        {"window area: face", [](CZUDPVisualManager* vm, CDC* dc) { vm->FillOutlookWndArea(dc, kRect); },
         CPoint(30, 20), [] { return Env().m_colorBarFace; }},
    });

    // The frames shrink the rectangle: by 2 with an inner frame, else by 1.
    Canvas canvas(60, 40, kWhite);
    for (auto [pushed, hot, inset] : {std::tuple<BOOL, BOOL, int>{TRUE, TRUE, 2}, {TRUE, FALSE, 2}, {FALSE, FALSE, 1}}) {
        CRect rect = kRect;
        m_manager->DrawOutlookButtonBorder(&canvas.Dc(), rect, pushed, hot);
        CRect expected = kRect;
        expected.DeflateRect(inset, inset);
        EXPECT_EQ(expected, rect) << pushed << hot;
    }
    COLORREF text = 0;
    EXPECT_EQ(Env().m_colorBarText, m_manager->FillOutlookButton(&canvas.Dc(), kRect, nullptr, FALSE, FALSE, text));
    EXPECT_EQ(Env().m_colorBarText, text);
    EXPECT_EQ(Env().m_colorBarFace, canvas.Pixel(30, 20));
    EXPECT_EQ(Env().m_colorBarHighlight, m_manager->FillOutlookBarCaption(&canvas.Dc(), kRect, text));
    EXPECT_EQ(Env().m_colorBarHighlight, text);
    EXPECT_EQ(Env().m_colorBarShadow, canvas.Pixel(30, 20));
}

TEST_F(VisualManagerPanesTest, TaskPaneFramesBordersAndBoxes)
{
    auto groupBorder = [](BOOL special, BOOL close) {
        return [=](CZUDPVisualManager* vm, CDC* dc) { vm->DrawTaskGroupBorder(dc, kRect, special, close); };
    };
    auto expandBox = [](BOOL expanded) {
        return [=](CZUDPVisualManager* vm, CDC* dc) { vm->DrawExpandBox(dc, CRect(10, 10, 21, 21), expanded, RGB(0, 0, 255)); };
    };
    RunTable({
        {"pane background", [](CZUDPVisualManager* vm, CDC* dc) { vm->FillTasksPaneBackground(dc, kRect); },
         CPoint(30, 20), [] { return Env().m_colorWindow; }},
        {"page frame", [](CZUDPVisualManager* vm, CDC* dc) { vm->DrawTaskPaneFrame(dc, kRect); }, CPoint(49, 29),
         [] { return Env().m_colorBarFace; }},
        {"special group: left edge", groupBorder(TRUE, FALSE), CPoint(10, 20), [] { return Env().m_colorHighlight; }},
        {"group: bottom edge", groupBorder(FALSE, FALSE), CPoint(30, 29), [] { return Env().m_colorBarFace; }},
        {"group: right edge", groupBorder(FALSE, FALSE), CPoint(49, 20), [] { return Env().m_colorBarFace; }},
        {"group: top left open", groupBorder(FALSE, FALSE), CPoint(30, 10), [] { return kWhite; }},
        {"group: top closed", groupBorder(FALSE, TRUE), CPoint(30, 10), [] { return Env().m_colorBarFace; }},
        {"expand box: frame", expandBox(TRUE), CPoint(10, 10), [] { return RGB(0, 0, 255); }},
        {"expanded: minus", expandBox(TRUE), CPoint(13, 15), [] { return Env().m_colorBarText; }},
        {"expanded: no vertical stroke", expandBox(TRUE), CPoint(15, 13), [] { return kWhite; }},
        {"collapsed: plus", expandBox(FALSE), CPoint(15, 13), [] { return Env().m_colorBarText; }},
        {"scroll button: extra height filled",
         [](CZUDPVisualManager* vm, CDC* dc) { vm->DrawTasksScrollButton(dc, CRect(10, 20, 50, 30), 8, 0, FALSE); },
         CPoint(11, 13), [] { return Env().m_colorBarFace; }},
        {"scroll button: highlighted frame",
         [](CZUDPVisualManager* vm, CDC* dc) { vm->DrawTasksScrollButton(dc, CRect(10, 20, 50, 30), 0, 0, TRUE); },
         CPoint(49, 29), [] { return Env().m_colorBarDarkShadow; }},
    });
}

TEST_F(VisualManagerPanesTest, PanelWindows)
{
    RunTable({
        {"background", [](CZUDPVisualManager* vm, CDC* dc) { vm->FillPanelWindowBackground(dc, kRect); },
         CPoint(30, 20), [] { return Env().m_colorBarFace; }},
        {"border: outer", [](CZUDPVisualManager* vm, CDC* dc) { vm->DrawPanelWindowBorder(dc, kRect); },
         CPoint(10, 10), [] { return Env().m_colorBarLight; }},
        {"border: outer bottom", [](CZUDPVisualManager* vm, CDC* dc) { vm->DrawPanelWindowBorder(dc, kRect); },
         CPoint(49, 29), [] { return Env().m_colorBarDarkShadow; }},
        {"border: inner", [](CZUDPVisualManager* vm, CDC* dc) { vm->DrawPanelWindowBorder(dc, kRect); },
         CPoint(11, 11), [] { return Env().m_colorBarHighlight; }},
        {"caption", [](CZUDPVisualManager* vm, CDC* dc) { vm->FillPanelWindowCaption(dc, kRect); }, CPoint(30, 20),
         [] { return Env().m_colorActiveCaption; }},
    });
    Canvas canvas(60, 40, kWhite);
    EXPECT_EQ(Env().m_colorCaptionText, m_manager->FillPanelWindowCaption(&canvas.Dc(), kRect));
    EXPECT_FALSE(m_manager->QueryPanelWindowOption());
}

// The task pane's groups and tasks, drawn from their fields.
class TaskPaneDrawingTest : public VisualManagerPanesTest {
protected:
    void SetUp() override
    {
        VisualManagerPanesTest::SetUp();
        m_pane.AddGroup("Machines", FALSE);
        m_toolBox.AddGroup("Tools", FALSE);
        m_group = m_pane.GetGroup(0);
        m_boxGroup = m_toolBox.GetGroup(0);
        m_group->m_rectCaption = CRect(0, 0, 120, 25);
        m_boxGroup->m_rectCaption = CRect(0, 0, 120, 25);
    }
    CZUDPTasksPane m_pane;
    CZUDPToolBoxEx m_toolBox;
    CZUDPTasksPaneGroup* m_group = nullptr;
    CZUDPTasksPaneGroup* m_boxGroup = nullptr;
};

TEST_F(TaskPaneDrawingTest, GroupCaptionFillsByKind)
{
    Canvas canvas(130, 30, kWhite);
    m_manager->DrawTaskGroupCaption(&canvas.Dc(), m_group, FALSE, FALSE, FALSE);
    EXPECT_EQ(Env().m_colorBarFace, canvas.Pixel(118, 2));
    m_group->m_bIsSpecial = TRUE;
    m_manager->DrawTaskGroupCaption(&canvas.Dc(), m_group, FALSE, FALSE, FALSE);
    EXPECT_EQ(Env().m_colorHighlight, canvas.Pixel(118, 2));

    // The toolbox: bar shadow narrowed by one on the sides and the bottom.
    canvas.Fill(kWhite);
    m_manager->DrawTaskGroupCaption(&canvas.Dc(), m_boxGroup, FALSE, FALSE, FALSE);
    EXPECT_EQ(Env().m_colorBarShadow, canvas.Pixel(118, 2));
    EXPECT_EQ(kWhite, canvas.Pixel(0, 2));
    EXPECT_EQ(kWhite, canvas.Pixel(119, 2));
    EXPECT_EQ(kWhite, canvas.Pixel(60, 24));
}

TEST_F(TaskPaneDrawingTest, ChevronOnlyOnCollapsibleNamedGroupsOutsideTheToolBox)
{
    // Black glyph pixels in the caption's right end (the last caption
    // height), and the name's hot colour while highlighted.
    auto chevronPixels = [](Canvas& canvas, const CRect& caption) {
        int black = 0;
        for (int y = caption.top; y < caption.bottom; ++y)
            for (int x = caption.right - caption.Height(); x < caption.right; ++x)
                black += canvas.Pixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
        return black;
    };
    struct Case {
        const char* name;
        bool toolBox;
        const char* groupName;
        BOOL canCollapse;
        bool chevron;
    } cases[] = {
        {"collapsible group", false, "Machines", TRUE, true},
        {"fixed group", false, "Machines", FALSE, false},
        {"group without a name", false, "", TRUE, false},
        {"toolbox group", true, "Tools", TRUE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPTasksPaneGroup* pGroup = c.toolBox ? m_boxGroup : m_group;
        pGroup->m_strName = c.groupName;
        pGroup->m_rectCaption = CRect(0, 0, 120, 25);
        Canvas canvas(130, 30, kWhite);
        m_manager->DrawTaskGroupCaption(&canvas.Dc(), pGroup, FALSE, FALSE, c.canCollapse);
        EXPECT_EQ(c.chevron, chevronPixels(canvas, pGroup->m_rectCaption) > 0);
    }

    m_group->m_strName = "Machines";
    m_group->m_clrTextHot = RGB(255, 0, 0);
    m_group->m_clrText = RGB(0, 160, 0);
    for (BOOL hot : {TRUE, FALSE}) {
        Canvas canvas(130, 30, kWhite);
        m_manager->DrawTaskGroupCaption(&canvas.Dc(), m_group, hot, FALSE, TRUE);
        int red = 0, green = 0;
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 90; ++x) {
                red += trovtest::ColorNear(canvas.Pixel(x, y), RGB(255, 0, 0), 40) ? 1 : 0;
                green += trovtest::ColorNear(canvas.Pixel(x, y), RGB(0, 160, 0), 40) ? 1 : 0;
            }
        EXPECT_EQ(hot == TRUE, red > 0) << hot;
        EXPECT_EQ(hot == FALSE, green > 0) << hot;
    }
}

TEST_F(TaskPaneDrawingTest, ToolBoxExpandBoxFollowsTheDpiScale)
{
    struct Case {
        double scale;
        int box;
    } cases[] = {{1.0, 9}, {1.5, 14}, {2.0, 18}};
    const double savedScale = g_uiEnvironment.m_dpiScale;
    const BOOL savedScaling = g_uiEnvironment.m_dpiScaling;
    g_uiEnvironment.m_dpiScaling = TRUE;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        g_uiEnvironment.m_dpiScale = c.scale;
        m_boxGroup->m_rectCaption = CRect(0, 0, 120, 30);
        Canvas canvas(130, 30, kWhite);
        m_manager->DrawTaskGroupCaption(&canvas.Dc(), m_boxGroup, FALSE, FALSE, TRUE);
        // The box: a frame in bar text starting 6 pixels in, centred.
        int left = -1, right = -1;
        for (int x = 0; x < 40; ++x)
            if (canvas.Pixel(x, (30 - c.box) / 2) == Env().m_colorBarText) {
                if (left < 0)
                    left = x;
                right = x;
            }
        EXPECT_EQ(6, left);
        EXPECT_EQ(c.box, right - left + 1);
    }
    g_uiEnvironment.m_dpiScale = savedScale;
    g_uiEnvironment.m_dpiScaling = savedScaling;
}

TEST_F(TaskPaneDrawingTest, TaskNameWithLineBreakStaysOnOneLineUnlessWrapping)
{
    m_pane.AddTask(0, "First part\r\nsecond part", -1, 100);
    CZUDPTasksPaneTask* pTask = m_group->GetTask(0);
    ASSERT_NE(nullptr, pTask);
    pTask->m_bIsCommand = FALSE;
    pTask->m_rect = CRect(0, 0, 300, 60);
    const TEXTMETRIC tm = trovtest::MeasureFont((HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle());

    for (BOOL wrap : {FALSE, TRUE}) {
        SCOPED_TRACE(wrap);
        m_pane.m_bWrapLabels = wrap;
        trovtest::DibCanvas dib(300, 60);
        dib.Fill(kWhite);
        CDC dc;
        dc.Attach(dib.Dc());
        m_manager->DrawTask(&dc, pTask, nullptr, FALSE, FALSE);
        dc.Detach();
        const RECT drawn = dib.BoundsOfOther(dib.Rect(), kWhite);
        const int height = drawn.bottom - drawn.top;
        if (wrap)
            EXPECT_GT(height, tm.tmHeight);
        else
            EXPECT_LE(height, tm.tmHeight);
    }
}

TEST_F(TaskPaneDrawingTest, TaskSeparatorAndColours)
{
    m_pane.AddTask(0, "", -1, 0);
    m_pane.AddTask(0, "Connect", -1, 101);
    CZUDPTasksPaneTask* pSeparator = m_group->GetTask(0);
    CZUDPTasksPaneTask* pCommand = m_group->GetTask(1);
    pSeparator->m_bIsSeparator = TRUE;
    pSeparator->m_rect = CRect(0, 0, 100, 10);
    Canvas canvas(100, 30, kWhite);
    m_manager->DrawTask(&canvas.Dc(), pSeparator, nullptr, FALSE, FALSE);
    EXPECT_EQ(Env().m_colorBarFace, canvas.Pixel(50, 5));
    EXPECT_EQ(kWhite, canvas.Pixel(50, 2));

    pCommand->m_bIsCommand = TRUE;
    pCommand->m_bIsClickable = FALSE;
    pCommand->m_rect = CRect(0, 0, 100, 30);
    canvas.Fill(kWhite);
    m_manager->DrawTask(&canvas.Dc(), pCommand, nullptr, TRUE, FALSE);
    int grey = 0, other = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            if (c == kWhite)
                continue;
            (trovtest::ColorNear(c, Env().m_colorGrayText, 0) ? grey : other)++;
        }
    EXPECT_GT(grey, 0) << "a command that cannot be clicked is grey";
}

TEST_F(VisualManagerPanesTest, ToolTipWithoutVisualStylesKeepsTheCallerColours)
{
    HTHEME saved = m_manager->m_hThemeToolTip;
    m_manager->m_hThemeToolTip = nullptr;
    Canvas canvas(60, 40, kWhite);
    COLORREF text = RGB(1, 2, 3), line = RGB(4, 5, 6);
    m_manager->FillToolTip(&canvas.Dc(), nullptr, kRect, text, line);
    m_manager->m_hThemeToolTip = saved;
    EXPECT_EQ(RGB(1, 2, 3), text);
    EXPECT_EQ(RGB(4, 5, 6), line);
    EXPECT_EQ(::GetSysColor(COLOR_INFOBK), canvas.Pixel(30, 20));
    EXPECT_EQ(kWhite, canvas.Pixel(9, 9));
}

TEST_F(VisualManagerPanesTest, ToolTipWithVisualStylesTakesTheThemeColours)
{
    HTHEME saved = m_manager->m_hThemeToolTip;
    m_manager->m_hThemeToolTip = reinterpret_cast<HTHEME>(0x7170);
    std::vector<std::pair<int, int>> drawn;
    std::vector<int> properties;
    ScopedSeam draw(g_foundationSeams.drawThemeBackground,
                    [&](UxDrawThemeBackgroundFn, HTHEME theme, HDC, int part, int state, const RECT*, const RECT*) {
                        if (theme == reinterpret_cast<HTHEME>(0x7170))
                            drawn.push_back({part, state});
                        return S_OK;
                    });
    ScopedSeam colour(g_foundationSeams.getThemeColor,
                      [&](UxGetThemeColorFn, HTHEME, int part, int state, int property, COLORREF* value) {
                          properties.push_back(property);
                          *value = property == 3803 ? RGB(10, 20, 30) : RGB(40, 50, 60);
                          return part == 1 && state == 0 ? S_OK : E_FAIL;
                      });
    Canvas canvas(60, 40, kWhite);
    COLORREF text = RGB(1, 2, 3), line = RGB(4, 5, 6);
    m_manager->FillToolTip(&canvas.Dc(), nullptr, kRect, text, line);
    m_manager->m_hThemeToolTip = saved;
    ASSERT_EQ(1u, drawn.size());
    EXPECT_EQ(std::make_pair(1, 0), drawn[0]);
    if (m_manager->m_pfnGetThemeColor != nullptr) {
        EXPECT_EQ((std::vector<int>{3803, 3807}), properties);
        EXPECT_EQ(RGB(10, 20, 30), text);
        EXPECT_EQ(RGB(40, 50, 60), line);
    }
    EXPECT_EQ(kWhite, canvas.Pixel(30, 20)) << "the theme paints, not the info brush";
}

// What the glass text drawing was asked for.
struct GlassCall {
    int calls = 0;
    HTHEME theme = nullptr;
    int part = -1, state = -1;
    DWORD options = 0;
    int glow = 0;
    COLORREF colour = 0;
    COLORREF dcColour = 0;
} g_glass;

HRESULT WINAPI FakePaneDrawThemeTextEx(HTHEME theme, HDC dc, int part, int state, LPCWSTR, int, DWORD, LPRECT,
                                   const DTTOPTS* options)
{
    ++g_glass.calls;
    g_glass.theme = theme;
    g_glass.part = part;
    g_glass.state = state;
    g_glass.options = options->dwFlags;
    g_glass.glow = options->iGlowSize;
    g_glass.colour = options->crText;
    g_glass.dcColour = ::GetTextColor(dc);
    return S_OK;
}
HRESULT WINAPI CompositionOn(BOOL* enabled)
{
    *enabled = TRUE;
    return S_OK;
}

TEST_F(VisualManagerPanesTest, TextOnGlassGoesThroughTheButtonThemeInBlack)
{
    CZUDPUIEnvironment& env = g_uiEnvironment;
    const auto savedText = env.m_drawThemeTextEx;
    const auto savedComposition = env.m_dwmIsCompositionEnabled;
    const BOOL savedOff = env.m_compositionOff;
    HTHEME savedTheme = m_manager->m_hThemeButton;
    env.m_drawThemeTextEx = FakePaneDrawThemeTextEx;
    env.m_dwmIsCompositionEnabled = CompositionOn;
    env.m_compositionOff = FALSE;
    m_manager->m_hThemeButton = reinterpret_cast<HTHEME>(0xB077);
    g_glass = GlassCall();

    Canvas canvas(60, 40, kWhite);
    canvas.Dc().SetTextColor(RGB(200, 0, 0));
    const BOOL composited = m_manager->DrawTextOnGlass(&canvas.Dc(), "Glass", kRect, DT_SINGLELINE, 8, RGB(0, 0, 255));
    const COLORREF after = canvas.Dc().GetTextColor();
    env.m_compositionOff = TRUE;
    const BOOL plain = m_manager->DrawTextOnGlass(&canvas.Dc(), "Glass", kRect, DT_SINGLELINE);

    env.m_drawThemeTextEx = savedText;
    env.m_dwmIsCompositionEnabled = savedComposition;
    env.m_compositionOff = savedOff;
    m_manager->m_hThemeButton = savedTheme;

    EXPECT_TRUE(composited);
    ASSERT_EQ(1, g_glass.calls);
    EXPECT_EQ(reinterpret_cast<HTHEME>(0xB077), g_glass.theme);
    EXPECT_EQ(0, g_glass.part);
    EXPECT_EQ(0, g_glass.state);
    EXPECT_EQ((DWORD)(DTT_COMPOSITED | DTT_GLOWSIZE | DTT_TEXTCOLOR), g_glass.options);
    EXPECT_EQ(8, g_glass.glow);
    EXPECT_EQ(RGB(0, 0, 255), g_glass.colour);
    EXPECT_EQ(RGB(0, 0, 0), g_glass.dcColour);
    EXPECT_EQ(RGB(200, 0, 0), after);
    // Without composition the text is drawn plainly (in black) and the
    // answer says so.
    EXPECT_FALSE(plain);
    EXPECT_EQ(1, g_glass.calls);
    EXPECT_EQ(RGB(200, 0, 0), canvas.Dc().GetTextColor());
}

TEST_F(VisualManagerPanesTest, ConstantAnswers)
{
    ZUDP_TOOLTIP_PARAMS params;
    for (int& v : params.values)
        v = 77;
    EXPECT_TRUE(m_manager->GetToolTipParams(params, (UINT)-1));
    const int expected[13] = {0, 1, 1, 200, 0, 1, -1, -1, -1, -1, -1, 0, 0};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(expected[i], params.values[i]) << i;
    EXPECT_FALSE(m_manager->QueryGlassOption());
    EXPECT_EQ(Env().m_colorHotLinkHovered, m_manager->GetHotLinkColor(nullptr));
}

} // namespace
