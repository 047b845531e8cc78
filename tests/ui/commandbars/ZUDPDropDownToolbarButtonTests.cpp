// The drop-down toolbar button: a short click sends the current command,
// the hold timer (an id of its own) opens the window, a choice there
// becomes the button's command and image, the offered toolbar is never
// used after it is gone, and the window stays inside the work area.
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPDropDownToolbarButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace toolbartest;

const UINT kFirst = 0x7401;
const UINT kSecond = 0x7402;

class DropDownButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_seams.Replace(g_frameworkSeams.setTimer, [this](HWND hWnd, UINT_PTR id, UINT, TIMERPROC proc) -> UINT_PTR {
            m_timers.push_back(id);
            m_timerWnd = hWnd;
            m_proc = proc;
            return id;
        });
        m_seams.Replace(g_frameworkSeams.killTimer, [this](HWND, UINT_PTR id) -> BOOL {
            m_killed.push_back(id);
            return TRUE;
        });
        ASSERT_TRUE(m_host.Make(CRect(0, 0, 400, 200)));
        ASSERT_TRUE(MakeToolbar(m_bar, m_host, CSize(300, 30)));
        // The offered toolbar: a button, a separator, a second button.
        m_source.reset(new CZUDPDropDownToolBar);
        ASSERT_TRUE(MakeToolbar(*m_source, m_host, CSize(100, 30)));
        m_source->ShowWindow(SW_HIDE);
        m_source->SetOwner(&m_host);
        m_source->InsertButton(NewButton(kFirst, 0));
        m_source->InsertButton(NewButton(0, -1, nullptr, TBBS_SEPARATOR));
        m_source->InsertButton(NewButton(kSecond, 1));
        m_button = new CZUDPDropDownToolbarButton("Shapes", m_source.get());
        m_bar.InsertButton(m_button);
        m_bar.PositionButtons();
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        if (m_source)
            m_source->DestroyWindow();
        m_host.DestroyWindow();
    }
    CPoint Centre() const { return m_button->Rect().CenterPoint(); }
    void Press() { m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(Centre())); }
    void Release() { m_bar.SendMessage(WM_LBUTTONUP, 0, PointParam(Centre())); }
    void FireTimer()
    {
        ASSERT_NE(nullptr, m_proc);
        m_proc(m_timerWnd, WM_TIMER, CZUDPDropDownToolbarButton::kHoldTimerId, 0);
    }

    ToolbarStateGuard m_guard;
    ScopedSeams m_seams;
    std::vector<UINT_PTR> m_timers, m_killed;
    HWND m_timerWnd = nullptr;
    TIMERPROC m_proc = nullptr;
    CHostWnd m_host;
    CZUDPToolBar m_bar;
    std::unique_ptr<CZUDPDropDownToolBar> m_source;
    CZUDPDropDownToolbarButton* m_button = nullptr;
};

TEST_F(DropDownButtonTest, AShortClickSendsTheCurrentCommand)
{
    EXPECT_EQ(kFirst, m_button->commandId) << "the first offered command";
    Press();
    ASSERT_EQ(1u, m_timers.size());
    EXPECT_NE(UINT_PTR(1), m_timers[0]) << "timer 1 of a bar belongs to its menus";
    EXPECT_EQ(m_bar.GetSafeHwnd(), m_timerWnd);
    Release();
    EXPECT_FALSE(m_button->IsHoldTimerRunning());
    EXPECT_EQ(std::vector<UINT>{kFirst}, m_host.Commands());
    EXPECT_FALSE(m_button->IsDropped());
}

TEST_F(DropDownButtonTest, HoldingOpensTheWindowAndAChoiceBecomesTheCommand)
{
    Press();
    FireTimer();
    ASSERT_TRUE(m_button->IsDropped());
    EXPECT_FALSE(m_button->IsHoldTimerRunning());
    CZUDPDropDownToolBar& bar = m_button->openFrame->GetDropDownBar();
    EXPECT_EQ(bar.GetSafeHwnd(), ::GetCapture()) << "the window's bar follows the mouse";
    ASSERT_EQ(3, bar.GetCount());
    EXPECT_EQ(m_source.get(), m_source->GetButtonAt(2)->parentWnd) << "the offered buttons keep their bar";
    EXPECT_TRUE(m_host.Commands().empty()) << "holding sends nothing";

    // The second offered button, after the separator.
    const CPoint pt = bar.GetButtonAt(2)->Rect().CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(pt));
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(pt));
    EXPECT_FALSE(m_button->IsDropped());
    EXPECT_EQ(kSecond, m_button->commandId);
    EXPECT_EQ(1, m_button->GetCurrentImage());
    trovtest::PumpUntil([this] { return !m_host.Commands().empty(); }, 1000);
    EXPECT_EQ(std::vector<UINT>{kSecond}, m_host.Commands());
}

// The window opens while the button is held: the button under the mouse
// shows pressed, and releasing there chooses it; a release outside the
// window closes it and sends nothing.
TEST_F(DropDownButtonTest, TheHeldMouseTracksTheWindowsButtonsAndAReleaseChooses)
{
    for (bool bReleaseOutside : {false, true}) {
        SCOPED_TRACE(bReleaseOutside ? "release outside" : "release on the second button");
        m_host.received.clear();
        Press();
        FireTimer();
        ASSERT_TRUE(m_button->IsDropped());
        CZUDPDropDownToolBar& bar = m_button->openFrame->GetDropDownBar();
        auto pressed = [&bar](int i) { return (bar.GetButtonAt(i)->style & TBBS_PRESSED) != 0; };
        struct Step {
            int over;   // the button moved over, -1 for the separator
            int tracked;
        } steps[] = {{2, 2}, {0, 0}, {-1, -1}, {2, 2}};
        for (const Step& step : steps) {
            const CPoint pt = bar.GetButtonAt(step.over < 0 ? 1 : step.over)->Rect().CenterPoint();
            bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(pt));
            EXPECT_EQ(step.tracked, bar.GetTrackedButton()) << step.over;
            for (int i : {0, 2})
                EXPECT_EQ(i == step.tracked, pressed(i)) << "over " << step.over << ", button " << i;
        }
        const std::vector<UINT> prompts = m_host.Prompts();
        for (UINT uiPrompt : {kSecond, kFirst, UINT(0xE001)})
            EXPECT_NE(prompts.end(), std::find(prompts.begin(), prompts.end(), uiPrompt)) << "the prompt follows the mouse";
        CRect rectClient;
        bar.GetClientRect(&rectClient);
        const CPoint ptRelease =
            bReleaseOutside ? CPoint(rectClient.right + 20, rectClient.bottom + 20) : bar.GetButtonAt(2)->Rect().CenterPoint();
        bar.SendMessage(WM_LBUTTONUP, 0, PointParam(ptRelease));
        EXPECT_FALSE(m_button->IsDropped());
        EXPECT_FALSE(m_source->GetButtonAt(2)->style & TBBS_PRESSED) << "the shared button loses its pressed look";
        trovtest::PumpUntil([this] { return !m_host.Commands().empty(); }, bReleaseOutside ? 100 : 1000);
        if (bReleaseOutside) {
            EXPECT_TRUE(m_host.Commands().empty());
        } else {
            EXPECT_EQ(std::vector<UINT>{kSecond}, m_host.Commands());
            EXPECT_EQ(kSecond, m_button->commandId);
        }
        m_bar.SendMessage(WM_LBUTTONUP, 0, PointParam(Centre()));
        m_host.received.clear();
        m_timers.clear();
    }
}

TEST_F(DropDownButtonTest, TheTimerDiesWithTheButtonAndWithCancelMode)
{
    Press();
    ASSERT_TRUE(m_button->IsHoldTimerRunning());
    m_button->CancelMode();
    EXPECT_FALSE(m_button->IsHoldTimerRunning());
    EXPECT_EQ(std::vector<UINT_PTR>{CZUDPDropDownToolbarButton::kHoldTimerId}, m_killed);

    m_killed.clear();
    m_bar.SendMessage(WM_LBUTTONUP, 0, PointParam(CPoint(-50, -50)));
    Press();
    ASSERT_TRUE(m_button->IsHoldTimerRunning());
    m_bar.RemoveButton(0);   // deletes the button while its timer runs
    m_button = nullptr;
    EXPECT_EQ(std::vector<UINT_PTR>{CZUDPDropDownToolbarButton::kHoldTimerId}, m_killed);
    // A late tick finds no button to call.
    FireTimer();
}

TEST_F(DropDownButtonTest, AGoneSourceToolbarIsNeverUsed)
{
    m_source->DestroyWindow();
    m_source.reset();
    EXPECT_EQ(nullptr, m_button->GetSourceToolbar());
    EXPECT_FALSE(m_button->DropDownToolbar());
    m_button->SetCurrentCommand(kSecond);
    EXPECT_EQ(0, m_button->GetCurrentImage());
}

TEST(DropDownPlacementTest, TheWindowStaysInsideTheWorkArea)
{
    const CSize size(60, 80);
    struct Case {
        const char* what;
        CPoint position;
        CRect work;
        BOOL button, vertical;
        int barLeft, buttonHeight;
        CPoint expected;
    } cases[] = {
        {"room enough", {100, 100}, {0, 0, 800, 600}, TRUE, FALSE, 0, 22, {100, 100}},
        {"pushed left at the right edge", {780, 100}, {0, 0, 800, 600}, TRUE, FALSE, 0, 22, {800 - 60 - 1, 100}},
        {"left of a vertical bar", {780, 100}, {0, 0, 800, 600}, TRUE, TRUE, 750, 22, {750 - 60, 100}},
        {"above the button at the bottom", {100, 560}, {0, 0, 800, 600}, TRUE, FALSE, 0, 22, {100, 560 - 22 - 80 - 4}},
        {"up by its height without a button", {100, 560}, {0, 0, 800, 600}, FALSE, FALSE, 0, 0, {100, 480}},
        {"monitor at negative x, right edge", {-30, 100}, {-1024, 0, 0, 768}, TRUE, FALSE, 0, 22, {-61, 100}},
        {"monitor at negative x keeps its left", {-1020, 100}, {-1024, 0, -1000, 768}, TRUE, FALSE, 0, 22,
         {-1024, 100}},
        {"work area below the top", {100, 10}, {0, 40, 800, 90}, FALSE, FALSE, 0, 0, {100, 40}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CZUDPDropDownFrame::PlaceInWorkArea(c.position, size, c.work, c.button, c.vertical,
                                                                   c.barLeft, c.buttonHeight))
            << c.what;
}

} // namespace
