// The appointment's drawing and editing: it hands its parts to the view or
// the printer, and opens, ends and closes its in-place editor.
#include "ui/planner/ZUDPAppointment.h"

#include "framework/win/DC.h"
#include "framework/win/Wnd.h"
#include "ui/planner/ZUDPAppointmentEdit.h"
#include "ui/planner/ZUDPPlannerPrint.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerView.h"

namespace {

bool HasDeviceContext(CDC* pDC) { return pDC != nullptr && pDC->GetSafeHdc() != nullptr; }

} // namespace

void CZUDPAppointment::Draw(CDC* pDC, CZUDPPlannerView* pView)
{
    if (!HasDeviceContext(pDC) || pView == nullptr)
        return;
    if (m_DSDraw.GetCount() == 0) {
        if (m_rectDraw.IsRectEmpty() || !m_bVisibleDraw)
            return;
        CZUDPAppointmentDrawStructEx record;
        record.SetRect(m_rectDraw);
        record.SetBorder(CZUDPAppointmentDrawStruct::kStartEdge | CZUDPAppointmentDrawStruct::kFinishEdge);
        record.SetTextTruncated(m_bTextTruncated);
        pView->DrawAppointment(pDC, this, &record);
        m_bTextTruncated = record.IsTextTruncated();
        m_rectEdit = record.GetEditRect();
        m_rectText = record.GetTextRect();
        return;
    }
    for (INT_PTR i = 0; i < m_DSDraw.GetCount(); ++i) {
        CZUDPAppointmentDrawStruct* part = m_DSDraw.GetDrawStruct(i);
        if (part->IsVisible())
            pView->DrawAppointment(pDC, this, part);
    }
}

void CZUDPAppointment::DrawOnDate(CDC* pDC, CZUDPPlannerView* pView, const COleDateTime& date)
{
    if (m_DSDraw.GetCount() == 0 || date == COleDateTime(0.0)) {
        Draw(pDC, pView);
        return;
    }
    if (!HasDeviceContext(pDC) || pView == nullptr)
        return;
    CZUDPAppointmentDrawStruct* part = m_DSDraw.Find(date);
    if (part != nullptr && part->IsVisible())
        pView->DrawAppointment(pDC, this, part);
}

void CZUDPAppointment::Print(CDC* pDC)
{
    if (!HasDeviceContext(pDC) || m_pPrinter == nullptr)
        return;
    if (m_DSPrint.GetCount() == 0) {
        if (m_rectPrint.IsRectEmpty() || !m_bVisiblePrint)
            return;
        CZUDPAppointmentDrawStruct record;
        record.SetRect(m_rectPrint);
        record.SetBorder(CZUDPAppointmentDrawStruct::kStartEdge | CZUDPAppointmentDrawStruct::kFinishEdge);
        m_pPrinter->DrawAppointment(pDC, this, &record);
        return;
    }
    for (INT_PTR i = 0; i < m_DSPrint.GetCount(); ++i) {
        CZUDPAppointmentDrawStruct* part = m_DSPrint.GetDrawStruct(i);
        if (part->IsVisible())
            m_pPrinter->DrawAppointment(pDC, this, part);
    }
}

BOOL CZUDPAppointment::BeginEditing(CWnd* pParent)
{
    if (pParent == nullptr || !m_bSelected || m_pWndInPlace != nullptr)
        return FALSE;
    CZUDPAppointmentEdit* pEdit = CreateEditControl(pParent);
    if (pEdit == nullptr)
        return FALSE;
    m_pWndInPlace = pEdit;
    pEdit->SetWindowText(m_strDescription);
    return TRUE;
}

CZUDPAppointmentEdit* CZUDPAppointment::CreateEditControl(CWnd* pParent)
{
    if (m_pWndInPlace != nullptr || pParent == nullptr)
        return nullptr;
    DWORD style = ES_AUTOHSCROLL;
    auto* pPlanner = DYNAMIC_DOWNCAST(CZUDPPlannerManagerCtrl, pParent);
    if (pPlanner != nullptr && pPlanner->GetCurrentView() != nullptr &&
        pPlanner->GetCurrentView()->GetRowHeight() < m_rectEdit.Height())
        style = ES_MULTILINE | ES_AUTOVSCROLL;
    auto* pEdit = new CZUDPAppointmentEdit(this);
    if (!pEdit->Create(style | WS_CHILD | WS_VISIBLE, m_rectEdit, pParent, 2)) {
        delete pEdit;
        return nullptr;
    }
    pEdit->SendMessage(WM_SETFONT, WPARAM(pParent->SendMessage(WM_GETFONT)), TRUE);
    pEdit->SetFocus();
    return pEdit;
}

BOOL CZUDPAppointment::EndEditing(BOOL bCancel)
{
    if (m_pWndInPlace == nullptr)
        return FALSE;
    CString text;
    m_pWndInPlace->GetWindowText(text);
    CWnd* pParent = m_pWndInPlace->GetParent();
    if (!bCancel && text.Compare(m_strDescription) != 0) {
        CString oldDescription = m_strDescription;
        BOOL oldException = m_bRecurrenceException;
        SetDescription(text);
        if (m_bRecurrenceClone)
            m_bRecurrenceException = TRUE;
        auto* pPlanner = DYNAMIC_DOWNCAST(CZUDPPlannerManagerCtrl, pParent);
        if (pPlanner != nullptr && !pPlanner->UpdateAppointment(this, m_dtStart, FALSE, FALSE)) {
            SetDescription(oldDescription);
            if (m_bRecurrenceClone)
                m_bRecurrenceException = oldException;
        }
    }
    DestroyEditControl();
    if (pParent != nullptr) {
        pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        pParent->SetFocus();
    }
    return TRUE;
}

void CZUDPAppointment::DestroyEditControl()
{
    // Forgotten first: the editor's loss of focus while it is destroyed
    // ends the edit again, which must then find no editor.
    CZUDPAppointmentEdit* pEdit = m_pWndInPlace;
    m_pWndInPlace = nullptr;
    if (pEdit == nullptr)
        return;
    pEdit->DestroyWindow();
    delete pEdit;
}
