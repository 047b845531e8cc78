// Property sheets and pages: pages attached when the sheet makes them, the
// sheet's notifications as the pages' virtual calls, modal, modeless and
// child sheets, pages added before and after creation.
#include "framework/win/PropertySheet.h"
#include "framework/win/Controls.h"
#include "tests/common/DialogTemplateWin.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using trovtest::DialogTemplate;
using trovtest::InitFrameworkForTests;
using trovtest::PumpUntil;

namespace {

// A page from a template in memory that counts the sheet's notifications.
class CCountingPage : public CPropertyPage {
public:
    explicit CCountingPage(const char* title) : m_template(WS_CHILD | WS_CAPTION | DS_CONTROL, 160, 80, title)
    {
        m_template.AddControl("Edit", "", WS_BORDER | WS_TABSTOP, 10, 10, 80, 12, 2001);
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = m_template.Get();
    }
    int m_init = 0;
    int m_setActive = 0;
    int m_killActive = 0;
    int m_apply = 0;
    BOOL m_allowLeave = TRUE;
    std::function<void(CCountingPage&)> m_onFirstActive;

    BOOL OnInitDialog() override
    {
        ++m_init;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        if (++m_setActive == 1 && m_onFirstActive)
            m_onFirstActive(*this);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        ++m_killActive;
        return m_allowLeave && CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        ++m_apply;
        return CPropertyPage::OnApply();
    }

private:
    DialogTemplate m_template;
};

TEST(PropertySheetTest, AModalSheetEndsWithTheButtonAndAppliesItsPages)
{
    InitFrameworkForTests();
    CCountingPage first("First");
    CCountingPage second("Second");
    EXPECT_EQ(sizeof(PROPSHEETPAGEA), first.m_psp.dwSize);
    first.m_onFirstActive = [](CCountingPage& page) { page.GetParent()->PostMessage(PSM_PRESSBUTTON, PSBTN_OK); };
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(1, first.m_init);
    EXPECT_EQ(0, second.m_init);   // never shown, never made
    EXPECT_EQ(1, first.m_apply);
    EXPECT_EQ(nullptr, sheet.m_hWnd);

    CCountingPage only("Only");
    only.m_onFirstActive = [](CCountingPage& page) { page.GetParent()->PostMessage(PSM_PRESSBUTTON, PSBTN_CANCEL); };
    CPropertySheet cancelled("Sheet");
    cancelled.AddPage(&only);
    EXPECT_EQ(IDCANCEL, cancelled.DoModal());
    EXPECT_EQ(0, only.m_apply);
}

TEST(PropertySheetTest, PagesFollowActivationAndARefusingPageKeepsTheFocus)
{
    InitFrameworkForTests();
    CCountingPage first("First");
    CCountingPage second("Second");
    CPropertySheet sheet("Sheet", nullptr, 1);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_EQ(1, sheet.GetActiveIndex());   // before creation: the start page
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_EQ(&second, sheet.GetActivePage());
    EXPECT_EQ(&second, CWnd::FromHandlePermanent(second.m_hWnd));   // attached when made
    ASSERT_NE(nullptr, sheet.GetTabControl());
    EXPECT_EQ(2, sheet.GetTabControl()->GetItemCount());

    EXPECT_TRUE(sheet.SetActivePage(0));
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_EQ(1, second.m_killActive);
    EXPECT_EQ(1, first.m_setActive);

    first.m_allowLeave = FALSE;
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(0, sheet.GetActiveIndex());

    // A page added after creation gets its tab and can be shown.
    first.m_allowLeave = TRUE;
    CCountingPage third("Third");
    sheet.AddPage(&third);
    EXPECT_EQ(3, sheet.GetPageCount());
    EXPECT_EQ(3, sheet.GetTabControl()->GetItemCount());
    EXPECT_STREQ("Third", sheet.GetTabControl()->GetItemText(2));
    EXPECT_TRUE(sheet.SetActivePage(&third));
    EXPECT_EQ(2, sheet.GetActiveIndex());
    EXPECT_EQ(1, third.m_init);
    sheet.DestroyWindow();
}

TEST(PropertySheetTest, AChildSheetLiesInsideItsDialog)
{
    InitFrameworkForTests();
    DialogTemplate host(WS_POPUP | WS_CAPTION, 260, 180, "Host");
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(host.Get()));
    CCountingPage page("Embedded");
    CPropertySheet sheet;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(&dialog, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CONTROLPARENT));
    EXPECT_EQ(dialog.m_hWnd, ::GetParent(sheet.m_hWnd));
    EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);
    EXPECT_FALSE(sheet.GetStyle() & WS_CAPTION);
    EXPECT_TRUE(sheet.GetExStyle() & WS_EX_CONTROLPARENT);
    EXPECT_EQ(1, page.m_init);
    sheet.DestroyWindow();
    dialog.DestroyWindow();
}

TEST(PropertySheetTest, TheTemplateStyleIsRewrittenInBothTemplateForms)
{
    const DWORD kOriginal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
    struct Case {
        bool extended;
        DWORD style;
        DWORD expectedStyle;
        DWORD expectedExAdded;
    };
    const Case cases[] = {
        {false, WS_CHILD | WS_VISIBLE, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT | DS_3DLOOK, WS_EX_CONTROLPARENT},
        {true, WS_CHILD | WS_VISIBLE, WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT | DS_3DLOOK, WS_EX_CONTROLPARENT},
        {false, WS_POPUP | WS_CAPTION, WS_POPUP | WS_CAPTION | DS_SETFONT | DS_3DLOOK, 0},
        {true, (DWORD)-1, kOriginal, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extended);
        BYTE block[64] = {};
        DWORD* pStyle;
        DWORD* pExStyle;
        if (c.extended) {
            WORD head[2] = {1, 0xFFFF};
            std::memcpy(block, head, sizeof(head));
            pExStyle = reinterpret_cast<DWORD*>(block + 8);
            pStyle = reinterpret_cast<DWORD*>(block + 12);
        } else {
            pStyle = reinterpret_cast<DWORD*>(block);
            pExStyle = reinterpret_cast<DWORD*>(block + 4);
        }
        *pStyle = kOriginal;
        *pExStyle = WS_EX_DLGMODALFRAME;
        AfxSetSheetTemplateStyle(block, c.style, 0);
        EXPECT_EQ(c.expectedStyle, *pStyle);
        EXPECT_EQ(c.expectedExAdded, *pExStyle & WS_EX_CONTROLPARENT);
    }
}

} // namespace
