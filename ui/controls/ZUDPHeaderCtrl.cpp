#include "ui/controls/ZUDPHeaderCtrl.h"

#include "framework/win/Dialog.h"
#include "framework/win/ListCtrl.h"

IMPLEMENT_DYNAMIC(CZUDPHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CZUDPHeaderCtrl, CHeaderCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_SETFONT, &CZUDPHeaderCtrl::OnSetFont)
    ON_MESSAGE(HDM_INSERTITEMA, &CZUDPHeaderCtrl::OnInsertItem)
    ON_MESSAGE(HDM_INSERTITEMW, &CZUDPHeaderCtrl::OnInsertItem)
END_MESSAGE_MAP()

CZUDPHeaderCtrl::CZUDPHeaderCtrl() : m_mapColumnStates(10) {}

CZUDPHeaderCtrl::~CZUDPHeaderCtrl() = default;

void CZUDPHeaderCtrl::PreSubclassWindow()
{
    CHeaderCtrl::PreSubclassWindow();
    FindDialogAncestor();
}

int CZUDPHeaderCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CHeaderCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    FindDialogAncestor();
    return 0;
}

void CZUDPHeaderCtrl::FindDialogAncestor()
{
    m_bInDialog = FALSE;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CDialog))) {
            m_bInDialog = TRUE;
            return;
        }
    }
}

void CZUDPHeaderCtrl::SetSortColumn(int iColumn, BOOL bAscending, BOOL bAdd)
{
    if (iColumn < 0) {
        m_mapColumnStates.RemoveAll();
        ShowSortArrows();
        return;
    }
    if (!(bAdd && m_bMultipleSort))
        m_mapColumnStates.RemoveAll();
    m_mapColumnStates.SetAt(iColumn, bAscending ? 1 : -1);
    ShowSortArrows();
    RedrawHeader();
}

void CZUDPHeaderCtrl::RemoveSortColumn(int iColumn)
{
    m_mapColumnStates.RemoveKey(iColumn);
    ShowSortArrows();
    RedrawHeader();
}

int CZUDPHeaderCtrl::GetColumnState(int iColumn) const
{
    int nState = 0;
    if (!m_mapColumnStates.Lookup(iColumn, nState))
        return 0;
    return nState;
}

int CZUDPHeaderCtrl::GetSortColumn() const
{
    if (m_bMultipleSort)
        return -1;
    int nCount = m_hWnd != nullptr ? GetItemCount() : 0;
    for (int i = 0; i < nCount; i++) {
        if (GetColumnState(i) != 0)
            return i;
    }
    return -1;
}

void CZUDPHeaderCtrl::EnableMultipleSort(BOOL bEnable)
{
    if (m_bMultipleSort == bEnable)
        return;
    m_bMultipleSort = bEnable;
    if (!bEnable && m_mapColumnStates.GetCount() > 1) {
        // Only the first sorted column keeps its state.
        int nFirst = -1;
        int nCount = m_hWnd != nullptr ? GetItemCount() : 0;
        for (int i = 0; i < nCount && nFirst < 0; i++) {
            if (GetColumnState(i) != 0)
                nFirst = i;
        }
        int nState = nFirst >= 0 ? GetColumnState(nFirst) : 0;
        m_mapColumnStates.RemoveAll();
        if (nFirst >= 0)
            m_mapColumnStates.SetAt(nFirst, nState);
        ShowSortArrows();
        RedrawHeader();
    }
}

// The arrows are the header items' sort format bits.
void CZUDPHeaderCtrl::ShowSortArrows()
{
    if (m_hWnd == nullptr)
        return;
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        if (!GetItem(i, &item))
            continue;
        int nFormat = item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
        int nState = GetColumnState(i);
        if (nState > 0)
            nFormat |= HDF_SORTUP;
        else if (nState < 0)
            nFormat |= HDF_SORTDOWN;
        if (nFormat != item.fmt) {
            item.fmt = nFormat;
            SetItem(i, &item);
        }
    }
}

void CZUDPHeaderCtrl::RedrawHeader()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CZUDPHeaderCtrl::OnInsertItem(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (lResult >= 0 && m_mapColumnStates.GetCount() > 0)
        ShowSortArrows();
    return lResult;
}

void CZUDPHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPressed = TRUE;
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CZUDPHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bPressed = FALSE;
    CHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CZUDPHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) == 0) {
        HDHITTESTINFO hti = {};
        hti.pt = point;
        int nHit = HitTest(&hti);
        int nHot = (hti.flags & HHT_ONHEADER) ? nHit : -1;
        if (!m_bTracking) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            m_bTracking = ::TrackMouseEvent(&tme);
        }
        if (nHot != m_nHotItem) {
            m_nHotItem = nHot;
            RedrawHeader();
        }
    }
    CHeaderCtrl::OnMouseMove(nFlags, point);
}

void CZUDPHeaderCtrl::OnMouseLeave()
{
    m_bTracking = FALSE;
    if (m_nHotItem >= 0) {
        m_nHotItem = -1;
        RedrawHeader();
    }
}

void CZUDPHeaderCtrl::OnCancelMode()
{
    CHeaderCtrl::OnCancelMode();
    if (m_nHotItem >= 0) {
        m_nHotItem = -1;
        RedrawHeader();
    }
}

LRESULT CZUDPHeaderCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    // The system header measures with the font too.
    Default();
    if (LOWORD(lParam) != 0) {
        Invalidate();
        UpdateWindow();
    }
    return 0;
}
