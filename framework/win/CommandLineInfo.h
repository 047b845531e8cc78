#pragma once
// What the program's command line asks for: a file to open, and whether
// the program was started by OLE for embedding or automation (then it
// shows no main window of its own and restores no window placement).
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // One argument: bFlag when it began with "/" or "-" (given without it);
    // bLast for the last argument.
    virtual void ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
};

// Splits a command line (arguments separated by blanks, double quotes
// group blanks into one argument) and hands every argument to ParseParam.
void AfxParseCommandLine(CCommandLineInfo& rCmdInfo, LPCSTR lpszCommandLine);
