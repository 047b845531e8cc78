#pragma once
// The library's dock bars and the bars docked in frames that the visual
// manager tells apart: the dock bar along a frame edge, the caption bar,
// the dialog bar and the slider between docked panes.  The caption bar,
// dialog bar and slider hold their classes and the fields the drawing
// reads so far; the docking subsystem completes them.
#include "ui/commandbars/ZUDPControlBar.h"
#include "framework/List.h"
#include "framework/win/WinSdk.h"

class CZUDPDockBarRow;

// The strip along one edge of a frame that toolbars (bars that are not
// resizable) dock in.  It keeps the bars docked in it and its rows, each a
// band one bar thick; it grows on its free side as rows come and go, and
// moves a docked bar along its row while the user drags it.  A dock bar
// made with Create deletes itself when its window goes.
class CZUDPDockBar : public CZUDPBaseControlBar {
    DECLARE_DYNAMIC(CZUDPDockBar)
public:
    CZUDPDockBar() = default;
    ~CZUDPDockBar() override;

    BOOL CanDetach() const override { return FALSE; }
    // Only bars that are not resizable (toolbars and the like).
    BOOL CanAcceptBar(const CZUDPBaseControlBar* pBar) const override;
    BOOL SupportsAccessibility() const override { return FALSE; }
    void UpdateLayout() override;
    // The dock bar's window size.
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override;

    // One of the docked bars is being dragged.
    virtual BOOL IsAnyBarDragging() const;
    virtual CZUDPDockBarRow* CreateRow(CZUDPDockBar* pDockBar, int nOffset, int nHeight);
    // Docks a bar in a row chosen by the dock method (the row under the
    // cursor for a mouse drag, the recent row for a double click or a
    // given rectangle, else a new row at the end), at the rectangle
    // (screen coordinates) when one is given; then shows the dock bar.
    virtual void DockControlBar(CZUDPControlBar* pBar, int nDockMethod, LPCRECT lpRect);
    // Docks a bar 10 pixels before a target in the target's row; FALSE
    // when no row holds the target.
    virtual BOOL InsertControlBar(CZUDPControlBar* pBar, CZUDPControlBar* pTarget);
    // Takes a bar out of the dock bar and its row (nothing for a bar it
    // does not hold).
    virtual void RemoveControlBar(CZUDPBaseControlBar* pBar, BOOL bUnused = FALSE);
    // A docked bar is dragged by (dx, dy): it floats when its hit test
    // says it left the dock bar (TRUE); dragged across more than two
    // thirds of its thickness it leaves its row for a new or the next row
    // (or the rows swap); else it moves along its row.
    virtual BOOL MoveControlBar(CZUDPControlBar* pBar, UINT nFlags, int dx, int dy);
    // The rows after a position move by the thickness of the row there
    // (back: only when that row is visible, or when forced).
    virtual void ShiftRowsAfterRow(POSITION pos);
    virtual void ShiftRowsBackAfter(POSITION pos, BOOL bForce);
    // Changes a row's thickness; the rows after it shift.  The change is
    // answered (0 for a hidden row).
    virtual int ResizeRowBy(CZUDPDockBarRow* pRow, int nDelta);
    virtual void OnRowVisibilityChanged(POSITION pos, BOOL bShown);
    virtual void ExtensionHook(int, int, int, int) {}
    // The rows adapt to a new client rectangle (its size changed: their
    // bars squeeze or grow back; same size: they re-lay out).
    virtual void ResizeRowsToRect(const CRect& rectClient);
    // Every row refreshes its bars' virtual rectangles.
    virtual void SyncAllRows();
    // The row that holds the bar shows or hides it; FALSE when none does.
    virtual BOOL ShowControlBar(CZUDPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    // The first docked bar whose window contains the screen point.
    virtual CZUDPBaseControlBar* ControlBarFromPoint(CPoint pt) const;
    // The parent frame lays itself out again (without notification).
    virtual void RecalcFrameLayout();
    virtual UINT GetDockBarID() const { return m_nDockBarID; }
    virtual BOOL MoveToRect(const CWnd* pWndInsertAfter, const CRect& rect, UINT nFlags);
    // Creates the dock bar along a side of the frame (hidden, no
    // thickness yet); its id follows the side (AFX_IDW_DOCKBAR_*).
    virtual BOOL Create(DWORD dwAlignment, const RECT& rect, CFrameWnd* pParentWnd, DWORD dwControlBarStyle,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwAlignment, const RECT& rect, CFrameWnd* pParentWnd,
                          DWORD dwControlBarStyle, CCreateContext* pContext = nullptr);

    // Rows.  A new row starts after the visible rows before the position
    // (null: at the end); the dock bar grows by its height.
    CZUDPDockBarRow* InsertRowBefore(POSITION pos, int nHeight);
    // A new row right after one of ours (null when it is not ours).
    CZUDPDockBarRow* InsertRowAfter(CZUDPDockBarRow* pRow, int nHeight);
    void RemoveRow(CZUDPDockBarRow* pRow);
    // Gives a row a new thickness (not below what its bars need) and
    // grows the dock bar by the change, which is answered.
    int ResizeRow(CZUDPDockBarRow* pRow, int nNewHeight, BOOL bRecalcLayout = TRUE);
    // The window grows (shrinks for a negative delta) on its free side.
    void GrowBy(int nDelta, BOOL bRecalcLayout);
    void ShowRow(CZUDPDockBarRow* pRow, BOOL bShow, BOOL bRecalcLayout);
    // Swaps two neighbouring rows (nothing for others).
    void SwapRows(CZUDPDockBarRow* pRow, CZUDPDockBarRow* pOther);
    // Zero-based index of a row; -1 when it is not one of ours.
    int IndexOfRow(const CZUDPDockBarRow* pRow) const;
    CZUDPDockBarRow* RowOfBar(const CZUDPBaseControlBar* pBar) const;
    // The visible row whose rectangle contains the screen point; without
    // one, bBefore tells whether the point lies before the dock bar.
    CZUDPDockBarRow* FindRowAtPoint(CPoint pt, BOOL& bBefore) const;
    CZUDPDockBarRow* FindRowByRect(const CRect& rectClient) const;
    // The next visible row from a position (the head, or the tail going
    // backwards, for none); the position is left at it.
    CZUDPDockBarRow* GetNextVisibleRow(POSITION& pos, BOOL bForward) const;
    // The docked bar with a control id, or null.
    CZUDPBaseControlBar* FindBarById(UINT nID) const;
    CZUDPDockBarRow* GetRow(int nIndex) const;
    const CObList& GetRows() const { return m_lstRows; }
    int GetRowCount() const { return int(m_lstRows.GetCount()); }
    const CObList& GetControlBars() const { return m_lstControlBars; }

protected:
    void PostNcDestroy() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // The rows after a position move by a row's thickness.
    void ShiftRowsAfter(POSITION pos, int nDelta);

    CObList m_lstControlBars;
    CObList m_lstRows;  // owned
    UINT m_nDockBarID = 0;
    BOOL m_bAutoDelete = FALSE;
};

// A bar made from a dialog template.  With the visual-manager look it
// erases its background through the manager's dialog background, and the
// manager does not paint its children with the bar's background.
class CZUDPDialogBar : public CZUDPControlBar {
    DECLARE_SERIAL(CZUDPDialogBar)
public:
    CZUDPDialogBar() = default;

    BOOL m_bVisualManagerLook = FALSE;
};

// The splitter between docked panes (and between a pane and the client
// area, its edge form).
class CZUDPSlider : public CZUDPBaseControlBar {
    DECLARE_DYNAMIC(CZUDPSlider)
public:
    CZUDPSlider() = default;
    explicit CZUDPSlider(BOOL bEdge) : m_bEdge(bEdge) {}

    BOOL IsEdge() const { return m_bEdge; }
    // The pane the slider carries (the first of its layout), or null.
    CZUDPBaseControlBar* GetCarriedPane() const { return m_pCarriedPane; }
    void SetCarriedPane(CZUDPBaseControlBar* pPane) { m_pCarriedPane = pPane; }
    // Places itself (and, once sliders lay panes out, its panes) at a
    // screen rectangle; the moves join the batch.
    virtual HDWP RepositionFromRect(const CRect& rectScreen, HDWP hdwp);

    BOOL m_bEdge = FALSE;
    CZUDPBaseControlBar* m_pCarriedPane = nullptr;  // draws a line along the edge that faces the client area
};

#include "ui/docking/ZUDPCaptionBar.h"
