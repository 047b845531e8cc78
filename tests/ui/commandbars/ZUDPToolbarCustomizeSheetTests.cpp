// The customization sheet and its Commands, Toolbars and Options pages,
// driven by messages and seams: the pages a frame gets, the catalogue built
// from menus, entering and leaving customization mode, the command list
// and its drag, the toolbar list with show, hide, reset, new, rename and
// delete, and the options that apply at the click.
#include "framework/win/CheckListBox.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "framework/win/Ole.h"
#include "res/ui/commandbars.h"
#include "res/ui/customize.h"
#include "tests/common/DragLoopWin.h"
#include "tests/ui/commandbars/ToolBarTestResources.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/CmdUsageCount.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ZUDPCustomizePage.h"
#include "ui/commandbars/customize/ZUDPCustomizePages.h"
#include "ui/commandbars/customize/ZUDPOptionsPage.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"
#include "ui/commandbars/customize/ZUDPToolbarsPage.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace toolbartest;

namespace {

constexpr UINT kFileClose = 40001;
constexpr UINT kWindowClose = 40002;
constexpr UINT kNoText = 40003;
constexpr UINT kToolsPlaceholder = 40100;
constexpr UINT kFirstTool = 40200;

// A page standing for one that lives elsewhere, known by its name.
class CNamedPage : public CPropertyPage {
public:
    explicit CNamedPage(const char* name) : CPropertyPage(IDD_ZUDP_CUSTOMIZE_OPTIONS), name(name) {}
    std::string name;
};

// The frame being customized: it keeps the customization messages and
// answers toolbar creation and deletion as the application would.
class CCustomizedFrame : public CFrameWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Message> received;
    std::vector<std::unique_ptr<CZUDPToolBar>> created;
    BOOL allowDelete = TRUE;

    BOOL Make()
    {
        if (!CreateEx(0, AfxRegisterWndClass(0), "Customized", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300), nullptr, 0))
            return FALSE;
        return m_edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 100, 200, 120), this, 1) != FALSE;
    }
    CEdit& Edit() { return m_edit; }
    std::vector<Message> Of(UINT message) const
    {
        std::vector<Message> found;
        for (const Message& m : received)
            if (m.message == message)
                found.push_back(m);
        return found;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDTOOLBAR_CUSTOMIZE || message == ZUDTOOLBAR_CUSTOMIZEHELP) {
            received.push_back({message, wParam, lParam});
            return 0;
        }
        if (message == ZUDTOOLBAR_CREATE) {
            received.push_back({message, wParam, lParam});
            auto bar = std::make_unique<CZUDPToolBar>();
            if (!MakeToolbar(*bar, *this))
                return 0;
            bar->SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
            created.push_back(std::move(bar));
            return LRESULT(created.back().get());
        }
        if (message == ZUDTOOLBAR_DELETE) {
            received.push_back({message, wParam, lParam});
            if (!allowDelete)
                return 0;
            CZUDPToolBar* pBar = reinterpret_cast<CZUDPToolBar*>(lParam);
            pBar->DestroyWindow();
            return 1;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }

    CEdit m_edit;
};

// A sheet that tells when it is deleted and whose tools may be invalid.
class CTestSheet : public CZUDPToolbarCustomize {
public:
    CTestSheet(CFrameWnd* pFrame, BOOL bAutoSet, UINT uiFlags, bool* pDeleted = nullptr)
        : CZUDPToolbarCustomize(pFrame, bAutoSet, uiFlags), m_pDeleted(pDeleted)
    {
    }
    ~CTestSheet() override
    {
        if (m_pDeleted != nullptr)
            *m_pDeleted = true;
    }
    BOOL CheckToolsValidity(const CObList&) override { return toolsValid; }
    BOOL toolsValid = TRUE;

private:
    bool* m_pDeleted;
};

// File: Open (tab and accelerator), Save As, Close and the user tools;
// Window: Close, Print; Edit: an item without text whose command has a
// string, and one whose command has none.
HMENU MakeMenu()
{
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, ID_TEST_OPEN, "&Open\tCtrl+O");
    ::AppendMenuA(hFile, MF_STRING, ID_TEST_SAVE, "Save &As");
    ::AppendMenuA(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hFile, MF_STRING, kFileClose, "&Close");
    ::AppendMenuA(hFile, MF_STRING, kToolsPlaceholder, "Tools");
    HMENU hWindow = ::CreatePopupMenu();
    ::AppendMenuA(hWindow, MF_STRING, kWindowClose, "&Close");
    ::AppendMenuA(hWindow, MF_STRING, ID_TEST_PRINT, "&Print");
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuA(hEdit, MF_STRING, ID_TEST_CUT, "");
    ::AppendMenuA(hEdit, MF_STRING, kNoText, "");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuA(hMenu, MF_POPUP, UINT_PTR(hFile), "&File");
    ::AppendMenuA(hMenu, MF_POPUP, UINT_PTR(hWindow), "&Window");
    ::AppendMenuA(hMenu, MF_POPUP, UINT_PTR(hEdit), "&Edit");
    return hMenu;
}

struct Entry {
    UINT command;
    std::string text;
    std::string path;
    bool operator==(const Entry& other) const
    {
        return command == other.command && text == other.text && path == other.path;
    }
};

void PrintTo(const Entry& e, std::ostream* os) { *os << "{" << e.command << ", " << e.text << ", " << e.path << "}"; }

std::vector<Entry> EntriesOf(const CZUDPToolbarCustomize& sheet, const char* category)
{
    std::vector<Entry> entries;
    const CObList* pList = sheet.GetCategoryButtons(category);
    if (pList == nullptr)
        return entries;
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(pList->GetNext(pos));
        entries.push_back({pButton->commandId, (LPCTSTR)pButton->text, (LPCTSTR)pButton->menuPath});
    }
    return entries;
}

std::vector<std::string> Names(const CStringList& list)
{
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        names.push_back((LPCTSTR)list.GetNext(pos));
    return names;
}

std::vector<std::string> ListTexts(const CListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        texts.push_back((LPCTSTR)text);
    }
    return texts;
}

class CustomizeSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(m_frame.Make());
        m_hMenu = MakeMenu();
        m_frame.m_hMenuDefault = m_hMenu;
        m_seams.Replace(g_foundationSeams.messageBeep, [this](UINT type) {
            beeps.push_back(type);
            return TRUE;
        });
        m_seams.Replace(g_frameworkSeams.messageBox, [this](HWND, const char* text, const char*, UINT) {
            prompts.push_back(text);
            return answer;
        });
    }
    void TearDown() override
    {
        if (g_customizeSheet != nullptr)
            g_customizeSheet->DestroyWindow();
        m_frame.m_hMenuDefault = nullptr;
        ::DestroyMenu(m_hMenu);
        for (auto& bar : m_frame.created)
            if (bar->GetSafeHwnd() != nullptr)
                bar->DestroyWindow();
        m_frame.DestroyWindow();
    }

    // An open sheet on the frame (it deletes itself when closed).
    CTestSheet* OpenSheet(UINT uiFlags = ZUDP_CUSTOMIZE_TEXT_LABELS | ZUDP_CUSTOMIZE_LOOK2000, bool* pDeleted = nullptr)
    {
        CTestSheet* pSheet = new CTestSheet(&m_frame, TRUE, uiFlags, pDeleted);
        if (!pSheet->Create()) {
            delete pSheet;
            return nullptr;
        }
        return pSheet;
    }
    static void Close(CZUDPToolbarCustomize* pSheet) { pSheet->SendMessage(WM_COMMAND, IDCANCEL, 0); }

    ToolbarStateGuard m_state;
    ScopedSeams m_seams;
    CCustomizedFrame m_frame;
    HMENU m_hMenu = nullptr;
    std::vector<UINT> beeps;
    std::vector<std::string> prompts;
    int answer = IDYES;
};

} // namespace

// ---------------------------------------------------------------------------
// Pages

// The sheet offers a page only when what the page edits exists: the
// Keyboard page needs the keyboard manager and an accelerator table, the
// Menu page the context-menu manager (or a menu bar), the Mouse page the
// mouse manager, the Tools page the user-tools manager and no bit 0x080.
TEST_F(CustomizeSheetTest, PagesFollowTheManagersAndTheFlags)
{
    ScopedSeam keyboard(g_customizePageMakers.keyboardPage, [](CFrameWnd*, BOOL) -> CPropertyPage* { return new CNamedPage("Keyboard"); });
    ScopedSeam menu(g_customizePageMakers.menuPage, [](CFrameWnd*, BOOL) -> CPropertyPage* { return new CNamedPage("Menu"); });
    ScopedSeam mouse(g_customizePageMakers.mousePage, []() -> CPropertyPage* { return new CNamedPage("Mouse"); });
    ScopedSeam tools(g_customizePageMakers.toolsPage, []() -> CPropertyPage* { return new CNamedPage("Tools"); });
    ACCEL accel = {FVIRTKEY | FCONTROL, 'O', WORD(ID_TEST_OPEN)};
    HACCEL hAccel = ::CreateAcceleratorTableA(&accel, 1);

    struct Row {
        const char* name;
        bool accelerators, keyboardManager, contextManager, mouseManager, toolsManager;
        UINT flags;
        std::vector<std::string> pages;
    } rows[] = {
        {"nothing", false, false, false, false, false, 0, {"Commands", "Toolbars", "Options"}},
        {"keyboard manager without accelerators", false, true, false, false, false, 0, {"Commands", "Toolbars", "Options"}},
        {"accelerators without keyboard manager", true, false, false, false, false, 0, {"Commands", "Toolbars", "Options"}},
        {"everything", true, true, true, true, true, 0,
         {"Commands", "Toolbars", "Tools", "Keyboard", "Menu", "Mouse", "Options"}},
        {"everything, no tools", true, true, true, true, true, ZUDP_CUSTOMIZE_NOTOOLS,
         {"Commands", "Toolbars", "Keyboard", "Menu", "Mouse", "Options"}},
        {"context menus only", false, false, true, false, false, 0, {"Commands", "Toolbars", "Menu", "Options"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<CZUDPKeyboardManager> keyboardManager(row.keyboardManager ? new CZUDPKeyboardManager : nullptr);
        std::unique_ptr<CZUDPContextMenuManager> contextManager(row.contextManager ? new CZUDPContextMenuManager : nullptr);
        std::unique_ptr<CZUDPMouseManager> mouseManager(row.mouseManager ? new CZUDPMouseManager : nullptr);
        std::unique_ptr<CZUDPUserToolsManager> toolsManager(row.toolsManager ? new CZUDPUserToolsManager(kFirstTool, kFirstTool + 9) : nullptr);
        m_frame.m_hAccelTable = row.accelerators ? hAccel : nullptr;

        CZUDPToolbarCustomize sheet(&m_frame, FALSE, row.flags);
        std::vector<std::string> pages;
        for (int i = 0; i < sheet.GetPageCount(); ++i) {
            CPropertyPage* pPage = sheet.GetPage(i);
            if (pPage == sheet.GetCommandsPage())
                pages.push_back("Commands");
            else if (pPage == sheet.GetToolbarsPage())
                pages.push_back("Toolbars");
            else if (pPage == sheet.GetOptionsPage())
                pages.push_back("Options");
            else
                pages.push_back(static_cast<CNamedPage*>(pPage)->name);
        }
        EXPECT_EQ(row.pages, pages);
    }
    m_frame.m_hAccelTable = nullptr;
    ::DestroyAcceleratorTable(hAccel);
}

// A page of the application's own.
class CApplicationPage : public CPropertyPage {
    DECLARE_DYNCREATE(CApplicationPage)
public:
    CApplicationPage() : CPropertyPage(IDD_ZUDP_CUSTOMIZE_OPTIONS) {}
};
IMPLEMENT_DYNCREATE(CApplicationPage, CPropertyPage)

// Pages the application names by class come after the library's pages,
// before Options; a class that is no page is dropped.
TEST_F(CustomizeSheetTest, ApplicationPagesGoBeforeOptions)
{
    CList<CRuntimeClass*, CRuntimeClass*> classes;
    classes.AddTail(RUNTIME_CLASS(CApplicationPage));
    classes.AddTail(RUNTIME_CLASS(CZUDPToolBar));
    CZUDPToolbarCustomize sheet(&m_frame, FALSE, 0, &classes);
    ASSERT_EQ(4, sheet.GetPageCount());
    EXPECT_NE(sheet.GetOptionsPage(), sheet.GetPage(2));
    EXPECT_TRUE(sheet.GetPage(2)->IsKindOf(RUNTIME_CLASS(CApplicationPage)));
    EXPECT_EQ(sheet.GetOptionsPage(), sheet.GetPage(3));
}

// ---------------------------------------------------------------------------
// The catalogue

TEST_F(CustomizeSheetTest, CatalogueComesFromTheFramesMenuByCategory)
{
    CZUDPUserToolsManager tools(kFirstTool, kFirstTool + 9);
    tools.SetToolsPlaceholderCmdId(kToolsPlaceholder);
    tools.AddTool()->m_strLabel = "Notepad";
    tools.AddTool()->m_strLabel = "Calc";

    CZUDPToolbarCustomize sheet(&m_frame, TRUE, 0);
    EXPECT_EQ((std::vector<std::string>{"File", "Window", "Edit", "New Menu"}), Names(sheet.GetCategoryNames()));
    EXPECT_EQ((std::vector<Entry>{{ID_TEST_OPEN, "Open", "FileOpen"},
                                  {ID_TEST_SAVE, "Save As", "FileSaveAs"},
                                  {kFileClose, "Close", "FileClose"},
                                  {kFirstTool, "Notepad", ""},
                                  {kFirstTool + 1, "Calc", ""}}),
              EntriesOf(sheet, "File"));
    EXPECT_EQ((std::vector<Entry>{{kWindowClose, "Close", "WindowClose"}, {ID_TEST_PRINT, "Print", "WindowPrint"}}),
              EntriesOf(sheet, "Window"));
    // An item without text takes the text after the newline of its
    // command's string; one without either is in no category.
    // Its path would be the menu's name alone: it has none.
    EXPECT_EQ((std::vector<Entry>{{ID_TEST_CUT, "Cut", ""}}), EntriesOf(sheet, "Edit"));
    EXPECT_EQ(nullptr, sheet.GetCommandName(kNoText));
    EXPECT_EQ(nullptr, sheet.GetCommandName(kToolsPlaceholder));

    // Every command of a named category once in All Commands, in catalogue
    // order, the new menu's button too.
    std::vector<UINT> all;
    for (const Entry& e : EntriesOf(sheet, "All Commands"))
        all.push_back(e.command);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, kFileClose, kFirstTool, kFirstTool + 1, kWindowClose,
                                 ID_TEST_PRINT, ID_TEST_CUT, 0}),
              all);

    // "New Menu": one menu button with command 0.
    const CObList* pNewMenu = sheet.GetCategoryButtons("New Menu");
    ASSERT_NE(nullptr, pNewMenu);
    ASSERT_EQ(1, pNewMenu->GetCount());
    const CZUDPToolbarButton* pMenuButton = static_cast<const CZUDPToolbarButton*>(pNewMenu->GetHead());
    EXPECT_TRUE(pMenuButton->IsKindOf(RUNTIME_CLASS(CZUDPToolbarMenuButton)));
    EXPECT_EQ(0u, pMenuButton->commandId);
    EXPECT_STREQ("New Menu", pMenuButton->text);
}

TEST_F(CustomizeSheetTest, CatalogueKeepsAmpersandsOnlyWhenAsked)
{
    CZUDPToolbarCustomize plain(&m_frame, TRUE, 0);
    CZUDPToolbarCustomize kept(&m_frame, TRUE, ZUDP_CUSTOMIZE_MENU_AMPERS);
    EXPECT_STREQ("Save As", plain.GetCommandName(ID_TEST_SAVE));
    EXPECT_STREQ("Save &As", kept.GetCommandName(ID_TEST_SAVE));
    EXPECT_EQ((std::vector<std::string>{"File", "Window", "Edit", "New Menu"}), Names(kept.GetCategoryNames()))
        << "category names never keep their ampersands";
    EXPECT_EQ("FileSaveAs", EntriesOf(plain, "File")[1].path);
}

// A command is listed once per category; popup menu buttons (command -1)
// are told apart by their text; commands the bars may not show and
// buttons that are not customizable stay out.
TEST_F(CustomizeSheetTest, AddButtonKeepsOneEntryPerCommand)
{
    CZUDPToolbarCustomize sheet(&m_frame, FALSE, 0);
    sheet.AddButton("Mine", CZUDPToolbarButton(ID_TEST_OPEN, -1, "Open"));
    sheet.AddButton("Mine", CZUDPToolbarButton(ID_TEST_OPEN, -1, "Open again"));
    sheet.AddButton("Mine", CZUDPToolbarMenuButton(UINT(-1), nullptr, -1, "First"));
    sheet.AddButton("Mine", CZUDPToolbarMenuButton(UINT(-1), nullptr, -1, "Second"));
    sheet.AddButton("Mine", CZUDPToolbarMenuButton(UINT(-1), nullptr, -1, "First"));
    sheet.AddButton("Mine", CZUDPToolbarButton(ID_TEST_PRINT, -1, "Print"), 0);
    g_blockedCommands.AddTail(ID_TEST_CUT);
    sheet.AddButton("Mine", CZUDPToolbarButton(ID_TEST_CUT, -1, "Cut"));
    sheet.AddButton("Mine", CZUDPToolbarButton(ID_TEST_PASTE, -1, "  \t "));
    // White space alone is no text: the command's string gives it.
    EXPECT_EQ((std::vector<Entry>{{ID_TEST_PRINT, "Print", ""},
                                  {ID_TEST_OPEN, "Open", ""},
                                  {UINT(-1), "First", ""},
                                  {UINT(-1), "Second", ""},
                                  {ID_TEST_PASTE, "Paste", ""}}),
              EntriesOf(sheet, "Mine"));
    EXPECT_EQ(2, sheet.GetCountInCategory("First", *sheet.GetCategoryButtons("All Commands")) +
                     sheet.GetCountInCategory("Second", *sheet.GetCategoryButtons("All Commands")));
}

// Category boxes list every named category, leaving out those without a
// command when asked ("New Menu" holds command 0 only), and end with All
// Commands; the all-commands list shows menu paths where there are some.
TEST_F(CustomizeSheetTest, CategoryBoxesAndTheAllCommandsList)
{
    CZUDPToolbarCustomize sheet(&m_frame, TRUE, 0);
    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &m_frame, 50));
    sheet.FillCategoriesListBox(box, TRUE);
    EXPECT_EQ((std::vector<std::string>{"File", "Window", "Edit", "New Menu", "All Commands"}), ListTexts(box));
    box.ResetContent();
    sheet.FillCategoriesListBox(box, FALSE);
    EXPECT_EQ((std::vector<std::string>{"File", "Window", "Edit", "All Commands"}), ListTexts(box));
    EXPECT_EQ(sheet.GetCategoryButtons("All Commands"), box.GetItemDataPtr(3));

    sheet.FillAllCommandsList(box);
    // Without a user-tools manager the tools item is a command like any.
    EXPECT_EQ((std::vector<std::string>{"FileOpen", "FileSaveAs", "FileClose", "FileTools", "WindowClose",
                                        "WindowPrint", "Cut", "New Menu"}),
              ListTexts(box));
    EXPECT_EQ(DWORD_PTR(kWindowClose), box.GetItemData(4));
    box.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Opening and closing

TEST_F(CustomizeSheetTest, OpeningEntersCustomizationAndClosingLeavesIt)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_frame));
    bool deleted = false;
    CTestSheet* pSheet = OpenSheet(0, &deleted);
    ASSERT_NE(nullptr, pSheet);
    EXPECT_EQ(pSheet, g_customizeSheet);
    EXPECT_TRUE(g_customizeMode);
    EXPECT_FALSE(m_frame.Edit().IsWindowEnabled()) << "the frame's other children wait";
    EXPECT_TRUE(bar.IsWindowEnabled()) << "bars stay usable";
    ASSERT_EQ(1u, m_frame.Of(ZUDTOOLBAR_CUSTOMIZE).size());
    EXPECT_EQ(WPARAM(TRUE), m_frame.Of(ZUDTOOLBAR_CUSTOMIZE)[0].wParam);

    CString title;
    pSheet->GetWindowText(title);
    EXPECT_STREQ("Customize", title);
    CString close;
    pSheet->GetDlgItem(IDCANCEL)->GetWindowText(close);
    EXPECT_STREQ("Close", close);

    Close(pSheet);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, g_customizeSheet);
    EXPECT_FALSE(g_customizeMode);
    EXPECT_TRUE(m_frame.Edit().IsWindowEnabled());
    ASSERT_EQ(2u, m_frame.Of(ZUDTOOLBAR_CUSTOMIZE).size());
    EXPECT_EQ(WPARAM(FALSE), m_frame.Of(ZUDTOOLBAR_CUSTOMIZE)[1].wParam);
    bar.DestroyWindow();
}

// Close with a tool list the sheet finds invalid keeps the sheet open on
// the Tools page.
TEST_F(CustomizeSheetTest, ClosingWithInvalidToolsStaysOnTheToolsPage)
{
    CZUDPUserToolsManager tools(kFirstTool, kFirstTool + 9);
    ScopedSeam page(g_customizePageMakers.toolsPage, []() -> CPropertyPage* { return new CNamedPage("Tools"); });
    bool deleted = false;
    CTestSheet* pSheet = OpenSheet(0, &deleted);
    ASSERT_NE(nullptr, pSheet);
    ASSERT_NE(nullptr, pSheet->GetToolsPage());
    pSheet->toolsValid = FALSE;
    Close(pSheet);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(pSheet, g_customizeSheet);
    EXPECT_EQ(pSheet->GetToolsPage(), pSheet->GetActivePage());
    pSheet->toolsValid = TRUE;
    Close(pSheet);
    EXPECT_TRUE(deleted);
}

// Help goes to the frame with the active page's index; bit 0x010 hides
// and disables the Help button.
TEST_F(CustomizeSheetTest, HelpButtonAsksTheFrame)
{
    struct Row {
        UINT flags;
        bool shown;
    } rows[] = {{0, true}, {ZUDP_CUSTOMIZE_NOHELP, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.flags);
        m_frame.received.clear();
        CTestSheet* pSheet = OpenSheet(row.flags);
        ASSERT_NE(nullptr, pSheet);
        CWnd* pHelp = pSheet->GetDlgItem(IDHELP);
        ASSERT_NE(nullptr, pHelp);
        EXPECT_EQ(row.shown, (pHelp->GetStyle() & WS_VISIBLE) != 0);
        EXPECT_EQ(row.shown, pHelp->IsWindowEnabled() != FALSE);
        pSheet->SetActivePage(1);
        pSheet->SendMessage(WM_COMMAND, IDHELP, 0);
        ASSERT_EQ(1u, m_frame.Of(ZUDTOOLBAR_CUSTOMIZEHELP).size());
        EXPECT_EQ(WPARAM(1), m_frame.Of(ZUDTOOLBAR_CUSTOMIZEHELP)[0].wParam);
        EXPECT_EQ(LPARAM(pSheet), m_frame.Of(ZUDTOOLBAR_CUSTOMIZEHELP)[0].lParam);
        Close(pSheet);
    }
}

// ---------------------------------------------------------------------------
// The Commands page

// All Commands is sorted and shows menu paths (two Close items become
// FileClose and WindowClose); a named category keeps catalogue order and
// shows a path only where two commands share a text.
TEST_F(CustomizeSheetTest, CommandsPageListsTheChosenCategory)
{
    CTestSheet* pSheet = OpenSheet();
    ASSERT_NE(nullptr, pSheet);
    CZUDPCustomizePage* pPage = pSheet->GetCommandsPage();
    ASSERT_NE(nullptr, pPage->GetSafeHwnd());
    CListBox& categories = pPage->GetCategoriesList();
    EXPECT_EQ((std::vector<std::string>{"File", "Window", "Edit", "New Menu", "All Commands"}), ListTexts(categories));
    EXPECT_EQ((std::vector<std::string>{"Open", "Save As", "Close", "Tools"}), ListTexts(pPage->GetCommandsList()));

    auto choose = [&](int iCategory) {
        categories.SetCurSel(iCategory);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_CUSTOMIZE_CATEGORIES, LBN_SELCHANGE), LPARAM(categories.m_hWnd));
    };
    choose(4);
    EXPECT_EQ((std::vector<std::string>{"Cut", "FileClose", "FileOpen", "FileSaveAs", "FileTools", "New Menu",
                                        "WindowClose", "WindowPrint"}),
              ListTexts(pPage->GetCommandsList()));

    // The same text twice in one category: both show their paths.
    pSheet->AddButton("Window", CZUDPToolbarButton(kFileClose, -1, "Close"));
    CZUDPToolbarButton other(ID_TEST_PASTE, -1, "Print");
    other.menuPath = "WindowOtherPrint";
    pSheet->AddButton("Window", other);
    choose(1);
    EXPECT_EQ((std::vector<std::string>{"WindowClose", "WindowPrint", "Close", "WindowOtherPrint"}),
              ListTexts(pPage->GetCommandsList()));
}

// Choosing a command shows its prompt, command 0 its own text; choosing a
// category clears the description.
TEST_F(CustomizeSheetTest, CommandsPageDescribesTheChosenCommand)
{
    CTestSheet* pSheet = OpenSheet();
    ASSERT_NE(nullptr, pSheet);
    CZUDPCustomizePage* pPage = pSheet->GetCommandsPage();
    CListBox& commands = pPage->GetCommandsList();
    commands.SetCurSel(0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_CUSTOMIZE_COMMANDS, LBN_SELCHANGE), LPARAM(commands.m_hWnd));
    EXPECT_STREQ("Open a document", pPage->GetDescription());
    CString shown;
    pPage->GetDlgItemText(IDC_ZUDP_CUSTOMIZE_DESCRIPTION, shown);
    EXPECT_STREQ("Open a document", shown);

    CListBox& categories = pPage->GetCategoriesList();
    categories.SetCurSel(3);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_CUSTOMIZE_CATEGORIES, LBN_SELCHANGE), LPARAM(categories.m_hWnd));
    EXPECT_STREQ("", pPage->GetDescription());
    EXPECT_EQ(nullptr, pPage->GetSelectedButton());
    commands.SetCurSel(0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_CUSTOMIZE_COMMANDS, LBN_SELCHANGE), LPARAM(commands.m_hWnd));
    EXPECT_STREQ("New Menu", pPage->GetDescription());
}

// A command dragged from the list onto a toolbar is inserted there as a
// copy; the catalogue keeps its button.  A press below the last item
// starts no drag.
TEST_F(CustomizeSheetTest, CommandDraggedOntoAToolbarInsertsACopy)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, m_frame));
    bar.InsertButton(NewButton(ID_TEST_PRINT, 0));
    bar.GetButtonAt(0)->locked = FALSE;
    bar.PositionButtons();
    CTestSheet* pSheet = OpenSheet();
    ASSERT_NE(nullptr, pSheet);
    CButtonsTextList& commands = pSheet->GetCommandsPage()->GetCommandsList();

    int drags = 0;
    CPoint ptDrop = bar.GetButtonAt(0)->rect.CenterPoint() + CPoint(bar.GetButtonAt(0)->rect.Width() / 2 + 4, 0);
    bar.ClientToScreen(&ptDrop);
    ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState, [](int key) -> SHORT { return key == VK_LBUTTON ? SHORT(0x8000) : 0; });
    ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [&](POINT* pt) {
        *pt = ptDrop;
        return TRUE;
    });
    ScopedSeam<BOOL(HWND, const RECT*)> start(g_frameworkSeams.dragStartLoop, [](HWND, const RECT*) { return TRUE; });
    ScopedSeam<HRESULT(IDataObject*, IDropSource*, DWORD, DWORD*)> loop(
        g_frameworkSeams.dragLoop, [&](IDataObject* pData, IDropSource* pSource, DWORD ok, DWORD* pEffect) {
            ++drags;
            IDropTarget* pTarget = bar.m_DropTarget.GetDropTarget();
            return trovtest::RunDragSteps(pData, pSource, ok, pEffect,
                                          {{pTarget, ptDrop, MK_LBUTTON}, {pTarget, ptDrop, 0}});
        });

    CRect rectItem;
    commands.GetItemRect(commands.GetCount() - 1, rectItem);
    CRect rectClient;
    commands.GetClientRect(rectClient);
    ASSERT_LT(rectItem.bottom + 2, rectClient.bottom);
    commands.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(CPoint(5, rectItem.bottom + 2)));
    EXPECT_EQ(0, drags) << "no item under the press";

    commands.GetItemRect(0, rectItem); // "Open"
    commands.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(rectItem.CenterPoint()));
    EXPECT_EQ(0, commands.GetCurSel());
    EXPECT_EQ(1, drags);
    ASSERT_EQ(2, bar.GetCount());
    EXPECT_EQ(UINT(ID_TEST_OPEN), bar.GetCommandAt(1));
    EXPECT_NE(reinterpret_cast<CZUDPToolbarButton*>(commands.GetItemData(0)), bar.GetButtonAt(1));
    EXPECT_EQ(4, int(pSheet->GetCategoryButtons("File")->GetCount())) << "the catalogue keeps its buttons";
    Close(pSheet);
    bar.DestroyWindow();
}

// ---------------------------------------------------------------------------
// The Toolbars page

// A bar the user may not close.
class CFixedBar : public CZUDPToolBar {
public:
    BOOL CanClose() const override { return FALSE; }
};

class ToolbarsPageTest : public CustomizeSheetTest {
protected:
    void SetUp() override
    {
        CustomizeSheetTest::SetUp();
        ASSERT_TRUE(MakeToolbar(m_standard, m_frame));
        m_standard.SetWindowText("Standard");
        ASSERT_TRUE(m_standard.LoadButtonsResource(IDR_TEST_TOOLBAR));
        ASSERT_TRUE(MakeToolbar(m_fixed, m_frame));
        m_fixed.SetWindowText("Always");
        ASSERT_TRUE(MakeToolbar(m_untitled, m_frame));
        m_untitled.SetWindowText("");
        ASSERT_TRUE(m_elsewhereHost.Make());
        ASSERT_TRUE(MakeToolbar(m_elsewhere, m_elsewhereHost));
        m_elsewhere.SetWindowText("Elsewhere");
    }
    void TearDown() override
    {
        if (g_customizeSheet != nullptr)
            g_customizeSheet->DestroyWindow();
        for (CZUDPToolBar* pBar : {static_cast<CZUDPToolBar*>(&m_standard), static_cast<CZUDPToolBar*>(&m_fixed), &m_untitled, &m_elsewhere})
            if (pBar->GetSafeHwnd() != nullptr)
                pBar->DestroyWindow();
        m_elsewhereHost.DestroyWindow();
        CustomizeSheetTest::TearDown();
    }
    CZUDPToolbarsPage* OpenPage(BOOL bUserToolbars = FALSE)
    {
        m_pSheet = new CTestSheet(&m_frame, TRUE, ZUDP_CUSTOMIZE_TEXT_LABELS);
        m_pSheet->GetToolbarsPage()->m_bUserDefinedToolbars = bUserToolbars;
        if (!m_pSheet->Create()) {
            delete m_pSheet;
            return nullptr;
        }
        m_pSheet->SetActivePage(1);
        return m_pSheet->GetToolbarsPage();
    }
    int IndexOf(CZUDPToolbarsPage* pPage, const char* name)
    {
        return pPage->GetToolbarList().FindStringExact(-1, name);
    }
    // Checks or unchecks an item as a click on its box does.
    void SetCheck(CZUDPToolbarsPage* pPage, int iItem, int nCheck)
    {
        CZUDPExCheckList& list = pPage->GetToolbarList();
        list.SetCurSel(iItem);
        list.SetCheck(iItem, nCheck);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_TOOLBARS_LIST, CLBN_CHKCHANGE), LPARAM(list.m_hWnd));
    }
    void Select(CZUDPToolbarsPage* pPage, int iItem)
    {
        CZUDPExCheckList& list = pPage->GetToolbarList();
        list.SetCurSel(iItem);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_TOOLBARS_LIST, LBN_SELCHANGE), LPARAM(list.m_hWnd));
    }
    void Click(CZUDPToolbarsPage* pPage, UINT id)
    {
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(pPage->GetDlgItem(id)->m_hWnd));
    }
    static bool Visible(CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }

    CZUDPToolBar m_standard, m_untitled, m_elsewhere;
    CFixedBar m_fixed;
    CHostWnd m_elsewhereHost;
    CTestSheet* m_pSheet = nullptr;
};

// The frame's toolbars, sorted, "<Untitled>" for one without a name, none
// of another frame's; each checked when visible.
TEST_F(ToolbarsPageTest, ListsTheFramesToolbars)
{
    m_untitled.ShowWindow(SW_HIDE);
    CZUDPToolbarsPage* pPage = OpenPage();
    ASSERT_NE(nullptr, pPage);
    CZUDPExCheckList& list = pPage->GetToolbarList();
    EXPECT_EQ((std::vector<std::string>{"<Untitled>", "Always", "Standard"}), ListTexts(list));
    EXPECT_EQ(BST_UNCHECKED, list.GetCheck(0));
    EXPECT_EQ(BST_CHECKED, list.GetCheck(1));
    EXPECT_FALSE(list.IsCheckEnabled(1)) << "a bar that cannot close";
    EXPECT_TRUE(list.IsCheckEnabled(2));
    EXPECT_EQ(&m_untitled, pPage->GetSelectedToolbar()) << "the first item is selected";
    EXPECT_FALSE(Visible(*pPage->GetDlgItem(IDC_ZUDP_TOOLBARS_NEW))) << "no user toolbars";
    EXPECT_FALSE(Visible(*pPage->GetDlgItem(IDC_ZUDP_TOOLBARS_RENAME)));
    EXPECT_FALSE(Visible(*pPage->GetDlgItem(IDC_ZUDP_TOOLBARS_DELETE)));
    Select(pPage, IndexOf(pPage, "Standard"));
    EXPECT_TRUE(pPage->GetDlgItem(IDC_ZUDP_TOOLBARS_RESET)->IsWindowEnabled()) << "it has a resource";
    Select(pPage, IndexOf(pPage, "Always"));
    EXPECT_FALSE(pPage->GetDlgItem(IDC_ZUDP_TOOLBARS_RESET)->IsWindowEnabled());
}

// Unchecking hides a bar and checking shows it; a bar that cannot close
// keeps its check, with a beep; the sheet's ShowToolBar sets the check.
TEST_F(ToolbarsPageTest, ChecksShowAndHideToolbars)
{
    CZUDPToolbarsPage* pPage = OpenPage();
    ASSERT_NE(nullptr, pPage);
    const int iStandard = IndexOf(pPage, "Standard");
    SetCheck(pPage, iStandard, BST_UNCHECKED);
    EXPECT_FALSE(Visible(m_standard));
    SetCheck(pPage, iStandard, BST_CHECKED);
    EXPECT_TRUE(Visible(m_standard));
    EXPECT_TRUE(beeps.empty());

    const int iFixed = IndexOf(pPage, "Always");
    SetCheck(pPage, iFixed, BST_UNCHECKED);
    EXPECT_TRUE(Visible(m_fixed));
    EXPECT_EQ(BST_CHECKED, pPage->GetToolbarList().GetCheck(iFixed));
    EXPECT_EQ(std::vector<UINT>{UINT(-1)}, beeps);

    // A click on the box of a bar that cannot close beeps and changes
    // nothing.
    beeps.clear();
    CRect rect;
    pPage->GetToolbarList().GetItemRect(iFixed, rect);
    pPage->GetToolbarList().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(CPoint(rect.left + 4, rect.CenterPoint().y)));
    EXPECT_EQ(std::vector<UINT>{UINT(-1)}, beeps);
    EXPECT_EQ(BST_CHECKED, pPage->GetToolbarList().GetCheck(iFixed));

    g_customizeSheet->ShowToolBar(&m_standard, FALSE);
    EXPECT_EQ(BST_UNCHECKED, pPage->GetToolbarList().GetCheck(iStandard));
}

// Reset asks first: Yes reloads the bar's resource, No leaves it; Reset
// All asks once and reloads every bar with a resource.
TEST_F(ToolbarsPageTest, ResetAsksBeforeReloading)
{
    CZUDPToolbarsPage* pPage = OpenPage();
    ASSERT_NE(nullptr, pPage);
    const int nButtons = m_standard.GetCount();
    m_standard.RemoveButton(0);
    Select(pPage, IndexOf(pPage, "Standard"));

    answer = IDNO;
    Click(pPage, IDC_ZUDP_TOOLBARS_RESET);
    ASSERT_EQ(1u, prompts.size());
    EXPECT_EQ("All your changes will be lost! Do you really want to reset the toolbar 'Standard'?", prompts[0]);
    EXPECT_EQ(nButtons - 1, m_standard.GetCount());
    answer = IDYES;
    Click(pPage, IDC_ZUDP_TOOLBARS_RESET);
    EXPECT_EQ(nButtons, m_standard.GetCount());

    m_standard.RemoveButton(0);
    GetCommandManager()->AssignCommandImage(ID_TEST_PASTE, 7, FALSE);
    prompts.clear();
    Click(pPage, IDC_ZUDP_TOOLBARS_RESET_ALL);
    ASSERT_EQ(1u, prompts.size());
    EXPECT_EQ("All your changes will be lost! Do you really want to reset all toolbars and menus?", prompts[0]);
    EXPECT_EQ(nButtons, m_standard.GetCount());
    int iImage = -1;
    if (g_defaultCommandImages.Lookup(ID_TEST_PASTE, iImage))
        EXPECT_EQ(iImage, GetCommandManager()->LookupCommandImage(ID_TEST_PASTE));
    else
        EXPECT_EQ(-1, GetCommandManager()->LookupCommandImage(ID_TEST_PASTE));
}

// New asks the frame for a toolbar with the typed name; Rename renames
// and re-sorts; Delete asks, and the frame decides.
TEST_F(ToolbarsPageTest, UserToolbarsAreMadeRenamedAndDeletedByTheFrame)
{
    CZUDPToolbarsPage* pPage = OpenPage(TRUE);
    ASSERT_NE(nullptr, pPage);
    EXPECT_TRUE(Visible(*pPage->GetDlgItem(IDC_ZUDP_TOOLBARS_NEW)));
    CString typed = "Mine";
    INT_PTR dialogResult = IDOK;
    ScopedSeam nameDialog(g_customizeSeams.toolbarNameDialog, [&](CWnd*, CString& name) {
        name = typed;
        return dialogResult;
    });

    dialogResult = IDCANCEL;
    Click(pPage, IDC_ZUDP_TOOLBARS_NEW);
    EXPECT_TRUE(m_frame.Of(ZUDTOOLBAR_CREATE).empty()) << "cancelled";
    dialogResult = IDOK;
    Click(pPage, IDC_ZUDP_TOOLBARS_NEW);
    ASSERT_EQ(1u, m_frame.created.size());
    CZUDPToolBar* pMine = m_frame.created[0].get();
    CZUDPExCheckList& list = pPage->GetToolbarList();
    const int iMine = IndexOf(pPage, "Mine");
    ASSERT_GE(iMine, 0);
    EXPECT_EQ(iMine, list.GetCurSel());
    EXPECT_EQ(BST_CHECKED, list.GetCheck(iMine));
    EXPECT_EQ(pMine, pPage->GetSelectedToolbar());

    typed = "Zeta";
    Click(pPage, IDC_ZUDP_TOOLBARS_RENAME);
    CString name;
    pMine->GetWindowText(name);
    EXPECT_STREQ("Zeta", name);
    EXPECT_EQ((std::vector<std::string>{"<Untitled>", "Always", "Standard", "Zeta"}), ListTexts(list));
    EXPECT_EQ(3, list.GetCurSel());

    answer = IDNO;
    Click(pPage, IDC_ZUDP_TOOLBARS_DELETE);
    EXPECT_EQ("Do you really want to delete the toolbar 'Zeta'?", prompts.back());
    EXPECT_TRUE(m_frame.Of(ZUDTOOLBAR_DELETE).empty());
    EXPECT_TRUE(beeps.empty()) << "No changes nothing and does not beep";

    answer = IDYES;
    m_frame.allowDelete = FALSE;
    Click(pPage, IDC_ZUDP_TOOLBARS_DELETE);
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ(std::vector<UINT>{UINT(MB_ICONASTERISK)}, beeps);

    m_frame.allowDelete = TRUE;
    Click(pPage, IDC_ZUDP_TOOLBARS_DELETE);
    EXPECT_EQ((std::vector<std::string>{"<Untitled>", "Always", "Standard"}), ListTexts(list));
    EXPECT_EQ(0, list.GetCurSel());
    EXPECT_EQ(&m_untitled, pPage->GetSelectedToolbar());
}

// The name dialog's OK is disabled while the name is empty.
TEST_F(ToolbarsPageTest, NameDialogOkNeedsAName)
{
    CToolbarNameDlg dialog(&m_frame);
    ASSERT_TRUE(dialog.Create(IDD_ZUDP_TOOLBAR_NAME, &m_frame));
    CWnd* pOk = dialog.GetDlgItem(IDOK);
    EXPECT_FALSE(pOk->IsWindowEnabled());
    dialog.SetDlgItemText(IDC_ZUDP_TOOLBAR_NAME, "Bar");
    EXPECT_TRUE(pOk->IsWindowEnabled());
    dialog.SetDlgItemText(IDC_ZUDP_TOOLBAR_NAME, "");
    EXPECT_FALSE(pOk->IsWindowEnabled());
    dialog.DestroyWindow();
}

// The check list keeps one enable flag per item through adds, inserts,
// deletes and resets; an index outside the items is an error.
TEST(ExCheckListTest, EnableFlagsFollowTheItems)
{
    CHostWnd host;
    ASSERT_TRUE(host.Make());
    CZUDPExCheckList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 100, 100), &host, 5));
    list.AddString("a");
    list.AddString("b");
    list.EnableCheck(1, FALSE);
    list.InsertString(0, "first");
    EXPECT_TRUE(list.IsCheckEnabled(0));
    EXPECT_FALSE(list.IsCheckEnabled(2));
    list.DeleteString(0);
    EXPECT_FALSE(list.IsCheckEnabled(1));
    EXPECT_THROW(list.IsCheckEnabled(2), CInvalidArgException*);
    EXPECT_THROW(list.EnableCheck(-1, TRUE), CInvalidArgException*);
    list.ResetContent();
    EXPECT_THROW(list.IsCheckEnabled(0), CInvalidArgException*);
    list.DestroyWindow();
    host.DestroyWindow();
}

// ---------------------------------------------------------------------------
// The Options page

class OptionsPageTest : public CustomizeSheetTest {
protected:
    void SetUp() override
    {
        CustomizeSheetTest::SetUp();
        m_personalized = g_personalizedMenus;
        m_allMenus = g_showAllMenusAfterDelay;
        m_look2000 = CZUDPVisualManager::IsLook2000();
    }
    void TearDown() override
    {
        CustomizeSheetTest::TearDown();
        g_personalizedMenus = m_personalized;
        g_showAllMenusAfterDelay = m_allMenus;
        CZUDPVisualManager::SetLook2000Style(m_look2000);
        CZUDPToolBar::SetLargeIcons(FALSE);
    }
    CZUDPOptionsPage* OpenPage(UINT uiFlags)
    {
        CTestSheet* pSheet = OpenSheet(uiFlags);
        if (pSheet == nullptr)
            return nullptr;
        pSheet->SetActivePage(pSheet->GetOptionsPage());
        return pSheet->GetOptionsPage();
    }
    static void Toggle(CZUDPOptionsPage* pPage, UINT id)
    {
        CButton* pBox = static_cast<CButton*>(pPage->GetDlgItem(id));
        pBox->SetCheck(pBox->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(pBox->m_hWnd));
    }
    static bool Shown(CZUDPOptionsPage* pPage, UINT id) { return (pPage->GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }

    BOOL m_personalized = FALSE, m_allMenus = FALSE, m_look2000 = FALSE;
};

// Bits 0x004 and 0x200 decide whether Look 2000 and Large Icons are
// offered; a frame without a menu bar gets no personalized-menu section.
TEST_F(OptionsPageTest, FlagsChooseTheOfferedOptions)
{
    struct Row {
        UINT flags;
        bool look2000, largeIcons;
    } rows[] = {{0, false, true}, {ZUDP_CUSTOMIZE_LOOK2000, true, true}, {ZUDP_CUSTOMIZE_NO_LARGE_ICONS, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.flags);
        CZUDPOptionsPage* pPage = OpenPage(row.flags);
        ASSERT_NE(nullptr, pPage);
        EXPECT_EQ(row.look2000, Shown(pPage, IDC_ZUDP_OPTIONS_LOOK2000));
        EXPECT_EQ(row.largeIcons, Shown(pPage, IDC_ZUDP_OPTIONS_LARGE_ICONS));
        EXPECT_FALSE(Shown(pPage, IDC_ZUDP_OPTIONS_VISUALIZATIONS));
        for (UINT id : {IDC_ZUDP_OPTIONS_RECENT_FIRST, IDC_ZUDP_OPTIONS_FULL_MENUS, IDC_ZUDP_OPTIONS_RESET_USAGE,
                        IDC_ZUDP_OPTIONS_MENUS_LABEL, IDC_ZUDP_OPTIONS_MENUS_LINE})
            EXPECT_FALSE(Shown(pPage, id)) << id;
        Close(g_customizeSheet);
    }
}

// Every check applies at once; with tooltips off the shortcut-keys box is
// disabled but keeps its value.
TEST_F(OptionsPageTest, ChecksApplyAtOnce)
{
    g_showTooltips = TRUE;
    g_showShortcutKeys = TRUE;
    CZUDPOptionsPage* pPage = OpenPage(ZUDP_CUSTOMIZE_LOOK2000);
    ASSERT_NE(nullptr, pPage);
    CButton* pShortcuts = static_cast<CButton*>(pPage->GetDlgItem(IDC_ZUDP_OPTIONS_SHORTCUTS));
    EXPECT_TRUE(pShortcuts->IsWindowEnabled());
    Toggle(pPage, IDC_ZUDP_OPTIONS_TOOLTIPS);
    EXPECT_FALSE(g_showTooltips);
    EXPECT_FALSE(pShortcuts->IsWindowEnabled());
    EXPECT_EQ(BST_CHECKED, pShortcuts->GetCheck());
    EXPECT_TRUE(g_showShortcutKeys);
    Toggle(pPage, IDC_ZUDP_OPTIONS_TOOLTIPS);
    Toggle(pPage, IDC_ZUDP_OPTIONS_SHORTCUTS);
    EXPECT_FALSE(g_showShortcutKeys);

    Toggle(pPage, IDC_ZUDP_OPTIONS_LARGE_ICONS);
    EXPECT_TRUE(g_largeIcons);
    const BOOL bLook = CZUDPVisualManager::IsLook2000();
    Toggle(pPage, IDC_ZUDP_OPTIONS_LOOK2000);
    EXPECT_NE(bLook, CZUDPVisualManager::IsLook2000());
}

// With a library that has core commands and a frame with a menu bar the
// usage data can be reset, after a question: No keeps the counts.
TEST_F(OptionsPageTest, UsageResetAsksFirst)
{
    CZUDPOptionsPage page(TRUE);
    g_coreCommands.AddTail(ID_TEST_OPEN);
    CPropertySheet sheet("Options", &m_frame);
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(&m_frame));
    EXPECT_TRUE((page.GetDlgItem(IDC_ZUDP_OPTIONS_RESET_USAGE)->GetStyle() & WS_VISIBLE) != 0);
    g_commandUsage.ClearCounts();
    g_commandUsage.AddCommand(ID_TEST_SAVE);
    answer = IDNO;
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_OPTIONS_RESET_USAGE, BN_CLICKED), 0);
    ASSERT_EQ(1u, prompts.size());
    EXPECT_EQ(0u, prompts[0].find("This will delete the record of commands"));
    EXPECT_EQ(1u, g_commandUsage.GetCount(ID_TEST_SAVE));
    answer = IDYES;
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_OPTIONS_RESET_USAGE, BN_CLICKED), 0);
    EXPECT_EQ(0u, g_commandUsage.GetCount(ID_TEST_SAVE));
    g_coreCommands.RemoveAll();
    sheet.DestroyWindow();
}
