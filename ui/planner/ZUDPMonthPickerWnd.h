#pragma once
// The month list of a calendar: a borderless topmost popup of seven rows
// of month name and year, centred on the month caption that was clicked.
// It holds the mouse while it is open, scrolls while the cursor is held
// above or below it (faster the farther away), and on release shows the
// highlighted month in the calendar's clicked block.  It deletes itself
// when its window goes; the calendar closes it when the calendar goes.
#include "framework/win/FrameWnd.h"
#include "framework/String.h"

class CZUDPCalendar;

class CZUDPMonthPickerWnd : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CZUDPMonthPickerWnd)
public:
    // The list of the calendar's block nMonthIndex; the calendar counts it
    // as open from here until the object goes.
    CZUDPMonthPickerWnd(CZUDPCalendar* pCalendar, int nMonthIndex);
    ~CZUDPMonthPickerWnd() override;

    // The window centred on a screen point; FALSE when it cannot be made
    // (the caller then deletes the object).
    virtual BOOL Create(int x, int y);
    using CMiniFrameWnd::Create;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The month of a row (0..6); FALSE for a month before January 100 or
    // after December 9999.
    BOOL GetRowMonth(int nRow, int& nYear, int& nMonth) const;

    CZUDPCalendar* m_pCalendar = nullptr;
    int m_nFirstMonth = 1;
    int m_nFirstYear = 2000;
    int m_nRowHeight = 0;
    int m_nHighlightedRow = 3;
    int m_nMonthIndex = 0;
    CString m_MonthNames[12];
    int m_nScrollInterval = 200;
    UINT m_nTimerID = 1;

    // The rows shown: January 100 is never below the top row's month plus
    // nothing, December 9999 never above the bottom row.
    static const int nRows = 7;

protected:
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    // Ends the list: timer and capture released, WM_CLOSE.
    void CloseList();
    // Scrolls by one month unless that leaves January 100 .. December 9999.
    BOOL ScrollBy(int nMonths);

    BOOL m_bDeleteOnDestroy = FALSE;  // set once the window was made
};
