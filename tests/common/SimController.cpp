#include "tests/common/SimController.h"

#include "tests/common/Loopback.h"

#include <chrono>
#include <cstring>

namespace trovtest {

namespace {

const char kProbe[] = "Trov:KnockKnock";

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

void Leaf(std::string& out, const char* indent, const char* name, const std::string& text)
{
    if (text.empty())
        return;
    out += indent;
    out += "<";
    out += name;
    out += ">" + Escape(text) + "</" + name + ">\n";
}

} // namespace

std::string BuildSimReply(const SimControllerIdentity& id)
{
    std::string out = "<TROV>\n";
    Leaf(out, " ", "IF", id.ifNumber);
    Leaf(out, " ", "HOSTNAME", id.hostName);
    Leaf(out, " ", "COMMENT", id.comment);
    Leaf(out, " ", "CONFIG", id.config);
    Leaf(out, " ", "SETUP", id.setup);
    Leaf(out, " ", "APPVERSION", id.appVersion);
    Leaf(out, " ", "APPGUID", id.appGuid);
    if (!(id.if1Dhcp + id.if1Ip + id.if1Netmask + id.if1Gateway).empty()) {
        out += " <IF1>\n";
        Leaf(out, "  ", "DHCP", id.if1Dhcp);
        Leaf(out, "  ", "IP", id.if1Ip);
        Leaf(out, "  ", "NETMASK", id.if1Netmask);
        Leaf(out, "  ", "GATEWAY", id.if1Gateway);
        out += " </IF1>\n";
    }
    if (!(id.if2Dhcp + id.if2Ip + id.if2Netmask).empty()) {
        out += " <IF2>\n";
        Leaf(out, "  ", "DHCP", id.if2Dhcp);
        Leaf(out, "  ", "IP", id.if2Ip);
        Leaf(out, "  ", "NETMASK", id.if2Netmask);
        out += " </IF2>\n";
    }
    Leaf(out, " ", "VERSION", id.version);
    Leaf(out, " ", "ALTERA", id.altera);
    Leaf(out, " ", "MAC", id.mac);
    if (!id.board.empty())
        out += " <" + id.board + "/>\n";
    if (id.identButton)
        out += " <IDENTBUTTON/>\n";
    out += "</TROV>\n";
    return out;
}

std::string SimElementText(const std::string& xml, const std::string& name)
{
    std::string open = "<" + name + ">";
    size_t start = xml.find(open);
    if (start == std::string::npos)
        return std::string();
    start += open.size();
    size_t end = xml.find("</" + name + ">", start);
    if (end == std::string::npos)
        return std::string();
    return xml.substr(start, end - start);
}

bool SimController::Open(const SimControllerOptions& options, std::string* error)
{
    Stop();
    m_options = options;
    uint32_t from = options.replyFromAddress ? options.replyFromAddress : options.listenAddress;
    if (!options.insideTestNamespace && (!IsLoopbackAddress(options.listenAddress) || !IsLoopbackAddress(from))) {
        if (error)
            *error = "the simulated controller binds only to loopback addresses outside a test namespace";
        return false;
    }
    if (!m_listen.Open(options.listenAddress, options.probePort, options.reuseAddress)) {
        if (error)
            *error = "cannot bind the probe port";
        return false;
    }
    if (!m_reply.Open(from, 0, false)) {
        m_listen.Close();
        if (error)
            *error = "cannot bind the reply socket";
        return false;
    }
    m_stop = false;
    return true;
}

bool SimController::Start(const SimControllerOptions& options, std::string* error)
{
    if (!Open(options, error))
        return false;
    m_thread = std::thread([this] { Serve(); });
    return true;
}

void SimController::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    m_listen.Close();
    m_reply.Close();
}

void SimController::Serve()
{
    while (!m_stop) {
        if (!ServeOnce(20))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool SimController::ServeOnce(int timeoutMs)
{
    char buffer[65536];
    uint32_t sender = 0;
    uint16_t senderPort = 0;
    int n = m_listen.ReceiveFrom(buffer, sizeof buffer - 1, &sender, &senderPort, timeoutMs);
    if (n < 0)
        return false;
    if (n > 0)
        Handle(buffer, n, sender);
    return true;
}

void SimController::Handle(const char* data, int length, uint32_t sender)
{
    if (length == (int)strlen(kProbe) && memcmp(data, kProbe, length) == 0) {
        ++m_probes;
        // Replies go back only where this controller may send: loopback, or
        // anywhere inside the test's own namespace.
        if (!m_options.insideTestNamespace && !IsLoopbackAddress(sender))
            return;
        std::string reply;
        int count;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            reply = m_useRaw ? m_rawReply : BuildSimReply(m_identity);
            count = m_repliesPerProbe;
        }
        for (int i = 0; i < count; ++i)
            if (m_reply.SendTo(sender, m_options.replyPort, reply.data(), (int)reply.size()) == (int)reply.size())
                ++m_replies;
        return;
    }
    SimReceived received;
    received.sender = sender;
    received.text.assign(data, (size_t)length);
    if (received.text.find("<TROV") != std::string::npos) {
        received.command = SimElementText(received.text, "COMMAND");
        received.mac = SimElementText(received.text, "MAC");
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_commands.push_back(received);
}

void SimController::SetIdentity(const SimControllerIdentity& identity)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_identity = identity;
}

SimControllerIdentity SimController::GetIdentity() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_identity;
}

void SimController::SetRawReply(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rawReply = bytes;
    m_useRaw = !bytes.empty();
}

void SimController::SetRepliesPerProbe(int count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_repliesPerProbe = count;
}

std::vector<SimReceived> SimController::Commands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

bool SimController::WaitForProbes(int count, int timeoutMs) const
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_probes.load() < count) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace trovtest
