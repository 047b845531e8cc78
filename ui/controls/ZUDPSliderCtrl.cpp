#include "ui/controls/ZUDPSliderCtrl.h"

#include "ui/controls/ZUDPControlBackground.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPSliderCtrl, CSliderCtrl)

BEGIN_MESSAGE_MAP(CZUDPSliderCtrl, CSliderCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPSliderCtrl::OnSetLook)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPSliderCtrl::OnSetControlAero)
END_MESSAGE_MAP()

void CZUDPSliderCtrl::Redraw()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CZUDPSliderCtrl::PointInThumb(CPoint point) const
{
    CRect rectThumb;
    GetThumbRect(rectThumb);
    return rectThumb.PtInRect(point);
}

CRect CZUDPSliderCtrl::GetChannelRectUpright() const
{
    CRect rectChannel;
    GetChannelRect(rectChannel);
    // Some platforms report a vertical slider's channel lying down (as for
    // a horizontal one); others, Wine among them, upright.  Only one lying
    // down is turned.
    if ((GetStyle() & TBS_VERT) != 0 && rectChannel.Width() > rectChannel.Height())
        rectChannel = CRect(rectChannel.top, rectChannel.left, rectChannel.bottom, rectChannel.right);
    return rectChannel;
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPSliderCtrl::DrawSlider(CDC* pDC)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    FillControlBackground(this, pDC);

    const DWORD dwStyle = GetStyle();
    const BOOL bVert = (dwStyle & TBS_VERT) != 0;
    const DWORD dwSides = dwStyle & (TBS_LEFT | TBS_BOTH);
    const BOOL bLeftTop = dwSides != 0;
    const BOOL bRightBottom = dwSides != TBS_LEFT;
    // The manager's thumb points to the side of the ticks; ticks on both
    // sides, or none, make a plain one.
    const BOOL bPlainThumb = (bLeftTop && bRightBottom) || (dwStyle & TBS_NOTICKS) != 0;
    const BOOL bFocused = ::GetFocus() == m_hWnd;

    pManager->DrawSliderChannel(pDC, this, bVert, GetChannelRectUpright(), IsOnGlass());
    CRect rectThumb;
    GetThumbRect(rectThumb);
    pManager->DrawSliderThumb(pDC, this, rectThumb, m_bThumbHot || bFocused, m_bThumbPressed, !IsWindowEnabled(),
                              bVert, bLeftTop && !bPlainThumb, bPlainThumb, IsOnGlass());

    if (bFocused && m_bDrawFocus) {
        CRect rectClient;
        GetClientRect(rectClient);
        pDC->DrawFocusRect(rectClient);
    }
}

BOOL CZUDPSliderCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (IsVisualManagerStyle())
        return TRUE;
    return CSliderCtrl::OnEraseBkgnd(pDC);
}

void CZUDPSliderCtrl::OnPaint()
{
    if (!IsVisualManagerStyle()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CZUDPMemDC memDC(dc, this);
    DrawSlider(&memDC.GetDC());
}

void CZUDPSliderCtrl::OnPrintClient(CDC* pDC, UINT)
{
    if (!IsVisualManagerStyle() || pDC == nullptr) {
        Default();
        return;
    }
    DrawSlider(pDC);
}

LRESULT CZUDPSliderCtrl::OnSetLook(WPARAM wParam, LPARAM lParam)
{
    OnSetControlVMMode(wParam, lParam);
    Redraw();
    return 0;
}

// ---------------------------------------------------------------------------
// Mouse

void CZUDPSliderCtrl::OnMouseMove(UINT, CPoint point)
{
    const BOOL bWasHot = m_bThumbHot;
    m_bThumbHot = PointInThumb(point);
    Default();
    if (bWasHot != m_bThumbHot)
        Redraw();
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        TrackMouseLeave(&tme);
        m_bTracking = TRUE;
    }
}

void CZUDPSliderCtrl::OnMouseLeave()
{
    m_bTracking = FALSE;
    if (m_bThumbHot) {
        m_bThumbHot = FALSE;
        Redraw();
    }
}

void CZUDPSliderCtrl::OnLButtonDown(UINT, CPoint point)
{
    m_bThumbPressed = PointInThumb(point);
    if (m_bThumbPressed)
        Redraw();
    Default();
}

void CZUDPSliderCtrl::OnLButtonUp(UINT, CPoint)
{
    if (m_bThumbPressed) {
        m_bThumbPressed = FALSE;
        Redraw();
    }
    Default();
}

void CZUDPSliderCtrl::OnCancelMode()
{
    Default();
    m_bThumbHot = m_bThumbPressed = FALSE;
    Redraw();
}
