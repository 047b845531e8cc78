#pragma once
// Simulated controllers answering discovery probes, as the tests set them
// up on loopback addresses.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/common/SimController.h"

namespace trovtest {

// An identity with IF1 address ip, the MAC, the host name and firmware
// "4v2r11-b3".
SimControllerIdentity DiscoveryIdentity(const std::string& ip, const std::string& mac, const std::string& host);

// Starts a controller with the identity listening on address:probePort and
// replying to replyPort, and keeps it in sims; a controller that cannot
// start fails the test.  Wine binds a UDP socket to its interface rather
// than its address, so each controller of a test wants a probe port of its
// own.
SimController& StartSimUdp(std::vector<std::unique_ptr<SimController>>& sims, const SimControllerIdentity& identity,
                           uint32_t address, uint16_t probePort, uint16_t replyPort);

} // namespace trovtest
