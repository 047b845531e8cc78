#include "app/TrovProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Reply(uint16_t sequence, uint16_t result, uint16_t length, uint16_t parameter, const Bytes& payload = {})
{
    Bytes out(8);
    MessageHeader header;
    header.sequence = sequence;
    header.command = result;
    header.length = length;
    header.parameter = parameter;
    header.Encode(out.data());
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

// Feeds bytes the way the socket does: never more than Wanted(), in reads of
// at most `readSize` bytes; returns the outcomes in order.
struct Feeder {
    CTrovReplyAssembler& assembler;
    std::vector<CTrovReplyAssembler::Outcome> outcomes;
    Bytes downloaded;
    size_t consumed = 0;

    void Feed(const Bytes& stream, size_t readSize)
    {
        while (consumed < stream.size()) {
            size_t want = assembler.Wanted();
            if (want == 0)
                break;
            size_t n = std::min({want, readSize, stream.size() - consumed});
            std::memcpy(assembler.WritePointer(), stream.data() + consumed, n);
            consumed += n;
            auto outcome = assembler.Received(n);
            outcomes.push_back(outcome);
            if (assembler.IsDownload() &&
                (outcome == CTrovReplyAssembler::kDownloadPiece || outcome == CTrovReplyAssembler::kComplete))
                downloaded.insert(downloaded.end(), assembler.PieceData(),
                                  assembler.PieceData() + assembler.PieceLength());
        }
    }
    CTrovReplyAssembler::Outcome Last() const { return outcomes.empty() ? CTrovReplyAssembler::kNeedMore : outcomes.back(); }
};

} // namespace

// The numbers controllers understand: each constant against the value on
// the wire, written here as a literal.
TEST(TrovProtocol, WireNumbersAreTheControllers)
{
    struct Number {
        const char* name;
        long value;
        long wire;
    } numbers[] = {
        {"CMD_GET_LOG", CMD_GET_LOG, 9},
        {"CMD_LOGIN", CMD_LOGIN, 16},
        {"CMD_RUNTIME", CMD_RUNTIME, 18},
        {"CMD_BEGIN_UPLOAD", CMD_BEGIN_UPLOAD, 19},
        {"CMD_DATA", CMD_DATA, 20},
        {"CMD_GET_FILE", CMD_GET_FILE, 27},
        {"CMD_IDENTIFY", CMD_IDENTIFY, 29},
        {"CMD_XML_COMMAND", CMD_XML_COMMAND, 35},
        {"RUNTIME_STOP", RUNTIME_STOP, 0},
        {"RUNTIME_RESTART_CLEAR", RUNTIME_RESTART_CLEAR, 1},
        {"RUNTIME_RESTART_FIRMWARE", RUNTIME_RESTART_FIRMWARE, 2},
        {"RUNTIME_RESTART_KEEP", RUNTIME_RESTART_KEEP, 4},
        {"RUNTIME_INSTALL_APP", RUNTIME_INSTALL_APP, 5},
        {"RUNTIME_START_IO_UPGRADE", RUNTIME_START_IO_UPGRADE, 6},
        {"SESSION_LOGIN", SESSION_LOGIN, 1},
        {"SESSION_UPLOAD", SESSION_UPLOAD, 2},
        {"SESSION_DONE", SESSION_DONE, 3},
        {"SESSION_IDENTITY", SESSION_IDENTITY, 4},
        {"SESSION_STOP_RESULT", SESSION_STOP_RESULT, 5},
        {"SESSION_RESTART_RESULT", SESSION_RESTART_RESULT, 6},
        {"SESSION_INSTALL_RESULT", SESSION_INSTALL_RESULT, 8},
        {"SESSION_DOWNLOAD", SESSION_DOWNLOAD, 12},
        {"SESSION_COMMAND_RESULT", SESSION_COMMAND_RESULT, 13},
        {"OP_IDENTIFY", OP_IDENTIFY, 0},
        {"OP_RESTART", OP_RESTART, 2},
        {"OP_FIRMWARE", OP_FIRMWARE, 3},
        {"OP_IO_FIRMWARE", OP_IO_FIRMWARE, 4},
        {"OP_INSTALL_APP", OP_INSTALL_APP, 5},
        {"OP_BACKUP", OP_BACKUP, 8},
        {"OP_EVENT_LOG", OP_EVENT_LOG, 9},
        {"OP_SEND_COMMAND", OP_SEND_COMMAND, 10},
        {"kTrovTcpPort", kTrovTcpPort, 38254},
        {"kMessageHeaderSize", (long)kMessageHeaderSize, 8},
        {"kMaxShortReply", kMaxShortReply, 4095},
    };
    for (const Number& n : numbers)
        EXPECT_EQ(n.wire, n.value) << n.name;
}

TEST(TrovProtocol, FramingIsBigEndianWithWholeLength)
{
    const char payload[] = "UPDATE";
    Bytes message = FrameCommand(0x0102, CMD_BEGIN_UPLOAD, 0, payload, sizeof payload);
    Bytes expected = {0x01, 0x02, 0x00, 19, 0x00, 15, 0x00, 0x00, 'U', 'P', 'D', 'A', 'T', 'E', 0};
    EXPECT_EQ(message, expected);

    Bytes chunk = FrameDataChunk(7, "abc", 3);
    Bytes expectedChunk = {0, 7, 0, 20, 0, 3, 0, 0, 'a', 'b', 'c'};
    EXPECT_EQ(chunk, expectedChunk);
    EXPECT_EQ(FrameDataChunk(8, nullptr, 0).size(), 8u);

    Bytes backup = BackupRequestPayload();
    EXPECT_EQ(backup.size(), 16u);
    EXPECT_EQ(std::string((const char*)backup.data()), "target/lmrt.lmx");
    Bytes log = EventLogRequestPayload();
    EXPECT_EQ(log, (Bytes{'S', 'Y', 'S', 'L', 'O', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    unsigned char raw[8] = {0, 1, 0, 1, 0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(MessageHeader::Decode(raw).FileLength(), 0x12345678u);
}

TEST(TrovProtocol, ErrorTexts)
{
    EXPECT_STREQ(SocketErrorText(10061), "The attempt to connect was forcefully rejected.");
    EXPECT_STREQ(SocketErrorText(10060), "The attempt to connect timed out without establishing a connection.");
    EXPECT_STREQ(SocketErrorText(10035), "");
    EXPECT_EQ(DeviceErrorText(0), "Trov refused connection. Bad Password?");
    EXPECT_EQ(DeviceErrorText(4), "File type unsupported");
    EXPECT_EQ(DeviceErrorText(5), "Unknown error code : 5");
    EXPECT_EQ(DeviceErrorText(65535), "Unknown error code : 65535");
}

TEST(TrovProtocol, TransferPercent)
{
    EXPECT_EQ(TransferPercent(0, 0), 100);
    EXPECT_EQ(TransferPercent(5000, 5000), 0);
    EXPECT_EQ(TransferPercent(3, 2), 33);
    EXPECT_EQ(TransferPercent(5000, 0), 100);
    EXPECT_TRUE(ReplyTimedOut(0, 30001));
    EXPECT_FALSE(ReplyTimedOut(0, 30000));
    EXPECT_TRUE(ReplyTimedOut(0xFFFFFF00u, 30000)); // across the tick-count wrap
}

TEST(TrovReplyAssembler, ReplySizeFollowsTheState)
{
    struct Case {
        const char* what;
        SessionState state;
        Bytes stream;
        size_t readSize;
        CTrovReplyAssembler::Outcome outcome;
        size_t replyLength;
    } cases[] = {
        {"identity in one read", SESSION_IDENTITY, Reply(1, 1, 12, 0, {'<', 'a', '>', 0}), 100,
         CTrovReplyAssembler::kComplete, 12},
        {"identity split byte by byte", SESSION_IDENTITY, Reply(1, 1, 12, 0, {'<', 'a', '>', 0}), 1,
         CTrovReplyAssembler::kComplete, 12},
        {"identity longer than 4095 dropped", SESSION_IDENTITY, Reply(1, 1, 4096, 0), 100,
         CTrovReplyAssembler::kDropped, 0},
        {"length below the header dropped", SESSION_COMMAND_RESULT, Reply(1, 1, 3, 0), 100,
         CTrovReplyAssembler::kDropped, 0},
        {"login size 6 reads 8 bytes", SESSION_LOGIN, Reply(1, 1, 6, 0), 100, CTrovReplyAssembler::kComplete, 8},
        {"login size 7 reads 45 bytes", SESSION_LOGIN, Reply(1, 1, 7, 0, Bytes(37, 0)), 100,
         CTrovReplyAssembler::kComplete, 45},
        {"login header split 3+5", SESSION_LOGIN, Reply(1, 1, 17, 0, Bytes(37, 0)), 3,
         CTrovReplyAssembler::kComplete, 45},
        {"upload reply is 8 bytes", SESSION_UPLOAD, Reply(1, 1, 1, 0), 100, CTrovReplyAssembler::kComplete, 8},
        {"wrong sequence and command dropped", SESSION_STOP_RESULT, Reply(9, 1, 1, 0), 100,
         CTrovReplyAssembler::kDropped, 0},
        {"stale sequence, command echoed, accepted", SESSION_STOP_RESULT, Reply(9, CMD_RUNTIME, 1, 0), 100,
         CTrovReplyAssembler::kComplete, 8},
    };
    for (const Case& c : cases) {
        CTrovReplyAssembler assembler;
        assembler.Expect(c.state, 1, CMD_RUNTIME);
        Feeder feeder{assembler};
        feeder.Feed(c.stream, c.readSize);
        EXPECT_EQ(feeder.Last(), c.outcome) << c.what;
        if (c.outcome == CTrovReplyAssembler::kComplete) {
            EXPECT_EQ(assembler.ReplyLength(), c.replyLength) << c.what;
            EXPECT_FALSE(assembler.Active()) << c.what;
        } else {
            EXPECT_TRUE(assembler.Active()) << c.what << ": a dropped reply keeps the wait, so the timeout ends it";
        }
    }
}

TEST(TrovReplyAssembler, TwoRepliesTogetherStayApart)
{
    CTrovReplyAssembler assembler;
    assembler.Expect(SESSION_STOP_RESULT, 5, CMD_RUNTIME);
    Bytes stream = Reply(5, 1, 1, 0);
    Bytes second = Reply(6, 1, 1, 0);
    stream.insert(stream.end(), second.begin(), second.end());
    Feeder feeder{assembler};
    feeder.Feed(stream, 4096);
    EXPECT_EQ(feeder.Last(), CTrovReplyAssembler::kComplete);
    EXPECT_EQ(feeder.consumed, 8u) << "the second reply stays in the socket";

    assembler.Expect(SESSION_RESTART_RESULT, 6, CMD_RUNTIME);
    feeder.Feed(stream, 4096);
    EXPECT_EQ(feeder.Last(), CTrovReplyAssembler::kComplete);
    EXPECT_EQ(assembler.Header().sequence, 6);
}

TEST(TrovReplyAssembler, DownloadsStreamInPieces)
{
    for (size_t size : {size_t(0), size_t(1), size_t(16384), size_t(40000)}) {
        Bytes data(size);
        for (size_t i = 0; i < size; ++i)
            data[i] = (unsigned char)(i * 7);
        Bytes stream = Reply(3, 1, (uint16_t)(size >> 16), (uint16_t)size, data);
        for (size_t readSize : {size_t(5), size_t(1460), size_t(100000)}) {
            CTrovReplyAssembler assembler;
            assembler.Expect(SESSION_DOWNLOAD, 3, CMD_GET_FILE);
            Feeder feeder{assembler};
            feeder.Feed(stream, readSize);
            EXPECT_EQ(feeder.Last(), CTrovReplyAssembler::kComplete) << size << "/" << readSize;
            EXPECT_EQ(feeder.downloaded, data) << size << "/" << readSize;
            EXPECT_EQ(assembler.DownloadTotal(), size);
            EXPECT_EQ(assembler.DownloadRemaining(), 0u);
            EXPECT_EQ(feeder.consumed, stream.size());
        }
    }
}

TEST(TrovReplyAssembler, NothingIsReadWhileNoReplyIsAwaited)
{
    CTrovReplyAssembler assembler;
    EXPECT_EQ(assembler.Wanted(), 0u);
    EXPECT_EQ(assembler.Received(8), CTrovReplyAssembler::kNeedMore);
    assembler.Expect(SESSION_UPLOAD, 1, CMD_DATA);
    EXPECT_EQ(assembler.Wanted(), 8u);
    assembler.Stop();
    EXPECT_EQ(assembler.Wanted(), 0u);
}
