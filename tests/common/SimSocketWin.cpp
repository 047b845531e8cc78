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

} // namespace trovtest
