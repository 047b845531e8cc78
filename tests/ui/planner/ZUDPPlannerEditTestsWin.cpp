// The planner control's editing operations as its parent sees them: the
// notifications, the parent's refusals, and parents whose handlers call
// back into the control.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "tests/ui/planner/PlannerArchiveFixture.h"
#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPAppointmentStorage.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

struct Notification {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted;
};

// A parent that records every ZUDP_PLANNER_* message, answers from a
// table per message and may run an action inside a handler.
class CRecordingPlannerParent : public CWnd {
public:
    std::vector<Notification> m_received;
    std::map<UINT, LRESULT> m_replies;
    std::map<UINT, std::function<void()>> m_actions;

    int Count(UINT message) const
    {
        int n = 0;
        for (const Notification& note : m_received)
            n += note.message == message ? 1 : 0;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (IsPlannerMessage(message)) {
            m_received.push_back({ message, wParam, lParam, ::InSendMessage() == FALSE && m_pumping });
            auto action = m_actions.find(message);
            if (action != m_actions.end() && action->second) {
                auto run = action->second;
                action->second = nullptr;   // once
                run();
            }
            auto reply = m_replies.find(message);
            return reply != m_replies.end() ? reply->second : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

public:
    bool m_pumping = false;

    static bool IsPlannerMessage(UINT message)
    {
        const UINT all[] = { ZUDP_PLANNER_ADD_APPOINTMENT, ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT,
                             ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT, ZUDP_PLANNER_BEGIN_CHANGE_OPERATION,
                             ZUDP_PLANNER_END_CHANGE_OPERATION, ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS,
                             ZUDP_PLANNER_REMOVE_APPOINTMENT, ZUDP_PLANNER_SELECT_APPOINTMENT,
                             ZUDP_PLANNER_UPDATE_APPOINTMENT, ZUDP_PLANNER_DATE_CHANGED,
                             ZUDP_PLANNER_TYPE_CHANGED };
        for (UINT m : all) {
            if (m == message)
                return true;
        }
        return false;
    }
};

class PlannerEditTest : public PlannerViewTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "planner parent", WS_POPUP, 0, 0, 700, 500,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &m_parent, 100));
        m_planner.GetCurrentView()->OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = &m_day;
        m_day.OnActivate(&m_planner, nullptr);
        Show(kMonday, 7);
    }
    void TearDown() override
    {
        RemoveAll();
        m_planner.DestroyWindow();
        m_parent.DestroyWindow();
    }
    // Delivers what was posted to the parent.
    void Pump()
    {
        m_parent.m_pumping = true;
        MSG msg;
        while (::PeekMessage(&msg, m_parent.GetSafeHwnd(), 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        m_parent.m_pumping = false;
    }
    // Every queried entry is one of the storage's appointments of the range
    // (or an occurrence of it): no null, nothing removed.
    void ExpectQueryAndSelectionLive()
    {
        CZUDPAppointmentArray& query = m_planner.GetQueriedAppointments();
        CZUDPAppointmentArray fresh;
        m_planner.GetStorage()->Query(fresh, m_day.GetDateStart(), m_day.GetDateEnd());
        for (INT_PTR i = 0; i < query.GetSize(); ++i) {
            ASSERT_NE(query[i], nullptr);
            bool found = query[i]->IsRecurrenceClone();
            for (INT_PTR j = 0; j < fresh.GetSize() && !found; ++j)
                found = fresh[j] == query[i];
            EXPECT_TRUE(found) << "a queried entry is no longer in the storage";
        }
        for (INT_PTR j = 0; j < fresh.GetSize(); ++j) {
            if (fresh[j]->IsRecurrenceClone())
                delete fresh[j];
        }
        auto& selected = m_planner.GetSelectedAppointments();
        for (POSITION pos = selected.GetHeadPosition(); pos != nullptr;) {
            CZUDPAppointment* app = selected.GetNext(pos);
            bool inQuery = false;
            for (INT_PTR i = 0; i < query.GetSize(); ++i)
                inQuery = inQuery || query[i] == app;
            EXPECT_TRUE(inQuery) << "a selected entry is not queried";
        }
    }
    int StorageCount()
    {
        CZUDPAppointmentArray all;
        m_planner.GetStorage()->QueryAll(all);
        int n = int(all.GetSize());
        for (INT_PTR i = 0; i < all.GetSize(); ++i) {
            if (all[i]->IsRecurrenceClone())
                delete all[i];
        }
        return n;
    }

    CRecordingPlannerParent m_parent;
};

} // namespace

TEST_F(PlannerEditTest, AddingAsksTheParentAndARefusalLeavesTheCallerOwner)
{
    CZUDPAppointment* kept = Add(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "kept");
    (void)kept;
    m_parent.m_replies[ZUDP_PLANNER_ADD_APPOINTMENT] = -1;
    std::unique_ptr<CZUDPAppointment> refused(new CZUDPAppointment);
    refused->SetInterval(Date(2024, 5, 7, 9), Date(2024, 5, 7, 10));
    EXPECT_FALSE(m_planner.AddAppointment(refused.get()));
    EXPECT_EQ(StorageCount(), 1);
    ASSERT_EQ(m_parent.Count(ZUDP_PLANNER_ADD_APPOINTMENT), 1);
    EXPECT_EQ(m_parent.m_received[0].lParam, reinterpret_cast<LPARAM>(refused.get()));

    m_parent.m_replies.clear();
    EXPECT_TRUE(m_planner.AddAppointment(refused.release()));
    EXPECT_EQ(StorageCount(), 2);
    EXPECT_EQ(m_planner.GetQueriedAppointments().GetSize(), 2);
}

TEST_F(PlannerEditTest, AnAdditionWhoseControlGoesAwayInTheParentsHandlerFails)
{
    enum What { DestroyWindow, DeleteControl };
    for (What what : { DestroyWindow, DeleteControl }) {
        SCOPED_TRACE(what == DestroyWindow ? "window destroyed" : "control deleted");
        CRecordingPlannerParent parent;
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "planner parent", WS_POPUP, 0, 0, 700, 500, nullptr,
                                    nullptr));
        auto* ctrl = new CZUDPPlannerManagerCtrl;
        ASSERT_TRUE(ctrl->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 500), &parent, 100));
        bool deleted = false;
        parent.m_actions[ZUDP_PLANNER_ADD_APPOINTMENT] = [&] {
            ctrl->DestroyWindow();
            if (what == DeleteControl) {
                delete ctrl;
                deleted = true;
            }
        };
        std::unique_ptr<CZUDPAppointment> app(new CZUDPAppointment);
        app->SetInterval(Date(2024, 5, 7, 9), Date(2024, 5, 7, 10));
        // The caller still owns the object: the unique_ptr frees it.
        EXPECT_FALSE(ctrl->AddAppointment(app.get(), TRUE, TRUE));
        EXPECT_EQ(1, parent.Count(ZUDP_PLANNER_ADD_APPOINTMENT));
        if (!deleted) {
            CZUDPAppointmentArray all;
            ctrl->GetStorage()->QueryAll(all);
            EXPECT_EQ(0, all.GetSize());
            delete ctrl;
        }
        parent.DestroyWindow();
    }
}

TEST_F(PlannerEditTest, RefusalsByReplyKeepEverythingAsItWas)
{
    CZUDPAppointment* a = Add(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "A");

    m_parent.m_replies[ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT] = -1;
    const COleDateTime old = a->GetStart();
    a->SetInterval(Date(2024, 5, 7, 9), Date(2024, 5, 7, 10));
    EXPECT_FALSE(m_planner.UpdateAppointment(a, old));
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_UPDATE_APPOINTMENT), 0);
    a->SetInterval(old, Date(2024, 5, 6, 10));

    m_parent.m_replies[ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT] = 1;
    m_planner.SelectAppointment(a, TRUE, TRUE);
    EXPECT_EQ(m_planner.GetSelectedAppointmentsCount(), 0);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_SELECT_APPOINTMENT), 0);

    m_parent.m_replies.clear();
    m_planner.SelectAppointment(a, TRUE, FALSE);
    m_planner.SelectAppointment(a, TRUE, FALSE);   // already selected: nothing is sent
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT), 2);
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_SELECT_APPOINTMENT), 1);

    m_parent.m_replies[ZUDP_PLANNER_REMOVE_APPOINTMENT] = -1;
    m_planner.RemoveSelectedAppointments();
    EXPECT_EQ(StorageCount(), 1);
    ExpectQueryAndSelectionLive();
}

TEST_F(PlannerEditTest, RemovingOccurrencesRemovesTheSeriesOnceOrOneOccurrence)
{
    Show(kMonday, 14);   // four occurrences: 6, 8, 13 and 15 May
    auto master = plannertest::MakeWeeklyMaster();
    m_planner.GetStorage()->Add(master.release());
    Relayout();
    CZUDPAppointmentArray& query = m_planner.GetQueriedAppointments();
    ASSERT_EQ(query.GetSize(), 4);

    struct Case {
        const char* name;
        LRESULT reply;
        int asked;
        int left;
    };
    // Reply 1 on the first of three: the series goes, the others are not
    // asked.  Reply 0: only the three occurrences go.
    const Case cases[] = { { "whole series", 1, 1, 0 }, { "occurrences", 0, 3, 1 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (StorageCount() == 0) {
            auto again = plannertest::MakeWeeklyMaster();
            m_planner.GetStorage()->Add(again.release());
        }
        Relayout();
        ASSERT_EQ(query.GetSize(), 4);
        m_parent.m_received.clear();
        m_parent.m_replies[ZUDP_PLANNER_REMOVE_APPOINTMENT] = c.reply;
        for (int i = 0; i < 3; ++i)
            m_planner.SelectAppointment(query[i], TRUE, FALSE);
        m_planner.RemoveSelectedAppointments(TRUE, TRUE);
        EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_REMOVE_APPOINTMENT), c.asked);
        EXPECT_EQ(query.GetSize(), c.left);
        EXPECT_EQ(m_planner.GetSelectedAppointmentsCount(), 0);
        ExpectQueryAndSelectionLive();
    }
}

TEST_F(PlannerEditTest, RemoveAllAndClearingTheSelectionNotifyAsTheParentExpects)
{
    EXPECT_TRUE(m_planner.RemoveAllAppointments());
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS), 0) << "the storage was empty";

    CZUDPAppointment* a = Add(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "A");
    CZUDPAppointment* b = Add(Date(2024, 5, 7, 9), Date(2024, 5, 7, 10), "B");
    m_planner.SelectAppointment(a, TRUE, FALSE);
    m_planner.SelectAppointment(b, TRUE, FALSE);
    m_parent.m_received.clear();
    m_planner.ClearAppointmentSelection(TRUE);
    ASSERT_EQ(m_parent.m_received.size(), 2u);
    for (const Notification& note : m_parent.m_received) {
        EXPECT_EQ(note.message, ZUDP_PLANNER_SELECT_APPOINTMENT);
        EXPECT_EQ(note.wParam, 0u);
    }
    EXPECT_FALSE(a->IsSelected() || b->IsSelected());

    m_planner.SelectAppointment(a, TRUE, FALSE);
    EXPECT_TRUE(m_planner.RemoveAllAppointments());
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS), 1);
    EXPECT_EQ(m_planner.GetSelectedAppointmentsCount(), 0);
    EXPECT_EQ(m_planner.GetQueriedAppointments().GetSize(), 0);
}

TEST_F(PlannerEditTest, ChangeOperationsBeginOnceAndTheirEndArrivesPosted)
{
    EXPECT_TRUE(m_planner.SetChangeOperation(1));
    EXPECT_FALSE(m_planner.SetChangeOperation(2)) << "a second operation cannot begin";
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_BEGIN_CHANGE_OPERATION), 1);
    EXPECT_FALSE(m_planner.SetChangeOperation(0, TRUE));
    EXPECT_EQ(m_parent.Count(ZUDP_PLANNER_END_CHANGE_OPERATION), 0) << "posted, not yet delivered";
    Pump();
    ASSERT_EQ(m_parent.Count(ZUDP_PLANNER_END_CHANGE_OPERATION), 1);
    const Notification& end = m_parent.m_received.back();
    EXPECT_EQ(end.wParam, 1u);
    EXPECT_EQ(end.lParam, TRUE);
    EXPECT_TRUE(end.posted);

    m_parent.m_replies[ZUDP_PLANNER_BEGIN_CHANGE_OPERATION] = 1;
    EXPECT_FALSE(m_planner.SetChangeOperation(2));
    EXPECT_EQ(m_planner.GetChangeOperation(), 0);
    m_parent.m_replies.clear();

    m_parent.m_received.clear();
    m_planner.SetNotifyParent(FALSE);
    EXPECT_FALSE(m_planner.SetChangeOperation(2)) << "without notifications every operation is refused";
    EXPECT_TRUE(m_parent.m_received.empty());
    m_planner.SetNotifyParent(TRUE);
}

// Handlers that call back into the control: afterwards the query and the
// selection hold only live appointments, and an operation whose
// appointment went answers FALSE.
TEST_F(PlannerEditTest, ReentrantParentsLeaveOnlyLiveAppointments)
{
    enum Action { EmptyStorage, Requery, ClearSelection, RemoveThroughStorage };
    struct Case {
        const char* name;
        UINT message;
        Action action;
    };
    const Case cases[] = {
        { "before update, remove all", ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT, EmptyStorage },
        { "before update, storage removes it", ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT, RemoveThroughStorage },
        { "remove, remove all", ZUDP_PLANNER_REMOVE_APPOINTMENT, EmptyStorage },
        { "remove, re-query", ZUDP_PLANNER_REMOVE_APPOINTMENT, Requery },
        { "remove, clear selection", ZUDP_PLANNER_REMOVE_APPOINTMENT, ClearSelection },
        { "before select, remove all", ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT, EmptyStorage },
        { "select, re-query", ZUDP_PLANNER_SELECT_APPOINTMENT, Requery },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveAll();
        m_parent.m_actions.clear();
        m_parent.m_replies.clear();
        CZUDPAppointment* a = Add(Date(2024, 5, 6, 9), Date(2024, 5, 6, 10), "A");
        CZUDPAppointment* b = Add(Date(2024, 5, 7, 9), Date(2024, 5, 7, 10), "B");
        if (c.message != ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT && c.message != ZUDP_PLANNER_SELECT_APPOINTMENT) {
            m_planner.SelectAppointment(a, TRUE, FALSE);
            m_planner.SelectAppointment(b, TRUE, FALSE);
        }
        m_parent.m_actions[c.message] = [&, a, c] {
            switch (c.action) {
            case EmptyStorage: m_planner.RemoveAllAppointments(FALSE); break;
            case Requery: m_planner.RequeryAppointments(); break;
            case ClearSelection: m_planner.ClearAppointmentSelection(FALSE); break;
            case RemoveThroughStorage:
                m_planner.ClearAppointmentSelection(FALSE);
                m_planner.ClearQuery();
                m_planner.GetStorage()->Remove(a);
                break;
            }
        };
        if (c.message == ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT) {
            EXPECT_FALSE(m_planner.UpdateAppointment(a, a->GetStart()));
        } else if (c.message == ZUDP_PLANNER_REMOVE_APPOINTMENT) {
            m_planner.RemoveSelectedAppointments(FALSE, TRUE);
        } else {
            m_planner.SelectAppointment(a, TRUE, TRUE);
            if (c.action == EmptyStorage) {
                EXPECT_EQ(m_planner.GetSelectedAppointmentsCount(), 0);
            }
        }
        ExpectQueryAndSelectionLive();
    }
}
