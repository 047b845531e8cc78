#include "app/win/AppSeams.h"

#include <chrono>

#include "framework/win/FileDialog.h"
#include "framework/win/WinApp.h"

#include <shellapi.h>

#include "app/win/DlgAppBrowser.h"
#include "app/win/DlgSocketTrov.h"
#include "app/Discovery.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/controls/ZUDPMessageBox.h"

namespace {

INT_PTR ModalDialog(CDialog& dialog)
{
    return dialog.DoModal();
}

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
        dialog.SetXmlCommandBuilder(request.xmlCommand);
    else if (request.operation == OP_INSTALL_APP)
        dialog.SetInstallParameters(request.appPath, request.dataSetName, request.keepValues);
    RunAppDialog(dialog);
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
    g_frameworkSeams.shellExecute(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

uint32_t SteadyTickCount()
{
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return (uint32_t)std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

// The library's themed box for the program's own messages (owned by the
// given window, when one is given); a box with a caption of its own is the
// system's, owned by the given window.
int SystemMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    if (caption == nullptr)
        return owner != nullptr ? ThemedMessageBoxEx(owner, text, AfxGetAppName(), type) : ThemedMessageBox(text, type);
    return g_frameworkSeams.messageBox(owner, text, caption, type);
}

bool SystemAdapters(std::vector<IP_ADAPTER_INFO>* adapters)
{
    ULONG size = 0;
    if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0)
        return false;
    std::vector<unsigned char> buffer(size);
    IP_ADAPTER_INFO* list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (::GetAdaptersInfo(list, &size) != NO_ERROR)
        return false;
    for (IP_ADAPTER_INFO* a = list; a; a = a->Next) {
        adapters->push_back(*a);
        adapters->back().Next = nullptr;
    }
    return true;
}

void SystemBroadcast(const char* text, bool alert, CDiscoveryLog* log)
{
    if (alert)
        BroadcastAndAlert(text);
    else
        BroadcastAndLog(text, log);
}

} // namespace

AppSeams::AppSeams()
    : tickCount(SteadyTickCount), messageBox(SystemMessageBox), runOperation(ProgressWindowRun),
      runDialog(ModalDialog), chooseFile(SystemFileChooser), chooseFolder(SystemFolderChooser),
      openWithShell(SystemShellOpener), chooseApplication(SystemApplicationChooser),
      networkAdapters(SystemAdapters), broadcast(SystemBroadcast)
{
}

AppSeams g_appSeams;

uint32_t AppTickCount() { return g_appSeams.tickCount(); }

void RunOperation(CWnd* parent, CMachineList& machines, const COperationRequest& request)
{
    g_appSeams.runOperation(parent, machines, request);
}

INT_PTR RunAppDialog(CDialog& dialog) { return g_appSeams.runDialog(dialog); }

bool ChooseFile(CWnd* parent, const CFileChoice& choice, CString* path)
{
    return g_appSeams.chooseFile(parent, choice, path);
}

bool ChooseFolder(CWnd* parent, CString* folder) { return g_appSeams.chooseFolder(parent, folder); }

void OpenWithShell(const char* address) { g_appSeams.openWithShell(address); }

bool ChooseApplicationFile(CWnd* parent, const char* folder, CString* path)
{
    return g_appSeams.chooseApplication(parent, folder, path);
}
