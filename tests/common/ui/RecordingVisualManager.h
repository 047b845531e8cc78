#pragma once
// The recording visual manager of the library's tests: which operations of
// the visual manager a window, control or bar called, with what.
//
//   uitest::RecordingManagerScope manager;      // installed as the active
//                                               // manager until the scope ends
//   ... paint the control ...
//   auto arrows = manager->Of("DrawHeaderSortArrow");
//   ASSERT_EQ(1u, arrows.size());
//   EXPECT_EQ(TRUE, arrows[0].flags.at(0));     // ascending
//   EXPECT_EQ(&header, arrows[0].element);
//
// Every call is kept as a ManagerCall: the operation's name, its rectangle,
// its state flags and numbers in argument order, the element drawn (the
// control, button or bar the operation was handed, if any) and whether
// drawing went on glass.  The operation still draws as the base manager
// does, unless the test says otherwise: `draws = false` records only,
// `instead["Op"]` draws something of the test's own (a fill in a colour a
// pixel check can find), `answers["Op"]` replaces what an operation or a
// question (UsesCustomScrollBars, ...) answers.
//
// An operation not recorded yet gets its override here, in the table's
// order: record, then draw through the base manager when Record says so.
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace uitest {

struct ManagerCall {
    std::string name;
    CRect rect;
    std::vector<int> flags;         // state flags and numbers, in argument order
    const void* element = nullptr;  // the control, button or bar drawn
    BOOL glass = FALSE;             // g_drawingOnGlass during the call
};

class CRecordingVisualManager : public CZUDPVisualManager {
    DECLARE_DYNCREATE(CRecordingVisualManager)
public:
    CRecordingVisualManager() = default;
    // The runtime class (RUNTIME_CLASS does not take a namespace).
    static CRuntimeClass* Class() { return &classCRecordingVisualManager; }

    std::vector<ManagerCall> calls;
    // The area the last shadow drawing was told to spare.
    CRect spared;
    // FALSE: operations are recorded and draw nothing.
    bool draws = true;
    // What an operation draws instead of the base manager's drawing.
    std::map<std::string, std::function<void(CDC*, const ManagerCall&)>> instead;
    // What an operation or question answers instead of the base manager's
    // answer (BOOL, COLORREF, ...).
    std::map<std::string, DWORD> answers;

    // The calls of one operation, in order.
    std::vector<ManagerCall> Of(const std::string& name) const;
    int Count(const std::string& name) const { return int(Of(name).size()); }
    void Clear() { calls.clear(); }

    // Fills the call's rectangle with a colour: an `instead` drawing.
    static std::function<void(CDC*, const ManagerCall&)> FillWith(COLORREF colour);

    void DrawPopupMenuBorder(CDC* pDC, CZUDPPopupMenu* pMenu, CRect rect) override;
    // flags: depth, outer and inner percent, right to left; the rectangle
    // is the menu's, the spared area is kept in `spared`.
    void DrawPopupMenuShadow(CDC* pDC, const CRect& rectMenu, const CRect& rectExclude, int nDepth, int nOuterPercent,
                             int nInnerPercent, CBitmap* pBottomCache, CBitmap* pSideCache, BOOL bRTL) override;
    void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                             CZUDPToolbarComboBoxButton* pButton) override;
    // Combo and edit-box parts of toolbar controls: flags hold disabled,
    // dropped, highlighted (DrawEditBoxBorder: disabled, has border); the
    // element is the button.
    void DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                         CZUDPToolbarComboBoxButton* pButton) override;
    void FillComboEditArea(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CZUDPToolbarComboBoxButton* pButton) override;
    void DrawEditBoxBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bHasBorder,
                           CZUDPToolbarEditBoxButton* pButton) override;
    void DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
    void DrawPopupMenuScrollButton(CDC* pDC, CRect rect, BOOL bIsScrollDown, BOOL bIsHighlighted, BOOL bIsPressed,
                                   BOOL bIsDisabled) override;
    void DrawRarelyUsedItemsBackground(CDC* pDC, CRect rect) override;
    void FillHeaderBackground(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect) override;
    void DrawHeaderItemBorder(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                              BOOL bIsHighlighted) override;
    void DrawHeaderSortArrow(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect, BOOL bIsUp) override;
    COLORREF FillListBoxItem(CDC* pDC, CZUDPListBox* pListBox, int nItem, CRect rect, BOOL bIsFocused,
                             BOOL bIsSelected) override;
    void DrawCheckBoxEx(CDC* pDC, CRect rect, int nState, BOOL bFocused, BOOL bIsRadio, BOOL bEnabled) override;
    void DrawRadioButton(CDC* pDC, CRect rect, BOOL bChecked, BOOL bHighlighted, BOOL bPressed,
                         BOOL bEnabled) override;
    void DrawControlFrame(CDC* pDC, CRect rect, CWnd* pWnd, BOOL bDrawOnGlass) override;
    void DrawWindowBorder(CWnd* pWnd) override;
    BOOL DrawEditBrowseButton(CDC* pDC, CRect rect, CZUDPEdit* pEdit, int state) override;
    void DrawSpinButton(CDC* pDC, CRect rectSpin, int nState, BOOL bHorz, CZUDPSpinButtonCtrl* pSpinCtrl) override;
    BOOL DrawPushButtonFace(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState) override;
    void DrawProgressBar(CDC* pDC, CZUDPRibbonProgressBar* pProgress, CRect rectProgress, CRect rectChunk,
                         BOOL bInfiniteMode) override;
    BOOL DrawTextOnGlass(CDC* pDC, CString strText, CRect rect, DWORD dwFlags, int nGlowSize,
                         COLORREF clrText) override;
    BOOL UsesCustomScrollBars() override;
    void DrawScrollBarThumb(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                            BOOL bPressed, BOOL bDisabled) override;
    void DrawScrollBarButton(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                             BOOL bPressed, BOOL bFirst, BOOL bDisabled) override;
    void DrawScrollBarTrack(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                            BOOL bPressed, BOOL bFirst, BOOL bDisabled) override;
    BOOL DrawPushButtonFrame(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState) override;
    void DrawGroupBox(CDC* pDC, CZUDPGroup* pGroup, CRect rect, const CString& strName) override;
    void DrawSliderChannel(CDC* pDC, CZUDPSliderCtrl* pSlider, BOOL bVert, CRect rect, BOOL bDrawOnGlass) override;
    BOOL DrawSliderThumb(CDC* pDC, CZUDPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed,
                         BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop, BOOL bBothSides, BOOL bDrawOnGlass) override;
    BOOL EmbossesDisabledButtonText() override;
    // Tab windows: the element is the tab window, or the row's button.
    void FillTabsAreaBackground(CDC* pDC, CRect rect, CZUDPBaseTabWnd* pTabWnd) override;
    void DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CZUDPBaseTabWnd* pTabWnd) override;
    void FillTabButton(CDC* pDC, CRect rect, CZUDPButton* pButton, CZUDPBaseTabWnd* pTabWnd) override;
    void DrawTabButtonBorder(CDC* pDC, CRect& rect, CZUDPButton* pButton, UINT uiState,
                             CZUDPBaseTabWnd* pTabWnd) override;
    void DrawTabFrame(CDC* pDC, CZUDPBaseTabWnd* pTabWnd, CRect rect, COLORREF clrDark, CPen* pPen) override;
    void DrawTabsAreaEdge(CDC* pDC, CZUDPBaseTabWnd* pTabWnd, BOOL bIsVertical, CRect rect, CBrush* pbrFace,
                          CPen* pPen) override;
    // The calendar's colours: recorded (the element is the calendar); the
    // five colours of `calendarColors` replace the base manager's when a
    // test sets them.
    std::vector<COLORREF> calendarColors;
    void GetCalendarColors(const CZUDPCalendar* pCalendar, CalendarColors& colors) override;
    // The planner's: flags hold the operation's state, GetPlannerDayColors
    // also the background colour it was handed (the appointment's own).
    COLORREF DrawPlannerCaption(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bIsToday, BOOL bIsSelected,
                                BOOL bNoSeparatorLine) override;
    void FillPlannerBackground(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bWorkingTime) override;
    void GetPlannerDayColors(CZUDPPlannerView* pView, BOOL bIsSelected, BOOL bSecondFlag, DWORD dwOptions,
                             COLORREF& clrBack, COLORREF& clrGradient, COLORREF& clrFrame, COLORREF& clrSecondFrame,
                             COLORREF& clrText) override;
    COLORREF FillPlannerTimeScale(CDC* pDC, CZUDPPlannerView* pView, CRect rect, COLORREF& clrLine) override;
    void FillPlannerHeaderGap(CDC* pDC, CZUDPPlannerView* pView, CRect rect) override;
    void FillPlannerSelection(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bIsToday,
                              BOOL bSelectionPresent) override;
    // Bars and their buttons: flags hold the state (FillButtonInterior,
    // DrawButtonBorder), horizontal (DrawSeparator, DrawBarGripper) or the
    // non-client flag (FillBarBackground); the element is the bar, or the
    // button.
    void FillBarBackground(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                           BOOL bNCArea = FALSE) override;
    void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CZUDPBaseControlBar* pBar) override;
    void DrawSeparator(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rect, BOOL bHorz) override;
    void FillButtonInterior(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state) override;
    void DrawButtonBorder(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state) override;
    // Calculator keys (flags: the state) and display (flags: the memory
    // flag); the element is the key.
    BOOL DrawCalculatorButton(CDC* pDC, CRect rect, CZUDPToolbarButton* pButton, int state) override;
    BOOL DrawCalculatorDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMemory) override;
    // The extra room around a bar button's content (the base manager's
    // none unless a test sets it).
    CSize buttonExtraSize = CSize(0, 0);
    CSize GetButtonExtraSize() override { return buttonExtraSize; }
    // Menu buttons and menu rows: flags hold the state (DrawMenuButtonBorder),
    // highlighted and radio (DrawSubmenuArrow, the check mark of a row);
    // the element is the button.
    void DrawMenuButtonBorder(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state) override;
    void DrawSubmenuArrow(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, BOOL bHighlighted,
                          BOOL bIsRadio) override;
    void DrawShowAllButtonArrow(CDC* pDC, CRect rect) override;
    // The custom caption of library frames: the question, the window
    // region (recorded with the size as its rectangle), the activation
    // (flags: active) and the non-client paint (rectangle: the DC's clip
    // box).
    BOOL UsesCustomCaption() override;
    BOOL UpdateFrameWindowRegion(CWnd* pWnd, int cx, int cy) override;
    void NotifyFrameActivation(CWnd* pFrame, BOOL bActive) override;
    BOOL DrawCustomFrameNonClient(CWnd* pWnd, CDC* pDC) override;

protected:
    // Keeps the call; draws the test's `instead` drawing when it has one.
    // TRUE when the base manager should still draw.
    bool Record(const char* name, CDC* pDC, const CRect& rect, std::vector<int> flags,
                const void* element = nullptr);
    // The test's answer for the operation, or the base manager's.
    template <typename T>
    T Answer(const char* name, T base) const
    {
        auto found = answers.find(name);
        return found != answers.end() ? T(found->second) : base;
    }
};

// The recording manager is the active visual manager for the scope, with an
// empty record; the base manager comes back when the scope ends.
class RecordingManagerScope {
public:
    RecordingManagerScope();
    ~RecordingManagerScope();
    RecordingManagerScope(const RecordingManagerScope&) = delete;
    RecordingManagerScope& operator=(const RecordingManagerScope&) = delete;
    CRecordingVisualManager& operator*() const { return *m_manager; }
    CRecordingVisualManager* operator->() const { return m_manager; }

private:
    CRecordingVisualManager* m_manager = nullptr;
};

} // namespace uitest
