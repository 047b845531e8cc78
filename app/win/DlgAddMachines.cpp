#include "app/win/DlgAddMachines.h"

#include "framework/win/Dialog.h"

#include <vector>

#include "app/AddressCheck.h"
#include "app/win/AppDialogs.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDlgAddMachines, CDialog)
    ON_BN_CLICKED(IDC_ADD_SINGLE, &CDlgAddMachines::OnAddSingle)
    ON_BN_CLICKED(IDC_ADD_RANGE, &CDlgAddMachines::OnAddRange)
    ON_BN_CLICKED(IDC_REMOVE_SELECTED, &CDlgAddMachines::OnRemoveSelected)
END_MESSAGE_MAP()

CDlgAddMachines::CDlgAddMachines(CWnd* parent) : CDialog(IDD_ADD_MACHINES, parent) {}

CDlgAddMachines::~CDlgAddMachines() = default;

void CDlgAddMachines::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SINGLE_ADDRESS, m_singleAddress);
    DDX_Control(pDX, IDC_RANGE_START, m_rangeStart);
    DDX_Control(pDX, IDC_RANGE_END, m_rangeEnd);
    DDX_Control(pDX, IDC_ADDRESS_LIST, m_addressList);
    DDX_Control(pDX, IDC_REMOVE_SELECTED, m_removeButton);
}

BOOL CDlgAddMachines::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_initialAddress != 0) {
        m_singleAddress.SetAddress(m_initialAddress);
        m_rangeStart.SetAddress(m_initialAddress);
    }
    m_rangeEnd.LimitText(64);
    RefillList();
    return TRUE;
}

void CDlgAddMachines::RefillList()
{
    m_addressList.ResetContent();
    for (POSITION position = m_addresses.GetHeadPosition(); position != nullptr;)
        m_addressList.AddString(CIpAddressText(m_addresses.GetNext(position)));
}

void CDlgAddMachines::OnAddSingle()
{
    DWORD value = 0;
    if (m_singleAddress.GetAddress(value) != 4) {
        AppMessageBox("Fill in all four numbers of the address before adding it.", MB_OK | MB_ICONEXCLAMATION);
        m_singleAddress.SetFocus();
        return;
    }
    if (m_addresses.AddUnique(CIpAddress((uint32_t)value)))
        RefillList();
}

void CDlgAddMachines::OnAddRange()
{
    DWORD start = 0;
    if (m_rangeStart.GetAddress(start) != 4) {
        AppMessageBox("Fill in all four numbers of the range's first address before adding the range.",
                      MB_OK | MB_ICONEXCLAMATION);
        m_rangeStart.SetFocus();
        return;
    }
    CString endText;
    m_rangeEnd.GetWindowText(endText);
    int end = 0;
    int first = (int)(start & 0xFF);
    CString message;
    if (!ParseTypedOctet(endText, &end)) {
        if (endText.Trim().IsEmpty())
            message = "Enter the last number of the range (up to 255).";
        else
            message.Format("The range can only end at a last number from 0 to 255, not at \"%s\".",
                           (LPCTSTR)endText);
    } else if (end <= first) {
        message.Format("The range's end (%d) must be above the last number of its first address (%d).", end,
                       first);
    }
    if (!message.IsEmpty()) {
        AppMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        m_rangeEnd.SetFocus();
        m_rangeEnd.SetSel(0, -1);
        return;
    }
    uint32_t network = (uint32_t)start & 0xFFFFFF00u;
    for (int last = first; last <= end; ++last)
        m_addresses.AddUnique(CIpAddress(network | (uint32_t)last));
    RefillList();
}

void CDlgAddMachines::OnRemoveSelected()
{
    int count = m_addressList.GetSelCount();
    if (count <= 0)
        return;
    std::vector<int> selected((size_t)count);
    count = m_addressList.GetSelItems(count, selected.data());
    for (int i = 0; i < count; ++i) {
        CString text;
        m_addressList.GetText(selected[(size_t)i], text);
        uint32_t value = 0;
        if (!ParseTypedAddress(text, &value))
            continue;
        POSITION position = m_addresses.Find(CIpAddress(value));
        if (position != nullptr)
            m_addresses.RemoveAt(position);
    }
    RefillList();
}
