// What the library's list control draws: the tint of the sorted column
// (rows and the empty area below them) and the header's sort arrow, read
// back from the control rendered into a DIB.
#include "ui/controls/ZUDPListCtrl.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using trovtest::ColorAt;
using trovtest::DibCanvas;
using trovtest::RenderWindow;

namespace {

const char* const kNames[] = {"alpha", "bravo", "charlie"};

class ZUDPListCtrlDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        // The list's parent reflects custom draw back to the list.
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
        m_host.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 360, 220), &m_host, 1));
        m_list.InsertColumn(0, "Number", LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, "Name", LVCFMT_LEFT, 120);
        m_list.InsertColumn(2, "Other", LVCFMT_LEFT, 60);
        for (int i = 0; i < 3; i++) {
            m_list.InsertItem(i, std::to_string(i).c_str());
            m_list.SetItemText(i, 1, kNames[i]);
        }
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    // A header item's rectangle in the list's client coordinates (where
    // the header lands on a canvas of the list).
    CRect HeaderItem(int column)
    {
        CRect item;
        m_list.HeaderControl().GetItemRect(column, &item);
        RECT header = trovtest::ClientRectIn(m_list.HeaderControl().m_hWnd, m_list.m_hWnd);
        item.OffsetRect(header.left, header.top);
        return item;
    }

    // The empty band of a column below the last row.
    CRect BelowRows(int column)
    {
        CRect last, client;
        m_list.GetItemRect(m_list.GetItemCount() - 1, &last, LVIR_BOUNDS);
        m_list.GetClientRect(&client);
        CRect item = HeaderItem(column);
        return CRect(item.left + 1, last.bottom + 2, item.right - 1, client.bottom - 2);
    }

    // A point of a cell past the end of its text, so it shows the cell's
    // background.
    CPoint CellBackground(int row, int column)
    {
        CRect cell;
        m_list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
        CString text = m_list.GetItemText(row, column);
        SIZE extent = trovtest::MeasureText((HFONT)m_list.SendMessage(WM_GETFONT), text);
        CPoint point(cell.right - 3, cell.CenterPoint().y);
        // Cell text starts a few pixels in; make sure it ends well before.
        EXPECT_LT(cell.left + extent.cx + 12, point.x) << "the text reaches the sampled point";
        return point;
    }

    CWnd m_host;
    CZUDPListCtrl m_list;
};

TEST_F(ZUDPListCtrlDrawingTest, TheSortedColumnIsTintedInRowsAndBelowThem)
{
    struct Case {
        const char* name;
        COLORREF background; // CLR_NONE: the list's own
    } cases[] = {{"system background", CLR_NONE}, {"own background", RGB(200, 100, 50)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.background != CLR_NONE) {
            m_list.SetBkColor(c.background);
            m_list.SendMessage(WM_SYSCOLORCHANGE); // the tint follows the background
        }
        m_list.EnableMarkSortedColumn(TRUE, FALSE);
        m_list.Sort(1, TRUE);
        const COLORREF back = m_list.GetBkColor();
        const COLORREF tint = m_list.GetSortedColumnColor();
        ASSERT_NE(back, tint);
        if (c.background == CLR_NONE) {
            EXPECT_EQ(::GetSysColor(COLOR_WINDOW), back);
        }

        CRect client;
        m_list.GetClientRect(&client);
        DibCanvas canvas(client.Width(), client.Height());
        ASSERT_TRUE(RenderWindow(m_list.m_hWnd, canvas));

        EXPECT_EQ(tint, canvas.DominantColor(BelowRows(1)));
        EXPECT_EQ(back, canvas.DominantColor(BelowRows(0)));
        EXPECT_EQ(back, canvas.DominantColor(BelowRows(2)));
        for (int row = 0; row < 3; row++) {
            CPoint sorted = CellBackground(row, 1), other = CellBackground(row, 2);
            EXPECT_TRUE(ColorAt(canvas, sorted.x, sorted.y, tint)) << "row " << row;
            EXPECT_TRUE(ColorAt(canvas, other.x, other.y, back)) << "row " << row;
        }
        // Right of the last column nothing is sorted.
        CRect past = HeaderItem(2);
        EXPECT_TRUE(ColorAt(canvas, past.right + 5, BelowRows(2).CenterPoint().y, back));
    }
}

TEST_F(ZUDPListCtrlDrawingTest, WithoutMarkingTheSortedColumnLooksLikeTheOthers)
{
    m_list.Sort(1, TRUE);
    CRect client;
    m_list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    ASSERT_TRUE(RenderWindow(m_list.m_hWnd, canvas));
    EXPECT_EQ(m_list.GetBkColor(), canvas.DominantColor(BelowRows(1)));
    CPoint cell = CellBackground(0, 1);
    EXPECT_TRUE(ColorAt(canvas, cell.x, cell.y, m_list.GetBkColor()));
}

// The arrow is what sorting adds to the header: the pixels that differ
// from the same header unsorted.  It sits in the sorted column's item only
// and points up when ascending (its rows widen downwards), down when
// descending.  The header is captured after a real paint (through its
// off-screen surface), as the screen shows it.
TEST_F(ZUDPListCtrlDrawingTest, TheSortArrowShowsInTheSortedItemPointingTheSortsWay)
{
    CZUDPHeaderCtrl& header = m_list.HeaderControl();
    CRect headerRect;
    header.GetClientRect(&headerRect);
    ASSERT_GT(headerRect.Height(), 0);
    auto render = [&](DibCanvas& canvas) { ASSERT_TRUE(trovtest::CaptureWindow(header.m_hWnd, canvas)); };

    DibCanvas unsorted(headerRect.Width(), headerRect.Height());
    render(unsorted);
    struct Case {
        BOOL ascending;
        int column;
    } cases[] = {{TRUE, 1}, {FALSE, 1}, {TRUE, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ascending ? "ascending" : "descending") + " column " + std::to_string(c.column));
        m_list.Sort(c.column, c.ascending);
        DibCanvas sorted(headerRect.Width(), headerRect.Height());
        render(sorted);

        // Where the header changed, row by row.
        RECT changed = {headerRect.right, headerRect.bottom, headerRect.left, headerRect.top};
        std::vector<int> widths((size_t)headerRect.bottom, 0);
        for (int y = headerRect.top; y < headerRect.bottom; y++) {
            for (int x = headerRect.left; x < headerRect.right; x++) {
                if (sorted.Pixel(x, y) == unsorted.Pixel(x, y))
                    continue;
                widths[(size_t)y]++;
                changed.left = std::min<LONG>(changed.left, x);
                changed.right = std::max<LONG>(changed.right, x + 1);
                changed.top = std::min<LONG>(changed.top, y);
                changed.bottom = std::max<LONG>(changed.bottom, y + 1);
            }
        }
        ASSERT_LT(changed.left, changed.right) << "no arrow was drawn";
        CRect item;
        header.GetItemRect(c.column, &item);
        EXPECT_GE(changed.left, item.left);
        EXPECT_LE(changed.right, item.right);

        int top = widths[(size_t)changed.top], bottom = widths[(size_t)changed.bottom - 1];
        if (c.ascending)
            EXPECT_LT(top, bottom) << "the ascending arrow should point up";
        else
            EXPECT_GT(top, bottom) << "the descending arrow should point down";
    }
}

} // namespace
