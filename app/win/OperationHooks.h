#pragma once
// What the machine commands ask of the system — modal dialogs, file and
// folder choosers, the shell, the run of an operation over machines — goes
// through replaceable functions, so that tests can answer them instead of
// a user and never open a browser.
#include "framework/win/Dialog.h"

#include "app/MachineMap.h"
#include "app/TrovProtocol.h"

// One run of an operation over a list of machines.
struct COperationRequest {
    int operation = OP_IDENTIFY;
    CString password;
    CString sourcePath;   // firmware and I/O firmware
    CString outputPath;   // event log
    CString backupFolder; // backup
    CString xmlCommand;   // a prepared XML command
    int restartValue = RUNTIME_RESTART_KEEP;
    CString appPath;      // install
    CString dataSetName;
    BOOL keepValues = FALSE;
};

// Runs the operation over the machines in the progress window (through the
// dialog runner below); returns when the window is closed.
typedef void (*OperationRunner)(CWnd* parent, CMachineList& machines, const COperationRequest& request);
void RunOperation(CWnd* parent, CMachineList& machines, const COperationRequest& request);
void SetOperationRunner(OperationRunner runner);

// Runs a modal dialog of the commands (address, password, configure, add
// machines, install, progress window); its result.
typedef INT_PTR (*AppDialogRunner)(CDialog& dialog);
INT_PTR RunAppDialog(CDialog& dialog);
void SetAppDialogRunner(AppDialogRunner runner);

// A file chooser: open or save, default extension, initial name, flags,
// filter ("Text|*.ext||") and initial folder (empty: none); true with the
// path on OK.
struct CFileChoice {
    BOOL open = TRUE;
    CString defaultExtension;
    CString initialName;
    DWORD flags = 0;
    CString filter;
    CString initialFolder;
};
typedef bool (*FileChooser)(CWnd* parent, const CFileChoice& choice, CString* path);
bool ChooseFile(CWnd* parent, const CFileChoice& choice, CString* path);
void SetFileChooser(FileChooser chooser);

// A folder picker without initial folder; true with the folder on OK.
typedef bool (*FolderChooser)(CWnd* parent, CString* folder);
bool ChooseFolder(CWnd* parent, CString* folder);
void SetFolderChooser(FolderChooser chooser);

// Opens a web address with the shell ("open", shown normally).
typedef void (*ShellOpener)(const char* address);
void OpenWithShell(const char* address);
void SetShellOpener(ShellOpener opener);

// The application file to install, chosen starting in the folder; true with
// its path on OK.
typedef bool (*ApplicationChooser)(CWnd* parent, const char* folder, CString* path);
bool ChooseApplicationFile(CWnd* parent, const char* folder, CString* path);
void SetApplicationChooser(ApplicationChooser chooser);
