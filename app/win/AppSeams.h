#pragma once
// The machine manager's seams: what its commands ask of the system and of
// the user — modal dialogs, message boxes, file and folder choosers, the
// shell, the network adapters, the probe broadcast, the clock, the run of an
// operation over machines.  Product code calls the functions below; tests
// replace an entry of g_appSeams for a scope with ScopedSeam
// (framework/Seam.h), so they answer instead of a user and never open a
// browser or send a broadcast.
#include "framework/win/Dialog.h"
#include "framework/win/Wnd.h"

#include <iphlpapi.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Seam.h"

#include "app/MachineMap.h"
#include "app/TrovProtocol.h"

class CDiscoveryLog;

// One run of an operation over a list of machines.
struct COperationRequest {
    int operation = OP_IDENTIFY;
    CString password;
    CString sourcePath;   // firmware and I/O firmware
    CString outputPath;   // event log
    CString backupFolder; // backup
    // The XML command for the machine, made once the run has read the
    // controller's identity (empty: out of memory).
    std::function<std::string(const CMachine& machine)> xmlCommand;
    int restartValue = RUNTIME_RESTART_KEEP;
    CString appPath;      // install
    CString dataSetName;
    BOOL keepValues = FALSE;
};

// Runs the operation over the machines in the progress window (through the
// dialog runner below); returns when the window is closed.
void RunOperation(CWnd* parent, CMachineList& machines, const COperationRequest& request);

// Runs a modal dialog of the commands (address, password, configure, add
// machines, install, progress window); its result.
INT_PTR RunAppDialog(CDialog& dialog);

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
bool ChooseFile(CWnd* parent, const CFileChoice& choice, CString* path);

// A folder picker without initial folder; true with the folder on OK.
bool ChooseFolder(CWnd* parent, CString* folder);

// Opens a web address with the shell ("open", shown normally).
void OpenWithShell(const char* address);

// The application file to install, chosen starting in the folder; true with
// its path on OK.
bool ChooseApplicationFile(CWnd* parent, const char* folder, CString* path);

// The millisecond tick count that the controller connection's reply timeout
// reads (it wraps after about 49 days, like the system's).
uint32_t AppTickCount();

struct AppSeams {
    Seam<uint32_t()> tickCount;
    // The message boxes of the program: the owner (or none), the text, the
    // caption (none: the library's box captioned with the application's
    // name) and the type; answers the button pressed.
    Seam<int(HWND owner, const char* text, const char* caption, UINT type)> messageBox;
    Seam<void(CWnd* parent, CMachineList& machines, const COperationRequest& request)> runOperation;
    Seam<INT_PTR(CDialog& dialog)> runDialog;
    Seam<bool(CWnd* parent, const CFileChoice& choice, CString* path)> chooseFile;
    Seam<bool(CWnd* parent, CString* folder)> chooseFolder;
    Seam<void(const char* address)> openWithShell;
    Seam<bool(CWnd* parent, const char* folder, CString* path)> chooseApplication;
    // The system's network adapters, each with its Next link cleared; false
    // when they cannot be listed.
    Seam<bool(std::vector<IP_ADAPTER_INFO>* adapters)> networkAdapters;
    // The discovery probe or an XML command broadcast: alert for the
    // start-up probe (message boxes on failure), otherwise progress lines to
    // log when one is given.
    Seam<void(const char* text, bool alert, CDiscoveryLog* log)> broadcast;

    AppSeams();
};

extern AppSeams g_appSeams;
