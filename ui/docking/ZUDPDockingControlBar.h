#pragma once
// Docking panes: the resizable panes that dock beside each other at a
// frame's edges, and the two kinds the pane classes look for among their
// parents: the tabbed pane (CZUDPBaseTabbedBar), whose client is a tab
// window of panes, and the wrapper pane (CZUDPDockingCBWrapper) that hosts
// one ordinary window as a pane.
//
// This version has their classes and what the control bars ask of them
// (the tabbed pane's tab window and its tab operations, the wrapped
// window); the docking subsystem completes them.
#include "ui/commandbars/ZUDPControlBar.h"

class CZUDPBaseTabWnd;

class CZUDPDockingControlBar : public CZUDPControlBar {
    DECLARE_SERIAL(CZUDPDockingControlBar)
public:
    CZUDPDockingControlBar() = default;

    BOOL IsDockingPane() const override { return TRUE; }
    BOOL IsResizable() const override { return TRUE; }
};

class CZUDPBaseTabbedBar : public CZUDPDockingControlBar {
    DECLARE_DYNAMIC(CZUDPBaseTabbedBar)
public:
    CZUDPBaseTabbedBar() = default;

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
    CZUDPBaseTabWnd* m_pTabWnd = nullptr;
};

class CZUDPDockingCBWrapper : public CZUDPDockingControlBar {
    DECLARE_SERIAL(CZUDPDockingCBWrapper)
public:
    CZUDPDockingCBWrapper() = default;

    // The window the pane hosts: it becomes the pane's child.
    virtual void SetWrappedWindow(CWnd* pWnd);
    CWnd* GetWrappedWindow() const { return m_pWrappedWnd; }

protected:
    CWnd* m_pWrappedWnd = nullptr;
};
