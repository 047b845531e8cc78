// The Menu page: the menu bar shows the menu chosen on the page and goes
// back to its own when the page closes, resets ask first, a context menu
// preview stays where the user left it, the animation option, and a bar
// destroyed while the page is open.
#include "framework/Seam.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestResources.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestSupport.h"
#include "tests/ui/commandbars/MenuBarTestResources.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/customize/ZUDPMenuPage.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CMenuResetFrame : public CZUDPMDIFrameWnd {
public:
    std::vector<std::pair<UINT, WPARAM>> resets;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDTOOLBAR_RESETMENU || message == ZUDTOOLBAR_RESETCONTEXTMENU) {
            resets.push_back({message, wParam});
            return 0;
        }
        return CZUDPMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class MenuPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        m_savedAnimation = g_menuAnimation;
        m_savedShadows = g_menuShadows;
        g_menuAnimation = 0;
        m_template = new CMultiDocTemplate(IDR_TEST_DOC_MENU);
        m_app.AddDocTemplate(m_template);
        ASSERT_NE(nullptr, m_template->m_hMenuShared);
        ASSERT_TRUE(m_frame.Create(nullptr, "Menu page test", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 400), nullptr,
                                   MAKEINTRESOURCEA(IDR_TEST_MAIN_MENU)));
        m_frame.m_nIDResource = IDR_TEST_MAIN_MENU;
        m_bar = std::make_unique<CZUDPMenuBar>();
        ASSERT_TRUE(m_bar->CreateBar(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1));
        m_bar->SetWindowPos(nullptr, 0, 0, 640, 24, SWP_NOZORDER | SWP_NOACTIVATE);
        m_app.m_pMainWnd = &m_frame;
        m_contextMenus.AddMenu("Machine", IDR_TEST_CONTEXT_MENU);
        m_host.flags = 0x001 | 0x008;
    }
    void TearDown() override
    {
        m_sheet.DestroyWindow();
        m_page.reset();
        if (m_bar)
            m_bar->DestroyWindow();
        m_frame.DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        g_menuAnimation = m_savedAnimation;
        g_menuShadows = m_savedShadows;
    }
    void Open(BOOL bAutoSet = TRUE)
    {
        m_page = std::make_unique<CZUDPMenuPage>(&m_frame, bAutoSet);
        m_page->SetCustomizeHost(&m_host);
        m_sheet.AddPage(m_page.get());
        ASSERT_TRUE(m_sheet.Open());
    }
    int Item(CComboBox& combo, const char* text) { return combo.FindStringExact(-1, text); }
    // The bar's first title.
    CString FirstTitle() const { return m_bar->GetCount() > 0 ? m_bar->GetButtonAt(0)->text : CString(); }

    CWinApp m_app{"MenuPage"};
    CMultiDocTemplate* m_template = nullptr;   // owned by the application
    CMenuResetFrame m_frame;
    std::unique_ptr<CZUDPMenuBar> m_bar;
    CZUDPContextMenuManager m_contextMenus;
    trovtest::TestCustomizeHost m_host;
    trovtest::TestSheet m_sheet;
    std::unique_ptr<CZUDPMenuPage> m_page;
    int m_savedAnimation = 0;
    BOOL m_savedShadows = TRUE;
};

TEST_F(MenuPageTest, TheBarShowsTheMenuChosenAndGoesBackWhenThePageCloses)
{
    Open();
    ASSERT_EQ(2, m_page->m_wndMenuesList.GetCount());
    const int iDoc = Item(m_page->m_wndMenuesList, "Machine list");
    const int iDefault = Item(m_page->m_wndMenuesList, "Default Menu");
    ASSERT_GE(iDoc, 0);
    ASSERT_GE(iDefault, 0);
    EXPECT_EQ(iDefault, m_page->m_wndMenuesList.GetCurSel());
    HMENU hDefault = m_bar->GetDefaultMenu();
    EXPECT_EQ(hDefault, m_page->GetCurrentMenu());

    trovtest::SelectComboItem(m_page->m_wndMenuesList, iDoc);
    EXPECT_EQ(m_template->m_hMenuShared, m_bar->GetMenu());
    EXPECT_EQ(m_template->m_hMenuShared, m_page->GetSelectedMenu());
    CString description;
    m_page->GetDlgItem(16506)->GetWindowText(description);
    EXPECT_STREQ("Machine list file", description);

    m_sheet.DestroyWindow();
    EXPECT_EQ(hDefault, m_bar->GetMenu());
}

TEST_F(MenuPageTest, WithoutTemplatesOnlyTheDefaultMenuIsOffered)
{
    Open(FALSE);
    ASSERT_EQ(1, m_page->m_wndMenuesList.GetCount());
    EXPECT_EQ(0, m_page->m_wndMenuesList.GetCurSel());
    CString description;
    m_page->GetDlgItem(16506)->GetWindowText(description);
    EXPECT_STREQ("Default application menu. Appears when no documents are open.", description);
}

TEST_F(MenuPageTest, AFrameWithoutAMenuBarCannotCustomizeMenus)
{
    m_bar->DestroyWindow();
    m_bar.reset();
    Open();
    EXPECT_FALSE(m_page->m_wndMenuesList.IsWindowEnabled());
    EXPECT_FALSE(m_page->GetDlgItem(16624)->IsWindowEnabled());
    CString description;
    m_page->GetDlgItem(16506)->GetWindowText(description);
    EXPECT_STREQ("Can't customize menues!", description);
}

TEST_F(MenuPageTest, ADestroyedBarIsForgottenAndNeverTouched)
{
    Open();
    ASSERT_EQ(m_bar.get(), m_page->GetMenuBar());
    m_bar->DestroyWindow();
    m_bar.reset();   // the object is gone, its memory free
    EXPECT_EQ(nullptr, m_page->GetMenuBar());
    // Every use of the bar after that is skipped, closing the page too.
    trovtest::SelectComboItem(m_page->m_wndMenuesList, 0);
    int asked = 0;
    ScopedSeam box(g_frameworkSeams.messageBox, [&](HWND, const char*, const char*, UINT) {
        ++asked;
        return IDYES;
    });
    trovtest::Click(*m_page->GetDlgItem(16624));
    EXPECT_EQ(0, asked);
    m_sheet.DestroyWindow();
}

TEST_F(MenuPageTest, ResetAsksFirstThenReloadsTheDocumentMenu)
{
    Open();
    const int iDoc = Item(m_page->m_wndMenuesList, "Machine list");
    trovtest::SelectComboItem(m_page->m_wndMenuesList, iDoc);
    HMENU hOld = m_template->m_hMenuShared;
    int answer = IDNO;
    CString prompt;
    ScopedSeam box(g_frameworkSeams.messageBox, [&](HWND, const char* text, const char*, UINT) {
        prompt = text;
        return answer;
    });
    trovtest::Click(*m_page->GetDlgItem(16624));
    EXPECT_STREQ("All your changes will be lost! Do you really want to reset the menu 'Machine list'?", prompt);
    EXPECT_EQ(hOld, m_template->m_hMenuShared);
    EXPECT_TRUE(m_frame.resets.empty());

    answer = IDYES;
    trovtest::Click(*m_page->GetDlgItem(16624));
    EXPECT_NE(hOld, m_template->m_hMenuShared);
    EXPECT_FALSE(::IsMenu(hOld));
    ASSERT_EQ(1u, m_frame.resets.size());
    EXPECT_EQ(UINT(ZUDTOOLBAR_RESETMENU), m_frame.resets[0].first);
    EXPECT_EQ(WPARAM(IDR_TEST_DOC_MENU), m_frame.resets[0].second);
}

TEST_F(MenuPageTest, AContextPreviewOpensAndKeepsItsPosition)
{
    CZUDPMenuPage::ContextMenuPosition() = CPoint(100, 100);
    Open();
    ASSERT_EQ(2, m_page->m_wndContextMenus.GetCount());
    EXPECT_TRUE(m_page->m_wndContextMenus.IsWindowEnabled());
    const int iMachine = Item(m_page->m_wndContextMenus, "Machine");
    trovtest::SelectComboItem(m_page->m_wndContextMenus, iMachine);
    CZUDPPopupMenu* pPopup = m_page->GetContextMenu();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(m_page->m_wndResetMenuButton.IsWindowEnabled());
    CRect rect;
    pPopup->GetWindowRect(&rect);
    EXPECT_EQ(CPoint(100, 100), rect.TopLeft());
    EXPECT_EQ(2, pPopup->GetMenuBar()->GetCount());

    // The user moves it and closes it: the next preview opens there.
    pPopup->SetWindowPos(nullptr, 180, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pPopup->SendMessage(WM_CLOSE);
    trovtest::PumpPending();
    EXPECT_EQ(nullptr, m_page->GetContextMenu());
    EXPECT_EQ(CPoint(180, 140), CZUDPMenuPage::ContextMenuPosition());
    EXPECT_FALSE(m_page->m_wndResetMenuButton.IsWindowEnabled());

    trovtest::SelectComboItem(m_page->m_wndContextMenus, iMachine);
    ASSERT_NE(nullptr, m_page->GetContextMenu());
    m_page->GetContextMenu()->GetWindowRect(&rect);
    EXPECT_EQ(CPoint(180, 140), rect.TopLeft());
    // The line of dashes closes it.
    trovtest::SelectComboItem(m_page->m_wndContextMenus, Item(m_page->m_wndContextMenus, std::string(91, '-').c_str()));
    trovtest::PumpPending();
    EXPECT_EQ(nullptr, m_page->GetContextMenu());
}

TEST_F(MenuPageTest, TheDefaultAnimationIsStoredAs999AndShownAgain)
{
    Open();
    EXPECT_TRUE(m_page->m_wndMenuAnimations.IsWindowVisible());
    ASSERT_EQ(5, m_page->m_wndMenuAnimations.GetCount());
    trovtest::SelectComboItem(m_page->m_wndMenuAnimations, 4);
    m_page->m_wndMenuShadows.SetCheck(BST_CHECKED);
    m_sheet.DestroyWindow();
    EXPECT_EQ(999, g_menuAnimation);
    EXPECT_TRUE(g_menuShadows);

    trovtest::TestSheet again;
    CZUDPMenuPage page(&m_frame, TRUE);
    page.SetCustomizeHost(&m_host);
    again.AddPage(&page);
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(4, page.m_wndMenuAnimations.GetCurSel());
    trovtest::SelectComboItem(page.m_wndMenuAnimations, 2);
    again.DestroyWindow();
    EXPECT_EQ(2, g_menuAnimation);
}

} // namespace
