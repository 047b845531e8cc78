// Editing an appointment's description in place: the keys and the loss of
// focus that end the edit, what reaches the planner control, and a refused
// change.
#include <gtest/gtest.h>

#include "framework/win/WinApp.h"
#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPAppointmentEdit.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

// The control's parent: counts the update messages and refuses changes
// when asked.
class CInPlaceEditParent : public CWnd {
public:
    int m_beforeUpdate = 0;
    int m_updated = 0;
    LRESULT m_beforeUpdateReply = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT) {
            ++m_beforeUpdate;
            return m_beforeUpdateReply;
        }
        if (message == ZUDP_PLANNER_UPDATE_APPOINTMENT) {
            ++m_updated;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class AppointmentEditTest : public PlannerViewTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "planner parent", WS_POPUP, 0, 0, 500, 600,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 600), &m_parent, 100));
        m_planner.m_pCurrentView = &m_day;
        m_day.OnActivate(&m_planner, nullptr);
        Show(kWednesday, 1);
        m_app = Add(Date(2024, 5, 8, 10, 0), Date(2024, 5, 8, 11, 0), "Review");
        m_planner.SelectAppointment(m_app, TRUE, FALSE);
        m_app->SetEditRect(CRect(60, 100, 300, 124));
    }
    void TearDown() override
    {
        m_day.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = nullptr;
        RemoveAll();
        m_planner.DestroyWindow();
        m_parent.DestroyWindow();
    }
    // Opens the editor and types the text into it.
    HWND Open(const char* text)
    {
        EXPECT_TRUE(m_app->BeginEditing(&m_planner));
        CZUDPAppointmentEdit* pEdit = m_app->GetEditControl();
        if (pEdit == nullptr)
            return nullptr;
        EXPECT_EQ(pEdit->GetSafeHwnd(), ::GetDlgItem(m_planner.GetSafeHwnd(), 2));
        pEdit->SetWindowText(text);
        return pEdit->GetSafeHwnd();
    }
    // A keyboard message as the message loop hands it to pre-translation.
    static BOOL Key(HWND hEdit, UINT message, WPARAM key)
    {
        MSG msg = {hEdit, message, key, 0, 0, {0, 0}};
        return AfxPreTranslateMessage(&msg);
    }
    void ExpectClosed(HWND hEdit)
    {
        EXPECT_EQ(nullptr, m_app->GetEditControl());
        EXPECT_FALSE(::IsWindow(hEdit));
        EXPECT_EQ(nullptr, ::GetDlgItem(m_planner.GetSafeHwnd(), 2));
    }

    CInPlaceEditParent m_parent;
    CZUDPAppointment* m_app = nullptr;
    LONG m_exceptionsBefore = AfxGetWndProcExceptionCount();
};

} // namespace

TEST_F(AppointmentEditTest, KeysThatEndTheEditTakeOrDropTheText)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM key;
        const char* description;   // afterwards
    } cases[] = {
        {"Escape keeps the description", WM_KEYDOWN, VK_ESCAPE, "Review"},
        {"Enter takes the text", WM_KEYDOWN, VK_RETURN, "Changed"},
        {"Tab takes the text", WM_KEYDOWN, VK_TAB, "Changed"},
        {"a key released", WM_KEYUP, VK_RETURN, "Changed"},
        {"a character", WM_CHAR, VK_RETURN, "Changed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_app->SetDescription("Review");
        HWND hEdit = Open("Changed");
        ASSERT_NE(nullptr, hEdit);
        EXPECT_TRUE(Key(hEdit, c.message, c.key));
        ExpectClosed(hEdit);
        EXPECT_EQ(CString(c.description), m_app->GetDescription());
    }
    // Other keys go to the edit.
    HWND hEdit = Open("Typing");
    EXPECT_FALSE(Key(hEdit, WM_KEYDOWN, 'A'));
    EXPECT_EQ(hEdit, m_app->GetEditControl()->GetSafeHwnd());
    EXPECT_TRUE(Key(hEdit, WM_KEYDOWN, VK_ESCAPE));
}

TEST_F(AppointmentEditTest, LosingTheFocusCommitsTheTextFromInsideTheEditsOwnNotification)
{
    HWND hEdit = Open("Moved to Friday");
    // The edit tells its parent while it handles its own loss of focus; the
    // reflected notification ends the edit and deletes it there.
    ::SendMessage(hEdit, WM_KILLFOCUS, 0, 0);
    ExpectClosed(hEdit);
    EXPECT_EQ(CString("Moved to Friday"), m_app->GetDescription());
    EXPECT_EQ(1, m_parent.m_updated);
    EXPECT_EQ(0, AfxGetWndProcExceptionCount() - m_exceptionsBefore);
}

TEST_F(AppointmentEditTest, TheSameTextTellsTheControlNothingAndARefusedChangePutsTheTextBack)
{
    HWND hEdit = Open("Review");
    EXPECT_TRUE(Key(hEdit, WM_KEYDOWN, VK_RETURN));
    ExpectClosed(hEdit);
    EXPECT_EQ(0, m_parent.m_beforeUpdate);
    EXPECT_EQ(0, m_parent.m_updated);

    m_parent.m_beforeUpdateReply = -1;
    hEdit = Open("Refused");
    EXPECT_TRUE(Key(hEdit, WM_KEYDOWN, VK_RETURN));
    ExpectClosed(hEdit);
    EXPECT_EQ(1, m_parent.m_beforeUpdate);
    EXPECT_EQ(0, m_parent.m_updated);
    EXPECT_EQ(CString("Review"), m_app->GetDescription());
}
