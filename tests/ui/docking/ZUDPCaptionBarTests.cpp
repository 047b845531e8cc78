// The caption bar: the layout of its image, text and button under their
// alignments and the room there is, message-bar mode, the text tooltip,
// and which mouse event sends the button's command to the owner.
#include "framework/win/DC.h"
#include "tests/common/MessagePumpWin.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPStatusBar.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// The bar's owner: records the commands and hyperlink clicks it is told
// of, and may act on them.
class CCaptionBarOwner : public CWnd {
public:
    std::vector<std::pair<UINT, WPARAM>> told;
    std::function<void()> onCommand;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == ZUDM_ON_CLICK_CAPTIONBAR_HYPERLINK) {
            told.emplace_back(message, wParam);
            if (message == WM_COMMAND && onCommand)
                onCommand();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CaptionBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 600, 200, nullptr, nullptr));
        m_icon = ::LoadIcon(nullptr, IDI_INFORMATION);
    }
    void TearDown() override
    {
        if (m_bar.m_hWnd != nullptr)
            m_bar.DestroyWindow();
        m_owner.DestroyWindow();
    }
    // The bar at a width, its height its own.
    void Make(int nWidth, BOOL bMessageBar = FALSE)
    {
        ASSERT_TRUE(m_bar.Create(WS_VISIBLE | CBRS_TOP, &m_owner, 0xE805, -1, bMessageBar));
        m_bar.RecalcLayout();
        Resize(nWidth);
    }
    void Resize(int nWidth)
    {
        m_bar.SetWindowPos(nullptr, 0, 0, nWidth, m_bar.GetComputedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
        m_bar.RecalcLayout();
    }
    int TextWidth(const char* text)
    {
        CClientDC dc(&m_bar);
        CFont* pOld = dc.SelectObject(&g_uiEnvironment.m_fontRegular);
        const int cx = dc.GetTextExtent(text).cx;
        dc.SelectObject(pOld);
        return cx;
    }
    void Mouse(UINT message, CPoint pt, WPARAM flags = 0) { m_bar.SendMessage(message, flags, MAKELPARAM(pt.x, pt.y)); }

    CCaptionBarOwner m_owner;
    CZUDPCaptionBar m_bar;
    HICON m_icon = nullptr;
    const int kMargin = 4;
    const int kSpacing = 4;
};

} // namespace

// Left image, left text and a right button share the row in that order.
TEST_F(CaptionBarTest, ElementsFollowTheirAlignments)
{
    Make(600);
    m_bar.SetIcon(m_icon, CZUDPCaptionBar::kAlignLeft);
    m_bar.SetText("Machines offline", CZUDPCaptionBar::kAlignLeft);
    m_bar.SetButton("Details", 0x8300, CZUDPCaptionBar::kAlignRight, FALSE);
    Resize(600);
    CRect client;
    m_bar.GetClientRect(&client);
    const CRect image = m_bar.GetImageRect();
    EXPECT_EQ(client.left + kMargin, image.left);
    EXPECT_EQ(::GetSystemMetrics(SM_CXICON), image.Width());
    EXPECT_EQ(image.right + kSpacing, m_bar.GetTextRect().left);
    EXPECT_EQ(TextWidth("Machines offline"), m_bar.GetTextRect().Width());
    EXPECT_EQ(client.right - kMargin, m_bar.GetButtonRect().right);
    EXPECT_EQ(TextWidth("Details") + 2 * kSpacing, m_bar.GetButtonRect().Width());
    EXPECT_FALSE(m_bar.IsTextTruncated());
    EXPECT_TRUE(m_bar.GetCloseBoxRect().IsRectEmpty()) << "no close box outside message-bar mode";

    // Right-aligned text ends at the right margin before a right button.
    m_bar.SetText("Machines offline", CZUDPCaptionBar::kAlignRight);
    Resize(600);
    EXPECT_EQ(m_bar.GetButtonRect().left - kSpacing, m_bar.GetTextRect().right);

    // A centred image with a left-aligned button: the button stays left and
    // the text is cut at the image.
    m_bar.SetButton("Details", 0x8300, CZUDPCaptionBar::kAlignLeft, FALSE);
    m_bar.SetIcon(m_icon, CZUDPCaptionBar::kAlignCenter);
    m_bar.SetText("A long text that runs on and on past the centre of the bar", CZUDPCaptionBar::kAlignLeft);
    Resize(300);
    m_bar.GetClientRect(&client);
    EXPECT_EQ(client.left + kMargin, m_bar.GetButtonRect().left);
    EXPECT_LE(m_bar.GetVisibleTextRect().right, m_bar.GetImageRect().left - kSpacing);
    EXPECT_TRUE(m_bar.IsTextTruncated());
}

// A bar narrower than image, button and margins shows no button, and its
// text still keeps clear of where the button would be.
TEST_F(CaptionBarTest, NarrowBarDropsTheButtonButKeepsItsRoom)
{
    Make(600);
    m_bar.SetIcon(m_icon, CZUDPCaptionBar::kAlignLeft);
    m_bar.SetButton("A rather wide button", 0x8300, CZUDPCaptionBar::kAlignRight, FALSE);
    m_bar.SetText("Text", CZUDPCaptionBar::kAlignLeft);
    const int nButton = TextWidth("A rather wide button") + 2 * kSpacing;
    const int nWidth = ::GetSystemMetrics(SM_CXICON) + nButton + 2 * kMargin - 6;
    Resize(nWidth);
    EXPECT_TRUE(m_bar.GetButtonRect().IsRectEmpty());
    // The button would start right after the image: no room is left for
    // the text.
    EXPECT_EQ(0, m_bar.GetVisibleTextRect().Width());
    EXPECT_TRUE(m_bar.IsTextTruncated());
    Resize(nWidth + 200);
    EXPECT_FALSE(m_bar.GetButtonRect().IsRectEmpty());
    EXPECT_LE(m_bar.GetVisibleTextRect().right, m_bar.GetButtonRect().left - kSpacing);
}

// Message-bar mode adds twice the manager's message margin to the height
// and places a close box, which hides the bar when clicked.
TEST_F(CaptionBarTest, MessageBarModeGrowsAndItsCloseBoxHides)
{
    Make(500);
    m_bar.SetText("Firmware update available");
    m_bar.RecalcLayout();
    const int nNormal = m_bar.GetComputedHeight();
    m_bar.SetMessageBarMode(TRUE);
    m_bar.RecalcLayout();
    const int nMargin = CZUDPVisualManager::GetActiveManager()->GetCaptionBarMessageMargin();
    EXPECT_EQ(nNormal + 2 * nMargin, m_bar.GetComputedHeight());
    Resize(500);
    const CRect box = m_bar.GetCloseBoxRect();
    ASSERT_FALSE(box.IsRectEmpty());
    CRect client;
    m_bar.GetClientRect(&client);
    EXPECT_EQ(client.right, box.right);
    EXPECT_LE(m_bar.GetVisibleTextRect().right, box.left);
    Mouse(WM_MOUSEMOVE, box.CenterPoint());
    Mouse(WM_LBUTTONDOWN, box.CenterPoint(), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, box.CenterPoint());
    EXPECT_FALSE(m_bar.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(m_owner.told.empty());
}

// A text too wide for the bar is cut, and its tooltip shows it whole
// without the character-8 markers.
TEST_F(CaptionBarTest, TruncatedTextTooltipDropsMarkers)
{
    Make(120);
    m_bar.SetText("Three\b machines\b did not answer the last broadcast");
    Resize(120);
    EXPECT_TRUE(m_bar.IsTextTruncated());
    CString text, description;
    ASSERT_TRUE(m_bar.GetToolTipText(CZUDPCaptionBar::kToolText, text, description));
    EXPECT_STREQ("Three machines did not answer the last broadcast", text);
    ASSERT_TRUE(m_bar.GetToolTipText(CZUDPCaptionBar::kToolCloseBox, text, description));
    EXPECT_STREQ("Close", text);
    EXPECT_FALSE(m_bar.GetToolTipText(CZUDPCaptionBar::kToolButton, text, description)) << "no button tooltip";
}

// A drop-down sends its command on the press, a plain button on the
// release, a button with command 0 never; an owner may destroy the bar
// when it is told.
TEST_F(CaptionBarTest, ButtonCommandGoesOutOnPressOrRelease)
{
    struct Case {
        const char* what;
        UINT command;
        BOOL dropDown;
        size_t afterPress;
        size_t afterRelease;
    } cases[] = {
        {"drop-down", 0x8301, TRUE, 1, 1},
        {"plain", 0x8302, FALSE, 0, 1},
        {"no command", 0, FALSE, 0, 0},
    };
    Make(500);
    for (const Case& c : cases) {
        m_owner.told.clear();
        m_bar.SetButton("Act", c.command, CZUDPCaptionBar::kAlignLeft, c.dropDown);
        Resize(500);
        const CPoint pt = m_bar.GetButtonRect().CenterPoint();
        Mouse(WM_MOUSEMOVE, pt);
        Mouse(WM_LBUTTONDOWN, pt, MK_LBUTTON);
        EXPECT_EQ(c.afterPress, m_owner.told.size()) << c.what;
        Mouse(WM_LBUTTONUP, pt);
        ASSERT_EQ(c.afterRelease, m_owner.told.size()) << c.what;
        if (c.afterRelease != 0) {
            EXPECT_EQ(UINT(WM_COMMAND), m_owner.told[0].first);
            EXPECT_EQ(WPARAM(c.command), m_owner.told[0].second);
        }
        Mouse(WM_MOUSELEAVE, pt);
    }

    // The owner destroys the bar on the drop-down's command.
    m_owner.told.clear();
    m_bar.SetButton("Act", 0x8303, CZUDPCaptionBar::kAlignLeft, TRUE);
    Resize(500);
    m_owner.onCommand = [&] { m_bar.DestroyWindow(); };
    const CPoint pt = m_bar.GetButtonRect().CenterPoint();
    Mouse(WM_MOUSEMOVE, pt);
    Mouse(WM_LBUTTONDOWN, pt, MK_LBUTTON);
    EXPECT_EQ(nullptr, m_bar.m_hWnd);
    EXPECT_EQ(1u, m_owner.told.size());
    EXPECT_FALSE(m_bar.IsButtonPressed());
}

// A hyperlink part tells the owner its index among the hyperlinks when it
// is pressed and released over it.
TEST_F(CaptionBarTest, HyperlinkClickTellsItsIndex)
{
    Make(600);
    m_bar.SetText("");
    m_bar.AppendTextPart("See ", CZUDPCaptionBar::kPartPlain);
    m_bar.AppendTextPart("log", CZUDPCaptionBar::kPartHyperlink);
    m_bar.AppendTextPart(" or ", CZUDPCaptionBar::kPartBold);
    m_bar.AppendTextPart("settings", CZUDPCaptionBar::kPartHyperlink);
    Resize(600);
    // The hyperlink rectangles come from painting.
    m_bar.UpdateWindow();
    CClientDC dc(&m_bar);
    m_bar.PaintBar(&dc);
    const CRect text = m_bar.GetVisibleTextRect();
    const CPoint ptSecond(text.right - 3, text.CenterPoint().y);
    Mouse(WM_MOUSEMOVE, ptSecond);
    EXPECT_EQ(1, m_bar.GetHotHyperlink());
    Mouse(WM_LBUTTONDOWN, ptSecond, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, ptSecond);
    ASSERT_EQ(1u, m_owner.told.size());
    EXPECT_EQ(UINT(ZUDM_ON_CLICK_CAPTIONBAR_HYPERLINK), m_owner.told[0].first);
    EXPECT_EQ(WPARAM(1), m_owner.told[0].second);
}

// The status bar's panes: texts by index, 255 naming the message pane,
// and no pane beyond the indicators.
TEST(StatusBarTest, PaneTextsAndTheMessagePane)
{
    CZUDPStatusBar bar;
    EXPECT_FALSE(bar.SetPaneText(CZUDPStatusBar::kMessagePane, "Page 1")) << "no panes yet";
    const UINT ids[] = {0x7001, 0, 0x7002};
    ASSERT_TRUE(bar.SetIndicators(ids, 3));
    EXPECT_FALSE(bar.SetIndicators(nullptr, 2));
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_EQ(1, bar.CommandToIndex(0));
    EXPECT_EQ(-1, bar.CommandToIndex(0x7003));
    EXPECT_TRUE(bar.SetPaneText(CZUDPStatusBar::kMessagePane, "Page 1"));
    EXPECT_STREQ("Page 1", bar.GetPaneText(1));
    EXPECT_TRUE(bar.SetPaneText(2, "NUM"));
    EXPECT_STREQ("NUM", bar.GetPaneText(2));
    EXPECT_FALSE(bar.SetPaneText(3, "x"));
    EXPECT_FALSE(bar.SetPaneText(-1, "x"));
    EXPECT_TRUE(bar.SetPaneText(CZUDPStatusBar::kMessagePane, nullptr)) << "cleared";
    EXPECT_STREQ("", bar.GetPaneText(CZUDPStatusBar::kMessagePane));
}
