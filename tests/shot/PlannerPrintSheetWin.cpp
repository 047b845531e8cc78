// Sheets of the planner's printed pages: each page is printed at 150 dpi
// onto an A4 bitmap that answers like a printer (through the printer
// capability seam), then shown halved in a window of its own.  Day page of
// three days (captions, all-day rows, lanes, duration strips), week page,
// month page (week bar, compressed weekend, bars across days) and the dual
// page.  The clock stands at 10:00 on Wednesday 15 May 2024.
#include "tests/shot/GallerySheets.h"

#include "framework/Seam.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerPrintDay.h"
#include "ui/planner/ZUDPPlannerPrintDual.h"
#include "ui/planner/ZUDPPlannerPrintMonth.h"
#include "ui/planner/ZUDPPlannerPrintWeek.h"
#include "ui/planner/ZUDPPlannerSeams.h"

#include <memory>

namespace {

const int kPageDpi = 150;
const int kPageWidth = 1240;
const int kPageHeight = 1754;
const COleDateTime kPrintDay(2024, 5, 15, 0, 0, 0);   // a Wednesday

COleDateTime PrintAt(int day, int hour, int minute)
{
    return COleDateTime(2024, 5, day, hour, minute, 0);
}

// The day page over Monday to Wednesday of the printed week.
class CGalleryThreeDayPrint : public CZUDPPlannerPrintDay {
public:
    void AdjustDateRange(const COleDateTime& date) override
    {
        (void)date;
        m_DateStart = COleDateTime(2024, 5, 13, 0, 0, 0);
        m_DateEnd = COleDateTime(m_DateStart.m_dt + 2.999988425925926);
    }
};

// An A4 page as a 32-bit bitmap, shown halved in a popup window.
class PrintedPageWindow {
public:
    PrintedPageWindow()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kPageWidth;
        info.bmiHeader.biHeight = -kPageHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        info.bmiHeader.biWidth = kPageWidth / 2;
        info.bmiHeader.biHeight = -(kPageHeight / 2);
        m_halfBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_halfBits, nullptr, 0);
        m_halfDc.Attach(::CreateCompatibleDC(nullptr));
        m_halfOld = ::SelectObject(m_halfDc.m_hDC, m_halfBitmap);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
        const RECT all = { 0, 0, kPageWidth, kPageHeight };
        ::FillRect(m_dc.m_hDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~PrintedPageWindow()
    {
        if (m_window != nullptr)
            ::DestroyWindow(m_window);
        ::SelectObject(m_dc.m_hDC, m_old);
        ::DeleteDC(m_dc.Detach());
        ::DeleteObject(m_bitmap);
        ::SelectObject(m_halfDc.m_hDC, m_halfOld);
        ::DeleteDC(m_halfDc.Detach());
        ::DeleteObject(m_halfBitmap);
    }
    PrintedPageWindow(const PrintedPageWindow&) = delete;
    PrintedPageWindow& operator=(const PrintedPageWindow&) = delete;

    // Prints one job of the printer for the control onto the page.
    void Print(CZUDPPlannerPrint& printer, CZUDPPlannerManagerCtrl& planner)
    {
        CPrintInfo info;
        info.m_rectDraw = CRect(0, 0, kPageWidth, kPageHeight);
        printer.OnPreparePrinting(&info);
        printer.OnBeginPrinting(&m_dc, &info, &planner);
        info.m_nCurPage = 1;
        printer.OnPrint(&m_dc, &info);
        ::GdiFlush();
        Halve();
    }
    HWND Show()
    {
        static const char* const kClass = "TrovGalleryPrintedPage";
        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = &PrintedPageWindow::Proc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = kClass;
            wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
            registered = ::RegisterClassA(&wc) != 0;
        }
        m_window = ::CreateWindowExA(0, kClass, "printed page", WS_POPUP | WS_BORDER, 20, 10, kPageWidth / 2 + 2,
                                     kPageHeight / 2 + 2, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        if (m_window == nullptr)
            return nullptr;
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::ShowWindow(m_window, SW_SHOWNA);
        ::UpdateWindow(m_window);
        return m_window;
    }

private:
    // Each pixel of the halved page is the mean of its four: a one-pixel
    // line stays visible as grey instead of dropping out with every other
    // row or column.
    void Halve()
    {
        const auto* page = static_cast<const BYTE*>(m_bits);
        auto* half = static_cast<BYTE*>(m_halfBits);
        const int halfWidth = kPageWidth / 2;
        for (int y = 0; y < kPageHeight / 2; ++y) {
            const BYTE* row0 = page + size_t(2 * y) * kPageWidth * 4;
            const BYTE* row1 = row0 + size_t(kPageWidth) * 4;
            BYTE* out = half + size_t(y) * halfWidth * 4;
            for (int x = 0; x < halfWidth; ++x) {
                for (int c = 0; c < 4; ++c)
                    out[4 * x + c] = BYTE((row0[8 * x + c] + row0[8 * x + 4 + c] + row1[8 * x + c] +
                                           row1[8 * x + 4 + c] + 2) / 4);
            }
        }
    }

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_PAINT) {
            auto* self = reinterpret_cast<PrintedPageWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hWnd, &ps);
            if (self != nullptr) {
                ::BitBlt(dc, 0, 0, kPageWidth / 2, kPageHeight / 2, self->m_halfDc.m_hDC, 0, 0, SRCCOPY);
            }
            ::EndPaint(hWnd, &ps);
            return 0;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    HBITMAP m_bitmap = nullptr;
    void* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
    CDC m_dc;
    HBITMAP m_halfBitmap = nullptr;
    void* m_halfBits = nullptr;
    HGDIOBJ m_halfOld = nullptr;
    CDC m_halfDc;
    HWND m_window = nullptr;
};

// A hidden planner control holding the appointments printed.
class PrintedPlanner {
public:
    explicit PrintedPlanner(DWORD drawFlags)
    {
        m_host.CreateEx(0, AfxRegisterWndClass(0), "planner", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr);
        m_planner.m_bDrawFlagsFromManager = FALSE;
        m_planner.m_dwDrawFlags = drawFlags;
        m_planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &m_host, 1);
        m_planner.SetDate(kPrintDay, FALSE);
    }
    ~PrintedPlanner()
    {
        m_planner.RemoveAllAppointments(FALSE);
        m_planner.DestroyWindow();
        m_host.DestroyWindow();
    }
    void Add(const COleDateTime& start, const COleDateTime& finish, const char* text,
             COLORREF duration = 0xFF000000, BOOL bAllDay = FALSE)
    {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetAllDay(bAllDay);
        app->SetDescription(text);
        app->SetDurationColor(duration);
        m_planner.GetStorage()->Add(app);
    }
    CZUDPPlannerManagerCtrl& Ctrl() { return m_planner; }

private:
    CWnd m_host;
    CZUDPPlannerManagerCtrl m_planner;
};

const COLORREF kPrintStripBlue = RGB(32, 80, 176);
const COLORREF kPrintStripRed = RGB(200, 40, 40);

void FillWeek(PrintedPlanner& planner)
{
    // All-day rows: one over the three days, stacked ones below it.
    planner.Add(PrintAt(13, 0, 0), PrintAt(15, 0, 0), "Trade fair", 0xFF000000, TRUE);
    planner.Add(PrintAt(14, 0, 0), PrintAt(14, 0, 0), "Visitors on site", 0xFF000000, TRUE);
    // A long timed appointment: a bar above, a duration strip in each day.
    planner.Add(PrintAt(13, 10, 30), PrintAt(15, 15, 0), "Commissioning", kPrintStripRed);
    // Lanes: 9:00-10:00 and 10:30-11:30 share a lane beside 9:30-11:00.
    planner.Add(PrintAt(13, 9, 0), PrintAt(13, 10, 0), "Design review", kPrintStripBlue);
    planner.Add(PrintAt(13, 9, 30), PrintAt(13, 11, 0), "Call with the plant", kPrintStripBlue);
    planner.Add(PrintAt(13, 10, 30), PrintAt(13, 11, 30), "Parts order", kPrintStripBlue);
    // Off the hour lines: times written; zero length: the triangle.
    planner.Add(PrintAt(14, 13, 10), PrintAt(14, 13, 50), "Short check", kPrintStripRed);
    planner.Add(PrintAt(14, 15, 0), PrintAt(14, 15, 0), "Reminder");
    planner.Add(PrintAt(15, 16, 0), PrintAt(15, 17, 0), "Team meeting", kPrintStripBlue);
    // Across midnight into Thursday.
    planner.Add(PrintAt(15, 22, 0), PrintAt(16, 2, 0), "Night shift", kPrintStripRed);
    planner.Add(PrintAt(17, 8, 0), PrintAt(17, 9, 15), "Firmware release");
    planner.Add(PrintAt(18, 10, 0), PrintAt(18, 12, 0), "Site visit");
    planner.Add(PrintAt(19, 18, 0), PrintAt(19, 20, 0), "Dinner");
}

void FillMonth(PrintedPlanner& planner)
{
    FillWeek(planner);
    planner.Add(PrintAt(2, 0, 0), PrintAt(3, 0, 0), "Holiday", 0xFF000000, TRUE);
    planner.Add(PrintAt(6, 0, 0), PrintAt(10, 0, 0), "Training week", 0xFF000000, TRUE);
    planner.Add(COleDateTime(2024, 5, 30, 0, 0, 0), COleDateTime(2024, 6, 2, 0, 0, 0), "Audit", 0xFF000000, TRUE);
    for (int day = 1; day <= 31; day += 3)
        planner.Add(PrintAt(day, 9, 0), PrintAt(day, 9, 30), "Stand-up");
    planner.Add(PrintAt(21, 8, 0), PrintAt(21, 9, 0), "Backup check");
    planner.Add(PrintAt(21, 11, 0), PrintAt(21, 12, 0), "Supplier call");
    planner.Add(PrintAt(21, 14, 0), PrintAt(21, 15, 0), "Review");
    planner.Add(PrintAt(21, 16, 0), PrintAt(21, 17, 0), "Planning");
    planner.Add(PrintAt(21, 17, 0), PrintAt(21, 18, 0), "Inventory");
}

} // namespace

void ShootPlannerPrintSheets(const GalleryPhotographer& photograph)
{
    ScopedSeam<COleDateTime()> now(g_plannerSeams.now, [] { return PrintAt(15, 10, 0); });
    ScopedSeam<int(HDC, int)> caps(g_frameworkSeams.printerCaps, [](HDC, int index) {
        switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return kPageDpi;
        case HORZRES: return kPageWidth;
        case VERTRES: return kPageHeight;
        default: return 0;
        }
    });
    {
        PrintedPlanner planner(0);
        FillWeek(planner);
        PrintedPageWindow page;
        CGalleryThreeDayPrint printer;
        page.Print(printer, planner.Ctrl());
        photograph("planner-print-day", page.Show());
    }
    {
        PrintedPlanner planner(0);
        FillWeek(planner);
        PrintedPageWindow page;
        CZUDPPlannerPrintWeek printer;
        page.Print(printer, planner.Ctrl());
        photograph("planner-print-week", page.Show());
    }
    {
        // The week bar; the month view's compressed weekend.
        PrintedPlanner planner(0x200);
        planner.Ctrl().SetType(3, FALSE);
        FillMonth(planner);
        PrintedPageWindow page;
        CZUDPPlannerPrintMonth printer;
        page.Print(printer, planner.Ctrl());
        photograph("planner-print-month", page.Show());
    }
    {
        PrintedPlanner planner(0);
        FillWeek(planner);
        PrintedPageWindow page;
        CZUDPPlannerPrintDual printer;
        page.Print(printer, planner.Ctrl());
        photograph("planner-print-dual", page.Show());
    }
}
