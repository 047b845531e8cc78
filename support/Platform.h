#pragma once
// The few operating-system calls of the support library.  Each has a Windows
// side (PlatformWin.cpp) and a POSIX side (PlatformPosix.cpp); the rest of
// the library stays free of system headers.
#include <cstddef>
#include <cstdint>
#include <cstdio>

struct PlatformLocalTime {
    int year = 0;
    int month = 0;        // 1 to 12
    int day = 0;          // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// The current local time.
void PlatformGetLocalTime(PlatformLocalTime* out);

// Suspends the calling thread.
void PlatformSleep(unsigned milliseconds);

// Creates one folder; nonzero on success (an existing folder or a missing
// parent makes it fail).
int PlatformMakeDirectory(const char* path);

// Fills out with bytes from the system's cryptographic random source.
// Returns 0, or 1001 when no cryptographic context could be had, or 1002
// when generating the bytes failed.
int PlatformRandomBytes(unsigned char* out, size_t count);

// 64-bit file positions (a long is 32 bits on Windows).
int64_t PlatformFileTell(FILE* file);
int PlatformFileSeek(FILE* file, int64_t offset, int origin);   // 0 on success

// Closes a system handle (a printer connection's); null is ignored.  Only
// Windows hands out such handles.
void PlatformCloseHandle(void* handle);
