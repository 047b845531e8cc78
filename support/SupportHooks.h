#pragma once
// Replaceable entry points of the support library, for tests that must
// provoke failures the system cannot be made to produce on demand.  Null or
// false means the real behaviour.
#include <cstddef>

struct SupportTestHooks {
    // Source of initialisation vectors: 0, 1001 (no cryptographic context)
    // or 1002 (no random bytes).
    int (*randomBytes)(unsigned char* out, size_t count) = nullptr;
    // Makes every key setup fail.
    bool failKeySetup = false;
};

// Installs hooks (copied); null restores the real behaviour.
void SetSupportTestHooks(const SupportTestHooks* hooks);
const SupportTestHooks& GetSupportTestHooks();
