// The visual manager's drawing of status bar, caption bar, outlook-style bar, task pane, panel windows, tooltips and
// text on glass.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

void CZUDPVisualManager::DrawStatusBarPaneBorder(CDC*, CZUDPStatusBar*, CRect, int, UINT) {}

COLORREF CZUDPVisualManager::GetStatusBarPaneTextColor(CZUDPStatusBar*, const ZUDP_STATUSBAR_PANE*)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawStatusBarProgress(CDC*, CZUDPStatusBar*, CRect, int, int, COLORREF, COLORREF, COLORREF,
                                               BOOL)
{
}

void CZUDPVisualManager::DrawStatusBarSizeGrip(CDC*, CZUDPStatusBar*, CRect) {}

COLORREF CZUDPVisualManager::GetCaptionBarTextColor(CZUDPCaptionBar*)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::FillCaptionBarInfoArea(CDC*, CZUDPCaptionBar*, CRect) {}

void CZUDPVisualManager::FillCaptionBarButton(CDC*, CZUDPCaptionBar*, CRect, COLORREF, BOOL) {}

COLORREF CZUDPVisualManager::FillCaptionBarMessageButton(CDC*, CZUDPCaptionBar*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawCaptionBarButtonBorder(CDC*, CZUDPCaptionBar*, CRect, BOOL, BOOL) {}

COLORREF CZUDPVisualManager::FillOutlookButton(CDC*, CRect, CZUDPToolbarButton*, BOOL, BOOL, COLORREF&)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawOutlookButtonBorder(CDC*, CRect&, BOOL, BOOL) {}

void CZUDPVisualManager::FillOutlookWndArea(CDC*, CRect) {}

COLORREF CZUDPVisualManager::FillOutlookBarCaption(CDC*, CRect, COLORREF&)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::FillTasksPaneBackground(CDC*, CRect) {}

void CZUDPVisualManager::DrawTaskGroupCaption(CDC*, CZUDPTasksPaneGroup*, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawTaskGroupIcon(CDC*, CZUDPTasksPaneGroup*, int, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::FillTaskGroupInterior(CDC*, CZUDPTasksPaneGroup*, CRect, BOOL) {}

void CZUDPVisualManager::DrawTaskGroupBorder(CDC*, CRect, BOOL, BOOL) {}

void CZUDPVisualManager::DrawTask(CDC*, CZUDPTasksPaneTask*, CImageList*, BOOL, BOOL) {}

void CZUDPVisualManager::DrawTasksScrollButton(CDC*, CRect, int, int, BOOL) {}

void CZUDPVisualManager::DrawTaskPaneFrame(CDC*, CRect) {}

void CZUDPVisualManager::DrawExpandBox(CDC*, CRect, BOOL, COLORREF) {}

void CZUDPVisualManager::FillPanelWindowBackground(CDC*, CRect) {}

void CZUDPVisualManager::DrawPanelWindowBorder(CDC*, CRect) {}

COLORREF CZUDPVisualManager::FillPanelWindowCaption(CDC*, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::FillPanelWindowButton(CDC*, CRect, CZUDPButton*) {}

void CZUDPVisualManager::DrawPanelWindowButtonBorder(CDC*, CRect, CZUDPButton*) {}

BOOL CZUDPVisualManager::DrawTextOnGlass(CDC*, CString, CRect, DWORD, int, COLORREF)
{
    return FALSE;
}

void CZUDPVisualManager::FillToolTip(CDC*, CZUDPToolTipCtrl*, CRect, COLORREF&, COLORREF&) {}
