// The visual manager's drawing of bar and pane backgrounds, bar borders, grippers, separators, the splitter between
// docked panes, and the backgrounds of dialogs and the MDI client area.
#include "ui/foundation/ZUDPVisualManager.h"

#include "framework/win/DC.h"
#include "framework/win/ReBar.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/ribbon/ZUDPOutlookBarPane.h"

namespace {

// A bar inside a dialog that is not in visual-manager style takes the
// button colours; every other bar the bar colours.
bool UsesButtonColors(const CZUDPBaseControlBar* pBar)
{
    return pBar != nullptr && pBar->IsInDialog() && !pBar->IsVisualManagerStyle();
}

bool IsOnGlass(const CZUDPBaseControlBar* pBar) { return pBar != nullptr && pBar->IsOnGlass(); }

COLORREF LightColor(const CZUDPBaseControlBar* pBar)
{
    return UsesButtonColors(pBar) ? g_uiEnvironment.m_colorButtonHighlight : g_uiEnvironment.m_colorBarHighlight;
}

COLORREF DarkColor(const CZUDPBaseControlBar* pBar)
{
    return UsesButtonColors(pBar) ? g_uiEnvironment.m_colorButtonShadow : g_uiEnvironment.m_colorBarShadow;
}

bool IsReBar(const CWnd* pWnd) { return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CReBar)); }

} // namespace

void CZUDPVisualManager::FillBarBackground(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                           BOOL bNCArea)
{
    (void)bNCArea;
    if (pDC == nullptr)
        return;
    if (IsOnGlass(pBar)) {
        // Black lets the glass show through.
        pDC->FillSolidRect(&rectClient, RGB(0, 0, 0));
        return;
    }
    if (pBar != nullptr) {
        CWnd* pParent = pBar->m_hWnd != nullptr ? CWnd::FromHandlePermanent(::GetParent(pBar->m_hWnd)) : nullptr;
        if (IsReBar(pBar) || IsReBar(pParent)) {
            FillThemedRebarBackground(pDC, pBar, rectClient);
            return;
        }
        if (CZUDPOutlookBarPane* pPane = DYNAMIC_DOWNCAST(CZUDPOutlookBarPane, pBar)) {
            pPane->DrawBackground(pDC, rectClient);
            return;
        }
        if (CZUDPCaptionBar* pCaptionBar = DYNAMIC_DOWNCAST(CZUDPCaptionBar, pBar)) {
            if (pCaptionBar->IsMessageBarMode())
                pDC->FillRect(&rectClip, &g_uiEnvironment.m_brushBarFace);
            else
                pDC->FillSolidRect(&rectClip, pCaptionBar->m_clrBarBackground != (COLORREF)-1
                                                  ? pCaptionBar->m_clrBarBackground
                                                  : g_uiEnvironment.m_colorBarShadow);
            return;
        }
        CZUDPPopupMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pBar);
        if (pMenuBar != nullptr && pMenuBar->m_bWindowBackground) {
            pDC->FillRect(&rectClip, &g_uiEnvironment.m_brushWindow);
            return;
        }
    }
    const CRect& rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
    pDC->FillRect(&rectFill, UsesButtonColors(pBar) ? &g_uiEnvironment.m_brushButtonFace : &g_uiEnvironment.m_brushBarFace);
}

BOOL CZUDPVisualManager::FillBackgroundFromParentBar(CWnd* pWnd, CDC* pDC, LPRECT rectClip)
{
    if (pWnd == nullptr || pDC == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(pWnd->m_hWnd));
    CZUDPBaseControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pParent);
    if (pBar == nullptr)
        return FALSE;
    // A dialog bar in the manager's look erases through the dialog background.
    if (CZUDPDialogBar* pDialogBar = DYNAMIC_DOWNCAST(CZUDPDialogBar, pBar)) {
        if (pDialogBar->m_bVisualManagerLook)
            return FALSE;
    }
    CRgn rgnClip;
    if (rectClip != nullptr) {
        rgnClip.CreateRectRgnIndirect(rectClip);
        pDC->SelectClipRgn(&rgnClip);
    }
    CPoint ptOrigin(0, 0);
    ::MapWindowPoints(pWnd->m_hWnd, pBar->m_hWnd, &ptOrigin, 1);
    CPoint ptOldOrigin = pDC->OffsetWindowOrg(ptOrigin.x, ptOrigin.y);
    CRect rectBar;
    pBar->GetClientRect(&rectBar);
    FillBarBackground(pDC, pBar, rectBar, rectBar, FALSE);
    pDC->SetWindowOrg(ptOldOrigin.x, ptOldOrigin.y);
    pDC->SelectClipRgn((HRGN) nullptr);
    return TRUE;
}

void CZUDPVisualManager::DrawBarBorder(CDC* pDC, CZUDPBaseControlBar* pBar, CRect& rect)
{
    if (pDC == nullptr || pBar == nullptr || pBar->IsFloating())
        return;
    const DWORD dwStyle = pBar->GetBarStyle();
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;
    COLORREF clrLight = LightColor(pBar);
    COLORREF clrDark = DarkColor(pBar);
    if (IsOnGlass(pBar))
        clrLight = clrDark = RGB(0, 0, 0);
    const COLORREF clrOldBk = pDC->GetBkColor();
    const int W = rect.Width(), H = rect.Height();
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, H - 1, clrLight);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, W - 1, 1, clrLight);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, H, clrDark);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, W - 1, 1, clrDark);
    if (!pBar->CanFloat()) {
        // An etched line along the top of a bar that stays docked.
        pDC->FillSolidRect(rect.left, rect.top, W, 1, clrDark);
        pDC->FillSolidRect(rect.left, rect.top + 1, W, 1, clrLight);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        ++rect.left;
    if (dwStyle & CBRS_BORDER_TOP)
        ++rect.top;
    if (dwStyle & CBRS_BORDER_RIGHT)
        --rect.right;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        --rect.bottom;
    pDC->SetBkColor(clrOldBk);
}

void CZUDPVisualManager::DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CZUDPBaseControlBar* pBar)
{
    if (pDC == nullptr)
        return;
    const BOOL bLook2000 = IsLook2000();
    const COLORREF clrLight = LightColor(pBar);
    const COLORREF clrDark = DarkColor(pBar);
    CRect rectLine;
    if (bHorz) {
        // Lines run down a gripper on the bar's left.
        rectGripper.DeflateRect(0, bLook2000 ? 3 : 2);
        const int left = (rectGripper.left + rectGripper.right) / 2 - (bLook2000 ? 1 : 2);
        rectLine.SetRect(left, rectGripper.top, left + 3, rectGripper.bottom);
    } else {
        // Lines run across a gripper on the bar's top.
        rectGripper.top += bLook2000 ? 0 : 1;
        rectGripper.DeflateRect(bLook2000 ? 3 : 2, 0);
        const int top = (rectGripper.top + rectGripper.bottom) / 2 - (bLook2000 ? 1 : 2);
        rectLine.SetRect(rectGripper.left, top, rectGripper.right, top + 3);
    }
    const COLORREF clrOldBk = pDC->GetBkColor();
    const int nLines = bLook2000 ? 1 : 2;
    for (int i = 0; i < nLines; ++i) {
        pDC->Draw3dRect(&rectLine, clrLight, clrDark);
        if (!bLook2000) {
            if (bHorz)
                pDC->SetPixel(rectLine.left, rectLine.bottom - 1, clrLight);
            else
                pDC->SetPixel(rectLine.right - 1, rectLine.top, clrLight);
        }
        if (bHorz)
            rectLine.OffsetRect(4, 0);
        else
            rectLine.OffsetRect(0, 4);
    }
    pDC->SetBkColor(clrOldBk);
}

void CZUDPVisualManager::DrawSeparator(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rect, BOOL bHorz)
{
    if (pDC == nullptr)
        return;
    CRect rectStrip = rect;
    if (bHorz) {
        rectStrip.left = rect.left + rect.Width() / 2 - 1;
        rectStrip.right = rectStrip.left + 2;
    } else {
        rectStrip.top = rect.top + rect.Height() / 2 - 1;
        rectStrip.bottom = rectStrip.top + 2;
    }
    const COLORREF clrDark = DarkColor(pBar);
    const COLORREF clrLight = LightColor(pBar);
    if (g_drawingOnGlass) {
        // One line of opaque pixels: the etched pair would show as two
        // lines on glass.
        CZUDPDrawManager dm(*pDC);
        const CPoint center = rect.CenterPoint();
        if (bHorz)
            dm.DrawPixelLine(CPoint(center.x, rect.top), CPoint(center.x, rect.bottom - 1), clrDark);
        else
            dm.DrawPixelLine(CPoint(rect.left, center.y), CPoint(rect.right - 1, center.y), clrDark);
        return;
    }
    const COLORREF clrOldBk = pDC->GetBkColor();
    pDC->Draw3dRect(&rectStrip, clrDark, clrLight);
    pDC->SetBkColor(clrOldBk);
}

void CZUDPVisualManager::DrawSlider(CDC* pDC, CZUDPSlider* pSlider, CRect rect, BOOL bEdge)
{
    if (pDC == nullptr)
        return;
    // The background lines up with the frame's: it is laid out from the
    // work area's left edge.
    CRect rectWork = g_uiEnvironment.m_workArea;
    if (pSlider != nullptr && pSlider->m_hWnd != nullptr)
        pSlider->ScreenToClient(&rectWork);
    CRect rectClient = rect;
    rectClient.left = rect.left < rectWork.left ? rect.left : rectWork.left;
    FillBarBackground(pDC, pSlider, rectClient, rect, FALSE);
    if (!bEdge || pSlider == nullptr)
        return;
    switch (pSlider->GetDockedSide()) {
    case CBRS_ALIGN_LEFT:
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), g_uiEnvironment.m_colorBarDarkShadow);
        break;
    case CBRS_ALIGN_RIGHT:
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), g_uiEnvironment.m_colorBarHighlight);
        break;
    case CBRS_ALIGN_TOP:
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, g_uiEnvironment.m_colorBarDarkShadow);
        break;
    case CBRS_ALIGN_BOTTOM:
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, g_uiEnvironment.m_colorBarHighlight);
        break;
    default:
        break;
    }
}

BOOL CZUDPVisualManager::FillDialogBackground(CDC* pDC, CWnd* pDlg, CRect rect)
{
    if (pDC == nullptr)
        return FALSE;
    pDC->FillRect(&rect, &GetDialogBackgroundBrush(pDlg));
    return TRUE;
}
