// Sheets of the planner's day view as real windows: one day with working
// hours, a slot selection, the current-time mark, overlapping, zero-length
// and midnight-crossing appointments, three all-day rows and the icons of
// hidden appointments; quarter-hour slots; five days; the drawing flags of
// gradient and rounded boxes and of no duration strips; a selected
// appointment with its grips.  The clock stands at 14:30 on the day shown.
#include "tests/shot/GallerySheets.h"

#include "framework/Seam.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPPlannerViewDay.h"

#include <functional>
#include <memory>
#include <string>

namespace {

const COleDateTime kShownDay(2024, 5, 8, 0, 0, 0);   // a Wednesday

COleDateTime Time(int day, int hour, int minute)
{
    return COleDateTime(2024, 5, day, hour, minute, 0);
}

// A frame with a planner control filling it and a day view showing days
// from the shown day.
class PlannerSheet {
public:
    PlannerSheet(int width, int height, int days, int unit, DWORD drawFlags)
    {
        m_frame.CreateEx(0, AfxRegisterWndClass(0), "planner", WS_POPUP | WS_BORDER, 40, 40, width, height, nullptr,
                         nullptr);
        m_planner.m_TimeScale = unit;
        m_planner.m_bDrawFlagsFromManager = FALSE;
        m_planner.m_dwDrawFlags = drawFlags;
        CRect client;
        m_frame.GetClientRect(client);
        m_planner.Create(WS_CHILD | WS_VISIBLE, client, &m_frame, 1);
        m_planner.m_pCurrentView = &m_view;
        m_view.OnActivate(&m_planner, nullptr);
        m_view.m_dtDateStart = kShownDay;
        m_view.m_dtDateEnd = kShownDay + COleDateTimeSpan(days - 1, 23, 59, 59);
        m_view.SetDate(kShownDay);
    }
    ~PlannerSheet()
    {
        m_view.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = nullptr;
        m_planner.DestroyWindow();
        m_frame.DestroyWindow();
    }

    CZUDPAppointment* Add(const COleDateTime& start, const COleDateTime& finish, const char* text,
                          COLORREF background = 0xFF000000, COLORREF duration = 0xFF000000, BOOL bAllDay = FALSE)
    {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetAllDay(bAllDay);
        app->SetDescription(text);
        app->SetBackgroundColor(background);
        app->SetDurationColor(duration);
        m_planner.GetStorage()->Add(app);
        return app;
    }
    void Select(const COleDateTime& start, const COleDateTime& end) { m_view.SetSelection(start, end, FALSE); }
    // Queries, lays out (scrolled to the first row given) and shows the
    // window.
    void Show(int firstRow, CZUDPAppointment* selected = nullptr)
    {
        m_view.QueryAppointments();
        if (selected != nullptr)
            m_planner.SelectAppointment(selected, TRUE, FALSE);
        m_view.m_nScrollOffset = firstRow;
        m_view.AdjustLayout(FALSE);
        m_frame.ShowWindow(SW_SHOWNA);
        m_frame.UpdateWindow();
    }
    HWND Window() const { return m_frame.GetSafeHwnd(); }

private:
    CWnd m_frame;
    CZUDPPlannerManagerCtrl m_planner;
    CZUDPPlannerViewDay m_view;
};

const COLORREF kBlue = RGB(168, 200, 240);
const COLORREF kGreen = RGB(176, 224, 168);
const COLORREF kRose = RGB(240, 184, 196);
const COLORREF kDurationBlue = RGB(32, 80, 176);
const COLORREF kDurationRed = RGB(200, 40, 40);

void FillOneDay(PlannerSheet& sheet)
{
    // Three all-day appointments: three rows of the band.
    sheet.Add(kShownDay, kShownDay, "Conference", kGreen, 0xFF000000, TRUE);
    sheet.Add(kShownDay, kShownDay, "Visitors on site", 0xFF000000, 0xFF000000, TRUE);
    sheet.Add(kShownDay, kShownDay, "Release day", kRose, 0xFF000000, TRUE);
    // Hidden above the rows shown.
    sheet.Add(Time(8, 6, 0), Time(8, 7, 0), "Early start", kBlue, kDurationBlue);
    // Three overlapping ones share the day.
    sheet.Add(Time(8, 9, 0), Time(8, 12, 0), "Design review", kBlue, kDurationBlue);
    sheet.Add(Time(8, 10, 0), Time(8, 11, 0), "Call with the plant", kGreen, kDurationRed);
    sheet.Add(Time(8, 11, 30), Time(8, 12, 30), "Lunch", kRose);
    // Off the slot boundaries: the times are written, the bar shows them.
    sheet.Add(Time(8, 13, 10), Time(8, 13, 50), "Short check", 0xFF000000, kDurationRed);
    // Zero length: the triangle.
    sheet.Add(Time(8, 15, 0), Time(8, 15, 0), "Reminder");
    sheet.Add(Time(8, 16, 0), Time(8, 17, 0), "Team meeting", kGreen, kDurationBlue);
    // Crossing midnight, and below the rows shown.
    sheet.Add(Time(8, 22, 0), Time(9, 2, 0), "Night shift", kRose, kDurationRed);
}

} // namespace

void ShootPlannerSheets(const GalleryPhotographer& photograph)
{
    ScopedSeam<COleDateTime()> now(g_plannerSeams.now, [] { return Time(8, 14, 30); });
    {
        // Half-hour slots, one day.
        PlannerSheet sheet(420, 560, 1, 1, 0);
        FillOneDay(sheet);
        sheet.Select(Time(8, 14, 0), Time(8, 14, 59));
        sheet.Show(16);
        photograph("planner-day", sheet.Window());
    }
    {
        PlannerSheet sheet(420, 560, 1, 3, 0);
        FillOneDay(sheet);
        sheet.Select(Time(8, 14, 0), Time(8, 14, 29));
        sheet.Show(52);
        photograph("planner-day-15-minutes", sheet.Window());
    }
    {
        // Five days with a long appointment and its duration strips, and the
        // midnight crossing seen on both days.
        PlannerSheet sheet(760, 520, 5, 1, 0);
        sheet.Add(Time(8, 10, 30), Time(10, 15, 0), "Trade fair", kGreen, kDurationBlue);
        sheet.Add(Time(9, 0, 0), Time(11, 0, 0), "Holiday", kRose, kDurationRed, TRUE);
        sheet.Add(Time(8, 9, 0), Time(8, 10, 0), "Review", kBlue, kDurationBlue);
        sheet.Add(Time(10, 22, 0), Time(11, 2, 0), "Night shift", kRose, kDurationRed);
        sheet.Add(Time(11, 9, 30), Time(11, 11, 0), "Audit", kBlue);
        sheet.Add(Time(12, 10, 0), Time(12, 10, 0), "Call back");
        sheet.Select(Time(9, 10, 0), Time(9, 11, 29));
        sheet.Show(18);
        photograph("planner-five-days", sheet.Window());
    }
    {
        PlannerSheet sheet(420, 560, 1, 1, ZUDP_PLANNER_DRAW_APP_GRADIENT_FILL | ZUDP_PLANNER_DRAW_APP_ROUNDED_CORNERS);
        FillOneDay(sheet);
        sheet.Show(16);
        photograph("planner-day-gradient-rounded", sheet.Window());
    }
    {
        PlannerSheet sheet(420, 560, 1, 1, ZUDP_PLANNER_DRAW_VIEW_NO_DURATION);
        FillOneDay(sheet);
        sheet.Show(16);
        photograph("planner-day-no-duration-strips", sheet.Window());
    }
    {
        PlannerSheet sheet(420, 560, 1, 1, 0);
        FillOneDay(sheet);
        CZUDPAppointment* selected = sheet.Add(Time(8, 18, 0), Time(8, 19, 0), "Selected one", kBlue, kDurationBlue);
        sheet.Show(28, selected);
        photograph("planner-day-selected", sheet.Window());
    }
    // The control with its own views: three days chosen as an interval,
    // then the work week of the same days.
    for (int type : { 0, 1 }) {
        CWnd frame;
        frame.CreateEx(0, AfxRegisterWndClass(0), "planner control", WS_POPUP | WS_BORDER, 40, 40, 760, 520, nullptr,
                       nullptr);
        CRect client;
        frame.GetClientRect(client);
        CZUDPPlannerManagerCtrl planner;
        planner.Create(WS_CHILD | WS_VISIBLE, client, &frame, 1);
        auto add = [&](const COleDateTime& start, const COleDateTime& finish, const char* text, COLORREF clr,
                       BOOL bAllDay) {
            auto* app = new CZUDPAppointment;
            app->SetInterval(start, finish);
            app->SetAllDay(bAllDay);
            app->SetDescription(text);
            app->SetBackgroundColor(clr);
            planner.AddAppointment(app, FALSE, FALSE);
        };
        add(Time(8, 0, 0), Time(9, 0, 0), "Trade fair", kGreen, TRUE);
        add(Time(8, 9, 0), Time(8, 11, 0), "Design review", kBlue, FALSE);
        add(Time(8, 10, 0), Time(8, 11, 30), "Call with the plant", kRose, FALSE);
        add(Time(9, 13, 0), Time(9, 14, 0), "Audit", kBlue, FALSE);
        add(Time(10, 10, 0), Time(10, 12, 0), "Team meeting", kGreen, FALSE);
        planner.SetDateInterval(Time(8, 0, 0), Time(10, 0, 0), FALSE);
        if (type == 1)
            planner.SetType(1, FALSE);
        planner.GetCurrentView()->SetSelection(Time(9, 15, 0), Time(9, 16, 0), FALSE);
        planner.GetCurrentView()->m_nScrollOffset = 16;
        planner.AdjustLayout(FALSE);
        frame.ShowWindow(SW_SHOWNA);
        frame.UpdateWindow();
        photograph(type == 0 ? "planner-control-three-days" : "planner-control-work-week", frame.GetSafeHwnd());
        planner.DestroyWindow();
        frame.DestroyWindow();
    }
}
