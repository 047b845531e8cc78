#pragma once
// Snapshots of menu bars by menu handle: a customised or replaced menu is
// saved here and loaded back when the same menu is shown again, so user
// changes survive without rebuilding them from the menu resource.  Each
// snapshot is the bar's own serialization in a temporary file ("ZUD"
// prefix, delete-on-close) that stays open while it is mapped, so the
// system removes it when it is dropped or the process ends.  One object
// exists per process, g_menuHash.
#include "framework/Archive.h"
#include "framework/Map.h"
#include "framework/win/WinSdk.h"

class CZUDPToolBar;

class CZUDPMenuHash {
public:
    CZUDPMenuHash();
    ~CZUDPMenuHash();
    CZUDPMenuHash(const CZUDPMenuHash&) = delete;
    CZUDPMenuHash& operator=(const CZUDPMenuHash&) = delete;

    // Stores the bar for the menu; FALSE for a bar without buttons or when
    // the file cannot be written, and then any older snapshot stays.
    BOOL SaveMenuBar(HMENU hMenu, CZUDPToolBar* pBar);
    // Reads the menu's snapshot into the bar; FALSE when there is none or
    // it cannot be read.
    BOOL LoadMenuBar(HMENU hMenu, CZUDPToolBar* pBar);
    // Drops the menu's snapshot (its file goes); FALSE when there is none.
    BOOL RemoveMenu(HMENU hMenu);

    // TRUE while a bar is written to or read from a snapshot: toolbar
    // buttons adapt what they serialize.
    BOOL IsSerializing() const { return m_bIsSerializing; }
    int GetCount() const { return int(m_StoredMenues.GetCount()); }

private:
    BOOL SerializeBar(HANDLE hFile, CArchive::Mode mode, CZUDPToolBar* pBar);
    CMap<HMENU, HMENU, HANDLE, HANDLE> m_StoredMenues;
    BOOL m_bIsSerializing = FALSE;
};

// The process's menu snapshots (defined in the library's start-up unit).
extern CZUDPMenuHash g_menuHash;
