#include "ui/controls/ZUDPControlsSeams.h"

#include "framework/win/FileDialog.h"
#include "ui/foundation/ZUDPShellManager.h"

namespace {

BOOL RealOpenFileDialog(CWnd* pOwner, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, LPCTSTR lpszFilter,
                        LPCTSTR lpszInitialFolder, CString& strPath)
{
    CFileDialog dialog(TRUE, lpszDefExt, lpszFileName, 0, lpszFilter, pOwner);
    if (lpszInitialFolder != nullptr && *lpszInitialFolder != '\0')
        dialog.m_ofn.lpstrInitialDir = lpszInitialFolder;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strPath = dialog.GetPathName();
    return TRUE;
}

BOOL RealPickFolder(CWnd* pOwner, LPCTSTR lpszInitialFolder, CString& strFolder)
{
    if (g_shellManager == nullptr)
        return FALSE;
    return g_shellManager->PickFolder(strFolder, pOwner, lpszInitialFolder, nullptr, BIF_RETURNONLYFSDIRS);
}

} // namespace

ControlsSeams::ControlsSeams() : openFileDialog(RealOpenFileDialog), pickFolder(RealPickFolder) {}

ControlsSeams g_controlsSeams;
