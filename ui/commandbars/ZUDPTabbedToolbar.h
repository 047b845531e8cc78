#pragma once
// CZUDPTabbedToolbar: a toolbar whose client is a tab window of toolbars.
// This version is its class, which panes look for among their parents;
// the tab windows complete it.
#include "ui/commandbars/ZUDPToolBar.h"

class CZUDPTabbedToolbar : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPTabbedToolbar)
public:
    CZUDPTabbedToolbar() = default;
};
