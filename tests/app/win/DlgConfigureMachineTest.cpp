// The configure-machine dialog: what it shows, when it lets OK through,
// and the values it hands back.
#include "app/win/DlgConfigureMachine.h"
#include "res/resource.h"
#include "tests/app/win/DialogTestSupport.h"

#include <gtest/gtest.h>

using namespace trovtest;

namespace {

DWORD AddressIn(CDialog& d, int id)
{
    DWORD value = 0;
    d.SendDlgItemMessage(id, IPM_GETADDRESS, 0, (LPARAM)&value);
    return value;
}
void SetAddressAndNotify(CDialog& d, int id, DWORD value)
{
    d.SendDlgItemMessage(id, IPM_SETADDRESS, 0, (LPARAM)value);
    NMIPADDRESS notice = {};
    notice.hdr.hwndFrom = ::GetDlgItem(d, id);
    notice.hdr.idFrom = (UINT_PTR)id;
    notice.hdr.code = IPN_FIELDCHANGED;
    d.SendMessage(WM_NOTIFY, (WPARAM)id, (LPARAM)&notice);
}
void SetPassword(CDialog& d, const char* text) { d.SetDlgItemText(IDC_CONFIG_PASSWORD, text); }
void ClickDhcp(CDialog& d, bool checked)
{
    d.CheckDlgButton(IDC_DHCP, checked ? BST_CHECKED : BST_UNCHECKED);
    Click(d, IDC_DHCP);
}

void FillStatic(CDlgConfigureMachine& dialog)
{
    dialog.m_dhcp = "Static";
    dialog.m_if1Address = "192.168.1.20";
    dialog.m_if1Netmask = "255.255.255.0";
    dialog.m_if1Gateway = "192.168.1.1";
    dialog.m_if2Address = "10.0.0.20";
    dialog.m_if2Netmask = "255.0.0.0";
    dialog.m_comment = "Line 3 press";
}

TEST(DlgConfigureMachineTest, ShowsTheMachinesSettingsAndReturnsThemWithThePassword)
{
    CDlgConfigureMachine dialog;
    FillStatic(dialog);
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_STREQ("Configure Machine", title);
        EXPECT_EQ(0xC0A80114u, AddressIn(d, IDC_IF1_ADDRESS));
        EXPECT_EQ(0xFFFFFF00u, AddressIn(d, IDC_IF1_NETMASK));
        EXPECT_EQ(0xC0A80101u, AddressIn(d, IDC_IF1_GATEWAY));
        EXPECT_EQ(0x0A000014u, AddressIn(d, IDC_IF2_ADDRESS));
        EXPECT_EQ(0xFF000000u, AddressIn(d, IDC_IF2_NETMASK));
        EXPECT_EQ("Line 3 press", ItemText(d, IDC_COMMENT));
        EXPECT_EQ(BST_UNCHECKED, d.IsDlgButtonChecked(IDC_DHCP));
        EXPECT_TRUE(IsEnabled(d, IDC_IF1_ADDRESS));
        // No password yet: marked, and OK waits for it.
        EXPECT_TRUE(dialog.GetPasswordEdit().GetError());
        EXPECT_FALSE(IsEnabled(d, IDOK));
        ExpectTemplateLayout(d, {{IDC_DHCP, 15, 17, 155, 12, true},
                                 {IDC_IF1_ADDRESS, 70, 34, 100, 15, true},
                                 {IDC_IF1_NETMASK, 70, 51, 100, 15, true},
                                 {IDC_IF1_GATEWAY, 70, 68, 100, 15, true},
                                 {IDC_IF2_ADDRESS, 249, 34, 100, 15, true},
                                 {IDC_IF2_NETMASK, 249, 51, 100, 15, true},
                                 {IDC_COMMENT, 70, 107, 281, 14, true},
                                 {IDC_CONFIG_PASSWORD, 251, 127, 100, 14, true},
                                 {IDOK, 254, 155, 50, 14, true},
                                 {IDCANCEL, 308, 155, 50, 14, true}});
        SetPassword(d, "admin");
        EXPECT_FALSE(dialog.GetPasswordEdit().GetError());
        EXPECT_TRUE(IsEnabled(d, IDOK));
        SetAddressAndNotify(d, IDC_IF1_GATEWAY, 0xC0A801FE);
        d.SetDlgItemText(IDC_COMMENT, "Line 4 press");
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("Static", dialog.m_dhcp);
    EXPECT_STREQ("192.168.1.20", dialog.m_if1Address);
    EXPECT_STREQ("255.255.255.0", dialog.m_if1Netmask);
    EXPECT_STREQ("192.168.1.254", dialog.m_if1Gateway);
    EXPECT_STREQ("10.0.0.20", dialog.m_if2Address);
    EXPECT_STREQ("255.0.0.0", dialog.m_if2Netmask);
    EXPECT_EQ(0xC0A801FEu, (uint32_t)dialog.m_if1GatewayValue);
    EXPECT_STREQ("admin", dialog.m_password);
    EXPECT_STREQ("Line 4 press", dialog.m_comment);
}

TEST(DlgConfigureMachineTest, WithDhcpAnEmptyInterface1AddressIsReturnedAsZeros)
{
    CDlgConfigureMachine dialog;
    dialog.m_dhcp = "DHCP";
    dialog.m_if1Address = "";
    dialog.m_if1Netmask = "not an address";
    dialog.m_if2Address = "10.0.0.20";
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_DHCP));
        EXPECT_FALSE(IsEnabled(d, IDC_IF1_ADDRESS));
        EXPECT_FALSE(IsEnabled(d, IDC_IF1_NETMASK));
        EXPECT_FALSE(IsEnabled(d, IDC_IF1_GATEWAY));
        EXPECT_TRUE(IsEnabled(d, IDC_IF2_ADDRESS));
        EXPECT_NE(0, (int)d.SendDlgItemMessage(IDC_IF1_ADDRESS, IPM_ISBLANK));
        EXPECT_NE(0, (int)d.SendDlgItemMessage(IDC_IF1_NETMASK, IPM_ISBLANK));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        SetPassword(d, "pw");
        EXPECT_TRUE(IsEnabled(d, IDOK));
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("DHCP", dialog.m_dhcp);
    EXPECT_STREQ("0.0.0.0", dialog.m_if1Address);
    EXPECT_STREQ("0.0.0.0", dialog.m_if1Netmask);
    EXPECT_STREQ("10.0.0.20", dialog.m_if2Address);
}

TEST(DlgConfigureMachineTest, TheDhcpBoxSwitchesInterface1AndTheOkRule)
{
    CDlgConfigureMachine dialog;
    FillStatic(dialog);
    dialog.m_if1Address = "";
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        SetPassword(d, "pw");
        EXPECT_FALSE(IsEnabled(d, IDOK));   // static without an address
        ClickDhcp(d, true);
        EXPECT_FALSE(IsEnabled(d, IDC_IF1_ADDRESS));
        EXPECT_TRUE(IsEnabled(d, IDOK));
        ClickDhcp(d, false);
        EXPECT_TRUE(IsEnabled(d, IDC_IF1_ADDRESS));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        SetAddressAndNotify(d, IDC_IF1_ADDRESS, 0x0A000014);   // the interface-2 address
        EXPECT_FALSE(IsEnabled(d, IDOK));
        SetAddressAndNotify(d, IDC_IF1_ADDRESS, 0x0A000015);
        EXPECT_TRUE(IsEnabled(d, IDOK));
        SetPassword(d, "");
        EXPECT_FALSE(IsEnabled(d, IDOK));
        EXPECT_TRUE(dialog.GetPasswordEdit().GetError());
        Click(d, IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, result);
}

// Enter reaches OnOK whatever the button's state: the rule is checked
// there again, and nothing half-filled is taken for zeros.
TEST(DlgConfigureMachineTest, OkRefusesWhatTheRuleForbidsWithAMessage)
{
    struct Case {
        const char* name;
        const char* password;
        DWORD if1;
        DWORD if2;
        int partialField; // id of an address left with one field filled, 0 none
        const char* message;
    };
    const Case cases[] = {
        {"no password", "", 0xC0A80114, 0x0A000014, 0, "Enter the admin password"},
        {"same address", "pw", 0x0A000014, 0x0A000014, 0, "cannot have the same IP address"},
        {"no address", "pw", 0, 0x0A000014, 0, "Enter the Interface 1 IP address"},
        {"half netmask", "pw", 0xC0A80114, 0x0A000014, IDC_IF1_NETMASK, "Interface 1 netmask is incomplete"},
        {"half address 2", "pw", 0xC0A80114, 0x0A000014, IDC_IF2_ADDRESS, "Interface 2 IP address is incomplete"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMessageBoxRecorder boxes;
        CDlgConfigureMachine dialog;
        FillStatic(dialog);
        INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
                                                SetPassword(d, c.password);
                                                SetAddressAndNotify(d, IDC_IF1_ADDRESS, c.if1);
                                                SetAddressAndNotify(d, IDC_IF2_ADDRESS, c.if2);
                                                if (c.if1 == 0)
                                                    d.SendDlgItemMessage(IDC_IF1_ADDRESS, IPM_CLEARADDRESS);
                                                if (c.partialField != 0) {
                                                    HWND control = ::GetDlgItem(d, c.partialField);
                                                    ::SendMessageA(control, IPM_CLEARADDRESS, 0, 0);
                                                    HWND field = ::GetWindow(control, GW_CHILD);
                                                    ::SetWindowTextA(field, "10");
                                                }
                                                d.SendMessage(WM_COMMAND, IDOK, 0);
                                            },
                                            [](CDialog& d) { Click(d, IDCANCEL); }});
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(1u, boxes.texts().size());
        EXPECT_NE(std::string::npos, boxes.texts()[0].find(c.message)) << boxes.texts()[0];
        EXPECT_STREQ("192.168.1.20", dialog.m_if1Address);
    }
}

TEST(DlgConfigureMachineTest, WithDhcpTheDisabledInterface1FieldsAreNotChecked)
{
    CMessageBoxRecorder boxes;
    CDlgConfigureMachine dialog;
    FillStatic(dialog);
    dialog.m_dhcp = "DHCP";
    dialog.m_if1Address = dialog.m_if2Address;
    INT_PTR result = RunDialog(dialog, {[&](CDialog& d) {
        SetPassword(d, "pw");
        Click(d, IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_STREQ("10.0.0.20", dialog.m_if1Address);
}

} // namespace
