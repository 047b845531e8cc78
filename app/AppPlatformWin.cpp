#include <windows.h>
#include <objbase.h>
#include <io.h>
#include <shlobj.h>

#include <cstring>

#include "app/AppPlatform.h"
#include "support/Utilities.h"

void AppNewGuid(AppGuid* guid)
{
    GUID g = {};
    CoCreateGuid(&g);
    guid->data1 = g.Data1;
    guid->data2 = g.Data2;
    guid->data3 = g.Data3;
    memcpy(guid->data4, g.Data4, 8);
}

bool AppFlushFile(FILE* file)
{
    if (fflush(file) != 0)
        return false;
    HANDLE h = (HANDLE)_get_osfhandle(_fileno(file));
    return h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
}

static void SystemReason(char* reason, size_t size)
{
    DWORD error = GetLastError();
    char text[256] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                             sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ' || text[n - 1] == '.'))
        text[--n] = 0;
    FormatBounded(reason, size, "%s (error %lu)", text, (unsigned long)error);
}

bool AppReplaceFile(const char* replacement, const char* target, char* reason, size_t reasonSize)
{
    // One rename over the target.  ReplaceFile is not used: where it moves
    // the target out of the way through a temporary file of its own, a
    // target that cannot be moved leaves that temporary file in the folder.
    if (MoveFileExA(replacement, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    SystemReason(reason, reasonSize);
    return false;
}

bool AppMoveFileAside(const char* path, const char* newPath)
{
    return MoveFileExA(path, newPath, MOVEFILE_WRITE_THROUGH) != 0;
}

bool AppFileExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

AppFileStamp AppGetFileStamp(const char* path)
{
    AppFileStamp stamp;
    // A handle without data access opens even a file another program holds
    // without sharing it.
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION information;
    if (file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information)) {
        stamp.size = (long long)(((unsigned long long)information.nFileSizeHigh << 32) | information.nFileSizeLow);
        stamp.time = (long long)(((unsigned long long)information.ftLastWriteTime.dwHighDateTime << 32) |
                                 information.ftLastWriteTime.dwLowDateTime);
        stamp.id = ((unsigned long long)information.nFileIndexHigh << 32) | information.nFileIndexLow;
        CloseHandle(file);
        return stamp;
    }
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return stamp;
    stamp.size = (long long)(((unsigned long long)data.nFileSizeHigh << 32) | data.nFileSizeLow);
    stamp.time = (long long)(((unsigned long long)data.ftLastWriteTime.dwHighDateTime << 32) |
                             data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

AppFileLock::AppFileLock(const char* path, int timeoutMs)
{
    // A named mutex of the user's session, named after the file's full
    // path in lower case (the system's file names ignore letter case).
    char full[MAX_PATH * 2] = "";
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full)
        FormatBounded(full, sizeof full, "%s", path);
    uint64_t hash = 1469598103934665603ull;
    for (const char* c = full; *c; ++c) {
        char lower = (*c >= 'A' && *c <= 'Z') ? (char)(*c - 'A' + 'a') : (*c == '/' ? '\\' : *c);
        hash = (hash ^ (unsigned char)lower) * 1099511628211ull;
    }
    char name[64];
    FormatBounded(name, sizeof name, "Local\\TROVconf-file-%016llx", (unsigned long long)hash);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    if (!mutex)
        return;
    DWORD waited = WaitForSingleObject(mutex, timeoutMs < 0 ? INFINITE : (DWORD)timeoutMs);
    // A copy that ended while holding the lock leaves it abandoned: the file
    // is still whole (it is replaced in one step), so the lock is taken.
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        m_handle = mutex;
        m_held = true;
    } else {
        m_busy = waited == WAIT_TIMEOUT;
        CloseHandle(mutex);
    }
}

AppFileLock::~AppFileLock()
{
    if (m_handle) {
        ReleaseMutex((HANDLE)m_handle);
        CloseHandle((HANDLE)m_handle);
    }
}

bool AppIsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool AppGetUserFolder(bool documents, char* buffer, size_t size)
{
    char path[MAX_PATH] = "";
    // The application-data folder of a fresh profile may not exist yet: the
    // system is asked to create it.
    int folder = (documents ? CSIDL_PERSONAL : CSIDL_APPDATA) | CSIDL_FLAG_CREATE;
    if (FAILED(SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0])
        return false;
    size_t length = strlen(path);
    while (length > 3 && (path[length - 1] == '\\' || path[length - 1] == '/'))
        path[--length] = 0;
    return FormatBounded(buffer, size, "%s", path) < (int)size;
}

size_t AppProfileGetString(const char* section, const char* key, const char* defaultText, char* buffer, size_t size,
                           const char* path)
{
    if (size == 0)
        return 0;
    return GetPrivateProfileStringA(section, key, defaultText, buffer, (DWORD)size, path);
}

bool AppProfileWriteString(const char* section, const char* key, const char* value, const char* path)
{
    return WritePrivateProfileStringA(section, key, value, path) != 0;
}

bool AppGetModulePath(char* buffer, size_t size)
{
    DWORD n = GetModuleFileNameA(nullptr, buffer, (DWORD)size);
    return n > 0 && n < size;
}

bool AppCreateTempFile(const char* prefix, std::string& path)
{
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > sizeof folder - 1)
        return false;
    char name[MAX_PATH + 1];
    // Unique 0: the system picks a name and creates the empty file.
    if (GetTempFileNameA(folder, prefix ? prefix : "", 0, name) == 0)
        return false;
    path = name;
    return true;
}

bool AppDeleteFile(const char* path)
{
    return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
}
