#pragma once
// CZUDPTabbedToolbar: a dockable toolbar without buttons of its own whose
// client is a tab window; each tab is a whole toolbar.  The strip lies at
// the bottom, and the set docks (at the top or the bottom only), floats
// and sizes as one bar, always laid out as a horizontal bar exactly round
// its tab window.
//
// The toolbars added stay the caller's objects: removing a tab or
// destroying the bar destroys no toolbar object (their windows go with the
// tab window, as its children).  Tabs cannot be reordered by dragging and
// plain windows are never wrapped in a pane.
#include "ui/commandbars/ZUDPToolBar.h"

class CZUDPTabWnd;

class CZUDPTabbedToolbar : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPTabbedToolbar)
public:
    CZUDPTabbedToolbar();

    // The id of the tab window among the bar's children.
    static constexpr UINT kTabWindowId = 101;

    // Creates the bar window instead of CreateBar: a bar that may float
    // (ZUDP_CBRS_FLOAT) gets a gripper; the left and right sides (borders
    // and docking) are taken out of the style.
    virtual BOOL CreateTabbedBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                                 DWORD dwControlBarStyle = ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK);
    // Moves a created bar into a new tab labelled with its window text, with
    // no image; the bar loses its gripper and its owner becomes the frame
    // round this bar.  FALSE (nothing changed) without a tab window.
    virtual BOOL AddTab(CZUDPBaseControlBar* pBar, BOOL bShow = TRUE, BOOL bActivate = TRUE,
                        BOOL bDetachable = FALSE);
    // The tab window: null before the window is created and after it is
    // destroyed.
    virtual CZUDPTabWnd* GetTabWnd() const { return m_pTabWnd; }

    // Sizes the tab window round its largest bar, stretches the bar along
    // its row by the change of width and lays the frame (or the floating
    // frame) out again.
    void RefreshPlacement() override;
    // The tab window's size plus the bar's borders and, docked, its border
    // lines and gripper, whatever is asked.
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcDestroy();
    LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CZUDPTabWnd* m_pTabWnd = nullptr;  // owned; made by WM_CREATE, deleted after WM_NCDESTROY
    BOOL m_bInPlacement = FALSE;       // the row is being made taller for the bar
};
