// Dock bars, their rows and the dock manager's layout and hit tests, on
// real windows: a borderless library frame whose client area has the size
// a case asks for, dock bars along its edges and toolbars of fixed sizes.
#include "framework/win/CmdTarget.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPAutoHideBars.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingControlBar.h"
#include "ui/docking/ZUDPDockingSeams.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPReBar.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A toolbar of a fixed full length and a minimum length, 22 thick.
class CLayoutBar : public CZUDPBaseToolBar {
public:
    CLayoutBar(int nLength, int nMinLength) : m_nLength(nLength)
    {
        SetMinSize(CSize(nMinLength, nMinLength));
    }
    void GetMinSize(CSize& size) const override { CZUDPControlBar::GetMinSize(size); }
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override
    {
        (void)bStretch;
        return bHorz ? CSize(m_nLength, 22) : CSize(22, m_nLength);
    }
    int m_nLength;
};

// A borderless frame at (100, 100) whose client area is cx by cy, with dock
// bars on the sides asked for (registered in the order given).
struct DockFrame {
    CZUDPFrameWnd frame;
    CZUDPDockBar* dockBars[4] = {};  // top, bottom, left, right (owned by their windows)
    std::vector<std::unique_ptr<CLayoutBar>> bars;

    DockFrame(int cx, int cy, std::initializer_list<DWORD> sides = {CBRS_ALIGN_TOP}, DWORD dwExStyle = 0)
    {
        frame.CreateEx(dwExStyle, nullptr, "dock", WS_POPUP | WS_VISIBLE, CRect(100, 100, 100 + cx, 100 + cy),
                       nullptr, 0);
        for (DWORD side : sides) {
            CZUDPDockBar* pDockBar = new CZUDPDockBar;
            pDockBar->Create(side, CRect(), &frame, 0);
            frame.RegisterBar(pDockBar);
            dockBars[Index(side)] = pDockBar;
        }
        frame.RecalcLayout();
    }
    ~DockFrame()
    {
        for (auto& bar : bars)
            bar->DestroyWindow();
        frame.DestroyWindow();
    }
    static int Index(DWORD side)
    {
        switch (side) {
        case CBRS_ALIGN_TOP: return 0;
        case CBRS_ALIGN_BOTTOM: return 1;
        case CBRS_ALIGN_LEFT: return 2;
        default: return 3;
        }
    }
    CZUDPDockBar* Top() const { return dockBars[0]; }
    CZUDPDockManager& Manager() { return *frame.GetDockManager(); }

    // A new toolbar docked in a side's dock bar at a position along its
    // first row (a new row when bNewRow).
    CLayoutBar& Dock(int nLength, int nMinLength, int nAlong, DWORD side = CBRS_ALIGN_TOP, BOOL bNewRow = FALSE,
                     UINT nID = 0)
    {
        bars.push_back(std::make_unique<CLayoutBar>(nLength, nMinLength));
        CLayoutBar& bar = *bars.back();
        const UINT id = nID != 0 ? nID : UINT(200 + bars.size());
        bar.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | side, CRect(0, 0, nLength, 22), &frame, id,
                       ZUDP_CBRS_FLOAT | ZUDP_CBRS_CLOSE);
        bar.SetDockableSides(CBRS_ALIGN_ANY);
        const BOOL bHorz = side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_BOTTOM;
        bar.GetRecentDockInfo().m_recentDockedInfo.m_rectDockedRect =
            bHorz ? CRect(nAlong, 0, nAlong + nLength, 22) : CRect(0, nAlong, 22, nAlong + nLength);
        const CRect rectFirstRow(0, 0, 1, 1);
        const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
        frame.DockBarAtSite(&bar, ids[Index(side)], bNewRow ? nullptr : &rectFirstRow);
        return bar;
    }
};

// A bar's window rectangle along its dock bar's row (left, right for a
// horizontal dock bar), in dock-bar client coordinates.
std::pair<int, int> Span(const CWnd& bar, const CZUDPDockBar& dockBar)
{
    CRect rect;
    bar.GetWindowRect(&rect);
    dockBar.ScreenToClient(&rect);
    return dockBar.IsHorizontal() ? std::make_pair(int(rect.left), int(rect.right))
                                  : std::make_pair(int(rect.top), int(rect.bottom));
}

using SpanList = std::vector<std::pair<int, int>>;

SpanList Spans(const DockFrame& f)
{
    SpanList spans;
    for (const auto& bar : f.bars)
        spans.push_back(Span(*bar, *f.Top()));
    return spans;
}

void ResizeClient(DockFrame& f, int cx, int cy)
{
    f.frame.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    f.frame.RecalcLayout();
}

} // namespace

// ---------------------------------------------------------------------------
// Rows

// Bars placed in one row: where they end up along it.
TEST(DockBarRowTest, PlacingBarsInARow)
{
    ASSERT_EQ(14, g_uiEnvironment.m_dockingMargin);
    struct Bar {
        int length, minLength, along;
    };
    struct Case {
        const char* name;
        int rowLength;
        std::vector<Bar> bars;
        SpanList expected;
    } cases[] = {
        {"fits as placed", 400, {{100, 40, 0}, {100, 40, 150}}, {{0, 100}, {150, 250}}},
        {"overlap pushed on", 400, {{100, 40, 0}, {100, 40, 50}}, {{0, 100}, {100, 200}}},
        {"past the end pushed back", 400, {{100, 40, 0}, {100, 40, 350}}, {{0, 100}, {300, 400}}},
        {"one bar longer than the row shrinks at the start", 200, {{300, 50, 40}}, {{0, 200}}},
        {"not below its minimum", 200, {{300, 250, 40}}, {{0, 250}}},
        {"the bar at the end shrinks first", 250, {{100, 40, 0}, {100, 60, 100}, {100, 80, 200}},
         {{0, 100}, {100, 170}, {170, 250}}},
    };
    for (const Case& c : cases) {
        DockFrame f(c.rowLength, 200);
        for (const Bar& bar : c.bars)
            f.Dock(bar.length, bar.minLength, bar.along);
        EXPECT_EQ(1, f.Top()->GetRowCount()) << c.name;
        EXPECT_EQ(c.expected, Spans(f)) << c.name;
    }
}

TEST(DockBarRowTest, AppendingAfterTheLastBarLeavesTheDockingMargin)
{
    DockFrame f(400, 200);
    CLayoutBar& first = f.Dock(100, 40, 20);
    CZUDPDockBarRow* pRow = f.Top()->RowOfBar(&first);
    ASSERT_NE(nullptr, pRow);
    CLayoutBar second(80, 40);
    ASSERT_TRUE(second.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 80, 22), &f.frame, 300));
    second.AttachToDockBar(f.Top(), ZUDP_DM_RECT);
    pRow->AddBar(&second, ZUDP_DM_RECT, nullptr, TRUE);
    EXPECT_EQ(std::make_pair(134, 214), Span(second, *f.Top()));
    pRow->RemoveBar(&second);
    second.DestroyWindow();
}

// A dock bar that shrinks squeezes its bars from the row's end; when it
// grows again they get their length back from the start and return to
// their places.
TEST(DockBarRowTest, ShrinkingAndGrowingTheDockBar)
{
    DockFrame f(300, 200);
    f.Dock(100, 40, 0);
    f.Dock(100, 60, 100);
    f.Dock(100, 80, 200);
    const SpanList full = {{0, 100}, {100, 200}, {200, 300}};
    ASSERT_EQ(full, Spans(f));
    struct Step {
        int width;
        SpanList expected;
    } steps[] = {
        {250, {{0, 100}, {100, 170}, {170, 250}}},
        {200, {{0, 60}, {60, 120}, {120, 200}}},
        {260, {{0, 100}, {100, 180}, {180, 260}}},
        {300, full},
    };
    for (const Step& step : steps) {
        ResizeClient(f, step.width, 200);
        EXPECT_EQ(step.expected, Spans(f)) << step.width;
    }
}

// Gaps close before any bar shrinks, and bars pushed along slide back to
// their places when the room comes back.
TEST(DockBarRowTest, GapsCloseFirstAndBarsSlideBack)
{
    DockFrame f(400, 200);
    f.Dock(100, 40, 0);
    f.Dock(100, 40, 250);
    ResizeClient(f, 250, 200);
    EXPECT_EQ((SpanList{{0, 100}, {150, 250}}), Spans(f));
    ResizeClient(f, 400, 200);
    EXPECT_EQ((SpanList{{0, 100}, {250, 350}}), Spans(f));
}

// A bar dragged into a neighbour pushes it on, unless the neighbour's
// own place lies on the other side: then the two swap.
TEST(DockBarRowTest, DraggingPushesOrSwapsByVirtualPlace)
{
    for (BOOL bSwap : {FALSE, TRUE}) {
        DockFrame f(400, 200);
        CLayoutBar& a = f.Dock(100, 40, 0);
        CLayoutBar& b = f.Dock(100, 40, 150);
        if (bSwap) {
            a.OffsetVirtualRect(100, 0);
            b.OffsetVirtualRect(-60, 0);
        }
        CZUDPDockBarRow* pRow = f.Top()->RowOfBar(&a);
        HDWP hdwp = nullptr;
        pRow->MoveBar(&a, 80, 0, TRUE, hdwp);
        const CObList& list = pRow->GetBars();
        if (bSwap) {
            EXPECT_EQ(std::make_pair(0, 100), Span(b, *f.Top()));
            EXPECT_EQ(std::make_pair(100, 200), Span(a, *f.Top()));
            EXPECT_EQ(&b, list.GetHead()) << "the list follows the places";
        } else {
            EXPECT_EQ(std::make_pair(80, 180), Span(a, *f.Top()));
            EXPECT_EQ(std::make_pair(180, 280), Span(b, *f.Top()));
            EXPECT_EQ(&a, list.GetHead());
        }
    }
}

// Dragged across its row by more than two thirds of its thickness a bar
// that shares the row gets a row of its own; less keeps it in its row.
TEST(DockBarTest, TwoThirdsOfTheThicknessLeaveTheRow)
{
    struct Case {
        int dy;
        int rows;
        int rowOfDragged;
    } cases[] = {{10, 1, 0}, {14, 1, 0}, {16, 2, 1}, {-16, 2, 0}};
    for (const Case& c : cases) {
        DockFrame f(400, 200);
        CLayoutBar& a = f.Dock(100, 40, 0);
        CLayoutBar& b = f.Dock(100, 40, 150);
        CRect rectTop;
        f.Top()->GetWindowRect(&rectTop);
        ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [&](POINT* p) {
            *p = CPoint(rectTop.left + 50, rectTop.top + 11 + c.dy);
            return TRUE;
        });
        EXPECT_FALSE(f.Top()->MoveControlBar(&a, 0, 0, c.dy)) << c.dy;
        EXPECT_EQ(c.rows, f.Top()->GetRowCount()) << c.dy;
        EXPECT_EQ(c.rowOfDragged, f.Top()->IndexOfRow(f.Top()->RowOfBar(&a))) << c.dy;
        EXPECT_NE(nullptr, f.Top()->RowOfBar(&b));
        f.Top()->GetWindowRect(&rectTop);
        EXPECT_EQ(22 * c.rows, rectTop.Height()) << c.dy;
    }
}

TEST(DockBarTest, RowsInsertResizeHideAndAnswerForMissingOnes)
{
    DockFrame f(400, 200);
    CLayoutBar& target = f.Dock(100, 40, 200);
    CLayoutBar inserted(80, 40);
    ASSERT_TRUE(inserted.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 80, 22), &f.frame, 301));
    ASSERT_TRUE(f.Top()->InsertControlBar(&inserted, &target));
    EXPECT_EQ(std::make_pair(110, 190), Span(inserted, *f.Top())) << "10 pixels before its target";
    EXPECT_EQ(f.Top()->RowOfBar(&target), f.Top()->RowOfBar(&inserted));
    EXPECT_FALSE(f.Top()->InsertControlBar(&inserted, nullptr));

    CZUDPDockBarRow* pRow = f.Top()->RowOfBar(&target);
    EXPECT_EQ(0, f.Top()->ResizeRow(pRow, 10)) << "never thinner than its bars";
    EXPECT_EQ(22, pRow->GetHeight());
    // A thicker row is granted; the next layout brings it back to its
    // content's thickness.
    EXPECT_EQ(8, f.Top()->ResizeRow(pRow, 30));
    EXPECT_EQ(22, pRow->GetHeight());

    // Missing rows and bars.
    CZUDPDockBarRow stray(f.Top(), 0, 22);
    EXPECT_EQ(-1, f.Top()->IndexOfRow(&stray));
    EXPECT_EQ(-1, f.Top()->IndexOfRow(nullptr));
    CLayoutBar outsider(50, 20);
    f.Top()->RemoveControlBar(&outsider);
    EXPECT_EQ(1, f.Top()->GetRowCount());

    // Hiding every bar of the only row takes its thickness away; showing
    // one brings it back.
    CRect rectTop;
    f.Top()->ShowControlBar(&inserted, FALSE, FALSE, FALSE);
    f.Top()->ShowControlBar(&target, FALSE, FALSE, FALSE);
    f.Top()->GetWindowRect(&rectTop);
    EXPECT_EQ(0, rectTop.Height());
    EXPECT_EQ(0, f.Manager().GetClientAreaRect().top);
    f.Top()->ShowControlBar(&target, TRUE, FALSE, FALSE);
    f.Top()->GetWindowRect(&rectTop);
    EXPECT_EQ(22, rectTop.Height());
    EXPECT_EQ(22, f.Manager().GetClientAreaRect().top);
    inserted.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Layout

namespace {

class CLayoutPane : public CZUDPDockingControlBar {
public:
    explicit CLayoutPane(CSize size) : m_size(size) {}
    CSize CalcStretchSize(BOOL, BOOL) override { return m_size; }
    CSize m_size;
};

} // namespace

TEST(DockManagerLayoutTest, BarsOnFourSidesLeaveTheClientAndOuterRects)
{
    DockFrame f(400, 300, {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT});
    f.Dock(100, 40, 0, CBRS_ALIGN_TOP);
    f.Dock(100, 40, 0, CBRS_ALIGN_BOTTOM);
    f.Dock(100, 40, 0, CBRS_ALIGN_LEFT);
    f.Dock(100, 40, 0, CBRS_ALIGN_RIGHT);
    f.frame.RecalcLayout();
    CZUDPDockManager& m = f.Manager();
    EXPECT_EQ(CRect(22, 22, 378, 278), m.GetClientAreaRect());
    EXPECT_EQ(CRect(22, 22, 378, 278), m.GetOuterEdgeRect());

    // A resizable pane listed after the dock bars lies inside the outer
    // edge; it is cut to the area left, as toolbars are not.
    CLayoutPane pane(CSize(80, 500));
    ASSERT_TRUE(pane.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_LEFT, CRect(0, 0, 80, 500), &f.frame, 400));
    m.RegisterBar(&pane);
    m.LayoutDockedBars();
    EXPECT_EQ(CRect(102, 22, 378, 278), m.GetClientAreaRect());
    EXPECT_EQ(CRect(22, 22, 378, 278), m.GetOuterEdgeRect());
    CRect rectPane;
    pane.GetWindowRect(&rectPane);
    f.frame.ScreenToClient(&rectPane);
    EXPECT_EQ(CRect(22, 22, 102, 278), rectPane);

    // A hidden pane takes no part.
    pane.ShowWindow(SW_HIDE);
    m.LayoutDockedBars();
    EXPECT_EQ(CRect(22, 22, 378, 278), m.GetClientAreaRect());

    // An override area is laid out instead of the client rectangle.
    m.SetClientAreaOverride(CRect(0, 0, 300, 200));
    m.LayoutDockedBars();
    EXPECT_EQ(CRect(22, 22, 278, 178), m.GetClientAreaRect());
    m.SetClientAreaOverride(CRect());
    m.UnregisterBar(&pane);
    pane.DestroyWindow();
}

// The outer edge rect is taken on reaching the entry after the last dock
// bar, even when the window before it took no part, and a list whose only
// dock bar is at its head still has one.
TEST(DockManagerLayoutTest, OuterEdgeRectWithHiddenAndHeadDockBars)
{
    DockFrame f(400, 300, {CBRS_ALIGN_TOP});
    f.Dock(100, 40, 0, CBRS_ALIGN_TOP);
    CLayoutPane pane(CSize(80, 100));
    ASSERT_TRUE(pane.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_LEFT, CRect(0, 0, 80, 100), &f.frame, 400));
    f.Manager().RegisterBar(&pane);
    f.Manager().LayoutDockedBars();
    EXPECT_EQ(CRect(0, 22, 400, 300), f.Manager().GetOuterEdgeRect());
    EXPECT_EQ(CRect(80, 22, 400, 300), f.Manager().GetClientAreaRect());

    // The left dock bar (last in the list) is hidden: the outer edge is
    // still taken after it.
    CZUDPDockBar* pLeft = new CZUDPDockBar;
    ASSERT_TRUE(pLeft->Create(CBRS_ALIGN_LEFT, CRect(), &f.frame, 0));
    f.Manager().InsertBarBeside(pLeft, f.Top(), TRUE);
    f.Manager().LayoutDockedBars();
    EXPECT_EQ(CRect(0, 22, 400, 300), f.Manager().GetOuterEdgeRect());
    f.Manager().UnregisterBar(&pane);
    pane.DestroyWindow();
}

TEST(DockManagerLayoutTest, AlignBarRectCutsResizableBarsOnly)
{
    const CRect area(0, 50, 300, 150);
    struct Case {
        DWORD side;
        BOOL horz, resizable;
        CRect bar, expected;
    } cases[] = {
        {CBRS_ALIGN_TOP, TRUE, FALSE, CRect(0, 0, 10, 30), CRect(0, 50, 300, 80)},
        {CBRS_ALIGN_BOTTOM, TRUE, FALSE, CRect(0, 0, 10, 30), CRect(0, 120, 300, 150)},
        {CBRS_ALIGN_LEFT, FALSE, FALSE, CRect(0, 0, 40, 10), CRect(0, 50, 40, 150)},
        {CBRS_ALIGN_RIGHT, FALSE, FALSE, CRect(0, 0, 40, 10), CRect(260, 50, 300, 150)},
        {CBRS_ALIGN_TOP, TRUE, TRUE, CRect(0, 0, 10, 130), CRect(0, 50, 300, 150)},
        {CBRS_ALIGN_TOP, TRUE, FALSE, CRect(0, 0, 10, 130), CRect(0, 50, 300, 180)},
        {CBRS_ALIGN_BOTTOM, TRUE, TRUE, CRect(0, 0, 10, 130), CRect(0, 50, 300, 150)},
        {CBRS_ALIGN_LEFT, FALSE, TRUE, CRect(0, 0, 400, 10), CRect(0, 50, 300, 150)},
        {CBRS_ALIGN_RIGHT, FALSE, TRUE, CRect(0, 0, 400, 10), CRect(0, 50, 300, 150)},
    };
    for (const Case& c : cases) {
        CRect rect = c.bar;
        CZUDPDockManager::AlignBarRect(area, rect, c.side, c.horz, c.resizable);
        EXPECT_EQ(c.expected, rect) << std::hex << c.side << " resizable " << c.resizable;
    }
}

TEST(DockManagerLayoutTest, LimitBarSizeToHalfTheClientArea)
{
    for (DWORD dwExStyle : {DWORD(0), DWORD(WS_EX_LAYOUTRTL)}) {
        DockFrame f(400, 400, {}, dwExStyle);
        f.Manager().RegisterBar(f.Top());  // none: the client rect is still taken
        f.Manager().LayoutDockedBars();
        ASSERT_EQ(400, f.Manager().GetClientAreaRect().Height());
        struct Case {
            DWORD side;
            CRect in;
            BOOL limited;
            CRect out;
        } cases[] = {
            {CBRS_ALIGN_TOP, CRect(0, 0, 10, 250), TRUE, CRect(0, 0, 10, 200)},
            {CBRS_ALIGN_TOP, CRect(0, 0, 10, 199), FALSE, CRect(0, 0, 10, 199)},
            {CBRS_ALIGN_TOP, CRect(0, 0, 10, 200), TRUE, CRect(0, 0, 10, 200)},
            {CBRS_ALIGN_BOTTOM, CRect(0, 100, 10, 400), TRUE, CRect(0, 200, 10, 400)},
            {CBRS_ALIGN_LEFT, CRect(0, 0, 250, 10), TRUE,
             dwExStyle ? CRect(50, 0, 250, 10) : CRect(0, 0, 200, 10)},
            {CBRS_ALIGN_RIGHT, CRect(100, 0, 400, 10), TRUE,
             dwExStyle ? CRect(100, 0, 300, 10) : CRect(200, 0, 400, 10)},
        };
        for (const Case& c : cases) {
            CRect rect = c.in;
            EXPECT_EQ(c.limited, f.Manager().LimitBarSize(rect, c.side)) << std::hex << c.side;
            EXPECT_EQ(c.out, rect) << std::hex << c.side << " rtl " << dwExStyle;
        }
    }
}

// ---------------------------------------------------------------------------
// Registry and services

TEST(DockManagerRegistryTest, LocatingBarsById)
{
    DockFrame f(400, 300);
    CLayoutBar& docked = f.Dock(100, 40, 0, CBRS_ALIGN_TOP, FALSE, 7001);
    CZUDPDockManager& m = f.Manager();
    EXPECT_EQ(&docked, m.LocateBarById(7001)) << "through the dock bar's rows";
    EXPECT_EQ(f.Top(), m.FindDockBarOfBar(&docked));
    EXPECT_EQ(nullptr, m.LocateBarById(7002));

    // A floating bar is found only when floating bars are searched.
    CLayoutBar floating(60, 20);
    ASSERT_TRUE(floating.CreatePane(nullptr, WS_CHILD, CRect(0, 0, 60, 22), &f.frame, 7002));
    g_floatingBarMap.SetAt(7002, floating.m_hWnd);
    EXPECT_EQ(nullptr, m.LocateBarById(7002, FALSE));
    EXPECT_EQ(&floating, m.LocateBarById(7002, TRUE));
    g_floatingBarMap.RemoveKey(7002);
    floating.DestroyWindow();
}

TEST(DockManagerRegistryTest, PrintPreviewHidesOnceAndSkipsDestroyedBars)
{
    DockFrame f(400, 300);
    CLayoutBar& a = f.Dock(100, 40, 0);
    CLayoutBar& b = f.Dock(100, 40, 150, CBRS_ALIGN_TOP, TRUE);
    CZUDPDockManager& m = f.Manager();
    m.SetPrintPreviewMode(TRUE);
    EXPECT_FALSE(a.IsWindowVisible());
    EXPECT_FALSE(b.IsWindowVisible());
    EXPECT_FALSE(f.Top()->IsWindowVisible());
    m.SetPrintPreviewMode(TRUE);  // a second time hides nothing more
    // A bar destroyed while the preview runs is passed over on leaving.
    f.Top()->RemoveControlBar(&b);
    b.DestroyWindow();
    m.SetPrintPreviewMode(FALSE);
    EXPECT_TRUE(a.IsWindowVisible());
    EXPECT_TRUE(f.Top()->IsWindowVisible());
    EXPECT_FALSE(m.IsPrintPreviewValid());
}

TEST(DockManagerRegistryTest, InPlaceHidingTakesOnlyMarkedBars)
{
    DockFrame f(400, 300);
    CLayoutBar& marked = f.Dock(100, 40, 0);
    CLayoutBar& plain = f.Dock(100, 40, 150);
    marked.ReplaceBarStyle(marked.GetBarStyle() | CBRS_HIDE_INPLACE);
    CZUDPDockManager& m = f.Manager();
    EXPECT_EQ(0, m.ToggleInPlaceHiddenBars(nullptr));
    EXPECT_FALSE(marked.IsWindowVisible());
    EXPECT_TRUE(plain.IsWindowVisible());
    marked.ShowWindow(SW_SHOW);
    m.ToggleInPlaceHiddenBars(nullptr);  // already hidden: nothing
    EXPECT_TRUE(marked.IsWindowVisible());
    marked.ShowWindow(SW_HIDE);
    m.ToggleInPlaceHiddenBars(&f.frame);
    EXPECT_TRUE(marked.IsWindowVisible());
}

namespace {

class CMenuPane : public CZUDPDockingControlBar {
public:
    BOOL CanClose() const override { return TRUE; }
};

std::vector<std::string> MenuItems(CMenu& menu)
{
    std::vector<std::string> items;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        char text[64] = {};
        ::GetMenuStringA(menu.GetSafeHmenu(), i, text, sizeof(text), MF_BYPOSITION);
        items.push_back(::GetMenuItemID(menu.GetSafeHmenu(), int(i)) == 0 ? "-" : text);
    }
    return items;
}

} // namespace

TEST(DockManagerRegistryTest, BarsMenuListsToolbarsThenPanesOnce)
{
    DockFrame f(400, 300);
    CZUDPDockManager& m = f.Manager();
    CZUDPToolBar standard;
    ASSERT_TRUE(standard.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 22), &f.frame, 501,
                                    ZUDP_CBRS_FLOAT | ZUDP_CBRS_CLOSE));
    standard.SetWindowText("Standard");
    CMenuPane log;
    ASSERT_TRUE(log.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_LEFT, CRect(0, 0, 80, 80), &f.frame, 502));
    log.SetWindowText("Log");
    m.RegisterBar(&log);
    m.RegisterBar(&standard);
    m.AddHiddenBar(&log);  // listed again as a restored hidden pane: still once

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    m.EnableBarsMenu(TRUE, FALSE, 599, "Customize...");
    m.BuildBarsMenu(menu, FALSE);
    EXPECT_EQ((std::vector<std::string>{"Standard", "-", "Log", "-", "Customize..."}), MenuItems(menu));

    CMenu toolbarsOnly;
    ASSERT_TRUE(toolbarsOnly.CreatePopupMenu());
    m.EnableBarsMenu(TRUE);
    m.BuildBarsMenu(toolbarsOnly, TRUE);
    EXPECT_EQ((std::vector<std::string>{"Standard"}), MenuItems(toolbarsOnly));

    // A command of the menu toggles its bar; other ids are not its own.
    EXPECT_TRUE(m.OnBarsMenuCommand(501, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(standard.IsWindowVisible());
    EXPECT_FALSE(m.OnBarsMenuCommand(501, CN_COMMAND, nullptr, nullptr)) << "the map is emptied";
    m.UnregisterBar(&log);
    m.UnregisterBar(&standard);
    log.DestroyWindow();
    standard.DestroyWindow();
}

namespace {

// The frame's child windows from the top of the Z order down, limited to
// the ones a test names.
std::vector<const CWnd*> ChildZOrder(const CWnd& frame, std::initializer_list<const CWnd*> among)
{
    std::vector<const CWnd*> order;
    for (HWND hChild = ::GetWindow(frame.m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        for (const CWnd* pWnd : among) {
            if (pWnd->m_hWnd == hChild)
                order.push_back(pWnd);
        }
    }
    return order;
}

// A floating frame owned by the dock frame, hosting a bar of its own.
struct FloatingFrame {
    CZUDPMiniFrameWnd frame;
    std::unique_ptr<CZUDPControlBar> bar;

    FloatingFrame(CWnd& owner, std::unique_ptr<CZUDPControlBar> hosted, int x)
        : bar(std::move(hosted))
    {
        frame.CreateFrame("floating", WS_VISIBLE, CRect(x, 500, x + 120, 560), &owner);
        bar->CreatePane(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 22), &frame, UINT(3000 + x));
        frame.AddHostedBar(bar.get());
    }
    ~FloatingFrame()
    {
        frame.RemoveHostedBar(bar.get(), FALSE);
        bar->DestroyWindow();
        if (frame.m_hWnd != nullptr)
            frame.DestroyWindow();
    }
};

std::unique_ptr<CZUDPControlBar> NewToolBar() { return std::make_unique<CLayoutBar>(100, 40); }
std::unique_ptr<CZUDPControlBar> NewPane() { return std::make_unique<CMenuPane>(); }

} // namespace

// Bringing bars to the top walks the list from its tail; with the
// exclusion only the trailing panes are passed over, and a side lets only
// its own bars through.
TEST(DockManagerRegistryTest, BringBarsToTopPassesOverTrailingPanesOnly)
{
    DockFrame f(400, 300, {});
    CLayoutBar early(100, 40), left(100, 40), paneA(100, 40), paneB(100, 40);
    CZUDPDockBar* pDockBar = new CZUDPDockBar;
    ASSERT_TRUE(pDockBar->Create(CBRS_ALIGN_TOP, CRect(0, 0, 400, 22), &f.frame, 0));
    const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_TOP};
    CLayoutBar* panes[] = {&early, &left, &paneA, &paneB};
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(panes[i]->CreatePane(nullptr, WS_CHILD | WS_VISIBLE | sides[i], CRect(0, 0, 100, 22), &f.frame,
                                         UINT(801 + i)));
    // The bar list from its head: early, left, the dock bar, then two panes.
    CZUDPDockManager& m = f.Manager();
    for (CZUDPBaseControlBar* pBar : {static_cast<CZUDPBaseControlBar*>(&early), static_cast<CZUDPBaseControlBar*>(&left),
                                      static_cast<CZUDPBaseControlBar*>(pDockBar),
                                      static_cast<CZUDPBaseControlBar*>(&paneA),
                                      static_cast<CZUDPBaseControlBar*>(&paneB)})
        ASSERT_TRUE(m.RegisterBar(pBar));

    const CWnd* dock = pDockBar;
    struct Case {
        const char* name;
        DWORD alignment;
        BOOL exclude;
        std::vector<const CWnd*> order;  // top first, after the call
    } cases[] = {
        {"every bar", 0, FALSE, {&early, &left, dock, &paneA, &paneB}},
        {"trailing panes passed over", 0, TRUE, {&early, &left, dock, &paneB, &paneA}},
        {"the top side only", CBRS_TOP, TRUE, {&early, dock, &paneB, &paneA, &left}},
    };
    for (const Case& c : cases) {
        // Start with the Z order upside down: paneB on top, early at the bottom.
        for (const CWnd* pWnd : {static_cast<const CWnd*>(&early), static_cast<const CWnd*>(&left), dock,
                                 static_cast<const CWnd*>(&paneA), static_cast<const CWnd*>(&paneB)})
            ::SetWindowPos(pWnd->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m.BringBarsToTop(c.alignment, c.exclude);
        EXPECT_EQ(c.order, ChildZOrder(f.frame, {&early, &left, dock, &paneA, &paneB})) << c.name;
    }
    for (CLayoutBar* pBar : panes) {
        m.UnregisterBar(pBar);
        pBar->DestroyWindow();
    }
}

// The floating frames are sorted by their places in the Z order, topmost
// first; a floating frame the manager does not hold is left out.
TEST(DockManagerRegistryTest, FloatingFramesSortedByZOrder)
{
    DockFrame f(400, 300);
    FloatingFrame a(f.frame, NewToolBar(), 0), b(f.frame, NewToolBar(), 130), c(f.frame, NewToolBar(), 260);
    FloatingFrame stranger(f.frame, NewToolBar(), 390);
    CZUDPDockManager& m = f.Manager();
    // A frame made over the dock frame registers itself with its manager.
    for (FloatingFrame* p : {&a, &b, &c, &stranger})
        EXPECT_FALSE(m.RegisterMiniFrame(&p->frame)) << "listed once";
    ASSERT_TRUE(m.UnregisterMiniFrame(&stranger.frame));

    for (FloatingFrame* p : {&b, &stranger, &a, &c})  // c ends on top, b lowest
        p->frame.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m.SortMiniFramesByZOrder();
    std::vector<CObject*> order;
    for (POSITION pos = m.GetMiniFrames().GetHeadPosition(); pos != nullptr;)
        order.push_back(m.GetMiniFrames().GetNext(pos));
    EXPECT_EQ((std::vector<CObject*>{&c.frame, &a.frame, &b.frame}), order);
    for (FloatingFrame* p : {&a, &b, &c})
        EXPECT_TRUE(m.UnregisterMiniFrame(&p->frame));
    EXPECT_FALSE(m.UnregisterMiniFrame(&a.frame));
}

// Locking holds back the frame, then every floating frame and every bar;
// a second lock and an unlock without a lock do nothing.
TEST(DockManagerRegistryTest, LockLayoutUpdatesLocksOnceAndReleasesOnce)
{
    DockFrame f(400, 300);
    CLayoutBar& bar = f.Dock(100, 40, 0);
    FloatingFrame floating(f.frame, NewToolBar(), 0);
    CZUDPDockManager& m = f.Manager();
    m.RegisterMiniFrame(&floating.frame);

    std::vector<HWND> calls;
    BOOL bLockAnswer = TRUE;
    ScopedSeam<BOOL(HWND)> lock(g_dockingSeams.lockWindowUpdate, [&](HWND hWnd) {
        calls.push_back(hWnd);
        return bLockAnswer;
    });
    // The bar list holds the top dock bar; the toolbar sits in its row.
    const std::vector<HWND> locked = {f.frame.m_hWnd, floating.frame.m_hWnd, f.Top()->m_hWnd};
    m.LockLayoutUpdates(TRUE);
    EXPECT_EQ(locked, calls);
    calls.clear();
    m.LockLayoutUpdates(TRUE);
    EXPECT_TRUE(calls.empty()) << "a lock is held";
    m.LockLayoutUpdates(FALSE);
    EXPECT_EQ(std::vector<HWND>(3, nullptr), calls);
    calls.clear();
    m.LockLayoutUpdates(FALSE);
    EXPECT_TRUE(calls.empty()) << "no lock is held";

    // A lock the system refused is not released later.
    bLockAnswer = FALSE;
    m.LockLayoutUpdates(TRUE);
    calls.clear();
    m.LockLayoutUpdates(FALSE);
    EXPECT_TRUE(calls.empty());
    m.UnregisterMiniFrame(&floating.frame);
    (void)bar;
}

// Hiding the floating frames takes only toolbars' frames in a main frame,
// every frame in an MDI child; showing brings back what is still there.
TEST(DockManagerRegistryTest, ToggleMiniFramesHidesToolbarFramesOfAMainFrame)
{
    DockFrame f(400, 300);
    FloatingFrame tools(f.frame, NewToolBar(), 0), pane(f.frame, NewPane(), 130), gone(f.frame, NewToolBar(), 260);
    CZUDPDockManager& m = f.Manager();
    for (FloatingFrame* p : {&tools, &pane, &gone})
        m.RegisterMiniFrame(&p->frame);
    m.ToggleMiniFrames(FALSE);
    EXPECT_FALSE(tools.frame.IsWindowVisible());
    EXPECT_TRUE(pane.frame.IsWindowVisible()) << "a pane's frame stays in a main frame";
    EXPECT_FALSE(gone.frame.IsWindowVisible());
    m.ToggleMiniFrames(FALSE);  // nothing is listed twice
    // A frame destroyed meanwhile is passed over.
    m.UnregisterMiniFrame(&gone.frame);
    gone.frame.RemoveHostedBar(gone.bar.get(), FALSE);
    gone.frame.DestroyWindow();
    m.ToggleMiniFrames(TRUE);
    EXPECT_TRUE(tools.frame.IsWindowVisible());
    tools.frame.ShowWindow(SW_HIDE);
    m.ToggleMiniFrames(TRUE);
    EXPECT_FALSE(tools.frame.IsWindowVisible()) << "the list was emptied";

    // In an MDI child every floating frame is hidden.
    CZUDPMDIChildWnd child;
    CZUDPDockManager& childManager = *child.GetDockManager();
    tools.frame.ShowWindow(SW_SHOWNOACTIVATE);
    for (FloatingFrame* p : {&tools, &pane})
        childManager.RegisterMiniFrame(&p->frame);
    childManager.ToggleMiniFrames(FALSE);
    EXPECT_FALSE(tools.frame.IsWindowVisible());
    EXPECT_FALSE(pane.frame.IsWindowVisible());
    childManager.ToggleMiniFrames(TRUE);
    EXPECT_TRUE(tools.frame.IsWindowVisible());
    EXPECT_TRUE(pane.frame.IsWindowVisible());
    for (FloatingFrame* p : {&tools, &pane}) {
        childManager.UnregisterMiniFrame(&p->frame);
        m.UnregisterMiniFrame(&p->frame);
    }
}

// A toolbar in a band of the frame's rebar is found by its id and listed
// in the bars menu with the other bars, once.
TEST(DockManagerRegistryTest, RebarBandsAreFoundAndListed)
{
    DockFrame f(400, 300);
    CZUDPDockManager& m = f.Manager();
    CZUDPReBar rebar;
    ASSERT_TRUE(rebar.Create(&f.frame));
    CZUDPToolBar banded;
    ASSERT_TRUE(banded.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 22), &rebar, 620,
                                  ZUDP_CBRS_CLOSE));
    banded.SetWindowText("Banded");
    REBARBANDINFOA band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID;
    band.hwndChild = banded.m_hWnd;
    band.cxMinChild = 100;
    band.cyMinChild = 22;
    band.wID = 1;
    ASSERT_TRUE(rebar.GetReBarCtrl().InsertBand(0, &band));
    // An empty band is passed over.
    REBARBANDINFOA empty = {};
    empty.cbSize = sizeof(empty);
    empty.fMask = RBBIM_ID;
    empty.wID = 2;
    ASSERT_TRUE(rebar.GetReBarCtrl().InsertBand(1, &empty));

    EXPECT_EQ(&banded, m.LocateBarById(620));
    EXPECT_EQ(nullptr, m.LocateBarById(621));

    CZUDPToolBar docked;
    ASSERT_TRUE(docked.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 22), &f.frame, 621,
                                  ZUDP_CBRS_FLOAT | ZUDP_CBRS_CLOSE));
    docked.SetWindowText("Docked");
    m.RegisterBar(&docked);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    m.EnableBarsMenu(TRUE);
    m.BuildBarsMenu(menu, FALSE);
    EXPECT_EQ((std::vector<std::string>{"Docked", "-", "Banded"}), MenuItems(menu));
    CMenu toolbarsOnly;
    ASSERT_TRUE(toolbarsOnly.CreatePopupMenu());
    m.BuildBarsMenu(toolbarsOnly, TRUE);
    EXPECT_EQ((std::vector<std::string>{"Docked"}), MenuItems(toolbarsOnly));
    m.UnregisterBar(&docked);
    docked.DestroyWindow();
    banded.DestroyWindow();
    rebar.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Hit tests

TEST(DockingHitTestTest, EdgeZonesAndMarkers)
{
    const CRect rect(100, 100, 300, 200);
    struct Case {
        CPoint pt;
        BOOL outer;
        DWORD allowed;
        DWORD expected;  // 0: no hit
    } cases[] = {
        {{150, 90}, TRUE, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
        {{150, 84}, TRUE, CBRS_ALIGN_ANY, 0},
        {{90, 150}, TRUE, CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT},
        {{90, 90}, TRUE, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},     // the corner: top first
        {{90, 90}, TRUE, CBRS_ALIGN_LEFT, CBRS_ALIGN_LEFT},
        {{150, 205}, TRUE, CBRS_ALIGN_ANY, CBRS_ALIGN_BOTTOM},
        {{305, 150}, TRUE, CBRS_ALIGN_ANY, CBRS_ALIGN_RIGHT},
        {{150, 90}, TRUE, CBRS_ALIGN_LEFT, 0},
        {{150, 150}, TRUE, CBRS_ALIGN_ANY, 0},
        {{150, 110}, FALSE, CBRS_ALIGN_ANY, CBRS_ALIGN_TOP},
        {{110, 150}, FALSE, CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT},
        {{150, 190}, FALSE, CBRS_ALIGN_ANY, CBRS_ALIGN_BOTTOM},
        {{290, 150}, FALSE, CBRS_ALIGN_ANY, CBRS_ALIGN_RIGHT},
        {{200, 150}, FALSE, CBRS_ALIGN_ANY, 0},
        {{150, 110}, FALSE, 0, 0},
    };
    CZUDPGlobalUtils utils;
    for (const Case& c : cases) {
        DWORD dwAlignment = 0;
        const BOOL bHit =
            utils.HitTestDockEdges(c.pt.x, c.pt.y, nullptr, 15, nullptr, c.outer, dwAlignment, c.allowed, &rect);
        EXPECT_EQ(c.expected != 0, bHit) << c.pt.x << "," << c.pt.y << " outer " << c.outer;
        if (bHit) {
            EXPECT_EQ(c.expected, dwAlignment) << c.pt.x << "," << c.pt.y;
        }
    }

    // Shown guides decide by their marker, whatever the sides allowed.
    CZUDPDockManager manager;
    auto* pGuides = new CZUDPSmartDockingManager;
    pGuides->m_bStarted = pGuides->m_bShown = TRUE;
    manager.SetSmartDockingManager(pGuides);
    struct MarkerCase {
        int marker;
        BOOL outer;
        DWORD expected;
    } markers[] = {{0, TRUE, CBRS_ALIGN_LEFT},   {1, TRUE, CBRS_ALIGN_RIGHT}, {2, TRUE, CBRS_ALIGN_TOP},
                   {3, TRUE, CBRS_ALIGN_BOTTOM}, {4, TRUE, 0},                 {5, FALSE, CBRS_ALIGN_RIGHT},
                   {7, FALSE, CBRS_ALIGN_BOTTOM}, {1, FALSE, 0},               {8, FALSE, 0}};
    for (const MarkerCase& c : markers) {
        pGuides->m_nMarker = c.marker;
        DWORD dwAlignment = 0;
        const BOOL bHit = utils.HitTestDockEdges(0, 0, nullptr, 15, &manager, c.outer, dwAlignment, 0, &rect);
        EXPECT_EQ(c.expected != 0, bHit) << c.marker;
        if (bHit) {
            EXPECT_EQ(c.expected, dwAlignment) << c.marker;
        }
    }
}

TEST(DockingHitTestTest, SideMarkerHidesBarsAndEdgesFollowEnabledSides)
{
    DockFrame f(400, 300);
    f.Dock(100, 40, 0);
    CZUDPDockManager& m = f.Manager();
    CRect rectTop;
    f.Top()->GetWindowRect(&rectTop);
    const CPoint ptOnBar = rectTop.CenterPoint();
    EXPECT_EQ(f.Top(), m.FindBarAtPoint(ptOnBar, 0, TRUE, RUNTIME_CLASS(CZUDPDockBar)));
    auto* pGuides = new CZUDPSmartDockingManager;
    m.SetSmartDockingManager(pGuides);
    for (int marker : {0, 3}) {
        pGuides->m_nMarker = marker;
        EXPECT_EQ(nullptr, m.FindBarAtPoint(ptOnBar, 0, TRUE, nullptr)) << marker;
    }
    pGuides->m_nMarker = 4;
    EXPECT_NE(nullptr, m.FindBarAtPoint(ptOnBar, 0, TRUE, nullptr));
    m.SetSmartDockingManager(nullptr);

    // No side enabled: no edge hits; the left side enabled: it does.
    DWORD dwAlignment = 0;
    BOOL bOuter = FALSE;
    const CPoint ptLeft(100 + 5, 200);
    EXPECT_FALSE(m.HitTestDockEdge(ptLeft, dwAlignment, bOuter));
    m.EnableDocking(CBRS_ALIGN_LEFT);
    EXPECT_TRUE(m.HitTestDockEdge(ptLeft, dwAlignment, bOuter));
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT), dwAlignment);
    EXPECT_FALSE(m.HitTestDockEdge(CPoint(300, 200), dwAlignment, bOuter));
}

// A toolbar wider than half the frame dragged to its left edge previews a
// strip along the left of the client area, cut to half its width.
TEST(DockingHitTestTest, PreviewOfAToolbarAtTheLeftEdge)
{
    DockFrame f(400, 300);
    CZUDPDockManager& m = f.Manager();
    m.EnableDocking(CBRS_ALIGN_ANY);
    m.LayoutDockedBars();
    CLayoutBar dragged(250, 40);
    ASSERT_TRUE(dragged.CreatePane(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 250, 22), &f.frame, 601));
    dragged.SetDockableSides(CBRS_ALIGN_ANY);
    SHORT ctrl = 0;
    ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState, [&](int) { return ctrl; });
    for (CPoint pt : {CPoint(97, 200), CPoint(105, 200)}) {
        CRect rect;
        m.CalcDockPreviewRect(&dragged, pt, rect);
        EXPECT_EQ(CRect(100, 100, 300, 400), rect) << pt.x;
    }
    dragged.SetDockableSides(CBRS_ALIGN_TOP);
    CRect rect;
    m.CalcDockPreviewRect(&dragged, CPoint(105, 200), rect);
    EXPECT_TRUE(rect.IsRectEmpty()) << "a side the bar cannot dock at";
    dragged.SetDockableSides(CBRS_ALIGN_ANY);
    ctrl = SHORT(0x8000);
    m.CalcDockPreviewRect(&dragged, CPoint(105, 200), rect);
    EXPECT_TRUE(rect.IsRectEmpty()) << "Ctrl held";
    dragged.DestroyWindow();
}

// A floating frame moved with the mouse (immediate mode): resting over a
// dock bar starts timer 4, and when it fires after the pause the bar docks
// there; the emptied frame goes once the drag that goes on in the dock bar
// ends.  Escape during a move sends the bar back to its recent place.
TEST(FloatingFrameMoveTest, PauseOverADockBarDocksAndEscapeGoesBack)
{
    for (bool bEscape : {false, true}) {
        SCOPED_TRACE(bEscape ? "Escape" : "pause");
        DockFrame f(400, 300, {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM});
        f.Dock(100, 40, 0, CBRS_ALIGN_TOP);
        f.Dock(100, 40, 150, CBRS_ALIGN_TOP);
        CLayoutBar& bar = *f.bars.front();
        bar.SetDockingMode(ZUDP_DOCK_IMMEDIATE);
        bar.FloatBar(CRect(600, 150, 700, 172), ZUDP_DM_MENU, TRUE);
        CZUDPMiniFrameWnd* pFloating = bar.GetParentMiniFrame(TRUE);
        ASSERT_NE(nullptr, pFloating);
        const HWND hWndFloating = pFloating->m_hWnd;
        CRect rectTop, rectFrame;
        f.Top()->GetWindowRect(&rectTop);
        pFloating->GetWindowRect(&rectFrame);

        DWORD now = 1000;
        CPoint cursor = rectFrame.TopLeft() + CSize(20, 8);
        ScopedSeam<DWORD()> clock(g_frameworkSeams.tickCount, [&] { return now; });
        ScopedSeam<BOOL(POINT*)> cursorSeam(g_frameworkSeams.cursorPos, [&](POINT* p) {
            *p = cursor;
            return TRUE;
        });
        std::vector<UINT_PTR> timers;
        ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> setTimer(
            g_frameworkSeams.setTimer, [&](HWND, UINT_PTR id, UINT, TIMERPROC) {
                timers.push_back(id);
                return id;
            });
        ScopedSeam<BOOL(HWND, UINT_PTR)> killTimer(g_frameworkSeams.killTimer, [](HWND, UINT_PTR) { return TRUE; });

        pFloating->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ASSERT_TRUE(pFloating->IsMovingWithMouse());
        if (bEscape) {
            cursor += CSize(30, 40);
            pFloating->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
            EXPECT_EQ(rectFrame + CPoint(30, 40), [&] {
                CRect r;
                pFloating->GetWindowRect(&r);
                return r;
            }()) << "the frame follows the cursor";
            pFloating->SendMessage(WM_CHAR, VK_ESCAPE, 0);
            EXPECT_EQ(nullptr, bar.GetParentMiniFrame(TRUE)) << "back in its dock bar";
            EXPECT_EQ(f.Top(), bar.GetParent());
            EXPECT_NE(hWndFloating, ::GetCapture());
            continue;
        }
        cursor = rectTop.CenterPoint();
        pFloating->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
        ASSERT_NE(timers.end(), std::find(timers.begin(), timers.end(), (UINT_PTR)4)) << "the dock pause";
        EXPECT_NE(nullptr, bar.GetParentMiniFrame(TRUE)) << "not before the pause";
        now += 201;
        pFloating->SendMessage(WM_TIMER, 4);
        EXPECT_EQ(nullptr, bar.GetParentMiniFrame(TRUE)) << "docked after the pause";
        EXPECT_EQ(f.Top(), bar.GetParent());
        bar.SendMessage(WM_LBUTTONUP, 0, 0);  // the drag in the dock bar ends
        EXPECT_FALSE(::IsWindow(hWndFloating)) << "the emptied frame is gone";
    }
}

// A floating toolbar held over a dock bar docks once the delay has passed
// without a change; a change of target restarts the wait; with Ctrl held it
// never docks; the clock may wrap meanwhile.
TEST(DockingHitTestTest, DockDelayThroughTheClock)
{
    struct Step {
        DWORD tick;
        bool overTop;  // else over the bottom dock bar
        bool ctrl;
        BOOL keepsFloating;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"waits 200 ms", {{1000, true, false, TRUE}, {1150, true, false, TRUE}, {1201, true, false, FALSE}}},
        {"a change restarts",
         {{1000, true, false, TRUE}, {1150, false, false, TRUE}, {1250, false, false, TRUE},
          {1351, false, false, FALSE}}},
        {"Ctrl held", {{1000, true, true, TRUE}, {5000, true, true, TRUE}}},
        {"the clock wraps", {{0xFFFFFF80u, true, false, TRUE}, {0x00000060u, true, false, FALSE}}},
    };
    for (const Case& c : cases) {
        DockFrame f(400, 300, {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM});
        f.Dock(100, 40, 0, CBRS_ALIGN_TOP);
        f.Dock(100, 40, 150, CBRS_ALIGN_TOP);  // keeps the top row when the first floats
        f.Dock(100, 40, 0, CBRS_ALIGN_BOTTOM);
        CLayoutBar& bar = *f.bars.front();
        bar.FloatBar(CRect(600, 150, 700, 172), ZUDP_DM_MENU, TRUE);
        CZUDPMiniFrameWnd* pFloating = bar.GetParentMiniFrame(TRUE);
        ASSERT_NE(nullptr, pFloating) << c.name;
        CRect rectTop, rectBottom;
        f.Top()->GetWindowRect(&rectTop);
        f.dockBars[1]->GetWindowRect(&rectBottom);

        Step now = c.steps.front();
        ScopedSeam<DWORD()> clock(g_frameworkSeams.tickCount, [&] { return now.tick; });
        ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [&](POINT* p) {
            *p = (now.overTop ? rectTop : rectBottom).CenterPoint();
            return TRUE;
        });
        ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState,
                                    [&](int key) { return SHORT(key == VK_CONTROL && now.ctrl ? 0x8000 : 0); });
        std::vector<UINT> timers;
        ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> setTimer(
            g_frameworkSeams.setTimer, [&](HWND, UINT_PTR id, UINT elapse, TIMERPROC) {
                timers.push_back(elapse);
                return id;
            });
        ScopedSeam<BOOL(HWND, UINT_PTR)> killTimer(g_frameworkSeams.killTimer, [](HWND, UINT_PTR) { return TRUE; });
        for (const Step& step : c.steps) {
            now = step;
            EXPECT_EQ(step.keepsFloating, f.Manager().TrackMiniFrameMove(pFloating)) << c.name << " " << step.tick;
            if (!step.keepsFloating)
                break;
        }
        EXPECT_EQ(c.steps.back().keepsFloating, bar.GetParentMiniFrame(TRUE) != nullptr) << c.name;
        if (!c.steps.front().ctrl) {
            ASSERT_FALSE(timers.empty()) << c.name;
            EXPECT_EQ(200u, timers.front()) << c.name << ": the delay over a dock bar";
        }
    }
}

TEST(GlobalUtilsTest, RotateMargins)
{
    struct Case {
        int angle;
        CRect expected;
    } cases[] = {{90, CRect(4, 1, 2, 3)}, {180, CRect(1, 4, 3, 2)}, {-90, CRect(2, 3, 4, 1)}, {45, CRect(1, 2, 3, 4)}};
    for (const Case& c : cases) {
        CRect margins(1, 2, 3, 4);
        CZUDPGlobalUtils::RotateMargins(margins, c.angle);
        EXPECT_EQ(c.expected, margins) << c.angle;
    }
}

// Margins of their own on each side, and the monitor under the cursor
// while a floating frame moves.
TEST(GlobalUtilsTest, FitRectToWorkAreaByMarginsAndCursor)
{
    std::vector<CPoint> asked;
    ScopedSeam<BOOL(POINT, RECT*)> workArea(g_foundationSeams.monitorWorkArea, [&](POINT pt, RECT* pRect) {
        asked.push_back(pt);
        *pRect = pt.x >= 800 ? CRect(800, 0, 1600, 600) : CRect(0, 0, 800, 600);
        return TRUE;
    });
    ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [](POINT* p) {
        *p = CPoint(900, 10);
        return TRUE;
    });
    const CRect margins(10, 20, 30, 40);
    struct Row {
        CRect rect;
        CRect fitted;
    } rows[] = {
        {CRect(-300, 100, -200, 150), CRect(-90, 100, 10, 150)},
        {CRect(1700, 100, 1800, 150), CRect(1570, 100, 1670, 150)},
        {CRect(100, -90, 200, -40), CRect(100, -30, 200, 20)},
        {CRect(100, 700, 200, 750), CRect(100, 560, 200, 610)},
    };
    CZUDPGlobalUtils utils;
    for (const Row& row : rows) {
        CRect rect = row.rect;
        utils.FitRectToWorkArea(rect, &margins);
        EXPECT_EQ(row.fitted, rect);
    }
    utils.m_bMovingFloatingFrame = TRUE;
    CRect rect(100, 100, 200, 150);
    utils.FitRectToWorkArea(rect, &margins);
    EXPECT_EQ(CPoint(900, 10), asked.back());
    EXPECT_EQ(CRect(710, 100, 810, 150), rect) << "on the cursor's monitor";
}

// Auto-hide dock bars that meet at a corner keep their buttons clear of
// each other by the neighbour's thickness (a right bar over a bottom one:
// the right bar's end offset is the bottom bar's height).
TEST(DockManagerLayoutTest, AutoHideNeighboursAtTheCorners)
{
    DockFrame f(400, 300, {});
    struct Case {
        DWORD sideA, sideB;
        CRect a, b;  // frame client coordinates
        int aStart, aEnd, bStart, bEnd;
    } cases[] = {
        {CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM, CRect(376, 0, 400, 282), CRect(0, 282, 376, 300), 0, 18, 0, 24},
        {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CRect(0, 18, 24, 300), CRect(24, 0, 400, 18), 18, 0, 24, 0},
        {CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CRect(0, 0, 376, 18), CRect(376, 18, 400, 300), 0, 24, 18, 0},
        {CBRS_ALIGN_LEFT, CBRS_ALIGN_BOTTOM, CRect(0, 0, 24, 282), CRect(24, 282, 400, 300), 0, 18, 24, 0},
    };
    for (const Case& c : cases) {
        auto* pA = new CZUDPAutoHideDockBar;
        auto* pB = new CZUDPAutoHideDockBar;
        ASSERT_TRUE(pA->Create(c.sideA, CRect(), &f.frame, 0));
        ASSERT_TRUE(pB->Create(c.sideB, CRect(), &f.frame, 0));
        pA->MoveWindow(&c.a);
        pB->MoveWindow(&c.b);
        f.Manager().RegisterBar(pA);
        f.Manager().RegisterBar(pB);
        f.Manager().ArrangeAutoHideNeighbours(pA);
        EXPECT_EQ(c.aStart, pA->GetStartOffset()) << std::hex << c.sideA;
        EXPECT_EQ(c.aEnd, pA->GetEndOffset()) << std::hex << c.sideA;
        EXPECT_EQ(c.bStart, pB->GetStartOffset()) << std::hex << c.sideA;
        EXPECT_EQ(c.bEnd, pB->GetEndOffset()) << std::hex << c.sideA;
        pA->DestroyWindow();  // each leaves the manager's list as it goes
        pB->DestroyWindow();
    }
}
