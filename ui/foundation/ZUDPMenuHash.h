#pragma once
// Snapshots of menu bars by menu handle: a customised or replaced menu is
// saved here and loaded back when the same menu is shown again, so user
// changes survive without rebuilding them from the menu resource.  Each
// snapshot is the bar's own serialization in a temporary file ("ZUD"
// prefix, delete-on-close) that stays open while it is mapped, so the
// system removes it when it is dropped or the process ends.  A menu keeps
// its file across saves: a save rewrites it.  One object exists per
// process, g_menuHash.
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Map.h"
#include "framework/win/WinSdk.h"

class CZUDPToolBar;

class CZUDPMenuHash {
public:
    CZUDPMenuHash();
    ~CZUDPMenuHash();
    CZUDPMenuHash(const CZUDPMenuHash&) = delete;
    CZUDPMenuHash& operator=(const CZUDPMenuHash&) = delete;

    // Stores the bar for the menu; FALSE for a bar without buttons or whose
    // store fails (any older snapshot stays), or when the file cannot be
    // written (a snapshot that could not be rewritten whole is dropped).
    BOOL SaveMenuBar(HMENU hMenu, CZUDPToolBar* pBar);
    // Reads the menu's snapshot into the bar; FALSE when there is none or
    // it cannot be read.
    BOOL LoadMenuBar(HMENU hMenu, CZUDPToolBar* pBar);
    // Drops the menu's snapshot (its file goes); FALSE when there is none.
    BOOL RemoveMenu(HMENU hMenu);

    // The bytes of the menu's snapshot (how they are kept between runs);
    // FALSE when there is none or it cannot be read.
    BOOL GetSnapshot(HMENU hMenu, CByteArray& bytes) const;
    // Makes the bytes the menu's snapshot, rewriting the menu's file.  FALSE
    // for no bytes (the older snapshot stays) or when no file can be
    // written (the menu is then left without a snapshot rather than with a
    // damaged one).
    BOOL SetSnapshot(HMENU hMenu, const BYTE* pData, UINT nBytes);

    // TRUE while a bar is written to or read from a snapshot: toolbar
    // buttons adapt what they serialize.
    BOOL IsSerializing() const { return m_bIsSerializing; }
    int GetCount() const { return int(m_StoredMenues.GetCount()); }

private:
    // A new snapshot file in the temporary folder, open for reading and
    // writing and deleted when closed; INVALID_HANDLE_VALUE on failure.
    static HANDLE CreateSnapshotFile();
    // Maps the written file to the menu, letting an older one go.
    void Keep(HMENU hMenu, HANDLE hFile);
    BOOL StoreBar(CZUDPToolBar* pBar, CByteArray& bytes);
    static BOOL WriteAll(HANDLE hFile, const BYTE* pData, UINT nBytes);
    CMap<HMENU, HMENU, HANDLE, HANDLE> m_StoredMenues;
    BOOL m_bIsSerializing = FALSE;
};

// The process's menu snapshots (defined in the library's start-up unit).
extern CZUDPMenuHash g_menuHash;
