// The planner's date helpers and the time texts in chosen locales.
#include <gtest/gtest.h>

#include "tests/ui/planner/PlannerTestSupport.h"
#include "ui/planner/ZUDPPlannerDates.h"

using namespace plannertest;

TEST(PlannerDates, SameDayMonthLengthsMidnightsAndWholeDays)
{
    EXPECT_TRUE(PlannerDates::IsSameDay(Date(2024, 3, 4, 0, 0, 0), Date(2024, 3, 4, 23, 59, 59)));
    EXPECT_FALSE(PlannerDates::IsSameDay(Date(2024, 3, 4), Date(2025, 3, 4)));   // same day of another year
    EXPECT_FALSE(PlannerDates::IsSameDay(Date(2024, 3, 4, 23, 0, 0), Date(2024, 3, 5)));
    // Invalid and null dates read as year -1, day -1.
    EXPECT_TRUE(PlannerDates::IsSameDay(Invalid(), Null()));
    EXPECT_FALSE(PlannerDates::IsSameDay(Invalid(), Date(2024, 1, 1)));

    EXPECT_EQ(29, PlannerDates::DaysInMonth(2, 2024));
    EXPECT_EQ(28, PlannerDates::DaysInMonth(2, 2023));
    EXPECT_EQ(28, PlannerDates::DaysInMonth(2, 1900));
    EXPECT_EQ(29, PlannerDates::DaysInMonth(2, 2000));
    EXPECT_EQ(31, PlannerDates::DaysInMonth(12, 2023));
    // Months outside 1-12 have no days (a rule with such a month ends).
    EXPECT_EQ(0, PlannerDates::DaysInMonth(0, 2024));
    EXPECT_EQ(0, PlannerDates::DaysInMonth(13, 2024));
    EXPECT_EQ(0, PlannerDates::DaysInMonth(-5, 2024));

    EXPECT_TRUE(PlannerDates::TruncateToDay(Date(2024, 3, 4, 15, 30, 0)) == Date(2024, 3, 4));
    EXPECT_TRUE(PlannerDates::TruncateToDay(COleDateTime(-1.75)) == COleDateTime(-1.0));   // 29 December 1899
    EXPECT_EQ(COleDateTime::invalid, PlannerDates::TruncateToDay(Null()).GetStatus());

    const double s = 1.0 / 86400.0;
    EXPECT_EQ(1, PlannerDates::WholeDays(COleDateTimeSpan(1.0 - 0.4 * s)));
    EXPECT_EQ(0, PlannerDates::WholeDays(COleDateTimeSpan(1.0 - 0.6 * s)));
    EXPECT_EQ(-2, PlannerDates::WholeDays(COleDateTimeSpan(-2.0 + 0.4 * s)));
    EXPECT_EQ(-1, PlannerDates::WholeDays(COleDateTimeSpan(-1.5)));
    EXPECT_EQ(0, PlannerDates::WholeDays(COleDateTime(2958465.0) - COleDateTime(-657434.0)));   // invalid span
}

struct TimeTextCase {
    const char* name;
    std::map<DWORD, std::string> locale;
    COleDateTime date;
    DWORD flags;
    const char* expected;
};

TEST(PlannerDates, TimeTextsFollowTheLocale)
{
    auto twelve = [](const char* position) {
        return std::map<DWORD, std::string>{ { LOCALE_ITIME, "0" }, { LOCALE_ITLZERO, "0" }, { LOCALE_STIME, ":" },
                                             { LOCALE_S1159, "AM" }, { LOCALE_S2359, "PM" },
                                             { LOCALE_ITIMEMARKPOSN, position } };
    };
    std::map<DWORD, std::string> dotted = { { LOCALE_ITIME, "1" }, { LOCALE_ITLZERO, "1" }, { LOCALE_STIME, "." },
                                            { LOCALE_S1159, "" }, { LOCALE_S2359, "" }, { LOCALE_ITIMEMARKPOSN, "0" } };
    std::map<DWORD, std::string> noMarker = twelve("0");
    noMarker[LOCALE_S1159] = "";
    const TimeTextCase cases[] = {
        { "12-hour, marker after", twelve("0"), Date(2024, 5, 6, 9, 5, 0), TIME_NOSECONDS, "9:05AM" },
        { "12-hour afternoon", twelve("0"), Date(2024, 5, 6, 15, 30, 0), TIME_NOSECONDS, "3:30PM" },
        { "12-hour midnight", twelve("0"), Date(2024, 5, 6, 0, 0, 0), TIME_NOSECONDS, "12:00AM" },
        { "12-hour noon", twelve("0"), Date(2024, 5, 6, 12, 0, 0), TIME_NOSECONDS, "12:00PM" },
        { "12-hour, marker before", twelve("1"), Date(2024, 5, 6, 9, 5, 0), TIME_NOSECONDS, "AM9:05" },
        { "12-hour, empty morning marker", noMarker, Date(2024, 5, 6, 9, 5, 0), TIME_NOSECONDS, "9:05" },
        { "24-hour with dots", dotted, Date(2024, 5, 6, 9, 5, 0), TIME_NOSECONDS, "09.05" },
        { "seconds", dotted, Date(2024, 5, 6, 21, 5, 7), 0, "21.05.07" },
        { "hours only", dotted, Date(2024, 5, 6, 21, 5, 7), TIME_NOMINUTESORSECONDS, "21" },
        { "forced 24 hours", twelve("0"), Date(2024, 5, 6, 15, 30, 0), TIME_NOSECONDS | TIME_FORCE24HOURFORMAT, "15:30" },
        { "a quote in the separator", { { LOCALE_ITIME, "1" }, { LOCALE_STIME, "'" } }, Date(2024, 5, 6, 9, 5, 0),
          TIME_NOSECONDS, "9'05" },
        { "invalid date", twelve("0"), Invalid(), TIME_NOSECONDS, "" },
        { "null date", twelve("0"), Null(), TIME_NOSECONDS, "" },
    };
    for (const TimeTextCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedPlannerLocale locale(c.locale);
        CString text("stale");
        FormatPlannerTime(text, c.date, c.flags, FALSE);
        EXPECT_STREQ(c.expected, static_cast<LPCSTR>(text));
    }
}

struct DayMembershipCase {
    const char* name;
    COleDateTime start;
    COleDateTime finish;
    bool allDay;
    COleDateTime date;
    bool expected;
};

// The one rule by which views and printing decide where an appointment is
// shown.
TEST(PlannerDates, DayMembershipOfAppointments)
{
    const DayMembershipCase cases[] = {
        { "to midnight: on its first day", Date(2024, 5, 6, 22, 0, 0), Date(2024, 5, 7), false, Date(2024, 5, 6), true },
        { "to midnight: not on the next", Date(2024, 5, 6, 22, 0, 0), Date(2024, 5, 7), false, Date(2024, 5, 7), false },
        { "past midnight: on the next", Date(2024, 5, 6, 22, 0, 0), Date(2024, 5, 7, 2, 0, 0), false, Date(2024, 5, 7),
          true },
        { "zero length at midnight", Date(2024, 5, 6), Date(2024, 5, 6), false, Date(2024, 5, 6), true },
        { "a time of the date counts as its day", Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 6, 10, 0, 0), false,
          Date(2024, 5, 6, 23, 0, 0), true },
        { "not before its start", Date(2024, 5, 6, 9, 0, 0), Date(2024, 5, 8), false, Date(2024, 5, 5), false },
        { "all-day on its finish day", Date(2024, 5, 6), Date(2024, 5, 8), true, Date(2024, 5, 8), true },
        { "all-day not after its finish day", Date(2024, 5, 6), Date(2024, 5, 8), true, Date(2024, 5, 9), false },
        { "invalid start", Invalid(), Date(2024, 5, 8), false, Date(2024, 5, 7), false },
        { "null finish", Date(2024, 5, 6), Null(), true, Date(2024, 5, 6), false },
        { "invalid date asked", Date(2024, 5, 6), Date(2024, 5, 7), false, Invalid(), false },
    };
    for (const DayMembershipCase& c : cases)
        EXPECT_EQ(c.expected, PlannerDates::IsOnDate(c.start, c.finish, c.allDay, c.date) != FALSE) << c.name;
}

TEST(PlannerDates, WeekStartsTimeScaleUnitsAndRounding)
{
    // 2024-05-12 is a Sunday: with Monday first (2) its week began six days
    // earlier; with Sunday first (1) it begins on it.  The time stays.
    EXPECT_TRUE(PlannerDates::WeekStartDate(Date(2024, 5, 12, 15, 30, 0), 2) == Date(2024, 5, 6, 15, 30, 0));
    EXPECT_TRUE(PlannerDates::WeekStartDate(Date(2024, 5, 12), 1) == Date(2024, 5, 12));
    EXPECT_TRUE(PlannerDates::WeekStartDate(Date(2024, 5, 13), 2) == Date(2024, 5, 13));
    EXPECT_TRUE(PlannerDates::WeekStartDate(Date(2024, 5, 11), 2) == Date(2024, 5, 6));   // Saturday
    EXPECT_EQ(COleDateTime::invalid, PlannerDates::WeekStartDate(Invalid(), 2).GetStatus());

    const int minutes[] = { 60, 30, 20, 15, 10, 6, 5, 4, 3, 2, 1 };
    for (int unit = 0; unit <= 10; ++unit)
        EXPECT_EQ(minutes[unit], PlannerDates::TimeScaleMinutes(unit)) << unit;
    EXPECT_EQ(60, PlannerDates::TimeScaleMinutes(11));
    EXPECT_EQ(60, PlannerDates::TimeScaleMinutes(-1));

    EXPECT_EQ(100, RoundToInt(100.43));
    EXPECT_EQ(101, RoundToInt(100.5));   // halves upward
    EXPECT_EQ(0, RoundToInt(0.49));
    EXPECT_EQ(1, RoundToInt(0.5));
    EXPECT_EQ(-1, RoundToInt(-0.6));
}
