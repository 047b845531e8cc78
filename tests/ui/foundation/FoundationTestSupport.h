#pragma once
// Helpers of the foundation tests: a 32-bit DIB canvas to draw into and
// read back, and fakes of the optional system entry points.
#include "framework/win/FrameworkWin.h"
#include "ui/foundation/ZUDPFoundationSeams.h"

#include <map>
#include <string>
#include <vector>

namespace foundationtest {

// A top-down 32-bit DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<DWORD*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_previous = ::SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc, m_previous);
        ::DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CDC& Dc() { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Every pixel: the colour with alpha 0.
    void Fill(COLORREF colour)
    {
        ::GdiFlush();
        DWORD pixel = (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | GetBValue(colour);
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = pixel;
    }
    DWORD Raw(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x];
    }
    COLORREF Pixel(int x, int y) const
    {
        DWORD p = Raw(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Alpha(int x, int y) const { return int(Raw(x, y) >> 24); }
    DWORD* Bits() { return m_bits; }

private:
    int m_width, m_height;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    DWORD* m_bits = nullptr;
    CDC m_dc;
};

// Replaces the optional modules for a scope: every module "loads" as a
// handle of its own, the entry points named in the table are the fakes
// given, every other entry point is missing; freed modules are recorded.
class FakeEntryPoints {
public:
    explicit FakeEntryPoints(std::map<std::string, FARPROC> entries)
        : m_entries(std::move(entries)),
          m_load(g_foundationSeams.loadModule,
                 [this](const char* name) {
                     ++m_loads;
                     m_loaded.push_back(reinterpret_cast<HMODULE>(UINT_PTR(0x1000 + 0x10 * m_loads)));
                     (void)name;
                     return m_loaded.back();
                 }),
          m_free(g_foundationSeams.freeModule,
                 [this](HMODULE module) {
                     m_freed.push_back(module);
                     return TRUE;
                 }),
          m_find(g_foundationSeams.findEntry, [this](HMODULE, const char* name) -> FARPROC {
              auto it = m_entries.find(name);
              return it != m_entries.end() ? it->second : nullptr;
          })
    {
    }

    const std::vector<HMODULE>& Loaded() const { return m_loaded; }
    const std::vector<HMODULE>& Freed() const { return m_freed; }

private:
    std::map<std::string, FARPROC> m_entries;
    int m_loads = 0;
    std::vector<HMODULE> m_loaded;
    std::vector<HMODULE> m_freed;
    ScopedSeam<HMODULE(const char*)> m_load;
    ScopedSeam<BOOL(HMODULE)> m_free;
    ScopedSeam<FARPROC(HMODULE, const char*)> m_find;
};

template <typename F>
FARPROC AsEntry(F function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

} // namespace foundationtest
