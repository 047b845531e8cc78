#include "ui/controls/ZUDPListCtrl.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPColorArithmetic.h"

IMPLEMENT_DYNCREATE(CZUDPListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CZUDPListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CZUDPListCtrl::OnColumnClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CZUDPListCtrl::OnCustomDraw)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_STYLECHANGED()
    ON_MESSAGE(LVM_INSERTCOLUMNA, &CZUDPListCtrl::OnInsertColumn)
    ON_MESSAGE(LVM_INSERTCOLUMNW, &CZUDPListCtrl::OnInsertColumn)
END_MESSAGE_MAP()

CZUDPListCtrl::CZUDPListCtrl() = default;

CZUDPListCtrl::~CZUDPListCtrl()
{
    // The header window goes with the list; only the object is left.
    if (m_wndHeader.m_hWnd != nullptr)
        m_wndHeader.UnsubclassWindow();
}

void CZUDPListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    // A list being created through the framework is initialised at
    // WM_CREATE; one attached to an existing window (a dialog control) now.
    if (AfxGetThreadState()->m_pWndInit == nullptr)
        InitializeList();
}

int CZUDPListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    InitializeList();
    return 0;
}

BOOL CZUDPListCtrl::InitializeList()
{
    SubclassHeader();
    ComputeSortedColumnColor();
    return TRUE;
}

BOOL CZUDPListCtrl::SubclassHeader()
{
    if (m_wndHeader.m_hWnd != nullptr)
        return TRUE;
    HWND hWndHeader = (HWND)SendMessage(LVM_GETHEADER);
    if (hWndHeader == nullptr)
        hWndHeader = ::GetDlgItem(m_hWnd, 0);
    if (hWndHeader == nullptr)
        return FALSE;
    return m_wndHeader.SubclassWindow(hWndHeader);
}

void CZUDPListCtrl::ComputeSortedColumnColor()
{
    COLORREF clrBack = GetBkColor();
    if (clrBack == CLR_NONE)
        clrBack = ::GetSysColor(COLOR_WINDOW);
    m_clrSortedColumn = CZUDPColorArithmetic::MultiplyColorChannels(clrBack, 0.97, 0.97, 0.97);
}

void CZUDPListCtrl::EnableMarkSortedColumn(BOOL bMark, BOOL bRedraw)
{
    m_bMarkSortedColumn = bMark;
    if (bRedraw && m_hWnd != nullptr)
        RedrawWindow();
}

void CZUDPListCtrl::Sort(int iColumn, BOOL bAscending, BOOL bAdd)
{
    CWaitCursor wait;
    if (m_wndHeader.m_hWnd == nullptr)
        SubclassHeader();
    m_wndHeader.SetSortColumn(iColumn, bAscending, bAdd);
    m_iSortedColumn = iColumn;
    m_bAscending = bAscending;
    SortItems(&CZUDPListCtrl::CompareProc, (DWORD_PTR)this);
}

int CALLBACK CZUDPListCtrl::CompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    // The list view's sort is between this comparison and the caller: a
    // failing comparison answers "equal" instead of unwinding through it.
    CZUDPListCtrl* pList = reinterpret_cast<CZUDPListCtrl*>(lParamSort);
    return AfxCallbackGuard(0, [&] {
        int nResult = pList->CompareItems(lParam1, lParam2, pList->m_iSortedColumn);
        return pList->m_bAscending ? nResult : -nResult;
    });
}

int CZUDPListCtrl::CompareItems(LPARAM, LPARAM, int) { return 0; }

COLORREF CZUDPListCtrl::CellTextColor(int, int) { return GetTextColor(); }

COLORREF CZUDPListCtrl::CellBackColor(int, int) { return GetBkColor(); }

HFONT CZUDPListCtrl::CellFont(int, int, DWORD_PTR) { return nullptr; }

void CZUDPListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLISTVIEW* pNMListView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    int iColumn = pNMListView->iSubItem;
    // Ascending unless the column is sorted ascending now.
    BOOL bAscending = m_wndHeader.GetColumnState(iColumn) != 1;
    // Shift as it was when the click happened, not as it is now.
    BOOL bShift = (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000) != 0;
    Sort(iColumn, bAscending, bShift && m_wndHeader.IsMultipleSort());
    *pResult = 0;
}

void CZUDPListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        int nRow = (int)pDraw->nmcd.dwItemSpec;
        int nColumn = pDraw->iSubItem;
        pDraw->clrTextBk = CellBackColor(nRow, nColumn);
        pDraw->clrText = CellTextColor(nRow, nColumn);
        if (nColumn == m_iSortedColumn && m_bMarkSortedColumn && pDraw->clrTextBk == GetBkColor())
            pDraw->clrTextBk = m_clrSortedColumn;
        HFONT hFont = CellFont(nRow, nColumn, (DWORD_PTR)pDraw->nmcd.lItemlParam);
        if (hFont != nullptr) {
            m_hOldFont = (HFONT)::SelectObject(pDraw->nmcd.hdc, hFont);
            *pResult = CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
        } else {
            *pResult = CDRF_DODEFAULT;
        }
        break;
    }
    case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
        if (m_hOldFont != nullptr) {
            ::SelectObject(pDraw->nmcd.hdc, m_hOldFont);
            m_hOldFont = nullptr;
        }
        *pResult = 0;
        break;
    default:
        break;
    }
}

BOOL CZUDPListCtrl::OnEraseBkgnd(CDC* pDC)
{
    BOOL bResult = CListCtrl::OnEraseBkgnd(pDC);
    if (m_iSortedColumn >= 0 && m_bMarkSortedColumn && m_wndHeader.m_hWnd != nullptr) {
        CRect rectClient;
        GetClientRect(&rectClient);
        CRect rectColumn;
        if (m_wndHeader.GetItemRect(m_iSortedColumn, &rectColumn)) {
            m_wndHeader.MapWindowPoints(this, &rectColumn);
            rectClient.left = rectColumn.left;
            rectClient.right = rectColumn.right;
            CBrush brush(m_clrSortedColumn);
            pDC->FillRect(&rectClient, &brush);
        }
    }
    return bResult;
}

void CZUDPListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    if (m_wndHeader.m_hWnd != nullptr)
        m_wndHeader.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPListCtrl::OnSysColorChange()
{
    CListCtrl::OnSysColorChange();
    ComputeSortedColumnColor();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Some list controls make their header only with the first column (a list
// created hidden): the header is attached then.
LRESULT CZUDPListCtrl::OnInsertColumn(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (m_wndHeader.m_hWnd == nullptr)
        SubclassHeader();
    return lResult;
}

void CZUDPListCtrl::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    CListCtrl::OnStyleChanged(nStyleType, lpStyleStruct);
    if (nStyleType == GWL_STYLE && (lpStyleStruct->styleNew & LVS_TYPEMASK) == LVS_REPORT
        && (lpStyleStruct->styleOld & LVS_TYPEMASK) != LVS_REPORT && m_wndHeader.m_hWnd == nullptr)
        SubclassHeader();
}
