#include "ui/docking/ZUDPDockBar.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/DeferWindowPos.h"
#include "framework/win/Dialog.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CZUDPDockBar, CZUDPBaseControlBar)
IMPLEMENT_SERIAL(CZUDPDialogBar, CZUDPControlBar, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNAMIC(CZUDPSlider, CZUDPBaseControlBar)

BEGIN_MESSAGE_MAP(CZUDPDockBar, CZUDPBaseControlBar)
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// Rows beyond this while a layout is re-applied are no layout of ours.
const int kMaxRestoredRows = 256;
// The sensitivity with which a dragged bar leaves its dock bar.
const int kDockSensitivity = 15;

} // namespace

CZUDPDockBar::~CZUDPDockBar()
{
    while (!m_lstRows.IsEmpty())
        delete m_lstRows.RemoveHead();
}

void CZUDPDockBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CZUDPDockBar::CanAcceptBar(const CZUDPBaseControlBar* pBar) const
{
    return pBar != nullptr && !pBar->IsResizable();
}

void CZUDPDockBar::UpdateLayout()
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPBaseControlBar*>(m_lstControlBars.GetNext(pos))->UpdateLayout();
}

// Every visible row takes the thickness of its content first.
CSize CZUDPDockBar::CalcStretchSize(BOOL bStretch, BOOL bHorz)
{
    (void)bStretch;
    (void)bHorz;
    const BOOL bHorzDock = IsHorizontal();
    for (POSITION pos = m_lstRows.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBarRow* pRow = static_cast<CZUDPDockBarRow*>(m_lstRows.GetNext(pos));
        if (!pRow->IsVisible())
            continue;
        CSize size;
        pRow->CalcRowSize(size, FALSE, bHorzDock);
        const int nThickness = bHorzDock ? size.cy : size.cx;
        if (nThickness > 0 && nThickness != pRow->GetHeight())
            ResizeRow(pRow, nThickness, FALSE);
    }
    CRect rectWindow;
    if (m_hWnd != nullptr)
        GetWindowRect(&rectWindow);
    return rectWindow.Size();
}

BOOL CZUDPDockBar::IsAnyBarDragging() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_lstControlBars.GetNext(pos));
        if (pBar != nullptr && pBar->IsDragModeOn())
            return TRUE;
    }
    return FALSE;
}

CZUDPDockBarRow* CZUDPDockBar::CreateRow(CZUDPDockBar* pDockBar, int nOffset, int nHeight)
{
    CZUDPDockBarRow* pRow = new CZUDPDockBarRow(pDockBar, nOffset, nHeight);
    if (!pRow->Create()) {
        delete pRow;
        return nullptr;
    }
    return pRow;
}

// ---------------------------------------------------------------------------
// Rows

CZUDPDockBarRow* CZUDPDockBar::InsertRowBefore(POSITION pos, int nHeight)
{
    int nOffset = 0;
    for (POSITION p = m_lstRows.GetHeadPosition(); p != nullptr && p != pos;) {
        CZUDPDockBarRow* pRow = static_cast<CZUDPDockBarRow*>(m_lstRows.GetNext(p));
        if (pRow->IsVisible())
            nOffset += pRow->GetHeight();
    }
    CZUDPDockBarRow* pNewRow = CreateRow(this, nOffset, nHeight);
    if (pNewRow == nullptr)
        return nullptr;
    if (pos != nullptr) {
        POSITION posNew = m_lstRows.InsertBefore(pos, pNewRow);
        ShiftRowsAfter(posNew, nHeight);
    } else {
        m_lstRows.AddTail(pNewRow);
    }
    GrowBy(nHeight, TRUE);
    return pNewRow;
}

void CZUDPDockBar::ShiftRowsAfter(POSITION pos, int nDelta)
{
    if (pos == nullptr || nDelta == 0)
        return;
    m_lstRows.GetNext(pos);
    while (pos != nullptr)
        static_cast<CZUDPDockBarRow*>(m_lstRows.GetNext(pos))->ShiftRow(nDelta);
}

CZUDPDockBarRow* CZUDPDockBar::InsertRowAfter(CZUDPDockBarRow* pRow, int nHeight)
{
    POSITION pos = m_lstRows.Find(pRow);
    if (pos == nullptr)
        return nullptr;
    m_lstRows.GetNext(pos);
    return InsertRowBefore(pos, nHeight);
}

void CZUDPDockBar::RemoveRow(CZUDPDockBarRow* pRow)
{
    POSITION pos = m_lstRows.Find(pRow);
    if (pos == nullptr)
        return;
    const BOOL bVisible = pRow->IsVisible();
    const int nHeight = pRow->GetHeight();
    if (bVisible)
        ShiftRowsAfter(pos, -nHeight);
    m_lstRows.RemoveAt(pos);
    delete pRow;
    if (bVisible)
        GrowBy(-nHeight, TRUE);
}

int CZUDPDockBar::ResizeRowBy(CZUDPDockBarRow* pRow, int nDelta)
{
    POSITION pos = m_lstRows.Find(pRow);
    if (pos == nullptr || nDelta == 0)
        return 0;
    pRow->ResizeHeight(nDelta);
    if (!pRow->IsVisible())
        return 0;
    ShiftRowsAfter(pos, nDelta);
    return nDelta;
}

int CZUDPDockBar::ResizeRow(CZUDPDockBarRow* pRow, int nNewHeight, BOOL bRecalcLayout)
{
    if (pRow == nullptr)
        return 0;
    if (nNewHeight < pRow->GetHeight() && !pRow->IsEmpty()) {
        // A row is never thinner than its bars.
        CSize size;
        pRow->CalcRowSize(size, TRUE, IsHorizontal());
        if (nNewHeight < (IsHorizontal() ? size.cy : size.cx))
            return 0;
    }
    const int nDelta = ResizeRowBy(pRow, nNewHeight - pRow->GetHeight());
    GrowBy(nDelta, bRecalcLayout);
    return nDelta;
}

void CZUDPDockBar::GrowBy(int nDelta, BOOL bRecalcLayout)
{
    if (m_hWnd == nullptr || nDelta == 0)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* pParent = CWnd::FromHandle(::GetParent(m_hWnd)))
        pParent->ScreenToClient(&rect);
    switch (GetDockedSide()) {
    case CBRS_ALIGN_LEFT:
        rect.right += nDelta;
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom += nDelta;
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left -= nDelta;
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.top -= nDelta;
        break;
    default:
        return;
    }
    MoveWindow(&rect, TRUE);
    if (bRecalcLayout)
        RecalcFrameLayout();
}

void CZUDPDockBar::ShowRow(CZUDPDockBarRow* pRow, BOOL bShow, BOOL bRecalcLayout)
{
    POSITION pos = m_lstRows.Find(pRow);
    if (pos == nullptr)
        return;
    OnRowVisibilityChanged(pos, bShow);
    GrowBy(bShow ? pRow->GetHeight() : -pRow->GetHeight(), bRecalcLayout);
}

void CZUDPDockBar::ShiftRowsAfterRow(POSITION pos)
{
    if (pos != nullptr)
        ShiftRowsAfter(pos, static_cast<CZUDPDockBarRow*>(m_lstRows.GetAt(pos))->GetHeight());
}

void CZUDPDockBar::ShiftRowsBackAfter(POSITION pos, BOOL bForce)
{
    if (pos == nullptr)
        return;
    CZUDPDockBarRow* pRow = static_cast<CZUDPDockBarRow*>(m_lstRows.GetAt(pos));
    if (pRow->IsVisible() || bForce)
        ShiftRowsAfter(pos, -pRow->GetHeight());
}

void CZUDPDockBar::OnRowVisibilityChanged(POSITION pos, BOOL bShown)
{
    if (bShown)
        ShiftRowsAfterRow(pos);
    else
        ShiftRowsBackAfter(pos, TRUE);
}

void CZUDPDockBar::ResizeRowsToRect(const CRect& rectClient)
{
    if (m_hWnd == nullptr)
        return;
    CRect rectOld;
    GetClientRect(&rectOld);
    const int dx = rectClient.Width() - rectOld.Width();
    const int dy = rectClient.Height() - rectOld.Height();
    for (POSITION pos = m_lstRows.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBarRow* pRow = static_cast<CZUDPDockBarRow*>(m_lstRows.GetNext(pos));
        if (dx == 0 && dy == 0) {
            pRow->RelayoutUsingLayoutRects();
            continue;
        }
        if (dx != 0)
            pRow->AdjustToLength(rectClient, 2, dx > 0, std::abs(dx));
        if (dy != 0)
            pRow->AdjustToLength(rectClient, 6, dy > 0, std::abs(dy));
    }
}

BOOL CZUDPDockBar::MoveToRect(const CWnd* pWndInsertAfter, const CRect& rect, UINT nFlags)
{
    return SetWindowPosDeferred(pWndInsertAfter, rect.left, rect.top, rect.Width(), rect.Height(),
                                nFlags | SWP_NOACTIVATE, nullptr) != nullptr || m_hWnd != nullptr;
}

int CZUDPDockBar::IndexOfRow(const CZUDPDockBarRow* pRow) const
{
    int nIndex = 0;
    for (POSITION pos = m_lstRows.GetHeadPosition(); pos != nullptr; ++nIndex) {
        if (pRow != nullptr && m_lstRows.GetNext(pos) == pRow)
            return nIndex;
        if (pRow == nullptr)
            break;
    }
    return -1;
}

void CZUDPDockBar::SwapRows(CZUDPDockBarRow* pRow, CZUDPDockBarRow* pOther)
{
    POSITION posRow = m_lstRows.Find(pRow);
    POSITION posOther = m_lstRows.Find(pOther);
    if (posRow == nullptr || posOther == nullptr || pRow == pOther)
        return;
    // Only neighbours (as the visible rows go) swap.
    POSITION pos = posRow;
    CZUDPDockBarRow* pNext = GetNextVisibleRow(pos, TRUE);
    pos = posRow;
    CZUDPDockBarRow* pPrev = GetNextVisibleRow(pos, FALSE);
    if (pOther != pNext && pOther != pPrev)
        return;
    CZUDPDockBarRow* pEarlier = pOther == pNext ? pRow : pOther;
    CZUDPDockBarRow* pLater = pOther == pNext ? pOther : pRow;
    const int nEarlierHeight = pEarlier->GetHeight();
    const int nLaterHeight = pLater->GetHeight();
    pEarlier->ShiftRow(nLaterHeight);
    pLater->ShiftRow(-nEarlierHeight);
    m_lstRows.SetAt(posRow, pOther);
    m_lstRows.SetAt(posOther, pRow);
    SyncAllRows();
}

CZUDPDockBarRow* CZUDPDockBar::RowOfBar(const CZUDPBaseControlBar* pBar) const
{
    for (POSITION pos = m_lstRows.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBarRow* pRow = static_cast<CZUDPDockBarRow*>(m_lstRows.GetNext(pos));
        if (pRow->ContainsBar(pBar))
            return pRow;
    }
    return nullptr;
}

CZUDPDockBarRow* CZUDPDockBar::FindRowAtPoint(CPoint pt, BOOL& bBefore) const
{
    bBefore = FALSE;
    for (POSITION pos = m_lstRows.GetHeadPosition(); pos != nullptr;) {
        CZUDPDockBarRow* pRow = static_cast<CZUDPDockBarRow*>(m_lstRows.GetNext(pos));
        if (!pRow->IsVisible())
            continue;
        CRect rectRow;
        pRow->GetRowRect(rectRow);
        if (rectRow.PtInRect(pt))
            return pRow;
    }
    if (m_hWnd != nullptr) {
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        bBefore = IsHorizontal() ? pt.y < rectWindow.top : pt.x < rectWindow.left;
    }
    return nullptr;
}

CZUDPDockBarRow* CZUDPDockBar::FindRowByRect(const CRect& rectClient) const
{
    if (m_hWnd == nullptr)
        return nullptr;
    CPoint pt = rectClient.TopLeft();
    ClientToScreen(&pt);
    BOOL bBefore = FALSE;
    return FindRowAtPoint(pt, bBefore);
}

CZUDPDockBarRow* CZUDPDockBar::GetNextVisibleRow(POSITION& pos, BOOL bForward) const
{
    if (pos == nullptr) {
        pos = bForward ? m_lstRows.GetHeadPosition() : m_lstRows.GetTailPosition();
    } else if (bForward) {
        m_lstRows.GetNext(pos);
    } else {
        m_lstRows.GetPrev(pos);
    }
    while (pos != nullptr) {
        CZUDPDockBarRow* pRow = static_cast<CZUDPDockBarRow*>(m_lstRows.GetAt(pos));
        if (pRow->IsVisible())
            return pRow;
        if (bForward)
            m_lstRows.GetNext(pos);
        else
            m_lstRows.GetPrev(pos);
    }
    return nullptr;
}

CZUDPBaseControlBar* CZUDPDockBar::FindBarById(UINT nID) const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && UINT(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

CZUDPDockBarRow* CZUDPDockBar::GetRow(int nIndex) const
{
    POSITION pos = nIndex >= 0 ? m_lstRows.FindIndex(nIndex) : nullptr;
    return pos != nullptr ? static_cast<CZUDPDockBarRow*>(m_lstRows.GetAt(pos)) : nullptr;
}

void CZUDPDockBar::SyncAllRows()
{
    for (POSITION pos = m_lstRows.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPDockBarRow*>(m_lstRows.GetNext(pos))->SyncBarPositions(FALSE, nullptr);
}

// ---------------------------------------------------------------------------
// Bars

void CZUDPDockBar::DockControlBar(CZUDPControlBar* pBar, int nDockMethod, LPCRECT lpRect)
{
    if (pBar == nullptr || m_hWnd == nullptr || m_lstControlBars.Find(pBar) != nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    const CSize sizeFull = pBar->CalcStretchSize(FALSE, bHorz);
    const int nNewRowHeight = bHorz ? sizeFull.cy : sizeFull.cx;
    CZUDPRecentDockInfo& recent = pBar->GetRecentDockInfo();

    CZUDPDockBarRow* pRow = nullptr;
    BOOL bBefore = FALSE;
    CRect rectPlace;
    LPCRECT lpPlace = lpRect;
    if (nDockMethod == ZUDP_DM_MOUSE) {
        CPoint ptCursor;
        g_frameworkSeams.cursorPos(&ptCursor);
        pRow = FindRowAtPoint(ptCursor, bBefore);
    } else if (nDockMethod == ZUDP_DM_DBLCLICK || nDockMethod == ZUDP_DM_RECT) {
        // A row that was removed since is not ours any more.
        if (nDockMethod == ZUDP_DM_DBLCLICK && recent.m_pRecentDockBarRow != nullptr &&
            m_lstRows.Find(recent.m_pRecentDockBarRow) != nullptr) {
            pRow = recent.m_pRecentDockBarRow;
        } else {
            const int k = recent.m_nRecentRowIndex;
            if (g_restoringDockLayout && k >= 0 && k < kMaxRestoredRows) {
                while (GetRowCount() <= k) {
                    if (InsertRowBefore(nullptr, nNewRowHeight) == nullptr)
                        break;
                }
                pRow = GetRow(k);
            } else if (nDockMethod == ZUDP_DM_DBLCLICK && k >= 0 && k < GetRowCount()) {
                pRow = GetRow(k);
                bBefore = TRUE;
            } else if (nDockMethod == ZUDP_DM_DBLCLICK) {
                CRect rectRecent = recent.m_recentDockedInfo.m_rectDockedRect;
                if (!rectRecent.IsRectEmpty()) {
                    ClientToScreen(&rectRecent);
                    pRow = FindRowAtPoint(rectRecent.TopLeft(), bBefore);
                }
            } else if (lpRect != nullptr) {
                CPoint ptCorner(lpRect->left, lpRect->top);
                ClientToScreen(&ptCorner);
                pRow = FindRowAtPoint(ptCorner, bBefore);
            }
        }
        rectPlace = recent.m_recentDockedInfo.m_rectDockedRect;
        ClientToScreen(&rectPlace);
        lpPlace = &rectPlace;
    }

    // A bar that wants a row of its own, or a row held by one, gets a new
    // row before or after the row found.
    if (pRow == nullptr || pRow->HasOwnRowBar() || (!pBar->AllowsSiblingBarsInRow() && !pRow->IsEmpty())) {
        POSITION pos = pRow != nullptr ? m_lstRows.Find(pRow) : nullptr;
        if (pos != nullptr && !bBefore)
            m_lstRows.GetNext(pos);
        else if (pos == nullptr && bBefore)
            pos = m_lstRows.GetHeadPosition();
        pRow = InsertRowBefore(pos, nNewRowHeight);
        if (pRow == nullptr)
            return;
    }
    m_lstControlBars.AddTail(pBar);
    pRow->AddBar(pBar, nDockMethod, lpPlace);
    ShowWindow(SW_SHOW);
    RecalcFrameLayout();
}

BOOL CZUDPDockBar::InsertControlBar(CZUDPControlBar* pBar, CZUDPControlBar* pTarget)
{
    CZUDPDockBarRow* pRow = RowOfBar(pTarget);
    if (pBar == nullptr || pRow == nullptr || pBar->m_hWnd == nullptr)
        return FALSE;
    CRect t;
    pTarget->GetWindowRect(&t);
    ScreenToClient(&t);
    const CSize s = pBar->CalcStretchSize(FALSE, IsHorizontal());
    CRect rect = IsHorizontal() ? CRect(t.left - s.cx - 10, t.top, t.left - 10, t.bottom)
                                : CRect(t.left, t.top - s.cy - 10, t.right, t.top - 10);
    pBar->AttachToDockBar(this, ZUDP_DM_RECT);
    ClientToScreen(&rect);
    pRow->IncludeHiddenBars(TRUE);
    pRow->AddBar(pBar, ZUDP_DM_RECT, &rect);
    pRow->IncludeHiddenBars(FALSE);
    POSITION posTarget = m_lstControlBars.Find(pTarget);
    if (m_lstControlBars.Find(pBar) == nullptr) {
        if (posTarget != nullptr)
            m_lstControlBars.InsertBefore(posTarget, pBar);
        else
            m_lstControlBars.AddTail(pBar);
    }
    RecalcFrameLayout();
    SyncAllRows();
    return TRUE;
}

void CZUDPDockBar::RemoveControlBar(CZUDPBaseControlBar* pBar, BOOL bUnused)
{
    (void)bUnused;
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos == nullptr)
        return;
    m_lstControlBars.RemoveAt(pos);
    if (CZUDPDockBarRow* pRow = RowOfBar(pBar))
        pRow->RemoveBar(pBar);
}

BOOL CZUDPDockBar::MoveControlBar(CZUDPControlBar* pBar, UINT nFlags, int dx, int dy)
{
    (void)nFlags;
    if (pBar == nullptr)
        return FALSE;
    CZUDPDockBar* pDockBarHit = nullptr;
    if (pBar->HitTestDockSite(kDockSensitivity, pDockBarHit)) {
        // The bar has left the dock bar: it floats where the drag put it.
        pBar->OffsetVirtualRect(dx, dy);
        CRect rectFloat;
        pBar->GetVirtualRectOnScreen(rectFloat);
        pBar->FloatBar(rectFloat, ZUDP_DM_MOUSE, TRUE);
        return TRUE;
    }
    CZUDPDockBarRow* pRow = RowOfBar(pBar);
    if (pRow == nullptr)
        return FALSE;
    CRect v;
    pBar->GetVirtualRectOnScreen(v);
    v.OffsetRect(dx, dy);
    CRect r;
    pRow->GetRowRect(r);
    const BOOL bHorz = IsHorizontal();
    const int b = bHorz ? std::min(r.top - v.top, r.bottom - v.bottom) : std::min(r.left - v.left, r.right - v.right);
    const int t = bHorz ? v.Height() : v.Width();
    BOOL bBefore = FALSE;
    CZUDPDockBarRow* pRowUnder = FindRowAtPoint(v.CenterPoint(), bBefore);

    if (std::abs(b) > 2 * t / 3) {
        POSITION posRow = m_lstRows.Find(pRow);
        if (pRow->GetVisibleBarCount() > 1 && b < pRow->GetHeight()) {
            // Out of a shared row: a row of its own before or after it.
            POSITION posInsert = posRow;
            if (b < 0) {
                posInsert = posRow;
                GetNextVisibleRow(posInsert, TRUE);
            }
            pRow->RemoveBar(pBar);
            CZUDPDockBarRow* pNewRow = InsertRowBefore(posInsert, t);
            if (pNewRow != nullptr)
                pNewRow->AddBarAtCursor(pBar, TRUE);
            return FALSE;
        }
        if (pRowUnder != nullptr && pRowUnder != pRow) {
            SetRedraw(FALSE);
            if (pRow->HasOwnRowBar() || pRowUnder->HasOwnRowBar()) {
                SwapRows(pRow, pRowUnder);
            } else {
                // The emptied row goes; the row under the cursor stays.
                pRow->RemoveBar(pBar);
                pRowUnder->AddBarAtCursor(pBar, TRUE);
            }
            SetRedraw(TRUE);
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            return FALSE;
        }
    }
    CRect rectRow;
    pRow->GetRowRect(rectRow);
    if (std::abs(b) < (bHorz ? rectRow.Height() : rectRow.Width())) {
        CDeferWindowPos batch(pRow->GetVisibleBarCount());
        HDWP hdwp = batch.GetHandle();
        pRow->MoveBar(pBar, dx, dy, TRUE, hdwp);
        batch.Adopt(hdwp);
        batch.End();
    }
    return FALSE;
}

BOOL CZUDPDockBar::ShowControlBar(CZUDPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    (void)bActivate;
    CZUDPDockBarRow* pRow = RowOfBar(pBar);
    if (pRow == nullptr || DYNAMIC_DOWNCAST(CZUDPControlBar, pBar) == nullptr)
        return FALSE;
    return pRow->ShowBarInRow(pBar, bShow, bDelay);
}

CZUDPBaseControlBar* CZUDPDockBar::ControlBarFromPoint(CPoint pt) const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CZUDPBaseControlBar* pBar = static_cast<CZUDPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        CRect rect;
        if (pBar->m_hWnd == nullptr)
            continue;
        pBar->GetWindowRect(&rect);
        if (rect.PtInRect(pt))
            return pBar;
    }
    return nullptr;
}

void CZUDPDockBar::RecalcFrameLayout()
{
    if (m_hWnd == nullptr)
        return;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (DockManagerOfFrame(pParent) != nullptr)
        static_cast<CFrameWnd*>(pParent)->RecalcLayout(FALSE);
    else if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDialog)))
        g_barsHostedInDialog = TRUE;
}

// ---------------------------------------------------------------------------
// Creation and messages

BOOL CZUDPDockBar::Create(DWORD dwAlignment, const RECT& rect, CFrameWnd* pParentWnd, DWORD dwControlBarStyle,
                          CCreateContext* pContext)
{
    return CreateEx(0, dwAlignment, rect, pParentWnd, dwControlBarStyle, pContext);
}

BOOL CZUDPDockBar::CreateEx(DWORD dwStyleEx, DWORD dwAlignment, const RECT& rect, CFrameWnd* pParentWnd,
                            DWORD dwControlBarStyle, CCreateContext* pContext)
{
    (void)dwStyleEx;
    (void)rect;
    if (pParentWnd == nullptr || pParentWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    dwAlignment &= CBRS_ALIGN_ANY;
    m_dwDockableSides |= dwAlignment;
    SetDockedSide(dwAlignment);
    // The dock bar starts without thickness, on its side of the frame.
    CRect rectBar;
    pParentWnd->GetClientRect(&rectBar);
    switch (dwAlignment) {
    case CBRS_ALIGN_LEFT:
        rectBar.right = rectBar.left;
        m_nDockBarID = AFX_IDW_DOCKBAR_LEFT;
        break;
    case CBRS_ALIGN_TOP:
        rectBar.bottom = rectBar.top;
        m_nDockBarID = AFX_IDW_DOCKBAR_TOP;
        break;
    case CBRS_ALIGN_RIGHT:
        rectBar.left = rectBar.right;
        m_nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
        break;
    case CBRS_ALIGN_BOTTOM:
        rectBar.top = rectBar.bottom;
        m_nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
        break;
    default:
        return FALSE;
    }
    m_dwControlBarStyle = dwControlBarStyle;
    m_pDockSite = pParentWnd;
    const CString strClass = g_uiEnvironment.RegisterWindowClass("ZUDPDockBar");
    if (!CWnd::CreateEx(0, strClass, nullptr, dwAlignment | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rectBar,
                        pParentWnd, m_nDockBarID, pContext))
        return FALSE;
    m_bAutoDelete = TRUE;
    return TRUE;
}

BOOL CZUDPDockBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CZUDPVisualManager::GetActiveManager()->FillBarBackground(pDC, this, rectClient, rectClient);
    return TRUE;
}

void CZUDPDockBar::OnContextMenu(CWnd*, CPoint point)
{
    if (g_customizeMode || g_activePopupMenu != nullptr || IsAnyBarDragging())
        return;
    CWnd* pFrame = g_activeInPlaceFrame;
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr) {
        pFrame = nullptr;
        for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
                pFrame = pWnd;
        }
    }
    if (pFrame != nullptr)
        ShowContextMenu(pFrame, point.x, point.y);
}

void CZUDPDockBar::OnDestroy()
{
    UnregisterBarFromSite(this);
    Default();
}

HDWP CZUDPSlider::RepositionFromRect(const CRect& rectScreen, HDWP hdwp)
{
    if (m_hWnd == nullptr)
        return hdwp;
    CRect rect = rectScreen;
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rect);
    return SetWindowPosDeferred(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
}
