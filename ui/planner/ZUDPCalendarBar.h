#pragma once
// The calendar bar: a popup menu bar whose only content is a calendar.  It
// is the bar of a calendar button's popup, a torn-off copy of that popup
// (floating or docked) or a dialog control, and it turns a click on a day
// into a command.  The calendar reports its selection changes through it.
#include "framework/OleDateTime.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/planner/ZUDPCalendar.h"

class CZUDPCalendarBar : public CZUDPPopupMenuBar {
    DECLARE_SERIAL(CZUDPCalendarBar)
public:
    CZUDPCalendarBar();

    // A day of the calendar was clicked.
    virtual BOOL OnDateSelected(const COleDateTime& date);
    // The calendar's selection changed: the owner hears of it unless the
    // bar was made for a button's date.
    virtual void NotifySelectionChanged();

    CZUDPCalendar& GetCalendar() { return m_wndCalendar; }
    UINT GetCommandID() const { return m_uiCommandID; }

    CZUDPCalendar m_wndCalendar;
    UINT m_uiCommandID = 0;
    BOOL m_bNotifyOwner = TRUE;
};
