#include "framework/Time.h"

#include <cstring>

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/Platform.h"

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    if (nYear < 1900 || nYear > 3000 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 ||
        nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
        AfxThrowInvalidArgException();
    struct tm parts = {};
    parts.tm_year = nYear - 1900;
    parts.tm_mon = nMonth - 1;
    parts.tm_mday = nDay;
    parts.tm_hour = nHour;
    parts.tm_min = nMin;
    parts.tm_sec = nSec;
    parts.tm_isdst = nDST < 0 ? -1 : (nDST > 0 ? 1 : 0);
    time_t t = std::mktime(&parts);
    if (t == time_t(-1))
        AfxThrowInvalidArgException();
    m_time = LONGLONG(t);
}

CTime CTime::GetCurrentTime()
{
    return CTime(FrameworkPlatform::CurrentTime());
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == nullptr || !FrameworkPlatform::LocalTime(m_time, ptm))
        return nullptr;
    return ptm;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == nullptr || !FrameworkPlatform::GmTime(m_time, ptm))
        return nullptr;
    return ptm;
}

struct tm CTime::LocalTm() const
{
    struct tm parts = {};
    if (!FrameworkPlatform::LocalTime(m_time, &parts)) {
        parts = {};
        parts.tm_year = -1900;
        parts.tm_mon = -1;
        parts.tm_wday = -1;
    }
    return parts;
}

namespace {

CString FormatParts(const struct tm& parts, LPCSTR pszFormat)
{
    static const char kCodes[] = "aAbBcdHIjmMpSUwWxXyYzZ";
    CString result;
    if (pszFormat == nullptr)
        return result;
    for (const char* p = pszFormat; *p != '\0'; ++p) {
        if (*p != '%') {
            result += *p;
            continue;
        }
        const char* code = p + 1;
        bool alternate = false;
        if (*code == '#') {
            alternate = true;
            ++code;
        }
        if (*code == '%') {
            result += '%';
            p = code;
            continue;
        }
        if (*code == '\0' || std::strchr(kCodes, *code) == nullptr) {
            // Not a code we know: copied as it stands.
            result += '%';
            continue;
        }
        char one[4] = { '%', 0, 0, 0 };
#ifdef _WIN32
        if (alternate) {
            one[1] = '#';
            one[2] = *code;
        } else {
            one[1] = *code;
        }
#else
        (void)alternate;
        one[1] = *code;
#endif
        char buffer[256];
        size_t n = std::strftime(buffer, sizeof buffer, one, &parts);
        result.Append(buffer, int(n));
        p = code;
    }
    return result;
}

} // namespace

CString CTime::Format(LPCSTR pszFormat) const
{
    struct tm parts;
    if (GetLocalTm(&parts) == nullptr)
        return CString();
    return FormatParts(parts, pszFormat);
}

CString CTime::FormatGmt(LPCSTR pszFormat) const
{
    struct tm parts;
    if (GetGmtTm(&parts) == nullptr)
        return CString();
    return FormatParts(parts, pszFormat);
}

CArchive& operator<<(CArchive& ar, CTime time) { return ar << time.GetTime(); }
CArchive& operator<<(CArchive& ar, CTimeSpan span) { return ar << span.GetTimeSpan(); }

CArchive& operator>>(CArchive& ar, CTime& rtime)
{
    LONGLONG t;
    ar >> t;
    rtime = CTime(t);
    return ar;
}

CArchive& operator>>(CArchive& ar, CTimeSpan& rspan)
{
    LONGLONG t;
    ar >> t;
    rspan = CTimeSpan(t);
    return ar;
}
