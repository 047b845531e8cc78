// The theme manager: its state numbers, the progress bar's chunk and
// percentage, and the recognition of the standard visual styles.  The
// visual-styles library is faked whole (every class opens as a handle of
// its own; nothing is drawn), so the answers do not depend on the style
// Wine has active.
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPWinXPThemeManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using foundationtest::AsEntry;
using foundationtest::Canvas;
using foundationtest::FakeEntryPoints;
using uitest::ThemeDrawRecorder;

namespace {

int g_openedThemes = 0;
int g_closedThemes = 0;

HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    return reinterpret_cast<HTHEME>(UINT_PTR(0x5000 + 0x10 * ++g_openedThemes));
}
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    ++g_closedThemes;
    return S_OK;
}
HRESULT WINAPI FakeDrawThemeBackground(HTHEME, HDC, int, int, const RECT*, const RECT*) { return S_OK; }
HRESULT WINAPI FakeGetThemeColor(HTHEME, int, int, int, COLORREF* colour)
{
    *colour = RGB(1, 2, 3);
    return S_OK;
}
HRESULT WINAPI FakeGetCurrentThemeName(LPWSTR, int, LPWSTR, int, LPWSTR, int) { return E_FAIL; }

// A visual-styles library with every entry point the theme manager uses.
class FakeThemeLibrary {
public:
    FakeThemeLibrary()
        : m_entries({{"OpenThemeData", AsEntry(FakeOpenThemeData)},
                     {"CloseThemeData", AsEntry(FakeCloseThemeData)},
                     {"DrawThemeBackground", AsEntry(FakeDrawThemeBackground)},
                     {"GetThemeColor", AsEntry(FakeGetThemeColor)},
                     {"GetCurrentThemeName", AsEntry(FakeGetCurrentThemeName)}})
    {
        g_openedThemes = 0;
        g_closedThemes = 0;
    }

private:
    FakeEntryPoints m_entries;
};

const CRect kBox(0, 0, 13, 13);

} // namespace

TEST(ZUDPWinXPThemeManager, OpensOneHandlePerClassAndClosesThemAll)
{
    FakeThemeLibrary library;
    {
        CZUDPWinXPThemeManager manager;
        EXPECT_EQ(20, g_openedThemes);
        EXPECT_NE(nullptr, manager.m_hThemeWindow);
        EXPECT_NE(nullptr, manager.m_hThemeNavigation);
        manager.OpenThemeHandles();  // reopening closes the old ones first
        EXPECT_EQ(20, g_closedThemes);
        EXPECT_EQ(40, g_openedThemes);
    }
    EXPECT_EQ(40, g_closedThemes);
}

TEST(ZUDPWinXPThemeManager, WithoutTheLibraryEveryThemedOperationLeavesTheDrawingToTheCaller)
{
    ScopedSeam noLibrary(g_foundationSeams.loadModule, [](const char*) -> HMODULE { return nullptr; });
    CZUDPWinXPThemeManager manager;
    Canvas canvas(20, 20);
    EXPECT_FALSE(manager.DrawThemedCheckBox(&canvas.Dc(), kBox, FALSE, 1, TRUE, FALSE));
    EXPECT_FALSE(manager.DrawThemedRadioButton(&canvas.Dc(), kBox, FALSE, TRUE, TRUE, FALSE));
    EXPECT_FALSE(manager.DrawThemedComboDropButton(&canvas.Dc(), kBox, FALSE, FALSE, FALSE));
    EXPECT_FALSE(manager.DrawThemedComboBorder(&canvas.Dc(), kBox, FALSE, FALSE, TRUE));
    EXPECT_FALSE(manager.DrawThemedProgressBar(&canvas.Dc(), nullptr, kBox, 10, 5, 0, 0, 0, TRUE));
    EXPECT_FALSE(manager.DrawThemedPushButton(&canvas.Dc(), kBox, nullptr));
    EXPECT_EQ(-1, manager.GetStandardThemeKind());
    // The rebar background falls back to the bar face.
    EXPECT_TRUE(manager.FillThemedRebarBackground(&canvas.Dc(), nullptr, CRect(0, 0, 20, 20)));
    EXPECT_EQ(g_uiEnvironment.m_colorBarFace, canvas.Pixel(10, 10));
}

TEST(ZUDPWinXPThemeManager, CheckBoxAndRadioStatesFollowTheirVariants)
{
    struct Row {
        const char* what;
        BOOL highlighted;
        int state;
        BOOL enabled;
        BOOL pressed;
        int checkBoxState;
    } rows[] = {
        {"unchecked", FALSE, 0, TRUE, FALSE, 1},
        {"unchecked hot", TRUE, 0, TRUE, FALSE, 2},
        {"pressed wins over hot", TRUE, 0, TRUE, TRUE, 3},
        {"checked", FALSE, 1, TRUE, FALSE, 5},
        {"checked, disabled wins over pressed", FALSE, 1, FALSE, TRUE, 8},
        {"indeterminate", FALSE, 2, TRUE, FALSE, 9},
        {"state 5 counts as indeterminate", FALSE, 5, TRUE, FALSE, 9},
        {"negative state counts as unchecked", TRUE, -3, TRUE, FALSE, 2},
        {"indeterminate disabled", TRUE, 2, FALSE, TRUE, 12},
    };
    FakeThemeLibrary library;
    CZUDPWinXPThemeManager manager;
    ThemeDrawRecorder recorder(false);
    Canvas canvas(20, 20);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        recorder.Clear();
        ASSERT_TRUE(
            manager.DrawThemedCheckBox(&canvas.Dc(), kBox, row.highlighted, row.state, row.enabled, row.pressed));
        ASSERT_EQ(1u, recorder.Calls().size());
        EXPECT_EQ(manager.m_hThemeButton, recorder.Calls()[0].theme);
        EXPECT_EQ(3, recorder.Calls()[0].part);
        EXPECT_EQ(row.checkBoxState, recorder.Calls()[0].state);
        if (row.state == 0 || row.state == 1) {
            recorder.Clear();
            manager.DrawThemedRadioButton(&canvas.Dc(), kBox, row.highlighted, row.state, row.enabled, row.pressed);
            ASSERT_EQ(1u, recorder.Calls().size());
            EXPECT_EQ(2, recorder.Calls()[0].part);
            EXPECT_EQ(row.checkBoxState, recorder.Calls()[0].state);
        }
    }
}

TEST(ZUDPWinXPThemeManager, ComboDropButtonStatesByPriority)
{
    struct Row {
        BOOL disabled, dropped, highlighted;
        int state;
    } rows[] = {{FALSE, FALSE, FALSE, 1}, {FALSE, FALSE, TRUE, 2}, {FALSE, TRUE, TRUE, 3}, {TRUE, TRUE, TRUE, 4}};
    FakeThemeLibrary library;
    CZUDPWinXPThemeManager manager;
    ThemeDrawRecorder recorder(false);
    Canvas canvas(20, 20);
    for (const Row& row : rows) {
        recorder.Clear();
        manager.DrawThemedComboDropButton(&canvas.Dc(), kBox, row.disabled, row.dropped, row.highlighted);
        ASSERT_EQ(1u, recorder.Calls().size());
        EXPECT_EQ(manager.m_hThemeComboBox, recorder.Calls()[0].theme);
        EXPECT_EQ(1, recorder.Calls()[0].part);
        EXPECT_EQ(row.state, recorder.Calls()[0].state);
    }
}

TEST(ZUDPWinXPThemeManager, ComboBorderFramesInTheHighlightColourOnlyWhenHotOrDropped)
{
    FakeThemeLibrary library;
    CZUDPWinXPThemeManager manager;
    Canvas canvas(20, 20);
    EXPECT_TRUE(manager.DrawThemedComboBorder(&canvas.Dc(), CRect(0, 0, 20, 20), FALSE, FALSE, FALSE));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 1));
    EXPECT_TRUE(manager.DrawThemedComboBorder(&canvas.Dc(), CRect(0, 0, 20, 20), FALSE, TRUE, FALSE));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 0));
    EXPECT_EQ(g_uiEnvironment.m_colorHighlight, canvas.Pixel(1, 1));
    EXPECT_EQ(g_uiEnvironment.m_colorHighlight, canvas.Pixel(18, 18));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(10, 10));
}

// The chunk's right edge inside a bar of 206 pixels (200 inside the inset)
// and the percentage shown, for ranges and positions in and out of bounds.
TEST(ZUDPWinXPThemeManager, ProgressChunkAndPercentStayWithinTheBar)
{
    const CRect bar(0, 0, 206, 20);
    struct Row {
        const char* what;
        int range, pos;
        int chunkRight, percent;
    } rows[] = {
        {"a quarter", 200, 50, 53, 25},
        {"empty", 200, 0, 3, 0},
        {"full", 200, 200, 203, 100},
        {"past the end stops at the end", 200, 300, 203, 100},
        {"negative position shows nothing", 200, -40, 3, 0},
        {"negative range shows nothing", -200, 50, 3, 0},
        {"large values do not overflow", 2000000000, 1999999999, 202, 99},
        {"large position past a small range", 3, 2147483647, 203, 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.chunkRight, CZUDPWinXPThemeManager::ProgressChunkRight(bar, row.range, row.pos));
        EXPECT_EQ(row.percent, CZUDPWinXPThemeManager::ProgressPercent(row.range, row.pos));
    }
}

TEST(ZUDPWinXPThemeManager, ProgressWithRangeZeroDrawsOnlyTheBar)
{
    FakeThemeLibrary library;
    CZUDPWinXPThemeManager manager;
    ThemeDrawRecorder recorder(false);
    Canvas canvas(206, 20);
    ASSERT_TRUE(manager.DrawThemedProgressBar(&canvas.Dc(), nullptr, CRect(0, 0, 206, 20), 0, 50, 0, 0, 0, TRUE));
    ASSERT_EQ(1u, recorder.Calls().size());
    EXPECT_EQ(1, recorder.Calls()[0].part);
    EXPECT_EQ(0, recorder.Calls()[0].state);
    for (int x = 0; x < 206; ++x)
        ASSERT_EQ(RGB(255, 255, 255), canvas.Pixel(x, 10)) << "no text at x " << x;
}

TEST(ZUDPWinXPThemeManager, ProgressShowsAQuarterChunkAndItsPercentage)
{
    FakeThemeLibrary library;
    CZUDPWinXPThemeManager manager;
    ThemeDrawRecorder recorder(false);
    const CRect bar(0, 0, 206, 20);
    Canvas canvas(206, 20);
    ASSERT_TRUE(manager.DrawThemedProgressBar(&canvas.Dc(), nullptr, bar, 200, 50, 0, 0, 0, TRUE));
    ASSERT_EQ(2u, recorder.Calls().size());
    EXPECT_EQ(3, recorder.Calls()[1].part);
    EXPECT_EQ(CRect(3, 3, 53, 17), CRect(recorder.Calls()[1].rect));

    // The text is "25%" centred in the bar, in the button text colour.
    Canvas expected(206, 20);
    expected.Dc().SetTextColor(g_uiEnvironment.m_colorButtonText);
    CRect rect = bar;
    expected.Dc().DrawText(CString("25%"), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int textPixels = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 206; ++x) {
            ASSERT_EQ(expected.Pixel(x, y), canvas.Pixel(x, y)) << x << "," << y;
            textPixels += canvas.Pixel(x, y) != RGB(255, 255, 255);
        }
    EXPECT_GT(textPixels, 0);

    // A position far past the range keeps the chunk inside the bar.
    recorder.Clear();
    manager.DrawThemedProgressBar(&canvas.Dc(), nullptr, bar, 200, 5000, 0, 0, 0, FALSE);
    ASSERT_EQ(2u, recorder.Calls().size());
    EXPECT_EQ(203, recorder.Calls()[1].rect.right);
}

TEST(ZUDPWinXPThemeManager, StandardThemeKindByThemeFileAndColourName)
{
    struct Row {
        const char* what;
        const wchar_t* file;
        const wchar_t* colour;
        HRESULT nameResult;
        HRESULT hintResult;
        COLORREF hint;
        int kind;
    } rows[] = {
        {"blue", L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", S_OK, S_OK, 0x10, 1},
        {"olive", L"C:\\Themes\\luna.msstyles", L"HomeStead", S_OK, S_OK, 0x10, 2},
        {"silver", L"C:\\Themes\\Luna\\LUNA.msstyles", L"Metallic", S_OK, S_OK, 0x10, 3},
        {"second style", L"C:\\Themes\\Aero\\aero.msstyles", L"metallic", S_OK, S_OK, 0x10, 3},
        {"royale path", L"C:\\Themes\\ROYALE\\Luna.msstyles", L"Metallic", S_OK, S_OK, 0x10, 0},
        {"other style", L"C:\\Themes\\Zune\\Zune.msstyles", L"Metallic", S_OK, S_OK, 0x10, 0},
        {"other colour", L"C:\\Themes\\Luna\\Luna.msstyles", L"Custom", S_OK, S_OK, 0x10, 0},
        {"no accent hint", L"C:\\Themes\\Luna\\Luna.msstyles", L"Metallic", S_OK, E_FAIL, 0x10, 0},
        {"accent hint 1", L"C:\\Themes\\Luna\\Luna.msstyles", L"Metallic", S_OK, S_OK, 1, 0},
        {"no theme name", L"", L"", E_FAIL, S_OK, 0x10, -1},
    };
    FakeThemeLibrary library;
    CZUDPWinXPThemeManager manager;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScopedSeam name(g_foundationSeams.currentThemeName,
                        [&row](UxGetCurrentThemeNameFn, LPWSTR file, int fileChars, LPWSTR colour, int colourChars,
                               LPWSTR size, int) -> HRESULT {
                            EXPECT_EQ(255, fileChars);
                            EXPECT_EQ(255, colourChars);
                            EXPECT_EQ(nullptr, size);
                            wcscpy(file, row.file);
                            wcscpy(colour, row.colour);
                            return row.nameResult;
                        });
        int property = 0;
        ScopedSeam hint(g_foundationSeams.getThemeColor,
                        [&row, &property](UxGetThemeColorFn, HTHEME, int, int, int prop, COLORREF* clr) -> HRESULT {
                            property = prop;
                            *clr = row.hint;
                            return row.hintResult;
                        });
        EXPECT_EQ(row.kind, manager.GetStandardThemeKind());
        if (row.nameResult == S_OK && row.kind != 0) {
            EXPECT_EQ(3823, property);
        }
    }
}

// The rebar picture behind a docked bar spans its frame: a frame at
// (100, 100) with a one-pixel border holds a bar at (10, 20) of its client
// area, so the frame's window is at (-11, -21) and its client area starts
// at y -20 in the bar's coordinates.
TEST(ZUDPWinXPThemeManager, RebarBackgroundSpansTheBarsFrame)
{
    FakeThemeLibrary library;
    CZUDPWinXPThemeManager manager;
    ThemeDrawRecorder recorder(false);
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_POPUP | WS_BORDER, CRect(100, 100, 500, 400)));
    Canvas canvas(300, 30);

    struct Row {
        const char* what;
        std::function<CZUDPBaseControlBar*()> make;
        CRect expected;
    } rows[] = {
        {"a docked toolbar reaches the frame's client top",
         [] { return new CZUDPToolBar; }, CRect(-11, -20, 389, 279)},
        {"a dock bar reaches the frame's window top", [] { return new CZUDPDockBar; }, CRect(-11, -21, 389, 279)},
        {"a floating toolbar only grows right and down",
         [] {
             CZUDPToolBar* pBar = new CZUDPToolBar;
             pBar->m_bFloating = TRUE;
             return pBar;
         },
         CRect(0, 0, 389, 279)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::unique_ptr<CZUDPBaseControlBar> bar(row.make());
        ASSERT_TRUE(bar->Create(nullptr, "bar", WS_CHILD | WS_VISIBLE, CRect(10, 20, 310, 50), &frame, 1));
        recorder.Clear();
        EXPECT_TRUE(manager.FillThemedRebarBackground(&canvas.Dc(), bar.get(), CRect(0, 0, 300, 30)));
        ASSERT_EQ(1u, recorder.Calls().size());
        EXPECT_EQ(manager.m_hThemeRebar, recorder.Calls()[0].theme);
        EXPECT_EQ(0, recorder.Calls()[0].part);
        EXPECT_EQ(0, recorder.Calls()[0].state);
        // The rows give the rectangle in the bar's window coordinates; the
        // bar's client area starts inside its borders and gripper.  A
        // floating bar keeps its client rectangle's own top-left corner.
        CPoint ptOrigin(0, 0);
        bar->ClientToScreen(&ptOrigin);
        CRect rectWindow;
        bar->GetWindowRect(&rectWindow);
        const CSize nonClient = ptOrigin - rectWindow.TopLeft();
        CRect expected = row.expected;
        expected.right -= nonClient.cx;
        expected.bottom -= nonClient.cy;
        if (!bar->IsFloating()) {
            expected.left -= nonClient.cx;
            expected.top -= nonClient.cy;
        }
        EXPECT_EQ(expected, CRect(recorder.Calls()[0].rect));
        bar->DestroyWindow();
    }
    frame.DestroyWindow();
}
