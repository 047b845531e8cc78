#include "ui/foundation/ZUDPDrawManager.h"

#include "ui/foundation/ZUDPControlRenderer.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

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

// Building a shadow's soft spot costs several times more than drawing it,
// and a window draws many shadows alike (every box of a planner view):
// the renderers of the last few kinds of shadow are kept per thread, by
// everything their spot is built from.
struct CShadowKey {
    int depth;
    COLORREF base;   // the colour actually used (-1 resolved to the bar face)
    int minPercent, maxPercent;
    BOOL mirror;
    bool operator==(const CShadowKey& o) const
    {
        return depth == o.depth && base == o.base && minPercent == o.minPercent && maxPercent == o.maxPercent &&
               mirror == o.mirror;
    }
};

class CShadowCache {
public:
    // A renderer with the shadow built; null when it cannot be built.
    CZUDPShadowRenderer* Get(int nDepth, COLORREF clrBase, int nMinPercent, int nMaxPercent)
    {
        const BOOL mirror = CZUDPToolBarImages::IsMirrorImages();
        const CShadowKey key{nDepth, clrBase == (COLORREF)-1 ? g_uiEnvironment.m_colorBarFace : clrBase, nMinPercent,
                             nMaxPercent, mirror};
        for (Entry& entry : m_entries)
            if (entry.renderer != nullptr && entry.key == key)
                return entry.renderer.get();
        Entry& entry = m_entries[m_next];
        m_next = (m_next + 1) % kEntries;
        entry.renderer = std::make_unique<CZUDPShadowRenderer>();
        entry.key = key;
        if (!entry.renderer->BuildShadow(nDepth, key.base, nMinPercent, nMaxPercent, mirror)) {
            entry.renderer.reset();
            return nullptr;
        }
        return entry.renderer.get();
    }

private:
    static const int kEntries = 4;
    struct Entry {
        CShadowKey key{};
        std::unique_ptr<CZUDPShadowRenderer> renderer;
    };
    Entry m_entries[kEntries];
    int m_next = 0;
};

thread_local CShadowCache t_shadows;

// Where the target is a memory DC holding a 32-bit DIB section and nothing
// stands between its logical and device pixels over the rectangle (text
// mapping, no mirroring, a clip box of one rectangle containing it), the
// effects that write every pixel of their area work on the bitmap's own
// rows: copying the area out and back would only move the same bytes
// twice.  Answers the first pixel of the rectangle's top row and the bytes
// from one row to the next, or false.
bool OpenInPlace(CDC& target, const CRect& rect, BYTE*& origin, ptrdiff_t& stride)
{
    HDC hdc = target.GetSafeHdc();
    if (hdc == nullptr || rect.left >= rect.right || rect.top >= rect.bottom)
        return false;
    HGDIOBJ selected = ::GetCurrentObject(hdc, OBJ_BITMAP);
    DIBSECTION section = {};
    if (selected == nullptr || ::GetObjectA(selected, sizeof(section), &section) != int(sizeof(section)) ||
        section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 32)
        return false;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biCompression != BI_RGB &&
        !(header.biCompression == BI_BITFIELDS && section.dsBitfields[0] == 0x00FF0000 &&
          section.dsBitfields[1] == 0x0000FF00 && section.dsBitfields[2] == 0x000000FF))
        return false;
    if (::GetMapMode(hdc) != MM_TEXT || ::GetLayout(hdc) != 0)
        return false;
    if (::GetGraphicsMode(hdc) != GM_COMPATIBLE) {
        XFORM xform = {};
        if (!::GetWorldTransform(hdc, &xform) || xform.eM11 != 1.0f || xform.eM12 != 0.0f || xform.eM21 != 0.0f ||
            xform.eM22 != 1.0f || xform.eDx != 0.0f || xform.eDy != 0.0f)
            return false;
    }
    RECT clip;
    if (::GetClipBox(hdc, &clip) != SIMPLEREGION || rect.left < clip.left || rect.top < clip.top ||
        rect.right > clip.right || rect.bottom > clip.bottom)
        return false;
    // Text mapping without a world transform: device = logical - window
    // origin + viewport origin.
    POINT windowOrigin = {}, viewportOrigin = {};
    if (!::GetWindowOrgEx(hdc, &windowOrigin) || !::GetViewportOrgEx(hdc, &viewportOrigin))
        return false;
    POINT corner = {rect.left - windowOrigin.x + viewportOrigin.x, rect.top - windowOrigin.y + viewportOrigin.y};
    const int width = section.dsBm.bmWidth, height = section.dsBm.bmHeight;
    if (corner.x < 0 || corner.y < 0 || corner.x + rect.Width() > width || corner.y + rect.Height() > height)
        return false;
    const ptrdiff_t rowBytes = section.dsBm.bmWidthBytes;
    BYTE* bits = static_cast<BYTE*>(section.dsBm.bmBits);
    ::GdiFlush();
    // The section's description does not tell its row order (its height is
    // positive for both): one pixel of the rectangle drawn through GDI
    // shows which row it lands in, and is put back as it was.
    int probeY = corner.y;
    if (height - 1 - probeY == probeY) {
        if (rect.Height() > 1)
            ++probeY;
        // else: the middle row alone, the same in either order
    }
    DWORD* fromTop = reinterpret_cast<DWORD*>(bits + rowBytes * probeY) + corner.x;
    DWORD* fromBottom = reinterpret_cast<DWORD*>(bits + rowBytes * (height - 1 - probeY)) + corner.x;
    bool topDown = true;
    if (fromTop != fromBottom) {
        const DWORD oldTop = *fromTop, oldBottom = *fromBottom;
        DWORD probe = 0x00010203;
        while (probe == (oldTop & 0x00FFFFFF) || probe == (oldBottom & 0x00FFFFFF))
            probe += 0x00010101;
        if (!::SetPixelV(hdc, rect.left, rect.top + (probeY - corner.y),
                         RGB((probe >> 16) & 0xFF, (probe >> 8) & 0xFF, probe & 0xFF)))
            return false;
        ::GdiFlush();
        const bool hitTop = (*fromTop & 0x00FFFFFF) == probe, hitBottom = (*fromBottom & 0x00FFFFFF) == probe;
        *fromTop = oldTop;
        *fromBottom = oldBottom;
        if (hitTop == hitBottom)
            return false;
        topDown = hitTop;
    }
    if (topDown) {
        origin = bits + rowBytes * corner.y + 4 * ptrdiff_t(corner.x);
        stride = rowBytes;
    } else {
        origin = bits + rowBytes * (height - 1 - corner.y) + 4 * ptrdiff_t(corner.x);
        stride = -rowBytes;
    }
    return true;
}

// An area of a DC copied into a 32-bit DIB section selected into a memory
// DC: the effects work on Bits() and put the area back with PutBack().
// Made with bInPlace, the area may instead be the target's own pixels (see
// OpenInPlace): then only Row() reaches them and PutBack() has nothing to
// do.
class CDibArea {
public:
    // bTopDown: rows from the top; otherwise the DIB is bottom-up.
    enum Place { Copied, InPlaceIfPossible, InPlaceOnly };
    CDibArea(CDC& target, const CRect& rect, BOOL bCopyIn, BOOL bTopDown = TRUE, Place place = Copied)
        : m_target(target), m_rect(rect)
    {
        if (rect.Width() <= 0 || rect.Height() <= 0)
            return;
        if (place != Copied && bTopDown && OpenInPlace(target, rect, m_origin, m_stride)) {
            m_inPlace = true;
            if (!bCopyIn)
                for (int y = 0; y < rect.Height(); ++y)
                    std::memset(Row(y), 0, size_t(rect.Width()) * 4);
            return;
        }
        if (place == InPlaceOnly)
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
        m_origin = reinterpret_cast<BYTE*>(m_bits);
        m_stride = ptrdiff_t(rect.Width()) * 4;
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

    BOOL IsValid() const { return m_origin != nullptr; }
    // The contiguous pixels of a copied area (null when in place).
    DWORD* Bits() const { return m_bits; }
    // Row y of the area, from its top, whether copied or in place.
    DWORD* Row(int y) const { return reinterpret_cast<DWORD*>(m_origin + m_stride * y); }
    BOOL IsInPlace() const { return m_inPlace; }
    int Width() const { return m_rect.Width(); }
    int Height() const { return m_rect.Height(); }
    size_t Count() const { return size_t(Width()) * size_t(Height()); }
    CDC& MemDC() { return m_memDC; }

    void PutBack()
    {
        if (m_inPlace)
            return;
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
    BYTE* m_origin = nullptr;
    ptrdiff_t m_stride = 0;
    bool m_inPlace = false;
};

int Red(DWORD pixel) { return int((pixel >> 16) & 0xFF); }
int Green(DWORD pixel) { return int((pixel >> 8) & 0xFF); }
int Blue(DWORD pixel) { return int(pixel & 0xFF); }
DWORD MakePixel(int r, int g, int b, int a = 0xFF)
{
    return (DWORD(a & 0xFF) << 24) | (DWORD(r & 0xFF) << 16) | (DWORD(g & 0xFF) << 8) | DWORD(b & 0xFF);
}

// What an effect does to each channel of a pixel it changes: one table of
// 256 bytes per channel (blue, green, red).  When all three tables are the
// same rounded percentage, min(255, (byte * factor + bias) / 100) for every
// byte but 0, the SSE2 form applies it four pixels at a time; the check
// below runs the very operations of that form over all 256 bytes, so both
// forms give the same pixels.
struct CChannelMaps {
    BYTE table[3][256];
    bool linear = false;
    uint16_t factor = 0, bias = 0;
    BYTE zero = 0;  // what byte 0 becomes

    static int LinearForm(int byte, int factor, int bias)
    {
        unsigned n = unsigned(byte * factor + bias);           // 16 bits
        unsigned q = ((((n >> 2) & 0xFFFF) * 20972u) >> 16) >> 3;  // n / 100
        return q > 255 ? 255 : int(q);
    }
    void FindLinearForm(int percent)
    {
        linear = false;
        if (percent < 0 || percent > 256 || std::memcmp(table[0], table[1], 256) != 0 ||
            std::memcmp(table[0], table[2], 256) != 0)
            return;
        for (int candidate : {50, 49}) {
            bool same = true;
            for (int byte = 1; byte < 256 && same; ++byte)
                same = LinearForm(byte, percent, candidate) == table[0][byte];
            if (same && LinearForm(0, percent, candidate) == 0) {
                linear = true;
                factor = uint16_t(percent);
                bias = uint16_t(candidate);
                zero = table[0][0];
                return;
            }
        }
    }
    DWORD Apply(DWORD pixel) const
    {
        return 0xFF000000u | (DWORD(table[2][(pixel >> 16) & 0xFF]) << 16) |
               (DWORD(table[1][(pixel >> 8) & 0xFF]) << 8) | DWORD(table[0][pixel & 0xFF]);
    }
};

// Byte k times a factor as MultiplyColorChannels computes it.
void ScaleTable(BYTE* table, double factor)
{
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = BYTE(CZUDPColorArithmetic::MultiplyColorChannels(MakeColor(byte, 0, 0), factor, 1.0, 1.0) & 0xFF);
}

// Which pixels an effect leaves alone: those of the transparent colour, or
// with a tolerance those no channel of which differs from it by the
// tolerance or more.
struct CKeepTest {
    enum Kind { None, Equal, Near, All } kind = None;
    DWORD key = 0;  // the transparent colour as a pixel without alpha
    int tolerance = 0;

    CKeepTest(COLORREF clrTransparent, int nTolerance)
    {
        if (clrTransparent == (COLORREF)-1)
            return;
        key = CZUDPDrawManager::PixelFromColor(clrTransparent, 0);
        if (nTolerance > 0) {
            kind = nTolerance > 255 ? All : Near;
            tolerance = nTolerance;
        } else if ((clrTransparent >> 24) == 0) {
            kind = Equal;
        }
    }
    bool Keeps(DWORD pixel) const
    {
        switch (kind) {
        case Equal: return (pixel & 0x00FFFFFF) == key;
        case Near:
            return std::abs(Red(pixel) - Red(key)) < tolerance && std::abs(Green(pixel) - Green(key)) < tolerance &&
                   std::abs(Blue(pixel) - Blue(key)) < tolerance;
        case All: return true;
        default: return false;
        }
    }
#if defined(__SSE2__)
    // 0xFFFFFFFF in the lanes of the pixels kept.
    __m128i Keeps(__m128i pixels) const
    {
        const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
        switch (kind) {
        case Equal: return _mm_cmpeq_epi32(_mm_and_si128(pixels, rgb), _mm_set1_epi32(int(key)));
        case Near: {
            const __m128i k = _mm_set1_epi32(int(key));
            __m128i difference = _mm_or_si128(_mm_subs_epu8(pixels, k), _mm_subs_epu8(k, pixels));
            __m128i beyond = _mm_subs_epu8(difference, _mm_set1_epi8(char(tolerance - 1)));
            return _mm_cmpeq_epi32(_mm_and_si128(beyond, rgb), _mm_setzero_si128());
        }
        case All: return _mm_set1_epi32(-1);
        default: return _mm_setzero_si128();
        }
    }
#endif
};

#if defined(__GNUC__) && defined(__x86_64__)
#define ZUDP_WIDE_KERNELS 1

// Whether this processor runs the eight-pixel loops below.
bool HasWideKernels()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

// The kept lanes of eight pixels, as CKeepTest::Keeps.
__attribute__((target("avx2"))) inline __m256i KeptLanes(const CKeepTest& keep, __m256i pixels)
{
    const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i k = _mm256_set1_epi32(int(keep.key));
    switch (keep.kind) {
    case CKeepTest::Equal: return _mm256_cmpeq_epi32(_mm256_and_si256(pixels, rgb), k);
    case CKeepTest::Near: {
        __m256i difference = _mm256_or_si256(_mm256_subs_epu8(pixels, k), _mm256_subs_epu8(k, pixels));
        __m256i beyond = _mm256_subs_epu8(difference, _mm256_set1_epi8(char(keep.tolerance - 1)));
        return _mm256_cmpeq_epi32(_mm256_and_si256(beyond, rgb), _mm256_setzero_si256());
    }
    case CKeepTest::All: return _mm256_set1_epi32(-1);
    default: return _mm256_setzero_si256();
    }
}

// MapRow's linear form eight pixels at a time; answers how many pixels it
// did.
__attribute__((target("avx2"))) int MapRowWide(DWORD* row, int count, const CChannelMaps& maps,
                                               const CKeepTest& keep)
{
    const __m256i zeroes = _mm256_setzero_si256();
    const __m256i factor = _mm256_set1_epi16(short(maps.factor));
    const __m256i bias = _mm256_set1_epi16(short(maps.bias));
    const __m256i hundredth = _mm256_set1_epi16(short(20972));
    const __m256i zeroByte = _mm256_set1_epi8(char(maps.zero));
    const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
    const bool keeps = keep.kind != CKeepTest::None;
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        __m256i* p = reinterpret_cast<__m256i*>(row + x);
        const __m256i pixels = _mm256_loadu_si256(p);
        __m256i low = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(pixels, zeroes), factor), bias);
        __m256i high = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(pixels, zeroes), factor), bias);
        low = _mm256_srli_epi16(_mm256_mulhi_epu16(_mm256_srli_epi16(low, 2), hundredth), 3);
        high = _mm256_srli_epi16(_mm256_mulhi_epu16(_mm256_srli_epi16(high, 2), hundredth), 3);
        __m256i mapped = _mm256_packus_epi16(low, high);
        mapped = _mm256_or_si256(mapped, _mm256_and_si256(_mm256_cmpeq_epi8(pixels, zeroes), zeroByte));
        mapped = _mm256_or_si256(mapped, alpha);
        if (keeps)
            mapped = _mm256_blendv_epi8(mapped, pixels, KeptLanes(keep, pixels));
        _mm256_storeu_si256(p, mapped);
    }
    return x;
}

// The grey of a colour is (largest + smallest channel) / 2, or one less
// where the colour model's rounding says so: one bit per pair of channels,
// small enough to stay in the nearest cache.  Null when some grey differs
// otherwise.
const uint32_t* GreyCorrections(const BYTE* greyOf)
{
    static const std::vector<uint32_t> bits = [greyOf] {
        std::vector<uint32_t> b(256 * 256 / 32, 0);
        for (int high = 0; high < 256; ++high)
            for (int low = 0; low <= high; ++low) {
                const int index = high * 256 + low, grey = greyOf[index], plain = (high + low) >> 1;
                if (grey == plain - 1)
                    b[index >> 5] |= 1u << (index & 31);
                else if (grey != plain)
                    return std::vector<uint32_t>();
            }
        return b;
    }();
    return bits.empty() ? nullptr : bits.data();
}

// The grey loop eight pixels at a time: the grey of each pixel's largest
// and smallest channel, then the pixel of that grey looked up.
__attribute__((target("avx2"))) int GreyRowWide(DWORD* row, int count, const uint32_t* corrections,
                                                const DWORD* pixelOfGrey, const CChannelMaps* scale,
                                                const CKeepTest& keep)
{
    // With a scale in its linear form the grey's pixel is computed, not
    // looked up: min(255, ((grey * factor + bias) / 100)), grey 0 apart.
    const __m256i factor = _mm256_set1_epi32(scale != nullptr ? scale->factor : 0);
    const __m256i bias = _mm256_set1_epi32(scale != nullptr ? scale->bias : 0);
    const __m256i zeroGrey = _mm256_set1_epi32(scale != nullptr ? scale->zero : 0);
    const __m256i hundredth = _mm256_set1_epi32(20972);
    const __m256i greyToPixel = _mm256_set1_epi32(0x010101);
    const __m256i alpha = _mm256_set1_epi32(int(0xFF000000u));
    const bool identity = scale != nullptr && scale->zero == 0 &&
                          CChannelMaps::LinearForm(255, scale->factor, scale->bias) == 255 && scale->factor == 100;
    const __m256i byteMask = _mm256_set1_epi32(0xFF);
    const __m256i bitMask = _mm256_set1_epi32(31);
    const __m256i one = _mm256_set1_epi32(1);
    const bool keeps = keep.kind != CKeepTest::None;
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        __m256i* p = reinterpret_cast<__m256i*>(row + x);
        const __m256i pixels = _mm256_loadu_si256(p);
        const __m256i r = _mm256_and_si256(_mm256_srli_epi32(pixels, 16), byteMask);
        const __m256i g = _mm256_and_si256(_mm256_srli_epi32(pixels, 8), byteMask);
        const __m256i b = _mm256_and_si256(pixels, byteMask);
        const __m256i high = _mm256_max_epi32(_mm256_max_epi32(r, g), b);
        const __m256i low = _mm256_min_epi32(_mm256_min_epi32(r, g), b);
        const __m256i index = _mm256_or_si256(_mm256_slli_epi32(high, 8), low);
        const __m256i word = _mm256_i32gather_epi32(reinterpret_cast<const int*>(corrections),
                                                    _mm256_srli_epi32(index, 5), 4);
        const __m256i correction = _mm256_and_si256(_mm256_srlv_epi32(word, _mm256_and_si256(index, bitMask)), one);
        const __m256i grey = _mm256_sub_epi32(_mm256_srli_epi32(_mm256_add_epi32(high, low), 1), correction);
        __m256i mapped;
        if (identity) {
            mapped = _mm256_or_si256(_mm256_mullo_epi32(grey, greyToPixel), alpha);
        } else if (scale != nullptr) {
            __m256i n = _mm256_add_epi32(_mm256_mullo_epi32(grey, factor), bias);
            __m256i q = _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_srli_epi32(n, 2), hundredth), 19);
            q = _mm256_min_epi32(q, byteMask);
            q = _mm256_blendv_epi8(q, zeroGrey, _mm256_cmpeq_epi32(grey, _mm256_setzero_si256()));
            mapped = _mm256_or_si256(_mm256_mullo_epi32(q, greyToPixel), alpha);
        } else {
            mapped = _mm256_i32gather_epi32(reinterpret_cast<const int*>(pixelOfGrey), grey, 4);
        }
        if (keeps)
            mapped = _mm256_blendv_epi8(mapped, pixels, KeptLanes(keep, pixels));
        _mm256_storeu_si256(p, mapped);
    }
    return x;
}
#endif

// Applies the channel maps to every pixel of a row the keep test does not
// keep, alpha 0xFF.
void MapRow(DWORD* row, int count, const CChannelMaps& maps, const CKeepTest& keep)
{
    int x = 0;
#if defined(ZUDP_WIDE_KERNELS)
    if (maps.linear && HasWideKernels())
        x = MapRowWide(row, count, maps, keep);
#endif
#if defined(__SSE2__)
    if (maps.linear) {
        const __m128i zeroes = _mm_setzero_si128();
        const __m128i factor = _mm_set1_epi16(short(maps.factor));
        const __m128i bias = _mm_set1_epi16(short(maps.bias));
        const __m128i hundredth = _mm_set1_epi16(short(20972));
        const __m128i zeroByte = _mm_set1_epi8(char(maps.zero));
        const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
        auto scale = [&](__m128i half) {
            half = _mm_add_epi16(_mm_mullo_epi16(half, factor), bias);
            return _mm_srli_epi16(_mm_mulhi_epu16(_mm_srli_epi16(half, 2), hundredth), 3);
        };
        for (; x + 4 <= count; x += 4) {
            __m128i* p = reinterpret_cast<__m128i*>(row + x);
            const __m128i pixels = _mm_loadu_si128(p);
            __m128i mapped = _mm_packus_epi16(scale(_mm_unpacklo_epi8(pixels, zeroes)),
                                              scale(_mm_unpackhi_epi8(pixels, zeroes)));
            mapped = _mm_or_si128(mapped, _mm_and_si128(_mm_cmpeq_epi8(pixels, zeroes), zeroByte));
            mapped = _mm_or_si128(mapped, alpha);
            if (keep.kind != CKeepTest::None) {
                const __m128i kept = keep.Keeps(pixels);
                mapped = _mm_or_si128(_mm_and_si128(kept, pixels), _mm_andnot_si128(kept, mapped));
            }
            _mm_storeu_si128(p, mapped);
        }
    }
#endif
    for (; x < count; ++x)
        if (!keep.Keeps(row[x]))
            row[x] = maps.Apply(row[x]);
}

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
        return g_uiEnvironment.m_alphaBlend(AfxSafeHdc(pDstDC), rectDst.left, rectDst.top, rectDst.Width(),
                                            rectDst.Height(), AfxSafeHdc(pSrcDC), rectSrc.left, rectSrc.top,
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

namespace {

// The bands of a straight gradient: the flat parts, then 64 bands between
// them, each handed to fill(band, colour).
template <class Fill>
void ForEachGradientBand(CRect rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical, int nStartFlatPercent,
                         int nEndFlatPercent, Fill fill)
{
    if (clrStart == clrEnd) {
        fill(rect, clrStart);
        return;
    }
    const int width = rect.Width(), height = rect.Height();
    if (nStartFlatPercent > 0) {
        if (bVertical) {
            CRect band(rect.left, rect.top, rect.right, rect.top + height * nStartFlatPercent / 100);
            fill(band, clrEnd);
            rect.top = band.bottom;
        } else {
            CRect band(rect.left, rect.top, rect.left + width * nStartFlatPercent / 100, rect.bottom);
            fill(band, clrStart);
            rect.left = band.right;
        }
    }
    if (nEndFlatPercent > 0) {
        if (bVertical) {
            CRect band(rect.left, rect.bottom - height * nEndFlatPercent / 100, rect.right, rect.bottom);
            fill(band, clrStart);
            rect.bottom = band.top;
        } else {
            CRect band(rect.right - width * nEndFlatPercent / 100, rect.top, rect.right, rect.bottom);
            fill(band, clrEnd);
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
        fill(band, colour);
    }
}

#if defined(ZUDP_WIDE_KERNELS)
__attribute__((target("avx2"))) int FillPixelsWide(DWORD* pixels, int count, DWORD value)
{
    const __m256i eight = _mm256_set1_epi32(int(value));
    int x = 0;
    for (; x + 32 <= count; x += 32) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + x), eight);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + x + 8), eight);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + x + 16), eight);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + x + 24), eight);
    }
    return x;
}
#endif

// count pixels set to one value, sixteen or thirty-two bytes at a time.
void FillPixels(DWORD* pixels, int count, DWORD value)
{
    int x = 0;
#if defined(ZUDP_WIDE_KERNELS)
    if (count >= 32 && HasWideKernels())
        x = FillPixelsWide(pixels, count, value);
#endif
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(int(value));
    for (; x + 16 <= count; x += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x + 4), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x + 8), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x + 12), four);
    }
    for (; x + 4 <= count; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), four);
#endif
    for (; x < count; ++x)
        pixels[x] = value;
}

// The bands written straight into the pixel rows of an area (area
// coordinates, every band inside it) with the given alpha.  A horizontal
// gradient is the same in every row: its first row is drawn and copied.
bool FillGradientRows(CDibArea& area, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical, int nStartFlatPercent,
                      int nEndFlatPercent, BYTE alpha)
{
    const int rows = bVertical ? area.Height() : 1;
    ForEachGradientBand(CRect(0, 0, area.Width(), area.Height()), clrStart, clrEnd, bVertical, nStartFlatPercent,
                        nEndFlatPercent, [&](const CRect& band, COLORREF colour) {
                            const DWORD pixel = CZUDPDrawManager::PixelFromColor(colour, alpha);
                            for (int y = band.top; y < std::min(int(band.bottom), rows); ++y)
                                FillPixels(area.Row(y) + band.left, band.Width(), pixel);
                        });
    for (int y = rows; y < area.Height(); ++y)
        std::memcpy(area.Row(y), area.Row(0), size_t(area.Width()) * 4);
    return true;
}

// Whether the bands can be written as pixels: plain colours, and flat parts
// that stay inside the rectangle.
bool GradientFitsRows(const CRect& rect, COLORREF clrStart, COLORREF clrEnd, int nStartFlatPercent,
                      int nEndFlatPercent)
{
    return rect.left < rect.right && rect.top < rect.bottom && (clrStart >> 24) == 0 && (clrEnd >> 24) == 0 &&
           nStartFlatPercent >= 0 && nStartFlatPercent <= 100 && nEndFlatPercent >= 0 && nEndFlatPercent <= 100;
}

} // namespace

void CZUDPDrawManager::FillGradientBands(CRect rect, COLORREF clrStart, COLORREF clrEnd, BOOL bVertical,
                                         int nStartFlatPercent, int nEndFlatPercent)
{
    if (GradientFitsRows(rect, clrStart, clrEnd, nStartFlatPercent, nEndFlatPercent)) {
        // A DIB target takes the bands as pixels; GDI's solid fills leave
        // alpha 0 in 32-bit pixels, and so does this.
        CDibArea area(m_dc, rect, TRUE, TRUE, CDibArea::InPlaceOnly);
        if (area.IsValid()) {
            FillGradientRows(area, clrStart, clrEnd, bVertical, nStartFlatPercent, nEndFlatPercent, 0);
            return;
        }
    }
    ForEachGradientBand(rect, clrStart, clrEnd, bVertical, nStartFlatPercent, nEndFlatPercent,
                        [this](const CRect& band, COLORREF colour) { m_dc.FillSolidRect(&band, colour); });
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
    const bool fits = GradientFitsRows(rect, clrStart, clrEnd, nStartFlatPercent, nEndFlatPercent);
    CDibArea area(m_dc, rect, FALSE, TRUE, fits ? CDibArea::InPlaceIfPossible : CDibArea::Copied);
    if (!area.IsValid())
        return;
    if (fits) {
        FillGradientRows(area, clrStart, clrEnd, bVertical, nStartFlatPercent, nEndFlatPercent, 0xFF);
    } else {
        CZUDPDrawManager inner(area.MemDC());
        inner.FillGradientBands(CRect(0, 0, rect.Width(), rect.Height()), clrStart, clrEnd, bVertical,
                                nStartFlatPercent, nEndFlatPercent);
        ::GdiFlush();
    }
    // Pixels no band reached are opaque black, as are those of the bands.
    for (int y = 0; y < area.Height(); ++y) {
        DWORD* row = area.Row(y);
        for (int x = 0; x < area.Width(); ++x)
            row[x] |= 0xFF000000;
    }
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

    if (pBottomCache != nullptr && pSideCache != nullptr && AfxSafeHandle(pBottomCache) != nullptr &&
        AfxSafeHandle(pSideCache) != nullptr) {
        m_dc.DrawState(CPoint(sideLeft, rect.top), CSize(D, H + D), (HBITMAP)AfxSafeHandle(pSideCache), DSS_NORMAL);
        m_dc.DrawState(CPoint(areaLeft, rect.bottom), CSize(W + D, D), (HBITMAP)AfxSafeHandle(pBottomCache),
                       DSS_NORMAL);
        return TRUE;
    }

    CRect areaRect(areaLeft, rect.top, areaLeft + W + D, rect.top + H + D);
    {
        CDibArea area(m_dc, areaRect, TRUE, FALSE);
        if (!area.IsValid())
            return FALSE;
        if (g_uiEnvironment.m_layeredWindowsAvailable &&
            DrawShadowFromSpot(area.MemDC(), CSize(W, H), D, 100 - nOuterPercent, 100 - nInnerPercent, clrBase,
                               bRightShadow)) {
            area.PutBack();
            return CacheShadowStrips(rect, D, areaLeft, sideLeft, pBottomCache, pSideCache);
        }
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
    return CacheShadowStrips(rect, D, areaLeft, sideLeft, pBottomCache, pSideCache);
}

BOOL CZUDPDrawManager::DrawShadowFromSpot(CDC& areaDC, CSize size, int nDepth, int nMinPercent, int nMaxPercent,
                                          COLORREF clrBase, BOOL bRightShadow)
{
    // The soft spot's pieces along the side and the bottom, moved down by
    // the depth and, for a right shadow, right by it: in the area (which
    // begins at the rectangle's left, or the depth before it for a left
    // shadow) that is (D, D, W + D, H + D) or (0, D, W, H + D).  The side
    // follows the caller, whatever the layout's direction.
    CZUDPShadowRenderer* shadow = t_shadows.Get(nDepth, clrBase, nMinPercent, nMaxPercent);
    if (shadow == nullptr)
        return FALSE;
    const int left = bRightShadow ? nDepth : 0;
    shadow->DrawShadowPieces(&areaDC, CRect(left, nDepth, left + size.cx, nDepth + size.cy), !bRightShadow, 0, 255);
    return TRUE;
}

BOOL CZUDPDrawManager::CacheShadowStrips(const CRect& rect, int nDepth, int areaLeft, int sideLeft,
                                         CBitmap* pBottomCache, CBitmap* pSideCache)
{
    if (pBottomCache == nullptr || pSideCache == nullptr)
        return TRUE;
    const int D = nDepth, W = rect.Width(), H = rect.Height();
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

    CDibArea area(m_dc, rect, TRUE, TRUE, CDibArea::InPlaceIfPossible);
    if (!area.IsValid())
        return FALSE;
    const COLORREF highlight = g_uiEnvironment.m_colorButtonHighlight;
    const int highlightChannel[3] = {GetBValue(highlight), GetGValue(highlight), GetRValue(highlight)};
    const int blendChannel[3] = {GetBValue(clrBlend), GetGValue(clrBlend), GetRValue(clrBlend)};
    CChannelMaps maps;
    if (nPercent == -1) {
        for (int k = 0; k < 3; ++k)
            for (int v = 0; v < 256; ++v)
                maps.table[k][v] = BYTE((highlightChannel[k] + 2 * v) / 3);
    } else if (clrBlend == (COLORREF)-1) {
        ScaleTable(maps.table[0], nPercent / 100.0);
        std::memcpy(maps.table[1], maps.table[0], 256);
        std::memcpy(maps.table[2], maps.table[0], 256);
        maps.FindLinearForm(nPercent);
    } else {
        for (int k = 0; k < 3; ++k)
            for (int v = 0; v < 256; ++v)
                maps.table[k][v] = BYTE(ClampChannel((long long)v + ::MulDiv(blendChannel[k] - v, nPercent, 100)));
    }
    const CKeepTest keep(clrTransparent, nTolerance);
    for (int y = 0; y < area.Height(); ++y)
        MapRow(area.Row(y), area.Width(), maps, keep);
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
    CDibArea area(m_dc, rect, TRUE, TRUE, CDibArea::InPlaceIfPossible);
    if (!area.IsValid())
        return FALSE;
    const COLORREF blend = clrBlend == (COLORREF)-1 ? g_uiEnvironment.m_colorButtonHighlight : clrBlend;
    // The pixel each grey becomes.
    DWORD pixelOfGrey[256];
    CChannelMaps scale;
    ScaleTable(scale.table[0], nPercent / 100.0);
    std::memcpy(scale.table[1], scale.table[0], 256);
    std::memcpy(scale.table[2], scale.table[0], 256);
    if (nPercent != -1)
        scale.FindLinearForm(nPercent);
    for (int g = 0; g < 256; ++g) {
        if (nPercent == -1) {
            auto half = [g](int b) { return ClampChannel((long long)g + (b - g) / 2); };
            pixelOfGrey[g] = MakePixel(half(GetRValue(blend)), half(GetGValue(blend)), half(GetBValue(blend)));
        } else {
            pixelOfGrey[g] = MakePixel(scale.table[0][g], scale.table[0][g], scale.table[0][g]);
        }
    }
    const BYTE* greyOf = GreyByExtremes();
    const CKeepTest keep(clrTransparent, 0);
#if defined(ZUDP_WIDE_KERNELS)
    const uint32_t* corrections = HasWideKernels() ? GreyCorrections(greyOf) : nullptr;
#endif
    for (int y = 0; y < area.Height(); ++y) {
        DWORD* row = area.Row(y);
        int x = 0;
#if defined(ZUDP_WIDE_KERNELS)
        if (corrections != nullptr)
            x = GreyRowWide(row, area.Width(), corrections, pixelOfGrey, scale.linear ? &scale : nullptr, keep);
#endif
        for (; x < area.Width(); ++x) {
            const DWORD pixel = row[x];
            if (keep.Keeps(pixel))
                continue;
            const int r = Red(pixel), g = Green(pixel), b = Blue(pixel);
            const int high = std::max(r, std::max(g, b)), low = std::min(r, std::min(g, b));
            row[x] = pixelOfGrey[greyOf[high * 256 + low]];
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
