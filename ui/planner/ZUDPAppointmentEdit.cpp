#include "ui/planner/ZUDPAppointmentEdit.h"

#include "ui/planner/ZUDPAppointment.h"

IMPLEMENT_DYNAMIC(CZUDPAppointmentEdit, CEdit)

BEGIN_MESSAGE_MAP(CZUDPAppointmentEdit, CEdit)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, &CZUDPAppointmentEdit::OnKillFocus)
END_MESSAGE_MAP()

void CZUDPAppointmentEdit::OnKillFocus()
{
    // The owner forgets the edit before it destroys it, so the loss of
    // focus that the destruction causes ends nothing a second time.
    CZUDPAppointment* pOwner = m_pAppointment;
    if (pOwner != nullptr)
        pOwner->EndEditing(FALSE);
}

BOOL CZUDPAppointmentEdit::PreTranslateMessage(MSG* pMsg)
{
    if (CEdit::PreTranslateMessage(pMsg))
        return TRUE;
    // The keyboard messages, WM_KEYDOWN up to WM_UNICHAR.
    if (pMsg->message < 0x0100 || pMsg->message > 0x0109)
        return FALSE;
    CZUDPAppointment* pOwner = m_pAppointment;
    switch (pMsg->wParam) {
    case VK_TAB:
    case VK_RETURN:
        if (pOwner != nullptr)
            pOwner->EndEditing(FALSE);
        return TRUE;
    case VK_ESCAPE:
        if (pOwner != nullptr)
            pOwner->EndEditing(TRUE);
        return TRUE;
    default:
        return FALSE;
    }
}
