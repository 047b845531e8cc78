#pragma once
// Reading numbers out of texts the way the C library's "%d" conversion does
// (leading white space, an optional sign, at least one digit), but with a
// defined result for numbers beyond the int range (they are clamped):
// texts come from files and from the network.

// Reads one number at p and moves p behind it; false (p unchanged) when no
// number starts there.
bool ScanDecimalInt(const char*& p, int* value);
