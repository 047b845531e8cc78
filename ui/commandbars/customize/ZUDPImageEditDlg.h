#pragma once
// The button image editor "Edit Button Image": the caller's bitmap shown
// magnified in a paint area (one square cell per pixel) where the user
// draws with six tools (pencil, fill, pick colour, line, rectangle,
// ellipse), a colour bar to choose the drawing colour, a tools bar with
// copy, paste and clear, and a preview at the real size.
//
// Every stroke goes straight into the caller's bitmap; there is no undo.
// The caller runs the editor modally on a bitmap made for this one edit and
// keeps it only when the answer is IDOK.
#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/GdiObject.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/controls/ZUDPDialog.h"

class CZUDPImageEditDlg;

// The magnified bitmap: an owner-drawn button that takes the mouse.
class CImagePaintArea : public CButton {
public:
    // The tools, in the order of their modes.
    enum Mode { kPencil = 0, kFill = 1, kLine = 2, kRectangle = 3, kEllipse = 4, kPickColor = 5, kModeCount = 6 };

    explicit CImagePaintArea(CZUDPImageEditDlg* pDialog);
    ~CImagePaintArea() override;

    // The bitmap to draw in (null: none).  A bitmap whose cells would be
    // smaller than one pixel in this area is refused: the area then holds
    // no bitmap and answers FALSE.
    BOOL SetBitmap(CBitmap* pBitmap);
    CBitmap* GetBitmap() const { return m_pBitmap; }
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    void SetMode(int nMode) { m_nMode = nMode; }
    int GetMode() const { return m_nMode; }
    CSize GetCellSize() const { return m_sizeCell; }
    void SetPreviewRect(const CRect& rect) { m_rectPreview = rect; }

    // The pixel under a client point (clamped to the bitmap).
    CPoint ClientToBitmap(CPoint point) const;
    // A rectangle of pixels as the rubber band draws it: corners on the
    // cells' centres.
    CRect BitmapToClient(const CRect& rect) const;
    // Where the cells lie: one pixel inside the client area.
    CRect GridRect() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Paints the area into the DC (the owner draw's and the tests' one
    // routine).
    void PaintArea(CDC* pDC, const CRect& rectItem);

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnCancelMode();
    DECLARE_MESSAGE_MAP()

    // Sets the pixel under the point in the colour, on the screen and in
    // the bitmap.
    void DrawPixel(CPoint point);
    // Fills the area of the pixel's colour around it.
    void FloodFill(CPoint ptPixel);
    // The line, rectangle or ellipse of the drag rectangle (pixels) into
    // the DC, in the given coordinates' scale.
    void DrawShape(CDC* pDC, const CRect& rect) const;
    void DrawRubberBand(const CRect& rectPixels);
    void Changed(BOOL bWholeArea);

    CRect m_rectPreview;
    COLORREF m_color = RGB(0, 0, 0);
    CDC m_memDC;
    CSize m_sizeBitmap = CSize(0, 0);
    CBitmap* m_pBitmap = nullptr;
    int m_nMode = kPencil;
    HCURSOR m_cursors[kModeCount] = {};
    CSize m_sizeCell = CSize(0, 0);
    CZUDPImageEditDlg* m_pDialog = nullptr;
    CPen m_penColor;
    CPen m_penTrack;
    CRect m_rectDrag;
    BOOL m_bDragging = FALSE;
};

// The editor's tools bar: rows of the button height, no extra button size.
class CZUDPImageEditorPaletteBar : public CZUDPToolBar {
public:
    CZUDPImageEditorPaletteBar() = default;
    ~CZUDPImageEditorPaletteBar() override = default;
    int GetRowHeight() const override { return GetButtonSize().cy; }
    BOOL UsesButtonExtraSize() const override { return FALSE; }
};

class CZUDPImageEditDlg : public CZUDPDialog {
public:
    // nBitsPerPixel -1: the bitmap's own depth (it decides the colours
    // offered).  The bitmap stays the caller's.
    CZUDPImageEditDlg(CBitmap* pBitmap, CWnd* pParent = nullptr, int nBitsPerPixel = -1);
    ~CZUDPImageEditDlg() override;

    // The pick tool's colour: the colour bar marks it, the paint area draws
    // with it, and the pencil becomes the tool.
    BOOL OnPickColor(COLORREF color);

    CImagePaintArea& GetPaintArea() { return m_wndLargeDrawArea; }
    CZUDPColorBar& GetColorBar() { return m_wndColorBar; }
    CZUDPImageEditorPaletteBar& GetToolsBar() { return m_wndPaletteBar; }
    const CRect& GetPreviewRect() const { return m_rectPreviewImage; }
    // The 16 colours offered for bitmaps of 8 bits per pixel or fewer.
    static BOOL CreateSixteenColorPalette(CPalette& palette);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPaint();
    void OnClear();
    void OnCopy();
    void OnPaste();
    void OnUpdatePaste(CCmdUI* pCmdUI);
    void OnTool(UINT nID);
    void OnUpdateTool(CCmdUI* pCmdUI);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    void OnColor();
    DECLARE_MESSAGE_MAP()

    void CreateToolsBar();
    void CreateColorBar();

    CStatic m_wndColorPlace;
    CStatic m_wndToolsPlace;
    CStatic m_wndPreviewPlace;
    CImagePaintArea m_wndLargeDrawArea;
    CBitmap* m_pBitmap = nullptr;
    CSize m_sizeImage = CSize(0, 0);
    int m_nBitsPerPixel = -1;
    CRect m_rectPreviewFrame;
    CRect m_rectPreviewImage;
    CZUDPImageEditorPaletteBar m_wndPaletteBar;
    CZUDPColorBar m_wndColorBar;
};
