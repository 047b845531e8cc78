// The planner control's editing operations and the notifications they send
// to the parent window.
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerPrint.h"
#include "ui/planner/ZUDPPlannerView.h"

LRESULT CZUDPPlannerManagerCtrl::NotifyParent(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bNotifyParent || GetSafeHwnd() == nullptr)
        return 0;
    HWND parent = ::GetParent(GetSafeHwnd());
    if (parent == nullptr)
        return 0;
    return ::SendMessage(parent, message, wParam, lParam);
}

BOOL CZUDPPlannerManagerCtrl::NeedsWholeLayout(const CZUDPAppointment* pApp) const
{
    if (pApp == nullptr || !(m_Type == 0 || m_Type == 1 || m_Type == 4))
        return FALSE;
    return pApp->IsAllDay() || pApp->IsLong();
}

void CZUDPPlannerManagerCtrl::Redraw()
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CZUDPPlannerManagerCtrl::RefreshAfterChange(BOOL bWholeLayout)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_pCurrentView != nullptr) {
        if (bWholeLayout)
            m_pCurrentView->AdjustLayout(FALSE);
        else
            m_pCurrentView->AdjustAppointments();
    }
    Redraw();
}

BOOL CZUDPPlannerManagerCtrl::IsAppointmentAlive(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return FALSE;
    for (INT_PTR i = 0; i < m_QueryApps.GetSize(); ++i) {
        if (m_QueryApps[i] == pApp)
            return TRUE;
    }
    // The object may be gone: nothing of it is read here.
    if (m_pAppsStorage == nullptr)
        return FALSE;
    // Not queried: look for the object among the storage's appointments
    // (the pointer is compared, never followed).  That list holds no query
    // occurrences: an occurrence in it is one the storage filed and owns.
    CZUDPAppointmentArray all;
    m_pAppsStorage->QueryAll(all);
    for (INT_PTR i = 0; i < all.GetSize(); ++i) {
        if (all[i] == pApp)
            return TRUE;
    }
    return FALSE;
}

void CZUDPPlannerManagerCtrl::RemoveFromQuery(CZUDPAppointment* pApp, BOOL bDeleteOccurrence)
{
    for (INT_PTR i = 0; i < m_QueryApps.GetSize(); ++i) {
        if (m_QueryApps[i] == pApp) {
            m_QueryApps.RemoveAt(i);
            if (bDeleteOccurrence && pApp->IsRecurrenceClone())
                delete pApp;
            return;
        }
    }
}

BOOL CZUDPPlannerManagerCtrl::AddAppointment(CZUDPAppointment* pApp, BOOL bRequery, BOOL bRedraw)
{
    if (pApp == nullptr || m_pAppsStorage == nullptr)
        return FALSE;
    {
        // The parent's handler may destroy the window or delete the control;
        // then nothing of it is touched and the caller keeps the object.
        DeletionMark mark(this);
        const BOOL hadWindow = GetSafeHwnd() != nullptr;
        const LRESULT reply = NotifyParent(ZUDP_PLANNER_ADD_APPOINTMENT, 0, reinterpret_cast<LPARAM>(pApp));
        if (mark.m_bDeleted)
            return FALSE;
        if (reply == LRESULT(-1) || (hadWindow && GetSafeHwnd() == nullptr))
            return FALSE;
    }
    if (m_pAppsStorage == nullptr)
        return FALSE;
    if (pApp->GetResourceID() == 0)
        pApp->SetResourceID(GetCurrentResourceID());
    // Before Add: the storage may delete an occurrence it files as a
    // change of its series.
    const BOOL whole = NeedsWholeLayout(pApp);
    if (!m_pAppsStorage->Add(pApp))
        return FALSE;
    if (bRequery)
        RequeryAppointments();
    if (bRedraw)
        RefreshAfterChange(whole);
    return TRUE;
}

BOOL CZUDPPlannerManagerCtrl::UpdateAppointment(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bRequery,
                                                BOOL bRedraw)
{
    if (pApp == nullptr || m_pAppsStorage == nullptr)
        return FALSE;
    const BOOL occurrence = pApp->IsRecurrence() && pApp->IsRecurrenceClone();
    const unsigned counter = m_nChangeCounter;
    if (NotifyParent(ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT, 0, reinterpret_cast<LPARAM>(pApp)) == LRESULT(-1))
        return FALSE;
    if (m_pAppsStorage == nullptr || (counter != m_nChangeCounter && !IsAppointmentAlive(pApp)))
        return FALSE;
    if (!m_pAppsStorage->Update(pApp, dtOld, FALSE))
        return FALSE;
    const unsigned afterUpdate = m_nChangeCounter;
    NotifyParent(ZUDP_PLANNER_UPDATE_APPOINTMENT, 0, occurrence && bRequery ? 0 : reinterpret_cast<LPARAM>(pApp));
    if (bRequery) {
        RequeryAppointments();
    } else if (afterUpdate == m_nChangeCounter) {
        SortAppointments(m_QueryApps.GetData(), m_QueryApps.GetSize());
        if (m_pCurrentView != nullptr)
            m_pCurrentView->AdjustAppointments();
    }
    if (bRedraw)
        RefreshAfterChange(FALSE);
    return TRUE;
}

void CZUDPPlannerManagerCtrl::RemoveSelectedAppointments(BOOL bRequery, BOOL bRedraw)
{
    if (m_pAppsStorage == nullptr)
        return;
    CList<DWORD, DWORD> removedSeries;
    BOOL whole = FALSE;
    // A copy: the parent's handlers may change the selection.
    CZUDPAppointmentArray selected;
    for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;)
        selected.Add(m_SelectedApps.GetNext(pos));

    for (INT_PTR i = 0; i < selected.GetSize(); ++i) {
        CZUDPAppointment* pApp = selected[i];
        // Entries deselected (or deleted) meanwhile are skipped.
        if (pApp == nullptr || m_SelectedApps.Find(pApp) == nullptr)
            continue;
        if (!whole)
            whole = NeedsWholeLayout(pApp);
        const BOOL occurrence = pApp->IsRecurrence() && pApp->IsRecurrenceClone();
        const BOOL ask = !(occurrence && removedSeries.Find(pApp->GetRecurrenceID()) != nullptr);
        LRESULT reply = 0;
        if (ask) {
            const unsigned counter = m_nChangeCounter;
            reply = NotifyParent(ZUDP_PLANNER_REMOVE_APPOINTMENT, 0, reinterpret_cast<LPARAM>(pApp));
            if (reply == LRESULT(-1))
                continue;
            if (m_pAppsStorage == nullptr)
                return;
            if (counter != m_nChangeCounter &&
                (m_SelectedApps.Find(pApp) == nullptr || !IsAppointmentAlive(pApp)))
                continue;
        }
        CZUDPAppointment* pRemove = pApp;
        if (occurrence && reply == 1) {
            CZUDPAppointment* pMaster = m_pAppsStorage->GetRecurrence(pApp->GetRecurrenceID());
            // Without its master only the occurrence goes.
            if (pMaster != nullptr) {
                if (!whole)
                    whole = NeedsWholeLayout(pMaster);
                removedSeries.AddTail(pApp->GetRecurrenceID());
                pRemove = pMaster;
            }
        }
        POSITION selectedPos = m_SelectedApps.Find(pApp);
        if (selectedPos != nullptr)
            m_SelectedApps.RemoveAt(selectedPos);
        pApp->SetSelected(FALSE);
        // Out of the queried array before the storage deletes it (an
        // occurrence too, once its series has recorded the deleted date).
        RemoveFromQuery(pRemove, FALSE);
        ++m_nChangeCounter;
        // A live printer (a preview) must not draw it any more.
        if (m_pPrinter != nullptr)
            m_pPrinter->RemoveAppointment(pRemove);
        m_pAppsStorage->Remove(pRemove);
    }

    if (!whole) {
        for (INT_PTR i = 0; i < m_QueryApps.GetSize() && !whole; ++i) {
            CZUDPAppointment* pApp = m_QueryApps[i];
            if (pApp->IsRecurrenceClone() && removedSeries.Find(pApp->GetRecurrenceID()) != nullptr)
                whole = NeedsWholeLayout(pApp);
        }
    }
    for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;)
        m_SelectedApps.GetNext(pos)->SetSelected(FALSE);
    m_SelectedApps.RemoveAll();
    if (bRequery)
        RequeryAppointments();
    if (bRedraw)
        RefreshAfterChange(whole);
}

BOOL CZUDPPlannerManagerCtrl::RemoveAllAppointments(BOOL bRedraw)
{
    if (m_pAppsStorage == nullptr)
        return FALSE;
    const BOOL wasEmpty = m_pAppsStorage->IsEmpty();
    // The selection goes first: ClearQuery deletes the occurrences in it.
    for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;)
        m_SelectedApps.GetNext(pos)->SetSelected(FALSE);
    m_SelectedApps.RemoveAll();
    ClearQuery();
    ++m_nChangeCounter;
    if (m_pPrinter != nullptr)
        m_pPrinter->RemoveAllAppointments();
    if (!m_pAppsStorage->RemoveAll())
        return FALSE;
    if (bRedraw)
        Redraw();
    if (!wasEmpty)
        NotifyParent(ZUDP_PLANNER_REMOVE_ALL_APPOINTMENTS, 0, 0);
    return TRUE;
}

void CZUDPPlannerManagerCtrl::SelectAppointment(CZUDPAppointment* pApp, BOOL bSelect, BOOL bRedraw)
{
    if (pApp == nullptr)
        return;
    const INT_PTR before = m_SelectedApps.GetCount();
    const BOOL found = m_SelectedApps.Find(pApp) != nullptr;
    BOOL change = (bSelect && !found) || (!bSelect && found);
    if (change) {
        const unsigned counter = m_nChangeCounter;
        change = NotifyParent(ZUDP_PLANNER_BEFORE_SELECT_APPOINTMENT, WPARAM(bSelect), reinterpret_cast<LPARAM>(pApp)) == 0;
        if (change && counter != m_nChangeCounter && !IsAppointmentAlive(pApp))
            change = FALSE;
    }
    if (change) {
        // The list may have changed during the reply: look again.
        POSITION pos = m_SelectedApps.Find(pApp);
        if (bSelect && pos == nullptr)
            m_SelectedApps.AddTail(pApp);
        else if (!bSelect && pos != nullptr)
            m_SelectedApps.RemoveAt(pos);
        pApp->SetSelected(bSelect);
        NotifyParent(ZUDP_PLANNER_SELECT_APPOINTMENT, WPARAM(bSelect), reinterpret_cast<LPARAM>(pApp));
    }
    if (m_SelectedApps.GetCount() != before && bRedraw)
        Redraw();
}

void CZUDPPlannerManagerCtrl::ClearAppointmentSelection(BOOL bRedraw)
{
    if (m_SelectedApps.IsEmpty())
        return;
    // Each entry leaves the list before its parent hears of it, so a
    // handler never finds a half-walked list.
    while (!m_SelectedApps.IsEmpty()) {
        CZUDPAppointment* pApp = m_SelectedApps.RemoveHead();
        pApp->SetSelected(FALSE);
        NotifyParent(ZUDP_PLANNER_SELECT_APPOINTMENT, 0, reinterpret_cast<LPARAM>(pApp));
    }
    if (bRedraw)
        Redraw();
}

void CZUDPPlannerManagerCtrl::RestoreAppointmentSelection(CList<CZUDPAppointment*, CZUDPAppointment*>& list,
                                                          BOOL bRedraw)
{
    ClearAppointmentSelection(FALSE);
    if (list.IsEmpty())
        return;
    // The queried array as it is now: a handler may re-query meanwhile.
    CZUDPAppointmentArray queried;
    queried.Copy(m_QueryApps);
    for (INT_PTR i = 0; i < queried.GetSize(); ++i) {
        if (list.Find(queried[i]) != nullptr && IsAppointmentAlive(queried[i]))
            SelectAppointment(queried[i], TRUE, FALSE);
    }
    if (!m_SelectedApps.IsEmpty() && bRedraw)
        Redraw();
}

BOOL CZUDPPlannerManagerCtrl::SetChangeOperation(int nOperation, BOOL bResult)
{
    if (nOperation == m_ChangeOperation)
        return FALSE;
    const HWND parent = GetSafeHwnd() != nullptr ? ::GetParent(GetSafeHwnd()) : nullptr;
    const BOOL tell = m_bNotifyParent && parent != nullptr;
    if (m_ChangeOperation != 0) {
        if (nOperation != 0)
            return FALSE;   // one operation at a time
        const int ended = m_ChangeOperation;
        m_ChangeOperation = 0;
        if (tell)
            ::PostMessage(parent, ZUDP_PLANNER_END_CHANGE_OPERATION, WPARAM(ended), LPARAM(bResult));
        return FALSE;
    }
    m_ChangeOperation = nOperation;
    if (tell && ::SendMessage(parent, ZUDP_PLANNER_BEGIN_CHANGE_OPERATION, WPARAM(nOperation), 0) == 0)
        return TRUE;
    m_ChangeOperation = 0;
    return FALSE;
}
