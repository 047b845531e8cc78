#pragma once
// The library's toolbar.  So far it has what the global UI data asks of
// it: its runtime class (archived by name) and the button-font update that
// follows a font change; the command-bar subsystem completes it.
#include "framework/win/Wnd.h"
#include "framework/List.h"

class CZUDPToolBar : public CWnd {
    DECLARE_SERIAL(CZUDPToolBar)
public:
    CZUDPToolBar();
    ~CZUDPToolBar() override;

    // The library's fonts changed: the buttons take the new ones.
    virtual void UpdateButtonFonts() {}
    // The number of buttons, separators included (none in this version).
    virtual int GetCount() const { return 0; }
};

// Every live toolbar of the process (each adds itself on construction and
// removes itself on destruction).
extern CObList g_toolbarList;
