#pragma once
// The planner's views and the planner control.  This version holds what
// the visual manager's planner drawing tests and reads: the view classes
// (day and month) and the control's own background colour and style; the
// planner subsystem completes them.
#include "ui/commandbars/ZUDPWnd.h"

class CZUDPPlannerManagerCtrl;

class CZUDPPlannerView : public CObject {
    DECLARE_DYNAMIC(CZUDPPlannerView)
public:
    CZUDPPlannerView() = default;

    // The planner control that shows the view (its colours apply), null
    // while the view belongs to none.
    CZUDPPlannerManagerCtrl* GetPlanner() const { return m_pPlanner; }

    CZUDPPlannerManagerCtrl* m_pPlanner = nullptr;
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

    COLORREF m_clrBackground = 0xFF000000; // own background colour (0xFF000000: none)
    int m_nBackgroundStyle = 0;            // 1 or less: the working hours are hatched
};
