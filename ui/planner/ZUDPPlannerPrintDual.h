#pragma once
// The dual page: the day page of the control's current date on the left
// half, the week page of its week on the right half, one footer across the
// page.  The two halves are complete printer objects this one owns and
// drives.
#include "ui/planner/ZUDPPlannerPrint.h"

class CZUDPPlannerPrintDay;
class CZUDPPlannerPrintWeek;

class CZUDPPlannerPrintDual : public CZUDPPlannerPrint {
    DECLARE_DYNCREATE(CZUDPPlannerPrintDual)
public:
    CZUDPPlannerPrintDual();
    ~CZUDPPlannerPrintDual() override;

    void SetDrawTimeFinish(BOOL bDraw) override;
    BOOL IsDrawTimeFinish() const override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo, CZUDPPlannerManagerCtrl* pPlanner) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void SetDrawPageHeader(BOOL bDraw) override;
    // The page has no header of its own.
    void CalcPageHeaderRect(CDC* pDC) override;

    CZUDPPlannerPrintDay* GetDayPart() const { return m_pPrintDay; }
    CZUDPPlannerPrintWeek* GetWeekPart() const { return m_pPrintWeek; }

protected:
    CZUDPPlannerPrintDay* m_pPrintDay = nullptr;    // owned
    CZUDPPlannerPrintWeek* m_pPrintWeek = nullptr;  // owned
};
