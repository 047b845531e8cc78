#pragma once
// Process-wide switches of the docking subsystem that other parts of the
// library set or read.
#include "framework/Types.h"

class CFrameWnd;

// Set when the system colours change or a visual manager is made: the
// smart-docking markers are rebuilt in the new colours on their next use.
extern BOOL g_rebuildSmartDocking;
// Docking-pane captions show a menu button that opens the window-position
// menu.
extern BOOL g_paneCaptionMenuButton;
// Auto-hide buttons show their text only for the active pane.
extern BOOL g_autoHideActiveTextOnly;
// While set, the dock managers return at once from their layout pass (the
// workspace sets it while toolbars load their state).
extern BOOL g_suspendDockLayout;
// TRUE while a dock manager re-applies a loaded layout: panes then answer
// their saved visibility and keep their recent places.
extern BOOL g_restoringDockLayout;
// The OLE in-place frame window that is active, or null.
extern CFrameWnd* g_activeInPlaceFrame;
