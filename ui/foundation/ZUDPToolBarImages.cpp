#include "ui/foundation/ZUDPToolBarImages.h"

#include "framework/win/WinApp.h"
#include "res/ui/foundation.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPStartup.h"
#include "framework/win/Clipboard.h"
#include "framework/win/ImageList.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

IMPLEMENT_DYNAMIC(CZUDPToolBarImages, CObject)

CZUDPToolBarImages::AlphaBlendFn CZUDPToolBarImages::s_alphaBlend = nullptr;
CZUDPToolBarImages::TransparentBltFn CZUDPToolBarImages::s_transparentBlt = nullptr;
BYTE CZUDPToolBarImages::s_disabledAlpha = 127;
BYTE CZUDPToolBarImages::s_fadedAlpha = 150;
BOOL CZUDPToolBarImages::s_classicColors = TRUE;
BOOL CZUDPToolBarImages::s_multithreaded = FALSE;
HDC CZUDPToolBarImages::s_imageDC = nullptr;
HDC CZUDPToolBarImages::s_maskDC = nullptr;
BOOL CZUDPToolBarImages::s_sharedDCsExist = FALSE;
HMODULE CZUDPToolBarImages::s_msimg32 = nullptr;
BOOL CZUDPToolBarImages::s_mirror = FALSE;

namespace {

const COLORREF kNone = (COLORREF)-1;
const DWORD kRopMaskBrushOnBlack = 0x00B8074A;  // brush where the source is black, else keep
const DWORD kRopMaskBrushOnWhite = 0x00E20746;  // brush where the source is white, else keep

std::recursive_mutex& ImageLock()
{
    static std::recursive_mutex lock;
    return lock;
}

int ScreenDepth() { return g_uiEnvironment.m_bitsPerPixel; }
COLORREF ButtonFace() { return g_uiEnvironment.m_colorButtonFace; }

// The bitmap's description; FALSE for anything that is not a bitmap.
BOOL ReadBitmap(HBITMAP hBitmap, BITMAP& bm)
{
    std::memset(&bm, 0, sizeof(bm));
    return hBitmap != nullptr && ::GetObjectA(hBitmap, sizeof(bm), &bm) == int(sizeof(bm));
}

// A DIB section's description; FALSE for other bitmaps.
BOOL ReadDibSection(HBITMAP hBitmap, DIBSECTION& ds)
{
    std::memset(&ds, 0, sizeof(ds));
    return hBitmap != nullptr && ::GetObjectA(hBitmap, sizeof(ds), &ds) == int(sizeof(ds)) &&
           ds.dsBm.bmBits != nullptr;
}

// Row y counted from the top of the image, whatever the DIB's row order.
BYTE* DibRow(const DIBSECTION& ds, int y)
{
    BYTE* base = static_cast<BYTE*>(ds.dsBm.bmBits);
    int height = ds.dsBm.bmHeight;
    bool topDown = ds.dsBmih.biHeight < 0;
    return base + size_t(topDown ? y : height - 1 - y) * size_t(ds.dsBm.bmWidthBytes);
}

HBITMAP CreateDib(int width, int height, int bitCount, void** ppBits)
{
    if (ppBits != nullptr)
        *ppBits = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap != nullptr && bits == nullptr) {
        ::DeleteObject(hBitmap);
        return nullptr;
    }
    if (ppBits != nullptr)
        *ppBits = bits;
    return hBitmap;
}

// A memory DC holding a bitmap for the scope.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP hBitmap) : m_dc(::CreateCompatibleDC(nullptr))
    {
        if (m_dc != nullptr && hBitmap != nullptr) {
            m_previous = ::SelectObject(m_dc, hBitmap);
            if (m_previous == nullptr) {
                ::DeleteDC(m_dc);
                m_dc = nullptr;
            }
        }
    }
    ~SelectedBitmap()
    {
        if (m_dc != nullptr) {
            if (m_previous != nullptr)
                ::SelectObject(m_dc, m_previous);
            ::DeleteDC(m_dc);
        }
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC Dc() const { return m_dc; }
    bool IsValid() const { return m_dc != nullptr && m_previous != nullptr; }

private:
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

// A 32-bit bottom-up DIB copy of any bitmap.  The alpha bytes of a 32-bit
// source come along; those of other depths are 0.  The pixels are read
// with GetDIBits (or copied row by row from a 32-bit DIB section), never
// blitted: a blit between memory DCs costs many times more.
HBITMAP CopyTo32(HBITMAP hSource)
{
    BITMAP bm;
    if (!ReadBitmap(hSource, bm))
        return nullptr;
    void* bits = nullptr;
    HBITMAP hCopy = CreateDib(bm.bmWidth, bm.bmHeight, 32, &bits);
    if (hCopy == nullptr)
        return nullptr;
    DIBSECTION ds;
    if (ReadDibSection(hSource, ds) && ds.dsBm.bmBitsPixel == 32) {
        ::GdiFlush();
        for (int y = 0; y < bm.bmHeight; ++y)
            std::memcpy(static_cast<BYTE*>(bits) + size_t(bm.bmHeight - 1 - y) * bm.bmWidth * 4, DibRow(ds, y),
                        size_t(bm.bmWidth) * 4);
        return hCopy;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    int rows = ::GetDIBits(screen, hSource, 0, UINT(bm.bmHeight), bits, &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != bm.bmHeight) {
        ::DeleteObject(hCopy);
        return nullptr;
    }
    // Whatever the system left in the fourth byte, a source without alpha
    // has none.
    DWORD* pixels = static_cast<DWORD*>(bits);
    for (size_t i = 0, n = size_t(bm.bmWidth) * size_t(bm.bmHeight); i < n; ++i)
        pixels[i] &= 0x00FFFFFFu;
    return hCopy;
}

// CopyTo32 into a bitmap that may be reused: a 32-bit DIB section of the
// same size is overwritten (a new DIB section costs far more than its
// pixels under some systems, at its first write); otherwise a new copy.
HBITMAP CopyTo32Reusing(HBITMAP hSource, HBITMAP hReuse)
{
    DIBSECTION target, source;
    BITMAP bm;
    if (hReuse == nullptr || !ReadBitmap(hSource, bm) || !ReadDibSection(hReuse, target) ||
        target.dsBm.bmBitsPixel != 32 || target.dsBm.bmWidth != bm.bmWidth || target.dsBm.bmHeight != bm.bmHeight)
        return CopyTo32(hSource);
    ::GdiFlush();
    if (ReadDibSection(hSource, source) && source.dsBm.bmBitsPixel == 32) {
        for (int y = 0; y < bm.bmHeight; ++y)
            std::memcpy(DibRow(target, y), DibRow(source, y), size_t(bm.bmWidth) * 4);
        return hReuse;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = target.dsBmih.biHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    int rows = ::GetDIBits(screen, hSource, 0, UINT(bm.bmHeight), target.dsBm.bmBits, &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != bm.bmHeight)
        return CopyTo32(hSource);
    DWORD* pixels = static_cast<DWORD*>(target.dsBm.bmBits);
    for (size_t i = 0, n = size_t(bm.bmWidth) * size_t(bm.bmHeight); i < n; ++i)
        pixels[i] &= 0x00FFFFFFu;
    return hReuse;
}

// Sets alpha 0xFF on every pixel of a rectangle of a 32-bit DIB: colour
// from a source without alpha is opaque.
void MakeOpaque(HBITMAP hDib, const CRect& rect)
{
    DIBSECTION ds;
    if (!ReadDibSection(hDib, ds) || ds.dsBm.bmBitsPixel != 32)
        return;
    ::GdiFlush();
    CRect area(rect);
    area.IntersectRect(area, CRect(0, 0, ds.dsBm.bmWidth, ds.dsBm.bmHeight));
    for (int y = area.top; y < area.bottom; ++y) {
        DWORD* row = reinterpret_cast<DWORD*>(DibRow(ds, y));
        for (int x = area.left; x < area.right; ++x)
            row[x] |= 0xFF000000u;
    }
}

DWORD RgbQuadOfColor(COLORREF colour)
{
    return (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | DWORD(GetBValue(colour));
}
COLORREF SwapRedBlue(COLORREF colour) { return RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour)); }

struct ClassicColor {
    COLORREF classic;
    int sysIndex;
};
const ClassicColor kClassicColors[] = {
    {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
    {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
    {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
    {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
};

HINSTANCE DefaultResourceModule()
{
    return g_hStringResourceModule != nullptr ? static_cast<HINSTANCE>(g_hStringResourceModule)
                                              : ::GetModuleHandleA(nullptr);
}

bool HasPngExtension(const CString& path)
{
    int length = path.GetLength();
    return length >= 4 && _stricmp(static_cast<LPCSTR>(path) + length - 4, ".png") == 0;
}

// A bare file name (no folder, no drive) is looked for in the program's
// folder.
CString ResolveUserPath(LPCTSTR lpszPath)
{
    CString path(lpszPath);
    if (std::strpbrk(lpszPath, "\\/:") != nullptr)
        return path;
    char module[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return path;
    char* slash = std::strrchr(module, '\\');
    if (slash == nullptr)
        return path;
    slash[1] = '\0';
    return CString(module) + path;
}

// What the active visual manager says about images.
BOOL ZUDPVisualManagerShadowsHotImages() { return CZUDPVisualManager::GetActiveManager()->m_shadowHighlightedImage; }
BOOL ZUDPVisualManagerEmbossesDisabledImages() { return CZUDPVisualManager::GetActiveManager()->m_embossDisabledImage; }
COLORREF ZUDPVisualManagerDisabledImageFaceColor()
{
    return CZUDPVisualManager::GetActiveManager()->GetDisabledImageFaceColor();
}
// Image shadows take the button-shadow colour.
COLORREF ZUDPImageShadowColor() { return g_uiEnvironment.m_colorButtonShadow; }

} // namespace

// ---------------------------------------------------------------------------
// Construction and lifetime

CZUDPToolBarImages::CZUDPToolBarImages()
{
    CZUDPGdiplusSession::AddRef();
    if (!s_sharedDCsExist && !CreateSharedResources())
        ReportStartupFailure("image strip drawing");
    ReloadForColorChange();
}

CZUDPToolBarImages::~CZUDPToolBarImages()
{
    ReleaseKeptSurfaces();
    // The aliases lose the bitmap with their source.
    for (CZUDPToolBarImages* alias : m_aliases) {
        alias->m_aliasSource = nullptr;
        alias->m_hImageBitmap = nullptr;
        alias->m_count = 0;
        alias->DropDerivedImages();
    }
    m_aliases.clear();
    DetachFromSource();
    if (!m_alias && m_hImageBitmap != nullptr)
        ::DeleteObject(m_hImageBitmap);
    DropDerivedImages();
    CZUDPGdiplusSession::Release();
}

BOOL CZUDPToolBarImages::CreateSharedResources()
{
    if (s_sharedDCsExist)
        return TRUE;
    s_imageDC = ::CreateCompatibleDC(nullptr);
    s_maskDC = ::CreateCompatibleDC(nullptr);
    if (s_imageDC == nullptr || s_maskDC == nullptr) {
        // Never thrown: strips are built by start-up initializers.  Drawing
        // passes answer FALSE while the shared DCs are missing.
        if (s_imageDC != nullptr)
            ::DeleteDC(s_imageDC);
        if (s_maskDC != nullptr)
            ::DeleteDC(s_maskDC);
        s_imageDC = s_maskDC = nullptr;
        return FALSE;
    }
    s_sharedDCsExist = TRUE;
    s_msimg32 = ::LoadLibraryA("msimg32.dll");
    if (s_msimg32 != nullptr) {
        s_alphaBlend = reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(::GetProcAddress(s_msimg32, "AlphaBlend")));
        s_transparentBlt =
            reinterpret_cast<TransparentBltFn>(reinterpret_cast<void*>(::GetProcAddress(s_msimg32, "TransparentBlt")));
    }
    return TRUE;
}

void CZUDPToolBarImages::ReleaseSharedResources()
{
    if (s_imageDC != nullptr)
        ::DeleteDC(s_imageDC);
    if (s_maskDC != nullptr)
        ::DeleteDC(s_maskDC);
    s_imageDC = s_maskDC = nullptr;
    s_sharedDCsExist = FALSE;
    if (s_msimg32 != nullptr)
        ::FreeLibrary(s_msimg32);
    s_msimg32 = nullptr;
    s_alphaBlend = nullptr;
    s_transparentBlt = nullptr;
}

void CZUDPToolBarImages::DropDerivedImages()
{
    if (m_hLightBitmap != nullptr)
        ::DeleteObject(m_hLightBitmap);
    if (m_hShadowBitmap != nullptr)
        ::DeleteObject(m_hShadowBitmap);
    m_hLightBitmap = m_hShadowBitmap = nullptr;
}

void CZUDPToolBarImages::ReplaceImageBitmap(HBITMAP hBitmap)
{
    if (m_hImageBitmap != nullptr && m_hImageBitmap != hBitmap && !m_alias)
        ::DeleteObject(m_hImageBitmap);
    m_hImageBitmap = hBitmap;
    DropDerivedImages();
    RefreshAliases();
}

void CZUDPToolBarImages::RefreshAliases()
{
    for (CZUDPToolBarImages* alias : m_aliases) {
        alias->m_hImageBitmap = m_hImageBitmap;
        alias->m_imageSize = m_imageSize;
        alias->m_destinationSize = m_destinationSize;
        alias->m_userImages = m_userImages;
        alias->m_count = m_count;
        alias->m_bitsPerPixel = m_bitsPerPixel;
        alias->DropDerivedImages();
    }
}

void CZUDPToolBarImages::DetachFromSource()
{
    if (m_aliasSource != nullptr) {
        std::vector<CZUDPToolBarImages*>& list = m_aliasSource->m_aliases;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        m_aliasSource = nullptr;
    }
}

void CZUDPToolBarImages::ResetScale()
{
    if (m_scale != 1.0) {
        if (m_unscaledImageSize.cx > 0 && m_unscaledImageSize.cy > 0)
            m_imageSize = m_unscaledImageSize;
        m_unscaledImageSize = CSize(0, 0);
        m_scale = 1.0;
        m_bitsPerPixel = 0;
        if (m_savedTransparentColor != kNone)
            m_transparentColor = m_savedTransparentColor;
        m_savedTransparentColor = kNone;
        m_destinationSize = CSize(0, 0);
        m_lastDrawnRect.SetRectEmpty();
        m_sourceSubRect.SetRectEmpty();
    }
}

void CZUDPToolBarImages::RemoveAllImages()
{
    if (m_alias)
        return;
    if (m_hImageBitmap != nullptr)
        ::DeleteObject(m_hImageBitmap);
    m_hImageBitmap = nullptr;
    DropDerivedImages();
    m_resourceIds.clear();
    m_resourceInstances.clear();
    m_resourceOffsets.clear();
    m_userPath.Empty();
    m_userImages = FALSE;
    m_modified = FALSE;
    m_greyed = FALSE;
    m_bitsPerPixel = 0;
    m_count = 0;
    ResetScale();
    RefreshAliases();
}

BOOL CZUDPToolBarImages::AliasInto(CZUDPToolBarImages& other)
{
    if (&other == this || m_alias || !other.m_aliases.empty())
        return FALSE;
    if (other.m_alias) {
        other.DetachFromSource();
        other.m_alias = FALSE;
        other.m_hImageBitmap = nullptr;
    }
    other.RemoveAllImages();
    other.m_alias = TRUE;
    other.m_readOnly = TRUE;
    other.m_aliasSource = this;
    m_aliases.push_back(&other);
    RefreshAliases();
    return TRUE;
}

HBITMAP CZUDPToolBarImages::CloneBitmap(HBITMAP hBitmap)
{
    if (hBitmap == nullptr)
        return nullptr;
    if (!g_uiEnvironment.m_isVistaOrLater)
        return static_cast<HBITMAP>(::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm;
    if (!ReadBitmap(hBitmap, bm))
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP hCopy = ::CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
    ::ReleaseDC(nullptr, screen);
    if (hCopy == nullptr)
        return nullptr;
    SelectedBitmap from(hBitmap), to(hCopy);
    if (!from.IsValid() || !to.IsValid() ||
        !::BitBlt(to.Dc(), 0, 0, bm.bmWidth, bm.bmHeight, from.Dc(), 0, 0, SRCCOPY)) {
        ::DeleteObject(hCopy);
        return nullptr;
    }
    return hCopy;
}

// A copy of the strip's own bitmap that keeps its pixel format: a DIB
// section of the same header for 24 and 32 bits (alpha included), else a
// compatible bitmap.
static HBITMAP CopyStripBitmap(HBITMAP hBitmap)
{
    DIBSECTION ds;
    if (ReadDibSection(hBitmap, ds) && ds.dsBm.bmBitsPixel >= 24) {
        void* bits = nullptr;
        HBITMAP hCopy = CreateDib(ds.dsBm.bmWidth, ds.dsBm.bmHeight, ds.dsBm.bmBitsPixel, &bits);
        if (hCopy == nullptr)
            return nullptr;
        ::GdiFlush();
        DIBSECTION copy;
        ReadDibSection(hCopy, copy);
        for (int y = 0; y < ds.dsBm.bmHeight; ++y)
            std::memcpy(DibRow(copy, y), DibRow(ds, y), size_t(std::min(copy.dsBm.bmWidthBytes, ds.dsBm.bmWidthBytes)));
        return hCopy;
    }
    return CZUDPToolBarImages::CloneBitmap(hBitmap);
}

BOOL CZUDPToolBarImages::DuplicateInto(CZUDPToolBarImages& other) const
{
    if (other.m_alias || &other == this)
        return FALSE;
    HBITMAP hCopy = nullptr, hLight = nullptr, hShadow = nullptr;
    if (m_hImageBitmap != nullptr) {
        hCopy = CopyStripBitmap(m_hImageBitmap);
        if (hCopy == nullptr)
            return FALSE;
        if (!g_uiEnvironment.m_isVistaOrLater) {
            hLight = CloneBitmap(m_hLightBitmap);
            hShadow = CloneBitmap(m_hShadowBitmap);
        }
    }
    other.RemoveAllImages();
    other.m_imageSize = m_imageSize;
    other.m_unscaledImageSize = m_unscaledImageSize;
    other.m_destinationSize = m_destinationSize;
    other.m_userImages = m_userImages;
    other.m_userPath = m_userPath;
    other.m_modified = m_modified;
    other.m_count = m_count;
    other.m_transparentColor = m_transparentColor;
    other.m_savedTransparentColor = m_savedTransparentColor;
    other.m_readOnly = m_readOnly;
    other.m_shadowColor = m_shadowColor;
    other.m_lightSelected = m_lightSelected;
    other.m_bitsPerPixel = m_bitsPerPixel;
    other.m_scale = m_scale;
    other.m_resourceIds = m_resourceIds;
    other.m_resourceInstances = m_resourceInstances;
    other.m_resourceOffsets = m_resourceOffsets;
    other.m_hImageBitmap = hCopy;
    other.m_hLightBitmap = hLight;
    other.m_hShadowBitmap = hShadow;
    other.RefreshAliases();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Loading

HBITMAP CZUDPToolBarImages::LoadResourceImage(LPCTSTR lpszName, HINSTANCE hInstance, BOOL bReload,
                                              int& nBitsPerPixel)
{
    nBitsPerPixel = 0;
    if (hInstance == nullptr)
        hInstance = DefaultResourceModule();
    HBITMAP hBitmap = nullptr;
    {
        CZUDPLocalResource scope;
        CZUDPPngImage png;
        if (png.LoadFromResource(lpszName, hInstance))
            hBitmap = static_cast<HBITMAP>(png.Detach());
        if (hBitmap == nullptr) {
            BOOL map = m_mapTo3DColors && !g_uiEnvironment.m_whiteOnBlack &&
                       (!bReload || !g_uiEnvironment.m_blackOnWhite);
            hBitmap = static_cast<HBITMAP>(::LoadImageA(hInstance, lpszName, IMAGE_BITMAP, 0, 0,
                                                        LR_CREATEDIBSECTION | (map ? LR_LOADMAP3DCOLORS : 0)));
        }
    }
    BITMAP bm;
    if (hBitmap == nullptr)
        return nullptr;
    if (!ReadBitmap(hBitmap, bm) || ::GetObjectType(hBitmap) != OBJ_BITMAP) {
        ::DeleteObject(hBitmap);
        return nullptr;
    }
    nBitsPerPixel = bm.bmBitsPixel;
    if (nBitsPerPixel == 32)
        ApplyAlphaToColors(hBitmap, m_premultipliedCheck);
    else if ((nBitsPerPixel > 8 && m_mapTo3DColors) || g_uiEnvironment.m_whiteOnBlack)
        MapBitmapColors(hBitmap);
    return hBitmap;
}

BOOL CZUDPToolBarImages::LoadFromResourceId(UINT nId, HINSTANCE hInstance, BOOL bAdd)
{
    return LoadFromResourceName(MAKEINTRESOURCEA(nId), hInstance, bAdd);
}

BOOL CZUDPToolBarImages::LoadFromResourceName(LPCTSTR lpszName, HINSTANCE hInstance, BOOL bAdd)
{
    if (m_alias || lpszName == nullptr)
        return FALSE;
    const bool isId = IS_INTRESOURCE(lpszName);
    const UINT id = isId ? UINT(reinterpret_cast<UINT_PTR>(lpszName)) : 0;
    if (!bAdd) {
        if (m_hImageBitmap != nullptr)
            ::DeleteObject(m_hImageBitmap);
        m_hImageBitmap = nullptr;
        m_resourceIds.clear();
        m_resourceInstances.clear();
        m_resourceOffsets.clear();
        m_count = 0;
        DropDerivedImages();
        RefreshAliases();
    } else if (isId && std::find(m_resourceIds.begin(), m_resourceIds.end(), id) != m_resourceIds.end()) {
        return TRUE;
    }
    if (hInstance == nullptr)
        hInstance = DefaultResourceModule();
    int bitsPerPixel = 0;
    HBITMAP hBitmap = LoadResourceImage(lpszName, hInstance, FALSE, bitsPerPixel);
    if (hBitmap == nullptr) {
        RecountImages();
        return FALSE;
    }
    m_bitsPerPixel = std::max(m_bitsPerPixel, bitsPerPixel);
    if (bAdd) {
        int first = m_count;
        int last = AppendBitmap(hBitmap);
        ::DeleteObject(hBitmap);
        if (last < 0)
            return FALSE;
        if (isId) {
            m_resourceOffsets[id] = first;
            m_resourceIds.push_back(id);
            m_resourceInstances.push_back(hInstance);
        }
    } else {
        ReplaceImageBitmap(hBitmap);
    }
    RecountImages();
    DropDerivedImages();
    return TRUE;
}

HBITMAP CZUDPToolBarImages::LoadFileImage(LPCTSTR lpszPath, int& nBitsPerPixel, BOOL& bReadOnly) const
{
    nBitsPerPixel = 0;
    bReadOnly = FALSE;
    CString path(lpszPath);
    HBITMAP hBitmap = nullptr;
    if (HasPngExtension(path)) {
        CZUDPPngImage png;
        if (png.LoadFromFile(path))
            hBitmap = static_cast<HBITMAP>(png.Detach());
    } else {
        hBitmap = static_cast<HBITMAP>(
            ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                         LR_LOADFROMFILE | LR_CREATEDIBSECTION | (m_mapTo3DColors ? LR_LOADMAP3DCOLORS : 0)));
    }
    BITMAP bm;
    if (hBitmap == nullptr)
        return nullptr;
    if (!ReadBitmap(hBitmap, bm)) {
        ::DeleteObject(hBitmap);
        return nullptr;
    }
    DWORD attributes = ::GetFileAttributesA(path);
    bReadOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    nBitsPerPixel = bm.bmBitsPixel;
    if (nBitsPerPixel == 32)
        ApplyAlphaToColors(hBitmap, m_premultipliedCheck);
    else if (nBitsPerPixel > 8 && m_mapTo3DColors)
        MapBitmapColors(hBitmap);
    return hBitmap;
}

BOOL CZUDPToolBarImages::LoadFromFile(LPCTSTR lpszPath)
{
    if (m_alias || lpszPath == nullptr || *lpszPath == '\0')
        return FALSE;
    CString path = ResolveUserPath(lpszPath);
    int bitsPerPixel = 0;
    BOOL readOnly = FALSE;
    // The current images stay until the new ones have loaded.
    HBITMAP hBitmap = LoadFileImage(path, bitsPerPixel, readOnly);
    if (hBitmap == nullptr)
        return FALSE;
    m_resourceIds.clear();
    m_resourceInstances.clear();
    m_resourceOffsets.clear();
    m_userImages = TRUE;
    m_userPath = path;
    m_readOnly = readOnly;
    m_modified = FALSE;
    m_bitsPerPixel = bitsPerPixel;
    ReplaceImageBitmap(hBitmap);
    RecountImages();
    return TRUE;
}

BOOL CZUDPToolBarImages::ReloadForColorChange()
{
    m_shadowColor = g_uiEnvironment.m_colorButtonShadow;
    if (m_alias)
        return FALSE;
    ResetScale();
    if (m_userImages) {
        if (!LoadFromFile(m_userPath))
            return FALSE;
    } else if (m_hImageBitmap != nullptr && m_resourceIds.empty()) {
        return TRUE;
    } else if (!m_resourceIds.empty()) {
        std::vector<UINT> ids = m_resourceIds;
        std::vector<HINSTANCE> instances = m_resourceInstances;
        if (m_hImageBitmap != nullptr)
            ::DeleteObject(m_hImageBitmap);
        m_hImageBitmap = nullptr;
        m_count = 0;
        m_resourceOffsets.clear();
        for (size_t i = 0; i < ids.size(); ++i) {
            int bitsPerPixel = 0;
            HBITMAP hBitmap = LoadResourceImage(MAKEINTRESOURCEA(ids[i]), instances[i], TRUE, bitsPerPixel);
            if (hBitmap == nullptr)
                continue;
            m_bitsPerPixel = std::max(m_bitsPerPixel, bitsPerPixel);
            int first = m_count;
            // Mirrored once below, for the whole strip.
            if (AppendBitmapInternal(hBitmap, FALSE, FALSE) >= 0)
                m_resourceOffsets[ids[i]] = first;
            ::DeleteObject(hBitmap);
        }
        m_modified = FALSE;
    } else {
        return TRUE;
    }
    RecountImages();
    if (s_mirror)
        MirrorAll();
    DropDerivedImages();
    if (m_greyed)
        ConvertToGray(m_greyPercent);
    RefreshAliases();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Building and editing

int CZUDPToolBarImages::AppendBitmap(HBITMAP hBitmap, BOOL bTakeBitDepth)
{
    return AppendBitmapInternal(hBitmap, bTakeBitDepth, TRUE);
}

int CZUDPToolBarImages::AppendBitmapInternal(HBITMAP hBitmap, BOOL bTakeBitDepth, BOOL bMirror)
{
    BITMAP added;
    if (m_alias || !ReadBitmap(hBitmap, added) || m_imageSize.cx <= 0)
        return -1;
    HBITMAP hSource = hBitmap;
    HBITMAP hTemporary = nullptr;
    if (bMirror && s_mirror) {
        hTemporary = CopyStripBitmap(hBitmap);
        if (hTemporary == nullptr || !MirrorBitmap(hTemporary, m_imageSize.cx)) {
            if (hTemporary != nullptr)
                ::DeleteObject(hTemporary);
            return -1;
        }
        hSource = hTemporary;
    }
    if (IsScaled() && added.bmHeight != m_imageSize.cy && m_unscaledImageSize.cx > 0) {
        CZUDPToolBarImages scaled;
        scaled.m_imageSize = m_unscaledImageSize;
        scaled.m_transparentColor = m_transparentColor;
        scaled.m_bitsPerPixel = added.bmBitsPixel;
        if (scaled.AppendBitmapInternal(hSource, TRUE, FALSE) < 0 || !scaled.ResampleByScale(m_scale)) {
            if (hTemporary != nullptr)
                ::DeleteObject(hTemporary);
            return -1;
        }
        if (hTemporary != nullptr)
            ::DeleteObject(hTemporary);
        hTemporary = scaled.m_hImageBitmap;
        scaled.m_hImageBitmap = nullptr;
        hSource = hTemporary;
        ReadBitmap(hSource, added);
    }

    BITMAP old = {};
    bool hasOld = ReadBitmap(m_hImageBitmap, old);
    int width = (hasOld ? old.bmWidth : 0) + added.bmWidth;
    int height = hasOld ? old.bmHeight : added.bmHeight;
    bool oldAlpha = hasOld && old.bmBitsPixel == 32;
    bool addedAlpha = added.bmBitsPixel == 32;
    bool alpha = oldAlpha || addedAlpha;
    HBITMAP hNew = CreateDib(width, height, alpha ? 32 : 24, nullptr);
    BOOL ok = hNew != nullptr;
    if (ok) {
        SelectedBitmap to(hNew);
        ok = to.IsValid();
        if (ok && hasOld) {
            SelectedBitmap from(m_hImageBitmap);
            ok = from.IsValid() && ::BitBlt(to.Dc(), 0, 0, old.bmWidth, height, from.Dc(), 0, 0, SRCCOPY);
        }
        if (ok) {
            SelectedBitmap from(hSource);
            ok = from.IsValid() &&
                 ::BitBlt(to.Dc(), width - added.bmWidth, 0, added.bmWidth, height, from.Dc(), 0, 0, SRCCOPY);
        }
    }
    if (hTemporary != nullptr)
        ::DeleteObject(hTemporary);
    if (!ok) {
        if (hNew != nullptr)
            ::DeleteObject(hNew);
        return -1;
    }
    ::GdiFlush();
    if (alpha && hasOld && !oldAlpha)
        MakeOpaque(hNew, CRect(0, 0, old.bmWidth, height));
    if (alpha && !addedAlpha)
        MakeOpaque(hNew, CRect(width - added.bmWidth, 0, width, height));
    if (bTakeBitDepth)
        m_bitsPerPixel = added.bmBitsPixel;
    else if (alpha && m_bitsPerPixel < 32 && addedAlpha)
        m_bitsPerPixel = 32;
    m_modified = TRUE;
    ReplaceImageBitmap(hNew);
    RecountImages();
    return m_count - 1;
}

int CZUDPToolBarImages::AppendIcon(HICON hIcon, BOOL bAlpha)
{
    if (m_alias || hIcon == nullptr)
        return -1;
    CSize size = IsScaled() && m_unscaledImageSize.cx > 0 ? m_unscaledImageSize : m_imageSize;
    HBITMAP hCell = nullptr;
    void* bits = nullptr;
    if (bAlpha) {
        hCell = CreateDib(size.cx, size.cy, 32, &bits);
        if (hCell != nullptr)
            std::memset(bits, 0, size_t(size.cx) * size_t(size.cy) * 4);
    } else {
        HDC screen = ::GetDC(nullptr);
        hCell = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
        ::ReleaseDC(nullptr, screen);
    }
    if (hCell == nullptr)
        return -1;
    {
        SelectedBitmap cell(hCell);
        if (!cell.IsValid()) {
            ::DeleteObject(hCell);
            return -1;
        }
        if (!bAlpha) {
            RECT whole = {0, 0, size.cx, size.cy};
            ::FillRect(cell.Dc(), &whole, static_cast<HBRUSH>(g_uiEnvironment.m_brushButtonFace.m_hObject));
        }
        ::DrawState(cell.Dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, 0, 0, size.cx, size.cy,
                    DST_ICON | DSS_NORMAL);
    }
    if (bAlpha) {
        m_bitsPerPixel = 32;
        // Icons draw straight alpha; the strip holds premultiplied colour.
        ApplyAlphaToColors(hCell, TRUE);
    }
    int index = AppendBitmap(hCell);
    ::DeleteObject(hCell);
    return index;
}

BOOL CZUDPToolBarImages::ReplaceImage(int nIndex, HBITMAP hBitmap)
{
    BITMAP bm, strip;
    if (!m_userImages || m_alias || nIndex < 0 || nIndex >= m_count || !ReadBitmap(hBitmap, bm) ||
        !ReadBitmap(m_hImageBitmap, strip))
        return FALSE;
    {
        SelectedBitmap to(m_hImageBitmap), from(hBitmap);
        if (!to.IsValid() || !from.IsValid() ||
            !::BitBlt(to.Dc(), nIndex * m_imageSize.cx, 0, m_imageSize.cx, m_imageSize.cy, from.Dc(), 0, 0,
                      SRCCOPY))
            return FALSE;
    }
    ::GdiFlush();
    if (strip.bmBitsPixel == 32 && bm.bmBitsPixel != 32)
        MakeOpaque(m_hImageBitmap, CRect(CPoint(nIndex * m_imageSize.cx, 0), m_imageSize));
    m_modified = TRUE;
    DropDerivedImages();
    RefreshAliases();
    return TRUE;
}

void CZUDPToolBarImages::UseWholeBitmapAsImage()
{
    BITMAP bm;
    if (m_alias || !ReadBitmap(m_hImageBitmap, bm))
        return;
    m_imageSize = CSize(bm.bmWidth, bm.bmHeight);
    m_count = 1;
    RebuildDerivedImage(FALSE);
    RebuildDerivedImage(TRUE);
    RefreshAliases();
}

void CZUDPToolBarImages::RecountImages()
{
    BITMAP bm;
    m_count = (m_imageSize.cx > 0 && ReadBitmap(m_hImageBitmap, bm)) ? bm.bmWidth / m_imageSize.cx : 0;
    RefreshAliases();
}

void CZUDPToolBarImages::SetImageSize(CSize size)
{
    if (m_alias)
        return;
    m_imageSize = CSize(std::max<int>(size.cx, 1), std::max<int>(size.cy, 1));
    RecountImages();
}

COLORREF CZUDPToolBarImages::SetTransparentColor(COLORREF colour)
{
    COLORREF previous = m_transparentColor;
    m_transparentColor = colour;
    return previous;
}

int CZUDPToolBarImages::GetResourceOffset(UINT nId) const
{
    auto it = m_resourceOffsets.find(nId);
    return it != m_resourceOffsets.end() ? it->second : -1;
}

HICON CZUDPToolBarImages::MakeIcon(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_count || m_hImageBitmap == nullptr)
        return nullptr;
    UINT flags;
    if (m_bitsPerPixel == 32)
        flags = ILC_COLOR32;
    else if (m_bitsPerPixel <= 4)
        flags = ILC_COLOR4 | ILC_MASK;
    else if (m_bitsPerPixel <= 8)
        flags = ILC_COLOR8 | ILC_MASK;
    else if (m_bitsPerPixel <= 16)
        flags = ILC_COLOR16 | ILC_MASK;
    else
        flags = ILC_COLOR24 | ILC_MASK;
    CImageList list;
    if (!list.Create(m_imageSize.cx, m_imageSize.cy, flags, 0, 0))
        return nullptr;
    CBitmap copy;
    if (!copy.Attach(CopyStripBitmap(m_hImageBitmap)))
        return nullptr;
    if (list.Add(&copy, m_transparentColor != kNone ? m_transparentColor : ButtonFace()) < 0)
        return nullptr;
    return list.ExtractIcon(nIndex);
}

BOOL CZUDPToolBarImages::PutImageOnClipboard(int nIndex)
{
    HBITMAP hCopy = nullptr;
    try {
        if (nIndex >= 0 && nIndex < m_count) {
            HDC screen = ::GetDC(nullptr);
            hCopy = ::CreateCompatibleBitmap(screen, m_imageSize.cx, m_imageSize.cy);
            ::ReleaseDC(nullptr, screen);
        }
        BOOL drawn = FALSE;
        if (hCopy != nullptr) {
            HDC memory = ::CreateCompatibleDC(nullptr);
            HGDIOBJ previous = memory != nullptr ? ::SelectObject(memory, hCopy) : nullptr;
            if (previous != nullptr) {
                RECT whole = {0, 0, m_imageSize.cx, m_imageSize.cy};
                ::FillRect(memory, &whole, static_cast<HBRUSH>(g_uiEnvironment.m_brushButtonFace.m_hObject));
                CDC dc;
                dc.Attach(memory);
                CZUDPImageDrawState ds;
                if (BeginDrawing(ds)) {
                    drawn = RenderImage(&dc, 0, 0, nIndex);
                    FinishDrawing(ds);
                }
                dc.Detach();
                ::SelectObject(memory, previous);
            }
            if (memory != nullptr)
                ::DeleteDC(memory);
        }
        if (drawn && AfxClipboardPutBitmap(nullptr, hCopy))
            return TRUE;
        if (hCopy != nullptr)
            ::DeleteObject(hCopy);
        CString text;
        text.LoadString(IDS_ZUDP_CANNOT_COPY_BITMAP);
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
        return FALSE;
    } catch (...) {
        CString text;
        text.LoadString(IDS_ZUDP_INTERNAL_ERROR);
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
}

BOOL CZUDPToolBarImages::SaveUserImages(LPCTSTR lpszPath)
{
    if (!m_userImages || m_hImageBitmap == nullptr || m_readOnly || m_alias)
        return FALSE;
    bool otherPath = lpszPath != nullptr && std::strcmp(lpszPath, m_userPath) != 0;
    if (!m_modified && !otherPath)
        return TRUE;
    HGLOBAL packed = BitmapToPackedDIB(m_hImageBitmap);
    if (packed == nullptr)
        return FALSE;
    BOOL written = WriteBitmapFile(otherPath ? lpszPath : static_cast<LPCSTR>(m_userPath), packed);
    ::GlobalFree(packed);
    if (written)
        m_modified = FALSE;
    return written;
}

HGLOBAL CZUDPToolBarImages::BitmapToPackedDIB(HBITMAP hBitmap, DWORD dwCompression)
{
    BITMAP bm;
    if (dwCompression == BI_BITFIELDS || !ReadBitmap(hBitmap, bm))
        return nullptr;
    int bits = bm.bmPlanes * bm.bmBitsPixel;
    if (bits <= 1)
        bits = 1;
    else if (bits <= 4)
        bits = 4;
    else if (bits <= 8)
        bits = 8;
    else if (bits <= 24)
        bits = 24;
    else
        bits = 32;
    int colours = bits <= 8 ? (1 << bits) : 0;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD table[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = bm.bmWidth;
    info.header.biHeight = bm.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(bits);
    info.header.biCompression = dwCompression;

    HDC screen = ::GetDC(nullptr);
    HPALETTE oldPalette = ::SelectPalette(screen, static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)), FALSE);
    ::RealizePalette(screen);
    HGLOBAL block = nullptr;
    if (::GetDIBits(screen, hBitmap, 0, UINT(bm.bmHeight), nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                    DIB_RGB_COLORS)) {
        unsigned long long imageSize = info.header.biSizeImage;
        if (imageSize == 0) {
            imageSize = ((unsigned long long)bits * unsigned(bm.bmWidth) + 31) / 32 * 4 * unsigned(bm.bmHeight);
            if (dwCompression != BI_RGB)
                imageSize = imageSize * 3 / 2;
        }
        size_t headerBytes = sizeof(BITMAPINFOHEADER) + size_t(colours) * sizeof(RGBQUAD);
        if (imageSize < (1ull << 31))
            block = ::GlobalAlloc(GHND, headerBytes + size_t(imageSize));
        BYTE* target = block != nullptr ? static_cast<BYTE*>(::GlobalLock(block)) : nullptr;
        if (target != nullptr) {
            info.header.biSizeImage = DWORD(imageSize);
            std::memcpy(target, &info, headerBytes);
            BITMAPINFO* header = reinterpret_cast<BITMAPINFO*>(target);
            BOOL ok = ::GetDIBits(screen, hBitmap, 0, UINT(bm.bmHeight), target + headerBytes, header,
                                  DIB_RGB_COLORS) != 0;
            // The file holds the classic colours, whatever the system's are.
            for (int i = 0; ok && i < colours; ++i) {
                DWORD* entry = reinterpret_cast<DWORD*>(&header->bmiColors[i]);
                *entry = SysColorToStdColor(*entry & 0x00FFFFFF, TRUE);
            }
            ::GlobalUnlock(block);
            if (!ok) {
                ::GlobalFree(block);
                block = nullptr;
            }
        } else if (block != nullptr) {
            ::GlobalFree(block);
            block = nullptr;
        }
    }
    ::SelectPalette(screen, oldPalette, FALSE);
    ::ReleaseDC(nullptr, screen);
    return block;
}

BOOL CZUDPToolBarImages::WriteBitmapFile(LPCTSTR lpszPath, HGLOBAL hPackedDib)
{
    if (lpszPath == nullptr || *lpszPath == '\0' || hPackedDib == nullptr)
        return FALSE;
    SIZE_T blockSize = ::GlobalSize(hPackedDib);
    const BYTE* block = static_cast<const BYTE*>(::GlobalLock(hPackedDib));
    if (block == nullptr)
        return FALSE;
    if (blockSize < sizeof(BITMAPINFOHEADER) || blockSize > 0x7FFFFFF0u) {
        ::GlobalUnlock(hPackedDib);
        return FALSE;
    }
    const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(block);
    DWORD colours = header->biBitCount <= 8 ? (header->biClrUsed != 0 ? header->biClrUsed : 1u << header->biBitCount)
                                            : 0;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfSize = DWORD(blockSize + sizeof(BITMAPFILEHEADER));
    fileHeader.bfOffBits = DWORD(sizeof(BITMAPFILEHEADER) + header->biSize + colours * sizeof(RGBQUAD));

    // The user's file is replaced only by a complete new one.
    CString target(lpszPath);
    CString folder = target;
    int slash = std::max(folder.ReverseFind('\\'), folder.ReverseFind('/'));
    folder = slash >= 0 ? folder.Left(slash + 1) : CString(".");
    char temporary[MAX_PATH] = {};
    BOOL ok = ::GetTempFileNameA(folder, "img", 0, temporary) != 0;
    if (ok) {
        HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ok = file != INVALID_HANDLE_VALUE;
        if (ok) {
            auto write = [&](const void* data, DWORD count) {
                DWORD written = 0;
                return g_foundationSeams.writeFile(file, data, count, &written) && written == count;
            };
            ok = write(&fileHeader, sizeof(fileHeader)) && write(block, DWORD(blockSize));
            ok = ::CloseHandle(file) && ok;
        }
        if (ok)
            ok = ::MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!ok)
            ::DeleteFileA(temporary);
    }
    ::GlobalUnlock(hPackedDib);
    return ok;
}

HRGN CZUDPToolBarImages::RegionFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent)
{
    BITMAP bm;
    if (!ReadBitmap(hBitmap, bm))
        return nullptr;
    HBITMAP hCopy = CopyTo32(hBitmap);
    if (hCopy == nullptr)
        return nullptr;
    DIBSECTION ds;
    ReadDibSection(hCopy, ds);
    DWORD key = RgbQuadOfColor(clrTransparent);
    // One rectangle per run of kept pixels in a row.
    std::vector<RECT> runs;
    for (int y = 0; y < bm.bmHeight; ++y) {
        const DWORD* row = reinterpret_cast<const DWORD*>(DibRow(ds, y));
        int x = 0;
        while (x < bm.bmWidth) {
            while (x < bm.bmWidth && (row[x] & 0x00FFFFFF) == key)
                ++x;
            int start = x;
            while (x < bm.bmWidth && (row[x] & 0x00FFFFFF) != key)
                ++x;
            if (x > start)
                runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    ::DeleteObject(hCopy);
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = DWORD(runs.size());
    region->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
    region->rdh.rcBound = RECT{0, 0, bm.bmWidth, bm.bmHeight};
    if (!runs.empty())
        std::memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    if (runs.empty())
        return ::CreateRectRgn(0, 0, 0, 0);
    return ::ExtCreateRegion(nullptr, DWORD(data.size()), region);
}

BOOL CZUDPToolBarImages::OSSupportsAlpha() { return g_uiEnvironment.m_layeredWindowsAvailable; }

COLORREF CZUDPToolBarImages::EffectiveTransparentColor() const
{
    return (m_bitsPerPixel == 32 && HasAlphaBlend()) ? kNone : m_transparentColor;
}

// ---------------------------------------------------------------------------
// Colour transforms

COLORREF CZUDPToolBarImages::StdColorToSysColor(COLORREF colour, BOOL bRGBQuad)
{
    COLORREF plain = bRGBQuad ? SwapRedBlue(colour) : colour;
    for (const ClassicColor& entry : kClassicColors) {
        if (plain == entry.classic) {
            COLORREF system = g_uiEnvironment.GetSysColorCached(entry.sysIndex);
            return bRGBQuad ? SwapRedBlue(system) : system;
        }
    }
    return colour;
}

COLORREF CZUDPToolBarImages::SysColorToStdColor(COLORREF colour, BOOL bRGBQuad)
{
    COLORREF plain = bRGBQuad ? SwapRedBlue(colour) : colour;
    for (const ClassicColor& entry : kClassicColors) {
        if (plain == g_uiEnvironment.GetSysColorCached(entry.sysIndex))
            return bRGBQuad ? SwapRedBlue(entry.classic) : entry.classic;
    }
    return colour;
}

COLORREF CZUDPToolBarImages::TintGreyFrom3DFace(COLORREF colour)
{
    int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    if (std::abs(r - g) > 10 || std::abs(g - b) > 10 || std::abs(r - b) > 10)
        return colour;
    return CZUDPColorArithmetic::MultiplyColorChannels(g_uiEnvironment.m_colorBarFace, (r - 192) / 255.0 + 1.0,
                                                       (g - 192) / 255.0 + 1.0, (b - 192) / 255.0 + 1.0);
}

BOOL CZUDPToolBarImages::MapBitmapColors(HBITMAP& hBitmap, BOOL bRGBQuad, COLORREF clrFrom, COLORREF clrTo)
{
    BITMAP bm;
    if (!ReadBitmap(hBitmap, bm) || (clrFrom != kNone && clrTo == kNone))
        return FALSE;
    if (bRGBQuad && clrFrom != kNone) {
        clrFrom = SwapRedBlue(clrFrom);
        clrTo = SwapRedBlue(clrTo);
    }
    const bool alpha = bm.bmBitsPixel == 32;
    HBITMAP hCopy = nullptr;
    DIBSECTION ds;
    if (alpha) {
        hCopy = CopyStripBitmap(hBitmap);
        if (hCopy == nullptr || !ReadDibSection(hCopy, ds)) {
            if (hCopy != nullptr)
                ::DeleteObject(hCopy);
            return FALSE;
        }
    } else {
        void* bits = nullptr;
        hCopy = CreateDib(bm.bmWidth, bm.bmHeight, 24, &bits);
        bool copied = false;
        if (hCopy != nullptr) {
            BITMAPINFO info = {};
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            info.bmiHeader.biWidth = bm.bmWidth;
            info.bmiHeader.biHeight = bm.bmHeight;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 24;
            info.bmiHeader.biCompression = BI_RGB;
            HDC screen = ::GetDC(nullptr);
            copied = ::GetDIBits(screen, hBitmap, 0, UINT(bm.bmHeight), bits, &info, DIB_RGB_COLORS) == bm.bmHeight;
            ::ReleaseDC(nullptr, screen);
        }
        if (!copied || !ReadDibSection(hCopy, ds)) {
            if (hCopy != nullptr)
                ::DeleteObject(hCopy);
            return FALSE;
        }
    }
    const bool tint = bm.bmBitsPixel == 24 && !s_classicColors;
    const int step = alpha ? 4 : 3;
    for (int y = 0; y < bm.bmHeight; ++y) {
        BYTE* p = DibRow(ds, y);
        for (int x = 0; x < bm.bmWidth; ++x, p += step) {
            COLORREF colour = RGB(p[2], p[1], p[0]);
            COLORREF mapped;
            if (clrFrom == kNone)
                mapped = tint ? TintGreyFrom3DFace(colour) : StdColorToSysColor(colour);
            else
                mapped = colour == clrFrom ? clrTo : colour;
            if (mapped != colour) {
                p[0] = GetBValue(mapped);
                p[1] = GetGValue(mapped);
                p[2] = GetRValue(mapped);
            }
        }
    }
    ::DeleteObject(hBitmap);
    hBitmap = hCopy;
    return TRUE;
}

BOOL CZUDPToolBarImages::MapColors(COLORREF clrFrom, COLORREF clrTo)
{
    if (m_alias || m_hImageBitmap == nullptr)
        return FALSE;
    HBITMAP hBitmap = CopyStripBitmap(m_hImageBitmap);
    if (hBitmap == nullptr)
        return FALSE;
    if (!MapBitmapColors(hBitmap, FALSE, clrFrom, clrTo)) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    ReplaceImageBitmap(hBitmap);
    return TRUE;
}

BOOL CZUDPToolBarImages::RetintByHue(COLORREF clrFrom, COLORREF clrTo)
{
    if (m_alias || m_hImageBitmap == nullptr)
        return FALSE;
    double h1, s1, l1, h2, s2, l2;
    CZUDPColorArithmetic::RgbToHlsUnitHue(clrFrom, &h1, &s1, &l1);
    CZUDPColorArithmetic::RgbToHlsUnitHue(clrTo, &h2, &s2, &l2);
    const double dH = h2 - h1, dS = s2 - s1, dL = l2 - l1;
    const COLORREF key = m_transparentColor != kNone ? m_transparentColor : ButtonFace();
    // The new colour of one pixel, or the pixel itself when it stays.
    auto retintOne = [&](COLORREF colour) -> COLORREF {
        double h, s, l;
        CZUDPColorArithmetic::RgbToHlsUnitHue(colour, &h, &s, &l);
        if (std::fabs(h1 - h) >= 0.2)
            return colour;
        // Hue is a fraction of a turn: wrap it, never clamp it.
        double hue = h + dH;
        hue -= std::floor(hue);
        if (hue >= 1.0)
            hue = 0.0;
        double saturation = std::min(1.0, std::max(0.0, s + dS));
        double lightness = h2 > 0.5 ? l : std::min(1.0, std::max(0.0, l + dL));
        return CZUDPColorArithmetic::HlsToRgbUnitHue(hue, lightness, saturation);
    };
    // Images repeat their colours: recent answers are kept by colour.
    struct CacheEntry {
        COLORREF from = kNone, to = kNone;
    };
    std::vector<CacheEntry> cache(1024);
    auto retint = [&](COLORREF colour) -> COLORREF {
        if (colour == key)
            return colour;
        CacheEntry& entry = cache[(colour * 2654435761u) >> 22];
        if (entry.from != colour) {
            entry.from = colour;
            entry.to = retintOne(colour);
        }
        return entry.to;
    };

    BITMAP bm;
    ReadBitmap(m_hImageBitmap, bm);
    DIBSECTION ds;
    if (m_bitsPerPixel >= 24 || bm.bmBitsPixel >= 24) {
        if (!ReadDibSection(m_hImageBitmap, ds) || ds.dsBm.bmBitsPixel < 24)
            return FALSE;
        ::GdiFlush();
        const bool alpha = ds.dsBm.bmBitsPixel == 32;
        for (int y = 0; y < ds.dsBm.bmHeight; ++y) {
            BYTE* p = DibRow(ds, y);
            for (int x = 0; x < ds.dsBm.bmWidth; ++x, p += alpha ? 4 : 3) {
                if (!alpha) {
                    COLORREF colour = RGB(p[2], p[1], p[0]);
                    COLORREF mapped = retint(colour);
                    p[0] = GetBValue(mapped);
                    p[1] = GetGValue(mapped);
                    p[2] = GetRValue(mapped);
                    continue;
                }
                int a = p[3];
                if (a == 0)
                    continue;
                auto straight = [a](int c) { return std::min(255, c * 255 / a); };
                COLORREF colour = RGB(straight(p[2]), straight(p[1]), straight(p[0]));
                COLORREF mapped = retint(colour);
                if (mapped == colour)
                    continue;
                p[0] = BYTE(GetBValue(mapped) * a / 255);
                p[1] = BYTE(GetGValue(mapped) * a / 255);
                p[2] = BYTE(GetRValue(mapped) * a / 255);
            }
        }
        DropDerivedImages();
        RefreshAliases();
        return TRUE;
    }
    HBITMAP hCopy = CloneBitmap(m_hImageBitmap);
    if (hCopy == nullptr)
        return FALSE;
    {
        SelectedBitmap copy(hCopy);
        if (!copy.IsValid()) {
            ::DeleteObject(hCopy);
            return FALSE;
        }
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < bm.bmWidth; ++x) {
                COLORREF colour = ::GetPixel(copy.Dc(), x, y);
                COLORREF mapped = retint(colour);
                if (mapped != colour)
                    ::SetPixel(copy.Dc(), x, y, mapped);
            }
    }
    ReplaceImageBitmap(hCopy);
    return TRUE;
}

BOOL CZUDPToolBarImages::ConvertToGray(int nPercent)
{
    if (m_alias)
        return FALSE;
    m_greyed = TRUE;
    m_greyPercent = nPercent;
    if (m_hImageBitmap == nullptr || ScreenDepth() <= 8 || g_uiEnvironment.m_is9x)
        return TRUE;
    // A strip that already is a 32-bit DIB section is greyed where it is.
    DIBSECTION ds;
    const bool inPlace = ReadDibSection(m_hImageBitmap, ds) && ds.dsBm.bmBitsPixel == 32;
    HBITMAP hDib = inPlace ? m_hImageBitmap : CopyTo32(m_hImageBitmap);
    if (hDib == nullptr || !ReadDibSection(hDib, ds)) {
        if (hDib != nullptr && !inPlace)
            ::DeleteObject(hDib);
        return FALSE;
    }
    ::GdiFlush();
    const int percent = nPercent < 1 ? 130 : nPercent;
    if (m_bitsPerPixel == 32 && HasAlphaBlend()) {
        const double factor = percent / 100.0;
        // The scaled grey of every lightness, once.
        BYTE scaledGrey[256];
        for (int grey = 0; grey < 256; ++grey)
            scaledGrey[grey] = GetRValue(CZUDPColorArithmetic::MultiplyColorChannels(RGB(grey, grey, grey), factor, factor, factor));
        for (int y = 0; y < ds.dsBm.bmHeight; ++y) {
            BYTE* p = DibRow(ds, y);
            for (int x = 0; x < ds.dsBm.bmWidth; ++x, p += 4) {
                int a = p[3];
                if (a == 0)
                    continue;
                // The lightness of the pixel's own (straight) colour, so that
                // a translucent pixel is not darkened twice by its alpha:
                // (max + min) / 2 of the channels.
                int high = std::max<int>(p[0], std::max<int>(p[1], p[2]));
                int low = std::min<int>(p[0], std::min<int>(p[1], p[2]));
                if (a != 255) {
                    high = std::min(255, high * 255 / a);
                    low = std::min(255, low * 255 / a);
                }
                BYTE value = BYTE(scaledGrey[(high + low) / 2] * a / 255);
                p[0] = p[1] = p[2] = value;
            }
        }
    } else {
        SelectedBitmap selected(hDib);
        if (!selected.IsValid()) {
            if (!inPlace)
                ::DeleteObject(hDib);
            return FALSE;
        }
        CDC dc;
        dc.Attach(selected.Dc());
        {
            CZUDPDrawManager manager(dc);
            manager.GrayRect(CRect(0, 0, ds.dsBm.bmWidth, ds.dsBm.bmHeight), percent,
                             m_transparentColor != kNone ? m_transparentColor : ButtonFace());
        }
        dc.Detach();
    }
    if (!inPlace) {
        HBITMAP hOld = m_hImageBitmap;
        m_hImageBitmap = hDib;
        if (hOld != nullptr)
            ::DeleteObject(hOld);
    }
    DropDerivedImages();
    RefreshAliases();
    return TRUE;
}

BOOL CZUDPToolBarImages::RebuildDerivedImage(BOOL bShadow)
{
    HBITMAP& derived = bShadow ? m_hShadowBitmap : m_hLightBitmap;
    if (!bShadow && !((m_bitsPerPixel >= 1 && m_bitsPerPixel <= 4) || (m_bitsPerPixel > 0 && m_lightForAllDepths))) {
        if (derived != nullptr)
            ::DeleteObject(derived);
        derived = nullptr;
        return FALSE;
    }
    // The old copy is overwritten when it fits, else replaced.
    HBITMAP hOld = derived;
    derived = nullptr;
    if (m_hImageBitmap == nullptr || ScreenDepth() <= 8 || g_uiEnvironment.m_is9x) {
        if (hOld != nullptr)
            ::DeleteObject(hOld);
        return TRUE;
    }
    HBITMAP hDib = CopyTo32Reusing(m_hImageBitmap, hOld);
    if (hOld != nullptr && hDib != hOld)
        ::DeleteObject(hOld);
    DIBSECTION ds;
    if (hDib == nullptr || !ReadDibSection(hDib, ds)) {
        if (hDib != nullptr)
            ::DeleteObject(hDib);
        return FALSE;
    }
    if (bShadow) {
        const bool perPixelAlpha = m_bitsPerPixel == 32 && HasAlphaBlend();
        const COLORREF background = m_transparentColor != kNone ? m_transparentColor : ButtonFace();
        const COLORREF shadow = CZUDPColorArithmetic::ScaleColorPercent(ZUDPImageShadowColor(), 67);
        for (int y = 0; y < ds.dsBm.bmHeight; ++y) {
            DWORD* row = reinterpret_cast<DWORD*>(DibRow(ds, y));
            for (int x = 0; x < ds.dsBm.bmWidth; ++x) {
                if (perPixelAlpha) {
                    // Transparent pixels stay; the others keep their cover.
                    DWORD a = row[x] >> 24;
                    if (a != 0)
                        row[x] = (a << 24) | ((GetRValue(shadow) * a / 255) << 16) |
                                 ((GetGValue(shadow) * a / 255) << 8) | (GetBValue(shadow) * a / 255);
                } else if ((row[x] & 0x00FFFFFF) != RgbQuadOfColor(background)) {
                    row[x] = 0xFF000000u | RgbQuadOfColor(shadow);
                }
            }
        }
    } else {
        SelectedBitmap selected(hDib);
        if (!selected.IsValid()) {
            ::DeleteObject(hDib);
            return FALSE;
        }
        CDC dc;
        dc.Attach(selected.Dc());
        {
            CZUDPDrawManager manager(dc);
            manager.TintRect(CRect(0, 0, ds.dsBm.bmWidth, ds.dsBm.bmHeight), m_lightPercent,
                             m_transparentColor != kNone ? m_transparentColor : ButtonFace(), 0, kNone);
        }
        dc.Detach();
    }
    derived = hDib;
    return TRUE;
}

BOOL CZUDPToolBarImages::ApplyAlphaToColors(HBITMAP hBitmap, BOOL bCheckFirst)
{
    DIBSECTION ds;
    if (!ReadDibSection(hBitmap, ds) || ds.dsBm.bmBitsPixel != 32)
        return FALSE;
    ::GdiFlush();
    if (bCheckFirst) {
        bool premultiplied = true;
        for (int y = 0; y < ds.dsBm.bmHeight && premultiplied; ++y) {
            const BYTE* p = DibRow(ds, y);
            for (int x = 0; x < ds.dsBm.bmWidth; ++x, p += 4)
                if (p[0] > p[3] || p[1] > p[3] || p[2] > p[3]) {
                    premultiplied = false;
                    break;
                }
        }
        if (premultiplied)
            return TRUE;
    }
    for (int y = 0; y < ds.dsBm.bmHeight; ++y) {
        BYTE* p = DibRow(ds, y);
        for (int x = 0; x < ds.dsBm.bmWidth; ++x, p += 4) {
            int a = p[3];
            p[0] = BYTE(p[0] * a / 255);
            p[1] = BYTE(p[1] * a / 255);
            p[2] = BYTE(p[2] * a / 255);
        }
    }
    return TRUE;
}

BOOL CZUDPToolBarImages::PremultiplyLoaded() { return ApplyAlphaToColors(m_hImageBitmap, m_premultipliedCheck); }

void CZUDPToolBarImages::FillLightRect(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr)
        return;
    if (g_drawingOnGlass) {
        LOGBRUSH brush = {};
        COLORREF colour = g_uiEnvironment.m_colorLight;
        if (g_uiEnvironment.m_brushLight.GetLogBrush(&brush) && brush.lbStyle == BS_SOLID)
            colour = brush.lbColor;
        CZUDPDrawManager manager(*pDC);
        manager.DrawBox(rect, colour, kNone);
        return;
    }
    ::FillRect(pDC->GetSafeHdc(), &rect, static_cast<HBRUSH>(g_uiEnvironment.m_brushLight.m_hObject));
}

void CZUDPToolBarImages::SetMirrorImages(BOOL bMirror) { s_mirror = bMirror; }

BOOL CZUDPToolBarImages::MirrorBitmap(HBITMAP& hBitmap, int nImageWidth)
{
    if (hBitmap == nullptr)
        return TRUE;
    BITMAP bm;
    if (!ReadBitmap(hBitmap, bm) || nImageWidth <= 0)
        return FALSE;
    const int cells = bm.bmWidth / nImageWidth;
    DIBSECTION ds;
    if (ReadDibSection(hBitmap, ds) && ds.dsBm.bmBitsPixel == 32) {
        ::GdiFlush();
        for (int y = 0; y < bm.bmHeight; ++y) {
            DWORD* row = reinterpret_cast<DWORD*>(DibRow(ds, y));
            for (int cell = 0; cell < cells; ++cell)
                std::reverse(row + cell * nImageWidth, row + (cell + 1) * nImageWidth);
        }
        return TRUE;
    }
    SelectedBitmap selected(hBitmap);
    if (!selected.IsValid())
        return FALSE;
    HDC dc = selected.Dc();
    for (int cell = 0; cell < cells; ++cell) {
        int left = cell * nImageWidth;
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < nImageWidth / 2; ++x) {
                COLORREF a = ::GetPixel(dc, left + x, y);
                COLORREF b = ::GetPixel(dc, left + nImageWidth - 1 - x, y);
                ::SetPixel(dc, left + x, y, b);
                ::SetPixel(dc, left + nImageWidth - 1 - x, y, a);
            }
    }
    return TRUE;
}

BOOL CZUDPToolBarImages::MirrorAll()
{
    if (m_alias || !MirrorBitmap(m_hImageBitmap, m_imageSize.cx))
        return FALSE;
    if (m_hLightBitmap != nullptr)
        MirrorBitmap(m_hLightBitmap, m_imageSize.cx);
    if (m_hShadowBitmap != nullptr)
        MirrorBitmap(m_hShadowBitmap, m_imageSize.cx);
    RefreshAliases();
    return TRUE;
}

BOOL CZUDPToolBarImages::FlipBitmapVertically(HBITMAP& hBitmap, int nImageHeight)
{
    if (hBitmap == nullptr)
        return TRUE;
    BITMAP bm;
    if (!ReadBitmap(hBitmap, bm) || nImageHeight <= 0)
        return FALSE;
    const int cells = bm.bmHeight / nImageHeight;
    DIBSECTION ds;
    if (ReadDibSection(hBitmap, ds) && ds.dsBm.bmBitsPixel >= 16) {
        ::GdiFlush();
        std::vector<BYTE> swap(size_t(ds.dsBm.bmWidthBytes));
        for (int cell = 0; cell < cells; ++cell) {
            int top = cell * nImageHeight;
            for (int y = 0; y < nImageHeight / 2; ++y) {
                BYTE* a = DibRow(ds, top + y);
                BYTE* b = DibRow(ds, top + nImageHeight - 1 - y);
                std::memcpy(swap.data(), a, swap.size());
                std::memcpy(a, b, swap.size());
                std::memcpy(b, swap.data(), swap.size());
            }
        }
        return TRUE;
    }
    SelectedBitmap selected(hBitmap);
    if (!selected.IsValid())
        return FALSE;
    HDC dc = selected.Dc();
    for (int cell = 0; cell < cells; ++cell) {
        int top = cell * nImageHeight;
        for (int y = 0; y < nImageHeight / 2; ++y)
            for (int x = 0; x < bm.bmWidth; ++x) {
                COLORREF a = ::GetPixel(dc, x, top + y);
                COLORREF b = ::GetPixel(dc, x, top + nImageHeight - 1 - y);
                ::SetPixel(dc, x, top + y, b);
                ::SetPixel(dc, x, top + nImageHeight - 1 - y, a);
            }
    }
    return TRUE;
}

BOOL CZUDPToolBarImages::FlipAllVertically()
{
    if (m_alias || !FlipBitmapVertically(m_hImageBitmap, m_imageSize.cy))
        return FALSE;
    if (m_hLightBitmap != nullptr)
        FlipBitmapVertically(m_hLightBitmap, m_imageSize.cy);
    if (m_hShadowBitmap != nullptr)
        FlipBitmapVertically(m_hShadowBitmap, m_imageSize.cy);
    RefreshAliases();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Drawing passes

BOOL CZUDPToolBarImages::BeginDrawing(CZUDPImageDrawState& ds, int cxDest, int cyDest, BOOL bFadeInactive)
{
    ds = CZUDPImageDrawState();
    if (m_hImageBitmap == nullptr || !s_sharedDCsExist)
        return FALSE;
    if (s_multithreaded)
        ImageLock().lock();
    auto fail = [&]() {
        if (s_multithreaded)
            ImageLock().unlock();
        return FALSE;
    };

    if (bFadeInactive && m_bitsPerPixel <= 31 && m_hLightBitmap == nullptr)
        RebuildDerivedImage(FALSE);
    if (m_bitsPerPixel < 32 && m_hShadowBitmap == nullptr && ZUDPVisualManagerShadowsHotImages() &&
        !g_uiEnvironment.IsContrastColorScheme())
        RebuildDerivedImage(TRUE);

    BOOL fade = bFadeInactive && m_hLightBitmap != nullptr && m_bitsPerPixel != 0 &&
                (m_bitsPerPixel <= 4 || m_lightForAllDepths);
    m_lightSelected = fade;
    HBITMAP selected = (fade && m_bitsPerPixel <= 31) ? m_hLightBitmap : m_hImageBitmap;
    ds.m_hImagePrevious = static_cast<HBITMAP>(::SelectObject(s_imageDC, selected));
    if (ds.m_hImagePrevious == nullptr) {
        m_lightSelected = FALSE;
        return fail();
    }
    if (m_maskEnabled) {
        ds.m_hMaskBitmap = AcquireKeptMask(CSize(m_imageSize.cx + 2, m_imageSize.cy + 2));
        ds.m_hMaskPrevious = ds.m_hMaskBitmap != nullptr
                                 ? static_cast<HBITMAP>(::SelectObject(s_maskDC, ds.m_hMaskBitmap))
                                 : nullptr;
        if (ds.m_hMaskPrevious == nullptr) {
            ::SelectObject(s_imageDC, ds.m_hImagePrevious);
            ds = CZUDPImageDrawState();
            m_lightSelected = FALSE;
            return fail();
        }
    }
    m_destinationSize = (cxDest >= 1 && cyDest >= 1) ? CSize(cxDest, cyDest) : m_imageSize;

    if (m_destinationSize == m_imageSize && EffectiveTransparentColor() == kNone)
        return TRUE;
    m_stretch = m_destinationSize != m_imageSize;
    // Every render fills the whole private bitmap before drawing into it,
    // so the one kept from an earlier pass serves as well as a new one.
    if (AcquireKeptSurface(CSize(m_imageSize.cx + 2, m_imageSize.cy + 2))) {
        m_hPrivateDC = m_hKeptDC;
        m_hPrivateBitmap = m_hKeptBitmap;
    }
    return TRUE;
}

BOOL CZUDPToolBarImages::AcquireKeptSurface(CSize size)
{
    if (m_hKeptDC != nullptr && m_hKeptBitmap != nullptr && m_keptSize == size)
        return TRUE;
    if (m_hKeptDC == nullptr) {
        m_hKeptDC = ::CreateCompatibleDC(nullptr);
        if (m_hKeptDC == nullptr)
            return FALSE;
    }
    HDC screen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    ::ReleaseDC(nullptr, screen);
    if (hBitmap == nullptr)
        return FALSE;
    HBITMAP previous = static_cast<HBITMAP>(::SelectObject(m_hKeptDC, hBitmap));
    if (previous == nullptr) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    if (m_hKeptBitmap != nullptr)
        ::DeleteObject(m_hKeptBitmap); // the one just deselected
    else
        m_hKeptPrevious = previous;
    m_hKeptBitmap = hBitmap;
    m_keptSize = size;
    return TRUE;
}

HBITMAP CZUDPToolBarImages::AcquireKeptMask(CSize size)
{
    if (m_hKeptMask != nullptr && m_keptMaskSize == size)
        return m_hKeptMask;
    // A new image size needs a new mask; the contents are rebuilt for
    // every image drawn, so nothing else is carried over.
    HBITMAP hMask = ::CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    if (hMask == nullptr)
        return nullptr;
    if (m_hKeptMask != nullptr)
        ::DeleteObject(m_hKeptMask);
    m_hKeptMask = hMask;
    m_keptMaskSize = size;
    return m_hKeptMask;
}

void CZUDPToolBarImages::ReleaseKeptSurfaces()
{
    if (m_hKeptDC != nullptr) {
        if (m_hKeptPrevious != nullptr)
            ::SelectObject(m_hKeptDC, m_hKeptPrevious);
        ::DeleteDC(m_hKeptDC);
    }
    if (m_hKeptBitmap != nullptr)
        ::DeleteObject(m_hKeptBitmap);
    if (m_hKeptMask != nullptr)
        ::DeleteObject(m_hKeptMask);
    m_hKeptDC = nullptr;
    m_hKeptBitmap = nullptr;
    m_hKeptPrevious = nullptr;
    m_keptSize = CSize(0, 0);
    m_hKeptMask = nullptr;
    m_keptMaskSize = CSize(0, 0);
}

void CZUDPToolBarImages::FinishDrawing(CZUDPImageDrawState& ds)
{
    if (ds.m_hMaskBitmap != nullptr) {
        if (ds.m_hMaskPrevious != nullptr)
            ::SelectObject(s_maskDC, ds.m_hMaskPrevious);
        if (ds.m_hMaskBitmap != m_hKeptMask)
            ::DeleteObject(ds.m_hMaskBitmap);
    }
    if (ds.m_hImagePrevious != nullptr)
        ::SelectObject(s_imageDC, ds.m_hImagePrevious);
    m_destinationSize = CSize(0, 0);
    m_lastDrawnRect.SetRectEmpty();
    m_hPrivateDC = nullptr;
    m_hPrivateBitmap = nullptr;
    m_hPrivatePrevious = nullptr;
    m_stretch = FALSE;
    m_lightSelected = FALSE;
    bool wasInPass = ds.m_hImagePrevious != nullptr;
    ds = CZUDPImageDrawState();
    if (s_multithreaded && wasInPass)
        ImageLock().unlock();
}

void CZUDPToolBarImages::BuildMonoMask(int nIndex, BOOL bHighlightPass, BOOL bOffsetPass)
{
    const int w = m_imageSize.cx, h = m_imageSize.cy;
    ::PatBlt(s_maskDC, 0, 0, w + 2, h + 2, WHITENESS);
    COLORREF key = EffectiveTransparentColor();
    ::SetBkColor(s_imageDC, key != kNone ? key : ButtonFace());
    ::BitBlt(s_maskDC, 0, 0, w, h, s_imageDC, nIndex * w, 0, SRCCOPY);
    if (bHighlightPass) {
        ::SetBkColor(s_imageDC, g_uiEnvironment.m_colorButtonHighlight);
        ::BitBlt(s_maskDC, 0, 0, w, h, s_imageDC, nIndex * w, 0, SRCPAINT);
    }
    if (bOffsetPass)
        ::BitBlt(s_maskDC, 1, 1, w + 1, h + 1, s_maskDC, 0, 0, SRCAND);
}

BOOL CZUDPToolBarImages::RenderImage(CDC* pDC, int x, int y, int nIndex, BOOL bHighlight, BOOL bDisabled,
                                     BOOL bIndeterminate, BOOL bShadow, BOOL bInactive, BYTE nAlpha)
{
    if (nIndex < 0 || nIndex >= m_count)
        return FALSE;
    if (bShadow && ScreenDepth() <= 8)
        return TRUE;
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || !s_sharedDCsExist)
        return FALSE;
    HDC target = pDC->GetSafeHdc();
    const CSize destination = m_destinationSize.cx > 0 ? m_destinationSize : m_imageSize;
    m_lastDrawnRect = CRect(CPoint(x, y), destination);
    if (m_stretch) {
        bHighlight = FALSE;
        bIndeterminate = FALSE;
    }
    HGDIOBJ reselect = nullptr;
    if (m_lightSelected && (!bInactive || bDisabled) && m_bitsPerPixel < 32)
        reselect = ::SelectObject(s_imageDC, m_hImageBitmap);

    const bool alpha32 = m_bitsPerPixel == 32 && HasAlphaBlend();
    const BOOL savedStretch = m_stretch;
    if (alpha32)
        m_stretch = FALSE;
    const COLORREF transparent = (HasAlphaBlend() && (m_bitsPerPixel == 32 || g_drawingOnGlass)) ? kNone
                                                                                                  : m_transparentColor;
    const COLORREF face = ButtonFace();

    // The cell, or the requested part of it.
    CRect source(CPoint(nIndex * m_imageSize.cx, 0), m_imageSize);
    if (!m_sourceSubRect.IsRectEmpty()) {
        source = m_sourceSubRect;
        source.OffsetRect(nIndex * m_imageSize.cx, 0);
    }

    const bool usePrivate = m_hPrivateDC != nullptr && (m_stretch || transparent != kNone);
    HDC drawDC = target;
    int xd = x, yd = y;
    COLORREF greyKey = transparent != kNone ? transparent : face;
    if (usePrivate) {
        drawDC = m_hPrivateDC;
        xd = yd = 0;
        RECT fill = {0, 0, m_imageSize.cx + 2, m_imageSize.cy + 2};
        if (transparent == kNone || transparent == face) {
            ::FillRect(drawDC, &fill, static_cast<HBRUSH>(g_uiEnvironment.m_brushButtonFace.m_hObject));
        } else {
            HBRUSH brush = ::CreateSolidBrush(transparent);
            ::FillRect(drawDC, &fill, brush);
            ::DeleteObject(brush);
        }
        // On a 16-bit screen the fill may not come back as the colour that
        // was asked for; read the key back from the private DC, the only
        // place it was drawn.
        if (ScreenDepth() == 16 && bDisabled)
            greyKey = ::GetPixel(drawDC, 0, 0);
    }

    BOOL grey = FALSE;
    if (bDisabled && m_bitsPerPixel >= 24) {
        grey = TRUE;
        bDisabled = FALSE;
    }
    if (bShadow && alpha32)
        bShadow = FALSE;
    const bool maskReady = m_maskEnabled && s_maskDC != nullptr;

    if (!bHighlight && !bDisabled && !bShadow) {
        BOOL done = FALSE;
        if (HasAlphaBlend() && (m_bitsPerPixel == 32 || g_drawingOnGlass)) {
            BYTE alpha = grey ? s_disabledAlpha : (bInactive && m_lightSelected) ? s_fadedAlpha : nAlpha;
            BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
            if (m_bitsPerPixel == 32) {
                CSize size = (drawDC == target) ? destination : source.Size();
                done = s_alphaBlend(drawDC, xd, yd, size.cx, size.cy, s_imageDC, source.left, source.top,
                                    source.Width(), source.Height(), blend);
            } else {
                // Glass: a keyed image becomes one with alpha first.
                void* bits = nullptr;
                HBITMAP hCell = CreateDib(source.Width(), source.Height(), 32, &bits);
                if (hCell == nullptr) {
                    if (reselect != nullptr)
                        ::SelectObject(s_imageDC, reselect);
                    m_stretch = savedStretch;
                    return FALSE;
                }
                {
                    SelectedBitmap cell(hCell);
                    ::BitBlt(cell.Dc(), 0, 0, source.Width(), source.Height(), s_imageDC, source.left, source.top,
                             SRCCOPY);
                    ::GdiFlush();
                    DWORD key = RgbQuadOfColor(m_transparentColor);
                    DWORD* pixels = static_cast<DWORD*>(bits);
                    for (size_t i = 0, n = size_t(source.Width()) * size_t(source.Height()); i < n; ++i) {
                        if (m_transparentColor != kNone && (pixels[i] & 0x00FFFFFF) == key)
                            pixels[i] = 0;
                        else
                            pixels[i] |= 0xFF000000u;
                    }
                    done = s_alphaBlend(drawDC, xd, yd, destination.cx, destination.cy, cell.Dc(), 0, 0,
                                        source.Width(), source.Height(), blend);
                }
                ::DeleteObject(hCell);
            }
        }
        if (!done) {
            ::BitBlt(drawDC, xd, yd, source.Width(), source.Height(), s_imageDC, source.left, source.top, SRCCOPY);
            if (grey) {
                CDC dc;
                dc.Attach(drawDC);
                {
                    CZUDPDrawManager manager(dc);
                    manager.GrayRect(CRect(xd, yd, xd + source.Width() + 2, yd + source.Height() + 2), -1, greyKey,
                                     ZUDPVisualManagerDisabledImageFaceColor());
                }
                dc.Detach();
            }
        }
    } else if (bShadow && !bHighlight && !bDisabled && m_hShadowBitmap != nullptr) {
        SelectedBitmap shadow(m_hShadowBitmap);
        if (shadow.IsValid())
            ::BitBlt(drawDC, xd, yd, source.Width(), source.Height(), shadow.Dc(), source.left, source.top, SRCCOPY);
    } else if (maskReady) {
        HGDIOBJ oldBrush = nullptr;
        if (bDisabled || bIndeterminate || bShadow) {
            BuildMonoMask(nIndex, TRUE, FALSE);
            ::SetTextColor(drawDC, bShadow ? m_shadowColor : RGB(0, 0, 0));
            ::SetBkColor(drawDC, RGB(255, 255, 255));
            if (bDisabled && ZUDPVisualManagerEmbossesDisabledImages()) {
                oldBrush = ::SelectObject(drawDC, g_uiEnvironment.m_sysBrushButtonHighlight != nullptr
                                                      ? g_uiEnvironment.m_sysBrushButtonHighlight
                                                      : ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
                ::BitBlt(drawDC, xd + 1, yd + 1, m_imageSize.cx + 2, m_imageSize.cy + 2, s_maskDC, 0, 0,
                         kRopMaskBrushOnBlack);
            }
            HGDIOBJ previous = ::SelectObject(drawDC, g_uiEnvironment.m_sysBrushButtonShadow != nullptr
                                                          ? g_uiEnvironment.m_sysBrushButtonShadow
                                                          : ::GetSysColorBrush(COLOR_BTNSHADOW));
            if (oldBrush == nullptr)
                oldBrush = previous;
            ::BitBlt(drawDC, xd, yd, m_imageSize.cx + 2, m_imageSize.cy + 2, s_maskDC, 0, 0, kRopMaskBrushOnBlack);
        }
        if (bHighlight || bIndeterminate) {
            HGDIOBJ previous = ::SelectObject(drawDC, g_uiEnvironment.m_brushLight.m_hObject);
            if (oldBrush == nullptr)
                oldBrush = previous;
            BuildMonoMask(nIndex, !bIndeterminate, bDisabled);
            ::SetTextColor(drawDC, RGB(0, 0, 0));
            ::SetBkColor(drawDC, RGB(255, 255, 255));
            ::BitBlt(drawDC, xd, yd, m_imageSize.cx, m_imageSize.cy, s_maskDC, 0, 0, kRopMaskBrushOnWhite);
        }
        if (oldBrush != nullptr)
            ::SelectObject(drawDC, oldBrush);
    }

    if (usePrivate) {
        COLORREF key = transparent != kNone ? transparent : face;
        if (m_stretch)
            BlitTransparent(target, x, y, source.Width(), source.Height(), m_hPrivateDC, 0, 0, key,
                            destination.cx, destination.cy);
        else if (transparent != kNone)
            BlitTransparent(target, x, y, source.Width(), source.Height(), m_hPrivateDC, 0, 0, transparent);
    }
    if (reselect != nullptr)
        ::SelectObject(s_imageDC, reselect);
    m_stretch = savedStretch;
    return TRUE;
}

BOOL CZUDPToolBarImages::BlitTransparent(HDC hdcTarget, int x, int y, int cxSource, int cySource, HDC hdcSource,
                                         int xSource, int ySource, COLORREF clrTransparent, int cxDest, int cyDest)
{
    if (cxDest == -1)
        cxDest = cxSource;
    if (cyDest == -1)
        cyDest = cySource;
    if (cxDest <= 0 || cyDest <= 0 || cxSource <= 0 || cySource <= 0)
        return FALSE;
    // Mirrored layouts copy the pixels themselves: TransparentBlt would
    // mirror them once more.
    if (s_transparentBlt != nullptr && !s_mirror &&
        s_transparentBlt(hdcTarget, x, y, cxDest, cyDest, hdcSource, xSource, ySource, cxSource, cySource,
                         clrTransparent))
        return TRUE;

    HDC colourDC = ::CreateCompatibleDC(hdcTarget);
    HDC maskDC = ::CreateCompatibleDC(hdcTarget);
    HBITMAP colour = ::CreateCompatibleBitmap(hdcTarget, cxDest, cyDest);
    HBITMAP mask = ::CreateBitmap(cxDest, cyDest, 1, 1, nullptr);
    BOOL ok = colourDC != nullptr && maskDC != nullptr && colour != nullptr && mask != nullptr;
    if (ok) {
        HGDIOBJ oldColour = ::SelectObject(colourDC, colour);
        HGDIOBJ oldMask = ::SelectObject(maskDC, mask);
        if (cxDest == cxSource && cyDest == cySource)
            ::BitBlt(colourDC, 0, 0, cxDest, cyDest, hdcSource, xSource, ySource, SRCCOPY);
        else
            ::StretchBlt(colourDC, 0, 0, cxDest, cyDest, hdcSource, xSource, ySource, cxSource, cySource, SRCCOPY);
        ::SetBkColor(colourDC, clrTransparent);
        ::BitBlt(maskDC, 0, 0, cxDest, cyDest, colourDC, 0, 0, SRCCOPY);
        ::SetBkColor(colourDC, RGB(0, 0, 0));
        ::SetTextColor(colourDC, RGB(255, 255, 255));
        ::BitBlt(colourDC, 0, 0, cxDest, cyDest, maskDC, 0, 0, SRCAND);
        COLORREF oldBk = ::SetBkColor(hdcTarget, RGB(255, 255, 255));
        COLORREF oldText = ::SetTextColor(hdcTarget, RGB(0, 0, 0));
        ::BitBlt(hdcTarget, x, y, cxDest, cyDest, maskDC, 0, 0, SRCAND);
        ::BitBlt(hdcTarget, x, y, cxDest, cyDest, colourDC, 0, 0, SRCPAINT);
        ::SetBkColor(hdcTarget, oldBk);
        ::SetTextColor(hdcTarget, oldText);
        ::SelectObject(colourDC, oldColour);
        ::SelectObject(maskDC, oldMask);
    }
    if (colour != nullptr)
        ::DeleteObject(colour);
    if (mask != nullptr)
        ::DeleteObject(mask);
    if (colourDC != nullptr)
        ::DeleteDC(colourDC);
    if (maskDC != nullptr)
        ::DeleteDC(maskDC);
    return ok;
}

BOOL CZUDPToolBarImages::DrawAligned(CDC* pDC, const CRect& rectDest, int nIndex, int nHorzAlign, int nVertAlign,
                                     CRect rectSource, BYTE nAlpha)
{
    if (pDC == nullptr || nIndex < 0 || nIndex >= m_count || !s_sharedDCsExist)
        return FALSE;
    if (rectSource.IsRectEmpty())
        rectSource = CRect(CPoint(0, 0), m_imageSize);
    if (rectSource.IsRectEmpty())
        return FALSE;
    CRect dest = rectDest;
    if (nHorzAlign != 3 || nVertAlign != 3) {
        CRect placed = rectDest;
        if (nHorzAlign != 3) {
            int left = nHorzAlign == 0   ? rectDest.left
                       : nHorzAlign == 1 ? rectDest.left + (rectDest.Width() - rectSource.Width()) / 2
                                         : rectDest.right - rectSource.Width();
            placed.left = left;
            placed.right = left + rectSource.Width();
        }
        if (nVertAlign != 3) {
            int top = nVertAlign == 0   ? rectDest.top
                      : nVertAlign == 1 ? rectDest.top + (rectDest.Height() - rectSource.Height()) / 2
                                        : rectDest.bottom - rectSource.Height();
            placed.top = top;
            placed.bottom = top + rectSource.Height();
        }
        // Cut what falls outside the destination from both rectangles.
        CRect clipped;
        clipped.IntersectRect(placed, rectDest);
        if (nHorzAlign != 3) {
            rectSource.left += clipped.left - placed.left;
            rectSource.right -= placed.right - clipped.right;
        }
        if (nVertAlign != 3) {
            rectSource.top += clipped.top - placed.top;
            rectSource.bottom -= placed.bottom - clipped.bottom;
        }
        dest = clipped;
    }
    if (rectSource.IsRectEmpty() || dest.IsRectEmpty())
        return FALSE;

    HDC target = pDC->GetSafeHdc();
    CRect cell = rectSource;
    cell.OffsetRect(nIndex * m_imageSize.cx, 0);
    if (!g_uiEnvironment.m_is9x && (m_bitsPerPixel == 32 ? HasAlphaBlend() : m_transparentColor == kNone)) {
        if (s_multithreaded)
            ImageLock().lock();
        HGDIOBJ previous = ::SelectObject(s_imageDC, m_hImageBitmap);
        BOOL done = FALSE;
        if (previous != nullptr) {
            if (m_bitsPerPixel == 32) {
                BLENDFUNCTION blend = {AC_SRC_OVER, 0, nAlpha, AC_SRC_ALPHA};
                done = s_alphaBlend(target, dest.left, dest.top, dest.Width(), dest.Height(), s_imageDC, cell.left,
                                    cell.top, cell.Width(), cell.Height(), blend);
            } else {
                done = ::StretchBlt(target, dest.left, dest.top, dest.Width(), dest.Height(), s_imageDC, cell.left,
                                    cell.top, cell.Width(), cell.Height(), SRCCOPY);
            }
            ::SelectObject(s_imageDC, previous);
        }
        if (s_multithreaded)
            ImageLock().unlock();
        if (done)
            return TRUE;
    }

    BOOL mask = m_maskEnabled;
    m_maskEnabled = FALSE;
    CZUDPImageDrawState ds;
    BOOL result = FALSE;
    if (BeginDrawing(ds, dest.Width(), dest.Height())) {
        m_sourceSubRect = rectSource;
        // The pass compares the destination with the whole image size; a
        // part of an image drawn at its own size is not stretched.
        if (m_stretch && dest.Size() == rectSource.Size())
            m_stretch = FALSE;
        result = RenderImage(pDC, dest.left, dest.top, nIndex, FALSE, FALSE, FALSE, FALSE, FALSE, nAlpha);
        m_sourceSubRect.SetRectEmpty();
        FinishDrawing(ds);
    }
    m_maskEnabled = mask;
    return result;
}
