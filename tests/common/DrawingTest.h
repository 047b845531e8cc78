#pragma once
// Windows tests of what a window or control draws, without a display:
// render the window through its own paint code into a 32-bit DIB section
// and read the pixels.  Expected colours come from what the control or the
// system says (GetSysColor, the control's own colour queries), expected
// sizes from measured font metrics and item rectangles, never from pixels
// copied off one Windows version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace trovtest {

// Plain colours that drawing tests paint with and expect.
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit top-down DIB section selected into a memory DC.  Pixel (x, y)
// is Bits()[y * Width() + x], 0xAARRGGBB; GDI leaves alpha at 0.  The DC
// starts with the DIB's default font and the canvas filled with white.
class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // False when the DIB section could not be made (every read then
    // answers black).
    bool IsValid() const { return m_bits != nullptr; }

    // Every pixel becomes the colour, alpha 0.
    void Fill(COLORREF colour);
    // The colour at a point as a COLORREF (alpha ignored); CLR_INVALID off
    // the canvas.  Flushes GDI first.
    COLORREF Pixel(int x, int y) const;
    BYTE Alpha(int x, int y) const;
    const uint32_t* Bits() const;
    uint32_t* MutableBits();

    // The most frequent colour in the rectangle (clipped to the canvas;
    // ties go to the colour met first); CLR_INVALID for an empty rectangle.
    COLORREF DominantColor(const RECT& rect) const;
    // How many pixels of the rectangle are within the tolerance of the
    // colour (each channel at most that far).
    int CountColor(const RECT& rect, COLORREF colour, int tolerance = 0) const;
    // How many pixels of the rectangle are further than the tolerance from
    // the colour: what was drawn over a known background.
    int CountOther(const RECT& rect, COLORREF background, int tolerance = 0) const;
    // The smallest rectangle holding every pixel further than the tolerance
    // from the colour; empty (all zero) when there is none.
    RECT BoundsOfOther(const RECT& rect, COLORREF background, int tolerance = 0) const;
    // The distinct colours of the rectangle, most frequent first.
    std::vector<std::pair<COLORREF, int>> Histogram(const RECT& rect) const;
    // Writes the canvas as a 24-bit BMP file (to look at what a failing
    // test saw); false when it could not be written.
    bool SaveBmp(const char* path) const;
    // The whole canvas as a rectangle.
    RECT Rect() const { return RECT{0, 0, m_width, m_height}; }

private:
    RECT Clip(const RECT& rect) const;

    int m_width = 0, m_height = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    uint32_t* m_bits = nullptr;
};

// Renders the client area of the window, with its visible child windows at
// their places, into the canvas (the client's top-left corner at 0,0).
// Each window paints on a DIB of its own whose origin is the window's
// (controls clip themselves through the DC's mapping, so a shifted viewport
// would cut them off), then lands on the canvas clipped to its parent: it
// gets WM_ERASEBKGND and WM_PRINTCLIENT (PRF_CLIENT) through its whole
// subclass chain, so the framework's handlers and custom draw run.  A
// window that paints nothing for WM_PRINTCLIENT is asked again with
// WM_PAINT carrying the DC (common controls take it), then with WM_PRINT;
// one that paints only between BeginPaint and EndPaint stays unrendered.
// Children's frames are drawn where the child draws them for WM_PRINT
// (PRF_NONCLIENT); Wine's themed edit draws its client edge only in
// WM_NCPAINT, on the screen.  Some controls paint only while visible (Wine's
// combo box text): show the top-level window with SW_SHOWNA first, which
// costs nothing without a display.  True when anything at all was drawn.
bool RenderWindow(HWND window, DibCanvas& canvas);

// The window painted for real (WM_PAINT through BeginPaint, its children
// too) and its client area copied from its own DC into the canvas, for
// what a control draws only when it paints itself: Wine's header control
// draws the arrows of its items' sort format bits only then.  The window
// must be visible (SW_SHOWNA); under Wine's null display driver window
// surfaces are memory, so this works without a display as well.  False
// when the window is hidden or nothing could be copied.
bool CaptureWindow(HWND window, DibCanvas& canvas);

// A rectangle of a window's client area in the client coordinates of one
// of its ancestors (where RenderWindow puts it on the canvas).
RECT ClientRectIn(HWND window, HWND ancestor);

// Each channel of the two colours at most the tolerance apart.
bool ColorNear(COLORREF a, COLORREF b, int tolerance);
// "0xBBGGRR", as COLORREF values are written.
std::string ColorText(COLORREF colour);

// Asserts the canvas's colour at a point; the message names the point, the
// expected and the actual colour.
::testing::AssertionResult ColorAt(const DibCanvas& canvas, int x, int y, COLORREF expected, int tolerance = 0);

// Text extents and font metrics as GDI measures them for the font (null:
// the system's default GUI font), so tests compute sizes instead of
// assuming them.
SIZE MeasureText(HFONT font, const char* text);
TEXTMETRIC MeasureFont(HFONT font);

} // namespace trovtest
