// The simulated controller's TCP side, driven by the plain stop-and-wait
// client: identity, login, uploads, runtime commands, file replies in odd
// segmentations, XML commands, and every fault it produces on demand.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/TrovProtocol.h"
#include "support/Utilities.h"
#include "tests/common/Loopback.h"
#include "tests/common/SimTcpController.h"
#include "tests/common/SimTcpFixture.h"
#include "tests/common/TestBytes.h"
#include "tests/common/TrovTestClient.h"
#include "tests/common/WaitFor.h"

namespace {

using trovtest::Pattern;
using trovtest::SimConnectMode;
using trovtest::SimReplyBytes;
using trovtest::SimTcpBehaviour;
using trovtest::SimTcpController;
using trovtest::TrovReply;
using trovtest::TrovTestClient;
using trovtest::TrovUploadResult;

std::string Md5Text(const std::string& text)
{
    char digest[33] = {};
    Md5Hex(digest, 32, text.c_str(), (ptrdiff_t)text.size());
    return digest;
}

class SimTcpTest : public ::testing::Test {
protected:
    void SetUp() override { m_block = trovtest::RandomLoopbackBlock(); }

    uint32_t Address(int last) const { return m_block | (uint32_t)last; }

    SimTcpController& Controller(int last = 2)
    {
        for (auto& sim : m_sims)
            if (sim->Address() == Address(last))
                return *sim;
        return trovtest::StartSimTcp(m_sims, Address(last), trovtest::LineBehaviour(Address(last), last));
    }

    // A client connected to the controller at .last, logged in unless told not to.
    void Connect(TrovTestClient& client, int last = 2)
    {
        int error = 0;
        ASSERT_TRUE(client.Connect(Address(last), kTrovTcpPort, &error)) << "error " << error;
    }

    uint32_t m_block = 0;
    std::vector<std::unique_ptr<SimTcpController>> m_sims;
};

TEST_F(SimTcpTest, IdentityReplyIsTheDiscoveryTextWithItsTerminatorAndWholeLength)
{
    SimTcpController& sim = Controller();
    TrovTestClient client;
    Connect(client);
    std::string xml;
    TrovReply reply;
    ASSERT_TRUE(client.Identify(&xml, &reply)) << client.LastError();
    EXPECT_EQ(trovtest::BuildSimReply(sim.Behaviour().identity), xml);
    EXPECT_NE(std::string::npos, xml.find("<K420/>"));
    EXPECT_EQ(1, reply.header.sequence);
    EXPECT_EQ(CMD_IDENTIFY, reply.header.command);
    EXPECT_EQ(reply.bytes.size(), reply.header.length);
    EXPECT_EQ(kMessageHeaderSize + xml.size() + 1, reply.bytes.size());
    EXPECT_EQ('\0', reply.bytes.back());

    // A scripted text, here one without its terminator.
    sim.Change([](SimTcpBehaviour& b) {
        b.identityXml = "<TROV><MAC>AA</MAC></TROV>";
        b.identityTerminator = false;
    });
    ASSERT_TRUE(client.Identify(&xml, &reply));
    EXPECT_EQ("<TROV><MAC>AA</MAC></TROV>", xml);
    EXPECT_EQ(kMessageHeaderSize + xml.size(), reply.header.length);
    EXPECT_EQ((std::vector<uint16_t>{1, 2}), sim.Sequences());
    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(SimTcpTest, LoginOutcomesFollowTheDigestAndTheReplySize)
{
    struct Case {
        const char* name;
        const char* password;
        uint16_t loginReplySize;
        bool accepted;  // word 2 not 0
        size_t length;  // bytes of the reply
        bool v4;        // accepted and a size above 16
    };
    const Case cases[] = {
        {"v4 firmware", "secret", 45, true, 45, true},
        {"smallest v4 size", "secret", 17, true, 45, true},
        {"wrong password", "Secret", 45, false, 45, false},
        {"old firmware, 8-byte reply", "secret", 6, true, 8, false},
        {"old firmware, 45-byte reply", "secret", 7, true, 45, false},
        {"old firmware, largest old size", "secret", 16, true, 45, false},
        {"wrong password, old firmware", "", 6, false, 8, false},
    };
    SimTcpController& sim = Controller();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.Change([&](SimTcpBehaviour& b) { b.loginReplySize = c.loginReplySize; });
        sim.ClearRecords();
        TrovTestClient client;
        Connect(client);
        ASSERT_TRUE(client.Identify(nullptr));
        TrovReply reply;
        EXPECT_EQ(c.v4, client.Login(c.password, &reply)) << client.LastError();
        EXPECT_EQ(c.accepted, reply.header.command != 0);
        EXPECT_EQ(c.loginReplySize, reply.header.length);
        EXPECT_EQ(c.length, reply.bytes.size());
        // Nothing follows the reply.
        std::string rest;
        EXPECT_EQ(0u, client.ReadRaw(&rest, 1, 100));
        std::vector<trovtest::SimTcpMessage> messages = sim.Messages();
        ASSERT_EQ(2u, messages.size());
        EXPECT_EQ(Md5Text(c.password), messages[1].payload);
        EXPECT_EQ(40u, messages[1].header.length);
        EXPECT_TRUE(sim.Violations().empty());
    }
}

TEST_F(SimTcpTest, UploadsAreKeptPerKindWithEveryChunkSize)
{
    struct Case {
        const char* kind;
        size_t chunk;
        std::vector<size_t> chunks;
    };
    const Case cases[] = {
        {"UPDATE", 1024, {1024, 1024, 1024, 1024, 904, 0}},
        {"APPLICATION", 4000, {4000, 1000, 0}},
        {"IOFIRMWARE", 4000, {4000, 1000, 0}},
    };
    SimTcpController& sim = Controller();
    TrovTestClient client;
    Connect(client);
    ASSERT_TRUE(client.Identify(nullptr));
    ASSERT_TRUE(client.Login("secret", nullptr));
    unsigned seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        std::string data = Pattern(5000, ++seed);
        TrovUploadResult result = client.Upload(c.kind, data, c.chunk);
        EXPECT_TRUE(result.finished) << client.LastError();
        EXPECT_EQ(c.chunks, result.chunks);
        EXPECT_EQ(data, sim.UploadedFile(c.kind));
        trovtest::SimUpload upload = sim.Uploads().back();
        EXPECT_EQ(c.kind, upload.kind);
        EXPECT_EQ(c.chunks, upload.chunks);
        EXPECT_TRUE(upload.finished);
    }
    // Every message, chunks included, carried the next sequence number.
    std::vector<uint16_t> sequences = sim.Sequences();
    for (size_t i = 0; i < sequences.size(); ++i)
        EXPECT_EQ(i + 1, sequences[i]);
    EXPECT_EQ(2u + 7 + 4 + 4, sequences.size());
    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(SimTcpTest, UploadErrorsComeWithTheirCodeAtTheChosenChunk)
{
    SimTcpController& sim = Controller();
    for (uint16_t code = 0; code <= 5; ++code) {
        for (int at : {0, 1, 3}) {
            SCOPED_TRACE("code " + std::to_string(code) + " at " + std::to_string(at));
            sim.Change([&](SimTcpBehaviour& b) {
                b.uploadErrorAt = at;
                b.uploadErrorCode = code;
            });
            sim.ClearRecords();
            TrovTestClient client;
            Connect(client);
            ASSERT_TRUE(client.Login("secret", nullptr));
            TrovUploadResult result = client.Upload("APPLICATION", Pattern(10000), 4000);
            EXPECT_FALSE(result.finished);
            EXPECT_EQ(code, result.errorCode);
            EXPECT_EQ(at, result.errorAtChunk);
            EXPECT_TRUE(sim.UploadedFile("APPLICATION").empty());
            ASSERT_EQ(1u, sim.Uploads().size());
            EXPECT_TRUE(sim.Uploads()[0].failed);
            EXPECT_EQ((size_t)at, sim.Uploads()[0].chunks.size());
        }
    }
    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(SimTcpTest, RuntimeCommandsAreAnsweredPerParameterAndRecordedInOrder)
{
    SimTcpController& sim = Controller();
    sim.Change([](SimTcpBehaviour& b) { b.runtimeFailures = {RUNTIME_INSTALL_APP}; });
    TrovTestClient client;
    Connect(client);
    ASSERT_TRUE(client.Login("secret", nullptr));
    TrovReply reply;
    EXPECT_TRUE(client.Runtime(RUNTIME_STOP, &reply));
    EXPECT_EQ(8u, reply.bytes.size());
    EXPECT_TRUE(client.Runtime(RUNTIME_RESTART_KEEP, &reply));
    EXPECT_FALSE(client.Runtime(RUNTIME_INSTALL_APP, &reply));
    EXPECT_EQ(0, reply.header.command);
    EXPECT_EQ(8u, reply.bytes.size());
    // The closing commands of an operation get no reply.
    for (uint16_t parameter : {RUNTIME_RESTART_CLEAR, RUNTIME_RESTART_FIRMWARE, RUNTIME_START_IO_UPGRADE}) {
        EXPECT_TRUE(client.Runtime(parameter, nullptr));
        std::string nothing;
        EXPECT_EQ(0u, client.ReadRaw(&nothing, 1, 100));
    }
    // A restart with no reply awaited (install with "Update") is not answered either.
    sim.Change([](SimTcpBehaviour& b) { b.runtimeReplies.erase(RUNTIME_RESTART_KEEP); });
    EXPECT_TRUE(client.Runtime(RUNTIME_RESTART_KEEP, nullptr));
    std::string nothing;
    EXPECT_EQ(0u, client.ReadRaw(&nothing, 1, 100));
    // Unanswered commands are recorded when the controller's thread gets to
    // them, which a loaded machine can put off past the read above.
    trovtest::WaitUntil([&] { return sim.RuntimeParameters().size() >= 7; });
    EXPECT_EQ((std::vector<uint16_t>{0, 4, 5, 1, 2, 6, 4}), sim.RuntimeParameters());
    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(SimTcpTest, FileRepliesOfAnySizeArriveWholeInAnySegmentation)
{
    struct Case {
        const char* name;
        uint16_t command;
        size_t size;
        std::vector<size_t> segments;
    };
    const Case cases[] = {
        {"empty backup", CMD_GET_FILE, 0, {}},
        {"empty log, header split", CMD_GET_LOG, 0, {3, 5}},
        {"one byte, header split after one byte", CMD_GET_FILE, 1, {1}},
        {"header split, then data", CMD_GET_LOG, 70001, {5, 3, 20000}},
        {"header with the data's first bytes", CMD_GET_FILE, 100000, {11, 999, 7, 4093}},
        {"odd small pieces", CMD_GET_FILE, 5003, {8, 1, 2, 3, 4093, 17}},
        {"larger than the receive buffer", CMD_GET_LOG, 3 * kReceiveBufferSize + 5, {}},
    };
    SimTcpController& sim = Controller();
    TrovTestClient client;
    Connect(client);
    ASSERT_TRUE(client.Login("secret", nullptr));
    unsigned seed = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string data = Pattern(c.size, ++seed);
        sim.Change([&](SimTcpBehaviour& b) {
            (c.command == CMD_GET_FILE ? b.backupFile : b.eventLog) = data;
            b.segmentation.sizes = c.segments;
            b.segmentation.pauseMs = 2;
        });
        std::string received;
        TrovReply reply;
        ASSERT_TRUE(client.GetFile(c.command, &received, &reply)) << client.LastError();
        EXPECT_EQ(data.size(), received.size());
        EXPECT_TRUE(data == received);
        EXPECT_EQ(c.size, reply.header.FileLength());
        EXPECT_GE(reply.pieces, 1u);
    }
    // Both requests carried their 16 bytes.
    for (const trovtest::SimTcpMessage& m : sim.Messages()) {
        if (m.header.command == CMD_GET_FILE || m.header.command == CMD_GET_LOG) {
            EXPECT_EQ(16u, m.payloadLength);
        }
    }
    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(SimTcpTest, TwoRepliesInOneSegmentAreTakenOneAtATime)
{
    SimTcpController& sim = Controller();
    const std::string stray = SimReplyBytes(0x4444, 0x55, 8, 0);
    const std::string log = Pattern(300);
    sim.Change([&](SimTcpBehaviour& b) {
        b.extraAfterReply[CMD_IDENTIFY] = stray;
        b.extraAfterReply[CMD_GET_LOG] = stray;
        b.eventLog = log;
    });
    TrovTestClient client;
    Connect(client);
    std::string xml;
    ASSERT_TRUE(client.Identify(&xml));
    EXPECT_EQ(trovtest::BuildSimReply(sim.Behaviour().identity), xml);
    std::string rest;
    EXPECT_EQ(8u, client.ReadRaw(&rest, 64, 200));
    EXPECT_EQ(stray, rest);

    std::string received;
    ASSERT_TRUE(client.GetFile(CMD_GET_LOG, &received));
    EXPECT_TRUE(log == received);
    EXPECT_EQ(8u, client.ReadRaw(&rest, 64, 200));
    EXPECT_EQ(stray, rest);
}

TEST_F(SimTcpTest, XmlCommandsAreRecordedAndAnsweredWithTheirLength)
{
    SimTcpController& sim = Controller();
    TrovTestClient client;
    Connect(client);
    ASSERT_TRUE(client.Login("secret", nullptr));
    const std::string command = "<TROV><COMMAND>Reconfigure</COMMAND><MAC>00:0A:0B:0C:0D:02</MAC></TROV>";
    TrovReply reply;
    EXPECT_TRUE(client.XmlCommand(command, &reply));
    EXPECT_EQ(8, reply.header.length);
    // A command for another controller, or for none, is refused.
    for (const char* other : {"<TROV><COMMAND>Identify</COMMAND><MAC/></TROV>",
                              "<TROV><COMMAND>Identify</COMMAND><MAC></MAC></TROV>",
                              "<TROV><COMMAND>Identify</COMMAND><MAC>00:0A:0B:0C:0D:03</MAC></TROV>"}) {
        EXPECT_FALSE(client.XmlCommand(other, &reply)) << other;
        EXPECT_EQ(0, reply.header.command) << other;
    }
    sim.ClearRecords();
    EXPECT_TRUE(client.XmlCommand(command, &reply));

    sim.Change([](SimTcpBehaviour& b) {
        b.xmlCommandSucceeds = false;
        b.xmlReplyText = "<TROV><ERROR>busy</ERROR></TROV>";
    });
    EXPECT_FALSE(client.XmlCommand("<TROV><COMMAND>Identify</COMMAND></TROV>", &reply));
    EXPECT_EQ(0, reply.header.command);
    EXPECT_EQ(reply.bytes.size(), reply.header.length);
    EXPECT_EQ(std::string("<TROV><ERROR>busy</ERROR></TROV>") + '\0', reply.bytes.substr(8));
    EXPECT_EQ((std::vector<std::string>{command, "<TROV><COMMAND>Identify</COMMAND></TROV>"}), sim.XmlCommands());
    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(SimTcpTest, SequenceNumbersRunOnFromOneControllerToTheNext)
{
    SimTcpController& first = Controller(2);
    SimTcpController& second = Controller(3);
    TrovTestClient client;
    Connect(client, 2);
    ASSERT_TRUE(client.Identify(nullptr));
    ASSERT_TRUE(client.Login("secret", nullptr));
    EXPECT_TRUE(client.Upload("UPDATE", Pattern(2500), 1024).finished);
    client.Close();
    Connect(client, 3);
    ASSERT_TRUE(client.Identify(nullptr));
    EXPECT_EQ((std::vector<uint16_t>{1, 2, 3, 4, 5, 6, 7}), first.Sequences());
    EXPECT_EQ((std::vector<uint16_t>{8}), second.Sequences());
    EXPECT_EQ(1, first.Connections());
    EXPECT_EQ(1, second.Connections());
}

TEST_F(SimTcpTest, RefusedConnections)
{
    SimTcpController& sim = Controller();
    TrovTestClient client;
    int error = 0;
    // Nothing listens on this address at all.
    EXPECT_FALSE(client.Connect(Address(9), kTrovTcpPort, &error));
    EXPECT_EQ(trovtest::SimConnectionRefusedCode(), error);

    sim.Change([](SimTcpBehaviour& b) { b.connectMode = SimConnectMode::kNoListener; });
    bool refused = false;
    for (int i = 0; i < 50 && !refused; ++i) {
        // (A connection caught in the listener's closing is reset instead.)
        refused = !client.Connect(Address(2), kTrovTcpPort, &error) && error == trovtest::SimConnectionRefusedCode();
        client.Close();
        if (!refused)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(refused);

    sim.Change([](SimTcpBehaviour& b) { b.connectMode = SimConnectMode::kCloseAtOnce; });
    bool closed = false;
    for (int i = 0; i < 50 && !closed; ++i) {
        if (client.Connect(Address(2)))
            closed = client.WaitForClose(1000);
        client.Close();
        if (!closed)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(closed);

    sim.Change([](SimTcpBehaviour& b) { b.connectMode = SimConnectMode::kAccept; });
    bool answered = false;
    for (int i = 0; i < 50 && !answered; ++i) {
        answered = client.Connect(Address(2)) && client.Identify(nullptr);
        client.Close();
        if (!answered)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(answered);
}

TEST_F(SimTcpTest, SilenceWrongSequencesAndOverlongReplies)
{
    SimTcpController& sim = Controller();
    TrovTestClient client;
    Connect(client);
    TrovReply reply;

    // Silent: the command arrives but nothing comes back.
    sim.Change([](SimTcpBehaviour& b) { b.faults[CMD_IDENTIFY].silent = true; });
    client.SetTimeout(300);
    EXPECT_FALSE(client.Identify(nullptr, &reply));
    EXPECT_EQ("timeout", client.LastError());
    EXPECT_EQ(1u, sim.Messages().size());
    client.SetTimeout(TrovTestClient::kDefaultTimeoutMs);

    // A stale sequence number with the command echoed is still a reply.
    sim.Change([](SimTcpBehaviour& b) {
        b.faults.clear();
        b.faults[CMD_IDENTIFY].wrongSequence = true;
    });
    client.Close();
    Connect(client);
    EXPECT_TRUE(client.Identify(nullptr, &reply)) << client.LastError();
    EXPECT_NE(client.Sequence(), reply.header.sequence);
    EXPECT_EQ(CMD_IDENTIFY, reply.header.command);

    // A right sequence number with another command word is a reply too.
    sim.Change([](SimTcpBehaviour& b) {
        b.faults.clear();
        b.faults[CMD_IDENTIFY].wrongEcho = true;
    });
    EXPECT_TRUE(client.Identify(nullptr, &reply)) << client.LastError();
    EXPECT_EQ(client.Sequence(), reply.header.sequence);
    EXPECT_NE(CMD_IDENTIFY, reply.header.command);

    // Both wrong: not a reply to what was sent.
    sim.Change([](SimTcpBehaviour& b) {
        b.faults.clear();
        b.faults[CMD_IDENTIFY].wrongSequence = true;
        b.faults[CMD_IDENTIFY].wrongEcho = true;
    });
    EXPECT_FALSE(client.Identify(nullptr, &reply));
    EXPECT_EQ(CTrovReplyAssembler::kDropped, reply.outcome);
    client.Close();

    // Word 3 above 4095: the header says so, and the reply is dropped.
    for (int length : {4096, 65535}) {
        sim.Change([&](SimTcpBehaviour& b) {
            b.faults.clear();
            b.faults[CMD_IDENTIFY].lengthWord = length;
        });
        Connect(client);
        EXPECT_FALSE(client.Identify(nullptr, &reply));
        EXPECT_EQ(CTrovReplyAssembler::kDropped, reply.outcome);
        EXPECT_EQ(length, reply.header.length);
        client.Close();
    }
    EXPECT_TRUE(sim.Violations().empty());
}

TEST_F(SimTcpTest, ConnectionsCloseInTheMiddleOfAReplyOnDemand)
{
    struct Case {
        const char* name;
        uint16_t command;
        int closeAfter;
    };
    const Case cases[] = {
        {"inside the identity header", CMD_IDENTIFY, 5},
        {"inside the identity text", CMD_IDENTIFY, 20},
        {"inside a file reply's data", CMD_GET_FILE, 8 + 5000},
        {"before anything of the login reply", CMD_LOGIN, 0},
    };
    SimTcpController& sim = Controller();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.Change([&](SimTcpBehaviour& b) {
            b.faults.clear();
            b.faults[c.command].closeAfterBytes = c.closeAfter;
            b.backupFile = Pattern(20000);
        });
        TrovTestClient client;
        Connect(client);
        bool done = client.Identify(nullptr) && client.Login("secret", nullptr) && client.GetFile(CMD_GET_FILE, nullptr);
        EXPECT_FALSE(done);
        EXPECT_EQ("closed", client.LastError());
    }
}

TEST_F(SimTcpTest, BreachesOfTheFramingConventionsAreReported)
{
    SimTcpController& sim = Controller();
    sim.Change([](SimTcpBehaviour& b) { b.stallMs = 200; });
    struct Case {
        const char* name;
        std::vector<unsigned char> message;
    };
    std::vector<unsigned char> chunk = FrameDataChunk(3, "abcd", 4);
    chunk[5] = 12; // a data chunk announcing its length with the header's 8 bytes
    std::vector<unsigned char> shortLength = FrameCommand(2, CMD_IDENTIFY, 0, nullptr, 0);
    shortLength[5] = 4;
    const Case cases[] = {
        {"login digest in capitals", FrameCommand(2, CMD_LOGIN, 0, "0123456789ABCDEF0123456789ABCDEF", 32)},
        {"unknown upload kind", FrameCommand(2, CMD_BEGIN_UPLOAD, 0, "FIRMWARE", 9)},
        {"data chunk length counting the header", chunk},
        {"command length shorter than the header", shortLength},
        {"parameter on a command without one", FrameCommand(2, CMD_IDENTIFY, 3, nullptr, 0)},
        {"unknown command", FrameCommand(2, 77, 0, nullptr, 0)},
        {"backup request naming another file", FrameCommand(2, CMD_GET_FILE, 0, "target/other.lm\0", 16)},
        {"XML command without its terminator", FrameCommand(2, CMD_XML_COMMAND, 0, "<TROV/>", 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.ClearRecords();
        TrovTestClient client;
        Connect(client);
        if (c.message[3] == CMD_DATA) {
            TrovReply begun;
            EXPECT_TRUE(client.Send(CMD_BEGIN_UPLOAD, 0, "APPLICATION", 12, SESSION_UPLOAD) && client.Await(&begun));
            EXPECT_EQ(1, begun.header.length);
        }
        ASSERT_TRUE(client.SendRaw(c.message.data(), c.message.size()));
        EXPECT_TRUE(trovtest::WaitUntil([&] { return !sim.Violations().empty(); }));
    }
}

TEST_F(SimTcpTest, StartsAndStopsPromptlyManyTimesOnOneAddress)
{
    trovtest::SimTcpOptions options;
    options.address = Address(2);
    for (int round = 0; round < 15; ++round) {
        SimTcpController sim;
        std::string error;
        ASSERT_TRUE(sim.Start(options, &error)) << "round " << round << ": " << error;
        TrovTestClient client;
        Connect(client);
        ASSERT_TRUE(client.Identify(nullptr)) << "round " << round;
        // Stopped while the client is connected and a reply is under way.
        sim.Change([](SimTcpBehaviour& b) {
            b.eventLog = std::string(200000, 'x');
            b.segmentation.sizes = {100};
            b.segmentation.pauseMs = 20;
        });
        std::vector<unsigned char> request = FrameCommand(9, CMD_GET_LOG, 0, EventLogRequestPayload().data(), 16);
        client.SendRaw(request.data(), request.size());
        ASSERT_TRUE(sim.WaitForMessages(2, 2000));
        auto start = std::chrono::steady_clock::now();
        sim.Stop();
        auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_LT(took.count(), 500) << "round " << round;
    }
}

TEST_F(SimTcpTest, BindsOnlyLoopbackOutsideATestNamespace)
{
    SimTcpController sim;
    trovtest::SimTcpOptions options;
    options.address = 0x0A000001; // 10.0.0.1
    std::string error;
    EXPECT_FALSE(sim.Start(options, &error));
    EXPECT_NE(std::string::npos, error.find("loopback"));
}

} // namespace
