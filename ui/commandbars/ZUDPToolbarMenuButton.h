#pragma once
// CZUDPToolbarMenuButton: a toolbar button or menu item that opens a popup
// menu.  Base of the menu items, the show-all item and the colour menu
// button.  This version holds the fields and queries their drawing reads:
// whether its popup is open, whether it is shown as a menu item, whether
// it draws a drop-down arrow, and the bar that holds it (a popup menu bar
// for a menu item).
#include "ui/commandbars/ZUDPToolbarButton.h"

class CZUDPPopupMenu;

class CZUDPToolbarMenuButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPToolbarMenuButton)
public:
    CZUDPToolbarMenuButton() = default;
    CZUDPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
    ~CZUDPToolbarMenuButton() override = default;

    void CopyFrom(const CZUDPToolbarButton& src) override;

    // Non-zero while the button's popup menu is open.
    BOOL IsDroppedDown() const override { return m_pPopupMenu != nullptr; }
    // While this button's popup is open, the toolbar does not move the open
    // menu to another button on hover or arrow keys.
    virtual BOOL KeepsMenuOpen() const { return FALSE; }
    // The bar that holds the button (a CZUDPPopupMenuBar for a menu item).
    CWnd* GetParentWnd() const { return parentWnd; }

    HMENU m_hMenu = nullptr;               // the popup's items (not owned)
    CZUDPPopupMenu* m_pPopupMenu = nullptr; // the open popup, or null
    BOOL m_bMenuMode = FALSE;              // shown as an item of a menu
    BOOL m_bDrawDownArrow = FALSE;         // a drop-down arrow beside the image
};
