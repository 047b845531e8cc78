#pragma once
// CString: the framework's 8-bit text string.  A CString owns its text (a
// copy is a copy); the text always ends with a zero byte, and the string may
// hold zero bytes of its own inside its length.  The object is one pointer
// wide.
//
// Passing a CString to a printf-style function (Format included) needs the
// cast to LPCSTR: `s.Format("%s", static_cast<LPCSTR>(name))`.
#include <cstdarg>

#include "framework/Types.h"
#include "framework/WinNames.h"

// printf-style checking of Format arguments (argument numbers count the
// object as the first).
#if defined(__clang__)
#define TROV_PRINTF_METHOD(fmt, first) __attribute__((format(printf, fmt, first)))
#elif defined(__GNUC__)
#define TROV_PRINTF_METHOD(fmt, first) __attribute__((format(gnu_printf, fmt, first)))
#else
#define TROV_PRINTF_METHOD(fmt, first)
#endif

class CString {
public:
    CString() noexcept;
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(LPCSTR psz);                    // null gives an empty string
    CString(const unsigned char* psz);
    CString(LPCSTR pch, int nLength);       // nLength bytes (zeros included)
    explicit CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCSTR psz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(char ch);

    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);

    // Length and content
    int GetLength() const { return Header()->nDataLength; }
    int GetAllocLength() const { return Header()->nAllocLength; }
    BOOL IsEmpty() const { return GetLength() == 0; }
    void Empty();
    // GetAt(GetLength()) is the terminating zero; an index outside 0..length
    // throws CInvalidArgException.
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);         // 0 <= nIndex < length
    char operator[](int nIndex) const { return GetAt(nIndex); }
    operator LPCSTR() const { return m_pszData; }
    LPCSTR GetString() const { return m_pszData; }
    void SetString(LPCSTR psz);
    void SetString(LPCSTR pch, int nLength);
    void Append(LPCSTR psz);
    void Append(LPCSTR pch, int nLength);
    void Append(const CString& other);
    void AppendChar(char ch);
    void Truncate(int nNewLength);
    void Preallocate(int nLength);

    // Formatting (printf rules)
    void Format(LPCSTR lpszFormat, ...) TROV_PRINTF_METHOD(2, 3);
    void FormatV(LPCSTR lpszFormat, va_list args);
    void AppendFormat(LPCSTR lpszFormat, ...) TROV_PRINTF_METHOD(2, 3);
    void AppendFormatV(LPCSTR lpszFormat, va_list args);

    // Searching: positions from 0; -1 when not found or when nStart lies
    // beyond the end.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // Extraction (counts and positions are clamped to the string)
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;
    // The next token after position iStart, skipping leading delimiters;
    // after the last token it returns an empty string and sets iStart to -1.
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Changes; the counting ones return how many were changed or the new length
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR pszTargets);
    CString& MakeUpper();                    // ASCII letters
    CString& MakeLower();
    CString& MakeReverse();

    // Comparison: <0, 0, >0.  CompareNoCase folds ASCII letters; Collate
    // follows the C runtime's current locale.
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    int Collate(LPCSTR psz) const;
    int CollateNoCase(LPCSTR psz) const;

    // Direct access to the text.  GetBuffer gives room for at least
    // nMinBufLength characters plus the zero; ReleaseBuffer(-1) takes the
    // length up to the first zero (never beyond the room given).
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    void FreeExtra();
    LPSTR LockBuffer();
    void UnlockBuffer();

    // The string with this id from the program's string table; FALSE (and
    // the string unchanged) when there is none.  Natively there is no string
    // table and it always returns FALSE.
    BOOL LoadString(UINT nID);

private:
    struct Data {
        int nDataLength;
        int nAllocLength;
    };
    Data* Header() const { return reinterpret_cast<Data*>(m_pszData) - 1; }
    static char* EmptyText();
    void Allocate(int nLength);              // fresh room, contents undefined
    void Reserve(int nLength);               // room for nLength, text kept
    void SetLengthInPlace(int nLength);
    void Release();

    char* m_pszData;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCSTR b);
CString operator+(LPCSTR a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

// Comparisons are by unsigned byte value up to the first zero.
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCSTR b);
bool operator<(LPCSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCSTR b);
bool operator>(LPCSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCSTR b);
bool operator<=(LPCSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCSTR b);
bool operator>=(LPCSTR a, const CString& b);

// Sub-string number iSubString (from 0) of a text whose parts are
// separated by chSep ("a\nb\nc", 1 gives "b"); FALSE and an empty string
// when the text has fewer parts.
BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep = '\n');

// The module whose string table LoadString reads on Windows; null means the
// program itself.  The application layer sets it with its resource handle.
extern void* g_hStringResourceModule;
