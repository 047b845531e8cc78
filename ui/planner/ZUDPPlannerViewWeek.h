#pragma once
// CZUDPPlannerViewWeek: the week view: seven days in two columns of three
// cells, the first three days of the week on the left from top to bottom,
// the next two and a weekend cell on the right, Saturday and Sunday sharing
// that cell in an upper and a lower half.  Each day has a caption band and
// below it one line per appointment.  The view scrolls by whole weeks,
// selects whole days, moves the selected day across the two columns with
// the arrow keys and resizes appointments only at their left and right
// edges.  Its scrolling, whole-day selection, date under a point, icons of
// hidden appointments and resize edges are the month view's too.
#include "ui/planner/ZUDPPlannerView.h"

class CZUDPPlannerViewWeek : public CZUDPPlannerView {
    DECLARE_DYNCREATE(CZUDPPlannerViewWeek)
public:
    // Seven days from the (zero) start.
    CZUDPPlannerViewWeek();

    // The week start of the control's first day of week; a Sunday start
    // becomes Monday, so the weekend always shares one cell.
    COleDateTime CalculateDateStart(const COleDateTime& date) const override;
    // Whole days: the anchor at 00:00:00 and the other end at 23:59:59, or
    // the other way round when the anchor lies on a later day.
    void SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw = TRUE) override;
    // The week of the date; the date becomes the current date.
    void SetDate(const COleDateTime& date) override;
    void SetDrawTimeFinish(BOOL bDraw) override;
    BOOL IsDrawTimeFinish() const override { return m_bDrawTimeFinish; }
    void SetDrawTimeAsIcons(BOOL bDraw) override;
    BOOL IsDrawTimeAsIcons() const override { return m_bDrawTimeAsIcons; }
    void GetCaptionFormatStrings(CStringArray& sa) override;
    void AdjustScrollSizes(CDC* pDC, const CRect& rectClient) override;
    // Two columns of three cells, the weekend halves.
    void AdjustRects() override;
    // One line per appointment below each day's caption band.
    void AdjustAppointments() override;
    // A virtual range of 0..50 with page 1, set once at position 25:
    // positions are week steps, not dates.
    void UpdateScrollBar() override;
    // Adds the day caption band (7).
    int HitTestArea(const CPoint& point) const override;
    void OnPaint(CDC* pDC, const CRect& rectClient) override;
    void OnDrawClient(CDC* pDC, const CRect& rect) override;
    // Week steps: the range, the current date and the selection move by
    // seven days per position.
    BOOL OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // Never: the control's automatic scrolling during a drag leaves weeks
    // alone.
    BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
    void OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView) override;
    // Only the left and right edges (start and finish day).
    BOOL CanResizeAt(int nHitCode) const override;
    // A down icon in the day's bottom right corner; never an up icon.
    void AddUpDownIcons(BYTE nFlags, const CRect& rectDay) override;

protected:
    BOOL m_bDrawTimeFinish = TRUE;
    BOOL m_bDrawTimeAsIcons = FALSE;
    // The virtual scroll range is set once; afterwards the position a
    // view had survives its deactivation (activation clears the scroll
    // fields of every view).
    BOOL m_bScrollRangeSet = FALSE;
    int m_nKeptScrollPosition = 0;
};
