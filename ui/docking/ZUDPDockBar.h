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
//
// This version docks, removes, shows, hides and moves bars within rows;
// the docking subsystem completes it (moving bars between rows, swapping
// rows, sharing a row's length between its bars).
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
    // Takes a bar out of the dock bar and its row.
    virtual void RemoveControlBar(CZUDPBaseControlBar* pBar, BOOL bUnused = FALSE);
    // A docked bar is dragged by (dx, dy): it floats when its hit test
    // says it left the dock bar (TRUE), else it moves along its row.
    virtual BOOL MoveControlBar(CZUDPControlBar* pBar, UINT nFlags, int dx, int dy);
    // Changes a row's thickness; the rows after it shift.  The change is
    // answered (0 for a hidden row).
    virtual int ResizeRowBy(CZUDPDockBarRow* pRow, int nDelta);
    // Every row refreshes its bars' virtual rectangles.
    virtual void SyncAllRows();
    // The row that holds the bar shows or hides it; FALSE when none does.
    virtual BOOL ShowControlBar(CZUDPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    // The first docked bar whose window contains the screen point.
    virtual CZUDPBaseControlBar* ControlBarFromPoint(CPoint pt) const;
    // The parent frame lays itself out again (without notification).
    virtual void RecalcFrameLayout();
    virtual UINT GetDockBarID() const { return m_nDockBarID; }
    // Creates the dock bar along a side of the frame (hidden, no
    // thickness yet); its id follows the side (AFX_IDW_DOCKBAR_*).
    virtual BOOL Create(DWORD dwAlignment, const RECT& rect, CFrameWnd* pParentWnd, DWORD dwControlBarStyle,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwAlignment, const RECT& rect, CFrameWnd* pParentWnd,
                          DWORD dwControlBarStyle, CCreateContext* pContext = nullptr);

    // Rows.  A new row starts after the visible rows before the position
    // (null: at the end); the dock bar grows by its height.
    CZUDPDockBarRow* InsertRowBefore(POSITION pos, int nHeight);
    void RemoveRow(CZUDPDockBarRow* pRow);
    // Gives a row a new thickness (not below what its bars need) and
    // grows the dock bar by the change, which is answered.
    int ResizeRow(CZUDPDockBarRow* pRow, int nNewHeight, BOOL bRecalcLayout = TRUE);
    // The window grows (shrinks for a negative delta) on its free side.
    void GrowBy(int nDelta, BOOL bRecalcLayout);
    void ShowRow(CZUDPDockBarRow* pRow, BOOL bShow, BOOL bRecalcLayout);
    // Zero-based index of a row (0 when it is not one of ours).
    int IndexOfRow(const CZUDPDockBarRow* pRow) const;
    CZUDPDockBarRow* RowOfBar(const CZUDPBaseControlBar* pBar) const;
    // The visible row whose rectangle contains the screen point; without
    // one, bBefore tells whether the point lies before the dock bar.
    CZUDPDockBarRow* FindRowAtPoint(CPoint pt, BOOL& bBefore) const;
    CZUDPDockBarRow* GetRow(int nIndex) const;
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

// A bar across the top of a frame that shows a caption or a message.
class CZUDPCaptionBar : public CZUDPControlBar {
    DECLARE_DYNAMIC(CZUDPCaptionBar)
public:
    CZUDPCaptionBar() = default;

    BOOL IsMessageBarMode() const { return m_bMessageBarMode; }

    BOOL m_bMessageBarMode = FALSE;            // shows a message (with a button) instead of a caption
    COLORREF m_clrBarBackground = (COLORREF)-1; // own background colour (-1: none)
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

    BOOL m_bEdge = FALSE;  // draws a line along the edge that faces the client area
};
