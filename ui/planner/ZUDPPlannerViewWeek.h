#pragma once
// CZUDPPlannerViewWeek: the week view: seven days in two columns, Saturday and Sunday sharing a cell.  This version is
// what the planner control and the visual manager need of it: its runtime
// class (the control creates its views by class) and the view operations
// every view must have, answering nothing; the view's own layout,
// painting and input complete it.
#include "ui/planner/ZUDPPlannerView.h"

class CZUDPPlannerViewWeek : public CZUDPPlannerView {
    DECLARE_DYNCREATE(CZUDPPlannerViewWeek)
public:
    CZUDPPlannerViewWeek() = default;

    // The range's start.
    COleDateTime CalculateDateStart(const COleDateTime& date) const override;
    void GetCaptionFormatStrings(CStringArray& sa) override;
    void AdjustScrollSizes(CDC* pDC, const CRect& rectClient) override;
    void AdjustRects() override;
    void AdjustAppointments() override;
    void OnPaint(CDC* pDC, const CRect& rectClient) override;
    void OnDrawClient(CDC* pDC, const CRect& rect) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
};
