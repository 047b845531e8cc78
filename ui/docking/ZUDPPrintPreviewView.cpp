#include "ui/docking/ZUDPPrintPreviewView.h"

#include "res/ui/docking.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPStatusBar.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNAMIC(CZUDPPrintPreviewToolBar, CZUDPToolBar)
IMPLEMENT_DYNCREATE(CZUDPPrintPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CZUDPPrintPreviewToolBar, CZUDPToolBar)
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

INT_PTR CZUDPPrintPreviewToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    CZUDPLocalResource locaRes;
    return CZUDPToolBar::OnToolHitTest(point, pTI);
}

void CZUDPPrintPreviewToolBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    (void)point;
}

void CZUDPPrintPreviewToolBar::OnDestroy()
{
    if (CZUDPDockManager* pManager = g_globalUtils.DockManagerOfWindow(this))
        pManager->UnregisterBar(this, FALSE, FALSE, FALSE, nullptr);
    CZUDPToolBar::OnDestroy();
}

// ---------------------------------------------------------------------------
// The view

BOOL CZUDPPrintPreviewView::s_bLargeIcons = TRUE;

BEGIN_MESSAGE_MAP(CZUDPPrintPreviewView, CPreviewView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CZUDPPrintPreviewView::OnUpdatePreviewNumPage)
END_MESSAGE_MAP()

CZUDPPrintPreviewView::~CZUDPPrintPreviewView() = default;

CFrameWnd* CZUDPPrintPreviewView::BarsFrame()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CZUDPMDIChildWnd))) {
        if (CFrameWnd* pTop = pFrame->GetParentFrame())
            pFrame = pTop;
    }
    return pFrame;
}

int CZUDPPrintPreviewView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (Default() == -1)
        return -1;
    CFrameWnd* pFrame = BarsFrame();
    if (pFrame == nullptr)
        return 0;

    // The ribbon's own print-preview category would take the commands:
    // the library has no ribbon bar class yet, so a frame with a ribbon
    // child (0xE806) gets no toolbar either.
    if (pFrame->GetDlgItem(0xE806) == nullptr && m_pToolBar != nullptr &&
        ::IsWindow(m_pToolBar->GetSafeHwnd())) {
        CZUDPLocalResource locaRes;
        const BOOL bHighColor = g_uiEnvironment.m_highColorImages && g_uiEnvironment.m_bitsPerPixel >= 16 &&
                                !g_uiEnvironment.m_whiteOnBlack && !g_uiEnvironment.m_blackOnWhite;
        if (!m_wndToolBar.CreateBar(m_pToolBar, 0x50402808, AFX_IDW_TOOLBAR) ||
            !m_wndToolBar.LoadButtonsResource(IDR_ZUDP_PRINT_PREVIEW, 0, 0, TRUE, 0, 0,
                                              bHighColor ? IDB_ZUDP_PRINT_PREVIEW_HICOLOR : 0)) {
            if (::IsWindow(m_wndToolBar.GetSafeHwnd()))
                m_wndToolBar.DestroyWindow();
            return 0;
        }
        m_wndToolBar.SetOwner(this);

        m_iPagesBtnIndex = m_wndToolBar.FindCommandIndex(AFX_ID_PREVIEW_NUMPAGE);
        if (CZUDPToolbarButton* pButton = m_wndToolBar.GetButtonAt(m_iPagesBtnIndex))
            m_iOnePageImageIndex = pButton->GetActiveImage();
        const int iTwoPages = m_wndToolBar.FindCommandIndex(ID_ZUDP_PREVIEW_TWO_PAGES);
        if (CZUDPToolbarButton* pButton = m_wndToolBar.GetButtonAt(iTwoPages)) {
            m_iTwoPageImageIndex = pButton->GetActiveImage();
            m_wndToolBar.RemoveButton(iTwoPages);
            m_iPagesBtnIndex = m_wndToolBar.FindCommandIndex(AFX_ID_PREVIEW_NUMPAGE);
        }
        const int iPrint = m_wndToolBar.FindCommandIndex(AFX_ID_PREVIEW_PRINT);
        if (iPrint >= 0)
            m_wndToolBar.SetButtonDisplay(iPrint, nullptr, TRUE, TRUE);
        const int iClose = m_wndToolBar.FindCommandIndex(AFX_ID_PREVIEW_CLOSE);
        if (iClose >= 0)
            m_wndToolBar.SetButtonDisplay(iClose, nullptr, TRUE, FALSE);

        // The dock manager makes room for the toolbar among the frame's
        // bars; the tool area then only follows it.
        if (CZUDPDockManager* pManager = g_globalUtils.DockManagerOfWindow(pFrame)) {
            if (pManager->RegisterBar(&m_wndToolBar))
                m_pToolBar->m_bTakesRoom = FALSE;
        }
        if (!s_bLargeIcons && g_largeIcons) {
            m_wndToolBar.m_sizeLargeButtonLocked = m_wndToolBar.m_sizeButtonLocked;
            m_wndToolBar.m_sizeLargeImageLocked = m_wndToolBar.m_sizeImageLocked;
        }
        PositionToolbar();
    }

    if (CWnd* pBar = pFrame->GetDlgItem(AFX_IDW_STATUS_BAR)) {
        if (pBar->IsKindOf(RUNTIME_CLASS(CZUDPStatusBar))) {
            m_pWndStatusBar = static_cast<CZUDPStatusBar*>(pBar);
            m_pWndStatusBar->SetPaneText(CZUDPStatusBar::kMessagePane, nullptr, TRUE);
        }
    }
    return 0;
}

void CZUDPPrintPreviewView::PositionToolbar()
{
    if (!::IsWindow(m_wndToolBar.GetSafeHwnd()) || m_pToolBar == nullptr || !::IsWindow(m_pToolBar->GetSafeHwnd()))
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    const CSize size = m_wndToolBar.CalcStretchSize(TRUE, TRUE);
    CRect rcFrame;
    pFrame->GetClientRect(&rcFrame);
    const int cx = rcFrame.Width();
    const int cy = size.cy;

    // Where the frame's layout put the toolbar: the tool area moves there
    // (the dock manager places it in the frame's coordinates, though its
    // parent is the tool area).
    CRect rcTool;
    if (m_pToolBar->m_bTakesRoom) {
        m_pToolBar->GetWindowRect(&rcTool);
        pFrame->ScreenToClient(&rcTool);
    } else {
        m_wndToolBar.GetWindowRect(&rcTool);
        m_pToolBar->ScreenToClient(&rcTool);
    }
    m_pToolBar->SetWindowPos(nullptr, rcTool.left, rcTool.top, cx, cy,
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_wndToolBar.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pToolBar->m_nHeight = cy;

    if (cx != m_nSimpleWidth || cy != m_nSimpleHeight) {
        m_nSimpleWidth = cx;
        m_nSimpleHeight = cy;
        pFrame->RecalcLayout(TRUE);
        pFrame->UpdateWindow();
    }
}

void CZUDPPrintPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CPreviewView::OnSize(nType, cx, cy);
    PositionToolbar();
}

BOOL CZUDPPrintPreviewView::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager()) {
        if (pManager->FillMDIClientBackground(pDC, this, rc))
            return TRUE;
    }
    return CPreviewView::OnEraseBkgnd(pDC);
}

void CZUDPPrintPreviewView::OnDestroy()
{
    if (m_pWndStatusBar != nullptr && ::IsWindow(m_pWndStatusBar->GetSafeHwnd()))
        m_pWndStatusBar->SetPaneText(CZUDPStatusBar::kMessagePane, nullptr, TRUE);
    m_pWndStatusBar = nullptr;
    if (::IsWindow(m_wndToolBar.GetSafeHwnd()))
        m_wndToolBar.DestroyWindow();
    CPreviewView::OnDestroy();
}

void CZUDPPrintPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    if (m_pPreviewInfo == nullptr)
        return;
    CString strFormat;
    // A description without a line feed has no text for several pages.
    if (!AfxExtractSubString(strFormat, m_pPreviewInfo->m_strPageDesc, nPagesDisplayed == 1 ? 0 : 1, '\n') ||
        strFormat.IsEmpty())
        return;
    CString text;
    if (nPagesDisplayed == 1)
        text.Format(strFormat, nPage);
    else
        text.Format(strFormat, nPage, nPage + nPagesDisplayed - 1);
    if (m_pWndStatusBar != nullptr && ::IsWindow(m_pWndStatusBar->GetSafeHwnd())) {
        m_pWndStatusBar->SetPaneText(CZUDPStatusBar::kMessagePane, text, TRUE);
    } else if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCTSTR)text);
    }
}

void CZUDPPrintPreviewView::OnUpdatePreviewNumPage(CCmdUI* pCmdUI)
{
    CPreviewView::OnUpdateNumPageChange(pCmdUI);
    if (!::IsWindow(m_wndToolBar.GetSafeHwnd()))
        return;
    CZUDPToolbarButton* pButton = m_wndToolBar.GetButtonAt(m_iPagesBtnIndex);
    if (pButton == nullptr)
        return;
    // The button offers the other count: two pages while one shows.
    const int iImage = GetPagesShown() == 1 ? m_iTwoPageImageIndex : m_iOnePageImageIndex;
    if (iImage >= 0 && pButton->GetActiveImage() != iImage) {
        pButton->AssignImage(iImage);
        m_wndToolBar.InvalidateButton(m_iPagesBtnIndex);
    }
}
