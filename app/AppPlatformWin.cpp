#include <windows.h>
#include <objbase.h>
#include <io.h>

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
    if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileA(target, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return true;
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
