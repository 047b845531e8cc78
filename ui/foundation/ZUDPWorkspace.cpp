#include "ui/foundation/ZUDPWorkspace.h"
#include "ui/foundation/ZUDPTextConstants.h"

#include "framework/win/WinApp.h"
#include "framework/win/CommandLineInfo.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPShellManager.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPRebarState.h"
#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"

#include <vector>

namespace {

CZUDPWorkspace* g_workspace = nullptr;
const char* const kDefaultSection = "ZUDWorkspace";

// A rectangle in screen coordinates that shows at least partly on the work
// area of some monitor.
bool IsOnSomeWorkArea(const CRect& rect)
{
    HMONITOR hMonitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL);
    if (hMonitor == nullptr)
        return false;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(hMonitor, &info))
        return false;
    RECT overlap;
    return ::IntersectRect(&overlap, &rect, &info.rcWork) != FALSE;
}

// The toolbars of the global list whose window still has its window
// object; with bFrameOnly, only those whose top-level frame is the frame.
std::vector<CZUDPToolBar*> ToolbarsToVisit(CFrameWnd* pFrame, BOOL bFrameOnly)
{
    std::vector<CZUDPToolBar*> bars;
    const HWND hFrame = pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, g_toolbarList.GetNext(pos));
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr ||
            CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) != pBar)
            continue;
        if (bFrameOnly && hFrame != nullptr && ::GetAncestor(pBar->GetSafeHwnd(), GA_ROOTOWNER) != hFrame)
            continue;
        bars.push_back(pBar);
    }
    return bars;
}

} // namespace

CZUDPWorkspace* GetWorkspaceInstance() { return g_workspace; }

CZUDPWorkspace::CZUDPWorkspace(BOOL bResourceSmartUpdate)
    : m_strRegSection(kDefaultSection), m_bResourceSmartUpdate(bResourceSmartUpdate)
{
    g_workspace = this;
}

CZUDPWorkspace::~CZUDPWorkspace()
{
    if (g_workspace == this)
        g_workspace = nullptr;
    // Only the managers this workspace made; others belong to their makers.
    if (m_bKeyboardManagerAutocreated && g_keyboardManager != nullptr) {
        delete g_keyboardManager;
        g_keyboardManager = nullptr;
    }
    if (m_bContextMenuManagerAutocreated && g_contextMenuManager != nullptr) {
        delete g_contextMenuManager;
        g_contextMenuManager = nullptr;
    }
    if (m_bMouseManagerAutocreated && g_mouseManager != nullptr) {
        delete g_mouseManager;   // clears g_mouseManager
        g_mouseManager = nullptr;
    }
    if (m_bUserToolsManagerAutoCreated && g_userToolsManager != nullptr) {
        delete g_userToolsManager;
        g_userToolsManager = nullptr;
    }
    if (m_bTearOffManagerAutoCreated && g_tearOffManager != nullptr) {
        delete g_tearOffManager;
        g_tearOffManager = nullptr;
    }
    if (m_bShellManagerAutocreated && g_shellManager != nullptr) {
        delete g_shellManager;   // clears g_shellManager
        g_shellManager = nullptr;
    }
    if (m_bTooltipManagerAutocreated && g_tooltipManager != nullptr) {
        delete g_tooltipManager;
        g_tooltipManager = nullptr;
    }
}

void CZUDPWorkspace::OnWorkspaceNotify(UINT_PTR) {}
BOOL CZUDPWorkspace::QueryWorkspaceHook(UINT_PTR) { return FALSE; }
void CZUDPWorkspace::OnBeforeLoadState() {}
void CZUDPWorkspace::OnAfterLoadState() {}
void CZUDPWorkspace::OnBeforeSaveState() {}
void CZUDPWorkspace::OnAfterSaveState() {}

BOOL CZUDPWorkspace::CreateShellManager()
{
    if (g_shellManager != nullptr)
        return FALSE;
    new CZUDPShellManager;   // publishes itself in g_shellManager
    m_bShellManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CZUDPWorkspace::CreateMouseManager()
{
    if (g_mouseManager != nullptr)
        return FALSE;
    new CZUDPMouseManager;   // publishes itself in g_mouseManager
    m_bMouseManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CZUDPWorkspace::CreateKeyboardManager()
{
    if (g_keyboardManager != nullptr)
        return FALSE;
    new CZUDPKeyboardManager;   // publishes itself in g_keyboardManager
    m_bKeyboardManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CZUDPWorkspace::CreateTooltipManager()
{
    if (g_tooltipManager != nullptr)
        return FALSE;
    new CZUDPToolTipProvider;   // publishes itself in g_tooltipManager
    m_bTooltipManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CZUDPWorkspace::CreateContextMenuManager()
{
    if (g_contextMenuManager != nullptr)
        return FALSE;
    new CZUDPContextMenuManager;   // publishes itself in g_contextMenuManager
    m_bContextMenuManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CZUDPWorkspace::CreateTearOffManager(UINT uiFirstId, UINT uiLastId)
{
    if (g_tearOffManager != nullptr)
        return FALSE;
    auto* pManager = new CZUDPTearOffBarManager;   // publishes itself in g_tearOffManager
    if (!pManager->Build(uiFirstId, uiLastId)) {
        delete pManager;
        return FALSE;
    }
    m_bTearOffManagerAutoCreated = TRUE;
    return TRUE;
}

BOOL CZUDPWorkspace::CreateUserToolsManager(UINT uiCmdToolsFirst, UINT uiCmdToolsLast, CRuntimeClass* pToolRTC)
{
    if (g_userToolsManager != nullptr)
        return FALSE;
    new CZUDPUserToolsManager(uiCmdToolsFirst, uiCmdToolsLast, pToolRTC);   // publishes itself
    m_bUserToolsManagerAutoCreated = TRUE;
    return TRUE;
}

void CZUDPWorkspace::SetRegistryBase(LPCTSTR lpszSectionName)
{
    m_strRegSection = (lpszSectionName != nullptr) ? lpszSectionName : kDefaultSection;
}

CString CZUDPWorkspace::MakeSectionPath(LPCTSTR lpszSubSection) const
{
    CString path = BuildRegistrySectionPath(m_strRegSection, nullptr);
    if (lpszSubSection != nullptr && *lpszSubSection != '\0') {
        path += lpszSubSection;
        path += "\\";
    }
    return path;
}

int CZUDPWorkspace::GetStoredStateVersion() const
{
    if (m_iSavedVersionMajor == -1 || m_iSavedVersionMinor == -1)
        return -1;
    int nVersion = m_iSavedVersionMajor * 0x10000;
    if (m_iSavedVersionMinor < 10)
        nVersion += m_iSavedVersionMinor * 0x100;
    else
        nVersion += (m_iSavedVersionMinor / 10) * 0x100 + (m_iSavedVersionMinor % 10) * 0x10;
    return nVersion;
}

BOOL CZUDPWorkspace::LoadState(LPCTSTR lpszSectionName, CZUDPFrameImpl* pFrameImpl)
{
    if (lpszSectionName != nullptr)
        m_strRegSection = lpszSectionName;
    const CString path = MakeSectionPath(nullptr);
    // Every component reads below the same few keys: open each once.
    CZUDPRegistryPass pass;
    CFrameWnd* pFrame = pFrameImpl != nullptr ? pFrameImpl->GetFrame() : nullptr;

    OnBeforeLoadState();
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
        if (!path.IsEmpty() && reg.Open(path + kWorkspaceVersionKey)) {
            // A missing value leaves its field as it was.
            reg.Read(kWorkspaceVersionMajor, m_iSavedVersionMajor);
            reg.Read(kWorkspaceVersionMinor, m_iSavedVersionMinor);
        }
    }
    // Without a company key there is no state of ours to read.
    BOOL bResourceChanged = FALSE;
    if (!path.IsEmpty()) {
        CZUDPToolBar::LoadGlobalOptions(path);
        g_commandManager.LoadFromRegistry(path);
        if (m_bResourceSmartUpdate)
            g_registerCommandImages = FALSE;

        if (pFrameImpl != nullptr) {
            LoadRebarStates(path, pFrame);
            const BOOL bSuspended = g_suspendDockLayout;
            g_suspendDockLayout = TRUE;
            for (CZUDPToolBar* pBar : ToolbarsToVisit(pFrame, m_bLoadSaveFrameBarsOnly)) {
                if (pBar->IsFloating())
                    continue;
                pBar->LoadBarState(path, -1, UINT(-1));
                if (pBar->IsResourceChanged())
                    bResourceChanged = TRUE;
            }
            if (m_bLoadUserToolbars)
                pFrameImpl->LoadUserToolbars();
            pFrameImpl->LoadTearOffBars();
            g_suspendDockLayout = bSuspended;

            CDockState dockState;
            dockState.LoadState(m_strRegSection + kWorkspaceControlBarsSuffix);
            if (m_iSavedVersionMajor != -1 && m_iSavedVersionMinor != -1 &&
                (m_bForceDockStateLoad || pFrameImpl->CheckDockState(dockState))) {
                pFrameImpl->LoadDockState(path);
                pFrameImpl->ApplyLoadedDockState(dockState);
            }
            if (m_bLoadWindowPlacement && pFrame != nullptr)
                ReloadWindowPlacement(pFrame);
        }

        if (g_mouseManager != nullptr)
            g_mouseManager->LoadState(path);
        if (g_contextMenuManager != nullptr)
            g_contextMenuManager->LoadState(path);
        if (g_keyboardManager != nullptr)
            g_keyboardManager->LoadState(path, pFrame);
        if (g_userToolsManager != nullptr)
            g_userToolsManager->LoadState(path);

        if (m_bResourceSmartUpdate)
            g_registerCommandImages = TRUE;
    }
    if (m_bForceImageReset || (m_bResourceSmartUpdate && bResourceChanged)) {
        for (CZUDPToolBar* pBar : ToolbarsToVisit(nullptr, FALSE))
            pBar->RefreshButtons();
        if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
            pFrame->RecalcLayout(TRUE);
    }
    OnAfterLoadState();
    // The state in memory is now that of this version.
    m_iSavedVersionMajor = kVersionMajor;
    m_iSavedVersionMinor = kVersionMinor;
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr && ::IsZoomed(pFrame->GetSafeHwnd()))
        ::RedrawWindow(pFrame->GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

BOOL CZUDPWorkspace::LoadFrameWndState(CZUDPFrameWnd* pFrame, LPCTSTR lpszSectionName)
{
    return LoadState(lpszSectionName, pFrame != nullptr ? &pFrame->GetFrameImpl() : nullptr);
}

BOOL CZUDPWorkspace::LoadMDIFrameState(CZUDPMDIFrameWnd* pFrame, LPCTSTR lpszSectionName)
{
    return LoadState(lpszSectionName, pFrame != nullptr ? &pFrame->GetFrameImpl() : nullptr);
}

BOOL CZUDPWorkspace::CleanState(LPCTSTR lpszSectionName)
{
    if (lpszSectionName != nullptr)
        m_strRegSection = lpszSectionName;
    // Without a company key or a section the path would not be the
    // workspace's own key but the profile, or the root of the user's
    // registry: never delete those.
    CString section = m_strRegSection;
    section.Trim('\\');
    const CString path = MakeSectionPath(nullptr);
    if (section.IsEmpty() || path.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    return holder.Create(FALSE, FALSE).DeleteKey(path);
}

BOOL CZUDPWorkspace::SaveState(LPCTSTR lpszSectionName, CZUDPFrameImpl* pFrameImpl)
{
    if (!m_bSaveState)
        return FALSE;
    if (lpszSectionName != nullptr)
        m_strRegSection = lpszSectionName;
    const CString path = MakeSectionPath(nullptr);
    // Without a company key there is no place of ours to write to.
    if (path.IsEmpty())
        return FALSE;
    CFrameWnd* pFrame = pFrameImpl != nullptr ? pFrameImpl->GetFrame() : nullptr;

    CZUDPRegistryPass pass;
    OnBeforeSaveState();
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        if (reg.CreateKey(path + kWorkspaceVersionKey)) {
            reg.Write(kWorkspaceVersionMajor, kVersionMajor);
            reg.Write(kWorkspaceVersionMinor, kVersionMinor);
        }
    }
    CZUDPToolBar::SaveGlobalOptions(path);
    g_commandManager.SaveToRegistry(path);

    if (pFrameImpl != nullptr) {
        CDockState dockState;
        dockState.SaveState(m_strRegSection + kWorkspaceControlBarsSuffix);
        pFrameImpl->SaveDockState(path);
        // Floating toolbars save their state too.
        for (CZUDPToolBar* pBar : ToolbarsToVisit(pFrame, m_bLoadSaveFrameBarsOnly))
            pBar->SaveBarState(path, -1, UINT(-1));
        pFrameImpl->SaveToolbarsState(m_bLoadSaveFrameBarsOnly);
        pFrameImpl->SaveTearOffBars(m_bLoadSaveFrameBarsOnly);
        SaveRebarStates(path, pFrame);
        pFrameImpl->StoreWindowPlacement();
    }

    if (g_mouseManager != nullptr)
        g_mouseManager->SaveState(path);
    if (g_contextMenuManager != nullptr)
        g_contextMenuManager->SaveState(path);
    if (g_keyboardManager != nullptr)
        g_keyboardManager->SaveState(path, pFrame);
    if (g_userToolsManager != nullptr)
        g_userToolsManager->SaveState(path);
    OnAfterSaveState();
    return TRUE;
}

BOOL CZUDPWorkspace::SaveFrameStateOnClose(CZUDPFrameImpl* pFrameImpl)
{
    return SaveState(nullptr, pFrameImpl);
}

BOOL CZUDPWorkspace::OnViewDoubleClick(CWnd* pWnd, int iViewId)
{
    if (g_mouseManager == nullptr)
        return FALSE;
    const UINT uiCmd = g_mouseManager->LookupDblClickCommand(iViewId);
    if (uiCmd == 0 || uiCmd == UINT(-1)) {
        g_foundationSeams.messageBeep(UINT(-1));
        return FALSE;
    }
    if (g_userToolsManager != nullptr && g_userToolsManager->RunTool(uiCmd))
        return TRUE;
    HWND hTarget = nullptr;
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
        hTarget = ::GetAncestor(pWnd->GetSafeHwnd(), GA_ROOT);
    } else if (CWnd* pMain = AfxGetMainWnd()) {
        hTarget = pMain->GetSafeHwnd();
    }
    if (hTarget != nullptr)
        ::SendMessageA(hTarget, WM_COMMAND, WPARAM(uiCmd), 0);
    return TRUE;
}

BOOL CZUDPWorkspace::ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd)
{
    if (g_contextMenuManager == nullptr)
        return FALSE;
    return g_contextMenuManager->ShowPopupMenu(uiMenuResId, point.x, point.y, pWnd, FALSE, FALSE);
}

BOOL CZUDPWorkspace::OnWinHelp(CWnd* pWnd, DWORD_PTR dwData)
{
    CWinApp* pApp = AfxGetApp();
    return g_frameworkSeams.winHelp(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr,
                                    pApp != nullptr ? pApp->m_pszHelpFilePath : nullptr, HELP_CONTEXTMENU,
                                    ULONG_PTR(dwData));
}

BOOL CZUDPWorkspace::LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd)
{
    const CString path = MakeSectionPath(kWorkspacePlacementKey);
    if (path.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(path))
        return FALSE;
    // Read into locals: a partly stored placement changes nothing.
    CRect rect;
    int flags = 0, showCmd = 0;
    if (!reg.Read(kWorkspaceMainWindowRect, rect) || !reg.Read(kWorkspacePlacementFlags, flags) ||
        !reg.Read(kWorkspaceShowCommand, showCmd))
        return FALSE;
    rectNormalPosition = rect;
    nFlags = flags;
    nShowCmd = showCmd;
    return TRUE;
}

BOOL CZUDPWorkspace::StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd)
{
    const CString path = MakeSectionPath(kWorkspacePlacementKey);
    if (path.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(path))
        return FALSE;
    BOOL bResult = reg.Write(kWorkspaceMainWindowRect, rectNormalPosition);
    bResult = reg.Write(kWorkspacePlacementFlags, nFlags) && bResult;
    bResult = reg.Write(kWorkspaceShowCommand, nShowCmd) && bResult;
    return bResult;
}

BOOL CZUDPWorkspace::ReloadWindowPlacement(CWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    CCommandLineInfo cmdInfo;
    if (pApp != nullptr)
        AfxParseCommandLine(cmdInfo, pApp->m_lpCmdLine);
    if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated)
        return FALSE;

    CRect rectNormal;
    int nFlags = 0;
    int nShowCmd = SW_SHOWNORMAL;
    if (!LoadWindowPlacement(rectNormal, nFlags, nShowCmd))
        return FALSE;

    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (!::GetWindowPlacement(pFrame->GetSafeHwnd(), &wp))
        return FALSE;
    // Stored data is input: a hidden or minimized show command, or a
    // rectangle on a monitor that is gone, would lose the main window.
    if (nShowCmd == SW_SHOWNORMAL || nShowCmd == SW_SHOWMAXIMIZED)
        wp.showCmd = UINT(nShowCmd);
    if (!rectNormal.IsRectEmpty() && IsOnSomeWorkArea(rectNormal)) {
        // The normal position is kept in work-area coordinates.
        RECT rectWork = {};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
        rectNormal.OffsetRect(-rectWork.left, -rectWork.top);
        wp.rcNormalPosition = rectNormal;
    }
    return ::SetWindowPlacement(pFrame->GetSafeHwnd(), &wp);
}
