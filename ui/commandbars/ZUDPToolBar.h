#pragma once
// The library's toolbar, and the state all toolbars share.
//
// CZUDPToolBar is a dockable pane that holds an ordered list of buttons
// (CZUDPToolbarButton, owned by the bar; separators are buttons too),
// fills it from a toolbar resource, lays the buttons out in rows for the
// length it is given (the buttons that do not fit on a docked bar go to
// the overflow button's menu), paints them through the visual manager
// with the image list their state asks for, tracks the mouse and the keys
// over them, shows their tooltips and sends their commands.  Every other
// command bar (menu bar, popup menu bars, drop-down toolbars...) derives
// from it.
//
// The files: ZUDPToolBar.cpp (the model: creation, button list, the
// compatibility messages), ZUDPToolBarLayout.cpp (sizes and layout),
// ZUDPToolBarPaint.cpp (painting), ZUDPToolBarInput.cpp (mouse, keys,
// tooltips, help mode, accessibility), ZUDPToolBarResources.cpp (toolbar
// resources and images).
//
// Images: a toolbar draws from eight library-wide image lists (normal,
// cold, disabled, their large forms, menu and disabled menu) that every
// toolbar appends its images to, unless it is locked: then it keeps eight
// lists and its sizes of its own and takes no part in customization.
//
// The virtual operations keep their order: derived bars override them by
// name.
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPControlBarImpl.h"
#include "ui/commandbars/ZUDPToolbarDropSource.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/win/GdiObject.h"
#include "ui/foundation/ZUDPToolBarImages.h"

#include <vector>

class CMenu;
class COleDataObject;
class CToolTipCtrl;
class CCustomizeButton;
class CZUDPToolbarButton;
class CZUDPToolbarMenuButton;
class CZUDPUserTool;

typedef DWORD DROPEFFECT;

// The image resources of a toolbar: one resource id per image list, 0 for
// none.
struct CZUDPToolBarImageSet {
    UINT m_uiColdResID = 0;
    UINT m_uiResID = 0;              // the normal images
    UINT m_uiDisabledResID = 0;
    UINT m_uiLargeColdResID = 0;
    UINT m_uiLargeResID = 0;
    UINT m_uiLargeDisabledResID = 0;
    UINT m_uiMenuResID = 0;
    UINT m_uiMenuDisabledResID = 0;
};

// The base of the toolbars (menu bars and popup menu bars among them): the
// docking behaviour all toolbars share.  A toolbar is always dragged in
// immediate mode, keeps its dock-bar links and virtual rectangle when it
// gets a new parent, is at least 40 pixels long, has no pane menu (a
// right click shows the frame's list of bars) and repaints whole when a
// row stretches it.
class CZUDPBaseToolBar : public CZUDPControlBar {
    DECLARE_DYNCREATE(CZUDPBaseToolBar)
public:
    CZUDPBaseToolBar() = default;

    DWORD GetDockingMode() const override { return ZUDP_DOCK_IMMEDIATE; }
    void RefreshDockBarLink(CWnd* pOldParent) override { (void)pOldParent; }
    void GetMinSize(CSize& size) const override { size = IsHorizontal() ? CSize(40, 16) : CSize(16, 40); }
    BOOL ShowDockingMenu(CPoint pt) override
    {
        (void)pt;
        return FALSE;
    }
    void RedrawOnResize(int nDelta) override;
};

class CZUDPToolBar : public CZUDPBaseToolBar {
    DECLARE_SERIAL(CZUDPToolBar)
public:
    CZUDPToolBar();
    ~CZUDPToolBar() override;

    // --- overrides of the pane bases
    void Serialize(CArchive& ar) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL UpdateAccessibilityData(long nChildId) override;
    void NotifyChildFocus(long nChildId) override;
    long AccessibleChildFromPoint(CPoint ptScreen) override;
    BOOL IsFloating() const override { return m_bFloating; }
    BOOL CanClose() const override { return !m_bNotClosable; }
    BOOL CanTakeFocus() const override { return FALSE; }
    // Stores the sides; the bar may then float, and nothing more.
    void SetDockableSides(DWORD dwAlignments) override;
    // nLength: a width, or a height when bLengthIsHeight is non-zero.
    CSize CalcFixedSize(int nLength, DWORD bLengthIsHeight) override;
    void UpdateLayout() override;
    void LeaveDockBar(CWnd* pNewParent, BOOL bFlag) override;
    // The button list and control-bar state under the profile.  Saving is
    // FALSE when a value could not be written; loading is FALSE when the
    // key or the buttons are missing or the archive is damaged (then the
    // bar keeps its buttons).
    BOOL LoadBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override;
    void PaintBar(CDC* pDC) override;
    CSize CalcSize(BOOL bVertDock) override;
    void OnFloated() override;
    void OnAfterDock(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod) override;

    // --- 1-8: creation and filling
    // CreateBarEx with the flat control style and borders of 1.
    virtual BOOL CreateBar(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                           UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                             DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                             UINT nID = AFX_IDW_TOOLBAR);
    // Every button takes its default image again (not on a locked bar); a
    // floating bar lays itself out again.
    virtual void RefreshButtons();
    virtual BOOL LoadImagesAndButtons(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                                      UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
    virtual BOOL LoadButtonsResource(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                                     UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiImageResID = 0);
    virtual BOOL LoadImagesAndButtonsEx(const CZUDPToolBarImageSet& images, BOOL bLocked = FALSE);
    // Fills the bar from a toolbar resource (its sizes, its command ids)
    // and the image resources; FALSE when the resource is missing or
    // malformed or an image cannot be loaded (the buttons then stay).
    virtual BOOL ReadToolbarResource(UINT uiResID, const CZUDPToolBarImageSet& images, BOOL bLocked = FALSE);
    // Replaces the buttons by one per command id (0: a separator).  From a
    // resource, the images follow the bar's image offset; otherwise only
    // commands with a default image get a button.
    virtual BOOL ReplaceButtons(const UINT* lpIDArray, int nIDCount, BOOL bFromResource);

    // --- 9-13: the button list (the bar owns its buttons)
    // Adds a button at a position (-1 or the count: at the end, before the
    // overflow button); answers its position, -1 when it was refused (then
    // the caller keeps it).  Nothing is laid out.
    virtual int InsertButton(CZUDPToolbarButton* pButton, int iInsertAt = -1);
    // Inserts a copy of the button (an object of its class).
    virtual int InsertButtonCopy(const CZUDPToolbarButton& button, int iInsertAt = -1);
    // Refused on an empty bar and at position 0.
    virtual int InsertSeparator(int iInsertAt = -1);
    // Removes (and deletes) the button at a position, with the separators
    // the removal leaves at the end or doubled; FALSE for no button or the
    // overflow button.
    virtual BOOL RemoveButton(int iIndex);
    virtual void DeleteAllButtons();

    // --- 14-28: sizes and small answers
    virtual int GetRowHeight() const;
    virtual int GetColumnWidth() const;
    virtual BOOL UsesButtonExtraSize() const { return TRUE; }
    virtual void Deactivate();
    virtual void RestoreFocus();
    virtual BOOL IsResourceChanged() const { return m_bResourceChanged; }
    virtual void GetItemRect(int iIndex, LPRECT lpRect) const;
    virtual void GetInvalidateItemRect(int iIndex, LPRECT lpRect) const;
    virtual void ChangeButtonStyle(int iIndex, UINT nStyle);
    virtual BOOL AllowShowTextLabels() const { return TRUE; }
    virtual BOOL AllowRemoveDraggedButton(CZUDPToolbarButton* pButton, DROPEFFECT dropEffect)
    {
        (void)pButton;
        (void)dropEffect;
        return TRUE;
    }
    virtual BOOL DeleteSavedState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual BOOL HasSourceResource() const { return m_uiOriginalResID != 0; }
    virtual BOOL ReloadFromResource();
    virtual void OnAfterSetButtons() {}

    // --- 29-38
    // The first visible button under a client point; -1 for none or a
    // separator.
    virtual int HitTest(CPoint point);
    virtual BOOL TranslateShortcut(UINT nKey);
    virtual BOOL ActivatePrevMenu();
    virtual BOOL ActivateNextMenu();
    // The button's text from its command's tooltip string; FALSE (text
    // unchanged) when the command has none.
    virtual BOOL UpdateButtonText(CZUDPToolbarButton* pButton);
    virtual void DrawRarelyUsedItems(CDC* pDC) { (void)pDC; }
    // The library's fonts changed: every button takes them.
    virtual void UpdateButtonFonts();
    virtual BOOL GetCustomTooltipText(CZUDPToolbarButton* pButton, CString& strText);
    virtual void SetHotButton(int iButton);
    // The visual manager was replaced: window region, size, image colours.
    virtual void OnVisualManagerChanged();

    // --- 39-50
    virtual CSize CalcLayout(DWORD dwMode, int nLength = -1);
    virtual BOOL DrawOneButton(CDC* pDC, CZUDPToolbarButton* pButton, CZUDPToolBarImages* pImages, BOOL bHighlighted,
                               BOOL bDrawDisabledImages);
    virtual void DrawDragMarker(CDC* pDC);
    virtual void RebuildMnemonics();
    virtual CWnd* GetCommandTarget() const;
    virtual BOOL DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT TrackDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void RemoveInsertMark();
    virtual DROPEFFECT TrackDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL SendCommand(CZUDPToolbarButton* pButton, BOOL bFromEnter, int nNotifyCode, WPARAM wParam,
                             LPARAM lParam);
    virtual int FindDropIndex(CPoint point, CRect& rectDrag) const;
    virtual void PositionButtons();

    // --- 51-60
    // TRUE stops the bar from sending the button's command.
    virtual BOOL HandleButtonClick(CZUDPToolbarButton* pButton) { (void)pButton; return FALSE; }
    virtual BOOL CanHighlightDisabledItems() const { return FALSE; }
    virtual BOOL AppearsInToolbarList() const { return TRUE; }
    virtual BOOL KeepsHotOnMouseLeave() const { return FALSE; }
    virtual BOOL DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz);
    virtual CZUDPToolbarButton* CreateButtonFromDrop(COleDataObject* pDataObject);
    virtual BOOL HandleKey(UINT nChar) { (void)nChar; return FALSE; }
    virtual void ApplyCustomizeMode(BOOL bCustomize);
    virtual BOOL PrepareButtonContextMenu(CZUDPToolbarButton* pButton, CMenu* pPopup);
    virtual BOOL IsMenuStyleFor(CZUDPToolbarButton* pButton) const { (void)pButton; return m_bMenuMode; }

    // --- 61-69
    virtual void GetButtonDrawRect(CZUDPToolbarButton* pButton, CRect& rect, BOOL bHorz) const;
    virtual void MoveButtonGroup(CZUDPToolbarButton* pButton, CPoint ptStart, CPoint ptEnd);
    virtual void ShowCommandMessageString(UINT uiCmdId);
    virtual int CalcMaxButtonHeight();
    virtual BOOL AllowAltCustomization() const { return TRUE; }
    virtual void RecalcLayoutNow();
    virtual BOOL SaveOriginalItems(LPCTSTR lpszRegistryKey);
    virtual BOOL LoadOriginalItems(LPCTSTR lpszRegistryKey);
    // Merges the resource changes made since the saved original items were
    // stored: items gone from the resource leave the bar, new ones come in
    // at their resource position.  TRUE when the resource changed.
    virtual BOOL SetButtonList(CObList& lstButtons);
    // FALSE lets a bar make its tooltip control when it first needs one
    // (popup menus: most open and close without the mouse over an item).
    virtual BOOL CreatesToolTipOnCreate() const { return TRUE; }
    // FALSE for a button the bar never shows a tooltip over: it gets no
    // tool in the tooltip control.
    virtual BOOL HasToolTip(const CZUDPToolbarButton* pButton) const { (void)pButton; return TRUE; }

    // --- the button list
    int GetCount() const { return int(m_Buttons.GetCount()); }
    int CountButtons() const { return GetCount(); }
    CZUDPToolbarButton* GetButtonAt(int iIndex) const;
    int IndexOfButton(const CZUDPToolbarButton* pButton) const;
    // The first position at or after iIndexFirst whose button has the
    // command, -1 when none.
    int FindCommandIndex(UINT uiCmd, int iIndexFirst = 0) const;
    UINT GetCommandAt(int iIndex) const;
    UINT GetButtonStyleAt(int iIndex) const;
    CString GetButtonTextAt(int iIndex) const;
    BOOL SetButtonTextAt(int iIndex, LPCTSTR lpszText);
    // Shows the text (the given one, or the command's) and the image or not.
    void SetButtonDisplay(int iIndex, LPCTSTR lpszText, BOOL bShowText, BOOL bShowImage);
    CZUDPToolbarButton* GetHotButtonObject() const { return GetButtonAt(m_iHot); }
    // The first menu button whose popup is open, and its position.
    CZUDPToolbarMenuButton* FindOpenMenuButton(int* piIndex = nullptr) const;
    const CObList& GetAllButtons() const { return m_Buttons; }
    const CObList& GetOriginalItems() const { return m_OrigButtons; }
    const CObList& GetResetItems() const { return m_OrigResetButtons; }
    // Adds a copy to the reset items (-1 or the count: at the end); -1 for
    // a position outside the list.
    int InsertResetButton(const CZUDPToolbarButton& button, int iInsertAt = -1);

    // --- the overflow button (always the last button when there is one)
    // Adds (or updates) the overflow button with a customize command and
    // its label, or removes it; bAddRemoveButtons offers "Add or Remove
    // Buttons" in its menu.
    void SetOverflowButton(BOOL bEnable, UINT uiCustomizeCmd = 0, const CString& strLabel = CString(),
                           BOOL bAddRemoveButtons = TRUE);
    CCustomizeButton* GetOverflowButton() const { return m_pCustomizeBtn; }
    BOOL OffersAddRemoveButtons() const { return m_bQuickCustomize; }

    // --- sizes (see ZUDPToolBarLayout.cpp)
    CSize GetButtonSize() const;
    CSize GetImageSize() const;
    static CSize GetMenuButtonSize();
    static CSize GetMenuItemImageSize();
    static void SetSizes(SIZE sizeButton, SIZE sizeImage);
    static void SetMenuSizes(SIZE sizeButton, SIZE sizeImage);
    void SetOwnSizes(SIZE sizeButton, SIZE sizeImage, BOOL bNoImageScaling = FALSE);
    static void SetLargeIcons(BOOL bLargeIcons = TRUE);
    static CSize GetLibraryButtonSize() { return s_sizeButton; }
    static CSize GetLibraryImageSize() { return s_sizeImage; }
    // Wraps the buttons into rows for a length; answers the row count.
    int WrapToolBar(int nWidth, int nHeight = 32767, CDC* pDC = nullptr, int nColumnWidth = -1, int nRowHeight = -1);
    // Wraps the buttons for the narrowest width (or a height) that gives
    // the rows the length asks for.
    void SizeToLength(int nLength, BOOL bLengthIsHeight);
    // Resizes the bar to its stretch size and keeps its row, floating frame
    // and frame in step.
    void ApplyLayoutSize();
    void ApplyWindowRegion();
    CZUDPToolbarButton* InvalidateButton(int iIndex);
    void RedrawOverflowArea();
    BOOL IsButtonHighlighted(int iIndex) const;

    // --- look
    void EnableLargeIcons(BOOL bEnable) { m_bLargeIconsAreEnabled = bEnable; }
    // Text under the images of a horizontal bar (not on menu-style bars).
    void ShowTextLabels(BOOL bShowTextLabels = TRUE);
    BOOL AreTextLabels() const { return m_bTextLabels; }
    void SetMenuStyleSizes(BOOL bMenuMode) { m_bMenuMode = bMenuMode; }
    BOOL IsMenuStyle() const { return m_bMenuMode; }
    BOOL IsLocked() const { return m_bLocked; }
    void RefreshImageColors();
    // The images the bar's menus use when the bar keeps its own images:
    // its menu images when they hold any, else its toolbar images, else
    // none.
    CZUDPToolBarImages* GetLockedMenuImages();
    // The text colour of toolbar and menu text: the custom colour when one
    // was set, else the system button-text colour.
    static COLORREF GetDefaultTextColor();
    static void SetDefaultTextColor(COLORREF clrText) { s_clrCustomText = clrText; }
    // Every button with an access key shown on every live toolbar is
    // repainted (the keyboard cues changed).
    static void RedrawMnemonicButtons();

    // --- commands
    BOOL OpenMenuButton(CZUDPToolbarButton* pButton);
    BOOL RunButtonCommand(CZUDPToolbarButton* pButton);
    BOOL HighlightButton(CZUDPToolbarButton* pButton);
    void UpdateButtonCmdUI(int iIndex);
    void RebuildTooltips();
    // Context-help tracking of every toolbar (a mouse hook of the thread).
    static BOOL EnableHelpModeTracking(BOOL bOn);
    static BOOL IsHelpModeTracking();

    // --- customization
    // Switches the library-wide customization mode for every toolbar;
    // FALSE when it already has the value.
    static BOOL SetCustomizeMode(BOOL bSet = TRUE);
    // Selects the button (-1: none) and makes this bar the one holding
    // the selection (the previous holder loses its own).
    void SelectCustomizeButton(int iIndex);
    // The button context menu of customization at a screen point (-1, -1:
    // from the keyboard, on the selected button); FALSE when none opened.
    BOOL ShowButtonContextMenu(CPoint point);

    // --- library-wide
    static CObList& GetToolbarList();
    // Every button with the command on every live toolbar, appended to the
    // emptied list; answers how many were found (0 for command 0).
    static int CollectCommandButtons(UINT uiCmd, CObList& listButtons);
    static void AddCoreCommand(UINT uiCmd);
    // Records one use of a command in the process-wide usage statistics
    // (what personalized menus learn from), and reads the count back.
    static void CountCommandUse(UINT uiCmd);
    static UINT GetCommandUseCount(UINT uiCmd);
    // Whether the toolbar's id is one of its frame's user toolbars.
    static BOOL IsUserDefinedToolbar(const CZUDPToolBar* pToolBar);
    // The toolbar and menu options under "ZUDToolbarParameters" of the
    // profile.  Loading is TRUE only when every value was read; the menu
    // animation, the large icons and the look are applied in every case.
    static BOOL LoadGlobalOptions(LPCTSTR lpszProfileName = nullptr);
    static BOOL SaveGlobalOptions(LPCTSTR lpszProfileName = nullptr);
    // Only the large-icons option, not applied (bars made later use it).
    static BOOL LoadLargeIconsOption(LPCTSTR lpszProfileName = nullptr);
    // The items a reset brings back, under the bar's state key.
    BOOL SaveResetItems(LPCTSTR lpszRegistryKey);
    BOOL LoadResetItems(LPCTSTR lpszRegistryKey);
    // The bar's state key: "ZUDToolBar-<id>" (with the index in hex when
    // one is given) below the profile or the toolbars' section.
    CString StateKeyPath(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) const;

    // Sibling pair: two toolbars that can share a row or use two.
    BOOL IsSiblingOnSameDockBar() const;
    BOOL IsSiblingInSameRow() const;
    void JoinSiblingRow();
    void SplitSiblingRow();
    void SetSibling(CZUDPToolBar* pSibling, BOOL bSecond) { m_bHasSibling = pSibling != nullptr; m_bSecondSibling = bSecond; m_pSibling = pSibling; }

    // --- state the layout and input read
    int GetHotIndex() const { return m_iHot; }
    int GetPressedIndex() const { return m_iButtonCapture; }
    int GetSelectedIndex() const { return m_iSelected; }
    void SetSelectedIndex(int iSelected) { m_iSelected = iSelected; }
    int GetTrackedIndex() const { return m_iHighlighted; }
    UINT GetResourceID() const { return m_uiOriginalResID; }
    int GetImagesOffset() const { return m_iImagesOffset; }
    CToolTipCtrl* GetToolTip() const { return m_pToolTip; }
    int GetToolTipCount() const { return m_nTooltipsCount; }
    void SetInsertionMark(int iIndex, const CRect& rect) { m_iDragIndex = iIndex; m_rectDrag = rect; }
    int GetInsertionIndex() const { return m_iDragIndex; }
    const CRect& GetInsertionRect() const { return m_rectDrag; }
    BOOL IsResizingButton() const { return m_bStretchButton; }
    CZUDPToolbarButton* FindMnemonic(UINT nUpperChar) const;
    CZUDPControlBarImpl& GetImpl() { return m_Impl; }

    // --- fields (see ZUDPToolBar.cpp for their roles)
    CZUDPToolBarImages m_ImagesLocked;
    CZUDPToolBarImages m_ColdImagesLocked;
    CZUDPToolBarImages m_DisabledImagesLocked;
    CZUDPToolBarImages m_LargeImagesLocked;
    CZUDPToolBarImages m_LargeColdImagesLocked;
    CZUDPToolBarImages m_LargeDisabledImagesLocked;
    CZUDPToolBarImages m_MenuImagesLocked;
    CZUDPToolBarImages m_DisabledMenuImagesLocked;
    BOOL m_bLocked = FALSE;
    BOOL m_bLargeIconsAreEnabled = TRUE;
    CZUDPControlBarImpl m_Impl;
    BOOL m_bHiddenFromToolbarList = FALSE;
    BOOL m_bNotClosable = FALSE;
    BOOL m_bTextLabels = FALSE;
    BOOL m_bDrawTextLabels = FALSE;      // uniform height: computed by the layout
    int m_nMaxBtnHeight = 0;             // the tallest button: computed by the layout
    CSize m_sizeButtonLocked = CSize(23, 22);
    CSize m_sizeImageLocked = CSize(16, 15);
    CSize m_sizeLargeButtonLocked = CSize(23, 22);
    CSize m_sizeLargeImageLocked = CSize(16, 15);
    BOOL m_bNoImageScalingLocked = FALSE;
    BOOL m_bTrackMouseFocus = TRUE;      // the hot button stays while the bar has the focus
    BOOL m_bFloating = FALSE;
    BOOL m_bNoDropTarget = FALSE;
    CZUDPToolbarDropTarget m_DropTarget; // takes dragged buttons while customizing
    BOOL m_bDisableControlsIfNoHandler = TRUE;
    BOOL m_bRouteCommandsViaFrame = TRUE; // the command target must be a frame window
    BOOL m_bDisableCustomize = FALSE;     // no drag and drop of buttons
    BOOL m_bDrawBorders = TRUE;
    BOOL m_bGrayDisabledButtons = TRUE;
    BOOL m_bIgnoreSetText = FALSE;
    int m_nMaxLen = 0;                   // maximum stretch length, 0: none
    BOOL m_bNoLayoutOnSize = FALSE;

protected:
    // --- messages
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysColorChange();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnCancelMode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnMouseLeave();
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButtonText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetControlAero(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    // Asks whether to reset the bar to its resource and does so on OK.
    LRESULT OnResetPrompt(WPARAM wParam, LPARAM lParam);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // The button context menu's commands, on the selected button.
    void OnResetButton();
    void OnCopyButtonImage();
    void OnDeleteButton();
    void OnButtonAppearance();
    void OnButtonImageOnly();
    void OnButtonTextOnly();
    void OnButtonImageAndText();
    void OnStartGroup();
    void OnInsertMenuButton();
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The mouse-move handling of a point (also the help-mode hook's).
    void TrackMouseAt(CPoint point);
    // A press in customization mode, or with Alt outside it: selection,
    // the resize of a button with a control, or a drag of the button.
    // FALSE when the press is not customization's.
    BOOL HandleCustomizeLButtonDown(UINT nFlags, CPoint point);
    // Drags the button through the OLE drag loop and removes it when it
    // went to another bar or over none.
    void DragButton(CZUDPToolbarButton* pButton, CPoint point);
    void EndQuickCustomize();
    // The resize of a button with a control: follows the mouse / ends at
    // the release.  FALSE when no resize is under way.
    BOOL TrackButtonResize(CPoint point);
    BOOL EndButtonResize(CPoint point);
    INT_PTR RunAppearanceDialog(CZUDPToolbarButton* pButton);
    void CopyToolIcon(const CZUDPUserTool& tool);
    // Whether the bar (or, in a tab window, the tab window or its parent)
    // has the focus.
    BOOL HasFocusForTracking() const;
    // The measuring font for the bar's orientation (vertical text on a
    // vertical bar, the dialog font in a dialog).
    HFONT MeasuringFont() const;
    // Paints the bar into the DC (the off-screen surface of PaintBar).
    void PaintButtons(CDC* pDC, const CRect& rectClip);
    static LRESULT CALLBACK HelpModeMouseProc(int nCode, WPARAM wParam, LPARAM lParam);

    CObList m_Buttons;
    CObList m_OrigButtons;
    CObList m_OrigResetButtons;
    BOOL m_bResourceChanged = FALSE;
    int m_iButtonCapture = -1;           // the button held down with the left mouse button
    int m_iHot = -1;                     // the hot-tracked button
    int m_iSelected = -1;                // selected in customization mode
    int m_iHighlighted = -1;             // made hot last by SetHotButton
    CToolTipCtrl* m_pToolTip = nullptr;
    int m_nTooltipsCount = 0;
    int m_iDragIndex = -1;               // where a dragged button would be dropped
    CRect m_rectDrag;                    // where the insertion mark is drawn
    CPen m_penDrag;
    CZUDPToolbarButton* m_pDragButton = nullptr;
    CPoint m_ptStartDrag = CPoint(-1, -1);
    BOOL m_bIsDragCopy = FALSE;
    BOOL m_bStretchButton = FALSE;       // a button is being resized
    CRect m_rectTrack;
    CRect m_rectResizeShown;             // the resize outline drawn last (XOR), empty: none
    int m_iImagesOffset = 0;             // the resource's first image in the shared lists
    UINT m_uiOriginalResID = 0;          // the toolbar resource the buttons came from
    BOOL m_bTracked = FALSE;             // a mouse-leave notification was requested
    CPoint m_ptLastMouse = CPoint(-1, -1);
    BOOL m_bMenuMode = FALSE;            // menu-style sizes (popup menu bars)
    CWnd* m_pWndLastCapture = nullptr;
    HWND m_hwndLastFocus = nullptr;
    CSize m_sizeLast = CSize(0, 0);
    CMap<UINT, UINT, CZUDPToolbarButton*, CZUDPToolbarButton*> m_AccelKeys;
    CCustomizeButton* m_pCustomizeBtn = nullptr;
    BOOL m_bQuickCustomize = FALSE;      // the overflow button offers Add or Remove Buttons
    BOOL m_bHasSibling = FALSE;
    BOOL m_bSecondSibling = FALSE;
    CZUDPToolBar* m_pSibling = nullptr;
    int m_iAccHotItem = -10;             // the item the accessibility timer was started for
    BOOL m_bRoundShape = FALSE;          // the visual manager wants a rounded window region
    BOOL m_bRegionApplied = FALSE;       // a window region is set
    BOOL m_bInUpdateLayout = FALSE;      // UpdateLayout is running (a rebar band resizes the bar)
    int m_iPromptItem = -1;              // the item whose prompt the status bar shows
    // The buttons whose tools the tooltip control holds, in order, as the
    // last rebuild registered them: a layout that moved nothing and kept
    // the same buttons leaves the tools as they are.
    std::vector<const CZUDPToolbarButton*> m_tooltipButtons;
    // Per button index: the bar registered a plain tool of its own (text
    // by callback) under the index's id in the last rebuild.  Such a tool
    // only has its rectangle moved by the next rebuild.
    std::vector<bool> m_plainToolAt;

private:
    static CSize s_sizeButton;
    static CSize s_sizeImage;
    static CSize s_sizeMenuButton;
    static CSize s_sizeMenuImage;
    static CSize s_sizeLargeButton;
    static CSize s_sizeLargeImage;
    static COLORREF s_clrCustomText;
};

// The toolbar's command-update object: Enable, SetCheck, SetRadio and
// SetText change the button at m_nIndex through the bar.
class COldToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;
    CZUDPToolBar* m_pToolBar = nullptr;
};

// Every live toolbar of the process (each adds itself when its window is
// created and leaves when it is destroyed or deleted); readers skip
// entries without a permanent window.
extern CObList g_toolbarList;
// The toolbar that holds the button selected in customization, or null.
extern CZUDPToolBar* g_customizeSelectedBar;

// The shared image lists: normal, cold, disabled, their large forms, the
// menu images and the disabled menu images; and the user-defined images
// (null unless the application installs them).
extern CZUDPToolBarImages g_sharedToolbarImages;
extern CZUDPToolBarImages g_sharedColdImages;
extern CZUDPToolBarImages g_sharedDisabledImages;
extern CZUDPToolBarImages g_sharedLargeImages;
extern CZUDPToolBarImages g_sharedLargeColdImages;
extern CZUDPToolBarImages g_sharedLargeDisabledImages;
extern CZUDPToolBarImages g_sharedMenuImages;
extern CZUDPToolBarImages g_sharedDisabledMenuImages;
extern CZUDPToolBarImages* g_sharedUserImages;
// Each command's default image in the shared list, filled from the
// toolbar resources.
extern CMap<UINT, UINT, int, int> g_defaultCommandImages;

// Options of all toolbars and menus.
extern BOOL g_customizeMode;          // toolbar customization mode is on
extern BOOL g_quickCustomize;         // an Alt+drag of a button is under way
extern BOOL g_altCustomization;       // Alt+drag customizes outside customization mode (off by default)
extern BOOL g_registerCommandImages;  // buttons given an image record it with the command manager
extern BOOL g_largeIcons;             // toolbars use large icons
extern BOOL g_showTooltips;
extern BOOL g_showShortcutKeys;       // tooltips show the command's shortcut key
extern BOOL g_showAllMenusAfterDelay; // a personalized menu shows every command after a delay
extern BOOL g_toolbarComboKeysFlag;   // toolbar combo boxes leave Tab, Esc, Up and Down to the bar
extern int g_menuAnimation;           // popup-menu animation: 0 none; 999 follow the system
extern BOOL g_noImageScaling;         // the shared images are not scaled by the DPI scale
// A toolbar without cold images of its own gets grey copies of its normal
// images, this many percent grey.
extern BOOL g_generateColdImages;
extern int g_coldImageGrayPercent;
// Commands that may not appear on any toolbar.
extern CList<UINT, UINT> g_blockedCommands;
// Commands that personalized menus always show and never count.
extern CList<UINT, UINT> g_coreCommands;

// Recent-file, OLE-verb and system commands, ids from 0xFF00 up and the
// user tools' placeholder: never counted or customized.
BOOL IsReservedCommand(UINT uiCmd);
BOOL IsCoreCommand(UINT uiCmd);
BOOL IsRarelyUsedCommand(UINT uiCmd);
// The menu animation setting with 999 (follow the system) resolved.
int ResolvedMenuAnimation();
