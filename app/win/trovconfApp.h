#pragma once
// The application object: starts the framework, the sockets and the
// library's workspace, then runs the main window modally; the process ends
// when the window closes.
#include "framework/win/WinApp.h"
#include "ui/foundation/ZUDPWorkspace.h"
#include "framework/Seam.h"

class CtrovconfApp : public CWinApp, public CZUDPWorkspace {
public:
    CtrovconfApp();

    // Always FALSE: the framework ends the process when it returns.
    BOOL InitInstance() override;

private:
    // While the program runs, the framework's message boxes are the
    // library's themed box.
    ScopedSeams m_themedBoxes;

    DECLARE_MESSAGE_MAP()
};
