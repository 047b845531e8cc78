// The framework's per-thread state and the idle cleanup of the thread's
// handle maps.
#include "framework/win/ThreadState.h"

#include "framework/win/HandleMap.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    thread_local AFX_THREAD_STATE* state = nullptr;
    if (state == nullptr)
        state = new AFX_THREAD_STATE;
    return state;
}

void AfxRegisterTempMapCleanup(void (*pfnCleanup)())
{
    AfxGetThreadState()->m_tempMapCleanups.push_back(pfnCleanup);
}

void AfxDeleteTempMaps()
{
    ASSERT(AfxGetThreadState()->m_nMessageLoopDepth <= 1);
    for (auto cleanup : AfxGetThreadState()->m_tempMapCleanups)
        cleanup();
}

void AfxDeleteTempMapsAtIdle()
{
    if (AfxGetThreadState()->m_nMessageLoopDepth <= 1)
        AfxDeleteTempMaps();
}
