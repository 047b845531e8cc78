// trov_menubar_bench: the menu bar switching between two menus (the
// outgoing buttons stored in the menu hash, the incoming ones loaded from
// it, the bar laid out and painted) against the frame's native menu
// switched with SetMenu and DrawMenuBar.  Run under Wine (headless):
//
//   trov_menubar_bench [ROUNDS]      (default 7 rounds)
//
// The menus: 10 titles of 20 items each.  One repetition switches to the
// second menu and back on both sides.  Goal: 3 or less.  Both sides are
// warmed up first (every menu has its snapshot) and run in alternating
// rounds; the line gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/docking/ZUDPFrameWnd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace benchrounds;

const int kTitles = 10;
const int kItems = 20;

HMENU MakeMenu(const char* prefix, UINT uiFirst)
{
    HMENU hMenu = ::CreateMenu();
    for (int t = 0; t < kTitles; ++t) {
        HMENU hPopup = ::CreatePopupMenu();
        for (int i = 0; i < kItems; ++i) {
            char szText[64];
            std::snprintf(szText, sizeof(szText), "%s item &%d\tCtrl+%d", prefix, i, i % 10);
            ::AppendMenuA(hPopup, MF_STRING, UINT_PTR(uiFirst + UINT(t * kItems + i)), szText);
        }
        char szTitle[32];
        std::snprintf(szTitle, sizeof(szTitle), "%s &%d", prefix, t);
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, szTitle);
    }
    return hMenu;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    HMENU hFirst = MakeMenu("Doc", 30000);
    HMENU hSecond = MakeMenu("Tool", 31000);
    HMENU hNativeFirst = MakeMenu("Doc", 30000);
    HMENU hNativeSecond = MakeMenu("Tool", 31000);

    CZUDPFrameWnd frame;
    CZUDPMenuBar bar;
    CFrameWnd native;
    if (!frame.Create(nullptr, "Menu bar", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 300)) ||
        !native.Create(nullptr, "Native menu", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 300))) {
        std::printf("the frames could not be made\n");
        return 1;
    }
    ::SetMenu(frame.m_hWnd, hFirst);
    if (!bar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 70)) {
        std::printf("the menu bar could not be made\n");
        return 1;
    }
    bar.SetWindowPos(nullptr, 0, 0, 900, 24, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetMenu(native.m_hWnd, hNativeFirst);

    auto library = [&] {
        bar.CreateFromMenu(hSecond);
        bar.UpdateWindow();
        bar.CreateFromMenu(hFirst);
        bar.UpdateWindow();
    };
    auto bare = [&] {
        ::SetMenu(native.m_hWnd, hNativeSecond);
        ::DrawMenuBar(native.m_hWnd);
        ::SetMenu(native.m_hWnd, hNativeFirst);
        ::DrawMenuBar(native.m_hWnd);
    };

    std::printf("menu switches between two menus of %d titles x %d items, median of %d rounds\n", kTitles, kItems,
                rounds);
    const Result r = Compare(library, bare, 20, rounds);
    std::printf("%-40s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 3)\n", "menu bar: hash store, load, layout",
                r.candidate * 1e6, "SetMenu + DrawMenuBar", r.baseline * 1e6, r.ratio);
    bar.DestroyWindow();
    frame.DestroyWindow();
    ::SetMenu(native.m_hWnd, nullptr);
    native.DestroyWindow();
    for (HMENU h : {hFirst, hSecond, hNativeFirst, hNativeSecond})
        ::DestroyMenu(h);
    return 0;
}
