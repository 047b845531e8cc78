// Gallery picture of the colour picker: each of its six kinds without the
// focus (top row) and with it (bottom row).  Only one window holds the
// focus at a time, so each picker is printed into one picture of the sheet
// while it has the focus or not, and the sheet then shows that picture.
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

#include "tests/shot/GallerySheets.h"
#include "framework/win/DC.h"
#include "ui/controls/ZUDPColorPickerCtrl.h"
#include "ui/foundation/ZUDPDrawManager.h"

namespace {

const int kMargin = 12;
const int kTitleHeight = 20;
const int kLabelHeight = 18;
const int kPickerRowHeight = 140;
const int kWidth = 720;
const int kHeight = 2 * (kTitleHeight + kLabelHeight + kPickerRowHeight) + 2 * kMargin;

struct PickerCell {
    const char* label;
    int kind;
    CRect rect;  // in the row
};

const PickerCell kCells[] = {
    {"swatch", CZUDPColorPickerCtrl::PICKER_SWATCH, CRect(12, 0, 62, 100)},
    {"lightness", CZUDPColorPickerCtrl::PICKER_LIGHTNESS, CRect(84, 0, 124, 130)},
    {"picture", CZUDPColorPickerCtrl::PICKER_PICTURE, CRect(146, 0, 306, 120)},
    {"hexagons", CZUDPColorPickerCtrl::PICKER_HEXAGON, CRect(328, 0, 478, 130)},
    {"greys", CZUDPColorPickerCtrl::PICKER_GREY, CRect(500, 0, 708, 44)},
    {"hue only", CZUDPColorPickerCtrl::PICKER_HUE, CRect(500, 80, 708, 110)},
};

HBITMAP g_pickerSheet = nullptr;

// The picker as it shows the sample colours of its kind.
void PreparePicker(CZUDPColorPickerCtrl& picker, int kind)
{
    switch (kind) {
    case CZUDPColorPickerCtrl::PICKER_SWATCH:
        picker.SetOriginalColor(RGB(200, 60, 40));
        picker.SetColor(RGB(32, 64, 128));
        break;
    case CZUDPColorPickerCtrl::PICKER_LIGHTNESS:
        picker.SetHLS(0.6, 0.4, 0.7);
        picker.SetBarWidth(14);
        break;
    case CZUDPColorPickerCtrl::PICKER_PICTURE:
        picker.SetHLS(0.6, 0.5, 0.7);
        break;
    case CZUDPColorPickerCtrl::PICKER_HEXAGON:
        picker.SetColor(static_cast<const CZUDPCellObj*>(picker.GetCells()[20])->m_colour);
        break;
    case CZUDPColorPickerCtrl::PICKER_GREY:
        picker.SetColor(RGB(120, 120, 120));
        break;
    case CZUDPColorPickerCtrl::PICKER_HUE:
        picker.SetHLS(0.3, 0.5, 1.0);
        break;
    default:
        break;
    }
}

// Prints every picker, without and with the focus, into the sheet's picture.
void ComposeSheet(HWND window)
{
    HDC screen = ::GetDC(window);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(screen));
    LPVOID bits = nullptr;
    g_pickerSheet = CZUDPDrawManager::Create32BitDibSection(CSize(kWidth, -kHeight), &bits);
    HGDIOBJ old = ::SelectObject(dc, g_pickerSheet);
    RECT all = {0, 0, kWidth, kHeight};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));

    CWnd* sheet = CWnd::FromHandle(window);
    CWnd other;
    other.Create("BUTTON", "", WS_CHILD, CRect(0, 0, 1, 1), sheet, 99);
    for (int row = 0; row < 2; ++row) {
        const bool focused = row == 1;
        int top = kMargin + row * (kTitleHeight + kLabelHeight + kPickerRowHeight);
        const char* title = focused ? "With the focus" : "Without the focus";
        ::TextOutA(dc, kMargin, top, title, int(strlen(title)));
        top += kTitleHeight;
        for (const PickerCell& cell : kCells) {
            CRect rect = cell.rect + CPoint(0, top + kLabelHeight);
            ::TextOutA(dc, rect.left, rect.top - kLabelHeight + 2, cell.label, int(strlen(cell.label)));

            CZUDPColorPickerCtrl picker;
            picker.SetPickerType(cell.kind);
            picker.Create("", WS_CHILD | WS_VISIBLE, rect, sheet, 100 + cell.kind);
            PreparePicker(picker, cell.kind);
            if (focused)
                picker.SetFocus();
            else
                other.SetFocus();
            int saved = ::SaveDC(dc);
            ::SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
            ::IntersectClipRect(dc, 0, 0, rect.Width(), rect.Height());
            picker.SendMessage(WM_PRINTCLIENT, (WPARAM)dc.GetSafeHdc(), PRF_CLIENT);
            ::RestoreDC(dc, saved);
            picker.DestroyWindow();
        }
    }
    other.DestroyWindow();
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, old);
    ::DeleteDC(dc.Detach());
    ::ReleaseDC(window, screen);
}

LRESULT CALLBACK PickerSheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(window, &ps);
        if (g_pickerSheet != nullptr) {
            HDC memory = ::CreateCompatibleDC(hdc);
            HGDIOBJ old = ::SelectObject(memory, g_pickerSheet);
            ::BitBlt(hdc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
        }
        ::EndPaint(window, &ps);
        return 0;
    }
    // The pickers borrow their parent's background, as they do in a dialog.
    if (message == WM_ERASEBKGND) {
        RECT client;
        ::GetClientRect(window, &client);
        ::FillRect((HDC)wParam, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

bool ShootColorPickerSheet(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PickerSheetProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TrovGalleryColorPickers";
    ::RegisterClassA(&windowClass);
    RECT frame = {0, 0, kWidth, kHeight};
    ::AdjustWindowRect(&frame, WS_CAPTION | WS_POPUP, FALSE);
    HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "Colour pickers", WS_CAPTION | WS_POPUP | WS_VISIBLE,
                                    30, 30, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
    if (window == nullptr)
        return false;
    pump(100);
    ComposeSheet(window);
    ::InvalidateRect(window, nullptr, FALSE);
    pump(200);
    photograph("colour-pickers", window);
    ::DestroyWindow(window);
    if (g_pickerSheet != nullptr)
        ::DeleteObject(g_pickerSheet);
    g_pickerSheet = nullptr;
    pump(50);
    return true;
}
