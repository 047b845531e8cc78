#include "tests/common/DrawingTest.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace trovtest {

namespace {

// GDI writes alpha 0 into a 32-bit DIB; a pixel still holding this value
// after a window was asked to paint was not painted by it.
const uint32_t kUnpainted = 0xFE123457u;

COLORREF FromPixel(uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

uint32_t ToPixel(COLORREF colour)
{
    return ((uint32_t)GetRValue(colour) << 16) | ((uint32_t)GetGValue(colour) << 8) | GetBValue(colour);
}

bool PixelNear(uint32_t pixel, COLORREF colour, int tolerance)
{
    return ColorNear(FromPixel(pixel), colour, tolerance);
}

} // namespace

DibCanvas::DibCanvas(int width, int height) : m_width(std::max(width, 0)), m_height(std::max(height, 0))
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    if (m_width > 0 && m_height > 0)
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_bitmap != nullptr) {
        m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
        m_bits = static_cast<uint32_t*>(bits);
        Fill(RGB(255, 255, 255));
    }
}

DibCanvas::~DibCanvas()
{
    if (m_oldBitmap != nullptr)
        ::SelectObject(m_dc, m_oldBitmap);
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    if (m_dc != nullptr)
        ::DeleteDC(m_dc);
}

void DibCanvas::Fill(COLORREF colour)
{
    if (m_bits == nullptr)
        return;
    ::GdiFlush();
    std::fill(m_bits, m_bits + (size_t)m_width * m_height, ToPixel(colour));
}

const uint32_t* DibCanvas::Bits() const
{
    ::GdiFlush();
    return m_bits;
}

uint32_t* DibCanvas::MutableBits()
{
    ::GdiFlush();
    return m_bits;
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    if (m_bits == nullptr || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    return FromPixel(Bits()[(size_t)y * m_width + x]);
}

BYTE DibCanvas::Alpha(int x, int y) const
{
    if (m_bits == nullptr || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return (BYTE)(Bits()[(size_t)y * m_width + x] >> 24);
}

RECT DibCanvas::Clip(const RECT& rect) const
{
    RECT clipped = {std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, m_width),
                    std::min<LONG>(rect.bottom, m_height)};
    if (m_bits == nullptr || clipped.left >= clipped.right || clipped.top >= clipped.bottom)
        return RECT{0, 0, 0, 0};
    return clipped;
}

std::vector<std::pair<COLORREF, int>> DibCanvas::Histogram(const RECT& rect) const
{
    RECT r = Clip(rect);
    const uint32_t* bits = Bits();
    std::unordered_map<uint32_t, int> counts;
    std::vector<uint32_t> order; // first appearance, for stable ties
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            uint32_t pixel = bits[(size_t)y * m_width + x] & 0xFFFFFFu;
            if (counts[pixel]++ == 0)
                order.push_back(pixel);
        }
    }
    std::vector<std::pair<COLORREF, int>> histogram;
    for (uint32_t pixel : order)
        histogram.emplace_back(FromPixel(pixel), counts[pixel]);
    std::stable_sort(histogram.begin(), histogram.end(),
                     [](const std::pair<COLORREF, int>& a, const std::pair<COLORREF, int>& b) { return a.second > b.second; });
    return histogram;
}

COLORREF DibCanvas::DominantColor(const RECT& rect) const
{
    std::vector<std::pair<COLORREF, int>> histogram = Histogram(rect);
    return histogram.empty() ? CLR_INVALID : histogram.front().first;
}

int DibCanvas::CountColor(const RECT& rect, COLORREF colour, int tolerance) const
{
    RECT r = Clip(rect);
    const uint32_t* bits = Bits();
    int count = 0;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            count += PixelNear(bits[(size_t)y * m_width + x], colour, tolerance) ? 1 : 0;
    return count;
}

int DibCanvas::CountOther(const RECT& rect, COLORREF background, int tolerance) const
{
    RECT r = Clip(rect);
    return (int)((r.right - r.left) * (r.bottom - r.top)) - CountColor(r, background, tolerance);
}

RECT DibCanvas::BoundsOfOther(const RECT& rect, COLORREF background, int tolerance) const
{
    RECT r = Clip(rect);
    const uint32_t* bits = Bits();
    RECT bounds = {r.right, r.bottom, r.left, r.top};
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            if (PixelNear(bits[(size_t)y * m_width + x], background, tolerance))
                continue;
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    }
    if (bounds.left >= bounds.right)
        return RECT{0, 0, 0, 0};
    return bounds;
}

bool DibCanvas::SaveBmp(const char* path) const
{
    if (m_bits == nullptr)
        return false;
    const int stride = (m_width * 3 + 3) & ~3;
    std::vector<unsigned char> rows((size_t)stride * m_height, 0);
    const uint32_t* bits = Bits();
    for (int y = 0; y < m_height; ++y) {
        // Rows bottom-up, each pixel blue, green, red.
        unsigned char* row = &rows[(size_t)(m_height - 1 - y) * stride];
        for (int x = 0; x < m_width; ++x) {
            uint32_t pixel = bits[(size_t)y * m_width + x];
            row[x * 3] = (unsigned char)pixel;
            row[x * 3 + 1] = (unsigned char)(pixel >> 8);
            row[x * 3 + 2] = (unsigned char)(pixel >> 16);
        }
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = m_width;
    info.biHeight = m_height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + (DWORD)rows.size();
    FILE* out = fopen(path, "wb");
    if (out == nullptr)
        return false;
    bool written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
                   fwrite(rows.data(), rows.size(), 1, out) == 1;
    return fclose(out) == 0 && written;
}

namespace {

std::vector<uint32_t> Pixels(const DibCanvas& canvas)
{
    return std::vector<uint32_t>(canvas.Bits(), canvas.Bits() + (size_t)canvas.Width() * canvas.Height());
}

// Copies a rectangle between canvases: source point `from`, destination
// rectangle `to`.
void Copy(const DibCanvas& source, POINT from, DibCanvas& target, const RECT& to)
{
    ::BitBlt(target.Dc(), to.left, to.top, to.right - to.left, to.bottom - to.top, source.Dc(), from.x, from.y,
             SRCCOPY);
    ::GdiFlush();
}

// One window's own drawing on a canvas of its own, the window's origin at
// the canvas's 0,0 and nothing else set in the DC: controls map their
// client rectangle through the DC (DPtoLP) to clip themselves, which goes
// wrong with a shifted viewport.  The canvas starts with what lies under
// the window, so whatever the window leaves unpainted shows that.  Each
// request goes through the window procedure (and every subclass of it):
// derived controls paint part of their look while erasing.
bool PaintOwn(HWND window, DibCanvas& own, UINT flags)
{
    std::vector<uint32_t> before = Pixels(own);
    std::fill(own.MutableBits(), own.MutableBits() + before.size(), kUnpainted);
    auto ask = [&](UINT message, LPARAM lParam) {
        int saved = ::SaveDC(own.Dc());
        ::SendMessageA(window, message, (WPARAM)own.Dc(), lParam);
        ::RestoreDC(own.Dc(), saved);
        ::GdiFlush();
    };
    if (flags & PRF_NONCLIENT) {
        ask(WM_PRINT, PRF_NONCLIENT);
    } else {
        ask(WM_ERASEBKGND, 0);
        std::vector<uint32_t> erased = Pixels(own);
        ask(WM_PRINTCLIENT, PRF_CLIENT);
        // Windows that paint only between BeginPaint and EndPaint ignore
        // WM_PRINTCLIENT; common controls also take a DC with WM_PAINT.
        if (Pixels(own) == erased)
            ask(WM_PAINT, 0);
        if (Pixels(own) == erased)
            ask(WM_PRINT, PRF_CLIENT);
    }
    bool painted = false;
    uint32_t* bits = own.MutableBits();
    for (size_t i = 0; i < before.size(); ++i) {
        if (bits[i] == kUnpainted)
            bits[i] = before[i];
        else
            painted = true;
    }
    return painted;
}

// The window drawn on the canvas with its client's top-left at `origin`,
// within `clip` (canvas coordinates), then its visible children.
bool RenderTree(HWND window, DibCanvas& canvas, POINT origin, const RECT& clip)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    RECT onCanvas = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    RECT area = {};
    if (!::IntersectRect(&area, &onCanvas, &clip))
        return false;

    DibCanvas own(client.right, client.bottom);
    if (!own.IsValid())
        return false;
    Copy(canvas, origin, own, own.Rect());
    bool painted = PaintOwn(window, own, PRF_CLIENT);
    Copy(own, POINT{area.left - origin.x, area.top - origin.y}, canvas, area);

    // Children bottom of the z-order first, so the top ones end up on top.
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!(::GetWindowLongA(*it, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT childClient = ClientRectIn(*it, window);
        ::OffsetRect(&childClient, origin.x, origin.y);
        // The child's frame (border, client edge, scroll bars), where the
        // window draws it for WM_PRINT.
        RECT frame = {};
        ::GetWindowRect(*it, &frame);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
        ::OffsetRect(&frame, origin.x, origin.y);
        RECT frameArea = {};
        if (!::EqualRect(&frame, &childClient) && ::IntersectRect(&frameArea, &frame, &area)) {
            DibCanvas outer(frame.right - frame.left, frame.bottom - frame.top);
            if (outer.IsValid()) {
                Copy(canvas, POINT{frame.left, frame.top}, outer, outer.Rect());
                painted = PaintOwn(*it, outer, PRF_NONCLIENT) || painted;
                Copy(outer, POINT{frameArea.left - frame.left, frameArea.top - frame.top}, canvas, frameArea);
            }
        }
        painted = RenderTree(*it, canvas, POINT{childClient.left, childClient.top}, area) || painted;
    }
    return painted;
}

} // namespace

RECT ClientRectIn(HWND window, HWND ancestor)
{
    RECT rect = {};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, ancestor, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool RenderWindow(HWND window, DibCanvas& canvas)
{
    if (window == nullptr || !::IsWindow(window) || !canvas.IsValid())
        return false;
    return RenderTree(window, canvas, POINT{0, 0}, canvas.Rect());
}

bool CaptureWindow(HWND window, DibCanvas& canvas)
{
    if (window == nullptr || !::IsWindowVisible(window) || !canvas.IsValid())
        return false;
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client = {};
    ::GetClientRect(window, &client);
    HDC dc = ::GetDC(window);
    if (dc == nullptr)
        return false;
    BOOL copied = ::BitBlt(canvas.Dc(), 0, 0, std::min<LONG>(client.right, canvas.Width()),
                           std::min<LONG>(client.bottom, canvas.Height()), dc, 0, 0, SRCCOPY);
    ::ReleaseDC(window, dc);
    ::GdiFlush();
    return copied != FALSE;
}

bool ColorNear(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs((int)GetRValue(a) - (int)GetRValue(b)) <= tolerance &&
           std::abs((int)GetGValue(a) - (int)GetGValue(b)) <= tolerance &&
           std::abs((int)GetBValue(a) - (int)GetBValue(b)) <= tolerance;
}

std::string ColorText(COLORREF colour)
{
    if (colour == CLR_INVALID)
        return "none";
    char text[16];
    snprintf(text, sizeof text, "0x%06lX", (unsigned long)(colour & 0xFFFFFF));
    return text;
}

::testing::AssertionResult ColorAt(const DibCanvas& canvas, int x, int y, COLORREF expected, int tolerance)
{
    COLORREF actual = canvas.Pixel(x, y);
    if (actual != CLR_INVALID && ColorNear(actual, expected, tolerance))
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "at (" << x << ", " << y << ") expected " << ColorText(expected);
    if (tolerance > 0)
        failure << " (within " << tolerance << ")";
    if (actual == CLR_INVALID)
        failure << ", but the point is off the " << canvas.Width() << " x " << canvas.Height() << " canvas";
    else
        failure << ", actual " << ColorText(actual);
    return failure;
}

namespace {

HFONT OrDefault(HFONT font)
{
    return font != nullptr ? font : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

} // namespace

SIZE MeasureText(HFONT font, const char* text)
{
    SIZE size = {};
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, OrDefault(font));
    ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return size;
}

TEXTMETRIC MeasureFont(HFONT font)
{
    TEXTMETRIC metrics = {};
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, OrDefault(font));
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return metrics;
}

} // namespace trovtest
