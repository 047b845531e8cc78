// The control bar: its geometry (borders and gripper, stretching within a
// row, the minimum size, the docking hit test), its pane menu, dragging by
// the mouse (immediate and outline), floating and docking, the base
// toolbar's docking behaviour, and the recent place in the registry.
#include "framework/win/Menu.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/commandbars/PaneTestSupport.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <vector>

using namespace panetest;

namespace {

CRect RectIn(const CWnd& wnd, const CWnd& parent)
{
    CRect rect = WindowRect(wnd);
    parent.ScreenToClient(&rect);
    return rect;
}

} // namespace

// What DeflateRectByBorders takes off a 100 x 30 rectangle: the borders,
// one pixel per border line of a docked bar, and the 7-pixel gripper of a
// docked bar (right of a right-to-left horizontal bar, above a vertical).
TEST(ControlBarGeometryTest, DeflateRectByBorders)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    struct Row {
        const char* name;
        DWORD style;
        BOOL horizontal;
        BOOL rightToLeft;
        CRect expected;
    } rows[] = {
        {"gripper, left border line", CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_BORDER_LEFT, TRUE, FALSE, CRect(14, 2, 94, 28)},
        {"floating: borders only", CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_BORDER_LEFT | CBRS_FLOATING, TRUE, FALSE,
         CRect(7, 2, 94, 28)},
        {"all border lines, no gripper", CBRS_ALIGN_TOP | CBRS_BORDER_ANY, TRUE, FALSE, CRect(7, 3, 93, 27)},
        {"right to left: gripper on the right", CBRS_ALIGN_TOP | CBRS_GRIPPER, TRUE, TRUE, CRect(6, 2, 87, 28)},
        {"vertical: borders turned, gripper on top", CBRS_ALIGN_LEFT | CBRS_GRIPPER, FALSE, FALSE, CRect(2, 13, 98, 24)},
    };
    for (const Row& row : rows) {
        CTestPane pane;
        ASSERT_TRUE(pane.CreateBar(row.rightToLeft ? WS_EX_LAYOUTRTL : 0, AfxRegisterWndClass(0), "", WS_CHILD,
                                   CRect(0, 0, 100, 30), &host, 1, 0));
        pane.ReplaceBarStyle(row.style);
        CRect rect(0, 0, 100, 30);
        pane.DeflateRectByBorders(rect, row.horizontal);
        EXPECT_EQ(row.expected, rect) << row.name;
        pane.DestroyWindow();
    }

    // A pane that floats alone in a floating frame has no border lines.
    // (The host is no dock site: the frame is made without an owner.)
    CZUDPMiniFrameWnd frame;
    ASSERT_TRUE(frame.CreateFrame(nullptr, WS_POPUP, CRect(0, 0, 200, 100), nullptr));
    CTestPane floating;
    ASSERT_TRUE(floating.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 100, 30), &frame, 1, 0));
    frame.AddHostedBar(&floating);
    floating.ReplaceBarStyle(CBRS_ALIGN_TOP | CBRS_BORDER_ANY);
    CRect rect(0, 0, 100, 30);
    floating.DeflateRectByBorders(rect, TRUE);
    EXPECT_EQ(CRect(6, 2, 94, 28), rect);
    frame.DestroyWindow();
    host.DestroyWindow();
}

// StretchBar grows a bar towards its full length and shrinks it towards
// its minimum, answering what it did.
TEST(ControlBarGeometryTest, StretchBarStaysBetweenMinimumAndFullLength)
{
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());
    struct Row {
        const char* name;
        int full;        // full length (the virtual rectangle)
        int current;     // window length
        int minimum;
        int delta;
        int answer;
        int length;      // afterwards
    } rows[] = {
        {"at full size, +20", 100, 100, 40, 20, 0, 100},
        {"shrunk by 30, +20", 100, 70, 40, 20, 20, 90},
        {"shrunk by 30, +50", 100, 70, 40, 50, 30, 100},
        {"100 long, minimum 40, -500", 100, 100, 40, -500, -60, 40},
        {"-10", 100, 100, 40, -10, -10, 90},
        {"below its minimum already, -5", 100, 30, 40, -5, 0, 30},
        {"0", 100, 100, 40, 0, 0, 100},
    };
    for (const Row& row : rows) {
        CTestPane pane;
        pane.m_sizeFull = CSize(row.full, 24);
        ASSERT_TRUE(dock.DockNewPane(pane, 10)) << row.name;
        pane.SetMinSize(CSize(row.minimum, 10));
        CRect rect = RectIn(pane, dock.Top());
        pane.MoveWindow(rect.left, rect.top, row.current, rect.Height());
        EXPECT_EQ(row.answer, pane.StretchBar(row.delta, nullptr)) << row.name;
        EXPECT_EQ(row.length, WindowRect(pane).Width()) << row.name;
        pane.DestroyWindow();
    }
}

TEST(ControlBarGeometryTest, AdjustRectToMinSizeKeepsTheEdgeThatStayed)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    struct Row {
        const char* name;
        CRect request;   // host client = screen coordinates here
        BOOL keep;
        CRect result;
        CSize change;
    } rows[] = {
        {"big enough", CRect(10, 10, 110, 60), FALSE, CRect(10, 10, 110, 60), CSize(0, 0)},
        {"too narrow, right edge moved", CRect(10, 10, 30, 60), FALSE, CRect(10, 10, 60, 60), CSize(-50, 0)},
        {"too narrow, left edge moved", CRect(90, 10, 110, 60), FALSE, CRect(60, 10, 110, 60), CSize(-50, 0)},
        {"too low, top moved", CRect(10, 50, 110, 60), FALSE, CRect(10, 30, 110, 60), CSize(0, -20)},
        {"kept as asked", CRect(10, 10, 30, 20), TRUE, CRect(10, 10, 30, 20), CSize(-80, -40)},
    };
    for (const Row& row : rows) {
        CTestPane pane;
        ASSERT_TRUE(pane.CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(10, 10, 110, 60), &host, 1, 0));
        pane.SetMinSize(CSize(50, 30));
        CRect request = row.request;
        host.ClientToScreen(&request);
        CSize change;
        pane.AdjustRectToMinSize(change, request, row.keep);
        EXPECT_EQ(row.result, RectIn(pane, host)) << row.name;
        EXPECT_EQ(row.change, change) << row.name;
        pane.DestroyWindow();
    }
    host.DestroyWindow();
}

// HitTestDockSite: a docked bar leaves its dock bar once its virtual
// rectangle sticks out past an end by more than twice the sensitivity with
// the cursor outside the dock bar (or is off it); a floating bar docks once
// the cursor is within the sensitivity scaled by the share of the bar
// beyond the cursor.
TEST(ControlBarGeometryTest, HitTestDockSite)
{
    DockingStateGuard guard;
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());
    FakeCursor cursor;
    CTestPane pane;
    ASSERT_TRUE(dock.DockNewPane(pane, 1));
    const CRect rectDock = WindowRect(dock.Top());
    const int s = 10;
    struct Row {
        const char* name;
        int virtualLeft;   // relative to the dock bar's left edge
        CPoint cursor;     // relative to the dock bar's top-left corner
        BOOL leaves;
    } docked[] = {
        {"inside", 0, CPoint(5, 5), FALSE},
        {"out by 2s", -2 * s, CPoint(-5, 5), FALSE},
        {"out by 2s + 1, cursor outside", -2 * s - 1, CPoint(-5, 5), TRUE},
        {"out by 2s + 1, cursor inside", -2 * s - 1, CPoint(5, 5), FALSE},
        {"out past the right end", rectDock.Width() - 120 + 2 * s + 1, CPoint(rectDock.Width() + 3, 5), TRUE},
    };
    for (const Row& row : docked) {
        pane.UpdateVirtualRect();
        pane.OffsetVirtualRect(row.virtualLeft - pane.GetVirtualRect().left, 0);
        cursor.MoveTo(rectDock.TopLeft() + row.cursor);
        CZUDPDockBar* pDockBar = nullptr;
        EXPECT_EQ(row.leaves, pane.HitTestDockSite(s, pDockBar)) << row.name;
    }
    pane.UpdateVirtualRect();
    pane.OffsetVirtualRect(0, 200);
    cursor.MoveTo(rectDock.TopLeft() + CPoint(5, 5));
    CZUDPDockBar* pDockBar = nullptr;
    EXPECT_TRUE(pane.HitTestDockSite(s, pDockBar)) << "the virtual rectangle is off the dock bar";

    // Floating left of the right dock bar with three quarters of the bar
    // right of the cursor: the reach is three quarters of the sensitivity.
    ASSERT_TRUE(pane.FloatBar(CRect(300, 300, 420, 330), ZUDP_DM_MENU, TRUE));
    CZUDPMiniFrameWnd* pFrame = pane.GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    const CSize barInFrame = WindowRect(pane).TopLeft() - WindowRect(*pFrame).TopLeft();
    ASSERT_EQ(120, WindowRect(pane).Width());
    const CRect rectRight = WindowRect(dock.Right());
    const int sensitivity = 40;   // reaches 30 pixels
    struct Reach {
        int distance;
        BOOL docks;
    } reaches[] = {{29, TRUE}, {30, TRUE}, {31, FALSE}};
    for (const Reach& reach : reaches) {
        const CPoint pt(rectRight.left - reach.distance, rectRight.top + 50);
        pFrame->SetWindowPos(nullptr, pt.x - 30 - barInFrame.cx, pt.y - 10 - barInFrame.cy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(pt.x - 30, WindowRect(pane).left);
        cursor.MoveTo(pt);
        pDockBar = nullptr;
        EXPECT_EQ(reach.docks, pane.HitTestDockSite(sensitivity, pDockBar)) << "distance " << reach.distance;
        EXPECT_EQ(&dock.Right(), pDockBar);
    }
}

// A bar without width or height answers FALSE instead of dividing by zero.
TEST(ControlBarGeometryTest, HitTestDockSiteOfAnEmptyFloatingBar)
{
    DockingStateGuard guard;
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());
    FakeCursor cursor;
    CTestPane pane;
    ASSERT_TRUE(dock.DockNewPane(pane, 1));
    ASSERT_TRUE(pane.FloatBar(CRect(300, 300, 420, 330), ZUDP_DM_MENU, TRUE));
    pane.MoveWindow(0, 0, 0, 20);
    const CRect rectTop = WindowRect(dock.Top());
    cursor.MoveTo(CPoint(rectTop.left + 50, rectTop.bottom + 3));
    CZUDPDockBar* pDockBar = nullptr;
    EXPECT_FALSE(pane.HitTestDockSite(100, pDockBar));
}

// ---------------------------------------------------------------------------
// The pane menu

namespace {

// A frame that records the bars-menu request.
class CRecordingFrame : public CZUDPFrameWnd {
public:
    int m_nBarsMenuRequests = 0;
    HWND m_hWndRequester = nullptr;
    CPoint m_ptRequest;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDTOOLBAR_POPUPMENU) {
            ++m_nBarsMenuRequests;
            m_hWndRequester = (HWND)wParam;
            m_ptRequest = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 1;
        }
        return CZUDPFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// The pane menu as the user saw it: each item's text and state.
struct MenuSeen {
    bool shown = false;
    std::vector<UINT> ids;
    std::vector<CString> texts;
    std::vector<UINT> states;

    UINT State(UINT nID) const
    {
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == nID)
                return states[i];
        return 0xFFFFFFFF;
    }
};

// Answers the menu with a chosen command and records what it showed.
class MenuChooser {
public:
    explicit MenuChooser(UINT nChoice = 0)
        : m_nChoice(nChoice), m_scope(g_frameworkSeams.trackPopupMenu, [this](HMENU hMenu, UINT, int, int, HWND, const RECT*) {
              m_seen.shown = true;
              const int nItems = ::GetMenuItemCount(hMenu);
              for (int i = 0; i < nItems; ++i) {
                  char text[64] = {};
                  ::GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
                  m_seen.ids.push_back(::GetMenuItemID(hMenu, i));
                  m_seen.texts.push_back(text);
                  m_seen.states.push_back(::GetMenuState(hMenu, i, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED));
              }
              return BOOL(m_nChoice);
          })
    {
    }
    const MenuSeen& Seen() const { return m_seen; }

private:
    UINT m_nChoice;
    MenuSeen m_seen;
    ScopedSeam<BOOL(HMENU, UINT, int, int, HWND, const RECT*)> m_scope;
};

} // namespace

TEST(PaneMenuTest, ItemsAndTheirStates)
{
    DockingStateGuard guard;
    CZUDPContextMenuManager menuManager;
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());
    CTestPane pane;
    ASSERT_TRUE(dock.DockNewPane(pane, 1));
    const UINT G = MF_GRAYED, C = MF_CHECKED;
    struct Row {
        const char* name;
        DWORD controlBarStyle;
        bool floating;
        UINT floatingState, dockingState, tabbedState, autoHideState, hideState;
    } rows[] = {
        {"docked, may float and close", ZUDP_CBRS_FLOAT | ZUDP_CBRS_CLOSE, false, 0, C, G, G, 0},
        {"docked, may auto-hide, not close", ZUDP_CBRS_FLOAT | ZUDP_CBRS_AUTOHIDE, false, 0, C, G, 0, G},
        {"docked, cannot float", ZUDP_CBRS_CLOSE, false, G, C, G, G, 0},
        {"floating: no auto-hide in a floating frame", ZUDP_CBRS_FLOAT | ZUDP_CBRS_AUTOHIDE, true, C, 0, G, G, G},
    };
    for (const Row& row : rows) {
        pane.SetControlBarStyle(row.controlBarStyle);
        if (row.floating) {
            ASSERT_TRUE(pane.FloatBar(CRect(300, 300, 420, 330), ZUDP_DM_MENU, TRUE)) << row.name;
        }
        MenuChooser chooser;
        EXPECT_TRUE(pane.ShowDockingMenu(CPoint(150, 150))) << row.name;
        const MenuSeen& seen = chooser.Seen();
        ASSERT_EQ(5u, seen.ids.size()) << row.name;
        EXPECT_EQ(ZUDP_IDM_FLOATING, seen.ids[0]);
        EXPECT_EQ(CString("&Floating"), seen.texts[0]);
        EXPECT_EQ(CString("&Docking"), seen.texts[1]);
        EXPECT_EQ(CString("&Tabbed Document"), seen.texts[2]);
        EXPECT_EQ(CString("&Auto Hide"), seen.texts[3]);
        EXPECT_EQ(CString("&Hide"), seen.texts[4]);
        EXPECT_EQ(row.floatingState, seen.State(ZUDP_IDM_FLOATING)) << row.name;
        EXPECT_EQ(row.dockingState, seen.State(ZUDP_IDM_DOCKING)) << row.name;
        EXPECT_EQ(row.tabbedState, seen.State(ZUDP_IDM_TABBED_DOCUMENT)) << row.name;
        EXPECT_EQ(row.autoHideState, seen.State(ZUDP_IDM_AUTOHIDE)) << row.name;
        EXPECT_EQ(row.hideState, seen.State(ZUDP_IDM_HIDE)) << row.name;
    }

    // A pane that may float but dock nowhere has "&Docking" greyed.
    pane.SetDockableSides(0);
    pane.SetControlBarStyle(ZUDP_CBRS_FLOAT);
    MenuChooser chooser;
    EXPECT_TRUE(pane.ShowDockingMenu(CPoint(150, 150)));
    EXPECT_EQ(UINT(MF_CHECKED), chooser.Seen().State(ZUDP_IDM_FLOATING));
    EXPECT_EQ(UINT(MF_GRAYED), chooser.Seen().State(ZUDP_IDM_DOCKING));
}

// Without dockable sides and without floating there is no pane menu: a
// right click asks the frame for its bars menu (ZUDTOOLBAR_POPUPMENU).
// Toolbars never show the pane menu.
TEST(PaneMenuTest, NoPaneMenuFallsThroughToTheFramesBarsMenu)
{
    DockingStateGuard guard;
    CZUDPContextMenuManager menuManager;
    CRecordingFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    CTestPane pane;
    ASSERT_TRUE(CreatePane(pane, &frame, 1, "Pane", WS_CHILD | WS_VISIBLE | CBRS_TOP, ZUDP_CBRS_CLOSE));
    pane.SetDockableSides(0);
    CTestToolBar toolbar;
    ASSERT_TRUE(CreatePane(toolbar, &frame, 2, "Toolbar"));

    for (CZUDPControlBar* pBar : {static_cast<CZUDPControlBar*>(&pane), static_cast<CZUDPControlBar*>(&toolbar)}) {
        MenuChooser chooser;
        frame.m_nBarsMenuRequests = 0;
        pBar->SendMessage(WM_CONTEXTMENU, (WPARAM)pBar->m_hWnd, MAKELPARAM(-30, 40));
        EXPECT_FALSE(chooser.Seen().shown);
        EXPECT_EQ(1, frame.m_nBarsMenuRequests);
        EXPECT_EQ(pBar->m_hWnd, frame.m_hWndRequester);
        EXPECT_EQ(CPoint(-30, 40), frame.m_ptRequest) << "points left of the primary monitor keep their sign";
    }

    // During a customization nothing at all.
    g_customizeMode = TRUE;
    frame.m_nBarsMenuRequests = 0;
    pane.SendMessage(WM_CONTEXTMENU, (WPARAM)pane.m_hWnd, MAKELPARAM(10, 10));
    g_customizeMode = FALSE;
    EXPECT_EQ(0, frame.m_nBarsMenuRequests);
    frame.DestroyWindow();
}

TEST(PaneMenuTest, CommandsFloatDockAndHide)
{
    DockingStateGuard guard;
    CZUDPContextMenuManager menuManager;
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());
    CTestPane pane;
    ASSERT_TRUE(dock.DockNewPane(pane, 1));
    pane.GetRecentDockInfo().m_rectRecentFloatingRect = CRect(320, 260, 440, 300);
    {
        MenuChooser chooser(ZUDP_IDM_FLOATING);
        pane.ShowDockingMenu(CPoint(10, 10));
    }
    CZUDPMiniFrameWnd* pFrame = pane.GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(pane.IsFloating());
    EXPECT_EQ(CPoint(320, 260), WindowRect(*pFrame).TopLeft()) << "at the recent floating rectangle";
    const HWND hWndFrame = pFrame->m_hWnd;
    {
        MenuChooser chooser(ZUDP_IDM_HIDE);
        pane.ShowDockingMenu(CPoint(10, 10));
    }
    EXPECT_FALSE(pFrame->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pane.GetStyle() & WS_VISIBLE);
    pane.ShowBar(TRUE, FALSE, FALSE);
    {
        MenuChooser chooser(ZUDP_IDM_DOCKING);
        pane.ShowDockingMenu(CPoint(10, 10));
    }
    EXPECT_EQ(&dock.Top(), pane.GetParentDockBar()) << "back at its recent dock bar";
    EXPECT_FALSE(pane.IsFloating());
    trovtest::PumpUntil([&] { return !::IsWindow(hWndFrame); }, 2000);
    EXPECT_FALSE(::IsWindow(hWndFrame)) << "the emptied floating frame closes itself";
}

// ---------------------------------------------------------------------------
// Dragging

namespace {

class DragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dock.IsCreated());
        ASSERT_TRUE(m_dock.DockNewPane(m_first, 1, "First"));
        ASSERT_TRUE(m_dock.DockNewPane(m_second, 2, "Second"));
    }

    DockingStateGuard m_guard;
    DockingFrame m_dock;
    FakeCursor m_cursor;
    CTestToolBar m_first, m_second;
};

} // namespace

// Immediate mode: the bar moves with the mouse along its row, and its
// virtual rectangle with it; Escape ends the drag where the bar is.
TEST_F(DragTest, ImmediateDragMovesTheBarAlongItsRowAndEscapeEndsIt)
{
    const CRect rectStart = RectIn(m_first, m_dock.Top());
    const CPoint ptGrab = WindowRect(m_first).TopLeft() + CPoint(20, 10);
    SendMouse(m_first, WM_LBUTTONDOWN, ptGrab, m_cursor);
    EXPECT_TRUE(m_first.IsDragging());
    EXPECT_EQ(m_first.m_hWnd, ::GetCapture());

    SendMouse(m_first, WM_MOUSEMOVE, ptGrab + CPoint(30, 2), m_cursor);
    EXPECT_EQ(rectStart + CPoint(30, 0), RectIn(m_first, m_dock.Top())) << "along the row only";
    EXPECT_EQ(rectStart.left + 30, m_first.GetVirtualRect().left);

    m_first.SendMessage(WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(m_first.IsDragging());
    EXPECT_NE(m_first.m_hWnd, ::GetCapture());
    SendMouse(m_first, WM_MOUSEMOVE, ptGrab + CPoint(60, 2), m_cursor, 0);
    EXPECT_EQ(rectStart + CPoint(30, 0), RectIn(m_first, m_dock.Top())) << "the drag is over";
    EXPECT_EQ(&m_dock.Top(), m_first.GetParentDockBar());
}

// Toolbars drag in immediate mode whatever the library-wide mode is.
TEST_F(DragTest, AToolbarMovesItselfInOutlineMode)
{
    CZUDPDockManager::SetGlobalDockMode(ZUDP_DOCK_OUTLINE);
    EXPECT_EQ(DWORD(ZUDP_DOCK_IMMEDIATE), m_first.GetDockingMode());
    const CRect rectStart = RectIn(m_first, m_dock.Top());
    const CPoint ptGrab = WindowRect(m_first).TopLeft() + CPoint(20, 10);
    SendMouse(m_first, WM_LBUTTONDOWN, ptGrab, m_cursor);
    SendMouse(m_first, WM_MOUSEMOVE, ptGrab + CPoint(25, 0), m_cursor);
    SendMouse(m_first, WM_LBUTTONUP, ptGrab + CPoint(25, 0), m_cursor, 0);
    EXPECT_EQ(rectStart + CPoint(25, 0), RectIn(m_first, m_dock.Top()));
    EXPECT_FALSE(m_first.IsDragging());
}

// Dragged out of its dock bar the bar floats, and its floating frame keeps
// the point the bar was taken by under the cursor and goes on with the drag.
TEST_F(DragTest, ADragOutOfTheDockBarFloatsWithTheGrabPointUnderTheCursor)
{
    const CPoint ptGrab = WindowRect(m_second).TopLeft() + CPoint(17, 9);
    SendMouse(m_second, WM_LBUTTONDOWN, ptGrab, m_cursor);
    const CPoint ptOut = ptGrab + CPoint(40, 150);
    SendMouse(m_second, WM_MOUSEMOVE, ptOut, m_cursor);
    CZUDPMiniFrameWnd* pFrame = m_second.GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_TRUE(m_second.IsFloating());
    EXPECT_FALSE(m_second.IsDragging()) << "the frame carries on";
    EXPECT_TRUE(pFrame->IsMovingWithMouse());
    EXPECT_EQ(pFrame->m_hWnd, ::GetCapture());
    EXPECT_EQ(ptOut, WindowRect(m_second).TopLeft() + CPoint(17, 9)) << "the grab point stays under the cursor";
    EXPECT_TRUE(m_second.GetBarStyle() & CBRS_FLOATING);
    EXPECT_EQ(DWORD(CBRS_ALIGN_TOP), m_second.GetDockedSide());
    EXPECT_EQ(nullptr, m_second.GetParentDockBar());
    HWND hWndListed = nullptr;
    EXPECT_TRUE(g_floatingBarMap.Lookup(2, hWndListed));
    EXPECT_EQ(m_second.m_hWnd, hWndListed);
    EXPECT_EQ(&m_dock.Top(), m_second.GetRecentDockInfo().m_pRecentDockBar) << "the place it left";

    // The frame follows the mouse until the button goes up.
    const CRect rectFrame = WindowRect(*pFrame);
    SendMouse(*pFrame, WM_MOUSEMOVE, ptOut + CPoint(11, 7), m_cursor);
    EXPECT_EQ(rectFrame + CPoint(11, 7), WindowRect(*pFrame));
    SendMouse(*pFrame, WM_LBUTTONUP, ptOut + CPoint(11, 7), m_cursor, 0);
    EXPECT_FALSE(pFrame->IsMovingWithMouse());
    SendMouse(*pFrame, WM_MOUSEMOVE, ptOut + CPoint(50, 50), m_cursor, 0);
    EXPECT_EQ(rectFrame + CPoint(11, 7), WindowRect(*pFrame));

    // A press on the floating bar moves its frame and refreshes where it
    // floats, but keeps the place it was docked at.
    SendMouse(m_second, WM_LBUTTONDOWN, WindowRect(m_second).TopLeft() + CPoint(3, 3), m_cursor);
    EXPECT_TRUE(pFrame->IsMovingWithMouse());
    EXPECT_EQ(WindowRect(*pFrame), m_second.GetRecentDockInfo().m_rectRecentFloatingRect);
    EXPECT_EQ(&m_dock.Top(), m_second.GetRecentDockInfo().m_pRecentDockBar);
    SendMouse(*pFrame, WM_LBUTTONUP, m_cursor.Pos(), m_cursor, 0);
}

// A bar whose window goes leaves its dock bar, its row and the dock
// manager's list; a bar sent back to a dock bar that is gone docks at the
// frame's default place.
TEST_F(DragTest, NothingKeepsPointersToBarsOrDockBarsThatAreGone)
{
    CTestToolBar third;
    ASSERT_TRUE(m_dock.DockNewPane(third, 3, "Third"));
    m_dock.Frame().RegisterBar(&third);
    ASSERT_EQ(3, m_dock.Top().GetControlBars().GetCount());
    third.DestroyWindow();
    EXPECT_EQ(2, m_dock.Top().GetControlBars().GetCount());
    EXPECT_EQ(2, m_dock.Top().GetRowCount());
    EXPECT_EQ(nullptr, m_dock.Manager().GetBarList().Find(&third));

    // A second top dock bar that the bar leaves and that then goes.
    CZUDPDockBar* pExtra = new CZUDPDockBar;
    ASSERT_TRUE(pExtra->Create(CBRS_ALIGN_TOP, CRect(), &m_dock.Frame(), 0));
    m_dock.Frame().InsertBarBeside(pExtra, &m_dock.Top(), FALSE);
    ASSERT_TRUE(m_first.HandleMouseDrag(pExtra, nullptr, ZUDP_DM_RECT));
    ASSERT_EQ(pExtra, m_first.GetParentDockBar());
    ASSERT_TRUE(m_first.FloatBar(CRect(300, 300, 420, 340), ZUDP_DM_MENU, TRUE));
    ASSERT_EQ(pExtra, m_first.GetRecentDockInfo().m_pRecentDockBar);
    pExtra->DestroyWindow();   // the dock bar deletes itself
    ASSERT_TRUE(m_first.HandleMouseDrag(nullptr, nullptr, ZUDP_DM_DBLCLICK));
    EXPECT_EQ(&m_dock.Top(), m_first.GetParentDockBar()) << "the frame's default place";
}

// A double click floats a docked bar at its recent floating rectangle (on
// the work area); one that cannot float stays.
TEST_F(DragTest, DoubleClickFloatsAtTheRecentFloatingRectangle)
{
    ScopedSeam<BOOL(POINT, RECT*)> workArea(g_foundationSeams.monitorWorkArea, [](POINT, RECT* pRect) {
        *pRect = CRect(0, 0, 1000, 700);
        return TRUE;
    });
    m_first.GetRecentDockInfo().m_rectRecentFloatingRect = CRect(500, 400, 620, 450);
    const CPoint pt = WindowRect(m_first).TopLeft() + CPoint(5, 5);
    SendMouse(m_first, WM_LBUTTONDBLCLK, pt, m_cursor);
    CZUDPMiniFrameWnd* pFrame = m_first.GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(CPoint(500, 400), WindowRect(*pFrame).TopLeft());
    EXPECT_TRUE(pFrame->GetStyle() & WS_VISIBLE);

    // Far off the work area it comes back until 16 pixels of it show.
    m_second.GetRecentDockInfo().m_rectRecentFloatingRect = CRect(5000, 400, 5120, 450);
    SendMouse(m_second, WM_LBUTTONDBLCLK, WindowRect(m_second).TopLeft() + CPoint(5, 5), m_cursor);
    ASSERT_NE(nullptr, m_second.GetParentMiniFrame());
    EXPECT_EQ(1000 - 16, WindowRect(*m_second.GetParentMiniFrame()).left);

    CTestToolBar fixed;
    ASSERT_TRUE(m_dock.DockNewPane(fixed, 3, "Fixed"));
    fixed.SetControlBarStyle(0);
    SendMouse(fixed, WM_LBUTTONDBLCLK, WindowRect(fixed).TopLeft() + CPoint(5, 5), m_cursor);
    EXPECT_EQ(&m_dock.Top(), fixed.GetParentDockBar());
    EXPECT_FALSE(fixed.IsDragging());
}

// Outline mode: an outline follows the mouse; released, a docking pane
// (whose target is not itself) floats at the outline; a plain control bar
// (its own target) stays.  Escape removes the outline and moves nothing.
TEST_F(DragTest, OutlineDragFloatsAtTheOutline)
{
    CZUDPDockManager::SetGlobalDockMode(ZUDP_DOCK_OUTLINE);
    std::vector<CRect> shown;
    int nErased = 0;
    ScopedSeam<void(const RECT*, int, const RECT*, int)> outline(
        g_commandBarsSeams.drawDragOutline, [&](const RECT* pNew, int, const RECT* pOld, int) {
            if (pNew != nullptr)
                shown.push_back(*pNew);
            nErased += pOld != nullptr;
        });

    class COutlinePane : public CTestPane {
    public:
        CZUDPBaseControlBar* FindDockTarget(BOOL& bHandled) override
        {
            bHandled = FALSE;
            return nullptr;   // over nothing a pane could dock at
        }
    } pane;
    ASSERT_TRUE(m_dock.DockNewPane(pane, 3, "Outline"));
    pane.GetRecentDockInfo().m_rectRecentFloatingRect = CRect(0, 0, 150, 60);
    const CRect rectStart = RectIn(pane, m_dock.Top());
    const CPoint ptGrab = WindowRect(pane).TopLeft() + CPoint(8, 8);
    SendMouse(pane, WM_LBUTTONDOWN, ptGrab, m_cursor);
    ASSERT_TRUE(pane.IsDragging());
    SendMouse(pane, WM_MOUSEMOVE, ptGrab + CPoint(1, 1), m_cursor);
    EXPECT_TRUE(shown.empty()) << "within the drag threshold";
    SendMouse(pane, WM_MOUSEMOVE, ptGrab + CPoint(60, 120), m_cursor);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(CSize(150, 60), shown.back().Size()) << "the floating size";
    EXPECT_TRUE(shown.back().PtInRect(ptGrab + CPoint(60, 120)));
    EXPECT_EQ(rectStart, RectIn(pane, m_dock.Top())) << "the bar itself stays";
    SendMouse(pane, WM_MOUSEMOVE, ptGrab + CPoint(70, 130), m_cursor);
    ASSERT_EQ(2u, shown.size());
    const CRect rectOutline = shown.back();
    SendMouse(pane, WM_LBUTTONUP, ptGrab + CPoint(70, 130), m_cursor, 0);
    EXPECT_EQ(2, nErased) << "moved once, removed once";
    ASSERT_NE(nullptr, pane.GetParentMiniFrame());
    EXPECT_EQ(rectOutline.TopLeft(), WindowRect(*pane.GetParentMiniFrame()).TopLeft());

    // A plain control bar is its own target: it stays docked.
    CTestPane plain;
    ASSERT_TRUE(m_dock.DockNewPane(plain, 4, "Plain"));
    const CPoint ptPlain = WindowRect(plain).TopLeft() + CPoint(8, 8);
    SendMouse(plain, WM_LBUTTONDOWN, ptPlain, m_cursor);
    SendMouse(plain, WM_MOUSEMOVE, ptPlain + CPoint(60, 120), m_cursor);
    SendMouse(plain, WM_LBUTTONUP, ptPlain + CPoint(60, 120), m_cursor, 0);
    EXPECT_EQ(&m_dock.Top(), plain.GetParentDockBar());

    // Escape: the outline goes, nothing moves.
    const int nShown = int(shown.size());
    nErased = 0;
    SendMouse(plain, WM_LBUTTONDOWN, ptPlain, m_cursor);
    SendMouse(plain, WM_MOUSEMOVE, ptPlain + CPoint(60, 120), m_cursor);
    EXPECT_EQ(nShown + 1, int(shown.size()));
    plain.SendMessage(WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(1, nErased);
    EXPECT_FALSE(plain.IsDragging());
    EXPECT_EQ(&m_dock.Top(), plain.GetParentDockBar());
}

// A floating toolbar dragged by its frame docks again when the frame's
// bar reaches a dock bar, and the drag goes on inside the dock bar.
TEST_F(DragTest, AFloatingBarDocksWhenItsFrameIsDraggedOntoADockBar)
{
    ASSERT_TRUE(m_second.FloatBar(CRect(300, 350, 420, 390), ZUDP_DM_MENU, TRUE));
    CZUDPMiniFrameWnd* pFrame = m_second.GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    const HWND hWndFrame = pFrame->m_hWnd;
    const CRect rectTop = WindowRect(m_dock.Top());
    m_cursor.MoveTo(CPoint(rectTop.left + 200, rectTop.top + 5));
    CZUDPDockBar* pDockBar = nullptr;
    ASSERT_TRUE(m_second.HitTestDockSite(15, pDockBar));
    ASSERT_EQ(&m_dock.Top(), pDockBar);
    pFrame->BeginMove();
    ASSERT_TRUE(m_second.HandleMouseDrag(pDockBar, nullptr, ZUDP_DM_MOUSE));
    EXPECT_EQ(&m_dock.Top(), m_second.GetParentDockBar());
    EXPECT_FALSE(m_second.GetBarStyle() & CBRS_FLOATING);
    EXPECT_TRUE(m_second.IsDragging()) << "the same drag goes on in the dock bar";
    EXPECT_EQ(m_second.m_hWnd, ::GetCapture());
    EXPECT_TRUE(::IsWindow(hWndFrame)) << "kept while the drag lasts";
    SendMouse(m_second, WM_LBUTTONUP, m_cursor.Pos(), m_cursor, 0);
    EXPECT_FALSE(::IsWindow(hWndFrame)) << "gone with the drag";
    HWND hWndListed = nullptr;
    EXPECT_FALSE(g_floatingBarMap.Lookup(2, hWndListed));
}

// The base toolbar's length never goes below 40 pixels.
TEST(BaseToolBarTest, MinimumSizeAndStretch)
{
    DockingFrame dock;
    ASSERT_TRUE(dock.IsCreated());
    CTestToolBar toolbar;
    ASSERT_TRUE(dock.DockNewPane(toolbar, 1));
    CSize size;
    toolbar.GetMinSize(size);
    EXPECT_EQ(CSize(40, 16), size);
    EXPECT_EQ(-80, toolbar.StretchBar(-500, nullptr));
    EXPECT_EQ(40, WindowRect(toolbar).Width());
    toolbar.ReplaceBarStyle(CBRS_ALIGN_LEFT);
    toolbar.GetMinSize(size);
    EXPECT_EQ(CSize(16, 40), size);
    EXPECT_FALSE(toolbar.ShowDockingMenu(CPoint(0, 0)));
}

// ---------------------------------------------------------------------------
// The recent place in the registry

namespace {

class BarRegistryTest : public trovtest::RegistryTestKey {
protected:
    void SetUp() override
    {
        RegistryTestKey::SetUp();
        ASSERT_TRUE(m_dock.IsCreated());
        m_profile = Path() + "\\";
    }
    static std::vector<BYTE> Bytes(std::initializer_list<int> ints)
    {
        std::vector<BYTE> bytes;
        for (int v : ints)
            for (int i = 0; i < 4; ++i)
                bytes.push_back(BYTE(DWORD(v) >> (8 * i)));
        return bytes;
    }

    DockingStateGuard m_guard;
    DockingFrame m_dock;
    CString m_profile;
};

} // namespace

// The eight values of a bar docked in the second row of the bottom dock
// bar, byte for byte, and the base pane's visibility beside them.
TEST_F(BarRegistryTest, SaveWritesTheEightValues)
{
    CTestToolBar first, second;
    ASSERT_TRUE(CreatePane(first, &m_dock.Frame(), 0x31));
    ASSERT_TRUE(CreatePane(second, &m_dock.Frame(), 0x32));
    m_dock.Frame().DockBarAtSite(&first, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    m_dock.Frame().DockBarAtSite(&second, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    ASSERT_EQ(&m_dock.Bottom(), second.GetParentDockBar());
    ASSERT_EQ(2, m_dock.Bottom().GetRowCount());
    second.GetRecentDockInfo().m_rectRecentFloatingRect = CRect(10, 20, 130, 60);
    second.SetMRUWidth(77);

    ASSERT_TRUE(second.SaveBarState(m_profile, 3, 0x1A));
    const char* key = "ZUDPControlBar-31a";
    const CRect rectDocked = RectIn(second, m_dock.Bottom());
    DWORD type = 0;
    EXPECT_EQ(Bytes({0x32}), ReadRaw(key, "ID", &type));
    EXPECT_EQ(DWORD(REG_DWORD), type);
    EXPECT_EQ(Bytes({10, 20, 130, 60}), ReadRaw(key, "RectRecentFloat", &type));
    EXPECT_EQ(DWORD(REG_BINARY), type);
    EXPECT_EQ(Bytes({rectDocked.left, rectDocked.top, rectDocked.right, rectDocked.bottom}),
              ReadRaw(key, "RectRecentDocked"));
    EXPECT_EQ(Bytes({CBRS_ALIGN_BOTTOM}), ReadRaw(key, "RecentFrameAlignment"));
    EXPECT_EQ(Bytes({1}), ReadRaw(key, "RecentRowIndex"));
    EXPECT_EQ(Bytes({0}), ReadRaw(key, "IsFloating"));
    EXPECT_EQ(Bytes({77}), ReadRaw(key, "MRUWidth"));
    EXPECT_EQ(Bytes({0}), ReadRaw(key, "PinState"));
    EXPECT_EQ(Bytes({1}), ReadRaw("ZUDPBaseControlBar-31a", "IsVisible"));

    // Floating: the frame's rectangle and the floating flag.
    ASSERT_TRUE(first.FloatBar(CRect(200, 200, 320, 240), ZUDP_DM_MENU, TRUE));
    ASSERT_TRUE(first.SaveBarState(m_profile, -1, (UINT)-1));
    const CRect rectFrame = WindowRect(*first.GetParentMiniFrame());
    EXPECT_EQ(Bytes({rectFrame.left, rectFrame.top, rectFrame.right, rectFrame.bottom}),
              ReadRaw("ZUDPControlBar-49", "RectRecentFloat"));
    EXPECT_EQ(Bytes({1}), ReadRaw("ZUDPControlBar-49", "IsFloating"));

    EXPECT_FALSE(second.SaveBarState(m_profile + CString('k', 300) + "\\", 1, (UINT)-1));
}

// Loading takes back sound values and ignores the others; the bar's id
// never changes; a missing key changes nothing.
TEST_F(BarRegistryTest, LoadTakesSoundValuesOnly)
{
    CTestToolBar bar;
    ASSERT_TRUE(CreatePane(bar, &m_dock.Frame(), 0x31));
    const CZUDPRecentDockInfo& recent = bar.GetRecentDockInfo();
    const CRect rectFloat = recent.m_rectRecentFloatingRect;
    EXPECT_FALSE(bar.LoadBarState(m_profile, 9, (UINT)-1));
    EXPECT_EQ(rectFloat, recent.m_rectRecentFloatingRect);

    const char* key = "ZUDPControlBar-9";
    WriteRaw(key, "ID", REG_DWORD, Bytes({0x99}));
    WriteRaw(key, "RectRecentFloat", REG_BINARY, Bytes({40, 50, 160, 90}));
    WriteRaw(key, "RectRecentDocked", REG_BINARY, Bytes({3, 0, 123, 24}));
    WriteRaw(key, "RecentFrameAlignment", REG_DWORD, Bytes({CBRS_ALIGN_RIGHT}));
    WriteRaw(key, "RecentRowIndex", REG_DWORD, Bytes({2}));
    WriteRaw(key, "IsFloating", REG_DWORD, Bytes({1}));
    WriteRaw(key, "MRUWidth", REG_DWORD, Bytes({90}));
    WriteRaw(key, "PinState", REG_DWORD, Bytes({1}));
    WriteRaw("ZUDPBaseControlBar-9", "IsVisible", REG_DWORD, Bytes({1}));
    ASSERT_TRUE(bar.LoadBarState(m_profile, 9, (UINT)-1));
    EXPECT_EQ(0x31u, bar.GetControlId());
    EXPECT_EQ(0x31, bar.GetDlgCtrlID());
    EXPECT_EQ(CRect(40, 50, 160, 90), recent.m_rectRecentFloatingRect);
    EXPECT_EQ(CRect(3, 0, 123, 24), bar.GetRecentDockedRect());
    EXPECT_EQ(CRect(3, 0, 123, 24), recent.m_recentDockedInfo.m_rectDockedRect);
    EXPECT_EQ(DWORD(CBRS_ALIGN_RIGHT), recent.m_dwRecentAlignment);
    EXPECT_EQ(2, recent.m_nRecentRowIndex);
    EXPECT_TRUE(bar.WasFloatingWhenSaved());
    EXPECT_EQ(90, bar.GetMRUWidth());
    EXPECT_EQ(1, bar.GetPinState());

    struct Bad {
        const char* value;
        std::vector<BYTE> bytes;
    } bads[] = {
        {"RectRecentFloat", Bytes({100, 50, 40, 90})},            // inverted
        {"RectRecentFloat", Bytes({40, 50, 40, 90})},             // empty
        {"RectRecentFloat", Bytes({90000, 90000, 90100, 90100})}, // off every screen
        {"RectRecentFloat", {1, 2, 3}},                           // short
        {"RectRecentDocked", Bytes({10, 10, 5, 20})},             // inverted
        {"RecentFrameAlignment", Bytes({CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT})},
        {"RecentFrameAlignment", Bytes({0})},
        {"RecentRowIndex", Bytes({-1})},
        {"RecentRowIndex", Bytes({100000})},
    };
    for (const Bad& bad : bads) {
        WriteRaw(key, bad.value, REG_BINARY, bad.bytes);
        ASSERT_TRUE(bar.LoadBarState(m_profile, 9, (UINT)-1));
        EXPECT_EQ(CRect(40, 50, 160, 90), recent.m_rectRecentFloatingRect) << bad.value;
        EXPECT_EQ(CRect(3, 0, 123, 24), bar.GetRecentDockedRect()) << bad.value;
        EXPECT_EQ(DWORD(CBRS_ALIGN_RIGHT), recent.m_dwRecentAlignment) << bad.value;
        EXPECT_EQ(2, recent.m_nRecentRowIndex) << bad.value;
    }
}

// Docking back at the recent place after a load: a bar saved while
// floating only shows or hides itself; a docked one docks at the side it
// was saved at, when the frame has a dock bar there.
TEST_F(BarRegistryTest, DockToRecentPosition)
{
    CTestToolBar docked, floating, nowhere;
    ASSERT_TRUE(CreatePane(docked, &m_dock.Frame(), 1));
    ASSERT_TRUE(CreatePane(floating, &m_dock.Frame(), 2));
    ASSERT_TRUE(CreatePane(nowhere, &m_dock.Frame(), 3));
    docked.GetRecentDockInfo().m_dwRecentAlignment = CBRS_ALIGN_BOTTOM;
    docked.DockToRecentPosition(&m_dock.Manager());
    EXPECT_EQ(&m_dock.Bottom(), docked.GetParentDockBar());

    const char* key = "ZUDPControlBar-2";
    WriteRaw(key, "IsFloating", REG_DWORD, Bytes({1}));
    WriteRaw("ZUDPBaseControlBar-2", "IsVisible", REG_DWORD, Bytes({0}));
    ASSERT_TRUE(floating.LoadBarState(m_profile, -1, (UINT)-1));
    floating.DockToRecentPosition(&m_dock.Manager());
    EXPECT_EQ(nullptr, floating.GetParentDockBar());
    EXPECT_FALSE(floating.GetStyle() & WS_VISIBLE);

    // No dock bar at the left in a frame without one.
    m_dock.Manager().UnregisterBar(&m_dock.Left());
    nowhere.GetRecentDockInfo().m_dwRecentAlignment = CBRS_ALIGN_LEFT;
    nowhere.DockToRecentPosition(&m_dock.Manager());
    EXPECT_EQ(nullptr, nowhere.GetParentDockBar());
}
