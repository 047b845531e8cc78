// trov_floating_bench: moving floating frames against the bare system calls
// they stand on, in one run.  Run under Wine (headless):
//
//   trov_floating_bench [ROUNDS]      (default 5 rounds)
//
// 1. 1,000 immediate-mode move steps of a floating toolbar (WM_MOUSEMOVE
//    with the cursor at the next point) over a frame with 30 docked
//    toolbars: the frame asks the dock manager on every step whether to
//    dock, then moves.  Baseline: 1,000 bare SetWindowPos moves of the same
//    window to the same points.  Goal: 3 or less.
// 2. 1,000 outline-mode move steps of a floating pane's frame: the drag
//    frame asks the dock manager where the pane would dock and redraws the
//    outline on the desktop.  Baseline: 1,000 DrawDragRect calls on a
//    desktop DC, each erasing the last outline and drawing the next (a
//    pair of outlines).  Goal: 1.5 or less.
// Both sides are warmed up and run in alternating rounds; each line gives
// the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/Seam.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace benchrounds;

class CBenchToolBar : public CZUDPToolBar {
public:
    CSize CalcStretchSize(BOOL, BOOL bHorz) override { return bHorz ? CSize(200, 24) : CSize(24, 200); }
};

class CBenchPane : public CZUDPControlBar {
public:
    CSize CalcStretchSize(BOOL, BOOL) override { return CSize(160, 90); }
};

// The points of one pass: a loop inside the frame's client area, away from
// its dock bars.
std::vector<CPoint> MovePoints(const CRect& area)
{
    std::vector<CPoint> points;
    for (int i = 0; i < 1000; ++i) {
        const int step = i % 200;
        const int x = step < 100 ? step * 2 : (199 - step) * 2;
        points.emplace_back(area.left + 20 + x, area.top + 20 + (i / 200) * 10);
    }
    return points;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    std::printf("median of %d rounds\n", rounds);

    CZUDPFrameWnd frame;
    if (!frame.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1000, 760), nullptr, 0))
        return 1;
    const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    for (DWORD side : sides) {
        CZUDPDockBar* pDockBar = new CZUDPDockBar;
        if (!pDockBar->Create(side, CRect(), &frame, 0))
            return 1;
        frame.RegisterBar(pDockBar);
    }
    frame.GetDockManager()->EnableDocking(CBRS_ALIGN_ANY);
    frame.RecalcLayout();
    std::vector<std::unique_ptr<CBenchToolBar>> docked;
    for (int i = 0; i < 30; ++i) {
        docked.push_back(std::make_unique<CBenchToolBar>());
        CBenchToolBar& bar = *docked.back();
        if (!bar.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 24), &frame, UINT(1000 + i),
                            ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK))
            return 1;
        bar.SetDockableSides(CBRS_ALIGN_ANY);
        frame.DockBarAtSite(&bar, ids[i % 4], nullptr);
    }
    frame.RecalcLayout();
    CRect area = frame.GetDockManager()->GetClientAreaRect();
    frame.ClientToScreen(&area);
    const std::vector<CPoint> points = MovePoints(area);

    CPoint cursor = points.front();
    ScopedSeam<BOOL(POINT*)> cursorSeam(g_frameworkSeams.cursorPos, [&](POINT* p) {
        *p = cursor;
        return TRUE;
    });
    // The dock pause's timer is not needed: nothing rests over a dock bar.
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> timers(g_frameworkSeams.setTimer,
                                                                 [](HWND, UINT_PTR id, UINT, TIMERPROC) { return id; });

    // 1. Immediate moves of a floating toolbar.
    CBenchToolBar floating;
    if (!floating.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 200, 24), &frame, 2000,
                             ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK | ZUDP_CBRS_CLOSE))
        return 1;
    floating.SetDockableSides(CBRS_ALIGN_ANY);
    frame.DockBarAtSite(&floating, AFX_IDW_DOCKBAR_TOP, nullptr);
    floating.FloatBar(CRect(area.left + 20, area.top + 20, area.left + 230, area.top + 70), ZUDP_DM_MENU, TRUE);
    CZUDPMiniFrameWnd* pToolbarFrame = floating.GetParentMiniFrame(TRUE);
    if (pToolbarFrame == nullptr)
        return 1;
    const HWND hWndToolbarFrame = pToolbarFrame->m_hWnd;
    auto library = [&] {
        cursor = points.front();
        pToolbarFrame->BeginMove();
        for (const CPoint& pt : points) {
            cursor = pt;
            ::SendMessageA(hWndToolbarFrame, WM_MOUSEMOVE, MK_LBUTTON, 0);
        }
        ::SendMessageA(hWndToolbarFrame, WM_CANCELMODE, 0, 0);
    };
    auto bare = [&] {
        CRect rect;
        ::GetWindowRect(hWndToolbarFrame, &rect);
        for (const CPoint& pt : points)
            ::SetWindowPos(hWndToolbarFrame, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        ::SetWindowPos(hWndToolbarFrame, nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    };
    const Result moves = Compare(library, bare, 1, rounds);
    if (floating.GetParentMiniFrame(TRUE) != pToolbarFrame)
        std::abort();  // the toolbar docked: the steps did not stay over the client area
    std::printf("%-50s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 3)%s\n",
                "1,000 immediate moves, 30 docked toolbars", moves.candidate * 1e6, "1,000 bare SetWindowPos",
                moves.baseline * 1e6, moves.ratio, moves.ratio <= 3.0 ? "" : "  OVER");

    // 2. Outline moves of a floating pane's frame.
    CBenchPane pane;
    if (!pane.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 160, 90), &frame, 2001,
                         ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK | ZUDP_CBRS_CLOSE))
        return 1;
    pane.SetDockableSides(CBRS_ALIGN_ANY);
    pane.SetDockingMode(ZUDP_DOCK_OUTLINE);
    frame.DockBarAtSite(&pane, AFX_IDW_DOCKBAR_BOTTOM, nullptr);
    pane.FloatBar(CRect(area.left + 300, area.top + 200, area.left + 480, area.top + 320), ZUDP_DM_MENU, TRUE);
    CZUDPMiniFrameWnd* pPaneFrame = pane.GetParentMiniFrame(TRUE);
    if (pPaneFrame == nullptr)
        return 1;
    const HWND hWndPaneFrame = pPaneFrame->m_hWnd;
    CRect rectPaneFrame;
    pPaneFrame->GetWindowRect(&rectPaneFrame);
    auto outline = [&] {
        cursor = points.front() - CSize(20, 20);
        pPaneFrame->BeginMove();
        for (const CPoint& pt : points) {
            cursor = pt;
            ::SendMessageA(hWndPaneFrame, WM_MOUSEMOVE, MK_LBUTTON, 0);
        }
        ::SendMessageA(hWndPaneFrame, WM_CANCELMODE, 0, 0);
    };
    auto bareOutline = [&] {
        const HWND hDesktop = ::GetDesktopWindow();
        const SIZE size = {4, 4};
        CRect last;
        for (const CPoint& pt : points) {
            const HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
            const CRect next(pt, rectPaneFrame.Size());
            CDC::FromHandle(hDC)->DrawDragRect(&next, size, last.IsRectEmpty() ? nullptr : &last, size);
            ::ReleaseDC(hDesktop, hDC);
            last = next;
        }
        const HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        CDC::FromHandle(hDC)->DrawDragRect(CRect(), size, &last, size);
        ::ReleaseDC(hDesktop, hDC);
    };
    const Result outlines = Compare(outline, bareOutline, 1, rounds);
    std::printf("%-50s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= 1.5)%s\n",
                "1,000 outline moves", outlines.candidate * 1e6, "1,000 DrawDragRect pairs", outlines.baseline * 1e6,
                outlines.ratio, outlines.ratio <= 1.5 ? "" : "  OVER");

    for (auto& bar : docked)
        bar->DestroyWindow();
    if (::IsWindow(hWndToolbarFrame))
        ::DestroyWindow(hWndToolbarFrame);
    if (::IsWindow(hWndPaneFrame))
        ::DestroyWindow(hWndPaneFrame);
    frame.DestroyWindow();
    return 0;
}
