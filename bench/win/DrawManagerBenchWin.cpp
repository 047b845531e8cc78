// trov_draw_bench: the draw manager and the off-screen surface against
// plain GDI on the same areas, in one run.  Run under Wine (headless):
//
//   trov_draw_bench [ROUNDS]      (default 7 rounds)
//
// On 256x256 and 1024x64 areas of a 32-bit DIB:
//   - FillLinearGradient against GradientFill (goal 1.2 or less);
//   - TintRect and GrayRect against a bare GetDIBits/SetDIBits round trip
//     of the same area (goal 2 or less);
//   - DrawDropShadow of depth 6 without caches against AlphaBlend of a
//     ready shadow bitmap (goal 3 or less), and with filled caches (goal
//     1.2 or less);
//   - a paint through CZUDPMemDC against the same paint straight on the
//     target (goal 1.3 or less), with the system's buffered painting (and
//     that alone, drawing nothing) and with a memory bitmap.
// The target is a DIB section, whose pixels the effects work on in place;
// the gradient, tint and grey are measured again on a device-dependent
// bitmap, where they copy the area out and back.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/WinApp.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace benchrounds;

// A 32-bit top-down DIB section of the area's size in a memory DC.
struct Surface {
    Surface(int w, int h) : width(w), height(h)
    {
        HBITMAP dib = CZUDPDrawManager::Create32BitDibSection(CSize(w, -h), reinterpret_cast<LPVOID*>(&bits));
        bitmap.Attach(dib);
        dc.CreateCompatibleDC(nullptr);
        previous = ::SelectObject(dc, dib);
        for (int i = 0; i < w * h; ++i)
            bits[i] = 0xFF000000u | DWORD(i * 2654435761u >> 8);
    }
    ~Surface() { ::SelectObject(dc, previous); }
    int width, height;
    DWORD* bits = nullptr;
    CBitmap bitmap;
    CDC dc;
    HGDIOBJ previous = nullptr;
};


void Report(const char* area, const char* what, const char* baseline, const Result& r, double goal)
{
    std::printf("%-8s %-36s %9.1f us  vs %-28s %9.1f us  ratio %5.2f  (goal <= %.1f)%s\n", area, what,
                r.candidate * 1e6, baseline, r.baseline * 1e6, r.ratio, goal, r.ratio <= goal ? "" : "  OVER");
}

void RunArea(int w, int h, int rounds, CWnd& window)
{
    char area[32];
    std::snprintf(area, sizeof(area), "%dx%d", w, h);
    const int repetitions = std::max(20, 4000000 / (w * h));
    Surface target(w, h);
    CZUDPDrawManager dm(target.dc);
    const CRect all(0, 0, w, h);

    // Gradient
    TRIVERTEX vertices[2] = {{0, 0, 0x2000, 0x4000, 0xFF00, 0}, {w, h, 0xFF00, 0xC000, 0x1000, 0}};
    GRADIENT_RECT mesh = {0, 1};
    Report(area, "FillLinearGradient", "GradientFill",
           Compare([&] { dm.FillLinearGradient(all, RGB(32, 64, 255), RGB(255, 192, 16), TRUE); },
                   [&] { ::GdiGradientFill(target.dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V); }, repetitions,
                   rounds),
           1.2);

    // Tint and grey against a bare round trip of the pixels
    std::vector<DWORD> buffer(size_t(w) * h);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // The bitmap is taken out of its DC for the round trip, as the calls
    // require.
    HBITMAP targetBitmap = (HBITMAP)target.bitmap.GetSafeHandle();
    auto roundTrip = [&] {
        HGDIOBJ selected = ::SelectObject(target.dc, target.previous);
        int got = ::GetDIBits(target.dc, targetBitmap, 0, h, buffer.data(), &info, DIB_RGB_COLORS);
        int put = ::SetDIBits(target.dc, targetBitmap, 0, h, buffer.data(), &info, DIB_RGB_COLORS);
        ::SelectObject(target.dc, selected);
        if (got != h || put != h)
            std::fprintf(stderr, "round trip failed\n");
    };
    Report(area, "TintRect 80%", "GetDIBits/SetDIBits",
           Compare([&] { dm.TintRect(all, 80); }, roundTrip, repetitions, rounds), 2.0);
    Report(area, "GrayRect", "GetDIBits/SetDIBits",
           Compare([&] { dm.GrayRect(all, 100); }, roundTrip, repetitions, rounds), 2.0);
    {
        // The same on a device-dependent bitmap: the effects cannot reach
        // its pixels and copy the area out and back.
        CDC deviceDC;
        deviceDC.CreateCompatibleDC(&target.dc);
        CBitmap device;
        device.CreateCompatibleBitmap(&target.dc, w, h);
        CBitmap* old = deviceDC.SelectObject(&device);
        deviceDC.BitBlt(0, 0, w, h, &target.dc, 0, 0, SRCCOPY);
        CZUDPDrawManager onDevice(deviceDC);
        HBITMAP deviceBitmap = (HBITMAP)device.GetSafeHandle();
        auto deviceRoundTrip = [&] {
            HGDIOBJ selected = ::SelectObject(deviceDC, (HGDIOBJ)old->GetSafeHandle());
            int got = ::GetDIBits(deviceDC, deviceBitmap, 0, h, buffer.data(), &info, DIB_RGB_COLORS);
            int put = ::SetDIBits(deviceDC, deviceBitmap, 0, h, buffer.data(), &info, DIB_RGB_COLORS);
            ::SelectObject(deviceDC, selected);
            if (got != h || put != h)
                std::fprintf(stderr, "round trip failed\n");
        };
        Report(area, "FillLinearGradient (device bitmap)", "GradientFill",
               Compare([&] { onDevice.FillLinearGradient(all, RGB(32, 64, 255), RGB(255, 192, 16), TRUE); },
                       [&] { ::GdiGradientFill(deviceDC, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V); }, repetitions,
                       rounds),
               1.2);
        Report(area, "TintRect 80% (device bitmap)", "GetDIBits/SetDIBits",
               Compare([&] { onDevice.TintRect(all, 80); }, deviceRoundTrip, repetitions, rounds), 2.0);
        Report(area, "GrayRect (device bitmap)", "GetDIBits/SetDIBits",
               Compare([&] { onDevice.GrayRect(all, 100); }, deviceRoundTrip, repetitions, rounds), 2.0);
        deviceDC.SelectObject(old);
    }

    // Drop shadow of depth 6 around the area less the depth
    const int depth = 6;
    const CRect element(0, 0, w - depth, h - depth);
    HBITMAP shadow = CZUDPDrawManager::CreateShadowSpot(depth, RGB(0, 0, 0), 0, 60);
    Surface ready(w, h);
    if (shadow != nullptr) {
        CDC spotDC;
        spotDC.CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(spotDC, shadow);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(ready.dc, 0, 0, w, h, spotDC, 0, 0, 13, 13, blend);
        ::SelectObject(spotDC, old);
        ::DeleteObject(shadow);
    }
    auto blendReady = [&] {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(target.dc, 0, 0, w, h, ready.dc, 0, 0, w, h, blend);
    };
    Report(area, "DrawDropShadow depth 6", "AlphaBlend of a ready shadow",
           Compare([&] { dm.DrawDropShadow(element, depth, 100, 50); }, blendReady, repetitions, rounds), 3.0);
    CBitmap bottom, side;
    dm.DrawDropShadow(element, depth, 100, 50, &bottom, &side);
    Report(area, "DrawDropShadow depth 6, cached", "AlphaBlend of a ready shadow",
           Compare([&] { dm.DrawDropShadow(element, depth, 100, 50, &bottom, &side); }, blendReady, repetitions,
                   rounds),
           1.2);

    // A control's paint through the off-screen surface
    window.SetWindowPos(nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    auto paint = [&](CDC& dc) {
        dc.FillSolidRect(CRect(0, 0, w, h), RGB(240, 240, 240));
        for (int y = 2; y < h; y += 16) {
            dc.FillSolidRect(CRect(2, y, w - 2, y + 12), RGB(200, 220, 255));
            dc.TextOut(4, y, "Item text", 9);
        }
    };
    Report(area, "paint through CZUDPMemDC", "paint on the target",
           Compare(
               [&] {
                   CZUDPMemDC memDC(target.dc, &window);
                   paint(memDC.GetDC());
               },
               [&] { paint(target.dc); }, std::max(10, repetitions / 4), rounds),
           1.3);
    if (g_uiEnvironment.m_beginBufferedPaint != nullptr && g_uiEnvironment.m_endBufferedPaint != nullptr) {
        // What the system's buffered painting costs by itself, with nothing
        // drawn: the floor of the line above.
        Report(area, "BeginBufferedPaint/End, no drawing", "paint on the target",
               Compare(
                   [&] {
                       HDC buffered = nullptr;
                       CRect whole(0, 0, w, h);
                       HPAINTBUFFER paintBuffer = g_uiEnvironment.m_beginBufferedPaint(
                           target.dc.GetSafeHdc(), &whole, BPBF_TOPDOWNDIB, nullptr, &buffered);
                       if (paintBuffer != nullptr)
                           g_uiEnvironment.m_endBufferedPaint(paintBuffer, TRUE);
                   },
                   [&] { paint(target.dc); }, std::max(10, repetitions / 4), rounds),
               1.3);
    }
    {
        // The same with the system's buffered painting left out: the
        // compatible-bitmap path.
        auto begin = g_uiEnvironment.m_beginBufferedPaint;
        g_uiEnvironment.m_beginBufferedPaint = nullptr;
        Report(area, "paint through CZUDPMemDC (bitmap)", "paint on the target",
               Compare(
                   [&] {
                       CZUDPMemDC memDC(target.dc, &window);
                       paint(memDC.GetDC());
                   },
                   [&] { paint(target.dc); }, std::max(10, repetitions / 4), rounds),
               1.3);
        g_uiEnvironment.m_beginBufferedPaint = begin;
    }
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    CWnd window;
    if (!window.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 256, 256), nullptr, 0)) {
        std::fprintf(stderr, "trov_draw_bench: no window\n");
        return 1;
    }
    std::printf("draw manager and off-screen surface against plain GDI, median of %d rounds\n", rounds);
    RunArea(256, 256, rounds, window);
    RunArea(1024, 64, rounds, window);
    window.DestroyWindow();
    return 0;
}
