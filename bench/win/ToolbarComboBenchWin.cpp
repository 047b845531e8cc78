// trov_combo_bench: the toolbar's flat combo buttons against the
// platform's combo boxes, in one run.  Run under Wine (headless):
//
//   trov_combo_bench [ROUNDS]      (default 7 rounds)
//
// Painting: a toolbar of 20 flat combo buttons (drop-down lists of 120
// pixels with a selected item) paints itself into a 32-bit DIB through its
// paint routine (WM_PRINTCLIENT), against 20 platform combo boxes of the
// same size and content printing themselves (WM_PRINT, client and frame)
// into the same DIB at the same places.  Goal: 2 or less.
//
// Sorted adding: 5,000 distinct texts in a fixed random order go into an
// empty combo button with AddSortedItem (its model, no window), against
// CB_ADDSTRING into an empty CBS_SORT platform combo box.  Goal: 1.5 or
// less.  Both sides are warmed up first and run in alternating rounds; the
// lines give the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"
#include "ui/foundation/ZUDPDrawManager.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace benchrounds;

const int kCombos = 20, kComboWidth = 120, kItems = 5000;

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    CWnd host;
    const int nWidth = kCombos * (kComboWidth + 4) + 20;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "combos", WS_POPUP, 0, 0, nWidth, 200, nullptr, nullptr)) {
        std::fprintf(stderr, "trov_combo_bench: no window\n");
        return 1;
    }
    CZUDPToolBar bar;
    if (!bar.CreateEx(0, AfxRegisterWndClass(0), "Toolbar", WS_CHILD | WS_VISIBLE, CRect(0, 0, nWidth, 30), &host,
                      100)) {
        std::fprintf(stderr, "trov_combo_bench: no toolbar\n");
        return 1;
    }
    bar.ReplaceBarStyle(CBRS_ALIGN_TOP);
    std::vector<HWND> platform;
    for (int i = 0; i < kCombos; ++i) {
        auto* pButton = new CZUDPToolbarComboBoxButton(UINT(0x7500 + i), -1, CBS_DROPDOWNLIST, kComboWidth);
        for (const char* item : {"Normal", "Heading 1", "Heading 2", "Quote"})
            pButton->AddItem(item);
        pButton->SelectItem(i % 4, FALSE);
        bar.InsertButton(pButton);
    }
    bar.PositionButtons();
    for (int i = 0; i < kCombos; ++i) {
        const CZUDPToolbarComboBoxButton* pButton =
            static_cast<const CZUDPToolbarComboBoxButton*>(bar.GetButtonAt(i));
        const CRect rect = pButton->GetComboRect();
        HWND hCombo = ::CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, rect.left, rect.top,
                                      rect.Width(), 150, host.m_hWnd, (HMENU)(INT_PTR)(1000 + i), nullptr, nullptr);
        for (const char* item : {"Normal", "Heading 1", "Heading 2", "Quote"})
            ::SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)item);
        ::SendMessageA(hCombo, CB_SETCURSEL, i % 4, 0);
        ::SendMessageA(hCombo, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
        platform.push_back(hCombo);
    }

    LPVOID bits = nullptr;
    HBITMAP dib = CZUDPDrawManager::Create32BitDibSection(CSize(nWidth, -40), &bits);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, dib);

    auto library = [&] { bar.SendMessage(WM_PRINTCLIENT, (WPARAM)dc, PRF_CLIENT); };
    auto system = [&] {
        for (HWND hCombo : platform) {
            RECT rect;
            ::GetWindowRect(hCombo, &rect);
            ::MapWindowPoints(nullptr, host.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
            ::SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
            ::SendMessageA(hCombo, WM_PRINT, (WPARAM)dc, PRF_CLIENT | PRF_NONCLIENT);
        }
        ::SetViewportOrgEx(dc, 0, 0, nullptr);
    };
    std::printf("toolbar combo buttons against platform combo boxes, median of %d rounds\n", rounds);
    const Result paint = Compare(library, system, 20, rounds);
    std::printf("%-40s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 2)%s\n", "bar of 20 flat combos",
                paint.candidate * 1e6, "20 combo boxes (WM_PRINT)", paint.baseline * 1e6, paint.ratio,
                paint.ratio <= 2 ? "" : "  OVER");

    // 5,000 distinct texts in a fixed random order.
    std::vector<std::string> texts;
    for (int i = 0; i < kItems; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "Item %05d", (i * 7919) % kItems);
        texts.push_back(text);
    }
    std::mt19937 random(35);
    std::shuffle(texts.begin(), texts.end(), random);
    HWND hSorted = ::CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 0, 50, 200,
                                   150, host.m_hWnd, (HMENU)(INT_PTR)999, nullptr, nullptr);
    auto addSorted = [&] {
        CZUDPToolbarComboBoxButton button(0x7600, -1, CBS_DROPDOWNLIST, 0);
        for (const std::string& text : texts)
            button.AddSortedItem(text.c_str());
    };
    auto addString = [&] {
        ::SendMessageA(hSorted, CB_RESETCONTENT, 0, 0);
        for (const std::string& text : texts)
            ::SendMessageA(hSorted, CB_ADDSTRING, 0, (LPARAM)text.c_str());
    };
    const Result sorted = Compare(addSorted, addString, 1, rounds);
    std::printf("%-40s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 1.5)%s\n", "AddSortedItem x 5000",
                sorted.candidate * 1e6, "CB_ADDSTRING into CBS_SORT", sorted.baseline * 1e6, sorted.ratio,
                sorted.ratio <= 1.5 ? "" : "  OVER");

    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    bar.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
