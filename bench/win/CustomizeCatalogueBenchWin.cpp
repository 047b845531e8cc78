// trov_customize_bench: the customization sheet's command catalogue built
// from a frame's menu (buttons by category, All Commands, menu paths)
// against walking the same menu with GetMenuItemInfo into a std::map of
// command texts; and the time from creating the sheet to the first paint
// of its Commands page.  Run under Wine (headless):
//
//   trov_customize_bench [ROUNDS]      (default 7 rounds)
//
// The catalogue menu: 20 titles of 100 items (2,000 commands).  Goal: 3 or
// less.  Both sides are warmed up first and run in alternating rounds; the
// line gives the median of the rounds' ratios.  The opening uses a menu of
// 500 commands; goal: under 300 ms (median of the rounds).
#include "bench/win/AlternatingRounds.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/customize/ZUDPCustomizePage.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace benchrounds;

HMENU MakeMenu(int nTitles, int nItems)
{
    HMENU hMenu = ::CreateMenu();
    for (int t = 0; t < nTitles; ++t) {
        HMENU hPopup = ::CreatePopupMenu();
        for (int i = 0; i < nItems; ++i) {
            char szText[64];
            std::snprintf(szText, sizeof(szText), "Command &%d of menu %d\tCtrl+%d", i, t, i % 10);
            ::AppendMenuA(hPopup, MF_STRING, UINT_PTR(20000 + t * nItems + i), szText);
        }
        char szTitle[32];
        std::snprintf(szTitle, sizeof(szTitle), "Menu &%d", t);
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, szTitle);
    }
    return hMenu;
}

// The baseline: every item's id and text by GetMenuItemInfo, recursively.
void WalkMenu(HMENU hMenu, std::map<UINT, std::string>& texts)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        char szText[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        if (!::GetMenuItemInfoA(hMenu, UINT(i), TRUE, &info))
            continue;
        if (info.hSubMenu != nullptr)
            WalkMenu(info.hSubMenu, texts);
        else if (info.wID != 0)
            texts[info.wID] = szText;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    HMENU hLarge = MakeMenu(20, 100);
    HMENU hOpening = MakeMenu(10, 50);

    CFrameWnd frame;
    if (!frame.Create(nullptr, "Customized", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 500))) {
        std::printf("the frame could not be made\n");
        return 1;
    }
    frame.m_hMenuDefault = hLarge;

    size_t nCatalogue = 0, nMap = 0;
    auto library = [&] {
        CZUDPToolbarCustomize sheet(&frame, TRUE, 0);
        const CObList* pAll = sheet.GetCategoryButtons(sheet.GetAllCommandsCategory());
        nCatalogue = pAll != nullptr ? size_t(pAll->GetCount()) : 0;
    };
    auto bare = [&] {
        std::map<UINT, std::string> texts;
        WalkMenu(hLarge, texts);
        nMap = texts.size();
    };
    std::printf("customization catalogue of 20 menus x 100 commands, median of %d rounds\n", rounds);
    const Result r = Compare(library, bare, 5, rounds);
    std::printf("%-40s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 3)\n", "catalogue by category, menu paths",
                r.candidate * 1e6, "GetMenuItemInfo into std::map", r.baseline * 1e6, r.ratio);
    std::printf("(%zu catalogue entries, %zu map entries)\n", nCatalogue, nMap);

    // Opening: Create to the first paint of the Commands page (500 commands).
    frame.m_hMenuDefault = hOpening;
    std::vector<double> times;
    for (int round = 0; round < rounds + 2; ++round) {
        const double start = Now();
        CZUDPToolbarCustomize* pSheet = new CZUDPToolbarCustomize(&frame, TRUE, 0);
        if (!pSheet->Create()) {
            std::printf("the sheet could not be made\n");
            return 1;
        }
        pSheet->ShowWindow(SW_SHOWNA);
        pSheet->UpdateWindow();
        pSheet->GetCommandsPage()->UpdateWindow();
        ::GdiFlush();
        const double elapsed = Now() - start;
        if (round >= 2)
            times.push_back(elapsed); // the first two warm up
        pSheet->DestroyWindow();        // deletes the sheet
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s %9.1f ms  (goal < 300 ms; median of %d)\n", "sheet opening, 500 commands",
                times[times.size() / 2] * 1e3, int(times.size()));

    frame.m_hMenuDefault = nullptr;
    frame.DestroyWindow();
    ::DestroyMenu(hLarge);
    ::DestroyMenu(hOpening);
    return 0;
}
