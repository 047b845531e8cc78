// The application's message boxes: captioned with the application's name,
// answered with the id of the button pressed.
#include "ui/controls/ZUDPMessageBox.h"
#include "framework/win/WinApp.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPDialog.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <vector>

using trovtest::InitFrameworkForTests;

namespace {

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("Trov Test Application") {}
};

UINT g_answer = IDOK;
int g_boxesAnswered = 0;

// Answers the message box that carries the application's name.
VOID CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hWndBox = ::FindWindowA("#32770", "Trov Test Application");
    if (hWndBox != nullptr) {
        ++g_boxesAnswered;
        ::PostMessageA(hWndBox, WM_COMMAND, g_answer, 0);
    }
}

TEST(ThemedMessageBoxTest, CaptionIsTheApplicationsNameAndTheAnswerIsTheButton)
{
    InitFrameworkForTests();
    CTestApp app;
    struct Case {
        UINT type;
        UINT answer;
    };
    const Case cases[] = {{MB_YESNO, IDNO}, {MB_YESNO | MB_ICONQUESTION, IDYES}, {MB_OKCANCEL, IDCANCEL}};
    for (const Case& c : cases) {
        g_answer = c.answer;
        int before = g_boxesAnswered;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &AnswerBox);
        int result = ThemedMessageBox("Install the application?", c.type);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ((int)c.answer, result);
        EXPECT_GT(g_boxesAnswered, before);   // found by its caption
    }
}

// A dialog in the visual-manager look tells its controls at initialisation.
class CLookDialog : public CZUDPDialog {
public:
    CLookDialog()
    {
        m_template.assign(64, 0);
        DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(m_template.data());
        pTemplate->style = WS_POPUP | WS_CAPTION;
        pTemplate->cx = 100;
        pTemplate->cy = 50;
        InitModalIndirect(pTemplate);
        SetVisualManagerLook(TRUE, FALSE);
    }
    CZUDPButton m_button;
    BOOL m_buttonThemed = FALSE;

protected:
    BOOL OnInitDialog() override
    {
        m_button.Create("OK", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), this, IDOK);
        CZUDPDialog::OnInitDialog();
        m_buttonThemed = m_button.IsVisualManagerStyle();
        EndDialog(IDOK);
        return TRUE;
    }

private:
    std::vector<WORD> m_template;
};

TEST(ZUDPDialogTest, ControlsLearnTheLookFromTheirDialog)
{
    InitFrameworkForTests();
    CLookDialog dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.m_buttonThemed);
}

} // namespace
