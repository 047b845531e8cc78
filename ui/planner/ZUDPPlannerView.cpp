// The planner view's data, range and selection, hit testing, activation
// and shared helpers.
#include "ui/planner/ZUDPPlannerView.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerClockIcons.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"

IMPLEMENT_DYNAMIC(CZUDPPlannerView, CObject)

namespace {

// The first character of a locale value is the digit asked for.
BOOL LocaleFlagIs(DWORD type, char digit)
{
    CString value = g_plannerSeams.localeInfo(type);
    return !value.IsEmpty() && value[0] == digit;
}

} // namespace

CZUDPPlannerView::CZUDPPlannerView()
{
    // The system's shared resize cursors: loaded once, never destroyed.
    m_hHorzResizeCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
    m_hVertResizeCursor = ::LoadCursor(nullptr, IDC_SIZENS);
}

CZUDPPlannerView::~CZUDPPlannerView()
{
    ClearDragAppointments();
}

// ---- range and selection ------------------------------------------------------------

int CZUDPPlannerView::GetViewDuration() const
{
    return int(PlannerDates::WholeDays(m_dtDateEnd - m_dtDateStart)) + 1;
}

int CZUDPPlannerView::GetLaidOutDayCount() const
{
    const int days = GetViewDuration();
    const int rects = int(m_ViewRects.GetSize());
    return days < rects ? (days > 0 ? days : 0) : rects;
}

BOOL CZUDPPlannerView::IsDateInSelection(const COleDateTime& date) const
{
    const BOOL forward = m_dtSelectionStart <= m_dtSelectionEnd;
    const COleDateTime& lo = forward ? m_dtSelectionStart : m_dtSelectionEnd;
    const COleDateTime& hi = forward ? m_dtSelectionEnd : m_dtSelectionStart;
    return lo <= date && date <= hi;
}

void CZUDPPlannerView::SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw)
{
    COleDateTime start = sel1;
    COleDateTime end = sel2;
    if (start < m_dtDateStart)
        start = m_dtDateStart;
    if (start > m_dtDateEnd)
        start = m_dtDateEnd;
    if (end < m_dtDateStart)
        end = m_dtDateStart;
    if (end > m_dtDateEnd)
        end = m_dtDateEnd;
    if (!(start == m_dtSelectionStart && end == m_dtSelectionEnd)) {
        m_dtSelectionStart = start;
        m_dtSelectionEnd = end;
    }
    if (bRedraw && HasPlannerWindow() && m_pPlanner->IsWindowVisible())
        RedrawPlanner();
}

COleDateTime CZUDPPlannerView::GetDateFromPoint(const CPoint& point) const
{
    const int days = GetLaidOutDayCount();
    for (int i = 0; i < days; ++i) {
        CRect rect = m_ViewRects[i];
        rect.right += 1;
        rect.bottom += 1;
        if (rect.PtInRect(point))
            return m_dtDateStart + COleDateTimeSpan(double(i));
    }
    return COleDateTime(0.0);
}

int CZUDPPlannerView::GetWeekFromPoint(const CPoint& point) const
{
    (void)point;
    return -1;
}

UINT CZUDPPlannerView::GetResourceFromPoint(const CPoint& point) const
{
    (void)point;
    return m_pPlanner != nullptr ? m_pPlanner->GetCurrentResourceID() : 0;
}

CZUDPAppointment* CZUDPPlannerView::GetAppointmentFromPoint(const CPoint& point)
{
    if (m_pPlanner == nullptr)
        return nullptr;
    const CZUDPAppointmentArray& apps = m_pPlanner->GetQueriedAppointments();
    for (INT_PTR i = 0; i < apps.GetSize(); ++i)
        if (apps[i] != nullptr && apps[i]->IsPointInDraw(point))
            return apps[i];
    return nullptr;
}

void CZUDPPlannerView::SetDate(const COleDateTime& date)
{
    m_dtDate = PlannerDates::TruncateToDay(date);
    QueryAppointments();
    SetSelection(m_dtDate, m_dtDate, FALSE);
    AdjustLayout(TRUE);
}

void CZUDPPlannerView::SetDateInterval(const COleDateTime& date1, const COleDateTime& date2)
{
    (void)date1;
    (void)date2;
}

BOOL CZUDPPlannerView::SetCurrentResourceID(UINT nResourceID, BOOL bRedraw, BOOL bNotify)
{
    (void)nResourceID;
    (void)bRedraw;
    (void)bNotify;
    return FALSE;
}

void CZUDPPlannerView::SetCompressWeekend(BOOL bCompress) { (void)bCompress; }
void CZUDPPlannerView::SetDrawTimeFinish(BOOL bDraw) { (void)bDraw; }
void CZUDPPlannerView::SetDrawTimeAsIcons(BOOL bDraw) { (void)bDraw; }

void CZUDPPlannerView::QueryAppointments()
{
    CloseAppointmentEdit();
    if (m_pPlanner != nullptr)
        m_pPlanner->RequeryAppointments();
}

// ---- whole-day views: selection, week steps, icons, resize edges ---------------------------

void CZUDPPlannerView::SetWholeDaySelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw)
{
    static const COleDateTimeSpan dayLessOneSecond(0.999988425925926);
    COleDateTime start;
    COleDateTime end;
    if (sel1 < sel2 || IsSameDay(sel1, sel2)) {
        start = PlannerDates::TruncateToDay(sel1);
        end = PlannerDates::TruncateToDay(sel2) + dayLessOneSecond;
    } else {
        // The anchor stays the start even when it lies after the end.
        end = PlannerDates::TruncateToDay(sel2);
        start = PlannerDates::TruncateToDay(sel1) + dayLessOneSecond;
    }
    CZUDPPlannerView::SetSelection(start, end, bRedraw);
}

BOOL CZUDPPlannerView::ScrollByWeeks(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    const int old = m_nScrollOffset;
    int position = old;
    switch (nSBCode) {
    case SB_LINEUP: position = old - 1; break;
    case SB_LINEDOWN: position = old + 1; break;
    case SB_PAGEUP: position = old - m_nScrollPage; break;
    case SB_PAGEDOWN: position = old + m_nScrollPage; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = m_nScrollTotal; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = int(nPos); break;
    default: return FALSE;
    }
    m_nScrollOffset = position;
    if (position == old)
        return FALSE;
    const COleDateTimeSpan shift(double(position - old) * 7.0);
    m_dtDate += shift;
    m_dtDateStart += shift;
    m_dtDateEnd += shift;
    SetSelection(m_dtSelectionStart + shift, m_dtSelectionEnd + shift, TRUE);
    QueryAppointments();
    return CZUDPPlannerView::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CZUDPPlannerView::AddCornerDownIcon(BYTE nFlags, const CRect& rectDay)
{
    if (nFlags == 0 || m_pPlanner == nullptr)
        return;
    const CSize size = m_pPlanner->GetUpDownIconSize();
    m_DownRects.Add(CRect(rectDay.right - size.cx, rectDay.bottom - size.cy, rectDay.right, rectDay.bottom));
}

BOOL CZUDPPlannerView::CanResizeAtSideEdges(int nHitCode) const
{
    if (IsReadOnly())
        return FALSE;
    return nHitCode == ZUDP_PLANNER_HIT_APPOINTMENT_LEFT || nHitCode == ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT;
}

// ---- hit testing -----------------------------------------------------------------------

int CZUDPPlannerView::HitTestArea(const CPoint& point) const
{
    if (!m_rectView.PtInRect(point))
        return ZUDP_PLANNER_HIT_NOWHERE;
    for (INT_PTR i = 0; i < m_UpRects.GetSize(); ++i)
        if (m_UpRects[i].PtInRect(point))
            return ZUDP_PLANNER_HIT_ICON_UP;
    for (INT_PTR i = 0; i < m_DownRects.GetSize(); ++i)
        if (m_DownRects[i].PtInRect(point))
            return ZUDP_PLANNER_HIT_ICON_DOWN;
    return ZUDP_PLANNER_HIT_CLIENT;
}

int CZUDPPlannerView::HitTestAppointment(const CPoint& point) const
{
    CZUDPAppointment* pApp = const_cast<CZUDPPlannerView*>(this)->GetAppointmentFromPoint(point);
    if (pApp == nullptr)
        return ZUDP_PLANNER_HIT_NOWHERE;
    const int hit = pApp->HitTest(point);
    if (hit >= ZUDP_APPOINTMENT_HIT_INSIDE && hit <= ZUDP_APPOINTMENT_HIT_RIGHT)
        return hit + ZUDP_PLANNER_HIT_APPOINTMENT - ZUDP_APPOINTMENT_HIT_INSIDE;
    return ZUDP_PLANNER_HIT_NOWHERE;
}

int CZUDPPlannerView::HitTest(const CPoint& point) const
{
    // Icons and captions lie above the appointments.
    const int area = HitTestArea(point);
    if (area != ZUDP_PLANNER_HIT_NOWHERE && area != ZUDP_PLANNER_HIT_CLIENT)
        return area;
    const int app = HitTestAppointment(point);
    return app != ZUDP_PLANNER_HIT_NOWHERE ? app : area;
}

BOOL CZUDPPlannerView::CanResizeAt(int nHitCode) const
{
    if (IsReadOnly())
        return FALSE;
    return nHitCode >= ZUDP_PLANNER_HIT_APPOINTMENT_TOP && nHitCode <= ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT;
}

BOOL CZUDPPlannerView::IsCaptureMove() const
{
    int code = m_nCapturedHitCode;
    if (m_pCapturedAppointment == nullptr) {
        POINT cursor = {0, 0};
        g_frameworkSeams.cursorPos(&cursor);
        ScreenToClient(&cursor);
        code = HitTestAppointment(cursor);
    }
    return code >= ZUDP_PLANNER_HIT_APPOINTMENT && !CanResizeAt(code);
}

BOOL CZUDPPlannerView::IsCaptureUnchanged() const
{
    return m_dtCaptureCursor.GetStatus() == m_dtCaptureCurrent.GetStatus() &&
           (m_dtCaptureCursor.GetStatus() != COleDateTime::valid || m_dtCaptureCursor == m_dtCaptureCurrent) &&
           m_nCursorArea == m_nCaptureArea && m_nCursorResource == m_nCaptureResource;
}

// ---- activation ---------------------------------------------------------------------------

void CZUDPPlannerView::OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView)
{
    (void)pOldView;
    if (m_bActive)
        return;
    m_pPlanner = pPlanner;
    m_bActive = true;
    m_nScrollPage = 0;
    m_nScrollTotal = 0;
    m_nScrollOffset = 0;
    QueryAppointments();
    if (HasPlannerWindow()) {
        UpdateResources();
        AdjustLayout(TRUE);
    }
}

void CZUDPPlannerView::OnDeactivate(CZUDPPlannerManagerCtrl* pPlanner)
{
    (void)pPlanner;
    if (!m_bActive)
        return;
    CloseAppointmentEdit();
    m_bActive = false;
    m_pPlanner = nullptr;
}

void CZUDPPlannerView::AddUpDownIcons(BYTE nFlags, const CRect& rectDay)
{
    (void)nFlags;
    (void)rectDay;
}

CString CZUDPPlannerView::GetToolTipText(const CPoint& point)
{
    CZUDPAppointment* pApp = GetAppointmentFromPoint(point);
    return pApp != nullptr ? pApp->GetToolTipText() : CString();
}

BOOL CZUDPPlannerView::EnsureAppointmentVisible(CZUDPAppointment* pApp, BOOL bAnyPart)
{
    (void)pApp;
    (void)bAnyPart;
    return FALSE;
}

// ---- what the view reads of its control ---------------------------------------------------

BOOL CZUDPPlannerView::HasPlannerWindow() const
{
    return m_pPlanner != nullptr && m_pPlanner->GetSafeHwnd() != nullptr;
}

void CZUDPPlannerView::RedrawPlanner() const
{
    if (HasPlannerWindow())
        m_pPlanner->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

BOOL CZUDPPlannerView::IsReadOnly() const { return m_pPlanner != nullptr && m_pPlanner->IsReadOnly(); }
BOOL CZUDPPlannerView::IsCaptured() const { return m_pPlanner != nullptr && m_pPlanner->m_bCaptured; }
BOOL CZUDPPlannerView::IsDragging() const { return m_pPlanner != nullptr && m_pPlanner->m_bDragDrop; }

DROPEFFECT CZUDPPlannerView::GetDragEffect() const
{
    return m_pPlanner != nullptr ? m_pPlanner->m_dragEffect : DROPEFFECT_NONE;
}

DWORD CZUDPPlannerView::GetDrawFlags() const { return m_pPlanner != nullptr ? m_pPlanner->GetDrawFlags() : 0; }

CZUDPAppointmentArray& CZUDPPlannerView::GetQueriedAppointments() const
{
    // Detached views see an empty list of their own.
    static CZUDPAppointmentArray none;
    none.RemoveAll();
    return m_pPlanner != nullptr ? m_pPlanner->GetQueriedAppointments() : none;
}

CList<CZUDPAppointment*, CZUDPAppointment*>& CZUDPPlannerView::GetSelectedAppointments() const
{
    static CList<CZUDPAppointment*, CZUDPAppointment*> none;
    none.RemoveAll();
    return m_pPlanner != nullptr ? m_pPlanner->GetSelectedAppointments() : none;
}

void CZUDPPlannerView::ClearAppointmentSelection(BOOL bRedraw)
{
    if (m_pPlanner != nullptr)
        m_pPlanner->ClearAppointmentSelection(bRedraw);
}

void CZUDPPlannerView::SelectAppointment(CZUDPAppointment* pApp, BOOL bSelect, BOOL bRedraw)
{
    if (m_pPlanner != nullptr)
        m_pPlanner->SelectAppointment(pApp, bSelect, bRedraw);
}

void CZUDPPlannerView::ScreenToClient(LPPOINT point) const
{
    if (HasPlannerWindow())
        ::ScreenToClient(m_pPlanner->GetSafeHwnd(), point);
}

void CZUDPPlannerView::StartEditTimer()
{
    if (!HasPlannerWindow() || m_nEditTimer != 0)
        return;
    m_nEditTimer = m_pPlanner->SetTimer(ZUDP_PLANNER_TIMER_EDIT, g_plannerSeams.doubleClickTime() / 3, nullptr);
}

void CZUDPPlannerView::StopEditTimer()
{
    if (!HasPlannerWindow() || m_nEditTimer == 0)
        return;
    m_pPlanner->KillTimer(ZUDP_PLANNER_TIMER_EDIT);
    m_nEditTimer = 0;
}

BOOL CZUDPPlannerView::IsDragAppointmentsShown() const
{
    if (m_DragAppointments.GetSize() == 0)
        return FALSE;
    return !IsDragging() || (GetDragEffect() & DROPEFFECT_COPY) != 0 || !IsCaptureUnchanged();
}

CSize CZUDPPlannerView::GetClockIconSize() const
{
    if (m_pPlanner == nullptr || m_pPlanner->GetClockIcons() == nullptr)
        return CSize(0, 0);
    return m_pPlanner->GetClockIcons()->GetIconSize();
}

void CZUDPPlannerView::DrawClockIcon(CDC* pDC, const CPoint& point, const COleDateTime& time) const
{
    if (m_pPlanner != nullptr && m_pPlanner->GetClockIcons() != nullptr)
        m_pPlanner->GetClockIcons()->DrawTime(pDC, point, time);
}

void CZUDPPlannerView::AddToolTipRect(const CRect& rect)
{
    if (m_pPlanner != nullptr)
        m_pPlanner->AddToolTip(rect);
}

void CZUDPPlannerView::UpdateToolTipsIfNeeded()
{
    if (!m_bUpdateToolTipInfo)
        return;
    if (m_pPlanner != nullptr)
        m_pPlanner->UpdateToolTips();
    m_bUpdateToolTipInfo = FALSE;
}

// ---- helpers --------------------------------------------------------------------------

void CZUDPPlannerView::FormatDate(const COleDateTime& date, CString& strText, LPCSTR lpszFormat)
{
    strText = g_plannerSeams.formatDate(date, lpszFormat);
}

CString CZUDPPlannerView::GetDateSeparator() { return g_plannerSeams.localeInfo(LOCALE_SDATE); }
CString CZUDPPlannerView::GetTimeSeparator() { return g_plannerSeams.localeInfo(LOCALE_STIME); }

CString CZUDPPlannerView::GetAmPmDesignator(BOOL bAm)
{
    return g_plannerSeams.localeInfo(bAm ? LOCALE_S1159 : LOCALE_S2359);
}

BOOL CZUDPPlannerView::Is24HourClock() { return LocaleFlagIs(LOCALE_ITIME, '1'); }
BOOL CZUDPPlannerView::IsDayBeforeMonth() { return LocaleFlagIs(LOCALE_IDATE, '1'); }

BOOL CZUDPPlannerView::IsAppointmentOnDate(const CZUDPAppointment* pApp, const COleDateTime& date)
{
    if (pApp == nullptr)
        return FALSE;
    return PlannerDates::IsOnDate(pApp->GetStart(), pApp->GetFinish(), pApp->IsAllDay(), date);
}

void CopyAppointmentList(const CList<CZUDPAppointment*, CZUDPAppointment*>& source,
                         CList<CZUDPAppointment*, CZUDPAppointment*>& target)
{
    target.RemoveAll();
    for (POSITION pos = source.GetHeadPosition(); pos != nullptr;)
        target.AddTail(source.GetNext(pos));
}
