#include "ui/foundation/ZUDPControlRenderer.h"

#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CZUDPControlRenderer, CObject)
IMPLEMENT_DYNCREATE(CZUDPShadowRenderer, CZUDPControlRenderer)

namespace {

enum { AlignNear = 0, AlignCentre = 1, AlignFar = 2, AlignStretch = 3 };

BOOL IsAllZero(const CRect& rect)
{
    return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

int Clamp(LONG value, int high)
{
    return std::min(std::max(int(value), 0), std::max(high, 0));
}

} // namespace

void CZUDPControlRendererParams::Reset()
{
    m_resourceId = 0;
    m_resourceName.Empty();
    m_imageRect.SetRectEmpty();
    m_cornerMargins.SetRectEmpty();
    m_sideMargins.SetRectEmpty();
    m_interiorRect.SetRectEmpty();
    m_transparentColor = kRendererNoTransparentColor;
    m_premultipliedCheck = TRUE;
    m_hueFrom = (COLORREF)-1;
    m_hueTo = (COLORREF)-1;
}

// ---------------------------------------------------------------------------
// Control renderer

void CZUDPControlRenderer::Reset()
{
    m_images.RemoveAllImages();
    if (m_images.GetTransparentColor() != (COLORREF)-1) {
        m_images.SetTransparentColor((COLORREF)-1);
        m_images.RebuildDerivedImage(FALSE);
        m_images.RebuildDerivedImage(TRUE);
    }
    m_params.Reset();
    m_mirrored = FALSE;
}

BOOL CZUDPControlRenderer::CreateFromParams(const CZUDPControlRendererParams& params, BOOL bFlipVertically)
{
    Reset();
    m_params = params;

    LPCTSTR resource = nullptr;
    if (!params.m_resourceName.IsEmpty())
        resource = params.m_resourceName;
    else if (params.m_resourceId != 0)
        resource = MAKEINTRESOURCEA(params.m_resourceId);
    if (resource == nullptr)
        return TRUE;

    // The image rectangle gives the size of one image of the strip: a skin
    // without one has nothing to cut (and no image width to count by).
    const CRect imageRect = params.m_imageRect;
    if (imageRect.Width() < 1 || imageRect.Height() < 1) {
        Reset();
        return FALSE;
    }
    m_images.SetImageSize(imageRect.Size());
    m_images.SetPremultipliedCheck(params.m_premultipliedCheck);
    m_images.SetMapTo3DColors(FALSE);
    if (!m_images.LoadFromResourceName(resource)) {
        Reset();
        return FALSE;
    }

    if (bFlipVertically)
        m_images.FlipAllVertically();
    if (params.m_transparentColor != kRendererNoTransparentColor &&
        params.m_transparentColor != m_images.GetTransparentColor()) {
        m_images.SetTransparentColor(params.m_transparentColor);
        m_images.RebuildDerivedImage(FALSE);
        m_images.RebuildDerivedImage(TRUE);
    }
    if (params.m_hueFrom != (COLORREF)-1 && params.m_hueTo != (COLORREF)-1)
        m_images.RetintByHue(params.m_hueFrom, params.m_hueTo);
    if (CZUDPToolBarImages::IsMirrorImages() && m_images.GetBitsPerPixel() == 32 &&
        m_images.GetTransparentColor() == (COLORREF)-1)
        ToggleMirror();

    const int width = imageRect.Width(), height = imageRect.Height();
    CRect& corners = m_params.m_cornerMargins;
    CRect& sides = m_params.m_sideMargins;
    CRect& interior = m_params.m_interiorRect;
    if (IsAllZero(sides))
        sides = corners;
    if (IsAllZero(interior))
        interior = CRect(corners.left, corners.top, width - corners.right, height - corners.bottom);
    if (bFlipVertically) {
        std::swap(corners.top, corners.bottom);
        std::swap(sides.top, sides.bottom);
        const LONG top = interior.top;
        interior.top = height - interior.bottom;
        interior.bottom = height - top;
    }
    ClipGeometryToImage();
    return TRUE;
}

void CZUDPControlRenderer::ClipGeometryToImage()
{
    const int width = m_params.m_imageRect.Width(), height = m_params.m_imageRect.Height();
    for (CRect* margins : {&m_params.m_cornerMargins, &m_params.m_sideMargins}) {
        margins->left = Clamp(margins->left, width);
        margins->right = Clamp(margins->right, width);
        margins->top = Clamp(margins->top, height);
        margins->bottom = Clamp(margins->bottom, height);
    }
    CRect& interior = m_params.m_interiorRect;
    interior.left = Clamp(interior.left, width);
    interior.right = Clamp(interior.right, width);
    interior.top = Clamp(interior.top, height);
    interior.bottom = Clamp(interior.bottom, height);
}

BOOL CZUDPControlRenderer::GetStateSource(int nState, int& nImage, CRect& rectState) const
{
    if (nState < 0 || m_images.GetImageBitmap() == nullptr)
        return FALSE;
    rectState = m_params.m_imageRect;
    if (rectState.Width() < 1 || rectState.Height() < 1)
        return FALSE;
    if (m_images.GetCount() == 1) {
        // States stacked top to bottom in one image: only as many as the
        // bitmap holds.
        BITMAP info = {};
        if (::GetObjectA(m_images.GetImageBitmap(), sizeof(info), &info) == 0)
            return FALSE;
        rectState.OffsetRect(0, nState * rectState.Height());
        if (rectState.bottom > info.bmHeight)
            return FALSE;
        nImage = 0;
        return TRUE;
    }
    if (nState >= m_images.GetCount())
        return FALSE;
    nImage = nState;
    return TRUE;
}

void CZUDPControlRenderer::DrawPiece(CDC* pDC, const CRect& rectDest, int nImage, const CRect& rectState,
                                     CRect rectPart, int nHorzAlign, int nVertAlign, BYTE nAlpha)
{
    // An empty part would mean "the whole image" to the strip.
    if (rectPart.Width() < 1 || rectPart.Height() < 1 || rectDest.Width() < 1 || rectDest.Height() < 1)
        return;
    rectPart.OffsetRect(rectState.TopLeft());
    m_images.DrawAligned(pDC, rectDest, nImage, nHorzAlign, nVertAlign, rectPart, nAlpha);
}

void CZUDPControlRenderer::DrawPieces(CDC* pDC, CRect rect, int nState, BYTE nAlpha, int nPieces)
{
    int image = 0;
    CRect state;
    if (pDC == nullptr || !GetStateSource(nState, image, state))
        return;
    const CRect& c = m_params.m_cornerMargins;
    const CRect& s = m_params.m_sideMargins;
    const int w = state.Width(), h = state.Height();
    const CRect inner(rect.left + c.left, rect.top + c.top, rect.right - c.right, rect.bottom - c.bottom);
    // A destination smaller than the corners both ways shows nothing; one
    // exactly as large as the corners shows the four corners.
    if (inner.Width() < 0 && inner.Height() < 0)
        return;
    const BOOL mirrored = m_mirrored;

    if (inner.Height() > 0) {
        if (nPieces & PieceLeft) {
            const CRect part = mirrored ? CRect(w - s.left, c.top, w, h - c.bottom) : CRect(0, c.top, s.left, h - c.bottom);
            DrawPiece(pDC, CRect(rect.left, inner.top, rect.left + s.left, inner.bottom), image, state, part, AlignNear,
                      AlignStretch, nAlpha);
        }
        if (nPieces & PieceRight) {
            const CRect part =
                mirrored ? CRect(0, c.top, s.right, h - c.bottom) : CRect(w - s.right, c.top, w, h - c.bottom);
            DrawPiece(pDC, CRect(rect.right - s.right, inner.top, rect.right, inner.bottom), image, state, part,
                      AlignFar, AlignStretch, nAlpha);
        }
    }
    if (inner.Width() > 0) {
        const int from = mirrored ? c.right : c.left;
        const int to = mirrored ? w - c.left : w - c.right;
        if (nPieces & PieceTop)
            DrawPiece(pDC, CRect(inner.left, rect.top, inner.right, rect.top + s.top), image, state,
                      CRect(from, 0, to, s.top), AlignStretch, AlignNear, nAlpha);
        if (nPieces & PieceBottom)
            DrawPiece(pDC, CRect(inner.left, rect.bottom - s.bottom, inner.right, rect.bottom), image, state,
                      CRect(from, h - s.bottom, to, h), AlignStretch, AlignFar, nAlpha);
    }

    // Corners at their own size; with the mirrored flag a left corner comes
    // from the image's right edge and a right one from its left edge.
    const int leftFrom = mirrored ? w - c.left : 0;
    const int rightFrom = mirrored ? 0 : w - c.right;
    if (c.left > 0 && c.top > 0 && (nPieces & PieceTopLeft))
        DrawPiece(pDC, CRect(rect.left, rect.top, rect.left + c.left, rect.top + c.top), image, state,
                  CRect(leftFrom, 0, leftFrom + c.left, c.top), AlignNear, AlignNear, nAlpha);
    if (c.right > 0 && c.top > 0 && (nPieces & PieceTopRight))
        DrawPiece(pDC, CRect(rect.right - c.right, rect.top, rect.right, rect.top + c.top), image, state,
                  CRect(rightFrom, 0, rightFrom + c.right, c.top), AlignFar, AlignNear, nAlpha);
    if (c.left > 0 && c.bottom > 0 && (nPieces & PieceBottomLeft))
        DrawPiece(pDC, CRect(rect.left, rect.bottom - c.bottom, rect.left + c.left, rect.bottom), image, state,
                  CRect(leftFrom, h - c.bottom, leftFrom + c.left, h), AlignNear, AlignFar, nAlpha);
    if (c.right > 0 && c.bottom > 0 && (nPieces & PieceBottomRight))
        DrawPiece(pDC, CRect(rect.right - c.right, rect.bottom - c.bottom, rect.right, rect.bottom), image, state,
                  CRect(rightFrom, h - c.bottom, rightFrom + c.right, h), AlignFar, AlignFar, nAlpha);
}

void CZUDPControlRenderer::DrawFramePieces(CDC* pDC, CRect rect, int nState, BYTE nAlpha)
{
    DrawPieces(pDC, rect, nState, nAlpha, PieceAll);
}

void CZUDPControlRenderer::DrawInterior(CDC* pDC, CRect rect, int nHorzAlign, int nVertAlign, int nState,
                                        BYTE nAlpha)
{
    CRect interior = m_params.m_interiorRect;
    int image = 0;
    CRect state;
    if (pDC == nullptr || interior.Width() < 1 || interior.Height() < 1 || !GetStateSource(nState, image, state))
        return;
    if (m_mirrored) {
        const int width = state.Width();
        interior = CRect(width - interior.right, interior.top, width - interior.left, interior.bottom);
    }
    DrawPiece(pDC, rect, image, state, interior, nHorzAlign, nVertAlign, nAlpha);
}

void CZUDPControlRenderer::StretchInterior(CDC* pDC, CRect rect, int nState, BYTE nAlpha)
{
    DrawInterior(pDC, rect, AlignStretch, AlignStretch, nState, nAlpha);
}

void CZUDPControlRenderer::DrawAll(CDC* pDC, CRect rect, int nState, BYTE nAlpha)
{
    const CRect& s = m_params.m_sideMargins;
    StretchInterior(pDC, CRect(rect.left + s.left, rect.top + s.top, rect.right - s.right, rect.bottom - s.bottom),
                    nState, nAlpha);
    DrawFramePieces(pDC, rect, nState, nAlpha);
}

void CZUDPControlRenderer::ReloadForColorChange()
{
    if (m_images.GetImageBitmap() != nullptr)
        m_images.ReloadForColorChange();
}

void CZUDPControlRenderer::ToggleMirror()
{
    if (m_images.MirrorAll())
        m_mirrored = !m_mirrored;
}

BOOL CZUDPControlRenderer::CopyInto(CZUDPControlRenderer& other) const
{
    if (&other == this)
        return FALSE;
    other.Reset();
    if (!m_images.DuplicateInto(other.m_images))
        return FALSE;
    other.m_params = m_params;
    other.m_mirrored = m_mirrored;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Shadow renderer

BOOL CZUDPShadowRenderer::CreateFromParams(const CZUDPControlRendererParams&, BOOL)
{
    return FALSE;
}

void CZUDPShadowRenderer::DrawFramePieces(CDC* pDC, CRect rect, int nState, BYTE nAlpha)
{
    // A drop shadow falls to the right and below; under a right-to-left
    // layout (unless the image itself was mirrored) to the left and below.
    DrawShadowPieces(pDC, rect, CZUDPToolBarImages::IsMirrorImages() && !m_mirrored, nState, nAlpha);
}

void CZUDPShadowRenderer::DrawShadowPieces(CDC* pDC, CRect rect, BOOL bLeftShadow, int nState, BYTE nAlpha)
{
    const int pieces = bLeftShadow ? (PieceLeft | PieceBottom | PieceTopLeft | PieceBottomLeft | PieceBottomRight)
                                   : (PieceRight | PieceBottom | PieceTopRight | PieceBottomLeft | PieceBottomRight);
    DrawPieces(pDC, rect, nState, nAlpha, pieces);
}

void CZUDPShadowRenderer::DrawAll(CDC* pDC, CRect rect, int nState, BYTE nAlpha)
{
    // The square just inside the shadow's bottom corner, which the frame
    // pieces leave open; a faint shadow leaves it out.
    if (nAlpha >= 128) {
        const CRect& s = m_params.m_sideMargins;
        const BOOL leftShadow = CZUDPToolBarImages::IsMirrorImages() && !m_mirrored;
        const CRect square = leftShadow ? CRect(rect.left + s.left, rect.bottom - 2 * s.bottom, rect.left + 2 * s.left,
                                                rect.bottom - s.bottom)
                                        : CRect(rect.right - 2 * s.right, rect.bottom - 2 * s.bottom,
                                                rect.right - s.right, rect.bottom - s.bottom);
        StretchInterior(pDC, square, nState, nAlpha);
    }
    DrawFramePieces(pDC, rect, nState, nAlpha);
}

BOOL CZUDPShadowRenderer::CopyInto(CZUDPControlRenderer& other) const
{
    if (!CZUDPControlRenderer::CopyInto(other))
        return FALSE;
    if (!other.IsKindOf(RUNTIME_CLASS(CZUDPShadowRenderer)))
        return FALSE;
    CZUDPShadowRenderer& shadow = static_cast<CZUDPShadowRenderer&>(other);
    shadow.m_depth = m_depth;
    shadow.m_baseColor = m_baseColor;
    shadow.m_minPercent = m_minPercent;
    shadow.m_maxPercent = m_maxPercent;
    return TRUE;
}

BOOL CZUDPShadowRenderer::BuildShadow(int nDepth, COLORREF clrBase, int nMinPercent, int nMaxPercent, BOOL bMirror)
{
    if (m_images.GetImageBitmap() != nullptr && nDepth == m_depth && clrBase == m_baseColor &&
        nMinPercent == m_minPercent && nMaxPercent == m_maxPercent)
        return TRUE;

    Reset();
    m_depth = 0;
    if (nDepth <= 0 || nMaxPercent == 0)
        return FALSE;
    m_depth = nDepth;
    m_baseColor = clrBase;
    m_minPercent = nMinPercent;
    m_maxPercent = nMaxPercent;

    const COLORREF base = clrBase == (COLORREF)-1 ? g_uiEnvironment.m_colorBarFace : clrBase;
    HBITMAP spot = CZUDPDrawManager::CreateShadowSpot(nDepth, base, nMinPercent, nMaxPercent);
    if (spot == nullptr)
        return FALSE;

    const int m = std::max(nDepth, 3), n = 2 * m + 1;
    m_params.m_imageRect = CRect(0, 0, n, n);
    m_params.m_cornerMargins = CRect(m, m, m, m);
    m_params.m_sideMargins = CRect(m, m, m, m);
    m_params.m_interiorRect = CRect(m, m, m + 1, m + 1);
    m_images.SetImageSize(CSize(n, n));
    m_images.SetPremultipliedCheck(m_params.m_premultipliedCheck);
    m_images.SetMapTo3DColors(FALSE);
    // The spot is 32 bits with premultiplied alpha: the strip takes its
    // depth so that it is blended, not copied.
    m_images.AppendBitmap(spot, TRUE);
    ::DeleteObject(spot);

    if (bMirror && CZUDPToolBarImages::IsMirrorImages())
        m_images.MirrorAll();
    return m_images.GetCount() == 1;
}
