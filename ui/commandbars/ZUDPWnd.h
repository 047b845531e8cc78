#pragma once
// CZUDPWnd: the base of the library's bars and panes.  Like the library's
// controls it learns its look from the window that hosts it: the
// visual-manager style (ZUDM_ONSETCONTROLVMMODE) and drawing on glass
// (ZUDM_ONSETCONTROLAERO), both off until told.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Wnd.h"

class CZUDPWnd : public CZUDPControlLook<CWnd> {
    DECLARE_DYNCREATE(CZUDPWnd)
public:
    CZUDPWnd() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
