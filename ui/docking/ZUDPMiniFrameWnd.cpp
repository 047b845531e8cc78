#include "ui/docking/ZUDPMiniFrameWnd.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPMiniFrameWnd, CMiniFrameWnd, VERSIONABLE_SCHEMA | 2)
