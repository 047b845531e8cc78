// The controller connection end to end: CSocketTrov runs operations over
// simulated controllers on loopback addresses (port 38254), its status list
// and progress bar in a hidden window, the reply timeout on a test clock.
#include "framework/win/ListCtrl.h"
#include "framework/win/ListCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/win/AppSeams.h"
#include "app/win/AppDialogs.h"
#include "app/win/SocketTrov.h"
#include "support/AppContainer.h"
#include "tests/app/DrbText.h"
#include "tests/app/win/ControllerRunFixture.h"
#include "tests/common/AppContainerFile.h"
#include "tests/common/Loopback.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/SimTcpController.h"
#include "tests/common/TempDir.h"
#include "tests/common/TestBytes.h"

namespace {

using trovtest::g_fakeTick;
using trovtest::HexRecord;
using trovtest::Pattern;
using trovtest::SimTcpBehaviour;
using trovtest::SimTcpController;

std::vector<std::string> g_messages;
int RecordMessage(HWND, const char* text, const char*, UINT)
{
    g_messages.push_back(text);
    return IDOK;
}

// Lets a test hand the run a connection outcome the loopback cannot produce.
class ConnectOutcomeSocket : public CSocketTrov {
public:
    using CSocketTrov::OnConnect;
};

class SocketTrovTest : public ::testing::Test, protected trovtest::ControllerRunFixture {
protected:
    void SetUp() override
    {
        SetUpControllerRun();
        ASSERT_TRUE(m_host.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 600, 300, nullptr, nullptr));
        ASSERT_TRUE(m_list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 500, 200), &m_host, 1003));
        ASSERT_TRUE(m_progress.Create(WS_CHILD | PBS_SMOOTH, CRect(0, 210, 500, 230), &m_host, 1001));
        m_socket.reset(new ConnectOutcomeSocket());
        m_socket->SetControls(&m_list, &m_progress);
    }

    void TearDown() override
    {
        m_socket.reset();
        TearDownControllerRun();
        m_progress.DestroyWindow();
        m_list.DestroyWindow();
        m_host.DestroyWindow();
    }

    CMachine* Machine(int last)
    {
        CMachine* machine = NewMachine(last);
        m_socket->GetMachineList().AddTail(machine);
        return machine;
    }

    // Starts the run and pumps messages until it is over (or the time is up),
    // checking the reply timeout on every pass like the progress window.
    bool Run(const char* password = "secret", DWORD timeoutMs = 15000)
    {
        m_socket->Start(password);
        return trovtest::PumpUntil([&] { return m_socket->IsRunOver(); }, timeoutMs);
    }

    std::string Row(int row) const { return (const char*)m_list.GetItemText(row, 1); }
    std::string RowAddress(int row) const { return (const char*)m_list.GetItemText(row, 0); }
    int Position() const { return m_progress.GetPos(); }

    CWnd m_host;
    CListCtrl m_list;
    CProgressCtrl m_progress;
    std::unique_ptr<CSocketTrov> m_socket;
};

TEST_F(SocketTrovTest, PollReadsEachMachinesIdentityAndSequenceNumbersRunOn)
{
    SimTcpController& first = Controller(2);
    SimTcpController& second = Controller(3, "");
    CMachine* a = Machine(2);
    CMachine* b = Machine(3);
    ASSERT_TRUE(Run(""));
    EXPECT_EQ(trovtest::AddressText(Address(2)), RowAddress(0));
    EXPECT_EQ("Up", Row(0));
    EXPECT_EQ("Up", Row(1));
    EXPECT_EQ("Line 2", std::string((const char*)a->m_hostName));
    EXPECT_EQ(kBoardK420, a->m_boardType);
    EXPECT_EQ(kMachineAnswered, a->m_state);
    EXPECT_EQ("Line 3", std::string((const char*)b->m_hostName));
    EXPECT_EQ((std::vector<uint16_t>{1}), first.Sequences());
    EXPECT_EQ((std::vector<uint16_t>{2}), second.Sequences());
    EXPECT_EQ(4, Position());
    EXPECT_EQ(SESSION_DONE, m_socket->GetState());
}

TEST_F(SocketTrovTest, RestartWithLoginOutcomesAndARefusedConnection)
{
    Controller(2);
    SimTcpController& wrong = Controller(3);
    wrong.Change([](SimTcpBehaviour& b) { b.password = "other"; });
    SimTcpController& old = Controller(4);
    old.Change([](SimTcpBehaviour& b) { b.loginReplySize = 7; });
    SimTcpController& older = Controller(6);
    older.Change([](SimTcpBehaviour& b) { b.loginReplySize = 6; });
    for (int last : {2, 3, 4, 5, 6})
        Machine(last);
    m_socket->SetOperation(OP_RESTART);
    m_socket->SetRestartValue(RUNTIME_RESTART_KEEP);
    ASSERT_TRUE(Run());
    EXPECT_EQ("Ok.", Row(0));
    EXPECT_EQ("Bad password", Row(1));
    EXPECT_EQ("Connection failed. Only v4+ firmware supported", Row(2));
    EXPECT_EQ("The attempt to connect was forcefully rejected.", Row(3));
    EXPECT_EQ("Connection failed. Only v4+ firmware supported", Row(4));
    EXPECT_EQ((std::vector<uint16_t>{RUNTIME_STOP, RUNTIME_RESTART_KEEP}), m_sims[0]->RuntimeParameters());
    EXPECT_EQ(10, Position());
    // Steps: 1 + 1, 1 + 2, 1 + 2, 2, 1 + 2 of 10.
}

TEST_F(SocketTrovTest, IoFirmwareUploadsInTheBoardsChunkSize)
{
    trovtest::TempDir dir;
    std::string data = Pattern(5000, 3);
    std::string path = dir.Write("io.rbf", data);
    SimTcpController& small = Controller(2, "K420");
    SimTcpController& large = Controller(3, "");
    Machine(2);
    Machine(3);
    m_socket->SetIoFirmwareFile(path.c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Ok. IO Upgrade Started.", Row(0));
    EXPECT_EQ("Ok. IO Upgrade Started.", Row(1));
    ASSERT_EQ(1u, small.Uploads().size());
    EXPECT_EQ((std::vector<size_t>{1024, 1024, 1024, 1024, 904, 0}), small.Uploads()[0].chunks);
    EXPECT_EQ((std::vector<size_t>{4000, 1000, 0}), large.Uploads()[0].chunks);
    EXPECT_TRUE(data == small.UploadedFile("IOFIRMWARE"));
    EXPECT_TRUE(data == large.UploadedFile("IOFIRMWARE"));
    trovtest::PumpUntil([&] { return large.RuntimeParameters().size() == 1; }, 2000);
    EXPECT_EQ((std::vector<uint16_t>{RUNTIME_START_IO_UPGRADE}), small.RuntimeParameters());
    EXPECT_EQ((std::vector<uint16_t>{RUNTIME_START_IO_UPGRADE}), large.RuntimeParameters());
    // The second machine's messages carry on from the first's.
    EXPECT_EQ(small.Sequences().back() + 1, large.Sequences().front());
    EXPECT_TRUE(small.Violations().empty());
    EXPECT_TRUE(large.Violations().empty());
}

TEST_F(SocketTrovTest, AChunksReplyIsKnownByItsSequenceNumberNotByEchoingTheChunk)
{
    // The begin of the upload stays the last command: a chunk's reply with a
    // stale sequence number that echoes the chunk is not taken, and the step
    // ends through the reply timeout.
    trovtest::TempDir dir;
    std::string path = dir.Write("io.rbf", Pattern(5000, 3));
    SimTcpController& sim = Controller(2, "");
    sim.Change([](SimTcpBehaviour& b) { b.faults[CMD_DATA].wrongSequence = true; });
    Machine(2);
    m_socket->SetIoFirmwareFile(path.c_str());
    m_socket->Start("secret");
    ASSERT_TRUE(trovtest::PumpUntil([&] { return sim.Uploads().size() == 1 && sim.Uploads()[0].chunks.size() == 1; },
                                    5000));
    trovtest::PumpUntil([] { return false; }, 200);
    EXPECT_EQ(1u, sim.Uploads()[0].chunks.size()); // no second chunk
    EXPECT_TRUE(m_socket->IsWaiting());
    g_fakeTick += 30001;
    EXPECT_EQ(0, m_socket->CheckTimeout());
    EXPECT_EQ("Timeout", Row(0));
}

TEST_F(SocketTrovTest, UploadErrorsShowTheControllersReason)
{
    const struct {
        uint16_t code;
        int at;
        const char* text;
    } cases[] = {
        {0, 0, "Trov refused connection. Bad Password?"},
        {1, 1, "Incorrect password"},
        {2, 2, "Invalid application type (runcode mismatch)"},
        {3, 1, "Incompatible target (FRAM mismatch)"},
        {4, 0, "File type unsupported"},
        {5, 2, "Unknown error code : 5"},
    };
    trovtest::TempDir dir;
    std::string path = dir.Write("io.rbf", Pattern(9000, 4));
    int last = 2;
    for (const auto& c : cases) {
        SimTcpController& sim = Controller(last, "");
        sim.Change([&](SimTcpBehaviour& b) {
            b.uploadErrorAt = c.at;
            b.uploadErrorCode = c.code;
        });
        Machine(last++);
    }
    m_socket->SetIoFirmwareFile(path.c_str());
    ASSERT_TRUE(Run());
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        EXPECT_EQ(cases[i].text, Row((int)i));
        EXPECT_TRUE(m_sims[i]->RuntimeParameters().empty());
    }
    EXPECT_EQ(12, Position());
}

TEST_F(SocketTrovTest, EventLogsOfSeveralMachinesGoToFilesOfTheirOwn)
{
    trovtest::TempDir dir;
    const std::string empty, log = Pattern(100000, 5);
    SimTcpController& a = Controller(2);
    a.Change([&](SimTcpBehaviour& b) { b.eventLog = empty; });
    SimTcpController& c = Controller(3);
    c.Change([&](SimTcpBehaviour& b) {
        b.eventLog = log;
        b.segmentation.sizes = {5, 3, 4093, 1, 20000};
        b.segmentation.pauseMs = 1;
    });
    Machine(2);
    Machine(3);
    m_socket->SetOperation(OP_EVENT_LOG);
    m_socket->SetOutputPath(dir.File("events.log").c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Event Log Retrieved.", Row(0));
    EXPECT_EQ("Event Log Retrieved.", Row(1));
    std::string first = dir.File("events_" + trovtest::AddressText(Address(2)) + ".log");
    std::string second = dir.File("events_" + trovtest::AddressText(Address(3)) + ".log");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(first.c_str()));
    EXPECT_TRUE(trovtest::TempDir::Read(first).empty());
    EXPECT_TRUE(log == trovtest::TempDir::Read(second));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(dir.File("events.log").c_str()));
}

TEST_F(SocketTrovTest, OneMachinesEventLogKeepsTheChosenNameAndABackupIsNamedByMacAndTime)
{
    trovtest::TempDir dir;
    const std::string log = Pattern(3000, 6), backup = Pattern(40000, 7);
    SimTcpController& sim = Controller(2);
    sim.Change([&](SimTcpBehaviour& b) {
        b.eventLog = log;
        b.backupFile = backup;
        b.identity.mac = "00-0A-0B-0C-0D-02";
    });
    Machine(2);
    m_socket->SetOperation(OP_EVENT_LOG);
    m_socket->SetOutputPath(dir.File("kernel.log").c_str());
    ASSERT_TRUE(Run());
    EXPECT_TRUE(log == trovtest::TempDir::Read(dir.File("kernel.log")));

    m_socket.reset(new CSocketTrov());
    m_list.DeleteAllItems();
    while (m_list.DeleteColumn(0)) {
    }
    m_socket->SetControls(&m_list, &m_progress);
    m_progress.SetPos(0);
    Machine(2);
    m_socket->SetOperation(OP_BACKUP);
    std::string folder = trovtest::Backslashed(dir.Path());
    m_socket->SetBackupFolder(folder.c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Backup Complete.", Row(0));
    std::string path = (const char*)m_socket->GetOutputPath();
    EXPECT_EQ(0u, path.find(folder + "\\00-0A-0B-0C-0D-02_"));
    ASSERT_EQ(folder.size() + 1 + 17 + 1 + 14 + 1 + 10, path.size());
    EXPECT_EQ("_plant2.lmx", path.substr(path.size() - 11));
    EXPECT_TRUE(backup == trovtest::TempDir::Read(path));
}

TEST_F(SocketTrovTest, ADownloadThatCannotBeWrittenFailsAndLeavesNoFile)
{
    trovtest::TempDir dir;
    SimTcpController& sim = Controller(2);
    sim.Change([&](SimTcpBehaviour& b) { b.eventLog = Pattern(50000, 8); });
    Controller(3);
    Machine(2);
    Machine(3);
    m_socket->SetOperation(OP_EVENT_LOG);
    std::string target = dir.File("missing-folder/events.log");
    m_socket->SetOutputPath(target.c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Can't write local file", Row(0));
    EXPECT_EQ("Can't write local file", Row(1));
    EXPECT_EQ(4, Position());
}

TEST_F(SocketTrovTest, ADownloadCutOffLeavesNoPartialFileAndTheRowSaysSo)
{
    trovtest::TempDir dir;
    // The connection closes in the middle of the event log; the next
    // machine's backup stalls half-way until the reply timeout.
    SimTcpController& closing = Controller(2);
    closing.Change([&](SimTcpBehaviour& b) {
        b.eventLog = Pattern(50000, 4);
        b.faults[CMD_GET_LOG].closeAfterBytes = 20000;
    });
    Machine(2);
    m_socket->SetOperation(OP_EVENT_LOG);
    std::string log = dir.File("kernel.log");
    m_socket->SetOutputPath(log.c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Connection closed. Incomplete file removed.", Row(0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(log.c_str()));

    m_socket.reset(new CSocketTrov());
    m_list.DeleteAllItems();
    while (m_list.DeleteColumn(0)) {
    }
    m_socket->SetControls(&m_list, &m_progress);
    SimTcpController& stalling = Controller(3);
    stalling.Change([&](SimTcpBehaviour& b) {
        b.backupFile = Pattern(50000, 5);
        b.segmentation.sizes = {20000, 40000};
        b.segmentation.pauseMs = 2500;
    });
    Machine(3);
    m_socket->SetOperation(OP_BACKUP);
    m_socket->SetBackupFolder(trovtest::Backslashed(dir.Path()).c_str());
    m_socket->Start("secret");
    ASSERT_TRUE(trovtest::PumpUntil([&] { return Row(0).find("Got") == 0; }, 5000)) << Row(0);
    // What came so far is in a file of its own beside the backup's name.
    std::string backup = (const char*)m_socket->GetOutputPath();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(backup.c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((backup + ".part").c_str()));
    g_fakeTick += 30001;
    EXPECT_EQ(0, m_socket->CheckTimeout());
    EXPECT_EQ("Timeout. Incomplete file removed.", Row(0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(backup.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((backup + ".part").c_str()));
}

TEST_F(SocketTrovTest, ADownloadOverAnExistingFileReplacesItOnlyWhenComplete)
{
    // The chosen event-log file is there already and the overwrite was
    // confirmed: a transfer that is cut off (closed, or silent until the
    // timeout) leaves it as it was; a whole one replaces it.  Nothing else
    // is left in the folder.
    const std::string kOld = "the log kept from last week";
    const std::string kNew = Pattern(50000, 6);
    struct Case {
        const char* what;
        int closeAfterBytes;  // -1: the whole log comes, unless stalling
        bool stall;           // the second half waits past the timeout
        const char* row;
        bool replaced;
    } cases[] = {
        {"connection closed half-way", 20000, false, "Connection closed. Incomplete file removed.", false},
        {"silent half-way", -1, true, "Timeout. Incomplete file removed.", false},
        {"complete", -1, false, "Event Log Retrieved.", true},
    };
    int last = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        trovtest::TempDir dir;
        std::string log = dir.Write("kernel.log", kOld);
        m_socket.reset(new ConnectOutcomeSocket());
        m_list.DeleteAllItems();
        while (m_list.DeleteColumn(0)) {
        }
        m_socket->SetControls(&m_list, &m_progress);
        SimTcpController& sim = Controller(last);
        sim.Change([&](SimTcpBehaviour& b) {
            b.eventLog = kNew;
            if (c.closeAfterBytes >= 0)
                b.faults[CMD_GET_LOG].closeAfterBytes = c.closeAfterBytes;
            if (c.stall) {
                b.segmentation.sizes = {20000, 40000};
                b.segmentation.pauseMs = 2500;
            }
        });
        Machine(last++);
        m_socket->SetOperation(OP_EVENT_LOG);
        m_socket->SetOutputPath(log.c_str());
        if (c.stall) {
            m_socket->Start("secret");
            ASSERT_TRUE(trovtest::PumpUntil([&] { return Row(0).find("Got") == 0; }, 5000)) << Row(0);
            g_fakeTick += 30001;
            EXPECT_EQ(0, m_socket->CheckTimeout());
        } else {
            ASSERT_TRUE(Run());
        }
        EXPECT_EQ(c.row, Row(0));
        EXPECT_TRUE((c.replaced ? kNew : kOld) == trovtest::TempDir::Read(log));
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE find = ::FindFirstFileA((dir.Path() + "\\*").c_str(), &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, find);
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (::FindNextFileA(find, &found));
        ::FindClose(find);
        EXPECT_EQ((std::vector<std::string>{"kernel.log"}), names);
    }
}

TEST_F(SocketTrovTest, RepliesThatNeverComeEndTheStepAfterThirtySeconds)
{
    const struct {
        const char* name;
        trovtest::SimReplyFault fault;
    } cases[] = {
        {"silent", [] { trovtest::SimReplyFault f; f.silent = true; return f; }()},
        {"wrong sequence and command", [] { trovtest::SimReplyFault f; f.wrongSequence = f.wrongEcho = true; return f; }()},
        {"word 3 above 4095", [] { trovtest::SimReplyFault f; f.lengthWord = 4096; return f; }()},
        {"closed in the middle", [] { trovtest::SimReplyFault f; f.closeAfterBytes = 20; return f; }()},
    };
    int last = 2;
    for (const auto& c : cases) {
        SimTcpController& sim = Controller(last);
        trovtest::SimReplyFault fault = c.fault;
        sim.Change([&](SimTcpBehaviour& b) { b.faults[CMD_IDENTIFY] = fault; });
        Machine(last++);
    }
    // An identity text that is not a TROV document counts as no reply.
    SimTcpController& foreign = Controller(last);
    foreign.Change([](SimTcpBehaviour& b) { b.identityXml = "<OTHER><MAC>AA</MAC></OTHER>"; });
    Machine(last++);
    Controller(last);
    Machine(last);
    m_socket->Start("");
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(cases[i].name);
        ASSERT_TRUE(trovtest::PumpUntil([&] { return m_sims[i]->Messages().size() == 1; }, 3000));
        trovtest::PumpUntil([] { return false; }, 100);
        EXPECT_TRUE(m_socket->IsWaiting());
        g_fakeTick += 30000;
        EXPECT_EQ(1, m_socket->CheckTimeout()); // exactly 30 s is not yet too long
        g_fakeTick += 1;
        EXPECT_EQ(0, m_socket->CheckTimeout());
        EXPECT_EQ("Timeout", Row((int)i));
        EXPECT_EQ((int)i + 1, Position()); // a timeout adds nothing to the connection's step
    }
    ASSERT_TRUE(trovtest::PumpUntil([&] { return m_sims[4]->Messages().size() == 1; }, 3000));
    trovtest::PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(m_socket->IsWaiting());
    g_fakeTick += 30001;
    EXPECT_EQ(0, m_socket->CheckTimeout());
    EXPECT_EQ("Timeout", Row(4));
    ASSERT_TRUE(trovtest::PumpUntil([&] { return m_socket->IsRunOver(); }, 3000));
    EXPECT_EQ("Up", Row(5));
    EXPECT_EQ(12, Position());
}

TEST_F(SocketTrovTest, XmlCommandsAndResultFailures)
{
    SimTcpController& ok = Controller(2);
    SimTcpController& refused = Controller(3);
    refused.Change([](SimTcpBehaviour& b) { b.xmlCommandSucceeds = false; });
    Machine(2);
    Machine(3);
    const char* command = "<TROV><COMMAND>Identify</COMMAND><MAC>00:0A:0B:0C:0D:02</MAC></TROV>";
    m_socket->SetXmlCommand(command);
    ASSERT_TRUE(Run());
    EXPECT_EQ("Reconfigured", Row(0));
    // The text is sent once per window.
    EXPECT_EQ((std::vector<std::string>{command}), ok.XmlCommands());
    EXPECT_EQ("Sending Command.", Row(1));

    // Runtime results that fail.
    m_socket.reset(new CSocketTrov());
    m_list.DeleteAllItems();
    m_socket->SetControls(&m_list, &m_progress);
    ok.Change([](SimTcpBehaviour& b) { b.runtimeFailures = {RUNTIME_STOP}; });
    refused.Change([](SimTcpBehaviour& b) { b.runtimeFailures = {RUNTIME_RESTART_KEEP}; });
    Machine(2);
    Machine(3);
    m_socket->SetOperation(OP_RESTART);
    ASSERT_TRUE(Run());
    EXPECT_EQ("Couldn't stop runtime", Row(0));
    EXPECT_EQ("Restart Failed", Row(1));
}

TEST_F(SocketTrovTest, SmallBoardFirmwareIsBuiltFromItsHexFileAndSentAsAnImage)
{
    trovtest::TempDir dir;
    // 16 bytes at 0, 4 bytes at 0x1500: the image's used part is 0x1504 bytes.
    std::string hex = HexRecord(0, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) +
                      HexRecord(0, 0x1500, {0xAA, 0xBB, 0xCC, 0xDD}) + HexRecord(1, 0, {});
    std::string path = dir.Write("K420_4v3r1.hex", hex);
    SimTcpController& sim = Controller(2, "K420");
    Machine(2);
    m_socket->SetFirmwareFile(path.c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Ok. Restarted.", Row(0));
    ASSERT_EQ(1u, sim.Uploads().size());
    EXPECT_EQ("UPDATE", sim.Uploads()[0].kind);
    EXPECT_EQ((std::vector<size_t>{1024, 1024, 1024, 1024, 1024, 260, 0}), sim.Uploads()[0].chunks);
    std::string image = sim.UploadedFile("UPDATE");
    ASSERT_EQ(0x1504u, image.size());
    EXPECT_EQ(1, image[0]);
    EXPECT_EQ((char)0xFF, image[16]);
    EXPECT_EQ((char)0xDD, image[0x1503]);
    trovtest::PumpUntil([&] { return sim.RuntimeParameters().size() == 1; }, 2000);
    EXPECT_EQ((std::vector<uint16_t>{RUNTIME_RESTART_FIRMWARE}), sim.RuntimeParameters());
}

TEST_F(SocketTrovTest, UploadPreparationsThatFailGiveUpOnTheMachine)
{
    trovtest::TempDir dir;
    m_seams.Replace(g_appSeams.messageBox, &RecordMessage);
    g_messages.clear();
    std::string zipped = dir.Write("io.rbf", std::string("PK\x03\x04", 4) + Pattern(100, 9));
    // A zipped image is refused for a board of known type, with its message.
    SimTcpController& known = Controller(2, "K430");
    Machine(2);
    m_socket->SetIoFirmwareFile(zipped.c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Up", Row(0));
    EXPECT_TRUE(known.Uploads().empty());
    EXPECT_EQ((std::vector<std::string>{"RBF file is zipped ... please unzip and try again"}), g_messages);
    EXPECT_EQ(2, Position());

    // A firmware file that is gone by the time the machine is reached.
    m_socket.reset(new CSocketTrov());
    m_list.DeleteAllItems();
    m_socket->SetControls(&m_list, &m_progress);
    Machine(2);
    m_socket->SetIoFirmwareFile(dir.File("gone.rbf").c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Up", Row(0));
    EXPECT_TRUE(known.Uploads().empty());
}

TEST_F(SocketTrovTest, AnEmptyFileUploadsAsTheClosingChunkAlone)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("empty.rbf", std::string());
    SimTcpController& sim = Controller(2, "");
    Machine(2);
    m_socket->SetIoFirmwareFile(path.c_str());
    ASSERT_TRUE(Run());
    EXPECT_EQ("Ok. IO Upgrade Started.", Row(0));
    ASSERT_EQ(1u, sim.Uploads().size());
    EXPECT_EQ((std::vector<size_t>{0}), sim.Uploads()[0].chunks);
    EXPECT_TRUE(sim.Uploads()[0].finished);
}

TEST_F(SocketTrovTest, RepliesInOddPiecesAndTwoRepliesInOneSegment)
{
    // The identity's header arrives in pieces of 3 and 5 bytes, the text
    // after it in small pieces; a stray reply follows the login reply in
    // the same segment and is not taken for the next one.
    SimTcpController& split = Controller(2);
    split.Change([](SimTcpBehaviour& b) {
        b.segmentation.sizes = {3, 5, 10, 1, 7};
        b.segmentation.pauseMs = 5;
    });
    SimTcpController& stray = Controller(3);
    stray.Change([](SimTcpBehaviour& b) { b.extraAfterReply[CMD_LOGIN] = trovtest::SimReplyBytes(0x4444, 0x55, 8, 0); });
    Machine(2);
    Machine(3);
    m_socket->SetOperation(OP_RESTART);
    ASSERT_TRUE(Run());
    EXPECT_EQ("Ok.", Row(0));
    EXPECT_EQ("Ok.", Row(1));
    EXPECT_EQ((std::vector<uint16_t>{RUNTIME_STOP, RUNTIME_RESTART_KEEP}), stray.RuntimeParameters());
}

TEST_F(SocketTrovTest, InstallSendsTheFileBuiltForTheMachineAndRestarts)
{
    trovtest::TempDir dir;
    const char kId[] = "6f2d0c1e-8a4b-4c3d-9e5f-0123456789ab";
    const std::string setups = "<SETUPS><SETUP><NAME>Base</NAME><INPUTS><ENTRY><ID>10</ID><VALUE>1.5</VALUE>"
                               "</ENTRY></INPUTS></SETUP></SETUPS>";
    const std::string app = trovtest::DrbText(trovtest::SampleApplication(), "4.2.1");
    std::string path = dir.File("plant.lmx");
    ASSERT_NO_FATAL_FAILURE(
        trovtest::WriteAppContainer(path, {{"id", kId}, {"setup", setups}, {"app", app, true}}, kId));
    const struct {
        BOOL keep;
        const char* text;
        uint16_t restart;
    } cases[] = {{TRUE, "App Installed. Restarted.", RUNTIME_RESTART_KEEP},
                 {FALSE, "App Installed. Restarted and cleared totals.", RUNTIME_RESTART_CLEAR}};
    SimTcpController& sim = Controller(2, "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        sim.ClearRecords();
        m_socket.reset(new ConnectOutcomeSocket());
        m_list.DeleteAllItems();
        m_socket->SetControls(&m_list, &m_progress);
        Machine(2);
        m_socket->SetInstallParameters(path.c_str(), "Base", c.keep);
        ASSERT_TRUE(Run());
        EXPECT_EQ(c.text, Row(0));
        std::string sent = sim.UploadedFile("APPLICATION");
        EXPECT_FALSE(sent.empty());
        ASSERT_TRUE(trovtest::PumpUntil([&] { return sim.RuntimeParameters().size() == 3; }, 2000));
        EXPECT_EQ((std::vector<uint16_t>{RUNTIME_INSTALL_APP, RUNTIME_STOP, c.restart}), sim.RuntimeParameters());
    }
}

TEST_F(SocketTrovTest, AnIdentityWithoutItsTerminatorIsReadWithinItsReply)
{
    SimTcpController& sim = Controller(2);
    sim.Change([](SimTcpBehaviour& b) {
        b.identityXml = "<TROV><HOSTNAME>Kiln</HOSTNAME><K430/></TROV>";
        b.identityTerminator = false;
    });
    CMachine* machine = Machine(2);
    ASSERT_TRUE(Run(""));
    EXPECT_EQ("Up", Row(0));
    EXPECT_EQ("Kiln", std::string((const char*)machine->m_hostName));
    EXPECT_EQ(kBoardK430, machine->m_boardType);
}

TEST_F(SocketTrovTest, DestroyingTheConnectionDuringAnUploadSendsNoFurtherChunk)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("io.rbf", Pattern(400000, 11));
    // Slow replies, so that the upload is surely under way when it is cut.
    SimTcpController& sim = SlowController(2, 5);
    Machine(2);
    m_socket->SetIoFirmwareFile(path.c_str());
    m_socket->Start("secret");
    ASSERT_TRUE(trovtest::PumpUntil(
        [&] { return !sim.Uploads().empty() && sim.Uploads()[0].chunks.size() >= 3; }, 5000));
    m_socket.reset();
    size_t chunks = sim.Uploads()[0].chunks.size();
    trovtest::PumpUntil([] { return false; }, 300);
    EXPECT_LE(sim.Uploads()[0].chunks.size(), chunks + 1); // at most the one already on its way
    EXPECT_FALSE(sim.Uploads()[0].finished);
    EXPECT_TRUE(sim.RuntimeParameters().empty());
}

TEST_F(SocketTrovTest, AFileThatShrinksDuringTheUploadIsNeverSentAsComplete)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("io.rbf", Pattern(40000, 12));
    SimTcpController& sim = SlowController(2, 20);
    Machine(2);
    m_socket->SetIoFirmwareFile(path.c_str());
    m_socket->Start("secret");
    ASSERT_TRUE(trovtest::PumpUntil([&] { return !sim.Uploads().empty() && !sim.Uploads()[0].chunks.empty(); }, 5000));
    dir.Write("io.rbf", Pattern(100, 12));
    ASSERT_TRUE(trovtest::PumpUntil([&] { return m_socket->IsRunOver(); }, 10000));
    EXPECT_EQ("Data read error", Row(0));
    std::vector<size_t> chunks = sim.Uploads()[0].chunks;
    EXPECT_FALSE(sim.Uploads()[0].finished);
    EXPECT_EQ(std::vector<size_t>(chunks.size(), 4000), chunks); // no empty chunk
}

TEST_F(SocketTrovTest, AnEmptyListEndsAtOnce)
{
    m_socket->Start("");
    EXPECT_TRUE(m_socket->IsRunOver());
    EXPECT_EQ(0, m_list.GetItemCount());
    EXPECT_EQ(0, m_socket->GetSequence());
}

} // namespace

TEST_F(SocketTrovTest, AConnectionFailureOutsideTheProgramsTableShowsTheSystemsText)
{
    // Codes of the program's table keep their texts; any other code (host
    // unreachable here) shows the system's text, never an empty status.
    EXPECT_STREQ("The attempt to connect was forcefully rejected.", ConnectionErrorText(10061));
    EXPECT_STREQ("The network cannot be reached from this host at this time.", ConnectionErrorText(10051));
    for (int code : {10065, 10050, 10064, 12345}) {
        CString text = ConnectionErrorText(code);
        EXPECT_FALSE(text.IsEmpty()) << code;
        EXPECT_NE(-1, text.Find(std::to_string(code).c_str())) << code << ": " << (const char*)text;
    }

    CMachine* machine = Machine(9);
    m_socket->Start("");
    EXPECT_EQ("Connecting", Row(0));
    static_cast<ConnectOutcomeSocket*>(m_socket.get())->OnConnect(10065);
    EXPECT_EQ(std::string((const char*)ConnectionErrorText(10065)), Row(0));
    EXPECT_EQ(kMachineNotAnswered, machine->m_state);
    EXPECT_TRUE(m_socket->IsRunOver());
}
