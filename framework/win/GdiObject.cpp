// GDI objects: ownership of their handles and the temporary wrappers of
// handles nobody owns.
#include "framework/win/GdiObject.h"

#include "framework/win/DC.h"
#include "framework/win/HandleMap.h"
#include "framework/win/WinApp.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {

void SetGdiHandle(CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; }

CHandleMap<HGDIOBJ, CGdiObject>& GdiMap() { return AfxThreadHandleMap<HGDIOBJ, CGdiObject>(&SetGdiHandle); }

} // namespace

// ---------------------------------------------------------------------------
// CGdiObject

HGDIOBJ CGdiObject::GetSafeHandle() const { return m_hObject; }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return GdiMap().FromHandle(hObject); }

void CGdiObject::DeleteTempMap() { GdiMap().DeleteTemp(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    if (m_hObject != nullptr)
        DeleteObject();
    m_hObject = hObject;
    GdiMap().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != nullptr && GdiMap().LookupPermanent(hObject) == this)
        GdiMap().RemoveHandle(hObject);
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ hObject = Detach();
    return ::DeleteObject(hObject);   // stock objects ignore it
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) { return Attach(::CreatePatternBrush((HBITMAP)AfxSafeHandle(pBitmap))); }

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC != nullptr ? pDC->m_hAttribDC : ::GetDC(nullptr);
    LOGFONTA logFont = *lpLogFont;
    POINT pt = {0, 0};
    pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720);
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == nullptr)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&logFont);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource))); }

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) { return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName)); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(AfxSafeHdc(pDC), nWidth, nHeight));
}

// ---------------------------------------------------------------------------
// CPalette

BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return Attach(::CreateHalftonePalette(AfxSafeHdc(pDC))); }

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    if (m_hObject == nullptr || ::GetObjectA(m_hObject, sizeof(count), &count) != int(sizeof(count)))
        return 0;
    return count;
}
