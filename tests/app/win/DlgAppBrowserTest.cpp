// The application browser over a folder of application files written here:
// the rows and columns it shows, sorting by each column, the OK button, the
// folder tree driving the list, the layout on resizing, and the path it
// hands back: exactly the file's own, whatever its name holds.
#include "app/win/DlgAppBrowser.h"
#include "framework/win/Dialog.h"
#include "framework/win/ListCtrl.h"
#include "framework/win/ShellTreeCtrl.h"
#include "app/win/AppSeams.h"
#include "res/resource.h"
#include "tests/app/win/DialogTestSupport.h"
#include "tests/common/AppContainerFile.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/TempDir.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace trovtest;

namespace {

const char kId[] = "3d9b2a10-5c7e-4f81-a2b3-c4d5e6f70812";

std::string Info(const char* version, const char* date, const char* tool)
{
    std::string text = "<INFO><APPVERSION>" + std::string(version) + "</APPVERSION>";
    if (date != nullptr)
        text += "<DATETIME>" + std::string(date) + "</DATETIME>";
    if (tool != nullptr)
        text += "<VLUMEX>" + std::string(tool) + "</VLUMEX>";
    return text + "</INFO>";
}

std::string Setups(const std::vector<std::string>& names)
{
    std::string text = "<SETUPS>";
    for (const std::string& name : names)
        text += "<SETUP><NAME>" + name + "</NAME><INPUTS/></SETUP>";
    return text + "</SETUPS>";
}

using Section = trovtest::AppSection;

void WriteContainer(const std::string& path, const std::vector<Section>& sections)
{
    trovtest::WriteAppContainer(path, sections, kId);
}

using trovtest::Backslashed;

using Row = std::vector<std::string>;

class DlgAppBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = Backslashed(m_dir.Path());
        WriteContainer(File("Plant.rev.B.lmx"), {{"id", kId},
                                                 {"info", Info("1.2", "2024/03/05 10:11:12", "4v3"), true},
                                                 {"setup", Setups({"Base", "Line2"})},
                                                 {"app", "<DRBv1/>", true}});
        WriteContainer(File("A&B.lmx"), {{"id", kId},
                                         {"info", Info("2&amp;3", "2023/07/01 08:00:00", "4v1")},
                                         {"setup", Setups({"R&amp;D"})}});
        WriteContainer(File("old.lmx"), {{"id", kId}, {"info", Info("0.9", "2019/01/01 00:00:00", nullptr)}});
        WriteContainer(File("Upper.LMX"), {{"id", kId},
                                           {"info", Info("10.0", "2025/01/01 00:00:00", nullptr)},
                                           {"setup", Setups({})},
                                           {"padding", std::string(300000, 'p')}});
        m_dir.Write("Broken.lmx", std::string("<ablmx>\0\0\0\x05setu", 15));
        m_dir.Write("notes.txt", "not an application");
        m_dir.Write("Decoy.lmxold", "not an application either");
        ASSERT_TRUE(::CreateDirectoryA(File("folder.lmx").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(File("Other").c_str(), nullptr));
        WriteContainer(File("Other\\Second.lmx"), {{"id", kId}, {"setup", Setups({"One"})}});
        ASSERT_TRUE(::CreateDirectoryA(File("Empty").c_str(), nullptr));
    }

    std::string File(const std::string& name) const { return m_folder + "\\" + name; }

    static std::vector<Row> Rows(CDialog& dialog)
    {
        CListCtrl* list = static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_BROWSER_FILES));
        std::vector<Row> rows;
        for (int r = 0; r < list->GetItemCount(); ++r) {
            Row row;
            for (int c = 0; c < kAppFileColumnCount; ++c)
                row.push_back((const char*)list->GetItemText(r, c));
            rows.push_back(row);
        }
        return rows;
    }
    static std::vector<std::string> Names(CDialog& dialog)
    {
        std::vector<std::string> names;
        for (const Row& row : Rows(dialog))
            names.push_back(row[0]);
        return names;
    }
    // What the list sends its parent when a column header is clicked.
    static void ClickColumn(CDialog& dialog, int column)
    {
        NMLISTVIEW nm = {};
        nm.hdr.hwndFrom = ::GetDlgItem(dialog, IDC_BROWSER_FILES);
        nm.hdr.idFrom = IDC_BROWSER_FILES;
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iItem = -1;
        nm.iSubItem = column;
        dialog.SendMessage(WM_NOTIFY, IDC_BROWSER_FILES, (LPARAM)&nm);
    }
    // Selects the row whose name cell is the text ("&" doubled as stored).
    static void SelectRow(CDialog& dialog, const std::string& name)
    {
        CListCtrl* list = static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_BROWSER_FILES));
        for (int r = 0; r < list->GetItemCount(); ++r) {
            if (name == (const char*)list->GetItemText(r, 0)) {
                list->SetItemState(r, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                return;
            }
        }
        ADD_FAILURE() << "no row " << name;
    }

    TempDir m_dir;
    std::string m_folder;
};

TEST_F(DlgAppBrowserTest, ListsTheApplicationFilesOfTheFolderWithTheirFacts)
{
    CDlgAppBrowser dialog(m_folder.c_str());
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_STREQ("Application Browser", title);
        EXPECT_EQ(m_folder, ItemText(d, IDC_BROWSER_PATH));
        EXPECT_FALSE(IsEnabled(d, IDC_BROWSER_OK));
        CListCtrl* list = static_cast<CListCtrl*>(d.GetDlgItem(IDC_BROWSER_FILES));
        const char* titles[] = {"Application", "Version", "Date", "Size", "VLumex", "Datasets"};
        const int widths[] = {200, 60, 120, 60, 100, 250};
        for (int c = 0; c < kAppFileColumnCount; ++c) {
            char text[64] = {};
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT;
            column.pszText = text;
            column.cchTextMax = sizeof text;
            ASSERT_TRUE(list->GetColumn(c, &column));
            EXPECT_STREQ(titles[c], text);
            EXPECT_EQ(widths[c], list->GetColumnWidth(c));
        }
        EXPECT_TRUE((list->GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0);

        std::vector<Row> rows = Rows(d);
        ASSERT_EQ(5u, rows.size());
        // Sorted by name, ascending, without regard to case; every "&" doubled.
        EXPECT_EQ((Row{"A&&B", "2&&3", "2023/07/01 08:00:00", rows[0][3], "4v1", "R&&D"}), rows[0]);
        EXPECT_EQ((Row{"Broken", "<corrupt>", "", "", "", ""}), rows[1]);
        EXPECT_EQ((Row{"old", "0.9", "2019/01/01 00:00:00", rows[2][3], "3v6 or earlier", ""}), rows[2]);
        EXPECT_EQ((Row{"Plant.rev.B", "1.2", "2024/03/05 10:11:12", rows[3][3], "4v3", "Base,Line2"}), rows[3]);
        EXPECT_EQ((Row{"Upper", "10.0", "2025/01/01 00:00:00", rows[4][3], "4v0beta", ""}), rows[4]);
        // Sizes as the file system has them.
        const char* files[] = {"A&B.lmx", nullptr, "old.lmx", "Plant.rev.B.lmx", "Upper.LMX"};
        for (size_t r = 0; r < 5; ++r) {
            if (files[r] == nullptr)
                continue;
            WIN32_FILE_ATTRIBUTE_DATA data;
            ASSERT_TRUE(::GetFileAttributesExA(File(files[r]).c_str(), GetFileExInfoStandard, &data));
            EXPECT_STREQ(CGAppFile::FormatFileSize(data.nFileSizeLow), rows[r][3].c_str()) << files[r];
        }
        EXPECT_EQ("293.", rows[4][3].substr(0, 4));
        // The header shows the sort.
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        ASSERT_TRUE(list->GetHeaderCtrl()->GetItem(0, &item));
        EXPECT_TRUE((item.fmt & HDF_SORTUP) != 0);
        Click(d, IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(dialog.GetPath().m_isFolder);
    EXPECT_STREQ(m_folder.c_str(), dialog.GetPath().m_path);
}

TEST_F(DlgAppBrowserTest, SortsByEachColumnBothWays)
{
    CDlgAppBrowser dialog(m_folder.c_str());
    using Names_ = std::vector<std::string>;
    RunDialog(dialog, {[&](CDialog& d) {
        // The texts without regard to case ("10.0" before "2&3"); an
        // unreadable file has empty texts and no size.
        ClickColumn(d, kAppFileColumnVersion);
        EXPECT_EQ((Names_{"Broken", "old", "Plant.rev.B", "Upper", "A&&B"}), Names(d));
        ClickColumn(d, kAppFileColumnVersion);
        EXPECT_EQ((Names_{"A&&B", "Upper", "Plant.rev.B", "old", "Broken"}), Names(d));
        ClickColumn(d, kAppFileColumnDate);
        EXPECT_EQ((Names_{"Broken", "old", "A&&B", "Plant.rev.B", "Upper"}), Names(d));
        ClickColumn(d, kAppFileColumnSize);
        Names_ bySize = Names(d);
        EXPECT_EQ("Broken", bySize.front());
        EXPECT_EQ("Upper", bySize.back());
        ClickColumn(d, kAppFileColumnTool);
        EXPECT_EQ((Names_{"Broken", "old", "Upper", "A&&B", "Plant.rev.B"}), Names(d));
        ClickColumn(d, kAppFileColumnDataSets);
        Names_ bySets = Names(d);
        EXPECT_EQ((Names_{"Plant.rev.B", "A&&B"}), Names_(bySets.end() - 2, bySets.end()));
        ClickColumn(d, kAppFileColumnName);
        EXPECT_EQ((Names_{"A&&B", "Broken", "old", "Plant.rev.B", "Upper"}), Names(d));
        // The sort survives a refill: the folder shown again keeps it.
        ClickColumn(d, kAppFileColumnName);
        static_cast<CDlgAppBrowser&>(d).GetTree().SelectPath((m_folder + "\\Other").c_str());
        static_cast<CDlgAppBrowser&>(d).GetTree().SelectPath(m_folder.c_str());
        EXPECT_EQ((Names_{"Upper", "Plant.rev.B", "old", "Broken", "A&&B"}), Names(d));
        Click(d, IDCANCEL);
    }});
}

TEST_F(DlgAppBrowserTest, ChoosingAFileReturnsItsOwnPathExactly)
{
    enum How { kOkButton, kDoubleClick, kEnter };
    const struct {
        std::string row;      // as the list stores it
        std::string fileName; // as the folder holds it
        How how;
    } cases[] = {
        {"A&&B", "A&B.lmx", kOkButton},
        {"Plant.rev.B", "Plant.rev.B.lmx", kDoubleClick},
        {"Upper", "Upper.LMX", kEnter},
        {"Broken", "Broken.lmx", kOkButton},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        CDlgAppBrowser dialog(m_folder.c_str());
        INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
            SelectRow(d, c.row);
            EXPECT_TRUE(IsEnabled(d, IDC_BROWSER_OK));
            if (c.how == kOkButton) {
                Click(d, IDC_BROWSER_OK);
            } else if (c.how == kDoubleClick) {
                NMITEMACTIVATE nm = {};
                nm.hdr.hwndFrom = ::GetDlgItem(d, IDC_BROWSER_FILES);
                nm.hdr.idFrom = IDC_BROWSER_FILES;
                nm.hdr.code = NM_DBLCLK;
                d.SendMessage(WM_NOTIFY, IDC_BROWSER_FILES, (LPARAM)&nm);
            } else {
                d.SendMessage(WM_COMMAND, IDOK, 0);
            }
        }});
        EXPECT_EQ(IDOK, result);
        EXPECT_FALSE(dialog.GetPath().m_isFolder);
        EXPECT_STREQ(File(c.fileName).c_str(), dialog.GetPath().m_path);
    }
}

TEST_F(DlgAppBrowserTest, NothingIsChosenWithoutASelectedFile)
{
    CDlgAppBrowser dialog(m_folder.c_str());
    INT_PTR result = RunDialog(dialog, {
        [&](CDialog& d) {
            // Enter, a double click beside the rows and a stray OK do nothing.
            d.SendMessage(WM_COMMAND, IDOK, 0);
            NMITEMACTIVATE nm = {};
            nm.hdr.hwndFrom = ::GetDlgItem(d, IDC_BROWSER_FILES);
            nm.hdr.idFrom = IDC_BROWSER_FILES;
            nm.hdr.code = NM_DBLCLK;
            nm.iItem = -1;
            d.SendMessage(WM_NOTIFY, IDC_BROWSER_FILES, (LPARAM)&nm);
            Click(d, IDC_BROWSER_OK);
        },
        [&](CDialog& d) {
            EXPECT_TRUE(::IsWindow(d.m_hWnd));
            EXPECT_FALSE(IsEnabled(d, IDC_BROWSER_OK));
            SelectRow(d, "old");
            EXPECT_TRUE(IsEnabled(d, IDC_BROWSER_OK));
            static_cast<CListCtrl*>(d.GetDlgItem(IDC_BROWSER_FILES))->SetItemState(-1, 0, LVIS_SELECTED);
            EXPECT_FALSE(IsEnabled(d, IDC_BROWSER_OK));
            Click(d, IDCANCEL);
        },
    });
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(DlgAppBrowserTest, TheOkButtonIsDrawnGreyWhileItIsDisabled)
{
    CDlgAppBrowser dialog(m_folder.c_str());
    INT_PTR result = RunDialog(dialog, {
        [&](CDialog& d) {
            HWND ok = ::GetDlgItem(d, IDC_BROWSER_OK);
            ASSERT_NE(nullptr, dynamic_cast<CZUDPButton*>(CWnd::FromHandlePermanent(ok)));
            CRect client;
            ::GetClientRect(ok, &client);
            DibCanvas canvas(client.Width(), client.Height());
            auto textPixels = [&](COLORREF colour) {
                canvas.Fill(RGB(1, 2, 3));
                ::SendMessageA(ok, WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
                return canvas.CountColor(CRect(4, 4, client.right - 4, client.bottom - 4), colour, 24);
            };
            ASSERT_FALSE(IsEnabled(d, IDC_BROWSER_OK));
            EXPECT_GT(textPixels(g_uiEnvironment.m_colorGrayText), 0);
            EXPECT_EQ(0, textPixels(g_uiEnvironment.m_colorButtonText));
            SelectRow(d, "old");
            ASSERT_TRUE(IsEnabled(d, IDC_BROWSER_OK));
            EXPECT_GT(textPixels(g_uiEnvironment.m_colorButtonText), 0);
            // The library's raised frame round the button face.
            EXPECT_EQ(g_uiEnvironment.m_colorButtonHighlight, canvas.Pixel(0, 0));
            EXPECT_EQ(g_uiEnvironment.m_colorDarkShadow, canvas.Pixel(client.right - 1, client.bottom - 1));
            EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, canvas.Pixel(3, 3));
            Click(d, IDCANCEL);
        },
    });
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(DlgAppBrowserTest, TheFolderTreeChoosesTheFolderShown)
{
    CDlgAppBrowser dialog(m_folder.c_str());
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        CDlgAppBrowser& browser = static_cast<CDlgAppBrowser&>(d);
        CShellTreeCtrl& tree = browser.GetTree();
        HTREEITEM first = tree.GetSelectedItem();
        EXPECT_TRUE((tree.GetItemState(first, TVIS_DROPHILITED) & TVIS_DROPHILITED) != 0);

        SelectRow(d, "old");
        ASSERT_TRUE(tree.SelectPath((m_folder + "\\Other").c_str()));
        EXPECT_EQ(m_folder + "\\Other", ItemText(d, IDC_BROWSER_PATH));
        EXPECT_STREQ((m_folder + "\\Other").c_str(), browser.GetPath().m_path);
        EXPECT_EQ((std::vector<std::string>{"Second"}), Names(d));
        EXPECT_EQ("One", Rows(d)[0][kAppFileColumnDataSets]);
        EXPECT_FALSE(IsEnabled(d, IDC_BROWSER_OK));   // the selection went with the rows
        // The mark moved with the selection.
        EXPECT_EQ(0u, tree.GetItemState(first, TVIS_DROPHILITED) & TVIS_DROPHILITED);
        EXPECT_TRUE((tree.GetItemState(tree.GetSelectedItem(), TVIS_DROPHILITED) & TVIS_DROPHILITED) != 0);

        ASSERT_TRUE(tree.SelectPath((m_folder + "\\Empty").c_str()));
        EXPECT_TRUE(Names(d).empty());
        // The computer itself is no folder: nothing is listed.
        tree.SelectItem(tree.GetRootFolder());
        EXPECT_EQ("", ItemText(d, IDC_BROWSER_PATH));
        EXPECT_TRUE(Names(d).empty());

        ASSERT_TRUE(tree.SelectPath((m_folder + "\\Other").c_str()));
        SelectRow(d, "Second");
        Click(d, IDC_BROWSER_OK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ(File("Other\\Second.lmx").c_str(), dialog.GetPath().m_path);
}

TEST_F(DlgAppBrowserTest, ResizingGrowsTheListsAndMovesTheButtons)
{
    CDlgAppBrowser dialog(m_folder.c_str());
    RunDialog(dialog, {[&](CDialog& d) {
        auto rectOf = [&](int id) {
            CRect r;
            ::GetWindowRect(::GetDlgItem(d, id), &r);
            d.ScreenToClient(&r);
            return r;
        };
        CRect path = rectOf(IDC_BROWSER_PATH), tree = rectOf(IDC_BROWSER_TREE), list = rectOf(IDC_BROWSER_FILES),
              ok = rectOf(IDC_BROWSER_OK), cancel = rectOf(IDCANCEL);
        CRect window;
        d.GetWindowRect(&window);
        d.SetWindowPos(nullptr, 0, 0, window.Width() + 120, window.Height() + 80, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(CRect(path.left, path.top, path.right + 120, path.bottom), rectOf(IDC_BROWSER_PATH));
        EXPECT_EQ(CRect(tree.left, tree.top, tree.right, tree.bottom + 80), rectOf(IDC_BROWSER_TREE));
        EXPECT_EQ(CRect(list.left, list.top, list.right + 120, list.bottom + 80), rectOf(IDC_BROWSER_FILES));
        EXPECT_EQ(CRect(ok.left + 120, ok.top + 80, ok.right + 120, ok.bottom + 80), rectOf(IDC_BROWSER_OK));
        EXPECT_EQ(CRect(cancel.left + 120, cancel.top + 80, cancel.right + 120, cancel.bottom + 80),
                  rectOf(IDCANCEL));
        Click(d, IDCANCEL);
    }});
}

TEST_F(DlgAppBrowserTest, AMissingFolderShowsTheNearestFolderAbove)
{
    CDlgAppBrowser dialog((m_folder + "\\gone\\deeper").c_str());
    RunDialog(dialog, {[&](CDialog& d) {
        EXPECT_EQ(m_folder, ItemText(d, IDC_BROWSER_PATH));
        EXPECT_EQ(5u, Names(d).size());
        Click(d, IDCANCEL);
    }});
}

} // namespace

namespace {

// The install command's file choice runs the browser (through the program's
// dialog runner, which the test answers with a script).
std::vector<DialogStep> g_browserScript;

INT_PTR ScriptedRunner(CDialog& dialog)
{
    EXPECT_NE(nullptr, dynamic_cast<CDlgAppBrowser*>(&dialog));
    return RunDialog(dialog, g_browserScript);
}

TEST_F(DlgAppBrowserTest, TheInstallCommandChoosesItsFileInTheBrowser)
{
    ScopedSeam runner(g_appSeams.runDialog, &ScriptedRunner);
    g_browserScript = {[](CDialog& d) {
        SelectRow(d, "Plant.rev.B");
        Click(d, IDC_BROWSER_OK);
    }};
    CString path;
    EXPECT_TRUE(ChooseApplicationFile(nullptr, m_folder.c_str(), &path));
    EXPECT_STREQ(File("Plant.rev.B.lmx").c_str(), path);

    g_browserScript = {[](CDialog& d) { Click(d, IDCANCEL); }};
    path = "kept";
    EXPECT_FALSE(ChooseApplicationFile(nullptr, m_folder.c_str(), &path));
    EXPECT_STREQ("kept", path);
}

} // namespace

namespace {

// A name outside ASCII: the list shows it as UTF-8, the path handed back is
// the system's own spelling of the file.
TEST_F(DlgAppBrowserTest, ANonAsciiNameIsShownAsUtf8AndReturnedAsFound)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the test's name is spelt in code page 1252";
    const std::string name = "Pump\xE9";   // e with acute accent
    WriteContainer(File(name + ".lmx"), {{"id", kId}, {"setup", Setups({"Base"})}});
    CDlgAppBrowser dialog(m_folder.c_str());
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        SelectRow(d, "Pump\xC3\xA9");
        Click(d, IDC_BROWSER_OK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ(File(name + ".lmx").c_str(), dialog.GetPath().m_path);
}

} // namespace
