// Keyboard shortcuts: the text of a command's first entry, tables replaced
// on a frame, and the stored 6-byte entries (read defensively).
#include "ui/foundation/ZUDPKeyboardManager.h"

#include "tests/ui/foundation/RegistryTestKey.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

HACCEL MakeTable(std::vector<ACCEL> entries)
{
    return ::CreateAcceleratorTableA(entries.data(), int(entries.size()));
}

class ZUDPKeyboardManagerTest : public trovtest::RegistryTestKey {
protected:
    void TearDown() override
    {
        if (m_frame.m_hAccelTable != nullptr)
            ::DestroyAcceleratorTable(m_frame.m_hAccelTable);
        CZUDPKeyboardManager::FreeAcceleratorCaches();
        RegistryTestKey::TearDown();
    }
    CString Profile() const { return Path() + "\\"; }
    CFrameWnd m_frame;
    CZUDPKeyboardManager m_manager;
};

TEST_F(ZUDPKeyboardManagerTest, TheFirstEntryNamesTheCommandAndANewTableIsSeen)
{
    CString text;
    EXPECT_FALSE(CZUDPKeyboardManager::GetCommandKeyText(100, text, &m_frame));   // no table
    // Installing where there was no table is a success, and the table stays.
    ASSERT_TRUE(m_manager.ReplaceAcceleratorHandle(
        MakeTable({{FVIRTKEY | FCONTROL, 'N', 100}, {FVIRTKEY | FCONTROL | FSHIFT, 'N', 100}}), &m_frame));
    ASSERT_NE(nullptr, m_frame.m_hAccelTable);
    EXPECT_TRUE(CZUDPKeyboardManager::GetCommandKeyText(100, text, &m_frame, TRUE));
    EXPECT_STREQ("Ctrl+N", text);
    EXPECT_FALSE(CZUDPKeyboardManager::GetCommandKeyText(101, text, &m_frame, TRUE));
    EXPECT_STREQ("", text);
    EXPECT_TRUE(CZUDPKeyboardManager::IsKeyAssigned(FVIRTKEY | FCONTROL | FSHIFT, 'N', &m_frame, TRUE));
    EXPECT_FALSE(CZUDPKeyboardManager::IsKeyAssigned(FVIRTKEY | FSHIFT, 'N', &m_frame, TRUE));

    const HACCEL hOld = m_frame.m_hAccelTable;
    ACCEL entries[] = {{FVIRTKEY | FALT, 'X', 100}};
    ASSERT_TRUE(m_manager.ReplaceAcceleratorTable(entries, 1, &m_frame));
    EXPECT_NE(hOld, m_frame.m_hAccelTable);
    EXPECT_EQ(0, ::CopyAcceleratorTableA(hOld, nullptr, 0));   // the old table is gone
    EXPECT_TRUE(CZUDPKeyboardManager::GetCommandKeyText(100, text, &m_frame, TRUE));
    EXPECT_STREQ("Alt+X", text);
}

TEST_F(ZUDPKeyboardManagerTest, TablesAreStoredAsSixByteEntriesAndLoadedDefensively)
{
    // A frame without a table saves nothing.
    m_manager.SaveState(Profile(), &m_frame);
    EXPECT_FALSE(RawKeyExists("ZUDKeyboard-0"));

    m_frame.m_hAccelTable = MakeTable({{FVIRTKEY | FCONTROL, 'N', 100}, {FALT, 'x', 0x1234}});
    ASSERT_TRUE(m_manager.SaveState(Profile(), &m_frame));
    DWORD type = 0;
    EXPECT_EQ(Bytes({FVIRTKEY | FCONTROL, 0, 'N', 0, 100, 0, FALT, 0, 'x', 0, 0x34, 0x12}),
              ReadRaw("ZUDKeyboard-0", "Accelerators", &type));
    EXPECT_EQ(DWORD(REG_BINARY), type);

    // Stored flags beyond the accelerator bits are dropped.
    WriteRaw("ZUDKeyboard-0", "Accelerators", REG_BINARY, {0xE9, 0, 'Q', 0, 7, 0});
    ASSERT_TRUE(m_manager.LoadState(Profile(), &m_frame));
    ACCEL loaded[2] = {};
    ASSERT_EQ(1, ::CopyAcceleratorTableA(m_frame.m_hAccelTable, loaded, 2));
    EXPECT_EQ(FVIRTKEY | FCONTROL, loaded[0].fVirt);
    EXPECT_EQ('Q', loaded[0].key);
    EXPECT_EQ(7, loaded[0].cmd);

    // A value that is not whole entries is not a table: the frame keeps its own.
    const HACCEL hKept = m_frame.m_hAccelTable;
    WriteRaw("ZUDKeyboard-0", "Accelerators", REG_BINARY, {FVIRTKEY, 0, 'Q', 0, 7, 0, 1});
    m_manager.LoadState(Profile(), &m_frame);
    EXPECT_EQ(hKept, m_frame.m_hAccelTable);
}

} // namespace
