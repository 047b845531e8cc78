#pragma once
// Sheets of the library's drawing for the window gallery: windows that show
// elements painted by the visual manager in their states, each handed to
// the gallery's photographer under its picture name.
#include <windows.h>

#include <functional>
#include <string>

using GalleryPhotographer = std::function<void(const std::string& name, HWND window)>;

// Popup menus and menu items, toolbar buttons, combo and edit boxes on
// bars, and dialog controls: normal, hot, pressed and disabled.
void ShootControlFamiliesSheet(const GalleryPhotographer& photograph);

// Bar backgrounds, borders, grippers, separators and splitters (in a
// frame, in a dialog, Look2000, floating), and pane captions, caption
// buttons, floating frames, auto-hide buttons and application bars
// (normal, hot, pressed, disabled).
void ShootBarAndCaptionSheets(const GalleryPhotographer& photograph);

// The menu glyphs in every colour of both strips, and a nine-part skin and
// the drop shadow at three sizes (LibraryDrawingsWin.cpp); false when the
// window could not be made.
bool ShootLibraryDrawings(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);

// Tabs in every look, a planner day strip and ribbon pieces in their states
// (VisualManagerSheetsWin.cpp).
void ShootVisualManagerSheets(const GalleryPhotographer& photograph);

// The library's controls as windows in their states, under the base visual
// manager and under one that draws push-button frames and scroll bars
// (ControlsSheetWin.cpp).
void ShootControlSheets(const GalleryPhotographer& photograph);
// The library's list, header, edits, combo boxes, spin buttons, list box,
// font combo box and edit lists as real windows in their states, in the
// classic and the visual-manager look (DialogControlsSheetWin.cpp).
void ShootDialogControlsSheets(const GalleryPhotographer& photograph);
// The colour picker in each of its kinds, without and with the focus
// (ColorPickerSheetWin.cpp); false when the window could not be made.
bool ShootColorPickerSheet(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// A library frame with panes docked side by side and at the bottom, a
// floating pane, and the pane menu open (PaneSheetWin.cpp); false when the
// frame could not be made or the menu did not open.
bool ShootPaneSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// A library frame with toolbars in two top rows (the second squeezed) and
// on the other three sides, and its bars menu open (DockingSheetWin.cpp);
// false when the frame could not be made or the menu did not open.
bool ShootDockingSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// The library's tab windows: every style at the top and at the bottom,
// and their buttons, tab list, icons, colours, shared scroll bar, rename
// edit and resize bar (TabWindowsSheetWin.cpp).
void ShootTabWindowSheets(const GalleryPhotographer& photograph);
// The planner's day view: one day in its states, quarter-hour slots, five
// days and the drawing flags (PlannerSheetWin.cpp).
void ShootPlannerSheets(const GalleryPhotographer& photograph);
// Toolbar menu buttons, menu rows and the show-all item in their states
// (MenuButtonSheetWin.cpp).
void ShootMenuButtonSheet(const GalleryPhotographer& photograph);
// Toolbars: docked with buttons in every state, with text labels, with
// the overflow chevron, in customization mode and floating in rows
// (ToolBarSheetWin.cpp); false when a window could not be made or the bar
// did not float.
bool ShootToolBarSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// The library's popup menus: items in their states with a column break and
// an open submenu, a personalized menu with its show-all item, a scrolling
// menu and a tear-off caption (PopupMenuSheetWin.cpp); false when a menu
// did not open.
bool ShootPopupMenuSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// A colour popup, a torn-off colour bar docked in a frame, the button
// appearance dialog and the image editor with a drawing
// (ColorBarSheetWin.cpp); false when a window could not be made.
bool ShootColorBarSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// The customization sheet's Commands, Toolbars and Options pages and the
// toolbar-name dialog (CustomizeSheetWin.cpp); false when a window could
// not be made.
bool ShootCustomizeSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// The planner's week and work-week views, a resize in progress, copies
// dragged over the all-day band and the in-place editor
// (PlannerInputSheetWin.cpp).
void ShootPlannerInputSheets(const GalleryPhotographer& photograph);
// The calendar: one month, three by two months with week numbers, a
// selection and marked days, a popup under its date control and the
// month list open (CalendarSheetWin.cpp).
void ShootCalendarSheets(const GalleryPhotographer& photograph);
// A library single-document frame with toolbars and a caption bar (normal
// and message-bar mode), the frame in full-screen mode, and a desktop
// application bar docked and floating (FrameSheetWin.cpp); false when a
// window could not be made.
bool ShootFrameSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// The planner's month view and multi-resource view
// (PlannerViewsSheetWin.cpp).
void ShootPlannerViewSheets(const GalleryPhotographer& photograph);
// A library frame with its menu bar docked and a menu open from it, and
// an MDI frame whose maximized child shows its icon and caption buttons on
// the menu bar (MenuBarSheetWin.cpp); false when a window could not be
// made, the menu did not open or the child's buttons did not appear.
bool ShootMenuBarSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// Toolbar controls: flat combo buttons closed, hot and dropped, a help
// combo with its prompt, an edit box, the font combos, a calculator popup
// under an edit and an open drop-down toolbar (ToolbarControlsSheetWin.cpp);
// false when the calculator or the drop-down window did not open.
bool ShootToolbarControlSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
// The planner's printed pages (day of three days, week, month with the week
// bar, dual) printed at 150 dpi onto bitmaps and shown halved
// (PlannerPrintSheetWin.cpp).
void ShootPlannerPrintSheets(const GalleryPhotographer& photograph);
// The customization sheet's Keyboard page (also with a taken key in its key
// field), Menu, Mouse and Tools pages over a library frame with a menu bar
// (CustomizePagesSheetWin.cpp); false when a window could not be made.
bool ShootCustomizePageSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);

// Floating frames: a floating toolbar with its "Toolbar Options" button and
// that button's menu, and a frame unrolled and rolled up to its caption
// (FloatingFrameSheetWin.cpp); false when a frame
// could not be made, the menu did not open or the frame did not roll up.
bool ShootFloatingFrameSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump);
