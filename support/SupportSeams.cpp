#include "support/SupportSeams.h"

#include "support/AesCfb.h"
#include "support/Platform.h"

namespace {

bool RealSetCipherKey(CAesCfb& cipher, const char* keyText) { return cipher.SetKey(keyText); }

} // namespace

SupportSeams::SupportSeams() : randomBytes(PlatformRandomBytes), setCipherKey(RealSetCipherKey) {}

SupportSeams g_supportSeams;
