#pragma once
// The workspace: the application-side object that owns the registry
// section of the library's persisted UI state and the library's
// process-wide managers.  The application object derives from it as its
// second base (after CWinApp), so exactly one exists per process; every
// component finds it through GetWorkspaceInstance.
//
// Registry, below P = "SOFTWARE\<company>\<profile>\<section>\":
//   ZUDControlBarVersion  Major (DWORD 11), Minor (DWORD 0)
//   WindowPlacement       MainWindowRect (16-byte rectangle, screen
//                         coordinates), Flags (DWORD), ShowCmd (DWORD, 3
//                         maximized, else 1)
// Every component saved with the workspace keeps its keys below P.
#include "framework/String.h"
#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPRegistry.h"

class CZUDPFrameImpl;
class CZUDPFrameWnd;
class CZUDPMDIFrameWnd;

class CZUDPWorkspace {
public:
    // bResourceSmartUpdate: toolbars whose resources changed since their
    // state was saved are refreshed after loading.
    explicit CZUDPWorkspace(BOOL bResourceSmartUpdate = FALSE);
    virtual ~CZUDPWorkspace();
    CZUDPWorkspace(const CZUDPWorkspace&) = delete;
    CZUDPWorkspace& operator=(const CZUDPWorkspace&) = delete;

    virtual void OnWorkspaceNotify(UINT_PTR nNotification);
    // Loads all UI state (a given section becomes the section name);
    // registry failures are silent, so always TRUE.
    virtual BOOL LoadState(LPCTSTR lpszSectionName = nullptr, CZUDPFrameImpl* pFrameImpl = nullptr);
    // Deletes the workspace key with everything below it; refused (FALSE)
    // when there is no workspace path (no company key or no section name).
    virtual BOOL CleanState(LPCTSTR lpszSectionName = nullptr);
    // Saves all UI state; FALSE (nothing written) while saving is off.
    virtual BOOL SaveState(LPCTSTR lpszSectionName = nullptr, CZUDPFrameImpl* pFrameImpl = nullptr);
    // Runs the double-click command the mouse manager assigns to the view;
    // FALSE (and a beep) when there is none.
    virtual BOOL OnViewDoubleClick(CWnd* pWnd, int iViewId);
    // The named context menu at the screen point, through the context-menu
    // manager; FALSE without one.
    virtual BOOL ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd);
    // Context help for the window through the help seam.
    virtual BOOL OnWinHelp(CWnd* pWnd, DWORD_PTR dwData);
    virtual BOOL QueryWorkspaceHook(UINT_PTR nArgument);
    virtual BOOL SaveFrameStateOnClose(CZUDPFrameImpl* pFrameImpl);
    virtual void OnBeforeLoadState();
    virtual void OnAfterLoadState();
    virtual void OnBeforeSaveState();
    virtual void OnAfterSaveState();
    // The stored main-window placement; TRUE only when all three values
    // were read (a rectangle of exactly 16 bytes and two 32-bit integers).
    virtual BOOL LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd);
    virtual BOOL StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd);
    // Applies the stored placement to the frame window.  Only the show
    // commands normal (1) and maximized (3) are applied, and a rectangle
    // that lies on no monitor's work area is ignored, so a damaged or
    // outdated value can neither hide the window nor put it off screen.
    virtual BOOL ReloadWindowPlacement(CWnd* pFrame);

    // LoadState for a single-document or a multi-document library frame:
    // with the section (null: the current one) and the frame's
    // implementation object (none for a null frame).
    BOOL LoadFrameWndState(CZUDPFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);
    BOOL LoadMDIFrameState(CZUDPMDIFrameWnd* pFrame, LPCTSTR lpszSectionName = nullptr);

    // FALSE when a shell manager exists; otherwise creates it, publishes
    // it in g_shellManager, owns it (the destructor deletes it) and TRUE.
    BOOL CreateShellManager();
    // The same for the mouse manager (g_mouseManager), the keyboard
    // manager (g_keyboardManager), the tooltip manager (g_tooltipManager),
    // the context-menu
    // manager (g_contextMenuManager) and the tear-off manager
    // (g_tearOffManager, with its id range; FALSE for an empty range).
    BOOL CreateMouseManager();
    BOOL CreateKeyboardManager();
    BOOL CreateTooltipManager();
    BOOL CreateContextMenuManager();
    BOOL CreateTearOffManager(UINT uiFirstId, UINT uiLastId);
    // The user-tools manager (g_userToolsManager) with its command range
    // and the class of its tools (null: CZUDPUserTool).
    BOOL CreateUserToolsManager(UINT uiCmdToolsFirst, UINT uiCmdToolsLast, CRuntimeClass* pToolRTC = nullptr);

    // The registry section of all workspace state ("ZUDWorkspace").
    LPCTSTR GetRegistryBase() const { return m_strRegSection; }
    void SetRegistryBase(LPCTSTR lpszSectionName = nullptr);
    // The workspace path: "SOFTWARE\<company>\<profile>\<section>\" (empty
    // without a registry key), plus the sub-section and "\" when given.
    CString MakeSectionPath(LPCTSTR lpszSubSection) const;
    CString GetRegSectionPath(LPCTSTR lpszSubSection = nullptr) const { return MakeSectionPath(lpszSubSection); }

    // The library version of the UI state being loaded: -1 when none was
    // read, else major * 0x10000 and the minor in the next digits (11.0 is
    // 0xB0000, 8.12 is 0x80120).  After any load it describes 11.0.
    int GetStoredStateVersion() const;

    void EnableSaveState(BOOL bEnable) { m_bSaveState = bEnable; }
    BOOL IsSaveStateEnabled() const { return m_bSaveState; }
    void EnableLoadWindowPlacement(BOOL bEnable) { m_bLoadWindowPlacement = bEnable; }
    void EnableUserToolbars(BOOL bEnable) { m_bLoadUserToolbars = bEnable; }
    BOOL IsUserToolbarsEnabled() const { return m_bLoadUserToolbars; }
    void EnableFrameBarsOnly(BOOL bEnable) { m_bLoadSaveFrameBarsOnly = bEnable; }
    void EnableForceDockStateLoad(BOOL bEnable) { m_bForceDockStateLoad = bEnable; }
    void EnableForceImageReset(BOOL bEnable) { m_bForceImageReset = bEnable; }
    // Toolbars compare their saved resource items with the current
    // resource and merge the changes.
    BOOL IsResourceSmartUpdate() const { return m_bResourceSmartUpdate; }
    void EnableTaskbarInteraction(BOOL bEnable) { m_bTaskbarInteraction = bEnable; }
    BOOL IsTaskbarInteractionEnabled() const { return m_bTaskbarInteraction; }

    // The library version this code writes.
    static const int kVersionMajor = 11;
    static const int kVersionMinor = 0;

protected:
    BOOL m_bLoadUserToolbars = TRUE;
    CString m_strRegSection;
    BOOL m_bKeyboardManagerAutocreated = FALSE;
    BOOL m_bContextMenuManagerAutocreated = FALSE;
    BOOL m_bMouseManagerAutocreated = FALSE;
    BOOL m_bUserToolsManagerAutoCreated = FALSE;
    BOOL m_bTearOffManagerAutoCreated = FALSE;
    BOOL m_bReserved = FALSE;
    BOOL m_bShellManagerAutocreated = FALSE;
    BOOL m_bTooltipManagerAutocreated = FALSE;
    int m_iSavedVersionMajor = -1;
    int m_iSavedVersionMinor = -1;
    BOOL m_bForceDockStateLoad = FALSE;
    BOOL m_bLoadSaveFrameBarsOnly = FALSE;
    BOOL m_bSaveState = TRUE;
    BOOL m_bResourceSmartUpdate;
    BOOL m_bForceImageReset = FALSE;
    BOOL m_bLoadWindowPlacement = TRUE;
    BOOL m_bTaskbarInteraction = TRUE;
};

// The single workspace, null before one is constructed.
CZUDPWorkspace* GetWorkspaceInstance();
