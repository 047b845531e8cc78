// The visual manager's drawing of status bar, caption bar, outlook-style bar, task pane, panel windows, tooltips and
// text on glass.
#include "ui/foundation/ZUDPVisualManager.h"

#include "framework/win/ImageList.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPStatusBar.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPToolTipCtrl.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/ribbon/ZUDPTasksPane.h"

#include <algorithm>
#include <cstdint>

namespace {

// The pane a group belongs to, null for a group on its own.
CZUDPTasksPane* PaneOf(CZUDPTasksPaneGroup* pGroup)
{
    return pGroup != nullptr ? pGroup->m_pPane : nullptr;
}

// Theme colour properties of the tooltip's part.
const int kThemeTextColor = 3803;          // TMT_TEXTCOLOR
const int kThemeEdgeDarkShadowColor = 3807; // TMT_EDGEDKSHADOWCOLOR

// A pane's own metric, or the manager's when the pane has none (-1).
int PaneMetric(int nPaneValue, int nManagerValue)
{
    return nPaneValue != -1 ? nPaneValue : nManagerValue;
}

} // namespace

// ---------------------------------------------------------------------------
// Status bar

void CZUDPVisualManager::DrawStatusBarPaneBorder(CDC* pDC, CZUDPStatusBar*, CRect rectPane, int, UINT nStyle)
{
    if (nStyle & SBPS_NOBORDERS)
        return;
    if (nStyle & SBPS_POPOUT)
        pDC->Draw3dRect(rectPane, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
    else
        pDC->Draw3dRect(rectPane, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
}

COLORREF CZUDPVisualManager::GetStatusBarPaneTextColor(CZUDPStatusBar*, const ZUDP_STATUSBAR_PANE* pPane)
{
    if (pPane == nullptr)
        return g_uiEnvironment.m_colorButtonText;
    if (pPane->nStyle & SBPS_DISABLED)
        return g_uiEnvironment.m_colorGrayText;
    return pPane->clrText != (COLORREF)-1 ? pPane->clrText : g_uiEnvironment.m_colorButtonText;
}

void CZUDPVisualManager::DrawStatusBarProgress(CDC* pDC, CZUDPStatusBar*, CRect rectProgress, int nTotal,
                                               int nCurrent, COLORREF clrBar, COLORREF clrGradientEnd,
                                               COLORREF clrText, BOOL bShowPercent)
{
    // A negative total is no more a progress than 0; the current value is
    // kept within 0 .. total and the products are taken in 64 bits, so a
    // large width or total cannot overflow into a bar outside its pane.
    if (nTotal <= 0)
        return;
    const int64_t nDone = std::min<int64_t>(std::max(nCurrent, 0), nTotal);
    CRect rectDone = rectProgress;
    rectDone.right = rectProgress.left + (int)((int64_t)rectProgress.Width() * nDone / nTotal);

    if (clrGradientEnd == (COLORREF)-1) {
        CBrush brush(clrBar);
        pDC->FillRect(rectDone, &brush);
    } else {
        CZUDPDrawManager dm(*pDC);
        dm.FillLinearGradient(rectDone, clrBar, clrGradientEnd, FALSE);
    }

    if (!bShowPercent)
        return;
    CString strText;
    strText.Format("%d%%", (int)(nDone * 100 / nTotal));
    const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const COLORREF clrOld = pDC->SetTextColor(g_uiEnvironment.m_colorBarText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, rectProgress, nFormat);

    pDC->SaveDC();
    pDC->IntersectClipRect(rectDone);
    pDC->SetTextColor(clrText == (COLORREF)-1 ? g_uiEnvironment.m_colorHighlightText : clrText);
    pDC->DrawText(strText, rectProgress, nFormat);
    pDC->RestoreDC(-1);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

void CZUDPVisualManager::DrawStatusBarSizeGrip(CDC* pDC, CZUDPStatusBar*, CRect rectSizeGrip)
{
    CFont* pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontSymbol);
    const COLORREF clrOld = pDC->SetTextColor(g_uiEnvironment.m_colorBarShadow);
    const UINT nOldAlign = pDC->SetTextAlign(TA_RIGHT | TA_BOTTOM);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->ExtTextOut(rectSizeGrip.right, rectSizeGrip.bottom, ETO_CLIPPED, rectSizeGrip, "o", 1, nullptr);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextAlign(nOldAlign);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

// ---------------------------------------------------------------------------
// Caption bar

COLORREF CZUDPVisualManager::GetCaptionBarTextColor(CZUDPCaptionBar* pBar)
{
    return pBar != nullptr && pBar->IsMessageBarMode() ? ::GetSysColor(COLOR_INFOTEXT)
                                                       : g_uiEnvironment.m_colorWindow;
}

void CZUDPVisualManager::FillCaptionBarInfoArea(CDC* pDC, CZUDPCaptionBar* pBar, CRect rect)
{
    const COLORREF clrOwn = pBar != nullptr ? pBar->m_clrBarBackground : (COLORREF)-1;
    if (clrOwn == (COLORREF)-1) {
        pDC->FillRect(rect, CBrush::FromHandle(::GetSysColorBrush(COLOR_INFOBK)));
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarHighlight);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
        return;
    }
    CBrush brush(clrOwn);
    pDC->FillRect(rect, &brush);
    const COLORREF clrFrame = CZUDPDrawManager::ScaleColorPercent(clrOwn, 80);
    pDC->Draw3dRect(rect, clrFrame, clrFrame);
}

void CZUDPVisualManager::FillCaptionBarButton(CDC* pDC, CZUDPCaptionBar*, CRect rect, COLORREF clrFace, BOOL bFlat)
{
    if (clrFace == (COLORREF)-1) {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
    } else {
        CBrush brush(clrFace);
        pDC->FillRect(rect, &brush);
    }
    if (!bFlat)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
}

COLORREF CZUDPVisualManager::FillCaptionBarMessageButton(CDC* pDC, CZUDPCaptionBar* pBar, CRect rect, BOOL, BOOL,
                                                         BOOL bIsDisabled, BOOL, BOOL)
{
    if (pBar == nullptr || !pBar->IsMessageBarMode())
        return (COLORREF)-1;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
    return bIsDisabled ? g_uiEnvironment.m_colorGrayText : g_uiEnvironment.m_colorBarText;
}

void CZUDPVisualManager::DrawCaptionBarButtonBorder(CDC* pDC, CZUDPCaptionBar* pBar, CRect rect, BOOL bIsPressed,
                                                    BOOL bIsHighlighted)
{
    if (bIsPressed)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarHighlight);
    else if (bIsHighlighted || (pBar != nullptr && pBar->IsMessageBarMode()))
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarDarkShadow);
}

// ---------------------------------------------------------------------------
// Outlook-style bar

COLORREF CZUDPVisualManager::FillOutlookButton(CDC* pDC, CRect rect, CZUDPToolbarButton*, BOOL, BOOL,
                                               COLORREF& clrText)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
    clrText = g_uiEnvironment.m_colorBarText;
    return g_uiEnvironment.m_colorBarText;
}

void CZUDPVisualManager::DrawOutlookButtonBorder(CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL bIsHighlighted)
{
    const CZUDPUIEnvironment& env = g_uiEnvironment;
    if (bIsPressed && bIsHighlighted) {
        pDC->Draw3dRect(rect, env.m_colorBarDarkShadow, env.m_colorBarFace);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, env.m_colorBarShadow, env.m_colorBarHighlight);
    } else if (bIsPressed || bIsHighlighted) {
        pDC->Draw3dRect(rect, env.m_colorBarFace, env.m_colorBarDarkShadow);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, env.m_colorBarHighlight, env.m_colorBarShadow);
    } else {
        pDC->Draw3dRect(rect, env.m_colorBarHighlight, env.m_colorBarShadow);
    }
    rect.DeflateRect(1, 1);
}

void CZUDPVisualManager::FillOutlookWndArea(CDC* pDC, CRect rect)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
}

COLORREF CZUDPVisualManager::FillOutlookBarCaption(CDC* pDC, CRect rect, COLORREF& clrText)
{
    pDC->FillSolidRect(rect, g_uiEnvironment.m_colorBarShadow);
    clrText = g_uiEnvironment.m_colorBarHighlight;
    return clrText;
}

// ---------------------------------------------------------------------------
// Task pane

void CZUDPVisualManager::FillTasksPaneBackground(CDC* pDC, CRect rectWorkArea)
{
    pDC->FillRect(rectWorkArea, &g_uiEnvironment.m_brushWindow);
}

void CZUDPVisualManager::DrawTaskGroupCaption(CDC* pDC, CZUDPTasksPaneGroup* pGroup, BOOL bIsHighlighted, BOOL,
                                              BOOL bCanCollapse)
{
    if (pGroup == nullptr)
        return;
    CZUDPTasksPane* pPane = PaneOf(pGroup);
    const BOOL bToolBox = pPane != nullptr && pPane->IsToolBox();
    const CRect rectCaption = pGroup->m_rectCaption;
    int nTextLeftExtra = 0;  // the toolbox's expand box pushes the text right

    if (bToolBox) {
        CRect rectFill = rectCaption;
        rectFill.DeflateRect(1, 0, 1, 1);
        pDC->FillSolidRect(rectFill, g_uiEnvironment.m_colorBarShadow);
        if (bCanCollapse) {
            int nBox = 9;
            if (g_uiEnvironment.m_dpiScaling)
                nBox = (int)(9 * g_uiEnvironment.GetDpiScale() + 0.5);
            CRect rectBox(CPoint(rectCaption.left + 6, rectCaption.top + (rectCaption.Height() - nBox) / 2),
                          CSize(nBox, nBox));
            pDC->FillRect(rectBox, &g_uiEnvironment.m_brushBarFace);
            DrawExpandBox(pDC, rectBox, !pGroup->m_bIsCollapsed, g_uiEnvironment.m_colorBarText);
            nTextLeftExtra = rectBox.right + 6 - rectCaption.left;
        }
    } else {
        pDC->FillSolidRect(rectCaption, pGroup->m_bIsSpecial ? g_uiEnvironment.m_colorHighlight
                                                             : g_uiEnvironment.m_colorBarFace);
    }

    BOOL bIconDrawn = FALSE;
    if (pGroup->m_hIcon != nullptr && pGroup->m_sizeIcon.cx < rectCaption.Width() - rectCaption.Height()) {
        DrawTaskGroupIcon(pDC, pGroup, 5, bIsHighlighted, FALSE, bCanCollapse);
        bIconDrawn = TRUE;
    }

    CFont* pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontBold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrText;
    if (bToolBox) {
        clrText = g_uiEnvironment.m_colorWindow;
    } else {
        clrText = bCanCollapse && bIsHighlighted ? pGroup->m_clrTextHot : pGroup->m_clrText;
        if (clrText == (COLORREF)-1)
            clrText = pGroup->m_bIsSpecial ? g_uiEnvironment.m_colorWindow : g_uiEnvironment.m_colorWindowText;
    }
    const COLORREF clrOld = pDC->SetTextColor(clrText);

    const int nHorzOffset = PaneMetric(pPane != nullptr ? pPane->m_nGroupCaptionHorzOffset : -1,
                                       m_tasksPaneGroupCaptionHorzOffset);
    const int nVertOffset = PaneMetric(pPane != nullptr ? pPane->m_nGroupCaptionVertOffset : -1,
                                       m_tasksPaneGroupCaptionVertOffset);
    CRect rectText = rectCaption;
    rectText.left += bIconDrawn ? pGroup->m_sizeIcon.cx + 5 : nHorzOffset;
    rectText.left += nTextLeftExtra;
    rectText.top += nVertOffset;
    rectText.right = std::max<int>(rectText.left, bCanCollapse ? rectCaption.right - rectCaption.Height()
                                                                : rectCaption.right - nHorzOffset);
    pDC->DrawText(pGroup->m_strName, rectText, DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);

    if (bToolBox || !bCanCollapse || pGroup->m_strName.IsEmpty())
        return;
    // The chevron: one menu glyph cell at the caption's right end, centred in
    // its lower part.
    const CSize sizeGlyph = GetMenuGlyphSize();
    const int nCaptionHeight = rectCaption.Height();
    const int x = std::max<int>(rectCaption.right - (sizeGlyph.cx + 1) / 2 - (nCaptionHeight + 1) / 2,
                                rectCaption.left);
    const int y = std::max<int>(rectCaption.bottom - (sizeGlyph.cy + 1) / 2 - (nCaptionHeight + 1) / 2,
                                rectCaption.top);
    CRect rectCell(CPoint(x, y), sizeGlyph);
    if (rectCell.right > rectCaption.right || rectCell.bottom > rectCaption.bottom)
        return;
    if (bIsHighlighted) {
        CRect rectFrame = rectCell;
        pDC->Draw3dRect(rectFrame, g_uiEnvironment.m_colorWindow, g_uiEnvironment.m_colorBarShadow);
    }
    DrawMenuGlyph(pDC, pGroup->m_bIsCollapsed ? MenuGlyphArrowDown : MenuGlyphArrowUp, rectCell.TopLeft(),
                  MenuGlyphColorBlack);
}

void CZUDPVisualManager::DrawTaskGroupIcon(CDC* pDC, CZUDPTasksPaneGroup* pGroup, int nIconHOffset, BOOL, BOOL, BOOL)
{
    if (pGroup == nullptr || pGroup->m_hIcon == nullptr)
        return;
    CZUDPTasksPane* pPane = PaneOf(pGroup);
    const int v = PaneMetric(pPane != nullptr ? pPane->m_nGroupCaptionVertOffset : -1,
                             m_tasksPaneGroupCaptionVertOffset);
    const CRect& rectCaption = pGroup->m_rectCaption;
    const int d = std::max<int>(0, (rectCaption.Height() - pGroup->m_sizeIcon.cy - v) / 2);
    const int x = rectCaption.left + nIconHOffset / 2;
    const int y = rectCaption.bottom - pGroup->m_sizeIcon.cy - d;
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, pGroup->m_hIcon, pGroup->m_sizeIcon.cx, pGroup->m_sizeIcon.cy, 0, nullptr,
                 DI_NORMAL);
}

void CZUDPVisualManager::FillTaskGroupInterior(CDC*, CZUDPTasksPaneGroup*, CRect, BOOL) {}

void CZUDPVisualManager::DrawTaskGroupBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bCloseTopEdge)
{
    CPen* pOldPen = pDC->SelectObject(bSpecial ? &g_uiEnvironment.m_penHighlight : &g_uiEnvironment.m_penBarFace);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    if (bCloseTopEdge) {
        pDC->LineTo(rect.right - 1, rect.top);
        pDC->LineTo(rect.left, rect.top);
    } else {
        pDC->LineTo(rect.right - 1, rect.top - 1);
    }
    pDC->SelectObject(pOldPen);
}

void CZUDPVisualManager::DrawTask(CDC* pDC, CZUDPTasksPaneTask* pTask, CImageList* pIcons, BOOL bIsHighlighted, BOOL)
{
    if (pTask == nullptr)
        return;
    CRect rect = pTask->m_rect;
    if (pTask->m_bIsSeparator) {
        CPen* pOldPen = pDC->SelectObject(&g_uiEnvironment.m_penBarFace);
        const int y = rect.CenterPoint().y;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right, y);
        pDC->SelectObject(pOldPen);
        return;
    }

    CZUDPTasksPane* pPane = pTask->m_pGroup != nullptr ? PaneOf(pTask->m_pGroup) : nullptr;
    int cxIcon = 0;
    if (pIcons != nullptr && pIcons->GetSafeHandle() != nullptr) {
        int cx = 0, cy = 0;
        if (::ImageList_GetIconSize(pIcons->GetSafeHandle(), &cx, &cy) && cx > 0) {
            cxIcon = cx;
            if (pTask->m_nIcon >= 0)
                pIcons->Draw(pDC, pTask->m_nIcon, rect.TopLeft(), ILD_TRANSPARENT);
        }
    }
    CRect rectText = rect;
    rectText.left += cxIcon + PaneMetric(pPane != nullptr ? pPane->m_nTasksIconHorzOffset : -1,
                                         m_tasksPaneTasksIconHorzOffset);

    CFont* pFont = &g_uiEnvironment.m_fontRegular;
    COLORREF clrText;
    if (pTask->m_bIsCommand) {
        if (pTask->m_bIsClickable) {
            if (bIsHighlighted) {
                pFont = &g_uiEnvironment.m_fontUnderline;
                clrText = pTask->m_clrTextHot;
            } else {
                clrText = pTask->m_clrText;
            }
            if (clrText == (COLORREF)-1)
                clrText = g_uiEnvironment.m_colorWindowText;
        } else {
            clrText = g_uiEnvironment.m_colorGrayText;
        }
    } else {
        if (pTask->m_bIsBold)
            pFont = &g_uiEnvironment.m_fontBold;
        clrText = pTask->m_clrText != (COLORREF)-1 ? pTask->m_clrText : g_uiEnvironment.m_colorWindowText;
    }

    CFont* pOldFont = pDC->SelectObject(pFont);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const BOOL bWrap = pPane != nullptr && (pTask->m_bIsCommand ? pPane->m_bWrapTasks : pPane->m_bWrapLabels);
    if (bWrap) {
        pDC->DrawText(pTask->m_strName, rectText, DT_WORDBREAK);
    } else {
        CString strName = pTask->m_strName;
        strName.Remove('\n');
        strName.Remove('\r');
        pDC->DrawText(strName, rectText, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    pDC->SelectObject(pOldFont);
}

void CZUDPVisualManager::DrawTasksScrollButton(CDC* pDC, CRect rect, int nExtraHeight, int nGlyph,
                                               BOOL bIsHighlighted)
{
    CRect rectFill = rect;
    rectFill.top -= nExtraHeight;
    pDC->FillRect(rectFill, &g_uiEnvironment.m_brushBarFace);
    if (bIsHighlighted) {
        CZUDPDrawManager dm(*pDC);
        dm.TintRect(rect, -1);
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarDarkShadow);
    }
    DrawMenuGlyphCentered(pDC, nGlyph, rect, MenuGlyphColorBlack);
}

void CZUDPVisualManager::DrawTaskPaneFrame(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarFace, g_uiEnvironment.m_colorBarFace);
}

void CZUDPVisualManager::DrawExpandBox(CDC* pDC, CRect rect, BOOL bIsExpanded, COLORREF clrFrame)
{
    pDC->Draw3dRect(rect, clrFrame, clrFrame);
    rect.DeflateRect(2, 2);
    CPen pen(PS_SOLID, 1, g_uiEnvironment.m_colorBarText);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const CPoint ptCenter = rect.CenterPoint();
    pDC->MoveTo(rect.left, ptCenter.y);
    pDC->LineTo(rect.right, ptCenter.y);
    if (!bIsExpanded) {
        pDC->MoveTo(ptCenter.x, rect.top);
        pDC->LineTo(ptCenter.x, rect.bottom);
    }
    pDC->SelectObject(pOldPen);
}

// ---------------------------------------------------------------------------
// Panel windows

void CZUDPVisualManager::FillPanelWindowBackground(CDC* pDC, CRect rect)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushBarFace);
}

void CZUDPVisualManager::DrawPanelWindowBorder(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarLight, g_uiEnvironment.m_colorBarDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarHighlight, g_uiEnvironment.m_colorBarShadow);
}

COLORREF CZUDPVisualManager::FillPanelWindowCaption(CDC* pDC, CRect rect)
{
    pDC->FillRect(rect, &g_uiEnvironment.m_brushActiveCaption);
    return g_uiEnvironment.m_colorCaptionText;
}

void CZUDPVisualManager::FillPanelWindowButton(CDC* pDC, CRect rect, CZUDPButton* pButton)
{
    // A button without a window of its own under a parent keeps the plain
    // button face; otherwise the panel shows through it.
    CWnd* pParent = pButton != nullptr && pButton->GetSafeHwnd() != nullptr ? pButton->GetParent() : nullptr;
    if (pParent == nullptr) {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
        return;
    }
    // The parent's client area, in the button's coordinates.
    CRect rectParent;
    pParent->GetClientRect(rectParent);
    ::MapWindowPoints(pParent->GetSafeHwnd(), pButton->GetSafeHwnd(), (LPPOINT)&rectParent, 2);
    pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    FillPanelWindowBackground(pDC, rectParent);
    pDC->RestoreDC(-1);
}

void CZUDPVisualManager::DrawPanelWindowButtonBorder(CDC* pDC, CRect rect, CZUDPButton* pButton)
{
    const CZUDPUIEnvironment& env = g_uiEnvironment;
    const UINT nState = pButton != nullptr && pButton->GetSafeHwnd() != nullptr
                            ? (UINT)pButton->SendMessage(BM_GETSTATE)
                            : 0;
    if ((nState & BST_PUSHED) && (nState & BST_HOT)) {
        pDC->Draw3dRect(rect, env.m_colorBarDarkShadow, env.m_colorBarLight);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, env.m_colorBarShadow, env.m_colorBarHighlight);
    } else {
        pDC->Draw3dRect(rect, env.m_colorBarLight, env.m_colorBarDarkShadow);
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, env.m_colorBarHighlight, env.m_colorBarShadow);
    }
}

// ---------------------------------------------------------------------------
// Tooltips and text on glass

BOOL CZUDPVisualManager::DrawTextOnGlass(CDC* pDC, CString strText, CRect rect, DWORD dwFlags, int nGlowSize,
                                         COLORREF clrText)
{
    const COLORREF clrOld = pDC->SetTextColor(RGB(0, 0, 0));
    const BOOL bResult =
        g_uiEnvironment.DrawTextOnGlass(m_hThemeButton, pDC, 0, 0, strText, rect, dwFlags, nGlowSize, clrText);
    pDC->SetTextColor(clrOld);
    return bResult;
}

void CZUDPVisualManager::FillToolTip(CDC* pDC, CZUDPToolTipCtrl*, CRect rect, COLORREF& clrText, COLORREF& clrLine)
{
    if (m_hThemeToolTip != nullptr && m_pfnDrawThemeBackground != nullptr &&
        DrawThemePart(m_hThemeToolTip, pDC, 1, 0, rect)) {
        if (m_pfnGetThemeColor != nullptr) {
            GetThemeColorValue(m_hThemeToolTip, 1, 0, kThemeTextColor, clrText);
            GetThemeColorValue(m_hThemeToolTip, 1, 0, kThemeEdgeDarkShadowColor, clrLine);
        }
        return;
    }
    pDC->FillRect(rect, CBrush::FromHandle(::GetSysColorBrush(COLOR_INFOBK)));
}
