#pragma once
// The calendar control.  This version holds its colour record, which the
// visual manager fills at the start of every paint, and what a linked
// planner reads and writes of it: the shown range, the selected days and
// the marked days.  The calendar's layout, painting and input complete it.
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/OleDateTime.h"
#include "ui/commandbars/ZUDPWnd.h"

class CZUDPPlannerManagerCtrl;

// The calendar's colours, in this order.
struct CalendarColors {
    COLORREF clrCaption = (COLORREF)-1;        // caption face
    COLORREF clrCaptionText = (COLORREF)-1;    // caption text
    COLORREF clrSelected = (COLORREF)-1;       // selection face
    COLORREF clrSelectedText = (COLORREF)-1;   // selection text
    COLORREF clrTodayBorder = (COLORREF)-1;    // today frame
};

class CZUDPCalendar : public CZUDPWnd {
    DECLARE_DYNCREATE(CZUDPCalendar)
public:
    CZUDPCalendar() = default;

    // The selected days, in the order they were selected.
    void GetSelectedDates(CList<DATE, DATE>& dates) const;
    void SetSelectedDates(const CList<DATE, DATE>& dates, BOOL bNotify = TRUE, BOOL bRedraw = TRUE);
    // The marked days become the days of the dates inside the shown range.
    void SetMarkedDates(const CArray<DATE, DATE>& dates, BOOL bRedraw = TRUE);
    BOOL IsDateMarked(int nYear, int nMonth, int nDay) const;
    // First day of the first shown month, 00:00; last day of the last
    // shown month, 23:59:59.
    const COleDateTime& GetFirstShownDay() const { return m_dtFirstShown; }
    const COleDateTime& GetLastShownDay() const { return m_dtLastShown; }

    CalendarColors m_colors;
    COleDateTime m_dtFirstShown;
    COleDateTime m_dtLastShown;
    CList<DATE, DATE> m_SelectedDates;
    CArray<DATE, DATE> m_MarkedDates;
    CZUDPPlannerManagerCtrl* m_pPlanner = nullptr;   // linked planner, not owned
};
