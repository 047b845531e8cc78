#pragma once
// Text constants of the library: registry names of its components, font
// faces, resource types and clipboard formats.  Defined in the library's
// start-up unit.

// Workspace
extern const char kWorkspaceVersionKey[];        // "ZUDControlBarVersion"
extern const char kWorkspaceVersionMajor[];      // "Major"
extern const char kWorkspaceVersionMinor[];      // "Minor"
extern const char kWorkspacePlacementKey[];      // "WindowPlacement"
extern const char kWorkspaceMainWindowRect[];    // "MainWindowRect"
extern const char kWorkspacePlacementFlags[];    // "Flags"
extern const char kWorkspaceShowCommand[];       // "ShowCmd"
extern const char kWorkspaceControlBarsSuffix[]; // "\\ControlBars"
// User-tools, mouse and keyboard managers
extern const char kUserToolsSection[];
extern const char kUserToolsEntry[];
extern const char kMouseSection[];
extern const char kMouseEntry[];
extern const char kKeyboardSection[];
// Rebar state
extern const char kRebarKeyFormat[];
extern const char kRebarBandInfoEntry[];
extern const char kRebarIdsEntry[];
extern const char kRebarLockedEntry[];
// Font faces of the global UI data
extern const char kFaceSegoeUI[];
extern const char kFaceTahoma[];
extern const char kFaceMSSansSerif[];
extern const char kFaceMarlett[];
extern const char kFaceArial[];
// PNG images
extern const char kPngResourceType[];
// Command bars
extern const char kCommandManagerSection[];
extern const char kToolbarsSection[];
extern const char kBaseControlBarsSection[];
extern const char kControlBarsSection[];
extern const char kMenuBarSection[];
// Two characters 1 that stand for "&&" while single mnemonic ampersands are
// removed (toolbar buttons, menu items, ribbon elements each keep one).
extern const char kButtonDoubleAmpersandPlaceholder[];
extern const char kMenuDoubleAmpersandPlaceholder[];
extern const char kRibbonDoubleAmpersandPlaceholder[];
// Frames, docking and tabs
extern const char kTearOffSection[];
extern const char kDockManagersSection[];
extern const char kMDIClientAreaSection[];
extern const char kAppBarsSection[];
extern const char kDockingWrapperControlBarsSection[];
// Ribbon and navigation panes
extern const char kOutlookBarsSection[];
extern const char kOutlookCustomPagesSection[];
extern const char kTasksPanesSection[];
// Planner
extern const char kPlannerClipboardFormat[];
