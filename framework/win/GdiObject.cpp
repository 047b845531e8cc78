// GDI objects, device contexts, menus and image lists: ownership of their
// handles and the temporary wrappers of handles nobody owns.
#include "framework/win/GdiObject.h"
#include "framework/win/FrameworkSeams.h"

#include "framework/win/DC.h"
#include "framework/Exceptions.h"
#include "framework/win/HandleMap.h"
#include "framework/win/ImageList.h"
#include "framework/win/Menu.h"
#include "framework/win/Wnd.h"
#include "framework/win/WinApp.h"

#include <cstring>
#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNCREATE(CMenu, CObject)
IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

void SetGdiHandle(CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; }
void SetDCHandle(CDC* p, HDC h) { p->m_hDC = p->m_hAttribDC = h; }
void SetMenuHandle(CMenu* p, HMENU h) { p->m_hMenu = h; }
void SetImageListHandle(CImageList* p, HIMAGELIST h) { p->m_hImageList = h; }

CHandleMap<HGDIOBJ, CGdiObject>& GdiMap() { return AfxThreadHandleMap<HGDIOBJ, CGdiObject>(&SetGdiHandle); }
CHandleMap<HDC, CDC>& DCMap() { return AfxThreadHandleMap<HDC, CDC>(&SetDCHandle); }
CHandleMap<HMENU, CMenu>& MenuMap() { return AfxThreadHandleMap<HMENU, CMenu>(&SetMenuHandle); }
CHandleMap<HIMAGELIST, CImageList>& ImageListMap() { return AfxThreadHandleMap<HIMAGELIST, CImageList>(&SetImageListHandle); }

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
// CDC

CDC::~CDC()
{
    if (m_hDC != nullptr)
        DeleteDC();
}

HDC CDC::GetSafeHdc() const { return m_hDC; }

CDC* CDC::FromHandle(HDC hDC) { return DCMap().FromHandle(hDC); }

void CDC::DeleteTempMap() { DCMap().DeleteTemp(); }

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    DCMap().SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != nullptr && DCMap().LookupPermanent(hDC) == this)
        DCMap().RemoveHandle(hDC);
    m_hDC = m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(AfxSafeHdc(pDC))); }

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_ps()
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(AfxSafeHwnd(pWnd))
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(AfxSafeHwnd(pWnd))
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

// ---------------------------------------------------------------------------
// CMenu

HMENU CMenu::GetSafeHmenu() const { return m_hMenu; }

CMenu* CMenu::FromHandle(HMENU hMenu) { return MenuMap().FromHandle(hMenu); }

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) { return hMenu == nullptr ? nullptr : MenuMap().LookupPermanent(hMenu); }

void CMenu::DeleteTempMap() { MenuMap().DeleteTemp(); }

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    MenuMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr && MenuMap().LookupPermanent(hMenu) == this)
        MenuMap().RemoveHandle(hMenu);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

// A menu made for an object that already holds one could only be leaked:
// refuse before making it.
BOOL CMenu::CreateMenu() { return m_hMenu == nullptr && Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return m_hMenu == nullptr && Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return m_hMenu == nullptr && Attach(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return m_hMenu == nullptr && Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return m_hMenu == nullptr && Attach(::LoadMenuIndirectA(lpMenuTemplate));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return g_frameworkSeams.trackPopupMenu(m_hMenu, nFlags, x, y, AfxSafeHwnd(pWnd), lpRect);
}

// ---------------------------------------------------------------------------
// CImageList

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

// ---------------------------------------------------------------------------
// Window classes

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per combination, named after it; the names live as long as
    // the program (a window class is registered once).
    static std::vector<std::unique_ptr<char[]>> names;
    char name[96];
    wsprintfA(name, "TrovWnd:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle, (void*)hCursor,
              (void*)hbrBackground, (void*)hIcon);
    for (const auto& known : names) {
        if (::lstrcmpA(known.get(), name) == 0)
            return known.get();
    }
    WNDCLASSA wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.hIcon = hIcon;
    wndcls.lpszClassName = name;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    size_t len = ::strlen(name) + 1;
    std::unique_ptr<char[]> stored(new char[len]);
    ::memcpy(stored.get(), name, len);
    names.push_back(std::move(stored));
    return names.back().get();
}

BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;   // registered before
    return ::RegisterClassA(lpWndClass) != 0;
}
