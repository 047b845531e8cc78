// The visual manager's toolbar buttons, menu buttons, customization
// selection and the combo and edit boxes on bars, drawn into DIB sections
// in a palette where every global colour is distinct.
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/VisualManagerPalette.h"

#include "framework/win/BarStyles.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPShowAllButton.h"
#include "ui/ribbon/ZUDPOutlookBarPane.h"

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

COLORREF LightBrushColour()
{
    LOGBRUSH lb = {};
    ::GetObject(g_uiEnvironment.m_brushLight.GetSafeHandle(), sizeof(lb), &lb);
    return lb.lbColor;
}

class VisualManagerButtonsTest : public ::testing::Test {
protected:
    uitest::DistinctColours m_colours;
    uitest::ClassicDrawing m_classic;
    CZUDPVisualManager m_manager{TRUE};
};

TEST_F(VisualManagerButtonsTest, CheckedButtonsGetADitheredInterior)
{
    CZUDPPopupMenuBar menuBar;
    enum Kind { ToolbarButton, MenuItem, ShowAll };
    const struct {
        const char* name;
        Kind kind;
        UINT style;
        int state;
        BOOL dithered, customizing;
        bool filled;
    } cases[] = {
        {"checked toolbar button", ToolbarButton, TBBS_CHECKED, 0, TRUE, FALSE, true},
        {"indeterminate toolbar button", ToolbarButton, TBBS_INDETERMINATE, 1, TRUE, FALSE, true},
        {"checked and highlighted", ToolbarButton, TBBS_CHECKED, 2, TRUE, FALSE, false},
        {"checked in customization mode", ToolbarButton, TBBS_CHECKED, 0, TRUE, TRUE, false},
        {"not checked", ToolbarButton, 0, 1, TRUE, FALSE, false},
        {"dithering off: toolbar button", ToolbarButton, TBBS_CHECKED, 0, FALSE, FALSE, false},
        {"dithering off: menu item", MenuItem, TBBS_CHECKED, 0, FALSE, FALSE, true},
        {"checked show-all item", ShowAll, TBBS_CHECKED, 0, TRUE, FALSE, false},
    };
    for (const auto& c : cases) {
        CZUDPToolbarButton toolbarButton;
        CZUDPToolbarMenuButton menuItem;
        menuItem.parentWnd = &menuBar;
        CZUDPShowAllButton showAll;
        CZUDPToolbarButton* button = c.kind == ToolbarButton ? &toolbarButton
                                     : c.kind == MenuItem    ? static_cast<CZUDPToolbarButton*>(&menuItem)
                                                             : &showAll;
        button->style |= c.style;
        m_manager.m_ditheredCheckedButtons = c.dithered;
        const BOOL previousMode = g_customizeMode;
        g_customizeMode = c.customizing;

        Canvas canvas(20, 20);
        m_manager.FillButtonInterior(&canvas.Dc(), button, CRect(0, 0, 20, 20), c.state);
        g_customizeMode = previousMode;

        if (c.filled) {
            // Inside the frame: inset by twice the border width.
            const int inset = 2 * ::GetSystemMetrics(SM_CXBORDER);
            EXPECT_EQ(LightBrushColour(), canvas.Pixel(inset, inset)) << c.name;
            EXPECT_EQ(LightBrushColour(), canvas.Pixel(19 - inset, 19 - inset)) << c.name;
            EXPECT_EQ(kWhite, canvas.Pixel(inset - 1, inset - 1)) << c.name;
        } else {
            EXPECT_EQ(kWhite, canvas.Pixel(10, 10)) << c.name;
        }
    }
}

TEST_F(VisualManagerButtonsTest, HighlightedShowAllItemIsTinted)
{
    CZUDPShowAllButton showAll;
    Canvas hot(20, 20), idle(20, 20);
    m_manager.FillButtonInterior(&hot.Dc(), &showAll, CRect(0, 0, 20, 20), 2);
    m_manager.FillButtonInterior(&idle.Dc(), &showAll, CRect(0, 0, 20, 20), 0);
    EXPECT_NE(kWhite, hot.Pixel(0, 0));
    EXPECT_EQ(hot.Pixel(0, 0), hot.Pixel(19, 19));
    EXPECT_EQ(kWhite, idle.Pixel(10, 10));
}

void CheckButtonCases(CZUDPVisualManager& manager, const std::vector<DrawCase>& cases)
{
    foundationtest::CheckDrawCases(manager, cases, 30, 24);
}

TEST_F(VisualManagerButtonsTest, BordersAndBoxesDrawInTheirColours)
{
    static CZUDPToolbarButton button;
    static CZUDPToolbarComboBoxButton combo;
    const CRect r(0, 0, 20, 16);
    CheckButtonCases(m_manager, {
        {"button in state 0: no frame",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawButtonBorder(&dc, &button, r, 0); },
         {{0, 0, nullptr}, {19, 15, nullptr}}},
        {"pressed button: sunken",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawButtonBorder(&dc, &button, r, 1); },
         {{0, 0, &E::m_colorBarShadow}, {19, 15, &E::m_colorBarHighlight}, {5, 5, nullptr}}},
        {"highlighted button: raised",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawButtonBorder(&dc, &button, r, 2); },
         {{0, 0, &E::m_colorBarHighlight}, {19, 15, &E::m_colorBarShadow}}},
        {"combo drop button",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawComboDropButton(&dc, r, FALSE, FALSE, FALSE, &combo); },
         {{0, 0, &E::m_colorBarHighlight}, {19, 15, &E::m_colorBarHighlight}, {2, 2, &E::m_colorBarFace}}},
        {"highlighted combo drop button",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawComboDropButton(&dc, r, FALSE, FALSE, TRUE, &combo); },
         {{0, 0, &E::m_colorBarHighlight}, {19, 15, &E::m_colorBarShadow}}},
        {"dropped combo drop button: sunken, one pixel in",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawComboDropButton(&dc, r, FALSE, TRUE, TRUE, &combo); },
         {{0, 0, &E::m_colorBarHighlight}, {1, 1, &E::m_colorBarShadow}, {20, 16, &E::m_colorBarHighlight}}},
        {"combo border: nothing when idle",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawComboBorder(&dc, r, FALSE, FALSE, FALSE, &combo); },
         {{0, 0, nullptr}, {19, 15, nullptr}}},
        {"hot combo border: sunken",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawComboBorder(&dc, r, FALSE, FALSE, TRUE, &combo); },
         {{0, 0, &E::m_colorBarShadow}, {19, 15, &E::m_colorBarHighlight}}},
        {"enabled combo edit area",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.FillComboEditArea(&dc, r, FALSE, FALSE, FALSE, &combo); },
         {{0, 0, &E::m_colorWindow}, {19, 15, &E::m_colorWindow}}},
        {"disabled combo edit area",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.FillComboEditArea(&dc, r, TRUE, FALSE, FALSE, &combo); },
         {{0, 0, &E::m_colorBarHighlight}, {19, 15, &E::m_colorBarHighlight}, {5, 5, &E::m_colorButtonFace}}},
        {"edit box without border",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawEditBoxBorder(&dc, r, FALSE, FALSE, nullptr); },
         {{0, 0, nullptr}}},
        {"customize list, not selected",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.FillCustomizeSelection(&dc, r, FALSE); },
         {{0, 0, &E::m_colorBarFace}, {19, 15, &E::m_colorBarFace}}},
    });
}

TEST_F(VisualManagerButtonsTest, FlatMenuLook)
{
    static CZUDPToolbarComboBoxButton combo;
    static CZUDPToolbarMenuButton dropped;
    static CZUDPPopupMenu popup;
    dropped.openPopup = &popup;
    m_manager.m_flatMenuLook = TRUE;
    const CRect r(0, 0, 20, 16);
    CheckButtonCases(m_manager, {
        {"hot combo border: flat, one pixel in",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawComboBorder(&dc, r, FALSE, FALSE, TRUE, &combo); },
         {{0, 0, nullptr}, {1, 1, &E::m_colorBarDarkShadow}, {18, 14, &E::m_colorBarDarkShadow}}},
        {"dropped-down menu button: no frame",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawMenuButtonBorder(&dc, &dropped, r, 1); },
         {{0, 0, nullptr}, {19, 15, nullptr}}},
    });
    m_manager.m_flatMenuLook = FALSE;
    CheckButtonCases(m_manager, {
        {"dropped-down menu button without the flat look",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawMenuButtonBorder(&dc, &dropped, r, 1); },
         {{0, 0, &E::m_colorBarShadow}, {19, 15, &E::m_colorBarHighlight}}},
    });
    dropped.openPopup = nullptr;
}

TEST_F(VisualManagerButtonsTest, PressedComboArrowMovesDownAndRight)
{
    Canvas idle(20, 16), pressed(20, 16), disabled(20, 16);
    m_manager.DrawComboDropButton(&idle.Dc(), CRect(0, 0, 20, 16), FALSE, FALSE, FALSE, nullptr);
    m_manager.DrawComboDropButton(&pressed.Dc(), CRect(0, 0, 20, 16), FALSE, TRUE, FALSE, nullptr);
    m_manager.DrawComboDropButton(&disabled.Dc(), CRect(0, 0, 20, 16), TRUE, FALSE, FALSE, nullptr);
    const RECT a = BoundsOf(idle, kBlack), b = BoundsOf(pressed, kBlack);
    ASSERT_GT(a.right, 0);
    EXPECT_EQ(a.left + 1, b.left);
    EXPECT_EQ(a.top + 1, b.top);
    EXPECT_EQ(0, CountOf(disabled, kBlack));
    EXPECT_EQ(CountOf(idle, kBlack), CountOf(disabled, kGrey));
}

TEST_F(VisualManagerButtonsTest, ComboDropButtonKeepsTheTextColour)
{
    Canvas canvas(20, 16);
    ::SetTextColor(canvas.Dc().GetSafeHdc(), RGB(1, 2, 3));
    m_manager.DrawComboDropButton(&canvas.Dc(), CRect(0, 0, 20, 16), FALSE, TRUE, TRUE, nullptr);
    EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(canvas.Dc().GetSafeHdc()));
}

TEST_F(VisualManagerButtonsTest, SelectedCustomizeEntryHasAnInvertedFrame)
{
    Canvas canvas(20, 12);
    CBrush brush;
    brush.CreateSolidBrush(RGB(0x0F, 0xF0, 0x33));
    HGDIOBJ old = ::SelectObject(canvas.Dc().GetSafeHdc(), brush.GetSafeHandle());
    EXPECT_EQ(g_uiEnvironment.m_colorHighlightText, m_manager.FillCustomizeSelection(&canvas.Dc(), CRect(0, 0, 20, 12), TRUE));
    ::SelectObject(canvas.Dc().GetSafeHdc(), old);

    const COLORREF highlight = g_uiEnvironment.m_colorHighlight;
    const COLORREF inverted = highlight ^ RGB(0x0F, 0xF0, 0x33);
    // The ring one pixel inside the entry: every pixel inverted once,
    // corners included; inside and outside the ring the plain highlight.
    const CRect ring(1, 1, 19, 11);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool onRing = ring.PtInRect(CPoint(x, y)) &&
                                (x == ring.left || y == ring.top || x == ring.right - 1 || y == ring.bottom - 1);
            ASSERT_EQ(onRing ? inverted : highlight, canvas.Pixel(x, y)) << x << "," << y;
        }
}

TEST_F(VisualManagerButtonsTest, MenuButtonDropArrowInTheCommandList)
{
    const int cell = GetMenuGlyphSize().cx;
    Canvas normal(40, 16), selected(40, 16, RGB(0, 0, 64));
    m_manager.DrawMenuButtonDropArrow(&normal.Dc(), CRect(0, 0, 40, 16), FALSE);
    m_manager.DrawMenuButtonDropArrow(&selected.Dc(), CRect(0, 0, 40, 16), TRUE);
    const RECT arrow = BoundsOf(normal, kBlack);
    EXPECT_GE(arrow.left, 40 - cell);
    EXPECT_GT(CountOf(selected, kWhite), 0);
    EXPECT_EQ(CountOf(normal, kBlack), CountOf(selected, kWhite));
    // The etched line left of the cell, 2 pixels shorter at each end.
    EXPECT_EQ(g_uiEnvironment.m_colorButtonShadow, normal.Pixel(40 - cell - 3, 2));
    EXPECT_EQ(g_uiEnvironment.m_colorButtonHighlight, normal.Pixel(40 - cell - 2, 13));
    EXPECT_EQ(kWhite, normal.Pixel(40 - cell - 3, 1));
}

TEST_F(VisualManagerButtonsTest, EditBoxBorderIsASunkenEdge)
{
    Canvas canvas(20, 16);
    m_manager.DrawEditBoxBorder(&canvas.Dc(), CRect(0, 0, 20, 16), FALSE, TRUE, nullptr);
    EXPECT_NE(kWhite, canvas.Pixel(0, 0));
    EXPECT_NE(canvas.Pixel(0, 0), canvas.Pixel(19, 15));
    EXPECT_EQ(kWhite, canvas.Pixel(10, 8));
}

TEST_F(VisualManagerButtonsTest, TextColours)
{
    CZUDPToolbarButton plain, disabled;
    disabled.style |= TBBS_DISABLED;
    EXPECT_EQ(g_uiEnvironment.m_colorBarText, m_manager.GetToolbarButtonTextColor(&plain, 0));
    EXPECT_EQ(g_uiEnvironment.m_colorBarText, m_manager.GetToolbarButtonTextColor(&plain, 1));
    EXPECT_EQ(CZUDPToolBar::GetDefaultTextColor(), m_manager.GetToolbarButtonTextColor(&plain, 2));
    EXPECT_EQ(g_uiEnvironment.m_colorGrayText, m_manager.GetToolbarButtonTextColor(&disabled, 2));

    COLORREF text = 0, back = 0;
    CBrush& brush = m_manager.GetEditBoxColors(&plain, text, back);
    EXPECT_EQ(g_uiEnvironment.m_colorWindowText, text);
    EXPECT_EQ(g_uiEnvironment.m_colorWindow, back);
    EXPECT_EQ(&g_uiEnvironment.m_brushWindow, &brush);

    CZUDPToolbarButton checked;
    checked.style |= TBBS_CHECKED;
    EXPECT_TRUE(m_manager.UseLightGlyphOnButton(&plain, 2));
    EXPECT_FALSE(m_manager.UseLightGlyphOnButton(&checked, 2));
}

// A button that may not be changed while the toolbars are customized.
class FixedButton : public CZUDPToolbarButton {
public:
    BOOL IsCustomizable() const override { return FALSE; }
};

TEST_F(VisualManagerButtonsTest, TextColoursOfOutlookButtonsAndInCustomizationMode)
{
    const BOOL previousMode = g_customizeMode;
    const BOOL previousContrast = g_uiEnvironment.m_whiteOnBlack;
    enum Kind { Plain, Fixed, Outlook };
    const struct {
        const char* name;
        Kind kind;
        UINT style;
        BOOL customizing, contrast;
        Colour expected;
    } cases[] = {
        {"customizing: a disabled button that may be customized", Plain, TBBS_DISABLED, TRUE, FALSE,
         &E::m_colorBarText},
        {"customizing: a button that may not", Fixed, 0, TRUE, FALSE, &E::m_colorGrayText},
        {"not customizing: a button that may not", Fixed, 0, FALSE, FALSE, &E::m_colorBarText},
        {"Outlook button: light text on the dark bar", Outlook, 0, FALSE, FALSE, &E::m_colorWindow},
        {"disabled Outlook button", Outlook, TBBS_DISABLED, FALSE, FALSE, &E::m_colorButtonFace},
        {"Outlook button, high contrast", Outlook, 0, FALSE, TRUE, &E::m_colorWindowText},
        {"disabled Outlook button, high contrast", Outlook, TBBS_DISABLED, FALSE, TRUE, &E::m_colorGrayText},
    };
    for (const auto& c : cases) {
        CZUDPToolbarButton plain;
        FixedButton fixed;
        CZUDPOutlookButton outlook;
        CZUDPToolbarButton* button = c.kind == Plain   ? &plain
                                     : c.kind == Fixed ? static_cast<CZUDPToolbarButton*>(&fixed)
                                                       : &outlook;
        button->style |= c.style;
        g_customizeMode = c.customizing;
        g_uiEnvironment.m_whiteOnBlack = c.contrast;
        const COLORREF colour = m_manager.GetToolbarButtonTextColor(button, 0);
        g_customizeMode = previousMode;
        g_uiEnvironment.m_whiteOnBlack = previousContrast;
        EXPECT_EQ(g_uiEnvironment.*c.expected, colour) << c.name;
    }
}

TEST_F(VisualManagerButtonsTest, OutlookButtonsAreFramedInTheDarkShadowAndNeverDithered)
{
    static CZUDPOutlookButton outlook;
    outlook.style |= TBBS_CHECKED;
    const CRect r(0, 0, 20, 16);
    CheckButtonCases(m_manager, {
        {"pressed Outlook button",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawButtonBorder(&dc, &outlook, r, 1); },
         {{0, 0, &E::m_colorBarDarkShadow}, {19, 15, &E::m_colorBarHighlight}}},
        {"highlighted Outlook button",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.DrawButtonBorder(&dc, &outlook, r, 2); },
         {{0, 0, &E::m_colorBarHighlight}, {19, 15, &E::m_colorBarDarkShadow}}},
        {"checked Outlook button",
         [&](CZUDPVisualManager& vm, CDC& dc) { vm.FillButtonInterior(&dc, &outlook, r, 0); },
         {{10, 8, nullptr}}},
    });
}

TEST_F(VisualManagerButtonsTest, OnGlassEveryDrawnPixelIsOpaque)
{
    CZUDPDrawOnGlass glass;
    static CZUDPToolbarButton button;
    const std::function<void(CDC&)> draws[] = {
        [&](CDC& dc) { m_manager.DrawButtonBorder(&dc, &button, CRect(0, 0, 20, 16), 1); },
        [&](CDC& dc) { m_manager.DrawButtonBorder(&dc, &button, CRect(0, 0, 20, 16), 2); },
        [&](CDC& dc) { m_manager.DrawComboDropButton(&dc, CRect(0, 0, 20, 16), FALSE, TRUE, FALSE, nullptr); },
        [&](CDC& dc) { m_manager.DrawComboBorder(&dc, CRect(0, 0, 20, 16), FALSE, FALSE, TRUE, nullptr); },
        [&](CDC& dc) { m_manager.FillComboEditArea(&dc, CRect(0, 0, 20, 16), TRUE, FALSE, FALSE, nullptr); },
        [&](CDC& dc) { m_manager.FillComboEditArea(&dc, CRect(0, 0, 20, 16), FALSE, FALSE, FALSE, nullptr); },
    };
    int i = 0;
    for (const auto& draw : draws) {
        Canvas canvas(20, 16);
        draw(canvas.Dc());
        EXPECT_EQ(0xFF, canvas.Alpha(0, 0)) << i;
        EXPECT_EQ(0xFF, canvas.Alpha(19, 15)) << i;
        ++i;
    }
    // A pressed button on glass: a flat box in the shadow colour.
    Canvas canvas(20, 16);
    m_manager.DrawButtonBorder(&canvas.Dc(), &button, CRect(0, 0, 20, 16), 1);
    EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(0, 0));
    EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(19, 15));
}

} // namespace
