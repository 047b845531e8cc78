#include "tests/common/Loopback.h"

#include <chrono>
#include <random>

namespace trovtest {

namespace {
std::mt19937& Generator()
{
    static std::mt19937 generator((unsigned)std::chrono::steady_clock::now().time_since_epoch().count() ^
                                  (unsigned)std::chrono::system_clock::now().time_since_epoch().count());
    return generator;
}
} // namespace

uint32_t RandomLoopbackBlock()
{
    std::uniform_int_distribution<uint32_t> octet(1, 254);
    return (127u << 24) | (octet(Generator()) << 16) | (octet(Generator()) << 8);
}

uint16_t RandomTestPort()
{
    std::uniform_int_distribution<uint32_t> port(40000, 59999);
    return (uint16_t)port(Generator());
}

std::string AddressText(uint32_t a)
{
    return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." + std::to_string((a >> 8) & 255) +
           "." + std::to_string(a & 255);
}

} // namespace trovtest
