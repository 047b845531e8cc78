// Floating frames and their caption buttons: the buttons' images, size and
// glyph colour; the frame's non-client geometry, hit test and caption
// buttons; roll-up by timer 5; its archive and the reattachment of its
// saved bar; moving it with the mouse (driven by messages and the cursor
// seam) and the drag outline.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingSeams.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Caption buttons

TEST(CaptionButtonTest, ImageByHitCode)
{
    struct Row {
        UINT hit;
        BOOL first, second;
        int image;
    } rows[] = {
        {8, TRUE, TRUE, 9},   {8, TRUE, FALSE, 1},  {8, FALSE, TRUE, 13}, {8, FALSE, FALSE, 7},
        {9, FALSE, TRUE, 15}, {9, FALSE, FALSE, 16}, {19, FALSE, FALSE, 5}, {20, TRUE, TRUE, 5},
        {23, FALSE, FALSE, 27}, {24, FALSE, FALSE, 28}, {25, FALSE, FALSE, 13}, {21, FALSE, FALSE, -1},
        {0, FALSE, FALSE, -1},
    };
    for (const Row& row : rows) {
        CZUDPCaptionButton button(row.hit);
        EXPECT_EQ(row.image, button.GetMenuImageId(row.first, row.second)) << row.hit << " " << row.first << row.second;
    }
}

// Glyph plus 3 pixels left and right and 4 at the top and bottom; a
// hidden button is an empty rectangle at its place and draws nothing.
TEST(CaptionButtonTest, SizeAndHiddenButton)
{
    const CSize glyph = GetMenuGlyphSize();
    EXPECT_EQ(CSize(glyph.cx + 6, glyph.cy + 8), CZUDPCaptionButton::GetSize());
    CZUDPCaptionButton button(20);
    button.m_ptOrigin = CPoint(5, 7);
    EXPECT_EQ(CRect(CPoint(5, 7), CZUDPCaptionButton::GetSize()), button.GetRect());
    button.m_bHidden = TRUE;
    EXPECT_EQ(CRect(5, 7, 5, 7), button.GetRect());
    trovtest::DibCanvas canvas(40, 40);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    button.Draw(pDC, TRUE);
    EXPECT_EQ(0, canvas.CountOther(canvas.Rect(), trovtest::kWhite));
}

// A light glyph colour (every channel at least 193) draws the white glyph,
// any other the black one.
TEST(CaptionButtonTest, GlyphColourFollowsTheForeground)
{
    struct Row {
        COLORREF foreground, glyph, other;
    } rows[] = {
        {RGB(200, 200, 200), trovtest::kWhite, trovtest::kBlack},
        {RGB(200, 100, 200), trovtest::kBlack, trovtest::kWhite},
    };
    for (const Row& row : rows) {
        CZUDPCaptionButton button(20);
        button.m_clrForeground = row.foreground;
        const CSize size = CZUDPCaptionButton::GetSize();
        trovtest::DibCanvas canvas(size.cx, size.cy);
        canvas.Fill(trovtest::kMagenta);
        button.Draw(CDC::FromHandle(canvas.Dc()), TRUE);
        const RECT inside = {3, 4, size.cx - 3, size.cy - 4};
        EXPECT_GT(canvas.CountColor(inside, row.glyph), 0);
        EXPECT_EQ(0, canvas.CountColor(inside, row.other));
    }
}

// ---------------------------------------------------------------------------
// The floating frame

// A plain bar that is no toolbar (a frame hosting it has corner zones).
class CPlainPane : public CZUDPControlBar {
public:
    CSize CalcStretchSize(BOOL, BOOL) override { return CSize(150, 80); }
};

struct FloatingFixture : public ::testing::Test {
    CZUDPFrameWnd site;
    CZUDPMiniFrameWnd* frame = nullptr;
    CZUDPControlBar* bar = nullptr;
    std::vector<UINT_PTR> timersStarted;
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> timers{
        g_frameworkSeams.setTimer, [this](HWND, UINT_PTR id, UINT, TIMERPROC) {
            timersStarted.push_back(id);
            return id;
        }};
    ScopedSeam<BOOL(HWND, UINT_PTR)> killTimers{g_frameworkSeams.killTimer, [](HWND, UINT_PTR) { return TRUE; }};
    CPoint cursor{0, 0};
    ScopedSeam<BOOL(POINT*)> cursorSeam{g_frameworkSeams.cursorPos, [this](POINT* p) {
                                            *p = cursor;
                                            return TRUE;
                                        }};

    void SetUp() override
    {
        ASSERT_TRUE(site.CreateEx(0, nullptr, "site", WS_POPUP | WS_VISIBLE, CRect(100, 100, 700, 500), nullptr, 0));
    }
    void Host(BOOL bToolbar, DWORD dwControlBarStyle = ZUDP_CBRS_CLOSE | ZUDP_CBRS_FLOAT)
    {
        frame = new CZUDPMiniFrameWnd;
        frame->m_bAutoDelete = TRUE;
        ASSERT_TRUE(frame->CreateFrame("", WS_VISIBLE, CRect(200, 200, 400, 300), &site));
        if (bToolbar) {
            auto* pToolBar = new CZUDPToolBar;
            ASSERT_TRUE(pToolBar->CreateBar(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 3001));
            bar = pToolBar;
        } else {
            bar = new CPlainPane;
            ASSERT_TRUE(bar->CreatePane(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), frame, 3002));
        }
        bar->SetWindowText("Floating");
        bar->SetControlBarStyle(dwControlBarStyle);
        frame->AddHostedBar(bar);
    }
    void TearDown() override
    {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        delete bar;
        site.DestroyWindow();
    }
    CRect WindowRect() const
    {
        CRect rect;
        frame->GetWindowRect(&rect);
        return rect;
    }
    CRect ScreenRectOf(UINT nHit) const
    {
        CRect rect = frame->FindCaptionButton(nHit)->GetRect();
        rect.OffsetRect(WindowRect().TopLeft());
        return rect;
    }
};

// The frame is a popup of class "ZUDPMiniFrame", listed with the site's
// dock manager; a toolbar's frame has 3-pixel borders, any other 4; the
// client area is the window less the borders and the caption.
TEST_F(FloatingFixture, WindowBordersAndCaption)
{
    for (BOOL bToolbar : {TRUE, FALSE}) {
        SCOPED_TRACE(bToolbar ? "toolbar" : "pane");
        Host(bToolbar);
        char className[64] = {};
        ::GetClassNameA(frame->m_hWnd, className, sizeof className);
        EXPECT_EQ(0, strncmp(className, "ZUDPMiniFrame", 13)) << className;
        EXPECT_TRUE(frame->GetStyle() & WS_POPUP);
        EXPECT_NE(nullptr, site.GetDockManager()->GetMiniFrames().Find(frame));
        const int n = bToolbar ? 3 : 4;
        CRect margins;
        frame->GetBorderMargins(margins);
        EXPECT_EQ(CRect(n, n, n, n), margins);
        CRect rectClient;
        frame->GetClientRect(&rectClient);
        const CRect window = WindowRect();
        EXPECT_EQ(window.Width() - 2 * n, rectClient.Width());
        EXPECT_EQ(window.Height() - 2 * n - frame->GetCaptionHeight(), rectClient.Height());
        EXPECT_EQ(::GetSystemMetrics(SM_CYSMCAPTION), frame->GetCaptionHeight());
        frame->DestroyWindow();
        delete bar;
        bar = nullptr;
        frame = nullptr;
    }
}

// Without a dock manager for its parent the frame is not made, and the
// window it made for a moment is gone again.
TEST_F(FloatingFixture, ParentWithoutDockManagerLeavesNoWindow)
{
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    CZUDPMiniFrameWnd orphan;
    const INT_PTR nListed = g_miniFrameList.GetCount();
    EXPECT_FALSE(orphan.CreateFrame("", WS_VISIBLE, CRect(0, 0, 100, 100), &plain));
    EXPECT_EQ(nullptr, orphan.m_hWnd);
    EXPECT_EQ(nListed, g_miniFrameList.GetCount());
    plain.DestroyWindow();
}

// Buttons close, pin, menu, options from the right; the caption answers
// HTCLIENT and each button its hit code; a toolbar's frame has no corner
// zones, any other frame has them.
TEST_F(FloatingFixture, HitTestTable)
{
    Host(FALSE);
    frame->SetCaptionButtons(ZUDP_CAPTION_BTN_CLOSE | ZUDP_CAPTION_BTN_PIN | ZUDP_CAPTION_BTN_MENU |
                             ZUDP_CAPTION_BTN_OPTIONS);
    const CRect close = ScreenRectOf(20), pin = ScreenRectOf(9), menu = ScreenRectOf(8), options = ScreenRectOf(25);
    EXPECT_GT(close.left, pin.left);
    EXPECT_GT(pin.left, menu.left);
    EXPECT_GT(menu.left, options.left);
    EXPECT_EQ(g_captionButtonSpacing, close.left - pin.right);
    const CRect w = WindowRect();
    CRect margins;
    frame->GetBorderMargins(margins);
    auto hit = [&](CPoint pt) { return (UINT)frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)); };
    EXPECT_EQ(20u, hit(close.CenterPoint()));
    EXPECT_EQ(9u, hit(pin.CenterPoint()));
    EXPECT_EQ(8u, hit(menu.CenterPoint()));
    EXPECT_EQ(25u, hit(options.CenterPoint()));
    const CPoint captionPoint(w.left + margins.left + 2, w.top + margins.top + 2);
    EXPECT_EQ((UINT)HTCLIENT, hit(captionPoint));
    EXPECT_EQ((UINT)HTCAPTION, frame->HitTestNonClient(captionPoint, TRUE));
    EXPECT_EQ((UINT)HTTOPLEFT, hit(w.TopLeft()));
    EXPECT_EQ((UINT)HTBOTTOMRIGHT, hit(CPoint(w.right - 1, w.bottom - 1)));
    EXPECT_EQ((UINT)HTRIGHT, hit(CPoint(w.right - 1, w.CenterPoint().y)));
    frame->DestroyWindow();
    delete bar;

    Host(TRUE);
    const CRect t = WindowRect();
    EXPECT_EQ((UINT)HTTOP, hit(t.TopLeft())) << "a toolbar's frame has no corners";
    EXPECT_EQ((UINT)HTBOTTOM, hit(CPoint(t.right - 1, t.bottom - 1)));
}

// The close button only for a bar that may close; a roll-up bar gets the
// pin as well; the pin and menu tooltips read "Auto Hide".
TEST_F(FloatingFixture, CaptionButtonsOfTheHostedBar)
{
    Host(FALSE, ZUDP_CBRS_FLOAT);
    frame->SetCaptionButtons(ZUDP_CAPTION_BTN_CLOSE | ZUDP_CAPTION_BTN_MENU);
    EXPECT_EQ(nullptr, frame->FindCaptionButton(20)) << "the bar may not close";
    EXPECT_NE(nullptr, frame->FindCaptionButton(8));
    EXPECT_EQ(1, (int)frame->GetCaptionButtons().GetCount());
}

// Roll-up: timer 5 starts with the pin button; with the cursor outside the
// frame shrinks to its caption and borders, over it it unrolls; a pinned
// frame stays; the archive keeps the unrolled height.
TEST_F(FloatingFixture, RollUpByTimerFive)
{
    Host(FALSE, ZUDP_CBRS_CLOSE | ZUDP_CBRS_FLOAT | ZUDP_CBRS_AUTO_ROLLUP);
    EXPECT_NE(timersStarted.end(), std::find(timersStarted.begin(), timersStarted.end(), (UINT_PTR)5));
    EXPECT_NE(nullptr, frame->FindCaptionButton(9)) << "pin";
    const CRect unrolled = WindowRect();
    CRect rectClient;
    frame->GetClientRect(&rectClient);

    frame->m_nPinState = 1;
    cursor = CPoint(10, 10);
    frame->SendMessage(WM_TIMER, 5);
    EXPECT_EQ(unrolled, WindowRect()) << "pinned";

    frame->m_nPinState = 0;
    frame->SendMessage(WM_TIMER, 5);
    EXPECT_TRUE(frame->IsRolledUp());
    EXPECT_EQ(unrolled.Height() - rectClient.Height(), WindowRect().Height());

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        frame->Serialize(ar);
    }
    file.SeekToBegin();
    int32_t values[9] = {};
    ASSERT_EQ(sizeof values, file.Read(values, sizeof values));
    EXPECT_EQ(unrolled, CRect(values[1], values[2], values[3], values[4])) << "unrolled height saved";
    EXPECT_EQ(3002, values[6]);
}

// The archive: style, rectangle, visibility, bar id, button flags, pin.  A
// damaged style and an off-screen rectangle come back as a popup on the
// work area; a saved bar that is gone destroys the re-created frame.
TEST_F(FloatingFixture, ArchiveIsCheckedAndAMissingBarDestroysTheFrame)
{
    const int32_t values[9] = {(int32_t)(WS_CHILD | WS_DISABLED | WS_VISIBLE), -30000, -30000, -29800, -29900, 1,
                               4242, ZUDP_CAPTION_BTN_CLOSE, 1};
    CMemFile file;
    file.Write(values, sizeof values);
    file.SeekToBegin();
    g_miniFrameLoadParent = &site;
    CZUDPMiniFrameWnd* pLoaded = new CZUDPMiniFrameWnd;
    pLoaded->m_bAutoDelete = TRUE;
    {
        CArchive ar(&file, CArchive::load);
        pLoaded->Serialize(ar);
    }
    g_miniFrameLoadParent = nullptr;
    ASSERT_TRUE(::IsWindow(pLoaded->m_hWnd));
    const HWND hWnd = pLoaded->m_hWnd;
    const DWORD dwStyle = pLoaded->GetStyle();
    EXPECT_TRUE(dwStyle & WS_POPUP);
    EXPECT_FALSE(dwStyle & (WS_CHILD | WS_DISABLED));
    CRect rect;
    pLoaded->GetWindowRect(&rect);
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(CRect().IntersectRect(&rect, &work)) << "on the work area";
    EXPECT_TRUE(pLoaded->IsPinned());

    pLoaded->ReattachSavedBar(site.GetDockManager());
    EXPECT_FALSE(::IsWindow(hWnd)) << "bar 4242 does not exist";
}

// A drag of a floating toolbar's edge lands on one of the toolbar's own
// layouts; a drag that changes neither dimension keeps the frame.
TEST_F(FloatingFixture, ToolbarFrameSnapsToTheToolbarsLayouts)
{
    Host(TRUE);
    auto* pToolBar = static_cast<CZUDPToolBar*>(bar);
    pToolBar->ReplaceBarStyle(pToolBar->GetBarStyle() | CBRS_SIZE_DYNAMIC);
    for (UINT i = 0; i < 6; ++i) {
        auto* pButton = new CZUDPToolbarButton(4000 + i, -1, "Button", FALSE, TRUE);
        pButton->showText = TRUE;
        if (pToolBar->InsertButton(pButton) < 0)
            delete pButton;
    }
    pToolBar->RecalcLayoutNow();
    frame->SizeToHostedBar();
    const CRect before = WindowRect();

    CRect rect = before;
    rect.right += 3;
    frame->SendMessage(WM_SIZING, WMSZ_RIGHT, (LPARAM)(LPRECT)&rect);
    EXPECT_EQ(before, rect) << "no layout fits better";

    const CSize sizeOneRow = pToolBar->CalcSize(FALSE);
    rect = before;
    rect.right = rect.left + before.Width() / 2 + 7;
    const int nAsked = rect.Width();
    frame->SendMessage(WM_SIZING, WMSZ_RIGHT, (LPARAM)(LPRECT)&rect);
    EXPECT_EQ(before.left, rect.left);
    EXPECT_LT(rect.Width(), before.Width());
    EXPECT_NE(nAsked, rect.Width());
    EXPECT_EQ(before.Width() + pToolBar->CalcSize(FALSE).cx - sizeOneRow.cx, rect.Width())
        << "the width changes by as much as the toolbar's layout";
    EXPECT_GT(rect.Height(), before.Height()) << "wrapped into more rows";
}

// The "Toolbar Options" button of a toolbar without an overflow button
// opens nothing.
TEST_F(FloatingFixture, OptionsButtonWithoutOverflowOpensNothing)
{
    Host(TRUE);
    frame->SetCaptionButtons(ZUDP_CAPTION_BTN_OPTIONS);
    ASSERT_NE(nullptr, frame->FindCaptionButton(ZUDP_HIT_OPTIONS));
    EXPECT_EQ(ZUDP_HIT_OPTIONS, frame->ShowCustomizeMenu(ZUDP_HIT_OPTIONS));
    EXPECT_EQ(nullptr, g_activePopupMenu);
}

// A press and release without motion moves nothing.
TEST_F(FloatingFixture, ClickWithoutMotionDoesNothing)
{
    Host(TRUE);
    const CRect before = WindowRect();
    cursor = before.TopLeft() + CSize(6, 6);
    frame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(frame->IsMovingWithMouse());
    frame->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    frame->SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(frame->IsMovingWithMouse());
    EXPECT_EQ(before, WindowRect());
    EXPECT_NE(frame->m_hWnd, ::GetCapture());
}

// An outline move draws 4-pixel outlines (nothing below the drag
// threshold) and, docking nothing, leaves the frame at the rectangle.
TEST_F(FloatingFixture, OutlineMoveLeavesTheFrameAtTheOutline)
{
    const DWORD dwMode = g_globalDockMode;
    g_globalDockMode = ZUDP_DOCK_OUTLINE;
    Host(FALSE);  // toolbars always move themselves
    struct Drawn {
        BOOL hasNew;
        int width;
    };
    std::vector<Drawn> drawn;
    ScopedSeam<void(const RECT*, int, const RECT*, int)> outline(
        g_commandBarsSeams.drawDragOutline,
        [&](const RECT* pNew, int nWidth, const RECT*, int) { drawn.push_back({pNew != nullptr, nWidth}); });
    const CRect before = WindowRect();
    cursor = before.TopLeft() + CSize(20, 6);
    frame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    cursor.x += 1;
    frame->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_TRUE(drawn.empty()) << "below the drag threshold";
    cursor += CSize(60, 40);
    frame->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(g_uiEnvironment.m_dragFrameWidth, drawn.back().width);
    EXPECT_EQ(before, WindowRect()) << "only the outline moves";
    frame->SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(before + CPoint(61, 40), WindowRect());
    EXPECT_FALSE(drawn.back().hasNew) << "the outline is erased";
    g_globalDockMode = dwMode;
}

// A cancelled move always lets the mouse go, even when the bar cannot go
// back to a recent place; the drag's update lock goes with it.
TEST_F(FloatingFixture, CancelAlwaysEndsTheMove)
{
    const DWORD dwMode = g_globalDockMode;
    g_globalDockMode = ZUDP_DOCK_OUTLINE;
    Host(FALSE);  // toolbars always move themselves
    // The last call decides: a handle locks, null lets go.
    bool locked = false;
    ScopedSeam<BOOL(HWND)> lock(g_dockingSeams.lockWindowUpdate, [&](HWND hWnd) {
        locked = hWnd != nullptr;
        return TRUE;
    });
    cursor = WindowRect().TopLeft() + CSize(20, 6);
    frame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    cursor += CSize(50, 50);
    frame->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_TRUE(locked) << "the outline holds the frame's drawing back";
    frame->ShowWindow(SW_HIDE);  // the return to a recent place is tried, and fails
    frame->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(frame->IsMovingWithMouse());
    EXPECT_NE(frame->m_hWnd, ::GetCapture());
    EXPECT_FALSE(locked);

    // A move whose frame goes away releases the lock too.
    frame->ShowWindow(SW_SHOWNA);
    frame->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    cursor += CSize(50, 50);
    frame->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_TRUE(locked);
    frame->DestroyWindow();
    frame = nullptr;
    EXPECT_FALSE(locked);
    g_globalDockMode = dwMode;
}

} // namespace
