// A sheet of what the visual manager draws for popup menus, toolbar
// buttons, combo and edit boxes on bars and dialog controls: one row per
// element, one column per state (normal, hot, pressed, disabled), painted
// by the active manager into a window of its own for the gallery, once with
// the visual style and once in the classic look.
#include "tests/shot/GallerySheets.h"

#include "framework/win/BarStyles.h"
#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <functional>
#include <vector>

namespace {

const int kControlLabelWidth = 150;
const int kControlCellWidth = 90;
const int kControlRowHeight = 30;
const char* const kControlStates[] = {"normal", "hot", "pressed", "disabled"};

// One element in its four states: state 0 normal, 1 hot, 2 pressed,
// 3 disabled; the cell is the element's rectangle.
struct ControlSheetRow {
    const char* name;
    std::function<void(CZUDPVisualManager&, CDC&, CRect, int)> draw;
};

std::vector<ControlSheetRow> Rows()
{
    static CZUDPPopupMenuBar menuBar;
    return {
        {"toolbar button",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             CZUDPToolbarButton button;
             const int state = s == 1 ? 2 : s == 2 ? 1 : 0;
             if (s == 3)
                 button.style |= TBBS_DISABLED;
             vm.FillButtonInterior(&dc, &button, r, state);
             vm.DrawButtonBorder(&dc, &button, r, state);
             dc.SetBkMode(TRANSPARENT);
             dc.SetTextColor(vm.GetToolbarButtonTextColor(&button, state));
             dc.DrawText(CString("Open"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
         }},
        {"checked toolbar button",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             CZUDPToolbarButton button;
             button.style |= TBBS_CHECKED | (s == 3 ? TBBS_DISABLED : 0);
             const int state = s == 1 ? 2 : 1;
             vm.FillButtonInterior(&dc, &button, r, state);
             vm.DrawButtonBorder(&dc, &button, r, state);
         }},
        {"menu item",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             CZUDPToolbarMenuButton item;
             item.parentWnd = &menuBar;
             if (s == 3)
                 item.style |= TBBS_DISABLED;
             const BOOL hot = s == 1 || s == 2;
             if (hot)
                 vm.FillHighlightedMenuItem(&dc, &item, r, &menuBar);
             dc.SetBkMode(TRANSPARENT);
             dc.SetTextColor(vm.GetMenuItemTextColor(&item, hot, s == 3));
             CRect text = r;
             text.left += 22;
             dc.DrawText(CString("Save As"), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
         }},
        {"checked menu item",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             CZUDPToolbarMenuButton item;
             item.parentWnd = &menuBar;
             item.style |= TBBS_CHECKED | (s == 3 ? TBBS_DISABLED : 0);
             CRect check(r.left + 2, r.top + 4, r.left + 22, r.bottom - 4);
             vm.FillButtonInterior(&dc, &item, check, s == 1 ? 2 : 0);
             vm.DrawMenuItemButtonBorder(&dc, &item, check, 1);
             vm.DrawSubmenuArrow(&dc, &item, check, FALSE, s == 2);
         }},
        {"popup border, label",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             if (s == 0) {
                 vm.DrawPopupMenuBorder(&dc, nullptr, r);
             } else if (s == 1) {
                 dc.SetBkMode(TRANSPARENT);
                 dc.SetTextColor(vm.FillMenuLabel(&dc, r));
                 dc.DrawText(CString("Label"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
             } else if (s == 2) {
                 vm.DrawRarelyUsedItemsBackground(&dc, r);
             } else {
                 vm.DrawPopupMenuShadow(&dc, CRect(r.left, r.top, r.right - 6, r.bottom - 6), CRect(), 4, 100, 65,
                                        nullptr, nullptr, FALSE);
             }
         }},
        {"tear-off, scroll, show-all",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             if (s == 0)
                 vm.DrawTearOffCaption(&dc, CRect(r.left, r.top + 10, r.right, r.top + 18), FALSE);
             else if (s == 1)
                 vm.DrawTearOffCaption(&dc, CRect(r.left, r.top + 10, r.right, r.top + 18), TRUE);
             else if (s == 2)
                 vm.DrawPopupMenuScrollButton(&dc, CRect(r.left, r.top + 4, r.right, r.bottom - 4), TRUE, TRUE,
                                              FALSE, FALSE);
             else
                 vm.DrawShowAllButtonArrow(&dc, r);
         }},
        {"combo box on a bar",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             CRect edit = r, drop = r;
             drop.left = drop.right - 16;
             edit.right = drop.left;
             vm.FillComboEditArea(&dc, edit, s == 3, s == 2, s == 1, nullptr);
             vm.DrawComboDropButton(&dc, drop, s == 3, s == 2, s == 1, nullptr);
             vm.DrawComboBorder(&dc, r, s == 3, s == 2, s == 1, nullptr);
         }},
        {"edit box on a bar, customize",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             if (s < 2)
                 vm.DrawEditBoxBorder(&dc, r, FALSE, s == 1, nullptr);
             else
                 vm.FillCustomizeSelection(&dc, r, s == 3);
         }},
        {"check box",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             const CSize size = vm.GetCheckBoxSize();
             for (int i = 0; i < 3; ++i) {
                 CRect box(CPoint(r.left + 4 + i * (size.cx + 6), r.top + (r.Height() - size.cy) / 2), size);
                 vm.DrawCheckBoxEx(&dc, box, i, s == 1, FALSE, s != 3);
             }
         }},
        {"radio button",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             const CSize size = vm.GetCheckBoxSize();
             for (int i = 0; i < 2; ++i) {
                 CRect box(CPoint(r.left + 4 + i * (size.cx + 6), r.top + (r.Height() - size.cy) / 2), size);
                 vm.DrawRadioButton(&dc, box, i == 1, s == 1, s == 2, s != 3);
             }
         }},
        {"spin buttons",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             const int state = s == 2 ? 1 : s == 3 ? 0x10 : 0;
             vm.DrawSpinButton(&dc, CRect(r.left, r.top, r.left + 18, r.bottom), state, FALSE, nullptr);
             vm.DrawSpinButton(&dc, CRect(r.left + 24, r.top + 4, r.left + 60, r.bottom - 4), state ? state ^ 3 : 0,
                               TRUE, nullptr);
         }},
        {"header item",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             vm.FillHeaderBackground(nullptr, &dc, r);
             CRect item = r;
             vm.DrawHeaderItemBorder(nullptr, &dc, item, s == 2, s == 1);
             vm.DrawHeaderSortArrow(nullptr, &dc, CRect(item.right - 18, item.top + 6, item.right - 4, item.bottom - 6),
                                    s != 3);
         }},
        {"browse, clear, calculator",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             vm.DrawEditBrowseButton(&dc, CRect(r.left + 1, r.top + 1, r.left + 22, r.bottom - 1), nullptr,
                                     s == 2 ? 1 : 0);
             CZUDPButton clear;
             clear.m_bDown = clear.m_bHot = s == 2;
             vm.DrawClearButton(&dc, &clear, CRect(r.left + 28, r.top + 2, r.left + 48, r.bottom - 2));
             vm.DrawCalculatorButton(&dc, CRect(r.left + 54, r.top + 2, r.right - 2, r.bottom - 2), nullptr,
                                     s == 1 ? 2 : s == 2 ? 1 : 0);
         }},
        {"progress, list item",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             if (s < 3) {
                 CRect chunk = r;
                 chunk.DeflateRect(1, 1);
                 chunk.right = chunk.left + chunk.Width() * s / 2;
                 vm.DrawProgressBar(&dc, nullptr, r, chunk, FALSE);
             } else {
                 vm.FillListBoxItem(&dc, nullptr, 0, r, TRUE, TRUE);
             }
         }},
        {"slider",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             CRect channel(r.left + 4, r.CenterPoint().y - 2, r.right - 4, r.CenterPoint().y + 2);
             vm.DrawSliderChannel(&dc, nullptr, FALSE, channel, FALSE);
             vm.DrawSliderThumb(&dc, nullptr, CRect(r.CenterPoint().x - 5, r.top + 2, r.CenterPoint().x + 6, r.bottom - 2),
                                s == 1, s == 2, s == 3, FALSE, FALSE, FALSE, FALSE);
         }},
        {"group box",
         [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
             dc.SetBkMode(TRANSPARENT);
             vm.DrawGroupBox(&dc, nullptr, r, s == 3 ? CString() : CString("Group"));
         }},
    };
}

LRESULT CALLBACK ControlSheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return ::DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(window, &ps);
    CDC dc;
    dc.Attach(hdc);
    CRect client;
    ::GetClientRect(window, &client);
    dc.FillRect(client, &g_uiEnvironment.m_brushBarFace);
    HGDIOBJ oldFont = ::SelectObject(hdc, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(g_uiEnvironment.m_colorBarText);
    for (int s = 0; s < 4; ++s)
        dc.TextOut(kControlLabelWidth + s * kControlCellWidth + 6, 6, CString(kControlStates[s]));

    CZUDPVisualManager& vm = *CZUDPVisualManager::GetActiveManager();
    int y = kControlRowHeight;
    for (const ControlSheetRow& row : Rows()) {
        dc.SetTextColor(g_uiEnvironment.m_colorBarText);
        dc.TextOut(6, y + 8, CString(row.name));
        for (int s = 0; s < 4; ++s) {
            CRect cell(kControlLabelWidth + s * kControlCellWidth + 4, y + 2, kControlLabelWidth + (s + 1) * kControlCellWidth - 4,
                       y + kControlRowHeight - 2);
            const int saved = dc.SaveDC();
            dc.IntersectClipRect(cell.left - 2, cell.top - 2, cell.right + 2, cell.bottom + 2);
            row.draw(vm, dc, cell, s);
            dc.RestoreDC(saved);
        }
        y += kControlRowHeight;
    }
    ::SelectObject(hdc, oldFont);
    dc.Detach();
    ::EndPaint(window, &ps);
    return 0;
}

} // namespace

void ShootControlFamiliesSheet(const GalleryPhotographer& photograph)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &ControlSheetProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TrovGalleryControlSheet";
    ::RegisterClassA(&wc);
    const int rows = (int)Rows().size() + 1;
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, "Menus, buttons and dialog controls",
                                    WS_POPUP | WS_BORDER | WS_VISIBLE, 20, 20, kControlLabelWidth + 4 * kControlCellWidth + 8,
                                    rows * kControlRowHeight + 8, nullptr, nullptr, wc.hInstance, nullptr);
    photograph("visual-manager-controls", window);
    {
        // Without visual styles: the slider and the group box in their
        // classic form too.
        ScopedSeam<HTHEME(UxOpenThemeDataFn, HWND, LPCWSTR)> noThemes(
            g_foundationSeams.openThemeData, [](UxOpenThemeDataFn, HWND, LPCWSTR) -> HTHEME { return nullptr; });
        CZUDPVisualManager::GetActiveManager()->OpenThemeHandles();
        photograph("visual-manager-controls-classic", window);
    }
    CZUDPVisualManager::GetActiveManager()->OpenThemeHandles();
    if (window != nullptr)
        ::DestroyWindow(window);
}
