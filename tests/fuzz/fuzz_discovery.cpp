// Fuzz target of discovery replies: arbitrary datagrams go through the
// reception path into a discovered list that already knows machines and a
// saved list; displaced machines are deleted at once (as their rows would
// be), so a stale machine left anywhere shows up as a use after free.  The
// same bytes are then read as a machine list and written back.
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/Discovery.h"
#include "app/MachineMap.h"
#include "support/GXml.h"

namespace {

class View : public CDiscoveryView, public CDiscoveryLog {
public:
    CMachineMap& DiscoveredMap() override { return discovered; }
    CMachineMap* SavedMap() override { return &saved; }
    void ShowDiscovered(CMachine* machine) override { (void)machine->m_mac.GetLength(); }
    void KeepDisplaced(CMachine* machine) override { delete machine; }
    void ShowSaved(CMachine* machine) override { (void)machine->m_hostName.GetLength(); }
    void AppendLine(const char* text) override { (void)strlen(text); }

    CMachineMap discovered;
    CMachineMap saved;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    View view;
    for (uint32_t i = 1; i <= 3; ++i) {
        CMachine* m = new CMachine(CIpAddress(0x0A000000 + i), 1);
        m->m_mac = i == 1 ? "AA" : "BB";
        m->m_ifNumber = 1;
        view.saved.SetMachine(m->m_address, m);
    }
    CDiscovery discovery(view, &view);
    discovery.SetDebug(size > 0 && (data[0] & 1));
    // The input is a run of datagrams separated by 0xFF 0x00.
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || (i + 1 < size && data[i] == 0xFF && data[i + 1] == 0x00)) {
            size_t length = i - start;
            if (length > 2000)
                length = 2000;
            discovery.ProcessDatagram(reinterpret_cast<const char*>(data + start), (int)length, 0x7F000001);
            start = i + 2;
            ++i;
        }
    }
    view.discovered.TickIdentBlink();

    // The same bytes as a machine list: read, written back, read again.
    std::vector<char> text(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size);
    text.push_back(0);
    CGXml list(CGXml::kNoIncludeExpansion);
    char error[256];
    if (list.ParseText("fuzz", text.data(), error, sizeof error, nullptr, false) == kXmlOk) {
        CMachineMap map;
        map.LoadFromXml(list.GetRoot());
        CGTextStore store;
        CGXml out(&store, "MACHINES", nullptr);
        map.WriteSavedToXml(&store, out.GetRoot());
        CMachineMap again;
        again.LoadFromXml(out.GetRoot());
        if (again.GetCount() != map.GetCount())
            __builtin_trap(); // every saved machine is written with its key
    }
    return 0;
}
