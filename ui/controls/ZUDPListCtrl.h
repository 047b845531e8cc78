#pragma once
// CZUDPListCtrl: the library's report-view list control.  A click on a
// column header sorts the list by that column (again: the other way; Shift
// adds the column to a multi-column sort when the header allows it); the
// header (CZUDPHeaderCtrl) shows the sort arrows.  Derived lists decide the
// order, colours and fonts through four hooks: CompareItems, CellTextColor,
// CellBackColor and CellFont.
#include "framework/win/ListCtrl.h"
#include "framework/win/DC.h"
#include "ui/controls/ZUDPHeaderCtrl.h"

class CZUDPListCtrl : public CListCtrl {
    DECLARE_DYNCREATE(CZUDPListCtrl)
public:
    CZUDPListCtrl();
    ~CZUDPListCtrl() override;

    // The list's own header (attached once the list is in report view).
    virtual CZUDPHeaderCtrl& HeaderControl() { return m_wndHeader; }
    // Sorts by the column (wait cursor meanwhile): tells the header, keeps
    // column and direction, and sorts the items with CompareItems.
    virtual void Sort(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    // Order of two items by their item data for one column; the base
    // leaves every pair equal.
    virtual int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn);
    virtual COLORREF CellTextColor(int nRow, int nColumn);
    virtual COLORREF CellBackColor(int nRow, int nColumn);
    // A font for the cell, or null for the list's font.
    virtual HFONT CellFont(int nRow, int nColumn, DWORD_PTR dwData);
    // Attaches the header object to the list's header window.
    virtual BOOL SubclassHeader();

    int GetSortColumn() const { return m_iSortedColumn; }
    BOOL IsAscending() const { return m_bAscending; }
    // Tints the background of the sorted column.
    void EnableMarkSortedColumn(BOOL bMark = TRUE, BOOL bRedraw = TRUE);
    // The tint: the list's background with each channel times 0.97.
    COLORREF GetSortedColumnColor() const { return m_clrSortedColumn; }

protected:
    void PreSubclassWindow() override;
    BOOL InitializeList();
    void ComputeSortedColumnColor();
    static int CALLBACK CompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSysColorChange();
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam);

    CZUDPHeaderCtrl m_wndHeader;
    int m_iSortedColumn = -1;
    BOOL m_bAscending = TRUE;
    BOOL m_bMarkSortedColumn = FALSE;
    COLORREF m_clrSortedColumn = (COLORREF)-1;
    HFONT m_hOldFont = nullptr;

    DECLARE_MESSAGE_MAP()
};
