// The planner's locale natively: a fixed 24-hour locale ("HH:mm:ss", ":"
// as separator, "AM"/"PM", "/" between day, month and year in that order),
// and a formatter of the system's time-picture language, so that the time
// texts are built and tested the same way as on Windows.  Dates are not
// formatted natively: only the views, which are Windows-only, need it.
#include "ui/planner/ZUDPPlannerSeams.h"

CString PlannerSystemLocaleInfo(DWORD type)
{
    switch (type) {
    case LOCALE_ITIME: return CString("1");
    case LOCALE_ITLZERO: return CString("1");
    case LOCALE_STIME: return CString(":");
    case LOCALE_S1159: return CString("AM");
    case LOCALE_S2359: return CString("PM");
    case LOCALE_ITIMEMARKPOSN: return CString("0");
    case LOCALE_SDATE: return CString("/");
    case LOCALE_IDATE: return CString("1");
    default: return CString();
    }
}

CString PlannerSystemFormatTime(const PlannerTimeOfDay& time, DWORD flags, LPCSTR picture)
{
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 || time.second > 59)
        return CString();
    if (picture == nullptr)
        picture = (flags & TIME_NOMINUTESORSECONDS) ? "HH" : (flags & TIME_NOSECONDS) ? "HH:mm" : "HH:mm:ss";
    CString out;
    for (const char* p = picture; *p != '\0';) {
        char c = *p;
        if (c == '\'') {
            // Quoted text; '' inside it is one quote.
            ++p;
            while (*p != '\0') {
                if (*p == '\'') {
                    if (p[1] == '\'') {
                        out += '\'';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                out += *p++;
            }
            continue;
        }
        int run = 0;
        while (p[run] == c)
            ++run;
        p += run;
        bool twoDigits = run >= 2;
        switch (c) {
        case 'H':
        case 'h': {
            int hour = time.hour;
            if (c == 'h' && !(flags & TIME_FORCE24HOURFORMAT))
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out.AppendFormat(twoDigits ? "%02d" : "%d", hour);
            break;
        }
        case 'm': out.AppendFormat(twoDigits ? "%02d" : "%d", time.minute); break;
        case 's': out.AppendFormat(twoDigits ? "%02d" : "%d", time.second); break;
        case 't':
            if (!(flags & TIME_NOTIMEMARKER))
                out += twoDigits ? (time.hour < 12 ? "AM" : "PM") : (time.hour < 12 ? "A" : "P");
            break;
        default:
            for (int i = 0; i < run; ++i)
                out += c;
            break;
        }
    }
    return out;
}

CString PlannerSystemFormatDate(const COleDateTime& date, LPCSTR picture)
{
    (void)date;
    (void)picture;
    return CString();
}

// The platform's default double-click time.
UINT PlannerSystemDoubleClickTime() { return 500; }
