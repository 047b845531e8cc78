// The visual manager's drawing of pane captions and caption buttons, floating frames, auto-hide buttons, smart-docking
// colours, desktop application bars and the frame hooks.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

COLORREF CZUDPVisualManager::FillDockingBarCaption(CDC*, CZUDPDockingControlBar*, BOOL, CRect, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawCaptionButton(CDC*, CZUDPCaptionButton*, BOOL, BOOL, BOOL, BOOL, int) {}

COLORREF CZUDPVisualManager::FillMiniFrameCaption(CDC*, CRect, CZUDPMiniFrameWnd*, BOOL)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawMiniFrameBorder(CDC*, CZUDPMiniFrameWnd*, CRect, CRect) {}

void CZUDPVisualManager::DrawToolbarMiniFrameBorder(CDC*, CZUDPMiniFrameWnd*, CRect, CRect) {}

void CZUDPVisualManager::FillAutoHideButton(CDC*, CRect, CZUDPAutoHideButton*) {}

void CZUDPVisualManager::DrawAutoHideButtonBorder(CDC*, CRect, CRect, CZUDPAutoHideButton*) {}

void CZUDPVisualManager::DrawAppBarFrame(CDC*, CZUDPAppBarWnd*, CRect, CRect) {}

void CZUDPVisualManager::DrawAppBarCaption(CDC*, CZUDPAppBarWnd*, CRect, CString) {}

BOOL CZUDPVisualManager::UpdateFrameWindowRegion(CWnd*, int, int)
{
    return FALSE;
}
