// The visual manager's ribbon drawing: button faces and frames by state,
// caption-button glyphs, category tabs of a normal and a minimized ribbon,
// panels and their captions, key tips without a theme, and the context
// colours and other base answers later ribbon code asks for.
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/VisualManagerFamilyTest.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"
#include "ui/ribbon/ZUDPRibbonBar.h"
#include "ui/ribbon/ZUDPRibbonElements.h"

#include "framework/win/FrameworkSeams.h"

#include <gtest/gtest.h>

using familytest::ClassicManager;
using uitest::DistinctColours;
using familytest::kCanvas;
using foundationtest::Canvas;

namespace {

class RibbonDrawingTest : public ::testing::Test {
protected:
    DistinctColours m_colors;
    ClassicManager m_manager;
    const CZUDPUIEnvironment& env = g_uiEnvironment;
};

bool HasColor(Canvas& canvas, const CRect& rect, COLORREF colour)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (canvas.Pixel(x, y) == colour)
                return true;
    return false;
}

TEST_F(RibbonDrawingTest, ButtonFaceAndFrameByState)
{
    enum Look { None, Light, HighlightFill };
    enum Frame { NoFrame, Raised, Sunken };
    struct Case {
        const char* what;
        BOOL highlighted, pressed, checked, droppedDown, focused, menuMode;
        Look face;
        Frame frame;
        COLORREF answer;
    } cases[] = {
        {"normal: nothing", FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, None, NoFrame, (COLORREF)-1},
        {"highlighted: raised frame only", TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, None, Raised, (COLORREF)-1},
        {"pressed while highlighted: sunken", TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, None, Sunken, (COLORREF)-1},
        {"checked: light face, sunken", FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, Light, Sunken, (COLORREF)-1},
        {"checked and highlighted: no light face, sunken", TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, None, Sunken,
         (COLORREF)-1},
        {"dropped down: sunken", FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, None, Sunken, (COLORREF)-1},
        {"focused: raised", FALSE, FALSE, FALSE, FALSE, TRUE, FALSE, None, Raised, (COLORREF)-1},
        {"menu mode, highlighted: highlight row", TRUE, FALSE, FALSE, FALSE, FALSE, TRUE, HighlightFill, Raised,
         env.m_colorHighlightText},
        {"menu mode, checked: no face, no frame", FALSE, FALSE, TRUE, FALSE, FALSE, TRUE, None, NoFrame,
         (COLORREF)-1},
    };
    for (const Case& c : cases) {
        Canvas canvas(60, 40, kCanvas);
        CZUDPRibbonButton button;
        button.m_rect = CRect(10, 10, 50, 30);
        button.m_bIsHighlighted = c.highlighted;
        button.m_bIsPressed = c.pressed;
        button.m_bIsChecked = c.checked;
        button.m_bIsDroppedDown = c.droppedDown;
        button.m_bIsFocused = c.focused;
        button.m_bMenuMode = c.menuMode;
        EXPECT_EQ(c.answer, m_manager->FillRibbonButton(&canvas.Dc(), &button)) << c.what;
        m_manager->DrawRibbonButtonBorder(&canvas.Dc(), &button);

        switch (c.face) {
        case None: EXPECT_EQ(kCanvas, canvas.Pixel(30, 20)) << c.what; break;
        case Light: EXPECT_TRUE(familytest::LooksLight(canvas, 30, 20)) << c.what; break;
        case HighlightFill: EXPECT_EQ(env.m_colorHighlight, canvas.Pixel(30, 20)) << c.what; break;
        }
        const COLORREF topLeft = canvas.Pixel(10, 20), bottomRight = canvas.Pixel(49, 20);
        switch (c.frame) {
        case NoFrame:
            EXPECT_EQ(kCanvas, topLeft) << c.what;
            EXPECT_EQ(kCanvas, bottomRight) << c.what;
            break;
        case Raised:
            EXPECT_EQ(env.m_colorBarHighlight, topLeft) << c.what;
            EXPECT_EQ(env.m_colorBarShadow, bottomRight) << c.what;
            break;
        case Sunken:
            EXPECT_EQ(env.m_colorBarShadow, topLeft) << c.what;
            EXPECT_EQ(env.m_colorBarHighlight, bottomRight) << c.what;
            break;
        }
    }
}

TEST_F(RibbonDrawingTest, SplitButtonDividerFollowsItsMenuPart)
{
    for (BOOL below : {FALSE, TRUE}) {
        Canvas canvas(60, 60, kCanvas);
        CZUDPRibbonButton button;
        button.m_rect = CRect(10, 10, 50, 50);
        button.m_bIsHighlighted = TRUE;
        button.m_bMenuOnBottom = below;
        button.m_rectMenu = below ? CRect(10, 35, 50, 50) : CRect(38, 10, 50, 50);
        m_manager->DrawRibbonButtonBorder(&canvas.Dc(), &button);
        if (below) {
            EXPECT_EQ(env.m_colorBarShadow, canvas.Pixel(30, 35));
            EXPECT_EQ(kCanvas, canvas.Pixel(38, 25));
        } else {
            EXPECT_EQ(env.m_colorBarShadow, canvas.Pixel(38, 25));
            EXPECT_EQ(kCanvas, canvas.Pixel(30, 35));
        }
    }
}

TEST_F(RibbonDrawingTest, EditFillsItsBoxAndFramesFromItsLeftEdge)
{
    for (BOOL highlighted : {FALSE, TRUE}) {
        Canvas canvas(80, 30, kCanvas);
        CZUDPRibbonEdit edit;
        edit.m_rect = CRect(0, 5, 80, 25);
        edit.m_rectEdit = CRect(30, 5, 80, 25);
        edit.m_bIsHighlighted = highlighted;
        EXPECT_EQ((COLORREF)-1, m_manager->FillRibbonButton(&canvas.Dc(), &edit));
        m_manager->DrawRibbonButtonBorder(&canvas.Dc(), &edit);  // nothing for an edit
        EXPECT_EQ(kCanvas, canvas.Pixel(10, 15)) << highlighted;  // the label part
        EXPECT_EQ(env.m_colorBarShadow, canvas.Pixel(30, 15)) << highlighted;
        EXPECT_EQ(env.m_colorBarShadow, canvas.Pixel(50, 5)) << highlighted;
        if (highlighted) {
            EXPECT_EQ(env.m_colorWindow, canvas.Pixel(50, 15));
        } else {
            EXPECT_NE(kCanvas, canvas.Pixel(50, 15));  // tinted
        }
    }
}

TEST_F(RibbonDrawingTest, CaptionButtonGlyphByCommand)
{
    struct Case {
        UINT command;
        BOOL disabled;
        COLORREF glyph;  // kCanvas: no glyph at all
    } cases[] = {
        {SC_MINIMIZE, FALSE, RGB(0, 0, 0)}, {SC_MAXIMIZE, FALSE, RGB(0, 0, 0)}, {SC_CLOSE, FALSE, RGB(0, 0, 0)},
        {SC_RESTORE, FALSE, RGB(0, 0, 0)},  {SC_MAXIMIZE, TRUE, RGB(128, 128, 128)}, {SC_MOVE, FALSE, kCanvas},
        {0, FALSE, kCanvas},
    };
    for (const Case& c : cases) {
        Canvas canvas(30, 30, kCanvas);
        CZUDPRibbonCaptionButton button;
        button.m_rect = CRect(5, 5, 25, 25);
        button.m_nID = c.command;
        button.m_bIsDisabled = c.disabled;
        m_manager->DrawRibbonCaptionButton(&canvas.Dc(), &button);
        // The strip's own marks (variant 0) need not be pure black: what
        // counts is that a mark is drawn, in grey when disabled.
        if (c.glyph == kCanvas) {
            EXPECT_EQ(0, familytest::CountNotCanvas(canvas, CRect(0, 0, 30, 30))) << std::hex << c.command;
        } else {
            EXPECT_GT(familytest::CountNotCanvas(canvas, CRect(5, 5, 25, 25)), 0) << std::hex << c.command;
            if (c.disabled) {
                EXPECT_TRUE(HasColor(canvas, CRect(5, 5, 25, 25), c.glyph)) << std::hex << c.command;
            }
        }
    }

    // The maximize glyph differs from the minimize one.
    Canvas minimize(30, 30, kCanvas), maximize(30, 30, kCanvas);
    CZUDPRibbonCaptionButton button;
    button.m_rect = CRect(5, 5, 25, 25);
    button.m_nID = SC_MINIMIZE;
    m_manager->DrawRibbonCaptionButton(&minimize.Dc(), &button);
    button.m_nID = SC_MAXIMIZE;
    m_manager->DrawRibbonCaptionButton(&maximize.Dc(), &button);
    int differences = 0;
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 25; ++x)
            differences += minimize.Pixel(x, y) != maximize.Pixel(x, y);
    EXPECT_GT(differences, 0);
}

TEST_F(RibbonDrawingTest, CategoryTabsOfNormalAndMinimizedRibbons)
{
    enum Look { Nothing, Outline, FaceFill, WindowFill, ContextFill, FocusFill };
    struct Case {
        const char* what;
        BOOL minimized, active, highlighted, focused, droppedDown;
        int context;
        Look look;
    } cases[] = {
        {"inactive, idle: nothing", FALSE, FALSE, FALSE, FALSE, FALSE, 0, Nothing},
        {"active: face", FALSE, TRUE, FALSE, FALSE, FALSE, 0, FaceFill},
        {"active and hot: window", FALSE, TRUE, TRUE, FALSE, FALSE, 0, WindowFill},
        {"hot, inactive: outline only", FALSE, FALSE, TRUE, FALSE, FALSE, 0, Outline},
        {"active context category: its colour", FALSE, TRUE, FALSE, FALSE, FALSE, 4, ContextFill},
        {"active with keyboard focus", FALSE, TRUE, FALSE, TRUE, FALSE, 4, FocusFill},
        {"minimized, active, not dropped: nothing", TRUE, TRUE, FALSE, FALSE, FALSE, 0, Nothing},
        {"minimized, hot: outline, never filled", TRUE, TRUE, TRUE, FALSE, FALSE, 0, Outline},
        {"minimized, focused: hot outline", TRUE, FALSE, FALSE, TRUE, FALSE, 0, Outline},
        {"minimized, dropped down: active", TRUE, TRUE, TRUE, FALSE, TRUE, 0, FaceFill},
    };
    for (const Case& c : cases) {
        Canvas canvas(80, 30, kCanvas);
        CZUDPRibbonBar bar;
        bar.m_dwHideFlags = c.minimized ? CZUDPRibbonBar::kHideElements : 0;
        CZUDPRibbonCategory category;
        category.m_nContextColor = c.context;
        CZUDPRibbonTab tab;
        tab.m_pCategory = &category;
        tab.m_pRibbonBar = &bar;
        tab.m_rect = CRect(10, 2, 70, 28);
        tab.m_bIsHighlighted = c.highlighted;
        tab.m_bIsFocused = c.focused;
        tab.m_bIsDroppedDown = c.droppedDown;
        EXPECT_EQ(env.m_colorBarText, m_manager->DrawRibbonCategoryTab(&canvas.Dc(), &tab, c.active)) << c.what;

        const COLORREF inside = canvas.Pixel(40, 15), outline = canvas.Pixel(40, 5);
        switch (c.look) {
        case Nothing: EXPECT_EQ(0, familytest::CountNotCanvas(canvas, CRect(0, 0, 80, 30))) << c.what; break;
        case Outline:
            EXPECT_EQ(env.m_colorBarShadow, outline) << c.what;
            EXPECT_EQ(kCanvas, inside) << c.what;
            break;
        case FaceFill: EXPECT_EQ(env.m_colorBarFace, inside) << c.what; break;
        case WindowFill: EXPECT_EQ(env.m_colorWindow, inside) << c.what; break;
        case ContextFill:
            EXPECT_EQ(m_manager->GetRibbonContextCategoryColor(4), inside) << c.what;
            break;
        case FocusFill: EXPECT_EQ(env.m_colorBarHighlight, inside) << c.what; break;
        }
        if (c.look != Nothing && c.look != Outline) {
            EXPECT_EQ(env.m_colorBarShadow, outline) << c.what;
        }
    }
}

TEST_F(RibbonDrawingTest, TabSeparatorFadesWithItsStrength)
{
    for (int strength : {0, 40, 190}) {
        Canvas canvas(80, 30, kCanvas);
        CZUDPRibbonBar bar;
        bar.m_nTabSeparatorStrength = strength;
        CZUDPRibbonTab tab;
        tab.m_pRibbonBar = &bar;
        tab.m_rect = CRect(10, 2, 70, 28);
        m_manager->DrawRibbonCategoryTab(&canvas.Dc(), &tab, FALSE);
        if (strength == 0) {
            EXPECT_EQ(kCanvas, canvas.Pixel(69, 15));
            continue;
        }
        const int percent = std::max(10, 100 - strength / 2);
        EXPECT_EQ(CZUDPColorArithmetic::ScaleColorPercent(env.m_colorBarFace, percent), canvas.Pixel(69, 15))
            << strength;
        EXPECT_EQ(kCanvas, canvas.Pixel(69, 4)) << strength;  // starts three pixels down
    }
}

TEST_F(RibbonDrawingTest, PanelCaptionAndEtchedOutline)
{
    for (BOOL highlighted : {FALSE, TRUE}) {
        Canvas canvas(100, 80, kCanvas);
        CZUDPRibbonPanel panel("");
        panel.m_bIsHighlighted = highlighted;
        EXPECT_EQ(env.m_colorBarText, m_manager->FillRibbonPanel(&canvas.Dc(), &panel, CRect(10, 10, 90, 70)));
        m_manager->DrawRibbonPanelCaption(&canvas.Dc(), &panel, CRect(10, 55, 90, 70));
        // Etched: highlight frame, shadow frame one pixel up and left.
        EXPECT_EQ(env.m_colorBarShadow, canvas.Pixel(9, 30)) << highlighted;
        EXPECT_EQ(env.m_colorBarHighlight, canvas.Pixel(89, 30)) << highlighted;
        EXPECT_EQ(highlighted ? env.m_colorActiveCaption : env.m_colorInactiveCaption, canvas.Pixel(50, 62))
            << highlighted;
        // The caption is inset by 1 and 2 more on the right.
        EXPECT_NE(highlighted ? env.m_colorActiveCaption : env.m_colorInactiveCaption, canvas.Pixel(87, 62))
            << highlighted;
    }

    // A focused launch button turns the whole panel into a highlight.
    Canvas canvas(100, 80, kCanvas);
    CZUDPRibbonPanel panel("Clipboard");
    panel.m_btnLaunch.m_rect = CRect(75, 56, 88, 68);
    panel.m_btnLaunch.m_bIsFocused = TRUE;
    EXPECT_EQ(env.m_colorHighlightText, m_manager->FillRibbonPanel(&canvas.Dc(), &panel, CRect(10, 10, 90, 70)));
    EXPECT_EQ(env.m_colorHighlight, canvas.Pixel(50, 30));
    EXPECT_EQ(env.m_colorHighlight, canvas.Pixel(10, 10));
}

TEST_F(RibbonDrawingTest, KeyTipWithoutThemeUsesInfoColours)
{
    Canvas canvas(40, 30, kCanvas);
    CZUDPBaseRibbonElement element;
    m_manager->DrawRibbonKeyTip(&canvas.Dc(), &element, CRect(5, 5, 35, 25), "q");
    EXPECT_EQ(::GetSysColor(COLOR_INFOBK), canvas.Pixel(7, 7));
    EXPECT_EQ(g_uiEnvironment.GetSysColorCached(COLOR_INFOTEXT), canvas.Pixel(5, 15));
    EXPECT_EQ(kCanvas, canvas.Pixel(4, 15));
    // The text is upper case: "Q" and "q" differ in their pixels.
    Canvas upper(40, 30, kCanvas);
    m_manager->DrawRibbonKeyTip(&upper.Dc(), &element, CRect(5, 5, 35, 25), "Q");
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(upper.Pixel(x, y), canvas.Pixel(x, y)) << x << "," << y;
}

TEST_F(RibbonDrawingTest, KeyTipWithThemeDrawsTheTooltipPartAroundIt)
{
    // A tooltip theme that records its drawing and answers its colours.
    const HTHEME fakeTheme = reinterpret_cast<HTHEME>(UINT_PTR(0x7000));
    const COLORREF themeText = RGB(200, 0, 0), themeEdge = RGB(0, 0, 200);
    m_manager->m_hThemeToolTip = fakeTheme;
    uitest::ThemeDrawRecorder recorder(false);
    ScopedSeam colours(g_foundationSeams.getThemeColor,
                       [&](UxGetThemeColorFn, HTHEME theme, int part, int, int property, COLORREF* colour) -> HRESULT {
                           if (theme != fakeTheme || part != 1)
                               return E_FAIL;
                           *colour = property == 3803 ? themeText : property == 3804 ? themeEdge : 0;
                           return S_OK;
                       });
    Canvas canvas(40, 30, kCanvas);
    CZUDPBaseRibbonElement element;
    m_manager->DrawRibbonKeyTip(&canvas.Dc(), &element, CRect(5, 5, 35, 25), "W");
    m_manager->m_hThemeToolTip = nullptr;

    if (recorder.Calls().empty())
        GTEST_SKIP() << "visual styles cannot be loaded";
    ASSERT_EQ(1u, recorder.Calls().size());
    const auto& call = recorder.Calls()[0];
    EXPECT_EQ(fakeTheme, call.theme);
    EXPECT_EQ(1, call.part);
    EXPECT_EQ(0, call.state);
    EXPECT_EQ(CRect(3, 3, 37, 27), CRect(call.rect));
    // The theme's edge colour frames it, its text colour writes the key,
    // and there is no info-background fill.
    EXPECT_EQ(themeEdge, canvas.Pixel(5, 15));
    EXPECT_EQ(kCanvas, canvas.Pixel(7, 7));
    EXPECT_TRUE(HasColor(canvas, CRect(6, 6, 34, 24), themeText));
}

TEST_F(RibbonDrawingTest, ContextColoursByIndexAndDepth)
{
    const COLORREF normal[] = {0xA0A0FF, 0x37BDEF, 0x1BE5FD, 0x59BE71, 0xC4B580, 0xE0A372, 0xD1B2D6};
    const COLORREF few[] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0x800000, 0xFF00FF};
    for (int bits : {32, 8}) {
        ScopedSeam depth(g_frameworkSeams.colorDepth, [bits] { return bits; });
        g_uiEnvironment.UpdateSysColors();
        for (int index = -1; index <= 8; ++index) {
            const COLORREF expected =
                (index < 1 || index > 7) ? (COLORREF)-1 : (bits > 8 ? normal[index - 1] : few[index - 1]);
            EXPECT_EQ(trovtest::ColorText(expected), trovtest::ColorText(m_manager->GetRibbonContextCategoryColor(index)))
                << "index " << index << " at " << bits << " bits";
        }
    }
    g_uiEnvironment.UpdateSysColors();
}

TEST_F(RibbonDrawingTest, BaseAnswersOfTheQueries)
{
    CZUDPVisualManager& vm = *m_manager;
    CZUDPBaseRibbonElement plain, disabled, hot;
    disabled.m_bIsDisabled = TRUE;
    hot.m_bIsHighlighted = TRUE;
    struct Case {
        const char* what;
        long long expected, actual;
    } cases[] = {
        {"disabled text", env.m_colorGrayText, vm.GetRibbonDisabledTextColor(TRUE)},
        {"enabled text", -1, (long long)(int)vm.GetRibbonDisabledTextColor(FALSE)},
        {"control back, hot", env.m_colorWindow, vm.GetRibbonControlBackColor(TRUE, FALSE)},
        {"control back, hot but disabled", env.m_colorBarFace, vm.GetRibbonControlBackColor(TRUE, TRUE)},
        {"control back, idle", env.m_colorBarFace, vm.GetRibbonControlBackColor(FALSE, FALSE)},
        {"hyperlink", env.m_colorHotLink, vm.GetRibbonHyperlinkTextColor(&plain)},
        {"hyperlink, hot", env.m_colorHotLinkHovered, vm.GetRibbonHyperlinkTextColor(&hot)},
        {"hyperlink, disabled", env.m_colorGrayText, vm.GetRibbonHyperlinkTextColor(&disabled)},
        {"element text", env.m_colorBarText, vm.GetRibbonElementTextColor()},
        {"optional colour", -1, (long long)(int)vm.GetRibbonOptionalColor()},
        {"panel spacing", 2, vm.GetRibbonPanelSpacing(nullptr)},
        {"panel menu border", 2, vm.GetRibbonPanelMenuBorderSize(nullptr)},
        {"caption option", FALSE, vm.QueryRibbonCaptionOption()},
        {"frame option", FALSE, vm.QueryRibbonFrameOption()},
        {"ribbon option", FALSE, vm.QueryRibbonOption()},
        {"horizontal line", -1, (long long)(int)vm.DrawRibbonHorizontalLine(nullptr, nullptr, 0, 0, 0)},
        {"element frame", -1, (long long)(int)vm.DrawRibbonElementFrame(nullptr, nullptr, &hot)},
        {"context caption without colour", env.m_colorBarText, vm.FillRibbonContextCaption(nullptr, nullptr)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.actual) << c.what;
}

TEST_F(RibbonDrawingTest, PlaceholderCircleByDepthAndState)
{
    struct Case {
        int bits;
        BOOL disabled;
        COLORREF centre;
    } cases[] = {
        {32, FALSE, 0x80D0A0}, {32, TRUE, env.m_colorGrayText}, {8, FALSE, RGB(0, 0x7F, 0)}, {8, TRUE, env.m_colorGrayText},
    };
    for (const Case& c : cases) {
        ScopedSeam depth(g_frameworkSeams.colorDepth, [&c] { return c.bits; });
        g_uiEnvironment.UpdateSysColors();
        Canvas canvas(30, 30, kCanvas);
        m_manager->DrawDefaultImagePlaceholder(&canvas.Dc(), CRect(0, 0, 30, 30), c.disabled);
        EXPECT_TRUE(trovtest::ColorNear(c.centre, canvas.Pixel(15, 15), 2))
            << c.bits << " " << c.disabled << ": " << trovtest::ColorText(canvas.Pixel(15, 15));
        // 11 pixels across, from centre - 5 to centre + 5.
        EXPECT_EQ(kCanvas, canvas.Pixel(15, 8)) << c.bits;
        EXPECT_EQ(kCanvas, canvas.Pixel(22, 15)) << c.bits;
        EXPECT_NE(kCanvas, canvas.Pixel(15, 11)) << c.bits;
    }
    g_uiEnvironment.UpdateSysColors();
}

TEST_F(RibbonDrawingTest, ColourButtonSwatchAndFrames)
{
    const COLORREF swatch = RGB(10, 160, 220);
    struct Case {
        BOOL top, bottom, highlighted, checked;
        COLORREF atLeft, atTop, atSwatchEdge;
    } cases[] = {
        {TRUE, TRUE, FALSE, FALSE, env.m_colorButtonShadow, env.m_colorButtonShadow, swatch},
        {FALSE, FALSE, FALSE, FALSE, env.m_colorButtonShadow, swatch, swatch},
        {FALSE, FALSE, TRUE, FALSE, env.m_colorBarHighlight, env.m_colorBarHighlight, (COLORREF)-2},
        {FALSE, FALSE, FALSE, TRUE, env.m_colorBarShadow, env.m_colorBarShadow, (COLORREF)-2},
    };
    for (const Case& c : cases) {
        Canvas canvas(30, 30, kCanvas);
        m_manager->DrawRibbonColorButton(&canvas.Dc(), nullptr, swatch, CRect(5, 5, 25, 25), c.top, c.bottom,
                                         c.highlighted, c.checked);
        EXPECT_EQ(c.atLeft, canvas.Pixel(5, 15));
        EXPECT_EQ(c.atTop, canvas.Pixel(15, 5));
        if (c.atSwatchEdge == (COLORREF)-2)  // highlighted or checked: light ring round a smaller swatch
            EXPECT_TRUE(familytest::LooksLight(canvas, 6, 6));
        else
            EXPECT_EQ(c.atSwatchEdge, canvas.Pixel(6, 15));
        EXPECT_EQ(swatch, canvas.Pixel(15, 15));
    }
}

} // namespace
