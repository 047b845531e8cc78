// Resource ids of the program's own resource script (trovconf.rc).
#pragma once

#define IDR_MAINFRAME               128   // window icon
#define IDD_TROVCONF_DIALOG         102   // main window
#define IDS_SOCKETS_INIT_FAILED     105
#define IDB_DRAG_MANY               132   // drag image: two or more machines
#define IDB_DRAG_ONE                133   // drag image: one machine
#define IDR_MACHINE_MENU            154   // context menu of the machine lists

// Commands of the machine lists' context menu
#define ID_REFRESH_LOCAL            32772
#define ID_RESTART                  32773
#define ID_GET_EVENT_LOG            32788
#define ID_REMOVE_MACHINES          32790
#define ID_VIEW_FILTERS             32792
#define ID_VIEW_LOG                 32794
#define ID_EXPORT_MACHINES          32796
#define ID_IMPORT_MACHINES          32797
#define ID_VIEW_DEBUG               32801
#define ID_SELECT_ALL               32803
#define ID_COPY_SYSTEM_ID           32807
#define ID_CONFIGURE                32909
#define ID_INSTALL_APP              32911
#define ID_UPDATE_FIRMWARE          32950
#define ID_STROBE_IDENT             32952
#define ID_UPDATE_IO_FIRMWARE       32996
#define ID_START_WEB_INTERFACE      33003
#define ID_GET_BACKUP               33006
#define ID_ADD_MACHINES             33043

// The application's title (the framework reads it for m_pszAppName).
#define IDS_APP_TITLE               0xE000

// ---- Operation dialogs (dialogs.rc) ------------------------------------
#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif
#define IDD_TEXT_ENTRY              137   // text entry / "Remote System" address
#define IDD_PASSWORD                160   // "Password Required"
#define IDD_CONFIGURE_MACHINE       166   // "Configure Machine"
#define IDD_ADD_MACHINES            179   // "Add Machines"
#define IDD_INSTALL_APP             180   // install: "Remote System"

// Text entry and install dialogs
#define IDC_ENTRY                   105   // the entry made in place of IDC_ADDRESS
#define IDC_VALUE                   1002
#define IDC_ADMIN_PASSWORD          1006
#define IDC_ADDRESS                 1007
#define IDC_ADMIN_PASSWORD_LABEL    1008
#define IDC_APP_PASSWORD            1009
#define IDC_APP_PASSWORD_LABEL      1010
#define IDC_PRESERVE_CONSTANTS      1013
#define IDC_APP_VERSION             1020
#define IDC_INSTALL_TYPE            1021
#define IDC_NAME_LABEL              1022
#define IDC_DUPLICATE               1023
#define IDC_DATASET_LABEL           1024
#define IDC_VALUE_LABEL             1025
#define IDC_CHOICE_LIST             1026
#define IDC_VALUE_SPIN              1030
#define IDC_NAME_LIST               1033
#define IDC_DATASET                 1034

// Password dialog
#define IDC_PASSWORD                1008
#define IDC_PASSWORD_PROMPT         1115
#define IDC_PATH                    1116
#define IDC_PATH_LABEL              1117

// Configure-machine dialog
#define IDC_COMMENT                 1004
#define IDC_CONFIG_PASSWORD         1008
#define IDC_IF1_ADDRESS             1066
#define IDC_IF1_NETMASK             1067
#define IDC_IF1_GATEWAY             1068
#define IDC_DHCP                    1069
#define IDC_IF2_ADDRESS             1070
#define IDC_IF2_NETMASK             1071

// Add-machines dialog
#define IDC_SINGLE_ADDRESS          1066
#define IDC_RANGE_START             1067
#define IDC_ADDRESS_LIST            1111
#define IDC_ADD_SINGLE              1112
#define IDC_ADD_RANGE               1113
#define IDC_RANGE_END               1114
#define IDC_REMOVE_SELECTED         1115

// ---- Progress window of controller operations (progress.rc) -----------
#define IDD_SOCKET_TROV             103   // "Synchronising..."
#define IDC_SOCKET_PROGRESS         1001  // progress bar
#define IDC_SOCKET_STATUS           1003  // one row per machine

// ---- Main window commands ----------------------------------------------
#define ID_POLL_DETAILS             33047 // "Poll for Details"

// ---- Application browser (browser.rc) ----------------------------------
#define IDD_APP_BROWSER             110   // "Application Browser"
#define IDC_BROWSER_PATH            1015  // the folder shown (read-only)
#define IDC_BROWSER_FILES           1016  // the application files of the folder
#define IDC_BROWSER_OK              1018  // OK: enabled while a file is selected
#define IDC_BROWSER_TREE            1118  // the folder tree
