#include "framework/win/CommandLineInfo.h"

#include <string>
#include <vector>

void CCommandLineInfo::ParseParam(LPCSTR pszParam, BOOL bFlag, BOOL bLast)
{
    (void)bLast;
    if (bFlag) {
        if (lstrcmpiA(pszParam, "Embedding") == 0 || lstrcmpiA(pszParam, "Automation") == 0) {
            m_bShowSplash = FALSE;
            if (lstrcmpiA(pszParam, "Embedding") == 0)
                m_bRunEmbedded = TRUE;
            else
                m_bRunAutomated = TRUE;
            if (m_nShellCommand == FileNew)
                m_nShellCommand = FileNothing;
        } else if (lstrcmpiA(pszParam, "Register") == 0 || lstrcmpiA(pszParam, "Regserver") == 0) {
            m_nShellCommand = AppRegister;
        } else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0) {
            m_nShellCommand = AppUnregister;
        }
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

void AfxParseCommandLine(CCommandLineInfo& rCmdInfo, LPCSTR lpszCommandLine)
{
    std::vector<std::string> args;
    const char* p = lpszCommandLine != nullptr ? lpszCommandLine : "";
    while (*p != '\0') {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            break;
        std::string arg;
        bool bQuoted = false;
        while (*p != '\0' && (bQuoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                bQuoted = !bQuoted;
            else
                arg += *p;
            ++p;
        }
        args.push_back(arg);
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const BOOL bFlag = !arg.empty() && (arg[0] == '/' || arg[0] == '-');
        rCmdInfo.ParseParam(bFlag ? arg.c_str() + 1 : arg.c_str(), bFlag, i + 1 == args.size());
    }
}
