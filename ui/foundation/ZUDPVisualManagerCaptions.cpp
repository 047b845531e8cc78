// The visual manager's drawing of pane captions and caption buttons, floating frames, auto-hide buttons, smart-docking
// colours, desktop application bars and the frame hooks.
#include "ui/foundation/ZUDPVisualManager.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/ribbon/ZUDPRibbonBar.h"

namespace {

// Colours of the floating frame's border while a drag shows a docking hint.
const COLORREF kDockHintRed = RGB(0x7F, 0, 0);
const COLORREF kDockHintBlue = RGB(0, 0, 0x7F);

void FillSolid(CDC* pDC, const CRect& rect, COLORREF clr)
{
    CBrush brush(clr);
    pDC->FillRect(&rect, &brush);
}

} // namespace

COLORREF CZUDPVisualManager::FillDockingBarCaption(CDC* pDC, CZUDPDockingControlBar* pBar, BOOL bActive,
                                                   CRect rectCaption, CRect rectButtons)
{
    (void)pBar;
    (void)rectButtons;
    if (pDC != nullptr)
        FillSolid(pDC, rectCaption,
                  bActive ? g_uiEnvironment.m_colorActiveCaption : g_uiEnvironment.m_colorInactiveCaption);
    return bActive ? g_uiEnvironment.m_colorCaptionText : g_uiEnvironment.m_colorInactiveCaptionText;
}

void CZUDPVisualManager::DrawCaptionButton(CDC* pDC, CZUDPCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                           BOOL bMaximized, BOOL bDisabled, int nImageID)
{
    if (pDC == nullptr || pButton == nullptr)
        return;
    CRect rect = pButton->GetRect();
    if (nImageID == -1)
        nImageID = pButton->GetMenuImageId(bHorz, bMaximized);
    const BOOL bPushedIn = pButton->m_bPushed && (pButton->m_bFocused || pButton->m_bDroppedDown);
    CRect rectImage = rect;
    if (bPushedIn)
        rectImage.OffsetRect(1, 1);

    int nColor = MenuGlyphColorBlack;
    if (bDisabled) {
        nColor = MenuGlyphColorGray;
    } else if (pButton->m_clrForeground == (COLORREF)-1) {
        nColor = bActive ? MenuGlyphColorWhite : MenuGlyphColorBlack;
    } else {
        // A light foreground colour (every channel above 192) shows the
        // white glyph, any other the black one.
        const COLORREF clr = pButton->m_clrForeground;
        nColor = (GetRValue(clr) > 192 && GetGValue(clr) > 192 && GetBValue(clr) > 192) ? MenuGlyphColorWhite
                                                                                       : MenuGlyphColorBlack;
    }
    if (nImageID >= 0)
        DrawMenuGlyphCentered(pDC, nImageID, rectImage, nColor);

    if (bDisabled)
        return;
    const COLORREF clrOldBk = pDC->GetBkColor();
    const BOOL bIdle = !pButton->m_bPushed && !pButton->m_bFocused && !pButton->m_bDroppedDown;
    CRect rectInner = rect;
    rectInner.DeflateRect(1, 1);
    if (bPushedIn) {
        pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarLight);
        pDC->Draw3dRect(&rectInner, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarHighlight);
    } else if (!IsLook2000()) {
        pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarLight, g_uiEnvironment.m_colorBarDarkShadow);
        pDC->Draw3dRect(&rectInner, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    } else if (!bIdle) {
        pDC->Draw3dRect(&rectInner, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    }
    pDC->SetBkColor(clrOldBk);
}

COLORREF CZUDPVisualManager::FillMiniFrameCaption(CDC* pDC, CRect rectCaption, CZUDPMiniFrameWnd* pFrameWnd,
                                                  BOOL bActive)
{
    // A floating toolbar's caption always looks active.
    if (pFrameWnd != nullptr && pFrameWnd->GetHostedBar() != nullptr &&
        pFrameWnd->GetHostedBar()->IsKindOf(RUNTIME_CLASS(CZUDPBaseToolBar)))
        bActive = TRUE;
    if (pDC != nullptr)
        FillSolid(pDC, rectCaption,
                  bActive ? g_uiEnvironment.m_colorActiveCaption : g_uiEnvironment.m_colorInactiveCaption);
    return bActive ? g_uiEnvironment.m_colorCaptionText : g_uiEnvironment.m_colorInactiveCaptionText;
}

void CZUDPVisualManager::DrawMiniFrameBorder(CDC* pDC, CZUDPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                                             CRect rectBorderSize)
{
    if (pDC == nullptr)
        return;
    const int nHint = pFrameWnd != nullptr ? pFrameWnd->GetDockingHintState() : 0;
    const COLORREF clrHint = nHint == 1 ? kDockHintRed : nHint == 2 ? kDockHintBlue : (COLORREF)-1;
    const COLORREF clrOldBk = pDC->GetBkColor();
    CRect rect = rectBorder;
    pDC->Draw3dRect(&rect, clrHint != (COLORREF)-1 ? clrHint : g_uiEnvironment.m_colorBarFace,
                    g_uiEnvironment.m_colorBarDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarHighlight,
                    clrHint != (COLORREF)-1 ? clrHint : g_uiEnvironment.m_colorBarShadow);
    // The rest of a border thicker than 2 pixels is bar face.
    rect.InflateRect(2 - rectBorderSize.right, 2 - rectBorderSize.top);
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarFace);
    rect.InflateRect(1, 1);
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarFace);
    pDC->SetBkColor(clrOldBk);
}

void CZUDPVisualManager::DrawToolbarMiniFrameBorder(CDC* pDC, CZUDPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                                                    CRect rectBorderSize)
{
    (void)pFrameWnd;
    (void)rectBorderSize;
    if (pDC == nullptr)
        return;
    const COLORREF clrOldBk = pDC->GetBkColor();
    CRect rect = rectBorder;
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarFace);
    pDC->SetBkColor(clrOldBk);
}

void CZUDPVisualManager::FillAutoHideButton(CDC* pDC, CRect rect, CZUDPAutoHideButton* pButton)
{
    (void)pButton;
    if (pDC != nullptr)
        pDC->FillRect(&rect, &g_uiEnvironment.m_brushBarFace);
}

void CZUDPVisualManager::DrawAutoHideButtonBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                                  CZUDPAutoHideButton* pButton)
{
    (void)pButton;
    if (pDC == nullptr)
        return;
    const COLORREF clr = g_uiEnvironment.m_colorBarShadow;
    const COLORREF clrOldBk = pDC->GetBkColor();
    if (rectBorderSize.left > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.top, rectBorderSize.left, rectBounds.Height(), clr);
    if (rectBorderSize.top > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.top, rectBounds.Width(), rectBorderSize.top, clr);
    if (rectBorderSize.right > 0)
        pDC->FillSolidRect(rectBounds.right - rectBorderSize.right, rectBounds.top, rectBorderSize.right,
                           rectBounds.Height(), clr);
    if (rectBorderSize.bottom > 0)
        pDC->FillSolidRect(rectBounds.left, rectBounds.bottom - rectBorderSize.bottom, rectBounds.Width(),
                           rectBorderSize.bottom, clr);
    pDC->SetBkColor(clrOldBk);
}

void CZUDPVisualManager::DrawAppBarFrame(CDC* pDC, CZUDPAppBarWnd* pAppBarWnd, CRect rectBorder, CRect rectBorderSize)
{
    (void)pAppBarWnd;
    if (pDC == nullptr)
        return;
    // Four strips of the given widths along the window's sides.
    auto patStrips = [pDC](const CRect& rect, const CRect& size, int nShorten) {
        const int W = rect.Width(), H = rect.Height();
        pDC->PatBlt(rect.left, rect.top + nShorten, size.left, H - 2 * nShorten, PATCOPY);
        pDC->PatBlt(rect.left + nShorten, rect.top, W - 2 * nShorten, size.top, PATCOPY);
        pDC->PatBlt(rect.right - size.right, rect.top + nShorten, size.right, H - 2 * nShorten, PATCOPY);
        pDC->PatBlt(rect.left + nShorten, rect.bottom - size.bottom, W - 2 * nShorten, size.bottom, PATCOPY);
    };
    CBrush* pOldBrush = pDC->SelectObject(&g_uiEnvironment.m_brushButtonFace);
    patStrips(rectBorder, rectBorderSize, 0);
    // The inner light strips: the window 2 pixels in, each border 2 pixels
    // narrower.
    CRect rectInner = rectBorder;
    rectInner.DeflateRect(2, 2);
    CRect sizeInner(rectBorderSize.left > 2 ? rectBorderSize.left - 2 : 0,
                    rectBorderSize.top > 2 ? rectBorderSize.top - 2 : 0,
                    rectBorderSize.right > 2 ? rectBorderSize.right - 2 : 0,
                    rectBorderSize.bottom > 2 ? rectBorderSize.bottom - 2 : 0);
    pDC->SelectObject(&g_uiEnvironment.m_brushLight);
    patStrips(rectInner, sizeInner, 1);
    pDC->SelectObject(pOldBrush);
}

void CZUDPVisualManager::DrawAppBarCaption(CDC* pDC, CZUDPAppBarWnd* pAppBarWnd, CRect rectCaption, CString strCaption)
{
    (void)pAppBarWnd;
    if (pDC == nullptr)
        return;
    pDC->FillRect(&rectCaption, &g_uiEnvironment.m_brushBarFace);
    CFont* pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontBold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(g_uiEnvironment.m_colorBarText);
    CRect rectText = rectCaption;
    rectText.DeflateRect(2, 0);
    pDC->DrawText(strCaption, &rectText, DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

BOOL CZUDPVisualManager::UpdateFrameWindowRegion(CWnd* pWnd, int cx, int cy)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || g_uiEnvironment.IsDwmCompositionEnabled())
        return FALSE;
    CZUDPRibbonBar* pRibbonBar = nullptr;
    if (CZUDPFrameWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pWnd))
        pRibbonBar = pFrame->GetRibbonBar();
    else if (CZUDPMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pWnd))
        pRibbonBar = pMDIFrame->GetRibbonBar();
    if (pRibbonBar == nullptr || pRibbonBar->m_hWnd == nullptr || !pRibbonBar->IsWindowVisible() ||
        !pRibbonBar->IsReplaceFrameCaption())
        return FALSE;
    // Rounded top corners: each corner square is cut away and a quarter of
    // a circle put back.
    CRgn rgn, rgnPart;
    rgn.CreateRectRgn(0, 0, cx, cy);
    rgnPart.CreateRectRgn(0, 0, 5, 5);
    rgn.CombineRgn(&rgn, &rgnPart, RGN_XOR);
    rgnPart.DeleteObject();
    rgnPart.CreateEllipticRgn(0, 0, 11, 11);
    rgn.CombineRgn(&rgn, &rgnPart, RGN_OR);
    rgnPart.DeleteObject();
    rgnPart.CreateRectRgn(cx - 5, 0, cx, 5);
    rgn.CombineRgn(&rgn, &rgnPart, RGN_XOR);
    rgnPart.DeleteObject();
    rgnPart.CreateEllipticRgn(cx - 10, 0, cx + 1, 11);
    rgn.CombineRgn(&rgn, &rgnPart, RGN_OR);
    // The window owns the region from here on.
    HRGN hRgn = (HRGN)rgn.Detach();
    if (pWnd->SetWindowRgn(hRgn, TRUE) == 0) {
        ::DeleteObject(hRgn);
        return FALSE;
    }
    return TRUE;
}
