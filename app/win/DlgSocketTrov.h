#pragma once
// "Synchronising...": the modal window in which one controller operation
// runs over a list of machines.  One row per machine shows its status, the
// progress bar the run's progress; the reply timeout is checked every
// 500 ms, and when the last machine is done the button turns from "Cancel"
// to "OK".  The button closes the window at any time; a run still under way
// is abandoned and its connection closed.
#include "app/MachineMap.h"
#include "app/win/GDialogManager.h"
#include "app/win/SocketTrov.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPDialog.h"
#include "ui/controls/ZUDPListCtrl.h"

class CDlgSocketTrov : public CZUDPDialog, public CGDialogManager {
public:
    enum { kTimerTimeout = 1, kTimeoutPeriodMs = 500 };

    // Copies the machines of the caller's list, in order, into the run's own
    // list (the caller's list is not changed).
    CDlgSocketTrov(const CMachineList& machines, LPCTSTR password = nullptr, CWnd* parent = nullptr);
    ~CDlgSocketTrov() override;

    // The operation and its parameters, set before the window runs.
    void SetFirmwareFile(LPCTSTR path) { m_socket->SetFirmwareFile(path); }
    void SetIoFirmwareFile(LPCTSTR path) { m_socket->SetIoFirmwareFile(path); }
    void SetXmlCommand(LPCTSTR text) { m_socket->SetXmlCommand(text); }
    void SetXmlCommandBuilder(const CSocketTrov::CommandBuilder& build) { m_socket->SetXmlCommandBuilder(build); }
    void SetInstallParameters(LPCTSTR appPath, LPCTSTR dataSetName, BOOL keepValues)
    {
        m_socket->SetInstallParameters(appPath, dataSetName, keepValues);
    }
    // Restart (operation 2 with its restart value), backup (folder) and
    // event log (output path) are set on the connection itself.
    CSocketTrov& GetSocket() { return *m_socket; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CZUDPListCtrl& GetStatusList() { return m_statusList; }
    CProgressCtrl& GetProgress() { return m_progress; }
    CZUDPButton& GetButton() { return m_button; }
    const CString& GetPassword() const { return m_password; }
    // The run is over and the button reads "OK".
    BOOL IsFinished() const { return m_finished; }

protected:
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    // Ends the window; a run still under way sends nothing more.
    void CloseWindow();

    CString m_password;
    CSocketTrov* m_socket = nullptr; // owned
    CProgressCtrl m_progress;
    CZUDPListCtrl m_statusList;
    CZUDPButton m_button;
    BOOL m_finished = FALSE;
    BOOL m_layoutRecorded = FALSE;

    DECLARE_MESSAGE_MAP()
};
