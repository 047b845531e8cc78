#include "ui/docking/ZUDPDockBarRow.h"

#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "framework/win/FrameworkSeams.h"
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
// Along-the-row geometry

int CZUDPDockBarRow::StartOf(const CZUDPBaseControlBar* pBar) const
{
    const CRect rect = BarRectInDockBar(pBar);
    return IsHorizontal() ? rect.left : rect.top;
}

int CZUDPDockBarRow::LengthOf(const CZUDPBaseControlBar* pBar) const
{
    const CRect rect = BarRectInDockBar(pBar);
    return IsHorizontal() ? rect.Width() : rect.Height();
}

void CZUDPDockBarRow::OffsetBar(CZUDPBaseControlBar* pBar, int nAmount)
{
    if (nAmount == 0 || pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    const CRect rect = BarRectInDockBar(pBar);
    const int x = IsHorizontal() ? rect.left + nAmount : rect.left;
    const int y = IsHorizontal() ? rect.top : rect.top + nAmount;
    pBar->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CZUDPBaseControlBar* CZUDPDockBarRow::NextCounted(POSITION& pos, BOOL bForward) const
{
    while (pos != nullptr) {
        if (bForward)
            m_lstBars.GetNext(pos);
        else
            m_lstBars.GetPrev(pos);
        if (pos == nullptr)
            break;
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(pos));
        if (IsCounted(pBar))
            return pBar;
    }
    return nullptr;
}

void CZUDPDockBarRow::ResolveOverlaps(POSITION posFrom, BOOL bForward)
{
    if (posFrom == nullptr)
        return;
    CZUDPBaseControlBar* pCurrent = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(posFrom));
    POSITION pos = posFrom;
    while (CZUDPBaseControlBar* pNext = NextCounted(pos, bForward)) {
        if (bForward && StartOf(pNext) < EndOf(pCurrent))
            OffsetBar(pNext, EndOf(pCurrent) - StartOf(pNext));
        else if (!bForward && EndOf(pNext) > StartOf(pCurrent))
            OffsetBar(pNext, StartOf(pCurrent) - EndOf(pNext));
        pCurrent = pNext;
    }
}

void CZUDPDockBarRow::ShiftBars(POSITION posFrom, int nAmount, BOOL bForward)
{
    if (posFrom == nullptr || nAmount <= 0)
        return;
    CZUDPBaseControlBar* pPrev = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(posFrom));
    // The gaps are those before the shift.
    int nPrevStart = StartOf(pPrev);
    int nPrevEnd = EndOf(pPrev);
    OffsetBar(pPrev, bForward ? nAmount : -nAmount);
    POSITION pos = posFrom;
    while (CZUDPBaseControlBar* pNext = NextCounted(pos, bForward)) {
        const int nStart = StartOf(pNext);
        const int nEnd = EndOf(pNext);
        const int nGap = bForward ? nStart - nPrevEnd : nPrevStart - nEnd;
        nAmount -= std::max(0, nGap);
        if (nAmount <= 0)
            break;
        OffsetBar(pNext, bForward ? nAmount : -nAmount);
        nPrevStart = nStart;
        nPrevEnd = nEnd;
    }
}

void CZUDPDockBarRow::GetRemainingRect(CRect& rect) const
{
    GetRowRect(rect);
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (!IsCounted(pBar))
            continue;
        if (IsHorizontal())
            rect.right -= LengthOf(pBar);
        else
            rect.bottom -= LengthOf(pBar);
    }
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
        const int nEnd = EndOf(static_cast<CZUDPBaseControlBar*>(m_lstBars.GetTail()));
        if (nEnd > 0)
            nAlong = nEnd + g_uiEnvironment.m_dockingMargin;
    }
    const int nAcross = m_nOffset;
    if (bHorz)
        pBar->SetWindowPos(nullptr, nAlong, nAcross, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
        pBar->SetWindowPos(nullptr, nAcross, nAlong, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InsertBarByPosition(pBar);
    pBar->UpdateVirtualRect();
}

void CZUDPDockBarRow::AddBarAtCursor(CZUDPControlBar* pBar, BOOL bAtCursor)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr || m_pDockBar == nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    const CRect rect = BarRectInDockBar(pBar);
    int nAlong = bHorz ? rect.left : rect.top;
    if (bAtCursor) {
        // The grab point stays under the cursor.
        CPoint ptCursor;
        g_frameworkSeams.cursorPos(&ptCursor);
        m_pDockBar->ScreenToClient(&ptCursor);
        const CPoint ptGrab = pBar->GetDragStartPoint();
        const CRect borders = pBar->GetBorders();
        nAlong = bHorz ? ptCursor.x - ptGrab.x - borders.left : ptCursor.y - ptGrab.y - borders.top;
    }
    pBar->SetWindowPos(nullptr, bHorz ? nAlong : m_nOffset, bHorz ? m_nOffset : nAlong, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InsertBarByPosition(pBar);
    pBar->UpdateVirtualRect();
}

void CZUDPDockBarRow::InsertBarByPosition(CZUDPControlBar* pBar)
{
    CRect rectNew;
    pBar->GetWindowRect(&rectNew);
    POSITION posBefore = nullptr;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        POSITION posThis = pos;
        CZUDPControlBar* pOther = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
        if (pOther != nullptr && pOther != pBar && pOther->IsLeftOrAboveBar(rectNew, TRUE)) {
            posBefore = posThis;
            break;
        }
    }
    if (posBefore != nullptr)
        m_lstBars.InsertBefore(posBefore, pBar);
    else
        m_lstBars.AddTail(pBar);
    UpdateVisibility(TRUE);
    const int nThickness = IsHorizontal() ? rectNew.Height() : rectNew.Width();
    if (nThickness > m_nHeight)
        m_pDockBar->ResizeRow(this, nThickness + m_nExtraThickness, TRUE);
    pBar->SetDockBarRow(this);
    RepositionBars(pBar);
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

BOOL CZUDPDockBarRow::ReplaceBar(CZUDPBaseControlBar* pOld, CZUDPBaseControlBar* pNew)
{
    POSITION pos = m_lstBars.Find(pOld);
    if (pos == nullptr || pNew == nullptr)
        return FALSE;
    m_lstBars.SetAt(pos, pNew);
    return TRUE;
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
            RepositionBars(pBar);
        }
    } else {
        FitBarsToLength();
    }
    if (!bDelay && m_pDockBar != nullptr && m_pDockBar->m_hWnd != nullptr) {
        CRect rect;
        m_pDockBar->GetClientRect(&rect);
        m_pDockBar->ResizeRowsToRect(rect);
        AdjustToLength(rect, -1, FALSE, 0);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Sharing the row's length

void CZUDPDockBarRow::FitBarsToLength()
{
    // Free length goes back to the bars from the first; an excess is left
    // to RepositionBars, which squeezes from the end.
    int nFree = GetAvailableLength(FALSE);
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr && nFree > 0;) {
        CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
        if (pBar != nullptr && IsCounted(pBar))
            nFree -= pBar->StretchBar(nFree, nullptr);
    }
    RepositionBars(nullptr);
}

void CZUDPDockBarRow::RepositionBars(CZUDPBaseControlBar* pBar)
{
    if (m_pDockBar == nullptr || m_pDockBar->m_hWnd == nullptr)
        return;
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    RepositionWithin(IsHorizontal() ? rectRow.left : rectRow.top, IsHorizontal() ? rectRow.right : rectRow.bottom,
                     pBar);
}

void CZUDPDockBarRow::RepositionWithin(int nRowStart, int nRowEnd, CZUDPBaseControlBar* pBar)
{
    if (m_lstBars.IsEmpty() || nRowEnd <= nRowStart)
        return;
    // Counted bars and their total length.
    POSITION posFirst = nullptr;
    POSITION posLast = nullptr;
    int nCount = 0;
    int nTotal = 0;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        POSITION posThis = pos;
        CZUDPBaseControlBar* p = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (!IsCounted(p))
            continue;
        if (posFirst == nullptr)
            posFirst = posThis;
        posLast = posThis;
        ++nCount;
        nTotal += LengthOf(p);
    }
    if (nCount == 0)
        return;
    const int nFree = (nRowEnd - nRowStart) - nTotal;

    if (nCount == 1 && nFree < 0) {
        CZUDPBaseControlBar* pOnly = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(posFirst));
        if (CZUDPControlBar* pControl = DYNAMIC_DOWNCAST(CZUDPControlBar, pOnly))
            pControl->StretchBar(nFree, nullptr);
        OffsetBar(pOnly, nRowStart - StartOf(pOnly));
        return;
    }

    POSITION posBar = pBar != nullptr ? m_lstBars.Find(pBar) : nullptr;
    if (posBar != nullptr && IsCounted(pBar))
        ResolveOverlaps(posBar, FALSE);
    ResolveOverlaps(posBar != nullptr && IsCounted(pBar) ? posBar : posFirst, TRUE);
    if (posBar != nullptr && posBar != posFirst)
        ResolveOverlaps(posFirst, TRUE);

    CZUDPBaseControlBar* pFirst = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(posFirst));
    if (StartOf(pFirst) < nRowStart)
        ShiftBars(posFirst, nRowStart - StartOf(pFirst), TRUE);

    CZUDPBaseControlBar* pLast = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetAt(posLast));
    const int c = EndOf(pLast) - nRowEnd;
    if (c <= 0)
        return;
    if (nFree >= 1) {
        ShiftBars(posLast, c, FALSE);
        return;
    }
    // The gaps close first; the rest is squeezed out of the bars from the
    // row's end.
    if (c + nFree > 0)
        ShiftBars(posLast, c + nFree, FALSE);
    int nExcess = -nFree;
    POSITION pos = posLast;
    for (CZUDPBaseControlBar* p = pLast; p != nullptr && nExcess > 0; p = NextCounted(pos, FALSE)) {
        CZUDPControlBar* pControl = DYNAMIC_DOWNCAST(CZUDPControlBar, p);
        const int nTaken = pControl != nullptr ? -pControl->StretchBar(-nExcess, nullptr) : 0;
        nExcess -= nTaken;
        OffsetBar(p, -nExcess);
        if (nExcess <= 0)
            break;
    }
}

void CZUDPDockBarRow::AdjustToLength(const CRect& rectClient, int nType, BOOL bGrow, int nAmount)
{
    (void)nAmount;
    if (m_pDockBar == nullptr || m_pDockBar->m_hWnd == nullptr || GetVisibleBarCount() == 0)
        return;
    const BOOL bHorz = IsHorizontal();
    const int nNewLength = bHorz ? rectClient.Width() : rectClient.Height();
    const int nRowStart = bHorz ? rectClient.left : rectClient.top;
    const int nRowEnd = nRowStart + nNewLength;
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    const int d = nNewLength - (bHorz ? rectRow.Width() : rectRow.Height());

    // A bar that wants the row to itself takes the whole length.
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
        if (pBar != nullptr && IsCounted(pBar) && !pBar->AllowsSiblingBarsInRow()) {
            pBar->SetWindowPos(nullptr, 0, 0, bHorz ? nNewLength : m_nHeight, bHorz ? m_nHeight : nNewLength,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            pBar->RedrawWindow();
            return;
        }
    }

    if (bGrow && d > 0) {
        // Length comes back to the bars from the first; the bars after a
        // bar that grew move on by what it took.
        int nRemaining = d;
        for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr && nRemaining > 0;) {
            CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
            if (pBar == nullptr || !IsCounted(pBar))
                continue;
            const int nTaken = pBar->StretchBar(nRemaining, nullptr);
            if (nTaken <= 0)
                continue;
            nRemaining -= nTaken;
            for (POSITION p = pos; p != nullptr;) {
                CZUDPBaseControlBar* pAfter = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(p));
                if (IsCounted(pAfter))
                    OffsetBar(pAfter, nTaken);
            }
        }
        // Bars away from their virtual places slide back towards them, as
        // far as the growth and their neighbours allow: those going
        // forwards from the end, those going backwards from the start.
        if (nType != -1) {
            for (POSITION pos = m_lstBars.GetTailPosition(); pos != nullptr;) {
                POSITION posThis = pos;
                CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetPrev(pos));
                if (pBar == nullptr || !IsCounted(pBar))
                    continue;
                const int nVirtual = bHorz ? pBar->GetVirtualRect().left : pBar->GetVirtualRect().top;
                const int nStart = StartOf(pBar);
                if (nVirtual <= nStart)
                    continue;
                POSITION p = posThis;
                CZUDPBaseControlBar* pNext = NextCounted(p, TRUE);
                const int nLimit = pNext != nullptr ? StartOf(pNext) : nRowEnd;
                const int nRoom = nLimit - EndOf(pBar);
                OffsetBar(pBar, std::max(0, std::min({nVirtual - nStart, d, nRoom})));
            }
            for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
                POSITION posThis = pos;
                CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
                if (pBar == nullptr || !IsCounted(pBar))
                    continue;
                const int nVirtual = bHorz ? pBar->GetVirtualRect().left : pBar->GetVirtualRect().top;
                const int nStart = StartOf(pBar);
                if (nVirtual >= nStart)
                    continue;
                POSITION p = posThis;
                CZUDPBaseControlBar* pPrev = NextCounted(p, FALSE);
                const int nLimit = pPrev != nullptr ? EndOf(pPrev) : nRowStart;
                OffsetBar(pBar, -std::max(0, std::min({nStart - nVirtual, d, nStart - nLimit})));
            }
        }
    }
    RepositionWithin(nRowStart, nRowEnd, nullptr);
}

void CZUDPDockBarRow::ArrangeBars(int nStart, int nGap)
{
    if (m_pDockBar == nullptr || m_pDockBar->m_hWnd == nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    int nNext = (bHorz ? rectRow.left : rectRow.top) + nStart;
    BOOL bFirst = TRUE;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (!IsCounted(pBar))
            continue;
        CZUDPControlBar* pControl = DYNAMIC_DOWNCAST(CZUDPControlBar, pBar);
        if (!bFirst && pControl != nullptr && !pControl->m_bGroupStart)
            nNext -= nGap + 1;
        bFirst = FALSE;
        OffsetBar(pBar, nNext - StartOf(pBar));
        const int nLength = LengthOf(pBar);
        pBar->CalcFixedSize(nLength, bHorz ? 0x4 : 0);  // 0x4: horizontal layout
        nNext += nLength + nGap;
    }
}

void CZUDPDockBarRow::MoveBarToOffset(CZUDPBaseControlBar* pBar, int nOffset)
{
    if (!ContainsBar(pBar) || pBar->m_hWnd == nullptr)
        return;
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    OffsetBar(pBar, (IsHorizontal() ? rectRow.left : rectRow.top) + nOffset - StartOf(pBar));
}

void CZUDPDockBarRow::CollectGroup(CZUDPControlBar* pBar, CObList& list) const
{
    POSITION pos = m_lstBars.Find(pBar);
    if (pos == nullptr)
        return;
    // Back to the group's start...
    POSITION posStart = nullptr;
    for (POSITION p = pos; p != nullptr;) {
        POSITION posThis = p;
        CZUDPControlBar* pControl = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetPrev(p));
        if (pControl != nullptr && pControl->m_bGroupStart) {
            posStart = posThis;
            break;
        }
    }
    if (posStart == nullptr)
        return;
    // ... and forward to its end.
    for (POSITION p = posStart; p != nullptr;) {
        CObject* pObject = m_lstBars.GetNext(p);
        list.AddTail(pObject);
        CZUDPControlBar* pControl = DYNAMIC_DOWNCAST(CZUDPControlBar, pObject);
        if (pControl != nullptr && pControl->m_bGroupEnd)
            break;
    }
}

void CZUDPDockBarRow::RedrawBars()
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr)
            pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    }
}

void CZUDPDockBarRow::RelayoutUsingLayoutRects()
{
    // The bars' windows are the layout rectangles here: the same steps as
    // FitBarsToLength run on them directly.
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstBars.GetNext(pos));
        if (IsCounted(pBar))
            pBar->LayoutRect() = BarRectInDockBar(pBar);
    }
    FitBarsToLength();
}

void CZUDPDockBarRow::MoveBar(CZUDPControlBar* pBar, int dx, int dy, BOOL bSwapAllowed, HDWP& hdwp)
{
    (void)hdwp;
    POSITION posBar = m_lstBars.Find(pBar);
    if (posBar == nullptr || m_pDockBar == nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    int nMove = bHorz ? dx : dy;
    if (nMove == 0)
        return;
    const BOOL bForward = nMove > 0;
    CRect rectRow;
    GetRowRectInDockBar(rectRow);
    const int nRowStart = bHorz ? rectRow.left : rectRow.top;
    const int nRowEnd = bHorz ? rectRow.right : rectRow.bottom;
    const int nStart = StartOf(pBar);
    const int nLength = LengthOf(pBar);

    // The room ahead: to the row's end, less the bars on that side.
    int nRoom = bForward ? nRowEnd - (nStart + nLength) : nStart - nRowStart;
    for (POSITION pos = posBar; CZUDPBaseControlBar* pOther = NextCounted(pos, bForward);)
        nRoom -= LengthOf(pOther);
    if (nRoom <= 0)
        return;
    if (std::abs(nMove) > nRoom)
        nMove = bForward ? nRoom : -nRoom;
    const int nNewStart = nStart + nMove;
    const int nNewEnd = nNewStart + nLength;

    if (GetVisibleBarCount() > 1) {
        // The first other bar the new place runs into.
        POSITION posHit = nullptr;
        CZUDPControlBar* pHit = nullptr;
        for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
            POSITION posThis = pos;
            CZUDPControlBar* pOther = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstBars.GetNext(pos));
            if (pOther == nullptr || pOther == pBar || !IsCounted(pOther))
                continue;
            if (StartOf(pOther) < nNewEnd && EndOf(pOther) > nNewStart) {
                posHit = posThis;
                pHit = pOther;
                break;
            }
        }
        if (pHit != nullptr) {
            const CRect& rectHitVirtual = pHit->GetVirtualRect();
            const int nHitVirtualStart = bHorz ? rectHitVirtual.left : rectHitVirtual.top;
            const int nHitVirtualEnd = bHorz ? rectHitVirtual.right : rectHitVirtual.bottom;
            const int nBarVirtualStart = bHorz ? pBar->GetVirtualRect().left : pBar->GetVirtualRect().top;
            const BOOL bVirtualHit = nHitVirtualStart < nNewEnd && nHitVirtualEnd > nNewStart;
            const BOOL bWantsOtherSide = bForward ? nHitVirtualStart < nBarVirtualStart
                                                  : nHitVirtualStart > nBarVirtualStart;
            if (bVirtualHit && bSwapAllowed && bWantsOtherSide) {
                // The neighbour belongs on the other side: the two swap.
                const int nHitLength = LengthOf(pHit);
                OffsetBar(pHit, (bForward ? nNewStart - nHitLength : nNewEnd) - StartOf(pHit));
                m_lstBars.RemoveAt(posHit);
                posBar = m_lstBars.Find(pBar);
                posHit = bForward ? m_lstBars.InsertBefore(posBar, pHit) : m_lstBars.InsertAfter(posBar, pHit);
                ResolveOverlaps(posHit, !bForward);
            } else {
                // Otherwise it is pushed ahead.
                const int nOverlap = bForward ? nNewEnd - StartOf(pHit) : EndOf(pHit) - nNewStart;
                OffsetBar(pHit, bForward ? nOverlap : -nOverlap);
                ResolveOverlaps(posHit, bForward);
            }
        }
    }
    OffsetBar(pBar, nMove);
    RepositionBars(pBar);
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
        const CRect& rectVirtual = pBar->GetVirtualRect();
        OffsetBar(pBar, (IsHorizontal() ? rectVirtual.left : rectVirtual.top) - StartOf(pBar));
    }
}
