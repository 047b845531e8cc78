// The library's list box (hot tracking and its painting) and font combo
// box (filling from the font enumeration, on and off a toolbar).
#include "ui/controls/ZUDPFontComboBox.h"
#include "ui/controls/ZUDPListBox.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPFontDesc.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using trovtest::DibCanvas;

namespace {

const char* const kItems[] = {"alpha", "bravo", "charlie", "a text much too long to fit into the list box's width"};

class ZUDPListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
        m_host.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                                  CRect(10, 10, 170, 200), &m_host, 2));
        for (const char* item : kItems)
            m_list.AddString(item);
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }
    CPoint ItemCenter(int item)
    {
        CRect rect;
        m_list.GetItemRect(item, &rect);
        return rect.CenterPoint();
    }
    void MoveTo(CPoint pt) { m_list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)); }
    void Render(DibCanvas& canvas)
    {
        canvas.Fill(RGB(255, 0, 255));
        m_list.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT | PRF_ERASEBKGND);
    }
    COLORREF ItemColor(const DibCanvas& canvas, int item)
    {
        CRect rect;
        m_list.GetItemRect(item, &rect);
        return canvas.Pixel(rect.right - 3, rect.CenterPoint().y);
    }

    controltest::CHostWnd m_host;
    CZUDPListBox m_list;
};

TEST_F(ZUDPListBoxTest, ItemsAreMeasuredFromTheLibrarysTextHeight)
{
    EXPECT_EQ(g_uiEnvironment.m_textHeight * 9 / 5, m_list.GetItemHeight(0));
    // A list box made before its object (a dialog's control) takes the
    // same height when it is attached.
    HWND window = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 10, 210, 150, 80,
                                    m_host.m_hWnd, (HMENU)9, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    CZUDPListBox attached;
    ASSERT_TRUE(attached.SubclassWindow(window));
    EXPECT_EQ(g_uiEnvironment.m_textHeight * 9 / 5, attached.GetItemHeight(0));
    attached.DestroyWindow();
}

TEST_F(ZUDPListBoxTest, TheHotItemFollowsTheMouseAndClearsWhenItLeaves)
{
    EXPECT_EQ(-1, m_list.GetHotItem());
    MoveTo(ItemCenter(1));
    EXPECT_EQ(1, m_list.GetHotItem());
    MoveTo(ItemCenter(2));
    EXPECT_EQ(2, m_list.GetHotItem());
    // Below the last item nothing is hot.
    CRect client, last;
    m_list.GetClientRect(&client);
    m_list.GetItemRect(3, &last);
    ASSERT_LT(last.bottom + 4, client.bottom);
    MoveTo(CPoint(client.CenterPoint().x, last.bottom + 4));
    EXPECT_EQ(-1, m_list.GetHotItem());
    MoveTo(ItemCenter(0));
    EXPECT_EQ(0, m_list.GetHotItem());
    m_list.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(-1, m_list.GetHotItem());
}

// Without the look the hot item is highlighted like the selection; after
// the mouse leaves, the selected item keeps its highlight.
TEST_F(ZUDPListBoxTest, TheHotHighlightGoesWithTheMouseAndTheSelectionStays)
{
    CRect client;
    m_list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    m_list.SetCurSel(2);
    MoveTo(ItemCenter(0));
    Render(canvas);
    EXPECT_EQ(g_uiEnvironment.m_colorHighlight, ItemColor(canvas, 0));
    EXPECT_EQ(g_uiEnvironment.m_colorWindow, ItemColor(canvas, 1));
    EXPECT_EQ(g_uiEnvironment.m_colorHighlight, ItemColor(canvas, 2));

    m_list.SendMessage(WM_MOUSELEAVE);
    Render(canvas);
    EXPECT_EQ(g_uiEnvironment.m_colorWindow, ItemColor(canvas, 0));
    EXPECT_EQ(g_uiEnvironment.m_colorHighlight, ItemColor(canvas, 2));
}

TEST_F(ZUDPListBoxTest, InTheLookTheManagerFillsTheHotAndSelectedItems)
{
    uitest::RecordingManagerScope manager;
    m_list.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
    m_list.SetCurSel(2);
    MoveTo(ItemCenter(0));
    CRect client;
    m_list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    manager->Clear();
    Render(canvas);
    auto fills = manager->Of("FillListBoxItem");
    ASSERT_EQ(2u, fills.size());
    // The item, then whether it is highlighted and selected.
    EXPECT_EQ(0, fills[0].flags.at(0));
    EXPECT_TRUE(fills[0].flags.at(1));
    EXPECT_FALSE(fills[0].flags.at(2));
    EXPECT_EQ(2, fills[1].flags.at(0));
    EXPECT_TRUE(fills[1].flags.at(2));
}

TEST_F(ZUDPListBoxTest, ALongTextEndsInAnEllipsisTenPixelsBeforeTheEdge)
{
    CRect client;
    m_list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    Render(canvas);
    CRect item;
    m_list.GetItemRect(3, &item);
    const COLORREF window = g_uiEnvironment.m_colorWindow;
    // The text's room ends 10 pixels in; the ellipsis reaches close to it.
    EXPECT_EQ(0, canvas.CountOther(CRect(item.right - 10, item.top, item.right, item.bottom), window));
    EXPECT_EQ(0, canvas.CountOther(CRect(item.left, item.top, item.left + 10, item.bottom), window));
    const RECT ink = canvas.BoundsOfOther(item, window);
    EXPECT_GT(ink.right, item.right - 10 - trovtest::MeasureText((HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle(),
                                                                  "...").cx - 2);
}

// ---------------------------------------------------------------------------
// Font combo box

// The system's fonts as the test chooses them: "Arial" reported for two
// character sets, a vertical face, a raster and a device font.
void FakeFonts(BYTE, std::vector<CZUDPFontDesc>& fonts)
{
    fonts.emplace_back("Arial", "Western", ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
    fonts.emplace_back("Arial", "Greek", GREEK_CHARSET, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
    fonts.emplace_back("@Arial", "Western", ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
    fonts.emplace_back("Fixedsys", "Western", ANSI_CHARSET, FIXED_PITCH | FF_MODERN, RASTER_FONTTYPE);
    fonts.emplace_back("Printer Gothic", "Western", ANSI_CHARSET, FIXED_PITCH | FF_MODERN, DEVICE_FONTTYPE);
}

class FontComboTest : public ZUDPListBoxTest {
protected:
    void SetUp() override
    {
        ZUDPListBoxTest::SetUp();
        m_seams.Replace(g_commandBarsSeams.installedFonts, FakeFonts);
        m_seams.Replace(g_commandBarsSeams.printerFonts, [](BYTE, std::vector<CZUDPFontDesc>&) {});
        // A system with double-byte support: no vertical faces.
        m_seams.Replace(g_commandBarsSeams.dbcsEnabled, []() -> BOOL { return TRUE; });
    }
    static std::vector<std::string> Names(CZUDPFontComboBox& combo)
    {
        std::vector<std::string> names;
        for (int i = 0; i < combo.GetCount(); i++) {
            CString name;
            combo.GetLBText(i, name);
            names.push_back((LPCTSTR)name);
        }
        return names;
    }
    ScopedSeams m_seams;
};

TEST_F(FontComboTest, AFaceReportedTwiceIsListedOnceWithItsDescription)
{
    CZUDPFontComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT,
                             CRect(10, 210, 200, 400), &m_host, 6));
    EXPECT_TRUE(combo.GetStyle() & CBS_HASSTRINGS);
    EXPECT_EQ((std::vector<std::string>{"Arial", "Fixedsys", "Printer Gothic"}), Names(combo));
    CZUDPFontDesc* desc = combo.GetFontDesc(0);
    ASSERT_NE(nullptr, desc);
    EXPECT_STREQ("Arial", desc->faceName);
    EXPECT_EQ(ANSI_CHARSET, desc->charSet);
    EXPECT_EQ(TRUETYPE_FONTTYPE, desc->fontType);

    // Only TrueType fonts.
    EXPECT_TRUE(combo.FillFonts(TRUETYPE_FONTTYPE));
    EXPECT_EQ((std::vector<std::string>{"Arial"}), Names(combo));
    // Fixed pitch only.
    EXPECT_TRUE(combo.FillFonts(DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE, DEFAULT_CHARSET, FIXED_PITCH));
    EXPECT_EQ((std::vector<std::string>{"Fixedsys", "Printer Gothic"}), Names(combo));
    combo.DestroyWindow();
}

// A window made without CBS_HASSTRINGS would keep pointers for names: it
// is not filled.
TEST_F(FontComboTest, AComboBoxWithoutStringsIsNotFilled)
{
    HWND window = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 10, 210,
                                    190, 190, m_host.m_hWnd, (HMENU)6, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    CZUDPFontComboBox combo;
    ASSERT_TRUE(combo.SubclassWindow(window));
    EXPECT_EQ(0, combo.GetCount());
    EXPECT_FALSE(combo.FillFonts());
    EXPECT_EQ(0, combo.GetCount());
    combo.DestroyWindow();
}

TEST_F(FontComboTest, OnAToolBarTheComboNeitherFillsNorClears)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "bar", WS_CHILD | WS_VISIBLE, CRect(0, 210, 300, 240), &m_host,
                             0x100));
    CZUDPFontComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 150, 150), &bar, 6));
    EXPECT_TRUE(combo.IsOnToolBar());
    EXPECT_EQ(0, combo.GetCount());
    EXPECT_FALSE(combo.FillFonts());
    // The toolbar's font button owns the items: clearing leaves them.
    combo.AddString("Owned by the toolbar");
    combo.ClearItems();
    EXPECT_EQ(1, combo.GetCount());
    combo.DestroyWindow();
    bar.DestroyWindow();
}

// On a toolbar the combo handles Tab, Escape and the arrows itself only
// while the toolbar combo flag is off.
TEST_F(FontComboTest, ToolbarKeysFollowTheToolbarComboFlag)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "bar", WS_CHILD | WS_VISIBLE, CRect(0, 210, 300, 240), &m_host,
                             0x100));
    CZUDPFontComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 150, 150), &bar, 6));
    ScopedSeam keys(g_frameworkSeams.keyState, [](int) -> SHORT { return 0; });
    MSG down = {combo.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    ASSERT_TRUE(g_toolbarComboKeysFlag);
    EXPECT_FALSE(combo.PreTranslateMessage(&down));
    g_toolbarComboKeysFlag = FALSE;
    EXPECT_TRUE(combo.PreTranslateMessage(&down));
    EXPECT_TRUE(combo.GetDroppedState());
    // Open, the arrows move through the list as usual.
    EXPECT_FALSE(combo.PreTranslateMessage(&down));
    g_toolbarComboKeysFlag = TRUE;
    combo.ShowDropDown(FALSE);
    combo.DestroyWindow();
    bar.DestroyWindow();
}

} // namespace
