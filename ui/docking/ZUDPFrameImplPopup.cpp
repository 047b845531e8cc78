// The frame implementation's part as a menu owner: while a library popup
// menu is open, keys go to it, clicks outside close it, moves over other
// windows are eaten, and a click on the button that opened it does not
// open it again.
#include "ui/docking/ZUDPFrameImpl.h"

#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPCustomizeMenuButton.h"
#include "ui/commandbars/ZUDPDropDownToolbarButton.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPPrintPreviewView.h"
#include "ui/foundation/ZUDPKeyboardManager.h"

#include <cstdlib>

namespace {

BOOL IsOpenPopup(const CZUDPPopupMenu* pPopup) { return pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd()); }

// The focus lies on the window or on one of its descendants.
BOOL FocusIsIn(HWND hWnd)
{
    const HWND hFocus = ::GetFocus();
    return hFocus != nullptr && (hFocus == hWnd || ::IsChild(hWnd, hFocus));
}

BOOL KeyDown(int nVirtKey) { return (g_frameworkSeams.keyState(nVirtKey) & 0x8000) != 0; }

// A button of a live toolbar holds the focus (an embedded combo or edit).
BOOL ToolbarButtonHasFocus()
{
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) != pBar)
            continue;
        for (int i = 0; i < pBar->GetCount(); ++i) {
            const CZUDPToolbarButton* pButton = pBar->GetButtonAt(i);
            if (pButton != nullptr && pButton->HasFocus())
                return TRUE;
        }
    }
    return FALSE;
}

} // namespace

BOOL CZUDPFrameImpl::PreparePopupMenu(CZUDPPopupMenu* pMenu)
{
    if (m_pDockManager != nullptr && m_pDockManager->GetSmartDockingManager() != nullptr &&
        m_pDockManager->GetSmartDockingManager()->IsStartedAndShown())
        return FALSE;
    if (pMenu != nullptr && m_uiControlbarsMenuEntryID != 0 && m_pDockManager != nullptr) {
        CZUDPPopupMenuBar* pBar = pMenu->GetMenuBar();
        if (pBar != nullptr && pBar->FindCommandIndex(m_uiControlbarsMenuEntryID, 0) >= 0) {
            if (g_customizeMode)
                return FALSE;
            pMenu->ClearItems();
            CMenu menu;
            menu.CreatePopupMenu();
            m_pDockManager->BuildBarsMenu(menu, m_bViewMenuShowsToolbarsOnly);
            pBar->BuildItemsFromMenu(menu.GetSafeHmenu(), TRUE);
            m_pDockManager->OnBarsMenuShown();
            menu.DestroyMenu();
        }
    }
    g_activePopupMenu = pMenu;
    if (pMenu != nullptr && IsCustomizeMenu(pMenu))
        BuildCustomizeMenu(pMenu);
    if (pMenu == nullptr || g_customizeMode)
        return TRUE;
    // The bar that owns the topmost menu button takes the focus, so that
    // the keys of the open chain reach it.
    CZUDPToolBar* pOwnerBar = nullptr;
    for (CZUDPPopupMenu* pPopup = pMenu; pPopup != nullptr; pPopup = pPopup->FindParentMenu()) {
        if (pPopup->m_pParentBtn != nullptr) {
            CWnd* pParentWnd = pPopup->m_pParentBtn->parentWnd;
            pOwnerBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pParentWnd);
        }
    }
    if (pOwnerBar != nullptr && !pOwnerBar->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenuBar)) &&
        ::IsWindow(pOwnerBar->GetSafeHwnd()) && pOwnerBar->GetParentDockBar() != nullptr &&
        ::GetFocus() != pOwnerBar->m_hWnd)
        pOwnerBar->SetFocus();
    return TRUE;
}

BOOL CZUDPFrameImpl::IsPlainF1(const MSG* pMsg)
{
    return pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 &&
           (HIWORD(pMsg->lParam) & KF_REPEAT) == 0 && !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) &&
           !KeyDown(VK_MENU);
}

BOOL CZUDPFrameImpl::ProcessKeyboard(int nKey, BOOL* pbProcessAccel)
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || !m_pFrame->IsWindowEnabled())
        return FALSE;
    if (pbProcessAccel != nullptr)
        *pbProcessAccel = TRUE;
    CZUDPPopupMenu* pPopup = g_activePopupMenu;
    if (IsOpenPopup(pPopup)) {
        if (pPopup->UsesShadowWindow()) {
            if (!FocusIsIn(pPopup->m_hWnd))
                pPopup->SendMessage(WM_CLOSE);
            return FALSE;
        }
        if (FocusIsIn(pPopup->m_hWnd) && ::GetFocus() != pPopup->m_hWnd)
            return FALSE;   // a control inside the popup takes its own keys
        pPopup->SendMessage(WM_KEYDOWN, WPARAM(nKey), 0);
        return TRUE;
    }
    if (m_pFrame->IsIconic())
        return TRUE;
    if (g_customizeMode)
        return FALSE;
    BYTE fVirt = 0;
    if (KeyDown(VK_MENU)) {
        fVirt |= FALT;
        if (KeyDown(VK_CONTROL))
            fVirt |= FCONTROL;
    } else if (KeyDown(VK_CONTROL)) {
        fVirt |= FCONTROL;
    }
    if (KeyDown(VK_SHIFT))
        fVirt |= FSHIFT;
    const BOOL bButtonFocused = ToolbarButtonHasFocus();
    if (!bButtonFocused) {
        CFrameWnd* pActive = m_pFrame->GetActiveFrame();
        if (CZUDPKeyboardManager::IsKeyAssigned(BYTE(fVirt | FVIRTKEY), WORD(nKey), m_pFrame, TRUE) ||
            (pActive != nullptr && pActive != m_pFrame &&
             CZUDPKeyboardManager::IsKeyAssigned(BYTE(fVirt | FVIRTKEY), WORD(nKey), pActive)))
            return FALSE;   // the accelerator runs
    }
    if (fVirt == FALT && OnMenuChar(UINT(nKey)))
        return TRUE;
    if (bButtonFocused && pbProcessAccel != nullptr)
        *pbProcessAccel = FALSE;   // Ctrl+S in a focused combo stays in the combo
    return FALSE;
}

BOOL CZUDPFrameImpl::ProcessMouseClick(UINT uiMsg, POINT pt, HWND hWnd)
{
    if (uiMsg == WM_LBUTTONDOWN && (g_customizeMode || KeyDown(VK_MENU))) {
        for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
            CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
            if (CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) != pBar)
                continue;
            CPoint ptBar(pt);
            pBar->ScreenToClient(&ptBar);
            const int iHit = pBar->HitTest(ptBar);
            if (iHit < 0)
                continue;
            CZUDPToolbarButton* pButton = pBar->GetButtonAt(iHit);
            if (pButton != nullptr && pButton->OwnsWindow(hWnd) && pButton->Rect().PtInRect(ptBar)) {
                pBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptBar.x, ptBar.y));
                return TRUE;
            }
            break;
        }
    }
    CZUDPPopupMenu* pPopup = g_activePopupMenu;
    if (!g_customizeMode && IsOpenPopup(pPopup)) {
        const int nArea = pPopup->HitTestArea(pt);
        if (nArea == CZUDPPopupMenu::kShadowRight || nArea == CZUDPPopupMenu::kShadowBottom) {
            pPopup->SendMessage(WM_CLOSE);
            if (m_pFrame != nullptr)
                m_pFrame->SetFocus();
            return TRUE;
        }
        if (nArea == CZUDPPopupMenu::kOutside) {
            CRect rectButton;
            CWnd* pButtonWnd = pPopup->GetParentButtonRect(rectButton);
            CZUDPPopupMenuBar* pParentBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pButtonWnd);
            if (pButtonWnd != nullptr && ::IsWindow(pButtonWnd->m_hWnd)) {
                CPoint ptButton(pt);
                pButtonWnd->ScreenToClient(&ptButton);
                if (rectButton.PtInRect(ptButton)) {
                    // A click on the button that opened the popup closes it
                    // here and is eaten, so the button does not open it again.
                    if (pParentBar == nullptr && !pPopup->IsSendingCommand())
                        pPopup->SendMessage(WM_CLOSE);
                    return TRUE;
                }
            }
            if (pParentBar != nullptr) {
                pParentBar->CloseLingeringSubmenu();
                CZUDPPopupMenu* pHost = DYNAMIC_DOWNCAST(CZUDPPopupMenu, pParentBar->GetParent());
                if (IsOpenPopup(pHost)) {
                    const int nHostArea = pHost->HitTestArea(pt);
                    if (nHostArea == CZUDPPopupMenu::kItems || nHostArea == CZUDPPopupMenu::kTearOffCaption)
                        return FALSE;
                    if (nHostArea == CZUDPPopupMenu::kShadowRight || nHostArea == CZUDPPopupMenu::kShadowBottom) {
                        pHost->SendMessage(WM_CLOSE);
                        if (m_pFrame != nullptr)
                            m_pFrame->SetFocus();
                        return TRUE;
                    }
                }
            }
            if (!IsOpenPopup(pPopup) || pPopup->IsSendingCommand())
                return FALSE;
            pPopup->SendMessage(WM_CLOSE);
            CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
            if (m_pFrame != nullptr && pFocus != nullptr && pFocus->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)))
                m_pFrame->SetFocus();
            return FALSE;
        }
        return FALSE;   // items or tear-off caption: the popup's own
    }
    if (m_pFrame != nullptr && hWnd == m_pFrame->GetSafeHwnd() && TrackSystemMenu(uiMsg, CPoint(pt)))
        return TRUE;
    return FALSE;
}

BOOL CZUDPFrameImpl::ProcessMouseMove(POINT pt)
{
    CZUDPPopupMenu* pPopup = g_activePopupMenu;
    if (g_customizeMode || !IsOpenPopup(pPopup))
        return FALSE;
    CRect rectPopup;
    pPopup->GetWindowRect(&rectPopup);
    if (rectPopup.PtInRect(pt))
        return FALSE;
    // Moves over the bars of the open chain still reach them (to switch
    // the open submenu); every other window is kept from hot-tracking.
    if (pPopup->GetMenuBar() != nullptr && pPopup->GetMenuBar()->FindAncestorBarAt(pt) != nullptr)
        return FALSE;
    return TRUE;
}

BOOL CZUDPFrameImpl::ProcessMouseWheel(WPARAM wParam, LPARAM lParam)
{
    CZUDPPopupMenu* pPopup = g_activePopupMenu;
    if (!IsOpenPopup(pPopup))
        return FALSE;
    if (pPopup->m_bScrollable)
        pPopup->SendMessage(WM_MOUSEWHEEL, wParam, lParam);
    if (IsOpenPopup(pPopup) && pPopup->UsesShadowWindow() && !FocusIsIn(pPopup->m_hWnd))
        pPopup->SendMessage(WM_CLOSE);
    return TRUE;
}

BOOL CZUDPFrameImpl::OnMenuChar(UINT nChar)
{
    const BOOL bPreview = AreBarsHiddenForPreview();
    CZUDPMenuBar* pMenuBar = m_pMenuBar;
    if (!bPreview && pMenuBar != nullptr && ::IsWindow(pMenuBar->GetSafeHwnd()) && pMenuBar->IsWindowVisible() &&
        pMenuBar->TranslateShortcut(nChar))
        return TRUE;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) != pBar || pBar == pMenuBar)
            continue;
        if (!pBar->IsWindowVisible() || ::GetAncestor(pBar->m_hWnd, GA_ROOT) != m_pFrame->GetSafeHwnd())
            continue;
        if (bPreview && !pBar->IsKindOf(RUNTIME_CLASS(CZUDPPrintPreviewToolBar)))
            continue;
        if (pBar->TranslateShortcut(nChar))
            return TRUE;
    }
    return FALSE;
}

BOOL CZUDPFrameImpl::AreBarsHiddenForPreview() const
{
    return m_pDockManager != nullptr && m_pDockManager->IsPrintPreviewValid();
}

void CZUDPFrameImpl::OnDeactivateFrame()
{
    if (g_customizeMode)
        return;
    if (IsOpenPopup(g_activePopupMenu) && m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd()))
        m_pMenuBar->Deactivate();
}

// ---------------------------------------------------------------------------
// The "Add or Remove Buttons" list

CMap<UINT, UINT, UINT, UINT> g_customizeMenuCommands;

namespace {

// The name a command goes by in the lists: the tooltip part of its string
// (after the line feed), or the whole string, without the "&" marks.
CString CommandNameOf(UINT nID)
{
    CString text;
    if (nID == 0 || nID == (UINT)-1 || !text.LoadString(nID))
        return CString();
    const int nBreak = text.Find('\n');
    if (nBreak >= 0)
        text = text.Mid(nBreak + 1);
    text.Remove('&');
    return text;
}

// A row of the list for a button: its command (0 and -1 become -20), its
// image (the user image when it shows one), and the given text.
CZUDPCustomizeMenuButton* MakeCustomizeRow(const CZUDPToolbarButton& button, const CString& text)
{
    const UINT nID = button.commandId == 0 || button.commandId == (UINT)-1 ? (UINT)-20 : button.commandId;
    auto* pRow = new CZUDPCustomizeMenuButton(nID, nullptr, button.GetActiveImage(), text, button.usesUserImage);
    return pRow;
}

} // namespace

BOOL CZUDPFrameImpl::IsCustomizeMenu(CZUDPPopupMenu* pMenu)
{
    if (pMenu == nullptr)
        return FALSE;
    CZUDPPopupMenu* pAddRemove = pMenu->FindParentMenu();
    CZUDPPopupMenu* pOptions = pAddRemove != nullptr ? pAddRemove->FindParentMenu() : nullptr;
    if (pOptions == nullptr || pOptions->m_iCustomizeMenuKind != 1)
        return FALSE;
    if (pAddRemove->m_pParentBtn == nullptr)
        return TRUE;
    CString strAddRemove;
    strAddRemove.LoadString(IDS_ZUDP_ADD_REMOVE_BUTTONS);
    return !strAddRemove.IsEmpty() && pAddRemove->m_pParentBtn->text.Find(strAddRemove) >= 0;
}

void CZUDPFrameImpl::BuildCustomizeMenu(CZUDPPopupMenu* pMenu)
{
    CZUDPPopupMenu* pAddRemove = pMenu->FindParentMenu();
    CZUDPPopupMenu* pOptions = pAddRemove != nullptr ? pAddRemove->FindParentMenu() : nullptr;
    if (pOptions == nullptr)
        return;
    CZUDPPopupMenuBar* pItems = pMenu->GetMenuBar();
    if (pItems == nullptr)
        return;

    CZUDPToolBar* pToolBar = nullptr;
    if (pOptions->m_pParentBtn != nullptr) {
        if (!pOptions->m_pParentBtn->IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
            return;
        // The placeholder's text is the toolbar's control id; a text that
        // is no number names no toolbar.
        const CZUDPToolbarButton* pPlaceholder = pItems->GetButtonAt(0);
        const CString strId = pPlaceholder != nullptr ? pPlaceholder->text : CString();
        char* pEnd = nullptr;
        const long nId = strtol(strId, &pEnd, 10);
        if (!strId.IsEmpty() && pEnd != nullptr && *pEnd == '\0') {
            for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
                CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, g_toolbarList.GetNext(pos));
                if (pBar != nullptr && ::IsWindow(pBar->GetSafeHwnd()) && pBar->GetDlgCtrlID() == int(nId) &&
                    pBar->OffersAddRemoveButtons()) {
                    pToolBar = pBar;
                    break;
                }
            }
        }
        if (pToolBar == nullptr)
            pToolBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pOptions->m_pParentBtn->parentWnd);
    } else {
        CWnd* pOwner = pOptions->GetOwner();
        CZUDPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pOwner);
        if (pMiniFrame == nullptr && pOwner != nullptr)
            pMiniFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pOwner->GetParent());
        if (pMiniFrame == nullptr)
            return;
        pToolBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pMiniFrame->GetHostedBar());
    }
    if (pToolBar == nullptr || !::IsWindow(pToolBar->GetSafeHwnd()))
        return;

    pMenu->ClearItems();
    g_customizeButtonToolbar = pToolBar;
    g_customizeMenuCommands.RemoveAll();
    BOOL bListed = FALSE;
    for (int i = 0; i < pToolBar->GetCount(); ++i) {
        CZUDPToolbarButton* pButton = pToolBar->GetButtonAt(i);
        if (pButton == nullptr || (pButton->style & TBBS_SEPARATOR) || pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
            continue;
        g_customizeMenuCommands.SetAt(pButton->commandId, 0);
        CString text = pButton->text;
        if (text.IsEmpty())
            text = CommandNameOf(pButton->commandId);
        CZUDPCustomizeMenuButton* pRow = MakeCustomizeRow(*pButton, text);
        pRow->BindToToolbarPosition(i, TRUE);
        pMenu->InsertItemCopy(*pRow, -1);
        delete pRow;
        bListed = TRUE;
    }
    pMenu->m_iCustomizeMenuKind = 0;
    CallCustomizeMenuHook(pMenu, pToolBar->GetResourceID());

    if (bListed) {
        CZUDPToolbarButton separator;
        separator.style = TBBS_SEPARATOR;
        pMenu->InsertItemCopy(separator, -1);
    }
    CZUDPCustomizeMenuButton reset((UINT)-20, nullptr, -1, nullptr);
    reset.text.LoadString(IDS_ZUDP_RESET_TOOLBAR);
    reset.BindToToolbarPosition(ID_ZUDP_RESET_TOOLBAR_ROW, TRUE);
    pMenu->InsertItemCopy(reset, -1);
}

void CZUDPFrameImpl::AddResourceButtons(CZUDPPopupMenu* pMenu, UINT uiToolbarResId)
{
    (void)uiToolbarResId;
    CZUDPToolBar* pToolBar = g_customizeButtonToolbar;
    if (pMenu == nullptr || pToolBar == nullptr || !::IsWindow(pToolBar->GetSafeHwnd()))
        return;
    int iPosition = 0;
    for (POSITION pos = pToolBar->GetOriginalItems().GetHeadPosition(); pos != nullptr; ++iPosition) {
        CZUDPToolbarButton* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarButton, pToolBar->GetOriginalItems().GetNext(pos));
        if (pItem == nullptr || (pItem->style & TBBS_SEPARATOR) || pItem->IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
            continue;
        UINT uiDummy = 0;
        if (g_customizeMenuCommands.Lookup(pItem->commandId, uiDummy))
            continue;
        // A command the toolbar still offers inside one of its buttons is
        // on the toolbar.
        BOOL bInside = FALSE;
        for (int i = 0; i < pToolBar->GetCount() && !bInside; ++i) {
            CZUDPToolbarButton* pButton = pToolBar->GetButtonAt(i);
            if (auto* pDropDown = DYNAMIC_DOWNCAST(CZUDPDropDownToolbarButton, pButton)) {
                CZUDPToolBar* pSource = pDropDown->GetSourceToolbar();
                bInside = pSource != nullptr && pSource->FindCommandIndex(pItem->commandId) >= 0;
            } else if (auto* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pButton)) {
                if (!pMenuButton->lockedItems)
                    continue;
                for (POSITION posSub = pMenuButton->subItems.GetHeadPosition(); posSub != nullptr && !bInside;) {
                    auto* pSub = DYNAMIC_DOWNCAST(CZUDPToolbarButton, pMenuButton->subItems.GetNext(posSub));
                    bInside = pSub != nullptr && pSub->commandId == pItem->commandId;
                }
            }
        }
        if (bInside)
            continue;
        CZUDPCustomizeMenuButton* pRow = MakeCustomizeRow(*pItem, CommandNameOf(pItem->commandId));
        pRow->BindToToolbarPosition(iPosition, FALSE);
        if (pMenu->InsertItemCopy(*pRow, iPosition) < 0)
            pMenu->InsertItemCopy(*pRow, -1);
        delete pRow;
    }
}

BOOL CZUDPFrameImpl::CallCustomizeMenuHook(CZUDPPopupMenu* pMenu, UINT uiToolbarResId)
{
    CZUDPFrameDockSite* pSite = ButtonTooltipSiteOf(m_pFrame, FALSE);
    return pSite != nullptr && pSite->OnFillCustomizeMenu(pMenu, uiToolbarResId);
}
