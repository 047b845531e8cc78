// The floating frame's non-client area: border, caption, caption buttons
// and their tooltips, the hit test, sizing, roll-up and activation.
#include "ui/docking/ZUDPMiniFrameWnd.h"

#include "framework/win/Controls.h"
#include "framework/win/FrameworkSeams.h"
#include "res/ui/commandbars.h"
#include "res/ui/docking.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPTabbedToolbar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>

namespace {

// Customization mode locks every floating frame but a toolbar's.
BOOL MiniFrameLockedByCustomization(const CWnd* pHostedBar)
{
    return g_customizeMode && (pHostedBar == nullptr || !pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)));
}

} // namespace

void CZUDPMiniFrameWnd::RecalcCaptionMetrics()
{
    CSize sizeExtra(0, 0);
    if (CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager())
        sizeExtra = pManager->GetCaptionButtonExtraSize();
    m_nCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION) + sizeExtra.cy;
    m_nMinTrackWidth = m_nMinTrackHeight = m_nCaptionHeight + 15;
}

void CZUDPMiniFrameWnd::GetBorderMargins(CRect& rect) const
{
    const BOOL bToolbar = m_pHostedBar != nullptr ? m_pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)) : m_bHostsToolbar;
    const int n = bToolbar ? 3 : 4;
    rect.SetRect(n, n, n, n);
}

void CZUDPMiniFrameWnd::GetCaptionRect(CRect& rect) const
{
    CRect margins;
    GetBorderMargins(margins);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rect.SetRect(margins.left, margins.top, rectWindow.Width() - margins.right, margins.top + m_nCaptionHeight);
}

void CZUDPMiniFrameWnd::GetCaptionText(CString& strText) const
{
    strText.Empty();
    if (m_pHostedBar != nullptr && m_pHostedBar->GetSafeHwnd() != nullptr)
        m_pHostedBar->GetWindowText(strText);
}

void CZUDPMiniFrameWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    CRect margins;
    GetBorderMargins(margins);
    RECT& rect = lpncsp->rgrc[0];
    rect.left += margins.left;
    rect.right -= margins.right;
    rect.bottom -= margins.bottom;
    rect.top += margins.top + m_nCaptionHeight;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    if (rect.right < rect.left)
        rect.right = rect.left;
    Default();
}

// ---------------------------------------------------------------------------
// Caption buttons

CZUDPCaptionButton* CZUDPMiniFrameWnd::FindCaptionButton(UINT nHit) const
{
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (pButton->GetHitCode() == nHit)
            return pButton;
    }
    return nullptr;
}

CZUDPCaptionButton* CZUDPMiniFrameWnd::AddCaptionButtonForHit(UINT nHit)
{
    if (CZUDPCaptionButton* pButton = FindCaptionButton(nHit))
        return pButton;
    CZUDPCaptionButton* pButton = nullptr;
    if (nHit == ZUDP_HIT_OPTIONS) {
        auto* pMenuButton = new CZUDPCaptionMenuButton(nHit);
        pMenuButton->m_bOSMenu = FALSE;
        pButton = pMenuButton;
    } else {
        pButton = new CZUDPCaptionButton(nHit);
    }
    pButton->m_bHidden = FALSE;
    m_lstCaptionButtons.AddHead(pButton);
    return pButton;
}

void CZUDPMiniFrameWnd::RemoveAllCaptionButtons()
{
    while (!m_lstCaptionButtons.IsEmpty())
        delete static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.RemoveHead());
    m_dwCaptionButtons = 0;
    m_nHotHit = m_nPressedHit = 0;
}

int CZUDPMiniFrameWnd::GetCaptionButtonsWidth() const
{
    int nWidth = 0;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;)
        nWidth += static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetNext(pos))->GetRect().Width();
    return nWidth;
}

void CZUDPMiniFrameWnd::SetCaptionButtons(DWORD dwButtons)
{
    RemoveAllCaptionButtons();
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    if ((dwButtons & ZUDP_CAPTION_BTN_CLOSE) && pBar != nullptr && pBar->CanClose())
        AddCaptionButtonForHit(ZUDP_HIT_CLOSE);
    if (dwButtons & ZUDP_CAPTION_BTN_PIN)
        AddCaptionButtonForHit(ZUDP_HIT_PIN);
    if (dwButtons & ZUDP_CAPTION_BTN_MENU)
        AddCaptionButtonForHit(ZUDP_HIT_MENU);
    if (dwButtons & ZUDP_CAPTION_BTN_OPTIONS)
        AddCaptionButtonForHit(ZUDP_HIT_OPTIONS);
    m_dwCaptionButtons = dwButtons;
    if (m_hWnd == nullptr)
        return;
    SyncCaptionTooltips();
    ArrangeCaptionButtons();
    SendMessage(WM_NCPAINT);
}

void CZUDPMiniFrameWnd::ArrangeCaptionButtons()
{
    if (m_hWnd == nullptr)
        return;
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    const CSize size = CZUDPCaptionButton::GetSize();
    const int y = rectCaption.top + (rectCaption.Height() - size.cy) / 2;
    int xLeft = rectCaption.left;
    int xRight = rectCaption.right;
    // The button added first is placed first.
    for (POSITION pos = m_lstCaptionButtons.GetTailPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetPrev(pos));
        if (pButton->m_bHidden)
            continue;
        if (pButton->m_bLeftAlign) {
            pButton->m_ptOrigin = CPoint(xLeft, y);
            xLeft += size.cx + g_captionButtonSpacing;
        } else {
            xRight = std::max<int>(xRight - size.cx, rectCaption.left);
            pButton->m_ptOrigin = CPoint(xRight, y);
            xRight -= g_captionButtonSpacing;
        }
    }
    UpdateCaptionTooltipRects();
}

CZUDPCaptionButton* CZUDPMiniFrameWnd::CaptionButtonFromPoint(CPoint pt) const
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        pt.x = rectWindow.left + rectWindow.right - pt.x;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        CRect rect = pButton->GetRect();
        rect.OffsetRect(rectWindow.TopLeft());
        if (rect.PtInRect(pt))
            return pButton;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Tooltips

void CZUDPMiniFrameWnd::SyncCaptionTooltips()
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    const int nButtons = (int)m_lstCaptionButtons.GetCount();
    const int nTools = m_pToolTip->GetToolCount();
    if (nTools == nButtons)
        return;
    for (int i = 1; i <= nTools; ++i)
        m_pToolTip->DelTool(this, (UINT_PTR)i);
    for (int i = 1; i <= nButtons; ++i)
        m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACKA, CRect(0, 0, 0, 0), (UINT_PTR)i);
}

void CZUDPMiniFrameWnd::UpdateCaptionTooltipRects()
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CPoint ptOrigin = rectWindow.TopLeft();
    ScreenToClient(&ptOrigin);
    int i = 1;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr; ++i) {
        auto* pButton = static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        CRect rect = pButton->m_bHidden ? CRect() : pButton->GetRect();
        if (!rect.IsRectEmpty())
            rect.OffsetRect(ptOrigin);
        m_pToolTip->SetToolRect(this, (UINT_PTR)i, &rect);
    }
}

BOOL CZUDPMiniFrameWnd::OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    (void)id;
    *pResult = 0;
    if (m_pToolTip == nullptr || pNMH->hwndFrom != m_pToolTip->GetSafeHwnd() || g_activePopupMenu != nullptr)
        return FALSE;
    const INT_PTR nIndex = (INT_PTR)pNMH->idFrom;
    if (nIndex < 1 || nIndex > m_lstCaptionButtons.GetCount())
        return FALSE;
    POSITION pos = m_lstCaptionButtons.FindIndex(nIndex - 1);
    auto* pButton = static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetAt(pos));
    static CString s_strTip;
    if (!pButton->GetCustomToolTip(s_strTip)) {
        UINT nID = 0;
        switch (pButton->GetHitCode()) {
        case ZUDP_HIT_MENU:
        case ZUDP_HIT_PIN:
            nID = IDS_ZUDP_MINIFRAME_AUTOHIDE;
            break;
        case ZUDP_HIT_CLOSE:
            nID = IDS_ZUDP_MINIFRAME_CLOSE;
            break;
        case ZUDP_HIT_OPTIONS:
            nID = IDS_ZUDP_TOOLBAR_OPTIONS;
            break;
        default:
            return FALSE;
        }
        s_strTip.LoadString(nID);
    }
    reinterpret_cast<NMTTDISPINFOA*>(pNMH)->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(s_strTip));
    return TRUE;
}

LRESULT CZUDPMiniFrameWnd::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if ((wParam & TIPKIND_MINIFRAME) == 0)
        return 0;
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_MINIFRAME);
    SyncCaptionTooltips();
    UpdateCaptionTooltipRects();
    return 0;
}

BOOL CZUDPMiniFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->RelayEvent(pMsg);
        break;
    default:
        break;
    }
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Hit test

UINT CZUDPMiniFrameWnd::HitTestNonClient(CPoint pt, BOOL bCaptionIsCaption) const
{
    if (MiniFrameLockedByCustomization(m_pHostedBar))
        return HTNOWHERE;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (!rectWindow.PtInRect(pt))
        return HTNOWHERE;
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    if (rectClient.PtInRect(pt))
        return HTCLIENT;
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    rectCaption.OffsetRect(rectWindow.TopLeft());
    if (rectCaption.PtInRect(pt)) {
        if (bCaptionIsCaption)
            return HTCAPTION;
        if (CZUDPCaptionButton* pButton = CaptionButtonFromPoint(pt))
            return pButton->GetHitCode();
        return HTCLIENT;
    }
    CRect m;
    GetBorderMargins(m);
    const CRect& w = rectWindow;
    if (m_pHostedBar != nullptr ? m_pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)) : m_bHostsToolbar) {
        // A toolbar's frame is sized by its edges only.
        if (CRect(w.left, w.top, w.right, w.top + m.top).PtInRect(pt))
            return HTTOP;
        if (CRect(w.left, w.top, w.left + m.left, w.bottom).PtInRect(pt))
            return HTLEFT;
        if (CRect(w.left, w.bottom - m.bottom, w.right, w.bottom).PtInRect(pt))
            return HTBOTTOM;
        if (CRect(w.right - m.right, w.top, w.right, w.bottom).PtInRect(pt))
            return HTRIGHT;
    } else {
        const int cx = ::GetSystemMetrics(SM_CXCURSOR) / 2;
        const int cy = ::GetSystemMetrics(SM_CYCURSOR) / 2;
        const struct {
            CRect zone;
            UINT hit;
        } zones[] = {
            {CRect(w.left, w.top, w.left + cx, w.top + cy), HTTOPLEFT},
            {CRect(w.left + cx, w.top, w.right - cx, w.top + m.top), HTTOP},
            {CRect(w.right - cx, w.top, w.right, w.top + cy), HTTOPRIGHT},
            {CRect(w.right - m.right, w.top + cy, w.right, w.bottom - cy), HTRIGHT},
            {CRect(w.right - cx, w.bottom - cy, w.right, w.bottom), HTBOTTOMRIGHT},
            {CRect(w.left + cx, w.bottom - m.bottom, w.right - cx, w.bottom), HTBOTTOM},
            {CRect(w.left, w.bottom - cy, w.left + cx, w.bottom), HTBOTTOMLEFT},
            {CRect(w.left, w.top + cy, w.left + m.left, w.bottom - cy), HTLEFT},
        };
        for (const auto& zone : zones) {
            if (zone.zone.PtInRect(pt))
                return zone.hit;
        }
    }
    return (UINT)const_cast<CZUDPMiniFrameWnd*>(this)->DefWindowProc(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
}

LRESULT CZUDPMiniFrameWnd::OnNcHitTest(CPoint point) { return (LRESULT)HitTestNonClient(point, FALSE); }

BOOL CZUDPMiniFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    LPCSTR idc = nullptr;
    switch (nHitTest) {
    case HTLEFT:
    case HTRIGHT:
        idc = IDC_SIZEWE;
        break;
    case HTTOP:
    case HTBOTTOM:
        idc = IDC_SIZENS;
        break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        idc = IDC_SIZENWSE;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        idc = IDC_SIZENESW;
        break;
    default:
        break;
    }
    if (idc == nullptr) {
        (void)pWnd;
        (void)message;
        return (BOOL)Default();
    }
    ::SetCursor(::LoadCursorA(nullptr, idc));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPMiniFrameWnd::DrawBorder(CDC* pDC)
{
    CZUDPDockManager* pManager = GetDockManager();
    if (pDC == nullptr || pManager == nullptr || pManager->IsLayoutUpdateLocked())
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CRect rect(0, 0, rectWindow.Width(), rectWindow.Height());
    CRect margins;
    GetBorderMargins(margins);
    CZUDPVisualManager* pVisual = CZUDPVisualManager::GetActiveManager();
    if (pVisual == nullptr)
        return;
    if (m_pHostedBar != nullptr && m_pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar))) {
        pDC->FillRect(&rect, &g_uiEnvironment.m_brushBarFace);
        pVisual->DrawToolbarMiniFrameBorder(pDC, this, rect, margins);
    } else {
        pVisual->DrawMiniFrameBorder(pDC, this, rect, margins);
    }
}

void CZUDPMiniFrameWnd::DrawCaptionButtons(CDC* pDC)
{
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (g_customizeMode)
            pButton->m_bEnabled = TRUE;
        // The pin of a pinned frame shows the pinned glyph.
        const BOOL bState = !(pButton->GetHitCode() == ZUDP_HIT_PIN && m_nPinState != 0);
        pButton->Draw(pDC, TRUE, TRUE, bState, FALSE);
        pButton->m_clrForeground = (COLORREF)-1;
    }
}

void CZUDPMiniFrameWnd::PaintNonClient(CDC* pDC)
{
    CZUDPVisualManager* pVisual = CZUDPVisualManager::GetActiveManager();
    if (pDC == nullptr || pVisual == nullptr)
        return;
    DrawBorder(pDC);
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    const COLORREF clrText = pVisual->FillMiniFrameCaption(pDC, rectCaption, this, m_bActive);

    CRect rectText = rectCaption;
    int nRightEdge = rectCaption.right;
    int nLeftEdge = rectCaption.left;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CZUDPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (pButton->m_bHidden)
            continue;
        pButton->m_clrForeground = clrText;
        const CRect rect = pButton->GetRect();
        if (pButton->m_bLeftAlign)
            nLeftEdge = std::max<int>(nLeftEdge, rect.right + 2);
        else
            nRightEdge = std::min<int>(nRightEdge, rect.left);
    }
    rectText.left = nLeftEdge + 2;
    rectText.right = nRightEdge - 2;

    CString strText;
    GetCaptionText(strText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    CFont* pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontSmall);
    if (!strText.IsEmpty() && rectText.right > rectText.left)
        pDC->DrawText(strText, &rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    DrawCaptionButtons(pDC);
}

void CZUDPMiniFrameWnd::OnNcPaint()
{
    CZUDPDockManager* pManager = GetDockManager();
    if (pManager == nullptr || pManager->IsLayoutUpdateLocked())
        return;
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CRect rectAll(0, 0, rectWindow.Width(), rectWindow.Height());
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    if (!m_rectCaptionClip.IsRectEmpty()) {
        CRgn rgn;
        rgn.CreateRectRgnIndirect(&m_rectCaptionClip);
        dc.SelectClipRgn(&rgn);
    }

    CDC dcMem;
    CBitmap bitmap;
    if (dcMem.CreateCompatibleDC(&dc) && bitmap.CreateCompatibleBitmap(&dc, rectAll.Width(), rectAll.Height())) {
        CBitmap* pOld = dcMem.SelectObject(&bitmap);
        PaintNonClient(&dcMem);
        CRect rectClip;
        const int nKind = dc.GetClipBox(&rectClip);
        if (nKind == SIMPLEREGION)
            dc.BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                      rectClip.top, SRCCOPY);
        else if (nKind != NULLREGION)
            dc.BitBlt(0, 0, rectAll.Width(), rectAll.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    } else {
        PaintNonClient(&dc);
    }
    dc.SelectClipRgn((HRGN)nullptr);
}

void CZUDPMiniFrameWnd::RedrawCaptionButton(CZUDPCaptionButton* pButton)
{
    if (pButton == nullptr || m_hWnd == nullptr)
        return;
    m_rectCaptionClip = pButton->GetRect();
    SendMessage(WM_NCPAINT);
    m_rectCaptionClip.SetRectEmpty();
    UpdateWindow();
}

// ---------------------------------------------------------------------------
// Caption button mouse handling

void CZUDPMiniFrameWnd::TrackCaptionButtonHover(CPoint ptScreen)
{
    if (g_activePopupMenu != nullptr)
        return;
    CZUDPCaptionButton* pHot = CaptionButtonFromPoint(ptScreen);
    if (pHot != nullptr && !pHot->m_bEnabled)
        pHot = nullptr;
    const int nNewHot = pHot != nullptr ? (int)pHot->GetHitCode() : 0;
    if (nNewHot == m_nHotHit)
        return;
    CZUDPCaptionButton* pOld = m_nHotHit != 0 ? FindCaptionButton((UINT)m_nHotHit) : nullptr;
    const int nOldHot = m_nHotHit;
    m_nHotHit = nNewHot;
    if (pHot != nullptr) {
        pHot->m_bFocused = TRUE;
        RedrawCaptionButton(pHot);
    }
    if (pOld != nullptr) {
        pOld->m_bFocused = FALSE;
        RedrawCaptionButton(pOld);
    }
    if (m_nPressedHit == 0) {
        if (nOldHot == 0 && nNewHot != 0)
            SetCapture();
        else if (nNewHot == 0 && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

void CZUDPMiniFrameWnd::ResetCaptionButtonStates()
{
    if (m_nPressedHit != 0) {
        CZUDPCaptionButton* pButton = FindCaptionButton((UINT)m_nPressedHit);
        m_nPressedHit = 0;
        if (::GetCapture() == m_hWnd && !m_bMovingWithMouse)
            ::ReleaseCapture();
        if (pButton != nullptr) {
            pButton->m_bPushed = FALSE;
            RedrawCaptionButton(pButton);
        }
    }
    if (m_nHotHit != 0) {
        CZUDPCaptionButton* pButton = FindCaptionButton((UINT)m_nHotHit);
        m_nHotHit = 0;
        if (::GetCapture() == m_hWnd && !m_bMovingWithMouse)
            ::ReleaseCapture();
        if (pButton != nullptr) {
            pButton->m_bFocused = FALSE;
            RedrawCaptionButton(pButton);
        }
    }
}

void CZUDPMiniFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    (void)nHitTest;
    if (!m_bSkipNextMouseMove && !m_bMovingWithMouse)
        TrackCaptionButtonHover(point);
    Default();
}

int CZUDPMiniFrameWnd::ShowCustomizeMenu(int nHit)
{
    if (g_customizeMode || nHit != ZUDP_HIT_OPTIONS)
        return nHit;
    auto* pButton = DYNAMIC_DOWNCAST(CZUDPCaptionMenuButton, FindCaptionButton(ZUDP_HIT_OPTIONS));
    CZUDPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZUDPToolBar, m_pHostedBar);
    if (pButton == nullptr || pToolBar == nullptr || pToolBar->GetOverflowButton() == nullptr)
        return nHit;
    pButton->m_bPushed = TRUE;

    CString strName;
    pToolBar->GetWindowText(strName);
    strName.Remove('&');
    strName.Trim();
    if (strName.IsEmpty())
        strName.LoadString(IDS_ZUDP_UNTITLED_TOOLBAR);
    CString strAddRemove;
    strAddRemove.LoadString(IDS_ZUDP_ADD_REMOVE_BUTTONS);
    CCustomizeButton* pOverflow = pToolBar->GetOverflowButton();

    // "Add or Remove Buttons" > (the toolbar > placeholder, the customize
    // command).
    HMENU hToolbarMenu = ::CreatePopupMenu();
    ::AppendMenuA(hToolbarMenu, MF_STRING, 1, "DUMMY");
    HMENU hAddRemove = ::CreatePopupMenu();
    ::AppendMenuA(hAddRemove, MF_POPUP | MF_STRING, (UINT_PTR)hToolbarMenu, strName);
    if (pOverflow->customizeCommandId > 0)
        ::AppendMenuA(hAddRemove, MF_STRING, (UINT_PTR)pOverflow->customizeCommandId, pOverflow->customizeLabel);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hAddRemove, strAddRemove);

    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CPoint pt(rectWindow.left + pButton->m_ptOrigin.x - 2, rectWindow.top + pButton->m_ptOrigin.y - 9);
    auto* pPopup = new CZUDPPopupMenu;
    pPopup->m_iCustomizeMenuKind = 1;
    pPopup->SuspendPersonalization();
    if (!pPopup->CreatePopup(this, pt.x, pt.y, hMenu, FALSE, TRUE)) {
        // The popup deleted itself.
        pButton->m_bPushed = FALSE;
    }
    ::DestroyMenu(hMenu);
    return nHit;
}

// ---------------------------------------------------------------------------
// Sizing

void CZUDPMiniFrameWnd::CalcMinTrackSize(CSize sizeMin, MINMAXINFO* lpMMI) const
{
    CRect m;
    GetBorderMargins(m);
    lpMMI->ptMinTrackSize.x = std::max<LONG>(std::max(sizeMin.cx, (LONG)GetCaptionButtonsWidth()) + m.left + m.right,
                                             m_nMinTrackWidth);
    lpMMI->ptMinTrackSize.y = std::max<LONG>(m_nCaptionHeight + sizeMin.cy + m.top + m.bottom, m_nMinTrackHeight);
}

void CZUDPMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, m_pHostedBar)) {
        CSize sizeMin;
        pBar->GetMinSize(sizeMin);
        CalcMinTrackSize(sizeMin, lpMMI);
    }
    Default();
}

void CZUDPMiniFrameWnd::OnSizing(UINT nSide, LPRECT lpRect)
{
    Default();
    if (m_bRolledUp)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (m_pHostedBar != nullptr && m_pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPTabbedToolbar))) {
        *lpRect = rectWindow;
        return;
    }
    const BOOL bHorzDrag = nSide == WMSZ_LEFT || nSide == WMSZ_RIGHT;
    CRect rectNew(lpRect);
    if (bHorzDrag ? rectNew.Width() == rectWindow.Width() : rectNew.Height() == rectWindow.Height())
        return;
    CZUDPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZUDPToolBar, m_pHostedBar);
    if (pToolBar == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const CSize sizeNC(rectWindow.Width() - rectClient.Width(), rectWindow.Height() - rectClient.Height());
    const CSize sizeOld = pToolBar->CalcSize(FALSE);
    const CSize sizeNew = bHorzDrag ? pToolBar->CalcFixedSize(rectNew.Width() - sizeNC.cx, FALSE)
                                    : pToolBar->CalcFixedSize(rectNew.Height() - sizeNC.cy, TRUE);
    const int dx = sizeNew.cx - sizeOld.cx;
    const int dy = sizeNew.cy - sizeOld.cy;
    const int nOldWidth = rectWindow.Width(), nOldHeight = rectWindow.Height();
    if (dx == 0) {
        if (dy == 0) {
            // No layout of the toolbar fits better: the frame stays.
            *lpRect = rectWindow;
            return;
        }
        if (nSide == WMSZ_RIGHT || nSide == WMSZ_TOPRIGHT || nSide == WMSZ_BOTTOMRIGHT)
            rectNew.right = rectNew.left + nOldWidth;
        else
            rectNew.left = rectNew.right - nOldWidth;
    } else if (nSide == WMSZ_RIGHT) {
        rectNew.right = rectNew.left + nOldWidth + dx;
    } else {
        rectNew.left = rectNew.right - nOldWidth - dx;
    }
    if (dy == 0) {
        if (nSide == WMSZ_BOTTOM)
            rectNew.bottom = rectNew.top + nOldHeight;
        else
            rectNew.top = rectNew.bottom - nOldHeight;
    } else if (nSide == WMSZ_LEFT || nSide == WMSZ_RIGHT || nSide == WMSZ_BOTTOM) {
        rectNew.bottom = rectNew.top + nOldHeight + dy;
    } else {
        rectNew.top = rectNew.bottom - nOldHeight - dy;
    }
    *lpRect = rectNew;
    pToolBar->RefreshPlacement();
    BOOL bFullDrag = TRUE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    if (!bFullDrag)
        SetWindowPos(nullptr, rectNew.left, rectNew.top, rectNew.Width(), rectNew.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZUDPMiniFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType == SIZE_MINIMIZED)
        return;
    if (CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar))
        pBar->RefreshPlacement();
    RepositionHostedBar();
    ArrangeCaptionButtons();
    SendMessage(WM_NCPAINT);
}

void CZUDPMiniFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    lpwndpos->flags |= SWP_NOACTIVATE;
    if (!(lpwndpos->flags & SWP_NOMOVE)) {
        CRect rect(lpwndpos->x, lpwndpos->y, lpwndpos->x + lpwndpos->cx, lpwndpos->y + lpwndpos->cy);
        if (lpwndpos->flags & SWP_NOSIZE) {
            CRect rectWindow;
            GetWindowRect(&rectWindow);
            rect.right = rect.left + rectWindow.Width();
            rect.bottom = rect.top + rectWindow.Height();
        }
        // The caption stays on a work area.
        const CRect margins(m_nCaptionHeight, m_nCaptionHeight, m_nCaptionHeight, m_nCaptionHeight);
        g_globalUtils.FitRectToWorkArea(rect, &margins);
        lpwndpos->x = rect.left;
        lpwndpos->y = rect.top;
    }
    Default();
}

void CZUDPMiniFrameWnd::OnSettingChange(UINT, LPCTSTR)
{
    Default();
    RecalcCaptionMetrics();
    if (m_hWnd != nullptr) {
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ArrangeCaptionButtons();
    }
}

BOOL CZUDPMiniFrameWnd::OnEraseBkgnd(CDC*) { return TRUE; }

// ---------------------------------------------------------------------------
// Roll-up

BOOL CZUDPMiniFrameWnd::IsCursorOverFrame() const
{
    CPoint pt;
    g_frameworkSeams.cursorPos(&pt);
    CRect rect;
    GetWindowRect(&rect);
    return rect.PtInRect(pt) && ::WindowFromPoint(pt) == m_hWnd;
}

BOOL CZUDPMiniFrameWnd::ShouldRollUp() const
{
    CPoint pt;
    g_frameworkSeams.cursorPos(&pt);
    CRect rect;
    GetWindowRect(&rect);
    return !rect.PtInRect(pt) && m_nPinState == 0;
}

void CZUDPMiniFrameWnd::StartRollUpIfWanted()
{
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    if (pBar != nullptr && (pBar->GetControlBarStyle() & ZUDP_CBRS_AUTO_ROLLUP))
        StartRollUpTimer();
}

void CZUDPMiniFrameWnd::StopRollUpIfUnwanted()
{
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, m_pHostedBar);
    if (pBar == nullptr || !(pBar->GetControlBarStyle() & ZUDP_CBRS_AUTO_ROLLUP))
        StopRollUpTimer();
}

void CZUDPMiniFrameWnd::StartRollUpTimer()
{
    if (m_nRollUpTimer != 0 || m_hWnd == nullptr)
        return;
    m_nRollUpTimer = g_frameworkSeams.setTimer(m_hWnd, ZUDP_MINIFRAME_ROLLUP_TIMER, g_rollUpDelay, nullptr);
    if (m_nRollUpTimer == 0)
        m_nRollUpTimer = ZUDP_MINIFRAME_ROLLUP_TIMER;
    SetCaptionButtons(m_dwCaptionButtons | ZUDP_CAPTION_BTN_PIN);
}

void CZUDPMiniFrameWnd::StopRollUpTimer()
{
    if (m_nRollUpTimer == 0)
        return;
    if (m_hWnd != nullptr)
        g_frameworkSeams.killTimer(m_hWnd, ZUDP_MINIFRAME_ROLLUP_TIMER);
    m_nRollUpTimer = 0;
    SetCaptionButtons(m_dwCaptionButtons & ~(DWORD)ZUDP_CAPTION_BTN_PIN);
}

void CZUDPMiniFrameWnd::UpdateRollUp()
{
    CZUDPDockManager* pManager = GetDockManager();
    if (pManager != nullptr && pManager->IsLayoutUpdateLocked())
        return;
    const BOOL bOver = IsCursorOverFrame();
    const BOOL bRoll = ShouldRollUp();
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (m_bRolledUp) {
        if (bOver) {
            SetWindowPos(nullptr, 0, 0, rectWindow.Width(), m_nHeightBeforeRollUp,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            m_bRolledUp = FALSE;
        }
        return;
    }
    if (bRoll) {
        CRect rectClient;
        GetClientRect(&rectClient);
        m_nHeightBeforeRollUp = rectWindow.Height();
        SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height() - rectClient.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_bRolledUp = TRUE;
    }
}

// ---------------------------------------------------------------------------
// Activation and focus

BOOL CZUDPMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    (void)bActive;
    if (GetStyle() & MFS_SYNCACTIVE)
        return (m_nFlags & WF_STAYACTIVE) ? FALSE : TRUE;
    const BOOL bNowActive = ::GetFocus() == m_hWnd;
    if (bNowActive != m_bActive) {
        m_bActive = bNowActive;
        if (GetDockManager() != nullptr)
            SendMessage(WM_NCPAINT);
    }
    return TRUE;
}

LRESULT CZUDPMiniFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    const HWND hWndFocus = ::GetFocus();
    const BOOL bActive = hWndFocus != nullptr && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    if (bActive != m_bActive) {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
    return 0;
}

LRESULT CZUDPMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                         SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) {
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE);
}

void CZUDPMiniFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    Default();
    m_hWndFocusReturn = nullptr;
    if (m_pHostedBar != nullptr && m_pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)))
        m_hWndFocusReturn = AfxSafeHwnd(pOldWnd);
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, GetSingleVisibleBar());
    if (pBar != nullptr && pBar->CanTakeFocus())
        pBar->SetFocus();
    if (CWnd* pParent = GetParent())
        pParent->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CZUDPMiniFrameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    if (m_hWndFocusReturn != nullptr && ::IsWindow(m_hWndFocusReturn))
        ::SetFocus(m_hWndFocusReturn);
    m_hWndFocusReturn = nullptr;
    return 0;
}

int CZUDPMiniFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    if (m_pHostedBar != nullptr && m_pHostedBar->IsKindOf(RUNTIME_CLASS(CZUDPToolBar))) {
        CPoint pt;
        g_frameworkSeams.cursorPos(&pt);
        if (HitTestNonClient(pt, TRUE) != HTCLIENT) {
            SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
            return MA_NOACTIVATE;
        }
    }
    return (int)Default();
}

void CZUDPMiniFrameWnd::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    if (g_customizeMode || m_bMovingWithMouse || g_activePopupMenu != nullptr)
        return;
    ResetCaptionButtonStates();
    CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, GetSingleVisibleBar());
    if (pBar == nullptr)
        return;
    if (pBar->ShowDockingMenu(point))
        return;
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectCaption.OffsetRect(rectWindow.TopLeft());
    if (rectCaption.PtInRect(point) && m_recordedOwner != nullptr)
        pBar->ShowContextMenu(this, point.x, point.y);
}
