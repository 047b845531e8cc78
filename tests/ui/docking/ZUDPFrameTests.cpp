// The library's single-document frame and its implementation object: the
// frame list, the stored placement, user-defined and torn-off toolbars in
// the registry, the frame's own decisions (bar commands, customization,
// closing during a preview, sizes, destruction), full-screen mode and the
// routing of keys and the mouse while a popup menu is open.
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "res/ui/docking.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPCustomizeMenuButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An application whose workspace keeps its state below the test's key.
class CFrameTestApp : public CWinApp, public CZUDPWorkspace {
public:
    explicit CFrameTestApp(const CString& company) : CWinApp("FrameApp") { SetRegistryKey(company); }
};

int CountListed(const CObject* pObject)
{
    int n = 0;
    for (POSITION pos = g_frameList.GetHeadPosition(); pos != nullptr;)
        n += g_frameList.GetNext(pos) == pObject;
    return n;
}

// A frame that counts its full layouts and records the commands it runs.
class CCountingFrame : public CZUDPFrameWnd {
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++layouts;
        CZUDPFrameWnd::RecalcLayout(bNotify);
    }
    void RecalcDockLayout(HDWP hdwp = nullptr) override
    {
        ++dockLayouts;
        CZUDPFrameWnd::RecalcDockLayout(hdwp);
    }
    int layouts = 0;
    int dockLayouts = 0;
    std::vector<UINT> commands;

protected:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override
    {
        if (nCode == int(CN_COMMAND) && pExtra == nullptr && pHandlerInfo == nullptr && nID >= 0x8000 &&
            nID < 0x9000) {
            commands.push_back(nID);
            return TRUE;
        }
        return CZUDPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

BOOL MakeFrame(CFrameWnd& frame, const char* title = "frame", CRect rect = CRect(40, 40, 440, 340))
{
    return frame.Create(nullptr, title, WS_OVERLAPPEDWINDOW, rect);
}

// A toolbar made as a child of the frame, with an id.
CZUDPToolBar* MakeBar(CFrameWnd& frame, UINT uiID, const char* name)
{
    auto* pBar = new CZUDPToolBar;
    if (!pBar->CreateBar(&frame, kZudpUserToolbarStyle, uiID)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(name);
    return pBar;
}

} // namespace

// ---------------------------------------------------------------------------
// The frame list

// A frame joins the list when its window is made, once per window handle,
// and leaves it with its window.
TEST(FrameListTest, FramesAreListedOncePerWindowHandle)
{
    CZUDPFrameWnd frame;
    EXPECT_EQ(0, CountListed(&frame)) << "no window yet";
    ASSERT_TRUE(MakeFrame(frame));
    EXPECT_EQ(1, CountListed(&frame));
    CZUDPFrameImpl::AddFrameToList(&frame);
    EXPECT_EQ(1, CountListed(&frame));

    // A second object over the same handle (a frame object made again for
    // the window) is not listed beside the first.
    CFrameWnd other;
    other.m_hWnd = frame.m_hWnd;
    CZUDPFrameImpl::AddFrameToList(&other);
    EXPECT_EQ(0, CountListed(&other));
    CZUDPFrameImpl::RemoveFrameFromList(&other);
    EXPECT_EQ(0, CountListed(&frame)) << "the entry of the handle goes";
    other.m_hWnd = nullptr;

    CZUDPFrameImpl::AddFrameToList(&frame);
    frame.DestroyWindow();
    EXPECT_EQ(0, CountListed(&frame));
}

// ---------------------------------------------------------------------------
// Placement

class FramePlacementTest : public trovtest::RegistryTestKey {};

// The stored placement goes into the create structure against the work
// area of the monitor of the stored rectangle.
TEST_F(FramePlacementTest, StoredPlacementFitsTheWorkArea)
{
    CFrameTestApp app(CompanyKey());
    const CRect work(0, 20, 1000, 720);
    ScopedSeam<BOOL(POINT, RECT*)> monitor(g_foundationSeams.monitorWorkArea, [&](POINT, RECT* pRect) {
        *pRect = work;
        return TRUE;
    });
    struct Case {
        const char* what;
        CRect stored;
        int showCmd;
        CRect expected;   // x, y, right, bottom of the create structure
    } cases[] = {
        {"maximized fills the work area", CRect(100, 100, 400, 300), SW_SHOWMAXIMIZED, work},
        {"inside keeps its place and size", CRect(100, 100, 400, 300), SW_SHOWNORMAL, CRect(100, 100, 400, 300)},
        {"half off starts where it meets the area", CRect(-50, 10, 250, 210), SW_SHOWNORMAL,
         CRect(0, 20, 300, 220)},
        {"off every work area changes nothing", CRect(3000, 3000, 3300, 3200), SW_SHOWNORMAL,
         CRect(7, 8, 7 + 90, 8 + 60)},
        {"a minimized one shows normally", CRect(100, 100, 400, 300), SW_SHOWMINIMIZED, CRect(100, 100, 400, 300)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(app.StoreWindowPlacement(c.stored, 0, c.showCmd)) << c.what;
        CZUDPFrameImpl impl;
        CREATESTRUCT cs = {};
        cs.hInstance = ::GetModuleHandleA(nullptr);
        cs.x = 7;
        cs.y = 8;
        cs.cx = 90;
        cs.cy = 60;
        impl.RestoreWindowPlacement(cs);
        EXPECT_EQ(c.expected, CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy)) << c.what;
    }
}

// ---------------------------------------------------------------------------
// User-defined and torn-off toolbars

class FrameToolbarsTest : public trovtest::RegistryTestKey {
protected:
    void SetUp() override
    {
        trovtest::RegistryTestKey::SetUp();
        trovtest::InitFrameworkForTests();
    }
};

// With every id of the range taken, a new user toolbar is refused with the
// message that names how many there may be.
TEST_F(FrameToolbarsTest, FullUserToolbarRangeTellsTheUser)
{
    CFrameTestApp app(CompanyKey());
    CZUDPFrameWnd frame;
    ASSERT_TRUE(MakeFrame(frame));
    CZUDPFrameImpl& impl = frame.GetFrameImpl();
    impl.m_uiUserToolbarFirst = 0xE900 - 40;
    impl.m_uiUserToolbarLast = 0xE900 - 38;
    std::vector<std::pair<std::string, UINT>> boxes;
    ScopedSeam<int(HWND, const char*, const char*, UINT)> box(g_frameworkSeams.messageBox,
                                                                [&](HWND, const char* text, const char*, UINT type) {
                                                                    boxes.emplace_back(text, type);
                                                                    return IDOK;
                                                                });
    std::vector<UINT> ids;
    for (int i = 0; i < 3; ++i) {
        auto* pBar = reinterpret_cast<CZUDPToolBar*>(
            frame.SendMessage(ZUDTOOLBAR_CREATE, 0, reinterpret_cast<LPARAM>("Mine")));
        ASSERT_NE(nullptr, pBar) << i;
        ids.push_back(UINT(pBar->GetDlgCtrlID()));
        CString name;
        pBar->GetWindowText(name);
        EXPECT_STREQ("Mine", name);
        EXPECT_EQ(DWORD(0x34), pBar->GetBarStyle() & 0x34);
    }
    EXPECT_EQ((std::vector<UINT>{0xE900 - 40, 0xE900 - 39, 0xE900 - 38}), ids);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(0, frame.SendMessage(ZUDTOOLBAR_CREATE, 0, reinterpret_cast<LPARAM>("Fourth")));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("You can't create more than 3 user-defined toolbars!", boxes[0].first);
    EXPECT_EQ(UINT(MB_ICONINFORMATION), boxes[0].second);

    // A bar that is not a user toolbar is not deleted; a user toolbar is,
    // and its id is free again.
    CZUDPToolBar* pOther = MakeBar(frame, 0xE900 - 50, "other");
    ASSERT_NE(nullptr, pOther);
    EXPECT_EQ(0, frame.SendMessage(ZUDTOOLBAR_DELETE, 0, reinterpret_cast<LPARAM>(pOther)));
    EXPECT_TRUE(::IsWindow(pOther->m_hWnd));
    CZUDPToolBar* pSecond = static_cast<CZUDPToolBar*>(impl.m_listUserDefinedToolbars.GetAt(
        impl.m_listUserDefinedToolbars.FindIndex(1)));
    EXPECT_EQ(1, frame.SendMessage(ZUDTOOLBAR_DELETE, 0, reinterpret_cast<LPARAM>(pSecond)));
    EXPECT_EQ(2, impl.m_listUserDefinedToolbars.GetCount());
    EXPECT_EQ(UINT(0xE900 - 39), CZUDPFrameImpl::FindFreeUserToolbarId(impl.m_uiUserToolbarFirst,
                                                                        impl.m_uiUserToolbarLast,
                                                                        impl.m_listUserDefinedToolbars));
    pOther->DestroyWindow();
    delete pOther;
    frame.DestroyWindow();
}

TEST(FrameUserToolbarIdTest, FreeIdsOfARange)
{
    CObList none;
    EXPECT_EQ(0u, CZUDPFrameImpl::FindFreeUserToolbarId(UINT(-1), 10, none));
    EXPECT_EQ(0u, CZUDPFrameImpl::FindFreeUserToolbarId(10, UINT(-1), none));
    EXPECT_EQ(0u, CZUDPFrameImpl::FindFreeUserToolbarId(12, 10, none));
    EXPECT_EQ(10u, CZUDPFrameImpl::FindFreeUserToolbarId(10, 10, none));
}

// Only visible torn-off bars are written, numbered from 0 over the bars
// written; keys of a longer earlier list go after the new ones are in.
// They load back in order with their ids and names.
TEST_F(FrameToolbarsTest, TornOffBarsSaveVisibleOnesAndLoadBack)
{
    CFrameTestApp app(CompanyKey());
    const CString base = CZUDPFrameImpl::TearOffBasePath();
    ASSERT_NE(-1, base.Find("TROVconf Tests")) << (LPCTSTR)base;
    // An earlier list of four.
    for (int i = 0; i < 4; ++i) {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        CString key;
        key.Format("%s-%d", (LPCTSTR)base, i);
        ASSERT_TRUE(reg.CreateKey(key));
        reg.Write("ID", 1000 + i);
    }

    {
        CZUDPFrameWnd frame;
        ASSERT_TRUE(MakeFrame(frame));
        CZUDPFrameImpl& impl = frame.GetFrameImpl();
        const char* names[] = {"Hidden", "Edit", "View"};
        for (int i = 0; i < 3; ++i) {
            CZUDPToolBar* pBar = MakeBar(frame, 0xE900 - 20 + i, names[i]);
            ASSERT_NE(nullptr, pBar);
            impl.m_listTearOffToolbars.AddTail(pBar);
        }
        static_cast<CWnd*>(impl.m_listTearOffToolbars.GetHead())->ShowWindow(SW_HIDE);
        impl.SaveTearOffBars();
        frame.DestroyWindow();
    }
    const std::string keyPath = std::string("FrameApp\\ZUDWorkspace\\") + ZUDP_TEAROFF_SECTION;
    EXPECT_EQ(std::vector<BYTE>({0xED, 0xE8, 0, 0}), ReadRaw((keyPath + "-0").c_str(), "ID"));
    EXPECT_EQ(std::vector<BYTE>({0xEE, 0xE8, 0, 0}), ReadRaw((keyPath + "-1").c_str(), "ID"));
    EXPECT_FALSE(RawKeyExists((keyPath + "-2").c_str()));
    EXPECT_FALSE(RawKeyExists((keyPath + "-3").c_str()));

    CZUDPFrameWnd frame;
    ASSERT_TRUE(MakeFrame(frame));
    CZUDPFrameImpl& impl = frame.GetFrameImpl();
    impl.LoadTearOffBars();
    ASSERT_EQ(2, impl.m_listTearOffToolbars.GetCount());
    const char* expected[] = {"Edit", "View"};
    int i = 0;
    for (POSITION pos = impl.m_listTearOffToolbars.GetHeadPosition(); pos != nullptr; ++i) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(impl.m_listTearOffToolbars.GetNext(pos));
        EXPECT_EQ(0xE900 - 19 + i, pBar->GetDlgCtrlID());
        CString name;
        pBar->GetWindowText(name);
        EXPECT_STREQ(expected[i], name);
        EXPECT_EQ(frame.m_hWnd, ::GetAncestor(pBar->m_hWnd, GA_ROOT));
    }
    // Loading again replaces the bars instead of adding to them.
    impl.LoadTearOffBars();
    EXPECT_EQ(2, impl.m_listTearOffToolbars.GetCount());
    frame.DestroyWindow();
}

// A stored "State" object of another class ends the list there: it is
// never made into a bar.
TEST_F(FrameToolbarsTest, TornOffStateOfAnotherClassIsRefused)
{
    CFrameTestApp app(CompanyKey());
    const CString base = CZUDPFrameImpl::TearOffBasePath();
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(base + "-0"));
        reg.Write("ID", 0xE900 - 20);
        reg.Write("Name", "Foreign");
        CZUDPToolbarButton notABar(5, -1, "x");
        ASSERT_TRUE(reg.Write("State", static_cast<CObject*>(&notABar)));
    }
    CZUDPFrameWnd frame;
    ASSERT_TRUE(MakeFrame(frame));
    frame.GetFrameImpl().LoadTearOffBars();
    EXPECT_EQ(0, frame.GetFrameImpl().m_listTearOffToolbars.GetCount());
    EXPECT_EQ(nullptr, ::GetDlgItem(frame.m_hWnd, 0xE900 - 20));
    frame.DestroyWindow();
}

// ---------------------------------------------------------------------------
// The frame's own decisions

class SdiFrameTest : public ::testing::Test {
protected:
    void SetUp() override { trovtest::InitFrameworkForTests(); }
    void TearDown() override { g_customizeMode = FALSE; }
};

// The bar commands toggle a bar the frame has; without one they are left
// for other targets.
TEST_F(SdiFrameTest, BarCommandsNeedTheirBar)
{
    CZUDPFrameWnd frame;
    ASSERT_TRUE(MakeFrame(frame));
    EXPECT_FALSE(frame.OnCmdMsg(0xE801, int(CN_COMMAND), nullptr, nullptr)) << "no status bar";
    CCmdUI update;
    update.m_nID = 0xE801;
    EXPECT_FALSE(frame.OnCmdMsg(0xE801, int(CN_UPDATE_COMMAND_UI), &update, nullptr));

    CZUDPToolBar* pBar = MakeBar(frame, 0xE800, "Standard");
    ASSERT_NE(nullptr, pBar);
    frame.RegisterBar(pBar);
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(pBar->IsWindowVisible());
    EXPECT_TRUE(frame.OnCmdMsg(0xE800, int(CN_COMMAND), nullptr, nullptr));
    EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(frame.OnCmdMsg(0xE800, int(CN_COMMAND), nullptr, nullptr));
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
    frame.DestroyWindow();
    delete pBar;
}

// While the bars are customized no command runs.
TEST_F(SdiFrameTest, CustomizationRefusesCommands)
{
    CCountingFrame frame;
    ASSERT_TRUE(MakeFrame(frame));
    frame.SendMessage(WM_COMMAND, 0x8001);
    EXPECT_EQ((std::vector<UINT>{0x8001}), frame.commands);
    g_customizeMode = TRUE;
    EXPECT_FALSE(frame.OnCommand(0x8002, 0));
    EXPECT_FALSE(frame.OnCommand(MAKEWPARAM(0x8003, 1), 0)) << "nor from an accelerator";
    EXPECT_EQ((std::vector<UINT>{0x8001}), frame.commands);
    frame.DestroyWindow();
}

// Closing the frame while a preview runs for it ends the preview only.
TEST_F(SdiFrameTest, CloseDuringPreviewEndsThePreview)
{
    CCountingFrame frame;
    ASSERT_TRUE(MakeFrame(frame));
    CCountingFrame preview;
    ASSERT_TRUE(MakeFrame(preview, "preview"));
    std::vector<UINT> previewCommands;
    frame.m_pPrintPreviewFrame = &preview;
    frame.SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(frame.m_hWnd)) << "the frame stays open";
    EXPECT_EQ(nullptr, frame.m_pPrintPreviewFrame);
    frame.SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(frame.m_hWnd));
    preview.DestroyWindow();
}

// Maximizing and restoring lay the frame out in full; a plain resize only
// lays the docked bars out again.
TEST_F(SdiFrameTest, MaximizeAndRestoreRunAFullLayout)
{
    CCountingFrame frame;
    ASSERT_TRUE(MakeFrame(frame));
    struct Step {
        UINT type;
        bool fullLayout;
    } steps[] = {{SIZE_RESTORED, false}, {SIZE_MAXIMIZED, true}, {SIZE_RESTORED, true}, {SIZE_RESTORED, false}};
    for (const Step& step : steps) {
        const int layouts = frame.layouts;
        const int dockLayouts = frame.dockLayouts;
        frame.SendMessage(WM_SIZE, step.type, MAKELPARAM(300, 200));
        EXPECT_EQ(step.fullLayout, frame.layouts > layouts) << step.type;
        EXPECT_EQ(!step.fullLayout, frame.dockLayouts > dockLayouts) << step.type;
    }
    frame.DestroyWindow();
}

namespace {

// Children that record the order they go in; one takes a sibling with it.
std::vector<std::string> g_destroyed;

class CRecordedChild : public CWnd {
public:
    std::string name;
    HWND takeAlong = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY) {
            g_destroyed.push_back(name);
            if (takeAlong != nullptr && ::IsWindow(takeAlong))
                ::DestroyWindow(takeAlong);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CRecordedSlider : public CZUDPSlider {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DESTROY)
            g_destroyed.push_back("slider");
        return CZUDPSlider::WindowProc(message, wParam, lParam);
    }
};

} // namespace

// The frame's children go before its sliders, and a child that another
// one took along is not destroyed again.
TEST_F(SdiFrameTest, DestroyTakesSlidersLastAndSkipsWindowsAlreadyGone)
{
    g_destroyed.clear();
    CZUDPFrameWnd frame;
    ASSERT_TRUE(MakeFrame(frame));
    CRecordedSlider slider;
    CRecordedChild a, b;
    a.name = "a";
    b.name = "b";
    ASSERT_TRUE(slider.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, frame.m_hWnd,
                                (HMENU)1));
    ASSERT_TRUE(a.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 0, 0, 5, 5, frame.m_hWnd, (HMENU)2));
    ASSERT_TRUE(b.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, 0, 0, 5, 5, frame.m_hWnd, (HMENU)3));
    a.takeAlong = b.m_hWnd;
    frame.DestroyWindow();
    std::string all;
    for (const std::string& name : g_destroyed)
        all += name + " ";
    ASSERT_EQ(3u, g_destroyed.size()) << all;
    EXPECT_EQ("slider", g_destroyed.back());
}

// A frame made from its resources takes its title from the string of its
// id, and the workspace then loads its state (the stored placement moves
// it).
TEST_F(FramePlacementTest, LoadFrameTakesItsTitleAndLoadsTheState)
{
    CFrameTestApp app(CompanyKey());
    ASSERT_TRUE(app.StoreWindowPlacement(CRect(60, 70, 460, 370), 0, SW_SHOWNORMAL));
    CZUDPFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(IDS_ZUDP_FULL_SCREEN));
    EXPECT_EQ(UINT(IDS_ZUDP_FULL_SCREEN), frame.m_nIDResource);
    CString title;
    frame.GetWindowText(title);
    EXPECT_STREQ("Full Screen", title);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    frame.GetWindowPlacement(&wp);
    EXPECT_EQ(CSize(400, 300), CRect(wp.rcNormalPosition).Size());
    frame.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Full screen

TEST_F(SdiFrameTest, EscapeLeavesFullScreen)
{
    CZUDPFrameWnd frame;
    ASSERT_TRUE(MakeFrame(frame));
    auto* pTop = new CZUDPDockBar;  // deletes itself with its window
    ASSERT_TRUE(pTop->Create(CBRS_ALIGN_TOP, CRect(), &frame, 0));
    frame.RegisterBar(pTop);
    CZUDPToolBar* pStandard = MakeBar(frame, 0xE900 - 60, "Standard");
    ASSERT_NE(nullptr, pStandard);
    pStandard->InsertButton(new CZUDPToolbarButton(0x8500, -1, "Open"));
    pStandard->SetDockableSides(CBRS_ALIGN_ANY);
    frame.DockBarAtSite(pStandard, AFX_IDW_DOCKBAR_TOP, nullptr);
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    CRect before;
    frame.GetWindowRect(&before);
    CZUDPFullScreenImpl& full = frame.GetFrameImpl().m_FullScreen;

    MINMAXINFO mmi = {};
    mmi.ptMaxSize = CPoint(11, 12);
    frame.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(CPoint(11, 12), CPoint(mmi.ptMaxSize)) << "outside the mode nothing changes";
    full.LeaveFullScreen(&frame);   // never entered: nothing
    EXPECT_FALSE(full.IsActive());

    ASSERT_TRUE(full.EnterFullScreen(&frame));
    EXPECT_TRUE(full.IsActive());
    EXPECT_FALSE(full.EnterFullScreen(&frame)) << "once";
    CRect client;
    frame.GetClientRect(&client);
    frame.ClientToScreen(&client);
    EXPECT_EQ(CPoint(0, 0), client.TopLeft()) << "the client area starts at the monitor's corner";
    ASSERT_NE(nullptr, full.GetToolbar());
    EXPECT_EQ(ID_ZUDP_CLOSE_FULL_SCREEN, full.GetToolbar()->GetButtonAt(0)->commandId);
    EXPECT_TRUE(full.GetToolbar()->GetStyle() & WS_VISIBLE);
    CRect rectBar;
    full.GetToolbar()->GetWindowRect(&rectBar);
    EXPECT_FALSE(rectBar.IsRectEmpty()) << "the toolbar shows its button";
    EXPECT_EQ(pTop, full.GetToolbar()->GetParentDockBar());
    EXPECT_TRUE(full.GetToolbar()->IsWindowVisible());
    EXPECT_TRUE(client.PtInRect(rectBar.CenterPoint())) << "docked inside the frame";
    CRect rectStandard, rectOverlap;
    pStandard->GetWindowRect(&rectStandard);
    EXPECT_FALSE(rectOverlap.IntersectRect(&rectStandard, &rectBar)) << "beside the other toolbar";
    mmi = MINMAXINFO{};
    full.FillMinMaxInfo(&mmi);
    EXPECT_EQ(CPoint(full.m_rectFullScreenWindow.Size()), CPoint(mmi.ptMaxTrackSize));

    MSG msg = {frame.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(frame.PreTranslateMessage(&msg));
    EXPECT_FALSE(full.IsActive());
    EXPECT_EQ(nullptr, full.GetToolbar());
    CRect after;
    frame.GetWindowRect(&after);
    EXPECT_EQ(before, after);
    EXPECT_FALSE(frame.PreTranslateMessage(&msg)) << "outside the mode Escape goes on";
    frame.DestroyWindow();
    delete pStandard;
}

// ---------------------------------------------------------------------------
// Popup routing

namespace {

// A button whose embedded control holds the focus (a focused combo box).
class CFocusedButton : public CZUDPToolbarButton {
public:
    CFocusedButton() : CZUDPToolbarButton(0x8100, -1, "combo") {}
    BOOL HasFocus() const override { return focused; }
    BOOL focused = FALSE;
};

} // namespace

class FramePopupRoutingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_savedShadows = g_menuShadows;
        g_menuShadows = TRUE;
        m_savedAnimation = g_menuAnimation;
        g_menuAnimation = 0;
        ASSERT_TRUE(MakeFrame(m_frame, "frame", CRect(100, 100, 600, 500)));
        m_frame.ShowWindow(SW_SHOWNOACTIVATE);
        m_pBar = MakeBar(m_frame, 0xE800, "bar");
        ASSERT_NE(nullptr, m_pBar);
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, 0x8201, "One");
        ::AppendMenuA(hMenu, MF_STRING, 0x8202, "Two");
        m_pBar->InsertButton(new CZUDPToolbarMenuButton(0x8200, hMenu, -1, "Menu"));
        m_pBar->SetWindowPos(nullptr, 0, 0, 200, 30, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pBar->UpdateLayout();
    }
    void TearDown() override
    {
        if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd()))
            g_activePopupMenu->DestroyWindow();
        g_activePopupMenu = nullptr;
        if (m_frame.m_hWnd != nullptr)
            m_frame.DestroyWindow();
        delete m_pBar;
        g_menuShadows = m_savedShadows;
        g_menuAnimation = m_savedAnimation;
        g_customizeMode = FALSE;
    }
    // Opens the bar's menu button as a click would.
    CZUDPPopupMenu* OpenFromButton()
    {
        auto* pButton = static_cast<CZUDPToolbarMenuButton*>(m_pBar->GetButtonAt(0));
        if (!pButton->OpenPopupMenu(m_pBar))
            return nullptr;
        return pButton->openPopup;
    }
    CPoint ButtonCentre() const
    {
        CPoint pt = m_pBar->GetButtonAt(0)->Rect().CenterPoint();
        m_pBar->ClientToScreen(&pt);
        return pt;
    }
    MSG Message(HWND hWnd, UINT message, CPoint ptScreen)
    {
        CPoint pt = ptScreen;
        ::ScreenToClient(hWnd, &pt);
        return MSG{hWnd, message, 0, MAKELPARAM(pt.x, pt.y), 0, {0, 0}};
    }

    CZUDPFrameWnd m_frame;
    CZUDPToolBar* m_pBar = nullptr;
    BOOL m_savedShadows = TRUE;
    int m_savedAnimation = 0;
};

// Keys reach the open popup and are eaten; Escape closes it through the
// popup's own keys.
TEST_F(FramePopupRoutingTest, KeysGoToTheOpenPopup)
{
    CZUDPPopupMenu* pPopup = OpenFromButton();
    ASSERT_NE(nullptr, pPopup);
    ASSERT_EQ(pPopup, g_activePopupMenu) << "the frame made it the open popup";
    const HWND hPopup = pPopup->m_hWnd;
    MSG down = {m_frame.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_TRUE(m_frame.PreTranslateMessage(&down));
    EXPECT_EQ(0, pPopup->GetMenuBar()->GetHotIndex()) << "the first item is hot";
    MSG escape = {m_frame.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(m_frame.PreTranslateMessage(&escape));
    EXPECT_FALSE(::IsWindow(hPopup));
}

// Clicks while a popup is open: on its shadow it closes and the frame
// takes the focus; on the button that opened it, it closes and the click
// is eaten (so the button does not open it again); on the items it is the
// popup's own.
TEST_F(FramePopupRoutingTest, ClicksAroundTheOpenPopup)
{
    struct Case {
        const char* where;
        bool consumed;
        bool stillOpen;
    } cases[] = {{"shadow", true, false}, {"button", true, false}, {"items", false, true}, {"elsewhere", false, false}};
    for (const Case& c : cases) {
        CZUDPPopupMenu* pPopup = OpenFromButton();
        ASSERT_NE(nullptr, pPopup) << c.where;
        const HWND hPopup = pPopup->m_hWnd;
        CRect rectPopup;
        pPopup->GetWindowRect(&rectPopup);
        CPoint pt;
        HWND hTarget = m_frame.m_hWnd;
        if (std::string(c.where) == "shadow") {
            ASSERT_GT(pPopup->m_iShadowSize, 0);
            pt = CPoint(rectPopup.right - 2, rectPopup.top + pPopup->m_iShadowSize + 4);
            ASSERT_EQ(CZUDPPopupMenu::kShadowRight, pPopup->HitTestArea(pt));
        } else if (std::string(c.where) == "button") {
            pt = ButtonCentre();
            hTarget = m_pBar->m_hWnd;
        } else if (std::string(c.where) == "items") {
            pt = rectPopup.TopLeft() + CPoint(8, 8);
            hTarget = hPopup;
        } else {
            pt = CPoint(rectPopup.right + 40, rectPopup.bottom + 40);
        }
        MSG msg = Message(hTarget, WM_LBUTTONDOWN, pt);
        EXPECT_EQ(c.consumed, m_frame.PreTranslateMessage(&msg) != FALSE) << c.where;
        EXPECT_EQ(c.stillOpen, ::IsWindow(hPopup) != FALSE) << c.where;
        if (::IsWindow(hPopup))
            ::DestroyWindow(hPopup);
    }
}

// Moves over other windows are eaten while a popup is open; over the popup
// and with no popup they go on.
TEST_F(FramePopupRoutingTest, MovesOverOtherWindowsAreEaten)
{
    CZUDPFrameImpl& impl = m_frame.GetFrameImpl();
    EXPECT_FALSE(impl.ProcessMouseMove(CPoint(150, 450))) << "no popup";
    CZUDPPopupMenu* pPopup = OpenFromButton();
    ASSERT_NE(nullptr, pPopup);
    CRect rectPopup;
    pPopup->GetWindowRect(&rectPopup);
    EXPECT_FALSE(impl.ProcessMouseMove(rectPopup.CenterPoint()));
    EXPECT_TRUE(impl.ProcessMouseMove(CPoint(rectPopup.right + 30, rectPopup.bottom + 30)));
    EXPECT_TRUE(impl.ProcessMouseWheel(MAKEWPARAM(0, WHEEL_DELTA), 0)) << "the wheel too";
    g_customizeMode = TRUE;
    EXPECT_FALSE(impl.ProcessMouseMove(CPoint(rectPopup.right + 30, rectPopup.bottom + 30)));
}

// Without a popup, a key with a toolbar control focused keeps the frame's
// accelerators out (Ctrl+S stays in the combo); otherwise they may run.
TEST_F(FramePopupRoutingTest, KeysWithAFocusedToolbarControlTranslateNoAccelerator)
{
    auto* pButton = new CFocusedButton;
    m_pBar->InsertButton(pButton);
    SHORT ctrl = 0;
    ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState, [&](int nKey) { return nKey == VK_CONTROL ? ctrl : SHORT(0); });
    CZUDPFrameImpl& impl = m_frame.GetFrameImpl();
    struct Case {
        BOOL focused;
        bool mayTranslate;
    } cases[] = {{TRUE, false}, {FALSE, true}};
    ctrl = SHORT(0x8000);
    for (const Case& c : cases) {
        pButton->focused = c.focused;
        BOOL bAccel = -1;
        EXPECT_FALSE(impl.ProcessKeyboard('S', &bAccel));
        EXPECT_EQ(c.mayTranslate, bAccel != FALSE) << c.focused;
    }
}

// The "Add or Remove Buttons" list of a toolbar, opened through its
// options drop-down: a row per button of the toolbar (separators and the
// overflow button left out), the resource's buttons no longer on the
// toolbar at their resource positions, then a separator and "Reset
// Toolbar".
TEST_F(FramePopupRoutingTest, AddOrRemoveButtonsListsTheToolbarAndItsResource)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(bar.CreateBar(&m_frame, kZudpUserToolbarStyle, 0xE830));
    // Print, next, previous, one page, two pages, zoom in, zoom out, close.
    ASSERT_TRUE(bar.LoadButtonsResource(IDR_ZUDP_PRINT_PREVIEW));
    ASSERT_TRUE(bar.RemoveButton(bar.FindCommandIndex(0xE303)));   // previous page
    bar.SetOverflowButton(TRUE, 0x8400, "Customize...", TRUE);
    bar.SetWindowPos(nullptr, 0, 40, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    bar.ShowWindow(SW_SHOWNOACTIVATE);
    bar.UpdateLayout();

    CCustomizeButton* pOverflow = bar.GetOverflowButton();
    ASSERT_NE(nullptr, pOverflow);
    ASSERT_TRUE(pOverflow->OpenPopupMenu(&bar));
    CZUDPPopupMenu* pOptions = pOverflow->openPopup;
    ASSERT_NE(nullptr, pOptions);
    // The options drop-down's "Add or Remove Buttons" submenu, then the
    // toolbar's own entry in it.
    auto openSubmenu = [](CZUDPPopupMenu* pMenu, int iItem) -> CZUDPPopupMenu* {
        auto* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pMenu->GetMenuBar()->GetButtonAt(iItem));
        if (pItem == nullptr || !pItem->OpenPopupMenu(pMenu->GetMenuBar()))
            return nullptr;
        return pItem->openPopup;
    };
    CZUDPPopupMenuBar* pOptionsBar = pOptions->GetMenuBar();
    CZUDPPopupMenu* pAddRemove = openSubmenu(pOptions, pOptionsBar->GetCount() - 1);
    ASSERT_NE(nullptr, pAddRemove);
    EXPECT_FALSE(CZUDPFrameImpl::IsCustomizeMenu(pAddRemove)) << "the list is one level deeper";
    CZUDPPopupMenu* pList = openSubmenu(pAddRemove, 0);
    ASSERT_NE(nullptr, pList);
    EXPECT_TRUE(CZUDPFrameImpl::IsCustomizeMenu(pList));
    EXPECT_EQ(&bar, g_customizeButtonToolbar);

    std::vector<UINT> commands;
    std::vector<bool> onToolbar;
    CZUDPPopupMenuBar* pRows = pList->GetMenuBar();
    for (int i = 0; i < pRows->GetCount(); ++i) {
        CZUDPToolbarButton* pRow = pRows->GetButtonAt(i);
        commands.push_back(pRow->IsSeparator() ? 0 : pRow->commandId);
        auto* pCustomizeRow = DYNAMIC_DOWNCAST(CZUDPCustomizeMenuButton, pRow);
        onToolbar.push_back(pCustomizeRow != nullptr && pCustomizeRow->isToolbarButton);
    }
    const UINT kReset = (UINT)-20;
    // The resource's position counts its separators too, so the missing
    // button's row lands at resource position 3 of the list.
    EXPECT_EQ((std::vector<UINT>{0xE304, 0xE302, 0xE301, 0xE303, 16959, 0xE305, 0xE306, 0xE300, 0, kReset}),
              commands);
    EXPECT_FALSE(onToolbar[3]) << "the previous-page row brings a resource button back";
    EXPECT_TRUE(onToolbar[2]);
    auto* pReset = DYNAMIC_DOWNCAST(CZUDPCustomizeMenuButton, pRows->GetButtonAt(pRows->GetCount() - 1));
    ASSERT_NE(nullptr, pReset);
    EXPECT_TRUE(pReset->IsResetRow());
    EXPECT_STREQ("&Reset Toolbar", pReset->text);

    pOptions->SendMessage(WM_CLOSE);
    bar.DestroyWindow();
}
