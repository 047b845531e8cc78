#include "app/AppHooks.h"

#include "app/AppPlatform.h"

#include <chrono>

namespace {
AppTickCountHook g_tickCountHook = nullptr;
}

void SetAppTickCountHook(AppTickCountHook hook) { g_tickCountHook = hook; }

uint32_t AppTickCount()
{
    if (g_tickCountHook)
        return g_tickCountHook();
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

Seam<bool(const char* path, const char* newPath)> g_appMoveFileAside(&AppMoveFileAside);
