// "Poll for Details" from the main window under Wine (headless): the
// selected saved machines are asked for their identities by simulated
// controllers on loopback addresses; the progress window runs modally and a
// script reads and closes it; the rows and machines.xml take the replies.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win/AppSeams.h"
#include "app/MachineColumns.h"
#include "app/SettingsPaths.h"
#include "app/win/AppDialogs.h"
#include "app/win/AppMessages.h"
#include "app/win/DlgSocketTrov.h"
#include "app/win/trovconfDlg.h"
#include "res/resource.h"
#include "support/DRBSocket.h"
#include "tests/app/win/MainWindowFixture.h"
#include "tests/app/win/QuietSeams.h"
#include "tests/common/Loopback.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/SimTcpController.h"
#include "tests/common/SimTcpFixture.h"
#include "tests/common/TempDir.h"

namespace {

std::vector<std::string> g_pollBoxes;
int RecordPollBox(HWND, const char* text, const char*, UINT)
{
    g_pollBoxes.push_back(text ? text : "");
    return IDOK;
}

// The progress window the command opened, found among the thread's windows.
CDlgSocketTrov* FindProgressWindow()
{
    CDlgSocketTrov* found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            char title[64] = "";
            ::GetWindowTextA(window, title, sizeof title);
            if (std::string(title) != "Synchronising...")
                return TRUE;
            *reinterpret_cast<CDlgSocketTrov**>(out) = dynamic_cast<CDlgSocketTrov*>(CWnd::FromHandlePermanent(window));
            return FALSE;
        },
        (LPARAM)&found);
    return found;
}

// While the command runs: waits for the progress window, lets the run end,
// keeps what the window shows and presses its button.
struct ProgressReader {
    std::vector<std::string> rows;
    std::string button;
    bool seen = false;
    bool closed = false;
    bool ownerEnabled = true; // the main window took input during the run
    HWND owner = nullptr;
    DWORD start = 0;
};
ProgressReader g_reader;

VOID CALLBACK ReadProgress(HWND, UINT, UINT_PTR, DWORD)
{
    static bool busy = false;
    if (busy || g_reader.closed)
        return;
    busy = true;
    if (CDlgSocketTrov* dialog = FindProgressWindow()) {
        g_reader.seen = true;
        if (g_reader.owner && ::IsWindowEnabled(g_reader.owner))
            g_reader.ownerEnabled = true;
        if (dialog->GetSocket().IsRunOver()) {
            dialog->SendMessage(WM_TIMER, CDlgSocketTrov::kTimerTimeout, 0);
            CListCtrl& list = dialog->GetStatusList();
            g_reader.rows.clear();
            for (int row = 0; row < list.GetItemCount(); ++row)
                g_reader.rows.push_back(std::string((const char*)list.GetItemText(row, 0)) + " " +
                                        (const char*)list.GetItemText(row, 1));
            CString text;
            dialog->GetDlgItemText(IDCANCEL, text);
            g_reader.button = (const char*)text;
            g_reader.closed = true;
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        } else if (::GetTickCount() - g_reader.start > 15000) {
            g_reader.closed = true;
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    busy = false;
}

class PollDetailsTest : public ::testing::Test, protected trovtest::TestAppFolders {
protected:
    // The program's seams answered by the test, restored when it ends.
    ScopedSeams m_seams;

    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        StartSocketLayer();
        AfxSocketInit();
        EnterAppFolders();
        g_pollBoxes.clear();
        m_seams.Replace(g_appSeams.messageBox, RecordPollBox);
        m_seams.Replace(g_appSeams.broadcast, trovtest::BroadcastNothing);
        m_seams.Replace(g_appSeams.networkAdapters, trovtest::NoNetworkAdapters);
        m_block = trovtest::RandomLoopbackBlock();
    }

    void TearDown() override
    {
        m_window.reset();
        m_sims.clear();
        LeaveAppFolders();
    }

    std::string Address(int last) const { return trovtest::AddressText(m_block | (uint32_t)last); }
    std::string SettingsFolder() const { return trovtest::SettingsFolder(m_appData); }
    std::string MachinesFile() const { return trovtest::MachinesFile(m_appData); }

    // Saved machines at .2, .3 and .4, known only by address and an old name.
    void WriteSaved()
    {
        std::string text = "<MACHINES>\n";
        for (int last : {2, 3, 4})
            text += " <MACHINE><HOSTNAME>Old " + std::to_string(last) + "</HOSTNAME><IF1><IP>" + Address(last) +
                    "</IP></IF1><KEY>" + Address(last) + "</KEY></MACHINE>\n";
        text += "</MACHINES>\n";
        trovtest::WriteMachinesFile(m_appData, text);
    }

    std::string ReadMachinesFile() const { return trovtest::TempDir::Read(MachinesFile()); }

    void Controller(int last)
    {
        trovtest::SimTcpBehaviour b = trovtest::LineBehaviour(m_block | (uint32_t)last, last);
        b.password.clear();
        trovtest::StartSimTcp(m_sims, m_block | (uint32_t)last, b);
    }

    bool Open() { return trovtest::OpenMainWindow(m_window); }

    CMachinesListCtrl& Saved() { return m_window->GetSavedList(); }

    int RowOf(int last)
    {
        for (int row = 0; row < Saved().GetItemCount(); ++row)
            if (std::string((const char*)Saved().GetItemText(row, kColumnAddress)) == Address(last))
                return row;
        return -1;
    }

    void Select(std::initializer_list<int> lasts)
    {
        for (int row = 0; row < Saved().GetItemCount(); ++row)
            Saved().SetItemState(row, 0, LVIS_SELECTED);
        for (int last : lasts)
            Saved().SetItemState(RowOf(last), LVIS_SELECTED, LVIS_SELECTED);
    }

    // Runs the action (which opens the progress window) with the reader.
    void WithProgressReader(const std::function<void()>& action)
    {
        g_reader = ProgressReader();
        g_reader.owner = m_window->GetSafeHwnd();
        g_reader.ownerEnabled = false;
        g_reader.start = ::GetTickCount();
        UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &ReadProgress);
        action();
        ::KillTimer(nullptr, timer);
    }

    uint32_t m_block = 0;
    std::unique_ptr<CtrovconfDlg> m_window;
    std::vector<std::unique_ptr<trovtest::SimTcpController>> m_sims;
};

TEST_F(PollDetailsTest, TheCommandPollsTheSelectedMachinesAndTheSavedListTakesTheirDetails)
{
    WriteSaved();
    Controller(2);
    Controller(3);
    // Nothing listens at .4.
    ASSERT_TRUE(Open());
    ASSERT_EQ(3, Saved().GetItemCount());
    Select({2, 3, 4});
    m_window->SendMessage(WM_LIST_ACTIVATED, (WPARAM)&Saved(), 0);
    WithProgressReader([&] { m_window->SendMessage(WM_COMMAND, MAKEWPARAM(ID_POLL_DETAILS, 0), 0); });
    ASSERT_TRUE(g_reader.seen);
    // The rows in the list's display order.
    std::vector<std::string> expected;
    for (int row = 0; row < 3; ++row) {
        std::string address = (const char*)Saved().GetItemText(row, kColumnAddress);
        expected.push_back(address + " " +
                           (address == Address(4) ? "The attempt to connect was forcefully rejected." : "Up"));
    }
    EXPECT_EQ(expected, g_reader.rows);
    EXPECT_EQ("OK", g_reader.button);
    EXPECT_FALSE(g_reader.ownerEnabled) << "the main window must wait for the progress window";
    EXPECT_TRUE(m_window->IsWindowEnabled());
    EXPECT_EQ(1u, m_sims[0]->Messages().size());
    EXPECT_EQ(1u, m_sims[1]->Messages().size());
    // The rows show what the controllers said, and machines.xml keeps it.
    EXPECT_STREQ("Line 2", Saved().GetItemText(RowOf(2), kColumnDeviceId));
    EXPECT_STREQ("Line 3", Saved().GetItemText(RowOf(3), kColumnDeviceId));
    EXPECT_STREQ("Old 4", Saved().GetItemText(RowOf(4), kColumnDeviceId));
    EXPECT_NE(kRowColourPending, Saved().GetRowColour(RowOf(2)));
    std::string saved = ReadMachinesFile();
    EXPECT_NE(std::string::npos, saved.find("Line 2")) << saved;
    EXPECT_NE(std::string::npos, saved.find("00:0A:0B:0C:0D:03")) << saved;
    EXPECT_NE(std::string::npos, saved.find("Old 4")) << saved;
    EXPECT_TRUE(g_pollBoxes.empty());
}

TEST_F(PollDetailsTest, ADoubleClickPollsTheSelectedRowAndWithoutSelectionNothingRuns)
{
    WriteSaved();
    Controller(2);
    Controller(3);
    ASSERT_TRUE(Open());
    Select({3});
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = Saved().GetSafeHwnd();
    click.hdr.idFrom = IDC_SAVED_LIST;
    click.hdr.code = NM_DBLCLK;
    click.iItem = RowOf(3);
    WithProgressReader([&] { m_window->SendMessage(WM_NOTIFY, IDC_SAVED_LIST, (LPARAM)&click); });
    ASSERT_TRUE(g_reader.seen);
    EXPECT_EQ((std::vector<std::string>{Address(3) + " Up"}), g_reader.rows);
    EXPECT_TRUE(m_sims[0]->Messages().empty());
    EXPECT_STREQ("Line 3", Saved().GetItemText(RowOf(3), kColumnDeviceId));
    EXPECT_STREQ("Old 2", Saved().GetItemText(RowOf(2), kColumnDeviceId));

    Select({});
    click.iItem = -1;
    WithProgressReader([&] { m_window->SendMessage(WM_NOTIFY, IDC_SAVED_LIST, (LPARAM)&click); });
    EXPECT_FALSE(g_reader.seen);
    EXPECT_EQ(1u, m_sims[1]->Messages().size());
}

} // namespace
