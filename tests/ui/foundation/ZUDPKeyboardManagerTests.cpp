// Keyboard shortcuts: the text of a command's first entry, tables replaced
// on a frame, and the stored 6-byte entries (read defensively).
#include "ui/foundation/ZUDPKeyboardManager.h"

#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/LibraryResourceIds.h"
#include "tests/ui/foundation/RegistryTestKey.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    ASSERT_TRUE(m_manager.ReplaceAcceleratorHandle(nullptr,
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
    ASSERT_TRUE(m_manager.ReplaceAcceleratorTable(nullptr, entries, 1, &m_frame));
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

    // A shortcut to a command the library never runs stays, leading nowhere.
    g_blockedCommands.AddTail(7);
    WriteRaw("ZUDKeyboard-0", "Accelerators", REG_BINARY, {FVIRTKEY, 0, 'Q', 0, 7, 0, FVIRTKEY, 0, 'R', 0, 8, 0});
    m_manager.LoadState(Profile(), &m_frame);
    g_blockedCommands.RemoveAt(g_blockedCommands.Find(7));
    ASSERT_EQ(2, ::CopyAcceleratorTableA(m_frame.m_hAccelTable, loaded, 2));
    EXPECT_EQ('Q', loaded[0].key);
    EXPECT_EQ(0, loaded[0].cmd);
    EXPECT_EQ(8, loaded[1].cmd);

    // A value that is not whole entries is not a table: the frame keeps its own.
    const HACCEL hKept = m_frame.m_hAccelTable;
    WriteRaw("ZUDKeyboard-0", "Accelerators", REG_BINARY, {FVIRTKEY, 0, 'Q', 0, 7, 0, 1});
    m_manager.LoadState(Profile(), &m_frame);
    EXPECT_EQ(hKept, m_frame.m_hAccelTable);
}

// An application with two document types (one multi-document with its own
// table, one single-document that the manager leaves alone), a document
// of the first shown in two child frames, and a main frame with its own
// resource table.
class ZUDPKeyboardTemplatesTest : public trovtest::RegistryTestKey {
protected:
    void SetUp() override
    {
        RegistryTestKey::SetUp();
        trovtest::InitFrameworkForTests();
        m_multi = new CMultiDocTemplate(IDR_TEST_ACCEL_DOC);
        m_single = new CSingleDocTemplate(IDR_TEST_ACCEL_FRAME);
        m_app.AddDocTemplate(m_multi);
        m_app.AddDocTemplate(m_single);
        ASSERT_NE(nullptr, m_multi->m_hAccelTable);
        m_main.m_nIDResource = IDR_TEST_ACCEL_FRAME;
        m_main.m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TEST_ACCEL_FRAME));
        ASSERT_NE(nullptr, m_main.m_hAccelTable);
        m_app.m_pMainWnd = &m_main;
        m_multi->AddDocument(&m_doc);
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(m_child[i].CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
            ASSERT_TRUE(m_view[i].CreateEx(0, "STATIC", "", WS_CHILD, CRect(0, 0, 5, 5), &m_child[i], 1));
            m_doc.AddView(&m_view[i]);
        }
        // The first child uses the document type's table, the second one
        // of its own.
        m_child[0].m_hAccelTable = m_multi->m_hAccelTable;
        m_child[1].m_hAccelTable = MakeTable({{FVIRTKEY, VK_F2, 9}});
    }
    void TearDown() override
    {
        for (int i = 0; i < 2; ++i) {
            m_view[i].DestroyWindow();
            m_child[i].DestroyWindow();
        }
        ::DestroyAcceleratorTable(m_child[1].m_hAccelTable);
        ::DestroyAcceleratorTable(m_main.m_hAccelTable);
        m_app.m_pMainWnd = nullptr;
        CZUDPKeyboardManager::FreeAcceleratorCaches();
        RegistryTestKey::TearDown();
    }
    CString Profile() const { return Path() + "\\"; }
    static std::vector<ACCEL> Entries(HACCEL hAccel)
    {
        std::vector<ACCEL> entries(size_t(std::max(0, ::CopyAcceleratorTableA(hAccel, nullptr, 0))));
        if (!entries.empty())
            ::CopyAcceleratorTableA(hAccel, entries.data(), int(entries.size()));
        return entries;
    }
    static bool IsTable(HACCEL hAccel) { return ::CopyAcceleratorTableA(hAccel, nullptr, 0) > 0; }

    CWinApp m_app{"KeyboardTemplates"};
    CMultiDocTemplate* m_multi = nullptr;
    CSingleDocTemplate* m_single = nullptr;
    CDocument m_doc;
    CFrameWnd m_child[2];
    CView m_view[2];
    CFrameWnd m_main;
    CZUDPKeyboardManager m_manager;
};

TEST_F(ZUDPKeyboardTemplatesTest, ATemplateTableReachesTheFramesThatStillUseTheOldOne)
{
    const HACCEL hOld = m_multi->m_hAccelTable;
    const HACCEL hOwn = m_child[1].m_hAccelTable;
    ACCEL entries[] = {{FVIRTKEY | FALT, 'D', 17300}};
    ASSERT_TRUE(m_manager.ReplaceAcceleratorTable(m_multi, entries, 1));
    EXPECT_NE(hOld, m_multi->m_hAccelTable);
    EXPECT_EQ(m_multi->m_hAccelTable, m_child[0].m_hAccelTable);
    EXPECT_EQ(hOwn, m_child[1].m_hAccelTable);
    EXPECT_FALSE(IsTable(hOld));
    CString text;
    EXPECT_TRUE(CZUDPKeyboardManager::GetCommandKeyText(17300, text, &m_child[0]));
    EXPECT_STREQ("Alt+D", text);
}

TEST_F(ZUDPKeyboardTemplatesTest, EachTableIsSavedUnderItsResourceIdAndLoadedBack)
{
    ASSERT_TRUE(m_manager.SaveState(Profile()));
    // The multi-document type under its id, the main frame under 0; a
    // single-document type is not one of the manager's tables.
    EXPECT_EQ(Bytes({FVIRTKEY | FCONTROL, 0, 'N', 0, 0x94, 0x43}), ReadRaw("ZUDKeyboard-17194", "Accelerators"));
    EXPECT_EQ(Bytes({FVIRTKEY | FCONTROL, 0, 'O', 0, 0x95, 0x43}), ReadRaw("ZUDKeyboard-0", "Accelerators"));
    EXPECT_FALSE(RawKeyExists("ZUDKeyboard-17195"));

    WriteRaw("ZUDKeyboard-17194", "Accelerators", REG_BINARY, {FVIRTKEY | FSHIFT, 0, VK_F5, 0, 0x94, 0x43});
    WriteRaw("ZUDKeyboard-0", "Accelerators", REG_BINARY, {FVIRTKEY | FSHIFT, 0, VK_F6, 0, 0x95, 0x43});
    ASSERT_TRUE(m_manager.LoadState(Profile()));
    ASSERT_EQ(1u, Entries(m_multi->m_hAccelTable).size());
    EXPECT_EQ(VK_F5, Entries(m_multi->m_hAccelTable)[0].key);
    EXPECT_EQ(m_multi->m_hAccelTable, m_child[0].m_hAccelTable);
    ASSERT_EQ(1u, Entries(m_main.m_hAccelTable).size());
    EXPECT_EQ(VK_F6, Entries(m_main.m_hAccelTable)[0].key);
}

TEST_F(ZUDPKeyboardTemplatesTest, RestoringGivesBackTheResourceTablesAndDestroysTheLoadedOnes)
{
    WriteRaw("ZUDKeyboard-17194", "Accelerators", REG_BINARY, {FVIRTKEY, 0, VK_F5, 0, 1, 0});
    WriteRaw("ZUDKeyboard-0", "Accelerators", REG_BINARY, {FVIRTKEY, 0, VK_F6, 0, 2, 0});
    ASSERT_TRUE(m_manager.LoadState(Profile()));
    const HACCEL hLoadedDoc = m_multi->m_hAccelTable;
    const HACCEL hLoadedFrame = m_main.m_hAccelTable;
    CString text;
    ASSERT_TRUE(CZUDPKeyboardManager::GetCommandKeyText(2, text, &m_main, TRUE));

    m_manager.RestoreOriginalAccelerators();
    EXPECT_FALSE(IsTable(hLoadedDoc));
    EXPECT_FALSE(IsTable(hLoadedFrame));
    ASSERT_EQ(1u, Entries(m_multi->m_hAccelTable).size());
    EXPECT_EQ('N', Entries(m_multi->m_hAccelTable)[0].key);
    EXPECT_EQ(17300, Entries(m_multi->m_hAccelTable)[0].cmd);
    EXPECT_EQ(m_multi->m_hAccelTable, m_child[0].m_hAccelTable);
    ASSERT_EQ(1u, Entries(m_main.m_hAccelTable).size());
    EXPECT_EQ(17301, Entries(m_main.m_hAccelTable)[0].cmd);
    // The shortcut text follows the restored table.
    EXPECT_FALSE(CZUDPKeyboardManager::GetCommandKeyText(2, text, &m_main, TRUE));
    EXPECT_TRUE(CZUDPKeyboardManager::GetCommandKeyText(17301, text, &m_main, TRUE));
    EXPECT_STREQ("Ctrl+O", text);
}

} // namespace
