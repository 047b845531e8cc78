#pragma once
// The tree-view control.
#include "framework/win/Controls.h"

class CImageList;

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_TREEVIEWA, nullptr, dwStyle, rect, pParentWnd, nID); }

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct) { return (HTREEITEM)SendMessage(TVM_INSERTITEMA, 0, (LPARAM)lpInsertStruct); }
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)hItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)SendMessage(TVM_EXPAND, nCode, (LPARAM)hItem); }
    UINT GetCount() const { return (UINT)SendMessage(TVM_GETCOUNT); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return (HTREEITEM)SendMessage(TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL Select(HTREEITEM hItem, UINT nCode) { return (BOOL)SendMessage(TVM_SELECTITEM, nCode, (LPARAM)hItem); }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL GetItem(TVITEMA* pItem) const { return (BOOL)SendMessage(TVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(TVITEMA* pItem) { return (BOOL)SendMessage(TVM_SETITEMA, 0, (LPARAM)pItem); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return (UINT)SendMessage(TVM_GETITEMSTATE, (WPARAM)hItem, (LPARAM)nStateMask); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
    BOOL SortChildren(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)hItem); }
    BOOL SortChildrenCB(LPTVSORTCB pSort) { return (BOOL)SendMessage(TVM_SORTCHILDRENCB, 0, (LPARAM)pSort); }
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const { return (HTREEITEM)SendMessage(TVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    UINT GetIndent() const { return (UINT)SendMessage(TVM_GETINDENT); }
    void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETBKCOLOR, 0, (LPARAM)clr); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETTEXTCOLOR, 0, (LPARAM)clr); }
    CEdit* EditLabel(HTREEITEM hItem) { return static_cast<CEdit*>(CWnd::FromHandle((HWND)SendMessage(TVM_EDITLABELA, 0, (LPARAM)hItem))); }
};
