#include "app/Discovery.h"

#include <cstring>
#include <vector>

#include "app/IpAddress.h"
#include "app/MachineMap.h"
#include "support/GXml.h"
#include "support/Utilities.h"

void CDiscovery::Log(const char* text)
{
    if (m_log)
        m_log->AppendLine(text);
}

DiscoveryOutcome CDiscovery::ProcessDatagram(const char* data, int length, uint32_t sender)
{
    if (length >= kDiscoveryBufferSize)
        return kDatagramOversize;
    if (length < 0)
        length = 0;
    char text[kDiscoveryBufferSize];
    memcpy(text, data, (size_t)length);
    text[length] = 0;

    if (m_debug) {
        char line[64];
        FormatBounded(line, sizeof line, "Received message from %s", (const char*)CIpAddressText(sender));
        Log(line);
        Log(text);
    }

    // Replies come from anyone on the network: no include expansion (a
    // reply must not make the program read local files), and the reader's
    // own depth limits apply.
    CGXml reply(CGXml::kNoIncludeExpansion);
    char error[256] = "";
    if (reply.ParseText("Broadcast", text, error, sizeof error, "TROV", true) != kXmlOk) {
        if (m_debug)
            Log("Message Error: Cannot parse");
        return kDatagramUnparsable;
    }
    if (m_debug)
        Log("Message OK");

    CMachine* displaced = nullptr;
    CMachine* machine = m_view.DiscoveredMap().ProcessReply(reply, &displaced);
    if (!machine)
        return kDatagramNoMachine;
    if (displaced)
        m_view.KeepDisplaced(displaced);
    m_view.ShowDiscovered(machine);

    // The same controller in the saved list takes everything the reply
    // said; it keeps its key there, so machines.xml keeps its KEY.
    if (CMachineMap* saved = m_view.SavedMap()) {
        if (CMachine* known = saved->FindByMacAndIf(machine->m_mac, machine->m_ifNumber)) {
            known->CopyFrom(*machine);
            known->m_inList = 1;
            m_view.ShowSaved(known);
        }
    }
    return kDatagramTaken;
}

void CDiscoveryQueue::Push(const char* data, int length, uint32_t sender)
{
    Datagram datagram;
    datagram.bytes.assign(data, length > 0 ? (size_t)length : 0);
    datagram.sender = sender;
    m_waiting.push_back(std::move(datagram));
}

int CDiscoveryQueue::Process(CDiscovery& discovery, int count)
{
    int done = 0;
    while (done < count && !m_waiting.empty()) {
        Datagram datagram = std::move(m_waiting.front());
        m_waiting.pop_front();
        discovery.ProcessDatagram(datagram.bytes.data(), (int)datagram.bytes.size(), datagram.sender);
        ++done;
    }
    return done;
}

void LogBroadcastResults(CDiscoveryLog* log, int result, const CDRBBroadcastResults& results)
{
    if (!log)
        return;
    if (result == -1) {
        log->AppendLine("Broadcast failed");
        return;
    }
    for (const CDRBBroadcastResult& pair : results) {
        char line[96];
        FormatBounded(line, sizeof line, "Interface %s : %s", (const char*)CIpAddressText(pair.m_address),
                      BroadcastOutcomeText(pair.m_outcome));
        log->AppendLine(line);
    }
}
