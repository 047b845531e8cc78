#pragma once
// The print preview's toolbar: the preview's commands on a library
// toolbar in the framework's preview tool area.  It is left out of the
// frame's menu of bars, offers no context menu, and leaves its frame's
// dock manager when its window goes.  While a preview hides the frame's
// bars, it is the only toolbar that takes Alt+character.
#include "ui/commandbars/ZUDPToolBar.h"

class CZUDPPrintPreviewToolBar : public CZUDPToolBar {
    DECLARE_DYNAMIC(CZUDPPrintPreviewToolBar)
public:
    CZUDPPrintPreviewToolBar() = default;

    BOOL IsShownInBarsMenu() const override { return FALSE; }

protected:
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
