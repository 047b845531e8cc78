#pragma once
// Resource ids of the library's dialogs and controls.
// The library owns ids 16000 to 17200; each id is defined where the
// resource that uses it arrives.

// Edits with a browse button, font combo boxes and edit lists.
// The browse button's strip (folder, file, calculator; 16 x 16 on
// magenta), in high colour and in 16 colours.
#define IDB_ZUDP_BROWSE_HICOLOR 17049
#define IDB_ZUDP_BROWSE 17032
// The font combo box's font types (device, TrueType; 16 x 16 on white).
#define IDB_ZUDP_FONT_TYPES 17000
// The edit list's caption buttons, in high colour and in 16 colours.
#define IDB_ZUDP_EDITLIST_NEW_HICOLOR 17053
#define IDB_ZUDP_EDITLIST_DELETE_HICOLOR 17054
#define IDB_ZUDP_EDITLIST_UP_HICOLOR 17055
#define IDB_ZUDP_EDITLIST_DOWN_HICOLOR 17057
#define IDB_ZUDP_EDITLIST_NEW 16929
#define IDB_ZUDP_EDITLIST_DELETE 16930
#define IDB_ZUDP_EDITLIST_UP 16931
#define IDB_ZUDP_EDITLIST_DOWN 16932
// Tooltips of the edit list's caption buttons.
#define IDS_ZUDP_EDITLIST_NEW 16017
#define IDS_ZUDP_EDITLIST_DELETE 16020
#define IDS_ZUDP_EDITLIST_MOVE_UP 16021
#define IDS_ZUDP_EDITLIST_MOVE_DOWN 16022
// Title of the warning about a file name with characters no file name can
// hold.
#define IDS_ZUDP_INVALID_FILENAME 0xF100
