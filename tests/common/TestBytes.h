#pragma once
// File contents made up by tests: pseudo-random bytes and Intel HEX records.
#include <cstddef>
#include <string>
#include <vector>

namespace trovtest {

// size bytes that look random; the same seed gives the same bytes.
std::string Pattern(size_t size, unsigned seed = 7);

// One Intel HEX record line (with its checksum and a line end): record type,
// 16-bit address and data bytes.
std::string HexRecord(int type, unsigned address, const std::vector<unsigned>& bytes);

} // namespace trovtest
