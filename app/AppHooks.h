#pragma once
// Replaceable hooks of the machine manager for what tests cannot produce
// headless.  Each hook defaults to the system's own behaviour; a test sets
// its replacement and restores the default (nullptr) when it ends.
#include <cstdint>

#include "framework/Seam.h"

// The millisecond tick count that the controller connection's reply timeout
// reads (it wraps after about 49 days, like the system's).
typedef uint32_t (*AppTickCountHook)();
void SetAppTickCountHook(AppTickCountHook hook);
uint32_t AppTickCount();

// Moves a damaged file aside under a new name (never replacing a file of
// that name); false when the folder does not allow it.
extern Seam<bool(const char* path, const char* newPath)> g_appMoveFileAside;
