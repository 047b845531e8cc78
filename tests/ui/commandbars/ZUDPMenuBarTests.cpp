// The menu bar: its items from a frame's menu, keyboard navigation, the
// maximized MDI child's icon and caption buttons, the expansion timer and
// the double click of personalized menus, popup directions of a floating
// bar, and which menus the bar destroys.
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/commandbars/MenuBarTestResources.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPToolbarSystemMenuButton.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// Records the commands and notices a frame receives.
template <class TFrame>
class CRecordingFrame : public TFrame {
public:
    std::vector<UINT> commands;
    std::vector<WPARAM> resetMenus;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) {
            commands.push_back(UINT(LOWORD(wParam)));
            return 0;
        }
        if (message == ZUDTOOLBAR_RESETMENU) {
            resetMenus.push_back(wParam);
            return 0;
        }
        return TFrame::WindowProc(message, wParam, lParam);
    }
};

using CTestFrame = CRecordingFrame<CZUDPFrameWnd>;
using CTestMDIFrame = CRecordingFrame<CZUDPMDIFrameWnd>;

// An MDI child that keeps the system commands it gets and carries out
// none of them.
class CTestChild : public CMDIChildWnd {
public:
    std::vector<UINT> sysCommands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND) {
            sysCommands.push_back(UINT(wParam & 0xFFF0));
            return 0;
        }
        return CMDIChildWnd::WindowProc(message, wParam, lParam);
    }
};

// The bar's items in short: "T" a title (menu button) with its text, a
// command with its id, "icon", "min", "restore", "close" (with "(d)" when
// disabled), "-" a separator.
std::string Summary(const CZUDPMenuBar& bar)
{
    std::string s;
    for (int i = 0; i < bar.GetCount(); ++i) {
        const CZUDPToolbarButton* p = bar.GetButtonAt(i);
        if (!s.empty())
            s += " ";
        if (const auto* pCaption = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButtonsButton, const_cast<CZUDPToolbarButton*>(p))) {
            s += pCaption->systemCommand == SC_MINIMIZE ? "min" : pCaption->systemCommand == SC_RESTORE ? "restore" : "close";
            if (p->style & TBBS_DISABLED)
                s += "(d)";
        } else if (p->IsKindOf(RUNTIME_CLASS(CZUDPToolbarSystemMenuButton))) {
            s += "icon";
        } else if (p->IsSeparator()) {
            s += "-";
        } else if (p->IsKindOf(RUNTIME_CLASS(CZUDPToolbarMenuButton))) {
            s += std::string("T") + LPCTSTR(p->text);
        } else {
            s += std::to_string(p->commandId);
        }
    }
    return s;
}

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_savedSounds = g_menuSoundsEnabled;
        g_menuSoundsEnabled = FALSE;
        m_savedAnimation = g_menuAnimation;
        g_menuAnimation = 0;
        g_menuShadows = FALSE;
        g_menuShowDelay = -1;
        g_personalizedMenus = TRUE;
        g_showAllCommandsNow = FALSE;
    }
    void TearDown() override
    {
        g_menuSoundsEnabled = m_savedSounds;
        g_menuAnimation = m_savedAnimation;
        g_menuShadows = TRUE;
        g_coreCommands.RemoveAll();
        g_showAllCommandsNow = FALSE;
        g_activePopupMenu = nullptr;
    }

    // A frame with the test menu as its own menu, and its menu bar.
    template <class TFrame>
    void MakeFrame(TFrame& frame, CZUDPMenuBar& bar, CRect rect = CRect(0, 0, 640, 400))
    {
        ASSERT_TRUE(frame.Create(nullptr, "Menu bar test", WS_OVERLAPPEDWINDOW, rect, nullptr,
                                 MAKEINTRESOURCEA(IDR_TEST_MAIN_MENU)));
        frame.m_nIDResource = IDR_TEST_MAIN_MENU;
        ASSERT_TRUE(bar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1));
        bar.SetWindowPos(nullptr, 0, 0, rect.Width(), 24, SWP_NOZORDER | SWP_NOACTIVATE);
        bar.UpdateLayout();
    }
    // A key as the message loop hands it to the bar.
    static BOOL Key(CZUDPMenuBar& bar, UINT vk)
    {
        MSG msg = {bar.m_hWnd, WM_KEYDOWN, vk, 0, 0, {0, 0}};
        return bar.PreTranslateMessage(&msg);
    }
    static void Click(CWnd& wnd, CPoint pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP)
    {
        wnd.SendMessage(down, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        if (up != 0)
            wnd.SendMessage(up, 0, MAKELPARAM(pt.x, pt.y));
    }
    static CPoint CentreOf(const CZUDPMenuBar& bar, int i) { return bar.GetButtonAt(i)->Rect().CenterPoint(); }
    static CZUDPPopupMenu* OpenPopupOf(const CZUDPMenuBar& bar)
    {
        CZUDPToolbarMenuButton* pOpen = bar.FindOpenMenuButton();
        return pOpen != nullptr ? pOpen->openPopup : nullptr;
    }

    toolbartest::ToolbarStateGuard m_guard;
    BOOL m_savedSounds = TRUE;
    int m_savedAnimation = 0;
    SHORT m_shiftState = 0;
    CPoint m_cursor = CPoint(0, 0);
    std::map<std::pair<HWND, UINT_PTR>, UINT> m_timers;

    ScopedSeam<SHORT(int)> m_keys{g_frameworkSeams.keyState,
                                  [this](int vk) { return vk == VK_SHIFT ? m_shiftState : SHORT(0); }};
    ScopedSeam<BOOL(POINT*)> m_cursorSeam{g_frameworkSeams.cursorPos, [this](POINT* p) {
                                              *p = m_cursor;
                                              return TRUE;
                                          }};
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_setTimer{
        g_frameworkSeams.setTimer, [this](HWND h, UINT_PTR id, UINT ms, TIMERPROC) {
            m_timers[{h, id}] = ms;
            return id;
        }};
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_killTimer{g_frameworkSeams.killTimer, [this](HWND h, UINT_PTR id) {
                                                     m_timers.erase({h, id});
                                                     return TRUE;
                                                 }};
};

} // namespace

// ---------------------------------------------------------------------------
// Items

TEST_F(MenuBarTest, TakesTheFramesMenuAsItsDefaultMenu)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    HMENU hFrameMenu = frame.m_hMenuDefault;
    ASSERT_NE(nullptr, hFrameMenu);

    EXPECT_EQ(nullptr, ::GetMenu(frame.m_hWnd)) << "the frame keeps no native menu";
    EXPECT_EQ(hFrameMenu, bar.GetMenu());
    EXPECT_EQ(hFrameMenu, bar.GetDefaultMenu());
    EXPECT_EQ(UINT(IDR_TEST_MAIN_MENU), bar.GetDefaultMenuResId());
    EXPECT_EQ(&bar, frame.GetFrameImpl().GetMenuBar());
    EXPECT_EQ("T&File T&Edit T&View 32821", Summary(bar));
    for (int i = 0; i < bar.GetCount(); ++i) {
        EXPECT_TRUE(bar.GetButtonAt(i)->showText) << i;
        EXPECT_FALSE(bar.GetButtonAt(i)->showImage) << i;
    }
    CString strText;
    bar.GetWindowText(strText);
    EXPECT_STREQ("Menu Bar", strText);
    EXPECT_FALSE(bar.CanClose());
    EXPECT_FALSE(bar.IsShownInBarsMenu());
    EXPECT_EQ(bar.GetButtonAt(1), bar.FindMnemonic('E'));
    EXPECT_EQ(bar.GetButtonAt(3), bar.FindMnemonic('A'));

    // The current menu again changes nothing; a forced update rebuilds.
    CZUDPToolbarButton* pFirst = bar.GetButtonAt(0);
    bar.CreateFromMenu(hFrameMenu);
    EXPECT_EQ(pFirst, bar.GetButtonAt(0));
    bar.CreateFromMenu(hFrameMenu, FALSE, TRUE);
    EXPECT_EQ("T&File T&Edit T&View 32821", Summary(bar));

    // A null menu with nothing stored keeps the buttons.
    bar.CreateFromMenu(nullptr);
    EXPECT_EQ(nullptr, bar.GetMenu());
    EXPECT_EQ("T&File T&Edit T&View 32821", Summary(bar));
}

TEST_F(MenuBarTest, CommandTextsComeFromTheMenuDepthFirst)
{
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, 7002, "&Deep");
    HMENU hMid = ::CreatePopupMenu();
    ::AppendMenuA(hMid, MF_POPUP, (UINT_PTR)hSub, "Sub");
    ::AppendMenuA(hMid, MF_STRING, 7001, "&Shallow");
    HMENU hTop = ::CreateMenu();
    ::AppendMenuA(hTop, MF_POPUP, (UINT_PTR)hMid, "Top");
    ::AppendMenuA(hTop, MF_STRING, 7002, "Later");

    const struct {
        HMENU menu;
        UINT id;
        bool found;
        const char* text;
    } rows[] = {
        {hTop, 7001, true, "&Shallow"},
        {hTop, 7002, true, "&Deep"},   // the submenu is searched before the next item
        {hTop, 7003, false, ""},
        {hTop, 0, false, ""},
        {hTop, (UINT)-1, false, ""},
        {nullptr, 7001, false, ""},
    };
    for (const auto& row : rows) {
        CString strText;
        EXPECT_EQ(row.found, CZUDPMenuBar::FindMenuItemText(row.menu, row.id, strText) != FALSE) << row.id;
        EXPECT_STREQ(row.text, strText) << row.id;
    }
    ::DestroyMenu(hTop);
}

// ---------------------------------------------------------------------------
// Keys

TEST_F(MenuBarTest, ArrowsAndTabWrapThroughTheItemsMirroredForRightToLeft)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    bar.SendMessage(WM_SETFOCUS, 0, 0);
    ASSERT_EQ(0, bar.GetHotIndex()) << "the focus makes the first item hot";

    const struct {
        UINT key;
        SHORT shift;
        int hot;
    } steps[] = {
        {VK_LEFT, 0, 3},  {VK_RIGHT, 0, 0}, {VK_RIGHT, 0, 1},     {VK_TAB, 0, 2},
        {VK_TAB, 0, 3},   {VK_TAB, 0, 0},   {VK_TAB, SHORT(0x8000), 3}, {VK_TAB, SHORT(0x8000), 2},
    };
    for (const auto& step : steps) {
        m_shiftState = step.shift;
        Key(bar, step.key);
        EXPECT_EQ(step.hot, bar.GetHotIndex()) << "key " << step.key << " shift " << step.shift;
    }
    m_shiftState = 0;

    bar.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    Key(bar, VK_LEFT);
    EXPECT_EQ(3, bar.GetHotIndex()) << "Left moves right on a right-to-left bar";
    Key(bar, VK_RIGHT);
    EXPECT_EQ(2, bar.GetHotIndex());
    Key(bar, VK_TAB);
    EXPECT_EQ(1, bar.GetHotIndex()) << "Tab follows the mirrored Right";
}

TEST_F(MenuBarTest, EnterRunsACommandItemAndEnterOrDownOpensAMenu)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    bar.SendMessage(WM_SETFOCUS, 0, 0);

    Key(bar, VK_LEFT);   // the command title, last
    EXPECT_TRUE(Key(bar, VK_RETURN));
    EXPECT_EQ(nullptr, bar.FindOpenMenuButton());
    trovtest::PumpUntil([&] { return !frame.commands.empty(); }, 1000);
    EXPECT_EQ(std::vector<UINT>{ID_TEST_MENU_ABOUT}, frame.commands);

    for (UINT key : {UINT(VK_RETURN), UINT(VK_DOWN)}) {
        Key(bar, VK_RIGHT);   // a menu title
        const int iHot = bar.GetHotIndex();
        EXPECT_TRUE(Key(bar, key)) << key;
        int iOpen = -1;
        ASSERT_NE(nullptr, bar.FindOpenMenuButton(&iOpen)) << key;
        EXPECT_EQ(iHot, iOpen) << key;
        bar.FindOpenMenuButton()->CancelMode();
    }
    EXPECT_EQ(std::vector<UINT>{ID_TEST_MENU_ABOUT}, frame.commands) << "opening a menu runs nothing";

    // An access key opens its menu.
    EXPECT_TRUE(Key(bar, 'V'));
    int iOpen = -1;
    ASSERT_NE(nullptr, bar.FindOpenMenuButton(&iOpen));
    EXPECT_EQ(2, iOpen);
    bar.FindOpenMenuButton()->CancelMode();
}

TEST_F(MenuBarTest, MenuTitlesShowNoTooltip)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, bar.OnToolHitTest(CentreOf(bar, 0), &ti));
    EXPECT_EQ(-1, bar.OnToolHitTest(CentreOf(bar, 0), nullptr));
    // Titles have no tool in the tooltip control; the command item has.
    ASSERT_NE(nullptr, bar.GetToolTip());
    EXPECT_EQ("T&File T&Edit T&View 32821", Summary(bar));
    EXPECT_EQ(1, bar.GetToolTip()->GetToolCount());
    HMENU hDoc = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TEST_DOC_MENU));
    bar.CreateFromMenu(hDoc);
    EXPECT_EQ(0, bar.GetToolTip()->GetToolCount()) << "a menu of titles only";
    bar.CreateFromMenu(bar.GetDefaultMenu());
    EXPECT_EQ(1, bar.GetToolTip()->GetToolCount());
    g_menuHash.RemoveMenu(hDoc);
    ::DestroyMenu(hDoc);
}

// ---------------------------------------------------------------------------
// Personalized menus

TEST_F(MenuBarTest, TheTimerExpandsAnOpenMenuThatHidesCommandsWhileTheCursorRestsOnItsTitle)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    g_coreCommands.AddTail(ID_TEST_MENU_NEW);   // the others are rarely used
    frame.ShowWindow(SW_SHOWNOACTIVATE);

    for (bool cursorOnTitle : {false, true}) {
        bar.SendMessage(WM_SETFOCUS, 0, 0);
        ASSERT_TRUE(Key(bar, VK_DOWN));
        CZUDPPopupMenu* pPopup = OpenPopupOf(bar);
        ASSERT_NE(nullptr, pPopup);
        ASSERT_FALSE(pPopup->GetMenuBar()->AreAllCommandsShown()) << "the menu hides its rarely used commands";
        const std::pair<HWND, UINT_PTR> expandTimer(bar.m_hWnd, CZUDPMenuBar::kExpandTimerId);
        EXPECT_EQ(UINT(CZUDPMenuBar::kExpandDelay), m_timers[expandTimer]);

        m_cursor = CentreOf(bar, 0);
        if (!cursorOnTitle)
            m_cursor.x += 300;
        bar.ClientToScreen(&m_cursor);
        bar.SendMessage(WM_TIMER, CZUDPMenuBar::kExpandTimerId, 0);
        pPopup = OpenPopupOf(bar);
        ASSERT_NE(nullptr, pPopup);
        EXPECT_EQ(cursorOnTitle, pPopup->GetMenuBar()->AreAllCommandsShown() != FALSE);
        EXPECT_EQ(0u, m_timers.count(expandTimer)) << "one-shot";
        bar.FindOpenMenuButton()->CancelMode();
        bar.SetHotButton(-1);
    }
}

TEST_F(MenuBarTest, ADoubleClickOnATitleReopensItWithAllCommands)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    g_coreCommands.AddTail(ID_TEST_MENU_NEW);
    frame.ShowWindow(SW_SHOWNOACTIVATE);

    const CPoint ptFile = CentreOf(bar, 0);
    m_cursor = ptFile;
    bar.ClientToScreen(&m_cursor);
    Click(bar, ptFile, WM_LBUTTONDOWN, 0);
    ASSERT_NE(nullptr, OpenPopupOf(bar));
    EXPECT_FALSE(OpenPopupOf(bar)->GetMenuBar()->AreAllCommandsShown());

    Click(bar, ptFile, WM_LBUTTONDBLCLK, 0);
    CZUDPPopupMenu* pPopup = OpenPopupOf(bar);
    ASSERT_NE(nullptr, pPopup) << "the menu is open again";
    EXPECT_TRUE(pPopup->GetMenuBar()->AreAllCommandsShown());
    EXPECT_TRUE(g_showAllCommandsNow);
    bar.FindOpenMenuButton()->CancelMode();
    bar.SetHotButton(-1);
    EXPECT_FALSE(g_showAllCommandsNow) << "cleared once no menu of the bar is open";

    // Not with personalized menus off.
    g_personalizedMenus = FALSE;
    Click(bar, ptFile, WM_LBUTTONDOWN, 0);
    Click(bar, ptFile, WM_LBUTTONDBLCLK, 0);
    EXPECT_FALSE(g_showAllCommandsNow);
    if (bar.FindOpenMenuButton() != nullptr)
        bar.FindOpenMenuButton()->CancelMode();
}

// ---------------------------------------------------------------------------
// Floating bar

TEST_F(MenuBarTest, PopupDirectionsOfAFloatingBarFollowItsRows)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    for (int i = 0; i < 4; ++i)
        bar.InsertButton(toolbartest::NewButton(33000 + i, -1, "x"));
    ASSERT_EQ(8, bar.GetCount());

    // Docked, or floating on one row: no say.
    EXPECT_EQ(-1, bar.GetFloatPopupDirection(bar.GetButtonAt(1)));
    bar.m_bFloating = TRUE;
    EXPECT_EQ(-1, bar.GetFloatPopupDirection(bar.GetButtonAt(1)));
    CZUDPToolbarButton stranger(1, -1);
    EXPECT_EQ(-1, bar.GetFloatPopupDirection(&stranger));

    // Rows: 0 1 2 | 3 4 5 | 6 7.
    bar.GetButtonAt(2)->wrapAfter = TRUE;
    bar.GetButtonAt(5)->wrapAfter = TRUE;
    const int expected[] = {4, 2, 3, 4, 1, 3, 4, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(expected[i], bar.GetFloatPopupDirection(bar.GetButtonAt(i))) << i;
    bar.m_bFloating = FALSE;
}

// ---------------------------------------------------------------------------
// Menus the bar owns

TEST_F(MenuBarTest, TheBarNeverDestroysTheFramesOrADocumentTypesMenu)
{
    CTestFrame frame;
    HMENU hFrameMenu = nullptr;
    HMENU hShared = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TEST_DOC_MENU));
    {
        CZUDPMenuBar bar;
        MakeFrame(frame, bar);
        hFrameMenu = bar.GetMenu();
        bar.CreateFromMenu(hShared);
        EXPECT_EQ(hShared, bar.GetMenu());
        bar.DestroyWindow();
    }
    EXPECT_TRUE(::IsMenu(hFrameMenu));
    EXPECT_TRUE(::IsMenu(hShared));
    ::DestroyMenu(hShared);
    ::DestroyMenu(hFrameMenu);
}

// ---------------------------------------------------------------------------
// MDI

namespace {

struct MDISetup {
    CTestMDIFrame frame;
    CZUDPMenuBar bar;
};

} // namespace

TEST_F(MenuBarTest, AMaximizedChildShowsItsIconAndTheCaptionButtonsOfItsStyle)
{
    const struct {
        const char* name;
        DWORD style;
        bool greyClose;
        const char* items;
    } rows[] = {
        {"all boxes", WS_OVERLAPPEDWINDOW, false, "icon T&File T&Edit T&View 32821 min restore close"},
        {"no minimize box", WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, false, "icon T&File T&Edit T&View 32821 restore close"},
        {"Close greyed", WS_OVERLAPPEDWINDOW, true, "icon T&File T&Edit T&View 32821 min restore close(d)"},
        {"no system menu", WS_OVERLAPPEDWINDOW & ~WS_SYSMENU, false, "T&File T&Edit T&View 32821"},
    };
    for (const auto& row : rows) {
        MDISetup s;
        MakeFrame(s.frame, s.bar);
        s.frame.ShowWindow(SW_SHOWNOACTIVATE);
        CTestChild child;
        ASSERT_TRUE(child.Create(nullptr, "Document", WS_CHILD | WS_VISIBLE | row.style, CRect(10, 10, 300, 200), &s.frame))
            << row.name;
        if (row.greyClose)
            ::EnableMenuItem(::GetSystemMenu(child.m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        EXPECT_EQ("T&File T&Edit T&View 32821", Summary(s.bar)) << row.name;

        s.frame.MDIMaximize(&child);
        EXPECT_TRUE(::IsZoomed(child.m_hWnd)) << row.name;
        EXPECT_EQ(row.items, Summary(s.bar)) << row.name;
        EXPECT_TRUE(s.bar.AreMDIButtonsShown()) << row.name;

        s.frame.MDIRestore(&child);
        EXPECT_EQ("T&File T&Edit T&View 32821", Summary(s.bar)) << row.name << ": restored";
        EXPECT_FALSE(s.bar.AreMDIButtonsShown()) << row.name;
        child.DestroyWindow();
    }
}

TEST_F(MenuBarTest, CaptionButtonsSendTheirSystemCommandsToTheChildAndSitAtTheBarsEnd)
{
    MDISetup s;
    MakeFrame(s.frame, s.bar);
    s.frame.ShowWindow(SW_SHOWNOACTIVATE);
    CTestChild child;
    ASSERT_TRUE(child.Create(nullptr, "Document", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200),
                             &s.frame));
    s.frame.MDIMaximize(&child);
    ASSERT_EQ("icon T&File T&Edit T&View 32821 min restore close", Summary(s.bar));

    // Close at the far end, restore and minimize before it, one pixel apart.
    CRect rectClient;
    s.bar.GetClientRect(&rectClient);
    const CSize size = s.bar.GetCaptionButtonSize();
    const CRect rectClose = s.bar.GetButtonAt(7)->Rect();
    EXPECT_EQ(rectClient.right, rectClose.right);
    EXPECT_EQ(size, rectClose.Size());
    EXPECT_EQ(rectClose.left - 1, s.bar.GetButtonAt(6)->Rect().right);
    EXPECT_EQ(s.bar.GetButtonAt(6)->Rect().left - 1, s.bar.GetButtonAt(5)->Rect().right);

    const struct {
        int index;
        UINT command;
    } clicks[] = {{5, SC_MINIMIZE}, {6, SC_RESTORE}, {7, SC_CLOSE}};
    for (const auto& click : clicks) {
        child.sysCommands.clear();
        Click(s.bar, CentreOf(s.bar, click.index));
        EXPECT_EQ(std::vector<UINT>{click.command}, child.sysCommands) << click.index;
    }
    EXPECT_TRUE(s.frame.commands.empty()) << "caption buttons send no command";

    // The keys walk the icon with the items, never the caption buttons.
    s.bar.Deactivate();
    s.bar.SendMessage(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(1, s.bar.GetHotIndex()) << "the focus starts after the icon";
    Key(s.bar, VK_RIGHT);
    Key(s.bar, VK_RIGHT);
    Key(s.bar, VK_RIGHT);
    EXPECT_EQ(4, s.bar.GetHotIndex());
    Key(s.bar, VK_RIGHT);
    EXPECT_EQ(0, s.bar.GetHotIndex()) << "past the last item: the icon";
    Key(s.bar, VK_LEFT);
    EXPECT_EQ(4, s.bar.GetHotIndex()) << "left of the icon: the last item";

    // A greyed Close: the disabled button sends nothing, and a double
    // click on the icon closes nothing.
    ::EnableMenuItem(::GetSystemMenu(child.m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    s.frame.MDIRestore(&child);
    s.frame.MDIMaximize(&child);
    ASSERT_EQ("icon T&File T&Edit T&View 32821 min restore close(d)", Summary(s.bar));
    child.sysCommands.clear();
    Click(s.bar, CentreOf(s.bar, 7));
    s.bar.GetButtonAt(0)->OnDoubleClick(&s.bar);
    EXPECT_TRUE(child.sysCommands.empty());
    ::EnableMenuItem(::GetSystemMenu(child.m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    s.bar.GetButtonAt(0)->OnDoubleClick(&s.bar);
    EXPECT_EQ(std::vector<UINT>{SC_CLOSE}, child.sysCommands) << "the icon's double click closes the child";
    child.DestroyWindow();
}

TEST_F(MenuBarTest, TakingTheMDIButtonsOffNeverRemovesMenuTitles)
{
    MDISetup s;
    MakeFrame(s.frame, s.bar);
    s.frame.ShowWindow(SW_SHOWNOACTIVATE);
    auto* pChild = new CTestChild;
    ASSERT_TRUE(pChild->Create(nullptr, "Document", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200),
                               &s.frame));
    s.frame.MDIMaximize(pChild);
    ASSERT_EQ("icon T&File T&Edit T&View 32821 min restore close", Summary(s.bar));

    // Off for a save, and the child goes meanwhile: nothing comes back.
    s.bar.UpdateMDIChildButtons(FALSE, nullptr, FALSE);
    pChild->DestroyWindow();
    delete pChild;
    s.bar.RestoreMDIChildButtons(FALSE);
    EXPECT_EQ(0, s.bar.GetCaptionButtonCount());
    s.bar.UpdateMDIChildButtons(FALSE, nullptr, FALSE);
    EXPECT_EQ("T&File T&Edit T&View 32821", Summary(s.bar));

    // Shown without a usable system menu: none of the four titles goes.
    s.bar.UpdateMDIChildButtons(TRUE, &s.frame, FALSE);
    s.bar.UpdateMDIChildButtons(FALSE, nullptr, FALSE);
    EXPECT_EQ("T&File T&Edit T&View 32821", Summary(s.bar));
}

TEST_F(MenuBarTest, TheActiveDocumentsMenuReplacesTheDefaultMenu)
{
    MDISetup s;
    MakeFrame(s.frame, s.bar);
    s.frame.ShowWindow(SW_SHOWNOACTIVATE);
    HMENU hDefault = s.bar.GetMenu();
    HMENU hShared = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TEST_DOC_MENU));
    CTestChild child;
    child.SetHandles(hShared, nullptr);
    ASSERT_TRUE(child.Create(nullptr, "Document", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200),
                             &s.frame));
    EXPECT_EQ(hShared, s.bar.GetMenu());
    EXPECT_EQ(hDefault, s.bar.GetDefaultMenu());
    EXPECT_EQ("T&File T&Edit T&Window", Summary(s.bar));
    EXPECT_EQ(nullptr, ::GetMenu(s.frame.m_hWnd)) << "no native menu comes back";
    child.DestroyWindow();
    ::DestroyMenu(hShared);
}

// ---------------------------------------------------------------------------
// Reset

namespace {

// An application with one multi-document type whose document is shown in
// a child of an MDI frame with a menu bar.
class MenuBarDocumentsTest : public MenuBarTest {
protected:
    void SetUp() override
    {
        MenuBarTest::SetUp();
        m_template = new CMultiDocTemplate(IDR_TEST_DOC_MENU);
        m_app.AddDocTemplate(m_template);
        ASSERT_NE(nullptr, m_template->m_hMenuShared);
        m_template->AddDocument(&m_doc);
        MakeFrame(m_frame, m_bar);
        m_frame.ShowWindow(SW_SHOWNOACTIVATE);
        m_app.m_pMainWnd = &m_frame;
        m_child.SetHandles(m_template->m_hMenuShared, m_template->m_hAccelTable);
        ASSERT_TRUE(m_child.Create(nullptr, "Document", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CRect(10, 10, 300, 200), &m_frame));
        ASSERT_TRUE(m_view.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &m_child, AFX_IDW_PANE_FIRST));
        m_doc.AddView(&m_view);
        m_child.SetActiveView(&m_view, FALSE);
    }
    void TearDown() override
    {
        m_doc.RemoveView(&m_view);
        if (m_view.m_hWnd != nullptr)
            m_view.DestroyWindow();
        if (m_child.m_hWnd != nullptr)
            m_child.DestroyWindow();
        m_bar.DestroyWindow();
        m_frame.DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        MenuBarTest::TearDown();
    }

    CWinApp m_app{"MenuBarDocuments"};
    CMultiDocTemplate* m_template = nullptr;   // owned by the application
    CDocument m_doc;
    CTestMDIFrame m_frame;
    CZUDPMenuBar m_bar;
    CTestChild m_child;
    CView m_view;
};

} // namespace

TEST_F(MenuBarDocumentsTest, AResetGivesEveryChildTheReloadedMenuAndDestroysTheOldOnes)
{
    HMENU hOldShared = m_template->m_hMenuShared;
    HMENU hOldDefault = m_bar.GetDefaultMenu();
    ASSERT_EQ(hOldShared, m_bar.GetMenu()) << "the active document's menu is shown";
    m_bar.CreateFromMenu(hOldDefault);
    m_bar.CreateFromMenu(hOldShared);   // both menus now have a snapshot
    CByteArray bytes;
    ASSERT_TRUE(g_menuHash.GetSnapshot(hOldShared, bytes));
    ASSERT_TRUE(g_menuHash.GetSnapshot(hOldDefault, bytes));
    m_frame.resetMenus.clear();

    EXPECT_TRUE(m_bar.ReloadFromResource());

    HMENU hNewShared = m_template->m_hMenuShared;
    HMENU hNewDefault = m_bar.GetDefaultMenu();
    EXPECT_NE(hOldShared, hNewShared);
    EXPECT_NE(hOldDefault, hNewDefault);
    EXPECT_TRUE(::IsMenu(hNewShared));
    EXPECT_TRUE(::IsMenu(hNewDefault));
    EXPECT_FALSE(::IsMenu(hOldShared)) << "the old menus are destroyed";
    EXPECT_FALSE(::IsMenu(hOldDefault));
    EXPECT_FALSE(g_menuHash.GetSnapshot(hOldShared, bytes)) << "and forgotten by the menu hash";
    EXPECT_FALSE(g_menuHash.GetSnapshot(hOldDefault, bytes));
    EXPECT_EQ(hNewShared, m_child.m_hMenuShared) << "the document's child takes the new menu";
    EXPECT_EQ(hNewShared, m_bar.GetMenu()) << "the active document's menu stays current";
    EXPECT_EQ(hNewDefault, m_frame.m_hMenuDefault);
    EXPECT_EQ(hNewDefault, m_frame.GetFrameImpl().m_hDefaultMenu);
    EXPECT_EQ((std::vector<WPARAM>{IDR_TEST_DOC_MENU, IDR_TEST_MAIN_MENU}), m_frame.resetMenus);

    // An open Menu page is told to show the active type's reloaded menu;
    // without a page nothing is called.
    static std::vector<std::pair<CZUDPMenuPage*, CDocTemplate*>> pageCalls;
    pageCalls.clear();
    auto* const savedHook = CZUDPMenuBar::s_selectMenuOnPage;
    CZUDPMenuBar::s_selectMenuOnPage = [](CZUDPMenuPage* pPage, CDocTemplate* pTemplate) {
        pageCalls.emplace_back(pPage, pTemplate);
    };
    EXPECT_TRUE(m_bar.ReloadFromResource());
    EXPECT_TRUE(pageCalls.empty());
    auto* const pFakePage = reinterpret_cast<CZUDPMenuPage*>(&m_bar);   // never dereferenced by the bar
    m_bar.SetMenuPage(pFakePage);
    EXPECT_TRUE(m_bar.ReloadFromResource());
    m_bar.SetMenuPage(nullptr);
    CZUDPMenuBar::s_selectMenuOnPage = savedHook;
    ASSERT_EQ(1u, pageCalls.size());
    EXPECT_EQ(pFakePage, pageCalls[0].first);
    EXPECT_EQ(m_template, pageCalls[0].second);
    hNewShared = m_template->m_hMenuShared;
    hNewDefault = m_bar.GetDefaultMenu();
    EXPECT_EQ(hNewShared, m_child.m_hMenuShared);

    // The last child goes: the reloaded default menu comes back.
    m_doc.RemoveView(&m_view);
    m_view.DestroyWindow();
    m_child.DestroyWindow();
    EXPECT_EQ(hNewDefault, m_bar.GetMenu());
}

TEST_F(MenuBarTest, MenusOfAFloatingWrappedBarOpenBesideOrAboveTheirTitles)
{
    ScopedSeam<BOOL(POINT, RECT*)> workArea{g_foundationSeams.monitorWorkArea, [](POINT, RECT* r) {
                                                *r = CRect(0, 0, 2000, 1500);
                                                return TRUE;
                                            }};
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar, CRect(400, 300, 1040, 700));
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    bar.m_bFloating = TRUE;

    // Titles File (0), Edit (1), View (2), then the About command (3).
    const struct {
        std::vector<int> wraps;   // buttons that end their row
        int title;
        int direction;
    } rows[] = {
        {{1}, 0, CZUDPPopupMenu::kLeftOfButton},    // first of the first row
        {{1}, 1, CZUDPPopupMenu::kRightOfButton},   // ends its row
        {{1}, 2, CZUDPPopupMenu::kLeftOfButton},    // first of the second row
        {{2}, 1, CZUDPPopupMenu::kAboveButton},     // inside the first row
        {{0}, 2, CZUDPPopupMenu::kBelowButton},     // inside a later row
    };
    for (const auto& row : rows) {
        for (int i = 0; i < bar.GetCount(); ++i)
            bar.GetButtonAt(i)->wrapAfter = std::find(row.wraps.begin(), row.wraps.end(), i) != row.wraps.end();
        CZUDPToolbarButton* pTitle = bar.GetButtonAt(row.title);
        ASSERT_TRUE(bar.OpenMenuButton(pTitle)) << row.title;
        CZUDPPopupMenu* pPopup = OpenPopupOf(bar);
        ASSERT_NE(nullptr, pPopup) << row.title;
        CRect rectTitle = pTitle->Rect();
        bar.ClientToScreen(&rectTitle);
        CRect rectPopup;
        pPopup->GetWindowRect(&rectPopup);
        EXPECT_EQ(row.direction, pPopup->m_iDirection) << row.title;
        switch (row.direction) {
        case CZUDPPopupMenu::kRightOfButton:
            EXPECT_EQ(rectTitle.right, rectPopup.left);
            EXPECT_EQ(rectTitle.top, rectPopup.top);
            break;
        case CZUDPPopupMenu::kLeftOfButton:
            EXPECT_EQ(rectTitle.left, rectPopup.right) << row.title;
            EXPECT_EQ(rectTitle.top, rectPopup.top) << row.title;
            break;
        case CZUDPPopupMenu::kAboveButton:
            EXPECT_EQ(rectTitle.top, rectPopup.bottom);
            break;
        default:
            EXPECT_GE(rectPopup.top, rectTitle.bottom - 1);
            break;
        }
        bar.FindOpenMenuButton()->CancelMode();
        bar.SetHotButton(-1);
    }
    bar.m_bFloating = FALSE;
}

TEST_F(MenuBarTest, SwitchingMenusKeepsEachMenusEditsThroughTheHash)
{
    CTestFrame frame;
    CZUDPMenuBar bar;
    MakeFrame(frame, bar);
    HMENU hDefault = bar.GetMenu();
    HMENU hDoc = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TEST_DOC_MENU));

    ASSERT_TRUE(bar.RemoveButton(2));   // the user drops View
    EXPECT_EQ("T&File T&Edit 32821", Summary(bar));
    bar.CreateFromMenu(hDoc);
    EXPECT_EQ("T&File T&Edit T&Window", Summary(bar)) << "a menu shown first is built from the menu";
    ASSERT_TRUE(bar.RemoveButton(0));   // and File of the document menu
    bar.CreateFromMenu(hDefault);
    EXPECT_EQ("T&File T&Edit 32821", Summary(bar)) << "the default menu comes back edited";
    bar.CreateFromMenu(hDoc);
    EXPECT_EQ("T&Edit T&Window", Summary(bar)) << "so does the document menu";
    bar.CreateFromMenu(hDoc, FALSE, TRUE);
    EXPECT_EQ("T&File T&Edit T&Window", Summary(bar)) << "a forced update rebuilds from the menu";
    bar.CreateFromMenu(hDefault);
    g_menuHash.RemoveMenu(hDoc);
    ::DestroyMenu(hDoc);
}
