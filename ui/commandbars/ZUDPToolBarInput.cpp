// The toolbar outside customization mode: hot tracking, pressing and
// releasing buttons and sending their commands, check boxes, status-bar
// prompts, command-UI updates, access keys and arrow keys between menu
// buttons, tooltips with shortcut keys, context-help tracking and the
// accessibility events.
#include "ui/commandbars/ZUDPToolBar.h"

#include <algorithm>
#include <cctype>

#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

namespace {

// The idle prompt of the status bar, and the prompts of system commands.
const UINT kIdlePrompt = 0xE001;
const UINT kSystemCommandPrompts = 0xEF00;
const UINT kLastSystemCommandPrompt = 0xEF1F;
// The item under the mouse raises the accessibility focus event after
// this long (longer over a menu button with a drop-down arrow).
const UINT_PTR kAccessibilityTimer = 20;
const UINT kAccessibilityDelay = 500;
const UINT kAccessibilityDelayMenu = 1300;
// The commands without menu command: a separator, an item that opens a
// submenu only, the rows of the add-or-remove menu.
const UINT kNoCommand = (UINT)-1;
const UINT kAddRemoveRow = (UINT)-20;

BOOL IsSystemCommand(UINT uiCmd) { return uiCmd >= 0xF000 && uiCmd <= 0xF1EF; }
BOOL BarButtonHasCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != kNoCommand; }

BOOL IsUserToolCommand(UINT uiCmd)
{
    return g_userToolsManager != nullptr && uiCmd >= g_userToolsManager->GetToolsFirstCmdId() &&
           uiCmd <= g_userToolsManager->GetToolsLastCmdId();
}

// Whether an open menu button asks the bar to keep its hot item and its
// popup (the plain menu button never does).
BOOL KeepsMenuState(const CZUDPToolbarMenuButton* pMenuButton)
{
    return pMenuButton != nullptr && pMenuButton->KeepsMenuOpen();
}

// The window of the open popup of a menu button, or null.
CWnd* OpenPopupOf(const CZUDPToolbarMenuButton* pMenuButton)
{
    if (pMenuButton == nullptr || pMenuButton->openPopup == nullptr)
        return nullptr;
    return pMenuButton->openPopup;
}

CString WithoutAmpersands(const CString& strText)
{
    CString str;
    for (int i = 0; i < strText.GetLength(); ++i) {
        if (strText[i] != '&')
            str += strText[i];
    }
    return str;
}

BOOL IsLiveBar(const CZUDPToolBar* pBar)
{
    return pBar != nullptr && pBar->m_hWnd != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) == pBar;
}

HHOOK s_hHelpHook = nullptr;
CZUDPToolBar* s_pHelpToolbar = nullptr;
char s_szTipText[512];

} // namespace

// ---------------------------------------------------------------------------
// COldToolCmdUI

void COldToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CZUDPToolbarButton* pButton = m_pToolBar != nullptr ? m_pToolBar->GetButtonAt(int(m_nIndex)) : nullptr;
    if (pButton == nullptr)
        return;
    UINT nStyle = pButton->style & ~UINT(TBBS_DISABLED);
    if (!bOn)
        nStyle |= TBBS_DISABLED;
    m_pToolBar->ChangeButtonStyle(int(m_nIndex), nStyle);
}

void COldToolCmdUI::SetCheck(int nCheck)
{
    CZUDPToolbarButton* pButton = m_pToolBar != nullptr ? m_pToolBar->GetButtonAt(int(m_nIndex)) : nullptr;
    if (pButton == nullptr)
        return;
    UINT nStyle = pButton->style & ~UINT(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1 || nCheck > 2)
        nStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nStyle |= TBBS_INDETERMINATE;
    m_pToolBar->ChangeButtonStyle(int(m_nIndex), nStyle | TBBS_CHECKBOX);
}

void COldToolCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
    if (CZUDPToolbarButton* pButton = m_pToolBar != nullptr ? m_pToolBar->GetButtonAt(int(m_nIndex)) : nullptr)
        pButton->SetRadio();
}

void COldToolCmdUI::SetText(LPCTSTR lpszText)
{
    CZUDPToolbarButton* pButton = m_pToolBar != nullptr ? m_pToolBar->GetButtonAt(int(m_nIndex)) : nullptr;
    if (pButton == nullptr || m_pToolBar->m_bIgnoreSetText)
        return;
    CString strNew = lpszText != nullptr ? lpszText : "";
    const int nTab = strNew.Find('\t');
    if (nTab >= 0)
        strNew = strNew.Left(nTab);
    CString strOld = pButton->text;
    const int nOldTab = strOld.Find('\t');
    if (nOldTab >= 0)
        strOld = strOld.Left(nOldTab);
    if (strNew == strOld)
        return;
    pButton->text = strNew;
    m_pToolBar->UpdateLayout();
}

// ---------------------------------------------------------------------------
// Command-UI updates

void CZUDPToolBar::UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    COldToolCmdUI state;
    state.m_pToolBar = this;
    state.m_pOther = this;
    for (int i = 0; i < GetCount(); ++i) {
        const CZUDPToolbarButton* pButton = GetButtonAt(i);
        const UINT uiCmd = pButton->commandId;
        if (pButton->IsSeparator() || uiCmd == 0 || IsSystemCommand(uiCmd) || uiCmd >= 0xFF00)
            continue;
        state.m_nIndexMax = UINT(GetCount());
        state.m_nIndex = UINT(i);
        state.m_nID = uiCmd;
        state.DoUpdate(pTarget, IsUserToolCommand(uiCmd) ? FALSE : bDisableIfNoHndler);
    }
    if (m_bDisableControlsIfNoHandler)
        UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CZUDPToolBar::UpdateButtonCmdUI(int iIndex)
{
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr)
        return;
    const UINT uiCmd = pButton->commandId;
    if (pButton->IsSeparator() || uiCmd == 0 || IsSystemCommand(uiCmd) || uiCmd >= 0xFF00)
        return;
    CWnd* pTarget = GetCommandTarget();
    if (pTarget == nullptr)
        return;
    CFrameWnd* pFrameTarget = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    const BOOL bDisable = !IsUserToolCommand(uiCmd) && pFrameTarget != nullptr && pFrameTarget->m_bAutoMenuEnable;
    COldToolCmdUI state;
    state.m_pToolBar = this;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(GetCount());
    state.m_nIndex = UINT(iIndex);
    state.m_nID = uiCmd;
    state.DoUpdate(pTarget, bDisable);
}

void CZUDPToolBar::ShowCommandMessageString(UINT uiCmdId)
{
    if (IsHelpModeTracking() || m_hWnd == nullptr)
        return;
    UINT uiPrompt;
    if (uiCmdId == kNoCommand || uiCmdId == kAddRemoveRow)
        uiPrompt = kIdlePrompt;
    else if (IsSystemCommand(uiCmdId))
        uiPrompt = kSystemCommandPrompts + ((uiCmdId - 0xF000) >> 4);
    else if (uiCmdId >= 0xFF00)
        uiPrompt = kLastSystemCommandPrompt;
    else
        uiPrompt = uiCmdId;
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, uiPrompt);
}

// ---------------------------------------------------------------------------
// Hot tracking

BOOL CZUDPToolBar::HasFocusForTracking() const
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != nullptr && hWndFocus == m_hWnd)
        return TRUE;
    HWND hWndParent = ::GetParent(m_hWnd);
    if (DYNAMIC_DOWNCAST(CZUDPTabWnd, CWnd::FromHandlePermanent(hWndParent)) == nullptr)
        return FALSE;
    return hWndFocus != nullptr && (hWndFocus == hWndParent || hWndFocus == ::GetParent(hWndParent));
}

void CZUDPToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (g_customizeMode && !m_bLocked && TrackButtonResize(point))
        return;
    if (IsDragging() || (g_customizeMode && !m_bLocked)) {
        CZUDPBaseToolBar::OnMouseMove(nFlags, point);
        return;
    }
    TrackMouseAt(point);
    CZUDPBaseToolBar::OnMouseMove(nFlags, point);
}

void CZUDPToolBar::TrackMouseAt(CPoint point)
{
    if (point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;
    const int iPrevHot = m_iHot;
    const int iUnderPoint = HitTest(point);
    m_iHot = iUnderPoint;

    CZUDPToolbarMenuButton* pOpen = FindOpenMenuButton();
    if ((m_bTrackMouseFocus && m_iHot == -1 && ::GetFocus() == m_hWnd) || KeepsMenuState(pOpen)) {
        m_iHot = iPrevHot;
        return;
    }
    if (const CZUDPToolbarButton* pHot = GetButtonAt(m_iHot)) {
        if (pHot->IsSeparator() || ((pHot->style & TBBS_DISABLED) && !CanHighlightDisabledItems()))
            m_iHot = -1;
    }
    if (g_uiEnvironment.m_accessibility && m_bMenuMode && m_iHot == -1 && iUnderPoint >= 0 &&
        iUnderPoint != m_iAccHotItem) {
        m_iAccHotItem = iUnderPoint;
        g_frameworkSeams.setTimer(m_hWnd, kAccessibilityTimer, kAccessibilityDelay, nullptr);
    }
    if (!m_bTracked) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        m_bTracked = TrackMouseLeave(&tme);
    }
    if (iUnderPoint != m_iPromptItem) {
        m_iPromptItem = iUnderPoint;
        if (iUnderPoint >= 0) {
            if (m_iButtonCapture == -1 || m_iButtonCapture == iUnderPoint || m_bMenuMode)
                ShowCommandMessageString(GetButtonAt(iUnderPoint)->commandId);
        } else if (m_iButtonCapture == -1 || m_bMenuMode) {
            ShowCommandMessageString(kNoCommand);
        }
    }
    if (m_iHot == iPrevHot)
        return;
    BOOL bRepainted = FALSE;
    if (CZUDPToolbarButton* pPressed = GetButtonAt(m_iButtonCapture)) {
        // The press shows only while the mouse is over the button.
        const UINT nStyle = m_iButtonCapture == m_iHot ? (pPressed->style | TBBS_PRESSED)
                                                       : (pPressed->style & ~UINT(TBBS_PRESSED));
        if (nStyle != pPressed->style) {
            pPressed->style = nStyle;
            InvalidateButton(m_iButtonCapture);
            bRepainted = TRUE;
        }
    }
    if (iPrevHot >= 0 && (m_bMenuMode || m_iButtonCapture == -1 || iPrevHot == m_iButtonCapture)) {
        InvalidateButton(iPrevHot);
        bRepainted = TRUE;
    }
    if (m_iHot >= 0 && (m_bMenuMode || m_iButtonCapture == -1 || m_iHot == m_iButtonCapture)) {
        InvalidateButton(m_iHot);
        bRepainted = TRUE;
    }
    if (g_uiEnvironment.m_accessibility && m_iHot >= 0) {
        const CZUDPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, GetButtonAt(m_iHot));
        m_iAccHotItem = m_iHot;
        g_frameworkSeams.setTimer(m_hWnd, kAccessibilityTimer,
                                  pMenuButton != nullptr && pMenuButton->showMenuArrow ? kAccessibilityDelayMenu
                                                                                          : kAccessibilityDelay,
                                  nullptr);
    }
    SetHotButton(m_iHot);
    if (bRepainted && m_hWnd != nullptr)
        UpdateWindow();
}

void CZUDPToolBar::OnMouseLeave()
{
    if (IsHelpModeTracking())
        return;
    if (m_bMenuMode && !g_customizeMode && FindOpenMenuButton() != nullptr)
        return;
    m_bTracked = FALSE;
    m_ptLastMouse = CPoint(-1, -1);
    m_iPromptItem = -1;
    if (m_iHot < 0) {
        ShowCommandMessageString(kNoCommand);
        return;
    }
    if (HasFocusForTracking() || KeepsHotOnMouseLeave())
        return;
    const int iOldHot = m_iHot;
    m_iHot = -1;
    SetHotButton(-1);
    CZUDPToolbarButton* pOld = InvalidateButton(iOldHot);
    if (pOld == nullptr || !pOld->IsDroppedDown())
        ShowCommandMessageString(kNoCommand);
}

// ---------------------------------------------------------------------------
// Pressing and releasing

void CZUDPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Selecting, dragging and resizing buttons belong to customization.
    if (HandleCustomizeLButtonDown(nFlags, point))
        return;
    if (CZUDPControlBar* pParentBar = DYNAMIC_DOWNCAST(CZUDPControlBar, CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
        pParentBar->SetFocus();
    const int iHit = HitTest(point);
    if (iHit < 0) {
        m_iButtonCapture = -1;
        if (CanFloat())
            ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
        CZUDPBaseToolBar::OnLButtonDown(nFlags, point);
        return;
    }
    m_iButtonCapture = iHit;
    UpdateButtonCmdUI(iHit);
    CZUDPToolbarButton* pButton = GetButtonAt(iHit);
    if (pButton == nullptr || (pButton->style & TBBS_DISABLED)) {
        m_iButtonCapture = -1;
        return;
    }
    pButton->style |= TBBS_PRESSED;
    InvalidateButton(iHit);
    UpdateWindow();
    ShowCommandMessageString(pButton->commandId);

    const HWND hWnd = m_hWnd;
    if (pButton->OnClick(this, FALSE)) {
        // The button handled the click (a menu or a drop-down opened).
        if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
            return;
        const int iNow = IndexOfButton(pButton);
        if (iNow >= 0)
            pButton->style &= ~UINT(TBBS_PRESSED);
        m_iButtonCapture = -1;
        m_iHot = -1;
        SetHotButton(-1);
        InvalidateButton(iNow);
        return;
    }
    m_pWndLastCapture = CWnd::GetCapture();
    SetCapture();
}

void CZUDPToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (EndButtonResize(point)) {
        CZUDPBaseToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    if (IsDragging() || (g_customizeMode && !m_bLocked && !m_bDisableCustomize)) {
        CZUDPBaseToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    if (m_iButtonCapture == -1) {
        if (HitTest(point) >= 0)
            return;
        CZUDPBaseToolBar::OnLButtonUp(nFlags, point);
        m_ptLastMouse = CPoint(-1, -1);
        TrackMouseAt(point);
        return;
    }
    ::ReleaseCapture();
    if (m_pWndLastCapture != nullptr && ::IsWindow(m_pWndLastCapture->GetSafeHwnd()))
        m_pWndLastCapture->SetCapture();
    m_pWndLastCapture = nullptr;
    m_iHot = HitTest(point);

    const int iPressed = m_iButtonCapture;
    const BOOL bOver = m_iHot == iPressed;
    UINT uiCmd = 0;
    if (bOver)
        UpdateButtonCmdUI(iPressed);
    CZUDPToolbarButton* pButton = GetButtonAt(iPressed);
    if (pButton == nullptr) {
        m_iButtonCapture = -1;
        return;
    }
    UINT nNewStyle = pButton->style & ~UINT(TBBS_PRESSED);
    if (bOver) {
        if (!(pButton->style & TBBS_DISABLED))
            uiCmd = pButton->commandId;
        if (pButton->style & TBBS_CHECKBOX) {
            if (nNewStyle & TBBS_INDETERMINATE)
                nNewStyle &= ~UINT(TBBS_INDETERMINATE);
            nNewStyle ^= TBBS_CHECKED;
        }
    }
    const UINT uiPressedCmd = pButton->commandId;
    if (!IsHelpModeTracking())
        ShowCommandMessageString(kNoCommand);
    m_iButtonCapture = -1;
    m_iHot = -1;
    RestoreFocus();

    const HWND hWnd = m_hWnd;
    if (bOver && !HandleButtonClick(pButton) && BarButtonHasCommand(uiCmd)) {
        InvalidateButton(iPressed);
        UpdateWindow();
        CountCommandUse(uiCmd);
        if (!pButton->OnClickUp()) {
            if (IsUserToolCommand(uiCmd) && g_userToolsManager->FindToolByCommand(uiCmd) != nullptr)
                g_userToolsManager->RunTool(uiCmd);
            else if (CWnd* pOwner = GetOwner())
                pOwner->SendMessage(WM_COMMAND, uiCmd, 0);
        }
    }
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return;
    // The command's handler may have removed or moved buttons: the pressed
    // button is looked up again, never taken from its old index.
    const int iNow = IndexOfButton(pButton);
    if (iNow >= 0 && GetButtonAt(iNow)->commandId == uiPressedCmd) {
        ChangeButtonStyle(iNow, nNewStyle);
        UpdateButtonCmdUI(iNow);
        InvalidateButton(iNow);
    }
    m_ptLastMouse = CPoint(-1, -1);
    TrackMouseAt(point);
}

void CZUDPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iHit = HitTest(point);
    if (iHit < 0) {
        if (!IsFloating()) {
            CZUDPBaseToolBar::OnLButtonDblClk(nFlags, point);
        } else if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
            pMiniFrame->DockToRecentPlace();
        }
        return;
    }
    GetButtonAt(iHit)->OnDoubleClick(this);
    OnLButtonDown(nFlags, point);
}

void CZUDPToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    Default();
    if (!g_customizeMode) {
        if (CZUDPControlBar* pParentBar =
                DYNAMIC_DOWNCAST(CZUDPControlBar, CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
            pParentBar->SetFocus();
    }
}

void CZUDPToolBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (m_bLocked && g_customizeMode) {
        ::MessageBeep((UINT)-1);
        return;
    }
    if (IsDragging() || m_bStretchButton)
        return;
    m_iHot = -1;
    if (!g_customizeMode) {
        CZUDPBaseToolBar::OnContextMenu(pWnd, point);
        return;
    }
    ShowButtonContextMenu(point);
}

void CZUDPToolBar::OnCancelMode()
{
    CZUDPBaseToolBar::OnCancelMode();
    if (m_bStretchButton) {
        if (!m_rectResizeShown.IsRectEmpty() && m_hWnd != nullptr) {
            CClientDC dc(this);
            dc.DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), &m_rectResizeShown, CSize(2, 2));
        }
        m_rectResizeShown.SetRectEmpty();
        m_pDragButton = nullptr;
        m_bStretchButton = FALSE;
        m_rectTrack.SetRectEmpty();
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
    }
    if (m_iButtonCapture < 0 && m_iHot < 0)
        return;
    if (CZUDPToolbarButton* pPressed = GetButtonAt(m_iButtonCapture)) {
        pPressed->style &= ~UINT(TBBS_PRESSED);
        if (CWnd::GetCapture() == this) {
            ::ReleaseCapture();
            if (m_pWndLastCapture != nullptr && ::IsWindow(m_pWndLastCapture->GetSafeHwnd()))
                m_pWndLastCapture->SetCapture();
        }
        m_pWndLastCapture = nullptr;
    }
    m_iButtonCapture = -1;
    m_iHot = -1;
    SetHotButton(-1);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos))->CancelMode();
    if (m_hWnd != nullptr)
        RedrawWindow();
}

// ---------------------------------------------------------------------------
// Focus

void CZUDPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    Default();
    if (!m_bTrackMouseFocus || pOldWnd == nullptr || !::IsWindow(pOldWnd->GetSafeHwnd()))
        return;
    const HWND hWndOld = pOldWnd->GetSafeHwnd();
    if (DYNAMIC_DOWNCAST(CZUDPToolBar, CWnd::FromHandlePermanent(hWndOld)) != nullptr ||
        DYNAMIC_DOWNCAST(CZUDPToolBar, CWnd::FromHandlePermanent(::GetParent(hWndOld))) != nullptr)
        return;
    if (DYNAMIC_DOWNCAST(CZUDPBaseTabWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd))) != nullptr)
        return;
    m_hwndLastFocus = hWndOld;
}

void CZUDPToolBar::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    if (g_customizeMode)
        return;
    const CZUDPPopupMenu* pPopup =
        pNewWnd != nullptr ? DYNAMIC_DOWNCAST(CZUDPPopupMenu, CWnd::FromHandlePermanent(pNewWnd->GetSafeHwnd())) : nullptr;
    if (pPopup != nullptr && pPopup->m_pParentBtn != nullptr && pPopup->m_pParentBtn->parentWnd == this)
        return;
    Deactivate();
}

void CZUDPToolBar::Deactivate()
{
    if (GetButtonAt(m_iHot) != nullptr) {
        m_iHighlighted = -1;
        const int iOldHot = m_iHot;
        m_iHot = -1;
        InvalidateButton(iOldHot);
        if (m_hWnd != nullptr)
            UpdateWindow();
        ShowCommandMessageString(kNoCommand);
    }
    RestoreFocus();
}

void CZUDPToolBar::RestoreFocus()
{
    const HWND hWndFocus = m_hwndLastFocus;
    m_hwndLastFocus = nullptr;
    if (hWndFocus != nullptr && ::IsWindow(hWndFocus))
        ::SetFocus(hWndFocus);
    if (!g_uiEnvironment.m_keyboardCuesSetting && g_uiEnvironment.m_keyboardCuesNow && !g_customizeMode) {
        g_uiEnvironment.m_keyboardCuesNow = FALSE;
        RedrawMnemonicButtons();
    }
}

// ---------------------------------------------------------------------------
// Keyboard navigation between menu buttons

void CZUDPToolBar::SetHotButton(int iButton)
{
    if (m_iHighlighted >= 0 && iButton == m_iHighlighted)
        iButton = -1;
    m_iHighlighted = iButton;

    int iOpen = -1;
    CZUDPToolbarMenuButton* pOpen = FindOpenMenuButton(&iOpen);
    if (pOpen == nullptr && !g_customizeMode) {
        if (g_uiEnvironment.m_accessibility && IsKindOf(RUNTIME_CLASS(CZUDPMenuBar)) && ::GetFocus() == m_hWnd &&
            m_iHighlighted >= 0)
            g_uiEnvironment.NotifyAccessibilityEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, m_iHighlighted + 1);
        return;
    }
    if (KeepsMenuState(pOpen))
        return;
    CZUDPToolbarButton* pButton = GetButtonAt(iButton);
    if (pButton == nullptr) {
        m_iHighlighted = -1;
        if (g_customizeMode && !g_quickCustomize && pOpen != nullptr)
            pOpen->CancelMode();
        return;
    }
    if (pButton != pOpen) {
        const int nSavedAnimation = ResolvedMenuAnimation();
        BOOL bClosedOther = FALSE;
        if (pOpen != nullptr) {
            const int iSavedHot = m_iHot;
            if (!g_customizeMode)
                m_iHot = -1;
            pOpen->CancelMode();
            m_iHot = iSavedHot;
            bClosedOther = TRUE;
        }
        CZUDPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pButton);
        if (pMenuButton != nullptr) {
            if (bClosedOther)
                g_menuAnimation = 0;
            pMenuButton->OnClick(this, TRUE);
        }
        g_menuAnimation = nSavedAnimation;
    } else if (g_customizeMode) {
        pOpen->CancelMode();
    }
    if (g_customizeMode && m_iDragIndex < 0) {
        const int iOldSelected = m_iSelected;
        m_iSelected = m_iHighlighted;
        InvalidateButton(m_iHot);
        InvalidateButton(iOldSelected);
        if (const CZUDPToolbarButton* pSelected = GetButtonAt(m_iSelected)) {
            if (pSelected->IsSeparator())
                m_iSelected = -1;
        }
        InvalidateButton(m_iSelected);
    }
    if (m_iHighlighted >= 0 && m_iHighlighted != m_iHot) {
        if (g_uiEnvironment.m_accessibility && IsKindOf(RUNTIME_CLASS(CZUDPMenuBar)) && m_iHot < 0)
            g_uiEnvironment.NotifyAccessibilityEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, m_iHighlighted + 1);
        const int iOldHot = m_iHot;
        InvalidateButton(iOldHot);
        m_iHot = m_iHighlighted;
        InvalidateButton(m_iHot);
        if (m_hWnd != nullptr)
            UpdateWindow();
    }
}

BOOL CZUDPToolBar::HighlightButton(CZUDPToolbarButton* pButton)
{
    if (KeepsMenuState(FindOpenMenuButton()))
        return TRUE;
    if (pButton == nullptr) {
        m_iHighlighted = -1;
        return TRUE;
    }
    const int iIndex = IndexOfButton(pButton);
    if (iIndex < 0)
        return FALSE;
    if (iIndex != m_iHighlighted)
        SetHotButton(iIndex);
    return TRUE;
}

namespace {

// The next menu button from the open one, forwards or backwards with
// wrapping, that is enabled and has room; -1 when there is none.
int FindNeighbourMenuButton(const CZUDPToolBar& bar, int iOpen, int nStep)
{
    const int nCount = bar.GetCount();
    for (int n = 1; n < nCount; ++n) {
        const int i = ((iOpen + n * nStep) % nCount + nCount) % nCount;
        const CZUDPToolbarButton* pButton = bar.GetButtonAt(i);
        if (DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, const_cast<CZUDPToolbarButton*>(pButton)) != nullptr &&
            !(pButton->style & TBBS_DISABLED) && !pButton->rect.IsRectEmpty())
            return i;
    }
    return -1;
}

} // namespace

static BOOL ActivateNeighbourMenu(CZUDPToolBar& bar, int nStep)
{
    int iOpen = -1;
    CZUDPToolbarMenuButton* pOpen = bar.FindOpenMenuButton(&iOpen);
    if (pOpen == nullptr || KeepsMenuState(pOpen))
        return FALSE;
    const int iFound = FindNeighbourMenuButton(bar, iOpen, nStep);
    if (iFound < 0)
        return TRUE;
    const int nSavedAnimation = ResolvedMenuAnimation();
    g_menuAnimation = 0;
    bar.SetHotButton(iFound);
    CZUDPToolbarMenuButton* pTracked = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, bar.GetButtonAt(bar.GetTrackedIndex()));
    if (CWnd* pPopup = OpenPopupOf(pTracked))
        pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
    g_menuAnimation = nSavedAnimation;
    return TRUE;
}

BOOL CZUDPToolBar::ActivateNextMenu() { return ActivateNeighbourMenu(*this, 1); }

BOOL CZUDPToolBar::ActivatePrevMenu() { return ActivateNeighbourMenu(*this, -1); }

// ---------------------------------------------------------------------------
// Access keys and commands

void CZUDPToolBar::RebuildMnemonics()
{
    m_AccelKeys.RemoveAll();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == nullptr)
            break;
        if (pButton->IsSeparator() || !pButton->showText)
            continue;
        const int nAmpersand = pButton->text.Find('&');
        if (nAmpersand < 0 || nAmpersand >= pButton->text.GetLength() - 1)
            continue;
        const UINT nKey = UINT(std::toupper((unsigned char)pButton->text[nAmpersand + 1]));
        m_AccelKeys.SetAt(nKey, pButton);
    }
}

CZUDPToolbarButton* CZUDPToolBar::FindMnemonic(UINT nUpperChar) const
{
    CZUDPToolbarButton* pButton = nullptr;
    return m_AccelKeys.Lookup(nUpperChar, pButton) ? pButton : nullptr;
}

BOOL CZUDPToolBar::TranslateShortcut(UINT nKey)
{
    if (!CZUDPKeyboardManager::IsPrintableKey(nKey))
        return FALSE;
    CZUDPToolbarButton* pButton = FindMnemonic(CZUDPKeyboardManager::VirtualKeyToUpperChar(nKey));
    if (pButton == nullptr)
        return FALSE;
    const int nSavedAnimation = ResolvedMenuAnimation();
    g_menuAnimation = 0;
    const BOOL bOpened = OpenMenuButton(pButton);
    g_menuAnimation = nSavedAnimation;
    return bOpened || RunButtonCommand(pButton);
}

BOOL CZUDPToolBar::OpenMenuButton(CZUDPToolbarButton* pButton)
{
    CZUDPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pButton);
    if (pMenuButton == nullptr || !pMenuButton->OnClick(this, TRUE))
        return FALSE;
    if (CWnd* pPopup = OpenPopupOf(pMenuButton))
        pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
    HighlightButton(pMenuButton);
    return TRUE;
}

BOOL CZUDPToolBar::RunButtonCommand(CZUDPToolbarButton* pButton)
{
    if (pButton == nullptr || !BarButtonHasCommand(pButton->commandId))
        return FALSE;
    PlayMenuSound(1);
    CountCommandUse(pButton->commandId);
    if (CWnd* pOwner = GetOwner())
        pOwner->PostMessage(WM_COMMAND, pButton->commandId, 0);
    return TRUE;
}

BOOL CZUDPToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (g_customizeMode && !m_bLocked)
        return CZUDPBaseToolBar::OnCommand(wParam, lParam);
    HWND hWndControl = (HWND)lParam;
    BOOL bFromEnter = FALSE;
    int nNotifyCode = 0;
    if (hWndControl != nullptr) {
        // A control of a button may take its own notification first (a
        // combo button's flat edit takes EN_CHANGE).
        if (ReflectLastMsg(hWndControl))
            return TRUE;
        nNotifyCode = HIWORD(wParam);
    } else {
        if (wParam == IDCANCEL) {
            RestoreFocus();
            return TRUE;
        }
        if (wParam != IDOK)
            return FALSE;
        hWndControl = ::GetFocus();
        if (hWndControl == nullptr)
            return FALSE;
        bFromEnter = TRUE;
    }
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        const HWND hWndButton = pButton->GetControlHwnd();
        if (hWndButton != nullptr && (hWndButton == hWndControl || ::IsChild(hWndButton, hWndControl)))
            return SendCommand(pButton, bFromEnter, nNotifyCode, wParam, lParam) ? TRUE : FALSE;
    }
    return FALSE;
}

BOOL CZUDPToolBar::SendCommand(CZUDPToolbarButton* pButton, BOOL bFromEnter, int nNotifyCode, WPARAM wParam,
                               LPARAM lParam)
{
    (void)wParam;
    if (pButton == nullptr || (!bFromEnter && !pButton->NotifyControlEvent(nNotifyCode)))
        return FALSE;
    if (CWnd* pOwner = GetOwner())
        pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->commandId, nNotifyCode), lParam);
    return TRUE;
}

BOOL CZUDPToolBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        if (m_bStretchButton) {
            OnCancelMode();
            return TRUE;
        }
        if (FindOpenMenuButton() == nullptr) {
            Deactivate();
            RestoreFocus();
            return TRUE;
        }
    }
    if (pMsg->message == ZUDTOOLBAR_RESETRPROMPT && pMsg->hwnd == m_hWnd) {
        OnResetPrompt(pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    switch (pMsg->message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->RelayEvent(pMsg);
        break;
    default:
        break;
    }
    return CZUDPBaseToolBar::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Tooltips

BOOL CZUDPToolBar::GetCustomTooltipText(CZUDPToolbarButton* pButton, CString& strText)
{
    CZUDPFrameDockSite* pSite = ButtonTooltipSiteOf(GetEnclosingFrame(this), TRUE);
    return pSite != nullptr && pSite->GetButtonTooltipText(pButton, strText);
}

INT_PTR CZUDPToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (!g_showTooltips)
        return -1;
    const INT_PTR nChildHit = CZUDPBaseToolBar::OnToolHitTest(point, pTI);
    if (nChildHit != -1)
        return nChildHit;
    CZUDPToolBar* pThis = const_cast<CZUDPToolBar*>(this);
    CZUDPToolbarButton* pButton = GetButtonAt(pThis->HitTest(point));
    if (pButton == nullptr || pButton->IsDroppedDown())
        return -1;
    const UINT uiCmd = pButton->commandId;
    if (pTI != nullptr) {
        CString strText;
        if (!pThis->GetCustomTooltipText(pButton, strText)) {
            if ((uiCmd == 0 || uiCmd == kNoCommand || pButton->usesUserImage) && !pButton->text.IsEmpty())
                strText = WithoutAmpersands(pButton->text);
            else if (IsUserToolCommand(uiCmd))
                strText = pButton->text;
            else if (CZUDPToolbarButton::LoadTooltipText(uiCmd, strText))
                strText = WithoutAmpersands(strText);
        }
        if (strText.IsEmpty())
            return -1;
        if (g_showShortcutKeys && BarButtonHasCommand(uiCmd)) {
            CFrameWnd* pFrame = GetTopLevelFrameOrInPlace(pThis);
            CString strKey;
            if (pFrame != nullptr && (CZUDPKeyboardManager::GetCommandKeyText(uiCmd, strKey, pFrame, TRUE) ||
                                      CZUDPKeyboardManager::GetCommandKeyText(uiCmd, strKey, pFrame->GetActiveFrame(),
                                                                              FALSE)))
                strText += " (" + strKey + ")";
        }
        CString strDescription;
        if (CFrameWnd* pFrame = GetEnclosingFrame(pThis))
            pFrame->GetMessageString(uiCmd, strDescription);
        CZUDPToolTipProvider::SetToolInfoText(pTI, m_pToolTip, TIPKIND_TOOLBAR, strText, strDescription);
        pTI->rect = pButton->rect;
        pTI->uId = uiCmd == kNoCommand ? 0 : uiCmd;
        pTI->hwnd = m_hWnd;
    }
    return uiCmd == kNoCommand ? 0 : INT_PTR(uiCmd);
}

BOOL CZUDPToolBar::OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    (void)id;
    if (pNMH == nullptr || m_pToolTip == nullptr || pNMH->hwndFrom != m_pToolTip->GetSafeHwnd())
        return FALSE;
    CPoint point;
    g_frameworkSeams.cursorPos(&point);
    ScreenToClient(&point);
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    if (OnToolHitTest(point, &info) == -1 || info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACKA)
        return FALSE;
    // At most the buffer's size is copied.
    ::lstrcpynA(s_szTipText, info.lpszText, int(sizeof(s_szTipText)));
    free(info.lpszText);
    NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMH);
    pInfo->lpszText = s_szTipText;
    pInfo->hinst = nullptr;
    m_pToolTip->SetFont(&g_uiEnvironment.m_fontRegular, FALSE);
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

void CZUDPToolBar::RebuildTooltips()
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    // A tool the bar registered itself and registers again under the same
    // id only moves: deleting and adding it makes the tooltip control
    // query the bar (a round of messages per tool), which made every
    // relayout of a long bar and every state load slow.  Every other id
    // below the old count is deleted as before.
    const int nOldCount = m_nTooltipsCount;
    std::vector<bool> plainBefore;
    plainBefore.swap(m_plainToolAt);
    plainBefore.resize(size_t(std::max(nOldCount, 0)), false);
    m_nTooltipsCount = 0;
    m_tooltipButtons.clear();
    int iIndex = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++iIndex) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        m_tooltipButtons.push_back(pButton);
        const bool bHadPlain = iIndex < nOldCount && plainBefore[size_t(iIndex)];
        bool bPlain = false;
        if (pButton->style != TBBS_SEPARATOR && HasToolTip(pButton)) {
            if (iIndex < nOldCount && !bHadPlain)
                m_pToolTip->DelTool(this, UINT_PTR(iIndex) + 1);
            CString strTip;
            CZUDPToolbarButton::LoadTooltipText(pButton->commandId, strTip);
            if (!pButton->UpdateToolTip(this, iIndex, *m_pToolTip, strTip)) {
                if (bHadPlain)
                    m_pToolTip->SetToolRect(this, UINT_PTR(iIndex) + 1, &pButton->rect);
                else
                    m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACKA, &pButton->rect, UINT_PTR(iIndex) + 1);
                bPlain = true;
            } else if (bHadPlain) {
                // The button registered its own tool; the bar's older plain
                // one (found first under the id) goes.
                m_pToolTip->DelTool(this, UINT_PTR(iIndex) + 1);
            }
            m_nTooltipsCount = iIndex + 1;
        } else if (iIndex < nOldCount) {
            m_pToolTip->DelTool(this, UINT_PTR(iIndex) + 1);
        }
        m_plainToolAt.push_back(bPlain);
    }
    for (int i = iIndex; i < nOldCount; ++i)
        m_pToolTip->DelTool(this, UINT_PTR(i) + 1);
}

LRESULT CZUDPToolBar::OnUpdateToolTips(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (wParam & TIPKIND_TOOLBAR) {
        CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_TOOLBAR);
        m_nTooltipsCount = 0;
        RebuildTooltips();
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Context help

BOOL CZUDPToolBar::IsHelpModeTracking() { return s_hHelpHook != nullptr; }

BOOL CZUDPToolBar::EnableHelpModeTracking(BOOL bOn)
{
    if (bOn) {
        if (s_hHelpHook == nullptr)
            s_hHelpHook = g_commandBarsSeams.setMouseHook(HelpModeMouseProc);
        return s_hHelpHook != nullptr;
    }
    if (s_hHelpHook != nullptr)
        g_commandBarsSeams.removeMouseHook(s_hHelpHook);
    s_hHelpHook = nullptr;
    s_pHelpToolbar = nullptr;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (IsLiveBar(pBar))
            pBar->OnCancelMode();
    }
    return TRUE;
}

LRESULT CALLBACK CZUDPToolBar::HelpModeMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION)
        return ::CallNextHookEx(s_hHelpHook, nCode, wParam, lParam);
    const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (wParam != WM_MOUSEMOVE || pInfo == nullptr)
        return 0;
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, CWnd::FromHandlePermanent(::WindowFromPoint(pInfo->pt)));
    if (pBar != nullptr) {
        CPoint point = pInfo->pt;
        pBar->ScreenToClient(&point);
        pBar->OnMouseMove(0, point);
    }
    if (pBar != s_pHelpToolbar) {
        CZUDPToolBar* pPrevious = s_pHelpToolbar;
        if (IsLiveBar(pPrevious)) {
            pPrevious->m_bTracked = FALSE;
            pPrevious->m_ptLastMouse = CPoint(-1, -1);
            // A popup menu opened from the previous toolbar keeps its hot
            // button lit.
            const CZUDPPopupMenu* pPopup =
                pBar != nullptr ? DYNAMIC_DOWNCAST(CZUDPPopupMenu, CWnd::FromHandlePermanent(::GetParent(pBar->m_hWnd)))
                                : nullptr;
            const BOOL bOwnPopup =
                pPopup != nullptr && pPopup->m_pParentBtn != nullptr && pPopup->m_pParentBtn->parentWnd == pPrevious;
            if (pPrevious->m_iHot >= 0 && !bOwnPopup) {
                const int iOldHot = pPrevious->m_iHot;
                pPrevious->m_iHot = -1;
                pPrevious->SetHotButton(-1);
                pPrevious->InvalidateButton(iOldHot);
                pPrevious->UpdateWindow();
            }
        }
        s_pHelpToolbar = pBar;
    }
    return 0;
}

LRESULT CZUDPToolBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    OnCancelMode();
    const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    CZUDPToolbarButton* pButton = GetButtonAt(HitTest(point));
    if (pButton == nullptr) {
        ::MessageBeep((UINT)-1);
        return -1;
    }
    if (pButton->OnKeyboardActivate(this))
        return -1;
    LRESULT nHelpId;
    if (IsSystemCommand(pButton->commandId)) {
        nHelpId = 0x1EF00 + ((pButton->commandId - 0xF000) >> 4);
    } else {
        const INT_PTR nHit = OnToolHitTest(point, nullptr);
        nHelpId = nHit != -1 ? HID_BASE_COMMAND + nHit : HID_BASE_CONTROL + GetDlgCtrlID();
    }
    if (nHelpId > 0)
        EnableHelpModeTracking(FALSE);
    return nHelpId;
}

// ---------------------------------------------------------------------------
// Accessibility

BOOL CZUDPToolBar::UpdateAccessibilityData(long nChildId)
{
    CZUDPToolbarButton* pButton = GetButtonAt(int(nChildId) - 1);
    if (pButton == nullptr)
        return FALSE;
    m_accessibleInfo.Clear();
    return pButton->FillAccessibilityData(this, m_accessibleInfo);
}

long CZUDPToolBar::AccessibleChildFromPoint(CPoint ptScreen)
{
    CPoint point = ptScreen;
    ScreenToClient(&point);
    const int iHit = HitTest(point);
    return iHit >= 0 ? long(iHit) + 1 : 0;
}

void CZUDPToolBar::NotifyChildFocus(long nChildId)
{
    if (!g_uiEnvironment.m_accessibility)
        return;
    CZUDPToolbarButton* pButton = GetButtonAt(int(nChildId) - 1);
    if (pButton == nullptr)
        return;
    pButton->FillAccessibilityData(this, m_accessibleInfo);
    g_uiEnvironment.NotifyAccessibilityEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, nChildId);
}

