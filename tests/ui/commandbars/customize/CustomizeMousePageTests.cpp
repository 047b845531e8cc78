// The Mouse page: views registered with the mouse manager, sorted by name
// with their icons, and the double-click command that goes straight into
// the manager.
#include "framework/Seam.h"
#include "res/ui/customize-pages.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestSupport.h"
#include "ui/commandbars/customize/ZUDPMousePage.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMouseManager.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMouseViewMachines = 7, kMouseViewLog = 3, kMouseViewChart = 11;
constexpr UINT kMouseCmdOpen = 101, kMouseCmdEdit = 102;

class MousePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        // Registered out of order; only the log view has an icon.
        m_manager.AddView(kMouseViewMachines, "Machines");
        m_manager.AddView(kMouseViewLog, "Log", IDI_ZUDP_USER_TOOL);
        m_manager.AddView(kMouseViewChart, "Chart");
        m_manager.AssignDblClickCommand(kMouseViewLog, kMouseCmdEdit);
        m_host.Add("File", kMouseCmdOpen, "Open");
        m_host.Add("Edit", kMouseCmdEdit, "Edit");
        m_page.SetCustomizeHost(&m_host);
        m_sheet.AddPage(&m_page);
        ASSERT_TRUE(m_sheet.Open());
    }
    void TearDown() override { m_sheet.DestroyWindow(); }

    void SelectView(int i)
    {
        m_page.m_wndListOfViews.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        trovtest::PumpPending();
    }
    int ViewImage(int i)
    {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        m_page.m_wndListOfViews.SendMessage(LVM_GETITEMA, 0, LPARAM(&item));
        return item.iImage;
    }
    bool Checked(int id) { return m_page.IsDlgButtonChecked(id) == BST_CHECKED; }

    CZUDPMouseManager m_manager;
    trovtest::TestCustomizeHost m_host;
    trovtest::TestSheet m_sheet;
    CZUDPMousePage m_page;
};

TEST_F(MousePageTest, ViewsAreSortedByNameWithTheirIcons)
{
    ASSERT_EQ(3, m_page.m_wndListOfViews.GetItemCount());
    EXPECT_STREQ("Chart", m_page.m_wndListOfViews.GetItemText(0, 0));
    EXPECT_STREQ("Log", m_page.m_wndListOfViews.GetItemText(1, 0));
    EXPECT_STREQ("Machines", m_page.m_wndListOfViews.GetItemText(2, 0));
    EXPECT_EQ(DWORD_PTR(kMouseViewLog), m_page.m_wndListOfViews.GetItemData(1));
    EXPECT_EQ(-1, ViewImage(0));
    EXPECT_EQ(0, ViewImage(1));
    EXPECT_EQ(2, m_page.m_wndListOfCommands.GetCount());
    // The first view starts selected: it has no command.
    EXPECT_EQ(kMouseViewChart, m_page.GetCurrentViewId());
    EXPECT_TRUE(Checked(IDC_ZUDP_MOUSE_NO_DBLCLICK));
    EXPECT_FALSE(m_page.m_wndListOfCommands.IsWindowEnabled());
}

TEST_F(MousePageTest, AViewWithACommandShowsItSelected)
{
    SelectView(1);
    EXPECT_EQ(kMouseViewLog, m_page.GetCurrentViewId());
    EXPECT_TRUE(Checked(IDC_ZUDP_MOUSE_USE_DBLCLICK));
    EXPECT_FALSE(Checked(IDC_ZUDP_MOUSE_NO_DBLCLICK));
    EXPECT_TRUE(m_page.m_wndListOfCommands.IsWindowEnabled());
    const int iSel = m_page.m_wndListOfCommands.GetCurSel();
    ASSERT_GE(iSel, 0);
    EXPECT_EQ(DWORD_PTR(kMouseCmdEdit), m_page.m_wndListOfCommands.GetItemData(iSel));
}

TEST_F(MousePageTest, TheDoubleClickCommandGoesIntoTheMouseManager)
{
    SelectView(2);   // Machines
    m_page.CheckDlgButton(IDC_ZUDP_MOUSE_USE_DBLCLICK, BST_CHECKED);
    trovtest::Click(*m_page.GetDlgItem(IDC_ZUDP_MOUSE_USE_DBLCLICK));
    EXPECT_TRUE(m_page.m_wndListOfCommands.IsWindowEnabled());
    EXPECT_EQ(0u, m_manager.LookupDblClickCommand(kMouseViewMachines));   // nothing picked yet

    const int iOpen = m_page.m_wndListOfCommands.FindStringExact(-1, "Open");
    trovtest::SelectListItem(m_page.m_wndListOfCommands, iOpen);
    EXPECT_EQ(kMouseCmdOpen, m_manager.LookupDblClickCommand(kMouseViewMachines));

    trovtest::Click(*m_page.GetDlgItem(IDC_ZUDP_MOUSE_NO_DBLCLICK));
    EXPECT_EQ(0u, m_manager.LookupDblClickCommand(kMouseViewMachines));
    EXPECT_FALSE(m_page.m_wndListOfCommands.IsWindowEnabled());
    EXPECT_EQ(LB_ERR, m_page.m_wndListOfCommands.GetCurSel());
    // Other views keep theirs.
    EXPECT_EQ(kMouseCmdEdit, m_manager.LookupDblClickCommand(kMouseViewLog));
}

TEST(MousePageNoViewTest, ACommandWithoutAViewOnlyBeeps)
{
    trovtest::InitFrameworkForTests();
    CZUDPMouseManager manager;   // no views
    trovtest::TestCustomizeHost host;
    host.Add("File", kMouseCmdOpen, "Open");
    trovtest::TestSheet sheet;
    CZUDPMousePage page;
    page.SetCustomizeHost(&host);
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Open());
    int beeps = 0;
    ScopedSeam beep(g_foundationSeams.messageBeep, [&](UINT) {
        ++beeps;
        return TRUE;
    });
    trovtest::Click(*page.GetDlgItem(IDC_ZUDP_MOUSE_USE_DBLCLICK));
    trovtest::SelectListItem(page.m_wndListOfCommands, 0);
    EXPECT_EQ(2, beeps);
    sheet.DestroyWindow();
}

} // namespace
