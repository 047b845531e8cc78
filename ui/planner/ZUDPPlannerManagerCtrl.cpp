#include "ui/planner/ZUDPPlannerManagerCtrl.h"

#include <algorithm>

#include "res/ui/planner.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerClockIcons.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPPlannerView.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerPrint.h"
#include "ui/planner/ZUDPPlannerPrintDay.h"
#include "ui/planner/ZUDPPlannerPrintDual.h"
#include "ui/planner/ZUDPPlannerPrintMonth.h"
#include "ui/planner/ZUDPPlannerPrintWeek.h"
#include "ui/planner/ZUDPPlannerViewDay.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"
#include "ui/planner/ZUDPPlannerViewMulti.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"
#include "ui/planner/ZUDPPlannerViewWorkWeek.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPRecurrenceRule.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerManagerCtrl, CZUDPWnd)

BEGIN_MESSAGE_MAP(CZUDPPlannerManagerCtrl, CZUDPWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_TIMECHANGE()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_SETFONT, &CZUDPPlannerManagerCtrl::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CZUDPPlannerManagerCtrl::OnGetFont)
    ON_REGISTERED_MESSAGE(ZUDM_UPDATETOOLTIPS, &CZUDPPlannerManagerCtrl::OnUpdateToolTips)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CZUDPPlannerManagerCtrl::OnNeedToolTipText)
END_MESSAGE_MAP()

int CZUDPPlannerManagerCtrl::s_nFirstDayOfWeek = 0;
UINT CZUDPPlannerManagerCtrl::s_nClipboardFormat = 0;
CSize CZUDPPlannerManagerCtrl::s_sizeImages(0, 0);

namespace {

// The appointment images every planner shares; released at exit.
CImageList& SharedAppointmentImages()
{
    static CImageList images;
    return images;
}

} // namespace

CZUDPPlannerManagerCtrl::CZUDPPlannerManagerCtrl(CRuntimeClass* pStorageClass, CRuntimeClass* pClockIconsClass)
{
    if (s_nClipboardFormat == 0)
        s_nClipboardFormat = ::RegisterClipboardFormatA(GetClipboardFormatName());
    SetStorageRTC(pStorageClass, TRUE);
    SetClockIconsRTC(pClockIconsClass, TRUE);

    // Every planner offers the four rule kinds to the recurrence editor.
    RegisterRecurrenceRule(RUNTIME_CLASS(CZUDPRecurrenceRuleDaily));
    RegisterRecurrenceRule(RUNTIME_CLASS(CZUDPRecurrenceRuleWeekly));
    RegisterRecurrenceRule(RUNTIME_CLASS(CZUDPRecurrenceRuleMonthly));
    RegisterRecurrenceRule(RUNTIME_CLASS(CZUDPRecurrenceRuleYearly));

    CBitmap arrows;
    BOOL loaded;
    {
        CZUDPLocalResource resources;
        loaded = arrows.LoadBitmap(IDB_ZUDP_PLANNER_UP_DOWN);
    }
    BITMAP info = {};
    if (loaded && arrows.GetBitmap(&info) != 0 && info.bmWidth / 2 > 0 &&
        m_ilUpDown.Create(info.bmWidth / 2, info.bmHeight, ILC_MASK, 2, 0)) {
        m_ilUpDown.Add(&arrows, RGB(255, 0, 255));
        m_sizeUpDown = CSize(info.bmWidth / 2, info.bmHeight);
    }

    s_nFirstDayOfWeek = GetLocaleFirstDayOfWeek();
    // A plain system scroll bar.
    m_wndScrollVert.SetDrawMode(CZUDPScrollBar::DrawPlatform);
}

CZUDPPlannerManagerCtrl::~CZUDPPlannerManagerCtrl()
{
    // Operations inside a nested loop of this control learn that it went.
    for (DeletionMark* pMark = m_pDeletionMarks; pMark != nullptr; pMark = pMark->m_pPrevious)
        pMark->m_bDeleted = true;
    m_pDeletionMarks = nullptr;
    SetCalendar(nullptr);
    ClearToolTips();
    if (m_pToolTip != nullptr)
        CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    m_SelectedApps.RemoveAll();
    ClearQuery();
    delete m_pPrinter;
    m_pPrinter = nullptr;
    DeleteViews();
    delete m_pAppsStorage;
    delete m_pClockIcons;
}

BOOL CZUDPPlannerManagerCtrl::RegisterRecurrenceRule(CRuntimeClass* pRuleClass)
{
    return g_recurrenceRuleRegistrator.RegisterRule(pRuleClass);
}

BOOL CZUDPPlannerManagerCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CString className = g_uiEnvironment.RegisterWindowClass("ZUDPPlannerManagerCtrl");
    return CWnd::Create(className, "", dwStyle, rect, pParentWnd, nID);
}

CZUDPPlannerView* CZUDPPlannerManagerCtrl::CreateView(int nType)
{
    switch (nType) {
    case TypeDay: return new CZUDPPlannerViewDay;
    case TypeWorkWeek: return new CZUDPPlannerViewWorkWeek;
    case TypeWeek: return new CZUDPPlannerViewWeek;
    case TypeMonth: return new CZUDPPlannerViewMonth;
    case TypeMulti: return new CZUDPPlannerViewMulti;
    default: return nullptr;
    }
}

void CZUDPPlannerManagerCtrl::DeleteViews()
{
    m_pCurrentView = nullptr;
    for (CZUDPPlannerView*& pView : m_pViews) {
        delete pView;
        pView = nullptr;
    }
}

BOOL CZUDPPlannerManagerCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    static CRuntimeClass* const required[TypeCount] = {
        RUNTIME_CLASS(CZUDPPlannerViewDay), RUNTIME_CLASS(CZUDPPlannerViewWorkWeek),
        RUNTIME_CLASS(CZUDPPlannerViewWeek), RUNTIME_CLASS(CZUDPPlannerViewMonth),
        RUNTIME_CLASS(CZUDPPlannerViewMulti)};
    // Views of an earlier creation (one that failed, or a window made
    // again) go first, so that none is overwritten and lost.
    DeleteViews();
    for (int type = 0; type < TypeCount; ++type) {
        m_pViews[type] = CreateView(type);
        if (m_pViews[type] == nullptr || !m_pViews[type]->IsKindOf(required[type])) {
            DeleteViews();
            return FALSE;
        }
    }
    if (m_Type < 0 || m_Type >= TypeCount || (m_Type == TypeMulti && !m_bMultiResourceStorage))
        m_Type = TypeDay;
    m_pCurrentView = m_pViews[m_Type];
    m_pCurrentView->OnActivate(this, nullptr);

    m_pCurrentView->SetDate(g_plannerSeams.now());
    const COleDateTime start = GetWorkingDayStart(m_pCurrentView->GetDate());
    m_pCurrentView->SetSelection(start, start, TRUE);
    return CZUDPWnd::PreCreateWindow(cs);
}

int CZUDPPlannerManagerCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndScrollVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 0, 0), this, 1);
    RegisterDropTarget();
    if (CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_PLANNER) && m_pToolTip != nullptr &&
        m_pToolTip->GetSafeHwnd() != nullptr) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
        m_pToolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, 150);
        m_pToolTip->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    AdjustLayout(FALSE);
    return 0;
}

void CZUDPPlannerManagerCtrl::OnDestroy()
{
    ClearToolTips();
    if (m_pToolTip != nullptr)
        CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    m_nToolCount = 0;
    StopDragDrop();
    StopCapture();
    RevokeDropTarget();
    // Destroying the window empties the storage.
    RemoveAllAppointments(FALSE);
    if (m_pCurrentView != nullptr)
        m_pCurrentView->OnDeactivate(this);
    // The current view goes with the others: nothing reads a deleted view
    // afterwards, the getters answer quietly.
    DeleteViews();
    CZUDPWnd::OnDestroy();
}

// ---- storage and clock icons ---------------------------------------------------------------

void CZUDPPlannerManagerCtrl::SetStorageRTC(CRuntimeClass* pStorageClass, BOOL bDeleteOld)
{
    // The selection and the queried array point into the old storage:
    // forget them before it goes.
    const BOOL bLive = m_pAppsStorage != nullptr;
    if (bLive) {
        m_SelectedApps.RemoveAll();
        ClearQuery();
        // A live printer lets go of the old storage's appointments too.
        if (m_pPrinter != nullptr)
            m_pPrinter->RemoveAllAppointments();
    }
    if (bDeleteOld)
        delete m_pAppsStorage;
    m_pAppsStorage = nullptr;
    if (pStorageClass == nullptr || !pStorageClass->IsDerivedFrom(RUNTIME_CLASS(CZUDPAppointmentBaseStorage)))
        pStorageClass = m_bDefaultMultiResource ? RUNTIME_CLASS(CZUDPAppointmentMultiStorage)
                                                : RUNTIME_CLASS(CZUDPAppointmentStorage);
    CObject* pObject = pStorageClass->CreateObject();
    m_pAppsStorage = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseStorage, pObject);
    if (m_pAppsStorage == nullptr)
        delete pObject;
    m_bMultiResourceStorage = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseMultiStorage, m_pAppsStorage) != nullptr;
    // The multi-resource view needs a multi-resource storage.
    if (bLive && m_Type == TypeMulti && !m_bMultiResourceStorage && m_pViews[TypeDay] != nullptr)
        SetType(TypeDay, FALSE);
    if (bLive && m_pCurrentView != nullptr) {
        RequeryAppointments();
        if (GetSafeHwnd() != nullptr)
            AdjustLayout(TRUE);
    }
}

CZUDPPlannerClockIcons* CZUDPPlannerManagerCtrl::SetClockIconsRTC(CRuntimeClass* pClockIconsClass, BOOL bDeleteOld)
{
    if (bDeleteOld)
        delete m_pClockIcons;
    m_pClockIcons = nullptr;
    if (pClockIconsClass == nullptr || !pClockIconsClass->IsDerivedFrom(RUNTIME_CLASS(CZUDPPlannerClockIcons)))
        pClockIconsClass = RUNTIME_CLASS(CZUDPPlannerClockIcons);
    CObject* pObject = pClockIconsClass->CreateObject();
    m_pClockIcons = DYNAMIC_DOWNCAST(CZUDPPlannerClockIcons, pObject);
    if (m_pClockIcons == nullptr)
        delete pObject;
    return m_pClockIcons;
}

// ---- queries -----------------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::AdjustLayout(BOOL bRedraw)
{
    if (m_pCurrentView != nullptr)
        m_pCurrentView->AdjustLayout(bRedraw);
}

void CZUDPPlannerManagerCtrl::QueryAppointments(CZUDPAppointmentArray& ar, const COleDateTime& dtFrom,
                                                const COleDateTime& dtTo)
{
    if (m_pAppsStorage != nullptr)
        m_pAppsStorage->Query(ar, dtFrom, dtTo);
}

void CZUDPPlannerManagerCtrl::RequeryAppointments()
{
    if (m_pCurrentView == nullptr)
        return;
    const COleDateTime start = m_pCurrentView->GetDateStart();
    const COleDateTime end = m_pCurrentView->GetDateEnd();
    ClearAppointmentSelection(FALSE);
    ClearQuery();
    QueryAppointments(m_QueryApps, start, end);
}

void CZUDPPlannerManagerCtrl::ClearQuery()
{
    // The occurrences go: the view must not resize one of them any more.
    if (m_pCurrentView != nullptr)
        m_pCurrentView->ForgetCapturedAppointment();
    DeleteQueriedOccurrences(m_QueryApps);
    m_QueryApps.RemoveAll();
    ++m_nChangeCounter;
}

void CZUDPPlannerManagerCtrl::DeleteQueriedOccurrences(CZUDPAppointmentArray& apps) const
{
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = apps[i];
        // An occurrence filed in the storage (its series was not there when
        // it was added) is the storage's, not the query's.
        if (pApp != nullptr && pApp->IsRecurrenceClone() &&
            (m_pAppsStorage == nullptr || !m_pAppsStorage->HoldsAppointment(pApp)))
            delete pApp;
    }
}

CScrollBar* CZUDPPlannerManagerCtrl::GetScrollBarCtrl(int nBar) const
{
    if (nBar != SB_VERT || m_wndScrollVert.GetSafeHwnd() == nullptr)
        return nullptr;
    return const_cast<CZUDPScrollBar*>(&m_wndScrollVert);
}

DWORD CZUDPPlannerManagerCtrl::GetDrawFlags() const
{
    return m_bDrawFlagsFromManager ? CZUDPVisualManager::GetActiveManager()->GetPlannerStyleOption() : m_dwDrawFlags;
}

HICON CZUDPPlannerManagerCtrl::GetUpDownIcon(int nIndex) const
{
    if (m_ilUpDown.GetSafeHandle() == nullptr || nIndex < 0 || nIndex >= m_ilUpDown.GetImageCount())
        return nullptr;
    return ImageList_GetIcon(m_ilUpDown, nIndex, ILD_NORMAL);
}

UINT CZUDPPlannerManagerCtrl::GetCurrentResourceID() const
{
    if (!m_bMultiResourceStorage)
        return 0;
    if (m_pCurrentView != nullptr && m_pCurrentView->GetCurrentResourceID() != 0)
        return m_pCurrentView->GetCurrentResourceID();
    auto* pMulti = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseMultiStorage, m_pAppsStorage);
    return pMulti != nullptr ? pMulti->GetCurrentResourceID() : 0;
}

// ---- views and dates ------------------------------------------------------------------------

namespace {

// A span of days as a date span; invalid outside what a span can hold.
COleDateTimeSpan DaySpan(double days)
{
    COleDateTimeSpan span(days);
    if (days < -3615897.0 || days > 3615897.0)
        span.SetStatus(COleDateTimeSpan::invalid);
    return span;
}

// Seven days less one second: the end of a week from its first day.
const COleDateTimeSpan kWeekLessOneSecond(6.999988425925926);

} // namespace

COleDateTime CZUDPPlannerManagerCtrl::GetWorkingDayStart(const COleDateTime& date) const
{
    const int step = std::max(1, CZUDPPlannerView::GetTimeScaleMinutes(m_TimeScale));
    const int h = int(m_dblWorkingStart);
    const int m = int((m_dblWorkingStart - h) * 100.0 + 0.05);
    const double offset = double(h) / 24.0 + double(m - m % step) / 1440.0;
    return PlannerDates::TruncateToDay(date) + DaySpan(offset);
}

CZUDPPlannerView* CZUDPPlannerManagerCtrl::GetView(int nType) const
{
    return nType >= 0 && nType < TypeCount ? m_pViews[nType] : nullptr;
}

namespace {
const COleDateTime& NoDate()
{
    static const COleDateTime none(0.0);
    return none;
}
} // namespace

const COleDateTime& CZUDPPlannerManagerCtrl::GetDate() const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->GetDate() : NoDate();
}

const COleDateTime& CZUDPPlannerManagerCtrl::GetDateStart() const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->GetDateStart() : NoDate();
}

const COleDateTime& CZUDPPlannerManagerCtrl::GetDateEnd() const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->GetDateEnd() : NoDate();
}

COleDateTime CZUDPPlannerManagerCtrl::GetSelectionStart() const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->GetSelectionStart() : NoDate();
}

COleDateTime CZUDPPlannerManagerCtrl::GetSelectionEnd() const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->GetSelectionEnd() : NoDate();
}

COleDateTime CZUDPPlannerManagerCtrl::GetCurrentDateOrZero() const { return GetDate(); }

int CZUDPPlannerManagerCtrl::GetViewDuration() const
{
    if (m_pCurrentView == nullptr)
        return 0;
    return int(PlannerDates::WholeDays(m_pCurrentView->GetDateEnd() - m_pCurrentView->GetDateStart())) + 1;
}

BOOL CZUDPPlannerManagerCtrl::IsCompressWeekend() const
{
    return m_pCurrentView != nullptr && m_pCurrentView->IsCompressWeekend();
}

CRect CZUDPPlannerManagerCtrl::GetViewRect() const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->GetRect() : CRect(0, 0, 0, 0);
}

int CZUDPPlannerManagerCtrl::HitTest(const CPoint& point) const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->HitTest(point) : 0;
}

int CZUDPPlannerManagerCtrl::HitTestArea(const CPoint& point) const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->HitTestArea(point) : 0;
}

int CZUDPPlannerManagerCtrl::HitTestAppointment(const CPoint& point) const
{
    return m_pCurrentView != nullptr ? m_pCurrentView->HitTestAppointment(point) : 0;
}

BOOL CZUDPPlannerManagerCtrl::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    return m_pCurrentView != nullptr && m_pCurrentView->OnScroll(nScrollCode, nPos, bDoScroll);
}

void CZUDPPlannerManagerCtrl::SetType(int nType, BOOL bRedraw)
{
    // Only the five view types; the multi-resource view needs a
    // multi-resource storage.
    if (nType < 0 || nType >= TypeCount || nType == m_Type || m_pViews[nType] == nullptr)
        return;
    if (nType == TypeMulti && !m_bMultiResourceStorage)
        return;
    const BOOL bWindow = GetSafeHwnd() != nullptr;
    if (bWindow)
        SendMessage(WM_SETREDRAW, FALSE);

    CList<CZUDPAppointment*, CZUDPAppointment*> selected;
    for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;)
        selected.AddTail(m_SelectedApps.GetNext(pos));
    CZUDPPlannerView* pOldView = m_pCurrentView;
    const int oldType = m_Type;
    COleDateTime selStart = GetSelectionStart();
    COleDateTime selEnd = GetSelectionEnd();
    const UINT resource = GetCurrentResourceID();

    if (pOldView != nullptr)
        pOldView->OnDeactivate(this);
    m_Type = nType;
    m_pCurrentView = m_pViews[nType];
    SetCurrentResourceID(resource, FALSE);
    m_pCurrentView->OnActivate(this, pOldView);

    if (IsDayTypeView()) {
        if ((oldType == TypeDay && nType == TypeMulti) || (oldType == TypeMulti && nType == TypeDay)) {
            if (pOldView != nullptr)
                m_pCurrentView->SetDateInterval(pOldView->GetDateStart(), pOldView->GetDateEnd());
        }
        const COleDateTime start = m_pCurrentView->GetDateStart();
        const COleDateTime end = m_pCurrentView->GetDateEnd();
        if (oldType == TypeWeek || selStart < start || selStart > end || selEnd < start || selEnd > end) {
            selStart = GetWorkingDayStart(m_pCurrentView->GetDateStart());
            selEnd = selStart;
        }
        m_pCurrentView->SetSelection(selStart, selEnd, FALSE);
    }
    RestoreAppointmentSelection(selected, FALSE);

    if (bWindow) {
        SendMessage(WM_SETREDRAW, TRUE);
        if (bRedraw)
            Redraw();
    }
    UpdateCalendarSelection(nullptr);
    UpdateCalendarMarks(nullptr);
    if (bWindow)
        NotifyParent(ZUDP_PLANNER_TYPE_CHANGED, WPARAM(oldType), LPARAM(nType));
}

void CZUDPPlannerManagerCtrl::CarrySelection(const COleDateTime& dtStart, const COleDateTime& dtEnd)
{
    if (m_pCurrentView == nullptr)
        return;
    const BOOL forward = dtStart < dtEnd;
    const COleDateTimeSpan span = forward ? dtEnd - dtStart : dtStart - dtEnd;
    const COleDateTime day = PlannerDates::TruncateToDay(m_pCurrentView->GetDate());
    COleDateTime s = dtStart;
    COleDateTime moved = day + COleDateTimeSpan(0, dtStart.GetHour(), dtStart.GetMinute(), dtStart.GetSecond());
    if (!dtStart.IsValid() || !day.IsValid())
        moved.SetStatus(COleDateTime::invalid);
    if (moved != s)
        s = moved;
    COleDateTime e;
    if (forward) {
        e = s + span;
    } else {
        e = s;
        s = s - span;
    }
    const COleDateTime a = m_pCurrentView->GetDateStart();
    const COleDateTime b = m_pCurrentView->GetDateEnd();
    if (!s.IsValid() || !e.IsValid() || s < a || s > b || e < a || e > b) {
        s = GetWorkingDayStart(s);
        e = s;
    }
    m_pCurrentView->SetSelection(s, e, FALSE);
}

void CZUDPPlannerManagerCtrl::SetDate(const COleDateTime& date, BOOL bRedraw)
{
    if (m_pCurrentView == nullptr)
        return;
    const COleDateTime day = PlannerDates::TruncateToDay(date);
    if (day == m_pCurrentView->GetDate())
        return;
    COleDateTime a = m_pCurrentView->GetDateStart();
    COleDateTime b = m_pCurrentView->GetDateEnd();

    if (m_Type == TypeWeek || m_Type == TypeMonth) {
        const COleDateTime pageStart = m_pCurrentView->CalculateDateStart(day);
        if (a <= day && day <= b && pageStart == a) {
            // The day is on the shown page: only the current date moves.
            ClearAppointmentSelection(FALSE);
            m_pCurrentView->m_dtDate = day;
            m_pCurrentView->SetSelection(day, day, TRUE);
        } else {
            m_pCurrentView->SetDate(day);
        }
        OnDateChanged();
        return;
    }

    const BOOL bWindow = GetSafeHwnd() != nullptr;
    if (bWindow)
        SendMessage(WM_SETREDRAW, FALSE);
    const COleDateTime selStart = m_pCurrentView->GetSelectionStart();
    const COleDateTime selEnd = m_pCurrentView->GetSelectionEnd();
    if (GetViewDuration() > 1 && a <= day && day <= b) {
        m_pCurrentView->m_dtDate = day;
    } else if (m_Type == TypeWorkWeek && a <= day && day <= a + kWeekLessOneSecond) {
        // A hidden day of the shown week: nothing moves, the date change is
        // still reported.
        if (bWindow)
            SendMessage(WM_SETREDRAW, TRUE);
        OnDateChanged();
        return;
    } else {
        m_pCurrentView->SetDate(day);
        if (m_Type == TypeWorkWeek && m_pCurrentView->GetDateEnd() < day)
            m_pCurrentView->m_dtDate = m_pCurrentView->GetDateStart();
    }
    CarrySelection(selStart, selEnd);
    if (bWindow) {
        SendMessage(WM_SETREDRAW, TRUE);
        if (bRedraw)
            Redraw();
    }
    OnDateChanged();
}

void CZUDPPlannerManagerCtrl::SetDateInterval(const COleDateTime& dtStart, const COleDateTime& dtEnd, BOOL bRedraw)
{
    if (m_pCurrentView == nullptr)
        return;
    const int n = int(PlannerDates::WholeDays(dtEnd - dtStart));
    const BOOL bWindow = GetSafeHwnd() != nullptr;
    if (bWindow)
        SendMessage(WM_SETREDRAW, FALSE);
    // The calendar is left alone until the views are settled.
    CZUDPCalendar* pCalendar = m_pCalendar;
    m_pCalendar = nullptr;

    const int firstDay = s_nFirstDayOfWeek + 1;
    if (n == 6 && dtStart == CZUDPPlannerView::GetWeekStartDate(dtStart, firstDay) && !m_bSevenDaysAsDays) {
        SetType(TypeWeek, FALSE);
        COleDateTime week = PlannerDates::TruncateToDay(CZUDPPlannerView::GetWeekStartDate(dtStart, firstDay));
        // The week view always begins on a Monday.
        for (int i = 0; i < 7 && week.IsValid() && week.GetDayOfWeek() != 2; ++i)
            week += COleDateTimeSpan(1.0);
        CZUDPPlannerView* pWeek = m_pViews[TypeWeek];
        if (m_Type == TypeWeek && pWeek != nullptr) {
            pWeek->m_dtDateStart = week;
            pWeek->m_dtDateEnd = week + kWeekLessOneSecond;
            pWeek->SetDate(week);
        }
    } else if (n > 6) {
        SetType(TypeMonth, FALSE);
        if (m_Type == TypeMonth)
            m_pCurrentView->SetDateInterval(dtStart, dtEnd);
    } else {
        const int oldType = m_Type;
        const COleDateTime selStart = m_pCurrentView->GetSelectionStart();
        const COleDateTime selEnd = m_pCurrentView->GetSelectionEnd();
        SetType(m_Type == TypeMulti ? TypeMulti : TypeDay, FALSE);
        m_pCurrentView->SetDateInterval(dtStart, dtEnd);
        if (oldType == TypeDay || oldType == TypeMulti)
            CarrySelection(selStart, selEnd);
    }

    if (bWindow) {
        SendMessage(WM_SETREDRAW, TRUE);
        if (bRedraw)
            Redraw();
    }
    m_pCalendar = pCalendar;
    OnDateChanged();
}

void CZUDPPlannerManagerCtrl::OnDateChanged()
{
    if (m_pCalendar != nullptr) {
        UpdateCalendarSelection(nullptr);
        const COleDateTime first = m_pCalendar->GetFirstShownDay();
        const COleDateTime last = m_pCalendar->GetLastShownDay();
        if (first != m_dtCalendarStart || last != m_dtCalendarEnd) {
            m_dtCalendarStart = first;
            m_dtCalendarEnd = last;
            UpdateCalendarMarks(nullptr);
        }
    }
    if (GetSafeHwnd() != nullptr)
        NotifyParent(ZUDP_PLANNER_DATE_CHANGED, 0, 0);
}

BOOL CZUDPPlannerManagerCtrl::SetCurrentResourceID(UINT nResourceID, BOOL bRedraw)
{
    auto* pMulti = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseMultiStorage, m_pAppsStorage);
    if (!m_bMultiResourceStorage || pMulti == nullptr || nResourceID == 0)
        return FALSE;
    const DWORD old = pMulti->GetCurrentResourceID();
    if (!pMulti->SetCurrentResourceID(nResourceID))
        return FALSE;
    if (m_pCurrentView == nullptr)
        return TRUE;
    if (m_pCurrentView->SetCurrentResourceID(nResourceID, FALSE, FALSE))
        pMulti->SetCurrentResourceID(0);
    const BOOL changed = m_pCurrentView->UpdateResources();
    if (pMulti->GetCurrentResourceID() != old || changed) {
        RequeryAppointments();
        AdjustLayout(bRedraw);
    } else if (bRedraw) {
        Redraw();
    }
    return TRUE;
}

// ---- calendar link ----------------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::SetCalendar(CZUDPCalendar* pCalendar)
{
    // One link both ways: the calendar forgets an earlier planner, this
    // planner an earlier calendar.
    if (m_pCalendar != nullptr && m_pCalendar != pCalendar && m_pCalendar->m_pPlanner == this)
        m_pCalendar->m_pPlanner = nullptr;
    if (pCalendar != nullptr && pCalendar->m_pPlanner != nullptr && pCalendar->m_pPlanner != this)
        pCalendar->m_pPlanner->SetCalendar(nullptr);
    m_pCalendar = pCalendar;
    if (pCalendar != nullptr)
        pCalendar->m_pPlanner = this;
    m_dtCalendarStart = COleDateTime(0.0);
    m_dtCalendarEnd = COleDateTime(0.0);
}

void CZUDPPlannerManagerCtrl::UpdateCalendarSelection(CZUDPCalendar* pCalendar)
{
    if (pCalendar == nullptr)
        pCalendar = m_pCalendar;
    if (pCalendar == nullptr || pCalendar->GetSafeHwnd() == nullptr || m_pCurrentView == nullptr)
        return;
    CList<DATE, DATE> selectedList;
    pCalendar->GetSelectedDates(selectedList);
    CArray<COleDateTime, const COleDateTime&> selected;
    for (POSITION pos = selectedList.GetHeadPosition(); pos != nullptr;)
        selected.Add(COleDateTime(selectedList.GetNext(pos)));
    COleDateTime first = GetDateStart();
    const int n = GetViewDuration();
    if (m_Type == TypeWeek && s_nFirstDayOfWeek != 1)
        first = CZUDPPlannerView::GetWeekStartDate(first, s_nFirstDayOfWeek + 1);
    else if (m_Type == TypeMonth && IsCompressWeekend() && s_nFirstDayOfWeek == 0)
        first -= COleDateTimeSpan(1.0);
    if (selected.GetSize() > 0) {
        COleDateTime earliest = selected[0];
        COleDateTime latest = selected[0];
        for (INT_PTR i = 1; i < selected.GetSize(); ++i) {
            if (selected[i] < earliest)
                earliest = selected[i];
            if (selected[i] > latest)
                latest = selected[i];
        }
        if (earliest == first && latest == first + COleDateTimeSpan(double(n - 1)))
            return;
    }
    CList<DATE, DATE> days;
    for (int i = 0; i < n; ++i)
        days.AddTail(double(first + COleDateTimeSpan(double(i))));
    pCalendar->SetSelectedDates(days, FALSE, TRUE);
}

void CZUDPPlannerManagerCtrl::CollectMarkedDays(const CZUDPAppointmentArray& apps, const COleDateTime& dtFrom,
                                                const COleDateTime& dtTo, CArray<DATE, DATE>& days)
{
    days.RemoveAll();
    const COleDateTime from = PlannerDates::TruncateToDay(dtFrom);
    const COleDateTime to = PlannerDates::TruncateToDay(dtTo);
    if (!from.IsValid() || !to.IsValid() || to < from)
        return;
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        const CZUDPAppointment* pApp = apps[i];
        if (pApp == nullptr || pApp->IsAllDay())
            continue;
        const COleDateTime start = pApp->GetStart();
        COleDateTime d = PlannerDates::TruncateToDay(start);
        if (!d.IsValid())
            continue;
        if (from <= d && d <= to)
            days.Add(double(start));
        if (CZUDPPlannerView::IsSameDay(start, pApp->GetFinish()))
            continue;
        COleDateTime f = pApp->GetFinish();
        if (f.IsValid() && !PlannerDates::HasTimeOfDay(f))
            f -= COleDateTimeSpan(1.0);
        f = PlannerDates::TruncateToDay(f);
        if (!f.IsValid())
            continue;
        // Only the days the calendar shows: a long appointment adds no
        // more than the shown range.
        COleDateTime day = d + COleDateTimeSpan(1.0);
        if (day < from)
            day = from;
        const COleDateTime last = f < to ? f : to;
        for (; day.IsValid() && day <= last; day += COleDateTimeSpan(1.0))
            days.Add(double(day));
    }
}

BOOL CZUDPPlannerManagerCtrl::UpdateCalendarMarks(CZUDPCalendar* pCalendar)
{
    if (pCalendar == nullptr)
        pCalendar = m_pCalendar;
    if (pCalendar == nullptr || pCalendar->GetSafeHwnd() == nullptr)
        return FALSE;
    const COleDateTime from = pCalendar->GetFirstShownDay();
    const COleDateTime to = pCalendar->GetLastShownDay();
    CZUDPAppointmentArray apps;
    QueryAppointments(apps, from, to);
    CArray<DATE, DATE> days;
    CollectMarkedDays(apps, from, to, days);
    DeleteQueriedOccurrences(apps);
    pCalendar->SetMarkedDates(days, TRUE);
    return TRUE;
}

// ---- printing ------------------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::CreatePrinter(CPrintInfo* pInfo, CRuntimeClass* pPrinterClass)
{
    if (pPrinterClass == nullptr || !pPrinterClass->IsDerivedFrom(RUNTIME_CLASS(CZUDPPlannerPrint))) {
        // The multi-resource view has no page layout: no printer, and none
        // of an earlier job stays to print it.
        if (m_Type == TypeMulti) {
            delete m_pPrinter;
            m_pPrinter = nullptr;
            return;
        }
        pPrinterClass = GetPrinterClass(m_Type, GetViewDuration());
    }
    CObject* pObject = pPrinterClass != nullptr ? pPrinterClass->CreateObject() : nullptr;
    auto* pPrinter = DYNAMIC_DOWNCAST(CZUDPPlannerPrint, pObject);
    if (pPrinter == nullptr) {
        delete pObject;
        delete m_pPrinter;
        m_pPrinter = nullptr;
        return;
    }
    delete m_pPrinter;
    m_pPrinter = pPrinter;
    m_pPrinter->OnPreparePrinting(pInfo);
}

CRuntimeClass* CZUDPPlannerManagerCtrl::GetPrinterClass(int nType, int nDays)
{
    switch (nType) {
    case TypeDay: return nDays > 1 ? RUNTIME_CLASS(CZUDPPlannerPrintDual) : RUNTIME_CLASS(CZUDPPlannerPrintDay);
    case TypeWorkWeek:
    case TypeWeek: return RUNTIME_CLASS(CZUDPPlannerPrintWeek);
    case TypeMonth: return RUNTIME_CLASS(CZUDPPlannerPrintMonth);
    default: return nullptr;   // the multi-resource view has no page
    }
}

void CZUDPPlannerManagerCtrl::PreparePrinting(CDC* pDC, CPrintInfo* pInfo, CRuntimeClass* pPrinterClass)
{
    if (m_pPrinter == nullptr)
        CreatePrinter(pInfo, pPrinterClass);
    if (m_pPrinter != nullptr)
        m_pPrinter->OnBeginPrinting(pDC, pInfo, this);
}

void CZUDPPlannerManagerCtrl::Print(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pPrinter != nullptr)
        m_pPrinter->OnPrint(pDC, pInfo);
}

void CZUDPPlannerManagerCtrl::EndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
    delete m_pPrinter;
    m_pPrinter = nullptr;
    AdjustLayout(TRUE);
}

// ---- settings -----------------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::SetShowScrollBar(BOOL bShow)
{
    if (m_bShowScrollBar == bShow)
        return;
    m_bShowScrollBar = bShow;
    AdjustLayout(TRUE);
}

BOOL CZUDPPlannerManagerCtrl::SetWorkingHours(double dblStart, double dblEnd, BOOL bRedraw)
{
    auto valid = [](double value) {
        if (!(value >= 0.0 && value <= 24.0))
            return false;
        const int h = int(value);
        const int m = int((value - h) * 100.0 + 0.05);
        return m < 60 && (h < 24 || m == 0);
    };
    if (!valid(dblStart) || !valid(dblEnd) || !(dblStart < dblEnd))
        return FALSE;
    m_dblWorkingStart = dblStart;
    m_dblWorkingEnd = dblEnd;
    AdjustLayout(bRedraw);
    return TRUE;
}

BOOL CZUDPPlannerManagerCtrl::SetTimeScale(int nUnit, BOOL bRedraw)
{
    if (nUnit < 0 || nUnit > 10)
        return FALSE;
    m_TimeScale = nUnit;
    AdjustLayout(bRedraw);
    return TRUE;
}

void CZUDPPlannerManagerCtrl::SetShowToolTips(BOOL bShow)
{
    m_bShowToolTips = bShow;
    UpdateToolTips();
}

void CZUDPPlannerManagerCtrl::SetFullToolTips(BOOL bFull)
{
    m_bFullToolTips = bFull;
    UpdateToolTips();
}

void CZUDPPlannerManagerCtrl::SetDrawFlags(DWORD dwFlags, BOOL bFromManager, BOOL bRedraw)
{
    m_dwDrawFlags = dwFlags;
    m_bDrawFlagsFromManager = bFromManager;
    AdjustLayout(bRedraw);
}

// ---- class-wide data -----------------------------------------------------------------------

int CZUDPPlannerManagerCtrl::GetLocaleFirstDayOfWeek()
{
    // The clock setting's first character: "0" a 12-hour locale, "1" a
    // 24-hour one.
    CString clock = g_plannerSeams.localeInfo(LOCALE_ITIME);
    return !clock.IsEmpty() && clock[0] == '1' ? 1 : 0;
}

void CZUDPPlannerManagerCtrl::InitImages()
{
    if (s_sizeImages.cx == 0 && s_sizeImages.cy == 0) {
        CZUDPLocalResource resources;
        SetImages(IDB_ZUDP_PLANNER_APP_IMAGES, 16, RGB(255, 0, 255));
    }
}

BOOL CZUDPPlannerManagerCtrl::SetImages(UINT nBitmapID, int cxImage, COLORREF clrMask)
{
    CImageList& images = SharedAppointmentImages();
    images.DeleteImageList();
    s_sizeImages = CSize(0, 0);
    if (nBitmapID == 0 || cxImage <= 0)
        return FALSE;
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (hBitmap == nullptr)
        return FALSE;
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    const BOOL masked = clrMask != 0xFFFFFFFF;
    UINT flags = masked ? ILC_MASK : 0;
    switch (info.bmBitsPixel) {
    case 4: flags |= ILC_COLOR4; break;
    case 8: flags |= ILC_COLOR8; break;
    case 16: flags |= ILC_COLOR16; break;
    case 24: flags |= ILC_COLOR24; break;
    case 32: flags |= ILC_COLOR32 | ILC_MASK; break;
    default: break;
    }
    if (info.bmHeight <= 0 || !images.Create(cxImage, info.bmHeight, flags, info.bmWidth / cxImage, 0))
        return FALSE;
    if (info.bmBitsPixel == 32 && !masked)
        images.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    else
        images.Add(&bitmap, clrMask);
    s_sizeImages = CSize(cxImage, info.bmHeight);
    return TRUE;
}

int CZUDPPlannerManagerCtrl::GetImageCount()
{
    CImageList& images = SharedAppointmentImages();
    return images.GetSafeHandle() != nullptr ? images.GetImageCount() : 0;
}

void CZUDPPlannerManagerCtrl::DrawImageIcon(CDC* pDC, const CPoint& point, int nIndex)
{
    InitImages();
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || nIndex < 0 || nIndex >= GetImageCount())
        return;
    ImageList_Draw(SharedAppointmentImages(), nIndex, pDC->GetSafeHdc(), point.x, point.y, ILD_NORMAL);
}

// ---- painting -------------------------------------------------------------------------------

CRect CZUDPPlannerManagerCtrl::GetPaintRect() const
{
    CRect rect;
    GetClientRect(rect);
    if (m_pCurrentView != nullptr && !m_pCurrentView->GetRect().IsRectEmpty())
        rect.right = m_pCurrentView->GetRect().right;
    return rect;
}

void CZUDPPlannerManagerCtrl::DoPaint(CDC* pDC)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    // The scroll bar keeps its own place.
    CRect client;
    GetClientRect(client);
    const CRect rectPaint = GetPaintRect();
    if (rectPaint.right < client.right)
        pDC->ExcludeClipRect(rectPaint.right, client.top, client.right, client.bottom);

    // The whole view is drawn on every paint: a kept surface spares the
    // new buffer each paint would otherwise make.
    CZUDPMemDC memory(*pDC, this, CZUDPMemDC::keptSurface);
    CDC& dc = memory.GetDC();
    dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = m_pCurrentView != nullptr ? m_pCurrentView->SelectFont(&dc, FALSE) : nullptr;
    OnDraw(&dc);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void CZUDPPlannerManagerCtrl::OnDraw(CDC* pDC)
{
    if (m_pCurrentView != nullptr)
        m_pCurrentView->OnPaint(pDC, GetPaintRect());
    else
        pDC->FillRect(GetPaintRect(), &g_uiEnvironment.m_brushWindow);
}

void CZUDPPlannerManagerCtrl::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CZUDPPlannerManagerCtrl::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if ((nFlags & PRF_CLIENT) != 0)
        DoPaint(pDC);
}

BOOL CZUDPPlannerManagerCtrl::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CZUDPPlannerManagerCtrl::OnSize(UINT nType, int cx, int cy)
{
    CZUDPWnd::OnSize(nType, cx, cy);
    AdjustLayout(TRUE);
}

void CZUDPPlannerManagerCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (m_pCurrentView == nullptr || !m_pCurrentView->OnTimer(nIDEvent))
        Default();
}
