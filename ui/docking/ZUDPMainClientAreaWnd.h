#pragma once
// CZUDPMainClientAreaWnd: the MDI client area of the library's MDI frame,
// with its MDI tabs and tab groups.  This version is the class a tab window
// tests its parent for (an MDI tab strip tells the frame about moved
// tabs); the MDI part of the docking subsystem completes it.
#include "framework/win/Wnd.h"

class CZUDPMainClientAreaWnd : public CWnd {
    DECLARE_DYNCREATE(CZUDPMainClientAreaWnd)
public:
    CZUDPMainClientAreaWnd() = default;
};
