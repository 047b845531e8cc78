#pragma once
// CZUDPGlobalUtils: helpers of the docking subsystem shared by the library
// (one object, g_globalUtils).  This version has the window icon look-up.
#include "framework/win/WinSdk.h"

class CWnd;

class CZUDPGlobalUtils {
public:
    // The window's small icon: the small icon it answers (WM_GETICON),
    // else its big icon scaled to 16 x 16 (a new icon: bNewIcon TRUE, the
    // caller destroys it), else its class icon; null when it has none.
    HICON GetSmallWindowIcon(CWnd* pWnd, BOOL& bNewIcon);
};

extern CZUDPGlobalUtils g_globalUtils;
