#include "ui/docking/ZUDPAppBarWnd.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPAppBarWnd, CWnd, VERSIONABLE_SCHEMA | 2)
