#include "ui/docking/ZUDPDockManager.h"

#include "framework/Archive.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPAutoHideBars.h"
#include "ui/docking/ZUDPBaseTabWnd.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockingControlBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPDockingSeams.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPReBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <commctrl.h>

#include <vector>

IMPLEMENT_DYNAMIC(CZUDPSmartDockingManager, CObject)
IMPLEMENT_DYNAMIC(CZUDPDockManager, CObject)
IMPLEMENT_SERIAL(CZUDPTabbedControlBar, CZUDPBaseTabbedBar, VERSIONABLE_SCHEMA | 2)

CZUDPSmartDockingParams g_smartDockingParams;
int g_dockSensitivity = 15;
UINT g_dockDelayOverDockBar = 200;
UINT g_dockDelay = 220;
DWORD g_globalDockMode = ZUDP_DOCK_OUTLINE;
int g_smartDockingVariant = 0;
CRuntimeClass* g_autoHideToolBarClass = RUNTIME_CLASS(CZUDPAutoHideToolBar);
BOOL g_savingDockLayout = FALSE;
BOOL g_autoHiddenFollowStrip = FALSE;

namespace {

// The largest share of the client area a docked bar may take (percent).
const int kMaxDockedShare = 50;

CZUDPBaseControlBar* AsBar(CObject* pObject) { return DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pObject); }

BOOL HasWindow(const CWnd* pWnd) { return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr; }

// The tab pane with a control id inside a tabbed pane, or null.
CZUDPBaseControlBar* FindTabPaneById(CZUDPBaseTabbedBar* pTabbed, UINT nID)
{
    CZUDPBaseTabWnd* pTabWnd = pTabbed->GetTabWnd();
    if (pTabWnd == nullptr)
        return nullptr;
    for (int i = 0; i < pTabWnd->GetTabCount(); ++i) {
        CZUDPBaseControlBar* pPane = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pTabWnd->GetTabWindowUnwrapped(i));
        if (HasWindow(pPane) && UINT(pPane->GetDlgCtrlID()) == nID)
            return pPane;
    }
    return nullptr;
}

// The control bars held by the bands of the frame's rebars, band by band.
// Rebars are no library bars: they are found among the frame's children,
// and a band's child is input of the rebar control, checked before use.
std::vector<CZUDPBaseControlBar*> RebarBandBars(CFrameWnd* pFrame)
{
    std::vector<CZUDPBaseControlBar*> bars;
    if (!HasWindow(pFrame))
        return bars;
    for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CZUDPReBar* pReBar = DYNAMIC_DOWNCAST(CZUDPReBar, CWnd::FromHandlePermanent(hChild));
        if (!HasWindow(pReBar))
            continue;
        const int nBands = int(pReBar->SendMessage(RB_GETBANDCOUNT));
        for (int i = 0; i < nBands; ++i) {
            REBARBANDINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
            if (!pReBar->SendMessage(RB_GETBANDINFOA, WPARAM(i), LPARAM(&info)) || info.hwndChild == nullptr)
                continue;
            CZUDPBaseControlBar* pChild =
                DYNAMIC_DOWNCAST(CZUDPBaseControlBar, CWnd::FromHandlePermanent(info.hwndChild));
            if (HasWindow(pChild))
                bars.push_back(pChild);
        }
    }
    return bars;
}

// The bar in a dock bar's rows with a control id, or null.
CZUDPBaseControlBar* FindDockedBarById(const CZUDPDockBar* pDockBar, UINT nID)
{
    for (int i = 0; i < pDockBar->GetRowCount(); ++i) {
        const CObList& bars = pDockBar->GetRow(i)->GetBars();
        for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
            CZUDPBaseControlBar* pBar = AsBar(bars.GetNext(pos));
            if (HasWindow(pBar) && UINT(pBar->GetDlgCtrlID()) == nID)
                return pBar;
        }
    }
    return nullptr;
}

// The pane a slider of the auto-hide list carries, or null.
CZUDPBaseControlBar* PaneOfSlider(CObject* pObject)
{
    CZUDPSlider* pSlider = DYNAMIC_DOWNCAST(CZUDPSlider, pObject);
    return pSlider != nullptr ? pSlider->GetCarriedPane() : nullptr;
}

// The window that owns the frame's menus: the active OLE in-place frame,
// else the frame's top-level frame.
CWnd* GetTopLevelFrameOrInPlace(CFrameWnd* pFrame)
{
    if (HasWindow(g_activeInPlaceFrame))
        return g_activeInPlaceFrame;
    CWnd* pTop = pFrame;
    for (HWND hWnd = pFrame->GetSafeHwnd(); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            pTop = pWnd;
        if (!(::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return pTop;
}

// The re-check timer of a floating frame that waits to dock.
const UINT_PTR kDockCheckTimer = 4;

BOOL PassesFilter(const CObject* pObject, CRuntimeClass* pFilter)
{
    return pFilter == nullptr || pObject->GetRuntimeClass() == pFilter;
}

} // namespace

CZUDPDockManager::~CZUDPDockManager() { delete m_pSmartDockingManager; }

BOOL CZUDPDockManager::Create(CFrameWnd* pFrame)
{
    m_pFrame = pFrame;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Registration

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


BOOL CZUDPDockManager::RegisterMiniFrame(CZUDPMiniFrameWnd* pFrame)
{
    if (pFrame == nullptr || m_lstMiniFrames.Find(pFrame) != nullptr)
        return FALSE;
    m_lstMiniFrames.AddTail(pFrame);
    return TRUE;
}

BOOL CZUDPDockManager::UnregisterMiniFrame(CZUDPMiniFrameWnd* pFrame)
{
    POSITION pos = m_lstMiniFrames.Find(pFrame);
    if (pos == nullptr)
        return FALSE;
    m_lstMiniFrames.RemoveAt(pos);
    return TRUE;
}

void CZUDPDockManager::AddHiddenBar(CZUDPBaseControlBar* pBar)
{
    if (HasWindow(pBar))
        m_lstRestoredHiddenBars.AddTail(pBar->GetSafeHwnd());
}

void CZUDPDockManager::RemoveHiddenBar(CZUDPBaseControlBar* pBar)
{
    POSITION pos = pBar != nullptr ? m_lstRestoredHiddenBars.Find(pBar->GetSafeHwnd()) : nullptr;
    if (pos != nullptr)
        m_lstRestoredHiddenBars.RemoveAt(pos);
}

// ---------------------------------------------------------------------------
// Lookups

BOOL CZUDPDockManager::IsInPlaceActive() const
{
    return HasWindow(m_pFrame) && m_pFrame->m_pNotifyHook != nullptr;
}

BOOL CZUDPDockManager::IsFrameMirrored() const
{
    return HasWindow(m_pFrame) && (m_pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

BOOL CZUDPDockManager::IsCtrlHeld() const { return (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) != 0; }

CZUDPBaseControlBar* CZUDPDockManager::LocateBarById(UINT nID, BOOL bSearchMiniFrames) const
{
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pPane = PaneOfSlider(m_lstAutoHideBars.GetNext(pos));
        if (HasWindow(pPane) && UINT(pPane->GetDlgCtrlID()) == nID)
            return pPane;
    }
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(m_lstBars.GetNext(pos));
        if (!HasWindow(pBar))
            continue;
        if (UINT(pBar->GetDlgCtrlID()) == nID)
            return pBar;
        CZUDPBaseControlBar* pInner = nullptr;
        if (CZUDPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CZUDPBaseTabbedBar, pBar))
            pInner = FindTabPaneById(pTabbed, nID);
        else if (CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, pBar))
            pInner = FindDockedBarById(pDockBar, nID);
        if (pInner != nullptr)
            return pInner;
    }
    for (CZUDPBaseControlBar* pChild : RebarBandBars(m_pFrame)) {
        if (UINT(pChild->GetDlgCtrlID()) == nID)
            return pChild;
    }
    if (!bSearchMiniFrames)
        return nullptr;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        CZUDPBaseControlBar* pBar = pFrame != nullptr ? AsBar(pFrame->GetHostedBar()) : nullptr;
        if (HasWindow(pBar) && UINT(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    HWND hWnd = nullptr;
    if (g_floatingBarMap.Lookup(nID, hWnd))
        return DYNAMIC_DOWNCAST(CZUDPBaseControlBar, CWnd::FromHandlePermanent(hWnd));
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

CZUDPDockBar* CZUDPDockManager::FindDockBarOfBar(const CZUDPBaseControlBar* pBar) const
{
    if (!HasWindow(pBar))
        return nullptr;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, m_lstBars.GetNext(pos));
        if (pDockBar != nullptr && FindDockedBarById(pDockBar, UINT(pBar->GetDlgCtrlID())) == pBar)
            return pDockBar;
    }
    return nullptr;
}

CZUDPMiniFrameWnd* CZUDPDockManager::FindMiniFrameAtPoint(CPoint pt, const CWnd* pExclude, BOOL bMultiOnly) const
{
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (!HasWindow(pFrame) || pFrame == pExclude || !(pFrame->GetStyle() & WS_VISIBLE))
            continue;
        if (bMultiOnly && !pFrame->IsKindOf(RUNTIME_CLASS(CZUDPMultiMiniFrameWnd)))
            continue;
        CRect rect;
        pFrame->GetWindowRect(&rect);
        if (rect.PtInRect(pt))
            return pFrame;
    }
    return nullptr;
}

void CZUDPDockManager::CollectBars(CObList& list, BOOL bIncludeAutoHide, CRuntimeClass* pRTCFilter,
                                   BOOL bIncludeTabs) const
{
    auto addTabPanes = [&](CZUDPBaseTabbedBar* pTabbed) {
        CZUDPBaseTabWnd* pTabWnd = pTabbed->GetTabWnd();
        for (int i = 0; pTabWnd != nullptr && i < pTabWnd->GetTabCount(); ++i) {
            CZUDPBaseControlBar* pPane = AsBar(pTabWnd->GetTabWindowUnwrapped(i));
            if (pPane != nullptr && PassesFilter(pPane, pRTCFilter))
                list.AddTail(pPane);
        }
    };
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(m_lstBars.GetNext(pos));
        if (pBar == nullptr)
            continue;
        if (CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, pBar)) {
            const CObList& docked = pDockBar->GetControlBars();
            for (POSITION p = docked.GetHeadPosition(); p != nullptr;) {
                CObject* pDocked = docked.GetNext(p);
                if (PassesFilter(pDocked, pRTCFilter))
                    list.AddTail(pDocked);
            }
        } else if (bIncludeTabs && pBar->IsKindOf(RUNTIME_CLASS(CZUDPTabbedControlBar))) {
            addTabPanes(static_cast<CZUDPBaseTabbedBar*>(pBar));
        }
        if (PassesFilter(pBar, pRTCFilter))
            list.AddTail(pBar);
    }
    if (bIncludeAutoHide) {
        for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != nullptr;) {
            CZUDPBaseControlBar* pPane = PaneOfSlider(m_lstAutoHideBars.GetNext(pos));
            if (pPane != nullptr && PassesFilter(pPane, pRTCFilter))
                list.AddTail(pPane);
        }
    }
    for (POSITION pos = g_floatingBarMap.GetStartPosition(); pos != nullptr;) {
        UINT nID = 0;
        HWND hWnd = nullptr;
        g_floatingBarMap.GetNextAssoc(pos, nID, hWnd);
        CZUDPBaseControlBar* pBar = AsBar(CWnd::FromHandlePermanent(hWnd));
        if (pBar == nullptr || list.Find(pBar) != nullptr)
            continue;
        if (CZUDPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CZUDPBaseTabbedBar, pBar)) {
            if (bIncludeTabs)
                addTabPanes(pTabbed);
        } else if (PassesFilter(pBar, pRTCFilter)) {
            list.AddTail(pBar);
        }
    }
}

// ---------------------------------------------------------------------------
// Services

void CZUDPDockManager::RefreshDockBars()
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, m_lstBars.GetNext(pos));
        if (HasWindow(pDockBar))
            pDockBar->CalcStretchSize(FALSE, pDockBar->IsHorizontal());
    }
    LayoutDockedBars(nullptr);
}

void CZUDPDockManager::RefreshAllFrames()
{
    const UINT nFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(m_lstBars.GetNext(pos));
        if (HasWindow(pBar))
            pBar->SetWindowPosDeferred(nullptr, 0, 0, 0, 0, nFlags, nullptr);
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (HasWindow(pFrame))
            pFrame->SetWindowPos(nullptr, 0, 0, 0, 0, nFlags);
    }
}

void CZUDPDockManager::BringBarsToTop(DWORD dwAlignment, BOOL bExcludePanes)
{
    const DWORD dwSide = dwAlignment & CBRS_ALIGN_ANY;
    for (POSITION pos = m_lstBars.GetTailPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(m_lstBars.GetPrev(pos));
        if (!HasWindow(pBar))
            continue;
        if (bExcludePanes) {
            if (pBar->IsKindOf(RUNTIME_CLASS(CZUDPControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CZUDPSlider)))
                continue;
            bExcludePanes = FALSE;
        }
        if (dwSide == 0 || pBar->GetDockedSide() == dwSide)
            pBar->BringWindowToTop();
    }
}

void CZUDPDockManager::SortMiniFramesByZOrder()
{
    if (m_lstMiniFrames.IsEmpty())
        return;
    CWnd* pFirst = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetHead());
    if (!HasWindow(pFirst))
        return;
    CObList sorted;
    for (HWND hWnd = ::GetWindow(pFirst->GetSafeHwnd(), GW_HWNDFIRST); hWnd != nullptr;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && m_lstMiniFrames.Find(pWnd) != nullptr && sorted.Find(pWnd) == nullptr)
            sorted.AddTail(pWnd);
    }
    m_lstMiniFrames.RemoveAll();
    m_lstMiniFrames.AddTail(&sorted);
}

BOOL CZUDPDockManager::SendMessageToMiniFrames(UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CWnd* pFrame = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos));
        if (HasWindow(pFrame))
            pFrame->SendMessage(uMessage, wParam, lParam);
    }
    return TRUE;
}

void CZUDPDockManager::LockLayoutUpdates(BOOL bLock)
{
    if (bLock) {
        if (GuidesShown() || m_bUpdateLocked || !HasWindow(m_pFrame))
            return;
        m_bUpdateLocked = g_dockingSeams.lockWindowUpdate(m_pFrame->GetSafeHwnd());
    } else {
        if (!m_bUpdateLocked)
            return;
        g_dockingSeams.lockWindowUpdate(nullptr);
        m_bUpdateLocked = FALSE;
    }
    auto refresh = [&](CWnd* pWnd) {
        if (!HasWindow(pWnd))
            return;
        pWnd->ValidateRect(nullptr);
        pWnd->UpdateWindow();
        g_dockingSeams.lockWindowUpdate(bLock ? pWnd->GetSafeHwnd() : nullptr);
    };
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;)
        refresh(DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos)));
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;)
        refresh(DYNAMIC_DOWNCAST(CWnd, m_lstBars.GetNext(pos)));
}

// ---------------------------------------------------------------------------
// Bulk showing and hiding

void CZUDPDockManager::SetPrintPreviewMode(BOOL bPreview, void* pPreviewState)
{
    (void)pPreviewState;
    if (bPreview) {
        if (!m_bHiddenForPreview && !IsInPlaceActive()) {
            m_lstHiddenForPreview.RemoveAll();
            HideBarsForPreview(m_lstAutoHideBars);
            HideBarsForPreview(m_lstBars);
        }
    } else if (m_bHiddenForPreview && !IsInPlaceActive()) {
        // Windows are kept by handle: one destroyed while the preview ran
        // is no window any more and is passed over.
        for (POSITION pos = m_lstHiddenForPreview.GetHeadPosition(); pos != nullptr;) {
            HWND hWnd = m_lstHiddenForPreview.GetNext(pos);
            if (!::IsWindow(hWnd))
                continue;
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (CZUDPBaseControlBar* pBar = AsBar(pWnd))
                pBar->ShowBar(TRUE, TRUE, FALSE);
            else if (pWnd != nullptr)
                pWnd->ShowWindow(SW_SHOWNOACTIVATE);
        }
    }
    // Entering twice hides nothing more; leaving without entering shows
    // nothing.
    if (bPreview && m_bHiddenForPreview)
        return;
    m_bHiddenForPreview = bPreview;
}

void CZUDPDockManager::HideBarsForPreview(const CObList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(list.GetNext(pos));
        if (!HasWindow(pBar) || !pBar->IsBarVisible() || !pBar->HidesInPrintPreview())
            continue;
        pBar->ShowBar(FALSE, TRUE, FALSE);
        m_lstHiddenForPreview.AddTail(pBar->GetSafeHwnd());
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        CWnd* pFrame = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos));
        if (!HasWindow(pFrame) || !(pFrame->GetStyle() & WS_VISIBLE))
            continue;
        pFrame->ShowWindow(SW_HIDE);
        if (m_lstHiddenForPreview.Find(pFrame->GetSafeHwnd()) == nullptr)
            m_lstHiddenForPreview.AddTail(pFrame->GetSafeHwnd());
    }
}

int CZUDPDockManager::ToggleInPlaceHiddenBars(CWnd* pShow)
{
    const BOOL bSuppressed = g_suspendDockLayout;
    const BOOL bFollow = g_autoHiddenFollowStrip;
    if (pShow == nullptr) {
        if (m_bInPlaceHidden)
            return 0;
        m_lstInPlaceHiddenBars.RemoveAll();
        CObList bars;
        CollectBars(bars, TRUE, nullptr, TRUE);
        g_suspendDockLayout = TRUE;
        g_autoHiddenFollowStrip = TRUE;
        for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
            CZUDPBaseControlBar* pBar = AsBar(bars.GetNext(pos));
            if (!HasWindow(pBar) || !(pBar->GetBarStyle() & CBRS_HIDE_INPLACE))
                continue;
            if (!pBar->IsBarVisible() && !pBar->IsAutoHidden())
                continue;
            pBar->ShowBar(FALSE, TRUE, FALSE);
            m_lstInPlaceHiddenBars.AddTail(pBar->GetSafeHwnd());
        }
        m_bInPlaceHidden = TRUE;
    } else {
        if (!m_bInPlaceHidden)
            return 0;
        g_suspendDockLayout = TRUE;
        g_autoHiddenFollowStrip = TRUE;
        for (POSITION pos = m_lstInPlaceHiddenBars.GetHeadPosition(); pos != nullptr;) {
            HWND hWnd = m_lstInPlaceHiddenBars.GetNext(pos);
            CZUDPBaseControlBar* pBar = ::IsWindow(hWnd) ? AsBar(CWnd::FromHandlePermanent(hWnd)) : nullptr;
            if (pBar != nullptr)
                pBar->ShowBar(TRUE, TRUE, FALSE);
        }
        m_bInPlaceHidden = FALSE;
    }
    g_suspendDockLayout = bSuppressed;
    g_autoHiddenFollowStrip = bFollow;
    LayoutDockedBars(nullptr);
    return 0;
}

void CZUDPDockManager::ToggleMiniFrames(BOOL bShow)
{
    if (m_pFrame == nullptr)
        return;
    if (!bShow) {
        const BOOL bAll = m_pFrame->IsKindOf(RUNTIME_CLASS(CZUDPMDIChildWnd));
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
            if (!HasWindow(pFrame) || !(pFrame->GetStyle() & WS_VISIBLE))
                continue;
            if (!bAll && DYNAMIC_DOWNCAST(CZUDPBaseToolBar, pFrame->GetHostedBar()) == nullptr)
                continue;
            pFrame->ShowWindow(SW_HIDE);
            if (m_lstHiddenMiniFrames.Find(pFrame->GetSafeHwnd()) == nullptr)
                m_lstHiddenMiniFrames.AddTail(pFrame->GetSafeHwnd());
        }
        return;
    }
    for (POSITION pos = m_lstHiddenMiniFrames.GetHeadPosition(); pos != nullptr;) {
        HWND hWnd = m_lstHiddenMiniFrames.GetNext(pos);
        CZUDPMiniFrameWnd* pFrame =
            ::IsWindow(hWnd) ? DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, CWnd::FromHandlePermanent(hWnd)) : nullptr;
        if (pFrame != nullptr && pFrame->GetHostedBar() != nullptr)
            pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    }
    m_lstHiddenMiniFrames.RemoveAll();
}

void CZUDPDockManager::RetractAutoHideBars(CZUDPBaseControlBar* pExcept, BOOL bImmediately)
{
    for (POSITION pos = m_lstAutoHideBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockingControlBar* pPane =
            DYNAMIC_DOWNCAST(CZUDPDockingControlBar, PaneOfSlider(m_lstAutoHideBars.GetNext(pos)));
        if (!HasWindow(pPane) || pPane == pExcept || !(pPane->GetStyle() & WS_VISIBLE))
            continue;
        pPane->StartSlide(FALSE, !bImmediately);
    }
}

// ---------------------------------------------------------------------------
// The saved layout (kept by the workspace's layout store, still to come)

void CZUDPDockManager::Serialize(CArchive& ar) { (void)ar; }
BOOL CZUDPDockManager::SaveState(LPCTSTR lpszProfileName, UINT uiID)
{
    (void)lpszProfileName;
    (void)uiID;
    return FALSE;
}
BOOL CZUDPDockManager::LoadState(LPCTSTR lpszProfileName, UINT uiID)
{
    (void)lpszProfileName;
    (void)uiID;
    return FALSE;
}
void CZUDPDockManager::ApplyLoadedState() {}

// ---------------------------------------------------------------------------
// The bars menu

void CZUDPDockManager::EnableBarsMenu(BOOL bEnable, BOOL bToolbarsOnly, UINT uiCustomizeCmd,
                                      LPCTSTR lpszCustomizeText)
{
    m_bBarsMenuEnabled = bEnable;
    m_bBarsMenuToolbarsOnly = bToolbarsOnly;
    m_uiCustomizeCmd = uiCustomizeCmd;
    m_strCustomizeText = lpszCustomizeText != nullptr ? lpszCustomizeText : "";
}

void CZUDPDockManager::BuildBarsMenu(CMenu& menu, BOOL bToolbarsOnly)
{
    m_mapBarsMenu.RemoveAll();
    CObList bars;
    CollectBars(bars, TRUE, nullptr, FALSE);
    auto isListed = [](CZUDPBaseControlBar* pBar) {
        CZUDPControlBar* pControlBar = DYNAMIC_DOWNCAST(CZUDPControlBar, pBar);
        return HasWindow(pBar) && (pControlBar == nullptr || pControlBar->IsShownInBarsMenu()) && pBar->CanClose();
    };
    auto append = [&](CZUDPBaseControlBar* pBar) {
        const UINT nID = UINT(pBar->GetDlgCtrlID());
        CZUDPBaseControlBar* pListed = nullptr;
        if (m_mapBarsMenu.Lookup(nID, pListed))
            return;
        CString strName;
        if (CZUDPControlBar* pControlBar = DYNAMIC_DOWNCAST(CZUDPControlBar, pBar))
            pControlBar->GetBarName(strName);
        else
            pBar->GetWindowText(strName);
        menu.AppendMenu(MF_STRING, nID, strName);
        m_mapBarsMenu.SetAt(nID, pBar);
    };
    // The other bars begin with a separator when the menu has items.
    BOOL bSeparatorDue = TRUE;
    for (int nPass = 0; nPass < (bToolbarsOnly ? 1 : 2); ++nPass) {
        for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
            CZUDPBaseControlBar* pBar = AsBar(bars.GetNext(pos));
            if (pBar == nullptr || (pBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)) != (nPass == 0)) || !isListed(pBar))
                continue;
            if (nPass == 1 && bSeparatorDue && menu.GetMenuItemCount() > 0)
                menu.AppendMenu(MF_SEPARATOR);
            if (nPass == 1)
                bSeparatorDue = FALSE;
            if (CZUDPBaseTabbedBar* pTabbed = DYNAMIC_DOWNCAST(CZUDPBaseTabbedBar, pBar)) {
                CZUDPBaseTabWnd* pTabWnd = pTabbed->GetTabWnd();
                for (int i = 0; pTabWnd != nullptr && i < pTabWnd->GetTabCount(); ++i) {
                    CZUDPBaseControlBar* pPane = AsBar(pTabWnd->GetTabWindowUnwrapped(i));
                    if (pPane != nullptr && isListed(pPane))
                        append(pPane);
                }
            } else {
                append(pBar);
            }
        }
    }
    if (!bToolbarsOnly) {
        // The rebars' bands come among the other bars, after the bar list's.
        for (CZUDPBaseControlBar* pChild : RebarBandBars(m_pFrame)) {
            if (!isListed(pChild))
                continue;
            if (bSeparatorDue && menu.GetMenuItemCount() > 0)
                menu.AppendMenu(MF_SEPARATOR);
            bSeparatorDue = FALSE;
            append(pChild);
        }
        for (POSITION pos = m_lstRestoredHiddenBars.GetHeadPosition(); pos != nullptr;) {
            HWND hWnd = m_lstRestoredHiddenBars.GetNext(pos);
            CZUDPDockingControlBar* pPane =
                ::IsWindow(hWnd) ? DYNAMIC_DOWNCAST(CZUDPDockingControlBar, CWnd::FromHandlePermanent(hWnd)) : nullptr;
            if (pPane != nullptr)
                append(pPane);
        }
    }
    if (m_uiCustomizeCmd != 0) {
        if (menu.GetMenuItemCount() > 0)
            menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, m_uiCustomizeCmd, m_strCustomizeText);
    }
}

BOOL CZUDPDockManager::ShowBarsContextMenu(CPoint pt)
{
    if (!m_bBarsMenuEnabled || !HasWindow(m_pFrame))
        return FALSE;
    CWnd* pOwner = GetTopLevelFrameOrInPlace(m_pFrame);
    if (!HasWindow(pOwner))
        return FALSE;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return FALSE;
    BuildBarsMenu(menu, m_bBarsMenuToolbarsOnly);
    CZUDPPopupMenu* pPopup = new CZUDPPopupMenu;
    m_bBarsMenuShown = TRUE;
    // The popup copies the menu's items; the temporary menu goes with
    // this function.
    if (!pPopup->CreatePopup(pOwner, pt.x, pt.y, menu.GetSafeHmenu())) {
        m_bBarsMenuShown = FALSE;
        return FALSE;
    }
    return TRUE;
}

BOOL CZUDPDockManager::OnBarsMenuCommand(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    (void)pHandlerInfo;
    if (!m_bBarsMenuEnabled || m_mapBarsMenu.IsEmpty())
        return FALSE;
    if (nCode == int(CN_UPDATE_COMMAND_UI) && !m_bBarsMenuShown)
        return FALSE;
    CZUDPBaseControlBar* pBar = nullptr;
    if (!m_mapBarsMenu.Lookup(nID, pBar) || pBar == nullptr)
        return FALSE;
    if (nCode == int(CN_UPDATE_COMMAND_UI)) {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (pCmdUI == nullptr)
            return FALSE;
        pCmdUI->SetCheck(HasWindow(pBar) && pBar->IsBarVisible());
        return TRUE;
    }
    if ((unsigned(nCode) > 0xFFFF && HIWORD(nCode) != WM_COMMAND) || pExtra != nullptr)
        return TRUE;
    if (HasWindow(pBar)) {
        pBar->ShowBar(!pBar->IsBarVisible(), FALSE, TRUE);
        CFrameWnd* pParentFrame = GetEnclosingFrame(pBar);
        if (pParentFrame != nullptr)
            pParentFrame->RecalcLayout();
        else
            RecalcAllBarLayouts(nullptr);
    }
    m_mapBarsMenu.RemoveAll();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Layout

void CZUDPDockManager::AlignBarRect(const CRect& rectRemaining, CRect& rectBar, DWORD dwAlignment, BOOL bHorz,
                                    BOOL bResizable)
{
    const CRect& R = rectRemaining;
    const int w = rectBar.Width();
    const int h = rectBar.Height();
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
        rectBar.SetRect(R.left, R.top, R.right, R.top + h);
        break;
    case CBRS_ALIGN_BOTTOM:
        rectBar.SetRect(R.left, R.bottom - h, R.right, R.bottom);
        break;
    case CBRS_ALIGN_LEFT:
        rectBar.SetRect(R.left, R.top, R.left + w, R.bottom);
        break;
    case CBRS_ALIGN_RIGHT:
        rectBar.SetRect(R.right - w, R.top, R.right, R.bottom);
        break;
    default:
        return;
    }
    if (!bResizable)
        return;
    // A resizable pane never reaches past the area left.
    if (bHorz && rectBar.Height() > R.Height()) {
        if ((dwAlignment & CBRS_ALIGN_ANY) == CBRS_ALIGN_TOP)
            rectBar.bottom = rectBar.top + R.Height();
        else
            rectBar.top = rectBar.bottom - R.Height();
    } else if (!bHorz && rectBar.Width() > R.Width()) {
        if ((dwAlignment & CBRS_ALIGN_ANY) == CBRS_ALIGN_LEFT)
            rectBar.right = rectBar.left + R.Width();
        else
            rectBar.left = rectBar.right - R.Width();
    }
}

BOOL CZUDPDockManager::LimitBarSize(CRect& rect, DWORD dwAlignment)
{
    const int nMaxHeight = m_rectClient.Height() * kMaxDockedShare / 100;
    const int nMaxWidth = m_rectClient.Width() * kMaxDockedShare / 100;
    const DWORD dwSide = dwAlignment & CBRS_ALIGN_ANY;
    if ((dwSide == CBRS_ALIGN_TOP || dwSide == CBRS_ALIGN_BOTTOM) && rect.Height() >= nMaxHeight) {
        if (dwSide == CBRS_ALIGN_TOP)
            rect.bottom = rect.top + nMaxHeight;
        else
            rect.top = rect.bottom - nMaxHeight;
        return TRUE;
    }
    if ((dwSide == CBRS_ALIGN_LEFT || dwSide == CBRS_ALIGN_RIGHT) && rect.Width() >= nMaxWidth) {
        const BOOL bLeftEdge = (dwSide == CBRS_ALIGN_LEFT) != IsFrameMirrored();
        if (bLeftEdge)
            rect.right = rect.left + nMaxWidth;
        else
            rect.left = rect.right - nMaxWidth;
        return TRUE;
    }
    return FALSE;
}

HDWP CZUDPDockManager::LayoutDockedBars(HDWP hdwpIn)
{
    if (g_suspendDockLayout || m_bInLayout || !HasWindow(m_pFrame))
        return hdwpIn;
    CRect rectFrameClient;
    if (!m_rectClientOverride.IsRectEmpty())
        rectFrameClient = m_rectClientOverride;
    else
        m_pFrame->GetClientRect(&rectFrameClient);
    m_rectClient = rectFrameClient;
    if (!m_bLayoutEnabled || m_lstBars.IsEmpty())
        return hdwpIn;
    CWnd* pTop = GetTopLevelFrameOrInPlace(m_pFrame);
    if (HasWindow(pTop) && pTop->IsIconic())
        return hdwpIn;

    const CRect rectOuterOld = m_rectOuterEdge;
    m_bInLayout = TRUE;
    HDWP hdwp = hdwpIn;
    const BOOL bOwnBatch = hdwp == nullptr && !m_bHiddenForPreview;
    if (bOwnBatch)
        hdwp = ::BeginDeferWindowPos(int(m_lstBars.GetCount()));
    const BOOL bInPlace = IsInPlaceActive();

    CRect rectRemaining = rectFrameClient;
    m_pFrame->ClientToScreen(&rectRemaining);

    // The outer marker: the entry after the last dock bar of the list (the
    // whole list is searched, its head too); null for the list's end.
    POSITION posMarker = nullptr;
    for (POSITION pos = m_lstBars.GetTailPosition(); pos != nullptr;) {
        POSITION posThis = pos;
        if (m_lstBars.GetPrev(pos)->IsKindOf(RUNTIME_CLASS(CZUDPDockBar))) {
            posMarker = posThis;
            m_lstBars.GetNext(posMarker);
            break;
        }
    }
    BOOL bOuterSet = FALSE;
    const BOOL bMirrored = IsFrameMirrored();

    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(m_lstBars.GetNext(pos));
        // The outer edge rect is the area left on reaching the marker,
        // whether or not the window before it took part.
        auto atMarker = [&]() {
            if (!bOuterSet && pos == posMarker) {
                m_rectOuterEdge = rectRemaining;
                bOuterSet = TRUE;
            }
        };
        if (!HasWindow(pBar)) {
            atMarker();
            continue;
        }
        if (!(pBar->GetStyle() & WS_VISIBLE)) {
            const BOOL bDockBar = pBar->IsKindOf(RUNTIME_CLASS(CZUDPDockBar));
            if (pBar->IsKindOf(RUNTIME_CLASS(CZUDPControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CZUDPSlider)) ||
                (bDockBar && (m_bHiddenForPreview || bInPlace || m_bInPlaceHidden))) {
                atMarker();
                continue;
            }
        }
        CZUDPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CZUDPDockingControlBar, pBar);
        if (pPane != nullptr && pPane->GetDefaultSlider() != nullptr) {
            atMarker();
            continue;
        }
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        const DWORD dwSide = pBar->GetDockedSide();
        const BOOL bHorz = pBar->IsHorizontal();
        const BOOL bResizable = pBar->IsResizable();
        const CSize size = pBar->CalcStretchSize(FALSE, bHorz);
        if (bHorz) {
            if (dwSide == CBRS_ALIGN_TOP)
                rectBar.bottom = rectBar.top + size.cy;
            else
                rectBar.top = rectBar.bottom - size.cy;
        } else {
            if (dwSide == CBRS_ALIGN_LEFT)
                rectBar.right = rectBar.left + size.cx;
            else
                rectBar.left = rectBar.right - size.cx;
        }
        DWORD dwPlaceSide = dwSide;
        if (bMirrored && (dwSide == CBRS_ALIGN_LEFT || dwSide == CBRS_ALIGN_RIGHT))
            dwPlaceSide = dwSide == CBRS_ALIGN_LEFT ? CBRS_ALIGN_RIGHT : CBRS_ALIGN_LEFT;
        AlignBarRect(rectRemaining, rectBar, dwPlaceSide, bHorz, bResizable);

        if (CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, pBar)) {
            if ((bHorz ? rectBar.Width() : rectBar.Height()) > 0) {
                CRect rectInBar(0, 0, rectBar.Width(), rectBar.Height());
                pDockBar->ResizeRowsToRect(rectInBar);
            }
        }
        if (CZUDPSlider* pSlider = DYNAMIC_DOWNCAST(CZUDPSlider, pBar)) {
            hdwp = pSlider->RepositionFromRect(rectBar, hdwp);
        } else {
            CRect rectInParent = rectBar;
            if (CWnd* pParent = pBar->GetParent())
                pParent->ScreenToClient(&rectInParent);
            hdwp = pBar->SetWindowPosDeferred(nullptr, rectInParent.left, rectInParent.top, rectInParent.Width(),
                                              rectInParent.Height(), SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
        }
        switch (dwPlaceSide) {
        case CBRS_ALIGN_TOP:
            rectRemaining.top += rectBar.Height();
            break;
        case CBRS_ALIGN_BOTTOM:
            rectRemaining.bottom -= rectBar.Height();
            break;
        case CBRS_ALIGN_LEFT:
            rectRemaining.left += rectBar.Width();
            break;
        default:
            rectRemaining.right -= rectBar.Width();
            break;
        }
        atMarker();
    }
    if (!bOuterSet)
        m_rectOuterEdge = rectRemaining;

    m_rectClient = rectRemaining;
    if (m_rectOuterEdge.IsRectEmpty() || bInPlace)
        m_rectOuterEdge = rectRemaining;
    m_pFrame->ScreenToClient(&m_rectClient);
    m_pFrame->ScreenToClient(&m_rectOuterEdge);

    if (m_rectOuterEdge != rectOuterOld)
        RetractAutoHideBars(nullptr, TRUE);
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPAutoHideDockBar* pAutoHide = DYNAMIC_DOWNCAST(CZUDPAutoHideDockBar, m_lstBars.GetNext(pos));
        if (pAutoHide == nullptr)
            continue;
        pAutoHide->SetOffsets(0, 0);
        ArrangeAutoHideNeighbours(pAutoHide);
    }
    if (bOwnBatch && hdwp != nullptr) {
        ::EndDeferWindowPos(hdwp);
        hdwp = nullptr;
    }
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, m_lstBars.GetNext(pos));
        if (HasWindow(pDockBar) && pDockBar->GetDockedSide() == CBRS_ALIGN_RIGHT)
            pDockBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    if (bInPlace)
        m_pFrame->RecalcLayout();
    m_bInLayout = FALSE;
    return bOwnBatch ? nullptr : hdwp;
}

void CZUDPDockManager::RecalcAllBarLayouts(HDWP hdwp)
{
    (void)hdwp;
    if (g_suspendDockLayout || m_bInRecalc || m_bLayoutSuspended || !m_bLayoutEnabled)
        return;
    m_bInRecalc = TRUE;
    const BOOL bInPlace = IsInPlaceActive();
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(m_lstBars.GetNext(pos));
        if (HasWindow(pBar) && (!bInPlace || (pBar->GetStyle() & WS_VISIBLE)))
            pBar->UpdateLayout();
    }
    if (!bInPlace) {
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
            if (HasWindow(pFrame))
                pFrame->SizeToHostedBar();
        }
    }
    LayoutDockedBars(nullptr);
    m_bInRecalc = FALSE;
}

void CZUDPDockManager::ArrangeAutoHideNeighbours(CZUDPAutoHideDockBar* pA)
{
    if (!HasWindow(pA))
        return;
    CRect a;
    pA->GetWindowRect(&a);
    const DWORD sideA = pA->GetDockedSide();
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPAutoHideDockBar* pB = DYNAMIC_DOWNCAST(CZUDPAutoHideDockBar, m_lstBars.GetNext(pos));
        if (pB == pA || !HasWindow(pB) || pB->IsHorizontal() == pA->IsHorizontal())
            continue;
        CRect b;
        pB->GetWindowRect(&b);
        if (b.IsRectEmpty())
            continue;
        const DWORD sideB = pB->GetDockedSide();
        if (sideA == CBRS_ALIGN_LEFT && sideB == CBRS_ALIGN_TOP) {
            if (a.top == b.bottom)
                pB->SetStartOffset(a.Width());
            if (a.right == b.left)
                pA->SetStartOffset(b.Height());
        } else if (sideA == CBRS_ALIGN_TOP && sideB == CBRS_ALIGN_RIGHT) {
            if (a.right == b.left)
                pB->SetStartOffset(a.Height());
            if (a.bottom == b.top)
                pA->SetEndOffset(b.Width());
        } else if (sideA == CBRS_ALIGN_RIGHT && sideB == CBRS_ALIGN_BOTTOM) {
            if (a.bottom == b.top)
                pB->SetEndOffset(a.Width());
            // The neighbour's extent, as for every other pair.
            if (a.left == b.right)
                pA->SetEndOffset(b.Height());
        } else if (sideA == CBRS_ALIGN_LEFT && sideB == CBRS_ALIGN_BOTTOM) {
            if (a.bottom == b.top)
                pB->SetStartOffset(a.Width());
            if (a.right == b.left)
                pA->SetEndOffset(b.Height());
        }
    }
}

CZUDPAutoHideToolBar* CZUDPDockManager::CreateAutoHideStrip(CZUDPBaseControlBar* pPane, CZUDPAutoHideToolBar* pStrip)
{
    // The strips and their buttons come with the auto-hide subsystem; the
    // dock bar for the pane's side is the one thing known here.
    if (pPane == nullptr || FindDockBarForSide(pPane->GetDockedSide(), FALSE) == nullptr)
        return nullptr;
    return pStrip;
}

// ---------------------------------------------------------------------------
// Hit tests

BOOL CZUDPDockManager::HitTestDockEdge(CPoint pt, DWORD& dwAlignment, BOOL& bOuter) const
{
    dwAlignment = 0;
    bOuter = FALSE;
    if (!HasWindow(m_pFrame))
        return FALSE;
    CZUDPGlobalUtils utils;
    CZUDPDockManager* pSelf = const_cast<CZUDPDockManager*>(this);
    CRect rectOuter = m_rectOuterEdge;
    m_pFrame->ClientToScreen(&rectOuter);
    if (utils.HitTestDockEdges(pt.x, pt.y, nullptr, g_dockSensitivity, pSelf, TRUE, dwAlignment,
                               m_dwEnabledDockSides, &rectOuter)) {
        bOuter = TRUE;
        return TRUE;
    }
    CRect rectClient = m_rectClient;
    m_pFrame->ClientToScreen(&rectClient);
    return utils.HitTestDockEdges(pt.x, pt.y, nullptr, g_dockSensitivity, pSelf, FALSE, dwAlignment,
                                  m_dwEnabledDockSides, &rectClient);
}

CZUDPBaseControlBar* CZUDPDockManager::FindBarAtPoint(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                      CRuntimeClass* pRTCBarType, BOOL bVisibleOnly,
                                                      const CZUDPBaseControlBar* pBarToIgnore) const
{
    // A highlighted side marker names a frame edge, not a bar.
    if (m_pSmartDockingManager != nullptr && unsigned(m_pSmartDockingManager->m_nMarker) <= 3)
        return nullptr;
    const CWnd* pIgnoredFrame = pBarToIgnore != nullptr ? pBarToIgnore->GetParentMiniFrame(TRUE) : nullptr;
    if (CZUDPMiniFrameWnd* pFrame = FindMiniFrameAtPoint(pt, pIgnoredFrame)) {
        CZUDPBaseControlBar* pBar = AsBar(pFrame->GetHostedBar());
        if (HasWindow(pBar) && pBar != pBarToIgnore && (pRTCBarType == nullptr || pBar->IsKindOf(pRTCBarType)) &&
            (!bVisibleOnly || (pBar->GetStyle() & WS_VISIBLE))) {
            CRect rect;
            pBar->GetWindowRect(&rect);
            rect.InflateRect(nSensitivity, nSensitivity);
            if (rect.PtInRect(pt))
                return pBar;
        }
    }
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = AsBar(m_lstBars.GetNext(pos));
        if (!HasWindow(pBar) || pBar == pBarToIgnore)
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

CZUDPBaseControlBar* CZUDPDockManager::FindDockTargetBar(CPoint pt, int nSensitivity, DWORD& dwAlignment,
                                                         CRuntimeClass* pRTCBarType,
                                                         const CZUDPBaseControlBar* pBarToIgnore) const
{
    dwAlignment = 0;
    CZUDPBaseControlBar* pBar = FindBarAtPoint(pt, nSensitivity, TRUE, nullptr, FALSE, pBarToIgnore);
    if (pBar == nullptr || (pRTCBarType != nullptr && !pBar->IsKindOf(pRTCBarType)))
        return nullptr;
    CZUDPGlobalUtils utils;
    if (!utils.HitTestDockEdges(pt.x, pt.y, pBar, nSensitivity, const_cast<CZUDPDockManager*>(this), FALSE,
                                dwAlignment, CBRS_ALIGN_ANY))
        return nullptr;
    return pBar;
}

int CZUDPDockManager::ClassifyDragPoint(CPoint pt, int nSensitivity, DWORD dwAllowedSides,
                                        CZUDPBaseControlBar*& pTarget, const CZUDPBaseControlBar* pBarToIgnore,
                                        CZUDPBaseControlBar* pDraggedPane)
{
    pTarget = FindBarAtPoint(pt, nSensitivity, TRUE, RUNTIME_CLASS(CZUDPDockingControlBar), TRUE, pBarToIgnore);
    if (pTarget == nullptr) {
        const CWnd* pOwnFrame = pDraggedPane != nullptr ? pDraggedPane->GetParentMiniFrame(TRUE) : nullptr;
        CZUDPMiniFrameWnd* pFrame = FindMiniFrameAtPoint(pt, pOwnFrame, TRUE);
        if (pFrame != nullptr && pFrame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTCAPTION &&
            pFrame->HasHostedBar() == 1) {
            pTarget = AsBar(pFrame->GetHostedBar());
            if (pTarget != nullptr)
                return 3;
        }
    }
    CZUDPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CZUDPDockingControlBar, pTarget);
    if (pPane != nullptr) {
        const BOOL bDocked = pPane->IsDocked();
        const BOOL bBothMulti = pDraggedPane != nullptr && (pPane->GetBarStyle() & CBRS_FLOAT_MULTI) &&
                                (pDraggedPane->GetBarStyle() & CBRS_FLOAT_MULTI);
        if (bDocked || bBothMulti) {
            if (bDocked && (pPane->GetDockedSide() & dwAllowedSides) == 0)
                return 0;
            return pPane->ClassifyDropPoint(pt, nSensitivity);
        }
    }
    pTarget = nullptr;
    DWORD dwAlignment = 0;
    BOOL bOuter = FALSE;
    if (HitTestDockEdge(pt, dwAlignment, bOuter) && (dwAlignment & dwAllowedSides) != 0)
        return 2;
    return 0;
}

void CZUDPDockManager::CalcDockPreviewRect(CWnd* pDragged, CPoint pt, CRect& rect)
{
    rect.SetRectEmpty();
    if (IsCtrlHeld() || !HasWindow(m_pFrame) || !HasWindow(pDragged))
        return;
    CZUDPMiniFrameWnd* pDraggedFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pDragged);
    CZUDPBaseControlBar* pDraggedBar = pDraggedFrame != nullptr ? AsBar(pDraggedFrame->GetHostedBar()) : AsBar(pDragged);
    const CZUDPBaseControlBar* pIgnore = GuidesShown() ? pDraggedBar : nullptr;
    CZUDPDockingControlBar* pPaneUnder = DYNAMIC_DOWNCAST(
        CZUDPDockingControlBar, FindBarAtPoint(pt, g_dockSensitivity, TRUE, RUNTIME_CLASS(CZUDPDockingControlBar),
                                               TRUE, pIgnore));
    if (pPaneUnder != nullptr && pPaneUnder->GetDefaultSlider() != nullptr) {
        // Sliders compute their previews with the container layouts.
        return;
    }
    DWORD dwAlignment = 0;
    BOOL bOuter = FALSE;
    if (!HitTestDockEdge(pt, dwAlignment, bOuter) || pDraggedBar == nullptr ||
        (pDraggedBar->GetDockableSides() & dwAlignment) == 0)
        return;
    rect = bOuter ? m_rectOuterEdge : m_rectClient;
    CRect rectDragged;
    pDragged->GetWindowRect(&rectDragged);
    BOOL bLeft = dwAlignment == CBRS_ALIGN_LEFT;
    if (IsFrameMirrored() && (dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_RIGHT))
        bLeft = !bLeft;
    switch (dwAlignment) {
    case CBRS_ALIGN_TOP:
        rect.bottom = rect.top + rectDragged.Height();
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.top = rect.bottom - rectDragged.Height();
        break;
    default:
        if (bLeft)
            rect.right = rect.left + rectDragged.Width();
        else
            rect.left = rect.right - rectDragged.Width();
        break;
    }
    LimitBarSize(rect, dwAlignment);
    m_pFrame->ClientToScreen(&rect);
}

BOOL CZUDPDockManager::TrackMiniFrameMove(CZUDPMiniFrameWnd* pFrame)
{
    if (IsCtrlHeld() || !HasWindow(pFrame))
        return TRUE;
    const BOOL bGuides = GuidesShown();

    // The caption stays on the work area.
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    const CRect rectFitted = [&] {
        CRect r = rectFrame;
        const int m = pFrame->GetCaptionHeight();
        const CRect margins(m, m, m, m);
        g_globalUtils.FitRectToWorkArea(r, &margins);
        return r;
    }();
    if (rectFitted != rectFrame) {
        CPoint pt = rectFitted.TopLeft();
        if (CWnd* pParent = pFrame->GetParent(); pParent != nullptr && (pFrame->GetStyle() & WS_CHILD))
            pParent->ScreenToClient(&pt);
        pFrame->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CPoint pt;
    g_frameworkSeams.cursorPos(&pt);
    CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, pFrame->GetHostedBar());
    const DWORD dwNow = g_frameworkSeams.tickCount();

    // Joining a multi-pane floating frame.
    if (pBar == nullptr ||
        (!bGuides && (pBar->GetBarStyle() & CBRS_FLOAT_MULTI) && pBar->IsKindOf(RUNTIME_CLASS(CZUDPDockingControlBar)))) {
        CZUDPMiniFrameWnd* pOther = FindMiniFrameAtPoint(pt, pFrame, TRUE);
        if (pOther != nullptr) {
            CZUDPMultiMiniFrameWnd* pMulti = DYNAMIC_DOWNCAST(CZUDPMultiMiniFrameWnd, pOther);
            if (pMulti == nullptr)
                return TRUE;
            if (m_pPendingMultiFrame == nullptr) {
                m_pPendingMultiFrame = pMulti;
                m_dwDelayStart = dwNow;
            } else if (m_pPendingMultiFrame == pMulti && DWORD(dwNow - m_dwDelayStart) > g_dockDelay) {
                // Joining multi-pane frames comes with the container layouts.
                m_dwDelayStart = dwNow;
                m_pPendingMultiFrame = nullptr;
            }
            return TRUE;
        }
    }
    m_pPendingMultiFrame = nullptr;
    if (pBar == nullptr || (pBar->GetDockableSides() & CBRS_ALIGN_ANY) == 0)
        return TRUE;

    CZUDPDockBar* pDockBar = nullptr;
    int nCode = pBar->HitTestDockSite(g_dockSensitivity, pDockBar) ? 1 : 0;
    CWnd* pTarget = pDockBar;
    if (pTarget == pBar)
        nCode = 0;
    if (nCode == 1 && pTarget == nullptr)
        nCode = 0;

    if ((pTarget != nullptr || nCode == 2) && !bGuides) {
        const UINT nDelay = pDockBar != nullptr ? g_dockDelayOverDockBar : g_dockDelay;
        if (pTarget != m_pPendingDockTarget || nCode != m_nPendingDockCode) {
            m_pPendingDockTarget = pTarget;
            m_nPendingDockCode = nCode;
            m_dwDelayStart = dwNow;
            g_frameworkSeams.setTimer(pFrame->GetSafeHwnd(), kDockCheckTimer, nDelay, nullptr);
            return TRUE;
        }
        // Unsigned difference: the clock may wrap between two moves.
        if (DWORD(dwNow - m_dwDelayStart) < nDelay)
            return TRUE;
    }
    m_pPendingDockTarget = nullptr;
    m_nPendingDockCode = 0;
    m_dwDelayStart = dwNow;
    g_frameworkSeams.killTimer(pFrame->GetSafeHwnd(), kDockCheckTimer);
    if (nCode == 1 && pDockBar != nullptr)
        return pBar->DockByAlignment(pDockBar) ? FALSE : TRUE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// The docking mode

void CZUDPDockManager::SetGlobalDockMode(DWORD dwDockMode, int nSmartDockingVariant)
{
    if (dwDockMode == 128) {
        g_globalDockMode = 129;
        g_smartDockingVariant = nSmartDockingVariant;
        return;
    }
    g_globalDockMode = dwDockMode;
}

void CZUDPTabbedControlBar::ApplyVisualManagerToAll() {}
