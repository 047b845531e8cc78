// The library's property sheet: the size and layout of the tree and list
// looks, the navigation following the active page both ways, a page that
// refuses to be left, and the wizard's owner-drawn buttons.
#include "ui/controls/ZUDPPropertySheet.h"
#include "ui/controls/ZUDPPropertyPage.h"

#include "framework/win/Controls.h"
#include "tests/common/DialogTemplateWin.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using trovtest::DialogTemplate;
using trovtest::InitFrameworkForTests;

namespace {

class CTestPage : public CZUDPPropertyPage {
public:
    explicit CTestPage(const char* title) : m_template(WS_CHILD | WS_CAPTION | DS_CONTROL, 160, 80, title)
    {
        m_template.AddControl("Button", "Option", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 80, 10, 3001);
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = m_template.Get();
    }
    BOOL m_allowLeave = TRUE;
    BOOL OnKillActive() override { return m_allowLeave && CZUDPPropertyPage::OnKillActive(); }

private:
    DialogTemplate m_template;
};

// A sheet of three pages in a look, made modeless.
struct SheetFixture {
    explicit SheetFixture(int look, BOOL visualManagerLook = TRUE) : sheet("Options")
    {
        for (const char* title : {"General", "Network", "Display"})
            pages.push_back(std::make_unique<CTestPage>(title));
        sheet.SetLook(look, 120);
        for (auto& page : pages)
            sheet.AddPage(page.get());
        sheet.SetVisualManagerLook(visualManagerLook);
    }
    ~SheetFixture()
    {
        if (sheet.m_hWnd != nullptr)
            sheet.DestroyWindow();
    }
    std::vector<std::unique_ptr<CTestPage>> pages;
    CZUDPPropertySheet sheet;
};

class PropertySheetLookTest : public ::testing::Test {
protected:
    void SetUp() override { InitFrameworkForTests(); }
};

TEST_F(PropertySheetLookTest, TreeAndListLooksWidenTheSheetAndKeepTheButtonsInTheCorner)
{
    SheetFixture plain(CZUDPPropertySheet::PropSheetLook_Tabs, FALSE);
    ASSERT_TRUE(plain.sheet.Create());
    CRect rectPlain;
    plain.sheet.GetWindowRect(&rectPlain);
    CRect rectTab;
    plain.sheet.GetTabControl()->GetItemRect(0, &rectTab);
    EXPECT_EQ(nullptr, plain.sheet.GetNavigationControl());   // look 0 adds nothing

    for (int look : {CZUDPPropertySheet::PropSheetLook_Tree, CZUDPPropertySheet::PropSheetLook_List}) {
        SCOPED_TRACE(look);
        SheetFixture f(look);
        ASSERT_TRUE(f.sheet.Create());
        ASSERT_NE(nullptr, f.sheet.GetNavigationControl());
        CRect rect;
        f.sheet.GetWindowRect(&rect);
        EXPECT_EQ(rectPlain.Width() + 120, rect.Width());
        EXPECT_EQ(rectPlain.Height() - rectTab.Height() + 10, rect.Height());

        CRect client;
        f.sheet.GetClientRect(&client);
        CRect rectCancel;
        f.sheet.GetDlgItem(IDCANCEL)->GetWindowRect(&rectCancel);
        f.sheet.ScreenToClient(&rectCancel);
        CRect rectApply;
        f.sheet.GetDlgItem(ID_APPLY_NOW)->GetWindowRect(&rectApply);
        f.sheet.ScreenToClient(&rectApply);
        EXPECT_EQ(client.bottom - 5, rectCancel.bottom);
        EXPECT_EQ(client.right - 5, rectApply.right);   // the last button of the row

        // The navigation lies at the left, the pages right of it.
        CRect rectNav;
        f.sheet.GetNavigationControl()->GetWindowRect(&rectNav);
        f.sheet.ScreenToClient(&rectNav);
        CRect rectPage;
        f.pages[0]->GetWindowRect(&rectPage);
        f.sheet.ScreenToClient(&rectPage);
        EXPECT_LE(rectNav.right, 120);
        EXPECT_GE(rectPage.left, 120);
    }
}

TEST_F(PropertySheetLookTest, TheTreeFollowsTheActivePageBothWays)
{
    SheetFixture f(CZUDPPropertySheet::PropSheetLook_Tree);
    f.sheet.m_psh.nStartPage = 1;
    ASSERT_TRUE(f.sheet.Create());
    CTreeCtrl& tree = f.sheet.GetNavigationTree();
    ASSERT_EQ(3u, tree.GetCount());
    EXPECT_EQ(1, f.sheet.GetActiveIndex());
    EXPECT_EQ(f.pages[1]->m_hTreeNode, tree.GetSelectedItem());

    // Code activates a page: its item is selected.
    EXPECT_TRUE(f.sheet.SetActivePage(2));
    EXPECT_EQ(f.pages[2]->m_hTreeNode, tree.GetSelectedItem());

    // An item is selected: its page becomes active.
    tree.SelectItem(f.pages[1]->m_hTreeNode);
    EXPECT_EQ(1, f.sheet.GetActiveIndex());

    // A page that refuses to be left keeps its item.
    f.pages[1]->m_allowLeave = FALSE;
    tree.SelectItem(f.pages[0]->m_hTreeNode);
    EXPECT_EQ(1, f.sheet.GetActiveIndex());
    EXPECT_EQ(f.pages[1]->m_hTreeNode, tree.GetSelectedItem());
}

TEST_F(PropertySheetLookTest, TheListFollowsTheActivePageBothWays)
{
    SheetFixture f(CZUDPPropertySheet::PropSheetLook_List);
    ASSERT_TRUE(f.sheet.Create());
    CZUDPListBox& list = f.sheet.GetNavigationList();
    ASSERT_EQ(3, list.GetCount());

    EXPECT_TRUE(f.sheet.SetActivePage(2));
    EXPECT_EQ(2, list.GetCurSel());

    auto choose = [&](int item) {
        list.SetCurSel(item);
        f.sheet.SendMessage(WM_COMMAND, MAKEWPARAM(CZUDPPropertySheet::kListId, LBN_SELCHANGE), (LPARAM)list.m_hWnd);
    };
    choose(0);
    EXPECT_EQ(0, f.sheet.GetActiveIndex());
    f.pages[0]->m_allowLeave = FALSE;
    choose(1);
    EXPECT_EQ(0, f.sheet.GetActiveIndex());
    EXPECT_EQ(0, list.GetCurSel());

    // A page added later gets its item.
    CTestPage extra("Extra");
    f.sheet.AddPage(&extra);
    EXPECT_EQ(4, list.GetCount());
}

TEST_F(PropertySheetLookTest, TheLibraryTabWindowReplacesTheTabRowAndFollowsThePages)
{
    struct Case {
        const char* what;
        int look;
        BOOL visualManagerLook;
        bool tabWindow;
        bool slanted;
    } cases[] = {
        {"look 0 in the visual-manager look: three-dimensional tabs", CZUDPPropertySheet::PropSheetLook_Tabs, TRUE,
         true, false},
        {"look 3: slanted tabs", CZUDPPropertySheet::PropSheetLook_OneNoteTabs, TRUE, true, true},
        {"look 3 without the visual-manager look", CZUDPPropertySheet::PropSheetLook_OneNoteTabs, FALSE, true, true},
        {"look 0 without the visual-manager look: the standard tabs", CZUDPPropertySheet::PropSheetLook_Tabs, FALSE,
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SheetFixture f(c.look, c.visualManagerLook);
        f.sheet.m_psh.nStartPage = 1;
        ASSERT_TRUE(f.sheet.Create());
        CZUDPPropSheetTab& tabs = f.sheet.GetNavigationTab();
        if (!c.tabWindow) {
            EXPECT_EQ(nullptr, f.sheet.GetNavigationControl());
            EXPECT_EQ(nullptr, tabs.GetSafeHwnd());
            EXPECT_TRUE(f.sheet.GetTabControl()->IsWindowVisible());
            continue;
        }
        ASSERT_EQ(&tabs, f.sheet.GetNavigationControl());
        EXPECT_EQ(c.slanted, tabs.IsStyleCode4() != FALSE);
        EXPECT_EQ(CZUDPPropertySheet::kTabId, tabs.GetDlgCtrlID());
        EXPECT_EQ(TabLocationTop, tabs.GetTabLocation());
        EXPECT_FALSE(f.sheet.GetTabControl()->IsWindowVisible());
        ASSERT_EQ(3, tabs.GetTabCount());
        CString label;
        tabs.GetTabLabelText(2, label);
        EXPECT_STREQ("Display", label);
        EXPECT_FALSE(tabs.IsTabDetachable(0));
        // The page the sheet started on is the active tab, shown in the tab
        // window's page area.
        EXPECT_EQ(1, tabs.GetActiveTabIndex());
        auto pageInArea = [&](int page) {
            CRect area, rectPage;
            tabs.GetWndArea(area);
            tabs.ClientToScreen(&area);
            f.pages[size_t(page)]->GetWindowRect(&rectPage);
            EXPECT_EQ(area, rectPage) << "page " << page;
            EXPECT_TRUE(f.pages[size_t(page)]->IsWindowVisible()) << "page " << page;
        };
        pageInArea(1);

        // A click on a tab activates its page; a page chosen by code
        // activates its tab.
        CRect rectTab;
        tabs.GetTabRectAt(2, rectTab);
        tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectTab.CenterPoint().x, rectTab.CenterPoint().y));
        tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rectTab.CenterPoint().x, rectTab.CenterPoint().y));
        EXPECT_EQ(2, f.sheet.GetActiveIndex());
        pageInArea(2);
        EXPECT_TRUE(f.sheet.SetActivePage(0));
        EXPECT_EQ(0, tabs.GetActiveTabIndex());
        pageInArea(0);
        // A page that refuses to be left keeps its tab.
        f.pages[0]->m_allowLeave = FALSE;
        EXPECT_FALSE(tabs.ActivateTab(1));
        EXPECT_EQ(0, tabs.GetActiveTabIndex());
        EXPECT_EQ(0, f.sheet.GetActiveIndex());
        f.pages[0]->m_allowLeave = TRUE;
    }
}

// The wizard's buttons as the themed button makes them: owner-drawn.
class COwnerDrawnWizard : public CZUDPPropertySheet {
public:
    COwnerDrawnWizard() : CZUDPPropertySheet("Wizard") {}
    BOOL OnInitDialog() override
    {
        BOOL bResult = CZUDPPropertySheet::OnInitDialog();
        for (UINT id : {ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH}) {
            HWND hButton = ::GetDlgItem(m_hWnd, (int)id);
            if (hButton != nullptr)
                ::SetWindowLongPtrA(hButton, GWL_STYLE, (::GetWindowLongPtrA(hButton, GWL_STYLE) & ~0xF) | BS_OWNERDRAW);
        }
        RememberOwnerDrawnButtons();
        return bResult;
    }
};

TEST_F(PropertySheetLookTest, WizardButtonsStayOwnerDrawnAfterTheSheetChangesThem)
{
    CTestPage first("Step 1");
    CTestPage second("Step 2");
    COwnerDrawnWizard wizard;
    wizard.SetLook(CZUDPPropertySheet::PropSheetLook_Wizard);
    wizard.AddPage(&first);
    wizard.AddPage(&second);
    wizard.SetVisualManagerLook(TRUE);
    ASSERT_TRUE(wizard.Create());
    EXPECT_EQ(nullptr, wizard.GetNavigationControl());

    wizard.SetWizardButtons(PSWIZB_NEXT);   // posted, as the sheet's own call is
    trovtest::PumpPending();
    for (UINT id : {ID_WIZBACK, ID_WIZNEXT}) {
        SCOPED_TRACE(id);
        HWND hButton = ::GetDlgItem(wizard.m_hWnd, (int)id);
        ASSERT_NE(nullptr, hButton);
        EXPECT_EQ((LONG_PTR)BS_OWNERDRAW, ::GetWindowLongPtrA(hButton, GWL_STYLE) & 0xF);
    }
    wizard.DestroyWindow();
}

} // namespace
