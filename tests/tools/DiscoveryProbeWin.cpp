// trov_discovery_probe.exe: the program's discovery, end to end, for the
// test that runs it inside a network namespace (tests/net/).  It opens the
// reply socket on the given adapter address, broadcasts the probe out of
// every interface (BroadcastAndLog, logging each route), reads the replies
// for the given time and prints every discovered machine with its fields.
//
//   trov_discovery_probe.exe ADAPTER-ADDRESS [SECONDS [identify]]
//
// With "identify", the Identify command of every machine found is then
// broadcast as well (the command of a machine that answered a broadcast).
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Discovery.h"
#include "app/MachineMap.h"
#include "support/DRBSocket.h"
#include "support/GXml.h"
#include "support/Utilities.h"

namespace {

class PrintingView : public CDiscoveryView, public CDiscoveryLog {
public:
    ~PrintingView() override
    {
        for (CMachine* m : m_displaced)
            delete m;
    }
    CMachineMap& DiscoveredMap() override { return m_discovered; }
    CMachineMap* SavedMap() override { return nullptr; }
    void ShowDiscovered(CMachine*) override {}
    void KeepDisplaced(CMachine* machine) override { m_displaced.push_back(machine); }
    void ShowSaved(CMachine*) override {}
    void AppendLine(const char* text) override { printf("log: %s\n", text); }

    CMachineMap m_discovered;
    std::vector<CMachine*> m_displaced;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: trov_discovery_probe ADAPTER-ADDRESS [SECONDS]\n");
        return 2;
    }
    CIpAddress adapter;
    if (!adapter.Parse(argv[1])) {
        fprintf(stderr, "bad adapter address\n");
        return 2;
    }
    int seconds = argc > 2 ? atoi(argv[2]) : 3;
    if (StartSocketLayer() != 0) {
        fprintf(stderr, "Windows sockets initialization failed.\n");
        return 1;
    }
    PrintingView view;
    CDiscovery discovery(view, &view);
    try {
        CDRBSocketUDP replies(kDiscoveryReplyPort, 1, adapter.GetValue(), 1);
        BroadcastAndLog(GetDiscoveryProbe(), &view);
        fflush(stdout);
        for (DWORD start = GetTickCount(); GetTickCount() - start < (DWORD)seconds * 1000;) {
            ReceiveDiscoveryReplies(replies, discovery);
            Sleep(300); // timer 1
        }
    } catch (const char* text) {
        printf("error: %s\n", text);
        return 1;
    }
    printf("machines: %d\n", (int)view.m_discovered.GetCount());
    POSITION pos = view.m_discovered.GetStartPosition();
    while (pos) {
        CIpAddress key;
        CMachine* m;
        view.m_discovered.GetNextAssoc(pos, key, m);
        printf("machine %s mac=%s if=%d host=%s config=%s setup=%s appversion=%s firmware=%s io=%s board=%d "
               "if1=%s/%s/%s/%s if2=%s/%s/%s state=%d local=%d blink=%d\n",
               (const char*)CIpAddressText(key), (const char*)m->m_mac, m->m_ifNumber, (const char*)m->m_hostName,
               (const char*)m->m_config, (const char*)m->m_setup, (const char*)m->m_appVersion,
               (const char*)m->GetFirmwareText(), (const char*)m->m_ioFirmware, m->m_boardType,
               (const char*)m->m_ifValues[kIf1Dhcp], (const char*)m->m_ifValues[kIf1Ip],
               (const char*)m->m_ifValues[kIf1Netmask], (const char*)m->m_ifValues[kIf1Gateway],
               (const char*)m->m_ifValues[kIf2Dhcp], (const char*)m->m_ifValues[kIf2Ip],
               (const char*)m->m_ifValues[kIf2Netmask], m->m_state, m->m_local, m->m_identBlink);
    }
    if (argc > 3 && strcmp(argv[3], "identify") == 0) {
        pos = view.m_discovered.GetStartPosition();
        while (pos) {
            CIpAddress key;
            CMachine* m;
            view.m_discovered.GetNextAssoc(pos, key, m);
            CGTextStore store;
            CGXmlWriter writer(&store, false);
            writer.BeginElement("TROV");
            writer.CloseStartTag(false);
            writer.Leaf("COMMAND", "Identify");
            writer.Leaf("MAC", m->m_mac);
            writer.EndAll();
            char* text = store.GetText(nullptr);
            if (text && m->m_local)
                BroadcastAndLog(text, nullptr);
            free(text);
        }
        printf("identify sent\n");
    }
    return 0;
}
