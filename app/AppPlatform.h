#pragma once
// The few system calls of the machine manager's portable core: a Windows
// side (AppPlatformWin.cpp) and a POSIX side (AppPlatformPosix.cpp).
#include <cstdint>
#include <cstdio>
#include <string>

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

bool AppIsFolder(const char* path);

// The separator of the system's paths ("\\" on Windows).
#ifdef _WIN32
#define APP_PATH_SEPARATOR "\\"
#else
#define APP_PATH_SEPARATOR "/"
#endif

// The user's documents folder (documents set) or application-data folder,
// without a final separator; false when the system cannot say.
bool AppGetUserFolder(bool documents, char* buffer, size_t size);

// Profile (ini) files: the text of a key in a section into buffer (at most
// size - 1 characters, terminated); the default when the key or the file is
// missing.  Returns the number of characters copied.
size_t AppProfileGetString(const char* section, const char* key, const char* defaultText, char* buffer, size_t size,
                           const char* path);
// Sets a key of a section (creating file, section and key as needed).
bool AppProfileWriteString(const char* section, const char* key, const char* value, const char* path);

// The program's own path; false when it cannot be had.
bool AppGetModulePath(char* buffer, size_t size);

// Creates a new empty file with a unique name beginning with the prefix in
// the user's temporary folder (GetTempPath and GetTempFileName on Windows)
// and returns its path; false when none could be made.
bool AppCreateTempFile(const char* prefix, std::string& path);
// Deletes a file; false when it exists and could not be deleted.
bool AppDeleteFile(const char* path);
