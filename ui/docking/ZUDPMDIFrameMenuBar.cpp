// The MDI frame's side of the menu bar: the menus MDI switches between go
// to the bar, and the bar follows the active child's maximized state.
#include "ui/docking/ZUDPFrameWnd.h"

#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPToolbarSystemMenuButton.h"
#include "ui/ribbon/ZUDPRibbonBar.h"

BEGIN_MESSAGE_MAP(CZUDPMDIFrameWnd, CMDIFrameWnd)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace {

BOOL IsShownBar(CWnd* pBar) { return pBar != nullptr && ::IsWindow(pBar->GetSafeHwnd()) && pBar->IsWindowVisible(); }

} // namespace

BOOL CZUDPMDIFrameWnd::ApplyMenuToMenuBar(HMENU hMenu)
{
    CZUDPMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (m_pRibbonBar != nullptr && (IsShownBar(m_pRibbonBar) || m_bFullScreen)) {
        ::SetMenu(m_hWnd, nullptr);
        return TRUE;
    }
    if (pMenuBar == nullptr || !::IsWindow(pMenuBar->GetSafeHwnd()))
        return FALSE;
    ::SetMenu(m_hWnd, nullptr);
    if (hMenu == nullptr)
        hMenu = m_Impl.m_hDefaultMenu;
    pMenuBar->CreateFromMenu(hMenu, hMenu == m_Impl.m_hDefaultMenu, FALSE);
    return TRUE;
}

void CZUDPMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr) {
        CMDIChildWnd* pActive = MDIGetActive();
        hMenuAlt = pActive != nullptr && pActive->m_hMenuShared != nullptr ? pActive->m_hMenuShared : m_hMenuDefault;
    }
    if (ApplyMenuToMenuBar(hMenuAlt)) {
        UpdateMenuBarMDIButtons();
        return;
    }
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
}

void CZUDPMDIFrameWnd::OnMDIChildChanged(CWnd* pChild, BOOL bDestroying)
{
    UpdateMenuBarMDIButtons(bDestroying && pChild != nullptr ? pChild->GetSafeHwnd() : nullptr);
}

void CZUDPMDIFrameWnd::UpdateMenuBarMDIButtons(HWND hWndGoing)
{
    CZUDPMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (pMenuBar == nullptr || !::IsWindow(pMenuBar->GetSafeHwnd()))
        return;
    BOOL bMaximized = FALSE;
    HWND hWndActive = MDIGetActiveHwnd(&bMaximized);
    if (hWndActive == hWndGoing || hWndActive == nullptr) {
        hWndActive = nullptr;
        bMaximized = FALSE;
    }
    // Another maximized child became active: its icon and its buttons.
    if (bMaximized && pMenuBar->AreMDIButtonsShown()) {
        CZUDPToolbarSystemMenuButton* pIcon = pMenuBar->GetSystemMenuButton();
        const HMENU hSysMenu = ::GetSystemMenu(hWndActive, FALSE);
        if (pIcon != nullptr && pIcon->systemMenu != hSysMenu)
            pMenuBar->UpdateMDIChildButtons(FALSE, nullptr, FALSE);
    }
    pMenuBar->UpdateMDIChildButtons(bMaximized, hWndActive != nullptr ? CWnd::FromHandle(hWndActive) : nullptr, TRUE);
}

void CZUDPMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    (void)lpwndpos;
    Default();
    UpdateMenuBarMDIButtons();
}
