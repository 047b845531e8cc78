#pragma once
// The day page: a time scale at the left, one column per printed day (24
// hour rows), a caption row with the dates when more than one day is
// printed, an all-day area for all-day and long appointments, and the timed
// appointments in their columns by start and finish, overlapping ones side
// by side in lanes.
#include "ui/planner/ZUDPPlannerPrint.h"

class CZUDPPlannerPrintDay : public CZUDPPlannerPrint {
    DECLARE_DYNCREATE(CZUDPPlannerPrintDay)
public:
    CZUDPPlannerPrintDay() = default;

    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    // The day of the date, 00:00 to 23:59:59.
    void AdjustDateRange(const COleDateTime& date) override;
    void GetCaptionFormatStrings(CStringArray& formats) override;
    void AdjustPageAreas(CDC* pDC, RECT& page) override;
    void AdjustRects() override;
    void AdjustAppointments() override;
    // Long appointments are measured against the all-day area.
    void CheckVisibleAppointments(const COleDateTime& date, const RECT& rect, BOOL bFull) override;
    // The long date and the weekday.
    void DrawPageHeader(CDC* pDC) override;
    // The hour grid.
    void OnDrawClient(CDC* pDC) override;
    void DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS) override;
    virtual void DrawDayCaptions(CDC* pDC, const RECT& rect);
    virtual void DrawAllDayArea(CDC* pDC, const RECT& rect);
    virtual void DrawTimeScale(CDC* pDC, const RECT& rect);
    // Strips beside the time rows for long appointments that are not all-day.
    virtual void DrawDurationBars(CDC* pDC);

    const CRect& GetTimeScaleRect() const { return m_rectTimeScale; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    int GetAllDayHeight() const { return m_nAllDayHeight; }

    static const int kRowsPerDay = 24;

protected:
    CRect m_rectTimeScale;
    int m_nCaptionHeight = 0;
    int m_nAllDayHeight = 0;
};
