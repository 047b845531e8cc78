#pragma once
// CZUDPTabWnd: the library's tab window, a child window with one row of
// tabs, at the top or at the bottom, over the area where the active tab's
// window is shown.  Eight style codes choose the tabs' shape and whether
// the row scrolls:
//
//   0 three-dimensional tabs, no scrolling       4 slanted tabs, scrolling
//   1 flat tabs, scrolling                       5 short-slanted tabs, scrolling
//   2 flat tabs with a shared scroll bar         6 rounded tabs, no scrolling
//   3 three-dimensional tabs, scrolling          7 rounded tabs, scrolling
//
// A scrolling row carries scroll buttons (first and last too in the flat
// style) and optionally a close button or the list of tabs; the flat style
// 2 also hosts a horizontal scroll bar that drives the active window; the
// row may end in a resize bar for tab groups.
//
// Sources: ZUDPTabWnd.cpp (creation, styles, layout), ZUDPTabWndPaint.cpp
// (drawing), ZUDPTabWndInput.cpp (activation, scrolling, tab list, keys,
// mouse, the shared scroll bar).
#include "ui/docking/ZUDPBaseTabWnd.h"
#include "ui/controls/ZUDPButton.h"

class CZUDPTabWnd;

// The icons of the open tab-list menu by command (the small icon of each
// tab's window), filled while the menu is built and emptied when it closes.
extern CMap<UINT, UINT, HICON, HICON> g_tabMenuIcons;

// A button of the tab row, drawn by the visual manager's tab-button
// operations.
class CZUDTabButton : public CZUDPButton {
    DECLARE_DYNCREATE(CZUDTabButton)
public:
    CZUDTabButton() = default;

    void FillBackground(CDC* pDC, const CRect& rect) override;
    void DrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

class CZUDPTabWnd : public CZUDPBaseTabWnd {
    DECLARE_DYNCREATE(CZUDPTabWnd)
public:
    enum TabStyle {
        TabStyle3D = 0,
        TabStyleFlat = 1,
        TabStyleFlatSharedScrollBar = 2,
        TabStyle3DScrolled = 3,
        TabStyleSlanted = 4,
        TabStyleShortSlant = 5,
        TabStyleRounded = 6,
        TabStyleRoundedScrolled = 7,
    };
    enum ResizeBarMode { ResizeBarNone = 0, ResizeBarRight = 1, ResizeBarBottom = 2 };
    // The menu of tabs: the tab at index i is command TabListCommand(i).
    // The ids are the 16-bit form of -100 - i, so they come back intact
    // through WM_COMMAND's 16-bit command word.
    static UINT TabListCommand(int iTab) { return UINT(WORD(-100 - iTab)); }
    // The tab a menu command names (-1: none of the count).
    static int TabOfListCommand(UINT uiCommand, int nTabs);

    CZUDPTabWnd();
    ~CZUDPTabWnd() override;

    // Creates the window with a style code, the strip's location and a
    // close button on the row (scrolling styles).
    BOOL CreateWithStyle(int nStyleCode, const RECT& rect, CWnd* pParentWnd, UINT nID,
                         ZUDPTabLocation location = TabLocationBottom, BOOL bCloseButton = FALSE);
    // Changes the tabs' shape after creation (the row's buttons stay as
    // created).
    BOOL SetStyleCode(int nStyleCode);
    void SetButtonsVisible(BOOL bVisible = TRUE);
    void SetHideWhenEmpty(BOOL bHide = TRUE);
    void EnableBoldActiveTab(BOOL bBold = TRUE);
    void SetDrawFrameBackground(BOOL bFill = TRUE) { m_bDrawFrame = bFill; }
    void SetResizeBarMode(int nMode);
    int GetResizeBarMode() const { return m_nResizeMode; }
    // The scroll-right button shows the list of tabs instead of scrolling.
    void EnableTabListMenu(BOOL bEnable = TRUE);
    BOOL IsTabListMenu() const { return m_bTabListMenu; }
    // A close button on the active tab (the row's close button hides).
    void EnableActiveTabCloseButton(BOOL bEnable = TRUE);
    // The widest a tab gets in the scrolling styles (0: no limit).
    void SetTabMaxWidth(int nWidth);
    void SetFlatFrame(BOOL bFramed = TRUE) { m_bFlatFrame = bFramed; }
    void SetTransparent(BOOL bTransparent = TRUE) { m_bTransparent = bTransparent; }
    void SetTopEdgeLine(BOOL bTopEdge = TRUE) { m_bTopEdge = bTopEdge; }
    void SetAutoSizeWindows(BOOL bAutoSize = TRUE) { m_bAutoSizeWindow = bAutoSize; }
    void SetActiveInGroup(BOOL bActive = TRUE) { m_bIsActiveInMDITabGroup = bActive; }

    // The area where the tabs' windows are shown, client coordinates.
    void GetWndArea(CRect& rect) const { rect = m_rectWndArea; }
    int GetScrollOffset() const { return m_nTabsHorzOffset; }
    int GetMaxScrollOffset() const { return m_nTabsHorzOffsetMax; }
    int GetContentWidth() const { return m_nTabsTotalWidth; }
    BOOL AreTabsHidden() const { return m_bHiddenDocuments; }
    const CRect& GetResizeBarRect() const { return m_rectResize; }
    const CRect& GetSplitterRect() const { return m_rectTabSplitter; }
    int GetSharedScrollBarWidth() const { return m_nHorzScrollWidth; }
    CScrollBar& GetSharedScrollBar() { return m_wndScrollWnd; }
    CZUDTabButton& GetScrollLeftButton() { return m_btnScrollLeft; }
    CZUDTabButton& GetScrollRightButton() { return m_btnScrollRight; }
    CZUDTabButton& GetScrollFirstButton() { return m_btnScrollFirst; }
    CZUDTabButton& GetScrollLastButton() { return m_btnScrollLast; }
    CZUDTabButton& GetCloseButton() { return m_btnClose; }
    CFont& GetTabsFont() { return m_fntTabs; }
    CFont& GetTabsBoldFont() { return m_fntTabsBold; }

    // Activates a tab (when it is not active) and tells the MDI client to
    // activate that tab's child window.
    void ActivateMDIChildOfTab(int iTab);
    // Style 2: the shared scroll bar takes the scroll info given, or that
    // of the active window; answers 0 in the other styles.
    int SyncSharedScrollBar(const SCROLLINFO* pScrollInfo = nullptr);
    // Style 2: the active window's own horizontal scroll bar goes.
    void HideActiveWindowScrollBar();
    // Enables and disables the scroll buttons for the scroll position.
    void UpdateScrollButtons();
    // Ends a drag of the resize bar (cancelled: no ZUDM_ON_DRAGCOMPLETE).
    void EndResizeTrack(BOOL bCancel);
    // The icon recorded for a command of the open tab-list menu.
    static HICON LookupTabMenuIcon(UINT uiCommand);
    // The cursors over a bar dragged left and right, or up and down.
    static HCURSOR GetSplitCursor(BOOL bVertical);

    // --- Overrides of the base -----------------------------------------------
    BOOL IsPtInTabArea(CPoint point) const override { return m_rectTabsArea.PtInRect(point); }
    void GetTabAreaRects(CRect& rectTop, CRect& rectBottom) const override;
    BOOL SetImageListHandle(HIMAGELIST hImageList) override;
    BOOL LoadImageList(UINT uiBitmapId, int cx, COLORREF clrMask) override;
    void RecalcTabHeight() override;
    int GetTabHeight() const override;
    void GetTabStripRect(CRect& rect) const override { rect = m_rectTabsArea; }
    void RecalcLayout() override;
    void EnableTabRename(BOOL bEnable = TRUE) override;
    void AdjustRenameEditRect(CRect& rect) const override;
    BOOL ActivateTab(int iTab) override;
    int HitTestTab(CPoint point) const override;
    BOOL EnsureTabVisible(int iTab) override;
    CWnd* GetDragWindowAtPoint(CPoint point) const override;
    BOOL SwapTabs(int iFirst, int iSecond) override;
    BOOL MoveTab(int iTab, int iNewPosition) override;
    BOOL IsFlatStyle() const override { return m_bFlat; }
    BOOL IsCloseOnActiveTab() const override { return m_bActiveTabCloseButton; }
    BOOL IsStyleCode4() const override { return m_bIsStyle4; }
    BOOL IsStyleCode5() const override { return m_bIsStyle5; }
    BOOL IsStyleCode6Or7() const override { return m_bIsStyle6Or7; }
    BOOL IsFramed() const override { return m_bFlatFrame; }
    int GetFirstScrolledTab() const override { return m_nFirstVisibleTab; }
    void HideForSingleTab(BOOL bHide = TRUE) override;
    DROPEFFECT OnTabDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnTabDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- Added virtual operations, in slot order ----------------------------
    virtual void LayoutTabs();
    virtual void ClampScrollOffset();
    virtual void PlaceScrollBar();
    virtual int GetButtonGlyphColor(CZUDPButton* pButton);
    // A slot kept for derived windows' operations to keep their places;
    // nothing asks it.
    virtual BOOL ReservedSlot() const { return TRUE; }
    virtual void ShowTabListMenu(int x, int y);
    // The tab strip of an MDI client area.
    virtual BOOL IsMDITabStrip() const;
    virtual void DrawTabClipped(CDC* pDC, CZUDPTabInfo* pTab, BOOL bActive);
    virtual void DrawTab(CDC* pDC, CZUDPTabInfo* pTab, BOOL bActive);
    // The inverted outline of the dragged resize bar, on the desktop.
    virtual void DrawTabDragRect(const CRect& rectNew, const CRect& rectOld);

    // Paints the whole window into a DC of its client area (WM_PAINT,
    // through the off-screen surface, and WM_PRINTCLIENT).
    void Paint(CDC* pDC);

protected:
    void PositionButtons(int x, int y, int cx, int cy, BOOL bHideAll, int nGap);
    void UpdateButtonImages();
    void CreateRowButtons();
    void CreateToolTips();
    int ButtonSize() const;
    void ComputeSharedScrollBarWidth();
    // The font the tabs are measured and drawn in.
    CFont* TabFont(BOOL bBold);
    // Redraws the strip band.
    void RedrawStrip();
    BOOL IsRowHidden() const;
    void ScrollByButton(HWND hWndButton);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT uFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnSysColorChange();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSetFocus(CWnd* pOldWnd);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);

    // --- State ---------------------------------------------------------------
    BOOL m_bFlat = FALSE;               // style codes 1 and 2
    BOOL m_bIsStyle4 = FALSE;
    BOOL m_bIsStyle5 = FALSE;
    BOOL m_bIsStyle6Or7 = FALSE;
    BOOL m_bSharedScroll = FALSE;       // style code 2
    BOOL m_bScroll = FALSE;             // style codes 1, 2, 3, 4, 5, 7
    BOOL m_bCloseBtn = FALSE;           // the row has a close button
    int m_nScrollBarRight = 0;          // right end of the shared scroll bar
    CRect m_rectTabsArea;               // the tab strip
    CRect m_rectWndArea;                // where the tabs' windows are shown
    CScrollBar m_wndScrollWnd;          // style code 2
    CZUDTabButton m_btnScrollLeft;
    CZUDTabButton m_btnScrollRight;     // doubles as the tab-list button
    CZUDTabButton m_btnScrollFirst;     // flat style
    CZUDTabButton m_btnScrollLast;      // flat style
    CZUDTabButton m_btnClose;
    CList<HWND, HWND> m_lstButtons;     // the created buttons in layout order
    CArray<CRect, CRect> m_arButtonRects;  // where PositionButtons put them last
    BOOL m_bButtonsVisible = TRUE;
    int m_nTabsHorzOffset = 0;          // scroll offset, pixels
    int m_nTabsHorzOffsetMax = 0;
    int m_nTabsTotalWidth = 0;          // content width of the last layout
    int m_nHorzScrollWidth = 0;         // width of the shared scroll bar
    CRect m_rectTabSplitter;            // handle left of the shared scroll bar
    BOOL m_bTrackSplitter = FALSE;      // the user drags the splitter
    BOOL m_bFlatFrame = TRUE;           // the visual manager frames the window area
    BOOL m_bAutoSizeWindow = TRUE;      // windows sized to the window area
    BOOL m_bTransparent = FALSE;        // WM_ERASEBKGND never fills
    BOOL m_bTopEdge = FALSE;            // an outline round a top strip
    BOOL m_bDrawFrame = TRUE;           // the frame band is filled
    BOOL m_bHideNoTabs = FALSE;         // no visible tab: the row takes no room
    BOOL m_bIsActiveTabBold = FALSE;
    BOOL m_bActiveTabCloseButton = FALSE;
    CRect m_rectCurrClip;               // clip box of the current paint
    BOOL m_bTabListMenu = FALSE;        // the scroll-right button lists the tabs
    int m_nListGlyph = -1;              // the glyph the tab-list button shows now
    BOOL m_bHiddenDocuments = FALSE;    // the last layout hid tabs that did not fit
    int m_nFirstVisibleTab = 0;         // first scrolled tab (style codes 4-7)
    int m_nTabMaxWidth = 0;
    int m_nResizeMode = ResizeBarNone;
    CRect m_rectResize;                 // the resize bar
    CRect m_rectResizeDrag;             // outline being dragged (screen)
    CRect m_rectResizeBounds;           // limits of the drag (screen)
    BOOL m_bResize = FALSE;             // the user drags the resize bar
    BOOL m_bIsActiveInMDITabGroup = FALSE;

    DECLARE_MESSAGE_MAP()
};
