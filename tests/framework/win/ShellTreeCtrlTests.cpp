// The folder tree: drives under the root, subfolders read when opened, a
// path selected by walking down to it.
#include "framework/win/ShellTreeCtrl.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ShellTreeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr));
        ASSERT_TRUE(m_tree.Create(WS_CHILD | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &m_host, 1118));
        for (const char* folder : {"beta", "Alpha", "gamma", "gamma/inner"})
            ASSERT_TRUE(::CreateDirectoryA(m_dir.File(folder).c_str(), nullptr));
        m_dir.Write("file.lmx", "not a folder");
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    std::vector<CString> Children(HTREEITEM hParent)
    {
        std::vector<CString> names;
        for (HTREEITEM h = m_tree.GetChildItem(hParent); h != nullptr; h = m_tree.GetNextSiblingItem(h))
            names.push_back(m_tree.GetItemText(h));
        return names;
    }

    trovtest::TempDir m_dir;
    CWnd m_host;
    CShellTreeCtrl m_tree;
};

TEST_F(ShellTreeCtrlTest, SelectingAPathOpensTheWayToItAndListsSubfoldersInOrder)
{
    ASSERT_NE(nullptr, m_tree.GetRootFolder());
    CString path;
    EXPECT_FALSE(m_tree.GetItemPath(path, m_tree.GetRootFolder()));   // the root is no folder

    ASSERT_TRUE(m_tree.SelectPath(m_dir.Path().c_str()));
    HTREEITEM hSelected = m_tree.GetSelectedItem();
    ASSERT_TRUE(m_tree.GetItemPath(path));
    CString expected(trovtest::Backslashed(m_dir.Path()).c_str());
    EXPECT_EQ(0, path.CompareNoCase(expected));

    m_tree.Expand(hSelected, TVE_EXPAND);
    std::vector<CString> names = Children(hSelected);
    ASSERT_EQ(3u, names.size());   // folders only, case-blind order
    EXPECT_STREQ("Alpha", names[0]);
    EXPECT_STREQ("beta", names[1]);
    EXPECT_STREQ("gamma", names[2]);
}

TEST_F(ShellTreeCtrlTest, AMissingPartSelectsTheDeepestFolderFound)
{
    std::string missing = m_dir.File("gamma/nowhere");
    EXPECT_FALSE(m_tree.SelectPath(missing.c_str()));
    CString path;
    ASSERT_TRUE(m_tree.GetItemPath(path));
    EXPECT_EQ("gamma", path.Right(5));
    // The folder of a file is not a folder of the tree.
    EXPECT_FALSE(m_tree.SelectPath(m_dir.File("file.lmx").c_str()));
}

TEST_F(ShellTreeCtrlTest, AFolderWithoutSubfoldersOffersNothingToOpen)
{
    ASSERT_TRUE(m_tree.SelectPath(m_dir.File("gamma/inner").c_str()));
    HTREEITEM hInner = m_tree.GetSelectedItem();
    m_tree.Expand(hInner, TVE_EXPAND);
    EXPECT_EQ(nullptr, m_tree.GetChildItem(hInner));
    EXPECT_FALSE(m_tree.ItemHasChildren(hInner));
}

} // namespace
