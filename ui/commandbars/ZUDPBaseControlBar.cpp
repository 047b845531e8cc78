#include "ui/commandbars/ZUDPBaseControlBar.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/Dialog.h"
#include "framework/win/FrameWnd.h"
#include "ui/docking/ZUDPAppBarWnd.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <windowsx.h>

IMPLEMENT_DYNAMIC(CZUDPBaseControlBar, CZUDPWnd)

BOOL g_barsHostedInDialog = FALSE;

BEGIN_MESSAGE_MAP(CZUDPBaseControlBar, CZUDPWnd)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_SIZE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CZUDPBaseControlBar::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, &CZUDPBaseControlBar::OnHelpHitTest)
    ON_MESSAGE(WM_INITDIALOG, &CZUDPBaseControlBar::OnInitDialog)
    ON_MESSAGE(WM_SETICON, &CZUDPBaseControlBar::OnSetIcon)
END_MESSAGE_MAP()

namespace {

const char kPaneStateSection[] = "ZUDPBaseControlBars";
const char kPaneStateKey[] = "ZUDPBaseControlBar";

// The nearest ancestor of a window that is a frame window, or null.
CFrameWnd* ParentFrameOf(HWND hWnd)
{
    for (HWND hParent = hWnd != nullptr ? ::GetParent(hWnd) : nullptr; hParent != nullptr;
         hParent = ::GetParent(hParent)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hParent);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

// The outermost frame window of a window, or null.
CFrameWnd* TopLevelFrameOf(HWND hWnd)
{
    CFrameWnd* pTop = nullptr;
    for (CFrameWnd* pFrame = ParentFrameOf(hWnd); pFrame != nullptr; pFrame = ParentFrameOf(pFrame->m_hWnd))
        pTop = pFrame;
    return pTop;
}

} // namespace

// ---------------------------------------------------------------------------
// What the pane is and where it may go

BOOL CZUDPBaseControlBar::IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }

BOOL CZUDPBaseControlBar::IsDocked() const
{
    CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame == nullptr || pMiniFrame->HasHostedBar() != 1;
}

BOOL CZUDPBaseControlBar::IsTabbed() const
{
    HWND hWndParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    CWnd* pParent = CWnd::FromHandlePermanent(hWndParent);
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabWnd));
}

// A pane that is not tabbed: its WS_VISIBLE style (its saved visibility
// while a loaded layout is re-applied).  A tabbed pane: its tab window is
// visible and holds a visible tab for it.
BOOL CZUDPBaseControlBar::IsBarVisible() const
{
    if (!IsTabbed()) {
        if (g_restoringDockLayout)
            return m_bSavedVisibility;
        return m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) != 0;
    }
    HWND hWndTab = nullptr;
    CZUDPBaseTabWnd* pTabWnd = GetContainerTabWnd(hWndTab);
    if (pTabWnd == nullptr || !(pTabWnd->GetStyle() & WS_VISIBLE))
        return FALSE;
    const int iTab = pTabWnd->FindTabByWindow(hWndTab);
    return iTab >= 0 && iTab < pTabWnd->GetTabCount() && pTabWnd->IsTabVisible(iTab);
}

BOOL CZUDPBaseControlBar::CanAcceptBar(const CZUDPBaseControlBar* pBar) const
{
    (void)pBar;
    return FALSE;
}

BOOL CZUDPBaseControlBar::CanDockAt(CZUDPBaseControlBar* pDockBar) const
{
    (void)pDockBar;
    return FALSE;
}

// A pane that is not tabbed may float when its capability bit says so; a
// tabbed one when its tab may be detached.
BOOL CZUDPBaseControlBar::CanFloat() const
{
    const BOOL bStyleAllows = (m_dwControlBarStyle & ZUDP_CBRS_FLOAT) != 0;
    if (!IsTabbed())
        return bStyleAllows;
    HWND hWndTab = nullptr;
    CZUDPBaseTabWnd* pTabWnd = GetContainerTabWnd(hWndTab);
    const int iTab = pTabWnd != nullptr ? pTabWnd->FindTabByWindow(hWndTab) : -1;
    return iTab >= 0 ? pTabWnd->IsTabDetachable(iTab) : bStyleAllows;
}

// ---------------------------------------------------------------------------
// Links and capabilities

CWnd* CZUDPBaseControlBar::GetDockSiteFrame() const
{
    if (m_pDockSite == nullptr && m_hWnd != nullptr) {
        CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (pParent != nullptr && (pParent->IsKindOf(RUNTIME_CLASS(CDialog)) || pParent->IsKindOf(RUNTIME_CLASS(CZUDPAppBarWnd))))
            g_barsHostedInDialog = TRUE;
    }
    return m_pDockSite;
}

DWORD CZUDPBaseControlBar::GetDockingMode() const
{
    return m_dwDockingMode != 0 ? m_dwDockingMode : CZUDPDockManager::GetGlobalDockMode();
}

HICON CZUDPBaseControlBar::GetBarIcon(BOOL bBigIcon)
{
    if (m_hWnd == nullptr)
        return nullptr;
    return (HICON)SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL);
}

void CZUDPBaseControlBar::SetDockedSide(DWORD dwAlignment)
{
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | (dwAlignment & CBRS_ALIGN_ANY);
}

// ---------------------------------------------------------------------------
// Docking and floating: control bars do them

BOOL CZUDPBaseControlBar::HandleMouseDrag(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod)
{
    (void)pTarget;
    (void)lpRect;
    (void)nDockMethod;
    return FALSE;
}

BOOL CZUDPBaseControlBar::FloatBar(CRect rect, int nDockMethod, BOOL bShow)
{
    (void)rect;
    (void)nDockMethod;
    (void)bShow;
    return FALSE;
}

BOOL CZUDPBaseControlBar::DockBar(DWORD dwAlignment, LPCRECT lpRect, int nDockMethod, CZUDPBaseControlBar* pTarget,
                                  int nIndex, BOOL bRecalcLayout)
{
    (void)dwAlignment;
    (void)lpRect;
    (void)nDockMethod;
    (void)pTarget;
    (void)nIndex;
    (void)bRecalcLayout;
    return FALSE;
}

CSize CZUDPBaseControlBar::CalcFixedSize(int nLength, DWORD dwMode)
{
    (void)nLength;
    (void)dwMode;
    return CSize(0, 0);
}

CZUDPMiniFrameWnd* CZUDPBaseControlBar::CreateFloatingFrame(CRect rect)
{
    (void)rect;
    return nullptr;
}

void CZUDPBaseControlBar::LeaveDockBar(CWnd* pNewParent, BOOL bFlag)
{
    (void)pNewParent;
    (void)bFlag;
}

void CZUDPBaseControlBar::RefreshDockBarLink(CWnd* pOldParent) { (void)pOldParent; }

// Shows (SW_SHOWNOACTIVATE) or hides the pane in whatever holds it: a
// floating frame (which closes itself when it shows nothing), a dock bar, a
// tabbed pane's or a plain tab window's tab, or its parent.
void CZUDPBaseControlBar::ShowBar(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (m_hWnd == nullptr)
        return;
    const int nCmdShow = bShow ? SW_SHOWNOACTIVATE : SW_HIDE;
    CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (IsFloating() && !IsTabbed() && pMiniFrame != nullptr) {
        ShowWindow(nCmdShow);
        pMiniFrame->ShowWindow(nCmdShow);
        pMiniFrame->PostMessage(ZUDPMSG_CHECKEMPTYMINIFRAME, 0, 0);
    } else if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->ShowControlBar(this, bShow, bDelay, bActivate);
    } else if (IsTabbed()) {
        HWND hWndTab = nullptr;
        CZUDPBaseTabWnd* pTabWnd = GetContainerTabWnd(hWndTab);
        if (CZUDPBaseTabbedBar* pTabbedBar = GetParentTabbedBar()) {
            // A hidden tabbed pane with other tabs only gets this tab back.
            if (bShow && !(pTabbedBar->GetStyle() & WS_VISIBLE) && pTabbedBar->GetTabCount() > 1) {
                pTabbedBar->ShowPaneTab(CWnd::FromHandle(hWndTab), TRUE, bDelay, bActivate);
                return;
            }
            pTabbedBar->ShowPaneTab(CWnd::FromHandle(hWndTab), bShow, bDelay, bActivate);
            if (pTabWnd != nullptr && pTabWnd->CountVisibleTabs() == 0)
                pTabbedBar->ShowBar(bShow, bDelay, bActivate);
        } else if (pTabWnd != nullptr) {
            pTabWnd->ShowTabAt(pTabWnd->FindTabByWindow(hWndTab), bShow, !bDelay, bActivate);
        }
    } else {
        ShowWindow(nCmdShow);
        if (!bDelay)
            RecalcParentLayout();
    }
    if (m_pDockBarRow != nullptr)
        m_pDockBarRow->SyncBarPositions(FALSE, nullptr);
}

// ---------------------------------------------------------------------------

CZUDPMiniFrameWnd* CZUDPBaseControlBar::GetParentMiniFrame(BOOL bNoAssert) const
{
    (void)bNoAssert;
    for (HWND hWnd = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CZUDPMiniFrameWnd)))
            return static_cast<CZUDPMiniFrameWnd*>(pWnd);
    }
    return nullptr;
}

CString CZUDPBaseControlBar::FormatStateKey(LPCTSTR lpszSection, LPCTSTR lpszKeyName, LPCTSTR lpszProfileName,
                                            int nIndex, UINT uiID, UINT uiControlId)
{
    const CString strPath = BuildRegistrySectionPath(lpszSection, lpszProfileName);
    if (strPath.IsEmpty())
        return CString();
    if (nIndex == -1)
        nIndex = int(uiControlId);
    CString strKey;
    if (uiID == (UINT)-1)
        strKey.Format("%s%s-%d", (LPCTSTR)strPath, lpszKeyName, nIndex);
    else
        strKey.Format("%s%s-%d%x", (LPCTSTR)strPath, lpszKeyName, nIndex, uiID);
    return strKey;
}

BOOL CZUDPBaseControlBar::LoadBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = FormatStateKey(kPaneStateSection, kPaneStateKey, lpszProfileName, nIndex, uiID,
                                          m_hWnd != nullptr ? (UINT)GetDlgCtrlID() : 0);
    if (strKey.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(strKey))
        return FALSE;
    DWORD dwVisible = 0;
    if (reg.Read("IsVisible", dwVisible))
        m_bSavedVisibility = dwVisible != 0;
    m_bRestoredFromRegistry = TRUE;
    return TRUE;
}

BOOL CZUDPBaseControlBar::SaveBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = FormatStateKey(kPaneStateSection, kPaneStateKey, lpszProfileName, nIndex, uiID,
                                          m_hWnd != nullptr ? (UINT)GetDlgCtrlID() : 0);
    if (strKey.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(strKey))
        return FALSE;
    return reg.Write("IsVisible", (DWORD)(IsBarVisible() ? 1 : 0));
}

// The current rectangle is compared in the parent's client coordinates, the
// coordinates the move uses (a bar in a dock bar away from the frame's
// origin would otherwise skip a needed move).
HDWP CZUDPBaseControlBar::MoveBar(CRect rect, BOOL bRepaint, HDWP hdwp)
{
    if (m_hWnd == nullptr)
        return hdwp;
    CRect rectOld;
    GetWindowRect(&rectOld);
    if (CWnd* pParent = CWnd::FromHandle(::GetParent(m_hWnd)))
        pParent->ScreenToClient(&rectOld);
    if (rectOld == rect)
        return hdwp;
    if (hdwp != nullptr)
        return SetWindowPosDeferred(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
    MoveWindow(&rect, bRepaint);
    return nullptr;
}

HDWP CZUDPBaseControlBar::SetWindowPosDeferred(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                               HDWP hdwp)
{
    if (m_hWnd == nullptr)
        return hdwp;
    if (hdwp == nullptr) {
        SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags);
        return nullptr;
    }
    HDWP hNext = ::DeferWindowPos(hdwp, m_hWnd, nullptr, x, y, cx, cy, nFlags);
    if (hNext == nullptr) {
        SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags);
        return hdwp;
    }
    return hNext;
}

void CZUDPBaseControlBar::CopyBaseState(const CZUDPBaseControlBar* pOther)
{
    if (pOther == nullptr)
        return;
    m_dwDockableSides = pOther->m_dwDockableSides;
    m_bSavedVisibility = pOther->m_bSavedVisibility;
    m_bRestoredFromRegistry = pOther->m_bRestoredFromRegistry;
    m_pDockSite = pOther->m_pDockSite;
    m_rectLayout = pOther->m_rectLayout;
    m_dwStyle = pOther->m_dwStyle;
    m_dwControlBarStyle = pOther->m_dwControlBarStyle;
    m_bInDialog = pOther->IsVisualManagerStyle() ? FALSE : pOther->m_bInDialog;
}

void CZUDPBaseControlBar::UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    (void)pTarget;
    (void)bDisableIfNoHndler;
}

BOOL CZUDPBaseControlBar::ShowContextMenu(CWnd* pFrame, int x, int y)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr || m_hWnd == nullptr)
        return FALSE;
    // The point travels in the low and high words; the receiver reads it
    // with its sign (monitors left of or above the primary one).
    if (pFrame->SendMessage(ZUDTOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(x, y)) == 0)
        return FALSE;
    if (CZUDPDockManager* pManager = g_globalUtils.DockManagerOfWindow(pFrame))
        pManager->ShowBarsContextMenu(CPoint(x, y));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Creation

BOOL CZUDPBaseControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    CWnd* pParent = CWnd::FromHandlePermanent(cs.hwndParent);
    m_bInDialog = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDialog));
    return CZUDPWnd::PreCreateWindow(cs);
}

BOOL CZUDPBaseControlBar::CreateBar(DWORD dwStyleEx, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                    const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle,
                                    CCreateContext* pContext)
{
    m_bInDialog = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog));
    m_dwKeptStyle = dwStyle & WS_VISIBLE;
    // The bar style takes the whole style word, window bits and CBRS_ bits
    // alike, as bars always have.
    m_dwStyle |= dwStyle;
    m_dwControlBarStyle = dwControlBarStyle;

    if (m_lpszTemplateName == nullptr) {
        if (!CreateEx(dwStyleEx, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
            return FALSE;
    } else {
        CREATESTRUCT cs = {};
        cs.lpszClass = lpszClassName;
        cs.lpszName = lpszWindowName;
        cs.style = dwStyle | WS_CHILD;
        cs.hMenu = (HMENU)(UINT_PTR)nID;
        cs.hInstance = AfxGetInstanceHandle();
        cs.hwndParent = AfxSafeHwnd(pParentWnd);
        if (!PreCreateWindow(cs))
            return FALSE;
        if (!CreateDlg(m_lpszTemplateName, pParentWnd))
            return FALSE;
        ::SetClassLongPtrA(m_hWnd, GCLP_HBRBACKGROUND, (LONG_PTR)::GetSysColorBrush(COLOR_BTNFACE));
        SetDlgCtrlID(int(nID));
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        m_sizeTemplate = rectWindow.Size();
    }

    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        m_pDockSite = pParentWnd;
    else
        m_pDockSite = GetEnclosingFrame(pParentWnd);
    m_bInDialog = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog));
    return m_hWnd != nullptr;
}

CSize CZUDPBaseControlBar::CalcStretchSize(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return CSize(0, 0);
    return bHorz ? CSize(0x7FFF, 0) : CSize(0, 0x7FFF);
}

void CZUDPBaseControlBar::PaintBar(CDC* pDC)
{
    if (pDC == nullptr || m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    CZUDPVisualManager::GetActiveManager()->FillBarBackground(pDC, this, rectClient, rectClip);
}

void CZUDPBaseControlBar::RecalcParentLayout(BOOL bNotify)
{
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->OnHostedBarLayoutChanged();
        return;
    }
    CWnd* pSite = GetDockSiteFrame();
    if (DockManagerOfFrame(pSite) != nullptr)
        static_cast<CFrameWnd*>(pSite)->RecalcLayout(bNotify);
}

// ---------------------------------------------------------------------------
// Frame-level docking through the dock site's dock manager

CZUDPDockManager* CZUDPBaseControlBar::GetSiteDockManager() const { return DockManagerOfFrame(GetDockSiteFrame()); }

BOOL CZUDPBaseControlBar::RegisterBarWithSite(CZUDPBaseControlBar* pBar)
{
    CZUDPDockManager* pManager = GetSiteDockManager();
    return pManager != nullptr ? pManager->RegisterBar(pBar, TRUE) : FALSE;
}

CZUDPBaseControlBar* CZUDPBaseControlBar::FindBarAtPointInSite(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                               CRuntimeClass* pRTCBarType) const
{
    CZUDPDockManager* pManager = GetSiteDockManager();
    return pManager != nullptr ? pManager->FindBarAtPoint(pt, nSensitivity, bExactBar, pRTCBarType) : nullptr;
}

void CZUDPBaseControlBar::DockToSite(BOOL bUseDockSite)
{
    CWnd* pFrame = bUseDockSite ? GetDockSiteFrame() : GetEnclosingFrame(this);
    if (CZUDPDockManager* pManager = DockManagerOfFrame(pFrame))
        pManager->DockBarAtSite(this, 0, nullptr);
}

BOOL CZUDPBaseControlBar::InsertBarBesideInSite(CZUDPBaseControlBar* pBar, CZUDPBaseControlBar* pTarget, BOOL bAfter)
{
    if (CZUDPMultiMiniFrameWnd* pMultiFrame = DYNAMIC_DOWNCAST(CZUDPMultiMiniFrameWnd, GetParentMiniFrame(TRUE)))
        return pMultiFrame->InsertBarBeside(pBar, pTarget, bAfter);
    if (GetDockSiteFrame() == nullptr)
        return g_barsHostedInDialog;
    CZUDPDockManager* pManager = GetSiteDockManager();
    return pManager != nullptr ? pManager->InsertBarBeside(pBar, pTarget, bAfter) : FALSE;
}

BOOL CZUDPBaseControlBar::HitTestSiteDockEdge(CPoint pt, int nSensitivity, DWORD& dwAlignment, BOOL& bOuter)
{
    if (GetDockSiteFrame() == nullptr)
        return g_barsHostedInDialog;
    CZUDPDockManager* pManager = GetSiteDockManager();
    return pManager != nullptr ? pManager->HitTestDockEdge(pt, nSensitivity, dwAlignment, bOuter) : FALSE;
}

void CZUDPBaseControlBar::UnregisterBarFromSite(CZUDPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                                BOOL bAutoHide, CZUDPBaseControlBar* pBarReplacement)
{
    if (CZUDPDockManager* pManager = GetSiteDockManager())
        pManager->UnregisterBar(pBar, bDestroy, bAdjustLayout, bAutoHide, pBarReplacement);
}

// ---------------------------------------------------------------------------
// Tab windows

CZUDPBaseTabWnd* CZUDPBaseControlBar::GetContainerTabWnd(HWND& hWndTab) const
{
    hWndTab = m_hWnd;
    if (m_hWnd == nullptr)
        return nullptr;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPDockingCBWrapper))) {
        // The wrapper stands for the pane in the tab window.
        hWndTab = pParent->m_hWnd;
        pParent = CWnd::FromHandlePermanent(::GetParent(hWndTab));
    }
    if (pParent == nullptr)
        return nullptr;
    if (pParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabWnd)))
        return static_cast<CZUDPBaseTabWnd*>(pParent);
    if (pParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabbedBar)))
        return static_cast<CZUDPBaseTabbedBar*>(pParent)->GetTabWnd();
    return nullptr;
}

CZUDPBaseTabbedBar* CZUDPBaseControlBar::GetParentTabbedBar() const
{
    if (!IsTabbed())
        return nullptr;
    HWND hWndTab = nullptr;
    CZUDPBaseTabWnd* pTabWnd = GetContainerTabWnd(hWndTab);
    if (pTabWnd == nullptr || pTabWnd->m_hWnd == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CZUDPBaseTabbedBar, CWnd::FromHandlePermanent(::GetParent(pTabWnd->m_hWnd)));
}

// ---------------------------------------------------------------------------
// Archive

void CZUDPBaseControlBar::Serialize(CArchive& ar)
{
    CZUDPWnd::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (DWORD)(m_dwStyle & CBRS_ALIGN_ANY);
        ar << (DWORD)(IsBarVisible() ? 1 : 0);
        return;
    }
    DWORD dwSide = 0;
    DWORD dwVisible = 0;
    ar >> dwSide;
    ar >> dwVisible;
    // The stored side replaces the docked side; a value that is neither
    // no side nor one side is not ours and leaves the side as it is.
    dwSide &= CBRS_ALIGN_ANY;
    if (dwSide == 0 || dwSide == CBRS_ALIGN_LEFT || dwSide == CBRS_ALIGN_TOP || dwSide == CBRS_ALIGN_RIGHT ||
        dwSide == CBRS_ALIGN_BOTTOM)
        SetDockedSide(dwSide);
    m_bSavedVisibility = dwVisible != 0;
}

// ---------------------------------------------------------------------------
// Messages

BOOL CZUDPBaseControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CZUDPWnd::PreTranslateMessage(pMsg))
        return TRUE;
    CFrameWnd* pTopFrame = TopLevelFrameOf(m_hWnd);
    if (pTopFrame == nullptr || !pTopFrame->m_bHelpMode) {
        // The owner and the frames above it translate first (their
        // accelerators), before the dialog manager would eat the keys.
        HWND hWndOwner = m_hWndOwner != nullptr ? m_hWndOwner : ::GetParent(m_hWnd);
        while (hWndOwner != nullptr && ::IsWindow(hWndOwner)) {
            CWnd* pOwner = CWnd::FromHandlePermanent(hWndOwner);
            if (pOwner != nullptr && pOwner->PreTranslateMessage(pMsg))
                return TRUE;
            if (!::IsWindow(hWndOwner))
                break;
            CFrameWnd* pParentFrame = ParentFrameOf(hWndOwner);
            hWndOwner = pParentFrame != nullptr ? pParentFrame->m_hWnd : nullptr;
        }
    }
    return PreTranslateInput(pMsg);
}

// Commands, notifications and owner-drawn item messages of the pane's
// controls go to the owner when the pane does not handle them itself.
LRESULT CZUDPBaseControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        break;
    default:
        return CZUDPWnd::WindowProc(message, wParam, lParam);
    }
    LRESULT lResult = 0;
    if (OnWndMsg(message, wParam, lParam, &lResult))
        return lResult;
    HWND hWndOwner = m_hWndOwner != nullptr ? m_hWndOwner : ::GetParent(m_hWnd);
    if (hWndOwner == nullptr)
        return DefWindowProc(message, wParam, lParam);
    lResult = ::SendMessageA(hWndOwner, message, wParam, lParam);
    if (message == WM_NOTIFY && lParam != 0) {
        // A tooltip request the owner left without a text goes to the
        // pane's own procedure.
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        BOOL bNoText = FALSE;
        if (pHeader->code == TTN_GETDISPINFOA) {
            const NMTTDISPINFOA* pInfo = reinterpret_cast<const NMTTDISPINFOA*>(lParam);
            bNoText = pInfo->hinst == nullptr &&
                      (pInfo->lpszText == nullptr || IS_INTRESOURCE(pInfo->lpszText) || pInfo->lpszText[0] == '\0');
        } else if (pHeader->code == TTN_GETDISPINFOW) {
            const NMTTDISPINFOW* pInfo = reinterpret_cast<const NMTTDISPINFOW*>(lParam);
            bNoText = pInfo->hinst == nullptr &&
                      (pInfo->lpszText == nullptr || IS_INTRESOURCE(pInfo->lpszText) || pInfo->lpszText[0] == L'\0');
        }
        if (bNoText)
            return DefWindowProc(message, wParam, lParam);
    }
    return lResult;
}

void CZUDPBaseControlBar::OnPaint()
{
    CPaintDC dc(this);
    if (GetStyle() & WS_VISIBLE)
        PaintBar(&dc);
}

void CZUDPBaseControlBar::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if (nFlags & PRF_ERASEBKGND)
        SendMessage(WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc());
    if (nFlags & PRF_CLIENT)
        PaintBar(pDC);
}

void CZUDPBaseControlBar::OnSize(UINT, int, int)
{
    Default();
    if (m_pDockBarRow != nullptr)
        m_pDockBarRow->OnBarSizeChanged(this);
}

void CZUDPBaseControlBar::OnSettingChange(UINT, LPCTSTR)
{
    Default();
    g_uiEnvironment.ReadSystemSettings();
}

LRESULT CZUDPBaseControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    if (m_pParentDockBar != nullptr && !(m_pParentDockBar->GetStyle() & WS_VISIBLE))
        return 0;
    HWND hWndOwner = m_hWndOwner != nullptr ? m_hWndOwner : ::GetParent(m_hWnd);
    CFrameWnd* pTarget = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndOwner));
    if (pTarget == nullptr)
        pTarget = GetEnclosingFrame(this);
    if (pTarget != nullptr)
        UpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

LRESULT CZUDPBaseControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const INT_PTR nHit = OnToolHitTest(point, nullptr);
    if (nHit != -1)
        return HID_BASE_COMMAND + nHit;
    const int nID = GetDlgCtrlID();
    return nID != 0 ? HID_BASE_CONTROL + nID : 0;
}

LRESULT CZUDPBaseControlBar::OnInitDialog(WPARAM, LPARAM)
{
    if (m_lpszTemplateName != nullptr) {
        if (!ExecuteDlgInit(m_lpszTemplateName))
            return FALSE;
        UpdateData(FALSE);
    }
    return Default();
}

LRESULT CZUDPBaseControlBar::OnSetIcon(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (IsTabbed()) {
        HWND hWndTab = nullptr;
        if (CZUDPBaseTabWnd* pTabWnd = GetContainerTabWnd(hWndTab)) {
            const int iTab = pTabWnd->FindTabByWindow(hWndTab);
            if (iTab >= 0)
                pTabWnd->SetTabIconHandle(iTab, (HICON)SendMessage(WM_GETICON, ICON_SMALL));
        }
    }
    return lResult;
}
