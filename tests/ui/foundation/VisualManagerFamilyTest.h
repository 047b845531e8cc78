#pragma once
// What the tests of the visual manager's element families share: system
// colours made distinct for the scope (so that a test tells the highlight
// from the canvas and the shadow from the dark shadow), a manager of their
// own with its theme handles closed (the classic drawing), and checks of
// what a rectangle of the canvas holds.
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "tests/ui/foundation/VisualManagerPalette.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <memory>

namespace familytest {

// A temporary manager (it neither installs itself nor refreshes the
// colours) built while visual styles answer no theme, so every family
// draws its classic form.
class ClassicManager {
public:
    ClassicManager()
        : m_noTheme(g_foundationSeams.openThemeData, [](UxOpenThemeDataFn, HWND, LPCWSTR) -> HTHEME { return nullptr; }),
          m_manager(new CZUDPVisualManager(TRUE))
    {
    }
    CZUDPVisualManager* operator->() { return m_manager.get(); }
    CZUDPVisualManager& operator*() { return *m_manager; }

private:
    ScopedSeam<HTHEME(UxOpenThemeDataFn, HWND, LPCWSTR)> m_noTheme;
    std::unique_ptr<CZUDPVisualManager> m_manager;
};

// The canvas background: a colour no system colour and no drawing uses.
const COLORREF kCanvas = RGB(1, 2, 3);

inline int CountNotCanvas(foundationtest::Canvas& canvas, const RECT& rect)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (canvas.Pixel(x, y) != kCanvas)
                ++count;
    return count;
}

// The light brush's look: a solid colour half way between face and
// highlight, or, on displays of 256 colours or fewer, a checkerboard of
// the two.
inline bool LooksLight(foundationtest::Canvas& canvas, int x, int y)
{
    LOGBRUSH brush = {};
    g_uiEnvironment.m_brushLight.GetLogBrush(&brush);
    const COLORREF here = canvas.Pixel(x, y), right = canvas.Pixel(x + 1, y);
    if (brush.lbStyle == BS_SOLID)
        return here == brush.lbColor && right == brush.lbColor;
    const COLORREF face = g_uiEnvironment.m_colorButtonFace, light = g_uiEnvironment.m_colorButtonHighlight;
    return (here == face && right == light) || (here == light && right == face);
}

} // namespace familytest
