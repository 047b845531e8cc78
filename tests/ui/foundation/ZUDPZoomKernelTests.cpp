// Rescaling filters and contribution tables: every list stays inside the
// source and sums to 1 (also when the filter is wider than the image), the
// filters are continuous where their pieces meet, and resampled pixels keep
// plain colours and premultiplied alpha intact.
#include "ui/foundation/ZUDPZoomKernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

TEST(ZoomFilterTest, ValuesAtCentreAndContinuityAtJoins)
{
    struct Case {
        const char* name;
        int index;
        double atZero;
        std::vector<double> joins; // where one piece of the function meets the next
    } cases[] = {
        {"box", 0, 1.0, {}},
        {"triangle", 1, 1.0, {1.0}},
        {"Hermite", 2, 1.0, {1.0}},
        {"bell", 3, 0.75, {0.5, 1.5}},
        {"B-spline", 4, 2.0 / 3.0, {1.0, 2.0}},
        {"Lanczos3", 5, 1.0, {3.0}},
        {"Mitchell", 6, 16.0 / 18.0, {1.0, 2.0}},
    };
    for (const Case& c : cases) {
        const ZUDPZoomFilter& filter = g_zoomFilters[c.index];
        EXPECT_NEAR(c.atZero, filter.function(0.0), 1e-12) << c.name;
        EXPECT_EQ(0.0, filter.function(filter.support + 0.01)) << c.name;
        EXPECT_EQ(filter.function(0.7), filter.function(-0.7)) << c.name << " is symmetric";
        for (double join : c.joins) {
            EXPECT_NEAR(filter.function(join - 1e-9), filter.function(join + 1e-9), 1e-6)
                << c.name << " at " << join;
        }
    }
    EXPECT_EQ(1.0, FilterBox(0.5));
    EXPECT_EQ(0.0, FilterBox(-0.5));
    EXPECT_NEAR(0.0, FilterLanczos3(1.0), 1e-15);
    EXPECT_EQ(6, ZUDPZoomMitchell);
    EXPECT_EQ(5, ZUDPZoomLanczos3);
}

// Every list of every table: non-empty, indexes inside the source, no index
// twice, weights adding up to 1.
void ExpectSoundTable(const CZUDPZoomKernel& kernel, int destination, int count, const char* what)
{
    ASSERT_EQ(destination, kernel.GetLength()) << what;
    for (int i = 0; i < destination; ++i) {
        const ZUDPZoomContribution* entries = kernel.GetEntries(i);
        ASSERT_GT(kernel.GetCount(i), 0) << what << " pixel " << i;
        double sum = 0;
        for (int k = 0; k < kernel.GetCount(i); ++k) {
            ASSERT_GE(entries[k].sourceIndex, 0) << what << " pixel " << i;
            ASSERT_LT(entries[k].sourceIndex, count) << what << " pixel " << i;
            for (int m = 0; m < k; ++m)
                ASSERT_NE(entries[m].sourceIndex, entries[k].sourceIndex) << what << " pixel " << i;
            sum += entries[k].weight;
        }
        EXPECT_NEAR(1.0, sum, 1e-12) << what << " pixel " << i;
    }
}

TEST(ZoomKernelTest, EveryListStaysInsideTheSourceAndSumsToOne)
{
    struct Case {
        const char* what;
        int source, destination, filter;
    } cases[] = {
        {"16 to 20, Mitchell", 16, 20, ZUDPZoomMitchell},
        {"15 to 19, Mitchell", 15, 19, ZUDPZoomMitchell},
        {"16 to 8, Lanczos3", 16, 8, ZUDPZoomLanczos3},
        {"16 to 2, Lanczos3: support of 24 pixels on a 16-pixel row", 16, 2, ZUDPZoomLanczos3},
        {"16 to 1, Lanczos3", 16, 1, ZUDPZoomLanczos3},
        {"100 to 3, Lanczos3", 100, 3, ZUDPZoomLanczos3},
        {"1 to 3, Mitchell: one source pixel", 1, 3, ZUDPZoomMitchell},
        {"2 to 7, Mitchell: wider than the image", 2, 7, ZUDPZoomMitchell},
        {"9 to 13, Mitchell (glyph cell at 1.5)", 9, 13, ZUDPZoomMitchell},
        {"3 to 2, box", 3, 2, 0},
        {"5 to 11, box", 5, 11, 0},
        {"7 to 3, triangle", 7, 3, 1},
        {"7 to 12, Hermite", 7, 12, 2},
        {"7 to 4, bell", 7, 4, 3},
        {"2 to 9, B-spline", 2, 9, 4},
        {"same size, Mitchell", 9, 9, ZUDPZoomMitchell},
    };
    for (const Case& c : cases) {
        CZUDPZoomKernel kernel;
        ASSERT_TRUE(kernel.BuildContributions(c.source, c.destination, 0, c.source, c.filter)) << c.what;
        ExpectSoundTable(kernel, c.destination, c.source, c.what);
    }
}

TEST(ZoomKernelTest, FilterWidthFollowsTheRatio)
{
    // Halving with Lanczos3 spreads the filter over 6 source pixels each
    // side (12 in all for a pixel away from the edges); doubling with
    // Mitchell keeps its support of 2 (4 source pixels).
    CZUDPZoomKernel shrink;
    ASSERT_TRUE(shrink.BuildContributions(32, 16, 0, 32, ZUDPZoomLanczos3));
    EXPECT_EQ(12, shrink.GetCount(8));
    EXPECT_EQ(11, shrink.GetEntries(8)[0].sourceIndex);
    EXPECT_EQ(22, shrink.GetEntries(8)[11].sourceIndex);

    CZUDPZoomKernel enlarge;
    ASSERT_TRUE(enlarge.BuildContributions(8, 16, 0, 8, ZUDPZoomMitchell));
    EXPECT_EQ(4, enlarge.GetCount(8));
    EXPECT_EQ(2, enlarge.GetEntries(8)[0].sourceIndex);
    EXPECT_EQ(5, enlarge.GetEntries(8)[3].sourceIndex);
}

TEST(ZoomKernelTest, EdgePixelTakesMirroredWeightsMergedIntoOneEntry)
{
    // Destination pixel 0 of 8 -> 16 (Mitchell, shift -0.25) sees source
    // positions -2, -1, 0, 1; -2 and -1 mirror to 2 and 1, and the weight
    // of mirrored 1 joins the one of the real pixel 1.
    CZUDPZoomKernel kernel;
    ASSERT_TRUE(kernel.BuildContributions(8, 16, 0, 8, ZUDPZoomMitchell));
    ASSERT_EQ(3, kernel.GetCount(0));
    const double w2 = FilterMitchell(1.75), w1 = FilterMitchell(0.75) + FilterMitchell(1.25),
                 w0 = FilterMitchell(0.25);
    const double sum = w0 + w1 + w2;
    const ZUDPZoomContribution* e = kernel.GetEntries(0);
    EXPECT_EQ(2, e[0].sourceIndex);
    EXPECT_NEAR(w2 / sum, e[0].weight, 1e-12);
    EXPECT_EQ(1, e[1].sourceIndex);
    EXPECT_NEAR(w1 / sum, e[1].weight, 1e-12);
    EXPECT_EQ(0, e[2].sourceIndex);
    EXPECT_NEAR(w0 / sum, e[2].weight, 1e-12);
}

TEST(ZoomKernelTest, RefusesEmptyLengthsAndUnknownFilters)
{
    struct Case {
        const char* what;
        int source, destination, count, filter;
    } cases[] = {
        {"no source", 0, 4, 4, 0},      {"no destination", 4, 0, 4, 0},  {"negative destination", 4, -3, 4, 0},
        {"no source pixels", 4, 4, 0, 0}, {"filter -1", 4, 4, 4, -1},      {"filter 7", 4, 4, 4, 7},
    };
    for (const Case& c : cases) {
        CZUDPZoomKernel kernel;
        ASSERT_TRUE(kernel.BuildContributions(4, 8, 0, 4, 1));
        EXPECT_FALSE(kernel.BuildContributions(c.source, c.destination, 0, c.count, c.filter)) << c.what;
        EXPECT_EQ(0, kernel.GetLength()) << c.what << ": the old table is gone";
    }
}

TEST(ZoomKernelTest, OffsetIndexesStayInsideTheWholeRow)
{
    // A kernel for the last 4 pixels of a 6-pixel row: indexes near the far
    // edge mirror inside the row, never past it.
    CZUDPZoomKernel kernel;
    ASSERT_TRUE(kernel.BuildContributions(4, 9, 2, 6, ZUDPZoomMitchell));
    ExpectSoundTable(kernel, 9, 6, "offset 2");
}

// A 32-bit image in memory with premultiplied BGRA pixels.
struct Image {
    int width, height;
    std::vector<uint32_t> pixels;
    Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
    uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    ZUDPPixelView View(bool bottomUp = false)
    {
        return ZUDPPixelView::OfDib(pixels.data(), width, height, 4, bottomUp);
    }
};

// Destination = source resampled with the filter the strips use for this
// direction.
Image Resample(Image& source, int width, int height, bool bottomUp = false)
{
    CZUDPZoomKernel across, down;
    const int filterAcross = width < source.width ? ZUDPZoomLanczos3 : ZUDPZoomMitchell;
    const int filterDown = height < source.height ? ZUDPZoomLanczos3 : ZUDPZoomMitchell;
    EXPECT_TRUE(across.BuildContributions(source.width, width, 0, source.width, filterAcross));
    EXPECT_TRUE(down.BuildContributions(source.height, height, 0, source.height, filterDown));
    Image destination(width, height, 0xDEADBEEF);
    ResampleImage(source.View(bottomUp), destination.View(bottomUp), across, down);
    return destination;
}

TEST(ResampleImageTest, PlainCellsStayExactlyTheirColour)
{
    const uint32_t colours[] = {0xFFFFFFFF, 0xFF000000, 0xFF336699, 0x80402010, 0x00000000};
    const int sizes[][2] = {{20, 19}, {8, 7}, {1, 1}, {48, 45}};
    for (uint32_t colour : colours) {
        Image source(16, 15, colour);
        for (auto& size : sizes) {
            Image out = Resample(source, size[0], size[1]);
            for (uint32_t pixel : out.pixels)
                ASSERT_EQ(colour, pixel) << std::hex << colour << " at " << std::dec << size[0] << "x" << size[1];
        }
    }
}

TEST(ResampleImageTest, ColourNeverExceedsAlphaAtSharpEdges)
{
    // Opaque white and fully transparent squares: the filters' negative
    // lobes overshoot on both sides of every edge.
    Image source(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            source.At(x, y) = ((x / 2 + y / 2) % 2) ? 0xFFFFFFFF : 0x00000000;
    const int sizes[][2] = {{24, 24}, {11, 11}, {5, 31}};
    for (auto& size : sizes) {
        Image out = Resample(source, size[0], size[1]);
        for (uint32_t pixel : out.pixels) {
            const uint32_t alpha = pixel >> 24;
            ASSERT_LE((pixel >> 16) & 0xFF, alpha);
            ASSERT_LE((pixel >> 8) & 0xFF, alpha);
            ASSERT_LE(pixel & 0xFF, alpha);
        }
    }
}

TEST(ResampleImageTest, RowsAreTakenFromTheTopWhicheverWayTheyAreStored)
{
    // A red top half over a blue bottom half, stored top-down and bottom-up:
    // both give the same picture, red on top.
    Image topDown(4, 8, 0xFF0000FF), bottomUp(4, 8, 0xFF0000FF);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            topDown.At(x, y) = 0xFFFF0000;
            bottomUp.At(x, 7 - y) = 0xFFFF0000; // memory row 7 is the top row
        }
    Image a = Resample(topDown, 6, 12), b = Resample(bottomUp, 6, 12, true);
    EXPECT_EQ(0xFFFF0000u, a.At(0, 0));
    EXPECT_EQ(0xFF0000FFu, a.At(0, 11));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(a.At(x, y), b.At(x, 11 - y)) << x << "," << y;
}

TEST(ResampleImageTest, CellOfAStripIsReadOnlyInsideItsOwnView)
{
    // Three 4x4 cells side by side, the middle one grey, the others red; the
    // middle cell shrunk strongly and enlarged never picks up red.
    Image strip(12, 4, 0xFFFF0000);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            strip.At(x, y) = 0xFF808080;
    const ZUDPPixelView cell = strip.View().Sub(4, 0, 4, 4);
    ASSERT_EQ(4, cell.width);
    for (int size : {1, 2, 9}) {
        CZUDPZoomKernel across, down;
        const int filter = size < 4 ? ZUDPZoomLanczos3 : ZUDPZoomMitchell;
        ASSERT_TRUE(across.BuildContributions(4, size, 0, 4, filter));
        ASSERT_TRUE(down.BuildContributions(4, size, 0, 4, filter));
        Image out(size, size);
        ResampleImage(cell, out.View(), across, down);
        for (uint32_t pixel : out.pixels)
            ASSERT_EQ(0xFF808080u, pixel) << "size " << size;
    }
}

TEST(ResampleImageTest, ThreeBytePixelsAreOpaqueExceptTheKey)
{
    // A 5 x 5 24-bit image (rows of 16 bytes): magenta key on the left two
    // columns, blue-grey elsewhere.
    std::vector<BYTE> bits(16 * 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            BYTE* p = &bits[size_t(y) * 16 + size_t(x) * 3];
            if (x < 2)
                p[0] = 0xFF, p[1] = 0x00, p[2] = 0xFF;
            else
                p[0] = 0x90, p[1] = 0x60, p[2] = 0x30;
        }
    const ZUDPPixelView source = ZUDPPixelView::OfDib(bits.data(), 5, 5, 3, false);
    CZUDPZoomKernel across, down;
    ASSERT_TRUE(across.BuildContributions(5, 10, 0, 5, ZUDPZoomMitchell));
    ASSERT_TRUE(down.BuildContributions(5, 10, 0, 5, ZUDPZoomMitchell));

    Image keyed(10, 10), plain(10, 10);
    ResampleImage(source, keyed.View(), across, down, 0x00FF00FF);
    ResampleImage(source, plain.View(), across, down);
    EXPECT_EQ(0u, keyed.At(0, 5)) << "key pixels are fully transparent";
    EXPECT_EQ(0xFF306090u, keyed.At(9, 5)) << "other pixels opaque";
    EXPECT_EQ(0xFFFF00FFu, plain.At(0, 5)) << "without a key, every pixel is opaque";
    EXPECT_EQ(0xFF306090u, plain.At(9, 5));
}

TEST(PixelViewTest, StrideIsRoundedToFourBytesAndSubViewsAreClipped)
{
    std::vector<BYTE> bits(12 * 3);
    ZUDPPixelView view = ZUDPPixelView::OfDib(bits.data(), 3, 3, 3, false);
    EXPECT_EQ(12, view.rowStep);
    ZUDPPixelView up = ZUDPPixelView::OfDib(bits.data(), 3, 3, 3, true);
    EXPECT_EQ(bits.data() + 24, up.firstRow);
    EXPECT_EQ(-12, up.rowStep);
    ZUDPPixelView part = view.Sub(2, 1, 5, 5);
    EXPECT_EQ(1, part.width);
    EXPECT_EQ(2, part.height);
    EXPECT_EQ(bits.data() + 12 + 6, part.firstRow);
    EXPECT_EQ(nullptr, view.Sub(3, 0, 1, 1).firstRow);
    EXPECT_EQ(nullptr, ZUDPPixelView::OfDib(bits.data(), 3, 3, 2, false).firstRow);
}

} // namespace
