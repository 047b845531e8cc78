// Rescaling a strip's images by a factor with a separable filter: every
// image is resampled on its own (Lanczos3 when shrinking, Mitchell when
// enlarging) into a new 32-bit premultiplied strip.
#include "ui/foundation/ZUDPToolBarImages.h"

#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPZoomKernel.h"

#include <cmath>

namespace {

// A 32-bit bottom-up copy of any bitmap: DIB sections through the draw
// manager (the key colour becomes fully transparent), other bitmaps through
// the system's copy with the same keying.
HBITMAP CopyAs32Bit(HBITMAP hBitmap, COLORREF clrTransparent, LPVOID* pBits)
{
    *pBits = nullptr;
    HBITMAP hCopy = CZUDPDrawManager::CopyBitmapTo32Bit(hBitmap, clrTransparent);
    BITMAP info = {};
    if (hCopy != nullptr) {
        if (::GetObjectA(hCopy, sizeof(info), &info) == 0 || info.bmBits == nullptr) {
            ::DeleteObject(hCopy);
            return nullptr;
        }
        *pBits = info.bmBits;
        return hCopy;
    }
    if (::GetObjectA(hBitmap, sizeof(info), &info) == 0 || info.bmWidth < 1 || info.bmHeight < 1)
        return nullptr;
    LPVOID bits = nullptr;
    hCopy = CZUDPDrawManager::Create32BitDibSection(CSize(info.bmWidth, info.bmHeight), &bits);
    if (hCopy == nullptr)
        return nullptr;
    HDC source = ::CreateCompatibleDC(nullptr), destination = ::CreateCompatibleDC(nullptr);
    BOOL copied = FALSE;
    if (source != nullptr && destination != nullptr) {
        HGDIOBJ oldSource = ::SelectObject(source, hBitmap);
        HGDIOBJ oldDestination = ::SelectObject(destination, hCopy);
        copied = ::BitBlt(destination, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        ::SelectObject(source, oldSource);
        ::SelectObject(destination, oldDestination);
        ::GdiFlush();
    }
    if (source != nullptr)
        ::DeleteDC(source);
    if (destination != nullptr)
        ::DeleteDC(destination);
    if (!copied) {
        ::DeleteObject(hCopy);
        return nullptr;
    }
    DWORD* pixels = static_cast<DWORD*>(bits);
    const DWORD key = CZUDPDrawManager::PixelFromColor(clrTransparent, 0) & 0x00FFFFFF;
    for (size_t i = 0, n = size_t(info.bmWidth) * size_t(info.bmHeight); i < n; ++i) {
        const DWORD rgb = pixels[i] & 0x00FFFFFF;
        pixels[i] = (clrTransparent != (COLORREF)-1 && rgb == key) ? 0 : (rgb | 0xFF000000);
    }
    *pBits = bits;
    return hCopy;
}

// A new size of one side: the old one times the factor, rounded; -1 when
// it is larger than any bitmap the strip could hold.
int ScaledLength(int length, double factor)
{
    const double scaled = double(length) * factor + 0.5;
    if (!(scaled < 32768.0))
        return -1;
    return scaled < 0.0 ? 0 : int(scaled);
}

} // namespace

BOOL CZUDPToolBarImages::ResampleByScale(double dScale)
{
    if (m_alias || m_hImageBitmap == nullptr || m_bitsPerPixel <= 23 || dScale == 0.0 || !std::isfinite(dScale) ||
        dScale < 0.0)
        return FALSE;
    if (dScale == 1.0)
        return TRUE;

    const int width = m_imageSize.cx, height = m_imageSize.cy;
    const int newWidth = ScaledLength(width, dScale), newHeight = ScaledLength(height, dScale);
    if (newWidth < 0 || newHeight < 0)
        return FALSE;
    if ((newWidth == width && newHeight == height) || width < 1 || height < 1 || newWidth < 1 || newHeight < 1 ||
        m_count == 0)
        return TRUE;

    DIBSECTION section = {};
    BITMAP plain = {};
    BOOL topDown = FALSE;
    if (::GetObjectA(m_hImageBitmap, sizeof(section), &section) == int(sizeof(section)))
        topDown = section.dsBmih.biHeight < 0;
    if (::GetObjectA(m_hImageBitmap, sizeof(plain), &plain) == 0 || plain.bmWidth < 1 || plain.bmHeight < 1)
        return FALSE;

    // A single image in a bitmap taller than the image is a column of
    // images stacked top to bottom; otherwise the images lie side by side.
    const BOOL column = m_count == 1 && plain.bmHeight > height;
    const int images = column ? plain.bmHeight / height : m_count;
    if (images < 1)
        return TRUE;
    const long long outWidth = column ? newWidth : (long long)newWidth * images;
    const long long outHeight = column ? (long long)newHeight * images : newHeight;
    if (outWidth > 0x7FFFFFFF / 4 || outHeight > 0x7FFFFFFF / 4 || outWidth * outHeight > 0x7FFFFFFF / 4)
        return FALSE;

    // The source pixels: a 24- or 32-bit DIB section is read where it lies
    // (a 24-bit one keyed on the transparent colour); any other bitmap
    // through a 32-bit copy in which the key is already transparent.
    ZUDPPixelView source;
    uint32_t keyPixel = ZUDPNoKeyPixel;
    HBITMAP hSource = nullptr;
    const BOOL direct = section.dsBm.bmBits != nullptr && section.dsBmih.biCompression == BI_RGB &&
                        (section.dsBm.bmBitsPixel == 24 || section.dsBm.bmBitsPixel == 32);
    if (direct) {
        ::GdiFlush();
        source = ZUDPPixelView::OfDib(section.dsBm.bmBits, plain.bmWidth, plain.bmHeight,
                                      section.dsBm.bmBitsPixel / 8, section.dsBmih.biHeight > 0);
        if (section.dsBm.bmBitsPixel == 24 && m_transparentColor != (COLORREF)-1)
            keyPixel = CZUDPDrawManager::PixelFromColor(m_transparentColor, 0) & 0x00FFFFFF;
    } else {
        LPVOID sourceBits = nullptr;
        hSource = CopyAs32Bit(m_hImageBitmap, m_transparentColor, &sourceBits);
        if (hSource == nullptr)
            return FALSE;
        source = ZUDPPixelView::OfDib(sourceBits, plain.bmWidth, plain.bmHeight, 4, true);
    }
    auto dropSource = [&] {
        if (hSource != nullptr)
            ::DeleteObject(hSource);
        hSource = nullptr;
    };

    LPVOID destinationBits = nullptr;
    HBITMAP hDestination = CZUDPDrawManager::Create32BitDibSection(
        CSize(int(outWidth), topDown ? -int(outHeight) : int(outHeight)), &destinationBits);
    if (hDestination == nullptr) {
        dropSource();
        return FALSE;
    }

    const int filter = dScale < 1.0 ? ZUDPZoomLanczos3 : ZUDPZoomMitchell;
    CZUDPZoomKernel across, down;
    if (!across.BuildContributions(width, newWidth, 0, width, filter) ||
        !down.BuildContributions(height, newHeight, 0, height, filter)) {
        dropSource();
        ::DeleteObject(hDestination);
        return FALSE;
    }
    const ZUDPPixelView destination =
        ZUDPPixelView::OfDib(destinationBits, int(outWidth), int(outHeight), 4, !topDown);
    for (int i = 0; i < images; ++i) {
        if (column)
            ResampleImage(source.Sub(0, i * height, width, height), destination.Sub(0, i * newHeight, newWidth, newHeight),
                          across, down, keyPixel);
        else
            ResampleImage(source.Sub(i * width, 0, width, height), destination.Sub(i * newWidth, 0, newWidth, newHeight),
                          across, down, keyPixel);
    }
    dropSource();

    // Only now, with the new bitmap made, does the strip change.  The size
    // and key before the first rescaling are kept (a second rescaling must
    // not forget them), so that emptying or reloading the strip restores
    // them.
    if (m_unscaledImageSize.cx == 0 && m_unscaledImageSize.cy == 0) {
        m_unscaledImageSize = m_imageSize;
        m_savedTransparentColor = m_transparentColor;
    }
    m_imageSize = CSize(newWidth, newHeight);
    m_transparentColor = (COLORREF)-1;
    m_bitsPerPixel = 32;
    m_scale *= dScale;
    // The light and shadow copies go with the old bitmap (a 32-bit strip
    // never draws from them); aliases take the new bitmap and sizes.
    ReplaceImageBitmap(hDestination);
    RecountImages();
    return m_hImageBitmap == hDestination;
}
