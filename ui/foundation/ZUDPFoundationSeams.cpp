#include "ui/foundation/ZUDPFoundationSeams.h"

#include "framework/win/Monitor.h"

namespace {

HMODULE RealLoadModule(const char* name) { return ::LoadLibraryA(name); }
BOOL RealFreeModule(HMODULE module) { return module != nullptr && ::FreeLibrary(module); }
HMODULE RealLoadedModule(const char* name) { return ::GetModuleHandleA(name); }
FARPROC RealFindEntry(HMODULE module, const char* name)
{
    return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}
COLORREF RealSysColor(int index) { return ::GetSysColor(index); }
BOOL RealNonClientMetrics(NONCLIENTMETRICSA* metrics)
{
    return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics->cbSize, metrics, 0);
}
BOOL RealOsVersion(OSVERSIONINFOA* info)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ::GetVersionExA(info);
#pragma GCC diagnostic pop
}
UINT_PTR RealAppBarMessage(DWORD message, APPBARDATA* data) { return ::SHAppBarMessage(message, data); }
BOOL RealMessageBeep(UINT type) { return ::MessageBeep(type); }
BOOL RealMonitorWorkArea(POINT pt, RECT* pWorkArea) { return AfxGetMonitorRects(pt, nullptr, pWorkArea); }
BOOL RealPrimaryWorkArea(RECT* pWorkArea) { return AfxGetPrimaryWorkArea(pWorkArea); }
BOOL RealWriteFile(HANDLE file, const void* data, DWORD count, DWORD* written)
{
    return ::WriteFile(file, data, count, written, nullptr);
}
HTHEME RealOpenThemeData(UxOpenThemeDataFn open, HWND hWnd, LPCWSTR classList)
{
    return open != nullptr ? open(hWnd, classList) : nullptr;
}
HRESULT RealDrawThemeBackground(UxDrawThemeBackgroundFn draw, HTHEME theme, HDC hdc, int part, int state,
                                const RECT* rect, const RECT* clip)
{
    return draw != nullptr ? draw(theme, hdc, part, state, rect, clip) : E_NOTIMPL;
}
HRESULT RealGetThemeColor(UxGetThemeColorFn get, HTHEME theme, int part, int state, int property, COLORREF* colour)
{
    return get != nullptr ? get(theme, part, state, property, colour) : E_NOTIMPL;
}
HRESULT RealCurrentThemeName(UxGetCurrentThemeNameFn get, LPWSTR file, int fileChars, LPWSTR colour,
                             int colourChars, LPWSTR size, int sizeChars)
{
    return get != nullptr ? get(file, fileChars, colour, colourChars, size, sizeChars) : E_NOTIMPL;
}
BOOL RealDrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state)
{
    return ::DrawFrameControl(hdc, rect, type, state);
}

} // namespace

FoundationSeams::FoundationSeams()
    : loadModule(RealLoadModule), freeModule(RealFreeModule), loadedModule(RealLoadedModule),
      findEntry(RealFindEntry), sysColor(RealSysColor), nonClientMetrics(RealNonClientMetrics),
      osVersion(RealOsVersion), appBarMessage(RealAppBarMessage), messageBeep(RealMessageBeep),
      monitorWorkArea(RealMonitorWorkArea), primaryWorkArea(RealPrimaryWorkArea),
      writeFile(RealWriteFile),
      openThemeData(RealOpenThemeData), drawThemeBackground(RealDrawThemeBackground), getThemeColor(RealGetThemeColor),
      currentThemeName(RealCurrentThemeName), drawFrameControl(RealDrawFrameControl)
{
}

// Built before every ordinary file-scope object: the library's start-up unit
// builds the global UI data from these entries.
FoundationSeams g_foundationSeams __attribute__((init_priority(102)));
