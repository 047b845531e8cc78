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

// The pixels of one rectangle of the canvas, to put back what a window
// left unpainted.
std::vector<uint32_t> Save(const DibCanvas& canvas, const RECT& r)
{
    std::vector<uint32_t> saved;
    const uint32_t* bits = canvas.Bits();
    for (LONG y = r.top; y < r.bottom; ++y)
        saved.insert(saved.end(), bits + (size_t)y * canvas.Width() + r.left, bits + (size_t)y * canvas.Width() + r.right);
    return saved;
}

void FillUnpainted(DibCanvas& canvas, const RECT& r)
{
    uint32_t* bits = canvas.MutableBits();
    for (LONG y = r.top; y < r.bottom; ++y)
        std::fill(bits + (size_t)y * canvas.Width() + r.left, bits + (size_t)y * canvas.Width() + r.right, kUnpainted);
}

bool AnyPainted(const DibCanvas& canvas, const RECT& r)
{
    const uint32_t* bits = canvas.Bits();
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            if (bits[(size_t)y * canvas.Width() + x] != kUnpainted)
                return true;
    return false;
}

// Pixels the window left unpainted get back what was there before it.
void RestoreUnpainted(DibCanvas& canvas, const RECT& r, const std::vector<uint32_t>& saved)
{
    uint32_t* bits = canvas.MutableBits();
    size_t i = 0;
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x, ++i) {
            uint32_t& pixel = bits[(size_t)y * canvas.Width() + x];
            if (pixel == kUnpainted)
                pixel = saved[i];
        }
    }
}

// One paint request on the canvas's DC with the window's client origin at
// `origin` and drawing clipped to `area` (canvas coordinates).
void Ask(HWND window, DibCanvas& canvas, POINT origin, const RECT& area, UINT message, WPARAM wParam, LPARAM lParam)
{
    HDC dc = canvas.Dc();
    int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    ::SendMessageA(window, message, wParam, lParam);
    ::RestoreDC(dc, saved);
    ::GdiFlush();
}

bool RenderTree(HWND window, DibCanvas& canvas, POINT origin, const RECT& parentArea)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    RECT onCanvas = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    RECT area = {};
    if (!::IntersectRect(&area, &onCanvas, &parentArea))
        return false;

    HDC dc = canvas.Dc();
    std::vector<uint32_t> before = Save(canvas, area);
    FillUnpainted(canvas, area);
    // Through the window procedure (and every subclass of it), not the
    // control's internal erase: derived controls paint part of their look
    // while erasing.
    Ask(window, canvas, origin, area, WM_ERASEBKGND, (WPARAM)dc, 0);
    std::vector<uint32_t> erased = Save(canvas, area);
    Ask(window, canvas, origin, area, WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT);
    bool painted = Save(canvas, area) != erased;
    // Windows that paint only between BeginPaint and EndPaint ignore
    // WM_PRINTCLIENT; common controls also take a DC with WM_PAINT.
    if (!painted) {
        Ask(window, canvas, origin, area, WM_PAINT, (WPARAM)dc, 0);
        painted = Save(canvas, area) != erased;
    }
    if (!painted) {
        Ask(window, canvas, origin, area, WM_PRINT, (WPARAM)dc, PRF_CLIENT);
        painted = Save(canvas, area) != erased;
    }
    painted = AnyPainted(canvas, area);
    RestoreUnpainted(canvas, area, before);

    // Children bottom of the z-order first, so the top ones end up on top.
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!(::GetWindowLongA(*it, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT childClient = ClientRectIn(*it, window);
        POINT childOrigin = {origin.x + childClient.left, origin.y + childClient.top};
        // The child's frame (border, client edge) is drawn by WM_PRINT's
        // non-client part, at the window's own origin.
        RECT frame = {};
        ::GetWindowRect(*it, &frame);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
        ::OffsetRect(&frame, origin.x, origin.y);
        RECT frameArea = {};
        if (::IntersectRect(&frameArea, &frame, &area) && !::EqualRect(&frame, &childClient)) {
            POINT frameOrigin = {frame.left, frame.top};
            Ask(*it, canvas, frameOrigin, frameArea, WM_PRINT, (WPARAM)dc, PRF_NONCLIENT);
        }
        painted = RenderTree(*it, canvas, childOrigin, area) || painted;
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
