#pragma once
// Image strips: one bitmap holding a row of equally sized images side by
// side, with the transparency, bit depth, colour mapping and derived
// variants (faded light copy, flat shadow copy, grey, mirrored, retinted,
// rescaled) that toolbars, menus, buttons and renderers draw from.
//
// A strip is loaded from bitmap or PNG resources (each integer id is
// remembered so that the strip can be rebuilt after a system colour
// change), from a user bitmap or PNG file that can be edited and saved
// back, or built by appending bitmaps and icons.  Drawing happens in
// passes: BeginDrawing prepares the two process-wide memory DCs for one
// strip and one destination size, any number of RenderImage calls draw
// images of that strip, and FinishDrawing restores everything.
//
// An alias shares its source's bitmap.  The source knows its aliases: every
// change of its bitmap (append, load, reload, rescale, grey, removal) is
// passed on to them at once, and a source that goes away empties them, so
// an alias never draws a bitmap its source has deleted.  An alias itself
// refuses every change.
//
// Colours are 0x00BBGGRR unless a call says RGBQUAD order (0x00RRGGBB, the
// byte order of DIB pixels).  32-bit strips hold premultiplied alpha.
#include "framework/win/DC.h"
#include "framework/win/GdiObject.h"
#include "framework/Rect.h"
#include "framework/String.h"

#include <map>
#include <vector>

class CZUDPToolBarImages;

// What BeginDrawing hands to FinishDrawing.
struct CZUDPImageDrawState {
    HBITMAP m_hMaskBitmap = nullptr;    // the 1-bit mask of one image (+2 each way)
    HBITMAP m_hMaskPrevious = nullptr;  // what the mask replaced in the mask DC
    HBITMAP m_hImagePrevious = nullptr; // what the strip replaced in the image DC
};

class CZUDPToolBarImages : public CObject {
    DECLARE_DYNAMIC(CZUDPToolBarImages)
public:
    // --- Construction and lifetime -------------------------------------
    CZUDPToolBarImages();
    ~CZUDPToolBarImages() override;
    CZUDPToolBarImages(const CZUDPToolBarImages&) = delete;
    CZUDPToolBarImages& operator=(const CZUDPToolBarImages&) = delete;

    // At exit: deletes the shared DCs and forgets msimg32's entry points.
    static void ReleaseSharedResources();
    void RemoveAllImages();
    // Empties the other strip and makes it a read-only alias of this one.
    // FALSE for itself, for an alias as the source, or for a strip that
    // has aliases of its own as the target.
    BOOL AliasInto(CZUDPToolBarImages& other);
    // Empties the other strip and gives it copies of the bitmaps and the
    // strip's fields.  FALSE into an alias or when a copy fails.
    BOOL DuplicateInto(CZUDPToolBarImages& other) const;
    static HBITMAP CloneBitmap(HBITMAP hBitmap);

    // --- Loading ---------------------------------------------------------
    BOOL LoadFromResourceId(UINT nId, HINSTANCE hInstance = nullptr, BOOL bAdd = FALSE);
    BOOL LoadFromResourceName(LPCTSTR lpszName, HINSTANCE hInstance = nullptr, BOOL bAdd = FALSE);
    // A user bitmap or PNG file; a bare name is taken from the program's
    // folder.  On failure the strip keeps what it held.
    BOOL LoadFromFile(LPCTSTR lpszPath);
    BOOL ReloadForColorChange();

    // --- Building and editing --------------------------------------------
    // Appends a copy of the bitmap's images (the caller keeps the bitmap).
    // The index of the last image, or -1.
    int AppendBitmap(HBITMAP hBitmap, BOOL bTakeBitDepth = FALSE);
    int AppendIcon(HICON hIcon, BOOL bAlpha = FALSE);
    // Only for a user strip and an index of an image it holds.
    BOOL ReplaceImage(int nIndex, HBITMAP hBitmap);
    void UseWholeBitmapAsImage();
    void RecountImages();
    HICON MakeIcon(int nIndex);
    BOOL PutImageOnClipboard(int nIndex);
    // Writes the user strip to a temporary file next to the target and
    // replaces the target only when every write succeeded.
    BOOL SaveUserImages(LPCTSTR lpszPath = nullptr);
    // BITMAPINFOHEADER, colour table and bits in global memory; null for
    // BI_BITFIELDS or a bitmap that cannot be read.
    static HGLOBAL BitmapToPackedDIB(HBITMAP hBitmap, DWORD dwCompression = BI_RGB);
    // Writes a bitmap file of a packed DIB: temporary file, checked writes,
    // then the replace.
    static BOOL WriteBitmapFile(LPCTSTR lpszPath, HGLOBAL hPackedDib);
    static HRGN RegionFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent);
    static BOOL OSSupportsAlpha();

    // --- Colour transforms -------------------------------------------------
    static COLORREF SysColorToStdColor(COLORREF colour, BOOL bRGBQuad = FALSE);
    static COLORREF StdColorToSysColor(COLORREF colour, BOOL bRGBQuad = FALSE);
    // Works on a copy that replaces *hBitmap (the old one deleted).
    static BOOL MapBitmapColors(HBITMAP& hBitmap, BOOL bRGBQuad = FALSE, COLORREF clrFrom = (COLORREF)-1,
                                COLORREF clrTo = (COLORREF)-1);
    BOOL MapColors(COLORREF clrFrom, COLORREF clrTo);
    static COLORREF TintGreyFrom3DFace(COLORREF colour);
    BOOL RetintByHue(COLORREF clrFrom, COLORREF clrTo);
    BOOL ConvertToGray(int nPercent = -1);
    // Builds the light (FALSE) or the shadow (TRUE) copy.
    BOOL RebuildDerivedImage(BOOL bShadow);
    static BOOL ApplyAlphaToColors(HBITMAP hBitmap, BOOL bCheckFirst = FALSE);
    BOOL PremultiplyLoaded();
    static void FillLightRect(CDC* pDC, const CRect& rect);
    static void SetMirrorImages(BOOL bMirror);
    static BOOL IsMirrorImages() { return s_mirror; }
    static BOOL MirrorBitmap(HBITMAP& hBitmap, int nImageWidth);
    BOOL MirrorAll();
    static BOOL FlipBitmapVertically(HBITMAP& hBitmap, int nImageHeight);
    BOOL FlipAllVertically();

    // --- Drawing passes ----------------------------------------------------
    BOOL BeginDrawing(CZUDPImageDrawState& ds, int cxDest = 0, int cyDest = 0, BOOL bFadeInactive = FALSE);
    BOOL RenderImage(CDC* pDC, int x, int y, int nIndex, BOOL bHighlight = FALSE, BOOL bDisabled = FALSE,
                     BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, BOOL bInactive = FALSE, BYTE nAlpha = 255);
    void FinishDrawing(CZUDPImageDrawState& ds);
    // Alignment: 0 left/top, 1 centre, 2 right/bottom, 3 stretch.  An empty
    // source rectangle means the whole image.
    BOOL DrawAligned(CDC* pDC, const CRect& rectDest, int nIndex, int nHorzAlign = 0, int nVertAlign = 0,
                     CRect rectSource = CRect(0, 0, 0, 0), BYTE nAlpha = 255);
    static BOOL BlitTransparent(HDC hdcTarget, int x, int y, int cxSource, int cySource, HDC hdcSource,
                                int xSource, int ySource, COLORREF clrTransparent, int cxDest = -1,
                                int cyDest = -1);
    void BuildMonoMask(int nIndex, BOOL bHighlightPass, BOOL bOffsetPass);

    // --- Rescaling -----------------------------------------------------------
    // Resamples every image of a 24- or 32-bit strip by the factor.
    BOOL ResampleByScale(double dScale);

    // --- Queries and settings ----------------------------------------------
    CSize GetImageSize() const { return m_imageSize; }
    // The size before the first rescaling (empty while unscaled).
    CSize GetUnscaledImageSize() const { return m_unscaledImageSize; }
    // Sets the size of one image (never below 1 by 1) and recounts.
    void SetImageSize(CSize size);
    CSize GetDestinationSize() const { return m_destinationSize; }
    int GetCount() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    HBITMAP GetImageBitmap() const { return m_hImageBitmap; }
    HBITMAP GetLightBitmap() const { return m_hLightBitmap; }
    HBITMAP GetShadowBitmap() const { return m_hShadowBitmap; }
    COLORREF GetTransparentColor() const { return m_transparentColor; }
    // Sets the colour key (-1 for none); returns the previous one.
    COLORREF SetTransparentColor(COLORREF colour);
    int GetBitsPerPixel() const { return m_bitsPerPixel; }
    BOOL IsUserImages() const { return m_userImages; }
    const CString& GetUserImagesPath() const { return m_userPath; }
    BOOL IsModified() const { return m_modified; }
    BOOL IsReadOnly() const { return m_readOnly; }
    BOOL IsAlias() const { return m_alias; }
    BOOL IsGreyed() const { return m_greyed; }
    BOOL IsScaled() const { return m_scale != 1.0; }
    double GetScale() const { return m_scale; }
    // The index of the first image of a remembered resource id, or -1.
    int GetResourceOffset(UINT nId) const;
    int GetResourceCount() const { return int(m_resourceIds.size()); }
    void SetLightPercentage(int nPercent) { m_lightPercent = nPercent; }
    int GetLightPercentage() const { return m_lightPercent; }
    void SetMapTo3DColors(BOOL bMap) { m_mapTo3DColors = bMap; }
    BOOL IsMapTo3DColors() const { return m_mapTo3DColors; }
    void SetLightForAllDepths(BOOL bAll) { m_lightForAllDepths = bAll; }
    void SetPremultipliedCheck(BOOL bCheck) { m_premultipliedCheck = bCheck; }
    BOOL IsPremultipliedCheck() const { return m_premultipliedCheck; }
    // The button-face colour the strip's light and shadow copies were last
    // made for (-1: none yet); toolbars remake them when the face changes.
    COLORREF GetAdaptedFaceColor() const { return m_adaptedFaceColor; }
    void SetAdaptedFaceColor(COLORREF colour) { m_adaptedFaceColor = colour; }
    void SetMaskEnabled(BOOL bMask) { m_maskEnabled = bMask; }
    COLORREF GetShadowColor() const { return m_shadowColor; }
    const CRect& GetLastDrawnRect() const { return m_lastDrawnRect; }
    // Whether the current pass made a private DC (stretching or keying).
    BOOL HasPrivateDC() const { return m_hPrivateDC != nullptr; }

    // --- Library-wide state shared by all strips ---------------------------
    typedef BOOL(WINAPI* AlphaBlendFn)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL(WINAPI* TransparentBltFn)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    // msimg32's entry points (null when missing).  Tests replace them for a
    // scope to reach the paths without them.
    static AlphaBlendFn s_alphaBlend;
    static TransparentBltFn s_transparentBlt;
    // Alpha of disabled 32-bit images and of faded ones.
    static BYTE s_disabledAlpha;
    static BYTE s_fadedAlpha;
    // Classic toolbar colours of 24-bit bitmaps map to the system colours
    // (off: near-greys are tinted from the bar face instead).
    static BOOL s_classicColors;
    // While on, a drawing pass holds the image critical section.
    static BOOL s_multithreaded;
    // Whether the shared image and mask DCs exist.
    static BOOL SharedDCsExist() { return s_sharedDCsExist; }

protected:
    // The strip's bitmap becomes hBitmap (owned); the old one is deleted;
    // aliases follow.  Light and shadow copies are dropped.
    void ReplaceImageBitmap(HBITMAP hBitmap);
    void DropDerivedImages();
    // AppendBitmap's body; bMirror FALSE appends as given even while the
    // library-wide mirror flag is on (a reload mirrors the whole strip once
    // at its end).
    int AppendBitmapInternal(HBITMAP hBitmap, BOOL bTakeBitDepth, BOOL bMirror);
    // Passes the source's bitmap, sizes, count and depth on to every alias.
    void RefreshAliases();
    void DetachFromSource();
    // The loading step shared by resource ids, names and reloads: a PNG
    // resource first, else a bitmap; mapped or premultiplied as loaded.
    HBITMAP LoadResourceImage(LPCTSTR lpszName, HINSTANCE hInstance, BOOL bReload, int& nBitsPerPixel);
    HBITMAP LoadFileImage(LPCTSTR lpszPath, int& nBitsPerPixel, BOOL& bReadOnly) const;
    // Clears drawing-pass fields and returns a scaled strip to scale 1.0.
    void ResetScale();
    static BOOL CreateSharedResources();
    static BOOL HasAlphaBlend() { return s_alphaBlend != nullptr; }
    COLORREF EffectiveTransparentColor() const;

    // Fields, in the order of the strip's description.
    CSize m_imageSize{16, 15};
    CSize m_unscaledImageSize{0, 0};
    CSize m_destinationSize{0, 0};
    HBITMAP m_hImageBitmap = nullptr;
    HBITMAP m_hLightBitmap = nullptr;
    HBITMAP m_hShadowBitmap = nullptr;
    BOOL m_userImages = FALSE;
    CString m_userPath;
    BOOL m_modified = FALSE;
    int m_count = 0;
    std::vector<UINT> m_resourceIds;
    std::vector<HINSTANCE> m_resourceInstances;
    std::map<UINT, int> m_resourceOffsets;
    BOOL m_stretch = FALSE;
    HDC m_hPrivateDC = nullptr;
    HBITMAP m_hPrivateBitmap = nullptr;
    HBITMAP m_hPrivatePrevious = nullptr;
    // The memory DC, bitmap and mask a drawing pass uses, kept from one
    // pass to the next: making them anew for every pass is what made one
    // small image cost several times a plain copy.
    HDC m_hKeptDC = nullptr;
    HBITMAP m_hKeptBitmap = nullptr;
    HBITMAP m_hKeptPrevious = nullptr;
    CSize m_keptSize{0, 0};
    HBITMAP m_hKeptMask = nullptr;
    CSize m_keptMaskSize{0, 0};
    BOOL AcquireKeptSurface(CSize size);
    HBITMAP AcquireKeptMask(CSize size);
    void ReleaseKeptSurfaces();
    COLORREF m_transparentColor = (COLORREF)-1;
    COLORREF m_savedTransparentColor = (COLORREF)-1;
    BOOL m_readOnly = FALSE;
    BOOL m_alias = FALSE;
    COLORREF m_shadowColor = 0;
    BOOL m_lightSelected = FALSE;
    int m_bitsPerPixel = 0;
    BOOL m_greyed = FALSE;
    int m_greyPercent = 0;
    int m_lightPercent = 130;
    BOOL m_mapTo3DColors = TRUE;
    BOOL m_lightForAllDepths = FALSE;
    CRect m_lastDrawnRect{0, 0, 0, 0};
    CRect m_sourceSubRect{0, 0, 0, 0};
    BOOL m_premultipliedCheck = FALSE;
    BOOL m_maskEnabled = TRUE;
    double m_scale = 1.0;
    COLORREF m_adaptedFaceColor = (COLORREF)-1;

    // Alias bookkeeping: the strip this one aliases, and this strip's
    // aliases.
    CZUDPToolBarImages* m_aliasSource = nullptr;
    std::vector<CZUDPToolBarImages*> m_aliases;

    // Shared by all strips.
    static HDC s_imageDC;
    static HDC s_maskDC;
    static BOOL s_sharedDCsExist;
    static HMODULE s_msimg32;
    static BOOL s_mirror;
};
