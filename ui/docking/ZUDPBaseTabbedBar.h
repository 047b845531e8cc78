#pragma once
// CZUDPBaseTabbedBar: the docking pane that holds other panes as the tabs
// of its tab window.  This version has what the tab windows ask of their
// parent pane: the class they test for and whether the pane's caption
// follows the active tab; the docking subsystem gives it its tab window,
// detaching and the rest.
#include "ui/docking/ZUDPDockingControlBar.h"

class CZUDPBaseTabbedBar : public CZUDPDockingControlBar {
    DECLARE_DYNAMIC(CZUDPBaseTabbedBar)
public:
    CZUDPBaseTabbedBar() = default;

    // The pane's window text is the active tab's label.
    BOOL CaptionFollowsTab() const { return m_bCaptionFollowsTab; }
    void SetCaptionFollowsTab(BOOL bFollow = TRUE) { m_bCaptionFollowsTab = bFollow; }

protected:
    BOOL m_bCaptionFollowsTab = TRUE;
};
