#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstdlib>

#include "support/DRBBroadcast.h"
#include "support/DRBSocket.h"

namespace {

int SendThroughInterface(void* context, uint32_t bindAddress, const void* data, int length)
{
    const CDRBBroadcast* broadcast = static_cast<const CDRBBroadcast*>(context);
    CDRBSocketUDPClient client(broadcast->GetPort(), 0xFFFFFFFFu, bindAddress);
    return client.Write(data, length);
}

} // namespace

int CDRBBroadcast::ReadRouteTable(std::vector<CDRBRoute>& routes)
{
    routes.clear();
    ULONG size = 60;
    MIB_IPFORWARDTABLE* table = static_cast<MIB_IPFORWARDTABLE*>(malloc(size));
    if (!table)
        return -1;
    DWORD result;
    while ((result = GetIpForwardTable(table, &size, FALSE)) == ERROR_INSUFFICIENT_BUFFER) {
        free(table);
        table = static_cast<MIB_IPFORWARDTABLE*>(malloc(size));
        if (!table)
            return -1;
    }
    if (result != NO_ERROR) {
        free(table);
        return -1;
    }
    routes.reserve(table->dwNumEntries);
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IPFORWARDROW& row = table->table[i];
        CDRBRoute route;
        route.m_destination = row.dwForwardDest;
        route.m_mask = row.dwForwardMask;
        route.m_nextHop = row.dwForwardNextHop;
        route.m_type = row.dwForwardType;
        routes.push_back(route);
    }
    free(table);
    return 0;
}

int CDRBBroadcast::SendToAllInterfaces(const void* data, int length, CDRBBroadcastResults* results)
{
    StartSocketLayer();
    std::vector<CDRBRoute> routes;
    if (ReadRouteTable(routes) != 0)
        return -1;
    RunBroadcastOverRoutes(routes.data(), routes.size(), data, length, SendThroughInterface, this, results);
    return length;
}
