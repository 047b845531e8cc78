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

// What tells one version of a file from the next: its size, its last write
// time in the system's unit, and which file of the volume it is (a file
// rewritten through a temporary file that replaces it is another file, even
// when written within the clock's resolution at the same size).  A missing
// file has size and time -1.
struct AppFileStamp {
    long long size = -1;
    long long time = -1;
    unsigned long long id = 0; // file index or inode; 0 when the system cannot say
    bool Exists() const { return size >= 0; }
    bool operator==(const AppFileStamp& other) const
    {
        return size == other.size && time == other.time && (id == other.id || id == 0 || other.id == 0);
    }
    bool operator!=(const AppFileStamp& other) const { return !(*this == other); }
};
AppFileStamp AppGetFileStamp(const char* path);

// A lock shared by every running copy of the program on one file: a copy
// holds it from reading the file on disk to putting its new version in
// place, so that no other copy's version falls in between.  Nothing is
// written to the disk for it.
class AppFileLock {
public:
    // Waits up to timeoutMs for the lock.  Busy() when another copy kept it
    // that long; a lock the system cannot make (no such folder, for a file
    // that cannot be written anyway) is neither held nor busy.
    AppFileLock(const char* path, int timeoutMs);
    ~AppFileLock();
    AppFileLock(const AppFileLock&) = delete;
    AppFileLock& operator=(const AppFileLock&) = delete;
    bool Held() const { return m_held; }
    bool Busy() const { return m_busy; }

private:
    bool m_held = false;
    bool m_busy = false;
    void* m_handle = nullptr; // the system's lock object (Windows)
    int m_descriptor = -1;    // the locked folder (POSIX)
};

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
