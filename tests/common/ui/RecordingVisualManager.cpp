#include "tests/common/ui/RecordingVisualManager.h"

#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/planner/ZUDPCalendar.h"

namespace uitest {

IMPLEMENT_DYNCREATE(CRecordingVisualManager, CZUDPVisualManager)

std::vector<ManagerCall> CRecordingVisualManager::Of(const std::string& name) const
{
    std::vector<ManagerCall> found;
    for (const ManagerCall& call : calls)
        if (call.name == name)
            found.push_back(call);
    return found;
}

std::function<void(CDC*, const ManagerCall&)> CRecordingVisualManager::FillWith(COLORREF colour)
{
    return [colour](CDC* pDC, const ManagerCall& call) {
        if (pDC != nullptr)
            pDC->FillSolidRect(call.rect, colour);
    };
}

bool CRecordingVisualManager::Record(const char* name, CDC* pDC, const CRect& rect, std::vector<int> flags,
                                     const void* element)
{
    calls.push_back(ManagerCall{name, rect, std::move(flags), element, g_drawingOnGlass});
    auto found = instead.find(name);
    if (found != instead.end()) {
        found->second(pDC, calls.back());
        return false;
    }
    return draws;
}

void CRecordingVisualManager::DrawPopupMenuBorder(CDC* pDC, CZUDPPopupMenu* pMenu, CRect rect)
{
    if (Record("DrawPopupMenuBorder", pDC, rect, {}, pMenu))
        CZUDPVisualManager::DrawPopupMenuBorder(pDC, pMenu, rect);
}

void CRecordingVisualManager::DrawPopupMenuShadow(CDC* pDC, const CRect& rectMenu, const CRect& rectExclude, int nDepth,
                                                  int nOuterPercent, int nInnerPercent, CBitmap* pBottomCache,
                                                  CBitmap* pSideCache, BOOL bRTL)
{
    spared = rectExclude;
    if (Record("DrawPopupMenuShadow", pDC, rectMenu, {nDepth, nOuterPercent, nInnerPercent, bRTL}, nullptr))
        CZUDPVisualManager::DrawPopupMenuShadow(pDC, rectMenu, rectExclude, nDepth, nOuterPercent, nInnerPercent,
                                                pBottomCache, pSideCache, bRTL);
}

void CRecordingVisualManager::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                  BOOL bIsHighlighted, CZUDPToolbarComboBoxButton* pButton)
{
    if (Record("DrawComboDropButton", pDC, rect, {bDisabled, bIsDropped, bIsHighlighted}, pButton))
        CZUDPVisualManager::DrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
}

void CRecordingVisualManager::DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CZUDPToolbarComboBoxButton* pButton)
{
    if (Record("DrawComboBorder", pDC, rect, {bDisabled, bIsDropped, bIsHighlighted}, pButton))
        CZUDPVisualManager::DrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
}

void CRecordingVisualManager::FillComboEditArea(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                BOOL bIsHighlighted, CZUDPToolbarComboBoxButton* pButton)
{
    if (Record("FillComboEditArea", pDC, rect, {bDisabled, bIsDropped, bIsHighlighted}, pButton))
        CZUDPVisualManager::FillComboEditArea(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
}

void CRecordingVisualManager::DrawEditBoxBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bHasBorder,
                                                CZUDPToolbarEditBoxButton* pButton)
{
    if (Record("DrawEditBoxBorder", pDC, rect, {bDisabled, bHasBorder}, pButton))
        CZUDPVisualManager::DrawEditBoxBorder(pDC, rect, bDisabled, bHasBorder, pButton);
}

void CRecordingVisualManager::DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    if (Record("DrawTearOffCaption", pDC, rect, {bIsActive}, nullptr))
        CZUDPVisualManager::DrawTearOffCaption(pDC, rect, bIsActive);
}

void CRecordingVisualManager::DrawPopupMenuScrollButton(CDC* pDC, CRect rect, BOOL bIsScrollDown, BOOL bIsHighlighted,
                                                        BOOL bIsPressed, BOOL bIsDisabled)
{
    if (Record("DrawPopupMenuScrollButton", pDC, rect, {bIsScrollDown, bIsHighlighted, bIsPressed, bIsDisabled},
               nullptr))
        CZUDPVisualManager::DrawPopupMenuScrollButton(pDC, rect, bIsScrollDown, bIsHighlighted, bIsPressed,
                                                      bIsDisabled);
}

void CRecordingVisualManager::DrawRarelyUsedItemsBackground(CDC* pDC, CRect rect)
{
    if (Record("DrawRarelyUsedItemsBackground", pDC, rect, {}, nullptr))
        CZUDPVisualManager::DrawRarelyUsedItemsBackground(pDC, rect);
}

void CRecordingVisualManager::FillHeaderBackground(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect)
{
    if (Record("FillHeaderBackground", pDC, rect, {}, pCtrl))
        CZUDPVisualManager::FillHeaderBackground(pCtrl, pDC, rect);
}

void CRecordingVisualManager::DrawHeaderItemBorder(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                                   BOOL bIsHighlighted)
{
    if (Record("DrawHeaderItemBorder", pDC, rect, {bIsPressed, bIsHighlighted}, pCtrl))
        CZUDPVisualManager::DrawHeaderItemBorder(pCtrl, pDC, rect, bIsPressed, bIsHighlighted);
}

void CRecordingVisualManager::DrawHeaderSortArrow(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect, BOOL bIsUp)
{
    if (Record("DrawHeaderSortArrow", pDC, rect, {bIsUp}, pCtrl))
        CZUDPVisualManager::DrawHeaderSortArrow(pCtrl, pDC, rect, bIsUp);
}

COLORREF CRecordingVisualManager::FillListBoxItem(CDC* pDC, CZUDPListBox* pListBox, int nItem, CRect rect,
                                                  BOOL bIsFocused, BOOL bIsSelected)
{
    COLORREF text = (COLORREF)-1;
    if (Record("FillListBoxItem", pDC, rect, {nItem, bIsFocused, bIsSelected}, pListBox))
        text = CZUDPVisualManager::FillListBoxItem(pDC, pListBox, nItem, rect, bIsFocused, bIsSelected);
    return Answer("FillListBoxItem", text);
}

void CRecordingVisualManager::DrawCheckBoxEx(CDC* pDC, CRect rect, int nState, BOOL bFocused, BOOL bIsRadio,
                                             BOOL bEnabled)
{
    if (Record("DrawCheckBoxEx", pDC, rect, {nState, bFocused, bIsRadio, bEnabled}))
        CZUDPVisualManager::DrawCheckBoxEx(pDC, rect, nState, bFocused, bIsRadio, bEnabled);
}

void CRecordingVisualManager::DrawRadioButton(CDC* pDC, CRect rect, BOOL bChecked, BOOL bHighlighted, BOOL bPressed,
                                              BOOL bEnabled)
{
    if (Record("DrawRadioButton", pDC, rect, {bChecked, bHighlighted, bPressed, bEnabled}))
        CZUDPVisualManager::DrawRadioButton(pDC, rect, bChecked, bHighlighted, bPressed, bEnabled);
}

void CRecordingVisualManager::DrawControlFrame(CDC* pDC, CRect rect, CWnd* pWnd, BOOL bDrawOnGlass)
{
    if (Record("DrawControlFrame", pDC, rect, {bDrawOnGlass}, pWnd))
        CZUDPVisualManager::DrawControlFrame(pDC, rect, pWnd, bDrawOnGlass);
}

void CRecordingVisualManager::GetCalendarColors(const CZUDPCalendar* pCalendar, CalendarColors& colors)
{
    Record("GetCalendarColors", nullptr, CRect(), {}, pCalendar);
    CZUDPVisualManager::GetCalendarColors(pCalendar, colors);
    if (calendarColors.size() == 5) {
        colors.clrCaption = calendarColors[0];
        colors.clrCaptionText = calendarColors[1];
        colors.clrSelected = calendarColors[2];
        colors.clrSelectedText = calendarColors[3];
        colors.clrTodayBorder = calendarColors[4];
    }
}

void CRecordingVisualManager::DrawWindowBorder(CWnd* pWnd)
{
    if (Record("DrawWindowBorder", nullptr, CRect(), {}, pWnd))
        CZUDPVisualManager::DrawWindowBorder(pWnd);
}

BOOL CRecordingVisualManager::DrawEditBrowseButton(CDC* pDC, CRect rect, CZUDPEdit* pEdit, int state)
{
    BOOL drawn = FALSE;
    if (Record("DrawEditBrowseButton", pDC, rect, {state}, pEdit))
        drawn = CZUDPVisualManager::DrawEditBrowseButton(pDC, rect, pEdit, state);
    return Answer("DrawEditBrowseButton", drawn);
}

void CRecordingVisualManager::DrawSpinButton(CDC* pDC, CRect rectSpin, int nState, BOOL bHorz,
                                             CZUDPSpinButtonCtrl* pSpinCtrl)
{
    if (Record("DrawSpinButton", pDC, rectSpin, {nState, bHorz}, pSpinCtrl))
        CZUDPVisualManager::DrawSpinButton(pDC, rectSpin, nState, bHorz, pSpinCtrl);
}

BOOL CRecordingVisualManager::DrawPushButtonFace(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState)
{
    BOOL drawn = FALSE;
    if (Record("DrawPushButtonFace", pDC, rect, {(int)uiState}, pButton))
        drawn = CZUDPVisualManager::DrawPushButtonFace(pDC, pButton, rect, uiState);
    return Answer("DrawPushButtonFace", drawn);
}

void CRecordingVisualManager::DrawProgressBar(CDC* pDC, CZUDPRibbonProgressBar* pProgress, CRect rectProgress,
                                              CRect rectChunk, BOOL bInfiniteMode)
{
    // The chunk's rectangle goes with the flags.
    if (Record("DrawProgressBar", pDC, rectProgress,
               {(int)rectChunk.left, (int)rectChunk.top, (int)rectChunk.right, (int)rectChunk.bottom, bInfiniteMode},
               pProgress))
        CZUDPVisualManager::DrawProgressBar(pDC, pProgress, rectProgress, rectChunk, bInfiniteMode);
}

BOOL CRecordingVisualManager::DrawTextOnGlass(CDC* pDC, CString strText, CRect rect, DWORD dwFlags, int nGlowSize,
                                              COLORREF clrText)
{
    BOOL drawn = FALSE;
    if (Record("DrawTextOnGlass", pDC, rect, {(int)dwFlags, nGlowSize, (int)clrText}))
        drawn = CZUDPVisualManager::DrawTextOnGlass(pDC, strText, rect, dwFlags, nGlowSize, clrText);
    return Answer("DrawTextOnGlass", drawn);
}

BOOL CRecordingVisualManager::UsesCustomCaption()
{
    return Answer("UsesCustomCaption", CZUDPVisualManager::UsesCustomCaption());
}

BOOL CRecordingVisualManager::UpdateFrameWindowRegion(CWnd* pWnd, int cx, int cy)
{
    Record("UpdateFrameWindowRegion", nullptr, CRect(0, 0, cx, cy), {}, pWnd);
    return Answer("UpdateFrameWindowRegion", FALSE);
}

void CRecordingVisualManager::NotifyFrameActivation(CWnd* pFrame, BOOL bActive)
{
    Record("NotifyFrameActivation", nullptr, CRect(), {bActive}, pFrame);
    CZUDPVisualManager::NotifyFrameActivation(pFrame, bActive);
}

BOOL CRecordingVisualManager::DrawCustomFrameNonClient(CWnd* pWnd, CDC* pDC)
{
    CRect rectClip;
    if (pDC != nullptr)
        pDC->GetClipBox(&rectClip);
    const bool bDraw = Record("DrawCustomFrameNonClient", pDC, rectClip, {}, pWnd);
    const BOOL bBase = bDraw ? CZUDPVisualManager::DrawCustomFrameNonClient(pWnd, pDC) : FALSE;
    return Answer("DrawCustomFrameNonClient", bBase);
}

BOOL CRecordingVisualManager::UsesCustomScrollBars()
{
    return Answer("UsesCustomScrollBars", CZUDPVisualManager::UsesCustomScrollBars());
}

void CRecordingVisualManager::DrawScrollBarThumb(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                                 BOOL bHighlighted, BOOL bPressed, BOOL bDisabled)
{
    if (Record("DrawScrollBarThumb", pDC, rect, {bHorz, bHighlighted, bPressed, bDisabled}, pScrollBar))
        CZUDPVisualManager::DrawScrollBarThumb(pDC, pScrollBar, rect, bHorz, bHighlighted, bPressed, bDisabled);
}

void CRecordingVisualManager::DrawScrollBarButton(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                                  BOOL bHighlighted, BOOL bPressed, BOOL bFirst, BOOL bDisabled)
{
    if (Record("DrawScrollBarButton", pDC, rect, {bHorz, bHighlighted, bPressed, bFirst, bDisabled}, pScrollBar))
        CZUDPVisualManager::DrawScrollBarButton(pDC, pScrollBar, rect, bHorz, bHighlighted, bPressed, bFirst,
                                                bDisabled);
}

void CRecordingVisualManager::DrawScrollBarTrack(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                                 BOOL bHighlighted, BOOL bPressed, BOOL bFirst, BOOL bDisabled)
{
    if (Record("DrawScrollBarTrack", pDC, rect, {bHorz, bHighlighted, bPressed, bFirst, bDisabled}, pScrollBar))
        CZUDPVisualManager::DrawScrollBarTrack(pDC, pScrollBar, rect, bHorz, bHighlighted, bPressed, bFirst,
                                               bDisabled);
}

BOOL CRecordingVisualManager::DrawPushButtonFrame(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState)
{
    BOOL drawn = FALSE;
    if (Record("DrawPushButtonFrame", pDC, rect, {(int)uiState}, pButton))
        drawn = CZUDPVisualManager::DrawPushButtonFrame(pDC, pButton, rect, uiState);
    return Answer("DrawPushButtonFrame", drawn);
}

void CRecordingVisualManager::DrawGroupBox(CDC* pDC, CZUDPGroup* pGroup, CRect rect, const CString& strName)
{
    // The text colour and background mode the group box set go with the
    // flags.
    if (Record("DrawGroupBox", pDC, rect, {(int)pDC->GetTextColor(), pDC->GetBkMode()}, pGroup))
        CZUDPVisualManager::DrawGroupBox(pDC, pGroup, rect, strName);
}

void CRecordingVisualManager::DrawSliderChannel(CDC* pDC, CZUDPSliderCtrl* pSlider, BOOL bVert, CRect rect,
                                                BOOL bDrawOnGlass)
{
    if (Record("DrawSliderChannel", pDC, rect, {bVert, bDrawOnGlass}, pSlider))
        CZUDPVisualManager::DrawSliderChannel(pDC, pSlider, bVert, rect, bDrawOnGlass);
}

BOOL CRecordingVisualManager::DrawSliderThumb(CDC* pDC, CZUDPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted,
                                              BOOL bIsPressed, BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop,
                                              BOOL bBothSides, BOOL bDrawOnGlass)
{
    BOOL drawn = FALSE;
    if (Record("DrawSliderThumb", pDC, rect,
               {bIsHighlighted, bIsPressed, bIsDisabled, bVert, bLeftTop, bBothSides, bDrawOnGlass}, pSlider))
        drawn = CZUDPVisualManager::DrawSliderThumb(pDC, pSlider, rect, bIsHighlighted, bIsPressed, bIsDisabled,
                                                    bVert, bLeftTop, bBothSides, bDrawOnGlass);
    return Answer("DrawSliderThumb", drawn);
}

BOOL CRecordingVisualManager::EmbossesDisabledButtonText()
{
    return Answer("EmbossesDisabledButtonText", CZUDPVisualManager::EmbossesDisabledButtonText());
}

void CRecordingVisualManager::FillTabsAreaBackground(CDC* pDC, CRect rect, CZUDPBaseTabWnd* pTabWnd)
{
    if (Record("FillTabsAreaBackground", pDC, rect, {}, pTabWnd))
        CZUDPVisualManager::FillTabsAreaBackground(pDC, rect, pTabWnd);
}

void CRecordingVisualManager::DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CZUDPBaseTabWnd* pTabWnd)
{
    if (Record("DrawTab", pDC, rectTab, {iTab, bIsActive}, pTabWnd))
        CZUDPVisualManager::DrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
}

void CRecordingVisualManager::FillTabButton(CDC* pDC, CRect rect, CZUDPButton* pButton, CZUDPBaseTabWnd* pTabWnd)
{
    if (Record("FillTabButton", pDC, rect, {}, pButton))
        CZUDPVisualManager::FillTabButton(pDC, rect, pButton, pTabWnd);
}

void CRecordingVisualManager::DrawTabButtonBorder(CDC* pDC, CRect& rect, CZUDPButton* pButton, UINT uiState,
                                                  CZUDPBaseTabWnd* pTabWnd)
{
    if (Record("DrawTabButtonBorder", pDC, rect, {int(uiState)}, pButton))
        CZUDPVisualManager::DrawTabButtonBorder(pDC, rect, pButton, uiState, pTabWnd);
}

void CRecordingVisualManager::DrawTabFrame(CDC* pDC, CZUDPBaseTabWnd* pTabWnd, CRect rect, COLORREF clrDark,
                                           CPen* pPen)
{
    if (Record("DrawTabFrame", pDC, rect, {}, pTabWnd))
        CZUDPVisualManager::DrawTabFrame(pDC, pTabWnd, rect, clrDark, pPen);
}

void CRecordingVisualManager::DrawTabsAreaEdge(CDC* pDC, CZUDPBaseTabWnd* pTabWnd, BOOL bIsVertical, CRect rect,
                                               CBrush* pbrFace, CPen* pPen)
{
    if (Record("DrawTabsAreaEdge", pDC, rect, {bIsVertical}, pTabWnd))
        CZUDPVisualManager::DrawTabsAreaEdge(pDC, pTabWnd, bIsVertical, rect, pbrFace, pPen);
}

COLORREF CRecordingVisualManager::DrawPlannerCaption(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bIsToday,
                                                     BOOL bIsSelected, BOOL bNoSeparatorLine)
{
    COLORREF text = g_uiEnvironment.m_colorWindowText;
    if (Record("DrawPlannerCaption", pDC, rect, {bIsToday, bIsSelected, bNoSeparatorLine}, pView))
        text = CZUDPVisualManager::DrawPlannerCaption(pDC, pView, rect, bIsToday, bIsSelected, bNoSeparatorLine);
    return Answer("DrawPlannerCaption", text);
}

void CRecordingVisualManager::FillPlannerBackground(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bWorkingTime)
{
    if (Record("FillPlannerBackground", pDC, rect, {bWorkingTime}, pView))
        CZUDPVisualManager::FillPlannerBackground(pDC, pView, rect, bWorkingTime);
}

void CRecordingVisualManager::GetPlannerDayColors(CZUDPPlannerView* pView, BOOL bIsSelected, BOOL bSecondFlag,
                                                  DWORD dwOptions, COLORREF& clrBack, COLORREF& clrGradient,
                                                  COLORREF& clrFrame, COLORREF& clrSecondFrame, COLORREF& clrText)
{
    Record("GetPlannerDayColors", nullptr, CRect(), {bIsSelected, bSecondFlag, int(dwOptions), int(clrBack)}, pView);
    CZUDPVisualManager::GetPlannerDayColors(pView, bIsSelected, bSecondFlag, dwOptions, clrBack, clrGradient,
                                            clrFrame, clrSecondFrame, clrText);
}

COLORREF CRecordingVisualManager::FillPlannerTimeScale(CDC* pDC, CZUDPPlannerView* pView, CRect rect,
                                                       COLORREF& clrLine)
{
    COLORREF text = g_uiEnvironment.m_colorWindowText;
    if (Record("FillPlannerTimeScale", pDC, rect, {}, pView))
        text = CZUDPVisualManager::FillPlannerTimeScale(pDC, pView, rect, clrLine);
    return Answer("FillPlannerTimeScale", text);
}

void CRecordingVisualManager::FillPlannerHeaderGap(CDC* pDC, CZUDPPlannerView* pView, CRect rect)
{
    if (Record("FillPlannerHeaderGap", pDC, rect, {}, pView))
        CZUDPVisualManager::FillPlannerHeaderGap(pDC, pView, rect);
}

void CRecordingVisualManager::FillPlannerSelection(CDC* pDC, CZUDPPlannerView* pView, CRect rect, BOOL bIsToday,
                                                   BOOL bSelectionPresent)
{
    if (Record("FillPlannerSelection", pDC, rect, {bIsToday, bSelectionPresent}, pView))
        CZUDPVisualManager::FillPlannerSelection(pDC, pView, rect, bIsToday, bSelectionPresent);
}

RecordingManagerScope::RecordingManagerScope()
{
    CZUDPVisualManager::SetDefaultManager(CRecordingVisualManager::Class());
    m_manager = static_cast<CRecordingVisualManager*>(CZUDPVisualManager::GetActiveManager());
    m_manager->Clear();
}

RecordingManagerScope::~RecordingManagerScope()
{
    CZUDPVisualManager::SetDefaultManager(nullptr);
}

void CRecordingVisualManager::FillBarBackground(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                                BOOL bNCArea)
{
    if (Record("FillBarBackground", pDC, rectClient, {bNCArea}, pBar))
        CZUDPVisualManager::FillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
}

void CRecordingVisualManager::DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CZUDPBaseControlBar* pBar)
{
    if (Record("DrawBarGripper", pDC, rectGripper, {bHorz}, pBar))
        CZUDPVisualManager::DrawBarGripper(pDC, rectGripper, bHorz, pBar);
}

void CRecordingVisualManager::DrawSeparator(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rect, BOOL bHorz)
{
    if (Record("DrawSeparator", pDC, rect, {bHorz}, pBar))
        CZUDPVisualManager::DrawSeparator(pDC, pBar, rect, bHorz);
}

void CRecordingVisualManager::FillButtonInterior(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state)
{
    if (Record("FillButtonInterior", pDC, rect, {state}, pButton))
        CZUDPVisualManager::FillButtonInterior(pDC, pButton, rect, state);
}

BOOL CRecordingVisualManager::DrawCalculatorButton(CDC* pDC, CRect rect, CZUDPToolbarButton* pButton, int state)
{
    if (Record("DrawCalculatorButton", pDC, rect, {state}, pButton))
        return Answer("DrawCalculatorButton", CZUDPVisualManager::DrawCalculatorButton(pDC, rect, pButton, state));
    return Answer("DrawCalculatorButton", TRUE);
}

BOOL CRecordingVisualManager::DrawCalculatorDisplay(CDC* pDC, CRect rect, const CString& strText, BOOL bMemory)
{
    if (Record("DrawCalculatorDisplay", pDC, rect, {bMemory}, nullptr))
        return Answer("DrawCalculatorDisplay", CZUDPVisualManager::DrawCalculatorDisplay(pDC, rect, strText, bMemory));
    return Answer("DrawCalculatorDisplay", TRUE);
}

void CRecordingVisualManager::DrawButtonBorder(CDC* pDC, CZUDPToolbarButton* pButton, CRect rect, int state)
{
    if (Record("DrawButtonBorder", pDC, rect, {state}, pButton))
        CZUDPVisualManager::DrawButtonBorder(pDC, pButton, rect, state);
}

void CRecordingVisualManager::DrawMenuButtonBorder(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect, int state)
{
    if (Record("DrawMenuButtonBorder", pDC, rect, {state}, pButton))
        CZUDPVisualManager::DrawMenuButtonBorder(pDC, pButton, rect, state);
}

void CRecordingVisualManager::DrawSubmenuArrow(CDC* pDC, CZUDPToolbarMenuButton* pButton, CRect rect,
                                               BOOL bHighlighted, BOOL bIsRadio)
{
    if (Record("DrawSubmenuArrow", pDC, rect, {bHighlighted, bIsRadio}, pButton))
        CZUDPVisualManager::DrawSubmenuArrow(pDC, pButton, rect, bHighlighted, bIsRadio);
}

void CRecordingVisualManager::DrawShowAllButtonArrow(CDC* pDC, CRect rect)
{
    if (Record("DrawShowAllButtonArrow", pDC, rect, {}, nullptr))
        CZUDPVisualManager::DrawShowAllButtonArrow(pDC, rect);
}

} // namespace uitest
