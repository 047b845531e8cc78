#include "ui/docking/ZUDPDockBarRow.h"

#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CZUDPDockBarRow, CObject)

CZUDPDockBarRow::CZUDPDockBarRow(CZUDPDockBar* pDockBar, int nOffset, int nHeight)
    : m_nHeight(nHeight), m_nOffset(nOffset), m_pDockBar(pDockBar)
{
}

BOOL CZUDPDockBarRow::IsHorizontal() const { return m_pDockBar == nullptr || m_pDockBar->IsHorizontal(); }

BOOL CZUDPDockBarRow::ContainsBar(const CZUDPBaseControlBar* pBar) const
{
    return m_lstBars.Find(const_cast<CZUDPBaseControlBar*>(pBar)) != nullptr;
}

BOOL CZUDPDockBarRow::IsCounted(const CZUDPBaseControlBar* pBar) const
{
    return pBar != nullptr && pBar->m_hWnd != nullptr && (m_bIncludeHidden || pBar->IsBarVisible());
}

CRect CZUDPDockBarRow::BarRectInDockBar(const CZUDPBaseControlBar* pBar) const
{
    CRect rect;
    pBar->GetWindowRect(&rect);
    m_pDockBar->ScreenToClient(&rect);
    return rect;
}

int CZUDPDockBarRow::GetVisibleBarCount() const
{
    int nCount = 0;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;)
        nCount += IsCounted(static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos))) ? 1 : 0;
    return nCount;
}

void CZUDPDockBarRow::CalcRowSize(CSize& size, BOOL bStretch, BOOL bHorz) const
{
    if (!m_bVisible) {
        size = bHorz ? CSize(0x7FFF, 0) : CSize(0, 0x7FFF);
        return;
    }
    int nAlong = 0;
    int nAcross = 0;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (!IsCounted(pBar))
            continue;
        const CSize sizeBar = pBar->CalcStretchSize(bStretch, bHorz);
        nAlong += bHorz ? sizeBar.cx : sizeBar.cy;
        nAcross = std::max(nAcross, int(bHorz ? sizeBar.cy : sizeBar.cx));
    }
    if (nAcross > 0)
        nAcross += m_nExtraThickness;
    size = bHorz ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
}

void CZUDPDockBarRow::GetRowRect(CRect& rect) const
{
    rect.SetRectEmpty();
    if (m_pDockBar == nullptr || m_pDockBar->m_hWnd == nullptr)
        return;
    m_pDockBar->GetWindowRect(&rect);
    if (IsHorizontal()) {
        rect.top += m_nOffset;
        rect.bottom = rect.top + m_nHeight;
    } else {
        rect.left += m_nOffset;
        rect.right = rect.left + m_nHeight;
    }
}

void CZUDPDockBarRow::GetRowRectInDockBar(CRect& rect) const
{
    rect.SetRectEmpty();
    if (m_pDockBar == nullptr || m_pDockBar->m_hWnd == nullptr)
        return;
    m_pDockBar->GetClientRect(&rect);
    if (IsHorizontal()) {
        rect.top = 0;
        rect.bottom = m_nHeight;
    } else {
        rect.left = 0;
        rect.right = m_nHeight;
    }
}

int CZUDPDockBarRow::GetAvailableLength(BOOL bUseVirtualRects) const
{
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    const BOOL bHorz = IsHorizontal();
    int nFree = bHorz ? rectRow.Width() : rectRow.Height();
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (!IsCounted(pBar))
            continue;
        CZUDPControlBar* pControlBar = DYNAMIC_DOWNCAST(CZUDPControlBar, pBar);
        const CRect rect = bUseVirtualRects && pControlBar != nullptr ? pControlBar->GetVirtualRect() : BarRectInDockBar(pBar);
        nFree -= bHorz ? rect.Width() : rect.Height();
    }
    return nFree;
}

BOOL CZUDPDockBarRow::HasOwnRowBar() const
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
        if (pBar != nullptr && !pBar->AllowsSiblingBarsInRow())
            return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Placing bars

void CZUDPDockBarRow::AddBar(CZUDPControlBar* pBar, int nDockMethod, LPCRECT lpRect, BOOL bAfterLast)
{
    (void)nDockMethod;
    if (pBar == nullptr || pBar->m_hWnd == nullptr || m_pDockBar == nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    const CSize size = pBar->CalcStretchSize(FALSE, bHorz);
    int nAlong = 0;
    if (lpRect != nullptr && !::IsRectEmpty(lpRect)) {
        CRect rect = *lpRect;
        m_pDockBar->ScreenToClient(&rect);
        nAlong = bHorz ? rect.left : rect.top;
    } else if (bAfterLast && !m_lstBars.IsEmpty()) {
        const CRect rectLast = BarRectInDockBar(static_cast<CZUDPBaseControlBar*>(m_lstBars.GetTail()));
        const int nEnd = bHorz ? rectLast.right : rectLast.bottom;
        if (nEnd > 0)
            nAlong = nEnd + g_uiEnvironment.m_dockingMargin;
    }
    const int nAcross = m_nOffset;
    if (bHorz)
        pBar->SetWindowPos(nullptr, nAlong, nAcross, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
        pBar->SetWindowPos(nullptr, nAcross, nAlong, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    // Into the list by position: before the first bar that starts after it.
    CRect rectNew;
    pBar->GetWindowRect(&rectNew);
    POSITION posBefore = nullptr;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        POSITION posThis = pos;
        CZUDPControlBar* pOther = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
        if (pOther != nullptr && pOther->IsLeftOrAboveBar(rectNew, TRUE)) {
            posBefore = posThis;
            break;
        }
    }
    if (posBefore != nullptr)
        m_lstBars.InsertBefore(posBefore, pBar);
    else
        m_lstBars.AddTail(pBar);
    UpdateVisibility(TRUE);
    const int nThickness = bHorz ? size.cy : size.cx;
    if (nThickness > m_nHeight)
        m_pDockBar->ResizeRow(this, nThickness + m_nExtraThickness, TRUE);
    pBar->SetDockBarRow(this);
    FitBarsToLength();
    pBar->UpdateVirtualRect();
}

void CZUDPDockBarRow::RemoveBar(CZUDPBaseControlBar* pBar)
{
    POSITION pos = m_lstBars.Find(pBar);
    if (pos == nullptr)
        return;
    if (CZUDPControlBar* pControlBar = DYNAMIC_DOWNCAST(CZUDPControlBar, pBar))
        pControlBar->StretchBar(0xFFFF, nullptr);
    m_lstBars.RemoveAt(pos);
    pBar->SetDockBarRow(nullptr);
    if (m_lstBars.IsEmpty()) {
        m_pDockBar->RemoveRow(this);   // deletes this row
        return;
    }
    SyncBarPositions(TRUE, pBar);
    FitBarsToLength();
    UpdateVisibility(FALSE);
    CSize size;
    CalcRowSize(size, FALSE, IsHorizontal());
    const int nThickness = IsHorizontal() ? size.cy : size.cx;
    if (nThickness > 0 && nThickness < m_nHeight)
        m_pDockBar->ResizeRow(this, nThickness, TRUE);
}

int CZUDPDockBarRow::ResizeHeight(int nDelta)
{
    m_nHeight += nDelta;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        if (CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos)))
            pBar->RefreshPlacement();
    }
    return nDelta;
}

void CZUDPDockBarRow::ShiftRow(int nDelta)
{
    const DWORD dwAlignment = m_pDockBar != nullptr ? m_pDockBar->GetDockedSide() : CBRS_ALIGN_TOP;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        if (CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos)))
            pBar->ShiftWithRow(dwAlignment, nDelta);
    }
    m_nOffset += nDelta;
}

void CZUDPDockBarRow::UpdateVisibility(BOOL bDelay)
{
    // Before the frame shows, bars restored from the registry count with
    // the visibility they were saved with.
    const BOOL bParentVisible = m_pDockBar != nullptr && m_pDockBar->m_hWnd != nullptr &&
                                ::IsWindowVisible(::GetParent(m_pDockBar->m_hWnd));
    BOOL bVisible = FALSE;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr && !bVisible;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (!bParentVisible && pBar->IsRestoredFromRegistry())
            bVisible = pBar->GetSavedVisibility();
        else
            bVisible = pBar->m_hWnd != nullptr && (pBar->GetStyle() & WS_VISIBLE) != 0;
    }
    if (bVisible != m_bVisible)
        SetVisible(bVisible, bDelay);
}

void CZUDPDockBarRow::SetVisible(BOOL bVisible, BOOL bDelay)
{
    m_bVisible = bVisible;
    if (m_pDockBar != nullptr)
        m_pDockBar->ShowRow(this, bVisible, !bDelay);
}

BOOL CZUDPDockBarRow::ShowBarInRow(CZUDPBaseControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!ContainsBar(pBar))
        return FALSE;
    pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    UpdateVisibility(bDelay);
    if (bShow) {
        if (!bDelay) {
            pBar->UpdateLayout();
            ArrangeWithoutOverlap();
        }
    } else {
        FitBarsToLength();
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Sharing the row's length

namespace {

// Moves a bar along its row to a start, keeping its size and its place
// across the rows (dock-bar client coordinates).
void MoveAlongRow(CZUDPBaseControlBar* pBar, const CRect& rectOld, int nStart, BOOL bHorz, HDWP* phdwp)
{
    const int x = bHorz ? nStart : rectOld.left;
    const int y = bHorz ? rectOld.top : nStart;
    if (x == rectOld.left && y == rectOld.top)
        return;
    if (phdwp != nullptr && *phdwp != nullptr)
        *phdwp = pBar->SetWindowPosDeferred(nullptr, x, y, rectOld.Width(), rectOld.Height(),
                                            SWP_NOZORDER | SWP_NOACTIVATE, *phdwp);
    else
        pBar->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void CZUDPDockBarRow::FitBarsToLength()
{
    int nFree = GetAvailableLength(FALSE);
    if (nFree > 0) {
        // Free length goes back to the bars from the first.
        for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr && nFree > 0;) {
            CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
            if (pBar != nullptr && IsCounted(pBar))
                nFree -= pBar->StretchBar(nFree, nullptr);
        }
    } else if (nFree < 0) {
        // Bars that do not fit shrink from the last.
        for (POSITION pos = m_lstBars.GetTailPosition(); pos != nullptr && nFree < 0;) {
            CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetPrev(pos));
            if (pBar != nullptr && IsCounted(pBar))
                nFree -= pBar->StretchBar(nFree, nullptr);
        }
    }
    ArrangeWithoutOverlap();
}

void CZUDPDockBarRow::ArrangeWithoutOverlap()
{
    if (m_pDockBar == nullptr || m_pDockBar->m_hWnd == nullptr || m_lstBars.IsEmpty())
        return;
    const BOOL bHorz = IsHorizontal();
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    const int nRowEnd = bHorz ? rectRow.right : rectRow.bottom;
    // Forwards: no bar starts before the end of the one before it.
    int nEnd = 0;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (!IsCounted(pBar))
            continue;
        const CRect rect = BarRectInDockBar(pBar);
        const int nStart = std::max(int(bHorz ? rect.left : rect.top), nEnd);
        MoveAlongRow(pBar, rect, nStart, bHorz, nullptr);
        nEnd = nStart + (bHorz ? rect.Width() : rect.Height());
    }
    // Backwards: bars that stick out at the row's end are pushed back, as
    // far as the row's start.
    int nLimit = nRowEnd;
    for (POSITION pos = m_lstBars.GetTailPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetPrev(pos));
        if (!IsCounted(pBar))
            continue;
        const CRect rect = BarRectInDockBar(pBar);
        const int nLength = bHorz ? rect.Width() : rect.Height();
        const int nStart = bHorz ? rect.left : rect.top;
        if (nStart + nLength <= nLimit)
            break;
        const int nNewStart = std::max(0, nLimit - nLength);
        MoveAlongRow(pBar, rect, nNewStart, bHorz, nullptr);
        nLimit = nNewStart;
    }
}

void CZUDPDockBarRow::MoveBar(CZUDPControlBar* pBar, int dx, int dy, BOOL bSwapAllowed, HDWP& hdwp)
{
    (void)bSwapAllowed;
    POSITION posBar = m_lstBars.Find(pBar);
    if (posBar == nullptr || m_pDockBar == nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    int nMove = bHorz ? dx : dy;
    if (nMove == 0)
        return;
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    const int nRowEnd = bHorz ? rectRow.right : rectRow.bottom;
    const CRect rectBar = BarRectInDockBar(pBar);
    const int nStart = bHorz ? rectBar.left : rectBar.top;
    const int nLength = bHorz ? rectBar.Width() : rectBar.Height();

    // The room ahead: to the row's end, less the bars on that side.
    int nRoom = nMove > 0 ? nRowEnd - (nStart + nLength) : nStart;
    for (POSITION pos = posBar; pos != nullptr;) {
        if (nMove > 0)
            m_lstBars.GetNext(pos);
        else
            m_lstBars.GetPrev(pos);
        if (pos == nullptr)
            break;
        CZUDPBaseControlBar* pOther = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(pos));
        if (IsCounted(pOther)) {
            const CRect rect = BarRectInDockBar(pOther);
            nRoom -= bHorz ? rect.Width() : rect.Height();
        }
    }
    if (nRoom <= 0)
        return;
    if (std::abs(nMove) > nRoom)
        nMove = nMove > 0 ? nRoom : -nRoom;

    // The bar moves; the bars it runs into are pushed ahead of it.
    int nEdge = nStart + nMove + (nMove > 0 ? nLength : 0);
    MoveAlongRow(pBar, rectBar, nStart + nMove, bHorz, &hdwp);
    for (POSITION pos = posBar; pos != nullptr;) {
        if (nMove > 0)
            m_lstBars.GetNext(pos);
        else
            m_lstBars.GetPrev(pos);
        if (pos == nullptr)
            break;
        CZUDPBaseControlBar* pOther = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(pos));
        if (!IsCounted(pOther))
            continue;
        const CRect rect = BarRectInDockBar(pOther);
        const int nOtherStart = bHorz ? rect.left : rect.top;
        const int nOtherLength = bHorz ? rect.Width() : rect.Height();
        if (nMove > 0 && nOtherStart < nEdge) {
            MoveAlongRow(pOther, rect, nEdge, bHorz, &hdwp);
            nEdge += nOtherLength;
        } else if (nMove < 0 && nOtherStart + nOtherLength > nEdge) {
            MoveAlongRow(pOther, rect, nEdge - nOtherLength, bHorz, &hdwp);
            nEdge -= nOtherLength;
        } else {
            break;
        }
    }
}

void CZUDPDockBarRow::SyncBarPositions(BOOL bMove, CZUDPBaseControlBar* pBarExcept)
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
        if (pBar == nullptr || !IsCounted(pBar))
            continue;
        if (!bMove) {
            pBar->UpdateVirtualRect();
            continue;
        }
        if (pBar == pBarExcept)
            continue;
        const CRect rect = BarRectInDockBar(pBar);
        const CRect& rectVirtual = pBar->GetVirtualRect();
        if (rect.TopLeft() != rectVirtual.TopLeft())
            MoveAlongRow(pBar, rect, IsHorizontal() ? rectVirtual.left : rectVirtual.top, IsHorizontal(), nullptr);
    }
}
