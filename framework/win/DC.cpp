// Device contexts: ownership of an HDC and the temporary wrappers of DCs
// nobody owns.
#include "framework/win/DC.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/win/HandleMap.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

void SetDCHandle(CDC* p, HDC h) { p->m_hDC = p->m_hAttribDC = h; }
CHandleMap<HDC, CDC>& DCMap() { return AfxThreadHandleMap<HDC, CDC>(&SetDCHandle); }

} // namespace

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

namespace {

// Inverts the frame of a rectangle with the brush's pattern.
void InvertFrame(HDC hDC, const RECT& rect, SIZE size, HBRUSH hBrush)
{
    if (::IsRectEmpty(&rect))
        return;
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int cx = std::min<int>(size.cx, w), cy = std::min<int>(size.cy, h);
    ::PatBlt(hDC, rect.left, rect.top, w, cy, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.bottom - cy, w, cy, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.top + cy, cx, h - 2 * cy, PATINVERT);
    ::PatBlt(hDC, rect.right - cx, rect.top + cy, cx, h - 2 * cy, PATINVERT);
    ::SelectObject(hDC, hOld);
}

HBRUSH HalftoneBrush()
{
    static HBRUSH s_hBrush = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = WORD(0x5555 << (i & 1));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
        HBRUSH hBrush = hBitmap != nullptr ? ::CreatePatternBrush(hBitmap) : nullptr;
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return hBrush;
    }();
    return s_hBrush != nullptr ? s_hBrush : (HBRUSH)::GetStockObject(GRAY_BRUSH);
}

} // namespace

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    HBRUSH hBrush = pBrush != nullptr ? (HBRUSH)pBrush->m_hObject : HalftoneBrush();
    HBRUSH hBrushLast = pBrushLast != nullptr ? (HBRUSH)pBrushLast->m_hObject : hBrush;
    if (lpRectLast != nullptr)
        InvertFrame(m_hDC, *lpRectLast, sizeLast, hBrushLast);
    if (lpRect != nullptr)
        InvertFrame(m_hDC, *lpRect, size, hBrush);
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
