// Tooltip controls by kind, the provider's owner list and its update
// broadcast.
#include "ui/foundation/ZUDPToolTipProvider.h"

#include "tests/common/MessagePumpWin.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK CountUpdatesProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ZUDM_UPDATETOOLTIPS && wParam == 0xFFFF)
        ::SetPropA(hWnd, "Updates", reinterpret_cast<HANDLE>(reinterpret_cast<INT_PTR>(::GetPropA(hWnd, "Updates")) + 1));
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST(ZUDPToolTipProviderTest, CreatesControlsOnlyForSingleKindsAndListsEachOwnerOnce)
{
    trovtest::InitFrameworkForTests();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountUpdatesProc;
    wc.lpszClassName = "TrovTooltipOwner";
    ::RegisterClassA(&wc);
    HWND hOwner = ::CreateWindowExA(0, wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                    nullptr, nullptr, nullptr);
    CWnd owner;
    owner.Attach(hOwner);

    // Without a provider: plain controls, no owner list.
    CToolTipCtrl* pPlain = nullptr;
    ASSERT_TRUE(CZUDPToolTipProvider::CreateToolTipCtrl(pPlain, &owner, TIPKIND_TAB));
    ASSERT_NE(nullptr, pPlain);
    EXPECT_NE(nullptr, pPlain->GetSafeHwnd());
    CZUDPToolTipProvider::DestroyToolTipCtrl(pPlain);
    EXPECT_EQ(nullptr, pPlain);

    {
        CZUDPToolTipProvider provider;
        EXPECT_EQ(&provider, g_tooltipManager);
        EXPECT_EQ(200, provider.GetKindParams(1).values[3]);
        CToolTipCtrl* pFirst = nullptr;
        CToolTipCtrl* pSecond = nullptr;
        for (UINT kind : {3u, 8192u, 0u}) {
            EXPECT_FALSE(CZUDPToolTipProvider::CreateToolTipCtrl(pFirst, &owner, kind)) << kind;
            EXPECT_EQ(nullptr, pFirst);
        }
        ASSERT_TRUE(CZUDPToolTipProvider::CreateToolTipCtrl(pFirst, &owner, 4096));
        ASSERT_TRUE(CZUDPToolTipProvider::CreateToolTipCtrl(pSecond, &owner, TIPKIND_TOOLBAR));
        EXPECT_EQ(1, provider.GetOwners().GetCount());

        provider.BroadcastUpdate();
        EXPECT_EQ(1, reinterpret_cast<INT_PTR>(::GetPropA(hOwner, "Updates")));

        CZUDPToolTipProvider::DestroyToolTipCtrl(pFirst);
        EXPECT_EQ(0, provider.GetOwners().GetCount());
        CZUDPToolTipProvider::DestroyToolTipCtrl(pSecond);
    }
    EXPECT_EQ(nullptr, g_tooltipManager);
    owner.Detach();
    ::RemovePropA(hOwner, "Updates");
    ::DestroyWindow(hOwner);
}

} // namespace
