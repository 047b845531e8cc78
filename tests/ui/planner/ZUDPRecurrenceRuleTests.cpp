// Recurrence rules: occurrence dates of each rule kind, the first-date
// correction, parameters out of range, and the direct jump against the
// step-by-step walk.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

using namespace plannertest;

namespace {

std::string DayText(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return date.GetStatus() == COleDateTime::null ? "null" : "invalid";
    return std::string(static_cast<LPCSTR>(date.Format("%Y-%m-%d")));
}

// The occurrence dates from the first date on, until the series ends (at
// most limit of them).
std::vector<std::string> Occurrences(const CZUDPRecurrenceBaseRule& rule, size_t limit = 12)
{
    std::vector<std::string> dates;
    COleDateTime date = rule.GetDateStart();
    while (date.GetStatus() == COleDateTime::valid && !(date == COleDateTime(0.0)) && dates.size() < limit) {
        dates.push_back(DayText(date));
        date = rule.GetNextOccurrence(date);
    }
    return dates;
}

template <class Rule>
struct RuleCase {
    const char* name;
    std::function<void(Rule&)> setup;
    std::vector<std::string> expected;
};

template <class Rule>
void Check(const std::vector<RuleCase<Rule>>& cases, size_t limit = 12)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rule rule;
        c.setup(rule);
        EXPECT_EQ(c.expected, Occurrences(rule, limit));
    }
}

void EndAfter(CZUDPRecurrenceBaseRule& rule, int count)
{
    rule.SetEndKind(ZUDP_RECURRENCE_END_AFTER_COUNT);
    rule.SetOccurrenceCount(count);
}

void EndOn(CZUDPRecurrenceBaseRule& rule, const COleDateTime& date)
{
    rule.SetEndKind(ZUDP_RECURRENCE_END_BY_DATE);
    rule.SetDateEnd(date);
}

// A rule whose next date does not advance.
class CStuckRule : public CZUDPRecurrenceBaseRule {
public:
    COleDateTime GetNextOccurrence(const COleDateTime& date) const override { return date; }
};

} // namespace

TEST(RecurrenceRules, Daily)
{
    Check<CZUDPRecurrenceRuleDaily>({
        { "every 2 days, 3 times", [](auto& r) { r.SetDateStart(Date(2024, 1, 1)); r.SetDayInterval(2); EndAfter(r, 3); },
          { "2024-01-01", "2024-01-03", "2024-01-05" } },
        { "workdays from a Wednesday, 3 times",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 3)); r.SetDayKind(1); EndAfter(r, 3); },
          { "2024-01-03", "2024-01-04", "2024-01-05" } },
        { "workdays skip the weekend",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 4)); r.SetDayKind(1); EndAfter(r, 4); },
          { "2024-01-04", "2024-01-05", "2024-01-08", "2024-01-09" } },
        { "the end date is inclusive",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 1)); r.SetDayInterval(2); EndOn(r, Date(2024, 1, 5)); },
          { "2024-01-01", "2024-01-03", "2024-01-05" } },
        { "across the year", [](auto& r) { r.SetDateStart(Date(2023, 12, 30)); r.SetDayInterval(1); EndAfter(r, 4); },
          { "2023-12-30", "2023-12-31", "2024-01-01", "2024-01-02" } },
    });
}

TEST(RecurrenceRules, Weekly)
{
    Check<CZUDPRecurrenceRuleWeekly>({
        { "Monday and Wednesday, 3 times",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 1)); r.SetDays(0x01 | 0x04); EndAfter(r, 3); },
          { "2024-01-01", "2024-01-03", "2024-01-08" } },
        { "Monday and Wednesday, 4 times",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 1)); r.SetDays(0x01 | 0x04); EndAfter(r, 4); },
          { "2024-01-01", "2024-01-03", "2024-01-08", "2024-01-10" } },
        { "every second week",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 1)); r.SetDays(0x01 | 0x04); r.SetWeekInterval(2); },
          { "2024-01-01", "2024-01-03", "2024-01-15", "2024-01-17", "2024-01-29" } },
        { "weekends", [](auto& r) { r.SetDateStart(Date(2024, 1, 6)); r.SetDays(0x20 | 0x40); EndOn(r, Date(2024, 1, 14)); },
          { "2024-01-06", "2024-01-07", "2024-01-13", "2024-01-14" } },
        { "Sunday across the year", [](auto& r) { r.SetDateStart(Date(2023, 12, 24)); r.SetDays(0x40); EndAfter(r, 3); },
          { "2023-12-24", "2023-12-31", "2024-01-07" } },
    }, 5);

    CZUDPRecurrenceRuleWeekly rule;
    rule.SetDays(0x01 | 0x04);
    rule.SetDateStart(Date(2024, 1, 2));   // a Tuesday
    rule.CorrectStart();
    EXPECT_EQ("2024-01-08", DayText(rule.GetDateStart()));   // the following Monday, not the Wednesday
    EXPECT_EQ(0x01u, rule.GetFirstDay());
    EXPECT_EQ(0x04u, rule.GetLastDay());
    EXPECT_EQ(2, rule.GetDayCount());
}

TEST(RecurrenceRules, Monthly)
{
    auto dayRule = [](COleDateTime first, int day, int interval) {
        return [=](CZUDPRecurrenceRuleMonthly& r) {
            r.SetDateStart(first);
            r.SetDay(day);
            r.SetDayInterval(interval);
        };
    };
    Check<CZUDPRecurrenceRuleMonthly>({
        { "day 31 in 2023", dayRule(Date(2023, 1, 31), 31, 1),
          { "2023-01-31", "2023-02-28", "2023-03-31", "2023-04-30", "2023-05-31" } },
        { "day 31 in 2024", dayRule(Date(2024, 1, 31), 31, 1), { "2024-01-31", "2024-02-29", "2024-03-31", "2024-04-30", "2024-05-31" } },
        { "day 29", dayRule(Date(2023, 1, 29), 29, 1), { "2023-01-29", "2023-02-28", "2023-03-29", "2023-04-29", "2023-05-29" } },
        { "day 30 in a leap year", dayRule(Date(2024, 1, 30), 30, 1),
          { "2024-01-30", "2024-02-29", "2024-03-30", "2024-04-30", "2024-05-30" } },
        { "every 5 months across December", dayRule(Date(2023, 10, 15), 15, 5),
          { "2023-10-15", "2024-03-15", "2024-08-15", "2025-01-15", "2025-06-15" } },
        { "every 2 months, 3 times",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 10)); r.SetDay(10); r.SetDayInterval(2); EndAfter(r, 3); },
          { "2024-01-10", "2024-03-10", "2024-05-10" } },
        // Counted like day numbers: "end after 3" ends.
        { "fourth Friday, 3 times",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 26)); r.SetDayKind(1); r.SetNth(3); r.SetNthDayKind(7); EndAfter(r, 3); },
          { "2024-01-26", "2024-02-23", "2024-03-22" } },
        { "fourth Friday until a date",
          [](auto& r) { r.SetDateStart(Date(2024, 1, 26)); r.SetDayKind(1); r.SetNth(3); r.SetNthDayKind(7); EndOn(r, Date(2024, 3, 22)); },
          { "2024-01-26", "2024-02-23", "2024-03-22" } },
        { "last day", [](auto& r) { r.SetDateStart(Date(2024, 1, 31)); r.SetDayKind(1); r.SetNth(4); r.SetNthDayKind(0); },
          { "2024-01-31", "2024-02-29", "2024-03-31", "2024-04-30", "2024-05-31" } },
    }, 5);
}

TEST(RecurrenceRules, NthDaysOfEveryKind)
{
    // June 2024 starts on a Saturday and ends on a Sunday; September 2024
    // starts on a Sunday; March 2024 on a Friday.
    struct Case {
        int month, year, dayKind, nth, expected;
    } cases[] = {
        { 6, 2024, 0, 0, 1 }, { 6, 2024, 0, 2, 3 }, { 6, 2024, 0, 4, 32 },
        { 6, 2024, 1, 0, 3 }, { 6, 2024, 1, 1, 4 }, { 6, 2024, 1, 3, 6 }, { 6, 2024, 1, 4, 28 },
        { 6, 2024, 2, 0, 1 }, { 6, 2024, 2, 1, 2 }, { 6, 2024, 2, 2, 8 }, { 6, 2024, 2, 3, 9 }, { 6, 2024, 2, 4, 30 },
        { 6, 2024, 3, 0, 3 }, { 6, 2024, 3, 1, 10 }, { 6, 2024, 3, 4, 24 },
        { 6, 2024, 4, 0, 4 }, { 6, 2024, 4, 4, 25 }, { 6, 2024, 5, 0, 5 }, { 6, 2024, 5, 4, 26 },
        { 6, 2024, 6, 0, 6 }, { 6, 2024, 6, 4, 27 }, { 6, 2024, 7, 0, 7 }, { 6, 2024, 7, 4, 28 },
        { 6, 2024, 8, 0, 1 }, { 6, 2024, 8, 4, 29 }, { 6, 2024, 9, 0, 2 }, { 6, 2024, 9, 4, 30 },
        { 9, 2024, 1, 0, 2 }, { 9, 2024, 1, 3, 5 }, { 9, 2024, 1, 4, 30 },
        { 9, 2024, 2, 0, 1 }, { 9, 2024, 2, 1, 7 }, { 9, 2024, 2, 2, 8 }, { 9, 2024, 2, 3, 14 }, { 9, 2024, 2, 4, 29 },
        { 9, 2024, 3, 0, 2 }, { 9, 2024, 3, 4, 30 }, { 9, 2024, 4, 0, 3 }, { 9, 2024, 4, 4, 24 },
        { 9, 2024, 5, 0, 4 }, { 9, 2024, 5, 4, 25 }, { 9, 2024, 6, 0, 5 }, { 9, 2024, 6, 4, 26 },
        { 9, 2024, 7, 0, 6 }, { 9, 2024, 7, 4, 27 }, { 9, 2024, 8, 0, 7 }, { 9, 2024, 8, 4, 28 },
        { 9, 2024, 9, 0, 1 }, { 9, 2024, 9, 3, 22 }, { 9, 2024, 9, 4, 29 },
        { 3, 2024, 1, 0, 1 }, { 3, 2024, 1, 1, 4 }, { 3, 2024, 1, 3, 6 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " kind " << c.dayKind << " nth " << c.nth);
        CZUDPRecurrenceRuleMonthly monthly;
        ASSERT_TRUE(monthly.SetDayKind(1));
        ASSERT_TRUE(monthly.SetNth(c.nth));
        ASSERT_TRUE(monthly.SetNthDayKind(c.dayKind));
        EXPECT_EQ(c.expected, monthly.GetDayInMonth(c.month, c.year));
        CZUDPRecurrenceRuleYearly yearly;
        yearly.SetDayKind(1);
        yearly.SetNth(c.nth);
        yearly.SetNthDayKind(c.dayKind);
        yearly.SetNthMonth(c.month);
        EXPECT_EQ(c.expected, yearly.GetDayInYear(c.year));
    }
}

TEST(RecurrenceRules, Yearly)
{
    Check<CZUDPRecurrenceRuleYearly>({
        { "29 February", [](auto& r) { r.SetDateStart(Date(2023, 1, 1)); r.SetMonth(2); r.SetDay(29); r.CorrectStart(); },
          { "2023-02-28", "2024-02-29", "2025-02-28", "2026-02-28", "2027-02-28", "2028-02-29", "2029-02-28" } },
        { "last Friday of November, 3 times",
          [](auto& r) {
              r.SetDateStart(Date(2024, 11, 29));
              r.SetDayKind(1);
              r.SetNth(4);
              r.SetNthDayKind(7);
              r.SetNthMonth(11);
              EndAfter(r, 3);
          },
          { "2024-11-29", "2025-11-28", "2026-11-27" } },
        { "3 times", [](auto& r) { r.SetDateStart(Date(2024, 12, 31)); r.SetMonth(12); r.SetDay(31); EndAfter(r, 3); },
          { "2024-12-31", "2025-12-31", "2026-12-31" } },
        { "until an end date", [](auto& r) { r.SetDateStart(Date(2024, 5, 1)); r.SetMonth(5); r.SetDay(1); EndOn(r, Date(2026, 5, 1)); },
          { "2024-05-01", "2025-05-01", "2026-05-01" } },
    }, 7);
}

TEST(RecurrenceRules, FirstDateCorrection)
{
    struct Case {
        const char* name;
        std::function<CZUDPRecurrenceBaseRule*()> make;
        COleDateTime first;
        const char* expected;
    } cases[] = {
        { "workdays from a Saturday", [] { auto* r = new CZUDPRecurrenceRuleDaily; r->SetDayKind(1); return r; },
          Date(2024, 1, 6), "2024-01-08" },
        { "workdays from a Sunday", [] { auto* r = new CZUDPRecurrenceRuleDaily; r->SetDayKind(1); return r; },
          Date(2024, 1, 7), "2024-01-08" },
        { "every day from a Sunday", [] { return new CZUDPRecurrenceRuleDaily; }, Date(2024, 1, 7), "2024-01-07" },
        { "weekly Friday from a Saturday", [] { auto* r = new CZUDPRecurrenceRuleWeekly; r->SetDays(0x10); return r; },
          Date(2024, 1, 6), "2024-01-12" },
        { "monthly day 10 after the 10th", [] { auto* r = new CZUDPRecurrenceRuleMonthly; r->SetDay(10); return r; },
          Date(2024, 1, 15), "2024-02-10" },
        { "monthly day 31 in February", [] { auto* r = new CZUDPRecurrenceRuleMonthly; r->SetDay(31); return r; },
          Date(2024, 2, 5), "2024-02-29" },
        { "monthly across December", [] { auto* r = new CZUDPRecurrenceRuleMonthly; r->SetDay(5); return r; },
          Date(2024, 12, 20), "2025-01-05" },
        { "yearly date already past", [] { auto* r = new CZUDPRecurrenceRuleYearly; r->SetMonth(2); r->SetDay(10); return r; },
          Date(2024, 3, 1), "2025-02-10" },
        { "the first date is midnight", [] { return new CZUDPRecurrenceRuleDaily; }, Date(2024, 1, 7, 15, 30, 0),
          "2024-01-07" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CZUDPRecurrenceBaseRule> rule(c.make());
        rule->SetDateStart(c.first);
        rule->CorrectStart();
        EXPECT_EQ(c.expected, DayText(rule->GetDateStart()));
        EXPECT_EQ(0.0, rule->GetDateStart().m_dt - double(LONGLONG(rule->GetDateStart().m_dt)));
    }
}

TEST(RecurrenceRules, ParametersOutOfRangeAreRefusedOrEndTheSeries)
{
    CZUDPRecurrenceRuleDaily daily;
    EXPECT_FALSE(daily.SetDayInterval(0));
    EXPECT_FALSE(daily.SetDayInterval(-3));
    EXPECT_EQ(1, daily.GetDayInterval());
    EXPECT_FALSE(daily.SetDayKind(2));
    CZUDPRecurrenceRuleWeekly weekly;
    EXPECT_FALSE(weekly.SetWeekInterval(0));
    // Only bits 0-6 count; a mask without any of them changes nothing.
    weekly.SetDays(0x80);
    EXPECT_EQ(0x01u, weekly.GetDays());
    EXPECT_EQ(1, weekly.GetDayCount());
    weekly.SetDays(0x84);
    EXPECT_EQ(0x04u, weekly.GetDays());
    CZUDPRecurrenceRuleMonthly monthly;
    EXPECT_FALSE(monthly.SetDayInterval(0));
    EXPECT_FALSE(monthly.SetNthInterval(-1));
    EXPECT_FALSE(monthly.SetNth(5));
    EXPECT_FALSE(monthly.SetNthDayKind(10));
    EXPECT_FALSE(monthly.SetDay(32));
    CZUDPRecurrenceRuleYearly yearly;
    EXPECT_FALSE(yearly.SetMonth(13));
    EXPECT_FALSE(yearly.SetNthMonth(0));
    EXPECT_EQ(1, yearly.GetMonth());

    // Values out of range that arrive otherwise (properties, archives) end
    // the series after its first date: no walk that never advances, no
    // month table read out of bounds, no division by zero.
    auto withProperty = [](CZUDPRecurrenceBaseRule& rule, DWORD id, int value) {
        CZUDPAppointmentPropertyList props;
        rule.GetProperties(props);
        delete props[id];
        props[id] = new CZUDPAppointmentProperty(value);
        rule.SetProperties(props);
    };
    struct Case {
        const char* name;
        std::function<CZUDPRecurrenceBaseRule*()> make;
        DWORD id;
        int value;
    } cases[] = {
        { "daily interval 0", [] { return new CZUDPRecurrenceRuleDaily; }, 107, 0 },
        { "daily interval -1", [] { return new CZUDPRecurrenceRuleDaily; }, 107, -1 },
        { "weekly interval 0", [] { return new CZUDPRecurrenceRuleWeekly; }, 106, 0 },
        { "monthly interval 0, count end", [] { auto* r = new CZUDPRecurrenceRuleMonthly; EndAfter(*r, 5); return r; }, 108, 0 },
        { "monthly nth interval -2", [] { auto* r = new CZUDPRecurrenceRuleMonthly; r->SetDayKind(1); return r; }, 111, -2 },
        { "monthly nth 7", [] { auto* r = new CZUDPRecurrenceRuleMonthly; r->SetDayKind(1); return r; }, 109, 7 },
        { "monthly day kind 12", [] { auto* r = new CZUDPRecurrenceRuleMonthly; r->SetDayKind(1); return r; }, 110, 12 },
        { "yearly month 13", [] { return new CZUDPRecurrenceRuleYearly; }, 107, 13 },
        { "yearly month 0", [] { auto* r = new CZUDPRecurrenceRuleYearly; r->SetDayKind(1); return r; }, 111, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CZUDPRecurrenceBaseRule> rule(c.make());
        rule->SetDateStart(Date(2024, 1, 1));
        withProperty(*rule, c.id, c.value);
        rule->CorrectStart();
        EXPECT_EQ(std::vector<std::string>{ "2024-01-01" }, Occurrences(*rule));
        EXPECT_TRUE(rule->GetFirstOccurrence(Date(2024, 6, 1)) == COleDateTime(0.0));
    }

    // Huge intervals and counts: month arithmetic and 64-bit ends.
    CZUDPRecurrenceRuleMonthly farMonths;
    farMonths.SetDateStart(Date(2024, 1, 1));
    farMonths.SetDayInterval(INT_MAX);
    EndAfter(farMonths, INT_MAX);
    EXPECT_EQ(std::vector<std::string>{ "2024-01-01" }, Occurrences(farMonths));
    CZUDPRecurrenceRuleDaily farDays;
    farDays.SetDateStart(Date(2024, 1, 1));
    farDays.SetDayInterval(100000);
    EndAfter(farDays, INT_MAX);
    EXPECT_EQ(3u, Occurrences(farDays, 3).size());
    CZUDPRecurrenceRuleWeekly farWeeks;
    farWeeks.SetDateStart(Date(2024, 1, 1));
    farWeeks.SetWeekInterval(INT_MAX);
    EndAfter(farWeeks, INT_MAX);
    EXPECT_EQ(std::vector<std::string>{ "2024-01-01" }, Occurrences(farWeeks));

    // A rule that does not advance ends the walk instead of hanging.
    CStuckRule stuck;
    stuck.SetDateStart(Date(2024, 1, 1));
    EXPECT_TRUE(stuck.GetFirstOccurrence(Date(2024, 2, 1)) == COleDateTime(0.0));
}

TEST(RecurrenceRules, FirstOccurrenceOnOrAfterADate)
{
    CZUDPRecurrenceRuleDaily daily;
    daily.SetDateStart(Date(2024, 1, 1));
    daily.SetDayInterval(3);
    EXPECT_EQ("2024-01-10", DayText(daily.GetFirstOccurrence(Date(2024, 1, 8, 12, 0, 0))));
    EXPECT_EQ("2024-01-10", DayText(daily.GetFirstOccurrence(Date(2024, 1, 10))));
    EXPECT_TRUE(daily.GetFirstOccurrence(Date(2023, 12, 31)) == COleDateTime(0.0));   // before the first date
    EndAfter(daily, 3);
    EXPECT_TRUE(daily.GetFirstOccurrence(Date(2024, 1, 8)) == COleDateTime(0.0));     // the series ended
    // A base rule yields its first date only.
    CZUDPRecurrenceBaseRule base;
    base.SetDateStart(Date(2024, 1, 1));
    EXPECT_EQ(std::vector<std::string>{ "2024-01-01" }, Occurrences(base));
}

TEST(RecurrenceRules, TheJumpFindsWhatTheStepWalkFinds)
{
    std::vector<std::function<CZUDPRecurrenceBaseRule*()>> rules;
    for (int interval : { 1, 3, 7 }) {
        rules.push_back([interval] { auto* r = new CZUDPRecurrenceRuleDaily; r->SetDayInterval(interval); return r; });
    }
    for (DWORD days : { 0x05u, 0x60u, 0x7Fu, 0x40u }) {
        for (int interval : { 1, 2, 3 }) {
            rules.push_back([days, interval] {
                auto* r = new CZUDPRecurrenceRuleWeekly;
                r->SetDays(days);
                r->SetWeekInterval(interval);
                return r;
            });
        }
    }
    const COleDateTime firsts[] = { Date(2014, 3, 5), Date(2014, 3, 9) };   // a Wednesday, a Sunday (not corrected)
    int compared = 0;
    for (auto& make : rules) {
        for (const COleDateTime& first : firsts) {
            for (int end = 0; end < 3; ++end) {
                std::unique_ptr<CZUDPRecurrenceBaseRule> rule(make());
                rule->SetDateStart(first);
                if (end == 1)
                    EndAfter(*rule, 400);
                if (end == 2)
                    EndOn(*rule, Date(2017, 6, 30));
                for (double day = -3; day < 6 * 365; day += 53.5) {
                    COleDateTime target = first + COleDateTimeSpan(day);
                    COleDateTime jumped = rule->FindFirstOccurrence(target, TRUE);
                    COleDateTime stepped = rule->FindFirstOccurrence(target, FALSE);
                    ASSERT_EQ(DayText(stepped), DayText(jumped)) << "rule " << rule->GetRuntimeClass()->m_lpszClassName
                                                         << " from " << DayText(first) << " end " << end << " target "
                                                         << Text(target);
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 3000);
}

TEST(RecurrenceRules, CopiesEqualityAndTheRegistry)
{
    CZUDPRecurrenceRuleMonthly rule;
    rule.SetDateStart(Date(2024, 1, 10));
    rule.SetDay(10);
    rule.SetTimeStart(COleDateTimeSpan(0.375));
    rule.SetID(ZUDP_RECURRENCE_RULE_MONTHLY);
    std::unique_ptr<CZUDPRecurrenceBaseRule> copy(rule.CreateCopy());
    ASSERT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CZUDPRecurrenceRuleMonthly)));
    EXPECT_TRUE(*copy == rule);
    copy->SetID(0);   // equal parameters, other id
    EXPECT_TRUE(*copy != rule);

    CZUDPRecurrenceRuleRegistrator registry;
    for (int round = 0; round < 2; ++round) {
        registry.RegisterRule(RUNTIME_CLASS(CZUDPRecurrenceRuleDaily));
        registry.RegisterRule(RUNTIME_CLASS(CZUDPRecurrenceRuleWeekly));
        registry.RegisterRule(RUNTIME_CLASS(CZUDPRecurrenceRuleMonthly));
        registry.RegisterRule(RUNTIME_CLASS(CZUDPRecurrenceRuleYearly));
    }
    EXPECT_FALSE(registry.RegisterRule(nullptr));
    EXPECT_FALSE(registry.RegisterRule(RUNTIME_CLASS(CZUDPAppointment)));
    EXPECT_EQ(4, registry.GetRuleCount());
    EXPECT_EQ(RUNTIME_CLASS(CZUDPRecurrenceRuleYearly), registry.GetRuleClass(3));
}
