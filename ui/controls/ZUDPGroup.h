#pragma once
// CZUDPGroup: the library's group box over a "Button" of the group-box
// type.  It always paints itself: frame and caption through the visual
// manager, in the default GUI font and the bar text colour, over its
// parent's background when it lies on glass.  Created by name.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPGroup : public CZUDPControlLook<CButton> {
    DECLARE_DYNCREATE(CZUDPGroup)
public:
    CZUDPGroup() = default;

protected:
    void DrawGroup(CDC* pDC);

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT uFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnEnable(BOOL bEnable);
    void OnUpdateUIState(UINT nAction, UINT nUIElement);

    DECLARE_MESSAGE_MAP()
};
