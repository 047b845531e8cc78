#pragma once
// Resource ids of the library's command bars (panes, toolbars, menus and
// their customization).  The library owns ids 16000 to 17200.

// The pane menu of a docking pane.
#define IDS_ZUDP_PANE_FLOATING 17039
#define IDS_ZUDP_PANE_DOCKING 17040
#define IDS_ZUDP_PANE_AUTOHIDE 17041
#define IDS_ZUDP_PANE_HIDE 17042
#define IDS_ZUDP_PANE_TABBED_DOCUMENT 17088

// The overflow button's caption.
#define IDS_ZUDP_TOOLBAR_OPTIONS 17017

// Toolbar names, the reset prompt and the "Add or Remove Buttons" menu of
// the overflow button: its caption, the reset row (and the id that marks
// it) and the row toggle of two sibling toolbars.
#define IDS_ZUDP_UNTITLED_TOOLBAR 16104
#define IDS_ZUDP_RESET_TOOLBAR_PROMPT 16111
#define IDS_ZUDP_RESET_TOOLBAR 16300
#define ID_ZUDP_RESET_TOOLBAR_ROW 17016
#define IDS_ZUDP_ADD_REMOVE_BUTTONS 17018
#define IDS_ZUDP_BUTTONS_ONE_ROW 17027
#define IDS_ZUDP_BUTTONS_TWO_ROWS 17028

// The context menu of a toolbar button in customization, its commands, and
// the command that inserts a new menu button.
#define IDR_ZUDP_BUTTON_MENU 16102
#define ID_ZUDP_BUTTON_RESET 16910
#define ID_ZUDP_BUTTON_COPY_IMAGE 16911
#define ID_ZUDP_BUTTON_DELETE 16912
#define ID_ZUDP_BUTTON_APPEARANCE 16913
#define ID_ZUDP_BUTTON_IMAGE 16914
#define ID_ZUDP_BUTTON_TEXT 16915
#define ID_ZUDP_BUTTON_IMAGE_TEXT 16916
#define ID_ZUDP_BUTTON_START_GROUP 16917
#define ID_ZUDP_BUTTON_NEW_MENU 16918

// The tear-off caption's tooltip.
#define IDS_ZUDP_TEAR_OFF_TIP 16028

// The cursors of a dragged toolbar button: copied, moved, or removed when
// dropped over no toolbar.
#define IDC_ZUDP_DRAG_COPY 16004
#define IDC_ZUDP_DRAG_DELETE 16133
#define IDC_ZUDP_DRAG_MOVE 16146

// The button appearance dialog and its controls.
#define IDD_ZUDP_BUTTON_APPEARANCE 16132
#define IDC_ZUDP_APPEARANCE_TEXT 16500
#define IDC_ZUDP_APPEARANCE_IMAGE_ONLY 16505
#define IDC_ZUDP_APPEARANCE_TEXT_ONLY 16506
#define IDC_ZUDP_APPEARANCE_IMAGE_TEXT 16507
#define IDC_ZUDP_APPEARANCE_IMAGES 16508
#define IDC_ZUDP_APPEARANCE_NEW 16509
#define IDC_ZUDP_APPEARANCE_EDIT 16510
#define IDC_ZUDP_APPEARANCE_USER_IMAGE 16529
#define IDC_ZUDP_APPEARANCE_DEFAULT_IMAGE 16530
#define IDC_ZUDP_APPEARANCE_DEFAULT_FRAME 16531
#define IDC_ZUDP_APPEARANCE_DESCRIPTION 16603
#define IDS_ZUDP_SELECT_IMAGE 16001
#define IDS_ZUDP_ENTER_TEXT 16002
#define IDS_ZUDP_CANNOT_CREATE_IMAGE 16003

// The button image editor: its template, controls, tools bar (toolbar
// resource and 16- and 24-bit image strips), tool commands and cursors.
#define IDD_ZUDP_IMAGE_EDITOR 16133
#define IDC_ZUDP_IMAGE_EDITOR_AREA 16513
#define IDC_ZUDP_IMAGE_EDITOR_COLORS 16516
#define IDC_ZUDP_IMAGE_EDITOR_PREVIEW 16519
#define IDC_ZUDP_IMAGE_EDITOR_TOOLS 16533
#define IDR_ZUDP_IMAGE_EDITOR_TOOLS 16138
#define IDB_ZUDP_IMAGE_EDITOR_TOOLS_HICOLOR 16139
#define IDC_ZUDP_CURSOR_RECTANGLE 16140
#define IDC_ZUDP_CURSOR_ELLIPSE 16141
#define IDC_ZUDP_CURSOR_FILL 16142
#define IDC_ZUDP_CURSOR_LINE 16143
#define IDC_ZUDP_CURSOR_PENCIL 16144
#define ID_ZUDP_IMAGE_FILL 16901
#define ID_ZUDP_IMAGE_PENCIL 16902
#define ID_ZUDP_IMAGE_PICK 16903
#define ID_ZUDP_IMAGE_LINE 16904
#define ID_ZUDP_IMAGE_RECTANGLE 16905
#define ID_ZUDP_IMAGE_ELLIPSE 16906
#define ID_ZUDP_IMAGE_COPY 16907
#define ID_ZUDP_IMAGE_PASTE 16908
#define ID_ZUDP_IMAGE_CLEAR 16909
#define IDS_ZUDP_CANNOT_PASTE_BITMAP 16004

// The menu bar's window text.
#define IDS_ZUDP_MENU_BAR 16006
