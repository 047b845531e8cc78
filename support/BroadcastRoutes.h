#pragma once
// The decision, per row of the IPv4 routing table, whether a limited
// broadcast (255.255.255.255) goes out through that route, and the outcome
// codes with the texts by which the program reports them.  Portable: the
// broadcast itself reads the table and sends (DRBBroadcastWin.cpp); this
// part only decides and records, so it is tested on made-up tables.
#include <cstddef>
#include <cstdint>
#include <vector>

// One route as the routing table carries it: addresses and mask in network
// byte order (first octet in the lowest-addressed byte), the route type as
// the table's number (3 = direct).
struct CDRBRoute {
    uint32_t m_destination = 0;
    uint32_t m_mask = 0;
    uint32_t m_nextHop = 0;
    uint32_t m_type = 0;
};

enum {
    kBroadcastOk = 0,            // datagram sent whole
    kBroadcastNotBroadcast = 1,  // route destination is not 255.255.255.255
    kBroadcastBadMask = 2,       // route mask is not 255.255.255.255
    kBroadcastNotDirect = 3,     // route type is not direct
    kBroadcastLoopback = 4,      // next hop is 127.0.0.1
    kBroadcastBadSend = 5,       // fewer bytes sent than the datagram's length
    kBroadcastSendHere = -1      // (decision only) the datagram goes out here
};

enum { kRouteTypeDirect = 3 };

// One pair of the broadcast result list: the route's next hop in host order
// (first octet in the most significant byte) and its outcome code.
struct CDRBBroadcastResult {
    uint32_t m_address = 0;
    int m_outcome = 0;
};

// The result list: one pair per route in table order.  Its length says where
// it ends, so a route whose next hop is 0.0.0.0 is listed like any other.
typedef std::vector<CDRBBroadcastResult> CDRBBroadcastResults;

// kBroadcastSendHere, or the outcome code 1 to 4 that keeps the datagram off
// this route (the first of the tests that fails).
int DecideBroadcastRoute(const CDRBRoute& route);

// "Broadcast ok", "Not a broadcast address", ... for the codes 0 to 5;
// "Unknown" for any other code.
const char* BroadcastOutcomeText(int outcome);

// Sends one datagram out of a route's interface: the local address to bind to
// (network order, as the table carries it), the data and its length; returns
// the count sent, or -1.
typedef int (*BroadcastSender)(void* context, uint32_t bindAddress, const void* data, int length);

// Walks the routes in table order, sends through every route the decision
// admits, and records one pair per route when results is given.
void RunBroadcastOverRoutes(const CDRBRoute* routes, size_t count, const void* data, int length,
                            BroadcastSender sender, void* context, CDRBBroadcastResults* results);

// Network byte order <-> host order of an IPv4 address, without the socket
// headers.
uint32_t NetworkToHostAddress(uint32_t networkOrder);
inline uint32_t HostToNetworkAddress(uint32_t hostOrder) { return NetworkToHostAddress(hostOrder); }
