// trov_button_bench: the library's themed buttons painting themselves
// against the platform's buttons printing themselves, in one run.  Run
// under Wine (headless):
//
//   trov_button_bench [ROUNDS]      (default 7 rounds)
//
// One paint is 500 buttons of 56 x 22 in a grid of 25 columns on a
// 1400 x 480 32-bit DIB: a quarter each push buttons, check boxes
// (every other one checked), radio buttons (every other one checked) and
// push buttons with a 16 x 16 image.  Each button gets WM_PRINTCLIENT with
// the DIB's DC, its origin moved to the button's place; the library's
// buttons paint through the visual manager and their off-screen surface,
// the platform's (the common controls' buttons, visual style on) through
// their own code.  Goal: 3 or less.  Both sides are warmed up first and run
// in alternating rounds; the line gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPDrawManager.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace benchrounds;

const int kButtons = 500, kColumns = 25, kWidth = 56, kHeight = 22;

HBITMAP MakeImage()
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16}, inner = {3, 3, 13, 13};
    HBRUSH grey = ::CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0)), red = ::CreateSolidBrush(RGB(200, 40, 40));
    ::FillRect(dc, &all, grey);
    ::FillRect(dc, &inner, red);
    ::DeleteObject(grey);
    ::DeleteObject(red);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

DWORD KindStyle(int i)
{
    switch (i % 4) {
    case 1:
        return BS_AUTOCHECKBOX;
    case 2:
        return BS_AUTORADIOBUTTON;
    default:
        return BS_PUSHBUTTON;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "buttons", WS_POPUP, 0, 0, 1400, 480, nullptr, nullptr)) {
        std::fprintf(stderr, "trov_button_bench: no window\n");
        return 1;
    }
    HBITMAP image = MakeImage();
    std::vector<std::unique_ptr<CZUDPButton>> themed;
    std::vector<HWND> platform;
    std::vector<CPoint> places;
    for (int i = 0; i < kButtons; ++i) {
        const CPoint place((i % kColumns) * kWidth, (i / kColumns) * kHeight);
        places.push_back(place);
        const CRect rect(place, CSize(kWidth, kHeight));
        const DWORD style = WS_CHILD | WS_VISIBLE | KindStyle(i);
        // Every other radio starts a group of its own, so that both states
        // show.
        const DWORD group = (i % 8 == 2) ? WS_GROUP : 0;
        themed.emplace_back(new CZUDPButton);
        themed.back()->Create("Button", style | group, rect, &host, 100 + i);
        HWND hPlatform = ::CreateWindowA("BUTTON", "Button", style | group, rect.left, rect.top, rect.Width(),
                                         rect.Height(), host.m_hWnd, (HMENU)(INT_PTR)(1000 + i), nullptr, nullptr);
        platform.push_back(hPlatform);
        if (i % 4 == 1 || i % 4 == 2) {
            const WPARAM check = (i / 4) % 2 == 0 ? BST_CHECKED : BST_UNCHECKED;
            themed.back()->SetCheck((int)check);
            ::SendMessageA(hPlatform, BM_SETCHECK, check, 0);
        } else if (i % 4 == 3) {
            themed.back()->SetImage(image, FALSE);
            ::SendMessageA(hPlatform, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)image);
        }
    }
    // Both kinds sit at the same places; the platform's are hidden behind
    // nothing: WM_PRINTCLIENT paints whether shown or not.

    LPVOID bits = nullptr;
    HBITMAP dib = CZUDPDrawManager::Create32BitDibSection(CSize(1400, -480), &bits);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, dib);

    int only = -1;  // one kind of button, or all of them
    auto print = [&](auto windowOf) {
        for (int i = 0; i < kButtons; ++i) {
            if (only >= 0 && i % 4 != only)
                continue;
            ::SetViewportOrgEx(dc, places[i].x, places[i].y, nullptr);
            ::SendMessageA(windowOf(i), WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT);
        }
        ::SetViewportOrgEx(dc, 0, 0, nullptr);
    };
    auto library = [&] { print([&](int i) { return themed[i]->m_hWnd; }); };
    auto system = [&] { print([&](int i) { return platform[i]; }); };

    std::printf("library buttons against platform buttons, %d buttons per paint, median of %d rounds\n", kButtons,
                rounds);
    const Result r = Compare(library, system, 5, rounds);
    std::printf("%-40s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 3)%s\n", "500 library buttons",
                r.candidate * 1e6, "500 platform buttons", r.baseline * 1e6, r.ratio, r.ratio <= 3 ? "" : "  OVER");

    // Each kind alone, to show where the time goes.
    static const char* const kinds[4] = {"125 push buttons", "125 check boxes", "125 radio buttons",
                                         "125 buttons with an image"};
    for (only = 0; only < 4; ++only) {
        const Result k = Compare(library, system, 5, rounds);
        std::printf("  %-38s %9.1f us  vs %9.1f us  ratio %5.2f\n", kinds[only], k.candidate * 1e6,
                    k.baseline * 1e6, k.ratio);
    }

    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    themed.clear();
    host.DestroyWindow();
    ::DeleteObject(image);
    return 0;
}
