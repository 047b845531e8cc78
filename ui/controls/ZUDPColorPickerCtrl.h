#pragma once
// CZUDPColorPickerCtrl: an owner-drawn button that shows and edits a colour
// in one of six ways (a swatch of the new colour above the current one, a
// lightness bar, a hue/saturation picture, a hexagon palette of 127
// colours, a strip of grey hexagons, or the picture with a hue-only
// cursor).  It keeps the selected colour with its hue, lightness and
// saturation, paints double-buffered through one routine, and tells its
// parent with WM_COMMAND (code 0) after every change by mouse or keyboard;
// a double click on the picture and palette kinds sends BN_DOUBLECLICKED.
//
// CZUDPCellObj is one hexagon of the two palette kinds.
#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/Array.h"

class CZUDPCellObj : public CObject {
    DECLARE_DYNAMIC(CZUDPCellObj)
public:
    // The colour's channels are snapped to 0, 128, 192 or 255 when they lie
    // closer than nSnap to them (0: kept as given).  The hexagon has its
    // vertices at the top and bottom.
    CZUDPCellObj(CPalette* pPalette, COLORREF colour, int x, int y, int nSize, int nSnap);

    void Draw(CDC* pDC) const;
    // The hexagon's region (the caller owns it).
    BOOL CreateRegion(CRgn& region) const;
    BOOL HitTest(CPoint point) const;
    // The outline of a cell of the size centred on the point.
    static void HexagonVertices(int x, int y, int nSize, POINT vertices[6]);
    static BYTE SnapChannel(int channel, int nSnap);

    POINT m_vertices[6];
    COLORREF m_colour;      // the colour the cell stands for (snapped)
    COLORREF m_drawColour;  // m_colour, or its palette index on 8-bit screens
    int m_x;
    int m_y;
    int m_size;
};

class CZUDPColorPickerCtrl : public CButton {
    DECLARE_DYNAMIC(CZUDPColorPickerCtrl)
public:
    enum {
        PICKER_SWATCH = 0,     // new colour above, current colour below
        PICKER_LIGHTNESS = 1,  // vertical lightness bar
        PICKER_PICTURE = 2,    // hue to the right, saturation upward
        PICKER_HEXAGON = 3,    // hexagon palette of 127 colours
        PICKER_GREY = 4,       // white, 15 greys, black
        PICKER_HUE = 5         // the picture with a cursor that only moves sideways
    };

    CZUDPColorPickerCtrl();
    ~CZUDPColorPickerCtrl() override;

    void SetPickerType(int nType);
    int GetPickerType() const { return m_nPickerType; }
    void SetPalette(CPalette* pPalette);
    CPalette* GetPalette() const { return m_pPalette; }

    // Selected colour, hue, lightness and saturation from the colour, drawn
    // at once; SelectColor only invalidates.
    void SetColor(COLORREF colour);
    void SetColorRGB(BYTE red, BYTE green, BYTE blue);
    void SelectColor(COLORREF colour);
    COLORREF GetColor() const { return m_colorNew; }
    // The colour of the swatch's lower half.
    void SetOriginalColor(COLORREF colour);
    COLORREF GetOriginalColor() const { return m_colorOriginal; }
    // Each value other than -1 replaces its own; the colour follows.
    void SetHLS(double hue, double lightness, double saturation, BOOL bRedraw = TRUE);
    void GetHLS(double* hue, double* lightness, double* saturation) const;
    // At most three quarters of the client width (once the window exists).
    void SetBarWidth(int nWidth);
    int GetBarWidth() const { return m_nLumBarWidth; }

    // The paint routine of WM_PAINT, WM_PRINTCLIENT and WM_DRAWITEM: the
    // parent's background and the kind's picture into a memory bitmap of
    // the rectangle, copied to the DC in one step.
    void DrawPicker(CDC* pDC, const CRect& rect);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // The cursor of the lightness bar, the picture and the hue-only kind.
    virtual void DrawCursor(CDC* pDC, const CRect& rect);

    // Where the cursor stands and the rectangle it covers (empty for the
    // swatch and the palettes), in client coordinates.
    CPoint GetCursorPoint() const;
    CRect GetCursorRect() const;
    // The cells of the palette kinds, built at the first paint (or here)
    // for the current size.
    const CObArray& GetCells();
    // The index of the highlighted cell: the last whose colour is the
    // selected one; -1 when none matches.
    int GetSelectedCell();

    // Creating or attaching the window makes it an owner-drawn button that
    // is never the dialog's default push button.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

protected:
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnQueryNewPalette(WPARAM, LPARAM);
    LRESULT OnPaletteChanged(WPARAM wParam, LPARAM);
    DECLARE_MESSAGE_MAP()

    void DrawSwatch(CDC* pDC, const CRect& rect);
    void DrawLightnessBar(CDC* pDC, const CRect& rect);
    void DrawPicture(CDC* pDC, const CRect& rect);
    void DrawCells(CDC* pDC);
    void DrawCellHighlight(CDC* pDC, const CZUDPCellObj& cell);
    BOOL BuildPicture(const CRect& rect);
    void BuildHexagonCells(const CRect& rect);
    void BuildGreyCells(const CRect& rect);
    void DeleteCells();
    void DropPicture();

    // The lightness bar's rows (the client shrunk by 5 at top and bottom).
    CRect LightnessBarRows() const;
    double LightnessAt(int y) const;
    void SetColorValues(COLORREF colour);
    void TrackPoint(UINT nFlags, CPoint point);
    void NotifyParent(UINT nCode = 0);
    void RedrawNow();
    void InvalidateCursor(const CRect& oldCursor);
    BOOL HasValueArea() const;
    BOOL HasFocus() const;

    int m_nPickerType = PICKER_PICTURE;
    double m_dblLum = 0.5;
    double m_dblSat = 0.0;
    double m_dblHue = 0.0;
    COLORREF m_colorNew = 0;
    COLORREF m_colorOriginal = 0;
    int m_nLumBarWidth = 20;
    CPalette* m_pPalette = nullptr;
    // The hue/saturation picture, a 32-bit DIB section of m_pictureSize.
    CBitmap m_bmpPicker;
    CSize m_pictureSize;
    int m_pictureDepth = 0;  // the screen depth it was built for
    CObArray m_arCells;
};
