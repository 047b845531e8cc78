#include "ui/controls/ZUDPScrollBar.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CZUDPScrollBar, CScrollBar)

BEGIN_MESSAGE_MAP(CZUDPScrollBar, CScrollBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

namespace {

// a * b / c rounded to the nearest, in 64 bits (c > 0).
long long MulDiv64(long long a, long long b, long long c)
{
    const long long product = a * b;
    return product >= 0 ? (product + c / 2) / c : (product - c / 2) / c;
}

int Along(const CPoint& point, BOOL bHorz) { return bHorz ? point.x : point.y; }
int Across(const CPoint& point, BOOL bHorz) { return bHorz ? point.y : point.x; }
int Leading(const CRect& rect, BOOL bHorz) { return bHorz ? rect.left : rect.top; }
int Length(const CRect& rect, BOOL bHorz) { return bHorz ? rect.Width() : rect.Height(); }

// The rectangle moved along the bar so that its leading edge is there.
CRect WithLeading(CRect rect, BOOL bHorz, int leading)
{
    if (bHorz)
        rect.OffsetRect(leading - rect.left, 0);
    else
        rect.OffsetRect(0, leading - rect.top);
    return rect;
}

} // namespace

// ---------------------------------------------------------------------------
// State

BOOL CZUDPScrollBar::IsCustom() const
{
    return m_nDrawMode != DrawPlatform && CZUDPVisualManager::GetActiveManager()->UsesCustomScrollBars();
}

BOOL CZUDPScrollBar::ReadScrollInfo(SCROLLINFO& info, UINT nMask) const
{
    info = {};
    info.cbSize = sizeof(info);
    info.fMask = nMask;
    return m_hWnd != nullptr && ::GetScrollInfo(m_hWnd, SB_CTL, &info);
}

BOOL CZUDPScrollBar::IsDrawnDisabled(const SCROLLINFO& info) const
{
    return !IsWindowEnabled() || (m_nDisabledArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH ||
           info.nMax <= info.nMin || info.nPage == 0;
}

void CZUDPScrollBar::PostNcDestroy()
{
    CScrollBar::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}

int CZUDPScrollBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CScrollBar::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

// ---------------------------------------------------------------------------
// Geometry

int CZUDPScrollBar::ArrowSize(BOOL bHorz)
{
    return ::GetSystemMetrics(bHorz ? SM_CXHSCROLL : SM_CYVSCROLL);
}

void CZUDPScrollBar::ArrowRects(const CRect& rectBar, BOOL bHorz, CRect& rectFirst, CRect& rectSecond) const
{
    int size = ArrowSize(bHorz);
    const int length = Length(rectBar, bHorz);
    if (length < 2 * size)
        size = length / 2;
    rectFirst = rectSecond = rectBar;
    if (bHorz) {
        rectFirst.right = rectFirst.left + size;
        rectSecond.left = rectSecond.right - size;
    } else {
        rectFirst.bottom = rectFirst.top + size;
        rectSecond.top = rectSecond.bottom - size;
    }
}

CRect CZUDPScrollBar::ThumbRect(const CRect& rectBar, BOOL bHorz) const
{
    if (m_nPressedPart == PartThumb)
        return m_rectDragThumb;
    return CalcThumbRect(rectBar, bHorz);
}

CRect CZUDPScrollBar::CalcThumbRect(const CRect& rectBar, BOOL bHorz) const
{
    const CRect empty(0, 0, 0, 0);
    SCROLLINFO info;
    if (!ReadScrollInfo(info, SIF_RANGE | SIF_PAGE | SIF_POS) ||
        IsDrawnDisabled(info))
        return empty;
    const int arrow = ArrowSize(bHorz);
    const int length = Length(rectBar, bHorz) - 2 * arrow;
    if (length < 5)
        return empty;
    // Ranges are computed in 64 bits: nMax - nMin + 1 overflows an int for
    // the full range.
    const long long range = (long long)info.nMax - info.nMin + 1;
    int thumbLength = (int)MulDiv64(length, info.nPage, range);
    thumbLength = std::max(thumbLength, (int)kMinThumbLength);
    if (thumbLength > length)
        return empty;
    const long long highest = (long long)info.nMax - (long long)info.nPage + 1;
    int offset = arrow;
    if (info.nMin < highest) {
        const long long pos = std::min<long long>(std::max<long long>(info.nPos, info.nMin), highest);
        offset += (int)MulDiv64(length - thumbLength, pos - info.nMin, highest - info.nMin);
    }
    CRect rectThumb = rectBar;
    if (bHorz) {
        rectThumb.left = rectBar.left + offset;
        rectThumb.right = rectThumb.left + thumbLength;
    } else {
        rectThumb.top = rectBar.top + offset;
        rectThumb.bottom = rectThumb.top + thumbLength;
    }
    return rectThumb;
}

int CZUDPScrollBar::PositionFromThumb(const CRect& rectThumb)
{
    SCROLLINFO info;
    if (!ReadScrollInfo(info, SIF_RANGE | SIF_PAGE))
        return 0;
    const BOOL bHorz = IsHorizontal();
    const long long highest = (long long)info.nMax - (long long)info.nPage + 1;
    if (highest < info.nMin)
        return info.nMin;
    CRect rectClient;
    GetClientRect(rectClient);
    const int arrow = ArrowSize(bHorz);
    const int lowestLeading = Leading(rectClient, bHorz) + arrow;
    const int travel = Length(rectClient, bHorz) - 2 * arrow - Length(rectThumb, bHorz);
    // A thumb that fills the track has nowhere to go: the lowest position.
    if (travel <= 0)
        return info.nMin;
    const int offset = Leading(rectThumb, bHorz) - lowestLeading;
    const long long pos = info.nMin + (long long)((double)(highest - info.nMin) * offset / travel + 0.5);
    return (int)std::min<long long>(std::max<long long>(pos, info.nMin), highest);
}

int CZUDPScrollBar::HitTest(CPoint ptScreen)
{
    if (m_hWnd == nullptr)
        return PartNone;
    CRect rectBar;
    GetClientRect(rectBar);
    ClientToScreen(rectBar);
    if (!rectBar.PtInRect(ptScreen))
        return PartNone;
    const BOOL bHorz = IsHorizontal();
    CRect rectFirst, rectSecond;
    ArrowRects(rectBar, bHorz, rectFirst, rectSecond);
    CRect rectThumb;
    if (m_nPressedPart == PartThumb) {
        rectThumb = m_rectDragThumb;
        ClientToScreen(rectThumb);
    } else {
        rectThumb = CalcThumbRect(rectBar, bHorz);
    }
    CRect overlap;
    if (overlap.IntersectRect(rectThumb, rectFirst) || overlap.IntersectRect(rectThumb, rectSecond))
        rectThumb.SetRectEmpty();

    if (rectFirst.PtInRect(ptScreen))
        return PartFirstArrow;
    if (rectSecond.PtInRect(ptScreen))
        return PartSecondArrow;
    if (rectThumb.IsRectEmpty())
        return PartTrackNoThumb;
    if (rectThumb.PtInRect(ptScreen))
        return PartThumb;
    return Along(ptScreen, bHorz) >= Leading(rectThumb, bHorz) ? PartTrackAfter : PartTrackBefore;
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPScrollBar::Draw(CDC* pDC)
{
    if (pDC == nullptr || m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.IsRectEmpty())
        return;
    SCROLLINFO info;
    ReadScrollInfo(info, SIF_RANGE | SIF_PAGE | SIF_POS);
    const BOOL bDisabled = IsDrawnDisabled(info);
    const BOOL bHorz = IsHorizontal();

    CRect rectFirst, rectSecond;
    ArrowRects(rectClient, bHorz, rectFirst, rectSecond);
    CRect rectTrack = rectClient;
    if (bHorz) {
        rectTrack.left = rectFirst.right;
        rectTrack.right = rectSecond.left;
    } else {
        rectTrack.top = rectFirst.bottom;
        rectTrack.bottom = rectSecond.top;
    }
    CRect rectThumb(0, 0, 0, 0);
    if (!bDisabled) {
        rectThumb = ThumbRect(rectClient, bHorz);
        CRect overlap;
        if (overlap.IntersectRect(rectThumb, rectFirst) || overlap.IntersectRect(rectThumb, rectSecond))
            rectThumb.SetRectEmpty();
    }

    DrawArrowButton(pDC, rectFirst, bHorz, m_nHotPart == PartFirstArrow, m_nPressedPart == PartFirstArrow, TRUE,
                    bDisabled || (m_nDisabledArrows & ESB_DISABLE_LTUP) != 0);
    DrawArrowButton(pDC, rectSecond, bHorz, m_nHotPart == PartSecondArrow, m_nPressedPart == PartSecondArrow, FALSE,
                    bDisabled || (m_nDisabledArrows & ESB_DISABLE_RTDN) != 0);

    if (bDisabled || rectThumb.IsRectEmpty()) {
        DrawTrack(pDC, rectTrack, bHorz, FALSE, FALSE, TRUE, bDisabled);
        return;
    }
    DrawThumb(pDC, rectThumb, bHorz, m_nHotPart == PartThumb || m_nPressedPart == PartThumb,
              m_nPressedPart == PartThumb, FALSE);
    CRect rectBefore = rectTrack, rectAfter = rectTrack;
    if (bHorz) {
        rectBefore.right = rectThumb.left;
        rectAfter.left = rectThumb.right;
    } else {
        rectBefore.bottom = rectThumb.top;
        rectAfter.top = rectThumb.bottom;
    }
    if (!rectBefore.IsRectEmpty())
        DrawTrack(pDC, rectBefore, bHorz, m_nHotPart == PartTrackBefore, m_nPressedPart == PartTrackBefore, TRUE,
                  FALSE);
    if (!rectAfter.IsRectEmpty())
        DrawTrack(pDC, rectAfter, bHorz, m_nHotPart == PartTrackAfter, m_nPressedPart == PartTrackAfter, FALSE,
                  FALSE);
}

void CZUDPScrollBar::SendOwnerDraw(CDC* pDC, int32_t nPart, const CRect& rect, BOOL bHorz, BOOL bHot,
                                   BOOL bPressed, BOOL bFirst, BOOL bDisabled)
{
    ScrollBarDrawInfo info = {pDC, this, nPart, rect, bFirst, bHorz, bHot, bPressed, bDisabled};
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr)
        pOwner->SendMessage(ZUDM_ON_DRAW_SCROLLBAR, (WPARAM)GetDlgCtrlID(), (LPARAM)&info);
}

void CZUDPScrollBar::DrawThumb(CDC* pDC, CRect rect, BOOL bHorz, BOOL bHot, BOOL bPressed, BOOL bDisabled)
{
    if (m_nDrawMode == DrawByOwner)
        SendOwnerDraw(pDC, ScrollBarDrawInfo::Thumb, rect, bHorz, bHot, bPressed, FALSE, bDisabled);
    else
        CZUDPVisualManager::GetActiveManager()->DrawScrollBarThumb(pDC, this, rect, bHorz, bHot, bPressed, bDisabled);
}

void CZUDPScrollBar::DrawArrowButton(CDC* pDC, CRect rect, BOOL bHorz, BOOL bHot, BOOL bPressed, BOOL bFirst,
                                     BOOL bDisabled)
{
    if (m_nDrawMode == DrawByOwner)
        SendOwnerDraw(pDC, ScrollBarDrawInfo::ArrowButton, rect, bHorz, bHot, bPressed, bFirst, bDisabled);
    else
        CZUDPVisualManager::GetActiveManager()->DrawScrollBarButton(pDC, this, rect, bHorz, bHot, bPressed, bFirst,
                                                                    bDisabled);
}

void CZUDPScrollBar::DrawTrack(CDC* pDC, CRect rect, BOOL bHorz, BOOL bHot, BOOL bPressed, BOOL bFirst,
                               BOOL bDisabled)
{
    if (m_nDrawMode == DrawByOwner)
        SendOwnerDraw(pDC, ScrollBarDrawInfo::Track, rect, bHorz, bHot, bPressed, bFirst, bDisabled);
    else
        CZUDPVisualManager::GetActiveManager()->DrawScrollBarTrack(pDC, this, rect, bHorz, bHot, bPressed, bFirst,
                                                                   bDisabled);
}

void CZUDPScrollBar::Redraw()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPScrollBar::OnPaint()
{
    if (!IsCustom()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CZUDPMemDC memDC(dc, this);
    Draw(&memDC.GetDC());
}

void CZUDPScrollBar::OnPrintClient(CDC* pDC, UINT)
{
    if (!IsCustom()) {
        Default();
        return;
    }
    Draw(pDC);
}

BOOL CZUDPScrollBar::OnEraseBkgnd(CDC*)
{
    if (!IsCustom())
        return (BOOL)Default();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Messages to the platform control

LRESULT CZUDPScrollBar::PassHidden(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The platform control paints its own look as it changes; with redraw
    // off it does not (a hidden bar is left alone: redraw on would show it).
    const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisible)
        CScrollBar::DefWindowProc(WM_SETREDRAW, FALSE, 0);
    const LRESULT lResult = CScrollBar::WindowProc(message, wParam, lParam);
    if (bVisible && ::IsWindow(m_hWnd))
        CScrollBar::DefWindowProc(WM_SETREDRAW, TRUE, 0);
    return lResult;
}

LRESULT CZUDPScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_SETSCROLLINFO: {
        if (m_hWnd == nullptr)
            return 0;
        if (!IsCustom())
            break;
        BOOL bChanged = FALSE;
        if (m_nPressedPart != PartThumb) {
            SCROLLINFO current;
            ReadScrollInfo(current, SIF_ALL);
            if (message == SBM_SETPOS) {
                bChanged = lParam == TRUE && (int)wParam != current.nPos;
            } else if (message == SBM_SETRANGEREDRAW) {
                bChanged = (int)wParam != current.nMin || (int)lParam != current.nMax;
            } else if (message == SBM_SETSCROLLINFO) {
                const SCROLLINFO* pInfo = reinterpret_cast<const SCROLLINFO*>(lParam);
                if (wParam == TRUE && pInfo != nullptr) {
                    bChanged = ((pInfo->fMask & SIF_PAGE) != 0 && pInfo->nPage != current.nPage) ||
                               ((pInfo->fMask & SIF_POS) != 0 && pInfo->nPos != current.nPos) ||
                               ((pInfo->fMask & SIF_RANGE) != 0 &&
                                (pInfo->nMin != current.nMin || pInfo->nMax != current.nMax)) ||
                               ((pInfo->fMask & SIF_TRACKPOS) != 0 && pInfo->nTrackPos != current.nTrackPos);
                }
            }
        }
        const LRESULT lResult = PassHidden(message, wParam, lParam);
        if (bChanged && ::IsWindow(m_hWnd))
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return lResult;
    }
    case SBM_ENABLE_ARROWS: {
        if (m_hWnd == nullptr)
            return 0;
        if (!IsCustom())
            break;
        const LRESULT lResult = PassHidden(message, wParam, lParam);
        if (lResult != 0 && (int)wParam != m_nDisabledArrows) {
            m_nDisabledArrows = (int)wParam;
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        return lResult;
    }
    case SBM_GETSCROLLINFO: {
        if (m_hWnd == nullptr)
            return 0;
        if (!IsCustom())
            break;
        const LRESULT lResult = CScrollBar::WindowProc(message, wParam, lParam);
        SCROLLINFO* pInfo = reinterpret_cast<SCROLLINFO*>(lParam);
        // A parent asking during a drag learns where the thumb stands.
        if (lResult != 0 && m_nPressedPart == PartThumb && pInfo != nullptr && (pInfo->fMask & SIF_TRACKPOS) != 0)
            pInfo->nTrackPos = m_nTrackPos;
        return lResult;
    }
    case WM_ENABLE:
        if (m_hWnd != nullptr && IsCustom()) {
            const LRESULT lResult = PassHidden(message, wParam, lParam);
            Redraw();
            return lResult;
        }
        break;
    default:
        break;
    }
    return CScrollBar::WindowProc(message, wParam, lParam);
}

BOOL CZUDPScrollBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && pMsg->hwnd == m_hWnd && m_nPressedPart != PartNone && IsCustom()) {
        OnMouseMove((UINT)pMsg->wParam, CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)));
        return TRUE;
    }
    return CScrollBar::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Mouse

void CZUDPScrollBar::SendToParent(UINT nCode, int nPos)
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(IsHorizontal() ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(nCode, (WORD)nPos),
                             (LPARAM)m_hWnd);
}

void CZUDPScrollBar::SendScrollCode()
{
    if (m_nPressedPart != m_nHotPart)
        return;
    switch (m_nPressedPart) {
    case PartFirstArrow:
        SendToParent(SB_LINEUP);
        break;
    case PartSecondArrow:
        SendToParent(SB_LINEDOWN);
        break;
    case PartTrackBefore:
        SendToParent(SB_PAGEUP);
        break;
    case PartTrackAfter:
        SendToParent(SB_PAGEDOWN);
        break;
    default:
        break;
    }
}

void CZUDPScrollBar::OnLButtonDown(UINT, CPoint point)
{
    if (!IsCustom()) {
        Default();
        return;
    }
    const HWND hWndCapture = ::GetCapture();
    m_hWndPreviousCapture = hWndCapture != m_hWnd ? hWndCapture : nullptr;
    SetCapture();

    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    m_nPressedPart = HitTest(ptScreen);
    // The press is where the pointer is, even when no move told the bar
    // (the thumb may have moved under a resting pointer).
    m_nHotPart = m_nPressedPart;
    Redraw();
    if (m_nPressedPart == PartNone)
        return;

    if (m_nPressedPart != PartThumb) {
        SendScrollCode();
        SetTimer(kDelayTimer, kDelayMilliseconds);
        m_bDelayTimerOn = TRUE;
        return;
    }
    m_ptGrab = ptScreen;
    CRect rectClient;
    GetClientRect(rectClient);
    m_rectGrabThumb = m_rectDragThumb = CalcThumbRect(rectClient, IsHorizontal());
    m_nTrackPos = GetScrollPos();
    SendToParent(SB_THUMBTRACK, m_nTrackPos);
    Redraw();
}

void CZUDPScrollBar::OnTimer(UINT_PTR nIDEvent)
{
    if (IsCustom()) {
        if (nIDEvent == kDelayTimer && m_bDelayTimerOn) {
            KillTimer(kDelayTimer);
            m_bDelayTimerOn = FALSE;
            SetTimer(kRepeatTimer, kRepeatMilliseconds);
            m_bRepeatTimerOn = TRUE;
            return;
        }
        if (nIDEvent == kRepeatTimer && m_bRepeatTimerOn) {
            SendScrollCode();
            return;
        }
    }
    Default();
}

void CZUDPScrollBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsCustom()) {
        Default();
        return;
    }
    const BOOL bLeftDown = (nFlags & MK_LBUTTON) != 0;
    if (!bLeftDown && !m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        TrackMouseLeave(&tme);
        m_bTracking = TRUE;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const int nHit = HitTest(ptScreen);
    if (nHit != m_nHotPart) {
        m_nHotPart = nHit;
        Redraw();
    }
    if (!bLeftDown || m_nPressedPart != PartThumb)
        return;

    const BOOL bHorz = IsHorizontal();
    CRect rectClient;
    GetClientRect(rectClient);
    const int arrow = ArrowSize(bHorz);
    const int thumbLength = Length(m_rectGrabThumb, bHorz);
    const int lowest = Leading(rectClient, bHorz) + arrow;
    const int highest = Leading(rectClient, bHorz) + Length(rectClient, bHorz) - arrow - thumbLength;
    CRect rectThumb = m_rectGrabThumb;
    // Far off the bar the thumb goes back to where it was grabbed.
    if (std::abs(Across(ptScreen, bHorz) - Across(m_ptGrab, bHorz)) < kSnapBackDistance) {
        const int leading = Leading(m_rectGrabThumb, bHorz) + Along(ptScreen, bHorz) - Along(m_ptGrab, bHorz);
        rectThumb = WithLeading(m_rectGrabThumb, bHorz, std::max(lowest, std::min(leading, highest)));
    }
    if (rectThumb == m_rectDragThumb)
        return;
    m_rectDragThumb = rectThumb;
    const int nPos = PositionFromThumb(rectThumb);
    if (nPos != m_nTrackPos) {
        m_nTrackPos = nPos;
        SendToParent(SB_THUMBTRACK, nPos);
    }
    Redraw();
}

void CZUDPScrollBar::OnMouseLeave()
{
    if (!IsCustom()) {
        Default();
        return;
    }
    if (m_bTracking) {
        m_bTracking = FALSE;
        m_nHotPart = PartNone;
        Redraw();
    }
}

void CZUDPScrollBar::EndPress()
{
    if (m_bDelayTimerOn) {
        KillTimer(kDelayTimer);
        m_bDelayTimerOn = FALSE;
    }
    if (m_bRepeatTimerOn) {
        KillTimer(kRepeatTimer);
        m_bRepeatTimerOn = FALSE;
    }
    Default();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_ptGrab = CPoint(0, 0);
    // The window that held the capture before may be gone by now.
    if (m_hWndPreviousCapture != nullptr && ::IsWindow(m_hWndPreviousCapture))
        ::SetCapture(m_hWndPreviousCapture);

    CPoint ptCursor(0, 0);
    g_frameworkSeams.cursorPos(&ptCursor);
    const int nHit = HitTest(ptCursor);
    if (m_nPressedPart != PartNone || nHit != m_nHotPart) {
        m_nHotPart = nHit;
        m_nPressedPart = PartNone;
        Redraw();
    }
}

void CZUDPScrollBar::OnCancelMode()
{
    EndPress();
    m_hWndPreviousCapture = nullptr;
}

void CZUDPScrollBar::OnLButtonUp(UINT, CPoint)
{
    if (!IsCustom()) {
        Default();
        return;
    }
    const BOOL bPressed = m_nPressedPart != PartNone;
    EndPress();
    m_hWndPreviousCapture = nullptr;
    // Like a platform bar, every press on a part ends with SB_ENDSCROLL.
    if (bPressed && ::IsWindow(m_hWnd))
        SendToParent(SB_ENDSCROLL);
}

void CZUDPScrollBar::OnLButtonDblClk(UINT, CPoint point)
{
    if (!IsCustom()) {
        Default();
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const int nHit = HitTest(ptScreen);
    CWnd* pParent = GetParent();
    if (pParent != nullptr && (nHit == PartFirstArrow || nHit == PartSecondArrow))
        pParent->PostMessage(IsHorizontal() ? WM_HSCROLL : WM_VSCROLL,
                             MAKEWPARAM(nHit == PartFirstArrow ? SB_LINEUP : SB_LINEDOWN, 0), (LPARAM)m_hWnd);
}

void CZUDPScrollBar::OnRButtonUp(UINT, CPoint)
{
    // The platform bar's context menu is not offered.
    if (!IsCustom())
        Default();
}
