#pragma once
// The one palette of the library's drawing tests: every system colour the
// global UI data reads becomes one of its own for the scope, so that a pixel
// names the colour that drew it (the highlight differs from the canvas, the
// shadow from the dark shadow, and none is black, white or grey, so glyphs
// stand out).  The real colours come back when the scope ends.
//
//   uitest::DistinctColours colours;
//   ... draw ...
//   EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(x, y));
#include "framework/Seam.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <memory>

namespace uitest {

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

    // The colour system colour `index` has in the scope.
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

} // namespace uitest
