#pragma once
// COM/OLE for the calling thread: AfxOleInit initialises it once per thread
// (released when the thread's framework state goes at process exit);
// AfxOleIsInitialized tells code that needs COM objects (the taskbar list)
// whether this thread may create them.
#include "framework/win/WinSdk.h"

BOOL AfxOleInit();
BOOL AfxOleIsInitialized();
