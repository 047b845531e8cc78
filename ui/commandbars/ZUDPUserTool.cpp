#include "ui/commandbars/ZUDPUserTool.h"
#include "framework/win/WinApp.h"

#include "framework/Archive.h"
#include "framework/win/FrameworkSeams.h"

IMPLEMENT_SERIAL(CZUDPUserTool, CObject, VERSIONABLE_SCHEMA | 1)

void CZUDPUserTool::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << m_uiCmdId;
        return;
    }
    CString strCommand;
    ar >> m_strLabel >> strCommand >> m_strArguments >> m_strInitialDirectory >> m_uiCmdId;
    SetCommand(strCommand);
}

BOOL CZUDPUserTool::Invoke()
{
    if (m_strCommand.IsEmpty())
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    HWND hOwner = (pThread != nullptr && pThread->m_pMainWnd != nullptr) ? pThread->m_pMainWnd->GetSafeHwnd() : nullptr;
    HINSTANCE hResult = g_frameworkSeams.shellExecute(hOwner, nullptr, m_strCommand, m_strArguments,
                                                      m_strInitialDirectory, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}
