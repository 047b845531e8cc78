// The main window's machine commands under Wine (headless): the context
// menu's enable rules, the commands the window handles itself, and every
// operation end to end against simulated controllers on loopback.  File
// and folder choosers, the shell and the modal dialogs are answered by the
// test's own hooks.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppInstall.h"
#include "framework/win/WinApp.h"
#include "framework/win/Dialog.h"
#include "framework/win/ListCtrl.h"
#include "framework/win/Menu.h"
#include "app/FirmwareImage.h"
#include "support/AppContainer.h"
#include "support/GDataSet.h"
#include "support/GXml.h"
#include "tests/app/DrbText.h"
#include "app/MachineCommands.h"
#include "app/MachineColumns.h"
#include "app/MachineListFile.h"
#include "app/SettingsPaths.h"
#include "framework/win/FrameworkSeams.h"
#include "app/win/DlgAddMachines.h"
#include "app/win/DlgSocketTrov.h"
#include "app/win/AppSeams.h"
#include "app/win/trovconfDlg.h"
#include "res/resource.h"
#include "support/DRBSocket.h"
#include "tests/app/win/DialogTestSupport.h"
#include "tests/app/win/MainWindowFixture.h"
#include "tests/app/win/QuietSeams.h"
#include "tests/common/AppContainerFile.h"
#include "tests/common/Loopback.h"
#include "tests/common/SimTcpController.h"
#include "tests/common/SimTcpFixture.h"
#include "tests/common/TempDir.h"
#include "tests/common/TestBytes.h"

namespace {

using trovtest::Backslashed;
using trovtest::Click;
using trovtest::DialogStep;
using trovtest::HexRecord;
using trovtest::SimTcpBehaviour;
using trovtest::SimTcpController;

std::vector<std::string> g_commandBoxes, g_broadcasts, g_opened;
std::vector<CFileChoice> g_fileChoices;
std::deque<std::string> g_fileAnswers;   // "" = Cancel
std::string g_folderAnswer;              // "" = Cancel
int g_folderAsked = 0;
using DialogAnswer = std::function<INT_PTR(CDialog&)>;
std::deque<DialogAnswer> g_dialogAnswers;
int g_unexpectedDialogs = 0;

struct RecordedRun {
    int operation;
    std::vector<uint32_t> addresses;
    std::string password, xml;
};
std::vector<RecordedRun> g_runs;

int RecordCommandBox(HWND, const char* text, const char*, UINT)
{
    g_commandBoxes.push_back(text ? text : "");
    return IDOK;
}
void RecordBroadcast(const char* text, bool, CDiscoveryLog*)
{
    g_broadcasts.push_back(text);
}
void RecordOpen(const char* address)
{
    g_opened.push_back(address);
}
bool AnswerFile(CWnd*, const CFileChoice& choice, CString* path)
{
    g_fileChoices.push_back(choice);
    if (g_fileAnswers.empty())
        return false;
    std::string answer = g_fileAnswers.front();
    g_fileAnswers.pop_front();
    *path = answer.c_str();
    return !answer.empty();
}
std::string g_applicationAnswer; // "" = Cancel
std::string g_applicationFolder;
bool AnswerApplication(CWnd*, const char* folder, CString* path)
{
    g_applicationFolder = folder ? folder : "";
    *path = g_applicationAnswer.c_str();
    return !g_applicationAnswer.empty();
}
bool AnswerFolder(CWnd*, CString* folder)
{
    ++g_folderAsked;
    *folder = g_folderAnswer.c_str();
    return !g_folderAnswer.empty();
}
// The progress window: left alone until its run is over, then its rows
// are kept and its button pressed.
CDlgSocketTrov* g_progress = nullptr;
std::vector<std::vector<std::string>> g_progressRows; // per window: "address status"
DWORD g_progressStart = 0;

VOID CALLBACK WatchProgress(HWND, UINT, UINT_PTR, DWORD)
{
    CDlgSocketTrov* dialog = g_progress;
    if (!dialog || !dialog->GetSafeHwnd())
        return;
    bool over = dialog->GetSocket().IsRunOver();
    if (!over && ::GetTickCount() - g_progressStart < 20000)
        return;
    g_progress = nullptr;
    CListCtrl& list = dialog->GetStatusList();
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.push_back(std::string((const char*)list.GetItemText(row, 0)) + " " +
                       (const char*)list.GetItemText(row, 1));
    g_progressRows.push_back(rows);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

INT_PTR RunProgress(CDlgSocketTrov& dialog)
{
    g_progress = &dialog;
    g_progressStart = ::GetTickCount();
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &WatchProgress);
    INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    g_progress = nullptr;
    return result;
}

INT_PTR AnswerDialog(CDialog& dialog)
{
    if (CDlgSocketTrov* progress = dynamic_cast<CDlgSocketTrov*>(&dialog))
        return RunProgress(*progress);
    if (g_dialogAnswers.empty()) {
        ++g_unexpectedDialogs;
        return IDCANCEL;
    }
    DialogAnswer answer = g_dialogAnswers.front();
    g_dialogAnswers.pop_front();
    return answer(dialog);
}
void RecordRun(CWnd*, CMachineList& machines, const COperationRequest& request)
{
    RecordedRun run{request.operation, {}, (const char*)request.password, ""};
    for (POSITION p = machines.GetHeadPosition(); p;)
        run.addresses.push_back(machines.GetNext(p)->m_address.GetValue());
    // The command as the run would make it for its machine.
    if (request.xmlCommand && !machines.IsEmpty())
        run.xml = request.xmlCommand(*machines.GetHead());
    g_runs.push_back(run);
}

// The next modal dialog runs for real with the script.
void Script(std::vector<DialogStep> steps)
{
    g_dialogAnswers.push_back([steps](CDialog& d) { return trovtest::RunDialog(d, steps); });
}
void Cancelled()
{
    g_dialogAnswers.push_back([](CDialog&) { return (INT_PTR)IDCANCEL; });
}
// The address dialog (or text entry) with its admin password typed.
void TypePassword(const char* password, const char* address = nullptr)
{
    std::string pass = password, typed = address ? address : "";
    bool typeAddress = address != nullptr;
    Script({[=](CDialog& d) {
        if (typeAddress)
            ::SetWindowTextA(::GetDlgItem(d, IDC_ENTRY), typed.c_str());
        d.SetDlgItemText(IDC_ADMIN_PASSWORD, pass.c_str());
        Click(d, IDOK);
    }});
}

class MachineCommandsTest : public ::testing::Test, protected trovtest::TestAppFolders {
protected:
    // The program's seams answered by the test, restored when it ends.
    ScopedSeams m_seams;

    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        StartSocketLayer();
        AfxSocketInit();
        EnterAppFolders();
        g_commandBoxes.clear();
        g_broadcasts.clear();
        g_opened.clear();
        g_fileChoices.clear();
        g_fileAnswers.clear();
        g_folderAnswer.clear();
        g_folderAsked = 0;
        g_dialogAnswers.clear();
        g_unexpectedDialogs = 0;
        g_runs.clear();
        g_progressRows.clear();
        m_seams.Replace(g_appSeams.messageBox, RecordCommandBox);
        m_seams.Replace(g_appSeams.broadcast, RecordBroadcast);
        m_seams.Replace(g_appSeams.networkAdapters, trovtest::NoNetworkAdapters);
        m_seams.Replace(g_appSeams.openWithShell, RecordOpen);
        m_seams.Replace(g_appSeams.chooseFile, AnswerFile);
        m_seams.Replace(g_appSeams.chooseFolder, AnswerFolder);
        m_seams.Replace(g_appSeams.chooseApplication, AnswerApplication);
        g_applicationAnswer.clear();
        m_seams.Replace(g_appSeams.runDialog, AnswerDialog);
        m_block = trovtest::RandomLoopbackBlock();
    }

    void TearDown() override
    {
        m_window.reset();
        m_sims.clear();
        EXPECT_EQ(0, g_unexpectedDialogs) << "a dialog opened that the test did not expect";
        EXPECT_TRUE(g_dialogAnswers.empty()) << "a dialog the test expected did not open";
        LeaveAppFolders();
    }

    uint32_t Address(int last) const { return m_block | (uint32_t)last; }
    std::string AddressText(int last) const { return trovtest::AddressText(Address(last)); }
    std::string Mac(int last) const { return "00:0A:0B:0C:0D:0" + std::to_string(last); }

    // Saved machines at .2, .3 and .4 (K420 boards), then the window.
    void Open(int savedCount = 3)
    {
        std::string xml = "<MACHINES>\n";
        for (int last = 2; last < 2 + savedCount; ++last)
            xml += "<MACHINE><HOSTNAME>Line " + std::to_string(last) + "</HOSTNAME><IF>1</IF><IF1><DHCP>Static</DHCP><IP>" +
                   AddressText(last) + "</IP><NETMASK>255.255.255.0</NETMASK><GATEWAY>" + AddressText(1) +
                   "</GATEWAY></IF1><IF2><IP>192.168.7." + std::to_string(last) +
                   "</IP><NETMASK>255.255.255.0</NETMASK></IF2><MAC>" + Mac(last) +
                   "</MAC><VERSION>4v2r11-b3</VERSION><K420/><KEY>" + AddressText(last) + "</KEY></MACHINE>\n";
        xml += "</MACHINES>\n";
        ASSERT_NO_FATAL_FAILURE(trovtest::WriteMachinesFile(m_appData, xml));
        ASSERT_TRUE(trovtest::OpenMainWindow(m_window));
        ASSERT_EQ(savedCount, Saved().GetItemCount());
        g_broadcasts.clear();
    }

    CMachinesListCtrl& Saved() { return m_window->GetSavedList(); }
    CMachinesListCtrl& Discovered() { return m_window->GetDiscoveredList(); }

    int RowOf(CMachinesListCtrl& list, int last)
    {
        for (int row = 0; row < list.GetItemCount(); ++row)
            if (list.GetRowMachine(row)->m_address.GetValue() == Address(last))
                return row;
        return -1;
    }
    CMachine* MachineAt(CMachinesListCtrl& list, int last) { return list.GetRowMachine(RowOf(list, last)); }

    // Selects exactly the machines (by last number) in the list and makes it
    // the active list.
    void Select(CMachinesListCtrl& list, std::vector<int> lasts)
    {
        list.SetItemState(-1, 0, LVIS_SELECTED);
        for (int last : lasts) {
            int row = RowOf(list, last);
            ASSERT_GE(row, 0) << last;
            list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        }
        m_window->SetActiveList(&list);
    }

    // A machine in the discovered list that answered the broadcast.
    CMachine* AddDiscovered(int last)
    {
        CMachine* machine = new CMachine(CIpAddress(Address(last)), 0);
        machine->m_mac = Mac(last).c_str();
        machine->m_ifNumber = 1;
        machine->m_local = 1;
        machine->m_state = kMachineAnswered;
        Discovered().GetMachines().SetMachine(machine->m_address, machine);
        Discovered().UpdateRow(machine);
        return machine;
    }

    void Command(UINT id) { m_window->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    SimTcpController& Controller(int last, const char* board = "K420")
    {
        SimTcpBehaviour b = trovtest::LineBehaviour(Address(last), last, board);
        b.identity.hostName = "Polled " + std::to_string(last);
        return trovtest::StartSimTcp(m_sims, Address(last), b);
    }

    trovtest::TempDir m_files;
    std::unique_ptr<CtrovconfDlg> m_window;
    uint32_t m_block = 0;
    std::vector<std::unique_ptr<SimTcpController>> m_sims;
};

// ---------------------------------------------------------------------------
// The menu

TEST_F(MachineCommandsTest, MenuItemsFollowTheActiveListsSelection)
{
    Open();
    AddDiscovered(7);
    AddDiscovered(8);
    MachineAt(Saved(), 4)->m_boardType = kBoardRpi;

    enum { kSaved, kDiscovered, kNone };
    const UINT ids[] = {ID_POLL_DETAILS, ID_SELECT_ALL,      ID_VIEW_FILTERS,   ID_INSTALL_APP,
                        ID_GET_BACKUP,   ID_GET_EVENT_LOG,   ID_UPDATE_FIRMWARE, ID_UPDATE_IO_FIRMWARE,
                        ID_START_WEB_INTERFACE, ID_CONFIGURE, ID_STROBE_IDENT,   ID_RESTART,
                        ID_COPY_SYSTEM_ID, ID_REFRESH_LOCAL, ID_ADD_MACHINES,    ID_REMOVE_MACHINES,
                        ID_IMPORT_MACHINES, ID_EXPORT_MACHINES, ID_VIEW_LOG,     ID_VIEW_DEBUG};
    struct Case {
        const char* name;
        int list;
        std::vector<int> selected;
        const char* enabled; // one letter per id above: 1 enabled, 0 grayed
    } cases[] = {
        //                                         poll sel filt inst back log fw io web conf strobe rst copy f5 add rem imp exp logw dbg
        {"saved, nothing selected", kSaved, {}, "01100000000001101011"},
        {"saved, one K420", kSaved, {2}, "11100011111011111111"},
        {"saved, two K420", kSaved, {2, 3}, "11100011000001111111"},
        {"saved, one RPI", kSaved, {4}, "11111110111111111111"},
        // f: as the first selected machine (lowest row) is RPI or not.
        {"saved, RPI and K420 mixed", kSaved, {2, 4}, "111fff00000f01111111"},
        {"discovered, one (no board)", kDiscovered, {7}, "11011111111111100011"},
        {"discovered, two", kDiscovered, {7, 8}, "11011111001101100011"},
        {"no list", kNone, {}, "00000000000001100011"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.list == kNone) {
            Saved().SetItemState(-1, 0, LVIS_SELECTED);
            m_window->SetActiveList(nullptr);
        } else {
            Select(c.list == kSaved ? Saved() : Discovered(), c.selected);
        }
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_MACHINE_MENU));
        CMenu* popup = menu.GetSubMenu(0);
        ASSERT_TRUE(popup);
        m_window->PrepareContextMenu(popup);
        std::string states, expected = c.enabled;
        for (UINT id : ids)
            states += (popup->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) ? '0' : '1';
        CMachinesListCtrl* active = m_window->GetActiveList();
        char first = active && active->FirstSelectedIsNoneOrRpi() ? '1' : '0';
        for (char& e : expected)
            if (e == 'f')
                e = first;
        EXPECT_EQ(expected, states);
    }
}

VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::EndMenu();
}

TEST_F(MachineCommandsTest, TheListUnderTheMenuPointBecomesTheActiveList)
{
    Open();
    AddDiscovered(7);
    m_window->ShowWindow(SW_SHOWNA);
    trovtest::PumpPending();
    for (CMachinesListCtrl* list : {&Discovered(), &Saved()}) {
        CRect rect;
        list->GetWindowRect(&rect);
        CPoint centre = rect.CenterPoint();
        if (::WindowFromPoint(centre) != list->m_hWnd)
            GTEST_SKIP() << "no window under the point on this display";
        ::SetTimer(nullptr, 0, 50, &CloseMenu);
        m_window->SendMessage(WM_CONTEXTMENU, (WPARAM)list->m_hWnd, MAKELPARAM(centre.x, centre.y));
        EXPECT_EQ(list, m_window->GetActiveList());
    }
    // Outside both lists: no active list and no menu.
    CRect window;
    m_window->GetWindowRect(&window);
    m_window->SendMessage(WM_CONTEXTMENU, (WPARAM)m_window->m_hWnd, MAKELPARAM(window.left + 2, window.top + 2));
    EXPECT_EQ(nullptr, m_window->GetActiveList());
}

TEST_F(MachineCommandsTest, ViewSwitchesAreCheckedWhileOn)
{
    Open();
    Select(Saved(), {});
    auto checked = [&](UINT id) {
        CMenu menu;
        menu.LoadMenu(IDR_MACHINE_MENU);
        m_window->PrepareContextMenu(menu.GetSubMenu(0));
        return (menu.GetSubMenu(0)->GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    for (UINT id : {ID_VIEW_FILTERS, ID_VIEW_LOG, ID_VIEW_DEBUG}) {
        SCOPED_TRACE(id);
        bool before = checked(id);
        Command(id);
        EXPECT_NE(before, checked(id));
        Command(id);
        EXPECT_EQ(before, checked(id));
    }
    Command(ID_VIEW_DEBUG);
    EXPECT_EQ(1, m_window->GetDebug());
    Command(ID_VIEW_FILTERS);
    EXPECT_TRUE(Saved().IsFilterBarShown());
    EXPECT_EQ(3, Saved().GetItemCount());
}

// ---------------------------------------------------------------------------
// Commands of the window

TEST_F(MachineCommandsTest, SelectAllWebInterfaceAndSystemId)
{
    Open();
    Select(Saved(), {});
    Command(ID_SELECT_ALL);
    EXPECT_EQ(3u, Saved().GetSelectedCount());

    // Two selected: neither the web interface nor the System ID.
    Command(ID_START_WEB_INTERFACE);
    Command(ID_COPY_SYSTEM_ID);
    EXPECT_TRUE(g_opened.empty());

    Select(Saved(), {3});
    Command(ID_START_WEB_INTERFACE);
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ("http://" + AddressText(3) + "/", g_opened[0]);

    // A System ID longer than the 64 bytes the clipboard block once had is
    // copied whole.
    const std::string longId(100, 'A');
    MachineAt(Saved(), 3)->m_mac = longId.c_str();
    for (const std::string& id : {Mac(2), longId}) {
        MachineAt(Saved(), 3)->m_mac = id.c_str();
        Command(ID_COPY_SYSTEM_ID);
        ASSERT_TRUE(::OpenClipboard(nullptr));
        HANDLE data = ::GetClipboardData(CF_TEXT);
        ASSERT_TRUE(data);
        std::string text = static_cast<const char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
        ::CloseClipboard();
        EXPECT_EQ(id + "\r\n", text);
    }
    EXPECT_TRUE(g_commandBoxes.empty());

    // A clipboard held by another window: the framework's message box says
    // so, captioned with the application's name.
    std::vector<std::string> captions;
    ScopedSeam box(g_frameworkSeams.messageBox, [&](HWND, const char* text, const char* caption, UINT) {
        captions.push_back(std::string(text ? text : "") + "|" + (caption ? caption : "(none)"));
        return IDOK;
    });
    CWnd holder;
    ASSERT_TRUE(holder.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_TRUE(::OpenClipboard(holder.m_hWnd));
    Command(ID_COPY_SYSTEM_ID);
    ::CloseClipboard();
    holder.DestroyWindow();
    ASSERT_EQ(1u, captions.size());
    EXPECT_EQ(std::string("Cannot open the Clipboard|") + AfxGetAppName(), captions[0]);
    EXPECT_TRUE(g_commandBoxes.empty());
}

TEST_F(MachineCommandsTest, ExportWritesTheSelectedRowsUnderTheirShownAddresses)
{
    Open(3);
    std::string path = Backslashed(m_files.File("three.tvl"));
    Select(Saved(), {2, 3, 4});
    g_fileAnswers = {path};
    Command(ID_EXPORT_MACHINES);
    ASSERT_EQ(1u, g_fileChoices.size());
    EXPECT_EQ(".tvl", std::string(g_fileChoices[0].defaultExtension));
    EXPECT_EQ("Trovlist Files (*.tvl)|*.tvl||", std::string(g_fileChoices[0].filter));
    EXPECT_FALSE(g_fileChoices[0].open);
    ASSERT_EQ(std::vector<std::string>{"Export Complete"}, g_commandBoxes);
    CMachineMap read;
    CString error;
    ASSERT_EQ(kXmlOk, CMachineListFile::ReadFile(path.c_str(), read, &error, nullptr)) << (const char*)error;
    EXPECT_EQ(3, read.GetCount());
    for (int last : {2, 3, 4})
        EXPECT_TRUE(read.Find(CIpAddress(Address(last)))) << last;

    // A file that cannot be written.
    g_commandBoxes.clear();
    g_fileAnswers = {Backslashed(m_files.Path()) + "\\no such folder\\x.tvl"};
    Command(ID_EXPORT_MACHINES);
    EXPECT_EQ(std::vector<std::string>{"Error. Can't write to that file"}, g_commandBoxes);
    // Over the discovered list nothing happens.
    m_window->SetActiveList(&Discovered());
    Command(ID_EXPORT_MACHINES);
    EXPECT_EQ(2u, g_fileChoices.size());
}

TEST_F(MachineCommandsTest, RemoveDeletesTheSelectedSavedMachinesAndRewritesTheList)
{
    Open(3);
    Select(Saved(), {2, 4});
    Command(ID_REMOVE_MACHINES);
    ASSERT_EQ(1, Saved().GetItemCount());
    EXPECT_EQ(Address(3), Saved().GetRowMachine(0)->m_address.GetValue());
    CMachineMap read;
    CString error;
    ASSERT_EQ(kXmlOk, CMachineListFile::ReadFile(trovtest::MachinesFile(m_appData).c_str(), read,
                                                 &error, nullptr));
    EXPECT_EQ(1, read.GetCount());
    EXPECT_TRUE(read.Find(CIpAddress(Address(3))));
}

TEST_F(MachineCommandsTest, AddMakesTheReturnedAddressesTheSavedMachines)
{
    Open(3);
    std::vector<uint32_t> offered;
    g_dialogAnswers.push_back([&](CDialog& d) {
        CDlgAddMachines& add = static_cast<CDlgAddMachines&>(d);
        for (POSITION p = add.m_addresses.GetHeadPosition(); p;)
            offered.push_back(add.m_addresses.GetNext(p).GetValue());
        // .3 goes, .9 comes.
        add.m_addresses.RemoveAt(add.m_addresses.Find(CIpAddress(Address(3))));
        add.m_addresses.AddTail(CIpAddress(Address(9)));
        return (INT_PTR)IDOK;
    });
    Command(ID_ADD_MACHINES);
    EXPECT_EQ(3u, offered.size());
    std::vector<int> rows;
    for (int last : {2, 3, 4, 9})
        rows.push_back(RowOf(Saved(), last));
    EXPECT_GE(rows[0], 0);
    EXPECT_EQ(-1, rows[1]);
    EXPECT_GE(rows[2], 0);
    EXPECT_GE(rows[3], 0);
    EXPECT_EQ(3, Saved().GetItemCount());
    EXPECT_EQ(1u, g_broadcasts.size()); // the probe, without a log
}

TEST_F(MachineCommandsTest, AddOverAListThatCannotBeWrittenSaysSoOnce)
{
    // The command saves the list several times; over a file another
    // program holds, that is one failure to the user: one line, one box.
    Open(3);
    std::string file = trovtest::MachinesFile(m_appData);
    HANDLE held = ::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    g_dialogAnswers.push_back([&](CDialog& d) {
        static_cast<CDlgAddMachines&>(d).m_addresses.AddTail(CIpAddress(Address(9)));
        return (INT_PTR)IDOK;
    });
    Command(ID_ADD_MACHINES);
    trovtest::PumpPending();
    ::CloseHandle(held);
    std::string log = (const char*)m_window->GetLogPane().GetTextUtf8();
    const std::string kFailed = "The machine list could not be saved";
    size_t first = log.find(kFailed);
    ASSERT_NE(std::string::npos, first) << log;
    EXPECT_EQ(std::string::npos, log.find(kFailed, first + 1)) << log;
    ASSERT_EQ(1u, g_commandBoxes.size());
    EXPECT_EQ(0u, g_commandBoxes[0].find(kFailed)) << g_commandBoxes[0];
    // The machine stays, and the next save writes it.
    EXPECT_GE(RowOf(Saved(), 9), 0);
    EXPECT_TRUE(Saved().Save());
    EXPECT_NE(std::string::npos, trovtest::TempDir::Read(file).find("<KEY>" + AddressText(9) + "</KEY>"));
}

// ---------------------------------------------------------------------------
// Identify and configure

TEST_F(MachineCommandsTest, StrobeAsksThePasswordOfEachRemoteMachineAndCancelSkipsTheRest)
{
    Open(3);
    m_seams.Replace(g_appSeams.runOperation, RecordRun);
    Select(Saved(), {2, 3, 4});
    // Over the saved list only one machine may be selected; the rule is the
    // menu's, the command itself goes through the selection.
    Script({[](CDialog& d) {
        d.SetDlgItemText(IDC_PASSWORD, "first");
        Click(d, IDOK);
    }});
    Cancelled();
    Command(ID_STROBE_IDENT);
    ASSERT_EQ(1u, g_runs.size());
    EXPECT_EQ(OP_SEND_COMMAND, g_runs[0].operation);
    EXPECT_EQ("first", g_runs[0].password);
    char* expected = BuildIdentifyCommand(MachineAt(Saved(), g_runs[0].addresses[0] & 255)->m_mac);
    EXPECT_EQ(expected, g_runs[0].xml);
    std::free(expected);
    EXPECT_TRUE(g_broadcasts.empty());

    // Machines that answered the broadcast get it by broadcast, without a
    // password.
    AddDiscovered(7);
    AddDiscovered(8);
    Select(Discovered(), {7, 8});
    Command(ID_STROBE_IDENT);
    ASSERT_EQ(2u, g_broadcasts.size());
    EXPECT_NE(std::string::npos, g_broadcasts[0].find("<COMMAND>Identify</COMMAND>"));
    EXPECT_EQ(1u, g_runs.size());
}

TEST_F(MachineCommandsTest, IdentifyAndReconfigureReachARemoteControllerOverTcp)
{
    Open(1);
    SimTcpController& sim = Controller(2);
    Select(Saved(), {2});
    // An unchanged dialog sends nothing...
    Script({[](CDialog& d) {
        d.SetDlgItemText(IDC_CONFIG_PASSWORD, "secret");
        Click(d, IDOK);
    }});
    Command(ID_CONFIGURE);
    EXPECT_EQ(0u, sim.XmlCommands().size());
    // ...a new comment sends the Reconfigure text.
    Script({[](CDialog& d) {
        d.SetDlgItemText(IDC_CONFIG_PASSWORD, "secret");
        d.SetDlgItemText(IDC_COMMENT, "Line 4 press");
        Click(d, IDOK);
    }});
    Command(ID_CONFIGURE);
    std::vector<std::string> commands = sim.XmlCommands();
    ASSERT_EQ(1u, commands.size());
    CReconfigureValues values;
    values.dhcp = "Static";
    values.password = "secret";
    values.comment = "Line 4 press";
    values.if1Ip = Address(2);
    values.if1Netmask = 0xFFFFFF00;
    values.if1Gateway = Address(1);
    values.if2Ip = 0xC0A80702;
    values.if2Netmask = 0xFFFFFF00;
    char* reconfigure = BuildReconfigureCommand(values, Mac(2).c_str());
    EXPECT_EQ(reconfigure, commands[0]);
    std::free(reconfigure);
    // Identify after them.
    Script({[](CDialog& d) {
        d.SetDlgItemText(IDC_PASSWORD, "secret");
        Click(d, IDOK);
    }});
    Command(ID_STROBE_IDENT);
    commands = sim.XmlCommands();
    ASSERT_EQ(2u, commands.size());
    char* identify = BuildIdentifyCommand(Mac(2).c_str());
    EXPECT_EQ(identify, commands[1]);
    std::free(identify);

    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(MachineCommandsTest, IdentifyAndConfigureOfAMachineAddedByAddressCarryItsControllersMac)
{
    // Machines added by address: nothing is known of them but the address
    // until a run reads their identity, and a controller takes a command
    // only with its own MAC in it.
    Open(0);
    g_dialogAnswers.push_back([&](CDialog& d) {
        CDlgAddMachines& add = static_cast<CDlgAddMachines&>(d);
        add.m_addresses.AddTail(CIpAddress(Address(5)));
        add.m_addresses.AddTail(CIpAddress(Address(6)));
        return (INT_PTR)IDOK;
    });
    Command(ID_ADD_MACHINES);
    ASSERT_EQ(2, Saved().GetItemCount());
    SimTcpController& configured = Controller(5);
    SimTcpController& identified = Controller(6);
    ASSERT_STREQ("", MachineAt(Saved(), 5)->m_mac);

    Select(Saved(), {5});
    Script({[](CDialog& d) {
        d.SetDlgItemText(IDC_CONFIG_PASSWORD, "secret");
        d.SetDlgItemText(IDC_COMMENT, "Line 5 press");
        d.CheckDlgButton(IDC_DHCP, BST_CHECKED);
        Click(d, IDC_DHCP);
        Click(d, IDOK);
    }});
    Command(ID_CONFIGURE);
    std::vector<std::string> commands = configured.XmlCommands();
    ASSERT_EQ(1u, commands.size());
    EXPECT_NE(std::string::npos, commands[0].find("<MAC>" + Mac(5) + "</MAC>")) << commands[0];
    EXPECT_NE(std::string::npos, commands[0].find("<COMMENT>Line 5 press</COMMENT>")) << commands[0];

    Select(Saved(), {6});
    Script({[](CDialog& d) {
        d.SetDlgItemText(IDC_PASSWORD, "secret");
        Click(d, IDOK);
    }});
    Command(ID_STROBE_IDENT);
    commands = identified.XmlCommands();
    ASSERT_EQ(1u, commands.size());
    char* identify = BuildIdentifyCommand(Mac(6).c_str());
    EXPECT_EQ(identify, commands[0]);
    std::free(identify);

    // Both controllers took their command.
    ASSERT_EQ(2u, g_progressRows.size());
    EXPECT_EQ((std::vector<std::string>{AddressText(5) + " Reconfigured"}), g_progressRows[0]);
    EXPECT_EQ((std::vector<std::string>{AddressText(6) + " Reconfigured"}), g_progressRows[1]);
    EXPECT_TRUE(configured.Violations().empty());
    EXPECT_TRUE(identified.Violations().empty());
}

TEST_F(MachineCommandsTest, AnIdentityReadDuringIdentifyOrConfigureReachesTheRowAndTheSavedList)
{
    // The controller says it is someone else now (another name and MAC):
    // the saved machine, its row and machines.xml must agree afterwards.
    Open(1);
    SimTcpController& sim = Controller(2);
    sim.Change([](SimTcpBehaviour& b) {
        b.identity.hostName = "Renamed 2";
        b.identity.mac = "00:0A:0B:0C:0D:99";
    });
    struct Case {
        UINT command;
        std::function<void(CDialog&)> answer;
        const char* host;
    } cases[] = {
        {ID_STROBE_IDENT, [](CDialog& d) { d.SetDlgItemText(IDC_PASSWORD, "secret"); Click(d, IDOK); }, "Renamed 2"},
        {ID_CONFIGURE,
         [](CDialog& d) {
             d.SetDlgItemText(IDC_CONFIG_PASSWORD, "secret");
             d.SetDlgItemText(IDC_COMMENT, "moved");
             Click(d, IDOK);
         },
         "Configured 2"},
    };
    for (const Case& c : cases) {
        if (c.command == ID_CONFIGURE)
            sim.Change([](SimTcpBehaviour& b) { b.identity.hostName = "Configured 2"; });
        Select(Saved(), {2});
        Script({c.answer});
        Command(c.command);
        CMachine* machine = MachineAt(Saved(), 2);
        ASSERT_NE(nullptr, machine) << c.host;
        EXPECT_STREQ(c.host, machine->m_hostName);
        EXPECT_STREQ("00:0A:0B:0C:0D:99", machine->m_mac);
        int row = RowOf(Saved(), 2);
        EXPECT_STREQ(c.host, Saved().GetItemText(row, kColumnDeviceId));
        EXPECT_STREQ("00:0A:0B:0C:0D:99", Saved().GetItemText(row, kColumnSystemId));
        std::string file = trovtest::TempDir::Read(trovtest::MachinesFile(m_appData));
        EXPECT_NE(std::string::npos, file.find(std::string("<HOSTNAME>") + c.host + "</HOSTNAME>")) << file;
        EXPECT_NE(std::string::npos, file.find("<MAC>00:0A:0B:0C:0D:99</MAC>")) << file;
        EXPECT_EQ(std::string::npos, file.find("<MAC>" + Mac(2) + "</MAC>")) << file;
    }
}

TEST_F(MachineCommandsTest, ConfigureOfAMachineThatAnsweredTheBroadcastIsBroadcast)
{
    Open(1);
    CMachine* machine = AddDiscovered(7);
    machine->m_ifValues[kIf1Dhcp] = "DHCP";
    Select(Discovered(), {7});
    Script({[](CDialog& d) {
        d.SetDlgItemText(IDC_CONFIG_PASSWORD, "pw");
        Click(d, IDOK);
    }});
    Command(ID_CONFIGURE);
    // Its address fields were empty: the command goes even unchanged.
    ASSERT_EQ(1u, g_broadcasts.size());
    EXPECT_EQ(0u, g_broadcasts[0].find("<TROV><COMMAND>Reconfigure</COMMAND><PASSWORD>"));
    EXPECT_NE(std::string::npos, g_broadcasts[0].find("<MAC>" + Mac(7) + "</MAC>"));
}

// ---------------------------------------------------------------------------
// Operations over TCP

TEST_F(MachineCommandsTest, FirmwareFromAHexFileIsUploadedAsItsImage)
{
    Open(2);
    SimTcpController& a = Controller(2);
    SimTcpController& b = Controller(3);
    std::string hex = HexRecord(4, 0, {0x00, 0x01});
    std::vector<unsigned> data;
    for (unsigned i = 0; i < 200; ++i)
        data.push_back((i * 7) & 255);
    for (unsigned offset = 0; offset < 200; offset += 20)
        hex += HexRecord(0, 0x0100 + offset, std::vector<unsigned>(data.begin() + offset, data.begin() + offset + 20));
    hex += HexRecord(1, 0, {});
    std::string path = Backslashed(m_files.File("K420_new.hex"));
    m_files.Write("K420_new.hex", hex);
    FirmwareImage image;
    std::string error;
    ASSERT_TRUE(BuildFirmwareImageFromFile(path.c_str(), image, error)) << error;
    std::string expected(image.bytes.begin(), image.bytes.begin() + (long)image.usedSize);

    Select(Saved(), {2, 3});
    g_fileAnswers = {path};
    Script({[](CDialog& d) {
        EXPECT_EQ("<multiple>", trovtest::ItemText(d, IDC_ENTRY));
        d.SetDlgItemText(IDC_ADMIN_PASSWORD, "secret");
        Click(d, IDOK);
    }});
    Command(ID_UPDATE_FIRMWARE);
    ASSERT_EQ(1u, g_fileChoices.size());
    EXPECT_EQ(".420", std::string(g_fileChoices[0].defaultExtension));
    EXPECT_EQ("K420 Firmware (K420*.hex)|K420*.hex|K420 Firmware (*.420)|*.420||",
              std::string(g_fileChoices[0].filter));
    EXPECT_TRUE(g_fileChoices[0].flags & OFN_NOCHANGEDIR);
    EXPECT_TRUE(g_commandBoxes.empty());
    ASSERT_EQ(1u, g_progressRows.size());
    for (const std::string& row : g_progressRows[0])
        EXPECT_NE(std::string::npos, row.find("Ok. Restarted.")) << row;
    for (SimTcpController* sim : {&a, &b}) {
        EXPECT_TRUE(expected == sim->UploadedFile("UPDATE"));
        EXPECT_TRUE(sim->Violations().empty());
    }
    // The chosen file's folder is remembered, and stored.
    EXPECT_EQ(Backslashed(m_files.Path()), std::string(Saved().m_firmwareFolder.m_path));
    EXPECT_EQ(Backslashed(m_files.Path()), std::string(m_window->GetConfig().GetValue("firmwarefolder")));
}

TEST_F(MachineCommandsTest, RefusedFirmwareFilesNeverReachAController)
{
    Open(1);
    SimTcpController& sim = Controller(2);
    const std::string good = HexRecord(0, 0x10, {1, 2, 3, 4});
    std::string badChecksum = good;
    badChecksum[badChecksum.size() - 2] = badChecksum[badChecksum.size() - 2] == '0' ? '1' : '0';
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"bad checksum", badChecksum + HexRecord(1, 0, {})},
        {"unknown record type", good + HexRecord(7, 0, {1}) + HexRecord(1, 0, {})},
        {"outside the image", HexRecord(4, 0, {0x00, 0x04}) + good + HexRecord(1, 0, {})},
        {"no end record", good},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_commandBoxes.clear();
        m_files.Write("K420_bad.hex", c.text);
        Select(Saved(), {2});
        g_fileAnswers = {Backslashed(m_files.File("K420_bad.hex"))};
        Command(ID_UPDATE_FIRMWARE);
        ASSERT_EQ(1u, g_commandBoxes.size());
        EXPECT_EQ(0u, g_commandBoxes[0].find("The firmware file cannot be used, nothing was sent:"));
    }
    // A file that cannot be read.
    g_commandBoxes.clear();
    g_fileAnswers = {Backslashed(m_files.File("missing.hex"))};
    Command(ID_UPDATE_FIRMWARE);
    EXPECT_EQ(std::vector<std::string>{"Can't get Read Access on that Firmware file"}, g_commandBoxes);
    // A zipped I/O-firmware file for a K420 board.
    g_commandBoxes.clear();
    m_files.Write("io.rbf", std::string("PK\x03\x04zipped", 10));
    g_fileAnswers = {Backslashed(m_files.File("io.rbf"))};
    Command(ID_UPDATE_IO_FIRMWARE);
    EXPECT_EQ(std::vector<std::string>{kZippedIoFirmwareMessage}, g_commandBoxes);
    // A firmware name that the version test refuses (board without type).
    g_commandBoxes.clear();
    MachineAt(Saved(), 2)->m_boardType = kBoardNone;
    m_files.Write("CPU_3v9r1-a.zip", "zip");
    g_fileAnswers = {Backslashed(m_files.File("CPU_3v9r1-a.zip"))};
    Command(ID_UPDATE_FIRMWARE);
    EXPECT_EQ(std::vector<std::string>{"Error. Can only install Version 4 firmware."}, g_commandBoxes);
    EXPECT_EQ(0, sim.Connections());
}

TEST_F(MachineCommandsTest, IoFirmwareIsUploadedUnchanged)
{
    Open(1);
    SimTcpController& sim = Controller(2);
    const std::string rbf(5000, '\x5A');
    m_files.Write("io.rbf", rbf);
    Select(Saved(), {2});
    g_fileAnswers = {Backslashed(m_files.File("io.rbf"))};
    TypePassword("secret");
    Command(ID_UPDATE_IO_FIRMWARE);
    ASSERT_EQ(1u, g_fileChoices.size());
    EXPECT_EQ("Raw Binary Files (*.rbf)|*.rbf||", std::string(g_fileChoices[0].filter));
    EXPECT_TRUE(rbf == sim.UploadedFile("IOFIRMWARE"));
    EXPECT_EQ(Backslashed(m_files.Path()), std::string(m_window->GetConfig().GetValue("iofolder")));
}

TEST_F(MachineCommandsTest, BackupsLandInTheChosenFolderUnderSafeNames)
{
    Open(2);
    MachineAt(Saved(), 2)->m_boardType = kBoardNone;
    MachineAt(Saved(), 3)->m_boardType = kBoardNone;
    SimTcpController& a = Controller(2, "");
    SimTcpController& b = Controller(3, "");
    const std::string first(30000, 'a'), second(1200, 'b');
    a.Change([&](SimTcpBehaviour& s) { s.backupFile = first; });
    // A controller whose texts try to leave the folder.
    b.Change([&](SimTcpBehaviour& s) {
        s.backupFile = second;
        s.identity.mac = "..\\..\\..\\evil";
        s.identity.config = "../x:y.lmx";
    });
    trovtest::TempDir target;
    g_folderAnswer = Backslashed(target.Path());
    Select(Saved(), {2, 3});
    TypePassword("secret");
    Command(ID_GET_BACKUP);
    EXPECT_EQ(1, g_folderAsked);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((g_folderAnswer + "\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    ASSERT_EQ(2u, names.size());
    std::sort(names.begin(), names.end());
    // Separators and colons become '_'; the dots stay.
    EXPECT_EQ(0u, names[0].find(".._.._.._evil_")) << names[0];
    EXPECT_EQ("_.._x_y.lmx", names[0].substr(names[0].size() - 11)) << names[0];
    EXPECT_TRUE(second == trovtest::TempDir::Read(g_folderAnswer + "\\" + names[0]));
    EXPECT_EQ(0u, names[1].find("00_0A_0B_0C_0D_02_")) << names[1];
    EXPECT_EQ("_plant2.lmx", names[1].substr(names[1].size() - 11));
    EXPECT_TRUE(first == trovtest::TempDir::Read(g_folderAnswer + "\\" + names[1]));

    // Cancel in the folder picker: nothing more.
    g_folderAnswer.clear();
    Command(ID_GET_BACKUP);
    EXPECT_EQ(2, a.Connections() + b.Connections());
}

TEST_F(MachineCommandsTest, KernelLogWithNothingSelectedGoesToTheTypedAddress)
{
    Open(1);
    MachineAt(Saved(), 2)->m_boardType = kBoardNone;
    SimTcpController& sim = Controller(5, "");
    const std::string log(7000, 'L');
    sim.Change([&](SimTcpBehaviour& s) { s.eventLog = log; });
    Select(Saved(), {});
    std::string path = Backslashed(m_files.File("kernel.log"));
    g_fileAnswers = {path};
    TypePassword("secret", AddressText(5).c_str());
    Command(ID_GET_EVENT_LOG);
    ASSERT_EQ(1u, g_fileChoices.size());
    EXPECT_EQ(".log", std::string(g_fileChoices[0].defaultExtension));
    EXPECT_EQ("log Files (*.log)|*.log|All Files (*.*)|*.*||", std::string(g_fileChoices[0].filter));
    EXPECT_TRUE(log == trovtest::TempDir::Read(path));
    // The typed machine joined no list.
    EXPECT_EQ(1, Saved().GetItemCount());
    EXPECT_EQ(0, Discovered().GetItemCount());
}

TEST_F(MachineCommandsTest, RestartTargetsTheFirstSelectedMachineWhateverIsTyped)
{
    Open(2);
    MachineAt(Saved(), 2)->m_boardType = kBoardNone;
    MachineAt(Saved(), 3)->m_boardType = kBoardNone;
    SimTcpController& a = Controller(2, "");
    SimTcpController& b = Controller(3, "");
    Select(Saved(), {2, 3});
    int first = Saved().GetNextItem(-1, LVNI_SELECTED);
    SimTcpController& target = Saved().GetRowMachine(first)->m_address.GetValue() == Address(2) ? a : b;
    SimTcpController& other = &target == &a ? b : a;
    Script({[&](CDialog& d) {
        HWND entry = ::GetDlgItem(d, IDC_ENTRY);
        EXPECT_TRUE(::GetWindowLongA(entry, GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(trovtest::AddressText(target.Address()), trovtest::ItemText(d, IDC_ENTRY));
        d.SetDlgItemText(IDC_ADMIN_PASSWORD, "secret");
        Click(d, IDOK);
    }});
    Command(ID_RESTART);
    std::vector<uint16_t> runtime = target.RuntimeParameters();
    ASSERT_FALSE(runtime.empty());
    EXPECT_EQ(RUNTIME_RESTART_KEEP, runtime.back());
    EXPECT_EQ(0, other.Connections());
}

// ---------------------------------------------------------------------------
// Install

TEST_F(MachineCommandsTest, InstallSendsEachMachineItsContainerWithTheChosenDataSet)
{
    const char kId[] = "6f2d0c1e-8a4b-4c3d-9e5f-0123456789ab";
    const std::string setups =
        "<SETUPS><SETUP><NAME>Base</NAME><INPUTS><ENTRY><ID>10</ID><VALUE>1.5</VALUE></ENTRY>"
        "<ENTRY><ID>30</ID><VALUE>4</VALUE></ENTRY></INPUTS></SETUP>"
        "<SETUP><NAME>Line2</NAME><INPUTS><ENTRY><ID>10</ID><VALUE>2.5</VALUE></ENTRY></INPUTS></SETUP></SETUPS>";
    const std::string app = trovtest::DrbText(trovtest::SampleApplication(), "4.2.1");
    std::string path = Backslashed(m_files.File("plant.lmx"));
    ASSERT_NO_FATAL_FAILURE(
        trovtest::WriteAppContainer(path, {{"id", kId}, {"setup", setups}, {"app", app, true}}, kId));
    Open(3);
    MachineAt(Saved(), 2)->m_boardType = kBoardNone;
    MachineAt(Saved(), 3)->m_boardType = kBoardNone;
    MachineAt(Saved(), 4)->m_fwMajor = 3; // skipped with a message
    SimTcpController& a = Controller(2, "");
    SimTcpController& b = Controller(3, "");
    SimTcpController& old = Controller(4, "");
    Select(Saved(), {2, 3, 4});
    g_applicationAnswer = path;
    Script({[](CDialog& d) {
        EXPECT_EQ("<multiple>", trovtest::ItemText(d, IDC_ADDRESS));
        EXPECT_EQ((std::vector<std::string>{"Base", "Line2"}), trovtest::ComboEntries(d, IDC_DATASET));
        trovtest::SelectComboEntry(d, IDC_DATASET, 1);
        d.SetDlgItemText(IDC_ADMIN_PASSWORD, "secret");
        Click(d, IDOK);
    }});
    Command(ID_INSTALL_APP);
    EXPECT_EQ(std::vector<std::string>{"Line 4 is not running a v4 firmware and will be skipped."}, g_commandBoxes);
    EXPECT_EQ(0, old.Connections());
    ASSERT_EQ(1u, g_progressRows.size());
    for (const std::string& row : g_progressRows[0])
        EXPECT_NE(std::string::npos, row.find("App Installed. Restarted and cleared totals.")) << row;
    // The folder of the file is remembered and stored.
    EXPECT_EQ(Backslashed(m_files.Path()), std::string(m_window->GetConfig().GetValue("appfolder")));
    for (SimTcpController* sim : {&a, &b}) {
        std::string sent = sim->UploadedFile("APPLICATION");
        ASSERT_FALSE(sent.empty());
        std::string copy = m_files.Write("sent.lmx", sent);
        CGAppContainer container;
        ASSERT_NE(0, container.Open(copy.c_str()));
        // The sections are packed with the application's identity as key.
        EXPECT_EQ(std::string(kId), std::string(ReadApplicationIdentity(container)));
        int encrypted = -1;
        const char* setup = container.GetSection("setup", &encrypted);
        ASSERT_TRUE(setup);
        EXPECT_EQ(0, encrypted);
        CGXml document(CGXml::kNoIncludeExpansion);
        char error[256] = "";
        ASSERT_EQ(kXmlOk, document.ParseText("setup", setup, error, sizeof error, "SETUP")) << setup;
        CGDataSetList sets;
        ASSERT_EQ(1, sets.ReadOneSetup(document.GetRoot()));
        EXPECT_EQ(std::string("Line2"), std::string(sets.GetFirst()->m_name));
        EXPECT_EQ(2u, sets.GetFirst()->m_values.size()); // Base's two values, one overridden
        const char* sentApp = container.GetSection("app", &encrypted);
        ASSERT_TRUE(sentApp);
        EXPECT_EQ(app, std::string(sentApp));
        EXPECT_EQ(1, encrypted);
        container.Close();
        EXPECT_TRUE(sim->Violations().empty());
    }

    // A file that is not an application container: its message, no run.
    g_commandBoxes.clear();
    g_applicationAnswer = m_files.Write("bad.lmx", "not a container");
    Command(ID_INSTALL_APP);
    EXPECT_EQ(std::vector<std::string>{"Can't open that App file"}, g_commandBoxes);
    EXPECT_EQ(1u, g_progressRows.size());
}

} // namespace
