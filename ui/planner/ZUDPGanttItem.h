#pragma once
// The data of a Gantt chart: CZUDPGanttItem, one bar with its dates and
// attributes; CZUDPGanttConnection, a link between two bars; and
// CZUDPGanttItemStorageBase, the base of the container that holds the
// items and their links.  The concrete storage keeps the item list and the
// links (the overridable operations); the base removes, looks up, notifies
// and archives on top of them.  Portable: the owner window is only named
// here, and the one platform step, handing a change record to it, lives in
// ZUDPGanttItemWin.cpp (the registered message ZUDM_NM_GANTT_STORAGECHANGED)
// and ZUDPGanttItemPosix.cpp (nothing: there are no windows).
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Object.h"
#include "framework/OleDateTime.h"
#include "framework/String.h"
#include "framework/Types.h"

class CWnd;
class CZUDPGanttItemStorageBase;

class CZUDPGanttItem : public CObject {
    DECLARE_SERIAL(CZUDPGanttItem)
public:
    // Starts now (the planner's clock) and finishes a day later.
    CZUDPGanttItem();
    ~CZUDPGanttItem() override;
    CZUDPGanttItem(const CZUDPGanttItem&) = delete;
    CZUDPGanttItem& operator=(const CZUDPGanttItem&) = delete;

    void Serialize(CArchive& ar) override;
    // Tells the storage that the item changed (hint 0).
    /* 3 */ virtual void Update();
    // When the item has a storage: the storage's UpdateItem(this, hint).
    void NotifyStorage(int nHint);

    CZUDPGanttItemStorageBase* GetStorage() const { return m_pStorage; }
    void SetStorage(CZUDPGanttItemStorageBase* pStorage) { m_pStorage = pStorage; }
    DWORD GetID() const { return m_dwID; }
    void SetID(DWORD dwID) { m_dwID = dwID; }

    // The chart that reads these fields is not part of the library: they
    // are kept, archived and handed back as they are.
    CZUDPGanttItemStorageBase* m_pStorage = nullptr;   // set by the storage holding the item
    int m_nFlag1 = 1;
    int m_nFlag2 = 1;
    int m_nState = 0;                                  // not archived
    int m_nValue1 = 0;
    int m_nValue2 = 0;
    CString m_strText1;
    CString m_strText2;
    COleDateTime m_dtStart;
    COleDateTime m_dtFinish;
    double m_dblAmount = 0.0;
    COLORREF m_clrColor1 = 0xFF000000;                 // 0xFF000000: the visual manager's colour
    COLORREF m_clrColor2 = 0xFF000000;
    int m_nValue3 = 0;
    int m_nValue4 = 0;
    DWORD m_dwID = 0;
};

// A link between two items of one storage.
class CZUDPGanttConnection {
public:
    CZUDPGanttConnection() = default;
    CZUDPGanttConnection(CZUDPGanttItem* pSource, CZUDPGanttItem* pTarget, int nLinkType)
        : m_pSourceItem(pSource), m_pTargetItem(pTarget), m_nLinkType(nLinkType)
    {
    }

    CZUDPGanttItem* m_pSourceItem = nullptr;
    CZUDPGanttItem* m_pTargetItem = nullptr;
    int m_nLinkType = 0;
};

typedef CArray<CZUDPGanttConnection*, CZUDPGanttConnection*> CZUDPGanttConnectionArray;

// What the owner window receives with ZUDM_NM_GANTT_STORAGECHANGED (lParam
// is its address; it lives on the storage's stack while the message is
// handled, so the message is sent, never posted).
struct ZUDPGanttStorageChange {
    int nAction = 0;                   // ZUDP_GANTT_ACTION_*
    int nFirst = 0;                    // index of the first item concerned
    int nLast = 0;                     // index of the last item (= first for one item)
    CZUDPGanttItem* pItem = nullptr;   // the item of a one-item change, null for a range
    int nHint = 0;                     // the update's hint (0 for removals, -1 after loading)
    int nReserved = 0;
};

enum {
    ZUDP_GANTT_ACTION_REMOVING = 2,   // items are about to be removed
    ZUDP_GANTT_ACTION_REMOVED = 3,    // items were removed (still alive while this is handled)
    ZUDP_GANTT_ACTION_UPDATED = 4     // items changed
};

class CZUDPGanttItemStorageBase : public CObject {
    DECLARE_SERIAL(CZUDPGanttItemStorageBase)
public:
    CZUDPGanttItemStorageBase() = default;
    ~CZUDPGanttItemStorageBase() override = default;
    CZUDPGanttItemStorageBase(const CZUDPGanttItemStorageBase&) = delete;
    CZUDPGanttItemStorageBase& operator=(const CZUDPGanttItemStorageBase&) = delete;

    // Items, then links as index pairs; loading replaces every item.
    void Serialize(CArchive& ar) override;

    // ---- the concrete storage's operations, in slot order (the base's
    // answers are those of an empty storage) ----
    /* 3 */ virtual POSITION GetHeadPosition() const { return nullptr; }
    /* 4 */ virtual int OnStorageQuery(int nArgument) { (void)nArgument; return 0; }
    /* 5 */ virtual CZUDPGanttItem* GetNext(POSITION& pos) const { pos = nullptr; return nullptr; }
    /* 6 */ virtual int OnStorageQuery2(int nArgument) { (void)nArgument; return 0; }
    /* 7 */ virtual BOOL OnStorageTest(int nArgument) { (void)nArgument; return FALSE; }
    /* 8 */ virtual int IndexOf(const CZUDPGanttItem* pItem) const { (void)pItem; return -1; }
    /* 9 */ virtual CZUDPGanttItem* GetItem(int nIndex) const { (void)nIndex; return nullptr; }
    /* 10 */ virtual int GetCount() const { return 0; }
    /* 11 */ virtual void GetItemLinksFrom(const CZUDPGanttItem* pItem, CZUDPGanttConnectionArray& arr) const
    {
        (void)pItem;
        arr.RemoveAll();
    }
    /* 12 */ virtual void GetItemLinksTo(const CZUDPGanttItem* pItem, CZUDPGanttConnectionArray& arr) const
    {
        (void)pItem;
        arr.RemoveAll();
    }
    /* 13 */ virtual void GetConnections(CZUDPGanttConnectionArray& arr) const { arr.RemoveAll(); }
    // The number of links removed with the item.
    /* 14 */ virtual int RemoveItemConnections(CZUDPGanttItem* pItem) { (void)pItem; return 0; }
    /* 15 */ virtual CZUDPGanttConnection* AddConnection(CZUDPGanttItem* pSource, CZUDPGanttItem* pTarget,
                                                         int nLinkType)
    {
        (void)pSource;
        (void)pTarget;
        (void)nLinkType;
        return nullptr;
    }
    /* 16 */ virtual int RemoveConnection(CZUDPGanttItem* pSource, CZUDPGanttItem* pTarget)
    {
        (void)pSource;
        (void)pTarget;
        return 0;
    }
    /* 17 */ virtual int FindConnection(CZUDPGanttItem* pSource, CZUDPGanttItem* pTarget)
    {
        (void)pSource;
        (void)pTarget;
        return 0;
    }
    /* 18 */ virtual CZUDPGanttItem* FindItemByID(DWORD dwID) const;
    /* 19 */ virtual void UpdateItem(CZUDPGanttItem* pItem, int nHint);
    /* 20 */ virtual void UpdateAll(int nHint);
    // Takes the item (the storage owns it from then on).
    /* 21 */ virtual void AddItem(CZUDPGanttItem* pItem) { (void)pItem; }
    /* 22 */ virtual void InsertItem(int nIndex, CZUDPGanttItem* pItem)
    {
        (void)nIndex;
        (void)pItem;
    }
    /* 23 */ virtual void MoveItem(int nFrom, int nTo)
    {
        (void)nFrom;
        (void)nTo;
    }
    // Take an item out without deleting it.
    /* 24 */ virtual void DetachItem(CZUDPGanttItem* pItem) { (void)pItem; }
    /* 25 */ virtual void RemoveItemAt(int nIndex) { (void)nIndex; }
    /* 26 */ virtual void OnStorageReset() {}

    // Removes and deletes every item.
    void RemoveAll();
    // Removes and deletes the items first..last (clamped to the items that
    // exist), telling the owner before and after; when links went with
    // them, every remaining item is reported changed.
    void RemoveRange(int nFirst, int nLast);
    // The change record of a range (no item) or of one item, to the owner.
    void NotifyRange(int nAction, int nFirst, int nLast, int nHint);
    void NotifyItem(int nAction, CZUDPGanttItem* pItem, int nIndex, int nHint);

    CWnd* GetOwnerWnd() const { return m_pWndOwner; }
    void SetOwnerWnd(CWnd* pWnd) { m_pWndOwner = pWnd; }

protected:
    // Hands a change record to the owner window; nothing without an owner
    // or while its window does not exist.  Derived storages may listen in.
    virtual void SendStorageChange(const ZUDPGanttStorageChange& change);

    CWnd* m_pWndOwner = nullptr;   // receives the change records; not owned
};

// The platform step of SendStorageChange: the registered message to the
// owner's window, answered before it returns (Windows); nothing natively.
void ZUDPSendGanttStorageChange(CWnd* pOwner, const ZUDPGanttStorageChange& change);
