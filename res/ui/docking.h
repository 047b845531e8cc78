#pragma once
// Resource ids of the library's frames, docking and tab windows.
// The library owns ids 16000 to 17200; each id is defined where the
// resource that uses it arrives.  The two split cursors keep the ids the
// tab windows have always loaded them by.

// Tab windows: tooltips of the close button and of the row's scroll
// buttons, and of the scroll-right button while it shows the tab list.
#define IDS_ZUDP_TAB_CLOSE 16032
#define IDS_ZUDP_TAB_SCROLL_LEFT 16034
#define IDS_ZUDP_TAB_SCROLL_RIGHT 16035
#define IDS_ZUDP_TAB_LIST 17043
// The cursors over a bar dragged left and right, and up and down (the
// shared scroll bar's splitter, the resize bar of a tab group).
#define IDC_ZUDP_SPLIT_HORZ 30980
#define IDC_ZUDP_SPLIT_VERT 30981

// Frames: the message shown when every id of the user-toolbar range is
// taken, and the full-screen toolbar's command and its title.
#define IDS_ZUDP_USER_TOOLBARS_FULL 16243
#define ID_ZUDP_CLOSE_FULL_SCREEN 17025
#define IDS_ZUDP_CLOSE_FULL_SCREEN 17025
#define IDS_ZUDP_FULL_SCREEN 17026

// The print preview's toolbar: the toolbar resource with its 16-colour
// images, the high-colour images, and the command whose image shows two
// pages (its button is taken off the bar when it is made).
#define IDR_ZUDP_PRINT_PREVIEW 16960
#define IDB_ZUDP_PRINT_PREVIEW_HICOLOR 16957
#define ID_ZUDP_PREVIEW_TWO_PAGES 16959
// Floating frames: the tooltips of the pin and menu caption buttons and of
// the close button (16105 is the one "Close" string, kept in customize.rc).
#define IDS_ZUDP_MINIFRAME_AUTOHIDE 16033
#define IDS_ZUDP_MINIFRAME_CLOSE 16105
