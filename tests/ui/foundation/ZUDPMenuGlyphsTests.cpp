// Menu glyphs: where a glyph lands in a rectangle, its colour in each
// variant, which strip the display chooses, the cell size at another DPI,
// and reloading after the strips were dropped.
#include "framework/win/FrameworkSeams.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using foundationtest::Canvas;

const COLORREF kBackground = RGB(0, 0, 160);

// The maximize glyph's frame fills columns and rows 1 to 7 of its cell.
RECT FrameBounds(const Canvas& canvas)
{
    RECT bounds = {0, 0, 0, 0};
    bool any = false;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) != kBackground) {
                if (!any)
                    bounds = RECT{x, y, x + 1, y + 1};
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
                any = true;
            }
    return bounds;
}

// Every test starts from strips loaded for the display as it is.
class MenuGlyphTest : public ::testing::Test {
protected:
    void SetUp() override { ReleaseMenuGlyphs(); }
    void TearDown() override { ReleaseMenuGlyphs(); }
};

TEST_F(MenuGlyphTest, CentredWithOddRemaindersToTheRightAndDown)
{
    ASSERT_EQ(CSize(9, 9), GetMenuGlyphSize());
    struct Case {
        const char* what;
        CRect rect;
        CPoint cell; // where the cell's top-left corner lands
    } cases[] = {
        {"20 x 20 at the origin", CRect(0, 0, 20, 20), CPoint(6, 6)},
        {"19 x 19", CRect(0, 0, 19, 19), CPoint(5, 5)},
        {"20 x 19", CRect(0, 0, 20, 19), CPoint(6, 5)},
        {"moved", CRect(10, 4, 30, 24), CPoint(16, 10)},
        {"exactly the cell", CRect(3, 3, 12, 12), CPoint(3, 3)},
    };
    for (const Case& c : cases) {
        Canvas canvas(40, 30, kBackground);
        ASSERT_TRUE(DrawMenuGlyphCentered(&canvas.Dc(), MenuGlyphMaximize, c.rect)) << c.what;
        const RECT bounds = FrameBounds(canvas);
        EXPECT_EQ(c.cell.x + 1, bounds.left) << c.what;
        EXPECT_EQ(c.cell.y + 1, bounds.top) << c.what;
        EXPECT_EQ(c.cell.x + 8, bounds.right) << c.what;
        EXPECT_EQ(c.cell.y + 8, bounds.bottom) << c.what;
    }
}

TEST_F(MenuGlyphTest, EachColourVariantRepaintsTheMarkOnly)
{
    struct Case {
        int variant;
        COLORREF mark;
    } cases[] = {
        {MenuGlyphColorBlack, RGB(0, 0, 0)},          {MenuGlyphColorGray, RGB(0x80, 0x80, 0x80)},
        {MenuGlyphColorLtGray, RGB(0xC0, 0xC0, 0xC0)}, {MenuGlyphColorWhite, RGB(0xFF, 0xFF, 0xFF)},
        {MenuGlyphColorDkGray, RGB(0x48, 0x48, 0x48)}, {MenuGlyphColorBlackCopy, RGB(0, 0, 0)},
        {9, RGB(0, 0, 0)},
    };
    // Both strips: the 24-bit one and the 4-bit one the display falls back
    // to.
    const BOOL savedHighColour = g_uiEnvironment.m_highColorImages;
    for (BOOL highColour : {TRUE, FALSE}) {
        g_uiEnvironment.m_highColorImages = highColour;
        ReleaseMenuGlyphs();
        // At the cell size and stretched to twice that.
        for (int times : {1, 2}) {
            for (const Case& c : cases) {
                Canvas canvas(18, 18, kBackground);
                ASSERT_TRUE(DrawMenuGlyph(&canvas.Dc(), MenuGlyphMaximize, CPoint(0, 0), c.variant,
                                          CSize(9 * times, 9 * times)))
                    << c.variant;
                const int bits = g_menuGlyphStrips.m_strips[0].GetBitsPerPixel();
                const std::string at =
                    std::to_string(bits) + "-bit strip x" + std::to_string(times) + ", variant " + std::to_string(c.variant);
                EXPECT_EQ(c.mark, canvas.Pixel(1 * times, 1 * times)) << at << ", frame";
                EXPECT_EQ(c.mark, canvas.Pixel(7 * times, 7 * times)) << at << ", frame";
                EXPECT_EQ(kBackground, canvas.Pixel(0, 0)) << at << ", magenta";
                EXPECT_EQ(kBackground, canvas.Pixel(4 * times, 4 * times)) << at << ", inside";
            }
        }
    }
    g_uiEnvironment.m_highColorImages = savedHighColour;
}

TEST_F(MenuGlyphTest, ColourCopiesDoNotDependOnTheButtonTextColour)
{
    // Under a scheme whose button text is not black the marks stay black
    // (the glyphs are not mapped to the system colours), so every copy is
    // still repainted.
    {
        ScopedSeam colours(g_foundationSeams.sysColor, [](int index) {
            return index == COLOR_BTNTEXT ? RGB(0, 0, 128) : g_foundationSeams.sysColor.Real(index);
        });
        g_uiEnvironment.UpdateSysColors();
        ReleaseMenuGlyphs();
        ASSERT_TRUE(LoadMenuGlyphs());
    }
    for (int variant : {MenuGlyphColorBlack, MenuGlyphColorGray, MenuGlyphColorWhite}) {
        Canvas canvas(9, 9, kBackground);
        ASSERT_TRUE(DrawMenuGlyph(&canvas.Dc(), MenuGlyphMaximize, CPoint(0, 0), variant));
        const COLORREF expected = variant == MenuGlyphColorBlack ? RGB(0, 0, 0)
                                  : variant == MenuGlyphColorGray ? RGB(0x80, 0x80, 0x80)
                                                                  : RGB(0xFF, 0xFF, 0xFF);
        EXPECT_EQ(expected, canvas.Pixel(1, 1)) << variant;
    }
    g_uiEnvironment.UpdateSysColors();
}

TEST_F(MenuGlyphTest, StretchedToAGivenSize)
{
    Canvas canvas(40, 40, kBackground);
    ASSERT_TRUE(DrawMenuGlyph(&canvas.Dc(), MenuGlyphMaximize, CPoint(2, 2), MenuGlyphColorBlack, CSize(18, 18)));
    const RECT bounds = FrameBounds(canvas);
    EXPECT_EQ(4, bounds.left);
    EXPECT_EQ(4, bounds.top);
    EXPECT_EQ(18, bounds.right);
    EXPECT_EQ(18, bounds.bottom);
}

TEST_F(MenuGlyphTest, TheDisplayChoosesTheStrip)
{
    struct Case {
        const char* what;
        int depth;
        BOOL whiteOnBlack, highColourImages;
        int stripBits;
    } cases[] = {
        {"true colour", 32, FALSE, TRUE, 24},
        {"16 bits", 16, FALSE, TRUE, 24},
        {"256 colours", 8, FALSE, TRUE, 4},
        {"high contrast", 32, TRUE, TRUE, 4},
        {"high-colour images off", 32, FALSE, FALSE, 4},
    };
    const BOOL savedHighColour = g_uiEnvironment.m_highColorImages;
    for (const Case& c : cases) {
        {
            ScopedSeam depth(g_frameworkSeams.colorDepth, [&] { return c.depth; });
            g_uiEnvironment.UpdateSysColors();
        }
        g_uiEnvironment.m_whiteOnBlack = c.whiteOnBlack;
        g_uiEnvironment.m_highColorImages = c.highColourImages;
        ReleaseMenuGlyphs();
        ASSERT_TRUE(LoadMenuGlyphs()) << c.what;
        EXPECT_EQ(c.stripBits, g_menuGlyphStrips.m_strips[0].GetBitsPerPixel()) << c.what;
        EXPECT_EQ(CSize(9, 9), GetMenuGlyphSize()) << c.what;
        EXPECT_EQ(MenuGlyphCount, g_menuGlyphStrips.m_strips[0].GetCount()) << c.what;
    }
    g_uiEnvironment.m_highColorImages = savedHighColour;
    g_uiEnvironment.UpdateSysColors();
}

// Whether two canvases hold the same pixels.
bool SamePixels(const Canvas& a, const Canvas& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

TEST_F(MenuGlyphTest, CellsFollowTheDpiInWholePixels)
{
    struct Case {
        int dpi;
        int cell;
    } cases[] = {{144, 13}, {192, 18}, {120, 11}, {96, 9}};
    // Both strips scale: the 24-bit one and the 4-bit one of 256-colour and
    // high-contrast displays, whose loaded strip the resampler takes only
    // once it is true colour.
    const BOOL savedHighColour = g_uiEnvironment.m_highColorImages;
    for (BOOL highColour : {TRUE, FALSE}) {
        g_uiEnvironment.m_highColorImages = highColour;
        for (const Case& c : cases) {
            const std::string at = (highColour ? "24-bit strip at " : "4-bit strip at ") + std::to_string(c.dpi);
            {
                ScopedSeam dpi(g_frameworkSeams.screenDpi, [&] { return c.dpi; });
                g_uiEnvironment.UpdateFonts();
            }
            ReleaseMenuGlyphs();
            EXPECT_EQ(CSize(c.cell, c.cell), GetMenuGlyphSize()) << at;
            for (const CZUDPToolBarImages& strip : g_menuGlyphStrips.m_strips) {
                EXPECT_EQ(CSize(c.cell, c.cell), strip.GetImageSize()) << at;
                EXPECT_EQ(MenuGlyphCount, strip.GetCount()) << at;
            }
            Canvas canvas(40, 40, kBackground);
            ASSERT_TRUE(DrawMenuGlyphCentered(&canvas.Dc(), MenuGlyphMaximize, CRect(0, 0, 40, 40))) << at;
            // The scaled mark stays inside its cell and fills most of it.
            const int cellAt = (40 - c.cell) / 2 + (40 - c.cell) % 2;
            const RECT bounds = FrameBounds(canvas);
            EXPECT_GE(bounds.left, cellAt) << at;
            EXPECT_LE(bounds.right, cellAt + c.cell) << at;
            EXPECT_GE(bounds.right - bounds.left, c.cell * 2 / 3) << at;
            // The loaded strip and its black copy draw the same mark.
            Canvas copy(40, 40, kBackground);
            ASSERT_TRUE(DrawMenuGlyphCentered(&copy.Dc(), MenuGlyphMaximize, CRect(0, 0, 40, 40),
                                              MenuGlyphColorBlackCopy))
                << at;
            EXPECT_TRUE(SamePixels(canvas, copy)) << at;
        }
    }
    g_uiEnvironment.m_highColorImages = savedHighColour;
    g_uiEnvironment.UpdateFonts();
}

TEST_F(MenuGlyphTest, MirroredLayoutsMirrorEveryStripOnce)
{
    // Under a right-to-left layout the loaded strip is mirrored once, and
    // its coloured copies show the same marks, for both strips and also
    // when the cells are rescaled.
    const BOOL savedHighColour = g_uiEnvironment.m_highColorImages;
    CZUDPToolBarImages::SetMirrorImages(TRUE);
    for (BOOL highColour : {TRUE, FALSE}) {
        g_uiEnvironment.m_highColorImages = highColour;
        for (int dpi : {96, 144}) {
            const std::string at = (highColour ? "24-bit strip at " : "4-bit strip at ") + std::to_string(dpi);
            {
                ScopedSeam screen(g_frameworkSeams.screenDpi, [&] { return dpi; });
                g_uiEnvironment.UpdateFonts();
            }
            ReleaseMenuGlyphs();
            Canvas loaded(20, 20, kBackground), copy(20, 20, kBackground);
            ASSERT_TRUE(DrawMenuGlyph(&loaded.Dc(), MenuGlyphArrowRight, CPoint(0, 0), MenuGlyphColorBlack)) << at;
            ASSERT_TRUE(DrawMenuGlyph(&copy.Dc(), MenuGlyphArrowRight, CPoint(0, 0), MenuGlyphColorBlackCopy)) << at;
            EXPECT_TRUE(SamePixels(loaded, copy)) << at;
            EXPECT_GT(FrameBounds(loaded).right, 0) << at;
        }
    }
    CZUDPToolBarImages::SetMirrorImages(FALSE);
    g_uiEnvironment.m_highColorImages = savedHighColour;
    g_uiEnvironment.UpdateFonts();
    ReleaseMenuGlyphs();
}

TEST_F(MenuGlyphTest, DroppedStripsReloadOnTheNextDraw)
{
    ASSERT_TRUE(LoadMenuGlyphs());
    ASSERT_NE(nullptr, g_menuGlyphStrips.m_strips[0].GetImageBitmap());
    ReleaseMenuGlyphs();
    for (const CZUDPToolBarImages& strip : g_menuGlyphStrips.m_strips)
        EXPECT_EQ(nullptr, strip.GetImageBitmap());

    Canvas canvas(9, 9, kBackground);
    ASSERT_TRUE(DrawMenuGlyph(&canvas.Dc(), MenuGlyphMaximize, CPoint(0, 0), MenuGlyphColorWhite));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 1));
    for (const CZUDPToolBarImages& strip : g_menuGlyphStrips.m_strips)
        EXPECT_NE(nullptr, strip.GetImageBitmap());

    // A change of the system colours drops them too.
    g_uiEnvironment.UpdateSysColors();
    EXPECT_EQ(nullptr, g_menuGlyphStrips.m_strips[0].GetImageBitmap());
}

TEST_F(MenuGlyphTest, UnknownGlyphsDrawNothing)
{
    Canvas canvas(9, 9, kBackground);
    EXPECT_FALSE(DrawMenuGlyph(&canvas.Dc(), MenuGlyphCount, CPoint(0, 0)));
    EXPECT_FALSE(DrawMenuGlyph(&canvas.Dc(), -1, CPoint(0, 0)));
    EXPECT_FALSE(DrawMenuGlyph(nullptr, MenuGlyphClose, CPoint(0, 0)));
    const RECT bounds = FrameBounds(canvas);
    EXPECT_EQ(0, bounds.right - bounds.left);
}

} // namespace
