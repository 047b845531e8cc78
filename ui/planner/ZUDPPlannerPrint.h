#pragma once
// The planner's printer object.  This version holds what an appointment
// asks of it when it prints itself: the drawing of one printed part (which
// prints nothing yet).
#include "framework/Object.h"

class CDC;
class CZUDPAppointment;
class CZUDPAppointmentDrawStruct;

class CZUDPPlannerPrint : public CObject {
    DECLARE_DYNCREATE(CZUDPPlannerPrint)
public:
    CZUDPPlannerPrint() = default;

    // Prints one part of an appointment (the record's rectangle and edge
    // flags).
    virtual void DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS)
    {
        (void)pDC;
        (void)pApp;
        (void)pDS;
    }
};
