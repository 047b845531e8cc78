// trov_docking_bench: the dock manager against the bare system calls it
// stands on, in one run.  Run under Wine (headless):
//
//   trov_docking_bench [ROUNDS]      (default 5 rounds)
//
// 1. Laying out a frame with 50 docked toolbars in rows on its four sides
//    after its area changed by 10 pixels (alternately narrower and wider)
//    against one BeginDeferWindowPos/DeferWindowPos/EndDeferWindowPos
//    batch that moves the same 50 toolbars to the same final rectangles.
//    Goal: 2 or less.
// 2. FindBarAtPoint over 200 listed bars for 10,000 points against a loop
//    of GetWindowRect and PtInRect over the same windows.  Goal: 1.5 or
//    less.
// Both sides are warmed up and run in alternating rounds; each line gives
// the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace benchrounds;

class CBenchBar : public CZUDPToolBar {
public:
    explicit CBenchBar(int nLength) : m_nLength(nLength) { SetMinSize(CSize(30, 30)); }
    CSize CalcStretchSize(BOOL, BOOL bHorz) override { return bHorz ? CSize(m_nLength, 24) : CSize(24, m_nLength); }
    void GetMinSize(CSize& size) const override { CZUDPControlBar::GetMinSize(size); }
    int m_nLength;
};

struct Placement {
    HWND hWnd;
    CRect rect;  // parent client coordinates
};

std::vector<Placement> Placements(const std::vector<std::unique_ptr<CBenchBar>>& bars)
{
    std::vector<Placement> placements;
    for (const auto& bar : bars) {
        CRect rect;
        bar->GetWindowRect(&rect);
        bar->GetParent()->ScreenToClient(&rect);
        placements.push_back({bar->m_hWnd, rect});
    }
    return placements;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    std::printf("median of %d rounds\n", rounds);

    // 1. Relayout of 50 docked toolbars.
    CZUDPFrameWnd frame;
    if (!frame.CreateEx(0, nullptr, "bench", WS_POPUP, CRect(0, 0, 900, 700), nullptr, 0))
        return 1;
    const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    for (DWORD side : sides) {
        CZUDPDockBar* pDockBar = new CZUDPDockBar;
        if (!pDockBar->Create(side, CRect(), &frame, 0))
            return 1;
        frame.RegisterBar(pDockBar);
    }
    frame.RecalcLayout();
    std::vector<std::unique_ptr<CBenchBar>> bars;
    for (int i = 0; i < 50; ++i) {
        const int side = i % 4;
        const int nInSide = i / 4;                     // 0..12
        const int nRow = nInSide / 4;                  // four bars a row
        const int nAlong = (nInSide % 4) * 225;  // a top or bottom row just fits the wide area
        bars.push_back(std::make_unique<CBenchBar>(220));
        CBenchBar& bar = *bars.back();
        if (!bar.CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 220, 24), &frame, UINT(1000 + i),
                            ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK))
            return 1;
        bar.SetDockableSides(CBRS_ALIGN_ANY);
        const BOOL bHorz = side < 2;
        bar.GetRecentDockInfo().m_recentDockedInfo.m_rectDockedRect =
            bHorz ? CRect(nAlong, nRow * 24, nAlong + 220, nRow * 24 + 24)
                  : CRect(nRow * 24, nAlong, nRow * 24 + 24, nAlong + 220);
        const CRect rectRow = bHorz ? CRect(0, nRow * 24 + 1, 1, nRow * 24 + 2) : CRect(nRow * 24 + 1, 0, nRow * 24 + 2, 1);
        frame.DockBarAtSite(&bar, ids[side], (nInSide % 4) == 0 ? nullptr : &rectRow);
    }
    CZUDPDockManager& manager = *frame.GetDockManager();
    const CRect wide(0, 0, 900, 700), narrow(0, 0, 890, 700);
    manager.SetClientAreaOverride(narrow);
    manager.LayoutDockedBars();
    const std::vector<Placement> narrowPlaces = Placements(bars);
    manager.SetClientAreaOverride(wide);
    manager.LayoutDockedBars();
    const std::vector<Placement> widePlaces = Placements(bars);

    bool bNarrowLibrary = false, bNarrowBare = false;
    auto library = [&] {
        bNarrowLibrary = !bNarrowLibrary;
        manager.SetClientAreaOverride(bNarrowLibrary ? narrow : wide);
        manager.LayoutDockedBars();
    };
    auto bare = [&] {
        bNarrowBare = !bNarrowBare;
        const std::vector<Placement>& places = bNarrowBare ? narrowPlaces : widePlaces;
        HDWP hdwp = ::BeginDeferWindowPos(int(places.size()));
        for (const Placement& p : places)
            hdwp = ::DeferWindowPos(hdwp, p.hWnd, nullptr, p.rect.left, p.rect.top, p.rect.Width(), p.rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        ::EndDeferWindowPos(hdwp);
    };
    const Result layout = Compare(library, bare, 20, rounds);
    std::printf("%-46s %9.1f us  vs %-32s %9.1f us  ratio %5.2f  (goal <= 2)%s\n",
                "layout of 50 docked toolbars, 10 px change", layout.candidate * 1e6,
                "one deferred batch of 50 moves", layout.baseline * 1e6, layout.ratio,
                layout.ratio <= 2.0 ? "" : "  OVER");

    // 2. The bar under a point.
    CZUDPFrameWnd hitFrame;
    if (!hitFrame.CreateEx(0, nullptr, "hits", WS_POPUP, CRect(0, 0, 1000, 800), nullptr, 0))
        return 1;
    std::vector<std::unique_ptr<CZUDPBaseControlBar>> hitBars;
    for (int i = 0; i < 200; ++i) {
        hitBars.push_back(std::make_unique<CZUDPBaseControlBar>());
        const CRect rect((i % 20) * 50, (i / 20) * 80, (i % 20) * 50 + 48, (i / 20) * 80 + 78);
        if (!hitBars.back()->CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, rect, &hitFrame,
                                       UINT(2000 + i), 0))
            return 1;
        hitFrame.GetDockManager()->RegisterBar(hitBars.back().get());
    }
    std::vector<CPoint> points;
    unsigned seed = 12345;
    for (int i = 0; i < 10000; ++i) {
        seed = seed * 1103515245u + 12345u;
        points.emplace_back(int((seed >> 8) % 1000), int((seed >> 4) % 800));
    }
    size_t nFoundLibrary = 0, nFoundBare = 0;
    auto libraryHits = [&] {
        nFoundLibrary = 0;
        for (const CPoint& pt : points)
            nFoundLibrary += hitFrame.GetDockManager()->FindBarAtPoint(pt, 0, TRUE, nullptr) != nullptr;
    };
    auto bareHits = [&] {
        nFoundBare = 0;
        for (const CPoint& pt : points) {
            for (const auto& bar : hitBars) {
                RECT rect;
                ::GetWindowRect(bar->m_hWnd, &rect);
                if (::PtInRect(&rect, pt)) {
                    ++nFoundBare;
                    break;
                }
            }
        }
    };
    const Result hits = Compare(libraryHits, bareHits, 1, rounds);
    if (nFoundLibrary != nFoundBare)
        std::abort();
    std::printf("%-46s %9.1f us  vs %-32s %9.1f us  ratio %5.2f  (goal <= 1.5)%s\n",
                "FindBarAtPoint, 200 bars, 10,000 points", hits.candidate * 1e6,
                "GetWindowRect + PtInRect loop", hits.baseline * 1e6, hits.ratio, hits.ratio <= 1.5 ? "" : "  OVER");

    for (auto& bar : bars)
        bar->DestroyWindow();
    for (auto& bar : hitBars)
        bar->DestroyWindow();
    hitFrame.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
