// What the library's button does with the mouse, the keyboard and its
// messages: clicks, check states and radio groups, auto-repeat, tooltips,
// cursor, images and its size.  The pictures it paints are checked in
// ZUDPButtonPaintTests.cpp.
#include "ui/controls/ZUDPButton.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using controltest::CControlHost;
using controltest::SendMouse;
using controltest::TimerRecorder;

namespace {

// A button that counts its paints.
class CCountingButton : public CZUDPButton {
public:
    int paints = 0;
    void Paint(CDC* pDC, const CRect& rect, UINT uiState) override
    {
        ++paints;
        CZUDPButton::Paint(pDC, rect, uiState);
    }
};

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
    }
    void TearDown() override
    {
        m_buttons.clear();
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }

    CCountingButton& Make(DWORD style, const char* text = "Button", CRect rect = CRect(10, 10, 110, 40),
                          UINT id = 0)
    {
        m_buttons.push_back(std::make_unique<CCountingButton>());
        CCountingButton& button = *m_buttons.back();
        if (id == 0)
            id = 100 + UINT(m_buttons.size());
        EXPECT_TRUE(button.Create(text, WS_CHILD | WS_VISIBLE | style, rect, &m_host, id));
        return button;
    }

    int Clicks(const CWnd& button) const
    {
        int count = 0;
        for (const auto& n : m_host.notices)
            if (n.message == WM_COMMAND && n.code == BN_CLICKED && n.from == button.m_hWnd)
                ++count;
        return count;
    }

    CControlHost m_host;
    std::vector<std::unique_ptr<CCountingButton>> m_buttons;
};

// ---------------------------------------------------------------------------
// Kinds

TEST_F(ButtonTest, EveryKindBecomesOwnerDrawnAndAnswersItsOwnDialogCode)
{
    // OR-ing BS_OWNERDRAW into a radio or three-state type would make type
    // 0xF, a default command link that the dialog manager takes for its
    // default button.
    const struct {
        DWORD style;
        UINT dlgCode;
        bool checkBox, radio, threeState, autoKind;
    } cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON, false, false, false, false},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON, false, false, false, false},
        {BS_CHECKBOX, DLGC_BUTTON, true, false, false, false},
        {BS_AUTOCHECKBOX, DLGC_BUTTON, true, false, false, true},
        {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON, false, true, false, false},
        {BS_3STATE, DLGC_BUTTON, true, false, true, false},
        {BS_AUTO3STATE, DLGC_BUTTON, true, false, true, true},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON, false, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        // Made by the class, and a platform button taken over.
        CCountingButton& made = Make(c.style);
        HWND hPlatform = ::CreateWindowA("BUTTON", "plain", WS_CHILD | WS_VISIBLE | c.style, 0, 50, 80, 20,
                                         m_host.m_hWnd, (HMENU)7, nullptr, nullptr);
        ASSERT_NE(nullptr, hPlatform);
        CZUDPButton adopted;
        ASSERT_TRUE(adopted.SubclassWindow(hPlatform));
        for (CZUDPButton* button : {(CZUDPButton*)&made, &adopted}) {
            EXPECT_EQ((DWORD)BS_OWNERDRAW, button->GetStyle() & BS_TYPEMASK);
            EXPECT_EQ(c.dlgCode, (UINT)button->SendMessage(WM_GETDLGCODE));
            EXPECT_EQ(c.checkBox, !!button->IsCheckBox());
            EXPECT_EQ(c.radio, !!button->IsRadioButton());
            EXPECT_EQ(c.threeState, !!button->IsThreeState());
            EXPECT_EQ(c.autoKind, !!button->IsAutoButton());
            EXPECT_EQ(c.style == BS_DEFPUSHBUTTON, !!button->IsDefaultButton());
        }
        adopted.DestroyWindow();
    }
}

TEST_F(ButtonTest, ATakenOverButtonKeepsItsCheckStateAndMovingTheDefaultKeepsItOwnerDrawn)
{
    HWND hPlatform = ::CreateWindowA("BUTTON", "box", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, 0, 0, 80, 20,
                                     m_host.m_hWnd, (HMENU)7, nullptr, nullptr);
    ::SendMessageA(hPlatform, BM_SETCHECK, BST_INDETERMINATE, 0);
    CZUDPButton box;
    ASSERT_TRUE(box.SubclassWindow(hPlatform));
    EXPECT_EQ(BST_INDETERMINATE, box.GetCheck());

    CZUDPButton& push = Make(BS_PUSHBUTTON);
    push.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_TRUE(push.IsDefaultButton());
    EXPECT_EQ((DWORD)BS_OWNERDRAW, push.GetStyle() & BS_TYPEMASK);
    push.SetButtonStyle(BS_PUSHBUTTON);
    EXPECT_FALSE(push.IsDefaultButton());
    EXPECT_EQ((DWORD)BS_OWNERDRAW, push.GetStyle() & BS_TYPEMASK);
    box.DestroyWindow();
}

TEST_F(ButtonTest, CheckBoxesTakeTheirTextSideAndAlignmentFromTheStyle)
{
    const struct {
        DWORD style;
        int alignment;
    } cases[] = {{BS_AUTOCHECKBOX, CZUDPButton::AlignLeft},
                 {BS_AUTOCHECKBOX | BS_LEFT, CZUDPButton::AlignLeft},
                 {BS_AUTOCHECKBOX | BS_RIGHT, CZUDPButton::AlignRight},
                 {BS_AUTORADIOBUTTON | BS_CENTER, CZUDPButton::AlignCenter},
                 {BS_AUTOCHECKBOX | BS_PUSHLIKE, CZUDPButton::AlignCenter},
                 {BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_LEFT, CZUDPButton::AlignLeft},
                 {BS_PUSHBUTTON | BS_RIGHT, CZUDPButton::AlignCenter}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.alignment, Make(c.style).m_nTextAlignment) << std::hex << c.style;
    }
}

// ---------------------------------------------------------------------------
// Clicks and check states

TEST_F(ButtonTest, MouseAndCheckMessages)
{
    enum Op { Hover, Press, Release, DragOut, DragIn, ReleaseOutside, DoubleClick, Tick, SetCheck };
    struct Step {
        Op op;
        int check = -1;          // BM_GETCHECK expected after the step, -1 any
        int repaint = -1;        // 1 repainted by the step, 0 not, -1 any
        int arg = 0;             // SetCheck: the state
    };
    struct Case {
        const char* name;
        DWORD style;
        int autoRepeat;
        std::vector<Step> steps;
        int clicks;              // BN_CLICKED notices in all
        int doubleClicks;
    };
    const Case cases[] = {
        {"a three-state box cycles checked, indeterminate, unchecked", BS_AUTO3STATE, 0,
         {{Hover}, {Press}, {Release, 1}, {Press}, {Release, 2}, {Press}, {Release, 0}}, 3, 0},
        {"a check box toggles", BS_AUTOCHECKBOX, 0, {{Hover}, {Press}, {Release, 1}, {Press}, {Release, 0}}, 2, 0},
        {"a manual check box leaves its state to the program", BS_CHECKBOX, 0, {{Press}, {Release, 0}}, 1, 0},
        {"BM_SETCHECK with the current state does not repaint", BS_AUTOCHECKBOX, 0,
         {{SetCheck, 1, 1, 1}, {SetCheck, 1, 0, 1}, {SetCheck, 0, 1, 0}, {SetCheck, 0, 0, 0}}, 0, 0},
        {"BM_SETCHECK sets and clears the third state", BS_AUTO3STATE, 0,
         {{SetCheck, 2, 1, 2}, {SetCheck, 2, 0, 2}, {SetCheck, 1, 1, 1}, {SetCheck, 0, 1, 0}}, 0, 0},
        {"a push button is never checked", BS_PUSHBUTTON, 0, {{SetCheck, 0, 0, 1}}, 0, 0},
        {"press, move off and release outside sends nothing", BS_PUSHBUTTON, 0,
         {{Hover}, {Press}, {DragOut}, {ReleaseOutside}}, 0, 0},
        {"a check box pressed and released outside keeps its state", BS_AUTOCHECKBOX, 0,
         {{Hover}, {Press}, {DragOut}, {ReleaseOutside, 0}}, 0, 0},
        {"coming back before the release clicks", BS_AUTOCHECKBOX, 0,
         {{Hover}, {Press}, {DragOut}, {DragIn}, {Release, 1}}, 1, 0},
        {"the release after a double click sends its own notice", BS_PUSHBUTTON, 0,
         {{Hover}, {Press}, {Release}, {DoubleClick}, {Release}}, 2, 1},
        {"auto-repeat clicks on every tick while the pointer stays on it", BS_PUSHBUTTON, 50,
         {{Hover}, {Press}, {Tick}, {Tick}, {DragOut}, {Tick}, {DragIn}, {Tick}, {Release}}, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TimerRecorder timers;
        CCountingButton& button = Make(c.style);
        button.SetAutoRepeatInterval(c.autoRepeat);
        button.UpdateWindow();
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            SCOPED_TRACE("step " + std::to_string(i));
            const int paintsBefore = button.paints;
            switch (step.op) {
            case Hover:
                SendMouse(button, WM_MOUSEMOVE, 10, 10);
                break;
            case Press:
                SendMouse(button, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
                break;
            case Release:
                SendMouse(button, WM_LBUTTONUP, 10, 10);
                break;
            case DragOut:
                SendMouse(button, WM_MOUSEMOVE, 300, 10, MK_LBUTTON);
                break;
            case DragIn:
                SendMouse(button, WM_MOUSEMOVE, 12, 10, MK_LBUTTON);
                break;
            case ReleaseOutside:
                SendMouse(button, WM_LBUTTONUP, 300, 10);
                break;
            case DoubleClick:
                SendMouse(button, WM_LBUTTONDBLCLK, 10, 10, MK_LBUTTON);
                break;
            case Tick:
                button.SendMessage(WM_TIMER, CZUDPButton::kAutoRepeatTimer);
                break;
            case SetCheck:
                button.SetCheck(step.arg);
                break;
            }
            if (step.check >= 0) {
                EXPECT_EQ(step.check, button.GetCheck());
            }
            if (step.repaint >= 0) {
                EXPECT_EQ(step.repaint != 0, button.paints > paintsBefore);
            }
        }
        EXPECT_EQ(c.clicks, Clicks(button));
        EXPECT_EQ(c.doubleClicks, m_host.Count(WM_COMMAND, BN_DOUBLECLICKED));
        if (c.autoRepeat > 0) {
            ASSERT_FALSE(timers.started.empty());
            EXPECT_EQ((UINT)c.autoRepeat, timers.started.front().elapse);
            EXPECT_FALSE(timers.Running(CZUDPButton::kAutoRepeatTimer)) << "stopped at the release";
        }
        EXPECT_FALSE(button.m_bDown);
        m_host.notices.clear();
    }
}

TEST_F(ButtonTest, HoveringHoldsTheCaptureUntilThePointerLeaves)
{
    CZUDPButton& button = Make(BS_PUSHBUTTON);
    SendMouse(button, WM_MOUSEMOVE, 5, 5);
    EXPECT_TRUE(button.m_bHot);
    EXPECT_EQ(button.m_hWnd, ::GetCapture());
    SendMouse(button, WM_MOUSEMOVE, 500, 5);
    EXPECT_FALSE(button.m_bHot);
    EXPECT_NE(button.m_hWnd, ::GetCapture());

    // Cancel mode (a menu opening, say) ends a press at once.
    SendMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    button.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(button.m_bDown);
    EXPECT_FALSE(button.m_bHot);
    EXPECT_NE(button.m_hWnd, ::GetCapture());
}

TEST_F(ButtonTest, ClickOnPressReportsTheClickWhenTheButtonGoesDown)
{
    CZUDPButton& button = Make(BS_PUSHBUTTON);
    button.m_bClickOnPress = TRUE;
    SendMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(1, Clicks(button));
    ::ReleaseCapture();
}

TEST_F(ButtonTest, ARadioButtonClickedChecksItselfAndUnchecksItsGroupOnly)
{
    CZUDPButton& a = Make(BS_AUTORADIOBUTTON | WS_GROUP, "a", CRect(10, 10, 100, 30));
    CZUDPButton& b = Make(BS_AUTORADIOBUTTON, "b", CRect(10, 40, 100, 60));
    CZUDPButton& other = Make(BS_AUTORADIOBUTTON | WS_GROUP, "other", CRect(10, 70, 100, 90));
    a.SetCheck(1);
    other.SetCheck(1);
    SendMouse(b, WM_MOUSEMOVE, 5, 5);
    SendMouse(b, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(b, WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(0, a.GetCheck());
    EXPECT_EQ(1, b.GetCheck());
    EXPECT_EQ(1, other.GetCheck()) << "the next group is left alone";
}

TEST_F(ButtonTest, ARadioCheckedWhileDisabledStillUnchecksItsGroup)
{
    // Data exchange checks the radio of the stored value, enabled or not;
    // the dialog manager's group walk would skip the disabled ones.
    CZUDPButton& a = Make(BS_AUTORADIOBUTTON | WS_GROUP, "a", CRect(10, 10, 100, 30));
    CZUDPButton& b = Make(BS_AUTORADIOBUTTON, "b", CRect(10, 40, 100, 60));
    HWND hPlain = ::CreateWindowA("BUTTON", "plain", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 10, 70, 90, 20,
                                  m_host.m_hWnd, (HMENU)9, nullptr, nullptr);
    CZUDPButton& c = Make(BS_AUTORADIOBUTTON, "c", CRect(10, 100, 100, 120));
    a.SetCheck(1);
    ::SendMessageA(hPlain, BM_SETCHECK, BST_CHECKED, 0);
    a.EnableWindow(FALSE);
    c.EnableWindow(FALSE);
    c.SetCheck(1);
    EXPECT_EQ(0, a.GetCheck());
    EXPECT_EQ(0, b.GetCheck());
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(hPlain, BM_GETCHECK, 0, 0)) << "a platform radio of the group too";
    EXPECT_EQ(1, c.GetCheck());
}

TEST_F(ButtonTest, ArrowKeysMoveToTheNextEnabledRadioOfTheGroup)
{
    struct Case {
        const char* name;
        bool secondEnabled, thirdEnabled;
        WPARAM key;
        int checked;  // index of the radio checked afterwards
        bool handled;
    };
    const Case cases[] = {
        {"down skips a disabled radio", false, true, VK_DOWN, 2, true},
        {"right moves to the next", true, true, VK_RIGHT, 1, true},
        {"up wraps round to the last", true, true, VK_UP, 2, true},
        {"the only enabled radio stays checked", false, false, VK_DOWN, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_buttons.clear();
        m_host.notices.clear();
        CZUDPButton* radios[3] = {&Make(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "one", CRect(10, 10, 100, 30)),
                                  &Make(BS_AUTORADIOBUTTON, "two", CRect(10, 40, 100, 60)),
                                  &Make(BS_AUTORADIOBUTTON, "three", CRect(10, 70, 100, 90))};
        // A push button closes the group.
        Make(BS_PUSHBUTTON | WS_GROUP, "push", CRect(10, 100, 100, 120));
        radios[1]->EnableWindow(c.secondEnabled);
        radios[2]->EnableWindow(c.thirdEnabled);
        radios[0]->SetCheck(1);
        MSG msg = {radios[0]->m_hWnd, WM_KEYDOWN, c.key, 0};
        EXPECT_EQ(c.handled, !!radios[0]->PreTranslateMessage(&msg));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(i == c.checked ? 1 : 0, radios[i]->GetCheck()) << i;
        }
        EXPECT_EQ(c.handled ? 1 : 0, Clicks(*radios[c.checked]));
    }
}

TEST_F(ButtonTest, EnterClicksOnlyPushButtonsAndSpaceTogglesAutomaticBoxes)
{
    CZUDPPopupMenu openMenu;
    const struct {
        const char* name;
        DWORD style;
        WPARAM key;
        bool popupOpen;
        bool handled;
        int clicks;
        int check;
    } cases[] = {
        {"Enter on a push button clicks it", BS_PUSHBUTTON, VK_RETURN, false, true, 1, 0},
        {"Enter while a popup menu is open is the menu's", BS_PUSHBUTTON, VK_RETURN, true, false, 0, 0},
        {"Enter on a check box is the dialog's default button's", BS_AUTOCHECKBOX, VK_RETURN, false, false, 0, 0},
        {"Enter on a radio button too", BS_AUTORADIOBUTTON, VK_RETURN, false, false, 0, 0},
        {"Space toggles an automatic check box", BS_AUTOCHECKBOX, VK_SPACE, false, true, 1, 1},
        {"Space cycles an automatic three-state box", BS_AUTO3STATE, VK_SPACE, false, true, 1, 1},
        {"Space checks an automatic radio", BS_AUTORADIOBUTTON, VK_SPACE, false, true, 1, 1},
        {"Space on a push button is the platform's", BS_PUSHBUTTON, VK_SPACE, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.notices.clear();
        CZUDPButton& button = Make(c.style);
        g_activePopupMenu = c.popupOpen ? &openMenu : nullptr;
        MSG msg = {button.m_hWnd, WM_KEYDOWN, c.key, 0};
        EXPECT_EQ(c.handled, !!button.PreTranslateMessage(&msg));
        g_activePopupMenu = nullptr;
        EXPECT_EQ(c.clicks, Clicks(button));
        EXPECT_EQ(c.check, button.GetCheck());
    }
}

// ---------------------------------------------------------------------------
// Text, tooltip, cursor

TEST_F(ButtonTest, ANewCaptionShowsAtOnce)
{
    CCountingButton& button = Make(BS_PUSHBUTTON, "Cancel");
    button.UpdateWindow();
    const int before = button.paints;
    button.SetWindowText("OK");
    EXPECT_GT(button.paints, before) << "painted without waiting for the message loop";
}

TEST_F(ButtonTest, TheWholeTextBecomesTheTooltipOnlyWhenItIsClipped)
{
    const char* const text = "Remove the selected machines";
    const int textWidth = trovtest::MeasureText((HFONT)::GetStockObject(DEFAULT_GUI_FONT), text).cx;
    const struct {
        const char* name;
        int width;
        BOOL autoTooltip;
        bool tooltip;
    } cases[] = {
        {"clipped, auto tooltip on", textWidth / 2, TRUE, true},
        {"fits, auto tooltip on", textWidth + 40, TRUE, false},
        {"clipped, auto tooltip off", textWidth / 2, FALSE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPButton& button = Make(BS_PUSHBUTTON, text, CRect(10, 10, 20, 40));
        button.m_bAutoTooltip = c.autoTooltip;
        button.SetWindowPos(nullptr, 0, 0, c.width, 30, SWP_NOMOVE | SWP_NOZORDER);
        button.RedrawWindow();
        CToolTipCtrl* pTip = button.GetToolTip();
        ASSERT_EQ(c.tooltip, pTip != nullptr && pTip->GetToolCount() == 1);
        if (c.tooltip) {
            char shown[128] = {};
            TOOLINFOA ti = {};
            ti.lpszText = shown;
            ASSERT_TRUE(pTip->GetToolInfo(ti, &button));
            EXPECT_STREQ(text, shown);
        }
    }
}

TEST_F(ButtonTest, TheButtonsCursorShowsOnlyOverItsClientArea)
{
    CZUDPButton& button = Make(BS_PUSHBUTTON);
    HCURSOR hCross = ::LoadCursorA(nullptr, IDC_CROSS);
    button.SetButtonCursor(hCross);
    CRect rectScreen;
    button.GetWindowRect(rectScreen);
    {
        controltest::CursorAt cursor(rectScreen.CenterPoint());
        EXPECT_TRUE(button.SendMessage(WM_SETCURSOR, (WPARAM)button.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(hCross, ::GetCursor());
    }
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    controltest::CursorAt cursor(CPoint(rectScreen.right + 50, rectScreen.bottom + 50));
    button.SendMessage(WM_SETCURSOR, (WPARAM)button.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(hCross, ::GetCursor());
}

// ---------------------------------------------------------------------------
// Images and size

TEST_F(ButtonTest, TheIconAnsweredForTheImageIsTheButtonsToKeep)
{
    CZUDPButton& button = Make(BS_PUSHBUTTON);
    BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
    HICON hIcon = ::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
    ASSERT_NE(nullptr, hIcon);
    button.SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon);
    EXPECT_EQ(CSize(32, 32), button.GetImageSize());
    HICON hFirst = (HICON)button.SendMessage(BM_GETIMAGE, IMAGE_ICON);
    ASSERT_NE(nullptr, hFirst);
    EXPECT_EQ(hFirst, (HICON)button.SendMessage(BM_GETIMAGE, IMAGE_ICON)) << "one icon, not a new one per call";
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hIcon, &info)) << "BM_SETIMAGE leaves the caller's icon alone";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    button.CleanUp();
    EXPECT_FALSE(::GetIconInfo(hFirst, &info)) << "the kept icon goes with the images";
    ::DestroyIcon(hIcon);
}

TEST_F(ButtonTest, SizeToContentFitsImageAndTextWithItsGapAndMargins)
{
    const char* const text = "Remove Selected";
    const SIZE sizeText = trovtest::MeasureText((HFONT)::GetStockObject(DEFAULT_GUI_FONT), text);
    const CSize glyph = GetMenuGlyphSize();
    CZUDPButton& button = Make(BS_PUSHBUTTON, text, CRect(0, 0, 300, 60));
    const int gap = 10, margin = 5;

    EXPECT_EQ(CSize(gap + sizeText.cx + gap, sizeText.cy + 2 * margin), button.SizeToContent(TRUE));
    CRect rect;
    button.GetWindowRect(rect);
    EXPECT_EQ(CSize(300, 60), rect.Size()) << "calculate only leaves the window alone";

    button.SetGlyphImage(MenuGlyphCheckMark);
    EXPECT_EQ(CSize(gap + glyph.cx + sizeText.cx + gap, std::max<int>(glyph.cy, sizeText.cy) + 2 * margin),
              button.SizeToContent(TRUE));
    button.m_bImageOnTop = TRUE;
    const CSize onTop(std::max<int>(glyph.cx, sizeText.cx) + 2 * gap, glyph.cy + 2 * margin + sizeText.cy + margin);
    EXPECT_EQ(onTop, button.SizeToContent());
    button.GetWindowRect(rect);
    EXPECT_EQ(onTop, rect.Size());
}

} // namespace
