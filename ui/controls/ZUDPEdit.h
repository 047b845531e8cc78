#pragma once
// CZUDPEdit: the library's edit control (later: browse button and calculator).
// This version is the framework's control that learns its look from its
// dialog (CZUDPControlLook); the themed painting arrives with the control's
// own implementation.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPEdit : public CZUDPControlLook<CEdit> {
    DECLARE_DYNCREATE(CZUDPEdit)
public:
    CZUDPEdit();
    ~CZUDPEdit() override;

protected:
    DECLARE_MESSAGE_MAP()
};
