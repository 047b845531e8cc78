#pragma once
// Resource ids of the library's foundation (visual manager,
// global UI data, image strips, registry and workspace, tooltips).
// The library owns ids 16000 to 17200; each id is defined where the
// resource that uses it arrives.

// The hand cursor of systems without one of their own (global UI data).
#define IDC_ZUDP_HAND 16919

// Tooltip text of the show-all item of a menu: the key that opens the
// rest of the menu, as shortcut text.
#define IDS_ZUDP_EXPAND_KEY 16025

// Image strips: the library's internal-error message and the failed
// clipboard copy of an image.
#define IDS_ZUDP_INTERNAL_ERROR 16008
#define IDS_ZUDP_CANNOT_COPY_BITMAP 16010

// The menu glyph strips (4 and 24 bits per pixel).
#define IDB_ZUDP_MENU_GLYPHS 16129
#define IDB_ZUDP_MENU_GLYPHS_HICOLOR 17080
