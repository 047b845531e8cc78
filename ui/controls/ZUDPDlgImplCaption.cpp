// The owner-drawn caption of the dialog implementation: when the visual
// manager wants a custom caption, the system border is removed, the caption
// buttons (close, maximize, minimize, help) are laid out from the right,
// hover and press are tracked on them, and a click becomes the system
// command.  With a manager that keeps the system caption (the base one)
// every operation here leaves the system's processing alone.
#include "ui/controls/ZUDPDlgImpl.h"

#include "framework/win/DC.h"
#include "framework/win/PropertySheet.h"

#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>

namespace {

// The caption buttons' hit codes (the library's own).
constexpr UINT kCaptionClose = 19;
constexpr UINT kCaptionMaximize = 26;
constexpr UINT kCaptionMinimize = 27;
constexpr UINT kCaptionHelp = 28;

// The frame thickness the caption is measured from; the hit test uses the
// same (a window without a sizing frame has the fixed frame).
CSize FrameThickness(const CWnd* pOwner)
{
    if (pOwner->IsIconic() || pOwner->IsZoomed())
        return CSize(0, 0);
    if ((pOwner->GetStyle() & WS_THICKFRAME) == 0) {
        const int fixed = ::GetSystemMetrics(SM_CXFIXEDFRAME);
        return CSize(fixed, fixed);
    }
    return CSize(::GetSystemMetrics(SM_CXSIZEFRAME), ::GetSystemMetrics(SM_CYSIZEFRAME));
}

} // namespace

BOOL CZUDPDlgImpl::PaintsOwnCaption() const
{
    return m_bVisualManagerStyle && m_bVisualManagerNCArea && CZUDPVisualManager::GetActiveManager()->UsesCustomCaption();
}

int CZUDPDlgImpl::CaptionHeight() const
{
    if (!HasOwnerWindow())
        return 0;
    return ::GetSystemMetrics((m_pOwner->GetExStyle() & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

CRect CZUDPDlgImpl::CaptionRectInWindow() const
{
    if (!HasOwnerWindow())
        return CRect();
    const CSize frame = FrameThickness(m_pOwner);
    const int nCaption = CaptionHeight();
    CRect rect;
    m_pOwner->GetWindowRect(&rect);
    m_pOwner->ScreenToClient(&rect);
    // Relative to the window's top-left corner.
    rect.OffsetRect(frame.cx, frame.cy + (m_pOwner->IsIconic() ? 0 : nCaption));
    CRect caption(rect.left + frame.cx, rect.top + frame.cy, rect.right - frame.cx, rect.top + frame.cy + nCaption);
    if (m_pOwner->IsIconic()) {
        caption.top += ::GetSystemMetrics(SM_CYSIZEFRAME);
        caption.right -= ::GetSystemMetrics(SM_CXSIZEFRAME);
    }
    return caption;
}

CZUDPFrameCaptionButton* CZUDPDlgImpl::FindCaptionButton(UINT nHit) const
{
    for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CZUDPFrameCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
        if (pButton->GetHitCode() == nHit)
            return pButton;
    }
    return nullptr;
}

void CZUDPDlgImpl::ApplyFrameLook()
{
    if (!HasOwnerWindow())
        return;
    const BOOL bZoomed = m_pOwner->IsZoomed();
    CRect rectWindow;
    m_pOwner->GetWindowRect(&rectWindow);

    if (PaintsOwnCaption()) {
        BOOL bBorderRemoved = FALSE;
        if ((m_pOwner->GetStyle() & WS_BORDER) && m_bHasBorder) {
            m_bWindowPosChanging = TRUE;
            m_pOwner->ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
            m_bWindowPosChanging = FALSE;
            bBorderRemoved = TRUE;
        }
        m_bHasRegion = CZUDPVisualManager::GetActiveManager()->UpdateFrameWindowRegion(m_pOwner, rectWindow.Width(), rectWindow.Height());
        if (bZoomed && bBorderRemoved) {
            // The maximized size is computed again without the border.
            m_pOwner->ShowWindow(SW_MINIMIZE);
            m_pOwner->ShowWindow(SW_MAXIMIZE);
        }
    } else {
        BOOL bBorderRestored = FALSE;
        if ((m_pOwner->GetStyle() & WS_BORDER) == 0 && m_bHasBorder) {
            m_bWindowPosChanging = TRUE;
            m_pOwner->ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
            m_bWindowPosChanging = FALSE;
            bBorderRestored = TRUE;
        }
        if (m_bHasRegion) {
            m_bHasRegion = FALSE;
            m_pOwner->SetWindowRgn(nullptr, TRUE);
        }
        if (bZoomed && bBorderRestored) {
            CRect rectClient;
            m_pOwner->GetClientRect(&rectClient);
            m_pOwner->ClientToScreen(&rectClient);
            m_pOwner->CalcWindowRect(&rectClient, adjustBorder);
            if ((m_pOwner->GetStyle() & WS_CAPTION) == WS_CAPTION)
                rectClient.top += CaptionHeight();
            m_pOwner->SetWindowPos(nullptr, rectClient.left, rectClient.top, rectClient.Width(), rectClient.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            // A new non-client calculation.
            m_pOwner->SetWindowPos(nullptr, 0, 0, rectWindow.Width() + 1, rectWindow.Height() + 1,
                                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            m_pOwner->SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(),
                                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    LayoutCaptionButtons();
    SyncCaptionButtonsWithSystemMenu();
}

void CZUDPDlgImpl::LayoutCaptionButtons()
{
    if (!HasOwnerWindow() || !PaintsOwnCaption())
        return;
    const DWORD dwStyle = m_pOwner->GetStyle();
    if (m_lstCaptionSysButtons.IsEmpty() && (dwStyle & WS_SYSMENU) && ::GetSystemMenu(m_pOwner->m_hWnd, FALSE) != nullptr) {
        m_lstCaptionSysButtons.AddTail(new CZUDPFrameCaptionButton(kCaptionClose));
        if (dwStyle & WS_MAXIMIZEBOX)
            m_lstCaptionSysButtons.AddTail(new CZUDPFrameCaptionButton(kCaptionMaximize));
        if (dwStyle & WS_MINIMIZEBOX)
            m_lstCaptionSysButtons.AddTail(new CZUDPFrameCaptionButton(kCaptionMinimize));
        if ((dwStyle & DS_CONTEXTHELP) && !m_pOwner->IsKindOf(RUNTIME_CLASS(CPropertySheet)))
            m_lstCaptionSysButtons.AddTail(new CZUDPFrameCaptionButton(kCaptionHelp));
    }

    const CRect caption = CaptionRectInWindow();
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    // Non-zero: the manager has placed the buttons itself (it is asked
    // without a DC: nothing is painted).
    if (pManager->DrawCustomCaption(m_pOwner, nullptr, TRUE, caption) == 0) {
        const CSize size = pManager->GetNonClientMargin(m_pOwner);
        const int nCaption = caption.Height();
        const int nHeight = std::min((int)size.cy, nCaption - 2);
        const int nTop = caption.top + std::max(0, (nCaption - nHeight) / 2);
        int x = caption.right - size.cx;
        for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CZUDPFrameCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
            pButton->m_rect = CRect(x, nTop, x + size.cx, nTop + nHeight);
            x -= size.cx;
        }
    }
    m_pOwner->SendMessage(ZUDM_ONAFTERUPDATECAPTION);
    RedrawOwner(RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_FRAME);
}

void CZUDPDlgImpl::SyncCaptionButtonsWithSystemMenu()
{
    if (!HasOwnerWindow() || (m_pOwner->GetStyle() & WS_SYSMENU) == 0)
        return;
    HMENU hSysMenu = ::GetSystemMenu(m_pOwner->m_hWnd, FALSE);
    if (hSysMenu == nullptr || !::IsMenu(hSysMenu))
        return;
    const struct {
        UINT hit;
        UINT command;
    } kinds[] = {{kCaptionClose, SC_CLOSE}, {kCaptionMaximize, SC_MAXIMIZE}, {kCaptionMinimize, SC_MINIMIZE}};
    for (const auto& kind : kinds) {
        if (CZUDPFrameCaptionButton* pButton = FindCaptionButton(kind.hit))
            pButton->m_bEnabled = (::GetMenuState(hSysMenu, kind.command, MF_BYCOMMAND) & MF_GRAYED) == 0;
    }
    m_pOwner->SendMessage(ZUDM_ONAFTERUPDATECAPTION);
    RedrawOwner(RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_FRAME);
}

BOOL CZUDPDlgImpl::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!HasOwnerWindow())
        return FALSE;
    if ((m_pOwner->GetStyle() & WS_CAPTION) == 0)
        m_bVisualManagerNCArea = FALSE;
    if (PaintsOwnCaption() && lpncsp != nullptr)
        lpncsp->rgrc[0].top += CaptionHeight();
    return m_pOwner->IsZoomed() && PaintsOwnCaption();
}

UINT CZUDPDlgImpl::OnNcHitTest(CPoint ptScreen)
{
    if (!HasOwnerWindow() || !PaintsOwnCaption())
        return 0;
    CPoint pt = ptScreen;
    m_pOwner->ScreenToClient(&pt);
    const CSize frame = FrameThickness(m_pOwner);
    pt.Offset(frame.cx, frame.cy + (m_pOwner->IsIconic() ? 0 : CaptionHeight()));

    for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CZUDPFrameCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
        if (pButton->GetRect().PtInRect(pt))
            return pButton->GetHitCode();
    }
    CRect caption = CaptionRectInWindow();
    if (!caption.PtInRect(pt))
        return 0;
    if (m_pOwner->GetExStyle() & WS_EX_TOOLWINDOW)
        return HTCAPTION;
    CRect rectIcon = caption;
    rectIcon.right = rectIcon.left + ::GetSystemMetrics(SM_CXSMICON) + 2 + (m_pOwner->IsZoomed() ? frame.cx : 0);
    return rectIcon.PtInRect(pt) ? HTSYSMENU : HTCAPTION;
}

void CZUDPDlgImpl::TrackCaptionButtonHover(CPoint ptScreen)
{
    if (g_activePopupMenu != nullptr && ::IsWindow(g_activePopupMenu->m_hWnd))
        return;
    const UINT nOldHot = m_nHotSysButton;
    CZUDPFrameCaptionButton* pButton = FindCaptionButton(OnNcHitTest(ptScreen));
    if (pButton != nullptr && pButton->m_bEnabled) {
        m_nHotSysButton = pButton->GetHitCode();
        pButton->m_bFocused = TRUE;
    } else {
        m_nHotSysButton = 0;
    }
    if (m_nHotSysButton != nOldHot) {
        RepaintCaptionButton(pButton != nullptr && pButton->m_bEnabled ? pButton : nullptr);
        if (CZUDPFrameCaptionButton* pOld = FindCaptionButton(nOldHot)) {
            pOld->m_bFocused = FALSE;
            RepaintCaptionButton(pOld);
        }
    }
    if (m_nHitSysButton == 0) {
        if (m_nHotSysButton == 0 && nOldHot != 0)
            ::ReleaseCapture();
        else if (m_nHotSysButton != 0 && nOldHot == 0)
            m_pOwner->SetCapture();
    }
}

void CZUDPDlgImpl::OnNcMouseMove(UINT, CPoint ptScreen)
{
    if (PaintsOwnCaption())
        TrackCaptionButtonHover(ptScreen);
}

void CZUDPDlgImpl::OnMouseMove(CPoint ptClient)
{
    if (!HasOwnerWindow() || !PaintsOwnCaption())
        return;
    CPoint pt = ptClient;
    m_pOwner->ClientToScreen(&pt);
    TrackCaptionButtonHover(pt);
}

void CZUDPDlgImpl::OnLButtonDown(CPoint)
{
    if (m_nHotSysButton == 0)
        return;
    m_nHitSysButton = m_nHotSysButton;
    if (CZUDPFrameCaptionButton* pButton = FindCaptionButton(m_nHitSysButton)) {
        pButton->m_bPushed = TRUE;
        RepaintCaptionButton(pButton);
    }
}

void CZUDPDlgImpl::OnLButtonUp(CPoint)
{
    if (!PaintsOwnCaption())
        return;
    const UINT nPressed = m_nHitSysButton;
    if (nPressed != kCaptionClose && nPressed != kCaptionMaximize && nPressed != kCaptionMinimize && nPressed != kCaptionHelp)
        return;
    const UINT nHot = m_nHotSysButton;
    ReleaseCaptionButtons();
    if (nPressed != nHot)
        return;   // released off the button: nothing
    UINT nCommand = SC_CONTEXTHELP;
    const DWORD dwStyle = m_pOwner->GetStyle();
    switch (nPressed) {
    case kCaptionClose:
        nCommand = SC_CLOSE;
        break;
    case kCaptionMaximize:
        nCommand = (dwStyle & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
        break;
    case kCaptionMinimize:
        nCommand = m_pOwner->IsIconic() ? SC_RESTORE : SC_MINIMIZE;
        break;
    default:
        break;
    }
    m_pOwner->PostMessage(WM_SYSCOMMAND, nCommand);
}

void CZUDPDlgImpl::ReleaseCaptionButtons()
{
    if (m_nHitSysButton != 0) {
        CZUDPFrameCaptionButton* pButton = FindCaptionButton(m_nHitSysButton);
        m_nHitSysButton = 0;
        ::ReleaseCapture();
        if (pButton != nullptr) {
            pButton->m_bPushed = FALSE;
            RepaintCaptionButton(pButton);
        }
    }
    if (m_nHotSysButton != 0) {
        CZUDPFrameCaptionButton* pButton = FindCaptionButton(m_nHotSysButton);
        m_nHotSysButton = 0;
        ::ReleaseCapture();
        if (pButton != nullptr) {
            pButton->m_bFocused = FALSE;
            RepaintCaptionButton(pButton);
        }
    }
}

void CZUDPDlgImpl::RepaintCaptionButton(CZUDPFrameCaptionButton* pButton)
{
    if (!HasOwnerWindow())
        return;
    m_rectRedraw = pButton != nullptr ? pButton->GetRect() : CRect();
    m_pOwner->SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
    m_pOwner->UpdateWindow();
}

BOOL CZUDPDlgImpl::OnNcPaint()
{
    if (g_uiEnvironment.m_inSettingsRefresh || !PaintsOwnCaption())
        return FALSE;
    // The manager paints the non-client area with its caption buttons,
    // only the redraw rectangle when one is set (its top-left is passed).
    return CZUDPVisualManager::GetActiveManager()->GetCaptionButtonAt(m_pOwner, m_rectRedraw.TopLeft()) != nullptr;
}

void CZUDPDlgImpl::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    if (lpwndpos == nullptr || m_bWindowPosChanging)
        return;
    if ((lpwndpos->flags & SWP_NOSIZE) && (lpwndpos->flags & SWP_FRAMECHANGED) == 0)
        return;
    if (!PaintsOwnCaption())
        return;
    m_bWindowPosChanging = TRUE;
    m_bHasRegion = CZUDPVisualManager::GetActiveManager()->UpdateFrameWindowRegion(m_pOwner, lpwndpos->cx, lpwndpos->cy);
    m_bWindowPosChanging = FALSE;
}
