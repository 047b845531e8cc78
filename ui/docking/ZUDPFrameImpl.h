#pragma once
// CZUDPFrameImpl: the implementation object a library frame window keeps
// for its bars: the user-defined toolbars it made, its torn-off menu bars,
// its dock manager and the profile its bars save their state under.  This
// version has the state operations the workspace calls when it is given a
// frame implementation; without a dock manager they do nothing and answer
// FALSE.  The docking subsystem completes it.
#include "framework/List.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CDockState;
class CFrameWnd;
class CWnd;
class CZUDPDockManager;

class CZUDPFrameImpl {
public:
    explicit CZUDPFrameImpl(CFrameWnd* pFrame = nullptr) : m_pFrame(pFrame) {}
    virtual ~CZUDPFrameImpl();
    CZUDPFrameImpl(const CZUDPFrameImpl&) = delete;
    CZUDPFrameImpl& operator=(const CZUDPFrameImpl&) = delete;

    // Makes one toolbar of the configured class for each id of the
    // user-toolbar range and lets it load its state under the frame's own
    // profile; a toolbar without saved state is destroyed, the others are
    // kept in the list of user-defined toolbars.  Nothing without a range.
    virtual void LoadUserToolbars();
    // Destroys the current torn-off menu bars; the saved ones are made
    // again from the tear-off section.
    virtual void LoadTearOffBars();
    // Writes every torn-off menu bar under the tear-off section.
    virtual void SaveTearOffBars(BOOL bFrameOnly = FALSE);
    // Every user-defined toolbar (with the flag, only those whose top-level
    // frame is this frame) saves its state under the frame's profile.
    virtual void SaveToolbarsState(BOOL bFrameOnly = FALSE);
    // The dock manager loads / re-creates / saves the docking layout; FALSE
    // (nothing done) without a dock manager.
    virtual BOOL LoadDockState(LPCTSTR lpszProfileName);
    virtual BOOL ApplyLoadedDockState(CDockState& state);
    virtual BOOL SaveDockState(LPCTSTR lpszProfileName);
    // Passes the frame's placement to the workspace: show command 3
    // (maximized) kept, any other stored as 1; the normal rectangle moved
    // from work-area to screen coordinates.
    virtual void StoreWindowPlacement();
    // Accepts a loaded framework dock state.
    virtual BOOL CheckDockState(CDockState& state);

    // Torn-off menu bars: the one made for a tear-off id (its control id),
    // or null; a new one joins the list (which owns it); a cancelled
    // tear-off takes its bar out again (the caller then owns it).
    CWnd* FindTearOffBar(UINT uiID) const;
    void AddTearOffBar(CWnd* pBar);
    void RemoveTearOffBar(CWnd* pBar);

    CFrameWnd* GetFrame() const { return m_pFrame; }
    // The bar's control id lies in the frame's range of user-defined
    // toolbars (FALSE without a range).
    BOOL IsUserToolbar(const CWnd* pBar) const;

    CFrameWnd* m_pFrame = nullptr;
    CZUDPDockManager* m_pDockManager = nullptr;
    BOOL m_bSaveDockState = TRUE;
    UINT m_uiUserToolbarFirst = (UINT)-1;
    UINT m_uiUserToolbarLast = (UINT)-1;
    CRuntimeClass* m_pCustomUserToolBarRTC = nullptr; // null: CZUDPToolBar
    CString m_strControlBarRegEntry;                 // the frame's own profile
    CObList m_listUserDefinedToolbars;               // owned
    CObList m_listTearOffToolbars;                   // owned
};
