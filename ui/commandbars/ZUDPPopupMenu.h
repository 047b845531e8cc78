#pragma once
// CZUDPPopupMenu: the top-level window of every drop-down, context and
// submenu of the library.  A borderless frame that hosts one popup menu
// bar (the items) and adds what a floating menu needs: placement on the
// monitor next to the button or point it opened from, a border drawn by
// the visual manager, a drop shadow (strips painted from a capture of the
// screen, or a separate layered shadow window), an opening animation
// (unfold, slide or fade), a tear-off caption, a resize bar, scroll areas
// when the menu is taller than the work area, the recent-file and
// user-tools entries expanded into items, and the keys, scrolling and
// closing rules of an open menu.
//
// A popup is always made with new and deletes itself when its window is
// destroyed (PostNcDestroy); those who point to it clear their pointers
// when it goes.
#include "framework/win/Controls.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"

class CZUDPControlBar;
class CZUDPToolbarMenuButton;
class CZUDPShadowWnd;

class CZUDPPopupMenu : public CMiniFrameWnd {
    DECLARE_SERIAL(CZUDPPopupMenu)
public:
    CZUDPPopupMenu();
    // A popup that previews a menu for an owner page: it gets a small
    // caption and tells the page when it goes.
    CZUDPPopupMenu(CObject* pOwnerPage, LPCTSTR lpszTitle);
    ~CZUDPPopupMenu() override;

    // Where a screen point lies (HitTestArea).  Code 3 is not used.
    enum Area { kItems = 0, kShadowRight = 1, kShadowBottom = 2, kSideImage = 3, kOutside = 4, kTearOffCaption = 5 };
    // Where the popup stands relative to its parent button.
    enum Direction { kFree = 0, kBelowButton = 1, kAboveButton = 2, kRightOfButton = 3, kLeftOfButton = 4 };
    // Timers of the popup window.
    enum { kAnimationTimer = 1, kScrollTimer = 2 };
    // Opening animations.
    enum Animation { kNoAnimation = 0, kUnfold = 1, kSlide = 2, kFade = 3, kSystemAnimation = 999 };

    // --- replaced operations
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;
    // Places the popup on its monitor next to what opened it and sizes it
    // for its items (and shadow).
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // --- new operations, in order
    // The popup's menu bar; a derived popup may supply its own.
    virtual CZUDPPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    // TRUE while the popup's bar (and its ancestors' bars) run a chosen item.
    virtual BOOL IsSendingCommand() const;
    // The animation is done and no scroll runs.
    virtual BOOL IsIdle() const { return m_bAnimationDone && m_iScrollDirection == 0; }
    // The window of the parent button and the button's rectangle in it;
    // null for a top-level popup.
    virtual CWnd* GetParentButtonRect(CRect& rect) const;
    virtual BOOL IsClosedWithChild() const { return FALSE; }
    virtual BOOL AllowsOwnerDraw() const { return TRUE; }
    // Writes the bar's items back into the parent button (customization).
    virtual void SyncParentButtonItems();
    virtual BOOL CanScrollUp() const;
    virtual BOOL CanScrollDown() const;
    // The border, shadow, tear-off caption, scroll areas and resize bar.
    virtual void DrawMenuFrame(CDC* pDC);
    // One frame of the opening animation.
    virtual void DrawAnimationFrame(CDC* pPaintDC);
    // Fills the bar from the menu handle; FALSE when that fails or the
    // frame refuses the popup.
    virtual BOOL PrepareItems();
    // Tears the menu off at a client point into a floating toolbar.
    virtual BOOL TearOffMenu(int x, int y);
    // Creates the bar that replaces a torn-off popup (null: none).
    virtual CZUDPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName);
    virtual void OnChangeHot(int iHot) { (void)iHot; }
    virtual void OnChosenItem(UINT uiCmdID) { (void)uiCmdID; }
    // Ribbon popups cast their shadow through a separate window.
    virtual BOOL UsesShadowWindow() const { return FALSE; }
    // The visual manager's popup border size.
    virtual int BorderWidth() const;
    // Creates the popup window at a screen position ((-1, -1): inside the
    // parent's client origin) and shows it.  On FALSE the object has been
    // deleted: the caller must not touch or delete it.
    virtual BOOL CreatePopup(CWnd* pWndOwner, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE);

    // --- placement and inner layout
    // Places the bar inside the popup (scroll areas, caption, resize bar);
    // TRUE when a scroll area changed.
    BOOL ArrangeMenuBar(BOOL bForce = FALSE);
    // Classifies a screen point against the popup (Area).
    virtual int HitTestArea(CPoint ptScreen) const;
    // Brings the hot item into view in a scrolling popup.
    void ScrollHotItemIntoView();

    // --- shadows
    // Renews the shadow strips after the background changed (a changed
    // screen rectangle, or null for any).
    void RefreshShadow(const CRect* pRectChanged = nullptr);
    static void RefreshAllShadows(const CRect* pRectChanged = nullptr);
    void SetShadowAlpha(BYTE nAlpha);
    void RecalcLayoutAndRedraw();

    // --- relations and closing
    CZUDPPopupMenu* FindParentMenu() const;
    CZUDPToolBar* FindOwnerToolBar() const;
    // Lets a frame accept or refuse a popup about to show and makes it the
    // current popup; TRUE when accepted.
    static BOOL RegisterWithFrame(CFrameWnd* pFrame, CZUDPPopupMenu* pPopup);
    // The frame the popup registers with: the active in-place frame or the
    // top-level frame of the window it was opened from.
    CFrameWnd* RegistrationFrame();
    // Closes the popup (its parents stay); with bSetFocus the owning
    // toolbar takes the focus.
    void DismissMenu(BOOL bSetFocus = TRUE);
    // Re-shows a personalized popup with all its commands.
    virtual BOOL ExpandFullMenu();
    void SuspendPersonalization();
    void AllowResize(int nMinWidth, int nMinHeight);
    void AllowHeightResize(int nMinHeight);
    void NotifyDialogHost(BOOL bOpen);
    void AttachRibbonElement(CObject* pElement) { m_pRibbonElement = pElement; }
    CObject* GetRibbonElement() const { return m_pRibbonElement; }

    // --- items of the bar
    CZUDPToolbarButton* ItemAt(int iIndex) const { return m_wndMenuBar.GetButtonAt(iIndex); }
    int CountItems() const { return m_wndMenuBar.GetCount(); }
    int InsertItemCopy(const CZUDPToolbarButton& button, int iInsertAt = -1);
    int InsertSeparatorAt(int iInsertAt = -1);
    BOOL RemoveItemAt(int iIndex);
    void ClearItems();
    CZUDPToolbarMenuButton* GetSelectedMenuButton() const;
    void CancelItemModes();

    // --- state
    HMENU GetMenuHandle() const { return m_hMenu; }
    CPoint GetPosition() const { return m_ptLocation; }
    CSize GetMenuSize() const { return m_sizeMenu; }
    BOOL IsRightToLeft() const { return m_bRightToLeft; }
    BOOL IsAnimationDone() const { return m_bAnimationDone; }
    int GetResolvedAnimation() const { return m_nAnimation; }
    CSize GetAnimatedSize() const { return m_sizeAnimated; }
    int GetFadePercent() const { return m_nFadePercent; }
    CRect GetScrollUpArea() const { return m_rectScrollUp; }
    CRect GetScrollDownArea() const { return m_rectScrollDown; }
    int GetScrollDirection() const { return m_iScrollDirection; }
    CZUDPShadowWnd* GetShadowWindow() const { return m_pShadowWnd; }
    BOOL IsHeightLimited() const { return m_bHeightLimited; }

    // --- fields (in order)
    BOOL m_bCloseParentsWithMe = TRUE;               // closing this popup closes its parent
    CWnd* m_pMessageTarget = nullptr;                // receives the chosen command
    CZUDPToolbarMenuButton* m_pParentBtn = nullptr;  // the button it was opened from (null: top level)
    int m_iDirection = kFree;                        // Direction
    BOOL m_bScrollable = FALSE;                      // the items do not fit: scroll areas shown
    int m_iShadowSize = 0;                           // width of the shadow strips inside the window
    int m_iSideImageWidth = 0;                       // not used by these popups
    CRect m_rectTearOffCaption;                      // the tear-off caption, client coordinates (empty: none)
    BOOL m_bOwnsMenu = TRUE;                         // the menu handle is destroyed with the popup
    BOOL m_bRightAlign = FALSE;                      // extends to the left of the requested point
    int m_iCustomizeMenuKind = 2;                    // 1 for the toolbar-options drop-downs
    BOOL m_bClosedWithEscape = FALSE;                // read by the frames when it closes

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnDestroy();
    BOOL OnToolTipNotify(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The recent-file and user-tools entries become real items.
    void ExpandRecentFiles();
    void ExpandUserTools();
    // One animation step from the clock.
    void AnimationStep();
    void EndAnimation();
    // The resize loop (the mouse captured until the button is released).
    BOOL RunResizeLoop(UINT nHit);
    // The shadow drawing into the paint context.
    void DrawShadow(CDC* pDC, CRect& rectMenu);
    void CommonConstruct();

    CZUDPPopupMenuBar m_wndMenuBar;
    CWnd* m_pWndCreator = nullptr;   // the window the popup was opened from
    HMENU m_hMenu = nullptr;
    CPoint m_ptLocation = CPoint(0, 0);
    CPoint m_ptRequested = CPoint(0, 0);
    CSize m_sizeMenu = CSize(0, 0);
    int m_nVisibleBarHeight = 0;
    int m_nItemsRoomHeight = 0;      // a scrolling popup: room for the items without the scroll-down area
    BOOL m_bHeightLimited = FALSE;
    BOOL m_bFramePainted = FALSE;
    BOOL m_bDismissing = FALSE;
    CObject* m_pOwnerPage = nullptr;
    CString m_strCaption;
    CSize m_sizeAnimated = CSize(0, 0);
    BOOL m_bGrowFromLeft = TRUE;
    BOOL m_bGrowFromTop = TRUE;
    BOOL m_bAnimationDone = TRUE;
    BOOL m_bRightToLeft = FALSE;
    CRect m_rectScrollUp;
    CRect m_rectScrollDown;
    int m_iScrollDirection = 0;
    int m_nScrollAreaHeight = 0;
    int m_nAnimation = kNoAnimation;
    BOOL m_bAnimating = FALSE;
    HBITMAP m_hbmpScreen = nullptr;
    HBITMAP m_hbmpMenu = nullptr;
    HBITMAP m_hbmpBlend = nullptr;
    COLORREF* m_pScreenBits = nullptr;
    COLORREF* m_pMenuBits = nullptr;
    COLORREF* m_pBlendBits = nullptr;
    int m_nFadePercent = 0;
    DWORD m_dwLastAnimationStep = 0;
    CBitmap m_bmpShadowRight;
    CBitmap m_bmpShadowBottom;
    CZUDPShadowWnd* m_pShadowWnd = nullptr;
    BOOL m_bTearOffPending = FALSE;
    BOOL m_bTearOffHighlighted = FALSE;
    CToolTipCtrl* m_pTearOffTip = nullptr;
    BOOL m_bResizable = FALSE;
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    CRect m_rectResizeBar;
    BOOL m_bResizing = FALSE;
    BOOL m_bUserSized = FALSE;
    int m_nUserWidth = 0;
    int m_nUserHeight = 0;
    BOOL m_bResizeBarAtTop = FALSE;
    BOOL m_bPersonalizationSuspended = FALSE;
    BOOL m_bSavedPersonalizedMenus = FALSE;
    CObject* m_pRibbonElement = nullptr;
    BOOL m_bCreating = FALSE;        // inside WM_CREATE: a refusal only fails the creation
};

// The separate layered shadow of a popup (ribbon popups): a per-pixel
// alpha window of the shadow's colour that follows its owner, offset by
// the shadow depth.
class CZUDPShadowWnd : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CZUDPShadowWnd)
public:
    CZUDPShadowWnd(CZUDPPopupMenu* pOwner, int nDepth);
    ~CZUDPShadowWnd() override;

    // Created only when layered windows exist and the screen has more than
    // 8 bits per pixel.
    BOOL Create();
    // Follows the owner's move, size, show or hide.
    void Reposition();
    void SetAlpha(BYTE nAlpha);
    BYTE GetAlpha() const { return m_nAlpha; }
    int GetDepth() const { return m_nDepth; }
    // The DIB the last render made (tests read it), and its size.
    const COLORREF* GetRenderedBits() const { return m_pRenderedBits; }
    CSize GetRenderedSize() const { return m_sizeRendered; }

protected:
    void OnSize(UINT nType, int cx, int cy);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()
    void Render(int cx, int cy);

    CZUDPPopupMenu* m_pOwner;
    int m_nDepth;
    BOOL m_bRightToLeft = FALSE;
    BYTE m_nAlpha = 255;
    HBITMAP m_hbmpRendered = nullptr;
    COLORREF* m_pRenderedBits = nullptr;
    CSize m_sizeRendered = CSize(0, 0);
};

// The library popup menu open at the moment, null when none; readers check
// its window with IsWindow before they use it.
extern CZUDPPopupMenu* g_activePopupMenu;
// Popup menus cast drop shadows (switched off on systems without them).
extern BOOL g_menuShadows;
