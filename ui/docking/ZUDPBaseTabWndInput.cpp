// The base tab window's user interaction: activating tabs with the mouse,
// the close button, hot tracking, moving a tab along the strip, detaching,
// renaming in place, tooltips and the OLE drop target.
#include "ui/docking/ZUDPBaseTabWnd.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "ui/docking/ZUDPMainClientAreaWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "res/ui/docking.h"

#include <cstdlib>

namespace {

// The one record the owners fill for ZUDM_ON_GET_TAB_TOOLTIP.
CZUDPTabToolTipInfo& TabToolTipRequest()
{
    static CZUDPTabToolTipInfo request;
    return request;
}

} // namespace

CPoint CZUDPBaseTabWnd::GetCursorScreenPos()
{
    POINT point = {0, 0};
    g_frameworkSeams.cursorPos(&point);
    return CPoint(point.x, point.y);
}

// --- activation by the user --------------------------------------------------

BOOL CZUDPBaseTabWnd::ActivateTabByUser(int iTab, BOOL bRememberPrevious)
{
    if (bRememberPrevious)
        m_iPrevActive = m_iActiveTab;
    m_bChangeAnnounced = FALSE;
    m_bUserSelectedTab = TRUE;
    const BOOL bActivated = ActivateTab(iTab);
    m_bUserSelectedTab = FALSE;
    if (!bActivated)
        return FALSE;
    if (!m_bChangeAnnounced)
        FireActiveTabChanged(m_iActiveTab);
    m_bChangeAnnounced = FALSE;
    return TRUE;
}

void CZUDPBaseTabWnd::InvalidateTab(int iTab)
{
    CRect rect;
    if (iTab >= 0 && m_hWnd != nullptr && GetTabRectAt(iTab, rect)) {
        InvalidateRect(rect, TRUE);
        UpdateWindow();
    }
}

// --- button press ------------------------------------------------------------

void CZUDPBaseTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bMovedSincePress = FALSE;
    CZUDPWnd::OnLButtonDown(nFlags, point);

    if (m_rectCloseButton.PtInRect(point)) {
        m_bClosePressed = TRUE;
        RedrawWindow(m_rectCloseButton, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }

    m_iHighlighted = HitTestTab(point);
    if (m_iHighlighted < 0) {
        m_bMovedSincePress = FALSE;
        return;
    }

    BOOL bShifted = FALSE;
    if (IsActivateOnRelease()) {
        m_iPressed = m_iHighlighted;
    } else {
        const int iHit = m_iHighlighted;
        if (iHit != m_iActiveTab) {
            if (!ActivateTabByUser(iHit, TRUE))
                return;
        } else {
            CWnd* pWnd = GetActiveTabWindow();
            if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
                pWnd->SetFocus();
        }
        m_iHighlighted = -1;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        // The activation may have laid the strip out again so that another
        // tab lies under the cursor now: then no move starts.
        bShifted = HitTestTab(point) != iHit;
    }

    if (m_iPressed != m_iActiveTab)
        InvalidateTab(m_iPressed);
    if (!bShifted && !IsActivateOnRelease() && !m_bMovedSincePress)
        StartTabMove();
    m_bMovedSincePress = FALSE;
}

void CZUDPBaseTabWnd::StartTabMove()
{
    m_bMoving = TRUE;
    SetCapture();
    m_ptMoveStart = GetCursorScreenPos();
    m_iMoveStartIndex = m_iActiveTab;
    CRect rectActive;
    if (GetTabRectAt(m_iActiveTab, rectActive))
        ClientToScreen(&rectActive);
    m_nCursorOffset = m_ptMoveStart.x - rectActive.left;
}

// --- mouse move --------------------------------------------------------------

void CZUDPBaseTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    CZUDPWnd::OnMouseMove(nFlags, point);

    const BOOL bCloseHot = m_rectCloseButton.PtInRect(point);
    if (bCloseHot != m_bCloseHighlighted) {
        m_bCloseHighlighted = bCloseHot;
        RedrawWindow(m_rectCloseButton, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

    if (m_iHighlighted >= 0 && m_iPressed < 0 && !m_bMoving) {
        const HWND hWndUnder = ::WindowFromPoint(GetCursorScreenPos());
        if (hWndUnder != nullptr && hWndUnder != m_hWnd) {
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            const int iOldHot = m_iHighlighted;
            m_iHighlighted = -1;
            InvalidateTab(iOldHot);
            return;
        }
    }

    const int iOldHot = m_iHighlighted;
    m_iHighlighted = HitTestTab(point);
    if (m_iPressed >= 0 && m_iHighlighted != m_iPressed)
        m_iHighlighted = -1;

    if (m_iHighlighted != iOldHot && (m_bHighlightHotTab || IsCloseOnActiveTab())) {
        if (iOldHot < 0) {
            SetCapture();
        } else if (m_iHighlighted < 0 && m_iPressed < 0) {
            m_bCloseHighlighted = FALSE;
            m_bClosePressed = FALSE;
            if (!m_bMoving && ::GetCapture() == m_hWnd)
                ::ReleaseCapture();
        }
        InvalidateTab(m_iHighlighted);
        InvalidateTab(iOldHot);
    }

    if (!m_bMoving)
        return;
    if (IsPtInTabArea(point)) {
        if (m_iTabsNum > 1 && m_bEnableTabMove) {
            const int iTab = HitTestTab(point);
            if (iTab != -1 && iTab != m_iActiveTab) {
                SwapTabs(iTab, m_iActiveTab);
                RecalcLayout();
                // The active tab itself now sits at iTab: a refusal must
                // not leave the index on the tab it was swapped with.
                if (!ActivateTab(iTab))
                    m_iActiveTab = iTab;
                if (HitTestTab(point) != iTab) {
                    CRect rectTab;
                    GetTabRectAt(iTab, rectTab);
                    CPoint ptCursor(rectTab.left + m_nCursorOffset, point.y);
                    ClientToScreen(&ptCursor);
                    g_frameworkSeams.setCursorPos(ptCursor.x, ptCursor.y);
                }
            }
        }
    } else {
        DetachTabPane(DetachByDrag, -1, FALSE);
    }
}

// --- button release ----------------------------------------------------------

void CZUDPBaseTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bClosePressed) {
        m_bClosePressed = FALSE;
        m_bCloseHighlighted = FALSE;
        RedrawWindow(m_rectCloseButton, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CWnd* pActiveWnd = GetActiveTabWindow();
        if (m_rectCloseButton.PtInRect(point) && pActiveWnd != nullptr) {
            CloseTabWindow(pActiveWnd);
            return;
        }
    }

    // One message per move that changed the tab's place; the start index
    // never outlives its release, so a later click cannot report an old
    // move.
    if (m_bMoving && m_iMoveStartIndex != -1 && m_iMoveStartIndex != m_iActiveTab) {
        const WPARAM wFrom = WPARAM(m_iMoveStartIndex);
        const LPARAM lTo = LPARAM(m_iActiveTab);
        CWnd* pParent = GetParent();
        if (pParent != nullptr) {
            pParent->SendMessage(ZUDM_ON_MOVE_TAB, wFrom, lTo);
            if (pParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabbedBar)) ||
                pParent->IsKindOf(RUNTIME_CLASS(CZUDPMainClientAreaWnd))) {
                CFrameWnd* pFrame = GetEnclosingFrame(pParent);
                if (pFrame != nullptr)
                    pFrame->SendMessage(ZUDM_ON_MOVE_TAB, wFrom, lTo);
            }
        }
    }
    m_iMoveStartIndex = -1;

    if (m_bMoving) {
        m_bMoving = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (!IsActivateOnRelease()) {
            m_iPressed = -1;
            m_iHighlighted = -1;
        }
    }

    if (IsActivateOnRelease()) {
        const int iOldActive = m_iActiveTab;
        const int iHot = m_iHighlighted;
        const int iPressed = m_iPressed;
        if (iHot == iPressed && iHot >= 0 && iHot != m_iActiveTab && !ActivateTabByUser(iHot, TRUE)) {
            m_iPressed = -1;
            if (!IsStyleCode4())
                m_iHighlighted = -1;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            return;
        }
        m_iPressed = -1;
        if (!IsStyleCode4())
            m_iHighlighted = -1;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        if (iHot != iOldActive) {
            InvalidateTab(iHot);
            if (iPressed != iHot)
                InvalidateTab(iPressed);
        }
    }

    if (IsStyleCode4() && m_hWnd != nullptr) {
        CRect rectTop, rectBottom;
        GetTabAreaRects(rectTop, rectBottom);
        if (!rectTop.IsRectEmpty())
            InvalidateRect(rectTop, FALSE);
        if (!rectBottom.IsRectEmpty())
            InvalidateRect(rectBottom, FALSE);
        UpdateWindow();
    }
    CZUDPWnd::OnLButtonUp(nFlags, point);
}

// --- other buttons -----------------------------------------------------------

void CZUDPBaseTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CZUDPWnd::OnLButtonDblClk(nFlags, point);
    if (m_bRenameEnabled) {
        if (m_iActiveTab >= 0 && HitTestTab(point) == m_iActiveTab)
            StartTabRename(m_iActiveTab);
    } else if (GetDragWindowAtPoint(point) == nullptr) {
        DetachTabPane(DetachByDoubleClick, -1, FALSE);
    }
}

void CZUDPBaseTabWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    CZUDPWnd::OnRButtonDown(nFlags, point);
    if (!m_bActivateOnRightClick)
        return;
    const int iTab = HitTestTab(point);
    if (iTab < 0)
        return;
    if (iTab != m_iActiveTab) {
        ActivateTabByUser(iTab, FALSE);
    } else {
        CWnd* pWnd = GetActiveTabWindow();
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
            pWnd->SetFocus();
    }
}

void CZUDPBaseTabWnd::OnMButtonUp(UINT nFlags, CPoint point)
{
    CWnd* pWnd = GetActiveTabWindow();
    if (m_bMiddleClickCloses && pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
        pWnd->SendMessage(WM_CLOSE);
        return;
    }
    CZUDPWnd::OnMButtonUp(nFlags, point);
}

void CZUDPBaseTabWnd::OnCancelMode()
{
    CZUDPWnd::OnCancelMode();
    if (m_bCloseHighlighted || m_bClosePressed) {
        m_bCloseHighlighted = FALSE;
        m_bClosePressed = FALSE;
        RedrawWindow(m_rectCloseButton, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    if (m_iHighlighted >= 0) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        const int iOldHot = m_iHighlighted;
        m_iHighlighted = -1;
        m_iPressed = -1;
        InvalidateTab(iOldHot);
    }
    if (m_pRenameEdit != nullptr)
        CloseRenameEdit();
    if (m_bMoving && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bMoving = FALSE;
    m_iMoveStartIndex = -1;
}

void CZUDPBaseTabWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CZUDPWnd::OnWindowPosChanged(lpwndpos);
    m_bMovedSincePress = TRUE;
}

// --- detaching ---------------------------------------------------------------

BOOL CZUDPBaseTabWnd::DetachTabPane(int nMode, int iTab, BOOL bFloat)
{
    (void)bFloat;
    iTab = ResolveTabIndex(iTab);
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr || !pTab->m_bIsDetachable || pTab->m_pWnd == nullptr ||
        !pTab->m_pWnd->IsKindOf(RUNTIME_CLASS(CZUDPControlBar)) ||
        !static_cast<CZUDPControlBar*>(pTab->m_pWnd)->CanFloat())
        return FALSE;
    if (nMode == DetachByDrag) {
        const CPoint ptCursor = GetCursorScreenPos();
        if (std::abs(ptCursor.x - m_ptMoveStart.x) < g_dragThreshold.cx &&
            std::abs(ptCursor.y - m_ptMoveStart.y) < g_dragThreshold.cy)
            return FALSE;
    }
    // Floating a pane out of its tabbed pane needs the tabbed pane's own
    // detaching, which comes with the tabbed docking panes: until then a
    // detach is refused and the tab stays.
    return FALSE;
}

// --- renaming ----------------------------------------------------------------

BOOL CZUDPBaseTabWnd::StartTabRename(int iTab)
{
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (!m_bRenameEnabled || pTab == nullptr || pTab->m_rect.IsRectEmpty() || m_hWnd == nullptr)
        return FALSE;
    if (m_pRenameEdit != nullptr)
        CloseRenameEdit();

    CRect rectEdit = pTab->m_rect;
    AdjustRenameEditRect(rectEdit);
    m_pRenameEdit = new CEdit;
    if (!m_pRenameEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rectEdit, this, 1)) {
        delete m_pRenameEdit;
        m_pRenameEdit = nullptr;
        return FALSE;
    }
    m_pRenameEdit->SetWindowText(pTab->m_strText);
    m_pRenameEdit->SetFont(&g_uiEnvironment.m_fontRegular);
    m_pRenameEdit->SetSel(0, -1);
    m_pRenameEdit->SetFocus();
    m_iRenameTarget = iTab;
    SetCapture();
    return TRUE;
}

void CZUDPBaseTabWnd::CloseRenameEdit()
{
    if (m_pRenameEdit != nullptr) {
        if (m_pRenameEdit->GetSafeHwnd() != nullptr)
            m_pRenameEdit->DestroyWindow();
        delete m_pRenameEdit;
        m_pRenameEdit = nullptr;
    }
    m_iRenameTarget = -1;
    if (m_hWnd != nullptr && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

BOOL CZUDPBaseTabWnd::EndTabRename()
{
    if (m_pRenameEdit == nullptr || m_pRenameEdit->GetSafeHwnd() == nullptr)
        return FALSE;
    CString strText;
    m_pRenameEdit->GetWindowText(strText);
    if (strText.IsEmpty() || !CanRenameTab(m_iRenameTarget, strText))
        return FALSE;
    CWnd* pParent = GetParent();
    if (pParent != nullptr &&
        pParent->SendMessage(ZUDM_ON_RENAME_TAB, WPARAM(m_iRenameTarget), LPARAM((LPCTSTR)strText)) != 0)
        return FALSE;
    return SetTabLabelText(m_iRenameTarget, strText);
}

BOOL CZUDPBaseTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_pRenameEdit == nullptr || m_pRenameEdit->GetSafeHwnd() == nullptr)
        return CZUDPWnd::PreTranslateMessage(pMsg);

    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        const WPARAM key = pMsg->wParam;
        const BOOL bEnter = (pMsg->message == WM_CHAR || pMsg->message == WM_SYSCHAR) ? key == '\r' : key == VK_RETURN;
        const BOOL bEscape = (pMsg->message == WM_CHAR || pMsg->message == WM_SYSCHAR) ? key == 27 : key == VK_ESCAPE;
        if (bEnter) {
            if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) {
                if (EndTabRename())
                    CloseRenameEdit();
                else
                    g_foundationSeams.messageBeep(UINT(-1));
            }
            return TRUE;
        }
        if (bEscape) {
            CloseRenameEdit();
            return TRUE;
        }
        return FALSE;
    }

    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) {
        CRect rectEdit;
        m_pRenameEdit->GetWindowRect(&rectEdit);
        if (rectEdit.PtInRect(pMsg->pt)) {
            // Passed on in the edit's own coordinates.
            CPoint ptEdit = pMsg->pt;
            m_pRenameEdit->ScreenToClient(&ptEdit);
            LPARAM lParam = pMsg->lParam;
            if (pMsg->message != WM_MOUSEWHEEL && pMsg->message != WM_MOUSEHWHEEL)
                lParam = MAKELPARAM(ptEdit.x, ptEdit.y);
            m_pRenameEdit->SendMessage(pMsg->message, pMsg->wParam, lParam);
            return TRUE;
        }
        if (pMsg->message != WM_MOUSEMOVE)
            CloseRenameEdit();
        return TRUE;
    }
    return FALSE;
}

// --- tooltips ----------------------------------------------------------------

BOOL CZUDPBaseTabWnd::EnableCustomToolTips(BOOL bEnable)
{
    const BOOL bChanged = !m_bCustomToolTips != !bEnable;
    m_bCustomToolTips = bEnable;
    if (!bChanged || m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return TRUE;
    for (int i = 0; i < m_iTabsNum; ++i) {
        CZUDPTabInfo* pTab = m_arTabs[i];
        if (bEnable) {
            TOOLINFOA ti = {};
            CRect rectTool;
            if (m_pToolTip->GetToolInfo(ti, this, UINT_PTR(pTab->m_iTabID)))
                rectTool = ti.rect;
            m_pToolTip->DelTool(this, UINT_PTR(pTab->m_iTabID));
            m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACKA, &rectTool, UINT_PTR(pTab->m_iTabID));
        } else {
            m_pToolTip->UpdateTipText(pTab->m_strText, this, UINT_PTR(pTab->m_iTabID));
        }
    }
    RecalcLayout();
    return TRUE;
}

BOOL CZUDPBaseTabWnd::OnNeedToolTipText(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    static CString s_strTip;  // the text must outlive the notification
    NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMH);
    const BOOL bWide = pNMH->code == TTN_NEEDTEXTW;

    if (m_pToolTipClose != nullptr && pNMH->hwndFrom == m_pToolTipClose->GetSafeHwnd()) {
        CZUDPLocalResource localResource;
        s_strTip.LoadString(IDS_ZUDP_TAB_CLOSE);
    } else if (m_pToolTip != nullptr && pNMH->hwndFrom == m_pToolTip->GetSafeHwnd()) {
        CPoint point = GetCursorScreenPos();
        ScreenToClient(&point);
        if (m_rectCloseButton.PtInRect(point))
            return FALSE;
        CZUDPTabToolTipInfo& request = TabToolTipRequest();
        request.m_pTabWnd = this;
        request.m_nTabIndex = HitTestTab(point);
        request.m_strText.Empty();
        NotifyParentAndFrame(ZUDM_ON_GET_TAB_TOOLTIP, 0, LPARAM(&request));
        if (request.m_strText.IsEmpty())
            return FALSE;
        s_strTip = request.m_strText;
    } else {
        return FALSE;
    }

    if (bWide) {
        static WCHAR s_wideTip[1024];
        ::MultiByteToWideChar(CP_ACP, 0, s_strTip, -1, s_wideTip, 1024);
        s_wideTip[1023] = 0;
        reinterpret_cast<NMTTDISPINFOW*>(pNMH)->lpszText = s_wideTip;
    } else {
        pInfo->lpszText = const_cast<LPSTR>((LPCSTR)s_strTip);
    }
    return TRUE;
}

// --- drop target -------------------------------------------------------------

BOOL CZUDPBaseTabWnd::OnTabDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

DROPEFFECT CZUDPBaseTabWnd::OnTabDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT CZUDPBaseTabWnd::OnTabDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

BOOL CZUDPTabDropTarget::Register(CZUDPBaseTabWnd* pOwner)
{
    m_pOwner = pOwner;
    return COleDropTarget::Register(pOwner);
}

BOOL CZUDPTabDropTarget::IsCustomizationDrag(COleDataObject* pDataObject)
{
    return g_customizeMode && pDataObject != nullptr &&
           pDataObject->IsDataAvailable(CZUDPToolbarButton::ButtonClipboardFormat());
}

DROPEFFECT CZUDPTabDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pOwner == nullptr || !IsCustomizationDrag(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnTabDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPTabDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pOwner == nullptr)
        return DROPEFFECT_NONE;
    if (IsCustomizationDrag(pDataObject))
        return m_pOwner->OnTabDragOver(pDataObject, dwKeyState, point);
    // Any other drag shows the tab it passes over, and never drops.
    const int iTab = m_pOwner->HitTestTab(point);
    if (iTab >= 0 && iTab != m_pOwner->GetActiveTabIndex())
        m_pOwner->ActivateTab(iTab);
    return DROPEFFECT_NONE;
}

DROPEFFECT CZUDPTabDropTarget::OnDropEx(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, DROPEFFECT,
                                        CPoint point)
{
    if (m_pOwner == nullptr || !IsCustomizationDrag(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnTabDrop(pDataObject, dropEffect, point) ? dropEffect : DROPEFFECT_NONE;
}

void CZUDPTabDropTarget::OnDragLeave(CWnd*)
{
    if (m_pOwner != nullptr)
        m_pOwner->OnTabDragLeave();
}
