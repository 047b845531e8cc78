#include "ui/docking/ZUDPGlobalUtils.h"

#include "framework/win/Dialog.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/Wnd.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingControlBar.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <commctrl.h>

BOOL g_keepPaneMinSize = FALSE;

HICON CZUDPGlobalUtils::GetSmallWindowIcon(CWnd* pWnd, BOOL& bNewIcon)
{
    bNewIcon = FALSE;
    HWND hWnd = AfxSafeHwnd(pWnd);
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return nullptr;
    HICON hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon != nullptr)
        return hIcon;
    HICON hBig = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0);
    if (hBig != nullptr) {
        HIMAGELIST hList = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
        if (hList != nullptr) {
            if (::ImageList_ReplaceIcon(hList, -1, hBig) == 0)
                hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
            ::ImageList_Destroy(hList);
        }
        if (hIcon != nullptr) {
            bNewIcon = TRUE;
            return hIcon;
        }
    }
    hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICONSM);
    return hIcon != nullptr ? hIcon : (HICON)::GetClassLongPtrA(hWnd, GCLP_HICON);
}

CZUDPDockManager* CZUDPGlobalUtils::DockManagerOfWindow(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    if (CZUDPDockManager* pManager = DockManagerOfFrame(pWnd))
        return pManager;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet))) {
        m_bDialogDockSite = TRUE;
        return nullptr;
    }
    if (CZUDPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pWnd)) {
        if (pMiniFrame->m_pDockManager != nullptr)
            return pMiniFrame->m_pDockManager;
        CWnd* pOwner = CWnd::FromHandlePermanent(pMiniFrame->GetRecordedOwner());
        return pOwner != pWnd ? DockManagerOfWindow(pOwner) : nullptr;
    }
    // A bar or other child: the frame that encloses it.
    return DockManagerOfFrame(GetEnclosingFrame(pWnd));
}

void CZUDPGlobalUtils::FitRectToWorkArea(CRect& rect, const CRect* pMargins)
{
    const CRect margins = pMargins != nullptr ? *pMargins : CRect();
    CPoint ptRef = rect.TopLeft();
    if (m_bMovingFloatingFrame)
        g_frameworkSeams.cursorPos(&ptRef);
    RECT rcWork = {};
    if (!g_foundationSeams.monitorWorkArea(ptRef, &rcWork) && !g_foundationSeams.primaryWorkArea(&rcWork))
        return;
    const CRect work(rcWork);
    if (rect.right <= work.left + margins.left)
        rect.OffsetRect(work.left + margins.left - rect.right, 0);
    if (rect.left >= work.right - margins.right)
        rect.OffsetRect(work.right - margins.right - rect.left, 0);
    if (rect.top >= work.bottom - margins.bottom)
        rect.OffsetRect(0, work.bottom - margins.bottom - rect.top);
    if (rect.bottom < work.top + margins.top)
        rect.OffsetRect(0, work.top + margins.top - rect.bottom);
}

BOOL CZUDPGlobalUtils::HitTestDockEdges(int x, int y, CWnd* pBar, int nSensitivity, CZUDPDockManager* pDockManager,
                                         BOOL bOuter, DWORD& dwAlignment, DWORD dwAllowedSides, LPCRECT lpRect)
{
    if (pDockManager == nullptr && pBar != nullptr)
        pDockManager = DockManagerOfWindow(CWnd::FromHandle(::GetParent(pBar->GetSafeHwnd())));

    // The guides, when shown, decide whatever the sides allowed.
    CZUDPSmartDockingManager* pGuides = pDockManager != nullptr ? pDockManager->GetSmartDockingManager() : nullptr;
    if (pGuides != nullptr && pGuides->IsStartedAndShown()) {
        static const DWORD markerSides[4] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};
        const int nFirst = bOuter ? 0 : 4;
        const int nIndex = pGuides->m_nMarker - nFirst;
        if (nIndex < 0 || nIndex > 3)
            return FALSE;
        dwAlignment = markerSides[nIndex];
        return TRUE;
    }

    CRect rect;
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pBar->GetWindowRect(&rect);
    else if (lpRect != nullptr)
        rect = *lpRect;
    else
        return FALSE;
    int c = 0;
    int t = 0;
    if (CZUDPDockingControlBar* pPane = DYNAMIC_DOWNCAST(CZUDPDockingControlBar, pBar)) {
        // A pane's inner bands reach past its caption (and, once panes
        // have tab strips, past its lower strip: t).
        c = pPane->GetCaptionHeight();
    }
    const int s = nSensitivity;
    const CRect outer[4] = {CRect(rect.left - s, rect.top - s, rect.right + s, rect.top),
                            CRect(rect.left - s, rect.top - s, rect.left, rect.bottom + s),
                            CRect(rect.left - s, rect.bottom, rect.right + s, rect.bottom + s),
                            CRect(rect.right, rect.top - s, rect.right + s, rect.bottom + s)};
    const CRect inner[4] = {CRect(rect.left - s, rect.top - s, rect.right + s, rect.top + c + s),
                            CRect(rect.left - s, rect.top - s, rect.left + s, rect.bottom + s),
                            CRect(rect.left - s, rect.bottom - t - s, rect.right + s, rect.bottom + s),
                            CRect(rect.right - s, rect.top - s, rect.right + s, rect.bottom + s)};
    static const DWORD sides[4] = {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_RIGHT};
    const CRect* pZones = bOuter ? outer : inner;
    for (int i = 0; i < 4; ++i) {
        if ((dwAllowedSides & sides[i]) != 0 && pZones[i].PtInRect(CPoint(x, y))) {
            dwAlignment = sides[i];
            return TRUE;
        }
    }
    return FALSE;
}

void CZUDPGlobalUtils::RotateMargins(CRect& r, int nAngle)
{
    const CRect m = r;
    switch (nAngle) {
    case 90:
        r.SetRect(m.bottom, m.left, m.top, m.right);
        break;
    case 180:
        r.top = m.bottom;
        r.bottom = m.top;
        break;
    case -90:
        r.SetRect(m.top, m.right, m.bottom, m.left);
        break;
    default:
        break;
    }
}

void CZUDPGlobalUtils::ForceFrameRelayout(CZUDPDockManager* pDockManager, BOOL bForce, BOOL bEvenIfHidden)
{
    if (pDockManager == nullptr || (!g_keepPaneMinSize && !bForce))
        return;
    CFrameWnd* pFrame = pDockManager->GetFrame();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    if (!pFrame->IsWindowVisible() && !bEvenIfHidden)
        return;
    pFrame->SendMessage(WM_SETREDRAW, FALSE);
    CRect rect;
    pFrame->GetWindowRect(&rect);
    const UINT nFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    pFrame->SetWindowPos(nullptr, 0, 0, rect.Width() + 1, rect.Height() + 1, nFlags);
    pFrame->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), nFlags);
    pFrame->SendMessage(WM_SETREDRAW, TRUE);
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

BOOL CZUDPGlobalUtils::CanShareFloatingFrame(CWnd* pBarOrFrame)
{
    if (CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pBarOrFrame))
        pBarOrFrame = pFrame->GetHostedBar();
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pBarOrFrame);
    if (pBar == nullptr)
        return FALSE;
    if (pBar->IsTabbed()) {
        CZUDPMiniFrameWnd* pFrame = pBar->GetParentMiniFrame(TRUE);
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CZUDPMultiMiniFrameWnd)))
            return TRUE;
    }
    return (pBar->GetBarStyle() & CBRS_FLOAT_MULTI) != 0;
}

void CZUDPGlobalUtils::ReparentBars(const CObList& lstBars, CWnd* pNewParent, BOOL bVisibleOnly)
{
    if (pNewParent == nullptr || pNewParent->GetSafeHwnd() == nullptr)
        return;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, lstBars.GetNext(pos));
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            continue;
        if (bVisibleOnly && !(pWnd->GetStyle() & WS_VISIBLE))
            continue;
        if (pWnd->IsKindOf(RUNTIME_CLASS(CZUDPSlider))) {
            pWnd->SetParent(pNewParent);
            continue;
        }
        pWnd->ShowWindow(SW_HIDE);
        pWnd->SetParent(pNewParent);
        CRect rect;
        pWnd->GetWindowRect(&rect);
        pNewParent->ScreenToClient(&rect);
        pWnd->SetWindowPos(nullptr, -rect.Width(), -rect.Height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pWnd->ShowWindow(SW_SHOW);
    }
}
