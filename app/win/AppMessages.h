#pragma once
// Window messages between the machine lists, the splitters and the main
// window (WM_APP = 0x8000).
#include "framework/String.h"

#include <string>

enum : UINT {
    WM_REFRESH_LOCAL = WM_APP + 1,    // F5 in a list: refresh the discovered machines
    WM_RESYNC_SAVED = WM_APP + 2,     // the saved list imported dropped files
    WM_LIST_REPORTS = WM_APP + 20,    // the saved list has reports about its file (TakeReports)
    WM_LIST_CHAR = WM_APP + 102,      // a character typed in a list
    WM_LIST_ACTIVATED = WM_APP + 106, // a list's header was pressed
    WM_HEADER_WIDTH = WM_APP + 109,   // a list's header item is changing
    WM_DISCOVERY_REPLIES = WM_APP + 120, // the reply socket has data (or replies wait in the queue)
    WM_START_UP = WM_APP + 121,          // the main window is up: the saved machines are read and shown
    WM_SAVED_READ = WM_APP + 122,        // the saved list's machines have been read
};

// Control ids of the main window.
enum : UINT {
    IDC_SAVED_LIST = 102,
    IDC_LOG_PANE = 103,
    IDC_DISCOVERED_LIST = 104,
    IDC_LIST_SPLITTER = 105,
    IDC_LOG_SPLITTER = 118,
};

// UTF-8 <-> UTF-16 at the windows.
std::wstring WideFromUtf8(const char* text);
CString Utf8FromWide(const wchar_t* text, int length = -1);
