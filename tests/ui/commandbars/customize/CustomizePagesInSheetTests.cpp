// The Keyboard and Tools pages inside the library's customization sheet:
// the sheet makes them, and they read its catalogue and ask its hooks.
#include "framework/Seam.h"
#include "framework/win/Accelerators.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestSupport.h"
#include "ui/commandbars/customize/ZUDPKeyboardPage.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"
#include "ui/commandbars/customize/ZUDPToolsPage.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kSheetCmdOpen = 33101, kSheetCmdSave = 33102, kSheetCmdPrint = 33103;

class CInSheetCustomize : public CZUDPToolbarCustomize {
public:
    explicit CInSheetCustomize(CFrameWnd* pFrame) : CZUDPToolbarCustomize(pFrame, TRUE, 0) {}
    BOOL OnAssignKey(ACCEL* pAccel) override
    {
        assigned.push_back(*pAccel);
        return TRUE;
    }
    BOOL CheckToolsValidity(const CObList&) override { return toolsValid; }
    std::vector<ACCEL> assigned;
    BOOL toolsValid = TRUE;
};

class PagesInSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_frame.CreateEx(0, AfxRegisterWndClass(0), "Customized", WS_OVERLAPPEDWINDOW,
                                     CRect(0, 0, 500, 300), nullptr, 0));
        HMENU hFile = ::CreatePopupMenu();
        ::AppendMenuA(hFile, MF_STRING, kSheetCmdOpen, "&Open\tCtrl+O");
        ::AppendMenuA(hFile, MF_STRING, kSheetCmdSave, "&Save");
        HMENU hPrint = ::CreatePopupMenu();
        ::AppendMenuA(hPrint, MF_STRING, kSheetCmdPrint, "&Open");   // the same text as File's Open
        m_hMenu = ::CreateMenu();
        ::AppendMenuA(m_hMenu, MF_POPUP, UINT_PTR(hFile), "&File");
        ::AppendMenuA(m_hMenu, MF_POPUP, UINT_PTR(hPrint), "&Printer");
        m_frame.m_hMenuDefault = m_hMenu;
        const ACCEL open = {FVIRTKEY | FCONTROL, 'O', WORD(kSheetCmdOpen)};
        m_frame.m_hAccelTable = AfxCreateAcceleratorTable(&open, 1);
        m_sheet = new CInSheetCustomize(&m_frame);
        ASSERT_TRUE(m_sheet->Create());
        trovtest::PumpPending();
    }
    void TearDown() override
    {
        if (g_customizeSheet != nullptr)
            g_customizeSheet->DestroyWindow();   // the sheet deletes itself
        m_frame.m_hMenuDefault = nullptr;
        ::DestroyMenu(m_hMenu);
        m_frame.DestroyWindow();
    }

    toolbartest::ToolbarStateGuard m_state;
    CZUDPKeyboardManager m_keyboard;
    CZUDPUserToolsManager m_tools{33500, 33509};
    CFrameWnd m_frame;
    HMENU m_hMenu = nullptr;
    CInSheetCustomize* m_sheet = nullptr;
};

TEST_F(PagesInSheetTest, TheKeyboardPageWorksOnTheSheetsCatalogue)
{
    auto* pPage = dynamic_cast<CZUDPKeyboardPage*>(m_sheet->GetKeyboardPage());
    ASSERT_NE(nullptr, pPage);
    ASSERT_TRUE(m_sheet->SetActivePage(pPage));
    trovtest::PumpPending();
    // The sheet's categories, "All Commands" last; there the commands go
    // by their menu paths.
    CComboBox& categories = pPage->m_wndCategoryList;
    ASSERT_GE(categories.GetCount(), 3);
    CString last;
    categories.GetLBText(categories.GetCount() - 1, last);
    EXPECT_STREQ("All Commands", last);
    trovtest::SelectComboItem(categories, categories.GetCount() - 1);
    EXPECT_GE(pPage->m_wndCommandsList.FindStringExact(-1, "FileOpen"), 0);
    EXPECT_GE(pPage->m_wndCommandsList.FindStringExact(-1, "PrinterOpen"), 0);

    // A taken key names its owner from the catalogue; a free one is given
    // to the command through the sheet's hook.
    trovtest::SelectListItem(pPage->m_wndCommandsList, pPage->m_wndCommandsList.FindStringExact(-1, "FileSave"));
    auto key = [&](UINT message, UINT vk) {
        MSG msg = {pPage->m_wndNewKey.GetSafeHwnd(), message, vk, 0, 0, {0, 0}};
        pPage->m_wndNewKey.PreTranslateMessage(&msg);
    };
    key(WM_LBUTTONDOWN, 0);
    key(WM_KEYDOWN, VK_CONTROL);
    key(WM_KEYDOWN, 'O');
    CString owner;
    pPage->GetDlgItem(16527)->GetWindowText(owner);
    EXPECT_STREQ("Open", owner);
    key(WM_KEYDOWN, 'S');   // a new press starts over: S alone
    key(WM_KEYUP, VK_CONTROL);
    key(WM_KEYDOWN, VK_CONTROL);
    key(WM_KEYDOWN, 'S');
    ASSERT_TRUE(pPage->m_wndAssignButton.IsWindowEnabled());
    trovtest::Click(pPage->m_wndAssignButton);
    ASSERT_EQ(1u, m_sheet->assigned.size());
    EXPECT_EQ(WORD(kSheetCmdSave), m_sheet->assigned[0].cmd);
    EXPECT_EQ(2u, AfxCopyAcceleratorTable(m_frame.GetDefaultAccelerator()).size());
}

TEST_F(PagesInSheetTest, TheToolsPageAsksTheSheetBeforeItIsLeft)
{
    auto* pPage = dynamic_cast<CZUDPToolsPage*>(m_sheet->GetToolsPage());
    ASSERT_NE(nullptr, pPage);
    ASSERT_TRUE(m_sheet->SetActivePage(pPage));
    m_sheet->toolsValid = FALSE;
    EXPECT_FALSE(m_sheet->SetActivePage(0));
    EXPECT_EQ(pPage, m_sheet->GetActivePage());
    m_sheet->toolsValid = TRUE;
    EXPECT_TRUE(m_sheet->SetActivePage(0));
}

} // namespace
