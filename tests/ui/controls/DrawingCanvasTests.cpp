// The drawing-test helpers themselves: where RenderWindow puts a window and
// its children on the canvas, which paint paths it reaches, and what the
// colour assertions report.
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <string>

using trovtest::ColorAt;
using trovtest::DibCanvas;
using trovtest::RenderWindow;

namespace {

const COLORREF kBody = RGB(10, 200, 30);
const COLORREF kMark = RGB(250, 20, 90);

// How a test window paints: only for WM_PRINTCLIENT; for WM_PAINT, into the
// DC the message carries if any (as common controls do); only between
// BeginPaint and EndPaint, which no memory DC can catch; or never.
enum class Painter { PrintClient, PaintWithDc, BeginPaintOnly, Nothing };

LRESULT CALLBACK PaintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Painter painter = (Painter)::GetWindowLongPtrA(window, GWLP_USERDATA);
    auto paint = [window](HDC dc) {
        RECT client;
        ::GetClientRect(window, &client);
        HBRUSH body = ::CreateSolidBrush(kBody), mark = ::CreateSolidBrush(kMark);
        ::FillRect(dc, &client, body);
        RECT corner = {client.right - 4, client.bottom - 4, client.right, client.bottom};
        ::FillRect(dc, &corner, mark);
        ::DeleteObject(body);
        ::DeleteObject(mark);
    };
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        if (painter == Painter::PrintClient)
            paint((HDC)wParam);
        return 0;
    case WM_PAINT: {
        if (painter == Painter::PaintWithDc && wParam != 0) {
            paint((HDC)wParam);
            return 0;
        }
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        if (painter == Painter::BeginPaintOnly || painter == Painter::PaintWithDc)
            paint(dc);
        ::EndPaint(window, &ps);
        return 0;
    }
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

const char* PainterClass()
{
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PaintingProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "TrovDrawingTestPainter";
        return ::RegisterClassA(&wc);
    }();
    return atom != 0 ? "TrovDrawingTestPainter" : nullptr;
}

HWND MakePainter(Painter painter, HWND parent, int x, int y, int width, int height)
{
    DWORD style = parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    HWND window = ::CreateWindowExA(0, PainterClass(), "", style, x, y, width, height, parent, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)painter);
    return window;
}

class DrawingCanvasTest : public ::testing::Test {
protected:
    void SetUp() override { trovtest::InitFrameworkForTests(); }
    void TearDown() override
    {
        if (m_window != nullptr)
            ::DestroyWindow(m_window);
    }
    HWND m_window = nullptr;
};

TEST_F(DrawingCanvasTest, ACanvasReadsBackWhatGdiDrew)
{
    DibCanvas canvas(40, 30);
    ASSERT_TRUE(canvas.IsValid());
    EXPECT_TRUE(ColorAt(canvas, 0, 0, RGB(255, 255, 255)));
    canvas.Fill(kBody);
    RECT mark = {5, 6, 15, 10};
    HBRUSH brush = ::CreateSolidBrush(kMark);
    ::FillRect(canvas.Dc(), &mark, brush);
    ::DeleteObject(brush);

    EXPECT_TRUE(ColorAt(canvas, 5, 6, kMark));
    EXPECT_TRUE(ColorAt(canvas, 14, 9, kMark));
    EXPECT_TRUE(ColorAt(canvas, 15, 9, kBody)); // right and bottom edges are outside
    EXPECT_TRUE(ColorAt(canvas, 14, 10, kBody));
    EXPECT_EQ(0, canvas.Alpha(5, 6));
    // Rows are top-down: row 6 starts 6 * width pixels in.
    EXPECT_EQ(0x00FA145Au, canvas.Bits()[6 * 40 + 5]);
    EXPECT_EQ(kBody, canvas.DominantColor(canvas.Rect()));
    EXPECT_EQ(kMark, canvas.DominantColor(RECT{4, 5, 12, 10})); // 28 marked pixels of 40
    EXPECT_EQ(40, canvas.CountColor(canvas.Rect(), kMark));
    EXPECT_EQ(40, canvas.CountOther(canvas.Rect(), kBody));
    RECT bounds = canvas.BoundsOfOther(canvas.Rect(), kBody);
    EXPECT_TRUE(::EqualRect(&bounds, &mark));
    EXPECT_EQ(CLR_INVALID, canvas.DominantColor(RECT{50, 50, 60, 60}));
}

TEST_F(DrawingCanvasTest, ColorAtNamesThePointAndBothColours)
{
    DibCanvas canvas(8, 8);
    canvas.Fill(RGB(0x12, 0x34, 0x56));
    EXPECT_TRUE(ColorAt(canvas, 3, 3, RGB(0x14, 0x32, 0x56), 2));
    ::testing::AssertionResult wrong = ColorAt(canvas, 3, 4, RGB(0xFF, 0, 0));
    EXPECT_FALSE(wrong);
    EXPECT_STREQ("at (3, 4) expected 0x0000FF, actual 0x563412", wrong.message());
    ::testing::AssertionResult off = ColorAt(canvas, 8, 0, RGB(0x12, 0x34, 0x56));
    EXPECT_FALSE(off);
    EXPECT_NE(std::string::npos, std::string(off.message()).find("off the 8 x 8 canvas")) << off.message();
}

TEST_F(DrawingCanvasTest, EveryPaintPathLandsAtTheWindowsPlace)
{
    struct Case {
        Painter painter;
        bool drawn;
    } cases[] = {{Painter::PrintClient, true},
                 {Painter::PaintWithDc, true},
                 {Painter::BeginPaintOnly, false},
                 {Painter::Nothing, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE((int)c.painter);
        m_window = MakePainter(c.painter, nullptr, 0, 0, 30, 20);
        ASSERT_NE(nullptr, m_window);
        DibCanvas canvas(40, 30);
        canvas.Fill(RGB(255, 255, 255));
        EXPECT_EQ(c.drawn, RenderWindow(m_window, canvas));
        COLORREF body = c.drawn ? kBody : RGB(255, 255, 255);
        EXPECT_TRUE(ColorAt(canvas, 0, 0, body));
        EXPECT_TRUE(ColorAt(canvas, 29, 19, c.drawn ? kMark : body));
        // Outside the client area the canvas keeps what it had.
        EXPECT_TRUE(ColorAt(canvas, 30, 19, RGB(255, 255, 255)));
        EXPECT_TRUE(ColorAt(canvas, 29, 20, RGB(255, 255, 255)));
        ::DestroyWindow(m_window);
        m_window = nullptr;
    }
}

TEST_F(DrawingCanvasTest, ChildrenAreDrawnOverTheParentAndClippedToIt)
{
    m_window = MakePainter(Painter::PrintClient, nullptr, 0, 0, 50, 40);
    HWND inner = MakePainter(Painter::PaintWithDc, m_window, 10, 5, 20, 10);
    // Reaches past the parent's right edge: only its left part shows.
    HWND past = MakePainter(Painter::PrintClient, m_window, 40, 20, 30, 10);
    HWND hidden = MakePainter(Painter::PrintClient, m_window, 0, 30, 10, 10);
    ::ShowWindow(hidden, SW_HIDE);
    ASSERT_TRUE(inner != nullptr && past != nullptr && hidden != nullptr);

    DibCanvas canvas(80, 50);
    ASSERT_TRUE(RenderWindow(m_window, canvas));
    // The children paint the same body colour; their corner marks show
    // where each one went.
    EXPECT_TRUE(ColorAt(canvas, 29, 14, kMark));
    EXPECT_TRUE(ColorAt(canvas, 30, 15, kBody));
    EXPECT_TRUE(ColorAt(canvas, 49, 39, kMark)); // the parent's own mark
    EXPECT_TRUE(ColorAt(canvas, 49, 29, kBody)); // the clipped child's mark is past the edge
    EXPECT_TRUE(ColorAt(canvas, 50, 25, RGB(255, 255, 255)));
    EXPECT_TRUE(ColorAt(canvas, 9, 39, kBody)); // not the hidden child's mark
    EXPECT_EQ(4 * 4 * 2, canvas.CountColor(canvas.Rect(), kMark));
}

TEST_F(DrawingCanvasTest, TextIsMeasuredWithTheFontItIsDrawnIn)
{
    LOGFONTA big = {};
    big.lfHeight = -40;
    lstrcpyA(big.lfFaceName, "Arial");
    HFONT font = ::CreateFontIndirectA(&big);
    TEXTMETRIC bigMetrics = trovtest::MeasureFont(font);
    TEXTMETRIC guiMetrics = trovtest::MeasureFont(nullptr);
    // A negative height asks for the character height (cell less leading).
    EXPECT_NEAR(40, bigMetrics.tmHeight - bigMetrics.tmInternalLeading, 1);
    EXPECT_GT(bigMetrics.tmHeight, guiMetrics.tmHeight);
    SIZE wide = trovtest::MeasureText(font, "WWWW"), narrow = trovtest::MeasureText(font, "iiii");
    EXPECT_GT(wide.cx, narrow.cx);
    EXPECT_EQ(bigMetrics.tmHeight, wide.cy);

    // The drawn text's ink stays inside the measured box.
    DibCanvas canvas(wide.cx + 20, wide.cy + 20);
    HGDIOBJ old = ::SelectObject(canvas.Dc(), font);
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    ::TextOutA(canvas.Dc(), 10, 10, "WWWW", 4);
    ::SelectObject(canvas.Dc(), old);
    ::DeleteObject(font);
    RECT ink = canvas.BoundsOfOther(canvas.Rect(), RGB(255, 255, 255));
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, 10 + wide.cx + 1);
    EXPECT_LE(ink.bottom, 10 + wide.cy);
    EXPECT_GT(ink.right - ink.left, wide.cx / 2);
}

// Controls clip their painting to their client rectangle mapped through
// the DC: each one must get a DC whose origin is its own, whatever its
// place in the parent.
TEST_F(DrawingCanvasTest, StandardControlsDrawAtTheirPlacesInTheParent)
{
    m_window = ::CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 300, 160, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, m_window);
    HFONT font = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    struct Control {
        const char *className, *text;
        DWORD style;
        RECT place;
    } controls[] = {{"STATIC", "A label", 0, {10, 90, 90, 110}},
                    {"BUTTON", "Check", BS_AUTOCHECKBOX, {100, 50, 180, 76}},
                    {"BUTTON", "Press", BS_PUSHBUTTON, {10, 50, 90, 76}},
                    {"EDIT", "typed", 0, {10, 10, 160, 30}}};
    for (const Control& c : controls) {
        HWND control = ::CreateWindowExA(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.place.left,
                                         c.place.top, c.place.right - c.place.left, c.place.bottom - c.place.top,
                                         m_window, nullptr, nullptr, nullptr);
        ::SendMessageA(control, WM_SETFONT, (WPARAM)font, 0);
    }
    // Some controls paint only while visible; without a display that costs
    // nothing.
    ::ShowWindow(m_window, SW_SHOWNA);
    DibCanvas canvas(300, 160);
    ASSERT_TRUE(RenderWindow(m_window, canvas));
    for (const Control& c : controls) {
        SCOPED_TRACE(c.text);
        COLORREF background = canvas.DominantColor(c.place);
        RECT ink = canvas.BoundsOfOther(c.place, background);
        ASSERT_LT(ink.left, ink.right) << "nothing drawn at the control's place";
        RECT inside = {};
        EXPECT_TRUE(::IntersectRect(&inside, &ink, &c.place) && ::EqualRect(&inside, &ink));
    }
    // The label's ink is its text, as wide as measured at most.
    RECT label = canvas.BoundsOfOther(controls[0].place, canvas.DominantColor(controls[0].place));
    EXPECT_LE(label.right - label.left, trovtest::MeasureText(font, "A label").cx);
    EXPECT_GE(label.right - label.left, trovtest::MeasureText(font, "A label").cx / 2);
}

} // namespace
