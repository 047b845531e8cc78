#include "ui/foundation/FoundationSeams.h"

namespace {
BOOL RealMessageBeep(UINT uType) { return ::MessageBeep(uType); }
}

FoundationSeams::FoundationSeams() : messageBeep(RealMessageBeep) {}

FoundationSeams g_foundationSeams;
