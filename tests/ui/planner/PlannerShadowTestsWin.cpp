// The boxes' shadow written into the surface's pixels against the draw
// manager's shadow on the same picture: every pixel within one step per
// channel, whatever the box's size, the DC's clip and origin.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/common/DrawingTest.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/planner/PlannerShadow.h"

namespace {

const int kShadowCanvasWidth = 120;
const int kShadowCanvasHeight = 90;

// A 32-bit DIB section in a memory DC, its rows top first or bottom first
// in memory, painted with a background of many colours so that the blend
// shows on each channel.
class ShadowCanvas {
public:
    explicit ShadowCanvas(bool bottomUp) : m_bottomUp(bottomUp)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kShadowCanvasWidth;
        info.bmiHeader.biHeight = bottomUp ? kShadowCanvasHeight : -kShadowCanvasHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_dc = ::CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc, m_bitmap);
        PaintStripes();
    }
    ~ShadowCanvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    ShadowCanvas(const ShadowCanvas&) = delete;
    ShadowCanvas& operator=(const ShadowCanvas&) = delete;

    bool IsValid() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    uint32_t& At(int x, int y) const
    {
        return m_bits[(m_bottomUp ? kShadowCanvasHeight - 1 - y : y) * kShadowCanvasWidth + x];
    }
    void PaintStripes()
    {
        ::GdiFlush();
        for (int y = 0; y < kShadowCanvasHeight; ++y)
            for (int x = 0; x < kShadowCanvasWidth; ++x)
                At(x, y) = 0xFF000000u | uint32_t((x * 7) & 0xFF) << 16 | uint32_t((y * 11) & 0xFF) << 8 |
                           uint32_t(((x + y) * 5) & 0xFF);
    }

private:
    bool m_bottomUp;
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

struct ShadowCase {
    const char* name;
    CRect box;
    int depth;
    int inner;
    CRect clip;        // empty: no clip
    CRect clipHole;    // empty: none; else cut out of the clip
    CPoint origin;     // viewport origin
};

// The first pixel further apart than one step, as text; empty when none.
std::string FirstDifference(const ShadowCanvas& expected, const ShadowCanvas& actual)
{
    ::GdiFlush();
    for (int y = 0; y < kShadowCanvasHeight; ++y)
        for (int x = 0; x < kShadowCanvasWidth; ++x) {
            const uint32_t a = expected.At(x, y);
            const uint32_t b = actual.At(x, y);
            for (int shift = 0; shift < 32; shift += 8)
                if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 1) {
                    char text[96];
                    std::snprintf(text, sizeof text, "(%d, %d): %08x against %08x", x, y, unsigned(a),
                                  unsigned(b));
                    return text;
                }
        }
    return std::string();
}

void ApplyCase(HDC dc, const ShadowCase& c)
{
    ::SetViewportOrgEx(dc, c.origin.x, c.origin.y, nullptr);
    if (!c.clip.IsRectEmpty()) {
        HRGN region = ::CreateRectRgnIndirect(&c.clip);
        if (!c.clipHole.IsRectEmpty()) {
            HRGN hole = ::CreateRectRgnIndirect(&c.clipHole);
            ::CombineRgn(region, region, hole, RGN_DIFF);
            ::DeleteObject(hole);
        }
        ::SelectClipRgn(dc, region);   // device pixels
        ::DeleteObject(region);
    }
}

TEST(PlannerShadowTest, PixelsMatchTheDrawManagersShadow)
{
    const ShadowCase cases[] = {
        {"plain box", CRect(10, 10, 60, 50), 5, 70, CRect(), CRect(), CPoint()},
        {"rounded box's deeper shadow", CRect(10, 10, 60, 50), 8, 50, CRect(), CRect(), CPoint()},
        {"week box", CRect(10, 10, 90, 30), 5, 75, CRect(), CRect(), CPoint()},
        {"lower than the corners", CRect(20, 20, 80, 26), 5, 70, CRect(), CRect(), CPoint()},
        {"narrower than the corners", CRect(20, 20, 26, 70), 8, 50, CRect(), CRect(), CPoint()},
        {"smaller than the corners both ways", CRect(20, 20, 24, 23), 5, 70, CRect(), CRect(), CPoint()},
        {"one pixel", CRect(30, 30, 31, 31), 5, 70, CRect(), CRect(), CPoint()},
        {"clipped by a rectangle", CRect(10, 10, 60, 50), 5, 70, CRect(0, 0, 58, 52), CRect(), CPoint()},
        {"clipped by a region with a hole", CRect(10, 10, 60, 50), 8, 50, CRect(0, 0, 120, 90),
         CRect(55, 30, 64, 40), CPoint()},
        {"moved origin", CRect(10, 10, 60, 50), 5, 70, CRect(), CRect(), CPoint(17, -4)},
        {"moved origin and clip", CRect(10, 10, 60, 50), 5, 70, CRect(20, 0, 70, 60), CRect(), CPoint(9, 6)},
        {"past the surface's corner", CRect(80, 50, 118, 88), 5, 70, CRect(), CRect(), CPoint()},
        {"before the surface's corner", CRect(-30, -20, 10, 8), 8, 50, CRect(), CRect(), CPoint()},
    };
    for (const bool bottomUp : {false, true})
        for (const ShadowCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (bottomUp ? ", rows bottom first" : ", rows top first"));
            ShadowCanvas expected(bottomUp);
            ShadowCanvas actual(bottomUp);
            ASSERT_TRUE(expected.IsValid() && actual.IsValid());
            ApplyCase(expected.Dc(), c);
            ApplyCase(actual.Dc(), c);

            CDC expectedDC;
            expectedDC.Attach(expected.Dc());
            CZUDPDrawManager(expectedDC).DrawDropShadow(c.box, c.depth, 100, c.inner, nullptr, nullptr,
                                                         (COLORREF)-1, TRUE);
            expectedDC.Detach();
            CDC actualDC;
            actualDC.Attach(actual.Dc());
            EXPECT_TRUE(PlannerShadow::DrawInPixels(&actualDC, c.box, c.depth, c.inner));
            actualDC.Detach();
            EXPECT_EQ(FirstDifference(expected, actual), "");
            // The shadow was there to compare (a box smaller than the
            // spot's corners both ways has none).
            const bool cornersOnly = c.box.Width() < 2 * c.depth && c.box.Height() < 2 * c.depth;
            actual.PaintStripes();
            EXPECT_EQ(FirstDifference(expected, actual) != "", !cornersOnly);
        }
}

TEST(PlannerShadowTest, SurfacesWithoutReachablePixelsAreLeftToTheDrawManager)
{
    // A device-dependent bitmap: its pixels are not the program's.
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 50, 50);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    CDC dc;
    dc.Attach(memory);
    EXPECT_FALSE(PlannerShadow::DrawInPixels(&dc, CRect(5, 5, 30, 30), 5, 70));
    dc.Detach();
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);

    // A scaled mapping.
    trovtest::DibCanvas canvas(40, 40);
    ::SetMapMode(canvas.Dc(), MM_LOMETRIC);
    CDC scaled;
    scaled.Attach(canvas.Dc());
    EXPECT_FALSE(PlannerShadow::DrawInPixels(&scaled, CRect(5, 5, 30, 30), 5, 70));
    scaled.Detach();
    ::SetMapMode(canvas.Dc(), MM_TEXT);
}

} // namespace
