#include "ui/docking/ZUDPDockManager.h"

#include "framework/Archive.h"
#include "framework/win/FrameWnd.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockingFlags.h"

IMPLEMENT_DYNAMIC(CZUDPSmartDockingManager, CObject)
IMPLEMENT_DYNAMIC(CZUDPDockManager, CObject)
IMPLEMENT_SERIAL(CZUDPTabbedControlBar, CZUDPBaseTabbedBar, VERSIONABLE_SCHEMA | 2)

DWORD CZUDPDockManager::s_dwDockMode = ZUDP_DOCK_OUTLINE;
int CZUDPDockManager::s_nSmartDockingVariant = 0;

CZUDPDockManager::~CZUDPDockManager() { delete m_pSmartDockingManager; }

BOOL CZUDPDockManager::Create(CFrameWnd* pFrame)
{
    m_pFrame = pFrame;
    return TRUE;
}

// ---------------------------------------------------------------------------
// The bar list

BOOL CZUDPDockManager::RegisterBar(CZUDPBaseControlBar* pBar, BOOL bTail, BOOL bAutoHide,
                                   BOOL bInsertBeforeFirstDetachable)
{
    if (pBar == nullptr)
        return FALSE;
    CObList& list = bAutoHide ? m_lstAutoHideBars : m_lstBars;
    if (list.Find(pBar) != nullptr)
        return FALSE;
    if (bTail) {
        list.AddTail(pBar);
    } else if (bInsertBeforeFirstDetachable) {
        POSITION posBefore = nullptr;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr && posBefore == nullptr;) {
            POSITION posThis = pos;
            CZUDPBaseControlBar* pListed = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, list.GetNext(pos));
            if (pListed != nullptr && pListed->CanDetach())
                posBefore = posThis;
        }
        if (posBefore != nullptr)
            list.InsertBefore(posBefore, pBar);
        else
            list.AddTail(pBar);
    } else {
        list.AddHead(pBar);
    }
    pBar->SetDockSiteFrame(m_pFrame);
    return TRUE;
}

BOOL CZUDPDockManager::InsertBarBeside(CZUDPBaseControlBar* pBar, CZUDPBaseControlBar* pTarget, BOOL bAfter)
{
    if (pBar == nullptr || m_lstBars.Find(pBar) != nullptr)
        return FALSE;
    POSITION pos = m_lstBars.Find(pTarget);
    if (pos == nullptr)
        return FALSE;
    if (bAfter)
        m_lstBars.InsertAfter(pos, pBar);
    else
        m_lstBars.InsertBefore(pos, pBar);
    return TRUE;
}

void CZUDPDockManager::UnregisterBar(CZUDPBaseControlBar* pBar, BOOL bDestroy, BOOL bRecalcLayout, BOOL bAutoHide,
                                     CZUDPBaseControlBar* pBarReplacement)
{
    (void)bAutoHide;
    CObList* pList = &m_lstAutoHideBars;
    POSITION pos = m_lstAutoHideBars.Find(pBar);
    if (pos == nullptr) {
        pList = &m_lstBars;
        pos = m_lstBars.Find(pBar);
    }
    if (pBarReplacement != nullptr) {
        if (pos == nullptr) {
            m_lstBars.AddTail(pBarReplacement);
            return;
        }
        pList->InsertAfter(pos, pBarReplacement);
    }
    if (pos == nullptr)
        return;
    pList->RemoveAt(pos);
    if (bDestroy && pBar->GetSafeHwnd() != nullptr)
        pBar->DestroyWindow();
    if (bRecalcLayout)
        LayoutDockedBars(nullptr);
}

// ---------------------------------------------------------------------------
// Finding

CZUDPBaseControlBar* CZUDPDockManager::FindBarAtPoint(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                      CRuntimeClass* pRTCBarType, BOOL bVisibleOnly,
                                                      const CZUDPBaseControlBar* pBarToIgnore) const
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_lstBars.GetNext(pos));
        if (pBar == nullptr || pBar == pBarToIgnore || pBar->GetSafeHwnd() == nullptr)
            continue;
        if (pRTCBarType != nullptr && !pBar->IsKindOf(pRTCBarType))
            continue;
        if (bVisibleOnly && !(pBar->GetStyle() & WS_VISIBLE))
            continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        if (!bExactBar)
            rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(pt))
            return pBar;
    }
    return nullptr;
}

CZUDPDockBar* CZUDPDockManager::FindDockBarForSide(DWORD dwAlignment, BOOL bFromHead) const
{
    const DWORD dwSide = dwAlignment & CBRS_ALIGN_ANY;
    POSITION pos = bFromHead ? m_lstBars.GetHeadPosition() : m_lstBars.GetTailPosition();
    while (pos != nullptr) {
        CObject* pObject = bFromHead ? m_lstBars.GetNext(pos) : m_lstBars.GetPrev(pos);
        CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, pObject);
        if (pDockBar != nullptr && pDockBar->GetDockedSide() == dwSide)
            return pDockBar;
    }
    return nullptr;
}

BOOL CZUDPDockManager::HitTestDockEdge(CPoint pt, int nSensitivity, DWORD& dwAlignment, BOOL& bOuter) const
{
    (void)pt;
    (void)nSensitivity;
    dwAlignment = 0;
    bOuter = FALSE;
    return FALSE;
}

// ---------------------------------------------------------------------------
// Docking

void CZUDPDockManager::DockBarAtSite(CZUDPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (pBar == nullptr || m_lstBars.IsEmpty())
        return;
    pBar->OnHideBar(TRUE);
    if (!pBar->CanBeDocked() && !pBar->CanFloat()) {
        RegisterBar(pBar, TRUE);
        return;
    }
    if (pBar->IsResizable()) {
        // Docking panes dock at the side the id names (or their own).
        static const struct {
            UINT nID;
            DWORD dwSide;
        } sides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
                     {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
                     {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
                     {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT}};
        if (nDockBarID == 0) {
            pBar->DockBar(pBar->GetDockedSide(), lpRect, ZUDP_DM_MOUSE, nullptr, -1, FALSE);
            return;
        }
        for (const auto& side : sides) {
            if (side.nID == nDockBarID && (pBar->GetDockableSides() & side.dwSide & CBRS_ALIGN_ANY)) {
                pBar->DockBar(side.dwSide, lpRect, ZUDP_DM_MOUSE, nullptr, -1, FALSE);
                return;
            }
        }
        return;
    }
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, m_lstBars.GetNext(pos));
        if (pDockBar == nullptr || (nDockBarID != 0 && pDockBar->GetDockBarID() != nDockBarID))
            continue;
        if (!pBar->CanDockAt(pDockBar) || !pDockBar->CanAcceptBar(pBar))
            continue;
        if (pBar->HandleMouseDrag(pDockBar, lpRect, ZUDP_DM_RECT)) {
            pBar->Invalidate();
            break;
        }
    }
}

// ---------------------------------------------------------------------------
// Layout

HDWP CZUDPDockManager::LayoutDockedBars(HDWP hdwp)
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || g_suspendDockLayout || m_bInLayout)
        return hdwp;
    m_bInLayout = TRUE;
    CRect rect;
    m_pFrame->GetClientRect(&rect);
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, m_lstBars.GetNext(pos));
        if (pDockBar == nullptr || pDockBar->GetSafeHwnd() == nullptr || !(pDockBar->GetStyle() & WS_VISIBLE))
            continue;
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        CRect rectPlace = rect;
        switch (pDockBar->GetDockedSide()) {
        case CBRS_ALIGN_TOP:
            rectPlace.bottom = rect.top + rectBar.Height();
            rect.top = rectPlace.bottom;
            break;
        case CBRS_ALIGN_BOTTOM:
            rectPlace.top = rect.bottom - rectBar.Height();
            rect.bottom = rectPlace.top;
            break;
        case CBRS_ALIGN_LEFT:
            rectPlace.right = rect.left + rectBar.Width();
            rect.left = rectPlace.right;
            break;
        case CBRS_ALIGN_RIGHT:
            rectPlace.left = rect.right - rectBar.Width();
            rect.right = rectPlace.left;
            break;
        default:
            continue;
        }
        const BOOL bLengthChanged = pDockBar->IsHorizontal() ? rectPlace.Width() != rectBar.Width()
                                                            : rectPlace.Height() != rectBar.Height();
        hdwp = pDockBar->MoveBar(rectPlace, TRUE, hdwp);
        if (bLengthChanged && hdwp == nullptr) {
            // The rows share the new length among their bars.
            for (int i = 0; i < pDockBar->GetRowCount(); ++i)
                pDockBar->GetRow(i)->FitBarsToLength();
        }
    }
    m_rectClient = rect;
    m_rectOuterEdge = rect;
    m_bInLayout = FALSE;
    return hdwp;
}

// ---------------------------------------------------------------------------
// The bars menu and the docking mode

BOOL CZUDPDockManager::ShowBarsContextMenu(CPoint pt)
{
    (void)pt;
    // The menu is built from the bars once popup menus can show it; until
    // then nothing is shown, as while the bars menu is not enabled.
    return FALSE;
}

void CZUDPDockManager::SetGlobalDockMode(DWORD dwDockMode, int nSmartDockingVariant)
{
    if (dwDockMode == 128) {
        s_dwDockMode = 129;
        s_nSmartDockingVariant = nSmartDockingVariant;
        return;
    }
    s_dwDockMode = dwDockMode;
}

void CZUDPTabbedControlBar::ApplyVisualManagerToAll() {}
