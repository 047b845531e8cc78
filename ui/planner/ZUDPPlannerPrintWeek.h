#pragma once
// The week page: six cells in two columns like a paper diary, three days
// down each half, Saturday and Sunday sharing one cell split in two; each
// cell has a date caption and one text row per appointment of its day.
#include "ui/planner/ZUDPPlannerPrint.h"

class CZUDPPlannerPrintWeek : public CZUDPPlannerPrint {
    DECLARE_DYNCREATE(CZUDPPlannerPrintWeek)
public:
    CZUDPPlannerPrintWeek() = default;

    void SetDrawTimeFinish(BOOL bDraw) override { m_bDrawTimeFinish = bDraw; }
    BOOL IsDrawTimeFinish() const override { return m_bDrawTimeFinish; }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    // The week that holds the date, from its first day (Monday when the
    // week starts on Sunday, so that the weekend shares a cell).
    void AdjustDateRange(const COleDateTime& date) override;
    void GetCaptionFormatStrings(CStringArray& formats) override;
    // The first and last day in two lines; the years only across a new year.
    CString GetPageHeaderText() override;
    void AdjustRects() override;
    void AdjustAppointments() override;
    void OnDrawClient(CDC* pDC) override;

    // The last first-day (1 Sunday .. 7 Saturday, Sunday taken as Monday)
    // at or before the date.
    static COleDateTime GetWeekStart(const COleDateTime& date, int nFirstDay);
    // The first day of the printed week, 1 Monday .. 6 Saturday.
    static int GetFirstDay();

protected:
    BOOL m_bDrawTimeFinish = TRUE;
};
