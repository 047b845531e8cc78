#pragma once
// Resource ids of the library's planner (pictures drawn by
// scripts/make-planner-images).

// The up and down arrows announcing hidden appointments: two 20 x 8
// images side by side on magenta.
#define IDB_ZUDP_PLANNER_UP_DOWN 17059
// Clock faces: 48 cells in a row, two per hour (the hour hand before and
// from minute 25), on white (the transparent colour).
#define IDB_ZUDP_PLANNER_CLOCK_FACES 17060
// Minute hands: 24 cells of the faces' size, twelve five-minute steps for
// the morning (dark hands on white, drawn with AND) and twelve for the
// afternoon (light hands on black, drawn with OR).
#define IDB_ZUDP_PLANNER_CLOCK_MINUTES 17061
// The appointment images: six 16 x 15 images, 8 bits per pixel, on
// magenta (recurrence, changed occurrence, and four marks).
#define IDB_ZUDP_PLANNER_APP_IMAGES 17062
// The calendar's week-selection cursor: an arrow pointing up and to the
// right, hot spot at its tip (drawn by scripts/make-week-cursor).
#define IDC_ZUDP_CALENDAR_WEEK 17066
// The calendar's Today button.
#define IDS_ZUDP_CALENDAR_TODAY 17104
