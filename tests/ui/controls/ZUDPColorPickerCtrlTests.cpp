// The colour picker: the palettes' cells, what the mouse and the keys do
// to the colour and when the parent hears of it, and what each kind paints,
// read back from the control rendered into a DIB.
#include "ui/controls/ZUDPColorPickerCtrl.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using trovtest::ColorAt;
using trovtest::DibCanvas;

namespace {

const UINT kPickerId = 1234;

struct Notice {
    UINT id;
    UINT code;
    HWND from;
};

// The picker's parent: keeps every WM_COMMAND it gets.
class CPickerNoticeHost : public CWnd {
public:
    std::vector<Notice> notices;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        notices.push_back({LOWORD(wParam), HIWORD(wParam), (HWND)lParam});
        return TRUE;
    }
};

struct Hls {
    double hue, lightness, saturation;
};

Hls HlsOf(COLORREF colour)
{
    Hls hls = {};
    CZUDPDrawManager::RgbToHlsUnitHue(colour, &hls.hue, &hls.saturation, &hls.lightness);
    return hls;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ZUDPColorPickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        m_host.ShowWindow(SW_SHOWNA);
    }
    void TearDown() override
    {
        if (::GetCapture() != nullptr)
            ::ReleaseCapture();
        m_picker.DestroyWindow();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    void Create(int kind, int width, int height)
    {
        m_picker.SetPickerType(kind);
        ASSERT_TRUE(m_picker.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + width, 10 + height), &m_host,
                                    kPickerId));
    }

    // The picker painted through WM_PRINTCLIENT over a canvas of its size
    // filled with a colour that nothing paints.
    void Render(DibCanvas& canvas)
    {
        canvas.Fill(kUntouched);
        m_picker.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
        ::GdiFlush();
    }

    const CZUDPCellObj* Cell(int index)
    {
        return static_cast<const CZUDPCellObj*>(m_picker.GetCells()[index]);
    }

    static constexpr COLORREF kUntouched = RGB(1, 2, 3);
    CPickerNoticeHost m_host;
    CZUDPColorPickerCtrl m_picker;
};

// ---------------------------------------------------------------------------
// Palettes

TEST_F(ZUDPColorPickerTest, HexagonPaletteHasAWhiteCentreAndSixRingsFromLightToDark)
{
    Create(CZUDPColorPickerCtrl::PICKER_HEXAGON, 286, 214);
    const CObArray& cells = m_picker.GetCells();
    ASSERT_EQ(127, cells.GetSize());

    CRect client;
    m_picker.GetClientRect(client);
    const CZUDPCellObj* centre = Cell(0);
    EXPECT_EQ(RGB(255, 255, 255), centre->m_colour);
    EXPECT_EQ(client.CenterPoint(), CPoint(centre->m_x, centre->m_y));

    // Ring k holds 6 k cells; each ring is darker than the one inside it.
    double previous = 2.0;
    int first = 1;
    for (int ring = 1; ring <= 6; ring++) {
        double sum = 0.0;
        for (int i = first; i < first + 6 * ring; i++)
            sum += HlsOf(Cell(i)->m_colour).lightness;
        double mean = sum / (6 * ring);
        EXPECT_LT(mean, previous) << "ring " << ring;
        previous = mean;
        first += 6 * ring;
    }

    // Each cell shows its colour where it lies.
    DibCanvas canvas(client.Width(), client.Height());
    Render(canvas);
    for (INT_PTR i = 0; i < cells.GetSize(); i++) {
        const CZUDPCellObj* cell = Cell(int(i));
        EXPECT_TRUE(ColorAt(canvas, cell->m_x, cell->m_y, cell->m_colour)) << "cell " << i;
    }
}

TEST_F(ZUDPColorPickerTest, GreyCellGivesSaturationZeroAndItsGreyAsLightness)
{
    Create(CZUDPColorPickerCtrl::PICKER_GREY, 286, 52);
    const CObArray& cells = m_picker.GetCells();
    ASSERT_EQ(17, cells.GetSize());
    EXPECT_EQ(RGB(255, 255, 255), Cell(0)->m_colour);
    EXPECT_EQ(RGB(0, 0, 0), Cell(16)->m_colour);

    // Greys 240, 225, ... 30: grey 120 is the ninth small cell.
    const CZUDPCellObj* grey = Cell(1 + 8);
    ASSERT_EQ(RGB(120, 120, 120), grey->m_colour);
    m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(grey->m_x, grey->m_y));
    m_picker.SendMessage(WM_LBUTTONUP, 0, At(grey->m_x, grey->m_y));

    double hue = -1, lightness = -1, saturation = -1;
    m_picker.GetHLS(&hue, &lightness, &saturation);
    EXPECT_EQ(0.0, saturation);
    EXPECT_NEAR(120.0 / 255.0, lightness, 1e-9);
    EXPECT_EQ(RGB(120, 120, 120), m_picker.GetColor());
    ASSERT_EQ(1u, m_host.notices.size());
    EXPECT_EQ(kPickerId, m_host.notices[0].id);
    EXPECT_EQ(0u, m_host.notices[0].code);
    EXPECT_EQ(m_picker.m_hWnd, m_host.notices[0].from);
}

TEST_F(ZUDPColorPickerTest, ClickOutsideEveryCellChangesNothing)
{
    Create(CZUDPColorPickerCtrl::PICKER_HEXAGON, 286, 214);
    m_picker.SelectColor(RGB(10, 20, 30));
    m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));  // a corner: the palette is round
    EXPECT_EQ(RGB(10, 20, 30), m_picker.GetColor());
    EXPECT_TRUE(m_host.notices.empty());
}

// The highlight frames the selected cell in black and white; a colour that
// no cell stands for shows none.  No cell of the hexagon palette is black.
TEST_F(ZUDPColorPickerTest, OnlyAMatchingColourIsHighlighted)
{
    Create(CZUDPColorPickerCtrl::PICKER_HEXAGON, 286, 214);
    CRect client;
    m_picker.GetClientRect(client);
    DibCanvas canvas(client.Width(), client.Height());

    // Snapping gives some cells the same colour: the last of them is shown.
    const COLORREF inPalette = Cell(40)->m_colour;
    int last = 40;
    for (int i = 41; i < 127; i++) {
        if (Cell(i)->m_colour == inPalette)
            last = i;
    }
    struct Case {
        const char* name;
        COLORREF colour;
        int selected;
    } const cases[] = {{"unmatched", RGB(1, 99, 201), -1}, {"in the palette", inPalette, last}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_picker.SelectColor(c.colour);
        EXPECT_EQ(c.selected, m_picker.GetSelectedCell());
        Render(canvas);
        int black = canvas.CountColor(canvas.Rect(), RGB(0, 0, 0));
        if (c.selected < 0) {
            EXPECT_EQ(0, black);
        } else {
            const CZUDPCellObj* cell = Cell(c.selected);
            CRect around(cell->m_x - cell->m_size, cell->m_y - cell->m_size, cell->m_x + cell->m_size,
                         cell->m_y + cell->m_size);
            EXPECT_GT(black, 0);
            EXPECT_EQ(black, canvas.CountColor(around, RGB(0, 0, 0))) << "black only round the selected cell";
        }
    }
}

TEST_F(ZUDPColorPickerTest, CellsFollowTheSizeAndTheKind)
{
    Create(CZUDPColorPickerCtrl::PICKER_HEXAGON, 200, 200);
    ASSERT_EQ(127, m_picker.GetCells().GetSize());
    EXPECT_EQ(CPoint(100, 100), CPoint(Cell(0)->m_x, Cell(0)->m_y));

    m_picker.SetWindowPos(nullptr, 0, 0, 300, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(127, m_picker.GetCells().GetSize());
    EXPECT_EQ(CPoint(150, 130), CPoint(Cell(0)->m_x, Cell(0)->m_y));
    // Hit testing uses the new places: the new centre is white.
    m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 130));
    EXPECT_EQ(RGB(255, 255, 255), m_picker.GetColor());

    m_picker.SetPickerType(CZUDPColorPickerCtrl::PICKER_GREY);
    EXPECT_EQ(17, m_picker.GetCells().GetSize());
}

TEST_F(ZUDPColorPickerTest, OnEightBitScreensCellsPaintWithTheirPaletteEntry)
{
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[1];
    } logPalette = {{0x300, 2, {{0, 0, 0, 0}}}, {{255, 255, 255, 0}}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&logPalette.header));

    const int depth = g_uiEnvironment.m_bitsPerPixel;
    g_uiEnvironment.m_bitsPerPixel = 8;
    Create(CZUDPColorPickerCtrl::PICKER_GREY, 286, 52);
    m_picker.SetPalette(&palette);
    const CZUDPCellObj* light = Cell(1);   // grey 240: white is nearer
    const CZUDPCellObj* dark = Cell(15);   // grey 30: black is nearer
    EXPECT_EQ(RGB(240, 240, 240), light->m_colour);
    EXPECT_EQ(PALETTEINDEX(1), light->m_drawColour);
    EXPECT_EQ(PALETTEINDEX(0), dark->m_drawColour);
    g_uiEnvironment.m_bitsPerPixel = depth;
    m_picker.SetPalette(nullptr);
}

// ---------------------------------------------------------------------------
// Mouse and keys

TEST_F(ZUDPColorPickerTest, ModifierKeysHoldOneValueOfThePictureWhileDragging)
{
    Create(CZUDPColorPickerCtrl::PICKER_PICTURE, 240, 160);
    struct Case {
        const char* name;
        UINT keys;
        bool hueChanges, saturationChanges;
    } const cases[] = {{"Shift: hue only", MK_SHIFT, true, false},
                       {"Ctrl: saturation only", MK_CONTROL, false, true},
                       {"no key: both", 0, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.notices.clear();
        m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(60, 40));
        double hue0, lum0, sat0;
        m_picker.GetHLS(&hue0, &lum0, &sat0);
        EXPECT_NEAR(60.0 / 240.0, hue0, 1e-9);
        EXPECT_NEAR(1.0 - 40.0 / 160.0, sat0, 1e-9);

        m_picker.SendMessage(WM_MOUSEMOVE, MK_LBUTTON | c.keys, At(180, 120));
        double hue, lum, sat;
        m_picker.GetHLS(&hue, &lum, &sat);
        EXPECT_EQ(c.hueChanges, hue != hue0);
        EXPECT_EQ(c.saturationChanges, sat != sat0);
        EXPECT_EQ(lum0, lum);
        EXPECT_EQ(CZUDPDrawManager::HlsToRgbUnitHue(hue, lum, sat), m_picker.GetColor());
        m_picker.SendMessage(WM_LBUTTONUP, 0, At(180, 120));
        EXPECT_EQ(2u, m_host.notices.size()) << "the press and the move";

        // Without the button held, moving does nothing.
        m_picker.SendMessage(WM_MOUSEMOVE, 0, At(5, 5));
        double hueAfter;
        m_picker.GetHLS(&hueAfter, nullptr, nullptr);
        EXPECT_EQ(hue, hueAfter);
    }
}

TEST_F(ZUDPColorPickerTest, DraggingPastTheEdgesStopsAtTheirValues)
{
    Create(CZUDPColorPickerCtrl::PICKER_LIGHTNESS, 30, 100);
    m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 50));
    m_picker.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(5, -40));
    double lightness;
    m_picker.GetHLS(nullptr, &lightness, nullptr);
    EXPECT_EQ(1.0, lightness);
    m_picker.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(5, 400));
    m_picker.GetHLS(nullptr, &lightness, nullptr);
    EXPECT_EQ(0.0, lightness);
}

TEST_F(ZUDPColorPickerTest, ArrowKeysMoveTheValuesAndStaySilentAtTheEnds)
{
    struct Case {
        const char* name;
        int kind;
        Hls start;  // hue, lightness, saturation
        UINT key;
        Hls expected;
        bool notified;
    } const cases[] = {
        {"Up at lightness 1", CZUDPColorPickerCtrl::PICKER_LIGHTNESS, {0.2, 1.0, 0.5}, VK_UP, {0.2, 1.0, 0.5}, false},
        {"Down on the bar", CZUDPColorPickerCtrl::PICKER_LIGHTNESS, {0.2, 1.0, 0.5}, VK_DOWN, {0.2, 0.95, 0.5}, true},
        {"Down at lightness 0", CZUDPColorPickerCtrl::PICKER_LIGHTNESS, {0.2, 0.0, 0.5}, VK_DOWN, {0.2, 0.0, 0.5}, false},
        {"Left on the bar", CZUDPColorPickerCtrl::PICKER_LIGHTNESS, {0.2, 0.5, 0.5}, VK_LEFT, {0.2, 0.5, 0.5}, false},
        {"Right in the picture", CZUDPColorPickerCtrl::PICKER_PICTURE, {0.2, 0.5, 0.5}, VK_RIGHT, {0.25, 0.5, 0.5}, true},
        {"Up in the picture", CZUDPColorPickerCtrl::PICKER_PICTURE, {0.2, 0.5, 0.5}, VK_UP, {0.2, 0.5, 0.55}, true},
        {"Up at saturation 1", CZUDPColorPickerCtrl::PICKER_PICTURE, {0.2, 0.5, 1.0}, VK_UP, {0.2, 0.5, 1.0}, false},
        {"Left at hue 0", CZUDPColorPickerCtrl::PICKER_HUE, {0.0, 0.5, 0.5}, VK_LEFT, {0.0, 0.5, 0.5}, false},
        {"Up on the hue strip", CZUDPColorPickerCtrl::PICKER_HUE, {0.2, 0.5, 0.5}, VK_UP, {0.2, 0.5, 0.5}, false},
        {"Left on the palette", CZUDPColorPickerCtrl::PICKER_HEXAGON, {0.2, 0.5, 0.5}, VK_LEFT, {0.2, 0.5, 0.5}, false},
    };
    Create(CZUDPColorPickerCtrl::PICKER_PICTURE, 120, 80);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_picker.SetPickerType(c.kind);
        m_picker.SetHLS(c.start.hue, c.start.lightness, c.start.saturation);
        m_host.notices.clear();
        m_picker.SendMessage(WM_KEYDOWN, c.key, 0);
        Hls now;
        m_picker.GetHLS(&now.hue, &now.lightness, &now.saturation);
        EXPECT_NEAR(c.expected.hue, now.hue, 1e-9);
        EXPECT_NEAR(c.expected.lightness, now.lightness, 1e-9);
        EXPECT_NEAR(c.expected.saturation, now.saturation, 1e-9);
        EXPECT_EQ(c.notified ? 1u : 0u, m_host.notices.size());
        EXPECT_EQ(CZUDPDrawManager::HlsToRgbUnitHue(now.hue, now.lightness, now.saturation), m_picker.GetColor());
    }
    EXPECT_EQ(UINT(DLGC_WANTARROWS), UINT(m_picker.SendMessage(WM_GETDLGCODE)));
}

TEST_F(ZUDPColorPickerTest, DoubleClickIsReportedByThePictureAndPaletteKinds)
{
    Create(CZUDPColorPickerCtrl::PICKER_SWATCH, 60, 60);
    for (int kind = 0; kind <= 5; kind++) {
        SCOPED_TRACE(kind);
        m_picker.SetPickerType(kind);
        m_host.notices.clear();
        m_picker.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(30, 30));
        bool expected = kind >= CZUDPColorPickerCtrl::PICKER_PICTURE;
        ASSERT_EQ(expected ? 1u : 0u, m_host.notices.size());
        if (expected) {
            EXPECT_EQ(UINT(BN_DOUBLECLICKED), m_host.notices[0].code);
        }
    }
}

TEST_F(ZUDPColorPickerTest, BecomesAnOwnerDrawnButtonThatIsNeverTheDefault)
{
    ASSERT_TRUE(m_picker.Create("", WS_CHILD | BS_DEFPUSHBUTTON, CRect(0, 0, 20, 20), &m_host, kPickerId));
    EXPECT_EQ(DWORD(BS_OWNERDRAW), m_picker.GetStyle() & BS_TYPEMASK);

    CButton plain;
    ASSERT_TRUE(plain.Create("", WS_CHILD | BS_DEFPUSHBUTTON, CRect(0, 0, 20, 20), &m_host, kPickerId + 1));
    HWND hWnd = plain.Detach();
    CZUDPColorPickerCtrl attached;
    ASSERT_TRUE(attached.SubclassWindow(hWnd));
    EXPECT_EQ(DWORD(BS_OWNERDRAW), attached.GetStyle() & BS_TYPEMASK);
    attached.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Empty areas and values before the window

// Without width or height there is no scale to read a value from or paint:
// nothing is painted, input changes nothing and nobody is told.
TEST_F(ZUDPColorPickerTest, AnAreaWithoutSizePaintsNothingAndIgnoresInput)
{
    struct Case {
        const char* name;
        int kind, width, height;
    } const cases[] = {
        {"bar without rows", CZUDPColorPickerCtrl::PICKER_LIGHTNESS, 30, 10},
        {"bar without height", CZUDPColorPickerCtrl::PICKER_LIGHTNESS, 30, 0},
        {"picture without width", CZUDPColorPickerCtrl::PICKER_PICTURE, 0, 80},
        {"picture without height", CZUDPColorPickerCtrl::PICKER_PICTURE, 80, 0},
        {"hue strip without width", CZUDPColorPickerCtrl::PICKER_HUE, 0, 20},
        {"palette without size", CZUDPColorPickerCtrl::PICKER_HEXAGON, 0, 0},
        {"grey strip too low", CZUDPColorPickerCtrl::PICKER_GREY, 100, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Create(c.kind, c.width, c.height);
        m_picker.SetColor(RGB(10, 20, 30));
        m_host.notices.clear();

        DibCanvas canvas(40, 40);
        canvas.Fill(kUntouched);
        m_picker.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
        CRect client;
        m_picker.GetClientRect(client);
        if (client.IsRectEmpty()) {
            EXPECT_EQ(40 * 40, canvas.CountColor(canvas.Rect(), kUntouched));
        } else {
            // Only the parent's background: no bar row, cell or cursor.
            CRect inside(0, 0, std::min(40, client.Width()), std::min(40, client.Height()));
            EXPECT_EQ(1u, canvas.Histogram(inside).size());
        }

        m_picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(0, 0));
        m_picker.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(5, 5));
        m_picker.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
        m_picker.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        m_picker.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_EQ(RGB(10, 20, 30), m_picker.GetColor());
        EXPECT_TRUE(m_host.notices.empty());
        m_picker.DestroyWindow();
    }
}

TEST_F(ZUDPColorPickerTest, ValuesSetBeforeTheWindowExistsShowWhenItDoes)
{
    m_picker.SetPickerType(CZUDPColorPickerCtrl::PICKER_SWATCH);
    m_picker.SetColor(RGB(200, 0, 0));
    m_picker.SetOriginalColor(RGB(0, 0, 200));
    m_picker.SetHLS(-1, 0.25, -1, TRUE);
    m_picker.SetBarWidth(14);
    m_picker.SetPalette(nullptr);
    EXPECT_EQ(14, m_picker.GetBarWidth());
    const COLORREF expected = m_picker.GetColor();
    EXPECT_EQ(CZUDPDrawManager::HlsToRgbUnitHue(0.0, 0.25, 1.0), expected);

    ASSERT_TRUE(m_picker.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 40), &m_host, kPickerId));
    DibCanvas canvas(40, 40);
    Render(canvas);
    EXPECT_TRUE(ColorAt(canvas, 20, 10, expected));
    EXPECT_TRUE(ColorAt(canvas, 20, 30, RGB(0, 0, 200)));
}

// ---------------------------------------------------------------------------
// What each kind paints

TEST_F(ZUDPColorPickerTest, SwatchShowsTheNewColourAboveTheCurrentOneInAFrame)
{
    Create(CZUDPColorPickerCtrl::PICKER_SWATCH, 40, 60);
    m_picker.SetOriginalColor(RGB(0, 0, 255));
    m_picker.SetColor(RGB(255, 0, 0));
    DibCanvas canvas(40, 60);
    Render(canvas);
    EXPECT_EQ(RGB(255, 0, 0), canvas.DominantColor(CRect(1, 1, 39, 30)));
    EXPECT_EQ(RGB(0, 0, 255), canvas.DominantColor(CRect(1, 30, 39, 59)));
    const COLORREF frame = g_uiEnvironment.m_colorDarkShadow;
    for (CPoint p : {CPoint(0, 0), CPoint(39, 20), CPoint(20, 59), CPoint(0, 45)})
        EXPECT_TRUE(ColorAt(canvas, p.x, p.y, frame));
}

TEST_F(ZUDPColorPickerTest, LightnessBarRunsFromLightAtTheTopToDarkAtTheBottom)
{
    Create(CZUDPColorPickerCtrl::PICKER_LIGHTNESS, 40, 110);
    m_picker.SetHLS(0.6, 0.5, 0.8);
    m_picker.SetBarWidth(14);
    DibCanvas canvas(40, 110);
    Render(canvas);
    // Rows 5 to 105 carry lightness 1 down to 0.
    EXPECT_TRUE(ColorAt(canvas, 7, 5, RGB(255, 255, 255)));
    EXPECT_TRUE(ColorAt(canvas, 7, 105, RGB(0, 0, 0)));
    double previous = 2.0;
    for (int y = 5; y <= 105; y += 10) {
        Hls hls = HlsOf(canvas.Pixel(7, y));
        EXPECT_LT(hls.lightness, previous) << "row " << y;
        previous = hls.lightness;
    }
    EXPECT_TRUE(ColorAt(canvas, 7, 55, CZUDPDrawManager::HlsToRgbUnitHue(0.6, 0.5, 0.8)));
    // The bar is 14 pixels wide; the cursor stands right of it.
    EXPECT_FALSE(ColorAt(canvas, 15, 30, canvas.Pixel(7, 30)));
}

TEST_F(ZUDPColorPickerTest, PictureHueGrowsToTheRightAndSaturationUpward)
{
    Create(CZUDPColorPickerCtrl::PICKER_PICTURE, 240, 160);
    m_picker.SetHLS(0.0, 0.5, 0.0);  // the cursor at the bottom left, out of the way
    DibCanvas canvas(240, 160);
    Render(canvas);
    // Every pixel inside the frame and away from the cursor is exactly the
    // colour of its place.
    int wrong = 0;
    for (int y = 1; y < 159; y++) {
        for (int x = 1; x < 239; x++) {
            if (x < 12 && y > 140)
                continue;  // the cursor
            if (canvas.Pixel(x, y) != CZUDPDrawManager::HlsToRgbUnitHue(x / 240.0, 0.5, (160.0 - y) / 160.0) &&
                ++wrong <= 3) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << trovtest::ColorText(canvas.Pixel(x, y));
            }
        }
    }
    EXPECT_EQ(0, wrong);
    double previous = -1.0;
    for (int x = 20; x < 220; x += 40) {
        double hue = HlsOf(canvas.Pixel(x, 20)).hue;
        EXPECT_GT(hue, previous) << "column " << x;
        previous = hue;
    }
    EXPECT_GT(HlsOf(canvas.Pixel(120, 10)).saturation, HlsOf(canvas.Pixel(120, 130)).saturation);
    // A sunken frame.
    EXPECT_TRUE(ColorAt(canvas, 0, 50, g_uiEnvironment.m_colorDarkShadow));
    EXPECT_TRUE(ColorAt(canvas, 239, 50, g_uiEnvironment.m_colorButtonHighlight));
}

TEST_F(ZUDPColorPickerTest, PictureOnEightBitScreensIsMadeOfBlocks)
{
    const int depth = g_uiEnvironment.m_bitsPerPixel;
    g_uiEnvironment.m_bitsPerPixel = 8;
    Create(CZUDPColorPickerCtrl::PICKER_PICTURE, 64, 64);
    m_picker.SetHLS(0.0, 0.5, 0.0);
    DibCanvas canvas(64, 64);
    Render(canvas);
    g_uiEnvironment.m_bitsPerPixel = depth;
    // Each 4 by 4 block has the colour of its top-left pixel.
    EXPECT_EQ(16, canvas.CountColor(CRect(20, 20, 24, 24), CZUDPDrawManager::HlsToRgbUnitHue(20 / 64.0, 0.5, 44 / 64.0)));
    EXPECT_NE(canvas.Pixel(23, 20), canvas.Pixel(24, 20));
}

TEST_F(ZUDPColorPickerTest, CursorColourFollowsTheFocus)
{
    struct Case {
        const char* name;
        int kind;
    } const cases[] = {{"picture", CZUDPColorPickerCtrl::PICKER_PICTURE},
                       {"lightness bar", CZUDPColorPickerCtrl::PICKER_LIGHTNESS}};
    CWnd other;
    ASSERT_TRUE(other.Create("BUTTON", "", WS_CHILD | WS_VISIBLE, CRect(300, 0, 320, 20), &m_host, 7));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Create(c.kind, 120, 100);
        m_picker.SetHLS(0.5, 0.5, 0.5);
        const CRect cursor = m_picker.GetCursorRect();
        const CPoint middle = cursor.CenterPoint();
        // A point of the cross-hair's top bar, of the triangle's inside.
        const CPoint probe = c.kind == CZUDPColorPickerCtrl::PICKER_PICTURE ? CPoint(middle.x, cursor.top + 2)
                                                                             : CPoint(cursor.right - 2, middle.y);
        struct Focus {
            bool focused;
            COLORREF expected;
        } const focus[] = {
            {false, c.kind == CZUDPColorPickerCtrl::PICKER_PICTURE ? RGB(255, 255, 255)
                                                                    : g_uiEnvironment.m_colorButtonShadow},
            {true, c.kind == CZUDPColorPickerCtrl::PICKER_PICTURE ? RGB(0, 0, 0) : g_uiEnvironment.m_colorButtonText}};
        for (const Focus& f : focus) {
            SCOPED_TRACE(f.focused ? "focused" : "not focused");
            if (f.focused)
                m_picker.SetFocus();
            else
                other.SetFocus();
            ASSERT_EQ(f.focused, ::GetFocus() == m_picker.m_hWnd);
            DibCanvas canvas(120, 100);
            Render(canvas);
            EXPECT_TRUE(ColorAt(canvas, probe.x, probe.y, f.expected));
        }
        other.SetFocus();
        m_picker.DestroyWindow();
    }
    other.DestroyWindow();
}

TEST_F(ZUDPColorPickerTest, HueStripCursorIsATriangleAtTheHue)
{
    Create(CZUDPColorPickerCtrl::PICKER_HUE, 200, 30);
    m_picker.SetHLS(0.25, 0.5, 1.0);
    EXPECT_EQ(CPoint(50, 15), m_picker.GetCursorPoint());
    DibCanvas canvas(200, 30);
    Render(canvas);
    // White inside, black outline; the picture elsewhere.
    EXPECT_TRUE(ColorAt(canvas, 50, 12, RGB(255, 255, 255)));
    EXPECT_TRUE(ColorAt(canvas, 50, 10, RGB(0, 0, 0)));
    EXPECT_TRUE(ColorAt(canvas, 150, 15, CZUDPDrawManager::HlsToRgbUnitHue(150 / 200.0, 0.5, 15 / 30.0)));
}

} // namespace
