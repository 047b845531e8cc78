#include "framework/win/Ole.h"

#include <ole2.h>

namespace {

// Uninitialises OLE when the thread that initialised it ends (or the
// process exits, for the main thread).
struct ThreadOleState {
    BOOL initialized = FALSE;
    ~ThreadOleState()
    {
        if (initialized)
            ::OleUninitialize();
    }
};

thread_local ThreadOleState t_oleState;

} // namespace

BOOL AfxOleInit()
{
    if (t_oleState.initialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(nullptr);
    // S_FALSE: already initialised on this thread by someone else; the
    // reference is ours to release all the same.
    if (FAILED(hr))
        return FALSE;
    t_oleState.initialized = TRUE;
    return TRUE;
}

BOOL AfxOleIsInitialized() { return t_oleState.initialized; }
