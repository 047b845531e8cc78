#include "support/BroadcastRoutes.h"

uint32_t NetworkToHostAddress(uint32_t networkOrder)
{
    // The first octet is the lowest-addressed byte of the network form.
    const unsigned char* b = reinterpret_cast<const unsigned char*>(&networkOrder);
    return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | uint32_t(b[3]);
}

int DecideBroadcastRoute(const CDRBRoute& route)
{
    if (route.m_destination != 0xFFFFFFFFu)
        return kBroadcastNotBroadcast;
    if (route.m_mask != 0xFFFFFFFFu)
        return kBroadcastBadMask;
    if (route.m_type != kRouteTypeDirect)
        return kBroadcastNotDirect;
    if (NetworkToHostAddress(route.m_nextHop) == 0x7F000001u)
        return kBroadcastLoopback;
    return kBroadcastSendHere;
}

const char* BroadcastOutcomeText(int outcome)
{
    switch (outcome) {
    case kBroadcastOk: return "Broadcast ok";
    case kBroadcastNotBroadcast: return "Not a broadcast address";
    case kBroadcastBadMask: return "Bad forward mask";
    case kBroadcastNotDirect: return "Not direct route";
    case kBroadcastLoopback: return "Loopback";
    case kBroadcastBadSend: return "Bad send";
    default: return "Unknown";
    }
}

void RunBroadcastOverRoutes(const CDRBRoute* routes, size_t count, const void* data, int length,
                            BroadcastSender sender, void* context, CDRBBroadcastResults* results)
{
    if (results) {
        results->clear();
        results->reserve(count);
    }
    for (size_t i = 0; i < count; ++i) {
        const CDRBRoute& route = routes[i];
        int outcome = DecideBroadcastRoute(route);
        if (outcome == kBroadcastSendHere) {
            // On a direct broadcast route the next hop is the interface's own
            // address: the datagram leaves through that interface.
            int sent = sender ? sender(context, route.m_nextHop, data, length) : -1;
            outcome = sent == length ? kBroadcastOk : kBroadcastBadSend;
        }
        if (results) {
            CDRBBroadcastResult pair;
            pair.m_address = NetworkToHostAddress(route.m_nextHop);
            pair.m_outcome = outcome;
            results->push_back(pair);
        }
    }
}
