#pragma once
// CZUDPButton: the library's push button, check box and radio button.
// This version is the framework's control that learns its look from its
// dialog (CZUDPControlLook); the themed painting arrives with the control's
// own implementation.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPButton : public CZUDPControlLook<CButton> {
    DECLARE_DYNCREATE(CZUDPButton)
public:
    CZUDPButton();
    ~CZUDPButton() override;

    // Paints the parent's background into the rectangle (the button's
    // client coordinates), for faces that do not cover it.
    void DrawParentBackground(CDC* pDC, LPRECT lpRect);

    // Drawn pressed: the left button is held with the pointer on it.
    BOOL m_bDown = FALSE;
    // The pointer is over the button.
    BOOL m_bHot = FALSE;

protected:
    DECLARE_MESSAGE_MAP()
};
