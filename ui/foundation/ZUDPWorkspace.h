#pragma once
// The workspace: the application-side object that owns the registry
// section of the library's persisted UI state and the library's
// process-wide managers.  The application object derives from it as its
// second base (after CWinApp), so exactly one exists per process; every
// component finds it through GetWorkspaceInstance.
//
// This version holds the registry section and creates the shell manager;
// loading and saving the UI state come with the components that own state.
#include "framework/win/FrameworkWin.h"
#include "ui/foundation/ZUDPRegistry.h"

class CZUDPWorkspace {
public:
    // bResourceSmartUpdate: toolbars whose resources changed since their
    // state was saved are refreshed after loading.
    explicit CZUDPWorkspace(BOOL bResourceSmartUpdate = FALSE);
    virtual ~CZUDPWorkspace();
    CZUDPWorkspace(const CZUDPWorkspace&) = delete;
    CZUDPWorkspace& operator=(const CZUDPWorkspace&) = delete;

    virtual void OnWorkspaceNotify(UINT_PTR nNotification);

    // FALSE when a shell manager exists; otherwise creates it, publishes
    // it in g_shellManager, owns it (the destructor deletes it) and TRUE.
    BOOL CreateShellManager();

    // The registry section of all workspace state ("ZUDWorkspace").
    LPCTSTR GetRegistryBase() const { return m_strRegSection; }
    void SetRegistryBase(LPCTSTR lpszSectionName = nullptr);
    // The workspace path: "SOFTWARE\<company>\<profile>\<section>\" (empty
    // without a registry key), plus the sub-section and "\" when given.
    CString MakeSectionPath(LPCTSTR lpszSubSection) const;
    CString GetRegSectionPath(LPCTSTR lpszSubSection = nullptr) const { return MakeSectionPath(lpszSubSection); }

    // The library version of the UI state being loaded: -1 when none was
    // read, else major * 0x10000 and the minor in the next digits.
    int GetStoredStateVersion() const;

    void EnableSaveState(BOOL bEnable) { m_bSaveState = bEnable; }
    BOOL IsSaveStateEnabled() const { return m_bSaveState; }

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
