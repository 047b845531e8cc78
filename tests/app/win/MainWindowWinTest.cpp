// The main window under Wine (headless): start-up with a saved list,
// discovery replies from simulated controllers on loopback, sorting,
// filters, duplicate marks, blinking driven by timer messages, and the
// layout stored on closing and restored at the next start.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/MachineColumns.h"
#include "framework/win/Wnd.h"
#include "framework/win/Menu.h"
#include "framework/Array.h"
#include "app/win/AppDialogs.h"
#include "app/win/AppSeams.h"
#include "app/win/AppMessages.h"
#include "app/win/trovconfDlg.h"
#include "res/resource.h"
#include "support/DRBSocket.h"
#include "tests/app/win/MainWindowFixture.h"
#include "tests/common/Loopback.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/SimController.h"
#include "tests/common/SimUdpFixture.h"
#include "tests/common/TempDir.h"

namespace {

struct Box {
    std::string text, caption;
};
std::vector<Box> g_boxes;
std::vector<std::string> g_probes;
std::vector<IP_ADAPTER_INFO> g_fakeAdapters;
bool g_haveAdapters = false;

int RecordBox(HWND, const char* text, const char* caption, UINT)
{
    g_boxes.push_back({text ? text : "", caption ? caption : ""});
    return IDOK;
}

void RecordProbe(const char* text, bool, CDiscoveryLog*)
{
    g_probes.push_back(text);
}

bool FakeAdapters(std::vector<IP_ADAPTER_INFO>* adapters)
{
    *adapters = g_fakeAdapters;
    return g_haveAdapters;
}

IP_ADAPTER_INFO Adapter(const char* description, const char* address)
{
    IP_ADAPTER_INFO a = {};
    lstrcpynA(a.Description, description, sizeof a.Description);
    lstrcpynA(a.IpAddressList.IpAddress.String, address, sizeof a.IpAddressList.IpAddress.String);
    return a;
}

const char kSaved[] =
    "<MACHINES>\n"
    " <MACHINE><HOSTNAME>Press &amp; Line</HOSTNAME><CONFIG>plant.lmx</CONFIG><IF>1</IF>"
    "<IF1><IP>10.1.0.5</IP></IF1><MAC>00:50:C2:00:00:01</MAC><VERSION>4v2r11-b3</VERSION><KEY>10.1.0.5</KEY></MACHINE>\n"
    " <MACHINE><HOSTNAME>Mixer</HOSTNAME><APPVERSION>1v10r0</APPVERSION><KEY>192.168.1.2</KEY></MACHINE>\n"
    " <MACHINE><HOSTNAME>Dryer</HOSTNAME><APPVERSION>1v9r5</APPVERSION><KEY>10.2.0.9</KEY></MACHINE>\n"
    "</MACHINES>\n";

class MainWindowTest : public ::testing::Test, protected trovtest::TestAppFolders {
protected:
    // The program's seams answered by the test, restored when it ends.
    ScopedSeams m_seams;

    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        StartSocketLayer();
        EnterAppFolders();
        g_boxes.clear();
        g_probes.clear();
        g_fakeAdapters.clear();
        g_haveAdapters = false;
        m_seams.Replace(g_appSeams.messageBox, RecordBox);
        m_seams.Replace(g_appSeams.broadcast, RecordProbe);
        m_seams.Replace(g_appSeams.networkAdapters, FakeAdapters);
    }

    void TearDown() override
    {
        m_window.reset();
        LeaveAppFolders();
    }

    void WriteIni(const std::string& text) { m_work.Write("app_tests.ini", text); }
    std::string IniValue(const char* section, const char* key) const
    {
        char value[256] = "";
        ::GetPrivateProfileStringA(section, key, "", value, sizeof value, IniFile().c_str());
        return value;
    }
    std::string SettingsFolder() const { return trovtest::SettingsFolder(m_appData); }
    std::string MachinesFile() const { return trovtest::MachinesFile(m_appData); }
    void WriteSaved(const std::string& text) { trovtest::WriteMachinesFile(m_appData, text); }

    bool Open() { return trovtest::OpenMainWindow(m_window); }

    // The caption's close button: what WM_CLOSE stores, then the window goes.
    void CloseAndDestroy()
    {
        m_window->SendMessage(WM_CLOSE);
        if (::IsWindow(m_window->m_hWnd))
            m_window->DestroyWindow();
        m_window.reset(); // settings.xml is written here
    }

    CMachinesListCtrl& Saved() { return m_window->GetSavedList(); }
    CMachinesListCtrl& Discovered() { return m_window->GetDiscoveredList(); }

    static std::vector<std::string> Column(CMachinesListCtrl& list, int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts.push_back((const char*)list.GetItemText(row, column));
        return texts;
    }

    std::unique_ptr<CtrovconfDlg> m_window;
};

// Discovery on loopback: simulated controllers answer a probe sent to each
// of them; the window's timer 1 reads the replies from a reply socket of
// the test's own.
class MainWindowDiscoveryTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_block = trovtest::RandomLoopbackBlock();
        m_probePort = trovtest::RandomTestPort();
        m_replyPort = (uint16_t)(m_probePort + 1);
    }

    void AdoptSocket() { m_window->AdoptReplySocket(new CDRBSocketUDP(m_replyPort, 1, m_block | 100, 1)); }

    trovtest::SimController& AddController(int last, const char* ip, const char* mac, const char* host,
                                           bool identButton = false)
    {
        trovtest::SimControllerIdentity id = trovtest::DiscoveryIdentity(ip, mac, host);
        id.identButton = identButton;
        uint16_t probePort = (uint16_t)(m_probePort + 2 + last);
        trovtest::SimController& sim = trovtest::StartSimUdp(m_sims, id, m_block | last, probePort, m_replyPort);
        CDRBSocketUDPClient prober(probePort, m_block | last, htonl(m_block | 100));
        EXPECT_EQ(15, prober.Write("Trov:KnockKnock", 15));
        return sim;
    }

    // Timer 1 until the discovered list has rows rows.  Between ticks the
    // test waits for the next reply, or 20 ms: the reply socket posts its
    // notice to the window when a reply arrives.  The notices are taken off
    // the queue undispatched (timer 1 takes the replies here), so that the
    // wait sees the next one.
    void ReceiveUntil(int rows)
    {
        for (int tick = 0; tick < 150 && Discovered().GetItemCount() < rows; ++tick) {
            m_window->SendMessage(WM_TIMER, CtrovconfDlg::kTimerReceive);
            if (Discovered().GetItemCount() >= rows)
                break;
            MSG notice;
            while (::PeekMessageA(&notice, m_window->m_hWnd, WM_DISCOVERY_REPLIES, WM_DISCOVERY_REPLIES, PM_REMOVE)) {
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE);
        }
        m_window->SendMessage(WM_TIMER, CtrovconfDlg::kTimerReceive);
    }

    uint32_t m_block = 0;
    uint16_t m_probePort = 0, m_replyPort = 0;
    std::vector<std::unique_ptr<trovtest::SimController>> m_sims;
};

} // namespace

TEST_F(MainWindowTest, ComesUpWithTheSavedMachines)
{
    WriteSaved(kSaved);
    ASSERT_TRUE(Open());
    CString title;
    m_window->GetWindowText(title);
    EXPECT_STREQ("TROVconf v4.5r9", title);
    ASSERT_EQ(3, Saved().GetItemCount());
    EXPECT_EQ(0, Discovered().GetItemCount());
    // Cells as the user reads them ("&" doubled for the list's drawing).
    int press = -1;
    for (int row = 0; row < 3; ++row)
        if (Saved().GetItemText(row, kColumnAddress) == "10.1.0.5")
            press = row;
    ASSERT_GE(press, 0);
    EXPECT_STREQ("Press && Line", Saved().GetItemText(press, kColumnDeviceId));
    EXPECT_STREQ("plant", Saved().GetItemText(press, kColumnAppName));
    EXPECT_STREQ("4v2r11-b3", Saved().GetItemText(press, kColumnFirmware));
    EXPECT_STREQ("1", Saved().GetItemText(press, kColumnEthPort));
    EXPECT_EQ(kRowColourPending, Saved().GetRowColour(press)); // not answered yet: grey
    ASSERT_EQ(1u, g_probes.size());
    EXPECT_EQ("Trov:KnockKnock", g_probes[0]);
    EXPECT_TRUE(g_boxes.empty());
    // The log pane starts hidden; the lists share the window.
    EXPECT_EQ(0, m_window->GetLogSplitter().m_secondShown);
    CRect client, splitter;
    m_window->GetClientRect(&client);
    m_window->GetLogSplitter().GetWindowRect(&splitter);
    EXPECT_EQ(client.Width(), splitter.Width());
}

namespace {

// What the window run modally showed when: machines read and rows filled
// at its first show and first paint, start-up boxes and their owner, and
// the first probe.
struct StartUpTrace {
    CtrovconfDlg* window = nullptr;
    int machinesAtShow = -1, rowsAtShow = -1, machinesAtPaint = -1, rowsAtPaint = -1;
    std::vector<std::string> boxes;
    int boxesWithoutTheShownWindow = 0;
    int rowsAtProbe = -1;
    int probes = 0;
    // The rows stand as if each had been put at the top in turn: the last
    // machine of the map first, the first last.
    bool rowsInInsertionOrder = false;    // A message posted to the window at its first paint: the rows there
    // when the window took it (it answers while the list is read).
    int rowsAtAnswer = -1;
};
const UINT kStartUpPing = WM_APP + 998;
StartUpTrace g_startUp;

LRESULT CALLBACK TraceStartUp(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    CtrovconfDlg* window = g_startUp.window;
    if (code == HC_ACTION && window && message->hwnd == window->m_hWnd) {
        CMachinesListCtrl& saved = window->GetSavedList();
        if (message->message == WM_SHOWWINDOW && message->wParam && g_startUp.machinesAtShow < 0) {
            g_startUp.machinesAtShow = (int)saved.GetMachines().GetCount();
            g_startUp.rowsAtShow = saved.GetItemCount();
        }
        if (message->message == WM_PAINT && g_startUp.machinesAtPaint < 0) {
            g_startUp.machinesAtPaint = (int)saved.GetMachines().GetCount();
            g_startUp.rowsAtPaint = saved.GetItemCount();
            window->PostMessage(kStartUpPing);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TraceStartUpAnswer(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == kStartUpPing && g_startUp.window)
        g_startUp.rowsAtAnswer = g_startUp.window->GetSavedList().GetItemCount();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

int TraceStartUpBox(HWND owner, const char* text, const char*, UINT)
{
    g_startUp.boxes.push_back(text ? text : "");
    if (!g_startUp.window || owner != g_startUp.window->m_hWnd || !::IsWindowVisible(owner))
        ++g_startUp.boxesWithoutTheShownWindow;
    return IDOK;
}

void TraceStartUpProbe(const char*, bool, CDiscoveryLog*)
{
    ++g_startUp.probes;
    if (CtrovconfDlg* window = g_startUp.window) {
        CMachinesListCtrl& saved = window->GetSavedList();
        g_startUp.rowsAtProbe = saved.GetItemCount();
        const CMachineMap& map = saved.GetMachines();
        const CMachine* last = nullptr;
        for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
            last = p->value;
        int rows = saved.GetItemCount();
        g_startUp.rowsInInsertionOrder = rows > 1 && last == saved.GetRowMachine(0) &&
                                         map.PGetFirstAssoc()->value == saved.GetRowMachine(rows - 1);
        window->PostMessage(WM_COMMAND, IDCANCEL);
    }
}

} // namespace

TEST_F(MainWindowTest, RunModallyTheWindowIsPaintedBeforeItReadsALongSavedList)
{
    // A list of thousands of machines must not keep the window from
    // appearing: it shows and paints, then reads and fills its rows, then
    // says what start-up had to say with the window behind each message.
    std::string xml = "<MACHINES>\n";
    for (int i = 0; i < 2000; ++i)
        xml += "<MACHINE><HOSTNAME>m" + std::to_string(i) + "</HOSTNAME><KEY>10.5." + std::to_string(i / 250) + "." +
               std::to_string(i % 250 + 1) + "</KEY></MACHINE>\n";
    // Two machines of one address: the list has something to say.
    xml += "<MACHINE><HOSTNAME>twin</HOSTNAME><KEY>10.5.0.1</KEY></MACHINE>\n";
    WriteSaved(xml + "</MACHINES>\n");
    // The reply port of the adapter's address is taken, not to be shared:
    // the reply socket cannot be opened, which start-up says too.
    uint32_t taken = trovtest::RandomLoopbackBlock() | 7;
    CDRBSocketUDP holder(kDiscoveryReplyPort, 1, taken, 0);
    g_fakeAdapters = {Adapter("Taken", trovtest::AddressText(taken).c_str())};
    g_haveAdapters = true;
    g_startUp = StartUpTrace();
    m_seams.Replace(g_appSeams.messageBox, TraceStartUpBox);
    m_seams.Replace(g_appSeams.broadcast, TraceStartUpProbe);
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, TraceStartUp, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    HHOOK answers = ::SetWindowsHookExA(WH_GETMESSAGE, TraceStartUpAnswer, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, answers);
    m_window.reset(new CtrovconfDlg);
    g_startUp.window = m_window.get();
    m_window->DoModal();
    ::UnhookWindowsHookEx(answers);
    ::UnhookWindowsHookEx(hook);
    g_startUp.window = nullptr;

    EXPECT_EQ(0, g_startUp.machinesAtShow);
    EXPECT_EQ(0, g_startUp.rowsAtShow);
    EXPECT_EQ(0, g_startUp.machinesAtPaint);
    EXPECT_EQ(0, g_startUp.rowsAtPaint);
    EXPECT_EQ(0, g_startUp.rowsAtAnswer);
    ASSERT_EQ(2u, g_startUp.boxes.size());
    EXPECT_NE(std::string::npos, g_startUp.boxes[0].find("1 with the address of a later machine")) << g_startUp.boxes[0];
    EXPECT_EQ("Unable to listen on broadcast port", g_startUp.boxes[1]);
    EXPECT_EQ(0, g_startUp.boxesWithoutTheShownWindow);
    // The probe goes once the saved machines are there for its replies.
    EXPECT_EQ(1, g_startUp.probes);
    EXPECT_EQ(2000, g_startUp.rowsAtProbe);
    EXPECT_TRUE(g_startUp.rowsInInsertionOrder);
}

TEST_F(MainWindowTest, TheSavedListFillsASliceAtATimeAndACommandCompletesItFirst)
{
    std::string xml = "<MACHINES>\n";
    for (int i = 0; i < 500; ++i)
        xml += "<MACHINE><HOSTNAME>m" + std::to_string(i) + "</HOSTNAME><KEY>10.6." + std::to_string(i / 250) + "." +
               std::to_string(i % 250 + 1) + "</KEY></MACHINE>\n";
    WriteSaved(xml + "</MACHINES>\n");
    m_window.reset(new CtrovconfDlg);
    ASSERT_TRUE(m_window->Create(IDD_TROVCONF_DIALOG));
    // Slices of no time at all still add rows, in their final order.
    Saved().LoadSavedMachines();
    EXPECT_TRUE(Saved().FillSome(0));
    int first = Saved().GetItemCount();
    EXPECT_GT(first, 0);
    EXPECT_LT(first, 500);
    EXPECT_TRUE(Saved().FillSome(0));
    EXPECT_GT(Saved().GetItemCount(), first);
    const CMachineMap& map = Saved().GetMachines();
    const CMachine* last = nullptr;
    for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
        last = p->value;
    EXPECT_EQ(last, Saved().GetRowMachine(0));
    // A reply for a machine without its row yet: the rows are completed
    // first, and no machine gets two.
    CMachine* waiting = map.PGetFirstAssoc()->value;
    ASSERT_EQ(-1, Saved().FindRow(waiting));
    waiting->m_state = kMachineAnswered;
    Saved().UpdateRow(waiting);
    EXPECT_TRUE(Saved().IsStartUpOver());
    ASSERT_EQ(500, Saved().GetItemCount());
    EXPECT_EQ(499, Saved().FindRow(waiting));
    // The window's own start-up still ends, with its probe.
    ASSERT_TRUE(trovtest::PumpUntil([&] { return m_window->IsStartUpOver(); }, 20000));
    EXPECT_EQ(1u, g_probes.size());
    EXPECT_EQ(500, Saved().GetItemCount());
}

TEST_F(MainWindowTest, TwoWindowsOnOneListKeepEachOthersMachines)
{
    // Two copies of the program on one machines.xml: each adds a machine
    // and saves its own list; neither loses what the other saved.
    WriteSaved(kSaved);
    ASSERT_TRUE(Open());
    std::unique_ptr<CtrovconfDlg> other;
    ASSERT_TRUE(trovtest::OpenMainWindow(other));
    auto add = [](CtrovconfDlg& window, uint32_t address, const char* host) {
        CMachine* machine = new CMachine(CIpAddress(address), 1);
        machine->m_hostName = host;
        window.GetSavedList().GetMachines().SetMachine(CIpAddress(address), machine);
        window.GetSavedList().UpdateRow(machine); // shown and saved
        trovtest::PumpPending();
    };
    add(*m_window, 0x0A090901, "from A");
    add(*other, 0x0A090902, "from B");
    std::string file = trovtest::TempDir::Read(MachinesFile());
    for (const char* key : {"10.1.0.5", "192.168.1.2", "10.2.0.9", "10.9.9.1", "10.9.9.2"})
        EXPECT_NE(std::string::npos, file.find(std::string("<KEY>") + key + "</KEY>")) << key;
    // B shows A's machine and says so: a line, and a box the first time.
    CMachinesListCtrl& b = other->GetSavedList();
    EXPECT_EQ(5, b.GetItemCount());
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].text.find("changed by another program")) << g_boxes[0].text;
    std::string log = (const char*)other->GetLogPane().GetTextUtf8();
    EXPECT_NE(std::string::npos, log.find("1 machine(s) added")) << log;

    // A's next save brings B's machine to A; B's next merge is a line only.
    add(*m_window, 0x0A090903, "A again");
    EXPECT_EQ(6, Saved().GetItemCount());
    EXPECT_EQ(2u, g_boxes.size());
    add(*other, 0x0A090904, "B again");
    EXPECT_EQ(7, b.GetItemCount());
    EXPECT_EQ(2u, g_boxes.size());
    log = (const char*)other->GetLogPane().GetTextUtf8();
    EXPECT_NE(log.find("changed by another program"), log.rfind("changed by another program")) << log;
    other->DestroyWindow();
}

TEST_F(MainWindowTest, WithoutAnIniFileTheProgramSaysSoAndStillWritesItsSettings)
{
    ::DeleteFileA(IniFile().c_str());
    EXPECT_FALSE(Open());
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ(0u, g_boxes[0].text.find("No ini file found"));
    EXPECT_NE(std::string::npos, g_boxes[0].text.find("app_tests.ini"));
    EXPECT_EQ("Unable to start", g_boxes[0].caption);
    m_window.reset();
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((SettingsFolder() + "\\settings.xml").c_str()));

    // A file without the name entry says that instead.
    g_boxes.clear();
    WriteIni("[misc]\r\nadapter=2\r\n");
    EXPECT_FALSE(Open());
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].text.find("has no name entry"));
}

TEST_F(MainWindowTest, ASettingsFolderThatCannotBeMadeIsReportedAndTheWindowStillRuns)
{
    // A file stands where the application-data folder should be.
    std::string blocked = m_appData.Write("not-a-folder", "x");
    CSettingsPaths::SetBaseFolderOverride(0, (blocked + "\\inside").c_str());
    ASSERT_TRUE(Open());
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].text.find("cannot be created")) << g_boxes[0].text;
    EXPECT_EQ(0, Saved().GetItemCount());
    CloseAndDestroy(); // nothing can be written: no crash, no message
    EXPECT_EQ(1u, g_boxes.size());
}

// The files of a folder, by name.
static std::vector<std::string> FolderFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Another program holding a file open without sharing it.
static HANDLE HoldFile(const std::string& path)
{
    return ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
}

TEST_F(MainWindowTest, FailedSavesAreShownAndTheMachinesAreWrittenByALaterSave)
{
    WriteSaved(kSaved);
    ASSERT_TRUE(Open());
    ASSERT_TRUE(g_boxes.empty());
    std::string before = trovtest::TempDir::Read(MachinesFile());
    // A new machine: the file no longer holds the list.
    Saved().GetMachines().SetMachine(CIpAddress(0x0A090909), new CMachine(CIpAddress(0x0A090909), 1));
    HANDLE held = HoldFile(MachinesFile());
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    // Each failed save is a line in the log pane, said once the handler at
    // work is over (saves within one command are one line); the message
    // box comes for the first of a run of failures.
    const std::string kFailed = "The machine list could not be saved";
    EXPECT_FALSE(Saved().Save());
    EXPECT_FALSE(Saved().Save());
    EXPECT_TRUE(g_boxes.empty());
    trovtest::PumpPending();
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ(0u, g_boxes[0].text.find(kFailed)) << g_boxes[0].text;
    EXPECT_EQ("", g_boxes[0].caption); // the application's name
    std::string log = (const char*)m_window->GetLogPane().GetTextUtf8();
    size_t first = log.find(kFailed);
    ASSERT_NE(std::string::npos, first) << log;
    EXPECT_EQ(std::string::npos, log.find(kFailed, first + 1)) << log;
    EXPECT_FALSE(Saved().Save());
    trovtest::PumpPending();
    EXPECT_EQ(1u, g_boxes.size());
    log = (const char*)m_window->GetLogPane().GetTextUtf8();
    first = log.find(kFailed);
    EXPECT_NE(std::string::npos, log.find(kFailed, first + 1)) << log;
    // No temporary file is left in the folder.
    EXPECT_EQ((std::vector<std::string>{"machines.xml"}), FolderFiles(SettingsFolder()));
    ::CloseHandle(held);
    EXPECT_EQ(before, trovtest::TempDir::Read(MachinesFile()));

    // The list kept its machines: once the file is free they are written.
    EXPECT_TRUE(Saved().Save());
    std::string after = trovtest::TempDir::Read(MachinesFile());
    for (const char* key : {"10.1.0.5", "192.168.1.2", "10.2.0.9", "10.9.9.9"})
        EXPECT_NE(std::string::npos, after.find(std::string("<KEY>") + key + "</KEY>")) << key;
    // A new failure after a success is shown again.
    Saved().GetMachines().Find(CIpAddress(0x0A090909))->m_comment = "changed";
    held = HoldFile(MachinesFile());
    EXPECT_FALSE(Saved().Save());
    trovtest::PumpPending();
    EXPECT_EQ(2u, g_boxes.size());
    ::CloseHandle(held);

    // settings.xml is written as the window goes; when it cannot be, that
    // is shown too, and nothing is left behind.
    std::string settings = SettingsFolder() + "\\settings.xml";
    held = HoldFile(settings);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CloseAndDestroy();
    ::CloseHandle(held);
    ASSERT_EQ(3u, g_boxes.size());
    EXPECT_EQ(0u, g_boxes[2].text.find("The settings could not be saved")) << g_boxes[2].text;
    EXPECT_EQ((std::vector<std::string>{"machines.xml", "settings.xml"}), FolderFiles(SettingsFolder()));
    EXPECT_EQ("", trovtest::TempDir::Read(settings));
}

TEST_F(MainWindowTest, StartUpMessagesComeOnceTheWindowIsUp)
{
    // settings.xml held by another program and a machine list with two
    // machines of one address: both are said once, after the window was
    // made, owned by it.
    ::CreateDirectoryA(SettingsFolder().c_str(), nullptr);
    std::string settings = SettingsFolder() + "\\settings.xml";
    const std::string kept = "<VLUMEX><splitter>150</splitter></VLUMEX>";
    {
        FILE* f = fopen(settings.c_str(), "wb");
        ASSERT_TRUE(f);
        fputs(kept.c_str(), f);
        fclose(f);
    }
    WriteSaved("<MACHINES><MACHINE><HOSTNAME>a</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE>"
               "<MACHINE><HOSTNAME>b</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE></MACHINES>");
    HANDLE held = HoldFile(settings);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    m_window.reset(new CtrovconfDlg);
    ASSERT_TRUE(m_window->Create(IDD_TROVCONF_DIALOG));
    EXPECT_TRUE(g_boxes.empty()); // nothing before the window is there
    ASSERT_TRUE(trovtest::PumpUntil([&] { return m_window->IsStartUpOver(); }, 20000));
    ::CloseHandle(held);
    ASSERT_EQ(2u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].text.find("settings.xml cannot be opened")) << g_boxes[0].text;
    EXPECT_NE(std::string::npos, g_boxes[1].text.find("1 with the address of a later machine")) << g_boxes[1].text;
    EXPECT_EQ(1, Saved().GetItemCount());
    m_window->SetWindowPos(nullptr, 5, 6, 700, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    CloseAndDestroy();
    EXPECT_EQ(2u, g_boxes.size()); // said once
    EXPECT_EQ(kept, trovtest::TempDir::Read(settings));
    EXPECT_NE(std::string::npos, trovtest::TempDir::Read(MachinesFile() + ".bad").find("<HOSTNAME>a</HOSTNAME>"));
}

TEST_F(MainWindowTest, EveryColumnSortsAndTheHeaderShowsTheArrow)
{
    WriteSaved(kSaved);
    ASSERT_TRUE(Open());
    CMachinesListCtrl& list = Saved();
    list.Sort(kColumnAddress, TRUE);
    EXPECT_EQ((std::vector<std::string>{"10.1.0.5", "10.2.0.9", "192.168.1.2"}), Column(list, kColumnAddress));
    list.Sort(kColumnAppVersion, TRUE); // numbers, not text: 1v9r5 before 1v10r0
    EXPECT_EQ((std::vector<std::string>{"", "1v9r5", "1v10r0"}), Column(list, kColumnAppVersion));
    list.Sort(kColumnDeviceId, FALSE);
    EXPECT_EQ((std::vector<std::string>{"Press && Line", "Mixer", "Dryer"}), Column(list, kColumnDeviceId));
    // Every column gives an order without losing a row.
    for (int c = 0; c < kMachineColumnCount; ++c) {
        list.Sort(c, TRUE);
        EXPECT_EQ(3, list.GetItemCount());
    }
    // A header click: ascending, then the other way, with the arrow.
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = list.m_hWnd;
    click.hdr.idFrom = IDC_SAVED_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = kColumnDeviceId;
    CWnd* parent = list.GetParent();
    parent->SendMessage(WM_NOTIFY, IDC_SAVED_LIST, (LPARAM)&click);
    EXPECT_EQ((std::vector<std::string>{"Dryer", "Mixer", "Press && Line"}), Column(list, kColumnDeviceId));
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    list.GetHeader().GetItem(kColumnDeviceId, &item);
    EXPECT_TRUE(item.fmt & HDF_SORTUP);
    parent->SendMessage(WM_NOTIFY, IDC_SAVED_LIST, (LPARAM)&click);
    EXPECT_EQ((std::vector<std::string>{"Press && Line", "Mixer", "Dryer"}), Column(list, kColumnDeviceId));
    list.GetHeader().GetItem(kColumnDeviceId, &item);
    EXPECT_TRUE(item.fmt & HDF_SORTDOWN);
    EXPECT_FALSE(item.fmt & HDF_SORTUP);
    // Row colours travel with their rows.
    for (int row = 0; row < list.GetItemCount(); ++row)
        EXPECT_EQ(MachineRowColour(*list.GetRowMachine(row), false), list.GetRowColour(row)) << row;
}

TEST_F(MainWindowTest, FiltersShowOnlyMatchingSavedMachines)
{
    WriteSaved(kSaved);
    ASSERT_TRUE(Open());
    CMachinesListCtrl& list = Saved();
    list.ShowFilterBar(TRUE);
    list.SetColumnFilter(kColumnAddress, "10.");
    EXPECT_EQ(2, list.GetItemCount());
    list.SetColumnFilter(kColumnDeviceId, "er"); // Mixer, Dryer
    ASSERT_EQ(1, list.GetItemCount());
    EXPECT_STREQ("Dryer", list.GetItemText(0, kColumnDeviceId));
    list.SetColumnFilter(kColumnAddress, nullptr);
    EXPECT_EQ(2, list.GetItemCount());
    list.SetColumnFilter(kColumnDeviceId, nullptr);
    EXPECT_EQ(3, list.GetItemCount());
    // Filtering never touched the saved machines.
    EXPECT_EQ(3, list.GetMachines().GetCount());
}

TEST_F(MainWindowTest, FilterBarChangeSetsTheColumnFilter)
{
    WriteSaved(kSaved);
    ASSERT_TRUE(Open());
    CMachinesListCtrl& list = Saved();
    list.ShowFilterBar(TRUE);
    // A filter typed into the header's filter bar arrives as HDN_FILTERCHANGE.
    char text[] = "192";
    HD_TEXTFILTERA filter = {text, 256};
    HDITEMA item = {};
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &filter;
    list.GetHeader().SetItem(kColumnAddress, &item);
    char back[257] = "";
    HD_TEXTFILTERA readBack = {back, 256};
    HDITEMA check = item;
    check.pvFilter = &readBack;
    if (!list.GetHeader().GetItem(kColumnAddress, &check) || strcmp(back, "192") != 0)
        GTEST_SKIP() << "this system's header control keeps no filter texts";
    NMHEADERA change = {};
    change.hdr.hwndFrom = list.GetHeader().m_hWnd;
    change.hdr.code = HDN_FILTERCHANGE;
    change.iItem = kColumnAddress;
    list.SendMessage(WM_NOTIFY, 0, (LPARAM)&change);
    ASSERT_EQ(1, list.GetItemCount());
    EXPECT_STREQ("192.168.1.2", list.GetItemText(0, kColumnAddress));
    // No value: the column's filter goes.
    item.type = HDFT_ISSTRING | HDFT_HASNOVALUE;
    list.GetHeader().SetItem(kColumnAddress, &item);
    list.SendMessage(WM_NOTIFY, 0, (LPARAM)&change);
    EXPECT_EQ(3, list.GetItemCount());
}

TEST_F(MainWindowDiscoveryTest, RepliesFillTheDiscoveredListAndUpdateTheSavedMachine)
{
    const std::string ip = trovtest::AddressText(m_block | 1);
    const std::string saved = "<MACHINES>\n <MACHINE><HOSTNAME>old name</HOSTNAME><IF>1</IF><MAC>00:50:C2:00:00:01</MAC>"
                              "<KEY>10.9.9.9</KEY></MACHINE>\n</MACHINES>\n";
    WriteSaved(saved);
    ASSERT_TRUE(Open());
    AdoptSocket();
    AddController(1, ip.c_str(), "00:50:C2:00:00:01", "Mixer-1");
    AddController(2, trovtest::AddressText(m_block | 2).c_str(), "00:50:C2:00:00:02", "Press-2");
    ReceiveUntil(2);
    ASSERT_EQ(2, Discovered().GetItemCount());
    std::vector<std::string> hosts = Column(Discovered(), kColumnDeviceId);
    std::sort(hosts.begin(), hosts.end());
    EXPECT_EQ((std::vector<std::string>{"Mixer-1", "Press-2"}), hosts);
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(kRowColourAnswered, Discovered().GetRowColour(row));

    // The saved machine (same MAC and interface) took the reply and turned
    // black; machines.xml keeps its KEY and has the new name.
    ASSERT_EQ(1, Saved().GetItemCount());
    EXPECT_STREQ("Mixer-1", Saved().GetItemText(0, kColumnDeviceId));
    EXPECT_STREQ(ip.c_str(), Saved().GetItemText(0, kColumnAddress));
    EXPECT_EQ(kRowColourAnswered, Saved().GetRowColour(0));
    std::string file = trovtest::TempDir::Read(MachinesFile());
    EXPECT_NE(std::string::npos, file.find("<HOSTNAME>Mixer-1</HOSTNAME>")) << file;
    EXPECT_NE(std::string::npos, file.find("<KEY>10.9.9.9</KEY>")) << file;
}

TEST_F(MainWindowDiscoveryTest, SameAddressWithAnotherMacIsMarkedInBothLists)
{
    const std::string ip = trovtest::AddressText(m_block | 7);
    WriteSaved("<MACHINES><MACHINE><IF>1</IF><IF1><IP>" + ip + "</IP></IF1><MAC>AA</MAC><KEY>" + ip +
               "</KEY></MACHINE></MACHINES>");
    ASSERT_TRUE(Open());
    AdoptSocket();
    AddController(1, ip.c_str(), "AA", "first");
    AddController(2, ip.c_str(), "BB", "second");
    ReceiveUntil(2);
    ASSERT_EQ(2, Discovered().GetItemCount());
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(kRowColourDuplicate, Discovered().GetRowColour(row)) << row;
    ASSERT_EQ(1, Saved().GetItemCount());
    EXPECT_EQ(kRowColourDuplicate, Saved().GetRowColour(0));

    // A refresh clears the marks and the unsaved rows.
    m_window->SendMessage(WM_REFRESH_LOCAL);
    EXPECT_EQ(0, Discovered().GetItemCount());
    EXPECT_EQ(0, Saved().GetRowMachine(0)->m_duplicate);
    EXPECT_NE(kRowColourDuplicate, Saved().GetRowColour(0));
    EXPECT_EQ(2u, g_probes.size());
}

TEST_F(MainWindowDiscoveryTest, IdentificationButtonMakesTheRowBlinkFor59Ticks)
{
    ASSERT_TRUE(Open());
    AdoptSocket();
    AddController(1, trovtest::AddressText(m_block | 1).c_str(), "AA", "blinker", true);
    m_window->SetDebug(1); // later replies are logged
    ReceiveUntil(1);
    ASSERT_EQ(1, Discovered().GetItemCount());
    std::vector<COLORREF> colours;
    for (int tick = 0; tick < 62; ++tick) {
        m_window->SendMessage(WM_TIMER, CtrovconfDlg::kTimerTick);
        colours.push_back(Discovered().GetRowColour(0));
    }
    // Red every other tick while the count lasts, then black.
    EXPECT_EQ(kRowColourBlink, colours[0]);
    EXPECT_EQ(kRowColourAnswered, colours[1]);
    EXPECT_EQ(kRowColourBlink, colours[2]);
    int red = 0;
    for (COLORREF c : colours)
        red += c == kRowColourBlink;
    EXPECT_EQ(29, red);
    EXPECT_EQ(kRowColourAnswered, colours.back());
    // With the debug flag, each reply left its sender, text and verdict.
    CString log = m_window->GetLogPane().GetTextUtf8();
    EXPECT_EQ(0, log.Find("Received message from ")) << (const char*)log;
    EXPECT_NE(-1, log.Find("<IDENTBUTTON"));
    EXPECT_NE(-1, log.Find("Message OK\r\n"));
}

TEST_F(MainWindowTest, ClosingStoresTheLayoutAndTheNextStartRestoresIt)
{
    ASSERT_TRUE(Open());
    m_window->SetWindowPos(nullptr, 30, 40, 800, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    m_window->GetListSplitter().m_position = 150;
    m_window->GetListSplitter().Relayout();
    Discovered().SetColumnWidth(kColumnDeviceId, 150);
    CloseAndDestroy();
    std::string settings = trovtest::TempDir::Read(SettingsFolder() + "\\settings.xml");
    EXPECT_NE(std::string::npos, settings.find("<rect>30,40,830,600</rect>")) << settings;
    EXPECT_NE(std::string::npos, settings.find("<colwidths>120,150,180,")) << settings;
    EXPECT_NE(std::string::npos, settings.find("<splitter>150</splitter>")) << settings;

    ASSERT_TRUE(Open());
    // Open() placed the window itself; the stored place is applied at
    // initialisation, before that.
    EXPECT_EQ(150, m_window->GetListSplitter().m_position);
    EXPECT_EQ(150, Saved().GetColumnWidth(kColumnDeviceId));
    EXPECT_EQ(150, Discovered().GetColumnWidth(kColumnDeviceId));
    EXPECT_EQ(180, Discovered().GetColumnWidth(kColumnAppName));
    m_window->DestroyWindow();
    m_window.reset();
}

TEST_F(MainWindowTest, EscClosesWithoutStoringTheLayoutButSettingsAreStillWritten)
{
    WriteIni("[misc]\r\nname=TROVconf\r\nadapter=3\r\n");
    ASSERT_TRUE(Open());
    m_window->SendMessage(WM_COMMAND, IDCANCEL);
    if (::IsWindow(m_window->m_hWnd))
        m_window->DestroyWindow();
    m_window.reset();
    std::string settings = trovtest::TempDir::Read(SettingsFolder() + "\\settings.xml");
    EXPECT_NE(std::string::npos, settings.find("<VLUMEX")) << settings;
    EXPECT_EQ(std::string::npos, settings.find("<rect>")) << settings;
    EXPECT_EQ(std::string::npos, settings.find("<colwidths>")) << settings;
    EXPECT_EQ("3", IniValue("misc", "adapter"));
}

TEST_F(MainWindowTest, F5InEitherListRefreshes)
{
    ASSERT_TRUE(Open());
    for (CMachinesListCtrl* list : {&Saved(), &Discovered()}) {
        NMLVKEYDOWN key = {};
        key.hdr.hwndFrom = list->m_hWnd;
        key.hdr.idFrom = (UINT_PTR)list->GetDlgCtrlID();
        key.hdr.code = LVN_KEYDOWN;
        key.wVKey = VK_F5;
        list->GetParent()->SendMessage(WM_NOTIFY, key.hdr.idFrom, (LPARAM)&key);
    }
    EXPECT_EQ(3u, g_probes.size()); // the start-up probe and two refreshes
}

TEST_F(MainWindowTest, StoredRectangleOffTheScreenMovesToTheLeftEdge)
{
    ::CreateDirectoryA(SettingsFolder().c_str(), nullptr);
    int right = ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    char text[200];
    sprintf(text, "<VLUMEX><rect>%d,20,%d,320</rect><splitter>0</splitter></VLUMEX>", right - 100, right + 300);
    m_work.Write("x", "");
    FILE* f = fopen((SettingsFolder() + "\\settings.xml").c_str(), "wb");
    fputs(text, f);
    fclose(f);
    m_window.reset(new CtrovconfDlg);
    ASSERT_TRUE(m_window->Create(IDD_TROVCONF_DIALOG));
    CRect rect;
    m_window->GetWindowRect(&rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(400, rect.Width());
    EXPECT_EQ(20, rect.top);
    // A stored 0 is not applied: the bar stays where the layout put it
    // (400 pixels, less in a low window), never at 0.
    EXPECT_EQ(0, m_window->GetListSplitter().m_storedPosition);
    EXPECT_GE(m_window->GetListSplitter().m_position, 40);
    m_window->DestroyWindow();
}

TEST_F(MainWindowTest, AdapterMenuAndOutOfRangeIndex)
{
    WriteIni("[misc]\r\nname=TROVconf\r\nadapter=40\r\n");
    g_haveAdapters = true;
    for (int i = 0; i < 18; ++i) {
        char name[32];
        sprintf(name, "Adapter %d", i);
        g_fakeAdapters.push_back(Adapter(name, "127.0.0.1"));
    }
    ASSERT_TRUE(Open());
    EXPECT_EQ(0, m_window->GetAdapterIndex()); // 40 is out of range
    CMenu* menu = m_window->GetAdapterMenu();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(18u, menu->GetMenuItemCount());
    EXPECT_TRUE(menu->GetMenuState(0x4000, MF_BYCOMMAND) & MF_CHECKED);
    // The 17th adapter and later can be chosen too.
    m_window->SendMessage(WM_SYSCOMMAND, 0x4000 + 16 * 17);
    EXPECT_EQ(17, m_window->GetAdapterIndex());
    EXPECT_TRUE(menu->GetMenuState(0x4000 + 16 * 17, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(menu->GetMenuState(0x4000, MF_BYCOMMAND) & MF_CHECKED);
    CloseAndDestroy();
    EXPECT_EQ("17", IniValue("misc", "adapter"));
}

TEST_F(MainWindowTest, HeaderWidthFollowsInTheOtherListOnlyFromTheActiveList)
{
    ASSERT_TRUE(Open());
    HDITEMA item = {};
    item.mask = HDI_WIDTH;
    item.cxy = 150;
    NMHEADERA notification = {};
    notification.iItem = kColumnComment;
    notification.pitem = &item;
    m_window->SendMessage(WM_HEADER_WIDTH, (WPARAM)&Saved(), (LPARAM)&notification);
    EXPECT_EQ(120, Discovered().GetColumnWidth(kColumnComment)); // not the active list
    // A press on the saved list's header, passed up through both splitters.
    Saved().GetHeader().SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    Saved().GetHeader().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(&Saved(), m_window->GetActiveList());
    m_window->SendMessage(WM_HEADER_WIDTH, (WPARAM)&Saved(), (LPARAM)&notification);
    EXPECT_EQ(150, Discovered().GetColumnWidth(kColumnComment));
}

TEST_F(MainWindowTest, DroppedListFilesAreImportedWithTotals)
{
    WriteSaved(kSaved);
    ASSERT_TRUE(Open());
    std::string a = m_work.Write("a.tvl", "<MACHINES><MACHINE><HOSTNAME>n1</HOSTNAME><KEY>10.5.0.1</KEY></MACHINE>"
                                          "<MACHINE><HOSTNAME>dup</HOSTNAME><KEY>10.1.0.5</KEY></MACHINE></MACHINES>");
    std::string b = m_work.Write("b.tvl", "<MACHINES><MACHINE><KEY>10.5.0.2</KEY></MACHINE>"
                                          "<MACHINE><KEY>10.5.0.3</KEY></MACHINE></MACHINES>");
    std::string c = m_work.Write("c.tvl", "<OTHER/>");
    CStringArray paths;
    paths.Add(a.c_str());
    paths.Add(b.c_str());
    paths.Add(c.c_str());
    Saved().ImportDroppedFiles(paths);
    EXPECT_EQ(6, Saved().GetItemCount());
    ASSERT_EQ(2u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].text.find("Expecting MACHINES")) << g_boxes[0].text;
    EXPECT_EQ("Imported 3 machines. 1 skipped", g_boxes[1].text);
    std::string file = trovtest::TempDir::Read(MachinesFile());
    EXPECT_NE(std::string::npos, file.find("<KEY>10.5.0.3</KEY>"));

    // A drop of files that all fail says so once for each, without totals;
    // machines repeated inside one list count as skipped.
    g_boxes.clear();
    CStringArray failing;
    failing.Add(c.c_str());
    Saved().ImportDroppedFiles(failing);
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(std::string::npos, g_boxes[0].text.find("Expecting MACHINES")) << g_boxes[0].text;
    // An empty list says that it is empty, not that it cannot be opened.
    struct Unusable {
        const char* name;
        const char* text; // none: no such file
        const char* said;
    } unusable[] = {
        {"empty.tvl", "", " : The file is empty"},
        {"blank.tvl", " \r\n\t", " : The file is empty"},
        {"missing.tvl", nullptr, " : Can't open file"},
    };
    for (const Unusable& u : unusable) {
        g_boxes.clear();
        std::string path = u.text ? m_work.Write(u.name, u.text) : m_work.File(u.name);
        CStringArray one;
        one.Add(path.c_str());
        Saved().ImportDroppedFiles(one);
        ASSERT_EQ(1u, g_boxes.size()) << u.name;
        EXPECT_EQ(path + u.said, g_boxes[0].text) << u.name;
    }
    EXPECT_EQ(6, Saved().GetItemCount());
    g_boxes.clear();
    std::string twice = m_work.Write("d.tvl", "<MACHINES><MACHINE><KEY>10.6.0.1</KEY></MACHINE>"
                                              "<MACHINE><KEY>10.6.0.1</KEY></MACHINE></MACHINES>");
    CStringArray one;
    one.Add(twice.c_str());
    Saved().ImportDroppedFiles(one);
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("Imported 1 machines. 1 skipped", g_boxes[0].text);
}

TEST_F(MainWindowTest, DraggedRowsAreSavedOnceAndThePressOrderIsKept)
{
    ASSERT_TRUE(Open());
    CMachine* found = new CMachine(CIpAddress(0x0A000101), 0);
    found->m_mac = "CC";
    found->m_ifNumber = 1;
    found->m_state = kMachineAnswered;
    Discovered().GetMachines().SetMachine(found->m_address, found);
    Discovered().UpdateRow(found);
    Discovered().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Saved().TakeDroppedRows(&Discovered());
    ASSERT_EQ(1, Saved().GetItemCount());
    EXPECT_EQ(1, Saved().GetRowMachine(0)->m_inList);
    Saved().TakeDroppedRows(&Discovered()); // already saved: nothing
    EXPECT_EQ(1, Saved().GetItemCount());
    Discovered().TakeDroppedRows(&Discovered()); // on itself: nothing
    EXPECT_EQ(1, Discovered().GetItemCount());
    EXPECT_NE(std::string::npos, trovtest::TempDir::Read(MachinesFile()).find("<MAC>CC</MAC>"));
}

TEST(ConsoleListCtrl, ColourStoreGrowsSoRowsAreNeverDropped)
{
    trovtest::InitFrameworkForTests();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    CConsoleListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &parent, 1));
    list.InsertColumn(0, "A", LVCFMT_LEFT, 100);
    for (int i = 0; i < 300; ++i) {
        char text[16];
        sprintf(text, "%03d", i);
        int row = list.InsertRow(list.GetItemCount(), text);
        list.SetRowColour(row, (COLORREF)i);
    }
    EXPECT_EQ(300, list.GetItemCount());
    EXPECT_EQ(299u, list.GetRowColour(299));
    // Insertion at the top moves the colours down with their rows.
    EXPECT_EQ(0, list.InsertRow(0, "a&b"));
    EXPECT_STREQ("a&&b", list.GetItemText(0, 0));
    EXPECT_EQ(0u, list.GetRowColour(0));
    EXPECT_EQ(299u, list.GetRowColour(300));
    EXPECT_EQ(301, list.GetItemCount());
    list.DestroyWindow();
    parent.DestroyWindow();
}

TEST(Splitter, LayoutClampsHidesAndForwards)
{
    trovtest::InitFrameworkForTests();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 400, 400), nullptr, 0));
    CGSplitter outer, inner;
    CWnd top, bottom;
    ASSERT_TRUE(outer.Create(&inner, &bottom, &parent, 0, 1, 80));
    ASSERT_TRUE(inner.Create(&top, nullptr, &outer, 0, 2, 40));
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 1, 1), &inner, 3));
    inner.SetWindowPos(nullptr, 0, 0, 200, 300, SWP_NOZORDER);
    inner.m_position = 290;
    inner.Relayout();
    EXPECT_EQ(260, inner.m_position);
    CRect rect;
    top.GetWindowRect(&rect);
    EXPECT_EQ(260, rect.Height());
    inner.m_secondShown = 0;
    inner.Relayout();
    EXPECT_EQ(300, inner.m_position);
    inner.m_secondShown = 1;
    inner.Relayout();
    EXPECT_EQ(260, inner.m_position);
    // Dragging above the top leaves the bar at the minimum.
    inner.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 262));
    inner.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, (WORD)-500));
    inner.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 0));
    EXPECT_EQ(40, inner.m_position);
    // WM_APP+106 through both splitters reaches the top window unchanged;
    // WM_APP+108 is not passed on.
    struct Catcher : CWnd {
        WPARAM got = 0;
        UINT message = 0;
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
        {
            if (m >= WM_APP + 100) {
                got = w;
                message = m;
                return 7;
            }
            return CWnd::WindowProc(m, w, l);
        }
    } catcher;
    catcher.SubclassWindow(parent.Detach());
    EXPECT_EQ(7, inner.SendMessage(WM_APP + 106, 0x1234, 0));
    EXPECT_EQ(0x1234u, catcher.got);
    catcher.got = 0;
    inner.SendMessage(WM_APP + 108, 0x55, 0);
    EXPECT_EQ(0u, catcher.got);
    catcher.DestroyWindow();
}

TEST(GZUDPEdit, Utf8AtTheWindowAndDeletion)
{
    trovtest::InitFrameworkForTests();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    CGZUDPEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 199, 99), &parent, 5));
    CRect rect;
    edit.GetWindowRect(&rect);
    EXPECT_EQ(200, rect.Width());
    const char* text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";   // "Grüße €"
    edit.SetTextUtf8(text);
    EXPECT_EQ(7, ::GetWindowTextLengthW(edit.m_hWnd));
    int count = 0;
    EXPECT_STREQ(text, edit.GetTextUtf8(&count));
    EXPECT_EQ((int)strlen(text) + 1, count);
    // Deleting the selected "ü" removes the whole character.
    ::SendMessageW(edit.m_hWnd, EM_SETSEL, 2, 3);
    edit.DeleteSelection();
    EXPECT_STREQ("Gr\xC3\x9F" "e \xE2\x82\xAC", edit.GetTextUtf8());
    // Nothing selected: the character after the caret.
    ::SendMessageW(edit.m_hWnd, EM_SETSEL, 5, 5);
    edit.DeleteSelection();
    EXPECT_STREQ("Gr\xC3\x9F" "e ", edit.GetTextUtf8());
    edit.SetTextUtf8("");
    edit.AppendLine("Broadcasting...", 1);
    edit.AppendLine("Interface 10.0.0.1 : Broadcast ok", 1);
    EXPECT_STREQ("Broadcasting...\r\nInterface 10.0.0.1 : Broadcast ok\r\n", edit.GetTextUtf8());

    // At its limit the log keeps the newest lines and drops the oldest,
    // whole lines at a time.
    CGZUDPEdit pane;
    ASSERT_TRUE(pane.Create(WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY, CRect(0, 0, 199, 39), &parent, 6,
                            nullptr, 100));
    for (int i = 0; i < 30; ++i) {
        char line[16];
        sprintf(line, "line %02d", i);
        pane.AppendLine(line, 1);
    }
    std::string log = (const char*)pane.GetTextUtf8();
    EXPECT_LE(log.size(), 100u);
    EXPECT_EQ(0u, log.find("line ")) << log;
    EXPECT_EQ("line 28\r\nline 29\r\n", log.substr(log.size() - 18)) << log;
    EXPECT_EQ(std::string::npos, log.find("line 00"));
    // A single text longer than the limit leaves its end.
    pane.AppendLine(std::string(150, 'x').append("end").c_str(), 1);
    log = (const char*)pane.GetTextUtf8();
    EXPECT_EQ(100u, log.size());
    EXPECT_EQ("xxend\r\n", log.substr(log.size() - 7));
    // So does a block of many lines (a slice of discovery replies in debug
    // mode): its newest whole lines, the first of them not cut.
    std::string block;
    for (int i = 0; i < 40; ++i) {
        char line[16];
        sprintf(line, "entry %03d\r\n", i);
        block += line;
    }
    for (bool emptyBefore : {true, false}) {
        if (emptyBefore)
            pane.SetTextUtf8("");
        pane.AppendLine(block.c_str(), 0);
        log = (const char*)pane.GetTextUtf8();
        EXPECT_LE(log.size(), 100u);
        EXPECT_EQ(0u, log.find("entry ")) << log;
        EXPECT_EQ(0u, log.size() % 11) << log;
        EXPECT_EQ("entry 039\r\n", log.substr(log.size() - 11)) << log;
    }
    pane.DestroyWindow();

    // The Delete key on a read-only edit does nothing (and is consumed).
    edit.ModifyStyle(0, ES_READONLY);
    ::SendMessageW(edit.m_hWnd, EM_SETREADONLY, TRUE, 0);
    ::SendMessageW(edit.m_hWnd, EM_SETSEL, 0, 3);
    MSG key = {edit.m_hWnd, WM_KEYDOWN, VK_DELETE, 0, 0, {0, 0}};
    EXPECT_TRUE(edit.PreTranslateMessage(&key));
    EXPECT_STREQ("Broadcasting...\r\nInterface 10.0.0.1 : Broadcast ok\r\n", edit.GetTextUtf8());
    HDC dc = ::GetDC(edit.m_hWnd);
    HBRUSH brush = (HBRUSH)parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit.m_hWnd);
    EXPECT_NE(nullptr, brush);
    EXPECT_EQ(RGB(0xF0, 0xF0, 0xF0), ::GetBkColor(dc));
    edit.SetError(TRUE);
    parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit.m_hWnd);
    EXPECT_EQ(RGB(0xFF, 0x80, 0x80), ::GetBkColor(dc));
    ::ReleaseDC(edit.m_hWnd, dc);
    edit.DestroyWindow();
    parent.DestroyWindow();
}
