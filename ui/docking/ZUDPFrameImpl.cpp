#include "ui/docking/ZUDPFrameImpl.h"

#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPWorkspace.h"

namespace {

void DestroyBars(CObList& list)
{
    while (!list.IsEmpty()) {
        CWnd* pBar = static_cast<CWnd*>(list.RemoveHead());
        if (pBar->m_hWnd != nullptr)
            pBar->DestroyWindow();
        delete pBar;
    }
}

} // namespace

BOOL CZUDPFrameImpl::IsUserToolbar(const CWnd* pBar) const
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || m_uiUserToolbarFirst == (UINT)-1 ||
        m_uiUserToolbarLast == (UINT)-1)
        return FALSE;
    const UINT uiId = (UINT)pBar->GetDlgCtrlID();
    return uiId >= m_uiUserToolbarFirst && uiId <= m_uiUserToolbarLast;
}

CZUDPFrameImpl::~CZUDPFrameImpl()
{
    DestroyBars(m_listUserDefinedToolbars);
    DestroyBars(m_listTearOffToolbars);
}

void CZUDPFrameImpl::LoadUserToolbars()
{
    if (m_uiUserToolbarFirst == (UINT)-1 || m_uiUserToolbarLast == (UINT)-1 ||
        m_uiUserToolbarLast < m_uiUserToolbarFirst)
        return;
    CRuntimeClass* pClass = m_pCustomUserToolBarRTC != nullptr ? m_pCustomUserToolBarRTC : RUNTIME_CLASS(CZUDPToolBar);
    for (UINT uiID = m_uiUserToolbarFirst; uiID <= m_uiUserToolbarLast; ++uiID) {
        CObject* pObject = pClass->CreateObject();
        CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pObject);
        if (pBar == nullptr) {
            delete pObject;
            return;
        }
        if (!pBar->LoadBarState(m_strControlBarRegEntry, -1, uiID)) {
            if (pBar->m_hWnd != nullptr)
                pBar->DestroyWindow();
            delete pBar;
            continue;
        }
        m_listUserDefinedToolbars.AddTail(pBar);
    }
}

CWnd* CZUDPFrameImpl::FindTearOffBar(UINT uiID) const
{
    for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr;) {
        CWnd* pBar = static_cast<CWnd*>(m_listTearOffToolbars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && ::IsWindow(pBar->m_hWnd) && (UINT)pBar->GetDlgCtrlID() == uiID)
            return pBar;
    }
    return nullptr;
}

void CZUDPFrameImpl::AddTearOffBar(CWnd* pBar)
{
    if (pBar != nullptr && m_listTearOffToolbars.Find(pBar) == nullptr)
        m_listTearOffToolbars.AddTail(pBar);
}

void CZUDPFrameImpl::RemoveTearOffBar(CWnd* pBar)
{
    if (POSITION pos = m_listTearOffToolbars.Find(pBar))
        m_listTearOffToolbars.RemoveAt(pos);
}

void CZUDPFrameImpl::LoadTearOffBars() { DestroyBars(m_listTearOffToolbars); }

void CZUDPFrameImpl::SaveTearOffBars(BOOL bFrameOnly) { (void)bFrameOnly; }

void CZUDPFrameImpl::SaveToolbarsState(BOOL bFrameOnly)
{
    for (POSITION pos = m_listUserDefinedToolbars.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(m_listUserDefinedToolbars.GetNext(pos));
        if (bFrameOnly) {
            HWND hTop = pBar->m_hWnd != nullptr ? ::GetAncestor(pBar->m_hWnd, GA_ROOT) : nullptr;
            if (hTop == nullptr || hTop != AfxSafeHwnd(m_pFrame))
                continue;
        }
        pBar->SaveBarState(m_strControlBarRegEntry, -1, (UINT)-1);
    }
}

BOOL CZUDPFrameImpl::LoadDockState(LPCTSTR lpszProfileName)
{
    (void)lpszProfileName;
    return FALSE;
}

BOOL CZUDPFrameImpl::ApplyLoadedDockState(CDockState& state)
{
    (void)state;
    return FALSE;
}

BOOL CZUDPFrameImpl::SaveDockState(LPCTSTR lpszProfileName)
{
    (void)lpszProfileName;
    return FALSE;
}

void CZUDPFrameImpl::StoreWindowPlacement()
{
    if (m_pFrame == nullptr || !::IsWindow(m_pFrame->m_hWnd))
        return;
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (pWorkspace == nullptr)
        return;
    WINDOWPLACEMENT wp = {};
    if (!m_pFrame->GetWindowPlacement(&wp))
        return;
    int nShowCmd = wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    // The normal rectangle is kept in work-area coordinates.
    RECT rcWork = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    CRect rect(wp.rcNormalPosition);
    rect.OffsetRect(rcWork.left, rcWork.top);
    pWorkspace->StoreWindowPlacement(rect, int(wp.flags), nShowCmd);
}

BOOL CZUDPFrameImpl::CheckDockState(CDockState& state)
{
    (void)state;
    return TRUE;
}
