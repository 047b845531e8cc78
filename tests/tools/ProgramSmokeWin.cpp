// A small program made like the real one: the application object with the
// workspace as its second base, the framework's WinMain, the program's
// resource script (manifest, main window template, icon, strings).  It
// opens the main window template modally, closes it through its own queue
// and ends with 0 when everything it checked was as expected (else one
// bit per failed check).
#include "framework/win/WinApp.h"
#include "res/resource.h"
#include "ui/controls/ZUDPDialog.h"
#include "ui/foundation/ZUDPShellManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

namespace {

class CSmokeDialog : public CZUDPDialog {
public:
    CSmokeDialog() : CZUDPDialog(IDD_TROVCONF_DIALOG) { SetVisualManagerLook(TRUE, FALSE); }
    BOOL m_iconSet = FALSE;

protected:
    BOOL OnInitDialog() override
    {
        CZUDPDialog::OnInitDialog();
        HICON hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
        SetIcon(hIcon, TRUE);
        SetIcon(hIcon, FALSE);
        m_iconSet = hIcon != nullptr && GetIcon(TRUE) == hIcon;
        PostMessage(WM_COMMAND, IDCANCEL);   // Esc: the dialog's own ending
        return TRUE;
    }
};

// The common controls of the manifest are in use: the library was loaded
// from the side-by-side assembly that the manifest names.
BOOL CommonControlsFromTheManifest()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(::GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
    CString text(path);
    text.MakeLower();
    return text.Find("microsoft.windows.common-controls") >= 0;
}

class CSmokeApp : public CWinApp, public CZUDPWorkspace {
public:
    int m_result = 1;

    BOOL InitInstance() override
    {
        CWinApp::InitInstance();
        int failures = 0;
        if (!AfxSocketInit())
            failures |= 1;
        if (!CreateShellManager() || g_shellManager == nullptr)
            failures |= 2;
        if (CString(m_pszAppName) != "TROVconf")
            failures |= 4;
        CString text;
        if (!text.LoadString(IDS_SOCKETS_INIT_FAILED) || text != "Windows sockets initialization failed.")
            failures |= 8;
        if (!CommonControlsFromTheManifest())
            failures |= 16;
        CSmokeDialog dlg;
        m_pMainWnd = &dlg;
        if (dlg.DoModal() != IDCANCEL || !dlg.m_iconSet)
            failures |= 32;
        m_pMainWnd = nullptr;
        m_result = failures;
        return FALSE;   // the program ends here, as the real one does
    }

    int ExitInstance() override
    {
        CWinApp::ExitInstance();
        return m_result;
    }
};

CSmokeApp theApp;

} // namespace
