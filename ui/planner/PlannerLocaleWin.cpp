// The planner's locale on Windows: the user locale's values and the
// system's time formatting.
#include "ui/planner/ZUDPPlannerSeams.h"

#include <windows.h>

CString PlannerSystemLocaleInfo(DWORD type)
{
    // Locale strings are at most 80 characters (the designators 15).
    char buffer[128];
    int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, int(sizeof buffer));
    if (n <= 0)
        return CString();
    buffer[sizeof buffer - 1] = '\0';
    return CString(buffer);
}

CString PlannerSystemFormatTime(const PlannerTimeOfDay& time, DWORD flags, LPCSTR picture)
{
    SYSTEMTIME st = {};
    st.wYear = 2000;
    st.wMonth = 1;
    st.wDay = 1;
    st.wHour = WORD(time.hour);
    st.wMinute = WORD(time.minute);
    st.wSecond = WORD(time.second);
    char buffer[260];
    int n = ::GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &st, picture, buffer, int(sizeof buffer));
    if (n <= 0)
        return CString();
    buffer[sizeof buffer - 1] = '\0';
    return CString(buffer);
}
