#pragma once
// Simulated controllers as the application tests set them up: one at each
// .last of a random loopback block, with an identity made from that number.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/common/SimTcpController.h"

namespace trovtest {

// The controller at .last of a block: its address as IF1, MAC
// "00:0A:0B:0C:0D:0<last>", the board (K420 unless told otherwise), host name
// "Line <last>", configuration "plant<last>.lmx", firmware "4v2r11-b3" and
// the admin password "secret".
SimTcpBehaviour LineBehaviour(uint32_t address, int last, const char* board = "K420");

// Starts a controller with the behaviour on the address and keeps it in
// sims; a controller that cannot start fails the test.
SimTcpController& StartSimTcp(std::vector<std::unique_ptr<SimTcpController>>& sims, uint32_t address,
                              const SimTcpBehaviour& behaviour);

} // namespace trovtest
