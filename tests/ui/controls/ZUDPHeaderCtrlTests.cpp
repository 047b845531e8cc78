// The library's header control: its sort states, and what it paints through
// the visual manager (background, item frames, sort arrows) and itself
// (item texts), rendered into a DIB.
#include "ui/controls/ZUDPHeaderCtrl.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using trovtest::DibCanvas;

namespace {

const char kLongTitle[] = "A column title far too long for its column";

class ZUDPHeaderCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
        m_host.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ, CRect(0, 0, 360, 24), &m_host, 5));
        m_seams.Replace(g_frameworkSeams.cursorPos, [this](POINT* pt) {
            *pt = m_cursor;
            return TRUE;
        });
    }
    void TearDown() override
    {
        m_header.DestroyWindow();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    void AddItems(const std::vector<const char*>& titles, int width = 100)
    {
        for (size_t i = 0; i < titles.size(); i++) {
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
            item.pszText = const_cast<char*>(titles[i]);
            item.fmt = HDF_STRING | HDF_LEFT;
            item.cxy = width;
            m_header.InsertItem((int)i, &item);
        }
    }

    // The header painted into a DIB of its size (WM_PRINTCLIENT).
    void Render(DibCanvas& canvas)
    {
        m_manager->Clear();
        canvas.Fill(RGB(255, 0, 255));
        m_header.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    }

    // Puts the cursor at a point of the header's client area.
    void CursorAt(CPoint ptClient)
    {
        m_cursor = ptClient;
        m_header.ClientToScreen(&m_cursor);
    }

    CRect ItemRect(int item)
    {
        CRect rect;
        m_header.GetItemRect(item, &rect);
        return rect;
    }

    uitest::RecordingManagerScope m_manager;
    ScopedSeams m_seams;
    POINT m_cursor = {-1000, -1000};
    controltest::CHostWnd m_host;
    CZUDPHeaderCtrl m_header;
};

TEST_F(ZUDPHeaderCtrlTest, SortStatesFollowTheCallsAndTheMultiColumnSwitch)
{
    struct Step {
        int column;
        BOOL ascending;
        BOOL add;
    };
    struct Case {
        const char* name;
        BOOL multiple;
        std::vector<Step> steps;
        std::vector<int> states;   // of columns 0, 1, 2
        int sortColumn;
    } cases[] = {
        {"one column ascending", FALSE, {{1, TRUE, FALSE}}, {0, 1, 0}, 1},
        {"another column replaces it", FALSE, {{0, TRUE, FALSE}, {2, FALSE, FALSE}}, {0, 0, -1}, 2},
        {"add without multi-column sort replaces", FALSE, {{0, TRUE, FALSE}, {1, TRUE, TRUE}}, {0, 1, 0}, 1},
        {"add with multi-column sort keeps both", TRUE, {{0, TRUE, FALSE}, {1, FALSE, TRUE}}, {1, -1, 0}, -1},
        {"multi-column sort without add replaces", TRUE, {{0, TRUE, TRUE}, {1, TRUE, FALSE}}, {0, 1, 0}, -1},
        {"column -1 clears everything", TRUE, {{0, TRUE, FALSE}, {1, TRUE, TRUE}, {-1, TRUE, FALSE}}, {0, 0, 0}, -1},
    };
    AddItems({"One", "Two", "Three"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_header.SetSortColumn(-1);
        m_header.EnableMultipleSort(c.multiple);
        for (const Step& step : c.steps)
            m_header.SetSortColumn(step.column, step.ascending, step.add);
        for (int column = 0; column < 3; column++)
            EXPECT_EQ(c.states[(size_t)column], m_header.GetColumnState(column)) << "column " << column;
        EXPECT_EQ(c.sortColumn, m_header.GetSortColumn());
    }
}

TEST_F(ZUDPHeaderCtrlTest, ClearingTheSortDoesNotRepaintButSortingDoes)
{
    AddItems({"One", "Two"});
    m_header.UpdateWindow();
    m_manager->Clear();
    m_header.SetSortColumn(0, TRUE);
    EXPECT_FALSE(m_manager->Of("FillHeaderBackground").empty());
    m_manager->Clear();
    m_header.SetSortColumn(-1);
    EXPECT_TRUE(m_manager->Of("FillHeaderBackground").empty());
    EXPECT_EQ(0, m_header.GetColumnState(0));
}

// The arrow takes a square at the right end of the sorted item, 5 pixels
// in from the item's edges and inset vertically; the title ends in an
// ellipsis left of it and never runs under it.
TEST_F(ZUDPHeaderCtrlTest, TheSortArrowSitsAtTheItemsRightEndAndTheTitleStopsBeforeIt)
{
    AddItems({"One", kLongTitle, "Three"}, 110);
    for (BOOL ascending : {TRUE, FALSE}) {
        SCOPED_TRACE(ascending ? "ascending" : "descending");
        m_header.SetSortColumn(1, ascending);
        CRect client;
        m_header.GetClientRect(&client);
        DibCanvas canvas(client.Width(), client.Height());
        Render(canvas);

        const CRect item = ItemRect(1);
        CRect arrow(item);
        arrow.DeflateRect(5, 5);
        arrow.left = arrow.right - arrow.Height();
        const int inset = (int)(arrow.Width() * 0.134);
        arrow.DeflateRect(0, inset);
        auto arrows = m_manager->Of("DrawHeaderSortArrow");
        ASSERT_EQ(1u, arrows.size());
        EXPECT_EQ(arrow, arrows[0].rect);
        EXPECT_EQ(ascending, arrows[0].flags.at(0));

        // The title as DrawText draws it with an end ellipsis in the room
        // left of the arrow, on the item's face.
        const COLORREF face = g_uiEnvironment.m_colorBarFace;
        CRect text(item.left + 5, item.top, arrow.left - 1 - 5, item.bottom);
        DibCanvas expected(client.Width(), client.Height());
        expected.Fill(face);
        HGDIOBJ oldFont = ::SelectObject(expected.Dc(), g_uiEnvironment.m_fontRegular.GetSafeHandle());
        ::SetBkMode(expected.Dc(), TRANSPARENT);
        ::SetTextColor(expected.Dc(), g_uiEnvironment.m_colorButtonText);
        ::DrawTextA(expected.Dc(), kLongTitle, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        ::SelectObject(expected.Dc(), oldFont);
        int differing = 0;
        for (int y = item.top + 2; y < item.bottom - 2; y++)
            for (int x = text.left; x < text.right; x++)
                differing += canvas.Pixel(x, y) != expected.Pixel(x, y);
        EXPECT_EQ(0, differing) << "the title is not the ellipsis-shortened text";
        EXPECT_GT(expected.CountOther(text, face), 0);
        // Between the title's room and the arrow only the face shows.
        CRect gap(text.right, item.top + 2, arrow.left, item.bottom - 2);
        EXPECT_EQ(0, canvas.CountOther(gap, face));
        EXPECT_GT(canvas.CountOther(arrows[0].rect, face), 0) << "no arrow was drawn";
    }
}

// While the button is held, an item is drawn pressed only while the
// cursor is over it.
TEST_F(ZUDPHeaderCtrlTest, AnItemLooksPressedOnlyUnderTheCursor)
{
    AddItems({"One", "Two", "Three"});
    CRect client;
    m_header.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    auto pressedItems = [&] {
        std::vector<int> pressed;
        auto borders = m_manager->Of("DrawHeaderItemBorder");
        // Frames come in item order, then the area right of the items.
        for (size_t i = 0; i < borders.size(); i++)
            if (borders[i].flags.at(0))
                pressed.push_back(i + 1 < borders.size() ? (int)i : -1);
        return pressed;
    };

    const CPoint onTwo = ItemRect(1).CenterPoint();
    m_header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onTwo.x, onTwo.y));
    ASSERT_TRUE(m_header.IsPressed());
    struct Case {
        const char* name;
        CPoint cursor;
        std::vector<int> pressed;
    } cases[] = {
        {"over the pressed item", onTwo, {1}},
        {"over another item", ItemRect(0).CenterPoint(), {0}},
        {"off the header", CPoint(client.CenterPoint().x, client.bottom + 40), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CursorAt(c.cursor);
        Render(canvas);
        EXPECT_EQ(c.pressed, pressedItems());
    }

    m_header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onTwo.x, onTwo.y));
    CursorAt(onTwo);
    Render(canvas);
    EXPECT_TRUE(pressedItems().empty()) << "released: nothing looks pressed";
}

TEST_F(ZUDPHeaderCtrlTest, AnEmptyHeaderPaintsItsBackgroundAndOneFrame)
{
    CRect client;
    m_header.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    Render(canvas);
    auto backgrounds = m_manager->Of("FillHeaderBackground");
    ASSERT_EQ(1u, backgrounds.size());
    EXPECT_EQ(client, backgrounds[0].rect);
    auto frames = m_manager->Of("DrawHeaderItemBorder");
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(CRect(client.left, client.top, client.right + 1, client.bottom), frames[0].rect);
    EXPECT_FALSE(frames[0].flags.at(0));
    EXPECT_FALSE(frames[0].flags.at(1));
    EXPECT_TRUE(m_manager->Of("DrawHeaderSortArrow").empty());
    // Outside a dialog the header is in the bar colours.
    EXPECT_TRUE(trovtest::ColorAt(canvas, client.CenterPoint().x, client.CenterPoint().y,
                                  g_uiEnvironment.m_colorBarFace));
}

TEST_F(ZUDPHeaderCtrlTest, TheHotItemFollowsTheMouseAndClearsWhenItLeaves)
{
    AddItems({"One", "Two", "Three"});
    CRect client;
    m_header.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());

    const CPoint onThree = ItemRect(2).CenterPoint();
    m_header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onThree.x, onThree.y));
    EXPECT_EQ(2, m_header.GetHotItem());
    Render(canvas);
    auto frames = m_manager->Of("DrawHeaderItemBorder");
    ASSERT_EQ(4u, frames.size());   // three items and the rest
    EXPECT_FALSE(frames[2].flags.at(0));  // highlighted
    EXPECT_TRUE(frames[2].flags.at(1));
    EXPECT_FALSE(frames[0].flags.at(0));
    EXPECT_FALSE(frames[0].flags.at(1));

    // Moves with the button held leave the hot item alone.
    const CPoint onOne = ItemRect(0).CenterPoint();
    m_header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(onOne.x, onOne.y));
    EXPECT_EQ(2, m_header.GetHotItem());

    m_header.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(-1, m_header.GetHotItem());
}

} // namespace
