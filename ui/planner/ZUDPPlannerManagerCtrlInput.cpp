// The planner control's input: mouse, keyboard, wheel, scroll, cursor and
// timers go to the current view; the control keeps the mouse capture,
// turns caption and icon clicks into view changes and keeps one tooltip
// per shown appointment part.
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

#include "framework/win/Controls.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/planner/ZUDPAppointmentDrawStruct.h"
#include "ui/planner/ZUDPPlannerManagerView.h"
#include "ui/planner/ZUDPPlannerView.h"
#include "ui/planner/ZUDPPlannerViewDay.h"

#include <algorithm>

namespace {

// The text handed to a tooltip: it must outlive the notification, and one
// tooltip shows at a time in the process.
CString& ToolTipText()
{
    static CString text;
    return text;
}

} // namespace

// ---- capture --------------------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::StartCapture()
{
    if (m_bCaptured)
        return;
    POINT cursor = {};
    g_frameworkSeams.cursorPos(&cursor);
    if (GetSafeHwnd() != nullptr)
        ::ScreenToClient(GetSafeHwnd(), &cursor);
    m_ptCaptureStart = cursor;
    m_ptCaptureCurrent = cursor;
    if (m_pCurrentView != nullptr)
        m_pCurrentView->StartCapture();
    m_pWndLastCapture = SetCapture();
    m_bCaptured = TRUE;
}

void CZUDPPlannerManagerCtrl::StopCapture()
{
    if (!m_bCaptured)
        return;
    m_bCaptured = FALSE;
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    if (m_pWndLastCapture != nullptr) {
        if (::IsWindow(m_pWndLastCapture->GetSafeHwnd()))
            m_pWndLastCapture->SetCapture();
        m_pWndLastCapture = nullptr;
    }
    if (m_pCurrentView != nullptr)
        m_pCurrentView->StopCapture();
    m_ptCaptureStart = CPoint(0, 0);
    m_ptCaptureCurrent = CPoint(0, 0);
}

void CZUDPPlannerManagerCtrl::StopDragDrop()
{
    if (m_pCurrentView == nullptr || !m_bDragDrop)
        return;
    ResetDropSource();
    m_bDragDrop = FALSE;
    m_dragEffect = DROPEFFECT_NONE;
}

BOOL CZUDPPlannerManagerCtrl::CanStartDragDrop() const
{
    if (m_bDragDrop || m_pCurrentView == nullptr || !m_pCurrentView->IsCaptureMove() || m_SelectedApps.IsEmpty())
        return FALSE;
    const int cx = ::GetSystemMetrics(SM_CXDRAG);
    const int cy = ::GetSystemMetrics(SM_CYDRAG);
    const CRect rect(CPoint(m_ptCaptureStart.x - cx / 2, m_ptCaptureStart.y - cy / 2), CSize(cx, cy));
    return !rect.PtInRect(m_ptCaptureCurrent);
}

// ---- messages -------------------------------------------------------------------------------

LRESULT CZUDPPlannerManagerCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bCaptured) {
        if (message == WM_KEYDOWN && (wParam == VK_CANCEL || wParam == VK_ESCAPE)) {
            // A resize in progress is undone; a drag out only ends.
            if (!m_bDragDrop && m_pCurrentView != nullptr)
                m_pCurrentView->RestoreCapturedAppointment();
            StopDragDrop();
            StopCapture();
        } else if (message >= WM_MOUSEFIRST && message <= 0x20E && message != WM_MOUSEMOVE &&
                   message != WM_LBUTTONDOWN && message != WM_LBUTTONUP) {
            StopDragDrop();
            StopCapture();
        }
    }
    return CZUDPWnd::WindowProc(message, wParam, lParam);
}

BOOL CZUDPPlannerManagerCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_nToolCount > 0 && m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->RelayEvent(pMsg);
    return CZUDPWnd::PreTranslateMessage(pMsg);
}

void CZUDPPlannerManagerCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    if (m_pCurrentView == nullptr) {
        Default();
        return;
    }
    const int code = m_pCurrentView->HitTest(point);
    if (code == 7 || code == 8 || code == 9 || code == 10) {
        LRESULT handled = 0;
        if (code == 7)
            handled = NotifyParent(ZUDP_PLANNER_DAYCAPTION_CLICK, 0, 0);
        else if (code == 8)
            handled = NotifyParent(ZUDP_PLANNER_WEEKCAPTION_CLICK, 0, 0);
        else
            handled = NotifyParent(ZUDP_PLANNER_ICONUPDOWN_CLICK, WPARAM(code), 0);
        if (handled != 0)
            return;
        if (m_Type == TypeWeek || m_Type == TypeMonth) {
            SendMessage(WM_SETREDRAW, FALSE);
            if (code == 8 && m_Type == TypeMonth) {
                const int week = m_pCurrentView->GetWeekFromPoint(point);
                if (week != -1) {
                    const COleDateTime start = m_pCurrentView->GetDateStart() + COleDateTimeSpan(7.0 * week);
                    SetDateInterval(start, start + COleDateTimeSpan(6.0), TRUE);
                }
            } else {
                const COleDateTime day = m_pCurrentView->GetDateFromPoint(point);
                const BOOL same = day == m_pCurrentView->GetDate();
                SetType(TypeDay, same);
                if (!same)
                    SetDate(day, TRUE);
            }
            if (GetSafeHwnd() != nullptr) {
                SendMessage(WM_SETREDRAW, TRUE);
                UpdateWindow();
            }
            return;
        }
    }
    const COleDateTime date = m_pCurrentView->GetDate();
    if (m_pCurrentView->OnLButtonDown(nFlags, point))
        StartCapture();
    else
        Default();
    if (m_pCurrentView != nullptr && m_pCurrentView->GetDate() != date)
        OnDateChanged();
}

void CZUDPPlannerManagerCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        m_ptCaptureCurrent = point;
        if (CanStartDragDrop() && (nFlags & MK_LBUTTON) != 0) {
            DeletionMark mark(this);
            StartDragDrop();
            // The drag may have ended with the window, or the control.
            if (mark.m_bDeleted || GetSafeHwnd() == nullptr)
                return;
        }
    }
    if (m_pCurrentView == nullptr || !m_pCurrentView->OnMouseMove(nFlags, point))
        Default();
}

void CZUDPPlannerManagerCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_pCurrentView == nullptr) {
        Default();
        return;
    }
    const COleDateTime captured = m_pCurrentView->m_dtCaptureCurrent;
    const COleDateTime cursor = m_pCurrentView->m_dtCaptureCursor;
    const BOOL wasCapturing = m_bCaptured;
    StopDragDrop();
    StopCapture();
    if (!m_pCurrentView->OnLButtonUp(nFlags, point))
        Default();
    if (wasCapturing && captured != cursor && m_SelectedApps.IsEmpty()) {
        COleDateTime start = captured < cursor ? captured : cursor;
        COleDateTime finish = captured < cursor ? cursor : captured;
        if (IsDayTypeView())
            finish += m_pCurrentView->GetMinimumSpan();
        OnSelectTimeInterval(start, finish);
    }
}

void CZUDPPlannerManagerCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pCurrentView == nullptr || !m_pCurrentView->OnLButtonDblClk(nFlags, point))
        Default();
    if (GetSafeHwnd() != nullptr)
        NotifyParent(ZUDP_PLANNER_LBUTTONDBLCLK, WPARAM(nFlags), MAKELPARAM(point.x, point.y));
}

void CZUDPPlannerManagerCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    if (m_pCurrentView == nullptr || !m_pCurrentView->OnRButtonDown(nFlags, point))
        Default();
}

BOOL CZUDPPlannerManagerCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_pCurrentView == nullptr)
        return FALSE;
    m_pCurrentView->CloseAppointmentEdit();
    const COleDateTime date = m_pCurrentView->GetDate();
    const BOOL result = m_pCurrentView->OnMouseWheel(nFlags, zDelta, pt);
    if (result && (m_Type == TypeWeek || m_Type == TypeMonth) && m_pCurrentView != nullptr &&
        m_pCurrentView->GetDate() != date)
        OnDateChanged();
    return result;
}

void CZUDPPlannerManagerCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (m_pCurrentView == nullptr)
        return;
    const COleDateTime date = m_pCurrentView->GetDate();
    m_pCurrentView->OnVScroll(nSBCode, nPos, pScrollBar);
    if ((m_Type == TypeWeek || m_Type == TypeMonth) && m_pCurrentView != nullptr && m_pCurrentView->GetDate() != date)
        OnDateChanged();
}

BOOL CZUDPPlannerManagerCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_pCurrentView != nullptr && m_pCurrentView->OnSetCursor(pWnd, nHitTest, message))
        return TRUE;
    return BOOL(Default());
}

void CZUDPPlannerManagerCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pCurrentView == nullptr) {
        Default();
        return;
    }
    const COleDateTime date = m_pCurrentView->GetDate();
    const BOOL taken = m_pCurrentView->OnKeyDown(nChar, nRepCnt, nFlags);
    if (!taken) {
        if (nChar == VK_TAB && m_QueryApps.GetSize() > 0) {
            const INT_PTR selected = m_SelectedApps.GetCount();
            if (selected >= 2) {
                CZUDPAppointment* pLast = m_SelectedApps.GetTail();
                ClearAppointmentSelection(FALSE);
                SelectAppointment(pLast, TRUE, TRUE);
            } else if (selected == 0) {
                SelectAppointment(m_QueryApps[0], TRUE, TRUE);
            } else {
                CZUDPAppointment* pCurrent = m_SelectedApps.GetHead();
                INT_PTR index = -1;
                for (INT_PTR i = 0; i < m_QueryApps.GetSize() && index < 0; ++i) {
                    if (m_QueryApps[i] == pCurrent)
                        index = i;
                }
                if (index >= 0 && index + 1 < m_QueryApps.GetSize()) {
                    CZUDPAppointment* pNext = m_QueryApps[index + 1];
                    ClearAppointmentSelection(FALSE);
                    // The parent's handler may have changed the query.
                    if (IsAppointmentAlive(pNext))
                        SelectAppointment(pNext, TRUE, TRUE);
                } else {
                    ClearAppointmentSelection(TRUE);
                }
            }
        }
        Default();
    }
    if (m_pCurrentView != nullptr && m_pCurrentView->GetDate() != date)
        OnDateChanged();
    if (GetSafeHwnd() != nullptr)
        NotifyParent(ZUDP_PLANNER_KEYDOWN, WPARAM(nChar), MAKELPARAM(nRepCnt, nFlags));
}

void CZUDPPlannerManagerCtrl::OnTimeChange()
{
    if (m_pCurrentView != nullptr && IsDayTypeView())
        m_pCurrentView->OnTimer(ZUDP_PLANNER_TIMER_CLOCK);
}

void CZUDPPlannerManagerCtrl::OnCancelMode()
{
    StopDragDrop();
    StopCapture();
    CZUDPWnd::OnCancelMode();
}

LRESULT CZUDPPlannerManagerCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (m_pCurrentView != nullptr)
        m_pCurrentView->SetFont(HFONT(wParam));
    AdjustLayout(TRUE);
    return 0;
}

LRESULT CZUDPPlannerManagerCtrl::OnGetFont(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    CFont* pFont = m_pCurrentView != nullptr ? m_pCurrentView->GetFont(FALSE) : nullptr;
    return pFont != nullptr ? LRESULT(pFont->GetSafeHandle()) : 0;
}

void CZUDPPlannerManagerCtrl::OnSelectTimeInterval(COleDateTime dtStart, COleDateTime dtFinish)
{
    CZUDPPlannerManagerView* pHost = DYNAMIC_DOWNCAST(CZUDPPlannerManagerView, GetParent());
    if (pHost != nullptr)
        pHost->OnSelectTimeInterval(dtStart, dtFinish);
}

// ---- tooltips -------------------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::UpdateToolTips()
{
    if (!m_bShowToolTips || m_pCurrentView == nullptr) {
        ClearToolTips();
        return;
    }
    // Every layout asks for this, mostly with the same rectangles as
    // before: gather the wanted rectangles first and then move, add or
    // remove only the tools that differ (one tooltip message per tool
    // otherwise, hundreds for a busy week).
    CArray<CRect, const CRect&> wanted;
    m_pGatheredToolRects = &wanted;
    m_pCurrentView->AddToolTips();
    for (INT_PTR i = 0; i < m_QueryApps.GetSize(); ++i)
        AddAppointmentToolTip(m_QueryApps[i]);
    m_pGatheredToolRects = nullptr;

    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr) {
        m_nToolCount = 0;
        m_toolRects.RemoveAll();
        return;
    }
    const int kept = std::min<int>(m_nToolCount, int(wanted.GetSize()));
    for (int i = 0; i < kept; ++i) {
        if (m_toolRects[i] != wanted[i]) {
            m_pToolTip->SetToolRect(this, UINT_PTR(i + 1), &wanted[i]);
            m_toolRects[i] = wanted[i];
        }
    }
    for (int id = m_nToolCount; id > kept; --id)
        m_pToolTip->DelTool(this, UINT_PTR(id));
    m_nToolCount = kept;
    m_toolRects.SetSize(kept);
    for (INT_PTR i = kept; i < wanted.GetSize(); ++i)
        AddToolTip(wanted[i]);
}

void CZUDPPlannerManagerCtrl::AddAppointmentToolTip(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return;
    const BOOL vertical = IsDayTypeView();
    auto addTool = [&](CRect rect) {
        pApp->AdjustTrackRect(rect, vertical);
        AddToolTip(rect);
    };
    const COleDateTime zero(0.0);
    const CZUDPAppointmentDSExMap& parts = pApp->GetDrawParts();
    if (parts.GetCount() == 0) {
        if (pApp->IsVisibleDraw(zero) && (m_bFullToolTips || pApp->GetDrawValue(zero)))
            addTool(pApp->GetTextRect(zero));
        return;
    }
    for (INT_PTR i = 0; i < parts.GetCount(); ++i) {
        const auto* pDS = static_cast<const CZUDPAppointmentDrawStructEx*>(parts.GetDrawStruct(i));
        if (pDS != nullptr && pDS->IsVisible() && (m_bFullToolTips || pDS->IsTextTruncated()))
            addTool(pDS->GetTextRect());
    }
}

void CZUDPPlannerManagerCtrl::AddToolTip(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    if (m_pGatheredToolRects != nullptr) {
        m_pGatheredToolRects->Add(rect);
        return;
    }
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    ++m_nToolCount;
    m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACKA, rect, UINT_PTR(m_nToolCount));
    m_toolRects.SetAtGrow(m_nToolCount - 1, rect);
}

void CZUDPPlannerManagerCtrl::ClearToolTips()
{
    if (m_nToolCount > 0 && m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr) {
        for (int id = 1; id <= m_nToolCount; ++id)
            m_pToolTip->DelTool(this, UINT_PTR(id));
    }
    m_nToolCount = 0;
    m_toolRects.RemoveAll();
}

BOOL CZUDPPlannerManagerCtrl::OnNeedToolTipText(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    (void)id;
    (void)pResult;
    if (!m_bShowToolTips || m_nToolCount == 0 || m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr ||
        pNMH == nullptr || pNMH->hwndFrom != m_pToolTip->GetSafeHwnd() || m_pCurrentView == nullptr)
        return FALSE;
    POINT cursor = {};
    g_frameworkSeams.cursorPos(&cursor);
    ::ScreenToClient(GetSafeHwnd(), &cursor);
    CString& text = ToolTipText();
    text = m_pCurrentView->GetToolTipText(cursor);
    if (text.IsEmpty())
        return FALSE;
    auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMH);
    pInfo->lpszText = const_cast<LPSTR>(static_cast<LPCSTR>(text));
    m_pToolTip->SendMessage(WM_SETFONT, WPARAM(SendMessage(WM_GETFONT)), FALSE);
    return TRUE;
}

LRESULT CZUDPPlannerManagerCtrl::OnUpdateToolTips(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr || (wParam & TIPKIND_PLANNER) == 0)
        return 0;
    ClearToolTips();
    CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_PLANNER);
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        UpdateToolTips();
    return 0;
}
