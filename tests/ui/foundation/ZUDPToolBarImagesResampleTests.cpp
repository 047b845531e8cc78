// Rescaling image strips: new sizes, which strips are refused, cells that
// keep to themselves, colour keys turned into alpha, stacked images, and a
// strip that stays as it was when the new bitmap cannot be made.
#include "res/ui/foundation.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPToolBarImages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kResampleKey = RGB(255, 0, 255);
const COLORREF kCellColours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220)};

// A DIB section of the depth, width x height, every pixel from the function
// (x, y) -> colour; 8-bit sections get a palette holding those colours.
template <typename Paint>
HBITMAP MakeResampleDib(int width, int height, int bits, Paint paint)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(bits);
    info.header.biCompression = BI_RGB;
    std::vector<COLORREF> palette;
    if (bits == 8) {
        palette = {kResampleKey, kCellColours[0], kCellColours[1], kCellColours[2], RGB(255, 255, 255)};
        for (size_t i = 0; i < palette.size(); ++i)
            info.colours[i] = RGBQUAD{GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
        info.header.biClrUsed = DWORD(palette.size());
    }
    void* bitsOut = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bitsOut,
                                        nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    const int stride = (width * bits + 31) / 32 * 4;
    BYTE* rows = static_cast<BYTE*>(bitsOut);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = paint(x, y);
            BYTE* p = rows + y * stride;
            if (bits == 8) {
                for (size_t i = 0; i < palette.size(); ++i)
                    if (palette[i] == c)
                        p[x] = BYTE(i);
            } else {
                const int bytes = bits / 8;
                p[x * bytes + 0] = GetBValue(c);
                p[x * bytes + 1] = GetGValue(c);
                p[x * bytes + 2] = GetRValue(c);
                if (bytes == 4)
                    p[x * bytes + 3] = 255;
            }
        }
    return bitmap;
}

// Three 16 x 15 cells side by side, each one colour with a 4 x 4 block of
// the key colour in its top-left corner.
COLORREF StripPixel(int x, int y)
{
    if (x % 16 < 4 && y < 4)
        return kResampleKey;
    return kCellColours[(x / 16) % 3];
}

// A strip built from a bitmap of the depth (appended, taking its depth).
void FillTestStrip(CZUDPToolBarImages& strip, int bits, int width = 48, int height = 15, COLORREF key = kResampleKey)
{
    strip.SetImageSize(CSize(16, 15));
    HBITMAP bitmap = MakeResampleDib(width, height, bits, StripPixel);
    ASSERT_NE(nullptr, bitmap);
    ASSERT_GE(strip.AppendBitmap(bitmap, TRUE), 0);
    ::DeleteObject(bitmap);
    strip.SetTransparentColor(key);
}

// Pixel (x, y) of a 32-bit DIB section, counted from the top, as 0xAARRGGBB.
DWORD RawPixelOf(HBITMAP bitmap, int x, int y)
{
    DIBSECTION section = {};
    if (::GetObjectA(bitmap, sizeof(section), &section) != int(sizeof(section)) || section.dsBm.bmBitsPixel != 32)
        return 0xDEADBEEF;
    const int height = section.dsBm.bmHeight;
    const bool bottomUp = section.dsBmih.biHeight > 0;
    const DWORD* rows = static_cast<const DWORD*>(section.dsBm.bmBits);
    return rows[size_t(bottomUp ? height - 1 - y : y) * size_t(section.dsBm.bmWidth) + size_t(x)];
}

DWORD Opaque(COLORREF c)
{
    return 0xFF000000 | (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) | GetBValue(c);
}

CSize BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof(info), &info);
    return CSize(info.bmWidth, info.bmHeight);
}

TEST(ResampleByScaleTest, NewSizesAndWhatIsRefused)
{
    struct Case {
        const char* what;
        int bits;
        double factor;
        BOOL result;
        CSize image;
        double scale;
    } cases[] = {
        {"16 x 15 by 1.25", 24, 1.25, TRUE, CSize(20, 19), 1.25},
        {"32-bit strip by 1.5", 32, 1.5, TRUE, CSize(24, 23), 1.5},
        {"halved", 24, 0.5, TRUE, CSize(8, 8), 0.5},
        {"by 2", 24, 2.0, TRUE, CSize(32, 30), 2.0},
        {"by 1: nothing to do", 24, 1.0, TRUE, CSize(16, 15), 1.0},
        {"a factor that keeps the size", 24, 1.01, TRUE, CSize(16, 15), 1.0},
        {"a factor that leaves nothing", 24, 0.01, TRUE, CSize(16, 15), 1.0},
        {"by 0", 24, 0.0, FALSE, CSize(16, 15), 1.0},
        {"negative", 24, -2.0, FALSE, CSize(16, 15), 1.0},
        {"8-bit strip", 8, 1.5, FALSE, CSize(16, 15), 1.0},
        {"a bitmap too large to make", 24, 30000.0, FALSE, CSize(16, 15), 1.0},
    };
    for (const Case& c : cases) {
        CZUDPToolBarImages strip;
        FillTestStrip(strip, c.bits);
        const HBITMAP before = strip.GetImageBitmap();
        EXPECT_EQ(c.result, strip.ResampleByScale(c.factor)) << c.what;
        EXPECT_EQ(c.image, strip.GetImageSize()) << c.what;
        EXPECT_DOUBLE_EQ(c.scale, strip.GetScale()) << c.what;
        EXPECT_EQ(3, strip.GetCount()) << c.what;
        if (c.scale == 1.0) {
            EXPECT_EQ(before, strip.GetImageBitmap()) << c.what << ": the strip is as it was";
            EXPECT_EQ(kResampleKey, strip.GetTransparentColor()) << c.what;
        } else {
            EXPECT_EQ(CSize(c.image.cx * 3, c.image.cy), BitmapSize(strip.GetImageBitmap())) << c.what;
            EXPECT_EQ(32, strip.GetBitsPerPixel()) << c.what;
            EXPECT_EQ(CSize(16, 15), strip.GetUnscaledImageSize()) << c.what;
            EXPECT_EQ((COLORREF)-1, strip.GetTransparentColor()) << c.what << ": alpha replaces the key";
        }
    }
}

TEST(ResampleByScaleTest, CellsKeepToThemselvesAndTheKeyBecomesAlpha)
{
    for (double factor : {1.25, 0.75}) {
        CZUDPToolBarImages strip;
        FillTestStrip(strip, 24);
        ASSERT_TRUE(strip.ResampleByScale(factor));
        const CSize cell = strip.GetImageSize();
        const HBITMAP bitmap = strip.GetImageBitmap();
        for (int i = 0; i < 3; ++i) {
            const int left = i * cell.cx;
            EXPECT_EQ(Opaque(kCellColours[i]), RawPixelOf(bitmap, left + cell.cx / 2, cell.cy / 2)) << factor << " " << i;
            // The cell's edges see only the cell itself, never its neighbour.
            EXPECT_EQ(Opaque(kCellColours[i]), RawPixelOf(bitmap, left + cell.cx - 1, cell.cy - 1)) << factor << " " << i;
            EXPECT_EQ(Opaque(kCellColours[i]), RawPixelOf(bitmap, left + cell.cx - 1, 0)) << factor << " " << i;
            EXPECT_LE(RawPixelOf(bitmap, left, 0) >> 24, 8u) << "key corner is transparent: " << factor << " " << i;
        }
        for (int y = 0; y < cell.cy; ++y)
            for (int x = 0; x < cell.cx * 3; ++x) {
                const DWORD p = RawPixelOf(bitmap, x, y);
                const DWORD a = p >> 24;
                ASSERT_LE((p >> 16) & 0xFF, a) << x << "," << y;
                ASSERT_LE((p >> 8) & 0xFF, a) << x << "," << y;
                ASSERT_LE(p & 0xFF, a) << x << "," << y;
            }
    }
}

TEST(ResampleByScaleTest, OneTallImageIsAColumnOfImages)
{
    CZUDPToolBarImages strip;
    strip.SetImageSize(CSize(16, 15));
    HBITMAP bitmap = MakeResampleDib(16, 45, 24, [](int, int y) { return kCellColours[y / 15]; });
    ASSERT_GE(strip.AppendBitmap(bitmap, TRUE), 0);
    ::DeleteObject(bitmap);
    ASSERT_EQ(1, strip.GetCount());
    ASSERT_TRUE(strip.ResampleByScale(2.0));
    EXPECT_EQ(CSize(32, 30), strip.GetImageSize());
    EXPECT_EQ(CSize(32, 90), BitmapSize(strip.GetImageBitmap()));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Opaque(kCellColours[i]), RawPixelOf(strip.GetImageBitmap(), 16, i * 30)) << i;
        EXPECT_EQ(Opaque(kCellColours[i]), RawPixelOf(strip.GetImageBitmap(), 16, i * 30 + 29)) << i;
    }
}

TEST(ResampleByScaleTest, RescalingTwiceKeepsTheFirstUnscaledSize)
{
    CZUDPToolBarImages strip;
    FillTestStrip(strip, 24);
    ASSERT_TRUE(strip.ResampleByScale(2.0));
    ASSERT_TRUE(strip.ResampleByScale(0.5));
    EXPECT_EQ(CSize(16, 15), strip.GetImageSize());
    EXPECT_EQ(CSize(16, 15), strip.GetUnscaledImageSize());
    EXPECT_DOUBLE_EQ(1.0, strip.GetScale());
}

TEST(ResampleByScaleTest, RemovingTheImagesRestoresSizeAndScale)
{
    CZUDPToolBarImages strip;
    FillTestStrip(strip, 24);
    ASSERT_TRUE(strip.ResampleByScale(1.5));
    strip.RemoveAllImages();
    EXPECT_EQ(CSize(16, 15), strip.GetImageSize());
    EXPECT_DOUBLE_EQ(1.0, strip.GetScale());
    EXPECT_FALSE(strip.ResampleByScale(1.5)) << "nothing to rescale";
}

TEST(ResampleByScaleTest, ReloadRestoresTheKeyOfBeforeTheFirstRescale)
{
    // Rescaled twice: the key and size of before the first rescale are the
    // ones a reload brings back, not the "none" the first rescale left.
    CZUDPToolBarImages strip;
    strip.SetImageSize(CSize(9, 9));
    ASSERT_TRUE(strip.LoadFromResourceId(IDB_ZUDP_MENU_GLYPHS_HICOLOR));
    strip.SetTransparentColor(kResampleKey);
    ASSERT_TRUE(strip.ResampleByScale(2.0));
    ASSERT_TRUE(strip.ResampleByScale(1.5));
    EXPECT_EQ(CSize(27, 27), strip.GetImageSize());
    EXPECT_DOUBLE_EQ(3.0, strip.GetScale());
    strip.ReloadForColorChange();
    EXPECT_EQ(CSize(9, 9), strip.GetImageSize());
    EXPECT_EQ(kResampleKey, strip.GetTransparentColor());
    EXPECT_EQ(37, strip.GetCount());
    EXPECT_DOUBLE_EQ(1.0, strip.GetScale());
}

} // namespace
