// The visual manager's drawing of popup menus and menu items: borders, shadows, labels, tear-off and resize strips,
// scroll buttons, highlights, check marks, split dividers, the MDI child's system buttons on the menu bar and the
// show-all item.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

void CZUDPVisualManager::DrawPopupMenuBorder(CDC*, CZUDPPopupMenu*, CRect) {}

void CZUDPVisualManager::DrawPopupMenuShadow(CDC*, const CRect&, const CRect&, int, int, int, CBitmap*, CBitmap*, BOOL)
{
}

COLORREF CZUDPVisualManager::FillMenuLabel(CDC*, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawMDIChildSystemButton(CDC*, CRect, UINT, UINT, BOOL) {}

void CZUDPVisualManager::DrawTearOffCaption(CDC*, CRect, BOOL) {}

void CZUDPVisualManager::DrawPopupMenuResizeBar(CDC*, CRect, int) {}

void CZUDPVisualManager::DrawPopupMenuScrollButton(CDC*, CRect, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::FillHighlightedMenuItem(CDC*, CZUDPToolbarMenuButton*, CRect, CZUDPPopupMenuBar*) {}

COLORREF CZUDPVisualManager::GetHighlightedMenuItemTextColor(CZUDPToolbarMenuButton*)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::GetMenuItemTextColor(CZUDPToolbarMenuButton*, BOOL, BOOL)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRarelyUsedItemsBackground(CDC*, CRect) {}

void CZUDPVisualManager::DrawMenuItemButtonBorder(CDC*, CZUDPToolbarMenuButton*, CRect, int) {}

void CZUDPVisualManager::DrawSubmenuArrow(CDC*, CZUDPToolbarMenuButton*, CRect, BOOL, BOOL) {}

void CZUDPVisualManager::DrawSplitMenuDivider(CDC*, CZUDPToolbarMenuButton*, CRect, BOOL) {}

int CZUDPVisualManager::GetShowAllButtonHeight(CZUDPShowAllButton*, CDC*)
{
    return 0;
}

void CZUDPVisualManager::DrawShowAllButtonArrow(CDC*, CRect) {}
