#pragma once
// CZUDPPopupMenuBar: the bar inside a popup menu that holds its items.
// This version has what the foundation's drawing and the dialogs read: the
// window-background flag (copied from the popup when the bar is made;
// nothing sets it, the bar then paints in the window colour) and the
// submenu timer operations, which have nothing to schedule yet.
#include "ui/commandbars/ZUDPToolBar.h"

class CZUDPToolbarMenuButton;

class CZUDPPopupMenuBar : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPPopupMenuBar)
public:
    CZUDPPopupMenuBar() = default;

    // Arms the bar's timer to open the button's submenu after the factor
    // times the system menu-show delay (a null button cancels).
    virtual void ScheduleSubMenuOpen(CZUDPToolbarMenuButton* pButton, int nDelayFactor);
    // Forgets the submenu waiting to open and stops its timer.
    virtual void CancelPendingSubmenu();
    // The menu bar of an ancestor popup of a bar, or the toolbar owning
    // the outermost popup, whose client area holds a screen point; null
    // when none does.
    static CZUDPToolBar* FindAncestorBarAt(CZUDPPopupMenuBar* pMenuBar, CPoint ptScreen);

    BOOL m_bWindowBackground = FALSE;

protected:
    CZUDPToolbarMenuButton* m_pPendingSubmenu = nullptr;
};
