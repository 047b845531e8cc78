// trov_toolbar_bench: the library's toolbar against the common-controls
// toolbar, in one run.  Run under Wine (headless):
//
//   trov_toolbar_bench [ROUNDS]      (default 7 rounds)
//
// Layout and paint: 200 image buttons placed (PositionButtons) and the bar
// painted into a 32-bit DIB through its paint routine, against a common
// toolbar with the same 200 buttons and the same images in an image list
// sized (TB_AUTOSIZE) and printed (WM_PRINTCLIENT) into the same DIB.
// Goal: 2 or less.
// Mouse: 10,000 mouse moves across the bar (hot tracking, status prompts)
// against the same moves over the common toolbar.  Goal: 1.5 or less.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace benchrounds;

const int kButtons = 200;
const int kImages = 8;
const int kMoves = 10000;
const int kBarWidth = 5200;

// Eight 16 x 15 images on the light grey transparent colour.
HBITMAP MakeStrip()
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 16 * kImages;
    info.bmiHeader.biHeight = 15;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    HBITMAP hStrip = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hStrip);
    const RECT all = {0, 0, 16 * kImages, 15};
    HBRUSH hGrey = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FillRect(hDC, &all, hGrey);
    ::DeleteObject(hGrey);
    for (int i = 0; i < kImages; ++i) {
        HBRUSH hBrush = ::CreateSolidBrush(RGB(40 * i, 200 - 20 * i, 120));
        const RECT cell = {16 * i + 2, 2, 16 * i + 14, 13};
        ::FillRect(hDC, &cell, hBrush);
        ::DeleteObject(hBrush);
    }
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hStrip;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, kBarWidth, 80), nullptr, 0)) {
        std::fprintf(stderr, "trov_toolbar_bench: no window\n");
        return 1;
    }
    HBITMAP hStrip = MakeStrip();

    // The library's toolbar: the images appended to the shared strip.
    g_sharedToolbarImages.SetImageSize(CSize(16, 15));
    g_sharedToolbarImages.SetTransparentColor(RGB(192, 192, 192));
    const int nFirst = g_sharedToolbarImages.AppendBitmap(hStrip) - (kImages - 1);
    CZUDPToolBar bar;
    if (!bar.CreateBar(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 1)) {
        std::fprintf(stderr, "trov_toolbar_bench: no toolbar\n");
        return 1;
    }
    for (int i = 0; i < kButtons; ++i)
        bar.InsertButton(new CZUDPToolbarButton(UINT(1000 + i), nFirst + i % kImages, nullptr, FALSE, TRUE));
    bar.SetWindowPos(nullptr, 0, 0, kBarWidth, 30, SWP_NOZORDER | SWP_NOACTIVATE);

    // The common toolbar with the same buttons and images.
    HWND common = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                    WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER,
                                    0, 40, kBarWidth, 30, host.GetSafeHwnd(), nullptr, ::GetModuleHandleA(nullptr),
                                    nullptr);
    HIMAGELIST hImages = ImageList_Create(16, 15, ILC_COLOR24 | ILC_MASK, kImages, 0);
    ImageList_AddMasked(hImages, hStrip, RGB(192, 192, 192));
    ::SendMessageA(common, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(common, TB_SETIMAGELIST, 0, LPARAM(hImages));
    TBBUTTON buttons[kButtons] = {};
    for (int i = 0; i < kButtons; ++i) {
        buttons[i].iBitmap = i % kImages;
        buttons[i].idCommand = 1000 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    ::SendMessageA(common, TB_ADDBUTTONS, kButtons, LPARAM(buttons));

    std::printf("toolbar against the common toolbar, median of %d rounds\n", rounds);
    Surface surface(kBarWidth, 30);
    Result paint = Compare(
        [&] {
            bar.PositionButtons();
            bar.PaintBar(&surface.dc);
        },
        [&] {
            ::SendMessageA(common, TB_AUTOSIZE, 0, 0);
            ::SendMessageA(common, WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
        },
        10, rounds);
    std::printf("%d buttons laid out and painted   %9.1f us  vs common toolbar  %9.1f us  ratio %5.2f  (goal <= 2)%s\n",
                kButtons, paint.candidate * 1e6, paint.baseline * 1e6, paint.ratio, paint.ratio <= 2 ? "" : "  OVER");

    // Mouse moves across both bars, three pixels apart, wrapping at the
    // end of the buttons.
    CRect rectLast;
    bar.GetItemRect(kButtons - 1, &rectLast);
    const int nSpan = std::max(1, int(rectLast.right));
    auto moves = [nSpan](HWND hWnd) {
        for (int i = 0; i < kMoves; ++i) {
            const int x = (i * 3) % nSpan;
            ::SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, 10));
        }
    };
    Result mouse = Compare([&] { moves(bar.GetSafeHwnd()); }, [&] { moves(common); }, 1, rounds);
    std::printf("%d mouse moves                  %9.1f us  vs common toolbar  %9.1f us  ratio %5.2f  (goal <= 1.5)%s\n",
                kMoves, mouse.candidate * 1e6, mouse.baseline * 1e6, mouse.ratio, mouse.ratio <= 1.5 ? "" : "  OVER");

    ::DestroyWindow(common);
    ImageList_Destroy(hImages);
    bar.DestroyWindow();
    host.DestroyWindow();
    ::DeleteObject(hStrip);
    return 0;
}
