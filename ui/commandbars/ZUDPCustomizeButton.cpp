#include "ui/commandbars/ZUDPCustomizeButton.h"

#include "framework/win/DC.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPCustomizeMenuButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_SERIAL(CCustomizeButton, CZUDPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
    : customizeCommandId(iCustomizeCmdId), customizeLabel(strCustomizeText)
{
}

void CCustomizeButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarMenuButton::CopyFrom(src);
    const CCustomizeButton* pSrc = DYNAMIC_DOWNCAST(CCustomizeButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    customizeCommandId = pSrc->customizeCommandId;
    customizeLabel = pSrc->customizeLabel;
    collapsed = pSrc->collapsed;
    alignPopupRight = pSrc->alignPopupRight;
}

void CCustomizeButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarMenuButton::OnParentChanged(pWndParent);
    ownerToolbar = DYNAMIC_DOWNCAST(CZUDPToolBar, pWndParent);
    parentWnd = pWndParent;
    showText = FALSE;
    collapsed = FALSE;
}

SIZE CCustomizeButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    (void)pDC;
    if (collapsed)
        return CSize(0, 0);
    if (text.IsEmpty())
        text.LoadString(IDS_ZUDP_TOOLBAR_OPTIONS);
    if (ownerToolbar != nullptr && ownerToolbar->IsFloating())
        return CSize(0, 0);
    const int nMargin = CZUDPVisualManager::GetActiveManager()->GetChevronArrowStyle();
    const int k = g_largeIcons ? 2 : 1;
    const CSize sizeGlyph = GetMenuGlyphSize();
    if (bHorz)
        return CSize(k * sizeGlyph.cx + 2 * nMargin, sizeDefault.cy);
    return CSize(sizeDefault.cx, k * sizeGlyph.cy + 2 * nMargin);
}

void CCustomizeButton::DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz,
                                  BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    (void)pImages;
    (void)bDrawBorder;
    (void)bGrayDisabledButtons;
    if (pDC == nullptr || DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd) != nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const BOOL bOpen = IsDroppedDown();
    PaintBackground(pDC, rect, bHighlight || bOpen);

    const int nMargin = pManager->GetChevronArrowStyle();
    CSize sizeGlyph = GetMenuGlyphSize();
    if (g_largeIcons)
        sizeGlyph = CSize(sizeGlyph.cx * 2, sizeGlyph.cy * 2);
    const BOOL bPushed = (style & (TBBS_CHECKED | TBBS_PRESSED)) != 0 || bOpen;
    const CSize sizeShift = bPushed && !pManager->m_flatMenuLook ? CSize(1, 1) : CSize(0, 0);
    if (customizeCommandId > 0) {
        CRect rectArrow = rect;
        if (bHorz)
            rectArrow.top = rect.bottom - 2 * nMargin - sizeGlyph.cy;
        else
            rectArrow.right = rect.left + 2 * nMargin + sizeGlyph.cx;
        rectArrow.OffsetRect(sizeShift);
        DrawMenuGlyphCentered(pDC, bHorz ? MenuGlyphArrowDown : MenuGlyphArrowLeft, rectArrow,
                              MenuGlyphColorBlack, sizeGlyph);
    }
    if (!hiddenButtons.IsEmpty()) {
        CRect rectChevron = rect;
        if (bHorz)
            rectChevron.bottom = rect.top + 2 * nMargin + sizeGlyph.cy;
        else
            rectChevron.left = rect.right - 2 * nMargin - sizeGlyph.cx;
        rectChevron.OffsetRect(sizeShift);
        DrawMenuGlyphCentered(pDC, bHorz ? MenuGlyphChevronsRight : MenuGlyphChevronsDown, rectChevron,
                              MenuGlyphColorBlack, sizeGlyph);
    }
    if (!bCustomizeMode) {
        if (bPushed)
            pManager->DrawButtonBorder(pDC, this, rect, ZUDP_BUTTON_PUSHED);
        else if (bHighlight && (style & (TBBS_DISABLED | TBBS_INDETERMINATE | TBBS_CHECKED)) == 0)
            pManager->DrawButtonBorder(pDC, this, rect, ZUDP_BUTTON_HIGHLIGHTED);
    }
}

// ---------------------------------------------------------------------------
// The menu

namespace {

BOOL IsLiveOverflowOwner(const CZUDPToolBar* pBar)
{
    return pBar != nullptr && pBar->m_hWnd != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) == pBar;
}

// The command string's part after its first line break, cut at the next.
CString CommandMenuCaption(UINT uiCmd)
{
    CString strCommand;
    if (uiCmd == 0 || uiCmd == (UINT)-1 || !strCommand.LoadString(uiCmd))
        return CString();
    const int nBreak = strCommand.Find('\n');
    if (nBreak < 0)
        return CString();
    CString strCaption = strCommand.Mid(nBreak + 1);
    const int nNext = strCaption.Find('\n');
    return nNext >= 0 ? strCaption.Left(nNext) : strCaption;
}

CString ToolbarCaption(CZUDPToolBar* pBar)
{
    CString strCaption;
    pBar->GetWindowText(strCaption);
    strCaption.Trim();
    if (strCaption.IsEmpty())
        strCaption.LoadString(IDS_ZUDP_UNTITLED_TOOLBAR);
    return strCaption;
}

} // namespace

CZUDPPopupMenu* CCustomizeButton::CreatePopupMenuObject()
{
    m_rowButtons.clear();
    if (g_customizeMode || g_quickCustomize)
        return nullptr;
    CZUDPToolBar* pToolBar = IsLiveOverflowOwner(ownerToolbar) ? ownerToolbar : nullptr;
    CZUDPPopupMenu* pPopup = new CZUDPPopupMenu;
    if (pToolBar != nullptr && pToolBar->IsLocked())
        pPopup->GetMenuBar()->m_pRelatedToolBar = pToolBar;
    pPopup->m_bRightAlign =
        alignPopupRight && (pToolBar == nullptr || !(pToolBar->GetExStyle() & WS_EX_LAYOUTRTL));
    const BOOL bNoImages = pToolBar == nullptr || pToolBar->IsLocked();

    // The hidden buttons, in toolbar order: no separator before the first
    // row or at the end.
    BOOL bInserted = FALSE;
    const POSITION posLast = hiddenButtons.GetTailPosition();
    for (POSITION pos = hiddenButtons.GetHeadPosition(); pos != nullptr;) {
        const POSITION posThis = pos;
        CZUDPToolbarButton* pHidden = hiddenButtons.GetNext(pos);
        if (pHidden == nullptr)
            continue;
        int iRow = -1;
        if (pHidden->IsSeparator() || pHidden->commandId == 0) {
            if (!bInserted || posThis == posLast)
                continue;
            iRow = pPopup->InsertSeparatorAt(-1);
            if (iRow >= 0)
                m_rowButtons.push_back(nullptr);
            continue;
        }
        if (CZUDPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pHidden)) {
            iRow = pPopup->InsertItemCopy(*pMenuButton, -1);
        } else {
            CZUDPToolbarMenuButton item(pHidden->commandId, nullptr, bNoImages ? -1 : pHidden->GetActiveImage(),
                                        pHidden->text, pHidden->usesUserImage);
            iRow = pPopup->InsertItemCopy(item, -1);
        }
        if (iRow < 0)
            continue;
        bInserted = TRUE;
        m_rowButtons.resize(size_t(iRow), nullptr);
        m_rowButtons.push_back(pHidden);
        if (CZUDPToolbarButton* pRow = pPopup->ItemAt(iRow)) {
            pRow->showText = TRUE;
            if (pRow->text.IsEmpty() || pHidden->IsKindOf(RUNTIME_CLASS(CZUDPToolbarComboBoxButton))) {
                const CString strCaption = CommandMenuCaption(pHidden->commandId);
                if (!strCaption.IsEmpty())
                    pRow->text = strCaption;
            }
        }
    }

    if (customizeCommandId <= 0)
        return pPopup;
    if (bInserted)
        pPopup->InsertSeparatorAt(-1);
    if (pToolBar == nullptr || !pToolBar->OffersAddRemoveButtons()) {
        CZUDPToolbarMenuButton item(UINT(customizeCommandId), nullptr, -1, customizeLabel);
        pPopup->InsertItemCopy(item, -1);
        return pPopup;
    }

    // "Add or Remove Buttons": one entry per toolbar of the row, whose
    // submenu the frame fills with the toolbar's rows when it opens, then
    // the customize command.
    CZUDPToolbarMenuButton addRemove((UINT)-1, nullptr, -1, nullptr);
    addRemove.text.LoadString(IDS_ZUDP_ADD_REMOVE_BUTTONS);
    addRemove.arrowDown = TRUE;
    std::vector<CZUDPToolBar*> rowBars;
    if (CZUDPDockBarRow* pRow = pToolBar->GetDockBarRow()) {
        const CObList& rowList = pRow->GetBars();
        for (POSITION pos = rowList.GetHeadPosition(); pos != nullptr;) {
            CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, rowList.GetNext(pos));
            if (pBar != nullptr)
                rowBars.push_back(pBar);
        }
    } else {
        rowBars.push_back(pToolBar);
    }
    for (CZUDPToolBar* pBar : rowBars) {
        if (!IsLiveOverflowOwner(pBar) || !(pBar->GetStyle() & WS_VISIBLE) || pBar->GetOverflowButton() == nullptr)
            continue;
        auto* pEntry = new CZUDPToolbarMenuButton((UINT)-1, nullptr, -1, ToolbarCaption(pBar));
        CString strId;
        strId.Format("%d", pBar->GetDlgCtrlID());
        pEntry->subItems.AddTail(new CZUDPToolbarMenuButton(1, nullptr, -1, strId));
        addRemove.subItems.AddTail(pEntry);
    }
    addRemove.subItems.AddTail(new CZUDPToolbarMenuButton(UINT(customizeCommandId), nullptr, -1, customizeLabel));

    g_customizeButtonToolbar = pToolBar;
    if (pToolBar->IsSiblingOnSameDockBar()) {
        CZUDPCustomizeMenuButton toggle((UINT)-20, nullptr, -1, nullptr);
        toggle.text.LoadString(pToolBar->IsSiblingInSameRow() ? IDS_ZUDP_BUTTONS_TWO_ROWS : IDS_ZUDP_BUTTONS_ONE_ROW);
        toggle.isRowToggle = TRUE;
        toggle.enabled = TRUE;
        pPopup->InsertItemCopy(toggle, -1);
    }
    pPopup->InsertItemCopy(addRemove, -1);
    pPopup->SuspendPersonalization();
    pPopup->m_iCustomizeMenuKind = 1;
    return pPopup;
}

void CCustomizeButton::OnPopupCreated()
{
    if (openPopup == nullptr || !IsLiveOverflowOwner(ownerToolbar))
        return;
    CWnd* pTarget = ownerToolbar->GetOwner();
    if (pTarget == nullptr)
        pTarget = ownerToolbar->GetParent();
    openPopup->m_pMessageTarget = pTarget;
}

BOOL CCustomizeButton::InvokeHiddenButton(CZUDPPopupMenuBar* pMenuBar, CZUDPToolbarButton* pItem)
{
    CZUDPToolBar* pToolBar = IsLiveOverflowOwner(ownerToolbar) ? ownerToolbar : nullptr;
    if (pToolBar == nullptr || pMenuBar == nullptr || pItem == nullptr)
        return FALSE;
    const int iRow = pMenuBar->IndexOfButton(pItem);
    if (iRow < 0 || size_t(iRow) >= m_rowButtons.size())
        return FALSE;
    CZUDPToolbarButton* pHidden = m_rowButtons[size_t(iRow)];
    // The row's button must still be on the toolbar, with the row's
    // command: the toolbar may have changed while the menu was open.
    if (pHidden == nullptr || pToolBar->IndexOfButton(pHidden) < 0 || pHidden->commandId != pItem->commandId)
        return FALSE;
    const UINT uiCmd = pHidden->commandId;
    if (pToolBar->HandleButtonClick(pHidden) || uiCmd == 0 || uiCmd == (UINT)-1)
        return TRUE;
    CZUDPToolBar::CountCommandUse(uiCmd);
    if (pHidden->OnClickUp())
        return TRUE;
    if (g_userToolsManager != nullptr && g_userToolsManager->FindToolByCommand(uiCmd) != nullptr &&
        g_userToolsManager->RunTool(uiCmd))
        return TRUE;
    if (CWnd* pOwner = pToolBar->GetOwner())
        pOwner->PostMessage(WM_COMMAND, uiCmd, 0);
    return TRUE;
}
