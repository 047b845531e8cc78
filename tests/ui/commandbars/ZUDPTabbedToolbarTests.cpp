// The tabbed toolbar: its creation (gripper and sides, the tab window at
// the bottom that owns no toolbar), its tabs (label, image, gripper, owner,
// hidden and active tabs), its size round the widest toolbar in a docked
// row, and what its destruction leaves.
#include "tests/ui/commandbars/PaneTestSupport.h"
#include "ui/commandbars/ZUDPTabbedToolbar.h"
#include "ui/docking/ZUDPTabWnd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

using namespace panetest;

namespace {

using CSizedToolBar = CSizedBar<CZUDPToolBar>;

// A library frame with a tabbed toolbar docked at the top and toolbars
// made in the frame, ready to be added as tabs.
class TabbedToolbarTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dock.IsCreated()); }

    bool CreateAndDock(DWORD dwControlBarStyle = ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK)
    {
        if (!m_bar.CreateTabbedBar(&m_dock.Frame(), WS_CHILD | WS_VISIBLE | CBRS_TOP, 200, dwControlBarStyle))
            return false;
        m_bar.SetDockableSides(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        m_dock.Frame().DockBarAtSite(&m_bar, AFX_IDW_DOCKBAR_TOP, nullptr);
        return m_bar.GetParentDockBar() == &m_dock.Top();
    }
    // A toolbar of a full width, titled, made in the frame with a gripper.
    CSizedToolBar& NewToolbar(int width, const char* title = "Toolbar")
    {
        m_toolbars.push_back(std::make_unique<CSizedToolBar>());
        CSizedToolBar& toolbar = *m_toolbars.back();
        toolbar.m_sizeFull = CSize(width, 24);
        EXPECT_TRUE(CreatePane(toolbar, &m_dock.Frame(), UINT(300 + m_toolbars.size()), title));
        return toolbar;
    }
    int BarWidth() const { return WindowRect(m_bar).Width(); }

    DockingStateGuard m_guard;
    DockingFrame m_dock;
    // Declared after the frame: destroyed first, as an application's bars
    // outlive no frame.
    std::vector<std::unique_ptr<CSizedToolBar>> m_toolbars;
    CZUDPTabbedToolbar m_bar;
};

TEST_F(TabbedToolbarTest, CreationGivesAGripperOnlyToAFloatingBarAndNeverTheLeftOrRightSide)
{
    struct Case {
        const char* name;
        DWORD dwStyle;
        DWORD dwControlBarStyle;
        bool gripper;
    } cases[] = {
        {"may float", WS_CHILD | CBRS_TOP, ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK, true},
        {"may not float", WS_CHILD | CBRS_TOP, ZUDP_CBRS_DOCK, false},
        {"asked for the left side and its borders", WS_CHILD | CBRS_LEFT | CBRS_BORDER_RIGHT | CBRS_ALIGN_RIGHT,
         ZUDP_CBRS_FLOAT, true},
        {"a gripper asked for, no floating", WS_CHILD | CBRS_TOP | CBRS_GRIPPER, ZUDP_CBRS_DOCK, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPTabbedToolbar bar;
        ASSERT_TRUE(bar.CreateTabbedBar(&m_dock.Frame(), c.dwStyle, 200, c.dwControlBarStyle));
        const DWORD style = bar.GetBarStyle();
        EXPECT_EQ(c.gripper, (style & CBRS_GRIPPER) != 0);
        EXPECT_EQ(0u, style & (CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT | CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT));
        EXPECT_EQ(CRect(0, 0, 0, 0), bar.GetBorders());

        char className[64] = {};
        ::GetClassNameA(bar.GetSafeHwnd(), className, sizeof(className));
        EXPECT_EQ(0, strncmp(className, "ZUDPTabbedToolBar", 17)) << className;

        // The tab window: id 101, strip at the bottom, owning no toolbar,
        // no wrapping, no reordering, the strip kept for a single tab.
        CZUDPTabWnd* pTabs = bar.GetTabWnd();
        ASSERT_NE(nullptr, pTabs);
        EXPECT_EQ(CZUDPTabbedToolbar::kTabWindowId, UINT(pTabs->GetDlgCtrlID()));
        EXPECT_EQ(&bar, pTabs->GetParent());
        EXPECT_EQ(TabLocationBottom, pTabs->GetTabLocation());
        EXPECT_FALSE(pTabs->m_bAutoDestroyWindow);
        EXPECT_FALSE(pTabs->m_bWrapPlainWindows);
        EXPECT_FALSE(pTabs->m_bEnableTabMove);
        EXPECT_NE(nullptr, g_toolbarList.Find(&bar));
        bar.DestroyWindow();
    }
}

TEST_F(TabbedToolbarTest, AddTabBeforeCreationChangesNothing)
{
    CSizedToolBar& toolbar = NewToolbar(120);
    CZUDPTabbedToolbar bar;
    EXPECT_EQ(nullptr, bar.GetTabWnd());
    EXPECT_FALSE(bar.AddTab(&toolbar));
    EXPECT_EQ(&m_dock.Frame(), toolbar.GetParent());
}

TEST_F(TabbedToolbarTest, AToolbarBecomesATabLabelledWithItsTitle)
{
    ASSERT_TRUE(CreateAndDock());
    CSizedToolBar& toolbar = NewToolbar(120, "Standard");
    ASSERT_NE(0u, toolbar.GetBarStyle() & CBRS_GRIPPER);
    ASSERT_TRUE(m_bar.AddTab(&toolbar));

    CZUDPTabWnd& tabs = *m_bar.GetTabWnd();
    ASSERT_EQ(1, tabs.GetTabCount());
    CString label;
    tabs.GetTabLabelText(0, label);
    EXPECT_STREQ("Standard", label);
    EXPECT_EQ(-1, tabs.GetTabImageIndex(0));
    EXPECT_FALSE(tabs.TabHasImage(0));
    EXPECT_EQ(0u, toolbar.GetBarStyle() & CBRS_GRIPPER);
    EXPECT_EQ(&tabs, toolbar.GetParent());
    EXPECT_EQ(&m_dock.Frame(), toolbar.GetOwner());
    EXPECT_TRUE(toolbar.IsTabbed());

    // One toolbar keeps the strip.
    CRect strip;
    tabs.GetTabStripRect(strip);
    EXPECT_FALSE(strip.IsRectEmpty());
    CRect client;
    tabs.GetClientRect(&client);
    EXPECT_EQ(client.bottom, strip.bottom) << "the strip lies at the bottom";
}

TEST_F(TabbedToolbarTest, HiddenAndActivatedTabs)
{
    ASSERT_TRUE(CreateAndDock());
    CZUDPTabWnd& tabs = *m_bar.GetTabWnd();
    struct Step {
        BOOL show;
        BOOL activate;
        bool visible;
        int active;  // afterwards
    } steps[] = {
        {TRUE, TRUE, true, 0},
        {FALSE, FALSE, false, 0},  // hidden, and not active
        {TRUE, FALSE, true, 0},    // shown, the active tab stays
        {TRUE, TRUE, true, 3},     // shown and active
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(testing::Message() << "tab " << i);
        ASSERT_TRUE(m_bar.AddTab(&NewToolbar(100), steps[i].show, steps[i].activate));
        EXPECT_EQ(steps[i].visible, tabs.IsTabVisible(int(i)) != FALSE);
        EXPECT_EQ(steps[i].active, tabs.GetActiveTabIndex());
        EXPECT_EQ(steps[i].visible, m_toolbars[i]->IsBarVisible() != FALSE);
    }
}

TEST_F(TabbedToolbarTest, TheBarIsSizedRoundItsWidestToolbarAndGrowsInItsRow)
{
    ASSERT_TRUE(CreateAndDock());
    CZUDPTabWnd& tabs = *m_bar.GetTabWnd();
    struct Step {
        int width;  // the toolbar added
        int widest; // the bar follows the widest so far
    } steps[] = {{120, 120}, {200, 200}, {100, 200}};
    int barWidth = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "a toolbar " << step.width << " wide");
        ASSERT_TRUE(m_bar.AddTab(&NewToolbar(step.width)));
        const int b = tabs.GetTabBorderSize();
        const CSize expected(step.widest + 2 * b, 24 + 2 * b + tabs.GetTabHeight() + 2);
        EXPECT_EQ(expected, WindowRect(tabs).Size());
        // Docked: the gripper (7) and the top and bottom border lines the
        // style has round the tab window.
        CRect taken(0, 0, 0, 0);
        m_bar.DeflateRectByBorders(taken, TRUE);
        EXPECT_GE(taken.left, 7);
        const CSize stretch = m_bar.CalcStretchSize(TRUE, FALSE);
        EXPECT_EQ(CSize(expected.cx + taken.left - taken.right, expected.cy + taken.top - taken.bottom), stretch);
        EXPECT_EQ(stretch.cx, BarWidth()) << "the row gives the bar its full width";
        EXPECT_EQ(stretch.cy, WindowRect(m_bar).Height());
        EXPECT_GE(WindowRect(m_dock.Top()).Height(), stretch.cy) << "the dock bar holds the bar";
        // The tab window sits inside the gripper.
        CRect inBar = WindowRect(tabs);
        m_bar.ScreenToClient(&inBar);
        EXPECT_EQ(taken.left, inBar.left);
        if (barWidth != 0 && step.width < step.widest) {
            EXPECT_EQ(barWidth, BarWidth()) << "a narrower toolbar does not shrink the bar";
        }
        barWidth = BarWidth();
    }
}

TEST_F(TabbedToolbarTest, DestroyingTheBarDeletesTheTabWindowAndLeavesTheToolbars)
{
    ASSERT_TRUE(CreateAndDock());
    CSizedToolBar& first = NewToolbar(120, "First");
    CSizedToolBar& second = NewToolbar(140, "Second");
    ASSERT_TRUE(m_bar.AddTab(&first));
    ASSERT_TRUE(m_bar.AddTab(&second));
    const HWND hTabs = m_bar.GetTabWnd()->GetSafeHwnd();

    // Removing a tab keeps its toolbar's window.
    ASSERT_TRUE(m_bar.GetTabWnd()->RemoveTabAt(1));
    EXPECT_TRUE(::IsWindow(second.GetSafeHwnd()));

    m_bar.DestroyWindow();
    EXPECT_EQ(nullptr, m_bar.GetTabWnd());
    EXPECT_FALSE(::IsWindow(hTabs));
    EXPECT_FALSE(m_bar.AddTab(&second)) << "no tab window after destruction";
    // The toolbars are still the caller's objects (destroyed by the
    // fixture); their windows went with the tab window, whose children they
    // were (the removed one too), and the bars left the toolbar list.
    for (CSizedToolBar* toolbar : {&first, &second})
        EXPECT_EQ(nullptr, toolbar->GetSafeHwnd());
    EXPECT_EQ(nullptr, g_toolbarList.Find(&m_bar));
}

} // namespace
