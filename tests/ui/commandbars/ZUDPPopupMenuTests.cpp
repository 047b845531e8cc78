// Popup menus: the items a menu handle gives the bar (and back), the
// layout in columns and palette grids, personalized hiding, placement on
// faked work areas, the submenu timers driven by WM_TIMER, keys, the
// mouse, the running of a chosen item, the opening animation on the clock
// seam and the shadows.
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPShowAllButton.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// One entry of a test menu: text and command, MF_ flags, or a submenu.
struct MenuEntry {
    const char* text;
    UINT id;
    UINT flags = 0;
    HMENU sub = nullptr;
};

HMENU MakeMenu(std::initializer_list<MenuEntry> entries)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (const MenuEntry& e : entries) {
        if (e.flags & MF_SEPARATOR)
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
        else if (e.sub != nullptr)
            ::AppendMenuA(hMenu, MF_POPUP | e.flags, (UINT_PTR)e.sub, e.text);
        else
            ::AppendMenuA(hMenu, MF_STRING | e.flags, e.id, e.text);
    }
    return hMenu;
}

const MenuEntry kSep = {"", 0, MF_SEPARATOR};

// The items of a bar in short: "-" a separator, "sub" a submenu item,
// else the command, with d (disabled), c (checked), b (column break).
std::string Summary(const CZUDPPopupMenuBar& bar)
{
    std::string s;
    for (int i = 0; i < bar.GetCount(); ++i) {
        const CZUDPToolbarButton* p = bar.GetButtonAt(i);
        if (!s.empty())
            s += " ";
        if (p->IsSeparator()) {
            s += "-";
            continue;
        }
        s += p->commandId == (UINT)-1 ? "sub" : std::to_string(p->commandId);
        if (p->style & TBBS_DISABLED)
            s += "d";
        if (p->style & TBBS_CHECKED)
            s += "c";
        if (p->style & 0x20000000)
            s += "b";
    }
    return s;
}

// The window popups open from: it records the commands posted to it and
// may refuse to keep a menu (it destroys it in WM_INITMENUPOPUP).
class CRecordingHost : public CWnd {
public:
    std::vector<std::pair<UINT, UINT>> commands;   // (message, command)
    int initMenuPopups = 0;
    BOOL destroyMenuOnInit = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_SYSCOMMAND) {
            commands.emplace_back(message, UINT(LOWORD(wParam)) | (message == WM_SYSCOMMAND ? UINT(wParam) : 0));
            return 0;
        }
        if (message == WM_INITMENUPOPUP) {
            ++initMenuPopups;
            if (destroyMenuOnInit)
                ::DestroyMenu((HMENU)wParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A popup that counts its deletions.
class CCountedPopup : public CZUDPPopupMenu {
public:
    static int s_deleted;
    ~CCountedPopup() override { ++s_deleted; }
};
int CCountedPopup::s_deleted = 0;

// A library frame that refuses every popup.
class CRefusingFrame : public CZUDPFrameWnd {
public:
    BOOL PreparePopupMenu(CZUDPPopupMenu* pMenu) override
    {
        (void)pMenu;
        return FALSE;
    }
};

// A menu button whose menu is a grid of image buttons.
class CPaletteButton : public CZUDPToolbarMenuButton {
public:
    CPaletteButton(UINT uiID, HMENU hMenu) : CZUDPToolbarMenuButton(uiID, hMenu, -1, "Palette") {}
    BOOL IsPaletteButton() const override { return TRUE; }
    int GetPaletteRows() const override { return 2; }
};

class PopupMenusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_savedSounds = g_menuSoundsEnabled;
        g_menuSoundsEnabled = FALSE;
        g_menuShowDelay = -1;
        m_savedAnimation = g_menuAnimation;
        g_menuAnimation = 0;
        g_menuShadows = FALSE;
        g_personalizedMenus = TRUE;
        g_showAllCommandsNow = FALSE;
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                    nullptr, nullptr));
    }
    void TearDown() override
    {
        for (HWND hWnd : m_opened) {
            if (::IsWindow(hWnd))
                ::DestroyWindow(hWnd);
        }
        if (m_host.m_hWnd != nullptr)
            m_host.DestroyWindow();
        g_menuSoundsEnabled = m_savedSounds;
        g_menuAnimation = m_savedAnimation;
        g_menuShadows = TRUE;
        g_menuShowDelay = -1;
        g_coreCommands.RemoveAll();
        g_activePopupMenu = nullptr;
    }

    // Opens a top-level popup from the host whose commands go to the host.
    CZUDPPopupMenu* Open(HMENU hMenu, CPoint pt = CPoint(200, 150))
    {
        auto* pPopup = new CZUDPPopupMenu;
        if (!pPopup->CreatePopup(&m_host, pt.x, pt.y, hMenu, FALSE, TRUE))
            return nullptr;
        m_opened.push_back(pPopup->m_hWnd);
        return pPopup;
    }
    // The centre of an item on the screen.
    static CPoint ItemCentre(CZUDPPopupMenuBar* pBar, int i)
    {
        CPoint pt = pBar->GetButtonAt(i)->Rect().CenterPoint();
        pBar->ClientToScreen(&pt);
        return pt;
    }
    void MoveTo(CZUDPPopupMenuBar* pBar, CPoint ptScreen, UINT message = WM_MOUSEMOVE, WPARAM flags = 0)
    {
        m_cursor = ptScreen;
        CPoint pt = ptScreen;
        pBar->ScreenToClient(&pt);
        pBar->SendMessage(message, flags, MAKELPARAM(pt.x, pt.y));
    }
    UINT TimerOf(CWnd* pWnd, UINT_PTR id) const
    {
        auto found = m_timers.find({pWnd->m_hWnd, id});
        return found != m_timers.end() ? found->second : UINT(-1);
    }

    CRecordingHost m_host;
    std::vector<HWND> m_opened;
    CPoint m_cursor = CPoint(0, 0);
    DWORD m_now = 1000;
    CRect m_workArea = CRect(0, 0, 1024, 768);
    int m_depth = 32;
    CString m_delayText = "400";
    std::map<std::pair<HWND, UINT_PTR>, UINT> m_timers;
    BOOL m_savedSounds = TRUE;
    int m_savedAnimation = 0;

    ScopedSeam<BOOL(POINT*)> m_cursorSeam{g_frameworkSeams.cursorPos, [this](POINT* p) {
                                              *p = m_cursor;
                                              return TRUE;
                                          }};
    ScopedSeam<DWORD()> m_clockSeam{g_frameworkSeams.tickCount, [this] { return m_now; }};
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_setTimer{
        g_frameworkSeams.setTimer, [this](HWND h, UINT_PTR id, UINT ms, TIMERPROC) {
            m_timers[{h, id}] = ms;
            return id;
        }};
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_killTimer{g_frameworkSeams.killTimer, [this](HWND h, UINT_PTR id) {
                                                     m_timers.erase({h, id});
                                                     return TRUE;
                                                 }};
    ScopedSeam<BOOL(POINT, RECT*)> m_monitor{g_foundationSeams.monitorWorkArea, [this](POINT, RECT* r) {
                                                 *r = m_workArea;
                                                 return TRUE;
                                             }};
    ScopedSeam<BOOL(RECT*)> m_primary{g_foundationSeams.primaryWorkArea, [this](RECT* r) {
                                          *r = m_workArea;
                                          return TRUE;
                                      }};
    ScopedSeam<int()> m_colorDepth{g_frameworkSeams.colorDepth, [this] { return m_depth; }};
    ScopedSeam<BOOL(CString&)> m_delay{g_commandBarsSeams.menuShowDelayText, [this](CString& s) {
                                           if (m_delayText == "<missing>")
                                               return FALSE;
                                           s = m_delayText;
                                           return TRUE;
                                       }};
    ScopedSeam<BOOL(HDC, int, int, HDC, int, int)> m_capture{
        g_commandBarsSeams.captureScreen, [](HDC hdc, int cx, int cy, HDC, int, int) {
            // The screen under the popup: one known colour.
            HBRUSH hBrush = ::CreateSolidBrush(RGB(10, 200, 30));
            RECT r = {0, 0, cx, cy};
            ::FillRect(hdc, &r, hBrush);
            ::DeleteObject(hBrush);
            return TRUE;
        }};
};

} // namespace

// ---------------------------------------------------------------------------
// Items from a menu handle

TEST_F(PopupMenusTest, ItemsFromMenuCollapseSeparatorsAndKeepStates)
{
    struct Case {
        const char* what;
        HMENU menu;
        const char* items;
    } cases[] = {
        {"only separators", MakeMenu({kSep, kSep}), ""},
        {"leading, doubled and trailing separators", MakeMenu({kSep, {"A", 101}, kSep, kSep, {"B", 102}, kSep}),
         "101 - 102"},
        {"a submenu", MakeMenu({{"Sub", 0, 0, MakeMenu({{"X", 201}})}}), "sub"},
        {"disabled, greyed, checked, column break",
         MakeMenu({{"A", 101, MF_DISABLED}, {"B", 102, MF_GRAYED}, {"C", 103, MF_CHECKED}, {"D", 104, MF_MENUBREAK}}),
         "101d 102d 103c 104b"},
    };
    CZUDPPopupMenuBar bar;
    for (const Case& c : cases) {
        EXPECT_TRUE(bar.BuildItemsFromMenu(c.menu, TRUE)) << c.what;
        EXPECT_EQ(c.items, Summary(bar)) << c.what;
        ::DestroyMenu(c.menu);
    }
    EXPECT_FALSE(bar.BuildItemsFromMenu(nullptr, TRUE));
    EXPECT_EQ(0, bar.GetCount());
    EXPECT_FALSE(bar.BuildItemsFromMenu((HMENU)(UINT_PTR)0x1234, TRUE)) << "not a menu";
}

TEST_F(PopupMenusTest, DisabledUserToolItemsStayEnabled)
{
    CZUDPUserToolsManager* pSaved = g_userToolsManager;
    CZUDPUserToolsManager tools(500, 510);
    g_userToolsManager = &tools;
    HMENU hMenu = MakeMenu({{"Tool", 505, MF_GRAYED}, {"Other", 520, MF_GRAYED}});
    CZUDPPopupMenuBar bar;
    EXPECT_TRUE(bar.BuildItemsFromMenu(hMenu, TRUE));
    EXPECT_EQ("505 520d", Summary(bar));
    g_userToolsManager = pSaved;
    ::DestroyMenu(hMenu);
}

TEST_F(PopupMenusTest, DefaultItemAndRoundTripBackToAMenuHandle)
{
    HMENU hSub = MakeMenu({{"X", 201}, {"Y", 202, MF_GRAYED}});
    HMENU hMenu = MakeMenu({{"&Open", 101}, kSep, {"Sub", 0, 0, hSub}, {"Wide", 103, MF_MENUBREAK}});
    ::SetMenuDefaultItem(hMenu, 101, FALSE);
    CZUDPPopupMenuBar bar;
    ASSERT_TRUE(bar.BuildItemsFromMenu(hMenu, TRUE));
    EXPECT_EQ(101u, bar.GetDefaultCommand());

    HMENU hBack = bar.BuildMenuFromItems();
    ASSERT_NE(nullptr, hBack);
    ASSERT_EQ(4, ::GetMenuItemCount(hBack));
    EXPECT_EQ(101u, ::GetMenuItemID(hBack, 0));
    EXPECT_TRUE(::GetMenuState(hBack, 1, MF_BYPOSITION) & MF_SEPARATOR);
    HMENU hSubBack = ::GetSubMenu(hBack, 2);
    ASSERT_NE(nullptr, hSubBack);
    EXPECT_EQ(2, ::GetMenuItemCount(hSubBack));
    EXPECT_EQ(202u, ::GetMenuItemID(hSubBack, 1));
    EXPECT_TRUE(::GetMenuState(hBack, 3, MF_BYPOSITION) & MF_MENUBREAK);
    EXPECT_EQ(101u, ::GetMenuDefaultItem(hBack, FALSE, GMDI_USEDISABLED));
    char szText[32] = "";
    ::GetMenuStringA(hBack, 0, szText, sizeof(szText), MF_BYPOSITION);
    EXPECT_STREQ("&Open", szText);
    ::DestroyMenu(hBack);
    ::DestroyMenu(hMenu);
}

TEST_F(PopupMenusTest, AnOwnerThatDestroysTheMenuOnInitLeavesNoItems)
{
    m_host.destroyMenuOnInit = TRUE;
    HMENU hMenu = MakeMenu({{"A", 101}});
    CZUDPPopupMenu* pPopup = new CCountedPopup;
    CCountedPopup::s_deleted = 0;
    pPopup->m_bOwnsMenu = FALSE;   // the owner destroyed it
    EXPECT_FALSE(pPopup->CreatePopup(&m_host, 200, 150, hMenu, FALSE, TRUE));
    EXPECT_EQ(1, m_host.initMenuPopups);
    EXPECT_EQ(1, CCountedPopup::s_deleted) << "a failed popup deletes itself once";
    EXPECT_FALSE(::IsMenu(hMenu));
}

// ---------------------------------------------------------------------------
// Layout

TEST_F(PopupMenusTest, EmptyMenuMeasures52By22AndColumnBreaksOpenColumns)
{
    CZUDPPopupMenu* pEmpty = Open(MakeMenu({}));
    ASSERT_NE(nullptr, pEmpty);
    EXPECT_EQ(CSize(52, 22), pEmpty->GetMenuBar()->CalcSize(FALSE));

    // A break on the first item of a column opens no further column.
    CZUDPPopupMenu* pPopup = Open(MakeMenu({{"First", 101, MF_MENUBREAK}, {"Second", 102}, {"Third", 103, MF_MENUBREAK},
                                            {"Fourth", 104}}));
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(2, pBar->GetColumnEdges().GetSize());
    const CRect r0 = pBar->GetButtonAt(0)->Rect(), r2 = pBar->GetButtonAt(2)->Rect(), r3 = pBar->GetButtonAt(3)->Rect();
    EXPECT_EQ(r0.top, r2.top) << "the second column starts at the top";
    EXPECT_EQ(r0.right + 1, r2.left);
    EXPECT_EQ(r2.bottom, r3.top);
    EXPECT_EQ(pBar->GetColumnEdges()[1], pBar->CalcSize(FALSE).cx);

    // In customization every item stands in one column.
    g_customizeMode = TRUE;
    pBar->PositionButtons();
    EXPECT_EQ(pBar->GetButtonAt(1)->Rect().bottom, pBar->GetButtonAt(2)->Rect().top);
    g_customizeMode = FALSE;
}

TEST_F(PopupMenusTest, PaletteRowsStartAfterEveryThirdOfTenItemsAndNeverBelowOne)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (UINT i = 0; i < 10; ++i)
        ::AppendMenuA(hMenu, MF_STRING, 300 + i, "c");
    CZUDPPopupMenuBar bar;
    bar.SetPaletteMode(TRUE, 3);
    ASSERT_TRUE(bar.BuildItemsFromMenu(hMenu, TRUE));
    std::string wraps;
    for (int i = 0; i < bar.GetCount(); ++i)
        wraps += bar.GetButtonAt(i)->wrapAfter ? "w" : ".";
    EXPECT_EQ("..w..w..w.", wraps);

    bar.SetPaletteMode(TRUE, 0);
    EXPECT_EQ(1, bar.GetPaletteRows());
    ASSERT_TRUE(bar.BuildItemsFromMenu(hMenu, TRUE));
    EXPECT_TRUE(bar.GetButtonAt(9)->wrapAfter) << "one row of ten";
    ::DestroyMenu(hMenu);
}

// ---------------------------------------------------------------------------
// Personalized menus

TEST_F(PopupMenusTest, RarelyUsedCommandsHideOnlyWithACoreListAndTheirKeysStillRunThem)
{
    HMENU hMenu = MakeMenu({{"&Used", 7101}, {"&Hidden", 7102}, {"Last&", 7103}});
    CZUDPToolBar::CountCommandUse(7101);
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();

    ASSERT_TRUE(pBar->BuildItemsFromMenu(hMenu, FALSE));
    EXPECT_TRUE(pBar->AreAllCommandsShown()) << "an empty core list hides nothing";
    EXPECT_EQ("7101 7102 7103", Summary(*pBar));

    g_coreCommands.AddTail(9999);
    ASSERT_TRUE(pBar->BuildItemsFromMenu(hMenu, FALSE));
    EXPECT_FALSE(pBar->AreAllCommandsShown());
    EXPECT_EQ("7101", Summary(*pBar));
    EXPECT_EQ(7102u, pBar->FindHiddenCommandKey('H'));
    EXPECT_EQ(0u, pBar->FindHiddenCommandKey('T')) << "an '&' at the end marks no key";

    ASSERT_TRUE(pBar->BuildItemsFromMenu(hMenu, TRUE));
    EXPECT_TRUE(pBar->AreAllCommandsShown()) << "show-all";

    ASSERT_TRUE(pBar->BuildItemsFromMenu(hMenu, FALSE));
    const HWND hPopup = pPopup->m_hWnd;
    EXPECT_TRUE(pBar->HandleKey('H'));
    EXPECT_FALSE(::IsWindow(hPopup)) << "the chosen command closes the menu";
    trovtest::PumpPending();
    ASSERT_EQ(1u, m_host.commands.size());
    EXPECT_EQ(7102u, m_host.commands[0].second);
}

// ---------------------------------------------------------------------------
// Placement

TEST_F(PopupMenusTest, PlacementOnFakedWorkAreas)
{
    // (-1, -1): inside the host's client origin.
    CZUDPPopupMenu* pPopup = Open(MakeMenu({{"A", 101}}), CPoint(-1, -1));
    ASSERT_NE(nullptr, pPopup);
    CRect rect;
    pPopup->GetWindowRect(&rect);
    EXPECT_EQ(CPoint(105, 105), rect.TopLeft());

    // Too wide for the right edge: moved left to end one pixel inside.
    m_workArea = CRect(0, 0, 300, 768);
    pPopup = Open(MakeMenu({{"Some rather long item text", 101}}), CPoint(290, 100));
    ASSERT_NE(nullptr, pPopup);
    pPopup->GetWindowRect(&rect);
    EXPECT_EQ(300 - 1, rect.right);

    // A monitor above the primary one: a menu that would pass its bottom
    // moves up by its height and stays inside.
    m_workArea = CRect(0, -768, 1024, 0);
    pPopup = Open(MakeMenu({{"A", 101}, {"B", 102}, {"C", 103}}), CPoint(200, -20));
    ASSERT_NE(nullptr, pPopup);
    pPopup->GetWindowRect(&rect);
    EXPECT_LE(rect.bottom, 0);
    EXPECT_GE(rect.top, -768);
    EXPECT_EQ(-20, rect.bottom) << "its bottom at the point asked for";

    // Taller than the work area: cut and scrolling, with a scroll-down area.
    m_workArea = CRect(0, 0, 1024, 200);
    HMENU hTall = ::CreatePopupMenu();
    for (UINT i = 0; i < 40; ++i)
        ::AppendMenuA(hTall, MF_STRING, 400 + i, "Row");
    pPopup = Open(hTall, CPoint(50, 10));
    ASSERT_NE(nullptr, pPopup);
    pPopup->GetWindowRect(&rect);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(200, rect.bottom);
    EXPECT_TRUE(pPopup->m_bScrollable);
    EXPECT_TRUE(pPopup->IsHeightLimited());
    EXPECT_FALSE(pPopup->GetScrollDownArea().IsRectEmpty());
    EXPECT_TRUE(pPopup->GetScrollUpArea().IsRectEmpty()) << "nothing above the first row";
}

TEST_F(PopupMenusTest, PopupOfAToolbarButtonOpensAboveItWhenTheRoomBelowIsShort)
{
    // The toolbar stands near the bottom of a monitor above the primary
    // one; the comparison is with that work area's top, not with 0.
    struct Case {
        CRect work;
        int barTop;
        bool above;
    } cases[] = {
        {CRect(0, -768, 1024, 0), -60, true},
        {CRect(0, 30, 1024, 768), 700, true},
    };
    for (const Case& c : cases) {
        m_workArea = c.work;
        CWnd frame;
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "bar host", WS_POPUP | WS_VISIBLE, 100, c.barTop, 300, 40,
                                   nullptr, nullptr));
        CZUDPToolBar bar;
        ASSERT_TRUE(bar.CreateBar(&frame));
        HMENU hMenu = MakeMenu({{"A", 101}, {"B", 102}, {"C", 103}, {"D", 104}, {"E", 105}});
        auto* pButton = new CZUDPToolbarMenuButton(0, hMenu, -1, "Menu");
        ASSERT_GE(bar.InsertButton(pButton), 0);
        pButton->SetRect(CRect(0, 0, 40, 22));
        ASSERT_TRUE(pButton->OpenPopupMenu(&bar));
        CZUDPPopupMenu* pPopup = pButton->openPopup;
        ASSERT_NE(nullptr, pPopup);
        CRect rectButton = pButton->Rect();
        bar.ClientToScreen(&rectButton);
        CRect rect;
        pPopup->GetWindowRect(&rect);
        EXPECT_EQ(c.above, rect.bottom == rectButton.top) << c.barTop;
        EXPECT_GE(rect.top, c.work.top);
        pButton->CancelMode();
        bar.DestroyWindow();
        frame.DestroyWindow();
        ::DestroyMenu(hMenu);
    }
}

TEST_F(PopupMenusTest, ASubmenuThatDoesNotFitOnTheRightOpensLeftOfItsParent)
{
    m_workArea = CRect(0, 0, 400, 768);
    HMENU hMenu = MakeMenu({{"Sub", 0, 0, MakeMenu({{"Inner item", 201}})}, {"B", 102}});
    CZUDPPopupMenu* pPopup = Open(hMenu, CPoint(300, 100));
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    auto* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pBar->GetButtonAt(0));
    ASSERT_NE(nullptr, pItem);
    ASSERT_TRUE(pItem->OpenPopupMenu(pBar));
    ASSERT_NE(nullptr, pItem->openPopup);
    CRect rectParent, rectSub;
    pPopup->GetWindowRect(&rectParent);
    pItem->openPopup->GetWindowRect(&rectSub);
    EXPECT_EQ(rectParent.left, rectSub.right);
    EXPECT_EQ(CZUDPPopupMenu::kLeftOfButton, pItem->openPopup->m_iDirection);
}

TEST_F(PopupMenusTest, RightToLeftOwnerMirrorsThePopupAndStopsTheAnimation)
{
    g_menuAnimation = CZUDPPopupMenu::kSlide;
    m_host.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    CZUDPPopupMenu* pPopup = Open(MakeMenu({{"A", 101}}), CPoint(300, 100));
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(pPopup->IsRightToLeft());
    EXPECT_TRUE(pPopup->IsAnimationDone());
    CRect rect;
    pPopup->GetWindowRect(&rect);
    EXPECT_EQ(300, rect.right) << "it extends to the left of the point";
}

// ---------------------------------------------------------------------------
// Submenu timing

TEST_F(PopupMenusTest, SubmenusOpenAfterTheDelayAndCloseOneMillisecondSooner)
{
    HMENU hMenu = MakeMenu({{"&File", 0, 0, MakeMenu({{"New", 201}})}, {"&Edit", 0, 0, MakeMenu({{"Copy", 301}})},
                            {"E&xit", 103}});
    m_cursor = CPoint(10, 10);
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(400, g_menuShowDelay);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    auto* pFile = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pBar->GetButtonAt(0));
    ASSERT_NE(nullptr, pFile);

    MoveTo(pBar, ItemCentre(pBar, 0));   // the first move is ignored
    MoveTo(pBar, ItemCentre(pBar, 0));
    EXPECT_EQ(0, pBar->GetHotIndex());
    EXPECT_EQ(400u, TimerOf(pBar, 1));
    EXPECT_EQ(nullptr, pFile->openPopup) << "not before the timer";
    pBar->SendMessage(WM_TIMER, 1);
    ASSERT_NE(nullptr, pFile->openPopup);
    EXPECT_EQ(UINT(-1), TimerOf(pBar, 1));

    // Leaving the item: the submenu lingers for 399 ms.
    MoveTo(pBar, ItemCentre(pBar, 2));
    EXPECT_EQ(399u, TimerOf(pBar, 2));
    EXPECT_TRUE(pFile->submenuPending);
    EXPECT_NE(nullptr, pFile->openPopup);

    // Back on the item before the timer: it stays.
    MoveTo(pBar, ItemCentre(pBar, 0));
    EXPECT_EQ(UINT(-1), TimerOf(pBar, 2));
    EXPECT_FALSE(pFile->submenuPending);

    // Away again, and the timer fires: it closes.
    MoveTo(pBar, ItemCentre(pBar, 2));
    const HWND hSub = pFile->openPopup->m_hWnd;
    pBar->SendMessage(WM_TIMER, 2);
    EXPECT_EQ(nullptr, pFile->openPopup);
    EXPECT_FALSE(::IsWindow(hSub));
    EXPECT_TRUE(::IsWindow(pPopup->m_hWnd)) << "the menu itself stays";
    EXPECT_EQ(pPopup, g_activePopupMenu);
}

TEST_F(PopupMenusTest, ArrowKeysCloseAnOpenSubmenuAtOnce)
{
    HMENU hMenu = MakeMenu({{"&File", 0, 0, MakeMenu({{"New", 201}})}, {"E&xit", 103}});
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
    auto* pFile = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pBar->GetButtonAt(0));
    pPopup->SendMessage(WM_KEYDOWN, VK_RIGHT);
    ASSERT_NE(nullptr, pFile->openPopup);
    const HWND hSub = pFile->openPopup->m_hWnd;
    pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_FALSE(::IsWindow(hSub));
    EXPECT_EQ(UINT(-1), TimerOf(pBar, 2)) << "no close delay";
    EXPECT_EQ(1, pBar->GetHotIndex());
}

TEST(MenuShowDelayTest, TheUsersValueIsReadWithinItsRange)
{
    struct Case {
        const char* text;
        int delay;
    } cases[] = {{"400", 400}, {"0", 0}, {"5000", 5000}, {"9000", 5000}, {"-5", 5000}, {"abc", 0}, {nullptr, 500}};
    for (const Case& c : cases) {
        ScopedSeam seam(g_commandBarsSeams.menuShowDelayText, [&c](CString& s) {
            if (c.text == nullptr)
                return FALSE;
            s = c.text;
            return TRUE;
        });
        EXPECT_EQ(c.delay, ReadMenuShowDelay()) << (c.text != nullptr ? c.text : "missing");
    }
}

// ---------------------------------------------------------------------------
// Keys

TEST_F(PopupMenusTest, NavigationKeysSkipSeparatorsAndWrap)
{
    HMENU hMenu = MakeMenu({{"&Alpha", 101}, kSep, {"&Beta", 102, MF_GRAYED}, {"&Gamma", 103}});
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    struct Step {
        UINT key;
        int hot;
    } steps[] = {{VK_HOME, 0}, {VK_DOWN, 2}, {VK_DOWN, 3}, {VK_DOWN, 0}, {VK_UP, 3}, {VK_END, 3}, {VK_UP, 2}, {VK_TAB, 3}};
    for (const Step& s : steps) {
        pPopup->SendMessage(WM_KEYDOWN, s.key);
        EXPECT_EQ(s.hot, pBar->GetHotIndex()) << "key " << s.key;
    }
    EXPECT_FALSE(pBar->HandleKey(VK_NEXT)) << "Page Down is not the bar's";
}

TEST_F(PopupMenusTest, EnterAndAccessKeysChooseItemsAndDisabledOnesOnlyClose)
{
    struct Case {
        UINT key;
        bool command;
        UINT expected;
    } cases[] = {{'G', true, 103}, {'B', false, 0}, {VK_RETURN, true, 101}};
    for (const Case& c : cases) {
        m_host.commands.clear();
        HMENU hMenu = MakeMenu({{"&Alpha", 101}, kSep, {"&Beta", 102, MF_GRAYED}, {"&Gamma", 103}});
        CZUDPPopupMenu* pPopup = Open(hMenu);
        ASSERT_NE(nullptr, pPopup);
        const HWND hPopup = pPopup->m_hWnd;
        if (c.key == VK_RETURN)
            pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
        pPopup->SendMessage(WM_KEYDOWN, c.key);
        EXPECT_FALSE(::IsWindow(hPopup)) << "key " << c.key;
        trovtest::PumpPending();
        if (c.command) {
            ASSERT_EQ(1u, m_host.commands.size()) << "key " << c.key;
            EXPECT_EQ(c.expected, m_host.commands[0].second);
        } else {
            EXPECT_TRUE(m_host.commands.empty()) << "key " << c.key;
        }
    }
}

TEST_F(PopupMenusTest, KeysInAMenuWithoutSelectableItemsEndTheirSearch)
{
    HMENU hMenu = MakeMenu({kSep, kSep});
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    pBar->InsertButton(new CZUDPToolbarButton((UINT)-2, -1, "Label"));
    pBar->PositionButtons();
    for (UINT key : {VK_HOME, VK_END, VK_DOWN, VK_UP})
        EXPECT_TRUE(pBar->HandleKey(key));
    EXPECT_EQ(-1, pBar->GetHotIndex());
}

// ---------------------------------------------------------------------------
// Mouse

TEST_F(PopupMenusTest, AMoveAtTheCreationPointIsIgnoredAndAReleaseThereChoosesNothing)
{
    HMENU hMenu = MakeMenu({{"A", 101}, {"B", 102}});
    // The cursor already rests where the second item will be.
    m_cursor = CPoint(220, 150 + 2 + 22 + 10);
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    const CPoint ptCreation = m_cursor;
    MoveTo(pBar, ptCreation);
    MoveTo(pBar, ptCreation);
    EXPECT_EQ(-1, pBar->GetHotIndex());
    MoveTo(pBar, ItemCentre(pBar, 0));
    EXPECT_EQ(0, pBar->GetHotIndex());
    if (pBar->HitTest([&] {
            CPoint pt = ptCreation;
            pBar->ScreenToClient(&pt);
            return pt;
        }()) >= 0) {
        // The release of the click that opened the menu does not choose.
        MoveTo(pBar, ItemCentre(pBar, 0), WM_LBUTTONUP);
        EXPECT_TRUE(::IsWindow(pPopup->m_hWnd));
        trovtest::PumpPending();
        EXPECT_TRUE(m_host.commands.empty());
    }
}

TEST_F(PopupMenusTest, PressElsewhereDragAndReleaseOnAnItemChoosesIt)
{
    HMENU hMenu = MakeMenu({{"A", 101}, {"B", 102}});
    m_cursor = CPoint(150, 120);   // on the title the press was made
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    const HWND hPopup = pPopup->m_hWnd;
    MoveTo(pBar, ItemCentre(pBar, 1), WM_MOUSEMOVE, MK_LBUTTON);
    MoveTo(pBar, ItemCentre(pBar, 1), WM_MOUSEMOVE, MK_LBUTTON);
    MoveTo(pBar, ItemCentre(pBar, 1) + CPoint(1, 0), WM_MOUSEMOVE, MK_LBUTTON);
    ASSERT_EQ(1, pBar->GetHotIndex());
    MoveTo(pBar, ItemCentre(pBar, 1), WM_LBUTTONUP);
    EXPECT_FALSE(::IsWindow(hPopup));
    trovtest::PumpPending();
    ASSERT_EQ(1u, m_host.commands.size());
    EXPECT_EQ(std::make_pair(UINT(WM_COMMAND), 102u), m_host.commands[0]);
}

// ---------------------------------------------------------------------------
// Running a chosen item

TEST_F(PopupMenusTest, ChosenCommandsArePostedCountedAndCloseTheChain)
{
    struct Case {
        UINT command;
        UINT message;
    } cases[] = {{7201, WM_COMMAND}, {SC_MINIMIZE, WM_SYSCOMMAND}, {0xF1EF, WM_SYSCOMMAND}, {0xF1F0, WM_COMMAND}};
    for (const Case& c : cases) {
        m_host.commands.clear();
        HMENU hSub = ::CreatePopupMenu();
        ::AppendMenuA(hSub, MF_STRING, c.command, "Item");
        CZUDPPopupMenu* pPopup = Open(MakeMenu({{"Sub", 0, 0, hSub}}));
        ASSERT_NE(nullptr, pPopup);
        auto* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pPopup->GetMenuBar()->GetButtonAt(0));
        ASSERT_TRUE(pItem->OpenPopupMenu(pPopup->GetMenuBar()));
        CZUDPPopupMenu* pSub = pItem->openPopup;
        ASSERT_NE(nullptr, pSub);
        EXPECT_EQ(&m_host, pSub->m_pMessageTarget) << "inherited from the parent popup";
        const HWND hTop = pPopup->m_hWnd, hSubWnd = pSub->m_hWnd;
        const UINT before = CZUDPToolBar::GetCommandUseCount(c.command);
        CZUDPPopupMenuBar* pSubBar = pSub->GetMenuBar();
        pSubBar->DispatchItemCommand(c.command, pSubBar->GetButtonAt(0));
        EXPECT_FALSE(::IsWindow(hSubWnd));
        EXPECT_FALSE(::IsWindow(hTop)) << "the whole chain closes";
        EXPECT_EQ(nullptr, g_activePopupMenu);
        EXPECT_EQ(0, g_lastChosenMenuItem);
        // System commands are reserved: the usage counts leave them out.
        EXPECT_EQ(before + (IsReservedCommand(c.command) ? 0 : 1), CZUDPToolBar::GetCommandUseCount(c.command));
        trovtest::PumpPending();
        ASSERT_EQ(1u, m_host.commands.size()) << c.command;
        EXPECT_EQ(c.message, m_host.commands[0].first) << c.command;
    }
}

TEST_F(PopupMenusTest, APaletteParentButtonTakesTheChosenCommand)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "bar host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 40, nullptr,
                               nullptr));
    CZUDPToolBar bar;
    ASSERT_TRUE(bar.CreateBar(&frame));
    HMENU hMenu = MakeMenu({{"r", 7301}, {"g", 7302}, {"b", 7303}, {"k", 7304}});
    auto* pButton = new CPaletteButton(7301, hMenu);
    ASSERT_GE(bar.InsertButton(pButton), 0);
    pButton->SetRect(CRect(0, 0, 40, 22));
    ASSERT_TRUE(pButton->OpenPopupMenu(&bar));
    CZUDPPopupMenuBar* pBar = pButton->openPopup->GetMenuBar();
    EXPECT_TRUE(pBar->IsPaletteMode());
    EXPECT_EQ(2, pBar->GetPaletteRows());
    EXPECT_EQ(0, pBar->GetButtonAt(0)->wrapAfter);
    EXPECT_TRUE(pBar->GetButtonAt(1)->wrapAfter) << "two rows of two";
    pBar->DispatchItemCommand(7303, pBar->GetButtonAt(2));
    EXPECT_EQ(nullptr, pButton->openPopup);
    EXPECT_EQ(7303u, pButton->commandId);
    bar.DestroyWindow();
    frame.DestroyWindow();
    ::DestroyMenu(hMenu);
}

TEST_F(PopupMenusTest, AFrameThatRefusesThePopupFailsItsCreationAndItIsDeletedOnce)
{
    CRefusingFrame* pFrame = new CRefusingFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "refusing", WS_OVERLAPPEDWINDOW));
    CCountedPopup::s_deleted = 0;
    auto* pPopup = new CCountedPopup;
    EXPECT_FALSE(pPopup->CreatePopup(pFrame, 100, 100, MakeMenu({{"A", 101}}), FALSE, TRUE));
    EXPECT_EQ(1, CCountedPopup::s_deleted);
    EXPECT_EQ(nullptr, g_activePopupMenu);
    pFrame->DestroyWindow();
    delete pFrame;
}

// ---------------------------------------------------------------------------
// Animation and shadows

TEST_F(PopupMenusTest, SlideAnimationStepsByTheClockUntilTheMenuIsRevealed)
{
    g_menuAnimation = CZUDPPopupMenu::kSlide;
    HMENU hMenu = MakeMenu({{"A", 101}, {"B", 102}, {"C", 103}, {"D", 104}, {"E", 105}, {"F", 106}});
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    const int nRow = pBar->GetRowHeight();
    EXPECT_FALSE(pPopup->IsAnimationDone());
    EXPECT_EQ(15u, TimerOf(pPopup, 1));
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_EQ(nRow, pPopup->GetAnimatedSize().cy);
    EXPECT_EQ(pPopup->GetMenuSize().cx, pPopup->GetAnimatedSize().cx);

    m_now += 30;   // two steps
    pPopup->SendMessage(WM_TIMER, 1);
    EXPECT_EQ(3 * nRow, pPopup->GetAnimatedSize().cy);
    for (int i = 0; i < 20 && !pPopup->IsAnimationDone(); ++i) {
        m_now += 15;
        pPopup->SendMessage(WM_TIMER, 1);
    }
    EXPECT_TRUE(pPopup->IsAnimationDone());
    EXPECT_EQ(UINT(-1), TimerOf(pPopup, 1));
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(pPopup->GetMenuSize(), pPopup->GetAnimatedSize());
}

TEST_F(PopupMenusTest, FadeStepsTenPercentAndIsDroppedOnAn8BitScreen)
{
    g_menuAnimation = CZUDPPopupMenu::kFade;
    CZUDPPopupMenu* pPopup = Open(MakeMenu({{"A", 101}}));
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(CZUDPPopupMenu::kFade, pPopup->GetResolvedAnimation());
    m_now += 15;
    pPopup->SendMessage(WM_TIMER, 1);
    EXPECT_EQ(10, pPopup->GetFadePercent());
    pPopup->SendMessage(WM_TIMER, 1);
    EXPECT_EQ(20, pPopup->GetFadePercent());

    m_depth = 8;
    g_menuAnimation = CZUDPPopupMenu::kFade;
    CZUDPPopupMenu* pFlat = Open(MakeMenu({{"A", 101}}));
    ASSERT_NE(nullptr, pFlat);
    EXPECT_TRUE(pFlat->IsAnimationDone());
    EXPECT_EQ(0, g_menuAnimation) << "no fade at 8 bits per pixel";
}

TEST_F(PopupMenusTest, ShadowIsDrawnWithItsArgumentsAndNotInCustomization)
{
    uitest::RecordingManagerScope manager;
    g_menuShadows = TRUE;
    CZUDPPopupMenu* pPopup = Open(MakeMenu({{"A", 101}, {"B", 102}}));
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(6, pPopup->m_iShadowSize);
    CRect rectClient;
    pPopup->GetClientRect(&rectClient);
    EXPECT_EQ(pPopup->GetMenuSize() + CSize(6, 6), rectClient.Size());

    COLORREF* pBits = nullptr;
    HBITMAP hBitmap = CZUDPDrawManager::Create32BitDibSection(rectClient.Size(), (LPVOID*)&pBits);
    ASSERT_NE(nullptr, hBitmap);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    manager->Clear();
    pPopup->DrawMenuFrame(&dc);
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteDC(dc.Detach());
    ::DeleteObject(hBitmap);

    const auto shadows = manager->Of("DrawPopupMenuShadow");
    ASSERT_EQ(1u, shadows.size());
    EXPECT_EQ(CRect(0, 0, rectClient.right - 6, rectClient.bottom - 6), shadows[0].rect);
    EXPECT_EQ((std::vector<int>{6, 100, 65, FALSE}), shadows[0].flags);
    EXPECT_TRUE(manager->spared.IsRectEmpty()) << "no parent button to spare";
    ASSERT_EQ(1, manager->Count("DrawPopupMenuBorder"));
    EXPECT_EQ(shadows[0].rect, manager->Of("DrawPopupMenuBorder")[0].rect);
    EXPECT_EQ(CZUDPPopupMenu::kShadowRight, pPopup->HitTestArea(CPoint(rectClient.right - 2, 5) + [&] {
        CPoint pt(0, 0);
        pPopup->ClientToScreen(&pt);
        return pt;
    }()));

    g_customizeMode = TRUE;
    g_menuAnimation = CZUDPPopupMenu::kSlide;
    CZUDPPopupMenu* pCustomizing = Open(MakeMenu({{"A", 101}}));
    ASSERT_NE(nullptr, pCustomizing);
    EXPECT_EQ(0, pCustomizing->m_iShadowSize);
    EXPECT_TRUE(pCustomizing->IsAnimationDone());
    g_customizeMode = FALSE;
}

TEST_F(PopupMenusTest, ShadowWindowRendersItsSizeWithAlphaAndFollowsNewAlpha)
{
    if (g_uiEnvironment.m_updateLayeredWindow == nullptr)
        GTEST_SKIP() << "no layered windows";
    CZUDPPopupMenu* pPopup = Open(MakeMenu({{"A", 101}}));
    ASSERT_NE(nullptr, pPopup);
    auto* pShadow = new CZUDPShadowWnd(pPopup, 6);
    ASSERT_TRUE(pShadow->Create());
    pShadow->SetWindowPos(nullptr, 0, 0, 60, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    EXPECT_EQ(CSize(60, 40), pShadow->GetRenderedSize());
    ASSERT_NE(nullptr, pShadow->GetRenderedBits());
    int nTinted = 0;
    for (int i = 0; i < 60 * 40; ++i)
        nTinted += (pShadow->GetRenderedBits()[i] >> 24) != 0;
    EXPECT_GT(nTinted, 0);
    pShadow->SetAlpha(128);
    EXPECT_EQ(128, pShadow->GetAlpha());
    pShadow->DestroyWindow();   // deletes itself

    m_depth = 8;
    CZUDPShadowWnd flat(pPopup, 6);
    EXPECT_FALSE(flat.Create()) << "no layered shadow on an 8-bit screen";
}

// ---------------------------------------------------------------------------
// Scrolling, resizing and tear-off

// A menu taller than the work area scrolls: resting on the scroll-down
// area scrolls one row per 80 ms timer until the last row shows, then the
// timer stops; End and Home bring the last and first items into view.
TEST_F(PopupMenusTest, ScrollAreasScrollOneRowPerTimerUntilTheEnd)
{
    m_workArea = CRect(0, 0, 1024, 300);
    HMENU hMenu = ::CreatePopupMenu();
    for (UINT i = 0; i < 40; ++i) {
        char text[16];
        sprintf(text, "Item %u", i);
        ::AppendMenuA(hMenu, MF_STRING, 1000 + i, text);
    }
    CZUDPPopupMenu* pPopup = Open(hMenu, CPoint(100, 10));
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    EXPECT_TRUE(pPopup->IsHeightLimited());
    CRect rectWindow;
    pPopup->GetWindowRect(&rectWindow);
    EXPECT_LE(rectWindow.bottom, 300);
    EXPECT_TRUE(pPopup->GetScrollUpArea().IsRectEmpty());
    const CRect rectDown = pPopup->GetScrollDownArea();
    ASSERT_FALSE(rectDown.IsRectEmpty());

    // The cursor rests on the scroll-down area.
    CPoint ptDown = rectDown.CenterPoint();
    pPopup->ClientToScreen(&ptDown);
    m_cursor = ptDown;
    CPoint ptClient = rectDown.CenterPoint();
    pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(1, pPopup->GetScrollDirection());
    EXPECT_EQ(80u, TimerOf(pPopup, CZUDPPopupMenu::kScrollTimer));
    int nSteps = 0;
    for (int nRow = 0; TimerOf(pPopup, CZUDPPopupMenu::kScrollTimer) != UINT(-1) && nSteps < 100; ++nSteps) {
        pPopup->SendMessage(WM_TIMER, CZUDPPopupMenu::kScrollTimer);
        if (TimerOf(pPopup, CZUDPPopupMenu::kScrollTimer) != UINT(-1)) {
            EXPECT_EQ(nRow + 1, pBar->GetFirstVisibleRow()) << "one row per step";
            nRow = pBar->GetFirstVisibleRow();
        }
    }
    EXPECT_LT(nSteps, 100);
    EXPECT_FALSE(pPopup->CanScrollDown());
    EXPECT_EQ(0, pPopup->GetScrollDirection());
    CRect rectBarClient;
    pBar->GetClientRect(&rectBarClient);
    EXPECT_LE(pBar->GetButtonAt(39)->Rect().bottom, rectBarClient.bottom) << "the last item shows";
    EXPECT_FALSE(pPopup->GetScrollUpArea().IsRectEmpty());

    // Home goes back to the first row; End shows the last item again.
    m_cursor = CPoint(0, 0);
    pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(0, pBar->GetHotIndex());
    EXPECT_EQ(0, pBar->GetFirstVisibleRow());
    EXPECT_TRUE(pPopup->GetScrollUpArea().IsRectEmpty());
    pPopup->SendMessage(WM_KEYDOWN, VK_END);
    EXPECT_EQ(39, pBar->GetHotIndex());
    pBar->GetClientRect(&rectBarClient);
    EXPECT_LE(pBar->GetButtonAt(39)->Rect().bottom, rectBarClient.bottom);
    EXPECT_GE(pBar->GetButtonAt(39)->Rect().top, rectBarClient.top);
}

// The resize loop follows the cursor from the window's top-left corner
// (within the minimum size) until the button is released, and does not
// start while another window holds the mouse.
TEST_F(PopupMenusTest, ResizeLoopFollowsTheCursorWithinTheMinimumSize)
{
    struct Case {
        const char* what;
        CSize drag;       // cursor offset from the window's top-left corner
        bool otherCapture;
        CSize expected;   // window size afterwards (-1: unchanged)
    } cases[] = {
        {"larger", CSize(300, 260), false, CSize(0, 260)},
        {"below the minimum", CSize(20, 20), false, CSize(120, 72)},
        {"another window holds the mouse", CSize(300, 260), true, CSize(-1, -1)},
    };
    for (const Case& c : cases) {
        CZUDPPopupMenu* pPopup = new CZUDPPopupMenu;
        pPopup->AllowResize(120, 60);
        ASSERT_TRUE(pPopup->CreatePopup(&m_host, 200, 150, MakeMenu({{"A", 101}, {"B", 102}}), FALSE, TRUE));
        m_opened.push_back(pPopup->m_hWnd);
        const int b = pPopup->BorderWidth();
        CRect rectBefore;
        pPopup->GetWindowRect(&rectBefore);

        // The resize bar's corner answers the hit test.
        CPoint ptCorner(rectBefore.right - b - 2, rectBefore.bottom - b - 2);
        EXPECT_EQ(HTBOTTOMRIGHT, (int)pPopup->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCorner.x, ptCorner.y)))
            << c.what;

        if (c.otherCapture)
            m_host.SetCapture();
        m_cursor = rectBefore.TopLeft() + c.drag;
        pPopup->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
        pPopup->PostMessage(WM_LBUTTONUP, 0, 0);
        pPopup->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(ptCorner.x, ptCorner.y));
        if (c.otherCapture) {
            ::ReleaseCapture();
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_LBUTTONUP, PM_REMOVE)) {
            }
        }
        CRect rectAfter;
        pPopup->GetWindowRect(&rectAfter);
        const CSize expected(c.expected.cx == 0 ? c.drag.cx + 2 * b : c.expected.cx, c.expected.cy);
        if (c.expected.cx < 0)
            EXPECT_EQ(rectBefore.Size(), rectAfter.Size()) << c.what;
        else
            EXPECT_EQ(expected, rectAfter.Size()) << c.what;
        EXPECT_EQ(rectBefore.TopLeft(), rectAfter.TopLeft()) << c.what;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.what;
        pPopup->DestroyWindow();
    }
}

namespace {

// A library frame with a toolbar whose menu button opens a menu that can
// be torn off; the frame's tear-off hook answers as told.
class CTearOffFrame : public CZUDPFrameWnd {
public:
    BOOL accept = TRUE;
    int asked = 0;
    BOOL OnTearOffMenu(CZUDPPopupMenu* pMenu, CZUDPBaseControlBar* pBar) override
    {
        (void)pMenu;
        (void)pBar;
        ++asked;
        return accept;
    }
};

const UINT kTearOffId = 4711;

struct TearOffFixture {
    CTearOffFrame frame;
    CZUDPToolBar toolbar;
    CZUDPToolbarMenuButton* pButton = nullptr;
    HMENU hMenu = nullptr;

    bool Make()
    {
        if (!frame.Create(nullptr, "tear-off", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 650, 450)))
            return false;
        if (!toolbar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE930))
            return false;
        toolbar.SetWindowPos(nullptr, 0, 0, 300, 30, SWP_NOZORDER | SWP_NOACTIVATE);
        hMenu = MakeMenu({{"&Cut", 101}, {"&Copy", 102}, kSep, {"&Paste", 103}});
        pButton = new CZUDPToolbarMenuButton((UINT)-1, hMenu, -1, "&Edit");
        pButton->SetTearOffId(kTearOffId);
        if (toolbar.InsertButton(pButton) < 0)
            return false;
        pButton->SetRect(CRect(0, 0, 40, 22));
        return true;
    }
    ~TearOffFixture()
    {
        if (toolbar.GetSafeHwnd() != nullptr)
            toolbar.DestroyWindow();
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
    }
    CZUDPFrameImpl& Impl() { return frame.GetFrameImpl(); }
    int TornOffCount() { return (int)Impl().m_listTearOffToolbars.GetCount(); }
};

} // namespace

// The tear-off caption: a press and a release on it tear nothing off;
// moving off it with the button down floats a toolbar of the menu's items
// (caption without "&", control id = the tear-off id) that follows the
// cursor until the release, and the menu closes.  Escape or the right
// button cancel: the bar goes and the menu shows again.  The frame may
// refuse; a menu torn off again brings its bar back.
TEST_F(PopupMenusTest, TearOffCaptionFloatsTheMenuAsAToolbar)
{
    TearOffFixture fx;
    ASSERT_TRUE(fx.Make());
    CPoint ptGrip(-1, -1);
    ScopedSeam<BOOL(int, int)> setCursor(g_frameworkSeams.setCursorPos, [&](int x, int y) {
        ptGrip = CPoint(x, y);
        return TRUE;
    });
    auto open = [&]() -> CZUDPPopupMenu* {
        return fx.pButton->OpenPopupMenu(&fx.toolbar) ? fx.pButton->openPopup : nullptr;
    };
    // Press on the caption, then leave it with the button down: the loop
    // reads the messages queued for it.
    auto tear = [&](CZUDPPopupMenu* pPopup, std::initializer_list<std::pair<UINT, WPARAM>> queued) {
        const CRect rectCaption = pPopup->m_rectTearOffCaption;
        const CPoint ptOn = rectCaption.CenterPoint();
        pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptOn.x, ptOn.y));
        for (const auto& q : queued)
            fx.frame.PostMessage(q.first, q.second, 0);
        pPopup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptOn.x, rectCaption.bottom + 8));
    };

    CZUDPPopupMenu* pPopup = open();
    ASSERT_NE(nullptr, pPopup);
    HWND hWndPopup = pPopup->m_hWnd;
    ASSERT_FALSE(pPopup->m_rectTearOffCaption.IsRectEmpty());
    CPoint ptCaption = pPopup->m_rectTearOffCaption.CenterPoint();
    pPopup->ClientToScreen(&ptCaption);
    EXPECT_EQ(CZUDPPopupMenu::kTearOffCaption, pPopup->HitTestArea(ptCaption));

    // Press and release on the caption.
    const CPoint ptOn = pPopup->m_rectTearOffCaption.CenterPoint();
    pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptOn.x, ptOn.y));
    EXPECT_EQ(hWndPopup, ::GetCapture());
    pPopup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptOn.x, ptOn.y));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(0, fx.TornOffCount());
    EXPECT_TRUE(::IsWindow(hWndPopup));

    // Cancelled by Escape, then by the right button.
    for (UINT cancel : {UINT(WM_KEYDOWN), UINT(WM_RBUTTONDOWN)}) {
        tear(pPopup, {{WM_MOUSEMOVE, MK_LBUTTON}, {cancel, cancel == WM_KEYDOWN ? VK_ESCAPE : MK_RBUTTON}});
        EXPECT_EQ(0, fx.TornOffCount()) << cancel;
        ASSERT_TRUE(::IsWindow(hWndPopup)) << cancel;
        EXPECT_TRUE(pPopup->IsWindowVisible()) << "the menu shows again";
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    EXPECT_EQ(2, fx.frame.asked);

    // Refused by the frame: no bar, the menu stays.
    fx.frame.accept = FALSE;
    tear(pPopup, {});
    EXPECT_EQ(0, fx.TornOffCount());
    EXPECT_TRUE(::IsWindow(hWndPopup));
    fx.frame.accept = TRUE;

    // Placed: moved by the cursor, released.
    m_cursor = CPoint(400, 300);
    tear(pPopup, {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_LBUTTONUP, 0}});
    EXPECT_FALSE(::IsWindow(hWndPopup)) << "the menu closed";
    EXPECT_EQ(nullptr, fx.pButton->openPopup);
    ASSERT_EQ(1, fx.TornOffCount());
    auto* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, fx.Impl().FindTearOffBar(kTearOffId));
    ASSERT_NE(nullptr, pBar);
    CString strTitle;
    pBar->GetWindowText(strTitle);
    EXPECT_STREQ("Edit", strTitle);
    std::vector<UINT> commands;
    for (int i = 0; i < pBar->GetCount(); ++i)
        commands.push_back(pBar->GetButtonAt(i)->commandId);
    EXPECT_EQ((std::vector<UINT>{101, 102, 0, 103}), commands);
    CZUDPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, pMiniFrame);
    CRect rectMini;
    pMiniFrame->GetWindowRect(&rectMini);
    // The cursor was put 5 pixels below the middle of the frame's top
    // edge; the frame then followed the cursor keeping that grip.
    EXPECT_EQ(CPoint(400, 300) - CSize(rectMini.Width() / 2, 5), rectMini.TopLeft());
    EXPECT_NE(CPoint(-1, -1), ptGrip);

    // Torn off again: the same bar comes back, no new one.
    fx.frame.asked = 0;
    pPopup = open();
    ASSERT_NE(nullptr, pPopup);
    hWndPopup = pPopup->m_hWnd;
    m_cursor = CPoint(300, 200);
    tear(pPopup, {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_LBUTTONUP, 0}});
    EXPECT_FALSE(::IsWindow(hWndPopup));
    EXPECT_EQ(1, fx.TornOffCount());
    EXPECT_EQ(pBar, fx.Impl().FindTearOffBar(kTearOffId));
    EXPECT_EQ(0, fx.frame.asked) << "the frame is asked about new bars only";
}

// A checked row shows its mark in the image column (a check, or a dot for
// a radio item); an unchecked row leaves the column empty.  The menu's
// default row, measured with the bold font, is drawn with it too.
TEST_F(PopupMenusTest, CheckedRowsShowTheirMarkAndTheDefaultRowIsBold)
{
    HMENU hMenu = MakeMenu({{"Plain", 101}, {"Checked", 102, MF_CHECKED}, {"Radio", 103, MF_CHECKED},
                            {"Wwww", 104}, {"Wwww", 105}});
    ::SetMenuDefaultItem(hMenu, 104, FALSE);
    CZUDPPopupMenu* pPopup = Open(hMenu);
    ASSERT_NE(nullptr, pPopup);
    CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(5, pBar->GetCount());
    ASSERT_TRUE(pBar->GetButtonAt(1)->style & TBBS_CHECKED);
    static_cast<CZUDPToolbarMenuButton*>(pBar->GetButtonAt(2))->radioCheck = TRUE;
    CRect rectClient;
    pBar->GetClientRect(&rectClient);
    trovtest::DibCanvas canvas(rectClient.Width(), rectClient.Height());
    CDC dc;
    dc.Attach(canvas.Dc());
    pBar->PaintBar(&dc);
    dc.Detach();
    const int nColumnRight = CZUDPToolBar::GetMenuItemImageSize().cx +
                             2 * CZUDPVisualManager::GetActiveManager()->GetMenuImageMargin();
    auto ink = [&](int i, bool bImageColumn) {
        CRect rect = pBar->GetButtonAt(i)->Rect();
        if (bImageColumn)
            rect.right = rect.left + nColumnRight;
        else
            rect.left += nColumnRight;
        rect.DeflateRect(2, 2);
        const COLORREF background = canvas.Pixel(rect.left, rect.top);
        return canvas.CountOther(rect, background, 40);
    };
    EXPECT_EQ(0, ink(0, true));
    EXPECT_GT(ink(1, true), 4) << "a check mark";
    EXPECT_GT(ink(2, true), 4) << "a radio dot";
    EXPECT_GT(ink(3, false), ink(4, false)) << "the default row's text is bold";
}
