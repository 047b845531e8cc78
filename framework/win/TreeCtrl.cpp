// The tree-view control: the wrappers that need more than one message.
#include "framework/win/TreeCtrl.h"

#include "framework/win/ImageList.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)


HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT;
    tvis.item.pszText = (LPSTR)lpszItem;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvis.item.pszText = (LPSTR)lpszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    return InsertItem(&tvis);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    GetItem(&item);
    return item.cChildren != 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    std::vector<char> buffer(1024, '\0');
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = buffer.data();
    item.cchTextMax = (int)buffer.size();
    GetItem(&item);
    return CString(item.pszText != nullptr ? item.pszText : "");
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = (LPSTR)lpszItem;
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    if (!GetItem(&item))
        return 0;
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_STATE;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL bRes = GetItem(&item);
    if (bRes) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return bRes;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    *(HTREEITEM*)lpRect = hItem;
    return (BOOL)SendMessage(TVM_GETITEMRECT, (WPARAM)bTextOnly, (LPARAM)lpRect);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = (HTREEITEM)SendMessage(TVM_HITTEST, 0, (LPARAM)&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return hItem;
}

CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TVM_GETIMAGELIST, (WPARAM)nImageList));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)AfxSafeHandle(pImageList)));
}
