#include "framework/win/ScrollView.h"

#include "framework/win/DC.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(sizeTotal.cx > 0 ? sizeTotal.cx : 0, sizeTotal.cy > 0 ? sizeTotal.cy : 0);
    // Logical sizes become device sizes on a screen DC in the same mode.
    HDC hDC = ::GetDC(nullptr);
    const int nOldMode = ::SetMapMode(hDC, nMapMode != 0 ? nMapMode : MM_TEXT);
    POINT pts[3] = {{m_totalLog.cx, m_totalLog.cy}, {sizePage.cx, sizePage.cy}, {sizeLine.cx, sizeLine.cy}};
    ::LPtoDP(hDC, pts, 3);
    ::SetMapMode(hDC, nOldMode);
    ::ReleaseDC(nullptr, hDC);
    m_totalDev = CSize(abs(pts[0].x), abs(pts[0].y));
    m_pageDev = CSize(abs(pts[1].x), abs(pts[1].y));
    m_lineDev = CSize(abs(pts[2].x), abs(pts[2].y));
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_totalDev.cx / 100 > 0 ? m_totalDev.cx / 100 : 1;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_totalDev.cy / 100 > 0 ? m_totalDev.cy / 100 : 1;
    if (m_hWnd != nullptr)
        UpdateBars();
}

void CScrollView::ScrollToDevicePosition(POINT pt)
{
    CRect rc;
    if (m_hWnd != nullptr)
        GetClientRect(&rc);
    const int nMaxX = m_totalDev.cx > rc.Width() ? m_totalDev.cx - rc.Width() : 0;
    const int nMaxY = m_totalDev.cy > rc.Height() ? m_totalDev.cy - rc.Height() : 0;
    CPoint ptNew(pt.x < 0 ? 0 : (pt.x > nMaxX ? nMaxX : pt.x), pt.y < 0 ? 0 : (pt.y > nMaxY ? nMaxY : pt.y));
    if (ptNew == m_ptScroll)
        return;
    m_ptScroll = ptNew;
    if (m_hWnd != nullptr) {
        ::SetScrollPos(m_hWnd, SB_HORZ, m_ptScroll.x, TRUE);
        ::SetScrollPos(m_hWnd, SB_VERT, m_ptScroll.y, TRUE);
        Invalidate();
    }
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr)
        return;
    if (m_nMapMode != 0)
        pDC->SetMapMode(m_nMapMode);
    // A printed page starts at its own origin.
    if (pInfo == nullptr)
        pDC->SetViewportOrg(-m_ptScroll.x, -m_ptScroll.y);
}

void CScrollView::UpdateBars()
{
    CRect rc;
    GetClientRect(&rc);
    // The bars the window shows now take room from the client area; the
    // test is against the area without them.
    const DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        rc.right += ::GetSystemMetrics(SM_CXVSCROLL);
    if (dwStyle & WS_HSCROLL)
        rc.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    BOOL bNeedH = m_totalDev.cx > rc.Width();
    BOOL bNeedV = m_totalDev.cy > rc.Height();
    if (bNeedH && !bNeedV)
        bNeedV = m_totalDev.cy > rc.Height() - ::GetSystemMetrics(SM_CYHSCROLL);
    if (bNeedV && !bNeedH)
        bNeedH = m_totalDev.cx > rc.Width() - ::GetSystemMetrics(SM_CXVSCROLL);
    if (bNeedV)
        rc.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (bNeedH)
        rc.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);

    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    const int nMaxX = bNeedH ? m_totalDev.cx - rc.Width() : 0;
    const int nMaxY = bNeedV ? m_totalDev.cy - rc.Height() : 0;
    m_ptScroll.x = m_ptScroll.x > nMaxX ? nMaxX : m_ptScroll.x;
    m_ptScroll.y = m_ptScroll.y > nMaxY ? nMaxY : m_ptScroll.y;
    si.nMax = bNeedH ? m_totalDev.cx - 1 : 0;
    si.nPage = bNeedH ? UINT(rc.Width()) : 0;
    si.nPos = m_ptScroll.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    si.nMax = bNeedV ? m_totalDev.cy - 1 : 0;
    si.nPage = bNeedV ? UINT(rc.Height()) : 0;
    si.nPos = m_ptScroll.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    ::ShowScrollBar(m_hWnd, SB_HORZ, bNeedH);
    ::ShowScrollBar(m_hWnd, SB_VERT, bNeedV);
}

BOOL CScrollView::OnScrollBy(int nBar, UINT nSBCode, UINT nPos)
{
    CRect rc;
    GetClientRect(&rc);
    const BOOL bHorz = nBar == SB_HORZ;
    int pos = bHorz ? m_ptScroll.x : m_ptScroll.y;
    const int page = bHorz ? (m_pageDev.cx > 0 ? m_pageDev.cx : rc.Width()) : (m_pageDev.cy > 0 ? m_pageDev.cy : rc.Height());
    const int line = bHorz ? m_lineDev.cx : m_lineDev.cy;
    switch (nSBCode) {
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = bHorz ? m_totalDev.cx : m_totalDev.cy; break;
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit position: the message carries only 16 bits.
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        pos = ::GetScrollInfo(m_hWnd, nBar, &si) ? si.nTrackPos : int(nPos);
        break;
    }
    default: return FALSE;
    }
    const CPoint before = m_ptScroll;
    ScrollToDevicePosition(bHorz ? CPoint(pos, m_ptScroll.y) : CPoint(m_ptScroll.x, pos));
    return before != m_ptScroll;
}

void CScrollView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_nMapMode != 0)
        UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    (void)pScrollBar;
    OnScrollBy(SB_HORZ, nSBCode, nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    (void)pScrollBar;
    OnScrollBy(SB_VERT, nSBCode, nPos);
}
