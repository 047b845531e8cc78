#include "ui/commandbars/ZUDPPopupMenuBar.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPPopupMenuBar, CZUDPToolBar, 1)

void CZUDPPopupMenuBar::ScheduleSubMenuOpen(CZUDPToolbarMenuButton* pButton, int nDelayFactor)
{
    (void)nDelayFactor;
    m_pPendingSubmenu = pButton;
}

void CZUDPPopupMenuBar::CancelPendingSubmenu() { m_pPendingSubmenu = nullptr; }

CZUDPToolBar* CZUDPPopupMenuBar::FindAncestorBarAt(CZUDPPopupMenuBar* pMenuBar, CPoint ptScreen)
{
    (void)pMenuBar;
    (void)ptScreen;
    return nullptr;
}
