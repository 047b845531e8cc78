#include "app/win/OperationHooks.h"

#include "framework/win/FileDialog.h"

#include <shellapi.h>

#include "app/win/DlgAppBrowser.h"
#include "app/win/DlgSocketTrov.h"

namespace {

INT_PTR ModalDialog(CDialog& dialog)
{
    return dialog.DoModal();
}

AppDialogRunner g_dialogRunner = ModalDialog;

// The run in the progress window, closed by the user once it is over.
void ProgressWindowRun(CWnd* parent, CMachineList& machines, const COperationRequest& request)
{
    CDlgSocketTrov dialog(machines, request.password.IsEmpty() ? nullptr : (LPCTSTR)request.password, parent);
    CSocketTrov& socket = dialog.GetSocket();
    socket.SetOperation(request.operation);
    socket.SetRestartValue(request.restartValue);
    socket.SetOutputPath(request.outputPath);
    socket.SetBackupFolder(request.backupFolder);
    if (request.operation == OP_FIRMWARE)
        dialog.SetFirmwareFile(request.sourcePath);
    else if (request.operation == OP_IO_FIRMWARE)
        dialog.SetIoFirmwareFile(request.sourcePath);
    else if (request.operation == OP_SEND_COMMAND)
        dialog.SetXmlCommand(request.xmlCommand);
    else if (request.operation == OP_INSTALL_APP)
        dialog.SetInstallParameters(request.appPath, request.dataSetName, request.keepValues);
    g_dialogRunner(dialog);
}

bool SystemFileChooser(CWnd* parent, const CFileChoice& choice, CString* path)
{
    CFileDialog dialog(choice.open, choice.defaultExtension.IsEmpty() ? nullptr : (LPCTSTR)choice.defaultExtension,
                       choice.initialName.IsEmpty() ? nullptr : (LPCTSTR)choice.initialName, choice.flags,
                       choice.filter, parent);
    if (!choice.initialFolder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = choice.initialFolder;
    if (dialog.DoModal() != IDOK)
        return false;
    *path = dialog.GetPathName();
    return true;
}

bool SystemFolderChooser(CWnd* parent, CString* folder)
{
    CFolderPickerDialog dialog(nullptr, 0, parent);
    if (dialog.DoModal() != IDOK)
        return false;
    *folder = dialog.GetPathName();
    return !folder->IsEmpty();
}

// The application browser: the files of the folder with the facts read
// from inside them; the path of the file chosen.
bool SystemApplicationChooser(CWnd* parent, const char* folder, CString* path)
{
    CDlgAppBrowser browser(folder, parent);
    if (RunAppDialog(browser) != IDOK || browser.GetPath().m_isFolder)
        return false;
    *path = browser.GetPath().m_path;
    return true;
}

void SystemShellOpener(const char* address)
{
    ::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

OperationRunner g_runner = ProgressWindowRun;
FileChooser g_fileChooser = SystemFileChooser;
FolderChooser g_folderChooser = SystemFolderChooser;
ShellOpener g_shellOpener = SystemShellOpener;
ApplicationChooser g_applicationChooser = SystemApplicationChooser;

} // namespace

void RunOperation(CWnd* parent, CMachineList& machines, const COperationRequest& request)
{
    g_runner(parent, machines, request);
}

void SetOperationRunner(OperationRunner runner)
{
    g_runner = runner ? runner : ProgressWindowRun;
}

INT_PTR RunAppDialog(CDialog& dialog)
{
    return g_dialogRunner(dialog);
}

void SetAppDialogRunner(AppDialogRunner runner)
{
    g_dialogRunner = runner ? runner : ModalDialog;
}

bool ChooseFile(CWnd* parent, const CFileChoice& choice, CString* path)
{
    return g_fileChooser(parent, choice, path);
}

void SetFileChooser(FileChooser chooser)
{
    g_fileChooser = chooser ? chooser : SystemFileChooser;
}

bool ChooseFolder(CWnd* parent, CString* folder)
{
    return g_folderChooser(parent, folder);
}

void SetFolderChooser(FolderChooser chooser)
{
    g_folderChooser = chooser ? chooser : SystemFolderChooser;
}

void OpenWithShell(const char* address)
{
    g_shellOpener(address);
}

void SetShellOpener(ShellOpener opener)
{
    g_shellOpener = opener ? opener : SystemShellOpener;
}

bool ChooseApplicationFile(CWnd* parent, const char* folder, CString* path)
{
    return g_applicationChooser(parent, folder, path);
}

void SetApplicationChooser(ApplicationChooser chooser)
{
    g_applicationChooser = chooser ? chooser : SystemApplicationChooser;
}
