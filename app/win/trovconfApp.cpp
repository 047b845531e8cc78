#include "app/win/trovconfApp.h"

#include "app/win/trovconfDlg.h"
#include "res/resource.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/controls/ZUDPMessageBox.h"

BEGIN_MESSAGE_MAP(CtrovconfApp, CWinApp)
END_MESSAGE_MAP()

CtrovconfApp::CtrovconfApp() = default;

BOOL CtrovconfApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    m_themedBoxes.Replace(g_frameworkSeams.messageBox, [](HWND owner, const char* text, const char* caption, UINT type) {
        return ThemedMessageBoxEx(owner, text, caption != nullptr ? caption : AfxGetAppName(), type);
    });
    if (!AfxSocketInit()) {
        AfxMessageBox(IDS_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    CreateShellManager();
    SetRegistryKey("Dravisk Ltd");

    CtrovconfDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
