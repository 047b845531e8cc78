// trov_planner_month_bench: the planner's month view against plain GDI, in
// one run.  Run under Wine (headless):
//
//   trov_planner_month_bench [ROUNDS]      (default 7 rounds)
//
// Repaint: five weeks holding 2,000 appointments (1,800 timed ones spread
// over the days, 200 bars of one to four days), painted by the control's
// paint routine (WM_PRINTCLIENT) into a 32-bit DIB, against plain GDI
// drawing the same grid lines, day numbers, weekday names and the boxes
// (FillRect, FrameRect) with their descriptions (DrawText) at the
// rectangles the view's layout produced for the boxes it shows.  Goal: 3
// or less.  The stages of the view's paint follow.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/DC.h"
#include "framework/win/WinApp.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace benchrounds;

const COleDateTime kFirst(2024, 5, 1, 0, 0, 0);
const int kWidth = 1100;
const int kHeight = 800;

// A planner control in a hidden host with a month view of May 2024 and
// the week bar.
struct MonthViewFixture {
    MonthViewFixture()
    {
        host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, kWidth, kHeight), nullptr, 0);
        planner.m_bShowScrollBar = FALSE;
        planner.m_bDrawFlagsFromManager = FALSE;
        planner.m_dwDrawFlags = ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR;
        planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &host, 1);
        if (planner.GetCurrentView() != nullptr)
            planner.GetCurrentView()->OnDeactivate(&planner);
        planner.m_pCurrentView = &view;
        view.m_dtDate = kFirst;
        view.OnActivate(&planner, nullptr);
    }
    ~MonthViewFixture()
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
        app->SetBackgroundColor(RGB(168, 200, 240));
        planner.GetStorage()->Add(app);
    }

    CWnd host;
    CZUDPPlannerManagerCtrl planner;
    CZUDPPlannerViewMonth view;
};

// The same grid lines, captions, boxes and texts as the view, with plain
// GDI.
void PaintPlain(CDC& dc, CZUDPPlannerViewMonth& view, CZUDPPlannerManagerCtrl& planner)
{
    CRect client(0, 0, kWidth, kHeight);
    ::FillRect(dc, &client, (HBRUSH)g_uiEnvironment.m_brushWindow.GetSafeHandle());
    HGDIOBJ oldFont = ::SelectObject(dc, g_uiEnvironment.m_fontRegular.GetSafeHandle());
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::SetBkMode(dc, TRANSPARENT);

    const auto& days = view.GetDayRects();
    const int row = view.GetRowHeight();
    for (INT_PTR d = 0; d < days.GetSize(); ++d) {
        const CRect& day = days[d];
        ::MoveToEx(dc, day.left - 1, day.top, nullptr);
        ::LineTo(dc, day.left - 1, day.bottom);
        ::MoveToEx(dc, day.left, day.bottom, nullptr);
        ::LineTo(dc, day.right, day.bottom);
        CRect caption(day.left, day.top, day.right - 2, day.top + row);
        char text[8];
        std::snprintf(text, sizeof text, "%d", (view.GetDateStart() + COleDateTimeSpan(double(d))).GetDay());
        ::DrawTextA(dc, text, -1, &caption, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    for (int k = 0; k < 7 && k < days.GetSize(); ++k) {
        CRect header(days[k].left, 0, days[k].right, view.GetHeaderHeight());
        CString name = (view.GetDateStart() + COleDateTimeSpan(double(k))).Format("%A");
        ::DrawTextA(dc, name, name.GetLength(), &header, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    HBRUSH fill = ::CreateSolidBrush(RGB(168, 200, 240));
    HBRUSH frame = (HBRUSH)g_uiEnvironment.m_brushDarkShadow.GetSafeHandle();
    const CZUDPAppointmentArray& apps = planner.GetQueriedAppointments();
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* app = apps[i];
        const CZUDPAppointmentDSExMap& parts = app->GetDrawParts();
        auto box = [&](CRect rect) {
            ::FillRect(dc, &rect, fill);
            ::FrameRect(dc, &rect, frame);
            rect.DeflateRect(4, 0);
            const CString& text = app->GetDescription();
            ::DrawTextA(dc, text, text.GetLength(), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        };
        if (parts.GetCount() == 0) {
            if (app->IsVisibleDraw(COleDateTime(0.0)))
                box(app->GetDrawRect(COleDateTime(0.0)));
            continue;
        }
        for (INT_PTR p = 0; p < parts.GetCount(); ++p)
            if (parts.GetDrawStruct(p)->IsVisible())
                box(parts.GetDrawStruct(p)->GetRect());
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

    std::printf("planner month view against plain GDI, median of %d rounds\n", rounds);
    MonthViewFixture fixture;
    CZUDPPlannerViewMonth& view = fixture.view;
    const COleDateTime start = view.GetDateStart();
    for (int i = 0; i < 1800; ++i) {
        const COleDateTime begin = start + COleDateTimeSpan(i % 35, 7 + (i / 35) % 12, (i % 4) * 15, 0);
        fixture.Add(begin, begin + COleDateTimeSpan(0, 1, 0, 0), "Meeting " + std::to_string(i + 1));
    }
    for (int i = 0; i < 200; ++i) {
        const COleDateTime begin = start + COleDateTimeSpan(i % 33, 9, 0, 0);
        fixture.Add(begin, begin + COleDateTimeSpan(1 + i % 4, 0, 0, 0), "Trip " + std::to_string(i + 1), i % 2);
    }
    view.QueryAppointments();
    view.AdjustLayout(FALSE);
    int shown = 0;
    const CZUDPAppointmentArray& apps = fixture.planner.GetQueriedAppointments();
    for (INT_PTR i = 0; i < apps.GetSize(); ++i)
        for (INT_PTR p = 0; p < apps[i]->GetDrawParts().GetCount(); ++p)
            shown += apps[i]->GetDrawParts().GetDrawStruct(p)->IsVisible() ? 1 : 0;
    std::printf("%d appointments queried, %d boxes shown\n", int(apps.GetSize()), shown);

    Surface surface(kWidth, kHeight);
    const CRect client(0, 0, kWidth, kHeight);
    Result r = Compare(
        [&] { fixture.planner.SendMessage(WM_PRINTCLIENT, WPARAM(surface.dc.GetSafeHdc()), PRF_CLIENT); },
        [&] { PaintPlain(surface.dc, view, fixture.planner); }, 10, rounds);
    std::printf("5 weeks, 2,000 appointments repainted      %9.1f us  vs plain GDI %9.1f us  ratio %5.2f  "
                "(goal <= 3)%s\n",
                r.candidate * 1e6, r.baseline * 1e6, r.ratio, r.ratio <= 3 ? "" : "  OVER");
    Result direct = Compare(
        [&] {
            CFont* old = view.SelectFont(&surface.dc, FALSE);
            view.OnPaint(&surface.dc, client);
            surface.dc.SelectObject(old);
        },
        [&] { PaintPlain(surface.dc, view, fixture.planner); }, 10, rounds);
    std::printf("  the view's paint on the DIB alone         %9.1f us  vs plain GDI %9.1f us  ratio %5.2f\n",
                direct.candidate * 1e6, direct.baseline * 1e6, direct.ratio);

    auto stage = [&](const char* name, const std::function<void()>& body) {
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round)
            times.push_back(Time(body, 5));
        std::sort(times.begin(), times.end());
        std::printf("  of which %-30s %9.1f us\n", name, times[times.size() / 2] * 1e6);
    };
    stage("layout (not part of a repaint)", [&] { view.AdjustLayout(FALSE); });
    stage("grid and day captions", [&] { view.OnDrawClient(&surface.dc, view.m_rectView); });
    stage("appointments", [&] { view.DrawAppointments(&surface.dc, CRect(0, 0, 0, 0), COleDateTime(0.0)); });
    stage("header", [&] { view.OnDrawHeader(&surface.dc, CRect(view.m_rectView.left, 0, kWidth, view.GetHeaderHeight())); });
    stage("icons of hidden appointments", [&] { view.DrawUpDownIcons(&surface.dc); });
    stage("week bar", [&] { view.OnDrawWeekBar(&surface.dc, CRect(0, 0, view.GetWeekBarWidth(), kHeight)); });
    return 0;
}
