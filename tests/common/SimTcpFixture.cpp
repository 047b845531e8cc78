#include "tests/common/SimTcpFixture.h"

#include <gtest/gtest.h>

#include "tests/common/Loopback.h"

namespace trovtest {

SimTcpBehaviour LineBehaviour(uint32_t address, int last, const char* board)
{
    SimTcpBehaviour b;
    b.identity.if1Ip = AddressText(address);
    b.identity.mac = "00:0A:0B:0C:0D:0" + std::to_string(last);
    b.identity.board = board;
    b.identity.hostName = "Line " + std::to_string(last);
    b.identity.config = "plant" + std::to_string(last) + ".lmx";
    b.identity.version = "4v2r11-b3";
    b.password = "secret";
    return b;
}

SimTcpController& StartSimTcp(std::vector<std::unique_ptr<SimTcpController>>& sims, uint32_t address,
                              const SimTcpBehaviour& behaviour)
{
    sims.emplace_back(new SimTcpController());
    SimTcpController& sim = *sims.back();
    sim.SetBehaviour(behaviour);
    SimTcpOptions options;
    options.address = address;
    std::string error;
    EXPECT_TRUE(sim.Start(options, &error)) << error;
    return sim;
}

} // namespace trovtest
