#pragma once
// The "Remote System" address dialog of backup, event log, firmware, I/O
// firmware and restart: over a selection it shows the one address or
// "<multiple>" (locked); over an empty selection it asks for an address and
// adds a machine made from it to the list, which the dialog owns.
#include "app/MachineMap.h"
#include "app/win/DlgTextEntry.h"

class CDlgRemoteMachine : public CDlgTextEntry {
public:
    explicit CDlgRemoteMachine(CMachineList* machines, CWnd* parent = nullptr);
    ~CDlgRemoteMachine() override;

    // The machine made from the typed address (none until OK over an empty
    // list); deleted with the dialog.
    CMachine* GetTypedMachine() const { return m_typedMachine; }

    void OnOK() override;

protected:
    CMachineList* m_machines; // not owned
    CMachine* m_typedMachine = nullptr;
};
