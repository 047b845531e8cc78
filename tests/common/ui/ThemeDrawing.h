#pragma once
// The visual style in the library's drawing tests.  Under Wine a visual
// style is active; ClassicDrawing takes it away for a scope (every element
// draws its classic form), ThemeDrawRecorder records the themed drawing that
// happened (which theme handle, part, state and rectangle).
//
//   uitest::ClassicDrawing classic;            // classic drawing in the scope
//   uitest::ThemeDrawRecorder themed(false);   // record only, draw nothing
//   ... draw ...
//   EXPECT_EQ(BP_PUSHBUTTON, themed.Calls().at(0).part);
#include "framework/Seam.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <optional>
#include <vector>

namespace uitest {

// Classic drawing for a scope: every theme handle opened meanwhile is null,
// and the active manager's handles are reopened (as null) at once.  When
// the scope ends the active manager opens its real handles again.
class ClassicDrawing {
public:
    ClassicDrawing()
    {
        m_noThemes.emplace(g_foundationSeams.openThemeData, [](UxOpenThemeDataFn, HWND, LPCWSTR) -> HTHEME {
            return nullptr;
        });
        CZUDPVisualManager::GetActiveManager()->OpenThemeHandles();
    }
    ~ClassicDrawing()
    {
        m_noThemes.reset();
        if (g_activeVisualManager != nullptr)
            g_activeVisualManager->OpenThemeHandles();
    }
    ClassicDrawing(const ClassicDrawing&) = delete;
    ClassicDrawing& operator=(const ClassicDrawing&) = delete;

private:
    std::optional<ScopedSeam<HTHEME(UxOpenThemeDataFn, HWND, LPCWSTR)>> m_noThemes;
};

// Records every themed background drawn in its scope (which theme handle,
// part, state and rectangle); the drawing itself still happens unless
// `draw` is FALSE.
class ThemeDrawRecorder {
public:
    struct Call {
        HTHEME theme;
        int part;
        int state;
        RECT rect;
    };

    explicit ThemeDrawRecorder(bool draw = true)
        : m_seam(g_foundationSeams.drawThemeBackground,
                 [this, draw](UxDrawThemeBackgroundFn fn, HTHEME theme, HDC hdc, int part, int state,
                              const RECT* rect, const RECT* clip) -> HRESULT {
                     m_calls.push_back(Call{theme, part, state, rect != nullptr ? *rect : RECT{}});
                     return draw ? g_foundationSeams.drawThemeBackground.Real(fn, theme, hdc, part, state, rect, clip)
                                 : S_OK;
                 })
    {
    }

    const std::vector<Call>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

private:
    std::vector<Call> m_calls;
    ScopedSeam<HRESULT(UxDrawThemeBackgroundFn, HTHEME, HDC, int, int, const RECT*, const RECT*)> m_seam;
};

} // namespace uitest
