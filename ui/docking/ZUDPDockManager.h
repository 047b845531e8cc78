#pragma once
// CZUDPDockManager: the docking state of one library frame.  The frame
// hands it every dockable window of its own: the dock bars along its edges,
// the auto-hide dock bars, the docked bars and panes, sliders and rebars
// (its bar list, in layout order), the sliders of auto-hidden panes and
// the floating frames.  The manager answers which bar has an id, which
// dock bar serves a side, which bar or floating frame lies under a point;
// lays the docked windows out around the client area (the rest is left to
// the view); hit-tests the frame's edges while a bar is dragged; and does
// the frame-wide chores: hiding everything for print preview or while an
// OLE server is active in place, hiding floating frames, the bars menu.
// The saved layout (Serialize, SaveState, LoadState, ApplyLoadedState) is
// not kept yet: the loads answer FALSE.
// CZUDPTabbedControlBar is the tabbed docking pane.
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/String.h"

class CFrameWnd;
class CMenu;
class CZUDPDockBar;
class CZUDPAutoHideDockBar;
class CZUDPAutoHideToolBar;
class CZUDPMiniFrameWnd;
class CCmdUI;

// The smart-docking guides shown while a pane is dragged over a frame.
// This version shows none; its marker code (-1: none highlighted; 0-3 the
// side markers left, right, top, bottom; 4-7 the central arrows in the
// same order; 8 the centre) is what the hit tests read.
class CZUDPSmartDockingManager : public CObject {
    DECLARE_DYNAMIC(CZUDPSmartDockingManager)
public:
    CZUDPSmartDockingManager() = default;
    // Hides the guides when a drag ends.
    virtual void HideGuides() { m_bShown = FALSE; }
    BOOL IsStartedAndShown() const { return m_bStarted && m_bShown; }

    BOOL m_bStarted = FALSE;
    BOOL m_bShown = FALSE;
    int m_nMarker = -1;
};

// How the smart-docking guides look: one record for the whole library.
class CZUDPSmartDockingParams : public CObject {
public:
    CZUDPSmartDockingParams() = default;

    int m_nGroupWidth = 93;
    int m_nGroupHeight = 93;
    int m_nGroupMargin = 5;
    COLORREF m_clrTransparent = RGB(255, 0, 255);
    COLORREF m_clrToneSource = (COLORREF)-1;
    COLORREF m_clrToneTarget = (COLORREF)-1;
    UINT m_uiMarkerBmpResID[5] = {};      // left, right, top, bottom, centre
    UINT m_uiMarkerLightBmpResID[5] = {};  // the same, highlighted
    BOOL m_bUseThemeColors = FALSE;
    COLORREF m_clrBaseBackground = (COLORREF)-1;
    COLORREF m_clrBaseBorder = (COLORREF)-1;
    UINT m_uiBaseBackgroundBmpResID = 0;
    BOOL m_bIsAlphaMarkers = FALSE;
};

extern CZUDPSmartDockingParams g_smartDockingParams;

// Library-wide docking values.
extern int g_dockSensitivity;           // pixels within which a point is near a bar or an edge (15)
extern UINT g_dockDelayOverDockBar;     // ms a floating frame waits over a dock bar before it docks (200)
extern UINT g_dockDelay;                // ms it waits anywhere else (220)
extern DWORD g_globalDockMode;          // the docking mode (2: immediate)
extern int g_smartDockingVariant;       // the smart-docking look stored with mode 128
extern CRuntimeClass* g_autoHideToolBarClass;  // made for a new auto-hide strip
extern BOOL g_savingDockLayout;         // TRUE while a dock manager saves its state
extern BOOL g_autoHiddenFollowStrip;    // auto-hidden panes report their strip's visibility

class CZUDPDockManager : public CObject {
    DECLARE_DYNAMIC(CZUDPDockManager)
public:
    CZUDPDockManager() = default;
    ~CZUDPDockManager() override;
    CZUDPDockManager(const CZUDPDockManager&) = delete;
    CZUDPDockManager& operator=(const CZUDPDockManager&) = delete;

    // --- slots, in order
    // The saved layout; not kept yet.
    virtual void Serialize(CArchive& ar);
    // The bar under a screen point (exact hit) that has an edge near it
    // (any side); the side goes to dwAlignment.  Null when none, or when
    // that bar is not of the class.
    virtual CZUDPBaseControlBar* FindDockTargetBar(CPoint pt, int nSensitivity, DWORD& dwAlignment,
                                                   CRuntimeClass* pRTCBarType,
                                                   const CZUDPBaseControlBar* pBarToIgnore) const;
    // The bar under a screen point: a bar of a floating frame there, else
    // the first listed bar (of the class, visible when asked, not the one
    // to ignore) whose window, grown by the sensitivity unless an exact hit
    // is asked, contains the point.  None while a smart-docking side marker
    // is highlighted.
    virtual CZUDPBaseControlBar* FindBarAtPoint(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                CRuntimeClass* pRTCBarType, BOOL bVisibleOnly = FALSE,
                                                const CZUDPBaseControlBar* pBarToIgnore = nullptr) const;
    // The first visible floating frame (not the excluded one; multi-pane
    // frames only when asked) whose window contains the screen point.
    virtual CZUDPMiniFrameWnd* FindMiniFrameAtPoint(CPoint pt, const CWnd* pExclude = nullptr,
                                                    BOOL bMultiOnly = FALSE) const;
    // Where a dragged pane would dock at a screen point: 3 as a tab, 2
    // beside the target or at a frame edge (target null), 0 nowhere.
    virtual int ClassifyDragPoint(CPoint pt, int nSensitivity, DWORD dwAllowedSides,
                                  CZUDPBaseControlBar*& pTarget, const CZUDPBaseControlBar* pBarToIgnore,
                                  CZUDPBaseControlBar* pDraggedPane);
    virtual BOOL RegisterMiniFrame(CZUDPMiniFrameWnd* pFrame);
    virtual BOOL UnregisterMiniFrame(CZUDPMiniFrameWnd* pFrame);
    // The bar with a control id: an auto-hidden pane first, then the bar
    // list (inside tabbed panes, dock bars and rebars too), then, when
    // asked, the floating bars; null when none.
    virtual CZUDPBaseControlBar* LocateBarById(UINT nID, BOOL bSearchMiniFrames = FALSE) const;
    // The first dock bar of the list (from the head or the tail) whose
    // docked side is the alignment's side; null when none.
    virtual CZUDPDockBar* FindDockBarForSide(DWORD dwAlignment, BOOL bFromHead = TRUE) const;
    // The dock bar whose rows hold the bar.
    virtual CZUDPDockBar* FindDockBarOfBar(const CZUDPBaseControlBar* pBar) const;
    // Every dock bar recomputes its rows; then the layout.
    virtual void RefreshDockBars();
    // Every listed window recomputes itself, the floating frames re-fit;
    // then the layout.  Nothing while layouts are held back.
    virtual void RecalcAllBarLayouts(HDWP hdwp = nullptr);
    // Places the visible docked windows around the frame's client area in
    // list order and keeps what is left as the client rect and the area
    // inside the outermost dock bars as the outer edge rect (both frame
    // client coordinates).  Moves join the batch when given; the handle
    // to go on with is answered.
    virtual HDWP LayoutDockedBars(HDWP hdwp = nullptr);
    // A floating frame moved: docks it once its target stayed under the
    // cursor for the dock delay.  TRUE while it keeps floating.
    virtual BOOL TrackMiniFrameMove(CZUDPMiniFrameWnd* pFrame);
    // Every listed window and floating frame redraws its frame.
    virtual void RefreshAllFrames();
    // The saved layout; not kept yet (the load answers FALSE).
    virtual BOOL SaveState(LPCTSTR lpszProfileName, UINT uiID);
    virtual BOOL LoadState(LPCTSTR lpszProfileName, UINT uiID);
    virtual void ApplyLoadedState();
    // Hides (null) or shows again (non-null) the bars with
    // CBRS_HIDE_INPLACE while an OLE server is active in place; 0.
    virtual int ToggleInPlaceHiddenBars(CWnd* pShow);
    // Hides the visible floating frames (only those of toolbars unless the
    // frame is an MDI child) or shows the hidden ones again.
    virtual void ToggleMiniFrames(BOOL bShow);
    // Cuts a rect docked on a side to the maximum share of the client
    // rect; TRUE when the rect is at that limit.
    virtual BOOL LimitBarSize(CRect& rect, DWORD dwAlignment);

    // --- creation and registration
    // Binds the manager to its frame; TRUE.
    BOOL Create(CFrameWnd* pFrame);
    CFrameWnd* GetFrame() const { return m_pFrame; }
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
    // Panes a loaded layout left hidden (listed in the bars menu).
    void AddHiddenBar(CZUDPBaseControlBar* pBar);
    void RemoveHiddenBar(CZUDPBaseControlBar* pBar);
    const CObList& GetBarList() const { return m_lstBars; }
    const CObList& GetAutoHideList() const { return m_lstAutoHideBars; }
    const CObList& GetMiniFrames() const { return m_lstMiniFrames; }

    // --- docking
    // Docks a bar that is not resizable (a toolbar) into the first listed
    // dock bar with the id (any when 0) that it may dock at and that
    // accepts it, at the rectangle (screen) or its recent place; a
    // resizable pane at the side the id names.  A bar that can neither
    // dock nor float is only listed.
    void DockBarAtSite(CZUDPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    // The frame's edges accept docking at these sides (CBRS_ALIGN_*);
    // none by default, and then no edge ever hits.
    void EnableDocking(DWORD dwAlignment) { m_dwEnabledDockSides = dwAlignment & CBRS_ALIGN_ANY; }
    DWORD GetEnabledDockSides() const { return m_dwEnabledDockSides; }
    // Lays bars out in this area (frame client coordinates) instead of
    // the frame's client rectangle; an empty rect ends the override.
    void SetClientAreaOverride(const CRect& rect) { m_rectClientOverride = rect; }

    // --- lookups and services
    // An OLE server is active in place in the frame.
    BOOL IsInPlaceActive() const;
    // Appends the bars of the frame to a list: the bars docked in the dock
    // bars, tab panes when asked, the listed windows, the auto-hidden
    // panes when asked, and the floating bars (of every frame).  The class
    // filter compares classes exactly.
    void CollectBars(CObList& list, BOOL bIncludeAutoHide = FALSE, CRuntimeClass* pRTCFilter = nullptr,
                     BOOL bIncludeTabs = FALSE) const;
    // Brings the listed windows docked at a side (every side for 0) to the
    // top of the Z order, from the tail; with bExcludePanes the bars and
    // sliders at the tail are passed over until another window is met.
    void BringBarsToTop(DWORD dwAlignment = 0, BOOL bExcludePanes = FALSE);
    // Orders the floating frames by their Z order, topmost first.
    void SortMiniFramesByZOrder();
    BOOL SendMessageToMiniFrames(UINT uMessage, WPARAM wParam = 0, LPARAM lParam = 0);
    // Holds back (or lets go) the drawing of the frame and its bars while
    // a docking preview shows.
    void LockLayoutUpdates(BOOL bLock);
    // The frame's drawing is held back (a docking preview shows).
    BOOL IsLayoutUpdateLocked() const { return m_bUpdateLocked; }
    // Hides the bars and floating frames for print preview (once), and
    // shows them again on leaving it.
    void SetPrintPreviewMode(BOOL bPreview, void* pPreviewState = nullptr);
    BOOL IsPrintPreviewValid() const { return m_bHiddenForPreview; }
    // Slides every shown auto-hidden pane (but one) back into its strip.
    void RetractAutoHideBars(CZUDPBaseControlBar* pExcept = nullptr, BOOL bImmediately = FALSE);

    // --- layout helpers and hit tests
    // Places a bar rect against the side of the remaining area (screen
    // coordinates); a resizable bar is cut to the area.
    static void AlignBarRect(const CRect& rectRemaining, CRect& rectBar, DWORD dwAlignment, BOOL bHorz,
                             BOOL bResizable);
    // Whether a screen point lies near an edge of the frame at which bars
    // may dock (the enabled sides), outside the outermost dock bars
    // (bOuter) or at the client rect.
    BOOL HitTestDockEdge(CPoint pt, DWORD& dwAlignment, BOOL& bOuter) const;
    BOOL HitTestDockEdge(CPoint pt, int nSensitivity, DWORD& dwAlignment, BOOL& bOuter) const
    {
        (void)nSensitivity;
        return HitTestDockEdge(pt, dwAlignment, bOuter);
    }
    // The rectangle (screen) a dragged bar or floating frame would take if
    // dropped at the point; empty when it would not dock (or Ctrl is held).
    void CalcDockPreviewRect(CWnd* pDragged, CPoint pt, CRect& rect);
    // The auto-hide strips and the panes that slide out of them.
    CZUDPAutoHideToolBar* CreateAutoHideStrip(CZUDPBaseControlBar* pPane, CZUDPAutoHideToolBar* pStrip);
    void ArrangeAutoHideNeighbours(CZUDPAutoHideDockBar* pDockBar);
    const CRect& GetClientAreaRect() const { return m_rectClient; }
    const CRect& GetOuterEdgeRect() const { return m_rectOuterEdge; }
    void EnableLayout(BOOL bEnable) { m_bLayoutEnabled = bEnable; }
    void SuspendRecalc(BOOL bSuspend) { m_bLayoutSuspended = bSuspend; }

    // --- the bars menu
    // The bars menu (its context menu and command handling) works only
    // once enabled; toolbars only, and a last customize entry when a
    // command is given.
    void EnableBarsMenu(BOOL bEnable, BOOL bToolbarsOnly = FALSE, UINT uiCustomizeCmd = 0,
                        LPCTSTR lpszCustomizeText = nullptr);
    BOOL IsBarsMenuEnabled() const { return m_bBarsMenuEnabled; }
    // Appends the frame's bars to a menu: toolbars, then (unless asked for
    // toolbars only) a separator and the other bars, each once, command
    // id its control id; then the customize entry.
    void BuildBarsMenu(CMenu& menu, BOOL bToolbarsOnly);
    // Shows the bars menu at a screen point; FALSE when nothing was shown.
    virtual BOOL ShowBarsContextMenu(CPoint pt);
    // Handles a command (or its update) of the last bars menu: toggles
    // the bar; FALSE when the command is not one of its entries.
    BOOL OnBarsMenuCommand(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);
    void OnBarsMenuClosed() { m_bBarsMenuShown = FALSE; }
    void OnBarsMenuShown() { m_bBarsMenuShown = TRUE; }

    // The smart-docking guides of the frame, or null (none yet).
    CZUDPSmartDockingManager* GetSmartDockingManager() const { return m_pSmartDockingManager; }
    void SetSmartDockingManager(CZUDPSmartDockingManager* pManager)
    {
        delete m_pSmartDockingManager;
        m_pSmartDockingManager = pManager;
    }

    // The library-wide docking mode (ZUDP_DOCK_IMMEDIATE or
    // ZUDP_DOCK_OUTLINE; 2 at start-up); mode 128 (smart docking) is
    // stored as 129 together with the smart-docking variant.
    static void SetGlobalDockMode(DWORD dwDockMode, int nSmartDockingVariant = 0);
    static DWORD GetGlobalDockMode() { return g_globalDockMode; }
    static int GetSmartDockingVariant() { return g_smartDockingVariant; }

protected:
    // Hides the bars of a list that hide in print preview, and the visible
    // floating frames, remembering them.
    void HideBarsForPreview(const CObList& list);
    // The frame is laid out right to left.
    BOOL IsFrameMirrored() const;
    BOOL IsCtrlHeld() const;
    BOOL GuidesShown() const { return m_pSmartDockingManager != nullptr && m_pSmartDockingManager->IsStartedAndShown(); }

    // Fields, in order.
    BOOL m_bLayoutEnabled = TRUE;
    BOOL m_bUpdateLocked = FALSE;
    BOOL m_bLayoutSuspended = FALSE;
    CRect m_rectClientOverride;
    CObList m_lstBars;
    CObList m_lstAutoHideBars;
    CObList m_lstLoadedBars;
    CObList m_lstLoadedTabbedBars;
    CObList m_lstLoadedMiniFrames;
    CObList m_lstLoadedAutoHideInfo;  // filled with the saved layout
    CObList m_lstMiniFrames;
    CFrameWnd* m_pFrame = nullptr;
    CRect m_rectClient;
    CRect m_rectOuterEdge;
    DWORD m_dwEnabledDockSides = 0;
    CWnd* m_pPendingDockTarget = nullptr;
    CWnd* m_pPendingMultiFrame = nullptr;
    DWORD m_dwDelayStart = 0;           // clock ticks; compared by unsigned difference
    int m_nPendingDockCode = 0;
    BOOL m_bHiddenForPreview = FALSE;
    CList<HWND, HWND> m_lstHiddenForPreview;  // handles: a window may go while the preview runs
    BOOL m_bInLayout = FALSE;
    BOOL m_bInRecalc = FALSE;
    BOOL m_bRestoreDisabled = FALSE;
    CList<HWND, HWND> m_lstHiddenMiniFrames;
    CList<HWND, HWND> m_lstInPlaceHiddenBars;
    CList<HWND, HWND> m_lstRestoredHiddenBars;
    CZUDPSmartDockingManager* m_pSmartDockingManager = nullptr;
    CMap<UINT, UINT, CZUDPBaseControlBar*, CZUDPBaseControlBar*> m_mapBarsMenu;
    BOOL m_bBarsMenuShown = FALSE;
    BOOL m_bBarsMenuEnabled = FALSE;
    BOOL m_bBarsMenuToolbarsOnly = FALSE;
    UINT m_uiCustomizeCmd = 0;
    CString m_strCustomizeText;
    BOOL m_bInPlaceHidden = FALSE;
};

class CZUDPTabbedControlBar : public CZUDPBaseTabbedBar {
    DECLARE_SERIAL(CZUDPTabbedControlBar)
public:
    CZUDPTabbedControlBar() = default;

    // Re-applies the current visual manager's tab style, flat frame,
    // automatic colours and tab colours to every tabbed pane's tab window.
    static void ApplyVisualManagerToAll();
};
