// Windows side of the support library's system calls.
#include "support/Platform.h"

#include <windows.h>
#include <wincrypt.h>

void PlatformGetLocalTime(PlatformLocalTime* out)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    out->year = now.wYear;
    out->month = now.wMonth;
    out->day = now.wDay;
    out->hour = now.wHour;
    out->minute = now.wMinute;
    out->second = now.wSecond;
    out->milliseconds = now.wMilliseconds;
}

void PlatformSleep(unsigned milliseconds)
{
    Sleep(milliseconds);
}

int PlatformMakeDirectory(const char* path)
{
    return path != nullptr && CreateDirectoryA(path, nullptr) != 0;
}

int PlatformRandomBytes(unsigned char* out, size_t count)
{
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
        if ((DWORD)GetLastError() != (DWORD)NTE_BAD_KEYSET
            || !CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL,
                                     CRYPT_VERIFYCONTEXT | CRYPT_NEWKEYSET))
            return 1001;
    }
    int result = 0;
    while (count > 0) {
        DWORD part = count > 0x10000000u ? 0x10000000u : (DWORD)count;
        if (!CryptGenRandom(provider, part, out)) {
            result = 1002;
            break;
        }
        out += part;
        count -= part;
    }
    CryptReleaseContext(provider, 0);
    return result;
}

int64_t PlatformFileTell(FILE* file)
{
    return (int64_t)_ftelli64(file);
}

int PlatformFileSeek(FILE* file, int64_t offset, int origin)
{
    return _fseeki64(file, (__int64)offset, origin);
}

void PlatformCloseHandle(void* handle)
{
    if (handle && handle != INVALID_HANDLE_VALUE)
        CloseHandle((HANDLE)handle);
}
