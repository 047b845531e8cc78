// The tab window's drawing, rendered into a DIB through its paint routine
// (WM_PRINTCLIENT) with a palette in which every system colour differs:
// the order of the tabs, the band of the strip, the frame round the
// window area, the active tab joined to it, the splitter, the resize bar
// and the row's buttons.
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/docking/TabWndTestSupport.h"
#include "tests/ui/foundation/VisualManagerPalette.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using tabtest::TabWindowFixture;
using trovtest::ColorAt;
using trovtest::DibCanvas;

namespace {

const COLORREF kUntouched = RGB(1, 254, 2);

// An icon of one opaque colour, of any size.
HICON MakeOneColourTabIcon(int size, COLORREF colour)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colourBits = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (colourBits == nullptr)
        return nullptr;
    const DWORD pixel = 0xFF000000u | (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) |
                        GetBValue(colour);
    std::fill_n(static_cast<DWORD*>(bits), size_t(size) * size, pixel);
    std::vector<BYTE> maskBits(size_t((size + 15) / 16 * 2) * size, 0);  // all opaque
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO icon = {TRUE, 0, 0, mask, colourBits};
    HICON hIcon = ::CreateIconIndirect(&icon);
    ::DeleteObject(mask);
    ::DeleteObject(colourBits);
    return hIcon;
}

class TabPaintTest : public TabWindowFixture {
protected:
    void SetUp() override { m_colours.SeparateBarColours(); }
    // The tab window alone, painted into a canvas of its client size.
    void Render(DibCanvas& canvas)
    {
        canvas.Fill(kUntouched);
        m_tabs->SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
    }
    CRect Strip() const
    {
        CRect rect;
        m_tabs->GetTabStripRect(rect);
        return rect;
    }
    CRect TabRect(int i) const
    {
        CRect rect;
        m_tabs->GetTabRectAt(i, rect);
        return rect;
    }

    uitest::DistinctColours m_colours;
    const CZUDPUIEnvironment& env = g_uiEnvironment;
};

TEST_F(TabPaintTest, InactiveTabsAreDrawnFromTheLastToTheFirstThenTheActiveOne)
{
    for (int style : {0, 1, 4, 7}) {
        SCOPED_TRACE(testing::Message() << "style " << style);
        Create(style, TabLocationTop, FALSE, 600, 150);
        AddTabs({"a", "b", "c", "d"});
        m_tabs->ShowTabAt(2, FALSE);
        m_tabs->ActivateTab(1);
        DibCanvas canvas(600, 150);
        m_tabs->drawn.clear();
        Render(canvas);
        const std::vector<std::pair<int, BOOL>> expected = {{3, FALSE}, {0, FALSE}, {1, TRUE}};
        EXPECT_EQ(expected, m_tabs->drawn);
    }
}

TEST_F(TabPaintTest, TheStripAndItsTabsAreDrawnByTheVisualManager)
{
    const COLORREF tabFill = RGB(7, 99, 201);
    for (int style : {0, 3, 4, 6}) {
        SCOPED_TRACE(testing::Message() << "style " << style);
        Create(style, TabLocationTop, FALSE, 600, 150);
        AddTabs({"a", "b", "c"});
        m_tabs->ActivateTab(1);
        uitest::RecordingManagerScope manager;
        manager->instead["DrawTab"] = uitest::CRecordingVisualManager::FillWith(tabFill);
        DibCanvas canvas(600, 150);
        Render(canvas);

        const std::vector<uitest::ManagerCall> tabs = manager->Of("DrawTab");
        ASSERT_EQ(3u, tabs.size());
        const int order[3] = {2, 0, 1};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ((std::vector<int>{order[i], order[i] == 1}), tabs[size_t(i)].flags);
            EXPECT_EQ(TabRect(order[i]), tabs[size_t(i)].rect);
            EXPECT_EQ(m_tabs.get(), tabs[size_t(i)].element);
            // What the manager drew is what shows: the window draws no tab
            // of its own.
            EXPECT_TRUE(ColorAt(canvas, TabRect(i).CenterPoint().x, TabRect(i).CenterPoint().y, tabFill));
        }
        const std::vector<uitest::ManagerCall> band = manager->Of("FillTabsAreaBackground");
        ASSERT_EQ(1u, band.size());
        EXPECT_EQ(m_tabs.get(), band[0].element);
    }
}

TEST_F(TabPaintTest, TheBandAndTheFrameSurroundTheWindowArea)
{
    Create(CZUDPTabWnd::TabStyle3D, TabLocationTop, FALSE, 300, 150);
    AddTabs({"One", "Two"});
    m_tabs->ActivateTab(1);
    DibCanvas canvas(300, 150);
    Render(canvas);
    const CRect strip = Strip();
    CRect area;
    m_tabs->GetWndArea(area);
    const int y = strip.bottom + 10;

    // The band of the strip beside the tabs.
    EXPECT_TRUE(ColorAt(canvas, strip.right - 2, strip.top + 1, env.m_colorBarFace));
    // The frame (the visual manager's dark colour), the face bands inside
    // it, and the window area left to the tab's own window.
    EXPECT_TRUE(ColorAt(canvas, 0, y, env.m_colorBarShadow));
    EXPECT_TRUE(ColorAt(canvas, 299, y, env.m_colorBarShadow));
    EXPECT_TRUE(ColorAt(canvas, 1, y, env.m_colorBarFace));
    EXPECT_TRUE(ColorAt(canvas, area.left - 1, y, env.m_colorBarFace));
    EXPECT_TRUE(ColorAt(canvas, area.CenterPoint().x, area.CenterPoint().y, kUntouched));
    // The line under the tabs is broken by the active tab, which joins the
    // window area.
    EXPECT_TRUE(ColorAt(canvas, TabRect(0).CenterPoint().x, strip.bottom, env.m_colorBarHighlight));
    EXPECT_TRUE(ColorAt(canvas, TabRect(1).CenterPoint().x, strip.bottom, env.m_colorBarFace));

    // At the bottom the band and the joining edge lie below the area.
    Create(CZUDPTabWnd::TabStyle3D, TabLocationBottom, FALSE, 300, 150);
    AddTabs({"One", "Two"});
    Render(canvas);
    EXPECT_TRUE(ColorAt(canvas, Strip().right - 2, Strip().bottom - 2, env.m_colorBarFace));
    EXPECT_TRUE(ColorAt(canvas, 150, 0, env.m_colorBarShadow)) << "the frame's top edge";
}

TEST_F(TabPaintTest, TheSplitterAndTheResizeBarAreDrawn)
{
    Create(CZUDPTabWnd::TabStyleFlatSharedScrollBar, TabLocationBottom, FALSE, 400, 150);
    AddTabs({"One", "Two"});
    m_tabs->SetResizeBarMode(CZUDPTabWnd::ResizeBarRight);
    DibCanvas canvas(400, 150);
    Render(canvas);
    const CRect splitter = m_tabs->GetSplitterRect();
    ASSERT_FALSE(splitter.IsRectEmpty());
    EXPECT_TRUE(ColorAt(canvas, splitter.left, splitter.CenterPoint().y, env.m_colorBarDarkShadow));
    EXPECT_TRUE(ColorAt(canvas, splitter.left + 1, splitter.CenterPoint().y, env.m_colorBarHighlight));
    EXPECT_TRUE(ColorAt(canvas, splitter.left + 2, splitter.CenterPoint().y, env.m_colorBarFace));
    const CRect bar = m_tabs->GetResizeBarRect();
    EXPECT_TRUE(ColorAt(canvas, bar.left, 70, env.m_colorBarShadow)) << "the bar's edge line";
    EXPECT_TRUE(ColorAt(canvas, bar.left + 2, 70, env.m_colorBarFace));
}

TEST_F(TabPaintTest, RowButtonsPaintThroughTheTabButtonOperations)
{
    struct Case {
        int style;
        int glyphColour;
    } cases[] = {{3, MenuGlyphColorDkGray}, {4, MenuGlyphColorBlack}, {1, MenuGlyphColorDkGray}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        Create(c.style, TabLocationTop, TRUE);
        AddTabs({"One"});
        CZUDTabButton& button = m_tabs->GetScrollLeftButton();
        CRect rect;
        button.GetClientRect(&rect);
        ASSERT_FALSE(rect.IsRectEmpty());
        DibCanvas canvas(rect.Width(), rect.Height());
        canvas.Fill(kUntouched);
        uitest::RecordingManagerScope manager;
        button.SendMessage(WM_PRINTCLIENT, WPARAM(canvas.Dc()), PRF_CLIENT);
        EXPECT_EQ(c.glyphColour, button.m_nGlyphColor);
        EXPECT_EQ(&button, manager->Of("FillTabButton").at(0).element);
        EXPECT_EQ(&button, manager->Of("DrawTabButtonBorder").at(0).element);
        EXPECT_EQ(0, canvas.CountColor(canvas.Rect(), kUntouched)) << "the face covers the button";
        EXPECT_GT(canvas.CountColor(canvas.Rect(), env.m_colorBarFace), rect.Width() * rect.Height() / 3);
    }
}

TEST_F(TabPaintTest, ATabIconIsDrawnAtTheImageSizeTheLayoutReserved)
{
    const COLORREF iconColour = RGB(7, 201, 99);
    for (int iconSize : {32, 16}) {
        SCOPED_TRACE(testing::Message() << iconSize << "x" << iconSize << " icon");
        Create(CZUDPTabWnd::TabStyle3D, TabLocationTop, FALSE, 400, 150);
        AddTabs({"One", "Two"});
        HICON hIcon = MakeOneColourTabIcon(iconSize, iconColour);
        ASSERT_NE(nullptr, hIcon);
        ASSERT_TRUE(m_tabs->SetTabIconHandle(0, hIcon));  // the tab owns it from here
        const CSize image = m_tabs->GetImageSize();
        DibCanvas canvas(400, 150);
        Render(canvas);
        // Every pixel of the icon lies in its own tab, and there are as many
        // as the image size holds (a larger icon is scaled down, not cut).
        EXPECT_EQ(image.cx * image.cy, canvas.CountColor(canvas.Rect(), iconColour));
        EXPECT_EQ(image.cx * image.cy, canvas.CountColor(TabRect(0), iconColour));
    }
}

} // namespace
