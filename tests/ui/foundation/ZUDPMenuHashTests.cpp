// Menu snapshots: saved bars come back, one temporary file per menu, a
// failed save keeps the previous snapshot, and no file outlives the hash.
#include "ui/foundation/ZUDPMenuHash.h"

#include "framework/Archive.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A bar with plain numbers for buttons; it can be told to fail while
// storing, and records whether the hash said it was serializing.
class CNumberBar : public CZUDPToolBar {
public:
    // The hash saves only bars with buttons: one plain button per number.
    explicit CNumberBar(std::vector<int> buttons = {}) : m_buttons(std::move(buttons))
    {
        for (int b : m_buttons)
            InsertButton(new CZUDPToolbarButton(UINT(b), -1, nullptr, FALSE, TRUE));
    }
    void Serialize(CArchive& ar) override
    {
        m_sawSerializing = m_hash != nullptr && m_hash->IsSerializing();
        if (ar.IsStoring()) {
            ar << int(m_buttons.size());
            for (int b : m_buttons)
                ar << b;
            if (m_failStoring)
                AfxThrowFileException(CFileException::diskFull);
        } else {
            int n = 0;
            ar >> n;
            ar.CheckCount(ULONGLONG(n), 4);
            m_buttons.assign(size_t(n), 0);
            for (int& b : m_buttons)
                ar >> b;
        }
    }
    std::vector<int> m_buttons;
    bool m_failStoring = false;
    bool m_sawSerializing = false;
    const CZUDPMenuHash* m_hash = nullptr;
};

int CountSnapshotFiles()
{
    char szTemp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, szTemp);
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA((CString(szTemp) + "ZUD*.tmp"), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do
        ++n;
    while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return n;
}

TEST(ZUDPMenuHashTest, SavedBarsLoadBackAndEachMenuKeepsOneFile)
{
    const int filesBefore = CountSnapshotFiles();
    HMENU hMenu = ::CreateMenu();
    {
        CZUDPMenuHash hash;
        CNumberBar bar({1, 2, 3});
        bar.m_hash = &hash;
        EXPECT_FALSE(hash.RemoveMenu(hMenu));   // never saved
        EXPECT_FALSE(hash.LoadMenuBar(hMenu, &bar));
        ASSERT_TRUE(hash.SaveMenuBar(hMenu, &bar));
        EXPECT_TRUE(bar.m_sawSerializing);
        EXPECT_FALSE(hash.IsSerializing());
        bar.m_buttons = {4, 5};
        ASSERT_TRUE(hash.SaveMenuBar(hMenu, &bar));
        EXPECT_EQ(filesBefore + 1, CountSnapshotFiles());   // the first one is gone

        CNumberBar fresh;
        fresh.m_hash = &hash;
        ASSERT_TRUE(hash.LoadMenuBar(hMenu, &fresh));
        EXPECT_EQ(std::vector<int>({4, 5}), fresh.m_buttons);
        EXPECT_TRUE(fresh.m_sawSerializing);
        // Loading twice reads from the start again.
        ASSERT_TRUE(hash.LoadMenuBar(hMenu, &fresh));
        EXPECT_EQ(std::vector<int>({4, 5}), fresh.m_buttons);

        // A bar without buttons, or one whose save fails, leaves the
        // snapshot there is.
        CNumberBar empty;
        EXPECT_FALSE(hash.SaveMenuBar(hMenu, &empty));
        CNumberBar failing({9});
        failing.m_failStoring = true;
        EXPECT_FALSE(hash.SaveMenuBar(hMenu, &failing));
        EXPECT_FALSE(hash.IsSerializing());
        EXPECT_EQ(filesBefore + 1, CountSnapshotFiles());
        ASSERT_TRUE(hash.LoadMenuBar(hMenu, &fresh));
        EXPECT_EQ(std::vector<int>({4, 5}), fresh.m_buttons);

        HMENU hOther = ::CreateMenu();
        ASSERT_TRUE(hash.SaveMenuBar(hOther, &bar));
        EXPECT_EQ(filesBefore + 2, CountSnapshotFiles());
        EXPECT_TRUE(hash.RemoveMenu(hOther));
        EXPECT_EQ(filesBefore + 1, CountSnapshotFiles());
        ::DestroyMenu(hOther);
    }
    // The hash's end closes its files, and the system deletes them.
    EXPECT_EQ(filesBefore, CountSnapshotFiles());
    ::DestroyMenu(hMenu);
}

} // namespace
