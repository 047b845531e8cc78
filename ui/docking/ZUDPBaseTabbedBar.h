#pragma once
// CZUDPBaseTabbedBar: the docking pane that holds other panes as the tabs
// of its tab window.  This version has what the tab windows and the
// control bars ask of it: the class they test for, whether the pane's
// caption follows the active tab, its tab window and showing a pane's tab;
// the docking subsystem gives it its tab window, removing, detaching and
// the rest.
#include "ui/docking/ZUDPDockingControlBar.h"

class CZUDPBaseTabWnd;

class CZUDPBaseTabbedBar : public CZUDPDockingControlBar {
    DECLARE_DYNAMIC(CZUDPBaseTabbedBar)
public:
    CZUDPBaseTabbedBar() = default;

    // The pane's window text is the active tab's label.
    BOOL CaptionFollowsTab() const { return m_bCaptionFollowsTab; }
    void SetCaptionFollowsTab(BOOL bFollow = TRUE) { m_bCaptionFollowsTab = bFollow; }

    // The tab window that holds the panes, or null.
    CZUDPBaseTabWnd* GetTabWnd() const { return m_pTabWnd; }
    int GetTabCount() const;
    // Shows or hides a pane's tab; FALSE when the pane has none.
    virtual BOOL ShowPaneTab(CWnd* pPane, BOOL bShow, BOOL bDelay, BOOL bActivate);
    // Takes a pane's tab out; FALSE when it was not taken (this version
    // takes none).
    virtual BOOL RemovePane(CWnd* pPane);
    // Takes a pane out of the tab window; FALSE when it was not (this
    // version takes none).
    virtual BOOL DetachPane(CWnd* pPane, BOOL bHide);
    // Takes a tab's pane out and floats it at its recent floating
    // rectangle; FALSE when it did not (this version floats none).
    virtual BOOL DetachTabToFloat(CWnd* pPane, int nIndex, int nMode, BOOL bFloat);

protected:
    BOOL m_bCaptionFollowsTab = TRUE;
    CZUDPBaseTabWnd* m_pTabWnd = nullptr;
};
