// The Keyboard page and its key field, driven by messages: keys are
// assigned to and removed from the live accelerator table of a frame, a
// taken combination names its owner, and the field's own key rules.
#include "framework/Seam.h"
#include "framework/win/Accelerators.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestSupport.h"
#include "ui/commandbars/customize/ZUDPKeyboardPage.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr UINT kKeyCmdNew = 100, kKeyCmdOpen = 101, kKeyCmdSave = 102, kKeyCmdQuit = 999;
constexpr UINT kKeyCmdWide = 0x12345;   // a command an accelerator entry cannot hold

class CResetRecordingFrame : public CFrameWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDTOOLBAR_RESETKEYBAORD)
            ++resets;
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    int resets = 0;
};

class KeyboardPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_frame.Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW));
        const ACCEL table[] = {
            {FVIRTKEY | FCONTROL, 'N', WORD(kKeyCmdNew)},
            {FVIRTKEY | FCONTROL | FNOINVERT, 'O', WORD(kKeyCmdOpen)},
            {FVIRTKEY | FCONTROL, 'Q', WORD(kKeyCmdQuit)},   // a command the catalogue lacks
        };
        m_frame.m_hAccelTable = AfxCreateAcceleratorTable(table, 3);
        m_host.Add("File", kKeyCmdNew, "New");
        m_host.Add("File", kKeyCmdOpen, "Open");
        m_host.Add("File", kKeyCmdSave, "Save");
        m_host.Add("File", kKeyCmdWide, "Wide");
        m_page = std::make_unique<CZUDPKeyboardPage>(&m_frame, FALSE);
        m_page->SetCustomizeHost(&m_host);
        m_page->SetAllCategory("All Commands");
        m_sheet.AddPage(m_page.get());
        ASSERT_TRUE(m_sheet.Open());
    }
    void TearDown() override
    {
        m_sheet.DestroyWindow();
        m_frame.DestroyWindow();
    }
    void SelectCommand(const char* lpszText)
    {
        const int i = m_page->m_wndCommandsList.FindStringExact(-1, lpszText);
        ASSERT_GE(i, 0) << lpszText;
        trovtest::SelectListItem(m_page->m_wndCommandsList, i);
    }
    // One key message through the field's own translation; its answer.
    BOOL Key(UINT message, UINT vk, bool repeat = false)
    {
        MSG msg = {m_page->m_wndNewKey.GetSafeHwnd(), message, vk, repeat ? LPARAM(1) << 30 : 0, 0, {0, 0}};
        return m_page->m_wndNewKey.PreTranslateMessage(&msg);
    }
    // Click into the field, then press the keys in order (modifiers first)
    // and release the modifiers.
    void Type(std::initializer_list<UINT> keys)
    {
        Key(WM_LBUTTONDOWN, 0);
        for (UINT vk : keys)
            Key(WM_KEYDOWN, vk);
        for (UINT vk : keys)
            if (vk == VK_CONTROL || vk == VK_SHIFT || vk == VK_MENU)
                Key(WM_KEYUP, vk);
    }
    CString FieldText() const
    {
        CString str;
        m_page->m_wndNewKey.GetWindowText(str);
        return str;
    }
    CString AssignedTo() const
    {
        CString str;
        m_page->GetDlgItem(16527)->GetWindowText(str);
        return str;
    }
    std::vector<ACCEL> LiveTable() { return AfxCopyAcceleratorTable(m_frame.GetDefaultAccelerator()); }
    static bool Has(const std::vector<ACCEL>& table, BYTE fVirt, WORD key, WORD cmd)
    {
        return std::any_of(table.begin(), table.end(),
                           [&](const ACCEL& a) { return a.fVirt == fVirt && a.key == key && a.cmd == cmd; });
    }

    CResetRecordingFrame m_frame;
    CZUDPKeyboardManager m_manager;
    trovtest::TestCustomizeHost m_host;
    trovtest::TestSheet m_sheet;
    std::unique_ptr<CZUDPKeyboardPage> m_page;
};

TEST_F(KeyboardPageTest, OpensOnTheDefaultTableWithTheCategorysCommands)
{
    ASSERT_EQ(1, m_page->m_wndViewTypeList.GetCount());
    EXPECT_EQ(0, m_page->m_wndViewTypeList.GetCurSel());
    EXPECT_EQ(m_frame.GetDefaultAccelerator(), m_page->GetSelectedTable());
    EXPECT_EQ(3u, m_page->GetWorkingTable().size());
    EXPECT_EQ((std::vector<std::string>{"New", "Open", "Save", "Wide"}),
              trovtest::ListTexts(m_page->m_wndCommandsList));
    SelectCommand("New");
    EXPECT_EQ(1, m_page->m_wndCurrentKeysList.GetCount());
    EXPECT_TRUE(m_page->m_wndNewKey.IsWindowEnabled());
    EXPECT_FALSE(m_page->m_wndRemoveButton.IsWindowEnabled());
}

TEST_F(KeyboardPageTest, AssigningCtrlShiftKChangesTheLiveTable)
{
    SelectCommand("Save");
    Type({VK_CONTROL, VK_SHIFT, 'K'});
    EXPECT_TRUE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("[Unassigned]", AssignedTo());
    EXPECT_TRUE(m_page->m_wndAssignedToTitle.IsWindowVisible());
    ASSERT_TRUE(m_page->m_wndAssignButton.IsWindowEnabled());

    trovtest::Click(m_page->m_wndAssignButton);
    const std::vector<ACCEL> live = LiveTable();
    EXPECT_EQ(4u, live.size());
    EXPECT_TRUE(Has(live, FVIRTKEY | FCONTROL | FSHIFT, 'K', WORD(kKeyCmdSave)));
    EXPECT_TRUE(Has(live, FVIRTKEY | FCONTROL, 'N', WORD(kKeyCmdNew)));
    EXPECT_EQ(1, m_page->m_wndCurrentKeysList.GetCount());
    EXPECT_FALSE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("", FieldText());
    // The same combination is now taken by Save.
    Type({VK_CONTROL, VK_SHIFT, 'K'});
    EXPECT_STREQ("Save", AssignedTo());
    EXPECT_FALSE(m_page->m_wndAssignButton.IsWindowEnabled());
}

TEST_F(KeyboardPageTest, ATakenKeyNamesItsOwnerAndCannotBeAssigned)
{
    struct Case {
        const char* name;
        UINT key;
        const char* owner;
    } cases[] = {
        {"plain entry", 'N', "New"},
        {"entry with FNOINVERT still counts", 'O', "Open"},
        {"command outside the catalogue", 'Q', "????"},
    };
    SelectCommand("Save");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Type({VK_CONTROL, c.key});
        EXPECT_STREQ(c.owner, AssignedTo());
        EXPECT_FALSE(m_page->m_wndAssignButton.IsWindowEnabled());
    }
    m_host.assigned.clear();
    trovtest::Click(m_page->m_wndAssignButton);   // a click that slips through changes nothing
    EXPECT_EQ(3u, LiveTable().size());
}

TEST_F(KeyboardPageTest, ACommandAboveSixteenBitsGetsNoKey)
{
    SelectCommand("Wide");
    // 0x2345 is no entry of the table, so a truncated id would list none;
    // and the free combination may not be given to it.
    EXPECT_EQ(0, m_page->m_wndCurrentKeysList.GetCount());
    Type({VK_CONTROL, 'W'});
    EXPECT_STREQ("[Unassigned]", AssignedTo());
    EXPECT_FALSE(m_page->m_wndAssignButton.IsWindowEnabled());
    trovtest::Click(m_page->m_wndAssignButton);
    EXPECT_EQ(3u, LiveTable().size());
    EXPECT_TRUE(m_host.assigned.empty());
}

TEST_F(KeyboardPageTest, TheSheetMayVetoAnAssignment)
{
    m_host.allowAssign = FALSE;
    SelectCommand("Save");
    Type({VK_CONTROL, VK_SHIFT, 'K'});
    trovtest::Click(m_page->m_wndAssignButton);
    ASSERT_EQ(1u, m_host.assigned.size());
    EXPECT_EQ(kKeyCmdSave, m_host.assigned[0].cmd);
    EXPECT_EQ(3u, LiveTable().size());
}

TEST_F(KeyboardPageTest, RemoveTakesTheSelectedKeyOutOfTheLiveTable)
{
    SelectCommand("New");
    ASSERT_EQ(1, m_page->m_wndCurrentKeysList.GetCount());
    trovtest::SelectListItem(m_page->m_wndCurrentKeysList, 0);
    EXPECT_TRUE(m_page->m_wndRemoveButton.IsWindowEnabled());
    trovtest::Click(m_page->m_wndRemoveButton);
    const std::vector<ACCEL> live = LiveTable();
    EXPECT_EQ(2u, live.size());
    EXPECT_FALSE(Has(live, FVIRTKEY | FCONTROL, 'N', WORD(kKeyCmdNew)));
    EXPECT_TRUE(Has(live, FVIRTKEY | FCONTROL | FNOINVERT, 'O', WORD(kKeyCmdOpen)));
    EXPECT_EQ(0, m_page->m_wndCurrentKeysList.GetCount());
    EXPECT_FALSE(m_page->m_wndRemoveButton.IsWindowEnabled());
}

TEST_F(KeyboardPageTest, KeysAssignedAfterAnotherKeepTheListPointingAtTheirEntries)
{
    SelectCommand("Save");
    Type({VK_CONTROL, VK_SHIFT, 'K'});
    trovtest::Click(m_page->m_wndAssignButton);
    Type({VK_CONTROL, VK_SHIFT, 'L'});
    trovtest::Click(m_page->m_wndAssignButton);
    ASSERT_EQ(2, m_page->m_wndCurrentKeysList.GetCount());
    // Removing the first assigned key leaves the second, read through the
    // list item's entry after the table grew twice.
    const int iK = m_page->m_wndCurrentKeysList.FindStringExact(-1, "Ctrl+Shift+K");
    ASSERT_GE(iK, 0);
    trovtest::SelectListItem(m_page->m_wndCurrentKeysList, iK);
    trovtest::Click(m_page->m_wndRemoveButton);
    const std::vector<ACCEL> live = LiveTable();
    EXPECT_FALSE(Has(live, FVIRTKEY | FCONTROL | FSHIFT, 'K', WORD(kKeyCmdSave)));
    EXPECT_TRUE(Has(live, FVIRTKEY | FCONTROL | FSHIFT, 'L', WORD(kKeyCmdSave)));
}

TEST_F(KeyboardPageTest, ResetAllAsksFirstAndTellsTheFrame)
{
    int answer = IDNO;
    CString prompt;
    ScopedSeam box(g_frameworkSeams.messageBox, [&](HWND, const char* text, const char*, UINT) {
        prompt = text;
        return answer;
    });
    trovtest::Click(*m_page->GetDlgItem(16647));
    EXPECT_STREQ("All your changes will be lost! Do you really want to reset the keyboard assignments?", prompt);
    EXPECT_EQ(0, m_frame.resets);
    answer = IDYES;
    trovtest::Click(*m_page->GetDlgItem(16647));
    EXPECT_EQ(1, m_frame.resets);
    EXPECT_EQ(3u, m_page->GetWorkingTable().size());
}

// The key field alone: modifiers never define a key, the first key after
// the focus arrives only arms the field, Tab and Esc alone are not keys.
class KeyAssignTest : public KeyboardPageTest {};

TEST_F(KeyAssignTest, ComposesCombinationsByItsRules)
{
    SelectCommand("Save");
    // Before a click the first key is swallowed without effect.
    EXPECT_TRUE(Key(WM_KEYDOWN, 'A'));
    EXPECT_FALSE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("", FieldText());

    Key(WM_KEYDOWN, VK_CONTROL);
    Key(WM_KEYDOWN, VK_MENU);
    EXPECT_FALSE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("Ctrl+Alt+", FieldText());
    Key(WM_KEYUP, VK_MENU);
    Key(WM_KEYDOWN, VK_F5);
    EXPECT_TRUE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("Ctrl+F5", FieldText());
    // A repeat or a release keeps the combination; a new press starts over.
    Key(WM_KEYDOWN, VK_F5, true);
    Key(WM_KEYUP, VK_CONTROL);
    EXPECT_STREQ("Ctrl+F5", FieldText());
    Key(WM_KEYDOWN, 'B');
    EXPECT_TRUE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("B", FieldText());

    // Tab alone clears and is let through; Esc alone clears and is eaten.
    EXPECT_FALSE(Key(WM_KEYDOWN, VK_TAB));
    EXPECT_FALSE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("", FieldText());
    Key(WM_KEYDOWN, 'C');
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("", FieldText());
    // With a modifier Tab is an ordinary key.
    Key(WM_KEYDOWN, VK_CONTROL);
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_TAB));
    EXPECT_TRUE(m_page->m_wndNewKey.IsKeyDefined());
    EXPECT_STREQ("Ctrl+Tab", FieldText());
}

} // namespace
