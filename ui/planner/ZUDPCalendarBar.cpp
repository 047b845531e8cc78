#include "ui/planner/ZUDPCalendarBar.h"

#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_SERIAL(CZUDPCalendarBar, CZUDPPopupMenuBar, 1)

CZUDPCalendarBar::CZUDPCalendarBar() = default;

BOOL CZUDPCalendarBar::OnDateSelected(const COleDateTime& date)
{
    (void)date;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(WM_COMMAND, m_uiCommandID, 0);
    return TRUE;
}

void CZUDPCalendarBar::NotifySelectionChanged()
{
    if (!m_bNotifyOwner)
        return;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(ZUDM_CALENDAR_ON_SELCHANGED, 0, LPARAM(GetSafeHwnd()));
}
