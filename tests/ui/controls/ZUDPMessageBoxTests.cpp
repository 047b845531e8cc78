// The application's message boxes: captioned with the application's name,
// answered with the id of the button pressed.
#include "ui/controls/ZUDPMessageBox.h"
#include "framework/win/WinApp.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPDialog.h"
#include "tests/common/MessagePumpWin.h"
#include "framework/win/FrameworkSeams.h"

#include <functional>

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

// Answers the message box that carries the application's name; only this
// thread's, as other test programs share the desktop.
VOID CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWndBox, LPARAM) -> BOOL {
            char className[16] = {};
            char caption[64] = {};
            ::GetClassNameA(hWndBox, className, sizeof(className));
            ::GetWindowTextA(hWndBox, caption, sizeof(caption));
            if (::lstrcmpA(className, "#32770") != 0 || ::lstrcmpA(caption, "Trov Test Application") != 0)
                return TRUE;
            ++g_boxesAnswered;
            ::PostMessageA(hWndBox, WM_COMMAND, g_answer, 0);
            return FALSE;
        },
        0);
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


// ---------------------------------------------------------------------------
// The themed box itself

// A box that runs a probe once it is initialised (what it shows, then
// input posted to it) and ends itself with -2 if the input did not.
class CProbeBox : public CZUDPMessageBox {
public:
    CProbeBox(UINT nType, LPCSTR lpszText, std::function<void(CProbeBox&)> probe)
        : CZUDPMessageBox(&MakeParams(nType, lpszText)), m_probe(std::move(probe))
    {
    }
    std::vector<UINT> m_ids;
    std::vector<HWND> m_windows;
    std::vector<CString> m_captions;
    std::vector<int> m_widths;
    HWND m_focus = nullptr;
    CString m_copyText;
    BOOL m_closeGreyed = FALSE;
    int m_buttonWidth = 0;   // 52 dialog units in pixels

protected:
    static const MSGBOXPARAMSA& MakeParams(UINT nType, LPCSTR lpszText)
    {
        static MSGBOXPARAMSA params;
        params = {};
        params.cbSize = sizeof(params);
        params.lpszText = lpszText;
        params.lpszCaption = "Probe";
        params.dwStyle = nType;
        return params;
    }
    BOOL OnInitDialog() override
    {
        BOOL bResult = CZUDPMessageBox::OnInitDialog();
        for (int i = 0; i < GetButtonCount(); ++i) {
            CWnd* pButton = GetButton(i);
            m_ids.push_back((UINT)pButton->GetDlgCtrlID());
            m_windows.push_back(pButton->m_hWnd);
            CString caption;
            pButton->GetWindowText(caption);
            m_captions.push_back(caption);
            CRect rect;
            pButton->GetWindowRect(&rect);
            m_widths.push_back(rect.Width());
        }
        CRect unit(0, 0, 52, 14);
        MapDialogRect(&unit);
        m_buttonWidth = unit.Width();
        m_focus = ::GetFocus();
        m_closeGreyed = (::GetMenuState(::GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
        if (m_probe)
            m_probe(*this);
        ::SetTimer(m_hWnd, 77, 2000, nullptr);
        return bResult;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_TIMER && wParam == 77) {
            EndDialog(-2);
            return TRUE;
        }
        return CZUDPMessageBox::OnWndMsg(message, wParam, lParam, pResult);
    }
    std::function<void(CProbeBox&)> m_probe;
};

void PostKey(CWnd& box, UINT key)
{
    HWND hFocus = ::GetFocus();
    ::PostMessageA(hFocus != nullptr ? hFocus : box.m_hWnd, WM_KEYDOWN, key, 0);
}

TEST(ZUDPMessageBoxTest, EachTypeHasItsButtonsWithTheBuiltInCaptions)
{
    InitFrameworkForTests();
    struct Case {
        UINT type;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}},
        {MB_OKCANCEL, {IDOK, IDCANCEL}},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO, {IDYES, IDNO}},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
        {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}},
        // A type without a button set still gets a way out.
        {9, {IDOK}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CProbeBox box(c.type, "Text", [](CProbeBox& b) { b.PostMessage(WM_COMMAND, b.m_ids.empty() ? IDOK : b.m_ids[0]); });
        box.DoModal();
        EXPECT_EQ(c.ids, box.m_ids);
        for (size_t i = 0; i < box.m_ids.size() && i < box.m_captions.size(); ++i) {
            // Wine's user32 has no button strings: the built-in captions show.
            EXPECT_STREQ(CZUDPMessageBox::GetBuiltInCaption(box.m_ids[i]), box.m_captions[i]);
            EXPECT_EQ(box.m_buttonWidth, box.m_widths[i]);
        }
    }
}

TEST(ZUDPMessageBoxTest, TheDefaultButtonHasTheFocusAndEscFollowsTheCancelRules)
{
    InitFrameworkForTests();
    {
        CProbeBox box(MB_YESNOCANCEL | MB_DEFBUTTON2, "Save?", [](CProbeBox& b) { PostKey(b, VK_ESCAPE); });
        EXPECT_EQ(IDCANCEL, box.DoModal());
        ASSERT_EQ(3u, box.m_ids.size());
        EXPECT_EQ(box.m_windows[1], box.m_focus);   // No
        EXPECT_EQ(IDNO, (int)box.m_ids[1]);
    }
    struct Case {
        UINT type;
        INT_PTR result;   // after Esc and then a click of the last button
        BOOL closeGreyed;
    };
    const Case cases[] = {
        {MB_OK, IDOK, FALSE},            // Esc ends an OK box with IDOK
        {MB_OKCANCEL, IDCANCEL, FALSE},
        {MB_YESNO, IDNO, TRUE},          // Esc is ignored; No ends it
        {MB_ABORTRETRYIGNORE, IDIGNORE, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        CProbeBox box(c.type, "Text", [](CProbeBox& b) {
            PostKey(b, VK_ESCAPE);
            b.PostMessage(WM_COMMAND, b.m_ids.back());
        });
        EXPECT_EQ(c.result, box.DoModal());
        EXPECT_EQ(c.closeGreyed, box.m_closeGreyed);
    }
}

TEST(ZUDPMessageBoxTest, ALongTextWrapsAtHalfTheWorkAreaPlus80)
{
    InitFrameworkForTests();
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int limit = (work.right - work.left) / 2 + 80;
    CString longText;
    for (int i = 0; i < 60; ++i)
        longText += "machine 192.168.100.1 could not be reached; ";
    for (UINT icon : {0u, (UINT)MB_ICONEXCLAMATION}) {
        SCOPED_TRACE(icon);
        CProbeBox box(MB_OK | icon, longText, [](CProbeBox& b) { b.PostMessage(WM_COMMAND, IDOK); });
        box.DoModal();
        const int iconSpace = icon != 0 ? box.GetTextRect().left - box.GetIconRect().left : 0;
        EXPECT_LE(box.GetTextRect().Width() + iconSpace, limit);
        EXPECT_GT(box.GetTextRect().Width() + iconSpace, limit * 3 / 4);
        EXPECT_GT(box.GetTextRect().Height(), 3 * (box.GetTextRect().Width() > 0 ? 10 : 0));
    }
}

TEST(ZUDPMessageBoxTest, CtrlCCopiesCaptionTextAndButtonsInTheSystemFormat)
{
    InitFrameworkForTests();
    ScopedSeam ctrl(g_frameworkSeams.keyState, [](int key) -> SHORT { return key == VK_CONTROL ? (SHORT)0x8000 : 0; });
    CProbeBox box(MB_OKCANCEL, "Install the application?", [](CProbeBox& b) {
        MSG msg = {b.m_hWnd, WM_KEYDOWN, 'C', 0};
        b.PreTranslateMessage(&msg);
        b.m_copyText = b.GetCopyText();
        b.PostMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, box.DoModal());
    const char expected[] = "---------------------------\r\n"
                            "Probe\r\n"
                            "---------------------------\r\n"
                            "Install the application?\r\n"
                            "---------------------------\r\n"
                            "OK Cancel \r\n"
                            "---------------------------\r\n";
    EXPECT_STREQ(expected, box.m_copyText);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    const char* text = hData != nullptr ? static_cast<const char*>(::GlobalLock(hData)) : nullptr;
    EXPECT_STREQ(expected, text != nullptr ? text : "");
    if (text != nullptr)
        ::GlobalUnlock(hData);
    ::CloseClipboard();
}

TEST(ZUDPMessageBoxTest, TheWholeRecordIsCopied)
{
    InitFrameworkForTests();
    // Fields past the first 40 bytes of the x64 record (style, icon name,
    // help id, callback, language) reach the box.
    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof(params);
    params.lpszText = "Text";
    params.lpszCaption = "Caption";
    params.dwStyle = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    params.dwContextHelpId = 77;
    params.dwLanguageId = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    CZUDPMessageBox box(&params);
    EXPECT_NE(nullptr, box.GetIcon());
    EXPECT_EQ(1, box.GetDefaultButtonIndex());
    EXPECT_STREQ("Caption", box.GetCaption());
}

TEST(ZUDPMessageBoxTest, StringTableReadsStayInsideTheResource)
{
    // user32 under Wine has no strings 800-810; a missing block and an id
    // past the strings of a block both give an empty text.
    HMODULE hUser32 = ::GetModuleHandleA("user32.dll");
    EXPECT_STREQ("", LoadStringForLanguage(hUser32, 0xFFF0, 255, 0));
    EXPECT_STREQ("", LoadStringForLanguage(nullptr, 0xFFFF, 255, 0));
    EXPECT_STREQ("", LoadStringForLanguage(hUser32, 800, 1, 0));
}

} // namespace
