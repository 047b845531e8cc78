#include "tests/common/SimSocket.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
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

// 1 ready, 0 timeout, -1 error.
int WaitFor(int s, short events, int timeoutMs)
{
    pollfd p = {s, events, 0};
    int ready;
    do
        ready = poll(&p, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready < 0 ? -1 : ready;
}

} // namespace

bool SimTcpSocket::Listen(uint32_t address, uint16_t port)
{
    Close();
    int s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s < 0)
        return false;
    int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a = Endpoint(address, port);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 8) != 0) {
        close(s);
        return false;
    }
    m_handle = s;
    return true;
}

int SimTcpSocket::Accept(SimTcpSocket* out, int timeoutMs)
{
    if (m_handle < 0)
        return -1;
    int ready = WaitFor((int)m_handle, POLLIN, timeoutMs);
    if (ready <= 0)
        return ready;
    int s = accept((int)m_handle, nullptr, nullptr);
    if (s < 0)
        return errno == EAGAIN || errno == ECONNABORTED || errno == EINTR ? 0 : -1;
    out->Close();
    out->m_handle = s;
    return 1;
}

bool SimTcpSocket::Connect(uint32_t address, uint16_t port, int timeoutMs, int* error)
{
    Close();
    int s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s < 0) {
        if (error)
            *error = errno;
        return false;
    }
    int flags = fcntl(s, F_GETFL, 0);
    fcntl(s, F_SETFL, flags | O_NONBLOCK);
    sockaddr_in a = Endpoint(address, port);
    int code = 0;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        code = errno;
        if (code == EINPROGRESS) {
            int ready = WaitFor(s, POLLOUT, timeoutMs);
            if (ready <= 0) {
                code = ready == 0 ? ETIMEDOUT : errno;
            } else {
                socklen_t size = sizeof code;
                getsockopt(s, SOL_SOCKET, SO_ERROR, &code, &size);
            }
        }
    }
    if (code != 0) {
        close(s);
        if (error)
            *error = code;
        return false;
    }
    fcntl(s, F_SETFL, flags);
    m_handle = s;
    return true;
}

int SimTcpSocket::SendSome(const void* data, size_t length, int timeoutMs)
{
    if (m_handle < 0)
        return -1;
    int ready = WaitFor((int)m_handle, POLLOUT, timeoutMs);
    if (ready <= 0)
        return ready;
    if (length > 1u << 20)
        length = 1u << 20;
    ssize_t n = send((int)m_handle, data, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
    return (int)n;
}

int SimTcpSocket::Receive(void* buffer, int size, int timeoutMs)
{
    if (m_handle < 0)
        return -1;
    int ready = WaitFor((int)m_handle, POLLIN, timeoutMs);
    if (ready == 0)
        return kTimedOut;
    if (ready < 0)
        return -1;
    ssize_t n = recv((int)m_handle, buffer, (size_t)size, 0);
    if (n < 0)
        return errno == EAGAIN || errno == EINTR ? kTimedOut : -1;
    return (int)n;
}

void SimTcpSocket::SetNoDelay()
{
    int on = 1;
    if (m_handle >= 0)
        setsockopt((int)m_handle, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void SimTcpSocket::Abort()
{
    if (m_handle >= 0) {
        linger l = {1, 0};
        setsockopt((int)m_handle, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    }
    Close();
}

void SimTcpSocket::Close()
{
    if (m_handle >= 0)
        close((int)m_handle);
    m_handle = -1;
}

int SimConnectionRefusedCode() { return ECONNREFUSED; }

} // namespace trovtest
