#pragma once
// The controller's TCP protocol (port 38254): message framing, the command,
// state and operation codes, the error texts, and the assembly of replies
// from the byte stream.  Portable: the Windows socket class CSocketTrov
// drives it from its notifications.
//
// Every message starts with an 8-byte header of four big-endian 16-bit
// words: sequence number, command (in replies: result, 0 = failure), length,
// parameter.  A file reply uses words 3 and 4 as one 32-bit big-endian count
// of the data bytes that follow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t kTrovTcpPort = 38254;
constexpr size_t kMessageHeaderSize = 8;
// Identity and XML-command replies give their whole length in word 3; a
// longer one is not a valid reply.
constexpr uint16_t kMaxShortReply = 4095;
// One reply is assembled at a time in a buffer of this size; downloads
// stream through it piece by piece.
constexpr size_t kReceiveBufferSize = 16384;
// A reply that has not come after this long ends the machine's step.
constexpr uint32_t kReplyTimeoutMs = 30000;

enum TrovCommand : uint16_t {
    CMD_GET_LOG = 9,
    CMD_LOGIN = 16,
    CMD_RUNTIME = 18,
    CMD_BEGIN_UPLOAD = 19,
    CMD_DATA = 20,
    CMD_GET_FILE = 27,
    CMD_IDENTIFY = 29,
    CMD_XML_COMMAND = 35,
};

// Parameters of CMD_RUNTIME.
enum RuntimeParameter : uint16_t {
    RUNTIME_STOP = 0,
    RUNTIME_RESTART_CLEAR = 1,
    RUNTIME_RESTART_FIRMWARE = 2,
    RUNTIME_RESTART_KEEP = 4,
    RUNTIME_INSTALL_APP = 5,
    RUNTIME_START_IO_UPGRADE = 6,
};

enum SessionState : int {
    SESSION_LOGIN = 1,
    SESSION_UPLOAD = 2,
    SESSION_DONE = 3,
    SESSION_IDENTITY = 4,
    SESSION_STOP_RESULT = 5,
    SESSION_RESTART_RESULT = 6,
    SESSION_INSTALL_RESULT = 8,
    SESSION_DOWNLOAD = 12,
    SESSION_COMMAND_RESULT = 13,
};

enum SessionOperation : int {
    OP_IDENTIFY = 0,
    OP_RESTART = 2,
    OP_FIRMWARE = 3,
    OP_IO_FIRMWARE = 4,
    OP_INSTALL_APP = 5,
    OP_BACKUP = 8,
    OP_EVENT_LOG = 9,
    OP_SEND_COMMAND = 10,
};

struct MessageHeader {
    uint16_t sequence = 0;
    uint16_t command = 0; // in replies: the result, 0 = failure
    uint16_t length = 0;
    uint16_t parameter = 0;

    void Encode(unsigned char out[kMessageHeaderSize]) const;
    static MessageHeader Decode(const unsigned char in[kMessageHeaderSize]);
    // Words 3 and 4 of a file reply: the number of data bytes that follow.
    uint32_t FileLength() const { return (uint32_t)length << 16 | parameter; }
};

// A command message: word 3 is the whole message length (payload + 8).
std::vector<unsigned char> FrameCommand(uint16_t sequence, uint16_t command, uint16_t parameter,
                                        const void* payload, size_t payloadLength);
// A data chunk of an upload (CMD_DATA): word 3 is the chunk length alone.
std::vector<unsigned char> FrameDataChunk(uint16_t sequence, const void* chunk, uint16_t chunkLength);

// The 16-byte payloads of the two file requests.
std::vector<unsigned char> BackupRequestPayload(); // "target/lmrt.lmx" and its terminator
std::vector<unsigned char> EventLogRequestPayload(); // "SYSLOG" and ten zero bytes

// Texts of the Windows Sockets errors a connection can end with; "" for
// other codes.
const char* SocketErrorText(int code);
// Text of the error code a controller gives in a failed upload reply.
std::string DeviceErrorText(unsigned code);

// Percentage of a transfer for "Sending %02d%%" and "Got %02d%%": truncated;
// an empty transfer counts as complete.
int TransferPercent(uint64_t total, uint64_t remaining);

// True when more than the reply timeout has passed between two tick counts
// (unsigned difference, so the 49-day wrap of the tick count is harmless).
inline bool ReplyTimedOut(uint32_t lastSendTick, uint32_t nowTick)
{
    return (uint32_t)(nowTick - lastSendTick) > kReplyTimeoutMs;
}

// Assembles one reply at a time from the byte stream.  The socket asks
// `Wanted()` how many bytes to receive, receives at most that many into
// `WritePointer()`, and reports them with `Received()`.  Because it never
// asks for more than completes the header or the reply, a following reply
// stays in the socket for the next round: two replies that arrive together
// are never mixed.  The header is interpreted only once its 8 bytes are in.
// While nothing is awaited (`Wanted()` is 0) the socket reads and discards
// what arrives, so that a stray reply cannot block later notifications.
class CTrovReplyAssembler {
public:
    enum Outcome {
        kNeedMore,      // nothing to do yet
        kDropped,       // not a reply to what was sent, or malformed: ignored
        kDownloadPiece, // file data arrived: PieceData()/PieceLength()
        kComplete,      // the whole reply is in: Header(), Reply()
    };

    // A reply to the message just sent is now awaited in `state`.
    void Expect(SessionState state, uint16_t sequence, uint16_t lastCommand);
    // No reply is awaited any more.
    void Stop() { m_active = false; }
    bool Active() const { return m_active; }

    size_t Wanted() const;
    unsigned char* WritePointer() { return m_buffer + m_offset; }
    Outcome Received(size_t count);

    const MessageHeader& Header() const { return m_header; }
    const unsigned char* Reply() const { return m_buffer; }
    size_t ReplyLength() const { return m_replyLength; }
    // Word 3 of the last login reply.
    uint16_t LoginReplySize() const { return m_loginReplySize; }

    // Downloads (state SESSION_DOWNLOAD): every outcome kDownloadPiece, and
    // the final kComplete, carry a piece of data to write, the first one
    // (which creates the file) possibly empty.
    bool IsDownload() const { return m_state == SESSION_DOWNLOAD; }
    const unsigned char* PieceData() const { return m_pieceData; }
    size_t PieceLength() const { return m_pieceLength; }
    bool PieceIsFirst() const { return m_firstPiece; }
    uint32_t DownloadTotal() const { return m_downloadTotal; }
    uint32_t DownloadRemaining() const { return m_downloadRemaining; }

private:
    Outcome HeaderArrived();

    unsigned char m_buffer[kReceiveBufferSize];
    bool m_active = false;
    SessionState m_state = SESSION_DONE;
    uint16_t m_sequence = 0;
    uint16_t m_lastCommand = 0;
    size_t m_offset = 0;       // bytes of the current reply in the buffer
    size_t m_replyLength = 0;  // whole reply length, once the header is in
    bool m_headerIn = false;
    MessageHeader m_header;
    uint16_t m_loginReplySize = 0;
    bool m_downloading = false;
    bool m_firstPiece = false;
    uint32_t m_downloadTotal = 0;
    uint32_t m_downloadRemaining = 0;
    const unsigned char* m_pieceData = nullptr;
    size_t m_pieceLength = 0;
};
