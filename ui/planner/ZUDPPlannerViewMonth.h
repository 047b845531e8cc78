#pragma once
// CZUDPPlannerViewMonth: the month view: a block of whole weeks as a grid,
// one row per week and one column per weekday, each day a cell with a
// caption line (the day number, the month name on the grid's first cell
// and on every 1st) and below it one line per appointment.  A header over
// the columns names the weekdays; an optional week bar (drawing flag
// 0x200) on the left shows each week's dates, written bottom to top.
// Saturday and Sunday can share one column (the compressed weekend),
// stacked in two half-height cells.  Whole-day selection, week steps,
// resize edges and the icons of hidden appointments are the week view's.
//
// ZUDPPlannerViewMonth.cpp holds the range, layout, placement, hit tests
// and keys; ZUDPPlannerViewMonthPaint.cpp the painting and the caption
// texts.
#include "ui/planner/ZUDPPlannerView.h"

class CZUDPPlannerViewMonth : public CZUDPPlannerView {
    DECLARE_DYNCREATE(CZUDPPlannerViewMonth)
public:
    // Five weeks from the (zero) start.
    CZUDPPlannerViewMonth();
    ~CZUDPPlannerViewMonth() override;

    // ---- base operations, in slot order ----
    // The week start of the first day of the date's month.
    COleDateTime CalculateDateStart(const COleDateTime& date) const override;
    // Whole days, as in the week view.
    void SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw = TRUE) override;
    // The week-bar cell under the point, -1 when none.
    int GetWeekFromPoint(const CPoint& point) const override;
    // A date outside the range makes its week the first row.
    void SetDate(const COleDateTime& date) override;
    // Two to six whole weeks covering the interval.
    void SetDateInterval(const COleDateTime& date1, const COleDateTime& date2) override;
    void SetCompressWeekend(BOOL bCompress) override;
    BOOL IsCompressWeekend() const override { return m_bCompressWeekend; }
    void SetDrawTimeFinish(BOOL bDraw) override;
    BOOL IsDrawTimeFinish() const override { return m_bDrawTimeFinish; }
    void SetDrawTimeAsIcons(BOOL bDraw) override;
    BOOL IsDrawTimeAsIcons() const override { return m_bDrawTimeAsIcons; }
    // The header's weekday names: "dddd", then "ddd".
    void GetCaptionFormatStrings(CStringArray& sa) override;
    // Header height and week-bar width.
    void AdjustScrollSizes(CDC* pDC, const CRect& rectClient) override;
    // One cell per day, the weekend halves, the week-bar cells.
    void AdjustRects() override;
    // One line per appointment below each day's caption; long appointments
    // keep their line along a week row.
    void AdjustAppointments() override;
    // A virtual range of 0..250 with page 5, set once at position 125.
    void UpdateScrollBar() override;
    // Day and week captions, header and week bar.
    int HitTestArea(const CPoint& point) const override;
    // Nothing over the header or outside; copy with Control, else move.
    DROPEFFECT GetDropEffect(DWORD dwKeyState, const CPoint& point) const override;
    void OnPaint(CDC* pDC, const CRect& rectClient) override;
    // Grid lines, day backgrounds and captions.
    void OnDrawClient(CDC* pDC, const CRect& rect) override;
    // The header strip with a raised mark on each column boundary.
    int DrawHeaderArea(CDC* pDC, const CRect& rect, int nStep) override;
    // Week steps.
    BOOL OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // Never: the control's automatic scrolling leaves weeks alone.
    BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
    DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point) override;
    // Five weeks from the week of the current month's first day.
    void OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView) override;
    // Only the left and right edges (first and last day).
    BOOL CanResizeAt(int nHitCode) const override;
    // A down icon in the day's bottom right corner.
    void AddUpDownIcons(BYTE nFlags, const CRect& rectDay) override;

    // ---- the month view's own, in this order ----
    virtual void OnDrawHeader(CDC* pDC, const CRect& rect);
    virtual void OnDrawWeekBar(CDC* pDC, const CRect& rect);

    // The week start of the date for a weekday 1 (Sunday) .. 7: Monday
    // instead of Sunday while the weekend is compressed.
    COleDateTime CalculateWeekStart(const COleDateTime& date, int nWeekday) const;
    // The week start of the control's first day of the week.
    COleDateTime GetEffectiveWeekStart(const COleDateTime& date) const;
    // The control's first day of the week, Monday for Sunday while the
    // weekend is compressed (0 Sunday .. 6 Saturday).
    int GetEffectiveFirstDay() const;

    // The caption text of the day in the cell rectangle: the day number,
    // or on month-name days the widest format that fits (measured in the
    // DC's current font).
    CString GetDayCaptionText(CDC* pDC, const COleDateTime& date, BOOL bMonthName, const CRect& rectCaption) const;

    int GetDayCount() const { return m_nDayCount; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    int GetWeekBarWidth() const { return m_nWeekBarWidth; }
    const CRectArray& GetWeekBarRects() const { return m_WeekBarRects; }

protected:
    // Date end from date start and the day count.
    void RecomputeDateEnd();

    int m_nHeaderHeight = 0;
    int m_nWeekBarWidth = 0;
    int m_nDayCount = 35;
    BOOL m_bDrawTimeFinish = TRUE;
    BOOL m_bDrawTimeAsIcons = FALSE;
    BOOL m_bCompressWeekend = TRUE;
    CRectArray m_WeekBarRects;
};
