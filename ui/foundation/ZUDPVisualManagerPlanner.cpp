// The visual manager's drawing of planner, calendar, grid and Gantt elements.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

void CZUDPVisualManager::GetCalendarColors(const CZUDPCalendar*, CalendarColors&) {}

COLORREF CZUDPVisualManager::DrawPlannerCaption(CDC*, CZUDPPlannerView*, CRect, BOOL, BOOL, BOOL)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawPlannerCaptionText(CDC*, CZUDPPlannerView*, CRect, const CString&, COLORREF, int, BOOL) {}

void CZUDPVisualManager::FillPlannerBackground(CDC*, CZUDPPlannerView*, CRect, BOOL) {}

void CZUDPVisualManager::GetPlannerDayColors(CZUDPPlannerView*, BOOL, BOOL, DWORD, COLORREF&, COLORREF&, COLORREF&,
                                             COLORREF&, COLORREF&)
{
}

COLORREF CZUDPVisualManager::FillPlannerTimeScale(CDC*, CZUDPPlannerView*, CRect, COLORREF&)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawPlannerTimeScaleLine(CDC*, CZUDPPlannerView*, CRect) {}

void CZUDPVisualManager::FillPlannerWeekBar(CDC*, CZUDPPlannerView*, CRect) {}

void CZUDPVisualManager::DrawPlannerExpandButton(CDC*, CZUDPPlannerView*, CRect) {}

void CZUDPVisualManager::DrawPlannerExpandButtonBorder(CDC*, CZUDPPlannerView*, CRect) {}

void CZUDPVisualManager::FillPlannerHeaderGap(CDC*, CZUDPPlannerView*, CRect) {}

void CZUDPVisualManager::FillPlannerSelection(CDC*, CZUDPPlannerView*, CRect, BOOL, BOOL) {}

void CZUDPVisualManager::FillGridBackground(CDC*, CRect) {}

void CZUDPVisualManager::DrawGridExpandBox(CDC*, CRect, BOOL, COLORREF) {}

void CZUDPVisualManager::FillGridHeaderBackground(CDC*, CRect) {}

BOOL CZUDPVisualManager::DrawGridHeaderItemBorder(CDC*, CRect, BOOL)
{
    return TRUE;
}

void CZUDPVisualManager::FillGridRowHeaderBackground(CDC*, CRect) {}

BOOL CZUDPVisualManager::DrawGridRowHeaderItemBorder(CDC*, CRect, BOOL)
{
    return TRUE;
}

void CZUDPVisualManager::FillGridCornerBackground(CDC*, CRect) {}

BOOL CZUDPVisualManager::DrawGridCornerBorder(CDC*, CRect)
{
    return TRUE;
}

void CZUDPVisualManager::DrawGridSortArrow(CDC*, CRect, BOOL) {}

COLORREF CZUDPVisualManager::FillGridGroupArea(CDC*, CRect)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::FillGridGroupTitle(CDC*, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawGridGroupItem(CDC*, CRect) {}

COLORREF CZUDPVisualManager::GetGridLeftOffsetColor(BOOL)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::GetGridSortedColumnColor(COLORREF)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::FillGridGroupBackground(CDC*, CRect) {}

void CZUDPVisualManager::FillGridGroupUnderline(CDC*, CRect, BOOL) {}

COLORREF CZUDPVisualManager::FillGridGroupRow(CDC*, CRect, BOOL, BOOL, BOOL, BOOL)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::FillGridItem(CDC*, CRect, BOOL, BOOL, BOOL, COLORREF, BOOL)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawGridHeaderPressedFrame(CDC*, CRect, BOOL) {}

void CZUDPVisualManager::DrawGridSelectionBorder(CDC*, CRect) {}

COLORREF CZUDPVisualManager::FillGridRowSelection(CDC*, CRect, BOOL, BOOL, BOOL, BOOL)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::GetGanttColors(GanttColorSet&, COLORREF)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::FillGanttArea(CDC*, CRect, COLORREF) {}

void CZUDPVisualManager::FillGanttRow(CDC*, CRect, const GanttColorSet&, BOOL) {}

void CZUDPVisualManager::DrawGanttHeaderCell(CDC*, CRect) {}

void CZUDPVisualManager::DrawGanttHeaderText(CDC*, CRect, CRect, const CString&, UINT, BOOL) {}

void CZUDPVisualManager::FillGanttBar(CDC*, CRect, COLORREF) {}

COLORREF CZUDPVisualManager::FillGanttItemArea(CDC*, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawGanttGridLineRight(CDC*, CRect, UINT, COLORREF) {}

void CZUDPVisualManager::DrawGanttItemText(CDC*, CRect, const CString&, COLORREF, UINT) {}

void CZUDPVisualManager::DrawGanttGridLineLeft(CDC*, CRect, UINT, COLORREF) {}

void CZUDPVisualManager::DrawGanttArrow(CDC*, CRect, int, COLORREF) {}

void CZUDPVisualManager::DrawGanttGridLine(CDC*, CRect, UINT, COLORREF) {}

void CZUDPVisualManager::DrawGanttChevron(CDC*, CRect, COLORREF, int) {}
