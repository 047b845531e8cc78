// trov_planner_bench: the planner's day view against plain GDI, in one run.
// Run under Wine (headless):
//
//   trov_planner_bench [ROUNDS]      (default 7 rounds)
//
// Layout and paint: a seven-day day view holding 200 timed appointments
// (overlapping in threes) and 20 long ones, laid out and painted into a
// 32-bit DIB memory DC (the view's paint on the surface the control hands
// it), against plain GDI drawing the same grid lines, the same boxes (FillRect, FrameRect) with their texts (DrawText) at the
// rectangles the layout produced, the time scale's hour labels and the day
// captions.  Goal: 3 or less.  A second line gives the same through the
// control's paint routine (WM_PRINTCLIENT), whose off-screen surface
// comes on top: the system's buffered paint, whose cost with nothing drawn
// is given below it.
// Long appointments: the layout of 500 long appointments (rows of the
// all-day band) on its own.  Goal: under 50 ms.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewDay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace benchrounds;

const COleDateTime kMonday(2024, 5, 6, 0, 0, 0);
const int kWidth = 1100;
const int kHeight = 900;

// A planner control in a hidden host with a day view showing seven days.
struct DayViewFixture {
    DayViewFixture()
    {
        host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, kWidth, kHeight), nullptr, 0);
        planner.m_bShowScrollBar = FALSE;
        planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &host, 1);
        planner.m_pCurrentView = &view;
        view.OnActivate(&planner, nullptr);
        view.m_dtDateStart = kMonday;
        view.m_dtDateEnd = kMonday + COleDateTimeSpan(6, 23, 59, 59);
        view.SetDate(kMonday);
    }
    ~DayViewFixture()
    {
        view.OnDeactivate(&planner);
        planner.m_pCurrentView = nullptr;
        planner.DestroyWindow();
        host.DestroyWindow();
    }
    void Add(const COleDateTime& start, const COleDateTime& finish, const std::string& text, BOOL bAllDay = FALSE)
    {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetAllDay(bAllDay);
        app->SetDescription(text.c_str());
        planner.GetStorage()->Add(app);
    }

    CWnd host;
    CZUDPPlannerManagerCtrl planner;
    CZUDPPlannerViewDay view;
};

// The same grid lines, boxes and texts as the view, with plain GDI.
void PaintPlain(CDC& dc, CZUDPPlannerViewDay& view, CZUDPPlannerManagerCtrl& planner)
{
    CRect client(0, 0, kWidth, kHeight);
    ::FillRect(dc, &client, (HBRUSH)g_uiEnvironment.m_brushWindow.GetSafeHandle());
    HGDIOBJ oldFont = ::SelectObject(dc, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::SetBkMode(dc, TRANSPARENT);

    const auto& days = view.GetDayRects();
    const int row = std::max(1, view.GetRowHeight());
    for (INT_PTR d = 0; d < days.GetSize(); ++d) {
        const CRect& day = days[d];
        for (int y = day.top + row - 1; y < day.bottom; y += row) {
            ::MoveToEx(dc, day.left, y, nullptr);
            ::LineTo(dc, day.right, y);
        }
        ::MoveToEx(dc, day.left, day.top, nullptr);
        ::LineTo(dc, day.left, day.bottom);
        CRect caption(day.left, 0, day.right, view.GetHeaderBandHeight());
        CString text = (kMonday + COleDateTimeSpan(double(d))).Format("%A, %d %B");
        ::DrawTextA(dc, text, text.GetLength(), &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    const CRect& scale = view.GetTimeScaleRect();
    for (int hour = 0, y = view.m_rectView.top; hour < 24 && y < scale.bottom; ++hour, y += 2 * row) {
        CRect label(scale.left, y, scale.right, y + 2 * row);
        char text[8];
        std::snprintf(text, sizeof text, "%2d:00", hour);
        ::DrawTextA(dc, text, -1, &label, DT_RIGHT | DT_TOP | DT_SINGLELINE);
    }

    HBRUSH fill = ::CreateSolidBrush(RGB(168, 200, 240));
    HBRUSH frame = (HBRUSH)g_uiEnvironment.m_brushDarkShadow.GetSafeHandle();
    const CZUDPAppointmentArray& apps = planner.GetQueriedAppointments();
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* app = apps[i];
        const CZUDPAppointmentDSExMap& parts = app->GetDrawParts();
        for (INT_PTR p = 0; p < parts.GetCount(); ++p) {
            CRect box = parts.GetDrawStruct(p)->GetRect();
            if (box.IsRectEmpty())
                continue;
            ::FillRect(dc, &box, fill);
            ::FrameRect(dc, &box, frame);
            box.DeflateRect(8, 2);
            const CString& text = app->GetDescription();
            ::DrawTextA(dc, text, text.GetLength(), &box, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        }
    }
    ::DeleteObject(fill);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldFont);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);

    std::printf("planner day view against plain GDI, median of %d rounds\n", rounds);
    {
        DayViewFixture fixture;
        // 200 timed appointments in threes: each group starts 20 minutes
        // apart and lasts an hour, so every box shares its hour with two.
        for (int i = 0; i < 200; ++i) {
            const int k = i / 7;
            const COleDateTime start =
                kMonday + COleDateTimeSpan(i % 7, 7 + k / 3, (k % 3) * 20, 0);
            fixture.Add(start, start + COleDateTimeSpan(0, 1, 0, 0), "Meeting " + std::to_string(i + 1));
        }
        for (int i = 0; i < 20; ++i) {
            const COleDateTime start = kMonday + COleDateTimeSpan(i % 5, 10, 0, 0);
            fixture.Add(start, start + COleDateTimeSpan(1 + i % 3, 0, 0, 0), "Trip " + std::to_string(i + 1),
                        i % 2);
        }
        fixture.view.QueryAppointments();
        fixture.view.AdjustLayout(FALSE);
        Surface surface(kWidth, kHeight);
        CZUDPPlannerViewDay& view = fixture.view;
        const CRect client(0, 0, kWidth, kHeight);
        // The view laid out and painted on the DIB, as the control has it
        // paint on its off-screen surface.
        Result r = Compare(
            [&] {
                view.AdjustLayout(FALSE);
                CFont* old = view.SelectFont(&surface.dc, FALSE);
                view.OnPaint(&surface.dc, client);
                surface.dc.SelectObject(old);
            },
            [&] { PaintPlain(surface.dc, view, fixture.planner); }, 10, rounds);
        std::printf("7 days, 220 appointments laid out and painted %9.1f us  vs plain GDI %9.1f us  ratio %5.2f  "
                    "(goal <= 3)%s\n",
                    r.candidate * 1e6, r.baseline * 1e6, r.ratio, r.ratio <= 3 ? "" : "  OVER");
        // The same through the control's paint routine (WM_PRINTCLIENT):
        // its off-screen surface comes on top, the system's buffered paint
        // where there is one.
        Result control = Compare(
            [&] {
                view.AdjustLayout(FALSE);
                fixture.planner.SendMessage(WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT);
            },
            [&] { PaintPlain(surface.dc, view, fixture.planner); }, 10, rounds);
        std::printf("  the same through the control's paint     %9.1f us  vs plain GDI %9.1f us  ratio %5.2f\n",
                    control.candidate * 1e6, control.baseline * 1e6, control.ratio);
        if (g_uiEnvironment.m_beginBufferedPaint != nullptr && g_uiEnvironment.m_endBufferedPaint != nullptr) {
            Result floor = Compare(
                [&] {
                    HDC buffered = nullptr;
                    CRect whole = client;
                    HPAINTBUFFER paintBuffer = g_uiEnvironment.m_beginBufferedPaint(
                        surface.dc.GetSafeHdc(), &whole, BPBF_TOPDOWNDIB, nullptr, &buffered);
                    if (paintBuffer != nullptr)
                        g_uiEnvironment.m_endBufferedPaint(paintBuffer, TRUE);
                },
                [&] { PaintPlain(surface.dc, view, fixture.planner); }, 10, rounds);
            std::printf("    of which the system's buffered paint  %9.1f us  (nothing drawn)\n", floor.candidate * 1e6);
        }
        // Where the view's time goes: its layout and the stages of its
        // paint, each on its own (median of the rounds).
        auto stage = [&](const char* name, const std::function<void()>& body) {
            std::vector<double> times;
            for (int round = 0; round < rounds; ++round)
                times.push_back(Time(body, 5));
            std::sort(times.begin(), times.end());
            std::printf("  of which %-28s %9.1f us\n", name, times[times.size() / 2] * 1e6);
        };
        stage("layout", [&] { view.AdjustLayout(FALSE); });
        stage("grid", [&] { view.OnDrawClient(&surface.dc, view.m_rectView); });
        stage("timed appointments", [&] { view.DrawAppointments(&surface.dc, view.m_rectView, COleDateTime(0.0)); });
        stage("time scale", [&] { view.DrawTimeScale(&surface.dc, view.GetTimeScaleRect(), TRUE); });
        stage("all-day band", [&] {
            const int band = view.GetAllDayBandHeight();
            const CRect rect(view.m_rectView.left, view.m_rectView.top - band, view.m_rectView.right,
                             view.m_rectView.top);
            view.DrawAllDayBand(&surface.dc, rect);
            view.DrawAppointments(&surface.dc, rect, COleDateTime(0.0));
        });
        stage("long appointments' strips", [&] { view.DrawLongAppointmentStrips(&surface.dc); });
        stage("tooltips after a layout", [&] { fixture.planner.UpdateToolTips(); });
        stage("captions", [&] {
            view.DrawDayCaptions(&surface.dc, CRect(view.m_rectView.left, 0, kWidth, view.GetHeaderBandHeight()));
        });
    }
    {
        DayViewFixture fixture;
        for (int i = 0; i < 500; ++i) {
            const COleDateTime start = kMonday + COleDateTimeSpan(double(i % 5));
            fixture.Add(start, start + COleDateTimeSpan(double(1 + i % 3)), "long", TRUE);
        }
        fixture.view.QueryAppointments();
        fixture.view.AdjustLayout(FALSE);
        std::vector<double> times;
        for (int round = 0; round < rounds + 1; ++round) {
            const double t = Time([&] { fixture.view.AdjustAppointments(); }, 1);
            if (round > 0)   // the first warms up
                times.push_back(t);
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        std::printf("500 long appointments placed             %9.1f ms  (goal < 50 ms)%s\n", median * 1e3,
                    median < 0.05 ? "" : "  OVER");
    }
    return 0;
}
