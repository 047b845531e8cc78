#pragma once
// The planner's date helpers: the same-day rule, month lengths, a date's
// day at midnight, whole-day counts of spans, and the time texts of
// appointments.  Dates follow the rule of COleDateTime
// (framework/OleDateTime.h): equal within half a second, ordered on their
// continuous form, invalid dates equal to nothing.
#include "framework/OleDateTime.h"
#include "framework/String.h"
#include "framework/Types.h"

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

} // namespace PlannerDates

// The time of a date as text in the user locale (flags as the platform's
// TIME_ flags; all planner callers pass TIME_NOSECONDS).  With
// bUseLocaleFormat the locale's own time format applies; otherwise the
// format is built from the locale's clock kind, leading zero, separator
// and designator position.  Empty for a date that is not valid.
void FormatPlannerTime(CString& text, const COleDateTime& date, DWORD flags, BOOL bUseLocaleFormat);
