// The visual manager's drawing of dialog controls, into DIB sections in a
// palette where every global colour is distinct; themed parts through the
// recorder of the visual-style calls.
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/VisualManagerPalette.h"

#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPGroup.h"
#include "ui/controls/ZUDPHeaderCtrl.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

#include <functional>

using foundationtest::Canvas;
using foundationtest::BoundsOf;
using foundationtest::CountOf;
using foundationtest::DrawCase;
using foundationtest::Point;

namespace {

using trovtest::kWhite;
using trovtest::kBlack;
using trovtest::kGrey;

using Colour = COLORREF CZUDPUIEnvironment::*;
using E = CZUDPUIEnvironment;

// A header that is, or is not, inside a dialog.
class TestHeader : public CZUDPHeaderCtrl {
public:
    explicit TestHeader(BOOL bInDialog) { m_bInDialog = bInDialog; }
};

class VisualManagerDialogControlsTest : public ::testing::Test {
protected:
    uitest::DistinctColours m_colours;
    uitest::ClassicDrawing m_classic;
    CZUDPVisualManager m_manager{TRUE};
};

void CheckDialogControlCases(CZUDPVisualManager& manager, const std::vector<DrawCase>& cases)
{
    foundationtest::CheckDrawCases(manager, cases, 30, 30);
}

TEST_F(VisualManagerDialogControlsTest, HeaderInADialogTakesTheButtonColours)
{
    m_colours.SeparateBarColours();
    static TestHeader inDialog(TRUE), inFrame(FALSE);
    const CRect r(0, 0, 20, 16);
    CheckDialogControlCases(m_manager, {
        {"header background in a dialog",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.FillHeaderBackground(&inDialog, &dc, r); },
         {{0, 0, &E::m_colorButtonFace}, {19, 15, &E::m_colorButtonFace}}},
        {"header background elsewhere",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.FillHeaderBackground(&inFrame, &dc, r); },
         {{0, 0, &E::m_colorBarFace}}},
        {"header item in a dialog",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             CRect item = r;
             vm.DrawHeaderItemBorder(&inDialog, &dc, item, FALSE, FALSE);
         },
         {{0, 0, &E::m_colorButtonHighlight}, {19, 15, &E::m_colorButtonShadow}, {5, 5, nullptr}}},
        {"header item elsewhere",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             CRect item = r;
             vm.DrawHeaderItemBorder(&inFrame, &dc, item, FALSE, TRUE);
         },
         {{0, 0, &E::m_colorBarHighlight}, {19, 15, &E::m_colorBarShadow}}},
        {"pressed header item in a dialog: flat shadow frame",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             CRect item = r;
             vm.DrawHeaderItemBorder(&inDialog, &dc, item, TRUE, FALSE);
         },
         {{0, 0, &E::m_colorButtonShadow}, {19, 15, &E::m_colorButtonShadow}}},
        {"pressed header item elsewhere",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             CRect item = r;
             vm.DrawHeaderItemBorder(&inFrame, &dc, item, TRUE, FALSE);
         },
         {{0, 0, &E::m_colorBarShadow}, {19, 15, &E::m_colorBarShadow}}},
    });
}

TEST_F(VisualManagerDialogControlsTest, PressedHeaderItemShiftsItsContent)
{
    TestHeader header(FALSE);
    Canvas canvas(20, 16);
    CRect pressed(0, 0, 20, 16), idle(0, 0, 20, 16);
    m_manager.DrawHeaderItemBorder(&header, &canvas.Dc(), pressed, TRUE, FALSE);
    m_manager.DrawHeaderItemBorder(&header, &canvas.Dc(), idle, FALSE, FALSE);
    EXPECT_EQ(CRect(1, 1, 20, 16), pressed);
    EXPECT_EQ(CRect(0, 0, 20, 16), idle);
}

TEST_F(VisualManagerDialogControlsTest, SortArrowsPointUpOrDown)
{
    TestHeader header(FALSE);
    Canvas up(20, 20), down(20, 20);
    m_manager.DrawHeaderSortArrow(&header, &up.Dc(), CRect(0, 0, 20, 20), TRUE);
    m_manager.DrawHeaderSortArrow(&header, &down.Dc(), CRect(0, 0, 20, 20), FALSE);
    const RECT u = BoundsOf(up, kBlack), d = BoundsOf(down, kBlack);
    ASSERT_GT(u.right, 0);
    ASSERT_GT(d.right, 0);
    int upTop = 0, downTop = 0;
    for (int x = 0; x < 20; ++x) {
        upTop += up.Pixel(x, u.top) == kBlack;
        downTop += down.Pixel(x, d.top) == kBlack;
    }
    EXPECT_LT(upTop, downTop);
}

TEST_F(VisualManagerDialogControlsTest, ListBoxItem)
{
    Canvas selected(20, 10), plain(20, 10), focused(20, 10);
    EXPECT_EQ(g_uiEnvironment.m_colorHighlightText,
              m_manager.FillListBoxItem(&selected.Dc(), nullptr, 0, CRect(0, 0, 20, 10), FALSE, TRUE));
    EXPECT_EQ(g_uiEnvironment.m_colorHighlight, selected.Pixel(0, 0));
    EXPECT_EQ((COLORREF)-1, m_manager.FillListBoxItem(&plain.Dc(), nullptr, 0, CRect(0, 0, 20, 10), FALSE, FALSE));
    EXPECT_EQ(20 * 10, CountOf(plain, kWhite)) << "an item neither selected nor focused is left alone";
    EXPECT_EQ((COLORREF)-1, m_manager.FillListBoxItem(&focused.Dc(), nullptr, 0, CRect(0, 0, 20, 10), TRUE, FALSE));
    EXPECT_EQ(kWhite, focused.Pixel(10, 5));
    EXPECT_LT(CountOf(focused, kWhite), 200) << "no focus rectangle";
}

TEST_F(VisualManagerDialogControlsTest, CheckBoxes)
{
    const CRect r(0, 0, 16, 16);
    CheckDialogControlCases(m_manager, {
        {"enabled check box: sunken double frame on the window colour",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawCheckBoxEx(&dc, r, 0, FALSE, FALSE, TRUE); },
         {{0, 0, nullptr}, {1, 1, &E::m_colorBarDarkShadow}, {14, 14, &E::m_colorBarHighlight},
          {2, 2, &E::m_colorBarShadow}, {13, 13, &E::m_colorBarLight}, {7, 7, &E::m_colorWindow}}},
        {"disabled check box is filled with the bar face",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawCheckBox(&dc, r, FALSE, FALSE, FALSE); },
         {{1, 1, &E::m_colorBarDarkShadow}, {7, 7, &E::m_colorBarFace}}},
    });
}

TEST_F(VisualManagerDialogControlsTest, CheckBoxMarks)
{
    const struct {
        int state;
        bool checkMark, checkerboard;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}};
    for (const auto& c : cases) {
        Canvas canvas(16, 16);
        ::SetTextColor(canvas.Dc().GetSafeHdc(), RGB(10, 20, 30));
        ::SetBkColor(canvas.Dc().GetSafeHdc(), RGB(200, 210, 220));
        m_manager.DrawCheckBoxEx(&canvas.Dc(), CRect(0, 0, 16, 16), c.state, FALSE, FALSE, TRUE);
        EXPECT_EQ(c.checkMark, CountOf(canvas, kBlack) > 0) << c.state;
        // The checkerboard begins two pixels inside the outer frame.
        const COLORREF a = canvas.Pixel(3, 3), b = canvas.Pixel(4, 3);
        if (c.checkerboard) {
            EXPECT_NE(a, b);
            EXPECT_TRUE((a == RGB(10, 20, 30) && b == RGB(200, 210, 220)) ||
                        (b == RGB(10, 20, 30) && a == RGB(200, 210, 220)));
            EXPECT_EQ(a, canvas.Pixel(4, 4));
            EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(2, 3));
        } else {
            EXPECT_EQ(0, CountOf(canvas, RGB(10, 20, 30))) << c.state;
        }
    }
}

TEST_F(VisualManagerDialogControlsTest, FocusedCheckBoxDrawsTheFocusRectangle)
{
    Canvas focused(16, 16), plain(16, 16);
    m_manager.DrawCheckBox(&focused.Dc(), CRect(0, 0, 16, 16), TRUE, FALSE, TRUE);
    m_manager.DrawCheckBox(&plain.Dc(), CRect(0, 0, 16, 16), FALSE, FALSE, TRUE);
    EXPECT_EQ(kWhite, plain.Pixel(0, 0));
    EXPECT_LT(CountOf(focused, kWhite), CountOf(plain, kWhite));
}

TEST_F(VisualManagerDialogControlsTest, RadioButtons)
{
    using E = CZUDPUIEnvironment;
    const struct {
        const char* name;
        BOOL checked, highlighted, enabled;
        Colour centre, ring;
    } cases[] = {
        {"plain", FALSE, FALSE, TRUE, &E::m_colorBarHighlight, &E::m_colorBarShadow},
        {"hot", FALSE, TRUE, TRUE, &E::m_colorBarHighlight, &E::m_colorBarDarkShadow},
        {"disabled", FALSE, FALSE, FALSE, &E::m_colorBarFace, &E::m_colorBarShadow},
        {"checked", TRUE, FALSE, TRUE, &E::m_colorBarShadow, &E::m_colorBarShadow},
        {"checked and hot", TRUE, TRUE, TRUE, &E::m_colorBarDarkShadow, &E::m_colorBarDarkShadow},
        {"checked, hot and disabled", TRUE, TRUE, FALSE, &E::m_colorBarShadow, &E::m_colorBarShadow},
    };
    for (const auto& c : cases) {
        Canvas canvas(20, 20);
        m_manager.DrawRadioButton(&canvas.Dc(), CRect(0, 0, 20, 20), c.checked, c.highlighted, FALSE, c.enabled);
        EXPECT_EQ(g_uiEnvironment.*c.centre, canvas.Pixel(10, 10)) << c.name;
        // The ring is smoothed: its top pixel is close to the colour.
        EXPECT_TRUE(trovtest::ColorNear(g_uiEnvironment.*c.ring, canvas.Pixel(10, 1), 8)) << c.name;
        EXPECT_EQ(kWhite, canvas.Pixel(0, 0)) << c.name;
    }
}

TEST_F(VisualManagerDialogControlsTest, FramesButtonsAndProgress)
{
    static CZUDPButton clear;
    const CRect r(2, 2, 22, 18);
    CheckDialogControlCases(m_manager, {
        {"control frame", [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawControlFrame(&dc, r, nullptr, FALSE); },
         {{2, 2, &E::m_colorBarDarkShadow}, {21, 17, &E::m_colorBarHighlight}, {3, 3, &E::m_colorWindow},
          {20, 16, &E::m_colorWindow}, {10, 10, nullptr}}},
        {"pressed calculator button",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawCalculatorButton(&dc, r, nullptr, 1); },
         {{2, 2, &E::m_colorBarShadow}, {21, 17, &E::m_colorBarHighlight}}},
        {"highlighted calculator button",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawCalculatorButton(&dc, r, nullptr, 2); },
         {{2, 2, &E::m_colorBarHighlight}, {21, 17, &E::m_colorBarShadow}}},
        {"calculator button", [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawCalculatorButton(&dc, r, nullptr, 0); },
         {{2, 2, &E::m_colorBarHighlight}, {21, 17, &E::m_colorBarShadow}, {10, 10, nullptr}}},
        {"calculator display",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawCalculatorDisplay(&dc, r, CString("12"), FALSE); },
         {{2, 2, &E::m_colorBarShadow}, {21, 17, &E::m_colorBarHighlight}, {10, 10, &E::m_colorWindow}}},
        {"browse button: the frame reaches one pixel beyond, up, right and down",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawEditBrowseButton(&dc, r, nullptr, 0); },
         {{2, 1, &E::m_colorDarkShadow}, {22, 10, &E::m_colorDarkShadow}, {10, 18, &E::m_colorDarkShadow},
          {1, 10, nullptr}, {10, 10, &E::m_colorButtonFace}}},
        {"clear button", [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawClearButton(&dc, &clear, r); },
         {{2, 2, &E::m_colorButtonFace}, {10, 10, &E::m_colorButtonFace}, {1, 1, nullptr}}},
        {"progress bar",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawProgressBar(&dc, nullptr, r, CRect(3, 3, 10, 17), FALSE); },
         {{2, 2, &E::m_colorBarShadow}, {21, 17, &E::m_colorBarHighlight}, {5, 10, &E::m_colorHighlight},
          {15, 10, nullptr}}},
        {"empty progress bar",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawProgressBar(&dc, nullptr, r, CRect(3, 3, 3, 17), FALSE); },
         {{3, 10, nullptr}, {2, 2, &E::m_colorBarShadow}}},
    });
    Canvas light(30, 30);
    m_manager.DrawCalculatorButton(&light.Dc(), r, nullptr, 1);
    EXPECT_NE(kWhite, light.Pixel(10, 10));
}

TEST_F(VisualManagerDialogControlsTest, PopupControlIsFramedFlat)
{
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
    Canvas canvas(20, 20);
    m_manager.DrawControlFrame(&canvas.Dc(), CRect(0, 0, 20, 20), &popup, FALSE);
    popup.DestroyWindow();
    EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(0, 0));
    EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(19, 19));
    EXPECT_EQ(g_uiEnvironment.m_colorWindow, canvas.Pixel(1, 1));
}

TEST_F(VisualManagerDialogControlsTest, BrowseAndClearButtonsSinkWhenPressed)
{
    // Inner edges of the system: raised shows the 3D highlight at the top
    // left, sunken the 3D dark shadow.
    const COLORREF raised = ::GetSysColor(COLOR_3DHIGHLIGHT), sunken = ::GetSysColor(COLOR_3DDKSHADOW);
    ASSERT_NE(raised, sunken);
    Canvas up(20, 20), down(20, 20);
    m_manager.DrawEditBrowseButton(&up.Dc(), CRect(2, 2, 18, 18), nullptr, 0);
    m_manager.DrawEditBrowseButton(&down.Dc(), CRect(2, 2, 18, 18), nullptr, 1);
    EXPECT_EQ(raised, up.Pixel(3, 3));
    EXPECT_EQ(sunken, down.Pixel(3, 3));

    CZUDPButton button;
    const struct {
        BOOL down, hot;
        COLORREF corner;
    } cases[] = {{FALSE, FALSE, raised}, {TRUE, FALSE, raised}, {FALSE, TRUE, raised}, {TRUE, TRUE, sunken}};
    for (const auto& c : cases) {
        button.m_bDown = c.down;
        button.m_bHot = c.hot;
        Canvas canvas(20, 20);
        EXPECT_TRUE(m_manager.DrawClearButton(&canvas.Dc(), &button, CRect(2, 2, 18, 18)));
        EXPECT_EQ(c.corner, canvas.Pixel(3, 3)) << c.down << c.hot;
    }
}

TEST_F(VisualManagerDialogControlsTest, SpinButtonHalves)
{
    // Top-left pixel of each half: the shadow when that half is pressed
    // (sunken), the highlight when it is raised.
    const struct {
        int state;
        BOOL horizontal;
        bool firstPressed, secondPressed;
        bool grey;
    } cases[] = {
        {0, FALSE, false, false, false},   {1, FALSE, true, false, false}, {2, FALSE, false, true, false},
        {3, FALSE, false, false, false},   {1, TRUE, true, false, false},  {2, TRUE, false, true, false},
        {0x10, FALSE, false, false, true}, {0x13, TRUE, false, false, true},
    };
    for (const auto& c : cases) {
        Canvas canvas(20, 24);
        m_manager.DrawSpinButton(&canvas.Dc(), CRect(0, 0, 20, 24), c.state, c.horizontal, nullptr);
        // Inset 1: the halves are (1,1)-(19,12) and (1,13)-(19,23) upright,
        // (1,1)-(10,23) and (11,1)-(19,23) lying.
        const CPoint first(1, 1), second = c.horizontal ? CPoint(11, 1) : CPoint(1, 13);
        const COLORREF shadow = g_uiEnvironment.m_colorBarShadow, light = g_uiEnvironment.m_colorBarHighlight;
        EXPECT_EQ(c.firstPressed ? shadow : light, canvas.Pixel(first.x, first.y)) << std::hex << c.state;
        EXPECT_EQ(c.secondPressed ? shadow : light, canvas.Pixel(second.x, second.y)) << std::hex << c.state;
        EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(c.horizontal ? 10 : 3, c.horizontal ? 3 : 12))
            << "the gap between the halves, state " << c.state;
        EXPECT_EQ(c.grey ? 0 : 1, CountOf(canvas, kBlack) > 0 ? 1 : 0) << std::hex << c.state;
        EXPECT_EQ(c.grey ? 1 : 0, CountOf(canvas, kGrey) > 0 ? 1 : 0) << std::hex << c.state;
    }
}

TEST_F(VisualManagerDialogControlsTest, GroupBoxFrameRunsThroughTheCaptionLine)
{
    Canvas canvas(80, 50);
    const int h = canvas.Dc().GetTextExtent("A", 1).cy;
    m_manager.DrawGroupBox(&canvas.Dc(), nullptr, CRect(0, 0, 80, 50), CString());
    const COLORREF frame = g_uiEnvironment.m_colorBarDarkShadow;
    // No caption: the frame's top row is whole, half a line below the top.
    for (int x = 0; x < 80; ++x)
        ASSERT_EQ(frame, canvas.Pixel(x, h / 2)) << x;
    EXPECT_EQ(kWhite, canvas.Pixel(10, h / 2 - 1));
    EXPECT_EQ(frame, canvas.Pixel(0, 49));

    Canvas captioned(80, 50);
    const CSize text = captioned.Dc().GetTextExtent("Ab", 2);
    m_manager.DrawGroupBox(&captioned.Dc(), nullptr, CRect(0, 0, 80, 50), CString("Ab"));
    EXPECT_EQ(frame, captioned.Pixel(h / 2 - 1, text.cy / 2));
    EXPECT_NE(frame, captioned.Pixel(h / 2 + 1, text.cy / 2)) << "the caption is cut out of the frame";
    EXPECT_EQ(frame, captioned.Pixel(text.cy / 2 + text.cx + text.cy / 2 + 1, text.cy / 2));
}

TEST_F(VisualManagerDialogControlsTest, GroupBoxKeepsTheCallersClipRegion)
{
    Canvas canvas(80, 50);
    CRgn clip;
    clip.CreateRectRgn(0, 0, 40, 50);
    canvas.Dc().SelectClipRgn(&clip);
    m_manager.DrawGroupBox(&canvas.Dc(), nullptr, CRect(0, 0, 80, 50), CString("Ab"));
    EXPECT_EQ(kWhite, canvas.Pixel(79, 49)) << "drawn outside the caller's clip region";
    canvas.Dc().FillSolidRect(CRect(0, 0, 80, 50), RGB(1, 2, 3));
    EXPECT_EQ(kWhite, canvas.Pixel(60, 40)) << "the caller's clip region was dropped";
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(20, 40));
}

TEST_F(VisualManagerDialogControlsTest, SliderChannelAndThumb)
{
    const CRect r(0, 0, 11, 21);
    CheckDialogControlCases(m_manager, {
        {"channel: sunken",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawSliderChannel(&dc, nullptr, FALSE, CRect(0, 0, 20, 4), FALSE); },
         {{0, 0, &E::m_colorBarShadow}, {19, 3, &E::m_colorBarHighlight}}},
        {"a channel 2 pixels high grows to 3",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawSliderChannel(&dc, nullptr, FALSE, CRect(0, 0, 20, 2), FALSE); },
         {{19, 2, &E::m_colorBarHighlight}, {5, 1, nullptr}}},
        {"an upright channel 2 pixels wide grows to 3",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawSliderChannel(&dc, nullptr, TRUE, CRect(0, 0, 2, 20), FALSE); },
         {{2, 19, &E::m_colorBarHighlight}}},
        // Horizontal slider: inset (1, 2) gives 9 x 17; the box is 9 wide
        // and 18 high, centred on row 10.
        {"thumb",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawSliderThumb(&dc, nullptr, r, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
         },
         {{1, 1, &E::m_colorBarDarkShadow}, {9, 18, &E::m_colorBarDarkShadow}, {5, 10, &E::m_colorBarFace},
          {0, 10, nullptr}, {5, 0, nullptr}, {5, 19, nullptr}}},
        {"hot thumb",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawSliderThumb(&dc, nullptr, r, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
         },
         {{1, 1, &E::m_colorBarDarkShadow}, {5, 10, &E::m_colorBarHighlight}}},
        {"pressed thumb",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawSliderThumb(&dc, nullptr, r, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE);
         },
         {{5, 10, &E::m_colorBarHighlight}}},
        {"disabled thumb ignores hot and pressed",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawSliderThumb(&dc, nullptr, r, TRUE, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE);
         },
         {{1, 1, &E::m_colorBarShadow}, {5, 10, &E::m_colorBarFace}}},
        // Upright slider: a rectangle 21 x 11 is inset (2, 1) to 17 x 9;
        // the box is 9 high and 18 wide, centred on column 10.
        {"upright thumb",
         [&](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawSliderThumb(&dc, nullptr, CRect(0, 0, 21, 11), FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE);
         },
         {{1, 1, &E::m_colorBarDarkShadow}, {18, 9, &E::m_colorBarDarkShadow}, {10, 5, &E::m_colorBarFace},
          {10, 0, nullptr}, {0, 5, nullptr}, {19, 5, nullptr}}},
    });
}

TEST_F(VisualManagerDialogControlsTest, OnGlassEveryDrawnPixelIsOpaque)
{
    // Two pixels the element draws, one in each corner of what it covers.
    const struct {
        std::function<void(CZUDPVisualManager&, CDC&)> draw;
        CPoint first, last;
    } cases[] = {
        {[](CZUDPVisualManager& vm, CDC& dc) { vm.DrawCheckBoxEx(&dc, CRect(0, 0, 20, 20), 1, TRUE, FALSE, TRUE); },
         {1, 1}, {18, 18}},
        {[](CZUDPVisualManager& vm, CDC& dc) { vm.DrawSpinButton(&dc, CRect(0, 0, 20, 20), 1, FALSE, nullptr); },
         {1, 1}, {18, 18}},
        {[](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawProgressBar(&dc, nullptr, CRect(1, 1, 19, 19), CRect(2, 2, 10, 18), FALSE);
         },
         {1, 1}, {5, 5}},
        {[](CZUDPVisualManager& vm, CDC& dc) { vm.DrawControlFrame(&dc, CRect(1, 1, 19, 19), nullptr, TRUE); },
         {1, 1}, {17, 17}},
        {[](CZUDPVisualManager& vm, CDC& dc) { vm.DrawSliderChannel(&dc, nullptr, FALSE, CRect(1, 1, 19, 19), TRUE); },
         {1, 1}, {18, 18}},
        {[](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawSliderThumb(&dc, nullptr, CRect(0, 0, 11, 21), TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
         },
         {1, 1}, {5, 10}},
        {[](CZUDPVisualManager& vm, CDC& dc) { vm.DrawGroupBox(&dc, nullptr, CRect(1, 1, 19, 19), CString()); },
         {1, 18}, {18, 18}},
    };
    int i = 0;
    for (const auto& c : cases) {
        CZUDPDrawOnGlass glass;
        Canvas canvas(20, 21);
        c.draw(m_manager, canvas.Dc());
        EXPECT_EQ(0xFF, canvas.Alpha(c.first.x, c.first.y)) << i;
        EXPECT_EQ(0xFF, canvas.Alpha(c.last.x, c.last.y)) << i;
        ++i;
    }
}

TEST(VisualManagerThemedControlsTest, ThemedPartsAndStates)
{
    uitest::ThemeDrawRecorder recorder(false);
    CZUDPVisualManager manager(TRUE);
    if (manager.m_hThemeTrack == nullptr || manager.m_hThemeButton == nullptr)
        GTEST_SKIP() << "no visual style";
    const struct {
        BOOL vert, leftTop, both, hot, pressed, disabled;
        int part, state;
    } thumbs[] = {
        {FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, 4, 1}, {TRUE, FALSE, FALSE, TRUE, FALSE, FALSE, 8, 2},
        {FALSE, TRUE, FALSE, TRUE, TRUE, FALSE, 5, 3},    {TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, 7, 1},
        {FALSE, TRUE, TRUE, TRUE, TRUE, TRUE, 3, 5},      {TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, 6, 1},
    };
    Canvas canvas(40, 40);
    for (const auto& t : thumbs) {
        const size_t before = recorder.Calls().size();
        EXPECT_TRUE(manager.DrawSliderThumb(&canvas.Dc(), nullptr, CRect(0, 0, 11, 21), t.hot, t.pressed, t.disabled,
                                            t.vert, t.leftTop, t.both, FALSE));
        ASSERT_EQ(before + 1, recorder.Calls().size());
        EXPECT_EQ(t.part, recorder.Calls().back().part);
        EXPECT_EQ(t.state, recorder.Calls().back().state);
    }

    // On a 256-colour screen or under a high-contrast scheme the slider is
    // drawn classic even with a style.
    {
        const int depth = g_uiEnvironment.m_bitsPerPixel;
        const BOOL contrast = g_uiEnvironment.m_blackOnWhite;
        const size_t calls = recorder.Calls().size();
        g_uiEnvironment.m_bitsPerPixel = 8;
        manager.DrawSliderThumb(&canvas.Dc(), nullptr, CRect(0, 0, 11, 21), FALSE, FALSE, FALSE, FALSE, FALSE, FALSE,
                                FALSE);
        g_uiEnvironment.m_bitsPerPixel = depth;
        g_uiEnvironment.m_blackOnWhite = TRUE;
        manager.DrawSliderChannel(&canvas.Dc(), nullptr, FALSE, CRect(0, 0, 30, 4), FALSE);
        g_uiEnvironment.m_blackOnWhite = contrast;
        EXPECT_EQ(calls, recorder.Calls().size());
    }

    manager.DrawSliderChannel(&canvas.Dc(), nullptr, TRUE, CRect(0, 0, 4, 30), FALSE);
    EXPECT_EQ(2, recorder.Calls().back().part);
    manager.DrawSliderChannel(&canvas.Dc(), nullptr, FALSE, CRect(0, 0, 30, 4), FALSE);
    EXPECT_EQ(1, recorder.Calls().back().part);
    EXPECT_EQ(1, recorder.Calls().back().state);

    const size_t before = recorder.Calls().size();
    manager.DrawGroupBox(&canvas.Dc(), nullptr, CRect(0, 0, 40, 40), CString());
    ASSERT_EQ(before + 1, recorder.Calls().size());
    EXPECT_EQ(4, recorder.Calls().back().part);
    EXPECT_EQ(1, recorder.Calls().back().state);
    const int h = canvas.Dc().GetTextExtent("A", 1).cy;
    EXPECT_EQ(h / 2, recorder.Calls().back().rect.top);

    // A disabled group box window: state 2.  One that lies on glass (its
    // dialog said so) is drawn without the style, as is any group box while
    // the library draws on glass.
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 60, 60), nullptr, 0));
    CZUDPGroup group;
    ASSERT_TRUE(group.Create("", WS_CHILD | BS_GROUPBOX | WS_DISABLED, CRect(0, 0, 40, 40), &parent, 1));
    manager.DrawGroupBox(&canvas.Dc(), &group, CRect(0, 0, 40, 40), CString());
    ASSERT_EQ(before + 2, recorder.Calls().size());
    EXPECT_EQ(2, recorder.Calls().back().state);
    group.SendMessage(ZUDM_ONSETCONTROLAERO, TRUE, 0);
    manager.DrawGroupBox(&canvas.Dc(), &group, CRect(0, 0, 40, 40), CString());
    EXPECT_EQ(before + 2, recorder.Calls().size());
    group.DestroyWindow();
    parent.DestroyWindow();
    {
        CZUDPDrawOnGlass glass;
        manager.DrawGroupBox(&canvas.Dc(), nullptr, CRect(0, 0, 40, 40), CString());
    }
    EXPECT_EQ(before + 2, recorder.Calls().size());
}

} // namespace
