// trov_vm_bench: painting through the visual manager against plain GDI on
// the same rectangles, in one run.  Run under Wine (headless):
//
//   trov_vm_bench [ROUNDS]      (default 7 rounds)
//
// One paint is 1,000 elements on a 640x480 32-bit DIB, 200 of each kind:
// bar backgrounds, raised toolbar-button borders, checked check boxes,
// bar separators and glyph arrows.  The manager paints them with
// FillBarBackground, DrawButtonBorder, DrawCheckBoxEx, DrawSeparator and
// DrawShowAllButtonArrow; the baseline paints the same rectangles with
// FillRect, DrawEdge and ImageList_Draw (a bar-face fill; a raised inner
// edge; a window-colour fill in a sunken edge with a check image; an
// etched edge; an arrow image).  Goal: 1.5 or less.
// Both sides are warmed up first and run in alternating rounds; the line
// gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace benchrounds;


// A 9 x 9 image list with one black mark on a transparent ground: the
// baseline's stand-in for a menu glyph.
HIMAGELIST MakeGlyphList(const char* rows[9])
{
    HIMAGELIST list = ::ImageList_Create(9, 9, ILC_COLOR32 | ILC_MASK, 1, 0);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 9, 9);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ::SetPixel(dc, x, y, rows[y][x] == '#' ? RGB(0, 0, 0) : RGB(255, 0, 255));
    ::SelectObject(dc, old);
    ::ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    ::InitCommonControls();

    // The bar the backgrounds and separators belong to, docked in a window.
    CWnd host;
    if (!host.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 640, 480), nullptr, 0)) {
        std::fprintf(stderr, "trov_vm_bench: no window\n");
        return 1;
    }
    CZUDPToolBar bar;
    bar.Create(nullptr, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 640, 24), &host, 1);
    CZUDPToolbarButton button;

    LPVOID bits = nullptr;
    HBITMAP dib = CZUDPDrawManager::Create32BitDibSection(CSize(640, -480), &bits);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, dib);

    static const char* check[9] = {"........#", ".......##", "......###", "#....###.", "##..###..",
                                   "#####....", ".###.....", "..#......", "........."};
    static const char* arrow[9] = {".........", "#.......#", "##.....##", ".##...##.", "..##.##..",
                                   "#..###..#", "##..#..##", ".##...##.", "..##.##.."};
    HIMAGELIST checkList = MakeGlyphList(check);
    HIMAGELIST arrowList = MakeGlyphList(arrow);

    // 1,000 cells of 32 x 24 pixels in rows of 20, the kinds interleaved.
    std::vector<CRect> cells;
    for (int i = 0; i < 1000; ++i) {
        int column = i % 20, row = i / 20;
        cells.push_back(CRect(column * 32, (row % 20) * 24, column * 32 + 32, (row % 20) * 24 + 24));
    }

    CZUDPVisualManager* vm = CZUDPVisualManager::GetActiveManager();
    int only = -1;  // one kind of element, or all of them
    auto throughManager = [&] {
        for (size_t i = 0; i < cells.size(); ++i) {
            CRect rect = cells[i];
            if (only >= 0 && int(i % 5) != only)
                continue;
            switch (i % 5) {
            case 0:
                vm->FillBarBackground(&dc, &bar, rect, rect);
                break;
            case 1:
                vm->DrawButtonBorder(&dc, &button, rect, 2);
                break;
            case 2:
                vm->DrawCheckBoxEx(&dc, CRect(rect.left + 4, rect.top + 4, rect.left + 19, rect.top + 19), 1, FALSE,
                                   FALSE, TRUE);
                break;
            case 3:
                vm->DrawSeparator(&dc, &bar, CRect(rect.left, rect.top, rect.left + 7, rect.bottom), TRUE);
                break;
            case 4:
                vm->DrawShowAllButtonArrow(&dc, rect);
                break;
            }
        }
    };
    auto plain = [&] {
        for (size_t i = 0; i < cells.size(); ++i) {
            CRect rect = cells[i];
            if (only >= 0 && int(i % 5) != only)
                continue;
            switch (i % 5) {
            case 0:
                ::FillRect(dc, &rect, (HBRUSH)g_uiEnvironment.m_brushBarFace.GetSafeHandle());
                break;
            case 1:
                ::DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
                break;
            case 2: {
                CRect box(rect.left + 4, rect.top + 4, rect.left + 19, rect.top + 19);
                ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
                ::FillRect(dc, &box, (HBRUSH)g_uiEnvironment.m_brushWindow.GetSafeHandle());
                ::ImageList_Draw(checkList, 0, dc, box.left + (box.Width() - 9) / 2, box.top + (box.Height() - 9) / 2,
                                 ILD_TRANSPARENT);
                break;
            }
            case 3: {
                CRect strip(rect.left + 2, rect.top, rect.left + 4, rect.bottom);
                ::DrawEdge(dc, &strip, EDGE_ETCHED, BF_LEFT);
                break;
            }
            case 4:
                ::ImageList_Draw(arrowList, 0, dc, rect.left + (rect.Width() - 9) / 2,
                                 rect.top + (rect.Height() - 9) / 2, ILD_TRANSPARENT);
                break;
            }
        }
    };

    std::printf("visual manager against plain GDI, 1,000 mixed elements per paint, median of %d rounds\n", rounds);
    Result r = Compare(throughManager, plain, 20, rounds);
    std::printf("%-40s %9.1f us  vs %-32s %9.1f us  ratio %5.2f  (goal <= 1.5)%s\n", "1,000 elements through the manager",
                r.candidate * 1e6, "FillRect/DrawEdge/ImageList_Draw", r.baseline * 1e6, r.ratio,
                r.ratio <= 1.5 ? "" : "  OVER");
    // Each kind alone, to show where the time goes.
    static const char* const kinds[5] = {"200 bar backgrounds", "200 button borders", "200 check boxes",
                                         "200 separators", "200 glyph arrows"};
    for (only = 0; only < 5; ++only) {
        Result k = Compare(throughManager, plain, 20, rounds);
        std::printf("  %-38s %9.1f us  vs %9.1f us  ratio %5.2f\n", kinds[only], k.candidate * 1e6,
                    k.baseline * 1e6, k.ratio);
    }

    ::ImageList_Destroy(checkList);
    ::ImageList_Destroy(arrowList);
    ::SelectObject(dc, previous);
    ::DeleteObject(dib);
    bar.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
