#pragma once
// CZUDPCommandManager: the process-wide table of command images (which
// commands show no image in menus, which carry a user image).  This
// version is the object and its state operations; until the command bars
// keep images it has nothing to read or write and answers FALSE.
#include "framework/Object.h"
#include "framework/win/WinSdk.h"

class CZUDPCommandManager : public CObject {
public:
    CZUDPCommandManager() = default;

    // Reads "CommandsWithoutImages" and "MenuUserImages" from the key
    // "%sZUDCommandManager" of the profile; TRUE when both were read.
    virtual BOOL LoadFromRegistry(LPCTSTR lpszProfileName = nullptr);
    // Writes the same two values; TRUE when both were written.
    virtual BOOL SaveToRegistry(LPCTSTR lpszProfileName = nullptr);
};

extern CZUDPCommandManager g_commandManager;
CZUDPCommandManager* GetCommandManager();
