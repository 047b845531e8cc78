// trov_popupmenu_bench: the library's popup menu against plain windows and
// bare menu calls, in one run.  Run under Wine (headless):
//
//   trov_popupmenu_bench [ROUNDS]      (default 7 rounds)
//
// Opening: a 40-item popup created, filled from its menu handle, laid out
// on its monitor and painted once into a 32-bit DIB (frame through the
// visual manager, then the bar with its rows), then closed, against a
// plain WS_POPUP window created, 40 rows painted with FillRect and
// DrawText into the same DIB, and destroyed.  No animation.  Goals: 3 or
// less, and under 10 ms.
// Building: the items of a 500-item menu built by the bar, against a bare
// GetMenuItemInfo walk that reads the same fields.  Goal: 3 or less.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace benchrounds;

const int kOpenItems = 40;
const int kBuildItems = 500;

HMENU MenuOf(int nItems)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < nItems; ++i) {
        const std::string text = "Command number " + std::to_string(i + 1) + "\tCtrl+" + std::to_string(i % 10);
        if (i % 10 == 9)
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuA(hMenu, MF_STRING | (i % 7 == 3 ? MF_GRAYED : 0), UINT(1000 + i), text.c_str());
    }
    return hMenu;
}

void OpenPopup(CWnd& host, HMENU hMenu, Surface& surface)
{
    auto* pPopup = new CZUDPPopupMenu;
    if (!pPopup->CreatePopup(&host, 10, 10, CopyMenuHandle(hMenu), FALSE, TRUE))
        return;
    pPopup->DrawMenuFrame(&surface.dc);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    pPopup->ScreenToClient(&rectBar);
    const int nSaved = ::SaveDC(surface.dc);
    ::SetViewportOrgEx(surface.dc, rectBar.left, rectBar.top, nullptr);
    pBar->PaintBar(&surface.dc);
    ::RestoreDC(surface.dc, nSaved);
    pPopup->DestroyWindow();   // deletes itself
}

// The same rows with plain GDI in a plain popup window.
void OpenPlain(HMENU hMenu, Surface& surface)
{
    HWND hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 10, 10, 220, kOpenItems * 20, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    HGDIOBJ oldFont = ::SelectObject(surface.dc, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    ::SetBkMode(surface.dc, TRANSPARENT);
    CRect rect(0, 0, 220, 20);
    for (int i = 0; i < kOpenItems; ++i) {
        char szText[128] = "";
        ::GetMenuStringA(hMenu, UINT(i), szText, sizeof(szText), MF_BYPOSITION);
        ::FillRect(surface.dc, &rect, (HBRUSH)g_uiEnvironment.m_brushBarFace.GetSafeHandle());
        ::DrawTextA(surface.dc, szText, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
        rect.OffsetRect(0, 20);
    }
    ::SelectObject(surface.dc, oldFont);
    ::DestroyWindow(hWnd);
}

// The fields the bar reads, with no items made.
int WalkMenu(HMENU hMenu)
{
    int nSum = 0;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        char szText[1025] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(MENUITEMINFOA);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = sizeof(szText) - 1;
        if (::GetMenuItemInfoA(hMenu, UINT(i), TRUE, &info))
            nSum += int(info.wID) + int(::GetMenuState(hMenu, UINT(i), MF_BYPOSITION)) + int(std::string(szText).size());
    }
    return nSum;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    g_menuSoundsEnabled = FALSE;
    g_menuAnimation = 0;

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0)) {
        std::fprintf(stderr, "trov_popupmenu_bench: no window\n");
        return 1;
    }
    std::printf("popup menus against plain windows and bare menu calls, median of %d rounds\n", rounds);

    HMENU hOpen = MenuOf(kOpenItems);
    Surface surface(400, 1000);
    Result r = Compare([&] { OpenPopup(host, hOpen, surface); }, [&] { OpenPlain(hOpen, surface); }, 5, rounds);
    std::printf("%d-item popup opened and painted %9.1f us  vs plain window     %9.1f us  ratio %5.2f  (goal <= 3, < 10 ms)%s\n",
                kOpenItems, r.candidate * 1e6, r.baseline * 1e6, r.ratio,
                r.ratio <= 3 && r.candidate < 0.010 ? "" : "  OVER");

    HMENU hBuild = MenuOf(kBuildItems);
    CZUDPPopupMenuBar bar;
    volatile int nSink = 0;
    r = Compare([&] { bar.BuildItemsFromMenu(hBuild, TRUE); }, [&] { nSink = nSink + WalkMenu(hBuild); }, 3, rounds);
    std::printf("%d items built from a menu       %9.1f us  vs GetMenuItemInfo   %9.1f us  ratio %5.2f  (goal <= 3)%s\n",
                kBuildItems, r.candidate * 1e6, r.baseline * 1e6, r.ratio, r.ratio <= 3 ? "" : "  OVER");

    ::DestroyMenu(hOpen);
    ::DestroyMenu(hBuild);
    host.DestroyWindow();
    return 0;
}
