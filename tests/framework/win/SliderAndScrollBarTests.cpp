// The slider and scroll bar wrappers, and the UI-state message entry.
#include "framework/win/Controls.h"
#include "framework/win/WinApp.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

namespace {

class CUIStateWnd : public CWnd {
public:
    UINT action = 0, elements = 0;

protected:
    void OnUpdateUIState(UINT nAction, UINT nUIElement)
    {
        action = nAction;
        elements = nUIElement;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUIStateWnd, CWnd)
    ON_WM_UPDATEUISTATE()
END_MESSAGE_MAP()

class SliderAndScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200, nullptr,
                                      nullptr));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        AfxDeleteTempMaps();
    }
    CUIStateWnd m_parent;
};

TEST_F(SliderAndScrollBarTest, TheSliderKeepsRangePositionAndTicks)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(0, 0, 200, 40), &m_parent, 1));
    slider.SetRange(-10, 90, TRUE);
    int nMin = 0, nMax = 0;
    slider.GetRange(nMin, nMax);
    EXPECT_EQ(-10, nMin);
    EXPECT_EQ(90, nMax);
    slider.SetPos(40);
    EXPECT_EQ(40, slider.GetPos());
    slider.SetPos(500);
    EXPECT_EQ(90, slider.GetPos()) << "held inside the range";
    EXPECT_TRUE(slider.SetTic(20));
    EXPECT_EQ(20, slider.GetTic(0));
    EXPECT_EQ(3, slider.GetNumTics()) << "the two ends and the one set";
    slider.ClearTics();
    EXPECT_EQ(2, slider.GetNumTics());

    CRect channel, thumb;
    slider.GetChannelRect(channel);
    slider.GetThumbRect(thumb);
    EXPECT_FALSE(channel.IsRectEmpty());
    EXPECT_FALSE(thumb.IsRectEmpty());
    EXPECT_GT(channel.Width(), channel.Height());
}

TEST_F(SliderAndScrollBarTest, TheScrollBarsLimitTrackPositionAndArrows)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 200, 17), &m_parent, 2));
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 30, 0};
    bar.SetScrollInfo(&info);
    EXPECT_EQ(90, bar.GetScrollLimit());
    EXPECT_EQ(30, bar.GetTrackPos());
    EXPECT_TRUE(bar.EnableScrollBar(ESB_DISABLE_LTUP));
    EXPECT_TRUE(bar.EnableScrollBar(ESB_ENABLE_BOTH));
}

TEST_F(SliderAndScrollBarTest, UIStateChangesReachTheirHandler)
{
    m_parent.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL));
    EXPECT_EQ((UINT)UIS_SET, m_parent.action);
    EXPECT_EQ((UINT)(UISF_HIDEFOCUS | UISF_HIDEACCEL), m_parent.elements);
}

} // namespace
