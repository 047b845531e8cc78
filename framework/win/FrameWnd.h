#pragma once
// Frame windows: CFrameWnd, a top-level window that hosts bars and views,
// CMDIFrameWnd, the frame whose client area is an MDI client window holding
// child frames, and CMiniFrameWnd, the small-caption frame that floating
// bars live in.  The library's frames derive from them; code that walks up
// from a window to its frame tests for these classes.
#include "framework/win/Wnd.h"

class CMenu;
class CView;

// The saved docking layout of a frame's bars (what the frame's state
// loading hands to its frame implementation).
class CDockState : public CObject {
    DECLARE_DYNAMIC(CDockState)
public:
    CDockState() = default;

    // The layout under the application's profile, section
    // <profile>"-Summary": "Bars" (how many bars it describes; the
    // framework's own frames keep none) and "ScreenCX" / "ScreenCY" (the
    // screen it was saved on).  Loading a missing or damaged summary gives
    // an empty layout.
    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName) const;

    int m_nBars = 0;
    CSize m_sizeScreen;
};

class COleFrameHook;
struct CPrintPreviewState;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    // The default placement of a new frame (the system chooses).
    static const CRect rectDefault;

    // Creates the frame window in a class of the framework (arrow cursor,
    // window-colour background, redrawn on size) unless a class is named;
    // a menu resource name loads the frame's menu.
    using CWnd::Create;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0);

    // Creates the frame from the resources of one id: the title (the
    // string's first line), the icon of its window class, the menu and the
    // accelerator table, each when the resource exists.  FALSE when the
    // window cannot be made.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW, CWnd* pParentWnd = nullptr,
                           void* pContext = nullptr);

    // The active view's frame for a frame that holds others (MDI); this
    // frame itself here.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // The frame whose child this frame is, or null for a top-level frame.
    CFrameWnd* GetParentFrame() const;
    // The accelerator table the frame translates keys with (null: none).
    virtual HACCEL GetDefaultAccelerator() { return m_hAccelTable; }
    // The resource id of the frame's own accelerator table, the one its
    // resources were loaded with (0: none); frames that take their
    // resources elsewhere answer that id.
    virtual UINT GetDefaultAcceleratorId() const { return m_nIDResource; }
    // Lays out the frame again: every child with an id below the view's
    // (AFX_IDW_PANE_FIRST) takes its share of the client area through
    // WM_SIZEPARENT, the view gets the rest (less m_rectBorder).  A layout
    // asked for while one runs is dropped.  With bNotify the frame's
    // layout listeners hear of it afterwards (OnRecalcLayoutNotify).
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The status-bar text of a command: its string resource up to the
    // first '\n' (empty when there is none).
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    // The window that shows the frame's messages: its AFX_IDW_STATUS_BAR
    // descendant, or null.
    virtual CWnd* GetMessageBar();
    BOOL IsInRecalcLayout() const { return m_bInRecalcLayout; }
    // The view that receives the frame's commands; with bNotify a new view
    // also gets the focus.  The frame remembers the view's window, so a
    // view destroyed meanwhile reads back as none.
    virtual void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CView* GetActiveView() const;
    // Commands go to the active view first, then to the frame.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    // Print preview begins (bPreview) or ends.  Beginning puts the frame's
    // menu, accelerators and visible bars (ids AFX_IDW_CONTROLBAR_FIRST to
    // +31, one bit each in the state) aside and moves the main pane out of
    // the view's place (id AFX_IDW_PANE_SAVE, hidden); ending gives all of
    // it back.  Entering twice with one state puts nothing aside twice.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDResource = 0;
    // The frame's own menu, shown when no document's menu replaces it.
    HMENU m_hMenuDefault = nullptr;
    // Menu items and bar buttons whose command has no update handler are
    // disabled (bars ask it when they update their buttons).
    BOOL m_bAutoMenuEnable = TRUE;
    // TRUE while the frame is in context-help mode (the user picks a
    // window to get help on): bars then keep their messages to
    // themselves.
    BOOL m_bHelpMode = FALSE;
    // Borders the view leaves free inside the frame's client area.
    CRect m_rectBorder;
    // Asks for border space around the view (nBorderCmd: 0 get the space
    // the frame can give, 1 request, 2 set); frames that host in-place
    // servers negotiate it with them.  The base frame gives its whole
    // client area and takes a set request as its new borders.
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    // The hook of an OLE server active in place in the frame, or null.
    COleFrameHook* m_pNotifyHook = nullptr;
    // The message id last shown (WM_SETMESSAGESTRING), 0 for none.
    UINT m_nIDLastMessage = 0;
    UINT m_nIDTracking = 0;

protected:
    // The layout itself (RecalcLayout guards it): the bars through
    // WM_SIZEPARENT, the view in the rest.  Frames that lay their bars
    // out otherwise replace it.
    virtual void RepositionChildren();
    // Called after a layout asked for with notification; frames that host
    // in-place objects tell them here.  Nothing in the base frame.
    virtual void OnRecalcLayoutNotify() {}
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bInRecalcLayout = FALSE;

private:
    HWND m_hWndActiveView = nullptr;
};

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    // The active child frame (a CMDIChildWnd object), or null.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    // Shows a menu as the frame's menu through the MDI client (which keeps
    // the window list in the menu's Window popup); null: the active
    // child's shared menu, or the frame's default menu without one.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    // The Window popup of a menu: the first popup with an item between
    // 0xE130 and 0xE13F (the window commands), or null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
    // A child frame of the MDI client changed: activated, moved, sized
    // (maximized, restored, minimized) or going (bDestroying).  Nothing in
    // the base frame; frames that show the active child's state elsewhere
    // follow it here.
    virtual void OnMDIChildChanged(CWnd* pChild, BOOL bDestroying)
    {
        (void)pChild;
        (void)bDestroying;
    }

    // Creates the MDI client window that fills the frame's client area
    // (called when the frame is created); the window menu, when given,
    // lists the child frames.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The active child frame's window, or null.
    HWND MDIGetActiveHwnd(BOOL* pbMaximized = nullptr) const;
    CFrameWnd* GetActiveFrame() override;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND m_hWndMDIClient = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // The layout places the MDI client (the view's id): the default
    // processing, which would fill the frame with it, is not run.
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// Mini-frame styles, in the window style's low word: the frame shows
// itself active while its owner is (MFS_SYNCACTIVE), a thin or thick
// frame, moving by the frame, no system menu.
#ifndef MFS_SYNCACTIVE
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00010000L
#endif

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;

    // Notes the MFS_ bits of the style; a mini frame may have no parent
    // (a popup of its own).
    using CFrameWnd::CreateEx;
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr) override;

    BOOL IsSyncActive() const { return m_bSyncActive; }

protected:
    BOOL m_bSyncActive = FALSE;
};

// A child frame in an MDI frame's client window.  Its default processing
// is the MDI child's (maximize, system menu, the frame's window list); on
// activation it hands its document type's shared menu to the frame.
class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;

    // Creates the child in the frame's MDI client (the application's main
    // window when no frame is given); a class of the framework when none
    // is named.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr);
    // The MDI frame around the child's client window, or null.
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    // The menu and accelerators of the child's document type (not owned).
    void SetHandles(HMENU hMenu, HACCEL hAccel);
    // The frame shows the child's menu when it becomes active, and its
    // default menu when the last child goes.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HMENU m_hMenuShared = nullptr;

protected:
    LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The framework's dock bar and the floating frame of its bars: known by
// class only (code that walks up from a bar tests for them).
class CDockBar : public CWnd {
    DECLARE_DYNAMIC(CDockBar)
public:
    CDockBar() = default;
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd() = default;
};
