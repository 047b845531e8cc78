#pragma once
// The few socket calls of the simulated controller: Windows Sockets in the
// Windows test programs, POSIX sockets natively.  Addresses are host order.
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
