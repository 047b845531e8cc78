#pragma once
// CZUDPListBox: the library's list box.
// This version is the framework's control that learns its look from its
// dialog (CZUDPControlLook); the themed painting arrives with the control's
// own implementation.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPListBox : public CZUDPControlLook<CListBox> {
    DECLARE_DYNCREATE(CZUDPListBox)
public:
    CZUDPListBox();
    ~CZUDPListBox() override;

protected:
    DECLARE_MESSAGE_MAP()
};
