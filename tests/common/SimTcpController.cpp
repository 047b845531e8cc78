#include "tests/common/SimTcpController.h"

#include "tests/common/Loopback.h"

#include <chrono>
#include <cstring>


namespace trovtest {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsSince(Clock::time_point start)
{
    return (int)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

const char* KindOf(const unsigned char* payload, size_t length)
{
    static const char* const kKinds[] = {"UPDATE", "IOFIRMWARE", "APPLICATION"};
    for (const char* kind : kKinds)
        if (length == std::strlen(kind) + 1 && std::memcmp(payload, kind, length) == 0)
            return kind;
    return nullptr;
}

std::string Describe(const wire::Header& h)
{
    return "message " + std::to_string(h.sequence) + " (command " + std::to_string(h.command) + ")";
}

} // namespace

std::string SimReplyBytes(uint16_t sequence, uint16_t result, uint16_t word3, uint16_t word4, const std::string& payload)
{
    wire::Header header;
    header.sequence = sequence;
    header.command = result;
    header.length = word3;
    header.parameter = word4;
    return wire::HeaderBytes(header) + payload;
}

struct SimTcpController::Connection {
    int number = 0;
    SimTcpSocket socket;
    std::string inbox;
    Clock::time_point partialSince;
    bool partial = false;
    int upload = -1;     // index into m_uploads while an upload runs
    int dataChunks = 0;  // data chunks of the running upload
};

SimTcpController::SimTcpController() : m_behaviour(std::make_shared<SimTcpBehaviour>()) {}

SimTcpController::~SimTcpController() { Stop(); }

bool SimTcpController::Start(const SimTcpOptions& options, std::string* error)
{
    Stop();
    m_options = options;
    if (!options.insideTestNamespace && !IsLoopbackAddress(options.address)) {
        if (error)
            *error = "the simulated controller binds only to loopback addresses outside a test namespace";
        return false;
    }
    if (Current()->connectMode != SimConnectMode::kNoListener && !m_listener.Listen(options.address, options.port)) {
        if (error)
            *error = "cannot listen on " + std::to_string(options.address >> 24) + "." +
                     std::to_string((options.address >> 16) & 255) + "." + std::to_string((options.address >> 8) & 255) +
                     "." + std::to_string(options.address & 255) + ":" + std::to_string(options.port);
        return false;
    }
    m_stop = false;
    m_thread = std::thread([this] { Serve(); });
    return true;
}

void SimTcpController::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_stopMutex);
        m_stop = true;
    }
    m_stopped.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    m_open.clear();
    m_listener.Close();
}

std::shared_ptr<const SimTcpBehaviour> SimTcpController::Current() const
{
    std::lock_guard<std::mutex> lock(m_behaviourMutex);
    return m_behaviour;
}

void SimTcpController::SetBehaviour(const SimTcpBehaviour& behaviour)
{
    auto copy = std::make_shared<const SimTcpBehaviour>(behaviour);
    std::lock_guard<std::mutex> lock(m_behaviourMutex);
    m_behaviour = copy;
}

SimTcpBehaviour SimTcpController::Behaviour() const { return *Current(); }

void SimTcpController::Change(const std::function<void(SimTcpBehaviour&)>& edit)
{
    std::lock_guard<std::mutex> lock(m_behaviourMutex);
    auto copy = std::make_shared<SimTcpBehaviour>(*m_behaviour);
    edit(*copy);
    m_behaviour = copy;
}

void SimTcpController::Serve()
{
    while (!m_stop) {
        std::shared_ptr<const SimTcpBehaviour> b = Current();
        if (b->connectMode == SimConnectMode::kNoListener) {
            m_listener.Close();
        } else if (!m_listener.IsOpen() && !m_listener.Listen(m_options.address, m_options.port)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        if (m_listener.IsOpen()) {
            std::unique_ptr<Connection> c(new Connection());
            if (m_listener.Accept(&c->socket, m_open.empty() ? 20 : 0) == 1) {
                c->number = ++m_connections;
                if (b->connectMode == SimConnectMode::kCloseAtOnce) {
                    c->socket.Close();
                } else {
                    c->socket.SetNoDelay();
                    m_open.push_back(std::move(c));
                }
            }
        } else if (m_open.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        int slice = m_open.size() == 1 ? 20 : 5;
        for (size_t i = 0; i < m_open.size() && !m_stop;) {
            ServeConnection(*m_open[i], slice);
            if (m_open[i]->socket.IsOpen())
                ++i;
            else
                m_open.erase(m_open.begin() + (long)i);
        }
    }
}

void SimTcpController::ServeConnection(Connection& c, int timeoutMs)
{
    char buffer[65536];
    int n = c.socket.Receive(buffer, sizeof buffer, timeoutMs);
    if (n == 0 || n == -1) {
        if (c.partial)
            Violation("connection " + std::to_string(c.number) + " closed in the middle of a message");
        c.socket.Close();
        return;
    }
    if (n > 0)
        c.inbox.append(buffer, (size_t)n);

    while (c.socket.IsOpen() && c.inbox.size() >= wire::kHeaderSize) {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(c.inbox.data());
        wire::Header header = wire::DecodeHeader(bytes);
        size_t payload;
        if (header.command == wire::kData) {
            payload = header.length; // a data chunk announces its own length only
        } else {
            if (header.length < wire::kHeaderSize) {
                Violation(Describe(header) + ": length word " + std::to_string(header.length) +
                          " is shorter than the header");
                c.socket.Close();
                return;
            }
            payload = header.length - wire::kHeaderSize;
        }
        if (c.inbox.size() < wire::kHeaderSize + payload) {
            if (!c.partial) {
                c.partial = true;
                c.partialSince = Clock::now();
            } else if (MillisecondsSince(c.partialSince) > Current()->stallMs) {
                Violation(Describe(header) + ": announced " + std::to_string(payload) + " payload bytes, " +
                          std::to_string(c.inbox.size() - wire::kHeaderSize) + " arrived");
                c.socket.Close();
            }
            return;
        }
        c.partial = false;
        bool keep = HandleMessage(c, header, bytes + wire::kHeaderSize, payload);
        c.inbox.erase(0, wire::kHeaderSize + payload);
        if (!keep)
            c.socket.Close();
    }
}

bool SimTcpController::HandleMessage(Connection& c, const wire::Header& h, const unsigned char* payload,
                                     size_t length)
{
    std::shared_ptr<const SimTcpBehaviour> b = Current();
    {
        SimTcpMessage m;
        m.connection = c.number;
        m.header = h;
        m.payloadLength = length;
        if (h.command != wire::kData)
            m.payload.assign(reinterpret_cast<const char*>(payload), length);
        std::lock_guard<std::mutex> lock(m_recordMutex);
        m_messages.push_back(std::move(m));
    }
    if (h.command != wire::kRuntime && h.parameter != 0)
        Violation(Describe(h) + ": parameter " + std::to_string(h.parameter) + " where 0 belongs");

    auto fault = b->faults.find(h.command);
    bool silent = fault != b->faults.end() && fault->second.silent;
    const uint16_t ok = h.command;

    switch (h.command) {
    case wire::kIdentify: {
        if (length != 0)
            Violation(Describe(h) + ": identity request with a payload");
        std::string text = b->identityXml.empty() ? BuildSimReply(b->identity) : b->identityXml;
        if (b->identityTerminator)
            text.push_back('\0');
        if (silent)
            return true;
        return SendReply(c, *b, h.command,
                         SimReplyBytes(h.sequence, ok, (uint16_t)(wire::kHeaderSize + text.size()), 0, text));
    }
    case wire::kLogin: {
        bool wellFormed = length == 32;
        for (size_t i = 0; wellFormed && i < length; ++i)
            wellFormed = (payload[i] >= '0' && payload[i] <= '9') || (payload[i] >= 'a' && payload[i] <= 'f');
        if (!wellFormed)
            Violation(Describe(h) + ": the login payload is not 32 lower-case hexadecimal digits");
        bool accepted = wellFormed && std::memcmp(wire::LoginDigest(b->password).data(), payload, 32) == 0;
        if (silent)
            return true;
        std::string rest(b->loginReplySize >= 7 ? 45 - wire::kHeaderSize : 0, '\0');
        return SendReply(c, *b, h.command, SimReplyBytes(h.sequence, accepted ? ok : 0, b->loginReplySize, 0, rest));
    }
    case wire::kBeginUpload: {
        const char* kind = KindOf(payload, length);
        if (!kind)
            Violation(Describe(h) + ": unknown upload kind");
        if (c.upload >= 0)
            Violation(Describe(h) + ": a new upload begins before the last one ended");
        SimUpload upload;
        upload.connection = c.number;
        upload.kind = kind ? kind : std::string(reinterpret_cast<const char*>(payload), length);
        bool error = !kind || b->uploadErrorAt == 0;
        upload.failed = error;
        {
            std::lock_guard<std::mutex> lock(m_recordMutex);
            m_uploads.push_back(upload);
            c.upload = error ? -1 : (int)m_uploads.size() - 1;
        }
        c.dataChunks = 0;
        if (silent)
            return true;
        uint16_t code = kind ? b->uploadErrorCode : 4;
        return SendReply(c, *b, h.command, SimReplyBytes(h.sequence, ok, error ? 0 : 1, error ? code : 0));
    }
    case wire::kData: {
        {
            // Records cleared by the test end the upload they held.
            std::lock_guard<std::mutex> lock(m_recordMutex);
            if (c.upload >= (int)m_uploads.size())
                c.upload = -1;
        }
        if (c.upload < 0) {
            Violation(Describe(h) + ": data chunk outside an upload");
            return silent || SendReply(c, *b, h.command, SimReplyBytes(h.sequence, ok, 0, 0));
        }
        if (length > b->maxChunk)
            Violation(Describe(h) + ": chunk of " + std::to_string(length) + " bytes");
        ++c.dataChunks;
        bool error = b->uploadErrorAt == c.dataChunks;
        bool last = length == 0;
        {
            std::lock_guard<std::mutex> lock(m_recordMutex);
            SimUpload& upload = m_uploads[(size_t)c.upload];
            upload.chunks.push_back(length);
            upload.data.append(reinterpret_cast<const char*>(payload), length);
            if (error)
                upload.failed = true;
            else if (last) {
                upload.finished = true;
                m_files[upload.kind] = upload.data;
            }
        }
        if (error || last)
            c.upload = -1;
        if (silent)
            return true;
        uint16_t status = error ? 0 : last ? 2 : 1;
        return SendReply(c, *b, h.command, SimReplyBytes(h.sequence, ok, status, error ? b->uploadErrorCode : 0));
    }
    case wire::kRuntime: {
        if (length != 0)
            Violation(Describe(h) + ": runtime command with a payload");
        {
            std::lock_guard<std::mutex> lock(m_recordMutex);
            m_runtime.push_back(h.parameter);
        }
        if (silent || !b->runtimeReplies.count(h.parameter))
            return true;
        bool failed = b->runtimeFailures.count(h.parameter) != 0;
        return SendReply(c, *b, h.command, SimReplyBytes(h.sequence, failed ? 0 : ok, wire::kHeaderSize, 0));
    }
    case wire::kGetFile:
    case wire::kGetLog: {
        std::string expected = h.command == wire::kGetFile ? wire::BackupRequest() : wire::EventLogRequest();
        if (length != expected.size() || std::memcmp(payload, expected.data(), length) != 0)
            Violation(Describe(h) + ": the file request does not name the file");
        if (silent)
            return true;
        const std::string& data = h.command == wire::kGetFile ? b->backupFile : b->eventLog;
        uint32_t size = (uint32_t)data.size();
        return SendReply(c, *b, h.command,
                         SimReplyBytes(h.sequence, ok, (uint16_t)(size >> 16), (uint16_t)size, data));
    }
    case wire::kXmlCommand: {
        if (length == 0 || payload[length - 1] != 0)
            Violation(Describe(h) + ": XML command without its terminator");
        std::string text(reinterpret_cast<const char*>(payload), length);
        text = text.c_str();
        {
            std::lock_guard<std::mutex> lock(m_recordMutex);
            m_xmlCommands.push_back(text);
        }
        if (silent)
            return true;
        // A controller acts only on a command that names it by its MAC.
        bool forUs = !b->identity.mac.empty() && SimElementText(text, "MAC") == b->identity.mac;
        std::string rest = b->xmlReplyText;
        if (!rest.empty())
            rest.push_back('\0');
        return SendReply(c, *b, h.command,
                         SimReplyBytes(h.sequence, b->xmlCommandSucceeds && forUs ? ok : 0,
                                       (uint16_t)(wire::kHeaderSize + rest.size()), 0, rest));
    }
    default:
        Violation(Describe(h) + ": unknown command");
        return true;
    }
}

bool SimTcpController::SendReply(Connection& c, const SimTcpBehaviour& b, uint16_t command, std::string bytes)
{
    auto fault = b.faults.find(command);
    if (fault != b.faults.end()) {
        const SimReplyFault& f = fault->second;
        wire::Header h = wire::DecodeHeader(reinterpret_cast<const unsigned char*>(bytes.data()));
        if (f.wrongSequence)
            h.sequence ^= 0x8000;
        if (f.wrongEcho && h.command != 0)
            h.command = (uint16_t)(command + 100);
        if (f.lengthWord >= 0 && (command == wire::kIdentify || command == wire::kXmlCommand))
            h.length = (uint16_t)f.lengthWord;
        bytes.replace(0, wire::kHeaderSize, wire::HeaderBytes(h));
        if (f.closeAfterBytes >= 0 && (size_t)f.closeAfterBytes < bytes.size()) {
            SendBytes(c, bytes.data(), (size_t)f.closeAfterBytes);
            return false;
        }
    }
    auto extra = b.extraAfterReply.find(command);
    if (extra != b.extraAfterReply.end())
        bytes += extra->second;

    const std::vector<size_t>& sizes = b.segmentation.sizes;
    if (sizes.empty())
        return SendBytes(c, bytes.data(), bytes.size());
    size_t at = 0;
    for (size_t i = 0; at < bytes.size() && !m_stop; ++i) {
        size_t piece = sizes[i < sizes.size() ? i : sizes.size() - 1];
        if (piece == 0 || piece > bytes.size() - at)
            piece = bytes.size() - at;
        if (at > 0)
            PauseUnlessStopped(b.segmentation.pauseMs);
        if (!SendBytes(c, bytes.data() + at, piece))
            return false;
        at += piece;
    }
    return true;
}

void SimTcpController::PauseUnlessStopped(int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_stopMutex);
    m_stopped.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stop.load(); });
}

bool SimTcpController::SendBytes(Connection& c, const char* data, size_t length)
{
    // A client that stops reading for this long is given up.
    const int kStuckMs = 10000;
    Clock::time_point progress = Clock::now();
    while (length > 0) {
        if (m_stop)
            return false;
        int n = c.socket.SendSome(data, length, 20);
        if (n < 0)
            return false;
        if (n == 0) {
            if (MillisecondsSince(progress) > kStuckMs)
                return false;
            continue;
        }
        progress = Clock::now();
        data += n;
        length -= (size_t)n;
    }
    return true;
}

void SimTcpController::Violation(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    m_violations.push_back(text);
}

std::vector<SimTcpMessage> SimTcpController::Messages() const
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    return m_messages;
}

std::vector<uint16_t> SimTcpController::Sequences() const
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    std::vector<uint16_t> out;
    for (const SimTcpMessage& m : m_messages)
        out.push_back(m.header.sequence);
    return out;
}

std::vector<SimUpload> SimTcpController::Uploads() const
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    return m_uploads;
}

std::string SimTcpController::UploadedFile(const std::string& kind) const
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    auto it = m_files.find(kind);
    return it == m_files.end() ? std::string() : it->second;
}

std::vector<uint16_t> SimTcpController::RuntimeParameters() const
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    return m_runtime;
}

std::vector<std::string> SimTcpController::XmlCommands() const
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    return m_xmlCommands;
}

std::vector<std::string> SimTcpController::Violations() const
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    return m_violations;
}

void SimTcpController::ClearRecords()
{
    std::lock_guard<std::mutex> lock(m_recordMutex);
    m_messages.clear();
    m_uploads.clear();
    m_files.clear();
    m_runtime.clear();
    m_xmlCommands.clear();
    m_violations.clear();
}

bool SimTcpController::WaitForMessages(size_t count, int timeoutMs) const
{
    Clock::time_point start = Clock::now();
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_recordMutex);
            if (m_messages.size() >= count)
                return true;
        }
        if (MillisecondsSince(start) > timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace trovtest
