// The per-day index of a layout must name exactly the days the views' day
// rule gives, in list order.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/PlannerDayIndex.h"
#include "ui/planner/ZUDPPlannerDates.h"

namespace {

struct Case {
    const char* name;
    COleDateTime start, finish;
    BOOL allDay;
};

} // namespace

TEST(PlannerDayIndexTest, EachDayHoldsExactlyTheAppointmentsTheDayRuleGivesInListOrder)
{
    using plannertest::Date;
    const COleDateTime invalid = [] {
        COleDateTime d;
        d.SetStatus(COleDateTime::invalid);
        return d;
    }();
    const Case cases[] = {
        {"inside one day", Date(2024, 5, 7, 9), Date(2024, 5, 7, 10), FALSE},
        {"22:00 to midnight: first day only", Date(2024, 5, 7, 22), Date(2024, 5, 8), FALSE},
        {"midnight to midnight the same day", Date(2024, 5, 8), Date(2024, 5, 8), FALSE},
        {"crossing midnight", Date(2024, 5, 8, 22), Date(2024, 5, 9, 2), FALSE},
        {"all day through its finish day", Date(2024, 5, 9), Date(2024, 5, 10), TRUE},
        {"from before the range", Date(2024, 4, 20, 8), Date(2024, 5, 7, 12), FALSE},
        {"past the range", Date(2024, 5, 11, 8), Date(2024, 6, 2), FALSE},
        {"all before the range", Date(2024, 5, 1), Date(2024, 5, 2), TRUE},
        {"all after the range", Date(2024, 5, 14), Date(2024, 5, 15), FALSE},
        {"before 1900", Date(1899, 12, 29, 10), Date(1899, 12, 29, 11), FALSE},
        {"invalid start", invalid, Date(2024, 5, 8, 11), FALSE},
        {"invalid finish", Date(2024, 5, 8, 10), invalid, FALSE},
        {"finish before start", Date(2024, 5, 9, 12), Date(2024, 5, 8, 12), FALSE},
    };
    std::vector<std::unique_ptr<CZUDPAppointment>> owned;
    CZUDPAppointmentArray first, second;
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        owned.emplace_back(new CZUDPAppointment);
        CZUDPAppointment* app = owned.back().get();
        app->SetInterval(cases[i].start, cases[i].finish);
        app->SetAllDay(cases[i].allDay);
        // Alternating lists, with a gap the index skips.
        (i % 2 == 0 ? first : second).Add(app);
        if (i == 3)
            first.Add(nullptr);
    }
    CZUDPAppointmentArray* lists[3] = {&first, nullptr, &second};
    const COleDateTime monday = Date(2024, 5, 6, 8, 30);   // a time of day is ignored
    const int days = 7;
    CPlannerDayIndex index;
    index.Build(monday, days, lists, 3);
    ASSERT_TRUE(index.IsBuilt());
    ASSERT_EQ(days, index.GetDays());

    for (int d = 0; d < days; ++d) {
        const COleDateTime date = Date(2024, 5, 6 + d, 15);
        ASSERT_EQ(d, index.DayOf(date)) << d;
        std::vector<CPlannerDayIndex::Entry> expected;
        for (int l = 0; l < 3; ++l) {
            if (lists[l] == nullptr)
                continue;
            for (INT_PTR i = 0; i < lists[l]->GetSize(); ++i) {
                CZUDPAppointment* app = lists[l]->GetAt(i);
                if (app != nullptr &&
                    PlannerDates::IsOnDate(app->GetStart(), app->GetFinish(), app->IsAllDay(), date))
                    expected.push_back({app, l});
            }
        }
        const auto& got = index.On(d);
        ASSERT_EQ(expected.size(), got.size()) << "day " << d;
        for (size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(expected[k].pApp, got[k].pApp) << "day " << d << " entry " << k;
            EXPECT_EQ(expected[k].list, got[k].list) << "day " << d << " entry " << k;
        }
    }
    EXPECT_EQ(-1, index.DayOf(Date(2024, 5, 5, 23, 59, 59)));
    EXPECT_EQ(-1, index.DayOf(Date(2024, 5, 13)));
    EXPECT_EQ(-1, index.DayOf(COleDateTime(0.0) - COleDateTimeSpan(400000.0)));

    index.Clear();
    EXPECT_FALSE(index.IsBuilt());
    EXPECT_EQ(-1, index.DayOf(Date(2024, 5, 7)));
    // No range, no index.
    index.Build(monday, 0, lists, 3);
    EXPECT_EQ(-1, index.DayOf(Date(2024, 5, 6)));
}
