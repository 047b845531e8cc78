#include "ui/commandbars/ZUDPCustomizeMenuButton.h"

#include <algorithm>

#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPCustomizeMenuButton, CZUDPToolbarMenuButton)

CZUDPToolBar* g_customizeButtonToolbar = nullptr;

namespace {

BOOL IsLiveRowsToolbar(const CZUDPToolBar* pBar)
{
    return pBar != nullptr && pBar->m_hWnd != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) == pBar;
}

// The toolbar the rows act on, when it still lives.
CZUDPToolBar* RowsToolbar() { return IsLiveRowsToolbar(g_customizeButtonToolbar) ? g_customizeButtonToolbar : nullptr; }

// The caption a row shows: its text, else the command string's part after
// the first line break; cut at a tab.
CString RowCaption(const CZUDPToolbarButton& button)
{
    CString strText = button.text;
    if (strText.IsEmpty() && button.commandId != 0 && button.commandId != (UINT)-1) {
        CString strCommand;
        if (strCommand.LoadString(button.commandId)) {
            const int nBreak = strCommand.Find('\n');
            if (nBreak >= 0) {
                strText = strCommand.Mid(nBreak + 1);
                const int nNext = strText.Find('\n');
                if (nNext >= 0)
                    strText = strText.Left(nNext);
            }
        }
    }
    const int nTab = strText.Find('\t');
    if (nTab >= 0)
        strText = strText.Left(nTab);
    return strText;
}

} // namespace

CZUDPCustomizeMenuButton::CZUDPCustomizeMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                                   BOOL bUserButton)
    : CZUDPToolbarMenuButton(uiID, hMenu, iImage, lpszText, bUserButton)
{
}

void CZUDPCustomizeMenuButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarMenuButton::CopyFrom(src);
    const CZUDPCustomizeMenuButton* pSrc =
        DYNAMIC_DOWNCAST(CZUDPCustomizeMenuButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr || pSrc == this)
        return;
    toolbarPosition = pSrc->toolbarPosition;
    checked = pSrc->checked;
    isSeparator = pSrc->isSeparator;
    isToolbarButton = pSrc->isToolbarButton;
    enabled = pSrc->enabled;
    isRowToggle = pSrc->isRowToggle;
}

void CZUDPCustomizeMenuButton::BindToToolbarPosition(int iPosition, BOOL bIsToolbarButton)
{
    toolbarPosition = iPosition;
    isToolbarButton = bIsToolbarButton;
    checked = FALSE;
    if (iPosition == kResetRowPosition) {
        if (CZUDPToolBar::IsUserDefinedToolbar(g_customizeButtonToolbar))
            enabled = FALSE;
        return;
    }
    if (isSeparator || !bIsToolbarButton)
        return;
    const CZUDPToolBar* pToolBar = RowsToolbar();
    const CZUDPToolbarButton* pButton = pToolBar != nullptr ? pToolBar->GetButtonAt(iPosition) : nullptr;
    checked = pButton != nullptr && pButton->visible;
}

SIZE CZUDPCustomizeMenuButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (isSeparator)
        return CSize(0, 4);
    if (isRowToggle)
        return CZUDPToolbarMenuButton::CalcSize(pDC, sizeDefault, bHorz);

    text = RowCaption(*this);
    CZUDPPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd);
    if (pBar != nullptr && g_keyboardManager != nullptr && commandId != 0 && commandId != (UINT)-1 &&
        !(commandId >= 0xF000 && commandId <= 0xF1EF)) {
        CFrameWnd* pFrame = GetTopLevelFrameOrInPlace(pBar);
        if (pFrame == nullptr)
            pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        CString strKey;
        if (pFrame != nullptr && CZUDPKeyboardManager::GetCommandKeyText(commandId, strKey, pFrame, TRUE))
            text += "\t" + strKey;
    }

    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const int nMargin = pManager->GetMenuImageMargin();
    const CSize sizeMenuButton = CZUDPToolBar::GetMenuButtonSize();
    TEXTMETRICA tm = {};
    if (pDC != nullptr)
        pDC->GetTextMetrics(&tm);
    const int cx = text.GetLength() * tm.tmAveCharWidth + 2 * sizeMenuButton.cx + 3 * nMargin + 50;
    int cy = sizeMenuButton.cy + 2;
    if (pBar == nullptr)
        cy += nMargin;
    return CSize(cx, cy);
}

void CZUDPCustomizeMenuButton::DrawButton(CDC* pDC, const CRect& rectRow, CZUDPToolBarImages* pImages, BOOL bHorz,
                                          BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                          BOOL bGrayDisabledButtons)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const int nMargin = pManager->GetMenuImageMargin();
    const CSize sizeImage = CZUDPToolBar::GetMenuItemImageSize();
    CZUDPPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd);
    if (isSeparator) {
        CRect rectSeparator = rectRow;
        rectSeparator.left = nMargin + 2 * sizeImage.cx;
        pManager->DrawSeparator(pDC, pBar, rectSeparator, FALSE);
        return;
    }
    if (isRowToggle) {
        CZUDPToolbarMenuButton::DrawButton(pDC, rectRow, nullptr, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                           bGrayDisabledButtons);
        return;
    }

    const UINT uiStyleSaved = style;
    if (!enabled) {
        SetStyle(TBBS_DISABLED);
        bHighlight = FALSE;
        bGrayDisabledButtons = TRUE;
    } else if (checked && bHighlight) {
        SetStyle(TBBS_CHECKED);
    } else {
        SetStyle(0);
    }
    if (IsResetRow()) {
        showImage = FALSE;
        imageIndex = -1;
    }
    if (bHighlight && enabled) {
        CRect rectFill = rectRow;
        rectFill.left += 2;
        rectFill.bottom -= 1;
        if (!pManager->HighlightsFullMenuRow() && !IsResetRow())
            rectFill.left += 5 * nMargin + 2 * sizeImage.cx;
        pManager->FillHighlightedMenuItem(pDC, this, rectFill, pBar);
    }
    CRect rectCheck(rectRow.left + nMargin + 1, rectRow.top, 0, rectRow.bottom - 1);
    rectCheck.right = rectCheck.left + nMargin + sizeImage.cx + 2;
    DrawCheckBox(pDC, rectCheck, bHighlight);
    if (bHighlight && enabled && !IsResetRow())
        SetStyle(0);

    CRect rectRest = rectRow;
    rectRest.left = rectCheck.right;
    DrawMenuItem(pDC, rectRest, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons, TRUE);
    SetStyle(uiStyleSaved);
}

void CZUDPCustomizeMenuButton::DrawCheckBox(CDC* pDC, const CRect& rectIn, BOOL bHighlight)
{
    if (!checked || pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    CRect rect = rectIn;
    rect.right -= 1;
    rect.top += 1;
    rect.bottom -= 1;
    const UINT uiStyleSaved = style;
    if (!pManager->SuppressCheckedItemFrame()) {
        style |= TBBS_CHECKED;
        PaintBackground(pDC, rect, bHighlight, TRUE);
        if (bHighlight && pManager->m_highlightedCheckFrame)
            style |= TBBS_MARKED;
        pManager->DrawMenuItemButtonBorder(pDC, this, rect, ZUDP_BUTTON_PUSHED);
    }
    pManager->DrawSubmenuArrow(pDC, this, rect, bHighlight, FALSE);
    style = uiStyleSaved;
}

void CZUDPCustomizeMenuButton::RefreshToolbarArea()
{
    CZUDPToolBar* pToolBar = RowsToolbar();
    if (pToolBar == nullptr)
        return;
    if (CWnd* pParent = pToolBar->GetParent())
        pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    pToolBar->RedrawOverflowArea();
}

void CZUDPCustomizeMenuButton::RelayoutToolbarUnderMenu(CZUDPToolBar* pToolBar)
{
    CZUDPPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd);
    CZUDPPopupMenu* pOutermost = pBar != nullptr ? DYNAMIC_DOWNCAST(CZUDPPopupMenu, pBar->GetParent()) : nullptr;
    for (CZUDPPopupMenu* pUp = pOutermost != nullptr ? pOutermost->FindParentMenu() : nullptr; pUp != nullptr;
         pUp = pUp->FindParentMenu())
        pOutermost = pUp;
    const BOOL bShown = pOutermost != nullptr && pOutermost->GetSafeHwnd() != nullptr;
    if (bShown)
        pOutermost->ShowWindow(SW_HIDE);
    pToolBar->UpdateLayout();
    pToolBar->RecalcSizeInParent(TRUE);
    RefreshToolbarArea();
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pBar->Invalidate();
    if (bShown) {
        pOutermost->ShowWindow(SW_SHOWNOACTIVATE);
        CRect rectOutermost;
        pOutermost->GetWindowRect(&rectOutermost);
        CZUDPPopupMenu::RefreshAllShadows(&rectOutermost);
    }
}

BOOL CZUDPCustomizeMenuButton::OnClickMenuItem()
{
    if (isSeparator || !enabled)
        return TRUE;
    CZUDPPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd);
    if (pBar != nullptr) {
        const int iIndex = pBar->IndexOfButton(this);
        if (iIndex >= 0 && iIndex != pBar->GetHotIndex())
            pBar->SetHotButton(iIndex);
    }
    CZUDPToolBar* pToolBar = RowsToolbar();
    if (pToolBar == nullptr)
        return isRowToggle || IsResetRow() ? FALSE : TRUE;

    if (isRowToggle) {
        if (pToolBar->IsSiblingInSameRow())
            pToolBar->SplitSiblingRow();
        else
            pToolBar->JoinSiblingRow();
        return FALSE;
    }
    if (IsResetRow()) {
        pToolBar->PostMessage(ZUDTOOLBAR_RESETRPROMPT, 0, 0);
        return FALSE;
    }

    if (isToolbarButton) {
        CZUDPToolbarButton* pButton = pToolBar->GetButtonAt(toolbarPosition);
        if (pButton == nullptr || pButton == pToolBar->GetOverflowButton())
            return TRUE;
        pButton->visible = !pButton->visible;
        checked = pButton->visible;
        CZUDPToolbarButton* pNext = pToolBar->GetButtonAt(toolbarPosition + 1);
        if (pNext != nullptr && pNext->IsSeparator())
            pNext->visible = pButton->visible;
        RelayoutToolbarUnderMenu(pToolBar);
        return TRUE;
    }

    // An item of the resource set that is not on the toolbar comes back.
    POSITION posOriginal =
        toolbarPosition >= 0 ? pToolBar->GetOriginalItems().FindIndex(toolbarPosition) : nullptr;
    if (posOriginal == nullptr)
        return TRUE;
    const CZUDPToolbarButton* pOriginal =
        static_cast<const CZUDPToolbarButton*>(pToolBar->GetOriginalItems().GetAt(posOriginal));
    int iInserted = pToolBar->InsertButtonCopy(*pOriginal, toolbarPosition);
    if (iInserted < 0)
        iInserted = pToolBar->InsertButtonCopy(*pOriginal, -1);
    if (iInserted < 0)
        return TRUE;
    if (pBar != nullptr) {
        for (int i = 0; i < pBar->GetCount(); ++i) {
            CZUDPCustomizeMenuButton* pRow = DYNAMIC_DOWNCAST(CZUDPCustomizeMenuButton, pBar->GetButtonAt(i));
            if (pRow == nullptr || pRow == this || !pRow->isToolbarButton || pRow->isSeparator || pRow->IsResetRow())
                continue;
            if (pRow->toolbarPosition >= iInserted)
                ++pRow->toolbarPosition;
        }
    }
    isToolbarButton = TRUE;
    checked = TRUE;
    toolbarPosition = iInserted;
    RelayoutToolbarUnderMenu(pToolBar);
    return TRUE;
}
