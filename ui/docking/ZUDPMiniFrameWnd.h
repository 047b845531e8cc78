#pragma once
// The floating frame that docking bars live in while they float.  So far
// it has what the foundation asks of it: its runtime class (archived by
// name) and the window it recorded as its owner when it was created, which
// the search for a window's enclosing frame follows.  The docking subsystem
// completes it.
#include "framework/win/FrameworkWin.h"

class CZUDPMiniFrameWnd : public CMiniFrameWnd {
    DECLARE_SERIAL(CZUDPMiniFrameWnd)
public:
    CZUDPMiniFrameWnd() = default;

    HWND GetRecordedOwner() const { return m_recordedOwner; }
    void RecordOwner(HWND hWndOwner) { m_recordedOwner = hWndOwner; }

protected:
    HWND m_recordedOwner = nullptr;
};
