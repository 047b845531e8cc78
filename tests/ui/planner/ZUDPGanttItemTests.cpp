// Gantt items and their storage: removal and change records, loading with
// links that point nowhere, the archive's bytes, a new item's dates.
#include "ui/planner/ZUDPGanttItem.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/Exceptions.h"
#include "PlannerTestSupport.h"

namespace {

using plannertest::ByteWriter;
using plannertest::Bytes;

// An item that counts the live ones, so a test sees when items go.
class CountedGanttItem : public CZUDPGanttItem {
public:
    CountedGanttItem() { ++s_live; }
    ~CountedGanttItem() override { --s_live; }
    static int s_live;
};
int CountedGanttItem::s_live = 0;

// A storage of an item array and a link array that records every change
// record it would send, with the number of live items at that moment.
class RecordingGanttStorage : public CZUDPGanttItemStorageBase {
public:
    struct Record {
        ZUDPGanttStorageChange change;
        int liveItems;
    };

    ~RecordingGanttStorage() override
    {
        for (CZUDPGanttConnection* pLink : m_links)
            delete pLink;
        for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
            delete m_items[i];
    }

    POSITION GetHeadPosition() const override { return m_items.GetSize() > 0 ? POSITION(1) : nullptr; }
    CZUDPGanttItem* GetNext(POSITION& pos) const override
    {
        const INT_PTR index = INT_PTR(pos) - 1;
        pos = index + 1 < m_items.GetSize() ? POSITION(index + 2) : nullptr;
        return m_items[index];
    }
    int IndexOf(const CZUDPGanttItem* pItem) const override
    {
        for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
            if (m_items[i] == pItem)
                return int(i);
        return -1;
    }
    CZUDPGanttItem* GetItem(int nIndex) const override
    {
        return nIndex >= 0 && nIndex < m_items.GetSize() ? m_items[nIndex] : nullptr;
    }
    int GetCount() const override { return int(m_items.GetSize()); }
    void GetConnections(CZUDPGanttConnectionArray& arr) const override
    {
        arr.RemoveAll();
        for (CZUDPGanttConnection* pLink : m_links)
            arr.Add(pLink);
    }
    int RemoveItemConnections(CZUDPGanttItem* pItem) override
    {
        int removed = 0;
        for (size_t i = m_links.size(); i-- > 0;) {
            if (m_links[i]->m_pSourceItem == pItem || m_links[i]->m_pTargetItem == pItem) {
                delete m_links[i];
                m_links.erase(m_links.begin() + std::ptrdiff_t(i));
                ++removed;
            }
        }
        return removed;
    }
    CZUDPGanttConnection* AddConnection(CZUDPGanttItem* pSource, CZUDPGanttItem* pTarget, int nLinkType) override
    {
        m_links.push_back(new CZUDPGanttConnection(pSource, pTarget, nLinkType));
        return m_links.back();
    }
    void AddItem(CZUDPGanttItem* pItem) override
    {
        pItem->SetStorage(this);
        m_items.Add(pItem);
    }
    void DetachItem(CZUDPGanttItem* pItem) override
    {
        const int index = IndexOf(pItem);
        if (index >= 0)
            m_items.RemoveAt(index);
        m_detached.push_back(index);
    }
    void RemoveItemAt(int nIndex) override
    {
        m_items.RemoveAt(nIndex);
        m_detached.push_back(nIndex);
    }

    std::vector<Record> m_records;
    std::vector<int> m_detached;          // indexes in the order items were taken out
    std::vector<CZUDPGanttConnection*> m_links;
    CArray<CZUDPGanttItem*, CZUDPGanttItem*> m_items;

protected:
    void SendStorageChange(const ZUDPGanttStorageChange& change) override
    {
        m_records.push_back({change, CountedGanttItem::s_live});
        CZUDPGanttItemStorageBase::SendStorageChange(change);
    }
};

class GanttStorageTest : public ::testing::Test {
protected:
    void SetUp() override { CountedGanttItem::s_live = 0; }
    void TearDown() override { EXPECT_EQ(0, CountedGanttItem::s_live) << "items leaked"; }

    CZUDPGanttItem* AddItems(RecordingGanttStorage& storage, int count)
    {
        CZUDPGanttItem* first = nullptr;
        for (int i = 0; i < count; ++i) {
            auto* pItem = new CountedGanttItem;
            pItem->SetID(DWORD(100 + i));
            storage.AddItem(pItem);
            if (first == nullptr)
                first = pItem;
        }
        return first;
    }
};

void ExpectRecord(const RecordingGanttStorage::Record& record, int action, int first, int last,
                  const CZUDPGanttItem* item, int hint)
{
    EXPECT_EQ(action, record.change.nAction);
    EXPECT_EQ(first, record.change.nFirst);
    EXPECT_EQ(last, record.change.nLast);
    EXPECT_EQ(item, record.change.pItem);
    EXPECT_EQ(hint, record.change.nHint);
    EXPECT_EQ(0, record.change.nReserved);
}

} // namespace

TEST_F(GanttStorageTest, RemovingOneItemBracketsItWithRecordsThatNameItAndDeletesItAfterwards)
{
    RecordingGanttStorage storage;
    AddItems(storage, 3);
    CZUDPGanttItem* middle = storage.GetItem(1);
    storage.RemoveRange(1, 1);

    ASSERT_EQ(2u, storage.m_records.size());
    ExpectRecord(storage.m_records[0], ZUDP_GANTT_ACTION_REMOVING, 1, 1, middle, 0);
    ExpectRecord(storage.m_records[1], ZUDP_GANTT_ACTION_REMOVED, 1, 1, middle, 0);
    EXPECT_EQ(3, storage.m_records[1].liveItems) << "the item is alive while its removal is handled";
    EXPECT_EQ(2, CountedGanttItem::s_live);
    EXPECT_EQ(2, storage.GetCount());
    EXPECT_EQ(nullptr, storage.FindItemByID(101));
    EXPECT_EQ(storage.GetItem(1), storage.FindItemByID(102));
}

TEST_F(GanttStorageTest, RemovingARangeTakesItemsOutFromTheLastAndDeletesThemAfterTheRemovedRecord)
{
    RecordingGanttStorage storage;
    AddItems(storage, 5);
    storage.RemoveRange(1, 3);

    ASSERT_EQ(2u, storage.m_records.size());
    ExpectRecord(storage.m_records[0], ZUDP_GANTT_ACTION_REMOVING, 1, 3, nullptr, 0);
    ExpectRecord(storage.m_records[1], ZUDP_GANTT_ACTION_REMOVED, 1, 3, nullptr, 0);
    EXPECT_EQ(5, storage.m_records[1].liveItems);
    EXPECT_EQ((std::vector<int>{3, 2, 1}), storage.m_detached);
    EXPECT_EQ(2, CountedGanttItem::s_live);
}

TEST_F(GanttStorageTest, RemovingItemsWithLinksEndsWithAnUpdateOfEveryRemainingItem)
{
    struct Case {
        const char* name;
        int first, last;
    } cases[] = {{"one item", 0, 0}, {"a range", 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingGanttStorage storage;
        AddItems(storage, 4);
        storage.AddConnection(storage.GetItem(0), storage.GetItem(2), 1);
        storage.AddConnection(storage.GetItem(2), storage.GetItem(3), 1);
        storage.RemoveRange(c.first, c.last);
        ASSERT_EQ(3u, storage.m_records.size());
        ExpectRecord(storage.m_records[2], ZUDP_GANTT_ACTION_UPDATED, 0, storage.GetCount() - 1, nullptr, 0);
        EXPECT_EQ(1u, storage.m_links.size());
    }
    // Without links no update follows.
    RecordingGanttStorage plain;
    AddItems(plain, 2);
    plain.RemoveRange(0, 0);
    EXPECT_EQ(2u, plain.m_records.size());
}

TEST_F(GanttStorageTest, RangesOutsideTheItemsAreClampedAndNullItemsSkipped)
{
    struct Case {
        const char* name;
        int first, last;
        int left;          // items left of four
        size_t records;
    } cases[] = {
        {"past the end", 2, 10, 2, 2},
        {"before the start", -5, 0, 3, 2},
        {"wholly outside", 4, 9, 4, 0},
        {"reversed", 3, 1, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingGanttStorage storage;
        AddItems(storage, 4);
        storage.RemoveRange(c.first, c.last);
        EXPECT_EQ(c.left, storage.GetCount());
        EXPECT_EQ(c.records, storage.m_records.size());
    }
    RecordingGanttStorage holes;
    AddItems(holes, 2);
    holes.m_items.InsertAt(1, static_cast<CZUDPGanttItem*>(nullptr));
    holes.RemoveRange(0, 2);
    EXPECT_EQ(1, holes.GetCount()) << "the null entry stays; the items went";
    holes.m_items.RemoveAll();
}

TEST_F(GanttStorageTest, AnItemsUpdateIsReportedWithItsIndexAndHint)
{
    RecordingGanttStorage storage;
    AddItems(storage, 3);
    storage.GetItem(2)->Update();
    storage.GetItem(1)->NotifyStorage(7);
    ASSERT_EQ(2u, storage.m_records.size());
    ExpectRecord(storage.m_records[0], ZUDP_GANTT_ACTION_UPDATED, 2, 2, storage.GetItem(2), 0);
    ExpectRecord(storage.m_records[1], ZUDP_GANTT_ACTION_UPDATED, 1, 1, storage.GetItem(1), 7);
}

TEST(GanttItemTest, ANewItemStartsNowAndFinishesADayLaterWithTheManagersColours)
{
    const COleDateTime now(2025, 3, 4, 10, 20, 30);
    ScopedSeam clock(g_plannerSeams.now, [&] { return now; });
    CZUDPGanttItem item;
    EXPECT_EQ(now, item.m_dtStart);
    EXPECT_EQ(COleDateTime(2025, 3, 5, 10, 20, 30), item.m_dtFinish);
    EXPECT_EQ(0xFF000000u, item.m_clrColor1);
    EXPECT_EQ(0xFF000000u, item.m_clrColor2);
    EXPECT_EQ(1, item.m_nFlag1);
    EXPECT_EQ(1, item.m_nFlag2);
    EXPECT_EQ(nullptr, item.GetStorage());
}

namespace {

void FillItem(CZUDPGanttItem& item, const char* text, DWORD id)
{
    item.m_strText1 = text;
    item.m_strText2 = "b";
    item.m_dtStart = COleDateTime(2024, 5, 6, 8, 0, 0);
    item.m_dtFinish = COleDateTime(2024, 5, 7, 17, 0, 0);
    item.m_dblAmount = 0.5;
    item.m_nValue3 = 3;
    item.m_nFlag1 = 0;
    item.m_nFlag2 = 1;
    item.m_nValue1 = -1;
    item.m_clrColor1 = 0x00112233;
    item.m_clrColor2 = 0xFF000000;
    item.m_nValue2 = 2;
    item.m_nValue4 = 4;
    item.m_nState = 9;   // not archived
    item.SetID(id);
}

void ExpectItemBytes(ByteWriter& w, const char* text, DWORD id)
{
    w.Text(text).Date(COleDateTime(2024, 5, 6, 8, 0, 0)).Date(COleDateTime(2024, 5, 7, 17, 0, 0)).F64(0.5);
    w.U32(3).U32(0).U32(1).U32(uint32_t(-1)).Text("b").U32(0x00112233).U32(0xFF000000).U32(2).U32(4).U32(id);
}

} // namespace

TEST_F(GanttStorageTest, TheArchiveHoldsItemsAsObjectsAndLinksAsIndexPairs)
{
    RecordingGanttStorage storage;
    auto* first = new CZUDPGanttItem;
    auto* second = new CZUDPGanttItem;
    FillItem(*first, "one", 11);
    FillItem(*second, "two", 12);
    storage.AddItem(first);
    storage.AddItem(second);
    storage.AddConnection(second, first, 3);

    const Bytes bytes = plannertest::Store([&](CArchive& ar) { storage.Serialize(ar); });
    ByteWriter expected;
    expected.U32(2).NewClass("CZUDPGanttItem", 1);
    ExpectItemBytes(expected, "one", 11);
    expected.U16(0x8001);
    ExpectItemBytes(expected, "two", 12);
    expected.U32(1).U32(1).U32(0).U32(3).U32(0);
    EXPECT_EQ(expected.bytes, bytes);

    // Read back into another storage: the same items, the link, and the
    // update of all items with hint -1 after the removal of the old ones.
    RecordingGanttStorage loaded;
    AddItems(loaded, 1);
    plannertest::Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(2, loaded.GetCount());
    EXPECT_EQ(CString("two"), loaded.GetItem(1)->m_strText1);
    EXPECT_EQ(0, loaded.GetItem(1)->m_nState);
    EXPECT_EQ(&loaded, loaded.GetItem(0)->GetStorage());
    ASSERT_EQ(1u, loaded.m_links.size());
    EXPECT_EQ(loaded.GetItem(1), loaded.m_links[0]->m_pSourceItem);
    EXPECT_EQ(loaded.GetItem(0), loaded.m_links[0]->m_pTargetItem);
    ASSERT_EQ(3u, loaded.m_records.size());
    EXPECT_EQ(ZUDP_GANTT_ACTION_REMOVING, loaded.m_records[0].change.nAction);
    ExpectRecord(loaded.m_records[2], ZUDP_GANTT_ACTION_UPDATED, 0, 1, nullptr, -1);
    EXPECT_EQ(Bytes(bytes), plannertest::Store([&](CArchive& ar) { loaded.Serialize(ar); }));
}

TEST_F(GanttStorageTest, LoadingDropsLinksOutsideTheItemsOrFromAnItemToItself)
{
    ByteWriter w;
    w.U32(3).NewClass("CZUDPGanttItem", 1);
    ExpectItemBytes(w, "a", 1);
    w.U16(0x8001);
    ExpectItemBytes(w, "b", 2);
    w.U16(0);   // a null item: skipped
    w.U32(5);
    w.U32(0).U32(2).U32(1).U32(0);    // index n: past the items
    w.U32(1).U32(1).U32(1).U32(0);    // to itself
    w.U32(uint32_t(-1)).U32(0).U32(1).U32(0);
    w.U32(0).U32(1).U32(7).U32(0);    // kept
    w.U32(1).U32(0).U32(8).U32(99);   // kept; the spare value is ignored
    RecordingGanttStorage storage;
    plannertest::Load(w.bytes, [&](CArchive& ar) { storage.Serialize(ar); });
    EXPECT_EQ(2, storage.GetCount());
    ASSERT_EQ(2u, storage.m_links.size());
    EXPECT_EQ(7, storage.m_links[0]->m_nLinkType);
    EXPECT_EQ(8, storage.m_links[1]->m_nLinkType);
}

TEST_F(GanttStorageTest, CountsLargerThanTheArchiveAndRepeatedItemsAreRefused)
{
    struct Case {
        const char* name;
        Bytes bytes;
    };
    ByteWriter hugeItems;
    hugeItems.U32(0x7FFFFFFF).U16(0);
    ByteWriter negative;
    negative.U32(uint32_t(-2));
    ByteWriter hugeLinks;
    hugeLinks.U32(0).U32(1000000).U32(0).U32(0).U32(0).U32(0);
    ByteWriter repeated;   // the second item is a reference to the first
    repeated.U32(2).NewClass("CZUDPGanttItem", 1);
    ExpectItemBytes(repeated, "a", 1);
    repeated.U16(2).U32(0);
    const Case cases[] = {{"item count", hugeItems.bytes},
                          {"negative count", negative.bytes},
                          {"link count", hugeLinks.bytes},
                          {"an item twice", repeated.bytes}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingGanttStorage storage;
        bool refused = false;
        try {
            plannertest::Load(c.bytes, [&](CArchive& ar) { storage.Serialize(ar); });
        } catch (CArchiveException* e) {
            e->Delete();
            refused = true;
        }
        EXPECT_TRUE(refused);
        EXPECT_LE(storage.GetCount(), 1);
    }
}
