#pragma once
// Some member names of the framework (CString::LoadString,
// CFileFind::FindNextFile, CFile::GetFileTitle, CTime::GetCurrentTime) are
// also macros of the Windows headers, which rename them (LoadString becomes
// LoadStringA).  So that a class means the same in every file, whether or
// not the file includes <windows.h>, and before or after this header, the
// Windows build defines those macros here exactly as the Windows headers do.
// Natively nothing is renamed.
#ifdef _WIN32
#include <_mingw_unicode.h>

#ifndef LoadString
#define LoadString __MINGW_NAME_AW(LoadString)
#endif
#ifndef FindFirstFile
#define FindFirstFile __MINGW_NAME_AW(FindFirstFile)
#endif
#ifndef FindNextFile
#define FindNextFile __MINGW_NAME_AW(FindNextFile)
#endif
#ifndef GetFileTitle
#define GetFileTitle __MINGW_NAME_AW(GetFileTitle)
#endif
#ifndef GetCurrentTime
#define GetCurrentTime() GetTickCount ()
#endif
#endif
