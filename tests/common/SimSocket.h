#pragma once
// The few socket calls of the simulated controller: Windows Sockets in the
// Windows test programs, POSIX sockets natively.  Addresses are host order.
#include <cstddef>
#include <cstdint>

namespace trovtest {

class SimUdpSocket {
public:
    SimUdpSocket() = default;
    ~SimUdpSocket() { Close(); }
    SimUdpSocket(const SimUdpSocket&) = delete;
    SimUdpSocket& operator=(const SimUdpSocket&) = delete;

    // Binds a UDP socket to address:port (port 0: any); reuse allows other
    // sockets on the same port (several controllers in one namespace).
    bool Open(uint32_t address, uint16_t port, bool reuse);
    void Close();
    bool IsOpen() const;

    // Sends one datagram; the count sent or -1.
    int SendTo(uint32_t address, uint16_t port, const void* data, int length);
    // Waits at most timeoutMs for one datagram: its length, 0 on timeout,
    // -1 on error.  An empty datagram also gives 0.
    int ReceiveFrom(void* buffer, int size, uint32_t* sender, uint16_t* senderPort, int timeoutMs);

private:
    intptr_t m_handle = -1;
};

} // namespace trovtest

namespace trovtest {

// A TCP socket of the simulated controller and of the tests' plain client.
// Every wait is bounded by a timeout so that nothing blocks a test for long.
class SimTcpSocket {
public:
    enum { kTimedOut = -2 };

    SimTcpSocket() = default;
    ~SimTcpSocket() { Close(); }
    SimTcpSocket(const SimTcpSocket&) = delete;
    SimTcpSocket& operator=(const SimTcpSocket&) = delete;

    // A listening socket on address:port (address reuse on, so that a
    // controller can listen again at once after its connections closed).
    bool Listen(uint32_t address, uint16_t port);
    // Waits at most timeoutMs for a connection: 1 accepted into `out`,
    // 0 none yet, -1 error.
    int Accept(SimTcpSocket* out, int timeoutMs);
    // Connects within timeoutMs; on failure *error gets the system's code
    // (the Windows Sockets code on Windows, errno natively).
    bool Connect(uint32_t address, uint16_t port, int timeoutMs, int* error = nullptr);
    // Sends every byte, waiting at most timeoutMs for room each time; false
    // on error, closed peer or timeout.
    bool SendAll(const void* data, size_t length, int timeoutMs);
    // Sends what fits within timeoutMs: the count sent (0 when there was no
    // room), -1 on error or closed peer.
    int SendSome(const void* data, size_t length, int timeoutMs);
    // Waits at most timeoutMs for bytes: their count (at most size), 0 when
    // the peer closed, -1 on error, kTimedOut when nothing came.
    int Receive(void* buffer, int size, int timeoutMs);
    // Each send leaves as its own segment (no coalescing of small writes).
    void SetNoDelay();
    // Closes with a reset instead of an orderly close.
    void Abort();
    void Close();
    bool IsOpen() const { return m_handle != -1; }

private:
    intptr_t m_handle = -1;
};

// The system's code of a refused connection (WSAECONNREFUSED / ECONNREFUSED).
int SimConnectionRefusedCode();

} // namespace trovtest
