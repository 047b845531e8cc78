#pragma once
// The planner's printer object: one per print job, made by the planner
// control for its view and driven through the job.  This version holds the
// job's entry points, which print nothing yet, and what an appointment
// asks of it when it prints itself (the drawing of one printed part).
#include "framework/Object.h"

class CDC;
class CPrintInfo;
class CZUDPAppointment;
class CZUDPAppointmentDrawStruct;
class CZUDPPlannerManagerCtrl;

class CZUDPPlannerPrint : public CObject {
    DECLARE_DYNCREATE(CZUDPPlannerPrint)
public:
    CZUDPPlannerPrint() = default;

    // Before the print dialog: the page range of the job.
    virtual void OnPreparePrinting(CPrintInfo* pInfo) { (void)pInfo; }
    // The job begins on the printer DC for the planner's shown range.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo, CZUDPPlannerManagerCtrl* pPlanner)
    {
        (void)pDC;
        (void)pInfo;
        (void)pPlanner;
    }
    // Prints the page.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo)
    {
        (void)pDC;
        (void)pInfo;
    }

    // Prints one part of an appointment (the record's rectangle and edge
    // flags).
    virtual void DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS)
    {
        (void)pDC;
        (void)pApp;
        (void)pDS;
    }
};
