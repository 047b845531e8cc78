#pragma once
// CZUDPFrameImpl: the implementation object a library frame window keeps
// for its bars: the user-defined toolbars it made, its torn-off menu bars,
// its dock manager and the profile its bars save their state under.  It
// keeps the library-wide list of frames, restores and stores the frame's
// placement, and saves and loads the user-defined and torn-off toolbars
// for the workspace.  It has no window of its own.
#include "framework/List.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"
#include "ui/docking/ZUDPFullScreenImpl.h"

class CDockState;
class CFrameWnd;
class CWnd;
class CZUDPDockManager;
class CZUDPFrameCaptionButton;
class CZUDPMenuBar;
class CZUDPPopupMenu;
class CZUDPToolBar;

// The style of user-defined and torn-off toolbars: WS_CHILD, WS_VISIBLE,
// CBRS_GRIPPER, CBRS_TOP and CBRS_HIDE_INPLACE.
constexpr DWORD kZudpUserToolbarStyle = 0x50402808;
// What those toolbars add to their bar style once made: CBRS_TOOLTIPS,
// CBRS_FLYBY and CBRS_SIZE_DYNAMIC.
constexpr DWORD kZudpUserToolbarExtraStyle = 0x34;
// The registry key below the workspace's section under which the torn-off
// toolbars are kept, one numbered key each ("%s-%d").
#define ZUDP_TEAROFF_SECTION "ControlBars-TearOff"
// Hit codes of a custom caption's buttons: close, maximize or restore,
// minimize.
#define ZUDP_CAPTION_HIT_CLOSE 19
#define ZUDP_CAPTION_HIT_MAXIMIZE 26
#define ZUDP_CAPTION_HIT_MINIMIZE 27

class CZUDPFrameImpl {
public:
    explicit CZUDPFrameImpl(CFrameWnd* pFrame = nullptr) : m_pFrame(pFrame), m_FullScreen(this) {}
    virtual ~CZUDPFrameImpl();
    CZUDPFrameImpl(const CZUDPFrameImpl&) = delete;
    CZUDPFrameImpl& operator=(const CZUDPFrameImpl&) = delete;

    // Makes one toolbar of the configured class for each id of the
    // user-toolbar range and lets it load its state under the frame's own
    // profile; a toolbar without saved state is destroyed, the others are
    // kept in the list of user-defined toolbars.  Nothing without a range.
    virtual void LoadUserToolbars();
    // Destroys the current torn-off menu bars; the saved ones are made
    // again from the tear-off section.
    virtual void LoadTearOffBars();
    // Writes every torn-off menu bar under the tear-off section.
    virtual void SaveTearOffBars(BOOL bFrameOnly = FALSE);
    // Every user-defined toolbar (with the flag, only those whose top-level
    // frame is this frame) saves its state under the frame's profile.
    virtual void SaveToolbarsState(BOOL bFrameOnly = FALSE);
    // The dock manager loads / re-creates / saves the docking layout; FALSE
    // (nothing done) without a dock manager.
    virtual BOOL LoadDockState(LPCTSTR lpszProfileName);
    virtual BOOL ApplyLoadedDockState(CDockState& state);
    virtual BOOL SaveDockState(LPCTSTR lpszProfileName);
    // Passes the frame's placement to the workspace: show command 3
    // (maximized) kept, any other stored as 1; the normal rectangle moved
    // from work-area to screen coordinates.
    virtual void StoreWindowPlacement();
    // Accepts a loaded framework dock state.
    virtual BOOL CheckDockState(CDockState& state);

    // Torn-off menu bars: the one made for a tear-off id (its control id),
    // or null; a new one joins the list, which owns it.
    CZUDPToolBar* FindTearOffBar(UINT uiID) const;
    void AddTearOffBar(CZUDPToolBar* pBar);

    CFrameWnd* GetFrame() const { return m_pFrame; }
    // The bar's control id lies in the frame's range of user-defined
    // toolbars (FALSE without a range).
    BOOL IsUserToolbar(const CWnd* pBar) const;

    // --- the library-wide frame list
    // Lists the frame once per window handle (frames call it when their
    // window is created) and forgets it (when it is destroyed).
    static void AddFrameToList(CFrameWnd* pFrame);
    static void RemoveFrameFromList(CFrameWnd* pFrame);

    // --- creation
    // Puts the placement the workspace stored into the create structure of
    // the frame: a maximized frame fills the work area of the monitor of
    // the stored rectangle; otherwise the stored size starts where the
    // stored rectangle meets that work area.  A rectangle off every work
    // area leaves the structure as it was.
    void RestoreWindowPlacement(CREATESTRUCT& cs);

    // --- user-defined toolbars
    // The lowest id of [first, last] that no toolbar of the list has; 0
    // when the range is unset or full.
    static UINT FindFreeUserToolbarId(UINT uiFirst, UINT uiLast, const CObList& list);
    // Makes a floating user-defined toolbar with the name; null (after
    // telling the user how many there may be) when the range is full.
    CZUDPToolBar* CreateUserToolbar(LPCTSTR lpszName);
    // Removes one of the frame's user-defined toolbars with its saved state;
    // FALSE for any other bar.
    BOOL DeleteUserToolbar(CZUDPToolBar* pBar);
    // A torn-off bar that goes away without being kept (its tear-off was
    // cancelled) leaves the list; the caller keeps the object.
    void RemoveTearOffBar(CZUDPToolBar* pBar);

    // The frame closes: full-screen mode ends, the workspace saves the
    // frame's state and its placement is stored.  Nothing without a
    // workspace.
    void OnCloseFrame();
    // After the frame's resources loaded: the workspace loads the frame's
    // state.
    void OnAfterLoadFrame();

    // --- popup menus (the frame is their owner while one is open)
    // A popup about to show (null: none is open any more); FALSE refuses
    // it.  The popup becomes the open one, a placeholder item becomes the
    // menu of bars, and the bar that opened the chain takes the focus.
    BOOL PreparePopupMenu(CZUDPPopupMenu* pMenu);
    // The popup is the per-toolbar list inside the "Add or Remove Buttons"
    // submenu of a toolbar's options drop-down.
    static BOOL IsCustomizeMenu(CZUDPPopupMenu* pMenu);
    // Fills that list: a check row per button of the toolbar, the frame's
    // hook (the resource's missing buttons), a separator and "Reset
    // Toolbar".
    void BuildCustomizeMenu(CZUDPPopupMenu* pMenu);
    // The toolbar's resource buttons that are no longer on it, each at its
    // resource position (the resource id is not needed).
    static void AddResourceButtons(CZUDPPopupMenu* pMenu, UINT uiToolbarResId);
    // The frame's customize-menu hook; FALSE for frames without one.
    BOOL CallCustomizeMenuHook(CZUDPPopupMenu* pMenu, UINT uiToolbarResId);
    // A key while the frame translates messages: with a popup open it goes
    // to the popup (TRUE).  The flag, when given, says whether the frame's
    // accelerators may translate the key (not while a toolbar's combo or
    // edit holds the focus).
    BOOL ProcessKeyboard(int nKey, BOOL* pbProcessAccel = nullptr);
    // F1 pressed alone, not repeated.
    static BOOL IsPlainF1(const MSG* pMsg);
    // A click anywhere (screen point, the message's window) while a popup
    // may be open; TRUE when it is eaten.
    BOOL ProcessMouseClick(UINT uiMsg, POINT pt, HWND hWnd);
    // A move outside the open popup is eaten unless it is over a bar of
    // the popup's chain.
    BOOL ProcessMouseMove(POINT pt);
    BOOL ProcessMouseWheel(WPARAM wParam, LPARAM lParam);
    // Alt+character: the menu bar, then the frame's other visible toolbars
    // (only the preview toolbar while a print preview hides the bars).
    BOOL OnMenuChar(UINT nChar);
    // The dock manager hides the frame's bars for a print preview.
    BOOL AreBarsHiddenForPreview() const;
    // A frame without a standard caption and border (a custom caption)
    // maximizes to the work area of the monitor under its centre instead
    // of covering the taskbar; nothing for a frame with both.
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    // The frame becomes inactive: an open popup's menu bar lets go.
    void OnDeactivateFrame();

    // --- custom caption (the visual manager draws the frame's caption)
    // The manager asks for it and no OLE item is active in place.
    BOOL IsCustomCaptionActive() const;
    // The caption band in window-relative coordinates of the frame.
    void GetCaptionRect(CRect& rect) const;
    // Makes the buttons once (close, then maximize and minimize when the
    // frame has those boxes) and places them from the caption's right edge.
    void LayoutCaptionButtons();
    CZUDPFrameCaptionButton* FindCaptionButton(UINT nHit) const;
    void RedrawCaptionButton(CZUDPFrameCaptionButton* pButton);
    // A caption button's hit code, HTSYSMENU or HTCAPTION in the caption,
    // else 0 (Windows decides).
    UINT OnNcHitTest(CPoint ptScreen);
    // TRUE when the frame answers WM_NCCALCSIZE itself.
    BOOL OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    // Non-zero when the manager painted the non-client area.
    BOOL OnNcPaint();
    BOOL OnNcActivate(BOOL bActive);
    void TrackCaptionButtonHover(CPoint ptScreen);
    void OnCaptionMouseMove(CPoint ptClient);
    void OnCaptionLButtonDown();
    // A release on the pressed button posts its system command; off it,
    // nothing happens.
    void OnCaptionLButtonUp();
    void ReleaseCaptionButtons();
    void UpdateWindowRegion(UINT nFlags, int cx, int cy);
    // The visual manager changed: the frame takes the custom caption on or
    // off.
    void OnVisualManagerChanged();
    // A right click on a custom caption tracks the system menu; TRUE when
    // a command was chosen.
    BOOL TrackSystemMenu(UINT uiMsg, CPoint ptScreen);
    UINT GetHotCaptionButton() const { return m_nHotCaptionButton; }
    UINT GetPressedCaptionButton() const { return m_nPressedCaptionButton; }
    const CObList& GetCaptionButtons() const { return m_lstCaptionButtons; }

    // --- switches the frame's owner may set
    // Command id of a popup-menu item that is replaced by the dock
    // manager's menu of bars (0: none), and whether that menu lists only
    // toolbars.
    void SetBarsMenuPlaceholder(UINT uiCmd, BOOL bToolbarsOnly = FALSE)
    {
        m_uiControlbarsMenuEntryID = uiCmd;
        m_bViewMenuShowsToolbarsOnly = bToolbarsOnly;
    }
    // With FALSE, the docking layout is not read back when the frame loads.
    void EnableDockStateRestore(BOOL bEnable) { m_bLoadDockState = bEnable; }
    // The registry path of the torn-off toolbars (workspace section +
    // "ControlBars-TearOff"; that name alone without a workspace).
    static CString TearOffBasePath();

    CFrameWnd* m_pFrame = nullptr;
    CZUDPDockManager* m_pDockManager = nullptr;
    BOOL m_bSaveDockState = TRUE;
    UINT m_uiUserToolbarFirst = (UINT)-1;
    UINT m_uiUserToolbarLast = (UINT)-1;
    CRuntimeClass* m_pCustomUserToolBarRTC = nullptr; // null: CZUDPToolBar
    CString m_strControlBarRegEntry;                 // the frame's own profile
    CObList m_listUserDefinedToolbars;               // owned
    CObList m_listTearOffToolbars;                   // owned

    // The menu bar adopts the frame's menu when it is created: the frame's
    // menu becomes the bar's default and current menu and the frame loses
    // its native menu; the bar learns the frame's resource id.
    void AttachMenuBar(CZUDPMenuBar* pMenuBar);
    CZUDPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    CZUDPMenuBar* m_pMenuBar = nullptr;              // the frame's menu bar, once attached
    HMENU m_hDefaultMenu = nullptr;                  // the frame's own menu, taken by the menu bar
    UINT m_uiControlbarsMenuEntryID = 0;             // placeholder of the bars menu (0: none)
    BOOL m_bViewMenuShowsToolbarsOnly = FALSE;
    BOOL m_bLoadDockState = TRUE;                    // the docking layout is restored
    CZUDPFullScreenImpl m_FullScreen;                // the frame's full-screen mode
    BOOL m_bHadBorder = FALSE;                       // the frame was created with WS_BORDER
    CObList m_lstCaptionButtons;                     // CZUDPFrameCaptionButton, owned
    UINT m_nHotCaptionButton = 0;                    // hit codes, 0: none
    UINT m_nPressedCaptionButton = 0;
    CRect m_rectRedrawCaption;                       // the only part a caption repaint paints
    BOOL m_bHasRegion = FALSE;                       // a window region of the visual manager is set
    BOOL m_bInPlaceItemActive = FALSE;               // an OLE item is active in place: no custom caption
    BOOL m_bHadCaption = TRUE;
    BOOL m_bChangingStyle = FALSE;                   // guard while the style or region changes
};
