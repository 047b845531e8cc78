#pragma once
// The list-view control (CListCtrl) and its column header (CHeaderCtrl).
#include "framework/win/Controls.h"

class CImageList;

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID); }
    int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const { return (BOOL)SendMessage(HDM_GETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem) { return (BOOL)SendMessage(HDM_SETITEMA, (WPARAM)nPos, (LPARAM)pHeaderItem); }
    int InsertItem(int nPos, HDITEMA* phdi) { return (int)SendMessage(HDM_INSERTITEMA, (WPARAM)nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)SendMessage(HDM_DELETEITEM, (WPARAM)nPos); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)SendMessage(HDM_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)SendMessage(HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    BOOL GetOrderArray(LPINT piArray, int iCount) const { return (BOOL)SendMessage(HDM_GETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    BOOL SetOrderArray(int iCount, LPINT piArray) { return (BOOL)SendMessage(HDM_SETORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    int OrderToIndex(int nOrder) const { return (int)SendMessage(HDM_ORDERTOINDEX, (WPARAM)nOrder); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)SendMessage(HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
    int SetHotDivider(CPoint pt) { return (int)SendMessage(HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(pt.x, pt.y)); }
    int SetBitmapMargin(int nWidth) { return (int)SendMessage(HDM_SETBITMAPMARGIN, (WPARAM)nWidth); }
    int GetBitmapMargin() const { return (int)SendMessage(HDM_GETBITMAPMARGIN); }
    int SetFilterChangeTimeout(DWORD dwTimeOut) { return (int)SendMessage(HDM_SETFILTERCHANGETIMEOUT, 0, (LPARAM)dwTimeOut); }
    int EditFilter(int nColumn, BOOL bDiscardChanges) { return (int)SendMessage(HDM_EDITFILTER, (WPARAM)nColumn, MAKELPARAM(bDiscardChanges, 0)); }
    BOOL ClearAllFilters() { return (BOOL)SendMessage(HDM_CLEARFILTER, (WPARAM)-1); }
    BOOL ClearFilter(int nColumn) { return (BOOL)SendMessage(HDM_CLEARFILTER, (WPARAM)nColumn); }
    // Owner-drawn headers override this (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;
    ~CListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID); }
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::CreateEx(dwExStyle, WC_LISTVIEWA, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID); }

    // Columns
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn) { return (int)SendMessage(LVM_INSERTCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)nCol); }
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const { return (BOOL)SendMessage(LVM_GETCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn); }
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn) { return (BOOL)SendMessage(LVM_SETCOLUMNA, (WPARAM)nCol, (LPARAM)pColumn); }
    int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)nCol); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetColumnOrderArray(int iCount, LPINT piArray) { return (BOOL)SendMessage(LVM_SETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    CHeaderCtrl* GetHeaderCtrl() const { return static_cast<CHeaderCtrl*>(CWnd::FromHandle((HWND)SendMessage(LVM_GETHEADER))); }

    // Items
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, (WPARAM)nItems); }
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL) { return (BOOL)SendMessage(LVM_SETITEMCOUNT, (WPARAM)iCount, (LPARAM)dwFlags); }
    int InsertItem(const LVITEMA* pItem) { return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)nItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    BOOL GetItem(LVITEMA* pItem) const { return (BOOL)SendMessage(LVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEMA* pItem) { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)nItem, (LPARAM)nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEMA* pItem) { return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)pItem); }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const { return (BOOL)SendMessage(LVM_GETITEMPOSITION, (WPARAM)nItem, (LPARAM)lpPoint); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)nItem, MAKELPARAM(bPartialOK, 0)); }
    BOOL Update(int nItem) { return (BOOL)SendMessage(LVM_UPDATE, (WPARAM)nItem); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)SendMessage(LVM_REDRAWITEMS, (WPARAM)nFirst, (LPARAM)nLast); }
    int FindItem(LVFINDINFOA* pFindInfo, int nStart = -1) const { return (int)SendMessage(LVM_FINDITEMA, (WPARAM)nStart, (LPARAM)pFindInfo); }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }

    // Selection
    int GetNextItem(int nItem, int nFlags) const { return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0)); }
    UINT GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT); }
    int GetSelectionMark() const { return (int)SendMessage(LVM_GETSELECTIONMARK); }
    int SetSelectionMark(int iIndex) { return (int)SendMessage(LVM_SETSELECTIONMARK, 0, (LPARAM)iIndex); }
    // Iterates the selected items: the position is the item index + 1.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;

    // View
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle); }
    COLORREF GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, (LPARAM)cr); }
    COLORREF GetTextColor() const { return (COLORREF)SendMessage(LVM_GETTEXTCOLOR); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, (LPARAM)cr); }
    COLORREF GetTextBkColor() const { return (COLORREF)SendMessage(LVM_GETTEXTBKCOLOR); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, (LPARAM)cr); }
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
    BOOL Scroll(CSize size) { return (BOOL)SendMessage(LVM_SCROLL, (WPARAM)size.cx, (LPARAM)size.cy); }
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CEdit* GetEditControl() const { return static_cast<CEdit*>(CWnd::FromHandle((HWND)SendMessage(LVM_GETEDITCONTROL))); }
    // Starts editing an item's label (the list must have the focus); the
    // list's temporary edit window, null when editing could not start.
    CEdit* EditLabel(int nItem) { return static_cast<CEdit*>(CWnd::FromHandle((HWND)SendMessage(LVM_EDITLABELA, (WPARAM)nItem))); }
    // Ends a label edit without keeping the text.
    void CancelEditLabel() { SendMessage(LVM_CANCELEDITLABEL); }
    int GetStringWidth(LPCTSTR lpsz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz); }
    CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);

    // Sorting: the callback gets the two items' data and lParamSort.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)SendMessage(LVM_SORTITEMS, (WPARAM)dwData, (LPARAM)pfnCompare); }
    // The callback gets the two items' indexes instead.
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)SendMessage(LVM_SORTITEMSEX, (WPARAM)dwData, (LPARAM)pfnCompare); }

    // Owner-drawn lists override this (reflected WM_DRAWITEM).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
