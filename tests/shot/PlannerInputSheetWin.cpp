// Sheets of the planner's week and work-week views and of its input: the
// week (Monday first) with captions, lines, a selected day and the down
// icons of hidden appointments; the work week; an appointment being
// resized with its grips; copies dragged over the all-day band; the
// in-place editor open over an appointment.  The clock stands at 14:30 on
// Wednesday 8 May 2024.
#include "tests/shot/GallerySheets.h"

#include "framework/File.h"
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/planner/ZUDPAppointmentEdit.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPPlannerViewDay.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"
#include "ui/planner/ZUDPPlannerViewWorkWeek.h"

namespace {

COleDateTime InputSheetTime(int day, int hour, int minute) { return COleDateTime(2024, 5, day, hour, minute, 0); }

const COLORREF kInputBlue = RGB(168, 200, 240);
const COLORREF kInputGreen = RGB(176, 224, 168);
const COLORREF kInputRose = RGB(240, 184, 196);

// The control's class-wide first day of the week, for the week sheet.
class CGalleryWeekStart : public CZUDPPlannerManagerCtrl {
public:
    static int Swap(int day)
    {
        const int old = s_nFirstDayOfWeek;
        s_nFirstDayOfWeek = day;
        return old;
    }
};

// A frame holding a planner control whose current view is the one given.
class PlannerInputSheet {
public:
    PlannerInputSheet(int width, int height, CZUDPPlannerView& view) : m_view(view)
    {
        m_frame.CreateEx(0, AfxRegisterWndClass(0), "planner", WS_POPUP | WS_BORDER, 40, 40, width, height, nullptr,
                         nullptr);
        m_planner.m_TimeScale = 1;   // half-hour slots
        CRect client;
        m_frame.GetClientRect(client);
        m_planner.Create(WS_CHILD | WS_VISIBLE, client, &m_frame, 1);
        if (m_planner.GetCurrentView() != nullptr)
            m_planner.GetCurrentView()->OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = &m_view;
        m_view.m_dtDate = InputSheetTime(8, 0, 0);
        m_view.OnActivate(&m_planner, nullptr);
    }
    ~PlannerInputSheet()
    {
        m_view.ClearDragAppointments();
        m_view.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = nullptr;
        m_planner.DestroyWindow();
        m_frame.DestroyWindow();
    }
    CZUDPAppointment* Add(const COleDateTime& start, const COleDateTime& finish, const char* text,
                          COLORREF background = 0xFF000000, BOOL bAllDay = FALSE)
    {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetAllDay(bAllDay);
        app->SetDescription(text);
        app->SetBackgroundColor(background);
        m_planner.GetStorage()->Add(app);
        return app;
    }
    void Layout()
    {
        m_view.QueryAppointments();
        m_view.AdjustLayout(FALSE);
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
    CZUDPPlannerView& m_view;
};

void FillWeek(PlannerInputSheet& sheet)
{
    sheet.Add(InputSheetTime(6, 9, 0), InputSheetTime(6, 10, 0), "Planning", kInputBlue);
    sheet.Add(InputSheetTime(6, 11, 0), InputSheetTime(6, 12, 0), "Supplier call", kInputGreen);
    sheet.Add(InputSheetTime(6, 13, 0), InputSheetTime(6, 14, 0), "Line check");
    sheet.Add(InputSheetTime(6, 15, 0), InputSheetTime(6, 16, 0), "Controller update", kInputRose);
    sheet.Add(InputSheetTime(6, 16, 30), InputSheetTime(6, 17, 0), "Report");
    sheet.Add(InputSheetTime(6, 17, 30), InputSheetTime(6, 18, 0), "Hidden one");
    sheet.Add(InputSheetTime(6, 18, 0), InputSheetTime(6, 19, 0), "Another hidden one");
    sheet.Add(InputSheetTime(7, 0, 0), InputSheetTime(9, 0, 0), "Trade fair", kInputGreen, TRUE);
    sheet.Add(InputSheetTime(8, 10, 0), InputSheetTime(8, 11, 30), "Design review", kInputBlue);
    sheet.Add(InputSheetTime(10, 14, 0), InputSheetTime(10, 15, 0), "Release", kInputRose);
    sheet.Add(InputSheetTime(11, 10, 0), InputSheetTime(11, 12, 0), "Open day", kInputGreen);
    sheet.Add(InputSheetTime(12, 9, 0), InputSheetTime(12, 9, 30), "Backup check");
}

} // namespace

void ShootPlannerInputSheets(const GalleryPhotographer& photograph)
{
    ScopedSeam<COleDateTime()> now(g_plannerSeams.now, [] { return InputSheetTime(8, 14, 30); });
    {
        const int firstDay = CGalleryWeekStart::Swap(1);
        CZUDPPlannerViewWeek week;
        PlannerInputSheet sheet(640, 420, week);
        FillWeek(sheet);
        sheet.Layout();
        week.SetSelection(InputSheetTime(9, 0, 0), InputSheetTime(9, 0, 0), FALSE);
        sheet.Show();
        photograph("planner-week", sheet.Window());
        sheet.Planner().m_bDrawFlagsFromManager = FALSE;
        sheet.Planner().m_dwDrawFlags =
            ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT | ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD;
        sheet.Layout();
        sheet.Show();
        photograph("planner-week-two-part-captions", sheet.Window());
        CGalleryWeekStart::Swap(firstDay);
    }
    {
        CZUDPPlannerViewWorkWeek workWeek;
        PlannerInputSheet sheet(760, 560, workWeek);
        FillWeek(sheet);
        sheet.Layout();
        sheet.Show();
        photograph("planner-work-week", sheet.Window());
    }
    {
        // The bottom edge of a selected appointment dragged down an hour.
        CZUDPPlannerViewDay day;
        PlannerInputSheet sheet(420, 560, day);
        CZUDPAppointment* pApp =
            sheet.Add(InputSheetTime(8, 10, 0), InputSheetTime(8, 11, 0), "Being resized", kInputBlue);
        sheet.Add(InputSheetTime(8, 13, 0), InputSheetTime(8, 14, 0), "Fixed", kInputGreen);
        day.m_nScrollOffset = 16;
        sheet.Layout();
        sheet.Planner().SelectAppointment(pApp, TRUE, FALSE);
        day.AdjustLayout(FALSE);
        const CRect box = pApp->GetDrawRect(InputSheetTime(8, 0, 0));
        POINT cursor = {box.CenterPoint().x, box.bottom - 1};
        ::ClientToScreen(sheet.Planner().GetSafeHwnd(), &cursor);
        {
            ScopedSeam<BOOL(POINT*)> at(g_frameworkSeams.cursorPos, [cursor](POINT* p) {
                *p = cursor;
                return TRUE;
            });
            sheet.Planner().m_bCaptured = TRUE;
            day.StartCapture();
            day.OnMouseMove(0, CPoint(box.CenterPoint().x, box.bottom + 2 * day.GetRowHeight() + 2));
        }
        sheet.Show();
        photograph("planner-day-resizing", sheet.Window());
        day.RestoreCapturedAppointment();
        day.ForgetCapturedAppointment();
        sheet.Planner().m_bCaptured = FALSE;
    }
    {
        // A timed appointment of another planner dragged over Thursday's
        // all-day band: its copy is all-day there.
        CZUDPPlannerViewWorkWeek workWeek;
        PlannerInputSheet sheet(760, 560, workWeek);
        sheet.Add(InputSheetTime(7, 0, 0), InputSheetTime(7, 0, 0), "Audit", kInputGreen, TRUE);
        sheet.Add(InputSheetTime(9, 10, 0), InputSheetTime(9, 11, 0), "Review", kInputBlue);
        sheet.Layout();
        CZUDPAppointment dragged;
        dragged.SetInterval(InputSheetTime(1, 9, 0), InputSheetTime(1, 10, 0));
        dragged.SetDescription("Dragged copy");
        dragged.SetBackgroundColor(kInputRose);
        CZUDPAppointmentArray apps;
        apps.Add(&dragged);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            CZUDPPlannerManagerCtrl::SaveAppointmentsToArchive(ar, apps);
            ar.Close();
        }
        const UINT size = UINT(file.GetLength());
        HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, size);
        file.SeekToBegin();
        file.Read(::GlobalLock(hGlobal), size);
        ::GlobalUnlock(hGlobal);
        COleDataSource source;
        source.CacheGlobalData(CLIPFORMAT(CZUDPPlannerManagerCtrl::GetClipboardFormat()), hGlobal);
        COleDataObject data;
        data.Attach(source.GetDataObject(), FALSE);
        const CRect& thursday = workWeek.GetDayRects()[3];
        const CPoint band(thursday.left + 10, workWeek.GetTimeScaleRect().top + workWeek.GetHeaderBandHeight() + 3);
        workWeek.OnDragOver(&data, MK_CONTROL, band);
        sheet.Planner().m_dragEffect = DROPEFFECT_COPY;
        workWeek.AdjustLayout(FALSE);
        sheet.Show();
        photograph("planner-drag-over-all-day-band", sheet.Window());
        sheet.Planner().m_dragEffect = DROPEFFECT_NONE;
    }
    {
        CZUDPPlannerViewDay day;
        PlannerInputSheet sheet(420, 560, day);
        CZUDPAppointment* pApp =
            sheet.Add(InputSheetTime(8, 10, 0), InputSheetTime(8, 11, 30), "Design review", kInputBlue);
        day.m_nScrollOffset = 16;
        sheet.Layout();
        sheet.Planner().SelectAppointment(pApp, TRUE, FALSE);
        sheet.Show();
        const CPoint inText = pApp->GetTextRect(COleDateTime(0.0)).CenterPoint();
        pApp->UpdateEditRect(inText);
        day.EditAppointment(pApp);
        if (pApp->GetEditControl() != nullptr)
            pApp->GetEditControl()->SetWindowText("Design review, room 2");
        sheet.Show();
        photograph("planner-in-place-editor", sheet.Window());
        pApp->EndEditing(TRUE);
    }
}
