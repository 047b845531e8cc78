// Tear-off ids and their tags in menu texts, and named context menus shown
// through the workspace.
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/foundation/ZUDPMenuHash.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ZUDPTearOffBarManagerTest, TagsAndExtractsIds)
{
    CString text("&Edit");
    CZUDPTearOffBarManager::TagMenuText(123, text);
    EXPECT_STREQ("\001123\001&Edit", text);
    EXPECT_EQ(123u, CZUDPTearOffBarManager::ExtractIdFromMenuText(text));
    EXPECT_STREQ("&Edit", text);

    struct Case {
        const char* text;
        UINT id;
        const char* after;
    } cases[] = {
        {"&Edit", 0, "&Edit"},
        {"", 0, ""},
        {"\001" "4294967295\001Max", 4294967295u, "Max"},
        // Longer digit runs or values beyond 32 bits are not ids.
        {"\001" "4294967296\001Over", 0, "\001" "4294967296\001Over"},
        {"\001" "00000000001\001Long", 0, "\001" "00000000001\001Long"},
    };
    for (const Case& c : cases) {
        CString s(c.text);
        EXPECT_EQ(c.id, CZUDPTearOffBarManager::ExtractIdFromMenuText(s)) << c.after;
        EXPECT_STREQ(c.after, s);
    }
}

TEST(ZUDPTearOffBarManagerTest, HandsOutTheLowestFreeIdUntilTheRangeIsUsed)
{
    CZUDPTearOffBarManager manager;
    EXPECT_EQ(&manager, g_tearOffManager);
    EXPECT_EQ(0u, manager.AllocateId());   // no range yet
    ASSERT_TRUE(manager.Build(100, 102));
    manager.CountIdUse(100, TRUE);
    manager.CountIdUse(101, TRUE);
    EXPECT_EQ(102u, manager.AllocateId());
    EXPECT_EQ(0u, manager.AllocateId());
    manager.CountIdUse(101, FALSE);
    manager.CountIdUse(101, FALSE);   // never below 0
    EXPECT_EQ(0, manager.GetIdUseCount(101));
    manager.CountIdUse(5000, TRUE);   // outside: ignored
    EXPECT_EQ(101u, manager.AllocateId());
    manager.ReleaseIdsOfMenu(nullptr);
    EXPECT_EQ(100u, manager.AllocateId());
}

// A menu bar with two tear-off popups (one nested) and a plain one.
struct TestMenu {
    TestMenu()
    {
        bar.CreateMenu();
        HMENU hNested = ::CreatePopupMenu();
        ::AppendMenuA(hNested, MF_STRING, 10, "Inner");
        HMENU hFirst = ::CreatePopupMenu();
        ::AppendMenuA(hFirst, MF_STRING, 11, "Cmd");
        ::AppendMenuA(hFirst, MF_POPUP | MF_MENUBARBREAK, UINT_PTR(hNested), "Nested");
        HMENU hPlain = ::CreatePopupMenu();
        ::AppendMenuA(hPlain, MF_STRING, 12, "Other");
        ::AppendMenuA(bar.GetSafeHmenu(), MF_POPUP | MF_MENUBARBREAK, UINT_PTR(hFirst), "&File");
        ::AppendMenuA(bar.GetSafeHmenu(), MF_POPUP, UINT_PTR(hPlain), "&View");
        ::AppendMenuA(bar.GetSafeHmenu(), MF_STRING, 13, "Command");
    }
    CString Text(HMENU hMenu, int pos) const
    {
        char text[64] = {};
        ::GetMenuStringA(hMenu, UINT(pos), text, sizeof text, MF_BYPOSITION);
        return text;
    }
    CMenu bar;
};

TEST(ZUDPTearOffBarManagerTest, AssignsIdsToTearOffPopupsKeepingTheirSubmenus)
{
    CZUDPTearOffBarManager manager;
    ASSERT_TRUE(manager.Build(200, 201));
    TestMenu menu;
    const HMENU hBar = menu.bar.GetSafeHmenu();
    const HMENU hFirst = ::GetSubMenu(hBar, 0);
    const HMENU hNested = ::GetSubMenu(hFirst, 1);
    manager.AssignIdsToMenu(&menu.bar);
    EXPECT_STREQ("\001" "200\001&File", menu.Text(hBar, 0));
    EXPECT_STREQ("\001" "201\001Nested", menu.Text(hFirst, 1));
    EXPECT_STREQ("&View", menu.Text(hBar, 1));
    EXPECT_EQ(hFirst, ::GetSubMenu(hBar, 0));
    EXPECT_EQ(hNested, ::GetSubMenu(hFirst, 1));

    // Tagged popups keep their ids; releasing the menu frees them.
    manager.AssignIdsToMenu(&menu.bar);
    EXPECT_EQ(0u, manager.AllocateId());
    manager.ReleaseIdsOfMenu(&menu.bar);
    EXPECT_EQ(0, manager.GetIdUseCount(200));
    EXPECT_EQ(0, manager.GetIdUseCount(201));

    // Out of ids: the walk stops and the rest stays untagged.
    TestMenu second;
    CZUDPTearOffBarManager small;
    ASSERT_TRUE(small.Build(300, 300));
    small.AssignIdsToMenu(&second.bar);
    EXPECT_STREQ("\001" "300\001&File", second.Text(second.bar.GetSafeHmenu(), 0));
    EXPECT_STREQ("Nested", second.Text(::GetSubMenu(second.bar.GetSafeHmenu(), 0), 1));
}

class CMenuApp : public CWinApp, public CZUDPWorkspace {
public:
    CMenuApp() : CWinApp("MenuApp") {}
};

TEST(ZUDPContextMenuManagerTest, NamedMenusAreFoundAndShownForTheOwner)
{
    trovtest::InitFrameworkForTests();
    CMenuApp app;
    HWND hOwner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd owner;
    owner.Attach(hOwner);
    EXPECT_FALSE(app.ShowPopupMenu(500, CPoint(1, 2), &owner));   // no manager

    ASSERT_TRUE(app.CreateContextMenuManager());
    EXPECT_FALSE(app.CreateContextMenuManager());
    TestMenu menu;
    const HMENU hPopup = ::GetSubMenu(menu.bar.GetSafeHmenu(), 0);
    ASSERT_TRUE(g_contextMenuManager->AddMenu("Files", 500, menu.bar.Detach()));
    UINT uiResId = 0;
    EXPECT_EQ(hPopup, g_contextMenuManager->FindMenuByName("Files", &uiResId));
    EXPECT_EQ(500u, uiResId);
    EXPECT_EQ(nullptr, g_contextMenuManager->FindMenuByName("None", &uiResId));
    EXPECT_EQ(0u, uiResId);
    CStringList names;
    names.AddTail("stale");
    g_contextMenuManager->ListMenuNames(names);
    ASSERT_EQ(1, names.GetCount());
    EXPECT_STREQ("Files", names.GetHead());

    HMENU hShown = nullptr;
    POINT at = {};
    ScopedSeam track(g_frameworkSeams.trackPopupMenu, [&](HMENU h, UINT, int x, int y, HWND, const RECT*) {
        hShown = h;
        at = {x, y};
        return BOOL(11);
    });
    EXPECT_TRUE(app.ShowPopupMenu(500, CPoint(30, 40), &owner));
    EXPECT_EQ(hPopup, hShown);
    EXPECT_EQ(30, at.x);
    EXPECT_EQ(40, at.y);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, hOwner, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(11u, LOWORD(msg.wParam));
    EXPECT_FALSE(app.ShowPopupMenu(501, CPoint(30, 40), &owner));   // not registered

    owner.Detach();
    ::DestroyWindow(hOwner);
}

// Two registered menus, the user's edits of them held by the menu hash.
class ZUDPContextMenuStateTest : public trovtest::RegistryTestKey {
protected:
    using Bytes = std::vector<BYTE>;
    void SetUp() override
    {
        RegistryTestKey::SetUp();
        TestMenu first, second;
        m_first = ::GetSubMenu(first.bar.GetSafeHmenu(), 0);
        m_second = ::GetSubMenu(second.bar.GetSafeHmenu(), 0);
        ASSERT_TRUE(m_manager.AddMenu("First", 500, first.bar.Detach()));
        ASSERT_TRUE(m_manager.AddMenu("Second", 501, second.bar.Detach()));
    }
    void TearDown() override
    {
        g_menuHash.RemoveMenu(m_first);
        g_menuHash.RemoveMenu(m_second);
        RegistryTestKey::TearDown();
    }
    CString Profile() const { return Path() + "\\"; }
    static Bytes Snapshot(HMENU hMenu)
    {
        CByteArray bytes;
        if (!g_menuHash.GetSnapshot(hMenu, bytes))
            return {};
        return Bytes(bytes.GetData(), bytes.GetData() + bytes.GetSize());
    }
    CZUDPContextMenuManager m_manager;
    HMENU m_first = nullptr;
    HMENU m_second = nullptr;
};

TEST_F(ZUDPContextMenuStateTest, EditedMenusAreStoredByResourceIdAndComeBack)
{
    EXPECT_FALSE(m_manager.LoadState(Profile()));   // nothing stored yet
    const Bytes edited = {1, 2, 3, 4, 5};
    ASSERT_TRUE(g_menuHash.SetSnapshot(m_first, edited.data(), UINT(edited.size())));
    // A menu the user never edited leaves what is stored for it alone.
    WriteRaw("Menu-501", REG_BINARY, {9, 9});
    ASSERT_TRUE(m_manager.SaveState(Profile()));
    DWORD type = 0;
    EXPECT_EQ(edited, ReadRaw("Menu-500", &type));
    EXPECT_EQ(DWORD(REG_BINARY), type);
    EXPECT_EQ(Bytes({9, 9}), ReadRaw("", "Menu-501"));

    // A new run: the menus get their stored edits.
    g_menuHash.RemoveMenu(m_first);
    ASSERT_TRUE(m_manager.LoadState(Profile()));
    EXPECT_EQ(edited, Snapshot(m_first));
    EXPECT_EQ(Bytes({9, 9}), Snapshot(m_second));
}

TEST_F(ZUDPContextMenuStateTest, StoredValuesThatAreNoSnapshotChangeNothing)
{
    const Bytes kept = {7, 7, 7};
    ASSERT_TRUE(g_menuHash.SetSnapshot(m_first, kept.data(), UINT(kept.size())));
    const int count = g_menuHash.GetCount();
    struct Case {
        const char* what;
        const char* value;
        Bytes bytes;
    } cases[] = {
        {"empty", "Menu-500", {}},
        {"beyond 1 MiB", "Menu-500", Bytes((1u << 20) + 1, 0x41)},
        {"a menu that is not registered", "Menu-502", {1, 2}},
    };
    for (const Case& c : cases) {
        WriteRaw(c.value, REG_BINARY, c.bytes);
        EXPECT_TRUE(m_manager.LoadState(Profile())) << c.what;
        EXPECT_EQ(kept, Snapshot(m_first)) << c.what;
        EXPECT_EQ(count, g_menuHash.GetCount()) << c.what;
    }
}

} // namespace
