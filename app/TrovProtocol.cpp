#include "app/TrovProtocol.h"

#include <cstdio>
#include <cstring>

namespace {

void PutWord(unsigned char* out, uint16_t value)
{
    out[0] = (unsigned char)(value >> 8);
    out[1] = (unsigned char)value;
}

uint16_t GetWord(const unsigned char* in)
{
    return (uint16_t)(in[0] << 8 | in[1]);
}

std::vector<unsigned char> Frame(const MessageHeader& header, const void* payload, size_t payloadLength)
{
    std::vector<unsigned char> message(kMessageHeaderSize + payloadLength);
    header.Encode(message.data());
    if (payloadLength)
        std::memcpy(message.data() + kMessageHeaderSize, payload, payloadLength);
    return message;
}

} // namespace

void MessageHeader::Encode(unsigned char out[kMessageHeaderSize]) const
{
    PutWord(out, sequence);
    PutWord(out + 2, command);
    PutWord(out + 4, length);
    PutWord(out + 6, parameter);
}

MessageHeader MessageHeader::Decode(const unsigned char in[kMessageHeaderSize])
{
    MessageHeader header;
    header.sequence = GetWord(in);
    header.command = GetWord(in + 2);
    header.length = GetWord(in + 4);
    header.parameter = GetWord(in + 6);
    return header;
}

std::vector<unsigned char> FrameCommand(uint16_t sequence, uint16_t command, uint16_t parameter,
                                        const void* payload, size_t payloadLength)
{
    MessageHeader header;
    header.sequence = sequence;
    header.command = command;
    header.length = (uint16_t)(payloadLength + kMessageHeaderSize);
    header.parameter = parameter;
    return Frame(header, payload, payloadLength);
}

std::vector<unsigned char> FrameDataChunk(uint16_t sequence, const void* chunk, uint16_t chunkLength)
{
    MessageHeader header;
    header.sequence = sequence;
    header.command = CMD_DATA;
    header.length = chunkLength;
    return Frame(header, chunk, chunkLength);
}

std::vector<unsigned char> BackupRequestPayload()
{
    static const char kPath[] = "target/lmrt.lmx";
    return std::vector<unsigned char>(kPath, kPath + sizeof kPath);
}

std::vector<unsigned char> EventLogRequestPayload()
{
    std::vector<unsigned char> payload(16, 0);
    std::memcpy(payload.data(), "SYSLOG", 6);
    return payload;
}

const char* SocketErrorText(int code)
{
    switch (code) {
    case 10014: return "The lpSockAddrLen argument is incorrect.";
    case 10022: return "The socket is already bound to an address.";
    case 10024: return "No more file descriptors are available.";
    case 10038: return "The descriptor is a file, not a socket.";
    case 10039: return "A destination address is required.";
    case 10047: return "Addresses in the specified family cannot be used with this socket.";
    case 10048: return "The specified address is already in use.";
    case 10049: return "The specified address is not available from the local machine.";
    case 10051: return "The network cannot be reached from this host at this time.";
    case 10055: return "No buffer space is available. The socket cannot be connected.";
    case 10056: return "The socket is already connected.";
    case 10057: return "The socket is not connected.";
    case 10060: return "The attempt to connect timed out without establishing a connection.";
    case 10061: return "The attempt to connect was forcefully rejected.";
    default: return "";
    }
}

std::string DeviceErrorText(unsigned code)
{
    switch (code & 0xFFFF) {
    case 0: return "Trov refused connection. Bad Password?";
    case 1: return "Incorrect password";
    case 2: return "Invalid application type (runcode mismatch)";
    case 3: return "Incompatible target (FRAM mismatch)";
    case 4: return "File type unsupported";
    default: {
        char text[48];
        std::snprintf(text, sizeof text, "Unknown error code : %u", code & 0xFFFF);
        return text;
    }
    }
}

int TransferPercent(uint64_t total, uint64_t remaining)
{
    if (total == 0 || remaining > total)
        return 100;
    return (int)((double)(total - remaining) * 100.0 / (double)total);
}

// ---------------------------------------------------------------------------

void CTrovReplyAssembler::Expect(SessionState state, uint16_t sequence, uint16_t lastCommand)
{
    m_active = true;
    m_state = state;
    m_sequence = sequence;
    m_lastCommand = lastCommand;
    m_offset = 0;
    m_replyLength = 0;
    m_headerIn = false;
    m_downloading = false;
    m_pieceData = nullptr;
    m_pieceLength = 0;
}

size_t CTrovReplyAssembler::Wanted() const
{
    if (!m_active)
        return 0;
    if (!m_headerIn)
        return kMessageHeaderSize - m_offset;
    if (m_downloading) {
        size_t left = m_downloadRemaining;
        return left < kReceiveBufferSize ? left : kReceiveBufferSize;
    }
    return m_replyLength - m_offset;
}

CTrovReplyAssembler::Outcome CTrovReplyAssembler::Received(size_t count)
{
    if (!m_active || count == 0 || count > Wanted())
        return kNeedMore;

    if (m_downloading) {
        // Later pieces carry only data; each is handed on at once and the
        // buffer is reused.
        m_pieceData = m_buffer;
        m_pieceLength = count;
        m_firstPiece = false;
        m_downloadRemaining -= (uint32_t)count;
        if (m_downloadRemaining == 0) {
            m_active = false;
            return kComplete;
        }
        return kDownloadPiece;
    }

    m_offset += count;
    if (!m_headerIn) {
        if (m_offset < kMessageHeaderSize)
            return kNeedMore;
        return HeaderArrived();
    }
    if (m_offset < m_replyLength)
        return kNeedMore;
    m_active = false;
    return kComplete;
}

CTrovReplyAssembler::Outcome CTrovReplyAssembler::HeaderArrived()
{
    m_header = MessageHeader::Decode(m_buffer);
    // A reply answers the message just sent: its sequence number matches, or
    // (older controllers) its result word repeats the command.
    if (m_header.sequence != m_sequence && m_header.command != m_lastCommand) {
        m_offset = 0;
        return kDropped;
    }
    switch (m_state) {
    case SESSION_LOGIN:
        m_loginReplySize = m_header.length;
        m_replyLength = m_loginReplySize >= 7 ? 45 : 8;
        break;
    case SESSION_UPLOAD:
    case SESSION_STOP_RESULT:
    case SESSION_RESTART_RESULT:
    case SESSION_INSTALL_RESULT:
        m_replyLength = 8;
        break;
    case SESSION_DOWNLOAD:
        m_headerIn = true;
        m_downloading = true;
        m_downloadTotal = m_downloadRemaining = m_header.FileLength();
        m_firstPiece = true;
        m_offset = 0; // data pieces are received from the buffer's start
        m_pieceData = m_buffer;
        m_pieceLength = 0;
        if (m_downloadRemaining == 0) {
            m_active = false;
            return kComplete;
        }
        // The first piece is the (empty) start of the file: it creates it.
        return kDownloadPiece;
    default:
        if (m_header.length < kMessageHeaderSize || m_header.length > kMaxShortReply) {
            m_offset = 0;
            return kDropped;
        }
        m_replyLength = m_header.length;
        break;
    }
    m_headerIn = true;
    if (m_offset >= m_replyLength) {
        m_active = false;
        return kComplete;
    }
    return kNeedMore;
}
