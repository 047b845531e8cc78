// trov_planner_input_bench: resizing an appointment and the week view
// against their baselines, in one run.  Run under Wine (headless):
//
//   trov_planner_input_bench [ROUNDS]      (default 7 rounds)
//
// Resize: mouse moves dragging the bottom edge of an appointment up and
// down a day view of 200 appointments (each move: new interval, sort,
// placement, off-screen paint through the control's paint routine) against
// plain layout-and-paint passes of the same day, 100 of each per timing
// (1,000 over the warm-up and the default rounds).  Goal: 1.3 or less.
// Week: the week view's layout and paint of 7 x 20 appointments against
// plain GDI drawing the same day frames, captions, boxes and texts.  Goal:
// 3 or less.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/Seam.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewDay.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace benchrounds;

const COleDateTime kWednesday(2024, 5, 8, 0, 0, 0);
const int kWidth = 900;
const int kHeight = 900;

// A planner control in a hidden host showing the view given.
struct InputFixture {
    explicit InputFixture(CZUDPPlannerView& v) : view(v)
    {
        host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, kWidth, kHeight), nullptr, 0);
        planner.m_bShowScrollBar = FALSE;
        planner.m_TimeScale = 1;
        planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &host, 1);
        if (planner.GetCurrentView() != nullptr)
            planner.GetCurrentView()->OnDeactivate(&planner);
        planner.m_pCurrentView = &view;
        view.m_dtDate = kWednesday;
        view.OnActivate(&planner, nullptr);
    }
    ~InputFixture()
    {
        view.OnDeactivate(&planner);
        planner.m_pCurrentView = nullptr;
        planner.DestroyWindow();
        host.DestroyWindow();
    }
    CZUDPAppointment* Add(const COleDateTime& start, const COleDateTime& finish, const std::string& text)
    {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetDescription(text.c_str());
        planner.GetStorage()->Add(app);
        return app;
    }

    CWnd host;
    CZUDPPlannerManagerCtrl planner;
    CZUDPPlannerView& view;
};

// The week's frames, captions, boxes and texts with plain GDI.
void PaintWeekPlain(CDC& dc, CZUDPPlannerViewWeek& view, CZUDPPlannerManagerCtrl& planner)
{
    CRect client(0, 0, kWidth, kHeight);
    ::FillRect(dc, &client, (HBRUSH)g_uiEnvironment.m_brushWindow.GetSafeHandle());
    HGDIOBJ oldFont = ::SelectObject(dc, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    HBRUSH face = (HBRUSH)g_uiEnvironment.m_brushBarFace.GetSafeHandle();
    HBRUSH frame = (HBRUSH)g_uiEnvironment.m_brushDarkShadow.GetSafeHandle();
    const auto& days = view.GetDayRects();
    for (INT_PTR d = 0; d < days.GetSize(); ++d) {
        CRect caption = days[d];
        caption.bottom = caption.top + view.GetRowHeight();
        ::FillRect(dc, &caption, face);
        ::FrameRect(dc, &days[d], frame);
        CString text = (view.GetDateStart() + COleDateTimeSpan(double(d))).Format("%A %B %d");
        ::DrawTextA(dc, text, text.GetLength(), &caption, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    HBRUSH fill = ::CreateSolidBrush(RGB(168, 200, 240));
    const CZUDPAppointmentArray& apps = planner.GetQueriedAppointments();
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CRect box = apps[i]->GetDrawRect(PlannerDates::TruncateToDay(apps[i]->GetStart()));
        if (box.IsRectEmpty() || !apps[i]->IsVisibleDraw(PlannerDates::TruncateToDay(apps[i]->GetStart())))
            continue;
        ::FillRect(dc, &box, fill);
        ::FrameRect(dc, &box, frame);
        box.DeflateRect(4, 1);
        char times[32];
        std::snprintf(times, sizeof times, "%02d:%02d %02d:%02d ", apps[i]->GetStart().GetHour(),
                      apps[i]->GetStart().GetMinute(), apps[i]->GetFinish().GetHour(), apps[i]->GetFinish().GetMinute());
        CString text = CString(times) + apps[i]->GetDescription();
        ::DrawTextA(dc, text, text.GetLength(), &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    ::DeleteObject(fill);
    ::SelectObject(dc, oldFont);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    std::printf("planner input against its baselines, median of %d rounds\n", rounds);
    {
        CZUDPPlannerViewDay day;
        InputFixture fixture(day);
        for (int i = 0; i < 200; ++i) {
            const COleDateTime start = kWednesday + COleDateTimeSpan(0, 7 + (i % 40) / 4, (i % 4) * 15, 0);
            fixture.Add(start, start + COleDateTimeSpan(0, 1, 0, 0), "Meeting " + std::to_string(i + 1));
        }
        CZUDPAppointment* resized =
            fixture.Add(kWednesday + COleDateTimeSpan(0, 2, 0, 0), kWednesday + COleDateTimeSpan(0, 3, 0, 0), "Resized");
        day.QueryAppointments();
        day.AdjustLayout(FALSE);
        const CRect box = resized->GetDrawRect(kWednesday);
        POINT cursor = {box.CenterPoint().x, box.bottom - 1};
        ::ClientToScreen(fixture.planner.GetSafeHwnd(), &cursor);
        ScopedSeam<BOOL(POINT*)> at(g_frameworkSeams.cursorPos, [cursor](POINT* p) {
            *p = cursor;
            return TRUE;
        });
        fixture.planner.m_bCaptured = TRUE;
        day.StartCapture();
        Surface surface(kWidth, kHeight);
        const int row = day.GetRowHeight();
        int step = 0;
        Result r = Compare(
            [&] {
                // Down and up by a row and two: every move changes the finish.
                const int y = box.bottom + row * (1 + step++ % 3);
                day.OnMouseMove(0, CPoint(box.CenterPoint().x, y));
                fixture.planner.SendMessage(WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT);
            },
            [&] {
                day.AdjustLayout(FALSE);
                fixture.planner.SendMessage(WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT);
            },
            100, rounds);
        day.RestoreCapturedAppointment();
        day.ForgetCapturedAppointment();
        fixture.planner.m_bCaptured = FALSE;
        std::printf("100 resize moves over 200 appointments  %9.1f ms  vs layout and paint %9.1f ms  ratio %5.2f  "
                    "(goal <= 1.3)%s\n",
                    r.candidate * 1e3, r.baseline * 1e3, r.ratio, r.ratio <= 1.3 ? "" : "  OVER");
    }
    {
        CZUDPPlannerViewWeek week;
        InputFixture fixture(week);
        const COleDateTime monday = week.GetDateStart();
        for (int d = 0; d < 7; ++d)
            for (int i = 0; i < 20; ++i) {
                const COleDateTime start = monday + COleDateTimeSpan(d, 7 + i / 2, (i % 2) * 30, 0);
                fixture.Add(start, start + COleDateTimeSpan(0, 0, 30, 0), "Task " + std::to_string(d * 20 + i + 1));
            }
        week.QueryAppointments();
        week.AdjustLayout(FALSE);
        Surface surface(kWidth, kHeight);
        Result r = Compare(
            [&] {
                week.AdjustLayout(FALSE);
                fixture.planner.SendMessage(WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT);
            },
            [&] { PaintWeekPlain(surface.dc, week, fixture.planner); }, 10, rounds);
        std::printf("week of 7 x 20 appointments laid out and painted %9.1f us  vs plain GDI %9.1f us  ratio %5.2f  "
                    "(goal <= 3)%s\n",
                    r.candidate * 1e6, r.baseline * 1e6, r.ratio, r.ratio <= 3 ? "" : "  OVER");
    }
    return 0;
}
