// The anchor layout keeps controls at their distances from the edges they
// are anchored to when a dialog changes size.
#include "app/win/GDialogManager.h"
#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A resizable modeless dialog from a template in memory, with five buttons.
class CAnchorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_template.assign(64, 0);
        DLGTEMPLATE* dialogTemplate = reinterpret_cast<DLGTEMPLATE*>(m_template.data());
        dialogTemplate->style = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
        dialogTemplate->cx = 200;
        dialogTemplate->cy = 120;
        ASSERT_TRUE(m_dialog.CreateIndirect(dialogTemplate));
        const RECT rects[kControls] = {
            {10, 10, 60, 30}, {20, 40, 180, 150}, {200, 160, 260, 180}, {30, 170, 90, 190}, {120, 10, 170, 30}};
        for (int i = 0; i < kControls; ++i)
            ASSERT_TRUE(m_buttons[i].Create("B", WS_CHILD | WS_VISIBLE, rects[i], &m_dialog, 100 + i));
    }
    void TearDown() override { m_dialog.DestroyWindow(); }

    CRect ClientRectOf(CWnd& control)
    {
        CRect rect;
        control.GetWindowRect(&rect);
        m_dialog.ScreenToClient(&rect);
        return rect;
    }
    CSize ClientSize()
    {
        CRect rect;
        m_dialog.GetClientRect(&rect);
        return rect.Size();
    }
    void ResizeWindowBy(int dx, int dy)
    {
        CRect window;
        m_dialog.GetWindowRect(&window);
        m_dialog.SetWindowPos(nullptr, 0, 0, window.Width() + dx, window.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
    }

    enum { kControls = 5 };
    std::vector<WORD> m_template;
    CDialog m_dialog;
    CButton m_buttons[kControls];
};

TEST_F(CAnchorFixture, ControlsKeepTheirDistancesToTheEdgesTheyAreAnchoredTo)
{
    const UINT flags[kControls] = {0, 3, 12, 8 | 1, 4};
    CGDialogManager manager;
    manager.RecordClientRect(&m_dialog);
    CRect before[kControls];
    for (int i = 0; i < kControls; ++i) {
        before[i] = ClientRectOf(m_buttons[i]);
        ASSERT_TRUE(manager.RegisterControl(&m_buttons[i], flags[i]));
    }
    EXPECT_EQ(kControls, manager.GetControlCount());
    CSize sizeBefore = ClientSize();

    // Larger, then smaller than at the start: positions always come from the
    // registered rectangles, never from the previous step.
    const int steps[][2] = {{90, 70}, {40, 25}, {-30, -20}};
    for (const auto& step : steps) {
        ResizeWindowBy(step[0], step[1]);
        CSize size = ClientSize();
        manager.ApplyClientSize(size.cx, size.cy);
        int dx = size.cx - sizeBefore.cx;
        int dy = size.cy - sizeBefore.cy;
        SCOPED_TRACE(testing::Message() << "client change " << dx << " x " << dy);
        ASSERT_NE(0, dx);

        // No flags: unchanged.
        EXPECT_EQ(before[0], ClientRectOf(m_buttons[0]));
        // 3: top-left kept; distances to the right and bottom edges kept.
        CRect r = ClientRectOf(m_buttons[1]);
        EXPECT_EQ(before[1].TopLeft(), r.TopLeft());
        EXPECT_EQ(sizeBefore.cx - before[1].right, size.cx - r.right);
        EXPECT_EQ(sizeBefore.cy - before[1].bottom, size.cy - r.bottom);
        // 12: size kept, distance to the bottom-right corner kept.
        r = ClientRectOf(m_buttons[2]);
        EXPECT_EQ(before[2].Size(), r.Size());
        EXPECT_EQ(sizeBefore.cx - before[2].right, size.cx - r.right);
        EXPECT_EQ(sizeBefore.cy - before[2].bottom, size.cy - r.bottom);
        // 9: moves down and grows in width from a fixed left edge.
        r = ClientRectOf(m_buttons[3]);
        EXPECT_EQ(before[3].left, r.left);
        EXPECT_EQ(before[3].top + dy, r.top);
        EXPECT_EQ(before[3].Width() + dx, r.Width());
        EXPECT_EQ(before[3].Height(), r.Height());
        // 4: moves right only.
        r = ClientRectOf(m_buttons[4]);
        EXPECT_EQ(before[4].left + dx, r.left);
        EXPECT_EQ(before[4].top, r.top);
        EXPECT_EQ(before[4].Size(), r.Size());
    }
}

TEST_F(CAnchorFixture, ShrinkingBelowAControlsSizeGivesItNoNegativeSize)
{
    CGDialogManager manager;
    manager.RecordClientRect(&m_dialog);
    ASSERT_TRUE(manager.RegisterControl(&m_buttons[0], CGDialogManager::kAnchorGrowWidth | CGDialogManager::kAnchorGrowHeight));
    manager.ApplySizeChange(-1000, -1000);
    CRect r = ClientRectOf(m_buttons[0]);
    EXPECT_EQ(0, r.Width());
    EXPECT_EQ(0, r.Height());
}

TEST_F(CAnchorFixture, AControlWithoutAWindowIsNotRegisteredAndADestroyedOneIsSkipped)
{
    CGDialogManager manager;
    manager.RecordClientRect(&m_dialog);
    CButton notCreated;
    EXPECT_FALSE(manager.RegisterControl(&notCreated, 12));
    EXPECT_FALSE(manager.RegisterControl(nullptr, 12));
    ASSERT_TRUE(manager.RegisterControl(&m_buttons[4], 4));
    ASSERT_TRUE(manager.RegisterControl(&m_buttons[2], 12));
    m_buttons[2].DestroyWindow();
    manager.ApplySizeChange(15, 5);
    EXPECT_EQ(2, manager.GetControlCount());
    manager.RemoveAllControls();
    EXPECT_EQ(0, manager.GetControlCount());
}

} // namespace
