#pragma once
// Windows tests: framework set-up and a bounded message pump, so that a
// test drives windows by posting messages and waits for their effect
// without ever waiting for real input.
#include "framework/win/WinApp.h"

#include <functional>

namespace trovtest {

// Initialises the framework for a test program (once).
inline void InitFrameworkForTests()
{
    static bool done = false;
    if (!done) {
        done = true;
        AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    }
}

// Dispatches the thread's messages (through PreTranslateMessage) until the
// condition holds or the time is up; TRUE when the condition held.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (condition())
                return true;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Dispatches what is queued now.
inline void PumpPending() { PumpUntil([] { return false; }, 0); }

} // namespace trovtest
