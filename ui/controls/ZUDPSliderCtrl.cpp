#include "ui/controls/ZUDPSliderCtrl.h"

#include "ui/controls/ZUDPControlBackground.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>
#include <utility>

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

std::vector<CRect> CZUDPSliderCtrl::GetTickRects(const CRect& rectChannel, const CRect& rectThumb) const
{
    std::vector<CRect> ticks;
    const DWORD dwStyle = GetStyle();
    const int nCount = GetNumTics();
    if ((dwStyle & TBS_NOTICKS) != 0 || nCount < 2)
        return ticks;
    const BOOL bVert = (dwStyle & TBS_VERT) != 0;
    const DWORD dwSides = dwStyle & (TBS_LEFT | TBS_BOTH);
    const BOOL bLeftTop = dwSides != 0;
    const BOOL bRightBottom = dwSides != TBS_LEFT;

    // A tick lies where the thumb's middle is when the slider stands at the
    // tick's position: the thumb's middle travels from half a thumb inside
    // the channel's start to half a thumb inside its end.
    const int nMin = GetRangeMin(), nMax = GetRangeMax();
    const long long range = std::max(1LL, (long long)nMax - nMin);
    const int thumbLength = bVert ? rectThumb.Height() : rectThumb.Width();
    const int channelStart = bVert ? rectChannel.top : rectChannel.left;
    const int channelLength = bVert ? rectChannel.Height() : rectChannel.Width();
    const long long travel = std::max(0, channelLength - thumbLength);
    auto at = [&](long long position) {
        position = std::min<long long>(std::max<long long>(position, nMin), nMax);
        return channelStart + thumbLength / 2 + int(travel * (position - nMin) / range);
    };

    // Both ends, longer by a pixel, and every tick between them.
    std::vector<std::pair<int, int>> marks;   // (pixel along the channel, length)
    marks.emplace_back(at(nMin), kEndTickLength);
    for (int i = 0; i < nCount - 2; ++i) {
        const int position = GetTic(i);
        if (position != -1)
            marks.emplace_back(at(position), kTickLength);
    }
    marks.emplace_back(at(nMax), kEndTickLength);

    for (const auto& mark : marks) {
        const int along = mark.first, length = mark.second;
        if (bVert) {
            if (bLeftTop)
                ticks.emplace_back(rectThumb.left - 1 - length, along, rectThumb.left - 1, along + 1);
            if (bRightBottom)
                ticks.emplace_back(rectThumb.right + 1, along, rectThumb.right + 1 + length, along + 1);
        } else {
            if (bLeftTop)
                ticks.emplace_back(along, rectThumb.top - 1 - length, along + 1, rectThumb.top - 1);
            if (bRightBottom)
                ticks.emplace_back(along, rectThumb.bottom + 1, along + 1, rectThumb.bottom + 1 + length);
        }
    }
    return ticks;
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

    const CRect rectChannel = GetChannelRectUpright();
    pManager->DrawSliderChannel(pDC, this, bVert, rectChannel, IsOnGlass());
    CRect rectThumb;
    GetThumbRect(rectThumb);
    if ((dwStyle & TBS_NOTICKS) == 0) {
        const COLORREF clrTick =
            IsWindowEnabled() ? pManager->GetControlDarkColor(this) : pManager->GetDisabledTextColor();
        for (const CRect& rectTick : GetTickRects(rectChannel, rectThumb)) {
            if (IsOnGlass())
                CZUDPDrawManager(*pDC).DrawBox(rectTick, clrTick, clrTick);
            else
                pDC->FillSolidRect(&rectTick, clrTick);
        }
    }
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
