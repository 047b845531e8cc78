#include "ui/commandbars/customize/ZUDPImageEditDlg.h"

#include "framework/Exceptions.h"
#include "framework/win/Dialog.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "res/ui/commandbars.h"
#include "res/ui/controls.h"
#include "res/ui/foundation.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

// The tools, by command: the mode each selects.
struct ImageTool {
    UINT command;
    int mode;
};
const ImageTool kImageTools[] = {
    {ID_ZUDP_IMAGE_PENCIL, CImagePaintArea::kPencil},     {ID_ZUDP_IMAGE_FILL, CImagePaintArea::kFill},
    {ID_ZUDP_IMAGE_LINE, CImagePaintArea::kLine},         {ID_ZUDP_IMAGE_RECTANGLE, CImagePaintArea::kRectangle},
    {ID_ZUDP_IMAGE_ELLIPSE, CImagePaintArea::kEllipse},   {ID_ZUDP_IMAGE_PICK, CImagePaintArea::kPickColor},
};
// The cursor of each mode, in mode order.
const UINT kImageToolCursors[CImagePaintArea::kModeCount] = {
    IDC_ZUDP_CURSOR_PENCIL, IDC_ZUDP_CURSOR_FILL,    IDC_ZUDP_CURSOR_LINE,
    IDC_ZUDP_CURSOR_RECTANGLE, IDC_ZUDP_CURSOR_ELLIPSE, IDC_ZUDP_EYEDROPPER,
};

int ModeOfTool(UINT nID)
{
    for (const ImageTool& tool : kImageTools) {
        if (tool.command == nID)
            return tool.mode;
    }
    return -1;
}

int BitmapDepth(CBitmap* pBitmap)
{
    BITMAP bm = {};
    return pBitmap != nullptr && pBitmap->GetBitmap(&bm) != 0 ? bm.bmBitsPixel * bm.bmPlanes : 0;
}

CSize BitmapSize(CBitmap* pBitmap)
{
    BITMAP bm = {};
    if (pBitmap == nullptr || pBitmap->GetBitmap(&bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

} // namespace

// ---------------------------------------------------------------------------
// The paint area

BEGIN_MESSAGE_MAP(CImagePaintArea, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CImagePaintArea::CImagePaintArea(CZUDPImageEditDlg* pDialog) : m_pDialog(pDialog)
{
    m_memDC.CreateCompatibleDC(nullptr);
    m_penColor.CreatePen(PS_SOLID, 1, m_color);
}

CImagePaintArea::~CImagePaintArea()
{
    for (HCURSOR& hCursor : m_cursors) {
        if (hCursor != nullptr)
            ::DestroyCursor(hCursor);
        hCursor = nullptr;
    }
    m_penColor.DeleteObject();
    m_penTrack.DeleteObject();
    m_memDC.DeleteDC();
}

void CImagePaintArea::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    for (int i = 0; i < kModeCount; ++i) {
        if (m_cursors[i] == nullptr)
            m_cursors[i] = (HCURSOR)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kImageToolCursors[i]),
                                                 IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
    }
}

BOOL CImagePaintArea::SetBitmap(CBitmap* pBitmap)
{
    m_pBitmap = pBitmap;
    m_sizeCell = CSize(0, 0);
    if (pBitmap == nullptr) {
        m_sizeBitmap = CSize(0, 0);
        return TRUE;
    }
    m_sizeBitmap = BitmapSize(pBitmap);
    CRect rectClient;
    if (m_hWnd != nullptr)
        GetClientRect(&rectClient);
    rectClient.DeflateRect(1, 1);
    if (m_sizeBitmap.cx > 0 && m_sizeBitmap.cy > 0) {
        m_sizeCell.cx = rectClient.Width() / m_sizeBitmap.cx;
        m_sizeCell.cy = rectClient.Height() / m_sizeBitmap.cy;
    }
    // Cells under one pixel cannot be drawn or hit: such a bitmap is not
    // taken (every cell computation would divide by zero).
    if (m_sizeCell.cx < 1 || m_sizeCell.cy < 1) {
        m_pBitmap = nullptr;
        m_sizeBitmap = CSize(0, 0);
        m_sizeCell = CSize(0, 0);
        return FALSE;
    }
    m_penTrack.DeleteObject();
    m_penTrack.CreatePen(PS_SOLID, m_sizeCell.cx < m_sizeCell.cy ? m_sizeCell.cx : m_sizeCell.cy,
                         g_uiEnvironment.m_colorButtonText);
    return TRUE;
}

void CImagePaintArea::SetColor(COLORREF color)
{
    m_color = color;
    m_penColor.DeleteObject();
    m_penColor.CreatePen(PS_SOLID, 1, color);
}

CPoint CImagePaintArea::ClientToBitmap(CPoint point) const
{
    if (m_sizeCell.cx < 1 || m_sizeCell.cy < 1)
        return CPoint(0, 0);
    CPoint pixel((point.x - 1) / m_sizeCell.cx, (point.y - 1) / m_sizeCell.cy);
    pixel.x = pixel.x < 0 ? 0 : (pixel.x >= m_sizeBitmap.cx ? m_sizeBitmap.cx - 1 : pixel.x);
    pixel.y = pixel.y < 0 ? 0 : (pixel.y >= m_sizeBitmap.cy ? m_sizeBitmap.cy - 1 : pixel.y);
    return pixel;
}

CRect CImagePaintArea::BitmapToClient(const CRect& rect) const
{
    CRect rectClient(rect.left * m_sizeCell.cx + 1, rect.top * m_sizeCell.cy + 1, rect.right * m_sizeCell.cx + 1,
                     rect.bottom * m_sizeCell.cy + 1);
    rectClient.OffsetRect(m_sizeCell.cx / 2, m_sizeCell.cy / 2);
    return rectClient;
}

CRect CImagePaintArea::GridRect() const
{
    return CRect(0, 0, m_sizeCell.cx * m_sizeBitmap.cx, m_sizeCell.cy * m_sizeBitmap.cy);
}

BOOL CImagePaintArea::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CImagePaintArea::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    PaintArea(CDC::FromHandle(lpDrawItemStruct->hDC), lpDrawItemStruct->rcItem);
}

void CImagePaintArea::PaintArea(CDC* pDC, const CRect& rectItem)
{
    if (pDC == nullptr)
        return;
    pDC->FillRect(&rectItem, &g_uiEnvironment.m_brushButtonFace);

    CRect rectGrid(rectItem.left + 1, rectItem.top + 1, rectItem.left + 1 + m_sizeCell.cx * m_sizeBitmap.cx,
                   rectItem.top + 1 + m_sizeCell.cy * m_sizeBitmap.cy);
    pDC->Draw3dRect(&rectGrid, g_uiEnvironment.m_colorDarkShadow, g_uiEnvironment.m_colorButtonHighlight);
    if (m_pBitmap == nullptr || m_sizeCell.cx < 1 || m_sizeCell.cy < 1)
        return;

    CPen penGrid;
    penGrid.CreatePen(PS_SOLID, 1, g_uiEnvironment.m_colorButtonShadow);
    HGDIOBJ hOldPen = pDC->SelectObject(penGrid.GetSafeHandle());
    for (int x = rectGrid.left + m_sizeCell.cx; x <= rectGrid.right - m_sizeCell.cx; x += m_sizeCell.cx) {
        pDC->MoveTo(x, rectGrid.top + 1);
        pDC->LineTo(x, rectGrid.bottom - 1);
    }
    for (int y = rectGrid.top + m_sizeCell.cy; y <= rectGrid.bottom - m_sizeCell.cy; y += m_sizeCell.cy) {
        pDC->MoveTo(rectGrid.left + 1, y);
        pDC->LineTo(rectGrid.right - 1, y);
    }
    pDC->SelectObject(hOldPen);

    CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
    for (int x = 0; x < m_sizeBitmap.cx; ++x) {
        for (int y = 0; y < m_sizeBitmap.cy; ++y) {
            const COLORREF color = CZUDPToolBarImages::SysColorToStdColor(m_memDC.GetPixel(x, y));
            if (color == CLR_INVALID)
                continue;
            CRect rectCell(rectGrid.left + x * m_sizeCell.cx, rectGrid.top + y * m_sizeCell.cy,
                           rectGrid.left + (x + 1) * m_sizeCell.cx, rectGrid.top + (y + 1) * m_sizeCell.cy);
            rectCell.DeflateRect(1, 1);
            pDC->FillSolidRect(&rectCell, color);
        }
    }
    m_memDC.SelectObject(pOldBitmap);
}

void CImagePaintArea::Changed(BOOL bWholeArea)
{
    if (bWholeArea && m_hWnd != nullptr) {
        Invalidate();
        UpdateWindow();
    }
    if (m_pDialog != nullptr && m_pDialog->GetSafeHwnd() != nullptr)
        m_pDialog->InvalidateRect(&m_rectPreview, TRUE);
}

void CImagePaintArea::DrawPixel(CPoint point)
{
    if (m_pBitmap == nullptr)
        return;
    const CPoint pixel = ClientToBitmap(point);
    if (m_hWnd != nullptr) {
        CClientDC dc(this);
        CRect rectCell(1 + pixel.x * m_sizeCell.cx, 1 + pixel.y * m_sizeCell.cy, 1 + (pixel.x + 1) * m_sizeCell.cx,
                       1 + (pixel.y + 1) * m_sizeCell.cy);
        rectCell.DeflateRect(1, 1);
        dc.FillSolidRect(&rectCell, m_color);
    }
    // The bitmap keeps the system's colours where the picture shows the
    // classic ones (SetPixel takes a COLORREF: the plain order).
    CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
    m_memDC.SetPixel(pixel.x, pixel.y, CZUDPToolBarImages::StdColorToSysColor(m_color));
    m_memDC.SelectObject(pOldBitmap);
    Changed(FALSE);
}

void CImagePaintArea::FloodFill(CPoint ptPixel)
{
    if (m_pBitmap == nullptr)
        return;
    CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
    CBrush brush;
    brush.CreateSolidBrush(m_color);
    HGDIOBJ hOldBrush = m_memDC.SelectObject(brush.GetSafeHandle());
    m_memDC.ExtFloodFill(ptPixel.x, ptPixel.y, m_memDC.GetPixel(ptPixel.x, ptPixel.y), FLOODFILLSURFACE);
    m_memDC.SelectObject(hOldBrush);
    m_memDC.SelectObject(pOldBitmap);
    Changed(TRUE);
}

void CImagePaintArea::DrawShape(CDC* pDC, const CRect& rect) const
{
    switch (m_nMode) {
    case kLine:
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(rect.right, rect.bottom);
        break;
    case kRectangle:
        pDC->Rectangle(&rect);
        break;
    case kEllipse:
        pDC->Ellipse(&rect);
        break;
    default:
        break;
    }
}

void CImagePaintArea::DrawRubberBand(const CRect& rectPixels)
{
    if (m_hWnd == nullptr || (rectPixels.left == rectPixels.right && rectPixels.top == rectPixels.bottom))
        return;
    CClientDC dc(this);
    CRect rectGrid = GridRect();
    rectGrid.DeflateRect(1, 1);
    dc.IntersectClipRect(&rectGrid);
    HGDIOBJ hOldPen = dc.SelectObject(m_penTrack.GetSafeHandle());
    HGDIOBJ hOldBrush = dc.SelectObject(::GetStockObject(HOLLOW_BRUSH));
    const int nOldRop = dc.SetROP2(R2_NOT);
    DrawShape(&dc, BitmapToClient(rectPixels));
    dc.SetROP2(nOldRop);
    dc.SelectObject(hOldBrush);
    dc.SelectObject(hOldPen);
}

void CImagePaintArea::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (m_pBitmap == nullptr)
        return;
    CRect rectGrid = GridRect();
    rectGrid.DeflateRect(1, 1);
    if (!rectGrid.PtInRect(point))
        return;
    switch (m_nMode) {
    case kPencil:
        DrawPixel(point);
        break;
    case kLine:
    case kRectangle:
    case kEllipse: {
        const CPoint pixel = ClientToBitmap(point);
        m_rectDrag = CRect(pixel, pixel);
        m_bDragging = TRUE;
        break;
    }
    default:
        break;
    }
    SetCapture();
}

void CImagePaintArea::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!(nFlags & MK_LBUTTON) || m_pBitmap == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    point.x = point.x < rectClient.left ? rectClient.left : (point.x >= rectClient.right ? rectClient.right - 1 : point.x);
    point.y = point.y < rectClient.top ? rectClient.top : (point.y >= rectClient.bottom ? rectClient.bottom - 1 : point.y);
    switch (m_nMode) {
    case kPencil:
        DrawPixel(point);
        break;
    case kLine:
    case kRectangle:
    case kEllipse:
        // Without a press inside the grid there is nothing to drag.
        if (!m_bDragging)
            break;
        DrawRubberBand(m_rectDrag);
        m_rectDrag.BottomRight() = ClientToBitmap(point);
        DrawRubberBand(m_rectDrag);
        break;
    default:
        break;
    }
}

void CImagePaintArea::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    if (m_pBitmap == nullptr) {
        m_rectDrag.SetRectEmpty();
        m_bDragging = FALSE;
        return;
    }
    const BOOL bDragged = m_bDragging;
    m_bDragging = FALSE;
    CRect rectDrag = m_rectDrag;
    m_rectDrag.SetRectEmpty();
    const BOOL bSinglePoint = rectDrag.left == rectDrag.right && rectDrag.top == rectDrag.bottom;
    if (m_nMode == kRectangle || m_nMode == kEllipse) {
        // The shape covers both end pixels.
        if (rectDrag.bottom != rectDrag.top) {
            if (rectDrag.bottom > rectDrag.top)
                ++rectDrag.bottom;
            else
                ++rectDrag.top;
        }
        if (rectDrag.right != rectDrag.left) {
            if (rectDrag.right > rectDrag.left)
                ++rectDrag.right;
            else
                ++rectDrag.left;
        }
    }
    switch (m_nMode) {
    case kPencil:
        DrawPixel(point);
        return;
    case kFill:
        FloodFill(ClientToBitmap(point));
        return;
    case kLine:
    case kRectangle:
    case kEllipse: {
        if (!bDragged)
            return;
        if (bSinglePoint) {
            DrawPixel(point);
            return;
        }
        CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
        HGDIOBJ hOldPen = m_memDC.SelectObject(m_penColor.GetSafeHandle());
        HGDIOBJ hOldBrush = m_memDC.SelectObject(::GetStockObject(HOLLOW_BRUSH));
        DrawShape(&m_memDC, rectDrag);
        m_memDC.SelectObject(hOldBrush);
        m_memDC.SelectObject(hOldPen);
        m_memDC.SelectObject(pOldBitmap);
        if (m_nMode == kLine)
            DrawPixel(point);
        Changed(TRUE);
        return;
    }
    case kPickColor: {
        const CPoint pixel = ClientToBitmap(point);
        CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
        const COLORREF color = m_memDC.GetPixel(pixel.x, pixel.y);
        m_memDC.SelectObject(pOldBitmap);
        if (m_pDialog != nullptr)
            m_pDialog->OnPickColor(color);
        return;
    }
    default:
        return;
    }
}

BOOL CImagePaintArea::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    g_frameworkSeams.cursorPos(&point);
    ScreenToClient(&point);
    if (m_nMode >= 0 && m_nMode < kModeCount && m_cursors[m_nMode] != nullptr && GridRect().PtInRect(point)) {
        ::SetCursor(m_cursors[m_nMode]);
        return TRUE;
    }
    return (BOOL)DefWindowProc(WM_SETCURSOR, WPARAM(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr),
                               MAKELPARAM(nHitTest, message));
}

void CImagePaintArea::OnCancelMode()
{
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    Default();
}

// ---------------------------------------------------------------------------
// The dialog

BEGIN_MESSAGE_MAP(CZUDPImageEditDlg, CZUDPDialog)
    ON_WM_PAINT()
    ON_COMMAND(ID_ZUDP_IMAGE_CLEAR, &CZUDPImageEditDlg::OnClear)
    ON_COMMAND(ID_ZUDP_IMAGE_COPY, &CZUDPImageEditDlg::OnCopy)
    ON_COMMAND(ID_ZUDP_IMAGE_PASTE, &CZUDPImageEditDlg::OnPaste)
    ON_UPDATE_COMMAND_UI(ID_ZUDP_IMAGE_PASTE, &CZUDPImageEditDlg::OnUpdatePaste)
    ON_COMMAND_RANGE(ID_ZUDP_IMAGE_FILL, ID_ZUDP_IMAGE_ELLIPSE, &CZUDPImageEditDlg::OnTool)
    ON_UPDATE_COMMAND_UI_RANGE(ID_ZUDP_IMAGE_FILL, ID_ZUDP_IMAGE_ELLIPSE, &CZUDPImageEditDlg::OnUpdateTool)
    ON_MESSAGE(WM_KICKIDLE, &CZUDPImageEditDlg::OnKickIdle)
    ON_COMMAND(IDC_ZUDP_IMAGE_EDITOR_COLORS, &CZUDPImageEditDlg::OnColor)
END_MESSAGE_MAP()

CZUDPImageEditDlg::CZUDPImageEditDlg(CBitmap* pBitmap, CWnd* pParent, int nBitsPerPixel)
    : CZUDPDialog(IDD_ZUDP_IMAGE_EDITOR, pParent), m_wndLargeDrawArea(this), m_pBitmap(pBitmap),
      m_nBitsPerPixel(nBitsPerPixel)
{
    m_bIsLocal = TRUE;
    m_sizeImage = BitmapSize(pBitmap);
    if (m_nBitsPerPixel == -1)
        m_nBitsPerPixel = BitmapDepth(pBitmap);
    SetVisualManagerLook(g_uiEnvironment.m_dialogsInVisualManagerStyle, TRUE);
}

CZUDPImageEditDlg::~CZUDPImageEditDlg() = default;

void CZUDPImageEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_IMAGE_EDITOR_COLORS, m_wndColorPlace);
    DDX_Control(pDX, IDC_ZUDP_IMAGE_EDITOR_TOOLS, m_wndToolsPlace);
    DDX_Control(pDX, IDC_ZUDP_IMAGE_EDITOR_PREVIEW, m_wndPreviewPlace);
    DDX_Control(pDX, IDC_ZUDP_IMAGE_EDITOR_AREA, m_wndLargeDrawArea);
}

BOOL CZUDPImageEditDlg::CreateSixteenColorPalette(CPalette& palette)
{
    palette.DeleteObject();
    PALETTEENTRY stock[20] = {};
    if (::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, 20, stock) != 20)
        return FALSE;
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[15];
    } logPalette = {};
    logPalette.header.palVersion = 0x300;
    logPalette.header.palNumEntries = 16;
    PALETTEENTRY* pEntries = logPalette.header.palPalEntry;
    for (int i = 0; i < 8; ++i)
        pEntries[i] = stock[i];
    for (int i = 0; i < 8; ++i)
        pEntries[8 + i] = stock[12 + i];
    return palette.CreatePalette(&logPalette.header);
}

BOOL CZUDPImageEditDlg::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd != nullptr && pThread->m_pMainWnd->GetSafeHwnd() != nullptr &&
            (pThread->m_pMainWnd->GetExStyle() & WS_EX_LAYOUTRTL))
            ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    }
    m_wndLargeDrawArea.SetBitmap(m_pBitmap);
    CreateToolsBar();
    CreateColorBar();

    CRect rectPreview;
    m_wndPreviewPlace.GetClientRect(&rectPreview);
    m_wndPreviewPlace.MapWindowPoints(this, &rectPreview);
    const int nLeft = (rectPreview.left + rectPreview.right - m_sizeImage.cx) / 2;
    const int nTop = (rectPreview.top + rectPreview.bottom - m_sizeImage.cy) / 2;
    m_rectPreviewImage = CRect(CPoint(nLeft, nTop), m_sizeImage);
    m_rectPreviewFrame = m_rectPreviewImage;
    m_rectPreviewFrame.InflateRect(4, 4);
    m_wndLargeDrawArea.SetPreviewRect(m_rectPreviewImage);
    m_wndLargeDrawArea.ModifyStyle(WS_TABSTOP, 0);
    return TRUE;
}

void CZUDPImageEditDlg::CreateToolsBar()
{
    CZUDPLocalResource localResource;
    CRect rectPlace;
    m_wndToolsPlace.GetWindowRect(&rectPlace);
    ScreenToClient(&rectPlace);
    CRect rectBar;
    m_wndToolsPlace.GetClientRect(&rectBar);
    m_wndToolsPlace.MapWindowPoints(this, &rectBar);
    rectBar.DeflateRect(2, 2);

    m_wndPaletteBar.EnableLargeIcons(FALSE);
    if (!m_wndPaletteBar.CreateBar(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_GRIPPER |
                                             CBRS_HIDE_INPLACE,
                                   AFX_IDW_TOOLBAR))
        return;
    m_wndPaletteBar.InheritVisualManagerStyle(this);
    const BOOL bHighColor = g_uiEnvironment.m_highColorImages && g_uiEnvironment.m_bitsPerPixel >= 16 &&
                            !g_uiEnvironment.m_whiteOnBlack && !g_uiEnvironment.m_blackOnWhite;
    m_wndPaletteBar.LoadButtonsResource(IDR_ZUDP_IMAGE_EDITOR_TOOLS, 0, 0, TRUE, 0, 0,
                                        bHighColor ? IDB_ZUDP_IMAGE_EDITOR_TOOLS_HICOLOR : 0);
    m_wndPaletteBar.ReplaceBarStyle((m_wndPaletteBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY) & 0xFFBFF0FF);
    m_wndPaletteBar.SetBorders(10, 5, 10, 5);
    m_wndPaletteBar.WrapToolBar(m_wndPaletteBar.GetButtonSize().cx * 3, 0x7FFF);
    const int nBarHeight = m_wndPaletteBar.CalcSize(FALSE).cy;
    rectBar.bottom = rectBar.top + nBarHeight + 10;
    m_wndPaletteBar.MoveBar(rectBar, TRUE, nullptr);
    m_wndPaletteBar.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (rectPlace.Height() < rectBar.Height())
        m_wndToolsPlace.SetWindowPos(nullptr, 0, 0, rectPlace.Width(), rectBar.Height() + 7,
                                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndPaletteBar.SetOwner(this);
    m_wndPaletteBar.m_bRouteCommandsViaFrame = FALSE;
    CRect rectPlaceNow;
    m_wndToolsPlace.GetWindowRect(&rectPlaceNow);
    m_wndToolsPlace.SetWindowPos(nullptr, 0, 0, rectPlaceNow.Width(), nBarHeight + 20,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZUDPImageEditDlg::CreateColorBar()
{
    CRect rectBar;
    m_wndColorPlace.GetClientRect(&rectBar);
    m_wndColorPlace.MapWindowPoints(this, &rectBar);
    rectBar.DeflateRect(2, 2);
    m_wndColorBar.mouseInCustomizeMode = TRUE;

    int nColumns = 4;
    CPalette palette;
    if (m_nBitsPerPixel > 8) {
        m_wndColorBar.EnableOtherButton("Other", TRUE, TRUE);
        nColumns = 5;
        m_wndColorBar.SetVertMargin(1);
        m_wndColorBar.SetHorzMargin(1);
    } else {
        CreateSixteenColorPalette(palette);
    }
    m_wndColorBar.CreateControl(this, rectBar, IDC_ZUDP_IMAGE_EDITOR_COLORS, nColumns,
                                m_nBitsPerPixel <= 8 ? &palette : nullptr);
    m_wndColorBar.InheritVisualManagerStyle(this);
    m_wndColorBar.SetSelectedColor(RGB(0, 0, 0));
    palette.DeleteObject();
}

BOOL CZUDPImageEditDlg::OnPickColor(COLORREF color)
{
    m_wndColorBar.SetSelectedColor(color);
    m_wndLargeDrawArea.SetColor(color);
    m_wndLargeDrawArea.SetMode(CImagePaintArea::kPencil);
    return TRUE;
}

void CZUDPImageEditDlg::OnPaint()
{
    CPaintDC dc(this);
    const BOOL bManagerLook = IsVisualManagerStyle();
    dc.FillRect(&m_rectPreviewFrame, bManagerLook ? &g_uiEnvironment.m_brushBarFace : &g_uiEnvironment.m_brushButtonFace);
    if (m_pBitmap != nullptr && m_pBitmap->GetSafeHandle() != nullptr) {
        CDC memDC;
        memDC.CreateCompatibleDC(&dc);
        CBitmap* pOld = memDC.SelectObject(m_pBitmap);
        dc.BitBlt(m_rectPreviewImage.left, m_rectPreviewImage.top, m_sizeImage.cx, m_sizeImage.cy, &memDC, 0, 0,
                  SRCCOPY);
        memDC.SelectObject(pOld);
    }
    if (bManagerLook)
        dc.Draw3dRect(&m_rectPreviewFrame, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    else
        dc.Draw3dRect(&m_rectPreviewFrame, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorButtonShadow);
}

void CZUDPImageEditDlg::OnClear()
{
    if (m_pBitmap == nullptr)
        return;
    CClientDC dcWindow(this);
    CDC memDC;
    memDC.CreateCompatibleDC(&dcWindow);
    CBitmap* pOld = memDC.SelectObject(m_pBitmap);
    memDC.FillRect(CRect(CPoint(0, 0), m_sizeImage), &g_uiEnvironment.m_brushButtonFace);
    memDC.SelectObject(pOld);
    InvalidateRect(&m_rectPreviewFrame, TRUE);
    m_wndLargeDrawArea.Invalidate();
}

void CZUDPImageEditDlg::OnCopy()
{
    if (m_pBitmap == nullptr)
        return;
    try {
        CClientDC dcWindow(this);
        CDC memSource, memTarget;
        memSource.CreateCompatibleDC(&dcWindow);
        memTarget.CreateCompatibleDC(&dcWindow);
        CBitmap bitmapCopy;
        if (!bitmapCopy.CreateCompatibleBitmap(&dcWindow, m_sizeImage.cx, m_sizeImage.cy)) {
            AfxMessageBox(IDS_ZUDP_CANNOT_COPY_BITMAP);
            return;
        }
        CBitmap* pOldSource = memSource.SelectObject(m_pBitmap);
        CBitmap* pOldTarget = memTarget.SelectObject(&bitmapCopy);
        memTarget.BitBlt(0, 0, m_sizeImage.cx, m_sizeImage.cy, &memSource, 0, 0, SRCCOPY);
        memTarget.SelectObject(pOldTarget);
        memSource.SelectObject(pOldSource);
        // On success the clipboard owns the copy.
        if (g_commandBarsSeams.clipboardPutBitmap(m_hWnd, (HBITMAP)bitmapCopy))
            bitmapCopy.Detach();
        else
            AfxMessageBox(IDS_ZUDP_CANNOT_COPY_BITMAP);
    } catch (CException* pException) {
        pException->Delete();
        AfxMessageBox(IDS_ZUDP_INTERNAL_ERROR);
    }
}

void CZUDPImageEditDlg::OnPaste()
{
    HBITMAP hPasted = m_pBitmap != nullptr ? g_commandBarsSeams.clipboardGetBitmap(m_hWnd) : nullptr;
    if (hPasted == nullptr) {
        AfxMessageBox(IDS_ZUDP_CANNOT_PASTE_BITMAP);
        return;
    }
    CBitmap pasted;
    pasted.Attach(hPasted);
    const CSize sizePasted = BitmapSize(&pasted);
    CClientDC dcWindow(this);
    CDC memSource, memTarget;
    memSource.CreateCompatibleDC(&dcWindow);
    memTarget.CreateCompatibleDC(&dcWindow);
    CBitmap* pOldSource = memSource.SelectObject(&pasted);
    CBitmap* pOldTarget = memTarget.SelectObject(m_pBitmap);
    if (pOldSource == nullptr || pOldTarget == nullptr) {
        if (pOldSource != nullptr)
            memSource.SelectObject(pOldSource);
        if (pOldTarget != nullptr)
            memTarget.SelectObject(pOldTarget);
        AfxMessageBox(IDS_ZUDP_CANNOT_PASTE_BITMAP);
        return;
    }
    memTarget.FillRect(CRect(CPoint(0, 0), m_sizeImage), &g_uiEnvironment.m_brushButtonFace);
    int x = (m_sizeImage.cx - sizePasted.cx) / 2;
    int y = (m_sizeImage.cy - sizePasted.cy) / 2;
    x = x < 0 ? 0 : x;
    y = y < 0 ? 0 : y;
    // Only what the pasted bitmap holds is copied: reading past its edge
    // would paint undefined (black) pixels round a smaller picture.
    const int cx = sizePasted.cx < m_sizeImage.cx - x ? sizePasted.cx : m_sizeImage.cx - x;
    const int cy = sizePasted.cy < m_sizeImage.cy - y ? sizePasted.cy : m_sizeImage.cy - y;
    if (cx > 0 && cy > 0)
        CZUDPToolBarImages::BlitTransparent(memTarget.GetSafeHdc(), x, y, cx, cy, memSource.GetSafeHdc(), 0, 0,
                                            RGB(192, 192, 192));
    memTarget.SelectObject(pOldTarget);
    memSource.SelectObject(pOldSource);
    InvalidateRect(&m_rectPreviewFrame, TRUE);
    m_wndLargeDrawArea.Invalidate();
}

void CZUDPImageEditDlg::OnUpdatePaste(CCmdUI* pCmdUI) { pCmdUI->Enable(g_commandBarsSeams.clipboardHasBitmap()); }

void CZUDPImageEditDlg::OnTool(UINT nID)
{
    const int nMode = ModeOfTool(nID);
    if (nMode >= 0)
        m_wndLargeDrawArea.SetMode(nMode);
}

void CZUDPImageEditDlg::OnUpdateTool(CCmdUI* pCmdUI)
{
    const int nMode = ModeOfTool(pCmdUI->m_nID);
    pCmdUI->SetCheck(nMode >= 0 && m_wndLargeDrawArea.GetMode() == nMode);
}

LRESULT CZUDPImageEditDlg::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    // The dialog is the command target (the update routing only asks it
    // for handlers).
    if (m_wndPaletteBar.GetSafeHwnd() != nullptr)
        m_wndPaletteBar.UpdateCmdUI(reinterpret_cast<CFrameWnd*>(static_cast<CWnd*>(this)), TRUE);
    return 0;
}

void CZUDPImageEditDlg::OnColor()
{
    COLORREF color = m_wndColorBar.GetSelectedColor();
    if (color == RGB(192, 192, 192))
        color = g_uiEnvironment.m_colorButtonFace;
    m_wndLargeDrawArea.SetColor(color);
}
