#pragma once
// CZUDPButton: the library's push button, check box and radio button.
// This version is the framework's control that learns its look from its
// dialog (CZUDPControlLook); the themed painting arrives with the control's
// own implementation.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPButton : public CZUDPControlLook<CButton> {
    DECLARE_DYNAMIC(CZUDPButton)
public:
    CZUDPButton();
    ~CZUDPButton() override;

protected:
    DECLARE_MESSAGE_MAP()
};
