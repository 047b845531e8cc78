#pragma once
// "Add Machines": builds the list of addresses to be added to the saved
// machine list, one address at a time or as a range within the last number
// of an address.
#include "app/IpAddress.h"
#include "framework/win/Dialog.h"
#include "framework/win/Controls.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/controls/ZUDPListBox.h"

class CDlgAddMachines : public CDialog {
public:
    explicit CDlgAddMachines(CWnd* parent = nullptr);
    ~CDlgAddMachines() override;

    // Filled by the caller before and taken after the dialog: no address
    // twice, in the order added.
    CListIpAddresses m_addresses;
    // Put into both address controls at the start (0: none).
    DWORD m_initialAddress = 0;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CZUDPListBox& GetAddressList() { return m_addressList; }

protected:
    void OnAddSingle();
    void OnAddRange();
    void OnRemoveSelected();
    void RefillList();

    CIPAddressCtrl m_singleAddress;
    CIPAddressCtrl m_rangeStart;
    CZUDPEdit m_rangeEnd;
    CZUDPListBox m_addressList;
    CZUDPButton m_removeButton;

    DECLARE_MESSAGE_MAP()
};
