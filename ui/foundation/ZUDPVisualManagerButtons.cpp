// The visual manager's drawing of toolbar buttons and menu buttons, the selection of the customization lists, and
// the combo and edit boxes that sit on bars.
#include "ui/foundation/ZUDPVisualManager.h"

#include "framework/win/BarStyles.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPShowAllButton.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/ribbon/ZUDPOutlookBarPane.h"

namespace {

const UINT kCheckedOrIndeterminate = TBBS_CHECKED | TBBS_INDETERMINATE;

BOOL IsOutlookButton(const CZUDPToolbarButton* pButton)
{
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CZUDPOutlookButton));
}

// A menu button whose bar is a popup menu's: an item of a menu.
BOOL IsPopupMenuItem(const CZUDPToolbarButton* pButton)
{
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CZUDPToolbarMenuButton)) &&
           pButton->parentWnd != nullptr && pButton->parentWnd->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenuBar));
}

} // namespace

void CZUDPVisualManager::FillButtonInterior(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state)
{
    if (pButton == nullptr)
        return;
    if (pButton->IsKindOf(RUNTIME_CLASS(CZUDPShowAllButton))) {
        if (state == 2) {
            CZUDPDrawManager dm(*pDC);
            dm.TintRect(rect, -1);
        }
        return;
    }
    if (!m_ditheredCheckedButtons && !IsPopupMenuItem(pButton))
        return;
    if (IsOutlookButton(pButton) || g_customizeMode || state == 2 || (pButton->style & kCheckedOrIndeterminate) == 0)
        return;
    // The dithered interior of a checked button, inside its frame.
    rect.DeflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
    CZUDPToolBarImages::FillLightRect(pDC, rect);
}

void CZUDPVisualManager::FillMenuButtonInterior(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state)
{
    FillButtonInterior(pDC, pButton, rect, state);
}

void CZUDPVisualManager::DrawButtonBorder(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state)
{
    if (state != 1 && state != 2)
        return;
    const COLORREF dark =
        IsOutlookButton(pButton) ? g_uiEnvironment.m_colorBarDarkShadow : g_uiEnvironment.m_colorBarShadow;
    if (g_drawingOnGlass) {
        // GDI's frames leave alpha at 0 on glass: a flat box instead.
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, (COLORREF)-1, dark);
    } else if (state == 1) {
        pDC->Draw3dRect(rect, dark, g_uiEnvironment.m_colorBarHighlight);
    } else {
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, dark);
    }
}

void CZUDPVisualManager::DrawMenuButtonBorder(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state)
{
    if (m_flatMenuLook && pButton != nullptr && pButton->IsDroppedDown())
        return;
    DrawButtonBorder(pDC, pButton, rect, state);
}

COLORREF CZUDPVisualManager::GetToolbarButtonTextColor(CZUDPToolbarButton* pButton, int state)
{
    BOOL bDisabled = FALSE;
    if (pButton != nullptr)
        bDisabled = g_customizeMode ? !pButton->IsCustomizable() : (pButton->style & TBBS_DISABLED) != 0;

    if (IsOutlookButton(pButton)) {
        if (g_uiEnvironment.IsContrastColorScheme())
            return bDisabled ? g_uiEnvironment.m_colorGrayText : g_uiEnvironment.m_colorWindowText;
        // Light text on the dark background of the Outlook-style bar.
        return bDisabled ? g_uiEnvironment.m_colorButtonFace : g_uiEnvironment.m_colorWindow;
    }
    if (bDisabled)
        return g_uiEnvironment.m_colorGrayText;
    if (state == 2)
        return CZUDPToolBar::GetDefaultTextColor();
    return g_uiEnvironment.m_colorBarText;
}

BOOL CZUDPVisualManager::UseLightGlyphOnButton(CZUDPToolbarButton* pButton, int)
{
    return pButton == nullptr || (pButton->style & kCheckedOrIndeterminate) == 0;
}

COLORREF CZUDPVisualManager::FillCustomizeSelection(CDC* pDC, CRect rect, BOOL bSelected)
{
    if (!bSelected) {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
        return g_uiEnvironment.m_colorBarText;
    }
    pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
    // A dotted-looking frame one pixel inside, inverted with the DC's brush.
    // Every pixel of the frame is inverted exactly once, corners included,
    // so no corner is left out or inverted back.
    rect.DeflateRect(1, 1);
    rect.right--;
    rect.bottom--;
    const int width = rect.Width(), height = rect.Height();
    pDC->PatBlt(rect.left, rect.top + 1, 1, height, PATINVERT);   // left, down to the bottom row
    pDC->PatBlt(rect.left, rect.top, width, 1, PATINVERT);        // top
    pDC->PatBlt(rect.right, rect.top, 1, height, PATINVERT);      // right
    pDC->PatBlt(rect.left + 1, rect.bottom, width, 1, PATINVERT); // bottom
    return g_uiEnvironment.m_colorHighlightText;
}

void CZUDPVisualManager::DrawMenuButtonDropArrow(CDC* pDC, CRect rect, BOOL bSelected)
{
    CRect cell = rect;
    cell.left = cell.right - GetMenuGlyphSize().cx;
    DrawMenuGlyphCentered(pDC, MenuGlyphLargeArrowRight, cell, bSelected ? MenuGlyphColorWhite : MenuGlyphColorBlack);

    CRect line(cell.left - 3, rect.top + 2, cell.left - 1, rect.bottom - 2);
    pDC->Draw3dRect(line, g_uiEnvironment.m_colorButtonShadow, g_uiEnvironment.m_colorButtonHighlight);
}

void CZUDPVisualManager::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                             BOOL bIsHighlighted, CZUDPToolbarComboBoxButton*)
{
    const COLORREF previousText = pDC->GetTextColor();
    if (g_drawingOnGlass) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarHighlight);
        if (bIsDropped) {
            rect.OffsetRect(1, 1);
            dm.DrawBox(rect, (COLORREF)-1, g_uiEnvironment.m_colorBarShadow);
        } else if (bIsHighlighted) {
            dm.DrawBox(rect, (COLORREF)-1, g_uiEnvironment.m_colorBarShadow);
        }
    } else {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarHighlight);
        if (bIsDropped) {
            // Pressed: the arrow moves down and right with its sunken frame.
            rect.OffsetRect(1, 1);
            pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
        } else if (bIsHighlighted) {
            pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
        }
    }
    DrawMenuGlyphCentered(pDC, MenuGlyphArrowDown, rect, bDisabled ? MenuGlyphColorGray : MenuGlyphColorBlack);
    pDC->SetTextColor(previousText);
}

void CZUDPVisualManager::DrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                         CZUDPToolbarComboBoxButton*)
{
    if (!bIsHighlighted && !bIsDropped)
        return;
    if (m_flatMenuLook)
        rect.DeflateRect(1, 1);
    if (g_drawingOnGlass) {
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, (COLORREF)-1, g_uiEnvironment.m_colorBarDarkShadow);
    } else if (m_flatMenuLook) {
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarDarkShadow);
    } else {
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
    }
}

void CZUDPVisualManager::FillComboEditArea(CDC* pDC, CRect rect, BOOL bDisabled, BOOL, BOOL,
                                           CZUDPToolbarComboBoxButton*)
{
    if (g_drawingOnGlass) {
        CZUDPDrawManager dm(*pDC);
        if (bDisabled)
            dm.DrawBox(rect, g_uiEnvironment.m_colorButtonFace, g_uiEnvironment.m_colorBarHighlight);
        else
            dm.DrawBox(rect, g_uiEnvironment.m_colorWindow, (COLORREF)-1);
        return;
    }
    if (bDisabled) {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarHighlight);
    } else {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
    }
}

void CZUDPVisualManager::DrawEditBoxBorder(CDC* pDC, CRect rect, BOOL, BOOL bHasBorder, CZUDPToolbarEditBoxButton*)
{
    if (bHasBorder)
        pDC->DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
}
