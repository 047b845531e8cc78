// What the tab window does with the user's input: clicks, tab moves,
// closing, renaming, tooltips, the keyboard, the scroll buttons, the tab
// list, the resize bar, the shared scroll bar and drags from other
// programs.
#include "tests/ui/docking/TabWndTestSupport.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tabtest::CPaneWnd;
using tabtest::TabWindowFixture;

namespace {

class TabInputTest : public TabWindowFixture {
protected:
    CRect TabRect(int i) const
    {
        CRect rect;
        m_tabs->GetTabRectAt(i, rect);
        return rect;
    }
    CRect Strip() const
    {
        CRect rect;
        m_tabs->GetTabStripRect(rect);
        return rect;
    }
    void Click(CZUDTabButton& button)
    {
        m_tabs->SendMessage(WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED), LPARAM(button.GetSafeHwnd()));
    }
    BOOL Key(UINT vk, bool ctrl)
    {
        m_ctrlDown = ctrl;
        MSG msg = {m_tabs->GetSafeHwnd(), WM_KEYDOWN, vk, 0, 0, {0, 0}};
        const BOOL bTaken = m_tabs->PreTranslateMessage(&msg);
        m_ctrlDown = false;
        return bTaken;
    }
};

TEST_F(TabInputTest, APressActivatesTheTabOnceAndStartsAMove)
{
    Create(CZUDPTabWnd::TabStyle3DScrolled);
    AddTabs({"One", "Two", "Three"});
    m_host->Clear();
    Press(TabCentre(1));
    EXPECT_EQ(1, m_tabs->GetActiveTabIndex());
    EXPECT_EQ(1, m_host->Count(ZUDM_ONCHANGE_ACTIVE_TAB)) << "announced exactly once";
    EXPECT_EQ(0, m_tabs->m_iPrevActive);
    EXPECT_TRUE(m_tabs->IsMovingTab());
    EXPECT_EQ(m_tabs->GetSafeHwnd(), ::GetCapture());
    Release(TabCentre(1));
    EXPECT_FALSE(m_tabs->IsMovingTab());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(0, m_host->Count(ZUDM_ON_MOVE_TAB)) << "a click without a move moves nothing";
}

TEST_F(TabInputTest, APressThatShiftsTheTabsStartsNoMove)
{
    // The active tab's bold label is wider: activating the tab after it
    // moves that tab left, and the press then lies on the next tab.
    Create(CZUDPTabWnd::TabStyle3DScrolled);
    AddTabs({"WWWWWWWWWWWWWWWW", "i", "x"});
    m_tabs->EnableBoldActiveTab(TRUE);
    const CRect second = TabRect(1);
    const CPoint point(second.right - 1, second.CenterPoint().y);
    Press(point);
    EXPECT_EQ(1, m_tabs->GetActiveTabIndex());
    ASSERT_NE(1, m_tabs->HitTestTab(point)) << "the layout did not shift";
    EXPECT_FALSE(m_tabs->IsMovingTab());
}

TEST_F(TabInputTest, DraggingATabSwapsItAndKeepsTheCursorOverIt)
{
    Create(CZUDPTabWnd::TabStyle3DScrolled, TabLocationTop, FALSE, 600, 200);
    AddTabs({"A", "A much wider label"});
    const CRect first = TabRect(0);
    Press(CPoint(first.left + 5, first.CenterPoint().y));
    const CPoint target = TabCentre(1);
    Move(target);
    EXPECT_EQ(&Pane(0), m_tabs->GetTabWindow(1)) << "the dragged tab took the other's place";
    EXPECT_EQ(1, m_tabs->GetActiveTabIndex());
    // The point now lies on the other tab: the cursor went back over the
    // dragged one, at the same offset inside it.
    ASSERT_NE(1, m_tabs->HitTestTab(target));
    EXPECT_EQ(ScreenPoint(CPoint(TabRect(1).left + 5, target.y)), m_cursor);

    // Leaving the strip tries to detach the tab, which a plain window's
    // tab refuses: the move goes on.
    Move(CPoint(target.x, Strip().bottom + 40));
    EXPECT_TRUE(m_tabs->IsMovingTab());

    m_host->Clear();
    Release(TabCentre(1));
    const auto moves = m_host->Of(ZUDM_ON_MOVE_TAB);
    ASSERT_EQ(1u, moves.size());
    EXPECT_EQ(WPARAM(0), moves[0].wParam);
    EXPECT_EQ(LPARAM(1), moves[0].lParam);

    // A later click that activates another tab reports no move.
    m_host->Clear();
    Press(TabCentre(0));
    Release(TabCentre(0));
    EXPECT_EQ(0, m_host->Count(ZUDM_ON_MOVE_TAB));
    EXPECT_EQ(0, m_tabs->GetActiveTabIndex());
}

TEST_F(TabInputTest, TabsThatCannotMoveStayInPlace)
{
    Create(CZUDPTabWnd::TabStyle3DScrolled, TabLocationTop, FALSE, 600, 200);
    AddTabs({"A", "B"});
    m_tabs->m_bEnableTabMove = FALSE;
    Press(TabCentre(0));
    Move(TabCentre(1));
    Release(TabCentre(1));
    EXPECT_EQ(&Pane(0), m_tabs->GetTabWindow(0));
    EXPECT_EQ(0, m_host->Count(ZUDM_ON_MOVE_TAB));
}

TEST_F(TabInputTest, TheMiddleButtonAndTheCloseButtonsCloseTheActiveWindow)
{
    Create(CZUDPTabWnd::TabStyle3DScrolled, TabLocationTop, TRUE);
    AddTabs({"One", "Two"});
    // The middle button, anywhere, only when asked for.
    m_tabs->SendMessage(WM_MBUTTONUP, 0, MAKELPARAM(300, 150));
    EXPECT_EQ(0, Pane(0).closes);
    m_tabs->m_bMiddleClickCloses = TRUE;
    m_tabs->SendMessage(WM_MBUTTONUP, 0, MAKELPARAM(300, 150));
    EXPECT_EQ(1, Pane(0).closes);

    // The row's close button.
    Click(m_tabs->GetCloseButton());
    EXPECT_EQ(2, Pane(0).closes);

    // The close button on the active tab: pressed and released on it.
    m_tabs->EnableActiveTabCloseButton(TRUE);
    const CRect close = m_tabs->m_rectCloseButton;
    ASSERT_FALSE(close.IsRectEmpty());
    Press(close.CenterPoint());
    EXPECT_TRUE(m_tabs->m_bClosePressed);
    Release(CPoint(close.right + 30, close.top));
    EXPECT_EQ(2, Pane(0).closes) << "released beside it: nothing closes";
    EXPECT_FALSE(m_tabs->m_bClosePressed);
    Press(close.CenterPoint());
    Release(close.CenterPoint());
    EXPECT_EQ(3, Pane(0).closes);
    EXPECT_EQ(0, Pane(1).closes);
}

TEST_F(TabInputTest, RenamingInPlace)
{
    enum Action { Enter, EnterRefused, EnterEmpty, Escape, ClickOutside, MoveOutside, ClickInside };
    struct Case {
        const char* what;
        Action action;
        bool editOpen;       // afterwards
        const char* label;   // afterwards
        int renameMessages;
        int beeps;
    } cases[] = {
        {"Enter renames", Enter, false, "Renamed", 1, 0},
        {"Enter refused by the owner beeps", EnterRefused, true, "Old", 1, 1},
        {"Enter with an empty text beeps", EnterEmpty, true, "Old", 0, 1},
        {"Escape closes without renaming", Escape, false, "Old", 0, 0},
        {"a click outside closes without renaming", ClickOutside, false, "Old", 0, 0},
        {"a move outside is swallowed", MoveOutside, true, "Old", 0, 0},
        {"a click inside goes to the edit", ClickInside, true, "Old", 0, 0},
    };
    int beeps = 0;
    ScopedSeam beep(g_foundationSeams.messageBeep, [&](UINT) {
        ++beeps;
        return TRUE;
    });
    for (const Case& c : cases) {
        Create(CZUDPTabWnd::TabStyleFlat, TabLocationBottom);
        AddTabs({"Old", "Other"});
        m_tabs->EnableTabRename(TRUE);
        ASSERT_TRUE(m_tabs->IsTabRenameEnabled());
        beeps = 0;
        // A double click on the active tab opens the edit over it.
        Press(TabCentre(0), WM_LBUTTONDBLCLK);
        CEdit* pEdit = m_tabs->GetRenameEdit();
        ASSERT_NE(nullptr, pEdit) << c.what;
        EXPECT_EQ(0, m_tabs->GetRenameTarget());
        CString text;
        pEdit->GetWindowText(text);
        EXPECT_STREQ("Old", text);
        EXPECT_EQ(MAKELONG(0, 3), LONG(pEdit->GetSel())) << "the whole text selected";

        m_host->refuseRename = c.action == EnterRefused;
        if (c.action == Enter || c.action == EnterRefused)
            pEdit->SetWindowText("Renamed");
        if (c.action == EnterEmpty)
            pEdit->SetWindowText("");
        CRect rectEdit;
        pEdit->GetWindowRect(&rectEdit);
        MSG msg = {m_tabs->GetSafeHwnd(), WM_KEYDOWN, 0, 0, 0, {0, 0}};
        switch (c.action) {
        case Enter:
        case EnterRefused:
        case EnterEmpty: msg.wParam = VK_RETURN; break;
        case Escape: msg.wParam = VK_ESCAPE; break;
        case ClickOutside:
            msg.message = WM_LBUTTONDOWN;
            msg.pt = {rectEdit.right + 20, rectEdit.bottom + 20};
            break;
        case MoveOutside:
            msg.message = WM_MOUSEMOVE;
            msg.pt = {rectEdit.right + 20, rectEdit.bottom + 20};
            break;
        case ClickInside:
            msg.message = WM_LBUTTONDOWN;
            msg.pt = rectEdit.CenterPoint();
            break;
        }
        EXPECT_TRUE(m_tabs->PreTranslateMessage(&msg)) << c.what << ": taken";
        EXPECT_EQ(c.editOpen, m_tabs->GetRenameEdit() != nullptr) << c.what;
        CString label;
        m_tabs->GetTabLabelText(0, label);
        EXPECT_STREQ(c.label, label) << c.what;
        EXPECT_EQ(c.renameMessages, int(m_host->renames.size())) << c.what;
        EXPECT_EQ(c.beeps, beeps) << c.what;
        if (!c.editOpen) {
            EXPECT_EQ(-1, m_tabs->GetRenameTarget()) << c.what;
        }
        // Keys other than Enter and Escape go on to the edit.
        if (c.editOpen) {
            MSG other = {m_tabs->GetSafeHwnd(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
            EXPECT_FALSE(m_tabs->PreTranslateMessage(&other)) << c.what;
        }
        m_tabs->SendMessage(WM_CANCELMODE);
        EXPECT_EQ(nullptr, m_tabs->GetRenameEdit()) << c.what << ": a cancel closes the edit";
    }

    // Only the flat look renames.
    Create(CZUDPTabWnd::TabStyle3DScrolled);
    AddTabs({"Old"});
    m_tabs->EnableTabRename(TRUE);
    EXPECT_FALSE(m_tabs->StartTabRename(0));
}

TEST_F(TabInputTest, TooltipsComeFromTheOwnerAndTheCloseButtonSaysClose)
{
    Create(CZUDPTabWnd::TabStyle3DScrolled);
    AddTabs({"One", "Two"});
    m_tabs->EnableActiveTabCloseButton(TRUE);
    ASSERT_NE(nullptr, m_tabs->GetTabToolTip());
    ASSERT_NE(nullptr, m_tabs->GetCloseToolTip());
    auto ask = [&](CToolTipCtrl* pTip, CPoint client, std::string& text) {
        m_cursor = ScreenPoint(client);
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = pTip->GetSafeHwnd();
        info.hdr.idFrom = 0;
        info.hdr.code = TTN_NEEDTEXTA;
        const BOOL bHandled =
            m_tabs->SendMessage(WM_NOTIFY, 0, LPARAM(&info)) != 0 || (info.lpszText != nullptr && info.lpszText[0]);
        text = info.lpszText != nullptr ? info.lpszText : "";
        return bHandled;
    };
    std::string text;
    ask(m_tabs->GetCloseToolTip(), m_tabs->m_rectCloseButton.CenterPoint(), text);
    EXPECT_EQ("Close", text);

    // Over the close button the tab itself shows no tooltip.
    m_host->tooltipText = "About this tab";
    ask(m_tabs->GetTabToolTip(), m_tabs->m_rectCloseButton.CenterPoint(), text);
    EXPECT_EQ("", text);
    EXPECT_EQ(0, m_host->Count(ZUDM_ON_GET_TAB_TOOLTIP));

    // Elsewhere on a tab the owner words it; the request names the tab.
    ask(m_tabs->GetTabToolTip(), TabCentre(1), text);
    EXPECT_EQ("About this tab", text);
    ASSERT_EQ(1, m_host->Count(ZUDM_ON_GET_TAB_TOOLTIP));
    // An owner that says nothing gives no tooltip.
    m_host->tooltipText.Empty();
    ask(m_tabs->GetTabToolTip(), TabCentre(1), text);
    EXPECT_EQ("", text);
}

TEST_F(TabInputTest, CtrlPageKeysSwitchTabsRoundTheEnds)
{
    struct Case {
        const char* what;
        std::vector<int> hidden;
        int active;
        UINT key;
        bool ctrl;
        BOOL taken;
        int activeAfter;
    } cases[] = {
        {"Ctrl+PgDn to the next tab", {}, 0, VK_NEXT, true, TRUE, 1},
        {"Ctrl+PgDn on the last tab wraps to the first", {}, 3, VK_NEXT, true, TRUE, 0},
        {"Ctrl+PgUp on the first tab wraps to the last", {}, 0, VK_PRIOR, true, TRUE, 3},
        {"hidden tabs are passed over", {1, 2}, 0, VK_NEXT, true, TRUE, 3},
        {"one visible tab: nothing changes, the key is taken", {1, 2, 3}, 0, VK_NEXT, true, TRUE, 0},
        {"without Ctrl the key is not the tab window's", {}, 0, VK_NEXT, false, FALSE, 0},
    };
    for (const Case& c : cases) {
        Create(CZUDPTabWnd::TabStyle3D);
        AddTabs({"a", "b", "c", "d"});
        for (int i : c.hidden)
            m_tabs->ShowTabAt(i, FALSE);
        m_tabs->ActivateTab(c.active);
        m_host->Clear();
        EXPECT_EQ(c.taken, Key(c.key, c.ctrl)) << c.what;
        EXPECT_EQ(c.activeAfter, m_tabs->GetActiveTabIndex()) << c.what;
        const int announced = m_host->Count(ZUDM_ONCHANGE_ACTIVE_TAB);
        EXPECT_EQ(c.activeAfter != c.active, announced > 0) << c.what;
    }
}

TEST_F(TabInputTest, TheSlantedCornerOfTheActiveTabBelongsToTheTabBeforeIt)
{
    for (int style : {4, 5, 6, 7}) {
        SCOPED_TRACE(testing::Message() << "style " << style);
        Create(style, TabLocationTop, FALSE, 600, 200);
        AddTabs({"First", "Second", "Third"});
        m_tabs->ActivateTab(1);
        const CRect r = TabRect(1);
        const int h = r.Height();
        EXPECT_EQ(0, m_tabs->HitTestTab(CPoint(r.left + 1, r.top + 1))) << "the corner";
        EXPECT_EQ(1, m_tabs->HitTestTab(CPoint(r.left + h, r.top + 1))) << "a tab height in";
        EXPECT_EQ(1, m_tabs->HitTestTab(CPoint(r.left + 1, r.bottom - 1))) << "far from the corner";
        EXPECT_EQ(-1, m_tabs->HitTestTab(CPoint(r.left, Strip().bottom + 10))) << "outside the strip";
        // The first tab, active, has no tab before it.
        m_tabs->ActivateTab(0);
        const CRect r0 = TabRect(0);
        EXPECT_EQ(0, m_tabs->HitTestTab(CPoint(r0.left + 1, r0.top + 1)));
    }
}

TEST_F(TabInputTest, TheScrollButtonsScrollTheRow)
{
    // Style 3: 20 pixels a click, within 0 and the maximum.
    Create(CZUDPTabWnd::TabStyle3DScrolled, TabLocationTop, FALSE, 150, 100);
    AddTabs({"One label", "Two label", "Three label", "Four label"});
    ASSERT_GT(m_tabs->GetMaxScrollOffset(), 20);
    EXPECT_FALSE(m_tabs->GetScrollLeftButton().IsWindowEnabled());
    EXPECT_TRUE(m_tabs->GetScrollRightButton().IsWindowEnabled());
    const int left0 = TabRect(0).left;
    Click(m_tabs->GetScrollRightButton());
    EXPECT_EQ(20, m_tabs->GetScrollOffset());
    EXPECT_EQ(left0 - 20, TabRect(0).left);
    EXPECT_TRUE(m_tabs->GetScrollLeftButton().IsWindowEnabled());
    for (int i = 0; i < 50; ++i)
        Click(m_tabs->GetScrollRightButton());
    EXPECT_EQ(m_tabs->GetMaxScrollOffset(), m_tabs->GetScrollOffset());
    EXPECT_FALSE(m_tabs->GetScrollRightButton().IsWindowEnabled());
    for (int i = 0; i < 50; ++i)
        Click(m_tabs->GetScrollLeftButton());
    EXPECT_EQ(0, m_tabs->GetScrollOffset());

    // Styles 4 to 7 scroll a tab at a time: on by its width less the tab
    // height plus 5, back by its width less the height plus 6.
    Create(CZUDPTabWnd::TabStyleSlanted, TabLocationTop, FALSE, 200, 100);
    AddTabs({"One label", "Two label", "Three label", "Four label"});
    const int H = Strip().Height();
    const int width0 = TabRect(0).Width();
    Click(m_tabs->GetScrollRightButton());
    EXPECT_EQ(width0 - H + 5, m_tabs->GetScrollOffset());
    EXPECT_EQ(1, m_tabs->GetFirstScrolledTab());
    Click(m_tabs->GetScrollLeftButton());
    EXPECT_EQ(0, m_tabs->GetFirstScrolledTab());
    EXPECT_EQ(0, m_tabs->GetScrollOffset()) << "never below 0";
}

TEST_F(TabInputTest, EnsureTabVisibleScrollsATabIntoTheStrip)
{
    Create(CZUDPTabWnd::TabStyle3DScrolled, TabLocationTop, FALSE, 150, 100);
    AddTabs({"One label", "Two label", "Three label", "Four label"});
    EXPECT_FALSE(m_tabs->EnsureTabVisible(4));
    EXPECT_FALSE(m_tabs->EnsureTabVisible(-1));
    EXPECT_TRUE(m_tabs->EnsureTabVisible(3));
    EXPECT_LE(TabRect(3).right, Strip().right);
    EXPECT_GE(TabRect(3).left, Strip().left);
    EXPECT_TRUE(m_tabs->EnsureTabVisible(0));
    EXPECT_EQ(0, m_tabs->GetScrollOffset());

    Create(CZUDPTabWnd::TabStyleSlanted, TabLocationTop, FALSE, 200, 100);
    AddTabs({"One label", "Two label", "Three label", "Four label"});
    EXPECT_TRUE(m_tabs->EnsureTabVisible(3));
    EXPECT_GT(m_tabs->GetFirstScrolledTab(), 0);
    EXPECT_LE(TabRect(3).right, Strip().right);
}

TEST_F(TabInputTest, TheTabListSortsTheLabelsAndItsCommandsComeBackThroughTheCommandWord)
{
    CZUDPContextMenuManager manager;
    Create(CZUDPTabWnd::TabStyle3DScrolled, TabLocationTop, FALSE, 160, 100);
    AddTabs({"beta", "Alpha & Co", "gamma", "delta"});
    HICON hIcon = ::LoadIcon(nullptr, IDI_INFORMATION);
    Pane(2).SendMessage(WM_SETICON, ICON_SMALL, LPARAM(hIcon));
    m_tabs->EnableTabListMenu(TRUE);
    ASSERT_TRUE(m_tabs->AreTabsHidden());
    ASSERT_TRUE(TabRect(2).IsRectEmpty()) << "gamma is hidden past the strip";

    std::vector<std::string> items;
    HICON hShown = nullptr;
    UINT uiGamma = 0;
    ScopedSeam track(g_frameworkSeams.trackPopupMenu, [&](HMENU hMenu, UINT, int, int, HWND, const RECT*) {
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
            char text[64] = "";
            ::GetMenuStringA(hMenu, UINT(i), text, sizeof(text), MF_BYPOSITION);
            items.emplace_back(text);
            if (items.back() == "gamma")
                uiGamma = ::GetMenuItemID(hMenu, i);
        }
        hShown = CZUDPTabWnd::LookupTabMenuIcon(uiGamma);
        // The command comes back as WM_COMMAND's 16-bit word would bring it.
        return BOOL(LOWORD(uiGamma));
    });
    Click(m_tabs->GetScrollRightButton());
    EXPECT_EQ((std::vector<std::string>{"Alpha && Co", "beta", "delta", "gamma"}), items);
    EXPECT_EQ(hIcon, hShown);
    EXPECT_EQ(nullptr, CZUDPTabWnd::LookupTabMenuIcon(uiGamma)) << "the icons go with the menu";
    // The chosen hidden tab moved to the front and is active.
    EXPECT_EQ(&Pane(2), m_tabs->GetTabWindow(0));
    EXPECT_EQ(0, m_tabs->GetActiveTabIndex());
    EXPECT_FALSE(TabRect(0).IsRectEmpty());

    // Commands read back whatever their width; others name no tab.
    EXPECT_EQ(0, CZUDPTabWnd::TabOfListCommand(0xFF9C, 4));
    EXPECT_EQ(0, CZUDPTabWnd::TabOfListCommand(0xFFFFFF9C, 4));
    EXPECT_EQ(3, CZUDPTabWnd::TabOfListCommand(CZUDPTabWnd::TabListCommand(3), 4));
    EXPECT_EQ(-1, CZUDPTabWnd::TabOfListCommand(CZUDPTabWnd::TabListCommand(4), 4));
    EXPECT_EQ(-1, CZUDPTabWnd::TabOfListCommand(0, 4));
    EXPECT_EQ(-1, CZUDPTabWnd::TabOfListCommand(40000, 4));
}

TEST_F(TabInputTest, TheResizeBarIsDraggedWithinTheOwnersBounds)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"One"});
    m_tabs->SetResizeBarMode(CZUDPTabWnd::ResizeBarRight);
    const CRect bar = m_tabs->GetResizeBarRect();

    // An owner that gives no bounds: no drag.
    Press(bar.CenterPoint());
    EXPECT_EQ(1, m_host->Count(ZUDM_GETDRAGBOUNDS));
    EXPECT_TRUE(m_tabs->dragRects.empty());
    Release(bar.CenterPoint());

    CRect window;
    m_tabs->GetWindowRect(&window);
    m_host->dragBounds = CRect(window.left + 50, window.top, window.right + 40, window.bottom);
    for (bool cancel : {true, false}) {
        m_host->Clear();
        m_tabs->dragRects.clear();
        Press(bar.CenterPoint());
        ASSERT_EQ(1u, m_tabs->dragRects.size()) << "the outline shows";
        CRect track = m_tabs->dragRects[0].first;
        EXPECT_EQ(CRect(window.right - 5, window.top, window.right, window.bottom), track);
        // Far right: the outline stops at the bounds.
        Move(CPoint(bar.right + 200, bar.CenterPoint().y));
        ASSERT_EQ(2u, m_tabs->dragRects.size());
        track = m_tabs->dragRects[1].first;
        EXPECT_EQ(m_host->dragBounds.right, track.right);
        EXPECT_EQ(5, track.Width());
        if (cancel) {
            m_tabs->SendMessage(WM_CANCELMODE);
            EXPECT_EQ(0, m_host->Count(ZUDM_ON_DRAGCOMPLETE));
        } else {
            Release(bar.CenterPoint());
            ASSERT_EQ(1, m_host->Count(ZUDM_ON_DRAGCOMPLETE));
            EXPECT_EQ(CRect(window.left, window.top, track.right, window.bottom), m_host->dragComplete);
        }
        EXPECT_EQ(CRect(), m_tabs->dragRects.back().first) << "the outline is erased";
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

// A pane with a horizontal scroll bar of its own, recording what it is
// told to scroll.
class CScrollingPane : public CPaneWnd {
public:
    std::vector<UINT> scrolls;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_HSCROLL && lParam == 0) {
            scrolls.push_back(LOWORD(wParam));
            SetScrollPos(SB_HORZ, 40);
            return 0;
        }
        return CPaneWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(TabInputTest, TheSharedScrollBarDrivesTheActiveWindow)
{
    Create(CZUDPTabWnd::TabStyleFlatSharedScrollBar, TabLocationBottom);
    CScrollingPane pane;
    ASSERT_TRUE(pane.CreatePane(m_tabs.get(), 100, WS_CHILD | WS_HSCROLL));
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 200, 50, 10, 0};
    ::SetScrollInfo(pane.GetSafeHwnd(), SB_HORZ, &info, FALSE);
    m_tabs->AppendTab(&pane, "Scrolls");
    EXPECT_EQ(1, m_tabs->SyncSharedScrollBar());
    EXPECT_FALSE(pane.GetStyle() & WS_HSCROLL) << "the window's own bar goes";
    CScrollBar& bar = m_tabs->GetSharedScrollBar();
    SCROLLINFO shared = {};
    bar.GetScrollInfo(&shared, SIF_RANGE | SIF_PAGE | SIF_POS);
    EXPECT_EQ(200, shared.nMax);
    EXPECT_EQ(50u, shared.nPage);
    EXPECT_EQ(10, shared.nPos);

    m_host->Clear();
    m_tabs->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), LPARAM(bar.GetSafeHwnd()));
    EXPECT_EQ(std::vector<UINT>{SB_LINERIGHT}, pane.scrolls);
    EXPECT_EQ(40, bar.GetScrollPos()) << "the bar follows the window";
    ASSERT_EQ(1, m_host->Count(ZUDM_ON_HSCROLL));
    EXPECT_EQ(MAKEWPARAM(SB_LINERIGHT, 0), m_host->Of(ZUDM_ON_HSCROLL)[0].wParam);

    // The other styles have no shared bar.
    m_tabs->DestroyWindow();
    Create(CZUDPTabWnd::TabStyleFlat);
    EXPECT_EQ(0, m_tabs->SyncSharedScrollBar());
}

TEST_F(TabInputTest, OrdinaryDragsShowTheTabUnderTheCursorAndNeverDrop)
{
    ASSERT_TRUE(AfxOleInit());
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"One", "Two"});
    IDropTarget* pTarget = m_tabs->GetDropTarget().GetDropTarget();
    ASSERT_NE(nullptr, pTarget);
    EXPECT_TRUE(m_tabs->GetDropTarget().IsRegistered()) << "registered when the window was made";

    const CPoint over = ScreenPoint(TabCentre(1));
    const POINTL pt = {over.x, over.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pTarget->DragEnter(nullptr, 0, pt, &effect));
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pTarget->DragOver(0, pt, &effect));
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), effect);
    EXPECT_EQ(1, m_tabs->GetActiveTabIndex()) << "the tab under the cursor shows";
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pTarget->Drop(nullptr, 0, pt, &effect));
    EXPECT_EQ(DWORD(DROPEFFECT_NONE), effect);
}

TEST_F(TabInputTest, ActivatingTheMDIChildOfATabNamesTheTabsWindow)
{
    Create(CZUDPTabWnd::TabStyle3D);
    AddTabs({"One", "Two"});
    m_tabs->ActivateMDIChildOfTab(1);
    EXPECT_EQ(1, m_tabs->GetActiveTabIndex());
    ASSERT_EQ(1u, m_host->mdiActivated.size());
    EXPECT_EQ(Pane(1).GetSafeHwnd(), m_host->mdiActivated[0]);
    // -1: the active tab's child, activated again.
    m_tabs->ActivateMDIChildOfTab(-1);
    ASSERT_EQ(2u, m_host->mdiActivated.size());
    EXPECT_EQ(Pane(1).GetSafeHwnd(), m_host->mdiActivated[1]);
}

TEST_F(TabInputTest, PressesBesideTheTabsGoToTheOwner)
{
    Create(CZUDPTabWnd::TabStyle3D, TabLocationBottom);
    AddTabs({"One"});
    const CPoint beside(Strip().right - 5, Strip().CenterPoint().y);
    ASSERT_EQ(-1, m_tabs->HitTestTab(beside));
    EXPECT_EQ(m_host.get(), m_tabs->GetDragWindowAtPoint(beside));
    Press(beside);
    ASSERT_EQ(1u, m_host->presses.size());
    CPoint expected = beside;
    m_tabs->MapWindowPoints(m_host.get(), &expected, 1);
    EXPECT_EQ(expected, m_host->presses[0]);
    EXPECT_EQ(nullptr, m_tabs->GetDragWindowAtPoint(TabCentre(0)));
}

} // namespace
