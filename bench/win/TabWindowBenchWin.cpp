// trov_tab_bench: the library's tab window against plain GDI and against
// the common tab control, in one run.  Run under Wine (headless):
//
//   trov_tab_bench [ROUNDS]      (default 7 rounds)
//
// Painting: a strip of 40 tabs of style 3 (three-dimensional) and of style
// 4 (slanted), the whole tab window painted into a 32-bit DIB (band, frame,
// tabs and labels through the visual manager), against the same shapes
// drawn with plain GDI: the band and the frame filled and framed, each
// tab's outline with Polygon and its label with DrawText.  Goal: 1.5 or
// less.
// Appending: 200 tabs appended one by one, each laid out, against 200
// items inserted into a common tab control.  Goal: 2 or less.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPTabOutline.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace benchrounds;

const int kPaintTabs = 40;
const int kAppendTabs = 200;

std::string TabLabel(int i) { return "Document " + std::to_string(i + 1); }

// The same shapes as the tab window's strip, with plain GDI.
void PaintTabsPlain(CDC& dc, CZUDPTabWnd& tabs, int style)
{
    CRect client, strip, area;
    tabs.GetClientRect(&client);
    tabs.GetTabStripRect(strip);
    tabs.GetWndArea(area);
    ::FillRect(dc, &client, (HBRUSH)g_uiEnvironment.m_brushBarFace.GetSafeHandle());
    CRect frame(client.left, strip.bottom, client.right, client.bottom);
    ::FrameRect(dc, &frame, (HBRUSH)g_uiEnvironment.m_brushDarkShadow.GetSafeHandle());
    HGDIOBJ oldFont = ::SelectObject(dc, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    for (int i = tabs.GetTabCount() - 1; i >= 0; --i) {
        CRect rect;
        tabs.GetTabRectAt(i, rect);
        POINT points[8];
        int count = 0;
        if (style == 4) {
            GetSlantedTabOutline(rect, TRUE, strip.right, points);
            count = 8;
        } else {
            const POINT box[6] = {{rect.left, rect.bottom},      {rect.left, rect.top + 2},  {rect.left + 2, rect.top},
                                  {rect.right - 2, rect.top},    {rect.right, rect.top + 2}, {rect.right, rect.bottom}};
            std::copy(box, box + 6, points);
            count = 6;
        }
        ::Polygon(dc, points, count);
        CString label;
        tabs.GetTabLabelText(i, label);
        ::DrawTextA(dc, label, label.GetLength(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    ::SelectObject(dc, oldFont);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    ::InitCommonControls();

    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 4000, 120), nullptr, 0)) {
        std::fprintf(stderr, "trov_tab_bench: no window\n");
        return 1;
    }

    std::printf("tab window against plain GDI and the common tab control, median of %d rounds\n", rounds);
    for (int style : {3, 4}) {
        CZUDPTabWnd tabs;
        tabs.CreateWithStyle(style, CRect(0, 0, 4000, 80), &host, 1, TabLocationTop);
        for (int i = 0; i < kPaintTabs; ++i)
            tabs.AppendTab(nullptr, TabLabel(i).c_str());
        tabs.ActivateTab(kPaintTabs / 2);
        Surface surface(4000, 80);
        Result r = Compare([&] { tabs.Paint(&surface.dc); }, [&] { PaintTabsPlain(surface.dc, tabs, style); }, 20, rounds);
        std::printf("%d tabs of style %d painted        %9.1f us  vs Polygon/DrawText %9.1f us  ratio %5.2f  (goal <= 1.5)%s\n",
                    kPaintTabs, style, r.candidate * 1e6, r.baseline * 1e6, r.ratio, r.ratio <= 1.5 ? "" : "  OVER");
        tabs.DestroyWindow();
    }

    CZUDPTabWnd tabs;
    tabs.CreateWithStyle(CZUDPTabWnd::TabStyle3DScrolled, CRect(0, 0, 600, 80), &host, 1, TabLocationTop);
    HWND control = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 80, host.GetSafeHwnd(),
                                     nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(control, WM_SETFONT, WPARAM(g_uiEnvironment.m_fontRegular.GetSafeHandle()), FALSE);
    std::vector<std::string> labels;
    for (int i = 0; i < kAppendTabs; ++i)
        labels.push_back(TabLabel(i));
    auto append = [&] {
        tabs.RemoveEveryTab();
        for (const std::string& label : labels)
            tabs.AppendTab(nullptr, label.c_str());
    };
    auto insert = [&] {
        ::SendMessageA(control, TCM_DELETEALLITEMS, 0, 0);
        for (int i = 0; i < kAppendTabs; ++i) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(labels[size_t(i)].c_str());
            ::SendMessageA(control, TCM_INSERTITEMA, WPARAM(i), LPARAM(&item));
        }
    };
    Result r = Compare(append, insert, 2, rounds);
    std::printf("%d tabs appended with layout      %9.1f us  vs tab control      %9.1f us  ratio %5.2f  (goal <= 2)%s\n",
                kAppendTabs, r.candidate * 1e6, r.baseline * 1e6, r.ratio, r.ratio <= 2 ? "" : "  OVER");

    ::DestroyWindow(control);
    tabs.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
