// Resource ids of the program's own resource script (trovconf.rc).
#pragma once

#define IDR_MAINFRAME               128   // window icon
#define IDD_TROVCONF_DIALOG         102   // main window
#define IDS_SOCKETS_INIT_FAILED     105
#define IDB_DRAG_MANY               132   // drag image: two or more machines
#define IDB_DRAG_ONE                133   // drag image: one machine

// The application's title (the framework reads it for m_pszAppName).
#define IDS_APP_TITLE               0xE000
