// Header-click sorting of the library's list control and the sort state of
// its header.
#include "ui/controls/ZUDPListCtrl.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using trovtest::InitFrameworkForTests;

namespace {

// Rows carry their number as item data; column 0 sorts by it, column 1 by
// the row's name.
class CNumberList : public CZUDPListCtrl {
public:
    std::vector<std::string> names;
    int compareCalls = 0;

protected:
    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override
    {
        ++compareCalls;
        if (iColumn == 1)
            return names[(size_t)lParam1].compare(names[(size_t)lParam2]);
        return (int)lParam1 - (int)lParam2;
    }
};

class CHostWnd : public CWnd {
public:
    int parentColumnClicks = 0;

protected:
    void OnColumnClick(NMHDR*, LRESULT* pResult)
    {
        ++parentColumnClicks;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
    ON_NOTIFY(LVN_COLUMNCLICK, 1, &CHostWnd::OnColumnClick)
END_MESSAGE_MAP()

class ZUDPListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    void Fill(CNumberList& list)
    {
        list.InsertColumn(0, "Number", LVCFMT_LEFT, 80);
        list.InsertColumn(1, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(2, "Other", LVCFMT_LEFT, 60);
        list.names = {"delta", "alpha", "charlie", "bravo"};
        const int order[] = {2, 0, 3, 1};   // inserted out of order
        for (int i = 0; i < 4; i++) {
            int row = list.InsertItem(i, std::to_string(order[i]).c_str());
            list.SetItemText(row, 1, list.names[(size_t)order[i]].c_str());
            list.SetItemData(row, (DWORD_PTR)order[i]);
        }
    }

    static std::vector<int> Rows(CListCtrl& list)
    {
        std::vector<int> rows;
        for (int i = 0; i < list.GetItemCount(); i++)
            rows.push_back((int)list.GetItemData(i));
        return rows;
    }

    // What the list control sends its parent when a header item is clicked.
    void ClickColumn(CListCtrl& list, int iColumn)
    {
        NMLISTVIEW nm = {};
        nm.hdr.hwndFrom = list.m_hWnd;
        nm.hdr.idFrom = (UINT_PTR)list.GetDlgCtrlID();
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iItem = -1;
        nm.iSubItem = iColumn;
        m_host.SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    }

    CHostWnd m_host;
};

TEST_F(ZUDPListCtrlTest, ClicksSortAscendingThenDescendingThenAscending)
{
    CNumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    ASSERT_NE(nullptr, list.HeaderControl().m_hWnd);   // attached at creation
    Fill(list);
    EXPECT_EQ(-1, list.GetSortColumn());
    EXPECT_EQ(-1, list.HeaderControl().GetSortColumn());

    ClickColumn(list, 0);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Rows(list));
    EXPECT_EQ(0, list.GetSortColumn());
    EXPECT_TRUE(list.IsAscending());
    EXPECT_EQ(1, list.HeaderControl().GetColumnState(0));
    EXPECT_EQ(0, list.HeaderControl().GetSortColumn());

    ClickColumn(list, 0);
    EXPECT_EQ((std::vector<int>{3, 2, 1, 0}), Rows(list));
    EXPECT_EQ(-1, list.HeaderControl().GetColumnState(0));

    ClickColumn(list, 0);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Rows(list));
    EXPECT_EQ(1, list.HeaderControl().GetColumnState(0));

    // The control took its own notification: the parent's map never saw it.
    EXPECT_EQ(0, m_host.parentColumnClicks);
}

TEST_F(ZUDPListCtrlTest, ClickingAnotherColumnMovesTheArrow)
{
    CNumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    Fill(list);
    ClickColumn(list, 0);
    ClickColumn(list, 0);   // column 0 descending
    ClickColumn(list, 1);   // a new column starts ascending
    EXPECT_EQ(1, list.GetSortColumn());
    EXPECT_TRUE(list.IsAscending());
    // alpha (1), bravo (3), charlie (2), delta (0)
    EXPECT_EQ((std::vector<int>{1, 3, 2, 0}), Rows(list));
    EXPECT_EQ(0, list.HeaderControl().GetColumnState(0));
    EXPECT_EQ(1, list.HeaderControl().GetColumnState(1));
}

TEST_F(ZUDPListCtrlTest, APressOnTheHeaderSortsThroughTheWholeChain)
{
    CNumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    Fill(list);
    m_host.ShowWindow(SW_SHOWNA);
    CZUDPHeaderCtrl& header = list.HeaderControl();
    CRect item;
    ASSERT_TRUE(header.GetItemRect(1, &item));
    CPoint center = item.CenterPoint();
    // Header press and release: the header tells the list, the list tells
    // its parent, the parent reflects the column click to the list.
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(center.x, center.y));
    EXPECT_TRUE(header.IsPressed());
    header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(center.x, center.y));
    EXPECT_FALSE(header.IsPressed());
    trovtest::PumpPending();
    EXPECT_EQ(1, list.GetSortColumn());
    EXPECT_EQ((std::vector<int>{1, 3, 2, 0}), Rows(list));
}

TEST_F(ZUDPListCtrlTest, TheBaseComparisonKeepsEveryRowWhereItIs)
{
    CZUDPListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    list.InsertColumn(0, "A");
    for (int i = 0; i < 5; i++) {
        list.InsertItem(i, "x");
        list.SetItemData(i, (DWORD_PTR)(10 + i));
    }
    list.Sort(0, FALSE);
    EXPECT_EQ((std::vector<int>{10, 11, 12, 13, 14}), Rows(list));
    EXPECT_EQ(-1, list.HeaderControl().GetColumnState(0));
}

TEST_F(ZUDPListCtrlTest, AListAttachedToAnExistingWindowGetsItsHeader)
{
    HWND hWndList = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 300, 200, m_host.m_hWnd,
                                      (HMENU)1, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWndList);
    CNumberList list;
    ASSERT_TRUE(list.SubclassWindow(hWndList));
    Fill(list);
    EXPECT_NE(nullptr, list.HeaderControl().m_hWnd);
    ClickColumn(list, 1);
    EXPECT_EQ((std::vector<int>{1, 3, 2, 0}), Rows(list));
    EXPECT_EQ(1, list.HeaderControl().GetColumnState(1));
}

TEST_F(ZUDPListCtrlTest, AListOutsideReportViewAttachesItsHeaderWhenSwitched)
{
    CNumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_LIST, CRect(0, 0, 300, 200), &m_host, 1));
    list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    EXPECT_NE(nullptr, list.HeaderControl().m_hWnd);
}

TEST_F(ZUDPListCtrlTest, MultiColumnSortKeepsTheOtherColumnsOnlyWhenEnabled)
{
    CNumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    Fill(list);
    CZUDPHeaderCtrl& header = list.HeaderControl();

    list.Sort(0, TRUE, TRUE);   // add without multi-column sort: plain sort
    list.Sort(1, FALSE, TRUE);
    EXPECT_EQ(0, header.GetColumnState(0));
    EXPECT_EQ(-1, header.GetColumnState(1));
    EXPECT_EQ(1, header.GetSortColumn());

    header.EnableMultipleSort(TRUE);
    list.Sort(0, TRUE, TRUE);
    EXPECT_EQ(1, header.GetColumnState(0));
    EXPECT_EQ(-1, header.GetColumnState(1));
    EXPECT_EQ(-1, header.GetSortColumn());   // several: no single column

    header.SetSortColumn(-1);
    EXPECT_EQ(0, header.GetColumnState(0));
    EXPECT_EQ(0, header.GetColumnState(1));
}

// A comparison that throws must not unwind through the list view's sort:
// the comparison answers "equal", the failure is counted, and every row is
// still there.
class CThrowingList : public CZUDPListCtrl {
protected:
    int CompareItems(LPARAM, LPARAM, int) override { throw std::runtime_error("comparison failed"); }
};

TEST_F(ZUDPListCtrlTest, AComparisonThatThrowsStopsAtTheSortCallback)
{
    CThrowingList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    list.InsertColumn(0, "Number", LVCFMT_LEFT, 80);
    for (int i = 0; i < 3; i++)
        list.SetItemData(list.InsertItem(i, std::to_string(i).c_str()), (DWORD_PTR)i);
    LONG failures = AfxGetWndProcExceptionCount();
    EXPECT_NO_THROW(list.Sort(0, TRUE));
    EXPECT_GT(AfxGetWndProcExceptionCount(), failures);
    EXPECT_EQ(1, list.HeaderControl().GetColumnState(0));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), Rows(list));
}

// Shift is read as of the click's message: a Shift-click adds the column to
// the sort when multi-column sort is on, a plain click replaces the sort.
TEST_F(ZUDPListCtrlTest, AShiftClickAddsTheColumnToAMultiColumnSort)
{
    CNumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    Fill(list);
    CZUDPHeaderCtrl& header = list.HeaderControl();
    header.EnableMultipleSort(TRUE);
    bool shiftDown = false;
    ScopedSeam keys(g_frameworkSeams.keyState, [&](int key) -> SHORT {
        return key == VK_SHIFT && shiftDown ? (SHORT)0x8000 : (SHORT)0;
    });

    ClickColumn(list, 1);
    shiftDown = true;
    ClickColumn(list, 0);
    EXPECT_EQ(1, header.GetColumnState(1));
    EXPECT_EQ(1, header.GetColumnState(0));
    EXPECT_EQ(-1, header.GetSortColumn());

    shiftDown = false;
    ClickColumn(list, 2);
    EXPECT_EQ(0, header.GetColumnState(0));
    EXPECT_EQ(0, header.GetColumnState(1));
    EXPECT_EQ(1, header.GetColumnState(2));

    // With multi-column sort off a Shift-click is a plain click.
    header.EnableMultipleSort(FALSE);
    shiftDown = true;
    ClickColumn(list, 0);
    EXPECT_EQ(1, header.GetColumnState(0));
    EXPECT_EQ(0, header.GetColumnState(2));
    EXPECT_EQ(0, header.GetSortColumn());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Rows(list));
}

TEST_F(ZUDPListCtrlTest, CustomDrawAsksForSubItemsAndLeavesDefaultCellsAlone)
{
    CNumberList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    Fill(list);
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr.hwndFrom = list.m_hWnd;
    draw.nmcd.hdr.idFrom = 1;
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(CDRF_NOTIFYITEMDRAW, m_host.SendMessage(WM_NOTIFY, 1, (LPARAM)&draw));
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    EXPECT_EQ(CDRF_NOTIFYSUBITEMDRAW, m_host.SendMessage(WM_NOTIFY, 1, (LPARAM)&draw));
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.iSubItem = 1;
    EXPECT_EQ(CDRF_DODEFAULT, m_host.SendMessage(WM_NOTIFY, 1, (LPARAM)&draw));
    EXPECT_EQ(list.GetBkColor(), draw.clrTextBk);
    EXPECT_EQ(list.GetTextColor(), draw.clrText);
}

// A list whose second column is drawn in its own font.
class CFontList : public CZUDPListCtrl {
public:
    CFont font;

protected:
    HFONT CellFont(int, int nColumn, DWORD_PTR) override { return nColumn == 1 ? (HFONT)font : nullptr; }
};

TEST_F(ZUDPListCtrlTest, ACellFontIsPutBackAfterTheCell)
{
    CFontList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    ASSERT_TRUE(list.font.CreatePointFont(120, "Arial"));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ hListFont = ::GetCurrentObject(dc, OBJ_FONT);

    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr.hwndFrom = list.m_hWnd;
    draw.nmcd.hdr.idFrom = 1;
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.hdc = dc;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.iSubItem = 1;
    EXPECT_EQ(CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT, m_host.SendMessage(WM_NOTIFY, 1, (LPARAM)&draw));
    EXPECT_EQ(list.font.m_hObject, ::GetCurrentObject(dc, OBJ_FONT));
    draw.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT | CDDS_SUBITEM;
    EXPECT_EQ(0, m_host.SendMessage(WM_NOTIFY, 1, (LPARAM)&draw));
    EXPECT_EQ(hListFont, ::GetCurrentObject(dc, OBJ_FONT));

    // The next cell starts from the list's font.
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.iSubItem = 2;
    EXPECT_EQ(CDRF_DODEFAULT, m_host.SendMessage(WM_NOTIFY, 1, (LPARAM)&draw));
    EXPECT_EQ(hListFont, ::GetCurrentObject(dc, OBJ_FONT));
}

TEST_F(ZUDPListCtrlTest, TheSortedColumnTintFollowsTheBackground)
{
    CZUDPListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_host, 1));
    list.SetBkColor(RGB(200, 100, 50));
    list.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(CZUDPColorArithmetic::MultiplyColorChannels(RGB(200, 100, 50), 0.97, 0.97, 0.97),
              list.GetSortedColumnColor());
    EXPECT_EQ(RGB(194, 97, 49), list.GetSortedColumnColor());
}

} // namespace
