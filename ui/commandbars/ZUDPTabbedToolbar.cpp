#include "ui/commandbars/ZUDPTabbedToolbar.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPTabbedToolbar, CZUDPToolBar, VERSIONABLE_SCHEMA | 2)
