#pragma once
// Helpers of the foundation tests: the drawing canvas as a device context,
// and fakes of the optional system entry points.
#include "framework/win/DC.h"
#include "tests/common/DrawingTest.h"
#include "ui/foundation/ZUDPFoundationSeams.h"

#include <map>
#include <string>
#include <vector>

namespace foundationtest {

// The tests' drawing canvas (a top-down 32-bit DIB section in a memory DC)
// as a framework device context, the form the drawing code takes.  Starts
// white, alpha 0.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : m_dib(width, height)
    {
        m_dc.Attach(m_dib.Dc());
        Fill(fill);
    }
    ~Canvas() { m_dc.Detach(); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CDC& Dc() { return m_dc; }
    int Width() const { return m_dib.Width(); }
    int Height() const { return m_dib.Height(); }
    void Fill(COLORREF colour) { m_dib.Fill(colour); }
    DWORD Raw(int x, int y) const { return m_dib.Bits()[y * m_dib.Width() + x]; }
    COLORREF Pixel(int x, int y) const { return m_dib.Pixel(x, y); }
    int Alpha(int x, int y) const { return m_dib.Alpha(x, y); }
    uint32_t* Bits() { return m_dib.MutableBits(); }
    RECT Rect() const { return m_dib.Rect(); }
    int CountColor(const RECT& rect, COLORREF colour, int tolerance = 0) const
    { return m_dib.CountColor(rect, colour, tolerance); }
    int CountOther(const RECT& rect, COLORREF background, int tolerance = 0) const
    { return m_dib.CountOther(rect, background, tolerance); }
    RECT BoundsOfOther(const RECT& rect, COLORREF background, int tolerance = 0) const
    { return m_dib.BoundsOfOther(rect, background, tolerance); }

private:
    trovtest::DibCanvas m_dib;
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
