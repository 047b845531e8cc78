// The library's edit list: its caption buttons and their keys, the
// editing rules (New, Delete, Move Up and Down, end of an edit), and the
// double click below the items.
#include "ui/controls/ZUDPEditListBox.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/ListCtrl.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "ui/controls/ZUDPButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An edit list that records what it reports to a derived class.
class CRecordingEditList : public CZUDPEditListBox {
public:
    std::vector<std::string> events;

    void OnAfterAddItem(int iIndex) override { events.push_back("added " + std::to_string(iIndex)); }
    void OnAfterRenameItem(int iIndex) override { events.push_back("renamed " + std::to_string(iIndex)); }
    void OnAfterMoveItemUp(int iIndex) override { events.push_back("up " + std::to_string(iIndex)); }
    void OnAfterMoveItemDown(int iIndex) override { events.push_back("down " + std::to_string(iIndex)); }
    BOOL OnBeforeRemoveItem(int iIndex) override
    {
        events.push_back("remove " + std::to_string(iIndex));
        return TRUE;
    }
};

class ZUDPEditListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
        m_host.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_list.Create("Folders", WS_CHILD | WS_VISIBLE, CRect(10, 10, 250, 210), &m_host, 20));
        ASSERT_NE(nullptr, m_list.GetList());
        m_seams.Replace(g_frameworkSeams.keyState, [this](int key) -> SHORT {
            return (key == VK_MENU && m_alt) ? (SHORT)0x8000 : (SHORT)0;
        });
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    void Fill(const std::vector<const char*>& items)
    {
        for (size_t i = 0; i < items.size(); i++)
            m_list.AddItem(items[i], (DWORD_PTR)(100 + i));
    }
    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        for (int i = 0; i < m_list.GetCount(); i++)
            items.push_back((LPCTSTR)m_list.GetItemText(i));
        return items;
    }
    int ButtonOf(int command)
    {
        for (int i = 0; i < m_list.GetButtonCount(); i++)
            if (m_list.GetButtonCommand(i) == command)
                return i;
        return -1;
    }
    void Click(int command) { m_list.OnClickButton(ButtonOf(command)); }

    // Ends the running label edit with a text (or cancels it), as the list
    // does when the edit loses the focus or Esc is pressed.
    void EndEdit(const char* text)
    {
        CEdit* edit = m_list.GetList()->GetEditControl();
        ASSERT_NE(nullptr, edit) << "no label edit runs";
        if (text != nullptr) {
            edit->SetWindowText(text);
            edit->SendMessage(WM_KEYDOWN, VK_RETURN);
        } else {
            m_list.GetList()->CancelEditLabel();
        }
        trovtest::PumpPending();
    }

    ScopedSeams m_seams;
    bool m_alt = false;
    controltest::CHostWnd m_host;
    CRecordingEditList m_list;
};

TEST_F(ZUDPEditListBoxTest, StandardButtonsComeWithTheirKeysTooltipsAndCommands)
{
    ASSERT_TRUE(m_list.AddStandardButtons());
    ASSERT_EQ(4, m_list.GetButtonCount());
    struct Case {
        int command;
        WORD key;
        BYTE flags;
        const char* tip;
    } cases[] = {
        {EditListCommand_New, VK_INSERT, 0, "New"},
        {EditListCommand_Delete, VK_DELETE, 0, "Delete"},
        {EditListCommand_MoveUp, VK_UP, FALT, "Move Item Up"},
        {EditListCommand_MoveDown, VK_DOWN, FALT, "Move Item Down"},
    };
    for (int i = 0; i < 4; i++) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.tip);
        EXPECT_EQ(c.command, m_list.GetButtonCommand(i));
        EXPECT_EQ(MAKELONG(c.key, c.flags), (LONG)m_list.GetButtonKey(i));
        // The tooltip names the key after the command.
        const std::string tip = (LPCTSTR)m_list.GetButtonToolTip(i);
        EXPECT_EQ(0u, tip.find(std::string(c.tip) + " (")) << tip;
        EXPECT_EQ(')', tip.back());
        CZUDPButton* button = m_list.GetButton(i);
        ASSERT_NE(nullptr, button);
        EXPECT_EQ(2 + i, button->GetDlgCtrlID());
    }
    // Laid out from the right, in the caption.
    CRect client, first, second;
    m_list.GetClientRect(&client);
    m_list.GetButton(0)->GetWindowRect(&first);
    m_list.GetButton(1)->GetWindowRect(&second);
    m_list.ScreenToClient(&first);
    m_list.ScreenToClient(&second);
    EXPECT_EQ(client.right - 1, first.right);
    EXPECT_EQ(first.left, second.right);
    EXPECT_EQ(m_list.GetCaptionRect().top + 1, first.top);
    CRect inner;
    m_list.GetList()->GetWindowRect(&inner);
    m_list.ScreenToClient(&inner);
    EXPECT_EQ(m_list.GetCaptionRect().bottom, inner.top);
}

TEST_F(ZUDPEditListBoxTest, NewThenAnEmptyEditLeavesTheListAsItWas)
{
    m_list.AddStandardButtons();
    Fill({"one", "two"});
    struct Case {
        const char* name;
        const char* text;   // null: cancelled
        std::vector<std::string> items;
        std::vector<std::string> events;
    } cases[] = {
        {"empty text", "", {"one", "two"}, {}},
        {"cancelled", nullptr, {"one", "two"}, {}},
        {"a text", "three", {"one", "two", "three"}, {"added 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_list.events.clear();
        Click(EditListCommand_New);
        ASSERT_EQ(3, m_list.GetCount());
        EXPECT_FALSE(m_list.GetButton(0)->IsWindowEnabled()) << "buttons wait for the edit";
        EndEdit(c.text);
        EXPECT_EQ(c.items, Items());
        EXPECT_EQ(c.events, m_list.events);
        EXPECT_TRUE(m_list.GetButton(0)->IsWindowEnabled());
    }
}

TEST_F(ZUDPEditListBoxTest, RenamingKeepsAnEmptyTextFromRemovingAnOldItem)
{
    Fill({"one", "two"});
    m_list.SelectItem(1);
    ASSERT_TRUE(m_list.EditItem(1));
    EndEdit("");
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), Items());
    ASSERT_TRUE(m_list.EditItem(1));
    EndEdit("deux");
    EXPECT_EQ((std::vector<std::string>{"one", "deux"}), Items());
    EXPECT_EQ((std::vector<std::string>{"renamed 1"}), m_list.events);
}

TEST_F(ZUDPEditListBoxTest, MovingStopsAtTheEndsAndKeepsTheItemsData)
{
    m_list.AddStandardButtons();
    Fill({"one", "two", "three"});
    struct Case {
        const char* name;
        int selected;
        int command;
        std::vector<std::string> items;
        int selectedAfter;
    } cases[] = {
        {"up from the first", 0, EditListCommand_MoveUp, {"one", "two", "three"}, 0},
        {"down from the last", 2, EditListCommand_MoveDown, {"one", "two", "three"}, 2},
        {"down from the first", 0, EditListCommand_MoveDown, {"two", "one", "three"}, 1},
        {"up from the last", 2, EditListCommand_MoveUp, {"two", "three", "one"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_list.SelectItem(c.selected);
        Click(c.command);
        EXPECT_EQ(c.items, Items());
        EXPECT_EQ(c.selectedAfter, m_list.GetSelItem());
    }
    // Each item kept its data through the moves.
    EXPECT_EQ(101u, m_list.GetItemData(0));
    EXPECT_EQ(102u, m_list.GetItemData(1));
    EXPECT_EQ(100u, m_list.GetItemData(2));
    EXPECT_EQ((std::vector<std::string>{"down 1", "up 1"}), m_list.events);
}

TEST_F(ZUDPEditListBoxTest, DeletingTheOnlyItemLeavesNoSelection)
{
    m_list.AddStandardButtons();
    Fill({"one", "two"});
    m_list.SelectItem(0);
    Click(EditListCommand_Delete);
    EXPECT_EQ((std::vector<std::string>{"two"}), Items());
    EXPECT_EQ(0, m_list.GetSelItem()) << "the next item takes the selection";
    Click(EditListCommand_Delete);
    EXPECT_EQ(0, m_list.GetCount());
    EXPECT_EQ(-1, m_list.GetSelItem());
    Click(EditListCommand_Delete);   // nothing selected: nothing happens
    EXPECT_EQ((std::vector<std::string>{"remove 0", "remove 0"}), m_list.events);
}

// Alt+Up reaches the list as a system key, which the list does not report
// as LVN_KEYDOWN; the edit list still clicks Move Item Up.  Up alone moves
// the selection as the list does.
TEST_F(ZUDPEditListBoxTest, AltUpClicksMoveItemUpAndUpAloneMovesTheSelection)
{
    m_list.AddStandardButtons();
    Fill({"one", "two", "three"});
    m_list.SelectItem(2);
    m_list.GetList()->SetFocus();

    m_alt = true;
    MSG altUp = {m_list.GetList()->m_hWnd, WM_SYSKEYDOWN, VK_UP, (LPARAM)(1 | (1 << 29)), 0, {0, 0}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(m_host.m_hWnd, &altUp));
    EXPECT_EQ((std::vector<std::string>{"one", "three", "two"}), Items());
    EXPECT_EQ(1, m_list.GetSelItem());

    m_alt = false;
    m_list.GetList()->SendMessage(WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ((std::vector<std::string>{"one", "three", "two"}), Items());
    EXPECT_EQ(0, m_list.GetSelItem());

    // Insert reaches the list as a plain key: New.
    m_list.GetList()->SendMessage(WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_EQ(4, m_list.GetCount());
    EndEdit(nullptr);
    EXPECT_EQ(3, m_list.GetCount());
}

TEST_F(ZUDPEditListBoxTest, ADoubleClickBelowTheItemsAddsOnlyWithANewButton)
{
    Fill({"one"});
    CRect item, client;
    m_list.GetList()->GetItemRect(0, &item, LVIR_BOUNDS);
    m_list.GetList()->GetClientRect(&client);
    const CPoint below(item.CenterPoint().x, (item.bottom + client.bottom) / 2);
    ASSERT_LT(item.bottom, below.y);
    auto doubleClickBelow = [&] {
        m_list.GetList()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(below.x, below.y));
        m_list.GetList()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
        m_list.GetList()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(below.x, below.y));
        m_list.GetList()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
    };

    doubleClickBelow();
    EXPECT_EQ(-1, m_list.GetSelItem());
    EXPECT_EQ(1, m_list.GetCount()) << "no New button: nothing is added";
    EXPECT_EQ(nullptr, m_list.GetList()->GetEditControl());

    m_list.AddStandardButtons(EditListButton_New | EditListButton_Delete);
    doubleClickBelow();
    EXPECT_EQ(2, m_list.GetCount());
    EndEdit("two");
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), Items());
}

} // namespace
