#include "ui/controls/ZUDPColorPickerCtrl.h"

#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CZUDPCellObj, CObject)
IMPLEMENT_DYNAMIC(CZUDPColorPickerCtrl, CButton)

namespace {

// tan 30 degrees in single precision: the hexagons' proportions.
const float kTan30 = float(1.0 / std::sqrt(3.0));
const double kPi = 3.14159265358979323846;

// Arrow keys move a value by this much.
const double kKeyStep = 0.05;

// The lightness bar keeps this many pixels free above and below its rows.
const int kBarMargin = 5;

// The six directions of a ring walk of the hexagon palette.
const double kRingSteps[6][2] = {{-0.5, 0.866025}, {-1.0, 0.0}, {-0.5, -0.866025},
                                 {0.5, -0.866025}, {1.0, 0.0},  {0.5, 0.866025}};

double Clamp01(double value) { return std::min(1.0, std::max(0.0, value)); }

// What a colour is painted with: on a screen of exactly 8 bits per pixel
// the nearest entry of the palette, so that the colour shows solid; the
// colour itself everywhere else.
COLORREF PaintColour(CPalette* pPalette, COLORREF colour)
{
    if (g_uiEnvironment.m_bitsPerPixel == 8 && pPalette != nullptr && pPalette->GetSafeHandle() != nullptr) {
        UINT index = pPalette->GetNearestPaletteIndex(colour);
        if (index != CLR_INVALID)
            return PALETTEINDEX(WORD(index));
    }
    return colour;
}

} // namespace

// ---------------------------------------------------------------------------
// CZUDPCellObj

CZUDPCellObj::CZUDPCellObj(CPalette* pPalette, COLORREF colour, int x, int y, int nSize, int nSnap)
    : m_x(x), m_y(y), m_size(nSize)
{
    m_colour = RGB(SnapChannel(GetRValue(colour), nSnap), SnapChannel(GetGValue(colour), nSnap),
                   SnapChannel(GetBValue(colour), nSnap));
    m_drawColour = PaintColour(pPalette, m_colour);
    HexagonVertices(x, y, nSize, m_vertices);
}

BYTE CZUDPCellObj::SnapChannel(int channel, int nSnap)
{
    if (nSnap == 0)
        return BYTE(channel);
    if (channel < nSnap)
        return 0;
    if (channel > 255 - nSnap)
        return 255;
    if (std::abs(channel - 128) < nSnap)
        return 128;
    if (std::abs(channel - 192) < nSnap)
        return 192;
    return BYTE(channel);
}

void CZUDPCellObj::HexagonVertices(int x, int y, int nSize, POINT vertices[6])
{
    const int half = nSize / 2;
    const int a = int(float(nSize) * kTan30) / 2;
    vertices[0] = {x - half, y - a};
    vertices[1] = {x, y - half};
    vertices[2] = {x + half, y - a};
    vertices[3] = {x + half, y + a};
    vertices[4] = {x, y + half};
    vertices[5] = {x - half, y + a};
}

void CZUDPCellObj::Draw(CDC* pDC) const
{
    CBrush brush(m_drawColour);
    CPen pen(PS_SOLID, 1, m_drawColour);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(m_vertices, 6);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

BOOL CZUDPCellObj::CreateRegion(CRgn& region) const
{
    POINT vertices[6];
    std::copy(m_vertices, m_vertices + 6, vertices);
    return region.CreatePolygonRgn(vertices, 6, ALTERNATE);
}

BOOL CZUDPCellObj::HitTest(CPoint point) const
{
    CRgn region;
    return CreateRegion(region) && region.PtInRegion(point);
}

// ---------------------------------------------------------------------------
// CZUDPColorPickerCtrl

BEGIN_MESSAGE_MAP(CZUDPColorPickerCtrl, CButton)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SIZE()
    ON_MESSAGE(WM_QUERYNEWPALETTE, &CZUDPColorPickerCtrl::OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, &CZUDPColorPickerCtrl::OnPaletteChanged)
END_MESSAGE_MAP()

CZUDPColorPickerCtrl::CZUDPColorPickerCtrl()
{
    // Hue and saturation of black; the lightness stays in the middle.
    double lightness = 0.0;
    CZUDPDrawManager::RgbToHlsUnitHue(RGB(0, 0, 0), &m_dblHue, &m_dblSat, &lightness);
}

CZUDPColorPickerCtrl::~CZUDPColorPickerCtrl() { DeleteCells(); }

BOOL CZUDPColorPickerCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    // Owner-drawn, never the dialog's default push button.
    cs.style = (cs.style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void CZUDPColorPickerCtrl::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

// ---------------------------------------------------------------------------
// Values

void CZUDPColorPickerCtrl::SetPickerType(int nType)
{
    m_nPickerType = nType;
    // The palette kinds lay their cells out for the kind they show.
    DeleteCells();
    RedrawNow();
}

void CZUDPColorPickerCtrl::SetPalette(CPalette* pPalette)
{
    m_pPalette = pPalette;
    DropPicture();
    DeleteCells();  // the cells' paint colours come from the palette
    RedrawNow();
}

void CZUDPColorPickerCtrl::SetColorValues(COLORREF colour)
{
    m_colorNew = colour;
    CZUDPDrawManager::RgbToHlsUnitHue(colour, &m_dblHue, &m_dblSat, &m_dblLum);
}

void CZUDPColorPickerCtrl::SetColor(COLORREF colour)
{
    SetColorValues(colour);
    RedrawNow();
}

void CZUDPColorPickerCtrl::SetColorRGB(BYTE red, BYTE green, BYTE blue) { SetColor(RGB(red, green, blue)); }

void CZUDPColorPickerCtrl::SelectColor(COLORREF colour)
{
    SetColorValues(colour);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CZUDPColorPickerCtrl::SetOriginalColor(COLORREF colour) { m_colorOriginal = colour; }

void CZUDPColorPickerCtrl::SetHLS(double hue, double lightness, double saturation, BOOL bRedraw)
{
    if (hue != -1)
        m_dblHue = hue;
    if (lightness != -1)
        m_dblLum = lightness;
    if (saturation != -1)
        m_dblSat = saturation;
    m_colorNew = CZUDPDrawManager::HlsToRgbUnitHue(m_dblHue, m_dblLum, m_dblSat);
    if (bRedraw)
        RedrawNow();
}

void CZUDPColorPickerCtrl::GetHLS(double* hue, double* lightness, double* saturation) const
{
    if (hue != nullptr)
        *hue = m_dblHue;
    if (lightness != nullptr)
        *lightness = m_dblLum;
    if (saturation != nullptr)
        *saturation = m_dblSat;
}

void CZUDPColorPickerCtrl::SetBarWidth(int nWidth)
{
    m_nLumBarWidth = nWidth;
    if (GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(client);
        m_nLumBarWidth = std::min(nWidth, client.Width() * 3 / 4);
    }
    RedrawNow();
}

// Every repaint asks for the window first: values set before it exists
// are kept and shown at its first paint.
void CZUDPColorPickerCtrl::RedrawNow()
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Whether the kind has an area to read values from: the lightness bar
// needs rows, the other kinds a client area.
BOOL CZUDPColorPickerCtrl::HasValueArea() const
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    CRect client;
    GetClientRect(client);
    if (client.IsRectEmpty())
        return FALSE;
    return m_nPickerType != PICKER_LIGHTNESS || LightnessBarRows().Height() > 0;
}

BOOL CZUDPColorPickerCtrl::HasFocus() const { return m_hWnd != nullptr && ::GetFocus() == m_hWnd; }

// ---------------------------------------------------------------------------
// Geometry

CRect CZUDPColorPickerCtrl::LightnessBarRows() const
{
    CRect client;
    GetClientRect(client);
    client.DeflateRect(0, kBarMargin);
    return client;
}

double CZUDPColorPickerCtrl::LightnessAt(int y) const
{
    CRect rows = LightnessBarRows();
    y = std::min(int(rows.bottom), std::max(int(rows.top), y));
    return double(rows.bottom - y) / double(rows.Height());
}

CPoint CZUDPColorPickerCtrl::GetCursorPoint() const
{
    CRect client;
    GetClientRect(client);
    switch (m_nPickerType) {
    case PICKER_LIGHTNESS: {
        CRect rows = LightnessBarRows();
        return CPoint(m_nLumBarWidth + 6, rows.top + int(rows.Height() * (1.0 - m_dblLum)));
    }
    case PICKER_PICTURE:
        return CPoint(int(client.Width() * m_dblHue), int((1.0 - m_dblSat) * client.Height()));
    case PICKER_HUE:
        return CPoint(int(client.Width() * m_dblHue), client.CenterPoint().y);
    default:
        return CPoint(0, 0);
    }
}

CRect CZUDPColorPickerCtrl::GetCursorRect() const
{
    CPoint point = GetCursorPoint();
    switch (m_nPickerType) {
    case PICKER_LIGHTNESS:
        return CRect(point.x - 4, point.y - 4, point.x + 5, point.y + 5);
    case PICKER_PICTURE:
        return CRect(point.x - 9, point.y - 9, point.x + 10, point.y + 10);
    case PICKER_HUE: {
        CRect client;
        GetClientRect(client);
        return CRect(point.x - 4, client.top, point.x + 5, client.bottom);
    }
    default:
        return CRect(0, 0, 0, 0);
    }
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPColorPickerCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    DrawPicker(&dc, client);
}

void CZUDPColorPickerCtrl::OnPrintClient(CDC* pDC, UINT)
{
    if (pDC == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    DrawPicker(pDC, client);
}

void CZUDPColorPickerCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC != nullptr)
        DrawPicker(pDC, lpDrawItemStruct->rcItem);
}

BOOL CZUDPColorPickerCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CZUDPColorPickerCtrl::DrawPicker(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr || rect.IsRectEmpty())
        return;
    HPALETTE hPalette = m_pPalette != nullptr ? (HPALETTE)m_pPalette->GetSafeHandle() : nullptr;
    CPalette* pOldPalette = nullptr;
    if (hPalette != nullptr) {
        pOldPalette = pDC->SelectPalette(m_pPalette, FALSE);
        pDC->RealizePalette();
    }

    {
        // The picture is put together off screen (the library's surface for one
        // paint) and lands in one step; when no surface can be had it is
        // painted straight on the target, with the palette still selected.
        CZUDPMemDC memDC(*pDC, this);
        CDC* pDraw = &memDC.GetDC();
        CPalette* pOldMemPalette = nullptr;
        if (hPalette != nullptr && pDraw != pDC) {
            pOldMemPalette = pDraw->SelectPalette(m_pPalette, FALSE);
            pDraw->RealizePalette();
        }

        CRect background = rect;
        g_uiEnvironment.DrawParentBackground(this, pDraw, background);

        switch (m_nPickerType) {
        case PICKER_SWATCH:
            DrawSwatch(pDraw, rect);
            break;
        case PICKER_LIGHTNESS:
            DrawLightnessBar(pDraw, rect);
            break;
        case PICKER_PICTURE:
        case PICKER_HUE:
            DrawPicture(pDraw, rect);
            break;
        case PICKER_HEXAGON:
        case PICKER_GREY:
            DrawCells(pDraw);
            break;
        default:
            break;
        }

        if (pOldMemPalette != nullptr)
            pDraw->SelectPalette(pOldMemPalette, FALSE);
    }
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

void CZUDPColorPickerCtrl::DrawSwatch(CDC* pDC, const CRect& rect)
{
    const int half = rect.Height() / 2;
    pDC->FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.top + half), PaintColour(m_pPalette, m_colorNew));
    pDC->FillSolidRect(CRect(rect.left, rect.top + half, rect.right, rect.top + 2 * half),
                       PaintColour(m_pPalette, m_colorOriginal));
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorDarkShadow, g_uiEnvironment.m_colorDarkShadow);
}

void CZUDPColorPickerCtrl::DrawLightnessBar(CDC* pDC, const CRect& rect)
{
    // A bar without rows has no lightness scale to show.
    CRect rows = LightnessBarRows();
    if (rows.Height() <= 0)
        return;
    const int barWidth = std::min(m_nLumBarWidth, rect.Width());
    if (barWidth > 0) {
        for (int y = rows.top; y <= rows.bottom; y++) {
            COLORREF colour = CZUDPDrawManager::HlsToRgbUnitHue(m_dblHue, LightnessAt(y), m_dblSat);
            pDC->FillSolidRect(rect.left, y, barWidth, 1, PaintColour(m_pPalette, colour));
        }
    }
    DrawCursor(pDC, GetCursorRect());
}

void CZUDPColorPickerCtrl::DrawPicture(CDC* pDC, const CRect& rect)
{
    if (!BuildPicture(rect))
        return;
    CDC pictureDC;
    if (pictureDC.CreateCompatibleDC(pDC)) {
        CBitmap* pOld = pictureDC.SelectObject(&m_bmpPicker);
        pDC->BitBlt(rect.left, rect.top, m_pictureSize.cx, m_pictureSize.cy, &pictureDC, 0, 0, SRCCOPY);
        pictureDC.SelectObject(pOld);
    }
    DrawCursor(pDC, GetCursorRect());
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorDarkShadow, g_uiEnvironment.m_colorButtonHighlight);
}

// The hue/saturation picture: hue grows to the right, saturation upward,
// at half lightness.  It is written straight into a 32-bit DIB (one
// system call for the whole picture instead of one per pixel) and kept
// until the size, the palette or the screen's depth changes.  At 8 bits
// per pixel or fewer it is made of 4 by 4 blocks, which the palette shows
// as solid colours.
BOOL CZUDPColorPickerCtrl::BuildPicture(const CRect& rect)
{
    const int width = rect.Width();
    const int height = rect.Height();
    if (width <= 0 || height <= 0)
        return FALSE;
    const int depth = g_uiEnvironment.m_bitsPerPixel;
    if (m_bmpPicker.GetSafeHandle() != nullptr && m_pictureSize == CSize(width, height) && m_pictureDepth == depth)
        return TRUE;
    DropPicture();

    LPVOID pBits = nullptr;
    HBITMAP hBitmap = CZUDPDrawManager::Create32BitDibSection(CSize(width, -height), &pBits);
    if (hBitmap == nullptr || pBits == nullptr) {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    DWORD* pixels = static_cast<DWORD*>(pBits);
    const int block = depth <= 8 ? 4 : 1;
    for (int y = 0; y < height; y += block) {
        const double saturation = double(height - y) / height;
        const int rowsInBlock = std::min(block, height - y);
        DWORD* row = pixels + size_t(y) * size_t(width);
        for (int x = 0; x < width; x += block) {
            const DWORD pixel =
                CZUDPDrawManager::PixelFromColor(CZUDPDrawManager::HlsToRgbUnitHue(double(x) / width, 0.5, saturation));
            const int columnsInBlock = std::min(block, width - x);
            for (int dx = 0; dx < columnsInBlock; dx++)
                row[x + dx] = pixel;
        }
        for (int dy = 1; dy < rowsInBlock; dy++)
            std::copy(row, row + width, row + size_t(dy) * size_t(width));
    }
    m_bmpPicker.Attach(hBitmap);
    m_pictureSize = CSize(width, height);
    m_pictureDepth = depth;
    return TRUE;
}

void CZUDPColorPickerCtrl::DropPicture()
{
    m_bmpPicker.DeleteObject();
    m_pictureSize = CSize(0, 0);
    m_pictureDepth = 0;
}

void CZUDPColorPickerCtrl::DrawCursor(CDC* pDC, const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    const BOOL focused = HasFocus();
    switch (m_nPickerType) {
    case PICKER_PICTURE: {
        // A cross-hair of four bars around the middle.
        const COLORREF colour = focused ? RGB(0, 0, 0) : RGB(255, 255, 255);
        const CPoint middle = rect.CenterPoint();
        pDC->FillSolidRect(CRect(middle.x - 1, rect.top, middle.x + 2, rect.top + 5), colour);
        pDC->FillSolidRect(CRect(middle.x - 1, rect.bottom - 5, middle.x + 2, rect.bottom), colour);
        pDC->FillSolidRect(CRect(rect.left, middle.y - 1, rect.left + 5, middle.y + 2), colour);
        pDC->FillSolidRect(CRect(rect.right - 5, middle.y - 1, rect.right, middle.y + 2), colour);
        break;
    }
    case PICKER_HUE: {
        // A triangle pointing down from the upper third of the band.
        CRect band = rect;
        band.DeflateRect(0, rect.Height() / 3);
        const int h = band.Height();
        const int middle = rect.CenterPoint().x;
        POINT triangle[3] = {{middle - h - 1, band.top}, {middle + h + 1, band.top}, {middle, band.bottom + 1}};
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CBrush brush(RGB(255, 255, 255));
        CPen* pOldPen = pDC->SelectObject(&pen);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        int oldMode = ::SetPolyFillMode(pDC->GetSafeHdc(), WINDING);
        pDC->Polygon(triangle, 3);
        ::SetPolyFillMode(pDC->GetSafeHdc(), oldMode);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
        break;
    }
    case PICKER_LIGHTNESS: {
        // A triangle pointing left at the bar.
        POINT triangle[3] = {{rect.left, rect.CenterPoint().y}, {rect.right, rect.top}, {rect.right, rect.bottom}};
        CPen pen(PS_SOLID, 1, g_uiEnvironment.m_colorButtonText);
        CBrush brush(focused ? g_uiEnvironment.m_colorButtonText : g_uiEnvironment.m_colorButtonShadow);
        CPen* pOldPen = pDC->SelectObject(&pen);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->Polygon(triangle, 3);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
        break;
    }
    default:
        break;
    }
}

void CZUDPColorPickerCtrl::DrawCells(CDC* pDC)
{
    const CObArray& cells = GetCells();
    for (INT_PTR i = 0; i < cells.GetSize(); i++)
        static_cast<const CZUDPCellObj*>(cells[i])->Draw(pDC);
    int selected = GetSelectedCell();
    if (selected >= 0)
        DrawCellHighlight(pDC, *static_cast<const CZUDPCellObj*>(cells[selected]));
}

void CZUDPColorPickerCtrl::DrawCellHighlight(CDC* pDC, const CZUDPCellObj& cell)
{
    struct Ring {
        int dy, grow, width;
        int stock;
    } const rings[] = {{-1, 2, 2, WHITE_BRUSH}, {0, 2, 1, BLACK_BRUSH}, {0, -1, 1, BLACK_BRUSH}};
    for (const Ring& ring : rings) {
        POINT vertices[6];
        CZUDPCellObj::HexagonVertices(cell.m_x, cell.m_y + ring.dy, cell.m_size + ring.grow, vertices);
        CRgn region;
        if (region.CreatePolygonRgn(vertices, 6, ALTERNATE))
            ::FrameRgn(pDC->GetSafeHdc(), region, (HBRUSH)::GetStockObject(ring.stock), ring.width, ring.width);
    }
}

int CZUDPColorPickerCtrl::GetSelectedCell()
{
    const CObArray& cells = GetCells();
    for (INT_PTR i = cells.GetSize() - 1; i >= 0; i--) {
        if (static_cast<const CZUDPCellObj*>(cells[i])->m_colour == m_colorNew)
            return int(i);
    }
    return -1;
}

const CObArray& CZUDPColorPickerCtrl::GetCells()
{
    if (m_arCells.GetSize() == 0 && GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(client);
        if (!client.IsRectEmpty()) {
            if (m_nPickerType == PICKER_HEXAGON)
                BuildHexagonCells(client);
            else if (m_nPickerType == PICKER_GREY)
                BuildGreyCells(client);
        }
    }
    return m_arCells;
}

void CZUDPColorPickerCtrl::DeleteCells()
{
    for (INT_PTR i = 0; i < m_arCells.GetSize(); i++)
        delete m_arCells[i];
    m_arCells.RemoveAll();
}

// A white cell in the middle and six rings around it, from light to dark,
// each cell's hue the direction in which it lies.
void CZUDPColorPickerCtrl::BuildHexagonCells(const CRect& client)
{
    CRect square = client;
    if (square.Width() > square.Height())
        square.DeflateRect((square.Width() - square.Height()) / 2, 0);
    else if (square.Height() > square.Width())
        square.DeflateRect(0, (square.Height() - square.Width()) / 2);
    const int side = std::min(square.Width(), square.Height());
    const int size = side / 13 + 1;
    const CPoint centre = square.CenterPoint();

    m_arCells.Add(new CZUDPCellObj(m_pPalette, RGB(255, 255, 255), centre.x, centre.y, size, 0));
    for (int ring = 1; ring <= 6; ring++) {
        const double lightness = double(7 - ring) / 7.0 + 0.1;
        int x = centre.x + ring * size;
        int y = centre.y;
        for (const auto& step : kRingSteps) {
            for (int i = 0; i < ring; i++) {
                const int hue = int(std::atan2(double(y - centre.y), double(x - centre.x)) * 180.0 / kPi);
                const COLORREF colour = CZUDPDrawManager::HlsToRgbDegreeHue(hue, lightness, 1.0);
                m_arCells.Add(new CZUDPCellObj(m_pPalette, colour, x, y, size, 16));
                x += int(step[0] * size);
                y += int(step[1] * size);
            }
        }
    }
}

// White (a big cell), fifteen greys from 240 down to 30 on two staggered
// rows, black (a big cell).
void CZUDPColorPickerCtrl::BuildGreyCells(const CRect& client)
{
    int size = std::min(client.Height() / 2 - 2, client.Width() / 13);
    if (size % 2 != 0)
        size++;
    if (size <= 0)
        return;
    const int big = 2 * size;
    const int middle = client.top + client.Height() / 2;
    const int offset = int(float(size) * kTan30 * 1.5f);
    const int upper = middle - offset / 2;
    const int lower = upper + offset;
    const int left = client.left + (client.Width() - 13 * size) / 2;

    m_arCells.Add(new CZUDPCellObj(m_pPalette, RGB(255, 255, 255), left + size, middle, big, 0));
    int x = left;
    for (int i = 0; i < 15; i++) {
        const int grey = 240 - 15 * i;
        x = left + 3 * size + i * (size / 2);
        m_arCells.Add(new CZUDPCellObj(m_pPalette, RGB(grey, grey, grey), x, i % 2 == 0 ? upper : lower, size, 7));
    }
    m_arCells.Add(new CZUDPCellObj(m_pPalette, RGB(0, 0, 0), x + size / 2 + size - 1, middle, big, 0));
}

// ---------------------------------------------------------------------------
// Mouse and keyboard

void CZUDPColorPickerCtrl::NotifyParent(UINT nCode)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
        ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), (LPARAM)m_hWnd);
}

void CZUDPColorPickerCtrl::InvalidateCursor(const CRect& oldCursor)
{
    CRect old = oldCursor;
    old.InflateRect(1, 1);
    InvalidateRect(old);
    CRect now = GetCursorRect();
    now.InflateRect(1, 1);
    InvalidateRect(now);
}

void CZUDPColorPickerCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    SetFocus();
    TrackPoint(nFlags, point);
}

void CZUDPColorPickerCtrl::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CZUDPColorPickerCtrl::OnLButtonDblClk(UINT, CPoint)
{
    if (m_nPickerType >= PICKER_PICTURE && m_nPickerType <= PICKER_HUE)
        NotifyParent(BN_DOUBLECLICKED);
}

void CZUDPColorPickerCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        TrackPoint(nFlags, point);
}

// The colour under a point of a press or a drag.  Ctrl keeps the hue and
// Shift the saturation of the picture, so a drag can change one alone.
void CZUDPColorPickerCtrl::TrackPoint(UINT nFlags, CPoint point)
{
    // An area without width or height has no scale to read a value from.
    if (!HasValueArea())
        return;
    CRect client;
    GetClientRect(client);
    point.x = std::min(client.right - 1, std::max(client.left, point.x));
    point.y = std::min(client.bottom, std::max(client.top, point.y));
    const HWND hWnd = m_hWnd;
    const CRect oldCursor = GetCursorRect();

    switch (m_nPickerType) {
    case PICKER_LIGHTNESS:
        m_dblLum = LightnessAt(point.y);
        m_colorNew = CZUDPDrawManager::HlsToRgbUnitHue(m_dblHue, m_dblLum, m_dblSat);
        InvalidateCursor(oldCursor);
        break;
    case PICKER_PICTURE:
        if (!(nFlags & MK_CONTROL))
            m_dblHue = double(point.x - client.left) / client.Width();
        if (!(nFlags & MK_SHIFT))
            m_dblSat = 1.0 - double(point.y - client.top) / client.Height();
        m_colorNew = CZUDPDrawManager::HlsToRgbUnitHue(m_dblHue, m_dblLum, m_dblSat);
        InvalidateCursor(oldCursor);
        break;
    case PICKER_HUE:
        if (!(nFlags & MK_CONTROL))
            m_dblHue = double(point.x - client.left) / client.Width();
        m_colorNew = CZUDPDrawManager::HlsToRgbUnitHue(m_dblHue, m_dblLum, m_dblSat);
        InvalidateCursor(oldCursor);
        break;
    case PICKER_HEXAGON:
    case PICKER_GREY: {
        const CObArray& cells = GetCells();
        for (INT_PTR i = 0; i < cells.GetSize(); i++) {
            const CZUDPCellObj* cell = static_cast<const CZUDPCellObj*>(cells[i]);
            if (cell->HitTest(point)) {
                SetColorValues(cell->m_colour);
                Invalidate();
                NotifyParent();
                if (::IsWindow(hWnd))
                    UpdateWindow();
                return;
            }
        }
        return;
    }
    case PICKER_SWATCH:
        break;
    default:
        return;
    }
    NotifyParent();
    // The parent may have closed the window in its handler.
    if (::IsWindow(hWnd))
        UpdateWindow();
}

void CZUDPColorPickerCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    double* value = nullptr;
    double step = 0.0;
    switch (m_nPickerType) {
    case PICKER_LIGHTNESS:
        if (nChar == VK_UP || nChar == VK_DOWN) {
            value = &m_dblLum;
            step = nChar == VK_UP ? kKeyStep : -kKeyStep;
        }
        break;
    case PICKER_PICTURE:
        if (nChar == VK_UP || nChar == VK_DOWN) {
            value = &m_dblSat;
            step = nChar == VK_UP ? kKeyStep : -kKeyStep;
        }
        // Left and right move the hue in both kinds.
        [[fallthrough]];
    case PICKER_HUE:
        if (nChar == VK_LEFT || nChar == VK_RIGHT) {
            value = &m_dblHue;
            step = nChar == VK_RIGHT ? kKeyStep : -kKeyStep;
        }
        break;
    default:
        break;
    }
    if (value != nullptr && HasValueArea()) {
        const double changed = Clamp01(*value + step);
        if (changed != *value) {
            const CRect oldCursor = GetCursorRect();
            *value = changed;
            m_colorNew = CZUDPDrawManager::HlsToRgbUnitHue(m_dblHue, m_dblLum, m_dblSat);
            InvalidateCursor(oldCursor);
            const HWND hWnd = m_hWnd;
            NotifyParent();
            if (!::IsWindow(hWnd))
                return;
        }
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

UINT CZUDPColorPickerCtrl::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CZUDPColorPickerCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    RedrawNow();
}

void CZUDPColorPickerCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    RedrawNow();
}

void CZUDPColorPickerCtrl::OnSize(UINT nType, int cx, int cy)
{
    CButton::OnSize(nType, cx, cy);
    // The picture and the cells were laid out for the old size.
    DropPicture();
    DeleteCells();
    RedrawNow();
}

LRESULT CZUDPColorPickerCtrl::OnQueryNewPalette(WPARAM, LPARAM)
{
    RedrawNow();
    return m_pPalette != nullptr;
}

LRESULT CZUDPColorPickerCtrl::OnPaletteChanged(WPARAM wParam, LPARAM)
{
    if ((HWND)wParam != m_hWnd)
        RedrawNow();
    return 0;
}
