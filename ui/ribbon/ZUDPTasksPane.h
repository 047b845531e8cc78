#pragma once
// The task pane (groups of tasks, links and labels down a docked pane) and
// the toolbox built on it.  This version holds the groups and tasks with
// the fields the visual manager's task-pane drawing reads, the pane's nine
// metrics (-1: the manager's value) and its two text-wrap options; the
// navigation-pane subsystem completes it.
#include "ui/commandbars/ZUDPControlBar.h"
#include "framework/List.h"
#include "framework/String.h"

class CZUDPTasksPaneGroup;
class CZUDPTasksPane;

// One task of a group: a command link, a label or a separator.
class CZUDPTasksPaneTask : public CObject {
    DECLARE_DYNAMIC(CZUDPTasksPaneTask)
public:
    CZUDPTasksPaneTask() = default;
    CZUDPTasksPaneTask(CZUDPTasksPaneGroup* pGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID)
        : m_pGroup(pGroup), m_strName(lpszName != nullptr ? lpszName : ""), m_nIcon(nIcon), m_uiCommandID(uiCommandID)
    {
    }

    CZUDPTasksPaneGroup* m_pGroup = nullptr;
    CRect m_rect;
    CString m_strName;
    int m_nIcon = -1;                     // image index (-1: none)
    UINT m_uiCommandID = 0;
    BOOL m_bIsSeparator = FALSE;
    BOOL m_bIsCommand = FALSE;            // a command link (else a label)
    BOOL m_bIsClickable = TRUE;
    BOOL m_bIsBold = FALSE;
    COLORREF m_clrText = (COLORREF)-1;
    COLORREF m_clrTextHot = (COLORREF)-1;
};

// A group of tasks with its caption.
class CZUDPTasksPaneGroup : public CObject {
    DECLARE_DYNAMIC(CZUDPTasksPaneGroup)
public:
    CZUDPTasksPaneGroup() = default;
    CZUDPTasksPaneGroup(LPCTSTR lpszName, BOOL bIsSpecial) : m_strName(lpszName != nullptr ? lpszName : ""), m_bIsSpecial(bIsSpecial) {}
    ~CZUDPTasksPaneGroup() override;

    // The task at a 0-based position, null past the end.
    CZUDPTasksPaneTask* GetTask(int nTask) const;

    CZUDPTasksPane* m_pPane = nullptr;    // the pane that holds the group (its metrics and options)

    CString m_strName;
    CRect m_rectCaption;
    HICON m_hIcon = nullptr;
    CSize m_sizeIcon;
    BOOL m_bIsSpecial = FALSE;            // drawn in the emphasised colours
    BOOL m_bIsCollapsed = FALSE;
    COLORREF m_clrText = (COLORREF)-1;
    COLORREF m_clrTextHot = (COLORREF)-1;
    CObList m_lstTasks;                   // CZUDPTasksPaneTask, owned
};

class CZUDPTasksPane : public CZUDPControlBar {
    DECLARE_SERIAL(CZUDPTasksPane)
public:
    CZUDPTasksPane() = default;
    ~CZUDPTasksPane() override;

    // Adds a group; answers its position.
    int AddGroup(LPCTSTR lpszName, BOOL bIsSpecial = FALSE);
    // Adds a task to a group; answers its position in the group, -1 when
    // the group does not exist.
    int AddTask(int nGroup, LPCTSTR lpszName, int nIcon = -1, UINT uiCommandID = 0);
    CZUDPTasksPaneGroup* GetGroup(int nGroup) const;
    int GetGroupCount() const { return int(m_lstTaskGroups.GetCount()); }
    // TRUE when the pane is the toolbox's.
    virtual BOOL IsToolBox() const { return FALSE; }

    // The nine metrics in the visual manager's order (-1: the manager's).
    int m_nVertMargin = -1;
    int m_nHorzMargin = -1;
    int m_nGroupVertOffset = -1;
    int m_nGroupCaptionHeight = -1;
    int m_nGroupCaptionHorzOffset = -1;
    int m_nGroupCaptionVertOffset = -1;
    int m_nTasksHorzOffset = -1;
    int m_nTasksIconHorzOffset = -1;
    int m_nTasksIconVertOffset = -1;
    BOOL m_bWrapTasks = FALSE;            // command tasks wrap their text
    BOOL m_bWrapLabels = FALSE;           // label tasks wrap their text

protected:
    CObList m_lstTaskGroups;              // CZUDPTasksPaneGroup, owned
};

class CZUDPToolBoxEx : public CZUDPTasksPane {
    DECLARE_DYNCREATE(CZUDPToolBoxEx)
public:
    CZUDPToolBoxEx() = default;
    BOOL IsToolBox() const override { return TRUE; }
};
