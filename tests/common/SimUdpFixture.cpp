#include "tests/common/SimUdpFixture.h"

#include <gtest/gtest.h>

namespace trovtest {

SimControllerIdentity DiscoveryIdentity(const std::string& ip, const std::string& mac, const std::string& host)
{
    SimControllerIdentity id;
    id.if1Ip = ip;
    id.mac = mac;
    id.hostName = host;
    id.version = "4v2r11-b3";
    return id;
}

SimController& StartSimUdp(std::vector<std::unique_ptr<SimController>>& sims, const SimControllerIdentity& identity,
                           uint32_t address, uint16_t probePort, uint16_t replyPort)
{
    sims.emplace_back(new SimController());
    SimController& sim = *sims.back();
    sim.SetIdentity(identity);
    SimControllerOptions options;
    options.listenAddress = address;
    options.probePort = probePort;
    options.replyPort = replyPort;
    std::string error;
    EXPECT_TRUE(sim.Start(options, &error)) << error;
    return sim;
}

} // namespace trovtest
