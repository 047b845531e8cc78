// The multi-resource view: the resource list, the columns of each day, the
// two-row caption band, placement per resource, painting per column and
// the resource captions with their tool tips.
#include "ui/planner/ZUDPPlannerViewMulti.h"

#include <algorithm>

#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPPlannerClip.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerSeams.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewMulti, CZUDPPlannerViewDay)

namespace {

// Caption text alignment (DrawCaptionText).
const int kMultiAlignLeft = 0;
const int kMultiAlignCentre = 1;

void MultiLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

BOOL MultiIsWeekend(const COleDateTime& date)
{
    const int weekday = date.GetDayOfWeek();
    return weekday == 1 || weekday == 7;
}

// h.mm as minutes of the day: 9.30 is 09:30.
int MultiHoursToMinutes(double value)
{
    const int hour = int(value);
    const int minute = int((value - hour) * 100.0 + 0.05);
    return hour * 60 + minute;
}

int MultiMinuteOfDay(const COleDateTime& date) { return date.GetHour() * 60 + date.GetMinute(); }

} // namespace

CZUDPPlannerViewMulti::CZUDPPlannerViewMulti() = default;

CZUDPPlannerViewMulti::~CZUDPPlannerViewMulti()
{
    StopClock(FALSE);
    SetResourceCount(0);
}

void CZUDPPlannerViewMulti::SetResourceCount(int nCount)
{
    for (INT_PTR i = nCount; i < m_Resources.GetSize(); ++i)
        delete m_Resources[i];
    const INT_PTR old = m_Resources.GetSize();
    m_Resources.SetSize(nCount);
    for (INT_PTR i = old; i < nCount; ++i)
        m_Resources[i] = new XResource;
}

const CZUDPResourceInfo* CZUDPPlannerViewMulti::GetResourceInfo(CObject* pInfo)
{
    // Only objects of the resource-information class are asked anything.
    return DYNAMIC_DOWNCAST(CZUDPResourceInfo, pInfo);
}

// ---- the current resource and the resource list -------------------------------------------

BOOL CZUDPPlannerViewMulti::SetCurrentResourceID(UINT nResourceID, BOOL bRedraw, BOOL bNotify)
{
    if (nResourceID == m_nResourceID)
        return TRUE;
    m_nResourceID = nResourceID;
    if (bRedraw)
        RedrawPlanner();
    if (bNotify && HasPlannerWindow() && m_pPlanner->IsNotifyParent()) {
        HWND parent = ::GetParent(m_pPlanner->GetSafeHwnd());
        if (parent != nullptr)
            ::SendMessage(parent, ZUDP_PLANNER_RESOURCEID_CHANGED, 0, 0);
    }
    return TRUE;
}

BOOL CZUDPPlannerViewMulti::GetStorageResourceIDs(CArray<DWORD, DWORD>& ids) const
{
    ids.RemoveAll();
    if (m_pPlanner == nullptr)
        return FALSE;
    auto* pMulti = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseMultiStorage, m_pPlanner->GetStorage());
    if (pMulti != nullptr)
        pMulti->GetResourceIDs(ids);
    return TRUE;
}

BOOL CZUDPPlannerViewMulti::UpdateResources()
{
    CArray<DWORD, DWORD> ids;
    if (!GetStorageResourceIDs(ids))
        return FALSE;
    BOOL changed = FALSE;
    if (ids.GetSize() != m_Resources.GetSize()) {
        SetResourceCount(int(ids.GetSize()));
        changed = TRUE;
    }
    auto* pMulti = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseMultiStorage, m_pPlanner->GetStorage());
    for (INT_PTR i = 0; i < ids.GetSize(); ++i) {
        XResource& resource = *m_Resources[i];
        if (resource.m_ResourceID != ids[i]) {
            resource.m_ResourceID = ids[i];
            changed = TRUE;
        }
        const CZUDPResourceInfo* pInfo =
            pMulti != nullptr ? GetResourceInfo(pMulti->GetResourceInfo(ids[i])) : nullptr;
        if (pInfo == nullptr)
            continue;
        const CString description = pInfo->GetDescription();
        if (resource.m_strDescription != description) {
            resource.m_strDescription = description;
            changed = TRUE;
        }
        const COleDateTime start = pInfo->GetWorkStart();
        if (!(resource.m_WorkStart == start)) {
            resource.m_WorkStart = start;
            changed = TRUE;
        }
        const COleDateTime end = pInfo->GetWorkEnd();
        if (!(resource.m_WorkEnd == end)) {
            resource.m_WorkEnd = end;
            changed = TRUE;
        }
    }
    return changed;
}

int CZUDPPlannerViewMulti::FindResourceIndex(UINT nResourceID) const
{
    for (INT_PTR i = 0; i < m_Resources.GetSize(); ++i)
        if (m_Resources[i]->m_ResourceID == nResourceID)
            return int(i);
    return -1;
}

UINT CZUDPPlannerViewMulti::GetResourceFromPoint(const CPoint& point) const
{
    UINT id = m_nResourceID;
    const int top = m_rectView.top - m_nAllDayBandHeight - m_nHeaderBandHeight;
    if (point.y - top < m_nHeaderBandHeight / 2)
        return id;
    for (INT_PTR r = 0; r < m_Resources.GetSize(); ++r) {
        const XResource& resource = *m_Resources[r];
        for (INT_PTR d = 0; d < resource.m_Rects.GetSize(); ++d) {
            const CRect& column = resource.m_Rects[d];
            if (column.left <= point.x && point.x < column.right)
                id = resource.m_ResourceID;
        }
    }
    return id;
}

// ---- layout -----------------------------------------------------------------------------------------

void CZUDPPlannerViewMulti::AdjustScrollSizes(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    // The all-day rows one resource needs at most: every appointment of the
    // resource counts, wherever it stands in the lists.
    int rows = 1;
    for (INT_PTR r = 0; r < m_Resources.GetSize(); ++r) {
        const UINT id = m_Resources[r]->m_ResourceID;
        rows = std::max(rows, CountAllDayRows(&id));
    }
    AdjustBands(rectClient, 2, rows);
}

void CZUDPPlannerViewMulti::AdjustRects()
{
    CZUDPPlannerViewDay::AdjustRects();
    if (m_Resources.GetSize() == 0)
        UpdateResources();
    const INT_PTR days = m_ViewRects.GetSize();
    const int count = int(m_Resources.GetSize());
    for (int r = 0; r < count; ++r) {
        m_Resources[r]->m_bToolTip = FALSE;
        m_Resources[r]->m_Rects.SetSize(days);
    }
    if (count == 0)
        return;
    for (INT_PTR d = 0; d < days; ++d) {
        const CRect& day = m_ViewRects[d];
        const int w = RoundToInt(double(day.right - day.left) / count);
        CRect column(day.left, day.top, day.left + w, day.bottom);
        for (int r = 0; r < count; ++r) {
            if (r == count - 1)
                column.right = day.right;   // the last column takes the rounding rest
            m_Resources[r]->m_Rects[d] = column;
            column.OffsetRect(w, 0);
        }
    }
}

void CZUDPPlannerViewMulti::AdjustCaptionFormat(CDC* pDC)
{
    CZUDPPlannerViewDay::AdjustCaptionFormat(pDC);
    if (pDC == nullptr)
        return;
    for (INT_PTR r = 0; r < m_Resources.GetSize(); ++r) {
        XResource& resource = *m_Resources[r];
        if (resource.m_Rects.GetSize() == 0)
            continue;
        const int width = pDC->GetTextExtent(resource.m_strDescription).cx;
        const BOOL truncated = width + 2 >= resource.m_Rects[0].Width();
        if (truncated != resource.m_bToolTip) {
            resource.m_bToolTip = truncated;
            m_bUpdateToolTipInfo = TRUE;
        }
    }
}

void CZUDPPlannerViewMulti::AdjustAppointments()
{
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if ((queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0) || m_ViewRects.GetSize() != GetViewDuration()) {
        ClearUpDownIcons();
        return;
    }
    const BOOL dragShown = IsDragAppointmentsShown();
    CZUDPAppointmentArray* lists[2] = {&queried, dragShown ? &m_DragAppointments : nullptr};
    for (CZUDPAppointmentArray* list : lists) {
        if (list == nullptr)
            continue;
        for (INT_PTR i = 0; i < list->GetSize(); ++i) {
            CZUDPAppointment* pApp = list->GetAt(i);
            if (pApp == nullptr)
                continue;
            pApp->ResetDraw();
            // Every shown day of a long appointment is a box of its own.
            pApp->GetDrawParts().SetConcatenate(FALSE);
        }
    }

    const int days = int(m_ViewRects.GetSize());
    const int bandTop = m_rectView.top - m_nAllDayBandHeight;
    const int rowStep = m_nRowHeight + 2;
    for (INT_PTR r = 0; r < m_Resources.GetSize(); ++r) {
        const XResource& resource = *m_Resources[r];
        const UINT id = resource.m_ResourceID;
        if (resource.m_Rects.GetSize() != days)
            continue;
        for (int d = 0; d < days; ++d) {
            const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(d));
            const CRect& column = resource.m_Rects[d];
            CZUDPAppointmentArray longApps;
            for (CZUDPAppointmentArray* list : lists)
                if (list != nullptr)
                    PlaceTimedAppointmentsIn(*list, column, d, date, longApps, &id);
            // The day's long appointments of the resource stack in rows of
            // its column, in the order they were met.
            for (INT_PTR i = 0; i < longApps.GetSize(); ++i) {
                const int top = bandTop + 1 + int(i) * rowStep;
                longApps[i]->SetDrawRect(CRect(column.left, top, column.right, top + m_nRowHeight), date);
            }
        }
    }

    for (int d = 0; d < days; ++d)
        CheckVisibleAppointments(m_dtDateStart + COleDateTimeSpan(double(d)), m_rectView, FALSE);
    AdjustUpDownIcons(FALSE);
    m_bUpdateToolTipInfo = TRUE;
}

// ---- hit testing and tool tips ----------------------------------------------------------------------

int CZUDPPlannerViewMulti::HitTestArea(const CPoint& point) const
{
    const int code = CZUDPPlannerViewDay::HitTestArea(point);
    if (code != ZUDP_PLANNER_HIT_HEADER)
        return code;
    const int top = m_rectView.top - m_nAllDayBandHeight - m_nHeaderBandHeight;
    const int y = point.y - top;
    return (y >= m_nHeaderBandHeight / 2 && y < m_nHeaderBandHeight) ? ZUDP_PLANNER_HIT_HEADER_RESOURCE : code;
}

CString CZUDPPlannerViewMulti::GetToolTipText(const CPoint& point)
{
    if (HitTestArea(point) == ZUDP_PLANNER_HIT_HEADER_RESOURCE) {
        const UINT id = GetResourceFromPoint(point);
        const int index = id != 0 ? FindResourceIndex(id) : -1;
        if (index >= 0)
            return m_Resources[index]->m_strDescription;
    }
    return CZUDPPlannerViewDay::GetToolTipText(point);
}

void CZUDPPlannerViewMulti::AddToolTips()
{
    const int top = m_rectView.top - m_nAllDayBandHeight - m_nHeaderBandHeight;
    for (INT_PTR r = 0; r < m_Resources.GetSize(); ++r) {
        const XResource& resource = *m_Resources[r];
        if (!resource.m_bToolTip)
            continue;
        for (INT_PTR d = 0; d < resource.m_Rects.GetSize(); ++d) {
            const CRect& column = resource.m_Rects[d];
            AddToolTipRect(CRect(column.left, top + m_nHeaderBandHeight / 2, column.right, top + m_nHeaderBandHeight));
        }
    }
}

// ---- painting -----------------------------------------------------------------------------------------

void CZUDPPlannerViewMulti::OnPaint(CDC* pDC, const CRect& rectClient)
{
    if (pDC == nullptr)
        return;
    OnDrawClient(pDC, m_rectView);
    DrawLongAppointmentStrips(pDC);
    if (m_nAllDayBandHeight > 0) {
        const CRect band(m_rectView.left, m_rectView.top - m_nAllDayBandHeight, m_rectView.right, m_rectView.top);
        DrawAllDayBand(pDC, band);
        CPlannerClip clip(pDC);
        clip.Intersect(band);
        DrawAppointments(pDC, band, COleDateTime(0.0));
    }
    {
        CPlannerClip clip(pDC);
        clip.Intersect(m_rectView);
        DrawAppointments(pDC, m_rectView, COleDateTime(0.0));
    }
    if (!m_rectTimeScale.IsRectEmpty())
        DrawTimeScale(pDC, m_rectTimeScale, IsTodayInRange());
    if (m_nHeaderBandHeight > 0) {
        const int half = m_nHeaderBandHeight / 2;
        DrawDayCaptions(pDC, CRect(m_rectView.left, rectClient.top, rectClient.right, rectClient.top + half));
        DrawResourceCaptions(pDC,
                             CRect(m_rectView.left, rectClient.top + half, rectClient.right, rectClient.top + 2 * half));
    }
    UpdateToolTipsIfNeeded();
}

void CZUDPPlannerViewMulti::GetResourceWorkingMinutes(const XResource& resource, int& nStart, int& nEnd) const
{
    if (resource.m_WorkStart.GetStatus() == COleDateTime::valid &&
        resource.m_WorkEnd.GetStatus() == COleDateTime::valid) {
        const int start = MultiMinuteOfDay(resource.m_WorkStart);
        const int end = MultiMinuteOfDay(resource.m_WorkEnd);
        if (end > start) {
            nStart = start;
            nEnd = end;
            return;
        }
    }
    nStart = MultiHoursToMinutes(m_pPlanner != nullptr ? m_pPlanner->GetWorkingHourStart() : 9.0);
    nEnd = MultiHoursToMinutes(m_pPlanner != nullptr ? m_pPlanner->GetWorkingHourEnd() : 18.0);
}

void CZUDPPlannerViewMulti::OnDrawClient(CDC* pDC, const CRect& rect)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const DWORD flags = GetDrawFlags();
    const int slot = GetSlotMinutes();
    const int slotsPerHour = 60 / slot;
    const int rowStep = GetRowStep();

    CPen pens[2][2];
    for (int working = 0; working < 2; ++working)
        for (int hour = 0; hour < 2; ++hour)
            pens[working][hour].CreatePen(PS_SOLID, 0, GetGridLineColor(working, hour));
    CPen framePen(PS_SOLID, 0, pManager->GetPlannerFrameColor(this));
    const COLORREF selectionColour = pManager->GetPlannerSelectionColor(this);

    DrawBackground(pDC, rect, FALSE);
    pManager->ResetPlannerDrawState(this, pDC);

    // A selection of whole days shows in the all-day band instead.
    const BOOL forward = m_dtSelectionStart <= m_dtSelectionEnd;
    const COleDateTime& low = forward ? m_dtSelectionStart : m_dtSelectionEnd;
    const COleDateTime& high = forward ? m_dtSelectionEnd : m_dtSelectionStart;
    const BOOL wholeDays = low.GetHour() == 0 && low.GetMinute() == 0 && low.GetSecond() == 0 &&
                           high.GetHour() == 23 && high.GetMinute() == 59 && high.GetSecond() == 59;

    const int firstRow = m_nScrollOffset;
    const int lastRow = std::min(firstRow + rect.Height() / rowStep, GetSlotsPerDay());
    const int days = GetLaidOutDayCount();
    const int cellInset = (flags & ZUDP_PLANNER_DRAW_VIEW_NO_DURATION) != 0 ? 0 : 7;
    CPen* pOldPen = pDC->SelectObject(&pens[0][0]);
    for (int d = 0; d < days; ++d) {
        const COleDateTime day = m_dtDateStart + COleDateTimeSpan(double(d));
        const BOOL weekend = MultiIsWeekend(day);
        for (INT_PTR r = 0; r < m_Resources.GetSize(); ++r) {
            const XResource& resource = *m_Resources[r];
            if (d >= resource.m_Rects.GetSize())
                continue;
            int workStart = 0, workEnd = 0;
            GetResourceWorkingMinutes(resource, workStart, workEnd);
            const int workFirstRow = workStart % 60 / slot + slotsPerHour * (workStart / 60);
            const int workEndRow = workEnd % 60 / slot + slotsPerHour * (workEnd / 60);
            const BOOL current = resource.m_ResourceID == m_nResourceID;
            const CRect& column = resource.m_Rects[d];
            CRect cell(column.left + cellInset, column.top, column.right, column.top + m_nRowHeight - 1);
            for (int row = firstRow; row < lastRow; ++row) {
                const BOOL working = !weekend && row >= workFirstRow && row < workEndRow;
                const COleDateTime time = day + COleDateTimeSpan(0, 0, row * slot, 0);
                if (current && !wholeDays && IsDateInSelection(time))
                    pDC->FillSolidRect(cell, selectionColour);
                else if (working)
                    DrawBackground(pDC, cell, TRUE);
                const BOOL hourLine = (row + 1) % slotsPerHour == 0;
                pDC->SelectObject(&pens[working ? 1 : 0][hourLine ? 1 : 0]);
                MultiLine(pDC, cell.left, cell.bottom, cell.right, cell.bottom);
                cell.OffsetRect(0, m_nRowHeight);
            }
        }
    }

    // Column separators and the duration-strip column of each column.
    pDC->SelectObject(&framePen);
    for (int d = 0; d < days; ++d) {
        for (INT_PTR r = 0; r < m_Resources.GetSize(); ++r) {
            const XResource& resource = *m_Resources[r];
            if (d >= resource.m_Rects.GetSize())
                continue;
            const CRect& column = resource.m_Rects[d];
            const BOOL veryFirst = d == 0 && r == 0;
            if ((flags & ZUDP_PLANNER_DRAW_VIEW_NO_DURATION) == 0) {
                pDC->FillRect(CRect(column.left, column.top, column.left + 6, column.bottom),
                              &g_uiEnvironment.m_brushWindow);
                MultiLine(pDC, column.left + 6, column.top, column.left + 6, column.bottom);
            }
            if (!veryFirst)
                MultiLine(pDC, column.left, column.top, column.left, column.bottom);
        }
    }
    pDC->SelectObject(pOldPen);
}

void CZUDPPlannerViewMulti::DrawLongAppointmentStrips(CDC* pDC)
{
    DrawLongAppointmentStripsIn(pDC, [this](const CZUDPAppointment* pApp, int d, CRect& column) {
        // An appointment of a resource the view does not know has no
        // column: it is not laid out and has no strip.
        const int index = FindResourceIndex(pApp->GetResourceID());
        if (index < 0 || d >= m_Resources[index]->m_Rects.GetSize())
            return FALSE;
        column = m_Resources[index]->m_Rects[d];
        return TRUE;
    });
}

void CZUDPPlannerViewMulti::DrawAllDayBand(CDC* pDC, const CRect& rect)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    pManager->FillPlannerHeaderGap(pDC, this, rect);
    const int days = GetLaidOutDayCount();
    const INT_PTR count = m_Resources.GetSize();
    if (days * count > 1) {
        CPen pen(PS_SOLID, 0, pManager->GetPlannerFrameColor(this));
        CPen* pOldPen = pDC->SelectObject(&pen);
        for (int d = 1; d < days; ++d)
            MultiLine(pDC, m_ViewRects[d].left, rect.top, m_ViewRects[d].left, rect.bottom - 1);
        for (INT_PTR r = 1; r < count; ++r) {
            const XResource& resource = *m_Resources[r];
            for (INT_PTR d = 0; d < resource.m_Rects.GetSize(); ++d)
                MultiLine(pDC, resource.m_Rects[d].left, rect.top, resource.m_Rects[d].left, rect.bottom - 1);
        }
        pDC->SelectObject(pOldPen);
    }
    const COleDateTime today = PlannerDates::TruncateToDay(g_plannerSeams.now());
    for (int d = 0; d < days; ++d) {
        const COleDateTime day = m_dtDateStart + COleDateTimeSpan(double(d));
        const BOOL fullySelected = d < m_arDayFullySelected.GetSize() && m_arDayFullySelected[d] != 0;
        for (INT_PTR r = 0; r < count; ++r) {
            const XResource& resource = *m_Resources[r];
            if (d >= resource.m_Rects.GetSize())
                continue;
            const CRect& column = resource.m_Rects[d];
            pManager->FillPlannerSelection(pDC, this, CRect(column.left, rect.top, column.right, rect.bottom - 1),
                                           FALSE, fullySelected && resource.m_ResourceID == m_nResourceID);
        }
        if (IsSameDay(day, today))
            pManager->FillPlannerSelection(pDC, this,
                                           CRect(m_ViewRects[d].left, rect.top, m_ViewRects[d].right, rect.bottom - 1),
                                           TRUE, FALSE);
    }
}

void CZUDPPlannerViewMulti::DrawResourceCaptions(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    CFont* pOldFont = nullptr;
    if ((GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD) != 0)
        pOldFont = SelectFont(pDC, TRUE);
    const int days = GetLaidOutDayCount();
    for (int d = 0; d < days; ++d) {
        const CRect r(m_ViewRects[d].left, rect.top, m_ViewRects[d].right, rect.bottom);
        const int step = m_Resources.GetSize() > 0 && d < m_Resources[0]->m_Rects.GetSize()
                             ? m_Resources[0]->m_Rects[d].Width()
                             : 0;
        DrawHeaderArea(pDC, r, step);
        for (INT_PTR k = 0; k < m_Resources.GetSize(); ++k) {
            const XResource& resource = *m_Resources[k];
            if (d >= resource.m_Rects.GetSize())
                continue;
            const CRect caption(resource.m_Rects[d].left, rect.top, resource.m_Rects[d].right, rect.bottom);
            pManager->SetPlannerDrawMode(1);
            const COLORREF colour = DrawCaption(pDC, caption, FALSE, FALSE, FALSE);
            DrawCaptionText(pDC, caption, resource.m_strDescription, colour,
                            resource.m_bToolTip ? kMultiAlignLeft : kMultiAlignCentre, FALSE);
        }
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}
