#pragma once
// One broadcast: a datagram sent out of every network interface that has a
// direct limited-broadcast route.  Windows only (IP Helper and Windows
// Sockets).
#include <cstdint>

#include "support/BroadcastRoutes.h"

class CDRBBroadcast {
public:
    explicit CDRBBroadcast(uint16_t port) : m_port(port) {}

    // Sends the datagram to 255.255.255.255:port out of every direct
    // broadcast route of the routing table and, when results is given,
    // lists one pair per route.  Returns the length, or -1 when the routing
    // table cannot be read (nothing is sent then).
    int SendToAllInterfaces(const void* data, int length, CDRBBroadcastResults* results);

    uint16_t GetPort() const { return m_port; }

    // Reads the IPv4 routing table (unsorted); 0 on success, -1 when it
    // cannot be read.
    static int ReadRouteTable(std::vector<CDRBRoute>& routes);

private:
    uint16_t m_port;
};
