#include "ui/docking/ZUDPDockManager.h"

#include "framework/Archive.h"

IMPLEMENT_DYNAMIC(CZUDPDockManager, CObject)
IMPLEMENT_SERIAL(CZUDPTabbedControlBar, CZUDPBaseTabbedBar, VERSIONABLE_SCHEMA | 2)

DWORD CZUDPDockManager::s_dwDockMode = 1;
int CZUDPDockManager::s_nSmartDockingVariant = 0;

void CZUDPDockManager::SetGlobalDockMode(DWORD dwDockMode, int nSmartDockingVariant)
{
    if (dwDockMode == 128) {
        s_dwDockMode = 129;
        s_nSmartDockingVariant = nSmartDockingVariant;
        return;
    }
    s_dwDockMode = dwDockMode;
}

void CZUDPTabbedControlBar::ApplyVisualManagerToAll() {}
