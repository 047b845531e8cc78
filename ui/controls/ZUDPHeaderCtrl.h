#pragma once
// CZUDPHeaderCtrl: the column header of the library's list control.  It
// keeps the sort state of every column (1 ascending, -1 descending, none),
// shows it as the header's sort arrows, and tracks the pressed state and
// the item under the mouse.
//
// This version shows the arrows through the header's own format bits
// (HDF_SORTUP / HDF_SORTDOWN) and leaves the painting to the system; the
// visual-manager painting arrives with the visual manager.
#include "framework/win/ListCtrl.h"
#include "framework/Map.h"

class CZUDPHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CZUDPHeaderCtrl)
public:
    CZUDPHeaderCtrl();
    ~CZUDPHeaderCtrl() override;

    // Column < 0 removes every sort state.  Otherwise every other state is
    // removed first unless bAdd is TRUE and multi-column sort is enabled;
    // then the column's state becomes 1 or -1 and the header is redrawn.
    void SetSortColumn(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    // 1 ascending, -1 descending, 0 not sorted.
    int GetColumnState(int iColumn) const;
    // The sorted column, or -1 when none is (or multi-column sort is on).
    int GetSortColumn() const;
    void RemoveSortColumn(int iColumn);

    void EnableMultipleSort(BOOL bEnable = TRUE);
    BOOL IsMultipleSort() const { return m_bMultipleSort; }
    BOOL IsDialogControl() const { return m_bInDialog; }
    int GetHotItem() const { return m_nHotItem; }
    BOOL IsPressed() const { return m_bPressed; }

protected:
    void PreSubclassWindow() override;
    void FindDialogAncestor();
    void ShowSortArrows();
    void RedrawHeader();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnCancelMode();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    // Items inserted later show the arrow of their column too.
    LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);

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
