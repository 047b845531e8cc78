// trov_colorbar_bench: painting a colour popup's bar and the image
// editor's magnified grid against plain GDI on the same data.  Run under
// Wine (headless):
//
//   trov_colorbar_bench [ROUNDS]      (default 7 rounds)
//
//   - colour bar: a popup bar of 64 colours with the automatic and the
//     other-colour rows painted into a memory DC, against FillRect and
//     FrameRect of the same 64 cells and DrawText of the two rows (goal 2
//     or less);
//   - image editor: the paint area of a 16 x 15 bitmap painted again,
//     against FillRect of the same 240 cells (goal 2 or less).
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/customize/ZUDPImageEditDlg.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Report(const char* name, const benchrounds::Result& result)
{
    std::printf("%-14s library %8.1f us   plain GDI %8.1f us   ratio %.2f\n", name, result.candidate * 1e6,
                result.baseline * 1e6, result.ratio);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP, CRect(0, 0, 400, 400), nullptr, 0);

    // The colour popup's bar: 64 colours in 8 columns, automatic and other.
    CArray<COLORREF, COLORREF> colours;
    for (int i = 0; i < 64; ++i)
        colours.Add(RGB((i * 37) & 0xFF, (i * 91) & 0xFF, (i * 53) & 0xFF));
    CZUDPColorBar bar(colours, colours[10], "Automatic", "More Colors...", nullptr, CList<COLORREF, COLORREF>(), 8, 0,
                      0, RGB(0, 0, 0), 1000);
    bar.CreateBar(&host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 1);
    const CSize sizeBar = bar.CalcSize(FALSE);
    bar.SetWindowPos(nullptr, 0, 0, sizeBar.cx, sizeBar.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    bar.PositionButtons();
    benchrounds::Surface barTarget(sizeBar.cx, sizeBar.cy);

    // The plain cells: the same rectangles, filled, framed, two texts.
    CRect rectAutomatic, rectOther;
    CArray<CRect, const CRect&> cells;
    for (int i = 0; i < bar.GetCount(); ++i) {
        CZUDPToolbarButton* pButton = bar.GetButtonAt(i);
        if (pButton->rect.IsRectEmpty() || pButton->IsSeparator())
            continue;
        if (i == 0)
            rectAutomatic = pButton->rect;
        else if (pButton->text == "More Colors...")
            rectOther = pButton->rect;
        else
            cells.Add(pButton->rect);
    }
    CBrush frameBrush;
    frameBrush.CreateSolidBrush(g_uiEnvironment.m_colorBarShadow);
    CBrush cellBrushes[64];
    for (int i = 0; i < 64; ++i)
        cellBrushes[i].CreateSolidBrush(colours[i]);
    auto barPaint = [&] { bar.PaintBar(&barTarget.dc); };
    auto barPlain = [&] {
        CDC& dc = barTarget.dc;
        dc.FillRect(CRect(CPoint(0, 0), sizeBar), &g_uiEnvironment.m_brushBarFace);
        for (INT_PTR i = 0; i < cells.GetSize() && i < 64; ++i) {
            CRect rect = cells[i];
            rect.DeflateRect(2, 2);
            dc.FillRect(&rect, &cellBrushes[i]);
            dc.FrameRect(&rect, &frameBrush);
        }
        dc.SetBkMode(TRANSPARENT);
        HGDIOBJ hOld = dc.SelectObject(g_uiEnvironment.m_fontRegular.GetSafeHandle());
        CRect rectText = rectAutomatic;
        dc.DrawText("Automatic", &rectText, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
        rectText = rectOther;
        dc.DrawText("More Colors...", &rectText, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
        dc.SelectObject(hOld);
    };

    // The image editor's paint area of a 16 x 15 bitmap.
    const int kArea = 182;
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, kArea, kArea,
                                     host.GetSafeHwnd(), HMENU(2), nullptr, nullptr);
    CImagePaintArea area(nullptr);
    area.SubclassWindow(hButton);
    CBitmap bitmap;
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, 16, 15);
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap* pOld = memory.SelectObject(&bitmap);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                memory.SetPixel(x, y, RGB(x * 16, y * 17, (x + y) * 8));
        memory.SelectObject(pOld);
    }
    area.SetBitmap(&bitmap);
    const CSize cell = area.GetCellSize();
    benchrounds::Surface areaTarget(kArea, kArea);
    const CRect rectArea(0, 0, kArea, kArea);
    auto areaPaint = [&] { area.PaintArea(&areaTarget.dc, rectArea); };
    auto areaPlain = [&] {
        CDC& dc = areaTarget.dc;
        dc.FillRect(&rectArea, &g_uiEnvironment.m_brushButtonFace);
        for (int x = 0; x < 16; ++x) {
            for (int y = 0; y < 15; ++y) {
                CRect rect(1 + x * cell.cx, 1 + y * cell.cy, 1 + (x + 1) * cell.cx, 1 + (y + 1) * cell.cy);
                rect.DeflateRect(1, 1);
                CBrush brush;
                brush.CreateSolidBrush(RGB(x * 16, y * 17, (x + y) * 8));
                dc.FillRect(&rect, &brush);
            }
        }
    };

    std::printf("colour bar of %d colours (%d x %d), image editor grid 16 x 15 in %d x %d; median of %d rounds\n",
                int(colours.GetSize()), int(sizeBar.cx), int(sizeBar.cy), kArea, kArea, rounds);
    Report("colour bar", benchrounds::Compare(barPaint, barPlain, 200, rounds));
    Report("image editor", benchrounds::Compare(areaPaint, areaPlain, 200, rounds));
    area.UnsubclassWindow();
    ::DestroyWindow(hButton);
    bar.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
