#include "ui/commandbars/ZUDPControlBar.h"

#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPTabbedToolbar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPReBar.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CZUDPControlBar, CZUDPBaseControlBar)

BEGIN_MESSAGE_MAP(CZUDPControlBar, CZUDPBaseControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_STYLECHANGED()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

const char kBarStateSection[] = "ZUDControlBars";
const char kBarStateKey[] = "ZUDPControlBar";
// The gripper of a docked bar, and the margin a floating frame keeps on
// the work area.
const int kGripperSize = 7;
const int kFloatMargin = 16;
// A dock bar with more rows than this is no layout of ours.
const int kMaxSavedRowIndex = 255;

BOOL IsOneSide(DWORD dwAlignment)
{
    return dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_TOP || dwAlignment == CBRS_ALIGN_RIGHT ||
           dwAlignment == CBRS_ALIGN_BOTTOM;
}

// A screen rectangle a floating frame can be put back at: not empty nor
// inverted, and on the screen.
BOOL IsUsableScreenRect(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return FALSE;
    const CRect rectScreen(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                           ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    CRect rectVisible;
    return rectVisible.IntersectRect(&rect, &rectScreen);
}

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

// The window's parent as its object, or a temporary one.
CWnd* ParentOf(const CWnd* pWnd)
{
    HWND hWnd = AfxSafeHwnd(pWnd);
    return hWnd != nullptr ? CWnd::FromHandle(::GetParent(hWnd)) : nullptr;
}

CWnd* PermanentParentOf(HWND hWnd) { return hWnd != nullptr ? CWnd::FromHandlePermanent(::GetParent(hWnd)) : nullptr; }

} // namespace

CZUDPControlBar::CZUDPControlBar() : m_pFloatingFrameClass(RUNTIME_CLASS(CZUDPMiniFrameWnd)), m_recentDockInfo(this) {}

CZUDPControlBar::~CZUDPControlBar() = default;

// ---------------------------------------------------------------------------
// Size, row and name

int CZUDPControlBar::GetAvailableExpandSize() const
{
    if (m_hWnd == nullptr)
        return 0;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (IsHorizontal())
        return rectWindow.Width() >= m_rectVirtual.Width() ? 0 : m_rectVirtual.Width() - rectWindow.Width();
    return rectWindow.Height() >= m_rectVirtual.Height() ? 0 : m_rectVirtual.Height() - rectWindow.Height();
}

int CZUDPControlBar::GetAvailableShrinkSize() const
{
    if (m_hWnd == nullptr)
        return 0;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CSize sizeMin;
    GetMinSize(sizeMin);
    return IsHorizontal() ? rectWindow.Width() - sizeMin.cx : rectWindow.Height() - sizeMin.cy;
}

void CZUDPControlBar::CopyStateFrom(const CZUDPControlBar* pOther)
{
    if (pOther == nullptr)
        return;
    CopyBaseState(pOther);
    m_bGroupStart = pOther->m_bGroupStart;
    m_bGroupEnd = pOther->m_bGroupEnd;
    m_bShowActivate = pOther->m_bShowActivate;
    pOther->GetMinSize(m_sizeMin);
    m_recentDockInfo.CopyFrom(pOther->m_recentDockInfo);
    m_rectRecentDocked = pOther->m_rectRecentDocked;
    m_bRecentFloating = pOther->m_bRecentFloating;
}

void CZUDPControlBar::GetBarName(CString& strName) const
{
    strName.Empty();
    if (m_hWnd != nullptr)
        GetWindowText(strName);
}

// ---------------------------------------------------------------------------
// Geometry

void CZUDPControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CZUDPControlBar::DeflateRectByBorders(CRect& rect, BOOL bHorz) const
{
    if (!IsFloating() && !IsTabbed()) {
        // The border lines of a docked bar.
        if (m_dwStyle & CBRS_BORDER_LEFT)
            rect.left++;
        if (m_dwStyle & CBRS_BORDER_TOP)
            rect.top++;
        if (m_dwStyle & CBRS_BORDER_RIGHT)
            rect.right--;
        if (m_dwStyle & CBRS_BORDER_BOTTOM)
            rect.bottom--;
    }
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
    if ((m_dwStyle & CBRS_GRIPPER) && !(m_dwStyle & CBRS_FLOATING)) {
        if (!bHorz)
            rect.top += kGripperSize;
        else if (m_hWnd != nullptr && (GetExStyle() & WS_EX_LAYOUTRTL))
            rect.right -= kGripperSize;
        else
            rect.left += kGripperSize;
    }
}

void CZUDPControlBar::UpdateVirtualRect()
{
    if (m_hWnd == nullptr)
        return;
    UpdateVirtualRect(CalcStretchSize(FALSE, IsHorizontal()));
}

void CZUDPControlBar::UpdateVirtualRect(CSize sizeNew)
{
    if (m_hWnd == nullptr)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    m_rectVirtual = CRect(rectWindow.TopLeft(), sizeNew);
    if (CWnd* pParent = ParentOf(this))
        pParent->ScreenToClient(&m_rectVirtual);
}

void CZUDPControlBar::OffsetVirtualRect(int dx, int dy)
{
    CWnd* pParent = ParentOf(this);
    if (IsHorizontal() && pParent != nullptr && (pParent->GetExStyle() & WS_EX_LAYOUTRTL))
        dx = -dx;
    m_rectVirtual.OffsetRect(dx, dy);
}

void CZUDPControlBar::GetVirtualRectOnScreen(CRect& rect) const
{
    rect = m_rectVirtual;
    if (CWnd* pParent = ParentOf(this))
        pParent->ClientToScreen(&rect);
}

BOOL CZUDPControlBar::IsLeftOrAboveBar(CRect rect, BOOL bScreen) const
{
    if (m_pParentDockBar == nullptr || m_hWnd == nullptr)
        return TRUE;
    CRect rectBar;
    GetWindowRect(&rectBar);
    if (!bScreen)
        m_pParentDockBar->ScreenToClient(&rectBar);
    if (m_pParentDockBar->IsHorizontal())
        return rect.left < rectBar.left;
    return rect.top < rectBar.top;
}

void CZUDPControlBar::ShiftWithRow(DWORD dwRowAlignment, int nOffset)
{
    if (m_hWnd == nullptr)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (CWnd* pParent = ParentOf(this))
        pParent->ScreenToClient(&rectWindow);
    if (dwRowAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) {
        rectWindow.OffsetRect(nOffset, 0);
        m_rectVirtual.OffsetRect(nOffset, 0);
    } else if (dwRowAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) {
        rectWindow.OffsetRect(0, nOffset);
        m_rectVirtual.OffsetRect(0, nOffset);
    }
    SetWindowPos(nullptr, rectWindow.left, rectWindow.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CZUDPControlBar::StretchBar(int nDelta, HDWP hdwp)
{
    (void)hdwp;
    if (m_hWnd == nullptr)
        return 0;
    if (nDelta > 0) {
        nDelta = std::min(nDelta, GetAvailableExpandSize());
    } else if (nDelta < 0) {
        // A bar already below its minimum cannot shrink further.
        const int nShrink = std::max(0, GetAvailableShrinkSize());
        if (-nDelta > nShrink)
            nDelta = -nShrink;
    }
    CRect rect;
    GetWindowRect(&rect);
    if (IsHorizontal())
        rect.right += nDelta;
    else
        rect.bottom += nDelta;
    AdjustStretchRect(nDelta, rect);
    if (std::abs(nDelta) < 1)
        return nDelta;
    if (CWnd* pParent = ParentOf(this))
        pParent->ScreenToClient(&rect);
    MoveBar(rect, TRUE, nullptr);
    RedrawOnResize(nDelta);
    return nDelta;
}

void CZUDPControlBar::AdjustRectToMinSize(CSize& sizeChange, CRect rect, BOOL bKeepAsIs)
{
    if (m_hWnd == nullptr)
        return;
    CRect rectOld;
    GetWindowRect(&rectOld);
    sizeChange = CSize(rect.Width() - rectOld.Width(), rect.Height() - rectOld.Height());
    if (!bKeepAsIs) {
        CSize sizeMin;
        GetMinSize(sizeMin);
        // The edge that stayed in place keeps its place.
        if (rect.Width() < sizeMin.cx) {
            if (rect.left == rectOld.left || rect.right != rectOld.right)
                rect.right = rect.left + sizeMin.cx;
            else
                rect.left = rect.right - sizeMin.cx;
        }
        if (rect.Height() < sizeMin.cy) {
            if (rect.top == rectOld.top || rect.bottom != rectOld.bottom)
                rect.bottom = rect.top + sizeMin.cy;
            else
                rect.top = rect.bottom - sizeMin.cy;
        }
        sizeChange = CSize(rect.Width() - rectOld.Width(), rect.Height() - rectOld.Height());
    }
    if (CWnd* pParent = ParentOf(this))
        pParent->ScreenToClient(&rect);
    MoveBar(rect, TRUE, nullptr);
}

void CZUDPControlBar::GetResizeDelta(CSize& sizeDelta, CRect rect) const
{
    CSize sizeMin;
    GetMinSize(sizeMin);
    CRect rectWindow;
    if (m_hWnd != nullptr)
        GetWindowRect(&rectWindow);
    sizeDelta = CSize(std::max(int(rect.Width()), int(sizeMin.cx)) - rectWindow.Width(),
                      std::max(int(rect.Height()), int(sizeMin.cy)) - rectWindow.Height());
}

void CZUDPControlBar::RecalcSizeInParent(BOOL bNotify)
{
    if (m_hWnd == nullptr || DYNAMIC_DOWNCAST(CZUDPReBar, PermanentParentOf(m_hWnd)) != nullptr)
        return;
    const CSize size = CalcStretchSize(FALSE, IsHorizontal());
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (size != rectWindow.Size())
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pParentDockBar == nullptr)
        return;
    UpdateVirtualRect();
    if (bNotify) {
        if (m_pDockBarRow != nullptr)
            m_pDockBarRow->FitBarsToLength();
        if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->RecalcLayout();
    }
}

void CZUDPControlBar::SetMirrored(BOOL bMirrored)
{
    g_uiEnvironment.m_rightToLeftFrame = bMirrored;
    if (m_pParentDockBar != nullptr && m_pParentDockBar->IsHorizontal())
        SetWindowPos(nullptr, m_rectVirtual.left, m_rectVirtual.top, m_rectVirtual.Width(), m_rectVirtual.Height(),
                     SWP_NOZORDER);
}

void CZUDPControlBar::RefreshPlacement()
{
    if (m_pDockBarRow != nullptr) {
        UpdateVirtualRect();
        return;
    }
    if (!IsFloating() || DYNAMIC_DOWNCAST(CZUDPTabWnd, PermanentParentOf(m_hWnd)) != nullptr)
        return;
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
        pMiniFrame->RepositionHostedBar();
}

CSize CZUDPControlBar::CalcSize(BOOL bVertDock)
{
    (void)bVertDock;
    return CSize(0, 0);
}

// ---------------------------------------------------------------------------
// Where the bar may go

// The parent is the tab window of a tabbed pane or a tabbed toolbar, or a
// wrapper pane inside a tab window.
BOOL CZUDPControlBar::IsTabbed() const
{
    CWnd* pParent = PermanentParentOf(m_hWnd);
    if (pParent == nullptr)
        return FALSE;
    CWnd* pGrandParent = PermanentParentOf(pParent->m_hWnd);
    if (pParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabWnd)))
        return pGrandParent != nullptr && (pGrandParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabbedBar)) ||
                                           pGrandParent->IsKindOf(RUNTIME_CLASS(CZUDPTabbedToolbar)));
    if (pParent->IsKindOf(RUNTIME_CLASS(CZUDPDockingCBWrapper)))
        return pGrandParent != nullptr && pGrandParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabWnd));
    return FALSE;
}

BOOL CZUDPControlBar::CanDockAt(CZUDPBaseControlBar* pDockBar) const
{
    return pDockBar != nullptr && (pDockBar->GetDockedSide() & GetDockableSides()) != 0;
}

BOOL CZUDPControlBar::CanBeTabbedDocument() const
{
    if (IsAutoHidden())
        return FALSE;
    CZUDPMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, GetDockSiteFrame());
    return pMDIFrame != nullptr && pMDIFrame->AcceptsPanesAsTabbedDocuments();
}

// ---------------------------------------------------------------------------
// Docking

BOOL CZUDPControlBar::PrepareDrag(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod)
{
    (void)pTarget;
    (void)lpRect;
    (void)nDockMethod;
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
        m_nPinState = pMiniFrame->m_nPinState;
    return TRUE;
}

BOOL CZUDPControlBar::HandleMouseDrag(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod)
{
    PrepareDrag(pTarget, lpRect, nDockMethod);
    if (!DockToTarget(pTarget, lpRect, nDockMethod))
        return FALSE;
    OnAfterDock(pTarget, lpRect, nDockMethod);
    return TRUE;
}

BOOL CZUDPControlBar::DockByAlignment(CZUDPDockBar* pDockBar) { return HandleMouseDrag(pDockBar, nullptr, ZUDP_DM_MOUSE); }

BOOL CZUDPControlBar::DockToTarget(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod)
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (nDockMethod == ZUDP_DM_DBLCLICK) {
        // Back to the recent dock bar; one that is gone (no longer listed
        // by the dock manager) is not used.
        CZUDPDockManager* pManager = GetSiteDockManager();
        pTarget = m_recentDockInfo.m_pRecentDockBar;
        if (pTarget != nullptr && (pManager == nullptr || pManager->GetBarList().Find(pTarget) == nullptr))
            pTarget = nullptr;
        if (pTarget == nullptr) {
            if (pManager != nullptr)
                pManager->DockBarAtSite(this, 0, nullptr);
            return TRUE;
        }
    }
    CZUDPDockBar* pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar, pTarget);
    if (pDockBar == nullptr || !CanDockAt(pTarget) || !pTarget->CanAcceptBar(this))
        return FALSE;

    CRect rectWindow;
    GetWindowRect(&rectWindow);
    BOOL bReDrag = TRUE;
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
        bReDrag = pMiniFrame->IsMovingWithMouse();

    pTarget->SendMessage(WM_SETREDRAW, FALSE);
    AttachToDockBar(pDockBar, nDockMethod);
    if (nDockMethod == ZUDP_DM_MOUSE) {
        pDockBar->DockControlBar(this, nDockMethod, &rectWindow);
        // The same mouse drag goes on inside the dock bar.
        if (bReDrag)
            EnterDragModeDefault();
    } else if (nDockMethod == ZUDP_DM_DBLCLICK || nDockMethod == ZUDP_DM_RECT) {
        pDockBar->DockControlBar(this, nDockMethod, lpRect);
    }
    pTarget->SendMessage(WM_SETREDRAW, TRUE);
    pTarget->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

void CZUDPControlBar::AttachToDockBar(CZUDPDockBar* pDockBar, int nDockMethod)
{
    if (pDockBar == nullptr)
        return;
    if (m_pParentDockBar != nullptr && m_pParentDockBar != pDockBar)
        m_pParentDockBar->RemoveControlBar(this);
    m_pParentDockBar = pDockBar;
    MoveToParent(pDockBar, nDockMethod);
    m_dwStyle = (m_dwStyle & ~(CBRS_FLOATING | CBRS_BORDER_ANY)) | CBRS_BORDER_ANY;
    SetDockedSide(pDockBar->GetDockedSide());
}

void CZUDPControlBar::MoveToParent(CWnd* pNewParent, int nDockMethod)
{
    if (m_hWnd == nullptr || pNewParent == nullptr)
        return;
    LeaveDockBar(pNewParent, FALSE);
    CWnd* pOldParent = ParentOf(this);
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        // A mouse drag goes on from the frame it leaves: the frame stays
        // until the drag ends, and stops moving.
        const BOOL bKeepFrame = nDockMethod == ZUDP_DM_MOUSE && m_dragFrameImpl.m_hWndLeftBehindFrame == nullptr;
        pMiniFrame->RemoveHostedBar(this, TRUE, bKeepFrame);
        if (bKeepFrame) {
            m_dragFrameImpl.m_hWndLeftBehindFrame = pMiniFrame->m_hWnd;
            pMiniFrame->SendMessage(WM_LBUTTONUP, 0, 0);
        }
    }
    SetParent(pNewParent);
    RefreshDockBarLink(pOldParent);
}

void CZUDPControlBar::LeaveDockBar(CWnd* pNewParent, BOOL bFlag)
{
    (void)pNewParent;
    (void)bFlag;
    if (m_pParentDockBar != nullptr)
        m_pParentDockBar->RemoveControlBar(this);
}

void CZUDPControlBar::RefreshDockBarLink(CWnd* pOldParent)
{
    (void)pOldParent;
    UpdateVirtualRect();
    if (DYNAMIC_DOWNCAST(CZUDPDockBar, PermanentParentOf(m_hWnd)) == nullptr) {
        m_pParentDockBar = nullptr;
        m_pDockBarRow = nullptr;
    }
}

void CZUDPControlBar::OnHideBar(BOOL bNoRecalc)
{
    if (m_pParentDockBar != nullptr)
        m_pParentDockBar->RemoveControlBar(this);
    if (!bNoRecalc)
        RecalcParentLayout(FALSE);
}

void CZUDPControlBar::OnPressCloseButton()
{
    if (!IsFloating())
        return;
    CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != nullptr && pMiniFrame->AskOwnerFrame())
        pMiniFrame->HideWithBar();
}

// ---------------------------------------------------------------------------
// Floating

CZUDPMiniFrameWnd* CZUDPControlBar::CreateFloatingFrame(CRect rect)
{
    CObject* pObject = m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass->CreateObject() : nullptr;
    CZUDPMiniFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pObject);
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    pFrame->m_pDockManager = g_globalUtils.DockManagerOfWindow(GetDockSiteFrame());
    if (!pFrame->CreateFrame(nullptr, WS_POPUP, rect, GetEnclosingFrame(this))) {
        delete pFrame;
        return nullptr;
    }
    pFrame->m_bAutoDelete = TRUE;
    return pFrame;
}

BOOL CZUDPControlBar::FloatBar(CRect rect, int nDockMethod, BOOL bShow)
{
    if (m_hWnd == nullptr)
        return FALSE;
    if ((!IsDocked() && !IsTabbed()) || !CanFloat())
        return TRUE;

    CWnd* pSite = GetDockSiteFrame();
    CRect rectLeft;
    GetWindowRect(&rectLeft);
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->ScreenToClient(&rectLeft);
    CPoint ptCursor;
    g_frameworkSeams.cursorPos(&ptCursor);

    if (!AllowFloating(rect, nDockMethod))
        return TRUE;
    g_globalUtils.FitRectToWorkArea(rect, CSize(kFloatMargin, kFloatMargin));
    CZUDPMiniFrameWnd* pFrame = CreateFloatingFrame(rect);
    if (pFrame == nullptr)
        return FALSE;
    HWND hWndFrame = pFrame->m_hWnd;

    // A mouse drag stored the recent place when it began.
    if (nDockMethod != ZUDP_DM_MOUSE && GetSiteDockManager() != nullptr && !g_restoringDockLayout)
        StoreRecentDockInfo();
    pFrame->m_rectRecentFloatingRect = m_recentDockInfo.m_rectRecentFloatingRect;
    CZUDPMiniFrameWnd* pOldFrame = GetParentMiniFrame(TRUE);
    LeaveDockBar(pFrame, FALSE);
    if (nDockMethod == ZUDP_DM_MOUSE) {
        // The bar's own drag ends here; the floating frame goes on with it.
        CPoint ptClient = ptCursor;
        ScreenToClient(&ptClient);
        SendMessage(WM_LBUTTONUP, 0xFFFF, MAKELPARAM(ptClient.x, ptClient.y));
        if (IsTabbed() && pOldFrame != nullptr)
            pOldFrame->SendMessage(WM_LBUTTONUP, 0, 0);
    }

    CWnd* pOldParent = ParentOf(this);
    CZUDPDockBar* pOldDockBar = m_pParentDockBar;
    SetParent(pFrame);
    m_pParentDockBar = nullptr;
    RefreshDockBarLink(pOldDockBar != nullptr ? static_cast<CWnd*>(pOldDockBar) : pOldParent);

    pFrame->AddHostedBar(this);
    pFrame->OnBarSetChanged();
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    if (nDockMethod == ZUDP_DM_MOUSE && (GetDockingMode() & ZUDP_DOCK_IMMEDIATE))
        pFrame->BeginMove();

    OnFloated();
    m_dwStyle |= CBRS_FLOATING;
    RefreshPlacement();
    if (bShow)
        pFrame->OnHostedBarLayoutChanged();

    if (nDockMethod == ZUDP_DM_MOUSE && ::IsWindow(hWndFrame)) {
        // The point the drag took the bar by stays under the cursor.
        CRect rectFrame;
        pFrame->GetWindowRect(&rectFrame);
        CPoint ptGrab = m_ptDragStart;
        ClientToScreen(&ptGrab);
        if (ptGrab.x < rectFrame.left || ptGrab.x >= rectFrame.right)
            ptGrab.x = rectFrame.left + rectFrame.Width() / 2;
        if (ptGrab.y < rectFrame.top || ptGrab.y >= rectFrame.bottom)
            ptGrab.y = rectFrame.top + pFrame->GetCaptionHeight() / 2;
        rectFrame.OffsetRect(ptCursor - ptGrab);
        pFrame->SetWindowPos(nullptr, rectFrame.left, rectFrame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->m_ptMoveStart = ptCursor;
    }

    if (bShow && ::IsWindow(hWndFrame)) {
        pFrame->ShowWindow(SW_SHOWNA);
        if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
            pSite->RedrawWindow(&rectLeft, nullptr,
                                RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                    RDW_FRAME);
        if (CZUDPOleCntrFrameWnd* pContainer = DYNAMIC_DOWNCAST(CZUDPOleCntrFrameWnd, pSite))
            pContainer->RecalcLayout();
        if (CanTakeFocus())
            pFrame->SetFocus();
    }
    return TRUE;
}

void CZUDPControlBar::OnFloated()
{
    SetDockedSide(CBRS_ALIGN_TOP);
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->m_nPinState = m_nPinState;
        pMiniFrame->SetWindowPos(nullptr, 0, 0, 0, 0,
                                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

// ---------------------------------------------------------------------------
// Dragging

BOOL CZUDPControlBar::EnterDragMode(BOOL bStoreCursor)
{
    if (m_hWnd == nullptr)
        return FALSE;
    UpdateVirtualRect();
    if (bStoreCursor) {
        CPoint ptCursor;
        g_frameworkSeams.cursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        m_ptDragStart = ptCursor;
    }
    if (m_bDragging)
        return TRUE;
    if (!IsDocked())
        return FALSE;
    SetCapture();
    g_frameworkSeams.cursorPos(&m_dragFrameImpl.m_ptLast);
    m_bDragging = TRUE;
    SetDragModeOn(TRUE);
    GetWindowRect(&m_rectDragStart);
    return TRUE;
}

void CZUDPControlBar::FinishDrag()
{
    m_bDragFinished = TRUE;
    StoreRecentDockInfo();
    if (!m_bDragging)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bDragging = FALSE;
    SetDragModeOn(FALSE);
    if (m_dragFrameImpl.m_hWndLeftBehindFrame != nullptr) {
        if (::IsWindow(m_dragFrameImpl.m_hWndLeftBehindFrame))
            ::DestroyWindow(m_dragFrameImpl.m_hWndLeftBehindFrame);
        m_dragFrameImpl.m_hWndLeftBehindFrame = nullptr;
    }
}

void CZUDPControlBar::CancelDrag()
{
    if (!m_bDragging)
        return;
    if (!(GetDockingMode() & ZUDP_DOCK_IMMEDIATE))
        m_dragFrameImpl.EndDragFrame(TRUE);
    m_bDragging = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    SetDragModeOn(FALSE);
    if (m_dragFrameImpl.m_hWndLeftBehindFrame != nullptr) {
        if (::IsWindow(m_dragFrameImpl.m_hWndLeftBehindFrame))
            ::DestroyWindow(m_dragFrameImpl.m_hWndLeftBehindFrame);
        m_dragFrameImpl.m_hWndLeftBehindFrame = nullptr;
    }
}

CZUDPBaseControlBar* CZUDPControlBar::FindDockTarget(BOOL& bHandled)
{
    bHandled = FALSE;
    return this;
}

// TRUE: the bar should change between docked and floating now.  A docked
// bar leaves its dock bar once its virtual rectangle is off it, or sticks
// out past an end by more than twice the sensitivity with the cursor
// outside; a floating bar docks into the dock bar under the cursor when
// the cursor is close enough, the sensitivity scaled by how much of the
// bar lies beyond the cursor.
BOOL CZUDPControlBar::HitTestDockSite(int nSensitivity, CZUDPDockBar*& pDockBar)
{
    pDockBar = nullptr;
    if (m_hWnd == nullptr)
        return FALSE;
    CPoint pt;
    g_frameworkSeams.cursorPos(&pt);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectVirtual;
    GetVirtualRectOnScreen(rectVirtual);
    pDockBar = DYNAMIC_DOWNCAST(CZUDPDockBar,
                                FindBarAtPointInSite(pt, nSensitivity, FALSE, RUNTIME_CLASS(CZUDPDockBar)));

    if (m_pParentDockBar != nullptr) {
        CRect rectDockBar;
        m_pParentDockBar->GetWindowRect(&rectDockBar);
        CRect rectCommon;
        if (!rectCommon.IntersectRect(&rectVirtual, &rectDockBar))
            return TRUE;
        BOOL bSticksOut = FALSE;
        if (m_pParentDockBar->IsHorizontal())
            bSticksOut = rectVirtual.left < rectDockBar.left - 2 * nSensitivity ||
                         rectVirtual.right > rectDockBar.right + 2 * nSensitivity;
        else
            bSticksOut = rectVirtual.top < rectDockBar.top - 2 * nSensitivity ||
                         rectVirtual.bottom > rectDockBar.bottom + 2 * nSensitivity;
        return bSticksOut && !rectDockBar.PtInRect(pt);
    }

    if (pDockBar == nullptr || !CanDockAt(pDockBar))
        return FALSE;
    CRect rectTarget;
    pDockBar->GetWindowRect(&rectTarget);
    if (rectTarget.PtInRect(pt))
        return TRUE;
    // A bar without width or height has no share to scale by.
    if (rectWindow.Width() <= 0 || rectWindow.Height() <= 0)
        return FALSE;
    int nDistance = 0;
    int nNumerator = 0;
    int nDenominator = 1;
    if (pt.x < rectTarget.left) {
        nDistance = rectTarget.left - pt.x;
        nNumerator = rectWindow.right - pt.x;
        nDenominator = rectWindow.Width();
    } else if (pt.x > rectTarget.right) {
        nDistance = pt.x - rectTarget.right;
        nNumerator = pt.x - rectWindow.left;
        nDenominator = rectWindow.Width();
    } else if (pt.y < rectTarget.top) {
        nDistance = rectTarget.top - pt.y;
        nNumerator = rectWindow.bottom - pt.y;
        nDenominator = rectWindow.Height();
    } else {
        nDistance = pt.y - rectTarget.bottom;
        nNumerator = pt.y - rectWindow.top;
        nDenominator = rectWindow.Height();
    }
    const double dScaled = nSensitivity * (double(nNumerator * 100 / nDenominator) / 100.0);
    return dScaled >= double(nDistance);
}

// ---------------------------------------------------------------------------
// Mouse

void CZUDPControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bDragging || !CanFloat()) {
        Default();
        return;
    }
    const DWORD dwMode = GetDockingMode();
    CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if ((dwMode & ZUDP_DOCK_IMMEDIATE) || pMiniFrame != nullptr) {
        StoreRecentDockInfo();
        if (pMiniFrame == nullptr) {
            EnterDragMode(TRUE);
            Default();
        } else if (pMiniFrame->HasHostedBar() == 1) {
            // The frame moves as a whole.
            CPoint ptFrame = point;
            MapWindowPoints(pMiniFrame, &ptFrame, 1);
            pMiniFrame->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(ptFrame.x, ptFrame.y));
        } else {
            EnterDragMode(TRUE);
        }
        return;
    }
    if (dwMode & ZUDP_DOCK_OUTLINE)
        EnterDragMode(TRUE);
    Default();
}

void CZUDPControlBar::OnMouseMove(UINT nFlags, CPoint)
{
    if (!m_bDragging) {
        Default();
        return;
    }
    if (!(GetDockingMode() & ZUDP_DOCK_IMMEDIATE)) {
        m_dragFrameImpl.TrackDragFrame();
        return;
    }
    CPoint ptCursor;
    g_frameworkSeams.cursorPos(&ptCursor);
    const CSize offset = ptCursor - m_dragFrameImpl.m_ptLast;
    m_rectDragStart.OffsetRect(offset);
    OffsetVirtualRect(offset.cx, offset.cy);
    m_dragFrameImpl.m_ptLast = ptCursor;
    if (m_pParentDockBar != nullptr) {
        HWND hWnd = m_hWnd;
        // The dock bar moves the bar along its row, or floats it.
        if (!m_pParentDockBar->MoveControlBar(this, nFlags, offset.cx, offset.cy) && ::IsWindow(hWnd))
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CZUDPControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_bDragging = FALSE;
        // The synthetic button-up of a bar that floats keeps the frame the
        // drag started from.
        if (nFlags != 0xFFFF && m_dragFrameImpl.m_hWndLeftBehindFrame != nullptr) {
            if (::IsWindow(m_dragFrameImpl.m_hWndLeftBehindFrame))
                ::DestroyWindow(m_dragFrameImpl.m_hWndLeftBehindFrame);
            m_dragFrameImpl.m_hWndLeftBehindFrame = nullptr;
        }
        SetDragModeOn(FALSE);
        CZUDPDockManager* pManager = g_globalUtils.DockManagerOfWindow(ParentOf(this));
        if (pManager != nullptr && pManager->GetSmartDockingManager() != nullptr)
            pManager->GetSmartDockingManager()->HideGuides();
        if (!(GetDockingMode() & ZUDP_DOCK_IMMEDIATE) && m_dragFrameImpl.IsShowingFeedback()) {
            const CRect rectFinal = m_dragFrameImpl.m_rectFrame;
            m_dragFrameImpl.EndDragFrame(TRUE);
            StoreRecentDockInfo();
            BOOL bHandled = FALSE;
            CZUDPBaseControlBar* pTarget = FindDockTarget(bHandled);
            if (!bHandled && !rectFinal.IsRectEmpty() && pTarget != this) {
                FloatBar(rectFinal, ZUDP_DM_OUTLINE_END, TRUE);
                return;
            }
        }
    } else {
        CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
        if (pMiniFrame != nullptr && pMiniFrame->IsWindowVisible() && !m_bDragFinished) {
            CPoint ptFrame = point;
            MapWindowPoints(pMiniFrame, &ptFrame, 1);
            pMiniFrame->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(ptFrame.x, ptFrame.y));
            return;
        }
    }
    m_bDragFinished = FALSE;
    if (m_pDockBarRow != nullptr)
        m_pDockBarRow->SyncBarPositions(FALSE, nullptr);
    Default();
}

void CZUDPControlBar::OnLButtonDblClk(UINT, CPoint)
{
    FinishDrag();
    if (!CanFloat())
        return;
    FloatBar(m_recentDockInfo.m_rectRecentFloatingRect, ZUDP_DM_DBLCLICK, TRUE);
    if (m_hWnd != nullptr)
        Default();
}

void CZUDPControlBar::OnCancelMode()
{
    Default();
    CancelDrag();
}

void CZUDPControlBar::OnChar(UINT nChar, UINT, UINT)
{
    Default();
    if (nChar == VK_ESCAPE)
        CancelDrag();
}

// ---------------------------------------------------------------------------
// The pane menu

CWnd* CZUDPControlBar::FindContextMenuFrame() const
{
    CWnd* pSite = GetDockSiteFrame();
    if (pSite != nullptr && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return pSite;
    if (g_activeInPlaceFrame != nullptr && g_activeInPlaceFrame->GetSafeHwnd() != nullptr)
        return g_activeInPlaceFrame;
    CFrameWnd* pTop = nullptr;
    for (HWND hWnd = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            pTop = static_cast<CFrameWnd*>(pWnd);
    }
    return pTop;
}

void CZUDPControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (g_customizeMode || g_activePopupMenu != nullptr)
        return;
    if (ShowDockingMenu(point))
        return;
    if (CWnd* pFrame = FindContextMenuFrame())
        ShowContextMenu(pFrame, point.x, point.y);
}

BOOL CZUDPControlBar::ShowDockingMenu(CPoint pt)
{
    if (g_contextMenuManager == nullptr || m_hWnd == nullptr)
        return FALSE;
    const BOOL bHasSide = (GetDockableSides() & 0xFFFF) >= CBRS_ALIGN_LEFT;
    if (!bHasSide && !CanFloat())
        return FALSE;

    CMenu menu;
    if (!menu.CreatePopupMenu())
        return FALSE;
    menu.AppendMenu(MF_STRING, ZUDP_IDM_FLOATING, LoadText(IDS_ZUDP_PANE_FLOATING));
    menu.AppendMenu(MF_STRING, ZUDP_IDM_DOCKING, LoadText(IDS_ZUDP_PANE_DOCKING));
    menu.AppendMenu(MF_STRING, ZUDP_IDM_TABBED_DOCUMENT, LoadText(IDS_ZUDP_PANE_TABBED_DOCUMENT));
    menu.AppendMenu(MF_STRING, ZUDP_IDM_AUTOHIDE, LoadText(IDS_ZUDP_PANE_AUTOHIDE));
    menu.AppendMenu(MF_STRING, ZUDP_IDM_HIDE, LoadText(IDS_ZUDP_PANE_HIDE));

    auto grey = [&](UINT nID) { menu.EnableMenuItem(nID, MF_BYCOMMAND | MF_GRAYED); };
    auto check = [&](UINT nID) { menu.CheckMenuItem(nID, MF_BYCOMMAND | MF_CHECKED); };
    const BOOL bFloating = IsFloating();
    const BOOL bAutoHidden = IsAutoHidden();
    const BOOL bTabbedDocument = IsTabbedDocument();
    if (!CanFloat())
        grey(ZUDP_IDM_FLOATING);
    if (!CanAutoHide() || GetParentMiniFrame(TRUE) != nullptr)
        grey(ZUDP_IDM_AUTOHIDE);
    if (bAutoHidden) {
        grey(ZUDP_IDM_FLOATING);
        grey(ZUDP_IDM_DOCKING);
        grey(ZUDP_IDM_HIDE);
        check(ZUDP_IDM_AUTOHIDE);
    }
    CZUDPMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, GetDockSiteFrame());
    if (!CanBeTabbedDocument() || (pMDIFrame != nullptr && pMDIFrame->IsFullScreen()))
        grey(ZUDP_IDM_TABBED_DOCUMENT);
    if (bTabbedDocument) {
        grey(ZUDP_IDM_FLOATING);
        grey(ZUDP_IDM_DOCKING);
        check(ZUDP_IDM_TABBED_DOCUMENT);
    }
    if (bFloating)
        check(ZUDP_IDM_FLOATING);
    else if (!bAutoHidden && !bTabbedDocument)
        check(ZUDP_IDM_DOCKING);
    if (!bHasSide)
        grey(ZUDP_IDM_DOCKING);
    if (!CanClose())
        grey(ZUDP_IDM_HIDE);

    if (!OnBeforeDockingMenu(&menu))
        return FALSE;   // the menu goes with its object

    const HWND hWnd = m_hWnd;
    const UINT nCommand = g_contextMenuManager->TrackPopupMenu(menu.m_hMenu, pt.x, pt.y, this);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this || !OnDockingMenuCommand(nCommand))
        return TRUE;

    switch (nCommand) {
    case ZUDP_IDM_TABBED_DOCUMENT:
        if (!bTabbedDocument) {
            ToggleTabbedDocument(TRUE);
        } else {
            CZUDPMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CZUDPMDIChildWnd, PermanentParentOf(m_hWnd));
            CZUDPMDIFrameWnd* pChildFrame =
                pChild != nullptr ? DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pChild->GetParentFrame()) : nullptr;
            if (pChildFrame == nullptr)
                return FALSE;
            pChildFrame->ReleaseTabbedDocument(pChild);
        }
        break;
    case ZUDP_IDM_HIDE:
        OnPressCloseButton();
        break;
    case ZUDP_IDM_AUTOHIDE:
        ToggleAutoHide();
        break;
    case ZUDP_IDM_DOCKING:
        if (bFloating) {
            if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
                pMiniFrame->DockToRecentPlace();
        }
        break;
    case ZUDP_IDM_FLOATING: {
        CZUDPBaseTabbedBar* pTabbedBar = DYNAMIC_DOWNCAST(CZUDPBaseTabbedBar, this);
        if (pTabbedBar == nullptr && IsTabbed())
            pTabbedBar = GetParentTabbedBar();
        CZUDPBaseTabWnd* pTabWnd = pTabbedBar != nullptr ? pTabbedBar->GetTabWnd() : nullptr;
        const int iActive = pTabWnd != nullptr ? pTabWnd->GetActiveTabIndex() : -1;
        CZUDPBaseControlBar* pActivePane =
            iActive >= 0 ? DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pTabWnd->GetTabWindow(iActive)) : nullptr;
        if (pActivePane != nullptr && pTabWnd->IsTabDetachable(iActive) && pActivePane->CanFloat()) {
            const HWND hWndTabs = pTabWnd->m_hWnd;
            pTabbedBar->DetachTabToFloat(pActivePane, iActive, 0, TRUE);
            if (::IsWindow(hWndTabs) && pTabWnd->GetTabCount() > 0 && pTabWnd->CountVisibleTabs() == 0)
                pTabbedBar->ShowBar(FALSE, FALSE, FALSE);
        } else {
            FloatBar(m_recentDockInfo.m_rectRecentFloatingRect, ZUDP_DM_MENU, TRUE);
        }
        break;
    }
    default:
        break;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Creation and destruction

BOOL CZUDPControlBar::CreatePane(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                 DWORD dwControlBarStyle, CCreateContext* pContext)
{
    return CreatePaneEx(0, lpszClassName, dwStyle, rect, pParentWnd, nID, dwControlBarStyle, pContext);
}

BOOL CZUDPControlBar::CreatePaneEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect,
                                   CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle, CCreateContext* pContext)
{
    const CString strClass = lpszClassName != nullptr ? CString(lpszClassName)
                                                      : g_uiEnvironment.RegisterWindowClass("ZUDPControlBar");
    m_nControlId = nID;
    if (!CreateBar(dwStyleEx, strClass, nullptr, dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd, nID,
                   dwControlBarStyle, pContext))
        return FALSE;

    // The creation rectangle seeds the recent places.
    CRect rectScreen = rect;
    if (pParentWnd != nullptr && pParentWnd->GetSafeHwnd() != nullptr)
        pParentWnd->ClientToScreen(&rectScreen);
    if (m_recentDockInfo.m_recentDockedInfo.m_rectDockedRect.IsRectEmpty())
        m_recentDockInfo.m_recentDockedInfo.m_rectDockedRect = rectScreen;
    if (m_recentDockInfo.m_recentFloatingInfo.m_rectDockedRect.IsRectEmpty())
        m_recentDockInfo.m_recentFloatingInfo.m_rectDockedRect = rectScreen;
    if (!rectScreen.IsRectEmpty())
        m_recentDockInfo.m_rectRecentFloatingRect = rectScreen;

    SetOwner(pParentWnd);
    UpdateVirtualRect();
    if ((dwControlBarStyle & ZUDP_CBRS_FLOAT) && CanFloat())
        m_dragFrameImpl.AttachToWindow(this);
    return TRUE;
}

void CZUDPControlBar::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    Default();
    if (nStyleType == GWL_EXSTYLE && lpStyleStruct != nullptr &&
        ((lpStyleStruct->styleOld ^ lpStyleStruct->styleNew) & WS_EX_LAYOUTRTL))
        SetMirrored((lpStyleStruct->styleNew & WS_EX_LAYOUTRTL) != 0);
}

void CZUDPControlBar::OnDestroy()
{
    if (IsTabbed()) {
        HWND hWnd = m_hWnd;
        if (CZUDPBaseTabbedBar* pTabbedBar = GetParentTabbedBar())
            pTabbedBar->RemovePane(this);
        if (!::IsWindow(hWnd))
            return;
    }
    // Nothing keeps a pointer to a bar that is gone.
    if (m_pParentDockBar != nullptr)
        m_pParentDockBar->RemoveControlBar(this);
    UnregisterBarFromSite(this);
    Default();
}

void CZUDPControlBar::OnNcDestroy()
{
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->UpdateFloatingBarMap(this, FALSE);
        pMiniFrame->RemoveHostedBar(this, TRUE, FALSE);
    }
    CZUDPBaseControlBar::OnNcDestroy();
}

// ---------------------------------------------------------------------------
// Saved state and the recent place

void CZUDPControlBar::StoreRecentDockedRect()
{
    if (m_hWnd == nullptr)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (m_pParentDockBar != nullptr)
        m_pParentDockBar->ScreenToClient(&rect);
    else if (CWnd* pSite = GetDockSiteFrame())
        pSite->ScreenToClient(&rect);
    else
        return;
    m_recentDockInfo.m_recentDockedInfo.m_rectDockedRect = rect;
}

// A docked bar records its dock bar, row and row index and its docked
// rectangle; a floating bar records its floating frame's rectangle and
// keeps the place it was docked at last.
void CZUDPControlBar::StoreRecentDockInfo()
{
    if (m_hWnd == nullptr)
        return;
    if (IsFloating()) {
        if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
            pMiniFrame->GetWindowRect(&m_recentDockInfo.m_rectRecentFloatingRect);
        return;
    }
    m_recentDockInfo.m_pRecentDockBar = m_pParentDockBar;
    m_recentDockInfo.m_pRecentDockBarRow = m_pDockBarRow;
    if (m_pParentDockBar != nullptr)
        m_recentDockInfo.m_nRecentRowIndex = m_pParentDockBar->IndexOfRow(m_pDockBarRow);
    StoreRecentDockedRect();
}

void CZUDPControlBar::DockToRecentPosition(CZUDPDockManager* pDockManager)
{
    if (m_bRecentFloating) {
        ShowBar(m_bSavedVisibility, TRUE, FALSE);
        return;
    }
    CZUDPDockBar* pDockBar =
        pDockManager != nullptr ? pDockManager->FindDockBarForSide(m_recentDockInfo.m_dwRecentAlignment, TRUE) : nullptr;
    if (pDockBar != nullptr) {
        const CRect rectDocked = m_recentDockInfo.m_recentDockedInfo.m_rectDockedRect;
        pDockManager->DockBarAtSite(this, pDockBar->GetDockBarID(), &rectDocked);
    }
    if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->ShowControlBar(this, m_bSavedVisibility, TRUE, FALSE);
        if (m_pDockBarRow != nullptr)
            m_pDockBarRow->FitBarsToLength();
    }
}

BOOL CZUDPControlBar::SaveBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    BOOL bWritten = FALSE;
    const CString strKey = FormatStateKey(kBarStateSection, kBarStateKey, lpszProfileName, nIndex, uiID, m_nControlId);
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!strKey.IsEmpty() && reg.CreateKey(strKey)) {
        if (IsFloating()) {
            if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
                pMiniFrame->GetWindowRect(&m_recentDockInfo.m_rectRecentFloatingRect);
        } else {
            StoreRecentDockedRect();
            if (m_pParentDockBar != nullptr) {
                m_recentDockInfo.m_dwRecentAlignment = m_pParentDockBar->GetDockedSide();
                m_recentDockInfo.m_nRecentRowIndex = m_pParentDockBar->IndexOfRow(m_pDockBarRow);
            }
        }
        // Every value is written; the answer says whether all were.
        bWritten = TRUE;
        bWritten &= reg.Write("ID", (DWORD)m_nControlId);
        bWritten &= reg.Write("RectRecentFloat", m_recentDockInfo.m_rectRecentFloatingRect);
        bWritten &= reg.Write("RectRecentDocked", m_recentDockInfo.m_recentDockedInfo.m_rectDockedRect);
        bWritten &= reg.Write("RecentFrameAlignment", (DWORD)m_recentDockInfo.m_dwRecentAlignment);
        bWritten &= reg.Write("RecentRowIndex", (DWORD)m_recentDockInfo.m_nRecentRowIndex);
        bWritten &= reg.Write("IsFloating", (DWORD)(IsFloating() ? 1 : 0));
        bWritten &= reg.Write("MRUWidth", (DWORD)m_nMRUWidth);
        bWritten &= reg.Write("PinState", (DWORD)m_nPinState);
    }
    const BOOL bBase = CZUDPBaseControlBar::SaveBarState(lpszProfileName, nIndex, uiID);
    return bWritten && bBase;
}

BOOL CZUDPControlBar::LoadBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = FormatStateKey(kBarStateSection, kBarStateKey, lpszProfileName, nIndex, uiID, m_nControlId);
    if (strKey.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(strKey))
        return FALSE;
    // The stored "ID" names the bar the values were saved from; the bar
    // keeps its own id.
    CRect rect;
    if (reg.Read("RectRecentFloat", rect) && IsUsableScreenRect(rect))
        m_recentDockInfo.m_rectRecentFloatingRect = rect;
    if (reg.Read("RectRecentDocked", rect) && !rect.IsRectEmpty()) {
        m_rectRecentDocked = rect;
        m_recentDockInfo.m_recentDockedInfo.m_rectDockedRect = rect;
    }
    DWORD dwValue = 0;
    if (reg.Read("RecentFrameAlignment", dwValue) && IsOneSide(dwValue))
        m_recentDockInfo.m_dwRecentAlignment = dwValue;
    int nValue = 0;
    if (reg.Read("RecentRowIndex", nValue) && nValue >= 0 && nValue <= kMaxSavedRowIndex)
        m_recentDockInfo.m_nRecentRowIndex = nValue;
    if (reg.Read("IsFloating", dwValue))
        m_bRecentFloating = dwValue != 0;
    if (reg.Read("MRUWidth", nValue) && nValue >= 0)
        m_nMRUWidth = nValue;
    if (reg.Read("PinState", nValue))
        m_nPinState = nValue;
    return CZUDPBaseControlBar::LoadBarState(lpszProfileName, nIndex, uiID);
}
