#pragma once
// CTime: a point in time to the second, held as seconds since 1970-01-01
// UTC (64 bits); its date parts are read in the local time zone.
// CTimeSpan: a signed difference of times in seconds.
#include <ctime>

#include "framework/String.h"
#include "framework/Types.h"
#include "framework/WinNames.h"

class CArchive;

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(LONGLONG seconds) : m_timeSpan(seconds) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(((LONGLONG(lDays) * 24 + nHours) * 60 + nMins) * 60 + nSecs) {}

    LONGLONG GetTimeSpan() const { return m_timeSpan; }
    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return LONG(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return LONG(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return LONG(m_timeSpan - GetTotalMinutes() * 60); }

    CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) { m_timeSpan -= span.m_timeSpan; return *this; }
    bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

private:
    LONGLONG m_timeSpan = 0;
};

class CTime {
public:
    CTime() = default;
    CTime(LONGLONG time) : m_time(time) {}
    // Local date and time; nDST < 0 lets the C runtime decide daylight
    // saving.  Parts outside their ranges (year 1900-3000, month 1-12, day
    // 1-31, hour 0-23, minute and second 0-59) throw CInvalidArgException.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    static CTime GetCurrentTime();
    static BOOL IsValidFILETIME(ULONGLONG) { return TRUE; }

    LONGLONG GetTime() const { return m_time; }
    // The parts in local time (GetDayOfWeek: 1 = Sunday ... 7 = Saturday).
    // A time the C runtime cannot convert gives zeros.
    int GetYear() const { return LocalTm().tm_year + 1900; }
    int GetMonth() const { return LocalTm().tm_mon + 1; }
    int GetDay() const { return LocalTm().tm_mday; }
    int GetHour() const { return LocalTm().tm_hour; }
    int GetMinute() const { return LocalTm().tm_min; }
    int GetSecond() const { return LocalTm().tm_sec; }
    int GetDayOfWeek() const { return LocalTm().tm_wday + 1; }
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;

    // strftime codes (a A b B c d H I j m M p S U w W x X y Y z Z %%; the
    // flag # as on Windows is accepted and ignored natively); an unknown
    // code is copied as it is.
    CString Format(LPCSTR pszFormat) const;
    CString FormatGmt(LPCSTR pszFormat) const;

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

private:
    struct tm LocalTm() const;
    LONGLONG m_time = 0;
};

// Archived as a 64-bit signed count of seconds.
CArchive& operator<<(CArchive& ar, CTime time);
CArchive& operator>>(CArchive& ar, CTime& rtime);
CArchive& operator<<(CArchive& ar, CTimeSpan span);
CArchive& operator>>(CArchive& ar, CTimeSpan& rspan);
