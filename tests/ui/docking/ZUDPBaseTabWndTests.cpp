// The base tab window's tab operations: inserting, removing (with each
// rule for the next active tab), hiding and showing, reordering, the
// queries and their answers for indexes outside the tabs, and the
// destruction of tabs whose panes remove themselves.
#include "tests/ui/docking/TabWndTestSupport.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

using tabtest::CPaneWnd;
using tabtest::TabWindowFixture;

namespace {

class BaseTabWndTest : public TabWindowFixture {
protected:
    // The pane shown by the active tab: its index among the panes, -1
    // when no tab is active.
    int ActivePane() const
    {
        CWnd* pWnd = m_tabs->GetActiveTabWindow();
        for (size_t i = 0; i < m_panes.size(); ++i)
            if (m_panes[i].get() == pWnd)
                return int(i);
        return -1;
    }
    int VisiblePanes() const
    {
        int n = 0;
        for (const auto& pane : m_panes)
            n += (pane->GetStyle() & WS_VISIBLE) != 0;
        return n;
    }
};

TEST_F(BaseTabWndTest, InsertingActivatesTheFirstTabAndKeepsTheActiveTabActive)
{
    struct Case {
        const char* what;
        int active;      // activated before the insertion (-1: no tabs yet)
        int insertAt;    // -1: append
        int newActive;   // expected active index
        int activePane;  // the pane it shows (3 = the inserted one)
        int previous;    // expected previous active index
    } cases[] = {
        {"the first tab becomes active", -1, -1, 0, 0, -1},
        {"appending after the active tab keeps it", 1, -1, 1, 1, 1},
        {"a tab before the active one moves it one place on", 2, 0, 3, 2, 2},
        {"a tab at the active index becomes the active tab", 1, 1, 1, 3, 2},
    };
    for (const Case& c : cases) {
        Create(CZUDPTabWnd::TabStyle3D);
        if (c.active >= 0) {
            AddTabs({"one", "two", "three"});
            ASSERT_TRUE(m_tabs->ActivateTab(c.active));
        }
        auto pane = std::make_unique<CPaneWnd>();
        ASSERT_TRUE(pane->CreatePane(m_tabs.get(), 200));
        const int index = m_tabs->InsertTabAt(pane.get(), "new", c.insertAt);
        m_panes.push_back(std::move(pane));
        EXPECT_EQ(c.insertAt < 0 ? m_tabs->GetTabCount() - 1 : c.insertAt, index) << c.what;
        EXPECT_EQ(c.newActive, m_tabs->GetActiveTabIndex()) << c.what;
        const int paneShown = c.active < 0 ? 0 : c.activePane;
        EXPECT_EQ(paneShown, ActivePane()) << c.what;
        EXPECT_EQ(1, VisiblePanes()) << c.what << ": only the active tab's window shows";
        EXPECT_TRUE(m_panes[size_t(paneShown)]->GetStyle() & WS_VISIBLE) << c.what;
        EXPECT_EQ(c.previous, m_tabs->m_iPrevActive) << c.what;
    }
}

TEST_F(BaseTabWndTest, RemovingATabChoosesTheNextActiveTabByItsRule)
{
    enum Rule { Default, LastVisible, ReturnToPrevious };
    struct Case {
        const char* what;
        int tabs;
        int active;
        int removed;
        Rule rule;
        int hidden;        // a tab hidden first (-1: none)
        int previous;      // the previous active index set first (-1: none)
        int activePane;    // expected pane of the active tab (-1: none)
        int activeIndex;
    } cases[] = {
        {"the only tab: none is active", 1, 0, 0, Default, -1, -1, -1, -1},
        {"a later tab: the active tab stays", 5, 1, 3, Default, -1, -1, 1, 1},
        {"an earlier tab: the active tab stays, one place on", 5, 3, 1, Default, -1, -1, 3, 2},
        {"an earlier tab under the last-visible rule: the active tab stays", 5, 3, 1, LastVisible, -1, -1, 3, 2},
        {"an earlier tab under the previous rule: the active tab stays", 5, 3, 1, ReturnToPrevious, -1, 0, 3, 2},
        {"the active tab: the tab that follows it", 5, 2, 2, Default, -1, -1, 3, 2},
        {"the active tab, the next hidden: the first visible after it", 5, 2, 2, Default, 3, -1, 4, 3},
        {"the last tab, active: the one before it", 5, 4, 4, Default, -1, -1, 3, 3},
        {"the active tab under the last-visible rule", 5, 1, 1, LastVisible, -1, -1, 4, 3},
        {"the last-visible rule skips a hidden last tab", 5, 1, 1, LastVisible, 4, -1, 3, 2},
        {"the active tab under the previous rule, previous after it", 5, 1, 1, ReturnToPrevious, -1, 3, 3, 2},
        {"the active tab under the previous rule, previous before it", 5, 3, 3, ReturnToPrevious, -1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        Create(CZUDPTabWnd::TabStyle3D);
        for (int i = 0; i < c.tabs; ++i)
            AddTabs({"tab"});
        m_tabs->m_bActivateLastVisibleOnRemove = c.rule == LastVisible;
        m_tabs->m_bReturnToPrevOnRemove = c.rule == ReturnToPrevious;
        if (c.hidden >= 0)
            m_tabs->ShowTabAt(c.hidden, FALSE);
        ASSERT_TRUE(m_tabs->ActivateTab(c.active)) << c.what;
        m_tabs->m_iPrevActive = c.previous;
        m_host->Clear();

        ASSERT_TRUE(m_tabs->RemoveTabAt(c.removed)) << c.what;
        EXPECT_EQ(c.activeIndex, m_tabs->GetActiveTabIndex()) << c.what;
        EXPECT_EQ(c.activePane, ActivePane()) << c.what;
        // The new state is announced, last of all with the active index.
        const auto changes = m_host->Of(ZUDM_ONCHANGE_ACTIVE_TAB);
        ASSERT_FALSE(changes.empty()) << c.what;
        EXPECT_EQ(WPARAM(c.activeIndex), changes.back().wParam) << c.what;
        EXPECT_EQ(LPARAM(m_tabs.get()), changes.back().lParam) << c.what;
        if (c.activePane >= 0) {
            EXPECT_TRUE(m_panes[size_t(c.activePane)]->GetStyle() & WS_VISIBLE) << c.what;
        }
    }
}

TEST_F(BaseTabWndTest, RemovingWithoutRelayoutLeavesTheActiveTabToTheCaller)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b", "c"});
    m_tabs->ActivateTab(1);
    m_host->Clear();
    EXPECT_TRUE(m_tabs->RemoveTabAt(1, FALSE));
    EXPECT_EQ(-1, m_tabs->GetActiveTabIndex());
    EXPECT_EQ(0, m_host->Count(ZUDM_ONCHANGE_ACTIVE_TAB));
    // The removed tab's window belonged to the tab window: it is gone.
    EXPECT_FALSE(::IsWindow(m_panes[1]->GetSafeHwnd()));
}

TEST_F(BaseTabWndTest, HidingAndShowingTabsMovesTheActiveTab)
{
    struct Case {
        const char* what;
        std::vector<int> hideFirst;  // hidden before the change
        int active;
        int tab;
        BOOL show;
        int activeIndex;  // expected afterwards
    } cases[] = {
        {"hiding the active tab: the next visible to its right", {}, 1, 1, FALSE, 2},
        {"hiding the active tab, none visible right: the nearest left", {3}, 2, 2, FALSE, 1},
        {"hiding the only visible tab: none active", {0, 1, 2}, 3, 3, FALSE, -1},
        {"hiding another tab: the active tab stays", {}, 1, 3, FALSE, 1},
        {"showing a tab while none is visible activates it", {0, 1, 2, 3}, -1, 2, TRUE, 2},
        {"showing a tab beside a visible one leaves the active tab", {2}, 1, 2, TRUE, 1},
    };
    for (const Case& c : cases) {
        Create(CZUDPTabWnd::TabStyle3D);
        AddTabs({"a", "b", "c", "d"});
        if (c.active >= 0)
            m_tabs->ActivateTab(c.active);
        for (int i : c.hideFirst)
            m_tabs->ShowTabAt(i, FALSE);
        EXPECT_TRUE(m_tabs->ShowTabAt(c.tab, c.show)) << c.what;
        EXPECT_EQ(c.activeIndex, m_tabs->GetActiveTabIndex()) << c.what;
        const BOOL bVisible = (m_panes[size_t(c.tab)]->GetStyle() & WS_VISIBLE) != 0;
        if (!c.show) {
            EXPECT_FALSE(bVisible) << c.what << ": a hidden tab's window hides";
        } else if (c.activeIndex == c.tab) {
            EXPECT_TRUE(bVisible) << c.what;
        }
    }
}

TEST_F(BaseTabWndTest, QueriesAnswerTheirEmptyValueOutsideTheTabs)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b"});
    CString label = "x";
    CRect rect(1, 2, 3, 4);
    for (int bad : {-1, 2, 100}) {
        EXPECT_EQ(nullptr, m_tabs->GetTabWindow(bad)) << bad;
        EXPECT_EQ(nullptr, m_tabs->GetTabWindowUnwrapped(bad)) << bad;
        EXPECT_FALSE(m_tabs->GetTabRectAt(bad, rect)) << bad;
        EXPECT_FALSE(m_tabs->GetTabLabelText(bad, label)) << bad;
        EXPECT_EQ(-1, m_tabs->GetTabImageIndex(bad)) << bad;
        EXPECT_EQ(nullptr, m_tabs->GetTabIconHandle(bad)) << bad;
        EXPECT_EQ((COLORREF)-1, m_tabs->GetTabTextColor(bad)) << bad;
        EXPECT_EQ((COLORREF)-1, m_tabs->GetTabBackColor(bad)) << bad;
        EXPECT_EQ(0, m_tabs->GetTabFullWidth(bad)) << bad;
        EXPECT_FALSE(m_tabs->IsTabDetachable(bad)) << bad;
        EXPECT_FALSE(m_tabs->IsTabIconOnly(bad)) << bad;
        EXPECT_FALSE(m_tabs->IsTabVisible(bad)) << bad;
        EXPECT_EQ(-1, m_tabs->GetTabId(bad)) << bad;
        EXPECT_FALSE(m_tabs->TabHasImage(bad)) << bad;
        EXPECT_FALSE(m_tabs->SetTabBackColor(bad, RGB(1, 2, 3))) << bad;
        EXPECT_FALSE(m_tabs->SetTabTextColor(bad, RGB(1, 2, 3))) << bad;
        EXPECT_FALSE(m_tabs->SetTabDetachable(bad)) << bad;
        EXPECT_FALSE(m_tabs->SetTabImageIndex(bad, 0)) << bad;
        EXPECT_FALSE(m_tabs->SetTabIconOnly(bad)) << bad;
        EXPECT_FALSE(m_tabs->SetTabIconHandle(bad, ::LoadIcon(nullptr, IDI_APPLICATION))) << bad;
        EXPECT_FALSE(m_tabs->SetTabLabelText(bad, "y")) << bad;
        EXPECT_FALSE(m_tabs->ShowTabAt(bad, FALSE)) << bad;
        EXPECT_FALSE(m_tabs->RemoveTabAt(bad)) << bad;
        EXPECT_FALSE(m_tabs->ActivateTab(bad)) << bad;
    }
    EXPECT_EQ(2, m_tabs->GetTabCount());
    EXPECT_EQ(0, m_tabs->GetActiveTabIndex());
    EXPECT_EQ(-1, m_tabs->FindTabById(99));
    EXPECT_EQ(-1, m_tabs->FindTabByWindow(m_host->GetSafeHwnd()));
    CZUDPTabInfo* pTab = reinterpret_cast<CZUDPTabInfo*>(1);
    EXPECT_EQ(0, m_tabs->FindTabInfoByCtrlId(999, pTab));
    EXPECT_EQ(nullptr, pTab);
    // An empty label is no label.
    EXPECT_FALSE(m_tabs->SetTabLabelText(0, ""));
    EXPECT_TRUE(m_tabs->GetTabLabelText(0, label));
    EXPECT_STREQ("a", label);
}

TEST_F(BaseTabWndTest, LookupsFindTabsByWindowIdAndControlId)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b", "c"});
    EXPECT_EQ(1, m_tabs->FindTabByWindow(Pane(1).GetSafeHwnd()));
    EXPECT_EQ(2, m_tabs->FindTabById(m_tabs->GetTabId(2)));
    CZUDPTabInfo* pTab = nullptr;
    EXPECT_EQ(2, m_tabs->FindTabInfoByCtrlId(102, pTab));
    ASSERT_NE(nullptr, pTab);
    EXPECT_EQ(&Pane(2), pTab->m_pWnd);
    // Tab ids are given in order from 1 and start again after every tab
    // went.
    EXPECT_EQ(1, m_tabs->GetTabId(0));
    EXPECT_EQ(3, m_tabs->GetTabId(2));
    m_tabs->RemoveEveryTab();
    AddTabs({"again"});
    EXPECT_EQ(1, m_tabs->GetTabId(0));
}

TEST_F(BaseTabWndTest, FindVisibleTabFromWrapsToTheFirstVisibleTab)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b", "c", "d"});
    m_tabs->ShowTabAt(0, FALSE);
    m_tabs->ShowTabAt(3, FALSE);
    struct Case {
        int start, index;
    } cases[] = {{0, 1}, {2, 2}, {3, 1}, {9, 1}, {-5, 1}};
    for (const Case& c : cases) {
        int index = -7;
        CWnd* pWnd = m_tabs->FindVisibleTabFrom(c.start, index);
        EXPECT_EQ(c.index, index) << c.start;
        EXPECT_EQ(m_tabs->GetTabWindow(c.index), pWnd) << c.start;
    }
    int index = -7;
    EXPECT_EQ(&Pane(2), m_tabs->GetLastVisibleTab(index));
    EXPECT_EQ(2, index);
    m_tabs->ShowTabAt(1, FALSE);
    m_tabs->ShowTabAt(2, FALSE);
    EXPECT_EQ(nullptr, m_tabs->FindVisibleTabFrom(2, index));
    EXPECT_EQ(-1, index);
    EXPECT_EQ(nullptr, m_tabs->GetLastVisibleTab(index));
    EXPECT_EQ(-1, index);
}

TEST_F(BaseTabWndTest, IconOnlyTabsReadAsEmptyLabels)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"label"});
    EXPECT_TRUE(m_tabs->SetTabIconOnly(0, TRUE, TRUE));
    CString label = "x";
    EXPECT_TRUE(m_tabs->GetTabLabelText(0, label));
    EXPECT_STREQ("", label);
    EXPECT_TRUE(m_tabs->IsTabIconOnly(0));
    m_tabs->SetTabIconOnly(0, FALSE);
    m_tabs->GetTabLabelText(0, label);
    EXPECT_STREQ("label", label);
}

TEST_F(BaseTabWndTest, BorderSizeIsZeroWhileTheTabsHaveNoHeight)
{
    CZUDPTabWnd tabs;  // never created: no tab height yet
    tabs.SetTabBorderSize(5, FALSE);
    EXPECT_EQ(0, tabs.GetTabHeight());
    EXPECT_EQ(0, tabs.GetTabBorderSize());
    tabs.RecalcTabHeight();
    EXPECT_GT(tabs.GetTabHeight(), 0);
    EXPECT_EQ(5, tabs.GetTabBorderSize());
    tabs.SetTabBorderSize(-1, FALSE);
    EXPECT_EQ(2, tabs.GetTabBorderSize());
}

TEST_F(BaseTabWndTest, AWindowWithoutAControlIdCannotBecomeATab)
{
    Create(CZUDPTabWnd::TabStyle3D);
    CPaneWnd pane;
    ASSERT_TRUE(pane.CreatePane(m_tabs.get(), UINT(-1)));
    EXPECT_EQ(-1, m_tabs->AppendTab(&pane, "none"));
    EXPECT_EQ(0, m_tabs->GetTabCount());
    // Only docking panes may float out: a plain window's tab is not
    // detachable whatever the caller asks.
    AddTabs({"plain"});
    EXPECT_FALSE(m_tabs->IsTabDetachable(0));
    EXPECT_FALSE(m_tabs->DetachTabPane(CZUDPBaseTabWnd::DetachByProgram, 0, FALSE));
}

TEST_F(BaseTabWndTest, ReorderingChecksItsIndexesAndKeepsTheActiveTab)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b", "c", "d"});
    m_tabs->ActivateTab(1);

    // Swaps need two indexes inside the tabs.
    for (auto pair : {std::pair<int, int>{-1, 0}, {0, -1}, {0, 4}, {9, 1}})
        EXPECT_FALSE(m_tabs->SwapTabs(pair.first, pair.second)) << pair.first << "," << pair.second;
    EXPECT_EQ(&Pane(0), m_tabs->GetTabWindow(0));

    // A reorder takes only a permutation of the tab indexes.
    for (std::vector<int> bad : {std::vector<int>{0, 1, 2}, {0, 1, 1, 2}, {0, 1, 2, 4}, {-1, 1, 2, 3}}) {
        CArray<int, int> order;
        for (int i : bad)
            order.Add(i);
        EXPECT_FALSE(m_tabs->ReorderTabs(order));
    }
    EXPECT_EQ(&Pane(3), m_tabs->GetTabWindow(3));
    CArray<int, int> order;
    for (int i : {3, 2, 1, 0})
        order.Add(i);
    EXPECT_TRUE(m_tabs->ReorderTabs(order));
    EXPECT_EQ(&Pane(3), m_tabs->GetTabWindow(0));
    EXPECT_EQ(2, m_tabs->GetActiveTabIndex());
    EXPECT_EQ(&Pane(1), m_tabs->GetActiveTabWindow());

    // A move keeps the active tab active and announces its new index.
    m_host->Clear();
    EXPECT_TRUE(m_tabs->MoveTab(2, -1));
    EXPECT_EQ(3, m_tabs->GetActiveTabIndex());
    EXPECT_EQ(&Pane(1), m_tabs->GetActiveTabWindow());
    ASSERT_EQ(1, m_host->Count(ZUDM_ONCHANGE_ACTIVE_TAB));
    EXPECT_EQ(WPARAM(3), m_host->Of(ZUDM_ONCHANGE_ACTIVE_TAB)[0].wParam);
    EXPECT_FALSE(m_tabs->MoveTab(7, 0));
    EXPECT_FALSE(m_tabs->MoveTab(0, 9));

    // Without an active tab nothing moves.
    CZUDPTabWnd empty;
    EXPECT_FALSE(empty.MoveTab(0, 0));
}

// A pane that takes its own tab out of the tab window when it is
// destroyed, as the docking panes do.
class CSelfRemovingPane : public CPaneWnd {
public:
    CZUDPBaseTabWnd* pTabs = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY && pTabs != nullptr) {
            const int iTab = pTabs->FindTabByWindow(m_hWnd);
            if (iTab >= 0)
                pTabs->RemoveTabAt(iTab);
        }
        return CPaneWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(BaseTabWndTest, DestroyingTheTabWindowSurvivesPanesThatRemoveTheirTabs)
{
    Create(CZUDPTabWnd::TabStyle3D);
    CSelfRemovingPane panes[3];
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(panes[i].CreatePane(m_tabs.get(), UINT(300 + i)));
        panes[i].pTabs = m_tabs.get();
        m_tabs->AppendTab(&panes[i], "self");
    }
    m_tabs->DestroyWindow();
    for (auto& pane : panes)
        EXPECT_FALSE(::IsWindow(pane.GetSafeHwnd()));
    EXPECT_EQ(0, m_tabs->GetTabCount());
    EXPECT_EQ(-1, m_tabs->GetActiveTabIndex());
}

TEST_F(BaseTabWndTest, TabsWithoutWindowsAreActivatedAndAnnounced)
{
    Create(CZUDPTabWnd::TabStyle3D);
    m_tabs->AppendTab(nullptr, "one");
    m_tabs->AppendTab(nullptr, "two");
    m_host->Clear();
    EXPECT_TRUE(m_tabs->ActivateTab(1));
    EXPECT_EQ(1, m_tabs->GetActiveTabIndex());
    ASSERT_EQ(1, m_host->Count(ZUDM_ONCHANGE_ACTIVE_TAB));
    EXPECT_EQ(WPARAM(1), m_host->Of(ZUDM_ONCHANGE_ACTIVE_TAB)[0].wParam);
}

TEST_F(BaseTabWndTest, AVetoKeepsTheActiveTab)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b"});
    m_host->vetoChanging = TRUE;
    m_host->Clear();
    EXPECT_FALSE(m_tabs->ActivateTab(1));
    EXPECT_EQ(0, m_tabs->GetActiveTabIndex());
    EXPECT_TRUE(Pane(0).GetStyle() & WS_VISIBLE);
    ASSERT_EQ(1, m_host->Count(ZUDM_ON_CHANGING_ACTIVE_TAB));
    EXPECT_EQ(WPARAM(1), m_host->Of(ZUDM_ON_CHANGING_ACTIVE_TAB)[0].wParam);
    EXPECT_EQ(0, m_host->Count(ZUDM_ONCHANGE_ACTIVE_TAB));
}

TEST_F(BaseTabWndTest, LabelsChangeTheTabAndItsWindowText)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"a", "b"});
    EXPECT_TRUE(m_tabs->SetTabLabelText(1, "Renamed"));
    CString text;
    Pane(1).GetWindowText(text);
    EXPECT_STREQ("Renamed", text);
    m_tabs->GetTabLabelText(1, text);
    EXPECT_STREQ("Renamed", text);
}

TEST_F(BaseTabWndTest, ATabbedPanesCaptionFollowsItsActiveTab)
{
    CZUDPTabbedControlBar bar;
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "pane", WS_POPUP, CRect(0, 0, 300, 100), nullptr, 0));
    {
        CZUDPTabWnd tabs;
        ASSERT_TRUE(tabs.CreateWithStyle(CZUDPTabWnd::TabStyle3D, CRect(0, 0, 300, 100), &bar, 1));
        char className[64] = "";
        ::GetClassNameA(tabs.GetSafeHwnd(), className, sizeof(className));
        EXPECT_EQ(0, std::string(className).rfind("ZUDPTabWnd", 0)) << className;
        CPaneWnd panes[2];
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(panes[i].CreatePane(&tabs, UINT(100 + i)));
            tabs.AppendTab(&panes[i], i == 0 ? "First" : "Second");
        }
        CString text;
        tabs.ActivateTab(1);
        bar.GetWindowText(text);
        EXPECT_STREQ("Second", text);
        tabs.SetTabLabelText(1, "Renamed");
        bar.GetWindowText(text);
        EXPECT_STREQ("Renamed", text);
        tabs.SetTabLabelText(0, "Not active");
        bar.GetWindowText(text);
        EXPECT_STREQ("Renamed", text) << "only the active tab's label";
        bar.SetCaptionFollowsTab(FALSE);
        tabs.ActivateTab(0);
        bar.GetWindowText(text);
        EXPECT_STREQ("Renamed", text);
        tabs.DestroyWindow();
    }
    bar.DestroyWindow();
}

} // namespace
