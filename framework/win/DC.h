#pragma once
// Device contexts: CDC wraps an HDC (deleted with the object when it made
// it with CreateDC/CreateCompatibleDC); CPaintDC brackets BeginPaint and
// EndPaint, CClientDC and CWindowDC GetDC/GetWindowDC and ReleaseDC.
#include "framework/win/GdiObject.h"
#include "framework/String.h"

class CWnd;
class CDC;

// The handle of an object that may be missing: none for a null pointer.
HDC AfxSafeHdc(const CDC* pDC);

class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    CDC() = default;
    ~CDC() override;

    HDC m_hDC = nullptr;        // output
    HDC m_hAttribDC = nullptr;  // attributes (the same DC here)
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const;

    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();
    BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData);
    BOOL CreateCompatibleDC(CDC* pDC);
    CWnd* GetWindow() const;

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }

    // Selection
    CPen* SelectObject(CPen* pPen) { return CPen::FromHandle((HPEN)SelectHandle(pPen)); }
    CBrush* SelectObject(CBrush* pBrush) { return CBrush::FromHandle((HBRUSH)SelectHandle(pBrush)); }
    CFont* SelectObject(CFont* pFont) { return CFont::FromHandle((HFONT)SelectHandle(pFont)); }
    CBitmap* SelectObject(CBitmap* pBitmap) { return CBitmap::FromHandle((HBITMAP)SelectHandle(pBitmap)); }
    int SelectObject(CRgn* pRgn) { return (int)(INT_PTR)::SelectObject(m_hDC, AfxSafeHandle(pRgn)); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    // Selects the palette (restore with the palette answered); bForceBackground
    // maps it as a background palette.
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground)
    { return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)AfxSafeHandle(pPalette), bForceBackground)); }
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CGdiObject* SelectStockObject(int nIndex) { return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex))); }
    CFont* GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
    CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }

    // Attributes
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    UINT SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
    int SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
    CPoint SetViewportOrg(int x, int y) { POINT p = {0, 0}; ::SetViewportOrgEx(m_hDC, x, y, &p); return p; }
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const { POINT p = {0, 0}; ::GetViewportOrgEx(m_hDC, &p); return p; }
    CPoint OffsetViewportOrg(int nWidth, int nHeight) { POINT p = {0, 0}; ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &p); return p; }
    CPoint SetWindowOrg(int x, int y) { POINT p = {0, 0}; ::SetWindowOrgEx(m_hDC, x, y, &p); return p; }
    CPoint GetWindowOrg() const { POINT p = {0, 0}; ::GetWindowOrgEx(m_hDC, &p); return p; }
    CPoint OffsetWindowOrg(int nWidth, int nHeight) { POINT p = {0, 0}; ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &p); return p; }
    CPoint SetBrushOrg(int x, int y) { POINT p = {0, 0}; ::SetBrushOrgEx(m_hDC, x, y, &p); return p; }
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hDC, lpPoints, nCount); }
    void DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hDC, (LPPOINT)lpRect, 2); }
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hDC, lpPoints, nCount); }
    void LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hDC, (LPPOINT)lpRect, 2); }

    // Clipping
    int SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, (HRGN)AfxSafeHandle(pRgn)); }
    int SelectClipRgn(CRgn* pRgn, int nMode) { return ::ExtSelectClipRgn(m_hDC, (HRGN)AfxSafeHandle(pRgn), nMode); }
    int SelectClipRgn(HRGN hRgn) { return ::SelectClipRgn(m_hDC, hRgn); }
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    int IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
    int IntersectClipRect(LPCRECT lpRect) { return ::IntersectClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
    int ExcludeClipRect(LPCRECT lpRect) { return ::ExcludeClipRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

    // Lines and shapes
    CPoint MoveTo(int x, int y) { POINT p = {0, 0}; ::MoveToEx(m_hDC, x, y, &p); return p; }
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return ::LineTo(m_hDC, point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT lpRect) { return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
    BOOL RoundRect(LPCRECT lpRect, POINT point) { return ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect) { return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF SetPixel(POINT point, COLORREF crColor) { return ::SetPixel(m_hDC, point.x, point.y, crColor); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT point) const { return ::GetPixel(m_hDC, point.x, point.y); }
    // Fills with the selected brush from the point: FLOODFILLBORDER up to
    // the colour, FLOODFILLSURFACE over the area of the colour.
    BOOL ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType)
    { return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType); }

    // Fills and frames
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, (HBRUSH)AfxSafeHandle(pBrush)); }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, (HBRUSH)AfxSafeHandle(pBrush)); }
    void InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    // An inverted outline of the rectangle, size.cx by size.cy thick,
    // with the last one erased first (drawing an outline twice removes
    // it); an empty rectangle draws or erases nothing.  Without a brush a
    // grey halftone pattern is used.
    void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = nullptr,
                      CBrush* pBrushLast = nullptr);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(m_hDC, (HRGN)AfxSafeHandle(pRgn), (HBRUSH)AfxSafeHandle(pBrush)); }
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
    { return ::FrameRgn(m_hDC, (HRGN)AfxSafeHandle(pRgn), (HBRUSH)AfxSafeHandle(pBrush), nWidth, nHeight); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL DrawIcon(POINT point, HICON hIcon) { return ::DrawIcon(m_hDC, point.x, point.y, hIcon); }
    BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = nullptr)
    { return ::DrawStateA(m_hDC, hBrush, nullptr, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP); }
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr)
    { return ::DrawStateA(m_hDC, hBrush, nullptr, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON); }

    // Bit blocks
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    { return ::BitBlt(m_hDC, x, y, nWidth, nHeight, AfxSafeHdc(pSrcDC), xSrc, ySrc, dwRop); }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, DWORD dwRop)
    { return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, AfxSafeHdc(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop); }
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
    { return ::GdiAlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, AfxSafeHdc(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, blend); }
    BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
    { return ::GdiGradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode); }

    // Text
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOutA(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return ::TextOutA(m_hDC, x, y, str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
    { return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths); }
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) { return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat); }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return ::DrawTextA(m_hDC, str, str.GetLength(), lpRect, nFormat); }
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const { SIZE size = {0, 0}; ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size); return size; }
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }
    int GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFaceA(m_hDC, nCount, lpszFacename); }

protected:
    HGDIOBJ SelectHandle(CGdiObject* pObject) { return ::SelectObject(m_hDC, AfxSafeHandle(pObject)); }
};

inline HDC AfxSafeHdc(const CDC* pDC) { return pDC != nullptr ? pDC->m_hDC : nullptr; }

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
    HWND m_hWnd;
};

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;
    HWND m_hWnd;
};
