#include "ui/foundation/ZUDPDrawManager.h"

#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CZUDPDrawManager, CObject)

namespace {

// The scratch DIB section of one row order, kept selected into a memory DC
// of its own between effects: making a DC and a DIB for every effect costs
// far more than the effect itself.  A thread's effects run one after the
// other; one that finds the scratch busy makes its own.
struct CScratchDib {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ original = nullptr;
    DWORD* bits = nullptr;
    int width = 0, height = 0;
    bool busy = false;

    ~CScratchDib() { Release(); }
    void Release()
    {
        if (dc != nullptr && original != nullptr)
            ::SelectObject(dc, original);
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        if (dc != nullptr)
            ::DeleteDC(dc);
        dc = nullptr;
        bitmap = nullptr;
        original = nullptr;
        bits = nullptr;
        width = height = 0;
    }
    // A DC holding a DIB of exactly this size and row order, or null.
    bool Prepare(int w, int h, BOOL bTopDown)
    {
        if (dc == nullptr && (dc = ::CreateCompatibleDC(nullptr)) == nullptr)
            return false;
        if (bitmap != nullptr && width == w && height == h)
            return true;
        LPVOID newBits = nullptr;
        HBITMAP fresh = CZUDPDrawManager::Create32BitDibSection(CSize(w, bTopDown ? -h : h), &newBits);
        if (fresh == nullptr)
            return false;
        HGDIOBJ previous = ::SelectObject(dc, fresh);
        if (original == nullptr)
            original = previous;
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
        bitmap = fresh;
        bits = static_cast<DWORD*>(newBits);
        width = w;
        height = h;
        return true;
    }
};

thread_local CScratchDib t_scratch[2];  // top-down, bottom-up

// An area of a DC copied into a 32-bit DIB section selected into a memory
// DC: the effects work on Bits() and put the area back with PutBack().
class CDibArea {
public:
    // bTopDown: rows from the top; otherwise the DIB is bottom-up.
    CDibArea(CDC& target, const CRect& rect, BOOL bCopyIn, BOOL bTopDown = TRUE)
        : m_target(target), m_rect(rect)
    {
        if (rect.Width() <= 0 || rect.Height() <= 0)
            return;
        CScratchDib& scratch = t_scratch[bTopDown ? 0 : 1];
        if (!scratch.busy && scratch.Prepare(rect.Width(), rect.Height(), bTopDown)) {
            scratch.busy = true;
            m_scratch = &scratch;
            m_memDC.Attach(scratch.dc);
            m_bits = scratch.bits;
        } else {
            if (!m_memDC.CreateCompatibleDC(&target))
                return;
            LPVOID bits = nullptr;
            m_bitmap = CZUDPDrawManager::Create32BitDibSection(
                CSize(rect.Width(), bTopDown ? -rect.Height() : rect.Height()), &bits);
            if (m_bitmap == nullptr)
                return;
            m_bits = static_cast<DWORD*>(bits);
            m_previous = ::SelectObject(m_memDC, m_bitmap);
        }
        if (bCopyIn)
            ::BitBlt(m_memDC, 0, 0, rect.Width(), rect.Height(), target, rect.left, rect.top, SRCCOPY);
        else
            std::memset(m_bits, 0, size_t(rect.Width()) * size_t(rect.Height()) * 4);
        ::GdiFlush();
    }
    ~CDibArea()
    {
        if (m_scratch != nullptr) {
            m_memDC.Detach();
            m_scratch->busy = false;
            return;
        }
        if (m_previous != nullptr)
            ::SelectObject(m_memDC, m_previous);
        if (m_bitmap != nullptr)
            ::DeleteObject(m_bitmap);
    }
    CDibArea(const CDibArea&) = delete;
    CDibArea& operator=(const CDibArea&) = delete;

    BOOL IsValid() const { return m_bits != nullptr; }
    DWORD* Bits() const { return m_bits; }
    int Width() const { return m_rect.Width(); }
    int Height() const { return m_rect.Height(); }
    size_t Count() const { return size_t(Width()) * size_t(Height()); }
    CDC& MemDC() { return m_memDC; }

    void PutBack()
    {
        ::GdiFlush();
        ::BitBlt(m_target, m_rect.left, m_rect.top, Width(), Height(), m_memDC, 0, 0, SRCCOPY);
    }
    void BlendBack()
    {
        ::GdiFlush();
        CZUDPDrawManager::AlphaBlendRect(&m_target, m_rect, &m_memDC, CRect(0, 0, Width(), Height()), 255);
    }

private:
    CDC& m_target;
    CRect m_rect;
    CDC m_memDC;
    CScratchDib* m_scratch = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
};

int Red(DWORD pixel) { return int((pixel >> 16) & 0xFF); }
int Green(DWORD pixel) { return int((pixel >> 8) & 0xFF); }
int Blue(DWORD pixel) { return int(pixel & 0xFF); }
DWORD MakePixel(int r, int g, int b, int a = 0xFF)
{
    return (DWORD(a & 0xFF) << 24) | (DWORD(r & 0xFF) << 16) | (DWORD(g & 0xFF) << 8) | DWORD(b & 0xFF);
}

// Byte k times a factor as MultiplyColorChannels computes it, for all 256
// bytes at once: the pixel loops look each channel up.
struct CChannelScale {
    explicit CChannelScale(double factor)
    {
        for (int byte = 0; byte < 256; ++byte)
            table[byte] = BYTE(CZUDPColorArithmetic::MultiplyColorChannels(MakeColor(byte, 0, 0), factor, 1.0, 1.0) & 0xFF);
    }
    DWORD Apply(DWORD pixel) const
    {
        return MakePixel(table[Red(pixel)], table[Green(pixel)], table[Blue(pixel)]);
    }
    BYTE table[256];
};

// The grey of a colour's HLS lightness depends only on its largest and
// smallest channel: computed once for every pair, as the colour model
// computes it.
const BYTE* GreyByExtremes()
{
    static std::vector<BYTE> table = [] {
        std::vector<BYTE> t(256 * 256);
        for (int mx = 0; mx < 256; ++mx)
            for (int mn = 0; mn <= mx; ++mn) {
                double h, s, l;
                CZUDPColorArithmetic::RgbToHlsUnitHue(MakeColor(mx, mn, mn), &h, &s, &l);
                t[mx * 256 + mn] = BYTE(CZUDPColorArithmetic::HlsToRgbUnitHue(h, l, 0.0) & 0xFF);
            }
        return t;
    }();
    return table.data();
}

// Fills the light (halftone) brush of the global UI data: what the tint
// and grey effects draw on screens of 256 colours or fewer.
void FillLightRect(CDC& dc, const CRect& rect)
{
    ::FillRect(dc, &rect, (HBRUSH)g_uiEnvironment.m_brushLight.GetSafeHandle());
}

} // namespace

// ---------------------------------------------------------------------------
// Static helpers

HBITMAP CZUDPDrawManager::Create32BitDibSection(CSize size, LPVOID* pBits)
{
    if (pBits != nullptr)
        *pBits = nullptr;
    if (size.cx <= 0 || size.cy == 0)
        return nullptr;
    long long height = size.cy < 0 ? -(long long)size.cy : size.cy;
    long long bytes = 4LL * size.cx * height;
    if (bytes > 0x7FFFFFFFLL)
        return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = DWORD(bytes);

    LPVOID bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap == nullptr || bits == nullptr) {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return nullptr;
    }
    if (pBits != nullptr)
        *pBits = bits;
    return hBitmap;
}

HBITMAP CZUDPDrawManager::CopyBitmapTo32Bit(HBITMAP hBitmap, COLORREF clrTransparent)
{
    DIBSECTION section = {};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(section), &section) != int(sizeof(section)) ||
        section.dsBm.bmBits == nullptr)
        return nullptr;
    int width = section.dsBm.bmWidth;
    int height = section.dsBm.bmHeight;
    LPVOID bits = nullptr;
    HBITMAP hCopy = Create32BitDibSection(CSize(width, height), &bits);
    if (hCopy == nullptr)
        return nullptr;
    DWORD* pixels = static_cast<DWORD*>(bits);
    size_t count = size_t(width) * size_t(height);

    // The system copies every depth, a 32-bit source with its alpha bytes
    // as they are, whatever the row order of either bitmap.
    HDC source = ::CreateCompatibleDC(nullptr);
    HDC destination = ::CreateCompatibleDC(nullptr);
    if (source == nullptr || destination == nullptr) {
        if (source != nullptr)
            ::DeleteDC(source);
        if (destination != nullptr)
            ::DeleteDC(destination);
        ::DeleteObject(hCopy);
        return nullptr;
    }
    HGDIOBJ oldSource = ::SelectObject(source, hBitmap);
    HGDIOBJ oldDestination = ::SelectObject(destination, hCopy);
    ::BitBlt(destination, 0, 0, width, height, source, 0, 0, SRCCOPY);
    ::SelectObject(source, oldSource);
    ::SelectObject(destination, oldDestination);
    ::DeleteDC(source);
    ::DeleteDC(destination);
    ::GdiFlush();
    if (section.dsBm.bmBitsPixel == 32)
        return hCopy;

    DWORD key = PixelFromColor(clrTransparent, 0) & 0x00FFFFFF;
    for (size_t i = 0; i < count; ++i) {
        DWORD rgb = pixels[i] & 0x00FFFFFF;
        if (clrTransparent != (COLORREF)-1 && rgb == key)
            pixels[i] = 0;
        else
            pixels[i] = rgb | 0xFF000000;
    }
    return hCopy;
}

BOOL CZUDPDrawManager::AlphaBlendRect(CDC* pDstDC, CRect rectDst, CDC* pSrcDC, CRect rectSrc, BYTE nAlpha)
{
    if (g_uiEnvironment.m_alphaBlend != nullptr && !g_uiEnvironment.m_is9x) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, nAlpha, AC_SRC_ALPHA};
        return g_uiEnvironment.m_alphaBlend(pDstDC->GetSafeHdc(), rectDst.left, rectDst.top, rectDst.Width(),
                                            rectDst.Height(), pSrcDC->GetSafeHdc(), rectSrc.left, rectSrc.top,
                                            rectSrc.Width(), rectSrc.Height(), blend);
    }
    if (rectDst.Size() == rectSrc.Size())
        return pDstDC->BitBlt(rectDst.left, rectDst.top, rectDst.Width(), rectDst.Height(), pSrcDC, rectSrc.left,
                              rectSrc.top, SRCCOPY);
    return pDstDC->StretchBlt(rectDst.left, rectDst.top, rectDst.Width(), rectDst.Height(), pSrcDC, rectSrc.left,
                              rectSrc.top, rectSrc.Width(), rectSrc.Height(), SRCCOPY);
}

HBITMAP CZUDPDrawManager::CreateShadowSpot(int nDepth, COLORREF clrBase, int nMinPercent, int nMaxPercent)
{
    if (nDepth == 0)
        return nullptr;
    int n = 2 * std::max(nDepth, 3) + 1;
    LPVOID bits = nullptr;
    HBITMAP hBitmap = Create32BitDibSection(CSize(n, n), &bits);
    if (hBitmap == nullptr)
        return nullptr;
    DWORD* pixels = static_cast<DWORD*>(bits);
    double d = double(n) * n / 4.0;
    double low = nMinPercent / 100.0, high = nMaxPercent / 100.0;
    int half = n / 2;
    for (int j = -half; j <= half; ++j) {
        for (int i = -half; i <= half; ++i) {
            double r2 = double(i) * i + double(j) * j;
            double f = 0.0;
            if (r2 <= d) {
                f = std::exp(-2.0 * r2 / d) * (nMaxPercent - nMinPercent) / 100.0 + low;
                f = std::min(std::max(f, std::min(low, high)), std::max(low, high));
            }
            int alpha = ClampChannel(f * 255.0);
            int r = ClampChannel((GetRValue(clrBase) >> 2) * f);
            int g = ClampChannel((GetGValue(clrBase) >> 2) * f);
            int b = ClampChannel((GetBValue(clrBase) >> 2) * f);
            pixels[(j + half) * n + (i + half)] = MakePixel(r, g, b, alpha);
        }
    }
    return hBitmap;
}

void CZUDPDrawManager::ShadePixel(DWORD* pBits, CSize size, int x, int y, int nPercent, int nDepth,
                                  COLORREF clrBase, BOOL bMirrored)
{
    int width = size.cx + nDepth;
    int height = size.cy + nDepth;
    int column = bMirrored ? width - x : x;
    int row = height - y;  // counted from the bottom of the bottom-up DIB
    // Narrow or low rectangles put some layers outside the area: those
    // pixels do not exist and are skipped.
    if (pBits == nullptr || column < 0 || column >= width || row < 0 || row >= height)
        return;
    DWORD& pixel = pBits[size_t(row) * size_t(width) + size_t(column)];
    COLORREF scaled = ScaleColorPercent(ColorFromPixel(pixel), nPercent);
    int r = GetRValue(scaled), g = GetGValue(scaled), b = GetBValue(scaled);
    if (clrBase != (COLORREF)-1) {
        r = (3 * r + GetRValue(clrBase)) / 4;
        g = (3 * g + GetGValue(clrBase)) / 4;
        b = (3 * b + GetBValue(clrBase)) / 4;
    }
    pixel = MakePixel(r, g, b, 0xFF);
}

// ---------------------------------------------------------------------------
// Gradients

void CZUDPDrawManager::FillGradientBands(CRect rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical,
                                         int nStartFlatPercent, int nEndFlatPercent)
{
    if (clrStart == clrEnd) {
        m_dc.FillSolidRect(&rect, clrStart);
        return;
    }
    const int width = rect.Width(), height = rect.Height();
    if (nStartFlatPercent > 0) {
        if (bVertical) {
            CRect band(rect.left, rect.top, rect.right, rect.top + height * nStartFlatPercent / 100);
            m_dc.FillSolidRect(&band, clrEnd);
            rect.top = band.bottom;
        } else {
            CRect band(rect.left, rect.top, rect.left + width * nStartFlatPercent / 100, rect.bottom);
            m_dc.FillSolidRect(&band, clrStart);
            rect.left = band.right;
        }
    }
    if (nEndFlatPercent > 0) {
        if (bVertical) {
            CRect band(rect.left, rect.bottom - height * nEndFlatPercent / 100, rect.right, rect.bottom);
            m_dc.FillSolidRect(&band, clrStart);
            rect.bottom = band.top;
        } else {
            CRect band(rect.right - width * nEndFlatPercent / 100, rect.top, rect.right, rect.bottom);
            m_dc.FillSolidRect(&band, clrEnd);
            rect.right = band.left;
        }
    }
    if (nStartFlatPercent + nEndFlatPercent > 100)
        return;

    const int remainingWidth = rect.Width(), remainingHeight = rect.Height();
    for (int r = 0; r < 64; ++r) {
        COLORREF colour = RGB((GetRValue(clrStart) * (64 - r) + GetRValue(clrEnd) * r) >> 6,
                              (GetGValue(clrStart) * (64 - r) + GetGValue(clrEnd) * r) >> 6,
                              (GetBValue(clrStart) * (64 - r) + GetBValue(clrEnd) * r) >> 6);
        CRect band;
        if (bVertical)
            band.SetRect(rect.left, rect.bottom - ((remainingHeight * (r + 1)) >> 6), rect.right,
                         rect.bottom - ((remainingHeight * r) >> 6));
        else
            band.SetRect(rect.left + ((remainingWidth * r) >> 6), rect.top,
                         rect.left + ((remainingWidth * (r + 1)) >> 6), rect.bottom);
        if (band.IsRectEmpty())
            continue;
        m_dc.FillSolidRect(&band, colour);
    }
}

void CZUDPDrawManager::FillLinearGradient(CRect rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical,
                                          int nStartFlatPercent, int nEndFlatPercent)
{
    if (!g_drawingOnGlass) {
        FillGradientBands(rect, clrStart, clrEnd, bVertical, nStartFlatPercent, nEndFlatPercent);
        return;
    }
    rect.NormalizeRect();
    if (rect.IsRectEmpty())
        return;
    CDibArea area(m_dc, rect, FALSE);
    if (!area.IsValid())
        return;
    {
        CZUDPDrawManager inner(area.MemDC());
        inner.FillGradientBands(CRect(0, 0, rect.Width(), rect.Height()), clrStart, clrEnd, bVertical,
                                nStartFlatPercent, nEndFlatPercent);
    }
    ::GdiFlush();
    DWORD* bits = area.Bits();
    for (size_t i = 0; i < area.Count(); ++i)
        bits[i] |= 0xFF000000;
    area.PutBack();
}

void CZUDPDrawManager::FillAngleGradient(CRect rect, COLORREF clr1, COLORREF clr2, int nAngle)
{
    const int width = rect.Width(), height = rect.Height();
    if (width < 1 || height < 1)
        return;
    if (clr1 == clr2) {
        if (g_drawingOnGlass)
            FillLinearGradient(rect, clr1, clr2);
        else
            m_dc.FillSolidRect(&rect, clr1);
        return;
    }
    switch (nAngle) {
    case 0:
    case 360: FillLinearGradient(rect, clr1, clr2, FALSE); return;
    case 90: FillLinearGradient(rect, clr1, clr2, TRUE); return;
    case 180: FillLinearGradient(rect, clr2, clr1, FALSE); return;
    case 270: FillLinearGradient(rect, clr2, clr1, TRUE); return;
    default: break;
    }

    CDibArea area(m_dc, rect, FALSE);
    if (!area.IsValid())
        return;
    CDC& dc = area.MemDC();
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    int shift = int(std::cos((nAngle + 180) * 3.1415926 / 180.0) * height);
    int span = std::abs(shift) + width;
    int start = shift < 1 ? 0 : -shift;
    for (int i = 0; i < 64; ++i) {
        COLORREF colour = RGB((GetRValue(clr1) * (64 - i) + GetRValue(clr2) * i) >> 6,
                              (GetGValue(clr1) * (64 - i) + GetGValue(clr2) * i) >> 6,
                              (GetBValue(clr1) * (64 - i) + GetBValue(clr2) * i) >> 6);
        int x1 = ((i * span) >> 6) + start;
        int x2 = ((i * span + span) >> 6) + start;
        if (x1 == x2)
            continue;
        HBRUSH brush = ::CreateSolidBrush(colour);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        POINT points[4] = {{x1, 0}, {x2, 0}, {x2 + shift, height}, {x1 + shift, height}};
        // Polygons without a pen leave their right and bottom edges out:
        // reach one pixel further so that neighbouring bands meet.
        points[1].x += 1;
        points[2].x += 1;
        points[2].y += 1;
        points[3].y += 1;
        ::Polygon(dc, points, 4);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, oldPen);
    ::GdiFlush();
    // GDI leaves the alpha byte of what it draws at 0.
    DWORD* bits = area.Bits();
    for (size_t i = 0; i < area.Count(); ++i)
        bits[i] |= 0xFF000000;
    area.PutBack();
}

// ---------------------------------------------------------------------------
// Drop shadow

BOOL CZUDPDrawManager::DrawDropShadow(CRect rect, int nDepth, int nOuterPercent, int nInnerPercent,
                                      CBitmap* pBottomCache, CBitmap* pSideCache, COLORREF clrBase,
                                      BOOL bRightShadow)
{
    const int D = nDepth;
    if (D <= 0 || rect.IsRectNull() || rect.IsRectEmpty())
        return TRUE;
    const int W = rect.Width(), H = rect.Height();
    const int areaLeft = bRightShadow ? rect.left : rect.left - D;
    const int sideLeft = bRightShadow ? rect.right : rect.left - D;

    if (pBottomCache != nullptr && pSideCache != nullptr && pBottomCache->GetSafeHandle() != nullptr &&
        pSideCache->GetSafeHandle() != nullptr) {
        m_dc.DrawState(CPoint(sideLeft, rect.top), CSize(D, H + D), (HBITMAP)pSideCache->GetSafeHandle(), DSS_NORMAL);
        m_dc.DrawState(CPoint(areaLeft, rect.bottom), CSize(W + D, D), (HBITMAP)pBottomCache->GetSafeHandle(),
                       DSS_NORMAL);
        return TRUE;
    }

    CRect areaRect(areaLeft, rect.top, areaLeft + W + D, rect.top + H + D);
    {
        CDibArea area(m_dc, areaRect, TRUE, FALSE);
        if (!area.IsValid())
            return FALSE;
        DWORD* bits = area.Bits();
        const CSize size(W, H);
        const BOOL mirrored = !bRightShadow;
        const int step = (nInnerPercent - nOuterPercent) / D;
        for (int n = 0; n < D; ++n) {
            const int p = nInnerPercent - n * step;
            const int q = nInnerPercent - (D - n) * step;
            for (int y = H; y <= H + D - n - 1; ++y)
                ShadePixel(bits, size, D + n, y, q, D, clrBase, mirrored);
            for (int x = 2 * D - n; x <= W + n - 1; ++x)
                ShadePixel(bits, size, x, H + n, p, D, clrBase, mirrored);
            for (int y = 2 * D - n; y <= H + n; ++y)
                ShadePixel(bits, size, W + n, y, p, D, clrBase, mirrored);
            for (int x = W; x <= W + D - n - 1; ++x)
                ShadePixel(bits, size, x, D + n, q, D, clrBase, mirrored);
        }
        area.PutBack();
    }

    if (pBottomCache != nullptr && pSideCache != nullptr) {
        CDC memDC;
        if (memDC.CreateCompatibleDC(&m_dc)) {
            pSideCache->DeleteObject();
            if (pSideCache->CreateCompatibleBitmap(&m_dc, D + 1, H + D)) {
                CBitmap* old = memDC.SelectObject(pSideCache);
                memDC.BitBlt(0, 0, D, H + D, &m_dc, sideLeft, rect.top, SRCCOPY);
                memDC.SelectObject(old);
            }
            pBottomCache->DeleteObject();
            if (pBottomCache->CreateCompatibleBitmap(&m_dc, W + D, D + 1)) {
                CBitmap* old = memDC.SelectObject(pBottomCache);
                memDC.BitBlt(0, 0, W + D, D, &m_dc, areaLeft, rect.bottom, SRCCOPY);
                memDC.SelectObject(old);
            }
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Tint and grey

BOOL CZUDPDrawManager::TintRect(CRect rect, int nPercent, COLORREF clrTransparent, int nTolerance, COLORREF clrBlend)
{
    if (nPercent == 100 || rect.IsRectEmpty())
        return TRUE;
    if (g_uiEnvironment.m_bitsPerPixel <= 8) {
        FillLightRect(m_dc, rect);
        return TRUE;
    }
    if (clrBlend != (COLORREF)-1 && nPercent > 100)
        return FALSE;

    CDibArea area(m_dc, rect, TRUE);
    if (!area.IsValid())
        return FALSE;
    const COLORREF highlight = g_uiEnvironment.m_colorButtonHighlight;
    const CChannelScale scale(nPercent / 100.0);
    DWORD* bits = area.Bits();
    for (size_t i = 0; i < area.Count(); ++i) {
        DWORD pixel = bits[i];
        COLORREF colour = ColorFromPixel(pixel);
        BOOL change;
        if (clrTransparent == (COLORREF)-1)
            change = TRUE;
        else if (nTolerance > 0)
            change = std::abs(GetRValue(colour) - GetRValue(clrTransparent)) >= nTolerance ||
                     std::abs(GetGValue(colour) - GetGValue(clrTransparent)) >= nTolerance ||
                     std::abs(GetBValue(colour) - GetBValue(clrTransparent)) >= nTolerance;
        else
            change = colour != clrTransparent;
        if (!change)
            continue;
        if (nPercent == -1) {
            bits[i] = MakePixel((GetRValue(highlight) + 2 * Red(pixel)) / 3, (GetGValue(highlight) + 2 * Green(pixel)) / 3,
                                (GetBValue(highlight) + 2 * Blue(pixel)) / 3);
        } else if (clrBlend == (COLORREF)-1) {
            bits[i] = scale.Apply(pixel);
        } else {
            auto towards = [nPercent](int c, int b) { return ClampChannel((long long)c + ::MulDiv(b - c, nPercent, 100)); };
            bits[i] = MakePixel(towards(Red(pixel), GetRValue(clrBlend)), towards(Green(pixel), GetGValue(clrBlend)),
                                towards(Blue(pixel), GetBValue(clrBlend)));
        }
    }
    area.PutBack();
    return TRUE;
}

BOOL CZUDPDrawManager::GrayRect(CRect rect, int nPercent, COLORREF clrTransparent, COLORREF clrBlend)
{
    if (rect.IsRectEmpty())
        return TRUE;
    if (g_uiEnvironment.m_bitsPerPixel <= 8) {
        FillLightRect(m_dc, rect);
        return TRUE;
    }
    CDibArea area(m_dc, rect, TRUE);
    if (!area.IsValid())
        return FALSE;
    const COLORREF blend = clrBlend == (COLORREF)-1 ? g_uiEnvironment.m_colorButtonHighlight : clrBlend;
    const CChannelScale scale(nPercent / 100.0);
    const BYTE* greyOf = GreyByExtremes();
    DWORD* bits = area.Bits();
    for (size_t i = 0; i < area.Count(); ++i) {
        DWORD pixel = bits[i];
        if (clrTransparent != (COLORREF)-1 && ColorFromPixel(pixel) == clrTransparent)
            continue;
        int r = Red(pixel), g = Green(pixel), b = Blue(pixel);
        int greyValue = greyOf[std::max(r, std::max(g, b)) * 256 + std::min(r, std::min(g, b))];
        COLORREF grey = RGB(greyValue, greyValue, greyValue);
        if (nPercent == -1) {
            auto half = [](int c, int b) { return ClampChannel((long long)c + (b - c) / 2); };
            bits[i] = MakePixel(half(GetRValue(grey), GetRValue(blend)), half(GetGValue(grey), GetGValue(blend)),
                                half(GetBValue(grey), GetBValue(blend)));
        } else {
            bits[i] = scale.Apply(MakePixel(greyValue, greyValue, greyValue));
        }
    }
    area.PutBack();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Ellipse, line, box

void CZUDPDrawManager::DrawEllipse(CRect rect, COLORREF clrFill, COLORREF clrBorder)
{
    if (clrFill == (COLORREF)-1 && clrBorder == (COLORREF)-1)
        return;
    rect.NormalizeRect();
    if (rect.IsRectEmpty())
        return;
    if (clrBorder == (COLORREF)-1)
        clrBorder = clrFill;
    const BOOL hasFill = clrFill != (COLORREF)-1;
    const BOOL canBlend = g_uiEnvironment.m_alphaBlend != nullptr;

    CDibArea area(m_dc, rect, !canBlend);
    if (!area.IsValid())
        return;
    const int w = area.Width(), h = area.Height();
    DWORD* bits = area.Bits();
    const double a = (w - 1) / 2.0, b = (h - 1) / 2.0;
    const double cx = a, cy = b;
    const DWORD fillPixel = PixelFromColor(hasFill ? clrFill : 0);
    std::vector<BYTE> filled(size_t(w) * size_t(h), 0);
    // Pixel centres that lie on the curve count as inside, however the
    // square root rounds for them.
    const double kEdgeSlack = 1e-9;

    auto at = [&](int x, int y) -> DWORD* {
        return (x >= 0 && x < w && y >= 0 && y < h) ? &bits[size_t(y) * size_t(w) + size_t(x)] : nullptr;
    };

    // The inside: runs across the ellipse along its shorter axis.
    if (hasFill) {
        if (w >= h) {
            for (int y = 0; y < h; ++y) {
                double dy = b > 0 ? (y - cy) / b : 0.0;
                if (std::fabs(dy) > 1.0)
                    continue;
                double extent = a * std::sqrt(1.0 - dy * dy);
                for (int x = int(std::ceil(cx - extent - kEdgeSlack)); x <= int(std::floor(cx + extent + kEdgeSlack)); ++x)
                    if (DWORD* p = at(x, y)) {
                        *p = fillPixel;
                        filled[size_t(y) * size_t(w) + size_t(x)] = 1;
                    }
            }
        } else {
            for (int x = 0; x < w; ++x) {
                double dx = a > 0 ? (x - cx) / a : 0.0;
                if (std::fabs(dx) > 1.0)
                    continue;
                double extent = b * std::sqrt(1.0 - dx * dx);
                for (int y = int(std::ceil(cy - extent - kEdgeSlack)); y <= int(std::floor(cy + extent + kEdgeSlack)); ++y)
                    if (DWORD* p = at(x, y)) {
                        *p = fillPixel;
                        filled[size_t(y) * size_t(w) + size_t(x)] = 1;
                    }
            }
        }
    }

    // The outline's coverage of each pixel: where the two passes meet the
    // higher coverage wins, whatever their order.
    std::vector<double> coverageOf(size_t(w) * size_t(h), 0.0);
    auto put = [&](int x, int y, double coverage) {
        if (at(x, y) == nullptr)
            return;
        double& stored = coverageOf[size_t(y) * size_t(w) + size_t(x)];
        stored = std::max(stored, std::min(coverage, 1.0));
    };

    // An edge at position e (along one axis, centre c): the pixel beyond it
    // and the one inside it share the border by the edge's fraction.
    auto edge = [&](double e, double c, BOOL alongX, int other) {
        int inside, beyond;
        double f;
        if (e >= c) {
            inside = int(std::floor(e));
            beyond = inside + 1;
            f = std::ceil(e) - e;
        } else {
            inside = int(std::ceil(e));
            beyond = inside - 1;
            f = e - std::floor(e);
        }
        if (alongX) {
            put(beyond, other, 1.0 - f);
            put(inside, other, f);
        } else {
            put(other, beyond, 1.0 - f);
            put(other, inside, f);
        }
    };

    if (a <= 0.0 || b <= 0.0) {
        // A line one pixel thin: the border along it.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, 1.0);
    } else {
        const double root = std::sqrt(a * a + b * b);
        const double splitX = a * a / root, splitY = b * b / root;
        // Where x changes slowly: one step per column, edge in y.
        for (int x = int(std::ceil(cx - splitX)); x <= int(std::floor(cx + splitX)); ++x) {
            double dx = (x - cx) / a;
            double extent = b * std::sqrt(std::max(0.0, 1.0 - dx * dx));
            edge(cy + extent, cy, FALSE, x);
            edge(cy - extent, cy, FALSE, x);
        }
        // Where y changes slowly: one step per row, edge in x.
        for (int y = int(std::ceil(cy - splitY)); y <= int(std::floor(cy + splitY)); ++y) {
            double dy = (y - cy) / b;
            double extent = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
            edge(cx + extent, cx, TRUE, y);
            edge(cx - extent, cx, TRUE, y);
        }
    }
    // Over the fill an opaque mix, elsewhere the border premultiplied by
    // its coverage.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double coverage = coverageOf[size_t(y) * size_t(w) + size_t(x)];
            if (coverage <= 0.0)
                continue;
            DWORD* p = at(x, y);
            if (filled[size_t(y) * size_t(w) + size_t(x)]) {
                *p = PixelFromColor(InterpolateColor(clrFill, clrBorder, coverage));
            } else if (canBlend) {
                *p = MakePixel(ClampChannel(GetRValue(clrBorder) * coverage + 0.5),
                               ClampChannel(GetGValue(clrBorder) * coverage + 0.5),
                               ClampChannel(GetBValue(clrBorder) * coverage + 0.5), ClampChannel(coverage * 255.0 + 0.5));
            } else {
                COLORREF under = ColorFromPixel(*p);
                *p = PixelFromColor(InterpolateColor(under, clrBorder, coverage));
            }
        }
    if (canBlend)
        area.BlendBack();
    else
        area.PutBack();
}

void CZUDPDrawManager::DrawPixelLine(CPoint pt1, CPoint pt2, COLORREF clrLine)
{
    if (clrLine == (COLORREF)-1 || pt1 == pt2)
        return;
    CRect rect(std::min(pt1.x, pt2.x), std::min(pt1.y, pt2.y), std::max(pt1.x, pt2.x) + 1,
               std::max(pt1.y, pt2.y) + 1);
    CDibArea area(m_dc, rect, FALSE);
    if (!area.IsValid())
        return;
    const DWORD pixel = PixelFromColor(clrLine);
    const int w = area.Width();
    DWORD* bits = area.Bits();
    int x = pt1.x - rect.left, y = pt1.y - rect.top;
    const int x2 = pt2.x - rect.left, y2 = pt2.y - rect.top;
    const int dx = std::abs(x2 - x), dy = -std::abs(y2 - y);
    const int sx = x < x2 ? 1 : -1, sy = y < y2 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        bits[size_t(y) * size_t(w) + size_t(x)] = pixel;
        if (x == x2 && y == y2)
            break;
        int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
    area.BlendBack();
}

void CZUDPDrawManager::DrawBox(CRect rect, COLORREF clrFill, COLORREF clrBorder)
{
    if (clrFill == (COLORREF)-1 && clrBorder == (COLORREF)-1)
        return;
    rect.NormalizeRect();
    if (rect.IsRectEmpty())
        return;
    const BOOL hasFill = clrFill != (COLORREF)-1;
    const BOOL canBlend = g_uiEnvironment.m_alphaBlend != nullptr;
    // Without blending a box without fill is drawn as its border alone on
    // the target's own pixels, never with a black inside.
    CDibArea area(m_dc, rect, !hasFill && !canBlend);
    if (!area.IsValid())
        return;
    const int w = area.Width(), h = area.Height();
    DWORD* bits = area.Bits();
    const DWORD border = PixelFromColor(clrBorder);
    const DWORD fill = hasFill ? PixelFromColor(clrFill) : 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            DWORD& p = bits[size_t(y) * size_t(w) + size_t(x)];
            BOOL onBorder = clrBorder != (COLORREF)-1 && (y == 0 || y == h - 1 || x == 0 || x == w - 1);
            if (onBorder)
                p = border;
            else if (hasFill || canBlend)
                p = fill;
        }
    }
    if (hasFill || !canBlend)
        area.PutBack();
    else
        area.BlendBack();
}

// ---------------------------------------------------------------------------
// Alpha and flip

void CZUDPDrawManager::FillAlphaChannel(CRect rect, BYTE nAlpha)
{
    rect.NormalizeRect();
    CDibArea area(m_dc, rect, TRUE);
    if (!area.IsValid())
        return;
    DWORD* bits = area.Bits();
    for (size_t i = 0; i < area.Count(); ++i)
        bits[i] |= DWORD(nAlpha) << 24;
    area.PutBack();
}

void CZUDPDrawManager::FlipRect(CRect rect, BOOL bHorizontal)
{
    if (rect.IsRectEmpty())
        return;
    CRect clip;
    m_dc.GetClipBox(&clip);
    CRect inside;
    inside.IntersectRect(&rect, &clip);
    if (inside != rect)
        return;
    CDibArea area(m_dc, rect, TRUE);
    if (!area.IsValid())
        return;
    const int w = area.Width(), h = area.Height();
    DWORD* bits = area.Bits();
    if (bHorizontal) {
        for (int y = 0; y < h; ++y)
            std::reverse(bits + size_t(y) * size_t(w), bits + size_t(y + 1) * size_t(w));
    } else {
        for (int y = 0; y < h / 2; ++y)
            std::swap_ranges(bits + size_t(y) * size_t(w), bits + size_t(y + 1) * size_t(w),
                             bits + size_t(h - 1 - y) * size_t(w));
    }
    area.PutBack();
}
