#pragma once
// Helpers of the visual manager's drawing tests: where a colour lies on a
// canvas and how often, and tables of drawing cases.  The palette of
// distinct system colours is tests/common/ui/DistinctColours.h.
#include "tests/common/ui/DistinctColours.h"
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
