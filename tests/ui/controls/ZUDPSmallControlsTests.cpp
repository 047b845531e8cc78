// The progress bar, slider, static text and group box: what each hands the
// visual manager, and when the platform keeps the painting.
#include "ui/controls/ZUDPGroup.h"
#include "ui/controls/ZUDPProgressCtrl.h"
#include "ui/controls/ZUDPSliderCtrl.h"
#include "ui/controls/ZUDPStatic.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "tests/ui/foundation/VisualManagerFamilyTest.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using controltest::CControlHost;
using controltest::ControlRecordingScope;
using controltest::SendMouse;
using foundationtest::Canvas;

namespace {

class SmallControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }
    static void Print(CWnd& wnd, Canvas& canvas)
    {
        canvas.Fill(familytest::kCanvas);
        wnd.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc().GetSafeHdc(), PRF_CLIENT);
    }
    // The control's window rectangle in the host's client coordinates.
    CRect InHost(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(rect);
        m_host.ScreenToClient(rect);
        return rect;
    }

    CControlHost m_host;
};

// ---------------------------------------------------------------------------
// Progress bar

TEST_F(SmallControlsTest, TheProgressChunkCoversTheDoneShareOfTheFrame)
{
    ControlRecordingScope manager;
    // A 200 x 20 bar: the frame is its client area less one pixel, the
    // chunk the frame's done share less one pixel.
    const struct {
        const char* name;
        int lower, upper, pos;
        CRect chunk;
    } cases[] = {
        {"100..200 at 200 fills the frame", 100, 200, 200, CRect(2, 2, 198, 18)},
        {"0..100 at 50 fills half", 0, 100, 50, CRect(2, 2, 99, 18)},
        {"0..0 draws no chunk", 0, 0, 0, CRect(0, 0, 0, 0)},
        {"at the lower end no chunk", 0, 100, 0, CRect(0, 0, 0, 0)},
        {"a range of hundreds of millions", 0, 400000000, 200000000, CRect(2, 2, 99, 18)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPProgressCtrl progress;
        ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 210, 30), &m_host, 3));
        CRect client;
        progress.GetClientRect(client);
        EXPECT_EQ(CRect(0, 0, 200, 20), client) << "no platform border";
        progress.SetRange32(c.lower, c.upper);
        progress.SetPos(c.pos);
        manager->Clear();
        Canvas canvas(200, 20);
        Print(progress, canvas);
        const auto calls = manager->Of("DrawProgressBar");
        ASSERT_EQ(1u, calls.size());
        EXPECT_EQ(CRect(1, 1, 199, 19), calls[0].rect);
        EXPECT_EQ(c.chunk, CRect(calls[0].flags[0], calls[0].flags[1], calls[0].flags[2], calls[0].flags[3]));
        EXPECT_EQ(FALSE, calls[0].flags[4]) << "never infinite";
        EXPECT_EQ(CControlHost::kBackground, canvas.Pixel(0, 0)) << "the parent's background round the frame";
    }
}

TEST_F(SmallControlsTest, AProgressBarOnGlassDrawsWithTheGlassFlag)
{
    ControlRecordingScope manager;
    CZUDPProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 30), &m_host, 3));
    progress.SendMessage(ZUDM_ONSETCONTROLAERO, TRUE);
    Canvas canvas(200, 20);
    Print(progress, canvas);
    ASSERT_EQ(1, manager->Count("DrawProgressBar"));
    EXPECT_EQ(TRUE, manager->Of("DrawProgressBar")[0].glass);
    EXPECT_FALSE(g_drawingOnGlass) << "only for the paint";
}

TEST_F(SmallControlsTest, TheProgressBarInTheBaseLook)
{
    uitest::DistinctColours colours;
    uitest::ClassicDrawing classic;
    CZUDPProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 30), &m_host, 3));
    progress.SetRange32(0, 100);
    progress.SetPos(50);
    Canvas canvas(200, 20);
    Print(progress, canvas);
    EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(1, 1));
    EXPECT_EQ(g_uiEnvironment.m_colorBarHighlight, canvas.Pixel(198, 18));
    EXPECT_EQ(g_uiEnvironment.m_colorHighlight, canvas.Pixel(50, 10));
    EXPECT_NE(g_uiEnvironment.m_colorHighlight, canvas.Pixel(150, 10));
}

// ---------------------------------------------------------------------------
// Slider

TEST_F(SmallControlsTest, TheSlidersThumbIsHighlightedWhileHotOrFocusedAndPressedWhileDragged)
{
    ControlRecordingScope manager;
    CZUDPSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 10, 210, 40), &m_host, 4));
    CZUDPSliderCtrl other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 50, 210, 80), &m_host, 5));
    slider.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
    slider.m_bDrawFocus = FALSE;
    CRect thumb;
    slider.GetThumbRect(thumb);

    auto thumbArgs = [&] {
        manager->Clear();
        Canvas canvas(200, 30);
        Print(slider, canvas);
        const auto calls = manager->Of("DrawSliderThumb");
        return calls.size() == 1 ? calls[0].flags : std::vector<int>();
    };
    other.SetFocus();
    EXPECT_EQ(FALSE, thumbArgs().at(0));
    slider.SetFocus();
    ASSERT_EQ(slider.m_hWnd, ::GetFocus());
    EXPECT_EQ(TRUE, thumbArgs().at(0)) << "focused, pointer elsewhere";
    other.SetFocus();

    SendMouse(slider, WM_MOUSEMOVE, thumb.CenterPoint().x, thumb.CenterPoint().y);
    EXPECT_TRUE(slider.IsThumbHot());
    EXPECT_EQ(TRUE, thumbArgs().at(0));
    SendMouse(slider, WM_LBUTTONDOWN, thumb.CenterPoint().x, thumb.CenterPoint().y, MK_LBUTTON);
    EXPECT_EQ(TRUE, thumbArgs().at(1));
    SendMouse(slider, WM_LBUTTONUP, thumb.CenterPoint().x, thumb.CenterPoint().y);
    EXPECT_EQ(FALSE, thumbArgs().at(1));
    slider.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(slider.IsThumbHot());

    slider.EnableWindow(FALSE);
    EXPECT_EQ(TRUE, thumbArgs().at(2)) << "disabled";
}

TEST_F(SmallControlsTest, TheSliderHandsTheManagerAnUprightChannelAndItsTickSides)
{
    ControlRecordingScope manager;
    const struct {
        const char* name;
        DWORD style;
        BOOL vert, leftTop, plain;
    } cases[] = {
        {"ticks below", TBS_HORZ | TBS_BOTTOM, FALSE, FALSE, FALSE},
        {"ticks above", TBS_HORZ | TBS_TOP, FALSE, TRUE, FALSE},
        {"ticks on both sides", TBS_HORZ | TBS_BOTH, FALSE, FALSE, TRUE},
        {"no ticks", TBS_HORZ | TBS_NOTICKS, FALSE, FALSE, TRUE},
        {"vertical, ticks on the left", TBS_VERT | TBS_LEFT, TRUE, TRUE, FALSE},
        {"vertical, ticks on the right", TBS_VERT | TBS_RIGHT, TRUE, FALSE, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPSliderCtrl slider;
        const CRect rect = c.vert ? CRect(10, 10, 50, 160) : CRect(10, 10, 160, 50);
        ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | c.style, rect, &m_host, 4));
        slider.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
        manager->Clear();
        Canvas canvas(rect.Width(), rect.Height());
        Print(slider, canvas);
        const auto channels = manager->Of("DrawSliderChannel");
        ASSERT_EQ(1u, channels.size());
        EXPECT_EQ(c.vert, channels[0].flags[0]);
        if (c.vert) {
            EXPECT_GT(channels[0].rect.Height(), channels[0].rect.Width()) << "upright";
        }
        else {
            EXPECT_GT(channels[0].rect.Width(), channels[0].rect.Height());
        }
        const auto thumbs = manager->Of("DrawSliderThumb");
        ASSERT_EQ(1u, thumbs.size());
        EXPECT_EQ(c.vert, thumbs[0].flags[3]);
        EXPECT_EQ(c.leftTop, thumbs[0].flags[4]);
        EXPECT_EQ(c.plain, thumbs[0].flags[5]);
    }
}

// Where the thumb's middle stands along the channel at each position.
std::vector<int> ThumbMiddles(CZUDPSliderCtrl& slider, const std::vector<int>& positions)
{
    const BOOL vert = (slider.GetStyle() & TBS_VERT) != 0;
    const int saved = slider.GetPos();
    std::vector<int> middles;
    for (int position : positions) {
        slider.SetPos(position);
        CRect thumb;
        slider.GetThumbRect(thumb);
        middles.push_back(vert ? thumb.top + thumb.Height() / 2 : thumb.left + thumb.Width() / 2);
    }
    slider.SetPos(saved);
    return middles;
}

// The runs of a colour along one row (or column) of the canvas: the middle
// pixel of each.
std::vector<int> RunsOf(Canvas& canvas, COLORREF colour, BOOL vert, int across)
{
    std::vector<int> runs;
    const int length = vert ? canvas.Height() : canvas.Width();
    int start = -1;
    for (int along = 0; along <= length; ++along) {
        const bool is = along < length && (vert ? canvas.Pixel(across, along) : canvas.Pixel(along, across)) == colour;
        if (is && start < 0)
            start = along;
        if (!is && start >= 0) {
            runs.push_back((start + along - 1) / 2);
            start = -1;
        }
    }
    return runs;
}

TEST_F(SmallControlsTest, TheLookPaintsTheSlidersTicksWhereTheThumbStops)
{
    uitest::DistinctColours colours;
    uitest::ClassicDrawing classic;
    const struct {
        const char* name;
        DWORD style;
        int freq;                // automatic ticks every so many positions, or 0
        std::vector<int> tics;   // ticks set one by one
        BOOL leftTop, rightBottom;
    } cases[] = {
        {"automatic, below", TBS_HORZ | TBS_AUTOTICKS, 5, {}, FALSE, TRUE},
        {"set one by one, above", TBS_HORZ | TBS_TOP, 0, {3, 7}, TRUE, FALSE},
        {"automatic, both sides", TBS_HORZ | TBS_AUTOTICKS | TBS_BOTH, 2, {}, TRUE, TRUE},
        {"only the ends", TBS_HORZ, 0, {}, FALSE, TRUE},
        {"vertical, right", TBS_VERT | TBS_AUTOTICKS, 5, {}, FALSE, TRUE},
        {"vertical, left, set one by one", TBS_VERT | TBS_LEFT, 0, {1, 4, 9}, TRUE, FALSE},
        {"vertical, both sides", TBS_VERT | TBS_BOTH | TBS_AUTOTICKS, 5, {}, TRUE, TRUE},
    };
    for (const auto& c : cases) {
        for (BOOL enabled : {TRUE, FALSE}) {
            SCOPED_TRACE(std::string(c.name) + (enabled ? "" : ", disabled"));
            const BOOL vert = (c.style & TBS_VERT) != 0;
            CZUDPSliderCtrl slider;
            const CRect rect = vert ? CRect(10, 10, 60, 190) : CRect(10, 10, 190, 60);
            ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | c.style, rect, &m_host, 4));
            slider.SetRange(0, 10);
            if (c.freq != 0)
                slider.SetTicFreq(c.freq);
            for (int tic : c.tics)
                slider.SetTic(tic);
            slider.SetPos(6);
            slider.EnableWindow(enabled);
            slider.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);

            std::vector<int> positions = {0};
            for (int i = 0; i < slider.GetNumTics() - 2; ++i)
                positions.push_back(slider.GetTic(i));
            positions.push_back(10);
            std::sort(positions.begin(), positions.end());
            const std::vector<int> middles = ThumbMiddles(slider, positions);

            Canvas canvas(rect.Width(), rect.Height());
            Print(slider, canvas);
            CZUDPVisualManager* manager = CZUDPVisualManager::GetActiveManager();
            const COLORREF tick = enabled ? manager->GetControlDarkColor(&slider) : manager->GetDisabledTextColor();
            ASSERT_NE(CControlHost::kBackground, tick);
            CRect thumb;
            slider.GetThumbRect(thumb);
            // One pixel beyond the thumb rectangle and one more on each side.
            const int before = (vert ? thumb.left : thumb.top) - 3;
            const int after = (vert ? thumb.right : thumb.bottom) + 2;
            for (int side = 0; side < 2; ++side) {
                const BOOL wanted = side == 0 ? c.leftTop : c.rightBottom;
                const std::vector<int> runs = RunsOf(canvas, tick, vert, side == 0 ? before : after);
                if (!wanted) {
                    EXPECT_TRUE(runs.empty()) << "no ticks on side " << side;
                    continue;
                }
                ASSERT_EQ(middles.size(), runs.size()) << "side " << side;
                for (size_t i = 0; i < runs.size(); ++i)
                    EXPECT_NEAR(middles[i], runs[i], 1) << "tick at " << positions[i] << ", side " << side;
            }
        }
    }

    // No ticks at all, and on glass ticks that are opaque.
    CZUDPSliderCtrl none;
    ASSERT_TRUE(none.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS | TBS_AUTOTICKS, CRect(10, 10, 190, 60),
                            &m_host, 5));
    none.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
    Canvas bare(180, 50);
    Print(none, bare);
    CRect thumb;
    none.GetThumbRect(thumb);
    const COLORREF tick = CZUDPVisualManager::GetActiveManager()->GetControlDarkColor(&none);
    EXPECT_TRUE(RunsOf(bare, tick, FALSE, thumb.bottom + 2).empty());

    CZUDPSliderCtrl glass;
    ASSERT_TRUE(glass.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 10, 190, 60), &m_host, 6));
    glass.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
    glass.SendMessage(ZUDM_ONSETCONTROLAERO, TRUE);
    Canvas onGlass(180, 50);
    Print(glass, onGlass);
    glass.GetThumbRect(thumb);
    const std::vector<int> runs = RunsOf(onGlass, tick, FALSE, thumb.bottom + 2);
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(0xFF, onGlass.Alpha(runs[0], thumb.bottom + 2));
}

TEST_F(SmallControlsTest, OutsideTheManagersLookThePlatformPaintsTheSlider)
{
    ControlRecordingScope manager;
    CZUDPSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(10, 10, 210, 40), &m_host, 4));
    Canvas canvas(200, 30);
    Print(slider, canvas);
    EXPECT_EQ(0, manager->Count("DrawSliderThumb"));
    slider.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
    EXPECT_EQ(1, manager->Count("DrawSliderThumb")) << "redrawn at the change of look";
}

// ---------------------------------------------------------------------------
// Static text

TEST_F(SmallControlsTest, ChangingAStaticsTextRepaintsTheParentUnderIt)
{
    CZUDPStatic text;
    ASSERT_TRUE(text.Create("Before", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 30, 120, 50), &m_host));
    m_host.UpdateWindow();
    for (int i = 0; i < 2; ++i) {
        m_host.erasedRects.clear();
        if (i == 0)
            text.SetWindowText("After");
        else
            text.EnableWindow(FALSE);
        ASSERT_FALSE(m_host.erasedRects.empty());
        EXPECT_EQ(InHost(text), m_host.erasedRects.front());
    }
}

TEST_F(SmallControlsTest, AStaticPaintsItselfOnlyAsTextOnGlassOrGreyedInTheLook)
{
    ControlRecordingScope manager;
    manager->answers["EmbossesDisabledButtonText"] = FALSE;
    const struct {
        const char* name;
        DWORD style;
        BOOL glass, look, enabled;
        bool paintsItself;
        UINT format;  // with the glass text, its format
    } cases[] = {
        {"enabled text is the platform's", SS_LEFT, FALSE, TRUE, TRUE, false, 0},
        {"text on glass", SS_CENTER, TRUE, FALSE, TRUE, true, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS},
        {"a path on glass keeps its ellipsis", SS_LEFT | SS_PATHELLIPSIS | SS_NOPREFIX, TRUE, FALSE, TRUE, true,
         DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_EXPANDTABS | DT_NOPREFIX},
        {"disabled text in the look", SS_RIGHT, FALSE, TRUE, FALSE, true, 0},
        {"disabled text outside the look", SS_RIGHT, FALSE, FALSE, FALSE, false, 0},
        {"an icon on glass stays the platform's", SS_ICON, TRUE, FALSE, TRUE, false, 0},
        {"a frame greyed in the look stays the platform's", SS_ETCHEDFRAME, FALSE, TRUE, FALSE, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPStatic text;
        ASSERT_TRUE(text.Create("C:\\some\\long\\path\\to\\a\\file.txt", WS_CHILD | WS_VISIBLE | c.style,
                                CRect(20, 30, 120, 50), &m_host));
        text.SendMessage(ZUDM_ONSETCONTROLAERO, c.glass);
        text.SendMessage(ZUDM_ONSETCONTROLVMMODE, c.look);
        text.EnableWindow(c.enabled);
        EXPECT_EQ(c.paintsItself, !!text.PaintsItself());
        manager->Clear();
        Canvas canvas(100, 20);
        Print(text, canvas);
        const auto glass = manager->Of("DrawTextOnGlass");
        ASSERT_EQ(c.paintsItself && c.glass ? 1u : 0u, glass.size());
        if (!glass.empty()) {
            EXPECT_EQ(c.format, (UINT)glass[0].flags[0]);
            EXPECT_EQ(6, glass[0].flags[1]);
            EXPECT_EQ(g_uiEnvironment.m_colorBarText, (COLORREF)glass[0].flags[2]);
        }
        if (c.paintsItself && !c.glass) {
            EXPECT_GT(canvas.CountColor(CRect(0, 0, 100, 20), g_uiEnvironment.m_colorGrayText), 0);
            EXPECT_EQ(CControlHost::kBackground, canvas.Pixel(0, 0));
        }
    }
}

// ---------------------------------------------------------------------------
// Group box

TEST_F(SmallControlsTest, TheGroupBoxIsDrawnByTheManagerInTheBarTextColour)
{
    ControlRecordingScope manager;
    CZUDPGroup group;
    ASSERT_TRUE(group.Create("Network", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(20, 20, 220, 120), &m_host, 6));
    Canvas canvas(200, 100);
    Print(group, canvas);
    const auto calls = manager->Of("DrawGroupBox");
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(CRect(0, 0, 200, 100), calls[0].rect);
    EXPECT_EQ(g_uiEnvironment.m_colorBarText, (COLORREF)calls[0].flags[0]);
    EXPECT_EQ(TRANSPARENT, calls[0].flags[1]);
    EXPECT_EQ(0, group.SendMessage(WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)));

    m_host.UpdateWindow();
    m_host.erasedRects.clear();
    group.EnableWindow(FALSE);
    ASSERT_FALSE(m_host.erasedRects.empty());
    EXPECT_EQ(InHost(group), m_host.erasedRects.front());
}

} // namespace
