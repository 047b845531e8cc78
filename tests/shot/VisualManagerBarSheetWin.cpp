// Sheets of what the visual manager draws for bars and captions: bar
// backgrounds, borders, grippers, separators and splitters in their
// settings (in a frame, in a dialog, Look2000, floating), and pane
// captions, caption buttons, floating-frame borders, auto-hide buttons and
// application bars in their states (normal, hot, pressed, disabled).  Each
// sheet is painted by the active manager into a window of its own.
#include "tests/shot/GallerySheets.h"

#include "framework/win/BarStyles.h"
#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <functional>
#include <vector>

namespace {

const int kBarLabelWidth = 170;
const int kBarCellWidth = 110;
const int kBarRowHeight = 40;

struct BarSheetRow {
    const char* name;
    std::function<void(CZUDPVisualManager&, CDC&, CRect, int)> draw;
};

struct Sheet {
    const char* columns[4];
    std::vector<BarSheetRow> rows;
};

// Column 0 a bar in a frame, 1 in a dialog (button colours), 2 with the
// Look2000 option, 3 floating.
Sheet BarSheet()
{
    return {{"in a frame", "in a dialog", "Look2000", "floating"},
            {
                {"toolbar, horizontal",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int c) {
                     CZUDPToolBar bar;
                     bar.ReplaceBarStyle(CBRS_ALIGN_TOP | CBRS_BORDER_ANY);
                     bar.SetControlBarStyle(ZUDP_CBRS_FLOAT);
                     bar.m_bInDialog = c == 1;
                     bar.m_bFloating = c == 3;
                     CZUDPVisualManager::SetLook2000Style(c == 2);
                     vm.FillBarBackground(&dc, &bar, r, r, FALSE);
                     CRect inner = r;
                     vm.DrawBarBorder(&dc, &bar, inner);
                     vm.DrawBarGripper(&dc, CRect(inner.left, inner.top, inner.left + 10, inner.bottom), TRUE, &bar);
                     for (int x : {inner.left + 30, inner.left + 60})
                         vm.DrawSeparator(&dc, &bar, CRect(x, inner.top + 2, x + 7, inner.bottom - 2), TRUE);
                     CZUDPVisualManager::SetLook2000Style(FALSE);
                 }},
                {"toolbar, vertical",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int c) {
                     CZUDPToolBar bar;
                     bar.ReplaceBarStyle(CBRS_ALIGN_LEFT | CBRS_BORDER_ANY);
                     bar.m_bInDialog = c == 1;
                     bar.m_bFloating = c == 3;
                     CZUDPVisualManager::SetLook2000Style(c == 2);
                     CRect bar_r(r.CenterPoint().x - 15, r.top, r.CenterPoint().x + 15, r.bottom);
                     vm.FillBarBackground(&dc, &bar, bar_r, bar_r, FALSE);
                     CRect inner = bar_r;
                     vm.DrawBarBorder(&dc, &bar, inner);
                     vm.DrawBarGripper(&dc, CRect(inner.left, inner.top, inner.right, inner.top + 10), FALSE, &bar);
                     vm.DrawSeparator(&dc, &bar, CRect(inner.left + 2, inner.top + 18, inner.right - 2, inner.top + 25), FALSE);
                     CZUDPVisualManager::SetLook2000Style(FALSE);
                 }},
                {"caption bar",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int c) {
                     CZUDPCaptionBar bar;
                     bar.m_bMessageBarMode = c == 1;
                     bar.m_clrBarBackground = c == 2 ? RGB(0xFF, 0xF0, 0xA0) : (COLORREF)-1;
                     vm.FillBarBackground(&dc, &bar, r, r, FALSE);
                 }},
                {"splitter with its edge",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int c) {
                     static const DWORD sides[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};
                     CZUDPSlider slider(TRUE);
                     slider.ReplaceBarStyle(sides[c]);
                     CRect s = c < 2 ? CRect(r.CenterPoint().x - 4, r.top, r.CenterPoint().x + 4, r.bottom)
                                     : CRect(r.left, r.CenterPoint().y - 4, r.right, r.CenterPoint().y + 4);
                     vm.DrawSlider(&dc, &slider, s, TRUE);
                 }},
                {"dialog background",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int) { vm.FillDialogBackground(&dc, nullptr, r); }},
            }};
}

// Column 0 normal, 1 hot, 2 pressed, 3 disabled.
Sheet CaptionSheet()
{
    auto captionWithButtons = [](BOOL active, BOOL look2000) {
        return [active, look2000](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
            CZUDPVisualManager::SetLook2000Style(look2000);
            CRect caption(r.left, r.top + 8, r.right, r.top + 26);
            const COLORREF text = vm.FillDockingBarCaption(&dc, nullptr, active, caption, CRect());
            dc.SetTextColor(text);
            CRect label = caption;
            label.left += 3;
            dc.DrawText(CString("Pane"), label, DT_VCENTER | DT_SINGLELINE);
            int x = caption.right - 18;
            for (int glyph : {MenuGlyphClose, MenuGlyphPinPinned}) {
                CZUDPFrameCaptionButton button(HTCLOSE);
                button.m_rect.SetRect(x, caption.top + 1, x + 16, caption.bottom - 1);
                button.m_bFocused = s == 1 || s == 2;
                button.m_bPushed = s == 2;
                vm.DrawCaptionButton(&dc, &button, active, TRUE, FALSE, s == 3, glyph);
                x -= 18;
            }
            CZUDPVisualManager::SetLook2000Style(FALSE);
        };
    };
    return {{"normal", "hot", "pressed", "disabled"},
            {
                {"active pane caption", captionWithButtons(TRUE, FALSE)},
                {"inactive pane caption", captionWithButtons(FALSE, FALSE)},
                {"caption, Look2000", captionWithButtons(FALSE, TRUE)},
                {"floating frame (hint 0/1/2, bar)",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
                     CZUDPMiniFrameWnd frame;
                     frame.SetDockingHintState(s < 3 ? s : 0);
                     CRect rect(r.left + 4, r.top + 2, r.right - 4, r.bottom - 2);
                     if (s < 3)
                         vm.DrawMiniFrameBorder(&dc, &frame, rect, CRect(4, 4, 4, 4));
                     else
                         vm.DrawToolbarMiniFrameBorder(&dc, &frame, rect, CRect(3, 3, 3, 3));
                     CRect caption(rect.left + 4, rect.top + 4, rect.right - 4, rect.top + 16);
                     vm.FillMiniFrameCaption(&dc, caption, &frame, s == 1);
                 }},
                {"auto-hide button",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int s) {
                     CRect button(r.left + 10, r.top + 8, r.right - 10, r.bottom - 8);
                     vm.FillAutoHideButton(&dc, button, nullptr);
                     vm.DrawAutoHideButtonBorder(&dc, button, s == 0 ? CRect(1, 1, 1, 1) : CRect(s, 0, s, 1), nullptr);
                     dc.SetTextColor(vm.GetAutoHideButtonTextColor(nullptr));
                     dc.DrawText(CString("Output"), button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                 }},
                {"application bar",
                 [](CZUDPVisualManager& vm, CDC& dc, CRect r, int) {
                     CRect frame(r.left + 4, r.top + 2, r.right - 4, r.bottom - 2);
                     vm.DrawAppBarFrame(&dc, nullptr, frame, CRect(4, 4, 4, 4));
                     vm.DrawAppBarCaption(&dc, nullptr, CRect(frame.left + 4, frame.top + 4, frame.right - 4, frame.top + 18),
                                          CString("Bar"));
                 }},
            }};
}

const Sheet* g_barSheet = nullptr;

LRESULT CALLBACK BarSheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT || g_barSheet == nullptr)
        return ::DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(window, &ps);
    CDC dc;
    dc.Attach(hdc);
    CRect client;
    ::GetClientRect(window, &client);
    dc.FillSolidRect(&client, g_uiEnvironment.m_colorWindow);
    HGDIOBJ oldFont = ::SelectObject(hdc, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
    for (int s = 0; s < 4; ++s)
        dc.TextOut(kBarLabelWidth + s * kBarCellWidth + 6, 6, CString(g_barSheet->columns[s]));

    CZUDPVisualManager& vm = *CZUDPVisualManager::GetActiveManager();
    int y = 24;
    for (const BarSheetRow& row : g_barSheet->rows) {
        dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
        dc.TextOut(6, y + kBarRowHeight / 2 - 7, CString(row.name));
        for (int s = 0; s < 4; ++s) {
            CRect cell(kBarLabelWidth + s * kBarCellWidth + 4, y + 2, kBarLabelWidth + (s + 1) * kBarCellWidth - 4,
                       y + kBarRowHeight - 2);
            const int saved = dc.SaveDC();
            dc.IntersectClipRect(&cell);
            row.draw(vm, dc, cell, s);
            dc.RestoreDC(saved);
        }
        y += kBarRowHeight;
    }
    ::SelectObject(hdc, oldFont);
    dc.Detach();
    ::EndPaint(window, &ps);
    return 0;
}

void ShootSheet(const GalleryPhotographer& photograph, const Sheet& sheet, const char* title, const char* name)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &BarSheetProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TrovGalleryBarSheet";
    ::RegisterClassA(&wc);
    g_barSheet = &sheet;
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, title, WS_POPUP | WS_BORDER | WS_VISIBLE, 20, 20,
                                    kBarLabelWidth + 4 * kBarCellWidth + 8, 24 + int(sheet.rows.size()) * kBarRowHeight + 8,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    photograph(name, window);
    if (window != nullptr)
        ::DestroyWindow(window);
    g_barSheet = nullptr;
}

} // namespace

void ShootBarAndCaptionSheets(const GalleryPhotographer& photograph)
{
    const Sheet bars = BarSheet();
    ShootSheet(photograph, bars, "Bars", "visual-manager-bars");
    const Sheet captions = CaptionSheet();
    ShootSheet(photograph, captions, "Captions and frames", "visual-manager-captions");
}
