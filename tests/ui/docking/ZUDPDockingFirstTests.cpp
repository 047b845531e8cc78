// Frames, floating frames and the docking helpers as the rest
// of the library uses them.
#include "framework/win/Menu.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

bool InList(const CObList& list, const CObject* pObject) { return list.Find(const_cast<CObject*>(pObject)) != nullptr; }

} // namespace

// A library frame is in the frame list while it lives; an MDI frame makes
// its client window when it is created.
TEST(FrameTest, FramesHostWindowsAndAreListed)
{
    {
        CZUDPFrameWnd frame;
        EXPECT_TRUE(InList(g_frameList, &frame));
        ASSERT_TRUE(frame.Create(nullptr, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
        EXPECT_EQ(&frame, CWnd::FromHandlePermanent(frame.m_hWnd));
        EXPECT_EQ(&frame, frame.GetActiveFrame());
        frame.DestroyWindow();
    }
    EXPECT_EQ(0, g_frameList.GetCount());

    CZUDPMDIFrameWnd mdi;
    EXPECT_TRUE(InList(g_frameList, &mdi));
    ASSERT_TRUE(mdi.Create(nullptr, "mdi", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    ASSERT_NE(nullptr, mdi.m_hWndMDIClient);
    char className[32] = {};
    ::GetClassNameA(mdi.m_hWndMDIClient, className, sizeof(className));
    EXPECT_EQ(0, ::lstrcmpiA("MDICLIENT", className)) << className;
    EXPECT_EQ(mdi.m_hWnd, ::GetParent(mdi.m_hWndMDIClient));
    EXPECT_EQ(nullptr, mdi.MDIGetActiveHwnd());
    EXPECT_EQ(&mdi, mdi.GetActiveFrame());
    mdi.DestroyWindow();
}

TEST(MiniFrameTest, EveryFloatingFrameIsListedAndRedrawn)
{
    CZUDPMiniFrameWnd a, b;
    EXPECT_TRUE(InList(g_miniFrameList, &a));
    EXPECT_TRUE(InList(g_miniFrameList, &b));
    EXPECT_EQ(0, a.GetDockingHintState());
    ASSERT_TRUE(a.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    ::ValidateRect(a.m_hWnd, nullptr);
    CZUDPMiniFrameWnd::RedrawAllMiniFrames();  // b has no window: skipped
    a.DestroyWindow();
}

// Smart docking (128) is stored as 129 with its variant; other modes as given.
TEST(DockManagerTest, GlobalDockMode)
{
    CZUDPDockManager::SetGlobalDockMode(128, 3);
    EXPECT_EQ(DWORD(129), CZUDPDockManager::GetGlobalDockMode());
    EXPECT_EQ(3, CZUDPDockManager::GetSmartDockingVariant());
    CZUDPDockManager::SetGlobalDockMode(2, 0);
    EXPECT_EQ(DWORD(2), CZUDPDockManager::GetGlobalDockMode());
}

// The small icon of a window: its own small icon, else its big icon made
// small (a new icon), else its class icon.
TEST(GlobalUtilsTest, SmallWindowIcon)
{
    HICON hClassIcon = ::LoadIcon(nullptr, IDI_INFORMATION);
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0, nullptr, nullptr, hClassIcon), "", WS_POPUP,
                             CRect(0, 0, 10, 10), nullptr, 0));
    BOOL bNew = TRUE;
    EXPECT_EQ(hClassIcon, g_globalUtils.GetSmallWindowIcon(&wnd, bNew));
    EXPECT_FALSE(bNew);

    HICON hBig = ::LoadIcon(nullptr, IDI_WARNING);
    wnd.SetIcon(hBig, TRUE);
    HICON hMade = g_globalUtils.GetSmallWindowIcon(&wnd, bNew);
    ASSERT_NE(nullptr, hMade);
    EXPECT_TRUE(bNew);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hMade, &info));
    BITMAP bm = {};
    ::GetObject(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(16, bm.bmWidth);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(hMade);

    HICON hSmall = ::LoadIcon(nullptr, IDI_ERROR);
    wnd.SetIcon(hSmall, FALSE);
    EXPECT_EQ(hSmall, g_globalUtils.GetSmallWindowIcon(&wnd, bNew));
    EXPECT_FALSE(bNew);
    wnd.DestroyWindow();

    EXPECT_EQ(nullptr, g_globalUtils.GetSmallWindowIcon(nullptr, bNew));
}

