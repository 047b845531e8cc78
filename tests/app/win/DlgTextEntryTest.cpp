// The address and password dialogs: what they show of the caller's values,
// what they accept and what they hand back.
#include "app/win/DlgPassword.h"
#include "framework/win/Dialog.h"
#include "app/win/DlgRemoteMachine.h"
#include "res/resource.h"
#include "tests/app/win/DialogTestSupport.h"

#include <gtest/gtest.h>

using namespace trovtest;

namespace {

// The template's rows that no operation of the program uses.
const int kUnusedRows[] = {IDC_VALUE_LABEL, IDC_VALUE_SPIN,   IDC_VALUE,     IDC_APP_PASSWORD_LABEL,
                           IDC_APP_PASSWORD, IDC_DATASET_LABEL, IDC_DATASET,  IDC_ADDRESS,
                           IDC_NAME_LIST,   IDC_PRESERVE_CONSTANTS, IDC_DUPLICATE, IDC_CHOICE_LIST};

void SetEntry(CDialog& dialog, const char* text)
{
    // As typing would: the text changes and the edit tells its dialog.
    ::SetWindowTextA(::GetDlgItem(dialog, IDC_ENTRY), text);
}

struct MachineFixture {
    MachineFixture()
    {
        a.m_address = CIpAddress(0x0A010203);
        b.m_address = CIpAddress(0x0A010204);
    }
    CMachine a{CIpAddress(0), 1};
    CMachine b{CIpAddress(0), 1};
};

TEST(DlgRemoteMachineTest, OneSelectedMachineIsShownLockedWithThePasswordRow)
{
    MachineFixture machines;
    CMachineList list;
    list.AddTail(&machines.a);
    CDlgRemoteMachine dialog(&list);
    dialog.m_showPassword = TRUE;
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_STREQ("Remote System", title);
        EXPECT_EQ("Name/IP Address", ItemText(d, IDC_NAME_LABEL));
        EXPECT_EQ("10.1.2.3", ItemText(d, IDC_ENTRY));
        EXPECT_TRUE(IsShown(d, IDC_ENTRY));
        EXPECT_FALSE(IsEnabled(d, IDC_ENTRY));
        EXPECT_TRUE(IsShown(d, IDC_ADMIN_PASSWORD));
        EXPECT_TRUE(IsShown(d, IDC_ADMIN_PASSWORD_LABEL));
        EXPECT_TRUE(IsEnabled(d, IDOK));
        for (int id : kUnusedRows)
            EXPECT_FALSE(IsShown(d, id)) << id;
        ExpectTemplateLayout(d, {{IDC_NAME_LABEL, 7, 24, 62, 14, true},
                                 {IDC_ADMIN_PASSWORD, 69, 63, 94, 14, true},
                                 {IDC_ADMIN_PASSWORD_LABEL, 7, 63, 62, 14, true},
                                 {IDOK, 171, 84, 50, 14, true},
                                 {IDCANCEL, 224, 84, 50, 14, true},
                                 {IDC_ADDRESS, 69, 24, 205, 14, true}});
        d.SetDlgItemText(IDC_ADMIN_PASSWORD, "s3cret");
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("s3cret", dialog.m_password);
    EXPECT_STREQ("10.1.2.3", dialog.m_text);
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(nullptr, dialog.GetTypedMachine());
    EXPECT_TRUE(dialog.IsVisualManagerStyle());
}

TEST(DlgRemoteMachineTest, SeveralMachinesShowMultipleLocked)
{
    MachineFixture machines;
    CMachineList list;
    list.AddTail(&machines.a);
    list.AddTail(&machines.b);
    CDlgRemoteMachine dialog(&list);
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        EXPECT_EQ("<multiple>", ItemText(d, IDC_ENTRY));
        EXPECT_FALSE(IsEnabled(d, IDC_ENTRY));
        // Without the show-password flag the password row stays hidden.
        EXPECT_FALSE(IsShown(d, IDC_ADMIN_PASSWORD));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(2, list.GetCount());
}

TEST(DlgRemoteMachineTest, ATypedAddressBecomesAMachineOwnedByTheDialog)
{
    CMachineList list;
    {
        CDlgRemoteMachine dialog(&list);
        dialog.m_showPassword = TRUE;
        INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
            EXPECT_EQ("", ItemText(d, IDC_ENTRY));
            EXPECT_TRUE(IsEnabled(d, IDC_ENTRY));
            EXPECT_EQ(::GetDlgItem(d, IDC_ENTRY), ::GetFocus());
            SetEntry(d, " 10.0.0.5");
            Click(d, IDOK);
        }});
        EXPECT_EQ(IDOK, result);
        ASSERT_EQ(1, list.GetCount());
        CMachine* machine = list.GetHead();
        EXPECT_EQ(machine, dialog.GetTypedMachine());
        EXPECT_EQ(0x0A000005u, machine->m_address.GetValue());
        EXPECT_EQ(0, machine->m_inList);
    }
    // The dialog took its machine with it, out of the list as well.
    EXPECT_EQ(0, list.GetCount());
}

TEST(DlgRemoteMachineTest, AnythingButAWholeAddressIsRefusedWithAMessage)
{
    struct Case {
        const char* typed;
        const char* message; // part of the text shown
    };
    const Case cases[] = {
        {"plc-12", "\"plc-12\" is not a valid IP address"},
        {"300.1.1.1", "\"300.1.1.1\" is not a valid IP address"},
        {"10.0.0", "\"10.0.0\" is not a valid IP address"},
        {"10.0.0.5.", "\"10.0.0.5.\" is not a valid IP address"},
        {"", "Enter the IP address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CMessageBoxRecorder boxes;
        CMachineList list;
        CDlgRemoteMachine dialog(&list);
        bool marked = false;
        INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
                                                SetEntry(d, c.typed);
                                                Click(d, IDOK);
                                            },
                                            [&](CDialog& d) {
                                                // Still open, the entry marked.
                                                marked = dialog.GetEntry().GetError() != FALSE;
                                                // Typing again clears the mark.
                                                SetEntry(d, "1");
                                                EXPECT_FALSE(dialog.GetEntry().GetError());
                                                Click(d, IDCANCEL);
                                            }});
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_TRUE(marked);
        ASSERT_EQ(1u, boxes.texts().size());
        EXPECT_NE(std::string::npos, boxes.texts()[0].find(c.message)) << boxes.texts()[0];
        EXPECT_NE(std::string::npos, boxes.texts()[0].find("four numbers from 0 to 255"));
        EXPECT_EQ(0, list.GetCount());
    }
}

TEST(DlgTextEntryTest, TheRestartAddressIsShownReadOnlyAndReturnedUnchanged)
{
    CDlgTextEntry dialog("Remote System", "Name/IP Address", 64);
    dialog.m_showPassword = TRUE;
    dialog.m_text = "192.168.5.7";
    dialog.m_readOnly = TRUE;
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        HWND entry = ::GetDlgItem(d, IDC_ENTRY);
        EXPECT_TRUE(::GetWindowLongA(entry, GWL_STYLE) & ES_READONLY);
        EXPECT_TRUE(IsEnabled(d, IDC_ENTRY));
        EXPECT_EQ("192.168.5.7", ItemText(d, IDC_ENTRY));
        // A read-only edit does not take typing.
        ::SendMessageA(entry, WM_CHAR, 'x', 0);
        EXPECT_EQ("192.168.5.7", ItemText(d, IDC_ENTRY));
        d.SetDlgItemText(IDC_ADMIN_PASSWORD, "pw");
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("192.168.5.7", dialog.m_text);
    EXPECT_STREQ("pw", dialog.m_password);
}

TEST(DlgTextEntryTest, EntriesAreCheckedByTheirKind)
{
    struct Case {
        CDlgTextEntry::EntryKind kind;
        const char* typed;
        const char* message; // none: accepted
    };
    const Case cases[] = {
        {CDlgTextEntry::kEntryText, "anything at all / *", nullptr},
        {CDlgTextEntry::kEntryText, "", nullptr},
        {CDlgTextEntry::kEntryName, "Line_2 a-b", nullptr},
        {CDlgTextEntry::kEntryName, "bad/name", "\"bad/name\" is not a valid name"},
        {CDlgTextEntry::kEntryName, "", "Enter a name."},
        {CDlgTextEntry::kEntryAddress, "172.16.0.1", nullptr},
        {CDlgTextEntry::kEntryAddress, "172.16.0.256", "\"172.16.0.256\" is not a valid IP address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CMessageBoxRecorder boxes;
        CDlgTextEntry dialog("Title", "Name:", 64);
        dialog.m_entryKind = c.kind;
        std::vector<DialogStep> steps = {[&](CDialog& d) {
            SetEntry(d, c.typed);
            Click(d, IDOK);
        }};
        if (c.message != nullptr)
            steps.push_back([](CDialog& d) { Click(d, IDCANCEL); });
        INT_PTR result = RunDialog(dialog, steps);
        if (c.message == nullptr) {
            EXPECT_EQ(IDOK, result);
            EXPECT_TRUE(boxes.texts().empty());
            EXPECT_STREQ(c.typed, dialog.m_text);
        } else {
            EXPECT_EQ(IDCANCEL, result);
            ASSERT_EQ(1u, boxes.texts().size());
            EXPECT_NE(std::string::npos, boxes.texts()[0].find(c.message)) << boxes.texts()[0];
        }
    }
}

TEST(DlgTextEntryTest, EntryTakesUtf8TextAndItsMaximumLength)
{
    CDlgTextEntry dialog("Title", "Label:", 8);
    dialog.m_text = "Gr\xC3\xBC\xC3\x9F" "e";   // five characters, seven bytes
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        EXPECT_EQ(8u, (UINT)::SendMessageW(::GetDlgItem(d, IDC_ENTRY), EM_GETLIMITTEXT, 0, 0));
        EXPECT_EQ(5, ::GetWindowTextLengthW(::GetDlgItem(d, IDC_ENTRY)));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("Gr\xC3\xBC\xC3\x9F" "e", dialog.m_text);
}

TEST(DlgTextEntryTest, WithoutALabelNeitherLabelNorEntryIsShown)
{
    CDlgTextEntry dialog("Only a password", "", 64);
    dialog.m_showPassword = TRUE;
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        EXPECT_FALSE(IsShown(d, IDC_NAME_LABEL));
        EXPECT_EQ(nullptr, ::GetDlgItem(d, IDC_ENTRY));
        EXPECT_TRUE(IsShown(d, IDC_ADMIN_PASSWORD));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
}

TEST(DlgPasswordTest, AsksForThePasswordAndHidesThePathRowWithoutAPath)
{
    CDlgPassword dialog;
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_STREQ("Password Required", title);
        EXPECT_EQ("Password:", ItemText(d, IDC_PASSWORD_PROMPT));
        EXPECT_FALSE(IsShown(d, IDC_PATH));
        EXPECT_FALSE(IsShown(d, IDC_PATH_LABEL));
        EXPECT_EQ(64u, (UINT)d.SendDlgItemMessage(IDC_PASSWORD, EM_GETLIMITTEXT));
        ExpectTemplateLayout(d, {{IDC_PASSWORD, 71, 7, 106, 14, true},
                                 {IDOK, 191, 7, 50, 14, true},
                                 {IDCANCEL, 191, 25, 50, 14, true},
                                 {IDC_PASSWORD_PROMPT, 7, 10, 57, 8, true}});
        d.SetDlgItemText(IDC_PASSWORD, "");
        Click(d, IDOK);
    }});
    // An empty password is a password like any other.
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("", dialog.m_password);
}

TEST(DlgPasswordTest, PromptAndPathAreShownAndALongPasswordIsCutTo64)
{
    CDlgPassword dialog;
    dialog.m_prompt = "Admin:";
    dialog.m_path = "C:\\Apps\\line.lmx";
    const std::string longPassword(70, 'p');
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        EXPECT_EQ("Admin:", ItemText(d, IDC_PASSWORD_PROMPT));
        EXPECT_TRUE(IsShown(d, IDC_PATH));
        EXPECT_EQ("C:\\Apps\\line.lmx", ItemText(d, IDC_PATH));
        EXPECT_EQ(1, dialog.GetToolTip().GetToolCount());
        d.SetDlgItemText(IDC_PASSWORD, longPassword.c_str());
        Click(d, IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, result);

    CDlgPassword again;
    result = RunDialog(again, {[&](CDialog& d) {
        d.SetDlgItemText(IDC_PASSWORD, longPassword.c_str());
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(std::string(64, 'p'), std::string((LPCTSTR)again.m_password));
}

} // namespace
