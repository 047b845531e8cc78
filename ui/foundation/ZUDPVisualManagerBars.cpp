// The visual manager's drawing of bar and pane backgrounds, bar borders, grippers, separators, the splitter between
// docked panes, and the backgrounds of dialogs and the MDI client area.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

void CZUDPVisualManager::FillBarBackground(CDC*, CZUDPBaseControlBar*, CRect, CRect, BOOL) {}

BOOL CZUDPVisualManager::FillBackgroundFromParentBar(CWnd*, CDC*, LPRECT)
{
    return FALSE;
}

void CZUDPVisualManager::DrawBarBorder(CDC*, CZUDPBaseControlBar*, CRect&) {}

void CZUDPVisualManager::DrawBarGripper(CDC*, CRect, BOOL, CZUDPBaseControlBar*) {}

void CZUDPVisualManager::DrawSeparator(CDC*, CZUDPBaseControlBar*, CRect, BOOL) {}

void CZUDPVisualManager::DrawSlider(CDC*, CZUDPSlider*, CRect, BOOL) {}

BOOL CZUDPVisualManager::FillDialogBackground(CDC*, CWnd*, CRect)
{
    return TRUE;
}
