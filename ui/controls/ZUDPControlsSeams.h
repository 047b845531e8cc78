#pragma once
// The seams of the library's dialogs and controls: the modal pickers that
// a control opens for the user and that tests cannot answer headless.
// Tests replace an entry for a scope (framework/Seam.h); message boxes,
// the cursor, key state and timers go through the framework's seams.
#include "framework/Seam.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CWnd;

struct ControlsSeams {
    // The platform's open-file dialog over an owner, with a default
    // extension, an initial file name, a filter ("Text|*.txt||") and an
    // initial folder (each may be null); TRUE with the chosen path when the
    // user confirmed.
    Seam<BOOL(CWnd* pOwner, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, LPCTSTR lpszFilter, LPCTSTR lpszInitialFolder,
              CString& strPath)>
        openFileDialog;
    // The shell's folder browser through the library's shell manager,
    // file-system folders only; FALSE without a shell manager or when
    // nothing was chosen.
    Seam<BOOL(CWnd* pOwner, LPCTSTR lpszInitialFolder, CString& strFolder)> pickFolder;

    ControlsSeams();
};

extern ControlsSeams g_controlsSeams;
