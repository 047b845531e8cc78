#include "ui/foundation/ZUDPMenuGlyphs.h"

#include "ui/foundation/ZUDPVisualManager.h"

#include "res/ui/foundation.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

const int kCellSize = 9;
const COLORREF kMagenta = RGB(255, 0, 255);

BOOL s_stripsExist = FALSE;

// The cell size a DPI scale gives: whole pixels, the fraction dropped.
int ScaledCell(double scale)
{
    return int(kCellSize * scale);
}

double CurrentScale()
{
    return g_uiEnvironment.GetDpiScale();
}

} // namespace

CZUDPMenuGlyphStrips::CZUDPMenuGlyphStrips()
{
    s_stripsExist = TRUE;
}

CZUDPMenuGlyphStrips::~CZUDPMenuGlyphStrips()
{
    s_stripsExist = FALSE;
}

BOOL CZUDPMenuGlyphStrips::Exist()
{
    return s_stripsExist;
}

CZUDPToolBarImages& CZUDPMenuGlyphStrips::ForColor(int nColor)
{
    if (nColor < 0)
        nColor = MenuGlyphColorBlack;
    if (nColor > MenuGlyphColorDkGray)
        nColor = MenuGlyphColorBlackCopy;
    return m_strips[nColor];
}

namespace {

// A 24-bit DIB section copy of a bitmap of any depth; null on failure.
HBITMAP CopyAs24BitDib(HBITMAP hBitmap)
{
    BITMAP info = {};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(info), &info) == 0 || info.bmWidth < 1 || info.bmHeight < 1)
        return nullptr;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hCopy = ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hCopy == nullptr)
        return nullptr;
    HDC source = ::CreateCompatibleDC(nullptr), target = ::CreateCompatibleDC(nullptr);
    BOOL copied = FALSE;
    if (source != nullptr && target != nullptr) {
        HGDIOBJ oldSource = ::SelectObject(source, hBitmap);
        HGDIOBJ oldTarget = ::SelectObject(target, hCopy);
        copied = ::BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        ::SelectObject(source, oldSource);
        ::SelectObject(target, oldTarget);
    }
    if (source != nullptr)
        ::DeleteDC(source);
    if (target != nullptr)
        ::DeleteDC(target);
    if (!copied) {
        ::DeleteObject(hCopy);
        return nullptr;
    }
    return hCopy;
}

BOOL IsTrueColourDib(HBITMAP hBitmap)
{
    DIBSECTION section = {};
    return hBitmap != nullptr && ::GetObjectA(hBitmap, sizeof(section), &section) == int(sizeof(section)) &&
           section.dsBm.bmBits != nullptr && section.dsBm.bmBitsPixel >= 24;
}

// A strip kept in a bitmap of fewer than 24 bits (the 4-bit resource)
// made a 24-bit one holding the same images: repainting pixels in any
// colour and rescaling both need true colour.
BOOL MakeStripTrueColour(CZUDPToolBarImages& strip)
{
    if (IsTrueColourDib(strip.GetImageBitmap()))
        return TRUE;
    HBITMAP hCopy = CopyAs24BitDib(strip.GetImageBitmap());
    if (hCopy == nullptr)
        return FALSE;
    const COLORREF key = strip.GetTransparentColor();
    const CSize size = strip.GetImageSize();
    strip.RemoveAllImages();
    strip.SetImageSize(size);
    // The copy holds the images as they are, already mirrored under a
    // right-to-left layout: appending must not mirror them once more.
    const BOOL bMirror = CZUDPToolBarImages::IsMirrorImages();
    CZUDPToolBarImages::SetMirrorImages(FALSE);
    const int last = strip.AppendBitmap(hCopy, TRUE);
    CZUDPToolBarImages::SetMirrorImages(bMirror);
    ::DeleteObject(hCopy);
    if (last < 0)
        return FALSE;
    strip.SetTransparentColor(key);
    return TRUE;
}

} // namespace

BOOL MakeMenuGlyphColorVariant(CZUDPToolBarImages& strip, COLORREF colour)
{
    if (!CZUDPMenuGlyphStrips::Exist())
        return FALSE;
    const CZUDPToolBarImages& loaded = g_menuGlyphStrips.m_strips[0];
    if (!loaded.DuplicateInto(strip))
        return FALSE;
    // Pixels are repainted in true colour: a copy of the 4-bit strip is
    // made a 24-bit one first (its palette may not hold the colour).
    if (!MakeStripTrueColour(strip))
        return FALSE;
    return strip.MapColors(RGB(0, 0, 0), colour);
}

BOOL LoadMenuGlyphs()
{
    if (!CZUDPMenuGlyphStrips::Exist())
        return FALSE;
    CZUDPMenuGlyphStrips& glyphs = g_menuGlyphStrips;
    if (glyphs.m_loading)
        return FALSE;
    CZUDPToolBarImages& loaded = glyphs.m_strips[0];
    if (loaded.GetImageBitmap() != nullptr)
        return TRUE;

    struct LoadingFlag {
        BOOL& flag;
        explicit LoadingFlag(BOOL& f) : flag(f) { flag = TRUE; }
        ~LoadingFlag() { flag = FALSE; }
    } loading(glyphs.m_loading);
    CZUDPLocalResource libraryResources;
    (void)libraryResources;

    loaded.SetImageSize(CSize(kCellSize, kCellSize));
    // The marks are pure black on magenta and must stay so: the coloured
    // copies repaint exactly the black pixels, which mapping the classic
    // colours to the system's would turn into the button-text colour.
    loaded.SetMapTo3DColors(FALSE);
    const BOOL highColour = g_uiEnvironment.m_highColorImages && g_uiEnvironment.m_bitsPerPixel >= 16 &&
                            !g_uiEnvironment.IsContrastColorScheme();
    if (!loaded.LoadFromResourceId(highColour ? IDB_ZUDP_MENU_GLYPHS_HICOLOR : IDB_ZUDP_MENU_GLYPHS))
        return FALSE;
    if (CZUDPToolBarImages::IsMirrorImages())
        loaded.MirrorAll();
    if (loaded.GetTransparentColor() != kMagenta) {
        loaded.SetTransparentColor(kMagenta);
        loaded.RebuildDerivedImage(FALSE);
        loaded.RebuildDerivedImage(TRUE);
    }

    const struct {
        int variant;
        COLORREF colour;
    } copies[] = {
        {MenuGlyphColorGray, RGB(0x80, 0x80, 0x80)},   {MenuGlyphColorDkGray, RGB(0x48, 0x48, 0x48)},
        {MenuGlyphColorLtGray, RGB(0xC0, 0xC0, 0xC0)}, {MenuGlyphColorWhite, RGB(0xFF, 0xFF, 0xFF)},
        {MenuGlyphColorBlackCopy, RGB(0, 0, 0)},
    };
    for (const auto& copy : copies)
        MakeMenuGlyphColorVariant(glyphs.m_strips[copy.variant], copy.colour);

    // The factor is the one that gives the whole-pixel cell size: 1.5
    // gives 13 x 13 cells, the size answered while a load runs, not the
    // 14 x 14 that rounding 13.5 would make.
    const double scale = CurrentScale();
    if (loaded.GetImageBitmap() != nullptr && scale != 1.0) {
        const int cell = ScaledCell(scale);
        if (cell >= 1 && cell != kCellSize) {
            // The resampler takes true-colour strips only: the 4-bit strip
            // is converted first, so that every strip and the cell size
            // answered agree.
            MakeStripTrueColour(loaded);
            for (CZUDPToolBarImages& strip : glyphs.m_strips)
                strip.ResampleByScale(double(cell) / kCellSize);
        }
    }
    return TRUE;
}

CSize GetMenuGlyphSize()
{
    const double scale = CurrentScale();
    const CSize nominal = scale != 1.0 ? CSize(ScaledCell(scale), ScaledCell(scale)) : CSize(kCellSize, kCellSize);
    if (!CZUDPMenuGlyphStrips::Exist() || g_menuGlyphStrips.m_loading || !LoadMenuGlyphs())
        return nominal;
    return g_menuGlyphStrips.m_strips[0].GetImageSize();
}

BOOL DrawMenuGlyph(CDC* pDC, int nGlyph, CPoint point, int nColor, CSize size)
{
    if (pDC == nullptr)
        return FALSE;
    // The strips' drawing asks the visual manager for its image options;
    // making the manager refreshes the colours, which empties the strips.
    // Make it before the strips are loaded, not in the middle of drawing.
    CZUDPVisualManager::GetActiveManager();
    if (!LoadMenuGlyphs())
        return FALSE;
    CZUDPToolBarImages& strip = g_menuGlyphStrips.ForColor(nColor);
    if (size.cx == 0 || size.cy == 0)
        size = strip.GetImageSize();
    CZUDPImageDrawState state;
    if (!strip.BeginDrawing(state, size.cx, size.cy))
        return FALSE;
    const BOOL drawn = strip.RenderImage(pDC, point.x, point.y, nGlyph);
    strip.FinishDrawing(state);
    return drawn;
}

BOOL DrawMenuGlyphCentered(CDC* pDC, int nGlyph, CRect rect, int nColor, CSize size)
{
    if (size.cx == 0 || size.cy == 0)
        size = GetMenuGlyphSize();
    const int d = rect.Width() - size.cx;
    const int e = rect.Height() - size.cy;
    const CPoint point(rect.left + d / 2 + d % 2, rect.top + e / 2 + e % 2);
    return DrawMenuGlyph(pDC, nGlyph, point, nColor, size);
}

void ReleaseMenuGlyphs()
{
    if (!CZUDPMenuGlyphStrips::Exist())
        return;
    CZUDPMenuGlyphStrips& glyphs = g_menuGlyphStrips;
    if (glyphs.m_loading || glyphs.m_strips[0].GetImageBitmap() == nullptr)
        return;
    for (CZUDPToolBarImages& strip : glyphs.m_strips)
        strip.RemoveAllImages();
}
