// The planner control's drag and drop: appointments dragged out of the
// control in the planner format, drops onto the control and onto a day of
// a linked calendar, and the drop target's scrolling near the view's
// edges.
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPPlannerDragDrop.h"
#include "framework/File.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPPlannerView.h"

IMPLEMENT_DYNAMIC(CZUDPPlannerDropTarget, COleDropTarget)
IMPLEMENT_DYNAMIC(CZUDPPlannerDropSource, COleDropSource)

// ---- the drop source ---------------------------------------------------------------------

SCODE CZUDPPlannerDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    m_dwKeyState = dwKeyState;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}

SCODE CZUDPPlannerDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    (void)dropEffect;
    return m_bDragStarted ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
}

BOOL CZUDPPlannerDropSource::StartDrag(CWnd* pWnd)
{
    m_bBeginDrag = COleDropSource::StartDrag(pWnd);
    return m_bBeginDrag;
}

void CZUDPPlannerDropSource::Reset()
{
    m_dwKeyState = 0;
    m_bBeginDrag = FALSE;
}

// ---- the drop target ---------------------------------------------------------------------

BOOL CZUDPPlannerDropTarget::RegisterOwner(CWnd* pOwner)
{
    m_pOwnerCtrl = DYNAMIC_DOWNCAST(CZUDPPlannerManagerCtrl, pOwner);
    m_pOwnerCalendar = m_pOwnerCtrl == nullptr ? DYNAMIC_DOWNCAST(CZUDPCalendar, pOwner) : nullptr;
    return pOwner != nullptr && Register(pOwner);
}

namespace {
BOOL OffersPlannerData(COleDataObject* pDataObject)
{
    const UINT format = CZUDPPlannerManagerCtrl::GetClipboardFormat();
    return pDataObject != nullptr && format != 0 && pDataObject->IsDataAvailable(CLIPFORMAT(format));
}
} // namespace

DROPEFFECT CZUDPPlannerDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    (void)pWnd;
    // Every drag waits the delay before its first scroll step, also one
    // that comes into the band where the last drag left.
    m_nScrollCode = 0xFFFF;
    if (m_pOwnerCalendar != nullptr)
        return m_pOwnerCalendar->OnDragEnter(pDataObject, dwKeyState, point);
    if (!OffersPlannerData(pDataObject) || m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    return m_pOwnerCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPPlannerDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    (void)pWnd;
    if (m_pOwnerCalendar != nullptr)
        return m_pOwnerCalendar->OnDragOver(pDataObject, dwKeyState, point);
    if (!OffersPlannerData(pDataObject) || m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    return m_pOwnerCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPPlannerDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                            DROPEFFECT dropList, CPoint point)
{
    (void)pWnd;
    (void)dropList;
    // A calendar hands the drop to its linked planner, which reports the
    // effect.
    if (m_pOwnerCalendar != nullptr) {
        CZUDPPlannerManagerCtrl* pPlanner = m_pOwnerCalendar->GetPlanner();
        if (!m_pOwnerCalendar->OnDrop(pDataObject, dropDefault, point) || pPlanner == nullptr)
            return DROPEFFECT_NONE;
        return pPlanner->GetLastDropEffect();
    }
    if (!OffersPlannerData(pDataObject) || m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    if (!m_pOwnerCtrl->OnDrop(pDataObject, dropDefault, point))
        return DROPEFFECT_NONE;
    return m_pOwnerCtrl->GetLastDropEffect();
}

void CZUDPPlannerDropTarget::OnDragLeave(CWnd* pWnd)
{
    (void)pWnd;
    m_nScrollCode = 0xFFFF;
    if (m_pOwnerCalendar != nullptr)
        m_pOwnerCalendar->OnDragLeave();
    if (m_pOwnerCtrl != nullptr)
        m_pOwnerCtrl->OnDragLeave();
}

DROPEFFECT CZUDPPlannerDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    (void)pWnd;
    if (m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    const DROPEFFECT answer = m_pOwnerCtrl->OnDragScroll(dwKeyState, point);
    if (answer != DROPEFFECT_SCROLL)
        return answer;
    const CRect outer = m_pOwnerCtrl->GetViewRect();
    CRect inner = outer;
    inner.DeflateRect(nScrollInset, nScrollInset);
    UINT code = 0xFFFF;
    if (outer.PtInRect(point) && !inner.PtInRect(point)) {
        const UINT low = point.x < inner.left ? 0 : (point.x >= inner.right ? 1 : 0xFF);
        const UINT high = point.y < inner.top ? 0 : (point.y >= inner.bottom ? 1 : 0xFF);
        code = MAKEWORD(low, high);
        if (!m_pOwnerCtrl->OnScroll(code, 0, FALSE))
            code = 0xFFFF;
    }
    if (code == 0xFFFF) {
        m_nScrollCode = 0xFFFF;
        return DROPEFFECT_NONE;
    }
    const DWORD now = g_frameworkSeams.tickCount();
    if (code != m_nScrollCode) {
        m_dwLastTick = now;
        m_nScrollWait = nScrollDelay;
    }
    if (now - m_dwLastTick > m_nScrollWait) {
        m_pOwnerCtrl->OnScroll(code, 0, TRUE);
        m_dwLastTick = now;
        m_nScrollWait = nScrollInterval;
    }
    m_nScrollCode = code;
    return DROPEFFECT_SCROLL | ((dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE);
}

// ---- the control's side --------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::RegisterDropTarget()
{
    if (AfxOleIsInitialized())
        m_DropTarget.RegisterOwner(this);
}

void CZUDPPlannerManagerCtrl::RevokeDropTarget()
{
    m_DropTarget.Revoke();
}

void CZUDPPlannerManagerCtrl::ResetDropSource()
{
    if (m_pDropSource != nullptr)
        m_pDropSource->Reset();
}

void CZUDPPlannerManagerCtrl::StartDragDrop()
{
    if (m_pCurrentView == nullptr || m_bDragDrop || !CanStartDragDrop() || !SetChangeOperation(3))
        return;
    DeletionMark mark(this);
    const HWND hWnd = GetSafeHwnd();

    // The stream of the selected appointments, in the order of selection.
    CZUDPAppointmentArray selected;
    for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;)
        selected.Add(m_SelectedApps.GetNext(pos));
    m_DragWritten.RemoveAll();
    COleDataSource source;
    BOOL dragging = FALSE;
    {
        CMemFile file(4096);
        {
            CArchive ar(&file, CArchive::store, 4096);
            dragging = SaveAppointmentsToArchive(ar, selected, &m_DragWritten);
            if (dragging) {
                try {
                    ar.Close();
                } catch (CException* e) {
                    e->Delete();
                    dragging = FALSE;
                }
            }
        }
        if (dragging) {
            const SIZE_T length = SIZE_T(file.GetLength());
            BYTE* bytes = file.Detach();
            HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, length == 0 ? 1 : length);
            void* data = block != nullptr ? ::GlobalLock(block) : nullptr;
            if (data != nullptr) {
                memcpy(data, bytes, length);
                ::GlobalUnlock(block);
                source.CacheGlobalData(CLIPFORMAT(s_nClipboardFormat), block);
            } else {
                if (block != nullptr)
                    ::GlobalFree(block);
                dragging = FALSE;
            }
            free(bytes);
        }
    }
    if (!dragging) {
        m_DragWritten.RemoveAll();
        SetChangeOperation(0, FALSE);
        return;
    }

    CZUDPPlannerDropSource dropSource;
    StopCapture();
    m_pCurrentView->StartCapture();   // the view records where the drag began
    m_dragEffect = DROPEFFECT_NONE;
    m_pDropSource = &dropSource;
    ResetDropSource();
    m_bDragDrop = TRUE;
    const DWORD allowed = m_bReadOnly ? DROPEFFECT_COPY | DROPEFFECT_SCROLL
                                      : DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_SCROLL;
    const DROPEFFECT effect = source.DoDragDrop(allowed, nullptr, &dropSource) & ~DROPEFFECT_SCROLL;

    // The drag loop is a nested message loop: the control may have been
    // deleted, or its window destroyed (with its views), meanwhile.
    if (mark.m_bDeleted)
        return;
    if (!::IsWindow(hWnd) || GetSafeHwnd() != hWnd || m_pCurrentView == nullptr) {
        m_bDragDrop = FALSE;
        m_dragEffect = DROPEFFECT_NONE;
        m_pDropSource = nullptr;
        m_DragWritten.RemoveAll();
        m_ChangeOperation = 0;
        return;
    }

    const BOOL done = effect == DROPEFFECT_MOVE || effect == DROPEFFECT_COPY;
    m_pCurrentView->StopCapture();
    StopDragDrop();
    m_pDropSource = nullptr;

    // Moved to another window: exactly the appointments written go, those
    // of them still selected here.
    BOOL removed = FALSE;
    if (effect == DROPEFFECT_MOVE && !m_SelectedApps.IsEmpty()) {
        for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;) {
            const POSITION at = pos;
            CZUDPAppointment* pApp = m_SelectedApps.GetNext(pos);
            BOOL written = FALSE;
            for (INT_PTR i = 0; i < m_DragWritten.GetSize() && !written; ++i)
                written = m_DragWritten[i] == pApp;
            if (!written) {
                pApp->SetSelected(FALSE);
                m_SelectedApps.RemoveAt(at);
            }
        }
        if (!m_SelectedApps.IsEmpty()) {
            RemoveSelectedAppointments(FALSE, FALSE);
            removed = TRUE;
        }
        if (mark.m_bDeleted)
            return;
        if (!::IsWindow(hWnd) || m_pCurrentView == nullptr) {
            m_DragWritten.RemoveAll();
            m_ChangeOperation = 0;
            return;
        }
    }
    m_DragWritten.RemoveAll();
    m_pCurrentView->ClearDragAppointments();
    if (removed) {
        ClearAppointmentSelection(FALSE);
        RequeryAppointments();
        AdjustLayout(TRUE);
        UpdateCalendarMarks(nullptr);
    } else if (m_bRelayoutAfterDrag && !done) {
        m_bRelayoutAfterDrag = FALSE;
        AdjustLayout(TRUE);
    }
    if (done) {
        NotifyParent(ZUDP_PLANNER_DRAG_APPOINTMENTS, WPARAM(effect), 0);
        if (mark.m_bDeleted)
            return;
    }
    SetChangeOperation(0, done);
}

DROPEFFECT CZUDPPlannerManagerCtrl::OnDragScroll(DWORD dwKeyState, CPoint point)
{
    return m_pCurrentView != nullptr ? m_pCurrentView->OnDragScroll(dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CZUDPPlannerManagerCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPPlannerManagerCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_bReadOnly || m_pCurrentView == nullptr)
        return DROPEFFECT_NONE;
    const DROPEFFECT effect = m_pCurrentView->OnDragOver(pDataObject, dwKeyState, point);
    if (m_bDragDrop && !m_pCurrentView->m_bDragChanged)
        return m_dragEffect;
    m_dragEffect = effect;
    if (m_pCurrentView->m_bDragChanged)
        m_pCurrentView->AdjustAppointments();
    else
        m_pCurrentView->AdjustLayout(FALSE);
    Redraw();
    return m_dragEffect;
}

void CZUDPPlannerManagerCtrl::OnDragLeave()
{
    m_dragEffect = DROPEFFECT_NONE;
    if (m_pCurrentView != nullptr && m_pCurrentView->m_DragAppointments.GetSize() > 0) {
        m_pCurrentView->ClearDragAppointments();
        m_pCurrentView->AdjustAppointments();
        Redraw();
    }
}

BOOL CZUDPPlannerManagerCtrl::ReadDropData(COleDataObject* pDataObject, CZUDPAppointmentArray& apps, int nType,
                                           const COleDateTime& place)
{
    if (pDataObject == nullptr || s_nClipboardFormat == 0)
        return FALSE;
    HGLOBAL block = pDataObject->GetGlobalData(CLIPFORMAT(s_nClipboardFormat));
    if (block == nullptr)
        return FALSE;
    BOOL loaded = FALSE;
    const void* data = ::GlobalLock(block);
    // The stream is read from a copy bounded by the block's real size.
    const SIZE_T size = data != nullptr ? ::GlobalSize(block) : 0;
    if (data != nullptr && size <= SIZE_T(0x7FFFFFFF)) {
        CMemFile file(4096);
        file.Write(data, UINT(size));
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, 4096);
        loaded = LoadAppointmentsFromArchive(ar, apps, nType, place);
    }
    if (data != nullptr)
        ::GlobalUnlock(block);
    ::GlobalFree(block);
    return loaded;
}

BOOL CZUDPPlannerManagerCtrl::BeginDrop()
{
    if (!m_bDragDrop)
        return SetChangeOperation(4);
    // Inside this control's own drag its drag operation is open: the
    // parent is asked about the drop directly.
    const HWND parent = GetSafeHwnd() != nullptr ? ::GetParent(GetSafeHwnd()) : nullptr;
    if (m_bNotifyParent && parent != nullptr &&
        ::SendMessage(parent, ZUDP_PLANNER_BEGIN_CHANGE_OPERATION, WPARAM(4), 0) != 0)
        return FALSE;
    return TRUE;
}

void CZUDPPlannerManagerCtrl::EndDrop(BOOL bResult)
{
    if (!m_bDragDrop) {
        SetChangeOperation(0, bResult);
        return;
    }
    const HWND parent = GetSafeHwnd() != nullptr ? ::GetParent(GetSafeHwnd()) : nullptr;
    if (m_bNotifyParent && parent != nullptr)
        ::SendMessage(parent, ZUDP_PLANNER_END_CHANGE_OPERATION, WPARAM(4), LPARAM(bResult));
}

BOOL CZUDPPlannerManagerCtrl::AddDropped(CZUDPAppointmentArray& apps, BOOL bOwnDrag, DROPEFFECT dropEffect,
                                         UINT nResource, BOOL bAllDayTarget, BOOL bCalendarDay,
                                         COleDateTime& dtSelStart, COleDateTime& dtSelEnd, int& nRefused)
{
    DeletionMark mark(this);
    const HWND hWnd = GetSafeHwnd();
    const BOOL copy = dropEffect == DROPEFFECT_COPY;
    const BOOL moveOwn = bOwnDrag && !copy;
    const BOOL detach = !bOwnDrag || copy;
    // The caller switched notifications off for a move inside the
    // control: the control tells the parent of the updates itself.
    const HWND parent = hWnd != nullptr ? ::GetParent(hWnd) : nullptr;
    const BOOL tellUpdates = moveOwn && m_bNotifyParentSaved && parent != nullptr;
    nRefused = 0;

    if (bOwnDrag) {
        // Selected occurrences (of the drop's resource) keep their series:
        // they leave the selection instead of being removed.
        for (INT_PTR i = 0; i < m_QueryApps.GetSize(); ++i) {
            CZUDPAppointment* pApp = m_QueryApps[i];
            if (!pApp->IsRecurrenceClone() || (!bCalendarDay && pApp->GetResourceID() != nResource))
                continue;
            POSITION pos = m_SelectedApps.Find(pApp);
            if (pos != nullptr) {
                m_SelectedApps.RemoveAt(pos);
                pApp->SetSelected(FALSE);
            }
        }
        if (!copy) {
            // The sources leave their old place: exactly those written.
            for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;) {
                const POSITION at = pos;
                CZUDPAppointment* pApp = m_SelectedApps.GetNext(pos);
                BOOL written = FALSE;
                for (INT_PTR i = 0; i < m_DragWritten.GetSize() && !written; ++i)
                    written = m_DragWritten[i] == pApp;
                if (!written) {
                    m_SelectedApps.RemoveAt(at);
                    pApp->SetSelected(FALSE);
                }
            }
            RemoveSelectedAppointments(FALSE, FALSE);
        }
    }

    BOOL added = FALSE;
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = apps[i];
        apps[i] = nullptr;
        if (mark.m_bDeleted || !::IsWindow(hWnd)) {
            // The parent took the control away: what is left was made here.
            delete pApp;
            continue;
        }
        const BOOL wasOccurrence = pApp->IsRecurrence() && pApp->IsRecurrenceClone();
        if (wasOccurrence && (detach || (!bCalendarDay && pApp->GetResourceID() != nResource)))
            pApp->ClearRecurrence();
        if (!bCalendarDay || detach)
            pApp->SetResourceID(nResource);
        if (!bCalendarDay && IsDayTypeView() && m_dtDrop.IsValid() && m_dtDrop != COleDateTime(0.0)) {
            const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
            if (isLong && !bAllDayTarget) {
                pApp->SetAllDay(FALSE);
                pApp->SetInterval(m_dtDrop, m_dtDrop);
            } else if (!isLong && bAllDayTarget) {
                pApp->SetAllDay(TRUE);
                pApp->SetInterval(m_dtDrop, m_dtDrop);
            }
        }
        if (tellUpdates) {
            const LRESULT reply =
                ::SendMessage(parent, ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT, 0, reinterpret_cast<LPARAM>(pApp));
            if (mark.m_bDeleted || !::IsWindow(hWnd)) {
                delete pApp;
                continue;
            }
            if (reply != 0) {
                // Refused: an occurrence stays in its series as it was; a
                // plain appointment, already gone from its old place, is
                // kept at the new one rather than lost.
                if (pApp->IsRecurrenceClone()) {
                    delete pApp;
                    ++nRefused;
                } else if (AddAppointment(pApp, FALSE, FALSE)) {
                    added = TRUE;
                } else {
                    delete pApp;
                    ++nRefused;
                }
                continue;
            }
        }
        dtSelStart = pApp->GetStart();
        dtSelEnd = pApp->GetFinish();
        // An occurrence added to its series becomes an exception and is
        // deleted by the storage: nothing of it is read afterwards.
        if (AddAppointment(pApp, FALSE, FALSE)) {
            added = TRUE;
            if (tellUpdates && !mark.m_bDeleted && ::IsWindow(hWnd))
                ::SendMessage(parent, ZUDP_PLANNER_UPDATE_APPOINTMENT, 0,
                              wasOccurrence ? 0 : reinterpret_cast<LPARAM>(pApp));
        } else if (!mark.m_bDeleted) {
            // Refused by the parent: the control made it, so it goes.
            delete pApp;
            ++nRefused;
        } else {
            delete pApp;
        }
    }
    apps.RemoveAll();
    return added;
}

BOOL CZUDPPlannerManagerCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    m_nLastDropEffect = DROPEFFECT_NONE;
    if ((dropEffect != DROPEFFECT_MOVE && dropEffect != DROPEFFECT_COPY) || m_bReadOnly || m_pCurrentView == nullptr)
        return FALSE;
    // A move onto the place it started from changes nothing.
    if (m_pCurrentView->IsCaptureUnchanged() && dropEffect != DROPEFFECT_COPY)
        return FALSE;
    DeletionMark mark(this);
    const HWND hWnd = GetSafeHwnd();
    auto gone = [&] { return mark.m_bDeleted || !::IsWindow(hWnd) || m_pCurrentView == nullptr; };
    const BOOL own = m_bDragDrop;
    m_dtDrop = m_pCurrentView->m_dtCaptureCursor;
    if (!BeginDrop()) {
        if (mark.m_bDeleted)
            return FALSE;
        m_dtDrop = COleDateTime(0.0);
        if (own)
            m_bRelayoutAfterDrag = TRUE;
        else if (!gone())
            AdjustLayout(TRUE);
        return FALSE;
    }
    if (gone()) {
        if (!mark.m_bDeleted)
            m_dtDrop = COleDateTime(0.0);
        return FALSE;
    }
    m_pCurrentView->ClearDragAppointments();
    CZUDPAppointmentArray apps;
    // The own drag keeps the appointments' times and shifts them by the
    // way the cursor went; a drop from elsewhere places the earliest one
    // at the point.
    const COleDateTime place = own ? COleDateTime(0.0) : m_pCurrentView->GetDateFromPoint(point);
    BOOL result = FALSE;
    if (ReadDropData(pDataObject, apps, m_Type, place)) {
        const UINT resource = m_pCurrentView->GetResourceFromPoint(point);
        const UINT oldResource = m_pCurrentView->GetCurrentResourceID();
        const int area = m_pCurrentView->HitTestArea(point);
        const BOOL allDayTarget = IsDayTypeView() && (area == 3 || area == 4 || area == 5);
        if (own) {
            const COleDateTime from = m_pCurrentView->m_dtCaptureCurrent;
            const COleDateTime to = m_dtDrop;
            const BOOL forward = to > from;
            ShiftAppointments(apps, forward ? to - from : from - to, forward);
        }
        COleDateTime s = m_pCurrentView->GetSelectionStart();
        COleDateTime e = m_pCurrentView->GetSelectionEnd();
        m_bNotifyParentSaved = m_bNotifyParent;
        if (own && dropEffect != DROPEFFECT_COPY)
            m_bNotifyParent = FALSE;
        int refused = 0;
        result = AddDropped(apps, own, dropEffect, resource, allDayTarget, FALSE, s, e, refused);
        if (mark.m_bDeleted)
            return FALSE;
        // A move from another window whose appointments were not all
        // taken answers copy, so that the source keeps them.
        m_nLastDropEffect = result ? (refused > 0 && !own ? DROPEFFECT_COPY : dropEffect) : DROPEFFECT_NONE;
        UINT newResource = oldResource;
        if (!gone()) {
            if (IsDayTypeView()) {
                if (s == e)
                    e += m_pCurrentView->GetMinimumSpan();
                e -= COleDateTimeSpan(0, 0, 0, 1);
            } else {
                s = COleDateTime(s.GetYear(), s.GetMonth(), s.GetDay(), 0, 0, 0);
                e = COleDateTime(e.GetYear(), e.GetMonth(), e.GetDay(), 0, 0, 0);
            }
            if (resource != oldResource && m_pCurrentView->SetCurrentResourceID(resource, FALSE, FALSE))
                newResource = resource;
            m_pCurrentView->SetSelection(s, e, FALSE);
            ClearAppointmentSelection(FALSE);
            RequeryAppointments();
            AdjustLayout(TRUE);
            UpdateCalendarMarks(nullptr);
        }
        m_bNotifyParent = m_bNotifyParentSaved;
        if (!gone() && result)
            NotifyParent(ZUDP_PLANNER_DROP_APPOINTMENTS, 0, 0);
        if (!gone() && newResource != oldResource)
            NotifyParent(ZUDP_PLANNER_RESOURCEID_CHANGED, 0, 0);
        if (mark.m_bDeleted)
            return FALSE;
    }
    if (!gone())
        EndDrop(result);
    if (!mark.m_bDeleted)
        m_dtDrop = COleDateTime(0.0);
    return result;
}

BOOL CZUDPPlannerManagerCtrl::OnDropToCalendar(COleDataObject* pDataObject, DROPEFFECT dropEffect,
                                               const COleDateTime& day)
{
    m_nLastDropEffect = DROPEFFECT_NONE;
    if (m_bReadOnly || (dropEffect != DROPEFFECT_MOVE && dropEffect != DROPEFFECT_COPY) || m_pCurrentView == nullptr)
        return FALSE;
    DeletionMark mark(this);
    const HWND hWnd = GetSafeHwnd();
    auto gone = [&] { return mark.m_bDeleted || !::IsWindow(hWnd) || m_pCurrentView == nullptr; };
    const BOOL own = m_bDragDrop;
    m_dtDrop = day;
    if (!BeginDrop() || gone()) {
        if (!mark.m_bDeleted)
            m_dtDrop = COleDateTime(0.0);
        return FALSE;
    }
    m_pCurrentView->ClearDragAppointments();
    CZUDPAppointmentArray apps;
    BOOL result = FALSE;
    // The earliest appointment's day becomes the day; the times stay.
    if (ReadDropData(pDataObject, apps, TypeWeek, day)) {
        COleDateTime s, e;
        m_bNotifyParentSaved = m_bNotifyParent;
        if (own && dropEffect != DROPEFFECT_COPY)
            m_bNotifyParent = FALSE;
        int refused = 0;
        result = AddDropped(apps, own, dropEffect, GetCurrentResourceID(), FALSE, TRUE, s, e, refused);
        if (mark.m_bDeleted)
            return FALSE;
        m_nLastDropEffect = result ? (refused > 0 && !own ? DROPEFFECT_COPY : dropEffect) : DROPEFFECT_NONE;
        if (!gone()) {
            ClearAppointmentSelection(FALSE);
            RequeryAppointments();
            SetDate(day, FALSE);
            AdjustLayout(TRUE);
            UpdateCalendarMarks(nullptr);
        }
        m_bNotifyParent = m_bNotifyParentSaved;
        if (!gone() && result)
            NotifyParent(ZUDP_PLANNER_DROP_APPOINTMENTS, 0, 0);
        if (mark.m_bDeleted)
            return FALSE;
    }
    if (!gone())
        EndDrop(result);
    if (!mark.m_bDeleted)
        m_dtDrop = COleDateTime(0.0);
    return result;
}
