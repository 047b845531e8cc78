#pragma once
// Print preview: a view that shows the pages another view prints, scaled
// into the frame's client area, with the page commands (next, previous,
// one or two pages, zoom, print, close) and a tool area above it where a
// toolbar of the preview's commands goes.  The pages come from the
// printing view's OnPrint on a DC mapped from the printer's page to the
// page's place on the screen; the printer is the framework's printer seam.
#include "framework/win/PrintInfo.h"
#include "framework/win/ScrollView.h"

// The preview's commands.
#ifndef AFX_ID_PREVIEW_CLOSE
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
#endif

// What a frame puts aside while it shows a preview.
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;   // the pane the preview replaces
    HMENU hMenu = nullptr;                   // the frame's menu
    DWORD dwStates = 0;                      // bars hidden: bit (id - AFX_IDW_CONTROLBAR_FIRST)
    HWND hWndFocus = nullptr;                // the focus before the preview
    HACCEL hAccelTable = nullptr;            // the frame's accelerators
    BOOL bPutAside = FALSE;                  // the frame's things are in this state now
};

// The preview's tool area: a strip along the frame's top, as high as what
// it holds (nothing at first; a toolbar the preview view puts in it sets
// the height).
class CPreviewToolWnd : public CWnd {
    DECLARE_DYNAMIC(CPreviewToolWnd)
public:
    CPreviewToolWnd() = default;
    BOOL Create(CWnd* pFrame);
    int m_nHeight = 0;
    // The area takes its room in the frame's layout; off where another
    // layout (a dock manager) makes room for what it holds.
    BOOL m_bTakesRoom = TRUE;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class CPreviewView : public CScrollView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView() = default;
    ~CPreviewView() override;

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    // The view whose pages are shown: asks it for its page range and the
    // printer (the printer seam; no dialog), then begins its job.  FALSE
    // without a printer or when the view refuses.
    BOOL SetPrintView(CView* pPrintView);
    // Shows a page (clamped to the job's range) as the first one shown.
    void SetCurrentPage(UINT nPage);
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // The pages shown side by side: one or two when zoomed out, one when
    // zoomed in.
    UINT GetPagesShown() const { return m_nZoomState == ZOOM_OUT ? m_nPages : 1; }
    UINT GetZoomState() const { return m_nZoomState; }
    // Where page i of those shown lies in the client area (empty when it
    // is not shown).
    CRect GetPageRect(UINT i) const;

    // The page number went to nPage with nPagesDisplayed pages shown: the
    // base formats the job's page description and shows it on the frame's
    // message line (WM_SETMESSAGESTRING).
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    // Ends the preview: the printing view's job ends, the frame gets back
    // what it put aside and its view, and this window goes.
    virtual void OnPreviewClose();

    void OnDraw(CDC* pDC) override;

    // The tool area above the preview (made before the view's window).
    CPreviewToolWnd* m_pToolBar = nullptr;
    CView* m_pPrintView = nullptr;
    CView* m_pOrigView = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr;
    // The view deletes itself when its window goes (set by DoPrintPreview).
    BOOL m_bAutoDelete = FALSE;

protected:
    void PostNcDestroy() override;
    // Sizes the scrolled area for the zoom state and the window.
    void PositionPages();

    void OnNextPage();
    void OnPrevPage();
    void OnNumPageChange();
    void OnZoomIn();
    void OnZoomOut();
    void OnPreviewPrint();
    void OnPreviewCloseCommand() { OnPreviewClose(); }
    void OnUpdateNextPage(CCmdUI* pCmdUI);
    void OnUpdatePrevPage(CCmdUI* pCmdUI);
    void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    void OnUpdateZoomIn(CCmdUI* pCmdUI);
    void OnUpdateZoomOut(CCmdUI* pCmdUI);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    UINT m_nPages = 1;
    UINT m_nZoomState = ZOOM_OUT;
    UINT m_nCurrentPage = 1;
    CSize m_sizePage;        // the printer's page, printer pixels
    CSize m_sizePrinterPPI;  // the printer's pixels per inch
    HWND m_hWndOrigView = nullptr;
    BOOL m_bClosing = FALSE;
};
