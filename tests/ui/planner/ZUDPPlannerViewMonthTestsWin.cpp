// The month view in a planner control: its range, cells for each first day
// of the week and the compressed weekend, the week bar, placement along
// week rows, hit codes and drop effects, keys, caption texts and the
// control's clicks on day and week captions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/planner/PlannerViewTestSupportWin.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"

using namespace plannerviewtest;
using plannertest::Date;

namespace {

// The class-wide first day of the week, set for a test's scope.
class CMonthWeekStartSetter : public CZUDPPlannerManagerCtrl {
public:
    static void Set(int day) { s_nFirstDayOfWeek = day; }
};

// The month view with the texts it hands to its caption painting.
class CTestMonthView : public CZUDPPlannerViewMonth {
public:
    void DrawCaptionText(CDC* pDC, CRect rect, const CString& strText, COLORREF clrText, int nAlign,
                         BOOL bHighlight) override
    {
        texts.push_back(std::string(strText));
        CZUDPPlannerViewMonth::DrawCaptionText(pDC, rect, strText, clrText, nAlign, bHighlight);
    }
    std::vector<std::string> texts;
};

std::string DateText(const COleDateTime& date, LPCSTR format)
{
    CString text;
    CZUDPPlannerView::FormatDate(date, text, format);
    return std::string(text);
}

class MonthViewTest : public PlannerViewTest {
protected:
    MonthViewTest() : m_keys(g_frameworkSeams.keyState, [this](int key) -> SHORT {
                          return key == VK_SHIFT && m_shift ? SHORT(0x8000) : SHORT(0);
                      })
    {
        m_firstDay = CZUDPPlannerManagerCtrl::GetFirstDayOfWeek();
        CMonthWeekStartSetter::Set(1);
    }
    ~MonthViewTest() override
    {
        if (m_month.IsActive())
            m_month.OnDeactivate(&m_planner);
        m_planner.m_pCurrentView = nullptr;
        CMonthWeekStartSetter::Set(m_firstDay);
    }
    // A 701 x 501 control showing the month view of the date (the day view
    // hands over its date).
    void ShowMonth(const COleDateTime& date, int firstDay = 1, DWORD flags = 0, BOOL bCompress = TRUE)
    {
        CMonthWeekStartSetter::Set(firstDay);
        m_planner.m_bDrawFlagsFromManager = FALSE;
        m_planner.m_dwDrawFlags = flags;
        if (m_planner.GetSafeHwnd() == nullptr)
            Create(701, 501, date);
        else
            Show(date, 1);
        if (m_month.IsActive())
            m_month.OnDeactivate(&m_planner);
        m_day.OnDeactivate(&m_planner);
        m_month.m_bCompressWeekendForTest = bCompress;
        m_planner.m_pCurrentView = &m_month;
        m_month.OnActivate(&m_planner, &m_day);
    }
    CZUDPAppointment* AddToMonth(const COleDateTime& start, const COleDateTime& finish, const char* text = "",
                                 BOOL bAllDay = FALSE)
    {
        CZUDPAppointment* pApp = Add(start, finish, text, bAllDay, FALSE);
        m_month.QueryAppointments();
        m_month.AdjustLayout(FALSE);
        return pApp;
    }
    void Key(UINT key, bool shift = false)
    {
        m_shift = shift;
        EXPECT_TRUE(m_month.OnKeyDown(key, 1, 0));
        m_shift = false;
    }
    const CRect& DayRect(int i) { return m_month.GetDayRects()[i]; }

    struct CMonthUnderTest : CTestMonthView {
        BOOL m_bCompressWeekendForTest = TRUE;
        void OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView) override
        {
            m_bCompressWeekend = m_bCompressWeekendForTest;
            CTestMonthView::OnActivate(pPlanner, pOldView);
        }
    } m_month;
    bool m_shift = false;

private:
    int m_firstDay = 0;
    ScopedSeam<SHORT(int)> m_keys;
};

} // namespace

TEST_F(MonthViewTest, TheRangeIsWholeWeeksFromTwoToSix)
{
    CZUDPPlannerViewMonth fresh;
    EXPECT_EQ(35, fresh.GetDayCount());
    EXPECT_EQ(35, fresh.GetViewDuration());

    // Monday first; the current date, Wednesday 8 May 2024, opens on the
    // week of 1 May.
    ShowMonth(kWednesday);
    EXPECT_EQ(Date(2024, 4, 29), m_month.GetDateStart());
    EXPECT_EQ(Date(2024, 6, 2, 23, 59, 59), m_month.GetDateEnd());
    EXPECT_EQ(kWednesday, m_month.GetDate());

    struct Case {
        const char* name;
        COleDateTime start, end;
        int days;
        COleDateTime first;
    } cases[] = {
        {"ten days", Date(2024, 5, 8), Date(2024, 5, 18), 14, Date(2024, 5, 6)},
        {"fifty days", Date(2024, 5, 8), Date(2024, 6, 27), 42, Date(2024, 5, 6)},
        {"a week start and fourteen days", Date(2024, 5, 6), Date(2024, 5, 20), 14, Date(2024, 5, 6)},
        {"a day", Date(2024, 5, 8), Date(2024, 5, 9), 14, Date(2024, 5, 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_month.SetDateInterval(c.start, c.end);
        EXPECT_EQ(c.days, m_month.GetViewDuration());
        EXPECT_EQ(c.first, m_month.GetDateStart());
        EXPECT_EQ(c.days, m_month.GetDayRects().GetSize());
        EXPECT_TRUE(m_month.GetDateStart() <= m_month.GetDate() && m_month.GetDate() <= m_month.GetDateEnd());
    }
    // A date outside the range makes its week the first row.
    m_month.SetDate(Date(2024, 8, 15));
    EXPECT_EQ(Date(2024, 8, 12), m_month.GetDateStart());
    EXPECT_EQ(Date(2024, 8, 15), m_month.GetDate());
}

TEST_F(MonthViewTest, CellsFollowTheFirstDayAndTheCompressedWeekendStacksSaturdayAboveSunday)
{
    // Sunday first with the weekend compressed: weeks start on Monday,
    // six columns, Saturday the upper and Sunday the lower half of the
    // sixth; the header's sixth name is Saturday's and Sunday's.
    ShowMonth(kWednesday, 0);
    EXPECT_EQ(2, m_month.GetDateStart().GetDayOfWeek()) << "Monday";
    const CRect view = m_month.GetRect();
    const int w = RoundToInt(view.Width() / 6.0);
    const int h = RoundToInt(view.Height() / 5.0);
    EXPECT_EQ(CRect(view.left, view.top, view.left + w - 1, view.top + h - 1), DayRect(0));
    const CRect saturday = DayRect(5);
    const CRect sunday = DayRect(6);
    EXPECT_EQ(saturday.left, sunday.left);
    EXPECT_EQ(view.right, saturday.right) << "the last column takes the rest of the width";
    EXPECT_EQ(view.top, saturday.top);
    EXPECT_EQ(view.top + (h - 1) / 2, saturday.bottom);
    EXPECT_EQ(saturday.bottom + 1, sunday.top);
    EXPECT_EQ(view.top + h - 1, sunday.bottom);
    // The last row reaches the view's bottom.
    EXPECT_EQ(view.bottom, DayRect(34).bottom);

    trovtest::DibCanvas canvas(701, 501);
    m_month.texts.clear();
    Render(canvas);
    const std::string weekend = DateText(Date(2024, 5, 4), "ddd") + "/" + DateText(Date(2024, 5, 5), "ddd");
    ASSERT_GE(m_month.texts.size(), 6u);
    EXPECT_EQ(weekend, m_month.texts[35 + 5]) << "the header follows the 35 day captions";
    EXPECT_EQ(size_t(35 + 6), m_month.texts.size());

    // Without the compressed weekend seven columns from Sunday, each a
    // full cell, and their widths add up to the view's.
    ShowMonth(kWednesday, 0, 0, FALSE);
    EXPECT_EQ(1, m_month.GetDateStart().GetDayOfWeek()) << "Sunday";
    int covered = 0;
    for (int k = 0; k < 7; ++k) {
        covered += DayRect(k).Width() + (k < 6 ? 1 : 0);
        EXPECT_EQ(DayRect(0).top, DayRect(k).top);
        EXPECT_EQ(DayRect(0).bottom, DayRect(k).bottom);
    }
    EXPECT_EQ(view.Width(), covered);
}

TEST_F(MonthViewTest, TheWeekBarIsThereOnlyWithItsFlagAndBesideEachRowsAppointments)
{
    ShowMonth(kWednesday, 1);
    EXPECT_EQ(0, m_month.GetWeekBarWidth());
    EXPECT_EQ(0, m_month.GetWeekBarRects().GetSize());
    EXPECT_EQ(0, m_month.GetRect().left) << "the grid starts at the client's left edge";
    const int row = m_month.GetRowHeight();
    EXPECT_EQ(row, m_month.GetHeaderHeight());
    EXPECT_EQ(row, m_month.GetRect().top);

    ShowMonth(kWednesday, 1, ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR);
    EXPECT_EQ(row + 3, m_month.GetWeekBarWidth());
    EXPECT_EQ(row + 3, m_month.GetRect().left);
    ASSERT_EQ(5, m_month.GetWeekBarRects().GetSize());
    for (int r = 0; r < 5; ++r) {
        SCOPED_TRACE(r);
        const CRect& day = DayRect(7 * r);
        EXPECT_EQ(CRect(3, day.top + row - 1, row + 3, day.bottom + 1), m_month.GetWeekBarRects()[r]);
    }

    // Saturday first: every row starts with the stacked weekend, so the
    // cells take their height from the row's third day.
    ShowMonth(kWednesday, 6, ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR);
    EXPECT_EQ(7, m_month.GetDateStart().GetDayOfWeek()) << "Saturday";
    EXPECT_NE(DayRect(0).top, DayRect(1).top);
    for (int r = 0; r < 5; ++r) {
        SCOPED_TRACE(r);
        const CRect& day = DayRect(7 * r + 2);
        EXPECT_EQ(day.top + row - 1, m_month.GetWeekBarRects()[r].top);
        EXPECT_EQ(day.bottom + 1, m_month.GetWeekBarRects()[r].bottom);
    }
}

TEST_F(MonthViewTest, AViewWithoutRoomOrWithoutAValidRangePlacesNothing)
{
    ShowMonth(kWednesday, 1, ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR);
    CZUDPAppointment* pApp = AddToMonth(Date(2024, 5, 8, 9, 0), Date(2024, 5, 8, 10, 0), "meeting");
    EXPECT_TRUE(pApp->IsVisibleDraw(kWednesday));

    // No height: the cells are there, nothing fits into them.
    Resize(701, 0);
    m_month.AdjustLayout(FALSE);
    EXPECT_EQ(35, m_month.GetDayRects().GetSize());
    EXPECT_FALSE(pApp->IsVisibleDraw(kWednesday));

    // An invalid range has no whole week: no cells, no rows, nothing placed
    // and a paint that draws no day.
    Resize(701, 501);
    m_month.m_dtDateEnd.SetStatus(COleDateTime::invalid);
    m_month.AdjustLayout(FALSE);
    EXPECT_EQ(0, m_month.GetDayRects().GetSize());
    EXPECT_EQ(0, m_month.GetWeekBarRects().GetSize());
    EXPECT_EQ(0, m_month.GetDownIconRects().GetSize());
    trovtest::DibCanvas canvas(701, 501);
    m_month.texts.clear();
    EXPECT_NO_THROW(Render(canvas));
    EXPECT_TRUE(m_month.texts.empty());
}

TEST_F(MonthViewTest, AWeekBarPaintedAfterTheRangeGrewDrawsOnlyTheCellsItHas)
{
    ShowMonth(kWednesday, 1, ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR);
    ASSERT_EQ(5, m_month.GetWeekBarRects().GetSize());
    // Six weeks shown before the next layout.
    m_month.m_dtDateEnd += COleDateTimeSpan(7.0);
    trovtest::DibCanvas canvas(701, 501);
    EXPECT_NO_THROW(m_month.OnDrawWeekBar(CDC::FromHandle(canvas.Dc()), CRect(0, 0, m_month.GetWeekBarWidth(), 501)));
    EXPECT_NO_THROW(Render(canvas));
}

TEST_F(MonthViewTest, HitCodesAndDropEffects)
{
    ShowMonth(kWednesday, 1, ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR);
    const int row = m_month.GetRowHeight();
    const CRect day = DayRect(9);
    const CRect bar = m_month.GetWeekBarRects()[1];
    struct Case {
        const char* name;
        CPoint point;
        int code;
        DROPEFFECT move, copy;
    } cases[] = {
        {"day caption", CPoint(day.left + 5, day.top + row - 1), ZUDP_PLANNER_HIT_DAY_CAPTION, DROPEFFECT_MOVE,
         DROPEFFECT_COPY},
        {"day below its caption", CPoint(day.left + 5, day.top + row + 2), ZUDP_PLANNER_HIT_CLIENT,
         DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {"week caption", CPoint(bar.left + 2, bar.top + 2), ZUDP_PLANNER_HIT_WEEK_CAPTION, DROPEFFECT_MOVE,
         DROPEFFECT_COPY},
        {"week bar beside a caption", CPoint(bar.left + 2, DayRect(7).top + 1), ZUDP_PLANNER_HIT_WEEKBAR,
         DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {"header", CPoint(300, row / 2), ZUDP_PLANNER_HIT_HEADER, DROPEFFECT_NONE, DROPEFFECT_NONE},
        {"left of the week bar's top", CPoint(1, row / 2), ZUDP_PLANNER_HIT_WEEKBAR, DROPEFFECT_MOVE,
         DROPEFFECT_COPY},
        {"outside", CPoint(800, 100), ZUDP_PLANNER_HIT_NOWHERE, DROPEFFECT_NONE, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.code, m_month.HitTestArea(c.point));
        EXPECT_EQ(c.move, m_month.GetDropEffect(0, c.point));
        EXPECT_EQ(c.copy, m_month.GetDropEffect(MK_CONTROL, c.point));
    }
    EXPECT_EQ(1, m_month.GetWeekFromPoint(CPoint(bar.left + 2, bar.top + 2)));
    EXPECT_EQ(-1, m_month.GetWeekFromPoint(CPoint(300, bar.top + 2)));
    EXPECT_EQ(Date(2024, 5, 8), m_month.GetDateFromPoint(CPoint(day.left + 5, day.top + row + 2)));
}

TEST_F(MonthViewTest, KeysMoveTheSelectedDayAndScrollByWeeks)
{
    struct Case {
        const char* name;
        COleDateTime from;
        UINT key;
        COleDateTime to;
        int scroll;   // position afterwards (125: unchanged)
    } cases[] = {
        {"down on the last row scrolls a week", Date(2024, 5, 29), VK_DOWN, Date(2024, 6, 5), 126},
        {"up on the first row scrolls back", Date(2024, 5, 1), VK_UP, Date(2024, 4, 24), 124},
        {"right within the range", Date(2024, 5, 8), VK_RIGHT, Date(2024, 5, 9), 125},
        {"left from the first day", Date(2024, 4, 29), VK_LEFT, Date(2024, 4, 28), 124},
        {"Home to the week's Monday", Date(2024, 5, 9), VK_HOME, Date(2024, 5, 6), 125},
        {"End to the week's Sunday", Date(2024, 5, 9), VK_END, Date(2024, 5, 12), 125},
        {"Page Down five weeks later", Date(2024, 5, 8), VK_NEXT, Date(2024, 6, 12), 130},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowMonth(kWednesday);
        m_month.m_dtDate = c.from;
        m_month.SetSelection(c.from, c.from, FALSE);
        Key(c.key);
        EXPECT_EQ(c.to, m_month.GetDate());
        EXPECT_EQ(c.to, m_month.GetSelectionStart());
        EXPECT_EQ(c.to + COleDateTimeSpan(0, 23, 59, 59), m_month.GetSelectionEnd());
        EXPECT_EQ(c.scroll, m_month.GetScrollPosition());
        EXPECT_TRUE(m_month.GetDateStart() <= c.to && c.to <= m_month.GetDateEnd());
    }
    // Shift extends from the anchor: Home takes the week's start, End the
    // old selection end to the week's end.
    ShowMonth(kWednesday);
    m_month.m_dtDate = Date(2024, 5, 9);
    m_month.SetSelection(Date(2024, 5, 9), Date(2024, 5, 9), FALSE);
    Key(VK_HOME, true);
    EXPECT_EQ(Date(2024, 5, 6), m_month.GetDate());
    EXPECT_EQ(Date(2024, 5, 6), m_month.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 9, 23, 59, 59), m_month.GetSelectionEnd());
    m_month.SetSelection(Date(2024, 5, 7), Date(2024, 5, 8), FALSE);
    Key(VK_END, true);
    EXPECT_EQ(Date(2024, 5, 8), m_month.GetDate());
    EXPECT_EQ(Date(2024, 5, 8), m_month.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 12, 23, 59, 59), m_month.GetSelectionEnd());
    // Shift with an arrow extends without scrolling.
    m_month.SetSelection(Date(2024, 5, 8), Date(2024, 5, 8), FALSE);
    Key(VK_DOWN, true);
    EXPECT_EQ(Date(2024, 5, 8), m_month.GetSelectionStart());
    EXPECT_EQ(Date(2024, 5, 15, 23, 59, 59), m_month.GetSelectionEnd());
    EXPECT_FALSE(m_month.OnKeyDown('A', 1, 0));
}

TEST_F(MonthViewTest, LongAppointmentsKeepTheirLineAlongARowAndSearchAnewOnTheNext)
{
    ShowMonth(kWednesday);
    const int row = m_month.GetRowHeight();
    const int pitch = row + 2;
    // Two days on Friday and Saturday 3-4 May push the long bar from
    // Thursday 2 May (to Tuesday 7 May) to the second line; on the next
    // row it finds the first line free again.
    CZUDPAppointment* pShort = AddToMonth(Date(2024, 5, 2, 9, 0), Date(2024, 5, 2, 10, 0), "short");
    CZUDPAppointment* pFirst = AddToMonth(Date(2024, 5, 1), Date(2024, 5, 3), "first", TRUE);
    CZUDPAppointment* pLong = AddToMonth(Date(2024, 5, 2, 8, 0), Date(2024, 5, 7, 12, 0), "long");
    const int top = DayRect(2).top + row + 1;   // Wednesday 1 May
    EXPECT_EQ(top, pFirst->GetDrawRect(Date(2024, 5, 1)).top);
    EXPECT_EQ(top + pitch, pLong->GetDrawRect(Date(2024, 5, 2)).top);
    EXPECT_EQ(top + pitch, pLong->GetDrawRect(Date(2024, 5, 4)).top) << "the line is kept past the first bar";
    EXPECT_EQ(top + 2 * pitch, pShort->GetDrawRect(Date(2024, 5, 2)).top);
    const int nextRow = DayRect(7).top + row + 1;   // Monday 6 May
    EXPECT_EQ(nextRow, pLong->GetDrawRect(Date(2024, 5, 6)).top);
    EXPECT_EQ(nextRow, pLong->GetDrawRect(Date(2024, 5, 7)).top);
    // The bar is one part per row: a second part starts on Monday.
    EXPECT_EQ(CZUDPAppointmentDrawStruct::kStartEdge,
              pLong->GetDrawParts().Find(Date(2024, 5, 2))->GetBorder() & CZUDPAppointmentDrawStruct::kStartEdge);
    EXPECT_NE(pLong->GetDrawParts().Find(Date(2024, 5, 2)), pLong->GetDrawParts().Find(Date(2024, 5, 6)));
}

TEST_F(MonthViewTest, AShortAppointmentOverMidnightShowsOnBothDaysInPartsOfTheirOwn)
{
    ShowMonth(kWednesday, 1, 0, FALSE);
    CZUDPAppointment* pApp = AddToMonth(Date(2024, 5, 8, 23, 0), Date(2024, 5, 9, 1, 0), "late");
    const CZUDPAppointmentDrawStruct* pFirst = pApp->GetDrawParts().Find(Date(2024, 5, 8));
    const CZUDPAppointmentDrawStruct* pSecond = pApp->GetDrawParts().Find(Date(2024, 5, 9));
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_NE(pFirst, pSecond);
    const int row = m_month.GetRowHeight();
    EXPECT_EQ(CRect(DayRect(9).left + 1, DayRect(9).top + row + 1, DayRect(9).right - 1, DayRect(9).top + 2 * row + 1),
              pFirst->GetRect());
    EXPECT_EQ(CRect(DayRect(10).left + 1, DayRect(10).top + row + 1, DayRect(10).right - 1,
                    DayRect(10).top + 2 * row + 1),
              pSecond->GetRect());
    EXPECT_TRUE(pApp->IsVisibleDraw(Date(2024, 5, 8)));
    EXPECT_TRUE(pApp->IsVisibleDraw(Date(2024, 5, 9)));
}

TEST_F(MonthViewTest, HiddenLinesGiveTheDayADownIcon)
{
    ShowMonth(kWednesday);
    for (int i = 0; i < 12; ++i)
        AddToMonth(Date(2024, 5, 8, 8 + i, 0), Date(2024, 5, 8, 8 + i, 30));
    ASSERT_EQ(1, m_month.GetDownIconRects().GetSize());
    const CSize icon = m_planner.GetUpDownIconSize();
    const CRect day = DayRect(9);
    EXPECT_EQ(CRect(day.right - icon.cx, day.bottom - icon.cy, day.right, day.bottom), m_month.GetDownIconRects()[0]);
    EXPECT_EQ(ZUDP_PLANNER_HIT_ICON_DOWN, m_month.HitTest(CPoint(day.right - 1, day.bottom - 1)));
}

TEST_F(MonthViewTest, CaptionTextsTakeTheWidestFormatThatFits)
{
    ShowMonth(kWednesday);
    CDC* pDC = CDC::FromHandle(::GetDC(nullptr));
    CFont* pOld = pDC->SelectObject(m_month.GetFont(TRUE));
    const COleDateTime newYear = Date(2025, 1, 1);
    const COleDateTime first = Date(2024, 6, 1);
    auto width = [&](const std::string& text) { return int(pDC->GetTextExtent(CString(text.c_str())).cx); };
    const std::string longYear = DateText(newYear, "MMMM d yyyy");
    const std::string shortYear = DateText(newYear, "MMM d yy");
    const std::string shortNoYear = DateText(newYear, "MMM d");
    const std::string longJune = DateText(first, "MMMM d");
    const std::string shortJune = DateText(first, "MMM d");
    // Caption rectangles just wide enough (width - 4 = text width) or one
    // pixel too narrow for a format.
    auto room = [&](const std::string& text, int less) { return CRect(0, 0, width(text) + 4 - less, 20); };
    struct Case {
        const char* name;
        DWORD flags;
        COleDateTime date;
        BOOL monthName;
        CRect rect;
        std::string expected;
    } cases[] = {
        {"long: 1 January with its year", 0, newYear, TRUE, room(longYear, 0), longYear},
        {"long: short name and year when the long one does not fit", 0, newYear, TRUE, room(longYear, 1), shortYear},
        {"long: short form even when it does not fit", 0, newYear, TRUE, CRect(0, 0, 5, 20), shortYear},
        {"long: a 1st", 0, first, TRUE, room(longJune, 0), longJune},
        {"long: a 1st narrowed", 0, first, TRUE, room(longJune, 1), shortJune},
        {"short: 1 January with its year", ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT, newYear, TRUE,
         room(shortYear, 0), shortYear},
        {"short: 1 January without the year", ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT, newYear, TRUE,
         room(shortYear, 1), shortNoYear},
        {"short: 1 January as a number", ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT, newYear, TRUE,
         room(shortNoYear, 1), "1"},
        {"short: a 1st as a number", ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT, first, TRUE, room(shortJune, 1),
         "1"},
        {"a plain day is never measured", 0, Date(2024, 6, 17), FALSE, CRect(0, 0, 1, 20), "17"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_planner.m_dwDrawFlags = c.flags;
        EXPECT_EQ(c.expected, std::string(m_month.GetDayCaptionText(pDC, c.date, c.monthName, c.rect)));
    }
    // Day before month in the locale.
    std::map<DWORD, std::string> locale = TestLocale();
    locale[LOCALE_IDATE] = "1";
    plannertest::ScopedPlannerLocale dayFirst(locale);
    m_planner.m_dwDrawFlags = 0;
    const std::string dayMonth = DateText(first, "d MMMM");
    EXPECT_EQ(dayMonth, std::string(m_month.GetDayCaptionText(pDC, first, TRUE, room(dayMonth, 0))));
    pDC->SelectObject(pOld);
    ::ReleaseDC(nullptr, pDC->GetSafeHdc());

    // In the painted grid the first cell and every 1st carry the month
    // name (the grid's first cell without a year), the other days their
    // number.
    m_planner.m_dwDrawFlags = 0;
    m_month.AdjustLayout(FALSE);
    trovtest::DibCanvas canvas(701, 501);
    m_month.texts.clear();
    Render(canvas);
    ASSERT_GE(m_month.texts.size(), 35u);
    EXPECT_NE(std::string::npos, m_month.texts[0].find(DateText(Date(2024, 4, 29), "MMM")));
    EXPECT_EQ("30", m_month.texts[1]);
    EXPECT_NE(std::string::npos, m_month.texts[2].find(DateText(Date(2024, 5, 1), "MMM")));
    EXPECT_EQ("2", m_month.texts[3]);
}

TEST_F(MonthViewTest, TheControlShowsTheDayOfADayCaptionAndTheWeekOfAWeekCaption)
{
    ShowMonth(kWednesday, 1, ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR);
    // The control's own month view takes the place of the fixture's.
    m_month.OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = nullptr;
    m_planner.SetType(ZUDP_PLANNER_TYPE_MONTH, FALSE);
    m_planner.SetDate(kWednesday, FALSE);
    CZUDPPlannerView* pMonth = m_planner.GetCurrentView();
    ASSERT_TRUE(pMonth->IsKindOf(RUNTIME_CLASS(CZUDPPlannerViewMonth)));
    pMonth->AdjustLayout(FALSE);
    const int row = pMonth->GetRowHeight();
    const CRect friday = pMonth->GetDayRects()[11];
    const COleDateTime clicked = pMonth->GetDateStart() + COleDateTimeSpan(11.0);
    m_planner.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(friday.left + 4, friday.top + row / 2));
    m_planner.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(friday.left + 4, friday.top + row / 2));
    EXPECT_EQ(ZUDP_PLANNER_TYPE_DAY, m_planner.GetType());
    EXPECT_EQ(clicked, m_planner.GetCurrentView()->GetDateStart());
    EXPECT_EQ(clicked, m_planner.GetCurrentView()->GetDate());

    m_planner.SetType(ZUDP_PLANNER_TYPE_MONTH, FALSE);
    pMonth = m_planner.GetCurrentView();
    pMonth->AdjustLayout(FALSE);
    auto* pMonthView = static_cast<CZUDPPlannerViewMonth*>(pMonth);
    ASSERT_EQ(5, pMonthView->GetWeekBarRects().GetSize());
    const CRect week = pMonthView->GetWeekBarRects()[3];
    const COleDateTime weekStart = pMonth->GetDateStart() + COleDateTimeSpan(21.0);
    m_planner.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(week.left + 2, week.top + 2));
    m_planner.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(week.left + 2, week.top + 2));
    EXPECT_EQ(ZUDP_PLANNER_TYPE_WEEK, m_planner.GetType());
    EXPECT_EQ(weekStart, m_planner.GetCurrentView()->GetDateStart());
    EXPECT_EQ(weekStart + COleDateTimeSpan(6, 23, 59, 59), m_planner.GetCurrentView()->GetDateEnd());
    m_planner.GetCurrentView()->OnDeactivate(&m_planner);
    m_planner.m_pCurrentView = nullptr;
}

TEST_F(MonthViewTest, TheIconsOfHiddenAppointmentsAreTheControlsArrowsPixelForPixel)
{
    ShowMonth(kWednesday);
    const CSize size = m_planner.GetUpDownIconSize();
    ASSERT_GT(size.cx, 0);
    for (int index = 0; index < 2; ++index) {
        SCOPED_TRACE(index);
        // The arrow as an icon made from the control's image list ...
        trovtest::DibCanvas expected(40, 40);
        expected.Fill(RGB(12, 34, 56));
        HICON icon = m_planner.GetUpDownIcon(index);
        ASSERT_NE(nullptr, icon);
        ::DrawIconEx(expected.Dc(), 5, 7, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
        // ... and as the view paints its icons.
        trovtest::DibCanvas painted(40, 40);
        painted.Fill(RGB(12, 34, 56));
        m_month.m_UpRects.RemoveAll();
        m_month.m_DownRects.RemoveAll();
        (index == 0 ? m_month.m_UpRects : m_month.m_DownRects).Add(CRect(CPoint(5, 7), size));
        m_month.DrawUpDownIcons(CDC::FromHandle(painted.Dc()));
        ::GdiFlush();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(expected.Pixel(x, y), painted.Pixel(x, y)) << x << "," << y;
    }
}
