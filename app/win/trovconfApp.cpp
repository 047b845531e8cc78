#include "app/win/trovconfApp.h"

#include "app/win/trovconfDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CtrovconfApp, CWinApp)
END_MESSAGE_MAP()

CtrovconfApp::CtrovconfApp() = default;

BOOL CtrovconfApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
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
