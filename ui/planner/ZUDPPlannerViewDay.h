#pragma once
// CZUDPPlannerViewDay: the planner view of one or more consecutive days
// side by side, each a column cut into time slots.  From the left: the
// time scale (hours, the current-time mark, the icons of hidden
// appointments); then, from the top, the header band of day captions, the
// all-day band holding all-day and long appointments in rows, and the time
// grid, scrolled by whole rows, where timed appointments that overlap
// share the day in columns.
//
// ZUDPPlannerViewDay.cpp lays the view out (bands, row height, columns,
// placement, visibility, icons, hit testing, scrolling);
// ZUDPPlannerViewDayPaint.cpp paints it (grid, strips, all-day band,
// appointment boxes, the one-minute clock); ZUDPPlannerViewDayScale.cpp
// paints the time scale and the day captions; ZUDPPlannerViewDayInput.cpp
// holds the range and selection rules, the date under a point, the
// keyboard, the mouse in the bands, activation and dragged appointments.
#include <functional>

#include "ui/planner/ZUDPPlannerView.h"

// The day view's one-minute clock, on the control's window.
const UINT ZUDP_PLANNER_TIMER_CLOCK = 1974;
const UINT ZUDP_PLANNER_CLOCK_PERIOD = 60000;

class CZUDPPlannerViewDay : public CZUDPPlannerView {
    DECLARE_DYNCREATE(CZUDPPlannerViewDay)
public:
    CZUDPPlannerViewDay();
    ~CZUDPPlannerViewDay() override;

    // ---- base operations, in slot order ----
    // The range start while the current date lies in the range, else the
    // start moved one day toward the current date.
    COleDateTime CalculateDateStart(const COleDateTime& date) const override;
    // Also true for the start of a one-slot selection.
    BOOL IsDateInSelection(const COleDateTime& date) const override;
    // Both ends snapped to slots (the later end the last second of its
    // slot) and the fully selected days marked; nothing while detached.
    void SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw = TRUE) override;
    // The day column and the slot row under the point (its date the
    // current date over the time scale; 00:00 above the grid).
    COleDateTime GetDateFromPoint(const CPoint& point) const override;
    // Shows the days from the date's day on, as many as shown now.
    void SetDate(const COleDateTime& date) override;
    // Shows the days from start to end (the end's last second); an end
    // before the start shows the start's day.
    void SetDateInterval(const COleDateTime& date1, const COleDateTime& date2) override;
    BOOL CanDrawShadow() const override { return TRUE; }
    void GetCaptionFormatStrings(CStringArray& sa) override;
    // The time scale, the two bands and the row height.
    void AdjustScrollSizes(CDC* pDC, const CRect& rectClient) override;
    // One column per day.
    void AdjustRects() override;
    // Timed appointments in the grid (side by side where they overlap),
    // long ones in rows of the all-day band; visibility and icons.
    void AdjustAppointments() override;
    // Page, last row and position by rows.
    void UpdateScrollBar() override;
    // The area first; in the grid and the all-day band the part of an
    // appointment under the point.
    int HitTest(const CPoint& point) const override;
    int HitTestArea(const CPoint& point) const override;
    // Long appointments are tested against the all-day band above the
    // rectangle.
    void CheckVisibleAppointments(const COleDateTime& date, const CRect& rect, BOOL bFullVisible) override;
    void OnPaint(CDC* pDC, const CRect& rectClient) override;
    // The time grid: working hours, the selection, slot and hour lines,
    // day separators and duration-strip columns.
    void OnDrawClient(CDC* pDC, const CRect& rect) override;
    // In the grid the timed appointments, in the band the long ones; the
    // selected ones last, on top.
    BYTE DrawAppointments(CDC* pDC, const CRect& rect, const COleDateTime& date) override;
    // A vertical box in the grid or a bar in the band.
    void DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS) override;
    // Scrolls by rows (the standard scroll codes).
    BOOL OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // The one-minute clock (1974); other timers go to the base.
    BOOL OnTimer(UINT_PTR nIDEvent) override;
    // The view rectangle widened by the time scale.
    CRect GetRect() const override;
    void OnDeactivate(CZUDPPlannerManagerCtrl* pPlanner) override;
    // One slot of the time scale.
    COleDateTimeSpan GetMinimumSpan() const override;
    // The icons sit in the time scale, one of each at most.
    void AddUpDownIcons(BYTE nFlags, const CRect& rectDay) override;
    // Scrolls a timed appointment into view; TRUE when it is visible.
    BOOL EnsureAppointmentVisible(CZUDPAppointment* pApp, BOOL bAnyPart = FALSE) override;
    // Whole days in the caption and all-day bands; elsewhere the base.
    BOOL OnLButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnMouseMove(UINT nFlags, CPoint point) override;
    // The current day with the first working slot selected.
    void OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView) override;
    // Always the scroll effect: the control keeps scrolling the grid.
    DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point) override;
    // Copies over the all-day band become all-day (and the reverse);
    // m_bDragChanged 2 asks for a whole layout.
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    // All-day and long appointments, and timed ones whose edit rectangle
    // starts in the grid.
    void EditAppointment(CZUDPAppointment* pApp) override;

    // ---- the day view's own, in this order ----
    virtual void DrawDayCaptions(CDC* pDC, const CRect& rect);
    virtual void DrawAllDayBand(CDC* pDC, const CRect& rect);
    virtual void DrawCurrentTimeMark(CDC* pDC, const CRect& rect);
    virtual void DrawTimeScale(CDC* pDC, const CRect& rect, BOOL bShowNow);
    static CString FitHourLabel(CDC* pDC, const CString& label, CRect& cell, int nLeftmost);
    virtual void DrawLongAppointmentStrips(CDC* pDC);
    virtual COleDateTime GetNextDate() const;
    virtual COleDateTime GetPrevDate() const;

    // The label of an hour of the time scale.  Hour slots: the whole label
    // ("%2d" and the time separator and "00", or "12 " and the lower-case
    // designator at midnight and noon on a 12-hour clock) in `hour`.
    // Shorter slots: the hour number in `hour`, "00" in `minutes`, or on a
    // 12-hour clock the designator at midnight, noon and, with
    // bFirstShown, at the first hour shown.
    struct TimeScaleLabel {
        CString hour;
        CString minutes;
    };
    static TimeScaleLabel GetTimeScaleLabel(int nHour, int nSlotsPerHour, BOOL bFirstShown);

    // The clock: started while today is in the range.
    void StartClock(BOOL bRedraw);
    void StopClock(BOOL bRedraw);
    BOOL IsClockRunning() const { return m_nClockTimer != 0; }
    // Now lies between the range's start and its end.
    BOOL IsTodayInRange() const;

    // Minutes per slot and slots per day of the control's time-scale unit.
    int GetSlotMinutes() const;
    int GetSlotsPerDay() const { return 1440 / GetSlotMinutes(); }
    // The row height below 1 counts as 1 wherever it divides.
    int GetRowStep() const { return m_nRowHeight > 0 ? m_nRowHeight : 1; }

    const CRect& GetTimeScaleRect() const { return m_rectTimeScale; }
    int GetHeaderBandHeight() const { return m_nHeaderBandHeight; }
    int GetAllDayBandHeight() const { return m_nAllDayBandHeight; }

    // Public while the views are being completed.
    CRect m_rectTimeScale;
    int m_nHeaderBandHeight = 1;
    int m_nAllDayBandHeight = 1;
    COleDateTime m_dtNow;
    UINT_PTR m_nClockTimer = 0;
    CArray<int, int> m_arDayFullySelected;   // 1: the selection covers the whole day

protected:
    // The all-day rows the range needs: the most all-day and long
    // appointments on one shown day (at least 1).
    // With a resource, only the appointments of that resource count.
    int CountAllDayRows(const UINT* pResource = nullptr) const;
    // The time scale, the caption band of the rows given, the all-day band
    // of the rows given and the row height.
    void AdjustBands(const CRect& rectClient, int nCaptionRows, int nAllDayRows);
    // Timed appointments of one day and one list, placed and split into
    // columns.
    void PlaceTimedAppointments(const CZUDPAppointmentArray& list, int nDay, const COleDateTime& date,
                                CZUDPAppointmentArray& longApps);
    // The same inside a column of the day (with a resource: only its
    // appointments).
    void PlaceTimedAppointmentsIn(const CZUDPAppointmentArray& list, const CRect& rectDay, int nDay,
                                  const COleDateTime& date, CZUDPAppointmentArray& longApps, const UINT* pResource);
    // The duration strips of long appointments, each day's in the column
    // the function gives (FALSE: the appointment has none that day).
    void DrawLongAppointmentStripsIn(CDC* pDC,
                                     const std::function<BOOL(const CZUDPAppointment*, int, CRect&)>& column);
    // Long appointments into the first band row where they overlap no
    // earlier one.
    void PlaceLongAppointments(const CZUDPAppointmentArray& longApps);
    // The working hours (start, end) as minutes of the day.
    void GetWorkingMinutes(int& nStart, int& nEnd) const;
    // The 5-pixel grips above and below a selected timed box.
    static void DrawGrips(CDC* pDC, const CRect& box, BOOL bAbove, BOOL bBelow, COLORREF clrDuration,
                          COLORREF clrFrame);
    // The scroll position clamped to 0 .. rows - page.
    int ClampScrollPosition(int nPosition) const;
    // The time scale's hour numbers beside slots shorter than an hour: the
    // regular font twice as tall, made again only when that font changes
    // (making a font costs more than the rest of the time scale).
    CFont* GetTimeScaleHourFont(CFont* pRegular);

    // The whole day clicked, or the days from the anchor's to it (written
    // backwards when the anchor's day is not earlier).
    void SelectWholeDays(const COleDateTime& clicked, BOOL bFromAnchor, COleDateTime& start,
                         COleDateTime& end) const;
    // The day at the start of its first working slot.
    COleDateTime GetFirstWorkingSlot(const COleDateTime& day) const;

private:
    CFont m_fontTimeScaleHour;
    LOGFONTA m_fontTimeScaleHourSource = {};
};
