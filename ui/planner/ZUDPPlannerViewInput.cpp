// The planner view's input: mouse buttons, wheel, cursor shape, the
// in-place edit timer, resizing an appointment by an edge, the copies of
// appointments dragged over the view, and the scroll bar.
#include "ui/planner/ZUDPPlannerView.h"

#include <cstdlib>

#include "framework/File.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

namespace {

const COleDateTimeSpan kInputOneSecond(0, 0, 0, 1);

BOOL IsZeroDate(const COleDateTime& date)
{
    return date.GetStatus() == COleDateTime::valid && date.m_dt == 0.0;
}

// The date with its seconds cut to zero.
COleDateTime WithoutSeconds(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return date;
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), date.GetHour(), date.GetMinute(), 0);
}

// At least a day long (half a second of tolerance).
BOOL IsDayLong(const COleDateTime& start, const COleDateTime& finish)
{
    return (finish - start).GetTotalSeconds() >= 86400.0 - 0.5;
}

// A saved date of the resized appointment (the zero date when missing).
COleDateTime SavedDate(const CZUDPAppointmentPropertyList& list, DWORD id)
{
    COleDateTime date(0.0);
    const auto* pProp = dynamic_cast<const CZUDPAppointmentProperty*>(list.Get(id));
    if (pProp == nullptr || !pProp->TryGetDate(date))
        return COleDateTime(0.0);
    return date;
}

} // namespace

// ---- mouse buttons --------------------------------------------------------------------------

BOOL CZUDPPlannerView::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int code = HitTest(point);
    const BOOL onAppointment = code >= ZUDP_PLANNER_HIT_APPOINTMENT && code <= ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT;
    if (!onAppointment && code != ZUDP_PLANNER_HIT_TIMEBAR && code != ZUDP_PLANNER_HIT_CLIENT &&
        code != ZUDP_PLANNER_HIT_DAY_CAPTION)
        return TRUE;   // icons, captions and bars are the control's

    BOOL redraw = FALSE;
    if ((nFlags & (MK_SHIFT | MK_CONTROL)) == 0) {
        redraw = GetSelectedAppointments().GetCount() > 0;
        ClearAppointmentSelection(FALSE);
    }
    if (onAppointment) {
        CZUDPAppointment* pApp = GetAppointmentFromPoint(point);
        if (pApp != nullptr)
            SelectAppointment(pApp, !pApp->IsSelected(), FALSE);
        redraw = TRUE;
    }

    const COleDateTime clicked = GetDateFromPoint(point);
    const COleDateTime day = PlannerDates::TruncateToDay(clicked);
    const UINT resource = GetResourceFromPoint(point);
    if (IsZeroDate(day) || (day == m_dtDate && clicked == m_dtSelectionStart && clicked == m_dtSelectionEnd &&
                            GetCurrentResourceID() == resource)) {
        if (redraw)
            RedrawPlanner();
        return TRUE;
    }
    m_dtDate = day;
    SetCurrentResourceID(resource, FALSE, TRUE);
    if ((nFlags & MK_SHIFT) != 0 && code < ZUDP_PLANNER_HIT_APPOINTMENT)
        SetSelection(m_dtSelectionStart, clicked, TRUE);   // the anchor stays
    else
        SetSelection(clicked, clicked, TRUE);
    return TRUE;
}

BOOL CZUDPPlannerView::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    const int code = HitTest(point);
    if (code < ZUDP_PLANNER_HIT_APPOINTMENT || code > ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT)
        return TRUE;
    CZUDPAppointment* pApp = GetAppointmentFromPoint(point);
    if (pApp == nullptr || pApp->IsSelected())
        return TRUE;
    ClearAppointmentSelection(FALSE);
    SelectAppointment(pApp, TRUE, FALSE);
    const COleDateTime clicked = GetDateFromPoint(point);
    const COleDateTime day = PlannerDates::TruncateToDay(clicked);
    UINT resource = GetResourceFromPoint(point);
    if (IsZeroDate(day)) {
        RedrawPlanner();
        return TRUE;
    }
    if (resource == GetCurrentResourceID())
        resource = 0;
    if (day != m_dtDate || clicked != m_dtSelectionStart || clicked != m_dtSelectionEnd || resource != 0) {
        m_dtDate = day;
        if (resource != 0)
            SetCurrentResourceID(resource, FALSE, TRUE);
        SetSelection(clicked, clicked, TRUE);
    } else {
        RedrawPlanner();
    }
    return TRUE;
}

BOOL CZUDPPlannerView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (HitTest(point) < ZUDP_PLANNER_HIT_APPOINTMENT || nFlags != 0 || IsReadOnly())
        return TRUE;
    CZUDPAppointment* pApp = GetAppointmentFromPoint(point);
    if (pApp != nullptr && pApp->IsSelected() && pApp->IsPointInText(point)) {
        // The editor will open over the clicked part.
        pApp->UpdateEditRect(point);
        StartEditTimer();
    }
    return TRUE;
}

BOOL CZUDPPlannerView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    // A double click never opens the editor through the timer.
    StopEditTimer();
    return FALSE;
}

BOOL CZUDPPlannerView::OnTimer(UINT_PTR nIDEvent)
{
    if (!HasPlannerWindow() || nIDEvent != ZUDP_PLANNER_TIMER_EDIT || m_nEditTimer == 0)
        return FALSE;
    StopEditTimer();
    CList<CZUDPAppointment*, CZUDPAppointment*>& selected = GetSelectedAppointments();
    if (selected.GetCount() == 1) {
        CZUDPAppointment* pApp = selected.GetHead();
        if (pApp != nullptr && pApp->IsSelected())
            EditAppointment(pApp);
    }
    return TRUE;
}

// ---- in-place editing -----------------------------------------------------------------------

void CZUDPPlannerView::EditAppointment(CZUDPAppointment* pApp)
{
    if (pApp == nullptr || !HasPlannerWindow())
        return;
    if (pApp->GetEditRect(COleDateTime(0.0)).top >= m_rectView.top)
        pApp->BeginEditing(m_pPlanner);
}

void CZUDPPlannerView::CloseAppointmentEdit()
{
    if (!HasPlannerWindow() || ::GetDlgItem(m_pPlanner->GetSafeHwnd(), 2) == nullptr)
        return;
    // A copy: ending an edit redraws, and a redraw may lay the view out.
    CZUDPAppointmentArray apps;
    apps.Copy(GetQueriedAppointments());
    for (INT_PTR i = 0; i < apps.GetSize(); ++i)
        if (apps[i] != nullptr && apps[i]->GetEditControl() != nullptr)
            apps[i]->EndEditing(FALSE);
}

// ---- cursor and wheel ---------------------------------------------------------------------------

BOOL CZUDPPlannerView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd;
    (void)nHitTest;
    (void)message;
    if (IsReadOnly())
        return FALSE;
    POINT cursor = {0, 0};
    g_frameworkSeams.cursorPos(&cursor);
    ScreenToClient(&cursor);
    const int code = HitTest(CPoint(cursor));
    HCURSOR hCursor = nullptr;
    switch (code) {
    case ZUDP_PLANNER_HIT_APPOINTMENT_MOVE:
        if (g_uiEnvironment.m_cursorSizeAll == nullptr)
            g_uiEnvironment.m_cursorSizeAll = ::LoadCursor(nullptr, IDC_SIZEALL);
        hCursor = g_uiEnvironment.m_cursorSizeAll;
        break;
    case ZUDP_PLANNER_HIT_APPOINTMENT_TOP:
    case ZUDP_PLANNER_HIT_APPOINTMENT_BOTTOM:
        if (CanResizeAt(code))
            hCursor = m_hVertResizeCursor;
        break;
    case ZUDP_PLANNER_HIT_APPOINTMENT_LEFT:
    case ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT:
        if (CanResizeAt(code))
            hCursor = m_hHorzResizeCursor;
        break;
    default:
        break;
    }
    if (hCursor == nullptr)
        return FALSE;
    ::SetCursor(hCursor);
    return TRUE;
}

BOOL CZUDPPlannerView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)pt;
    if (m_pCapturedAppointment != nullptr || g_activePopupMenu != nullptr)
        return FALSE;
    if (m_nScrollTotal <= 0)
        return TRUE;
    const int lines = std::abs(int(zDelta)) / 120;
    for (int i = 0; i < lines; ++i)
        OnVScroll(zDelta < 0 ? SB_LINEDOWN : SB_LINEUP, 0, nullptr);
    return TRUE;
}

BOOL CZUDPPlannerView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    if (!bDoScroll)
        return m_nScrollTotal != 0;
    OnVScroll(HIBYTE(nScrollCode), nPos, nullptr);
    return TRUE;
}

// ---- resizing an appointment ------------------------------------------------------------------

void CZUDPPlannerView::StartCapture()
{
    POINT cursor = {0, 0};
    g_frameworkSeams.cursorPos(&cursor);
    ScreenToClient(&cursor);
    const CPoint point(cursor);
    m_dtCaptureCurrent = m_dtCaptureCursor = GetDateFromPoint(point);
    m_bDragChanged = FALSE;
    m_pCapturedAppointment = nullptr;
    m_bCapturedChanged = FALSE;

    const int code = HitTest(point);
    if (CanResizeAt(code)) {
        CZUDPAppointment* pApp = GetAppointmentFromPoint(point);
        if (pApp != nullptr) {
            m_nCapturedHitCode = code;
            m_pCapturedAppointment = pApp;
            m_CapturedProperties.RemoveAll();
            m_CapturedProperties.Add(0, new CZUDPAppointmentProperty(pApp->GetStart()));
            m_CapturedProperties.Add(1, new CZUDPAppointmentProperty(pApp->GetFinish()));
            m_dtCapturedStart = pApp->GetStart();
        }
    }
    m_nCaptureArea = m_nCursorArea = HitTestArea(point);
    m_nCaptureResource = m_nCursorResource = GetResourceFromPoint(point);
}

BOOL CZUDPPlannerView::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!IsCaptured())
        return FALSE;
    const int area = HitTestArea(point);
    if (area == ZUDP_PLANNER_HIT_NOWHERE || area == ZUDP_PLANNER_HIT_HEADER)
        return TRUE;
    m_nCursorArea = area;
    COleDateTime date = GetDateFromPoint(point);
    if (IsZeroDate(date) || date == m_dtCaptureCursor)
        return TRUE;
    m_dtCaptureCursor = date;

    if (!IsDragging() && m_nCapturedHitCode == 0) {
        // Dragging the mouse extends the time selection from its anchor.
        SetSelection(m_dtSelectionStart, m_dtCaptureCursor, TRUE);
        return TRUE;
    }
    CZUDPAppointment* pApp = m_pCapturedAppointment;
    if (pApp == nullptr)
        return TRUE;
    const int code = m_nCapturedHitCode;
    if (code == ZUDP_PLANNER_HIT_APPOINTMENT_LEFT || code == ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT)
        date = PlannerDates::TruncateToDay(date);
    COleDateTime start = pApp->GetStart();
    COleDateTime finish = pApp->GetFinish();
    if (code == ZUDP_PLANNER_HIT_APPOINTMENT_TOP || code == ZUDP_PLANNER_HIT_APPOINTMENT_LEFT) {
        if (start != date) {
            start = WithoutSeconds(date);
            if (finish < start)
                start = finish;
        }
    } else if (code == ZUDP_PLANNER_HIT_APPOINTMENT_BOTTOM || code == ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT) {
        COleDateTime newFinish = date;
        if (code == ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT && !pApp->IsAllDay())
            newFinish = date + COleDateTimeSpan(1.0);
        else if (code == ZUDP_PLANNER_HIT_APPOINTMENT_BOTTOM)
            newFinish = date + GetMinimumSpan();
        if (newFinish != finish) {
            finish = WithoutSeconds(newFinish);
            if (finish < start)
                finish = start;
        }
    }
    if (start == pApp->GetStart() && finish == pApp->GetFinish())
        return TRUE;

    m_bCapturedChanged = TRUE;
    const BOOL wasLong = IsDayLong(pApp->GetStart(), pApp->GetFinish());
    pApp->SetInterval(start, finish);
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    SortAppointments(queried.GetData(), queried.GetSize());
    if (wasLong || IsDayLong(start, finish) != wasLong) {
        if (m_pPlanner != nullptr)
            m_pPlanner->AdjustLayout(FALSE);
        // The layout may have moved the days.
        const COleDateTime moved = GetDateFromPoint(point);
        if (!IsZeroDate(moved))
            m_dtCaptureCursor = moved;
    } else {
        AdjustAppointments();
    }
    RedrawPlanner();
    return TRUE;
}

void CZUDPPlannerView::StopCapture()
{
    m_dtCaptureCurrent = m_dtCaptureCursor = COleDateTime(0.0);
    m_bDragChanged = FALSE;
    m_nCaptureArea = m_nCursorArea = 0;
    m_nCaptureResource = m_nCursorResource = 0;

    CZUDPAppointment* pApp = m_pCapturedAppointment;
    if (pApp != nullptr && m_bCapturedChanged) {
        const COleDateTime savedStart = SavedDate(m_CapturedProperties, 0);
        const COleDateTime savedFinish = SavedDate(m_CapturedProperties, 1);
        if (savedStart != pApp->GetStart() || savedFinish != pApp->GetFinish()) {
            const BOOL occurrence = pApp->IsRecurrence() && pApp->IsRecurrenceClone();
            const BOOL oldException = pApp->IsRecurrenceException();
            if (occurrence)
                pApp->SetRecurrenceException(TRUE);
            if (m_pPlanner == nullptr || !m_pPlanner->UpdateAppointment(pApp, m_dtCapturedStart, FALSE, FALSE)) {
                if (occurrence)
                    pApp->SetRecurrenceException(oldException);
                RestoreCapturedAppointment();
            }
        }
        m_CapturedProperties.RemoveAll();
        const COleDateTime s = pApp->GetStart();
        COleDateTime f = pApp->GetFinish();
        if (s == f)
            f += GetMinimumSpan();
        f -= kInputOneSecond;
        SetSelection(s, f, FALSE);   // the selection now covers the appointment
        AdjustAppointments();
        RedrawPlanner();
        if (m_pPlanner != nullptr)
            m_pPlanner->UpdateCalendarMarks(nullptr);
    }
    m_dtCapturedStart = COleDateTime(0.0);
    m_pCapturedAppointment = nullptr;
    m_nCapturedHitCode = 0;
    m_bCapturedChanged = FALSE;
}

void CZUDPPlannerView::RestoreCapturedAppointment()
{
    if (m_pCapturedAppointment == nullptr || !m_bCapturedChanged)
        return;
    m_pCapturedAppointment->SetInterval(SavedDate(m_CapturedProperties, 0), SavedDate(m_CapturedProperties, 1));
}

void CZUDPPlannerView::ForgetCapturedAppointment()
{
    m_pCapturedAppointment = nullptr;
    m_nCapturedHitCode = 0;
    m_bCapturedChanged = FALSE;
    m_CapturedProperties.RemoveAll();
}

// ---- drag feedback --------------------------------------------------------------------------------

DROPEFFECT CZUDPPlannerView::GetDropEffect(DWORD dwKeyState, const CPoint& point) const
{
    if (HitTestArea(point) == ZUDP_PLANNER_HIT_NOWHERE)
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DROPEFFECT CZUDPPlannerView::OnDragScroll(DWORD dwKeyState, CPoint point)
{
    (void)dwKeyState;
    (void)point;
    return DROPEFFECT_NONE;
}

void CZUDPPlannerView::EmptyDragAppointments()
{
    // The query made new objects for the occurrences of dragged series:
    // they are the view's; the storage owns only what was added to it.
    for (INT_PTR i = 0; i < m_DragAppointments.GetSize(); ++i) {
        CZUDPAppointment* pApp = m_DragAppointments[i];
        BOOL stored = FALSE;
        for (INT_PTR j = 0; j < m_DragStored.GetSize() && !stored; ++j)
            stored = m_DragStored[j] == pApp;
        if (!stored)
            delete pApp;
    }
    m_DragAppointments.RemoveAll();
    m_DragStored.RemoveAll();
    if (m_pDragStorage != nullptr)
        m_pDragStorage->RemoveAll();
}

void CZUDPPlannerView::ClearDragAppointments()
{
    EmptyDragAppointments();
    delete m_pDragStorage;
    m_pDragStorage = nullptr;
}

int CZUDPPlannerView::LoadDragAppointments(COleDataObject* pDataObject, const COleDateTime& place,
                                           CZUDPAppointmentArray& apps)
{
    CFile* pFile = pDataObject != nullptr
                       ? pDataObject->GetFileData(CLIPFORMAT(CZUDPPlannerManagerCtrl::GetClipboardFormat()))
                       : nullptr;
    if (pFile == nullptr)
        return -1;
    BOOL loaded = FALSE;
    try {
        CArchive ar(pFile, CArchive::load);
        loaded = CZUDPPlannerManagerCtrl::LoadAppointmentsFromArchive(
            ar, apps, m_pPlanner != nullptr ? m_pPlanner->GetType() : 0, place);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        loaded = FALSE;
    }
    delete pFile;
    return loaded ? 1 : 0;
}

void CZUDPPlannerView::StoreDragAppointments(CZUDPAppointmentArray& apps)
{
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        apps[i]->SetSelected(TRUE);
        m_pDragStorage->Add(apps[i]);   // the drag storage owns it now (or merged it into its series)
    }
    // What the storage holds; everything else its query hands out is new.
    m_pDragStorage->QueryAll(m_DragStored);
    m_pDragStorage->Query(m_DragAppointments, m_dtDateStart, m_dtDateEnd);
}

DROPEFFECT CZUDPPlannerView::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    const DROPEFFECT effect = GetDropEffect(dwKeyState, point);
    const DROPEFFECT previous = GetDragEffect();
    const BOOL wasUnchanged = IsCaptureUnchanged();
    m_bDragChanged = FALSE;

    BOOL moved = FALSE;
    if (effect != DROPEFFECT_NONE) {
        const COleDateTime d = GetDateFromPoint(point);
        if (!IsZeroDate(d) && d != m_dtCaptureCursor) {
            m_dtCaptureCursor = d;
            moved = TRUE;
        }
    }
    if (effect == previous && !moved) {
        m_bDragChanged = IsCaptureUnchanged() != wasUnchanged;
        return effect;
    }

    if (m_pDragStorage == nullptr)
        m_pDragStorage = new CZUDPAppointmentStorage;
    EmptyDragAppointments();
    m_bDragChanged = TRUE;
    if (effect == DROPEFFECT_NONE)
        return DROPEFFECT_NONE;

    const BOOL inside = IsDragging();
    CZUDPAppointmentArray apps;
    const int loaded = LoadDragAppointments(pDataObject, inside ? COleDateTime(0.0) : m_dtCaptureCursor, apps);
    if (loaded < 0)
        return DROPEFFECT_NONE;   // nothing in the planner's format
    if (loaded > 0 && apps.GetSize() > 0) {
        if (inside) {
            const BOOL forward = m_dtCaptureCursor > m_dtCaptureCurrent;
            const COleDateTimeSpan span =
                forward ? m_dtCaptureCursor - m_dtCaptureCurrent : m_dtCaptureCurrent - m_dtCaptureCursor;
            CZUDPPlannerManagerCtrl::ShiftAppointments(apps, span, forward);
        }
        StoreDragAppointments(apps);
    }
    return effect;
}
