#pragma once
// CZUDPGroup: the library's group box.  This version is what the visual
// manager reads of it: a button window (enabled or not) that learns from
// its dialog whether it lies on glass; its own painting comes with the
// dialog controls.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPGroup : public CZUDPControlLook<CButton> {
    DECLARE_DYNCREATE(CZUDPGroup)
public:
    CZUDPGroup() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
