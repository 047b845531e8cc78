#pragma once
// The library's sockets over Windows Sockets 2: a blocking or non-blocking
// stream socket (CDRBSocket), the bound UDP socket on which the program
// listens for discovery replies (CDRBSocketUDP) and the per-interface UDP
// client of the broadcast (CDRBSocketUDPClient).  Windows only.
#include <cstdint>

#include "support/DRBComms.h"

// Starts Windows Sockets (version 2.0) once for the whole process and
// arranges its clean-up at exit; also creates the process's TCP log holder.
// Returns the start-up's result (0 on success); later calls return the
// first result.  The socket classes call it themselves.
int StartSocketLayer();

class CDRBSocket : public CDRBComms {
public:
    // A socket handle: pointer-sized, as the socket layer's own.
    typedef uintptr_t Handle;
    static constexpr Handle kNoSocket = ~Handle(0);

    CDRBSocket();
    ~CDRBSocket() override;
    CDRBSocket(const CDRBSocket&) = delete;
    CDRBSocket& operator=(const CDRBSocket&) = delete;

    int SetTimeout(int seconds, int milliseconds) override;
    int Write(const void* bytes, int length) override;
    int Read(void* buffer, int length) override;
    int Reaccept() override;
    int Drain(unsigned sleepMilliseconds) override;

    // Shuts both directions down, discards what still arrives until the peer
    // closes, closes the socket.  Nothing when there is no socket.
    void Close();
    void Shutdown(bool stopReceiving, bool stopSending);
    // FIONREAD; nonzero on success.
    int BytesAvailable(unsigned long* count);

    // Takes an open socket (a connection or a listening socket); closes the
    // one held before.
    void Attach(Handle socket);
    Handle GetHandle() const { return m_socket; }
    // The socket from which Reaccept takes connections, or none.
    void SetListener(CDRBSocket* listener) { m_listener = listener; }
    // Accepts one connection on this listening socket: the new socket, or
    // kNoSocket when it is not listening or accept would block.  Any other
    // failure raises the text "Invalid Socket".
    Handle AcceptConnection(unsigned char peerAddress[16]);
    // The peer address of the connection taken by Reaccept (a sockaddr_in).
    const unsigned char* GetPeerAddress() const { return m_peerAddress; }

    // The process-wide count of consecutive read timeouts (tests reset it).
    static int& ConsecutiveTimeouts();

protected:
    Handle m_socket = kNoSocket;
    int m_timeoutMilliseconds = 500;
    int m_timeoutSeconds = 0;
    unsigned char m_peerAddress[16] = {};
    CDRBSocket* m_listener = nullptr;
};

class CDRBSocketUDP : public CDRBSocket {
public:
    // Creates a UDP socket with broadcasting allowed, bound to bindAddress
    // (host order) and port; flags bit 0 allows reusing the address.  Raises
    // the text "INVALID_SOCKET" (a const char*) when the socket cannot be
    // made or bound.
    CDRBSocketUDP(uint16_t port, int nonBlocking, uint32_t bindAddress, int flags);

    // Sends one datagram to 255.255.255.255:port; returns the sendto result.
    int Write(const void* bytes, int length) override;
    // One datagram: its length, 0 when nothing is waiting, -1 on any other
    // error (a datagram longer than the buffer included).  The sender's
    // address comes back in host order.
    int ReceiveFrom(void* buffer, int size, uint32_t* sender);

    uint16_t GetPort() const { return m_port; }

protected:
    struct NoSocketTag {};
    CDRBSocketUDP(uint16_t port, NoSocketTag) : m_port(port) {}
    uint16_t m_port = 0;
};

class CDRBSocketUDPClient : public CDRBSocketUDP {
public:
    // A UDP socket bound to one local interface address (network order, as
    // the routing table carries it) on an ephemeral port, sending to
    // destination (host order):port.  Raises nothing: a socket that could
    // not be made simply fails to send.
    CDRBSocketUDPClient(uint16_t port, uint32_t destination, uint32_t bindAddressNetworkOrder);

    int Write(const void* bytes, int length) override;

protected:
    uint32_t m_destination = 0;
};
