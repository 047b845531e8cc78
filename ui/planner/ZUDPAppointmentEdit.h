#pragma once
// The edit control that opens over an appointment while its description is
// edited in place.  The appointment creates, places and owns it.  This
// version holds its owner; the keys and the loss of focus that end an edit
// come with the in-place editing of the views.
#include "framework/win/Controls.h"

class CZUDPAppointment;

class CZUDPAppointmentEdit : public CEdit {
    DECLARE_DYNAMIC(CZUDPAppointmentEdit)
public:
    explicit CZUDPAppointmentEdit(CZUDPAppointment* pAppointment) : m_pAppointment(pAppointment) {}

    CZUDPAppointment* GetAppointment() const { return m_pAppointment; }

protected:
    CZUDPAppointment* m_pAppointment;   // the owner, not owned
};
