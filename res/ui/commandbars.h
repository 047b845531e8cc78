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

// The tear-off caption's tooltip.
#define IDS_ZUDP_TEAR_OFF_TIP 16028

// The cursors of a dragged toolbar button: copied, moved, or removed when
// dropped over no toolbar.
#define IDC_ZUDP_DRAG_COPY 16004
#define IDC_ZUDP_DRAG_DELETE 16133
#define IDC_ZUDP_DRAG_MOVE 16146
