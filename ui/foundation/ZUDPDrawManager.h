#pragma once
// The library's pixel effects that plain GDI cannot draw: gradients in 64
// bands (straight or at an angle), soft drop shadows, highlighting and
// greying an area by a percentage, anti-aliased ellipses, one-pixel lines
// and boxes with per-pixel alpha, alpha-channel fills and mirroring an area
// in place.  Almost every effect copies the target area into a 32-bit DIB
// section, works on its pixels and puts the result back with BitBlt or,
// where per-pixel alpha matters, AlphaBlend.  Gradients, tint and grey
// work on the target's own pixels instead when it is a memory DC holding a
// 32-bit DIB section that they can reach without mapping or clipping.
//
// DIB pixels are 0xAARRGGBB with premultiplied alpha (blue in the lowest
// byte); colours are 0x00BBGGRR.  While g_drawingOnGlass is set every
// pixel the manager writes carries alpha 0xFF.  A drawing manager lives on
// the stack around a drawing sequence and borrows the target DC.
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPColorArithmetic.h"

class CZUDPDrawManager : public CObject, public CZUDPColorArithmetic {
    DECLARE_DYNAMIC(CZUDPDrawManager)
public:
    explicit CZUDPDrawManager(CDC& dc) : m_dc(dc) {}

    // A 32-bit DIB section (top-down for a negative height), or null for a
    // width of 0 or less, a height of 0 or a size too large to address.
    static HBITMAP Create32BitDibSection(CSize size, LPVOID* pBits);
    // A 32-bit copy with alpha of a DIB section: a transparent colour
    // becomes alpha 0, every other pixel alpha 0xFF (all of them with -1);
    // a 32-bit source is copied as it is.  Null for a bitmap that is not a
    // DIB section.
    static HBITMAP CopyBitmapTo32Bit(HBITMAP hBitmap, COLORREF clrTransparent = (COLORREF)-1);
    static BOOL AlphaBlendRect(CDC* pDstDC, CRect rectDst, CDC* pSrcDC, CRect rectSrc, BYTE nAlpha = 255);
    // The soft round spot the shadow renderer cuts into pieces.
    static HBITMAP CreateShadowSpot(int nDepth, COLORREF clrBase, int nMinPercent, int nMaxPercent);
    // One pixel of the drop-shadow fallback in a bottom-up DIB of
    // (size.cx + depth) by (size.cy + depth) pixels; pixels outside it are
    // left alone.
    static void ShadePixel(DWORD* pBits, CSize size, int x, int y, int nPercent, int nDepth,
                           COLORREF clrBase = (COLORREF)-1, BOOL bMirrored = FALSE);

    void FillLinearGradient(CRect rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical = TRUE,
                            int nStartFlatPercent = 0, int nEndFlatPercent = 0);
    void FillAngleGradient(CRect rect, COLORREF clr1, COLORREF clr2, int nAngle);
    BOOL DrawDropShadow(CRect rect, int nDepth, int nOuterPercent, int nInnerPercent,
                        CBitmap* pBottomCache = nullptr, CBitmap* pSideCache = nullptr,
                        COLORREF clrBase = (COLORREF)-1, BOOL bRightShadow = TRUE);
    BOOL TintRect(CRect rect, int nPercent, COLORREF clrTransparent = (COLORREF)-1, int nTolerance = 0,
                  COLORREF clrBlend = (COLORREF)-1);
    BOOL GrayRect(CRect rect, int nPercent, COLORREF clrTransparent = (COLORREF)-1,
                  COLORREF clrBlend = (COLORREF)-1);
    void DrawEllipse(CRect rect, COLORREF clrFill, COLORREF clrBorder);
    void DrawPixelLine(CPoint pt1, CPoint pt2, COLORREF clrLine);
    void DrawBox(CRect rect, COLORREF clrFill, COLORREF clrBorder);
    void FillAlphaChannel(CRect rect, BYTE nAlpha);
    void FlipRect(CRect rect, BOOL bHorizontal);

    // The body of FillLinearGradient: the bands drawn straight onto the
    // target.
    void FillGradientBands(CRect rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical, int nStartFlatPercent,
                           int nEndFlatPercent);

    // 0x00BBGGRR <-> 0xAARRGGBB
    static DWORD PixelFromColor(COLORREF colour, BYTE alpha = 0xFF)
    {
        return (DWORD(alpha) << 24) | (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) |
               DWORD(GetBValue(colour));
    }
    static COLORREF ColorFromPixel(DWORD pixel)
    {
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

protected:
    // The drop shadow where layered windows exist: the shadow renderer's
    // soft spot cut into pieces and blended into the shadow's area (of the
    // rectangle's size plus the depth both ways); FALSE when the spot
    // cannot be made.
    static BOOL DrawShadowFromSpot(CDC& areaDC, CSize size, int nDepth, int nMinPercent, int nMaxPercent,
                                   COLORREF clrBase, BOOL bRightShadow);
    // Fills the given (empty) cache bitmaps from the target now showing the
    // shadow; TRUE.
    BOOL CacheShadowStrips(const CRect& rect, int nDepth, int areaLeft, int sideLeft, CBitmap* pBottomCache,
                           CBitmap* pSideCache);

    CDC& m_dc;
};
