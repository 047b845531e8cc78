#pragma once
// Small images for the image strip tests, made by the tests themselves:
// DIB sections filled by a function of the pixel position, BMP and PNG file
// bytes, and reading pixels back from any bitmap.
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace striptest {

// A bottom-up DIB section (the row order the system's loaders give) of 24
// or 32 bits; pixel(x, y) answers 0xAARRGGBB (alpha ignored at 24 bits).
inline HBITMAP MakeDib(int width, int height, int bitCount, const std::function<uint32_t(int, int)>& pixel)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitCount);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    int stride = ((width * bitCount / 8) + 3) & ~3;
    for (int y = 0; y < height; ++y) {
        BYTE* row = static_cast<BYTE*>(bits) + size_t(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t value = pixel(x, y);
            if (bitCount == 32)
                std::memcpy(row + x * 4, &value, 4);
            else
                std::memcpy(row + x * 3, &value, 3);
        }
    }
    return bitmap;
}

// A 4-bit DIB section with the sixteen colours given (COLORREF), pixel(x, y)
// answering the palette index.
inline HBITMAP MakeDib4(int width, int height, const COLORREF (&palette)[16], const std::function<int(int, int)>& pixel)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[16];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 4;
    for (int i = 0; i < 16; ++i)
        info.colours[i] = RGBQUAD{GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};
    void* bits = nullptr;
    HBITMAP bitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    int stride = ((width * 4 + 31) / 32) * 4;
    std::memset(bits, 0, size_t(stride) * height);
    for (int y = 0; y < height; ++y) {
        BYTE* row = static_cast<BYTE*>(bits) + size_t(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x)
            row[x / 2] |= BYTE((pixel(x, y) & 0x0F) << (x % 2 ? 0 : 4));
    }
    return bitmap;
}

inline uint32_t Argb(int a, int r, int g, int b) { return (uint32_t(a) << 24) | (r << 16) | (g << 8) | b; }
inline uint32_t ArgbOf(COLORREF colour, int alpha = 0xFF)
{
    return Argb(alpha, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// The raw 0xAARRGGBB of a 32-bit DIB section's pixel, rows counted from the
// top; 0 for anything else.
inline uint32_t RawPixel(HBITMAP bitmap, int x, int y)
{
    DIBSECTION ds = {};
    if (::GetObjectA(bitmap, sizeof(ds), &ds) != int(sizeof(ds)) || ds.dsBm.bmBitsPixel != 32)
        return 0;
    ::GdiFlush();
    int row = ds.dsBmih.biHeight < 0 ? y : ds.dsBm.bmHeight - 1 - y;
    return static_cast<const uint32_t*>(ds.dsBm.bmBits)[size_t(row) * ds.dsBm.bmWidth + x];
}

// The colour of a pixel of any bitmap (GetPixel through a memory DC).
inline COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    COLORREF colour = old != nullptr ? ::GetPixel(dc, x, y) : CLR_INVALID;
    if (old != nullptr)
        ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return colour;
}

inline int BitsPerPixelOf(HBITMAP bitmap)
{
    BITMAP bm = {};
    return ::GetObjectA(bitmap, sizeof(bm), &bm) ? bm.bmBitsPixel : 0;
}

inline CSize SizeOf(HBITMAP bitmap)
{
    BITMAP bm = {};
    return ::GetObjectA(bitmap, sizeof(bm), &bm) ? CSize(bm.bmWidth, bm.bmHeight) : CSize(0, 0);
}

// A 24-bit BMP file of pixel(x, y) (COLORREF).
std::string BmpFile24(int width, int height, const std::function<COLORREF(int, int)>& pixel);
// A PNG file (8-bit RGBA, straight alpha) of pixel(x, y) (0xAARRGGBB).
std::string PngFile32(int width, int height, const std::function<uint32_t(int, int)>& pixel);

// Puts the msimg32 entry points and the mirror flag back when the scope
// ends, so that a test may replace them.
class SavedStripStatics {
public:
    SavedStripStatics()
        : m_alphaBlend(CZUDPToolBarImages::s_alphaBlend), m_transparentBlt(CZUDPToolBarImages::s_transparentBlt),
          m_mirror(CZUDPToolBarImages::IsMirrorImages()), m_depth(g_uiEnvironment.m_bitsPerPixel)
    {
        // A strip asks the active visual manager while it draws, and making
        // the manager then would read the screen's depth again over the one
        // the test set: it is made now.
        CZUDPVisualManager::GetActiveManager();
    }
    ~SavedStripStatics()
    {
        CZUDPToolBarImages::s_alphaBlend = m_alphaBlend;
        CZUDPToolBarImages::s_transparentBlt = m_transparentBlt;
        CZUDPToolBarImages::SetMirrorImages(m_mirror);
        g_uiEnvironment.m_bitsPerPixel = m_depth;
    }
    SavedStripStatics(const SavedStripStatics&) = delete;
    SavedStripStatics& operator=(const SavedStripStatics&) = delete;

private:
    CZUDPToolBarImages::AlphaBlendFn m_alphaBlend;
    CZUDPToolBarImages::TransparentBltFn m_transparentBlt;
    BOOL m_mirror;
    int m_depth;
};

} // namespace striptest
