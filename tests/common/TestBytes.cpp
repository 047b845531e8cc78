#include "tests/common/TestBytes.h"

#include <cstdint>
#include <cstdio>

namespace trovtest {

std::string Pattern(size_t size, unsigned seed)
{
    std::string data(size, '\0');
    uint32_t x = seed;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        data[i] = (char)(x >> 16);
    }
    return data;
}

std::string HexRecord(int type, unsigned address, const std::vector<unsigned>& bytes)
{
    char text[600];
    unsigned sum = (unsigned)bytes.size() + (address >> 8) + (address & 255) + (unsigned)type;
    int n = snprintf(text, sizeof text, ":%02X%04X%02X", (unsigned)bytes.size(), address & 0xFFFF, type);
    for (unsigned b : bytes) {
        n += snprintf(text + n, sizeof text - n, "%02X", b);
        sum += b;
    }
    snprintf(text + n, sizeof text - n, "%02X\n", (0x100 - (sum & 255)) & 255);
    return text;
}

} // namespace trovtest
