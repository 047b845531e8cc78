// Tooltip controls by kind, the provider's owner list and its update
// broadcast.
#include "ui/foundation/ZUDPToolTipProvider.h"

#include "tests/common/MessagePumpWin.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipCtrl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

// A tool record's text as the provider fills it; the record owns it.
struct ToolText {
    TOOLINFOA ti = {};
    ToolText() { ti.cbSize = sizeof(ti); }
    ~ToolText() { std::free(ti.lpszText); }
    std::string Text() const { return ti.lpszText != nullptr ? ti.lpszText : "(none)"; }
};

// A library tooltip that keeps the last title it was given (the system
// control does not answer its title back on every version).
class TitledTip : public CZUDPToolTipCtrl {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == TTM_SETTITLEA) {
            title = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            icon = wParam;
        }
        return CZUDPToolTipCtrl::WindowProc(message, wParam, lParam);
    }
    std::string title = "(never set)";
    WPARAM icon = 99;
};

TEST(ZUDPToolTipProviderTest, ToolTextsAndBalloonTitles)
{
    trovtest::InitFrameworkForTests();
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));

    // Without a provider: the text is copied and a library tooltip gets the
    // description; anything but a single kind leaves the record alone.
    TitledTip tip;
    ASSERT_TRUE(tip.Create(&owner, TTS_ALWAYSTIP | TTS_NOPREFIX));
    {
        ToolText t;
        CZUDPToolTipProvider::SetToolInfoText(&t.ti, &tip, TIPKIND_TOOLBAR, "Save", "Writes\tthe list");
        EXPECT_EQ("Save", t.Text());
        EXPECT_STREQ("Writes    the list", tip.GetDescription());
        ToolText none;
        CZUDPToolTipProvider::SetToolInfoText(&none.ti, &tip, 6, "Save", "x");
        EXPECT_EQ(nullptr, none.ti.lpszText);
    }

    CZUDPToolTipProvider provider;
    ZUDP_TOOLTIP_PARAMS balloon;
    balloon.values[TTPARAM_BALLOON] = 1;
    provider.SetKindParams(2, balloon, RUNTIME_CLASS(CZUDPToolTipCtrl));
    {
        // A balloon kind: the text becomes the title, the description the text.
        ToolText t;
        CZUDPToolTipProvider::SetToolInfoText(&t.ti, &tip, TIPKIND_TAB, "Save", "Writes the list");
        EXPECT_EQ("Writes the list", t.Text());
        EXPECT_EQ("Save", tip.title);
        EXPECT_EQ(1u, tip.icon);  // the info icon
        ToolText plain;
        CZUDPToolTipProvider::SetToolInfoText(&plain.ti, &tip, TIPKIND_TAB, "Open", "");
        EXPECT_EQ("Open", plain.Text());
        EXPECT_EQ("", tip.title);
        // Other kinds keep ordinary tips.
        ToolText other;
        CZUDPToolTipProvider::SetToolInfoText(&other.ti, &tip, TIPKIND_TOOLBAR, "Save", "Writes the list");
        EXPECT_EQ("Save", other.Text());
    }

    // A control of the library's class made for a kind carries its record.
    CToolTipCtrl* pMade = nullptr;
    ASSERT_TRUE(CZUDPToolTipProvider::CreateToolTipCtrl(pMade, &owner, TIPKIND_TAB));
    CZUDPToolTipCtrl* pLibrary = DYNAMIC_DOWNCAST(CZUDPToolTipCtrl, pMade);
    ASSERT_NE(nullptr, pLibrary);
    EXPECT_EQ(1, pLibrary->GetParams().values[TTPARAM_BALLOON]);
    EXPECT_NE(0u, pLibrary->GetStyle() & TTS_BALLOON);
    CZUDPToolTipProvider::DestroyToolTipCtrl(pMade);
    tip.DestroyWindow();
    owner.DestroyWindow();
}

} // namespace
