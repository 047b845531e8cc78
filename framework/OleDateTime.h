#pragma once
// COleDateTime: an automation date, a 64-bit floating-point count of days
// since 30 December 1899 00:00 whose fraction is the time of day, with a
// status (valid, invalid, null).  COleDateTimeSpan: a signed difference of
// such dates in days, with the same statuses.
//
// The rules every user of these types relies on:
//   - Only finite values of the years 100 to 9999 are valid dates; a value
//     outside them (also one read from an archive with a valid status) is
//     invalid.  A span is valid only within -3615897..3615897 days.
//   - Equality: both statuses equal and either both null, or both valid
//     with values less than half a second (kHalfSecond days) apart.  Two
//     invalid dates are never equal.
//   - Order (<, >) holds only between two valid dates, on their continuous
//     form: a negative value runs backwards within its day (-1.25 is
//     29 December 1899 06:00, after -1.0 and before -0.5, which is
//     30 December 12:00), so a value d <= -kHalfSecond stands for
//     c - (d - c), c = ceil(d).  Differences and sums use the continuous
//     form too and map a negative result back.  <= and >= are < or ==.
//   - A date made from its fields is valid only when its fields read back
//     the same (2023-02-29 is invalid).  Fields of a date are read rounded
//     to the nearest second; those of an invalid or null date are -1.
//
// Archive form of both: 32-bit status, then the 64-bit value.
#include "framework/Map.h"
#include "framework/String.h"
#include "framework/Types.h"

class CArchive;

class COleDateTimeSpan;

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    // Half a second in days: the tolerance of date equality.
    static constexpr double kHalfSecond = 5.787037037037037e-6;

    COleDateTime() = default;
    COleDateTime(double dtSrc) { *this = dtSrc; }
    // Invalid unless the six fields name an existing moment of the years
    // 100-9999 (month 1-12, day of the month, hour 0-23, minute and
    // second 0-59).
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    {
        SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
    }

    COleDateTime& operator=(double dtSrc);

    // Returns 0 and sets the date when the fields are valid; else 1 and
    // the status becomes invalid.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    BOOL IsValid() const { return m_status == valid; }
    explicit operator double() const { return m_dt; }

    // Calendar parts, rounded to the nearest second; -1 unless valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 Sunday ... 7 Saturday
    int GetDayOfYear() const;   // 1 ... 366

    // The continuous form of the value (see above); the value itself when
    // it is not valid.
    double GetContinuousValue() const;

    // strftime-like codes: %a %A %b %B %d %H %I %j %m %M %p %S %w %y %Y %%
    // (English names, "AM"/"PM"); other characters are copied.  Empty for
    // a date that is not valid.
    CString Format(LPCSTR pszFormat) const;

    bool operator==(const COleDateTime& date) const;
    bool operator!=(const COleDateTime& date) const { return !(*this == date); }
    bool operator<(const COleDateTime& date) const;
    bool operator>(const COleDateTime& date) const { return date < *this; }
    bool operator<=(const COleDateTime& date) const { return *this < date || *this == date; }
    bool operator>=(const COleDateTime& date) const { return *this > date || *this == date; }

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    double m_dt = 0.0;
    DateTimeStatus m_status = valid;

private:
    struct Fields {
        int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
    };
    bool GetFields(Fields& fields) const;
};

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    // The largest number of days a valid span may hold, either way.
    static constexpr double kMaxDays = 3615897.0;

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double dblSpanSrc) { *this = dblSpanSrc; }
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) { SetDateTimeSpan(lDays, nHours, nMins, nSecs); }

    COleDateTimeSpan& operator=(double dblSpanSrc);
    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    explicit operator double() const { return m_span; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24.0; }
    double GetTotalMinutes() const { return m_span * 24.0 * 60.0; }
    double GetTotalSeconds() const { return m_span * 24.0 * 60.0 * 60.0; }
    // Whole days (toward zero) and the hours, minutes and seconds of the
    // rest, rounded to the nearest second; 0 unless valid.
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    // Equal statuses and, for valid spans, equal values (exactly).
    bool operator==(const COleDateTimeSpan& span) const;
    bool operator!=(const COleDateTimeSpan& span) const { return !(*this == span); }
    // Only between two valid spans.
    bool operator<(const COleDateTimeSpan& span) const;
    bool operator>(const COleDateTimeSpan& span) const { return span < *this; }
    bool operator<=(const COleDateTimeSpan& span) const { return *this < span || *this == span; }
    bool operator>=(const COleDateTimeSpan& span) const { return *this > span || *this == span; }

    COleDateTimeSpan operator+(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-() const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }

    double m_span = 0.0;
    DateTimeSpanStatus m_status = valid;
};

CArchive& operator<<(CArchive& ar, const COleDateTime& date);
CArchive& operator>>(CArchive& ar, COleDateTime& date);
CArchive& operator<<(CArchive& ar, const COleDateTimeSpan& span);
CArchive& operator>>(CArchive& ar, COleDateTimeSpan& span);

// Map keys: the whole-day part of a valid date's value (toward zero), 0
// for any other date.  Keys within half a second of each other on two
// sides of a day boundary hash apart: a map that must find them looks in
// both days (see the planner's exception map).
UINT HashOleDate(const COleDateTime& date);
template <>
inline UINT HashKey<const COleDateTime&>(const COleDateTime& key) { return HashOleDate(key); }
template <>
inline UINT HashKey<COleDateTime>(COleDateTime key) { return HashOleDate(key); }
