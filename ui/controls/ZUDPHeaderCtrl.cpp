#include "ui/controls/ZUDPHeaderCtrl.h"

#include <algorithm>

#include "framework/win/DC.h"
#include "framework/win/Dialog.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/ImageList.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CZUDPHeaderCtrl, CHeaderCtrl)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_SETFONT, &CZUDPHeaderCtrl::OnSetFont)
END_MESSAGE_MAP()

namespace {

// Header items are read into a buffer of this many characters (the last
// one the terminator).
constexpr int kItemTextChars = 256;
// Text, bitmap and arrow keep this far from the item's edges.
constexpr int kItemMargin = 5;

} // namespace

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

// ---------------------------------------------------------------------------
// Sort state

void CZUDPHeaderCtrl::SetSortColumn(int iColumn, BOOL bAscending, BOOL bAdd)
{
    if (iColumn < 0) {
        m_mapColumnStates.RemoveAll();
        return;
    }
    if (!(bAdd && m_bMultipleSort))
        m_mapColumnStates.RemoveAll();
    m_mapColumnStates.SetAt(iColumn, bAscending ? 1 : -1);
    RedrawHeader();
}

void CZUDPHeaderCtrl::RemoveSortColumn(int iColumn)
{
    m_mapColumnStates.RemoveKey(iColumn);
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
        RedrawHeader();
    }
}

void CZUDPHeaderCtrl::RedrawHeader()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Painting

HFONT CZUDPHeaderCtrl::ChooseFont() const
{
    if (m_hFont != nullptr)
        return m_hFont;
    if (m_bInDialog)
        return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    return (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle();
}

void CZUDPHeaderCtrl::OnPaint()
{
    CPaintDC dcPaint(this);
    CZUDPMemDC memDC(dcPaint, this);
    PaintHeader(&memDC.GetDC());
}

void CZUDPHeaderCtrl::OnPrintClient(CDC* pDC, UINT)
{
    if (pDC != nullptr)
        PaintHeader(pDC);
}

BOOL CZUDPHeaderCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CZUDPHeaderCtrl::PaintHeader(CDC* pDC)
{
    DrawBackground(pDC);
    HGDIOBJ hOldFont = pDC->SelectObject(ChooseFont());
    pDC->SetTextColor(g_uiEnvironment.m_colorButtonText);
    pDC->SetBkMode(TRANSPARENT);

    CRect rectClient;
    GetClientRect(&rectClient);

    // The item under the cursor: only it can look pressed.
    HDHITTESTINFO hti = {};
    POINT ptCursor = {};
    int nUnderCursor = -1;
    if (g_frameworkSeams.cursorPos(&ptCursor)) {
        ScreenToClient(&ptCursor);
        hti.pt = ptCursor;
        int nHit = HitTest(&hti);
        if (hti.flags & HHT_ONHEADER)
            nUnderCursor = nHit;
    }

    const int nCount = GetItemCount();
    int xMaxRight = rectClient.left;
    CRect rectItem;
    for (int i = 0; i < nCount; i++) {
        if (!GetItemRect(i, &rectItem))
            continue;
        // Clipped to the item (in logical units, within whatever clip the
        // caller set), and the DC's state put back after it.
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&rectItem);
        DrawItem(pDC, i, rectItem, m_bPressed && i == nUnderCursor, i == m_nHotItem);
        pDC->RestoreDC(nSaved);
        xMaxRight = std::max<int>(xMaxRight, rectItem.right);
    }

    CRect rectRest = rectClient;
    if (nCount > 0 && GetItemRect(nCount - 1, &rectItem)) {
        rectRest = rectItem;
        rectRest.left = xMaxRight;
        rectRest.right = rectClient.right;
    }
    rectRest.right++;
    DrawItem(pDC, -1, rectRest, FALSE, FALSE);

    pDC->SelectObject(hOldFont);
}

void CZUDPHeaderCtrl::DrawBackground(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CZUDPVisualManager::GetActiveManager()->FillHeaderBackground(this, pDC, rectClient);
}

void CZUDPHeaderCtrl::DrawSortArrow(CDC* pDC, CRect rectArrow)
{
    CZUDPVisualManager::GetActiveManager()->DrawHeaderSortArrow(this, pDC, rectArrow, m_bArrowAscending);
}

void CZUDPHeaderCtrl::DrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted)
{
    CZUDPVisualManager::GetActiveManager()->DrawHeaderItemBorder(this, pDC, rect, bIsPressed, bIsHighlighted);
    if (iItem < 0)
        return;

    // The sort arrow takes a square at the item's right end; text, bitmap
    // and image stay left of it.
    const int nState = GetColumnState(iItem);
    if (nState != 0) {
        CRect rectArrow = rect;
        rectArrow.DeflateRect(kItemMargin, kItemMargin);
        rectArrow.left = rectArrow.right - rectArrow.Height();
        if (bIsPressed) {
            rectArrow.right++;
            rectArrow.bottom++;
        }
        rect.right = rectArrow.left - 1;
        const int nInset = (int)(rectArrow.Width() * 0.134);
        rectArrow.DeflateRect(0, nInset);
        m_bArrowAscending = nState > 0;
        DrawSortArrow(pDC, rectArrow);
    }

    char szText[kItemTextChars] = "";
    HDITEMA hdItem = {};
    hdItem.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
    hdItem.pszText = szText;
    hdItem.cchTextMax = kItemTextChars - 1;
    if (!GetItem(iItem, &hdItem))
        return;
    szText[kItemTextChars - 1] = '\0';

    // Image
    if ((hdItem.fmt & HDF_IMAGE) && hdItem.iImage >= 0) {
        HIMAGELIST hImages = (HIMAGELIST)SendMessage(HDM_GETIMAGELIST);
        int cx = 0, cy = 0;
        if (hImages != nullptr && ::ImageList_GetIconSize(hImages, &cx, &cy)) {
            ::ImageList_Draw(hImages, hdItem.iImage, pDC->GetSafeHdc(), rect.left + 1,
                             (rect.top + rect.bottom - cy) / 2, ILD_NORMAL);
            rect.left += cx;
        }
    }

    // Bitmap
    if ((hdItem.fmt & (HDF_BITMAP | HDF_BITMAP_ON_RIGHT)) && hdItem.hbm != nullptr) {
        BITMAP bm = {};
        if (::GetObjectA(hdItem.hbm, sizeof(bm), &bm) != 0) {
            int x = 0;
            if (hdItem.fmt & HDF_BITMAP_ON_RIGHT) {
                x = rect.right - 1 - bm.bmWidth;
                rect.right = x;
            } else {
                x = rect.left + 1;
                rect.left = x + bm.bmWidth;
            }
            const int y = std::max<int>(rect.top, rect.top + (rect.Height() - bm.bmHeight) / 2);
            ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, (LPARAM)hdItem.hbm, 0, x, y, bm.bmWidth, bm.bmHeight,
                         DST_BITMAP);
        }
    }

    // Text
    if (hdItem.fmt & HDF_STRING) {
        CRect rectText = rect;
        rectText.DeflateRect(kItemMargin, 0);
        UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        if (hdItem.fmt & HDF_CENTER)
            nFormat |= DT_CENTER;
        else if (hdItem.fmt & HDF_RIGHT)
            nFormat |= DT_RIGHT;
        else
            nFormat |= DT_LEFT;
        pDC->DrawText(szText, -1, &rectText, nFormat);
    }
}

// ---------------------------------------------------------------------------
// Mouse

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
            m_bTracking = TrackMouseLeave(&tme);
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
    // The system header lays its items out with the font too.
    Default();
    if (LOWORD(lParam) != 0) {
        Invalidate();
        UpdateWindow();
    }
    return 0;
}
