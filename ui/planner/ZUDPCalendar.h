#pragma once
// The calendar control: a grid of whole months with two scroll arrows, a
// month list behind every month caption, single or multiple selection of
// days, ranges and whole weeks, marked (bold) days, optional week numbers
// and an optional Today button.  It serves as a child window, as the
// content of a calendar bar, as the popup of a date control and as the
// partner of a planner control, whose shown days it selects and marks.
//
// "No date" is the valid date 0 (within half a second).  Dates of the grid
// are midnights; day-of-week numbers are 0 Sunday .. 6 Saturday.
#include <map>
#include <vector>

#include "framework/Array.h"
#include "framework/List.h"
#include "framework/OleDateTime.h"
#include "framework/win/Controls.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/planner/ZUDPPlannerDragDrop.h"

class CZUDPPlannerManagerCtrl;
class CZUDPDateTimeCtrl;
class CZUDPMonthPickerWnd;
class COleDataObject;

// The calendar's colours, in this order.
struct CalendarColors {
    COLORREF clrCaption = (COLORREF)-1;        // caption face
    COLORREF clrCaptionText = (COLORREF)-1;    // caption text
    COLORREF clrSelected = (COLORREF)-1;       // selection face
    COLORREF clrSelectedText = (COLORREF)-1;   // selection text
    COLORREF clrTodayBorder = (COLORREF)-1;    // today frame
};

// A set of dates kept in time order; two dates within half a second are
// the same member.  Dates that cannot be shown (beyond the year 9999) are
// kept as given and ordered by their value.
class CZUDPCalendarDateSet {
public:
    BOOL Add(DATE date);          // FALSE when an equal date is there
    BOOL Remove(DATE date);       // FALSE when there was none
    BOOL Contains(DATE date) const;
    void RemoveAll() { m_dates.clear(); }
    int GetCount() const { return int(m_dates.size()); }
    BOOL IsEmpty() const { return m_dates.empty(); }
    DATE GetAt(int i) const { return m_dates[size_t(i)]; }
    const std::vector<DATE>& Dates() const { return m_dates; }

private:
    size_t LowerBound(double key) const;
    std::vector<DATE> m_dates;
};

class CZUDPCalendar : public CZUDPWnd {
    DECLARE_DYNCREATE(CZUDPCalendar)
public:
    CZUDPCalendar();
    ~CZUDPCalendar() override;

    // ---- creation ----
    // WS_POPUP makes a popup calendar (topmost tool window without a
    // parent, owned by a date control when the parent is one); any other
    // style a child of the parent.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    using CWnd::Create;

    // ---- layout and geometry ----
    void RecalcLayout(BOOL bRedraw = TRUE);
    BOOL GetMonthRect(int nIndex, LPRECT pRect) const;
    COleDateTime GetMonthFirstDay(int nIndex) const;
    int FindMonthIndex(int nYear, int nMonth) const;
    int GetMonthRectByDate(int nYear, int nMonth, LPRECT pRect) const;
    // The 42 cells of a month block (empty cells where the block shows no
    // day), the weekday offset of its first day and, for the first block,
    // the length of the month before.
    void GetDayRects(int nIndex, RECT* pRects, int* pFirstOffset, int* pPrevLength) const;
    BOOL GetDayRect(int nYear, int nMonth, int nDay, LPRECT pRect) const;
    BOOL GetDateRect(const COleDateTime& date, LPRECT pRect) const;
    void RedrawDate(const COleDateTime& date);
    // The day under a point: relation -1 a day of the month before the
    // first block, +1 one after the last, 0 a day of its own block.
    COleDateTime HitTestDay(CPoint point, int* pRelation = nullptr, LPRECT pCell = nullptr) const;
    COleDateTime HitTestDayOfMonth(CPoint point) const;
    int HitTestMonthCaption(CPoint point, LPRECT pCaption = nullptr) const;
    // The first day of the week row under the point (with bWeekColumnOnly
    // only over the week-number column).
    COleDateTime HitTestWeek(CPoint point, BOOL bWeekColumnOnly) const;
    COleDateTime GetWeekStart(const COleDateTime& date) const;

    // ---- scrolling ----
    void NextMonth();
    void PrevMonth();
    // Shows the month first (the month list's choice and the Today
    // button); with bFollow the selection follows as after scrolling.
    void SetFirstMonth(int nYear, int nMonth, BOOL bFollow);
    int GetFirstMonth() const { return m_nFirstMonth; }
    int GetFirstYear() const { return m_nFirstYear; }

    // ---- selection ----
    void SetDate(const COleDateTime& date);
    COleDateTime GetDate() const;
    void SelectDate(const COleDateTime& date, BOOL bAdd = FALSE, BOOL bNotify = TRUE, BOOL bRedraw = TRUE);
    void UnselectDate(const COleDateTime& date, BOOL bNotify = TRUE, BOOL bRedraw = TRUE);
    void ClearSelection(BOOL bNotify = TRUE, BOOL bRedraw = TRUE);
    BOOL IsDateSelected(const COleDateTime& date) const;
    // Appends the selected days in time order.
    void GetSelectedDates(CList<DATE, DATE>& dates) const;
    void SetSelectedDates(const CList<DATE, DATE>& dates, BOOL bNotify = TRUE, BOOL bRedraw = TRUE);
    int GetSelectedCount() const { return m_Selection.GetCount(); }
    void ShiftSelection(double dDays);
    // The marked days become the days of the dates inside the shown range.
    void SetMarkedDates(const CArray<DATE, DATE>& dates, BOOL bRedraw = TRUE);
    BOOL IsDateMarked(int nYear, int nMonth, int nDay) const;
    // A day's own text colour ((COLORREF)-1 to remove it).
    void SetDateColor(const COleDateTime& date, COLORREF color);
    COLORREF GetDateColor(const COleDateTime& date) const;
    void EnableMultipleSelection(BOOL bEnable = TRUE, BOOL bWholeWeeks = FALSE);
    BOOL IsMultipleSelection() const { return m_bMultipleSelection; }
    void EnableWeekNumbers(BOOL bShow = TRUE);
    // The week number shown in a row (0..5) of a block; 0 without week
    // numbers.
    int GetRowWeekNumber(int nIndex, int nRow) const;
    BOOL IsWeekNumbers() const { return m_bWeekNumbers; }

    // ---- settings no operation of the library changes ----
    // 0..6; another value changes nothing.
    BOOL SetFirstDayOfWeek(int nDay);
    int GetFirstDayOfWeek() const { return m_nFirstDayOfWeek; }
    void ShowTodayButton(BOOL bShow = TRUE);
    void SetFitMode(BOOL bFit) { m_bFitMode = bFit; }
    void SetGradientCaption(BOOL bGradient) { m_bGradientCaption = bGradient; }

    // First day of the first shown month, 00:00; last day of the last
    // shown month, 23:59:59.
    const COleDateTime& GetFirstShownDay() const { return m_dtFirstShown; }
    const COleDateTime& GetLastShownDay() const { return m_dtLastShown; }

    // ---- the planner link (made and broken by the planner control) ----
    CZUDPPlannerManagerCtrl* GetPlanner() const { return m_pPlanner; }
    // The owner date control of a popup calendar (null: none, or gone).
    CZUDPDateTimeCtrl* GetOwnerDateCtrl() const;
    BOOL IsMonthListOpen() const { return m_bMonthListOpen; }
    CZUDPMonthPickerWnd* GetMonthList() const { return m_pMonthPicker; }

    // ---- painting and notification ----
    virtual void OnDraw(CDC* pDC);
    virtual void DrawMonth(CDC* pDC, CRect rectMonth, int nIndex);
    virtual void NotifySelectionChanged();

    // ---- drops of planner data on a day ----
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The Today button's id and the week-selection cursor.
    static const UINT nTodayButtonID = 101;
    static HCURSOR GetWeekCursor();

    // ---- state (read by the calendar bar, the month list and tests) ----
    CalendarColors m_colors;
    BOOL m_bFitMode = FALSE;
    BOOL m_bWeekNumbers = FALSE;
    BOOL m_bGradientCaption = FALSE;
    int m_nMonthWidth = 0;
    int m_nMonthHeight = 0;
    int m_nMonthCount = 0;
    int m_nColumns = 0;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nFirstMonth = 1;
    int m_nFirstYear = 2000;
    int m_nFirstDayOfWeek = 0;
    CStringArray m_DayNames;
    CRect m_rectPrev;
    CRect m_rectNext;
    BOOL m_bRepeatFirstPhase = FALSE;
    int m_nRepeatTicks = 0;
    BOOL m_bRepeatForward = FALSE;
    CRect m_rectPressed;
    BOOL m_bShowTodayButton = FALSE;
    CButton m_wndToday;
    COleDateTime m_dtFirstShown;
    COleDateTime m_dtLastShown;
    BOOL m_bMultipleSelection = FALSE;
    BOOL m_bWholeWeeks = FALSE;
    CZUDPPlannerManagerCtrl* m_pPlanner = nullptr;     // linked planner, not owned
    CZUDPPlannerDropTarget m_DropTarget;
    CRect m_rectDropFrame;
    COleDateTime m_dtDragEnd;
    COleDateTime m_dtDragAnchor;
    BOOL m_bWeekRowDrag = FALSE;
    BOOL m_bSelectionChanged = FALSE;
    int m_nVertMargin = 2;
    int m_nHorzMargin = 2;
    int m_nWeekColumnWidth = 0;
    int m_nRightMargin = 0;
    CArray<int, int> m_WeekNumbers;
    CRect m_rectCalendar;
    BOOL m_bMonthListOpen = FALSE;
    BOOL m_bScrolling = FALSE;
    BOOL m_bPopupMode = FALSE;

protected:
    friend class CZUDPMonthPickerWnd;
    friend class CZUDPPlannerManagerCtrl;

    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnCancelMode();
    void OnCaptureChanged(CWnd* pWnd);
    void OnKillFocus(CWnd* pNewWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnToday();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    // The press and drag state back to idle.
    void ResetPress();
    // The selection follows the shown months (after the user scrolled).
    void FollowSelection();
    // Hands a chosen date to the owner date control (only while its
    // window exists).
    void CloseOwnerPopup(const COleDateTime& date);
    // The day names of the columns (from a fixed known week).
    void UpdateDayNames();
    // A shown month: its first day is a date and it has days.
    BOOL IsMonthFormed(int nIndex) const;
    BOOL IsInShownMonths(const COleDateTime& date) const;

    CZUDPCalendarDateSet m_Selection;
    CZUDPCalendarDateSet m_Marked;
    std::map<double, COLORREF> m_DayColors;
    CZUDPDateTimeCtrl* m_pOwnerDateCtrl = nullptr;
    HWND m_hOwnerDateCtrl = nullptr;
    CZUDPMonthPickerWnd* m_pMonthPicker = nullptr;   // the open month list
};

// A date: valid and not the date 0.
BOOL IsCalendarDate(const COleDateTime& date);

// The date's month moved by a number of months (December to January of
// the next year); the month and year of the result.  FALSE (and nothing
// moved) when the result leaves the years 100 .. 9999.
BOOL AddCalendarMonths(int& nYear, int& nMonth, int nMonths);

// Month and weekday texts of the user locale ("MMMM", "ddd",
// "MMMM yyyy"), without touching the C runtime's locale.
CString CalendarMonthName(int nMonth);
CString CalendarMonthCaption(const COleDateTime& firstDay);
CString CalendarDayName(int nDayOfWeek);
