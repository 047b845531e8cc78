// The tab window's layout, with sizes from the measured font and system
// metrics: the strip and the window area of each style at the top and at
// the bottom, the row's buttons, the tabs' widths per style, squeezing,
// the tab list, the close button on the active tab, the resize bar, the
// flat tabs' font and the rows that hide.
#include "tests/ui/docking/TabWndTestSupport.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

using tabtest::TabWindowFixture;
using tabtest::TextWidth;

namespace {

const int kWidth = 400, kHeight = 200;
const int kMargin = 2;  // the base visual manager's horizontal strip inset

class TabLayoutTest : public TabWindowFixture {
protected:
    CRect Strip() const
    {
        CRect rect;
        m_tabs->GetTabStripRect(rect);
        return rect;
    }
    CRect WndArea() const
    {
        CRect rect;
        m_tabs->GetWndArea(rect);
        return rect;
    }
    CRect TabRect(int i) const
    {
        CRect rect;
        m_tabs->GetTabRectAt(i, rect);
        return rect;
    }
    CRect ButtonRect(CZUDTabButton& button) const
    {
        CRect rect;
        button.GetWindowRect(&rect);
        m_tabs->ScreenToClient(&rect);
        return rect;
    }
    // The side of a row button: the glyph cell and 4 pixels, in the
    // non-flat looks 2 more but at most the tab height less 4.
    int ButtonSide(BOOL bFlat) const
    {
        const int s = GetMenuGlyphSize().cx + 4;
        return bFlat ? s : std::min(m_tabs->GetTabHeight() - 4, s + 2);
    }
};

TEST_F(TabLayoutTest, StripAndWindowAreaOfEachStyle)
{
    const int b = 2;
    for (int style = 0; style <= 7; ++style) {
        for (ZUDPTabLocation location : {TabLocationTop, TabLocationBottom}) {
            SCOPED_TRACE(testing::Message() << "style " << style << (location == TabLocationTop ? " top" : " bottom"));
            Create(style, location, FALSE, kWidth, kHeight);
            AddTabs({"One", "Two"});
            const BOOL bFlat = style == 1 || style == 2;
            const BOOL bScrolled = style != 0 && style != 6;
            const BOOL bShaped = style >= 4;
            const int h = m_tabs->GetTabHeight();
            ASSERT_GT(h, 0);
            EXPECT_EQ(b, m_tabs->GetTabBorderSize());
            const CRect strip = Strip();
            const CRect area = WndArea();

            // Height and place of the strip; the window area beside it.
            EXPECT_EQ(h, strip.Height());
            const int flatInset = bFlat ? b - 1 : 0;
            if (location == TabLocationTop) {
                EXPECT_EQ(flatInset, strip.top);
                EXPECT_EQ(strip.bottom + b, area.top);
                EXPECT_EQ(kHeight - b - 1, area.bottom);
            } else {
                EXPECT_EQ(kHeight - flatInset, strip.bottom);
                EXPECT_EQ(b + 1, area.top) << "the area keeps its frame at the top";
                EXPECT_EQ(bFlat ? strip.top : strip.top - b, area.bottom);
            }
            EXPECT_EQ(b + 1, area.left);
            EXPECT_EQ(kWidth - b - 1, area.right);

            // The row's buttons: scroll left and right (first and last too
            // in the flat look), none in the styles that do not scroll.
            const int s = ButtonSide(bFlat);
            const int nButtons = bFlat ? 4 : (bScrolled ? 2 : 0);
            const int w = nButtons * (s + 3);
            if (!bScrolled) {
                EXPECT_EQ(kMargin, strip.left);
                EXPECT_EQ(kWidth - kMargin, strip.right);
                EXPECT_EQ(nullptr, m_tabs->GetScrollLeftButton().GetSafeHwnd());
                continue;
            }
            const CRect left = ButtonRect(m_tabs->GetScrollLeftButton());
            const CRect right = ButtonRect(m_tabs->GetScrollRightButton());
            EXPECT_EQ(CSize(s, s), left.Size());
            EXPECT_EQ(CSize(s, s), right.Size());
            EXPECT_TRUE(ButtonRect(m_tabs->GetCloseButton()).IsRectEmpty()) << "no close button was asked for";
            if (bFlat) {
                // The buttons sit left of the flat tabs; style 2's scroll
                // bar and its splitter take the right end.
                EXPECT_EQ(kMargin + w + 1, strip.left);
                if (style == 1) {
                    EXPECT_EQ(kWidth - kMargin - 1, strip.right);
                } else {
                    CRect bar;
                    m_tabs->GetSharedScrollBar().GetWindowRect(&bar);
                    m_tabs->ScreenToClient(&bar);
                    EXPECT_EQ(bar.left - 5, strip.right);
                    EXPECT_EQ(kWidth - kMargin - 1 - ::GetSystemMetrics(SM_CXVSCROLL), bar.right);
                }
                const CRect first = ButtonRect(m_tabs->GetScrollFirstButton());
                EXPECT_EQ(b + 1, first.left);
                EXPECT_EQ(first.right + 3, left.left);
            } else if (bShaped) {
                // The scroll-left button goes before the tabs.
                EXPECT_EQ(kMargin + s, strip.left);
                EXPECT_EQ(strip.left - s - 1, left.left);
                EXPECT_EQ(strip.right + 1, right.left);
            } else {
                EXPECT_EQ(kMargin, strip.left);
                EXPECT_EQ(kWidth - kMargin - w, strip.right);
                EXPECT_EQ(strip.right + 1, left.left);
                EXPECT_EQ(left.right + 3, right.left);
            }
        }
    }
}

TEST_F(TabLayoutTest, TabWidthsFollowTheLabelAndTheStyle)
{
    CFont& font = g_uiEnvironment.m_fontRegular;
    for (int style : {0, 3, 4, 5, 6, 7}) {
        SCOPED_TRACE(testing::Message() << "style " << style);
        Create(style, TabLocationTop);
        AddTabs({"One", "Wider label"});
        const int H = Strip().Height();
        int extra = 0;
        if (style == 4)
            extra = H + 8;
        else if (style == 5)
            extra = H;
        else if (style >= 6)
            extra = H / 2;
        for (int i = 0; i < 2; ++i) {
            const char* label = i == 0 ? "One" : "Wider label";
            const int full = TextWidth(font, label) + 2 * 4 + 4 + extra;
            EXPECT_EQ(full, m_tabs->GetTabFullWidth(i)) << label;
            EXPECT_EQ(full, TabRect(i).Width()) << label;
            // Tabs at the top lie 2 pixels below their strip's top.
            EXPECT_EQ(Strip().top + 2, TabRect(i).top) << label;
            EXPECT_EQ(H - 2, TabRect(i).Height()) << label;
        }
    }
    Create(0, TabLocationBottom);
    AddTabs({"One"});
    EXPECT_EQ(Strip().top, TabRect(0).top) << "tabs at the bottom start at the strip's top";
}

TEST_F(TabLayoutTest, TooNarrowAStripSqueezesTheWideTabs)
{
    Create(0, TabLocationTop, FALSE, 200, 100);
    AddTabs({"a", "A rather long first label", "A rather long second label", ""});
    const CRect strip = Strip();
    const int n = 4;
    const int target = strip.Width() / n - 1;
    const int narrowA = m_tabs->GetTabFullWidth(0);
    const int narrowEmpty = m_tabs->GetTabFullWidth(3);
    ASSERT_LT(narrowA, target);
    ASSERT_LT(narrowEmpty, target);
    const int surplus = (target - narrowA) + (target - narrowEmpty);
    const int wide = target + surplus / 2;
    ASSERT_GT(m_tabs->GetTabFullWidth(1), wide);

    EXPECT_EQ(narrowA, TabRect(0).Width()) << "a narrow tab keeps its width";
    EXPECT_EQ(wide, TabRect(1).Width()) << "the wide tabs share the rest";
    EXPECT_EQ(wide, TabRect(2).Width());
    EXPECT_EQ(8, TabRect(3).Width()) << "an empty label: the image width + 8";
    EXPECT_EQ(TabRect(0).right, TabRect(1).left - 1) << "squeezed tabs follow one pixel apart";
}

TEST_F(TabLayoutTest, TheTabListHidesTabsPastTheStripAndCutsTheActiveFirstTab)
{
    Create(3, TabLocationTop, FALSE, 120, 100);
    AddTabs({"A first label that is long", "Second", "Third", "Fourth"});
    m_tabs->EnableTabListMenu(TRUE);
    const CRect strip = Strip();
    EXPECT_TRUE(m_tabs->AreTabsHidden());
    // The active first tab is cut at the strip's end; the tabs after it are
    // hidden: no width, no rectangle.
    EXPECT_EQ(strip.right, TabRect(0).right);
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(TabRect(i).IsRectEmpty()) << i;
        EXPECT_EQ(0, m_tabs->GetTabFullWidth(i)) << i;
    }
    // In the list mode the scroll-left button is hidden.
    CRect left;
    m_tabs->GetScrollLeftButton().GetWindowRect(&left);
    EXPECT_TRUE(left.IsRectEmpty());

    // Wide enough: nothing hidden.
    m_tabs->SetWindowPos(nullptr, 0, 0, 1000, 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(m_tabs->AreTabsHidden());
    EXPECT_FALSE(TabRect(3).IsRectEmpty());
}

TEST_F(TabLayoutTest, TheCloseButtonOnTheActiveTabWidensIt)
{
    Create(3, TabLocationTop, TRUE);
    AddTabs({"One", "One"});
    const CRect closeBefore = ButtonRect(m_tabs->GetCloseButton());
    EXPECT_FALSE(closeBefore.IsRectEmpty()) << "the row's close button";
    const int plain = m_tabs->GetTabFullWidth(1);

    m_tabs->EnableActiveTabCloseButton(TRUE);
    const int H = Strip().Height();
    EXPECT_EQ(plain + H - 2, m_tabs->GetTabFullWidth(0));
    EXPECT_EQ(plain, m_tabs->GetTabFullWidth(1));
    EXPECT_TRUE(ButtonRect(m_tabs->GetCloseButton()).IsRectEmpty()) << "the row's close button hides";
    // The close button: the square at the active tab's right end, 2
    // pixels in, one pixel down for tabs at the top.
    const CRect tab = TabRect(0);
    CRect square(tab.right - tab.Height(), tab.top, tab.right, tab.bottom);
    square.DeflateRect(2, 2);
    square.OffsetRect(0, 1);
    EXPECT_EQ(square, m_tabs->m_rectCloseButton);
}

TEST_F(TabLayoutTest, AResizeBarEndsTheStripAndTheWindowArea)
{
    for (int mode : {CZUDPTabWnd::ResizeBarRight, CZUDPTabWnd::ResizeBarBottom}) {
        Create(0, TabLocationTop);
        AddTabs({"One"});
        m_tabs->SetResizeBarMode(mode);
        const CRect bar = m_tabs->GetResizeBarRect();
        if (mode == CZUDPTabWnd::ResizeBarRight) {
            EXPECT_EQ(CRect(kWidth - 5, 0, kWidth, kHeight), bar);
            EXPECT_EQ(kWidth - 6 - kMargin, Strip().right);
            EXPECT_EQ(kWidth - 6 - 3, WndArea().right);
        } else {
            EXPECT_EQ(CRect(0, kHeight - 5, kWidth, kHeight), bar);
            EXPECT_EQ(kHeight - 6 - 3, WndArea().bottom);
        }
    }
}

TEST_F(TabLayoutTest, FlatTabsTakeAFontThatFitsTheScrollBarHeight)
{
    Create(1, TabLocationBottom);
    AddTabs({"One"});
    const int h = ::GetSystemMetrics(SM_CYHSCROLL) + 2;
    EXPECT_EQ(h, m_tabs->GetTabHeight());
    for (CFont* font : {&m_tabs->GetTabsFont(), &m_tabs->GetTabsBoldFont()}) {
        LOGFONTA lf = {};
        ASSERT_TRUE(font->GetLogFont(&lf));
        EXPECT_STREQ("Arial", lf.lfFaceName);
        HDC hDC = ::GetDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, font->m_hObject);
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(nullptr, hDC);
        EXPECT_LE(tm.tmHeight + 2, h + 1) << "the characters fit the tab";
    }
    LOGFONTA bold = {};
    m_tabs->GetTabsBoldFont().GetLogFont(&bold);
    EXPECT_EQ(FW_BOLD, bold.lfWeight);
    // The flat tabs are measured in the bold flat font.
    EXPECT_EQ(TextWidth(m_tabs->GetTabsBoldFont(), "One") + 12, m_tabs->GetTabFullWidth(0));
}

TEST_F(TabLayoutTest, RowsThatHideAndTheSharedScrollBarRowThatDoesNot)
{
    // Style 2 keeps its row with one tab: the scroll bar spans the strip.
    Create(2, TabLocationBottom);
    AddTabs({"Only"});
    m_tabs->HideForSingleTab(TRUE);
    EXPECT_GT(m_tabs->GetTabHeight(), 0);
    CRect bar;
    m_tabs->GetSharedScrollBar().GetWindowRect(&bar);
    m_tabs->ScreenToClient(&bar);
    CRect spanned = Strip();
    spanned.bottom -= 2;
    EXPECT_EQ(spanned, bar);
    EXPECT_TRUE(m_tabs->GetSplitterRect().IsRectEmpty());

    // Two tabs: the bar takes half the room right of the tabs, with its
    // splitter before it.
    AddTabs({"Second"});
    m_tabs->GetSharedScrollBar().GetWindowRect(&bar);
    m_tabs->ScreenToClient(&bar);
    EXPECT_EQ(m_tabs->GetSharedScrollBarWidth(), bar.Width());
    EXPECT_EQ(bar.left - 5, Strip().right);
    EXPECT_EQ(CRect(bar.left - 5, Strip().top + 2, bar.left, bar.bottom), m_tabs->GetSplitterRect());

    // Hide-for-single-tab and hide-when-empty take the row away in the
    // other styles.
    Create(0, TabLocationTop);
    AddTabs({"Only"});
    m_tabs->HideForSingleTab(TRUE);
    EXPECT_EQ(0, m_tabs->GetTabHeight());
    m_tabs->HideForSingleTab(FALSE);
    m_tabs->SetHideWhenEmpty(TRUE);
    EXPECT_GT(m_tabs->GetTabHeight(), 0);
    m_tabs->ShowTabAt(0, FALSE);
    EXPECT_EQ(0, m_tabs->GetTabHeight());
    EXPECT_EQ(0, m_tabs->GetTabBorderSize());
    EXPECT_EQ(CRect(0, 0, kWidth, kHeight), WndArea()) << "the window area fills the client area";
}

} // namespace
