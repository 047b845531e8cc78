#pragma once
// "Configure Machine": the network settings and comment of one controller
// before the Reconfigure command is built.  OK needs the admin password
// and, with static addressing, an interface-1 address that is neither
// 0.0.0.0 nor the interface-2 address.
#include "ui/controls/ZUDPButton.h"
#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"
#include "ui/controls/ZUDPDialog.h"
#include "app/win/GZUDPEdit.h"

class CDlgConfigureMachine : public CZUDPDialog {
public:
    explicit CDlgConfigureMachine(CWnd* parent = nullptr);
    ~CDlgConfigureMachine() override;

    // Set by the caller before, read after the dialog ("%d.%d.%d.%d").
    CString m_if1Address;
    CString m_if2Address;
    CString m_if1Netmask;
    CString m_if2Netmask;
    CString m_if1Gateway;
    // The controls' values, first octet in the most significant byte.
    DWORD m_if1AddressValue = 0;
    DWORD m_if2AddressValue = 0;
    DWORD m_if1NetmaskValue = 0;
    DWORD m_if2NetmaskValue = 0;
    DWORD m_if1GatewayValue = 0;
    CString m_dhcp;     // "DHCP" or "Static"
    CString m_password; // at most 64 characters
    CString m_comment;  // at most 256 characters

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The admin password edit (UTF-8); its error colour marks a missing
    // password.
    CGZUDPEdit& GetPasswordEdit() { return m_passwordEdit; }

protected:
    // Reads the controls' values, marks a missing password and enables OK.
    void ApplyOkRule();
    bool IsOkAllowed() const;
    void ReadValues();
    void OnDhcpClicked();
    void OnPasswordChange();
    void OnAddressChange(UINT id);
    void OnAddressFieldChanged(UINT id, NMHDR* header, LRESULT* result);
    void EnableInterface1(BOOL enable);

    CIPAddressCtrl m_if1AddressCtrl;
    CIPAddressCtrl m_if1NetmaskCtrl;
    CIPAddressCtrl m_if1GatewayCtrl;
    CIPAddressCtrl m_if2AddressCtrl;
    CIPAddressCtrl m_if2NetmaskCtrl;
    CGZUDPEdit m_passwordEdit;
    CZUDPButton m_okButton;
    BOOL m_dhcpChecked = FALSE;

    DECLARE_MESSAGE_MAP()
};
