#pragma once
// The month page: a row of weekday names, optionally a week bar at the
// left with each week's dates written upward, one cell per day with its
// date caption and one text row per appointment below it; Saturday and
// Sunday may share a column (compressed weekend).
#include "ui/planner/ZUDPPlannerPrint.h"

class CZUDPPlannerPrintMonth : public CZUDPPlannerPrint {
    DECLARE_DYNCREATE(CZUDPPlannerPrintMonth)
public:
    CZUDPPlannerPrintMonth() = default;

    void SetCompressWeekend(BOOL bCompress) override { m_bCompressWeekend = bCompress; }
    BOOL IsCompressWeekend() const override { return m_bCompressWeekend; }
    void SetDrawTimeFinish(BOOL bDraw) override { m_bDrawTimeFinish = bDraw; }
    BOOL IsDrawTimeFinish() const override { return m_bDrawTimeFinish; }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    // A range of two weeks or more stays; otherwise the five weeks from
    // the week that holds the 1st of the date's month.
    void AdjustDateRange(const COleDateTime& date) override;
    void GetCaptionFormatStrings(CStringArray& formats) override;
    CString GetPageHeaderText() override;
    void AdjustPageAreas(CDC* pDC, RECT& page) override;
    void AdjustRects() override;
    void AdjustAppointments() override;
    void OnDrawClient(CDC* pDC) override;
    virtual void DrawWeekdayCaptions(CDC* pDC, const RECT& rect);
    virtual void DrawWeekBar(CDC* pDC, const RECT& rect);

    // The week start (1 Sunday .. 7 Saturday), Monday instead of Sunday
    // when the weekend is compressed.
    COleDateTime GetWeekStart(const COleDateTime& date, int nFirstDay) const;
    int GetWeeks() const { return GetDayCount() / 7; }
    int GetWeekBarWidth() const { return m_nWeekBarWidth; }
    int GetWeekdayCaptionHeight() const { return m_nWeekdayCaptionHeight; }

protected:
    // The first grid column's day, 0 Sunday .. 6 Saturday.
    int FirstColumnDay() const;

    int m_nWeekdayCaptionHeight = 0;
    int m_nWeekBarWidth = 0;
    BOOL m_bDrawTimeFinish = TRUE;
    BOOL m_bCompressWeekend = TRUE;
};
