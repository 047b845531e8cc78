// Sheets of the planner's month and multi-resource views: five weeks with
// the week bar, the compressed weekend, long bars, days with more
// appointments than fit and today; three resources side by side, one of
// them with a caption too wide for its columns.  The clock stands at
// 14:30 on Wednesday 8 May 2024.
#include "tests/shot/GallerySheets.h"

#include "framework/Seam.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"
#include "ui/planner/ZUDPPlannerViewMulti.h"

namespace {

COleDateTime ViewsSheetTime(int month, int day, int hour, int minute)
{
    return COleDateTime(2024, month, day, hour, minute, 0);
}

const COLORREF kViewsBlue = RGB(168, 200, 240);
const COLORREF kViewsGreen = RGB(176, 224, 168);
const COLORREF kViewsRose = RGB(240, 184, 196);
const COLORREF kViewsSand = RGB(240, 224, 176);

// The control's class-wide first day of the week.
class CGalleryViewsWeekStart : public CZUDPPlannerManagerCtrl {
public:
    static int Swap(int day)
    {
        const int old = s_nFirstDayOfWeek;
        s_nFirstDayOfWeek = day;
        return old;
    }
};

// A frame holding a planner control of the view type given.
class PlannerViewsSheet {
public:
    PlannerViewsSheet(int width, int height, int type, DWORD flags, BOOL bMultiResource = FALSE)
    {
        m_frame.CreateEx(0, AfxRegisterWndClass(0), "planner", WS_POPUP | WS_BORDER, 40, 40, width, height, nullptr,
                         nullptr);
        if (bMultiResource)
            m_planner.SetStorageRTC(RUNTIME_CLASS(CZUDPAppointmentMultiStorage), FALSE);
        m_planner.m_TimeScale = 1;   // half-hour slots
        m_planner.m_bDrawFlagsFromManager = FALSE;
        m_planner.m_dwDrawFlags = flags;
        CRect client;
        m_frame.GetClientRect(client);
        m_planner.Create(WS_CHILD | WS_VISIBLE, client, &m_frame, 1);
        m_planner.SetType(type, FALSE);
        m_planner.SetDate(ViewsSheetTime(5, 8, 0, 0), FALSE);
    }
    ~PlannerViewsSheet()
    {
        m_planner.DestroyWindow();
        m_frame.DestroyWindow();
    }
    CZUDPAppointment* Add(const COleDateTime& start, const COleDateTime& finish, const char* text,
                          COLORREF background = 0xFF000000, BOOL bAllDay = FALSE, UINT resource = 0)
    {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetAllDay(bAllDay);
        app->SetDescription(text);
        app->SetBackgroundColor(background);
        app->SetResourceID(resource);
        m_planner.GetStorage()->Add(app);
        return app;
    }
    void Layout()
    {
        m_planner.RequeryAppointments();
        if (m_planner.GetCurrentView() != nullptr)
            m_planner.GetCurrentView()->AdjustLayout(FALSE);
    }
    void Show()
    {
        m_frame.ShowWindow(SW_SHOWNA);
        m_frame.UpdateWindow();
        m_planner.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    HWND Window() const { return m_frame.GetSafeHwnd(); }
    CZUDPPlannerManagerCtrl& Planner() { return m_planner; }

private:
    CWnd m_frame;
    CZUDPPlannerManagerCtrl m_planner;
};

void FillMonth(PlannerViewsSheet& sheet)
{
    sheet.Add(ViewsSheetTime(5, 2, 0, 0), ViewsSheetTime(5, 8, 0, 0), "Trade fair", kViewsGreen, TRUE);
    sheet.Add(ViewsSheetTime(5, 6, 9, 0), ViewsSheetTime(5, 6, 10, 0), "Planning", kViewsBlue);
    sheet.Add(ViewsSheetTime(5, 6, 11, 0), ViewsSheetTime(5, 6, 12, 0), "Supplier call");
    sheet.Add(ViewsSheetTime(5, 6, 13, 0), ViewsSheetTime(5, 6, 14, 0), "Line check", kViewsRose);
    sheet.Add(ViewsSheetTime(5, 6, 15, 0), ViewsSheetTime(5, 6, 16, 0), "Controller update");
    sheet.Add(ViewsSheetTime(5, 6, 16, 30), ViewsSheetTime(5, 6, 17, 0), "Report");
    sheet.Add(ViewsSheetTime(5, 6, 17, 30), ViewsSheetTime(5, 6, 18, 0), "Hidden one");
    sheet.Add(ViewsSheetTime(5, 8, 10, 0), ViewsSheetTime(5, 8, 11, 30), "Design review", kViewsBlue);
    sheet.Add(ViewsSheetTime(5, 8, 23, 0), ViewsSheetTime(5, 9, 1, 0), "Night shift", kViewsSand);
    sheet.Add(ViewsSheetTime(5, 13, 8, 0), ViewsSheetTime(5, 22, 17, 0), "Commissioning abroad", kViewsRose);
    sheet.Add(ViewsSheetTime(5, 18, 10, 0), ViewsSheetTime(5, 18, 12, 0), "Open day", kViewsGreen);
    sheet.Add(ViewsSheetTime(5, 24, 14, 0), ViewsSheetTime(5, 24, 15, 0), "Release", kViewsRose);
    sheet.Add(ViewsSheetTime(5, 31, 9, 0), ViewsSheetTime(6, 1, 12, 0), "Month end", kViewsSand);
}

} // namespace

void ShootPlannerViewSheets(const GalleryPhotographer& photograph)
{
    ScopedSeam<COleDateTime()> now(g_plannerSeams.now, [] { return ViewsSheetTime(5, 8, 14, 30); });
    const int firstDay = CGalleryViewsWeekStart::Swap(1);
    {
        PlannerViewsSheet sheet(760, 560, ZUDP_PLANNER_TYPE_MONTH, ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR);
        FillMonth(sheet);
        sheet.Layout();
        sheet.Show();
        photograph("planner-month", sheet.Window());
        sheet.Planner().GetCurrentView()->SetCompressWeekend(FALSE);
        sheet.Planner().m_dwDrawFlags =
            ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT | ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD;
        sheet.Layout();
        sheet.Show();
        photograph("planner-month-seven-columns-short-captions", sheet.Window());
    }
    {
        PlannerViewsSheet sheet(760, 560, ZUDP_PLANNER_TYPE_DAY, 0, TRUE);
        auto* storage = static_cast<CZUDPAppointmentMultiStorage*>(sheet.Planner().GetStorage());
        storage->AddResource(1, new CZUDPAppointmentStorage,
                             new CZUDPResourceInfo("Anna", ViewsSheetTime(1, 1, 7, 0), ViewsSheetTime(1, 1, 15, 0)),
                             TRUE);
        storage->AddResource(2, new CZUDPAppointmentStorage,
                             new CZUDPResourceInfo("Commissioning team north, south and the test hall", COleDateTime(0.0),
                                                   COleDateTime(0.0)),
                             TRUE);
        storage->AddResource(3, new CZUDPAppointmentStorage,
                             new CZUDPResourceInfo("Test bench", COleDateTime(0.0), COleDateTime(0.0)), TRUE);
        storage->SetCurrentResourceID(0);
        sheet.Add(ViewsSheetTime(5, 8, 9, 0), ViewsSheetTime(5, 8, 10, 30), "Planning", kViewsBlue, FALSE, 1);
        sheet.Add(ViewsSheetTime(5, 8, 10, 0), ViewsSheetTime(5, 8, 11, 0), "Supplier call", kViewsGreen, FALSE, 1);
        sheet.Add(ViewsSheetTime(5, 8, 9, 30), ViewsSheetTime(5, 8, 12, 0), "Site visit", kViewsRose, FALSE, 2);
        sheet.Add(ViewsSheetTime(5, 8, 0, 0), ViewsSheetTime(5, 9, 0, 0), "Trade fair", kViewsGreen, TRUE, 2);
        sheet.Add(ViewsSheetTime(5, 8, 0, 0), ViewsSheetTime(5, 9, 0, 0), "Calibration", kViewsSand, TRUE, 3);
        sheet.Add(ViewsSheetTime(5, 8, 13, 0), ViewsSheetTime(5, 8, 14, 0), "Firmware test", kViewsBlue, FALSE, 3);
        sheet.Planner().SetType(ZUDP_PLANNER_TYPE_MULTI, FALSE);
        sheet.Planner().SetCurrentResourceID(3, FALSE);
        CZUDPPlannerView* view = sheet.Planner().GetCurrentView();
        view->UpdateResources();
        sheet.Layout();
        view->SetSelection(ViewsSheetTime(5, 8, 11, 0), ViewsSheetTime(5, 8, 12, 0), FALSE);
        sheet.Show();
        photograph("planner-multi-resource", sheet.Window());
    }
    CGalleryViewsWeekStart::Swap(firstDay);
}
