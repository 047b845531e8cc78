#pragma once
// CTabCtrl: the common tab control (a row of tabs over a page area).
#include "framework/win/Wnd.h"

class CImageList;

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    { return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID); }

    int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
    BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const { return (BOOL)SendMessage(TCM_GETITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem) { return (BOOL)SendMessage(TCM_SETITEMA, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
    // Inserts a tab with a label (and an image index, -1 for none);
    // answers its index, -1 on failure.
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, (WPARAM)nItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)SendMessage(TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
    int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
    int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, (WPARAM)nItem); }
    int GetCurFocus() const { return (int)SendMessage(TCM_GETCURFOCUS); }
    int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT); }
    // The label of a tab (empty when there is none).
    CString GetItemText(int nItem) const;
    CImageList* SetImageList(CImageList* pImageList);
    HIMAGELIST GetImageListHandle() const { return (HIMAGELIST)SendMessage(TCM_GETIMAGELIST); }
    // bLarger: a page rectangle to the window rectangle; otherwise the
    // window rectangle to the page area.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
};
