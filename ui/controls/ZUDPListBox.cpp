#include "ui/controls/ZUDPListBox.h"

#include "framework/win/DC.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPListBox, CListBox)

BEGIN_MESSAGE_MAP(CZUDPListBox, CListBox)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPListBox::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPListBox::OnSetControlAero)
END_MESSAGE_MAP()

namespace {

// The item text keeps this far from the item's left and right edges.
constexpr int kTextMargin = 10;

} // namespace

CZUDPListBox::CZUDPListBox() = default;

CZUDPListBox::~CZUDPListBox() = default;

void CZUDPListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // A list box of a dialog template measured its items before it had
    // this object: they take the library's height now.
    if (AfxGetThreadState()->m_pWndInit == nullptr && (GetStyle() & LBS_OWNERDRAWFIXED) != 0) {
        MEASUREITEMSTRUCT mis = {ODT_LISTBOX, (UINT)GetDlgCtrlID(), 0, 0, 0, 0};
        MeasureItem(&mis);
        if (mis.itemHeight > 0)
            SetItemHeight(0, mis.itemHeight);
    }
}

void CZUDPListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr || (int)lpDIS->itemID < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int nItem = (int)lpDIS->itemID;
    CRect rect = lpDIS->rcItem;
    const BOOL bIsHighlighted = nItem == m_nHotItem || (lpDIS->itemState & ODS_FOCUS) != 0;
    const BOOL bIsSelected = (lpDIS->itemState & ODS_SELECTED) != 0;

    pDC->SetBkMode(TRANSPARENT);
    HGDIOBJ hOldFont = pDC->SelectObject(g_uiEnvironment.m_fontRegular.GetSafeHandle());
    pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);

    COLORREF clrText = g_uiEnvironment.m_colorWindowText;
    if (bIsHighlighted || bIsSelected) {
        if (m_bVisualManagerStyle) {
            const COLORREF clr = CZUDPVisualManager::GetActiveManager()->FillListBoxItem(pDC, this, nItem, rect,
                                                                                          bIsHighlighted, bIsSelected);
            if (clr != (COLORREF)-1)
                clrText = clr;
        } else {
            pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
            if (bIsHighlighted)
                pDC->DrawFocusRect(rect);
            clrText = g_uiEnvironment.m_colorHighlightText;
        }
    }
    pDC->SetTextColor(clrText);

    // Only a list box that keeps strings has a text to show: without
    // LBS_HASSTRINGS the "text" would be the item data's bytes.
    if (GetStyle() & LBS_HASSTRINGS) {
        CString strText;
        GetText(nItem, strText);
        CRect rectText = rect;
        rectText.DeflateRect(kTextMargin, 0);
        pDC->DrawText(strText, &rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    pDC->SelectObject(hOldFont);
}

void CZUDPListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS != nullptr)
        lpMIS->itemHeight = (UINT)(g_uiEnvironment.m_textHeight * 9 / 5);
}

// The item is painted again at once, straight into the window: only the
// hot look changed, and a full paint pass of the list box for two items
// would cost many times the move itself.  The list box's own answers are
// asked of its procedure directly, since this runs on mouse moves.  A list
// box that is not owner-drawn shows no hot look: nothing to paint.
void CZUDPListBox::RedrawItemNow(int nItem)
{
    if (nItem < 0 || (GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || !IsWindowVisible())
        return;
    CRect rect;
    if (DefWindowProc(LB_GETITEMRECT, (WPARAM)nItem, (LPARAM)&rect) == LB_ERR)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!CRect().IntersectRect(rect, rectClient))
        return;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = (UINT)GetDlgCtrlID();
    dis.itemID = (UINT)nItem;
    dis.itemAction = ODA_DRAWENTIRE;
    if (DefWindowProc(LB_GETSEL, (WPARAM)nItem, 0) > 0)
        dis.itemState |= ODS_SELECTED;
    if (::GetFocus() == m_hWnd && DefWindowProc(LB_GETCARETINDEX, 0, 0) == nItem)
        dis.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled())
        dis.itemState |= ODS_DISABLED;
    dis.hwndItem = m_hWnd;
    dis.rcItem = rect;
    dis.itemData = (ULONG_PTR)DefWindowProc(LB_GETITEMDATA, (WPARAM)nItem, 0);
    CClientDC dc(this);
    dis.hDC = dc.GetSafeHdc();
    DrawItem(&dis);
}

// The hot item is the one the point lies on, asked of the list box once
// per move (not item by item).
void CZUDPListBox::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    const DWORD dwHit = (DWORD)DefWindowProc(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const int nHot = HIWORD(dwHit) != 0 ? -1 : (int)LOWORD(dwHit);
    if (!m_bTracked) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracked = TrackMouseLeave(&tme);
    }
    if (nHot != m_nHotItem) {
        const int nOld = m_nHotItem;
        m_nHotItem = nHot;
        RedrawItemNow(nOld);
        RedrawItemNow(nHot);
    }
}

void CZUDPListBox::OnMouseLeave()
{
    m_bTracked = FALSE;
    if (m_nHotItem >= 0) {
        const int nOld = m_nHotItem;
        m_nHotItem = -1;
        CRect rect;
        if (GetItemRect(nOld, &rect) != LB_ERR)
            RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}
