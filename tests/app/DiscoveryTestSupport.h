#pragma once
// A stand-in for the main window's two machine lists, recording what
// discovery asks of them.
#include <string>
#include <vector>

#include "app/Discovery.h"
#include "app/MachineMap.h"

namespace trovtest {

class FakeDiscoveryView : public CDiscoveryView, public CDiscoveryLog {
public:
    ~FakeDiscoveryView() override
    {
        // Displaced machines belong to their rows: deleted with them.
        for (CMachine* m : displaced)
            delete m;
    }
    CMachineMap& DiscoveredMap() override { return discovered; }
    CMachineMap* SavedMap() override { return &saved; }
    void ShowDiscovered(CMachine* machine) override { shownDiscovered.push_back(machine); }
    void KeepDisplaced(CMachine* machine) override { displaced.push_back(machine); }
    void ShowSaved(CMachine* machine) override { shownSaved.push_back(machine); }
    void AppendLine(const char* text) override { log.push_back(text); }

    CMachineMap discovered;
    CMachineMap saved;
    std::vector<CMachine*> shownDiscovered, shownSaved, displaced;
    std::vector<std::string> log;
};

// A text picture of a map (keys and each machine's fields) for
// "nothing changed" checks.
std::string DescribeMap(const CMachineMap& map);

} // namespace trovtest
