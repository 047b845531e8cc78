// The visual manager's drawing of popup menus and menu items: borders, shadows, labels, tear-off and resize strips,
// scroll buttons, highlights, check marks, split dividers, the MDI child's system buttons on the menu bar and the
// show-all item.
#include "ui/foundation/ZUDPVisualManager.h"

#include "framework/win/BarStyles.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

BOOL IsItemDisabled(const CZUDPToolbarButton* pButton)
{
    return pButton != nullptr && (pButton->style & TBBS_DISABLED) != 0;
}

} // namespace

void CZUDPVisualManager::DrawPopupMenuBorder(CDC* pDC, CZUDPPopupMenu*, CRect rect)
{
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarLight, g_uiEnvironment.m_colorBarDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
}

void CZUDPVisualManager::DrawPopupMenuShadow(CDC* pDC, const CRect& rectMenu, const CRect&, int nDepth,
                                             int nOuterPercent, int nInnerPercent, CBitmap* pBottomCache,
                                             CBitmap* pSideCache, BOOL bRightToLeft)
{
    // A right-to-left menu opens to the left of its button, so its shadow
    // falls on its left side.
    CZUDPDrawManager dm(*pDC);
    dm.DrawDropShadow(rectMenu, nDepth, nOuterPercent, nInnerPercent, pBottomCache, pSideCache, (COLORREF)-1,
                      !bRightToLeft);
}

COLORREF CZUDPVisualManager::FillMenuLabel(CDC* pDC, CRect rect)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    CRect line = rect;
    line.top = line.bottom - 2;
    pDC->Draw3dRect(line, g_uiEnvironment.m_colorButtonShadow, g_uiEnvironment.m_colorButtonHighlight);
    return g_uiEnvironment.m_colorButtonText;
}

void CZUDPVisualManager::DrawMDIChildSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL)
{
    UINT nKind;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: nKind = DFCS_CAPTIONMIN; break;
    case SC_CLOSE: nKind = DFCS_CAPTIONCLOSE; break;
    case SC_RESTORE: nKind = DFCS_CAPTIONRESTORE; break;
    default: return;
    }
    if (nStyle & TBBS_DISABLED)
        nKind |= DFCS_INACTIVE;
    if (nStyle & TBBS_PRESSED)
        nKind |= DFCS_PUSHED;
    g_foundationSeams.drawFrameControl(pDC->GetSafeHdc(), &rect, DFC_CAPTION, nKind);
}

void CZUDPVisualManager::DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
    rect.DeflateRect(2, 1);
    pDC->FillRect(rect, bIsActive ? &g_uiEnvironment.m_brushActiveCaption : &g_uiEnvironment.m_brushInactiveCaption);
}

void CZUDPVisualManager::DrawPopupMenuResizeBar(CDC* pDC, CRect rect, int)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushInactiveCaption);
}

void CZUDPVisualManager::DrawPopupMenuScrollButton(CDC* pDC, CRect rect, BOOL bIsScrollDown, BOOL bIsHighlighted,
                                                   BOOL, BOOL)
{
    // The strip above the button belongs to it too: the last item row
    // ends two pixels above it.
    CRect rectFill = rect;
    rectFill.top -= 2;
    pDC->FillRect(rectFill, &g_uiEnvironment.m_brushBarFace);
    DrawMenuGlyphCentered(pDC, bIsScrollDown ? MenuGlyphArrowDown : MenuGlyphArrowUp, rect, MenuGlyphColorBlack);
    if (bIsHighlighted)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
}

void CZUDPVisualManager::FillHighlightedMenuItem(CDC* pDC, CZUDPToolbarMenuButton*, CRect rect, CZUDPPopupMenuBar*)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
}

COLORREF CZUDPVisualManager::GetHighlightedMenuItemTextColor(CZUDPToolbarMenuButton* pButton)
{
    return IsItemDisabled(pButton) ? g_uiEnvironment.m_colorGrayText : g_uiEnvironment.m_colorHighlightText;
}

COLORREF CZUDPVisualManager::GetMenuItemTextColor(CZUDPToolbarMenuButton*, BOOL bHighlighted, BOOL bDisabled)
{
    if (bHighlighted)
        return bDisabled ? g_uiEnvironment.m_colorButtonFace : g_uiEnvironment.m_colorHighlightText;
    return bDisabled ? g_uiEnvironment.m_colorGrayText : g_uiEnvironment.m_colorWindowText;
}

void CZUDPVisualManager::DrawRarelyUsedItemsBackground(CDC* pDC, CRect rect)
{
    CZUDPDrawManager dm(*pDC);
    dm.TintRect(rect, -1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
}

void CZUDPVisualManager::DrawMenuItemButtonBorder(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state)
{
    DrawButtonBorder(pDC, pButton, rect, state);
}

void CZUDPVisualManager::DrawSubmenuArrow(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, BOOL, BOOL bIsRadio)
{
    // The mark of a checked item: a dot for a radio item, else a check mark.
    DrawMenuGlyphCentered(pDC, bIsRadio ? MenuGlyphRadioDot : MenuGlyphCheckMark, rect,
                          IsItemDisabled(pButton) ? MenuGlyphColorGray : MenuGlyphColorBlack);
}

void CZUDPVisualManager::DrawSplitMenuDivider(CDC* pDC, CZUDPToolbarMenuButton*, CRect rect, BOOL bNarrow)
{
    CRect strip(rect.left - 1, rect.top, rect.left + 1, rect.bottom);
    strip.DeflateRect(0, bNarrow ? 1 : 4);
    pDC->Draw3dRect(strip, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
}

int CZUDPVisualManager::GetShowAllButtonHeight(CZUDPShowAllButton*, CDC*)
{
    return GetMenuGlyphSize().cy + 6;
}

void CZUDPVisualManager::DrawShowAllButtonArrow(CDC* pDC, CRect rect)
{
    DrawMenuGlyphCentered(pDC, MenuGlyphChevronsDown, rect, MenuGlyphColorBlack);
}
