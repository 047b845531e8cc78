#include "ui/commandbars/ZUDPMenuBar.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPMenuBar, CZUDPToolBar, VERSIONABLE_SCHEMA | 1)
