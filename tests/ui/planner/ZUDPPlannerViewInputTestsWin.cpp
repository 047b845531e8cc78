// Planner view input on a day view in a control: slot snapping and the
// fully selected days, the date under a point, mouse clicks, the edit
// timer, resizing by an edge, the wheel, the keyboard, activation, the
// work week's range and dragged copies of appointments.
#include <gtest/gtest.h>

#include "framework/File.h"
#include "framework/win/Wnd.h"
#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"
#include "ui/planner/ZUDPPlannerViewWeek.h"
#include "ui/planner/ZUDPPlannerViewWorkWeek.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

const int kHalfHour = 1;   // time-scale unit of 30-minute slots

class ViewInputTest : public PlannerViewTest {
protected:
    ViewInputTest()
        : m_keys(g_frameworkSeams.keyState,
                 [this](int key) -> SHORT { return key == VK_SHIFT && m_shift ? SHORT(0x8000) : SHORT(0); }),
          m_cursor(g_frameworkSeams.cursorPos,
                   [this](POINT* point) {
                       POINT p = m_cursorClient;
                       if (m_planner.GetSafeHwnd() != nullptr)
                           ::ClientToScreen(m_planner.GetSafeHwnd(), &p);
                       *point = p;
                       return TRUE;
                   }),
          m_doubleClick(g_plannerSeams.doubleClickTime, [] { return UINT(600); })
    {
    }
    // A one-day (or longer) day view of 30-minute slots, 600 x 1000 so
    // that a whole day fits without scrolling unless asked.
    void Make(const COleDateTime& start, int days = 1, int height = 1000)
    {
        Create(600, height, start, days);
        m_planner.m_TimeScale = kHalfHour;
        m_day.AdjustLayout(FALSE);
        m_day.SetSelection(start, start, FALSE);
    }
    // The point of the grid at the time of the day column.
    CPoint PointAt(int day, int hour, int minute)
    {
        const CRect& column = m_day.GetDayRects()[day];
        const int row = (hour * 60 + minute) / 30 - m_day.GetScrollPosition();
        return CPoint(column.left + 10, column.top + row * m_day.GetRowHeight() + 2);
    }
    BOOL Key(UINT key, bool shift = false)
    {
        m_shift = shift;
        const BOOL handled = m_day.OnKeyDown(key, 1, 0);
        m_shift = false;
        return handled;
    }
    void ExpectSelection(const COleDateTime& start, const COleDateTime& end)
    {
        EXPECT_EQ(plannertest::Text(start) + ":" + std::to_string(start.GetSecond()),
                  plannertest::Text(m_day.GetSelectionStart()) + ":" + std::to_string(m_day.GetSelectionStart().GetSecond()));
        EXPECT_EQ(plannertest::Text(end) + ":" + std::to_string(end.GetSecond()),
                  plannertest::Text(m_day.GetSelectionEnd()) + ":" + std::to_string(m_day.GetSelectionEnd().GetSecond()));
    }

    bool m_shift = false;
    POINT m_cursorClient = {0, 0};

private:
    ScopedSeam<SHORT(int)> m_keys;
    ScopedSeam<BOOL(POINT*)> m_cursor;
    ScopedSeam<UINT()> m_doubleClick;
};

COleDateTime OnWed(int hour, int minute, int second = 0) { return Date(2024, 5, 8, hour, minute, second); }

} // namespace

TEST_F(ViewInputTest, SelectionEndsSnapToSlotsWithTheLaterEndOnTheLastSecond)
{
    Make(kWednesday);
    struct Case {
        const char* name;
        COleDateTime a, b;
        COleDateTime start, end;
    } cases[] = {
        {"equal ends on a slot", OnWed(10, 0), OnWed(10, 0), OnWed(10, 0), OnWed(10, 29, 59)},
        {"backwards", OnWed(10, 40), OnWed(10, 10), OnWed(10, 59, 59), OnWed(10, 0)},
        {"two ends in one slot", OnWed(10, 10), OnWed(10, 20), OnWed(10, 29, 59), OnWed(10, 0)},
        {"forwards", OnWed(9, 15), OnWed(11, 5), OnWed(9, 0), OnWed(11, 29, 59)},
        // Equal ends off a slot boundary go to their slot first (no minute
        // past 59, no invalid date).
        {"equal ends late in a slot", OnWed(10, 40), OnWed(10, 40), OnWed(10, 30), OnWed(10, 59, 59)},
        {"equal slot ends", OnWed(10, 44, 59), OnWed(10, 44, 59), OnWed(10, 30), OnWed(10, 59, 59)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_day.SetSelection(c.a, c.b, FALSE);
        ExpectSelection(c.start, c.end);
        EXPECT_EQ(COleDateTime::valid, m_day.GetSelectionEnd().GetStatus());
    }
    EXPECT_TRUE(m_day.IsDateInSelection(OnWed(10, 30)));
}

TEST_F(ViewInputTest, DaysWhollyInsideTheSelectionAreMarkedFullySelected)
{
    Make(kMonday, 3);
    m_day.SetSelection(Date(2024, 5, 6, 12, 0), Date(2024, 5, 8, 0, 0), FALSE);
    ASSERT_EQ(3, m_day.m_arDayFullySelected.GetSize());
    EXPECT_EQ(0, m_day.m_arDayFullySelected[0]);
    EXPECT_EQ(1, m_day.m_arDayFullySelected[1]);
    EXPECT_EQ(0, m_day.m_arDayFullySelected[2]);
    m_day.SetSelection(Date(2024, 5, 8, 23, 59, 59), Date(2024, 5, 6, 0, 0), FALSE);
    for (int d = 0; d < 3; ++d)
        EXPECT_EQ(1, m_day.m_arDayFullySelected[d]) << d;
}

TEST_F(ViewInputTest, TheDateUnderAPointIsTheColumnsDayAtTheRowsSlot)
{
    Make(kMonday, 3);
    EXPECT_EQ(Date(2024, 5, 7, 10, 30), m_day.GetDateFromPoint(PointAt(1, 10, 30)));
    EXPECT_EQ(Date(2024, 5, 8, 0, 0), m_day.GetDateFromPoint(CPoint(m_day.GetDayRects()[2].left + 5, 2)));
    // Over the time scale the day is the current one.
    m_day.m_dtDate = Date(2024, 5, 7);
    const CPoint scale(m_day.GetTimeScaleRect().left + 2, PointAt(0, 9, 0).y);
    EXPECT_EQ(Date(2024, 5, 7, 9, 0), m_day.GetDateFromPoint(scale));
    // A control narrower than its days has columns a pixel wide, not none.
    Resize(40, 1000);
    Show(kMonday, 120);
    m_day.AdjustLayout(FALSE);
    const COleDateTime date = m_day.GetDateFromPoint(CPoint(39, 500));
    EXPECT_EQ(COleDateTime::valid, date.GetStatus());
    EXPECT_TRUE(m_day.GetDateStart() <= date && date <= m_day.GetDateEnd());
}

TEST_F(ViewInputTest, KeysMoveTheSlotSelectionAndTheRange)
{
    struct Case {
        const char* name;
        int days;
        COleDateTime start;      // of the range
        COleDateTime selected;   // slot selected before the key
        UINT key;
        double workingEnd;
        COleDateTime to;         // the slot selected afterwards
        COleDateTime rangeStart;
    } cases[] = {
        {"Home: first working slot", 1, kWednesday, OnWed(14, 0), VK_HOME, 18.0, OnWed(9, 0), kWednesday},
        {"End: last working slot", 1, kWednesday, OnWed(9, 0), VK_END, 18.0, OnWed(17, 30), kWednesday},
        {"End with a quarter past", 1, kWednesday, OnWed(9, 0), VK_END, 18.15, OnWed(17, 30), kWednesday},
        {"Down on the last slot stays", 1, kWednesday, OnWed(23, 30), VK_DOWN, 18.0, OnWed(23, 30), kWednesday},
        {"Up on the first slot stays", 1, kWednesday, OnWed(0, 0), VK_UP, 18.0, OnWed(0, 0), kWednesday},
        {"Down on the last slot of three days moves the range", 3, kMonday, OnWed(23, 30), VK_DOWN, 18.0,
         Date(2024, 5, 9, 23, 30), Date(2024, 5, 7)},
        {"Right on the last day requeries the next", 1, kWednesday, OnWed(10, 0), VK_RIGHT, 18.0,
         Date(2024, 5, 9, 10, 0), Date(2024, 5, 9)},
        {"Left inside the range", 3, kMonday, OnWed(10, 0), VK_LEFT, 18.0, Date(2024, 5, 7, 10, 0), kMonday},
        {"Page Up at the top", 1, kWednesday, OnWed(10, 0), VK_PRIOR, 18.0, OnWed(0, 0), kWednesday},
        {"Page Down at the bottom", 1, kWednesday, OnWed(10, 0), VK_NEXT, 18.0, OnWed(23, 30), kWednesday},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (m_planner.GetSafeHwnd() == nullptr)
            Make(c.start, c.days);
        Show(c.start, c.days);
        m_planner.m_dblWorkingEnd = c.workingEnd;
        m_day.AdjustLayout(FALSE);
        m_day.m_dtDate = PlannerDates::TruncateToDay(c.selected);
        m_day.SetSelection(c.selected, c.selected, FALSE);
        EXPECT_TRUE(Key(c.key));
        ExpectSelection(c.to, c.to + COleDateTimeSpan(0, 0, 29, 59));
        EXPECT_EQ(c.rangeStart, m_day.GetDateStart());
        EXPECT_EQ(PlannerDates::TruncateToDay(c.to), m_day.GetDate());
    }
    // Shift keeps the anchor.
    Show(kWednesday, 1);
    m_day.SetSelection(OnWed(10, 0), OnWed(10, 0), FALSE);
    EXPECT_TRUE(Key(VK_DOWN, true));
    ExpectSelection(OnWed(10, 0), OnWed(10, 59, 59));
    EXPECT_FALSE(Key('A'));
}

TEST_F(ViewInputTest, AKeyDuringAResizeEndsTheResizeAndMovesNothing)
{
    Make(kWednesday);
    CZUDPAppointment* pApp = Add(OnWed(10, 0), OnWed(11, 0), "resized");
    m_day.SetSelection(OnWed(10, 0), OnWed(10, 0), FALSE);
    m_day.m_pCapturedAppointment = pApp;
    m_day.m_nCapturedHitCode = ZUDP_PLANNER_HIT_APPOINTMENT_BOTTOM;
    EXPECT_TRUE(Key(VK_RIGHT));
    EXPECT_EQ(kWednesday, m_day.GetDateStart()) << "the range did not move, nothing was queried";
    ExpectSelection(OnWed(10, 0), OnWed(10, 29, 59));
    // Clearing the query (which deletes occurrences) makes the view forget
    // the appointment it resizes.
    m_planner.ClearQuery();
    EXPECT_EQ(nullptr, m_day.m_pCapturedAppointment);
    EXPECT_EQ(0, m_day.m_nCapturedHitCode);
}

TEST_F(ViewInputTest, ClicksSelectSlotsToggleAppointmentsAndExtendFromTheAnchor)
{
    Make(kWednesday);
    CZUDPAppointment* first = Add(OnWed(9, 0), OnWed(10, 0), "first");
    CZUDPAppointment* second = Add(OnWed(14, 0), OnWed(15, 0), "second");
    const CPoint onFirst = PointAt(0, 9, 30);
    const CPoint onSecond = PointAt(0, 14, 30);
    ASSERT_EQ(first, m_day.GetAppointmentFromPoint(onFirst));

    // A plain click on a slot selects the slot.
    m_day.OnLButtonDown(0, PointAt(0, 11, 0));
    ExpectSelection(OnWed(11, 0), OnWed(11, 29, 59));
    // Shift extends from the anchor.
    m_day.OnLButtonDown(MK_SHIFT, PointAt(0, 12, 30));
    ExpectSelection(OnWed(11, 0), OnWed(12, 59, 59));
    // A click selects the appointment; Ctrl adds another and toggles it off.
    m_day.OnLButtonDown(0, onFirst);
    EXPECT_TRUE(first->IsSelected());
    m_day.OnLButtonDown(MK_CONTROL, onSecond);
    EXPECT_TRUE(first->IsSelected());
    EXPECT_TRUE(second->IsSelected());
    m_day.OnLButtonDown(MK_CONTROL, onSecond);
    EXPECT_FALSE(second->IsSelected());
    EXPECT_EQ(1, m_planner.GetSelectedAppointmentsCount());
    // A click on the slot that is the whole selection keeps it.
    m_day.SetSelection(OnWed(16, 0), OnWed(16, 0), FALSE);
    const COleDateTime before = m_day.GetSelectionEnd();
    m_day.OnLButtonDown(0, PointAt(0, 16, 0));
    EXPECT_EQ(before, m_day.GetSelectionEnd());
    EXPECT_EQ(0, m_planner.GetSelectedAppointmentsCount());
    // A right click on an unselected appointment selects it alone.
    m_day.OnLButtonDown(0, onFirst);
    m_day.OnRButtonDown(0, onSecond);
    EXPECT_FALSE(first->IsSelected());
    EXPECT_TRUE(second->IsSelected());
    ExpectSelection(OnWed(14, 30), OnWed(14, 59, 59));
}

TEST_F(ViewInputTest, ClickingADayCaptionWithShiftSelectsTheDaysBackwards)
{
    Make(kMonday, 5);
    m_day.SetSelection(Date(2024, 5, 9, 10, 0), Date(2024, 5, 9, 10, 0), FALSE);
    m_day.m_dtDate = Date(2024, 5, 9);
    const CRect& tuesday = m_day.GetDayRects()[1];
    const CPoint caption(tuesday.left + 5, m_day.GetTimeScaleRect().top + 2);
    ASSERT_EQ(ZUDP_PLANNER_HIT_HEADER, m_day.HitTestArea(caption));
    m_day.OnLButtonDown(MK_SHIFT, caption);
    ExpectSelection(Date(2024, 5, 9, 23, 59, 59), Date(2024, 5, 7));
    EXPECT_EQ(Date(2024, 5, 7), m_day.GetDate());
}

TEST_F(ViewInputTest, TheEditTimerOpensTheEditorAThirdOfTheDoubleClickTimeLater)
{
    Make(kWednesday);
    CZUDPAppointment* pApp = Add(OnWed(10, 0), OnWed(12, 0), "Edit me");
    trovtest::DibCanvas canvas(600, 1000);
    Render(canvas);   // places the text
    m_planner.SelectAppointment(pApp, TRUE, FALSE);
    const CPoint inText = pApp->GetTextRect(COleDateTime(0.0)).CenterPoint();
    ASSERT_TRUE(pApp->IsPointInText(inText));

    m_timers.clear();
    m_day.OnLButtonUp(0, inText);
    ASSERT_EQ(1u, m_timers.size());
    EXPECT_EQ(ZUDP_PLANNER_TIMER_EDIT, m_timers[0].id);
    EXPECT_EQ(200u, m_timers[0].elapse);
    EXPECT_TRUE(m_day.OnTimer(ZUDP_PLANNER_TIMER_EDIT));
    ASSERT_NE(nullptr, pApp->GetEditControl());
    pApp->EndEditing(TRUE);

    // A double click in between stops it.
    m_day.OnLButtonUp(0, inText);
    EXPECT_FALSE(m_day.OnLButtonDblClk(0, inText));
    EXPECT_TRUE(m_timers.back().kill);
    EXPECT_FALSE(m_day.OnTimer(ZUDP_PLANNER_TIMER_EDIT));
    EXPECT_EQ(nullptr, pApp->GetEditControl());
}

namespace {

// The control's parent, refusing updates when asked.
class CResizeParent : public CWnd {
public:
    LRESULT m_reply = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDP_PLANNER_BEFORE_UPDATE_APPOINTMENT)
            return m_reply;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(ViewInputTest, DraggingTheBottomEdgeAboveTheStartEndsAtTheStartAndARefusalPutsItBack)
{
    Make(kWednesday);
    CZUDPAppointment* pApp = Add(OnWed(10, 0), OnWed(11, 0), "hour");
    const CRect box = pApp->GetDrawRect(kWednesday);
    m_cursorClient = CPoint(box.CenterPoint().x, box.bottom - 1);
    ASSERT_EQ(ZUDP_PLANNER_HIT_APPOINTMENT_BOTTOM, m_day.HitTest(CPoint(m_cursorClient)));

    m_planner.m_bCaptured = TRUE;
    m_day.StartCapture();
    ASSERT_EQ(pApp, m_day.m_pCapturedAppointment);
    // The wheel does nothing while an appointment is captured.
    EXPECT_FALSE(m_day.OnMouseWheel(0, -120, CPoint(0, 0)));
    m_day.OnMouseMove(0, PointAt(0, 8, 0));
    EXPECT_EQ(OnWed(10, 0), pApp->GetFinish());
    EXPECT_EQ(OnWed(10, 0), pApp->GetStart());
    m_day.StopCapture();
    m_planner.m_bCaptured = FALSE;
    ExpectSelection(OnWed(10, 0), OnWed(10, 29, 59));
    EXPECT_EQ(nullptr, m_day.m_pCapturedAppointment);
}

TEST_F(ViewInputTest, ARefusedResizePutsTheSavedIntervalAndTheOccurrenceFlagBack)
{
    CResizeParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 600, 1000, nullptr, nullptr));
    Make(kWednesday);
    m_planner.SetParent(&parent);
    parent.m_reply = -1;
    CZUDPAppointment* pApp = Add(OnWed(10, 0), OnWed(11, 0), "refused");
    const CRect box = pApp->GetDrawRect(kWednesday);
    m_cursorClient = CPoint(box.CenterPoint().x, box.bottom - 1);
    m_planner.m_bCaptured = TRUE;
    m_day.StartCapture();
    m_day.OnMouseMove(0, PointAt(0, 12, 30));
    EXPECT_EQ(OnWed(13, 0), pApp->GetFinish());
    m_day.StopCapture();
    m_planner.m_bCaptured = FALSE;
    EXPECT_EQ(OnWed(11, 0), pApp->GetFinish());
    EXPECT_FALSE(pApp->IsRecurrenceException());
    m_planner.SetParent(&m_host);
    parent.DestroyWindow();
}

TEST_F(ViewInputTest, TheWheelScrollsWholeNotchesAndNothingWhileAMenuIsOpen)
{
    Make(kWednesday, 1, 300);
    m_day.OnVScroll(SB_THUMBPOSITION, 10, nullptr);
    ASSERT_EQ(10, m_day.GetScrollPosition());
    EXPECT_TRUE(m_day.OnMouseWheel(0, 119, CPoint(0, 0)));
    EXPECT_EQ(10, m_day.GetScrollPosition());
    EXPECT_TRUE(m_day.OnMouseWheel(0, -240, CPoint(0, 0)));
    EXPECT_EQ(12, m_day.GetScrollPosition());
    EXPECT_TRUE(m_day.OnMouseWheel(0, 120, CPoint(0, 0)));
    EXPECT_EQ(11, m_day.GetScrollPosition());
    CZUDPPopupMenu* open = g_activePopupMenu;
    g_activePopupMenu = reinterpret_cast<CZUDPPopupMenu*>(&m_host);   // only compared with null
    EXPECT_FALSE(m_day.OnMouseWheel(0, -120, CPoint(0, 0)));
    g_activePopupMenu = open;
    EXPECT_EQ(11, m_day.GetScrollPosition());
}

TEST_F(ViewInputTest, WeekViewEdgesAtTopAndBottomGiveNoResizeCursor)
{
    Make(kWednesday);
    CZUDPPlannerViewWeek week;
    m_day.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = &week;
    week.OnActivate(&m_planner, &m_day);
    CZUDPAppointment* pApp = Add(Date(2024, 5, 8, 9, 0), Date(2024, 5, 8, 10, 0), "week", FALSE, FALSE);
    week.QueryAppointments();
    week.AdjustLayout(FALSE);
    const CRect box = pApp->GetDrawRect(kWednesday);
    m_cursorClient = CPoint(box.CenterPoint().x, box.top);
    EXPECT_FALSE(week.OnSetCursor(&m_planner, HTCLIENT, WM_MOUSEMOVE));
    m_cursorClient = CPoint(box.CenterPoint().x, box.bottom - 1);
    EXPECT_FALSE(week.OnSetCursor(&m_planner, HTCLIENT, WM_MOUSEMOVE));
    // An all-day appointment's right edge does.
    CZUDPAppointment* pAllDay = Add(Date(2024, 5, 7), Date(2024, 5, 7), "all day", TRUE, FALSE);
    week.QueryAppointments();
    week.AdjustLayout(FALSE);
    const CRect bar = pAllDay->GetDrawRect(Date(2024, 5, 7));
    m_cursorClient = CPoint(bar.right - 1, bar.CenterPoint().y);
    EXPECT_EQ(ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT, week.HitTest(CPoint(m_cursorClient)));
    EXPECT_TRUE(week.OnSetCursor(&m_planner, HTCLIENT, WM_MOUSEMOVE));
    week.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = nullptr;
}

TEST_F(ViewInputTest, TheWorkWeekShowsMondayToFridayAndActivatesOnTheMondaysFirstWorkingSlot)
{
    Make(kWednesday);
    CZUDPPlannerViewWorkWeek workWeek;
    // Activation from a view whose current date is a Saturday.
    m_day.m_dtDate = Date(2024, 5, 11);
    m_day.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = &workWeek;
    workWeek.OnActivate(&m_planner, &m_day);
    EXPECT_EQ(kMonday, workWeek.GetDateStart());
    EXPECT_EQ(Date(2024, 5, 10, 23, 59, 59), workWeek.GetDateEnd());
    EXPECT_EQ(Date(2024, 5, 6, 9, 0), workWeek.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 6, 9, 29, 59), workWeek.GetSelectionEnd());
    // A Sunday shows the week before it and stays the current date.
    workWeek.SetDate(Date(2024, 5, 12));
    EXPECT_EQ(kMonday, workWeek.GetDateStart());
    EXPECT_EQ(Date(2024, 5, 12), workWeek.GetDate());
    // Right on Friday goes to the next Friday and shows the next week.
    workWeek.SetDate(kFriday);
    workWeek.SetSelection(Date(2024, 5, 10, 10, 0), Date(2024, 5, 10, 10, 0), FALSE);
    EXPECT_TRUE(workWeek.OnKeyDown(VK_RIGHT, 1, 0));
    EXPECT_EQ(Date(2024, 5, 13), workWeek.GetDateStart());
    EXPECT_EQ(Date(2024, 5, 17), workWeek.GetDate());
    EXPECT_EQ(Date(2024, 5, 17, 10, 0), workWeek.GetSelectionStart());
    workWeek.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = nullptr;
}

// An appointment class that counts its live objects; a series of it makes
// occurrences of it, so leaked occurrences show in the count.  (Read from
// archives by name, so not in an anonymous namespace.)
class CCountedDragAppointment : public CZUDPAppointment {
    DECLARE_SERIAL(CCountedDragAppointment)
public:
    CCountedDragAppointment() { ++s_live; }
    ~CCountedDragAppointment() override { --s_live; }
    static int s_live;
};
int CCountedDragAppointment::s_live = 0;
IMPLEMENT_SERIAL(CCountedDragAppointment, CZUDPAppointment, VERSIONABLE_SCHEMA | 1)

namespace {

// A data object offering the appointments in the planner's format, the
// way a drag from another planner offers them.
class DraggedAppointments {
public:
    explicit DraggedAppointments(CZUDPAppointmentArray& apps)
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            EXPECT_TRUE(CZUDPPlannerManagerCtrl::SaveAppointmentsToArchive(ar, apps));
            ar.Close();
        }
        const UINT size = UINT(file.GetLength());
        HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, size);
        file.SeekToBegin();
        file.Read(::GlobalLock(hGlobal), size);
        ::GlobalUnlock(hGlobal);
        m_source.CacheGlobalData(CLIPFORMAT(CZUDPPlannerManagerCtrl::GetClipboardFormat()), hGlobal);
        m_object.Attach(m_source.GetDataObject(), FALSE);
    }
    COleDataObject* Get() { return &m_object; }

private:
    COleDataSource m_source;
    COleDataObject m_object;
};

} // namespace

TEST_F(ViewInputTest, DraggedCopiesArePlacedAtTheCursorAndBecomeAllDayOverTheBand)
{
    Make(kMonday, 5);
    std::unique_ptr<CZUDPAppointment> app(plannertest::Appointment(Date(2024, 5, 1, 10, 0), Date(2024, 5, 1, 11, 0),
                                                                   "dragged").release());
    CZUDPAppointmentArray apps;
    apps.Add(app.get());
    DraggedAppointments data(apps);

    // No effect outside the view; copy with Ctrl; else move.
    EXPECT_EQ(DROPEFFECT_NONE, m_day.GetDropEffect(0, CPoint(-5, -5)));
    EXPECT_EQ(DROPEFFECT_COPY, m_day.GetDropEffect(MK_CONTROL, PointAt(1, 14, 0)));
    EXPECT_EQ(DROPEFFECT_MOVE, m_day.GetDropEffect(0, PointAt(1, 14, 0)));
    EXPECT_EQ(DROPEFFECT(0x80000000), m_day.OnDragScroll(0, PointAt(1, 14, 0)));

    EXPECT_EQ(DROPEFFECT_COPY, m_day.OnDragOver(data.Get(), MK_CONTROL, PointAt(1, 14, 0)));
    ASSERT_EQ(1, m_day.m_DragAppointments.GetSize());
    CZUDPAppointment* copy = m_day.m_DragAppointments[0];
    EXPECT_EQ(Date(2024, 5, 7, 14, 0), copy->GetStart());
    EXPECT_EQ(Date(2024, 5, 7, 15, 0), copy->GetFinish());
    EXPECT_TRUE(copy->IsSelected());
    EXPECT_EQ(2, m_day.m_bDragChanged) << "entering with an effect lays the view out";
    // Another slot of the same day: the copies are placed again.
    m_planner.m_dragEffect = DROPEFFECT_COPY;
    EXPECT_EQ(DROPEFFECT_COPY, m_day.OnDragOver(data.Get(), MK_CONTROL, PointAt(1, 15, 0)));
    EXPECT_EQ(Date(2024, 5, 7, 15, 0), m_day.m_DragAppointments[0]->GetStart());
    EXPECT_EQ(1, m_day.m_bDragChanged);

    // Up into the all-day band: the copy becomes all-day, a full layout.
    m_planner.m_dragEffect = DROPEFFECT_COPY;
    const CRect& thursday = m_day.GetDayRects()[3];
    const CPoint band(thursday.left + 5, m_day.GetTimeScaleRect().top + m_day.GetHeaderBandHeight() + 2);
    ASSERT_EQ(ZUDP_PLANNER_HIT_HEADER_ALLDAY, m_day.HitTestArea(band));
    EXPECT_EQ(DROPEFFECT_COPY, m_day.OnDragOver(data.Get(), MK_CONTROL, band));
    ASSERT_EQ(1, m_day.m_DragAppointments.GetSize());
    EXPECT_TRUE(m_day.m_DragAppointments[0]->IsAllDay());
    EXPECT_EQ(Date(2024, 5, 9), PlannerDates::TruncateToDay(m_day.m_DragAppointments[0]->GetStart()));
    EXPECT_EQ(2, m_day.m_bDragChanged);

    // A data object without the planner's format gives no effect.
    COleDataSource empty;
    COleDataObject none;
    none.Attach(empty.GetDataObject(), FALSE);
    m_planner.m_dragEffect = DROPEFFECT_NONE;
    m_day.ClearDragAppointments();
    EXPECT_EQ(DROPEFFECT_NONE, m_day.CZUDPPlannerView::OnDragOver(&none, 0, PointAt(2, 9, 0)));
    EXPECT_EQ(0, m_day.m_DragAppointments.GetSize());
    m_day.ClearDragAppointments();
    m_planner.m_dragEffect = DROPEFFECT_NONE;
}

TEST_F(ViewInputTest, DraggedCopiesFollowTheCursorWhenTheViewScrollsUnderIt)
{
    // Short enough to scroll: about ten rows of the day show.
    Make(kMonday, 1, 300);
    std::unique_ptr<CZUDPAppointment> app(plannertest::Appointment(Date(2024, 5, 1, 10, 0), Date(2024, 5, 1, 11, 0),
                                                                   "dragged").release());
    CZUDPAppointmentArray apps;
    apps.Add(app.get());
    DraggedAppointments data(apps);

    m_day.OnVScroll(SB_THUMBPOSITION, 16, nullptr);   // 08:00 at the top
    ASSERT_EQ(16, m_day.GetScrollPosition());
    const CPoint point = PointAt(0, 10, 0);
    m_cursorClient = point;
    ASSERT_EQ(DROPEFFECT_COPY, m_day.OnDragOver(data.Get(), MK_CONTROL, point));
    ASSERT_EQ(1, m_day.m_DragAppointments.GetSize());
    EXPECT_EQ(Date(2024, 5, 6, 10, 0), m_day.m_DragAppointments[0]->GetStart());
    m_planner.m_dragEffect = DROPEFFECT_COPY;

    // Two rows down: the slot under the unmoved cursor is an hour later.
    m_day.OnVScroll(SB_LINEDOWN, 0, nullptr);
    m_day.OnVScroll(SB_LINEDOWN, 0, nullptr);
    ASSERT_EQ(18, m_day.GetScrollPosition());
    EXPECT_EQ(Date(2024, 5, 6, 11, 0), m_day.m_DragAppointments[0]->GetStart());
    EXPECT_EQ(Date(2024, 5, 6, 12, 0), m_day.m_DragAppointments[0]->GetFinish());
    // And back up, earlier again.
    m_day.OnVScroll(SB_THUMBPOSITION, 12, nullptr);
    EXPECT_EQ(Date(2024, 5, 6, 8, 0), m_day.m_DragAppointments[0]->GetStart());
    // A drag move right after at the same point places nothing new.
    EXPECT_EQ(DROPEFFECT_COPY, m_day.OnDragOver(data.Get(), MK_CONTROL, point));
    EXPECT_EQ(Date(2024, 5, 6, 8, 0), m_day.m_DragAppointments[0]->GetStart());

    m_day.ClearDragAppointments();
    m_planner.m_dragEffect = DROPEFFECT_NONE;
}

TEST_F(ViewInputTest, RepeatedMovesOfADraggedSeriesLeaveNoOccurrenceBehind)
{
    Make(kMonday, 5);
    CCountedDragAppointment::s_live = 0;
    {
        auto* master = new CCountedDragAppointment;
        CZUDPRecurrenceRuleWeekly rule;
        rule.SetDateStart(Date(2024, 4, 1));
        rule.SetTimeStart(COleDateTimeSpan(9.0 / 24));
        rule.SetTimeFinish(COleDateTimeSpan(10.0 / 24));
        rule.SetDays(CZUDPRecurrenceRuleWeekly::Monday | CZUDPRecurrenceRuleWeekly::Wednesday);
        rule.SetID(ZUDP_RECURRENCE_RULE_WEEKLY);
        auto* series = new CZUDPRecurrence;
        series->SetRule(&rule);
        master->SetRecurrence(series);
        master->SetRecurrenceID(9);
        CZUDPAppointmentArray apps;
        apps.Add(master);
        DraggedAppointments data(apps);
        delete master;
        ASSERT_EQ(0, CCountedDragAppointment::s_live);

        for (int hour = 8; hour < 14; ++hour) {
            m_day.OnDragOver(data.Get(), MK_CONTROL, PointAt(2, hour, 0));
            m_planner.m_dragEffect = DROPEFFECT_COPY;
        }
        EXPECT_GT(m_day.m_DragAppointments.GetSize(), 1) << "the series shows its occurrences";
        m_day.ClearDragAppointments();
        m_planner.m_dragEffect = DROPEFFECT_NONE;
    }
    EXPECT_EQ(0, CCountedDragAppointment::s_live);
}

TEST_F(ViewInputTest, AnIntervalEndingBeforeItsStartShowsTheStartDay)
{
    Make(kWednesday);
    m_day.SetDateInterval(kWednesday, kMonday);
    EXPECT_EQ(1, m_day.GetViewDuration());
    EXPECT_EQ(kWednesday, m_day.GetDateStart());
    EXPECT_EQ(OnWed(23, 59, 59), m_day.GetDateEnd());
    m_day.AdjustLayout(FALSE);
    EXPECT_EQ(1, m_day.GetDayRects().GetSize());
    EXPECT_EQ(OnWed(10, 0), m_day.GetDateFromPoint(PointAt(0, 10, 0)));
}
