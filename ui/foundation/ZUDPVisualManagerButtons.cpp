// The visual manager's drawing of toolbar buttons and menu buttons, their text colours, the customization selection,
// and the combo and edit boxes on bars.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

void CZUDPVisualManager::DrawComboDropButton(CDC*, CRect, BOOL, BOOL, BOOL, CZUDPToolbarComboBoxButton*) {}

void CZUDPVisualManager::DrawComboBorder(CDC*, CRect, BOOL, BOOL, BOOL, CZUDPToolbarComboBoxButton*) {}

void CZUDPVisualManager::FillComboEditArea(CDC*, CRect, BOOL, BOOL, BOOL, CZUDPToolbarComboBoxButton*) {}

void CZUDPVisualManager::DrawEditBoxBorder(CDC*, CRect, BOOL, BOOL, CZUDPToolbarEditBoxButton*) {}

void CZUDPVisualManager::FillButtonInterior(CDC*, CZUDPToolbarButton*, CRect, int) {}

void CZUDPVisualManager::DrawButtonBorder(CDC*, CZUDPToolbarButton*, CRect, int) {}

void CZUDPVisualManager::DrawMenuButtonBorder(CDC*, CZUDPToolbarMenuButton*, CRect, int) {}

void CZUDPVisualManager::FillMenuButtonInterior(CDC*, CZUDPToolbarMenuButton*, CRect, int) {}

COLORREF CZUDPVisualManager::GetToolbarButtonTextColor(CZUDPToolbarButton*, int)
{
    return (COLORREF)-1;
}

BOOL CZUDPVisualManager::UseLightGlyphOnButton(CZUDPToolbarButton*, int)
{
    return FALSE;
}

COLORREF CZUDPVisualManager::FillCustomizeSelection(CDC*, CRect, BOOL)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawMenuButtonDropArrow(CDC*, CRect, BOOL) {}
