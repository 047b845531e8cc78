// The planner view host in a frame with a document: which control it uses,
// the notifications turned into its operations with their replies, the
// edit commands, its size, and the printing steps of a job.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Seam.h"
#include "framework/win/CommandIds.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"
#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerView.h"
#include "ui/planner/ZUDPPlannerPrint.h"
#include "ui/planner/ZUDPPlannerView.h"

using plannertest::Date;
using plannertest::Text;

// A control class a host is told to make (made by name, so outside the
// anonymous namespace).
class CHostMadePlannerCtrl : public CZUDPPlannerManagerCtrl {
    DECLARE_DYNCREATE(CHostMadePlannerCtrl)
};
IMPLEMENT_DYNCREATE(CHostMadePlannerCtrl, CZUDPPlannerManagerCtrl)

class CHostMultiPlannerCtrl : public CZUDPPlannerManagerCtrl {
    DECLARE_DYNCREATE(CHostMultiPlannerCtrl)
public:
    CHostMultiPlannerCtrl() : CZUDPPlannerManagerCtrl(RUNTIME_CLASS(CZUDPAppointmentMultiStorage)) {}
};
IMPLEMENT_DYNCREATE(CHostMultiPlannerCtrl, CZUDPPlannerManagerCtrl)

namespace {

// A host whose operations record their arguments and answer what the test
// says.
class CRecordingHost : public CZUDPPlannerManagerView {
public:
    std::vector<std::string> m_calls;
    LRESULT m_rawReply = 0;   // OnUpdateAppointment, OnRemoveAppointment
    BOOL m_allow = TRUE;      // OnSelectAppointment, OnBeginChangeOperation
    BOOL m_handled = FALSE;   // the click operations
    std::vector<std::string> m_printing;

    void Record(const char* name, long long a = 0, long long b = 0, long long c = 0)
    {
        m_calls.push_back(std::string(name) + " " + std::to_string(a) + " " + std::to_string(b) + " " +
                          std::to_string(c));
    }
    long long Id(CZUDPAppointment* p) { return (long long)(INT_PTR)p; }

    void OnAppointmentAdded(CZUDPAppointment* p) override { Record("added", Id(p)); }
    void OnAppointmentUpdated(CZUDPAppointment* p) override { Record("updated", Id(p)); }
    LRESULT OnUpdateAppointment(CZUDPAppointment* p) override
    {
        Record("update?", Id(p));
        return m_rawReply;
    }
    LRESULT OnRemoveAppointment(CZUDPAppointment* p) override
    {
        Record("remove?", Id(p));
        return m_rawReply;
    }
    void OnAllAppointmentsRemoved() override { Record("all removed"); }
    BOOL OnSelectAppointment(CZUDPAppointment* p, BOOL bSelect) override
    {
        Record("select?", Id(p), bSelect);
        return m_allow;
    }
    void OnAppointmentSelected(CZUDPAppointment* p, BOOL bSelected) override { Record("selected", Id(p), bSelected); }
    void OnAppointmentsDropped() override { Record("dropped"); }
    void OnAppointmentsDragged(DROPEFFECT effect) override { Record("dragged", effect); }
    BOOL OnBeginChangeOperation(int op) override
    {
        Record("begin", op);
        return m_allow;
    }
    void OnEndChangeOperation(int op, BOOL result) override { Record("end", op, result); }
    void OnDblClkCtrl(UINT flags, CPoint point) override { Record("dblclk", flags, point.x, point.y); }
    void OnKeyDownCtrl(UINT key, UINT repeat, UINT flags) override { Record("key", key, repeat, flags); }
    BOOL OnClickIconUpDown(BOOL bUp) override
    {
        Record("icon", bUp);
        return m_handled;
    }
    BOOL OnClickDayCaption() override
    {
        Record("day caption");
        return m_handled;
    }
    BOOL OnClickWeekCaption() override
    {
        Record("week caption");
        return m_handled;
    }
    void OnTypeChanged(int oldType, int newType) override { Record("type", oldType, newType); }
    void OnDateChanged() override { Record("date"); }
    void OnResourceIdChanged() override { Record("resource"); }

    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_printing.push_back("begin");
        CZUDPPlannerManagerView::OnBeginPrinting(pDC, pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_printing.push_back("page " + std::to_string(pInfo->m_nCurPage));
        CZUDPPlannerManagerView::OnPrint(pDC, pInfo);
    }
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_printing.push_back(GetManagerCtrl().GetPrinter() != nullptr ? "end with printer" : "end");
        CZUDPPlannerManagerView::OnEndPrinting(pDC, pInfo);
    }
};

class CEnableRecorder : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_enabled = bOn; }
    BOOL m_enabled = -1;
};

class PlannerViewHostTest : public ::testing::Test {
protected:
    PlannerViewHostTest()
        : m_locale(plannertest::Locale24()),
          m_clock(g_plannerSeams.now, [] { return Date(2024, 5, 15, 10, 0, 0); }),
          m_setTimer(g_frameworkSeams.setTimer, [](HWND, UINT_PTR id, UINT, TIMERPROC) { return id; }),
          m_killTimer(g_frameworkSeams.killTimer, [](HWND, UINT_PTR) { return TRUE; })
    {
    }
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), "planner frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                     nullptr, nullptr));
    }
    void TearDown() override
    {
        if (m_host && m_host->GetSafeHwnd() != nullptr)
            m_host->DestroyWindow();
        m_host.reset();
        m_frame.DestroyWindow();
    }
    CRecordingHost& MakeHost(CRuntimeClass* pCtrlClass = nullptr, bool expectCreated = true)
    {
        m_host.reset(new CRecordingHost);
        m_host->SetManagerCtrlRTC(pCtrlClass);
        m_document.AddView(m_host.get());
        const BOOL created = m_host->Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400),
                                            &m_frame, 0xE900);
        EXPECT_EQ(expectCreated, created != FALSE);
        return *m_host;
    }

    CFrameWnd m_frame;
    CDocument m_document;
    std::unique_ptr<CRecordingHost> m_host;
    plannertest::ScopedPlannerLocale m_locale;
    ScopedSeam<COleDateTime()> m_clock;
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_setTimer;
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_killTimer;
};

} // namespace

TEST_F(PlannerViewHostTest, AControlClassDerivedFromThePlannerIsMadeAndTheEmbeddedOneStaysWithoutAWindow)
{
    struct Case {
        const char* name;
        CRuntimeClass* cls;
        bool made;
    };
    const Case cases[] = {
        { "derived class", RUNTIME_CLASS(CHostMadePlannerCtrl), true },
        { "not a planner", RUNTIME_CLASS(CZUDPPlannerPrint), false },
        { "none", nullptr, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingHost& host = MakeHost(c.cls);
        CZUDPPlannerManagerCtrl& ctrl = host.GetManagerCtrl();
        ASSERT_NE(nullptr, ctrl.GetSafeHwnd());
        EXPECT_EQ(c.made, ctrl.IsKindOf(RUNTIME_CLASS(CHostMadePlannerCtrl)) != FALSE);
        EXPECT_EQ(host.GetSafeHwnd(), ::GetParent(ctrl.GetSafeHwnd()));
        // Exactly one planner window under the host.
        int children = 0;
        for (HWND child = ::GetWindow(host.GetSafeHwnd(), GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            ++children;
        EXPECT_EQ(1, children);
        // It fills the host, also after a resize.
        CRect client;
        ctrl.GetClientRect(&client);
        EXPECT_EQ(CSize(600, 400), client.Size());
        host.MoveWindow(0, 0, 420, 310);
        ctrl.GetClientRect(&client);
        EXPECT_EQ(CSize(420, 310), client.Size());
        host.DestroyWindow();
        m_host.reset();
    }
}

TEST_F(PlannerViewHostTest, EachNotificationReachesItsOperationAndTheReplyIsTranslated)
{
    CRecordingHost& host = MakeHost();
    const LPARAM app = 0x1234;
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT raw;   // what the raw-reply operations answer
        BOOL allow;    // what the allow operations answer
        BOOL handled;  // what the click operations answer
        const char* call;
        LRESULT result;
    };
    const Case cases[] = {
        { ZUDP_PLANNER_ADD_APPOINTMENT, 0, app, 0, TRUE, FALSE, "added 4660 0 0", 0 },
        { ZUDP_PLANNER_UPDATE_APPOINTMENT, 0, app, 0, TRUE, FALSE, "updated 4660 0 0", 0 },
        { ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT, 0, app, -1, TRUE, FALSE, "update? 4660 0 0", -1 },
        { ZUDP_PLANNER_REMOVE_APPOINTMENT, 0, app, 1, TRUE, FALSE, "remove? 4660 0 0", 1 },
        { ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS, 0, 0, 0, TRUE, FALSE, "all removed 0 0 0", 0 },
        { ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT, 1, app, 0, TRUE, FALSE, "select? 4660 1 0", 0 },
        { ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT, 0, app, 0, FALSE, FALSE, "select? 4660 0 0", -1 },
        { ZUDP_PLANNER_SELECT_APPOINTMENT, 1, app, 0, TRUE, FALSE, "selected 4660 1 0", 0 },
        { ZUDP_PLANNER_DROP_APPOINTMENTS, 0, 0, 0, TRUE, FALSE, "dropped 0 0 0", 0 },
        { ZUDP_PLANNER_DRAG_APPOINTMENTS, DROPEFFECT_MOVE, 0, 0, TRUE, FALSE, "dragged 2 0 0", 0 },
        { ZUDP_PLANNER_BEGIN_CHANGE_OPERATION, 3, 0, 0, TRUE, FALSE, "begin 3 0 0", 0 },
        { ZUDP_PLANNER_BEGIN_CHANGE_OPERATION, 1, 0, 0, FALSE, FALSE, "begin 1 0 0", -1 },
        { ZUDP_PLANNER_END_CHANGE_OPERATION, 2, 1, 0, TRUE, FALSE, "end 2 1 0", 0 },
        { ZUDP_PLANNER_LBUTTONDBLCLK, MK_CONTROL, MAKELPARAM(30, 40), 0, TRUE, FALSE, "dblclk 8 30 40", 0 },
        { ZUDP_PLANNER_KEYDOWN, VK_F2, MAKELPARAM(1, 60), 0, TRUE, FALSE, "key 113 1 60", 0 },
        { ZUDP_PLANNER_ICONUPDOWN_CLICK, 9, 0, 0, TRUE, TRUE, "icon 1 0 0", 1 },
        { ZUDP_PLANNER_ICONUPDOWN_CLICK, 10, 0, 0, TRUE, FALSE, "icon 0 0 0", 0 },
        { ZUDP_PLANNER_DAYCAPTION_CLICK, 0, 0, 0, TRUE, TRUE, "day caption 0 0 0", 1 },
        { ZUDP_PLANNER_WEEKCAPTION_CLICK, 0, 0, 0, TRUE, FALSE, "week caption 0 0 0", 0 },
        { ZUDP_PLANNER_TYPE_CHANGED, 0, 3, 0, TRUE, FALSE, "type 0 3 0", 0 },
        { ZUDP_PLANNER_DATE_CHANGED, 0, 0, 0, TRUE, FALSE, "date 0 0 0", 0 },
        { ZUDP_PLANNER_RESOURCEID_CHANGED, 0, 0, 0, TRUE, FALSE, "resource 0 0 0", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        host.m_calls.clear();
        host.m_rawReply = c.raw;
        host.m_allow = c.allow;
        host.m_handled = c.handled;
        EXPECT_EQ(c.result, host.SendMessage(c.message, c.wParam, c.lParam));
        EXPECT_EQ(std::vector<std::string>{ c.call }, host.m_calls);
    }
}

TEST_F(PlannerViewHostTest, ARefusingHostKeepsTheSelectionAndTheDefaultsAllowEverything)
{
    CRecordingHost& host = MakeHost();
    CZUDPPlannerManagerCtrl& ctrl = host.GetManagerCtrl();
    auto* a = new CZUDPAppointment;
    a->SetInterval(Date(2024, 5, 15, 11, 0, 0), Date(2024, 5, 15, 12, 0, 0));
    ASSERT_TRUE(ctrl.AddAppointment(a, TRUE, FALSE));
    host.m_allow = FALSE;
    ctrl.SelectAppointment(a, TRUE, FALSE);
    EXPECT_EQ(0, ctrl.GetSelectedAppointmentsCount());
    host.m_allow = TRUE;
    ctrl.SelectAppointment(a, TRUE, FALSE);
    EXPECT_EQ(1, ctrl.GetSelectedAppointmentsCount());
}

TEST_F(PlannerViewHostTest, EditCommandsFollowTheControlAndPasteLandsAtTheSelectionStart)
{
    CRecordingHost& host = MakeHost();
    CZUDPPlannerManagerCtrl& ctrl = host.GetManagerCtrl();
    auto* a = new CZUDPAppointment;
    a->SetInterval(Date(2024, 5, 15, 9, 30, 0), Date(2024, 5, 15, 10, 0, 0));
    a->SetDescription("A");
    ASSERT_TRUE(ctrl.AddAppointment(a, TRUE, FALSE));

    auto enabled = [&](UINT id) {
        CEnableRecorder ui;
        ui.m_nID = id;
        ui.DoUpdate(&host, FALSE);
        return ui.m_enabled;
    };
    EXPECT_EQ(FALSE, enabled(ID_EDIT_COPY));
    EXPECT_EQ(FALSE, enabled(ID_EDIT_CUT));
    ctrl.SelectAppointment(a, TRUE, FALSE);
    EXPECT_EQ(TRUE, enabled(ID_EDIT_COPY));
    EXPECT_EQ(TRUE, enabled(ID_EDIT_CUT));
    ctrl.SetReadOnly(TRUE);
    EXPECT_EQ(FALSE, enabled(ID_EDIT_CUT));
    EXPECT_EQ(FALSE, enabled(ID_EDIT_PASTE));
    ctrl.SetReadOnly(FALSE);

    host.SendMessage(WM_COMMAND, ID_EDIT_COPY, 0);
    EXPECT_EQ(TRUE, enabled(ID_EDIT_PASTE));
    // The selection moves to 14:00 on the 16th; the paste puts the copy's
    // hour there (09:30 -> 14:30).
    ctrl.SetDate(Date(2024, 5, 16), FALSE);
    ctrl.GetCurrentView()->SetSelection(Date(2024, 5, 16, 14, 0, 0), Date(2024, 5, 16, 14, 59, 59), FALSE);
    host.SendMessage(WM_COMMAND, ID_EDIT_PASTE, 0);
    CZUDPAppointmentArray all;
    ctrl.GetStorage()->QueryAll(all);
    SortAppointments(all.GetData(), all.GetSize());
    ASSERT_EQ(2, all.GetSize());
    EXPECT_EQ("2024-05-16 14:30", Text(all[1]->GetStart()));

    // Cut removes the selected one.
    ctrl.SetDate(Date(2024, 5, 15), FALSE);
    ctrl.SelectAppointment(a, TRUE, FALSE);
    host.SendMessage(WM_COMMAND, ID_EDIT_CUT, 0);
    all.RemoveAll();
    ctrl.GetStorage()->QueryAll(all);
    EXPECT_EQ(1, all.GetSize());
}

namespace {

// A page that answers like a printer (a memory DC over a DIB) and records
// the document calls of the job.
struct FakePrinter {
    std::vector<std::string> calls;
    bool cancel = false;
    bool startDocFails = false;
    ScopedSeam<HDC(CPrintInfo*)> dialog;
    ScopedSeam<int(HDC, const DOCINFOA*)> startDoc;
    ScopedSeam<int(HDC)> startPage, endPage, endDoc, abortDoc;

    FakePrinter()
        : dialog(g_frameworkSeams.printerDC,
                 [this](CPrintInfo*) -> HDC {
                     calls.push_back("dialog");
                     return cancel ? nullptr : ::CreateCompatibleDC(nullptr);
                 }),
          startDoc(g_frameworkSeams.startDoc,
                   [this](HDC, const DOCINFOA*) {
                       calls.push_back("start doc");
                       return startDocFails ? 0 : 1;
                   }),
          startPage(g_frameworkSeams.startPage, [this](HDC) { return calls.push_back("start page"), 1; }),
          endPage(g_frameworkSeams.endPage, [this](HDC) { return calls.push_back("end page"), 1; }),
          endDoc(g_frameworkSeams.endDoc, [this](HDC) { return calls.push_back("end doc"), 1; }),
          abortDoc(g_frameworkSeams.abortDoc, [this](HDC) { return calls.push_back("abort doc"), 1; })
    {
    }
};

} // namespace

TEST_F(PlannerViewHostTest, APrintJobEndsOnEveryPathAndLeavesNoPrinter)
{
    struct Case {
        const char* name;
        CRuntimeClass* ctrlClass;
        bool cancel;
        bool startDocFails;
        std::vector<std::string> job;
        std::vector<std::string> host;
    };
    const Case cases[] = {
        { "printed", nullptr, false, false, { "dialog", "start doc", "start page", "end page", "end doc" },
          { "begin", "page 1", "end with printer" } },
        { "cancelled in the dialog", nullptr, true, false, { "dialog" }, {} },
        { "the document cannot start", nullptr, false, true, { "dialog", "start doc" }, { "begin", "end with printer" } },
        { "multi-resource view", RUNTIME_CLASS(CHostMultiPlannerCtrl), false, false,
          { "dialog", "start doc", "start page", "end page", "end doc" }, { "begin", "page 1", "end" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingHost& host = MakeHost(c.ctrlClass);
        CZUDPPlannerManagerCtrl& ctrl = host.GetManagerCtrl();
        if (c.ctrlClass != nullptr) {
            auto* storage = static_cast<CZUDPAppointmentMultiStorage*>(ctrl.GetStorage());
            storage->AddResource(1, new CZUDPAppointmentStorage, nullptr, TRUE);
            ctrl.SetType(CZUDPPlannerManagerCtrl::TypeMulti, FALSE);
            ASSERT_EQ(CZUDPPlannerManagerCtrl::TypeMulti, ctrl.GetType());
        }
        FakePrinter printer;
        printer.cancel = c.cancel;
        printer.startDocFails = c.startDocFails;
        CPrintInfo info;
        info.SetMaxPage(1);
        EXPECT_EQ(!c.cancel && !c.startDocFails, host.PrintJob(&info) != FALSE);
        EXPECT_EQ(c.job, printer.calls);
        EXPECT_EQ(c.host, host.m_printing);
        EXPECT_EQ(nullptr, ctrl.GetPrinter());
        EXPECT_EQ(nullptr, info.m_hPrinterDC);
        host.DestroyWindow();
        m_host.reset();
    }
}
