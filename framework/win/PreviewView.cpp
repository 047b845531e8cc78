#include "framework/win/PreviewView.h"

#include "framework/win/DC.h"
#include "framework/win/CommandIds.h"
#include "framework/win/FrameworkSeams.h"

IMPLEMENT_DYNAMIC(CPreviewToolWnd, CWnd)
IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

namespace {

// The grey around the pages, the gap between them and the window's edge,
// and the shadow each page casts.
constexpr int kPreviewMargin = 8;
constexpr int kPreviewShadow = 3;

} // namespace

// ---------------------------------------------------------------------------
// The tool area

BEGIN_MESSAGE_MAP(CPreviewToolWnd, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CPreviewToolWnd::OnSizeParent)
END_MESSAGE_MAP()

BOOL CPreviewToolWnd::Create(CWnd* pFrame)
{
    return CWnd::CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                                 (HBRUSH)(COLOR_BTNFACE + 1)),
                          nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0),
                          pFrame, AFX_IDW_PREVIEW_BAR);
}

LRESULT CPreviewToolWnd::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (pLayout == nullptr || !IsWindowVisible() || !m_bTakesRoom)
        return 0;
    CRect rc(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nHeight);
    if (rc.bottom > pLayout->rect.bottom)
        rc.bottom = pLayout->rect.bottom;
    pLayout->rect.top = rc.bottom;
    pLayout->sizeTotal.cy += rc.Height();
    if (pLayout->hDWP != nullptr)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// ---------------------------------------------------------------------------
// Starting a preview

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

BOOL CView::OnFilePrintPreview(CRuntimeClass* pPreviewViewClass)
{
    return DoPrintPreview(this, pPreviewViewClass != nullptr ? pPreviewViewClass : RUNTIME_CLASS(CPreviewView),
                          new CPrintPreviewState);
}

BOOL CView::DoPrintPreview(CView* pPrintView, CRuntimeClass* pPreviewViewClass, CPrintPreviewState* pState)
{
    if (pState == nullptr)
        return FALSE;
    CFrameWnd* pFrame = GetParentFrame();
    CObject* pObject = pPreviewViewClass != nullptr ? pPreviewViewClass->CreateObject() : nullptr;
    CPreviewView* pView = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CPreviewView))
                              ? static_cast<CPreviewView*>(pObject)
                              : nullptr;
    if (pFrame == nullptr || pView == nullptr) {
        delete pObject;
        delete pState;
        return FALSE;
    }
    pView->m_pPreviewState = pState;
    pView->m_pOrigView = this;
    // The printer first: without one nothing of the frame changes.
    if (!pView->SetPrintView(pPrintView != nullptr ? pPrintView : this)) {
        if (pView->m_pPreviewInfo == nullptr || pView->m_pPreviewInfo->m_hPrinterDC == nullptr)
            g_frameworkSeams.messageBox(pFrame->GetSafeHwnd(),
                                        "Print preview needs a printer, and no printer is installed.", nullptr,
                                        MB_OK | MB_ICONEXCLAMATION);
        delete pView;
        return FALSE;
    }
    pFrame->OnSetPreviewMode(TRUE, pState);
    pView->m_pToolBar = new CPreviewToolWnd;
    CCreateContext context;
    context.m_pCurrentFrame = pFrame;
    context.m_pCurrentDoc = GetDocument();
    context.m_pLastView = this;
    if (!pView->m_pToolBar->Create(pFrame) ||
        !pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pFrame,
                       AFX_IDW_PANE_FIRST, &context)) {
        // The frame gets its things back; the view ends the printing job.
        pView->OnPreviewClose();
        delete pView;
        return FALSE;
    }
    pView->m_bAutoDelete = TRUE;
    pFrame->SetActiveView(pView);
    pFrame->RecalcLayout();
    pView->SetCurrentPage(pView->GetCurrentPage());
    pView->UpdateWindow();
    return TRUE;
}

// ---------------------------------------------------------------------------
// The view

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewCloseCommand)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &CPreviewView::OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::~CPreviewView()
{
    if (m_pPreviewInfo != nullptr) {
        if (m_pPreviewInfo->m_hPrinterDC != nullptr)
            ::DeleteDC(m_pPreviewInfo->m_hPrinterDC);
        delete m_pPreviewInfo;
    }
    delete m_pPreviewState;
    delete m_pToolBar;
}

void CPreviewView::PostNcDestroy()
{
    CScrollView::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    if (pPrintView == nullptr || m_pPrintView != nullptr)
        return FALSE;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo) || m_pPreviewInfo->m_hPrinterDC == nullptr)
        return FALSE;
    const HDC hDC = m_pPreviewInfo->m_hPrinterDC;
    m_sizePage = CSize(::GetDeviceCaps(hDC, HORZRES), ::GetDeviceCaps(hDC, VERTRES));
    m_sizePrinterPPI = CSize(::GetDeviceCaps(hDC, LOGPIXELSX), ::GetDeviceCaps(hDC, LOGPIXELSY));
    // A printer that answers no page cannot be shown.
    if (m_sizePage.cx <= 0 || m_sizePage.cy <= 0 || m_sizePrinterPPI.cx <= 0 || m_sizePrinterPPI.cy <= 0)
        return FALSE;
    m_pPrintView = pPrintView;
    m_hWndOrigView = m_pOrigView != nullptr ? m_pOrigView->GetSafeHwnd() : nullptr;
    if (m_pPreviewInfo->GetMaxPage() < m_pPreviewInfo->GetMinPage())
        m_pPreviewInfo->SetMaxPage(m_pPreviewInfo->GetMinPage());
    m_nPages = m_pPreviewInfo->m_nNumPreviewPages >= 2 ? 2 : 1;
    // One page cannot be shown as two.
    if (m_pPreviewInfo->GetMaxPage() == m_pPreviewInfo->GetMinPage())
        m_nPages = 1;
    m_nCurrentPage = m_pPreviewInfo->GetMinPage();
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePage.cx, m_sizePage.cy);
    CDC dc;
    dc.Attach(hDC);
    m_pPrintView->OnBeginPrinting(&dc, m_pPreviewInfo);
    dc.Detach();
    return TRUE;
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    if (m_pPreviewInfo == nullptr)
        return;
    const UINT nMin = m_pPreviewInfo->GetMinPage();
    const UINT nMax = m_pPreviewInfo->GetMaxPage();
    // Two pages shown never start past the last pair.
    const UINT nLast = GetPagesShown() == 2 && nMax > nMin ? nMax - 1 : nMax;
    m_nCurrentPage = nPage < nMin ? nMin : (nPage > nLast ? nLast : nPage);
    if (m_hWnd != nullptr) {
        PositionPages();
        Invalidate();
    }
    const UINT nShown = GetPagesShown();
    OnDisplayPageNumber(m_nCurrentPage, m_nCurrentPage + nShown - 1 <= nMax ? nShown : 1);
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    if (m_pPreviewInfo == nullptr)
        return;
    CString strFormat;
    if (!AfxExtractSubString(strFormat, m_pPreviewInfo->m_strPageDesc, nPagesDisplayed == 1 ? 0 : 1, '\n') ||
        strFormat.IsEmpty())
        return;
    CString text;
    if (nPagesDisplayed == 1)
        text.Format(strFormat, nPage);
    else
        text.Format(strFormat, nPage, nPage + nPagesDisplayed - 1);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCTSTR)text);
}

void CPreviewView::OnPreviewClose()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    CFrameWnd* pFrame = m_hWnd != nullptr ? GetParentFrame() : nullptr;
    if (pFrame == nullptr && m_pOrigView != nullptr && ::IsWindow(m_hWndOrigView))
        pFrame = m_pOrigView->GetParentFrame();
    if (m_pPrintView != nullptr && m_pPreviewInfo != nullptr && m_pPreviewInfo->m_hPrinterDC != nullptr) {
        CDC dc;
        dc.Attach(m_pPreviewInfo->m_hPrinterDC);
        m_pPrintView->OnEndPrinting(&dc, m_pPreviewInfo);
        dc.Detach();
    }
    m_pPrintView = nullptr;
    if (m_pToolBar != nullptr && ::IsWindow(m_pToolBar->GetSafeHwnd()))
        m_pToolBar->DestroyWindow();
    if (pFrame != nullptr) {
        pFrame->OnSetPreviewMode(FALSE, m_pPreviewState);
        // The view that was shown comes back, when it is still there.
        CWnd* pOrig = ::IsWindow(m_hWndOrigView) ? CWnd::FromHandlePermanent(m_hWndOrigView) : nullptr;
        pFrame->SetActiveView(pOrig != nullptr && pOrig->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pOrig)
                                                                                         : nullptr);
    }
    if (m_hWnd != nullptr) {
        DestroyWindow();   // may delete this
        if (pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd()))
            pFrame->RecalcLayout();
    }
}

CRect CPreviewView::GetPageRect(UINT i) const
{
    if (m_hWnd == nullptr || m_sizePage.cx <= 0 || i >= GetPagesShown() || m_pPreviewInfo == nullptr ||
        m_nCurrentPage + i > m_pPreviewInfo->GetMaxPage())
        return CRect();
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    const int n = int(GetPagesShown());
    if (m_nZoomState == ZOOM_OUT) {
        // Each page in its share of the window, as large as fits.
        const int cxArea = (rc.Width() - kPreviewMargin * (n + 1)) / n;
        const int cyArea = rc.Height() - 2 * kPreviewMargin;
        if (cxArea <= 0 || cyArea <= 0)
            return CRect();
        int cx = cxArea;
        int cy = MulDiv(cx, m_sizePage.cy * m_sizePrinterPPI.cx, m_sizePage.cx * m_sizePrinterPPI.cy);
        if (cy > cyArea) {
            cy = cyArea;
            cx = MulDiv(cy, m_sizePage.cx * m_sizePrinterPPI.cy, m_sizePage.cy * m_sizePrinterPPI.cx);
        }
        const int x = kPreviewMargin + int(i) * (cxArea + kPreviewMargin) + (cxArea - cx) / 2;
        const int y = kPreviewMargin + (cyArea - cy) / 2;
        return CRect(x, y, x + cx, y + cy);
    }
    // Zoomed in: the page at its size on the screen (half of it in the
    // middle step), scrolled.
    HDC hScreen = ::GetDC(nullptr);
    const int nScreenX = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    const int nScreenY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    int cx = MulDiv(m_sizePage.cx, nScreenX, m_sizePrinterPPI.cx);
    int cy = MulDiv(m_sizePage.cy, nScreenY, m_sizePrinterPPI.cy);
    if (m_nZoomState == ZOOM_MIDDLE) {
        cx /= 2;
        cy /= 2;
    }
    const int x = (rc.Width() > cx + 2 * kPreviewMargin ? (rc.Width() - cx) / 2 : kPreviewMargin) - m_ptScroll.x;
    const int y = kPreviewMargin - m_ptScroll.y;
    return CRect(x, y, x + cx, y + cy);
}

void CPreviewView::PositionPages()
{
    if (m_nZoomState == ZOOM_OUT) {
        SetScrollSizes(MM_TEXT, CSize(0, 0));
        return;
    }
    m_ptScroll = CPoint(0, 0);
    CRect rcPage = GetPageRect(0);
    SetScrollSizes(MM_TEXT, CSize(rcPage.Width() + 2 * kPreviewMargin, rcPage.Height() + 2 * kPreviewMargin));
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_APPWORKSPACE));
    return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    if (m_pPrintView == nullptr || m_pPreviewInfo == nullptr)
        return;
    // Pages are placed in client coordinates: the scroll position is in
    // their rectangles already.
    pDC->SetViewportOrg(0, 0);
    for (UINT i = 0; i < GetPagesShown(); ++i) {
        const CRect rcPage = GetPageRect(i);
        if (rcPage.IsRectEmpty())
            continue;
        CRect rcShadow = rcPage;
        rcShadow.OffsetRect(kPreviewShadow, kPreviewShadow);
        pDC->FillSolidRect(&rcShadow, ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->FillSolidRect(&rcPage, RGB(255, 255, 255));
        CRect rcFrame = rcPage;
        rcFrame.InflateRect(1, 1);
        ::FrameRect(pDC->GetSafeHdc(), &rcFrame, (HBRUSH)::GetStockObject(BLACK_BRUSH));

        // The printing view draws on the page as on the printer: the
        // printer's page maps onto the page's rectangle.
        const int nSaved = ::SaveDC(pDC->GetSafeHdc());
        ::IntersectClipRect(pDC->GetSafeHdc(), rcPage.left, rcPage.top, rcPage.right, rcPage.bottom);
        m_pPrintView->OnPrepareDC(pDC, m_pPreviewInfo);
        ::SetMapMode(pDC->GetSafeHdc(), MM_ANISOTROPIC);
        ::SetWindowExtEx(pDC->GetSafeHdc(), m_sizePage.cx, m_sizePage.cy, nullptr);
        ::SetViewportExtEx(pDC->GetSafeHdc(), rcPage.Width(), rcPage.Height(), nullptr);
        ::SetWindowOrgEx(pDC->GetSafeHdc(), 0, 0, nullptr);
        ::SetViewportOrgEx(pDC->GetSafeHdc(), rcPage.left, rcPage.top, nullptr);
        m_pPreviewInfo->m_nCurPage = m_nCurrentPage + i;
        m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePage.cx, m_sizePage.cy);
        m_pPrintView->OnPrint(pDC, m_pPreviewInfo);
        ::RestoreDC(pDC->GetSafeHdc(), nSaved);
    }
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (m_nZoomState != ZOOM_OUT)
        PositionPages();
    Invalidate();
}

void CPreviewView::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    // A click on a page zooms in on it, then back out.
    for (UINT i = 0; i < GetPagesShown(); ++i) {
        if (GetPageRect(i).PtInRect(point)) {
            if (m_nZoomState == ZOOM_IN) {
                m_nZoomState = ZOOM_OUT;
                SetCurrentPage(m_nCurrentPage);
            } else {
                m_nZoomState = ZOOM_IN;
                SetCurrentPage(m_nCurrentPage + i);
            }
            return;
        }
    }
}

void CPreviewView::OnNextPage() { SetCurrentPage(m_nCurrentPage + 1); }

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 0)
        SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPageChange()
{
    if (m_pPreviewInfo == nullptr || m_pPreviewInfo->GetMaxPage() == m_pPreviewInfo->GetMinPage())
        return;
    m_nPages = m_nPages == 1 ? 2 : 1;
    m_nZoomState = ZOOM_OUT;
    SetCurrentPage(m_nCurrentPage);
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoomState == ZOOM_IN)
        return;
    ++m_nZoomState;
    SetCurrentPage(m_nCurrentPage);
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoomState == ZOOM_OUT)
        return;
    --m_nZoomState;
    SetCurrentPage(m_nCurrentPage);
}

void CPreviewView::OnPreviewPrint()
{
    // The preview ends and the view that was shown prints.
    HWND hWndOrig = m_hWndOrigView;
    OnPreviewClose();
    if (::IsWindow(hWndOrig))
        ::PostMessageA(hWndOrig, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage + GetPagesShown() - 1 < m_pPreviewInfo->GetMaxPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_pPreviewInfo != nullptr &&
                   m_pPreviewInfo->GetMaxPage() != m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_IN); }

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_OUT); }
