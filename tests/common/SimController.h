#pragma once
// A simulated Trov controller for tests.  It answers the discovery probe
// "Trov:KnockKnock" (UDP 38255) with its TROV reply sent to the prober's
// address on the reply port (38256), and records the XML commands
// (Identify, Reconfigure) that reach it by datagram.  It binds only to
// loopback addresses unless the caller states that it runs inside a test
// network namespace.  Its TCP side (port 38254) is SimTcpController, which
// answers from the same identity record.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/SimSocket.h"

namespace trovtest {

// What the controller says about itself.  Empty texts are left out of the
// reply; `ifNumber` empty leaves out IF.
struct SimControllerIdentity {
    std::string ifNumber = "1";
    std::string if1Dhcp = "Static", if1Ip, if1Netmask = "255.255.255.0", if1Gateway;
    std::string if2Dhcp, if2Ip, if2Netmask;
    std::string hostName, comment, config, setup, appVersion, appGuid;
    std::string version, altera, mac;
    std::string board;        // "K410", "K420", "K430", "RPI" or empty
    bool identButton = false; // the identification button is pressed
};

// The reply text of an identity: root TROV with the elements above.
std::string BuildSimReply(const SimControllerIdentity& identity);

struct SimControllerOptions {
    uint32_t listenAddress = 0x7F000001; // host order; 0 = any (namespace only)
    uint32_t replyFromAddress = 0;       // local address the replies leave from; 0 = as listen
    uint16_t probePort = 38255;
    uint16_t replyPort = 38256;
    bool reuseAddress = false;           // several controllers on one port
    bool insideTestNamespace = false;    // allows addresses other than 127.0.0.0/8
};

struct SimReceived {
    uint32_t sender = 0;
    std::string text;
    std::string command; // COMMAND of an XML command, empty otherwise
    std::string mac;     // MAC of an XML command
};

class SimController {
public:
    SimController() = default;
    ~SimController() { Stop(); }
    SimController(const SimController&) = delete;
    SimController& operator=(const SimController&) = delete;

    // Binds and starts serving on a thread of its own.  False (with the
    // reason) when an address is not allowed or cannot be bound.
    bool Start(const SimControllerOptions& options, std::string* error = nullptr);
    // Binds without a thread; the caller runs ServeOnce.
    bool Open(const SimControllerOptions& options, std::string* error = nullptr);
    void Stop();
    // Serves what arrives within timeoutMs; returns false on a socket error.
    bool ServeOnce(int timeoutMs);

    void SetIdentity(const SimControllerIdentity& identity);
    SimControllerIdentity GetIdentity() const;
    // Bytes sent instead of the identity's reply (hostile replies); empty
    // text restores the normal reply.
    void SetRawReply(const std::string& bytes);
    // Replies sent per probe (1 normally; 0 to stay silent).
    void SetRepliesPerProbe(int count);

    int ProbeCount() const { return m_probes.load(); }
    int ReplyCount() const { return m_replies.load(); }
    std::vector<SimReceived> Commands() const;

    // Waits until ProbeCount reaches count or timeoutMs passes.
    bool WaitForProbes(int count, int timeoutMs) const;

private:
    void Serve();
    void Handle(const char* data, int length, uint32_t sender);

    SimControllerOptions m_options;
    SimUdpSocket m_listen;
    SimUdpSocket m_reply;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_probes{0};
    std::atomic<int> m_replies{0};
    mutable std::mutex m_mutex;
    SimControllerIdentity m_identity;
    std::string m_rawReply;
    bool m_useRaw = false;
    int m_repliesPerProbe = 1;
    std::vector<SimReceived> m_commands;
};

// The text of the first element named `name` in an XML text ("" when none).
std::string SimElementText(const std::string& xml, const std::string& name);

} // namespace trovtest
