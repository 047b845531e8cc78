#include "ui/planner/ZUDPDateTimeCtrl.h"

#include <commctrl.h>

#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPPlannerSeams.h"

IMPLEMENT_DYNCREATE(CZUDPDateTimeCtrl, CWnd)

BEGIN_MESSAGE_MAP(CZUDPDateTimeCtrl, CWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZUDPDateTimeCtrl::~CZUDPDateTimeCtrl()
{
    // A popup still open would call back into this object.
    if (m_pPopup != nullptr && m_pPopup->GetSafeHwnd() != nullptr)
        m_pPopup->DestroyWindow();
    m_pPopup = nullptr;
}

void CZUDPDateTimeCtrl::OnDestroy()
{
    if (m_pPopup != nullptr && m_pPopup->GetSafeHwnd() != nullptr) {
        CZUDPCalendar* pPopup = m_pPopup;
        m_pPopup = nullptr;
        pPopup->SendMessage(WM_CLOSE);
    }
    m_pPopup = nullptr;
    CWnd::OnDestroy();
}

void CZUDPDateTimeCtrl::ClosePopupCalendar(const COleDateTime& date)
{
    if (m_pPopup == nullptr)
        return;
    BOOL changed = FALSE;
    if (IsCalendarDate(date)) {
        const COleDateTime current(GetDate());
        changed = current.GetStatus() != COleDateTime::valid || current.GetDay() != date.GetDay() ||
                  current.GetMonth() != date.GetMonth() || current.GetYear() != date.GetYear();
        SetDate(double(date));
    }
    // The popup is forgotten before it closes: closing takes its focus
    // away, which would close it again.
    CZUDPCalendar* pPopup = m_pPopup;
    m_pPopup = nullptr;
    const HWND hWnd = GetSafeHwnd();
    if (pPopup->GetSafeHwnd() != nullptr)
        pPopup->SendMessage(WM_CLOSE);
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return;
    SetFocus();
    if (changed)
        OnDateChanged();
}

DATE CZUDPDateTimeCtrl::GetDate()
{
    if (!m_bHasValue || m_Date.GetStatus() != COleDateTime::valid)
        return 0.0;
    const COleDateTime value(m_Date.GetYear(), m_Date.GetMonth(), m_Date.GetDay(), m_Date.GetHour(),
                             m_Date.GetMinute(), 0);
    return double(value);
}

void CZUDPDateTimeCtrl::SetDate(DATE date)
{
    m_Date = COleDateTime(date);
    m_Date.SetStatus(COleDateTime::valid);
    m_bHasValue = m_bCheckBox ? date != 0.0 : TRUE;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPDateTimeCtrl::OnDateChanged()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr && GetSafeHwnd() != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), DTN_DATETIMECHANGE & 0xFFFF),
                             LPARAM(GetSafeHwnd()));
}
