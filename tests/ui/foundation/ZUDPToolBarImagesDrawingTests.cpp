// Image strips: drawing passes and colour transforms, drawn into DIB
// sections and read back pixel by pixel.
#include "ui/foundation/ZUDPToolBarImages.h"

#include "tests/ui/foundation/FoundationTestSupport.h"
#include "tests/ui/foundation/ImageStripFixtures.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using foundationtest::Canvas;
using namespace striptest;

namespace {

const COLORREF kGreen = RGB(0, 160, 0);
using trovtest::kWhite;
using trovtest::kMagenta;

// A strip made of one bitmap (kept by the strip; the test's copy deleted).
void Fill(CZUDPToolBarImages& strip, HBITMAP bitmap, CSize imageSize = CSize(16, 16))
{
    strip.SetImageSize(imageSize);
    ASSERT_GE(strip.AppendBitmap(bitmap, TRUE), 0);
    ::DeleteObject(bitmap);
}

bool Near(COLORREF a, COLORREF b, int tolerance = 2)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(ToolBarImagesDrawTest, IndexOutsideTheStripDrawsNothing)
{
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib(32, 16, 32, [](int, int) { return Argb(255, 0, 0, 255); }));
    Canvas canvas(40, 20);
    CZUDPImageDrawState ds;
    ASSERT_TRUE(strip.BeginDrawing(ds));
    for (int index : {-1, 2, 1000})
        EXPECT_FALSE(strip.RenderImage(&canvas.Dc(), 0, 0, index)) << index;
    strip.FinishDrawing(ds);
    EXPECT_EQ(0, canvas.CountOther(canvas.Rect(), kWhite));
    EXPECT_FALSE(strip.DrawAligned(&canvas.Dc(), CRect(0, 0, 20, 20), 2));
    EXPECT_EQ(0, canvas.CountOther(canvas.Rect(), kWhite));
}

TEST(ToolBarImagesDrawTest, ShadowOnA256ColourScreenDrawsNothing)
{
    SavedStripStatics saved;
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib(16, 16, 24, [](int, int) { return 0x0000FFu; }));
    g_uiEnvironment.m_bitsPerPixel = 8;
    Canvas canvas(20, 20);
    CZUDPImageDrawState ds;
    ASSERT_TRUE(strip.BeginDrawing(ds));
    EXPECT_TRUE(strip.RenderImage(&canvas.Dc(), 0, 0, 0, FALSE, FALSE, FALSE, TRUE));
    strip.FinishDrawing(ds);
    EXPECT_EQ(0, canvas.CountOther(canvas.Rect(), kWhite));
}

TEST(ToolBarImagesDrawTest, DisabledAlphaImageIsBlendedAtHalfNotEmbossed)
{
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib(16, 16, 32, [](int, int) { return Argb(255, 255, 0, 0); }));
    Canvas canvas(20, 20);
    CZUDPImageDrawState ds;
    ASSERT_TRUE(strip.BeginDrawing(ds));
    EXPECT_FALSE(strip.HasPrivateDC());
    ASSERT_TRUE(strip.RenderImage(&canvas.Dc(), 2, 2, 0, FALSE, TRUE));
    strip.FinishDrawing(ds);
    // Red at 127/255 over white.
    int rest = 255 - 127;
    EXPECT_TRUE(Near(RGB(255, rest, rest), canvas.Pixel(5, 5))) << std::hex << canvas.Pixel(5, 5);
    EXPECT_EQ(canvas.Pixel(5, 5), canvas.Pixel(17, 17));
    EXPECT_EQ(kWhite, canvas.Pixel(1, 1));
    EXPECT_EQ(kWhite, canvas.Pixel(18, 18));
}

TEST(ToolBarImagesDrawTest, KeyColourPixelsLeaveTheTargetAloneWithAndWithoutTransparentBlt)
{
    for (bool withTransparentBlt : {true, false}) {
        SavedStripStatics saved;
        if (!withTransparentBlt)
            CZUDPToolBarImages::s_transparentBlt = nullptr;
        CZUDPToolBarImages strip;
        Fill(strip, MakeDib(16, 16, 24, [](int x, int y) { return (x >= 4 && x < 12 && y >= 4 && y < 12) ? 0x0000FFu : 0xFF00FFu; }));
        strip.SetTransparentColor(kMagenta);
        Canvas canvas(20, 20, kGreen);
        CZUDPImageDrawState ds;
        ASSERT_TRUE(strip.BeginDrawing(ds));
        EXPECT_TRUE(strip.HasPrivateDC());
        ASSERT_TRUE(strip.RenderImage(&canvas.Dc(), 2, 2, 0));
        strip.FinishDrawing(ds);
        EXPECT_EQ(64, canvas.CountColor(canvas.Rect(), RGB(0, 0, 255))) << withTransparentBlt;
        EXPECT_EQ(CRect(6, 6, 14, 14), CRect(canvas.BoundsOfOther(canvas.Rect(), kGreen))) << withTransparentBlt;
    }
}

TEST(ToolBarImagesDrawTest, AlignedDrawingPlacesAndClipsTheImage)
{
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib(32, 16, 32, [](int x, int) { return x < 16 ? Argb(255, 0, 0, 255) : Argb(255, 255, 0, 0); }));
    struct Case {
        int horizontal, vertical;
        CRect dest;
        RECT drawn;
    } cases[] = {
        {1, 1, CRect(0, 0, 20, 20), {2, 2, 18, 18}},
        {0, 0, CRect(0, 0, 20, 20), {0, 0, 16, 16}},
        {2, 2, CRect(0, 0, 20, 20), {4, 4, 20, 20}},
        {1, 1, CRect(0, 0, 10, 10), {0, 0, 10, 10}},  // clipped to the destination
        {3, 3, CRect(0, 0, 24, 8), {0, 0, 24, 8}},    // stretched
    };
    for (const Case& c : cases) {
        Canvas canvas(30, 30);
        ASSERT_TRUE(strip.DrawAligned(&canvas.Dc(), c.dest, 1, c.horizontal, c.vertical)) << c.horizontal;
        EXPECT_EQ(CRect(c.drawn), CRect(canvas.BoundsOfOther(canvas.Rect(), kWhite))) << c.horizontal << c.vertical;
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(c.drawn.left, c.drawn.top));
    }
    // The keyed path (no alpha) places the same way.
    CZUDPToolBarImages keyed;
    Fill(keyed, MakeDib(16, 16, 24, [](int x, int) { return x == 0 ? 0xFF00FFu : 0x00FF00u; }));
    keyed.SetTransparentColor(kMagenta);
    Canvas canvas(20, 20);
    ASSERT_TRUE(keyed.DrawAligned(&canvas.Dc(), CRect(0, 0, 20, 20), 0, 1, 1));
    EXPECT_EQ(CRect(3, 2, 18, 18), CRect(canvas.BoundsOfOther(canvas.Rect(), kWhite)));
    EXPECT_FALSE(keyed.DrawAligned(&canvas.Dc(), CRect(0, 0, 0, 0), 0, 1, 1));
}

TEST(ToolBarImagesDrawTest, MirroredLayoutNeverUsesTransparentBlt)
{
    static int calls;
    static CZUDPToolBarImages::TransparentBltFn real;
    SavedStripStatics saved;
    real = CZUDPToolBarImages::s_transparentBlt;
    CZUDPToolBarImages::s_transparentBlt = [](HDC a, int b, int c, int d, int e, HDC f, int g, int h, int i, int j,
                                              UINT k) -> BOOL {
        ++calls;
        return real(a, b, c, d, e, f, g, h, i, j, k);
    };
    HBITMAP source = MakeDib(4, 4, 24, [](int x, int) { return x < 2 ? 0xFF00FFu : 0x0000FFu; });
    HDC sourceDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(sourceDC, source);
    for (BOOL mirror : {FALSE, TRUE}) {
        calls = 0;
        CZUDPToolBarImages::SetMirrorImages(mirror);
        Canvas canvas(8, 8, kGreen);
        EXPECT_TRUE(CZUDPToolBarImages::BlitTransparent(canvas.Dc().GetSafeHdc(), 0, 0, 4, 4, sourceDC, 0, 0, kMagenta));
        EXPECT_EQ(mirror ? 0 : 1, calls);
        EXPECT_EQ(8, canvas.CountColor(canvas.Rect(), RGB(0, 0, 255))) << mirror;
        EXPECT_EQ(kGreen, canvas.Pixel(0, 0)) << mirror;
    }
    ::SelectObject(sourceDC, old);
    ::DeleteDC(sourceDC);
    ::DeleteObject(source);
}

TEST(ToolBarImagesDrawTest, DisabledFourBitImageIsEmbossedFromItsMask)
{
    const COLORREF face = g_uiEnvironment.m_colorButtonFace;
    COLORREF palette[16] = {};
    palette[0] = RGB(0, 0, 0);
    palette[1] = face;
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib4(16, 16, palette, [](int x, int y) { return (x == 5 && y == 5) ? 0 : 1; }));
    ASSERT_EQ(4, strip.GetBitsPerPixel());
    CZUDPVisualManager* manager = CZUDPVisualManager::GetActiveManager();
    const BOOL emboss = manager->m_embossDisabledImage;
    for (BOOL embossed : {TRUE, FALSE}) {
        manager->m_embossDisabledImage = embossed;
        Canvas canvas(24, 24, kGreen);
        CZUDPImageDrawState ds;
        ASSERT_TRUE(strip.BeginDrawing(ds));
        ASSERT_TRUE(strip.RenderImage(&canvas.Dc(), 2, 2, 0, FALSE, TRUE));
        strip.FinishDrawing(ds);
        // The dark pixel: a highlight copy one pixel down and right under
        // the shadow copy; nothing else of the image is painted.
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas.Pixel(7, 7)) << embossed;
        EXPECT_EQ(embossed ? ::GetSysColor(COLOR_BTNHIGHLIGHT) : kGreen, canvas.Pixel(8, 8)) << embossed;
        EXPECT_EQ(embossed ? 2 : 1, canvas.CountOther(canvas.Rect(), kGreen)) << embossed;
    }
    manager->m_embossDisabledImage = emboss;
}

TEST(ToolBarImagesDrawTest, DisabledImageOnA16BitScreenWithoutPrivateDCKeysTheButtonFace)
{
    SavedStripStatics saved;
    g_uiEnvironment.m_bitsPerPixel = 16;
    // A face that greying would change.
    const COLORREF savedFace = g_uiEnvironment.m_colorButtonFace;
    const COLORREF face = RGB(120, 170, 240);
    g_uiEnvironment.m_colorButtonFace = face;
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib(16, 16, 24, [face](int x, int y) {
        return (x == 5 && y == 5) ? 0xFF0000u : ArgbOf(face, 0);
    }));
    Canvas canvas(20, 20, face);
    CZUDPImageDrawState ds;
    ASSERT_TRUE(strip.BeginDrawing(ds));
    ASSERT_FALSE(strip.HasPrivateDC());
    ASSERT_TRUE(strip.RenderImage(&canvas.Dc(), 0, 0, 0, FALSE, TRUE));
    strip.FinishDrawing(ds);
    // The face stays as it is; the red pixel is greyed.
    EXPECT_EQ(0, canvas.CountOther(CRect(0, 0, 16, 16), face) - 1);
    COLORREF grey = canvas.Pixel(5, 5);
    EXPECT_NE(RGB(255, 0, 0), grey);
    EXPECT_EQ(face, canvas.Pixel(0, 0));
    g_uiEnvironment.m_colorButtonFace = savedFace;
}

TEST(ToolBarImagesDrawTest, FadedPassDrawsTheLightCopyOfAFourBitStrip)
{
    COLORREF palette[16] = {};
    palette[0] = RGB(0, 0, 128);
    palette[1] = g_uiEnvironment.m_colorButtonFace;
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib4(16, 16, palette, [](int x, int) { return x < 8 ? 0 : 1; }));
    Canvas canvas(16, 16);
    CZUDPImageDrawState ds;
    ASSERT_TRUE(strip.BeginDrawing(ds, 0, 0, TRUE));
    ASSERT_NE(nullptr, strip.GetLightBitmap());
    ASSERT_TRUE(strip.RenderImage(&canvas.Dc(), 0, 0, 0, FALSE, FALSE, FALSE, FALSE, TRUE));
    COLORREF faded = canvas.Pixel(2, 2);
    ASSERT_TRUE(strip.RenderImage(&canvas.Dc(), 0, 0, 0));
    strip.FinishDrawing(ds);
    EXPECT_EQ(RGB(0, 0, 128), canvas.Pixel(2, 2));
    EXPECT_GT(GetRValue(faded) + GetGValue(faded) + GetBValue(faded), 128);
}

// --- Colour transforms ---------------------------------------------------

TEST(ToolBarImagesColorTest, ClassicColoursMapToTheSystemColoursBothWays)
{
    struct Case {
        COLORREF classic;
        int index;
    } cases[] = {{RGB(0, 0, 0), COLOR_BTNTEXT},
                 {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
                 {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
                 {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT}};
    for (const Case& c : cases) {
        COLORREF system = g_uiEnvironment.GetSysColorCached(c.index);
        EXPECT_EQ(system, CZUDPToolBarImages::StdColorToSysColor(c.classic)) << c.index;
        COLORREF quad = RGB(GetBValue(system), GetGValue(system), GetRValue(system));
        EXPECT_EQ(quad, CZUDPToolBarImages::StdColorToSysColor(c.classic, TRUE)) << c.index;
    }
    for (COLORREF other : {RGB(0x81, 0x80, 0x80), RGB(0xC0, 0xC0, 0xC1), RGB(1, 0, 0), RGB(12, 34, 56)})
        EXPECT_EQ(other, CZUDPToolBarImages::StdColorToSysColor(other)) << std::hex << other;
    // Back again: the first classic colour whose system colour matches.
    for (const Case& c : cases) {
        COLORREF system = g_uiEnvironment.GetSysColorCached(c.index);
        COLORREF expected = c.classic;
        for (const Case& earlier : cases) {
            if (g_uiEnvironment.GetSysColorCached(earlier.index) == system) {
                expected = earlier.classic;
                break;
            }
        }
        EXPECT_EQ(expected, CZUDPToolBarImages::SysColorToStdColor(system)) << c.index;
    }
    EXPECT_EQ(RGB(1, 2, 3), CZUDPToolBarImages::SysColorToStdColor(RGB(1, 2, 3)));
}

TEST(ToolBarImagesColorTest, HueRetintMovesNearHuesOnlyAndWrapsAroundTheCircle)
{
    auto hueColor = [](double hue) { return CZUDPColorArithmetic::HlsToRgbUnitHue(hue, 0.5, 1.0); };
    const double hues[] = {0.05, 0.15, 0.3, 0.5};
    CZUDPToolBarImages strip;
    Fill(strip, MakeDib(16, 16, 24, [&](int x, int) { return ArgbOf(hueColor(hues[std::min(x / 4, 3)]), 0); }));
    // From hue 0.1 to hue 0.95: +0.85 wraps 0.15 to 0.0 and 0.05 to 0.9.
    ASSERT_TRUE(strip.RetintByHue(hueColor(0.1), hueColor(0.95)));
    auto hueAt = [&](int x) {
        double h, s, l;
        CZUDPColorArithmetic::RgbToHlsUnitHue(PixelOf(strip.GetImageBitmap(), x, 0), &h, &s, &l);
        return h;
    };
    EXPECT_NEAR(0.9, hueAt(0), 0.01);
    double wrapped = hueAt(4);
    EXPECT_TRUE(wrapped < 0.01 || wrapped > 0.99) << wrapped;
    // 0.2 or more away from the from colour's hue: untouched.
    EXPECT_EQ(hueColor(0.3), PixelOf(strip.GetImageBitmap(), 8, 0));
    EXPECT_EQ(hueColor(0.5), PixelOf(strip.GetImageBitmap(), 12, 0));

    // Below hue 0 the hue comes round from 1, not to a stop at 0 (red).
    CZUDPToolBarImages under;
    Fill(under, MakeDib(16, 16, 24, [&](int, int) { return ArgbOf(hueColor(0.05), 0); }));
    ASSERT_TRUE(under.RetintByHue(hueColor(0.1), hueColor(0.0)));
    double h, s, l;
    CZUDPColorArithmetic::RgbToHlsUnitHue(PixelOf(under.GetImageBitmap(), 3, 3), &h, &s, &l);
    EXPECT_NEAR(0.95, h, 0.01);

    // Premultiplied colour above its alpha (bad data) never comes back
    // above it.
    CZUDPToolBarImages alpha;
    Fill(alpha, MakeDib(16, 16, 32, [](int, int) { return Argb(100, 200, 40, 0); }));
    ASSERT_TRUE(alpha.RetintByHue(RGB(255, 60, 0), RGB(0, 60, 255)));
    uint32_t p = RawPixel(alpha.GetImageBitmap(), 3, 3);
    EXPECT_EQ(100u, p >> 24);
    for (int shift : {0, 8, 16})
        EXPECT_LE((p >> shift) & 0xFF, 100u) << shift;
}

TEST(ToolBarImagesColorTest, GreyPercentBelowOneActsAs130)
{
    auto greyed = [](int percent) {
        auto strip = std::make_unique<CZUDPToolBarImages>();
        Fill(*strip, MakeDib(16, 16, 32, [](int x, int) { return Argb(255, 40 + x * 8, 90, 20); }));
        EXPECT_TRUE(strip->ConvertToGray(percent));
        return strip;
    };
    auto zero = greyed(0), standard = greyed(130), plain = greyed(100);
    for (int x = 0; x < 16; ++x) {
        uint32_t p = RawPixel(zero->GetImageBitmap(), x, 0);
        EXPECT_EQ(p, RawPixel(standard->GetImageBitmap(), x, 0)) << x;
        EXPECT_EQ((p >> 16) & 0xFF, p & 0xFF) << x;  // grey
    }
    EXPECT_NE(RawPixel(zero->GetImageBitmap(), 8, 0), RawPixel(plain->GetImageBitmap(), 8, 0));
    EXPECT_TRUE(zero->IsGreyed());
}

TEST(ToolBarImagesColorTest, MirroringTurnsEachCellInPlace)
{
    for (int bits : {32, 24}) {
        CZUDPToolBarImages strip;
        // Cell c: pixel x of the cell holds c * 16 + x in its blue byte.
        Fill(strip, MakeDib(48, 2, bits, [](int x, int) { return Argb(255, 0, 0, x); }), CSize(16, 2));
        ASSERT_TRUE(strip.MirrorAll());
        for (int cell = 0; cell < 3; ++cell)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(RGB(0, 0, cell * 16 + 15 - x), PixelOf(strip.GetImageBitmap(), cell * 16 + x, 1))
                    << bits << " cell " << cell << " x " << x;
    }
    HBITMAP none = nullptr;
    EXPECT_TRUE(CZUDPToolBarImages::MirrorBitmap(none, 16));
}

TEST(ToolBarImagesColorTest, FlippingTurnsEachStackedCellUpsideDown)
{
    for (int bits : {32, 24}) {
        HBITMAP column = MakeDib(2, 8, bits, [](int, int y) { return Argb(255, 0, 0, y * 10); });
        ASSERT_TRUE(CZUDPToolBarImages::FlipBitmapVertically(column, 4));
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(RGB(0, 0, ((y / 4) * 4 + 3 - y % 4) * 10), PixelOf(column, 1, y)) << bits << " " << y;
        ::DeleteObject(column);
    }
}

TEST(ToolBarImagesColorTest, LightCopyOnlyForFewColoursUnlessAskedForAll)
{
    COLORREF palette[16] = {RGB(0, 0, 128), RGB(255, 255, 255)};
    CZUDPToolBarImages four;
    Fill(four, MakeDib4(16, 16, palette, [](int, int) { return 0; }));
    EXPECT_TRUE(four.RebuildDerivedImage(FALSE));
    EXPECT_NE(nullptr, four.GetLightBitmap());

    CZUDPToolBarImages deep;
    Fill(deep, MakeDib(16, 16, 24, [](int, int) { return 0x000080u; }));
    EXPECT_FALSE(deep.RebuildDerivedImage(FALSE));
    EXPECT_EQ(nullptr, deep.GetLightBitmap());
    deep.SetLightForAllDepths(TRUE);
    EXPECT_TRUE(deep.RebuildDerivedImage(FALSE));
    ASSERT_NE(nullptr, deep.GetLightBitmap());
    COLORREF light = PixelOf(deep.GetLightBitmap(), 3, 3);
    EXPECT_GT(GetBValue(light), 0x80);

    // The shadow copy paints every image pixel one flat colour, keyed
    // pixels stay.
    CZUDPToolBarImages keyed;
    Fill(keyed, MakeDib(16, 16, 24, [](int x, int) { return x < 8 ? 0xFF00FFu : 0x123456u; }));
    keyed.SetTransparentColor(kMagenta);
    ASSERT_TRUE(keyed.RebuildDerivedImage(TRUE));
    EXPECT_EQ(kMagenta, PixelOf(keyed.GetShadowBitmap(), 2, 2));
    EXPECT_EQ(CZUDPColorArithmetic::ScaleColorPercent(g_uiEnvironment.m_colorButtonShadow, 67),
              PixelOf(keyed.GetShadowBitmap(), 12, 2));
}

TEST(ToolBarImagesColorTest, PremultiplyingOnceAndOnlyWhenNeeded)
{
    struct Case {
        uint32_t pixel;
        BOOL check;
        uint32_t expected;
    } cases[] = {
        {Argb(128, 255, 0, 0), FALSE, Argb(128, 128, 0, 0)},
        {Argb(128, 255, 0, 0), TRUE, Argb(128, 128, 0, 0)},    // colour above alpha: not yet premultiplied
        {Argb(128, 100, 50, 0), TRUE, Argb(128, 100, 50, 0)},  // already premultiplied: unchanged
        {Argb(128, 100, 50, 0), FALSE, Argb(128, 50, 25, 0)},
        {Argb(0, 255, 255, 255), FALSE, 0u},
    };
    for (const Case& c : cases) {
        HBITMAP bitmap = MakeDib(2, 2, 32, [&](int, int) { return c.pixel; });
        EXPECT_TRUE(CZUDPToolBarImages::ApplyAlphaToColors(bitmap, c.check));
        EXPECT_EQ(c.expected, RawPixel(bitmap, 1, 1)) << std::hex << c.pixel << " " << c.check;
        ::DeleteObject(bitmap);
    }
    HBITMAP deep = MakeDib(2, 2, 24, [](int, int) { return 0u; });
    EXPECT_FALSE(CZUDPToolBarImages::ApplyAlphaToColors(deep));
    ::DeleteObject(deep);
}

} // namespace
