#include "ui/planner/PlannerShadow.h"

#include <algorithm>
#include <vector>

#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

// One soft spot as premultiplied pixels, top row first: (2m + 1) square,
// m = max(depth, 3), the shape the draw manager builds its shadows from.
struct ShadowSpotPixels {
    int depth = 0;
    int maxPercent = 0;
    COLORREF base = 0;
    int size = 0;
    std::vector<DWORD> pixels;
};

// The last few spots per thread: a view uses one or two kinds.
struct ShadowSpotCache {
    ShadowSpotPixels entries[4];
    int next = 0;

    const ShadowSpotPixels* Get(int depth, int maxPercent, COLORREF base)
    {
        for (const ShadowSpotPixels& entry : entries)
            if (entry.size > 0 && entry.depth == depth && entry.maxPercent == maxPercent && entry.base == base)
                return &entry;
        HBITMAP spot = CZUDPDrawManager::CreateShadowSpot(depth, base, 0, maxPercent);
        if (spot == nullptr)
            return nullptr;
        DIBSECTION section = {};
        const ShadowSpotPixels* result = nullptr;
        if (::GetObjectA(spot, sizeof section, &section) == int(sizeof section) && section.dsBm.bmBits != nullptr &&
            section.dsBm.bmBitsPixel == 32 && section.dsBm.bmWidth == section.dsBm.bmHeight) {
            ShadowSpotPixels& entry = entries[next];
            next = (next + 1) % 4;
            const int n = section.dsBm.bmWidth;
            entry.depth = depth;
            entry.maxPercent = maxPercent;
            entry.base = base;
            entry.size = n;
            entry.pixels.assign(size_t(n) * size_t(n), 0);
            // The spot is the same either way up.
            const DWORD* bits = static_cast<const DWORD*>(section.dsBm.bmBits);
            std::copy(bits, bits + entry.pixels.size(), entry.pixels.begin());
            result = &entry;
        }
        ::DeleteObject(spot);
        return result;
    }
};

thread_local ShadowSpotCache t_plannerShadowSpots;

// The DC's 32-bit surface in device pixels.
struct ShadowSurface {
    DWORD* bits = nullptr;
    int width = 0;
    int height = 0;
    bool bottomUp = false;
    CPoint origin;   // device position of the logical origin

    DWORD* Row(int y) const { return bits + size_t(bottomUp ? height - 1 - y : y) * size_t(width); }
};

// Which way up the rows of a DIB section lie in memory: the system
// reports the height without its sign.  The first pixel in memory is
// changed for a moment and read back through the DC; the answer is kept
// for the bitmap (a view paints on the same one every time).
struct ShadowRowOrder {
    HGDIOBJ bitmap = nullptr;
    void* bits = nullptr;
    int width = 0, height = 0;
    bool bottomUp = false;
    bool known = false;
};

thread_local ShadowRowOrder t_plannerShadowRowOrder;

bool FindRowOrder(HDC hdc, HGDIOBJ bitmap, const DIBSECTION& section, bool& bottomUp)
{
    ShadowRowOrder& order = t_plannerShadowRowOrder;
    if (order.known && order.bitmap == bitmap && order.bits == section.dsBm.bmBits &&
        order.width == section.dsBm.bmWidth && order.height == section.dsBm.bmHeight) {
        bottomUp = order.bottomUp;
        return true;
    }
    if (section.dsBm.bmHeight == 1) {
        bottomUp = false;
        return true;
    }
    // One pixel read back into a bitmap whose rows lie top first.
    HDC probeDC = ::CreateCompatibleDC(hdc);
    if (probeDC == nullptr)
        return false;
    LPVOID probeBits = nullptr;
    HBITMAP probe = CZUDPDrawManager::Create32BitDibSection(CSize(1, -1), &probeBits);
    bool found = false;
    if (probe != nullptr && probeBits != nullptr) {
        HGDIOBJ old = ::SelectObject(probeDC, probe);
        DWORD* first = static_cast<DWORD*>(section.dsBm.bmBits);
        const DWORD kept = *first;
        ::GdiFlush();
        *first = kept ^ 0x00FFFFFF;
        POINT device = {0, 0};
        ::DPtoLP(hdc, &device, 1);
        if (::BitBlt(probeDC, 0, 0, 1, 1, hdc, device.x, device.y, SRCCOPY)) {
            ::GdiFlush();
            bottomUp = ((*static_cast<DWORD*>(probeBits) ^ *first) & 0x00FFFFFF) != 0;
            found = true;
        }
        *first = kept;
        ::SelectObject(probeDC, old);
    }
    if (probe != nullptr)
        ::DeleteObject(probe);
    ::DeleteDC(probeDC);
    if (found) {
        order.bitmap = bitmap;
        order.bits = section.dsBm.bmBits;
        order.width = section.dsBm.bmWidth;
        order.height = section.dsBm.bmHeight;
        order.bottomUp = bottomUp;
        order.known = true;
    }
    return found;
}

bool FindShadowSurface(HDC hdc, ShadowSurface& surface)
{
    if (::GetObjectType(hdc) != OBJ_MEMDC || ::GetMapMode(hdc) != MM_TEXT || ::GetGraphicsMode(hdc) != GM_COMPATIBLE)
        return false;
    HGDIOBJ bitmap = ::GetCurrentObject(hdc, OBJ_BITMAP);
    DIBSECTION section = {};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof section, &section) != int(sizeof section) ||
        section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 32 || section.dsBm.bmPlanes != 1 ||
        section.dsBm.bmWidthBytes != section.dsBm.bmWidth * 4)
        return false;
    POINT origin = {0, 0};
    if (!::LPtoDP(hdc, &origin, 1) || !FindRowOrder(hdc, bitmap, section, surface.bottomUp))
        return false;
    surface.bits = static_cast<DWORD*>(section.dsBm.bmBits);
    surface.width = section.dsBm.bmWidth;
    surface.height = section.dsBm.bmHeight;
    surface.origin = origin;
    return surface.width > 0 && surface.height > 0;
}

// Premultiplied source over the destination, as the system's alpha blend
// with per-pixel alpha does it.
inline DWORD BlendShadowPixel(DWORD destination, DWORD source)
{
    const DWORD inverse = 255 - (source >> 24);
    if (inverse == 255)
        return destination;
    DWORD result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const DWORD product = ((destination >> shift) & 0xFF) * inverse + 128;
        const DWORD scaled = (product + (product >> 8)) >> 8;
        result |= std::min<DWORD>(((source >> shift) & 0xFF) + scaled, 255) << shift;
    }
    return result;
}

// The part (sx, sy, sw, sh) of the spot over the destination (dx, dy, dw,
// dh) in device pixels, inside the clip rectangles; a one-pixel part
// stretches over its destination.
void BlendShadowPiece(const ShadowSurface& surface, const std::vector<RECT>& clips, const ShadowSpotPixels& spot,
                      int sx, int sy, int sw, int sh, const CRect& destination)
{
    if (destination.IsRectEmpty() || sw < 1 || sh < 1)
        return;
    for (const RECT& clip : clips) {
        CRect area;
        if (!area.IntersectRect(destination, &clip))
            continue;
        for (int y = area.top; y < area.bottom; ++y) {
            const int partY = sy + (sh == 1 ? 0 : (y - destination.top) * sh / destination.Height());
            const DWORD* source = spot.pixels.data() + size_t(partY) * size_t(spot.size);
            DWORD* row = surface.Row(y);
            for (int x = area.left; x < area.right; ++x) {
                const int partX = sx + (sw == 1 ? 0 : (x - destination.left) * sw / destination.Width());
                row[x] = BlendShadowPixel(row[x], source[partX]);
            }
        }
    }
}

} // namespace

namespace PlannerShadow {

BOOL DrawInPixels(CDC* pDC, const CRect& rect, int nDepth, int nInnerPercent)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || !g_uiEnvironment.m_layeredWindowsAvailable)
        return FALSE;
    const int maxPercent = 100 - nInnerPercent;
    if (nDepth <= 0 || rect.IsRectEmpty())
        return nDepth > 0 || rect.IsRectEmpty();
    if (maxPercent <= 0)
        return FALSE;
    HDC hdc = pDC->GetSafeHdc();
    ShadowSurface surface;
    if (!FindShadowSurface(hdc, surface))
        return FALSE;
    const ShadowSpotPixels* spot = t_plannerShadowSpots.Get(nDepth, maxPercent, g_uiEnvironment.m_colorBarFace);
    if (spot == nullptr)
        return FALSE;

    // The pieces' frame: the rectangle moved down and right by the depth,
    // in device pixels.
    CRect frame = rect;
    frame.OffsetRect(nDepth + surface.origin.x, nDepth + surface.origin.y);

    // Where pixels may change: the surface, narrowed by the DC's clip.
    std::vector<RECT> clips;
    const CRect bounds(0, 0, surface.width, surface.height);
    CRect reach(frame.left - nDepth, frame.top - nDepth, frame.right, frame.bottom);
    if (!reach.IntersectRect(reach, bounds))
        return TRUE;
    HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
    if (clip == nullptr)
        return FALSE;
    const int hasClip = ::GetRandomRgn(hdc, clip, 3);   // clip and meta region, device pixels
    if (hasClip < 0) {
        ::DeleteObject(clip);
        return FALSE;
    }
    if (hasClip == 0) {
        clips.push_back(reach);
    } else {
        HRGN area = ::CreateRectRgnIndirect(&reach);
        ::CombineRgn(clip, clip, area, RGN_AND);
        ::DeleteObject(area);
        const DWORD bytes = ::GetRegionData(clip, 0, nullptr);
        if (bytes >= sizeof(RGNDATAHEADER)) {
            std::vector<BYTE> data(bytes);
            auto* header = reinterpret_cast<RGNDATA*>(data.data());
            if (::GetRegionData(clip, bytes, header) == bytes && header->rdh.iType == RDH_RECTANGLES &&
                header->rdh.nCount <= (bytes - header->rdh.dwSize) / sizeof(RECT)) {
                const RECT* rects = reinterpret_cast<const RECT*>(data.data() + header->rdh.dwSize);
                clips.assign(rects, rects + header->rdh.nCount);
            }
        }
    }
    ::DeleteObject(clip);
    if (clips.empty())
        return TRUE;
    ::GdiFlush();

    // The right side, the bottom and three corners of the spot, as the
    // draw manager's shadow lays them out.
    const int m = std::max(nDepth, 3);
    const int n = spot->size;
    const CRect inner(frame.left + m, frame.top + m, frame.right - m, frame.bottom - m);
    if (inner.Width() < 0 && inner.Height() < 0)
        return TRUE;
    if (inner.Height() > 0)
        BlendShadowPiece(surface, clips, *spot, n - m, m, m, n - 2 * m,
                         CRect(frame.right - m, inner.top, frame.right, inner.bottom));
    if (inner.Width() > 0)
        BlendShadowPiece(surface, clips, *spot, m, n - m, n - 2 * m, m,
                         CRect(inner.left, frame.bottom - m, inner.right, frame.bottom));
    BlendShadowPiece(surface, clips, *spot, n - m, 0, m, m, CRect(frame.right - m, frame.top, frame.right, frame.top + m));
    BlendShadowPiece(surface, clips, *spot, 0, n - m, m, m,
                     CRect(frame.left, frame.bottom - m, frame.left + m, frame.bottom));
    BlendShadowPiece(surface, clips, *spot, n - m, n - m, m, m,
                     CRect(frame.right - m, frame.bottom - m, frame.right, frame.bottom));
    return TRUE;
}

} // namespace PlannerShadow
