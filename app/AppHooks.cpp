#include "app/AppHooks.h"

#include "app/AppPlatform.h"

Seam<bool(const char* path, const char* newPath)> g_appMoveFileAside(&AppMoveFileAside);
