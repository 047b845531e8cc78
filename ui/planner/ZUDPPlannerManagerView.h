#pragma once
// CZUDPPlannerManagerView: a document view that holds a planner control
// filling its client area.  It creates and sizes the control, gives it the
// focus, routes Copy, Cut, Paste and the printing steps to it, and turns
// the planner's notifications into virtual operations of its own whose
// defaults allow every change.  A program derives from it and overrides
// the operations it needs.
#include "framework/OleDateTime.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/Ole.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

class CZUDPAppointment;

class CZUDPPlannerManagerView : public CView {
    DECLARE_DYNCREATE(CZUDPPlannerManagerView)
public:
    CZUDPPlannerManagerView();
    // Deletes the created control (if any); the embedded one goes with the
    // view.
    ~CZUDPPlannerManagerView() override;

    // The control in use: the created one when there is one, else the
    // embedded one.
    CZUDPPlannerManagerCtrl& GetManagerCtrl() { return m_pWndManagerCtrl != nullptr ? *m_pWndManagerCtrl : m_wndManagerCtrl; }
    const CZUDPPlannerManagerCtrl& GetManagerCtrl() const
    {
        return m_pWndManagerCtrl != nullptr ? *m_pWndManagerCtrl : m_wndManagerCtrl;
    }
    // The class of the control to make in WM_CREATE instead of the embedded
    // one (a class not derived from the planner control is ignored).
    void SetManagerCtrlRTC(CRuntimeClass* pClass) { m_pManagerCtrlRTC = pClass; }

    // ---- CView ----
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // ---- own operations, in slot order, with the notification each serves ----
    virtual int HitTest(const CPoint& point) const;
    // ZUDP_PLANNER_ADD_APPOINTMENT (the message answers 0).
    virtual void OnAppointmentAdded(CZUDPAppointment* pApp);
    // ZUDP_PLANNER_UPDATE_APPOINTMENT.
    virtual void OnAppointmentUpdated(CZUDPAppointment* pApp);
    // ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT: the raw reply (-1 refuses).
    virtual LRESULT OnUpdateAppointment(CZUDPAppointment* pApp);
    // ZUDP_PLANNER_REMOVE_APPOINTMENT: the raw reply (-1 keeps it; 1 on an
    // occurrence removes its series).
    virtual LRESULT OnRemoveAppointment(CZUDPAppointment* pApp);
    // ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS.
    virtual void OnAllAppointmentsRemoved();
    // ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT: FALSE keeps the selection.
    virtual BOOL OnSelectAppointment(CZUDPAppointment* pApp, BOOL bSelect);
    // ZUDP_PLANNER_SELECT_APPOINTMENT.
    virtual void OnAppointmentSelected(CZUDPAppointment* pApp, BOOL bSelected);
    // ZUDP_PLANNER_DROP_APPOINTMENTS.
    virtual void OnAppointmentsDropped();
    // ZUDP_PLANNER_DRAG_APPOINTMENTS.
    virtual void OnAppointmentsDragged(DROPEFFECT dropEffect);
    // ZUDP_PLANNER_BEGIN_CHANGE_OPERATION: FALSE refuses the operation.
    virtual BOOL OnBeginChangeOperation(int nOperation);
    // ZUDP_PLANNER_END_CHANGE_OPERATION.
    virtual void OnEndChangeOperation(int nOperation, BOOL bResult);
    // ZUDP_PLANNER_LBUTTONDBLCLK.
    virtual void OnDblClkCtrl(UINT nFlags, CPoint point);
    // ZUDP_PLANNER_KEYDOWN.
    virtual void OnKeyDownCtrl(UINT nChar, UINT nRepCnt, UINT nFlags);
    // A time interval the user selected with the mouse in the control.
    virtual void OnSelectTimeInterval(COleDateTime dtStart, COleDateTime dtFinish);
    // ZUDP_PLANNER_ICONUPDOWN_CLICK: TRUE when handled here.
    virtual BOOL OnClickIconUpDown(BOOL bUp);
    // ZUDP_PLANNER_DAYCAPTION_CLICK: TRUE when handled here.
    virtual BOOL OnClickDayCaption();
    // ZUDP_PLANNER_WEEKCAPTION_CLICK: TRUE when handled here.
    virtual BOOL OnClickWeekCaption();
    // ZUDP_PLANNER_TYPE_CHANGED.
    virtual void OnTypeChanged(int nOldType, int nNewType);
    // ZUDP_PLANNER_DATE_CHANGED.
    virtual void OnDateChanged();
    // ZUDP_PLANNER_RESOURCEID_CHANGED.
    virtual void OnResourceIdChanged();

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnTimeChange();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);

    LRESULT OnAddAppointmentMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateAppointmentMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnBeforeUpdateAppointmentMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnRemoveAppointmentMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnRemoveAllAppointmentsMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnBeforeSelectAppointmentMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectAppointmentMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropAppointmentsMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragAppointmentsMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnBeginChangeOperationMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndChangeOperationMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDblClkMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnIconUpDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDayCaptionMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnWeekCaptionMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTypeChangedMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDateChangedMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnResourceIdChangedMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The control's window exists.
    BOOL HasCtrlWindow() const { return GetManagerCtrl().GetSafeHwnd() != nullptr; }

    CZUDPPlannerManagerCtrl m_wndManagerCtrl;                // embedded: default storage and clock icons
    CZUDPPlannerManagerCtrl* m_pWndManagerCtrl = nullptr;    // made from the class in WM_CREATE; owned
    CRuntimeClass* m_pManagerCtrlRTC = nullptr;
};
