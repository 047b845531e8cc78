// The add-machines dialog: single addresses and ranges added without
// repeats, selected entries removed, bad fields refused with a message.
#include "app/win/DlgAddMachines.h"
#include "framework/win/Dialog.h"
#include "res/resource.h"
#include "tests/app/win/DialogTestSupport.h"

#include <gtest/gtest.h>

using namespace trovtest;

namespace {

using Entries = std::vector<std::string>;

void SetAddressIn(CDialog& d, int id, DWORD value) { d.SendDlgItemMessage(id, IPM_SETADDRESS, 0, (LPARAM)value); }

Entries ListOf(const CListIpAddresses& addresses)
{
    Entries entries;
    for (POSITION position = addresses.GetHeadPosition(); position != nullptr;)
        entries.push_back((const char*)CIpAddressText(addresses.GetNext(position)));
    return entries;
}

TEST(DlgAddMachinesTest, ShowsTheCallersListAndInitialAddress)
{
    CDlgAddMachines dialog;
    dialog.m_addresses.AddUnique(CIpAddress(0x0A000002));
    dialog.m_addresses.AddUnique(CIpAddress(0x0A00000A));
    dialog.m_initialAddress = 0xC0A8010A;
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_STREQ("Add Machines", title);
        DWORD value = 0;
        EXPECT_EQ(4, (int)d.SendDlgItemMessage(IDC_SINGLE_ADDRESS, IPM_GETADDRESS, 0, (LPARAM)&value));
        EXPECT_EQ(0xC0A8010Au, value);
        EXPECT_EQ(4, (int)d.SendDlgItemMessage(IDC_RANGE_START, IPM_GETADDRESS, 0, (LPARAM)&value));
        EXPECT_EQ(0xC0A8010Au, value);
        EXPECT_EQ(64u, (UINT)d.SendDlgItemMessage(IDC_RANGE_END, EM_GETLIMITTEXT));
        // Text order: 10.0.0.10 before 10.0.0.2.
        EXPECT_EQ(Entries({"10.0.0.10", "10.0.0.2"}), ListBoxEntries(d, IDC_ADDRESS_LIST));
        ExpectTemplateLayout(d, {{IDC_SINGLE_ADDRESS, 18, 19, 100, 15, true},
                                 {IDC_ADD_SINGLE, 124, 19, 38, 14, true},
                                 {IDC_RANGE_START, 18, 58, 100, 14, true},
                                 {IDC_RANGE_END, 94, 76, 24, 14, true},
                                 {IDC_ADD_RANGE, 124, 68, 38, 14, true},
                                 {IDC_REMOVE_SELECTED, 177, 104, 132, 14, true},
                                 {IDOK, 43, 104, 50, 14, true},
                                 {IDCANCEL, 97, 104, 50, 14, true}});
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Entries({"10.0.0.2", "10.0.0.10"}), ListOf(dialog.m_addresses));
}

TEST(DlgAddMachinesTest, RangesAndSingleAddressesAreAddedWithoutRepeats)
{
    CMessageBoxRecorder boxes;
    CDlgAddMachines dialog;
    dialog.m_addresses.AddUnique(CIpAddress(0xC0A8010B));   // 192.168.1.11
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        SetAddressIn(d, IDC_RANGE_START, 0xC0A8010A);
        d.SetDlgItemText(IDC_RANGE_END, "12");
        Click(d, IDC_ADD_RANGE);
        EXPECT_EQ(Entries({"192.168.1.10", "192.168.1.11", "192.168.1.12"}), ListBoxEntries(d, IDC_ADDRESS_LIST));
        SetAddressIn(d, IDC_SINGLE_ADDRESS, 0xC0A8010C);   // present already
        Click(d, IDC_ADD_SINGLE);
        SetAddressIn(d, IDC_SINGLE_ADDRESS, 0x0A000001);
        Click(d, IDC_ADD_SINGLE);
        Click(d, IDC_ADD_SINGLE);
        EXPECT_EQ(4, (int)d.SendDlgItemMessage(IDC_ADDRESS_LIST, LB_GETCOUNT));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(Entries({"192.168.1.11", "192.168.1.10", "192.168.1.12", "10.0.0.1"}), ListOf(dialog.m_addresses));
}

TEST(DlgAddMachinesTest, ARangeEndThatIsNotAboveTheStartOrNotAnOctetIsRefused)
{
    struct Case {
        const char* end;
        const char* message;
    };
    const Case cases[] = {
        {"10", "must be above the last number of its first address (10)"},
        {"3", "must be above the last number of its first address (10)"},
        {"256", "from 0 to 255, not at \"256\""},
        {"999", "from 0 to 255, not at \"999\""},
        {"4294967306", "from 0 to 255"},
        {"", "Enter the last number of the range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.end);
        CMessageBoxRecorder boxes;
        CDlgAddMachines dialog;
        INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
            SetAddressIn(d, IDC_RANGE_START, 0xC0A8010A);
            // The edit takes digits only; the text is set as a paste would.
            d.SetDlgItemText(IDC_RANGE_END, c.end);
            Click(d, IDC_ADD_RANGE);
            EXPECT_EQ(0, (int)d.SendDlgItemMessage(IDC_ADDRESS_LIST, LB_GETCOUNT));
            Click(d, IDOK);
        }});
        EXPECT_EQ(IDOK, result);
        EXPECT_TRUE(dialog.m_addresses.IsEmpty());
        ASSERT_EQ(1u, boxes.texts().size());
        EXPECT_NE(std::string::npos, boxes.texts()[0].find(c.message)) << boxes.texts()[0];
    }
}

TEST(DlgAddMachinesTest, ARangeUpTo255StopsThere)
{
    CDlgAddMachines dialog;
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        SetAddressIn(d, IDC_RANGE_START, 0x0A0000FC);
        d.SetDlgItemText(IDC_RANGE_END, "255");
        Click(d, IDC_ADD_RANGE);
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Entries({"10.0.0.252", "10.0.0.253", "10.0.0.254", "10.0.0.255"}), ListOf(dialog.m_addresses));
}

TEST(DlgAddMachinesTest, IncompleteAddressesAreRefusedWithAMessage)
{
    CMessageBoxRecorder boxes;
    CDlgAddMachines dialog;
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        // Nothing typed at all, then one field only.
        Click(d, IDC_ADD_SINGLE);
        ::SetWindowTextA(::GetWindow(::GetDlgItem(d, IDC_SINGLE_ADDRESS), GW_CHILD), "10");
        Click(d, IDC_ADD_SINGLE);
        d.SetDlgItemText(IDC_RANGE_END, "20");
        Click(d, IDC_ADD_RANGE);
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(dialog.m_addresses.IsEmpty());
    ASSERT_EQ(3u, boxes.texts().size());
    EXPECT_NE(std::string::npos, boxes.texts()[0].find("Fill in all four numbers of the address"));
    EXPECT_NE(std::string::npos, boxes.texts()[1].find("Fill in all four numbers of the address"));
    EXPECT_NE(std::string::npos, boxes.texts()[2].find("range's first address"));
}

TEST(DlgAddMachinesTest, RemovingSelectedEntriesRemovesThemAll)
{
    CDlgAddMachines dialog;
    const DWORD addresses[] = {0x0A000002, 0x0A00000A, 0x0A000003, 0x0A000001};
    for (DWORD a : addresses)
        dialog.m_addresses.AddUnique(CIpAddress(a));
    INT_PTR result = RunDialog(dialog, {[](CDialog& d) {
        // Shown: 10.0.0.1, 10.0.0.10, 10.0.0.2, 10.0.0.3; select the middle two.
        d.SendDlgItemMessage(IDC_ADDRESS_LIST, LB_SETSEL, TRUE, 1);
        d.SendDlgItemMessage(IDC_ADDRESS_LIST, LB_SETSEL, TRUE, 2);
        Click(d, IDC_REMOVE_SELECTED);
        EXPECT_EQ(Entries({"10.0.0.1", "10.0.0.3"}), ListBoxEntries(d, IDC_ADDRESS_LIST));
        // Nothing selected: nothing happens.
        Click(d, IDC_REMOVE_SELECTED);
        EXPECT_EQ(2, (int)d.SendDlgItemMessage(IDC_ADDRESS_LIST, LB_GETCOUNT));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(Entries({"10.0.0.3", "10.0.0.1"}), ListOf(dialog.m_addresses));
}

} // namespace
