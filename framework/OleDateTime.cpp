#include "framework/OleDateTime.h"

#include <cmath>

#include "framework/Archive.h"

namespace {

// Day 0 of the automation dates, 30 December 1899, counted from
// 1 January 1970.
const LONGLONG kOleEpochFromUnix = -25569;

// The valid values: 1 January 100 00:00 (-657434.0, whose day runs back to
// -657434.99999...) up to 31 December 9999 24:00 (exclusive).
const double kMinValidValue = -657435.0;
const double kMaxValidValue = 2958466.0;

const int kSecondsPerDay = 24 * 60 * 60;

bool IsValidDateValue(double value)
{
    return std::isfinite(value) && value > kMinValidValue && value < kMaxValidValue;
}

bool IsValidSpanValue(double value)
{
    return std::isfinite(value) && value >= -COleDateTimeSpan::kMaxDays && value <= COleDateTimeSpan::kMaxDays;
}

// Proleptic Gregorian calendar: days since 1 January 1970 of a date, and
// back.
LONGLONG DaysFromCivil(LONGLONG y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    LONGLONG yoe = y - era * 400;
    LONGLONG doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    LONGLONG doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(LONGLONG z, int& year, int& month, int& day)
{
    z += 719468;
    LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    LONGLONG doe = z - era * 146097;
    LONGLONG yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    LONGLONG y = yoe + era * 400;
    LONGLONG doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    LONGLONG mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(y + (month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int MonthLength(int year, int month)
{
    static const int kLengths[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

double ToContinuous(double value)
{
    if (value <= -COleDateTime::kHalfSecond) {
        double c = std::ceil(value);
        return c - (value - c);
    }
    return value;
}

double FromContinuous(double value)
{
    if (value <= -COleDateTime::kHalfSecond) {
        double f = std::floor(value);
        return f + (f - value);
    }
    return value;
}

const char* const kDayNames[7] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
const char* const kMonthNames[12] = { "January", "February", "March", "April", "May", "June", "July",
                                      "August", "September", "October", "November", "December" };

} // namespace

// ---- COleDateTime ---------------------------------------------------------

COleDateTime& COleDateTime::operator=(double dtSrc)
{
    m_dt = dtSrc;
    m_status = IsValidDateValue(dtSrc) ? valid : invalid;
    return *this;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > MonthLength(nYear, nMonth) ||
        nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    double day = double(DaysFromCivil(nYear, nMonth, nDay) - kOleEpochFromUnix);
    double time = double((nHour * 60 + nMin) * 60 + nSec) / kSecondsPerDay;
    m_dt = day >= 0 ? day + time : day - time;
    m_status = valid;
    return 0;
}

bool COleDateTime::GetFields(Fields& fields) const
{
    if (m_status != valid || !IsValidDateValue(m_dt))
        return false;
    double continuous = ToContinuous(m_dt);
    double dayPart = std::floor(continuous);
    LONGLONG day = LONGLONG(dayPart);
    LONGLONG seconds = std::llround((continuous - dayPart) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++day;
    }
    CivilFromDays(day + kOleEpochFromUnix, fields.year, fields.month, fields.day);
    fields.hour = int(seconds / 3600);
    fields.minute = int(seconds / 60 % 60);
    fields.second = int(seconds % 60);
    // Day 0 was a Saturday (7).
    fields.dayOfWeek = int(((day + 6) % 7 + 7) % 7) + 1;
    fields.dayOfYear = int(day + kOleEpochFromUnix - DaysFromCivil(fields.year, 1, 1)) + 1;
    return true;
}

int COleDateTime::GetYear() const
{
    Fields f;
    return GetFields(f) ? f.year : -1;
}

int COleDateTime::GetMonth() const
{
    Fields f;
    return GetFields(f) ? f.month : -1;
}

int COleDateTime::GetDay() const
{
    Fields f;
    return GetFields(f) ? f.day : -1;
}

int COleDateTime::GetHour() const
{
    Fields f;
    return GetFields(f) ? f.hour : -1;
}

int COleDateTime::GetMinute() const
{
    Fields f;
    return GetFields(f) ? f.minute : -1;
}

int COleDateTime::GetSecond() const
{
    Fields f;
    return GetFields(f) ? f.second : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    Fields f;
    return GetFields(f) ? f.dayOfWeek : -1;
}

int COleDateTime::GetDayOfYear() const
{
    Fields f;
    return GetFields(f) ? f.dayOfYear : -1;
}

double COleDateTime::GetContinuousValue() const
{
    return m_status == valid ? ToContinuous(m_dt) : m_dt;
}

CString COleDateTime::Format(LPCSTR pszFormat) const
{
    CString out;
    Fields f;
    if (pszFormat == nullptr || !GetFields(f))
        return out;
    for (const char* p = pszFormat; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == '#' && p[1] != '\0')
            ++p;
        int hour12 = f.hour % 12 == 0 ? 12 : f.hour % 12;
        switch (*p) {
        case 'a': out.AppendFormat("%.3s", kDayNames[f.dayOfWeek - 1]); break;
        case 'A': out += kDayNames[f.dayOfWeek - 1]; break;
        case 'b': out.AppendFormat("%.3s", kMonthNames[f.month - 1]); break;
        case 'B': out += kMonthNames[f.month - 1]; break;
        case 'd': out.AppendFormat("%02d", f.day); break;
        case 'H': out.AppendFormat("%02d", f.hour); break;
        case 'I': out.AppendFormat("%02d", hour12); break;
        case 'j': out.AppendFormat("%03d", f.dayOfYear); break;
        case 'm': out.AppendFormat("%02d", f.month); break;
        case 'M': out.AppendFormat("%02d", f.minute); break;
        case 'p': out += f.hour < 12 ? "AM" : "PM"; break;
        case 'S': out.AppendFormat("%02d", f.second); break;
        case 'w': out.AppendFormat("%d", f.dayOfWeek - 1); break;
        case 'y': out.AppendFormat("%02d", f.year % 100); break;
        case 'Y': out.AppendFormat("%d", f.year); break;
        case '%': out += '%'; break;
        default:
            out += '%';
            out += *p;
            break;
        }
    }
    return out;
}

bool COleDateTime::operator==(const COleDateTime& date) const
{
    if (m_status != date.m_status)
        return false;
    if (m_status == null)
        return true;
    if (m_status != valid)
        return false;
    return m_dt < date.m_dt + kHalfSecond && m_dt > date.m_dt - kHalfSecond;
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    if (m_status != valid || date.m_status != valid)
        return false;
    return ToContinuous(m_dt) < ToContinuous(date.m_dt);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result;
    if (m_status == invalid || span.m_status == COleDateTimeSpan::invalid) {
        result.m_status = invalid;
    } else if (m_status == null || span.m_status == COleDateTimeSpan::null) {
        result.m_status = null;
    } else {
        result = FromContinuous(ToContinuous(m_dt) + span.m_span);
    }
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + (-span);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan result;
    if (m_status == invalid || date.m_status == invalid) {
        result.m_status = COleDateTimeSpan::invalid;
    } else if (m_status == null || date.m_status == null) {
        result.m_status = COleDateTimeSpan::null;
    } else {
        result = ToContinuous(m_dt) - ToContinuous(date.m_dt);
    }
    return result;
}

// ---- COleDateTimeSpan -----------------------------------------------------

COleDateTimeSpan& COleDateTimeSpan::operator=(double dblSpanSrc)
{
    m_span = dblSpanSrc;
    m_status = IsValidSpanValue(dblSpanSrc) ? valid : invalid;
    return *this;
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    *this = double(lDays) + double(nHours) / 24.0 + double(nMins) / (24.0 * 60.0) +
            double(nSecs) / double(kSecondsPerDay);
}

namespace {

// A valid span as whole seconds, rounded to the nearest one.
LONGLONG SpanSeconds(const COleDateTimeSpan& span)
{
    if (span.m_status != COleDateTimeSpan::valid)
        return 0;
    return std::llround(span.m_span * kSecondsPerDay);
}

} // namespace

LONG COleDateTimeSpan::GetDays() const { return LONG(SpanSeconds(*this) / kSecondsPerDay); }
LONG COleDateTimeSpan::GetHours() const { return LONG(SpanSeconds(*this) % kSecondsPerDay / 3600); }
LONG COleDateTimeSpan::GetMinutes() const { return LONG(SpanSeconds(*this) % 3600 / 60); }
LONG COleDateTimeSpan::GetSeconds() const { return LONG(SpanSeconds(*this) % 60); }

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& span) const
{
    if (m_status != span.m_status)
        return false;
    return m_status != valid || m_span == span.m_span;
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& span) const
{
    return m_status == valid && span.m_status == valid && m_span < span.m_span;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& span) const
{
    COleDateTimeSpan result;
    if (m_status == invalid || span.m_status == invalid)
        result.m_status = invalid;
    else if (m_status == null || span.m_status == null)
        result.m_status = null;
    else
        result = m_span + span.m_span;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& span) const
{
    return *this + (-span);
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result;
    result.m_span = -m_span;
    result.m_status = m_status;
    return result;
}

// ---- archive form and hashing ---------------------------------------------

CArchive& operator<<(CArchive& ar, const COleDateTime& date)
{
    return ar << LONG(date.m_status) << date.m_dt;
}

CArchive& operator>>(CArchive& ar, COleDateTime& date)
{
    LONG status;
    double value;
    ar >> status >> value;
    date.m_dt = value;
    if (status == COleDateTime::valid)
        date.m_status = IsValidDateValue(value) ? COleDateTime::valid : COleDateTime::invalid;
    else if (status == COleDateTime::null)
        date.m_status = COleDateTime::null;
    else
        date.m_status = COleDateTime::invalid;
    return ar;
}

CArchive& operator<<(CArchive& ar, const COleDateTimeSpan& span)
{
    return ar << LONG(span.m_status) << span.m_span;
}

CArchive& operator>>(CArchive& ar, COleDateTimeSpan& span)
{
    LONG status;
    double value;
    ar >> status >> value;
    span.m_span = value;
    if (status == COleDateTimeSpan::valid)
        span.m_status = IsValidSpanValue(value) ? COleDateTimeSpan::valid : COleDateTimeSpan::invalid;
    else if (status == COleDateTimeSpan::null)
        span.m_status = COleDateTimeSpan::null;
    else
        span.m_status = COleDateTimeSpan::invalid;
    return ar;
}

UINT HashOleDate(const COleDateTime& date)
{
    if (date.m_status != COleDateTime::valid || !IsValidDateValue(date.m_dt))
        return 0;
    return UINT(int32_t(date.m_dt));
}
