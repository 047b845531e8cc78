#pragma once
// CList<TYPE, ARG_TYPE>: a doubly linked list walked with POSITION values,
// and the typed lists built on it (CPtrList, CObList, CStringList).
//
// A POSITION stays valid until its element is removed.  Elements are
// compared with CompareElements (operator== by default) in Find.
#include <utility>

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/Object.h"
#include "framework/String.h"

// Equality of two elements; specialise for element types without ==.
template <class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    // nBlockSize is accepted for compatibility; nodes are allocated singly.
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return CheckNode(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return CheckNode(m_pNodeHead)->data; }
    TYPE& GetTail() { return CheckNode(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return CheckNode(m_pNodeTail)->data; }

    // Removing from an empty list throws CInvalidArgException.
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return Pos(InsertNode(nullptr, m_pNodeHead, newElement)); }
    POSITION AddTail(ARG_TYPE newElement) { return Pos(InsertNode(m_pNodeTail, nullptr, newElement)); }
    void AddHead(const CList* pNewList);
    void AddTail(const CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
    // The element at rPosition; rPosition moves to the next (previous) one,
    // null after the last.
    TYPE& GetNext(POSITION& rPosition);
    const TYPE& GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition);
    const TYPE& GetPrev(POSITION& rPosition) const;

    TYPE& GetAt(POSITION position) { return CheckNode(Node(position))->data; }
    const TYPE& GetAt(POSITION position) const { return CheckNode(Node(position))->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { CheckNode(Node(pos))->data = newElement; }
    void RemoveAt(POSITION position);

    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // The first element equal to searchValue after startAfter (from the head
    // when null), or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    // The position of the element with this index from the head, or null.
    POSITION FindIndex(INT_PTR nIndex) const;

    // The element count (WriteCount form), then the elements from the head
    // (SerializeElements).  Loading adds them at the tail.
    void Serialize(CArchive& ar) override;

protected:
    static POSITION Pos(CNode* node) { return reinterpret_cast<POSITION>(node); }
    static CNode* Node(POSITION pos) { return reinterpret_cast<CNode*>(pos); }
    static CNode* CheckNode(CNode* node)
    {
        if (node == nullptr || Pos(node) == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return node;
    }
    CNode* InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void Unlink(CNode* node);

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    CNode* node = new CNode{ pNext, pPrev, TYPE(newElement) };
    if (pPrev != nullptr)
        pPrev->pNext = node;
    else
        m_pNodeHead = node;
    if (pNext != nullptr)
        pNext->pPrev = node;
    else
        m_pNodeTail = node;
    ++m_nCount;
    return node;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Unlink(CNode* node)
{
    if (node->pPrev != nullptr)
        node->pPrev->pNext = node->pNext;
    else
        m_pNodeHead = node->pNext;
    if (node->pNext != nullptr)
        node->pNext->pPrev = node->pPrev;
    else
        m_pNodeTail = node->pPrev;
    --m_nCount;
    delete node;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* node = CheckNode(m_pNodeHead);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* node = CheckNode(m_pNodeTail);
    TYPE value(std::move(node->data));
    Unlink(node);
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(const CList* pNewList)
{
    if (pNewList == nullptr)
        AfxThrowInvalidArgException();
    CList copy;
    copy.AddTail(pNewList);
    for (CNode* n = copy.m_pNodeTail; n != nullptr; n = n->pPrev)
        AddHead(n->data);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(const CList* pNewList)
{
    if (pNewList == nullptr)
        AfxThrowInvalidArgException();
    // Adding a list to itself adds its elements once.
    INT_PTR n = pNewList->m_nCount;
    CNode* node = pNewList->m_pNodeHead;
    for (INT_PTR i = 0; i < n; ++i, node = node->pNext)
        AddTail(node->data);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    CNode* node = m_pNodeHead;
    while (node != nullptr) {
        CNode* next = node->pNext;
        delete node;
        node = next;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition)
{
    CNode* node = CheckNode(Node(rPosition));
    rPosition = Pos(node->pNext);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const
{
    CNode* node = CheckNode(Node(rPosition));
    rPosition = Pos(node->pNext);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition)
{
    CNode* node = CheckNode(Node(rPosition));
    rPosition = Pos(node->pPrev);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const
{
    CNode* node = CheckNode(Node(rPosition));
    rPosition = Pos(node->pPrev);
    return node->data;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    Unlink(CheckNode(Node(position)));
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == nullptr)
        return AddHead(newElement);
    CNode* node = CheckNode(Node(position));
    return Pos(InsertNode(node->pPrev, node, newElement));
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == nullptr)
        return AddTail(newElement);
    CNode* node = CheckNode(Node(position));
    return Pos(InsertNode(node, node->pNext, newElement));
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* node = startAfter == nullptr ? m_pNodeHead : CheckNode(Node(startAfter))->pNext;
    for (; node != nullptr; node = node->pNext) {
        if (CompareElements<TYPE, TYPE>(&node->data, &searchValue))
            return Pos(node);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* node = m_pNodeHead;
    while (nIndex-- > 0)
        node = node->pNext;
    return Pos(node);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD_PTR(m_nCount));
        for (CNode* node = m_pNodeHead; node != nullptr; node = node->pNext)
            SerializeElements<TYPE>(ar, &node->data, 1);
    } else {
        DWORD_PTR n = ar.ReadCount();
        ar.CheckCount(n, MinArchivedSize<TYPE>());
        for (DWORD_PTR i = 0; i < n; ++i) {
            TYPE element{};
            SerializeElements<TYPE>(ar, &element, 1);
            AddTail(element);
        }
    }
}

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNCREATE(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

// Holds pointers; deleting the objects is the owner's business.
class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
    using CList<CString, const CString&>::AddHead;
    using CList<CString, const CString&>::AddTail;
    using CList<CString, const CString&>::Find;
    POSITION AddHead(LPCSTR newElement) { return AddHead(CString(newElement)); }
    POSITION AddTail(LPCSTR newElement) { return AddTail(CString(newElement)); }
    POSITION Find(LPCSTR searchValue, POSITION startAfter = nullptr) const { return Find(CString(searchValue), startAfter); }
};
