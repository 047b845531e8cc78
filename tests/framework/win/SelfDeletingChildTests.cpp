// A child control that destroys and deletes itself from inside its own
// reflected notification or its own PreTranslateMessage (an in-place
// editor ends that way): the framework's paths back out of those handlers
// must not touch the deleted object.  Deleted objects are filled with a
// pattern and kept, so any later use of them shows.
#include "framework/win/Controls.h"
#include "framework/win/WinApp.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using trovtest::InitFrameworkForTests;

namespace {

std::vector<void*> g_parkedChildren;

// Ends itself on EN_KILLFOCUS (reflected from the parent) and on Enter
// (pre-translated), the way an in-place editor does.
class CSelfDeletingEdit : public CEdit {
public:
    static void* operator new(size_t size) { return ::operator new(size); }
    // Poisoned and parked instead of freed: a virtual call through the
    // object afterwards jumps through garbage, a field read sees 0xDD.
    static void operator delete(void* p, size_t size)
    {
        std::memset(p, 0xDD, size);
        g_parkedChildren.push_back(p);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
            End();
            return m_answerAfterDelete;
        }
        return FALSE;
    }

    static int s_ended;
    BOOL m_answerAfterDelete = TRUE;

protected:
    void OnKillFocus() { End(); }
    void End()
    {
        ++s_ended;
        DestroyWindow();
        delete this;
    }
    DECLARE_MESSAGE_MAP()
};
int CSelfDeletingEdit::s_ended = 0;

BEGIN_MESSAGE_MAP(CSelfDeletingEdit, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, &CSelfDeletingEdit::OnKillFocus)
END_MESSAGE_MAP()

class SelfDeletingChildTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFrameworkForTests();
        CSelfDeletingEdit::s_ended = 0;
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200, nullptr,
                                      nullptr));
        m_child = new CSelfDeletingEdit;
        ASSERT_TRUE(m_child->Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 200, 30), &m_parent, 2));
        m_hChild = m_child->GetSafeHwnd();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hChild))
            delete m_child;   // the test failed before the child ended itself
        m_parent.DestroyWindow();
        for (void* p : g_parkedChildren)
            ::operator delete(p);
        g_parkedChildren.clear();
    }
    void ExpectEndedOnce()
    {
        EXPECT_EQ(1, CSelfDeletingEdit::s_ended);
        EXPECT_FALSE(::IsWindow(m_hChild));
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(m_hChild));
        EXPECT_EQ(0, AfxGetWndProcExceptionCount() - m_exceptionsBefore);
    }

    CWnd m_parent;
    CSelfDeletingEdit* m_child = nullptr;
    HWND m_hChild = nullptr;
    LONG m_exceptionsBefore = AfxGetWndProcExceptionCount();
};

} // namespace

TEST_F(SelfDeletingChildTest, AReflectedNotificationMayDeleteTheChildThatHandlesIt)
{
    // The notification as the parent receives it, and the edit's own loss
    // of focus, in the middle of which the edit sends it.
    struct Case {
        const char* name;
        bool throughTheEdit;
    } cases[] = {{"EN_KILLFOCUS to the parent", false}, {"WM_KILLFOCUS to the edit", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.throughTheEdit) {
            ::SendMessage(m_hChild, WM_KILLFOCUS, 0, 0);
        } else {
            m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(2, EN_KILLFOCUS), LPARAM(m_hChild));
        }
        ExpectEndedOnce();
        TearDown();
        SetUp();
    }
}

TEST_F(SelfDeletingChildTest, PreTranslateMessageMayDeleteTheChildItIsFor)
{
    for (BOOL answer : {TRUE, FALSE}) {
        SCOPED_TRACE(answer ? "handled" : "passed on");
        m_child->m_answerAfterDelete = answer;
        MSG msg = {m_hChild, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
        // Passed on, the message goes on to whatever else pre-translates.
        const BOOL handled = AfxPreTranslateMessage(&msg);
        if (answer) {
            EXPECT_TRUE(handled);
        }
        ExpectEndedOnce();
        TearDown();
        SetUp();
    }
}
