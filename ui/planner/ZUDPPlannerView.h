#pragma once
// The planner's views and the planner control.  This version holds what
// the visual manager's planner drawing tests and reads: the view classes
// (day and month) and the control's own background colour and style; the
// planner subsystem completes them.
// This version also holds what an appointment asks of its view and control
// when it draws itself and edits its text in place: the view's appointment
// drawing (which paints nothing yet) and row height, the control's current
// view and its update of a changed appointment.
#include "framework/OleDateTime.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/planner/ZUDPPlannerDates.h"

class CZUDPPlannerManagerCtrl;
class CZUDPAppointment;
class CZUDPAppointmentDrawStruct;

class CZUDPPlannerView : public CObject {
    DECLARE_DYNAMIC(CZUDPPlannerView)
public:
    CZUDPPlannerView() = default;

    // The planner control that shows the view (its colours apply), null
    // while the view belongs to none.
    CZUDPPlannerManagerCtrl* GetPlanner() const { return m_pPlanner; }

    // Same year and same day of the year (the planner's one same-day rule).
    static BOOL IsSameDay(const COleDateTime& a, const COleDateTime& b) { return PlannerDates::IsSameDay(a, b); }

    // Paints one part of an appointment (the record's rectangle and edge
    // flags) and reports its edit rectangle, text rectangle and whether the
    // text was cut into the record.
    virtual void DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS)
    {
        (void)pDC;
        (void)pApp;
        (void)pDS;
    }

    // Height of a caption band and of one appointment line.
    int GetRowHeight() const { return m_nRowHeight; }

    CZUDPPlannerManagerCtrl* m_pPlanner = nullptr;
    int m_nRowHeight = 0;
};

class CZUDPPlannerViewDay : public CZUDPPlannerView {
    DECLARE_DYNCREATE(CZUDPPlannerViewDay)
public:
    CZUDPPlannerViewDay() = default;
};

class CZUDPPlannerViewMonth : public CZUDPPlannerView {
    DECLARE_DYNCREATE(CZUDPPlannerViewMonth)
public:
    CZUDPPlannerViewMonth() = default;
};

class CZUDPPlannerManagerCtrl : public CZUDPWnd {
    DECLARE_DYNCREATE(CZUDPPlannerManagerCtrl)
public:
    CZUDPPlannerManagerCtrl() = default;

    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    int GetBackgroundStyle() const { return m_nBackgroundStyle; }

    // The view of the current type, null while there is none.
    CZUDPPlannerView* GetCurrentView() const { return m_pCurrentView; }

    // Takes a changed appointment (dtOld: the start it had); FALSE when
    // the change is refused.  This version has no storage and no parent
    // to ask: it accepts every change.
    virtual BOOL UpdateAppointment(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bRequery = TRUE,
                                   BOOL bRedraw = TRUE)
    {
        (void)pApp;
        (void)dtOld;
        (void)bRequery;
        (void)bRedraw;
        return TRUE;
    }

    COLORREF m_clrBackground = 0xFF000000; // own background colour (0xFF000000: none)
    int m_nBackgroundStyle = 0;            // 1 or less: the working hours are hatched
    CZUDPPlannerView* m_pCurrentView = nullptr;
};
