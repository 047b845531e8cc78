// Dialogs from resource templates: the modal loop driven by posted
// messages, data exchange in both directions, PreTranslateMessage of the
// window chain, modeless dialogs and templates built in memory.
#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/framework/win/TestResources.h"

#include <gtest/gtest.h>

#include <vector>

using trovtest::InitFrameworkForTests;
using trovtest::PumpUntil;

namespace {

const UINT WM_TEST_STEP = WM_APP + 10;

// An edit control that takes Ctrl+A itself (selects all) before the dialog
// manager sees the key.
class CSelectAllEdit : public CEdit {
public:
    int keysSeen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'A') {
            ++keysSeen;
            SetSel(0, -1);
            return TRUE;
        }
        return CEdit::PreTranslateMessage(pMsg);
    }
};

class CActionButton : public CButton {
public:
    int reflectedClicks = 0;

protected:
    void OnClicked() { ++reflectedClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CActionButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &CActionButton::OnClicked)
END_MESSAGE_MAP()

// The test dialog: members exchanged with the template's controls, and a
// script of steps it runs from its own queue once it is up.
class CDataDialog : public CDialog {
public:
    enum Ending { kOk, kCancel, kCustom, kInvalidThenOk };

    explicit CDataDialog(Ending ending) : CDialog(IDD_TEST_DATA), m_ending(ending) {}

    CString m_name = "initial";
    int m_count = 5;
    UINT m_port = 8080;
    int m_enabled = 1;
    int m_radio = 1;
    int m_choice = 2;
    CSelectAllEdit m_nameEdit;
    CActionButton m_action;
    BOOL m_initCalled = FALSE;
    CString m_nameShownAtInit;
    int m_radioCheckedAtInit = 0;
    int m_choiceShownAtInit = -1;
    int m_keysSeenInLoop = 0;
    int m_kickIdles = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Control(pDX, IDC_ACTION, m_action);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDX_Text(pDX, IDC_PORT, m_port);
        DDX_Check(pDX, IDC_ENABLED, m_enabled);
        DDX_Radio(pDX, IDC_RADIO_A, m_radio);
        DDX_CBIndex(pDX, IDC_CHOICE, m_choice);
    }

    BOOL OnInitDialog() override
    {
        CComboBox* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_CHOICE));
        pCombo->AddString("zero");
        pCombo->AddString("one");
        pCombo->AddString("two");
        CDialog::OnInitDialog();   // members to controls
        m_initCalled = TRUE;
        GetDlgItemText(IDC_NAME, m_nameShownAtInit);
        m_radioCheckedAtInit = GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C);
        m_choiceShownAtInit = (int)SendDlgItemMessage(IDC_CHOICE, CB_GETCURSEL);
        PostMessage(WM_TEST_STEP, 0);
        return TRUE;
    }

    LRESULT OnStep(WPARAM wParam, LPARAM)
    {
        switch (wParam) {
        case 0:
            // The user's edits, then a click of the action button and a
            // Ctrl+A typed into the name edit, all through the queue.
            SetDlgItemText(IDC_NAME, "edited name");
            SetDlgItemText(IDC_COUNT, m_ending == kInvalidThenOk ? "12x" : "-42");
            SetDlgItemText(IDC_PORT, "65535");
            CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
            CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_C);
            SendDlgItemMessage(IDC_CHOICE, CB_SETCURSEL, 0);
            PostMessage(WM_COMMAND, MAKEWPARAM(IDC_ACTION, BN_CLICKED), (LPARAM)m_action.m_hWnd);
            ::PostMessageA(m_nameEdit.m_hWnd, WM_KEYDOWN, 'A', 0);
            m_nextStepOnIdle = TRUE;   // step 1 once the queue is empty
            break;
        case 1:
            m_keysSeenInLoop = m_nameEdit.keysSeen;
            m_visibleAtStep1 = IsWindowVisible();
            switch (m_ending) {
            case kOk:
                PostMessage(WM_COMMAND, IDOK);
                break;
            case kCancel:
                PostMessage(WM_COMMAND, IDCANCEL);
                break;
            case kCustom:
                EndDialog(77);
                break;
            case kInvalidThenOk:
                // The count is not a number: OK must keep the dialog open.
                PostMessage(WM_COMMAND, IDOK);
                PostMessage(WM_TEST_STEP, 2);
                break;
            }
            break;
        case 2:
            m_invalidOkKeptOpen = ContinueModal() && ::IsWindow(m_hWnd);
            SetDlgItemText(IDC_COUNT, "3");
            PostMessage(WM_COMMAND, IDOK);
            break;
        }
        return 0;
    }

    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++m_kickIdles;
        if (m_nextStepOnIdle) {
            m_nextStepOnIdle = FALSE;
            PostMessage(WM_TEST_STEP, 1);
        }
        return 0;
    }

public:
    BOOL m_invalidOkKeptOpen = FALSE;
    BOOL m_nextStepOnIdle = FALSE;
    BOOL m_visibleAtStep1 = FALSE;

private:
    Ending m_ending;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDataDialog, CDialog)
    ON_MESSAGE(WM_TEST_STEP, &CDataDialog::OnStep)
    ON_MESSAGE(WM_KICKIDLE, &CDataDialog::OnKickIdle)
END_MESSAGE_MAP()

// Answers the box that data exchange shows for an invalid number. Only this
// thread's boxes: other test programs run at the same time on the same
// desktop, and an OK posted to their dialogs would end them.
VOID CALLBACK CloseMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWndBox, LPARAM) -> BOOL {
            char className[16] = {};
            char caption[64] = {};
            ::GetClassNameA(hWndBox, className, sizeof(className));
            ::GetWindowTextA(hWndBox, caption, sizeof(caption));
            if (::lstrcmpA(className, "#32770") == 0 && ::lstrcmpA(caption, "Data exchange") != 0)
                ::PostMessageA(hWndBox, WM_COMMAND, IDOK, 0);
            return TRUE;
        },
        0);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { InitFrameworkForTests(); }
    void TearDown() override { AfxDeleteTempMaps(); }
};

TEST_F(DialogTest, ModalDialogExchangesDataAndEndsWithOk)
{
    CDataDialog dlg(CDataDialog::kOk);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.m_initCalled);
    // Loading: members reached the controls before OnInitDialog went on.
    EXPECT_STREQ("initial", dlg.m_nameShownAtInit);
    EXPECT_EQ(IDC_RADIO_B, dlg.m_radioCheckedAtInit);
    EXPECT_EQ(2, dlg.m_choiceShownAtInit);
    // Saving: OK read the controls back into the members.
    EXPECT_STREQ("edited name", dlg.m_name);
    EXPECT_EQ(-42, dlg.m_count);
    EXPECT_EQ(65535u, dlg.m_port);
    EXPECT_EQ(0, dlg.m_enabled);
    EXPECT_EQ(2, dlg.m_radio);
    EXPECT_EQ(0, dlg.m_choice);
    // The click reached the button through reflection, the key through the
    // edit's PreTranslateMessage in the dialog's own loop.
    EXPECT_EQ(1, dlg.m_action.reflectedClicks);
    EXPECT_EQ(1, dlg.m_keysSeenInLoop);
    // The loop went idle: the dialog was shown and told (WM_KICKIDLE).
    EXPECT_GT(dlg.m_kickIdles, 0);
    EXPECT_TRUE(dlg.m_visibleAtStep1);
    // The dialog and its controls are gone, their objects detached.
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_nameEdit.m_hWnd);
}

TEST_F(DialogTest, CancelLeavesTheMembersAlone)
{
    CDataDialog dlg(CDataDialog::kCancel);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("initial", dlg.m_name);
    EXPECT_EQ(5, dlg.m_count);
    EXPECT_EQ(1, dlg.m_radio);
}

TEST_F(DialogTest, EndDialogReturnsAnyResult)
{
    CDataDialog dlg(CDataDialog::kCustom);
    EXPECT_EQ(77, dlg.DoModal());
}

TEST_F(DialogTest, AnInvalidNumberKeepsTheDialogOpen)
{
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseMessageBoxes);
    CDataDialog dlg(CDataDialog::kInvalidThenOk);
    EXPECT_EQ(IDOK, dlg.DoModal());
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(dlg.m_invalidOkKeptOpen);
    EXPECT_EQ(3, dlg.m_count);
}

TEST_F(DialogTest, MissingTemplateFailsWithMinusOne)
{
    CDialog dlg(4242);
    EXPECT_EQ(-1, dlg.DoModal());
}

// A dialog whose template is built in memory (as the message box does).
// A dialog that closes itself the first time its loop goes idle (after the
// loop's idle cleanup has had its chance).
class CIdleClosingDialog : public CDialog {
public:
    CIdleClosingDialog() : CDialog(IDD_TEST_DATA) {}

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        PostMessage(WM_COMMAND, IDCANCEL);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleClosingDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, &CIdleClosingDialog::OnKickIdle)
END_MESSAGE_MAP()

// Takes a temporary object for a window nobody wrapped, runs a nested modal
// dialog, and looks whether the temporary is still alive afterwards.
class CNestingDialog : public CDialog {
public:
    explicit CNestingDialog(HWND foreign) : CDialog(IDD_TEST_DATA), m_foreign(foreign) {}

    CWnd* m_temporary = nullptr;
    CWnd* m_afterNestedLoop = nullptr;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_temporary == nullptr) {
            m_temporary = CWnd::FromHandle(m_foreign);
            CIdleClosingDialog nested;
            nested.DoModal();
            m_afterNestedLoop = AfxLookupTempWnd(m_foreign);
            PostMessage(WM_COMMAND, IDCANCEL);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    HWND m_foreign;
};

BEGIN_MESSAGE_MAP(CNestingDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, &CNestingDialog::OnKickIdle)
END_MESSAGE_MAP()

TEST_F(DialogTest, ATemporaryHeldAcrossANestedModalLoopSurvivesItsIdle)
{
    HWND foreign = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, foreign);
    CNestingDialog outer(foreign);
    EXPECT_EQ(IDCANCEL, outer.DoModal());
    ASSERT_NE(nullptr, outer.m_temporary);
    EXPECT_EQ(outer.m_temporary, outer.m_afterNestedLoop) << "the nested loop deleted the temporary";
    // The outermost loop's idle, or the thread's, deletes it as before.
    AfxDeleteTempMaps();
    EXPECT_EQ(nullptr, AfxLookupTempWnd(foreign));
    ::DestroyWindow(foreign);
}

class CMemoryTemplateDialog : public CDialog {
public:
    CMemoryTemplateDialog()
    {
        m_template.assign(64, 0);
        DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(m_template.data());
        pTemplate->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        pTemplate->cx = 100;
        pTemplate->cy = 50;
        InitModalIndirect(pTemplate);
    }
    int initCount = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initCount;
        CDialog::OnInitDialog();
        PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }

private:
    std::vector<WORD> m_template;
};

TEST_F(DialogTest, TemplatesInMemoryRunModally)
{
    CMemoryTemplateDialog dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, dlg.initCount);
}

TEST_F(DialogTest, ModelessDialogLivesUntilDestroyed)
{
    CDataDialog dlg(CDataDialog::kCustom);
    ASSERT_TRUE(dlg.Create(IDD_TEST_DATA));
    EXPECT_TRUE(dlg.m_initCalled);
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    CString name;
    dlg.GetDlgItemText(IDC_NAME, name);
    EXPECT_STREQ("initial", name);
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    AfxDeleteTempMaps();
    // Drain the dialog's leftover posted steps (its window is gone).
    trovtest::PumpPending();
}

TEST_F(DialogTest, StringsLoadFromTheResourceModule)
{
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_TEST_TEXT));
    EXPECT_STREQ("Loaded from the string table", text);
}

} // namespace

namespace {

int g_selfDeletingDialogs = 0;

// A modal dialog object on the heap that deletes itself when its window
// goes (as some frames and property pages do).
class CSelfDeletingDialog : public CDialog {
public:
    CSelfDeletingDialog() : CDialog(IDD_TEST_DATA) { ++g_selfDeletingDialogs; }
    ~CSelfDeletingDialog() override { --g_selfDeletingDialogs; }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        EndDialog(IDOK);
        return TRUE;
    }
    void PostNcDestroy() override { delete this; }
};

TEST(DialogLifetimeTest, AModalDialogThatDeletesItselfReturnsItsResult)
{
    InitFrameworkForTests();
    int before = g_selfDeletingDialogs;
    CSelfDeletingDialog* pDlg = new CSelfDeletingDialog;
    EXPECT_EQ(IDOK, pDlg->DoModal());
    EXPECT_EQ(before, g_selfDeletingDialogs);
}

} // namespace
