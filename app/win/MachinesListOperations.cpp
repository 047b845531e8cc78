// The operations a machine list runs on its selected machines: each asks
// for what it needs (file, folder, password, address), checks it, and hands
// the machines to a run over TCP.
#include "app/win/MachinesListCtrl.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/AddressCheck.h"
#include "app/AppInstall.h"
#include "app/FirmwareImage.h"
#include "app/win/AppDialogs.h"
#include "app/win/DlgInstallApp.h"
#include "app/win/DlgRemoteMachine.h"
#include "app/win/AppSeams.h"
#include "app/win/SocketTrov.h"

namespace {

bool CanRead(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

// The folder part of a chosen file (before the last '\').
CString FolderOf(const CString& path)
{
    CRememberedPath remembered;
    remembered.SetFile(path);
    remembered.MakeFolder();
    return remembered.m_path;
}

// The address dialog with its password row over the machines, then, on OK,
// the run of the request with the typed password.  A machine typed over an
// empty list lives as long as the dialog, so the run happens inside it.
void AskAddressAndRun(CWnd* owner, CMachineList& machines, COperationRequest& request)
{
    CDlgRemoteMachine dialog(&machines, owner);
    dialog.m_showPassword = TRUE;
    if (RunAppDialog(dialog) != IDOK)
        return;
    request.password = dialog.m_password;
    RunOperation(owner, machines, request);
}

// The firmware files offered for each kind of board: the extension a typed
// name gets and the file filter of the chooser.
struct FirmwareFileKind {
    int board;
    const char* defaultExtension;
    const char* filter;
};

const FirmwareFileKind kFirmwareFileKinds[] = {
    {kBoardNone, ".zip", "Compressed Firmware (*.zip)|*.zip|Target Firmware (*.tar)|*.tar||"},
    {kBoardK410, ".410", "K410 Firmware (K410*.hex)|K410*.hex|K410 Firmware (*.410)|*.410||"},
    {kBoardK420, ".420", "K420 Firmware (K420*.hex)|K420*.hex|K420 Firmware (*.420)|*.420||"},
    {kBoardK430, ".430", "K430 Firmware (K430*.hex)|K430*.hex|K430 Firmware (*.430)|*.430||"},
    {kBoardRpi, ".rpi", "Compressed RPi Firmware (*.rpi)|*.rpi||"},
};

// The firmware files of a board, or null for a board that takes none.
const FirmwareFileKind* FirmwareFileKindOf(int board)
{
    for (const FirmwareFileKind& kind : kFirmwareFileKinds) {
        if (kind.board == board)
            return &kind;
    }
    return nullptr;
}

// The checks of a firmware file against every kind of board selected, made
// before any controller is contacted: a HEX file must build into an image
// whole, an I/O-firmware file must not be a zipped image for a known board.
// The message to show, or empty.
CString CheckFirmwareFileForBoards(const CMachineList& machines, const char* path, bool ioFirmware)
{
    std::set<int> seen;
    for (POSITION p = machines.GetHeadPosition(); p;) {
        int board = machines.GetNext(p)->m_boardType;
        if (!seen.insert(board).second)
            continue;
        unsigned char* image = nullptr;
        uint32_t total = 0;
        std::string failure;
        bool zipped = false;
        bool ok = PrepareFirmwareUpload(board, path, ioFirmware, &image, &total, &failure, &zipped);
        std::free(image);
        if (!ok) {
            if (zipped)
                return failure.c_str();
            CString text;
            text.Format("The firmware file cannot be used, nothing was sent:\r\n%s", failure.c_str());
            return text;
        }
    }
    return CString();
}

// A firmware file checked against the selected boards and, when none
// refuses it, the address dialog and the upload.
void UploadFirmwareFile(CWnd* owner, CMachineList& machines, const CString& path, bool ioFirmware)
{
    CString refused = CheckFirmwareFileForBoards(machines, path, ioFirmware);
    if (!refused.IsEmpty()) {
        AppMessageBox(refused, MB_OK | MB_ICONERROR);
        return;
    }
    COperationRequest request;
    request.operation = ioFirmware ? OP_IO_FIRMWARE : OP_FIRMWARE;
    request.sourcePath = path;
    AskAddressAndRun(owner, machines, request);
}

// The board kinds of the machines, one per machine in list order.
std::vector<int> BoardsOf(const CMachineList& machines)
{
    std::vector<int> boards;
    for (POSITION p = machines.GetHeadPosition(); p;)
        boards.push_back(machines.GetNext(p)->m_boardType);
    return boards;
}

} // namespace

void CMachinesListCtrl::GetBackup(const char* folder)
{
    CMachineList machines;
    GetSelectedMachines(machines);
    COperationRequest request;
    request.operation = OP_BACKUP;
    request.backupFolder = folder;
    AskAddressAndRun(GetParentOwner(), machines, request);
}

void CMachinesListCtrl::GetEventLog()
{
    CFileChoice choice;
    choice.open = FALSE;
    choice.defaultExtension = ".log";
    choice.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    choice.filter = "log Files (*.log)|*.log|All Files (*.*)|*.*||";
    CString path;
    if (!ChooseFile(GetParentOwner(), choice, &path))
        return;
    CMachineList machines;
    GetSelectedMachines(machines);
    COperationRequest request;
    request.operation = OP_EVENT_LOG;
    request.outputPath = path;
    AskAddressAndRun(GetParentOwner(), machines, request);
}

void CMachinesListCtrl::UpdateFirmware()
{
    CMachineList machines;
    GetSelectedMachines(machines);
    if (machines.IsEmpty())
        return;
    CFileChoice choice;
    choice.flags = OFN_NOCHANGEDIR;
    choice.initialFolder = m_firmwareFolder.m_path;
    int board = machines.GetHead()->m_boardType;
    const FirmwareFileKind* kind = FirmwareFileKindOf(board);
    if (!kind)
        return;
    choice.defaultExtension = kind->defaultExtension;
    choice.filter = kind->filter;
    CString path;
    if (!ChooseFile(GetParentOwner(), choice, &path))
        return;
    if (!CanRead(path)) {
        AppMessageBox("Can't get Read Access on that Firmware file");
        return;
    }
    m_firmwareFolder.SetFolder(FolderOf(path));
    std::string nameMessage = CheckFirmwareFileName(board, path);
    if (!nameMessage.empty()) {
        AppMessageBox(nameMessage.c_str());
        return;
    }
    UploadFirmwareFile(GetParentOwner(), machines, path, false);
}

void CMachinesListCtrl::UpdateIoFirmware()
{
    CFileChoice choice;
    choice.flags = OFN_NOCHANGEDIR;
    choice.defaultExtension = ".rbf";
    choice.filter = "Raw Binary Files (*.rbf)|*.rbf||";
    choice.initialFolder = m_ioFolder.m_path;
    CString path;
    if (!ChooseFile(GetParentOwner(), choice, &path))
        return;
    if (!CanRead(path)) {
        AppMessageBox("Can't get Read Access on that IO file");
        return;
    }
    m_ioFolder.SetFolder(FolderOf(path));
    CMachineList machines;
    GetSelectedMachines(machines);
    UploadFirmwareFile(GetParentOwner(), machines, path, true);
}

void CMachinesListCtrl::RestartRuntime()
{
    CMachine* machine = FirstSelectedMachine();
    if (!machine)
        return;
    CDlgTextEntry dialog("Remote System", "Name/IP Address", 64, GetParentOwner());
    dialog.m_showPassword = TRUE;
    dialog.m_text = CIpAddressText(machine->m_address);
    // The run targets the selected machine whatever is typed: the address
    // is shown, not edited.
    dialog.m_readOnly = TRUE;
    if (RunAppDialog(dialog) != IDOK)
        return;
    CMachineList machines;
    machines.AddTail(machine);
    COperationRequest request;
    request.operation = OP_RESTART;
    request.password = dialog.m_password;
    request.restartValue = RUNTIME_RESTART_KEEP;
    RunOperation(GetParentOwner(), machines, request);
}

BOOL CMachinesListCtrl::CanUpdateFirmware() const
{
    CMachineList machines;
    GetSelectedMachines(machines);
    return CanUpdateFirmwareBoards(BoardsOf(machines));
}

BOOL CMachinesListCtrl::CanUpdateIoFirmware() const
{
    CMachineList machines;
    GetSelectedMachines(machines);
    return CanUpdateIoFirmwareBoards(BoardsOf(machines));
}

CString CMachinesListCtrl::ChooseApplication()
{
    CString path;
    if (!ChooseApplicationFile(GetParentOwner(), m_appFolder.m_path, &path))
        return CString();
    return path;
}

void CMachinesListCtrl::InstallApplication(CDiscoveryLog*)
{
    CString path = ChooseApplication();
    if (path.IsEmpty())
        return;
    m_appFolder.SetFolder(FolderOf(path));
    CInstallApplication application;
    CString message;
    if (!ReadInstallApplication(path, application, message)) {
        AppMessageBox(message);
        return;
    }
    CMachineList machines;
    GetSelectedMachines(machines);
    std::vector<CString> messages;
    bool goOn = CheckInstallSelection(application, machines, messages);
    for (const CString& text : messages)
        AppMessageBox(text);
    if (!goOn)
        return;

    CInstallUpdateChoice choice = DecideInstallUpdate(machines, application.m_identity);
    CDlgInstallApp dialog(GetParentOwner());
    if (machines.GetCount() == 1) {
        dialog.m_address = CIpAddressText(machines.GetHead()->m_address);
    } else {
        dialog.m_address = "<multiple>";
        dialog.m_addressLocked = TRUE;
    }
    dialog.m_dataSetNames = application.m_dataSetNames;
    dialog.m_currentDataSet = choice.m_currentDataSet;
    dialog.m_dataSet = choice.m_currentDataSet;
    dialog.m_updateAllowed = choice.m_updateAllowed ? TRUE : FALSE;
    dialog.m_appVersion = application.m_version;
    if (RunAppDialog(dialog) != IDOK)
        return;
    if (machines.GetCount() == 1) {
        // Only a whole address replaces the machine's.
        uint32_t typed = 0;
        if (ParseTypedAddress(dialog.m_address, &typed))
            machines.GetHead()->m_address = CIpAddress(typed);
    }
    COperationRequest request;
    request.operation = OP_INSTALL_APP;
    request.password = dialog.m_password;
    request.appPath = path;
    request.dataSetName = dialog.m_dataSet;
    request.keepValues = dialog.m_update;
    RunOperation(GetParentOwner(), machines, request);
}
