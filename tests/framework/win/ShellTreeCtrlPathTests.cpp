// The folder tree's paths: the drives under the root, a folder selected by
// program whatever the spelling of its path (hidden folders on the way
// included), and the parent told of every new selection.
#include "framework/win/ShellTreeCtrl.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using trovtest::Backslashed;
using trovtest::InitFrameworkForTests;

namespace {

const UINT kTreeId = 1118;

// The parent: records the folder of each selection the tree reports.
class CTreeHost : public CWnd {
public:
    CShellTreeCtrl* tree = nullptr;
    std::vector<std::string> selections;

protected:
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMTREEVIEWA* pTree = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
        CString path;
        selections.push_back(tree->GetItemPath(path, pTree->itemNew.hItem) ? (const char*)path : "<none>");
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeHost, CWnd)
    ON_NOTIFY(TVN_SELCHANGEDA, kTreeId, &CTreeHost::OnSelChanged)
    ON_NOTIFY(TVN_SELCHANGEDW, kTreeId, &CTreeHost::OnSelChanged)
END_MESSAGE_MAP()

class ShellTreeCtrlPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        m_host.tree = &m_tree;
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                  CRect(0, 0, 300, 280), &m_host, kTreeId));
        m_base = Backslashed(m_dir.Path());
        for (const char* folder : {"Beta", "alpha", "alpha\\inner", "Hidden", "A&B"})
            ASSERT_TRUE(::CreateDirectoryA((m_base + "\\" + folder).c_str(), nullptr)) << folder;
        ::SetFileAttributesA((m_base + "\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        m_dir.Write("file.lmx", "x");
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    std::vector<std::string> ChildTexts(HTREEITEM hItem)
    {
        std::vector<std::string> texts;
        for (HTREEITEM h = m_tree.GetChildItem(hItem); h != nullptr; h = m_tree.GetNextSiblingItem(h))
            texts.push_back((const char*)m_tree.GetItemText(h));
        return texts;
    }

    trovtest::TempDir m_dir;
    std::string m_base;
    CTreeHost m_host;
    CShellTreeCtrl m_tree;
};

TEST_F(ShellTreeCtrlPathTest, RootIsTheComputerWithItsDrives)
{
    HTREEITEM hRoot = m_tree.GetRootFolder();
    ASSERT_NE(nullptr, hRoot);
    EXPECT_EQ(nullptr, m_tree.GetNextSiblingItem(hRoot));
    CString path = "kept";
    EXPECT_FALSE(m_tree.GetItemPath(path, hRoot));
    EXPECT_EQ(CString("kept"), path);

    m_tree.Expand(hRoot, TVE_EXPAND);
    std::vector<std::string> drives;
    for (HTREEITEM h = m_tree.GetChildItem(hRoot); h != nullptr; h = m_tree.GetNextSiblingItem(h)) {
        ASSERT_TRUE(m_tree.GetItemPath(path, h));
        drives.push_back((const char*)path);
    }
    ASSERT_FALSE(drives.empty());
    EXPECT_NE(drives.end(), std::find(drives.begin(), drives.end(), m_base.substr(0, 3)));
}

TEST_F(ShellTreeCtrlPathTest, SelectingAPathExpandsToItAndTellsTheParent)
{
    const struct {
        const char* what;
        std::string spelling;
    } cases[] = {
        {"backslashes", m_base + "\\alpha\\inner"},
        {"forward slashes and a final separator", m_dir.Path() + "/alpha/inner/"},
        {"other letter case", m_base + "\\ALPHA\\Inner"},
    };
    const std::string expected = m_base + "\\alpha\\inner";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_host.selections.clear();
        ASSERT_TRUE(m_tree.SelectPath("C:\\"));   // somewhere else first
        ASSERT_TRUE(m_tree.SelectPath(c.spelling.c_str()));
        CString path;
        ASSERT_TRUE(m_tree.GetItemPath(path));
        EXPECT_STREQ(expected.c_str(), path);
        ASSERT_FALSE(m_host.selections.empty());
        EXPECT_EQ(expected, m_host.selections.back());
        EXPECT_EQ("inner", std::string(m_tree.GetItemText(m_tree.GetSelectedItem())));
    }
}

TEST_F(ShellTreeCtrlPathTest, FolderListsItsSubfoldersSortedWithoutFilesOrHiddenOnes)
{
    HTREEITEM hBase = m_tree.FindPath(m_base.c_str());
    ASSERT_NE(nullptr, hBase);
    m_tree.Expand(hBase, TVE_EXPAND);
    EXPECT_EQ((std::vector<std::string>{"A&B", "alpha", "Beta"}), ChildTexts(hBase));

    // A hidden folder asked for by path is added to the tree.
    ASSERT_TRUE(m_tree.SelectPath((m_base + "\\Hidden").c_str()));
    EXPECT_EQ((std::vector<std::string>{"A&B", "alpha", "Beta", "Hidden"}), ChildTexts(hBase));

    // A folder without subfolders loses its expansion button once listed.
    HTREEITEM hBeta = m_tree.FindPath((m_base + "\\Beta").c_str());
    ASSERT_NE(nullptr, hBeta);
    m_tree.Expand(hBeta, TVE_EXPAND);
    EXPECT_FALSE(m_tree.ItemHasChildren(hBeta));
    EXPECT_TRUE(m_tree.ItemHasChildren(m_tree.FindPath((m_base + "\\alpha").c_str())));
}

TEST_F(ShellTreeCtrlPathTest, ShortNamesLeadToTheFolderOfTheLongName)
{
    ASSERT_TRUE(::CreateDirectoryA((m_base + "\\Long folder name").c_str(), nullptr));
    char shortPath[MAX_PATH] = "";
    DWORD n = ::GetShortPathNameA((m_base + "\\Long folder name").c_str(), shortPath, sizeof shortPath);
    ASSERT_GT(n, 0u);
    ASSERT_TRUE(m_tree.SelectPath(shortPath)) << shortPath;
    CString path;
    ASSERT_TRUE(m_tree.GetItemPath(path));
    EXPECT_STREQ((m_base + "\\Long folder name").c_str(), path);
}

TEST_F(ShellTreeCtrlPathTest, MissingFoldersSelectTheDeepestFolderOnTheWay)
{
    const struct {
        std::string path;
        std::string selected; // empty: the root
    } cases[] = {
        {m_base + "\\alpha\\missing\\deeper", m_base + "\\alpha"},
        {m_base + "\\file.lmx", m_base},
        {"", ""},
        {"\\\\server\\share", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(nullptr, m_tree.FindPath(c.path.c_str()));
        EXPECT_FALSE(m_tree.SelectPath(c.path.c_str()));
        CString path;
        if (c.selected.empty()) {
            EXPECT_EQ(m_tree.GetRootFolder(), m_tree.GetSelectedItem());
        } else {
            ASSERT_TRUE(m_tree.GetItemPath(path));
            EXPECT_STREQ(c.selected.c_str(), path);
        }
    }
    EXPECT_FALSE(m_tree.SelectPath(nullptr));
}

TEST_F(ShellTreeCtrlPathTest, TreeFromADialogTemplateIsFilledWhenAttached)
{
    // A tree that exists before its object: the dialog-control case.
    HWND hWnd = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | TVS_HASBUTTONS, 0, 0, 100, 100, m_host.m_hWnd,
                                  (HMENU)(UINT_PTR)77, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    CShellTreeCtrl attached;
    ASSERT_TRUE(attached.SubclassDlgItem(77, &m_host));
    ASSERT_NE(nullptr, attached.GetRootItem());
    EXPECT_NE(nullptr, attached.FindPath(m_base.c_str()));
}

} // namespace
