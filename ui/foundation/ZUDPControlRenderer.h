#pragma once
// Nine-part skins: a resizable element (frame, button face, panel) painted
// from one image cut by four margins into four corners, four sides and an
// interior.  Corners keep their size, sides stretch along their edge, the
// interior stretches over the middle.  One image may hold several states
// of the element stacked vertically, chosen by a state index.
//
// The shadow renderer cuts a generated soft round spot the same way, so
// that its frame pieces form a soft drop shadow around any rectangle.
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPToolBarImages.h"

// What a renderer is made from; copied as a whole.  Margins are held in
// rectangles as (left, top, right, bottom) widths.
struct CZUDPControlRendererParams {
    CZUDPControlRendererParams() { Reset(); }
    void Reset();

    WORD m_resourceId;
    CString m_resourceName;   // wins over the id when not empty
    CRect m_imageRect;        // the part of the image one state occupies
    CRect m_cornerMargins;
    CRect m_sideMargins;      // all 0: the corner margins
    CRect m_interiorRect;     // all 0: the image less the corner margins
    COLORREF m_transparentColor; // 0xFF000000: none
    BOOL m_premultipliedCheck;
    COLORREF m_hueFrom;       // both given: the image is retinted
    COLORREF m_hueTo;
};

const COLORREF kRendererNoTransparentColor = 0xFF000000;

class CZUDPControlRenderer : public CObject {
    DECLARE_DYNCREATE(CZUDPControlRenderer)
public:
    CZUDPControlRenderer() = default;
    ~CZUDPControlRenderer() override = default;
    CZUDPControlRenderer(const CZUDPControlRenderer&) = delete;
    CZUDPControlRenderer& operator=(const CZUDPControlRenderer&) = delete;

    // Loads the skin from the program's resources (PNG first).  TRUE with
    // an empty renderer when the parameters name no resource; FALSE (and an
    // empty renderer) when they name one without an image rectangle or the
    // resource cannot be loaded.
    virtual BOOL CreateFromParams(const CZUDPControlRendererParams& params, BOOL bFlipVertically = FALSE);
    // The interior stretched over the rectangle less the side margins, then
    // the frame pieces.
    virtual void DrawAll(CDC* pDC, CRect rect, int nState = 0, BYTE nAlpha = 255);
    virtual void DrawFramePieces(CDC* pDC, CRect rect, int nState = 0, BYTE nAlpha = 255);
    // Alignments: 0 left/top, 1 centre, 2 right/bottom, 3 stretch.
    virtual void DrawInterior(CDC* pDC, CRect rect, int nHorzAlign, int nVertAlign, int nState = 0,
                              BYTE nAlpha = 255);
    virtual void StretchInterior(CDC* pDC, CRect rect, int nState = 0, BYTE nAlpha = 255);
    virtual void ReloadForColorChange();
    virtual void ToggleMirror();
    virtual void Reset();
    // FALSE for itself or when the strip cannot be duplicated.
    virtual BOOL CopyInto(CZUDPControlRenderer& other) const;

    const CZUDPControlRendererParams& GetParams() const { return m_params; }
    CZUDPToolBarImages& GetImages() { return m_images; }
    const CZUDPToolBarImages& GetImages() const { return m_images; }
    BOOL IsMirrored() const { return m_mirrored; }
    BOOL IsValid() const { return m_images.GetImageBitmap() != nullptr; }

protected:
    // Where one state of the skin lies: the image index to draw and the
    // rectangle of the state inside that image; FALSE for a state the skin
    // does not hold.
    BOOL GetStateSource(int nState, int& nImage, CRect& rectState) const;
    // Draws part of the state (in state coordinates) into the destination.
    void DrawPiece(CDC* pDC, const CRect& rectDest, int nImage, const CRect& rectState, CRect rectPart,
                   int nHorzAlign, int nVertAlign, BYTE nAlpha);
    // The nine-part geometry for one destination; which pieces to draw.
    enum Piece {
        PieceLeft = 1 << 0,
        PieceRight = 1 << 1,
        PieceTop = 1 << 2,
        PieceBottom = 1 << 3,
        PieceTopLeft = 1 << 4,
        PieceTopRight = 1 << 5,
        PieceBottomLeft = 1 << 6,
        PieceBottomRight = 1 << 7,
        PieceAll = 0xFF,
    };
    void DrawPieces(CDC* pDC, CRect rect, int nState, BYTE nAlpha, int nPieces);
    // Margins and the interior limited to the image rectangle.
    void ClipGeometryToImage();

    CZUDPToolBarImages m_images;
    CZUDPControlRendererParams m_params;
    BOOL m_mirrored = FALSE;
};

class CZUDPShadowRenderer : public CZUDPControlRenderer {
    DECLARE_DYNCREATE(CZUDPShadowRenderer)
public:
    CZUDPShadowRenderer() = default;

    // Always FALSE: a shadow is built, not loaded.
    BOOL CreateFromParams(const CZUDPControlRendererParams& params, BOOL bFlipVertically = FALSE) override;
    void DrawAll(CDC* pDC, CRect rect, int nState = 0, BYTE nAlpha = 255) override;
    void DrawFramePieces(CDC* pDC, CRect rect, int nState = 0, BYTE nAlpha = 255) override;
    void ReloadForColorChange() override {}
    BOOL CopyInto(CZUDPControlRenderer& other) const override;

    // Builds the soft spot for a shadow of the depth (base colour -1: the
    // bar face).  Building the same shadow again keeps the spot it has.
    virtual BOOL BuildShadow(int nDepth, COLORREF clrBase = (COLORREF)-1, int nMinPercent = 0,
                             int nMaxPercent = 100, BOOL bMirror = FALSE);

    // The pieces of a shadow on one side (the right side and the bottom,
    // or the left side and the bottom) whatever the layout's direction.
    void DrawShadowPieces(CDC* pDC, CRect rect, BOOL bLeftShadow, int nState = 0, BYTE nAlpha = 255);

    int GetDepth() const { return m_depth; }
    COLORREF GetBaseColor() const { return m_baseColor; }
    int GetMinPercent() const { return m_minPercent; }
    int GetMaxPercent() const { return m_maxPercent; }

protected:
    int m_depth = 0;
    COLORREF m_baseColor = 0;
    int m_minPercent = 0;
    int m_maxPercent = 100;
};
