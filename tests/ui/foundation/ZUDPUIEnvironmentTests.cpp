// The global UI data: fonts, DPI scale, colours and brushes derived from
// what the system reports (reached through the foundation's seams), and the
// answers of the optional system services with and without their entry
// points.
#include "ui/foundation/ZUDPUIEnvironment.h"

#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPDrawManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <shlwapi.h>

using foundationtest::AsEntry;
using foundationtest::Canvas;
using foundationtest::FakeEntryPoints;

namespace {

// The system's non-client metrics with the menu font's height (and face)
// replaced.
auto MenuFontOf(LONG height, const char* face = nullptr)
{
    return [height, face](NONCLIENTMETRICSA* metrics) {
        BOOL ok = g_foundationSeams.nonClientMetrics.Real(metrics);
        metrics->lfMenuFont.lfHeight = height;
        if (face != nullptr)
            lstrcpynA(metrics->lfMenuFont.lfFaceName, face, LF_FACESIZE);
        return ok;
    };
}

LOGFONTA LogFontOf(CFont& font)
{
    LOGFONTA lf = {};
    font.GetLogFont(&lf);
    return lf;
}

TEST(UIEnvironmentTest, FontHeightsFollowTheMenuFont)
{
    struct Case {
        LONG menu;
        LONG regular;
        LONG small;
    } cases[] = {{-12, -11, -8}, {-15, -14, -10}, {16, 15, 10}, {-9, -11, -8}};
    for (const Case& c : cases) {
        ScopedSeam metrics(g_foundationSeams.nonClientMetrics, MenuFontOf(c.menu));
        CZUDPUIEnvironment env;
        EXPECT_EQ(c.regular, LogFontOf(env.m_fontRegular).lfHeight) << c.menu;
        EXPECT_EQ(c.small, LogFontOf(env.m_fontSmall).lfHeight) << c.menu;
        // The vertical fonts keep the menu font's own height.
        EXPECT_EQ(c.menu, LogFontOf(env.m_fontVerticalDown).lfHeight) << c.menu;
        EXPECT_EQ(2700, LogFontOf(env.m_fontVerticalDown).lfEscapement);
        EXPECT_EQ(900, LogFontOf(env.m_fontVerticalUp).lfEscapement);
        EXPECT_EQ(FW_BOLD, LogFontOf(env.m_fontBold).lfWeight);
        EXPECT_EQ(1, LogFontOf(env.m_fontUnderline).lfUnderline);
        EXPECT_EQ(SYMBOL_CHARSET, LogFontOf(env.m_fontSymbol).lfCharSet);
    }
}

TEST(UIEnvironmentTest, KeepsTheMenuFaceOnlyForNonWesternCharacterSets)
{
    // A menu face of a character set above 2 stays; otherwise the library
    // chooses one of its preferred faces.
    auto faceFor = [](BYTE charSet) {
        ScopedSeam metrics(g_foundationSeams.nonClientMetrics, [charSet](NONCLIENTMETRICSA* m) {
            BOOL ok = g_foundationSeams.nonClientMetrics.Real(m);
            lstrcpynA(m->lfMenuFont.lfFaceName, "Courier New", LF_FACESIZE);
            m->lfMenuFont.lfCharSet = charSet;
            return ok;
        });
        CZUDPUIEnvironment env;
        return std::string(LogFontOf(env.m_fontRegular).lfFaceName);
    };
    EXPECT_EQ("Courier New", faceFor(SHIFTJIS_CHARSET));
    std::string western = faceFor(ANSI_CHARSET);
    EXPECT_TRUE(western == "Segoe UI" || western == "Tahoma" || western == "MS Sans Serif") << western;
}

TEST(UIEnvironmentTest, DpiScale)
{
    struct Case {
        int dpi;
        double scale;
    } cases[] = {{96, 1.0}, {100, 1.0}, {120, 1.25}, {144, 1.5}};
    for (const Case& c : cases) {
        ScopedSeam dpi(g_frameworkSeams.screenDpi, [&] { return c.dpi; });
        CZUDPUIEnvironment env;
        EXPECT_DOUBLE_EQ(c.scale, env.GetDpiScale()) << c.dpi;
        env.m_dpiScaling = FALSE;
        EXPECT_DOUBLE_EQ(1.0, env.GetDpiScale()) << c.dpi;
    }
}

// System colours with a few of them replaced.
auto SysColorsWith(std::map<int, COLORREF> replaced)
{
    return [replaced](int index) {
        auto it = replaced.find(index);
        return it != replaced.end() ? it->second : ::GetSysColor(index);
    };
}

TEST(UIEnvironmentTest, ContrastFlagsAndHotLinkColours)
{
    struct Case {
        COLORREF light, face, darkShadow;
        BOOL whiteOnBlack, blackOnWhite;
    } cases[] = {
        {RGB(255, 255, 255), RGB(0, 0, 0), RGB(64, 64, 64), TRUE, FALSE},
        {RGB(200, 200, 200), RGB(255, 255, 255), RGB(0, 0, 0), FALSE, TRUE},
        {RGB(255, 255, 255), RGB(1, 0, 0), RGB(0, 0, 0), FALSE, FALSE},
    };
    for (const Case& c : cases) {
        ScopedSeam colours(g_foundationSeams.sysColor,
                           SysColorsWith({{COLOR_3DLIGHT, c.light},
                                          {COLOR_BTNFACE, c.face},
                                          {COLOR_3DDKSHADOW, c.darkShadow},
                                          {COLOR_WINDOWTEXT, RGB(1, 2, 3)},
                                          {COLOR_HOTLIGHT, RGB(4, 5, 6)}}));
        CZUDPUIEnvironment env;
        EXPECT_EQ(c.whiteOnBlack, env.m_whiteOnBlack);
        EXPECT_EQ(c.blackOnWhite, env.m_blackOnWhite);
        EXPECT_EQ(c.whiteOnBlack || c.blackOnWhite, env.IsContrastColorScheme());
        if (c.whiteOnBlack) {
            EXPECT_EQ(RGB(1, 2, 3), env.m_colorHotLink);
            EXPECT_EQ(RGB(1, 2, 3), env.m_colorHotLinkHovered);
        } else {
            EXPECT_EQ(RGB(4, 5, 6), env.m_colorHotLink);
            EXPECT_EQ(RGB(0, 0, 255), env.m_colorHotLinkHovered);
        }
    }
}

TEST(UIEnvironmentTest, LightBrushIsMidwayOrACheckerboardOnPaletteScreens)
{
    ScopedSeam colours(g_foundationSeams.sysColor,
                       SysColorsWith({{COLOR_BTNFACE, RGB(0xC0, 0xC0, 0xC0)}, {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}}));
    {
        ScopedSeam depth(g_frameworkSeams.colorDepth, [] { return 32; });
        CZUDPUIEnvironment env;
        Canvas canvas(8, 8, RGB(0, 0, 0));
        ::FillRect(canvas.Dc(), CRect(0, 0, 8, 8), (HBRUSH)env.m_brushLight.GetSafeHandle());
        EXPECT_EQ(RGB(0xDF, 0xDF, 0xDF), canvas.Pixel(3, 3));
        EXPECT_EQ(RGB(0xDF, 0xDF, 0xDF), canvas.Pixel(4, 3));
    }
    {
        ScopedSeam depth(g_frameworkSeams.colorDepth, [] { return 8; });
        CZUDPUIEnvironment env;
        EXPECT_EQ(8, env.m_bitsPerPixel);
        Canvas canvas(8, 8, RGB(0, 0, 0));
        ::FillRect(canvas.Dc(), CRect(0, 0, 8, 8), (HBRUSH)env.m_brushLight.GetSafeHandle());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                COLORREF expected = canvas.Pixel(0, 0) == RGB(255, 255, 255)
                                        ? ((x + y) % 2 == 0 ? RGB(255, 255, 255) : RGB(0xC0, 0xC0, 0xC0))
                                        : ((x + y) % 2 == 0 ? RGB(0xC0, 0xC0, 0xC0) : RGB(255, 255, 255));
                ASSERT_EQ(expected, canvas.Pixel(x, y)) << x << "," << y;
            }
    }
}

TEST(UIEnvironmentTest, TextMarginsDependOnTheFontHeight)
{
    // A positive height asks for that cell height, which is tmHeight: menu
    // heights 15 and 16 give regular fonts of tmHeight 14 and 15.
    struct Case {
        LONG menu;
        int tmHeight, margin;
    } cases[] = {{15, 14, 2}, {16, 15, 5}};
    for (const Case& c : cases) {
        ScopedSeam metrics(g_foundationSeams.nonClientMetrics, MenuFontOf(c.menu, "Tahoma"));
        CZUDPUIEnvironment env;
        HDC screen = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(screen, env.m_fontRegular.GetSafeHandle());
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(screen, &tm);
        ::SelectObject(screen, old);
        ::ReleaseDC(nullptr, screen);
        ASSERT_EQ(c.tmHeight, tm.tmHeight) << c.menu;
        EXPECT_EQ(c.margin, env.m_textMargin);
        EXPECT_EQ(c.tmHeight + c.margin, env.m_textHeight);
        EXPECT_EQ(tm.tmMaxCharWidth + c.margin, env.m_textWidth);
    }
}

TEST(UIEnvironmentTest, CachedSystemColours)
{
    std::map<int, COLORREF> distinct;
    for (int index = 0; index <= COLOR_GRADIENTINACTIVECAPTION; ++index)
        distinct[index] = RGB(index, 100 + index, 200 - index);
    std::unique_ptr<CZUDPUIEnvironment> env;
    {
        ScopedSeam colours(g_foundationSeams.sysColor, SysColorsWith(distinct));
        env = std::make_unique<CZUDPUIEnvironment>();
    }
    // Kept indexes answer the stored colour although the system now says
    // otherwise; the others go to the system.
    ScopedSeam changed(g_foundationSeams.sysColor, [](int) { return RGB(9, 9, 9); });
    const int kept[] = {2, 3, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    for (int index : kept)
        EXPECT_EQ(distinct[index], env->GetSysColorCached(index)) << index;
    EXPECT_EQ(RGB(9, 9, 9), env->GetSysColorCached(COLOR_MENU));
    EXPECT_EQ(RGB(9, 9, 9), env->GetSysColorCached(COLOR_HOTLIGHT));
    // The plain set, not the bar set.
    env->m_colorBarFace = RGB(1, 1, 1);
    EXPECT_EQ(distinct[COLOR_BTNFACE], env->GetSysColorCached(COLOR_BTNFACE));
    env.reset();
}

// --- optional entry points -------------------------------------------------

HRESULT WINAPI FakeDllGetVersion61(DLLVERSIONINFO* info)
{
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 1;
    return S_OK;
}

TEST(UIEnvironmentTest, CommonControlsVersionDecidesRecordSizes)
{
    NONCLIENTMETRICSA seen = {};
    ScopedSeam metrics(g_foundationSeams.nonClientMetrics, [&](NONCLIENTMETRICSA* m) {
        seen.cbSize = m->cbSize;
        return g_foundationSeams.nonClientMetrics.Real(m);
    });
    {
        FakeEntryPoints fakes({{"DllGetVersion", AsEntry(&FakeDllGetVersion61)}});
        CZUDPUIEnvironment env;
        EXPECT_EQ(0x60001u, env.GetComCtlVersion());
        EXPECT_EQ(344u, seen.cbSize);
        EXPECT_EQ(sizeof(REBARBANDINFOA), env.GetRebarBandInfoSize());
    }
    {
        FakeEntryPoints fakes({});
        CZUDPUIEnvironment env;
        EXPECT_EQ(0x40000u, env.GetComCtlVersion());
        EXPECT_EQ(340u, seen.cbSize);
        EXPECT_EQ(UINT(REBARBANDINFOA_V6_SIZE), env.GetRebarBandInfoSize());
    }
    // What this system's common controls report, asked once and kept.
    CZUDPUIEnvironment env;
    DWORD version = env.GetComCtlVersion();
    EXPECT_GE(version, 0x40000u);
    EXPECT_EQ(version, env.GetComCtlVersion());
}

struct FakeCalls {
    int layered = 0, updateLayered = 0, notify = 0, extend = 0, defProc = 0, thumbnail = 0, attribute = 0,
        preview = 0, invalidate = 0;
    DWORD lastEvent = 0;
};
FakeCalls g_calls;

BOOL WINAPI FakeSetLayered(HWND, COLORREF, BYTE, DWORD) { return ++g_calls.layered, TRUE; }
BOOL WINAPI FakeUpdateLayered(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD)
{
    return ++g_calls.updateLayered, TRUE;
}
void WINAPI FakeNotify(DWORD event, HWND, LONG, LONG) { ++g_calls.notify, g_calls.lastEvent = event; }
HRESULT WINAPI FakeExtend(HWND, const MARGINS*) { return ++g_calls.extend, S_OK; }
BOOL WINAPI FakeDefProc(HWND, UINT, WPARAM, LPARAM, LRESULT* result)
{
    ++g_calls.defProc;
    *result = 42;
    return FALSE;
}
HRESULT WINAPI FakeComposition(BOOL* enabled)
{
    *enabled = TRUE;
    return S_OK;
}
HRESULT WINAPI FakeThumbnail(HWND, HBITMAP, DWORD) { return ++g_calls.thumbnail, S_FALSE; }
HRESULT WINAPI FakeAttribute(HWND, DWORD, LPCVOID, DWORD) { return ++g_calls.attribute, S_OK; }
HRESULT WINAPI FakePreview(HWND, HBITMAP, POINT*, DWORD) { return ++g_calls.preview, S_OK; }
HRESULT WINAPI FakeInvalidate(HWND) { return ++g_calls.invalidate, E_FAIL; }

TEST(UIEnvironmentTest, WrappersAnswerTheirDefaultWithoutEntryPoints)
{
    FakeEntryPoints none({});
    CZUDPUIEnvironment env;
    MARGINS margins = {1, 1, 1, 1};
    EXPECT_FALSE(env.SetLayeredAttributes(nullptr, 0, 255, LWA_ALPHA));
    EXPECT_FALSE(env.UpdateLayered(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0));
    env.NotifyAccessibilityEvent(EVENT_OBJECT_FOCUS, nullptr, 0, 0);  // nothing happens
    EXPECT_FALSE(env.ExtendFrameIntoClient(nullptr, margins));
    EXPECT_EQ(-1, env.CallDwmDefWindowProc(nullptr, WM_NCHITTEST, 0, 0));
    EXPECT_FALSE(env.IsDwmCompositionEnabled());
    EXPECT_FALSE(env.InvalidateIconicBitmaps(nullptr));
    EXPECT_FALSE(env.SetIconicLivePreviewBitmap(nullptr, nullptr, nullptr, 0));
    EXPECT_FALSE(env.SetIconicThumbnail(nullptr, nullptr, 0));
    EXPECT_FALSE(env.SetDwmWindowAttribute(nullptr, 0, nullptr, 0));
    EXPECT_EQ(nullptr, env.m_beginBufferedPaint);
}

TEST(UIEnvironmentTest, WrappersPassTheEntryPointsAnswers)
{
    g_calls = {};
    FakeEntryPoints fakes({{"SetLayeredWindowAttributes", AsEntry(&FakeSetLayered)},
                           {"UpdateLayeredWindow", AsEntry(&FakeUpdateLayered)},
                           {"NotifyWinEvent", AsEntry(&FakeNotify)},
                           {"DwmExtendFrameIntoClientArea", AsEntry(&FakeExtend)},
                           {"DwmDefWindowProc", AsEntry(&FakeDefProc)},
                           {"DwmIsCompositionEnabled", AsEntry(&FakeComposition)},
                           {"DwmSetIconicThumbnail", AsEntry(&FakeThumbnail)},
                           {"DwmSetWindowAttribute", AsEntry(&FakeAttribute)},
                           {"DwmSetIconicLivePreviewBitmap", AsEntry(&FakePreview)},
                           {"DwmInvalidateIconicBitmaps", AsEntry(&FakeInvalidate)}});
    CZUDPUIEnvironment env;
    MARGINS margins = {1, 1, 1, 1};
    EXPECT_TRUE(env.SetLayeredAttributes(nullptr, 0, 255, LWA_ALPHA));
    EXPECT_TRUE(env.UpdateLayered(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0));
    env.NotifyAccessibilityEvent(EVENT_OBJECT_FOCUS, nullptr, 0, 0);
    EXPECT_EQ(DWORD(EVENT_OBJECT_FOCUS), g_calls.lastEvent);
    EXPECT_TRUE(env.ExtendFrameIntoClient(nullptr, margins));
    EXPECT_EQ(42, env.CallDwmDefWindowProc(nullptr, WM_NCHITTEST, 0, 0));
    EXPECT_TRUE(env.IsDwmCompositionEnabled());
    env.m_compositionOff = TRUE;
    EXPECT_FALSE(env.IsDwmCompositionEnabled());
    // Only S_OK counts as success.
    EXPECT_FALSE(env.SetIconicThumbnail(nullptr, nullptr, 0));
    EXPECT_FALSE(env.InvalidateIconicBitmaps(nullptr));
    EXPECT_TRUE(env.SetDwmWindowAttribute(nullptr, 0, nullptr, 0));
    EXPECT_TRUE(env.SetIconicLivePreviewBitmap(nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(1, g_calls.thumbnail);
    EXPECT_EQ(1, g_calls.invalidate);
}

TEST(UIEnvironmentTest, ReloadAfterResumeGivesBackTheModulesItReplaces)
{
    std::vector<HMODULE> before, freed;
    {
        FakeEntryPoints fakes({{"DwmIsCompositionEnabled", AsEntry(&FakeComposition)},
                               {"AlphaBlend", AsEntry(&::GdiAlphaBlend)},
                               {"NotifyWinEvent", AsEntry(&FakeNotify)}});
        CZUDPUIEnvironment env;
        before = {env.m_uxThemeModule, env.m_user32Module, env.m_dwmModule, env.m_msimg32Module};
        EXPECT_TRUE(env.ReloadAfterResume());
        for (HMODULE old : before)
            EXPECT_NE(fakes.Freed().end(), std::find(fakes.Freed().begin(), fakes.Freed().end(), old));
        EXPECT_NE(before[0], env.m_uxThemeModule);
        EXPECT_TRUE(env.IsDwmCompositionEnabled());
        EXPECT_TRUE(env.m_accessibility);
        EXPECT_NE(nullptr, env.m_notifyWinEvent);
        env.CleanUp();
        // Every load was matched by one free.
        EXPECT_EQ(fakes.Loaded().size(), fakes.Freed().size());
    }
}

TEST(UIEnvironmentTest, AutoHideEdgesFromTheShell)
{
    std::vector<UINT> asked;
    ScopedSeam shell(g_foundationSeams.appBarMessage, [&](DWORD message, APPBARDATA* data) -> UINT_PTR {
        EXPECT_EQ(DWORD(ABM_GETAUTOHIDEBAR), message);
        EXPECT_EQ(sizeof(APPBARDATA), size_t(data->cbSize));
        asked.push_back(data->uEdge);
        return (data->uEdge == ABE_BOTTOM || data->uEdge == ABE_LEFT) ? 1 : 0;
    });
    CZUDPUIEnvironment env;
    env.UpdateAutoHideTaskbarEdges();
    EXPECT_EQ(9u, env.m_autoHideEdges);
    EXPECT_EQ((std::vector<UINT>{ABE_BOTTOM, ABE_TOP, ABE_LEFT, ABE_RIGHT}), asked);
}

TEST(UIEnvironmentTest, RegisterWindowClassRegistersEachNameOnce)
{
    trovtest::InitFrameworkForTests();
    CString first = g_uiEnvironment.RegisterWindowClass("ZUDPTestClass");
    CString second = g_uiEnvironment.RegisterWindowClass("ZUDPTestClass");
    EXPECT_STREQ(first, second);
    EXPECT_EQ(0, strncmp(first, "ZUDPTestClass:", 14));
    WNDCLASSA wc = {};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), first, &wc));
    EXPECT_EQ(UINT(CS_DBLCLKS), wc.style);
    EXPECT_EQ((HBRUSH)(COLOR_BTNFACE + 1), wc.hbrBackground);
    // The name carries the whole instance handle, not its low 32 bits.
    CString instance;
    instance.Format("%llx", (unsigned long long)(UINT_PTR)AfxGetInstanceHandle());
    EXPECT_NE(nullptr, strstr(first, instance));
    EXPECT_STRNE(first, g_uiEnvironment.RegisterWindowClass("ZUDPOtherClass"));
}

// --- drawing helpers ---------------------------------------------------------

// A parent that paints its background in two colours split at x = 15, so
// that the child sees where its origin lies.
LRESULT CALLBACK SplitParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        HDC dc = (HDC)wParam;
        HBRUSH left = ::CreateSolidBrush(RGB(255, 0, 0));
        HBRUSH right = ::CreateSolidBrush(RGB(0, 0, 255));
        RECT l = {0, 0, 15, 200}, r = {15, 0, 400, 200};
        ::FillRect(dc, &l, left);
        ::FillRect(dc, &r, right);
        ::DeleteObject(left);
        ::DeleteObject(right);
        return 77;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST(UIEnvironmentTest, DrawParentBackgroundPaintsTheParentAtTheChildsPlace)
{
    trovtest::InitFrameworkForTests();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SplitParentProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = "ZUDPTestSplitParent";
    ::RegisterClassA(&wc);
    HWND parent = ::CreateWindowExA(0, "ZUDPTestSplitParent", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 10, 20, 30, 30, parent, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, child);

    FakeEntryPoints noTheme({});
    CZUDPUIEnvironment env;
    Canvas canvas(30, 30, RGB(0, 255, 0));
    CWnd childWnd;
    childWnd.Attach(child);
    EXPECT_EQ(77, env.DrawParentBackground(&childWnd, &canvas.Dc()));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(4, 5));   // parent x 14
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 5));   // parent x 15
    // The DC comes back as it was: origin and clipping.
    EXPECT_EQ(CPoint(0, 0), canvas.Dc().GetWindowOrg());
    CRect clip;
    EXPECT_EQ(SIMPLEREGION, canvas.Dc().GetClipBox(&clip));
    EXPECT_EQ(CRect(0, 0, 30, 30), clip);

    // With a clip rectangle only that part is painted.
    canvas.Fill(RGB(0, 255, 0));
    CRect part(0, 0, 3, 3);
    env.DrawParentBackground(&childWnd, &canvas.Dc(), &part);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(10, 10));

    // A top-level window has no parent to paint: FALSE, nothing drawn.
    CWnd parentWnd;
    parentWnd.Attach(parent);
    canvas.Fill(RGB(0, 255, 0));
    EXPECT_FALSE(env.DrawParentBackground(&parentWnd, &canvas.Dc()));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(1, 1));
    EXPECT_FALSE(env.DrawParentBackground(nullptr, &canvas.Dc()));

    childWnd.Detach();
    parentWnd.Detach();
    ::DestroyWindow(parent);
}

struct TextOnGlassCall {
    int calls = 0;
    DWORD size = 0, flags = 0;
    int glow = 0;
    COLORREF colour = 0;
    std::wstring text;
} g_textOnGlass;

HRESULT WINAPI FakeDrawThemeTextEx(HTHEME, HDC, int, int, LPCWSTR text, int, DWORD, LPRECT, const DTTOPTS* options)
{
    ++g_textOnGlass.calls;
    g_textOnGlass.size = options->dwSize;
    g_textOnGlass.flags = options->dwFlags;
    g_textOnGlass.glow = options->iGlowSize;
    g_textOnGlass.colour = options->crText;
    g_textOnGlass.text = text;
    return S_OK;
}

TEST(UIEnvironmentTest, TextOnGlassOnlyWithThemeEntryAndComposition)
{
    g_textOnGlass = {};
    Canvas canvas(60, 20);
    HTHEME someTheme = reinterpret_cast<HTHEME>(UINT_PTR(0x1234));
    {
        FakeEntryPoints fakes({{"DrawThemeTextEx", AsEntry(&FakeDrawThemeTextEx)},
                               {"DwmIsCompositionEnabled", AsEntry(&FakeComposition)}});
        CZUDPUIEnvironment env;
        EXPECT_TRUE(env.DrawTextOnGlass(someTheme, &canvas.Dc(), 1, 1, "Abc", CRect(0, 0, 60, 20), DT_LEFT, 10,
                                        RGB(1, 2, 3)));
        EXPECT_EQ(1, g_textOnGlass.calls);
        EXPECT_EQ(sizeof(DTTOPTS), size_t(g_textOnGlass.size));
        EXPECT_EQ(DWORD(DTT_COMPOSITED | DTT_GLOWSIZE | DTT_TEXTCOLOR), g_textOnGlass.flags);
        EXPECT_EQ(10, g_textOnGlass.glow);
        EXPECT_EQ(RGB(1, 2, 3), g_textOnGlass.colour);
        EXPECT_EQ(L"Abc", g_textOnGlass.text);
        EXPECT_TRUE(env.DrawTextOnGlass(someTheme, &canvas.Dc(), 1, 1, "x", CRect(0, 0, 60, 20), DT_LEFT));
        EXPECT_EQ(DWORD(DTT_COMPOSITED), g_textOnGlass.flags);
        // No theme: the DC's own text drawing.
        EXPECT_FALSE(env.DrawTextOnGlass(nullptr, &canvas.Dc(), 1, 1, "x", CRect(0, 0, 60, 20), DT_LEFT));
        EXPECT_EQ(2, g_textOnGlass.calls);
    }
    {
        FakeEntryPoints noComposition({{"DrawThemeTextEx", AsEntry(&FakeDrawThemeTextEx)}});
        CZUDPUIEnvironment env;
        canvas.Fill(RGB(255, 255, 255));
        ::SetTextColor(canvas.Dc(), RGB(0, 0, 0));
        EXPECT_FALSE(env.DrawTextOnGlass(someTheme, &canvas.Dc(), 1, 1, "WWW", CRect(0, 0, 60, 20), DT_LEFT));
        EXPECT_EQ(2, g_textOnGlass.calls);
        bool inked = false;
        for (int x = 0; x < 30; ++x)
            for (int y = 0; y < 20; ++y)
                inked = inked || canvas.Pixel(x, y) != RGB(255, 255, 255);
        EXPECT_TRUE(inked);
        // Icons likewise: without composition the plain icon drawing.
        canvas.Fill(RGB(255, 255, 255));
        HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
        EXPECT_FALSE(env.DrawIconOnGlass(someTheme, &canvas.Dc(), icon, CRect(0, 0, 16, 16)));
        bool drawn = false;
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y)
                drawn = drawn || canvas.Pixel(x, y) != RGB(255, 255, 255);
        EXPECT_TRUE(drawn);
    }
}

TEST(UIEnvironmentTest, TaskbarListNeedsOleOnThisThread)
{
    CZUDPUIEnvironment env;
    env.m_isWindows7OrLater = FALSE;
    EXPECT_EQ(nullptr, env.GetTaskbarList());
    env.m_isWindows7OrLater = TRUE;
    if (!AfxOleIsInitialized()) {
        EXPECT_EQ(nullptr, env.GetTaskbarList());
        EXPECT_FALSE(env.TaskbarRegisterTab(nullptr, nullptr));
        EXPECT_FALSE(env.TaskbarSetTabProperties(nullptr, 0));
    }
}

// --- enclosing frame -----------------------------------------------------------

TEST(UIEnvironmentTest, EnclosingFrame)
{
    trovtest::InitFrameworkForTests();
    EXPECT_EQ(nullptr, GetEnclosingFrame(nullptr));
    CWnd unattached;
    EXPECT_EQ(nullptr, GetEnclosingFrame(&unattached));

    CFrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "STATIC", "frame", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CWnd pane, inner;
    ASSERT_TRUE(pane.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 50, 50), &frame, 1));
    ASSERT_TRUE(inner.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), &pane, 2));
    EXPECT_EQ(&frame, GetEnclosingFrame(&inner));
    EXPECT_EQ(&frame, GetEnclosingFrame(&pane));
    // A frame is not its own enclosing frame.
    EXPECT_EQ(nullptr, GetEnclosingFrame(&frame));

    // A floating mini frame leads to the window it recorded as its owner.
    CZUDPMiniFrameWnd mini;
    ASSERT_TRUE(mini.CreateEx(0, "STATIC", "mini", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    CWnd floating;
    ASSERT_TRUE(floating.CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 10, 10), &mini, 3));
    EXPECT_EQ(&mini, GetEnclosingFrame(&floating));  // the mini frame is a frame
    EXPECT_EQ(nullptr, GetEnclosingFrame(&mini));     // no owner recorded yet
    mini.RecordOwner(frame.GetSafeHwnd());
    EXPECT_EQ(&frame, GetEnclosingFrame(&mini));
    mini.RecordOwner(inner.GetSafeHwnd());
    EXPECT_EQ(&frame, GetEnclosingFrame(&mini));

    floating.DestroyWindow();
    mini.DestroyWindow();
    inner.DestroyWindow();
    pane.DestroyWindow();
    frame.DestroyWindow();
}

} // namespace

namespace {

TEST(UIEnvironmentTest, HandCursor)
{
    // The library carries its own hand for systems without one; newer
    // systems use theirs.
    EXPECT_NE(nullptr, ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(16919)));
    CZUDPUIEnvironment env;
    HCURSOR system = env.GetHandCursor();
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), system);
    EXPECT_EQ(system, env.GetHandCursor());
    CZUDPUIEnvironment old;
    old.m_isNT4 = TRUE;
    HCURSOR own = old.GetHandCursor();
    EXPECT_NE(nullptr, own);
    EXPECT_NE(system, own);
}

} // namespace

namespace {

class CountingToolBar : public CZUDPToolBar {
public:
    int updates = 0;
    void UpdateButtonFonts() override { ++updates; }
};

TEST(UIEnvironmentTest, FontUpdateReachesLiveToolbarsOnly)
{
    trovtest::InitFrameworkForTests();
    CountingToolBar live, closed;
    ASSERT_TRUE(live.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    g_uiEnvironment.UpdateFonts();
    EXPECT_EQ(1, live.updates);
    EXPECT_EQ(0, closed.updates);
    live.DestroyWindow();
    g_uiEnvironment.UpdateFonts();
    EXPECT_EQ(1, live.updates);
}

} // namespace

namespace {

TEST(UIEnvironmentTest, VersionFlags)
{
    struct Case {
        DWORD platform, major, minor;
        BOOL nt4, vista, seven, layered;
        COLORREF hotLink;
    } cases[] = {
        {VER_PLATFORM_WIN32_NT, 10, 0, FALSE, TRUE, TRUE, TRUE, RGB(4, 5, 6)},
        {VER_PLATFORM_WIN32_NT, 6, 1, FALSE, TRUE, TRUE, TRUE, RGB(4, 5, 6)},
        {VER_PLATFORM_WIN32_NT, 6, 0, FALSE, TRUE, FALSE, TRUE, RGB(4, 5, 6)},
        {VER_PLATFORM_WIN32_NT, 5, 1, FALSE, FALSE, FALSE, TRUE, RGB(4, 5, 6)},
        // Older systems: no layered windows, fixed link colours.
        {VER_PLATFORM_WIN32_NT, 4, 0, TRUE, FALSE, FALSE, FALSE, RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        ScopedSeam version(g_foundationSeams.osVersion, [&](OSVERSIONINFOA* info) {
            info->dwPlatformId = c.platform;
            info->dwMajorVersion = c.major;
            info->dwMinorVersion = c.minor;
            return TRUE;
        });
        ScopedSeam colours(g_foundationSeams.sysColor, SysColorsWith({{COLOR_HOTLIGHT, RGB(4, 5, 6)}}));
        CZUDPUIEnvironment env;
        EXPECT_EQ(c.nt4, env.m_isNT4) << c.major << "." << c.minor;
        EXPECT_EQ(c.vista, env.m_isVistaOrLater) << c.major << "." << c.minor;
        EXPECT_EQ(c.seven, env.m_isWindows7OrLater) << c.major << "." << c.minor;
        EXPECT_EQ(c.layered, env.m_layeredWindowsAvailable) << c.major << "." << c.minor;
        EXPECT_EQ(c.hotLink, env.m_colorHotLink) << c.major << "." << c.minor;
        // Accessibility support needs NT 5 or later.
        EXPECT_EQ(c.major >= 5, env.m_accessibility != FALSE) << c.major << "." << c.minor;
    }
}

} // namespace
