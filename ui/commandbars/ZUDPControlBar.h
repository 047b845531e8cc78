#pragma once
// CZUDPControlBar: the dockable pane, base of the library's toolbars, the
// menu bar, docking panes and the other panes that sit in dock-bar rows or
// float in a floating frame.
//
// Geometry: a bar keeps borders inside its window (and a gripper while it
// is docked with CBRS_GRIPPER), a minimum size, and its virtual rectangle:
// the rectangle it would take at its full size, in its parent's client
// coordinates.  A row shrinks bars below it and lets them grow back towards
// it (StretchBar).
//
// Dragging: a press on a bar that may float starts a drag that holds the
// mouse.  In immediate mode (toolbars) the bar itself moves along its row
// and floats once it leaves its dock bar; the floating frame then follows
// the mouse, and docks the bar again when it reaches a dock bar.  In
// outline mode an outline follows the mouse and the bar floats there on
// release.  A double click floats a docked bar at its recent floating
// rectangle; Escape ends a drag where it is.
//
// The bar remembers where it was docked and floating last (its recent-dock
// record) and saves that, with its visibility, in the registry.  Its pane
// menu (right click) floats, docks, hides or auto-hides it.
#include "ui/commandbars/ZUDPBaseControlBar.h"
#include "ui/docking/ZUDPDragFrameImpl.h"
#include "ui/docking/ZUDPRecentDockInfo.h"

class CMenu;
class CZUDPDockBar;
class CZUDPDockManager;

// The pane menu's commands.
#define ZUDP_IDM_FLOATING ((UINT)-102)
#define ZUDP_IDM_DOCKING ((UINT)-103)
#define ZUDP_IDM_AUTOHIDE ((UINT)-104)
#define ZUDP_IDM_HIDE ((UINT)-105)
#define ZUDP_IDM_TABBED_DOCUMENT ((UINT)-106)

class CZUDPControlBar : public CZUDPBaseControlBar {
    DECLARE_DYNCREATE(CZUDPControlBar)
public:
    CZUDPControlBar();
    ~CZUDPControlBar() override;

    // --- 1-13: size, row and name
    virtual BOOL IsDragModeOn() const { return m_nDragMode != 0; }
    virtual void GetMinSize(CSize& size) const { size = m_sizeMin; }
    virtual int GetLayoutMetric() const { return 10; }
    virtual int GetLayoutHint() const { return -1; }
    // How much longer the bar can get before it reaches its virtual
    // rectangle's length (0 when it is there).
    virtual int GetAvailableExpandSize() const;
    // How much shorter it can get before it reaches its minimum length.
    virtual int GetAvailableShrinkSize() const;
    virtual BOOL AllowsSiblingBarsInRow() const { return !m_bOwnRow; }
    // Takes over another bar's state: the pane base's, the three flags,
    // the minimum size and the recent places.
    virtual void CopyStateFrom(const CZUDPControlBar* pOther);
    virtual BOOL IsShownInBarsMenu() const { return TRUE; }
    // The window text.
    virtual void GetBarName(CString& strName) const;
    virtual void SetShowActivateFlag(BOOL bFlag) { m_bShowActivate = bFlag; }
    virtual void SetOwnRowMode(BOOL bOwnRow) { m_bOwnRow = bOwnRow; }
    virtual BOOL GetOwnRowMode() const { return m_bOwnRow; }

    // --- 14-24: docking and dragging
    // Becomes a bar of the dock bar (parent, borders, docked side).
    virtual void AttachToDockBar(CZUDPDockBar* pDockBar, int nDockMethod);
    // Docks in the dock bar at no particular rectangle, as a mouse drag
    // does; TRUE when it docked.
    virtual BOOL DockByAlignment(CZUDPDockBar* pDockBar);
    virtual CSize CalcSize(BOOL bVertDock);
    // Moves the bar to a screen rectangle kept at least at the minimum
    // size (unless bKeepAsIs); sizeChange gets the change of its size.
    virtual void AdjustRectToMinSize(CSize& sizeChange, CRect rect, BOOL bKeepAsIs);
    // Grows (positive delta, at most to the virtual rectangle's length) or
    // shrinks (at most to the minimum length) the bar along its docked
    // direction; answers the change made.
    virtual int StretchBar(int nDelta, HDWP hdwp);
    // The bar or pane a drag would dock at: the bar itself here (docking
    // panes answer what is under the cursor); bHandled FALSE.
    virtual CZUDPBaseControlBar* FindDockTarget(BOOL& bHandled);
    // Whether the bar should change between docked and floating now (for
    // a floating bar: dock into pDockBar, the dock bar under the cursor).
    virtual BOOL HitTestDockSite(int nSensitivity, CZUDPDockBar*& pDockBar);
    // Docks at the recent place (a bar that was floating only shows or
    // hides itself as it was saved).
    virtual void DockToRecentPosition(CZUDPDockManager* pDockManager);
    // Ends a drag: releases the mouse and refreshes the recent place.
    virtual void FinishDrag();
    virtual BOOL AllowFloating(CRect& rect, int nDockMethod) { (void)rect; (void)nDockMethod; return TRUE; }
    // The bar now floats: docked side top, the frame takes its pin state.
    virtual void OnFloated();

    // --- 25-46
    virtual BOOL CreatePane(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                            DWORD dwControlBarStyle = ZUDP_CBRS_FLOAT, CCreateContext* pContext = nullptr);
    // Creates the bar's window (class "ZUDPControlBar..." unless one is
    // named), seeds the recent places from the creation rectangle and
    // makes the parent its owner; FALSE when the window cannot be made.
    virtual BOOL CreatePaneEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect,
                              CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle = ZUDP_CBRS_FLOAT,
                              CCreateContext* pContext = nullptr);
    // The size change a rectangle asks of the bar, each side at least the
    // minimum size.
    virtual void GetResizeDelta(CSize& sizeDelta, CRect rect) const;
    // Takes the size its content asks for; a docked bar then refreshes its
    // virtual rectangle and, with bNotify, its row and frame lay out again.
    virtual void RecalcSizeInParent(BOOL bNotify);
    virtual void ToggleAutoHide() {}
    // The close button: a floating bar hides with its frame.
    virtual void OnPressCloseButton();
    virtual void ToggleTabbedDocument(BOOL bFlag) { (void)bFlag; }
    // The pane menu at a screen point; FALSE when none is shown.
    virtual BOOL ShowDockingMenu(CPoint pt);
    // Hooks around the pane menu: FALSE vetoes it / the chosen command.
    virtual BOOL OnBeforeDockingMenu(CMenu* pMenu) { (void)pMenu; return TRUE; }
    virtual BOOL OnDockingMenuCommand(UINT nCommand) { (void)nCommand; return TRUE; }
    virtual BOOL EnterDragModeDefault() { return EnterDragMode(FALSE); }
    virtual void DrawDragRect(LPCRECT lpRectNew, LPCRECT lpRectOld) { (void)lpRectNew; (void)lpRectOld; }
    virtual BOOL PrepareDrag(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod);
    virtual void OnAfterDock(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod)
    {
        (void)pTarget;
        (void)lpRect;
        (void)nDockMethod;
    }
    virtual void AdjustStretchRect(int& nDelta, CRect& rect) { (void)nDelta; (void)rect; }
    virtual void RedrawOnResize(int nDelta) { (void)nDelta; }
    // Gives the bar another parent (leaving its dock bar or floating
    // frame first).
    virtual void MoveToParent(CWnd* pNewParent, int nDockMethod);
    virtual void SetDragModeOn(BOOL bOn) { m_nDragMode = bOn; }
    // Docks into a target (a dock bar); FALSE when either side refuses.
    virtual BOOL DockToTarget(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod);
    // Starts a drag (the mouse is captured); FALSE for a bar that is not
    // docked.
    virtual BOOL EnterDragMode(BOOL bStoreCursor);
    virtual void SetMirrored(BOOL bMirrored);
    // The present dock bar, row and row index, and the docked rectangle.
    virtual void StoreRecentDockInfo();

    // --- overrides of the pane base
    BOOL IsTabbed() const override;
    BOOL IsResizable() const override { return FALSE; }
    BOOL CanDockAt(CZUDPBaseControlBar* pDockBar) const override;
    BOOL CanBeTabbedDocument() const override;
    BOOL HandleMouseDrag(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod) override;
    BOOL FloatBar(CRect rect, int nDockMethod = ZUDP_DM_MENU, BOOL bShow = TRUE) override;
    void RefreshPlacement() override;
    CZUDPMiniFrameWnd* CreateFloatingFrame(CRect rect) override;
    void LeaveDockBar(CWnd* pNewParent, BOOL bFlag) override;
    void RefreshDockBarLink(CWnd* pOldParent) override;
    // The recent places as well, in "<path>ZUDPControlBar-<index>[<id>]"
    // below the section "ZUDControlBars": "ID", "RectRecentFloat",
    // "RectRecentDocked", "RecentFrameAlignment", "RecentRowIndex",
    // "IsFloating", "MRUWidth", "PinState".  Values read back are checked:
    // a different "ID" never changes the bar's id, the alignment must be
    // one side, the row index not negative, rectangles neither empty,
    // inverted nor off every screen; a value that fails is ignored.
    BOOL LoadBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void OnHideBar(BOOL bNoRecalc) override;

    // --- geometry
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    // Shrinks a rectangle by the bar's borders, its border lines while
    // docked and its gripper (7 pixels: left of a horizontal bar, right of
    // a right-to-left one, above a vertical one).
    void DeflateRectByBorders(CRect& rect, BOOL bHorz) const;
    // The virtual rectangle: the window's top-left corner at the full size
    // (CalcStretchSize), or at a given size, in parent coordinates.
    void UpdateVirtualRect();
    void UpdateVirtualRect(CSize sizeNew);
    // Moves the virtual rectangle (dx mirrored in a right-to-left parent).
    void OffsetVirtualRect(int dx, int dy);
    const CRect& GetVirtualRect() const { return m_rectVirtual; }
    void GetVirtualRectOnScreen(CRect& rect) const;
    // The rectangle lies left of (above) the bar in its dock bar.
    BOOL IsLeftOrAboveBar(CRect rect, BOOL bScreen) const;
    // Moves the bar across the rows by the offset, with its virtual
    // rectangle.
    void ShiftWithRow(DWORD dwRowAlignment, int nOffset);
    // The window rectangle becomes the recent docked rectangle (dock-bar
    // client coordinates, or the dock site's without a dock bar).
    void StoreRecentDockedRect();

    CZUDPRecentDockInfo& GetRecentDockInfo() { return m_recentDockInfo; }
    const CZUDPRecentDockInfo& GetRecentDockInfo() const { return m_recentDockInfo; }
    CZUDPDragFrameImpl& GetDragFrame() { return m_dragFrameImpl; }
    UINT GetControlId() const { return m_nControlId; }
    BOOL IsDragging() const { return m_bDragging; }
    // Where the drag grabbed the bar (client coordinates).
    CPoint GetDragStartPoint() const { return m_ptDragStart; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    int GetPinState() const { return m_nPinState; }
    const CRect& GetRecentDockedRect() const { return m_rectRecentDocked; }
    BOOL WasFloatingWhenSaved() const { return m_bRecentFloating; }
    void SetMinSize(CSize size) { m_sizeMin = size; }
    void SetFloatingFrameClass(CRuntimeClass* pClass) { m_pFloatingFrameClass = pClass; }

    BOOL m_bGroupStart = TRUE;    // the bar opens a group of bars in its row
    BOOL m_bGroupEnd = TRUE;      // the bar closes such a group
    BOOL m_bShowActivate = TRUE;  // activate argument when leaving auto-hide mode

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    void OnDestroy();
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()

    // Ends a drag where it is (Escape, cancel mode).
    void CancelDrag();
    // The frame for the bars menu of a right click.
    CWnd* FindContextMenuFrame() const;

    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_nMRUWidth = 0x7FFF;
    CRect m_rectVirtual;
    CRect m_rectDragStart;        // the window rectangle when the drag began (screen)
    BYTE m_bDragging = FALSE;
    UINT m_nControlId = 0;
    CPoint m_ptDragStart;         // client coordinates
    BYTE m_bDragFinished = FALSE; // the button-up after FinishDrag is not passed on
    int m_nDragMode = 0;
    CRuntimeClass* m_pFloatingFrameClass;
    CZUDPDragFrameImpl m_dragFrameImpl;
    CSize m_sizeMin = CSize(1, 1);
    BOOL m_bOwnRow = FALSE;
    int m_nPinState = 0;
    CZUDPRecentDockInfo m_recentDockInfo;
    CRect m_rectRecentDocked;     // as read from "RectRecentDocked"
    BOOL m_bRecentFloating = FALSE;
};
