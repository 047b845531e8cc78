#pragma once
// Style bits of control bars (CBRS_) and of toolbar buttons (TBBS_), as the
// framework's bars and the library's bars and buttons use them.

// Control bars: floating and sizing
#define CBRS_NOALIGN 0x00000000L
#define CBRS_FLOATING 0x00000001L
#define CBRS_SIZE_FIXED 0x00000002L
#define CBRS_SIZE_DYNAMIC 0x00000004L
#define CBRS_HIDE_INPLACE 0x00000008L
#define CBRS_TOOLTIPS 0x00000010L
#define CBRS_FLYBY 0x00000020L
#define CBRS_FLOAT_MULTI 0x00000040L
#define CBRS_BORDER_3D 0x00000080L
// Borders drawn round a docked bar
#define CBRS_BORDER_LEFT 0x00000100L
#define CBRS_BORDER_TOP 0x00000200L
#define CBRS_BORDER_RIGHT 0x00000400L
#define CBRS_BORDER_BOTTOM 0x00000800L
#define CBRS_BORDER_ANY 0x00000F00L
// The side a bar is docked to (or may dock to)
#define CBRS_ALIGN_LEFT 0x00001000L
#define CBRS_ALIGN_TOP 0x00002000L
#define CBRS_ALIGN_RIGHT 0x00004000L
#define CBRS_ALIGN_BOTTOM 0x00008000L
#define CBRS_ALIGN_ANY 0x0000F000L
#define CBRS_GRIPPER 0x00400000L
// Every bar-style bit a bar keeps of the style it is created with
#define CBRS_ALL 0x0040FFFFL

#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Toolbar buttons: kind in the low word, state in the high word
#define TBBS_BUTTON 0x00000000L
#define TBBS_SEPARATOR 0x00000001L
#define TBBS_CHECKBOX 0x00000002L
#define TBBS_GROUP 0x00000004L
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED 0x00010000L
#define TBBS_PRESSED 0x00020000L
#define TBBS_DISABLED 0x00040000L
#define TBBS_HIDDEN 0x00080000L
#define TBBS_INDETERMINATE 0x00100000L
#define TBBS_WRAPPED 0x00200000L
#define TBBS_MARKED 0x00800000L
#define TBBS_BREAK 0x20000000L   // the item starts a new menu column

// Layout requests to a bar's size calculation
#define LM_STRETCH 0x01     // stretched across its dock bar
#define LM_HORZ 0x02        // horizontal
#define LM_MRUWIDTH 0x04    // at the most recently used width
#define LM_HORZDOCK 0x08    // docked horizontally
#define LM_VERTDOCK 0x10    // docked vertically
#define LM_LENGTHY 0x20     // the length given is a height
#define LM_COMMIT 0x40      // the size becomes the bar's

// Status-bar panes
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000
