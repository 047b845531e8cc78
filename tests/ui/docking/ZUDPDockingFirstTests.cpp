// Frames, floating frames and the docking helpers as the rest
// of the library uses them.
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

bool InList(const CObList& list, const CObject* pObject) { return list.Find(const_cast<CObject*>(pObject)) != nullptr; }

} // namespace

// A library frame is in the frame list while its window lives; an MDI
// frame makes its client window when it is created.
TEST(FrameTest, FramesHostWindowsAndAreListed)
{
    {
        CZUDPFrameWnd frame;
        EXPECT_FALSE(InList(g_frameList, &frame));
        ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
        EXPECT_TRUE(InList(g_frameList, &frame));
        EXPECT_EQ(&frame, CWnd::FromHandlePermanent(frame.m_hWnd));
        EXPECT_EQ(&frame, frame.GetActiveFrame());
        frame.DestroyWindow();
    }
    EXPECT_EQ(0, g_frameList.GetCount());

    CZUDPMDIFrameWnd mdi;
    EXPECT_TRUE(InList(g_frameList, &mdi));
    ASSERT_TRUE(mdi.Create(nullptr, "mdi", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    ASSERT_NE(nullptr, mdi.m_hWndMDIClient);
    char className[32] = {};
    ::GetClassNameA(mdi.m_hWndMDIClient, className, sizeof(className));
    EXPECT_EQ(0, ::lstrcmpiA("MDICLIENT", className)) << className;
    EXPECT_EQ(mdi.m_hWnd, ::GetParent(mdi.m_hWndMDIClient));
    EXPECT_EQ(nullptr, mdi.MDIGetActiveHwnd());
    EXPECT_EQ(&mdi, mdi.GetActiveFrame());
    mdi.DestroyWindow();
}

TEST(MiniFrameTest, EveryFloatingFrameIsListedAndRedrawn)
{
    CZUDPMiniFrameWnd a, b;
    EXPECT_EQ(0, a.GetDockingHintState());
    ASSERT_TRUE(a.CreateFrame("", WS_VISIBLE, CRect(0, 0, 50, 50), nullptr));
    const HWND hWndA = a.m_hWnd;
    EXPECT_NE(nullptr, g_miniFrameList.Find(hWndA)) << "listed once its window exists";
    int nListed = 0;
    for (POSITION pos = g_miniFrameList.GetHeadPosition(); pos != nullptr;)
        nListed += g_miniFrameList.GetNext(pos) == hWndA ? 1 : 0;
    EXPECT_EQ(1, nListed);
    ::ValidateRect(a.m_hWnd, nullptr);
    CZUDPMiniFrameWnd::RedrawAllMiniFrames();  // b has no window: not listed, skipped
    a.DestroyWindow();
    EXPECT_EQ(nullptr, g_miniFrameList.Find(hWndA)) << "its window went";
}

// The docking mode starts as 2; smart docking (128) is stored as 129 with
// its variant; other modes as given.
TEST(DockManagerTest, GlobalDockMode)
{
    EXPECT_EQ(DWORD(2), g_globalDockMode);
    EXPECT_EQ(15, g_dockSensitivity);
    CZUDPDockManager::SetGlobalDockMode(128, 3);
    EXPECT_EQ(DWORD(129), CZUDPDockManager::GetGlobalDockMode());
    EXPECT_EQ(3, CZUDPDockManager::GetSmartDockingVariant());
    CZUDPDockManager::SetGlobalDockMode(2, 0);
    EXPECT_EQ(DWORD(2), CZUDPDockManager::GetGlobalDockMode());
}

// The small icon of a window: its own small icon, else its big icon made
// small (a new icon), else its class icon.
TEST(GlobalUtilsTest, SmallWindowIcon)
{
    HICON hClassIcon = ::LoadIcon(nullptr, IDI_INFORMATION);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0, nullptr, nullptr, hClassIcon), "", WS_POPUP,
                             CRect(0, 0, 10, 10), nullptr, 0));
    BOOL bNew = TRUE;
    // The class's small icon (the system makes one from the class icon),
    // else the class icon.
    HICON hClassSmall = (HICON)::GetClassLongPtrA(wnd.m_hWnd, GCLP_HICONSM);
    EXPECT_EQ(hClassSmall != nullptr ? hClassSmall : hClassIcon, g_globalUtils.GetSmallWindowIcon(&wnd, bNew));
    EXPECT_FALSE(bNew);

    HICON hBig = ::LoadIcon(nullptr, IDI_WARNING);
    wnd.SetIcon(hBig, TRUE);
    HICON hMade = g_globalUtils.GetSmallWindowIcon(&wnd, bNew);
    ASSERT_NE(nullptr, hMade);
    EXPECT_TRUE(bNew);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hMade, &info));
    BITMAP bm = {};
    ::GetObject(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(16, bm.bmWidth);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(hMade);

    HICON hSmall = ::LoadIcon(nullptr, IDI_ERROR);
    wnd.SetIcon(hSmall, FALSE);
    EXPECT_EQ(hSmall, g_globalUtils.GetSmallWindowIcon(&wnd, bNew));
    EXPECT_FALSE(bNew);
    wnd.DestroyWindow();

    EXPECT_EQ(nullptr, g_globalUtils.GetSmallWindowIcon(nullptr, bNew));
}

// ---------------------------------------------------------------------------
// The dock manager's bar list, its look-ups and the dock bars' rows.

namespace {

// A bar of a fixed full size, as a toolbar measures its buttons.
class CFixedBar : public CZUDPBaseToolBar {
public:
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override
    {
        if (bStretch)
            return CZUDPBaseToolBar::CalcStretchSize(bStretch, bHorz);
        return bHorz ? CSize(100, 22) : CSize(22, 100);
    }
};

} // namespace

TEST(DockManagerTest, BarListRegistersOnceAndInsertsBeside)
{
    CZUDPFrameWnd frame;
    CZUDPDockManager& manager = *frame.GetDockManager();
    CZUDPControlBar a, b, c, d;
    EXPECT_TRUE(manager.RegisterBar(&a));
    EXPECT_FALSE(manager.RegisterBar(&a)) << "listed once";
    EXPECT_EQ(&frame, a.GetDockSiteFrame());
    EXPECT_TRUE(manager.RegisterBar(&b, FALSE)) << "at the head";
    EXPECT_TRUE(manager.InsertBarBeside(&c, &a, TRUE));
    EXPECT_FALSE(manager.InsertBarBeside(&c, &a, TRUE)) << "already listed";
    EXPECT_FALSE(manager.InsertBarBeside(&d, &d, TRUE)) << "the target is not listed";
    const CObList& list = manager.GetBarList();
    ASSERT_EQ(3, list.GetCount());
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(&b, list.GetNext(pos));
    EXPECT_EQ(&a, list.GetNext(pos));
    EXPECT_EQ(&c, list.GetNext(pos));

    // A replacement for a bar that is not listed is appended; for a listed
    // one it takes its place.
    manager.UnregisterBar(&d, FALSE, FALSE, FALSE, &d);
    EXPECT_EQ(&d, list.GetTail());
    manager.UnregisterBar(&d);
    manager.UnregisterBar(&a, FALSE, FALSE, FALSE, &d);
    pos = list.GetHeadPosition();
    EXPECT_EQ(&b, list.GetNext(pos));
    EXPECT_EQ(&d, list.GetNext(pos));
    EXPECT_EQ(&c, list.GetNext(pos));
}

TEST(DockManagerTest, FindingBarsAndDockBars)
{
    CZUDPFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350)));
    CZUDPDockManager& manager = *frame.GetDockManager();
    CZUDPDockBar* pTop = new CZUDPDockBar;
    CZUDPDockBar* pBottom = new CZUDPDockBar;
    ASSERT_TRUE(pTop->Create(CBRS_ALIGN_TOP, CRect(), &frame, 0));
    ASSERT_TRUE(pBottom->Create(CBRS_ALIGN_BOTTOM, CRect(), &frame, 0));
    EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_TOP), pTop->GetDockBarID());
    EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_BOTTOM), pBottom->GetDockBarID());
    manager.RegisterBar(pTop);
    manager.RegisterBar(pBottom);
    EXPECT_EQ(pBottom, manager.FindDockBarForSide(CBRS_BOTTOM));
    EXPECT_EQ(nullptr, manager.FindDockBarForSide(CBRS_ALIGN_LEFT));

    CFixedBar bar;
    ASSERT_TRUE(bar.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 22), &frame, 7,
                               ZUDP_CBRS_FLOAT));
    bar.SetDockableSides(CBRS_ALIGN_ANY);
    frame.DockBarAtSite(&bar, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    ASSERT_EQ(pBottom, bar.GetParentDockBar());
    EXPECT_TRUE(pBottom->GetStyle() & WS_VISIBLE);
    CRect rectBottom;
    pBottom->GetWindowRect(&rectBottom);
    EXPECT_EQ(22, rectBottom.Height());

    // A point near the dock bar finds it only with a sensitivity.
    const CPoint ptAbove(rectBottom.left + 10, rectBottom.top - 4);
    EXPECT_EQ(nullptr, manager.FindBarAtPoint(ptAbove, 0, TRUE, RUNTIME_CLASS(CZUDPDockBar)));
    EXPECT_EQ(pBottom, manager.FindBarAtPoint(ptAbove, 5, FALSE, RUNTIME_CLASS(CZUDPDockBar)));
    EXPECT_EQ(nullptr, manager.FindBarAtPoint(ptAbove, 5, FALSE, RUNTIME_CLASS(CZUDPDockBar), FALSE, pBottom));
    EXPECT_EQ(nullptr, manager.FindBarAtPoint(ptAbove, 5, FALSE, RUNTIME_CLASS(CZUDPDockBar), TRUE, pBottom));

    // The frame's layout leaves the rest to the view.
    CRect rectClient;
    frame.GetClientRect(&rectClient);
    EXPECT_EQ(CRect(0, 0, rectClient.right, rectClient.bottom - 22), manager.GetClientAreaRect());
    frame.DestroyWindow();
}

// A bar dragged onto the dock bar below its last row starts a new last
// row, above its first row a new first row.
TEST(DockBarTest, MouseDockingStartsNewRowsBeforeAndAfter)
{
    CZUDPFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 450, 350)));
    CZUDPDockBar* pTop = new CZUDPDockBar;
    ASSERT_TRUE(pTop->Create(CBRS_ALIGN_TOP, CRect(), &frame, 0));
    frame.RegisterBar(pTop);
    CFixedBar first, below, above;
    for (CFixedBar* pBar : {&first, &below, &above}) {
        ASSERT_TRUE(pBar->CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 100, 22), &frame, 7,
                                     ZUDP_CBRS_FLOAT));
        pBar->SetDockableSides(CBRS_ALIGN_ANY);
    }
    frame.DockBarAtSite(&first, 0, nullptr);
    ASSERT_EQ(1, pTop->GetRowCount());

    CPoint cursor;
    ScopedSeam<BOOL(POINT*)> cursorSeam(g_frameworkSeams.cursorPos, [&](POINT* p) {
        *p = cursor;
        return TRUE;
    });
    CRect rectTop;
    pTop->GetWindowRect(&rectTop);
    cursor = CPoint(rectTop.left + 150, rectTop.bottom + 2);
    ASSERT_TRUE(below.DockToTarget(pTop, nullptr, ZUDP_DM_MOUSE));
    ASSERT_EQ(2, pTop->GetRowCount());
    EXPECT_EQ(1, pTop->IndexOfRow(pTop->RowOfBar(&below)));

    pTop->GetWindowRect(&rectTop);
    cursor = CPoint(rectTop.left + 150, rectTop.top - 2);
    ASSERT_TRUE(above.DockToTarget(pTop, nullptr, ZUDP_DM_MOUSE));
    ASSERT_EQ(3, pTop->GetRowCount());
    EXPECT_EQ(0, pTop->IndexOfRow(pTop->RowOfBar(&above)));
    EXPECT_EQ(2, pTop->IndexOfRow(pTop->RowOfBar(&below)));
    pTop->GetWindowRect(&rectTop);
    EXPECT_EQ(66, rectTop.Height()) << "three rows of 22";
    // Each row's bars sit across the row at its offset.
    CRect rectBelow;
    below.GetWindowRect(&rectBelow);
    EXPECT_EQ(rectTop.top + 44, rectBelow.top);
    ReleaseCapture();
    frame.DestroyWindow();
}

// Rectangles off the work area come back until the margin shows.
TEST(GlobalUtilsTest, FitRectToWorkArea)
{
    ScopedSeam<BOOL(POINT, RECT*)> workArea(g_foundationSeams.monitorWorkArea, [](POINT, RECT* pRect) {
        *pRect = CRect(0, 0, 800, 600);
        return TRUE;
    });
    struct Row {
        CRect rect;
        CRect fitted;
    } rows[] = {
        {CRect(100, 100, 200, 150), CRect(100, 100, 200, 150)},
        {CRect(-300, 100, -200, 150), CRect(-84, 100, 16, 150)},
        {CRect(900, 100, 1000, 150), CRect(784, 100, 884, 150)},
        {CRect(100, -90, 200, -40), CRect(100, -34, 200, 16)},
        {CRect(100, 700, 200, 750), CRect(100, 584, 200, 634)},
    };
    for (const Row& row : rows) {
        CRect rect = row.rect;
        g_globalUtils.FitRectToWorkArea(rect, CSize(16, 16));
        EXPECT_EQ(row.fitted, rect);
    }
}

// The dock manager that serves a window: its library frame's, a floating
// frame's (its own, or its owner frame's), none for other windows.
TEST(GlobalUtilsTest, DockManagerOfWindow)
{
    CZUDPFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(50, 50, 450, 350)));
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
    EXPECT_EQ(frame.GetDockManager(), g_globalUtils.DockManagerOfWindow(&frame));
    EXPECT_EQ(frame.GetDockManager(), g_globalUtils.DockManagerOfWindow(&child));
    CZUDPMiniFrameWnd floating;
    ASSERT_TRUE(floating.CreateFrame(nullptr, WS_POPUP, CRect(0, 0, 100, 50), &frame));
    EXPECT_EQ(frame.GetDockManager(), g_globalUtils.DockManagerOfWindow(&floating)) << "its owner's";
    CZUDPDockManager other;
    floating.m_pDockManager = &other;
    EXPECT_EQ(&other, g_globalUtils.DockManagerOfWindow(&floating));
    CFrameWnd plain;
    ASSERT_TRUE(plain.Create(nullptr, "plain", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    EXPECT_EQ(nullptr, g_globalUtils.DockManagerOfWindow(&plain));
    EXPECT_EQ(nullptr, g_globalUtils.DockManagerOfWindow(nullptr));
    plain.DestroyWindow();
    floating.DestroyWindow();
    frame.DestroyWindow();
}
