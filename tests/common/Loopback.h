#pragma once
// Loopback addresses for network tests.  Tests bind only to 127.0.0.0/8;
// each fixture takes its own 127.x.y.0 block at random so that test runs of
// several worktrees on one machine do not collide on the fixed ports.
#include <cstdint>
#include <string>

namespace trovtest {

// A fresh block 127.x.y.0 (host order); the tests use .1, .2, ... in it.
uint32_t RandomLoopbackBlock();

// A UDP/TCP port for a test's own sockets, away from the system's fixed
// ports (40000 to 59999).
uint16_t RandomTestPort();

// "%d.%d.%d.%d" of a host-order address.
std::string AddressText(uint32_t hostOrder);

inline bool IsLoopbackAddress(uint32_t hostOrder) { return (hostOrder >> 24) == 127; }

} // namespace trovtest
