#pragma once
// CZUDPPlannerManagerView: a document view that holds a planner control
// filling its client area.
#include "framework/OleDateTime.h"
#include "framework/win/DocTemplate.h"

class CZUDPPlannerManagerCtrl;

class CZUDPPlannerManagerView : public CView {
    DECLARE_DYNCREATE(CZUDPPlannerManagerView)
public:
    CZUDPPlannerManagerView() = default;

    // A time interval the user selected with the mouse in the control.
    virtual void OnSelectTimeInterval(COleDateTime dtStart, COleDateTime dtFinish)
    {
        (void)dtStart;
        (void)dtFinish;
    }
};
