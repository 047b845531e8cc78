#pragma once
// CZUDPBaseControlBar: the base of everything that takes part in a frame's
// docking layout: control bars (toolbars, the menu bar, docking panes),
// dock bars and sliders.  It keeps the bar style word (CBRS_ bits: docked
// side, borders, gripper), the library's own capability word (may float,
// auto-hide, dock, close), the sides the pane may dock at and its docking
// mode; the links to the frame that owns the docking layout (the dock
// site), to the dock bar and the row that hold the pane; a visibility read
// back from saved state; and optional creation from a dialog template.
//
// The pane reaches the frame-level docking services (registering, finding
// a bar at a point, docking at the site) through the dock manager of its
// dock-site frame, whatever kind of library frame that is.  Commands and
// notifications from the pane's controls that the pane does not handle go
// on to its owner.
//
// The virtual operations below keep their order: derived bars override
// them by name.
#include "ui/commandbars/ZUDPWnd.h"
#include "framework/win/BarStyles.h"

class CDC;
class CFrameWnd;
class CZUDPDockBar;
class CZUDPDockBarRow;
class CZUDPDockManager;
class CZUDPMiniFrameWnd;
class CZUDPBaseTabWnd;
class CZUDPBaseTabbedBar;
struct CCreateContext;

// The library's capability bits of a pane (the control-bar style word,
// kept apart from the CBRS_ bar style).
#define ZUDP_CBRS_FLOAT 0x0001     // may float
#define ZUDP_CBRS_AUTOHIDE 0x0002  // may be auto-hidden
#define ZUDP_CBRS_DOCK 0x0004      // may be docked
#define ZUDP_CBRS_CLOSE 0x0008     // may be closed

// Docking modes: how a pane follows the mouse while dragged.
#define ZUDP_DOCK_IMMEDIATE 0x0001  // the pane itself moves
#define ZUDP_DOCK_OUTLINE 0x0002    // an outline moves; the pane follows on release

// How a docking or floating operation was started.
enum ZUDPDockMethod {
    ZUDP_DM_MENU = 0,        // a menu command or code without a position to keep
    ZUDP_DM_MOUSE = 1,       // a mouse drag
    ZUDP_DM_DBLCLICK = 2,    // a double click: back to the recent place
    ZUDP_DM_RESTORE = 3,     // a loaded layout being re-applied
    ZUDP_DM_RECT = 4,        // at a given rectangle
    ZUDP_DM_OUTLINE_END = 5, // the end of an outline drag: float at its rectangle
};

// Set once a pane of the process has found a dialog (or a desktop
// application bar) as its parent while it had no dock site: the frame
// operations of panes without a dock site then answer as a dialog's.
extern BOOL g_barsHostedInDialog;

class CZUDPBaseControlBar : public CZUDPWnd {
    DECLARE_DYNAMIC(CZUDPBaseControlBar)
public:
    CZUDPBaseControlBar() = default;

    // --- 1-13: what the pane is and where it may go
    // The docked side is horizontal (top or bottom).
    virtual BOOL IsHorizontal() const;
    // FALSE while the pane floats alone in a floating frame; TRUE
    // otherwise (also in a floating frame that holds several panes).
    virtual BOOL IsDocked() const;
    // The parent is a tab window.
    virtual BOOL IsTabbed() const;
    virtual BOOL IsFloating() const { return !IsDocked(); }
    // The pane is shown as an MDI tabbed document.
    virtual BOOL IsTabbedDocument() const { return m_bTabbedDocument; }
    virtual BOOL IsResizable() const { return TRUE; }
    // See ZUDPBaseControlBar.cpp.
    virtual BOOL IsBarVisible() const;
    virtual BOOL CanDetach() const { return CanFloat(); }
    // Whether the pane takes another pane into itself (dock bars do).
    virtual BOOL CanAcceptBar(const CZUDPBaseControlBar* pBar) const;
    // Whether the pane may dock in a dock bar.
    virtual BOOL CanDockAt(CZUDPBaseControlBar* pDockBar) const;
    virtual BOOL IsDockingPane() const { return FALSE; }
    virtual BOOL CanBeTabbedDocument() const { return FALSE; }
    // The CBRS_ALIGN_ part of the bar style.
    virtual DWORD GetDockedSide() const { return m_dwStyle & CBRS_ALIGN_ANY; }

    // --- 14-31: links, saved state and capabilities
    virtual DWORD GetDockableSides() const { return m_dwDockableSides; }
    // The frame (or dialog) that owns the docking layout, or null.
    virtual CWnd* GetDockSiteFrame() const;
    virtual CZUDPDockBar* GetParentDockBar() const { return m_pParentDockBar; }
    virtual int GetCaptionHeight() const { return 0; }
    virtual BOOL IsInMultiMiniFrame() const { return FALSE; }
    virtual BOOL GetSavedVisibility() const { return m_bSavedVisibility; }
    virtual BOOL IsRestoredFromRegistry() const { return m_bRestoredFromRegistry; }
    virtual void SetRestoredFromRegistry(BOOL bFlag) { m_bRestoredFromRegistry = bFlag; }
    // The pane's own docking mode, or the library-wide one when it has none.
    virtual DWORD GetDockingMode() const;
    virtual HICON GetBarIcon(BOOL bBigIcon);
    virtual DWORD GetBarStyle() const { return m_dwStyle; }
    virtual DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    virtual BOOL CanClose() const { return (m_dwControlBarStyle & ZUDP_CBRS_CLOSE) != 0; }
    // See ZUDPBaseControlBar.cpp.
    virtual BOOL CanFloat() const;
    virtual BOOL CanBeDocked() const { return (m_dwControlBarStyle & ZUDP_CBRS_DOCK) != 0; }
    virtual BOOL CanAutoHide() const { return (m_dwControlBarStyle & ZUDP_CBRS_AUTOHIDE) != 0; }
    virtual BOOL CanTakeFocus() const { return TRUE; }
    virtual BOOL IsAutoHidden() const { return FALSE; }

    // --- 32-36: changing the style words
    // Replaces the CBRS_ALIGN_ part of the bar style.
    virtual void SetDockedSide(DWORD dwAlignment);
    virtual void ReplaceBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    virtual void SetControlBarStyle(DWORD dwStyle) { m_dwControlBarStyle = dwStyle; }
    virtual void SetDockableSides(DWORD dwAlignments) { m_dwDockableSides = dwAlignments; }
    virtual void UpdateCaption() {}

    // --- 37-49: docking, floating and layout (control bars do them)
    virtual void ExtensionHook1() {}
    virtual BOOL HandleMouseDrag(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod);
    virtual BOOL FloatBar(CRect rect, int nDockMethod = ZUDP_DM_MENU, BOOL bShow = TRUE);
    // Docks at a side of the frame (docking panes): side, rectangle, dock
    // method, target pane, index, recalculate.
    virtual BOOL DockBar(DWORD dwAlignment, LPCRECT lpRect, int nDockMethod, CZUDPBaseControlBar* pTarget, int nIndex,
                         BOOL bRecalcLayout);
    virtual void ExtensionHook2(BOOL bFlag) { (void)bFlag; }
    virtual CSize CalcFixedSize(int nLength, DWORD dwMode);
    virtual void UpdateLayout() {}
    virtual void RefreshPlacement() {}
    virtual CZUDPMiniFrameWnd* CreateFloatingFrame(CRect rect);
    virtual void ExtensionHook3(BOOL bFlag) { (void)bFlag; }
    // The pane is about to get another parent than its dock bar.
    virtual void LeaveDockBar(CWnd* pNewParent, BOOL bFlag);
    // The pane got a new parent; pOldParent is its former one.
    virtual void RefreshDockBarLink(CWnd* pOldParent);
    // Shows or hides the pane in whatever holds it (see the .cpp).
    virtual void ShowBar(BOOL bShow, BOOL bDelay, BOOL bActivate);

    // --- 50-63
    // The first ancestor that is a floating frame, or null.
    virtual CZUDPMiniFrameWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;
    // The visibility, in the registry: the REG_DWORD value "IsVisible" of
    // the key "<path>ZUDPBaseControlBar-<index>" (index -1: the control
    // id), "...-<index><id in hex>" when an id is given, below the section
    // "ZUDPBaseControlBars" of the profile.  Loading answers FALSE (and
    // changes nothing) without the key; saving answers FALSE when the key
    // cannot be made or the value is not written.
    virtual BOOL LoadBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual BOOL SaveBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1);
    // Moves the pane to a rectangle in its parent's client coordinates:
    // nothing (and the batch handle back) when it is there; deferred in
    // the batch when a handle is given (the handle to go on with is
    // answered), else at once (null answered).
    virtual HDWP MoveBar(CRect rect, BOOL bRepaint, HDWP hdwp);
    // SetWindowPos, or DeferWindowPos in a batch; a batch that cannot take
    // the move has it made at once.
    virtual HDWP SetWindowPosDeferred(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                      HDWP hdwp);
    // Takes over another pane's docking state (see the .cpp).
    virtual void CopyBaseState(const CZUDPBaseControlBar* pOther);
    virtual void OnHideBar(BOOL bNoRecalc) { (void)bNoRecalc; }
    virtual void UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    // Asks the frame (ZUDTOOLBAR_POPUPMENU) whether the bars menu may show
    // at a screen point, and has the dock manager show it; TRUE when the
    // frame agreed.
    virtual BOOL ShowContextMenu(CWnd* pFrame, int x, int y);
    virtual BOOL HidesInPrintPreview() const { return TRUE; }
    // Creates the window (from the dialog template when one is set, see
    // SetDialogTemplate) with the bar style taken from dwStyle; FALSE
    // when it cannot be made.
    virtual BOOL CreateBar(DWORD dwStyleEx, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle,
                           CCreateContext* pContext = nullptr);
    // 0x7FFF along the stretched direction, 0 across it.
    virtual CSize CalcStretchSize(BOOL bStretch, BOOL bHorz);
    // Paints the pane (background through the visual manager); WM_PAINT
    // and WM_PRINTCLIENT both come here.
    virtual void PaintBar(CDC* pDC);
    // The frame that holds the pane lays it out again: the floating frame
    // re-places it, else the dock-site frame recalculates its layout.
    virtual void RecalcParentLayout(BOOL bNotify = FALSE);

    // --- frame-level docking, through the dock manager of the dock site
    BOOL RegisterBarWithSite(CZUDPBaseControlBar* pBar);
    CZUDPBaseControlBar* FindBarAtPointInSite(CPoint pt, int nSensitivity, BOOL bExactBar,
                                              CRuntimeClass* pRTCBarType) const;
    // Docks this pane at the default place of its site (bUseDockSite) or
    // of its enclosing frame.
    void DockToSite(BOOL bUseDockSite = TRUE);
    BOOL InsertBarBesideInSite(CZUDPBaseControlBar* pBar, CZUDPBaseControlBar* pTarget, BOOL bAfter);
    BOOL HitTestSiteDockEdge(CPoint pt, int nSensitivity, DWORD& dwAlignment, BOOL& bOuter);
    void UnregisterBarFromSite(CZUDPBaseControlBar* pBar, BOOL bDestroy = FALSE, BOOL bAdjustLayout = FALSE,
                               BOOL bAutoHide = FALSE, CZUDPBaseControlBar* pBarReplacement = nullptr);
    // The dock manager of the dock site, or null when the site is no
    // library frame.
    CZUDPDockManager* GetSiteDockManager() const;

    // The tab window that holds the pane (a wrapper stands for the pane),
    // or null; phWndTab gets the window whose parent it is.
    CZUDPBaseTabWnd* GetContainerTabWnd(HWND& hWndTab) const;
    // The tabbed bar whose tab window holds the pane (tabbed panes only).
    CZUDPBaseTabbedBar* GetParentTabbedBar() const;

    // The pane is made from a dialog template (a resource name or id): its
    // controls come from the template, its dialog-init data fills them.
    void SetDialogTemplate(LPCTSTR lpszTemplateName) { m_lpszTemplateName = lpszTemplateName; }
    CSize GetTemplateSize() const { return m_sizeTemplate; }
    // The registry key of a bar's saved state: "<path><key name>-<index>"
    // with the section path of the profile, or "...-<index><id in hex>"
    // when an id is given; index -1 stands for the control id.  Empty
    // when the profile gives no path.
    static CString FormatStateKey(LPCTSTR lpszSection, LPCTSTR lpszKeyName, LPCTSTR lpszProfileName, int nIndex,
                                  UINT uiID, UINT uiControlId);

    // Set when the pane was created with a dialog as its parent.
    BOOL IsInDialog() const { return m_bInDialog; }
    void SetDockingMode(DWORD dwMode) { m_dwDockingMode = dwMode; }
    void SetDockSiteFrame(CWnd* pDockSite) { m_pDockSite = pDockSite; }
    void SetParentDockBar(CZUDPDockBar* pDockBar) { m_pParentDockBar = pDockBar; }
    CZUDPDockBarRow* GetDockBarRow() const { return m_pDockBarRow; }
    void SetDockBarRow(CZUDPDockBarRow* pRow) { m_pDockBarRow = pRow; }
    // The pane's rectangle as its dock bar row keeps it during a layout.
    CRect& LayoutRect() { return m_rectLayout; }
    void SetTabbedDocument(BOOL bTabbed) { m_bTabbedDocument = bTabbed; }

    // Storing: the docked side and the visibility (two 32-bit values).
    // Loading: the stored side replaces the docked side; the visibility
    // becomes the saved visibility.
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    BOOL m_bInDialog = FALSE;

protected:
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    void OnSize(UINT nType, int cx, int cy);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwKeptStyle = 0;          // of the window style, only WS_VISIBLE is kept
    DWORD m_dwDockableSides = 0;      // CBRS_ALIGN_ bits
    DWORD m_dwStyle = 0;              // the bar style (CBRS_ bits)
    DWORD m_dwControlBarStyle = 0;    // ZUDP_CBRS_ bits
    BOOL m_bSavedVisibility = FALSE;
    BOOL m_bRestoredFromRegistry = FALSE;
    CZUDPDockBar* m_pParentDockBar = nullptr;
    CZUDPDockBarRow* m_pDockBarRow = nullptr;
    CWnd* m_pDockSite = nullptr;
    DWORD m_dwDockingMode = 0;        // 0: the library-wide mode
    BOOL m_bRegisterOption = TRUE;
    CRect m_rectLayout;
    BOOL m_bTabbedDocument = FALSE;
    LPCTSTR m_lpszTemplateName = nullptr;
    CSize m_sizeTemplate;
};
