#pragma once
// CArray<TYPE, ARG_TYPE>: a growable array of elements kept in one block,
// and the typed arrays built on it (CByteArray, CWordArray, CDWordArray,
// CUIntArray, CPtrArray, CObArray, CStringArray).
//
// Growth: SetSize(n, nGrowBy) sets how many elements the block grows by at
// least when it must grow; with the default (0) it grows by an eighth of the
// size, at least 4 and at most 1024 elements.  An index outside the array
// throws CInvalidArgException; SetAtGrow and SetSize extend it.  New
// elements are value-initialised (zero for numbers and pointers).
#include <climits>
#include <new>
#include <utility>

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/Object.h"
#include "framework/String.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    // The element count (WriteCount form), then the elements
    // (SerializeElements).  Loading replaces the content.
    void Serialize(CArchive& ar) override;

protected:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Reallocate(INT_PTR nNewMax);
    void Reserve(INT_PTR nNeeded);

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    // Moves the live elements [0, m_nSize) into a block of nNewMax.
    if (nNewMax == m_nMaxSize)
        return;
    TYPE* pNew = nullptr;
    if (nNewMax > 0) {
        if (size_t(nNewMax) > size_t(INT_MAX) / sizeof(TYPE) || nNewMax > INT_MAX)
            AfxThrowMemoryException();
        pNew = static_cast<TYPE*>(::operator new(size_t(nNewMax) * sizeof(TYPE), std::nothrow));
        if (pNew == nullptr)
            AfxThrowMemoryException();
    }
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        new (&pNew[i]) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = pNew;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reserve(INT_PTR nNeeded)
{
    if (nNeeded <= m_nMaxSize)
        return;
    INT_PTR nGrowBy = m_nGrowBy;
    if (nGrowBy <= 0) {
        nGrowBy = m_nSize / 8;
        nGrowBy = nGrowBy < 4 ? 4 : (nGrowBy > 1024 ? 1024 : nGrowBy);
    }
    INT_PTR nNewMax = m_nMaxSize + nGrowBy;
    if (nNewMax < nNeeded)
        nNewMax = nNeeded;
    Reallocate(nNewMax);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0 || nNewSize > INT_MAX)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize > m_nMaxSize) {
        if (m_nSize == 0 && m_nMaxSize == 0)
            Reallocate(nNewSize);       // first allocation: exactly the size asked for
        else
            Reserve(nNewSize);
    }
    for (INT_PTR i = m_nSize; i < nNewSize; ++i)
        new (&m_pData[i]) TYPE();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize = nNewSize;
    if (nNewSize == 0)
        Reallocate(0);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nSize) {
        TYPE copy(newElement);          // the argument may be an element of this array
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(copy);
        return;
    }
    m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = m_nSize;
    INT_PTR nCount = src.m_nSize;
    if (this == &src) {
        CArray copy;
        copy.Copy(src);
        return Append(copy);
    }
    SetSize(m_nSize + nCount, -1);
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    TYPE copy(newElement);              // the argument may be an element of this array
    if (nIndex >= m_nSize) {
        // Inserting past the end grows the array up to the new elements.
        SetSize(nIndex + nCount, -1);
    } else {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    if (pNewArray == nullptr || nStartIndex < 0)
        AfxThrowInvalidArgException();
    if (pNewArray->GetSize() == 0)
        return;
    CArray copy;
    copy.Copy(*pNewArray);
    INT_PTR nCount = copy.GetSize();
    InsertAt(nStartIndex, copy.m_pData[0], nCount);
    for (INT_PTR i = 1; i < nCount; ++i)
        m_pData[nStartIndex + i] = copy.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > m_nSize)
        AfxThrowInvalidArgException();
    for (INT_PTR i = nIndex; i + nCount < m_nSize; ++i)
        m_pData[i] = std::move(m_pData[i + nCount]);
    SetSize(m_nSize - nCount, -1);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD_PTR(m_nSize));
    } else {
        DWORD_PTR n = ar.ReadCount();
        ar.CheckCount(n, MinArchivedSize<TYPE>());
        if (n > DWORD_PTR(INT_MAX))
            AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
        SetSize(INT_PTR(n), -1);
    }
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
}

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

// Holds pointers; deleting the objects is the owner's business.
class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
};

class CStringArray : public CArray<CString, const CString&> {
    DECLARE_SERIAL(CStringArray)
public:
    using CArray<CString, const CString&>::Add;
    INT_PTR Add(LPCSTR newElement) { return CArray<CString, const CString&>::Add(CString(newElement)); }
};
