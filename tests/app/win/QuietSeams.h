#pragma once
// Answers for the program's seams that a test does not watch: every message
// box is answered OK unseen, no probe or command is broadcast, and the
// machine has no network adapters.
#include "app/win/AppSeams.h"

#include <vector>

namespace trovtest {

inline int AnswerEveryBoxOk(HWND, const char*, const char*, UINT) { return IDOK; }
inline void BroadcastNothing(const char*, bool, CDiscoveryLog*) {}
inline bool NoNetworkAdapters(std::vector<IP_ADAPTER_INFO>* adapters)
{
    if (adapters != nullptr)
        adapters->clear();
    return false;
}

} // namespace trovtest
