// Toolbar sizes and layout: wrapping into rows for a length, the narrowest
// width with the same rows, the gap between rows, separators that take no
// room, the overflow button's reserve and hidden list, centred floating
// rows, text labels that make every button as high as the tallest, and the
// row height the font asks for.
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"

#include <gtest/gtest.h>

#include <vector>

using namespace toolbartest;

namespace {

class ToolBarLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Make(CRect(0, 0, 600, 200))); }
    void TearDown() override { m_host.DestroyWindow(); }

    // The bar with buttons of the given commands (0: a separator), each
    // with an image, so that each is one column wide.
    void Fill(std::initializer_list<UINT> commands)
    {
        for (UINT id : commands)
            ASSERT_GE(m_bar.InsertButton(id == 0 ? NewButton(0, -1, nullptr, TBBS_SEPARATOR) : NewButton(id, 0)), 0);
    }
    CRect Rect(int i) const { return m_bar.GetButtonAt(i)->rect; }
    CRect Client() const
    {
        CRect rect;
        m_bar.GetClientRect(&rect);
        return rect;
    }
    // The bar's client area made the given size.
    void SizeClient(int cx, int cy)
    {
        CRect rectWindow, rectClient;
        m_bar.GetWindowRect(&rectWindow);
        m_bar.GetClientRect(&rectClient);
        m_bar.SetWindowPos(nullptr, 0, 0, cx + rectWindow.Width() - rectClient.Width(),
                           cy + rectWindow.Height() - rectClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    std::vector<UINT> Hidden() const
    {
        std::vector<UINT> commands;
        const auto& hidden = m_bar.GetOverflowButton()->hiddenButtons;
        for (POSITION pos = hidden.GetHeadPosition(); pos != nullptr;)
            commands.push_back(hidden.GetNext(pos)->commandId);
        return commands;
    }

    ToolbarStateGuard m_state;
    CHostWnd m_host;
    CZUDPToolBar m_bar;
};

} // namespace

// Without buttons a bar measures as one button, with the visual manager's
// extra room.
TEST_F(ToolBarLayoutTest, EmptyBarMeasuresAsOneButton)
{
    uitest::RecordingManagerScope manager;
    manager->buttonExtraSize = CSize(4, 2);
    ASSERT_TRUE(MakeToolbar(m_bar, m_host));
    const CSize sizeLibrary = CZUDPToolBar::GetLibraryButtonSize();
    EXPECT_EQ(CSize(sizeLibrary.cx + 4, sizeLibrary.cy + 2), m_bar.CalcSize(FALSE));
    EXPECT_EQ(CSize(sizeLibrary.cx + 4, sizeLibrary.cy + 2), m_bar.CalcSize(TRUE));
}

// Six one-column buttons wrapped for a length: the rows each length gives,
// and the narrowest width that keeps those rows (between two wrap points
// the bar does not grow).
TEST_F(ToolBarLayoutTest, WrappingAndTheNarrowestWidth)
{
    ASSERT_TRUE(MakeToolbar(m_bar, m_host));
    Fill({1, 2, 3, 4, 5, 6});
    const int C = m_bar.GetColumnWidth();
    const int R = m_bar.GetRowHeight();
    const struct {
        int length, rows, width;
    } cases[] = {
        {6 * C, 1, 6 * C}, {6 * C - 1, 2, 3 * C}, {3 * C + C / 2, 2, 3 * C}, {3 * C, 2, 3 * C},
        {3 * C - 1, 3, 2 * C}, {C, 6, C}, {0, 6, C},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.rows, m_bar.WrapToolBar(c.length)) << "length " << c.length;
        m_bar.SizeToLength(c.length, FALSE);
        const CSize size = m_bar.CalcSize(FALSE);
        // The running point starts one pixel in; rows are 5 pixels apart.
        EXPECT_EQ(1 + c.width, size.cx) << "length " << c.length;
        EXPECT_EQ(c.rows * R + (c.rows - 1) * 5, size.cy) << "length " << c.length;
    }
}

// Placed buttons: each row is R + 5 below the last; a separator at the
// start of a row, after a wrap or after another separator takes no room and
// cannot be hit.
TEST_F(ToolBarLayoutTest, RowsAndSeparatorsThatTakeNoRoom)
{
    ASSERT_TRUE(MakeToolbar(m_bar, m_host, CSize(300, 80)));
    // 1, |, |, 2, 3 (wrap), |, 4
    Fill({1, 0, 0, 2, 3, 0, 4});
    m_bar.GetButtonAt(4)->wrapAfter = TRUE;   // row 1 ends after 3
    m_bar.PositionButtons();
    const int C = m_bar.GetColumnWidth();
    const int R = m_bar.GetRowHeight();
    const int x0 = Client().left + 1;

    EXPECT_EQ(CRect(x0, 0, x0 + C, R), Rect(0));
    EXPECT_EQ(8, Rect(1).Width()) << "a separator between buttons";
    EXPECT_EQ(0, Rect(2).Width()) << "a second separator";
    EXPECT_TRUE(m_bar.GetButtonAt(2)->overflowHidden);
    EXPECT_EQ(x0 + C + 8, Rect(3).left);
    EXPECT_EQ(0, Rect(5).Width()) << "a separator after the wrap";
    EXPECT_EQ(CRect(x0, R + 5, x0 + C, 2 * R + 5), Rect(6)) << "the second row, 5 pixels down";
    EXPECT_EQ(-1, m_bar.HitTest(Rect(1).CenterPoint())) << "a separator is no button";
    EXPECT_EQ(6, m_bar.HitTest(Rect(6).CenterPoint()));
}

// A docked horizontal bar narrower than its buttons shows the overflow
// button at its right end and lists the buttons that did not fit in it;
// widening the bar brings them back.  Without a customize command and
// with nothing hidden the overflow button is not shown, and the last
// button may use its room.
TEST_F(ToolBarLayoutTest, OverflowButtonHidesWhatDoesNotFit)
{
    ASSERT_TRUE(MakeToolbar(m_bar, m_host));
    Fill({1, 2, 3, 4});
    m_bar.SetOverflowButton(TRUE, 900, "Customize");
    const int C = m_bar.GetColumnWidth();

    SizeClient(5 * C, 24);
    m_bar.PositionButtons();
    CCustomizeButton* pOverflow = m_bar.GetOverflowButton();
    EXPECT_TRUE(Hidden().empty());
    EXPECT_FALSE(pOverflow->overflowHidden) << "a customize command is always offered";
    EXPECT_EQ(Client().right - 1, pOverflow->rect.right);
    EXPECT_EQ(Client().Height(), pOverflow->rect.Height());

    const int nReserve = pOverflow->rect.Width() + 1;
    SizeClient(2 * C + nReserve + 1, 24);
    m_bar.PositionButtons();
    EXPECT_EQ((std::vector<UINT>{3, 4}), Hidden());
    EXPECT_TRUE(m_bar.GetButtonAt(2)->overflowHidden);
    EXPECT_FALSE(m_bar.GetButtonAt(1)->overflowHidden);
    EXPECT_NE(2, m_bar.HitTest(Rect(2).CenterPoint())) << "a hidden button cannot be hit";
    EXPECT_LE(Rect(1).right, pOverflow->rect.left);

    SizeClient(6 * C, 24);
    m_bar.PositionButtons();
    EXPECT_TRUE(Hidden().empty()) << "widened: all back";
    EXPECT_FALSE(m_bar.GetButtonAt(3)->overflowHidden);

    // No customize command: the reserve is free for the last button.
    m_bar.SetOverflowButton(TRUE, 0, "");
    SizeClient(4 * C + 1, 24);
    m_bar.PositionButtons();
    EXPECT_TRUE(Hidden().empty());
    EXPECT_TRUE(pOverflow->overflowHidden);
    EXPECT_TRUE(pOverflow->rect.IsRectEmpty());
    EXPECT_FALSE(m_bar.GetButtonAt(3)->overflowHidden);

    // A floating bar has no reserve and no overflow button.
    m_bar.SetOverflowButton(TRUE, 900, "Customize");
    m_bar.m_bFloating = TRUE;
    SizeClient(2 * C, 24);
    m_bar.PositionButtons();
    EXPECT_TRUE(pOverflow->overflowHidden);
    EXPECT_FALSE(m_bar.GetButtonAt(3)->overflowHidden);
}

// A floating horizontal bar centres each row; a docked one does not.
TEST_F(ToolBarLayoutTest, FloatingRowsAreCentred)
{
    ASSERT_TRUE(MakeToolbar(m_bar, m_host, CSize(200, 80)));
    Fill({1, 2, 3, 4});
    m_bar.GetButtonAt(2)->wrapAfter = TRUE;   // rows of 3 and 1
    const int C = m_bar.GetColumnWidth();
    const CRect client = Client();
    const int nStart = client.left + 1;
    m_bar.m_bFloating = TRUE;
    m_bar.PositionButtons();
    EXPECT_EQ(nStart + (client.right - 3 * C - nStart) / 2, Rect(0).left);
    EXPECT_EQ(nStart + (client.right - C - nStart) / 2, Rect(3).left);
    m_bar.m_bFloating = FALSE;
    m_bar.PositionButtons();
    EXPECT_EQ(nStart, Rect(0).left);
    EXPECT_EQ(nStart, Rect(3).left);
}

// Text labels on a horizontal bar: every button is as high as the tallest
// one with its label below; on a vertical bar labels are not used.
TEST_F(ToolBarLayoutTest, TextLabelsMakeButtonsUniformlyHigh)
{
    ASSERT_TRUE(MakeToolbar(m_bar, m_host, CSize(400, 80)));
    m_bar.InsertButton(NewButton(1, 0, "Open"));
    m_bar.InsertButton(NewButton(2, 0, "Save all the documents"));
    m_bar.InsertButton(NewButton(3, 0));
    m_bar.ShowTextLabels(TRUE);
    EXPECT_TRUE(m_bar.GetButtonAt(0)->textBelowImage);
    const int nTallest = m_bar.CalcMaxButtonHeight();
    EXPECT_GT(nTallest, m_bar.GetButtonSize().cy);
    m_bar.CalcLayout(LM_HORZ | LM_HORZDOCK);
    EXPECT_EQ(nTallest, m_bar.GetRowHeight());
    m_bar.PositionButtons();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(nTallest, Rect(i).Height()) << i;
    EXPECT_GT(Rect(1).Width(), Rect(0).Width()) << "the longer label";

    m_bar.ReplaceBarStyle(CBRS_ALIGN_LEFT);
    m_bar.ShowTextLabels(TRUE);
    EXPECT_FALSE(m_bar.GetButtonAt(0)->textBelowImage);
    EXPECT_EQ(0, m_bar.CalcMaxButtonHeight());
    EXPECT_NE(nTallest, m_bar.GetRowHeight());
}

// The row height is at least the text height of the bar's font (the font
// height plus 2, plus 5 for fonts of 15 pixels and more).
TEST_F(ToolBarLayoutTest, RowHeightFollowsTheFont)
{
    ASSERT_TRUE(MakeToolbar(m_bar, m_host));
    const int nButton = m_bar.GetButtonSize().cy;
    const int nSaved = g_uiEnvironment.m_textHeight;
    const int nSavedVertical = g_uiEnvironment.m_verticalTextHeight;
    g_uiEnvironment.m_textHeight = nButton + 7;
    EXPECT_EQ(nButton + 7, m_bar.GetRowHeight());
    g_uiEnvironment.m_textHeight = nButton - 7;
    EXPECT_EQ(nButton, m_bar.GetRowHeight());
    m_bar.ReplaceBarStyle(CBRS_ALIGN_LEFT);
    g_uiEnvironment.m_verticalTextHeight = nButton + 3;
    EXPECT_EQ(nButton + 3, m_bar.GetRowHeight()) << "a vertical bar: the vertical font";
    g_uiEnvironment.m_textHeight = nSaved;
    g_uiEnvironment.m_verticalTextHeight = nSavedVertical;
}

// A bar whose buttons have no width (a locked bar sized 0 x 0) still finds
// a width for a height: the search steps by at least one pixel and stops
// at the one-row width.
TEST_F(ToolBarLayoutTest, HeightSearchEndsForZeroWidthButtons)
{
    ASSERT_TRUE(MakeToolbar(m_bar, m_host));
    m_bar.m_bLocked = TRUE;
    m_bar.SetOwnSizes(CSize(0, 0), CSize(0, 0));
    for (UINT id = 1; id <= 3; ++id) {
        CZUDPToolbarButton* pButton = NewButton(id, -1, "Text");
        pButton->showText = TRUE;
        m_bar.InsertButton(pButton);
    }
    m_bar.SizeToLength(200, TRUE);
    const CSize size = m_bar.CalcSize(FALSE);
    EXPECT_GT(size.cx, 1);
    EXPECT_LE(size.cy, 200);
}
