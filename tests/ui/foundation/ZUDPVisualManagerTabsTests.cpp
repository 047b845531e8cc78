// The visual manager's tab drawing, read back from DIB pixels: each look's
// outline and fill, the band that joins the active tab to its page, tabs
// scrolled out of the strip, the image that needs room, the close button,
// the tab window's frame and its colours.
#include "tests/common/ui/DistinctColours.h"
#include "tests/ui/foundation/VisualManagerFamilyTest.h"
#include "ui/docking/ZUDPTabWnd.h"

#include <commctrl.h>

#include <gtest/gtest.h>

using familytest::ClassicManager;
using uitest::DistinctColours;
using familytest::kCanvas;
using foundationtest::Canvas;

namespace {

// A tab window that is never created: its look, tab row and tabs are set
// directly, as its own layout would set them.
class TestTabWnd : public CZUDPTabWnd {
public:
    TestTabWnd(int nStyle, BOOL bOnTop, int nTabs = 3)
    {
        SetStyleCode(nStyle);
        m_location = bOnTop ? TabLocationTop : TabLocationBottom;
        m_nTabsHeight = 20;
        m_rectTabsArea = CRect(0, 0, 400, 40);
        for (int i = 0; i < nTabs; ++i)
            AppendTab(nullptr, "");
        m_iActiveTab = 0;
    }
    using CZUDPTabWnd::m_hImageList;
    using CZUDPTabWnd::m_iActiveTab;
    using CZUDPTabWnd::m_nTabsHeight;
    using CZUDPTabWnd::m_rectTabsArea;
    using CZUDPTabWnd::m_sizeImage;
    void SetFlat() { m_bFlat = TRUE; }
    void SetDialogLook(BOOL bInDialog, BOOL bVisualManagerStyle)
    {
        m_bInDialog = bInDialog;
        m_bVisualManagerStyle = bVisualManagerStyle;
    }
};

class TabDrawingTest : public ::testing::Test {
protected:
    DistinctColours m_colors;
    ClassicManager m_manager;
    const CZUDPUIEnvironment& env = g_uiEnvironment;
};

// One tab of each look drawn at (40, 10)-(140, 30) with a canvas round it,
// and a colour expected at a point.
TEST_F(TabDrawingTest, OutlinesAndFillsOfEachLook)
{
    const CRect tab(40, 10, 140, 30);
    enum Who { Canvas_, Face, Window, Own, BarFace, Highlight, Shadow, Dark };
    const COLORREF own = RGB(200, 40, 40);
    struct Case {
        const char* what;
        int style;
        BOOL onTop, active, ownColour, colouredInactive;
        int x, y;
        Who expected;
    } cases[] = {
        // Three-dimensional tabs on top.
        {"3D inactive, no colour: not filled", 0, TRUE, FALSE, FALSE, FALSE, 90, 20, Canvas_},
        {"3D inactive: right edge stops a pixel above the bottom", 0, TRUE, FALSE, FALSE, FALSE, 140, 30, Canvas_},
        {"3D inactive: right edge in the dark pen", 0, TRUE, FALSE, FALSE, FALSE, 140, 28, Dark},
        {"3D inactive: inner right line in the shadow pen", 0, TRUE, FALSE, FALSE, FALSE, 139, 20, Shadow},
        {"3D: top edge in the highlight pen", 0, TRUE, FALSE, FALSE, FALSE, 90, 10, Highlight},
        {"3D: left edge in the highlight pen", 0, TRUE, FALSE, FALSE, FALSE, 40, 20, Highlight},
        {"3D active: right edge reaches the bottom", 0, TRUE, TRUE, FALSE, FALSE, 140, 30, Dark},
        {"3D active: band joins the page", 0, TRUE, TRUE, FALSE, FALSE, 90, 31, BarFace},
        {"3D active: band is two pixels high", 0, TRUE, TRUE, FALSE, FALSE, 90, 32, Canvas_},
        {"3D inactive with its own colour: filled", 0, TRUE, FALSE, TRUE, FALSE, 90, 20, Own},
        {"3D inactive, coloured-inactive option: face", 0, TRUE, FALSE, FALSE, TRUE, 90, 20, Face},
        {"3D active with its own colour: band in it", 0, TRUE, TRUE, TRUE, FALSE, 90, 30, Own},
        // Three-dimensional tabs at the bottom.
        {"3D bottom: left edge in the highlight pen", 0, FALSE, FALSE, FALSE, FALSE, 40, 20, Highlight},
        {"3D bottom: bottom edge in the dark pen", 0, FALSE, FALSE, FALSE, FALSE, 90, 30, Dark},
        {"3D bottom: inner bottom line in the shadow pen", 0, FALSE, FALSE, FALSE, FALSE, 90, 29, Shadow},
        {"3D bottom active: band above the tab", 0, FALSE, TRUE, FALSE, FALSE, 90, 8, BarFace},
        // Slanted tabs are always filled; the active one in the window colour.
        {"style 4 inactive: face", 4, TRUE, FALSE, FALSE, FALSE, 100, 20, Face},
        {"style 4 active: window", 4, TRUE, TRUE, FALSE, FALSE, 100, 20, Window},
        {"style 4 active with its own colour: own", 4, TRUE, TRUE, TRUE, FALSE, 100, 20, Own},
        {"style 4: left of the slant stays empty", 4, TRUE, FALSE, FALSE, FALSE, 43, 12, Canvas_},
        {"style 5 active: window", 5, TRUE, TRUE, FALSE, FALSE, 100, 20, Window},
        {"style 5: top inner line in the highlight pen", 5, TRUE, FALSE, FALSE, FALSE, 100, 11, Highlight},
        // Rounded tabs: filled inside their outline.
        {"rounded inactive: face", 6, TRUE, FALSE, FALSE, FALSE, 90, 20, Face},
        {"rounded active: window", 7, TRUE, TRUE, FALSE, FALSE, 90, 20, Window},
        {"rounded: outline of the left side", 6, TRUE, FALSE, FALSE, FALSE, 40, 29, Shadow},
        {"rounded: top corner outside the outline", 6, TRUE, FALSE, FALSE, FALSE, 41, 10, Canvas_},
    };
    for (const Case& c : cases) {
        Canvas canvas(200, 50, kCanvas);
        TestTabWnd wnd(c.style, c.onTop);
        wnd.m_rectTabsArea = CRect(0, 0, 200, 50);
        if (c.ownColour)
            wnd.SetTabBackColor(1, own);
        m_manager->m_coloredInactiveTabs = c.colouredInactive;
        const int iTab = 1;
        wnd.m_iActiveTab = c.active ? iTab : 0;
        m_manager->DrawTab(&canvas.Dc(), tab, iTab, c.active, &wnd);

        const COLORREF expected[] = {kCanvas,
                                     env.m_colorButtonFace,
                                     env.m_colorWindow,
                                     own,
                                     env.m_colorBarFace,
                                     env.m_colorBarHighlight,
                                     env.m_colorBarShadow,
                                     env.m_colorBarDarkShadow};
        EXPECT_EQ(trovtest::ColorText(expected[c.expected]), trovtest::ColorText(canvas.Pixel(c.x, c.y)))
            << c.what << " at " << c.x << "," << c.y;
    }
}

TEST_F(TabDrawingTest, FlatTrapezoidUsesTheDCsPenAndTheTabsOwnBrush)
{
    // A flat tab on top, 10 pixels high, from 0 to 60: its sides slant by 5.
    const COLORREF pen = RGB(0, 0, 250), brush = RGB(0, 250, 0), own = RGB(250, 0, 0);
    for (BOOL active : {FALSE, TRUE}) {
        Canvas canvas(80, 30, kCanvas);
        TestTabWnd wnd(0, TRUE);
        wnd.SetFlat();
        wnd.m_nTabsHeight = 10;
        wnd.SetTabBackColor(0, own);
        CPen dcPen(PS_SOLID, 1, pen);
        CBrush dcBrush(brush);
        canvas.Dc().SelectObject(&dcPen);
        canvas.Dc().SelectObject(&dcBrush);
        m_manager->DrawTab(&canvas.Dc(), CRect(0, 10, 60, 20), 0, active, &wnd);

        EXPECT_EQ(pen, canvas.Pixel(5, 11)) << active;    // (L + hh, T + 1)
        EXPECT_EQ(pen, canvas.Pixel(55, 11)) << active;   // (R - hh, T + 1)
        EXPECT_EQ(kCanvas, canvas.Pixel(4, 11)) << active;
        EXPECT_EQ(kCanvas, canvas.Pixel(56, 11)) << active;
        EXPECT_EQ(kCanvas, canvas.Pixel(30, 10)) << active;
        EXPECT_EQ(pen, canvas.Pixel(30, 11)) << active;   // the top edge
        EXPECT_EQ(pen, canvas.Pixel(30, 20)) << active;   // the bottom edge, at B
        // Inactive with its own colour: filled in it; active: the DC's brush.
        EXPECT_EQ(active ? brush : own, canvas.Pixel(12, 17)) << active;
    }
}

TEST_F(TabDrawingTest, SlantedTabRightOfTheStripDrawsNothingAtAll)
{
    for (int style : {4, 5, 0}) {
        Canvas canvas(300, 40, kCanvas);
        TestTabWnd wnd(style, TRUE);
        wnd.m_rectTabsArea = CRect(0, 0, 150, 40);
        // Starts where the strip ends: not even the label shows.
        m_manager->DrawTab(&canvas.Dc(), CRect(150, 10, 250, 30), 1, FALSE, &wnd);
        EXPECT_EQ(0, familytest::CountNotCanvas(canvas, CRect(0, 0, 300, 40))) << style;
        // Ends within 10 pixels of the strip's left edge: nothing either.
        wnd.m_rectTabsArea = CRect(241, 0, 300, 40);
        m_manager->DrawTab(&canvas.Dc(), CRect(150, 10, 250, 30), 1, FALSE, &wnd);
        EXPECT_EQ(0, familytest::CountNotCanvas(canvas, CRect(0, 0, 300, 40))) << style;
    }
    // Partly visible: drawn, and cut at the strip's end.
    Canvas canvas(300, 40, kCanvas);
    TestTabWnd wnd(4, TRUE);
    wnd.m_rectTabsArea = CRect(0, 0, 200, 40);
    m_manager->DrawTab(&canvas.Dc(), CRect(150, 10, 250, 30), 1, FALSE, &wnd);
    EXPECT_GT(familytest::CountNotCanvas(canvas, CRect(150, 10, 200, 31)), 0);
    EXPECT_EQ(0, familytest::CountNotCanvas(canvas, CRect(201, 0, 300, 40)));
}

TEST_F(TabDrawingTest, ImageNeedsItsWidthPlusBothMargins)
{
    // A 16-pixel image in red; the content needs 16 + 2 x 4 pixels for it.
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    ASSERT_NE(nullptr, images);
    {
        Canvas red(16, 16, RGB(255, 0, 0));
        HBITMAP bitmap = ::CreateCompatibleBitmap(red.Dc(), 16, 16);
        HDC dc = ::CreateCompatibleDC(red.Dc());
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        ::BitBlt(dc, 0, 0, 16, 16, red.Dc(), 0, 0, SRCCOPY);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ImageList_Add(images, bitmap, nullptr);
        ::DeleteObject(bitmap);
    }
    for (int width : {24, 23}) {
        Canvas canvas(100, 40, kCanvas);
        TestTabWnd wnd(0, TRUE, 1);
        wnd.m_hImageList = images;
        wnd.m_sizeImage = CSize(16, 16);
        wnd.AppendTab(nullptr, "", 0);
        m_manager->DrawTabContent(&canvas.Dc(), CRect(10, 5, 10 + width, 35), 1, FALSE, &wnd, (COLORREF)-1);
        const int red = canvas.Pixel(14 + 8, 20) == RGB(255, 0, 0);
        EXPECT_EQ(width >= 24, red != 0) << "content " << width;
    }
    ImageList_Destroy(images);
}

TEST_F(TabDrawingTest, InactiveTabsWriteTheirLabelInTheirOwnTextColour)
{
    const COLORREF own = RGB(0, 160, 0), dcText = RGB(0, 0, 160);
    for (BOOL active : {FALSE, TRUE}) {
        Canvas canvas(200, 40, kCanvas);
        TestTabWnd wnd(0, TRUE, 0);
        wnd.AppendTab(nullptr, "WWWW");
        wnd.SetTabTextColor(0, own);
        canvas.Dc().SetTextColor(dcText);
        m_manager->DrawTab(&canvas.Dc(), CRect(20, 5, 180, 35), 0, active, &wnd);
        int ownPixels = 0, dcPixels = 0;
        for (int y = 6; y < 34; ++y)
            for (int x = 22; x < 178; ++x) {
                ownPixels += canvas.Pixel(x, y) == own;
                dcPixels += canvas.Pixel(x, y) == dcText;
            }
        EXPECT_EQ(!active, ownPixels > 0) << "active " << active;
        EXPECT_EQ(!!active, dcPixels > 0) << "active " << active;
        // The DC's text colour is given back.
        EXPECT_EQ(dcText, canvas.Dc().GetTextColor()) << "active " << active;
    }
}

TEST_F(TabDrawingTest, CloseButtonFramesOnlyWhenHighlighted)
{
    const CRect rect(10, 10, 26, 26);
    struct Case {
        BOOL highlighted, pressed;
        COLORREF topLeft, bottomRight, inside;
    } cases[] = {
        {FALSE, FALSE, kCanvas, kCanvas, kCanvas},
        {TRUE, FALSE, env.m_colorBarHighlight, env.m_colorBarDarkShadow, env.m_colorBarFace},
        {TRUE, TRUE, env.m_colorBarDarkShadow, env.m_colorBarHighlight, env.m_colorBarFace},
    };
    for (const Case& c : cases) {
        Canvas canvas(40, 40, kCanvas);
        TestTabWnd wnd(0, TRUE);
        m_manager->DrawTabCloseButton(&canvas.Dc(), rect, &wnd, c.highlighted, c.pressed, FALSE);
        EXPECT_EQ(c.topLeft, canvas.Pixel(10, 12)) << c.highlighted << c.pressed;
        EXPECT_EQ(c.bottomRight, canvas.Pixel(25, 20)) << c.highlighted << c.pressed;
        EXPECT_EQ(c.inside, canvas.Pixel(12, 12)) << c.highlighted << c.pressed;
        // The cross is black in every state.
        bool black = false;
        for (int y = 11; y < 25; ++y)
            for (int x = 11; x < 25; ++x)
                black = black || canvas.Pixel(x, y) == RGB(0, 0, 0);
        EXPECT_TRUE(black) << c.highlighted << c.pressed;
    }
}

TEST_F(TabDrawingTest, RowButtonBorderSinksWhenPushedOrSelected)
{
    for (UINT state : {0u, UINT(ODS_SELECTED)}) {
        Canvas canvas(40, 40, kCanvas);
        CRect rect(5, 5, 25, 25);
        m_manager->DrawTabButtonBorder(&canvas.Dc(), rect, nullptr, state, nullptr);
        const BOOL sunken = state != 0;
        EXPECT_EQ(sunken ? env.m_colorBarDarkShadow : env.m_colorBarHighlight, canvas.Pixel(5, 10)) << state;
        EXPECT_EQ(sunken ? env.m_colorBarHighlight : env.m_colorBarDarkShadow, canvas.Pixel(24, 10)) << state;
        EXPECT_EQ(sunken ? CRect(9, 9, 23, 23) : CRect(7, 7, 23, 23), rect) << state;
    }
}

TEST_F(TabDrawingTest, FrameLineUnderTheTabsExceptForStyle4)
{
    CPen pen(PS_SOLID, 1, RGB(0, 0, 250));
    struct Case {
        int style;
        BOOL onTop, fullLength;
        int y, firstX, lastX;  // the line's extent, or -1 for none
    } cases[] = {
        {0, TRUE, TRUE, 10, 10, 108},
        {0, FALSE, TRUE, 39, 10, 108},
        {0, TRUE, FALSE, 10, 13, 105},
        {4, TRUE, TRUE, 10, -1, -1},
    };
    for (const Case& c : cases) {
        Canvas canvas(120, 50, kCanvas);
        TestTabWnd wnd(c.style, c.onTop);
        wnd.m_bFullLengthLine = c.fullLength;
        wnd.SetTabBorderSize(3, FALSE);
        m_manager->DrawTabFrame(&canvas.Dc(), &wnd, CRect(10, 10, 110, 40), RGB(250, 0, 0), &pen);
        EXPECT_EQ(RGB(250, 0, 0), canvas.Pixel(10, 25)) << c.style;  // the frame
        if (c.firstX < 0) {
            EXPECT_EQ(RGB(250, 0, 0), canvas.Pixel(50, 10)) << c.style;
            continue;
        }
        EXPECT_EQ(RGB(0, 0, 250), canvas.Pixel(c.firstX, c.y)) << c.style;
        EXPECT_EQ(RGB(0, 0, 250), canvas.Pixel(c.lastX, c.y)) << c.style;
        EXPECT_NE(RGB(0, 0, 250), canvas.Pixel(c.lastX + 1, c.y)) << c.style;
    }
}

TEST_F(TabDrawingTest, FrameColoursByPlaceAndStyle)
{
    struct Case {
        const char* what;
        int style;
        BOOL inDialog, vmStyle, activeColour;
        COLORREF dark, black, highlight, face;
        bool buttonFaceBrush;
    } cases[] = {
        {"bar set", 0, FALSE, FALSE, FALSE, env.m_colorBarShadow, env.m_colorBarText, env.m_colorBarHighlight,
         env.m_colorBarFace, false},
        {"dialog, own look: button set", 0, TRUE, FALSE, FALSE, env.m_colorButtonShadow, env.m_colorButtonText,
         env.m_colorButtonHighlight, env.m_colorButtonFace, true},
        {"dialog in visual-manager style: bar set, button face", 0, TRUE, TRUE, FALSE, env.m_colorBarShadow,
         env.m_colorBarText, env.m_colorBarHighlight, env.m_colorButtonFace, false},
        {"style 5: highlight is the shadow", 5, FALSE, FALSE, FALSE, env.m_colorBarShadow, env.m_colorBarText,
         env.m_colorBarShadow, env.m_colorBarFace, false},
        {"style 4 with a coloured active tab: face in it", 4, FALSE, FALSE, TRUE, env.m_colorBarShadow,
         env.m_colorBarText, env.m_colorBarHighlight, RGB(9, 99, 199), false},
    };
    for (const Case& c : cases) {
        TestTabWnd wnd(c.style, TRUE);
        wnd.SetDialogLook(c.inDialog, c.vmStyle);
        if (c.activeColour)
            wnd.SetTabBackColor(0, RGB(9, 99, 199));
        COLORREF dark, black, highlight, face, darkShadow, light;
        CBrush *faceBrush = nullptr, *blackBrush = nullptr;
        m_manager->GetTabFrameColors(&wnd, dark, black, highlight, face, darkShadow, light, faceBrush, blackBrush);
        EXPECT_EQ(c.dark, dark) << c.what;
        EXPECT_EQ(c.black, black) << c.what;
        EXPECT_EQ(c.highlight, highlight) << c.what;
        EXPECT_EQ(c.face, face) << c.what;
        EXPECT_EQ(c.buttonFaceBrush ? &g_uiEnvironment.m_brushButtonFace : &g_uiEnvironment.m_brushBarFace,
                  faceBrush)
            << c.what;
        EXPECT_EQ(&g_uiEnvironment.m_brushDarkShadow, blackBrush) << c.what;
    }
}

TEST_F(TabDrawingTest, TabAreaTakesTheActiveTabsColourOnlyWhenItHasOne)
{
    Canvas canvas(40, 40, kCanvas);
    TestTabWnd wnd(0, TRUE);
    EXPECT_FALSE(m_manager->FillTabAreaWithTabColor(&canvas.Dc(), CRect(0, 0, 40, 40), &wnd));
    EXPECT_EQ(kCanvas, canvas.Pixel(20, 20));
    wnd.SetTabBackColor(0, RGB(9, 99, 199));
    EXPECT_TRUE(m_manager->FillTabAreaWithTabColor(&canvas.Dc(), CRect(0, 0, 40, 40), &wnd));
    EXPECT_EQ(RGB(9, 99, 199), canvas.Pixel(20, 20));
}

} // namespace
