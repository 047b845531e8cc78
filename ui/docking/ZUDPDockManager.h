#pragma once
// CZUDPDockManager: the docking state of one library frame.  The frame
// hands it every dockable window of its own: the dock bars along its edges,
// the docked bars and panes (its bar list, in layout order).  The manager
// answers which bar lies under a point and which dock bar serves a side,
// docks a bar at the frame's default place, and lays the dock bars out
// along the frame's edges, leaving the rest of the client area to the view.
// CZUDPTabbedControlBar is the tabbed docking pane.
//
// This version has what the panes ask of it (registering, finding,
// docking at the site, the layout of the dock bars), the library-wide
// docking mode and the re-applying of the visual manager's tab look to
// every tabbed pane (which has no panes to visit yet); the docking
// subsystem completes it (floating frames, hit tests of the frame's edges,
// the bars menu, saved layouts).
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "framework/List.h"

class CFrameWnd;
class CZUDPDockBar;

// The smart-docking guides shown while a pane is dragged over a frame.
// This version shows none.
class CZUDPSmartDockingManager : public CObject {
    DECLARE_DYNAMIC(CZUDPSmartDockingManager)
public:
    CZUDPSmartDockingManager() = default;
    // Hides the guides when a drag ends.
    virtual void HideGuides() {}
};

class CZUDPDockManager : public CObject {
    DECLARE_DYNAMIC(CZUDPDockManager)
public:
    CZUDPDockManager() = default;
    ~CZUDPDockManager() override;
    CZUDPDockManager(const CZUDPDockManager&) = delete;
    CZUDPDockManager& operator=(const CZUDPDockManager&) = delete;

    // Binds the manager to its frame; TRUE.
    BOOL Create(CFrameWnd* pFrame);
    CFrameWnd* GetFrame() const { return m_pFrame; }

    // --- the bar list (the windows are never owned)
    // Lists a bar (at the tail, or before the first bar that can detach,
    // or at the head) and makes the frame its dock site; FALSE for a bar
    // already listed.
    BOOL RegisterBar(CZUDPBaseControlBar* pBar, BOOL bTail = TRUE, BOOL bAutoHide = FALSE,
                     BOOL bInsertBeforeFirstDetachable = FALSE);
    // Lists a bar right after (or before) a listed target; FALSE for a bar
    // already listed or a target that is not.
    BOOL InsertBarBeside(CZUDPBaseControlBar* pBar, CZUDPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    // Takes a bar off the list (a replacement takes its place), destroying
    // its window when asked and laying the frame out again when asked.
    void UnregisterBar(CZUDPBaseControlBar* pBar, BOOL bDestroy = FALSE, BOOL bRecalcLayout = FALSE,
                       BOOL bAutoHide = FALSE, CZUDPBaseControlBar* pBarReplacement = nullptr);
    const CObList& GetBarList() const { return m_lstBars; }

    // --- finding
    // The first listed bar (of the class, visible when asked, not the one
    // to ignore) whose window, grown by the sensitivity unless an exact
    // hit is asked, contains the screen point; null when none.
    virtual CZUDPBaseControlBar* FindBarAtPoint(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                CRuntimeClass* pRTCBarType, BOOL bVisibleOnly = FALSE,
                                                const CZUDPBaseControlBar* pBarToIgnore = nullptr) const;
    // The first dock bar of the list (from the head or the tail) whose
    // docked side is the alignment's side; null when none.
    virtual CZUDPDockBar* FindDockBarForSide(DWORD dwAlignment, BOOL bFromHead = TRUE) const;
    // Whether a screen point lies near an edge of the frame at which bars
    // may dock, and which.  No frame edge accepts docking yet (the sides
    // are enabled by the docking subsystem): FALSE.
    BOOL HitTestDockEdge(CPoint pt, int nSensitivity, DWORD& dwAlignment, BOOL& bOuter) const;

    // --- docking
    // Docks a bar that is not resizable (a toolbar) into the first listed
    // dock bar with the id (any when 0) that it may dock at and that
    // accepts it, at the rectangle (screen) or its recent place.  A bar
    // that can neither dock nor float is only listed.
    void DockBarAtSite(CZUDPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);

    // --- layout
    // Places the visible dock bars along the frame's edges in list order,
    // each as thick as its rows, and keeps what is left as the client
    // area (frame client coordinates).  Moves join the batch when given;
    // the handle to go on with is answered.
    virtual HDWP LayoutDockedBars(HDWP hdwp = nullptr);
    const CRect& GetClientAreaRect() const { return m_rectClient; }

    // --- the bars menu
    // Shows the frame's list of bars at a screen point when the bars menu
    // is enabled (it is not by default); FALSE when nothing was shown.
    virtual BOOL ShowBarsContextMenu(CPoint pt);
    BOOL IsBarsMenuEnabled() const { return m_bBarsMenuEnabled; }

    // The smart-docking guides of the frame, or null (none yet).
    CZUDPSmartDockingManager* GetSmartDockingManager() const { return m_pSmartDockingManager; }

    // The library-wide docking mode (ZUDP_DOCK_IMMEDIATE or
    // ZUDP_DOCK_OUTLINE; 2 at start-up); mode 128 (smart docking) is
    // stored as 129 together with the smart-docking variant.
    static void SetGlobalDockMode(DWORD dwDockMode, int nSmartDockingVariant = 0);
    static DWORD GetGlobalDockMode() { return s_dwDockMode; }
    static int GetSmartDockingVariant() { return s_nSmartDockingVariant; }

protected:
    CFrameWnd* m_pFrame = nullptr;
    CObList m_lstBars;
    CObList m_lstAutoHideBars;
    CRect m_rectClient;
    CRect m_rectOuterEdge;
    BOOL m_bInLayout = FALSE;
    BOOL m_bBarsMenuEnabled = FALSE;
    CZUDPSmartDockingManager* m_pSmartDockingManager = nullptr;

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
