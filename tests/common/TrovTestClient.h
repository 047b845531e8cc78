#pragma once
// A bare stop-and-wait client of the controller protocol over a plain
// blocking socket: it frames each message with the protocol's framing,
// waits for the reply and assembles it with CTrovReplyAssembler.  Tests
// drive the simulated controller with it, and the upload benchmark uses it
// as its baseline.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/TrovProtocol.h"
#include "tests/common/SimSocket.h"

namespace trovtest {

struct TrovReply {
    CTrovReplyAssembler::Outcome outcome = CTrovReplyAssembler::kNeedMore;
    MessageHeader header;
    std::string bytes; // the whole reply, header included (not for file replies)
    std::string data;  // the data of a file reply
    size_t pieces = 0; // download pieces handed on (the empty first one included)
};

struct TrovUploadResult {
    bool finished = false;      // the controller answered the empty chunk with 2
    int errorCode = -1;         // word 4 of an error reply, -1 when none came
    int errorAtChunk = -1;      // 0: the begin was refused, n: the n-th data chunk
    std::vector<size_t> chunks; // sizes of the chunks sent
};

class TrovTestClient {
public:
    enum { kDefaultTimeoutMs = 3000 };

    TrovTestClient();
    ~TrovTestClient();
    TrovTestClient(const TrovTestClient&) = delete;
    TrovTestClient& operator=(const TrovTestClient&) = delete;

    // Connects to a controller; on failure *error gets the system's code.
    bool Connect(uint32_t address, uint16_t port = kTrovTcpPort, int* error = nullptr);
    void Close();

    // Sends one command with the next sequence number and awaits its reply
    // in `state` (SESSION_DONE: no reply awaited).
    bool Send(uint16_t command, uint16_t parameter, const void* payload, size_t length, SessionState state);
    // Sends one data chunk of an upload (its own sequence number).
    bool SendChunk(const void* data, uint16_t length);
    bool SendRaw(const void* data, size_t length);

    // Assembles the reply awaited: true once it is complete; false when it
    // was dropped (reply->outcome kDropped), timed out, or the connection
    // closed.  After a drop the reply is still awaited.
    bool Await(TrovReply* reply, int timeoutMs = -1); // -1: the client's timeout
    // Reads up to `length` raw bytes (fewer on timeout or close).
    size_t ReadRaw(std::string* out, size_t length, int timeoutMs = kDefaultTimeoutMs);
    // True when the controller closed the connection within timeoutMs.
    bool WaitForClose(int timeoutMs = kDefaultTimeoutMs);

    // The exchanges of the protocol.
    bool Identify(std::string* xml, TrovReply* reply = nullptr);
    bool Login(const std::string& password, TrovReply* reply);
    TrovUploadResult Upload(const std::string& kind, const std::string& data, size_t chunkSize);
    bool Runtime(uint16_t parameter, TrovReply* reply); // reply null: none awaited
    bool GetFile(uint16_t command, std::string* data, TrovReply* reply = nullptr);
    bool XmlCommand(const std::string& text, TrovReply* reply);

    // How long the exchanges wait for each reply.
    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    uint16_t Sequence() const { return (uint16_t)m_sequence; }
    void SetSequence(int value) { m_sequence = value; }
    const std::string& LastError() const { return m_lastError; }

private:
    bool Transmit(const std::vector<unsigned char>& message);

    SimTcpSocket m_socket;
    std::unique_ptr<CTrovReplyAssembler> m_assembler;
    int m_timeoutMs = kDefaultTimeoutMs;
    int m_sequence = 0;
    uint16_t m_lastCommand = 0;
    SessionState m_state = SESSION_DONE;
    std::string m_lastError;
};

} // namespace trovtest
