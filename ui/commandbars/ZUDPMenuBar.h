#pragma once
// CZUDPMenuBar: a frame's menu as a dockable toolbar.  Every top-level
// popup of the menu becomes a menu button that opens its submenu, every
// command item a text button.  The bar keeps the user's edited copy of
// each menu it has shown in the menu hash (g_menuHash), keyed by the menu
// handle, and brings it back when that menu is shown again.  While an MDI
// child is maximized, the child's icon stands first and its minimize,
// restore and close buttons last.  The bar takes a dock row of its own and
// stretches over it.
//
// The files: ZUDPMenuBar.cpp (items, layout, MDI buttons, keys, timer)
// and ZUDPMenuBarState.cpp (saving, loading and resetting every menu the
// bar can show).
#include "framework/List.h"
#include "ui/commandbars/ZUDPToolBar.h"

class CDocTemplate;
class CMultiDocTemplate;
class CZUDPMenuPage;
class CZUDPToolbarSystemMenuButton;

class CZUDPMenuBar : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPMenuBar)
public:
    CZUDPMenuBar();
    ~CZUDPMenuBar() override;

    // --- overrides
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    // Menu titles show no tooltip, so they get no tool either (which also
    // keeps switching menus from refilling the tooltip control).
    BOOL HasToolTip(const CZUDPToolbarButton* pButton) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL CanClose() const override { return FALSE; }
    // Every menu the bar can show (the shared menus of the document types
    // and the default menu), one toolbar key per menu below the profile's
    // "ZUDMenuBar" section.  FALSE when a menu could not be read or
    // written; the other menus are handled all the same.
    BOOL LoadBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override;
    int GetAvailableExpandSize() const override;
    BOOL IsShownInBarsMenu() const override { return FALSE; }
    BOOL CreateBar(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                   UINT nID = AFX_IDW_TOOLBAR) override;
    BOOL CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                     DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                     UINT nID = AFX_IDW_TOOLBAR) override;
    // The toolbar's image refresh for every stored menu.
    void RefreshButtons() override;
    int GetRowHeight() const override;
    int GetColumnWidth() const override;
    BOOL UsesButtonExtraSize() const override { return FALSE; }
    BOOL AllowShowTextLabels() const override { return FALSE; }
    BOOL HasSourceResource() const override { return TRUE; }
    // Every menu back to its resource (see ZUDPMenuBarState.cpp).
    BOOL ReloadFromResource() override;
    // A command's text from the current menu, else the toolbar's answer.
    BOOL UpdateButtonText(CZUDPToolbarButton* pButton) override;
    // The toolbar's hot button; the expansion timer starts over while a
    // menu of the bar is open.
    void SetHotButton(int iButton) override;
    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    // Nothing goes before the child's icon or after its caption buttons.
    int FindDropIndex(CPoint point, CRect& rectDrag) const override;
    // The toolbar's placement, then the caption buttons at the far end.
    void PositionButtons() override;
    // A caption button sends its system command to the active MDI child.
    BOOL HandleButtonClick(CZUDPToolbarButton* pButton) override;
    BOOL IsMenuStyleFor(CZUDPToolbarButton* pButton) const override;
    int CalcMaxButtonHeight() override;

    // --- operations added, in order
    // Rebuilds the bar for a menu: the buttons of the outgoing menu go to
    // the menu hash, those of the incoming one come back from it, or are
    // built from the menu.  The current menu again (outside customization,
    // not forced) changes nothing.  A null menu with nothing stored keeps
    // the buttons.
    virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    // The original-items list from a menu resource (what the resource
    // comparison of the saved state uses); FALSE without the workspace's
    // comparison or the resource.
    virtual BOOL BuildOriginalItems(UINT uiMenuResID);
    // The reset has loaded the default menu again (for derived bars).
    virtual void OnDefaultMenuReloaded(HMENU hMenu) { (void)hMenu; }

    // --- MDI children
    // The maximized child's icon and caption buttons on (bMaximize with a
    // child) or off.  Taking them off removes only those buttons.
    void UpdateMDIChildButtons(BOOL bMaximize, CWnd* pWndChild, BOOL bRecalcLayout = TRUE);
    // Puts back the buttons of the frame's active child after they were
    // taken off for a save or a load.
    void RestoreMDIChildButtons(BOOL bRecalcLayout);
    // The child's icon button while the MDI buttons are shown, else null.
    CZUDPToolbarSystemMenuButton* GetSystemMenuButton() const;
    BOOL AreMDIButtonsShown() const { return m_bMDIButtonsShown; }
    int GetCaptionButtonCount() const { return m_nSystemButtonsNum; }
    CSize GetCaptionButtonSize() const { return m_szSystemButton; }

    // --- queries and setters
    // Where a popup of a button of a floating bar that wraps its buttons
    // into rows opens: 3 right of a button that ends its row, 4 left of
    // the first of a row, 2 above the others of the first row, 1 below
    // the rest; -1 when the bar is not floating or does not wrap.
    int GetFloatPopupDirection(CZUDPToolbarButton* pButton);
    void SetDefaultMenuId(UINT uiResId) { m_uiDefMenuResId = uiResId; }
    UINT GetDefaultMenuResId() const { return m_uiDefMenuResId; }
    HMENU GetMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
    CWnd* GetBarFrame() const { return m_pParentWnd; }
    void SetMenuPage(CZUDPMenuPage* pPage) { m_pMenuPage = pPage; }
    CZUDPMenuPage* GetMenuPage() const { return m_pMenuPage; }
    // After a reset, an open customization Menu page shows the reloaded
    // menu of the active document type (none: the default menu) without
    // saving the one it showed.  The Menu page's unit sets this to its
    // SelectMenu; null leaves the page alone.
    static void (*s_selectMenuOnPage)(CZUDPMenuPage* pPage, CDocTemplate* pActiveTemplate);
    // The text of the first item of the menu (searched depth first) with
    // the command; FALSE for no menu, command 0 or -1, or no such item.
    static BOOL FindMenuItemText(HMENU hMenu, UINT nItemID, CString& strText);
    // The children of every document of the type take its shared menu and
    // accelerators.
    static void UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate);
    static void SetRecentlyUsedMenus(BOOL bOn);
    static void SetShowAllCommands(BOOL bOn);
    static BOOL IsRecentlyUsedMenus();
    static BOOL IsShowAllCommands();

    // The expansion timer: a personalized menu left open with the cursor
    // on its title shows every command after this long.
    static const UINT_PTR kExpandTimerId = 1;
    static const UINT kExpandDelay = 5000;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()

    // The size of one caption button (from the system's menu-button size).
    void CalcSystemButtonSize();
    // Recomputes the has-images flag.
    void UpdateHasImages();
    // The owner window (the parent without one): where the reset notice goes.
    CWnd* NoticeWindow() const;
    // The index of the first caption button (they stand before the
    // overflow button), or the button count when there are none.
    int FirstCaptionButtonIndex() const;
    // Menus the bar loaded itself (a reset) and so destroys: never the
    // frame's menu or a document type's shared menu unless the bar
    // replaced it there.
    void TakeMenuOwnership(HMENU hMenu);
    BOOL ReleaseMenuOwnership(HMENU hMenu);
    // Removes the child's icon and caption buttons, found by their class.
    void RemoveMDIButtonsByClass();
    // The icon (first) and caption buttons (last) for a child of the
    // style, from the remembered system menu; none without one.
    void InsertMDIButtons(HWND hWndChild, DWORD dwStyle);
    static BOOL FindMenuItemTextAtDepth(HMENU hMenu, UINT nItemID, CString& strText, int nDepth);

    // --- fields, in order
    CWnd* m_pParentWnd = nullptr;          // the frame
    BOOL m_bMDIButtonsShown = FALSE;
    HMENU m_hMenu = nullptr;               // the current menu
    HMENU m_hDefaultMenu = nullptr;        // the frame's own menu
    HMENU m_hSysMenu = nullptr;            // last maximized child's system menu (not owned)
    HICON m_hSysIcon = nullptr;            // its small icon (not owned)
    UINT m_uiDefMenuResId = 0;
    int m_nSystemButtonsNum = 0;
    int m_nSystemButtonsNumSaved = 0;
    BOOL m_bHaveButtons = FALSE;           // an item shows an image
    CSize m_szSystemButton = CSize(0, 0);
    CZUDPMenuPage* m_pMenuPage = nullptr;
    CList<HMENU, HMENU> m_ownedMenus;      // loaded by the bar (a reset): destroyed with it
};
