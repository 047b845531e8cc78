#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/WinApp.h"

#include <mmsystem.h>
#include <ole2.h>

namespace {

DWORD RealTickCount() { return ::GetTickCount(); }
BOOL RealCursorPos(POINT* point) { return ::GetCursorPos(point); }
BOOL RealSetCursorPos(int x, int y) { return ::SetCursorPos(x, y); }
SHORT RealKeyState(int key) { return ::GetKeyState(key); }
SHORT RealAsyncKeyState(int key) { return ::GetAsyncKeyState(key); }
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

// The drag delay of the system's drag and drop (DD_DEFDRAGDELAY).
constexpr DWORD kDragDelay = 200;

BOOL RealDragStartLoop(HWND hWnd, const RECT* pRectStartDrag)
{
    if (hWnd != nullptr)
        ::SetCapture(hWnd);
    const DWORD start = ::GetTickCount();
    BOOL started = FALSE;
    for (;;) {
        if (hWnd != nullptr && ::GetCapture() != hWnd)
            break;
        MSG msg;
        // Only mouse and key messages are taken; the rest wait in the
        // queue for the loop that runs after the drag.
        if (::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
            ::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
            if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP || msg.message == WM_MBUTTONUP ||
                msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN)
                break;
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            if (msg.message == WM_MOUSEMOVE && pRectStartDrag != nullptr && !::PtInRect(pRectStartDrag, msg.pt)) {
                started = TRUE;
                break;
            }
            continue;
        }
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= kDragDelay) {
            started = TRUE;
            break;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kDragDelay - elapsed, QS_MOUSE | QS_KEY);
    }
    if (hWnd != nullptr && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    return started;
}

HRESULT RealDragLoop(IDataObject* pDataObject, IDropSource* pDropSource, DWORD dwOkEffects, DWORD* pdwEffect)
{
    return ::DoDragDrop(pDataObject, pDropSource, dwOkEffects, pdwEffect);
}

HDC RealPrinterDC(CPrintInfo* pInfo)
{
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    if (pInfo != nullptr) {
        pd.Flags |= pInfo->m_dwFlags;
        if (pInfo->m_bPreview || pInfo->m_bDirect)
            pd.Flags |= PD_RETURNDEFAULT;
    }
    CWnd* pMain = AfxGetMainWnd();
    pd.hwndOwner = pMain != nullptr ? pMain->GetSafeHwnd() : nullptr;
    if (!::PrintDlgA(&pd))
        return nullptr;
    if (pd.hDevMode != nullptr)
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames != nullptr)
        ::GlobalFree(pd.hDevNames);
    return pd.hDC;
}

} // namespace

FrameworkSeams::FrameworkSeams()
    : tickCount(RealTickCount), cursorPos(RealCursorPos), setCursorPos(RealSetCursorPos), keyState(RealKeyState),
      asyncKeyState(RealAsyncKeyState),
      setTimer(RealSetTimer), killTimer(RealKillTimer), trackPopupMenu(RealTrackPopupMenu),
      messageBox(RealMessageBox), shellExecute(RealShellExecute), playSound(RealPlaySound),
      winHelp(RealWinHelp), colorDepth(RealColorDepth), screenDpi(RealScreenDpi),
      compositionEnabled(RealCompositionEnabled), dragStartLoop(RealDragStartLoop), dragLoop(RealDragLoop),
      printerDC(RealPrinterDC), startDoc(::StartDocA), startPage(::StartPage), endPage(::EndPage), endDoc(::EndDoc),
      abortDoc(::AbortDoc), printerCaps(::GetDeviceCaps)
{
}

// Built before every other file-scope object, so that start-up code of the
// libraries above (the UI library's global data) may already ask the seams.
FrameworkSeams g_frameworkSeams __attribute__((init_priority(101)));
