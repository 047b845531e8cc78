#include "app/win/DlgRemoteMachine.h"

#include "framework/win/Wnd.h"

#include "app/AddressCheck.h"

CDlgRemoteMachine::CDlgRemoteMachine(CMachineList* machines, CWnd* parent)
    : CDlgTextEntry("Remote System", "Name/IP Address", 64, parent), m_machines(machines)
{
    INT_PTR count = m_machines != nullptr ? m_machines->GetCount() : 0;
    if (count == 1) {
        m_text = CIpAddressText(m_machines->GetHead()->m_address);
        m_locked = TRUE;
    } else if (count > 1) {
        m_text = "<multiple>";
        m_locked = TRUE;
    } else {
        m_text.Empty();
        // Over an empty list the typed address becomes the machine: nothing
        // but a whole address is accepted.
        m_entryKind = kEntryAddress;
    }
}

CDlgRemoteMachine::~CDlgRemoteMachine()
{
    if (m_typedMachine != nullptr && m_machines != nullptr) {
        POSITION position = m_machines->Find(m_typedMachine);
        if (position != nullptr)
            m_machines->RemoveAt(position);
    }
    delete m_typedMachine;
}

void CDlgRemoteMachine::OnOK()
{
    CString text = m_text;
    if (m_entry.GetSafeHwnd() != nullptr)
        text = m_entry.GetTextUtf8();
    if (!CheckEntry(text)) {
        m_entry.SetError(TRUE);
        m_entry.SetFocus();
        m_entry.SetSel(0, -1);
        return;
    }
    if (!UpdateData(TRUE))
        return;
    m_text = text;
    uint32_t value = 0;
    if (m_machines != nullptr && m_machines->IsEmpty() && m_typedMachine == nullptr &&
        ParseTypedAddress(text, &value)) {
        m_typedMachine = new CMachine(CIpAddress(value), 0);
        m_machines->AddTail(m_typedMachine);
    }
    EndDialog(IDOK);
}
