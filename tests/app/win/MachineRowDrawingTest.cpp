// What the machine lists draw for a row: its text in the row's colour
// (orange for a duplicate address, black for an answered machine) on the
// window background, read back from the discovered list rendered into a
// DIB.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/Discovery.h"
#include "app/MachineColumns.h"
#include "app/win/AppDialogs.h"
#include "app/win/AppSeams.h"
#include "app/win/trovconfDlg.h"
#include "support/DRBSocket.h"
#include "tests/app/win/MainWindowFixture.h"
#include "tests/app/win/QuietSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/SimController.h"

namespace {

using trovtest::DibCanvas;


class MachineRowDrawingTest : public ::testing::Test, protected trovtest::TestAppFolders {
protected:
    // The program's seams answered by the test, restored when it ends.
    ScopedSeams m_seams;

    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        StartSocketLayer();
        EnterAppFolders();
        m_seams.Replace(g_appSeams.messageBox, trovtest::AnswerEveryBoxOk);
        m_seams.Replace(g_appSeams.broadcast, trovtest::BroadcastNothing);
        m_seams.Replace(g_appSeams.networkAdapters, trovtest::NoNetworkAdapters);
        ASSERT_TRUE(trovtest::OpenMainWindow(m_window));
    }
    void TearDown() override
    {
        m_window.reset();
        LeaveAppFolders();
    }

    // A controller's reply, as discovery reads it off the network.
    void Reply(const char* ip, const char* mac, const char* host)
    {
        trovtest::SimControllerIdentity id;
        id.if1Ip = ip;
        id.mac = mac;
        id.hostName = host;
        std::string text = trovtest::BuildSimReply(id);
        CDiscovery discovery(*m_window, m_window.get());
        discovery.ProcessDatagram(text.data(), (int)text.size(), 0x0A000001);
    }

    int RowOf(CMachinesListCtrl& list, const char* host)
    {
        for (int row = 0; row < list.GetItemCount(); ++row)
            if (list.GetItemText(row, kColumnDeviceId) == host)
                return row;
        return -1;
    }

    std::unique_ptr<CtrovconfDlg> m_window;
};

// Text drawn without smoothing, so that every pixel of a letter is exactly
// the row's colour.
TEST_F(MachineRowDrawingTest, ADuplicateRowIsDrawnInItsColourOnTheWindowBackground)
{
    Reply("10.0.0.5", "00:50:C2:00:00:05", "Sorter-8");
    Reply("10.0.0.5", "00:50:C2:00:00:99", "Sorter-9"); // same address, another machine
    Reply("10.0.0.6", "00:50:C2:00:00:06", "Mixer-1");
    CMachinesListCtrl& list = m_window->GetDiscoveredList();
    ASSERT_EQ(3, list.GetItemCount());

    LOGFONTA face = {};
    ::GetObjectA((HFONT)list.SendMessage(WM_GETFONT), sizeof face, &face);
    face.lfQuality = NONANTIALIASED_QUALITY;
    CFont sharp;
    ASSERT_TRUE(sharp.CreateFontIndirect(&face));
    list.SetFont(&sharp);

    CRect client;
    list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    ASSERT_TRUE(trovtest::RenderWindow(list.m_hWnd, canvas));

    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    struct Case {
        const char* host;
        COLORREF colour;
    } cases[] = {{"Sorter-8", kRowColourDuplicate}, {"Sorter-9", kRowColourDuplicate}, {"Mixer-1", kRowColourAnswered}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host);
        int row = RowOf(list, c.host);
        ASSERT_GE(row, 0);
        ASSERT_EQ(c.colour, list.GetRowColour(row));
        CRect bounds;
        list.GetItemRect(row, &bounds, LVIR_BOUNDS);
        bounds.right = std::min(bounds.right, client.right);
        EXPECT_EQ(background, canvas.DominantColor(bounds));
        // Only two colours in the row: the background and the text.
        std::vector<std::pair<COLORREF, int>> colours = canvas.Histogram(bounds);
        ASSERT_EQ(2u, colours.size()) << trovtest::ColorText(colours.back().first);
        EXPECT_EQ(c.colour, colours[1].first);

        // The host name's letters stand in its own cell, as wide as the
        // font measures the name.
        CRect cell;
        list.GetSubItemRect(row, kColumnDeviceId, LVIR_BOUNDS, cell);
        RECT ink = canvas.BoundsOfOther(cell, background);
        SIZE name = trovtest::MeasureText(sharp, c.host);
        EXPECT_GE(ink.left, cell.left);
        EXPECT_LE(ink.right, cell.right);
        EXPECT_LE(ink.right - ink.left, name.cx);
        EXPECT_GE(ink.right - ink.left, name.cx - 4);
    }
}

} // namespace
