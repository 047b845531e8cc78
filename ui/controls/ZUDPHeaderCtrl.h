#pragma once
// CZUDPHeaderCtrl: the column header of the library's list control, painted
// wholly by the library: the visual manager fills the background, frames
// the items and draws the sort arrows; the header draws each item's image,
// bitmap and text itself.  It keeps the sort state of every column (1
// ascending, -1 descending, none; several columns at once when multi-column
// sort is on) and tracks the item under the mouse and the pressed state.
#include "framework/win/ListCtrl.h"
#include "framework/Map.h"

class CDC;

class CZUDPHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNCREATE(CZUDPHeaderCtrl)
public:
    CZUDPHeaderCtrl();
    ~CZUDPHeaderCtrl() override;

    // Column < 0 removes every sort state (no redraw).  Otherwise every
    // other state is removed first unless bAdd is TRUE and multi-column
    // sort is enabled; then the column's state becomes 1 or -1 and the
    // header is redrawn.
    void SetSortColumn(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    // 1 ascending, -1 descending, 0 not sorted.
    int GetColumnState(int iColumn) const;
    // The sorted column, or -1 when none is (or multi-column sort is on).
    int GetSortColumn() const;
    void RemoveSortColumn(int iColumn);

    void EnableMultipleSort(BOOL bEnable = TRUE);
    BOOL IsMultipleSort() const { return m_bMultipleSort; }
    // Some ancestor window is a dialog (button colours instead of bar
    // colours).
    BOOL IsDialogControl() const { return m_bInDialog; }
    int GetHotItem() const { return m_nHotItem; }
    BOOL IsPressed() const { return m_bPressed; }

    // The whole header into a DC: background, every item, the empty area
    // right of the last item.  WM_PAINT (through an off-screen surface) and
    // WM_PRINTCLIENT both come here.
    void PaintHeader(CDC* pDC);

    using CHeaderCtrl::DrawItem;
    // One item; item -1 is the frame of the empty area right of the last
    // item.
    virtual void DrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted);
    virtual void DrawBackground(CDC* pDC);
    // The sort arrow of the item being drawn (its direction is
    // m_bArrowAscending).
    virtual void DrawSortArrow(CDC* pDC, CRect rectArrow);

protected:
    void PreSubclassWindow() override;
    void FindDialogAncestor();
    void RedrawHeader();
    HFONT ChooseFont() const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnCancelMode();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

    CMap<int, int, int, int> m_mapColumnStates;   // column -> 1 / -1
    BOOL m_bPressed = FALSE;
    BOOL m_bMultipleSort = FALSE;
    BOOL m_bArrowAscending = TRUE;
    int m_nHotItem = -1;
    BOOL m_bTracking = FALSE;
    BOOL m_bInDialog = FALSE;
    HFONT m_hFont = nullptr;

    DECLARE_MESSAGE_MAP()
};
