#pragma once
// The planner's date helpers: the same-day rule, month lengths, a date's
// day at midnight, whole-day counts of spans, and the time texts of
// appointments.  Dates follow the rule of COleDateTime
// (framework/OleDateTime.h): equal within half a second, ordered on their
// continuous form, invalid dates equal to nothing.
#include "framework/OleDateTime.h"
#include "framework/String.h"
#include "framework/Types.h"

// A planner rounding: r = x - 0.5 truncated; x + 0.5 truncated when x - r
// is at least one half, else r.
int RoundToInt(double x);

// The helpers live in a namespace of their own: the support library has a
// DaysInMonth too, with the year first.
namespace PlannerDates {

// Same year and same day of the year.  An invalid or null date reads as
// year -1 and day -1, so two such dates are on the same day.
BOOL IsSameDay(const COleDateTime& a, const COleDateTime& b);

// Days of a month of the Gregorian calendar; 0 for a month outside 1-12.
int DaysInMonth(int month, int year);

// The same calendar day at 00:00:00; invalid when the day cannot be formed
// (an invalid or null date).
COleDateTime TruncateToDay(const COleDateTime& date);

// A span as whole days: half a second away from zero, then truncated
// toward zero (so 0.99999 days and -1.99999 days count 1 and -2); 0 for a
// span that is not valid.
LONG WholeDays(const COleDateTimeSpan& span);

// The date has a time of day other than 00:00:00.
inline BOOL HasTimeOfDay(const COleDateTime& date)
{
    return date.GetHour() != 0 || date.GetMinute() != 0 || date.GetSecond() != 0;
}

// The day-membership rule of the views and of printing: is an entry from
// start to finish shown on the day of the date?  An all-day entry covers
// its start day to its finish day.  Another one is on every day after its
// start day that it runs into (one ending exactly at a midnight is not on
// the day that midnight begins) and on its start day; a zero-length entry
// at midnight is on its day.  Invalid or null dates never match.
BOOL IsOnDate(const COleDateTime& start, const COleDateTime& finish, BOOL bAllDay, const COleDateTime& date);

// The first day of the week holding the date: the date minus ((weekday +
// 1 - first day + 7) mod 7) days, with weekdays and the first day counted
// 1 Sunday .. 7 Saturday.  The time of day stays; an invalid date stays
// invalid.
COleDateTime WeekStartDate(const COleDateTime& date, int nFirstDay);

// Minutes per row of a time-scale unit 0..10 (60, 30, 20, 15, 10, 6, 5, 4,
// 3, 2, 1); 60 for any other unit.
int TimeScaleMinutes(int nUnit);

} // namespace PlannerDates

// The time of a date as text in the user locale (flags as the platform's
// TIME_ flags; all planner callers pass TIME_NOSECONDS).  With
// bUseLocaleFormat the locale's own time format applies; otherwise the
// format is built from the locale's clock kind, leading zero, separator
// and designator position.  Empty for a date that is not valid.
void FormatPlannerTime(CString& text, const COleDateTime& date, DWORD flags, BOOL bUseLocaleFormat);
