#pragma once
// CZUDPSpinButtonCtrl: the library's spin button.  This version is what the
// visual manager reads of it: the spin control that learns from its dialog
// whether it lies on glass; its own painting comes with the dialog
// controls.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPSpinButtonCtrl : public CZUDPControlLook<CSpinButtonCtrl> {
    DECLARE_DYNCREATE(CZUDPSpinButtonCtrl)
public:
    CZUDPSpinButtonCtrl() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
