// System calls of the framework's portable part, Windows side.
#include "framework/Platform.h"

#include <windows.h>

#include <io.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "framework/Exceptions.h"
#include "framework/File.h"

namespace FrameworkPlatform {

namespace {

// 100-nanosecond ticks from 1601 to seconds from 1970.
LONGLONG SecondsOf(const FILETIME& ft)
{
    ULONGLONG ticks = (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    if (ticks == 0)
        return 0;
    return LONGLONG(ticks / 10000000ull) - 11644473600ll;
}

// The times, size and attributes of a file, from either of the system's
// records that carry them (by name or by open handle).
template <class TFileRecord>
void FillStatus(const TFileRecord& record, CFileStatus& status)
{
    status.m_ctime = CTime(SecondsOf(record.ftCreationTime));
    status.m_atime = CTime(SecondsOf(record.ftLastAccessTime));
    status.m_mtime = CTime(SecondsOf(record.ftLastWriteTime));
    status.m_size = (ULONGLONG(record.nFileSizeHigh) << 32) | record.nFileSizeLow;
    status.m_attribute = BYTE(record.dwFileAttributes & 0xFF);
}

} // namespace

const HANDLE kNoHandle = INVALID_HANDLE_VALUE;

bool LocalTime(LONGLONG t, struct tm* out)
{
    __time64_t tt = t;
    return _localtime64_s(out, &tt) == 0;
}

bool GmTime(LONGLONG t, struct tm* out)
{
    __time64_t tt = t;
    return _gmtime64_s(out, &tt) == 0;
}

LONGLONG CurrentTime()
{
    return LONGLONG(_time64(nullptr));
}

HANDLE OpenFile(LPCSTR name, UINT openFlags, LONG* error)
{
    DWORD access;
    switch (openFlags & 3) {
    case CFile::modeRead: access = GENERIC_READ; break;
    case CFile::modeWrite: access = GENERIC_WRITE; break;
    case CFile::modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default:
        *error = ERROR_INVALID_PARAMETER;
        return kNoHandle;
    }
    DWORD share;
    switch (openFlags & 0x70) {
    case CFile::shareDenyWrite: share = FILE_SHARE_READ; break;
    case CFile::shareDenyRead: share = FILE_SHARE_WRITE; break;
    case CFile::shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;     // shareExclusive, shareCompat
    }
    DWORD creation = OPEN_EXISTING;
    if (openFlags & CFile::modeCreate)
        creation = (openFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (openFlags & CFile::osNoBuffer)
        attributes |= FILE_FLAG_NO_BUFFERING;
    if (openFlags & CFile::osWriteThrough)
        attributes |= FILE_FLAG_WRITE_THROUGH;
    if (openFlags & CFile::osRandomAccess)
        attributes |= FILE_FLAG_RANDOM_ACCESS;
    if (openFlags & CFile::osSequentialScan)
        attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    SECURITY_ATTRIBUTES sa = { sizeof sa, nullptr, (openFlags & CFile::modeNoInherit) ? FALSE : TRUE };
    HANDLE h = ::CreateFileA(name, access, share, &sa, creation, attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        *error = LONG(::GetLastError());
    return h;
}

bool CloseFile(HANDLE h, LONG* error)
{
    if (!::CloseHandle(h)) {
        *error = LONG(::GetLastError());
        return false;
    }
    return true;
}

bool ReadFile(HANDLE h, void* buffer, UINT count, UINT* read, LONG* error)
{
    DWORD n = 0;
    if (!::ReadFile(h, buffer, count, &n, nullptr)) {
        DWORD e = ::GetLastError();
        if (e == ERROR_BROKEN_PIPE || e == ERROR_HANDLE_EOF) {
            *read = 0;
            return true;
        }
        *error = LONG(e);
        return false;
    }
    *read = n;
    return true;
}

bool WriteFile(HANDLE h, const void* buffer, UINT count, LONG* error)
{
    DWORD n = 0;
    if (!::WriteFile(h, buffer, count, &n, nullptr)) {
        *error = LONG(::GetLastError());
        return false;
    }
    if (n != count) {
        *error = ERROR_DISK_FULL;
        return false;
    }
    return true;
}

bool SeekFile(HANDLE h, LONGLONG offset, UINT from, ULONGLONG* newPosition, LONG* error)
{
    static const DWORD kMethod[] = { FILE_BEGIN, FILE_CURRENT, FILE_END };
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!::SetFilePointerEx(h, distance, &result, kMethod[from])) {
        *error = LONG(::GetLastError());
        return false;
    }
    *newPosition = ULONGLONG(result.QuadPart);
    return true;
}

bool FileLength(HANDLE h, ULONGLONG* length, LONG* error)
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(h, &size)) {
        *error = LONG(::GetLastError());
        return false;
    }
    *length = ULONGLONG(size.QuadPart);
    return true;
}

bool SetFileLength(HANDLE h, ULONGLONG length, LONG* error)
{
    ULONGLONG current = 0;
    if (!SeekFile(h, 0, 1, &current, error))
        return false;
    ULONGLONG ignored;
    if (!SeekFile(h, LONGLONG(length), 0, &ignored, error))
        return false;
    bool ok = ::SetEndOfFile(h) != 0;
    if (!ok)
        *error = LONG(::GetLastError());
    LONG unused;
    SeekFile(h, LONGLONG(current < length ? current : length), 0, &ignored, &unused);
    return ok;
}

bool FlushFile(HANDLE h, LONG* error)
{
    if (!::FlushFileBuffers(h)) {
        DWORD e = ::GetLastError();
        if (e == ERROR_INVALID_HANDLE)
            return true;   // consoles and pipes have nothing to flush
        *error = LONG(e);
        return false;
    }
    return true;
}

bool RenameFile(LPCSTR oldName, LPCSTR newName, LONG* error)
{
    if (!::MoveFileA(oldName, newName)) {
        *error = LONG(::GetLastError());
        return false;
    }
    return true;
}

bool RemoveFile(LPCSTR name, LONG* error)
{
    if (!::DeleteFileA(name)) {
        *error = LONG(::GetLastError());
        return false;
    }
    return true;
}

bool StatusOfFile(LPCSTR name, CFileStatus& status)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(name, GetFileExInfoStandard, &data))
        return false;
    FillStatus(data, status);
    return true;
}

bool StatusOfHandle(HANDLE h, CFileStatus& status)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(h, &info))
        return false;
    FillStatus(info, status);
    return true;
}

int CauseOf(LONG error)
{
    return CFileException::OsErrorToException(error);
}

LONG LastError()
{
    return LONG(::GetLastError());
}

std::string FullPath(LPCSTR name)
{
    if (name == nullptr)
        return std::string();
    char buffer[MAX_PATH * 4];
    DWORD n = ::GetFullPathNameA(name, sizeof buffer, buffer, nullptr);
    if (n == 0 || n >= sizeof buffer)
        return name;
    return std::string(buffer, n);
}

FILE* OpenStream(LPCSTR name, const char* mode, LONG* error)
{
    FILE* stream = std::fopen(name, mode);
    if (stream == nullptr)
        *error = errno;
    return stream;
}

HANDLE HandleOfStream(FILE* stream)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool SeekStream(FILE* stream, LONGLONG offset, int whence)
{
    return _fseeki64(stream, offset, whence) == 0;
}

LONGLONG TellStream(FILE* stream)
{
    return LONGLONG(_ftelli64(stream));
}

bool TruncateStream(FILE* stream, ULONGLONG length)
{
    return _chsize_s(_fileno(stream), LONGLONG(length)) == 0;
}

bool FindFiles(LPCSTR pattern, std::vector<FoundFile>& found)
{
    found.clear();
    if (pattern == nullptr)
        return false;
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA(pattern, &data);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    do {
        FoundFile f;
        f.name = data.cFileName;
        f.length = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        f.attributes = data.dwFileAttributes;
        f.creationTime = SecondsOf(data.ftCreationTime);
        f.lastAccessTime = SecondsOf(data.ftLastAccessTime);
        f.lastWriteTime = SecondsOf(data.ftLastWriteTime);
        found.push_back(f);
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);
    return !found.empty();
}

std::string NarrowText(const unsigned char* utf16le, size_t units)
{
    if (units == 0)
        return std::string();
    std::wstring wide(units, L'\0');
    for (size_t i = 0; i < units; ++i)
        wide[i] = wchar_t(unsigned(utf16le[2 * i]) | (unsigned(utf16le[2 * i + 1]) << 8));
    int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), int(units), nullptr, 0, "?", nullptr);
    if (n <= 0)
        return std::string(units, '?');
    std::string out(size_t(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), int(units), &out[0], n, "?", nullptr);
    return out;
}

} // namespace FrameworkPlatform
