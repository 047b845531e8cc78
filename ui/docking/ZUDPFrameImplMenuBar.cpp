// The frame implementation's side of the menu bar.
#include "ui/docking/ZUDPFrameImpl.h"

#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPMenuBar.h"

void CZUDPFrameImpl::AttachMenuBar(CZUDPMenuBar* pMenuBar)
{
    m_pMenuBar = pMenuBar;
    if (pMenuBar == nullptr || m_pFrame == nullptr)
        return;
    HWND hWndFrame = m_pFrame->GetSafeHwnd();
    m_hDefaultMenu = hWndFrame != nullptr ? ::GetMenu(hWndFrame) : nullptr;
    if (m_pFrame->m_hMenuDefault == nullptr)
        m_pFrame->m_hMenuDefault = m_hDefaultMenu;
    pMenuBar->CreateFromMenu(m_hDefaultMenu, TRUE, FALSE);
    if (hWndFrame != nullptr)
        ::SetMenu(hWndFrame, nullptr);
    pMenuBar->SetDefaultMenuId(m_pFrame->m_nIDResource);
}
