// The Gantt storage's change records reach its owner window as the
// registered message, with the record readable while the message is
// handled, also by a window of another thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/win/Wnd.h"
#include "tests/common/MessagePumpWin.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPGanttItem.h"

namespace {

// One item at index 0 and nothing else.
class COneItemGanttStorage : public CZUDPGanttItemStorageBase {
public:
    ~COneItemGanttStorage() override { delete m_pItem; }
    int GetCount() const override { return m_pItem != nullptr ? 1 : 0; }
    CZUDPGanttItem* GetItem(int nIndex) const override { return nIndex == 0 ? m_pItem : nullptr; }
    int IndexOf(const CZUDPGanttItem* pItem) const override { return pItem != nullptr && pItem == m_pItem ? 0 : -1; }
    void DetachItem(CZUDPGanttItem* pItem) override
    {
        if (pItem == m_pItem)
            m_pItem = nullptr;
    }
    CZUDPGanttItem* m_pItem = new CZUDPGanttItem;
};

// Copies every record it receives.
class CGanttOwnerWnd : public CWnd {
public:
    std::vector<ZUDPGanttStorageChange> m_records;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDM_NM_GANTT_STORAGECHANGED) {
            // The sender's stack must still hold the record.
            ::Sleep(m_delay);
            m_records.push_back(*reinterpret_cast<const ZUDPGanttStorageChange*>(lParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

public:
    DWORD m_delay = 0;
};

} // namespace

TEST(GanttStorageOwnerTest, RecordsReachTheOwnerWindowWithTheFullItemAddress)
{
    CGanttOwnerWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "gantt owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    COneItemGanttStorage storage;
    CZUDPGanttItem* pItem = storage.m_pItem;
    storage.UpdateItem(pItem, 5);   // no owner yet: nothing
    storage.SetOwnerWnd(&owner);
    storage.UpdateItem(pItem, 5);
    storage.RemoveRange(0, 0);
    ASSERT_EQ(3u, owner.m_records.size());
    EXPECT_EQ(ZUDP_GANTT_ACTION_UPDATED, owner.m_records[0].nAction);
    EXPECT_EQ(5, owner.m_records[0].nHint);
    EXPECT_EQ(pItem, owner.m_records[0].pItem);
    EXPECT_EQ(ZUDP_GANTT_ACTION_REMOVING, owner.m_records[1].nAction);
    EXPECT_EQ(ZUDP_GANTT_ACTION_REMOVED, owner.m_records[2].nAction);
    EXPECT_EQ(pItem, owner.m_records[2].pItem);

    // An owner whose window is gone hears nothing.
    owner.DestroyWindow();
    storage.m_pItem = new CZUDPGanttItem;
    storage.RemoveAll();
    EXPECT_EQ(3u, owner.m_records.size());
}

TEST(GanttStorageOwnerTest, AnOwnerOnAnotherThreadReadsTheRecordBeforeTheStorageGoesOn)
{
    CGanttOwnerWnd owner;
    owner.m_delay = 50;
    std::atomic<bool> created{false}, done{false};
    std::thread ownerThread([&] {
        owner.CreateEx(0, AfxRegisterWndClass(0), "gantt owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
        created = true;
        MSG msg;
        while (!done) {
            while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessage(&msg);
            ::Sleep(1);
        }
        owner.DestroyWindow();
    });
    while (!created)
        ::Sleep(1);
    {
        COneItemGanttStorage storage;
        storage.SetOwnerWnd(&owner);
        storage.UpdateItem(storage.m_pItem, 9);
        // Returned only once the record was read.
        ASSERT_EQ(1u, owner.m_records.size());
        EXPECT_EQ(9, owner.m_records[0].nHint);
        EXPECT_EQ(storage.m_pItem, owner.m_records[0].pItem);
    }
    done = true;
    ownerThread.join();
}
