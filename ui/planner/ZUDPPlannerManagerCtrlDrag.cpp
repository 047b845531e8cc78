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

void CZUDPPlannerManagerCtrl::ResetDropSource() {}

void CZUDPPlannerManagerCtrl::StartDragDrop() {}

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

BOOL CZUDPPlannerManagerCtrl::AddDroppedAppointments(CZUDPAppointmentArray& apps, UINT nResource, BOOL bAllDayTarget,
                                                     BOOL bPlaceByDropDate, int& nRefused)
{
    BOOL added = FALSE;
    nRefused = 0;
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = apps[i];
        if (pApp->IsRecurrence())
            pApp->ClearRecurrence();
        pApp->SetResourceID(nResource);
        if (bPlaceByDropDate && IsDayTypeView() && m_dtDrop.IsValid() && m_dtDrop != COleDateTime(0.0)) {
            const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
            if (isLong && !bAllDayTarget) {
                pApp->SetAllDay(FALSE);
                pApp->SetInterval(m_dtDrop, m_dtDrop);
            } else if (!isLong && bAllDayTarget) {
                pApp->SetAllDay(TRUE);
                pApp->SetInterval(m_dtDrop, m_dtDrop);
            }
        }
        if (AddAppointment(pApp, FALSE, FALSE)) {
            added = TRUE;
        } else {
            // Refused: the control made it, so it goes.
            delete pApp;
            ++nRefused;
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
    if (m_pCurrentView->IsCaptureUnchanged() && dropEffect != DROPEFFECT_COPY)
        return FALSE;
    m_dtDrop = m_pCurrentView->m_dtCaptureCursor;
    if (!SetChangeOperation(4)) {
        m_dtDrop = COleDateTime(0.0);
        AdjustLayout(TRUE);
        return FALSE;
    }
    const HWND hWnd = GetSafeHwnd();
    m_pCurrentView->ClearDragAppointments();
    CZUDPAppointmentArray apps;
    const COleDateTime place = m_pCurrentView->GetDateFromPoint(point);
    BOOL result = ReadDropData(pDataObject, apps, m_Type, place);
    if (result) {
        const UINT resource = m_pCurrentView->GetResourceFromPoint(point);
        const UINT oldResource = m_pCurrentView->GetCurrentResourceID();
        const int area = m_pCurrentView->HitTestArea(point);
        const BOOL allDayTarget = IsDayTypeView() && (area == 3 || area == 4 || area == 5);
        int refused = 0;
        result = AddDroppedAppointments(apps, resource, allDayTarget, TRUE, refused);
        // A move whose appointments were not all taken answers copy, so
        // that the source keeps what would otherwise be lost.
        m_nLastDropEffect = result ? (refused > 0 ? DROPEFFECT_COPY : dropEffect) : DROPEFFECT_NONE;
        if (::IsWindow(hWnd) && m_pCurrentView != nullptr) {
            ClearAppointmentSelection(FALSE);
            RequeryAppointments();
            AdjustLayout(TRUE);
            UpdateCalendarMarks(nullptr);
            if (result)
                NotifyParent(ZUDP_PLANNER_DROP_APPOINTMENTS, 0, 0);
            if (resource != oldResource && m_pCurrentView->SetCurrentResourceID(resource, FALSE, FALSE))
                NotifyParent(ZUDP_PLANNER_RESOURCEID_CHANGED, WPARAM(oldResource), LPARAM(resource));
        }
    }
    if (::IsWindow(hWnd))
        SetChangeOperation(0, result);
    m_dtDrop = COleDateTime(0.0);
    return result;
}

BOOL CZUDPPlannerManagerCtrl::OnDropToCalendar(COleDataObject* pDataObject, DROPEFFECT dropEffect,
                                               const COleDateTime& day)
{
    m_nLastDropEffect = DROPEFFECT_NONE;
    if (m_bReadOnly || (dropEffect != DROPEFFECT_MOVE && dropEffect != DROPEFFECT_COPY) || m_pCurrentView == nullptr)
        return FALSE;
    m_dtDrop = day;
    if (!SetChangeOperation(4)) {
        m_dtDrop = COleDateTime(0.0);
        return FALSE;
    }
    const HWND hWnd = GetSafeHwnd();
    m_pCurrentView->ClearDragAppointments();
    CZUDPAppointmentArray apps;
    BOOL result = ReadDropData(pDataObject, apps, TypeWeek, day);
    if (result) {
        int refused = 0;
        result = AddDroppedAppointments(apps, GetCurrentResourceID(), FALSE, FALSE, refused);
        m_nLastDropEffect = result ? (refused > 0 ? DROPEFFECT_COPY : dropEffect) : DROPEFFECT_NONE;
        if (::IsWindow(hWnd) && m_pCurrentView != nullptr) {
            ClearAppointmentSelection(FALSE);
            RequeryAppointments();
            SetDate(day, FALSE);
            AdjustLayout(TRUE);
            UpdateCalendarMarks(nullptr);
            if (result)
                NotifyParent(ZUDP_PLANNER_DROP_APPOINTMENTS, 0, 0);
        }
    }
    if (::IsWindow(hWnd))
        SetChangeOperation(0, result);
    m_dtDrop = COleDateTime(0.0);
    return result;
}
