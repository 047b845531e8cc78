#pragma once
// The TCP side of a simulated Trov controller (port 38254).  Since the port
// is fixed, every controller listens on a loopback address of its own
// (127.x.y.2, 127.x.y.3, ...).  It answers identity, login, uploads, runtime
// commands, file requests and XML commands as a controller does, records
// every message it receives, checks the program's framing conventions, and
// misbehaves on demand (refused connections, silence, wrong sequence
// numbers, over-long replies, connections closed mid-reply, upload errors,
// replies cut into arbitrary segments).
//
// It speaks the wire format of tests/common/SimWire.h, its own codec and
// literal values, never the program's.
//
// It serves on a thread of its own; every wait is short, so Stop() returns
// promptly and a misbehaving client never holds a test.  It binds only to
// 127.0.0.0/8 unless told that it runs inside a test network namespace.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/SimController.h"
#include "tests/common/SimSocket.h"
#include "tests/common/SimWire.h"

namespace trovtest {

// Misbehaviour of the replies to one command.
struct SimReplyFault {
    bool silent = false;        // the command is read but never answered
    bool wrongSequence = false; // the reply carries another sequence number
    bool wrongEcho = false;     // word 2 of a successful reply is not the command
    int lengthWord = -1;        // >= 0: word 3 of identity and XML-command replies
    int closeAfterBytes = -1;   // >= 0: only this many bytes of the reply go out, then the connection closes
};

// How replies are cut into TCP segments: each reply is sent in pieces of
// these sizes in turn (the last size repeats), with a pause between pieces
// so that each arrives on its own.  No sizes: one send per reply.
struct SimSegmentation {
    std::vector<size_t> sizes;
    int pauseMs = 3;
};

enum class SimConnectMode {
    kAccept,      // a controller that answers
    kNoListener,  // nothing listens: connections are refused
    kCloseAtOnce, // connections are accepted and closed at once
};

struct SimTcpBehaviour {
    SimControllerIdentity identity; // the same record as the discovery reply
    std::string identityXml;        // sent instead of the identity's text when not empty
    bool identityTerminator = true; // the identity text ends with its zero byte

    std::string password;          // a login must carry the MD5 digits of this text
    uint16_t loginReplySize = 45;  // word 3 of login replies; 17 or more: v4 firmware;
                                   // below 7 the reply is 8 bytes long, else 45

    std::set<uint16_t> runtimeReplies = {wire::kRuntimeStop, wire::kRuntimeRestartKeep, wire::kRuntimeInstallApp};
    std::set<uint16_t> runtimeFailures; // parameters answered with failure

    std::string backupFile; // data of the reply to wire::kGetFile
    std::string eventLog;   // data of the reply to wire::kGetLog

    // XML commands succeed when this is set and their MAC element holds the
    // identity's MAC; any other command (no MAC, an empty one, another
    // controller's) is answered with failure.
    bool xmlCommandSucceeds = true;
    std::string xmlReplyText; // text after the header of XML-command replies (with a terminator)

    int uploadErrorAt = -1;      // reply with an error to: 0 the begin, n the n-th data chunk; -1 never
    uint16_t uploadErrorCode = 0;
    size_t maxChunk = 4000;      // longer data chunks are reported as violations

    SimConnectMode connectMode = SimConnectMode::kAccept;
    std::map<uint16_t, SimReplyFault> faults; // by command code
    SimSegmentation segmentation;
    // Bytes sent right after the reply to a command, in the same send (two
    // replies in one segment).
    std::map<uint16_t, std::string> extraAfterReply;
    // A message whose announced payload does not arrive within this time is
    // reported as a violation and its connection closed.
    int stallMs = 1500;
};

struct SimTcpMessage {
    int connection = 0; // 1 for the first connection accepted
    wire::Header header;
    size_t payloadLength = 0;
    std::string payload; // kept for every command but data chunks
};

struct SimUpload {
    int connection = 0;
    std::string kind;          // "UPDATE", "IOFIRMWARE", "APPLICATION"
    std::vector<size_t> chunks; // every chunk size, the closing empty one included
    std::string data;
    bool finished = false;     // the empty chunk arrived and was answered with 2
    bool failed = false;       // an error reply ended it
};

struct SimTcpOptions {
    uint32_t address = 0x7F000002; // host order
    uint16_t port = wire::kPort;
    bool insideTestNamespace = false; // allows addresses other than 127.0.0.0/8
};

class SimTcpController {
public:
    SimTcpController();
    ~SimTcpController();
    SimTcpController(const SimTcpController&) = delete;
    SimTcpController& operator=(const SimTcpController&) = delete;

    // Listens (unless the behaviour says no listener) and serves on a thread
    // of its own.  False, with the reason, when the address is not allowed
    // or cannot be bound.
    bool Start(const SimTcpOptions& options, std::string* error = nullptr);
    // Ends the thread and closes every socket; returns within a few tens of
    // milliseconds.  Start may be called again afterwards.
    void Stop();
    bool Running() const { return m_thread.joinable(); }
    uint32_t Address() const { return m_options.address; }

    void SetBehaviour(const SimTcpBehaviour& behaviour);
    SimTcpBehaviour Behaviour() const;
    // Changes the behaviour in place: sim.Change([](SimTcpBehaviour& b) { ... }).
    void Change(const std::function<void(SimTcpBehaviour&)>& edit);

    // What arrived, in order.
    std::vector<SimTcpMessage> Messages() const;
    std::vector<uint16_t> Sequences() const;
    std::vector<SimUpload> Uploads() const;
    // The last complete upload of a kind ("" when none).
    std::string UploadedFile(const std::string& kind) const;
    std::vector<uint16_t> RuntimeParameters() const;
    std::vector<std::string> XmlCommands() const;
    // Breaches of the framing conventions seen (empty for a correct client).
    std::vector<std::string> Violations() const;
    int Connections() const { return m_connections.load(); }
    void ClearRecords();

    // Waits until `count` messages have arrived or timeoutMs passes.
    bool WaitForMessages(size_t count, int timeoutMs) const;

private:
    struct Connection;

    void Serve();
    void ServeConnection(Connection& c, int timeoutMs);
    bool HandleMessage(Connection& c, const wire::Header& header, const unsigned char* payload, size_t length);
    // Sends a reply with the behaviour's faults and segmentation; false when
    // the connection is to be closed.
    bool SendReply(Connection& c, const SimTcpBehaviour& b, uint16_t command, std::string bytes);
    bool SendBytes(Connection& c, const char* data, size_t length);
    // Waits the pause between two segments of a reply; Stop() ends it at
    // once.
    void PauseUnlessStopped(int milliseconds);
    void Violation(const std::string& text);
    std::shared_ptr<const SimTcpBehaviour> Current() const;

    SimTcpOptions m_options;
    SimTcpSocket m_listener;
    std::vector<std::unique_ptr<Connection>> m_open;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_stopMutex;
    std::condition_variable m_stopped;
    std::atomic<int> m_connections{0};

    mutable std::mutex m_behaviourMutex;
    std::shared_ptr<const SimTcpBehaviour> m_behaviour;

    mutable std::mutex m_recordMutex;
    std::vector<SimTcpMessage> m_messages;
    std::vector<SimUpload> m_uploads;
    std::map<std::string, std::string> m_files;
    std::vector<uint16_t> m_runtime;
    std::vector<std::string> m_xmlCommands;
    std::vector<std::string> m_violations;
};

// The bytes of a reply header followed by a payload.
std::string SimReplyBytes(uint16_t sequence, uint16_t result, uint16_t word3, uint16_t word4,
                          const std::string& payload = std::string());

} // namespace trovtest
