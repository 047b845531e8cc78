#pragma once
// The library's frame windows: the single-document and MDI frames, the
// MDI child frame and the frames of OLE in-place editing and containers.
// Each embeds a dock manager (CZUDPFrameDockSite) and hands the frame-level
// docking operations to it; its layout places the dock bars along its
// edges and gives the rest of the client area to the view (the MDI client
// of an MDI frame).  Each frame is in g_frameList while its object lives.
//
// This version has what the visual manager, the workspace and the panes
// ask of them: their classes (the manager tells every frame when it is
// replaced and shapes a frame whose ribbon replaces the caption), the
// ribbon bar attached to the SDI and MDI frames, their frame
// implementation object (through which the workspace loads the frame's
// state; it knows the frame's dock manager), the dock manager with its
// forwarders, and the MDI frame's queries about tabbed documents.  The
// docking subsystem completes them.
#include "framework/win/FrameWnd.h"
#include "framework/win/OleFrames.h"
#include "framework/List.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameImpl.h"

class CZUDPRibbonBar;
class CZUDPToolbarButton;
class CZUDPPopupMenu;

// The docking side of a library frame: its dock manager and the frame
// operations that pass their arguments to it.
class CZUDPFrameDockSite {
public:
    explicit CZUDPFrameDockSite(CFrameWnd* pFrame) { m_dockManager.Create(pFrame); }
    virtual ~CZUDPFrameDockSite() = default;
    CZUDPFrameDockSite(const CZUDPFrameDockSite&) = delete;
    CZUDPFrameDockSite& operator=(const CZUDPFrameDockSite&) = delete;

    CZUDPDockManager* GetDockManager() { return &m_dockManager; }

    BOOL RegisterBar(CZUDPBaseControlBar* pBar, BOOL bTail = TRUE) { return m_dockManager.RegisterBar(pBar, bTail); }
    CZUDPBaseControlBar* FindBarAtPoint(CPoint pt, int nSensitivity, BOOL bExactBar, CRuntimeClass* pRTCBarType)
    {
        return m_dockManager.FindBarAtPoint(pt, nSensitivity, bExactBar, pRTCBarType);
    }
    void DockBarAtSite(CZUDPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr)
    {
        m_dockManager.DockBarAtSite(pBar, nDockBarID, lpRect);
    }
    BOOL InsertBarBeside(CZUDPBaseControlBar* pBar, CZUDPBaseControlBar* pTarget, BOOL bAfter)
    {
        return m_dockManager.InsertBarBeside(pBar, pTarget, bAfter);
    }
    BOOL HitTestDockEdge(CPoint pt, int nSensitivity, DWORD& dwAlignment, BOOL& bOuter)
    {
        return m_dockManager.HitTestDockEdge(pt, nSensitivity, dwAlignment, bOuter);
    }
    // The frame's say in toolbar-button tooltips: the text a button's
    // tooltip shows, and the tool record of a button about to show one.
    // FALSE (the toolbar's own answer stands) unless an application's
    // frame overrides them.
    virtual BOOL GetButtonTooltipText(CZUDPToolbarButton* pButton, CString& strText)
    {
        (void)pButton;
        (void)strText;
        return FALSE;
    }
    virtual BOOL OnShowButtonTooltip(CZUDPToolbarButton* pButton, TOOLINFOA* pTI)
    {
        (void)pButton;
        (void)pTI;
        return FALSE;
    }

    // The "Add or Remove Buttons" list of a toolbar (resource id) is being
    // filled: the default adds the toolbar's resource buttons that are no
    // longer on it.  Frames may add rows of their own.
    virtual BOOL OnFillCustomizeMenu(CZUDPPopupMenu* pMenu, UINT uiToolbarResId);

    // The frame's say in its popup menus: a popup about to show (null: none
    // is open any more) may be refused; the frame then keeps it as its
    // current popup.  The base frames accept every popup.
    virtual BOOL PreparePopupMenu(CZUDPPopupMenu* pMenu);
    // A popup of the frame closes: it is no longer the current one.
    virtual void OnClosePopupMenu(CZUDPPopupMenu* pMenu);
    // The frame's say in a menu torn off into a new bar: FALSE refuses it
    // (the bar is then destroyed).  The base frames accept it.
    virtual BOOL OnTearOffMenu(CZUDPPopupMenu* pMenu, CZUDPBaseControlBar* pBar)
    {
        (void)pMenu;
        (void)pBar;
        return TRUE;
    }

    void UnregisterBar(CZUDPBaseControlBar* pBar, BOOL bDestroy = FALSE, BOOL bAdjustLayout = FALSE,
                       BOOL bAutoHide = FALSE, CZUDPBaseControlBar* pBarReplacement = nullptr)
    {
        m_dockManager.UnregisterBar(pBar, bDestroy, bAdjustLayout, bAutoHide, pBarReplacement);
    }

protected:
    // The layout of a library frame: the dock bars along its edges, the
    // view (AFX_IDW_PANE_FIRST) in what is left, less the frame's borders.
    void LayoutFrame(CFrameWnd* pFrame, const CRect& rectBorder);

    CZUDPDockManager m_dockManager;
};

// The dock manager of a library frame, null for any other window.  The
// frame kinds are tested in this order: SDI frame, MDI frame, OLE in-place
// frame, OLE document in-place frame, MDI child, OLE container frame.
CZUDPDockManager* DockManagerOfFrame(CWnd* pFrame);
// The frame whose button-tooltip hooks a toolbar asks: an SDI or MDI
// frame, with bMDIChild an MDI child frame too, else an OLE in-place
// frame; null for any other window.
CZUDPFrameDockSite* ButtonTooltipSiteOf(CWnd* pFrame, BOOL bMDIChild = FALSE);
// The implementation object of an SDI or MDI library frame, else null.
CZUDPFrameImpl* FrameImplOf(CWnd* pFrame);

// The library's single-document frame: its messages go to the frame
// implementation (popups, keys, user toolbars, placement, full screen)
// and the dock manager in a fixed order.
class CZUDPFrameWnd : public CFrameWnd, public CZUDPFrameDockSite {
    DECLARE_DYNCREATE(CZUDPFrameWnd)
public:
    CZUDPFrameWnd();
    ~CZUDPFrameWnd() override;

    // The ribbon bar attached to the frame, or null.
    CZUDPRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CZUDPRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }

    // The frame's implementation object (its bars, docking and placement).
    CZUDPFrameImpl& GetFrameImpl() { return m_Impl; }

    // --- replaced operations
    // The frame's resources, then the workspace loads the frame's saved
    // state (toolbars, user and torn-off bars, docking, placement).
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW, CWnd* pParentWnd = nullptr,
                   void* pContext = nullptr) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreparePopupMenu(CZUDPPopupMenu* pMenu) override;
    void OnClosePopupMenu(CZUDPPopupMenu* pMenu) override;

    // --- hooks other library code calls on the frame
    // The docked bars are laid out again and the view fitted to what is
    // left (nothing while the dock manager's layout is held back).
    virtual void RecalcDockLayout(HDWP hdwp = nullptr);
    // A popup about to show for the first time (TRUE: show it).
    virtual BOOL OnPopupMenuShowing(CZUDPPopupMenu* pMenu)
    {
        (void)pMenu;
        return TRUE;
    }
    // The view window (id AFX_IDW_PANE_FIRST) fills the area the docked
    // bars leave.
    virtual void FitClientToDockArea();
    // The dock manager hides and shows the bars around the base's preview
    // mode; the top-level frame records this frame as the preview's.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    // The frame that shows a print preview on this frame's behalf (the
    // top-level frame keeps it), or null; closing this frame then only
    // ends the preview.
    CZUDPFrameWnd* m_pPrintPreviewFrame = nullptr;
    BOOL m_bContextHelp = FALSE;
    BOOL m_bWasMaximized = FALSE;   // the last plain-path WM_SIZE was SIZE_MAXIMIZED
    BOOL m_bIsMinimized = FALSE;

protected:
    void RepositionChildren() override { LayoutFrame(this, m_rectBorder); }

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnNcPaint();
    BOOL OnNcActivate(BOOL bActive);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnChangeVisualManager(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    BOOL OnBarCheck(UINT nID);
    DECLARE_MESSAGE_MAP()

    CZUDPRibbonBar* m_pRibbonBar = nullptr;
    CZUDPFrameImpl m_Impl{this};
};

class CZUDPMDIFrameWnd : public CMDIFrameWnd, public CZUDPFrameDockSite {
    DECLARE_DYNCREATE(CZUDPMDIFrameWnd)
public:
    CZUDPMDIFrameWnd();
    ~CZUDPMDIFrameWnd() override;

    CZUDPRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CZUDPRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }

    // Docking panes may become MDI tabbed documents (the library never
    // allows it by itself).
    BOOL AcceptsPanesAsTabbedDocuments() const { return m_bPanesAsTabbedDocuments; }
    // The frame fills the screen.
    BOOL IsFullScreen() const { return m_bFullScreen; }
    // Turns the tabbed document an MDI child shows back into a docked
    // pane; FALSE when the child hosts no pane.
    virtual BOOL ReleaseTabbedDocument(CWnd* pMDIChild);

    BOOL m_bPanesAsTabbedDocuments = FALSE;
    BOOL m_bFullScreen = FALSE;

    // The frame's implementation object (its bars, docking and placement).
    CZUDPFrameImpl& GetFrameImpl() { return m_Impl; }

    // The menu bar, when there is one, shows the menus MDI switches
    // between; the frame then has no native menu.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    // The menu bar (or a visible ribbon) takes the menu: TRUE, and the
    // frame keeps no native menu.  FALSE without either.  A null menu: the
    // frame's default menu.
    virtual BOOL ApplyMenuToMenuBar(HMENU hMenu);
    void OnMDIChildChanged(CWnd* pChild, BOOL bDestroying) override;
    // The menu bar shows the icon and caption buttons of the active child
    // while it is maximized (a child being destroyed counts as none).
    void UpdateMenuBarMDIButtons(HWND hWndGoing = nullptr);

protected:
    void RepositionChildren() override { LayoutFrame(this, m_rectBorder); }
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

    CZUDPRibbonBar* m_pRibbonBar = nullptr;
    CZUDPFrameImpl m_Impl{this};
};

// The frame of an OLE server's window while it is active in place: a
// frame implementation and a dock manager like the SDI frame, the same
// command, popup and key handling; activating it makes it
// g_activeInPlaceFrame and deactivating it hands that back.  The document
// server's frame derives from it and differs in the points its members
// say.
class CZUDPOleIPFrameWnd : public COleIPFrameWnd, public CZUDPFrameDockSite {
    DECLARE_DYNCREATE(CZUDPOleIPFrameWnd)
public:
    CZUDPOleIPFrameWnd();
    ~CZUDPOleIPFrameWnd() override;

    CZUDPFrameImpl& GetFrameImpl() { return m_Impl; }

    // The container frame object becomes a library container frame (made
    // once; a second call keeps it) in which the server's bars dock.
    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreparePopupMenu(CZUDPPopupMenu* pMenu) override;
    void OnClosePopupMenu(CZUDPPopupMenu* pMenu) override;
    // The layout of the docked bars; the container frame renegotiates its
    // borders instead.
    virtual void RecalcDockLayout(HDWP hdwp = nullptr) { m_dockManager.LayoutDockedBars(hdwp); }

    // The frame is the active in-place frame (between its activation and
    // its deactivation or destruction).
    BOOL IsInPlaceActive() const { return m_bInPlaceActive; }
    // The window that was g_activeInPlaceFrame before this one.
    HWND m_hwndPrevInPlaceFrame = nullptr;

protected:
    void RepositionChildren() override { LayoutFrame(this, m_rectBorder); }
    // Every deactivation tells the frame implementation (the document
    // frame); otherwise only outside customization.
    virtual BOOL DeactivatesAlways() const { return FALSE; }
    // The simple frame lays out its docked bars in RecalcLayout.
    virtual BOOL LaysOutDockedBars() const { return TRUE; }

    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnDestroy();
    void OnClose();
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // g_activeInPlaceFrame goes back to the frame active before this one
    // (past frames that were deactivated meanwhile), or none.
    void HandBackActiveInPlaceFrame();

    CZUDPFrameImpl m_Impl{this};
    BOOL m_bContextHelp = FALSE;
    BOOL m_bInPlaceActive = FALSE;
};

// The in-place frame of an OLE document server.
class CZUDPOleDocIPFrameWnd : public CZUDPOleIPFrameWnd {
    DECLARE_DYNCREATE(CZUDPOleDocIPFrameWnd)
public:
    CZUDPOleDocIPFrameWnd() = default;

protected:
    BOOL DeactivatesAlways() const override { return TRUE; }
    BOOL LaysOutDockedBars() const override { return FALSE; }
};

// A child frame of an MDI frame (it may show a docking pane as a tabbed
// document).
class CZUDPMDIChildWnd : public CFrameWnd, public CZUDPFrameDockSite {
    DECLARE_DYNCREATE(CZUDPMDIChildWnd)
public:
    CZUDPMDIChildWnd() : CZUDPFrameDockSite(this) {}

    // The docking pane the child shows as a tabbed document, or null.
    CWnd* GetTabbedPane() const { return m_pTabbedPane; }

protected:
    void RepositionChildren() override { LayoutFrame(this, m_rectBorder); }

    CWnd* m_pTabbedPane = nullptr;
};

// The library's object for an OLE container's frame while a server item
// is active in it: the server's bars dock in its dock manager, and its
// dock layout renegotiates the container's border space through the
// in-place frame that made it.
class CZUDPOleCntrFrameWnd : public COleCntrFrameWnd, public CZUDPFrameDockSite {
    DECLARE_DYNCREATE(CZUDPOleCntrFrameWnd)
public:
    explicit CZUDPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame = nullptr)
        : COleCntrFrameWnd(pInPlaceFrame), CZUDPFrameDockSite(this)
    {
    }
    ~CZUDPOleCntrFrameWnd() override;

    void RecalcLayout(BOOL bNotify = TRUE) override;
    virtual void RecalcDockLayout(HDWP hdwp = nullptr);
    // The container's border space is asked for again.
    int BorderRenegotiations() const { return m_nRenegotiations; }

protected:
    void RepositionChildren() override { LayoutFrame(this, m_rectBorder); }
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int m_nRenegotiations = 0;
};

// Every library frame window of the process; readers skip entries whose
// handle no longer belongs to a permanent window object.
extern CObList g_frameList;
