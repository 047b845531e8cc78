// The tab window's reactions: activating a tab, scrolling the row with its
// buttons, the list of tabs, keyboard switching, the mouse in the row (the
// shared scroll bar's splitter, the resize bar, an MDI tab strip's moves,
// clicks passed to the owner), the shared scroll bar and tooltips.
#include "ui/docking/ZUDPTabWnd.h"

#include "framework/Map.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPBaseControlBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "res/ui/docking.h"

#include <mbstring.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Set while the shared scroll bar passes a scroll on to the active window
// (of any tab window).
BOOL g_forwardingSharedScroll = FALSE;

// A label as a menu item shows it: every single "&" doubled.
CString MenuLabel(const CString& strLabel)
{
    CString strItem;
    for (int i = 0; i < strLabel.GetLength(); ++i) {
        const char ch = strLabel[i];
        if (ch == '&' && i + 1 < strLabel.GetLength() && strLabel[i + 1] == '&') {
            strItem += "&&";
            ++i;
        } else if (ch == '&') {
            strItem += "&&";
        } else {
            strItem += ch;
        }
    }
    return strItem;
}

} // namespace

CMap<UINT, UINT, HICON, HICON> g_tabMenuIcons;

HICON CZUDPTabWnd::LookupTabMenuIcon(UINT uiCommand)
{
    HICON hIcon = nullptr;
    return g_tabMenuIcons.Lookup(uiCommand, hIcon) ? hIcon : nullptr;
}

// --- activation --------------------------------------------------------------

BOOL CZUDPTabWnd::ActivateTab(int iTab)
{
    if (!IsValidTab(iTab) || iTab >= m_arTabs.GetSize())
        return FALSE;
    if (iTab == m_iActiveTab) {
        if (IsMDITabStrip())
            ActivateMDIChildOfTab(m_iActiveTab);
        return TRUE;
    }
    if (FireActiveTabChanging(iTab))
        return FALSE;

    const BOOL bHadActive = m_iActiveTab >= 0;
    CWnd* pOldWnd = GetActiveTabWindow();
    if (bHadActive && m_bHideInactiveWindow && pOldWnd != nullptr && pOldWnd->GetSafeHwnd() != nullptr)
        pOldWnd->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    HideActiveWindowScrollBar();

    // A tab without a window is active all the same: the change is shown
    // and announced like any other.
    CWnd* pNewWnd = m_arTabs[iTab]->m_pWnd;
    const BOOL bHasWindow = pNewWnd != nullptr && pNewWnd->GetSafeHwnd() != nullptr;
    if (bHasWindow) {
        pNewWnd->ShowWindow(SW_SHOW);
        if (!m_bHideInactiveWindow)
            pNewWnd->BringWindowToTop();
        if (m_bAutoSizeWindow) {
            // One pixel wider first, so the window always gets a size
            // message.
            pNewWnd->SetWindowPos(nullptr, 0, 0, m_rectWndArea.Width() + 1, m_rectWndArea.Height(),
                                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            pNewWnd->SetWindowPos(nullptr, 0, 0, m_rectWndArea.Width(), m_rectWndArea.Height(),
                                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    EnsureTabVisible(m_iActiveTab);
    if (m_bFlat)
        SyncSharedScrollBar();

    CWnd* pParent = m_hWnd != nullptr ? GetParent() : nullptr;
    CZUDPTabbedControlBar* pTabbedBar = DYNAMIC_DOWNCAST(CZUDPTabbedControlBar, pParent);
    if (pTabbedBar != nullptr && pTabbedBar->CaptionFollowsTab()) {
        pTabbedBar->SetWindowText(m_arTabs[iTab]->m_strText);
        CWnd* pHolder = pTabbedBar->GetParentMiniFrame();
        if (pHolder == nullptr)
            pHolder = pTabbedBar;
        pHolder->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    }

    if (m_bIsActiveTabBold || m_bActiveTabCloseButton)
        RecalcLayout();
    if (m_hWnd != nullptr) {
        Invalidate();
        UpdateWindow();
    }

    if (bHadActive && bHasWindow) {
        CView* pView = DYNAMIC_DOWNCAST(CView, pNewWnd);
        CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
        if (pView != nullptr && !m_bNoViewActivation && pFrame != nullptr)
            pFrame->SetActiveView(pView, TRUE);
        else
            pNewWnd->SetFocus();
    }

    if (m_btnClose.GetSafeHwnd() != nullptr && bHasWindow) {
        BOOL bCanClose = FALSE;
        HMENU hSysMenu = ::GetSystemMenu(pNewWnd->GetSafeHwnd(), FALSE);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        if (hSysMenu != nullptr && ::GetMenuItemInfoA(hSysMenu, SC_CLOSE, FALSE, &info))
            bCanClose = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        m_btnClose.EnableWindow(bCanClose);
    }

    FireActiveTabChanged(m_iActiveTab);

    if (pTabbedBar != nullptr && bHasWindow && pNewWnd->IsKindOf(RUNTIME_CLASS(CZUDPBaseControlBar))) {
        // The tabbed pane rolls up when floating as its active pane asks.
        const DWORD dwRollUp = 0x10;
        const DWORD dwPaneStyle = static_cast<CZUDPBaseControlBar*>(pNewWnd)->GetControlBarStyle();
        pTabbedBar->SetControlBarStyle((pTabbedBar->GetControlBarStyle() & ~dwRollUp) | (dwPaneStyle & dwRollUp));
    }
    return TRUE;
}

void CZUDPTabWnd::ActivateMDIChildOfTab(int iTab)
{
    if (iTab == -1) {
        if (m_iActiveTab < 0)
            return;
        iTab = m_iActiveTab;
    }
    if (iTab != m_iActiveTab && !ActivateTab(iTab))
        return;
    // The MDI client activates the child named in wParam: the tab's own
    // child window.
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_MDIACTIVATE, WPARAM(AfxSafeHwnd(GetTabWindow(iTab))), 0);
    SetFocus();
}

// --- scrolling ---------------------------------------------------------------

BOOL CZUDPTabWnd::EnsureTabVisible(int iTab)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (!m_bScroll || m_rectTabsArea.Width() <= 0)
        return TRUE;
    const CRect r = m_arTabs[iTab]->m_rect;
    const CRect& strip = m_rectTabsArea;
    if (m_bTabListMenu) {
        if (r.left >= strip.right || r.IsRectEmpty())
            CZUDPBaseTabWnd::MoveTab(iTab, 0);
        return TRUE;
    }
    if (!(m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7)) {
        if (r.left < strip.left)
            m_nTabsHorzOffset += r.left - strip.left;
        else if (r.right > strip.right && r.Width() <= strip.Width())
            m_nTabsHorzOffset += r.right - strip.right;
        else
            return TRUE;
    } else {
        if (r.left >= strip.left && r.right <= strip.right)
            return TRUE;
        const int nStep = strip.Height() - 5;
        int nTotal = 0;
        for (int i = 0; i <= iTab; ++i)
            nTotal += m_arTabs[i]->m_rect.Width() - nStep;
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
        while (m_nFirstVisibleTab < iTab && nTotal > strip.Width()) {
            const int w = m_arTabs[m_nFirstVisibleTab]->m_rect.Width() - nStep;
            m_nTabsHorzOffset += w;
            nTotal -= w;
            ++m_nFirstVisibleTab;
        }
    }
    LayoutTabs();
    ClampScrollOffset();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

void CZUDPTabWnd::ScrollByButton(HWND hWndButton)
{
    const BOOL bShaped = m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7;
    const int H = m_rectTabsArea.Height();
    const int nOld = m_nTabsHorzOffset;
    if (hWndButton == m_btnScrollLeft.GetSafeHwnd()) {
        if (!bShaped) {
            m_nTabsHorzOffset -= 20;
        } else if (m_nFirstVisibleTab > 0) {
            --m_nFirstVisibleTab;
            m_nTabsHorzOffset = nOld - (m_arTabs[m_nFirstVisibleTab]->m_rect.Width() - H + 6);
        }
    } else if (hWndButton == m_btnScrollRight.GetSafeHwnd()) {
        if (!bShaped) {
            m_nTabsHorzOffset += 20;
        } else if (m_nFirstVisibleTab < m_iTabsNum) {
            m_nTabsHorzOffset = nOld + (m_arTabs[m_nFirstVisibleTab]->m_rect.Width() - H + 5);
            ++m_nFirstVisibleTab;
        }
    } else if (hWndButton == m_btnScrollFirst.GetSafeHwnd()) {
        m_nTabsHorzOffset = 0;
    } else if (hWndButton == m_btnScrollLast.GetSafeHwnd()) {
        m_nTabsHorzOffset = m_nTabsHorzOffsetMax;
    }
    m_nTabsHorzOffset = std::max(0, m_nTabsHorzOffset);
    if (!bShaped)
        m_nTabsHorzOffset = std::min(m_nTabsHorzOffset, m_nTabsHorzOffsetMax);
    if (m_nTabsHorzOffset != nOld) {
        LayoutTabs();
        UpdateScrollButtons();
        Invalidate();
        UpdateWindow();
    }
}

BOOL CZUDPTabWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hWndButton = HWND(lParam);
    if (hWndButton == nullptr || m_lstButtons.Find(hWndButton) == nullptr)
        return CZUDPBaseTabWnd::OnCommand(wParam, lParam);

    if (hWndButton == m_btnClose.GetSafeHwnd()) {
        CWnd* pActiveWnd = GetActiveTabWindow();
        if (pActiveWnd != nullptr)
            CloseTabWindow(pActiveWnd);
        return TRUE;
    }
    if (hWndButton == m_btnScrollRight.GetSafeHwnd() && m_bTabListMenu) {
        CRect rectButton;
        m_btnScrollRight.GetWindowRect(&rectButton);
        const int x = (GetExStyle() & WS_EX_LAYOUTRTL) != 0 ? rectButton.right : rectButton.left;
        // The button stays drawn pushed while its menu is open.
        m_btnScrollRight.SendMessage(WM_CANCELMODE);
        m_btnScrollRight.m_bHot = TRUE;
        m_btnScrollRight.m_bDown = TRUE;
        m_btnScrollRight.RedrawWindow();
        const HWND hWndSelf = m_hWnd;
        ShowTabListMenu(x, rectButton.bottom + 2);
        if (::IsWindow(hWndSelf) && m_btnScrollRight.GetSafeHwnd() != nullptr) {
            m_btnScrollRight.m_bHot = FALSE;
            m_btnScrollRight.m_bDown = FALSE;
            m_btnScrollRight.RedrawWindow();
        }
        return TRUE;
    }
    ScrollByButton(hWndButton);
    return TRUE;
}

void CZUDPTabWnd::ShowTabListMenu(int x, int y)
{
    if (g_contextMenuManager == nullptr)
        return;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return;
    for (int i = 0; i < m_iTabsNum; ++i) {
        const CZUDPTabInfo* pTab = m_arTabs[i];
        if (!pTab->m_bVisible)
            continue;
        const CString strItem = MenuLabel(pTab->m_strText);
        // Sorted as the labels compare, whatever their case.
        const int nItems = ::GetMenuItemCount(hMenu);
        int nPos = 0;
        for (; nPos < nItems; ++nPos) {
            char szText[512] = "";
            ::GetMenuStringA(hMenu, UINT(nPos), szText, int(sizeof(szText)), MF_BYPOSITION);
            if (_mbsicmp(reinterpret_cast<const unsigned char*>(szText),
                         reinterpret_cast<const unsigned char*>((LPCTSTR)strItem)) > 0)
                break;
        }
        const UINT uiCommand = TabListCommand(i);
        ::InsertMenuA(hMenu, UINT(nPos), MF_BYPOSITION | MF_STRING, uiCommand, strItem);
        HICON hIcon = nullptr;
        if (pTab->m_pWnd != nullptr && pTab->m_pWnd->GetSafeHwnd() != nullptr) {
            hIcon = (HICON)pTab->m_pWnd->SendMessage(WM_GETICON, ICON_SMALL, 0);
            if (hIcon == nullptr)
                hIcon = (HICON)::GetClassLongPtrA(pTab->m_pWnd->GetSafeHwnd(), GCLP_HICONSM);
        }
        g_tabMenuIcons.SetAt(uiCommand, hIcon);
    }

    const HWND hWndSelf = m_hWnd;
    const UINT uiChosen = g_contextMenuManager->TrackPopupMenu(hMenu, x, y, this, FALSE);
    // The chosen command may have closed this window.
    if (::IsWindow(hWndSelf) && CWnd::FromHandlePermanent(hWndSelf) == this) {
        const int iTab = uiChosen != 0 ? TabOfListCommand(uiChosen, m_iTabsNum) : -1;
        if (iTab >= 0) {
            m_bUserSelectedTab = TRUE;
            ActivateTab(iTab);
            m_bUserSelectedTab = FALSE;
        }
    }
    g_tabMenuIcons.RemoveAll();
    ::DestroyMenu(hMenu);
}

void CZUDPTabWnd::EnableTabListMenu(BOOL bEnable)
{
    m_bTabListMenu = bEnable;
    if (m_btnScrollRight.GetSafeHwnd() != nullptr) {
        CZUDPLocalResource localResource;
        CString strTip;
        strTip.LoadString(bEnable ? IDS_ZUDP_TAB_LIST : IDS_ZUDP_TAB_SCROLL_RIGHT);
        m_btnScrollRight.SetTipText(strTip);
    }
    UpdateButtonImages();
    RecalcLayout();
    m_nTabsHorzOffset = 0;
    m_nFirstVisibleTab = 0;
    if (m_iActiveTab >= 0)
        EnsureTabVisible(m_iActiveTab);
}

void CZUDPTabWnd::UpdateScrollButtons()
{
    if (!m_bScroll || m_bFlat || m_btnScrollLeft.GetSafeHwnd() == nullptr)
        return;
    const BOOL bShaped = m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7;
    BOOL bLeft = FALSE, bRight = FALSE;
    int iLast = -1;
    GetLastVisibleTab(iLast);
    if (iLast >= 0) {
        if (!bShaped) {
            bLeft = m_nTabsHorzOffset > 0;
            bRight = m_bTabListMenu || m_nTabsHorzOffset < m_nTabsHorzOffsetMax;
        } else {
            bLeft = m_nFirstVisibleTab > 0;
            bRight = m_bTabListMenu ||
                     (m_rectTabsArea.right < m_arTabs[iLast]->m_rect.right && m_nFirstVisibleTab < m_iTabsNum - 1);
        }
    }
    if (m_bTabListMenu) {
        const int nGlyph = m_bHiddenDocuments ? MenuGlyphArrowDownUnderBar : MenuGlyphLargeArrowDown;
        if (nGlyph != m_nListGlyph) {
            m_nListGlyph = nGlyph;
            m_btnScrollRight.SetGlyphImage(nGlyph, bShaped ? MenuGlyphColorBlack : MenuGlyphColorDkGray,
                                           MenuGlyphLargeArrowDown);
        }
    }
    // A button that goes grey stops repeating; one whose state stays is
    // left alone.
    for (CZUDTabButton* pButton : {&m_btnScrollLeft, &m_btnScrollRight}) {
        const BOOL bEnable = pButton == &m_btnScrollLeft ? bLeft : bRight;
        if (!pButton->IsWindowEnabled() == !bEnable)
            continue;
        pButton->EnableWindow(bEnable);
        if (!bEnable)
            pButton->SendMessage(WM_CANCELMODE);
    }
}

// --- hit testing -------------------------------------------------------------

int CZUDPTabWnd::HitTestTab(CPoint point) const
{
    if (!m_rectTabsArea.PtInRect(point))
        return -1;
    if (!(m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7))
        return CZUDPBaseTabWnd::HitTestTab(point);
    const CZUDPTabInfo* pActive = GetTab(m_iActiveTab);
    if (pActive != nullptr && pActive->m_bVisible && pActive->m_rect.PtInRect(point)) {
        if (m_iActiveTab == 0)
            return 0;
        // The slanted left end of the active tab lies over the tab before
        // it: a point in that corner belongs to that tab.
        const CRect& r = pActive->m_rect;
        const int dx = point.x - r.left, dy = point.y - r.top, h = r.Height();
        if (dx >= h || dx * dx + dy * dy >= h * h / 2)
            return m_iActiveTab;
        for (int i = m_iActiveTab - 1; i >= 0; --i)
            if (m_arTabs[i]->m_bVisible)
                return i;
        return m_iActiveTab;
    }
    return CZUDPBaseTabWnd::HitTestTab(point);
}

CWnd* CZUDPTabWnd::GetDragWindowAtPoint(CPoint point) const
{
    if (point.y < GetTabHeight())
        return nullptr;
    for (int i = 0; i < m_iTabsNum; ++i)
        if (m_arTabs[i]->m_bVisible && m_arTabs[i]->m_rect.PtInRect(point))
            return nullptr;
    return GetParent();
}

BOOL CZUDPTabWnd::SwapTabs(int iFirst, int iSecond)
{
    const BOOL bSwapped = CZUDPBaseTabWnd::SwapTabs(iFirst, iSecond);
    if (m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7) {
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
    }
    return bSwapped;
}

BOOL CZUDPTabWnd::MoveTab(int iTab, int iNewPosition)
{
    const BOOL bMoved = CZUDPBaseTabWnd::MoveTab(iTab, iNewPosition);
    if (bMoved && (m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7)) {
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
        EnsureTabVisible(m_iActiveTab);
    }
    return bMoved;
}

// --- keyboard ----------------------------------------------------------------

BOOL CZUDPTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_iActiveTab >= 0 && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        g_frameworkSeams.keyState(VK_CONTROL) < 0) {
        // The nearest visible tab before or after the active one, round the
        // ends; the key is taken whether or not one is found.
        const int nStep = pMsg->wParam == VK_PRIOR ? -1 : 1;
        int iFound = -1;
        for (int k = 1; k < m_iTabsNum && iFound < 0; ++k) {
            const int i = ((m_iActiveTab + nStep * k) % m_iTabsNum + m_iTabsNum) % m_iTabsNum;
            if (m_arTabs[i]->m_bVisible)
                iFound = i;
        }
        if (iFound >= 0) {
            m_bUserSelectedTab = TRUE;
            ActivateTab(iFound);
            m_bUserSelectedTab = FALSE;
            CWnd* pWnd = GetActiveTabWindow();
            if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
                pWnd->SetFocus();
            FireActiveTabChanged(m_iActiveTab);
        }
        return TRUE;
    }

    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (m_pToolTipClose != nullptr && m_pToolTipClose->GetSafeHwnd() != nullptr)
            m_pToolTipClose->RelayEvent(pMsg);
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->RelayEvent(pMsg);
        break;
    case WM_LBUTTONDBLCLK:
        if (pMsg->hwnd == m_btnClose.GetSafeHwnd() && pMsg->hwnd != nullptr)
            return TRUE;
        break;
    default:
        break;
    }
    return CZUDPBaseTabWnd::PreTranslateMessage(pMsg);
}

// --- mouse -------------------------------------------------------------------

void CZUDPTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_rectTabSplitter.IsRectEmpty() && m_rectTabSplitter.PtInRect(point)) {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    if (m_nResizeMode != ResizeBarNone && m_rectResize.PtInRect(point)) {
        CRect rectBounds;
        CWnd* pParent = GetParent();
        if (pParent != nullptr && pParent->SendMessage(ZUDM_GETDRAGBOUNDS, WPARAM(this), LPARAM(&rectBounds)) != 0 &&
            !rectBounds.IsRectEmpty()) {
            m_rectResizeBounds = rectBounds;
            m_bResize = TRUE;
            SetCapture();
            m_rectResizeDrag = m_rectResize;
            ClientToScreen(&m_rectResizeDrag);
            DrawTabDragRect(m_rectResizeDrag, CRect());
            return;
        }
    }
    if (IsMDITabStrip() && m_iActiveTab >= 0 && HitTestTab(point) == m_iActiveTab)
        ActivateMDIChildOfTab(m_iActiveTab);

    CZUDPBaseTabWnd::OnLButtonDown(nFlags, point);

    if (!m_bMoving) {
        CWnd* pDragWnd = GetDragWindowAtPoint(point);
        if (pDragWnd != nullptr && pDragWnd->GetSafeHwnd() != nullptr) {
            CPoint ptTarget = point;
            MapWindowPoints(pDragWnd, &ptTarget, 1);
            pDragWnd->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(ptTarget.x, ptTarget.y));
        }
    }
}

void CZUDPTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const HWND hWndButton = m_lstButtons.GetNext(pos);
        CRect rectButton;
        ::GetWindowRect(hWndButton, &rectButton);
        ScreenToClient(&rectButton);
        if (rectButton.PtInRect(point))
            return;
    }
    CWnd* pDragWnd = GetDragWindowAtPoint(point);
    if (pDragWnd != nullptr && pDragWnd->GetSafeHwnd() != nullptr) {
        CPoint ptTarget = point;
        MapWindowPoints(pDragWnd, &ptTarget, 1);
        pDragWnd->SendMessage(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(ptTarget.x, ptTarget.y));
        return;
    }
    CZUDPBaseTabWnd::OnLButtonDblClk(nFlags, point);
}

void CZUDPTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTrackSplitter || m_bResize) {
        EndResizeTrack(FALSE);
        m_bTrackSplitter = FALSE;
        m_bResize = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        return;
    }
    if (IsMDITabStrip() && ::GetCapture() == m_hWnd && m_bMoving) {
        const CPoint ptCursor = GetCursorScreenPos();
        if (std::abs(ptCursor.x - m_ptMoveStart.x) > ::GetSystemMetrics(SM_CXDRAG) ||
            std::abs(ptCursor.y - m_ptMoveStart.y) > ::GetSystemMetrics(SM_CYDRAG)) {
            ::ReleaseCapture();
            if (!m_rectTabsArea.PtInRect(point) && GetParent() != nullptr)
                GetParent()->SendMessage(ZUDM_ON_MOVETABCOMPLETE, WPARAM(this), MAKELPARAM(point.x, point.y));
        } else {
            ActivateMDIChildOfTab(-1);
        }
    }
    CZUDPBaseTabWnd::OnLButtonUp(nFlags, point);
}

void CZUDPTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bResize) {
        const CPoint ptCursor = GetCursorScreenPos();
        CRect rectNew = m_rectResizeDrag;
        if (m_nResizeMode == ResizeBarRight) {
            rectNew.OffsetRect(ptCursor.x - rectNew.CenterPoint().x, 0);
            if (rectNew.left < m_rectResizeBounds.left)
                rectNew.OffsetRect(m_rectResizeBounds.left - rectNew.left, 0);
            if (rectNew.right > m_rectResizeBounds.right)
                rectNew.OffsetRect(m_rectResizeBounds.right - rectNew.right, 0);
        } else {
            rectNew.OffsetRect(0, ptCursor.y - rectNew.CenterPoint().y);
            if (rectNew.top < m_rectResizeBounds.top)
                rectNew.OffsetRect(0, m_rectResizeBounds.top - rectNew.top);
            if (rectNew.bottom > m_rectResizeBounds.bottom)
                rectNew.OffsetRect(0, m_rectResizeBounds.bottom - rectNew.bottom);
        }
        if (rectNew != m_rectResizeDrag) {
            DrawTabDragRect(rectNew, m_rectResizeDrag);
            m_rectResizeDrag = rectNew;
        }
        return;
    }
    if (m_bTrackSplitter) {
        const int b = GetTabBorderSize();
        int nWidth = std::min<int>(m_nScrollBarRight - m_rectTabsArea.left - 5, m_nScrollBarRight - point.x);
        nWidth = std::max(nWidth, 2 * ::GetSystemMetrics(SM_CXHSCROLL));
        const CRect rectOld = m_rectTabSplitter;
        m_nHorzScrollWidth = nWidth;
        PlaceScrollBar();
        if (m_rectTabSplitter.left > rectOld.left) {
            CRect rectUncovered(rectOld.left - 20, rectOld.top - (b + 1), m_rectTabSplitter.left,
                                rectOld.bottom + b + 1);
            InvalidateRect(rectUncovered, TRUE);
        }
        CRect rectSplitter = m_rectTabSplitter;
        rectSplitter.InflateRect(0, b);
        InvalidateRect(rectSplitter, TRUE);
        UpdateWindow();
        ClampScrollOffset();
        return;
    }
    if (IsMDITabStrip() && ::GetCapture() == m_hWnd && m_bMoving) {
        const CPoint ptCursor = GetCursorScreenPos();
        if ((std::abs(ptCursor.x - m_ptMoveStart.x) >= ::GetSystemMetrics(SM_CXDRAG) ||
             std::abs(ptCursor.y - m_ptMoveStart.y) >= ::GetSystemMetrics(SM_CYDRAG)) &&
            GetParent() != nullptr &&
            GetParent()->SendMessage(ZUDM_ON_TABGROUPMOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y)) != 0)
            return;
    }
    if (!m_bFlat) {
        CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
        if (pManager->IsTabAreaFramed())
            m_bHighlightHotTab = TRUE;
        else if (m_bIsStyle4)
            m_bHighlightHotTab = pManager->IsActiveTabAreaFramed();
    }
    CZUDPBaseTabWnd::OnMouseMove(nFlags, point);
}

void CZUDPTabWnd::OnCancelMode()
{
    if (IsMDITabStrip() && ::GetCapture() == m_hWnd && GetParent() != nullptr)
        GetParent()->SendMessage(ZUDM_ON_CANCELTABMOVE, 0, 0);
    CZUDPBaseTabWnd::OnCancelMode();
    EndResizeTrack(TRUE);
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

void CZUDPTabWnd::EndResizeTrack(BOOL bCancel)
{
    if (!m_bResize)
        return;
    DrawTabDragRect(CRect(), m_rectResizeDrag);
    m_bResize = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!bCancel) {
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        if (m_nResizeMode == ResizeBarRight)
            rectWindow.right = m_rectResizeDrag.right;
        else
            rectWindow.bottom = m_rectResizeDrag.bottom;
        CWnd* pParent = GetParent();
        if (pParent != nullptr)
            pParent->SendMessage(ZUDM_ON_DRAGCOMPLETE, WPARAM(this), LPARAM(&rectWindow));
    }
    m_rectResizeDrag.SetRectEmpty();
    m_rectResizeBounds.SetRectEmpty();
}

BOOL CZUDPTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point = GetCursorScreenPos();
    ScreenToClient(&point);
    if (m_bFlat && m_rectTabSplitter.PtInRect(point)) {
        ::SetCursor(GetSplitCursor(FALSE));
        return TRUE;
    }
    if (m_rectResize.PtInRect(point)) {
        ::SetCursor(GetSplitCursor(m_nResizeMode == ResizeBarBottom));
        return TRUE;
    }
    return CZUDPBaseTabWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CZUDPTabWnd::OnSetFocus(CWnd* pOldWnd)
{
    CZUDPBaseTabWnd::OnSetFocus(pOldWnd);
    CWnd* pWnd = GetActiveTabWindow();
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->SetFocus();
}

void CZUDPTabWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CZUDPBaseTabWnd::OnWindowPosChanging(lpwndpos);
    // An MDI tab strip stays below the MDI child windows.
    if (IsMDITabStrip())
        lpwndpos->hwndInsertAfter = HWND_BOTTOM;
}

// --- the shared scroll bar ---------------------------------------------------

void CZUDPTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const BOOL bShared = m_bFlat && pScrollBar != nullptr && pScrollBar->GetSafeHwnd() != nullptr &&
                         pScrollBar->GetSafeHwnd() == m_wndScrollWnd.GetSafeHwnd();
    if (!bShared) {
        CZUDPBaseTabWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    CWnd* pActiveWnd = GetActiveTabWindow();
    if (pActiveWnd == nullptr || pActiveWnd->GetSafeHwnd() == nullptr || g_forwardingSharedScroll)
        return;
    g_forwardingSharedScroll = TRUE;
    if (m_arTabs[m_iActiveTab]->m_bIsListView && (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK))
        pActiveWnd->SendMessage(LVM_SCROLL, WPARAM(int(nPos) - pActiveWnd->GetScrollPos(SB_HORZ)), 0);
    pActiveWnd->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    g_forwardingSharedScroll = FALSE;
    m_wndScrollWnd.SetScrollPos(pActiveWnd->GetScrollPos(SB_HORZ), TRUE);
    HideActiveWindowScrollBar();
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(ZUDM_ON_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
}

int CZUDPTabWnd::SyncSharedScrollBar(const SCROLLINFO* pScrollInfo)
{
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr)
        return 0;
    if (pScrollInfo != nullptr) {
        SCROLLINFO info = *pScrollInfo;
        ::EnableScrollBar(m_wndScrollWnd.GetSafeHwnd(), SB_CTL, ESB_ENABLE_BOTH);
        m_wndScrollWnd.SetScrollInfo(&info, TRUE);
    } else {
        CWnd* pActiveWnd = GetActiveTabWindow();
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
        if (pActiveWnd == nullptr || pActiveWnd->GetSafeHwnd() == nullptr ||
            !::GetScrollInfo(pActiveWnd->GetSafeHwnd(), SB_HORZ, &info) || int(info.nPage) + info.nMin >= info.nMax) {
            ::EnableScrollBar(m_wndScrollWnd.GetSafeHwnd(), SB_CTL, ESB_DISABLE_BOTH);
            return 1;
        }
        ::EnableScrollBar(m_wndScrollWnd.GetSafeHwnd(), SB_CTL, ESB_ENABLE_BOTH);
        m_wndScrollWnd.SetScrollInfo(&info, TRUE);
    }
    HideActiveWindowScrollBar();
    return 1;
}

void CZUDPTabWnd::HideActiveWindowScrollBar()
{
    if (!m_bSharedScroll)
        return;
    CWnd* pActiveWnd = GetActiveTabWindow();
    if (pActiveWnd == nullptr || pActiveWnd->GetSafeHwnd() == nullptr)
        return;
    pActiveWnd->ShowScrollBar(SB_HORZ, FALSE);
    pActiveWnd->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
}

BOOL CZUDPTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const BOOL bHandled = CZUDPBaseTabWnd::OnNotify(wParam, lParam, pResult);
    const NMHDR* pNMH = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMH == nullptr)
        return bHandled;
    if (pNMH->code == TTN_SHOW) {
        CToolTipCtrl* pTip = nullptr;
        if (m_pToolTip != nullptr && pNMH->hwndFrom == m_pToolTip->GetSafeHwnd())
            pTip = m_pToolTip;
        else if (m_pToolTipClose != nullptr && pNMH->hwndFrom == m_pToolTipClose->GetSafeHwnd())
            pTip = m_pToolTipClose;
        if (pTip != nullptr)
            pTip->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (pNMH->code == HDN_ITEMCHANGEDA) {
        SyncSharedScrollBar();
    }
    return bHandled;
}

// --- drop target -------------------------------------------------------------

// Toolbar buttons dragged over the row are for a tabbed toolbar, which
// comes with the toolbars; until then the tab window accepts none.
DROPEFFECT CZUDPTabWnd::OnTabDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnTabDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPTabWnd::OnTabDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
