// System calls of the framework's portable part, POSIX side.
#include "framework/Platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "framework/Exceptions.h"
#include "framework/File.h"

namespace FrameworkPlatform {

namespace {

int Fd(HANDLE h) { return int(reinterpret_cast<intptr_t>(h)); }
HANDLE Handle(int fd) { return reinterpret_cast<HANDLE>(intptr_t(fd)); }

BYTE AttributesOf(const struct stat& st, const char* name)
{
    BYTE a = 0;
    if (S_ISDIR(st.st_mode))
        a |= CFile::directory;
    else
        a |= CFile::archive;
    if ((st.st_mode & S_IWUSR) == 0)
        a |= CFile::readOnly;
    const char* base = std::strrchr(name, '/');
    base = base != nullptr ? base + 1 : name;
    if (base[0] == '.' && std::strcmp(base, ".") != 0 && std::strcmp(base, "..") != 0)
        a |= CFile::hidden;
    return a;
}

void FillStatus(const struct stat& st, const char* name, CFileStatus& status)
{
    status.m_ctime = CTime(LONGLONG(st.st_ctime));
    status.m_mtime = CTime(LONGLONG(st.st_mtime));
    status.m_atime = CTime(LONGLONG(st.st_atime));
    status.m_size = ULONGLONG(st.st_size);
    status.m_attribute = AttributesOf(st, name);
}

// Wildcard match as the Windows folder search does it: '*' any run, '?' one
// character, letters without regard to case, and "*.*" matches every name.
bool Matches(const char* pattern, const char* name)
{
    if (std::strcmp(pattern, "*.*") == 0)
        return true;
    const char* starP = nullptr;
    const char* starN = nullptr;
    while (*name != '\0') {
        char p = *pattern, n = *name;
        if (p == '*') {
            starP = ++pattern;
            starN = name;
            continue;
        }
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (p != '\0' && (p == '?' || lower(p) == lower(n))) {
            ++pattern;
            ++name;
            continue;
        }
        if (starP == nullptr)
            return false;
        pattern = starP;
        name = ++starN;
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

} // namespace

const HANDLE kNoHandle = reinterpret_cast<HANDLE>(intptr_t(-1));

bool LocalTime(LONGLONG t, struct tm* out)
{
    time_t tt = time_t(t);
    return localtime_r(&tt, out) != nullptr;
}

bool GmTime(LONGLONG t, struct tm* out)
{
    time_t tt = time_t(t);
    return gmtime_r(&tt, out) != nullptr;
}

LONGLONG CurrentTime()
{
    return LONGLONG(std::time(nullptr));
}

HANDLE OpenFile(LPCSTR name, UINT openFlags, LONG* error)
{
    int flags = O_CLOEXEC;
    switch (openFlags & 3) {
    case CFile::modeRead: flags |= O_RDONLY; break;
    case CFile::modeWrite: flags |= O_WRONLY; break;
    case CFile::modeReadWrite: flags |= O_RDWR; break;
    default:
        *error = EINVAL;
        return kNoHandle;
    }
    if (openFlags & CFile::modeCreate) {
        flags |= O_CREAT;
        if (!(openFlags & CFile::modeNoTruncate))
            flags |= O_TRUNC;
    }
    int fd = ::open(name, flags, 0666);
    if (fd < 0) {
        *error = errno;
        if (*error == ENOENT) {
            // As on Windows, a missing folder is a bad path, not a missing file.
            std::string folder(name);
            size_t cut = folder.find_last_of('/');
            struct stat st;
            if (cut != std::string::npos && cut > 0 && ::stat(folder.substr(0, cut).c_str(), &st) != 0)
                *error = ENOTDIR;
        }
        return kNoHandle;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        *error = EACCES;
        return kNoHandle;
    }
    return Handle(fd);
}

bool CloseFile(HANDLE h, LONG* error)
{
    if (::close(Fd(h)) != 0) {
        *error = errno;
        return false;
    }
    return true;
}

bool ReadFile(HANDLE h, void* buffer, UINT count, UINT* read, LONG* error)
{
    UINT total = 0;
    while (total < count) {
        ssize_t n = ::read(Fd(h), static_cast<char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (n == 0)
            break;
        total += UINT(n);
    }
    *read = total;
    return true;
}

bool WriteFile(HANDLE h, const void* buffer, UINT count, LONG* error)
{
    UINT total = 0;
    while (total < count) {
        ssize_t n = ::write(Fd(h), static_cast<const char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        total += UINT(n);
    }
    return true;
}

bool SeekFile(HANDLE h, LONGLONG offset, UINT from, ULONGLONG* newPosition, LONG* error)
{
    static const int kWhence[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    off_t pos = ::lseek(Fd(h), off_t(offset), kWhence[from]);
    if (pos < 0) {
        *error = errno;
        return false;
    }
    *newPosition = ULONGLONG(pos);
    return true;
}

bool FileLength(HANDLE h, ULONGLONG* length, LONG* error)
{
    struct stat st;
    if (::fstat(Fd(h), &st) != 0) {
        *error = errno;
        return false;
    }
    *length = ULONGLONG(st.st_size);
    return true;
}

bool SetFileLength(HANDLE h, ULONGLONG length, LONG* error)
{
    if (length > ULONGLONG(LLONG_MAX) || ::ftruncate(Fd(h), off_t(length)) != 0) {
        *error = length > ULONGLONG(LLONG_MAX) ? EINVAL : errno;
        return false;
    }
    return true;
}

bool FlushFile(HANDLE h, LONG* error)
{
    if (::fsync(Fd(h)) != 0 && errno != EINVAL) {
        *error = errno;
        return false;
    }
    return true;
}

bool RenameFile(LPCSTR oldName, LPCSTR newName, LONG* error)
{
    // As on Windows, renaming never replaces an existing file.
    struct stat st;
    if (::lstat(newName, &st) == 0) {
        *error = EEXIST;
        return false;
    }
    if (::rename(oldName, newName) != 0) {
        *error = errno;
        return false;
    }
    return true;
}

bool RemoveFile(LPCSTR name, LONG* error)
{
    if (::unlink(name) != 0) {
        *error = errno;
        return false;
    }
    return true;
}

bool StatusOfFile(LPCSTR name, CFileStatus& status)
{
    struct stat st;
    if (::stat(name, &st) != 0)
        return false;
    FillStatus(st, name, status);
    return true;
}

bool StatusOfHandle(HANDLE h, CFileStatus& status)
{
    struct stat st;
    if (::fstat(Fd(h), &st) != 0)
        return false;
    FillStatus(st, "", status);
    return true;
}

int CauseOf(LONG error)
{
    return CFileException::ErrnoToException(int(error));
}

LONG LastError()
{
    return errno;
}

std::string FullPath(LPCSTR name)
{
    if (name == nullptr)
        return std::string();
    if (name[0] == '/')
        return name;
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) == nullptr)
        return name;
    return std::string(cwd) + "/" + name;
}

FILE* OpenStream(LPCSTR name, const char* mode, LONG* error)
{
    // The 't' of a text mode means nothing here.
    char m[8] = {};
    size_t j = 0;
    for (size_t i = 0; mode[i] != '\0' && j + 2 < sizeof m; ++i) {
        if (mode[i] != 't')
            m[j++] = mode[i];
    }
    m[j++] = 'e';   // close on exec
    FILE* stream = std::fopen(name, m);
    if (stream == nullptr)
        *error = errno;
    return stream;
}

HANDLE HandleOfStream(FILE* stream)
{
    return Handle(::fileno(stream));
}

bool SeekStream(FILE* stream, LONGLONG offset, int whence)
{
    return ::fseeko(stream, off_t(offset), whence) == 0;
}

LONGLONG TellStream(FILE* stream)
{
    return LONGLONG(::ftello(stream));
}

bool TruncateStream(FILE* stream, ULONGLONG length)
{
    return length <= ULONGLONG(LLONG_MAX) && ::ftruncate(::fileno(stream), off_t(length)) == 0;
}

bool FindFiles(LPCSTR pattern, std::vector<FoundFile>& found)
{
    found.clear();
    if (pattern == nullptr)
        return false;
    std::string full(pattern);
    std::string folder, mask;
    size_t cut = full.find_last_of("/\\");
    if (cut == std::string::npos) {
        folder = ".";
        mask = full;
    } else {
        folder = full.substr(0, cut + 1);
        mask = full.substr(cut + 1);
    }
    if (mask.empty())
        return false;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    while (struct dirent* entry = ::readdir(dir)) {
        if (!Matches(mask.c_str(), entry->d_name))
            continue;
        std::string path = (cut == std::string::npos ? std::string() : folder) + entry->d_name;
        struct stat st;
        if (::stat(path.c_str(), &st) != 0)
            continue;
        FoundFile f;
        f.name = entry->d_name;
        f.length = S_ISDIR(st.st_mode) ? 0 : ULONGLONG(st.st_size);
        f.attributes = AttributesOf(st, entry->d_name);
        f.creationTime = LONGLONG(st.st_ctime);
        f.lastAccessTime = LONGLONG(st.st_atime);
        f.lastWriteTime = LONGLONG(st.st_mtime);
        found.push_back(f);
    }
    ::closedir(dir);
    // Folder order is arbitrary here; names in byte order make it stable.
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) { return a.name < b.name; });
    return !found.empty();
}

std::string NarrowText(const unsigned char* utf16le, size_t units)
{
    // Without a code page, the 8-bit form of a character below 256 is that
    // byte (ISO 8859-1); any other character becomes '?'.
    std::string out;
    out.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        unsigned c = unsigned(utf16le[2 * i]) | (unsigned(utf16le[2 * i + 1]) << 8);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
            unsigned d = unsigned(utf16le[2 * i + 2]) | (unsigned(utf16le[2 * i + 3]) << 8);
            if (d >= 0xDC00 && d <= 0xDFFF)
                ++i;
        }
        out += c < 0x100 ? char(c) : '?';
    }
    return out;
}

} // namespace FrameworkPlatform
