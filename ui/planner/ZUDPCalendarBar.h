#pragma once
// The calendar bar: a popup menu bar whose only content is a calendar.  It
// is the bar of a calendar button's popup, a torn-off copy of that popup
// (floating or docked) or a dialog control, and it turns a click on a day
// into a command: the calendar button that opened it takes the date and
// its command runs as a menu item's would; otherwise the date is kept for
// the bar's command id and WM_COMMAND goes to the owner.  The calendar
// reports its selection changes through the bar.
#include "framework/OleDateTime.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/planner/ZUDPCalendar.h"

class CZUDPCalendarBar : public CZUDPPopupMenuBar {
    DECLARE_SERIAL(CZUDPCalendarBar)
public:
    // A bar made by name (a torn-off bar restored from a layout).
    CZUDPCalendarBar();
    // The bar of a calendar button's popup: the button's date, its
    // command; it tells its owner of no selection change.
    CZUDPCalendarBar(const COleDateTime& date, UINT uiCommandID);
    // A copy of another bar's date for a command (a torn-off popup).
    CZUDPCalendarBar(CZUDPCalendarBar& other, UINT uiCommandID, BOOL bMultipleSelection);

    // The calendar style bits: week numbers, multiple selection.
    enum { StyleWeekNumbers = 0x2, StyleMultipleSelection = 0x4 };

    void Serialize(CArchive& ar) override;
    // Listed with the live toolbars, so that calendar buttons of its
    // command find it.
    BOOL AppearsInToolbarList() const override { return TRUE; }
    // The calendar's month with its margins and its Today band, whatever
    // the orientation.
    CSize CalcSize(BOOL bVertDock) override;
    // The command's status prompt (-1: the idle prompt) to the owner.
    virtual void ShowStatusPrompt(int nID);
    // Style bit 0x4 is multiple selection; then CreateBar.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bMultipleSelection = FALSE);
    using CWnd::Create;
    // The bar as a control of a dialog: a fitted calendar with a border
    // filling the rectangle; the command id is the control id and commands
    // go straight to the dialog.
    virtual BOOL CreateControl(CWnd* pParentDlg, const RECT& rect, UINT nID, BOOL bMultipleSelection = FALSE,
                               DWORD dwStyle = WS_CHILD | WS_VISIBLE);
    // The calendar's selection changed: the owner hears of it unless the
    // bar was made for a button's date.
    virtual void NotifySelectionChanged();
    // A day of the calendar was clicked.  Handing the date on may close
    // the popup that holds the bar: nothing of the bar is read after it.
    virtual BOOL OnDateSelected(const COleDateTime& date);

    // style = (style AND mask) OR (old AND NOT mask); multiple selection
    // off clears the selection first (even one day, with notification).
    void SetCalendarStyle(DWORD dwStyle, DWORD dwMask);
    DWORD GetCalendarStyle() const { return m_dwCalendarStyle; }

    CZUDPCalendar& GetCalendar() { return m_wndCalendar; }
    UINT GetCommandID() const { return m_uiCommandID; }
    BOOL IsControlMode() const { return m_bControlMode; }

    // --- fields, in order
    CZUDPCalendar m_wndCalendar;
    UINT m_uiCommandID = 0;
    BOOL m_bNotifyOwner = TRUE;
    DWORD m_dwCalendarStyle = 0x1B;
    BOOL m_bControlMode = FALSE;

protected:
    void InitBar();
    // The window told of selection changes and commands: the owner, or
    // the parent without one.
    CWnd* NotifyTarget() const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
