// The custom caption of library frames: with the base visual manager the
// frame keeps Windows' caption; with a manager that draws captions, the
// frame lays out close, maximize and minimize buttons from the right,
// hit-tests them, and turns a release on the pressed button into its
// system command.
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

namespace {

// A frame that keeps the system commands posted to it.
class CCaptionFrame : public CZUDPFrameWnd {
public:
    std::vector<UINT> sysCommands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SYSCOMMAND) {
            sysCommands.push_back(UINT(wParam & 0xFFF0));
            return 0;
        }
        return CZUDPFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class FrameCaptionTest : public ::testing::Test {
protected:
    void SetUp() override { trovtest::InitFrameworkForTests(); }

    static BOOL Make(CFrameWnd& frame, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        return frame.Create(nullptr, "caption", dwStyle, CRect(50, 50, 450, 350));
    }
    // A point of a button (window-relative rectangle) on the screen.
    static CPoint OnScreen(CFrameWnd& frame, CPoint ptWindow)
    {
        CRect rectWindow;
        frame.GetWindowRect(&rectWindow);
        return rectWindow.TopLeft() + ptWindow;
    }
    static std::vector<UINT> Buttons(CZUDPFrameImpl& impl)
    {
        std::vector<UINT> hits;
        for (POSITION pos = impl.GetCaptionButtons().GetHeadPosition(); pos != nullptr;)
            hits.push_back(static_cast<CZUDPFrameCaptionButton*>(impl.GetCaptionButtons().GetNext(pos))->GetHitCode());
        return hits;
    }
};

} // namespace

// With the base manager every operation leaves the frame to Windows.
TEST_F(FrameCaptionTest, BaseManagerLeavesTheCaptionToWindows)
{
    CCaptionFrame frame;
    ASSERT_TRUE(Make(frame));
    CZUDPFrameImpl& impl = frame.GetFrameImpl();
    frame.SendMessage(ZUDM_CHANGEVISUALMANAGER);
    EXPECT_FALSE(impl.IsCustomCaptionActive());
    EXPECT_TRUE(impl.GetCaptionButtons().IsEmpty());
    CRect rectWindow;
    frame.GetWindowRect(&rectWindow);
    EXPECT_EQ(0u, impl.OnNcHitTest(rectWindow.TopLeft() + CPoint(60, 10)));
    NCCALCSIZE_PARAMS params = {};
    EXPECT_FALSE(impl.OnNcCalcSize(TRUE, &params));
    EXPECT_FALSE(impl.OnNcPaint());
    EXPECT_TRUE(frame.GetStyle() & WS_BORDER);
    frame.DestroyWindow();
}

// With a custom caption: buttons from the right (close rightmost), hit
// codes over them, the icon and the caption, nothing below.
TEST_F(FrameCaptionTest, ButtonsAreLaidOutFromTheRightAndHitTested)
{
    uitest::RecordingManagerScope manager;
    manager->answers["UsesCustomCaption"] = TRUE;
    CCaptionFrame frame;
    ASSERT_TRUE(Make(frame));
    CZUDPFrameImpl& impl = frame.GetFrameImpl();
    ASSERT_TRUE(impl.IsCustomCaptionActive());
    EXPECT_FALSE(frame.GetStyle() & WS_BORDER) << "Windows draws no caption";
    EXPECT_EQ((std::vector<UINT>{19, 26, 27}), Buttons(impl));
    CRect rectCaption;
    impl.GetCaptionRect(rectCaption);
    CZUDPFrameCaptionButton* pClose = impl.FindCaptionButton(19);
    CZUDPFrameCaptionButton* pMax = impl.FindCaptionButton(26);
    CZUDPFrameCaptionButton* pMin = impl.FindCaptionButton(27);
    ASSERT_TRUE(pClose != nullptr && pMax != nullptr && pMin != nullptr);
    EXPECT_EQ(rectCaption.right, pClose->m_rect.right);
    EXPECT_EQ(pClose->m_rect.left, pMax->m_rect.right);
    EXPECT_EQ(pMax->m_rect.left, pMin->m_rect.right);
    EXPECT_LE(pClose->m_rect.Height(), rectCaption.Height() - 2);

    struct Case {
        const char* where;
        CPoint ptWindow;
        UINT hit;
    } cases[] = {
        {"close", pClose->m_rect.CenterPoint(), 19},
        {"maximize", pMax->m_rect.CenterPoint(), 26},
        {"minimize", pMin->m_rect.CenterPoint(), 27},
        {"icon", CPoint(rectCaption.left + 2, rectCaption.CenterPoint().y), UINT(HTSYSMENU)},
        {"caption", CPoint(rectCaption.CenterPoint().x - 40, rectCaption.CenterPoint().y), UINT(HTCAPTION)},
        {"below the caption", CPoint(rectCaption.CenterPoint().x, rectCaption.bottom + 30), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.hit, impl.OnNcHitTest(OnScreen(frame, c.ptWindow))) << c.where;

    // The non-client area is painted by the manager.
    manager->Clear();
    frame.SendMessage(WM_NCPAINT, 1);
    EXPECT_EQ(1, manager->Count("DrawCustomFrameNonClient"));
    frame.DestroyWindow();
}

// A frame without the maximize box has no maximize button.
TEST_F(FrameCaptionTest, NoMaximizeBoxNoMaximizeButton)
{
    uitest::RecordingManagerScope manager;
    manager->answers["UsesCustomCaption"] = TRUE;
    CCaptionFrame frame;
    ASSERT_TRUE(Make(frame, WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX));
    EXPECT_EQ((std::vector<UINT>{19, 27}), Buttons(frame.GetFrameImpl()));
    frame.DestroyWindow();
}

// A release off the pressed close button closes nothing; on it, SC_CLOSE
// is posted.
TEST_F(FrameCaptionTest, ReleaseOnThePressedButtonPostsItsCommand)
{
    uitest::RecordingManagerScope manager;
    manager->answers["UsesCustomCaption"] = TRUE;
    CCaptionFrame frame;
    ASSERT_TRUE(Make(frame));
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    CZUDPFrameImpl& impl = frame.GetFrameImpl();
    CZUDPFrameCaptionButton* pClose = impl.FindCaptionButton(19);
    ASSERT_NE(nullptr, pClose);
    const CPoint ptClose = OnScreen(frame, pClose->m_rect.CenterPoint());
    CRect rectCaption;
    impl.GetCaptionRect(rectCaption);
    const CPoint ptAway = OnScreen(frame, CPoint(rectCaption.CenterPoint().x - 40, rectCaption.CenterPoint().y));

    struct Case {
        const char* what;
        CPoint releaseAt;
        std::vector<UINT> commands;
    } cases[] = {{"released outside", ptAway, {}}, {"released on it", ptClose, {UINT(SC_CLOSE)}}};
    for (const Case& c : cases) {
        frame.sysCommands.clear();
        impl.TrackCaptionButtonHover(ptClose);
        EXPECT_EQ(19u, impl.GetHotCaptionButton()) << c.what;
        frame.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        EXPECT_EQ(19u, impl.GetPressedCaptionButton()) << c.what;
        EXPECT_TRUE(pClose->m_bPushed);
        impl.TrackCaptionButtonHover(c.releaseAt);
        frame.SendMessage(WM_LBUTTONUP, 0, 0);
        trovtest::PumpPending();
        EXPECT_EQ(c.commands, frame.sysCommands) << c.what;
        EXPECT_EQ(0u, impl.GetPressedCaptionButton());
        EXPECT_FALSE(pClose->m_bPushed);
    }
    frame.DestroyWindow();
}

// A frame with a custom caption maximizes to the work area of its monitor;
// a frame with Windows' caption and border is left alone.
TEST_F(FrameCaptionTest, CustomCaptionFrameMaximizesToTheWorkArea)
{
    const CRect work(0, 30, 1000, 700);
    ScopedSeam<BOOL(POINT, RECT*)> monitor(g_foundationSeams.monitorWorkArea, [&](POINT, RECT* pRect) {
        *pRect = work;
        return TRUE;
    });
    {
        CCaptionFrame frame;
        ASSERT_TRUE(Make(frame));
        MINMAXINFO mmi = {};
        mmi.ptMaxSize = CPoint(5, 6);
        frame.GetFrameImpl().OnGetMinMaxInfo(&mmi);
        EXPECT_EQ(CPoint(5, 6), CPoint(mmi.ptMaxSize)) << "standard caption";
        frame.DestroyWindow();
    }
    uitest::RecordingManagerScope manager;
    manager->answers["UsesCustomCaption"] = TRUE;
    CCaptionFrame frame;
    ASSERT_TRUE(Make(frame));
    ASSERT_FALSE(frame.GetStyle() & WS_BORDER);
    MINMAXINFO mmi = {};
    frame.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(CPoint(0, 30), CPoint(mmi.ptMaxPosition));
    EXPECT_EQ(CPoint(1000, 670), CPoint(mmi.ptMaxSize));
    frame.DestroyWindow();
}
