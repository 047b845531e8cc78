#pragma once
// The print preview's toolbar: the preview's commands on a library
// toolbar in the framework's preview tool area.  It is left out of the
// frame's menu of bars, offers no context menu, and leaves its frame's
// dock manager when its window goes.  While a preview hides the frame's
// bars, it is the only toolbar that takes Alt+character.
#include "framework/win/PreviewView.h"
#include "ui/commandbars/ZUDPToolBar.h"

class CZUDPStatusBar;
class CZUDPRibbonBar;
class CZUDPRibbonButton;

class CZUDPPrintPreviewToolBar : public CZUDPToolBar {
    DECLARE_DYNAMIC(CZUDPPrintPreviewToolBar)
public:
    CZUDPPrintPreviewToolBar() = default;

    BOOL IsShownInBarsMenu() const override { return FALSE; }
    // The base's tooltip hit test with the library's resources current.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The library's print preview view: the preview's commands on the
// library's toolbar in the preview's tool area (registered with the
// frame's dock manager), the page number in the frame's library status
// bar when it has one, and the background from the visual manager.  In an
// MDI child the MDI frame's bars serve.
class CZUDPPrintPreviewView : public CPreviewView {
    DECLARE_DYNCREATE(CZUDPPrintPreviewView)
public:
    CZUDPPrintPreviewView() = default;
    ~CZUDPPrintPreviewView() override;

    void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) override;

    // Toolbars with large icons show the preview's toolbar with them too
    // (the default); off: the preview's toolbar keeps its small sizes.
    static void EnableLargeIcons(BOOL bEnable) { s_bLargeIcons = bEnable; }

    CZUDPPrintPreviewToolBar m_wndToolBar;
    int m_iOnePageImageIndex = -1;
    int m_iTwoPageImageIndex = -1;
    int m_iPagesBtnIndex = -1;
    CZUDPStatusBar* m_pWndStatusBar = nullptr;
    int m_nSimpleWidth = -1;    // the toolbar size placed last
    int m_nSimpleHeight = -1;
    CZUDPRibbonBar* m_pWndRibbonBar = nullptr;
    CZUDPRibbonButton* m_pNumPageButton = nullptr;

protected:
    // Places the toolbar in the tool area, the width of the frame's client
    // area; the frame is laid out again when the size changed.
    void PositionToolbar();
    // The frame whose bars serve the preview (the MDI frame for a child).
    CFrameWnd* BarsFrame();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    void OnUpdatePreviewNumPage(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    static BOOL s_bLargeIcons;
};
