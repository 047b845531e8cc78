#pragma once
// The UI foundation's seams: what the library's global UI data and its
// drawing ask of the system that tests cannot choose headless.  Under Wine
// composition is off, the common controls answer 5.81 or 6.0, the screen is
// 32 bits deep at 96 DPI and a theme is active; the other branches (glass,
// buffered painting faked absent, 8-bit screens, high DPI, high-contrast
// colours, old common controls, auto-hide taskbars) are reached by
// replacing these entries for a scope (framework/Seam.h).
//
// The screen's colour depth, its DPI and composition come from the
// framework's seams (g_frameworkSeams.colorDepth, screenDpi).
#include "framework/Seam.h"
#include "framework/win/WinSdk.h"

#include <uxtheme.h>

// The visual-style entry points the theme manager looks up in UxTheme.dll.
typedef HTHEME(WINAPI* UxOpenThemeDataFn)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* UxCloseThemeDataFn)(HTHEME);
typedef HRESULT(WINAPI* UxDrawThemeBackgroundFn)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* UxGetThemeColorFn)(HTHEME, int, int, int, COLORREF*);
typedef COLORREF(WINAPI* UxGetThemeSysColorFn)(HTHEME, int);
typedef HRESULT(WINAPI* UxGetCurrentThemeNameFn)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
typedef HTHEME(WINAPI* UxGetWindowThemeFn)(HWND);

struct FoundationSeams {
    // The optional system modules and their entry points (UxTheme, USER32,
    // dwmapi, msimg32, COMCTL32's DllGetVersion).  A test that fakes an
    // entry point answers its own function from findEntry for that name
    // (and null for a missing one), then builds a CZUDPUIEnvironment of its
    // own or reloads the entry points.
    Seam<HMODULE(const char*)> loadModule;
    Seam<BOOL(HMODULE)> freeModule;
    Seam<HMODULE(const char*)> loadedModule;  // GetModuleHandle: a module already loaded
    Seam<FARPROC(HMODULE, const char*)> findEntry;
    // GetSysColor, as read by the colour update.
    Seam<COLORREF(int)> sysColor;
    // SPI_GETNONCLIENTMETRICS (the menu, status and caption fonts).
    Seam<BOOL(NONCLIENTMETRICSA*)> nonClientMetrics;
    // The operating system's version (GetVersionEx).
    Seam<BOOL(OSVERSIONINFOA*)> osVersion;
    // The shell's application-bar messages (SHAppBarMessage).
    Seam<UINT_PTR(DWORD, APPBARDATA*)> appBarMessage;
    // The warning beep (MessageBeep).
    Seam<BOOL(UINT)> messageBeep;
    // The work area of the monitor nearest to a screen point (what a popup
    // placed there must stay inside); FALSE when the monitor cannot be
    // asked.
    Seam<BOOL(POINT, RECT*)> monitorWorkArea;
    // The primary monitor's work area (SPI_GETWORKAREA), the fallback.
    Seam<BOOL(RECT*)> primaryWorkArea;
    // Writing to a file the library saves (WriteFile): tests make it fail
    // or write short, as a full disk does.
    Seam<BOOL(HANDLE, const void*, DWORD, DWORD*)> writeFile;

    // The theme manager's visual-style calls.  Each is handed the entry
    // point the manager looked up (the manager calls only entry points it
    // found); the real behaviour calls it.  Under Wine a visual style is
    // active: classic-drawing tests answer null from openThemeData (and
    // reopen the handles), themed-drawing tests record the part and state
    // numbers drawThemeBackground receives, and the style detection reads
    // the theme file and colour name from currentThemeName.
    Seam<HTHEME(UxOpenThemeDataFn, HWND, LPCWSTR)> openThemeData;
    Seam<HRESULT(UxDrawThemeBackgroundFn, HTHEME, HDC, int, int, const RECT*, const RECT*)> drawThemeBackground;
    Seam<HRESULT(UxGetThemeColorFn, HTHEME, int, int, int, COLORREF*)> getThemeColor;
    Seam<HRESULT(UxGetCurrentThemeNameFn, LPWSTR, int, LPWSTR, int, LPWSTR, int)> currentThemeName;
    // The system's frame controls (DrawFrameControl: caption buttons drawn
    // by the system), so tests can see which kind and state were asked for.
    Seam<BOOL(HDC, LPRECT, UINT, UINT)> drawFrameControl;

    FoundationSeams();
};

extern FoundationSeams g_foundationSeams;

// An entry point found through findEntry, as the function type it has
// (null stays null).
template <typename F>
F FoundationEntryAs(FARPROC proc)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}
