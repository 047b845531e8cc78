// The frame implementation's custom caption: when the visual manager draws
// the frames' captions itself, the frame loses its own caption, keeps the
// room for one, and gets caption buttons (close, maximize or restore,
// minimize) that it lays out, hit-tests, tracks and turns into system
// commands.
#include "ui/docking/ZUDPFrameImpl.h"

#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

namespace {

// The caption buttons' hit codes (the library's own: the frame answers
// WM_NCHITTEST with them and handles the clicks itself).
constexpr UINT kCaptionClose = ZUDP_CAPTION_HIT_CLOSE;
constexpr UINT kCaptionMaximize = ZUDP_CAPTION_HIT_MAXIMIZE;
constexpr UINT kCaptionMinimize = ZUDP_CAPTION_HIT_MINIMIZE;

BOOL IsCaptionHit(UINT nHit) { return nHit == kCaptionClose || nHit == kCaptionMaximize || nHit == kCaptionMinimize; }

} // namespace

BOOL CZUDPFrameImpl::IsCustomCaptionActive() const
{
    return !m_bInPlaceItemActive && CZUDPVisualManager::GetActiveManager()->UsesCustomCaption();
}

void CZUDPFrameImpl::GetCaptionRect(CRect& rect) const
{
    rect.SetRectEmpty();
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    const BOOL bIconic = m_pFrame->IsIconic();
    const BOOL bZoomed = m_pFrame->IsZoomed();
    int fx = ::GetSystemMetrics(SM_CXFRAME);
    int fy = ::GetSystemMetrics(SM_CYFRAME);
    if (bIconic || bZoomed)
        fx = fy = 0;
    else if ((m_pFrame->GetStyle() & WS_THICKFRAME) == 0)
        fx = fy = ::GetSystemMetrics(SM_CXFIXEDFRAME);
    CRect rectWindow;
    m_pFrame->GetWindowRect(&rectWindow);
    m_pFrame->ScreenToClient(&rectWindow);
    rectWindow.OffsetRect(fx, bIconic ? fy : fy + ::GetSystemMetrics(SM_CYCAPTION));
    rect = CRect(rectWindow.left + fx, rectWindow.top + fy, rectWindow.right - fx,
                 rectWindow.top + fy + ::GetSystemMetrics(SM_CYCAPTION));
    if (bIconic) {
        rect.OffsetRect(0, ::GetSystemMetrics(SM_CYFRAME));
        rect.right -= ::GetSystemMetrics(SM_CXFRAME);
    }
}

void CZUDPFrameImpl::LayoutCaptionButtons()
{
    if (!IsCustomCaptionActive() || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    const DWORD dwStyle = m_pFrame->GetStyle();
    if (m_lstCaptionButtons.IsEmpty() && (dwStyle & WS_SYSMENU) != 0 &&
        ::GetSystemMenu(m_pFrame->m_hWnd, FALSE) != nullptr) {
        m_lstCaptionButtons.AddTail(new CZUDPFrameCaptionButton(kCaptionClose));
        if (dwStyle & WS_MAXIMIZEBOX)
            m_lstCaptionButtons.AddTail(new CZUDPFrameCaptionButton(kCaptionMaximize));
        if (dwStyle & WS_MINIMIZEBOX)
            m_lstCaptionButtons.AddTail(new CZUDPFrameCaptionButton(kCaptionMinimize));
    }
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    CSize sizeButton(::GetSystemMetrics(SM_CXSIZE), ::GetSystemMetrics(SM_CYSIZE));
    if (sizeButton.cy > rectCaption.Height() - 2)
        sizeButton.cy = rectCaption.Height() - 2;
    const int nOffset = sizeButton.cy < rectCaption.Height() ? (rectCaption.Height() - sizeButton.cy) / 2 : 0;
    int x = rectCaption.right;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPFrameCaptionButton* pButton = static_cast<CZUDPFrameCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        pButton->m_rect = CRect(x - sizeButton.cx, rectCaption.top + nOffset, x, rectCaption.top + nOffset + sizeButton.cy);
        x -= sizeButton.cx;
    }
    m_pFrame->SendMessage(ZUDM_ONAFTERUPDATECAPTION, 0, 0);
    m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

CZUDPFrameCaptionButton* CZUDPFrameImpl::FindCaptionButton(UINT nHit) const
{
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPFrameCaptionButton* pButton = static_cast<CZUDPFrameCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (pButton->GetHitCode() == nHit)
            return pButton;
    }
    return nullptr;
}

void CZUDPFrameImpl::RedrawCaptionButton(CZUDPFrameCaptionButton* pButton)
{
    if (pButton == nullptr || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    m_rectRedrawCaption = pButton->m_rect;
    m_pFrame->SendMessage(WM_NCPAINT);
    m_rectRedrawCaption.SetRectEmpty();
    m_pFrame->UpdateWindow();
}

UINT CZUDPFrameImpl::OnNcHitTest(CPoint point)
{
    if (!IsCustomCaptionActive() || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return 0;
    m_pFrame->ScreenToClient(&point);
    point.Offset(::GetSystemMetrics(SM_CXFRAME),
                 m_pFrame->IsIconic() ? ::GetSystemMetrics(SM_CYFRAME)
                                      : ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION));
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPFrameCaptionButton* pButton = static_cast<CZUDPFrameCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (pButton->m_rect.PtInRect(point))
            return pButton->GetHitCode();
    }
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    if (!rectCaption.PtInRect(point))
        return 0;
    int nIconRoom = ::GetSystemMetrics(SM_CXSMICON) + 2;
    if (m_pFrame->IsZoomed())
        nIconRoom += ::GetSystemMetrics(SM_CXFRAME);
    return point.x < rectCaption.left + nIconRoom ? UINT(HTSYSMENU) : UINT(HTCAPTION);
}

BOOL CZUDPFrameImpl::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    if (m_pFrame == nullptr || lpncsp == nullptr || !IsCustomCaptionActive())
        return FALSE;
    lpncsp->rgrc[0].top += ::GetSystemMetrics(SM_CYCAPTION);
    return m_pFrame->IsZoomed();
}

BOOL CZUDPFrameImpl::OnNcPaint()
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || !IsCustomCaptionActive())
        return FALSE;
    HDC hDC = ::GetWindowDC(m_pFrame->m_hWnd);
    if (hDC == nullptr)
        return FALSE;
    CDC dc;
    dc.Attach(hDC);
    if (!m_rectRedrawCaption.IsRectEmpty()) {
        // Only the button being redrawn (window coordinates).
        const CRect& rect = m_rectRedrawCaption;
        ::IntersectClipRect(hDC, rect.left, rect.top, rect.right, rect.bottom);
    }
    const BOOL bPainted = CZUDPVisualManager::GetActiveManager()->DrawCustomFrameNonClient(m_pFrame, &dc);
    dc.Detach();
    ::ReleaseDC(m_pFrame->m_hWnd, hDC);
    return bPainted;
}

BOOL CZUDPFrameImpl::OnNcActivate(BOOL bActive)
{
    if (m_bInPlaceItemActive || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_pFrame->IsWindowVisible())
        return FALSE;
    if (!IsCustomCaptionActive())
        return FALSE;
    CZUDPVisualManager::GetActiveManager()->NotifyFrameActivation(m_pFrame, bActive);
    m_pFrame->RedrawWindow(CRect(0, 0, 0, 0), nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return !g_uiEnvironment.IsDwmCompositionEnabled();
}

void CZUDPFrameImpl::TrackCaptionButtonHover(CPoint ptScreen)
{
    if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->GetSafeHwnd()))
        return;
    CZUDPFrameCaptionButton* pHot = FindCaptionButton(OnNcHitTest(ptScreen));
    if (pHot != nullptr && !pHot->m_bEnabled)
        pHot = nullptr;
    const UINT nNewHot = pHot != nullptr ? pHot->GetHitCode() : 0;
    if (nNewHot != m_nHotCaptionButton) {
        CZUDPFrameCaptionButton* pOld = FindCaptionButton(m_nHotCaptionButton);
        const UINT nOldHot = m_nHotCaptionButton;
        m_nHotCaptionButton = nNewHot;
        if (pHot != nullptr) {
            pHot->m_bFocused = TRUE;
            RedrawCaptionButton(pHot);
        }
        if (pOld != nullptr) {
            pOld->m_bFocused = FALSE;
            RedrawCaptionButton(pOld);
        }
        if (m_nPressedCaptionButton == 0) {
            if (nNewHot == 0)
                ::ReleaseCapture();
            else if (nOldHot == 0)
                m_pFrame->SetCapture();
        }
    }
}

void CZUDPFrameImpl::OnCaptionMouseMove(CPoint ptClient)
{
    if (!IsCustomCaptionActive() || m_pFrame == nullptr)
        return;
    m_pFrame->ClientToScreen(&ptClient);
    TrackCaptionButtonHover(ptClient);
}

void CZUDPFrameImpl::OnCaptionLButtonDown()
{
    CZUDPFrameCaptionButton* pHot = FindCaptionButton(m_nHotCaptionButton);
    if (pHot == nullptr)
        return;
    m_nPressedCaptionButton = m_nHotCaptionButton;
    pHot->m_bPushed = TRUE;
    RedrawCaptionButton(pHot);
}

void CZUDPFrameImpl::OnCaptionLButtonUp()
{
    if (!IsCustomCaptionActive() || !IsCaptionHit(m_nPressedCaptionButton) || m_pFrame == nullptr)
        return;
    const UINT nPressed = m_nPressedCaptionButton;
    const BOOL bOnIt = nPressed == m_nHotCaptionButton;
    ReleaseCaptionButtons();
    if (!bOnIt)
        return;   // released off the button: nothing happens
    UINT nCommand = SC_CLOSE;
    if (nPressed == kCaptionMaximize)
        nCommand = m_pFrame->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE;
    else if (nPressed == kCaptionMinimize)
        nCommand = m_pFrame->IsIconic() ? SC_RESTORE : SC_MINIMIZE;
    m_pFrame->PostMessage(WM_SYSCOMMAND, nCommand);
}

void CZUDPFrameImpl::ReleaseCaptionButtons()
{
    if (CZUDPFrameCaptionButton* pPressed = FindCaptionButton(m_nPressedCaptionButton)) {
        pPressed->m_bPushed = FALSE;
        ::ReleaseCapture();
        RedrawCaptionButton(pPressed);
    }
    if (CZUDPFrameCaptionButton* pHot = FindCaptionButton(m_nHotCaptionButton)) {
        pHot->m_bFocused = FALSE;
        ::ReleaseCapture();
        RedrawCaptionButton(pHot);
    }
    m_nPressedCaptionButton = 0;
    m_nHotCaptionButton = 0;
}

void CZUDPFrameImpl::UpdateWindowRegion(UINT nFlags, int cx, int cy)
{
    if (m_bChangingStyle || m_bInPlaceItemActive || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    if ((nFlags & SWP_NOSIZE) != 0 && (nFlags & SWP_FRAMECHANGED) == 0)
        return;
    if (!IsCustomCaptionActive())
        return;
    m_bChangingStyle = TRUE;
    m_bHasRegion = CZUDPVisualManager::GetActiveManager()->UpdateFrameWindowRegion(m_pFrame, cx, cy);
    m_bChangingStyle = FALSE;
}

void CZUDPFrameImpl::OnVisualManagerChanged()
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    const BOOL bMDIChild = (m_pFrame->GetStyle() & WS_CHILD) != 0;
    if (IsCustomCaptionActive()) {
        if ((m_pFrame->GetStyle() & WS_BORDER) != 0 && m_bHadBorder && !bMDIChild) {
            m_bChangingStyle = TRUE;
            m_pFrame->ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
            m_bChangingStyle = FALSE;
        }
        CRect rectWindow;
        m_pFrame->GetWindowRect(&rectWindow);
        m_bHasRegion = CZUDPVisualManager::GetActiveManager()->UpdateFrameWindowRegion(m_pFrame, rectWindow.Width(),
                                                                                      rectWindow.Height());
    } else {
        if ((m_pFrame->GetStyle() & WS_BORDER) == 0 && m_bHadBorder && !bMDIChild) {
            m_bChangingStyle = TRUE;
            m_pFrame->ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
            m_bChangingStyle = FALSE;
        }
        if (m_bHasRegion) {
            m_pFrame->SetWindowRgn(nullptr, TRUE);
            m_bHasRegion = FALSE;
        }
        // The caption buttons of a custom caption go with it.
        while (!m_lstCaptionButtons.IsEmpty())
            delete m_lstCaptionButtons.RemoveHead();
        m_nHotCaptionButton = m_nPressedCaptionButton = 0;
        CRect rectWindow;
        m_pFrame->GetWindowRect(&rectWindow);
        m_pFrame->SetWindowPos(nullptr, 0, 0, rectWindow.Width() + 1, rectWindow.Height() + 1,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutCaptionButtons();
}

BOOL CZUDPFrameImpl::TrackSystemMenu(UINT uiMsg, CPoint ptScreen)
{
    // A right click on a custom caption shows the system menu there.
    if (uiMsg != WM_NCRBUTTONUP || !IsCustomCaptionActive() || m_pFrame == nullptr ||
        m_pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    const UINT nHit = OnNcHitTest(ptScreen);
    if (nHit != HTCAPTION && nHit != HTSYSMENU && !IsCaptionHit(nHit))
        return FALSE;
    HMENU hMenu = ::GetSystemMenu(m_pFrame->m_hWnd, FALSE);
    if (hMenu == nullptr)
        return FALSE;
    const BOOL bZoomed = m_pFrame->IsZoomed();
    const BOOL bIconic = m_pFrame->IsIconic();
    ::EnableMenuItem(hMenu, SC_MAXIMIZE, MF_BYCOMMAND | (bZoomed ? MF_GRAYED : MF_ENABLED));
    ::EnableMenuItem(hMenu, SC_RESTORE, MF_BYCOMMAND | (!bZoomed && !bIconic ? MF_GRAYED : MF_ENABLED));
    const UINT nCommand = UINT(g_frameworkSeams.trackPopupMenu(hMenu, TPM_RETURNCMD | TPM_LEFTBUTTON, ptScreen.x,
                                                                ptScreen.y, m_pFrame->m_hWnd, nullptr));
    if (nCommand == 0)
        return FALSE;
    m_pFrame->SendMessage(WM_SYSCOMMAND, nCommand);
    return TRUE;
}
