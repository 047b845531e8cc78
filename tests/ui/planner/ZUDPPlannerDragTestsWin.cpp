// Appointments dragged out of a planner control through the drag loop: moves
// and copies inside the control, to a second control and back, what the
// parents refuse, read-only controls, a control that goes away inside the
// loop, and the queried occurrences the storage owns itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Ole.h"
#include "tests/common/DragLoopWin.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerView.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

using plannertest::Date;
using plannertest::Text;

// The class below pairs its own allocation with a delete that keeps the
// memory (freed when the test ends); the compiler cannot see that pairing.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// An appointment class that counts its live objects and keeps the memory of
// deleted ones poisoned until the test ends, so that a use after free reads
// a broken object instead of a plausible one.  Read from streams by name,
// so not in an anonymous namespace.
class CDragLiveAppointment : public CZUDPAppointment {
    DECLARE_SERIAL(CDragLiveAppointment)
public:
    CDragLiveAppointment() { ++s_live; }
    ~CDragLiveAppointment() override { --s_live; }
    static void* operator new(size_t size)
    {
        void* p = std::malloc(size);
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }
    static void operator delete(void* p, size_t size)
    {
        std::memset(p, 0xDD, size);
        s_graveyard.push_back(p);
    }
    static void Bury()
    {
        for (void* p : s_graveyard)
            std::free(p);
        s_graveyard.clear();
    }
    static int s_live;
    static std::vector<void*> s_graveyard;
};
int CDragLiveAppointment::s_live = 0;
std::vector<void*> CDragLiveAppointment::s_graveyard;
IMPLEMENT_SERIAL(CDragLiveAppointment, CZUDPAppointment, VERSIONABLE_SCHEMA | 1)

namespace {

// A parent that records the planner's messages (sent or posted) and
// answers from a table per message; an action may run inside a handler.
class CDragParent : public CWnd {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool posted;
    };
    std::vector<Received> m_received;
    std::map<UINT, LRESULT> m_replies;
    std::map<UINT, std::function<void()>> m_actions;

    int Count(UINT message) const
    {
        int n = 0;
        for (const Received& r : m_received)
            n += r.message == message ? 1 : 0;
        return n;
    }
    const Received* Last(UINT message) const
    {
        for (auto it = m_received.rbegin(); it != m_received.rend(); ++it) {
            if (it->message == message)
                return &*it;
        }
        return nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= 0xC000 && message <= 0xFFFF) {
            m_received.push_back({ message, wParam, lParam, ::InSendMessage() == FALSE });
            auto action = m_actions.find(message);
            if (action != m_actions.end() && action->second) {
                auto run = action->second;
                action->second = nullptr;
                run();
            }
            auto reply = m_replies.find(message);
            return reply != m_replies.end() ? reply->second : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Not copied by the clipboard or drag stream.
class CDragUncopyable : public CDragLiveAppointment {
public:
    BOOL CanCopy() const override { return FALSE; }
};

const COleDateTime kDragNow = Date(2024, 5, 15, 10, 0, 0);

class PlannerDragTest : public ::testing::Test {
protected:
    PlannerDragTest()
        : m_locale(Locale()),
          m_clock(g_plannerSeams.now, [] { return kDragNow; }),
          m_setTimer(g_frameworkSeams.setTimer, [](HWND, UINT_PTR id, UINT, TIMERPROC) { return id; }),
          m_killTimer(g_frameworkSeams.killTimer, [](HWND, UINT_PTR) { return TRUE; }),
          m_cursor(g_frameworkSeams.cursorPos,
                   [this](POINT* p) {
                       *p = m_cursorScreen;
                       return TRUE;
                   }),
          m_keys(g_frameworkSeams.keyState,
                 [this](int key) { return SHORT(key == VK_LBUTTON && m_buttonDown ? 0x8000 : 0); }),
          m_startLoop(g_frameworkSeams.dragStartLoop, [](HWND, const RECT*) { return TRUE; }),
          m_loop(g_frameworkSeams.dragLoop, [this](IDataObject* data, IDropSource* source, DWORD ok, DWORD* effect) {
              m_offered = ok;
              ++m_loops;
              if (m_inLoop)
                  m_inLoop();
              return trovtest::RunDragSteps(data, source, ok, effect, m_steps);
          })
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        CDragLiveAppointment::s_live = 0;
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(m_parents[i].CreateEx(0, AfxRegisterWndClass(0), "planner parent", WS_POPUP, 700 * i, 0, 700,
                                              500, nullptr, nullptr));
            m_ctrls[i].reset(new CZUDPPlannerManagerCtrl);
            ASSERT_TRUE(m_ctrls[i]->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &m_parents[i], 100));
            ASSERT_TRUE(m_ctrls[i]->m_DropTarget.IsRegistered());
            m_ctrls[i]->SetTimeScale(0, FALSE);
        }
    }
    void TearDown() override
    {
        for (int i = 0; i < 2; ++i) {
            if (m_ctrls[i] && m_ctrls[i]->GetSafeHwnd() != nullptr)
                m_ctrls[i]->DestroyWindow();
            m_ctrls[i].reset();
            if (m_parents[i].GetSafeHwnd() != nullptr)
                m_parents[i].DestroyWindow();
        }
        EXPECT_EQ(0, CDragLiveAppointment::s_live) << "appointments left alive";
        CDragLiveAppointment::Bury();
    }
    static std::map<DWORD, std::string> Locale()
    {
        std::map<DWORD, std::string> locale = plannertest::Locale24();
        locale[LOCALE_SDATE] = "/";
        locale[LOCALE_IDATE] = "0";
        return locale;
    }

    CZUDPPlannerManagerCtrl& Ctrl(int i) { return *m_ctrls[i]; }
    CZUDPAppointment* Add(int ctrl, const COleDateTime& start, const COleDateTime& finish, const char* text,
                          CZUDPAppointment* app = nullptr)
    {
        if (app == nullptr)
            app = new CDragLiveAppointment;
        app->SetInterval(start, finish);
        app->SetDescription(text);
        EXPECT_TRUE(Ctrl(ctrl).AddAppointment(app, TRUE, FALSE));
        return app;
    }
    // The client point of the day view's slot that starts at the date.
    CPoint PointAt(int ctrl, const COleDateTime& date)
    {
        CZUDPPlannerView* view = Ctrl(ctrl).GetCurrentView();
        const CRect rect = Ctrl(ctrl).GetViewRect();
        const int x = rect.left + rect.Width() / 2;
        for (int y = rect.top; y < rect.bottom; ++y) {
            if (view->GetDateFromPoint(CPoint(x, y)) == date && view->HitTestArea(CPoint(x, y + 2)) != 0 &&
                view->GetDateFromPoint(CPoint(x, y + 2)) == date)
                return CPoint(x, y + 2);
        }
        ADD_FAILURE() << "no point shows " << Text(date);
        return rect.CenterPoint();
    }
    // The middle of an appointment's box (a press there moves it; the
    // edges resize).
    CPoint BoxCenter(int ctrl, CZUDPAppointment* app)
    {
        Ctrl(ctrl).AdjustLayout(FALSE);
        const CRect box = app->GetDrawRect(COleDateTime(0.0));
        EXPECT_FALSE(box.IsRectEmpty());
        return box.CenterPoint();
    }
    POINT Screen(int ctrl, CPoint client)
    {
        POINT p = client;
        ::ClientToScreen(Ctrl(ctrl).GetSafeHwnd(), &p);
        return p;
    }
    trovtest::DragStep Over(int ctrl, CPoint client, DWORD keys = MK_LBUTTON)
    {
        return { Ctrl(ctrl).m_DropTarget.GetDropTarget(), Screen(ctrl, client), keys };
    }
    // Presses at the point in control 0, moves past the drag rectangle and
    // runs the drag loop's steps.
    void Drag(CPoint from, std::vector<trovtest::DragStep> steps)
    {
        m_steps = std::move(steps);
        m_cursorScreen = Screen(0, from);
        m_buttonDown = true;
        Ctrl(0).SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ASSERT_TRUE(Ctrl(0).IsCapturing());
        if (m_afterPress)
            m_afterPress();
        const int cy = ::GetSystemMetrics(SM_CYDRAG);
        if (m_ctrls[0])
            Ctrl(0).SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + cy));
        m_buttonDown = false;
    }
    std::vector<std::string> Stored(int ctrl)
    {
        CZUDPAppointmentArray all;
        Ctrl(ctrl).GetStorage()->QueryAll(all);
        SortAppointments(all.GetData(), all.GetSize());
        std::vector<std::string> texts;
        for (INT_PTR i = 0; i < all.GetSize(); ++i)
            texts.push_back(std::string(static_cast<LPCSTR>(all[i]->GetDescription())) + " " +
                            Text(all[i]->GetStart()));
        return texts;
    }
    void PumpPosted(int parent)
    {
        MSG msg;
        while (::PeekMessage(&msg, m_parents[parent].GetSafeHwnd(), 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
    }

    CDragParent m_parents[2];
    std::unique_ptr<CZUDPPlannerManagerCtrl> m_ctrls[2];
    plannertest::ScopedPlannerLocale m_locale;
    POINT m_cursorScreen = {};
    bool m_buttonDown = false;
    std::vector<trovtest::DragStep> m_steps;
    std::function<void()> m_inLoop;
    std::function<void()> m_afterPress;
    DWORD m_offered = 0;
    int m_loops = 0;
    ScopedSeam<COleDateTime()> m_clock;
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_setTimer;
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_killTimer;
    ScopedSeam<BOOL(POINT*)> m_cursor;
    ScopedSeam<SHORT(int)> m_keys;
    ScopedSeam<BOOL(HWND, const RECT*)> m_startLoop;
    ScopedSeam<HRESULT(IDataObject*, IDropSource*, DWORD, DWORD*)> m_loop;
};

} // namespace

TEST_F(PlannerDragTest, InsideTheControlAMoveShiftsByTheCursorsWayAndACopyAddsOne)
{
    struct Case {
        const char* name;
        DWORD dropKeys;
        int rowsDown;
        std::vector<std::string> stored;
        DROPEFFECT reported;   // wParam of ZUDP_PLANNER_DRAG_APPOINTMENTS, 0: none sent
    };
    const Case cases[] = {
        { "move two rows down", 0, 2, { "A 2024-05-15 13:00" }, DROPEFFECT_MOVE },
        { "copy two rows down", MK_CONTROL, 2, { "A 2024-05-15 11:00", "A 2024-05-15 13:00" }, DROPEFFECT_COPY },
        { "move back onto its place", 0, 0, { "A 2024-05-15 11:00" }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ctrl(0).RemoveAllAppointments(FALSE);
        m_parents[0].m_received.clear();
        CZUDPAppointment* a = Add(0, Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
        Ctrl(0).SelectAppointment(a, TRUE, FALSE);
        const CPoint from = BoxCenter(0, a);
        const CPoint to = PointAt(0, Date(2024, 5, 15, 11 + c.rowsDown, 0, 0));
        Drag(from, { Over(0, from), Over(0, to, MK_LBUTTON | c.dropKeys), Over(0, to, c.dropKeys) });
        EXPECT_EQ(1, m_loops);
        m_loops = 0;
        EXPECT_EQ(c.stored, Stored(0));
        EXPECT_EQ(c.reported != 0 ? 1 : 0, m_parents[0].Count(ZUDP_PLANNER_DRAG_APPOINTMENTS));
        if (c.reported != 0) {
            EXPECT_EQ(WPARAM(c.reported), m_parents[0].Last(ZUDP_PLANNER_DRAG_APPOINTMENTS)->wParam);
        }
        // The drag ended: no capture, no drag state, its operation closed
        // once, posted, with its result.
        EXPECT_FALSE(Ctrl(0).IsCapturing());
        EXPECT_FALSE(Ctrl(0).m_bDragDrop);
        EXPECT_EQ(0, Ctrl(0).GetChangeOperation());
        EXPECT_EQ(0, Ctrl(0).GetCurrentView()->m_DragAppointments.GetSize());
        PumpPosted(0);
        ASSERT_NE(nullptr, m_parents[0].Last(ZUDP_PLANNER_END_CHANGE_OPERATION));
        EXPECT_EQ(WPARAM(3), m_parents[0].Last(ZUDP_PLANNER_END_CHANGE_OPERATION)->wParam);
        EXPECT_EQ(LPARAM(c.reported != 0), m_parents[0].Last(ZUDP_PLANNER_END_CHANGE_OPERATION)->lParam);
        EXPECT_TRUE(m_parents[0].Last(ZUDP_PLANNER_END_CHANGE_OPERATION)->posted);
        EXPECT_EQ(int(c.stored.size()), CDragLiveAppointment::s_live);
    }
}

TEST_F(PlannerDragTest, AMovedOccurrenceBecomesAnExceptionOfItsSeries)
{
    auto* master = new CDragLiveAppointment;
    master->SetDescription("daily");
    CZUDPRecurrenceRuleDaily rule;
    rule.SetDateStart(Date(2024, 5, 13));
    rule.SetTimeStart(COleDateTimeSpan(11.0 / 24));
    rule.SetTimeFinish(COleDateTimeSpan(12.0 / 24));
    auto* series = new CZUDPRecurrence;
    series->SetRule(&rule);
    master->SetRecurrence(series);
    ASSERT_TRUE(Ctrl(0).AddAppointment(master, TRUE, FALSE));
    CZUDPAppointment* occurrence = nullptr;
    for (INT_PTR i = 0; i < Ctrl(0).GetQueriedAppointments().GetSize(); ++i)
        occurrence = Ctrl(0).GetQueriedAppointments()[i];
    ASSERT_NE(nullptr, occurrence);
    ASSERT_TRUE(occurrence->IsRecurrenceClone());
    Ctrl(0).SelectAppointment(occurrence, TRUE, FALSE);
    const CPoint from = BoxCenter(0, occurrence);
    const CPoint to = PointAt(0, Date(2024, 5, 15, 14, 0, 0));
    Drag(from, { Over(0, from), Over(0, to), Over(0, to, 0) });

    // The series is still there, today's occurrence at 14:00, yesterday's
    // at 11:00.
    EXPECT_EQ(std::vector<std::string>{ "daily 2024-05-13 11:00" }, Stored(0));
    auto startOn = [&](const COleDateTime& day) {
        CZUDPAppointmentArray apps;
        Ctrl(0).GetStorage()->Query(apps, day, day + COleDateTimeSpan(0, 23, 59, 59));
        std::string text = apps.GetSize() == 1 ? Text(apps[0]->GetStart()) : "count " + std::to_string(apps.GetSize());
        Ctrl(0).DeleteQueriedOccurrences(apps);
        return text;
    };
    EXPECT_EQ("2024-05-15 14:00", startOn(Date(2024, 5, 15)));
    EXPECT_EQ("2024-05-14 11:00", startOn(Date(2024, 5, 14)));
}

TEST_F(PlannerDragTest, AMoveToAnotherControlRemovesExactlyTheWrittenSourcesUnlessTheTargetRefuses)
{
    struct Case {
        const char* name;
        LRESULT targetAddReply;   // the target's parent answers every addition
        DWORD dropKeys;
        std::vector<std::string> source;
        std::vector<std::string> target;
    };
    // The earliest dragged appointment lands at 14:00 in the target.
    const Case cases[] = {
        { "move", 0, 0, { "U 2024-05-15 12:00" }, { "A 2024-05-15 14:00" } },
        { "copy", 0, MK_CONTROL, { "A 2024-05-15 11:00", "U 2024-05-15 12:00" }, { "A 2024-05-15 14:00" } },
        { "move refused by the target's parent", -1, 0, { "A 2024-05-15 11:00", "U 2024-05-15 12:00" }, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ctrl(0).RemoveAllAppointments(FALSE);
        Ctrl(1).RemoveAllAppointments(FALSE);
        m_parents[1].m_replies[ZUDP_PLANNER_ADD_APPOINTMENT] = c.targetAddReply;
        CZUDPAppointment* a = Add(0, Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
        // Selected too, but not copyable: never written, so never removed.
        CZUDPAppointment* u =
            Add(0, Date(2024, 5, 15, 12, 0, 0), Date(2024, 5, 15, 13, 0, 0), "U", new CDragUncopyable);
        Ctrl(0).SelectAppointment(a, TRUE, FALSE);
        m_afterPress = [&] { Ctrl(0).SelectAppointment(u, TRUE, FALSE); };
        const CPoint from = BoxCenter(0, a);
        const CPoint to = PointAt(1, Date(2024, 5, 15, 14, 0, 0));
        Drag(from, { Over(0, from), Over(1, to, MK_LBUTTON | c.dropKeys), Over(1, to, c.dropKeys) });
        EXPECT_EQ(c.source, Stored(0));
        EXPECT_EQ(c.target, Stored(1));
        EXPECT_EQ(int(c.source.size() + c.target.size()), CDragLiveAppointment::s_live);
        EXPECT_EQ(0, Ctrl(0).GetChangeOperation());
        EXPECT_EQ(0, Ctrl(1).GetChangeOperation());
    }
}

TEST_F(PlannerDragTest, AReadOnlyControlOffersOnlyCopiesAndTakesNoDrop)
{
    CZUDPAppointment* a = Add(0, Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
    Ctrl(0).SelectAppointment(a, TRUE, FALSE);
    Ctrl(0).SetReadOnly(TRUE);
    Ctrl(1).SetReadOnly(TRUE);
    const CPoint from = BoxCenter(0, a);
    Drag(from, { Over(0, from), Over(1, PointAt(1, Date(2024, 5, 15, 14, 0, 0))),
                 Over(1, PointAt(1, Date(2024, 5, 15, 14, 0, 0)), 0) });
    EXPECT_EQ(DWORD(DROPEFFECT_COPY | DROPEFFECT_SCROLL), m_offered);
    EXPECT_EQ(std::vector<std::string>{ "A 2024-05-15 11:00" }, Stored(0));
    EXPECT_TRUE(Stored(1).empty());
    EXPECT_EQ(0, m_parents[0].Count(ZUDP_PLANNER_DRAG_APPOINTMENTS));
}

TEST_F(PlannerDragTest, AnOwnMoveTheParentRefusesStillKeepsAPlainAppointmentAtTheNewPlace)
{
    m_parents[0].m_replies[ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT] = 1;
    CZUDPAppointment* a = Add(0, Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
    Ctrl(0).SelectAppointment(a, TRUE, FALSE);
    const CPoint from = BoxCenter(0, a);
    const CPoint to = PointAt(0, Date(2024, 5, 15, 15, 0, 0));
    m_parents[0].m_received.clear();
    Drag(from, { Over(0, from), Over(0, to), Over(0, to, 0) });
    EXPECT_EQ(std::vector<std::string>{ "A 2024-05-15 15:00" }, Stored(0));
    EXPECT_EQ(1, m_parents[0].Count(ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT));
    EXPECT_EQ(0, m_parents[0].Count(ZUDP_PLANNER_UPDATE_APPOINTMENT));
    // The control moved it itself: the parent was not asked to add or remove.
    EXPECT_EQ(0, m_parents[0].Count(ZUDP_PLANNER_ADD_APPOINTMENT));
    EXPECT_EQ(0, m_parents[0].Count(ZUDP_PLANNER_REMOVE_APPOINTMENT));
}

TEST_F(PlannerDragTest, AControlThatGoesAwayInsideTheDragLoopIsNotTouchedAfterwards)
{
    enum What { DestroyFrame, DeleteControl };
    for (What what : { DestroyFrame, DeleteControl }) {
        SCOPED_TRACE(what == DestroyFrame ? "frame destroyed" : "control deleted");
        if (!m_ctrls[0]) {
            m_ctrls[0].reset(new CZUDPPlannerManagerCtrl);
            ASSERT_TRUE(m_parents[0].CreateEx(0, AfxRegisterWndClass(0), "planner parent", WS_POPUP, 0, 0, 700, 500,
                                              nullptr, nullptr));
            ASSERT_TRUE(m_ctrls[0]->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &m_parents[0], 100));
        }
        CZUDPAppointment* a = Add(0, Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0), "A");
        Ctrl(0).SelectAppointment(a, TRUE, FALSE);
        const CPoint from = BoxCenter(0, a);
        m_inLoop = [&] {
            if (what == DeleteControl)
                m_ctrls[0]->DestroyWindow();
            if (what == DeleteControl)
                m_ctrls[0].reset();
            m_parents[0].DestroyWindow();
        };
        // The drop goes to the second control, as a move.
        const CPoint to = PointAt(1, Date(2024, 5, 15, 14, 0, 0));
        m_steps = { Over(1, to), Over(1, to, 0) };
        m_cursorScreen = Screen(0, from);
        m_buttonDown = true;
        Ctrl(0).SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        const HWND hWnd = Ctrl(0).GetSafeHwnd();
        ::SendMessage(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + ::GetSystemMetrics(SM_CYDRAG)));
        m_buttonDown = false;
        m_inLoop = nullptr;
        EXPECT_FALSE(::IsWindow(hWnd));
        EXPECT_EQ(std::vector<std::string>{ "A 2024-05-15 14:00" }, Stored(1));
        if (m_ctrls[0]) {
            EXPECT_FALSE(m_ctrls[0]->m_bDragDrop);
            EXPECT_EQ(0, m_ctrls[0]->GetChangeOperation());
            EXPECT_EQ(nullptr, m_ctrls[0]->GetCurrentView());
            m_ctrls[0].reset();
        }
        Ctrl(1).RemoveAllAppointments(FALSE);
        EXPECT_EQ(0, CDragLiveAppointment::s_live);
    }
}

TEST_F(PlannerDragTest, AnOccurrenceTheStorageFiledItselfOutlivesEveryQuery)
{
    // An occurrence whose series is not in the storage is filed as it is:
    // the storage owns it, and queries hand out that very object.
    std::unique_ptr<CZUDPAppointment> elsewhere(new CDragLiveAppointment);
    CZUDPRecurrenceRuleDaily rule;
    rule.SetDateStart(Date(2024, 5, 13));
    rule.SetTimeStart(COleDateTimeSpan(11.0 / 24));
    rule.SetTimeFinish(COleDateTimeSpan(12.0 / 24));
    auto* series = new CZUDPRecurrence;
    series->SetRule(&rule);
    elsewhere->SetRecurrence(series);
    elsewhere->SetRecurrenceID(7);
    CZUDPAppointment* orphan = CZUDPAppointment::CreateRecurrenceClone(elsewhere.get(), Date(2024, 5, 15));
    ASSERT_NE(nullptr, orphan);
    elsewhere.reset();
    orphan->SetDescription("orphan");
    ASSERT_TRUE(Ctrl(0).AddAppointment(orphan, TRUE, FALSE));
    ASSERT_EQ(1, CDragLiveAppointment::s_live);

    // Queries of the shown range come and go (another week and back, the
    // calendar marks, a liveness check after a parent's reply).
    Ctrl(0).SetDate(Date(2024, 5, 22), FALSE);
    Ctrl(0).SetDate(Date(2024, 5, 15), FALSE);
    Ctrl(0).RequeryAppointments();
    m_parents[0].m_actions[ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT] = [&] { Ctrl(0).RequeryAppointments(); };
    Ctrl(0).UpdateAppointment(orphan, orphan->GetStart(), TRUE, FALSE);
    EXPECT_EQ(1, CDragLiveAppointment::s_live);
    EXPECT_EQ(std::vector<std::string>{ "orphan 2024-05-15 11:00" }, Stored(0));
    ASSERT_EQ(1, Ctrl(0).GetQueriedAppointments().GetSize());
    EXPECT_EQ(orphan, Ctrl(0).GetQueriedAppointments()[0]);
    // Removing it through the control deletes it once.
    Ctrl(0).SelectAppointment(orphan, TRUE, FALSE);
    Ctrl(0).RemoveSelectedAppointments(TRUE, FALSE);
    EXPECT_EQ(0, CDragLiveAppointment::s_live);
    EXPECT_TRUE(Stored(0).empty());
}

TEST_F(PlannerDragTest, AnEdgeBandScrollsTheViewAfterTheDelayInsideTheDragLoopAndEveryDragWaitsAgain)
{
    // Each look at the clock is 20 ms later: the steps of the loop are the
    // only thing that moves time on.
    DWORD now = 5000;
    ScopedSeam<DWORD()> tick(g_frameworkSeams.tickCount, [&now] { return now += 20; });
    Ctrl(0).SetTimeScale(3, FALSE);   // quarter-hour rows: the day does not fit
    CZUDPPlannerView* view = Ctrl(0).GetCurrentView();
    view->OnScroll(MAKEWORD(0xFF, SB_TOP), 0, TRUE);
    CZUDPAppointment* a = Add(0, Date(2024, 5, 15, 1, 0, 0), Date(2024, 5, 15, 2, 0, 0), "A");
    view->OnScroll(MAKEWORD(0xFF, SB_TOP), 0, TRUE);
    Ctrl(0).SelectAppointment(a, TRUE, FALSE);
    const CPoint from = BoxCenter(0, a);
    const CRect rect = Ctrl(0).GetViewRect();
    const CPoint band(rect.CenterPoint().x, rect.bottom - 2);
    auto hover = [&](int steps) {
        std::vector<trovtest::DragStep> path;
        for (int i = 0; i < steps; ++i)
            path.push_back(Over(0, band));
        trovtest::DragStep cancel = Over(0, band);
        cancel.escape = TRUE;
        path.push_back(cancel);
        return path;
    };
    struct Case {
        const char* name;
        int steps;
        bool scrolls;
    };
    // A short hover stays within the delay; a long one scrolls; a hover
    // as short as the first right after a drag that ended in the band
    // waits for the delay again.
    const Case cases[] = {
        // The first step enters the control; the next ones are moves over it.
        { "short hover", 2, false },
        { "long hover", 12, true },
        { "short hover after a drag that ended in the band", 2, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = view->GetScrollPosition();
        Drag(from, hover(c.steps));
        EXPECT_EQ(c.scrolls, view->GetScrollPosition() > before);
        view->OnScroll(MAKEWORD(0xFF, SB_TOP), 0, TRUE);
        Ctrl(0).SelectAppointment(a, TRUE, FALSE);
    }
    // Cancelled every time: nothing moved.
    EXPECT_EQ(std::vector<std::string>{ "A 2024-05-15 01:00" }, Stored(0));
}
