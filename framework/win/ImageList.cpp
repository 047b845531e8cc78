// Image lists: ownership of an HIMAGELIST and the temporary wrappers of
// image lists nobody owns.
#include "framework/win/ImageList.h"

#include "framework/win/DC.h"
#include "framework/win/HandleMap.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

void SetImageListHandle(CImageList* p, HIMAGELIST h) { p->m_hImageList = h; }
CHandleMap<HIMAGELIST, CImageList>& ImageListMap() { return AfxThreadHandleMap<HIMAGELIST, CImageList>(&SetImageListHandle); }

} // namespace

HIMAGELIST CImageList::GetSafeHandle() const { return m_hImageList; }

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) { return ImageListMap().FromHandle(hImageList); }

CImageList* CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return hImageList == nullptr ? nullptr : ImageListMap().LookupPermanent(hImageList);
}

void CImageList::DeleteTempMap() { ImageListMap().DeleteTemp(); }

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr || m_hImageList != nullptr)
        return FALSE;
    m_hImageList = hImageList;
    ImageListMap().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != nullptr && ImageListMap().LookupPermanent(hImageList) == this)
        ImageListMap().RemoveHandle(hImageList);
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask,
                                       IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList* pImageList) { return Attach(ImageList_Duplicate(pImageList->m_hImageList)); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, (HBITMAP)AfxSafeHandle(pbmImage), (HBITMAP)AfxSafeHandle(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, (HBITMAP)AfxSafeHandle(pbmImage), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)AfxSafeHandle(pbmImage), (HBITMAP)AfxSafeHandle(pbmMask));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, AfxSafeHdc(pDC), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    return ImageList_DrawEx(m_hImageList, nImage, AfxSafeHdc(pDC), pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}

BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point) { return ImageList_DragEnter(AfxSafeHwnd(pWndLock), point.x, point.y); }

BOOL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(AfxSafeHwnd(pWndLock)); }
