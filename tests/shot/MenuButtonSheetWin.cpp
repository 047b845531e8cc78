// The gallery's menu buttons: a toolbar button with a command and a
// drop-down arrow, a button that only opens its menu, menu rows (plain,
// highlighted, checked, radio, default, disabled, with a submenu and with
// a shortcut) and the show-all item of a shortened menu, each in its
// states, painted by the buttons themselves into one window.
#include "tests/shot/GallerySheets.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPShowAllButton.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <functional>
#include <vector>

namespace {

const int kLabelWidth = 150;
const int kCellWidth = 150;
const int kRowHeight = 30;

struct MenuButtonRow {
    const char* name;
    // Draws the row's button in a cell in state 0 normal, 1 hot, 2 pressed
    // or open, 3 disabled.
    std::function<void(CDC&, CRect, int)> draw;
};

// A toolbar menu button in a state; clickedInArrow: a command button
// pressed on its arrow.
void DrawToolbarButton(CDC& dc, CRect cell, int state, UINT uiCmd, const char* text)
{
    CZUDPToolbarMenuButton button(uiCmd, nullptr, -1, text);
    button.showText = TRUE;
    button.showMenuArrow = TRUE;
    CRect rect(cell.left, cell.top, cell.left + 90, cell.top + 24);
    button.SetRect(rect);
    if (state == 2) {
        button.style |= TBBS_PRESSED;
        button.clickedInArrow = uiCmd != 0;
    } else if (state == 3) {
        button.style |= TBBS_DISABLED;
    }
    CZUDPVisualManager::GetActiveManager()->FillBarBackground(&dc, nullptr, cell, cell, FALSE);
    button.DrawButton(&dc, rect, nullptr, TRUE, FALSE, state == 1 || state == 2);
}

void DrawMenuRow(CDC& dc, CRect cell, int state, UINT uiCmd, const char* text, UINT style, BOOL radio, BOOL def)
{
    CZUDPToolbarMenuButton row(uiCmd, nullptr, -1, text);
    row.inPopupMenu = TRUE;
    row.showText = TRUE;
    row.style = style | (state == 3 ? TBBS_DISABLED : 0);
    row.radioCheck = radio;
    row.isDefaultItem = def;
    row.showMenuArrow = uiCmd == (UINT)-1;
    CRect rect(cell.left, cell.top + 2, cell.right, cell.top + 24);
    row.SetRect(rect);
    dc.FillSolidRect(&cell, g_uiEnvironment.m_colorWindow);
    CFont* pOld = dc.SelectObject(&g_uiEnvironment.m_fontRegular);
    row.DrawMenuItem(&dc, rect, nullptr, FALSE, state == 1 || state == 2, TRUE, FALSE);
    dc.SelectObject(pOld);
}

std::vector<MenuButtonRow> MenuButtonRows()
{
    return {
        {"toolbar, command + arrow", [](CDC& dc, CRect r, int s) { DrawToolbarButton(dc, r, s, 57601, "Open"); }},
        {"toolbar, menu only", [](CDC& dc, CRect r, int s) { DrawToolbarButton(dc, r, s, 0, "File"); }},
        {"menu row", [](CDC& dc, CRect r, int s) { DrawMenuRow(dc, r, s, 600, "&Save", 0, FALSE, FALSE); }},
        {"row with shortcut",
         [](CDC& dc, CRect r, int s) { DrawMenuRow(dc, r, s, 601, "&Open...\tCtrl+O", 0, FALSE, FALSE); }},
        {"checked row", [](CDC& dc, CRect r, int s) { DrawMenuRow(dc, r, s, 602, "&Grid", TBBS_CHECKED, FALSE, FALSE); }},
        {"radio row", [](CDC& dc, CRect r, int s) { DrawMenuRow(dc, r, s, 603, "&Large", TBBS_CHECKED, TRUE, FALSE); }},
        {"default row", [](CDC& dc, CRect r, int s) { DrawMenuRow(dc, r, s, 604, "&Connect", 0, FALSE, TRUE); }},
        {"submenu row", [](CDC& dc, CRect r, int s) { DrawMenuRow(dc, r, s, (UINT)-1, "&Recent", 0, FALSE, FALSE); }},
        {"show-all item",
         [](CDC& dc, CRect r, int s) {
             CZUDPShowAllButton button;
             if (s == 2)
                 button.style |= TBBS_PRESSED;
             dc.FillSolidRect(&r, g_uiEnvironment.m_colorWindow);
             const CSize size = button.CalcSize(&dc, CSize(23, 22), TRUE);
             CRect rect(CPoint(r.left + 2, r.top + 2), size);
             button.DrawButton(&dc, rect, nullptr, TRUE, FALSE, s == 1);
         }},
    };
}

const std::vector<MenuButtonRow>* g_menuRows = nullptr;

LRESULT CALLBACK MenuButtonSheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT || g_menuRows == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(window, &ps);
    CDC dc;
    dc.Attach(hdc);
    CRect client;
    ::GetClientRect(window, &client);
    dc.FillSolidRect(&client, g_uiEnvironment.m_colorWindow);
    CFont* pOldFont = dc.SelectObject(&g_uiEnvironment.m_fontRegular);
    dc.SetBkMode(TRANSPARENT);
    const char* columns[] = {"normal", "hot", "pressed / open", "disabled"};
    for (int s = 0; s < 4; ++s) {
        dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
        dc.TextOut(kLabelWidth + s * kCellWidth + 6, 6, CString(columns[s]));
    }
    int y = 24;
    for (const MenuButtonRow& row : *g_menuRows) {
        dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(6, y + kRowHeight / 2 - 7, CString(row.name));
        for (int s = 0; s < 4; ++s) {
            CRect cell(kLabelWidth + s * kCellWidth + 4, y + 2, kLabelWidth + (s + 1) * kCellWidth - 4,
                       y + kRowHeight - 2);
            const int saved = dc.SaveDC();
            dc.IntersectClipRect(&cell);
            row.draw(dc, cell, s);
            dc.RestoreDC(saved);
        }
        y += kRowHeight;
    }
    dc.SelectObject(pOldFont);
    dc.Detach();
    ::EndPaint(window, &ps);
    return 0;
}

} // namespace

void ShootMenuButtonSheet(const GalleryPhotographer& photograph)
{
    const std::vector<MenuButtonRow> rows = MenuButtonRows();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &MenuButtonSheetProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TrovGalleryMenuButtonSheet";
    ::RegisterClassA(&wc);
    g_menuRows = &rows;
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, "Menu buttons", WS_POPUP | WS_BORDER | WS_VISIBLE, 20, 20,
                                    kLabelWidth + 4 * kCellWidth + 8, 24 + int(rows.size()) * kRowHeight + 8,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    photograph("menu-buttons", window);
    if (window != nullptr)
        ::DestroyWindow(window);
    g_menuRows = nullptr;
}
