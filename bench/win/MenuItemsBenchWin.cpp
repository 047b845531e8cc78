// trov_menuitems_bench: a menu button taking the items of a 500-item menu
// (CreateFromMenu: one sub-item object per item with its command, text,
// state and default flag) against a bare walk that asks the system for the
// same of every item (GetMenuItemInfo with id, state, type and text) and
// keeps the texts.  Run under Wine (headless):
//
//   trov_menuitems_bench [ROUNDS]      (default 7 rounds)
//
// The menu: 500 string items "Command &N\tCtrl+N", every tenth disabled,
// every fiftieth starting a column, item 7 the default.  Goal: 3 or less.
// Both sides are warmed up first and run in alternating rounds; the line
// gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace benchrounds;

const int kItems = 500;

HMENU MakeMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
        char szText[64];
        std::snprintf(szText, sizeof(szText), "Command &%d\tCtrl+%d", i, i % 10);
        UINT uiFlags = MF_STRING;
        if (i % 10 == 9)
            uiFlags |= MF_GRAYED;
        if (i % 50 == 49)
            uiFlags |= MF_MENUBREAK;
        ::AppendMenuA(hMenu, uiFlags, UINT_PTR(1000 + i), szText);
    }
    ::SetMenuDefaultItem(hMenu, 1007, FALSE);
    return hMenu;
}

struct BareItem {
    UINT id;
    UINT state;
    UINT type;
    std::string text;
};

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    HMENU hMenu = MakeMenu();

    CZUDPToolbarMenuButton button;
    auto library = [&] { button.CreateFromMenu(hMenu); };
    std::vector<BareItem> items;
    auto bare = [&] {
        items.clear();
        const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
        (void)uiDefault;
        const int nCount = ::GetMenuItemCount(hMenu);
        for (int i = 0; i < nCount; ++i) {
            char szText[256] = "";
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
            info.dwTypeData = szText;
            info.cch = sizeof(szText) - 1;
            ::GetMenuItemInfoA(hMenu, UINT(i), TRUE, &info);
            items.push_back({info.wID, info.fState, info.fType, szText});
        }
    };

    std::printf("menu items from a %d-item menu, median of %d rounds\n", kItems, rounds);
    const Result r = Compare(library, bare, 20, rounds);
    std::printf("%-40s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 3)\n", "CreateFromMenu, 500 items",
                r.candidate * 1e6, "GetMenuItemInfo walk", r.baseline * 1e6, r.ratio);
    ::DestroyMenu(hMenu);
    return 0;
}
