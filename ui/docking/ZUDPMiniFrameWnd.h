#pragma once
// CZUDPMiniFrameWnd: the floating frame a control bar lives in while it
// floats (a bar floats when its parent is one).  It hosts the bar, takes
// its caption from it, sizes itself to it, moves with the mouse when the
// bar is dragged out of a dock bar, sends the bar back to its recent dock
// place, and closes itself once it holds no bar.  It records the window it
// was created for as its owner: the search for a window's enclosing frame
// follows it.  Every floating frame of the process is listed in
// g_miniFrameList, every floating bar in g_floatingBarMap.
//
// The frame draws its own border and small caption with caption buttons
// (close, pin, menu, "Toolbar Options"), lets the user resize it (a
// floating toolbar snaps to its fixed layouts), rolls itself up to its
// caption when its bar asks for that and the cursor leaves it, keeps
// itself on the work area, saves itself to an archive, and runs its own
// moves (the caption answers HTCLIENT): outline or immediate, docking after
// a pause over a dock bar.
#include "framework/win/FrameWnd.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "ui/docking/ZUDPDragFrameImpl.h"

class CZUDPDockManager;
class CZUDPMultiMiniFrameWnd;
class CZUDPPopupMenu;

class CZUDPCaptionButton;
class CToolTipCtrl;

// Caption-button flags of SetCaptionButtons (saved with the frame).
#define ZUDP_CAPTION_BTN_PIN 0x0001
#define ZUDP_CAPTION_BTN_CLOSE 0x0002
#define ZUDP_CAPTION_BTN_MENU 0x0004
#define ZUDP_CAPTION_BTN_OPTIONS 0x0010
// Hit codes of the caption buttons.
#define ZUDP_HIT_MENU 8
#define ZUDP_HIT_PIN 9
#define ZUDP_HIT_CLOSE 20
#define ZUDP_HIT_OPTIONS 25
// The frame's timers: the dock pause of a move and the roll-up check.
#define ZUDP_MINIFRAME_MOVE_TIMER 4
#define ZUDP_MINIFRAME_ROLLUP_TIMER 5
// Control-bar style bit: the frame of a floating bar rolls up to its
// caption when the cursor leaves it.
#define ZUDP_CBRS_AUTO_ROLLUP 0x0010

class CZUDPMiniFrameWnd : public CMiniFrameWnd {
    DECLARE_SERIAL(CZUDPMiniFrameWnd)
public:
    CZUDPMiniFrameWnd();
    ~CZUDPMiniFrameWnd() override;

    HWND GetRecordedOwner() const { return m_recordedOwner; }
    void RecordOwner(HWND hWndOwner) { m_recordedOwner = hWndOwner; }

    // Creates the frame window (class "ZUDPMiniFrame", always a popup,
    // owned by the parent).  With a parent the frame registers with the
    // parent's dock manager; a parent without one fails (the window made
    // is destroyed again).
    virtual BOOL CreateFrame(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                             CCreateContext* pContext = nullptr);
    virtual BOOL CreateFrameEx(DWORD dwStyleEx, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                               CWnd* pParentWnd, CCreateContext* pContext = nullptr);
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- the hosted bar
    // The bar floating in this frame, or null.
    CWnd* GetHostedBar() const { return m_pHostedBar; }
    // How many bars the frame holds: 1 with its bar, 0 without.
    virtual int HasHostedBar() const;
    virtual int GetVisibleBarCount() const;
    virtual CWnd* GetSingleVisibleBar() const { return GetVisibleBarCount() == 1 ? m_pHostedBar : nullptr; }
    // Makes the bar the frame's bar: its caption and icons, its entry in
    // the map of floating bars, its caption buttons, roll-up when it asks.
    virtual void AddHostedBar(CWnd* pBar);
    // Takes the bar out.  An emptied frame closes itself (once the bar has
    // left it) when bDestroyIfEmpty is set, unless bKeepFrame keeps it
    // (hidden when it is emptied later) until the drag that started from
    // it ends.
    virtual void RemoveHostedBar(CWnd* pBar, BOOL bDestroyIfEmpty = TRUE, BOOL bKeepFrame = FALSE);
    virtual void ReplaceHostedBar(CWnd* pOldBar, CWnd* pNewBar);
    // The frame updates itself after its bars changed (caption).
    virtual void OnBarSetChanged();
    // The frame sizes itself round its bar (the bar's size for its
    // orientation; a bar without one keeps the frame's size and fills it).
    virtual void SizeToHostedBar();
    // The bar fills the client area.
    virtual void RepositionHostedBar();
    // The bar refreshes its placement and the frame sizes itself to it.
    virtual void OnHostedBarLayoutChanged();
    // Records a floating bar in the map of floating bars by its control
    // id, or forgets it.
    virtual void UpdateFloatingBarMap(CWnd* pBar, BOOL bAdd);
    // After a layout was loaded: the bar saved with the frame comes back
    // into it; without it the frame destroys itself.
    virtual void ReattachSavedBar(CZUDPDockManager* pDockManager);
    virtual BOOL SaveHostedBarState(LPCTSTR lpszProfileName, int nIndex);
    virtual BOOL LoadHostedBarState(LPCTSTR lpszProfileName, int nIndex);
    // The docking mode of the hosted bar (ZUDP_DOCK_* bits), the global
    // mode without one.
    virtual DWORD GetDockingMode() const;
    CZUDPDockManager* GetDockManager() const;

    // --- caption, borders and buttons
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }
    // Window coordinates.
    virtual void GetCaptionRect(CRect& rect) const;
    // 3 pixels on each side for a toolbar, 4 for any other bar.
    virtual void GetBorderMargins(CRect& rect) const;
    virtual void GetCaptionText(CString& strText) const;
    // Rebuilds the caption buttons for ZUDP_CAPTION_BTN_* flags.
    virtual void SetCaptionButtons(DWORD dwButtons);
    DWORD GetCaptionButtonFlags() const { return m_dwCaptionButtons; }
    virtual CZUDPCaptionButton* AddCaptionButtonForHit(UINT nHit);
    CZUDPCaptionButton* FindCaptionButton(UINT nHit) const;
    CZUDPCaptionButton* CaptionButtonFromPoint(CPoint ptScreen) const;
    void RemoveAllCaptionButtons();
    int GetCaptionButtonsWidth() const;
    void ArrangeCaptionButtons();
    const CObList& GetCaptionButtons() const { return m_lstCaptionButtons; }
    // The non-client hit code of a screen point; with bCaptionIsCaption
    // the caption answers HTCAPTION, else HTCLIENT (the frame runs its own
    // move) or the hit code of a caption button.
    virtual UINT HitTestNonClient(CPoint ptScreen, BOOL bCaptionIsCaption) const;
    virtual void DrawBorder(CDC* pDC);
    virtual void DrawCaptionButtons(CDC* pDC);
    // Paints the whole non-client area into a DC of the window's size.
    void PaintNonClient(CDC* pDC);
    virtual void RecalcCaptionMetrics();
    virtual void CalcMinTrackSize(CSize sizeMin, MINMAXINFO* lpMMI) const;
    // The "Toolbar Options" drop-down of a floating toolbar; answers the
    // hit unchanged.
    virtual int ShowCustomizeMenu(int nHit);
    virtual void TrackCaptionButtonHover(CPoint ptScreen);
    virtual void ResetCaptionButtonStates();
    BOOL IsActive() const { return m_bActive; }

    // --- roll-up
    virtual BOOL IsCursorOverFrame() const;
    virtual BOOL ShouldRollUp() const;
    virtual void StartRollUpIfWanted();
    virtual void StopRollUpIfUnwanted();
    void StartRollUpTimer();
    void StopRollUpTimer();
    virtual void UpdateRollUp();
    BOOL IsRolledUp() const { return m_bRolledUp; }
    BOOL IsPinned() const { return m_nPinState != 0; }

    // --- closing and docking back
    // TRUE: the frame may close with its bar.
    virtual BOOL AskOwnerFrame() { return TRUE; }
    // Hides the frame and its bar.
    virtual void HideWithBar();
    // The bar docks back at its recent place (caption double-click).
    virtual void DockToRecentPlace();
    virtual void SaveRecentFloatRect();

    // --- moving with the mouse
    // Captures the mouse; the frame follows the cursor (immediate mode) or
    // an outline does (outline mode) until the button is released or the
    // move is cancelled.
    virtual void BeginMove(CWnd* pWnd = nullptr);
    BOOL IsMovingWithMouse() const { return m_bMovingWithMouse; }
    virtual void SetHostedBarMoving(BOOL bMoving);
    // Docks the hosted bar at the end of a move: the pane, or null.
    virtual CZUDPBaseControlBar* DockOnMoveEnd(BOOL& bDocked);
    // Hook for docking panes dragged onto a target (built with them).
    virtual CZUDPBaseControlBar* DockPaneByDrag(BOOL& bDocked)
    {
        bDocked = FALSE;
        return nullptr;
    }
    // The owner frame's dock manager decides whether the frame follows the
    // cursor (TRUE) or was docked (FALSE).
    BOOL NotifyOwnerOfMove();
    void StartMoveTimer(UINT nDelay);
    void KillMoveTimer();
    // Redraws the drag outline at the cursor.
    void RefreshDragFrame();
    CZUDPDragFrameImpl& GetDragFrame() { return m_dragFrameImpl; }

    // The frame of a bar just torn off a popup menu follows the mouse until
    // the button is released (TRUE: placed; the popup closes) or Escape or
    // the right button cancels (FALSE: the popup shows again, the bar
    // leaves the frame's torn-off bars and is destroyed and deleted, and
    // this frame with it).
    BOOL RunTearOffDragLoop(CZUDPPopupMenu* pPopup);

    // 1 or 2 while a drag shows a docking hint, else 0.
    int GetDockingHintState() const { return m_nDockingHintState; }
    void SetDockingHintState(int nState) { m_nDockingHintState = nState; }

    // Redraws every live floating frame: frame, children, background, now.
    static void RedrawAllMiniFrames();
    // The floating bar with a control id, or null.
    static CZUDPBaseControlBar* FindFloatingBar(UINT nID);

    CZUDPDockManager* m_pDockManager = nullptr;  // set by the bar before creation
    CRect m_rectRecentFloatingRect = CRect(0, 0, 100, 100);  // screen
    int m_nPinState = 0;                         // the pin button is down: no roll-up
    BOOL m_bMovingWithMouse = FALSE;
    BOOL m_bMoveStarted = FALSE;                 // the cursor left the start point
    CPoint m_ptMoveStart = CPoint(-1, -1);       // screen
    BYTE m_bSkipNextMouseMove = FALSE;
    // Made by a bar that floated: the object deletes itself with its window.
    BOOL m_bAutoDelete = FALSE;
    int m_nSavedBarID = 0;                       // the hosted bar's id read from an archive

protected:
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnCaptureChanged(CWnd* pWnd);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT nSide, LPRECT lpRect);
    void OnMoving(UINT nSide, LPRECT lpRect);
    void OnTimer(UINT_PTR nIDEvent);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcPaint();
    BOOL OnNcActivate(BOOL bActive);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSetFocus(CWnd* pOldWnd);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckEmptyState(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    void EndMove();
    void SyncCaptionTooltips();
    void UpdateCaptionTooltipRects();
    void RedrawCaptionButton(CZUDPCaptionButton* pButton);

    HWND m_recordedOwner = nullptr;
    CWnd* m_pHostedBar = nullptr;
    int m_nDockingHintState = 0;
    BOOL m_bKeptForDrag = FALSE;
    BOOL m_bActive = FALSE;
    int m_nCaptionHeight = 0;
    CObList m_lstCaptionButtons;
    DWORD m_dwCaptionButtons = 0;
    CToolTipCtrl* m_pToolTip = nullptr;
    int m_nMinTrackWidth = 0;
    int m_nMinTrackHeight = 0;
    int m_nPressedHit = 0;
    int m_nHotHit = 0;
    CRect m_rectCaptionClip;
    UINT_PTR m_nMoveTimer = 0;
    UINT_PTR m_nRollUpTimer = 0;
    BOOL m_bRolledUp = FALSE;
    int m_nHeightBeforeRollUp = 0;
    CZUDPDragFrameImpl m_dragFrameImpl;
    BOOL m_bHideWhenEmpty = FALSE;
    HWND m_hWndMoveCompanion = nullptr;
    HWND m_hWndFocusReturn = nullptr;
    BOOL m_bHostsToolbar = TRUE;
};

// A floating frame that holds several panes.  This version holds none of
// its own yet.
class CZUDPMultiMiniFrameWnd : public CZUDPMiniFrameWnd {
    DECLARE_SERIAL(CZUDPMultiMiniFrameWnd)
public:
    CZUDPMultiMiniFrameWnd() = default;

    // Inserts a bar next to another inside the frame; FALSE: not done.
    virtual BOOL InsertBarBeside(CWnd* pBar, CWnd* pTarget, BOOL bAfter);
};

// Every floating frame window of the process (each adds its handle when
// its window is created and removes it when the window goes).
extern CList<HWND, HWND> g_miniFrameList;
// The frame that floating frames re-created from a saved layout get as
// their parent (set by the dock manager before it loads them).
extern CWnd* g_miniFrameLoadParent;
// How often a frame that rolls up checks the cursor (ms), and the room
// between two caption buttons.
extern UINT g_rollUpDelay;
extern int g_captionButtonSpacing;
// Every floating bar of the process by its control id (lookup and walk).
extern CMap<UINT, UINT, HWND, HWND> g_floatingBarMap;
