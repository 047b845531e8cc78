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
// The colour chooser: the dialog's template with its placeholder of the
// page sheet, eyedropper button and swatch; the two pages with their
// pickers, edits and up-down buttons; the eyedropper's button image and
// cursor.
#define IDD_ZUDP_COLORS 16961
#define IDD_ZUDP_COLORS_STANDARD 16962
#define IDD_ZUDP_COLORS_CUSTOM 16963
#define IDC_ZUDP_COLORS_PLACEHOLDER 16970
#define IDC_ZUDP_COLORS_SELECT 17045
#define IDC_ZUDP_COLORS_COLOR 16662  // the dialog's swatch, the custom page's picture
#define IDC_ZUDP_COLORS_HEX 16974
#define IDC_ZUDP_COLORS_GREY 16972
#define IDC_ZUDP_COLORS_LUM 16973
#define IDC_ZUDP_COLORS_RED 16964
#define IDC_ZUDP_COLORS_GREEN 16965
#define IDC_ZUDP_COLORS_BLUE 16966
#define IDC_ZUDP_COLORS_LUM_EDIT 16967
#define IDC_ZUDP_COLORS_SAT_EDIT 16968
#define IDC_ZUDP_COLORS_HUE_EDIT 16969
#define IDC_ZUDP_COLORS_HUE_SPIN 16976
#define IDC_ZUDP_COLORS_SAT_SPIN 16977
#define IDC_ZUDP_COLORS_LUM_SPIN 16978
#define IDC_ZUDP_COLORS_RED_SPIN 16979
#define IDC_ZUDP_COLORS_GREEN_SPIN 16980
#define IDC_ZUDP_COLORS_BLUE_SPIN 16981
#define IDB_ZUDP_EYEDROPPER 17046
#define IDC_ZUDP_EYEDROPPER 16145
