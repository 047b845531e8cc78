#include "tests/common/SimSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace trovtest {

bool SimUdpSocket::Open(uint32_t address, uint16_t port, bool reuse)
{
    Close();
    int s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s < 0)
        return false;
    int on = 1;
    if (reuse)
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(s);
        return false;
    }
    m_handle = s;
    return true;
}

void SimUdpSocket::Close()
{
    if (m_handle >= 0)
        close((int)m_handle);
    m_handle = -1;
}

bool SimUdpSocket::IsOpen() const { return m_handle >= 0; }

int SimUdpSocket::SendTo(uint32_t address, uint16_t port, const void* data, int length)
{
    if (m_handle < 0)
        return -1;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    return (int)sendto((int)m_handle, data, (size_t)length, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
}

int SimUdpSocket::ReceiveFrom(void* buffer, int size, uint32_t* sender, uint16_t* senderPort, int timeoutMs)
{
    if (m_handle < 0)
        return -1;
    pollfd p = {(int)m_handle, POLLIN, 0};
    int ready = poll(&p, 1, timeoutMs);
    if (ready <= 0)
        return ready < 0 ? -1 : 0;
    sockaddr_in from = {};
    socklen_t fromSize = sizeof from;
    ssize_t n = recvfrom((int)m_handle, buffer, (size_t)size, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (n < 0)
        return -1;
    if (sender)
        *sender = ntohl(from.sin_addr.s_addr);
    if (senderPort)
        *senderPort = ntohs(from.sin_port);
    return (int)n;
}

} // namespace trovtest
