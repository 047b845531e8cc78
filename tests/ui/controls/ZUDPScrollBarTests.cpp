// The library's scroll bar while the visual manager draws scroll bars:
// geometry and hit tests, the thumb drag, auto-repeat driven by timer
// messages, what reaches the platform control, and owner drawing.
#include "ui/controls/ZUDPScrollBar.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

using controltest::CControlHost;
using controltest::Notice;
using controltest::ControlRecordingScope;
using controltest::SendMouse;
using controltest::TimerRecorder;

namespace {

const int kThickness = 17;

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost(600, 400));
        m_arrow = CZUDPScrollBar::ArrowSize(TRUE);
    }
    void TearDown() override
    {
        m_bar.reset();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    // A bar of the length along its direction, with range, page and
    // position.
    CZUDPScrollBar& Make(int length, int nMin, int nMax, UINT nPage, int nPos, BOOL bVert = FALSE)
    {
        m_bar = std::make_unique<CZUDPScrollBar>();
        const CRect rect = bVert ? CRect(10, 10, 10 + kThickness, 10 + length) : CRect(10, 10, 10 + length, 10 + kThickness);
        EXPECT_TRUE(m_bar->Create(WS_CHILD | WS_VISIBLE | (bVert ? SBS_VERT : SBS_HORZ), rect, &m_host, 1));
        SCROLLINFO info = {sizeof(info), SIF_ALL, nMin, nMax, nPage, nPos, 0};
        m_bar->SetScrollInfo(&info, FALSE);
        return *m_bar;
    }

    CRect Client() const
    {
        CRect rect;
        m_bar->GetClientRect(rect);
        return rect;
    }
    int HitAt(int along, int across = kThickness / 2)
    {
        CPoint point = m_bar->IsHorizontal() ? CPoint(along, across) : CPoint(across, along);
        m_bar->ClientToScreen(&point);
        return m_bar->HitTest(point);
    }
    std::vector<Notice> Codes(UINT code) const
    {
        std::vector<Notice> found;
        for (const Notice& n : m_host.notices)
            if ((n.message == WM_HSCROLL || n.message == WM_VSCROLL) && n.code == code)
                found.push_back(n);
        return found;
    }
    int TrackPos()
    {
        SCROLLINFO info = {sizeof(info), SIF_TRACKPOS};
        m_bar->GetScrollInfo(&info, SIF_TRACKPOS);
        return info.nTrackPos;
    }

    ControlRecordingScope m_manager;
    CControlHost m_host;
    std::unique_ptr<CZUDPScrollBar> m_bar;
    int m_arrow = 0;
};

TEST_F(ScrollBarTest, GeometryAndHitTests)
{
    const int a = m_arrow;
    // A bar a little shorter than two arrows; its middle pixel lies
    // between them.
    const int shortHalf = (a - 2) / 2;
    const int track = 100;
    const int length = 2 * a + track;
    // Nearly the whole int range (nMax - nMin + 1 is INT_MAX), a quarter
    // of it a page: the thumb is a quarter of the track.
    const int wideMin = -(1 << 30), wideMax = (1 << 30) - 2;
    struct Case {
        const char* name;
        int length;
        int nMin, nMax;
        UINT nPage;
        int nPos;
        BOOL vert;
        int disabledArrows;
        int thumbStart, thumbEnd;                 // along the bar; -1: no thumb
        std::vector<std::pair<int, int>> hits;    // (coordinate along the bar, part)
    };
    const Case cases[] = {
        {"page 10 of 100 at the start", length, 0, 99, 10, 0, FALSE, 0, a, a + 10,
         {{0, 1}, {a - 1, 1}, {a, 3}, {a + 9, 3}, {a + 10, 5}, {length - a, 2}, {length - 1, 2}, {length, 0}}},
        {"in the middle", length, 0, 99, 10, 45, FALSE, 0, a + 45, a + 55, {{a + 44, 4}, {a + 45, 3}, {a + 55, 5}}},
        {"at the end", length, 0, 99, 10, 90, FALSE, 0, a + 90, a + 100, {{a + 89, 4}, {a + 99, 3}}},
        {"vertical", length, 0, 99, 10, 45, TRUE, 0, a + 45, a + 55, {{a + 50, 3}, {a + 60, 5}}},
        {"a thumb is at least 8 pixels", length, 0, 9999, 1, 0, FALSE, 0, a, a + 8, {{a + 7, 3}, {a + 8, 5}}},
        {"a range of two thousand million", length, wideMin, wideMax, 1u << 29, 0, FALSE, 0, a + 50, a + 75,
         {{a + 1, 4}, {a + 60, 3}, {a + 80, 5}}},
        {"page 0 shows no thumb", length, 0, 99, 0, 0, FALSE, 0, -1, -1, {{a + 1, 6}, {0, 1}}},
        {"an empty range shows no thumb", length, 5, 5, 1, 5, FALSE, 0, -1, -1, {{a + 1, 6}}},
        {"both arrows disabled show no thumb", length, 0, 99, 10, 0, FALSE, ESB_DISABLE_BOTH, -1, -1, {{a + 1, 6}}},
        {"a short bar has half arrows and no thumb", 2 * shortHalf + 1, 0, 99, 10, 0, FALSE, 0, -1, -1,
         {{0, 1}, {shortHalf - 1, 1}, {shortHalf, 6}, {shortHalf + 1, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPScrollBar& bar = Make(c.length, c.nMin, c.nMax, c.nPage, c.nPos, c.vert);
        if (c.disabledArrows != 0)
            bar.EnableScrollBar(c.disabledArrows);
        const CRect client = Client();
        CRect expected(0, 0, 0, 0);
        if (c.thumbStart >= 0) {
            expected = client;
            if (c.vert) {
                expected.top = c.thumbStart;
                expected.bottom = c.thumbEnd;
            } else {
                expected.left = c.thumbStart;
                expected.right = c.thumbEnd;
            }
        }
        EXPECT_EQ(expected, bar.ThumbRect(client, !c.vert));
        for (const auto& hit : c.hits) {
            EXPECT_EQ(hit.second, HitAt(hit.first)) << "at " << hit.first;
        }

        // What is drawn matches: the thumb only where there is one.
        m_manager->Clear();
        bar.RedrawWindow();
        const auto thumbs = m_manager->Of("DrawScrollBarThumb");
        ASSERT_EQ(c.thumbStart >= 0 ? 1u : 0u, thumbs.size());
        if (!thumbs.empty()) {
            EXPECT_EQ(expected, thumbs[0].rect);
        }
        const auto buttons = m_manager->Of("DrawScrollBarButton");
        ASSERT_EQ(2u, buttons.size());
        EXPECT_EQ(!c.vert, buttons[0].flags[0]);
        EXPECT_EQ(TRUE, buttons[0].flags[3]) << "the first arrow";
        EXPECT_EQ(FALSE, buttons[1].flags[3]);
    }
}

TEST_F(ScrollBarTest, DraggingTheThumbReportsPositionsAndSnapsBackFarOffTheBar)
{
    const int a = m_arrow;
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
    const int grab = a + 5, across = kThickness / 2;
    SendMouse(bar, WM_MOUSEMOVE, grab, across);
    SendMouse(bar, WM_LBUTTONDOWN, grab, across, MK_LBUTTON);
    ASSERT_TRUE(bar.IsDraggingThumb());
    EXPECT_EQ(bar.m_hWnd, ::GetCapture());
    ASSERT_EQ(1u, Codes(SB_THUMBTRACK).size());
    EXPECT_EQ(0u, Codes(SB_THUMBTRACK)[0].value);

    const struct {
        int dx, dy;
        int position;     // the position the thumb stands for afterwards
        bool reported;    // a new SB_THUMBTRACK was sent
    } moves[] = {
        {45, 0, 45, true},
        {45, 3, 45, false},              // the same place: nothing new
        {45, 149, 45, false},            // still near enough
        {45, 150, 0, true},              // far off: back where it was grabbed
        {45, -150, 0, false},
        {500, 0, 90, true},              // held at the end of the track
        {-500, 10, 0, true},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(std::to_string(m.dx) + "," + std::to_string(m.dy));
        const size_t before = Codes(SB_THUMBTRACK).size();
        SendMouse(bar, WM_MOUSEMOVE, grab + m.dx, across + m.dy, MK_LBUTTON);
        EXPECT_EQ(m.position, TrackPos()) << "SIF_TRACKPOS answers the dragged position";
        ASSERT_EQ(before + (m.reported ? 1 : 0), Codes(SB_THUMBTRACK).size());
        if (m.reported) {
            EXPECT_EQ((UINT)m.position, Codes(SB_THUMBTRACK).back().value);
        }
    }

    // The parent moving the position meanwhile does not repaint the bar.
    SendMouse(bar, WM_MOUSEMOVE, grab + 45, across, MK_LBUTTON);
    m_manager->Clear();
    bar.SetScrollPos(70, TRUE);
    EXPECT_EQ(0, m_manager->Count("DrawScrollBarThumb"));
    EXPECT_EQ(45, TrackPos());

    SendMouse(bar, WM_LBUTTONUP, grab + 45, across);
    EXPECT_FALSE(bar.IsDraggingThumb());
    EXPECT_NE(bar.m_hWnd, ::GetCapture());
    EXPECT_EQ(1u, Codes(SB_ENDSCROLL).size());
    EXPECT_TRUE(Codes(SB_THUMBPOSITION).empty());

    // Not dragging, a new position shows at once.
    m_manager->Clear();
    bar.SetScrollPos(20, TRUE);
    EXPECT_EQ(1, m_manager->Count("DrawScrollBarThumb"));
}

TEST_F(ScrollBarTest, DraggingOverAWideRangeReachesItsEnds)
{
    // (highest - nMin) x offset needs more than 32 bits here.
    const int a = m_arrow;
    const int wideMin = -(1 << 30), wideMax = (1 << 30) - 2;
    const UINT page = 1u << 29;
    CZUDPScrollBar& bar = Make(2 * a + 100, wideMin, wideMax, page, wideMin);
    const int grab = a + 5;
    SendMouse(bar, WM_LBUTTONDOWN, grab, 5, MK_LBUTTON);
    SendMouse(bar, WM_MOUSEMOVE, grab + 500, 5, MK_LBUTTON);
    EXPECT_EQ(wideMax - (int)page + 1, TrackPos());
    SendMouse(bar, WM_MOUSEMOVE, grab + 25, 5, MK_LBUTTON);
    EXPECT_NEAR((double)wideMin + (double)(wideMax - (int)page + 1 - (double)wideMin) / 3, (double)TrackPos(), 2.0);
    SendMouse(bar, WM_MOUSEMOVE, grab - 500, 5, MK_LBUTTON);
    EXPECT_EQ(wideMin, TrackPos());
    SendMouse(bar, WM_LBUTTONUP, grab, 5);
}

TEST_F(ScrollBarTest, HoldingAnArrowStepsAtOnceAfterHalfASecondThenEvery50ms)
{
    const int a = m_arrow;
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
    TimerRecorder timers;
    const int second = 2 * a + 100 - a / 2;
    SendMouse(bar, WM_MOUSEMOVE, second, 5);
    SendMouse(bar, WM_LBUTTONDOWN, second, 5, MK_LBUTTON);
    EXPECT_EQ(1u, Codes(SB_LINEDOWN).size()) << "one step at once";
    ASSERT_EQ(1u, timers.StartedWith(CZUDPScrollBar::kDelayTimer).size());
    EXPECT_EQ(500u, timers.StartedWith(CZUDPScrollBar::kDelayTimer)[0].elapse);
    EXPECT_TRUE(timers.StartedWith(CZUDPScrollBar::kRepeatTimer).empty());

    bar.SendMessage(WM_TIMER, CZUDPScrollBar::kDelayTimer);
    EXPECT_EQ(1u, Codes(SB_LINEDOWN).size());
    EXPECT_FALSE(timers.Running(CZUDPScrollBar::kDelayTimer));
    ASSERT_EQ(1u, timers.StartedWith(CZUDPScrollBar::kRepeatTimer).size());
    EXPECT_EQ(50u, timers.StartedWith(CZUDPScrollBar::kRepeatTimer)[0].elapse);

    bar.SendMessage(WM_TIMER, CZUDPScrollBar::kRepeatTimer);
    bar.SendMessage(WM_TIMER, CZUDPScrollBar::kRepeatTimer);
    EXPECT_EQ(3u, Codes(SB_LINEDOWN).size());
    // Off the arrow the steps stop, the press goes on.
    SendMouse(bar, WM_MOUSEMOVE, a + 50, 5, MK_LBUTTON);
    bar.SendMessage(WM_TIMER, CZUDPScrollBar::kRepeatTimer);
    EXPECT_EQ(3u, Codes(SB_LINEDOWN).size());
    EXPECT_TRUE(Codes(SB_PAGEDOWN).empty());
    SendMouse(bar, WM_MOUSEMOVE, second, 5, MK_LBUTTON);
    bar.SendMessage(WM_TIMER, CZUDPScrollBar::kRepeatTimer);
    EXPECT_EQ(4u, Codes(SB_LINEDOWN).size());

    SendMouse(bar, WM_LBUTTONUP, second, 5);
    EXPECT_FALSE(timers.Running(CZUDPScrollBar::kRepeatTimer));
    EXPECT_EQ(1u, Codes(SB_ENDSCROLL).size());
    bar.SendMessage(WM_TIMER, CZUDPScrollBar::kRepeatTimer);
    EXPECT_EQ(4u, Codes(SB_LINEDOWN).size());
}

TEST_F(ScrollBarTest, EachPartPressedSendsItsCodeEvenWithoutAMoveBefore)
{
    // The thumb can move away under a resting pointer; the press still
    // counts where it happens.
    const int a = m_arrow;
    const struct {
        int along;
        UINT code;
        UINT message;
    } cases[] = {{1, SB_LINEUP, WM_HSCROLL}, {2 * a + 99, SB_LINEDOWN, WM_HSCROLL}, {a + 80, SB_PAGEDOWN, WM_HSCROLL}};
    for (const auto& c : cases) {
        CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
        m_host.notices.clear();
        SendMouse(bar, WM_MOUSEMOVE, a + 2, 5);   // over the thumb
        SendMouse(bar, WM_LBUTTONDOWN, c.along, 5, MK_LBUTTON);
        SendMouse(bar, WM_LBUTTONUP, c.along, 5);
        ASSERT_EQ(1u, Codes(c.code).size()) << c.along;
        EXPECT_EQ(c.message, Codes(c.code)[0].message);
        EXPECT_EQ(bar.m_hWnd, Codes(c.code)[0].from);
    }
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 50, TRUE);
    m_host.notices.clear();
    SendMouse(bar, WM_LBUTTONDOWN, 5, a + 10, MK_LBUTTON);
    SendMouse(bar, WM_LBUTTONUP, 5, a + 10);
    ASSERT_EQ(1u, Codes(SB_PAGEUP).size());
    EXPECT_EQ((UINT)WM_VSCROLL, Codes(SB_PAGEUP)[0].message);
}

TEST_F(ScrollBarTest, DoubleClicksStepOnArrowsOnlyAndLeavingEndsTheHotPart)
{
    const int a = m_arrow;
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 5));
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(a + 50, 5));
    trovtest::PumpPending();
    EXPECT_EQ(1u, Codes(SB_LINEUP).size());
    EXPECT_TRUE(Codes(SB_PAGEDOWN).empty());

    SendMouse(bar, WM_MOUSEMOVE, a + 2, 5);
    EXPECT_EQ(CZUDPScrollBar::PartThumb, bar.GetHotPart());
    bar.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(CZUDPScrollBar::PartNone, bar.GetHotPart());
}

TEST_F(ScrollBarTest, TheCaptureGoesBackOnlyToAWindowThatStillExists)
{
    const int a = m_arrow;
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
    for (bool destroyed : {false, true}) {
        SCOPED_TRACE(destroyed ? "holder destroyed" : "holder alive");
        CWnd holder;
        ASSERT_TRUE(holder.CreateEx(0, AfxRegisterWndClass(0), "holder", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        holder.SetCapture();
        SendMouse(bar, WM_LBUTTONDOWN, a + 50, 5, MK_LBUTTON);
        EXPECT_EQ(bar.m_hWnd, ::GetCapture());
        const HWND hHolder = holder.m_hWnd;
        if (destroyed)
            holder.DestroyWindow();
        SendMouse(bar, WM_LBUTTONUP, a + 50, 5);
        EXPECT_EQ(destroyed ? nullptr : hHolder, ::GetCapture());
        ::ReleaseCapture();
        if (!destroyed)
            holder.DestroyWindow();
    }
}

TEST_F(ScrollBarTest, DisabledArrowsAreDrawnDisabled)
{
    const int a = m_arrow;
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
    m_manager->Clear();
    bar.EnableScrollBar(ESB_DISABLE_LTUP);
    const auto buttons = m_manager->Of("DrawScrollBarButton");
    ASSERT_EQ(2u, buttons.size()) << "redrawn at once";
    EXPECT_EQ(TRUE, buttons[0].flags[4]);
    EXPECT_EQ(FALSE, buttons[1].flags[4]);
}

TEST_F(ScrollBarTest, OwnerDrawModeAsksTheOwnerForEachPart)
{
    const int a = m_arrow;
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
    bar.SetDrawMode(CZUDPScrollBar::DrawByOwner);
    m_manager->Clear();
    bar.RedrawWindow();
    EXPECT_TRUE(m_manager->calls.empty());
    ASSERT_EQ(4u, m_host.ownerDraws.size());
    const struct {
        int part;
        BOOL first;
        CRect rect;
    } expected[] = {
        {ScrollBarDrawInfo::ArrowButton, TRUE, CRect(0, 0, a, kThickness)},
        {ScrollBarDrawInfo::ArrowButton, FALSE, CRect(a + 100, 0, 2 * a + 100, kThickness)},
        {ScrollBarDrawInfo::Thumb, FALSE, CRect(a, 0, a + 10, kThickness)},
        {ScrollBarDrawInfo::Track, FALSE, CRect(a + 10, 0, a + 100, kThickness)},
    };
    for (size_t i = 0; i < 4; ++i) {
        const auto& [id, info] = m_host.ownerDraws[i];
        EXPECT_EQ(1, id);
        EXPECT_EQ(&bar, info.pScrollBar);
        EXPECT_NE(nullptr, info.pDC);
        EXPECT_EQ(expected[i].part, info.part) << i;
        EXPECT_EQ(expected[i].first, info.first) << i;
        EXPECT_EQ(expected[i].rect, CRect(info.rect)) << i;
        EXPECT_TRUE(info.horizontal);
    }
}

TEST_F(ScrollBarTest, APlatformBarIsLeftToThePlatform)
{
    const int a = m_arrow;
    CZUDPScrollBar& bar = Make(2 * a + 100, 0, 99, 10, 0);
    // The planner's bar: draw mode 0.
    bar.SetDrawMode(CZUDPScrollBar::DrawPlatform);
    EXPECT_FALSE(bar.IsCustom());
    m_manager->Clear();
    bar.RedrawWindow();
    bar.SetScrollPos(40, TRUE);
    EXPECT_TRUE(m_manager->calls.empty());
    EXPECT_EQ(40, bar.GetScrollPos());

    // A manager that does not draw scroll bars: the same.
    bar.SetDrawMode(CZUDPScrollBar::DrawByManager);
    EXPECT_TRUE(bar.IsCustom());
    CZUDPVisualManager::SetDefaultManager(nullptr);
    EXPECT_FALSE(bar.IsCustom());
    CZUDPVisualManager::SetDefaultManager(uitest::CRecordingVisualManager::Class());
}

} // namespace
