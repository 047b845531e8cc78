// The draw manager's effects, drawn into DIB sections and read back pixel
// by pixel.
#include "ui/foundation/ZUDPDrawManager.h"

#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using foundationtest::Canvas;

namespace {

const COLORREF kStart = RGB(0, 0, 255);
const COLORREF kEnd = RGB(255, 255, 0);

COLORREF BandColor(COLORREF start, COLORREF end, int r)
{
    return RGB((GetRValue(start) * (64 - r) + GetRValue(end) * r) >> 6,
               (GetGValue(start) * (64 - r) + GetGValue(end) * r) >> 6,
               (GetBValue(start) * (64 - r) + GetBValue(end) * r) >> 6);
}

TEST(DrawManagerTest, VerticalGradientWithFlatBands)
{
    Canvas canvas(10, 100);
    CZUDPDrawManager dm(canvas.Dc());
    dm.FillLinearGradient(CRect(0, 0, 10, 100), kStart, kEnd, TRUE, 20, 20);
    for (int y = 0; y < 20; ++y)
        ASSERT_EQ(kEnd, canvas.Pixel(5, y)) << y;
    for (int y = 80; y < 100; ++y)
        ASSERT_EQ(kStart, canvas.Pixel(5, y)) << y;
    // 60 rows in 64 bands: the start colour at the bottom, the last band at
    // the top, colours moving monotonically between.
    EXPECT_EQ(BandColor(kStart, kEnd, 1), canvas.Pixel(5, 79));  // band 0 is empty
    EXPECT_EQ(BandColor(kStart, kEnd, 63), canvas.Pixel(5, 20));
    for (int y = 21; y < 80; ++y)
        ASSERT_LE(GetRValue(canvas.Pixel(5, y)), GetRValue(canvas.Pixel(5, y - 1))) << y;
}

TEST(DrawManagerTest, HorizontalGradientAndOverlappingFlatBands)
{
    Canvas canvas(64, 4);
    CZUDPDrawManager dm(canvas.Dc());
    dm.FillLinearGradient(CRect(0, 0, 64, 4), kStart, kEnd, FALSE);
    // 64 pixels: one band each, start colour on the left.
    for (int x = 0; x < 64; ++x)
        ASSERT_EQ(BandColor(kStart, kEnd, x), canvas.Pixel(x, 1)) << x;

    // Flat parts adding up to more than 100 percent: only the two bands.
    Canvas flats(10, 100, RGB(1, 2, 3));
    CZUDPDrawManager flat(flats.Dc());
    flat.FillLinearGradient(CRect(0, 0, 10, 100), kStart, kEnd, TRUE, 30, 80);
    for (int y = 0; y < 20; ++y)
        ASSERT_EQ(kEnd, flats.Pixel(0, y)) << y;
    for (int y = 20; y < 100; ++y)
        ASSERT_EQ(kStart, flats.Pixel(0, y)) << y;
}

TEST(DrawManagerTest, RightAnglesEqualTheirStraightGradients)
{
    struct Case {
        int angle;
        COLORREF first, second;
        BOOL vertical;
    } cases[] = {{0, kStart, kEnd, FALSE}, {90, kStart, kEnd, TRUE}, {180, kEnd, kStart, FALSE},
                 {270, kEnd, kStart, TRUE}, {360, kStart, kEnd, FALSE}};
    for (const Case& c : cases) {
        Canvas angled(40, 30), straight(40, 30);
        CZUDPDrawManager(angled.Dc()).FillAngleGradient(CRect(0, 0, 40, 30), kStart, kEnd, c.angle);
        CZUDPDrawManager(straight.Dc()).FillLinearGradient(CRect(0, 0, 40, 30), c.first, c.second, c.vertical);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(straight.Pixel(x, y), angled.Pixel(x, y)) << c.angle << " at " << x << "," << y;
    }
}

TEST(DrawManagerTest, SlantedGradientCoversTheWholeRectangle)
{
    Canvas canvas(40, 30, RGB(0, 255, 0));
    CZUDPDrawManager(canvas.Dc()).FillAngleGradient(CRect(0, 0, 40, 30), kStart, kEnd, 45);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_NE(RGB(0, 255, 0), canvas.Pixel(x, y)) << x << "," << y;
    EXPECT_NE(canvas.Pixel(0, 15), canvas.Pixel(39, 15));
}

// Layered windows available or not, for a scope: the drop shadow takes the
// shadow renderer's soft spot where they are (every current system, Wine
// too) and shades pixels layer by layer where they are not.
class LayeredWindows {
public:
    explicit LayeredWindows(BOOL available) : m_saved(g_uiEnvironment.m_layeredWindowsAvailable)
    {
        g_uiEnvironment.m_layeredWindowsAvailable = available;
    }
    ~LayeredWindows() { g_uiEnvironment.m_layeredWindowsAvailable = m_saved; }
    LayeredWindows(const LayeredWindows&) = delete;
    LayeredWindows& operator=(const LayeredWindows&) = delete;

private:
    BOOL m_saved;
};

// The soft spot's pixels (0xAARRGGBB, premultiplied), n by n.
std::vector<DWORD> SpotPixels(int depth, COLORREF base, int minPercent, int maxPercent, int& n)
{
    n = 2 * std::max(depth, 3) + 1;
    HBITMAP spot = CZUDPDrawManager::CreateShadowSpot(depth, base, minPercent, maxPercent);
    std::vector<DWORD> pixels(size_t(n) * n, 0);
    DIBSECTION section = {};
    if (spot != nullptr && ::GetObjectA(spot, sizeof section, &section) == int(sizeof section)) {
        const DWORD* bits = static_cast<const DWORD*>(section.dsBm.bmBits);
        const bool topDown = section.dsBmih.biHeight < 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                pixels[size_t(y) * n + x] = bits[size_t(topDown ? y : n - 1 - y) * n + x];
    }
    if (spot != nullptr)
        ::DeleteObject(spot);
    return pixels;
}

// What a drop shadow drawn from the spot makes of a canvas of one colour:
// the spot cut at m = max(depth, 3) into corners of m by m and sides
// stretched from its middle row or column, laid on the rectangle moved down
// by the depth and sideways (right, or left) by it; only the pieces of the
// shadow's side, the bottom and the three corners next to them, each
// blended over the background.
COLORREF ExpectedSpotShadow(int x, int y, const CRect& rect, int depth, bool rightShadow, const std::vector<DWORD>& spot,
                            int n, COLORREF background)
{
    const int m = std::max(depth, 3);
    const CRect pieces = rect + CPoint(rightShadow ? depth : -depth, depth);
    if (!pieces.PtInRect(CPoint(x, y)))
        return background;
    const int rx = x - pieces.left, ry = y - pieces.top;
    const int column = rx < m ? 0 : rx >= pieces.Width() - m ? 2 : 1;
    const int row = ry < m ? 0 : ry >= pieces.Height() - m ? 2 : 1;
    const bool drawn = row == 2 ? true : rightShadow ? column == 2 : column == 0;
    if (!drawn || (row == 1 && column == 1))
        return background;
    const int sx = column == 0 ? rx : column == 2 ? n - (pieces.Width() - rx) : m;
    const int sy = row == 0 ? ry : row == 2 ? n - (pieces.Height() - ry) : m;
    const DWORD source = spot[size_t(sy) * n + sx];
    const int alpha = int(source >> 24);
    auto blend = [&](int shift, int channel) { return int((source >> shift) & 0xFF) + channel * (255 - alpha) / 255; };
    return RGB(blend(16, GetRValue(background)), blend(8, GetGValue(background)), blend(0, GetBValue(background)));
}

TEST(DrawManagerTest, DropShadowWithLayeredWindowsIsTheSoftSpotCutIntoPieces)
{
    LayeredWindows layered(TRUE);
    const COLORREF background = RGB(250, 240, 230);
    const CRect rect(14, 12, 50, 40);
    struct Case {
        const char* name;
        int depth, outer, inner;
        COLORREF base;
        BOOL right;
    } cases[] = {
        {"menu shadow", 6, 100, 65, (COLORREF)-1, TRUE},
        {"deep and dark, given colour", 8, 90, 20, RGB(0, 40, 80), TRUE},
        {"on the left", 6, 100, 65, (COLORREF)-1, FALSE},
        {"shallower than the spot's corners", 2, 100, 75, RGB(60, 60, 60), TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(80, 70, background);
        EXPECT_TRUE(CZUDPDrawManager(canvas.Dc()).DrawDropShadow(rect, c.depth, c.outer, c.inner, nullptr, nullptr,
                                                                 c.base, c.right));
        int n = 0;
        const COLORREF spotBase = c.base == (COLORREF)-1 ? g_uiEnvironment.m_colorBarFace : c.base;
        const std::vector<DWORD> spot = SpotPixels(c.depth, spotBase, 100 - c.outer, 100 - c.inner, n);
        int shaded = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x) {
                const COLORREF expected =
                    ExpectedSpotShadow(x, y, rect, c.depth, c.right != FALSE, spot, n, background);
                ASSERT_TRUE(trovtest::ColorNear(expected, canvas.Pixel(x, y), 1))
                    << x << "," << y << ": expected " << trovtest::ColorText(expected) << ", got "
                    << trovtest::ColorText(canvas.Pixel(x, y));
                shaded += expected != background;
            }
        EXPECT_GT(shaded, 2 * rect.Height()) << "a shadow was expected at all";
    }
}

TEST(DrawManagerTest, DropShadowLayersDarkenByTheirStep)
{
    // Without layered windows the layers are shaded pixel by pixel.  Depth
    // 2 from 100 to 75 percent: step -12, layer 0 at 75 percent and layer 1
    // at 87 percent of the white background.
    LayeredWindows layered(FALSE);
    Canvas canvas(60, 60);
    CZUDPDrawManager dm(canvas.Dc());
    EXPECT_TRUE(dm.DrawDropShadow(CRect(10, 10, 30, 30), 2, 100, 75));
    EXPECT_EQ(RGB(191, 191, 191), canvas.Pixel(30, 20));
    EXPECT_EQ(RGB(221, 221, 221), canvas.Pixel(31, 20));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(32, 20));
    // Inside and left of the rectangle nothing changes.
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20, 20));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(9, 20));

    // On the left the shadow is mirrored.
    Canvas left(60, 60);
    CZUDPDrawManager(left.Dc()).DrawDropShadow(CRect(10, 10, 30, 30), 2, 100, 75, nullptr, nullptr, (COLORREF)-1, FALSE);
    EXPECT_EQ(RGB(191, 191, 191), left.Pixel(10, 20));
    EXPECT_EQ(RGB(221, 221, 221), left.Pixel(9, 20));
    EXPECT_EQ(RGB(255, 255, 255), left.Pixel(29, 20));
}

TEST(DrawManagerTest, DropShadowCachesRepaintTheSameStrips)
{
    for (BOOL available : {TRUE, FALSE}) {
        SCOPED_TRACE(available ? "soft spot" : "shaded layers");
        LayeredWindows layered(available);
        Canvas first(60, 60), second(60, 60);
        CBitmap bottom, side;
        CZUDPDrawManager(first.Dc()).DrawDropShadow(CRect(10, 10, 30, 30), 4, 100, 60, &bottom, &side);
        ASSERT_NE(nullptr, bottom.GetSafeHandle());
        ASSERT_NE(nullptr, side.GetSafeHandle());
        EXPECT_TRUE(CZUDPDrawManager(second.Dc()).DrawDropShadow(CRect(10, 10, 30, 30), 4, 100, 60, &bottom, &side));
        for (int y = 10; y < 34; ++y)
            for (int x = 30; x < 34; ++x)
                ASSERT_EQ(first.Pixel(x, y), second.Pixel(x, y)) << x << "," << y;
        for (int x = 10; x < 34; ++x)
            ASSERT_EQ(first.Pixel(x, 31), second.Pixel(x, 31)) << x;
        EXPECT_NE(RGB(255, 255, 255), first.Pixel(31, 20)) << "a shadow was drawn";
    }
}

TEST(DrawManagerTest, DropShadowOfSmallRectanglesStaysInsideItsArea)
{
    // Rectangles narrower or lower than the depth put some layers outside
    // the shaded area; those pixels are skipped, never written around it.
    const int W = 3, H = 1, D = 6;
    std::vector<DWORD> memory(2000, 0x12345678);
    DWORD* area = memory.data() + 500;
    const size_t pixels = size_t(W + D) * (H + D);
    for (size_t i = 0; i < pixels; ++i)
        area[i] = 0xFFFFFFFF;
    for (int y = -20; y < 40; ++y)
        for (int x = -20; x < 40; ++x)
            CZUDPDrawManager::ShadePixel(area, CSize(W, H), x, y, 50, D);
    for (size_t i = 0; i < 500; ++i)
        ASSERT_EQ(0x12345678u, memory[i]) << i;
    for (size_t i = 500 + pixels; i < memory.size(); ++i)
        ASSERT_EQ(0x12345678u, memory[i]) << i;

    Canvas canvas(40, 40);
    CZUDPDrawManager dm(canvas.Dc());
    struct Case {
        CRect rect;
        int depth;
    } cases[] = {{CRect(10, 10, 13, 11), 6}, {CRect(10, 10, 11, 30), 8}, {CRect(10, 10, 12, 12), 5}};
    for (BOOL available : {TRUE, FALSE}) {
        LayeredWindows layered(available);
        for (const Case& c : cases)
            EXPECT_TRUE(dm.DrawDropShadow(c.rect, c.depth, 100, 40));
    }
}

TEST(DrawManagerTest, TintAnswers)
{
    Canvas canvas(20, 20, RGB(200, 100, 50));
    CZUDPDrawManager dm(canvas.Dc());
    EXPECT_TRUE(dm.TintRect(CRect(0, 0, 20, 20), 100));
    EXPECT_EQ(RGB(200, 100, 50), canvas.Pixel(5, 5));
    EXPECT_FALSE(dm.TintRect(CRect(0, 0, 20, 20), 150, (COLORREF)-1, 0, RGB(255, 255, 255)));
    EXPECT_EQ(RGB(200, 100, 50), canvas.Pixel(5, 5));
    EXPECT_TRUE(dm.TintRect(CRect(0, 0, 10, 20), 50));
    EXPECT_EQ(RGB(100, 50, 25), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(200, 100, 50), canvas.Pixel(15, 5));
    EXPECT_EQ(0xFF, canvas.Alpha(5, 5));

    // Towards a blend colour, and not past it when the percent is negative.
    canvas.Fill(RGB(10, 100, 200));
    EXPECT_TRUE(dm.TintRect(CRect(0, 0, 20, 20), 50, (COLORREF)-1, 0, RGB(210, 0, 200)));
    EXPECT_EQ(RGB(110, 50, 200), canvas.Pixel(5, 5));
    canvas.Fill(RGB(10, 100, 200));
    EXPECT_TRUE(dm.TintRect(CRect(0, 0, 20, 20), -50, (COLORREF)-1, 0, RGB(255, 255, 0)));
    EXPECT_EQ(RGB(0, 22, 255), canvas.Pixel(5, 5));
}

TEST(DrawManagerTest, TintKeepsTheTransparentColour)
{
    Canvas canvas(20, 20, RGB(200, 100, 50));
    ::SetPixel(canvas.Dc(), 3, 3, RGB(255, 0, 255));
    ::SetPixel(canvas.Dc(), 4, 3, RGB(250, 5, 250));
    CZUDPDrawManager dm(canvas.Dc());
    EXPECT_TRUE(dm.TintRect(CRect(0, 0, 20, 20), 50, RGB(255, 0, 255)));
    EXPECT_EQ(RGB(255, 0, 255), canvas.Pixel(3, 3));
    EXPECT_EQ(RGB(125, 3, 125), canvas.Pixel(4, 3));
    // With a tolerance, near colours are kept too.
    ::SetPixel(canvas.Dc(), 4, 3, RGB(250, 5, 250));
    EXPECT_TRUE(dm.TintRect(CRect(0, 0, 20, 20), 50, RGB(255, 0, 255), 10));
    EXPECT_EQ(RGB(250, 5, 250), canvas.Pixel(4, 3));
}

TEST(DrawManagerTest, TintAndGreyOnPaletteScreensPaintTheLightBrush)
{
    int saved = g_uiEnvironment.m_bitsPerPixel;
    g_uiEnvironment.m_bitsPerPixel = 8;
    Canvas tinted(8, 8, RGB(1, 2, 3)), greyed(8, 8, RGB(1, 2, 3)), light(8, 8, RGB(1, 2, 3));
    EXPECT_TRUE(CZUDPDrawManager(tinted.Dc()).TintRect(CRect(0, 0, 8, 8), 100 + 1));
    EXPECT_TRUE(CZUDPDrawManager(greyed.Dc()).GrayRect(CRect(0, 0, 8, 8), 50));
    g_uiEnvironment.m_bitsPerPixel = saved;
    ::FillRect(light.Dc(), CRect(0, 0, 8, 8), (HBRUSH)g_uiEnvironment.m_brushLight.GetSafeHandle());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(light.Pixel(x, y), tinted.Pixel(x, y));
            ASSERT_EQ(light.Pixel(x, y), greyed.Pixel(x, y));
        }
}

TEST(DrawManagerTest, GreyByLightness)
{
    Canvas canvas(10, 10, RGB(255, 0, 0));
    ::SetPixel(canvas.Dc(), 1, 1, RGB(0, 255, 0));
    CZUDPDrawManager dm(canvas.Dc());
    EXPECT_TRUE(dm.GrayRect(CRect(0, 0, 10, 10), 100, RGB(0, 255, 0)));
    EXPECT_EQ(RGB(127, 127, 127), canvas.Pixel(5, 5));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(1, 1));
    // Percent -1: half-way to the blend colour.
    canvas.Fill(RGB(255, 0, 0));
    EXPECT_TRUE(dm.GrayRect(CRect(0, 0, 10, 10), -1, (COLORREF)-1, RGB(255, 255, 255)));
    EXPECT_EQ(RGB(191, 191, 191), canvas.Pixel(5, 5));
}

TEST(DrawManagerTest, EllipseEdgeIsSymmetric)
{
    for (COLORREF fill : {(COLORREF)-1, RGB(0, 128, 0)}) {
        Canvas canvas(21, 21);
        CZUDPDrawManager(canvas.Dc()).DrawEllipse(CRect(0, 0, 21, 21), fill, RGB(0, 0, 0));
        bool partial = false;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 21; ++x) {
                COLORREF p = canvas.Pixel(x, y);
                auto isClose = [p](COLORREF q) {
                    return std::abs(GetRValue(p) - GetRValue(q)) <= 1 && std::abs(GetGValue(p) - GetGValue(q)) <= 1 &&
                           std::abs(GetBValue(p) - GetBValue(q)) <= 1;
                };
                ASSERT_TRUE(isClose(canvas.Pixel(20 - x, y))) << x << "," << y;
                ASSERT_TRUE(isClose(canvas.Pixel(x, 20 - y))) << x << "," << y;
                ASSERT_TRUE(isClose(canvas.Pixel(y, x))) << x << "," << y << ": " << std::hex << p << " " << canvas.Pixel(y, x);
                if (GetRValue(p) > 0 && GetRValue(p) < 255 && GetGValue(p) != 128)
                    partial = true;
            }
        EXPECT_TRUE(partial) << "an anti-aliased edge has partly covered pixels";
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 0));
        if (fill != (COLORREF)-1)
            EXPECT_EQ(fill, canvas.Pixel(10, 10));
        else
            EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 10));
    }
}

TEST(DrawManagerTest, PixelLineSetsBothEndPoints)
{
    struct Case {
        CPoint from, to;
    } cases[] = {{CPoint(2, 3), CPoint(12, 7)}, {CPoint(12, 7), CPoint(2, 3)}, {CPoint(5, 1), CPoint(5, 9)},
                 {CPoint(1, 9), CPoint(9, 1)}};
    for (const Case& c : cases) {
        Canvas canvas(16, 12);
        CZUDPDrawManager(canvas.Dc()).DrawPixelLine(c.from, c.to, RGB(200, 0, 0));
        EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(c.from.x, c.from.y));
        EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(c.to.x, c.to.y));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(15, 11));
        int set = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x)
                set += canvas.Pixel(x, y) == RGB(200, 0, 0);
        EXPECT_EQ(std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y)) + 1, set);
    }
}

TEST(DrawManagerTest, BoxWithoutFillLeavesItsInside)
{
    Canvas canvas(20, 20, RGB(10, 20, 30));
    CZUDPDrawManager dm(canvas.Dc());
    dm.DrawBox(CRect(2, 2, 12, 12), (COLORREF)-1, RGB(255, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 2));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(11, 7));
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(6, 6));
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(12, 12));
    dm.DrawBox(CRect(2, 2, 12, 12), RGB(0, 0, 255), RGB(255, 0, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(6, 6));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 6));
}

TEST(DrawManagerTest, FlipOnlyInsideTheClipBox)
{
    Canvas canvas(20, 10);
    ::SetPixel(canvas.Dc(), 0, 0, RGB(255, 0, 0));
    CZUDPDrawManager dm(canvas.Dc());
    dm.FlipRect(CRect(0, 0, 10, 10), TRUE);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(9, 0));
    dm.FlipRect(CRect(0, 0, 10, 10), FALSE);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(9, 9));

    CRgn clip;
    clip.CreateRectRgn(0, 0, 15, 10);
    canvas.Dc().SelectClipRgn(&clip);
    dm.FlipRect(CRect(5, 0, 20, 10), TRUE);   // reaches past the clip box
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(9, 9));
    dm.FlipRect(CRect(5, 0, 15, 10), TRUE);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(10, 9));
    canvas.Dc().SelectClipRgn((HRGN) nullptr);
}

TEST(DrawManagerTest, OnGlassEveryWrittenPixelIsOpaque)
{
    CZUDPDrawOnGlass glass;
    Canvas canvas(40, 40, RGB(90, 90, 90));  // alpha 0: glass
    CZUDPDrawManager dm(canvas.Dc());
    auto opaque = [&canvas](const CRect& r) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (canvas.Alpha(x, y) != 0xFF)
                    return false;
        return true;
    };
    dm.FillLinearGradient(CRect(0, 0, 10, 10), kStart, kEnd);
    EXPECT_TRUE(opaque(CRect(0, 0, 10, 10)));
    EXPECT_EQ(0, canvas.Alpha(10, 10));
    dm.FillAngleGradient(CRect(10, 0, 20, 10), kStart, kEnd, 30);
    EXPECT_TRUE(opaque(CRect(10, 0, 20, 10)));
    dm.TintRect(CRect(20, 0, 30, 10), 80);
    EXPECT_TRUE(opaque(CRect(20, 0, 30, 10)));
    dm.GrayRect(CRect(30, 0, 40, 10), 100);
    EXPECT_TRUE(opaque(CRect(30, 0, 40, 10)));
    dm.DrawBox(CRect(0, 10, 10, 20), RGB(1, 1, 1), RGB(2, 2, 2));
    EXPECT_TRUE(opaque(CRect(0, 10, 10, 20)));
    dm.DrawPixelLine(CPoint(10, 15), CPoint(19, 15), RGB(3, 3, 3));
    EXPECT_TRUE(opaque(CRect(10, 15, 20, 16)));
    dm.FillAlphaChannel(CRect(20, 10, 30, 20), 0xFF);
    EXPECT_TRUE(opaque(CRect(20, 10, 30, 20)));
}

TEST(DrawManagerTest, DibSections)
{
    LPVOID bits = reinterpret_cast<LPVOID>(1);
    EXPECT_EQ(nullptr, CZUDPDrawManager::Create32BitDibSection(CSize(0, 10), &bits));
    EXPECT_EQ(nullptr, bits);
    EXPECT_EQ(nullptr, CZUDPDrawManager::Create32BitDibSection(CSize(10, 0), &bits));
    EXPECT_EQ(nullptr, CZUDPDrawManager::Create32BitDibSection(CSize(-3, 10), &bits));
    // A size whose byte count does not fit is refused, not wrapped.
    EXPECT_EQ(nullptr, CZUDPDrawManager::Create32BitDibSection(CSize(0x10000, 0x10000), &bits));
    HBITMAP topDown = CZUDPDrawManager::Create32BitDibSection(CSize(4, -3), &bits);
    ASSERT_NE(nullptr, topDown);
    EXPECT_NE(nullptr, bits);
    DIBSECTION section = {};
    ::GetObjectA(topDown, sizeof(section), &section);
    EXPECT_EQ(32, section.dsBm.bmBitsPixel);
    EXPECT_EQ(48u, section.dsBmih.biSizeImage);
    ::DeleteObject(topDown);
}

TEST(DrawManagerTest, CopyTo32BitGivesAlpha)
{
    // A 24-bit DIB: the key colour becomes transparent, the rest opaque.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP source = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, source);
    BYTE* row = static_cast<BYTE*>(bits);
    row[0] = 255, row[1] = 0, row[2] = 255;  // magenta (BGR)
    row[3] = 10, row[4] = 20, row[5] = 30;
    HBITMAP copy = CZUDPDrawManager::CopyBitmapTo32Bit(source, RGB(255, 0, 255));
    ASSERT_NE(nullptr, copy);
    DIBSECTION section = {};
    ::GetObjectA(copy, sizeof(section), &section);
    const DWORD* pixels = static_cast<const DWORD*>(section.dsBm.bmBits);
    EXPECT_EQ(0u, pixels[0]);
    EXPECT_EQ(0xFF1E140Au, pixels[1]);
    ::DeleteObject(copy);
    ::DeleteObject(source);

    // A 32-bit source keeps its alpha and its row order.
    LPVOID sourceBits = nullptr;
    HBITMAP alphaSource = CZUDPDrawManager::Create32BitDibSection(CSize(1, -2), &sourceBits);
    static_cast<DWORD*>(sourceBits)[0] = 0x80402010;
    static_cast<DWORD*>(sourceBits)[1] = 0xFF000000;
    HBITMAP alphaCopy = CZUDPDrawManager::CopyBitmapTo32Bit(alphaSource, RGB(16, 32, 64));
    ASSERT_NE(nullptr, alphaCopy);
    Canvas probe(1, 2, RGB(0, 0, 0));
    CDC copyDC;
    copyDC.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(copyDC, alphaCopy);
    ::BitBlt(probe.Dc(), 0, 0, 1, 2, copyDC, 0, 0, SRCCOPY);
    ::SelectObject(copyDC, old);
    EXPECT_EQ(0x80402010u, probe.Raw(0, 0));
    EXPECT_EQ(0xFF000000u, probe.Raw(0, 1));
    ::DeleteObject(alphaCopy);
    ::DeleteObject(alphaSource);

    // Only DIB sections can be copied.
    HDC screen = ::GetDC(nullptr);
    HBITMAP device = ::CreateCompatibleBitmap(screen, 4, 4);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(nullptr, CZUDPDrawManager::CopyBitmapTo32Bit(device));
    ::DeleteObject(device);
}

TEST(DrawManagerTest, ShadowSpot)
{
    EXPECT_EQ(nullptr, CZUDPDrawManager::CreateShadowSpot(0, 0, 0, 100));
    HBITMAP spot = CZUDPDrawManager::CreateShadowSpot(2, RGB(0, 0, 0), 0, 100);
    ASSERT_NE(nullptr, spot);
    DIBSECTION section = {};
    ::GetObjectA(spot, sizeof(section), &section);
    EXPECT_EQ(7, section.dsBm.bmWidth);  // depth 2 is drawn as depth 3
    EXPECT_EQ(7, section.dsBm.bmHeight);
    const DWORD* pixels = static_cast<const DWORD*>(section.dsBm.bmBits);
    EXPECT_EQ(0xFFu, pixels[3 * 7 + 3] >> 24);  // the centre at the maximum
    EXPECT_EQ(0u, pixels[0] >> 24);             // corners outside the disc
    EXPECT_LT(pixels[3 * 7 + 0] >> 24, pixels[3 * 7 + 2] >> 24);
    ::DeleteObject(spot);
}

// Tint by a percentage gives every byte of every channel what the colour
// function gives it, however many pixels are worked on at once.
TEST(DrawManagerTest, TintOfEveryByteFollowsTheColourFunction)
{
    for (int percent : {0, 50, 70, 80, 130, 200, 300}) {
        SCOPED_TRACE(percent);
        Canvas canvas(256, 1);
        for (int x = 0; x < 256; ++x)
            canvas.Bits()[x] = CZUDPDrawManager::PixelFromColor(RGB(x, (x + 85) % 256, (x + 170) % 256), 0);
        EXPECT_TRUE(CZUDPDrawManager(canvas.Dc()).TintRect(CRect(0, 0, 256, 1), percent));
        const double f = percent / 100.0;
        for (int x = 0; x < 256; ++x) {
            const COLORREF expected = CZUDPColorArithmetic::MultiplyColorChannels(
                RGB(x, (x + 85) % 256, (x + 170) % 256), f, f, f);
            ASSERT_EQ(CZUDPDrawManager::PixelFromColor(expected), canvas.Raw(x, 0)) << x;
        }
    }
}

// Grey gives every pair of largest and smallest channel the grey of the
// colour model's lightness, however many pixels are worked on at once.
TEST(DrawManagerTest, GreyOfEveryChannelPairFollowsTheColourModel)
{
    for (int percent : {100, 60, -1}) {
        SCOPED_TRACE(percent);
        Canvas canvas(256, 256);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                canvas.Bits()[y * 256 + x] = CZUDPDrawManager::PixelFromColor(RGB(x, y, (x + y) / 2), 0);
        EXPECT_TRUE(CZUDPDrawManager(canvas.Dc()).GrayRect(CRect(0, 0, 256, 256), percent, (COLORREF)-1,
                                                           RGB(20, 140, 250)));
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                double h, s, l;
                CZUDPColorArithmetic::RgbToHlsUnitHue(RGB(x, y, (x + y) / 2), &h, &s, &l);
                const int grey = GetRValue(CZUDPColorArithmetic::HlsToRgbUnitHue(h, l, 0.0));
                COLORREF expected;
                if (percent == -1)
                    expected = RGB(grey + (20 - grey) / 2, grey + (140 - grey) / 2, grey + (250 - grey) / 2);
                else
                    expected = CZUDPColorArithmetic::MultiplyColorChannels(RGB(grey, grey, grey), percent / 100.0,
                                                                           percent / 100.0, percent / 100.0);
                ASSERT_EQ(CZUDPDrawManager::PixelFromColor(expected), canvas.Raw(x, y)) << x << "," << y;
            }
    }
}

// A 32-bit DIB of either row order, filled with a pattern of varied pixels:
// some of the transparent colour, some with channels of 0, alpha varied.
class PatternSurface {
public:
    static const COLORREF kKey = RGB(255, 0, 255);
    PatternSurface(int width, int height, bool bottomUp) : m_width(width), m_height(height), m_bottomUp(bottomUp)
    {
        m_bitmap = CZUDPDrawManager::Create32BitDibSection(CSize(width, bottomUp ? height : -height),
                                                           reinterpret_cast<LPVOID*>(&m_bits));
        m_dc.CreateCompatibleDC(nullptr);
        m_previous = ::SelectObject(m_dc, m_bitmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                DWORD i = DWORD(y * width + x);
                DWORD pixel = (i * 2654435761u) >> 3;
                if (i % 7 == 0)
                    pixel = 0x00FF00FF;  // the key
                else if (i % 5 == 0)
                    pixel &= 0xFF00FF00;  // blue and red 0
                Raw(x, y) = pixel;
            }
    }
    ~PatternSurface()
    {
        ::SelectObject(m_dc, m_previous);
        ::DeleteObject(m_bitmap);
    }
    CDC& Dc() { return m_dc; }
    DWORD& Raw(int x, int y)
    {
        ::GdiFlush();
        return m_bits[(m_bottomUp ? m_height - 1 - y : y) * m_width + x];
    }

private:
    int m_width, m_height;
    bool m_bottomUp;
    DWORD* m_bits = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    CDC m_dc;
};

// The effects that work on a DIB target's own pixels draw exactly what they
// draw through a copy of the area (forced here by a clip region that is not
// one rectangle), whatever the DIB's row order or the DC's origin.
TEST(DrawManagerTest, InPlaceEffectsEqualTheCopiedOnes)
{
    struct Effect {
        const char* name;
        std::function<void(CZUDPDrawManager&, const CRect&)> draw;
    };
    const Effect effects[] = {
        {"vertical gradient, flat 20/20", [](CZUDPDrawManager& dm, const CRect& r) { dm.FillLinearGradient(r, kStart, kEnd, TRUE, 20, 20); }},
        {"horizontal gradient, flat 10/30", [](CZUDPDrawManager& dm, const CRect& r) { dm.FillLinearGradient(r, kStart, kEnd, FALSE, 10, 30); }},
        {"flat parts over 100", [](CZUDPDrawManager& dm, const CRect& r) { dm.FillLinearGradient(r, kStart, kEnd, TRUE, 55, 46); }},
        {"gradient on glass", [](CZUDPDrawManager& dm, const CRect& r) { CZUDPDrawOnGlass glass; dm.FillLinearGradient(r, kStart, kEnd, TRUE, 55, 46); }},
        {"one colour", [](CZUDPDrawManager& dm, const CRect& r) { dm.FillLinearGradient(r, kEnd, kEnd); }},
        {"tint 80", [](CZUDPDrawManager& dm, const CRect& r) { dm.TintRect(r, 80); }},
        {"tint 70", [](CZUDPDrawManager& dm, const CRect& r) { dm.TintRect(r, 70); }},
        {"tint 130", [](CZUDPDrawManager& dm, const CRect& r) { dm.TintRect(r, 130); }},
        {"tint 80 keeping the key", [](CZUDPDrawManager& dm, const CRect& r) { dm.TintRect(r, 80, PatternSurface::kKey); }},
        {"tint 60 keeping near the key", [](CZUDPDrawManager& dm, const CRect& r) { dm.TintRect(r, 60, PatternSurface::kKey, 40); }},
        {"tint -1", [](CZUDPDrawManager& dm, const CRect& r) { dm.TintRect(r, -1); }},
        {"tint towards a colour", [](CZUDPDrawManager& dm, const CRect& r) { dm.TintRect(r, 50, (COLORREF)-1, 0, RGB(10, 200, 90)); }},
        {"grey 100 keeping the key", [](CZUDPDrawManager& dm, const CRect& r) { dm.GrayRect(r, 100, PatternSurface::kKey); }},
        {"grey 60", [](CZUDPDrawManager& dm, const CRect& r) { dm.GrayRect(r, 60); }},
        {"grey -1", [](CZUDPDrawManager& dm, const CRect& r) { dm.GrayRect(r, -1, (COLORREF)-1, RGB(40, 80, 120)); }},
    };
    const int w = 40, h = 30;
    const CRect rect(3, 2, 37, 27);
    for (const Effect& effect : effects) {
        SCOPED_TRACE(effect.name);
        PatternSurface copied(w, h, false), topDown(w, h, false), bottomUp(w, h, true), moved(w, h, true);
        {
            CRgn clip;
            clip.CreateRectRgn(0, 0, w, h);
            CRgn corner;
            corner.CreateRectRgn(w - 1, h - 1, w, h);
            clip.CombineRgn(&clip, &corner, RGN_DIFF);
            copied.Dc().SelectClipRgn(&clip);
            CZUDPDrawManager dm(copied.Dc());
            effect.draw(dm, rect);
        }
        {
            CZUDPDrawManager dm(topDown.Dc());
            effect.draw(dm, rect);
        }
        {
            CZUDPDrawManager dm(bottomUp.Dc());
            effect.draw(dm, rect);
        }
        {
            ::SetWindowOrgEx(moved.Dc(), 100, -50, nullptr);
            CZUDPDrawManager dm(moved.Dc());
            CRect shifted = rect;
            shifted.OffsetRect(100, -50);
            effect.draw(dm, shifted);
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const DWORD expected = copied.Raw(x, y);
                ASSERT_EQ(expected, topDown.Raw(x, y)) << "top-down at " << x << "," << y;
                ASSERT_EQ(expected, bottomUp.Raw(x, y)) << "bottom-up at " << x << "," << y;
                ASSERT_EQ(expected, moved.Raw(x, y)) << "moved origin at " << x << "," << y;
            }
    }
}

} // namespace
