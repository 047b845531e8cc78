#pragma once
// What a date control must offer to own a popup calendar: the date it
// holds (or none, when it has a check box that is cleared), the popup it
// opened, and the three operations the popup calls back.  The date
// control proper (its fields, spin and drawing) is the application's; this
// class draws nothing.
#include "framework/OleDateTime.h"
#include "framework/win/Wnd.h"

class CZUDPCalendar;

class CZUDPDateTimeCtrl : public CWnd {
    DECLARE_DYNCREATE(CZUDPDateTimeCtrl)
public:
    CZUDPDateTimeCtrl() = default;
    ~CZUDPDateTimeCtrl() override;

    // The popup closes with a chosen date (no date: closed without one).
    // A date that differs in its day from the control's own becomes the
    // control's date, and the control announces the change.
    virtual void ClosePopupCalendar(const COleDateTime& date);
    // The control's date with its hour and minute (seconds 0); 0 when the
    // control holds no value.
    virtual DATE GetDate();
    // Stores the date as valid; with a check box the control has a value
    // exactly when the date is not 0.  The control is repainted.
    virtual void SetDate(DATE date);

    // The date changed through the popup.  The control tells its parent
    // (WM_COMMAND with the control's id and DTN_DATETIMECHANGE's code).
    virtual void OnDateChanged();

    COleDateTime m_Date;                       // the date value
    BOOL m_bHasValue = TRUE;                   // a check-box control may hold none
    BOOL m_bCheckBox = FALSE;                  // the control has a check box
    CZUDPCalendar* m_pPopup = nullptr;         // the open popup calendar, not owned

protected:
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
