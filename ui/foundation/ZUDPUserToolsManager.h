#pragma once
// The user's external tools: an ordered list of CZUDPUserTool objects,
// each bound to a command id of a fixed range.  At most one manager
// exists; it publishes itself in g_userToolsManager.
//
// Registry: value "Tools" under the section "ZUDUserToolsManager" of the
// caller's profile: the archived object list (count, then each tool as an
// archived object).
#include "framework/List.h"
#include "framework/Object.h"
#include "framework/String.h"

class CZUDPUserTool;

class CZUDPUserToolsManager : public CObject {
public:
    // pToolRTC: the class of the tools the manager makes (CZUDPUserTool or
    // derived; null for CZUDPUserTool).
    CZUDPUserToolsManager(UINT uiCmdToolsFirst, UINT uiCmdToolsLast, CRuntimeClass* pToolRTC = nullptr);
    ~CZUDPUserToolsManager() override;

    // A new tool with the lowest free id, appended; null when every id of
    // the range is taken or the range is empty.
    CZUDPUserTool* AddTool();
    CZUDPUserTool* FindToolByCommand(UINT uiCmdId) const;
    BOOL RunTool(UINT uiCmdId);
    BOOL ShiftToolUp(CZUDPUserTool* pTool);
    BOOL ShiftToolDown(CZUDPUserTool* pTool);
    // Removes and deletes the tool; FALSE when it is not listed.
    BOOL DeleteTool(CZUDPUserTool* pTool);

    // A missing or damaged value keeps the tools there are.  Tools whose
    // id is outside the range or taken by an earlier tool are dropped.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    const CObList& GetUserTools() const { return m_lstUserTools; }
    int GetMaxTools() const { return int(m_uiCmdToolsLast) - int(m_uiCmdToolsFirst) + 1; }
    UINT GetToolsFirstCmdId() const { return m_uiCmdToolsFirst; }
    UINT GetToolsLastCmdId() const { return m_uiCmdToolsLast; }
    // The menu item that stands for the tool list (0: none); bars never
    // count or customize it.
    UINT GetToolsPlaceholderCmdId() const { return m_uiToolsPlaceholderCmdId; }
    void SetToolsPlaceholderCmdId(UINT uiCmdId) { m_uiToolsPlaceholderCmdId = uiCmdId; }

    // What the Tools page offers: the file dialog's filter ("Programs
    // (*.exe)|*.exe||" form) and default extension for browsing, and the
    // menu resources (0: none) whose first sub-menu's items type their
    // string resource into the arguments or initial-directory field.
    void SetFilter(LPCTSTR lpszFilter) { m_strFilter = lpszFilter != nullptr ? lpszFilter : ""; }
    void SetDefExt(LPCTSTR lpszDefExt) { m_strDefExt = lpszDefExt != nullptr ? lpszDefExt : ""; }
    void SetArgumentsMenuId(UINT uiMenuId) { m_uiArgumentsMenuId = uiMenuId; }
    void SetInitialDirMenuId(UINT uiMenuId) { m_uiInitialDirMenuId = uiMenuId; }
    const CString& GetFilter() const { return m_strFilter; }
    const CString& GetDefExt() const { return m_strDefExt; }
    UINT GetArgumentsMenuId() const { return m_uiArgumentsMenuId; }
    UINT GetInitialDirMenuId() const { return m_uiInitialDirMenuId; }

private:
    bool InRange(UINT uiCmdId) const { return uiCmdId >= m_uiCmdToolsFirst && uiCmdId <= m_uiCmdToolsLast; }
    void DeleteAllTools(CObList& list);

    CObList m_lstUserTools;
    UINT m_uiCmdToolsFirst;
    UINT m_uiCmdToolsLast;
    CRuntimeClass* m_pToolRTC;
    UINT m_uiToolsPlaceholderCmdId = 0;
    CString m_strFilter;
    CString m_strDefExt;
    UINT m_uiArgumentsMenuId = 0;
    UINT m_uiInitialDirMenuId = 0;
};

// The process-wide user-tools manager, null while none exists.
extern CZUDPUserToolsManager* g_userToolsManager;
