#include "framework/win/FrameworkSeams.h"

#include <mmsystem.h>

namespace {

DWORD RealTickCount() { return ::GetTickCount(); }
BOOL RealCursorPos(POINT* point) { return ::GetCursorPos(point); }
BOOL RealSetCursorPos(int x, int y) { return ::SetCursorPos(x, y); }
SHORT RealKeyState(int key) { return ::GetKeyState(key); }
UINT_PTR RealSetTimer(HWND wnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return ::SetTimer(wnd, id, elapse, proc);
}
BOOL RealKillTimer(HWND wnd, UINT_PTR id) { return ::KillTimer(wnd, id); }
BOOL RealTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, const RECT* rect)
{
    return ::TrackPopupMenu(menu, flags, x, y, 0, owner, rect);
}
int RealMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(owner, text, caption, type);
}
HINSTANCE RealShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* folder, int show)
{
    return ::ShellExecuteA(owner, verb, file, parameters, folder, show);
}

// PlaySound lives in winmm.dll, which a program that never plays a sound
// need not load: look it up on first use.
BOOL RealPlaySound(const char* sound, HMODULE module, DWORD flags)
{
    typedef BOOL(WINAPI * PlaySoundFn)(LPCSTR, HMODULE, DWORD);
    static PlaySoundFn playSound = [] {
        HMODULE winmm = ::LoadLibraryA("winmm.dll");
        return winmm ? reinterpret_cast<PlaySoundFn>(reinterpret_cast<void*>(::GetProcAddress(winmm, "PlaySoundA")))
                     : nullptr;
    }();
    return playSound ? playSound(sound, module, flags) : FALSE;
}

BOOL RealWinHelp(HWND wnd, const char* file, UINT command, ULONG_PTR data)
{
    return ::WinHelpA(wnd, file, command, data);
}

int ScreenCaps(int index)
{
    HDC screen = ::GetDC(nullptr);
    int value = screen ? ::GetDeviceCaps(screen, index) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return value;
}
int RealColorDepth() { return ScreenCaps(BITSPIXEL) * ScreenCaps(PLANES); }
int RealScreenDpi()
{
    int dpi = ScreenCaps(LOGPIXELSX);
    return dpi > 0 ? dpi : 96;
}

// dwmapi.dll is absent before Vista and composition may be off: ask it
// through a run-time look-up, answering "off" when it cannot be asked.
bool RealCompositionEnabled()
{
    typedef HRESULT(WINAPI * IsCompositionEnabledFn)(BOOL*);
    static IsCompositionEnabledFn isEnabled = [] {
        HMODULE dwm = ::LoadLibraryA("dwmapi.dll");
        return dwm ? reinterpret_cast<IsCompositionEnabledFn>(
                         reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                   : nullptr;
    }();
    BOOL enabled = FALSE;
    return isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
}

} // namespace

FrameworkSeams::FrameworkSeams()
    : tickCount(RealTickCount), cursorPos(RealCursorPos), setCursorPos(RealSetCursorPos), keyState(RealKeyState),
      setTimer(RealSetTimer), killTimer(RealKillTimer), trackPopupMenu(RealTrackPopupMenu),
      messageBox(RealMessageBox), shellExecute(RealShellExecute), playSound(RealPlaySound),
      winHelp(RealWinHelp), colorDepth(RealColorDepth), screenDpi(RealScreenDpi),
      compositionEnabled(RealCompositionEnabled)
{
}

// Built before every other file-scope object, so that start-up code of the
// libraries above (the UI library's global data) may already ask the seams.
FrameworkSeams g_frameworkSeams __attribute__((init_priority(101)));
