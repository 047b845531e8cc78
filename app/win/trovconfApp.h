#pragma once
// The application object: starts the framework, the sockets and the
// library's workspace, then runs the main window modally; the process ends
// when the window closes.
#include "framework/win/WinApp.h"
#include "ui/foundation/ZUDPWorkspace.h"

class CtrovconfApp : public CWinApp, public CZUDPWorkspace {
public:
    CtrovconfApp();

    // Always FALSE: the framework ends the process when it returns.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
