// The multi-resource view in a planner control over a multi-resource
// storage: resource columns, placement per resource, the two-row caption
// band with its hit code and tool tips, working hours per resource, the
// current resource's selection and its notification.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPPlannerViewMulti.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

// The view with what it hands to its caption and background painting.
class CTestMultiView : public CZUDPPlannerViewMulti {
public:
    struct Caption {
        std::string text;
        int align;
    };
    struct Background {
        CRect rect;
        BOOL working;
    };
    void DrawCaptionText(CDC* pDC, CRect rect, const CString& strText, COLORREF clrText, int nAlign,
                         BOOL bHighlight) override
    {
        captions.push_back(Caption{std::string(strText), nAlign});
        CZUDPPlannerViewMulti::DrawCaptionText(pDC, rect, strText, clrText, nAlign, bHighlight);
    }
    void DrawBackground(CDC* pDC, CRect rect, BOOL bWorkingTime) override
    {
        backgrounds.push_back(Background{rect, bWorkingTime});
        CZUDPPlannerViewMulti::DrawBackground(pDC, rect, bWorkingTime);
    }
    std::vector<Caption> captions;
    std::vector<Background> backgrounds;
};

// Messages the control's parent receives, counted.
int g_resourceChanged = 0;
WNDPROC g_hostProc = nullptr;

LRESULT CALLBACK CountingHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ZUDP_PLANNER_RESOURCEID_CHANGED)
        ++g_resourceChanged;
    return ::CallWindowProc(g_hostProc, hwnd, message, wParam, lParam);
}

// A resource of the fixture's storage: id, description, working start
// and end, and whether its information object is of another class.
struct MultiResource {
    UINT id;
    const char* description;
    COleDateTime start, end;
    bool plainInfo = false;
};

class MultiViewTest : public PlannerViewTest {
protected:
    using Resource = MultiResource;
    ~MultiViewTest() override
    {
        m_multi.m_DragAppointments.RemoveAll();
        m_multi.m_DragStored.RemoveAll();
        for (CZUDPAppointment* pApp : m_loose)
            delete pApp;
        if (m_multi.IsActive())
            m_multi.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = nullptr;
        if (g_hostProc != nullptr && m_host.GetSafeHwnd() != nullptr)
            ::SetWindowLongPtr(m_host.GetSafeHwnd(), GWLP_WNDPROC, LONG_PTR(g_hostProc));
        g_hostProc = nullptr;
    }
    // A control of `days` days, each `dayWidth` pixels wide after the time
    // scale, over a multi-resource storage with the resources given.
    void ShowMulti(const std::vector<Resource>& resources, int dayWidth = 700, int days = 1, int height = 600)
    {
        Create(1, 1, kWednesday);
        m_planner.SetStorageRTC(RUNTIME_CLASS(CZUDPAppointmentMultiStorage), TRUE);
        auto* pMulti = static_cast<CZUDPAppointmentMultiStorage*>(m_planner.GetStorage());
        for (const Resource& r : resources) {
            CObject* pInfo = r.plainInfo ? static_cast<CObject*>(new CZUDPAppointmentPropertyList)
                                         : new CZUDPResourceInfo(r.description, r.start, r.end);
            ASSERT_TRUE(pMulti->AddResource(r.id, new CZUDPAppointmentStorage, pInfo, TRUE));
        }
        pMulti->SetCurrentResourceID(0);
        m_width = dayWidth * days + MeasuredTimeScaleWidth(m_planner.m_TimeScale);
        Resize(m_width, height);
        Show(kWednesday, days);
        m_day.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = &m_multi;
        m_multi.OnActivate(&m_planner, &m_day);
        m_multi.m_dtDateStart = kWednesday;
        m_multi.m_dtDateEnd = kWednesday + COleDateTimeSpan(double(days) - 1.0 / 86400.0);
        m_multi.SetDate(kWednesday);
        m_multi.AdjustLayout(FALSE);
    }
    CZUDPAppointment* AddFor(UINT resource, const COleDateTime& start, const COleDateTime& finish,
                             BOOL bAllDay = FALSE)
    {
        auto* pApp = new CZUDPAppointment;
        pApp->SetInterval(start, finish);
        pApp->SetAllDay(bAllDay);
        pApp->SetResourceID(resource);
        pApp->SetDescription("app");
        m_planner.GetStorage()->Add(pApp);
        m_multi.QueryAppointments();
        m_multi.AdjustLayout(FALSE);
        return pApp;
    }
    const CRect& Column(int resource, int day = 0) { return m_multi.GetResource(resource).m_Rects[day]; }
    int CaptionTop() { return m_multi.GetRect().top - m_multi.GetAllDayBandHeight() - m_multi.GetHeaderBandHeight(); }

    CTestMultiView m_multi;
    std::vector<CZUDPAppointment*> m_loose;
    int m_width = 0;
};

const COleDateTime kNoTime(0.0);

std::vector<MultiResource> ThreeResources()
{
    return {{1, "Anna", kNoTime, kNoTime}, {2, "Bernd", kNoTime, kNoTime}, {3, "Carla", kNoTime, kNoTime}};
}

} // namespace

TEST_F(MultiViewTest, EachDayIsCutIntoOneColumnPerResourceTheLastTakingTheRest)
{
    ShowMulti({{3, "Carla", kNoTime, kNoTime}, {1, "Anna", kNoTime, kNoTime}, {2, "Bernd", kNoTime, kNoTime, true}});
    ASSERT_EQ(3, m_multi.GetResourceCount());
    // In ascending id order, described by their information objects; an
    // object of another class counts as none.
    EXPECT_EQ(1u, m_multi.GetResource(0).m_ResourceID);
    EXPECT_EQ(2u, m_multi.GetResource(1).m_ResourceID);
    EXPECT_EQ(3u, m_multi.GetResource(2).m_ResourceID);
    EXPECT_EQ(CString("Anna"), m_multi.GetResource(0).m_strDescription);
    EXPECT_EQ(CString(""), m_multi.GetResource(1).m_strDescription);
    EXPECT_EQ(1, m_multi.FindResourceIndex(2));
    EXPECT_EQ(-1, m_multi.FindResourceIndex(9));

    const CRect day = m_multi.GetDayRects()[0];
    ASSERT_EQ(700, day.Width());
    EXPECT_EQ(233, Column(0).Width());
    EXPECT_EQ(233, Column(1).Width());
    EXPECT_EQ(234, Column(2).Width());
    EXPECT_EQ(day.left, Column(0).left);
    EXPECT_EQ(Column(0).right, Column(1).left);
    EXPECT_EQ(day.right, Column(2).right);
    // The caption band holds two rows.
    EXPECT_EQ(2 * m_multi.GetRowHeight(), m_multi.GetHeaderBandHeight());
    // Nothing changed: the list is not updated again.
    EXPECT_FALSE(m_multi.UpdateResources());
}

TEST_F(MultiViewTest, AppointmentsStandInTheirResourcesColumnsAndUnknownResourcesNowhere)
{
    ShowMulti(ThreeResources());
    CZUDPAppointment* pTimed = AddFor(2, Date(2024, 5, 8, 10, 0), Date(2024, 5, 8, 11, 0));
    CZUDPAppointment* pOther = AddFor(1, Date(2024, 5, 8, 10, 0), Date(2024, 5, 8, 11, 0));
    const CRect rect = pTimed->GetDrawRect(kWednesday);
    EXPECT_GE(rect.left, Column(1).left);
    EXPECT_LE(rect.right, Column(1).right);
    EXPECT_EQ(Column(1).right - 6, rect.right);
    // The appointment of resource 1 at the same time does not share a
    // column with it: each fills its own resource's column.
    EXPECT_GE(pOther->GetDrawRect(kWednesday).left, Column(0).left);
    EXPECT_LE(pOther->GetDrawRect(kWednesday).right, Column(0).right);
    EXPECT_EQ(Column(0).right - 6, pOther->GetDrawRect(kWednesday).right);

    // An appointment of a resource the view does not show (filed before the
    // resource left the list) is neither placed nor painted, has no strip
    // and announces no hidden appointment.
    CZUDPAppointment* pStray = new CZUDPAppointment;
    pStray->SetInterval(Date(2024, 5, 7), Date(2024, 5, 10));
    pStray->SetAllDay(TRUE);
    pStray->SetResourceID(7);
    pStray->SetDurationColor(RGB(255, 0, 0));
    m_loose.push_back(pStray);
    m_planner.GetQueriedAppointments().Add(pStray);
    m_multi.AdjustLayout(FALSE);
    EXPECT_TRUE(pStray->GetDrawRect(kWednesday).IsRectNull());
    EXPECT_FALSE(pStray->IsVisibleDraw(kWednesday));
    EXPECT_EQ(0, m_multi.GetUpIconRects().GetSize());
    EXPECT_EQ(0, m_multi.GetDownIconRects().GetSize());
    trovtest::DibCanvas canvas(m_width, 600);
    EXPECT_NO_THROW(Render(canvas));
    EXPECT_EQ(0, canvas.CountColor(CRect(0, 0, canvas.Width(), canvas.Height()), RGB(255, 0, 0)));
    m_planner.GetQueriedAppointments().RemoveAt(m_planner.GetQueriedAppointments().GetSize() - 1);
}

TEST_F(MultiViewTest, AllDayRowsAreCountedPerResourceAndEveryDayIsABoxOfItsOwn)
{
    ShowMulti(ThreeResources(), 300, 3);
    AddFor(1, Date(2024, 5, 8), Date(2024, 5, 9), TRUE);
    AddFor(2, Date(2024, 5, 8), Date(2024, 5, 9), TRUE);
    // One row (the band also takes the pixels the grid's whole rows leave).
    const int row = m_multi.GetRowHeight();
    EXPECT_LT(m_multi.GetAllDayBandHeight(), 2 * (row + 2)) << "each resource has one all-day appointment";

    CZUDPAppointment* pLong = AddFor(3, Date(2024, 5, 8), Date(2024, 5, 10), TRUE);
    ASSERT_EQ(3, pLong->GetDrawParts().GetCount());
    for (int d = 0; d < 3; ++d) {
        SCOPED_TRACE(d);
        const CRect rect = pLong->GetDrawParts().GetDrawStruct(d)->GetRect();
        EXPECT_EQ(Column(2, d).left, rect.left);
        EXPECT_EQ(Column(2, d).right, rect.right);
    }
}

TEST_F(MultiViewTest, DraggedAppointmentsOfAResourceCountWhereverTheyStandInTheList)
{
    ShowMulti(ThreeResources());
    // The drag list is not sorted: resource 1's second appointment follows
    // one of resource 2.
    const UINT order[3] = {1, 2, 1};
    for (UINT resource : order) {
        auto* pApp = new CZUDPAppointment;
        pApp->SetInterval(Date(2024, 5, 8), Date(2024, 5, 9));
        pApp->SetAllDay(TRUE);
        pApp->SetResourceID(resource);
        m_loose.push_back(pApp);
        m_multi.m_DragAppointments.Add(pApp);
        m_multi.m_DragStored.Add(pApp);
    }
    m_multi.AdjustLayout(FALSE);
    const int row = m_multi.GetRowHeight();
    EXPECT_GE(m_multi.GetAllDayBandHeight(), 2 * (row + 2)) << "two rows for resource 1";
    EXPECT_LT(m_multi.GetAllDayBandHeight(), 3 * (row + 2));
    const CRect first = m_loose[0]->GetDrawRect(kWednesday);
    const CRect third = m_loose[2]->GetDrawRect(kWednesday);
    EXPECT_EQ(Column(0).left, first.left);
    EXPECT_EQ(Column(0).left, third.left);
    EXPECT_EQ(first.top + row + 2, third.top);
    EXPECT_EQ(Column(1).left, m_loose[1]->GetDrawRect(kWednesday).left);
}

TEST_F(MultiViewTest, TheLowerCaptionHalfIsTheResourceCaptionWithItsDescriptionAsToolTip)
{
    ShowMulti({{1, "Anna", kNoTime, kNoTime},
               {2, "Bernd with a description far too long for a column of two hundred pixels", kNoTime, kNoTime},
               {3, "Carla", kNoTime, kNoTime}});
    const int top = CaptionTop();
    const int half = m_multi.GetHeaderBandHeight() / 2;
    const CPoint upper(Column(1).left + 10, top + half - 1);
    const CPoint lower(Column(1).left + 10, top + half);
    EXPECT_EQ(ZUDP_PLANNER_HIT_HEADER, m_multi.HitTestArea(upper));
    EXPECT_EQ(ZUDP_PLANNER_HIT_HEADER_RESOURCE, m_multi.HitTestArea(lower));
    EXPECT_EQ(2u, m_multi.GetResourceFromPoint(lower));
    m_multi.SetCurrentResourceID(3, FALSE, FALSE);
    EXPECT_EQ(3u, m_multi.GetResourceFromPoint(upper)) << "the upper half gives the current resource";
    EXPECT_EQ(CString(m_multi.GetResource(1).m_strDescription), m_multi.GetToolTipText(lower));
    EXPECT_EQ(CString("Anna"), m_multi.GetToolTipText(CPoint(Column(0).left + 10, top + half)));

    // The long description is truncated: drawn left-aligned and given a
    // tool-tip area per column; the short ones centred, without.
    EXPECT_FALSE(m_multi.GetResource(0).m_bToolTip);
    EXPECT_TRUE(m_multi.GetResource(1).m_bToolTip);
    trovtest::DibCanvas canvas(m_width, 600);
    m_multi.captions.clear();
    Render(canvas);
    int found = 0;
    for (const CTestMultiView::Caption& c : m_multi.captions) {
        if (c.text == "Anna") {
            EXPECT_EQ(1, c.align);
            ++found;
        } else if (c.text == std::string(m_multi.GetResource(1).m_strDescription)) {
            EXPECT_EQ(0, c.align);
            ++found;
        }
    }
    EXPECT_EQ(2, found);
    const int before = m_planner.GetToolCount();
    m_planner.UpdateToolTips();
    EXPECT_GE(m_planner.GetToolCount(), 1);
    (void)before;
}

TEST_F(MultiViewTest, AResourceWithItsOwnHoursShowsThemAndEqualStartAndEndUseTheControls)
{
    m_planner.m_TimeScale = 0;   // hour rows
    ShowMulti({{1, "Early", Date(2024, 1, 1, 6, 0), Date(2024, 1, 1, 12, 0)},
               {2, "Same", Date(2024, 1, 1, 8, 0), Date(2024, 1, 1, 8, 0)}},
              300, 1, 24 * 30 + 100);
    ASSERT_EQ(0, m_multi.GetScrollPosition());
    trovtest::DibCanvas canvas(m_width, 24 * 30 + 100);
    m_multi.backgrounds.clear();
    Render(canvas);
    const int row = m_multi.GetRowHeight();
    const int top = m_multi.GetRect().top;
    auto working = [&](int resource, int hour) {
        const int y = top + hour * row + row / 2;
        for (const CTestMultiView::Background& b : m_multi.backgrounds)
            if (b.working && b.rect.PtInRect(CPoint(Column(resource).left + 20, y)))
                return true;
        return false;
    };
    struct Case {
        int resource, hour;
        bool working;
    } cases[] = {{0, 5, false}, {0, 6, true}, {0, 11, true}, {0, 12, false},
                 {1, 8, false}, {1, 9, true}, {1, 17, true}, {1, 18, false}};
    for (const Case& c : cases)
        EXPECT_EQ(c.working, working(c.resource, c.hour)) << c.resource << " at " << c.hour;
}

TEST_F(MultiViewTest, TheSelectionShowsOnlyInTheCurrentResourcesColumns)
{
    ShowMulti(ThreeResources());
    m_multi.SetSelection(Date(2024, 5, 8, 10, 0), Date(2024, 5, 8, 10, 0), FALSE);
    const int y = [&] {
        const int slot = m_multi.GetSlotMinutes();
        return m_multi.GetRect().top + (600 / slot - m_multi.GetScrollPosition()) * m_multi.GetRowHeight() +
               m_multi.GetRowHeight() / 2;
    }();
    ASSERT_LT(y, m_multi.GetRect().bottom) << "10:00 is on screen";
    const COLORREF selection = CZUDPVisualManager::GetActiveManager()->GetPlannerSelectionColor(&m_multi);
    trovtest::DibCanvas canvas(m_width, 600);
    auto selectedIn = [&](int resource) { return canvas.Pixel(Column(resource).left + 40, y) == selection; };

    // No resource chosen: the selection shows nowhere.
    Render(canvas);
    EXPECT_FALSE(selectedIn(0));
    EXPECT_FALSE(selectedIn(1));
    EXPECT_FALSE(selectedIn(2));
    m_multi.SetCurrentResourceID(2, FALSE, FALSE);
    Render(canvas);
    EXPECT_FALSE(selectedIn(0));
    EXPECT_TRUE(selectedIn(1));
    EXPECT_FALSE(selectedIn(2));
}

TEST_F(MultiViewTest, ANewCurrentResourceIsReportedOnce)
{
    ShowMulti(ThreeResources());
    g_hostProc = WNDPROC(::SetWindowLongPtr(m_host.GetSafeHwnd(), GWLP_WNDPROC, LONG_PTR(CountingHostProc)));
    g_resourceChanged = 0;
    EXPECT_TRUE(m_multi.SetCurrentResourceID(2, FALSE, TRUE));
    EXPECT_EQ(1, g_resourceChanged);
    EXPECT_TRUE(m_multi.SetCurrentResourceID(2, FALSE, TRUE));
    EXPECT_EQ(1, g_resourceChanged) << "the same id sends nothing";
    EXPECT_TRUE(m_multi.SetCurrentResourceID(3, FALSE, FALSE));
    EXPECT_EQ(1, g_resourceChanged);
    EXPECT_TRUE(m_multi.SetCurrentResourceID(42, FALSE, TRUE)) << "any id is taken";
    EXPECT_EQ(2, g_resourceChanged);
    EXPECT_EQ(42u, m_multi.GetCurrentResourceID());
}
