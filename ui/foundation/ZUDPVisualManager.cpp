#include "ui/foundation/ZUDPVisualManager.h"

#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockManager.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <vector>

IMPLEMENT_DYNCREATE(CZUDPVisualManager, CZUDPWinXPThemeManager)

CZUDPVisualManager* g_activeVisualManager = nullptr;
CRuntimeClass* g_visualManagerClass = nullptr;

namespace {

// The window object of a handle, when the handle still belongs to a
// permanent framework window.
CWnd* PermanentWindow(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return nullptr;
    return CWnd::FromHandlePermanent(hWnd) == pWnd ? pWnd : nullptr;
}

// The windows of a list whose handles belong to permanent window objects,
// in list order.
std::vector<CWnd*> PermanentWindows(const CObList& list)
{
    std::vector<CWnd*> windows;
    POSITION pos = list.GetHeadPosition();
    while (pos != nullptr) {
        CObject* pObject = list.GetNext(pos);
        if (CWnd* pWnd = PermanentWindow(DYNAMIC_DOWNCAST(CWnd, pObject)))
            windows.push_back(pWnd);
    }
    return windows;
}

} // namespace

// ---------------------------------------------------------------------------
// Construction and the active manager

CZUDPVisualManager::CZUDPVisualManager(BOOL bTemporary) : m_temporary(bTemporary)
{
    if (!m_temporary && g_activeVisualManager == nullptr)
        g_activeVisualManager = this;
    if (!m_temporary) {
        g_paneCaptionMenuButton = FALSE;
        g_rebuildSmartDocking = TRUE;
        g_autoHideActiveTextOnly = TRUE;
        g_uiEnvironment.UpdateSysColors();
    }
    m_plannerPaintState[0] = 0;
    m_plannerPaintState[1] = 0;
    CZUDPVisualManager::ResetColors();
}

CZUDPVisualManager::~CZUDPVisualManager()
{
    // Only the active manager clears the active pointer: destroying another
    // non-temporary manager must not orphan the one in use.
    if (!m_temporary && g_activeVisualManager == this)
        g_activeVisualManager = nullptr;
}

CZUDPVisualManager* CZUDPVisualManager::GetActiveManager()
{
    if (g_activeVisualManager != nullptr)
        return g_activeVisualManager;
    CZUDPVisualManager* pManager = nullptr;
    if (g_visualManagerClass != nullptr) {
        CObject* pObject = g_visualManagerClass->CreateObject();
        pManager = DYNAMIC_DOWNCAST(CZUDPVisualManager, pObject);
        if (pManager == nullptr)
            delete pObject;
    }
    // A registered class that cannot make an object: the base look rather
    // than no manager at all.
    if (pManager == nullptr)
        pManager = new CZUDPVisualManager(FALSE);
    g_activeVisualManager = pManager;
    pManager->ResetColors();
    return pManager;
}

void CZUDPVisualManager::SetDefaultManager(CRuntimeClass* pRTI)
{
    if (pRTI != nullptr && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CZUDPVisualManager)))
        return;
    g_visualManagerClass = pRTI;
    if (g_activeVisualManager != nullptr) {
        delete g_activeVisualManager;
        g_activeVisualManager = nullptr;
    }
    g_uiEnvironment.UpdateSysColors();
    CZUDPDockManager::SetGlobalDockMode(2, 0);
    // The tab windows take the new manager's tab look; asking for it makes
    // the new manager.
    CZUDPTabbedControlBar::ApplyVisualManagerToAll();
    GetActiveManager();

    // A frame or bar may go away while it handles the notification: walk
    // copies of the lists and ask each object again.
    for (CWnd* pFrame : PermanentWindows(g_frameList))
        if (PermanentWindow(pFrame) != nullptr)
            pFrame->SendMessage(ZUDM_CHANGEVISUALMANAGER, 0, 0);
    for (CWnd* pWnd : PermanentWindows(g_toolbarList))
        if (CZUDPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZUDPToolBar, PermanentWindow(pWnd)))
            pToolBar->OnVisualManagerChanged();
    RedrawAll();
    if (g_tooltipManager != nullptr)
        g_tooltipManager->BroadcastUpdate();
}

void CZUDPVisualManager::RedrawAll()
{
    const UINT kFrameFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
    const UINT kBarFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    for (CWnd* pFrame : PermanentWindows(g_frameList))
        if (PermanentWindow(pFrame) != nullptr)
            pFrame->RedrawWindow(nullptr, nullptr, kFrameFlags);
    if (CWnd* pMain = PermanentWindow(AfxGetMainWnd()))
        pMain->RedrawWindow(nullptr, nullptr, kFrameFlags);
    for (CWnd* pWnd : PermanentWindows(g_toolbarList))
        if (CZUDPControlBar* pBar = DYNAMIC_DOWNCAST(CZUDPControlBar, PermanentWindow(pWnd)))
            pBar->RedrawWindow(nullptr, nullptr, kBarFlags);
    CZUDPMiniFrameWnd::RedrawAllMiniFrames();
}

void CZUDPVisualManager::SetLook2000Style(BOOL bLook2000)
{
    GetActiveManager()->m_look2000 = bLook2000;
    if (CWnd* pMain = PermanentWindow(AfxGetMainWnd()))
        pMain->RedrawWindow(nullptr, nullptr,
                            RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    RedrawAll();
}

BOOL CZUDPVisualManager::IsLook2000()
{
    return GetActiveManager()->m_look2000;
}

void CZUDPVisualManager::ResetColors()
{
    m_colorSelectionHighlight = g_uiEnvironment.m_colorHighlight;
    m_colorPlannerBackground = 0x0000FFFF;
    m_colorPlannerGridLine = 0x00808080;
}

// ---------------------------------------------------------------------------
// Constant and plain answers

CSize CZUDPVisualManager::GetCheckBoxSize()
{
    return CSize(::GetSystemMetrics(SM_CXMENUCHECK) + 1, ::GetSystemMetrics(SM_CYMENUCHECK) + 1);
}

BOOL CZUDPVisualManager::GetToolTipParams(ZUDP_TOOLTIP_PARAMS& params, UINT)
{
    static const int kDefaults[13] = {0, 1, 1, 200, 0, 1, -1, -1, -1, -1, -1, 0, 0};
    for (int i = 0; i < 13; ++i)
        params.values[i] = kDefaults[i];
    return TRUE;
}

BOOL CZUDPVisualManager::QueryGeneralOption()
{
    return FALSE;
}

CBrush& CZUDPVisualManager::GetEditBoxColors(CZUDPToolbarButton* pButton, COLORREF& clrText, COLORREF& clrBack)
{
    (void)pButton;
    clrText = g_uiEnvironment.m_colorWindowText;
    clrBack = g_uiEnvironment.m_colorWindow;
    return g_uiEnvironment.m_brushWindow;
}

BOOL CZUDPVisualManager::UsesBarBackgroundForControls()
{
    return FALSE;
}

BOOL CZUDPVisualManager::HighlightsFullMenuRow()
{
    return FALSE;
}

int CZUDPVisualManager::GetMenuButtonArrowVariant(CZUDPToolbarMenuButton* pButton, BOOL bHighlighted, BOOL bDisabled)
{
    (void)pButton;
    (void)bHighlighted;
    (void)bDisabled;
    return 0;
}

BOOL CZUDPVisualManager::SuppressCheckedItemFrame()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetImageDrawColor()
{
    return (COLORREF)-1;
}

BOOL CZUDPVisualManager::HasToolbarWindowRegion(CZUDPToolBar* pBar)
{
    (void)pBar;
    return FALSE;
}

COLORREF CZUDPVisualManager::GetDisabledImageFaceColor()
{
    return g_uiEnvironment.m_colorBarFace;
}

COLORREF CZUDPVisualManager::GetDisabledTextColor()
{
    return g_uiEnvironment.m_colorGrayText;
}

int CZUDPVisualManager::GetDockingBarCaptionExtraHeight()
{
    return 0;
}

int CZUDPVisualManager::GetCaptionBarMessageMargin()
{
    return 4;
}

BOOL CZUDPVisualManager::IsActiveTabAreaFramed()
{
    return FALSE;
}

BOOL CZUDPVisualManager::IsTabAreaFramed()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetTabTextColor(CZUDPBaseTabWnd* pTabWnd, int iTab, BOOL bIsActive)
{
    (void)pTabWnd;
    (void)iTab;
    (void)bIsActive;
    return (COLORREF)-1;
}

BOOL CZUDPVisualManager::QueryTabWindowOption(CZUDPBaseTabWnd* pTabWnd)
{
    (void)pTabWnd;
    return FALSE;
}

int CZUDPVisualManager::GetTabHorizontalMargin(CZUDPBaseTabWnd* pTabWnd)
{
    (void)pTabWnd;
    return 2;
}

int CZUDPVisualManager::GetDefaultMDITabsStyle()
{
    return -1;
}

BOOL CZUDPVisualManager::QueryMDITabsOption()
{
    return TRUE;
}

int CZUDPVisualManager::GetTabbedBarTabStyle()
{
    return -1;
}

BOOL CZUDPVisualManager::UsesTabbedBarTabOption()
{
    return TRUE;
}

BOOL CZUDPVisualManager::HasTabWndCustomFrame(CZUDPBaseTabWnd* pTabWnd)
{
    (void)pTabWnd;
    return FALSE;
}

int CZUDPVisualManager::GetTabMetricOverride(CZUDPBaseTabWnd* pTabWnd, CZUDPButton* pButton)
{
    (void)pTabWnd;
    (void)pButton;
    return -1;
}

CSize CZUDPVisualManager::GetButtonExtraSize()
{
    return CSize(0, 0);
}

CSize CZUDPVisualManager::GetCaptionButtonExtraSize()
{
    return CSize(0, 0);
}

BOOL CZUDPVisualManager::DrawListItemOverride(CDC* pDC, CWnd* pList, int nItem, int nSubItem, CRect rect,
                                              BOOL bIsSelected, BOOL bIsFocused, COLORREF clrText)
{
    (void)pDC;
    (void)pList;
    (void)nItem;
    (void)nSubItem;
    (void)rect;
    (void)bIsSelected;
    (void)bIsFocused;
    (void)clrText;
    return FALSE;
}

COLORREF CZUDPVisualManager::GetControlTextColorOverride()
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::GetHotLinkColor(CWnd* pWnd)
{
    (void)pWnd;
    return g_uiEnvironment.m_colorHotLinkHovered;
}

BOOL CZUDPVisualManager::QueryAutoHideLayoutOption()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetAutoHideButtonTextColor(CZUDPAutoHideButton* pButton)
{
    (void)pButton;
    return g_uiEnvironment.m_colorBarText;
}

BOOL CZUDPVisualManager::DrawPushButtonFace(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState)
{
    (void)pDC;
    (void)pButton;
    (void)rect;
    (void)uiState;
    return FALSE;
}

BOOL CZUDPVisualManager::DrawControlPartOverride()
{
    return FALSE;
}

BOOL CZUDPVisualManager::DrawControlBorderOverride()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetItemTextColor()
{
    return g_uiEnvironment.m_colorWindowText;
}

void CZUDPVisualManager::GetSmartDockingColors(COLORREF& clrFace, COLORREF& clrShadow)
{
    clrFace = g_uiEnvironment.m_colorBarFace;
    clrShadow = g_uiEnvironment.m_colorBarShadow;
}

COLORREF CZUDPVisualManager::GetSmartDockingHighlightColor()
{
    return g_uiEnvironment.m_colorActiveCaption;
}

int CZUDPVisualManager::GetSmartDockingStyle()
{
    return 1;
}

BOOL CZUDPVisualManager::QueryPanelWindowOption()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetPlannerCellColor(CZUDPPlannerView* pView, BOOL bIsSelected, BOOL bSecondFlag,
                                                 DWORD dwOptions)
{
    (void)pView;
    (void)bIsSelected;
    (void)bSecondFlag;
    (void)dwOptions;
    return kPlannerNoColor;
}

COLORREF CZUDPVisualManager::GetPlannerGridLineColor(CZUDPPlannerView* pView, BOOL bFirst, BOOL bSecond)
{
    (void)pView;
    (void)bFirst;
    (void)bSecond;
    return m_colorPlannerGridLine;
}

DWORD CZUDPVisualManager::GetPlannerStyleOption()
{
    return FALSE;
}

BOOL CZUDPVisualManager::QueryPlannerOption()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetPlannerDefaultBackColor()
{
    return m_colorPlannerBackground;
}

COLORREF CZUDPVisualManager::GetPlannerSelectionColor(CZUDPPlannerView* pView)
{
    (void)pView;
    return g_uiEnvironment.m_colorHighlight;
}

COLORREF CZUDPVisualManager::GetPlannerFrameColor(CZUDPPlannerView* pView)
{
    (void)pView;
    return g_uiEnvironment.m_colorWindowFrame;
}

void CZUDPVisualManager::ResetPlannerDrawState(CZUDPPlannerView* pView, CDC* pDC)
{
    (void)pView;
    (void)pDC;
    m_plannerPaintState[0] = 0;
    m_plannerPaintState[1] = 0;
}

void CZUDPVisualManager::SetPlannerDrawMode(int nMode)
{
    m_plannerDrawMode = nMode;
}

COLORREF CZUDPVisualManager::GetGridGroupLineColor()
{
    return g_uiEnvironment.m_colorBarText;
}

BOOL CZUDPVisualManager::QueryGridOption()
{
    return TRUE;
}

COLORREF CZUDPVisualManager::GetGridLineColor()
{
    return g_uiEnvironment.m_colorLight;
}

COLORREF CZUDPVisualManager::GetGanttHeaderTextColor(BOOL bHotLink)
{
    return bHotLink ? g_uiEnvironment.m_colorHotLink : g_uiEnvironment.m_colorWindowText;
}

BOOL CZUDPVisualManager::UsesCustomCaption()
{
    return FALSE;
}

void CZUDPVisualManager::NotifyFrameActivation(CWnd* pFrame, BOOL bActive)
{
    (void)pFrame;
    (void)bActive;
}

CZUDPCaptionButton* CZUDPVisualManager::GetCaptionButtonAt(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    (void)point;
    return nullptr;
}

BOOL CZUDPVisualManager::DrawCustomFrameNonClient(CWnd* pWnd, CDC* pDC)
{
    (void)pWnd;
    (void)pDC;
    return FALSE;
}

CSize CZUDPVisualManager::GetNonClientMargin(CWnd* pWnd)
{
    (void)pWnd;
    return CSize(0, 0);
}

int CZUDPVisualManager::DrawCustomCaption(CWnd* pWnd, CDC* pDC, BOOL bActive, CRect rectCaption)
{
    (void)pWnd;
    (void)pDC;
    (void)bActive;
    (void)rectCaption;
    return 0;
}

CBrush& CZUDPVisualManager::GetDialogBackgroundBrush(CWnd* pDlg)
{
    (void)pDlg;
    return g_uiEnvironment.m_brushBarFace;
}

COLORREF CZUDPVisualManager::GetRibbonControlBackColor(BOOL bIsHighlighted, BOOL bIsDisabled)
{
    return (bIsHighlighted && !bIsDisabled) ? g_uiEnvironment.m_colorWindow : g_uiEnvironment.m_colorBarFace;
}

BOOL CZUDPVisualManager::QueryRibbonCaptionOption()
{
    return FALSE;
}

BOOL CZUDPVisualManager::QueryRibbonFrameOption()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetRibbonDisabledTextColor(BOOL bIsDisabled)
{
    return bIsDisabled ? g_uiEnvironment.m_colorGrayText : (COLORREF)-1;
}

COLORREF CZUDPVisualManager::GetRibbonOptionalColor()
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRibbonOptionalDecoration() {}

int CZUDPVisualManager::GetRibbonPanelMenuBorderSize(CZUDPRibbonPanelMenuBar* pBar)
{
    (void)pBar;
    return m_popupMenuBorderSize;
}

BOOL CZUDPVisualManager::QueryRibbonOption()
{
    return FALSE;
}

COLORREF CZUDPVisualManager::GetRibbonElementTextColor()
{
    return g_uiEnvironment.m_colorBarText;
}

int CZUDPVisualManager::GetRibbonPanelSpacing(CZUDPRibbonCategory* pCategory)
{
    (void)pCategory;
    return 2;
}

BOOL CZUDPVisualManager::QueryGlassOption()
{
    return FALSE;
}

BOOL CZUDPVisualManager::FillMDIClientBackground(CDC* pDC, CWnd* pClient, CRect rect)
{
    (void)pDC;
    (void)pClient;
    (void)rect;
    return FALSE;
}

BOOL CZUDPVisualManager::UsesCustomScrollBars()
{
    return FALSE;
}

BOOL CZUDPVisualManager::DrawPushButtonFrame(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState)
{
    (void)pDC;
    (void)pButton;
    (void)rect;
    (void)uiState;
    return FALSE;
}

COLORREF CZUDPVisualManager::GetLinkTextColor(BOOL bIsHovered)
{
    return bIsHovered ? g_uiEnvironment.m_colorHotLinkHovered : g_uiEnvironment.m_colorHotLink;
}

int CZUDPVisualManager::GetMenuImageMargin()
{
    return 2;
}

COLORREF CZUDPVisualManager::GetMenuShadowDepth()
{
    return m_colorMenuShadowBase;
}

void CZUDPVisualManager::GetMenuTextMargins(CRect& rectMargins)
{
    rectMargins.SetRect(2, 1, 0, 2);
}

int CZUDPVisualManager::GetMenuPopupOffset()
{
    return 1;
}

BOOL CZUDPVisualManager::KeepsCustomizeOption()
{
    return TRUE;
}

int CZUDPVisualManager::GetChevronArrowStyle()
{
    return 2;
}

BOOL CZUDPVisualManager::ShiftsPressedBrowseImage()
{
    return TRUE;
}

BOOL CZUDPVisualManager::ConnectsMenuToButton()
{
    return m_menuConnectsToButton;
}

int CZUDPVisualManager::GetPopupMenuBorderSize()
{
    return m_popupMenuBorderSize;
}

BOOL CZUDPVisualManager::EmbossesDisabledButtonText()
{
    return TRUE;
}
