#pragma once
// The planner's seams: what its data and views ask of the system that
// tests cannot choose headless.  Tests replace an entry for a scope
// (framework/Seam.h); natively the locale is a fixed 24-hour one.  The
// views' timers go through the framework's timer seams.
#include "framework/OleDateTime.h"
#include "framework/Seam.h"
#include "framework/String.h"
#include "framework/Types.h"

// The user-locale values the planner reads (the platform's numbers, spelt
// as the Windows headers spell them).
#ifndef LOCALE_STIME
#define LOCALE_STIME 0x0000001e
#define LOCALE_ITIME 0x00000023
#define LOCALE_ITIMEMARKPOSN 0x00001005
#define LOCALE_ITLZERO 0x00000025
#define LOCALE_S1159 0x00000028
#define LOCALE_S2359 0x00000029
#endif
#ifndef LOCALE_SDATE
#define LOCALE_SDATE 0x0000001d
#define LOCALE_IDATE 0x00000021
#endif

// Time formatting options (the platform's TIME_ flags).
#ifndef TIME_NOMINUTESORSECONDS
#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008
#endif

// A time of day handed to the time formatter.
struct PlannerTimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct PlannerSeams {
    // One value of the user's locale as text: LOCALE_ITIME ("0" 12-hour,
    // "1" 24-hour), LOCALE_ITLZERO ("1" hours with a leading zero),
    // LOCALE_STIME (time separator), LOCALE_S1159 and LOCALE_S2359 (the
    // morning and afternoon designators), LOCALE_ITIMEMARKPOSN ("0" the
    // designator after the time, "1" before it).  Empty when the locale
    // has none.  The views also read LOCALE_SDATE (date separator) and
    // LOCALE_IDATE ("1" the day before the month).
    Seam<CString(DWORD)> localeInfo;
    // A time of day formatted with TIME_ flags and a picture in the
    // system's time-picture language (h hh H HH m mm s ss t tt, text in
    // single quotes, '' for a quote), or in the locale's own time format
    // when the picture is null.  Empty when formatting fails.
    Seam<CString(const PlannerTimeOfDay&, DWORD, LPCSTR)> formatTime;
    // A date formatted with a picture of the system's date-picture language
    // (d dd ddd dddd M MM MMM MMMM yy yyyy, text in single quotes) in the
    // user locale: the views' day captions.  Empty when formatting fails
    // (natively always: there are no views).
    Seam<CString(const COleDateTime&, LPCSTR)> formatDate;
    // The local date and time now (today's caption, the current-time mark);
    // invalid when the clock cannot be read.
    Seam<COleDateTime()> now;
    // The system's double-click time in milliseconds: the views open the
    // in-place editor a third of it after a click on a selected
    // appointment's text.
    Seam<UINT()> doubleClickTime;

    PlannerSeams();
};

extern PlannerSeams g_plannerSeams;

// The system's own answers: the user locale on Windows
// (PlannerLocaleWin.cpp), natively a fixed 24-hour locale with ":" and
// "AM"/"PM" (PlannerLocalePosix.cpp).
CString PlannerSystemLocaleInfo(DWORD type);
CString PlannerSystemFormatTime(const PlannerTimeOfDay& time, DWORD flags, LPCSTR picture);
CString PlannerSystemFormatDate(const COleDateTime& date, LPCSTR picture);
COleDateTime PlannerSystemNow();
UINT PlannerSystemDoubleClickTime();
