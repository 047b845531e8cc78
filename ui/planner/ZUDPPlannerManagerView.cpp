#include "ui/planner/ZUDPPlannerManagerView.h"

#include "framework/win/CommandIds.h"
#include "framework/win/PrintInfo.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPAppointment.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerManagerView, CView)

BEGIN_MESSAGE_MAP(CZUDPPlannerManagerView, CView)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_TIMECHANGE()
    ON_COMMAND(ID_EDIT_COPY, &CZUDPPlannerManagerView::OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, &CZUDPPlannerManagerView::OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, &CZUDPPlannerManagerView::OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CZUDPPlannerManagerView::OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CZUDPPlannerManagerView::OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CZUDPPlannerManagerView::OnUpdateEditPaste)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_ADD_APPOINTMENT, &CZUDPPlannerManagerView::OnAddAppointmentMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_UPDATE_APPOINTMENT, &CZUDPPlannerManagerView::OnUpdateAppointmentMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT,
                          &CZUDPPlannerManagerView::OnBeforeUpdateAppointmentMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_REMOVE_APPOINTMENT, &CZUDPPlannerManagerView::OnRemoveAppointmentMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS,
                          &CZUDPPlannerManagerView::OnRemoveAllAppointmentsMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT,
                          &CZUDPPlannerManagerView::OnBeforeSelectAppointmentMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_SELECT_APPOINTMENT, &CZUDPPlannerManagerView::OnSelectAppointmentMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_DROP_APPOINTMENTS, &CZUDPPlannerManagerView::OnDropAppointmentsMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_DRAG_APPOINTMENTS, &CZUDPPlannerManagerView::OnDragAppointmentsMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_BEGIN_CHANGE_OPERATION,
                          &CZUDPPlannerManagerView::OnBeginChangeOperationMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_END_CHANGE_OPERATION, &CZUDPPlannerManagerView::OnEndChangeOperationMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_LBUTTONDBLCLK, &CZUDPPlannerManagerView::OnDblClkMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_KEYDOWN, &CZUDPPlannerManagerView::OnKeyDownMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_ICONUPDOWN_CLICK, &CZUDPPlannerManagerView::OnIconUpDownMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_DAYCAPTION_CLICK, &CZUDPPlannerManagerView::OnDayCaptionMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_WEEKCAPTION_CLICK, &CZUDPPlannerManagerView::OnWeekCaptionMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_TYPE_CHANGED, &CZUDPPlannerManagerView::OnTypeChangedMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_DATE_CHANGED, &CZUDPPlannerManagerView::OnDateChangedMessage)
    ON_REGISTERED_MESSAGE(ZUDP_PLANNER_RESOURCEID_CHANGED, &CZUDPPlannerManagerView::OnResourceIdChangedMessage)
END_MESSAGE_MAP()

CZUDPPlannerManagerView::CZUDPPlannerManagerView() = default;

CZUDPPlannerManagerView::~CZUDPPlannerManagerView()
{
    if (m_pWndManagerCtrl != nullptr) {
        if (m_pWndManagerCtrl->GetSafeHwnd() != nullptr)
            m_pWndManagerCtrl->DestroyWindow();
        delete m_pWndManagerCtrl;
        m_pWndManagerCtrl = nullptr;
    }
    if (m_wndManagerCtrl.GetSafeHwnd() != nullptr)
        m_wndManagerCtrl.DestroyWindow();
}

// ---- window --------------------------------------------------------------------------------

int CZUDPPlannerManagerView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pManagerCtrlRTC != nullptr && m_pManagerCtrlRTC->IsDerivedFrom(RUNTIME_CLASS(CZUDPPlannerManagerCtrl))) {
        CObject* pObject = m_pManagerCtrlRTC->CreateObject();
        m_pWndManagerCtrl = DYNAMIC_DOWNCAST(CZUDPPlannerManagerCtrl, pObject);
        if (m_pWndManagerCtrl == nullptr) {
            delete pObject;
            return -1;
        }
    }
    return GetManagerCtrl().Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, 0) ? 0 : -1;
}

BOOL CZUDPPlannerManagerView::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CZUDPPlannerManagerView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (HasCtrlWindow())
        GetManagerCtrl().SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZUDPPlannerManagerView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    if (HasCtrlWindow())
        GetManagerCtrl().SetFocus();
}

void CZUDPPlannerManagerView::OnTimeChange()
{
    if (HasCtrlWindow())
        GetManagerCtrl().SendMessage(WM_TIMECHANGE, 0, 0);
}

void CZUDPPlannerManagerView::OnDraw(CDC* pDC)
{
    // The control paints itself.
    (void)pDC;
}

// ---- commands ------------------------------------------------------------------------------

void CZUDPPlannerManagerView::OnEditCopy()
{
    if (HasCtrlWindow() && GetManagerCtrl().IsEditCopyEnabled())
        GetManagerCtrl().EditCopy();
}

void CZUDPPlannerManagerView::OnEditCut()
{
    if (HasCtrlWindow() && GetManagerCtrl().IsEditCutEnabled())
        GetManagerCtrl().EditCut();
}

void CZUDPPlannerManagerView::OnEditPaste()
{
    // The zero date: at the selection start.
    if (HasCtrlWindow() && GetManagerCtrl().IsEditPasteEnabled())
        GetManagerCtrl().EditPaste(COleDateTime(0.0));
}

void CZUDPPlannerManagerView::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasCtrlWindow() && GetManagerCtrl().IsEditCopyEnabled());
}

void CZUDPPlannerManagerView::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasCtrlWindow() && GetManagerCtrl().IsEditCutEnabled());
}

void CZUDPPlannerManagerView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasCtrlWindow() && GetManagerCtrl().IsEditPasteEnabled());
}

// ---- printing ------------------------------------------------------------------------------

BOOL CZUDPPlannerManagerView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (HasCtrlWindow())
        GetManagerCtrl().CreatePrinter(pInfo, nullptr);
    if (DoPreparePrinting(pInfo))
        return TRUE;
    // A cancelled job leaves no printer behind.
    if (HasCtrlWindow() && GetManagerCtrl().GetPrinter() != nullptr)
        GetManagerCtrl().EndPrinting(nullptr, pInfo);
    return FALSE;
}

void CZUDPPlannerManagerView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (HasCtrlWindow())
        GetManagerCtrl().PreparePrinting(pDC, pInfo, nullptr);
}

void CZUDPPlannerManagerView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (HasCtrlWindow())
        GetManagerCtrl().Print(pDC, pInfo);
}

void CZUDPPlannerManagerView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (HasCtrlWindow())
        GetManagerCtrl().EndPrinting(pDC, pInfo);
}

// ---- own operations: the defaults allow everything ---------------------------------------

int CZUDPPlannerManagerView::HitTest(const CPoint& point) const
{
    return GetManagerCtrl().HitTest(point);
}

void CZUDPPlannerManagerView::OnAppointmentAdded(CZUDPAppointment* pApp) { (void)pApp; }
void CZUDPPlannerManagerView::OnAppointmentUpdated(CZUDPAppointment* pApp) { (void)pApp; }

LRESULT CZUDPPlannerManagerView::OnUpdateAppointment(CZUDPAppointment* pApp)
{
    (void)pApp;
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnRemoveAppointment(CZUDPAppointment* pApp)
{
    (void)pApp;
    return 0;
}

void CZUDPPlannerManagerView::OnAllAppointmentsRemoved() {}

BOOL CZUDPPlannerManagerView::OnSelectAppointment(CZUDPAppointment* pApp, BOOL bSelect)
{
    (void)pApp;
    (void)bSelect;
    return TRUE;
}

void CZUDPPlannerManagerView::OnAppointmentSelected(CZUDPAppointment* pApp, BOOL bSelected)
{
    (void)pApp;
    (void)bSelected;
}

void CZUDPPlannerManagerView::OnAppointmentsDropped() {}
void CZUDPPlannerManagerView::OnAppointmentsDragged(DROPEFFECT dropEffect) { (void)dropEffect; }

BOOL CZUDPPlannerManagerView::OnBeginChangeOperation(int nOperation)
{
    (void)nOperation;
    return TRUE;
}

void CZUDPPlannerManagerView::OnEndChangeOperation(int nOperation, BOOL bResult)
{
    (void)nOperation;
    (void)bResult;
}

void CZUDPPlannerManagerView::OnDblClkCtrl(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
}

void CZUDPPlannerManagerView::OnKeyDownCtrl(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
}

void CZUDPPlannerManagerView::OnSelectTimeInterval(COleDateTime dtStart, COleDateTime dtFinish)
{
    (void)dtStart;
    (void)dtFinish;
}

BOOL CZUDPPlannerManagerView::OnClickIconUpDown(BOOL bUp)
{
    (void)bUp;
    return FALSE;
}

BOOL CZUDPPlannerManagerView::OnClickDayCaption() { return FALSE; }
BOOL CZUDPPlannerManagerView::OnClickWeekCaption() { return FALSE; }

void CZUDPPlannerManagerView::OnTypeChanged(int nOldType, int nNewType)
{
    (void)nOldType;
    (void)nNewType;
}

void CZUDPPlannerManagerView::OnDateChanged() {}
void CZUDPPlannerManagerView::OnResourceIdChanged() {}

// ---- the notifications -------------------------------------------------------------------

namespace {
CZUDPAppointment* AppointmentOf(LPARAM lParam)
{
    return reinterpret_cast<CZUDPAppointment*>(lParam);
}
} // namespace

LRESULT CZUDPPlannerManagerView::OnAddAppointmentMessage(WPARAM, LPARAM lParam)
{
    OnAppointmentAdded(AppointmentOf(lParam));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnUpdateAppointmentMessage(WPARAM, LPARAM lParam)
{
    OnAppointmentUpdated(AppointmentOf(lParam));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnBeforeUpdateAppointmentMessage(WPARAM, LPARAM lParam)
{
    return OnUpdateAppointment(AppointmentOf(lParam));
}

LRESULT CZUDPPlannerManagerView::OnRemoveAppointmentMessage(WPARAM, LPARAM lParam)
{
    return OnRemoveAppointment(AppointmentOf(lParam));
}

LRESULT CZUDPPlannerManagerView::OnRemoveAllAppointmentsMessage(WPARAM, LPARAM)
{
    OnAllAppointmentsRemoved();
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnBeforeSelectAppointmentMessage(WPARAM wParam, LPARAM lParam)
{
    return OnSelectAppointment(AppointmentOf(lParam), BOOL(wParam)) ? 0 : -1;
}

LRESULT CZUDPPlannerManagerView::OnSelectAppointmentMessage(WPARAM wParam, LPARAM lParam)
{
    OnAppointmentSelected(AppointmentOf(lParam), BOOL(wParam));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnDropAppointmentsMessage(WPARAM, LPARAM)
{
    OnAppointmentsDropped();
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnDragAppointmentsMessage(WPARAM wParam, LPARAM)
{
    OnAppointmentsDragged(DROPEFFECT(wParam));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnBeginChangeOperationMessage(WPARAM wParam, LPARAM)
{
    return OnBeginChangeOperation(int(wParam)) ? 0 : -1;
}

LRESULT CZUDPPlannerManagerView::OnEndChangeOperationMessage(WPARAM wParam, LPARAM lParam)
{
    OnEndChangeOperation(int(wParam), BOOL(lParam));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnDblClkMessage(WPARAM wParam, LPARAM lParam)
{
    OnDblClkCtrl(UINT(wParam), CPoint(int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnKeyDownMessage(WPARAM wParam, LPARAM lParam)
{
    OnKeyDownCtrl(UINT(wParam), UINT(LOWORD(lParam)), UINT(HIWORD(lParam)));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnIconUpDownMessage(WPARAM wParam, LPARAM)
{
    return OnClickIconUpDown(wParam == 9) ? 1 : 0;
}

LRESULT CZUDPPlannerManagerView::OnDayCaptionMessage(WPARAM, LPARAM)
{
    return OnClickDayCaption() ? 1 : 0;
}

LRESULT CZUDPPlannerManagerView::OnWeekCaptionMessage(WPARAM, LPARAM)
{
    return OnClickWeekCaption() ? 1 : 0;
}

LRESULT CZUDPPlannerManagerView::OnTypeChangedMessage(WPARAM wParam, LPARAM lParam)
{
    OnTypeChanged(int(wParam), int(lParam));
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnDateChangedMessage(WPARAM, LPARAM)
{
    OnDateChanged();
    return 0;
}

LRESULT CZUDPPlannerManagerView::OnResourceIdChangedMessage(WPARAM, LPARAM)
{
    OnResourceIdChanged();
    return 0;
}
