#pragma once
// The calendar control.  This version holds its colour record, which the
// visual manager fills at the start of every paint; the planner subsystem
// completes the control.
#include "ui/commandbars/ZUDPWnd.h"

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

    CalendarColors m_colors;
};
