#include "support/SupportHooks.h"

static SupportTestHooks g_supportTestHooks;

void SetSupportTestHooks(const SupportTestHooks* hooks)
{
    g_supportTestHooks = hooks != nullptr ? *hooks : SupportTestHooks();
}

const SupportTestHooks& GetSupportTestHooks()
{
    return g_supportTestHooks;
}
