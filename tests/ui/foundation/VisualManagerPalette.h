#pragma once
// Helpers of the visual manager's drawing tests: a palette in which every
// global colour differs from every other, so that a pixel names the colour
// that drew it, with the bar colours made to differ from the button colours
// on demand; where a colour lies on a canvas and how often.
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace foundationtest {

// Every system colour the global UI data reads becomes one of its own for
// the scope (none black, white or grey, so glyphs stand out); the real
// colours come back when the scope ends.
class DistinctColours {
public:
    DistinctColours()
        : m_seam(std::make_unique<ScopedSeam<COLORREF(int)>>(g_foundationSeams.sysColor,
                                                             [](int index) { return Colour(index); }))
    {
        g_uiEnvironment.UpdateSysColors();
    }
    ~DistinctColours()
    {
        m_seam.reset();
        g_uiEnvironment.UpdateSysColors();
    }
    DistinctColours(const DistinctColours&) = delete;
    DistinctColours& operator=(const DistinctColours&) = delete;

    static COLORREF Colour(int index) { return RGB(16 + index * 6, 200 - index * 4, 40 + (index * 37) % 150); }

    // The bar set apart from the button set (they are the same system
    // colours otherwise), so that a test sees which set an element chose.
    void SeparateBarColours()
    {
        CZUDPUIEnvironment& env = g_uiEnvironment;
        env.m_colorBarFace = RGB(201, 101, 11);
        env.m_colorBarShadow = RGB(202, 102, 12);
        env.m_colorBarHighlight = RGB(203, 103, 13);
        env.m_colorBarDarkShadow = RGB(204, 104, 14);
        env.m_colorBarLight = RGB(205, 105, 15);
        env.m_colorBarText = RGB(206, 106, 16);
        env.m_brushBarFace.DeleteObject();
        env.m_brushBarFace.CreateSolidBrush(env.m_colorBarFace);
    }

private:
    std::unique_ptr<ScopedSeam<COLORREF(int)>> m_seam;
};

// Where a colour was drawn over a background: the bounds of the pixels of
// exactly that colour.
inline RECT BoundsOf(Canvas& canvas, COLORREF colour)
{
    RECT bounds{canvas.Width(), canvas.Height(), -1, -1};
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) == colour) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    if (bounds.right < 0)
        return RECT{};
    return bounds;
}

inline int CountOf(Canvas& canvas, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            n += canvas.Pixel(x, y) == colour;
    return n;
}

// A table of drawing cases: each draws on a fresh white canvas and names
// the global colour expected at chosen points (null: the canvas untouched).
using EnvColour = COLORREF CZUDPUIEnvironment::*;

struct Point {
    int x, y;
    EnvColour colour;  // null: the canvas is untouched there
};

struct DrawCase {
    const char* name;
    std::function<void(CZUDPVisualManager&, CDC&)> draw;
    std::vector<Point> points;
};

inline void CheckDrawCases(CZUDPVisualManager& manager, const std::vector<DrawCase>& cases, int width, int height)
{
    for (const DrawCase& c : cases) {
        Canvas canvas(width, height);
        c.draw(manager, canvas.Dc());
        for (const Point& p : c.points) {
            const COLORREF expected = p.colour ? g_uiEnvironment.*p.colour : RGB(255, 255, 255);
            EXPECT_EQ(expected, canvas.Pixel(p.x, p.y)) << c.name << " at " << p.x << "," << p.y;
        }
    }
}

} // namespace foundationtest
