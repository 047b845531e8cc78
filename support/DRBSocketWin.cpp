// Windows Sockets side of the library's sockets.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/DRBShareMem.h"
#include "support/DRBSocket.h"

namespace {

int g_startResult = -1;
bool g_started = false;
CDRSTCPLog* g_tcpLog = nullptr;

void StopSocketLayer()
{
    delete g_tcpLog;
    g_tcpLog = nullptr;
    WSACleanup();
}

SOCKET AsSocket(CDRBSocket::Handle h) { return static_cast<SOCKET>(h); }

// Text of a socket-layer error number, for the constructor's message.
void ErrorText(int error, char* text, size_t size)
{
    text[0] = 0;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             (DWORD)error, 0, text, (DWORD)size, nullptr);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' '))
        text[--n] = 0;
}

} // namespace

int StartSocketLayer()
{
    if (!g_started) {
        g_started = true;
        WSADATA data;
        g_startResult = WSAStartup(MAKEWORD(2, 0), &data);
        g_tcpLog = new CDRSTCPLog();
        atexit(StopSocketLayer);
    }
    return g_startResult;
}

// ---------------------------------------------------------------- CDRBSocket

CDRBSocket::CDRBSocket()
{
    StartSocketLayer();
}

CDRBSocket::~CDRBSocket()
{
    Close();
}

int& CDRBSocket::ConsecutiveTimeouts()
{
    static int count = 0;
    return count;
}

int CDRBSocket::SetTimeout(int seconds, int milliseconds)
{
    m_timeoutSeconds = seconds;
    m_timeoutMilliseconds = milliseconds;
    return 1;
}

void CDRBSocket::Attach(Handle socket)
{
    Close();
    m_socket = socket;
}

void CDRBSocket::Close()
{
    if (m_socket == kNoSocket)
        return;
    SOCKET s = AsSocket(m_socket);
    // Whatever still arrives is read and dropped until the peer closes, so
    // the connection ends cleanly instead of being reset.  When the shutdown
    // itself fails nothing is read: a blocking read could then wait for ever.
    if (shutdown(s, SD_BOTH) == 0) {
        char byte;
        while (recv(s, &byte, 1, 0) > 0) {
        }
    }
    closesocket(s);
    m_socket = kNoSocket;
}

void CDRBSocket::Shutdown(bool stopReceiving, bool stopSending)
{
    if (m_socket == kNoSocket)
        return;
    if (stopReceiving && stopSending)
        shutdown(AsSocket(m_socket), SD_BOTH);
    else if (stopReceiving)
        shutdown(AsSocket(m_socket), SD_RECEIVE);
    else if (stopSending)
        shutdown(AsSocket(m_socket), SD_SEND);
}

int CDRBSocket::BytesAvailable(unsigned long* count)
{
    u_long n = 0;
    if (m_socket == kNoSocket || ioctlsocket(AsSocket(m_socket), FIONREAD, &n) != 0)
        return 0;
    if (count)
        *count = n;
    return 1;
}

int CDRBSocket::Write(const void* bytes, int length)
{
    const char* p = static_cast<const char*>(bytes);
    int sent = 0;
    while (sent < length) {
        int n = send(AsSocket(m_socket), p + sent, length - sent, 0);
        if (n >= 0) {
            sent += n;
            continue;
        }
        // The socket layer reports its errors through its own error number,
        // not errno: an interrupted call is retried at once, a full send
        // buffer after a short pause.
        int error = WSAGetLastError();
        if (error == WSAEINTR)
            continue;
        if (error == WSAEWOULDBLOCK) {
            Sleep(50);
            continue;
        }
        break;
    }
    return sent;
}

int CDRBSocket::Read(void* buffer, int length)
{
    if (m_socket == kNoSocket)
        return -1;
    SOCKET s = AsSocket(m_socket);
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval timeout;
        timeout.tv_sec = m_timeoutSeconds;
        timeout.tv_usec = m_timeoutMilliseconds * 1000;
        int ready = select(0, &readable, nullptr, nullptr, &timeout);
        if (ready < 0) {
            if (WSAGetLastError() == WSAEINTR)
                continue;
            return -1;
        }
        if (ready == 0) {
            // Five timeouts in a row are reported as "nothing yet"; the
            // sixth as a failure, and the count starts again.
            int& count = ConsecutiveTimeouts();
            if (++count < 6)
                return 0;
            count = 0;
            return -1;
        }
        break;
    }
    ConsecutiveTimeouts() = 0;
    char* out = static_cast<char*>(buffer);
    int got = 0;
    while (got < length) {
        u_long waiting = 0;
        if (ioctlsocket(s, FIONREAD, &waiting) != 0)
            break;
        if (waiting == 0) {
            if (got == 0)
                return -1; // readable with nothing waiting: the peer closed
            break;
        }
        int want = length - got;
        if ((u_long)want > waiting)
            want = (int)waiting;
        int n = recv(s, out + got, want, 0);
        if (n < 1)
            break;
        got += n;
    }
    return got;
}

int CDRBSocket::Drain(unsigned sleepMilliseconds)
{
    if (sleepMilliseconds)
        Sleep(sleepMilliseconds);
    int total = 0;
    unsigned long waiting = 0;
    char scrap[256];
    while (BytesAvailable(&waiting) && waiting > 0) {
        int n = Read(scrap, sizeof scrap);
        if (n <= 0)
            break; // a read that yields nothing would otherwise loop for ever
        total += n;
    }
    return total;
}

CDRBSocket::Handle CDRBSocket::AcceptConnection(unsigned char peerAddress[16])
{
    if (m_socket == kNoSocket)
        return kNoSocket;
    sockaddr_in peer;
    int size = sizeof peer;
    SOCKET s = accept(AsSocket(m_socket), reinterpret_cast<sockaddr*>(&peer), &size);
    if (s == INVALID_SOCKET) {
        int error = WSAGetLastError();
        if (error == WSAEINVAL || error == WSAEWOULDBLOCK)
            return kNoSocket;
        throw "Invalid Socket";
    }
    if (peerAddress)
        memcpy(peerAddress, &peer, sizeof peer < 16 ? sizeof peer : 16);
    return static_cast<Handle>(s);
}

int CDRBSocket::Reaccept()
{
    if (!m_listener)
        return 0;
    unsigned char peer[16] = {};
    Handle accepted = m_listener->AcceptConnection(peer);
    if (accepted == kNoSocket)
        return 0; // the current connection stays as it is
    Close();
    m_socket = accepted;
    memcpy(m_peerAddress, peer, sizeof m_peerAddress);
    return 1;
}

// ------------------------------------------------------------- CDRBSocketUDP

CDRBSocketUDP::CDRBSocketUDP(uint16_t port, int nonBlocking, uint32_t bindAddress, int flags)
    : m_port(port)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    BOOL on = TRUE;
    if (s == INVALID_SOCKET || setsockopt(s, SOL_SOCKET, SO_BROADCAST, (const char*)&on, sizeof on) != 0) {
        int error = WSAGetLastError();
        if (s != INVALID_SOCKET)
            closesocket(s);
        char text[256];
        ErrorText(error, text, sizeof text);
        printf("INVALID_SOCKET (errno = %d \"%s\")\n", error, text);
        throw "INVALID_SOCKET";
    }
    if (flags & 1)
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, (const char*)&on, sizeof on);
    if (nonBlocking == 1) {
        u_long mode = 1;
        ioctlsocket(s, FIONBIO, &mode);
    }
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(bindAddress);
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        printf("INVALID_SOCKET (err = %d)\n", WSAGetLastError());
        closesocket(s);
        throw "INVALID_SOCKET";
    }
    m_socket = static_cast<Handle>(s);
}

int CDRBSocketUDP::Write(const void* bytes, int length)
{
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(m_port);
    to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    return sendto(AsSocket(m_socket), static_cast<const char*>(bytes), length, 0,
                  reinterpret_cast<sockaddr*>(&to), sizeof to);
}

int CDRBSocketUDP::ReceiveFrom(void* buffer, int size, uint32_t* sender)
{
    if (m_socket == kNoSocket)
        return -1;
    sockaddr_in from = {};
    int fromSize = sizeof from;
    int n = recvfrom(AsSocket(m_socket), static_cast<char*>(buffer), size, 0,
                     reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (n == SOCKET_ERROR)
        return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
    if (sender)
        *sender = ntohl(from.sin_addr.s_addr);
    return n;
}

// ------------------------------------------------------- CDRBSocketUDPClient

CDRBSocketUDPClient::CDRBSocketUDPClient(uint16_t port, uint32_t destination, uint32_t bindAddressNetworkOrder)
    : CDRBSocketUDP(port, NoSocketTag()), m_destination(destination)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return;
    BOOL on = TRUE;
    if (setsockopt(s, SOL_SOCKET, SO_BROADCAST, (const char*)&on, sizeof on) != 0) {
        closesocket(s);
        return;
    }
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = bindAddressNetworkOrder;
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        closesocket(s);
        return;
    }
    m_socket = static_cast<Handle>(s);
}

int CDRBSocketUDPClient::Write(const void* bytes, int length)
{
    if (m_socket == kNoSocket)
        return -1;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(m_port);
    to.sin_addr.s_addr = htonl(m_destination);
    return sendto(AsSocket(m_socket), static_cast<const char*>(bytes), length, 0,
                  reinterpret_cast<sockaddr*>(&to), sizeof to);
}
