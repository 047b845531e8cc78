// Sheets of the calendar control as real windows: one month with its Today
// button; three by two months with week numbers, a multiple selection,
// marked days and today; a popup calendar under its date control; the
// month list open over a caption.  The clock stands at 14:30 on Wednesday
// 8 May 2024.
#include "tests/shot/GallerySheets.h"

#include "framework/Seam.h"
#include "tests/common/DrawingTest.h"
#include "framework/win/Wnd.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPCalendarBar.h"
#include "ui/planner/ZUDPCalendarMenuButton.h"
#include "ui/planner/ZUDPDateTimeCtrl.h"
#include "ui/planner/ZUDPMonthPickerWnd.h"
#include "ui/planner/ZUDPPlannerSeams.h"

#include <functional>
#include <initializer_list>
#include <memory>

namespace {

const COleDateTime kToday(2024, 5, 8, 14, 30, 0);

// A frame holding a calendar of the client size given.
class CalendarSheet {
public:
    CalendarSheet(int x, int y, int width, int height, BOOL bToday)
    {
        m_frame.CreateEx(0, AfxRegisterWndClass(0), "calendar", WS_POPUP | WS_BORDER, x, y, width, height, nullptr,
                         nullptr);
        CRect client;
        m_frame.GetClientRect(client);
        m_calendar.Create(WS_CHILD | WS_VISIBLE, client, &m_frame, 1);
        m_calendar.SetFirstMonth(2024, 5, FALSE);
        m_calendar.ShowTodayButton(bToday);
    }
    ~CalendarSheet()
    {
        m_calendar.DestroyWindow();
        m_frame.DestroyWindow();
    }
    void Show()
    {
        m_frame.ShowWindow(SW_SHOWNA);
        m_frame.UpdateWindow();
        m_calendar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    HWND Window() const { return m_frame.GetSafeHwnd(); }

    CWnd m_frame;
    CZUDPCalendar m_calendar;
};

// A window that shows a picture made beforehand.
class CPictureWnd : public CWnd {
public:
    explicit CPictureWnd(const CRect& rect) : m_canvas(rect.Width(), rect.Height()) {}
    trovtest::DibCanvas m_canvas;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND)
            return 1;
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(GetSafeHwnd(), &ps);
            ::BitBlt(dc, 0, 0, m_canvas.Width(), m_canvas.Height(), m_canvas.Dc(), 0, 0, SRCCOPY);
            ::EndPaint(GetSafeHwnd(), &ps);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The date control's frame and its popup side by side in one picture
// window (they are two top-level windows): each window's client area is
// rendered where it stands, with a one-pixel frame around each.
std::unique_ptr<CPictureWnd> CompositePicture(const CRect& rect, std::initializer_list<HWND> windows)
{
    auto picture = std::make_unique<CPictureWnd>(rect);
    trovtest::DibCanvas& canvas = picture->m_canvas;
    canvas.Fill(::GetSysColor(COLOR_APPWORKSPACE));
    for (HWND window : windows) {
        RECT client = {};
        ::GetClientRect(window, &client);
        POINT origin = {0, 0};
        ::ClientToScreen(window, &origin);
        trovtest::DibCanvas part(client.right, client.bottom);
        trovtest::RenderWindow(window, part);
        ::BitBlt(canvas.Dc(), origin.x - rect.left, origin.y - rect.top, client.right, client.bottom, part.Dc(), 0,
                 0, SRCCOPY);
        RECT outer = {};
        ::GetWindowRect(window, &outer);
        ::OffsetRect(&outer, -rect.left, -rect.top);
        ::FrameRect(canvas.Dc(), &outer, HBRUSH(::GetStockObject(BLACK_BRUSH)));
    }
    ::GdiFlush();
    if (!picture->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "picture", WS_POPUP, 20, 300, rect.Width(),
                           rect.Height(), nullptr, nullptr))
        return nullptr;
    picture->ShowWindow(SW_SHOWNA);
    picture->UpdateWindow();
    return picture;
}

void Pump()
{
    MSG msg;
    for (int i = 0; i < 50 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The calendar menu button painted by itself in its states: on a
// horizontal bar (normal, hot, open, disabled), on a vertical bar, and as
// a menu row (normal, highlighted).
const int kButtonCell = 110;
const int kButtonLabel = 130;
const int kButtonRow = 68;

void DrawCalendarButton(CDC& dc, CRect cell, int row, int state)
{
    CZUDPCalendarMenuButton button(0xE990, -1, "Date");
    button.showText = row != 1;   // a vertical bar shows the arrow alone
    button.showMenuArrow = TRUE;
    CZUDPPopupMenu stillOpen;   // stands for an open popup: never shown
    if (state == 2)
        button.openPopup = &stillOpen;
    if (state == 3)
        button.style |= TBBS_DISABLED;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    if (row == 2) {
        button.inPopupMenu = TRUE;
        const CRect rect(cell.left, cell.top + 4, cell.right, cell.top + 26);
        dc.FillSolidRect(&cell, g_uiEnvironment.m_colorWindow);
        button.SetRect(rect);
        button.DrawButton(&dc, rect, nullptr, TRUE, FALSE, state == 1, TRUE, TRUE);
    } else {
        pManager->FillBarBackground(&dc, nullptr, cell, cell, FALSE);
        const CRect rect = row == 0 ? CRect(cell.left + 6, cell.top + 6, cell.left + 76, cell.top + 30)
                                    : CRect(cell.left + 6, cell.top + 4, cell.left + 30, cell.top + 62);
        button.SetRect(rect);
        button.DrawButton(&dc, rect, nullptr, row == 0, FALSE, state == 1, TRUE, TRUE);
    }
    button.openPopup = nullptr;
}

LRESULT CALLBACK CalendarButtonSheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
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
    dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
    const char* columns[] = {"normal", "hot", "open", "disabled"};
    for (int c = 0; c < 4; ++c)
        dc.TextOut(kButtonLabel + c * kButtonCell + 6, 6, CString(columns[c]));
    const char* rows[] = {"horizontal bar", "vertical bar", "menu row"};
    for (int r = 0; r < 3; ++r) {
        const int y = 26 + r * kButtonRow;
        dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
        dc.TextOut(6, y + 10, CString(rows[r]));
        for (int c = 0; c < 4; ++c) {
            const CRect cell(kButtonLabel + c * kButtonCell + 4, y, kButtonLabel + (c + 1) * kButtonCell - 4,
                             y + kButtonRow - 4);
            const int saved = dc.SaveDC();
            dc.IntersectClipRect(&cell);
            DrawCalendarButton(dc, cell, r, c);
            dc.RestoreDC(saved);
        }
    }
    dc.SelectObject(pOldFont);
    dc.Detach();
    ::EndPaint(window, &ps);
    return 0;
}

} // namespace

void ShootCalendarSheets(const GalleryPhotographer& photograph)
{
    ScopedSeam clock(g_plannerSeams.now, [] { return kToday; });
    {
        CalendarSheet sheet(40, 40, 10, 10, TRUE);
        CZUDPCalendar& cal = sheet.m_calendar;
        // One month and the Today button below it.
        const int width = cal.m_nMonthWidth + 2;
        const int height = cal.m_nMonthHeight + 40;
        sheet.m_frame.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        cal.SetWindowPos(nullptr, 0, 0, width - 2, height - 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        cal.SelectDate(COleDateTime(2024, 5, 17, 0, 0, 0), FALSE, FALSE, TRUE);
        sheet.Show();
        photograph("calendar-one-month", sheet.Window());
    }
    {
        CalendarSheet sheet(40, 40, 10, 10, FALSE);
        CZUDPCalendar& cal = sheet.m_calendar;
        cal.EnableMultipleSelection(TRUE, TRUE);
        cal.EnableWeekNumbers(TRUE);
        const int width = 3 * cal.m_nMonthWidth + 2;
        const int height = 2 * cal.m_nMonthHeight + 2;
        sheet.m_frame.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        cal.SetWindowPos(nullptr, 0, 0, width - 2, height - 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        cal.SetFirstMonth(2024, 5, FALSE);
        CList<DATE, DATE> days;
        for (int d = 12; d <= 25; ++d)
            days.AddTail(double(COleDateTime(2024, 5, d, 0, 0, 0)));
        days.AddTail(double(COleDateTime(2024, 7, 4, 0, 0, 0)));
        cal.SetSelectedDates(days, FALSE, FALSE);
        CArray<DATE, DATE> marks;
        for (int d : {2, 9, 14, 21, 30})
            marks.Add(double(COleDateTime(2024, 5, d, 10, 0, 0)));
        for (int d : {3, 18})
            marks.Add(double(COleDateTime(2024, 6, d, 10, 0, 0)));
        marks.Add(double(COleDateTime(2024, 10, 31, 9, 0, 0)));
        cal.SetMarkedDates(marks, FALSE);
        sheet.Show();
        photograph("calendar-three-by-two", sheet.Window());

        // The month list open over the second block's caption.
        CRect block;
        cal.GetMonthRect(1, block);
        const CPoint caption(block.CenterPoint().x, block.top + 3);
        cal.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(caption.x, caption.y));
        if (CZUDPMonthPickerWnd* list = cal.GetMonthList()) {
            list->UpdateWindow();
            photograph("calendar-month-list", list->GetSafeHwnd());
            list->SendMessage(WM_CANCELMODE);
        } else {
            photograph("calendar-month-list", nullptr);
        }
    }
    {
        // A date control in a frame, its popup under it.
        CWnd frame;
        frame.CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_BTNFACE + 1)), "date", WS_POPUP | WS_BORDER,
                       300, 100, 260, 60, nullptr, nullptr);
        CWnd edit;
        edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "05/03/2024", WS_CHILD | WS_VISIBLE, 20, 16, 200, 24,
                      frame.GetSafeHwnd(), nullptr);
        CZUDPDateTimeCtrl control;
        control.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(20, 16, 220, 40), &frame, 5);
        control.SetDate(double(COleDateTime(2024, 5, 3, 0, 0, 0)));
        frame.ShowWindow(SW_SHOWNA);
        frame.UpdateWindow();
        auto* popup = new CZUDPCalendar;
        popup->SetFirstMonth(2024, 5, FALSE);
        popup->SelectDate(COleDateTime(2024, 5, 3, 0, 0, 0), FALSE, FALSE, FALSE);
        popup->ShowTodayButton(TRUE);
        popup->Create(WS_POPUP, CRect(0, 0, 0, 0), &control, 0);
        control.m_pPopup = popup;
        popup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        Pump();
        CRect owner, below;
        frame.GetWindowRect(owner);
        popup->GetWindowRect(below);
        CRect both;
        both.UnionRect(owner, below);
        auto picture = CompositePicture(both, {frame.GetSafeHwnd(), popup->GetSafeHwnd()});
        photograph("calendar-popup", picture ? picture->GetSafeHwnd() : popup->GetSafeHwnd());
        if (picture)
            picture->DestroyWindow();
        control.ClosePopupCalendar(COleDateTime(0.0));
        control.DestroyWindow();
        frame.DestroyWindow();
    }
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &CalendarButtonSheetProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "TrovGalleryCalendarButtonSheet";
        ::RegisterClassA(&wc);
        HWND window = ::CreateWindowExA(0, wc.lpszClassName, "Calendar buttons", WS_POPUP | WS_BORDER | WS_VISIBLE,
                                        20, 20, kButtonLabel + 4 * kButtonCell + 8, 26 + 3 * kButtonRow + 8,
                                        nullptr, nullptr, wc.hInstance, nullptr);
        photograph("calendar-menu-buttons", window);
        if (window != nullptr)
            ::DestroyWindow(window);
    }
    {
        // A calendar bar as a control of a dialog-like window.
        CWnd dialog;
        dialog.CreateEx(0, AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_BTNFACE + 1)), "dialog",
                        WS_POPUP | WS_BORDER, 60, 60, 260, 240, nullptr, nullptr);
        CZUDPCalendarBar bar;
        const BOOL made = bar.CreateControl(&dialog, CRect(12, 12, 240, 220), 1234);
        if (made) {
            bar.GetCalendar().SetFirstMonth(2024, 5, FALSE);
            bar.GetCalendar().SelectDate(COleDateTime(2024, 5, 17, 0, 0, 0), FALSE, FALSE, TRUE);
        }
        dialog.ShowWindow(SW_SHOWNA);
        dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        photograph("calendar-bar-dialog-control", made ? dialog.GetSafeHwnd() : nullptr);
        if (made)
            bar.DestroyWindow();
        dialog.DestroyWindow();
    }
}
