#pragma once
// CZUDPToolbarMenuButton: a toolbar button or menu item that opens a popup
// menu.  Base of the menu items, the show-all item and the colour menu
// button.  This version holds the fields and queries their drawing reads:
// whether its popup is open, whether it is shown as a menu item, whether
// it draws a drop-down arrow, and the bar that holds it (a popup menu bar
// for a menu item); and what the popup menus ask of their items: opening
// the popup from the button's menu handle, closing it, the submenu that
// waits to close, the tear-off id and the palette grid.
#include "ui/commandbars/ZUDPToolbarButton.h"

class CZUDPPopupMenu;

class CZUDPToolbarMenuButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPToolbarMenuButton)
public:
    CZUDPToolbarMenuButton() = default;
    CZUDPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
    ~CZUDPToolbarMenuButton() override;

    void CopyFrom(const CZUDPToolbarButton& src) override;
    // A delayed click on a popup menu bar schedules the submenu; any other
    // click opens it (FALSE: the bar sends the command).
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    // Closes the open popup (and every popup below it).
    void CancelMode() override;
    void OnParentChanged(CWnd* pWndParent) override;

    // Non-zero while the button's popup menu is open.
    BOOL IsDroppedDown() const override { return m_pPopupMenu != nullptr; }
    // While this button's popup is open, the toolbar does not move the open
    // menu to another button on hover or arrow keys.
    virtual BOOL KeepsMenuOpen() const { return FALSE; }
    // The bar that holds the button (a CZUDPPopupMenuBar for a menu item).
    CWnd* GetParentWnd() const { return parentWnd; }

    // Opens the popup menu below or beside the button (window: the bar,
    // null for the button's own); FALSE when one is open already, there is
    // no menu, or the popup cannot be created.
    virtual BOOL OpenPopupMenu(CWnd* pWnd = nullptr);
    // Takes the menu handle the items come from (not owned).
    virtual void CreateFromMenu(HMENU hMenu) { m_hMenu = hMenu; }
    // A new menu with the button's items, owned by the caller; null when
    // the button has none.
    virtual HMENU BuildMenuHandle();
    // The popup object the button opens (derived kinds make their own).
    virtual CZUDPPopupMenu* CreatePopupMenuObject();
    virtual void OnPopupCreated() {}
    // A popup may open without a menu handle.
    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
    // TRUE: the item handles its click itself and the menu stays open.
    virtual BOOL OnClickMenuItem() { return FALSE; }
    // The row has a command part and a separate submenu part.
    virtual BOOL IsSplitMenuItem() const { return FALSE; }
    virtual BOOL IsTearOff() const { return m_uiTearOffId != 0; }
    virtual void SetTearOffId(UINT uiId) { m_uiTearOffId = uiId; }
    UINT GetTearOffId() const { return m_uiTearOffId; }
    // The button's menu is a grid of image buttons (a colour-style
    // palette) with that many rows.
    virtual BOOL IsPaletteButton() const { return FALSE; }
    virtual int GetPaletteRows() const { return 1; }

    HMENU m_hMenu = nullptr;               // the popup's items (not owned)
    CZUDPPopupMenu* m_pPopupMenu = nullptr; // the open popup, or null
    BOOL m_bMenuMode = FALSE;              // shown as an item of a menu
    BOOL m_bDrawDownArrow = FALSE;         // a drop-down arrow beside the image
    BOOL m_bToBeClosed = FALSE;            // its open submenu closes when the bar's close timer fires
    BOOL m_bDefaultItem = FALSE;           // the menu's default item
    UINT m_uiTearOffId = 0;                // tear-off bar id of the menu (0: none)
    CWnd* m_pWndMessage = nullptr;         // receives the popup's commands (null: inherited)
};

// A copy of a menu with its submenus (a new handle the caller owns); null
// for a handle that is not a menu.
HMENU CopyMenuHandle(HMENU hMenu);
