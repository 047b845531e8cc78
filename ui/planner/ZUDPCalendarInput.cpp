// The calendar's input: scroll arrows with auto-repeat, the month list
// behind a caption, day and week-row presses and drags, the Today button,
// keys forwarded to a linked planner, focus loss and Escape of a popup
// calendar, the week-selection cursor and drops of planner data on a day.
#include "ui/planner/ZUDPCalendar.h"

#include "framework/win/FrameworkSeams.h"
#include "res/ui/planner.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/planner/ZUDPCalendarBar.h"
#include "ui/planner/ZUDPDateTimeCtrl.h"
#include "ui/planner/ZUDPMonthPickerWnd.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"

namespace {

COleDateTime NoCalendarDate() { return COleDateTime(0.0); }

BOOL SameMonth(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetYear() == b.GetYear() && a.GetMonth() == b.GetMonth();
}

} // namespace

HCURSOR CZUDPCalendar::GetWeekCursor()
{
    static HCURSOR cursor = [] {
        CZUDPLocalResource resources;
        HCURSOR loaded = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_CALENDAR_WEEK));
        return loaded != nullptr ? loaded : ::LoadCursorA(nullptr, IDC_ARROW);
    }();
    return cursor;
}

void CZUDPCalendar::ResetPress()
{
    const BOOL dragging = IsCalendarDate(m_dtDragAnchor);
    m_dtDragAnchor = NoCalendarDate();
    m_dtDragEnd = NoCalendarDate();
    m_bWeekRowDrag = FALSE;
    m_rectPressed.SetRectEmpty();
    // The range painted while dragging goes away.
    if (dragging && GetSafeHwnd() != nullptr)
        RedrawWindow(m_rectCalendar, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// ---- mouse -------------------------------------------------------------------------------------

void CZUDPCalendar::OnLButtonDown(UINT nFlags, CPoint point)
{
    Default();
    m_bSelectionChanged = FALSE;
    // Whatever an earlier press left (a drag cut short) is forgotten.
    ResetPress();
    SetFocus();
    SetCapture();

    if (m_rectPrev.PtInRect(point) || m_rectNext.PtInRect(point)) {
        const BOOL forward = !m_rectPrev.PtInRect(point);
        const CRect pressed = forward ? m_rectNext : m_rectPrev;
        if (forward)
            NextMonth();
        else
            PrevMonth();
        m_bRepeatForward = forward;
        m_nRepeatTicks = 0;
        m_bRepeatFirstPhase = TRUE;
        m_rectPressed = pressed;
        SetTimer(1, 300);
        return;
    }

    CRect caption;
    const int index = HitTestMonthCaption(point, caption);
    if (index >= 0) {
        auto* pList = new CZUDPMonthPickerWnd(this, index);
        CPoint centre((caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2);
        ClientToScreen(&centre);
        // A list whose window could not be made is deleted here; one that
        // was made deletes itself when it closes.
        if (!pList->Create(centre.x, centre.y))
            delete pList;
        return;
    }

    m_bWeekRowDrag = FALSE;
    if (m_bWeekNumbers && m_bMultipleSelection) {
        const COleDateTime week = HitTestWeek(point, TRUE);
        m_dtDragEnd = week;
        if (IsCalendarDate(week)) {
            m_dtDragAnchor = week;
            m_bWeekRowDrag = TRUE;
            if ((nFlags & MK_CONTROL) == 0)
                ClearSelection(FALSE, TRUE);
            OnMouseMove(nFlags, point);
            return;
        }
    }

    int relation = 0;
    const COleDateTime day = HitTestDay(point, &relation);
    m_dtDragEnd = day;
    if (!IsCalendarDate(day))
        return;
    m_dtDragAnchor = day;
    if (m_bMultipleSelection && relation == 0) {
        if ((nFlags & MK_CONTROL) == 0) {
            m_bSelectionChanged = TRUE;
            ClearSelection(FALSE, TRUE);
        }
        OnMouseMove(nFlags, point);
        return;
    }
    if (relation != 0) {
        if (relation < 0)
            PrevMonth();
        else
            NextMonth();
        m_dtDragEnd = NoCalendarDate();
        m_dtDragAnchor = NoCalendarDate();
    }
    SelectDate(day, FALSE, TRUE, TRUE);
}

void CZUDPCalendar::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) == 0 || !IsCalendarDate(m_dtDragAnchor) || !m_bMultipleSelection)
        return;
    const COleDateTime old = m_dtDragEnd;
    const COleDateTime now = m_bWeekRowDrag ? HitTestWeek(point, FALSE) : HitTestDayOfMonth(point);
    if (!IsCalendarDate(now))
        return;
    m_dtDragEnd = now;
    CRect area;
    if (m_bWeekRowDrag || !IsCalendarDate(old) || !SameMonth(old, now))
        area = m_rectCalendar;
    else
        GetMonthRectByDate(now.GetYear(), now.GetMonth(), area);
    if (m_bWholeWeeks) {
        COleDateTime lo = m_dtDragAnchor, hi = m_dtDragAnchor;
        for (const COleDateTime& d : { old, now }) {
            if (!IsCalendarDate(d))
                continue;
            if (d < lo)
                lo = d;
            if (d > hi)
                hi = d;
        }
        if ((hi - lo).GetTotalDays() > 6.0) {
            lo = GetWeekStart(lo);
            hi = GetWeekStart(hi) + COleDateTimeSpan(6.0);
            CRect block;
            if (GetMonthRectByDate(lo.GetYear(), lo.GetMonth(), block) >= 0)
                area.UnionRect(area, block);
            if (GetMonthRectByDate(hi.GetYear(), hi.GetMonth(), block) >= 0)
                area.UnionRect(area, block);
        }
    }
    RedrawWindow(area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CZUDPCalendar::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)point;
    // The press state is read before the capture goes: losing the capture
    // resets it.
    const COleDateTime anchor = m_dtDragAnchor;
    const COleDateTime end = m_dtDragEnd;
    const BOOL weekRow = m_bWeekRowDrag;
    m_dtDragAnchor = NoCalendarDate();
    m_dtDragEnd = NoCalendarDate();
    m_bWeekRowDrag = FALSE;
    m_rectPressed.SetRectEmpty();
    Default();
    if (GetCapture() == this)
        ReleaseCapture();
    KillTimer(1);

    if (IsCalendarDate(anchor)) {
        if (m_bMultipleSelection) {
            // A range only between two days of the shown months.
            if (IsCalendarDate(end) && IsInShownMonths(end) && IsInShownMonths(anchor)) {
                COleDateTime lo = end < anchor ? end : anchor;
                COleDateTime hi = end < anchor ? anchor : end;
                if (weekRow || (m_bWholeWeeks && (hi - lo).GetTotalDays() > 6.0)) {
                    lo = GetWeekStart(lo);
                    hi = GetWeekStart(hi) + COleDateTimeSpan(6.0);
                }
                const BOOL toggle = (nFlags & MK_CONTROL) != 0;
                for (COleDateTime d = lo; d.GetStatus() == COleDateTime::valid && d <= hi;
                     d += COleDateTimeSpan(1.0)) {
                    if (toggle && IsDateSelected(d))
                        UnselectDate(d, FALSE, FALSE);
                    else
                        SelectDate(d, TRUE, FALSE, FALSE);
                }
                m_bSelectionChanged = TRUE;
            }
        } else {
            SelectDate(anchor, TRUE, FALSE, FALSE);
        }
    }
    const COleDateTime clicked = IsCalendarDate(anchor) && end == anchor ? end : NoCalendarDate();
    if (m_bSelectionChanged) {
        m_bSelectionChanged = FALSE;
        if (m_bMultipleSelection)
            NotifySelectionChanged();
    }
    // Handing the date on is the last thing done here: it may close the
    // window that holds this calendar.
    if (!IsCalendarDate(clicked))
        return;
    if (auto* pBar = DYNAMIC_DOWNCAST(CZUDPCalendarBar, GetParent())) {
        pBar->OnDateSelected(clicked);
        return;
    }
    CloseOwnerPopup(clicked);
}

void CZUDPCalendar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != 1) {
        CZUDPWnd::OnTimer(nIDEvent);
        return;
    }
    CPoint cursor;
    g_frameworkSeams.cursorPos(&cursor);
    ScreenToClient(&cursor);
    if (!m_rectPressed.PtInRect(cursor))
        return;
    if (m_bRepeatForward)
        NextMonth();
    else
        PrevMonth();
    if (m_bRepeatFirstPhase) {
        if (m_nRepeatTicks >= 10) {
            m_bRepeatFirstPhase = FALSE;
            KillTimer(1);
            SetTimer(1, 100);
        } else {
            ++m_nRepeatTicks;
        }
    }
}

void CZUDPCalendar::OnCancelMode()
{
    Default();
    if (GetCapture() == this)
        ReleaseCapture();
    KillTimer(1);
    ResetPress();
}

void CZUDPCalendar::OnCaptureChanged(CWnd* pWnd)
{
    Default();
    // A drag that loses the mouse ends without applying its range.
    if (pWnd != this) {
        KillTimer(1);
        ResetPress();
    }
}

// ---- Today, keys, focus and the cursor ---------------------------------------------------------

void CZUDPCalendar::OnToday()
{
    const COleDateTime now = g_plannerSeams.now();
    SetFocus();
    if (now.GetStatus() == COleDateTime::valid && (now < m_dtFirstShown || now > m_dtLastShown)) {
        m_nFirstMonth = now.GetMonth();
        m_nFirstYear = now.GetYear();
        RecalcLayout(TRUE);
    }
    if (now.GetStatus() == COleDateTime::valid)
        CloseOwnerPopup(now);
}

BOOL CZUDPCalendar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE && GetOwnerDateCtrl() != nullptr) {
            CloseOwnerPopup(NoCalendarDate());
            return TRUE;
        }
        if (m_pPlanner != nullptr && m_pPlanner->GetSafeHwnd() != nullptr && g_activePopupMenu == nullptr) {
            m_pPlanner->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    } else if (pMsg->message == WM_LBUTTONUP && m_wndToday.GetSafeHwnd() != nullptr &&
               pMsg->hwnd == m_wndToday.GetSafeHwnd()) {
        CPoint cursor;
        g_frameworkSeams.cursorPos(&cursor);
        CRect button;
        m_wndToday.GetWindowRect(button);
        if (!button.PtInRect(cursor))
            SetFocus();
    }
    return CZUDPWnd::PreTranslateMessage(pMsg);
}

void CZUDPCalendar::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    if ((pNewWnd != nullptr && pNewWnd->GetSafeHwnd() == m_wndToday.GetSafeHwnd() &&
         m_wndToday.GetSafeHwnd() != nullptr) ||
        m_bMonthListOpen)
        return;
    CloseOwnerPopup(NoCalendarDate());
}

BOOL CZUDPCalendar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bWeekNumbers && m_bMultipleSelection) {
        CPoint cursor;
        g_frameworkSeams.cursorPos(&cursor);
        ScreenToClient(&cursor);
        if (IsCalendarDate(HitTestWeek(cursor, TRUE))) {
            ::SetCursor(GetWeekCursor());
            return TRUE;
        }
    }
    return CZUDPWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- drops of planner data ---------------------------------------------------------------------

DROPEFFECT CZUDPCalendar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    const CRect old = m_rectDropFrame;
    m_rectDropFrame.SetRectEmpty();
    DROPEFFECT result = DROPEFFECT_NONE;
    const UINT format = CZUDPPlannerManagerCtrl::GetClipboardFormat();
    if (m_pPlanner != nullptr && pDataObject != nullptr && format != 0 &&
        pDataObject->IsDataAvailable(CLIPFORMAT(format)) && !m_pPlanner->IsReadOnly()) {
        int relation = 0;
        CRect cell;
        const COleDateTime day = HitTestDay(point, &relation, cell);
        if (IsCalendarDate(day) && relation == 0) {
            m_rectDropFrame = cell;
            result = (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
        }
    }
    if (GetSafeHwnd() != nullptr && old != m_rectDropFrame) {
        CClientDC dc(this);
        const CSize size(2, 2);
        dc.DrawDragRect(m_rectDropFrame, size, old.IsRectEmpty() ? nullptr : &old, size);
    }
    return result;
}

DROPEFFECT CZUDPCalendar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    m_rectDropFrame.SetRectEmpty();
    return OnDragOver(pDataObject, dwKeyState, point);
}

void CZUDPCalendar::OnDragLeave()
{
    if (GetSafeHwnd() != nullptr && !m_rectDropFrame.IsRectEmpty()) {
        CClientDC dc(this);
        const CSize size(2, 2);
        const CRect none;
        dc.DrawDragRect(none, size, m_rectDropFrame, size);
    }
    m_rectDropFrame.SetRectEmpty();
}

BOOL CZUDPCalendar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    OnDragLeave();
    if (dropEffect != DROPEFFECT_MOVE && dropEffect != DROPEFFECT_COPY)
        return FALSE;
    int relation = 0;
    const COleDateTime day = HitTestDay(point, &relation);
    if (!IsCalendarDate(day) || relation != 0 || m_pPlanner == nullptr)
        return FALSE;
    return m_pPlanner->OnDropToCalendar(pDataObject, dropEffect, day);
}
