// The menu button: which presses and keys open its menu, what it reports
// afterwards, and that a parent may destroy it meanwhile.  Menus are
// tracked through the framework's seam, so nothing shows.
#include "ui/controls/ZUDPMenuButton.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/DistinctColours.h"
#include "tests/common/ui/ThemeDrawing.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "tests/ui/foundation/VisualManagerFamilyTest.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"

#include <gtest/gtest.h>

#include <memory>

using controltest::CControlHost;
using controltest::MenuTracker;
using controltest::SendMouse;

namespace {

const UINT kButtonId = 201;

class MenuButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
        m_menu = ::CreatePopupMenu();
        ::AppendMenuA(m_menu, MF_STRING, 300, "One");
        ::AppendMenuA(m_menu, MF_STRING, 301, "Two");
        m_button = std::make_unique<CZUDPMenuButton>();
        ASSERT_TRUE(m_button->Create("Tools", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &m_host,
                                     kButtonId));
        m_button->m_hMenu = m_menu;
    }
    void TearDown() override
    {
        m_button.reset();
        m_host.DestroyWindow();
        ::DestroyMenu(m_menu);
        AfxDeleteTempMaps();
    }

    int Clicks() const { return m_host.Count(WM_COMMAND, BN_CLICKED); }

    CControlHost m_host;
    HMENU m_menu = nullptr;
    std::unique_ptr<CZUDPMenuButton> m_button;
};

TEST_F(MenuButtonTest, PressesAndKeysThatOpenTheMenu)
{
    enum How { Press, PressText, Space, Down, Enter, OtherKey };
    const struct {
        const char* name;
        How how;
        BOOL split;
        bool hasMenu;
        int chosen;        // what the menu answers
        bool opens;
        int clicks;        // BN_CLICKED notices to the parent
    } cases[] = {
        {"a press opens it; the chosen command is the click", Press, FALSE, true, 300, true, 1},
        {"Escape leaves no command and no notice", Press, FALSE, true, 0, true, 0},
        {"Space opens it", Space, FALSE, true, 301, true, 1},
        {"Down opens it", Down, FALSE, true, 301, true, 1},
        {"Enter opens it", Enter, FALSE, true, 301, true, 1},
        {"other keys do not", OtherKey, FALSE, true, 301, false, 0},
        {"a split button's text part is a plain button", PressText, TRUE, true, 300, false, 1},
        {"a split button's arrow opens it", Press, TRUE, true, 300, true, 1},
        {"without a menu a press does nothing", Press, FALSE, false, 300, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.notices.clear();
        m_button->m_bSplit = c.split;
        m_button->m_hMenu = c.hasMenu ? m_menu : nullptr;
        m_button->m_nChosenCommand = 12345;
        MenuTracker tracker(c.chosen);
        const CRect arrow = m_button->GetArrowPart();
        switch (c.how) {
        case Press:
            SendMouse(*m_button, WM_LBUTTONDOWN, arrow.CenterPoint().x, 15, MK_LBUTTON);
            SendMouse(*m_button, WM_LBUTTONUP, arrow.CenterPoint().x, 15);
            break;
        case PressText:
            SendMouse(*m_button, WM_MOUSEMOVE, 10, 15);
            SendMouse(*m_button, WM_LBUTTONDOWN, 10, 15, MK_LBUTTON);
            SendMouse(*m_button, WM_LBUTTONUP, 10, 15);
            break;
        case Space:
        case Down:
        case OtherKey:
            m_button->SendMessage(WM_KEYDOWN, c.how == Space ? VK_SPACE : c.how == Down ? VK_DOWN : 'A');
            break;
        case Enter: {
            MSG msg = {m_button->m_hWnd, WM_KEYDOWN, VK_RETURN, 0};
            EXPECT_TRUE(m_button->PreTranslateMessage(&msg));
            break;
        }
        }
        ASSERT_EQ(c.opens ? 1u : 0u, tracker.calls.size());
        if (c.opens) {
            CRect window;
            m_button->GetWindowRect(window);
            EXPECT_EQ(m_menu, tracker.calls[0].menu);
            EXPECT_EQ(m_button->m_hWnd, tracker.calls[0].owner);
            EXPECT_EQ((UINT)(TPM_RETURNCMD | TPM_NONOTIFY), tracker.calls[0].flags & (TPM_RETURNCMD | TPM_NONOTIFY));
            EXPECT_EQ(CPoint(window.left, window.bottom), tracker.calls[0].point);
            EXPECT_EQ(c.chosen, m_button->m_nChosenCommand);
        }
        if (c.how == PressText) {
            EXPECT_EQ(0, m_button->m_nChosenCommand) << "a plain press clears the last command";
        }
        EXPECT_EQ(c.clicks, Clicks());
        for (const auto& notice : m_host.notices)
            if (notice.message == WM_COMMAND) {
                EXPECT_EQ(kButtonId, notice.value);
            }
        EXPECT_FALSE(m_button->IsMenuOpen());
        EXPECT_FALSE(m_button->m_bDown);
    }
}

TEST_F(MenuButtonTest, ARightArrowOpensTheMenuAtTheTopRightCorner)
{
    m_button->m_bRightArrow = TRUE;
    MenuTracker tracker(0);
    m_button->SendMessage(WM_KEYDOWN, VK_DOWN);
    ASSERT_EQ(1u, tracker.calls.size());
    CRect window;
    m_button->GetWindowRect(window);
    EXPECT_EQ(CPoint(window.right, window.top), tracker.calls[0].point);
}

TEST_F(MenuButtonTest, WhileTheMenuIsOpenTheButtonStaysPressedAndIsNotOpenedAgain)
{
    m_button->m_bStayPressed = TRUE;
    MenuTracker tracker(300);
    bool pressedWhileOpen = false;
    tracker.whileOpen = [&] {
        pressedWhileOpen = m_button->m_bDown && m_button->IsMenuOpen();
        SendMouse(*m_button, WM_LBUTTONDOWN, 95, 15, MK_LBUTTON);
        m_button->SendMessage(WM_KEYDOWN, VK_SPACE);
    };
    SendMouse(*m_button, WM_LBUTTONDOWN, 95, 15, MK_LBUTTON);
    EXPECT_TRUE(pressedWhileOpen);
    EXPECT_EQ(1u, tracker.calls.size());
    EXPECT_FALSE(m_button->m_bDown);
    EXPECT_EQ(1, Clicks());
}

TEST_F(MenuButtonTest, AParentMayDestroyTheButtonInsideOrAfterTheMenu)
{
    {
        // Destroyed while the menu runs: nothing is reported.
        MenuTracker tracker(300);
        tracker.whileOpen = [&] { m_button.reset(); };
        CZUDPMenuButton* pButton = m_button.get();
        pButton->SendMessage(WM_KEYDOWN, VK_DOWN);
        EXPECT_EQ(nullptr, m_button);
        EXPECT_EQ(0, Clicks());
    }
    m_button = std::make_unique<CZUDPMenuButton>();
    ASSERT_TRUE(m_button->Create("Tools", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &m_host, kButtonId));
    m_button->m_hMenu = m_menu;
    {
        // Destroyed by the parent's handler of the click.
        MenuTracker tracker(301);
        m_host.onNotice = [&](const controltest::Notice&) { m_button.reset(); };
        m_button->SendMessage(WM_KEYDOWN, VK_DOWN);
        m_host.onNotice = nullptr;
        EXPECT_EQ(nullptr, m_button);
        EXPECT_EQ(1, Clicks());
    }
}

TEST_F(MenuButtonTest, TheContextMenuManagerTracksTheMenuWhenTheSystemPopupIsOff)
{
    CZUDPContextMenuManager manager;
    ASSERT_EQ(&manager, g_contextMenuManager);
    MenuTracker tracker(301);
    m_button->m_bSystemPopup = FALSE;
    m_button->SendMessage(WM_KEYDOWN, VK_DOWN);
    ASSERT_EQ(1u, tracker.calls.size());
    EXPECT_EQ(301, m_button->m_nChosenCommand);
    EXPECT_EQ(1, Clicks());
}

TEST_F(MenuButtonTest, TheArrowPartAndTheSplitDivider)
{
    uitest::DistinctColours colours;
    uitest::ClassicDrawing classic;
    const CSize glyph = GetMenuGlyphSize();
    EXPECT_EQ(CRect(100 - glyph.cx - 10, 0, 100, 30), m_button->GetArrowPart());

    foundationtest::Canvas canvas(100, 30);
    m_button->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc().GetSafeHdc(), PRF_CLIENT);
    // Inside the 2-pixel frame the arrow part starts glyph + 10 from the
    // right; its glyph is there, no divider before it.
    const int divider = 98 - (glyph.cx + 10);
    const CRect arrowPart(divider, 2, 98, 28);
    EXPECT_GT(canvas.CountOther(arrowPart, g_uiEnvironment.m_colorButtonFace), 0);
    EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, canvas.Pixel(divider, 15));

    m_button->m_bSplit = TRUE;
    m_button->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc().GetSafeHdc(), PRF_CLIENT);
    EXPECT_EQ(g_uiEnvironment.m_colorDarkShadow, canvas.Pixel(divider, 15));
    EXPECT_EQ(g_uiEnvironment.m_colorButtonHighlight, canvas.Pixel(divider + 1, 15));
    EXPECT_EQ(g_uiEnvironment.m_colorButtonFace, canvas.Pixel(divider, 3)) << "2 pixels short of the content's top";

    const CSize plain = m_button->CZUDPButton::SizeToContent(TRUE);
    EXPECT_EQ(CSize(plain.cx + glyph.cx, plain.cy), m_button->SizeToContent(TRUE));
}

} // namespace
