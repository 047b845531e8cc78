#pragma once
// The library's status bar.  This version holds what the visual manager's
// status-bar drawing reads: the pane record with its style bits
// (SBPS_NOBORDERS, SBPS_POPOUT, SBPS_DISABLED) and its own text colour;
// the bar's layout and painting come with the frame subsystem.
#include "ui/commandbars/ZUDPControlBar.h"
#include "framework/String.h"
#include "framework/win/BarStyles.h"

// One pane of a status bar.
struct ZUDP_STATUSBAR_PANE {
    UINT nID = 0;
    UINT nStyle = SBPS_NORMAL;
    int cxText = 0;
    CString strText;
    COLORREF clrText = (COLORREF)-1;        // -1: the bar's text colour
    COLORREF clrBackground = (COLORREF)-1;  // -1: the bar's background
};

class CZUDPStatusBar : public CZUDPControlBar {
    DECLARE_DYNAMIC(CZUDPStatusBar)
public:
    CZUDPStatusBar() = default;
};
