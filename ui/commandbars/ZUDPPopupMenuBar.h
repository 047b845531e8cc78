#pragma once
// CZUDPPopupMenuBar: the bar inside a popup menu window whose buttons are
// the menu's items.  It builds its items from a menu handle (hiding the
// rarely used commands of personalized menus) and back, lays them out as
// menu rows in one or more columns (or as a grid of image buttons in
// palette mode), follows the mouse and the keys, opens and closes
// submenus after the system's menu-show delay, hands mouse input that
// leaves it to the ancestor menus, and runs the chosen item, which closes
// the menu chain.  The colour bar, the calculator and the calendar bar
// derive from it.
//
// The toolbar indexes have these roles here: the hot index is the
// highlighted item, the tracked index the item last passed to
// SetHotButton, the pressed index the item a button release chooses, the
// selected index the item selected in customization.
#include "framework/Array.h"
#include "ui/commandbars/ZUDPToolBar.h"

class CZUDPToolbarMenuButton;
class CZUDPPopupMenu;

class CZUDPPopupMenuBar : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPPopupMenuBar)
public:
    CZUDPPopupMenuBar();
    ~CZUDPPopupMenuBar() override;

    // Timer ids of the bar window.
    enum { kOpenSubmenuTimer = 1, kCloseSubmenuTimer = 2 };

    // --- replaced operations of the toolbar
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    void UpdateLayout() override;
    BOOL IsShownInBarsMenu() const override { return FALSE; }
    // The menu's size: its items stacked in columns (52 x 22 when empty).
    CSize CalcSize(BOOL bVertDock) override;
    // Paints straight into a memory DC; through an off-screen surface
    // otherwise.
    void PaintBar(CDC* pDC) override;
    BOOL CreatesToolTipOnCreate() const override { return FALSE; }
    void RecalcSizeInParent(BOOL bNotify) override { (void)bNotify; }
    BOOL UsesButtonExtraSize() const override { return FALSE; }
    void ChangeButtonStyle(int iIndex, UINT nStyle) override;
    BOOL TranslateShortcut(UINT nKey) override
    {
        (void)nKey;
        return FALSE;
    }
    BOOL UpdateButtonText(CZUDPToolbarButton* pButton) override;
    void DrawRarelyUsedItems(CDC* pDC) override;
    BOOL GetCustomTooltipText(CZUDPToolbarButton* pButton, CString& strText) override
    {
        (void)pButton;
        (void)strText;
        return FALSE;
    }
    void SetHotButton(int iButton) override;
    void DrawDragMarker(CDC* pDC) override;
    CWnd* GetCommandTarget() const override;
    DROPEFFECT TrackDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    int FindDropIndex(CPoint point, CRect& rectDrag) const override;
    void PositionButtons() override;
    BOOL HandleButtonClick(CZUDPToolbarButton* pButton) override;
    BOOL CanHighlightDisabledItems() const override { return FALSE; }
    BOOL AppearsInToolbarList() const override { return FALSE; }
    BOOL DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) override;
    CZUDPToolbarButton* CreateButtonFromDrop(COleDataObject* pDataObject) override;
    BOOL HandleKey(UINT nChar) override;
    BOOL PrepareButtonContextMenu(CZUDPToolbarButton* pButton, CMenu* pPopup) override;
    void GetButtonDrawRect(CZUDPToolbarButton* pButton, CRect& rect, BOOL bHorz) const override;
    BOOL AllowAltCustomization() const override { return FALSE; }
    void RecalcLayoutNow() override;

    // --- new operations
    // The size of the images of the menu rows.
    virtual void GetMenuImageSize(CSize& size) const;
    // Replaces every item with the contents of a menu; FALSE (bar emptied)
    // for a null handle or one that is not a menu.
    virtual BOOL BuildItemsFromMenu(HMENU hMenu, BOOL bShowAllCommands);
    // A new popup menu built from the items; the caller owns it.
    virtual HMENU BuildMenuFromItems();
    // Closes the submenu whose item the mouse left, now.
    virtual void CloseLingeringSubmenu();
    // Cancels the pending close of that submenu (the mouse came back).
    virtual void KeepLingeringSubmenu();
    // Hooks of the ribbon's panel menus (FALSE here).
    virtual BOOL IsRibbonPanelBar() const { return FALSE; }
    virtual BOOL IsRibbonPaletteBar() const { return FALSE; }

    // Arms timer 1 to open the item's submenu after the factor times the
    // menu-show delay; a null item cancels the pending opening.
    virtual void ScheduleSubMenuOpen(CZUDPToolbarMenuButton* pButton, int nDelayFactor = 1);
    // Runs a chosen command (0: none) and closes the menu chain.
    void DispatchItemCommand(UINT uiCmd, CZUDPToolbarButton* pButton);
    // The menu bar of an ancestor popup, or the toolbar that holds the
    // outermost popup's button, whose client area holds a screen point;
    // null when none does.
    CZUDPToolBar* FindAncestorBarAt(CPoint ptScreen) const;
    // Sets the sending-command flag on this bar and the bars of every
    // ancestor popup.
    void SetSendingCommand(BOOL bSending);
    BOOL IsSendingCommand() const { return m_bSendingCommand; }

    // The popup window that holds the bar, or null.
    CZUDPPopupMenu* GetPopupMenu() const;
    int GetFirstVisibleRow() const { return m_iFirstVisibleRow; }
    // Scrolls a scrolling popup: the first row shown (items placed again
    // when it changed).
    void SetFirstVisibleRow(int iRow);
    BOOL AreAllCommandsShown() const { return m_bAllCommandsShown; }
    UINT GetDefaultCommand() const { return m_uiDefaultCommand; }
    const CArray<int, int>& GetColumnEdges() const { return m_arColumns; }
    // The hidden rarely used command an access key runs (0: none).
    UINT FindHiddenCommandKey(UINT nUpperChar) const;
    BOOL IsPaletteMode() const { return m_bPaletteMode; }
    // The grid of image buttons of a palette parent button; rows below 1
    // count as 1.
    void SetPaletteMode(BOOL bPalette, int nRows = 1);
    int GetPaletteRows() const { return m_nPaletteRows; }
    CZUDPToolbarMenuButton* GetDelayedOpenItem() const { return m_pDelayedOpenItem; }
    CZUDPToolbarMenuButton* GetLingeringItem() const { return m_pLingeringItem; }
    // Menu-style hooks the toolbar's input asks.
    BOOL IsMenuStyleFor(CZUDPToolbarButton* pButton) const override
    {
        (void)pButton;
        return !m_bPaletteMode;
    }

    // --- fields, in order
    BOOL m_bPaletteForRibbon = FALSE;         // set with palette mode; read by ribbon panels
    CZUDPToolBar* m_pRelatedToolBar = nullptr; // a locked one gives menu rows its image size
    BOOL m_bWindowBackground = FALSE;          // kept for the foundation's drawing; never set

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnShowTextOnly();
    void OnShowImageAndText();
    DECLARE_MESSAGE_MAP()

    // The popup's message target, else the bar's owner or parent.
    CWnd* MessageTarget() const;
    // The item at an index when it is a menu button.
    CZUDPToolbarMenuButton* MenuButtonAt(int iIndex) const;
    // Navigation: the next selectable item from an index in a direction
    // (wrapping), -1 when none is selectable.
    int NextSelectableItem(int iFrom, int nStep) const;
    BOOL IsSelectableItem(int iIndex) const;
    // Makes an item hot after a key: repaint, status prompt, accessibility.
    void MoveHotItem(int iNew, BOOL bNavigation);
    // The popup of the bar as the frame's current popup again.
    void RegisterPopupAgain();
    // The separator insets, computed on first placement.
    void ComputeSeparatorInsets();

    UINT m_uiDefaultCommand = 0;
    CZUDPToolbarMenuButton* m_pDelayedOpenItem = nullptr;
    CZUDPToolbarMenuButton* m_pLingeringItem = nullptr;
    BOOL m_bNoPressSeen = TRUE;
    BOOL m_bIgnoreNextMove = TRUE;
    int m_iFirstVisibleRow = 0;
    int m_nSeparatorLeftInset = 0;
    int m_nSeparatorRightInset = 0;
    BOOL m_bInsetsComputed = FALSE;
    BOOL m_bAllCommandsShown = TRUE;
    CArray<int, int> m_arColumns;
    CMap<UINT, UINT, UINT, UINT> m_HiddenItemsAccel;
    BOOL m_bSendingCommand = FALSE;
    BOOL m_bAcceptButtonUp = TRUE;
    BOOL m_bPaletteMode = FALSE;
    int m_nPaletteRows = 1;
    CPoint m_ptCreationCursor = CPoint(-1, -1);
    BOOL m_bCreationCursorSet = FALSE;
    BOOL m_bTooltipsStale = FALSE;   // items moved since the tooltips were registered

    friend class CZUDPPopupMenu;
};

// The submenu delay in milliseconds (-1 until the first popup menu bar is
// created reads it from the user's desktop settings).
extern int g_menuShowDelay;
// The index, in its bar, of the item whose command was dispatched last;
// -1 when a command came without an item.
extern int g_lastChosenMenuItem;
// Personalized menus: rarely used commands are hidden until the menu is
// expanded.
extern BOOL g_personalizedMenus;
// Set while a personalized menu shows every command; cleared when the
// top-level popup closes.
extern BOOL g_showAllCommandsNow;
// Reads the menu-show delay from the user's settings: 500 when the value
// is missing, its number (atoi) when within 0-5000, else 5000.
int ReadMenuShowDelay();
