#pragma once
// The edit control that opens over an appointment while its description is
// edited in place.  The appointment creates, places and owns it; the edit
// only turns the keys and the loss of focus that end an edit into calls of
// its owner's EndEditing, which destroys and deletes the edit: after that
// call the handlers touch nothing of the edit any more.
#include "framework/win/Controls.h"

class CZUDPAppointment;

class CZUDPAppointmentEdit : public CEdit {
    DECLARE_DYNAMIC(CZUDPAppointmentEdit)
public:
    explicit CZUDPAppointmentEdit(CZUDPAppointment* pAppointment) : m_pAppointment(pAppointment) {}

    CZUDPAppointment* GetAppointment() const { return m_pAppointment; }

    // Tab and Enter take the text, Escape leaves the description as it was;
    // every keyboard message counts (WM_KEYDOWN up to WM_UNICHAR), so
    // Enter ends the edit even in a multi-line edit.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Losing the focus commits the text.
    void OnKillFocus();
    DECLARE_MESSAGE_MAP()

    CZUDPAppointment* m_pAppointment;   // the owner, not owned
};
