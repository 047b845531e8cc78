#pragma once
// CArchive: the framework's binary archive over a CFile, for the
// Serialize functions of objects and collections.  The format is fixed
// (several stored values depend on it byte for byte); all numbers are
// little-endian.
//
// Numbers: each arithmetic type as its bytes, in its Windows size: BYTE,
// char and bool 1 byte (bool as 0 or 1), short/WORD 2, int/UINT/LONG/DWORD
// and float 4, LONGLONG/ULONGLONG and double 8.  An enumeration is written
// as its underlying integer type.
//
// Strings (CString): a length prefix then the 8-bit characters without
// terminator.  Length < 255: one byte; else 0xFF and a WORD when < 0xFFFE;
// else 0xFF, WORD 0xFFFF and a DWORD.  On input the prefix 0xFF, WORD 0xFFFE
// marks 16-bit text: a second prefix follows with the count of 16-bit
// characters, which are converted to 8-bit text (never written here).
//
// Counts (WriteCount/ReadCount): a WORD when < 0xFFFF; else WORD 0xFFFF and
// a DWORD when < 0xFFFFFFFF; else also DWORD 0xFFFFFFFF and a ULONGLONG.
//
// Objects (WriteObject/ReadObject, operator<< and >> on CObject pointers):
//   - null: WORD 0;
//   - first time a class is seen: WORD 0xFFFF, WORD schema, WORD name
//     length, the name's characters, then the object's Serialize output;
//   - a class seen before: WORD 0x8000 | class index, then the object;
//   - an object seen before: WORD object index;
//   - an index of 0x7FFF or more: WORD 0x7FFF then a DWORD (with the
//     0x80000000 bit for a class index).
// Classes and objects share one index sequence starting at 1, in the order
// they are first written.
//
// Loading checks what it reads: a truncated archive, an unknown class, a
// wrong schema (unless the class is VERSIONABLE_SCHEMA), a bad index or a
// count larger than the bytes left all throw CArchiveException* and never
// read out of bounds or allocate for counts that cannot be there.
#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/File.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Types.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // nBufSize: bytes gathered before they go to the file (at least 128).
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();   // a storing archive not closed is flushed (errors ignored)

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const;
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded (read once: it then returns
    // (UINT)-1 until the next object).
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Storing: writes what is gathered to the file.  Loading: gives unread
    // gathered bytes back to the file (its position is where reading ended).
    void Flush();
    void Close();   // Flush, then the archive is done with the file
    void Abort();   // done with the file without flushing

    // Raw bytes.  Read returns how many it read (fewer at the end).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws CArchiveException(endOfFile).
    void EnsureRead(void* lpBuf, UINT nCount);

    // Text lines: WriteString writes the characters only; ReadString reads
    // up to and without "\n" (and a "\r" before it).
    void WriteString(LPCSTR lpsz);
    BOOL ReadString(CString& rString);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);

    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    void WriteObject(const CObject* pOb);
    // A new object of the archived class (or the one read before, or null);
    // with pClassRefRequested the class must derive from it (badClass).
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // The same, with the object also checked by pfnAccept (for element
    // types known only to C++): an object it refuses is never loaded or
    // returned (badClass).
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested, bool (*pfnAccept)(const CObject*));
    // A new object (or null) that the caller takes over and may delete at
    // once: a reference to an object read before is refused (badIndex), and
    // so is any later reference to this one, so that no two owners ever
    // receive the same object and no reference reaches a deleted one.
    CObject* ReadOwnedObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Gives an object an index without writing it, so that later
    // references to it are written (and read) as references.
    void MapObject(const CObject* pOb);
    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128) { (void)nHashSize; (void)nBlockSize; }
    void SetLoadParams(UINT nGrowBy = 1024) { (void)nGrowBy; }

    // Loading: the bytes still to be read (gathered plus the rest of the
    // file); the largest value when the file cannot tell.
    ULONGLONG GetRemainingBytes() const;
    // Throws CArchiveException(endOfFile) when nCount items of at least
    // nMinBytes each cannot be in the rest of the archive.
    void CheckCount(ULONGLONG nCount, ULONGLONG nMinBytes) const;

    // Numbers (see the top of this file).
    template <class T, typename std::enable_if<std::is_arithmetic<T>::value || std::is_enum<T>::value, int>::type = 0>
    CArchive& operator<<(T value)
    {
        static_assert(!std::is_same<T, wchar_t>::value, "wchar_t differs in size between the builds");
        using Stored = typename StoredType<T>::type;
        Stored v = Stored(value);
        unsigned char bytes[sizeof(Stored)];
        ToLittleEndian(v, bytes);
        Write(bytes, UINT(sizeof bytes));
        return *this;
    }
    template <class T, typename std::enable_if<std::is_arithmetic<T>::value || std::is_enum<T>::value, int>::type = 0>
    CArchive& operator>>(T& value)
    {
        static_assert(!std::is_same<T, wchar_t>::value, "wchar_t differs in size between the builds");
        using Stored = typename StoredType<T>::type;
        unsigned char bytes[sizeof(Stored)];
        EnsureRead(bytes, UINT(sizeof bytes));
        Stored v;
        FromLittleEndian(bytes, v);
        if constexpr (std::is_same<T, bool>::value)
            value = v != 0;
        else
            value = T(v);
        return *this;
    }

    CString m_strFileName;
    void* m_pDocument = nullptr;

private:
    template <class T, class = void>
    struct StoredType { using type = T; };
    template <class T>
    struct StoredType<T, typename std::enable_if<std::is_enum<T>::value>::type> { using type = typename std::underlying_type<T>::type; };

    template <class T>
    static void ToLittleEndian(T v, unsigned char* out)
    {
        if constexpr (std::is_same<T, bool>::value) {
            out[0] = v ? 1 : 0;
        } else if constexpr (std::is_floating_point<T>::value) {
            using Bits = typename std::conditional<sizeof(T) == 4, uint32_t, uint64_t>::type;
            Bits b;
            std::memcpy(&b, &v, sizeof b);
            ToLittleEndian(b, out);
        } else {
            using U = typename std::make_unsigned<T>::type;
            U u = U(v);
            for (size_t i = 0; i < sizeof(T); ++i)
                out[i] = (unsigned char)(uint64_t(u) >> (8 * i));
        }
    }
    template <class T>
    static void FromLittleEndian(const unsigned char* in, T& v)
    {
        if constexpr (std::is_same<T, bool>::value) {
            v = in[0] != 0;
        } else if constexpr (std::is_floating_point<T>::value) {
            using Bits = typename std::conditional<sizeof(T) == 4, uint32_t, uint64_t>::type;
            Bits b;
            FromLittleEndian(in, b);
            std::memcpy(&v, &b, sizeof v);
        } else {
            uint64_t u = 0;
            for (size_t i = 0; i < sizeof(T); ++i)
                u |= uint64_t(in[i]) << (8 * i);
            v = T(u);
        }
    }

    void CheckLoading() const;
    void CheckStoring() const;
    void FillBuffer();

    struct LoadEntry {
        enum Kind { kClass, kObject, kGone } kind;
        CRuntimeClass* pClass;
        CObject* pObject;
        UINT nSchema;
    };

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<unsigned char> m_buffer;
    size_t m_nBufPos = 0;     // loading: next unread byte; storing: bytes gathered
    size_t m_nBufEnd = 0;     // loading: end of the gathered bytes
    UINT m_nObjectSchema = UINT(-1);
    DWORD m_nMapCount = 1;
    int m_nDepth = 0;
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);
CArchive& operator<<(CArchive& ar, const CString& str);
CArchive& operator<<(CArchive& ar, LPCSTR psz);
CArchive& operator>>(CArchive& ar, CString& str);

// ---- elements of collections ----------------------------------------------

namespace ArchiveDetail {

template <class T, class = void>
struct HasOperators : std::false_type {};
template <class T>
struct HasOperators<T, std::void_t<decltype(std::declval<CArchive&>() << std::declval<const T&>()),
                                   decltype(std::declval<CArchive&>() >> std::declval<T&>())>> : std::true_type {};

template <class T>
struct IsObjectPointer : std::integral_constant<bool, std::is_pointer<T>::value &&
    std::is_base_of<CObject, typename std::remove_cv<typename std::remove_pointer<T>::type>::type>::value> {};

} // namespace ArchiveDetail

// The fewest archive bytes one element can take, for checking counts.
template <class TYPE>
constexpr ULONGLONG MinArchivedSize()
{
    if constexpr (ArchiveDetail::IsObjectPointer<TYPE>::value)
        return 2;
    else if constexpr (std::is_arithmetic<TYPE>::value || std::is_enum<TYPE>::value)
        return sizeof(TYPE);
    else
        return 1;
}

// Writes or reads nCount elements.  Numbers and enumerations as numbers,
// CObject-derived pointers as objects, types with archive operators
// (CString, CTime...) through them, other plain types as their bytes.
// Untyped pointers cannot be archived (CNotSupportedException).
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (ArchiveDetail::IsObjectPointer<TYPE>::value) {
        using Target = typename std::remove_pointer<TYPE>::type;
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring()) {
                ar.WriteObject(pElements[i]);
            } else {
                CObject* pOb = ar.ReadObject(nullptr, [](const CObject* p) {
                    return dynamic_cast<const Target*>(p) != nullptr;
                });
                pElements[i] = dynamic_cast<TYPE>(pOb);
            }
        }
    } else if constexpr (std::is_pointer<TYPE>::value) {
        (void)pElements;
        AfxThrowNotSupportedException();
    } else if constexpr (std::is_arithmetic<TYPE>::value || std::is_enum<TYPE>::value) {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    } else if constexpr (ArchiveDetail::HasOperators<TYPE>::value) {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    } else if constexpr (std::is_trivially_copyable<TYPE>::value) {
        if (ar.IsStoring()) {
            ar.Write(pElements, UINT(sizeof(TYPE) * size_t(nCount)));
        } else {
            ar.CheckCount(ULONGLONG(nCount), sizeof(TYPE));
            ar.EnsureRead(pElements, UINT(sizeof(TYPE) * size_t(nCount)));
        }
    } else {
        (void)pElements;
        AfxThrowNotSupportedException();
    }
}

// Specialised for speed: bytes go as one block.
template <>
inline void SerializeElements<BYTE>(CArchive& ar, BYTE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if (ar.IsStoring()) {
        ar.Write(pElements, UINT(nCount));
    } else {
        ar.CheckCount(ULONGLONG(nCount), 1);
        ar.EnsureRead(pElements, UINT(nCount));
    }
}
