// Drawing records: the part maps, recording shown days into an
// appointment, the per-date accessors and the hit test.
#include <gtest/gtest.h>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentDrawStruct.h"

using namespace plannertest;

namespace {

// The rectangle of day i (Monday 6 May 2024 is day 0) in row r.
CRect DayRect(int day, int row = 0) { return CRect(day * 100, row * 20, day * 100 + 100, row * 20 + 20); }
COleDateTime Day(int day) { return Date(2024, 5, 6) + COleDateTimeSpan(double(day)); }

struct Piece {
    int firstDay;
    int lastDay;
    DWORD border;
};

void ExpectPieces(const CZUDPAppointmentDSMap& parts, const std::vector<Piece>& expected)
{
    ASSERT_EQ(INT_PTR(expected.size()), parts.GetCount());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "piece " << i);
        const auto& interval = parts.GetInterval(INT_PTR(i));
        EXPECT_EQ(Text(Day(expected[i].firstDay)), Text(interval.m_dtStart));
        EXPECT_EQ(Text(Day(expected[i].lastDay)), Text(interval.m_dtFinish));
        EXPECT_EQ(expected[i].border, interval.m_pDS->GetBorder());
        EXPECT_FALSE(interval.m_pDS->IsVisible());   // the view sets visibility
    }
}

} // namespace

TEST(AppointmentParts, PartMapJoinsConsecutiveDaysOfOneRow)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> days;   // (day, row) in recording order
        BOOL concatenate;
        std::vector<Piece> pieces;
    } cases[] = {
        { "Mon, Tue, Wed", { { 0, 0 }, { 1, 0 }, { 2, 0 } }, TRUE, { { 0, 2, 3 } } },
        { "Mon and Wed", { { 0, 0 }, { 2, 0 } }, TRUE, { { 0, 0, 1 }, { 2, 2, 2 } } },
        { "another row starts a piece", { { 0, 0 }, { 1, 1 } }, TRUE, { { 0, 0, 1 }, { 1, 1, 2 } } },
        { "concatenation off", { { 0, 0 }, { 1, 0 }, { 2, 0 } }, FALSE, { { 0, 0, 1 }, { 1, 1, 0 }, { 2, 2, 2 } } },
        { "a day recorded twice", { { 0, 0 }, { 0, 1 } }, TRUE, { { 0, 0, 1 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPAppointmentDSExMap parts;
        parts.SetConcatenate(c.concatenate);
        for (auto& d : c.days)
            parts.Add(Day(d.first), DayRect(d.first, d.second));
        ExpectPieces(parts, c.pieces);
    }

    CZUDPAppointmentDSExMap parts;
    for (int d = 0; d < 3; ++d)
        parts.Add(Day(d), DayRect(d));
    EXPECT_TRUE(parts.GetDrawStruct(0)->GetRect() == CRect(0, 0, 300, 20));
    // Find: within half a second of an end belongs to the piece.
    EXPECT_NE(nullptr, parts.Find(Seconds(Day(2), 0.4)));
    EXPECT_EQ(nullptr, parts.Find(Seconds(Day(2), 1.0)));
    EXPECT_NE(nullptr, parts.Find(Seconds(Day(0), -0.4)));
    EXPECT_EQ(nullptr, parts.Find(Invalid()));
    // Records are found by point only once visible.
    EXPECT_EQ(nullptr, parts.FindByPoint(CPoint(150, 10)));
    parts.GetDrawStruct(0)->SetVisible(TRUE);
    EXPECT_EQ(parts.GetDrawStruct(0), parts.FindByPoint(CPoint(150, 10)));
    EXPECT_NE(nullptr, dynamic_cast<CZUDPAppointmentDrawStructEx*>(parts.GetDrawStruct(0)));
}

struct RecordCase {
    const char* name;
    COleDateTime start;
    COleDateTime finish;
    std::vector<std::pair<int, int>> days;   // (day, row) recorded
    BOOL concatenate;
    std::vector<Piece> pieces;
};

TEST(AppointmentParts, RecordingShownDays)
{
    COleDateTime mon10 = Date(2024, 5, 6, 10, 0, 0);
    const RecordCase cases[] = {
        { "Mon-Wed in one row", mon10, Date(2024, 5, 8, 15, 0, 0), { { 0, 0 }, { 1, 0 }, { 2, 0 } }, TRUE, { { 0, 2, 3 } } },
        { "Tuesday not shown", mon10, Date(2024, 5, 9, 15, 0, 0), { { 0, 0 }, { 2, 0 } }, TRUE, { { 0, 0, 1 }, { 2, 2, 0 } } },
        { "a new row on Tuesday", mon10, Date(2024, 5, 8, 15, 0, 0), { { 0, 0 }, { 1, 1 }, { 2, 1 } }, TRUE,
          { { 0, 0, 1 }, { 1, 2, 2 } } },
        { "concatenation off", mon10, Date(2024, 5, 8, 15, 0, 0), { { 0, 0 }, { 1, 0 }, { 2, 0 } }, FALSE,
          { { 0, 0, 1 }, { 1, 1, 0 }, { 2, 2, 2 } } },
        // A midnight finish: Wednesday shows nothing; Mon-Tue stretches
        // over it and holds both edges.
        { "midnight finish, Mon Tue", mon10, Date(2024, 5, 8), { { 0, 0 }, { 1, 0 } }, TRUE, { { 0, 2, 3 } } },
        { "midnight finish, Mon Tue Wed", mon10, Date(2024, 5, 8), { { 0, 0 }, { 1, 0 }, { 2, 0 } }, TRUE, { { 0, 2, 3 } } },
        { "midnight finish day alone", mon10, Date(2024, 5, 8), { { 2, 0 } }, TRUE, { { 2, 2, 2 } } },
        // The finish day without the day before it in the layout: recorded
        // like any other day.
        { "midnight finish without the day before", mon10, Date(2024, 5, 8), { { 0, 0 }, { 2, 0 } }, TRUE,
          { { 0, 0, 1 }, { 2, 2, 2 } } },
        { "all-day ends at midnight of its last day", Date(2024, 5, 6), Date(2024, 5, 7), { { 0, 0 }, { 1, 0 } }, TRUE,
          { { 0, 1, 3 } } },
        { "range starting after the start", mon10, Date(2024, 5, 8, 15, 0, 0), { { 1, 0 }, { 2, 0 } }, TRUE, { { 1, 2, 2 } } },
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        CZUDPAppointment app;
        app.SetInterval(c.start, c.finish);
        if (std::string(c.name).find("all-day") != std::string::npos)
            app.SetAllDay(TRUE);
        app.ResetDraw();
        app.GetDrawParts().SetConcatenate(c.concatenate);
        for (auto& d : c.days)
            app.SetDrawRect(DayRect(d.first, d.second), Day(d.first));
        ExpectPieces(app.GetDrawParts(), c.pieces);
        EXPECT_TRUE(app.GetDrawRect(COleDateTime(0.0)).IsRectEmpty());
    }
}

TEST(AppointmentParts, OneDayAppointmentsAndTheZeroDateUseTheOnePieceValues)
{
    CZUDPAppointment app;
    app.SetInterval(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0));
    app.SetDrawRect(DayRect(0), Day(0));
    app.SetDrawRect(DayRect(1), Day(1));
    EXPECT_EQ(0, app.GetDrawParts().GetCount());
    EXPECT_TRUE(app.GetDrawRect(Day(3)) == DayRect(1));
    app.SetPrintRect(DayRect(2), Day(2));
    EXPECT_EQ(0, app.GetPrintParts().GetCount());
    EXPECT_TRUE(app.GetPrintRect(COleDateTime(0.0)) == DayRect(2));

    CZUDPAppointment longOne;
    longOne.SetInterval(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 8, 10, 0, 0));
    longOne.SetDrawRect(DayRect(5), COleDateTime(0.0));
    EXPECT_EQ(0, longOne.GetDrawParts().GetCount());
    longOne.SetDrawRect(DayRect(0), Day(0));
    longOne.SetDrawRect(DayRect(1, 1), Day(1));
    // Per date: the part's values; the one-piece ones for the zero date
    // and for a date no part holds.
    EXPECT_TRUE(longOne.GetDrawRect(Day(1)) == DayRect(1, 1));
    EXPECT_TRUE(longOne.GetDrawRect(COleDateTime(0.0)) == DayRect(5));
    EXPECT_TRUE(longOne.GetDrawRect(Day(4)) == DayRect(5));
    longOne.SetVisibleDraw(TRUE, Day(1));
    EXPECT_TRUE(longOne.IsVisibleDraw(Day(1)));
    EXPECT_FALSE(longOne.IsVisibleDraw(Day(0)));
    EXPECT_TRUE(longOne.IsPointInDraw(CPoint(150, 30)));
    EXPECT_FALSE(longOne.IsPointInDraw(CPoint(50, 10)));
    auto* part = static_cast<CZUDPAppointmentDrawStructEx*>(longOne.GetDrawParts().GetDrawStruct(1));
    part->SetEditRect(CRect(110, 20, 190, 40));
    part->SetTextRect(CRect(120, 20, 190, 40));
    longOne.UpdateEditRect(CPoint(150, 30));
    EXPECT_TRUE(longOne.GetEditRect(COleDateTime(0.0)) == CRect(110, 20, 190, 40));
    EXPECT_TRUE(longOne.IsPointInText(CPoint(150, 30)));
    EXPECT_FALSE(longOne.IsPointInText(CPoint(115, 30)));
    // A reset empties everything and turns concatenation back on.
    longOne.GetDrawParts().SetConcatenate(FALSE);
    longOne.ResetDraw();
    EXPECT_EQ(0, longOne.GetDrawParts().GetCount());
    EXPECT_TRUE(longOne.GetDrawParts().IsConcatenate());
    EXPECT_FALSE(longOne.IsVisibleDraw(COleDateTime(0.0)));
}

struct HitCase {
    const char* name;
    CPoint point;
    int expected;
};

TEST(AppointmentParts, HitTestOfOnePieceAppointments)
{
    CZUDPAppointment timed;
    timed.SetInterval(Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0));
    timed.SetDrawRect(CRect(0, 0, 100, 40), COleDateTime(0.0));
    timed.SetTextRect(CRect(10, 0, 100, 40));
    CZUDPAppointment allDay;
    allDay.SetAllDay(TRUE);
    allDay.SetInterval(Date(2024, 5, 6), Date(2024, 5, 6));
    allDay.SetDrawRect(CRect(0, 0, 300, 20), COleDateTime(0.0));
    allDay.SetEditRect(CRect(10, 0, 300, 20));
    allDay.SetTextRect(CRect(20, 0, 300, 20));
    const HitCase timedCases[] = {
        { "top zone", CPoint(50, 0), 3 }, { "top zone's last row", CPoint(50, 4), 3 },
        { "below the top zone", CPoint(50, 5), 1 }, { "bottom zone", CPoint(50, 36), 4 },
        { "the strip before the text", CPoint(5, 20), 2 }, { "inside", CPoint(50, 20), 1 },
        { "outside", CPoint(150, 20), 0 }, { "below (half-open)", CPoint(50, 40), 0 },
    };
    for (const HitCase& c : timedCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, timed.HitTest(c.point));
    }
    const HitCase allDayCases[] = {
        { "left edge from the edit rectangle", CPoint(12, 10), 5 }, { "right edge", CPoint(297, 10), 6 },
        { "strip before the edit rectangle", CPoint(5, 10), 2 }, { "inside", CPoint(150, 10), 1 },
        { "top is no edge", CPoint(150, 0), 1 },
    };
    for (const HitCase& c : allDayCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, allDay.HitTest(c.point));
    }
    timed.SetVisibleDraw(FALSE, COleDateTime(0.0));
    EXPECT_EQ(0, timed.HitTest(CPoint(50, 20)));
}

TEST(AppointmentParts, HitTestOfPartedAppointments)
{
    // 22:00 to 02:00: a timed appointment shown on two days.
    CZUDPAppointment night;
    night.SetInterval(Date(2024, 5, 6, 22, 0, 0), Date(2024, 5, 7, 2, 0, 0));
    night.SetDrawRect(CRect(0, 400, 100, 480), Day(0));
    night.SetDrawRect(CRect(100, 0, 200, 40), Day(1));
    ASSERT_EQ(2, night.GetDrawParts().GetCount());
    EXPECT_EQ(0, night.HitTest(CPoint(50, 440)));   // parts not visible yet
    night.SetVisibleDraw(TRUE, Day(0));
    night.SetVisibleDraw(TRUE, Day(1));
    const HitCase nightCases[] = {
        { "start edge on the first day", CPoint(50, 402), 3 },
        { "no finish edge on the first day", CPoint(50, 478), 1 },
        { "no start edge on the second day", CPoint(150, 2), 1 },
        { "finish edge on the second day", CPoint(150, 38), 4 },
    };
    for (const HitCase& c : nightCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, night.HitTest(c.point));
    }
    // A part holding both edges and too low for two zones: the bottom wins.
    CZUDPAppointment low;
    low.SetInterval(Date(2024, 5, 6, 22, 0, 0), Date(2024, 5, 7, 2, 0, 0));
    low.SetDrawRect(CRect(0, 0, 100, 6), Day(0));
    low.GetDrawParts().GetDrawStruct(0)->SetBorder(3);
    low.SetVisibleDraw(TRUE, Day(0));
    EXPECT_EQ(4, low.HitTest(CPoint(50, 3)));

    // A long appointment over two rows.
    CZUDPAppointment span;
    span.SetInterval(Date(2024, 5, 6, 10, 0, 0), Date(2024, 5, 8, 15, 0, 0));
    span.SetDrawRect(DayRect(0), Day(0));
    span.SetDrawRect(DayRect(1), Day(1));
    span.SetDrawRect(DayRect(2, 1), Day(2));
    ASSERT_EQ(2, span.GetDrawParts().GetCount());
    for (int i = 0; i < 2; ++i) {
        auto* part = static_cast<CZUDPAppointmentDrawStructEx*>(span.GetDrawParts().GetDrawStruct(i));
        part->SetVisible(TRUE);
        part->SetEditRect(CRect(part->GetRect().left + 8, part->GetRect().top, part->GetRect().right, part->GetRect().bottom));
        part->SetTextRect(CRect(part->GetRect().left + 16, part->GetRect().top, part->GetRect().right, part->GetRect().bottom));
    }
    const HitCase spanCases[] = {
        { "left edge of the first part", CPoint(10, 10), 5 },
        { "no finish edge on the first part", CPoint(198, 10), 1 },
        { "no start edge on the second part", CPoint(210, 30), 2 },
        { "right edge of the second part", CPoint(298, 30), 6 },
        { "strip of the first part", CPoint(4, 10), 2 },
        { "between the parts' rows", CPoint(50, 30), 0 },
    };
    for (const HitCase& c : spanCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, span.HitTest(c.point));
    }
    // Both edges within reach: the right edge wins.
    CZUDPAppointment narrow;
    narrow.SetInterval(Date(2024, 5, 6, 10, 0, 0), Date(2024, 5, 8, 15, 0, 0));
    narrow.SetDrawRect(CRect(0, 0, 6, 20), Day(0));
    auto* part = static_cast<CZUDPAppointmentDrawStructEx*>(narrow.GetDrawParts().GetDrawStruct(0));
    part->SetBorder(3);
    part->SetVisible(TRUE);
    EXPECT_EQ(6, narrow.HitTest(CPoint(3, 10)));

    CRect track(0, 0, 100, 40);
    span.AdjustTrackRect(track, TRUE);
    EXPECT_TRUE(track == CRect(4, 0, 96, 40));
    track = CRect(0, 0, 100, 40);
    night.AdjustTrackRect(track, TRUE);
    EXPECT_TRUE(track == CRect(0, 4, 100, 36));
    track = CRect(0, 0, 100, 40);
    night.AdjustTrackRect(track, FALSE);
    EXPECT_TRUE(track == CRect(0, 0, 100, 40));
}
