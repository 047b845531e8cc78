// The visual manager's popup menus and menu items, drawn into DIB sections
// in a palette where every global colour is distinct.
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/VisualManagerPalette.h"

#include "framework/win/BarStyles.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"

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

class VisualManagerMenusTest : public ::testing::Test {
protected:
    uitest::DistinctColours m_colours;
    uitest::ClassicDrawing m_classic;
    CZUDPVisualManager m_manager{TRUE};
};

TEST_F(VisualManagerMenusTest, PartsDrawInTheirColours)
{
    using E = CZUDPUIEnvironment;
    const DrawCase cases[] = {
        {"popup border: two frames",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.DrawPopupMenuBorder(&dc, nullptr, CRect(0, 0, 20, 20)); },
         {{0, 0, &E::m_colorBarLight}, {19, 19, &E::m_colorBarDarkShadow}, {1, 1, &E::m_colorBarHighlight},
          {18, 18, &E::m_colorBarShadow}, {5, 5, nullptr}}},
        {"label: face with an etched bottom line",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.FillMenuLabel(&dc, CRect(0, 0, 30, 10)); },
         {{5, 2, &E::m_colorButtonFace}, {5, 8, &E::m_colorButtonShadow}, {29, 9, &E::m_colorButtonHighlight}}},
        {"active tear-off strip",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.DrawTearOffCaption(&dc, CRect(0, 0, 30, 8), TRUE); },
         {{1, 4, &E::m_colorBarFace}, {5, 0, &E::m_colorBarFace}, {2, 1, &E::m_colorActiveCaption},
          {27, 6, &E::m_colorActiveCaption}, {28, 4, &E::m_colorBarFace}, {5, 7, &E::m_colorBarFace}}},
        {"inactive tear-off strip",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.DrawTearOffCaption(&dc, CRect(0, 0, 30, 8), FALSE); },
         {{10, 3, &E::m_colorInactiveCaption}, {0, 3, &E::m_colorBarFace}}},
        {"resize strip",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.DrawPopupMenuResizeBar(&dc, CRect(0, 0, 30, 8), 3); },
         {{0, 0, &E::m_colorInactiveCaption}, {29, 7, &E::m_colorInactiveCaption}}},
        {"scroll button fills two rows above it",
         [](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawPopupMenuScrollButton(&dc, CRect(0, 4, 30, 16), TRUE, FALSE, FALSE, FALSE);
         },
         {{0, 2, &E::m_colorBarFace}, {0, 1, nullptr}, {0, 4, &E::m_colorBarFace}, {29, 15, &E::m_colorBarFace}}},
        {"highlighted scroll button is raised",
         [](CZUDPVisualManager& vm, CDC& dc) {
             vm.DrawPopupMenuScrollButton(&dc, CRect(0, 4, 30, 16), FALSE, TRUE, FALSE, FALSE);
         },
         {{0, 2, &E::m_colorBarFace}, {0, 4, &E::m_colorBarHighlight}, {29, 15, &E::m_colorBarShadow}}},
        {"hot item",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.FillHighlightedMenuItem(&dc, nullptr, CRect(0, 0, 30, 8), nullptr); },
         {{0, 0, &E::m_colorHighlight}, {29, 7, &E::m_colorHighlight}, {30, 8, nullptr}}},
        {"rarely used items are framed sunken",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.DrawRarelyUsedItemsBackground(&dc, CRect(0, 0, 30, 20)); },
         {{0, 0, &E::m_colorBarShadow}, {29, 19, &E::m_colorBarHighlight}}},
        {"split divider: a 2-pixel strip on the left edge, 4 shorter at each end",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.DrawSplitMenuDivider(&dc, nullptr, CRect(10, 0, 30, 20), FALSE); },
         {{9, 4, &E::m_colorBarShadow}, {10, 15, &E::m_colorBarHighlight}, {9, 3, nullptr}, {9, 16, nullptr},
          {11, 10, nullptr}}},
        {"narrow split divider: 1 shorter at each end",
         [](CZUDPVisualManager& vm, CDC& dc) { vm.DrawSplitMenuDivider(&dc, nullptr, CRect(10, 0, 30, 20), TRUE); },
         {{9, 1, &E::m_colorBarShadow}, {10, 18, &E::m_colorBarHighlight}, {9, 0, nullptr}}},
    };
    foundationtest::CheckDrawCases(m_manager, {std::begin(cases), std::end(cases)}, 40, 24);
}

TEST_F(VisualManagerMenusTest, RarelyUsedItemsAreTintedInside)
{
    Canvas canvas(30, 20);
    m_manager.DrawRarelyUsedItemsBackground(&canvas.Dc(), CRect(0, 0, 30, 20));
    EXPECT_NE(kWhite, canvas.Pixel(15, 10));
    EXPECT_EQ(canvas.Pixel(15, 10), canvas.Pixel(2, 2));
}

TEST_F(VisualManagerMenusTest, LabelAnswersButtonText)
{
    Canvas canvas(30, 10);
    EXPECT_EQ(g_uiEnvironment.m_colorButtonText, m_manager.FillMenuLabel(&canvas.Dc(), CRect(0, 0, 30, 10)));
}

TEST_F(VisualManagerMenusTest, ItemTextColours)
{
    using E = CZUDPUIEnvironment;
    const struct {
        BOOL highlighted, disabled;
        Colour expected;
    } cases[] = {
        {FALSE, FALSE, &E::m_colorWindowText},
        {FALSE, TRUE, &E::m_colorGrayText},
        {TRUE, FALSE, &E::m_colorHighlightText},
        // On the highlight fill grey text would vanish: button face instead.
        {TRUE, TRUE, &E::m_colorButtonFace},
    };
    for (const auto& c : cases)
        EXPECT_EQ(g_uiEnvironment.*c.expected, m_manager.GetMenuItemTextColor(nullptr, c.highlighted, c.disabled))
            << c.highlighted << c.disabled;

    CZUDPToolbarMenuButton enabled, disabled;
    disabled.style |= TBBS_DISABLED;
    EXPECT_EQ(g_uiEnvironment.m_colorHighlightText, m_manager.GetHighlightedMenuItemTextColor(&enabled));
    EXPECT_EQ(g_uiEnvironment.m_colorGrayText, m_manager.GetHighlightedMenuItemTextColor(&disabled));
}

TEST_F(VisualManagerMenusTest, CheckMarkIsGreyOnADisabledItemAndADotForRadioItems)
{
    CZUDPToolbarMenuButton enabled, disabled;
    disabled.style |= TBBS_DISABLED;
    Canvas check(20, 20), greyCheck(20, 20), radio(20, 20);
    m_manager.DrawSubmenuArrow(&check.Dc(), &enabled, CRect(0, 0, 20, 20), FALSE, FALSE);
    m_manager.DrawSubmenuArrow(&greyCheck.Dc(), &disabled, CRect(0, 0, 20, 20), FALSE, FALSE);
    m_manager.DrawSubmenuArrow(&radio.Dc(), &enabled, CRect(0, 0, 20, 20), FALSE, TRUE);

    const int blackPixels = CountOf(check, kBlack);
    EXPECT_GT(blackPixels, 0);
    EXPECT_EQ(0, CountOf(greyCheck, kBlack));
    EXPECT_EQ(blackPixels, CountOf(greyCheck, kGrey));
    // Centred: a 9 x 9 cell at (6, 6).
    const RECT bounds = BoundsOf(check, kBlack);
    EXPECT_GE(bounds.left, 6);
    EXPECT_LE(bounds.right, 15);
    bool same = true;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            same = same && check.Pixel(x, y) == radio.Pixel(x, y);
    EXPECT_FALSE(same) << "the radio item shows the same mark as the check item";
}

TEST_F(VisualManagerMenusTest, ScrollButtonsPointTheirWay)
{
    Canvas down(20, 20), up(20, 20);
    m_manager.DrawPopupMenuScrollButton(&down.Dc(), CRect(0, 2, 20, 20), TRUE, FALSE, FALSE, FALSE);
    m_manager.DrawPopupMenuScrollButton(&up.Dc(), CRect(0, 2, 20, 20), FALSE, FALSE, FALSE, FALSE);
    const int downBlack = CountOf(down, kBlack);
    ASSERT_GT(downBlack, 0);
    EXPECT_EQ(downBlack, CountOf(up, kBlack));
    // The down arrow is widest at its top, the up arrow at its bottom.
    const RECT b = BoundsOf(down, kBlack);
    int downTopRow = 0, upTopRow = 0;
    for (int x = 0; x < 20; ++x) {
        downTopRow += down.Pixel(x, b.top) == kBlack;
        upTopRow += up.Pixel(x, BoundsOf(up, kBlack).top) == kBlack;
    }
    EXPECT_GT(downTopRow, upTopRow);
}

TEST_F(VisualManagerMenusTest, ShowAllItem)
{
    Canvas canvas(30, 20);
    EXPECT_EQ(GetMenuGlyphSize().cy + 6, m_manager.GetShowAllButtonHeight(nullptr, &canvas.Dc()));
    m_manager.DrawShowAllButtonArrow(&canvas.Dc(), CRect(0, 0, 30, 20));
    const RECT bounds = BoundsOf(canvas, kBlack);
    ASSERT_GT(bounds.right, 0);
    EXPECT_NEAR(15, (bounds.left + bounds.right) / 2, 2);
    EXPECT_NEAR(10, (bounds.top + bounds.bottom) / 2, 2);
}

TEST_F(VisualManagerMenusTest, ShadowFallsOnTheRightOrTheLeft)
{
    const struct {
        BOOL rightToLeft;
        int shadowX, clearX;
    } cases[] = {{FALSE, 30, 9}, {TRUE, 9, 30}};
    for (const auto& c : cases) {
        Canvas canvas(50, 50);
        m_manager.DrawPopupMenuShadow(&canvas.Dc(), CRect(10, 10, 30, 30), CRect(), 4, 100, 65, nullptr, nullptr,
                                      c.rightToLeft);
        EXPECT_NE(kWhite, canvas.Pixel(c.shadowX, 20)) << c.rightToLeft;
        EXPECT_EQ(kWhite, canvas.Pixel(c.clearX, 20)) << c.rightToLeft;
    }
}

TEST_F(VisualManagerMenusTest, MdiChildSystemButtons)
{
    struct Drawn {
        UINT type, state;
    };
    std::vector<Drawn> drawn;
    ScopedSeam<BOOL(HDC, LPRECT, UINT, UINT)> recorder(g_foundationSeams.drawFrameControl,
                                                       [&](HDC, LPRECT, UINT type, UINT state) {
                                                           drawn.push_back({type, state});
                                                           return TRUE;
                                                       });
    const struct {
        UINT command, style;
        bool draws;
        UINT state;
    } cases[] = {
        {SC_MAXIMIZE, 0, false, 0},
        {SC_MINIMIZE, 0, true, DFCS_CAPTIONMIN},
        {SC_RESTORE, TBBS_PRESSED, true, DFCS_CAPTIONRESTORE | DFCS_PUSHED},
        {SC_CLOSE, TBBS_DISABLED | TBBS_PRESSED, true, DFCS_CAPTIONCLOSE | DFCS_INACTIVE | DFCS_PUSHED},
        {SC_CLOSE, TBBS_CHECKED, true, DFCS_CAPTIONCLOSE},
    };
    Canvas canvas(20, 20);
    for (const auto& c : cases) {
        drawn.clear();
        m_manager.DrawMDIChildSystemButton(&canvas.Dc(), CRect(0, 0, 16, 14), c.command, c.style, FALSE);
        ASSERT_EQ(c.draws ? 1u : 0u, drawn.size()) << std::hex << c.command;
        if (c.draws) {
            EXPECT_EQ(UINT(DFC_CAPTION), drawn[0].type);
            EXPECT_EQ(c.state, drawn[0].state) << std::hex << c.command;
        }
    }
}

} // namespace
