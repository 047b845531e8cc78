#pragma once
// CZUDPVisualManager: the one object through which every element of the
// library is painted.  Each drawable part of each element (a bar's
// background, a toolbar button's frame, a menu item's highlight, a tab, a
// caption button, a check box, a ribbon panel, a planner cell...) has one
// virtual operation here; the element computes geometry and state and the
// manager chooses colours, brushes, glyphs and shapes.  The base class
// draws the classic three-dimensional system look, with visual styles (the
// theme manager it derives from) for the few parts that have a themed
// form.  A derived manager installed with SetDefaultManager changes the
// look of the whole program at once.
//
// The virtual operations are declared in the order of the manager's
// virtual table (the number after each is its slot; slots 0 to 2 are the
// object's runtime class, destructor and serialisation, 3 to 10 the theme
// manager's); code that maps operations by position relies on it, so new
// operations go at the end and none moves.
//
// The drawing of each element family lives in a file of its own:
// ZUDPVisualManagerBars.cpp (bars, panes, splitters, dialog backgrounds),
// ...Menus.cpp (popup menus and menu items), ...Buttons.cpp (toolbar
// buttons, combo and edit boxes on bars), ...Captions.cpp (captions,
// floating frames, auto-hide, frame hooks), ...Tabs.cpp,
// ...DialogControls.cpp, ...Panes.cpp (status bar, caption bar, outlook
// bar, task pane, tooltips, glass text), ...Planner.cpp (planner, calendar,
// grid, Gantt) and ...Ribbon.cpp; ZUDPVisualManager.cpp holds the
// singleton, the fields and the constant answers.
//
// Colours come from g_uiEnvironment; operations answering a colour answer
// -1 when the caller keeps its own, operations answering BOOL answer FALSE
// when the caller draws the part itself.  UI thread only.
#include "framework/win/DC.h"
#include "framework/win/GdiObject.h"
#include "ui/foundation/ZUDPWinXPThemeManager.h"

class CImageList;
class CWnd;
struct ZUDP_TOOLTIP_PARAMS;

// Elements the operations draw or read, of every subsystem of the library.
class CZUDPBaseControlBar;
class CZUDPToolBar;
class CZUDPToolbarButton;
class CZUDPToolbarMenuButton;
class CZUDPToolbarComboBoxButton;
class CZUDPToolbarEditBoxButton;
class CZUDPShowAllButton;
class CZUDPPopupMenu;
class CZUDPPopupMenuBar;
class CZUDPDockingControlBar;
class CZUDPCaptionButton;
class CZUDPCaptionBar;
class CZUDPMiniFrameWnd;
class CZUDPSlider;
class CZUDPAutoHideButton;
class CZUDPAppBarWnd;
class CZUDPStatusBar;
class CZUDPBaseTabWnd;
class CZUDPButton;
class CZUDPHeaderCtrl;
class CZUDPListBox;
class CZUDPEdit;
class CZUDPSpinButtonCtrl;
class CZUDPScrollBar;
class CZUDPGroup;
class CZUDPSliderCtrl;
class CZUDPTasksPaneGroup;
class CZUDPTasksPaneTask;
class CZUDPToolTipCtrl;
class CZUDPPlannerView;
class CZUDPCalendar;
struct CalendarColors;
struct GanttColorSet;
class CZUDPBaseRibbonElement;
class CZUDPRibbonBar;
class CZUDPRibbonCategory;
class CZUDPRibbonCategoryScroll;
class CZUDPRibbonTab;
class CZUDPRibbonPanel;
class CZUDPRibbonButton;
class CZUDPRibbonLaunchButton;
class CZUDPRibbonDefaultPanelButton;
class CZUDPRibbonCaptionButton;
class CZUDPRibbonLabel;
class CZUDPRibbonPaletteIcon;
class CZUDPRibbonPaletteButton;
class CZUDPRibbonPanelMenuBar;
class CZUDPRibbonSeparator;
class CZUDPRibbonProgressBar;
// A status-bar pane as the status bar keeps it.
struct ZUDP_STATUSBAR_PANE;

class CZUDPVisualManager : public CZUDPWinXPThemeManager {
    DECLARE_DYNCREATE(CZUDPVisualManager)
public:
    // A temporary manager neither installs itself as the active one, nor
    // refreshes the global colours, nor clears the active pointer when it
    // is destroyed.
    explicit CZUDPVisualManager(BOOL bTemporary = FALSE);
    /* 1 */ ~CZUDPVisualManager() override;

    // The active manager, created on first use (of the registered class,
    // else of this one).  Never null.
    static CZUDPVisualManager* GetActiveManager();
    // Replaces the active manager by one of the given class (null: this
    // class), made on the next GetActiveManager, and repaints everything.
    // A class not derived from this one is ignored.
    static void SetDefaultManager(CRuntimeClass* pRTI);
    // Repaints every frame, the main window, every control bar and every
    // floating frame.
    static void RedrawAll();
    // Grippers with one line instead of two, caption buttons without their
    // outer frame when idle; repaints.
    static void SetLook2000Style(BOOL bLook2000 = TRUE);
    static BOOL IsLook2000();

    // The planner's no-colour value.
    static constexpr COLORREF kPlannerNoColor = 0xFF000000;

    /* 11 */ virtual BOOL QueryGeneralOption();
    /* 12 */ virtual void ResetColors();
    /* 13 */ virtual void FillBarBackground(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                            BOOL bNCArea = FALSE);
    /* 14 */ virtual BOOL FillBackgroundFromParentBar(CWnd* pChild, CDC* pDC, LPRECT lpRect = nullptr);
    /* 15 */ virtual void DrawBarBorder(CDC* pDC, CZUDPBaseControlBar* pBar, CRect& rect);
    /* 16 */ virtual void DrawPopupMenuBorder(CDC* pDC, CZUDPPopupMenu* pMenu, CRect rect);
    /* 17 */ virtual void DrawPopupMenuShadow(CDC* pDC, const CRect& rectMenu, const CRect& rectExclude, int nDepth,
                                              int nOuterPercent, int nInnerPercent, CBitmap* pBottomCache,
                                              CBitmap* pSideCache, BOOL bRTL);
    /* 18 */ virtual void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CZUDPBaseControlBar* pBar);
    /* 19 */ virtual void DrawSeparator(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rect, BOOL bHorz);
    /* 20 */ virtual COLORREF FillMenuLabel(CDC* pDC, CRect rect);
    /* 21 */ virtual COLORREF FillDockingBarCaption(CDC* pDC, CZUDPDockingControlBar* pBar, BOOL bActive,
                                                    CRect rectCaption, CRect rectButtons);
    /* 22 */ virtual void DrawCaptionButton(CDC* pDC, CZUDPCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                            BOOL bMaximized, BOOL bDisabled, int nImageID = -1);
    /* 23 */ virtual void DrawMDIChildSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                   BOOL bHighlight);
    /* 24 */ virtual void DrawStatusBarPaneBorder(CDC* pDC, CZUDPStatusBar* pBar, CRect rectPane, int nPaneIndex,
                                                  UINT nStyle);
    /* 25 */ virtual COLORREF GetStatusBarPaneTextColor(CZUDPStatusBar* pBar, const ZUDP_STATUSBAR_PANE* pPane);
    /* 26 */ virtual void DrawStatusBarProgress(CDC* pDC, CZUDPStatusBar* pBar, CRect rectProgress, int nTotal,
                                                int nCurrent, COLORREF clrBar, COLORREF clrGradientEnd,
                                                COLORREF clrText, BOOL bShowPercent);
    /* 27 */ virtual void DrawStatusBarSizeGrip(CDC* pDC, CZUDPStatusBar* pBar, CRect rectSizeGrip);
    /* 28 */ virtual void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CZUDPToolbarComboBoxButton* pButton);
    /* 29 */ virtual void DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                          CZUDPToolbarComboBoxButton* pButton);
    /* 30 */ virtual void FillComboEditArea(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                            CZUDPToolbarComboBoxButton* pButton);
    /* 31 */ virtual void DrawEditBoxBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bHasBorder,
                                            CZUDPToolbarEditBoxButton* pButton);
    /* 32 */ virtual void DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive);
    /* 33 */ virtual void DrawPopupMenuResizeBar(CDC* pDC, CRect rect, int nPlacement);
    /* 34 */ virtual void DrawPopupMenuScrollButton(CDC* pDC, CRect rect, BOOL bIsScrollDown, BOOL bIsHighlighted,
                                                    BOOL bIsPressed, BOOL bIsDisabled);
    /* 35 */ virtual CBrush& GetEditBoxColors(CZUDPToolbarButton* pButton, COLORREF& clrText, COLORREF& clrBack);
    /* 36 */ virtual BOOL UsesBarBackgroundForControls();
    /* 37 */ virtual void FillButtonInterior(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state);
    /* 38 */ virtual void DrawButtonBorder(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state);
    /* 39 */ virtual void DrawMenuButtonBorder(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state);
    /* 40 */ virtual void FillHighlightedMenuItem(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect,
                                                  CZUDPPopupMenuBar* pBar);
    /* 41 */ virtual COLORREF GetHighlightedMenuItemTextColor(CZUDPToolbarMenuButton* pButton);
    /* 42 */ virtual BOOL HighlightsFullMenuRow();
    /* 43 */ virtual COLORREF GetMenuItemTextColor(CZUDPToolbarMenuButton* pButton, BOOL bHighlighted, BOOL bDisabled);
    /* 44 */ virtual int GetMenuButtonArrowVariant(CZUDPToolbarMenuButton* pButton, BOOL bHighlighted, BOOL bDisabled);
    /* 45 */ virtual void DrawRarelyUsedItemsBackground(CDC* pDC, CRect rect);
    /* 46 */ virtual void FillMenuButtonInterior(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state);
    /* 47 */ virtual void DrawMenuItemButtonBorder(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state);
    /* 48 */ virtual void DrawSubmenuArrow(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, BOOL bHighlighted,
                                           BOOL bIsRadio);
    /* 49 */ virtual void DrawSplitMenuDivider(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, BOOL bNarrow);
    /* 50 */ virtual BOOL SuppressCheckedItemFrame();
    /* 51 */ virtual COLORREF GetToolbarButtonTextColor(CZUDPToolbarButton* pButton, int state);
    /* 52 */ virtual BOOL UseLightGlyphOnButton(CZUDPToolbarButton* pButton, int state);
    /* 53 */ virtual COLORREF GetImageDrawColor();
    /* 54 */ virtual BOOL HasToolbarWindowRegion(CZUDPToolBar* pBar);
    /* 55 */ virtual COLORREF GetDisabledImageFaceColor();
    /* 56 */ virtual COLORREF GetDisabledTextColor();
    /* 57 */ virtual int GetDockingBarCaptionExtraHeight();
    /* 58 */ virtual COLORREF GetCaptionBarTextColor(CZUDPCaptionBar* pBar);
    /* 59 */ virtual void FillCaptionBarInfoArea(CDC* pDC, CZUDPCaptionBar* pBar, CRect rect);
    /* 60 */ virtual void FillCaptionBarButton(CDC* pDC, CZUDPCaptionBar* pBar, CRect rect, COLORREF clrFace,
                                               BOOL bFlat);
    /* 61 */ virtual COLORREF FillCaptionBarMessageButton(CDC* pDC, CZUDPCaptionBar* pBar, CRect rect, BOOL bIsPressed,
                                                          BOOL bIsHighlighted, BOOL bIsDisabled, BOOL bHasDropDownArrow,
                                                          BOOL bIsCloseButton);
    /* 62 */ virtual void DrawCaptionBarButtonBorder(CDC* pDC, CZUDPCaptionBar* pBar, CRect rect, BOOL bIsPressed,
                                                     BOOL bIsHighlighted);
    /* 63 */ virtual int GetCaptionBarMessageMargin();
    /* 64 */ virtual COLORREF FillOutlookButton(CDC* pDC, CRect rect, CZUDPToolbarButton* pButton, BOOL bIsPressed,
                                                BOOL bIsHighlighted, COLORREF& clrText);
    /* 65 */ virtual void DrawOutlookButtonBorder(CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL bIsHighlighted);
    /* 66 */ virtual void FillOutlookWndArea(CDC* pDC, CRect rect);
    /* 67 */ virtual COLORREF FillOutlookBarCaption(CDC* pDC, CRect rect, COLORREF& clrText);
    /* 68 */ virtual void FillTabsAreaBackground(CDC* pDC, CRect rect, CZUDPBaseTabWnd* pTabWnd);
    /* 69 */ virtual void DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CZUDPBaseTabWnd* pTabWnd);
    /* 70 */ virtual void FillTab(CDC* pDC, CRect rect, CBrush* pbrFill, int iTab, BOOL bIsActive,
                                  CZUDPBaseTabWnd* pTabWnd);
    /* 71 */ virtual void DrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CZUDPBaseTabWnd* pTabWnd,
                                         COLORREF clrText);
    /* 72 */ virtual void DrawTabCloseButton(CDC* pDC, CRect rect, CZUDPBaseTabWnd* pTabWnd, BOOL bIsHighlighted,
                                             BOOL bIsPressed, BOOL bIsDisabled);
    /* 73 */ virtual void FillTabButton(CDC* pDC, CRect rect, CZUDPButton* pButton, CZUDPBaseTabWnd* pTabWnd);
    /* 74 */ virtual void DrawTabButtonBorder(CDC* pDC, CRect& rect, CZUDPButton* pButton, UINT uiState,
                                              CZUDPBaseTabWnd* pTabWnd);
    /* 75 */ virtual void DrawTabsAreaEdge(CDC* pDC, CZUDPBaseTabWnd* pTabWnd, BOOL bIsVertical, CRect rect,
                                           CBrush* pbrFace, CPen* pPen);
    /* 76 */ virtual void GetTabFrameColors(CZUDPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                            COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                            COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack);
    /* 77 */ virtual void DrawTabFrame(CDC* pDC, CZUDPBaseTabWnd* pTabWnd, CRect rect, COLORREF clrDark, CPen* pPen);
    /* 78 */ virtual BOOL FillTabAreaWithTabColor(CDC* pDC, CRect rect, CZUDPBaseTabWnd* pTabWnd);
    /* 79 */ virtual BOOL IsActiveTabAreaFramed();
    /* 80 */ virtual BOOL IsTabAreaFramed();
    /* 81 */ virtual COLORREF GetTabTextColor(CZUDPBaseTabWnd* pTabWnd, int iTab, BOOL bIsActive);
    /* 82 */ virtual BOOL QueryTabWindowOption(CZUDPBaseTabWnd* pTabWnd);
    /* 83 */ virtual int GetTabHorizontalMargin(CZUDPBaseTabWnd* pTabWnd);
    /* 84 */ virtual int GetDefaultMDITabsStyle();
    /* 85 */ virtual BOOL QueryMDITabsOption();
    /* 86 */ virtual int GetTabbedBarTabStyle();
    /* 87 */ virtual BOOL UsesTabbedBarTabOption();
    /* 88 */ virtual BOOL HasTabWndCustomFrame(CZUDPBaseTabWnd* pTabWnd);
    /* 89 */ virtual int GetTabMetricOverride(CZUDPBaseTabWnd* pTabWnd, CZUDPButton* pButton);
    /* 90 */ virtual COLORREF FillCustomizeSelection(CDC* pDC, CRect rect, BOOL bSelected);
    /* 91 */ virtual void DrawMenuButtonDropArrow(CDC* pDC, CRect rect, BOOL bSelected);
    /* 92 */ virtual CSize GetButtonExtraSize();
    /* 93 */ virtual CSize GetCaptionButtonExtraSize();
    /* 94 */ virtual COLORREF FillMiniFrameCaption(CDC* pDC, CRect rectCaption, CZUDPMiniFrameWnd* pFrameWnd,
                                                   BOOL bActive);
    /* 95 */ virtual void DrawMiniFrameBorder(CDC* pDC, CZUDPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                                              CRect rectBorderSize);
    /* 96 */ virtual void DrawToolbarMiniFrameBorder(CDC* pDC, CZUDPMiniFrameWnd* pFrameWnd, CRect rectBorder,
                                                     CRect rectBorderSize);
    /* 97 */ virtual void FillHeaderBackground(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect);
    /* 98 */ virtual void DrawHeaderItemBorder(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                               BOOL bIsHighlighted);
    /* 99 */ virtual void DrawHeaderSortArrow(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect, BOOL bIsUp);
    /* 100 */ virtual COLORREF FillListBoxItem(CDC* pDC, CZUDPListBox* pListBox, int nItem, CRect rect, BOOL bIsFocused,
                                               BOOL bIsSelected);
    /* 101 */ virtual BOOL DrawListItemOverride(CDC* pDC, CWnd* pList, int nItem, int nSubItem, CRect rect,
                                                BOOL bIsSelected, BOOL bIsFocused, COLORREF clrText);
    /* 102 */ virtual void FillTasksPaneBackground(CDC* pDC, CRect rectWorkArea);
    /* 103 */ virtual void DrawTaskGroupCaption(CDC* pDC, CZUDPTasksPaneGroup* pGroup, BOOL bIsHighlighted,
                                                BOOL bIsSelected, BOOL bCanCollapse);
    /* 104 */ virtual void DrawTaskGroupIcon(CDC* pDC, CZUDPTasksPaneGroup* pGroup, int nIconHOffset,
                                             BOOL bIsHighlighted, BOOL bIsSelected, BOOL bCanCollapse);
    /* 105 */ virtual void FillTaskGroupInterior(CDC* pDC, CZUDPTasksPaneGroup* pGroup, CRect rect, BOOL bSpecial);
    /* 106 */ virtual void DrawTaskGroupBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bCloseTopEdge);
    /* 107 */ virtual void DrawTask(CDC* pDC, CZUDPTasksPaneTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                    BOOL bIsSelected);
    /* 108 */ virtual void DrawTasksScrollButton(CDC* pDC, CRect rect, int nExtraHeight, int nGlyph,
                                                 BOOL bIsHighlighted);
    /* 109 */ virtual void DrawTaskPaneFrame(CDC* pDC, CRect rect);
    /* 110 */ virtual void DrawSlider(CDC* pDC, CZUDPSlider* pSlider, CRect rect, BOOL bDrawEdge);
    /* 111 */ virtual void DrawExpandBox(CDC* pDC, CRect rect, BOOL bIsExpanded, COLORREF clrFrame);
    /* 112 */ virtual COLORREF GetControlFaceColor(CWnd* pWnd);
    /* 113 */ virtual COLORREF GetControlDarkColor(CWnd* pWnd);
    /* 114 */ virtual COLORREF GetControlTextColorOverride();
    /* 115 */ virtual COLORREF GetHotLinkColor(CWnd* pWnd);
    /* 116 */ virtual void DrawControlSunkenFrame(CDC* pDC, CWnd* pWnd, CRect rect);
    /* 117 */ virtual void DrawControlRaisedFrame(CDC* pDC, CWnd* pWnd, CRect rect);
    /* 118 */ virtual void FillControlFace(CDC* pDC, CWnd* pWnd, CRect rect);
    /* 119 */ virtual COLORREF FillControlCaption(CDC* pDC, CRect rect);
    /* 120 */ virtual void GetCalendarColors(const CZUDPCalendar* pCalendar, CalendarColors& colors);
    /* 121 */ virtual CSize GetCheckBoxSize();
    /* 122 */ virtual void DrawCheckBox(CDC* pDC, CRect rect, BOOL bFocused, BOOL bChecked, BOOL bEnabled);
    /* 123 */ virtual void DrawCheckBoxEx(CDC* pDC, CRect rect, int nState, BOOL bFocused, BOOL bIsRadio,
                                          BOOL bEnabled);
    /* 124 */ virtual void DrawRadioButton(CDC* pDC, CRect rect, BOOL bChecked, BOOL bHighlighted, BOOL bPressed,
                                           BOOL bEnabled);
    /* 125 */ virtual void DrawControlFrame(CDC* pDC, CRect rect, CWnd* pWnd, BOOL bDrawOnGlass);
    /* 126 */ virtual void DrawWindowBorder(CWnd* pWnd);
    /* 127 */ virtual BOOL QueryAutoHideLayoutOption();
    /* 128 */ virtual void FillAutoHideButton(CDC* pDC, CRect rect, CZUDPAutoHideButton* pButton);
    /* 129 */ virtual void DrawAutoHideButtonBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                                    CZUDPAutoHideButton* pButton);
    /* 130 */ virtual COLORREF GetAutoHideButtonTextColor(CZUDPAutoHideButton* pButton);
    /* 131 */ virtual BOOL DrawCalculatorButton(CDC* pDC, CRect rect, CZUDPToolbarButton* pButton, int state);
    /* 132 */ virtual BOOL DrawCalculatorDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMemory);
    /* 133 */ virtual BOOL DrawEditBrowseButton(CDC* pDC, CRect rect, CZUDPEdit* pEdit, int state);
    /* 134 */ virtual BOOL DrawClearButton(CDC* pDC, CZUDPButton* pButton, CRect rect);
    /* 135 */ virtual void DrawSpinButton(CDC* pDC, CRect rectSpin, int nState, BOOL bHorz,
                                          CZUDPSpinButtonCtrl* pSpinCtrl);
    /* 136 */ virtual void DrawAppBarFrame(CDC* pDC, CZUDPAppBarWnd* pAppBarWnd, CRect rectBorder,
                                           CRect rectBorderSize);
    /* 137 */ virtual void DrawAppBarCaption(CDC* pDC, CZUDPAppBarWnd* pAppBarWnd, CRect rectCaption,
                                             CString strCaption);
    /* 138 */ virtual BOOL DrawPushButtonFace(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState);
    /* 139 */ virtual BOOL DrawControlPartOverride();
    /* 140 */ virtual BOOL DrawControlBorderOverride();
    /* 141 */ virtual void FillCheckedItemBackground(CDC* pDC, CRect rect, CZUDPButton* pItem);
    /* 142 */ virtual void DrawItemStateFrame(CDC* pDC, CRect rect, CZUDPButton* pItem);
    /* 143 */ virtual COLORREF GetItemTextColor();
    /* 144 */ virtual void GetSmartDockingColors(COLORREF& clrFace, COLORREF& clrShadow);
    /* 145 */ virtual COLORREF GetSmartDockingHighlightColor();
    /* 146 */ virtual int GetSmartDockingStyle();
    /* 147 */ virtual void FillPanelWindowBackground(CDC* pDC, CRect rect);
    /* 148 */ virtual void DrawPanelWindowBorder(CDC* pDC, CRect rect);
    /* 149 */ virtual COLORREF FillPanelWindowCaption(CDC* pDC, CRect rect);
    /* 150 */ virtual void FillPanelWindowButton(CDC* pDC, CRect rect, CZUDPButton* pButton);
    /* 151 */ virtual void DrawPanelWindowButtonBorder(CDC* pDC, CRect rect, CZUDPButton* pButton);
    /* 152 */ virtual BOOL QueryPanelWindowOption();
    /* 153 */ virtual COLORREF DrawPlannerCaption(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bIsToday,
                                                  BOOL bIsSelected, BOOL bNoSeparatorLine);
    /* 154 */ virtual void DrawPlannerCaptionText(CDC* pDC, CZUDPPlannerView* pView, CRect rect, const CString& strText,
                                                  COLORREF clrText, int nAlign, BOOL bIsSelected);
    /* 155 */ virtual void FillPlannerBackground(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bWorkingTime);
    /* 156 */ virtual void GetPlannerDayColors(CZUDPPlannerView* pView, BOOL bIsSelected, BOOL bSecondFlag,
                                               DWORD dwOptions, COLORREF& clrBack, COLORREF& clrGradient,
                                               COLORREF& clrFrame, COLORREF& clrSecondFrame, COLORREF& clrText);
    /* 157 */ virtual COLORREF GetPlannerCellColor(CZUDPPlannerView* pView, BOOL bIsSelected, BOOL bSecondFlag,
                                                   DWORD dwOptions);
    /* 158 */ virtual COLORREF GetPlannerGridLineColor(CZUDPPlannerView* pView, BOOL bFirst, BOOL bSecond);
    /* 159 */ virtual COLORREF FillPlannerTimeScale(CDC* pDC, CZUDPPlannerView* pView, CRect rect, COLORREF& clrLine);
    /* 160 */ virtual void DrawPlannerTimeScaleLine(CDC* pDC, CZUDPPlannerView* pView, CRect rect);
    /* 161 */ virtual void FillPlannerWeekBar(CDC* pDC, CZUDPPlannerView* pView, CRect rect);
    /* 162 */ virtual DWORD GetPlannerStyleOption();
    /* 163 */ virtual BOOL QueryPlannerOption();
    /* 164 */ virtual COLORREF GetPlannerDefaultBackColor();
    /* 165 */ virtual void DrawPlannerExpandButton(CDC* pDC, CZUDPPlannerView* pView, CRect rect);
    /* 166 */ virtual void DrawPlannerExpandButtonBorder(CDC* pDC, CZUDPPlannerView* pView, CRect rect);
    /* 167 */ virtual void FillPlannerHeaderGap(CDC* pDC, CZUDPPlannerView* pView, CRect rect);
    /* 168 */ virtual void FillPlannerSelection(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bIsToday,
                                                BOOL bSelectionPresent);
    /* 169 */ virtual COLORREF GetPlannerSelectionColor(CZUDPPlannerView* pView);
    /* 170 */ virtual COLORREF GetPlannerFrameColor(CZUDPPlannerView* pView);
    /* 171 */ virtual void ResetPlannerDrawState(CZUDPPlannerView* pView, CDC* pDC);
    /* 172 */ virtual void SetPlannerDrawMode(int nMode);
    /* 173 */ virtual void FillGridBackground(CDC* pDC, CRect rect);
    /* 174 */ virtual void DrawGridExpandBox(CDC* pDC, CRect rect, BOOL bIsExpanded, COLORREF clrFrame);
    /* 175 */ virtual void FillGridHeaderBackground(CDC* pDC, CRect rect);
    /* 176 */ virtual BOOL DrawGridHeaderItemBorder(CDC* pDC, CRect rect, BOOL bPressed);
    /* 177 */ virtual void FillGridRowHeaderBackground(CDC* pDC, CRect rect);
    /* 178 */ virtual BOOL DrawGridRowHeaderItemBorder(CDC* pDC, CRect rect, BOOL bPressed);
    /* 179 */ virtual void FillGridCornerBackground(CDC* pDC, CRect rect);
    /* 180 */ virtual BOOL DrawGridCornerBorder(CDC* pDC, CRect rect);
    /* 181 */ virtual void DrawGridSortArrow(CDC* pDC, CRect rect, BOOL bIsUp);
    /* 182 */ virtual COLORREF FillGridGroupArea(CDC* pDC, CRect rect);
    /* 183 */ virtual COLORREF FillGridGroupTitle(CDC* pDC, CRect rect);
    /* 184 */ virtual COLORREF GetGridGroupLineColor();
    /* 185 */ virtual void DrawGridGroupItem(CDC* pDC, CRect rect);
    /* 186 */ virtual COLORREF GetGridLeftOffsetColor(BOOL bBarStyle);
    /* 187 */ virtual COLORREF GetGridSortedColumnColor(COLORREF clrGrid);
    /* 188 */ virtual void FillGridGroupBackground(CDC* pDC, CRect rect);
    /* 189 */ virtual void FillGridGroupUnderline(CDC* pDC, CRect rect, BOOL bBarStyle);
    /* 190 */ virtual COLORREF FillGridGroupRow(CDC* pDC, CRect rect, BOOL bHasFocus, BOOL bIsSelected, BOOL bIsGroup,
                                                BOOL bBarStyle);
    /* 191 */ virtual COLORREF FillGridItem(CDC* pDC, CRect rect, BOOL bHasFocus, BOOL bIsSelected, BOOL bIsFocused,
                                            COLORREF clrItem, BOOL bBarStyle);
    /* 192 */ virtual void DrawGridHeaderPressedFrame(CDC* pDC, CRect rect, BOOL bDrawFrame);
    /* 193 */ virtual void DrawGridSelectionBorder(CDC* pDC, CRect rect);
    /* 194 */ virtual BOOL QueryGridOption();
    /* 195 */ virtual COLORREF GetGridLineColor();
    /* 196 */ virtual COLORREF FillGridRowSelection(CDC* pDC, CRect rect, BOOL bHasFocus, BOOL bIsSelected,
                                                    BOOL bSecondFlag, BOOL bBarStyle);
    /* 197 */ virtual COLORREF GetGanttColors(GanttColorSet& colors, COLORREF clrBase);
    /* 198 */ virtual void FillGanttArea(CDC* pDC, CRect rect, COLORREF clrFill);
    /* 199 */ virtual void FillGanttRow(CDC* pDC, CRect rect, const GanttColorSet& colors, BOOL bAlternate);
    /* 200 */ virtual void DrawGanttHeaderCell(CDC* pDC, CRect rectCell);
    /* 201 */ virtual void DrawGanttHeaderText(CDC* pDC, CRect rectCell, CRect rectVisible, const CString& strText,
                                               UINT nFormat, BOOL bHotLink);
    /* 202 */ virtual COLORREF GetGanttHeaderTextColor(BOOL bHotLink);
    /* 203 */ virtual void FillGanttBar(CDC* pDC, CRect rect, COLORREF clrFill);
    /* 204 */ virtual COLORREF FillGanttItemArea(CDC* pDC, CRect rect);
    /* 205 */ virtual void DrawGanttGridLineRight(CDC* pDC, CRect rect, UINT nScaleKind, COLORREF clrLine);
    /* 206 */ virtual void DrawGanttItemText(CDC* pDC, CRect rect, const CString& strText, COLORREF clrText,
                                             UINT nScaleKind);
    /* 207 */ virtual void DrawGanttGridLineLeft(CDC* pDC, CRect rect, UINT nScaleKind, COLORREF clrLine);
    /* 208 */ virtual void DrawGanttArrow(CDC* pDC, CRect rect, int nDirection, COLORREF clrFill);
    /* 209 */ virtual void DrawGanttGridLine(CDC* pDC, CRect rect, UINT nScaleKind, COLORREF clrLine);
    /* 210 */ virtual void DrawGanttChevron(CDC* pDC, CRect rect, COLORREF clrLine, int nShift);
    /* 211 */ virtual BOOL UsesCustomCaption();
    /* 212 */ virtual BOOL UpdateFrameWindowRegion(CWnd* pWnd, int cx, int cy);
    /* 213 */ virtual void NotifyFrameActivation(CWnd* pFrame, BOOL bActive);
    /* 214 */ virtual CZUDPCaptionButton* GetCaptionButtonAt(CWnd* pWnd, CPoint point);
    /* 215 */ virtual BOOL DrawCustomFrameNonClient(CWnd* pWnd, CDC* pDC);
    /* 216 */ virtual CSize GetNonClientMargin(CWnd* pWnd);
    /* 217 */ virtual int DrawCustomCaption(CWnd* pWnd, CDC* pDC, BOOL bActive, CRect rectCaption);
    /* 218 */ virtual BOOL FillDialogBackground(CDC* pDC, CWnd* pDlg, CRect rect);
    /* 219 */ virtual CBrush& GetDialogBackgroundBrush(CWnd* pDlg);
    /* 220 */ virtual COLORREF DrawRibbonHorizontalLine(CDC* pDC, CZUDPBaseRibbonElement* pElement, int x1, int y,
                                                        int x2);
    /* 221 */ virtual void DrawRibbonMainButton(CDC* pDC, CZUDPBaseRibbonElement* pElement);
    /* 222 */ virtual void DrawRibbonCategoryBorder(CDC* pDC, CZUDPRibbonCategory* pCategory, CRect rect);
    /* 223 */ virtual void DrawRibbonCategoryScroll(CDC* pDC, CZUDPRibbonCategoryScroll* pScroll);
    /* 224 */ virtual COLORREF DrawRibbonCategoryTab(CDC* pDC, CZUDPRibbonTab* pTab, BOOL bIsActive);
    /* 225 */ virtual COLORREF FillRibbonPanel(CDC* pDC, CZUDPRibbonPanel* pPanel, CRect rectPanel);
    /* 226 */ virtual void DrawRibbonPanelCaption(CDC* pDC, CZUDPRibbonPanel* pPanel, CRect rectCaption);
    /* 227 */ virtual COLORREF FillRibbonPanelCaption(CDC* pDC, CZUDPRibbonPanel* pPanel, CRect rectCaption);
    /* 228 */ virtual void DrawRibbonLaunchButton(CDC* pDC, CZUDPRibbonLaunchButton* pButton, CZUDPRibbonPanel* pPanel);
    /* 229 */ virtual void DrawRibbonDefaultPanelButton(CDC* pDC, CZUDPRibbonDefaultPanelButton* pButton);
    /* 230 */ virtual void DrawRibbonDefaultPanelButtonContent(CDC* pDC, CZUDPRibbonDefaultPanelButton* pButton);
    /* 231 */ virtual void DrawRibbonDefaultPanelButtonArrow(CDC* pDC, CZUDPBaseRibbonElement* pButton, CRect rect);
    /* 232 */ virtual COLORREF FillRibbonButton(CDC* pDC, CZUDPRibbonButton* pButton);
    /* 233 */ virtual void FillRibbonControlArea(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect,
                                                 BOOL bIsHighlighted, BOOL bIsDisabled);
    /* 234 */ virtual COLORREF GetRibbonControlBackColor(BOOL bIsHighlighted, BOOL bIsDisabled);
    /* 235 */ virtual void DrawRibbonButtonBorder(CDC* pDC, CZUDPRibbonButton* pButton);
    /* 236 */ virtual void FillRibbonButtonMenuArea(CDC* pDC, CZUDPRibbonButton* pButton, CRect rectMenu);
    /* 237 */ virtual COLORREF FillRibbonSubButton(CDC* pDC, CZUDPRibbonButton* pButton);
    /* 238 */ virtual void DrawRibbonSubButtonBorder(CDC* pDC, CZUDPRibbonButton* pButton);
    /* 239 */ virtual void DrawRibbonCaption(CDC* pDC, CZUDPBaseRibbonElement* pElement);
    /* 240 */ virtual BOOL QueryRibbonCaptionOption();
    /* 241 */ virtual BOOL QueryRibbonFrameOption();
    /* 242 */ virtual COLORREF GetRibbonDisabledTextColor(BOOL bIsDisabled);
    /* 243 */ virtual void DrawRibbonCaptionButton(CDC* pDC, CZUDPRibbonCaptionButton* pButton);
    /* 244 */ virtual COLORREF GetRibbonOptionalColor();
    /* 245 */ virtual void DrawDefaultImagePlaceholder(CDC* pDC, CRect rect, BOOL bIsDisabled);
    /* 246 */ virtual void DrawRibbonDoubleFrame(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect);
    /* 247 */ virtual void FillRibbonWindowArea(CDC* pDC, CRect rect);
    /* 248 */ virtual void DrawRibbonEtchedBar(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect);
    /* 249 */ virtual void DrawRibbonLabelDecoration(CDC* pDC, CZUDPRibbonLabel* pLabel, CRect rect);
    /* 250 */ virtual void DrawRibbonPaletteIcon(CDC* pDC, CZUDPRibbonPaletteIcon* pIcon);
    /* 251 */ virtual void DrawRibbonPaletteButtonBorder(CDC* pDC, CZUDPRibbonPaletteButton* pButton, CRect rect);
    /* 252 */ virtual COLORREF GetRibbonContextCategoryColor(int nColorIndex);
    /* 253 */ virtual COLORREF FillRibbonContextCaption(CDC* pDC, CZUDPRibbonCategory* pCategory);
    /* 254 */ virtual COLORREF DrawRibbonElementFrame(CDC* pDC, CZUDPRibbonBar* pRibbonBar,
                                                      CZUDPBaseRibbonElement* pElement);
    /* 255 */ virtual void DrawRibbonOptionalDecoration();
    /* 256 */ virtual void DrawRibbonSliderZoomButton(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect,
                                                      BOOL bIsZoomOut, BOOL bIsHighlighted, BOOL bIsPressed,
                                                      BOOL bIsDisabled);
    /* 257 */ virtual void DrawRibbonSliderChannel(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect);
    /* 258 */ virtual void DrawRibbonSliderThumb(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect,
                                                 BOOL bIsHighlighted, BOOL bIsPressed, BOOL bIsDisabled);
    /* 259 */ virtual void DrawProgressBar(CDC* pDC, CZUDPRibbonProgressBar* pProgress, CRect rectProgress,
                                           CRect rectChunk, BOOL bInfiniteMode);
    /* 260 */ virtual void FillRibbonPanelMenuBar(CDC* pDC, CZUDPRibbonPanelMenuBar* pBar, CRect rect);
    /* 261 */ virtual int GetRibbonPanelMenuBorderSize(CZUDPRibbonPanelMenuBar* pBar);
    /* 262 */ virtual void DrawRibbonSeparator(CDC* pDC, CZUDPRibbonSeparator* pSeparator, CRect rect);
    /* 263 */ virtual BOOL QueryRibbonOption();
    /* 264 */ virtual void DrawRibbonKeyTip(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect, CString strKeyTip);
    /* 265 */ virtual void DrawRibbonCheckMark(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect);
    /* 266 */ virtual void DrawRibbonRadioMark(CDC* pDC, CZUDPBaseRibbonElement* pElement, CRect rect);
    /* 267 */ virtual COLORREF GetRibbonHyperlinkTextColor(CZUDPBaseRibbonElement* pElement);
    /* 268 */ virtual COLORREF GetRibbonElementTextColor();
    /* 269 */ virtual void DrawRibbonColorButton(CDC* pDC, CZUDPBaseRibbonElement* pElement, COLORREF clrFill,
                                                 CRect rect, BOOL bDrawTopEdge, BOOL bDrawBottomEdge,
                                                 BOOL bIsHighlighted, BOOL bIsChecked);
    /* 270 */ virtual int GetRibbonPanelSpacing(CZUDPRibbonCategory* pCategory);
    /* 271 */ virtual BOOL QueryGlassOption();
    /* 272 */ virtual BOOL DrawTextOnGlass(CDC* pDC, CString strText, CRect rect, DWORD dwFlags, int nGlowSize = 0,
                                           COLORREF clrText = (COLORREF)-1);
    /* 273 */ virtual BOOL FillMDIClientBackground(CDC* pDC, CWnd* pClient, CRect rect);
    /* 274 */ virtual BOOL GetToolTipParams(ZUDP_TOOLTIP_PARAMS& params, UINT nToolTipKind);
    /* 275 */ virtual void FillToolTip(CDC* pDC, CZUDPToolTipCtrl* pToolTip, CRect rect, COLORREF& clrText,
                                       COLORREF& clrLine);
    /* 276 */ virtual BOOL UsesCustomScrollBars();
    /* 277 */ virtual void DrawScrollBarThumb(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                              BOOL bHighlighted, BOOL bPressed, BOOL bDisabled);
    /* 278 */ virtual void DrawScrollBarButton(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                               BOOL bHighlighted, BOOL bPressed, BOOL bFirst, BOOL bDisabled);
    /* 279 */ virtual void DrawScrollBarTrack(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                              BOOL bHighlighted, BOOL bPressed, BOOL bFirst, BOOL bDisabled);
    /* 280 */ virtual BOOL DrawPushButtonFrame(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState);
    /* 281 */ virtual COLORREF GetLinkTextColor(BOOL bIsHovered);
    /* 282 */ virtual void DrawGroupBox(CDC* pDC, CZUDPGroup* pGroup, CRect rect, const CString& strName);
    /* 283 */ virtual void DrawSliderChannel(CDC* pDC, CZUDPSliderCtrl* pSlider, BOOL bVert, CRect rect,
                                             BOOL bDrawOnGlass);
    /* 284 */ virtual BOOL DrawSliderThumb(CDC* pDC, CZUDPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted,
                                           BOOL bIsPressed, BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop,
                                           BOOL bBothSides, BOOL bDrawOnGlass);
    /* 285 */ virtual int GetMenuImageMargin();
    /* 286 */ virtual COLORREF GetMenuShadowDepth();
    /* 287 */ virtual void GetMenuTextMargins(CRect& rectMargins);
    /* 288 */ virtual int GetMenuPopupOffset();
    /* 289 */ virtual BOOL KeepsCustomizeOption();
    /* 290 */ virtual int GetChevronArrowStyle();
    /* 291 */ virtual BOOL ShiftsPressedBrowseImage();
    /* 292 */ virtual BOOL ConnectsMenuToButton();
    /* 293 */ virtual int GetPopupMenuBorderSize();
    /* 294 */ virtual int GetShowAllButtonHeight(CZUDPShowAllButton* pButton, CDC* pDC);
    /* 295 */ virtual void DrawShowAllButtonArrow(CDC* pDC, CRect rect);
    /* 296 */ virtual BOOL EmbossesDisabledButtonText();

    // Fields, in this order.
    // 1. Grippers with one line, caption buttons without idle frame.
    BOOL m_look2000 = FALSE;
    // 2. Popup-menu shadow depth in pixels.
    int m_menuShadowDepth = 6;
    // 3. Checked and dropped-down items framed flat in the 3D dark shadow.
    BOOL m_flatMenuLook = FALSE;
    // 4. The image of a highlighted button drawn with a shadow.
    BOOL m_shadowHighlightedImage = FALSE;
    // 5. Disabled images drawn embossed.
    BOOL m_embossDisabledImage = TRUE;
    // 6. Images of buttons that are not highlighted drawn faded.
    int m_fadeInactiveImage = 0;
    // 7. Checked buttons get a dithered interior (when off, only menu items).
    BOOL m_ditheredCheckedButtons = TRUE;
    // 8. A highlighted checked menu item draws its check frame highlighted.
    BOOL m_highlightedCheckFrame = FALSE;
    // 9. Temporary manager (the constructor's argument).
    BOOL m_temporary = FALSE;
    // 10. Task pane metrics; a task pane's own value of -1 means these.
    int m_tasksPaneVertMargin = 12;
    int m_tasksPaneHorzMargin = 12;
    int m_tasksPaneGroupVertOffset = 15;
    int m_tasksPaneGroupCaptionHeight = 25;
    int m_tasksPaneGroupCaptionHorzOffset = 13;
    int m_tasksPaneGroupCaptionVertOffset = 7;
    int m_tasksPaneTasksHorzOffset = 12;
    int m_tasksPaneTasksIconHorzOffset = 5;
    int m_tasksPaneTasksIconVertOffset = 4;
    // 11. Selection highlight colour (set by ResetColors).
    COLORREF m_colorSelectionHighlight = 0;
    // 12. Menus connect to the button that opened them.
    BOOL m_menuConnectsToButton = FALSE;
    // 13. Popup menu border size.
    int m_popupMenuBorderSize = 2;
    // 14. Inactive tabs coloured; 3D tab highlight.
    BOOL m_coloredInactiveTabs = FALSE;
    BOOL m_3dTabHighlight = TRUE;
    // 15. Base colour of popup-menu shadows, -1 for the shadow's own grey.
    COLORREF m_colorMenuShadowBase = (COLORREF)-1;
    // 16, 17. Planner background and grid-line colours (set by ResetColors).
    COLORREF m_colorPlannerBackground = 0x0000FFFF;
    COLORREF m_colorPlannerGridLine = 0x00808080;
    // 18. Hatch brush of the planner's working area, made on first use.
    CBrush m_plannerHatchBrush;
    // 19. Planner paint state.
    int m_plannerPaintState[2] = {0, 0};
    int m_plannerDrawMode = 0;
    // 20. Offset of a ribbon button's image in one of its layouts.
    CPoint m_ribbonImageOffset = CPoint(0, 0);
};

// The active manager, null until the first GetActiveManager or until a
// non-temporary manager installs itself.
extern CZUDPVisualManager* g_activeVisualManager;
// The class to create on demand, null for CZUDPVisualManager itself.
extern CRuntimeClass* g_visualManagerClass;
