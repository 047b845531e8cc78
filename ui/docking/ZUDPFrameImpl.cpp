#include "ui/docking/ZUDPFrameImpl.h"

#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "res/ui/docking.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPRegistry.h"
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

// A toolbar that will not be kept: its window goes, then the object.
void DiscardBar(CZUDPToolBar* pBar)
{
    if (pBar->m_hWnd != nullptr)
        pBar->DestroyWindow();
    delete pBar;
}

BOOL BelongsToFrame(const CWnd* pBar, const CFrameWnd* pFrame)
{
    HWND hTop = pBar->m_hWnd != nullptr ? ::GetAncestor(pBar->m_hWnd, GA_ROOT) : nullptr;
    return hTop != nullptr && hTop == AfxSafeHwnd(pFrame);
}

// The work area of the monitor nearest a point, the primary one when the
// monitors cannot be asked.
CRect WorkAreaAt(CPoint pt)
{
    RECT rc = {};
    if (!g_foundationSeams.monitorWorkArea(pt, &rc))
        g_foundationSeams.primaryWorkArea(&rc);
    return CRect(rc);
}

// Makes a toolbar of the user-toolbar kind as a child of the frame.
CZUDPToolBar* MakeUserToolbar(CRuntimeClass* pClass, CFrameWnd* pFrame, UINT uiID)
{
    if (pClass == nullptr)
        pClass = RUNTIME_CLASS(CZUDPToolBar);
    CObject* pObject = pClass->CreateObject();
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pObject);
    if (pBar == nullptr) {
        delete pObject;
        return nullptr;
    }
    if (!pBar->CreateBar(pFrame, kZudpUserToolbarStyle, uiID)) {
        delete pBar;
        return nullptr;
    }
    return pBar;
}

void StyleUserToolbar(CZUDPToolBar* pBar)
{
    pBar->ReplaceBarStyle(pBar->GetBarStyle() | kZudpUserToolbarExtraStyle);
    pBar->SetDockableSides(CBRS_ALIGN_ANY);
}

CString TearOffKey(const CString& base, int nIndex)
{
    CString key;
    key.Format("%s-%d", (LPCTSTR)base, nIndex);
    return key;
}

} // namespace

// ---------------------------------------------------------------------------
// Life and the frame list

CZUDPFrameImpl::~CZUDPFrameImpl()
{
    DestroyBars(m_listUserDefinedToolbars);
    DestroyBars(m_listTearOffToolbars);
    while (!m_lstCaptionButtons.IsEmpty())
        delete m_lstCaptionButtons.RemoveHead();
}

void CZUDPFrameImpl::AddFrameToList(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return;
    const HWND hWnd = pFrame->GetSafeHwnd();
    for (POSITION pos = g_frameList.GetHeadPosition(); pos != nullptr;) {
        CFrameWnd* pListed = static_cast<CFrameWnd*>(g_frameList.GetNext(pos));
        if (pListed == pFrame || (hWnd != nullptr && pListed->GetSafeHwnd() == hWnd))
            return;
    }
    g_frameList.AddTail(pFrame);
}

void CZUDPFrameImpl::RemoveFrameFromList(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return;
    const HWND hWnd = pFrame->GetSafeHwnd();
    for (POSITION pos = g_frameList.GetHeadPosition(); pos != nullptr;) {
        POSITION posCur = pos;
        CFrameWnd* pListed = static_cast<CFrameWnd*>(g_frameList.GetNext(pos));
        if (pListed == pFrame || (hWnd != nullptr && pListed->GetSafeHwnd() == hWnd))
            g_frameList.RemoveAt(posCur);
    }
}

BOOL CZUDPFrameImpl::IsUserToolbar(const CWnd* pBar) const
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || m_uiUserToolbarFirst == (UINT)-1 ||
        m_uiUserToolbarLast == (UINT)-1)
        return FALSE;
    const UINT uiId = (UINT)pBar->GetDlgCtrlID();
    return uiId >= m_uiUserToolbarFirst && uiId <= m_uiUserToolbarLast;
}

// ---------------------------------------------------------------------------
// Placement

void CZUDPFrameImpl::RestoreWindowPlacement(CREATESTRUCT& cs)
{
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (pWorkspace == nullptr || cs.hInstance == nullptr)
        return;
    CRect rect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    int nFlags = 0;
    int nShowCmd = SW_SHOWNORMAL;
    if (!pWorkspace->LoadWindowPlacement(rect, nFlags, nShowCmd))
        return;
    nShowCmd = nShowCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    if (CWinApp* pApp = AfxGetApp()) {
        // The application keeps a show command that asks for a minimized or
        // maximized window; any other takes the stored one.
        const int nAppShow = pApp->m_nCmdShow;
        if (nAppShow < SW_SHOWMINIMIZED || nAppShow > SW_SHOWMINNOACTIVE || nAppShow == SW_SHOWNOACTIVATE ||
            nAppShow == SW_SHOW)
            pApp->m_nCmdShow = nShowCmd;
    }
    const CRect rectWork = WorkAreaAt(rect.TopLeft());
    if (nShowCmd == SW_SHOWMAXIMIZED) {
        cs.x = rectWork.left;
        cs.y = rectWork.top;
        cs.cx = rectWork.Width();
        cs.cy = rectWork.Height();
        return;
    }
    CRect rectMeet;
    if (!rectMeet.IntersectRect(&rect, &rectWork))
        return;
    cs.x = rectMeet.left;
    cs.y = rectMeet.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
}

void CZUDPFrameImpl::OnCloseFrame()
{
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (pWorkspace == nullptr)
        return;
    if (m_FullScreen.IsActive() && m_pFrame != nullptr && ::IsWindow(m_pFrame->GetSafeHwnd()))
        m_FullScreen.LeaveFullScreen(m_pFrame);
    pWorkspace->SaveFrameStateOnClose(this);
    StoreWindowPlacement();
}

void CZUDPFrameImpl::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (lpMMI == nullptr || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    const DWORD dwStyle = m_pFrame->GetStyle();
    if ((dwStyle & WS_CAPTION) != 0 && (dwStyle & WS_BORDER) != 0)
        return;
    CRect rectWindow;
    if (m_pFrame->IsIconic()) {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof(wp);
        m_pFrame->GetWindowPlacement(&wp);
        rectWindow = wp.rcNormalPosition;
    } else {
        m_pFrame->GetWindowRect(&rectWindow);
    }
    const CPoint ptCentre = rectWindow.CenterPoint();
    CRect rectMonitor(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromPoint(ptCentre, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfoA(hMonitor, &mi))
        rectMonitor = mi.rcMonitor;
    const CRect rectWork = WorkAreaAt(ptCentre);
    lpMMI->ptMaxPosition.x = rectWork.left - rectMonitor.left;
    lpMMI->ptMaxPosition.y = rectWork.top - rectMonitor.top;
    lpMMI->ptMaxSize.x = rectWork.Width();
    lpMMI->ptMaxSize.y = rectWork.Height();
}

void CZUDPFrameImpl::OnAfterLoadFrame()
{
    if (CZUDPWorkspace* pWorkspace = GetWorkspaceInstance())
        pWorkspace->LoadState(nullptr, this);
}

void CZUDPFrameImpl::StoreWindowPlacement()
{
    if (m_pFrame == nullptr || !::IsWindow(m_pFrame->m_hWnd))
        return;
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (pWorkspace == nullptr)
        return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
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

// ---------------------------------------------------------------------------
// Docking layout

BOOL CZUDPFrameImpl::LoadDockState(LPCTSTR lpszProfileName)
{
    if (m_pDockManager == nullptr || !m_bLoadDockState || m_pFrame == nullptr)
        return FALSE;
    return m_pDockManager->LoadState(lpszProfileName, m_pFrame->m_nIDResource);
}

BOOL CZUDPFrameImpl::ApplyLoadedDockState(CDockState& state)
{
    (void)state;
    if (m_pDockManager == nullptr)
        return FALSE;
    m_pDockManager->ApplyLoadedState();
    return TRUE;
}

BOOL CZUDPFrameImpl::SaveDockState(LPCTSTR lpszProfileName)
{
    if (m_pDockManager == nullptr || m_pFrame == nullptr)
        return FALSE;
    return m_pDockManager->SaveState(lpszProfileName, m_pFrame->m_nIDResource);
}

BOOL CZUDPFrameImpl::CheckDockState(CDockState& state)
{
    (void)state;
    return TRUE;
}

// ---------------------------------------------------------------------------
// User-defined toolbars

void CZUDPFrameImpl::SaveToolbarsState(BOOL bFrameOnly)
{
    for (POSITION pos = m_listUserDefinedToolbars.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(m_listUserDefinedToolbars.GetNext(pos));
        if (bFrameOnly && !BelongsToFrame(pBar, m_pFrame))
            continue;
        pBar->SaveBarState(m_strControlBarRegEntry, -1, (UINT)-1);
    }
}

void CZUDPFrameImpl::LoadUserToolbars()
{
    if (m_uiUserToolbarFirst == (UINT)-1 || m_uiUserToolbarLast == (UINT)-1 ||
        m_uiUserToolbarLast < m_uiUserToolbarFirst || m_pFrame == nullptr)
        return;
    for (UINT uiID = m_uiUserToolbarFirst; uiID <= m_uiUserToolbarLast && uiID != 0; ++uiID) {
        CZUDPToolBar* pBar = MakeUserToolbar(m_pCustomUserToolBarRTC, m_pFrame, uiID);
        if (pBar == nullptr)
            continue;
        if (!pBar->LoadBarState(m_strControlBarRegEntry, -1, (UINT)-1)) {
            DiscardBar(pBar);
            continue;
        }
        StyleUserToolbar(pBar);
        if (m_pDockManager != nullptr)
            m_pDockManager->DockBarAtSite(pBar);
        m_listUserDefinedToolbars.AddTail(pBar);
        if (uiID == m_uiUserToolbarLast)
            break;   // the last id may be the largest UINT
    }
}

UINT CZUDPFrameImpl::FindFreeUserToolbarId(UINT uiFirst, UINT uiLast, const CObList& list)
{
    if (uiFirst == (UINT)-1 || uiLast == (UINT)-1 || uiLast < uiFirst)
        return 0;
    if (UINT(list.GetCount()) >= uiLast - uiFirst + 1)
        return 0;
    for (UINT uiID = uiFirst;; ++uiID) {
        BOOL bTaken = FALSE;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr && !bTaken;) {
            const CWnd* pBar = static_cast<const CWnd*>(list.GetNext(pos));
            bTaken = pBar->GetSafeHwnd() != nullptr && UINT(pBar->GetDlgCtrlID()) == uiID;
        }
        if (!bTaken)
            return uiID;
        if (uiID == uiLast)
            return 0;
    }
}

CZUDPToolBar* CZUDPFrameImpl::CreateUserToolbar(LPCTSTR lpszName)
{
    if (m_pFrame == nullptr)
        return nullptr;
    const UINT uiID = FindFreeUserToolbarId(m_uiUserToolbarFirst, m_uiUserToolbarLast, m_listUserDefinedToolbars);
    if (uiID == 0) {
        CString strFormat, strMessage;
        strFormat.LoadString(IDS_ZUDP_USER_TOOLBARS_FULL);
        const UINT nCount = (m_uiUserToolbarFirst == (UINT)-1 || m_uiUserToolbarLast == (UINT)-1 ||
                             m_uiUserToolbarLast < m_uiUserToolbarFirst)
                                ? 0
                                : m_uiUserToolbarLast - m_uiUserToolbarFirst + 1;
        strMessage.Format(strFormat, int(nCount));
        m_pFrame->MessageBox(strMessage, nullptr, MB_ICONINFORMATION);
        return nullptr;
    }
    CZUDPToolBar* pBar = MakeUserToolbar(m_pCustomUserToolBarRTC, m_pFrame, uiID);
    if (pBar == nullptr)
        return nullptr;
    pBar->SetWindowText(lpszName != nullptr ? lpszName : "");
    StyleUserToolbar(pBar);
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    const CPoint ptAt(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2);
    pBar->FloatBar(CRect(ptAt, rectBar.Size()), ZUDP_DM_MENU, TRUE);
    pBar->SetMRUWidth(0x7FFF);
    m_pFrame->RecalcLayout(TRUE);
    m_listUserDefinedToolbars.AddTail(pBar);
    return pBar;
}

BOOL CZUDPFrameImpl::DeleteUserToolbar(CZUDPToolBar* pBar)
{
    POSITION pos = pBar != nullptr ? m_listUserDefinedToolbars.Find(pBar) : nullptr;
    if (pos == nullptr)
        return FALSE;
    m_listUserDefinedToolbars.RemoveAt(pos);
    pBar->DeleteSavedState(m_strControlBarRegEntry, -1, (UINT)-1);
    if (CZUDPDockBar* pDockBar = pBar->GetParentDockBar())
        pDockBar->RemoveControlBar(pBar, FALSE);
    else if (CZUDPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame())
        pMiniFrame->RemoveHostedBar(pBar, FALSE, FALSE);
    DiscardBar(pBar);
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->RecalcLayout(TRUE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Torn-off toolbars

CString CZUDPFrameImpl::TearOffBasePath()
{
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    CString path = pWorkspace != nullptr ? pWorkspace->MakeSectionPath(nullptr) : CString();
    return path + ZUDP_TEAROFF_SECTION;
}

CZUDPToolBar* CZUDPFrameImpl::FindTearOffBar(UINT uiID) const
{
    for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(m_listTearOffToolbars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && ::IsWindow(pBar->m_hWnd) && (UINT)pBar->GetDlgCtrlID() == uiID)
            return pBar;
    }
    return nullptr;
}

void CZUDPFrameImpl::AddTearOffBar(CZUDPToolBar* pBar)
{
    if (pBar != nullptr && m_listTearOffToolbars.Find(pBar) == nullptr)
        m_listTearOffToolbars.AddTail(pBar);
}

void CZUDPFrameImpl::RemoveTearOffBar(CZUDPToolBar* pBar)
{
    POSITION pos = pBar != nullptr ? m_listTearOffToolbars.Find(pBar) : nullptr;
    if (pos != nullptr)
        m_listTearOffToolbars.RemoveAt(pos);
}

void CZUDPFrameImpl::LoadTearOffBars()
{
    while (!m_listTearOffToolbars.IsEmpty()) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(m_listTearOffToolbars.RemoveHead());
        if (pBar->m_hWnd != nullptr && pBar->GetParentDockBar() != nullptr)
            pBar->OnHideBar(TRUE);
        DiscardBar(pBar);
    }
    if (m_pFrame == nullptr)
        return;
    const CString base = TearOffBasePath();
    for (int i = 0;; ++i) {
        int nID = 0;
        CString strName;
        CObject* pObject = nullptr;
        {
            CZUDPRegistryHolder holder;
            CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
            if (!reg.Open(TearOffKey(base, i)) || !reg.Read("ID", nID) ||
                !reg.Read("Name", strName))
                break;
            // The stored object names its own class: only a toolbar is
            // accepted, anything else ends the list.
            if (!reg.Read("State", pObject, RUNTIME_CLASS(CZUDPToolBar)) || pObject == nullptr) {
                delete pObject;
                break;
            }
        }
        CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pObject);
        if (pBar == nullptr) {
            delete pObject;
            break;
        }
        if (!pBar->CreateBar(m_pFrame, kZudpUserToolbarStyle, UINT(nID))) {
            delete pBar;
            break;
        }
        pBar->SetWindowText(strName);
        StyleUserToolbar(pBar);
        m_listTearOffToolbars.AddTail(pBar);
        pBar->LoadBarState(base, i, (UINT)-1);
        if (m_pDockManager != nullptr)
            m_pDockManager->DockBarAtSite(pBar);
    }
}

void CZUDPFrameImpl::SaveTearOffBars(BOOL bFrameOnly)
{
    const CString base = TearOffBasePath();
    // The bars are written first, over the keys from 0 on; only then do
    // the keys beyond the last one written go.  A write that fails leaves
    // the earlier list readable instead of an emptied section.
    int nWritten = 0;
    for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(m_listTearOffToolbars.GetNext(pos));
        if (pBar->GetSafeHwnd() == nullptr || (pBar->GetStyle() & WS_VISIBLE) == 0)
            continue;
        if (bFrameOnly && !BelongsToFrame(pBar, m_pFrame))
            continue;
        CString strName;
        pBar->GetWindowText(strName);
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        if (!reg.CreateKey(TearOffKey(base, nWritten)))
            return;   // nothing beyond is removed
        if (!reg.Write("ID", int(pBar->GetDlgCtrlID())) || !reg.Write("Name", (LPCTSTR)strName) ||
            !reg.Write("State", static_cast<CObject*>(pBar)))
            return;
        pBar->SaveBarState(base, nWritten, (UINT)-1);
        ++nWritten;
    }
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    for (int i = nWritten;; ++i) {
        if (!reg.DeleteKey(TearOffKey(base, i)))
            break;
    }
}
