#include "app/win/DlgConfigureMachine.h"

#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"

#include "app/IpAddress.h"
#include "app/win/AppDialogs.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDlgConfigureMachine, CZUDPDialog)
    ON_BN_CLICKED(IDC_DHCP, &CDlgConfigureMachine::OnDhcpClicked)
    ON_EN_CHANGE(IDC_CONFIG_PASSWORD, &CDlgConfigureMachine::OnPasswordChange)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_IF1_ADDRESS, IDC_IF1_GATEWAY, &CDlgConfigureMachine::OnAddressChange)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_IF2_ADDRESS, IDC_IF2_NETMASK, &CDlgConfigureMachine::OnAddressChange)
    ON_NOTIFY_RANGE(IPN_FIELDCHANGED, IDC_IF1_ADDRESS, IDC_IF1_GATEWAY, &CDlgConfigureMachine::OnAddressFieldChanged)
    ON_NOTIFY_RANGE(IPN_FIELDCHANGED, IDC_IF2_ADDRESS, IDC_IF2_NETMASK, &CDlgConfigureMachine::OnAddressFieldChanged)
END_MESSAGE_MAP()

namespace {

const int kPasswordLimit = 64;
const int kCommentLimit = 256;

void ShowAddressText(CIPAddressCtrl& control, const CString& text)
{
    CIpAddress address;
    if (!text.IsEmpty() && address.Parse(text))
        control.SetAddress((DWORD)address.GetValue());
    else
        control.ClearAddress();
}

DWORD ReadAddress(const CIPAddressCtrl& control, int* fields = nullptr)
{
    DWORD value = 0;
    int count = control.GetAddress(value);
    if (fields != nullptr)
        *fields = count;
    return value;
}

} // namespace

CDlgConfigureMachine::CDlgConfigureMachine(CWnd* parent) : CZUDPDialog(IDD_CONFIGURE_MACHINE, parent)
{
    SetVisualManagerLook(TRUE, FALSE);
}

CDlgConfigureMachine::~CDlgConfigureMachine() = default;

void CDlgConfigureMachine::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IF1_ADDRESS, m_if1AddressCtrl);
    DDX_Control(pDX, IDC_IF1_NETMASK, m_if1NetmaskCtrl);
    DDX_Control(pDX, IDC_IF1_GATEWAY, m_if1GatewayCtrl);
    DDX_Control(pDX, IDC_IF2_ADDRESS, m_if2AddressCtrl);
    DDX_Control(pDX, IDC_IF2_NETMASK, m_if2NetmaskCtrl);
    DDX_Control(pDX, IDC_CONFIG_PASSWORD, m_passwordEdit);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Text(pDX, IDC_COMMENT, m_comment);
}

BOOL CDlgConfigureMachine::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    m_passwordEdit.LimitText(kPasswordLimit);
    m_passwordEdit.SetTextUtf8(m_password);
    ((CEdit*)GetDlgItem(IDC_COMMENT))->LimitText(kCommentLimit);

    ShowAddressText(m_if1AddressCtrl, m_if1Address);
    ShowAddressText(m_if1NetmaskCtrl, m_if1Netmask);
    ShowAddressText(m_if1GatewayCtrl, m_if1Gateway);
    ShowAddressText(m_if2AddressCtrl, m_if2Address);
    ShowAddressText(m_if2NetmaskCtrl, m_if2Netmask);

    m_dhcpChecked = m_dhcp == "DHCP";
    CheckDlgButton(IDC_DHCP, m_dhcpChecked ? BST_CHECKED : BST_UNCHECKED);
    EnableInterface1(!m_dhcpChecked);
    ApplyOkRule();
    return TRUE;
}

void CDlgConfigureMachine::EnableInterface1(BOOL enable)
{
    m_if1AddressCtrl.EnableWindow(enable);
    m_if1NetmaskCtrl.EnableWindow(enable);
    m_if1GatewayCtrl.EnableWindow(enable);
}

void CDlgConfigureMachine::ReadValues()
{
    m_if1AddressValue = ReadAddress(m_if1AddressCtrl);
    m_if1NetmaskValue = ReadAddress(m_if1NetmaskCtrl);
    m_if1GatewayValue = ReadAddress(m_if1GatewayCtrl);
    m_if2AddressValue = ReadAddress(m_if2AddressCtrl);
    m_if2NetmaskValue = ReadAddress(m_if2NetmaskCtrl);
    m_dhcpChecked = IsDlgButtonChecked(IDC_DHCP) == BST_CHECKED;
    m_password = m_passwordEdit.GetTextUtf8();
}

bool CDlgConfigureMachine::IsOkAllowed() const
{
    if (m_password.IsEmpty())
        return false;
    return m_dhcpChecked || (m_if1AddressValue != m_if2AddressValue && m_if1AddressValue != 0);
}

void CDlgConfigureMachine::ApplyOkRule()
{
    ReadValues();
    m_passwordEdit.SetError(m_password.IsEmpty());
    m_okButton.EnableWindow(IsOkAllowed());
}

void CDlgConfigureMachine::OnDhcpClicked()
{
    EnableInterface1(IsDlgButtonChecked(IDC_DHCP) != BST_CHECKED);
    ApplyOkRule();
}

void CDlgConfigureMachine::OnPasswordChange() { ApplyOkRule(); }

void CDlgConfigureMachine::OnAddressChange(UINT) { ApplyOkRule(); }

void CDlgConfigureMachine::OnAddressFieldChanged(UINT, NMHDR*, LRESULT* result)
{
    ApplyOkRule();
    *result = 0;
}

void CDlgConfigureMachine::OnOK()
{
    ReadValues();
    // The OK rule holds here too, whatever way the command came (Enter on
    // a disabled button included); a half-filled address is never taken
    // for one with zeros.
    struct Field {
        CIPAddressCtrl* control;
        const char* name;
        bool interface1;
    };
    const Field fields[] = {{&m_if1AddressCtrl, "Interface 1 IP address", true},
                            {&m_if1NetmaskCtrl, "Interface 1 netmask", true},
                            {&m_if1GatewayCtrl, "Interface 1 gateway", true},
                            {&m_if2AddressCtrl, "Interface 2 IP address", false},
                            {&m_if2NetmaskCtrl, "Interface 2 netmask", false}};
    CString message;
    CWnd* focus = nullptr;
    if (m_password.IsEmpty()) {
        message = "Enter the admin password to allow the changes to be made.";
        focus = &m_passwordEdit;
    }
    for (const Field& field : fields) {
        if (!message.IsEmpty())
            break;
        if (field.interface1 && m_dhcpChecked)
            continue;
        int filled = 0;
        ReadAddress(*field.control, &filled);
        if (filled != 0 && filled != 4) {
            message.Format("The %s is incomplete. Fill in all four numbers, or clear the field.", field.name);
            focus = field.control;
        }
    }
    if (message.IsEmpty() && !m_dhcpChecked) {
        if (m_if1AddressValue == 0) {
            message = "Enter the Interface 1 IP address, or check DHCP.";
            focus = &m_if1AddressCtrl;
        } else if (m_if1AddressValue == m_if2AddressValue) {
            message = "Interface 1 and Interface 2 cannot have the same IP address.";
            focus = &m_if2AddressCtrl;
        }
    }
    if (message.IsEmpty()) {
        CString comment;
        GetDlgItemText(IDC_COMMENT, comment);
        if (comment.GetLength() > kCommentLimit) {
            message.Format("The comment may hold at most %d characters.", kCommentLimit);
            focus = GetDlgItem(IDC_COMMENT);
        } else if (m_password.GetLength() > kPasswordLimit) {
            message.Format("The admin password may hold at most %d characters.", kPasswordLimit);
            focus = &m_passwordEdit;
        }
    }
    if (!message.IsEmpty()) {
        AppMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        if (focus != nullptr)
            focus->SetFocus();
        ApplyOkRule();
        return;
    }

    if (!UpdateData(TRUE))
        return;
    m_if1Address = CIpAddressText((uint32_t)m_if1AddressValue);
    m_if1Netmask = CIpAddressText((uint32_t)m_if1NetmaskValue);
    m_if1Gateway = CIpAddressText((uint32_t)m_if1GatewayValue);
    m_if2Address = CIpAddressText((uint32_t)m_if2AddressValue);
    m_if2Netmask = CIpAddressText((uint32_t)m_if2NetmaskValue);
    m_dhcp = m_dhcpChecked ? "DHCP" : "Static";
    EndDialog(IDOK);
}
