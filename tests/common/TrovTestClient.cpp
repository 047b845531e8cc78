#include "tests/common/TrovTestClient.h"

#include <chrono>
#include <cstring>

#include "support/Utilities.h"

namespace trovtest {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point end)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return left > 0 ? (int)left : 0;
}

} // namespace

TrovTestClient::TrovTestClient() : m_assembler(new CTrovReplyAssembler()) {}

TrovTestClient::~TrovTestClient() = default;

bool TrovTestClient::Connect(uint32_t address, uint16_t port, int* error)
{
    m_assembler->Stop();
    if (!m_socket.Connect(address, port, kDefaultTimeoutMs, error)) {
        m_lastError = "connect failed";
        return false;
    }
    m_socket.SetNoDelay();
    return true;
}

void TrovTestClient::Close()
{
    m_assembler->Stop();
    m_socket.Close();
}

bool TrovTestClient::Transmit(const std::vector<unsigned char>& message)
{
    if (!m_socket.SendAll(message.data(), message.size(), kDefaultTimeoutMs)) {
        m_lastError = "send failed";
        return false;
    }
    return true;
}

bool TrovTestClient::Send(uint16_t command, uint16_t parameter, const void* payload, size_t length,
                          SessionState state)
{
    ++m_sequence;
    m_lastCommand = command;
    m_state = state;
    if (state == SESSION_DONE)
        m_assembler->Stop();
    else
        m_assembler->Expect(state, (uint16_t)m_sequence, command);
    return Transmit(FrameCommand((uint16_t)m_sequence, command, parameter, payload, length));
}

bool TrovTestClient::SendChunk(const void* data, uint16_t length)
{
    ++m_sequence;
    m_lastCommand = CMD_DATA;
    m_state = SESSION_UPLOAD;
    m_assembler->Expect(SESSION_UPLOAD, (uint16_t)m_sequence, CMD_DATA);
    return Transmit(FrameDataChunk((uint16_t)m_sequence, data, length));
}

bool TrovTestClient::SendRaw(const void* data, size_t length)
{
    return m_socket.SendAll(data, length, kDefaultTimeoutMs);
}

bool TrovTestClient::Await(TrovReply* reply, int timeoutMs)
{
    TrovReply local;
    TrovReply& r = reply ? *reply : local;
    r.outcome = CTrovReplyAssembler::kNeedMore;
    if (timeoutMs < 0)
        timeoutMs = m_timeoutMs;
    Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        size_t wanted = m_assembler->Wanted();
        if (wanted == 0) {
            m_lastError = "no reply awaited";
            return false;
        }
        int n = m_socket.Receive(m_assembler->WritePointer(), (int)wanted, MillisecondsLeft(end));
        if (n == SimTcpSocket::kTimedOut) {
            m_lastError = "timeout";
            return false;
        }
        if (n <= 0) {
            m_lastError = n == 0 ? "closed" : "receive failed";
            return false;
        }
        r.outcome = m_assembler->Received((size_t)n);
        switch (r.outcome) {
        case CTrovReplyAssembler::kNeedMore:
            break;
        case CTrovReplyAssembler::kDropped:
            r.header = m_assembler->Header();
            m_lastError = "reply dropped";
            return false;
        case CTrovReplyAssembler::kDownloadPiece:
        case CTrovReplyAssembler::kComplete:
            r.header = m_assembler->Header();
            if (m_assembler->IsDownload()) {
                if (m_assembler->PieceIsFirst()) {
                    r.data.clear();
                    r.pieces = 0;
                }
                r.data.append(reinterpret_cast<const char*>(m_assembler->PieceData()), m_assembler->PieceLength());
                ++r.pieces;
            } else {
                r.bytes.assign(reinterpret_cast<const char*>(m_assembler->Reply()), m_assembler->ReplyLength());
            }
            if (r.outcome == CTrovReplyAssembler::kComplete)
                return true;
            break;
        }
    }
}

size_t TrovTestClient::ReadRaw(std::string* out, size_t length, int timeoutMs)
{
    out->clear();
    Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    while (out->size() < length) {
        size_t want = length - out->size();
        int n = m_socket.Receive(buffer, (int)(want < sizeof buffer ? want : sizeof buffer), MillisecondsLeft(end));
        if (n <= 0)
            break;
        out->append(buffer, (size_t)n);
    }
    return out->size();
}

bool TrovTestClient::WaitForClose(int timeoutMs)
{
    Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        int n = m_socket.Receive(buffer, sizeof buffer, MillisecondsLeft(end));
        if (n == 0 || n == -1)
            return true;
        if (n == SimTcpSocket::kTimedOut)
            return false;
    }
}

bool TrovTestClient::Identify(std::string* xml, TrovReply* reply)
{
    TrovReply local;
    TrovReply& r = reply ? *reply : local;
    if (!Send(CMD_IDENTIFY, 0, nullptr, 0, SESSION_IDENTITY) || !Await(&r))
        return false;
    if (xml) {
        // The text ends at its terminator, or at the reply's end without one.
        std::string text = r.bytes.substr(kMessageHeaderSize);
        *xml = text.substr(0, text.find('\0'));
    }
    return r.header.command != 0;
}

bool TrovTestClient::Login(const std::string& password, TrovReply* reply)
{
    TrovReply local;
    TrovReply& r = reply ? *reply : local;
    char digest[33] = {};
    Md5Hex(digest, 32, password.c_str(), (ptrdiff_t)password.size());
    if (!Send(CMD_LOGIN, 0, digest, 32, SESSION_LOGIN) || !Await(&r))
        return false;
    return r.header.command != 0 && m_assembler->LoginReplySize() > 16;
}

TrovUploadResult TrovTestClient::Upload(const std::string& kind, const std::string& data, size_t chunkSize)
{
    TrovUploadResult result;
    TrovReply reply;
    if (!Send(CMD_BEGIN_UPLOAD, 0, kind.c_str(), kind.size() + 1, SESSION_UPLOAD) || !Await(&reply))
        return result;
    if (reply.header.length == 0) {
        result.errorCode = reply.header.parameter;
        result.errorAtChunk = 0;
        return result;
    }
    size_t sent = 0;
    for (int chunk = 1;; ++chunk) {
        size_t piece = data.size() - sent < chunkSize ? data.size() - sent : chunkSize;
        result.chunks.push_back(piece);
        if (!SendChunk(data.data() + sent, (uint16_t)piece) || !Await(&reply))
            return result;
        sent += piece;
        if (reply.header.length == 0) {
            result.errorCode = reply.header.parameter;
            result.errorAtChunk = chunk;
            return result;
        }
        if (reply.header.length == 2) {
            result.finished = piece == 0;
            return result;
        }
        if (piece == 0) {
            m_lastError = "the empty chunk was not answered with 2";
            return result;
        }
    }
}

bool TrovTestClient::Runtime(uint16_t parameter, TrovReply* reply)
{
    SessionState state = !reply ? SESSION_DONE
                         : parameter == RUNTIME_STOP ? SESSION_STOP_RESULT
                         : parameter == RUNTIME_INSTALL_APP ? SESSION_INSTALL_RESULT
                                                            : SESSION_RESTART_RESULT;
    if (!Send(CMD_RUNTIME, parameter, nullptr, 0, state))
        return false;
    if (!reply)
        return true;
    return Await(reply) && reply->header.command != 0;
}

bool TrovTestClient::GetFile(uint16_t command, std::string* data, TrovReply* reply)
{
    TrovReply local;
    TrovReply& r = reply ? *reply : local;
    std::vector<unsigned char> payload = command == CMD_GET_LOG ? EventLogRequestPayload() : BackupRequestPayload();
    if (!Send(command, 0, payload.data(), payload.size(), SESSION_DOWNLOAD) || !Await(&r))
        return false;
    if (data)
        *data = r.data;
    return true;
}

bool TrovTestClient::XmlCommand(const std::string& text, TrovReply* reply)
{
    TrovReply local;
    TrovReply& r = reply ? *reply : local;
    return Send(CMD_XML_COMMAND, 0, text.c_str(), text.size() + 1, SESSION_COMMAND_RESULT) && Await(&r) &&
           r.header.command != 0;
}

} // namespace trovtest
