#pragma once
// The dock manager of a frame and the tabbed docking pane.  This version
// holds what the visual manager calls when it is replaced: the library-wide
// docking mode (stored for the dock managers to read) and the re-applying
// of the manager's tab look to every tabbed pane, which has no panes to
// visit yet.  The docking subsystem completes both.
#include "ui/docking/ZUDPBaseTabbedBar.h"

class CZUDPDockManager : public CObject {
    DECLARE_DYNAMIC(CZUDPDockManager)
public:
    CZUDPDockManager() = default;

    // Stores the library-wide docking mode; mode 128 (smart docking) is
    // stored as 129 together with the smart-docking variant.
    static void SetGlobalDockMode(DWORD dwDockMode, int nSmartDockingVariant = 0);
    static DWORD GetGlobalDockMode() { return s_dwDockMode; }
    static int GetSmartDockingVariant() { return s_nSmartDockingVariant; }

private:
    static DWORD s_dwDockMode;
    static int s_nSmartDockingVariant;
};

class CZUDPTabbedControlBar : public CZUDPBaseTabbedBar {
    DECLARE_SERIAL(CZUDPTabbedControlBar)
public:
    CZUDPTabbedControlBar() = default;

    // Re-applies the current visual manager's tab style, flat frame,
    // automatic colours and tab colours to every tabbed pane's tab window.
    static void ApplyVisualManagerToAll();
};
