#pragma once
// The Windows-style base types and helper macros that the framework and the
// code above it use.  No <windows.h> here: on Windows every definition is the
// same as the MinGW headers' own (DWORD is unsigned long, LONG is long), so a
// Windows file may include this and <windows.h> in either order; natively
// the types keep the Windows sizes (DWORD and LONG are 32 bits).
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#ifdef _WIN32
typedef long LONG;
typedef unsigned long ULONG;
typedef unsigned long DWORD;
typedef long long LONGLONG;
typedef unsigned long long ULONGLONG;
typedef long long INT_PTR;
typedef unsigned long long UINT_PTR;
typedef long long LONG_PTR;
typedef unsigned long long ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
#else
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int UINT;
typedef int INT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef float FLOAT;
typedef char TCHAR;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef LPSTR LPTSTR;
typedef LPCSTR LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef UINT* PUINT;
typedef DWORD* LPDWORD;
typedef void* HANDLE;
typedef ULONG_PTR SIZE_T;
// A colour, 0x00BBGGRR.
typedef DWORD COLORREF;

#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#ifndef __T
#define __T(x) x
#endif
#ifndef _T
#define _T(x) __T(x)
#endif
#ifndef _TEXT
#define _TEXT(x) __T(x)
#endif

// Word and byte packing, spelt as the Windows headers spell them so that
// both definitions can meet in one file.
#ifndef MAKEWORD
#define MAKEWORD(a,b) ((WORD) (((BYTE) (((DWORD_PTR) (a)) & 0xff)) | ((WORD) ((BYTE) (((DWORD_PTR) (b)) & 0xff))) << 8))
#define MAKELONG(a, b) ((LONG) (((WORD) (((DWORD_PTR) (a)) & 0xffff)) | ((DWORD) ((WORD) (((DWORD_PTR) (b)) & 0xffff))) << 16))
#define LOWORD(l) ((WORD) (((DWORD_PTR) (l)) & 0xffff))
#define HIWORD(l) ((WORD) ((((DWORD_PTR) (l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE) (((DWORD_PTR) (w)) & 0xff))
#define HIBYTE(w) ((BYTE) ((((DWORD_PTR) (w)) >> 8) & 0xff))
#endif

// Message parameters and the geometry records.  On Windows they come from
// the system headers; natively they are spelt with the same field types, so
// a record has the same size and layout on both sides (LONG is 32 bits).
#ifndef _WIN32
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *PPOINT, *LPPOINT;
typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *PSIZE, *LPSIZE;
typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;
#endif

// An opaque iteration position of the list and map classes.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Diagnostics.  ASSERT and ASSERT_VALID check only in debug builds; VERIFY
// always evaluates its argument; TRACE writes nothing in this build.
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#else
#define ASSERT(f) assert(f)
#define VERIFY(f) assert(f)
#define ASSERT_VALID(p) ((p)->AssertValid())
#endif
#define ASSERT_POINTER(p, type) ASSERT((p) != nullptr)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))
#define DEBUG_NEW new
#define AFXAPI
#define AFX_INLINE inline

// Pointer checks for assertions: only null is known to be invalid here.
inline BOOL AfxIsValidString(LPCSTR psz, int nLength = -1) { (void)nLength; return psz != nullptr; }
inline BOOL AfxIsValidAddress(const void* p, UINT_PTR nBytes, BOOL bReadWrite = TRUE)
{
    (void)bReadWrite;
    return p != nullptr || nBytes == 0;
}

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif
