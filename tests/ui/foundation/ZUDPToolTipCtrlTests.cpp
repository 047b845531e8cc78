// The library's tooltip control: how it measures itself for a label, a
// description and an icon, where it places itself against a faked cursor
// and work area, what it paints, what a hide forgets, and the balloon
// hand-over to the system.
#include "ui/foundation/ZUDPToolTipCtrl.h"

#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"
#include "ui/ribbon/ZUDPRibbonBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using foundationtest::Canvas;

namespace {

// A tooltip whose label and icon size the test chooses (the label is
// otherwise the text of the tool the system shows, the icon that of the
// button under the mouse); it records where the description was drawn.
class TestTip : public CZUDPToolTipCtrl {
public:
    explicit TestTip(const ZUDP_TOOLTIP_PARAMS* pParams = nullptr) : CZUDPToolTipCtrl(pParams) {}
    CString GetLabel() override { return m_label; }
    CSize GetIconSize() override
    {
        return m_fakeIconSize.cx >= 0 ? m_fakeIconSize : CZUDPToolTipCtrl::GetIconSize();
    }
    CSize OnDrawDescription(CDC* pDC, CRect rect, BOOL bCalcOnly) override
    {
        if (!bCalcOnly)
            m_descriptionRect = rect;
        return CZUDPToolTipCtrl::OnDrawDescription(pDC, rect, bCalcOnly);
    }
    CSize OnDrawLabel(CDC* pDC, CRect rect, BOOL bCalcOnly) override
    {
        if (!bCalcOnly)
            m_labelRect = rect;
        return CZUDPToolTipCtrl::OnDrawLabel(pDC, rect, bCalcOnly);
    }

    CString m_label = "Open";
    CSize m_fakeIconSize{0, 0};  // (-1, -1): the hot button's
    CRect m_descriptionRect;
    CRect m_labelRect;
};

// An owner window (a framework window, so that the tooltip's notifications
// come back to the tooltip), a tooltip for it, a faked cursor and work
// area.
class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, CRect(0, 0, 200, 100), nullptr,
                                     0));
    }
    void TearDown() override
    {
        if (m_tip.GetSafeHwnd() != nullptr)
            m_tip.DestroyWindow();
        m_owner.DestroyWindow();
    }

    void CreateTip(const ZUDP_TOOLTIP_PARAMS* pParams = nullptr)
    {
        m_tip.SetParams(pParams);
        ASSERT_TRUE(m_tip.Create(&m_owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
    }

    // Sends the show notification the system sends, through the owner, with
    // the tip where the system put it; answers the notification's result.
    LRESULT Show(CPoint ptSystem)
    {
        m_tip.SetWindowPos(nullptr, ptSystem.x, ptSystem.y, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
        NMHDR hdr = {m_tip.GetSafeHwnd(), 1, (UINT)TTN_SHOW};
        return m_owner.SendMessage(WM_NOTIFY, 1, (LPARAM)&hdr);
    }
    void Pop()
    {
        NMHDR hdr = {m_tip.GetSafeHwnd(), 1, (UINT)TTN_POP};
        m_owner.SendMessage(WM_NOTIFY, 1, (LPARAM)&hdr);
    }
    CRect TipRect()
    {
        CRect rect;
        m_tip.GetWindowRect(rect);
        return rect;
    }

    CPoint m_cursor{100, 100};
    CRect m_workArea{0, 0, 800, 600};
    BOOL m_monitorAnswers = TRUE;
    ScopedSeam<BOOL(POINT*)> m_cursorSeam{g_frameworkSeams.cursorPos, [this](POINT* pt) {
                                              *pt = m_cursor;
                                              return TRUE;
                                          }};
    ScopedSeam<BOOL(POINT, RECT*)> m_workAreaSeam{g_foundationSeams.monitorWorkArea, [this](POINT, RECT* rect) {
                                                      if (m_monitorAnswers)
                                                          *rect = m_workArea;
                                                      return m_monitorAnswers;
                                                  }};
    CWnd m_owner;
    TestTip m_tip;
};

// The text extent in one of the library's fonts.
CSize Extent(CFont& font, const char* text)
{
    return trovtest::MeasureText((HFONT)font.GetSafeHandle(), text);
}

// The wrapped height of a text at a width in the status font.
CSize Wrapped(const char* text, int width)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, g_uiEnvironment.m_fontStatus.GetSafeHandle());
    RECT rect = {0, 0, width, 0};
    const int height = ::DrawTextA(dc, text, -1, &rect, DT_WORDBREAK | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return CSize(rect.right - rect.left, height);
}

const char kLongDescription[] =
    "Opens a saved list of machines from a file and shows every machine of it in the saved list, "
    "replacing the machines shown now.";

TEST_F(ToolTipTest, LabelOnlyTipIsLabelPlusMarginsInTheStatusFont)
{
    CreateTip();
    EXPECT_EQ(0, Show(CPoint(100, 120)));
    const CSize label = Extent(g_uiEnvironment.m_fontStatus, "Open");
    const CRect rect = TipRect();
    EXPECT_EQ(label.cx + 8, rect.Width());
    EXPECT_EQ(label.cy + 4, rect.Height());
    // The system's placement stays.
    EXPECT_EQ(CPoint(100, 120), rect.TopLeft());
    EXPECT_EQ(0, m_tip.GetStyle() & WS_BORDER);
}

TEST_F(ToolTipTest, DescriptionMakesTheLabelBoldAndWrapsAtTheMaximumWidth)
{
    CreateTip();
    m_tip.SetDescription(kLongDescription);
    Show(CPoint(100, 120));

    const CSize label = Extent(g_uiEnvironment.m_fontBold, "Open");
    const CSize description = Wrapped(kLongDescription, 200);
    ASSERT_GT(description.cy, label.cy) << "the description should wrap onto several lines";
    const CRect rect = TipRect();
    EXPECT_EQ(std::max<int>(label.cx, description.cx) + 8, rect.Width());
    EXPECT_EQ(label.cy + description.cy + 4 + 4, rect.Height());

    // Painted, the description starts three pixels (3 x 2 / 2) below the label.
    Canvas canvas(rect.Width(), rect.Height());
    m_tip.DrawTip(&canvas.Dc());
    EXPECT_EQ(m_tip.m_labelRect.top + label.cy + 3, m_tip.m_descriptionRect.top);
    EXPECT_EQ(2 + 2, m_tip.m_labelRect.left);
}

TEST_F(ToolTipTest, FixedWidthsFollowTheIconSize)
{
    struct Case {
        const char* name;
        int icon;
        int regular, large;
        int wrapWidth;     // where the description wraps
        int minimumWidth;  // of the window
    } cases[] = {
        {"16-px icon, regular 250", 16, 250, 0, 250 - (16 + 4), 250},
        {"48-px icon, no large width", 48, 250, 0, 200, 0},
        {"48-px icon, large 300", 48, 250, 300, 200, 300},
        {"no icon, no widths", 0, 0, 0, 200, 0},
    };
    CreateTip();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_tip.m_fakeIconSize = CSize(c.icon, c.icon);
        m_tip.SetFixedWidth(c.regular, c.large);
        m_tip.SetDescription(kLongDescription);
        Show(CPoint(100, 120));
        const CSize description = Wrapped(kLongDescription, c.wrapWidth);
        const CSize label = Extent(g_uiEnvironment.m_fontBold, "Open");
        const int iconPart = c.icon > 0 ? c.icon + 4 : 0;
        const int measured = std::max<int>(label.cx, description.cx) + iconPart + 8;
        EXPECT_EQ(std::max<int>(measured, c.minimumWidth), TipRect().Width());
        EXPECT_EQ(std::max<int>(label.cy + description.cy + 4, c.icon) + 4, TipRect().Height());
        Pop();
    }
}

TEST_F(ToolTipTest, TabsShowAsFourSpacesAndALineFeedMakesTwoLines)
{
    CreateTip();
    m_tip.SetDescription("a\tb");
    EXPECT_STREQ("a    b", m_tip.GetDescription());
    m_tip.SetDescription("");

    m_tip.m_label = "x\ty";
    Show(CPoint(100, 120));
    EXPECT_EQ(Extent(g_uiEnvironment.m_fontStatus, "x    y").cx + 8, TipRect().Width());

    m_tip.m_label = "first line\nsecond";
    Show(CPoint(100, 120));
    const TEXTMETRIC tm = trovtest::MeasureFont((HFONT)g_uiEnvironment.m_fontStatus.GetSafeHandle());
    EXPECT_EQ(2 * tm.tmHeight + 4, TipRect().Height());
}

TEST_F(ToolTipTest, PlacementKeepsTheTipInsideTheWorkArea)
{
    CreateTip();
    const CSize label = Extent(g_uiEnvironment.m_fontStatus, "Open");
    const int cx = label.cx + 8, cy = label.cy + 4;
    const int cursorHeight = ::GetSystemMetrics(SM_CYCURSOR);
    struct Case {
        const char* name;
        CRect work;
        CPoint cursor;
        CPoint system;
        CPoint fixed;
        LRESULT result;
        CPoint expected;
    } cases[] = {
        {"room below and right", CRect(0, 0, 800, 600), CPoint(100, 100), CPoint(100, 120), CPoint(-1, -1), 0,
         CPoint(100, 120)},
        {"bottom: above the cursor", CRect(0, 0, 800, 600), CPoint(100, 590), CPoint(100, 595), CPoint(-1, -1), 1,
         CPoint(100, 590 - cy - 1)},
        {"cursor too low for the tip under it", CRect(0, 0, 800, 600), CPoint(100, 600 - cursorHeight - cy + 1),
         CPoint(100, 300), CPoint(-1, -1), 1, CPoint(100, 600 - cursorHeight - cy + 1 - cy - 1)},
        {"right: one pixel inside", CRect(0, 0, 800, 600), CPoint(790, 100), CPoint(790, 120), CPoint(-1, -1), 1,
         CPoint(800 - cx - 1, 120)},
        {"bottom and right: left of the cursor", CRect(0, 0, 800, 600), CPoint(790, 590), CPoint(790, 595),
         CPoint(-1, -1), 1, CPoint(790 - cx - 1, 590 - cy - 1)},
        {"fixed position", CRect(0, 0, 800, 600), CPoint(100, 100), CPoint(100, 120), CPoint(50, 60), 1,
         CPoint(50, 60)},
        {"fixed at the right: left of the cursor", CRect(0, 0, 800, 600), CPoint(700, 100), CPoint(100, 120),
         CPoint(795, 60), 1, CPoint(700 - cx - 1, 60)},
        {"second monitor's work area", CRect(800, 0, 1600, 600), CPoint(1590, 100), CPoint(1590, 120),
         CPoint(-1, -1), 1, CPoint(1600 - cx - 1, 120)},
        // Above the cursor would cross the top, left of it the left edge.
        {"short work area: not above its top", CRect(0, 0, 800, cy + 2), CPoint(100, 2), CPoint(100, 4),
         CPoint(-1, -1), 1, CPoint(100, 0)},
        {"narrow work area: not left of its left", CRect(0, 0, cx + 3, 600), CPoint(2, 590), CPoint(2, 595),
         CPoint(-1, -1), 1, CPoint(0, 590 - cy - 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_workArea = c.work;
        m_cursor = c.cursor;
        m_tip.SetFixedPosition(c.fixed.x, c.fixed.y);
        EXPECT_EQ(c.result, Show(c.system));
        EXPECT_EQ(c.expected, TipRect().TopLeft());
        EXPECT_EQ(CSize(cx, cy), TipRect().Size());
        Pop();
    }
}

TEST_F(ToolTipTest, PrimaryWorkAreaServesWhenTheMonitorCannotBeAsked)
{
    CreateTip();
    m_monitorAnswers = FALSE;
    CRect primary(0, 0, 640, 400);
    ScopedSeam<BOOL(RECT*)> primarySeam(g_foundationSeams.primaryWorkArea, [&](RECT* rect) {
        *rect = primary;
        return TRUE;
    });
    m_cursor = CPoint(630, 100);
    EXPECT_EQ(1, Show(CPoint(630, 120)));
    EXPECT_EQ(640 - 1, TipRect().right);
}

TEST_F(ToolTipTest, HidingForgetsEverythingOfTheShow)
{
    CreateTip();
    m_tip.SetFixedPosition(50, 60);
    m_tip.SetDescription("Something");
    EXPECT_EQ(1, Show(CPoint(100, 120)));
    EXPECT_EQ(CPoint(50, 60), TipRect().TopLeft());
    Pop();
    EXPECT_EQ(CPoint(-1, -1), m_tip.GetFixedPosition());
    EXPECT_TRUE(m_tip.GetDescription().IsEmpty());
    EXPECT_EQ(nullptr, m_tip.GetHotRibbonButton());
    EXPECT_EQ(0, Show(CPoint(100, 120)));
    EXPECT_EQ(CPoint(100, 120), TipRect().TopLeft());
}

TEST_F(ToolTipTest, SystemResizingAfterTheShowDoesNotUndoTheMeasuredSize)
{
    CreateTip();
    Show(CPoint(100, 120));
    const CRect measured = TipRect();
    m_tip.SetWindowPos(nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(measured.Size(), TipRect().Size());
    Pop();
    m_tip.SetWindowPos(nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CSize(300, 300), TipRect().Size());
}

TEST_F(ToolTipTest, CallerColoursFillAndFrameTheTip)
{
    ZUDP_TOOLTIP_PARAMS params;
    params.values[TTPARAM_FILL_COLOR] = RGB(200, 230, 255);
    params.values[TTPARAM_BORDER_COLOR] = RGB(0, 0, 160);
    params.values[TTPARAM_TEXT_COLOR] = RGB(160, 0, 0);
    params.values[TTPARAM_DRAW_SEPARATOR] = 1;
    CreateTip(&params);
    m_tip.SetDescription("Second line of text");
    Show(CPoint(100, 120));
    const CRect rect = TipRect();
    Canvas canvas(rect.Width(), rect.Height(), RGB(255, 255, 255));
    m_tip.DrawTip(&canvas.Dc());

    const COLORREF fill = RGB(200, 230, 255), border = RGB(0, 0, 160), text = RGB(160, 0, 0);
    for (CPoint corner : {CPoint(0, 0), CPoint(rect.Width() - 1, 0), CPoint(0, rect.Height() - 1),
                          CPoint(rect.Width() - 1, rect.Height() - 1)})
        EXPECT_EQ(border, canvas.Pixel(corner.x, corner.y)) << corner.x << "," << corner.y;
    EXPECT_EQ(fill, canvas.Pixel(2, rect.Height() / 2));

    // The separator: half the vertical margin above the description, from
    // its left to its right edge.
    const int labelHeight = Extent(g_uiEnvironment.m_fontBold, "Open").cy;
    const int separatorY = 2 + labelHeight + 3 - 1;
    EXPECT_EQ(separatorY + 1, m_tip.m_descriptionRect.top);
    EXPECT_EQ(border, canvas.Pixel(4, separatorY));
    EXPECT_EQ(border, canvas.Pixel(rect.Width() - 5, separatorY));
    EXPECT_EQ(fill, canvas.Pixel(rect.Width() / 2, separatorY - 1));

    // The label in the caller's text colour.
    int textPixels = 0;
    for (int y = 2; y < 2 + labelHeight; ++y)
        for (int x = 4; x < rect.Width() - 4; ++x)
            textPixels += trovtest::ColorNear(canvas.Pixel(x, y), text, 48) ? 1 : 0;
    EXPECT_GT(textPixels, 5);
}

TEST_F(ToolTipTest, GradientRunsBetweenTheTwoColours)
{
    ZUDP_TOOLTIP_PARAMS params;
    params.values[TTPARAM_FILL_COLOR] = RGB(255, 255, 255);
    params.values[TTPARAM_GRADIENT_COLOR] = RGB(0, 0, 255);
    CreateTip(&params);
    m_tip.m_label = "";
    m_tip.SetWindowPos(nullptr, 0, 0, 40, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Canvas canvas(40, 40, RGB(0, 0, 0));
    m_tip.DrawTip(&canvas.Dc());
    // 90 degrees: one colour at the top, the other at the bottom.
    const COLORREF top = canvas.Pixel(20, 1), bottom = canvas.Pixel(20, 38);
    EXPECT_NE(top, bottom);
    EXPECT_TRUE(trovtest::ColorNear(top, RGB(0, 0, 255), 24) || trovtest::ColorNear(top, RGB(255, 255, 255), 24))
        << trovtest::ColorText(top);
    EXPECT_TRUE(trovtest::ColorNear(bottom, RGB(0, 0, 255), 24) ||
                trovtest::ColorNear(bottom, RGB(255, 255, 255), 24))
        << trovtest::ColorText(bottom);
}

TEST_F(ToolTipTest, RoundedCornersWidenTheMarginsAndCutTheCorners)
{
    ZUDP_TOOLTIP_PARAMS params;
    params.values[TTPARAM_ROUNDED_CORNERS] = 1;
    params.values[TTPARAM_FILL_COLOR] = RGB(255, 255, 200);
    params.values[TTPARAM_BORDER_COLOR] = RGB(0, 128, 0);
    CreateTip(&params);
    Show(CPoint(100, 120));
    const CSize label = Extent(g_uiEnvironment.m_fontStatus, "Open");
    const CRect rect = TipRect();
    EXPECT_EQ(CSize(label.cx + 12, label.cy + 8), rect.Size());
    EXPECT_EQ(CPoint(6, 4), m_tip.GetMargins());

    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(m_tip.GetSafeHwnd(), (HRGN)rgn.GetSafeHandle()));
    EXPECT_FALSE(::PtInRegion((HRGN)rgn.GetSafeHandle(), 0, 0));
    EXPECT_TRUE(::PtInRegion((HRGN)rgn.GetSafeHandle(), rect.Width() / 2, 0));

    // The eight-segment outline: corners cut, the edges in the border colour.
    Canvas canvas(rect.Width(), rect.Height(), RGB(255, 255, 255));
    m_tip.DrawTip(&canvas.Dc());
    const COLORREF border = RGB(0, 128, 0);
    const int w = rect.Width(), h = rect.Height();
    EXPECT_EQ(border, canvas.Pixel(2, 0));
    EXPECT_EQ(border, canvas.Pixel(w - 4, 0));
    EXPECT_EQ(border, canvas.Pixel(w - 1, h / 2));
    EXPECT_EQ(border, canvas.Pixel(0, h / 2));
    EXPECT_EQ(border, canvas.Pixel(w / 2, h - 1));
    EXPECT_EQ(border, canvas.Pixel(1, 1));
    EXPECT_NE(border, canvas.Pixel(0, 0));
    EXPECT_NE(border, canvas.Pixel(w - 1, h - 1));
}

TEST_F(ToolTipTest, BalloonModeLeavesSizeAndPlaceToTheSystem)
{
    ZUDP_TOOLTIP_PARAMS params;
    params.values[TTPARAM_BALLOON] = 1;
    CreateTip(&params);
    EXPECT_NE(0u, m_tip.GetStyle() & TTS_BALLOON);
    m_cursor = CPoint(790, 590);
    EXPECT_EQ(0, Show(CPoint(790, 595)));
    EXPECT_EQ(CRect(790, 595, 800, 605), TipRect());
}

TEST_F(ToolTipTest, ParametersFromTheVisualManagerAreTakenOnEveryShow)
{
    ZUDP_TOOLTIP_PARAMS params;
    params.values[TTPARAM_MAX_DESCR_WIDTH] = 50;
    params.values[TTPARAM_ROUNDED_CORNERS] = 1;
    params.values[TTPARAM_FROM_VISUAL_MANAGER] = 1;
    CreateTip(&params);
    Show(CPoint(100, 120));
    // The base manager's record: the defaults, with the refresh option kept.
    EXPECT_EQ(200, m_tip.GetParams().values[TTPARAM_MAX_DESCR_WIDTH]);
    EXPECT_EQ(0, m_tip.GetParams().values[TTPARAM_ROUNDED_CORNERS]);
    EXPECT_EQ(1, m_tip.GetParams().values[TTPARAM_FROM_VISUAL_MANAGER]);
}

// A toolbar button that records how the tooltip has it draw itself.
struct DrawRecord {
    int calls = 0;
    CZUDPToolBarImages* images = nullptr;
    CRect rect;
    UINT style = 0xFFFF;
    BOOL text = TRUE, image = FALSE, largeIcons = TRUE;
};

class RecordingButton : public CZUDPToolbarButton {
public:
    RecordingButton(DrawRecord& record, int image) : m_record(record)
    {
        imageIndex = image;
        style = TBBS_CHECKED | TBBS_DISABLED;
        showText = TRUE;
        showImage = FALSE;
    }
    void DrawButton(CDC*, const CRect& rect, CZUDPToolBarImages* pImages, BOOL, BOOL, BOOL, BOOL, BOOL) override
    {
        ++m_record.calls;
        m_record.images = pImages;
        m_record.rect = rect;
        m_record.style = style;
        m_record.text = showText;
        m_record.image = showImage;
        m_record.largeIcons = g_largeIcons;
    }
    DrawRecord& m_record;
};

// A toolbar (the tooltip's parent) with a button with an image at
// (0, 0)-(24, 24), one without at (24, 0)-(48, 24), and a locked strip of
// two 16 x 16 images.
class ToolBarTipTest : public ToolTipTest {
protected:
    void SetUp() override
    {
        ToolTipTest::SetUp();
        ASSERT_TRUE(m_bar.CreateEx(0, AfxRegisterWndClass(0), "bar", WS_POPUP, CRect(300, 200, 400, 224), nullptr, 0));
        auto* pWithImage = new RecordingButton(m_record, 1);
        pWithImage->SetRect(CRect(0, 0, 24, 24));
        auto* pWithout = new RecordingButton(m_record, -1);
        pWithout->SetRect(CRect(24, 0, 48, 24));
        m_bar.InsertButton(pWithImage);
        m_bar.InsertButton(pWithout);
        m_bar.m_bLocked = TRUE;
        m_bar.m_ImagesLocked.SetImageSize(CSize(16, 16));
        void* bits = nullptr;
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -16, 1, 24, BI_RGB};
        HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(-1, m_bar.m_ImagesLocked.AppendBitmap(hBitmap));
        ::DeleteObject(hBitmap);
        ASSERT_EQ(2, m_bar.m_ImagesLocked.GetCount());

        m_tip.m_fakeIconSize = CSize(-1, -1);
        ASSERT_TRUE(m_tip.Create(&m_bar, TTS_ALWAYSTIP | TTS_NOPREFIX));
    }
    void TearDown() override
    {
        if (m_tip.GetSafeHwnd() != nullptr)
            m_tip.DestroyWindow();
        m_bar.DestroyWindow();
        ToolTipTest::TearDown();
    }
    // The tip's show notification comes through the toolbar, its parent.
    LRESULT ShowOnBar(CPoint ptClient)
    {
        // The bar's client area starts inside its borders and gripper.
        m_cursor = ptClient;
        m_bar.ClientToScreen(&m_cursor);
        m_tip.SetWindowPos(nullptr, 100, 120, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
        NMHDR hdr = {m_tip.GetSafeHwnd(), 1, (UINT)TTN_SHOW};
        return m_bar.SendMessage(WM_NOTIFY, 1, (LPARAM)&hdr);
    }

    DrawRecord m_record;
    CZUDPToolBar m_bar;
};

TEST_F(ToolBarTipTest, HotButtonImageIsShownAtTheLeft)
{
    EXPECT_EQ(&m_bar, m_tip.GetOwningToolBar());
    ShowOnBar(CPoint(5, 5));
    EXPECT_EQ(m_bar.GetButtonAt(0), m_tip.GetHotButton());
    EXPECT_EQ(&m_bar.m_ImagesLocked, m_tip.GetIconImages());
    const CSize label = Extent(g_uiEnvironment.m_fontStatus, "Open");
    EXPECT_EQ(CSize(label.cx + 16 + 4 + 8, std::max<int>(label.cy, 16) + 4), TipRect().Size());

    g_largeIcons = TRUE;
    Canvas canvas(TipRect().Width(), TipRect().Height());
    m_tip.DrawTip(&canvas.Dc());
    g_largeIcons = FALSE;
    ASSERT_EQ(1, m_record.calls);
    EXPECT_EQ(&m_bar.m_ImagesLocked, m_record.images);
    EXPECT_EQ(CRect(4, 2, 20, 18), m_record.rect);
    // Drawn as a bare image: no state, no text, small icons...
    EXPECT_EQ(0u, m_record.style);
    EXPECT_FALSE(m_record.text);
    EXPECT_TRUE(m_record.image);
    EXPECT_FALSE(m_record.largeIcons);
    // ...and put back as it was.
    CZUDPToolbarButton* pButton = m_bar.GetButtonAt(0);
    EXPECT_EQ((UINT)(TBBS_CHECKED | TBBS_DISABLED), pButton->style);
    EXPECT_TRUE(pButton->showText);
    EXPECT_FALSE(pButton->showImage);
    EXPECT_EQ(m_tip.m_labelRect.left, 4 + 16 + 4);
}

TEST_F(ToolBarTipTest, NoIconRoomWithoutAnImage)
{
    struct Case {
        const char* name;
        CPoint point;
        std::function<void()> arrange;
    } cases[] = {
        {"button without an image", CPoint(30, 5), [] {}},
        {"nowhere on a button", CPoint(70, 5), [] {}},
        {"strip without images", CPoint(5, 5), [this] { m_bar.m_ImagesLocked.RemoveAllImages(); }},
    };
    const CSize label = Extent(g_uiEnvironment.m_fontStatus, "Open");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        ShowOnBar(c.point);
        EXPECT_EQ(CSize(label.cx + 8, label.cy + 4), TipRect().Size());
        Canvas canvas(TipRect().Width(), TipRect().Height());
        m_tip.DrawTip(&canvas.Dc());
        EXPECT_EQ(0, m_record.calls);
    }
}

TEST_F(ToolBarTipTest, ButtonRemovedBeforeThePaintIsNotDrawn)
{
    ShowOnBar(CPoint(5, 5));
    ASSERT_NE(nullptr, m_tip.GetHotButton());
    ASSERT_TRUE(m_bar.RemoveButton(0));  // deletes it
    Canvas canvas(TipRect().Width(), TipRect().Height());
    m_tip.DrawTip(&canvas.Dc());
    EXPECT_EQ(0, m_record.calls);
    EXPECT_EQ(nullptr, m_tip.GetHotButton());
}

// A ribbon button whose image sizes the test chooses; it records its image
// drawing.
class FakeRibbonButton : public CZUDPRibbonButton {
public:
    CSize GetImageSize(int nForm) const override { return nForm == kLargeImage ? m_large : m_small; }
    void DrawImage(CDC*, int nForm, const CRect& rect) override
    {
        m_drawnForm = nForm;
        m_drawnRect = rect;
        m_disabledWhileDrawn = m_bIsDisabled;
    }
    BOOL HasImage() const override { return m_hasImage; }
    CSize m_large{32, 32}, m_small{16, 16};
    BOOL m_hasImage = TRUE;
    int m_drawnForm = -1;
    CRect m_drawnRect;
    BOOL m_disabledWhileDrawn = TRUE;
};

TEST_F(ToolTipTest, RibbonButtonIconSizeAndForm)
{
    struct Case {
        const char* name;
        BOOL hasImage, ownIcon, large;
        int smallIndex, largeIndex;
        CSize largeSize;
        CSize expected;
        int form;
    } cases[] = {
        {"no image at all", FALSE, TRUE, TRUE, 0, 0, CSize(32, 32), CSize(0, 0), 0},
        {"own icon, large", TRUE, TRUE, TRUE, -1, -1, CSize(32, 32), CSize(32, 32), 0},
        {"own icon, small", TRUE, TRUE, FALSE, -1, -1, CSize(32, 32), CSize(16, 16), 1},
        {"large image", TRUE, FALSE, TRUE, 3, 4, CSize(32, 32), CSize(32, 32), 0},
        {"large image of no size: the small one", TRUE, FALSE, TRUE, 3, 4, CSize(0, 0), CSize(16, 16), 1},
        {"small layout", TRUE, FALSE, FALSE, 3, 4, CSize(32, 32), CSize(16, 16), 1},
        {"no indexes", TRUE, FALSE, TRUE, -1, -1, CSize(32, 32), CSize(0, 0), 1},
    };
    CreateTip();
    m_tip.m_fakeIconSize = CSize(-1, -1);
    HICON hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRibbonButton button;
        button.m_hasImage = c.hasImage;
        button.m_hIcon = c.ownIcon ? hIcon : nullptr;
        button.m_bIsLargeImage = c.large;
        button.m_nSmallImageIndex = c.smallIndex;
        button.m_nLargeImageIndex = c.largeIndex;
        button.m_large = c.largeSize;
        m_tip.SetHotRibbonButton(&button);
        EXPECT_EQ(c.expected, m_tip.GetIconSize());
        if (c.hasImage) {
            EXPECT_EQ(c.form, m_tip.GetRibbonImageForm());
        }
        Pop();
    }
}

TEST_F(ToolTipTest, RibbonButtonDrawsItsImageEnabled)
{
    CreateTip();
    m_tip.m_fakeIconSize = CSize(-1, -1);
    FakeRibbonButton button;
    button.m_nSmallImageIndex = 2;
    button.m_bIsDisabled = TRUE;
    m_tip.SetHotRibbonButton(&button);
    Show(CPoint(100, 120));
    Canvas canvas(TipRect().Width(), TipRect().Height());
    m_tip.DrawTip(&canvas.Dc());
    EXPECT_EQ(1, button.m_drawnForm);
    EXPECT_EQ(CRect(4, 2, 20, 18), button.m_drawnRect);
    EXPECT_FALSE(button.m_disabledWhileDrawn);
    EXPECT_TRUE(button.m_bIsDisabled);
    // A button going away is forgotten by every tooltip.
    CZUDPToolTipCtrl::ForgetButton(&button);
    EXPECT_EQ(nullptr, m_tip.GetHotRibbonButton());
    auto* pDeleted = new CZUDPRibbonButton;
    m_tip.SetHotRibbonButton(pDeleted);
    delete pDeleted;
    EXPECT_EQ(nullptr, m_tip.GetHotRibbonButton());
}

TEST_F(ToolTipTest, RibbonTipThatWouldCrossTheBottomSitsOnTopOfTheRibbon)
{
    CreateTip();
    m_tip.m_fakeIconSize = CSize(-1, -1);
    CZUDPRibbonBar ribbon;
    ASSERT_TRUE(ribbon.CreateEx(0, AfxRegisterWndClass(0), "ribbon", WS_POPUP, CRect(0, 480, 800, 580), nullptr, 0));
    FakeRibbonButton button;
    button.m_pRibbonBar = &ribbon;
    button.m_nSmallImageIndex = 0;
    const CSize label = Extent(g_uiEnvironment.m_fontStatus, "Open");
    const int cy = std::max<int>(label.cy, 16) + 4;

    // Fixed under the ribbon, but the work area ends there: on top of it.
    m_tip.SetHotRibbonButton(&button);
    m_tip.SetFixedPosition(100, 580);
    m_cursor = CPoint(100, 560);
    EXPECT_EQ(1, Show(CPoint(100, 580)));
    EXPECT_EQ(CPoint(100, 480 - cy), TipRect().TopLeft());
    Pop();

    // Without a fixed position: above the cursor.
    m_tip.SetHotRibbonButton(&button);
    EXPECT_EQ(1, Show(CPoint(100, 595)));
    EXPECT_EQ(CPoint(100, 560 - cy - 1), TipRect().TopLeft());
    ribbon.DestroyWindow();
}

// The whole road through the system control: a tracked tool shows, the
// system asks the control through its owner, and the label is the tool's
// text.
TEST_F(ToolTipTest, SystemShowReachesTheControlWithTheToolText)
{
    class RealLabelTip : public CZUDPToolTipCtrl {
    public:
        int shows = 0;
        CString label;
        CSize OnDrawLabel(CDC* pDC, CRect rect, BOOL bCalcOnly) override
        {
            if (bCalcOnly) {
                ++shows;
                label = GetLabel();
            }
            return CZUDPToolTipCtrl::OnDrawLabel(pDC, rect, bCalcOnly);
        }
    } tip;
    ASSERT_TRUE(tip.Create(&m_owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = m_owner.GetSafeHwnd();
    ti.uId = 7;
    ti.lpszText = (LPSTR) "Discover machines";
    ASSERT_TRUE(tip.SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti));
    tip.SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(100, 120));
    tip.SendMessage(TTM_TRACKACTIVATE, TRUE, (LPARAM)&ti);
    trovtest::PumpUntil([&] { return tip.shows > 0; }, 2000);
    EXPECT_GE(tip.shows, 1);
    EXPECT_STREQ("Discover machines", tip.label);
    const CSize label = Extent(g_uiEnvironment.m_fontStatus, "Discover machines");
    CRect rect;
    tip.GetWindowRect(rect);
    EXPECT_EQ(CSize(label.cx + 8, label.cy + 4), rect.Size());
    tip.SendMessage(TTM_TRACKACTIVATE, FALSE, (LPARAM)&ti);
    tip.DestroyWindow();
}

} // namespace
