// User tools: ids from the range, order, launching through the shell seam,
// and the stored list (a damaged or foreign one keeps the tools there are).
#include "ui/foundation/ZUDPUserToolsManager.h"

#include "framework/win/FrameworkSeams.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPRegistry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> Ids(const CZUDPUserToolsManager& manager)
{
    std::vector<UINT> ids;
    for (POSITION pos = manager.GetUserTools().GetHeadPosition(); pos != nullptr;)
        ids.push_back(static_cast<CZUDPUserTool*>(manager.GetUserTools().GetNext(pos))->m_uiCmdId);
    return ids;
}

TEST(ZUDPUserToolsManagerTest, HandsOutFreeIdsAndMovesTools)
{
    CZUDPUserToolsManager manager(100, 102);
    EXPECT_EQ(&manager, g_userToolsManager);
    CZUDPUserTool* pFirst = manager.AddTool();
    CZUDPUserTool* pSecond = manager.AddTool();
    CZUDPUserTool* pThird = manager.AddTool();
    ASSERT_NE(nullptr, pThird);
    EXPECT_EQ(nullptr, manager.AddTool());
    ASSERT_TRUE(manager.DeleteTool(pSecond));
    EXPECT_FALSE(manager.DeleteTool(pSecond));
    EXPECT_EQ(nullptr, manager.FindToolByCommand(101));
    CZUDPUserTool* pAgain = manager.AddTool();
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(101u, pAgain->m_uiCmdId);
    EXPECT_EQ(std::vector<UINT>({100, 102, 101}), Ids(manager));

    EXPECT_FALSE(manager.ShiftToolUp(pFirst));
    EXPECT_FALSE(manager.ShiftToolDown(pAgain));
    EXPECT_EQ(std::vector<UINT>({100, 102, 101}), Ids(manager));
    EXPECT_TRUE(manager.ShiftToolUp(pAgain));
    EXPECT_EQ(std::vector<UINT>({100, 101, 102}), Ids(manager));
    EXPECT_TRUE(manager.ShiftToolDown(pFirst));
    EXPECT_EQ(std::vector<UINT>({101, 100, 102}), Ids(manager));

    CZUDPUserToolsManager empty(5, 4);
    EXPECT_EQ(nullptr, empty.AddTool());
}

TEST(ZUDPUserToolsManagerTest, DeletingAToolTakesItsButtonsOffEveryToolbar)
{
    CZUDPUserToolsManager manager(100, 102);
    CZUDPUserTool* pFirst = manager.AddTool();
    CZUDPUserTool* pSecond = manager.AddTool();
    ASSERT_NE(nullptr, pSecond);
    // Two bars, one with the tool twice, the other with only other commands.
    // Toolbars are listed while their windows live.
    CZUDPToolBar withTool, without;
    for (CZUDPToolBar* pBar : {&withTool, &without})
        ASSERT_TRUE(pBar->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 50, 20), nullptr, 0));
    for (UINT uiCmd : {101u, 7u, 101u, 100u})
        withTool.InsertButton(new CZUDPToolbarButton(uiCmd, -1));
    without.InsertButton(new CZUDPToolbarButton(7, -1));
    ASSERT_TRUE(manager.DeleteTool(pSecond));
    EXPECT_EQ(-1, withTool.FindCommandIndex(101));
    EXPECT_EQ(2, withTool.GetCount());
    EXPECT_EQ(0, withTool.FindCommandIndex(7));
    EXPECT_EQ(1, withTool.FindCommandIndex(100));
    EXPECT_EQ(1, without.GetCount());
    // The id is free again.
    CZUDPUserTool* pAgain = manager.AddTool();
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(101u, pAgain->m_uiCmdId);
    (void)pFirst;
}

TEST(ZUDPUserToolsManagerTest, RunsAToolThroughTheShell)
{
    CZUDPUserToolsManager manager(100, 101);
    CZUDPUserTool* pTool = manager.AddTool();
    pTool->SetCommand("notepad.exe");
    pTool->m_strArguments = "a.txt";
    pTool->m_strInitialDirectory = "C:\\";
    INT_PTR result = 42;
    CString file, params, dir;
    ScopedSeam shell(g_frameworkSeams.shellExecute,
                     [&](HWND, const char*, const char* f, const char* p, const char* d, int) {
                         file = f, params = p, dir = d;
                         return reinterpret_cast<HINSTANCE>(result);
                     });
    EXPECT_TRUE(manager.RunTool(100));
    EXPECT_STREQ("notepad.exe", file);
    EXPECT_STREQ("a.txt", params);
    EXPECT_STREQ("C:\\", dir);
    result = 2;   // file not found
    EXPECT_FALSE(manager.RunTool(100));
    EXPECT_FALSE(manager.RunTool(101));
    manager.AddTool();   // no command
    result = 42;
    EXPECT_FALSE(manager.RunTool(101));
}

class ZUDPUserToolsStateTest : public trovtest::RegistryTestKey {
protected:
    CString Profile() const { return Path() + "\\"; }
};

TEST_F(ZUDPUserToolsStateTest, SavedToolsComeBackInOrderAndDamageKeepsThem)
{
    CZUDPUserToolsManager manager(100, 110);
    for (const char* label : {"one", "two", "three"}) {
        CZUDPUserTool* pTool = manager.AddTool();
        pTool->m_strLabel = label;
        pTool->SetCommand(CString(label) + ".exe");
    }
    manager.ShiftToolUp(static_cast<CZUDPUserTool*>(manager.GetUserTools().GetTail()));
    ASSERT_TRUE(manager.SaveState(Profile()));
    const std::vector<BYTE> stored = ReadRaw("", "Tools");
    ASSERT_GE(stored.size(), 2u);
    EXPECT_EQ(3, stored[0] | stored[1] << 8);   // the count comes first

    CZUDPUserToolsManager reloaded(100, 110);
    reloaded.AddTool()->m_strLabel = "replaced";
    ASSERT_TRUE(reloaded.LoadState(Profile()));
    EXPECT_EQ(std::vector<UINT>({100, 102, 101}), Ids(reloaded));
    auto* pLast = static_cast<CZUDPUserTool*>(reloaded.GetUserTools().GetTail());
    EXPECT_STREQ("two", pLast->m_strLabel);
    EXPECT_STREQ("two.exe", pLast->GetCommand());

    // Cut short, or holding an object of another class: the tools stay.
    struct Case {
        const char* name;
        std::vector<BYTE> value;
    } cases[] = {
        {"cut", std::vector<BYTE>(stored.begin(), stored.end() - 3)},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        WriteRaw("Tools", REG_BINARY, c.value);
        EXPECT_FALSE(reloaded.LoadState(Profile())) << c.name;
        EXPECT_EQ(3u, Ids(reloaded).size()) << c.name;
    }
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(Path()));
        CZUDPMouseManager foreign;
        CObList list;
        list.AddTail(&foreign);
        ASSERT_TRUE(reg.Write("Tools", list));
    }
    EXPECT_FALSE(reloaded.LoadState(Profile()));
    EXPECT_EQ(3u, Ids(reloaded).size());

    // Tools whose ids are outside the range or repeated are dropped.
    CZUDPUserToolsManager narrow(101, 102);
    ASSERT_TRUE(manager.SaveState(Profile()));
    reloaded.FindToolByCommand(101)->m_uiCmdId = 102;   // two tools with 102
    ASSERT_TRUE(reloaded.SaveState(Profile()));
    ASSERT_TRUE(narrow.LoadState(Profile()));
    EXPECT_EQ(std::vector<UINT>({102}), Ids(narrow));
}

} // namespace
