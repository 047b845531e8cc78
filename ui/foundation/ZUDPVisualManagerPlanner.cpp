// The visual manager's drawing of planner, calendar, grid and Gantt
// elements.  The planner and calendar draw through these operations; the
// grid and Gantt operations are hooks with their base drawing, for a
// derived manager or a later grid or chart.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPGanttColors.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewDay.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"

#include <algorithm>

namespace {

const COLORREF kNoColor = (COLORREF)-1;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kBlack = RGB(0, 0, 0);

void HorizontalLine(CDC* pDC, int left, int right, int y, COLORREF clr)
{
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(left, y);
    pDC->LineTo(right, y);
    pDC->SelectObject(pOld);
}

BOOL IsDayView(const CZUDPPlannerView* pView)
{
    return pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CZUDPPlannerViewDay));
}

const CZUDPPlannerManagerCtrl* PlannerOf(const CZUDPPlannerView* pView)
{
    return pView != nullptr ? pView->GetPlanner() : nullptr;
}

BOOL MoreThan8Bits()
{
    return g_uiEnvironment.m_bitsPerPixel > 8;
}

} // namespace

// ---- calendar

void CZUDPVisualManager::GetCalendarColors(const CZUDPCalendar*, CalendarColors& colors)
{
    colors.clrCaption = g_uiEnvironment.m_colorButtonFace;
    colors.clrCaptionText = g_uiEnvironment.m_colorButtonText;
    colors.clrSelected = g_uiEnvironment.m_colorButtonFace;
    colors.clrSelectedText = g_uiEnvironment.m_colorButtonText;
    colors.clrTodayBorder = 0x000355BB;
}

// ---- planner

COLORREF CZUDPVisualManager::DrawPlannerCaption(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bIsToday,
                                                BOOL bIsSelected, BOOL bNoSeparatorLine)
{
    COLORREF clrText = g_uiEnvironment.m_colorButtonText;
    if (pDC == nullptr)
        return clrText;
    // A month view marks only today and the selected day.
    if (pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CZUDPPlannerViewMonth)) && !bIsToday && !bIsSelected)
        return clrText;

    rect.DeflateRect(1, 1);
    if (bIsToday) {
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
        CZUDPToolBarImages::FillLightRect(pDC, rect);
    } else {
        if (bIsSelected) {
            pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
            clrText = g_uiEnvironment.m_colorHighlightText;
        } else {
            pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
        }
        if (bNoSeparatorLine)
            return clrText;
    }
    HorizontalLine(pDC, rect.left, rect.right, rect.bottom - 1,
                   bIsToday ? g_uiEnvironment.m_colorBarShadow : g_uiEnvironment.m_colorButtonShadow);
    return clrText;
}

void CZUDPVisualManager::DrawPlannerCaptionText(CDC* pDC, CZUDPPlannerView*, CRect rect, const CString& strText,
                                                COLORREF clrText, int nAlign, BOOL bIsSelected)
{
    if (pDC == nullptr)
        return;
    const UINT align = nAlign == 1 ? DT_CENTER : nAlign == 2 ? DT_RIGHT : DT_LEFT;
    if (bIsSelected) {
        CRect box = rect;
        box.DeflateRect(1, 1);
        const int width = std::min<int>(pDC->GetTextExtent(strText).cx + 4, box.Width());
        if (nAlign == 1)
            box.left += (box.Width() - width) / 2;
        else if (nAlign == 2)
            box.left = box.right - width;
        box.right = box.left + width;
        pDC->FillRect(box, &g_uiEnvironment.m_brushHighlight);
        clrText = g_uiEnvironment.m_colorHighlightText;
    }
    rect.DeflateRect(2, 0);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, rect, align | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(clrOld);
}

void CZUDPVisualManager::FillPlannerBackground(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bWorkingTime)
{
    if (pDC == nullptr)
        return;
    if (m_plannerHatchBrush.GetSafeHandle() == nullptr) {
        // One-pixel checkerboard: drawn in the DC's text and background
        // colours, it dithers the planner colour with white or grey.
        static const WORD kRows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
        CBitmap pattern;
        if (pattern.CreateBitmap(8, 8, 1, 1, kRows))
            m_plannerHatchBrush.CreatePatternBrush(&pattern);
    }

    const CZUDPPlannerManagerCtrl* pPlanner = PlannerOf(pView);
    const COLORREF clrOwn = (pPlanner != nullptr && !g_uiEnvironment.IsContrastColorScheme())
                                ? pPlanner->GetBackgroundColor()
                                : kPlannerNoColor;
    const COLORREF clrPlanner = clrOwn == kPlannerNoColor ? m_colorPlannerBackground : clrOwn;
    const int style = pPlanner != nullptr ? pPlanner->GetBackgroundStyle() : 0;

    if (style <= 1 && m_plannerHatchBrush.GetSafeHandle() != nullptr) {
        const COLORREF clrOldText = pDC->SetTextColor(clrPlanner);
        const COLORREF clrOldBack = pDC->SetBkColor(bWorkingTime ? kWhite : kGrey);
        pDC->FillRect(rect, &m_plannerHatchBrush);
        pDC->SetBkColor(clrOldBack);
        pDC->SetTextColor(clrOldText);
    } else if (bWorkingTime && clrOwn != kPlannerNoColor) {
        pDC->FillSolidRect(rect, clrPlanner);
    } else {
        pDC->FillRect(rect, bWorkingTime ? &g_uiEnvironment.m_brushWindow : &g_uiEnvironment.m_brushButtonFace);
    }
}

void CZUDPVisualManager::GetPlannerDayColors(CZUDPPlannerView* pView, BOOL bIsSelected, BOOL bSecondFlag,
                                             DWORD dwOptions, COLORREF& clrBack, COLORREF& clrGradient,
                                             COLORREF& clrFrame, COLORREF& clrSecondFrame, COLORREF& clrText)
{
    const BOOL bColorMode = (dwOptions & 0x1) != 0 && MoreThan8Bits() && !g_uiEnvironment.IsContrastColorScheme();
    const BOOL bDayView = IsDayView(pView);
    const BOOL bPlainSelection = bIsSelected && (dwOptions & 0x4) == 0;

    if (bPlainSelection) {
        if (!bDayView) {
            clrBack = g_uiEnvironment.m_colorHighlight;
            clrText = g_uiEnvironment.m_colorHighlightText;
        } else if (!bSecondFlag) {
            clrBack = g_uiEnvironment.m_colorButtonFace;
            clrText = g_uiEnvironment.m_colorButtonText;
        }
    }

    BOOL bDefaultBack = FALSE;
    if (clrBack == kPlannerNoColor) {
        if (bColorMode) {
            const CZUDPPlannerManagerCtrl* pPlanner = PlannerOf(pView);
            clrBack = pPlanner != nullptr ? pPlanner->GetBackgroundColor() : kPlannerNoColor;
            if (clrBack == kPlannerNoColor) {
                clrBack = m_colorPlannerBackground;
                bDefaultBack = TRUE;
            }
        } else {
            clrBack = (bDayView || !bSecondFlag) ? g_uiEnvironment.m_colorWindow : kPlannerNoColor;
        }
    }

    clrGradient = clrBack;
    if (clrText == kPlannerNoColor)
        clrText = g_uiEnvironment.m_colorWindowText;
    clrFrame = clrSecondFrame = g_uiEnvironment.m_colorButtonShadow;

    if (bColorMode && clrBack != kPlannerNoColor) {
        if (!bPlainSelection)
            clrGradient = bDefaultBack ? kWhite : CZUDPColorArithmetic::MixColorsPercent(clrBack, kWhite, 25);
        clrFrame = CZUDPColorArithmetic::MixColorsPercent(clrBack, kBlack, 75);
        if (!bIsSelected)
            clrSecondFrame = clrFrame;
    }
}

COLORREF CZUDPVisualManager::FillPlannerTimeScale(CDC* pDC, CZUDPPlannerView*, CRect rect, COLORREF& clrLine)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    clrLine = g_uiEnvironment.m_colorButtonShadow;
    return g_uiEnvironment.m_colorButtonText;
}

void CZUDPVisualManager::DrawPlannerTimeScaleLine(CDC* pDC, CZUDPPlannerView*, CRect rect)
{
    if (pDC == nullptr)
        return;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushActiveCaption);
    HorizontalLine(pDC, rect.left, rect.right, rect.bottom - 1, g_uiEnvironment.m_colorBarShadow);
}

void CZUDPVisualManager::FillPlannerWeekBar(CDC* pDC, CZUDPPlannerView*, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
}

void CZUDPVisualManager::DrawPlannerExpandButton(CDC* pDC, CZUDPPlannerView*, CRect rect)
{
    if (pDC == nullptr)
        return;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorButtonShadow);
}

void CZUDPVisualManager::DrawPlannerExpandButtonBorder(CDC* pDC, CZUDPPlannerView*, CRect rect)
{
    if (pDC != nullptr)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorButtonShadow, g_uiEnvironment.m_colorButtonHighlight);
}

void CZUDPVisualManager::FillPlannerHeaderGap(CDC* pDC, CZUDPPlannerView*, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillSolidRect(rect, g_uiEnvironment.m_colorButtonShadow);
}

void CZUDPVisualManager::FillPlannerSelection(CDC* pDC, CZUDPPlannerView*, CRect rect, BOOL, BOOL bSelectionPresent)
{
    if (pDC != nullptr && bSelectionPresent)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
}

// ---- grid

void CZUDPVisualManager::FillGridBackground(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
}

void CZUDPVisualManager::DrawGridExpandBox(CDC* pDC, CRect rect, BOOL bIsExpanded, COLORREF clrFrame)
{
    DrawExpandBox(pDC, rect, bIsExpanded, clrFrame);
}

void CZUDPVisualManager::FillGridHeaderBackground(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
}

BOOL CZUDPVisualManager::DrawGridHeaderItemBorder(CDC* pDC, CRect rect, BOOL)
{
    if (pDC != nullptr)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorDarkShadow);
    return TRUE;
}

void CZUDPVisualManager::FillGridRowHeaderBackground(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
}

BOOL CZUDPVisualManager::DrawGridRowHeaderItemBorder(CDC* pDC, CRect rect, BOOL)
{
    if (pDC != nullptr)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorDarkShadow);
    return TRUE;
}

void CZUDPVisualManager::FillGridCornerBackground(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
}

BOOL CZUDPVisualManager::DrawGridCornerBorder(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorDarkShadow);
    return TRUE;
}

void CZUDPVisualManager::DrawGridSortArrow(CDC* pDC, CRect rect, BOOL bIsUp)
{
    if (pDC != nullptr)
        DrawMenuGlyphCentered(pDC, bIsUp ? MenuGlyphLargeArrowUp : MenuGlyphLargeArrowDown, rect,
                              MenuGlyphColorBlack);
}

COLORREF CZUDPVisualManager::FillGridGroupArea(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillSolidRect(rect, g_uiEnvironment.m_colorButtonShadow);
    return g_uiEnvironment.m_colorBarText;
}

COLORREF CZUDPVisualManager::FillGridGroupTitle(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    return g_uiEnvironment.m_colorButtonShadow;
}

void CZUDPVisualManager::DrawGridGroupItem(CDC* pDC, CRect rect)
{
    if (pDC == nullptr)
        return;
    pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarWindow, g_uiEnvironment.m_colorButtonText);
    rect.right -= 1;
    rect.bottom -= 1;
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorBarWindow, g_uiEnvironment.m_colorButtonShadow);
}

COLORREF CZUDPVisualManager::GetGridLeftOffsetColor(BOOL bBarStyle)
{
    if (MoreThan8Bits())
        return CZUDPColorArithmetic::ScaleColorPercent(
            bBarStyle ? g_uiEnvironment.m_colorBarFace : g_uiEnvironment.m_colorButtonFace, 94);
    return bBarStyle ? g_uiEnvironment.m_colorBarShadow : g_uiEnvironment.m_colorButtonShadow;
}

COLORREF CZUDPVisualManager::GetGridSortedColumnColor(COLORREF clrGrid)
{
    const COLORREF clr = clrGrid == kNoColor ? g_uiEnvironment.m_colorWindow : clrGrid;
    if (!MoreThan8Bits())
        return clr;
    return CZUDPColorArithmetic::MultiplyColorChannels(clr, 0.97, 0.97, 0.97);
}

void CZUDPVisualManager::FillGridGroupBackground(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
}

void CZUDPVisualManager::FillGridGroupUnderline(CDC* pDC, CRect rect, BOOL bBarStyle)
{
    if (pDC != nullptr)
        pDC->FillSolidRect(rect, bBarStyle ? g_uiEnvironment.m_colorBarShadow : g_uiEnvironment.m_colorButtonShadow);
}

COLORREF CZUDPVisualManager::FillGridGroupRow(CDC* pDC, CRect rect, BOOL bHasFocus, BOOL bIsSelected, BOOL bIsGroup,
                                              BOOL bBarStyle)
{
    if (pDC != nullptr) {
        if (bHasFocus)
            pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
        else
            pDC->FillRect(rect, bBarStyle ? &g_uiEnvironment.m_brushBarFace : &g_uiEnvironment.m_brushButtonFace);
    }
    if (bIsGroup)
        return bBarStyle ? g_uiEnvironment.m_colorBarShadow : g_uiEnvironment.m_colorButtonShadow;
    if (bIsSelected)
        return bHasFocus ? g_uiEnvironment.m_colorHighlightText : g_uiEnvironment.m_colorHotLink;
    return g_uiEnvironment.m_colorWindowText;
}

COLORREF CZUDPVisualManager::FillGridItem(CDC* pDC, CRect rect, BOOL bHasFocus, BOOL bIsSelected, BOOL bIsFocused,
                                          COLORREF clrItem, BOOL bBarStyle)
{
    if (pDC == nullptr)
        return kNoColor;
    if (bIsSelected && !bIsFocused) {
        if (bHasFocus) {
            pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
            return g_uiEnvironment.m_colorHighlightText;
        }
        pDC->FillRect(rect, bBarStyle ? &g_uiEnvironment.m_brushBarFace : &g_uiEnvironment.m_brushButtonFace);
        return g_uiEnvironment.m_colorButtonText;
    }
    if (!bIsSelected && !bIsFocused) {
        if (clrItem != kNoColor)
            pDC->FillSolidRect(rect, clrItem);
        return kNoColor;
    }
    if (bIsFocused)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
    return kNoColor;
}

void CZUDPVisualManager::DrawGridHeaderPressedFrame(CDC* pDC, CRect rect, BOOL bDrawFrame)
{
    rect.DeflateRect(1, 1);
    if (pDC != nullptr && bDrawFrame)
        pDC->Draw3dRect(rect, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorDarkShadow);
}

void CZUDPVisualManager::DrawGridSelectionBorder(CDC* pDC, CRect rect)
{
    if (pDC == nullptr)
        return;
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorDarkShadow, g_uiEnvironment.m_colorDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, g_uiEnvironment.m_colorDarkShadow, g_uiEnvironment.m_colorDarkShadow);
}

COLORREF CZUDPVisualManager::FillGridRowSelection(CDC* pDC, CRect rect, BOOL bHasFocus, BOOL bIsSelected,
                                                  BOOL bSecondFlag, BOOL bBarStyle)
{
    if (!bIsSelected)
        return bSecondFlag ? m_colorSelectionHighlight : kNoColor;
    if (bHasFocus) {
        if (pDC != nullptr)
            pDC->FillRect(rect, &g_uiEnvironment.m_brushHighlight);
        return g_uiEnvironment.m_colorHighlightText;
    }
    if (pDC != nullptr)
        pDC->FillRect(rect, bBarStyle ? &g_uiEnvironment.m_brushBarFace : &g_uiEnvironment.m_brushButtonFace);
    return m_colorSelectionHighlight;
}

// ---- Gantt chart

COLORREF CZUDPVisualManager::GetGanttColors(GanttColorSet& colors, COLORREF clrBase)
{
    if (clrBase == kPlannerNoColor || clrBase == kNoColor)
        clrBase = g_uiEnvironment.m_colorWindow;
    BuildGanttColorScheme(clrBase, colors);
    colors[0] = colors[1] = g_uiEnvironment.m_colorWindow;
    colors[3] = 0xFF0000;
    colors[5] = 0x00FF00;
    colors[6] = g_uiEnvironment.m_colorBarShadow;
    colors[7] = g_uiEnvironment.m_colorBarLight;
    colors[9] = m_colorMenuShadowBase;
    colors[10] = colors[11] = g_uiEnvironment.m_colorHighlight;
    return g_uiEnvironment.m_colorHighlight;
}

void CZUDPVisualManager::FillGanttArea(CDC* pDC, CRect rect, COLORREF clrFill)
{
    if (pDC != nullptr)
        pDC->FillSolidRect(rect, clrFill);
}

void CZUDPVisualManager::FillGanttRow(CDC* pDC, CRect rect, const GanttColorSet& colors, BOOL bAlternate)
{
    if (pDC != nullptr)
        pDC->FillSolidRect(rect, bAlternate ? colors[2] : colors[1]);
}

void CZUDPVisualManager::DrawGanttHeaderCell(CDC* pDC, CRect rectCell)
{
    if (pDC == nullptr)
        return;
    pDC->FillSolidRect(rectCell, g_uiEnvironment.m_colorBarFace);
    pDC->Draw3dRect(rectCell, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorDarkShadow);
}

void CZUDPVisualManager::DrawGanttHeaderText(CDC* pDC, CRect rectCell, CRect rectVisible, const CString& strText,
                                             UINT nFormat, BOOL bHotLink)
{
    if (pDC == nullptr)
        return;
    CRect rectText(rectCell.left + 1, rectCell.top + 2, rectCell.right - 2, rectCell.bottom - 2);
    CRect rectClip;
    if (!rectClip.IntersectRect(rectText, rectVisible))
        return;
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(rectClip);
    pDC->SelectObject(&g_uiEnvironment.m_fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetGanttHeaderTextColor(bHotLink));
    pDC->DrawText(strText, rectText, nFormat | DT_NOPREFIX | DT_VCENTER);
    pDC->RestoreDC(saved);
}

void CZUDPVisualManager::FillGanttBar(CDC* pDC, CRect rect, COLORREF clrFill)
{
    if (pDC != nullptr)
        pDC->FillSolidRect(rect, clrFill);
}

COLORREF CZUDPVisualManager::FillGanttItemArea(CDC* pDC, CRect rect)
{
    if (pDC != nullptr)
        pDC->FillRect(rect, &g_uiEnvironment.m_brushWindow);
    return g_uiEnvironment.m_colorWindowText;
}

namespace {

BOOL IsLinedScale(UINT nScaleKind)
{
    return nScaleKind == 1 || nScaleKind == 64 || nScaleKind == 2048;
}

} // namespace

void CZUDPVisualManager::DrawGanttGridLineRight(CDC* pDC, CRect rect, UINT nScaleKind, COLORREF clrLine)
{
    if (pDC == nullptr || !IsLinedScale(nScaleKind))
        return;
    rect.right -= 1;
    pDC->FillSolidRect(rect, clrLine);
}

void CZUDPVisualManager::DrawGanttItemText(CDC* pDC, CRect rect, const CString& strText, COLORREF clrText,
                                           UINT nScaleKind)
{
    if (pDC == nullptr)
        return;
    rect.DeflateRect(2, 0);
    if (nScaleKind == 1) {
        rect.left += 1;
        rect.top += 2;
    }
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strText, rect, DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(clrOld);
}

void CZUDPVisualManager::DrawGanttGridLineLeft(CDC* pDC, CRect rect, UINT nScaleKind, COLORREF clrLine)
{
    if (pDC == nullptr || !IsLinedScale(nScaleKind))
        return;
    rect.left += 1;
    pDC->FillSolidRect(rect, clrLine);
}

void CZUDPVisualManager::DrawGanttArrow(CDC* pDC, CRect rect, int nDirection, COLORREF clrFill)
{
    if (pDC == nullptr)
        return;
    const CPoint c = rect.CenterPoint();
    POINT points[3];
    if (nDirection == 1) {
        points[0] = {c.x - 2, c.y};
        points[1] = {c.x + 4, c.y};
        points[2] = {c.x + 1, c.y + 3};
    } else {
        points[0] = {c.x - 1, c.y - 3};
        points[1] = {c.x - 1, c.y + 3};
        points[2] = {c.x + 2, c.y};
    }
    CBrush brush(clrFill);
    CPen pen(PS_SOLID, 1, clrFill);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(points, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CZUDPVisualManager::DrawGanttGridLine(CDC* pDC, CRect rect, UINT nScaleKind, COLORREF clrLine)
{
    if (pDC != nullptr && (nScaleKind == 1 || nScaleKind == 64))
        pDC->FillSolidRect(rect, clrLine);
}

void CZUDPVisualManager::DrawGanttChevron(CDC* pDC, CRect rect, COLORREF clrLine, int nShift)
{
    if (pDC == nullptr)
        return;
    CPoint c = rect.CenterPoint();
    if (nShift == 1)
        c.Offset(1, 1);
    CPen pen(PS_SOLID, 1, clrLine);
    CPen* pOldPen = pDC->SelectObject(&pen);
    for (int dx : {-2, -1, 2, 3}) {
        const int x = c.x + dx;
        pDC->MoveTo(x, c.y - 2);
        pDC->LineTo(x - 2, c.y);
        pDC->LineTo(x + 1, c.y + 3);
    }
    pDC->SelectObject(pOldPen);
}
