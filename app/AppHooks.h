#pragma once
// Replaceable hooks of the machine manager for what tests cannot produce
// headless.  Each hook defaults to the system's own behaviour; a test sets
// its replacement and restores the default (nullptr) when it ends.
#include <cstdint>

// The millisecond tick count that the controller connection's reply timeout
// reads (it wraps after about 49 days, like the system's).
typedef uint32_t (*AppTickCountHook)();
void SetAppTickCountHook(AppTickCountHook hook);
uint32_t AppTickCount();
