// Planner printing on a page that answers like a printer (a bitmap page with
// the printer's resolution through the printer seam): units and the page
// frame, the day layout's lanes, pages that must not divide by zero, and the
// printer's lifecycle when it begins again or the control removes what it
// holds.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Seam.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerPrintDay.h"
#include "ui/planner/ZUDPPlannerPrintMonth.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

using plannertest::Date;

// Counts its live objects (a daily series of it makes occurrences of it).
class CPrintCountedAppointment : public CZUDPAppointment {
    DECLARE_SERIAL(CPrintCountedAppointment)
public:
    CPrintCountedAppointment() { ++s_live; }
    ~CPrintCountedAppointment() override { --s_live; }
    static int s_live;
};
int CPrintCountedAppointment::s_live = 0;
IMPLEMENT_SERIAL(CPrintCountedAppointment, CZUDPAppointment, VERSIONABLE_SCHEMA | 1)

namespace {

// A month page handed an invalid print date when its job begins.
class CInvalidDatePrintMonth : public CZUDPPlannerPrintMonth {
public:
    void AdjustDateRange(const COleDateTime& date) override
    {
        (void)date;
        COleDateTime invalid;
        invalid.SetStatus(COleDateTime::invalid);
        CZUDPPlannerPrintMonth::AdjustDateRange(invalid);
    }
};

// A4 at the resolution, as pixels of a 32-bit bitmap.
class PrintPage {
public:
    explicit PrintPage(int dpi)
        : m_dpi(dpi), m_size(MulDiv(1240, dpi, 150), MulDiv(1754, dpi, 150)),
          m_caps(g_frameworkSeams.printerCaps, [this](HDC, int index) {
              switch (index) {
              case LOGPIXELSX:
              case LOGPIXELSY: return m_dpi;
              case HORZRES: return int(m_size.cx);
              case VERTRES: return int(m_size.cy);
              default: return 0;
              }
          })
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_size.cx;
        info.bmiHeader.biHeight = -m_size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
        const RECT all = { 0, 0, m_size.cx, m_size.cy };
        ::FillRect(m_dc.m_hDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        m_info.m_rectDraw = CRect(0, 0, m_size.cx, m_size.cy);
    }
    ~PrintPage()
    {
        ::SelectObject(m_dc.m_hDC, m_old);
        ::DeleteDC(m_dc.Detach());
        ::DeleteObject(m_bitmap);
    }
    CDC* DC() { return &m_dc; }
    CPrintInfo* Info() { return &m_info; }

private:
    int m_dpi;
    CSize m_size;
    ScopedSeam<int(HDC, int)> m_caps;
    HBITMAP m_bitmap = nullptr;
    void* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
    CDC m_dc;
    CPrintInfo m_info;
};

class PlannerPrintTest : public ::testing::Test {
protected:
    PlannerPrintTest()
        : m_locale(plannertest::Locale24()),
          m_clock(g_plannerSeams.now, [] { return Date(2024, 5, 15, 10, 0, 0); }),
          m_setTimer(g_frameworkSeams.setTimer, [](HWND, UINT_PTR id, UINT, TIMERPROC) { return id; }),
          m_killTimer(g_frameworkSeams.killTimer, [](HWND, UINT_PTR) { return TRUE; })
    {
    }
    void SetUp() override
    {
        CPrintCountedAppointment::s_live = 0;
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "planner parent", WS_POPUP, 0, 0, 700, 500, nullptr,
                                      nullptr));
        ASSERT_TRUE(m_ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &m_parent, 100));
    }
    void TearDown() override
    {
        m_ctrl.DestroyWindow();
        m_parent.DestroyWindow();
        EXPECT_EQ(0, CPrintCountedAppointment::s_live);
    }
    CZUDPAppointment* Add(const COleDateTime& s, const COleDateTime& f, const char* text)
    {
        auto* app = new CPrintCountedAppointment;
        app->SetInterval(s, f);
        app->SetDescription(text);
        EXPECT_TRUE(m_ctrl.AddAppointment(app, TRUE, FALSE));
        return app;
    }
    void AddDailySeries()
    {
        auto* master = new CPrintCountedAppointment;
        master->SetDescription("daily");
        CZUDPRecurrenceRuleDaily rule;
        rule.SetDateStart(Date(2024, 5, 1));
        rule.SetTimeStart(COleDateTimeSpan(8.0 / 24));
        rule.SetTimeFinish(COleDateTimeSpan(9.0 / 24));
        auto* series = new CZUDPRecurrence;
        series->SetRule(&rule);
        master->SetRecurrence(series);
        ASSERT_TRUE(m_ctrl.AddAppointment(master, TRUE, FALSE));
    }

    plannertest::ScopedPlannerLocale m_locale;
    ScopedSeam<COleDateTime()> m_clock;
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_setTimer;
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_killTimer;
    CWnd m_parent;
    CZUDPPlannerManagerCtrl m_ctrl;
};

} // namespace

TEST_F(PlannerPrintTest, UnitsFollowThePrinterResolutionAndTheFrameReservesHeaderAndFooter)
{
    struct Case {
        int dpi;
        BOOL header;
        BOOL footer;
        int unit;
    };
    const Case cases[] = {
        { 96, TRUE, TRUE, 1 }, { 150, TRUE, TRUE, 2 }, { 600, TRUE, TRUE, 6 },
        { 150, FALSE, TRUE, 2 }, { 150, TRUE, FALSE, 2 }, { 150, FALSE, FALSE, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, header " + std::to_string(c.header) + ", footer " +
                     std::to_string(c.footer));
        PrintPage page(c.dpi);
        CZUDPPlannerPrint printer;
        printer.OnPreparePrinting(page.Info());
        EXPECT_EQ(1u, page.Info()->GetMinPage());
        EXPECT_EQ(1u, page.Info()->GetMaxPage());
        printer.SetDrawPageHeader(c.header);
        printer.SetDrawPageFooter(c.footer);
        printer.OnBeginPrinting(page.DC(), page.Info(), &m_ctrl);
        printer.OnPrint(page.DC(), page.Info());
        EXPECT_EQ(c.unit, printer.GetUnitX());
        EXPECT_EQ(c.unit, printer.GetUnitY());
        const CRect& draw = page.Info()->m_rectDraw;
        const CRect& body = printer.GetPageRect();
        EXPECT_EQ(c.header ? printer.GetPageHeaderRect().bottom + 7 * c.unit : draw.top + c.unit, body.top);
        EXPECT_EQ(c.footer ? printer.GetPageFooterRect().top - 7 * c.unit : draw.bottom - c.unit, body.bottom);
        EXPECT_EQ(!c.header, printer.GetPageHeaderRect().IsRectEmpty() != FALSE);
        EXPECT_EQ(!c.footer, printer.GetPageFooterRect().IsRectEmpty() != FALSE);
    }
}

TEST_F(PlannerPrintTest, OverlappingAppointmentsOfADayTakeLanes)
{
    CZUDPAppointment* a = Add(Date(2024, 5, 15, 9, 0, 0), Date(2024, 5, 15, 10, 0, 0), "A");
    CZUDPAppointment* b = Add(Date(2024, 5, 15, 9, 30, 0), Date(2024, 5, 15, 11, 0, 0), "B");
    CZUDPAppointment* c = Add(Date(2024, 5, 15, 10, 30, 0), Date(2024, 5, 15, 11, 30, 0), "C");
    (void)a;
    (void)b;
    (void)c;
    PrintPage page(150);
    CZUDPPlannerPrintDay printer;
    printer.OnBeginPrinting(page.DC(), page.Info(), &m_ctrl);
    printer.OnPrint(page.DC(), page.Info());
    ASSERT_EQ(1, printer.GetDayRects().GetSize());
    const CRect column = printer.GetDayRects()[0];
    const int lane = column.Width() / 2;
    const int u = printer.GetUnitX();
    const COleDateTime day = Date(2024, 5, 15);
    // The printer prints the storage's objects: read their printed places.
    const CZUDPAppointmentArray& apps = printer.GetAppointments();
    ASSERT_EQ(3, apps.GetSize());
    CRect rects[3];
    for (int i = 0; i < 3; ++i)
        rects[i] = apps[i]->GetPrintRect(day);
    EXPECT_EQ(column.left, rects[0].left);
    EXPECT_EQ(column.left + lane - 3 * u, rects[0].right);
    EXPECT_EQ(column.left + lane, rects[1].left);
    EXPECT_EQ(column.right - 6 * u, rects[1].right);
    EXPECT_EQ(column.left, rects[2].left);
    EXPECT_EQ(column.left + lane - 3 * u, rects[2].right);
    // 09:00 to 10:00 is one row.
    EXPECT_EQ(printer.GetRowHeight(), rects[0].Height());
}

TEST_F(PlannerPrintTest, PagesThatCouldDivideByZeroPrintQuietly)
{
    // Forty seconds on the hour: one row, not none.
    Add(Date(2024, 5, 15, 10, 0, 0), Date(2024, 5, 15, 10, 0, 40), "short");
    {
        PrintPage page(150);
        CZUDPPlannerPrintDay printer;
        printer.OnBeginPrinting(page.DC(), page.Info(), &m_ctrl);
        printer.OnPrint(page.DC(), page.Info());
        ASSERT_EQ(1, printer.GetAppointments().GetSize());
        EXPECT_FALSE(printer.GetAppointments()[0]->GetPrintRect(Date(2024, 5, 15)).IsRectEmpty());
    }
    // A month page whose print date forms no month lays out nothing.  The
    // control's day view hands over a one-day range, so the month page forms
    // its own range from the date it is given when the job begins.
    {
        PrintPage page(150);
        CInvalidDatePrintMonth printer;
        printer.OnBeginPrinting(page.DC(), page.Info(), &m_ctrl);
        EXPECT_EQ(0, printer.GetDayCount());
        printer.OnPrint(page.DC(), page.Info());
        EXPECT_EQ(0, printer.GetDayRects().GetSize());
    }
}

TEST_F(PlannerPrintTest, APrinterBegunAgainOrToldOfRemovalsHoldsNothingStale)
{
    AddDailySeries();
    CZUDPAppointment* plain = Add(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "plain");
    const int stored = CPrintCountedAppointment::s_live;
    PrintPage page(150);
    CPrintInfo* info = page.Info();
    m_ctrl.CreatePrinter(info, RUNTIME_CLASS(CZUDPPlannerPrintDay));
    ASSERT_NE(nullptr, m_ctrl.GetPrinter());
    // Begun twice (a preview that starts again): the first query's
    // occurrence is gone, only the second's is alive.
    m_ctrl.PreparePrinting(page.DC(), info);
    EXPECT_EQ(stored + 1, CPrintCountedAppointment::s_live);
    m_ctrl.PreparePrinting(page.DC(), info);
    EXPECT_EQ(2, m_ctrl.GetPrinter()->GetAppointments().GetSize());
    // The stored count already holds the control's own occurrence of the
    // day; the printer's query adds exactly one, however often it begins.
    EXPECT_EQ(stored + 1, CPrintCountedAppointment::s_live);

    // Removed through the control between the beginning and the page: the
    // printer lets it go and never draws it.
    m_ctrl.SelectAppointment(plain, TRUE, FALSE);
    m_ctrl.RemoveSelectedAppointments(TRUE, FALSE);
    for (INT_PTR i = 0; i < m_ctrl.GetPrinter()->GetAppointments().GetSize(); ++i)
        EXPECT_NE(plain, m_ctrl.GetPrinter()->GetAppointments()[i]);
    m_ctrl.Print(page.DC(), info);
    m_ctrl.EndPrinting(page.DC(), info);
    EXPECT_EQ(nullptr, m_ctrl.GetPrinter());
}
