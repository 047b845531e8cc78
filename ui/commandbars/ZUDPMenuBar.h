#pragma once
// CZUDPMenuBar: a frame's menu bar (a toolbar of menu buttons).  This
// version is the class, by which a button tells that its bar is the menu
// bar; the command-bar subsystem completes it.
#include "ui/commandbars/ZUDPToolBar.h"

class CZUDPMenuBar : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPMenuBar)
public:
    CZUDPMenuBar() = default;
};
