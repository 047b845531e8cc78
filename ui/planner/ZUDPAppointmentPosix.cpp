// The appointment's drawing and editing natively: there are no views,
// printers or windows, so they do nothing (no editor is ever open).
#include "ui/planner/ZUDPAppointment.h"

BOOL CZUDPAppointment::EndEditing(BOOL bCancel)
{
    (void)bCancel;
    return FALSE;
}

void CZUDPAppointment::DrawOnDate(CDC* pDC, CZUDPPlannerView* pView, const COleDateTime& date)
{
    (void)pDC;
    (void)pView;
    (void)date;
}

void CZUDPAppointment::Draw(CDC* pDC, CZUDPPlannerView* pView)
{
    (void)pDC;
    (void)pView;
}

void CZUDPAppointment::Print(CDC* pDC) { (void)pDC; }

BOOL CZUDPAppointment::BeginEditing(CWnd* pParent)
{
    (void)pParent;
    return FALSE;
}

CZUDPAppointmentEdit* CZUDPAppointment::CreateEditControl(CWnd* pParent)
{
    (void)pParent;
    return nullptr;
}

void CZUDPAppointment::DestroyEditControl() { m_pWndInPlace = nullptr; }
