#include "framework/win/TabCtrl.h"

#include "framework/win/ImageList.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT | (nImage >= 0 ? TCIF_IMAGE : 0);
    item.pszText = const_cast<LPSTR>(lpszItem != nullptr ? lpszItem : "");
    item.iImage = nImage;
    return (LONG)SendMessage(TCM_INSERTITEMA, (WPARAM)nItem, (LPARAM)&item);
}

CString CTabCtrl::GetItemText(int nItem) const
{
    char text[256] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = int(sizeof(text));
    if (!GetItem(nItem, &item))
        return CString();
    text[sizeof(text) - 1] = '\0';
    return CString(item.pszText != nullptr ? item.pszText : "");
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    HIMAGELIST hOld = (HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)(pImageList != nullptr ? pImageList->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(hOld);
}
