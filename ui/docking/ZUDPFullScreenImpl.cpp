#include "ui/docking/ZUDPFullScreenImpl.h"

#include "framework/win/FrameWnd.h"
#include "res/ui/docking.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPWorkspace.h"

namespace {

// The rectangle of the monitor that holds most of the window, the primary
// screen when the monitors cannot be asked.
CRect MonitorRectOf(HWND hWnd)
{
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfoA(hMonitor, &mi))
        return CRect(mi.rcMonitor);
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void DestroyFullScreenBar(CZUDPToolBar* pBar)
{
    if (pBar == nullptr)
        return;
    if (::IsWindow(pBar->GetSafeHwnd())) {
        CZUDPMiniFrameWnd* pMiniFrame = pBar->IsFloating() ? pBar->GetParentMiniFrame(TRUE) : nullptr;
        if (pMiniFrame != nullptr && ::IsWindow(pMiniFrame->GetSafeHwnd()))
            pMiniFrame->DestroyWindow();   // takes the bar with it
        if (::IsWindow(pBar->GetSafeHwnd()))
            pBar->DestroyWindow();
    }
    delete pBar;
}

} // namespace

CZUDPFullScreenImpl::~CZUDPFullScreenImpl()
{
    DestroyFullScreenBar(m_pwndFullScreenBar);
    m_pwndFullScreenBar = nullptr;
}

BOOL CZUDPFullScreenImpl::EnterFullScreen(CFrameWnd* pFrame, UINT uiToolbarId)
{
    if (m_bFullScreen || pFrame == nullptr || !::IsWindow(pFrame->GetSafeHwnd()))
        return FALSE;
    // The layout before the mode goes under a section of its own, and the
    // workspace keeps its own section.
    if (CZUDPWorkspace* pWorkspace = GetWorkspaceInstance()) {
        const CString strSection = pWorkspace->GetRegistryBase();
        m_strRegSection = strSection + "-FullScreen";
        pWorkspace->SaveState(m_strRegSection, m_pImpl);
        pWorkspace->SetRegistryBase(strSection);
    }
    pFrame->GetWindowRect(&m_rectFramePrev);

    // The client area covers the monitor: the frame's borders, caption and
    // menu lie outside it.
    CRect rectWindow, rectClient;
    pFrame->GetWindowRect(&rectWindow);
    pFrame->GetClientRect(&rectClient);
    pFrame->ClientToScreen(&rectClient);
    const CRect rectMonitor = MonitorRectOf(pFrame->m_hWnd);
    m_rectFullScreenWindow = CRect(rectMonitor.left - (rectClient.left - rectWindow.left),
                                   rectMonitor.top - (rectClient.top - rectWindow.top),
                                   rectMonitor.right + (rectWindow.right - rectClient.right),
                                   rectMonitor.bottom + (rectWindow.bottom - rectClient.bottom));

    m_uiFullScreenID = uiToolbarId;
    if (m_bShowToolbar) {
        CZUDPToolBar* pBar = new CZUDPToolBar;
        // Visible before it docks: its dock bar makes room only for the
        // bars that show.
        if (pBar->CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY,
                             CRect(0, 0, 10, 10), pFrame, uiToolbarId, ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK)) {
            CString strTitle, strClose;
            strTitle.LoadString(IDS_ZUDP_FULL_SCREEN);
            strClose.LoadString(IDS_ZUDP_CLOSE_FULL_SCREEN);
            pBar->SetWindowText(strTitle);
            CZUDPToolbarButton button(ID_ZUDP_CLOSE_FULL_SCREEN, -1, strClose);
            button.showText = TRUE;
            pBar->InsertButtonCopy(button);
            pBar->SetDockableSides(CBRS_ALIGN_ANY);
            pBar->RecalcLayoutNow();
            if (CZUDPDockManager* pManager = DockManagerOfFrame(pFrame))
                pManager->DockBarAtSite(pBar);
            m_pwndFullScreenBar = pBar;
        } else {
            delete pBar;
        }
    }
    if (!m_bShowMenu && m_pImpl != nullptr && m_pImpl->m_pMenuBar != nullptr &&
        ::IsWindow(m_pImpl->m_pMenuBar->GetSafeHwnd()))
        m_pImpl->m_pMenuBar->ShowBar(FALSE, FALSE, FALSE);

    m_bFullScreen = TRUE;
    pFrame->SetWindowPos(nullptr, m_rectFullScreenWindow.left, m_rectFullScreenWindow.top,
                         m_rectFullScreenWindow.Width(), m_rectFullScreenWindow.Height(), SWP_NOZORDER);
    pFrame->RecalcLayout(TRUE);
    return TRUE;
}

void CZUDPFullScreenImpl::LeaveFullScreen(CFrameWnd* pFrame)
{
    if (m_uiFullScreenID == (UINT)-1)
        return;
    DestroyFullScreenBar(m_pwndFullScreenBar);
    m_pwndFullScreenBar = nullptr;
    m_bFullScreen = FALSE;
    if (pFrame == nullptr || !::IsWindow(pFrame->GetSafeHwnd()))
        return;
    pFrame->SetWindowPos(nullptr, m_rectFramePrev.left, m_rectFramePrev.top, m_rectFramePrev.Width(),
                         m_rectFramePrev.Height(), SWP_NOZORDER);

    pFrame->SendMessage(WM_SETREDRAW, FALSE);
    if (CZUDPWorkspace* pWorkspace = GetWorkspaceInstance(); pWorkspace != nullptr && !m_strRegSection.IsEmpty()) {
        const CString strSection = pWorkspace->GetRegistryBase();
        const BOOL bUserToolbars = pWorkspace->IsUserToolbarsEnabled();
        pWorkspace->EnableUserToolbars(FALSE);
        pWorkspace->LoadState(m_strRegSection, m_pImpl);
        pWorkspace->EnableUserToolbars(bUserToolbars);
        pWorkspace->SetRegistryBase(strSection);
    }
    pFrame->SendMessage(WM_SETREDRAW, TRUE);
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    if (!m_bShowMenu && m_pImpl != nullptr && m_pImpl->m_pMenuBar != nullptr &&
        ::IsWindow(m_pImpl->m_pMenuBar->GetSafeHwnd())) {
        m_pImpl->m_pMenuBar->ShowBar(TRUE, FALSE, FALSE);
        if (m_pImpl->m_pMenuBar->IsFloating())
            pFrame->SetFocus();
    }
    pFrame->RecalcLayout(TRUE);
}

void CZUDPFullScreenImpl::FillMinMaxInfo(MINMAXINFO* lpMMI) const
{
    if (!m_bFullScreen || lpMMI == nullptr)
        return;
    lpMMI->ptMaxSize.x = lpMMI->ptMaxTrackSize.x = m_rectFullScreenWindow.Width();
    lpMMI->ptMaxSize.y = lpMMI->ptMaxTrackSize.y = m_rectFullScreenWindow.Height();
}
