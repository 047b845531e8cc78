// Gallery pictures of the library's small drawings: every menu glyph in
// every colour variant from both strips (24 and 4 bits per pixel), twice
// their size, popup-menu drop shadows in both ways of drawing them, and a
// nine-part skin and the shadow renderer at three sizes.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

#include "tests/shot/GallerySheets.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPControlRenderer.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

namespace {

const int kCell = 22;       // one glyph drawn at 18 x 18 with a margin
const int kDrawingLabelWidth = 110;
const int kRows = 5;        // colour variants 0 to 4
const char* const kVariantNames[kRows] = {"black", "grey", "light grey", "white", "dark grey"};

// Light marks on a dark band, dark marks on a light one.
COLORREF BandColour(int variant)
{
    return (variant == MenuGlyphColorLtGray || variant == MenuGlyphColorWhite) ? RGB(64, 64, 64)
                                                                             : RGB(240, 240, 240);
}

int PaintGlyphSection(CDC& dc, int top, const char* title)
{
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, 8, top + 2, title, int(strlen(title)));
    top += 20;
    const CSize size = GetMenuGlyphSize();
    for (int variant = 0; variant < kRows; ++variant) {
        const CRect band(kDrawingLabelWidth, top, kDrawingLabelWidth + MenuGlyphCount * kCell, top + kCell);
        HBRUSH brush = ::CreateSolidBrush(BandColour(variant));
        ::FillRect(dc, &band, brush);
        ::DeleteObject(brush);
        ::TextOutA(dc, 16, top + 4, kVariantNames[variant], int(strlen(kVariantNames[variant])));
        for (int glyph = 0; glyph < MenuGlyphCount; ++glyph) {
            const CRect cell(band.left + glyph * kCell, top, band.left + (glyph + 1) * kCell, top + kCell);
            DrawMenuGlyphCentered(&dc, glyph, cell, variant, CSize(size.cx * 2, size.cy * 2));
        }
        top += kCell;
    }
    return top + 8;
}

void PaintRenderers(CDC& dc, int top)
{
    ::TextOutA(dc, 8, top + 2, "nine-part skin and drop shadow at three sizes", 45);
    top += 22;
    CZUDPControlRenderer skin;
    CZUDPControlRendererParams params;
    params.m_resourceName = "RENDERER_SKIN";
    params.m_imageRect = CRect(0, 0, 9, 9);
    params.m_cornerMargins = CRect(3, 3, 3, 3);
    skin.CreateFromParams(params);
    CZUDPShadowRenderer shadow;
    shadow.BuildShadow(6, RGB(0, 0, 0), 0, 60);

    const CSize sizes[] = {CSize(9, 9), CSize(64, 32), CSize(180, 70)};
    int left = kDrawingLabelWidth;
    for (const CSize& size : sizes) {
        const CRect rect(left, top, left + size.cx, top + size.cy);
        skin.DrawAll(&dc, rect, 0);
        skin.DrawAll(&dc, rect + CPoint(0, size.cy + 10), 1);
        left += size.cx + 30;
    }
    for (const CSize& size : sizes) {
        // The shadow's frame lies along the right and bottom edges of its
        // rectangle: moved down and right by the depth, it falls outside
        // the element.
        const CRect rect(left, top, left + size.cx, top + size.cy);
        shadow.DrawAll(&dc, rect + CPoint(6, 6));
        HBRUSH brush = ::CreateSolidBrush(RGB(250, 250, 235));
        ::FillRect(dc, &rect, brush);
        ::DeleteObject(brush);
        ::FrameRect(dc, &rect, (HBRUSH)::GetStockObject(GRAY_BRUSH));
        left += size.cx + 30;
    }
}

// Popup-menu boxes with the drop shadow the visual manager gives them, on a
// striped ground that shows the blending: drawn from the soft spot (where
// layered windows exist, every current system) and in shaded layers
// (where they do not), falling right and, for right-to-left menus, left.
int PaintDropShadows(CDC& dc, int top)
{
    ::TextOutA(dc, 8, top + 2, "popup-menu drop shadows: soft spot (right, left), shaded layers (right, left)", 77);
    top += 22;
    const CRect ground(kDrawingLabelWidth - 20, top, kDrawingLabelWidth + 4 * 150 + 20, top + 110);
    for (int x = ground.left; x < ground.right; x += 16) {
        const CRect stripe(x, ground.top, std::min<int>(x + 8, ground.right), ground.bottom);
        HBRUSH brush = ::CreateSolidBrush(RGB(200, 220, 250));
        ::FillRect(dc, &stripe, brush);
        ::DeleteObject(brush);
    }
    CZUDPVisualManager* manager = CZUDPVisualManager::GetActiveManager();
    const BOOL layered = g_uiEnvironment.m_layeredWindowsAvailable;
    int left = kDrawingLabelWidth;
    for (int i = 0; i < 4; ++i) {
        g_uiEnvironment.m_layeredWindowsAvailable = i < 2;
        const BOOL rightToLeft = i % 2 == 1;
        const CRect menu(left + 10, top + 10, left + 110, top + 90);
        manager->DrawPopupMenuShadow(&dc, menu, CRect(), manager->m_menuShadowDepth, 100, 65, nullptr, nullptr,
                                     rightToLeft);
        ::FillRect(dc, &menu, (HBRUSH)g_uiEnvironment.m_brushBarFace.GetSafeHandle());
        manager->DrawPopupMenuBorder(&dc, nullptr, menu);
        left += 150;
    }
    g_uiEnvironment.m_layeredWindowsAvailable = layered;
    return ground.bottom + 8;
}

void Paint(HDC hdc, const RECT& client)
{
    CDC dc;
    dc.Attach(hdc);
    ::FillRect(hdc, &client, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));

    // The strip the display chooses (24 bits here), then the 4-bit one.
    ReleaseMenuGlyphs();
    int top = PaintGlyphSection(dc, 4, "menu glyphs, 24-bit strip, twice their size");
    const BOOL highColour = g_uiEnvironment.m_highColorImages;
    g_uiEnvironment.m_highColorImages = FALSE;
    ReleaseMenuGlyphs();
    top = PaintGlyphSection(dc, top, "menu glyphs, 4-bit strip, twice their size");
    g_uiEnvironment.m_highColorImages = highColour;
    ReleaseMenuGlyphs();

    top = PaintDropShadows(dc, top);
    PaintRenderers(dc, top);
    ::SelectObject(hdc, oldFont);
    dc.Detach();
}

LRESULT CALLBACK DrawingSheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(window, &ps);
        RECT client;
        ::GetClientRect(window, &client);
        Paint(hdc, client);
        ::EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

// Shows the sheet, lets the caller photograph it, closes it.  FALSE when
// the window cannot be made.
bool ShootLibraryDrawings(const std::function<void(const std::string&, HWND)>& photograph,
                          const std::function<void(DWORD)>& pump)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DrawingSheetProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "TrovGalleryLibraryDrawings";
    ::RegisterClassA(&windowClass);
    const int width = kDrawingLabelWidth + MenuGlyphCount * kCell + 20;
    RECT frame = {0, 0, width, 4 + 2 * (20 + kRows * kCell + 8) + (22 + 110 + 8) + 22 + 2 * 70 + 20};
    ::AdjustWindowRect(&frame, WS_CAPTION | WS_POPUP, FALSE);
    HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "Library drawings", WS_CAPTION | WS_POPUP | WS_VISIBLE,
                                    20, 20, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
    if (window == nullptr)
        return false;
    pump(300);
    photograph("library-glyphs-and-renderers", window);
    ::DestroyWindow(window);
    pump(50);
    return true;
}
