// The toolbar driven by messages: pressing and releasing buttons, check
// boxes, disabled buttons, status prompts, a command handler that changes
// the bar, Escape, access keys, tooltips with shortcut keys, context help
// through the mouse-hook seam, and the common-control compatibility
// messages.
#include "framework/win/Controls.h"
#include "framework/win/FrameWnd.h"
#include "tests/ui/commandbars/ToolBarTestResources.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPKeyboardManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

using namespace toolbartest;

namespace {

class ToolBarInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make());
        ASSERT_TRUE(MakeToolbar(m_bar, m_host));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_host.DestroyWindow();
    }
    // Buttons with images for the commands, laid out.
    void Fill(std::initializer_list<UINT> commands, UINT style = 0)
    {
        for (UINT id : commands)
            m_bar.InsertButton(NewButton(id, 0, nullptr, style));
        m_bar.PositionButtons();
    }
    CPoint At(int i) const { return m_bar.GetButtonAt(i)->rect.CenterPoint(); }
    LRESULT Mouse(UINT message, CPoint pt, WPARAM flags = 0) { return m_bar.SendMessage(message, flags, PointParam(pt)); }
    void Click(int i)
    {
        Mouse(WM_LBUTTONDOWN, At(i), MK_LBUTTON);
        Mouse(WM_LBUTTONUP, At(i));
    }
    UINT StyleAt(int i) const { return m_bar.GetButtonAt(i)->style; }

    ToolbarStateGuard m_state;
    CHostWnd m_host;
    CZUDPToolBar m_bar;
};

} // namespace

// The press shows only while the mouse is over the button; a release off
// it sends nothing, one on it sends the command once.
TEST_F(ToolBarInputTest, PressShowsOnlyOverTheButton)
{
    Fill({1, 2, 3});
    Mouse(WM_LBUTTONDOWN, At(0), MK_LBUTTON);
    EXPECT_EQ(0, m_bar.GetPressedIndex());
    EXPECT_TRUE(StyleAt(0) & TBBS_PRESSED);
    Mouse(WM_MOUSEMOVE, At(1), MK_LBUTTON);
    EXPECT_FALSE(StyleAt(0) & TBBS_PRESSED) << "off the button";
    EXPECT_FALSE(StyleAt(1) & TBBS_PRESSED);
    Mouse(WM_MOUSEMOVE, At(0), MK_LBUTTON);
    EXPECT_TRUE(StyleAt(0) & TBBS_PRESSED) << "back on it";
    Mouse(WM_MOUSEMOVE, At(2), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(2));
    EXPECT_TRUE(m_host.Commands().empty()) << "released off the button";
    EXPECT_EQ(-1, m_bar.GetPressedIndex());
    EXPECT_EQ(0u, StyleAt(0));

    Click(1);
    EXPECT_EQ(std::vector<UINT>{2}, m_host.Commands());
    EXPECT_EQ(0u, StyleAt(1));
}

// Releasing on a check box toggles it; an indeterminate one becomes
// checked.
TEST_F(ToolBarInputTest, CheckBoxesToggle)
{
    const struct {
        UINT before, after;
    } cases[] = {
        {TBBS_CHECKBOX, TBBS_CHECKBOX | TBBS_CHECKED},
        {TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX},
        {TBBS_CHECKBOX | TBBS_INDETERMINATE, TBBS_CHECKBOX | TBBS_CHECKED},
        {0, 0},
    };
    UINT id = 10;
    for (const auto& c : cases)
        m_bar.InsertButton(NewButton(id++, 0, nullptr, c.before));
    m_bar.PositionButtons();
    for (int i = 0; i < int(std::size(cases)); ++i) {
        Click(i);
        EXPECT_EQ(cases[i].after, StyleAt(i)) << "button " << i;
    }
    EXPECT_EQ((std::vector<UINT>{10, 11, 12, 13}), m_host.Commands());
}

// A disabled button is not hot, shows no press and sends nothing.
TEST_F(ToolBarInputTest, DisabledButtonsStayQuiet)
{
    Fill({1, 2});
    m_bar.ChangeButtonStyle(1, TBBS_DISABLED);
    Mouse(WM_MOUSEMOVE, At(1));
    EXPECT_EQ(-1, m_bar.GetHotIndex());
    Mouse(WM_LBUTTONDOWN, At(1), MK_LBUTTON);
    EXPECT_EQ(-1, m_bar.GetPressedIndex());
    EXPECT_EQ(UINT(TBBS_DISABLED), StyleAt(1));
    Mouse(WM_LBUTTONUP, At(1));
    EXPECT_TRUE(m_host.Commands().empty());
    Mouse(WM_MOUSEMOVE, At(0));
    EXPECT_EQ(0, m_bar.GetHotIndex());
}

// The status bar shows the prompt of the command under the mouse (system
// commands their own), and the idle prompt once the mouse has left.
TEST_F(ToolBarInputTest, StatusPrompts)
{
    Fill({ID_TEST_OPEN, 0xF060, 0xFF10});
    Mouse(WM_MOUSEMOVE, At(0));
    Mouse(WM_MOUSEMOVE, At(0) + CPoint(1, 0));
    Mouse(WM_MOUSEMOVE, At(1));
    Mouse(WM_MOUSEMOVE, At(2));
    m_bar.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0xEF06, 0xEF1F, 0xE001}), m_host.Prompts())
        << "one prompt per button entered";
    EXPECT_EQ(-1, m_bar.GetHotIndex()) << "leaving clears the hot button";
}

// A command handler may change the bar: the released button is found
// again before its new style is set, so the check goes to the button that
// was clicked, and a button the handler deleted is left alone.
TEST_F(ToolBarInputTest, HandlerThatChangesTheBar)
{
    Fill({1});
    Fill({2}, TBBS_CHECKBOX);
    Fill({3});
    m_host.onCommand = [this](UINT) { m_bar.RemoveButton(0); };
    Click(1);
    ASSERT_EQ(2, m_bar.GetCount());
    EXPECT_EQ(2u, m_bar.GetCommandAt(0));
    EXPECT_EQ(UINT(TBBS_CHECKBOX | TBBS_CHECKED), StyleAt(0)) << "the clicked button is checked";
    EXPECT_EQ(0u, StyleAt(1)) << "the button now at its old index is untouched";

    m_host.onCommand = [this](UINT) { m_bar.RemoveButton(0); };
    Click(0);   // the handler deletes the clicked button itself
    ASSERT_EQ(1, m_bar.GetCount());
    EXPECT_EQ(3u, m_bar.GetCommandAt(0));
    EXPECT_EQ(0u, StyleAt(0));
}

// Removing a button before the hot one moves the hot index with it; the
// tooltip control's tools follow the buttons the layout placed.
TEST_F(ToolBarInputTest, HotIndexFollowsRemovals)
{
    Fill({1, 2, 3});
    ASSERT_NE(nullptr, m_bar.GetToolTip());
    EXPECT_EQ(3, m_bar.GetToolTip()->GetToolCount());
    m_bar.PositionButtons();
    EXPECT_EQ(3, m_bar.GetToolTip()->GetToolCount()) << "nothing moved: the same tools";
    Mouse(WM_MOUSEMOVE, At(2));
    ASSERT_EQ(2, m_bar.GetHotIndex());
    EXPECT_TRUE(m_bar.RemoveButton(0));
    EXPECT_EQ(1, m_bar.GetHotIndex());
    EXPECT_TRUE(m_bar.RemoveButton(1));
    EXPECT_EQ(-1, m_bar.GetHotIndex()) << "its button is gone";
    m_bar.PositionButtons();
    EXPECT_EQ(1, m_bar.GetToolTip()->GetToolCount());
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(m_bar.GetToolTip()->SendMessage(TTM_ENUMTOOLSA, 0, (LPARAM)&info));
    EXPECT_EQ(m_bar.GetButtonAt(0)->rect, CRect(info.rect));
}

// A relayout keeps one tool per button with its button's rectangle,
// whether a tool only moved, came new, or went with a button that became
// a separator or left the bar.
TEST_F(ToolBarInputTest, ToolsFollowTheButtonsAcrossRelayouts)
{
    Fill({1, 2, 3});
    auto toolRects = [this] {
        std::string rects;
        CToolTipCtrl* pTip = m_bar.GetToolTip();
        for (int i = 0; i < pTip->GetToolCount(); ++i) {
            TOOLINFOA info = {};
            info.cbSize = sizeof(info);
            pTip->SendMessage(TTM_ENUMTOOLSA, WPARAM(i), (LPARAM)&info);
            const CRect rect(info.rect);
            rects += std::to_string(info.uId) + ":" + std::to_string(rect.left) + "," + std::to_string(rect.right) + " ";
        }
        return rects;
    };
    auto buttonRects = [this](std::initializer_list<int> indexes) {
        std::string rects;
        for (int i : indexes) {
            const CRect rect = m_bar.GetButtonAt(i)->rect;
            rects += std::to_string(i + 1) + ":" + std::to_string(rect.left) + "," + std::to_string(rect.right) + " ";
        }
        return rects;
    };
    ASSERT_NE(nullptr, m_bar.GetToolTip());
    EXPECT_EQ(buttonRects({0, 1, 2}), toolRects());

    m_bar.InsertButton(NewButton(9, 0, nullptr, 0), 0);   // every button moves right
    m_bar.PositionButtons();
    EXPECT_EQ(buttonRects({0, 1, 2, 3}), toolRects());

    m_bar.InsertSeparator(1);   // id 2 is now a separator's: no tool
    m_bar.PositionButtons();
    EXPECT_EQ(buttonRects({0, 2, 3, 4}), toolRects());

    ASSERT_TRUE(m_bar.RemoveButton(4));
    ASSERT_TRUE(m_bar.RemoveButton(3));
    m_bar.PositionButtons();
    EXPECT_EQ(buttonRects({0, 2}), toolRects()) << "the tools past the end are gone";
}

// Escape on a bar that has the focus gives the focus back to the window
// that had it.
TEST_F(ToolBarInputTest, EscapeGivesTheFocusBack)
{
    m_host.ShowWindow(SW_SHOW);
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 60, 100, 80), &m_host, 7));
    Fill({1});
    edit.SetFocus();
    ASSERT_EQ(edit.m_hWnd, ::GetFocus());
    m_bar.SetFocus();
    ASSERT_EQ(m_bar.m_hWnd, ::GetFocus());
    MSG msg = {m_bar.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_TRUE(m_bar.PreTranslateMessage(&msg));
    EXPECT_EQ(edit.m_hWnd, ::GetFocus());
    edit.DestroyWindow();
}

// Access keys: the character after the first '&' of a shown text; an '&'
// at the end is none.  The key runs the button's command.
TEST_F(ToolBarInputTest, AccessKeys)
{
    const struct {
        const char* text;
        UINT key;   // 0: none
    } cases[] = {{"&Save", 'S'}, {"Pr&int", 'I'}, {"Close&", 0}, {"A&&B", '&'}};
    UINT id = 20;
    for (const auto& c : cases) {
        CZUDPToolbarButton* pButton = NewButton(id++, 0, c.text);
        pButton->showText = TRUE;
        m_bar.InsertButton(pButton);
    }
    CZUDPToolbarButton* pHidden = NewButton(30, 0, "&Hidden");
    m_bar.InsertButton(pHidden);   // text not shown: no key
    m_bar.RebuildMnemonics();
    for (int i = 0; i < int(std::size(cases)); ++i) {
        if (cases[i].key != 0) {
            EXPECT_EQ(m_bar.GetButtonAt(i), m_bar.FindMnemonic(cases[i].key)) << cases[i].text;
        }
    }
    EXPECT_EQ(nullptr, m_bar.FindMnemonic('H'));
    EXPECT_EQ(nullptr, m_bar.FindMnemonic('C'));

    EXPECT_TRUE(m_bar.TranslateShortcut('I'));
    EXPECT_FALSE(m_bar.TranslateShortcut('Q'));
    MSG msg;
    while (::PeekMessageA(&msg, m_host.m_hWnd, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(std::vector<UINT>{21}, m_host.Commands());
}

// Tooltips: the command's tooltip text with its shortcut key from the
// frame's accelerators; none over an open menu button; the text handed to
// the tooltip control is cut to its buffer.
TEST_F(ToolBarInputTest, TooltipsWithShortcutKeys)
{
    CFrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 200), nullptr,
                               0));
    ACCEL accel[] = {{FVIRTKEY | FCONTROL, 'S', ID_TEST_SAVE}};
    frame.m_hAccelTable = ::CreateAcceleratorTableA(accel, 1);
    CZUDPToolBar bar;
    ASSERT_TRUE(MakeToolbar(bar, frame));
    for (UINT id : {ID_TEST_SAVE, ID_TEST_OPEN})
        bar.InsertButton(NewButton(id, 0));
    CZUDPToolbarMenuButton* pMenu = new CZUDPToolbarMenuButton(ID_TEST_PRINT, nullptr, 0, "Print");
    bar.InsertButton(pMenu);
    CZUDPToolbarButton* pLong = NewButton(0, 0, std::string(600, 'x').c_str());
    bar.InsertButton(pLong);
    bar.PositionButtons();

    auto tipAt = [&bar](int i, INT_PTR* pHit) {
        TOOLINFOA info = {};
        info.cbSize = sizeof(info);
        *pHit = bar.OnToolHitTest(bar.GetButtonAt(i)->rect.CenterPoint(), &info);
        std::string text = info.lpszText != nullptr ? info.lpszText : "";
        std::free(info.lpszText);
        return text;
    };
    INT_PTR nHit = 0;
    EXPECT_EQ("Save (Ctrl+S)", tipAt(0, &nHit));
    EXPECT_EQ(INT_PTR(ID_TEST_SAVE), nHit);
    EXPECT_EQ("Open", tipAt(1, &nHit)) << "no shortcut";
    g_showShortcutKeys = FALSE;
    EXPECT_EQ("Save", tipAt(0, &nHit));
    g_showShortcutKeys = TRUE;

    {
        CZUDPPopupMenu popup;
        pMenu->openPopup = &popup;
        EXPECT_EQ("", tipAt(2, &nHit));
        EXPECT_EQ(-1, nHit) << "an open menu button has no tooltip";
        pMenu->openPopup = nullptr;
    }
    g_showTooltips = FALSE;
    EXPECT_EQ(-1, bar.OnToolHitTest(bar.GetButtonAt(0)->rect.CenterPoint(), nullptr));
    g_showTooltips = TRUE;

    // The text request of the bar's own tooltip control, with the cursor
    // over the long button.
    ASSERT_NE(nullptr, bar.GetToolTip());
    CPoint ptCursor = pLong->rect.CenterPoint();
    bar.ClientToScreen(&ptCursor);
    ScopedSeam<BOOL(POINT*)> cursor(g_frameworkSeams.cursorPos, [ptCursor](POINT* p) {
        *p = ptCursor;
        return TRUE;
    });
    NMTTDISPINFOA request = {};
    request.hdr.hwndFrom = bar.GetToolTip()->m_hWnd;
    request.hdr.idFrom = 4;
    request.hdr.code = TTN_NEEDTEXTA;
    bar.SendMessage(WM_NOTIFY, 4, (LPARAM)&request);
    ASSERT_NE(nullptr, request.lpszText);
    const size_t nLength = std::strlen(request.lpszText);
    EXPECT_GT(nLength, 80u);
    EXPECT_LT(nLength, 600u) << "cut to the buffer";

    bar.DestroyWindow();
    CZUDPKeyboardManager::FreeAcceleratorCaches();
    ::DestroyAcceleratorTable(frame.m_hAccelTable);
    frame.m_hAccelTable = nullptr;
    frame.DestroyWindow();
}

// Context help: the mouse hook goes in through the seam; a help hit test
// answers the command's help id (system commands their own, no button a
// beep and -1) and ends help mode.
TEST_F(ToolBarInputTest, HelpIdsThroughTheHookSeam)
{
    Fill({ID_TEST_OPEN, 0xF060});
    HOOKPROC pfnInstalled = nullptr;
    int nRemoved = 0;
    const HHOOK hFake = reinterpret_cast<HHOOK>(static_cast<INT_PTR>(0x1234));
    ScopedSeam<HHOOK(HOOKPROC)> setHook(g_commandBarsSeams.setMouseHook, [&](HOOKPROC pfn) {
        pfnInstalled = pfn;
        return hFake;
    });
    ScopedSeam<void(HHOOK)> removeHook(g_commandBarsSeams.removeMouseHook, [&](HHOOK) { ++nRemoved; });

    ASSERT_TRUE(CZUDPToolBar::EnableHelpModeTracking(TRUE));
    ASSERT_NE(nullptr, pfnInstalled);
    EXPECT_TRUE(CZUDPToolBar::IsHelpModeTracking());
    m_host.received.clear();
    Mouse(WM_MOUSEMOVE, At(0));
    EXPECT_TRUE(m_host.Prompts().empty()) << "no prompts in help mode";

    EXPECT_EQ(-1, m_bar.SendMessage(WM_HELPHITTEST, 0, PointParam(CPoint(290, 5))));
    EXPECT_TRUE(CZUDPToolBar::IsHelpModeTracking());
    EXPECT_EQ(LRESULT(0x1EF06), m_bar.SendMessage(WM_HELPHITTEST, 0, PointParam(At(1))));
    EXPECT_FALSE(CZUDPToolBar::IsHelpModeTracking()) << "a help id ends help mode";
    EXPECT_EQ(1, nRemoved);

    CZUDPToolBar::EnableHelpModeTracking(TRUE);
    EXPECT_EQ(LRESULT(0x10000 + ID_TEST_OPEN), m_bar.SendMessage(WM_HELPHITTEST, 0, PointParam(At(0))));
    g_showTooltips = FALSE;
    CZUDPToolBar::EnableHelpModeTracking(TRUE);
    EXPECT_EQ(LRESULT(0x50000 + 100), m_bar.SendMessage(WM_HELPHITTEST, 0, PointParam(At(0))))
        << "without tooltips: the bar's own id";
    EXPECT_FALSE(CZUDPToolBar::IsHelpModeTracking());
}

// The common-control messages: the count, a button's record (the SDK
// record, pointer-sized on 64 bits), its rectangle and its text; a bad
// index or no record is refused.
TEST_F(ToolBarInputTest, CompatibilityMessages)
{
    Fill({5});
    m_bar.InsertButton(NewButton(0, -1, nullptr, TBBS_SEPARATOR));
    m_bar.InsertButton(NewButton(6, 0, "Six", TBBS_CHECKBOX | TBBS_CHECKED));
    m_bar.PositionButtons();
    EXPECT_EQ(3, m_bar.SendMessage(TB_BUTTONCOUNT));

    TBBUTTON record;
    std::memset(&record, 0xCC, sizeof(record));
    EXPECT_TRUE(m_bar.SendMessage(TB_GETBUTTON, 2, (LPARAM)&record));
    EXPECT_EQ(6, record.idCommand);
    EXPECT_EQ(BYTE(TBSTATE_CHECKED), record.fsState);
    EXPECT_EQ(BYTE(TBBS_CHECKBOX), record.fsStyle);
    EXPECT_EQ(DWORD_PTR(0), record.dwData);
    EXPECT_EQ(INT_PTR(0), record.iString);
    EXPECT_EQ(0, record.iBitmap);
    EXPECT_FALSE(m_bar.SendMessage(TB_GETBUTTON, 3, (LPARAM)&record));
    EXPECT_FALSE(m_bar.SendMessage(TB_GETBUTTON, WPARAM(-1), (LPARAM)&record));
    EXPECT_FALSE(m_bar.SendMessage(TB_GETBUTTON, 0, 0));

    RECT rect = {};
    EXPECT_TRUE(m_bar.SendMessage(TB_GETITEMRECT, 0, (LPARAM)&rect));
    EXPECT_EQ(m_bar.GetButtonAt(0)->rect, CRect(rect));
    EXPECT_FALSE(m_bar.SendMessage(TB_GETITEMRECT, 3, (LPARAM)&rect));
    EXPECT_FALSE(m_bar.SendMessage(TB_GETITEMRECT, 0, 0));

    char text[16] = {};
    EXPECT_EQ(3, m_bar.SendMessage(TB_GETBUTTONTEXTA, 6, 0));
    EXPECT_EQ(3, m_bar.SendMessage(TB_GETBUTTONTEXTA, 6, (LPARAM)text));
    EXPECT_STREQ("Six", text);
}

// A toolbar deleted while it holds the customization selection leaves
// nothing behind that customization would use.
TEST_F(ToolBarInputTest, DeletedToolbarLeavesTheSelection)
{
    CZUDPToolBar* pBar = new CZUDPToolBar;
    ASSERT_TRUE(MakeToolbar(*pBar, m_host));
    g_customizeSelectedBar = pBar;
    delete pBar;
    EXPECT_EQ(nullptr, g_customizeSelectedBar);
    EXPECT_EQ(nullptr, CZUDPToolBar::GetToolbarList().Find(pBar));
}
