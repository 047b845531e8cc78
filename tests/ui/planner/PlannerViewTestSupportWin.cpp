#include "tests/ui/planner/PlannerViewTestSupportWin.h"

#include <algorithm>

#include "ui/planner/ZUDPPlannerClockIcons.h"
#include "ui/planner/ZUDPPlannerSeams.h"

namespace plannerviewtest {

PlannerViewTest::PlannerViewTest()
    : m_clock(g_plannerSeams.now, [this] { return m_now; }),
      m_setTimer(g_frameworkSeams.setTimer,
                 [this](HWND, UINT_PTR id, UINT elapse, TIMERPROC) {
                     m_timers.push_back(TimerCall{id, elapse, false});
                     return id;
                 }),
      m_killTimer(g_frameworkSeams.killTimer, [this](HWND, UINT_PTR id) {
          m_timers.push_back(TimerCall{id, 0, true});
          return TRUE;
      })
{
}

PlannerViewTest::~PlannerViewTest()
{
    if (m_planner.GetSafeHwnd() != nullptr) {
        m_day.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = nullptr;
        m_planner.DestroyWindow();
    }
    if (m_host.GetSafeHwnd() != nullptr)
        m_host.DestroyWindow();
}

void PlannerViewTest::Create(int width, int height, const COleDateTime& start, int days, BOOL bScrollBar)
{
    ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "planner host", WS_POPUP, 0, 0, width, height, nullptr,
                                nullptr));
    m_planner.m_bShowScrollBar = bScrollBar;
    ASSERT_TRUE(m_planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &m_host, 100));
    // The fixture's own day view takes the place of the control's.
    m_planner.GetCurrentView()->OnDeactivate(&m_planner);
    m_timers.clear();
    m_planner.m_pCurrentView = &m_day;
    m_day.OnActivate(&m_planner, nullptr);
    Show(start, days);
}

void PlannerViewTest::Show(const COleDateTime& start, int days)
{
    m_day.m_dtDateStart = PlannerDates::TruncateToDay(start);
    m_day.m_dtDateEnd = m_day.m_dtDateStart + COleDateTimeSpan(double(days) - 1.0 / 86400.0);
    m_day.SetDate(m_day.m_dtDateStart);
}

CZUDPAppointment* PlannerViewTest::Add(const COleDateTime& start, const COleDateTime& finish, const char* description,
                                       BOOL bAllDay, BOOL bLayout)
{
    auto* pApp = new CZUDPAppointment;
    pApp->SetInterval(start, finish);
    pApp->SetAllDay(bAllDay);
    pApp->SetDescription(description);
    m_planner.GetStorage()->Add(pApp);
    if (bLayout)
        Relayout();
    return pApp;
}

void PlannerViewTest::RemoveAll()
{
    m_planner.ClearAppointmentSelection(FALSE);
    m_planner.ClearQuery();
    m_planner.GetStorage()->RemoveAll();
}

void PlannerViewTest::Relayout()
{
    m_day.QueryAppointments();
    m_day.AdjustLayout(FALSE);
}

void PlannerViewTest::SetDrawFlags(DWORD flags)
{
    m_planner.m_bDrawFlagsFromManager = FALSE;
    m_planner.m_dwDrawFlags = flags;
    m_day.AdjustLayout(FALSE);
}

void PlannerViewTest::SetTimeScale(int unit)
{
    m_planner.m_TimeScale = unit;
    m_day.AdjustLayout(FALSE);
}

void PlannerViewTest::Resize(int width, int height)
{
    m_host.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    m_planner.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlannerViewTest::Render(trovtest::DibCanvas& canvas)
{
    m_planner.SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
    ::GdiFlush();
}

int PlannerViewTest::MeasuredRowHeight()
{
    const TEXTMETRIC tm = trovtest::MeasureFont(HFONT(g_uiEnvironment.m_fontRegular.GetSafeHandle()));
    int row = tm.tmHeight + 4;
    const CSize clock = m_planner.GetClockIcons()->GetIconSize();
    row = std::max<int>(row, clock.cy + 2);
    CZUDPPlannerManagerCtrl::InitImages();
    return std::max<int>(row, CZUDPPlannerManagerCtrl::GetImageSize().cy + 2);
}

int PlannerViewTest::MeasuredTimeScaleWidth(int unit)
{
    return 5 + (CZUDPPlannerView::GetTimeScaleMinutes(unit) == 60 ? 2 : 3) * MeasuredRowHeight();
}

} // namespace plannerviewtest
