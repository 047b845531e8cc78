#pragma once
// The framework's per-thread state: the window being created, the message
// being handled and pumped, the thread object, the wait cursor and the idle
// cleanups of the thread's handle maps.  The window core, the message pump
// and the handle maps all read it; it depends on none of them.
#include "framework/win/WinSdk.h"

#include <vector>

class CWnd;
class CWinThread;

struct AFX_THREAD_STATE {
    CWnd* m_pWndInit = nullptr;          // window object being created by CreateEx
    HHOOK m_hHookOldCbtFilter = nullptr; // the creation hook while it is set
    MSG m_lastSentMsg = {};              // message being handled (for Default)
    MSG m_msgCur = {};                   // message being pumped
    CWinThread* m_pThread = nullptr;     // the thread object of this thread
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
    std::vector<void (*)()> m_tempMapCleanups;
    int m_nMessageLoopDepth = 0;         // message loops running (the thread's and modal ones)
};

// The calling thread's state, made on first use and never destroyed, so
// that objects with static lifetime can still reach it while the program
// exits.
AFX_THREAD_STATE* AfxGetThreadState();

// Counts a message loop while it runs: temporary objects are deleted only at
// the idle of the outermost one, since code below a nested modal loop on the
// stack may still hold temporaries it got before the loop started.
class CMessageLoopScope {
public:
    CMessageLoopScope() { ++AfxGetThreadState()->m_nMessageLoopDepth; }
    ~CMessageLoopScope() { --AfxGetThreadState()->m_nMessageLoopDepth; }
    CMessageLoopScope(const CMessageLoopScope&) = delete;
    CMessageLoopScope& operator=(const CMessageLoopScope&) = delete;
};
// The idle cleanup of a message loop: deletes the temporary objects when the
// loop running is the outermost one, keeps them otherwise.
void AfxDeleteTempMapsAtIdle();
