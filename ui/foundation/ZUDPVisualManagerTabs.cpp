// The visual manager's drawing of tabs and tab windows.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

void CZUDPVisualManager::FillTabsAreaBackground(CDC*, CRect, CZUDPBaseTabWnd*) {}

void CZUDPVisualManager::DrawTab(CDC*, CRect, int, BOOL, CZUDPBaseTabWnd*) {}

void CZUDPVisualManager::FillTab(CDC*, CRect, CBrush*, int, BOOL, CZUDPBaseTabWnd*) {}

void CZUDPVisualManager::DrawTabContent(CDC*, CRect, int, BOOL, CZUDPBaseTabWnd*, COLORREF) {}

void CZUDPVisualManager::DrawTabCloseButton(CDC*, CRect, CZUDPBaseTabWnd*, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::FillTabButton(CDC*, CRect, CZUDPButton*, CZUDPBaseTabWnd*) {}

void CZUDPVisualManager::DrawTabButtonBorder(CDC*, CRect&, CZUDPButton*, UINT, CZUDPBaseTabWnd*) {}

void CZUDPVisualManager::DrawTabsAreaEdge(CDC*, CZUDPBaseTabWnd*, BOOL, CRect, CBrush*, CPen*) {}

void CZUDPVisualManager::GetTabFrameColors(CZUDPBaseTabWnd*, COLORREF&, COLORREF&, COLORREF&, COLORREF&, COLORREF&,
                                           COLORREF&, CBrush*&, CBrush*&)
{
}

void CZUDPVisualManager::DrawTabFrame(CDC*, CZUDPBaseTabWnd*, CRect, COLORREF, CPen*) {}

BOOL CZUDPVisualManager::FillTabAreaWithTabColor(CDC*, CRect, CZUDPBaseTabWnd*)
{
    return FALSE;
}
