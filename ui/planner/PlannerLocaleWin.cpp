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

CString PlannerSystemFormatDate(const COleDateTime& date, LPCSTR picture)
{
    // An invalid date is handed over as an all-zero day, which the system
    // refuses: the text is then empty.
    SYSTEMTIME st = {};
    if (date.GetStatus() == COleDateTime::valid) {
        st.wYear = WORD(date.GetYear());
        st.wMonth = WORD(date.GetMonth());
        st.wDay = WORD(date.GetDay());
        st.wDayOfWeek = WORD(date.GetDayOfWeek() - 1);
        st.wHour = WORD(date.GetHour());
        st.wMinute = WORD(date.GetMinute());
        st.wSecond = WORD(date.GetSecond());
    }
    char buffer[260];
    int n = ::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, picture, buffer, int(sizeof buffer));
    if (n <= 0)
        return CString();
    buffer[sizeof buffer - 1] = '\0';
    return CString(buffer);
}

UINT PlannerSystemDoubleClickTime() { return ::GetDoubleClickTime(); }
