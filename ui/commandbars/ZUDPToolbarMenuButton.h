#pragma once
// CZUDPToolbarMenuButton: the toolbar button that carries a menu, an
// ordered list of sub-item buttons (each may carry sub-items of its own).
// On a toolbar it is a button with a drop-down arrow, or a plain button
// that opens its menu; on a menu bar it is a menu title; on a popup menu
// bar it is one row of the menu.  Clicking it opens a popup menu built
// from its sub-items; the button points to that popup while it is open.
// Sub-items are made from and turned back into menu handles, and archived
// with the button.  Every sub-item made from a menu handle is an object of
// the class of the button that builds it.
#include "framework/List.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

class CZUDPPopupMenu;

// The style bit of a menu item that starts a new column (MF_MENUBREAK).
#define ZUDP_TBBS_MENUBREAK 0x20000000u

class CZUDPToolbarMenuButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPToolbarMenuButton)
public:
    CZUDPToolbarMenuButton() = default;
    // A button with a command and the items of a menu handle (null: none).
    CZUDPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
    ~CZUDPToolbarMenuButton() override;

    // Re-initialises the button in place, as the constructor does.
    void Initialize(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);

    // --- overrides of the button's operations
    // The button's fields, the tear-off id, the locked and reserved flags,
    // then the sub-items as an object list.  Loading creates only menu
    // buttons as sub-items and nests at most kMaxArchiveDepth levels.
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // FALSE: the bar sends the button's command.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    BOOL HasBorder() const override { return FALSE; }
    // Closes the open popup (and every popup below it).
    void CancelMode() override;
    BOOL OnKeyboardActivate(CWnd* pWnd) override { return OnClick(pWnd, FALSE); }
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    // Non-zero while the button's popup menu is open.
    BOOL IsDroppedDown() const override { return openPopup != nullptr; }
    BOOL ClosePopup() override;
    void SaveMenuChainItems() override;
    void RestoreDefaultImage() override;
    // Same command and the same sub-items, in order.
    BOOL IsSameCommand(const CZUDPToolbarButton& other) const override;
    BOOL FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data) override;
    void SetRadio() override;

    // --- operations of menu buttons, in order
    // Opens the popup below or beside the button (window: the bar, null
    // for the button's own); FALSE when one is open already, there is no
    // menu, or the popup cannot be created.
    virtual BOOL OpenPopupMenu(CWnd* pWnd = nullptr);
    // Replaces the sub-items by the items of the menu (none for a handle
    // that is not a menu).
    virtual void CreateFromMenu(HMENU hMenu);
    // A new menu with the sub-items, owned by the caller; null when the
    // button has none (or the menu cannot be built whole).
    virtual HMENU BuildMenuHandle();
    // The popup object the button opens (derived kinds make their own).
    virtual CZUDPPopupMenu* CreatePopupMenuObject();
    virtual void OnPopupCreated() {}
    // A popup may open without a menu handle.
    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
    // TRUE: the item handles its click itself and the menu stays open.
    virtual BOOL OnClickMenuItem() { return FALSE; }
    // While this button's popup is open, the toolbar does not move the open
    // menu to another button on hover or arrow keys.
    virtual BOOL KeepsMenuOpen() const { return FALSE; }
    // The row has a command part and a separate submenu part.
    virtual BOOL IsSplitMenuItem() const { return FALSE; }
    virtual BOOL IsTearOff() const { return tearOffId != 0; }
    // Takes a tear-off id, moving its use count with the tear-off manager.
    virtual void SetTearOffId(UINT uiId);
    // The button's menu is a grid of image buttons (a colour-style
    // palette) with that many rows.
    virtual BOOL IsPaletteButton() const { return FALSE; }
    virtual int GetPaletteRows() const { return 1; }

    // --- queries
    UINT GetTearOffId() const { return tearOffId; }
    // The bar that holds the button (a CZUDPPopupMenuBar for a menu item).
    CWnd* GetParentWnd() const { return parentWnd; }
    // The image cell of a menu row.
    CRect GetImageRect() const;
    // The indents a popup menu bar takes when it has none set.
    static void GetDefaultMenuIndents(int& nFirst, int& nSecond);
    // Draws the button as a popup-menu row.
    void DrawMenuItem(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bCustomizeMode = FALSE,
                      BOOL bHighlight = FALSE, BOOL bGrayDisabledButtons = FALSE, BOOL bContentOnly = FALSE);

    // Sub-item lists read from an archive nest at most this deep.
    static const int kMaxArchiveDepth = 32;

    // --- fields, in order
    CObList subItems;                   // owned CZUDPToolbarMenuButton objects
    BOOL showMenuArrow = FALSE;         // drop-down (toolbar) or submenu (row) arrow
    BOOL inPopupMenu = FALSE;           // lives on a popup menu bar: drawn as a row
    CZUDPPopupMenu* openPopup = nullptr; // the popup open from the button (not owned)
    BOOL isDefaultItem = FALSE;         // the menu's default item (bold)
    BOOL clickedInArrow = FALSE;        // the last click landed in the arrow part
    BOOL submenuPending = FALSE;        // a popup menu bar waits to open or close its submenu
    BOOL menuOnly = FALSE;              // any click opens the menu; the arrow is no part of its own
    UINT tearOffId = 0;                 // tear-off bar id of the menu (0: none)
    BOOL radioCheck = FALSE;            // checked: a radio bullet instead of a check mark
    CWnd* commandTarget = nullptr;      // receives the popup's commands (null: inherited)
    BOOL lockedItems = FALSE;           // sub-items not written back from an edited popup
    BOOL reservedFlag = TRUE;           // archived and copied; nothing reads it
    BOOL arrowDown = FALSE;             // a row's submenu arrow points down
    BOOL popupAtRightEdge = FALSE;      // horizontal bars open the popup at the button's right edge
    CRect arrowRect;                    // drop-down arrow part (toolbar form)
    CRect splitRect;                    // arrow part of a split row

protected:
    void DeleteSubItems();
};

// Type, state, id, submenu, data and text of the item at a position of a
// menu, the text into a buffer of kMenuItemTextSize characters (always
// ended); FALSE when the menu has no such item.
const int kMenuItemTextSize = 1025;
BOOL QueryMenuItem(HMENU hMenu, int nPos, MENUITEMINFOA& info, char (&szText)[kMenuItemTextSize]);

// A copy of a menu with its submenus (a new handle the caller owns); null
// for a handle that is not a menu.
HMENU CopyMenuHandle(HMENU hMenu);
