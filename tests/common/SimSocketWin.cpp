#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "tests/common/SimSocket.h"

namespace trovtest {

namespace {
void StartWinsock()
{
    static bool started = false;
    if (!started) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        started = true;
    }
}
SOCKET AsSocket(intptr_t h) { return static_cast<SOCKET>(h); }
} // namespace

bool SimUdpSocket::Open(uint32_t address, uint16_t port, bool reuse)
{
    StartWinsock();
    Close();
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return false;
    BOOL on = TRUE;
    if (reuse)
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, (const char*)&on, sizeof on);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        closesocket(s);
        return false;
    }
    m_handle = static_cast<intptr_t>(s);
    return true;
}

void SimUdpSocket::Close()
{
    if (m_handle != -1)
        closesocket(AsSocket(m_handle));
    m_handle = -1;
}

bool SimUdpSocket::IsOpen() const { return m_handle != -1; }

int SimUdpSocket::SendTo(uint32_t address, uint16_t port, const void* data, int length)
{
    if (m_handle == -1)
        return -1;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    return sendto(AsSocket(m_handle), static_cast<const char*>(data), length, 0, reinterpret_cast<sockaddr*>(&to),
                  sizeof to);
}

int SimUdpSocket::ReceiveFrom(void* buffer, int size, uint32_t* sender, uint16_t* senderPort, int timeoutMs)
{
    if (m_handle == -1)
        return -1;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(AsSocket(m_handle), &readable);
    timeval timeout = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int ready = select(0, &readable, nullptr, nullptr, &timeout);
    if (ready <= 0)
        return ready < 0 ? -1 : 0;
    sockaddr_in from = {};
    int fromSize = sizeof from;
    int n = recvfrom(AsSocket(m_handle), static_cast<char*>(buffer), size, 0, reinterpret_cast<sockaddr*>(&from),
                     &fromSize);
    if (n == SOCKET_ERROR)
        return -1;
    if (sender)
        *sender = ntohl(from.sin_addr.s_addr);
    if (senderPort)
        *senderPort = ntohs(from.sin_port);
    return n;
}

// ---------------------------------------------------------------------------

namespace {

sockaddr_in Endpoint(uint32_t address, uint16_t port)
{
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(address);
    return a;
}

// 1 ready, 0 timeout, -1 error.  For connects, writable or failed.
int WaitFor(SOCKET s, bool write, int timeoutMs)
{
    fd_set set, failed;
    FD_ZERO(&set);
    FD_ZERO(&failed);
    FD_SET(s, &set);
    FD_SET(s, &failed);
    timeval timeout = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int ready = write ? select(0, nullptr, &set, &failed, &timeout) : select(0, &set, nullptr, nullptr, &timeout);
    return ready == SOCKET_ERROR ? -1 : ready > 0 ? 1 : 0;
}

} // namespace

bool SimTcpSocket::Listen(uint32_t address, uint16_t port)
{
    StartWinsock();
    Close();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return false;
    BOOL on = TRUE;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, (const char*)&on, sizeof on);
    sockaddr_in a = Endpoint(address, port);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 8) != 0) {
        closesocket(s);
        return false;
    }
    m_handle = static_cast<intptr_t>(s);
    return true;
}

int SimTcpSocket::Accept(SimTcpSocket* out, int timeoutMs)
{
    if (m_handle == -1)
        return -1;
    int ready = WaitFor(AsSocket(m_handle), false, timeoutMs);
    if (ready <= 0)
        return ready;
    SOCKET s = accept(AsSocket(m_handle), nullptr, nullptr);
    if (s == INVALID_SOCKET) {
        int code = WSAGetLastError();
        return code == WSAEWOULDBLOCK || code == WSAECONNRESET ? 0 : -1;
    }
    // Sends wait for room through select: a client that stops reading
    // cannot hold the controller's thread.
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    out->Close();
    out->m_handle = static_cast<intptr_t>(s);
    return 1;
}

bool SimTcpSocket::Connect(uint32_t address, uint16_t port, int timeoutMs, int* error)
{
    StartWinsock();
    Close();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        if (error)
            *error = WSAGetLastError();
        return false;
    }
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    sockaddr_in a = Endpoint(address, port);
    int code = 0;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        code = WSAGetLastError();
        if (code == WSAEWOULDBLOCK) {
            int ready = WaitFor(s, true, timeoutMs);
            if (ready <= 0) {
                code = ready == 0 ? WSAETIMEDOUT : WSAGetLastError();
            } else {
                int size = sizeof code;
                code = 0;
                getsockopt(s, SOL_SOCKET, SO_ERROR, (char*)&code, &size);
            }
        }
    }
    if (code != 0) {
        closesocket(s);
        if (error)
            *error = code;
        return false;
    }
    m_handle = static_cast<intptr_t>(s);
    return true;
}

int SimTcpSocket::SendSome(const void* data, size_t length, int timeoutMs)
{
    if (m_handle == -1)
        return -1;
    int ready = WaitFor(AsSocket(m_handle), true, timeoutMs);
    if (ready <= 0)
        return ready;
    int piece = length > 65536 ? 65536 : (int)length;
    int n = send(AsSocket(m_handle), static_cast<const char*>(data), piece, 0);
    if (n == SOCKET_ERROR)
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    return n;
}

int SimTcpSocket::Receive(void* buffer, int size, int timeoutMs)
{
    if (m_handle == -1)
        return -1;
    int ready = WaitFor(AsSocket(m_handle), false, timeoutMs);
    if (ready == 0)
        return kTimedOut;
    if (ready < 0)
        return -1;
    int n = recv(AsSocket(m_handle), static_cast<char*>(buffer), size, 0);
    if (n == SOCKET_ERROR)
        return WSAGetLastError() == WSAEWOULDBLOCK ? kTimedOut : -1;
    return n;
}

void SimTcpSocket::SetNoDelay()
{
    BOOL on = TRUE;
    if (m_handle != -1)
        setsockopt(AsSocket(m_handle), IPPROTO_TCP, TCP_NODELAY, (const char*)&on, sizeof on);
}

void SimTcpSocket::Abort()
{
    if (m_handle != -1) {
        linger l = {1, 0};
        setsockopt(AsSocket(m_handle), SOL_SOCKET, SO_LINGER, (const char*)&l, sizeof l);
    }
    Close();
}

void SimTcpSocket::Close()
{
    if (m_handle != -1)
        closesocket(AsSocket(m_handle));
    m_handle = -1;
}

int SimConnectionRefusedCode() { return WSAECONNREFUSED; }

} // namespace trovtest
