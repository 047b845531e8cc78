#pragma once
// Named context menus: menus registered under a name and their resource
// id, shown at a screen point for an owner window.  At most one exists; it
// publishes itself in g_contextMenuManager.
#include "framework/Map.h"
#include "framework/win/Wnd.h"
#include "framework/List.h"
#include "framework/String.h"
#include "framework/Object.h"

class CZUDPContextMenuManager : public CObject {
    DECLARE_DYNCREATE(CZUDPContextMenuManager)
public:
    CZUDPContextMenuManager();
    ~CZUDPContextMenuManager() override;

    // Registers the popup (the first submenu) of the menu resource under
    // the name; FALSE when the resource has no popup or the name is empty.
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
    // The same with a menu the manager then owns.
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId, HMENU hMenu);

    // The menu registered under the name (null when none), and the
    // resource id registered for the same menu (0 when none).
    HMENU FindMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;
    void ListMenuNames(CStringList& listOfNames) const;

    // Shows the menu at the screen point; the chosen command goes to the
    // owner as WM_COMMAND.  FALSE without a menu or owner window.
    virtual BOOL ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                               BOOL bRightAlign = TRUE, BOOL bAutoDestroy = FALSE);
    virtual BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                               BOOL bRightAlign = FALSE);
    // Tracks the menu modally and answers the chosen command (0: none).
    virtual UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);
    // The user's edits of the registered menus, kept between runs: each
    // menu's snapshot in the menu hash (its bar's archived buttons) as the
    // value "Menu-<resource id>" (REG_BINARY) in the key
    // "<base>" = BuildRegistrySectionPath("ZUDContextMenuManager", profile).
    // Saving writes the menus that have a snapshot and leaves the others'
    // values alone; TRUE when every one was written.  Loading gives each
    // registered menu its stored snapshot (values of other ids, empty ones
    // and ones beyond 1 MiB are ignored; a menu keeps its snapshot when the
    // stored one cannot be taken); FALSE without the key.
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

private:
    CMap<UINT, UINT, HMENU, HMENU> m_menusById;
    CMap<CString, LPCTSTR, HMENU, HMENU> m_menusByName;
    CList<HMENU, HMENU> m_ownedMenus;
};

// The process-wide context-menu manager, null while none exists.
extern CZUDPContextMenuManager* g_contextMenuManager;
