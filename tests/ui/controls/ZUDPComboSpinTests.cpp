// The library's combo box (its edit part, the drop button's hot tracking
// and painting) and spin button (its halves, pressed and hot, its frame).
#include "ui/controls/ZUDPComboBox.h"
#include "ui/controls/ZUDPSpinButtonCtrl.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/controls/ControlTestSupport.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <string>

using trovtest::DibCanvas;

namespace {

class ZUDPComboSpinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.CreateHost());
        m_host.ShowWindow(SW_SHOWNA);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        AfxDeleteTempMaps();
    }
    static LPARAM At(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

    uitest::RecordingManagerScope m_manager;
    controltest::CHostWnd m_host;
};

// ---------------------------------------------------------------------------
// Combo box

TEST_F(ZUDPComboSpinTest, OnlyADropDownComboGetsTheLibrarysEditWithTheCombosGlass)
{
    struct Case {
        const char* name;
        DWORD style;
        BOOL glass;
        bool edit;
    } cases[] = {
        {"drop-down list", CBS_DROPDOWNLIST, FALSE, false},
        {"drop-down", CBS_DROPDOWN, FALSE, true},
        {"drop-down on glass", CBS_DROPDOWN, TRUE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPComboBox combo;
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | c.style, CRect(10, 10, 160, 200), &m_host, 3));
        combo.SendMessage(ZUDM_ONSETCONTROLAERO, c.glass);
        combo.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
        CZUDPEdit& edit = combo.GetEditPart();
        EXPECT_EQ(c.edit, edit.GetSafeHwnd() != nullptr);
        if (c.edit) {
            EXPECT_EQ(edit.GetSafeHwnd(), ::GetWindow(combo.m_hWnd, GW_CHILD));
            // The edit lies on glass only when the combo does.
            EXPECT_EQ(c.glass, edit.IsOnGlass());
            // Told again, nothing more is attached.
            combo.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
            EXPECT_EQ(edit.GetSafeHwnd(), ::GetWindow(combo.m_hWnd, GW_CHILD));
        }
        combo.DestroyWindow();
        EXPECT_EQ(nullptr, edit.GetSafeHwnd());
    }
}

TEST_F(ZUDPComboSpinTest, TheDropButtonTakesTheCaptureWhileHotAndOpeningClearsIt)
{
    CZUDPComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 200), &m_host, 3));
    combo.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
    CRect client;
    combo.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    combo.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);

    CRect button(client);
    button.left = button.right - ::GetSystemMetrics(SM_CXVSCROLL) - 4;
    button.DeflateRect(2, 2);
    EXPECT_EQ(button, combo.GetDropButtonRect());
    auto drops = m_manager->Of("DrawComboDropButton");
    ASSERT_EQ(1u, drops.size());
    EXPECT_EQ(button, drops[0].rect);
    EXPECT_NE(nullptr, drops[0].element) << "drawn for a toolbar combo button element";
    // The frame: bar shadow outside, the window colour one pixel inside.
    EXPECT_TRUE(trovtest::ColorAt(canvas, client.CenterPoint().x, 0, g_uiEnvironment.m_colorBarShadow));
    EXPECT_TRUE(trovtest::ColorAt(canvas, client.CenterPoint().x, 1, g_uiEnvironment.m_colorWindow));

    combo.SendMessage(WM_MOUSEMOVE, 0, At(button.CenterPoint()));
    EXPECT_TRUE(combo.IsButtonHot());
    EXPECT_EQ(combo.m_hWnd, ::GetCapture());
    combo.SendMessage(WM_MOUSEMOVE, 0, At(CPoint(client.left + 5, client.CenterPoint().y)));
    EXPECT_FALSE(combo.IsButtonHot());
    EXPECT_EQ(nullptr, ::GetCapture());

    combo.SendMessage(WM_MOUSEMOVE, 0, At(button.CenterPoint()));
    ASSERT_TRUE(combo.IsTrackingHot());
    // The combo's parent reflects the notice of the opening list to it.
    m_host.SendMessage(WM_COMMAND, MAKEWPARAM(3, CBN_DROPDOWN), (LPARAM)combo.m_hWnd);
    EXPECT_TRUE(combo.IsDroppedDown());
    EXPECT_FALSE(combo.IsButtonHot());
    EXPECT_FALSE(combo.IsTrackingHot());
    EXPECT_NE(combo.m_hWnd, ::GetCapture());
    m_host.SendMessage(WM_COMMAND, MAKEWPARAM(3, CBN_CLOSEUP), (LPARAM)combo.m_hWnd);
    EXPECT_FALSE(combo.IsDroppedDown());
    combo.DestroyWindow();
}

TEST_F(ZUDPComboSpinTest, APlainComboBoxKeepsThePlatformsPainting)
{
    CZUDPComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 200), &m_host, 3));
    CRect client;
    combo.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    combo.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_TRUE(m_manager->Of("DrawComboDropButton").empty());
    combo.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Spin button

class SpinTest : public ZUDPComboSpinTest {
protected:
    void Make(DWORD style)
    {
        ASSERT_TRUE(m_spin.Create(WS_CHILD | WS_VISIBLE | style, CRect(200, 10, 218, 50), &m_host, 4));
    }
    void TearDown() override
    {
        if (m_spin.GetSafeHwnd() != nullptr)
            m_spin.DestroyWindow();
        ZUDPComboSpinTest::TearDown();
    }
    // The spin button's last painting through the manager.
    uitest::ManagerCall Paint()
    {
        m_manager->Clear();
        CRect client;
        m_spin.GetClientRect(&client);
        DibCanvas canvas(client.Width(), client.Height());
        m_spin.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
        auto calls = m_manager->Of("DrawSpinButton");
        return calls.empty() ? uitest::ManagerCall{} : calls.back();
    }
    CZUDPSpinButtonCtrl m_spin;
};

TEST_F(SpinTest, ThePressedHalfFollowsADragAndTheHotHalfTheMouse)
{
    Make(0);
    CRect first, second;
    m_spin.GetHalves(first, second);
    EXPECT_EQ(first.bottom, second.top);
    EXPECT_EQ(first.left, second.left);

    m_spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(first.CenterPoint()));
    EXPECT_TRUE(m_spin.IsFirstPressed());
    EXPECT_EQ(1, Paint().flags.at(0) & 3);
    m_spin.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(second.CenterPoint()));
    EXPECT_FALSE(m_spin.IsFirstPressed());
    EXPECT_TRUE(m_spin.IsSecondPressed());
    EXPECT_EQ(2 | 8, Paint().flags.at(0) & 15);
    m_spin.SendMessage(WM_LBUTTONUP, 0, At(second.CenterPoint()));
    EXPECT_EQ(0, Paint().flags.at(0) & 15);

    // Without the button only the hot half follows.
    m_spin.SendMessage(WM_MOUSEMOVE, 0, At(first.CenterPoint()));
    EXPECT_EQ(4, Paint().flags.at(0) & 15);
    m_spin.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(0, Paint().flags.at(0) & 15);
}

// A horizontal spin button splits into a left and a right half and draws
// horizontal arrows.
TEST_F(SpinTest, AHorizontalSpinSplitsLeftAndRight)
{
    Make(UDS_HORZ);
    CRect first, second;
    m_spin.GetHalves(first, second);
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(first.top, second.top);
    m_spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(second.CenterPoint()));
    EXPECT_TRUE(m_spin.IsSecondPressed());
    const uitest::ManagerCall call = Paint();
    EXPECT_TRUE(call.flags.at(1)) << "horizontal arrows";
    EXPECT_EQ(2, call.flags.at(0) & 3);
    m_spin.SendMessage(WM_LBUTTONUP, 0, At(second.CenterPoint()));
}

TEST_F(SpinTest, OnlyASpinWithABuddyIsFramedInTheLook)
{
    struct Case {
        const char* name;
        bool buddy;
        BOOL look;
        bool frame;
    } cases[] = {
        {"no buddy, look", false, TRUE, false},
        {"buddy, no look", true, FALSE, false},
        {"buddy, look", true, TRUE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CEdit buddy;
        ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(100, 10, 180, 32), &m_host, 9));
        Make(UDS_ALIGNRIGHT | (c.buddy ? UDS_AUTOBUDDY : 0));
        if (c.buddy)
            m_spin.SetBuddy(&buddy);
        m_spin.SendMessage(ZUDM_ONSETCONTROLVMMODE, c.look);
        CRect client;
        m_spin.GetClientRect(&client);
        DibCanvas canvas(client.Width(), client.Height());
        m_manager->Clear();
        m_spin.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
        EXPECT_EQ(c.frame, !m_manager->Of("DrawControlFrame").empty());
        auto spins = m_manager->Of("DrawSpinButton");
        ASSERT_EQ(1u, spins.size());
        CRect expected(client);
        if (c.frame)
            expected.DeflateRect(1, 1);
        EXPECT_EQ(expected, spins[0].rect);
        if (!c.frame) {
            // The window colour shows at the corner under the spin's own
            // one-pixel inset.
            EXPECT_TRUE(trovtest::ColorAt(canvas, 0, 0, g_uiEnvironment.m_colorWindow));
        }
        m_spin.DestroyWindow();
        buddy.DestroyWindow();
    }
}

} // namespace
