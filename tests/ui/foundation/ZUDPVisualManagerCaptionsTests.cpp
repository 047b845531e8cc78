// The visual manager's captions and frames in the classic look: pane and
// floating-frame captions, caption buttons (glyph colour and frame by
// state), floating-frame borders with and without a docking hint,
// auto-hide buttons, desktop application bars, and the rounded region of a
// frame whose ribbon replaces its caption.
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/ribbon/ZUDPRibbonBar.h"

#include <gtest/gtest.h>

#include <optional>

using foundationtest::Canvas;
using uitest::ClassicDrawing;

namespace {

const COLORREF kGround = RGB(0x30, 0x90, 0x60);  // a canvas colour no glyph or frame uses

class VisualManagerCaptions : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_colours.emplace(g_foundationSeams.sysColor,
                          [](int index) { return RGB(3 * index + 1, 5 * index + 2, 7 * index + 3); });
        g_uiEnvironment.UpdateSysColors();
        m_classic.emplace();
    }
    void TearDown() override
    {
        m_classic.reset();
        m_colours.reset();
        g_uiEnvironment.UpdateSysColors();
        CZUDPVisualManager::SetLook2000Style(FALSE);
    }
    static CZUDPVisualManager* Manager() { return CZUDPVisualManager::GetActiveManager(); }

    std::optional<ScopedSeam<COLORREF(int)>> m_colours;
    std::optional<ClassicDrawing> m_classic;
};

} // namespace

// The glyph colour of a caption button: grey when disabled, white on an
// active caption and black on an inactive one, and with a foreground
// colour white only when every channel is above 192.
TEST_F(VisualManagerCaptions, CaptionButtonGlyphVariant)
{
    struct Row {
        const char* name;
        COLORREF foreground;
        BOOL active, disabled;
        COLORREF glyph;
    } rows[] = {
        {"no colour, active caption", (COLORREF)-1, TRUE, FALSE, RGB(255, 255, 255)},
        {"no colour, inactive caption", (COLORREF)-1, FALSE, FALSE, RGB(0, 0, 0)},
        {"all channels 193", RGB(193, 193, 193), FALSE, FALSE, RGB(255, 255, 255)},
        {"red at 192", RGB(192, 193, 193), TRUE, FALSE, RGB(0, 0, 0)},
        {"green at 192", RGB(193, 192, 193), TRUE, FALSE, RGB(0, 0, 0)},
        {"blue at 192", RGB(193, 193, 192), TRUE, FALSE, RGB(0, 0, 0)},
        {"disabled", RGB(255, 255, 255), TRUE, TRUE, RGB(0x80, 0x80, 0x80)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CZUDPFrameCaptionButton button(HTCLOSE);
        button.m_rect.SetRect(2, 2, 18, 18);
        button.m_clrForeground = row.foreground;
        Canvas canvas(20, 20, kGround);
        Manager()->DrawCaptionButton(&canvas.Dc(), &button, row.active, TRUE, FALSE, row.disabled, MenuGlyphClose);
        const RECT inside = {4, 4, 16, 16};
        EXPECT_GT(canvas.CountColor(inside, row.glyph), 0);
        for (COLORREF other : {RGB(255, 255, 255), RGB(0, 0, 0), RGB(0x80, 0x80, 0x80)}) {
            if (other != row.glyph) {
                EXPECT_EQ(0, canvas.CountColor(inside, other));
            }
        }
    }
}

// The frame of a caption button by state: raised in every state but the
// pushed-in one, nothing when disabled, and with Look2000 nothing while
// idle and only the inner raised frame otherwise.
TEST_F(VisualManagerCaptions, CaptionButtonFrameByState)
{
    const COLORREF light = g_uiEnvironment.m_colorBarLight, dark = g_uiEnvironment.m_colorBarDarkShadow;
    const COLORREF hilite = g_uiEnvironment.m_colorBarHighlight, shadow = g_uiEnvironment.m_colorBarShadow;
    struct Row {
        const char* name;
        BOOL pushed, highlighted, droppedDown, disabled, look2000;
        COLORREF outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } rows[] = {
        {"idle", FALSE, FALSE, FALSE, FALSE, FALSE, light, dark, hilite, shadow},
        {"hot", FALSE, TRUE, FALSE, FALSE, FALSE, light, dark, hilite, shadow},
        {"pushed under the mouse: sunken", TRUE, TRUE, FALSE, FALSE, FALSE, dark, light, dark, hilite},
        {"pushed with its menu open: sunken", TRUE, FALSE, TRUE, FALSE, FALSE, dark, light, dark, hilite},
        {"pushed, mouse gone: raised", TRUE, FALSE, FALSE, FALSE, FALSE, light, dark, hilite, shadow},
        {"disabled: no frame", FALSE, TRUE, FALSE, TRUE, FALSE, kGround, kGround, kGround, kGround},
        {"Look2000 idle: glyph only", FALSE, FALSE, FALSE, FALSE, TRUE, kGround, kGround, kGround, kGround},
        {"Look2000 hot: inner frame only", FALSE, TRUE, FALSE, FALSE, TRUE, kGround, kGround, hilite, shadow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CZUDPVisualManager::SetLook2000Style(row.look2000);
        CZUDPFrameCaptionButton button(HTCLOSE);
        button.m_rect.SetRect(2, 2, 18, 18);
        button.m_bPushed = row.pushed;
        button.m_bFocused = row.highlighted;
        button.m_bDroppedDown = row.droppedDown;
        Canvas canvas(20, 20, kGround);
        Manager()->DrawCaptionButton(&canvas.Dc(), &button, TRUE, TRUE, FALSE, row.disabled, -1);
        EXPECT_EQ(row.outerTopLeft, canvas.Pixel(2, 10));
        EXPECT_EQ(row.outerBottomRight, canvas.Pixel(17, 10));
        EXPECT_EQ(row.innerTopLeft, canvas.Pixel(3, 10));
        EXPECT_EQ(row.innerBottomRight, canvas.Pixel(16, 10));
    }
}

// The pushed-in glyph sits one pixel right and down.
TEST_F(VisualManagerCaptions, PushedCaptionButtonMovesItsGlyph)
{
    CZUDPFrameCaptionButton button(HTCLOSE);
    button.m_rect.SetRect(0, 0, 20, 20);
    Canvas idle(20, 20, kGround), pushed(20, 20, kGround);
    Manager()->DrawCaptionButton(&idle.Dc(), &button, FALSE, TRUE, FALSE, FALSE, MenuGlyphClose);
    button.m_bPushed = button.m_bFocused = TRUE;
    Manager()->DrawCaptionButton(&pushed.Dc(), &button, FALSE, TRUE, FALSE, FALSE, MenuGlyphClose);
    const RECT inside = {2, 2, 18, 18};
    RECT a = idle.BoundsOfOther(inside, kGround), b = pushed.BoundsOfOther(inside, kGround);
    ASSERT_LT(a.left, a.right);
    EXPECT_EQ(a.left + 1, b.left);
    EXPECT_EQ(a.top + 1, b.top);
}

// The border of a floating frame: dark red or dark blue edges while a drag
// shows a docking hint, the bar colours otherwise; the rest of a 4-pixel
// border is bar face.
TEST_F(VisualManagerCaptions, MiniFrameBorderInBothHintStates)
{
    const COLORREF face = g_uiEnvironment.m_colorBarFace;
    struct Row {
        int hint;
        COLORREF outerTopLeft, innerBottomRight;
    } rows[] = {
        {0, face, g_uiEnvironment.m_colorBarShadow},
        {1, RGB(0x7F, 0, 0), RGB(0x7F, 0, 0)},
        {2, RGB(0, 0, 0x7F), RGB(0, 0, 0x7F)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hint);
        CZUDPMiniFrameWnd frame;
        frame.SetDockingHintState(row.hint);
        Canvas canvas(30, 30, kGround);
        Manager()->DrawMiniFrameBorder(&canvas.Dc(), &frame, CRect(0, 0, 30, 30), CRect(4, 4, 4, 4));
        EXPECT_EQ(row.outerTopLeft, canvas.Pixel(0, 10));
        EXPECT_EQ(row.outerTopLeft, canvas.Pixel(10, 0));
        EXPECT_EQ(g_uiEnvironment.m_colorBarDarkShadow, canvas.Pixel(29, 10));
        EXPECT_EQ(g_uiEnvironment.m_colorBarHighlight, canvas.Pixel(1, 10));
        EXPECT_EQ(row.innerBottomRight, canvas.Pixel(28, 10));
        EXPECT_EQ(row.innerBottomRight, canvas.Pixel(10, 28));
        EXPECT_EQ(face, canvas.Pixel(2, 10));
        EXPECT_EQ(face, canvas.Pixel(3, 10));
        EXPECT_EQ(face, canvas.Pixel(26, 10));
        EXPECT_EQ(kGround, canvas.Pixel(4, 10)) << "the border only";
    }

    // A floating toolbar's frame: three nested frames.
    CZUDPMiniFrameWnd frame;
    Canvas canvas(30, 30, kGround);
    Manager()->DrawToolbarMiniFrameBorder(&canvas.Dc(), &frame, CRect(0, 0, 30, 30), CRect(3, 3, 3, 3));
    EXPECT_EQ(face, canvas.Pixel(0, 10));
    EXPECT_EQ(g_uiEnvironment.m_colorBarDarkShadow, canvas.Pixel(29, 10));
    EXPECT_EQ(g_uiEnvironment.m_colorBarHighlight, canvas.Pixel(1, 10));
    EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(28, 10));
    EXPECT_EQ(face, canvas.Pixel(2, 10));
    EXPECT_EQ(face, canvas.Pixel(27, 10));
    EXPECT_EQ(kGround, canvas.Pixel(3, 10));
}

// Pane and floating-frame captions: the active or inactive caption colour
// and the matching text colour; a floating toolbar always looks active.
TEST_F(VisualManagerCaptions, CaptionColoursFollowActivation)
{
    Canvas canvas(20, 10, kGround);
    EXPECT_EQ(g_uiEnvironment.m_colorCaptionText,
              Manager()->FillDockingBarCaption(&canvas.Dc(), nullptr, TRUE, CRect(0, 0, 20, 10), CRect()));
    EXPECT_EQ(g_uiEnvironment.m_colorActiveCaption, canvas.Pixel(5, 5));
    EXPECT_EQ(g_uiEnvironment.m_colorInactiveCaptionText,
              Manager()->FillDockingBarCaption(&canvas.Dc(), nullptr, FALSE, CRect(0, 0, 20, 10), CRect()));
    EXPECT_EQ(g_uiEnvironment.m_colorInactiveCaption, canvas.Pixel(5, 5));

    CZUDPMiniFrameWnd frame;
    EXPECT_EQ(g_uiEnvironment.m_colorInactiveCaptionText,
              Manager()->FillMiniFrameCaption(&canvas.Dc(), CRect(0, 0, 20, 10), &frame, FALSE));
    EXPECT_EQ(g_uiEnvironment.m_colorInactiveCaption, canvas.Pixel(5, 5));
    CZUDPToolBar toolbar;
    frame.AddHostedBar(&toolbar);
    EXPECT_EQ(g_uiEnvironment.m_colorCaptionText,
              Manager()->FillMiniFrameCaption(&canvas.Dc(), CRect(0, 0, 20, 10), &frame, FALSE));
    EXPECT_EQ(g_uiEnvironment.m_colorActiveCaption, canvas.Pixel(5, 5));
}

// Auto-hide buttons: bar-face fill; shadow strips only on the sides whose
// width is above 0.
TEST_F(VisualManagerCaptions, AutoHideButtonBorderOnlyOnSidesWithAWidth)
{
    Canvas canvas(20, 10, kGround);
    Manager()->FillAutoHideButton(&canvas.Dc(), CRect(0, 0, 20, 10), nullptr);
    EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(10, 5));
    canvas.Fill(kGround);
    Manager()->DrawAutoHideButtonBorder(&canvas.Dc(), CRect(0, 0, 20, 10), CRect(1, 0, 2, 0), nullptr);
    const COLORREF shadow = g_uiEnvironment.m_colorBarShadow;
    EXPECT_EQ(shadow, canvas.Pixel(0, 0));
    EXPECT_EQ(shadow, canvas.Pixel(0, 9));
    EXPECT_EQ(shadow, canvas.Pixel(18, 5));
    EXPECT_EQ(shadow, canvas.Pixel(19, 5));
    EXPECT_EQ(kGround, canvas.Pixel(1, 5));
    EXPECT_EQ(kGround, canvas.Pixel(10, 0)) << "no top strip";
    EXPECT_EQ(kGround, canvas.Pixel(10, 9)) << "no bottom strip";
}

// A desktop application bar's frame: button-face strips of the border
// widths, and 2 pixels in a light strip shortened at both ends.
TEST_F(VisualManagerCaptions, AppBarFrameStrips)
{
    Canvas canvas(40, 40, kGround);
    Manager()->DrawAppBarFrame(&canvas.Dc(), nullptr, CRect(0, 0, 40, 40), CRect(4, 4, 4, 4));
    LOGBRUSH lightBrush = {};
    ASSERT_NE(0, ::GetObjectA(g_uiEnvironment.m_brushLight.m_hObject, sizeof(lightBrush), &lightBrush));
    const COLORREF face = g_uiEnvironment.m_colorButtonFace, light = lightBrush.lbColor;
    EXPECT_EQ(face, canvas.Pixel(0, 20));
    EXPECT_EQ(face, canvas.Pixel(1, 20));
    EXPECT_EQ(light, canvas.Pixel(2, 20));
    EXPECT_EQ(light, canvas.Pixel(3, 20));
    EXPECT_EQ(face, canvas.Pixel(2, 2)) << "the light strips stop one pixel short";
    EXPECT_EQ(light, canvas.Pixel(37, 20));
    EXPECT_EQ(light, canvas.Pixel(20, 36));
    EXPECT_EQ(kGround, canvas.Pixel(4, 20));
    EXPECT_EQ(kGround, canvas.Pixel(20, 20));
}

// Rounded top corners only for a library frame whose visible ribbon
// replaces its caption, and never while composition is on.
TEST_F(VisualManagerCaptions, FrameRegionOnlyForARibbonCaption)
{
    CZUDPFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    CZUDPRibbonBar ribbon;
    ASSERT_TRUE(ribbon.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 40), &frame, 1));
    frame.SetRibbonBar(&ribbon);
    frame.ShowWindow(SW_SHOWNOACTIVATE);

    EXPECT_FALSE(Manager()->UpdateFrameWindowRegion(&frame, 200, 100)) << "the ribbon keeps the system caption";
    ribbon.m_bReplaceFrameCaption = TRUE;
    ribbon.ShowWindow(SW_HIDE);
    EXPECT_FALSE(Manager()->UpdateFrameWindowRegion(&frame, 200, 100)) << "hidden ribbon";
    ribbon.ShowWindow(SW_SHOW);
    {
        auto previous = g_uiEnvironment.m_dwmIsCompositionEnabled;
        g_uiEnvironment.m_dwmIsCompositionEnabled = [](BOOL* pEnabled) -> HRESULT {
            *pEnabled = TRUE;
            return S_OK;
        };
        const BOOL compositionOff = g_uiEnvironment.m_compositionOff;
        g_uiEnvironment.m_compositionOff = FALSE;
        EXPECT_FALSE(Manager()->UpdateFrameWindowRegion(&frame, 200, 100)) << "composition on";
        g_uiEnvironment.m_dwmIsCompositionEnabled = previous;
        g_uiEnvironment.m_compositionOff = compositionOff;
    }
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, ::GetWindowRgn(frame.m_hWnd, hRgn)) << "no region set so far";

    ASSERT_TRUE(Manager()->UpdateFrameWindowRegion(&frame, 200, 100));
    ASSERT_NE(ERROR, ::GetWindowRgn(frame.m_hWnd, hRgn));
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 199, 0));
    EXPECT_TRUE(::PtInRegion(hRgn, 5, 5));
    EXPECT_TRUE(::PtInRegion(hRgn, 195, 5));
    EXPECT_TRUE(::PtInRegion(hRgn, 0, 99)) << "bottom corners stay square";
    EXPECT_TRUE(::PtInRegion(hRgn, 199, 99));
    ::DeleteObject(hRgn);

    CFrameWnd plain;
    ASSERT_TRUE(plain.Create(nullptr, "plain", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    EXPECT_FALSE(Manager()->UpdateFrameWindowRegion(&plain, 200, 100));
    plain.DestroyWindow();
    frame.SetRibbonBar(nullptr);
    ribbon.DestroyWindow();
    frame.DestroyWindow();
}
