// The list-view control and its column header: the wrappers that need more
// than one message.
#include "framework/win/ListCtrl.h"

#include "framework/win/ImageList.h"
#include "framework/win/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

// ---------------------------------------------------------------------------
// CHeaderCtrl

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return HandleDrawItem(this, message, lParam, pResult);
}

CImageList* CHeaderCtrl::GetImageList() const { return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_GETIMAGELIST)); }

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_SETIMAGELIST, 0, (LPARAM)AfxSafeHandle(pImageList)));
}

// ---------------------------------------------------------------------------
// CListCtrl

CListCtrl::~CListCtrl() = default;

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return HandleDrawItem(this, message, lParam, pResult);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const
{
    if (iCount == -1) {
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHeader == nullptr)
            return FALSE;
        iCount = pHeader->GetItemCount();
    }
    return (BOOL)SendMessage(LVM_GETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam)
{
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = (LPSTR)lpszItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control copies at most the buffer: grow it until the text fits.
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    std::vector<char> buffer;
    int nLen = 128;
    int nRes = 0;
    do {
        nLen *= 2;
        buffer.assign((size_t)nLen, '\0');
        item.cchTextMax = nLen;
        item.pszText = buffer.data();
        nRes = (int)SendMessage(LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
    } while (nRes >= nLen - 1 && nLen < (1 << 20));
    return CString(buffer.data(), nRes < 0 ? 0 : nRes);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    return (int)SendMessage(LVM_GETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)lpszText;
    return (BOOL)SendMessage(LVM_SETITEMTEXTA, (WPARAM)nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.iItem = nItem;
    item.mask = LVIF_PARAM;
    if (!GetItem(&item))
        return 0;
    return (DWORD_PTR)item.lParam;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, (LPARAM)dwData);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.stateMask = nMask;
    item.state = nState;
    return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    ref.top = iSubItem;
    ref.left = nArea;
    return (BOOL)SendMessage(LVM_GETSUBITEMRECT, (WPARAM)iItem, (LPARAM)(LPRECT)ref);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nRes = (int)SendMessage(LVM_HITTEST, 0, (LPARAM)&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return nRes;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int nItem = GetNextItem(-1, LVNI_SELECTED);
    return (POSITION)(INT_PTR)(nItem + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOldPos = (int)(INT_PTR)pos - 1;
    int nNext = GetNextItem(nOldPos, LVNI_SELECTED);
    pos = (POSITION)(INT_PTR)(nNext + 1);
    return nOldPos;
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)nImageList));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)AfxSafeHandle(pImageList)));
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    HIMAGELIST hImageList = (HIMAGELIST)SendMessage(LVM_CREATEDRAGIMAGE, (WPARAM)nItem, (LPARAM)lpPoint);
    if (hImageList == nullptr)
        return nullptr;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;   // the caller deletes it
}
