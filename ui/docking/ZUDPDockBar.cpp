#include "ui/docking/ZUDPDockBar.h"

#include "framework/Archive.h"

IMPLEMENT_DYNAMIC(CZUDPDockBar, CZUDPBaseControlBar)
IMPLEMENT_DYNAMIC(CZUDPCaptionBar, CZUDPControlBar)
IMPLEMENT_SERIAL(CZUDPDialogBar, CZUDPControlBar, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNAMIC(CZUDPSlider, CZUDPBaseControlBar)
