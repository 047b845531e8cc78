#include "ui/foundation/MenuSound.h"

#include <process.h>

#include <atomic>

#include "framework/win/FrameworkSeams.h"

BOOL g_menuSoundsEnabled = TRUE;

namespace {

const int kNoThread = -2;
const int kIdle = 0;

SRWLOCK g_startLock = SRWLOCK_INIT;

class StartLock {
public:
    StartLock() { ::AcquireSRWLockExclusive(&g_startLock); }
    ~StartLock() { ::ReleaseSRWLockExclusive(&g_startLock); }
};
std::atomic<int> g_request{kNoThread};
HANDLE g_thread = nullptr;
HANDLE g_wakeEvent = nullptr;
std::atomic<DWORD> g_threadId{0};

unsigned __stdcall SoundThread(void*)
{
    for (;;) {
        ::WaitForSingleObject(g_wakeEvent, INFINITE);
        // Take the pending request; one arriving while a sound plays sets
        // the event again and is taken on the next round.
        int nRequest = g_request.load();
        if (nRequest == kMenuSoundStop)
            break;
        nRequest = g_request.exchange(kIdle);
        if (nRequest == kMenuSoundStop)
            break;
        const DWORD kFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
        if (nRequest == kMenuSoundCommand)
            g_frameworkSeams.playSound("MenuCommand", nullptr, kFlags);
        else if (nRequest == kMenuSoundPopup)
            g_frameworkSeams.playSound("MenuPopup", nullptr, kFlags);
    }
    g_frameworkSeams.playSound(nullptr, nullptr, SND_PURGE);
    return 0;
}

} // namespace

void PlayMenuSound(int nSound)
{
    if (!g_menuSoundsEnabled)
        return;
    StartLock lock;
    if (g_thread != nullptr) {
        g_request.store(nSound);
        ::SetEvent(g_wakeEvent);
        if (nSound == kMenuSoundStop) {
            ::WaitForSingleObject(g_thread, 5000);
            ::CloseHandle(g_thread);
            g_thread = nullptr;
            g_threadId = 0;
            g_request.store(kNoThread);
        }
        return;
    }
    if (nSound == kMenuSoundStop)
        return;
    if (g_wakeEvent == nullptr)
        g_wakeEvent = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (g_wakeEvent == nullptr)
        return;
    g_request.store(nSound);
    unsigned threadId = 0;
    g_thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, SoundThread, nullptr, 0, &threadId));
    if (g_thread == nullptr) {
        g_request.store(kNoThread);   // a later request tries again
        return;
    }
    g_threadId = threadId;
    ::SetThreadPriority(g_thread, THREAD_PRIORITY_BELOW_NORMAL);
    ::SetEvent(g_wakeEvent);
}

DWORD GetMenuSoundThreadId()
{
    return g_threadId.load();
}
