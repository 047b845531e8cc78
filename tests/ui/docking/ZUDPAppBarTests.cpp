// The desktop application bar against a fake shell that keeps one
// auto-hide bar per edge and records every request: docking, auto-hide,
// dragging, the full-screen z-order and the saved state with damaged
// values.
#include "framework/win/FrameworkSeams.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/docking/ZUDPAppBarWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// The shell: answers every request, reserves nothing beyond what it is
// told, and keeps the auto-hide bar of each edge.
struct FakeShell {
    struct Call {
        DWORD message;
        DWORD cbSize;
        HWND hWnd;
        UINT edge;
        CRect rect;
    };
    std::vector<Call> calls;
    std::map<UINT, HWND> autoHideBars;

    UINT_PTR Handle(DWORD message, APPBARDATA* p)
    {
        calls.push_back({message, p->cbSize, p->hWnd, p->uEdge, CRect(p->rc)});
        switch (message) {
        case ABM_GETAUTOHIDEBAR: {
            auto found = autoHideBars.find(p->uEdge);
            return found != autoHideBars.end() ? reinterpret_cast<UINT_PTR>(found->second) : 0;
        }
        case ABM_SETAUTOHIDEBAR: {
            HWND& holder = autoHideBars[p->uEdge];
            if (p->lParam) {
                if (holder != nullptr && holder != p->hWnd)
                    return 0;
                holder = p->hWnd;
            } else if (holder == p->hWnd) {
                holder = nullptr;
            }
            return 1;
        }
        case ABM_GETSTATE:
            return 0;
        default:
            return 1;
        }
    }
    std::vector<Call> Of(DWORD message, HWND hWnd) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.message == message && c.hWnd == hWnd)
                out.push_back(c);
        return out;
    }
};

class CTestAppBar : public CZUDPAppBarWnd {
public:
    BOOL Make(CRect rect = CRect(200, 200, 360, 320))
    {
        return CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "bar", WS_POPUP | WS_VISIBLE, rect.left, rect.top,
                        rect.Width(), rect.Height(), nullptr, nullptr);
    }
    // A mouse message at a screen point.
    void Mouse(UINT message, CPoint ptScreen)
    {
        CPoint pt = ptScreen;
        ScreenToClient(&pt);
        SendMessage(message, 0, MAKELPARAM(pt.x, pt.y));
    }
    CRect Window() const
    {
        CRect rect;
        GetWindowRect(&rect);
        return rect;
    }
};

CRect Screen() { return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

} // namespace

class AppBarTest : public trovtest::RegistryTestKey {
protected:
    void SetUp() override
    {
        trovtest::RegistryTestKey::SetUp();
        trovtest::InitFrameworkForTests();
    }

    FakeShell m_shell;
    SHORT m_ctrl = 0;
    ScopedSeam<UINT_PTR(DWORD, APPBARDATA*)> m_shellSeam{
        g_foundationSeams.appBarMessage, [this](DWORD message, APPBARDATA* p) { return m_shell.Handle(message, p); }};
    ScopedSeam<SHORT(int)> m_keys{g_frameworkSeams.keyState,
                                  [this](int nKey) { return nKey == VK_CONTROL ? m_ctrl : SHORT(0); }};
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_timers{
        g_frameworkSeams.setTimer, [](HWND, UINT_PTR id, UINT, TIMERPROC) { return id; }};
};

// Docking registers with the shell in this build's structure size and
// reserves the side's docked size at that edge.
TEST_F(AppBarTest, DockingReservesTheEdge)
{
    CTestAppBar bar;
    ASSERT_TRUE(bar.Make());
    bar.SetNoSlideAnimation(TRUE);
    ASSERT_TRUE(bar.DockTo(CZUDPAppBarWnd::kSideTop));
    const auto news = m_shell.Of(ABM_NEW, bar.m_hWnd);
    ASSERT_EQ(1u, news.size());
    EXPECT_EQ(DWORD(sizeof(APPBARDATA)), news[0].cbSize);
    EXPECT_EQ(48u, sizeof(APPBARDATA)) << "x86-64";
    const auto sets = m_shell.Of(ABM_SETPOS, bar.m_hWnd);
    ASSERT_FALSE(sets.empty());
    const CRect screen = Screen();
    EXPECT_EQ(CRect(screen.left, screen.top, screen.right, screen.top + 60), sets.back().rect);
    EXPECT_EQ(UINT(ABE_TOP), sets.back().edge);
    EXPECT_EQ(sets.back().rect, bar.Window());
    EXPECT_FALSE(bar.IsFloating());

    // A side that may not be docked at is refused.
    bar.SetAllowedFlags(0x37 & ~CZUDPAppBarWnd::kAllowLeftRight);
    EXPECT_FALSE(bar.DockTo(CZUDPAppBarWnd::kSideLeft));
    EXPECT_FALSE(bar.DockTo(5));
    EXPECT_EQ(CZUDPAppBarWnd::kSideTop, bar.GetSide());
    bar.DestroyWindow();
    EXPECT_EQ(1u, m_shell.Of(ABM_REMOVE, bar.m_hWnd).size() + (bar.m_hWnd == nullptr));
}

// An auto-hide bar keeps a 2-pixel strip; a second auto-hide bar at the
// same edge cannot hide there and reserves its full size.
TEST_F(AppBarTest, SecondAutoHideBarAtAnEdgeGetsFullSize)
{
    const CRect screen = Screen();
    CTestAppBar first, second;
    ASSERT_TRUE(first.Make());
    ASSERT_TRUE(second.Make(CRect(400, 300, 500, 400)));
    first.SetNoSlideAnimation(TRUE);
    second.SetNoSlideAnimation(TRUE);
    first.SetAutoHide(TRUE);
    ASSERT_TRUE(first.DockTo(CZUDPAppBarWnd::kSideTop));
    EXPECT_TRUE(first.IsAutoHideRegistered());
    EXPECT_EQ(CRect(screen.left, screen.top, screen.right, screen.top + 2), first.Window());
    EXPECT_EQ(60, first.GetDockedSize(CZUDPAppBarWnd::kSideTop)) << "the strip is not the docked size";

    second.SetAutoHide(TRUE);
    ASSERT_TRUE(second.DockTo(CZUDPAppBarWnd::kSideTop));
    EXPECT_FALSE(second.IsAutoHideRegistered());
    const auto sets = m_shell.Of(ABM_SETPOS, second.m_hWnd);
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(60, sets.back().rect.Height());

    // Leaving auto-hide gives the edge back and the bar its docked size.
    first.SetAutoHide(FALSE);
    EXPECT_FALSE(first.IsAutoHideRegistered());
    EXPECT_EQ(nullptr, m_shell.autoHideBars[ABE_TOP]);
    EXPECT_EQ(60, first.Window().Height());
    first.DestroyWindow();
    second.DestroyWindow();
}

// A drag near an edge docks there unless Ctrl is held; a release in the
// middle of the screen floats the bar.
TEST_F(AppBarTest, DraggingDocksAtEdgesAndFloatsElsewhere)
{
    const CRect screen = Screen();
    ScopedSeam<BOOL(POINT, RECT*)> work(g_foundationSeams.monitorWorkArea, [&](POINT, RECT* pRect) {
        *pRect = screen;
        return TRUE;
    });
    struct Case {
        const char* what;
        CPoint to;
        SHORT ctrl;
        int side;
    } cases[] = {
        {"near the top", CPoint(screen.CenterPoint().x, 3), 0, CZUDPAppBarWnd::kSideTop},
        {"near the left", CPoint(2, screen.CenterPoint().y), 0, CZUDPAppBarWnd::kSideLeft},
        {"Ctrl held near the top", CPoint(screen.CenterPoint().x, 3), SHORT(0x8000), CZUDPAppBarWnd::kFloating},
        {"mid-screen", screen.CenterPoint(), 0, CZUDPAppBarWnd::kFloating},
    };
    for (const Case& c : cases) {
        CTestAppBar bar;
        ASSERT_TRUE(bar.Make());
        bar.SetNoSlideAnimation(TRUE);
        m_ctrl = c.ctrl;
        const CPoint from = bar.Window().CenterPoint();
        bar.Mouse(WM_LBUTTONDOWN, from);
        bar.Mouse(WM_MOUSEMOVE, c.to);
        bar.Mouse(WM_LBUTTONUP, c.to);
        EXPECT_EQ(c.side, bar.GetSide()) << c.what;
        EXPECT_EQ(c.side != CZUDPAppBarWnd::kFloating, bar.IsRegistered() != FALSE) << c.what;
        if (c.side == CZUDPAppBarWnd::kFloating) {
            EXPECT_TRUE(bar.Window().PtInRect(c.to)) << c.what;
        }
        bar.DestroyWindow();
    }
}

// A full-screen application sends the bar to the bottom; when it closes,
// an always-on-top bar goes back above every window.
TEST_F(AppBarTest, FullScreenApplicationsPushTheBarDown)
{
    CTestAppBar bar;
    ASSERT_TRUE(bar.Make());
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                               nullptr));
    bar.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    bar.SendMessage(ZUDM_APPBAR_CALLBACK, ABN_FULLSCREENAPP, TRUE);
    // The bar now lies below the other window.
    BOOL bBelow = FALSE;
    for (HWND h = other.m_hWnd; h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        bBelow = bBelow || h == bar.m_hWnd;
    EXPECT_TRUE(bBelow);
    bar.SetAlwaysOnTop(TRUE);
    bar.SendMessage(ZUDM_APPBAR_CALLBACK, ABN_FULLSCREENAPP, FALSE);
    EXPECT_TRUE(bar.GetExStyle() & WS_EX_TOPMOST);
    other.DestroyWindow();
    bar.DestroyWindow();
}

// The state goes to the registry and back; damaged values are fitted or
// left out instead of reserving a whole screen edge.
TEST_F(AppBarTest, SavedStateRoundTripsAndDamagedValuesAreFitted)
{
    const CRect screen = Screen();
    ScopedSeam<BOOL(POINT, RECT*)> work(g_foundationSeams.monitorWorkArea, [&](POINT, RECT* pRect) {
        *pRect = screen;
        return TRUE;
    });
    const CString profile = CString("Software\\") + CompanyKey() + "\\";
    {
        CTestAppBar bar;
        bar.SetAutoHide(TRUE);
        bar.SetFloatRect(CRect(30, 40, 230, 140));
        ASSERT_TRUE(bar.SaveState(profile, 3));
    }
    {
        CTestAppBar bar;
        ASSERT_TRUE(bar.LoadState(profile, 3));
        EXPECT_TRUE(bar.IsAutoHide());
        EXPECT_EQ(CZUDPAppBarWnd::kSideTop, bar.GetSide());
        EXPECT_EQ(CRect(30, 40, 230, 140), bar.GetFloatRect());
        EXPECT_EQ(80, bar.GetDockedSize(CZUDPAppBarWnd::kSideLeft));
    }
    CTestAppBar fresh;
    EXPECT_FALSE(fresh.LoadState(profile, 4)) << "no key";

    // Damage every value.
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(profile + "ZUDPAppBar-3"));
        reg.Write("Side", 7);
        reg.Write("DimsDock0", 0);
        reg.Write("DimsDock1", 100000);
        reg.Write("DimsDock2", -40);
        reg.Write("RectFloat", CRect(screen.right + 500, -900, screen.right + 700, -800));
    }
    CTestAppBar bar;
    ASSERT_TRUE(bar.LoadState(profile, 3));
    EXPECT_EQ(CZUDPAppBarWnd::kSideTop, bar.GetSide()) << "side 7 is no side";
    EXPECT_EQ(2, bar.GetDockedSize(CZUDPAppBarWnd::kSideLeft));
    EXPECT_EQ(screen.Height() / 2, bar.GetDockedSize(CZUDPAppBarWnd::kSideTop));
    EXPECT_EQ(2, bar.GetDockedSize(CZUDPAppBarWnd::kSideRight));
    CRect inside;
    EXPECT_TRUE(inside.IntersectRect(&bar.GetFloatRect(), &screen) && inside == bar.GetFloatRect())
        << "the floating rectangle is moved onto the screen";
    EXPECT_EQ(CSize(200, 100), bar.GetFloatRect().Size());
}
