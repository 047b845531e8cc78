#pragma once
// The support library's seams: what tests must make fail on demand and the
// system never fails for them.  Product code calls these; tests replace an
// entry for a scope with ScopedSeam (framework/Seam.h).
#include <cstddef>

#include "framework/Seam.h"

class CAesCfb;

struct SupportSeams {
    // Source of initialisation vectors: 0, 1001 (no cryptographic context)
    // or 1002 (no random bytes).
    Seam<int(unsigned char* out, size_t count)> randomBytes;
    // Keys a cipher from the 64-character key text; false when it cannot.
    Seam<bool(CAesCfb& cipher, const char* keyText)> setCipherKey;

    SupportSeams();
};

extern SupportSeams g_supportSeams;
