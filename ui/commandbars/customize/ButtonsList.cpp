#include "ui/commandbars/customize/ButtonsList.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

namespace {

const UINT kButtonsListScrollBarId = 1;

} // namespace

BEGIN_MESSAGE_MAP(CButtonsList, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CButtonsList::CButtonsList() = default;

CButtonsList::~CButtonsList() = default;

CZUDPToolbarButton* CButtonsList::GetButtonAt(int iIndex) const
{
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    return pos != nullptr ? static_cast<CZUDPToolbarButton*>(m_Buttons.GetAt(pos)) : nullptr;
}

CRect CButtonsList::ShownRect(const CZUDPToolbarButton* pButton) const
{
    CRect rect = pButton->rect;
    rect.OffsetRect(0, -m_iScrollOffset);
    return rect;
}

CScrollBar* CButtonsList::GetScrollBarCtrl(int nBar) const
{
    if (nBar != SB_VERT || m_wndScrollBar.GetSafeHwnd() == nullptr)
        return nullptr;
    return const_cast<CScrollBar*>(&m_wndScrollBar);
}

void CButtonsList::SetImages(CZUDPToolBarImages* pImages)
{
    m_pImages = pImages;
    if (pImages != nullptr) {
        const CSize sizeImage = pImages->GetImageSize();
        m_sizeButton = CSize(sizeImage.cx + 6, sizeImage.cy + 7);
    }
    RemoveButtons();
}

void CButtonsList::AddButton(CZUDPToolbarButton* pButton)
{
    if (pButton == nullptr)
        return;
    m_Buttons.AddTail(pButton);
    pButton->OnParentChanged(this);
    RecalcLayout();
    if (HWND hWndControl = pButton->GetControlHwnd())
        ::EnableWindow(hWndControl, FALSE);
}

void CButtonsList::RemoveButtons()
{
    SelectButton(nullptr);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos))->OnParentChanged(nullptr);
    m_Buttons.RemoveAll();
    m_iScrollOffset = 0;
    m_iScrollTotal = 0;
    m_iScrollPage = 0;
    if (m_wndScrollBar.GetSafeHwnd() != nullptr) {
        m_wndScrollBar.ShowWindow(SW_HIDE);
        m_wndScrollBar.SetScrollRange(0, 0);
    }
}

CZUDPToolbarButton* CButtonsList::HitTest(CPoint point) const
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (ShownRect(pButton).PtInRect(point))
            return pButton;
    }
    return nullptr;
}

void CButtonsList::RecalcLayout()
{
    if (m_hWnd == nullptr || m_Buttons.IsEmpty())
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectArea = rectClient;
    rectArea.right -= ::GetSystemMetrics(SM_CXVSCROLL) + 1;
    rectArea.DeflateRect(4, 5);

    CClientDC dc(this);
    // Buttons are placed in list coordinates: the scroll offset only moves
    // what is shown.
    int x = rectArea.left, y = rectArea.top;
    BOOL bFirstInRow = TRUE;
    int nBottom = rectArea.top;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        int nWidth = pButton->CalcSize(&dc, m_sizeButton, TRUE).cx;
        if (x + nWidth > rectArea.right) {
            if (bFirstInRow) {
                nWidth = rectArea.Width();
            } else {
                x = rectArea.left;
                y += m_sizeButton.cy + 5;
                if (nWidth > rectArea.Width())
                    nWidth = rectArea.Width();
            }
        }
        const CRect rectOld = pButton->rect;
        pButton->rect = CRect(x, y, x + nWidth, y + m_sizeButton.cy);
        if (pButton->rect != rectOld)
            pButton->RepositionControl();
        nBottom = pButton->rect.bottom;
        x += nWidth + 4;
        bFirstInRow = FALSE;
    }

    const int nRow = RowHeight();
    const int nFitRows = nRow > 0 ? rectArea.Height() / nRow : 0;
    const int nExcessRows = nRow > 0 ? nBottom / nRow - nFitRows : 0;
    if (nExcessRows > 0) {
        if (m_wndScrollBar.GetSafeHwnd() == nullptr) {
            CRect rectBar = rectClient;
            rectBar.DeflateRect(1, 1);
            rectBar.left = rectBar.right - ::GetSystemMetrics(SM_CXVSCROLL);
            m_wndScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, rectBar, this, kButtonsListScrollBarId);
        } else {
            m_wndScrollBar.ShowWindow(SW_SHOWNOACTIVATE);
        }
        m_iScrollPage = nFitRows;
        m_iScrollTotal = nRow * nExcessRows;
        m_wndScrollBar.SetScrollRange(0, m_iScrollTotal);
        if (m_iScrollOffset > m_iScrollTotal)
            ScrollTo(m_iScrollTotal);
    }
    m_bInited = TRUE;
}

// ---------------------------------------------------------------------------
// Painting

void CButtonsList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr)
        return;
    PaintList(CDC::FromHandle(lpDrawItemStruct->hDC), lpDrawItemStruct->rcItem);
}

void CButtonsList::PaintList(CDC* pDC, const CRect& rectItem)
{
    if (pDC == nullptr)
        return;
    if (!m_bInited)
        RecalcLayout();
    const BOOL bEnabled = m_hWnd == nullptr || IsWindowEnabled();
    if (m_pImages != nullptr) {
        if (m_pImages->GetAdaptedFaceColor() != g_uiEnvironment.m_colorButtonFace) {
            m_pImages->RebuildDerivedImage(TRUE);
            m_pImages->RebuildDerivedImage(FALSE);
            m_pImages->SetAdaptedFaceColor(g_uiEnvironment.m_colorButtonFace);
        }
        CZUDPImageDrawState ds;
        if (m_pImages->BeginDrawing(ds)) {
            for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
                CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
                const CRect rect = ShownRect(pButton);
                if (rect.top >= rectItem.bottom)
                    break;
                CRect rectInter;
                if (!rectInter.IntersectRect(&rect, &rectItem))
                    continue;
                const UINT nStyleSaved = pButton->style;
                const BOOL bLockedSaved = pButton->locked;
                pButton->locked = TRUE;
                if (!bEnabled)
                    pButton->style |= 0x40000;  // TBBS_DISABLED
                pButton->DrawButton(pDC, rect, m_pImages, TRUE, FALSE, pButton == m_pSelButton && bEnabled, TRUE,
                                    TRUE);
                pButton->locked = bLockedSaved;
                pButton->style = nStyleSaved;
            }
            m_pImages->FinishDrawing(ds);
        }
    }
    CRect rectBorder = rectItem;
    rectBorder.InflateRect(1, 1);
    CZUDPToolbarComboBoxButton comboButton;
    CZUDPVisualManager::GetActiveManager()->DrawComboBorder(pDC, rectBorder, !bEnabled, FALSE, TRUE, &comboButton);
}

BOOL CButtonsList::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillRect(&rectClient, IsWindowEnabled() ? &g_uiEnvironment.m_brushWindow : &g_uiEnvironment.m_brushButtonFace);
    return TRUE;
}

void CButtonsList::OnEnable(BOOL bEnable)
{
    (void)bEnable;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CButtonsList::OnSysColorChange()
{
    if (m_pImages != nullptr)
        m_pImages->ReloadForColorChange();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CButtonsList::OnSize(UINT nType, int cx, int cy)
{
    CButton::OnSize(nType, cx, cy);
    RecalcLayout();
}

HBRUSH CButtonsList::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const HWND hWndChild = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && hWndChild != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        const HWND hWndControl = pButton->GetControlHwnd();
        if (hWndControl != nullptr && (hWndControl == hWndChild || ::IsChild(hWndControl, hWndChild))) {
            if (HBRUSH hBrush = pButton->GetCtlColorBrush(pDC, nCtlColor))
                return hBrush;
        }
    }
    return CButton::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---------------------------------------------------------------------------
// Selection, keys, mouse, scrolling

void CButtonsList::SelectButton(CZUDPToolbarButton* pButton)
{
    if (pButton == m_pSelButton) {
        if (pButton != nullptr && m_hWnd != nullptr) {
            CRect rect = ShownRect(pButton);
            rect.InflateRect(2, 2);
            RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        return;
    }
    CZUDPToolbarButton* pOld = m_pSelButton;
    m_pSelButton = pButton;
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    for (CZUDPToolbarButton* pChanged : {pOld, pButton}) {
        if (pChanged == nullptr)
            continue;
        CRect rect = ShownRect(pChanged);
        rect.InflateRect(2, 2);
        rect.IntersectRect(&rect, &rectClient);
        InvalidateRect(&rect);
    }
    if (pButton != nullptr) {
        // A button wholly outside the client area comes into view.
        const CRect rect = ShownRect(pButton);
        if (rect.bottom <= rectClient.top || rect.top >= rectClient.bottom) {
            const int nRow = RowHeight();
            int iOffset = rect.top < rectClient.top ? pButton->rect.top - 5 : pButton->rect.bottom - rectClient.Height() + 5;
            if (nRow > 0)
                iOffset = (iOffset + nRow - 1) / nRow * nRow;
            iOffset = iOffset < 0 ? 0 : (iOffset > m_iScrollTotal ? m_iScrollTotal : iOffset);
            ScrollTo(iOffset);
            Invalidate();
        }
    }
    UpdateWindow();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), LPARAM(m_hWnd));
}

BOOL CButtonsList::SelectButtonByImage(int iImage)
{
    if (iImage < 0) {
        SelectButton(nullptr);
        return FALSE;
    }
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->GetActiveImage() == iImage) {
            SelectButton(pButton);
            return TRUE;
        }
    }
    return FALSE;
}

void CButtonsList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != VK_HOME && nChar != VK_END && nChar != VK_LEFT && nChar != VK_UP && nChar != VK_RIGHT &&
        nChar != VK_DOWN) {
        CButton::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (m_Buttons.IsEmpty())
        return;
    POSITION posSelected = m_pSelButton != nullptr ? m_Buttons.Find(m_pSelButton) : nullptr;
    CZUDPToolbarButton* pNew = nullptr;
    switch (nChar) {
    case VK_HOME:
        pNew = static_cast<CZUDPToolbarButton*>(m_Buttons.GetHead());
        break;
    case VK_END:
        pNew = static_cast<CZUDPToolbarButton*>(m_Buttons.GetTail());
        break;
    case VK_LEFT:
    case VK_UP:
        if (posSelected == nullptr) {
            pNew = static_cast<CZUDPToolbarButton*>(m_Buttons.GetHead());
        } else {
            m_Buttons.GetPrev(posSelected);
            if (posSelected != nullptr)
                pNew = static_cast<CZUDPToolbarButton*>(m_Buttons.GetAt(posSelected));
        }
        break;
    default:
        if (posSelected == nullptr) {
            pNew = static_cast<CZUDPToolbarButton*>(m_Buttons.GetHead());
        } else {
            m_Buttons.GetNext(posSelected);
            if (posSelected != nullptr)
                pNew = static_cast<CZUDPToolbarButton*>(m_Buttons.GetAt(posSelected));
        }
        break;
    }
    if (pNew != nullptr)
        SelectButton(pNew);
}

UINT CButtonsList::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CButtonsList::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    SetFocus();
    CZUDPToolbarButton* pButton = HitTest(point);
    if (pButton == nullptr)
        return;
    SelectButton(pButton);
}

void CButtonsList::ScrollTo(int iOffset)
{
    m_iScrollOffset = iOffset;
    if (m_wndScrollBar.GetSafeHwnd() != nullptr)
        m_wndScrollBar.SetScrollPos(iOffset);
}

void CButtonsList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    (void)pScrollBar;
    const int nRow = RowHeight();
    int iOffset = m_iScrollOffset;
    switch (nSBCode) {
    case SB_LINEUP:
        iOffset -= nRow;
        break;
    case SB_LINEDOWN:
        iOffset += nRow;
        break;
    case SB_PAGEUP:
        iOffset -= nRow * m_iScrollPage;
        break;
    case SB_PAGEDOWN:
        iOffset += nRow * m_iScrollPage;
        break;
    case SB_THUMBPOSITION:
        iOffset = nRow > 0 ? (int(nPos) + nRow / 2) / nRow * nRow : int(nPos);
        break;
    case SB_TOP:
        iOffset = 0;
        break;
    case SB_BOTTOM:
        iOffset = m_iScrollTotal;
        break;
    default:
        return;
    }
    iOffset = iOffset < 0 ? 0 : (iOffset > m_iScrollTotal ? m_iScrollTotal : iOffset);
    if (iOffset == m_iScrollOffset)
        return;
    ScrollTo(iOffset);
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.right -= ::GetSystemMetrics(SM_CXVSCROLL) + 2;
    rectClient.DeflateRect(1, 1);
    InvalidateRect(&rectClient);
}
