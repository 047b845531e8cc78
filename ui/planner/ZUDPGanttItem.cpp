#include "ui/planner/ZUDPGanttItem.h"

#include "framework/Exceptions.h"
#include "framework/List.h"
#include "ui/planner/ZUDPPlannerSeams.h"

// Items come from archives by class name and are handed to one storage
// each: a reference to an item read before is refused.
IMPLEMENT_SERIAL_OWNED(CZUDPGanttItem, CObject, 1)
IMPLEMENT_SERIAL(CZUDPGanttItemStorageBase, CObject, 1)

namespace {

// An item object in an archive: a class reference of at least two bytes
// and its fields (two strings of at least one byte, two 12-byte dates, a
// double and seven 32-bit values).
const ULONGLONG kSmallestArchivedItem = 2 + 1 + 12 + 12 + 8 + 4 + 4 + 4 + 1 + 4 + 4 + 4 + 4 + 4;
// A link: source and target index, link type and a spare value.
const ULONGLONG kArchivedConnection = 16;

} // namespace

// ---- item ---------------------------------------------------------------------------------------

CZUDPGanttItem::CZUDPGanttItem()
{
    m_dtStart = g_plannerSeams.now();
    m_dtFinish = m_dtStart + COleDateTimeSpan(1.0);
}

CZUDPGanttItem::~CZUDPGanttItem() = default;

void CZUDPGanttItem::Update() { NotifyStorage(0); }

void CZUDPGanttItem::NotifyStorage(int nHint)
{
    if (m_pStorage != nullptr)
        m_pStorage->UpdateItem(this, nHint);
}

void CZUDPGanttItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strText1 << m_dtStart << m_dtFinish << m_dblAmount;
        ar << int32_t(m_nValue3) << int32_t(m_nFlag1) << int32_t(m_nFlag2) << int32_t(m_nValue1);
        ar << m_strText2 << uint32_t(m_clrColor1) << uint32_t(m_clrColor2);
        ar << int32_t(m_nValue2) << int32_t(m_nValue4) << uint32_t(m_dwID);
        return;
    }
    int32_t value3 = 0, flag1 = 0, flag2 = 0, value1 = 0, value2 = 0, value4 = 0;
    uint32_t color1 = 0, color2 = 0, id = 0;
    ar >> m_strText1 >> m_dtStart >> m_dtFinish >> m_dblAmount;
    ar >> value3 >> flag1 >> flag2 >> value1;
    ar >> m_strText2 >> color1 >> color2;
    ar >> value2 >> value4 >> id;
    m_nValue3 = value3;
    m_nFlag1 = flag1;
    m_nFlag2 = flag2;
    m_nValue1 = value1;
    m_nValue2 = value2;
    m_nValue4 = value4;
    m_clrColor1 = color1;
    m_clrColor2 = color2;
    m_dwID = id;
}

// ---- storage ------------------------------------------------------------------------------------

CZUDPGanttItem* CZUDPGanttItemStorageBase::FindItemByID(DWORD dwID) const
{
    POSITION pos = GetHeadPosition();
    while (pos != nullptr) {
        CZUDPGanttItem* pItem = GetNext(pos);
        if (pItem != nullptr && pItem->GetID() == dwID)
            return pItem;
    }
    return nullptr;
}

void CZUDPGanttItemStorageBase::UpdateItem(CZUDPGanttItem* pItem, int nHint)
{
    NotifyItem(ZUDP_GANTT_ACTION_UPDATED, pItem, IndexOf(pItem), nHint);
}

void CZUDPGanttItemStorageBase::UpdateAll(int nHint)
{
    const int count = GetCount();
    if (count > 0)
        NotifyRange(ZUDP_GANTT_ACTION_UPDATED, 0, count - 1, nHint);
}

void CZUDPGanttItemStorageBase::RemoveAll()
{
    const int count = GetCount();
    if (count > 0)
        RemoveRange(0, count - 1);
}

void CZUDPGanttItemStorageBase::RemoveRange(int nFirst, int nLast)
{
    // Only items that exist are removed: indexes outside the storage would
    // hand null items to the links' removal and to the detaching.
    const int count = GetCount();
    if (nFirst < 0)
        nFirst = 0;
    if (nLast > count - 1)
        nLast = count - 1;
    if (nFirst > nLast)
        return;

    int removed = 0;
    if (nFirst == nLast) {
        CZUDPGanttItem* pItem = GetItem(nFirst);
        if (pItem == nullptr)
            return;
        NotifyItem(ZUDP_GANTT_ACTION_REMOVING, pItem, nFirst, 0);
        removed = RemoveItemConnections(pItem);
        DetachItem(pItem);
        NotifyItem(ZUDP_GANTT_ACTION_REMOVED, pItem, nFirst, 0);
        delete pItem;
    } else {
        NotifyRange(ZUDP_GANTT_ACTION_REMOVING, nFirst, nLast, 0);
        CList<CZUDPGanttItem*, CZUDPGanttItem*> gone;
        for (int i = nLast; i >= nFirst; --i) {
            CZUDPGanttItem* pItem = GetItem(i);
            if (pItem == nullptr)
                continue;
            gone.AddTail(pItem);
            removed += RemoveItemConnections(pItem);
            RemoveItemAt(i);
        }
        // The owner still sees the items while it handles the removal.
        NotifyRange(ZUDP_GANTT_ACTION_REMOVED, nFirst, nLast, 0);
        for (POSITION pos = gone.GetHeadPosition(); pos != nullptr;)
            delete gone.GetNext(pos);
    }
    if (removed > 0)
        UpdateAll(0);
}

void CZUDPGanttItemStorageBase::NotifyRange(int nAction, int nFirst, int nLast, int nHint)
{
    ZUDPGanttStorageChange change;
    change.nAction = nAction;
    change.nFirst = nFirst;
    change.nLast = nLast;
    change.nHint = nHint;
    SendStorageChange(change);
}

void CZUDPGanttItemStorageBase::NotifyItem(int nAction, CZUDPGanttItem* pItem, int nIndex, int nHint)
{
    ZUDPGanttStorageChange change;
    change.nAction = nAction;
    change.nFirst = nIndex;
    change.nLast = nIndex;
    change.pItem = pItem;
    change.nHint = nHint;
    SendStorageChange(change);
}

void CZUDPGanttItemStorageBase::SendStorageChange(const ZUDPGanttStorageChange& change)
{
    if (m_pWndOwner != nullptr)
        ZUDPSendGanttStorageChange(m_pWndOwner, change);
}

void CZUDPGanttItemStorageBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        // The items as the storage walks them: the count written is the
        // number of items written, whatever GetCount says.
        CArray<CZUDPGanttItem*, CZUDPGanttItem*> items;
        const int count = GetCount();
        POSITION pos = GetHeadPosition();
        while (pos != nullptr && items.GetSize() < count)
            items.Add(GetNext(pos));
        ar << int32_t(items.GetSize());
        for (INT_PTR i = 0; i < items.GetSize(); ++i)
            ar.WriteObject(items[i]);
        CZUDPGanttConnectionArray links;
        GetConnections(links);
        ar << int32_t(links.GetSize());
        for (INT_PTR i = 0; i < links.GetSize(); ++i) {
            const CZUDPGanttConnection* pLink = links[i];
            ar << int32_t(pLink != nullptr ? IndexOf(pLink->m_pSourceItem) : -1);
            ar << int32_t(pLink != nullptr ? IndexOf(pLink->m_pTargetItem) : -1);
            ar << int32_t(pLink != nullptr ? pLink->m_nLinkType : 0) << int32_t(0);
        }
        return;
    }

    RemoveAll();
    int32_t itemCount = 0;
    ar >> itemCount;
    if (itemCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.CheckCount(ULONGLONG(itemCount), kSmallestArchivedItem);
    for (int32_t i = 0; i < itemCount; ++i) {
        CZUDPGanttItem* pItem = nullptr;
        ar >> pItem;
        if (pItem == nullptr)
            continue;
        pItem->SetStorage(this);
        AddItem(pItem);
        // A storage that did not take the item leaves it to the reader.
        if (IndexOf(pItem) < 0)
            delete pItem;
    }
    const int count = GetCount();
    int32_t linkCount = 0;
    ar >> linkCount;
    if (linkCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.CheckCount(ULONGLONG(linkCount), kArchivedConnection);
    for (int32_t i = 0; i < linkCount; ++i) {
        int32_t source = 0, target = 0, type = 0, spare = 0;
        ar >> source >> target >> type >> spare;
        if (source >= 0 && source < count && target >= 0 && target < count && source != target)
            AddConnection(GetItem(source), GetItem(target), type);
    }
    UpdateAll(-1);
}
