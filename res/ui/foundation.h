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
