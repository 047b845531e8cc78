#pragma once
// Seams of the library's foundation beyond the framework's
// (framework/win/FrameworkSeams.h): what tests cannot observe headless.
#include "framework/Seam.h"
#include "framework/win/WinSdk.h"

struct FoundationSeams {
    // The warning beep (MessageBeep).
    Seam<BOOL(UINT)> messageBeep;

    FoundationSeams();
};

extern FoundationSeams g_foundationSeams;
