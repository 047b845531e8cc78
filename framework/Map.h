#pragma once
// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash table from keys to values,
// and the typed maps built on it (CMapStringToPtr, CMapStringToOb,
// CMapStringToString, CMapPtrToPtr, CMapWordToPtr).
//
// Hashing.  HashKey<ARG_KEY>(key) gives a key's hash value; a key type of
// one's own gets an explicit specialisation, declared before the map is
// used:
//     template <> inline UINT HashKey<const CMyKey&>(const CMyKey& key) { ... }
// The built-in hash values are:
//   - integers, enumerations and pointers: one step of the Park-Miller
//     minimal standard generator, computed with Schrage's decomposition, on
//     the low 32 bits of the value taken as a signed 32-bit integer v:
//     h = 16807 * (v mod 127773) - 2836 * (v div 127773) (division towards
//     zero), plus 0x7FFFFFFF when negative (HashInteger);
//   - text (LPCSTR, CString): h = 0, then h = h * 33 + byte for each
//     unsigned byte, in 32-bit arithmetic (HashText).
// Keys are compared with CompareElements (operator== by default).
//
// Iteration order (GetStartPosition / GetNextAssoc, and the order Serialize
// writes) is fixed by these rules alone: buckets in ascending order of
// HashKey(key) % GetHashTableSize(), and within a bucket the most recently
// added key first.  The table never resizes by itself (17 buckets unless
// InitHashTable says otherwise), so the same keys added in the same order
// always iterate in the same order.  InitHashTable on a non-empty map
// rebuilds the table.
//
// Associations are allocated in blocks of nBlockSize and reused after
// removal; all memory returns when the map becomes empty.
#include <climits>
#include <cstdint>
#include <new>
#include <type_traits>

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/List.h"
#include "framework/Object.h"
#include "framework/String.h"

inline UINT HashInteger(int32_t v)
{
    int64_t h = 16807 * int64_t(v % 127773) - 2836 * int64_t(v / 127773);
    if (h < 0)
        h += 0x7FFFFFFF;
    return UINT(h);
}

template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    using K = typename std::decay<ARG_KEY>::type;
    if constexpr (std::is_pointer<K>::value) {
        return HashInteger(int32_t(uint32_t(reinterpret_cast<uintptr_t>(key))));
    } else if constexpr (std::is_integral<K>::value || std::is_enum<K>::value) {
        return HashInteger(int32_t(uint32_t(uint64_t(key))));
    } else {
        static_assert(std::is_pointer<K>::value, "this key type needs a HashKey specialisation");
        return 0;
    }
}

inline UINT HashText(LPCSTR key)
{
    uint32_t h = 0;
    if (key != nullptr) {
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(key); *p != 0; ++p)
            h = h * 33u + *p;
    }
    return UINT(h);
}

template <> inline UINT HashKey<LPCSTR>(LPCSTR key) { return HashText(key); }
template <> inline UINT HashKey<LPSTR>(LPSTR key) { return HashText(key); }
template <> inline UINT HashKey<const CString&>(const CString& key) { return HashText(key); }
template <> inline UINT HashKey<CString>(CString key) { return HashText(key); }

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    class CPair {
    public:
        const KEY key;
        VALUE value;
    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair {
    public:
        explicit CAssoc(ARG_KEY keyval) : CPair(keyval) {}
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }
    INT_PTR GetBlockSize() const { return m_nBlockSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const;
    CPair* PLookup(ARG_KEY key);
    // The association of a key equal to key among those stored with the
    // hash value nHashValue: for keys whose equality lets two equal keys
    // hash apart (dates within half a second of a day boundary), the
    // caller looks under each hash value an equal key can have.
    const CPair* PLookupWithHash(ARG_KEY key, UINT nHashValue) const;
    CPair* PLookupWithHash(ARG_KEY key, UINT nHashValue)
    {
        return const_cast<CPair*>(static_cast<const CMap*>(this)->PLookupWithHash(key, nHashValue));
    }

    // The value of the key, added (value-initialised) when missing.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Start of an iteration (null for an empty map); GetNextAssoc hands out
    // the association at rNextPosition and moves it on, null after the last.
    POSITION GetStartPosition() const { return reinterpret_cast<POSITION>(FirstAssoc()); }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const { return FirstAssoc(); }
    CPair* PGetFirstAssoc() { return FirstAssoc(); }
    const CPair* PGetNextAssoc(const CPair* pAssocRet) const { return NextAssoc(static_cast<const CAssoc*>(pAssocRet)); }
    CPair* PGetNextAssoc(const CPair* pAssocRet) { return NextAssoc(static_cast<const CAssoc*>(pAssocRet)); }

    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

    // The element count (WriteCount form), then key and value of each
    // element in iteration order (SerializeElements).  Loading adds them.
    void Serialize(CArchive& ar) override;

protected:
    // The argument key type without reference, for CompareElements.
    using KeyArg = typename std::remove_cv<typename std::remove_reference<ARG_KEY>::type>::type;

    union Slot {
        Slot* pNextFree;
        alignas(CAssoc) unsigned char storage[sizeof(CAssoc)];
    };
    struct Block {
        Block* pNext;
        Slot* pSlots;
    };

    CAssoc* FirstAssoc() const;
    CAssoc* NextAssoc(const CAssoc* pAssoc) const;
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;
    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);
    void AllocateTable(UINT nHashSize);

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    Slot* m_pFreeList = nullptr;
    Block* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::AllocateTable(UINT nHashSize)
{
    CAssoc** table = new (std::nothrow) CAssoc*[nHashSize]();
    if (table == nullptr)
        AfxThrowMemoryException();
    delete[] m_pHashTable;
    m_pHashTable = table;
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    if (nHashSize == 0 || nHashSize > UINT(INT_MAX) / sizeof(void*))
        AfxThrowInvalidArgException();
    if (m_nCount == 0) {
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
        m_nHashTableSize = nHashSize;
        if (bAllocNow)
            AllocateTable(nHashSize);
        return;
    }
    // Rebuild: every association moves to its bucket in the new table.
    CAssoc* chain = nullptr;
    for (UINT b = 0; b < m_nHashTableSize; ++b) {
        CAssoc* a = m_pHashTable[b];
        while (a != nullptr) {
            CAssoc* next = a->pNext;
            a->pNext = chain;
            chain = a;
            a = next;
        }
    }
    AllocateTable(nHashSize);
    while (chain != nullptr) {
        CAssoc* next = chain->pNext;
        UINT bucket = chain->nHashValue % m_nHashTableSize;
        chain->pNext = m_pHashTable[bucket];
        m_pHashTable[bucket] = chain;
        chain = next;
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const
{
    nHashValue = HashKey<ARG_KEY>(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_pHashTable == nullptr)
        return nullptr;
    for (CAssoc* a = m_pHashTable[nHashBucket]; a != nullptr; a = a->pNext) {
        if (a->nHashValue == nHashValue && CompareElements<KEY, KeyArg>(&a->key, &key))
            return a;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
const typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookupWithHash(ARG_KEY key, UINT nHashValue) const
{
    if (m_pHashTable == nullptr)
        return nullptr;
    for (CAssoc* a = m_pHashTable[nHashValue % m_nHashTableSize]; a != nullptr; a = a->pNext) {
        if (a->nHashValue == nHashValue && CompareElements<KEY, KeyArg>(&a->key, &key))
            return a;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT bucket, hash;
    CAssoc* a = GetAssocAt(key, bucket, hash);
    if (a == nullptr)
        return FALSE;
    rValue = a->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
const typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key) const
{
    UINT bucket, hash;
    return GetAssocAt(key, bucket, hash);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key)
{
    UINT bucket, hash;
    return GetAssocAt(key, bucket, hash);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT bucket, hash;
    CAssoc* a = GetAssocAt(key, bucket, hash);
    if (a != nullptr)
        return a->value;
    if (m_pHashTable == nullptr)
        AllocateTable(m_nHashTableSize);
    a = NewAssoc(key);
    a->nHashValue = hash;
    a->pNext = m_pHashTable[bucket];
    m_pHashTable[bucket] = a;
    return a->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    UINT hash = HashKey<ARG_KEY>(key);
    CAssoc** link = &m_pHashTable[hash % m_nHashTableSize];
    for (CAssoc* a = *link; a != nullptr; link = &a->pNext, a = a->pNext) {
        if (a->nHashValue == hash && CompareElements<KEY, KeyArg>(&a->key, &key)) {
            *link = a->pNext;
            FreeAssoc(a);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != nullptr) {
        for (UINT b = 0; b < m_nHashTableSize; ++b) {
            for (CAssoc* a = m_pHashTable[b]; a != nullptr;) {
                CAssoc* next = a->pNext;
                a->~CAssoc();
                a = next;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
    m_pFreeList = nullptr;
    while (m_pBlocks != nullptr) {
        Block* next = m_pBlocks->pNext;
        delete[] m_pBlocks->pSlots;
        delete m_pBlocks;
        m_pBlocks = next;
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (m_pFreeList == nullptr) {
        Block* block = new Block{ m_pBlocks, nullptr };
        block->pSlots = new (std::nothrow) Slot[size_t(m_nBlockSize)];
        if (block->pSlots == nullptr) {
            delete block;
            AfxThrowMemoryException();
        }
        m_pBlocks = block;
        // Chain the slots so that the first slot of the block is used first.
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            block->pSlots[i].pNextFree = m_pFreeList;
            m_pFreeList = &block->pSlots[i];
        }
    }
    Slot* slot = m_pFreeList;
    Slot* nextFree = slot->pNextFree;
    CAssoc* a = new (slot->storage) CAssoc(key);
    m_pFreeList = nextFree;
    ++m_nCount;
    return a;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->~CAssoc();
    Slot* slot = reinterpret_cast<Slot*>(pAssoc);
    slot->pNextFree = m_pFreeList;
    m_pFreeList = slot;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssoc() const
{
    if (m_pHashTable == nullptr || m_nCount == 0)
        return nullptr;
    for (UINT b = 0; b < m_nHashTableSize; ++b) {
        if (m_pHashTable[b] != nullptr)
            return m_pHashTable[b];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextAssoc(const CAssoc* pAssoc) const
{
    if (pAssoc == nullptr)
        return nullptr;
    if (pAssoc->pNext != nullptr)
        return pAssoc->pNext;
    for (UINT b = pAssoc->nHashValue % m_nHashTableSize + 1; b < m_nHashTableSize; ++b) {
        if (m_pHashTable[b] != nullptr)
            return m_pHashTable[b];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    CAssoc* a = rNextPosition == BEFORE_START_POSITION ? FirstAssoc() : reinterpret_cast<CAssoc*>(rNextPosition);
    if (a == nullptr)
        AfxThrowInvalidArgException();
    rKey = a->key;
    rValue = a->value;
    rNextPosition = reinterpret_cast<POSITION>(NextAssoc(a));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD_PTR(m_nCount));
        for (CAssoc* a = FirstAssoc(); a != nullptr; a = NextAssoc(a)) {
            SerializeElements<KEY>(ar, const_cast<KEY*>(&a->key), 1);
            SerializeElements<VALUE>(ar, &a->value, 1);
        }
    } else {
        DWORD_PTR n = ar.ReadCount();
        ar.CheckCount(n, MinArchivedSize<KEY>() + MinArchivedSize<VALUE>());
        for (DWORD_PTR i = 0; i < n; ++i) {
            KEY key{};
            VALUE value{};
            SerializeElements<KEY>(ar, &key, 1);
            SerializeElements<VALUE>(ar, &value, 1);
            (*this)[key] = value;
        }
    }
}

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*> {
    DECLARE_DYNCREATE(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// Holds pointers; deleting the objects is the owner's business.
class CMapStringToOb : public CMap<CString, LPCSTR, CObject*, CObject*> {
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToString : public CMap<CString, LPCSTR, CString, LPCSTR> {
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNCREATE(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNCREATE(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
