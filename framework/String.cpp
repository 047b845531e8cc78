#include "framework/String.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "framework/Exceptions.h"

void* g_hStringResourceModule = nullptr;

namespace {

// The shared text of every empty string: a zeroed header and a zero byte.
struct EmptyBlock {
    int nDataLength = 0;
    int nAllocLength = 0;
    char text[8] = {};
};
EmptyBlock g_empty;

int LengthOf(LPCSTR psz)
{
    if (psz == nullptr)
        return 0;
    size_t n = std::strlen(psz);
    if (n > size_t(INT_MAX - 64))
        AfxThrowMemoryException();
    return int(n);
}

inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool InSet(char c, LPCSTR set) { return c != '\0' && set != nullptr && std::strchr(set, c) != nullptr; }

} // namespace

char* CString::EmptyText()
{
    static_assert(offsetof(EmptyBlock, text) == sizeof(int) * 2, "header layout");
    return g_empty.text;
}

CString::CString() noexcept : m_pszData(EmptyText()) {}

CString::CString(const CString& other) : m_pszData(EmptyText())
{
    SetString(other.m_pszData, other.GetLength());
}

CString::CString(CString&& other) noexcept : m_pszData(other.m_pszData)
{
    other.m_pszData = EmptyText();
}

CString::CString(LPCSTR psz) : m_pszData(EmptyText())
{
    SetString(psz);
}

CString::CString(const unsigned char* psz) : m_pszData(EmptyText())
{
    SetString(reinterpret_cast<LPCSTR>(psz));
}

CString::CString(LPCSTR pch, int nLength) : m_pszData(EmptyText())
{
    SetString(pch, nLength);
}

CString::CString(char ch, int nRepeat) : m_pszData(EmptyText())
{
    if (nRepeat > 0) {
        Allocate(nRepeat);
        std::memset(m_pszData, ch, size_t(nRepeat));
        SetLengthInPlace(nRepeat);
    }
}

CString::~CString()
{
    Release();
}

void CString::Release()
{
    if (m_pszData != EmptyText())
        std::free(Header());
    m_pszData = EmptyText();
}

void CString::Allocate(int nLength)
{
    // Callers keep no pointer into the old text.
    Release();
    if (nLength <= 0)
        return;
    if (nLength > INT_MAX - 64)
        AfxThrowMemoryException();
    Data* d = static_cast<Data*>(std::malloc(sizeof(Data) + size_t(nLength) + 1));
    if (d == nullptr)
        AfxThrowMemoryException();
    d->nDataLength = 0;
    d->nAllocLength = nLength;
    m_pszData = reinterpret_cast<char*>(d + 1);
    m_pszData[0] = '\0';
}

void CString::Reserve(int nLength)
{
    if (nLength <= GetAllocLength())
        return;
    if (nLength < 0 || nLength > INT_MAX - 64)
        AfxThrowMemoryException();
    // Grow by half again so that appending in a loop stays linear.
    int nNew = nLength;
    int nCurrent = GetAllocLength();
    if (nCurrent > 0 && nCurrent < (INT_MAX - 64) / 2 && nNew < nCurrent + nCurrent / 2)
        nNew = nCurrent + nCurrent / 2;
    int nOld = GetLength();
    Data* d = static_cast<Data*>(std::malloc(sizeof(Data) + size_t(nNew) + 1));
    if (d == nullptr)
        AfxThrowMemoryException();
    char* text = reinterpret_cast<char*>(d + 1);
    std::memcpy(text, m_pszData, size_t(nOld) + 1);
    d->nDataLength = nOld;
    d->nAllocLength = nNew;
    Release();
    m_pszData = text;
}

void CString::SetLengthInPlace(int nLength)
{
    if (m_pszData == EmptyText())
        return;
    Header()->nDataLength = nLength;
    m_pszData[nLength] = '\0';
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        SetString(other.m_pszData, other.GetLength());
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_pszData = other.m_pszData;
        other.m_pszData = EmptyText();
    }
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    SetString(psz);
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    SetString(reinterpret_cast<LPCSTR>(psz));
    return *this;
}

CString& CString::operator=(char ch)
{
    SetString(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    Append(other);
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    Append(psz);
    return *this;
}

CString& CString::operator+=(char ch)
{
    AppendChar(ch);
    return *this;
}

void CString::Empty()
{
    Release();
}

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_pszData[nIndex] = ch;
}

void CString::SetString(LPCSTR psz)
{
    SetString(psz, LengthOf(psz));
}

void CString::SetString(LPCSTR pch, int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength == 0 || pch == nullptr) {
        Release();
        return;
    }
    // The source may lie inside this string's own text.
    if (pch >= m_pszData && pch <= m_pszData + GetLength()) {
        CString copy(pch, nLength);
        *this = std::move(copy);
        return;
    }
    if (nLength > GetAllocLength())
        Allocate(nLength);
    std::memcpy(m_pszData, pch, size_t(nLength));
    SetLengthInPlace(nLength);
}

void CString::Append(LPCSTR psz)
{
    Append(psz, LengthOf(psz));
}

void CString::Append(const CString& other)
{
    Append(other.m_pszData, other.GetLength());
}

void CString::Append(LPCSTR pch, int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength == 0 || pch == nullptr)
        return;
    int nOld = GetLength();
    if (nLength > INT_MAX - 64 - nOld)
        AfxThrowMemoryException();
    if (pch >= m_pszData && pch <= m_pszData + nOld) {
        CString copy(pch, nLength);
        Append(copy.m_pszData, nLength);
        return;
    }
    Reserve(nOld + nLength);
    std::memcpy(m_pszData + nOld, pch, size_t(nLength));
    SetLengthInPlace(nOld + nLength);
}

void CString::AppendChar(char ch)
{
    Append(&ch, 1);
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
        AfxThrowInvalidArgException();
    if (nNewLength == 0)
        Release();
    else
        SetLengthInPlace(nNewLength);
}

void CString::Preallocate(int nLength)
{
    Reserve(nLength);
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCSTR lpszFormat, va_list args)
{
    CString result;
    result.AppendFormatV(lpszFormat, args);
    *this = std::move(result);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    AppendFormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list args)
{
    if (lpszFormat == nullptr)
        AfxThrowInvalidArgException();
    va_list probe;
    va_copy(probe, args);
    int n = std::vsnprintf(nullptr, 0, lpszFormat, probe);
    va_end(probe);
    if (n < 0)
        AfxThrowInvalidArgException();
    if (n == 0)
        return;
    int nOld = GetLength();
    if (n > INT_MAX - 64 - nOld)
        AfxThrowMemoryException();
    // Format into a separate buffer: an argument may point into this string.
    CString piece;
    piece.Allocate(n);
    std::vsnprintf(piece.m_pszData, size_t(n) + 1, lpszFormat, args);
    piece.SetLengthInPlace(n);
    Append(piece);
}

int CString::Find(char ch, int nStart) const
{
    int n = GetLength();
    if (nStart < 0)
        nStart = 0;
    if (nStart >= n)
        return -1;
    const void* p = std::memchr(m_pszData + nStart, ch, size_t(n - nStart));
    return p != nullptr ? int(static_cast<const char*>(p) - m_pszData) : -1;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == nullptr)
        return -1;
    int n = GetLength();
    if (nStart < 0)
        nStart = 0;
    if (nStart > n)
        return -1;
    const char* p = std::strstr(m_pszData + nStart, lpszSub);
    return p != nullptr ? int(p - m_pszData) : -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = GetLength() - 1; i >= 0; --i) {
        if (m_pszData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    int n = GetLength();
    for (int i = 0; i < n; ++i) {
        if (InSet(m_pszData[i], lpszCharSet))
            return i;
    }
    return -1;
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, INT_MAX);
}

CString CString::Mid(int nFirst, int nCount) const
{
    int n = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > n)
        nFirst = n;
    if (nCount > n - nFirst)
        nCount = n - nFirst;
    return CString(m_pszData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int n = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > n)
        nCount = n;
    return CString(m_pszData + n - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    int i = 0;
    while (i < GetLength() && InSet(m_pszData[i], lpszCharSet))
        ++i;
    return Left(i);
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    int i = 0;
    while (i < GetLength() && !InSet(m_pszData[i], lpszCharSet))
        ++i;
    return Left(i);
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    int n = GetLength();
    if (iStart < 0 || iStart > n) {
        iStart = -1;
        return CString();
    }
    if (pszTokens == nullptr || *pszTokens == '\0') {
        if (iStart < n) {
            CString rest = Mid(iStart);
            iStart = n;
            return rest;
        }
        iStart = -1;
        return CString();
    }
    int i = iStart;
    while (i < n && InSet(m_pszData[i], pszTokens))
        ++i;
    if (i >= n) {
        iStart = -1;
        return CString();
    }
    int end = i;
    while (end < n && !InSet(m_pszData[end], pszTokens))
        ++end;
    iStart = end < n ? end + 1 : end;
    return Mid(i, end - i);
}

int CString::Replace(char chOld, char chNew)
{
    int count = 0;
    int n = GetLength();
    for (int i = 0; i < n; ++i) {
        if (m_pszData[i] == chOld) {
            m_pszData[i] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOld = LengthOf(lpszOld);
    if (nOld == 0)
        return 0;
    int nNew = LengthOf(lpszNew);
    CString result;
    int count = 0;
    int pos = 0;
    int n = GetLength();
    while (pos <= n) {
        const char* hit = std::strstr(m_pszData + pos, lpszOld);
        if (hit == nullptr)
            break;
        int at = int(hit - m_pszData);
        result.Append(m_pszData + pos, at - pos);
        result.Append(lpszNew, nNew);
        pos = at + nOld;
        ++count;
    }
    if (count == 0)
        return 0;
    result.Append(m_pszData + pos, n - pos);
    *this = std::move(result);
    return count;
}

int CString::Remove(char ch)
{
    int n = GetLength();
    int j = 0;
    for (int i = 0; i < n; ++i) {
        if (m_pszData[i] != ch)
            m_pszData[j++] = m_pszData[i];
    }
    int removed = n - j;
    if (removed > 0)
        Truncate(j);
    return removed;
}

int CString::Insert(int nIndex, char ch)
{
    return Insert(nIndex, CString(ch, 1));
}

int CString::Insert(int nIndex, LPCSTR psz)
{
    int n = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > n)
        nIndex = n;
    int nInsert = LengthOf(psz);
    if (nInsert == 0)
        return n;
    CString result(m_pszData, nIndex);
    result.Append(psz, nInsert);
    result.Append(m_pszData + nIndex, n - nIndex);
    *this = std::move(result);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int n = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= n)
        return n;
    if (nCount > n - nIndex)
        nCount = n - nIndex;
    std::memmove(m_pszData + nIndex, m_pszData + nIndex + nCount, size_t(n - nIndex - nCount));
    Truncate(n - nCount);
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft()
{
    int i = 0;
    while (i < GetLength() && IsSpace(m_pszData[i]))
        ++i;
    Delete(0, i);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    int i = 0;
    while (i < GetLength() && m_pszData[i] == chTarget)
        ++i;
    Delete(0, i);
    return *this;
}

CString& CString::TrimLeft(LPCSTR pszTargets)
{
    int i = 0;
    while (i < GetLength() && InSet(m_pszData[i], pszTargets))
        ++i;
    Delete(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    int n = GetLength();
    while (n > 0 && IsSpace(m_pszData[n - 1]))
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    int n = GetLength();
    while (n > 0 && m_pszData[n - 1] == chTarget)
        --n;
    Truncate(n);
    return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets)
{
    int n = GetLength();
    while (n > 0 && InSet(m_pszData[n - 1], pszTargets))
        --n;
    Truncate(n);
    return *this;
}

CString& CString::MakeUpper()
{
    for (int i = 0; i < GetLength(); ++i)
        m_pszData[i] = AsciiUpper(m_pszData[i]);
    return *this;
}

CString& CString::MakeLower()
{
    for (int i = 0; i < GetLength(); ++i)
        m_pszData[i] = AsciiLower(m_pszData[i]);
    return *this;
}

CString& CString::MakeReverse()
{
    int n = GetLength();
    for (int i = 0, j = n - 1; i < j; ++i, --j) {
        char t = m_pszData[i];
        m_pszData[i] = m_pszData[j];
        m_pszData[j] = t;
    }
    return *this;
}

int CString::Compare(LPCSTR psz) const
{
    return std::strcmp(m_pszData, psz != nullptr ? psz : "");
}

int CString::CompareNoCase(LPCSTR psz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_pszData);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz != nullptr ? psz : "");
    for (;; ++a, ++b) {
        int ca = static_cast<unsigned char>(AsciiLower(char(*a)));
        int cb = static_cast<unsigned char>(AsciiLower(char(*b)));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

int CString::Collate(LPCSTR psz) const
{
    return std::strcoll(m_pszData, psz != nullptr ? psz : "");
}

int CString::CollateNoCase(LPCSTR psz) const
{
    CString a(*this), b(psz);
    return a.MakeLower().Collate(b.MakeLower());
}

LPSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        AfxThrowInvalidArgException();
    int n = GetLength();
    int need = nMinBufLength > n ? nMinBufLength : n;
    if (need == 0) {
        // Even an empty string hands out writable room of its own.
        need = 1;
    }
    if (m_pszData == EmptyText() || need > GetAllocLength()) {
        Data* d = static_cast<Data*>(std::malloc(sizeof(Data) + size_t(need) + 1));
        if (d == nullptr)
            AfxThrowMemoryException();
        char* text = reinterpret_cast<char*>(d + 1);
        std::memcpy(text, m_pszData, size_t(n) + 1);
        d->nDataLength = n;
        d->nAllocLength = need;
        Release();
        m_pszData = text;
    }
    return m_pszData;
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    GetBuffer(nNewLength);
    SetLengthInPlace(nNewLength);
    return m_pszData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    int room = GetAllocLength();
    if (nNewLength < 0) {
        const void* zero = std::memchr(m_pszData, '\0', size_t(room) + 1);
        nNewLength = zero != nullptr ? int(static_cast<const char*>(zero) - m_pszData) : room;
    }
    if (nNewLength > room)
        nNewLength = room;
    if (nNewLength == 0)
        Release();
    else
        SetLengthInPlace(nNewLength);
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    ReleaseBuffer(nNewLength);
}

void CString::FreeExtra()
{
    if (GetAllocLength() > GetLength()) {
        CString copy(m_pszData, GetLength());
        *this = std::move(copy);
    }
}

LPSTR CString::LockBuffer()
{
    return GetBuffer(0);
}

void CString::UnlockBuffer()
{
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, LPCSTR b) { CString r(a); r += b; return r; }
CString operator+(LPCSTR a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
CString operator+(char a, const CString& b) { CString r(a, 1); r += b; return r; }

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCSTR a, const CString& b) { return b.Compare(a) <= 0; }

BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    rString.Empty();
    if (lpszFullString == nullptr || iSubString < 0)
        return FALSE;
    const char* start = lpszFullString;
    while (iSubString-- > 0) {
        start = std::strchr(start, chSep);
        if (start == nullptr || chSep == '\0')
            return FALSE;
        ++start;
    }
    const char* end = std::strchr(start, chSep);
    int n = end != nullptr && chSep != '\0' ? int(end - start) : LengthOf(start);
    rString.SetString(start, n);
    return TRUE;
}
