// The eyedropper: its screen window hands the pointer to the window it
// serves, the screen is read through the seam at the right point, and the
// picking loop ends on each of its ends, driven by posted messages.
#include "ui/controls/ZUDPScreenWnd.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const UINT WM_TEST_ACTION = WM_APP + 40;

// The owner of a pick: keeps the mouse messages it gets, clears the
// picking flag on a click, and runs a test's action on WM_TEST_ACTION.
class CPickOwner : public CWnd {
public:
    BOOL picking = FALSE;
    std::vector<MSG> mouse;
    std::vector<UINT> keys;
    std::function<void()> action;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_MOUSEMOVE:
            mouse.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {}});
            return 0;
        case WM_LBUTTONDOWN:
            mouse.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {}});
            picking = FALSE;
            return 0;
        case WM_KEYDOWN:
        case WM_CHAR:
            keys.push_back(message);
            return 0;
        case WM_TEST_ACTION:
            if (action)
                action();
            return 0;
        default:
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }
};

// Public, so that a table of cases can post through the fixture.
class ZUDPEyedropperTest : public ::testing::Test {
public:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        trovtest::PumpPending();
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, nullptr, nullptr));
        // An empty queue with the pick still on is a test that forgot its
        // end: fail and end the loop instead of waiting for input.
        m_seams.Replace(g_colorChooserSeams.waitMessage, [this] {
            ADD_FAILURE() << "the loop waited for input";
            ::PostMessageA(m_owner.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            return TRUE;
        });
    }
    void TearDown() override
    {
        if (::GetCapture() != nullptr)
            ::ReleaseCapture();
        if (::IsWindow(m_owner.m_hWnd))
            m_owner.DestroyWindow();
        // Nothing a test posted may reach the next one.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
    }

    CZUDPEyedropperLoop::EndReason Pick()
    {
        m_owner.picking = TRUE;
        m_owner.SetCapture();
        EXPECT_EQ(m_owner.m_hWnd, ::GetCapture());
        return CZUDPEyedropperLoop::Run(m_owner.m_hWnd, &m_owner.picking);
    }

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        ::PostMessageA(m_owner.m_hWnd, message, wParam, lParam);
    }

    CPickOwner m_owner;
    ScopedSeams m_seams;
};

TEST_F(ZUDPEyedropperTest, LoopEndsOnEachOfItsEnds)
{
    struct Case {
        const char* name;
        std::function<void(ZUDPEyedropperTest&)> post;
        CZUDPEyedropperLoop::EndReason expected;
    } const cases[] = {
        {"Enter keeps the colour", [](ZUDPEyedropperTest& t) { t.Post(WM_KEYDOWN, VK_RETURN); },
         CZUDPEyedropperLoop::PICK_KEPT},
        {"Esc restores", [](ZUDPEyedropperTest& t) { t.Post(WM_KEYDOWN, VK_ESCAPE); },
         CZUDPEyedropperLoop::PICK_RESTORE},
        {"right button", [](ZUDPEyedropperTest& t) { t.Post(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); },
         CZUDPEyedropperLoop::PICK_CANCELLED},
        {"middle button", [](ZUDPEyedropperTest& t) { t.Post(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5)); },
         CZUDPEyedropperLoop::PICK_CANCELLED},
        {"a click in the owner", [](ZUDPEyedropperTest& t) { t.Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); },
         CZUDPEyedropperLoop::PICK_ENDED},
        {"the owner destroyed",
         [](ZUDPEyedropperTest& t) {
             t.m_owner.action = [&t] { t.m_owner.DestroyWindow(); };
             t.Post(WM_TEST_ACTION);
         },
         CZUDPEyedropperLoop::PICK_DESTROYED},
        {"the capture lost",
         [](ZUDPEyedropperTest& t) {
             t.m_owner.action = [] { ::ReleaseCapture(); };
             t.Post(WM_TEST_ACTION);
         },
         CZUDPEyedropperLoop::PICK_CAPTURE_LOST},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!::IsWindow(m_owner.m_hWnd)) {
            ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, nullptr, nullptr));
        }
        m_owner.action = nullptr;
        c.post(*this);
        EXPECT_EQ(c.expected, Pick());
        if (::GetCapture() != nullptr)
            ::ReleaseCapture();
    }
}

TEST_F(ZUDPEyedropperTest, OtherKeysAreDroppedAndOtherMessagesDispatched)
{
    bool ran = false;
    m_owner.action = [&] { ran = true; };
    Post(WM_KEYDOWN, 'A');
    Post(WM_TEST_ACTION);
    Post(WM_MOUSEMOVE, 0, MAKELPARAM(7, 9));
    Post(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(CZUDPEyedropperLoop::PICK_KEPT, Pick());
    EXPECT_TRUE(ran);
    EXPECT_TRUE(m_owner.keys.empty()) << "no key reaches a window while picking";
    ASSERT_EQ(1u, m_owner.mouse.size());
    EXPECT_EQ(MAKELPARAM(7, 9), m_owner.mouse[0].lParam);
}

// The application's own loop must still end: the quit is posted again.
TEST_F(ZUDPEyedropperTest, QuitEndsThePickAndReachesTheOuterLoop)
{
    ::PostQuitMessage(17);
    EXPECT_EQ(CZUDPEyedropperLoop::PICK_QUIT, Pick());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(17u, msg.wParam);
}

TEST_F(ZUDPEyedropperTest, AnEmptyQueueWaitsThroughTheSeam)
{
    int waits = 0;
    ScopedSeam wait(g_colorChooserSeams.waitMessage, [&] {
        waits++;
        Post(WM_KEYDOWN, VK_RETURN);
        return TRUE;
    });
    EXPECT_EQ(CZUDPEyedropperLoop::PICK_KEPT, Pick());
    EXPECT_EQ(1, waits);
}

TEST_F(ZUDPEyedropperTest, ScreenWindowCoversTheDesktopAndHandsThePointerOn)
{
    HCURSOR cursor = ::LoadCursor(nullptr, IDC_CROSS);
    CZUDPScreenWnd screen(&m_owner);
    ASSERT_TRUE(screen.CreateOverDesktop(cursor));
    CRect desktop, covered;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    screen.GetWindowRect(covered);
    EXPECT_EQ(desktop, covered);
    EXPECT_EQ(DWORD(WS_POPUP | WS_VISIBLE), screen.GetStyle() & (WS_POPUP | WS_VISIBLE | WS_CHILD | WS_CAPTION));
    EXPECT_TRUE(screen.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(cursor, (HCURSOR)::GetClassLongPtrA(screen.m_hWnd, GCLP_HCURSOR));
    EXPECT_TRUE(::GetClassLongA(screen.m_hWnd, GCL_STYLE) & CS_SAVEBITS);
    EXPECT_EQ(TRUE, screen.SendMessage(WM_ERASEBKGND, 0, 0)) << "the screen stays visible";

    // A point of the screen window lands in the owner's client coordinates.
    CPoint ownerOrigin(0, 0);
    m_owner.ClientToScreen(&ownerOrigin);
    CPoint onScreen(ownerOrigin.x + 30, ownerOrigin.y + 40);
    CPoint inScreenWindow = onScreen;
    screen.ScreenToClient(&inScreenWindow);
    screen.SendMessage(WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(inScreenWindow.x, inScreenWindow.y));
    m_owner.picking = TRUE;
    screen.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inScreenWindow.x, inScreenWindow.y));
    ASSERT_EQ(2u, m_owner.mouse.size());
    EXPECT_EQ(UINT(WM_MOUSEMOVE), m_owner.mouse[0].message);
    EXPECT_EQ(WPARAM(MK_SHIFT), m_owner.mouse[0].wParam);
    EXPECT_EQ(MAKELPARAM(30, 40), m_owner.mouse[0].lParam);
    EXPECT_EQ(UINT(WM_LBUTTONDOWN), m_owner.mouse[1].message);
    EXPECT_EQ(MAKELPARAM(30, 40), m_owner.mouse[1].lParam);
    EXPECT_FALSE(m_owner.picking);
    screen.DestroyWindow();
}

TEST_F(ZUDPEyedropperTest, SampleReadsTheScreenUnderTheClientPoint)
{
    POINT asked = {-1, -1};
    ScopedSeam pixel(g_colorChooserSeams.screenPixel, [&](POINT point) {
        asked = point;
        return RGB(32, 64, 128);
    });
    CPoint origin(0, 0);
    m_owner.ClientToScreen(&origin);
    EXPECT_EQ(RGB(32, 64, 128), SampleScreenColor(m_owner.m_hWnd, CPoint(12, 34)));
    EXPECT_EQ(origin.x + 12, asked.x);
    EXPECT_EQ(origin.y + 34, asked.y);
    EXPECT_EQ(CLR_INVALID, SampleScreenColor(nullptr, CPoint(1, 1)));
}

} // namespace
