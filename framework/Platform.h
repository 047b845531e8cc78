#pragma once
// The few system calls of the framework's portable part, one
// implementation per side (PlatformWin.cpp, PlatformPosix.cpp).  Internal
// to the framework.
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "framework/Types.h"

struct CFileStatus;

namespace FrameworkPlatform {

// Time conversion; false when the C runtime cannot convert.
bool LocalTime(LONGLONG t, struct tm* out);
bool GmTime(LONGLONG t, struct tm* out);
LONGLONG CurrentTime();

// Files through system handles.  Failures return false and leave the system
// error in *error; CauseOf turns it into a CFileException cause.
extern const HANDLE kNoHandle;
HANDLE OpenFile(LPCSTR name, UINT openFlags, LONG* error);
bool CloseFile(HANDLE h, LONG* error);
bool ReadFile(HANDLE h, void* buffer, UINT count, UINT* read, LONG* error);
bool WriteFile(HANDLE h, const void* buffer, UINT count, LONG* error);
bool SeekFile(HANDLE h, LONGLONG offset, UINT from, ULONGLONG* newPosition, LONG* error);
bool FileLength(HANDLE h, ULONGLONG* length, LONG* error);
bool SetFileLength(HANDLE h, ULONGLONG length, LONG* error);
bool FlushFile(HANDLE h, LONG* error);
bool RenameFile(LPCSTR oldName, LPCSTR newName, LONG* error);
bool RemoveFile(LPCSTR name, LONG* error);
bool StatusOfFile(LPCSTR name, CFileStatus& status);
bool StatusOfHandle(HANDLE h, CFileStatus& status);
int CauseOf(LONG error);
LONG LastError();
std::string FullPath(LPCSTR name);

// Streams for CStdioFile: fopen-style mode text.
FILE* OpenStream(LPCSTR name, const char* mode, LONG* error);
HANDLE HandleOfStream(FILE* stream);

// One entry of a folder search.
struct FoundFile {
    std::string name;
    ULONGLONG length = 0;
    DWORD attributes = 0;
    LONGLONG creationTime = 0;
    LONGLONG lastAccessTime = 0;
    LONGLONG lastWriteTime = 0;
};
// The entries of the folder that match the name pattern (wildcards * and
// ?); false when there are none.
bool FindFiles(LPCSTR pattern, std::vector<FoundFile>& found);

// 16-bit text (little-endian code units) to 8-bit text in the program's
// code page; characters without an 8-bit form become '?'.
std::string NarrowText(const unsigned char* utf16le, size_t units);

} // namespace FrameworkPlatform

namespace FrameworkPlatform {
// 64-bit positions on C runtime streams.
bool SeekStream(FILE* stream, LONGLONG offset, int whence);
LONGLONG TellStream(FILE* stream);
bool TruncateStream(FILE* stream, ULONGLONG length);
} // namespace FrameworkPlatform
