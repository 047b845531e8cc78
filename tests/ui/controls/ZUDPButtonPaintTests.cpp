// What the library's button paints, read back from a 32-bit memory DC it
// printed itself into: frames by border style, the tint of a checked
// button, images of the disabled state, glyph and check-mark placement,
// and the visual manager's push-button frame.  System colours are made
// distinct for the scope, so each expected colour names one part.
#include "ui/controls/ZUDPButton.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "tests/ui/foundation/VisualManagerFamilyTest.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

using controltest::CControlHost;
using foundationtest::Canvas;

namespace {

typedef COLORREF CZUDPUIEnvironment::*Colour;
using E = CZUDPUIEnvironment;

class ButtonPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
    }
    void TearDown() override
    {
        m_button.reset();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    CZUDPButton& Make(DWORD style, const char* text = "", CSize size = CSize(100, 30))
    {
        m_button = std::make_unique<CZUDPButton>();
        EXPECT_TRUE(m_button->Create(text, WS_CHILD | WS_VISIBLE | style, CRect(CPoint(10, 10), size), &m_host, 101));
        return *m_button;
    }

    // The button printed into the canvas (its client area at 0,0).
    void Render(Canvas& canvas)
    {
        canvas.Fill(familytest::kCanvas);
        m_button->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc().GetSafeHdc(), PRF_CLIENT);
    }

    uitest::DistinctColours m_colours;
    uitest::ClassicDrawing m_classic;
    CControlHost m_host;
    std::unique_ptr<CZUDPButton> m_button;
};

COLORREF Face(Colour colour) { return colour != nullptr ? g_uiEnvironment.*colour : g_uiEnvironment.m_colorButtonFace; }

TEST_F(ButtonPaintTest, FramesByBorderStyleAndState)
{
    // nullptr: the face shows there (no frame line).
    const struct {
        const char* name;
        int style;
        bool hot, down;
        Colour outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        {"3-D", 0, false, false, &E::m_colorButtonHighlight, &E::m_colorDarkShadow, &E::m_colorLight,
         &E::m_colorButtonShadow},
        {"3-D pressed", 0, true, true, &E::m_colorDarkShadow, &E::m_colorButtonHighlight, &E::m_colorButtonShadow,
         &E::m_colorLight},
        {"flat", 1, false, false, nullptr, nullptr, nullptr, nullptr},
        {"flat hot", 1, true, false, &E::m_colorButtonHighlight, &E::m_colorDarkShadow, nullptr, nullptr},
        {"flat pressed", 1, true, true, &E::m_colorDarkShadow, &E::m_colorButtonHighlight, nullptr, nullptr},
        {"semi-flat", 2, false, false, &E::m_colorButtonHighlight, &E::m_colorDarkShadow, nullptr, nullptr},
        {"semi-flat hot", 2, true, false, &E::m_colorButtonHighlight, &E::m_colorDarkShadow, &E::m_colorLight,
         &E::m_colorButtonShadow},
        {"no border", 3, false, false, nullptr, nullptr, nullptr, nullptr},
        {"no border pressed", 3, true, true, nullptr, nullptr, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPButton& button = Make(BS_PUSHBUTTON);
        button.m_nBorderStyle = c.style;
        button.m_bHot = c.hot;
        button.m_bDown = c.down;
        Canvas canvas(100, 30);
        Render(canvas);
        EXPECT_EQ(Face(c.outerTopLeft), canvas.Pixel(0, 0));
        EXPECT_EQ(Face(c.outerBottomRight), canvas.Pixel(99, 29));
        EXPECT_EQ(Face(c.innerTopLeft), canvas.Pixel(1, 1));
        EXPECT_EQ(Face(c.innerBottomRight), canvas.Pixel(98, 28));
        EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, canvas.Pixel(3, 3));
        EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, canvas.Pixel(50, 15)) << "no text, no image";
    }
}

TEST_F(ButtonPaintTest, ACheckedButtonIsTintedExceptWhileHeldDown)
{
    const COLORREF face = g_uiEnvironment.m_colorButtonFace, light = g_uiEnvironment.m_colorButtonHighlight;
    const COLORREF tinted = RGB((GetRValue(light) + 2 * GetRValue(face)) / 3,
                                (GetGValue(light) + 2 * GetGValue(face)) / 3,
                                (GetBValue(light) + 2 * GetBValue(face)) / 3);
    CZUDPButton& button = Make(BS_AUTOCHECKBOX | BS_PUSHLIKE);
    button.SetCheck(1);
    Canvas canvas(100, 30);
    Render(canvas);
    EXPECT_TRUE(trovtest::ColorNear(tinted, canvas.Pixel(50, 15), 1)) << trovtest::ColorText(canvas.Pixel(50, 15));
    EXPECT_EQ(g_uiEnvironment.m_colorDarkShadow, canvas.Pixel(0, 0)) << "a checked button looks pressed";

    button.m_bDown = TRUE;
    Render(canvas);
    EXPECT_EQ(face, canvas.Pixel(50, 15));

    button.m_bDown = FALSE;
    button.m_bTintChecked = FALSE;
    Render(canvas);
    EXPECT_EQ(face, canvas.Pixel(50, 15));
}

// A 16 x 16 24-bit bitmap of one colour.
HBITMAP SolidBitmap(COLORREF colour)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, 16, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

TEST_F(ButtonPaintTest, ADisabledButtonShowsItsDisabledImageOrTheNormalOneGreyed)
{
    const COLORREF red = RGB(220, 20, 20), blue = RGB(20, 20, 220);
    // What the image strip draws for the normal image in the disabled
    // style, on the face.
    COLORREF derived = 0;
    {
        CZUDPToolBarImages strip;
        strip.SetImageSize(CSize(16, 16));
        strip.SetTransparentColor(RGB(0xC0, 0xC0, 0xC0));
        HBITMAP bitmap = SolidBitmap(red);
        strip.AppendBitmap(bitmap, TRUE);
        ::DeleteObject(bitmap);
        Canvas canvas(16, 16, g_uiEnvironment.m_colorButtonFace);
        CZUDPImageDrawState ds;
        ASSERT_TRUE(strip.BeginDrawing(ds));
        strip.RenderImage(&canvas.Dc(), 0, 0, 0, FALSE, TRUE);
        strip.FinishDrawing(ds);
        derived = canvas.Pixel(8, 8);
        ASSERT_NE(red, derived);
    }
    const struct {
        const char* name;
        bool disabledImage;
        bool enabled;
        COLORREF centre;
    } cases[] = {
        {"enabled", true, true, red},
        {"disabled with its own image", true, false, blue},
        {"disabled without one", false, false, derived},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPButton& button = Make(BS_PUSHBUTTON);
        button.SetImage(SolidBitmap(red), TRUE, nullptr, FALSE, FALSE, c.disabledImage ? SolidBitmap(blue) : nullptr);
        button.EnableWindow(c.enabled);
        Canvas canvas(100, 30);
        Render(canvas);
        EXPECT_EQ(c.centre, canvas.Pixel(50, 15)) << trovtest::ColorText(canvas.Pixel(50, 15));
    }
}

TEST_F(ButtonPaintTest, AThirtyTwoBitBitmapWithoutAlphaStillShows)
{
    // Drawn with GDI on a 32-bit screen: every alpha byte is 0.
    const COLORREF green = RGB(20, 180, 60);
    HDC screen = ::GetDC(nullptr);
    ASSERT_EQ(32, ::GetDeviceCaps(screen, BITSPIXEL));
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    HBRUSH brush = ::CreateSolidBrush(green);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);

    CZUDPButton& button = Make(BS_PUSHBUTTON);
    button.SetImage(bitmap);
    Canvas canvas(100, 30);
    Render(canvas);
    EXPECT_EQ(green, canvas.Pixel(50, 15)) << trovtest::ColorText(canvas.Pixel(50, 15));
}

TEST_F(ButtonPaintTest, TheGlyphSitsBesideAboveOrRightOfTheText)
{
    const CSize glyph = GetMenuGlyphSize();
    const int gap = 10, margin = 5;
    // The content lies inside the 2-pixel frame of a 100 x 40 button.
    const CRect content(2, 2, 98, 38);
    const struct {
        const char* name;
        bool onTop, onRight;
        CRect cell;
    } cases[] = {
        {"left of the text", false, false,
         CRect(CPoint(content.left + gap / 2, content.top + (content.Height() - glyph.cy) / 2), glyph)},
        {"right of the text", false, true,
         CRect(CPoint(content.right - gap / 2 - glyph.cx, content.top + (content.Height() - glyph.cy) / 2), glyph)},
        {"above the text", true, false,
         CRect(CPoint(content.left + (content.Width() - glyph.cx) / 2, content.top + margin / 2), glyph)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPButton& button = Make(BS_PUSHBUTTON, "Go", CSize(100, 40));
        button.SetGlyphImage(MenuGlyphCheckMark);
        button.m_bImageOnTop = c.onTop;
        button.m_bImageOnRight = c.onRight;
        Canvas canvas(100, 40);
        Render(canvas);
        // The glyph's marks, looked for round its cell (the text lies
        // elsewhere).
        CRect around = c.cell;
        around.InflateRect(4, 2);
        const RECT marks = canvas.BoundsOfOther(around, g_uiEnvironment.m_colorButtonFace);
        ASSERT_FALSE(::IsRectEmpty(&marks));
        CRect inside;
        EXPECT_TRUE(inside.IntersectRect(&marks, c.cell) && inside == CRect(marks))
            << marks.left << "," << marks.top << " " << marks.right << "," << marks.bottom;
    }
}

TEST_F(ButtonPaintTest, DisabledTextIsGreyWithItsEmbossedShadow)
{
    CZUDPButton& button = Make(BS_PUSHBUTTON, "WWWW");
    Canvas canvas(100, 30);
    Render(canvas);
    const RECT text = {10, 4, 90, 26};
    EXPECT_GT(canvas.CountColor(text, g_uiEnvironment.m_colorButtonText), 0);
    button.EnableWindow(FALSE);
    Render(canvas);
    EXPECT_EQ(0, canvas.CountColor(text, g_uiEnvironment.m_colorButtonText));
    EXPECT_GT(canvas.CountColor(text, g_uiEnvironment.m_colorGrayText), 0);
    EXPECT_GT(canvas.CountColor(text, g_uiEnvironment.m_colorButtonHighlight), 0);
    button.m_bGreyWhenDisabled = FALSE;
    Render(canvas);
    EXPECT_GT(canvas.CountColor(text, g_uiEnvironment.m_colorButtonText), 0);
}

TEST_F(ButtonPaintTest, ATransparentButtonShowsItsParentsBackground)
{
    CZUDPButton& button = Make(BS_PUSHBUTTON);
    button.m_bTransparent = TRUE;
    button.m_nBorderStyle = CZUDPButton::BorderStyleNone;
    Canvas canvas(100, 30);
    Render(canvas);
    EXPECT_EQ(CControlHost::kBackground, canvas.Pixel(3, 3));
    EXPECT_EQ(CControlHost::kBackground, canvas.Pixel(97, 27));
}

TEST_F(ButtonPaintTest, CheckMarksSitAtTheTextSideAndNeverDrawFocus)
{
    controltest::ControlRecordingScope manager;
    const CSize mark = manager->GetCheckBoxSize();
    const struct {
        const char* name;
        DWORD style;
        int check;
        bool hot;
        const char* operation;
        bool onRight;
        std::vector<int> args;  // as the operation got them
    } cases[] = {
        {"check box", BS_AUTOCHECKBOX, 1, true, "DrawCheckBoxEx", false, {1, FALSE, FALSE, TRUE}},
        {"text on the left", BS_AUTOCHECKBOX | BS_LEFTTEXT, 0, false, "DrawCheckBoxEx", true, {0, FALSE, FALSE, TRUE}},
        {"indeterminate", BS_AUTO3STATE, 2, false, "DrawCheckBoxEx", false, {2, FALSE, FALSE, TRUE}},
        {"radio, hot", BS_AUTORADIOBUTTON, 0, true, "DrawRadioButton", false, {FALSE, TRUE, FALSE, TRUE}},
        {"radio, checked", BS_AUTORADIOBUTTON, 1, false, "DrawRadioButton", false, {TRUE, FALSE, FALSE, TRUE}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPButton& button = Make(c.style, "Option");
        button.SetCheck(c.check);
        button.m_bHot = c.hot;
        manager->Clear();
        Canvas canvas(100, 30);
        Render(canvas);
        const auto calls = manager->Of(c.operation);
        ASSERT_EQ(1u, calls.size());
        const int left = c.onRight ? 100 - mark.cx : 0;
        EXPECT_EQ(CRect(CPoint(left, (30 - mark.cy) / 2), mark), calls[0].rect);
        EXPECT_EQ(c.args, calls[0].flags);
        EXPECT_EQ(0, manager->Count("DrawPushButtonFrame"));
    }
}

TEST_F(ButtonPaintTest, InTheManagersLookAPushButtonTakesItsFrameAndTextColour)
{
    controltest::ControlRecordingScope manager;
    manager.frameTextColor = RGB(250, 0, 250);
    CZUDPButton& button = Make(BS_PUSHBUTTON, "WWWW");
    Canvas canvas(100, 30);
    Render(canvas);
    EXPECT_EQ(0, manager->Count("DrawPushButtonFrame")) << "not in the manager's look yet";
    EXPECT_EQ(1, manager->Count("DrawPushButtonFace"));

    button.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
    manager->Clear();
    Render(canvas);
    const auto frames = manager->Of("DrawPushButtonFrame");
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(CRect(0, 0, 100, 30), frames[0].rect);
    EXPECT_EQ(controltest::ControlRecordingScope::kFrameFill, canvas.Pixel(0, 0));
    EXPECT_GT(canvas.CountColor(CRect(2, 2, 98, 28), manager.frameTextColor), 0);
    EXPECT_EQ(0, canvas.CountColor(CRect(2, 2, 98, 28), g_uiEnvironment.m_colorButtonText));

    // The colour holds for one paint only.
    manager.frameTextColor = (COLORREF)-1;
    Render(canvas);
    EXPECT_EQ(0, canvas.CountColor(CRect(2, 2, 98, 28), RGB(250, 0, 250)));
}

TEST_F(ButtonPaintTest, OnGlassTheTextGoesThroughTheManagersGlassText)
{
    controltest::ControlRecordingScope manager;
    CZUDPButton& button = Make(BS_PUSHBUTTON, "Glass");
    button.SendMessage(ZUDM_ONSETCONTROLAERO, TRUE);
    for (BOOL enabled : {TRUE, FALSE}) {
        button.EnableWindow(enabled);
        manager->Clear();
        Canvas canvas(100, 30);
        Render(canvas);
        const auto texts = manager->Of("DrawTextOnGlass");
        ASSERT_EQ(1u, texts.size()) << "no embossed second text on glass";
        EXPECT_EQ(6, texts[0].flags[1]);
        EXPECT_EQ(enabled ? g_uiEnvironment.m_colorBarText : g_uiEnvironment.m_colorGrayText,
                  (COLORREF)texts[0].flags[2]);
    }
}

TEST_F(ButtonPaintTest, AThemedFaceReplacesTheFramesAndThePushedOffset)
{
    controltest::ControlRecordingScope manager;
    manager->answers["DrawPushButtonFace"] = TRUE;
    CZUDPButton& button = Make(BS_PUSHBUTTON);
    button.m_bHot = button.m_bDown = TRUE;
    Canvas canvas(100, 30);
    Render(canvas);
    EXPECT_EQ(1, manager->Count("DrawPushButtonFace"));
    EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, canvas.Pixel(0, 0)) << "no frame of the button's own";

    button.m_bNoThemedFace = TRUE;
    manager->Clear();
    Render(canvas);
    EXPECT_EQ(0, manager->Count("DrawPushButtonFace"));
    EXPECT_EQ(g_uiEnvironment.m_colorDarkShadow, canvas.Pixel(0, 0));
}

} // namespace
