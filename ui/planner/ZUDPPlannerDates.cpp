#include "ui/planner/ZUDPPlannerDates.h"

#include "ui/planner/ZUDPPlannerSeams.h"

namespace PlannerDates {

BOOL IsSameDay(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetYear() == b.GetYear() && a.GetDayOfYear() == b.GetDayOfYear();
}

int DaysInMonth(int month, int year)
{
    static const int kMonthLengths[13] = { 0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return kMonthLengths[month];
}

COleDateTime TruncateToDay(const COleDateTime& date)
{
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), 0, 0, 0);
}

LONG WholeDays(const COleDateTimeSpan& span)
{
    if (span.GetStatus() != COleDateTimeSpan::valid)
        return 0;
    double days = span.GetTotalDays();
    days += days < 0 ? -COleDateTime::kHalfSecond : COleDateTime::kHalfSecond;
    return LONG(days);
}

BOOL IsOnDate(const COleDateTime& start, const COleDateTime& finish, BOOL bAllDay, const COleDateTime& date)
{
    COleDateTime day = TruncateToDay(date);
    COleDateTime startDay = TruncateToDay(start);
    if (!day.IsValid() || !startDay.IsValid() || !finish.IsValid())
        return FALSE;
    if (bAllDay) {
        COleDateTime finishDay = TruncateToDay(finish);
        return finishDay.IsValid() && startDay <= day && day <= finishDay;
    }
    if (startDay < day)
        return day < finish;
    if (startDay == day)
        return finish >= day;
    return FALSE;
}

COleDateTime WeekStartDate(const COleDateTime& date, int nFirstDay)
{
    if (!date.IsValid())
        return date;
    int weekday = date.GetDayOfWeek() - 1;   // 0 Sunday
    int back = ((weekday + 1 - nFirstDay) % 7 + 7) % 7;
    return date - COleDateTimeSpan(double(back));
}

int TimeScaleMinutes(int nUnit)
{
    static const int kMinutes[11] = { 60, 30, 20, 15, 10, 6, 5, 4, 3, 2, 1 };
    return nUnit >= 0 && nUnit <= 10 ? kMinutes[nUnit] : 60;
}

} // namespace PlannerDates

int RoundToInt(double x)
{
    int r = int(x - 0.5);
    return x - r >= 0.5 ? int(x + 0.5) : r;
}

namespace {

// Text for the time picture: in single quotes, a quote doubled.
CString QuotedPictureText(const CString& text)
{
    CString quoted("'");
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '\'')
            quoted += '\'';
        quoted += text[i];
    }
    quoted += '\'';
    return quoted;
}

} // namespace

void FormatPlannerTime(CString& text, const COleDateTime& date, DWORD flags, BOOL bUseLocaleFormat)
{
    text.Empty();
    if (date.GetStatus() != COleDateTime::valid)
        return;
    PlannerTimeOfDay time;
    time.hour = date.GetHour();
    time.minute = date.GetMinute();
    time.second = date.GetSecond();
    if (time.hour < 0)
        return;
    if (bUseLocaleFormat) {
        text = g_plannerSeams.formatTime(time, flags, nullptr);
        return;
    }
    CString clock = g_plannerSeams.localeInfo(LOCALE_ITIME);
    bool twentyFourHours = (flags & TIME_FORCE24HOURFORMAT) != 0 || (!clock.IsEmpty() && clock[0] == '1');
    CString leadingZero = g_plannerSeams.localeInfo(LOCALE_ITLZERO);
    CString picture = twentyFourHours ? "H" : "h";
    if (!leadingZero.IsEmpty() && leadingZero[0] == '1')
        picture += picture;
    CString separator = QuotedPictureText(g_plannerSeams.localeInfo(LOCALE_STIME));
    if (!(flags & TIME_NOMINUTESORSECONDS)) {
        picture += separator + "mm";
        if (!(flags & TIME_NOSECONDS))
            picture += separator + "ss";
    }
    if (!twentyFourHours) {
        CString marker = g_plannerSeams.localeInfo(time.hour < 12 ? LOCALE_S1159 : LOCALE_S2359);
        if (!marker.IsEmpty()) {
            CString position = g_plannerSeams.localeInfo(LOCALE_ITIMEMARKPOSN);
            if (!position.IsEmpty() && position[0] == '1')
                picture = QuotedPictureText(marker) + picture;
            else if (!position.IsEmpty() && position[0] == '0')
                picture += QuotedPictureText(marker);
        }
    }
    text = g_plannerSeams.formatTime(time, flags, picture);
}
