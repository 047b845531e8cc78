#include "ui/commandbars/ZUDPCommandManager.h"

BOOL CZUDPCommandManager::LoadFromRegistry(LPCTSTR) { return FALSE; }

BOOL CZUDPCommandManager::SaveToRegistry(LPCTSTR) { return FALSE; }

CZUDPCommandManager* GetCommandManager() { return &g_commandManager; }
