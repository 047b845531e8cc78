// The progress window of controller operations under Wine (headless): it
// runs modally over simulated controllers on loopback addresses while a
// script waits for what the window shows and steps its 500 ms timer with a
// test clock, so the 30-second reply timeout passes without waiting.
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/ListCtrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win/AppSeams.h"
#include "app/win/AppDialogs.h"
#include "app/win/DlgSocketTrov.h"
#include "res/resource.h"
#include "tests/app/win/ControllerRunFixture.h"
#include "tests/app/win/DialogTestSupport.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/Loopback.h"
#include "tests/common/SimTcpController.h"
#include "tests/common/TempDir.h"
#include "tests/common/TestBytes.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

using trovtest::g_fakeTick;
using trovtest::Pattern;
using trovtest::SimTcpBehaviour;
using trovtest::SimTcpController;

// A script of the modal window: each step waits until its condition holds,
// then acts.  Steps run from a thread timer inside the window's modal loop;
// a script that does not finish in time ends the window.
struct ScriptStep {
    std::function<bool(CDlgSocketTrov&)> until;
    std::function<void(CDlgSocketTrov&)> then;
};

struct ScriptState {
    CDlgSocketTrov* dialog = nullptr;
    std::vector<ScriptStep> steps;
    size_t next = 0;
    DWORD start = 0;
    bool busy = false;
    bool timedOut = false;
};
ScriptState g_script;

VOID CALLBACK RunScriptStep(HWND, UINT, UINT_PTR, DWORD)
{
    ScriptState& s = g_script;
    if (s.busy || !s.dialog || !s.dialog->GetSafeHwnd())
        return;
    s.busy = true;
    if (::GetTickCount() - s.start > 20000) {
        s.timedOut = true;
        s.dialog->EndDialog(IDABORT);
    } else if (s.next < s.steps.size() && (!s.steps[s.next].until || s.steps[s.next].until(*s.dialog))) {
        ScriptStep step = s.steps[s.next++];
        if (step.then)
            step.then(*s.dialog);
    }
    s.busy = false;
}

INT_PTR RunScript(CDlgSocketTrov& dialog, std::vector<ScriptStep> steps)
{
    g_script = ScriptState();
    g_script.dialog = &dialog;
    g_script.steps = std::move(steps);
    g_script.start = ::GetTickCount();
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &RunScriptStep);
    INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(g_script.timedOut) << "the script waited in vain at step " << g_script.next;
    EXPECT_EQ(g_script.steps.size(), g_script.next) << "the window ended before its script did";
    g_script = ScriptState();
    return result;
}

// One tick of the window's timer.
void Tick(CDlgSocketTrov& dialog) { dialog.SendMessage(WM_TIMER, CDlgSocketTrov::kTimerTimeout, 0); }

std::string StatusOfRow(CDlgSocketTrov& dialog, int row) { return (const char*)dialog.GetStatusList().GetItemText(row, 1); }
std::string RowAddress(CDlgSocketTrov& dialog, int row)
{
    return (const char*)dialog.GetStatusList().GetItemText(row, 0);
}
std::string ButtonText(CDlgSocketTrov& dialog) { return trovtest::ItemText(dialog, IDCANCEL); }
// A row whose text is final no longer carries its machine.
bool RowIsFinal(CDlgSocketTrov& dialog, int row) { return dialog.GetStatusList().GetItemData(row) == 0; }

class DlgSocketTrovTest : public ::testing::Test, protected trovtest::ControllerRunFixture {
protected:
    void SetUp() override
    {
        SetUpControllerRun();
    }

    void TearDown() override
    {
        TearDownControllerRun();
    }

    CMachine* Machine(int last)
    {
        CMachine* machine = NewMachine(last);
        m_list.AddTail(machine);
        return machine;
    }

    CMachineList m_list;
};

TEST_F(DlgSocketTrovTest, PollShowsEveryMachineAndTheButtonTurnsToOkOnTheNextTick)
{
    Controller(2);
    // Nothing listens at .3: the connection is refused.
    Controller(4, "");
    CMachine* first = Machine(2);
    Machine(3);
    CMachine* third = Machine(4);
    CDlgSocketTrov dialog(m_list);
    std::string buttonAtEnd;
    INT_PTR result = RunScript(
        dialog, {
                    {nullptr,
                     [&](CDlgSocketTrov& d) {
                         CString title;
                         d.GetWindowText(title);
                         EXPECT_STREQ("Synchronising...", title);
                         trovtest::ExpectTemplateLayout(d, {{IDC_SOCKET_STATUS, 7, 7, 307, 94, true},
                                                            {IDC_SOCKET_PROGRESS, 7, 109, 251, 14, true},
                                                            {IDCANCEL, 264, 109, 50, 14, true}});
                         EXPECT_TRUE(d.GetStatusList().GetStyle() & LVS_NOSORTHEADER);
                         EXPECT_TRUE(d.GetProgress().GetStyle() & PBS_SMOOTH);
                         EXPECT_TRUE(d.GetStyle() & WS_THICKFRAME);
                     }},
                    // The run is over, but the button changes only with the timer.
                    {[](CDlgSocketTrov& d) { return d.GetSocket().IsRunOver(); },
                     [&](CDlgSocketTrov& d) {
                         EXPECT_EQ("Cancel", ButtonText(d));
                         EXPECT_FALSE(d.IsFinished());
                         Tick(d);
                         buttonAtEnd = ButtonText(d);
                     }},
                    {nullptr,
                     [&](CDlgSocketTrov& d) {
                         CString header;
                         HDITEMA item = {};
                         char text[32] = "";
                         item.mask = HDI_TEXT | HDI_WIDTH;
                         item.pszText = text;
                         item.cchTextMax = sizeof text;
                         d.GetStatusList().GetHeaderCtrl()->GetItem(1, &item);
                         EXPECT_STREQ("Status", text);
                         EXPECT_EQ(350, item.cxy);
                         EXPECT_EQ(3, d.GetStatusList().GetItemCount());
                         EXPECT_EQ(trovtest::AddressText(Address(2)), RowAddress(d, 0));
                         EXPECT_EQ("Up", StatusOfRow(d, 0));
                         EXPECT_EQ("The attempt to connect was forcefully rejected.", StatusOfRow(d, 1));
                         EXPECT_EQ("Up", StatusOfRow(d, 2));
                         EXPECT_EQ(6, d.GetProgress().GetPos());
                         trovtest::Click(d, IDCANCEL);
                     }},
                });
    EXPECT_EQ("OK", buttonAtEnd);
    EXPECT_EQ(IDOK, result);
    // The caller's list is the caller's; the machines took the replies.
    EXPECT_EQ(3, (int)m_list.GetCount());
    EXPECT_EQ("Line 2", std::string((const char*)first->m_hostName));
    EXPECT_EQ(kMachineAnswered, first->m_state);
    EXPECT_EQ(kMachineNotAnswered, m_machines[1]->m_state);
    EXPECT_EQ("plant4.lmx", std::string((const char*)third->m_config));
    // No second connection for a machine, and the sequence numbers run on.
    EXPECT_EQ((std::vector<uint16_t>{1}), m_sims[0]->Sequences());
    EXPECT_EQ((std::vector<uint16_t>{2}), m_sims[1]->Sequences());
}

TEST_F(DlgSocketTrovTest, AnEmptyListEndsAtOnceAndEnterClosesTheWindow)
{
    CDlgSocketTrov dialog(m_list, "secret");
    INT_PTR result = RunScript(dialog, {{nullptr, [](CDlgSocketTrov& d) {
                                             EXPECT_EQ(0, d.GetStatusList().GetItemCount());
                                             EXPECT_TRUE(d.GetSocket().IsRunOver());
                                             int lower = 0, upper = -1;
                                             d.GetProgress().GetRange(lower, upper);
                                             EXPECT_EQ(upper, d.GetProgress().GetPos());
                                             Tick(d);
                                             EXPECT_EQ("OK", ButtonText(d));
                                             d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                                         }}});
    EXPECT_EQ(IDOK, result);
}

TEST_F(DlgSocketTrovTest, TheButtonShowsOkAtOnceAndEnterOrEscEndTheWindow)
{
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Esc");
        CDlgSocketTrov dialog(m_list);
        // Once the window shows (its modal loop shows it when idle).
        INT_PTR result = RunScript(dialog, {{[](CDlgSocketTrov& d) { return d.IsWindowVisible() != FALSE; },
                                             [&](CDlgSocketTrov& d) {
                                                 HWND button = d.GetButton().m_hWnd;
                                                 EXPECT_EQ((DWORD)BS_OWNERDRAW, d.GetButton().GetStyle() & BS_TYPEMASK);
                                                 EXPECT_TRUE(::IsWindowVisible(button));
                                                 Tick(d);
                                                 EXPECT_EQ("OK", ButtonText(d));
                                                 EXPECT_FALSE(::GetUpdateRect(button, nullptr, FALSE))
                                                     << "painted without waiting for the loop";
                                                 // The library's raised frame in the face colour.
                                                 CRect client;
                                                 ::GetClientRect(button, &client);
                                                 trovtest::DibCanvas canvas(client.Width(), client.Height());
                                                 ::SendMessageA(button, WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
                                                 EXPECT_EQ(g_uiEnvironment.m_colorButtonHighlight, canvas.Pixel(0, 0));
                                                 EXPECT_EQ(g_uiEnvironment.m_colorDarkShadow,
                                                           canvas.Pixel(client.right - 1, client.bottom - 1));
                                                 EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, canvas.Pixel(3, 3));
                                                 ::PostMessageA(button, WM_KEYDOWN, key, 0);
                                             }}});
        EXPECT_EQ(IDOK, result);
    }
}

TEST_F(DlgSocketTrovTest, RowsFollowTheWindowsSize)
{
    Controller(2);
    Machine(2);
    CDlgSocketTrov dialog(m_list);
    RunScript(dialog, {{[](CDlgSocketTrov& d) { return d.GetSocket().IsRunOver(); },
                        [](CDlgSocketTrov& d) {
                            CRect list0, bar0, button0, list1, bar1, button1;
                            d.GetStatusList().GetWindowRect(&list0);
                            d.GetProgress().GetWindowRect(&bar0);
                            d.GetButton().GetWindowRect(&button0);
                            CRect window;
                            d.GetWindowRect(&window);
                            d.SetWindowPos(nullptr, 0, 0, window.Width() + 40, window.Height() + 30,
                                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                            d.GetStatusList().GetWindowRect(&list1);
                            d.GetProgress().GetWindowRect(&bar1);
                            d.GetButton().GetWindowRect(&button1);
                            EXPECT_EQ(list0.Width() + 40, list1.Width());
                            EXPECT_EQ(list0.Height() + 30, list1.Height());
                            EXPECT_EQ(bar0.Width() + 40, bar1.Width());
                            EXPECT_EQ(bar0.Height(), bar1.Height());
                            EXPECT_EQ(bar0.top - window.top + 30, bar1.top - window.top);
                            EXPECT_EQ(button0.Width(), button1.Width());
                            EXPECT_EQ(button0.left - window.left + 40, button1.left - window.left);
                            EXPECT_EQ(button0.top - window.top + 30, button1.top - window.top);
                            trovtest::Click(d, IDCANCEL);
                        }}});
}

// Each fault ends only its machine, with its row text and its step of the
// progress bar; a silent controller behind it holds the run open so the bar
// can be read, then times out on the test clock.
TEST_F(DlgSocketTrovTest, FaultsEndTheirMachineWithTheirTextAndProgressStep)
{
    trovtest::TempDir dir;
    std::string ioFile = dir.Write("io.rbf", Pattern(9000, 4));
    struct Case {
        const char* name;
        int operation; // OP_IDENTIFY, OP_RESTART or OP_IO_FIRMWARE
        std::function<void(SimTcpBehaviour&)> fault;
        bool refused;
        const char* text;
        int step;     // the faulty machine's part of the bar
        bool timeout; // the text comes with the test clock
    };
    auto identityFault = [](std::function<void(trovtest::SimReplyFault&)> edit) {
        return [edit](SimTcpBehaviour& b) {
            trovtest::SimReplyFault f;
            edit(f);
            b.faults[CMD_IDENTIFY] = f;
        };
    };
    auto uploadError = [](int at, uint16_t code) {
        return [at, code](SimTcpBehaviour& b) {
            b.uploadErrorAt = at;
            b.uploadErrorCode = code;
        };
    };
    const Case cases[] = {
        {"refused", OP_IDENTIFY, nullptr, true, "The attempt to connect was forcefully rejected.", 2, false},
        {"silence", OP_IDENTIFY, identityFault([](trovtest::SimReplyFault& f) { f.silent = true; }), false,
         "Timeout", 1, true},
        {"wrong sequence", OP_IDENTIFY,
         identityFault([](trovtest::SimReplyFault& f) { f.wrongSequence = f.wrongEcho = true; }), false, "Timeout", 1,
         true},
        {"word 3 above 4095", OP_IDENTIFY, identityFault([](trovtest::SimReplyFault& f) { f.lengthWord = 4096; }),
         false, "Timeout", 1, true},
        {"closed mid-reply", OP_IDENTIFY, identityFault([](trovtest::SimReplyFault& f) { f.closeAfterBytes = 20; }),
         false, "Timeout", 1, true},
        {"bad password", OP_RESTART, [](SimTcpBehaviour& b) { b.password = "other"; }, false, "Bad password", 3,
         false},
        {"old firmware", OP_RESTART, [](SimTcpBehaviour& b) { b.loginReplySize = 7; }, false,
         "Connection failed. Only v4+ firmware supported", 3, false},
        {"upload error 0", OP_IO_FIRMWARE, uploadError(0, 0), false, "Trov refused connection. Bad Password?", 2,
         false},
        {"upload error 1", OP_IO_FIRMWARE, uploadError(1, 1), false, "Incorrect password", 2, false},
        {"upload error 2", OP_IO_FIRMWARE, uploadError(2, 2), false, "Invalid application type (runcode mismatch)",
         2, false},
        {"upload error 3", OP_IO_FIRMWARE, uploadError(0, 3), false, "Incompatible target (FRAM mismatch)", 2,
         false},
        {"upload error 4", OP_IO_FIRMWARE, uploadError(1, 4), false, "File type unsupported", 2, false},
        {"upload error 5", OP_IO_FIRMWARE, uploadError(0, 5), false, "Unknown error code : 5", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_sims.clear();
        m_list.RemoveAll();
        m_machines.clear();
        SimTcpController& faulty = Controller(2, "");
        if (c.refused)
            faulty.Stop();
        else if (c.fault)
            faulty.Change(c.fault);
        SimTcpController& holder = Controller(3, "");
        holder.Change([](SimTcpBehaviour& b) { b.faults[CMD_IDENTIFY].silent = true; });
        Machine(2);
        Machine(3);
        CDlgSocketTrov dialog(m_list, "secret");
        if (c.operation == OP_RESTART) {
            dialog.GetSocket().SetOperation(OP_RESTART);
            dialog.GetSocket().SetRestartValue(RUNTIME_RESTART_KEEP);
        } else if (c.operation == OP_IO_FIRMWARE) {
            dialog.SetIoFirmwareFile(ioFile.c_str());
        }
        DWORD arrived = 0;
        std::vector<ScriptStep> steps;
        if (c.timeout) {
            // The faulty reply has arrived (or the silence has begun) before
            // the clock moves.
            steps.push_back({[&](CDlgSocketTrov&) {
                                 if (faulty.Messages().empty())
                                     return false;
                                 if (!arrived)
                                     arrived = ::GetTickCount();
                                 return ::GetTickCount() - arrived > 100;
                             },
                             [&](CDlgSocketTrov& d) {
                                 g_fakeTick += 30000;
                                 Tick(d);
                                 EXPECT_EQ("Connecting", StatusOfRow(d, 0)) << "exactly 30 s is not yet a timeout";
                                 g_fakeTick += 1;
                                 Tick(d);
                             }});
        }
        steps.push_back({[&](CDlgSocketTrov& d) {
                             return RowIsFinal(d, 0) && holder.Messages().size() == 1 && d.GetSocket().IsWaiting();
                         },
                         [&](CDlgSocketTrov& d) {
                             EXPECT_EQ(c.text, StatusOfRow(d, 0));
                             EXPECT_EQ(c.step + 1, d.GetProgress().GetPos());
                             EXPECT_EQ("Cancel", ButtonText(d));
                             g_fakeTick += 30001;
                             Tick(d);
                             EXPECT_EQ("Timeout", StatusOfRow(d, 1));
                             EXPECT_EQ(4, d.GetProgress().GetPos());
                             EXPECT_EQ("OK", ButtonText(d));
                             trovtest::Click(d, IDCANCEL);
                         }});
        EXPECT_EQ(IDOK, RunScript(dialog, steps));
        EXPECT_TRUE(faulty.RuntimeParameters().empty());
    }
}

TEST_F(DlgSocketTrovTest, SequenceNumbersRunOnFromOneMachineToTheNext)
{
    trovtest::TempDir dir;
    std::string ioFile = dir.Write("io.rbf", Pattern(5000, 5));
    SimTcpController& first = Controller(2, "K420");
    SimTcpController& second = Controller(3, "");
    Machine(2);
    Machine(3);
    CDlgSocketTrov dialog(m_list, "secret");
    dialog.SetIoFirmwareFile(ioFile.c_str());
    RunScript(dialog, {{[](CDlgSocketTrov& d) { return d.GetSocket().IsRunOver(); },
                        [](CDlgSocketTrov& d) {
                            Tick(d);
                            EXPECT_EQ("Ok. IO Upgrade Started.", StatusOfRow(d, 0));
                            EXPECT_EQ("Ok. IO Upgrade Started.", StatusOfRow(d, 1));
                            trovtest::Click(d, IDCANCEL);
                        }}});
    // identity, login, begin, 5 chunks + the empty one, runtime: 1 .. 10
    std::vector<uint16_t> expectedFirst;
    for (uint16_t n = 1; n <= 10; ++n)
        expectedFirst.push_back(n);
    EXPECT_EQ(expectedFirst, first.Sequences());
    // identity, login, begin, 2 chunks + the empty one, runtime: 11 .. 17
    std::vector<uint16_t> expectedSecond;
    for (uint16_t n = 11; n <= 17; ++n)
        expectedSecond.push_back(n);
    EXPECT_EQ(expectedSecond, second.Sequences());
    EXPECT_TRUE(first.Violations().empty());
    EXPECT_TRUE(second.Violations().empty());
}

TEST_F(DlgSocketTrovTest, CancelDuringAnUploadClosesTheWindowAndSendsNothingMore)
{
    trovtest::TempDir dir;
    std::string ioFile = dir.Write("io.rbf", Pattern(400000, 11));
    SimTcpController& sim = SlowController(2, 5);
    Controller(3);
    Machine(2);
    Machine(3);
    CDlgSocketTrov dialog(m_list, "secret");
    dialog.SetIoFirmwareFile(ioFile.c_str());
    size_t chunks = 0;
    std::string secondRow;
    INT_PTR result = RunScript(
        dialog, {{[&](CDlgSocketTrov&) { return !sim.Uploads().empty() && sim.Uploads()[0].chunks.size() >= 3; },
                  [&](CDlgSocketTrov& d) {
                      EXPECT_EQ("Cancel", ButtonText(d));
                      secondRow = StatusOfRow(d, 1);
                      trovtest::Click(d, IDCANCEL);
                      chunks = sim.Uploads()[0].chunks.size();
                  }}});
    EXPECT_EQ(IDCANCEL, result);
    trovtest::PumpUntil([] { return false; }, 300);
    // At most the chunk already on its way; the machines not reached keep
    // their address and an empty status.
    EXPECT_LE(sim.Uploads()[0].chunks.size(), chunks + 1);
    EXPECT_FALSE(sim.Uploads()[0].finished);
    EXPECT_TRUE(sim.RuntimeParameters().empty());
    EXPECT_EQ("", secondRow);
    EXPECT_TRUE(m_sims[1]->Messages().empty());
}

} // namespace
