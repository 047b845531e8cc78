// Mouse-leave tracking driven by a fake cursor and direct timer ticks, and
// the menu-sound thread driven through the sound seam.
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/MouseLeaveTracking.h"

#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

bool PeekMouseLeave(HWND hWnd)
{
    MSG msg;
    bool bLeave = false;
    while (::PeekMessageA(&msg, hWnd, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE))
        bLeave = true;
    return bLeave;
}

TEST(MouseLeaveTrackingTest, LeavingOntoAChildOrOutsidePostsOneMouseLeave)
{
    trovtest::InitFrameworkForTests();
    // Static controls are transparent to hit testing: a class of our own.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.lpszClassName = "TrovHotTracked";
    ::RegisterClassA(&wc);
    // Topmost: test programs run side by side on one desktop, and another
    // program's window over this one would take the cursor from it.
    HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "hot", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND hChild = ::CreateWindowExA(0, wc.lpszClassName, "child", WS_CHILD | WS_VISIBLE, 10, 10, 40, 40, hWnd, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(nullptr, hChild);

    struct Timer {
        HWND hWnd;
        UINT_PTR id;
        TIMERPROC proc;
    };
    std::vector<Timer> timers;
    std::vector<UINT_PTR> killed;
    ScopedSeam setTimer(g_frameworkSeams.setTimer, [&](HWND h, UINT_PTR id, UINT, TIMERPROC proc) {
        timers.push_back({h, id, proc});
        return id;
    });
    ScopedSeam killTimer(g_frameworkSeams.killTimer, [&](HWND, UINT_PTR id) { killed.push_back(id); return TRUE; });
    POINT cursor = {200, 200};   // inside, not over the child
    ScopedSeam cursorPos(g_frameworkSeams.cursorPos, [&](POINT* p) { *p = cursor; return TRUE; });

    TRACKMOUSEEVENT request = {sizeof request, TME_HOVER, hWnd, 0};
    EXPECT_EQ(0, TrackMouseLeave(&request));   // no leave flag: no timer
    EXPECT_TRUE(timers.empty());
    request.cbSize = 8;
    request.dwFlags = TME_LEAVE;
    EXPECT_FALSE(TrackMouseLeave(&request));
    request.cbSize = sizeof request;
    ASSERT_TRUE(TrackMouseLeave(&request));
    ASSERT_EQ(1u, timers.size());
    // Not an id a window would use for a timer of its own.
    EXPECT_GT(timers[0].id, UINT_PTR(0xFFFF));

    struct Step {
        const char* where;
        POINT cursor;
        bool leaves;
    } steps[] = {
        {"inside", {200, 200}, false},
        {"over the child", {100 + 20, 100 + 20}, true},
        {"outside", {50, 50}, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.where);
        killed.clear();
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        PeekMouseLeave(hWnd);
        cursor = step.cursor;
        timers[0].proc(hWnd, WM_TIMER, timers[0].id, 0);
        EXPECT_EQ(step.leaves, PeekMouseLeave(hWnd));
        EXPECT_EQ(step.leaves, !killed.empty());
    }
    ::DestroyWindow(hWnd);
}

TEST(MenuSoundTest, OneBelowNormalThreadPlaysRequestsWithoutDroppingOrRepeating)
{
    std::atomic<int> played{0};
    std::atomic<DWORD> soundThread{0};
    std::atomic<bool> purged{false};
    HANDLE hRelease = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hPlaying = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::vector<CString> aliases;
    ScopedSeam sound(g_frameworkSeams.playSound, [&](const char* alias, HMODULE, DWORD flags) {
        if (flags & SND_PURGE) {
            purged = true;
            return TRUE;
        }
        EXPECT_EQ(DWORD(SND_ALIAS | SND_NOWAIT | SND_NODEFAULT), flags);
        aliases.push_back(alias);
        soundThread = ::GetCurrentThreadId();
        ++played;
        ::SetEvent(hPlaying);
        ::WaitForSingleObject(hRelease, 5000);
        return TRUE;
    });

    PlayMenuSound(kMenuSoundPopup);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hPlaying, 5000));
    const DWORD threadId = GetMenuSoundThreadId();
    EXPECT_NE(0u, threadId);
    EXPECT_NE(::GetCurrentThreadId(), threadId);
    // Two requests while the first sound plays: kept, and played once.
    PlayMenuSound(kMenuSoundPopup);
    PlayMenuSound(kMenuSoundCommand);
    ::SetEvent(hRelease);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hPlaying, 5000));
    ::Sleep(50);
    EXPECT_EQ(2, played.load());
    EXPECT_EQ(threadId, GetMenuSoundThreadId());
    EXPECT_EQ(threadId, soundThread.load());
    ASSERT_EQ(2u, aliases.size());
    EXPECT_STREQ("MenuPopup", aliases[0]);
    EXPECT_STREQ("MenuCommand", aliases[1]);

    // The idle thread waits: no processor time while nothing is asked.
    HANDLE hThread = ::OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
    ASSERT_NE(nullptr, hThread);
    auto cpu = [&] {
        FILETIME created, exited, kernel, user;
        ::GetThreadTimes(hThread, &created, &exited, &kernel, &user);
        return (ULONGLONG(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
               (ULONGLONG(user.dwHighDateTime) << 32 | user.dwLowDateTime);
    };
    const ULONGLONG before = cpu();
    ::Sleep(300);
    EXPECT_LT(cpu() - before, 100000u);   // under 10 ms
    ::CloseHandle(hThread);

    PlayMenuSound(kMenuSoundStop);
    EXPECT_TRUE(purged.load());
    EXPECT_EQ(0u, GetMenuSoundThreadId());

    g_menuSoundsEnabled = FALSE;
    PlayMenuSound(kMenuSoundCommand);
    EXPECT_EQ(0u, GetMenuSoundThreadId());
    g_menuSoundsEnabled = TRUE;
    ::CloseHandle(hRelease);
    ::CloseHandle(hPlaying);
}

} // namespace
