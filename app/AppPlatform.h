#pragma once
// The few system calls of the machine manager's portable core: a Windows
// side (AppPlatformWin.cpp) and a POSIX side (AppPlatformPosix.cpp).
#include <cstdint>
#include <cstdio>

struct AppGuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    unsigned char data4[8] = {};
};

// A new globally unique identifier (CoCreateGuid on Windows; a random
// version-4 identifier elsewhere).
void AppNewGuid(AppGuid* guid);

// Pushes a written file's data to the disk before it replaces another; false
// on failure.
bool AppFlushFile(FILE* file);

// Puts the file `replacement` in the place of `target` in one step (the
// target need not exist); false, with the system's reason in `reason`, when
// it could not.
bool AppReplaceFile(const char* replacement, const char* target, char* reason, size_t reasonSize);

// Moves a file to a new name that must not exist yet; false on failure.
bool AppMoveFileAside(const char* path, const char* newPath);

bool AppFileExists(const char* path);
