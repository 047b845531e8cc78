#pragma once
// Which command a double click runs in each kind of view.  Views are known
// by a numeric id, a display name and an icon resource; for each view id
// the manager keeps the command of a double click, which the workspace
// runs.  At most one exists; it publishes itself in g_mouseManager.
//
// Registry: value "Mouse" (raw bytes) under the section "ZUDMouseManager"
// of the caller's profile: DWORD count, then per assignment DWORD view id
// and DWORD command, in the map's order.  Names and icons are not stored.
#include "framework/Map.h"
#include "framework/Archive.h"
#include "framework/List.h"
#include "framework/String.h"
#include "framework/Object.h"

class CZUDPMouseManager : public CObject {
    DECLARE_SERIAL(CZUDPMouseManager)
public:
    CZUDPMouseManager();
    ~CZUDPMouseManager() override;

    // Registers a view: its name and icon resource (0: none).
    BOOL AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId = 0);

    UINT LookupViewIcon(int iViewId) const;
    int FindViewId(LPCTSTR lpszViewName) const;   // -1: no such view
    void ListViewNames(CStringList& listOfNames) const;

    UINT LookupDblClickCommand(int iViewId) const;   // 0: none
    // Command 0 removes the view's assignment.
    void AssignDblClickCommand(int iViewId, UINT uiCmd);

    // A missing or damaged value keeps the assignments as they are.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    void Serialize(CArchive& ar) override;

private:
    using CommandMap = CMap<int, int, UINT, UINT>;
    static void SerializeCommands(CArchive& ar, CommandMap& commands);

    CMap<CString, LPCTSTR, int, int> m_viewsByName;
    CommandMap m_viewsToCommands;
    CMap<int, int, UINT, UINT> m_viewIcons;
};

// The process-wide mouse manager, null while none exists.
extern CZUDPMouseManager* g_mouseManager;
