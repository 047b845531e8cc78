#include "ui/docking/ZUDPBaseTabbedBar.h"

#include "ui/docking/ZUDPBaseTabWnd.h"

IMPLEMENT_DYNAMIC(CZUDPBaseTabbedBar, CZUDPDockingControlBar)

int CZUDPBaseTabbedBar::GetTabCount() const { return m_pTabWnd != nullptr ? m_pTabWnd->GetTabCount() : 0; }

BOOL CZUDPBaseTabbedBar::ShowPaneTab(CWnd* pPane, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (m_pTabWnd == nullptr || pPane == nullptr)
        return FALSE;
    const int iTab = m_pTabWnd->FindTabByWindow(pPane->GetSafeHwnd());
    if (iTab < 0)
        return FALSE;
    return m_pTabWnd->ShowTabAt(iTab, bShow, !bDelay, bActivate);
}

BOOL CZUDPBaseTabbedBar::RemovePane(CWnd* pPane)
{
    (void)pPane;
    return FALSE;
}

BOOL CZUDPBaseTabbedBar::DetachPane(CWnd* pPane, BOOL bHide)
{
    (void)pPane;
    (void)bHide;
    return FALSE;
}

BOOL CZUDPBaseTabbedBar::DetachTabToFloat(CWnd* pPane, int nIndex, int nMode, BOOL bFloat)
{
    (void)pPane;
    (void)nIndex;
    (void)nMode;
    (void)bFloat;
    return FALSE;
}
