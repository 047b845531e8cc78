// The library's start-up unit.  C++ builds the file-scope objects of one
// translation unit in the order they are written, so everything the
// library sets up before the application object is defined here, in the
// order it depends on: the list of toolbars (which the font update of the
// global UI data walks), the global UI data, then the other globals, the
// registered messages and the text constants.  The seams the global UI
// data reads are built before any ordinary file-scope object.
#include "ui/foundation/ZUDPStartup.h"

#include "ui/commandbars/CmdUsageCount.h"
#include "ui/commandbars/ZUDPCalculator.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPDropDownToolbarButton.h"
#include "ui/commandbars/ZUDPHelpComboBoxButton.h"
#include "ui/commandbars/ZUDPToolbarEditBoxButton.h"
#include "ui/commandbars/ZUDPToolbarFontCombo.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPToolbarSystemMenuButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPTabbedToolbar.h"
#include "ui/commandbars/ZUDPToolBarColorButton.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarDropSource.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPColorMenuButton.h"
#include "ui/controls/ZUDPComboBox.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/controls/ZUDPEditListBox.h"
#include "ui/controls/ZUDPFontComboBox.h"
#include "ui/controls/ZUDPGroup.h"
#include "ui/controls/ZUDPHeaderCtrl.h"
#include "ui/controls/ZUDPListBox.h"
#include "ui/controls/ZUDPListCtrl.h"
#include "ui/controls/ZUDPMenuButton.h"
#include "ui/controls/ZUDPProgressCtrl.h"
#include "ui/controls/ZUDPScrollBar.h"
#include "ui/controls/ZUDPSliderCtrl.h"
#include "ui/controls/ZUDPSpinButtonCtrl.h"
#include "ui/controls/ZUDPStatic.h"
#include "ui/docking/ZUDPAppBarWnd.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingControlBar.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPGlobalUtils.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPCalendarBar.h"
#include "ui/planner/ZUDPCalendarMenuButton.h"
#include "ui/planner/ZUDPGanttItem.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"
#include "ui/ribbon/ZUDPOutlookBarPane.h"
#include "ui/ribbon/ZUDPTasksPane.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPTextConstants.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <set>
#include <string>

namespace {

std::set<std::string>& ReportedFailures()
{
    static std::set<std::string> reported;
    return reported;
}

} // namespace

BOOL ReportStartupFailure(const char* feature)
{
    if (!ReportedFailures().insert(feature != nullptr ? feature : "").second)
        return FALSE;
    std::string text = std::string("UI library: could not set up ") + (feature != nullptr ? feature : "?") + "\n";
    ::OutputDebugStringA(text.c_str());
    return TRUE;
}

int GetStartupFailureCount() { return int(ReportedFailures().size()); }

// ---------------------------------------------------------------------------
// Globals, in order

BOOL g_drawingOnGlass = FALSE;

CObList g_toolbarList;
CZUDPCommandManager g_commandManager;
CList<UINT, UINT> g_blockedCommands;

CObList g_frameList;
CList<HWND, HWND> g_miniFrameList;
CZUDPGlobalUtils g_globalUtils;

CZUDPUIEnvironment g_uiEnvironment;
CSize g_dragThreshold(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
CMap<COLORREF, COLORREF, CString, LPCTSTR> g_colorNames;
CMap<UINT, UINT, COLORREF, COLORREF> g_commandColors;

// The menu glyph strip and its five recoloured copies (empty until first
// use; they take the shadow colour of the global UI data).
CZUDPMenuGlyphStrips g_menuGlyphStrips;

CZUDPMenuHash g_menuHash;

// How often each command ran (personalized menus), and the one drop source
// of dragged toolbar buttons.
CCmdUsageCount g_commandUsage;
CZUDPToolbarDropSource g_toolbarDropSource;

// The edit's calculator mode opens the command bars' calculator popup.
namespace {
struct CalculatorPopupRegistration {
    CalculatorPopupRegistration() { CZUDPEdit::SetCalculatorPopupFactory(&CZUDPCalculatorPopup::Make); }
} g_calculatorPopupRegistration;
} // namespace

// The process's GDI+ session (PNG images): this unit holds one reference
// from start-up to exit, each image strip one more, so GDI+ is shut down
// only after the last strip, whatever order the exit destroys them in.
namespace {
struct GdiplusSessionReference {
    GdiplusSessionReference() { CZUDPGdiplusSession::AddRef(); }
    ~GdiplusSessionReference() { CZUDPGdiplusSession::Release(); }
} g_gdiplusSessionReference;
} // namespace

// The toolbars' shared image strips: normal, cold, disabled, their large
// forms, the menu images and the disabled menu images.
CZUDPToolBarImages g_sharedToolbarImages;
CZUDPToolBarImages g_sharedColdImages;
CZUDPToolBarImages g_sharedDisabledImages;
CZUDPToolBarImages g_sharedLargeImages;
CZUDPToolBarImages g_sharedLargeColdImages;
CZUDPToolBarImages g_sharedLargeDisabledImages;
CZUDPToolBarImages g_sharedMenuImages;
CZUDPToolBarImages g_sharedDisabledMenuImages;

// ---------------------------------------------------------------------------
// Registered messages

#define ZUDP_DEFINE_REGISTERED_MESSAGE(name) const UINT name = ::RegisterWindowMessageA(#name);
ZUDP_REGISTERED_MESSAGES(ZUDP_DEFINE_REGISTERED_MESSAGE)
#undef ZUDP_DEFINE_REGISTERED_MESSAGE

#define ZUDP_LIST_REGISTERED_MESSAGE(name) {#name, &name},
const ZUDPRegisteredMessage g_registeredMessages[] = {ZUDP_REGISTERED_MESSAGES(ZUDP_LIST_REGISTERED_MESSAGE)};
#undef ZUDP_LIST_REGISTERED_MESSAGE
const int g_registeredMessageCount = int(sizeof(g_registeredMessages) / sizeof(g_registeredMessages[0]));

// ---------------------------------------------------------------------------
// Runtime classes (each class's IMPLEMENT_SERIAL adds it to the framework's
// list; naming it here keeps its object file in every program)

const ZUDPLibraryClass g_libraryClasses[] = {
    {RUNTIME_CLASS(CZUDPToolBar)},
    {RUNTIME_CLASS(CZUDPToolbarButton)},
    {RUNTIME_CLASS(CCustomizeButton)},
    {RUNTIME_CLASS(CZUDPPopupMenu)},
    {RUNTIME_CLASS(CZUDPUserTool)},
    {RUNTIME_CLASS(CZUDPToolbarMenuButton)},
    {RUNTIME_CLASS(CZUDPMenuBar)},
    {RUNTIME_CLASS(CZUDPDialogBar)},
    {RUNTIME_CLASS(CZUDPTasksPane)},
    {RUNTIME_CLASS(CZUDPMiniFrameWnd)},
    {RUNTIME_CLASS(CZUDPDockingControlBar)},
    {RUNTIME_CLASS(CZUDPTabbedControlBar)},
    {RUNTIME_CLASS(CZUDPMouseManager)},
    {RUNTIME_CLASS(CZUDPPopupMenuBar)},
    {RUNTIME_CLASS(CZUDPOutlookBarPane)},
    {RUNTIME_CLASS(CZUDPOutlookButton)},
    {RUNTIME_CLASS(CZUDPToolbarComboBoxButton)},
    {RUNTIME_CLASS(CZUDPMultiMiniFrameWnd)},
    {RUNTIME_CLASS(CZUDPAppBarWnd)},
    {RUNTIME_CLASS(CZUDPDockingCBWrapper)},
    {RUNTIME_CLASS(CZUDPTabbedToolbar)},
    {RUNTIME_CLASS(CZUDPColorBar)},
    {RUNTIME_CLASS(CZUDPToolBarColorButton)},
    {RUNTIME_CLASS(CZUDPColorMenuButton)},
    {RUNTIME_CLASS(CZUDPToolbarSystemMenuButton)},
    {RUNTIME_CLASS(CZUDPHelpComboBoxButton)},
    {RUNTIME_CLASS(CZUDPCalculator)},
    {RUNTIME_CLASS(CCalculatorButton)},
    {RUNTIME_CLASS(CCalculatorDisplay)},
    {RUNTIME_CLASS(CZUDPToolbarEditBoxButton)},
    {RUNTIME_CLASS(CZUDPToolbarFontCombo)},
    {RUNTIME_CLASS(CZUDPToolbarFontSizeCombo)},
    {RUNTIME_CLASS(CZUDPDropDownToolbarButton)},
    {RUNTIME_CLASS(CZUDPDropDownToolBar)},
    {RUNTIME_CLASS(CZUDPDropDownFrame)},
};
const int g_libraryClassCount = int(sizeof(g_libraryClasses) / sizeof(g_libraryClasses[0]));

const ZUDPLibraryClass g_libraryControlClasses[] = {
    {RUNTIME_CLASS(CZUDPButton)},
    {RUNTIME_CLASS(CZUDPMenuButton)},
    {RUNTIME_CLASS(CZUDPGroup)},
    {RUNTIME_CLASS(CZUDPStatic)},
    {RUNTIME_CLASS(CZUDPProgressCtrl)},
    {RUNTIME_CLASS(CZUDPSliderCtrl)},
    {RUNTIME_CLASS(CZUDPScrollBar)},
    {RUNTIME_CLASS(CZUDPHeaderCtrl)},
    {RUNTIME_CLASS(CZUDPListCtrl)},
    {RUNTIME_CLASS(CZUDPEdit)},
    {RUNTIME_CLASS(CZUDPComboBox)},
    {RUNTIME_CLASS(CZUDPSpinButtonCtrl)},
    {RUNTIME_CLASS(CZUDPListBox)},
    {RUNTIME_CLASS(CZUDPFontComboBox)},
    {RUNTIME_CLASS(CZUDPEditListBox)},
    {RUNTIME_CLASS(CZUDPEditListEdit)},
};
const int g_libraryControlClassCount = int(sizeof(g_libraryControlClasses) / sizeof(g_libraryControlClasses[0]));

// The planner's archived classes: appointments come back from clipboard and
// drag archives with their series, rules and property lists, all found by
// class name.
const ZUDPLibraryClass g_libraryPlannerClasses[] = {
    {RUNTIME_CLASS(CZUDPAppointment)},
    {RUNTIME_CLASS(CZUDPAppointmentBaseProperty)},
    {RUNTIME_CLASS(CZUDPAppointmentProperty)},
    {RUNTIME_CLASS(CZUDPAppointmentPropertyImages)},
    {RUNTIME_CLASS(CZUDPAppointmentPropertyList)},
    {RUNTIME_CLASS(CZUDPRecurrence)},
    {RUNTIME_CLASS(CZUDPRecurrenceBaseRule)},
    {RUNTIME_CLASS(CZUDPRecurrenceRuleDaily)},
    {RUNTIME_CLASS(CZUDPRecurrenceRuleWeekly)},
    {RUNTIME_CLASS(CZUDPRecurrenceRuleMonthly)},
    {RUNTIME_CLASS(CZUDPRecurrenceRuleYearly)},
    {RUNTIME_CLASS(CZUDPGanttItem)},
    {RUNTIME_CLASS(CZUDPGanttItemStorageBase)},
    {RUNTIME_CLASS(CZUDPCalendarBar)},
    {RUNTIME_CLASS(CZUDPCalendarMenuButton)},
};
const int g_libraryPlannerClassCount = int(sizeof(g_libraryPlannerClasses) / sizeof(g_libraryPlannerClasses[0]));

// The rule kinds the planner controls register (each class once).
CZUDPRecurrenceRuleRegistrator g_recurrenceRuleRegistrator;

// The latest date of each command of the calendar buttons and bars.
CMap<UINT, UINT, COleDateTime, const COleDateTime&> g_calendarButtonDates;

// ---------------------------------------------------------------------------
// Text constants

const char kWorkspaceVersionKey[] = "ZUDControlBarVersion";
const char kWorkspaceVersionMajor[] = "Major";
const char kWorkspaceVersionMinor[] = "Minor";
const char kWorkspacePlacementKey[] = "WindowPlacement";
const char kWorkspaceMainWindowRect[] = "MainWindowRect";
const char kWorkspacePlacementFlags[] = "Flags";
const char kWorkspaceShowCommand[] = "ShowCmd";
const char kWorkspaceControlBarsSuffix[] = "\\ControlBars";
const char kUserToolsSection[] = "ZUDUserToolsManager";
const char kUserToolsEntry[] = "Tools";
const char kMouseSection[] = "ZUDMouseManager";
const char kMouseEntry[] = "Mouse";
const char kKeyboardSection[] = "ZUDPKeyboardManager";
const char kRebarKeyFormat[] = "ZUDRebar-%ld";
const char kRebarBandInfoEntry[] = "RBI";
const char kRebarIdsEntry[] = "IDs";
const char kRebarLockedEntry[] = "Locked";
const char kFaceSegoeUI[] = "Segoe UI";
const char kFaceTahoma[] = "Tahoma";
const char kFaceMSSansSerif[] = "MS Sans Serif";
const char kFaceMarlett[] = "Marlett";
const char kFaceArial[] = "Arial";
const char kPngResourceType[] = "PNG";
const char kCommandManagerSection[] = "ZUDToolBars";
const char kToolbarsSection[] = "ZUDToolBars";
const char kBaseControlBarsSection[] = "ZUDPBaseControlBars";
const char kControlBarsSection[] = "ZUDControlBars";
const char kMenuBarSection[] = "ZUDMenuBar";
const char kButtonDoubleAmpersandPlaceholder[] = "\x01\x01";
const char kMenuDoubleAmpersandPlaceholder[] = "\x01\x01";
const char kRibbonDoubleAmpersandPlaceholder[] = "\x01\x01";
const char kTearOffSection[] = "ControlBars-TearOff";
const char kDockManagersSection[] = "ZUDPDockManagers";
const char kMDIClientAreaSection[] = "MDIClientArea";
const char kAppBarsSection[] = "ZUDPAppBars";
const char kDockingWrapperControlBarsSection[] = "ZUDControlBars";
const char kOutlookBarsSection[] = "ZUDPOutlookBars";
const char kOutlookCustomPagesSection[] = "ZUDPOutlookCustomPages";
const char kTasksPanesSection[] = "ZUDPTasksPanes";
const char kPlannerClipboardFormat[] = "ZUDPPlannerManagerClpFmt";
