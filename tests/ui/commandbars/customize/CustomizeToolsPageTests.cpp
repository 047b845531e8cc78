// User tools and the Tools page: a tool's icon comes from the shell for
// the program it runs, the page edits the manager's tools through its list
// and fields, and leaving the page needs a valid tool list.
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestResources.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestSupport.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ZUDPToolsPage.h"
#include "ui/controls/ZUDPControlsSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A 16 x 16 icon that the test owns until a tool takes it.
HICON MakeToolTestIcon()
{
    BYTE andMask[16 * 16 / 8] = {};
    BYTE xorMask[16 * 16 / 8] = {};
    return ::CreateIcon(nullptr, 16, 16, 1, 1, andMask, xorMask);
}

// The shell as the tools see it: programs found on the search path and
// the icons the shell hands out.
class ToolShell {
public:
    ToolShell()
        : m_search(g_frameworkSeams.searchPath,
                   [this](LPCSTR name, LPCSTR, DWORD n, LPSTR buffer) -> DWORD {
                       searched.push_back(name);
                       for (const auto& known : onPath)
                           if (known.first == name) {
                               lstrcpynA(buffer, known.second.c_str(), int(n));
                               return DWORD(known.second.size());
                           }
                       return 0;
                   }),
          m_info(g_frameworkSeams.shGetFileInfo,
                 [this](LPCSTR path, DWORD, SHFILEINFOA* psfi, UINT, UINT flags) -> DWORD_PTR {
                     asked.push_back(path);
                     lastFlags = flags;
                     if (!giveIcon)
                         return 0;
                     psfi->hIcon = MakeToolTestIcon();
                     return 1;
                 })
    {
    }
    std::vector<std::pair<std::string, std::string>> onPath;
    std::vector<std::string> searched, asked;
    UINT lastFlags = 0;
    bool giveIcon = true;

private:
    ScopedSeam<DWORD(LPCSTR, LPCSTR, DWORD, LPSTR)> m_search;
    ScopedSeam<DWORD_PTR(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT)> m_info;
};

TEST(UserToolTest, IconComesFromTheShellForTheProgramOrIsTheDefault)
{
    trovtest::InitFrameworkForTests();
    ToolShell shell;
    shell.onPath.push_back({"notepad.exe", "C:\\windows\\notepad.exe"});
    struct Case {
        const char* command;
        const char* searched;   // null: not looked up on the path
        const char* asked;      // null: the shell is not asked
        bool defaultIcon;
    } cases[] = {
        {"notepad.exe", "notepad.exe", "C:\\windows\\notepad.exe", false},
        {"C:\\tools\\grep.exe", nullptr, "C:\\tools\\grep.exe", false},
        {"bin/sh", nullptr, "bin/sh", false},
        {"d:run.exe", nullptr, "d:run.exe", false},
        {"missing.exe", "missing.exe", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        shell.searched.clear();
        shell.asked.clear();
        CZUDPUserTool tool;
        tool.SetCommand(c.command);
        EXPECT_EQ(c.searched != nullptr ? std::vector<std::string>{c.searched} : std::vector<std::string>{},
                  shell.searched);
        EXPECT_EQ(c.asked != nullptr ? std::vector<std::string>{c.asked} : std::vector<std::string>{}, shell.asked);
        ASSERT_NE(nullptr, tool.GetIcon());
        EXPECT_EQ(c.defaultIcon, tool.GetIcon() == g_uiEnvironment.m_iconUserTool);
    }
    EXPECT_EQ(UINT(SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE), shell.lastFlags);

    // The shell has no icon for it: the default one, loaded from the
    // library's resources.
    shell.giveIcon = false;
    CZUDPUserTool tool;
    tool.SetCommand("C:\\x.exe");
    EXPECT_EQ(g_uiEnvironment.m_iconUserTool, tool.GetIcon());
    EXPECT_NE(nullptr, g_uiEnvironment.m_iconUserTool);
}

TEST(UserToolTest, TheSameCommandKeepsItsIconAnotherReplacesIt)
{
    trovtest::InitFrameworkForTests();
    ToolShell shell;
    CZUDPUserTool tool;
    tool.SetCommand("C:\\a.exe");
    const HICON hFirst = tool.GetIcon();
    tool.SetCommand("C:\\a.exe");
    EXPECT_EQ(hFirst, tool.GetIcon());
    EXPECT_EQ(1u, shell.asked.size());
    tool.SetCommand("C:\\b.exe");
    EXPECT_NE(hFirst, tool.GetIcon());
    EXPECT_FALSE(::DestroyIcon(hFirst));   // the tool destroyed its old icon
    // The shared default icon is never destroyed by a tool.
    shell.giveIcon = false;
    {
        CZUDPUserTool other;
        other.SetCommand("C:\\c.exe");
        ASSERT_EQ(g_uiEnvironment.m_iconUserTool, other.GetIcon());
    }
    ICONINFO info = {};
    EXPECT_TRUE(::GetIconInfo(g_uiEnvironment.m_iconUserTool, &info));
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
}

// The page over a manager with the range 500 to 502 and two tools.
class ToolsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_manager.SetArgumentsMenuId(IDR_TEST_TOOL_ARGUMENTS);
        m_manager.SetFilter("Programs (*.exe)|*.exe||");
        m_manager.SetDefExt("exe");
        for (const char* label : {"Editor", "Shell"}) {
            CZUDPUserTool* pTool = m_manager.AddTool();
            pTool->m_strLabel = label;
            pTool->SetCommand(CString("C:\\") + label + ".exe");
            pTool->m_strArguments = "-x";
        }
        m_page.SetCustomizeHost(&m_host);
        m_sheet.AddPage(&m_page);
        ASSERT_TRUE(m_sheet.Open());
    }
    void TearDown() override { m_sheet.DestroyWindow(); }

    std::vector<std::string> ManagerLabels() const
    {
        std::vector<std::string> labels;
        const CObList& tools = m_manager.GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;)
            labels.push_back(std::string(static_cast<CZUDPUserTool*>(tools.GetNext(pos))->m_strLabel));
        return labels;
    }
    std::vector<std::string> ListLabels()
    {
        std::vector<std::string> labels;
        for (int i = 0; i < m_page.m_wndToolsList.GetCount(); ++i)
            labels.push_back(std::string(m_page.m_wndToolsList.GetItemText(i)));
        return labels;
    }
    void Select(int i)
    {
        m_page.m_wndToolsList.SelectItem(i);
        trovtest::PumpPending();
    }
    void ClickListButton(int nCommand)
    {
        for (int i = 0; i < m_page.m_wndToolsList.GetButtonCount(); ++i)
            if (m_page.m_wndToolsList.GetButtonCommand(i) == nCommand) {
                m_page.m_wndToolsList.OnClickButton(i);
                return;
            }
        FAIL() << "no button " << nCommand;
    }
    // New, then the label typed into the new item and confirmed.
    void AddTool(const char* label)
    {
        ClickListButton(EditListCommand_New);
        CZUDPEditListEdit& edit = m_page.m_wndToolsList.GetInPlaceEdit();
        ASSERT_NE(nullptr, edit.GetSafeHwnd());
        edit.SetWindowText(label);
        edit.SendMessage(WM_KEYDOWN, VK_RETURN);
        trovtest::PumpPending();
    }
    CString Text(CEdit& edit)
    {
        CString str;
        edit.GetWindowText(str);
        return str;
    }

    ToolShell m_shell;
    CZUDPUserToolsManager m_manager{500, 502};
    trovtest::TestCustomizeHost m_host;
    trovtest::TestSheet m_sheet;
    CZUDPToolsPage m_page;
};

TEST_F(ToolsPageTest, ListsTheToolsAndEditsTheSelectedOne)
{
    EXPECT_EQ((std::vector<std::string>{"Editor", "Shell"}), ListLabels());
    // Nothing selected: every field and button is off.
    m_page.m_wndToolsList.GetList()->SetItemState(-1, 0, LVIS_SELECTED);
    trovtest::PumpPending();
    EXPECT_EQ(nullptr, m_page.GetSelectedTool());
    for (CWnd* pWnd : std::initializer_list<CWnd*>{&m_page.m_wndCommandEdit, &m_page.m_wndArgumentsEdit,
                                                   &m_page.m_wndInitialDirEdit, &m_page.m_wndBrowseBtn,
                                                   &m_page.m_wndArgumentsBtn, &m_page.m_wndInitialDirBtn})
        EXPECT_FALSE(pWnd->IsWindowEnabled());

    Select(1);
    auto* pShell = static_cast<CZUDPUserTool*>(m_manager.GetUserTools().GetTail());
    EXPECT_EQ(pShell, m_page.GetSelectedTool());
    EXPECT_STREQ("C:\\Shell.exe", Text(m_page.m_wndCommandEdit));
    EXPECT_STREQ("-x", Text(m_page.m_wndArgumentsEdit));
    EXPECT_TRUE(m_page.m_wndCommandEdit.IsWindowEnabled());
    EXPECT_TRUE(m_page.m_wndBrowseBtn.IsWindowEnabled());
    ASSERT_GE(m_host.toolChanges.size(), 2u);
    EXPECT_EQ(pShell, m_host.toolChanges.back().second);

    m_page.m_wndCommandEdit.SetWindowText("C:\\bash.exe");
    m_page.m_wndInitialDirEdit.SetWindowText("C:\\work");
    EXPECT_STREQ("C:\\bash.exe", pShell->GetCommand());
    EXPECT_STREQ("C:\\work", pShell->m_strInitialDirectory);
}

TEST_F(ToolsPageTest, AddRenameMoveAndDeleteReachTheManager)
{
    AddTool("Viewer");
    EXPECT_EQ((std::vector<std::string>{"Editor", "Shell", "Viewer"}), ManagerLabels());
    auto* pViewer = static_cast<CZUDPUserTool*>(m_manager.GetUserTools().GetTail());
    EXPECT_EQ(502u, pViewer->m_uiCmdId);
    EXPECT_EQ(pViewer, m_page.GetSelectedTool());

    const int iViewer = 2;
    m_page.m_wndToolsList.SetItemText(iViewer, "Picture Viewer");
    m_page.m_wndToolsList.OnAfterRenameItem(iViewer);
    EXPECT_STREQ("Picture Viewer", pViewer->m_strLabel);

    Select(iViewer);
    ClickListButton(EditListCommand_MoveUp);
    EXPECT_EQ((std::vector<std::string>{"Editor", "Picture Viewer", "Shell"}), ManagerLabels());
    EXPECT_EQ(ManagerLabels(), ListLabels());
    ClickListButton(EditListCommand_MoveDown);
    EXPECT_EQ((std::vector<std::string>{"Editor", "Shell", "Picture Viewer"}), ManagerLabels());

    Select(0);
    ClickListButton(EditListCommand_Delete);
    EXPECT_EQ((std::vector<std::string>{"Shell", "Picture Viewer"}), ManagerLabels());
    EXPECT_EQ(ManagerLabels(), ListLabels());
    EXPECT_EQ(nullptr, m_manager.FindToolByCommand(500));
}

TEST_F(ToolsPageTest, AFullRangeShowsTheLimitAndAddsNothing)
{
    AddTool("Third");
    CString message;
    ScopedSeam box(g_frameworkSeams.messageBox, [&](HWND, const char* text, const char*, UINT type) {
        message = text;
        EXPECT_EQ(UINT(MB_OK), type & 0x0F);
        return IDOK;
    });
    AddTool("Fourth");
    EXPECT_STREQ("You may define up to 3 tools.", message);
    EXPECT_EQ((std::vector<std::string>{"Editor", "Shell", "Third"}), ListLabels());
    EXPECT_EQ(3, int(m_manager.GetUserTools().GetCount()));
}

TEST_F(ToolsPageTest, BrowsingPutsTheChosenProgramIntoTheTool)
{
    Select(0);
    CString filter, ext;
    bool confirm = false;
    ScopedSeam dialog(g_controlsSeams.openFileDialog,
                      [&](CWnd*, LPCTSTR lpszDefExt, LPCTSTR, LPCTSTR lpszFilter, LPCTSTR, CString& path) -> BOOL {
                          ext = lpszDefExt, filter = lpszFilter;
                          path = "C:\\Program Files\\app.exe";
                          return confirm;
                      });
    trovtest::Click(m_page.m_wndBrowseBtn);
    EXPECT_STREQ("exe", ext);
    EXPECT_STREQ("Programs (*.exe)|*.exe||", filter);
    EXPECT_STREQ("C:\\Editor.exe", m_manager.FindToolByCommand(500)->GetCommand());   // cancelled
    confirm = true;
    trovtest::Click(m_page.m_wndBrowseBtn);
    EXPECT_STREQ("C:\\Program Files\\app.exe", Text(m_page.m_wndCommandEdit));
    EXPECT_STREQ("C:\\Program Files\\app.exe", m_manager.FindToolByCommand(500)->GetCommand());
}

TEST_F(ToolsPageTest, TheArgumentsMenuTypesItsTextAtTheCaret)
{
    EXPECT_TRUE(m_page.m_wndArgumentsBtn.IsWindowVisible());
    EXPECT_FALSE(m_page.m_wndInitialDirBtn.IsWindowVisible());   // the manager offers no directory menu
    ASSERT_NE(nullptr, m_page.m_wndArgumentsBtn.m_hMenu);
    EXPECT_EQ(UINT(ID_TEST_ARG_FILE_PATH), ::GetMenuItemID(m_page.m_wndArgumentsBtn.m_hMenu, 0));

    Select(0);
    m_page.m_wndArgumentsEdit.SetWindowText("-x -n");
    m_page.m_wndArgumentsEdit.SetSel(3, 3);   // between "-x " and "-n"
    m_page.m_wndArgumentsBtn.m_nChosenCommand = ID_TEST_ARG_FILE_PATH;
    trovtest::Click(m_page.m_wndArgumentsBtn);
    EXPECT_STREQ("-x $(FilePath)-n", Text(m_page.m_wndArgumentsEdit));
    EXPECT_STREQ("-x $(FilePath)-n", m_manager.FindToolByCommand(500)->m_strArguments);
    // A menu dismissed without a choice types nothing.
    m_page.m_wndArgumentsBtn.m_nChosenCommand = 0;
    trovtest::Click(m_page.m_wndArgumentsBtn);
    EXPECT_STREQ("-x $(FilePath)-n", Text(m_page.m_wndArgumentsEdit));
}

TEST_F(ToolsPageTest, AnInvalidToolListKeepsThePage)
{
    m_host.toolsValid = FALSE;
    EXPECT_FALSE(m_page.OnKillActive());
    m_host.toolsValid = TRUE;
    EXPECT_TRUE(m_page.OnKillActive());
}

} // namespace
