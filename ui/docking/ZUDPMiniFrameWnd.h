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
// This version has what the control bars ask of it (creating the frame,
// hosting and releasing the bar, moving with the mouse, docking back); the
// docking subsystem completes it (its own caption and buttons, docking
// while it is moved, several panes, saved state).
#include "framework/win/FrameWnd.h"
#include "framework/List.h"
#include "framework/Map.h"

class CZUDPDockManager;
class CZUDPMultiMiniFrameWnd;
class CZUDPPopupMenu;

class CZUDPMiniFrameWnd : public CMiniFrameWnd {
    DECLARE_SERIAL(CZUDPMiniFrameWnd)
public:
    CZUDPMiniFrameWnd();
    ~CZUDPMiniFrameWnd() override;

    HWND GetRecordedOwner() const { return m_recordedOwner; }
    void RecordOwner(HWND hWndOwner) { m_recordedOwner = hWndOwner; }

    // Creates the frame window (a tool window with a small caption, owned
    // by the parent); FALSE on failure.
    virtual BOOL CreateFrame(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                             CCreateContext* pContext = nullptr);

    // --- the hosted bar
    // The bar floating in this frame, or null.
    CWnd* GetHostedBar() const { return m_pHostedBar; }
    // How many bars the frame holds: 1 with its bar, 0 without.
    virtual int HasHostedBar() const;
    // Makes the bar the frame's bar: its caption, its entry in the map of
    // floating bars, a close box when it may be closed.
    virtual void AddHostedBar(CWnd* pBar);
    // Takes the bar out.  An emptied frame closes itself (once the bar has
    // left it) when bDestroyIfEmpty is set, unless bKeepFrame keeps it
    // until the drag that started from it ends.
    virtual void RemoveHostedBar(CWnd* pBar, BOOL bDestroyIfEmpty = TRUE, BOOL bKeepFrame = FALSE);
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

    // --- closing and docking back
    // TRUE: the frame may close with its bar.
    virtual BOOL AskOwnerFrame() { return TRUE; }
    // Hides the frame and its bar.
    virtual void HideWithBar();
    // The bar docks back at its recent place.
    virtual void DockToRecentPlace();
    int GetCaptionHeight() const;

    // --- moving with the mouse
    // Captures the mouse; the frame follows the cursor until the button
    // is released (or the move is cancelled).
    virtual void BeginMove(CWnd* pWnd = nullptr);
    BOOL IsMovingWithMouse() const { return m_bMovingWithMouse; }

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

    CZUDPDockManager* m_pDockManager = nullptr;  // set by the bar before creation
    CRect m_rectRecentFloatingRect;              // screen
    int m_nPinState = 0;
    BOOL m_bMovingWithMouse = FALSE;
    CPoint m_ptMoveStart;                        // screen
    // Made by a bar that floated: the object deletes itself with its window.
    BOOL m_bAutoDelete = FALSE;

protected:
    void PostNcDestroy() override;
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnCaptureChanged(CWnd* pWnd);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnCheckEmptyState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void EndMove();

    HWND m_recordedOwner = nullptr;
    CWnd* m_pHostedBar = nullptr;
    int m_nDockingHintState = 0;
    BOOL m_bKeptForDrag = FALSE;
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

// Every floating frame of the process (each adds itself on construction
// and removes itself on destruction).
extern CObList g_miniFrameList;
// Every floating bar of the process by its control id (lookup and walk).
extern CMap<UINT, UINT, HWND, HWND> g_floatingBarMap;
